#include "tools/DrawingEdit.h"

#include "model/Document.h"
#include "model/Notify.h"
#include "model/Settings.h"

#include <cmath>

EntityHeader NewEntityHeader(int16_t type, int16_t subtype, int16_t count, int16_t layer)
{
    EntityHeader h;
    h.type = type;
    h.subtype = subtype;
    h.style = static_cast<int16_t>(CurrentLineType * 100 + CurrentPen);
    h.layer = layer;
    h.count = count;
    return h;
}

DrawingEdit::DrawingEdit(COrvikCadDoc& doc, EntityAction draw) : doc_(doc), door_(doc), draw_(std::move(draw)) {}

CEntity* DrawingEdit::Add(const EntityHeader& header, const int16_t* codes, const double* values,
                          std::string_view text, std::string_view font)
{
    return AddRecord(header, codes, CurrentColor, values, text, font, nullptr);
}

CEntity* DrawingEdit::Add(const EntityHeader& header, const int16_t* codes, COLORREF colour, const double* values,
                          std::string_view text, std::string_view font)
{
    return AddRecord(header, codes, colour, values, text, font, nullptr);
}

CEntity* DrawingEdit::AddChild(const EntityHeader& header, const int16_t* codes, const double* values,
                               std::string_view text, std::string_view font, CEntity* owner)
{
    if (!owner)
        return nullptr;
    return AddRecord(header, codes, CurrentColor, values, text, font, owner);
}

CEntity* DrawingEdit::AddRecord(const EntityHeader& header, const int16_t* codes, COLORREF colour,
                                const double* values, std::string_view text, std::string_view font, CEntity* owner)
{
    // A tool's operation tells of the protection before each entity: the
    // door refuses silently after its first message, so the later ones are
    // shown here.
    if (door_.Refused()) {
        doc_.RefuseWhenProtected();
        return nullptr;
    }
    CEntity* first = door_.Add(header, codes, colour, values, text, font, owner);
    if (first && draw_)
        draw_(first);
    return first;
}

bool DrawingEdit::Change(CEntity* entity, const std::function<void(CEntity&)>& edit)
{
    // A protected drawing keeps the entity as it is; the entity the tool
    // adds next tells of the protection.
    if (doc_.ProtectionState == ProtectionWrite || doc_.ProtectionState == ProtectionPassword)
        return false;
    return door_.Change(entity, edit);
}

bool DrawingEdit::CloseRun()
{
    CEntity* firstAdded = door_.FirstAdded();
    if (!firstAdded)
        return false;
    CEntityList& list = doc_.list;
    if (list.mark) {
        MessageBeep(0);
        ShowMessage("011:入換えエラー！");
        return false;
    }
    list.mark = firstAdded;
    list.undoState = UndoState::Normal;
    return true;
}

namespace {

void EachInChain(CEntity* head, const DrawingEdit::EntityAction& action)
{
    for (CEntity* e = head; e;) {
        CEntity* next = e->next;  // the action may not unlink, but stay careful
        action(e);
        e = next;
    }
}

} // namespace

void UndoDrawing(COrvikCadDoc& doc, const DrawingEdit::EntityAction& erase, const DrawingEdit::EntityAction& draw)
{
    CEntityList& list = doc.list;
    CSnapPointList& snaps = doc.snaps;
    if (!list.first)
        return;
    if (list.undoState == UndoState::Normal && list.last && list.last->type == EntityType::Grid)
        return;

    CEntity* held = list.undoState == UndoState::Removed ? list.undoChain : nullptr;
    list.UndoRedo();

    auto out = [&](CEntity* e) {
        if (erase)
            erase(e);
        snaps.SetEntityPointState(e, -1);
    };
    auto back = [&](CEntity* e) {
        e->state = EntityState::Normal;
        if (draw)
            draw(e);
        snaps.SetEntityPointState(e, 0);
    };

    switch (list.undoState) {
    case UndoState::Removed:
        EachInChain(list.undoChain, out);
        break;
    case UndoState::Replaced:
        EachInChain(list.undoChain, out);
        EachInChain(list.mark, back);
        break;
    case UndoState::ReplaceUndone:
        EachInChain(list.mark, out);
        EachInChain(list.undoChain, back);
        break;
    default:
        if (held)
            EachInChain(held, back);
        break;
    }
}
