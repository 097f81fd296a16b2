#include "model/EditDoor.h"

#include "model/Document.h"
#include "model/EditProtocol.h"

#include <cmath>

EditDoor::EditDoor(COrvikCadDoc& doc, bool keepUndo) : doc_(doc), keptUndo_(keepUndo)
{
    if (!keepUndo)
        BeginEdit(doc_.list, &doc_.snaps);
}

void EditDoor::DropKeptUndo()
{
    if (!keptUndo_)
        return;
    keptUndo_ = false;
    CEntityList& list = doc_.list;
    if (list.undoChain || list.undoState != UndoState::Normal || list.mark)
        list.DiscardUndo(&doc_.snaps);
}

bool EditDoor::Enter()
{
    if (!asked_) {
        asked_ = true;
        refused_ = doc_.RefuseWhenProtected();
    }
    return !refused_;
}

void EditDoor::Modified()
{
    if (!modified_) {
        modified_ = true;
        doc_.SetModifiedFlag(true);
    }
}

CEntity* EditDoor::Add(const EntityHeader& header, const int16_t* codes, COLORREF colour, const double* values,
                       std::string_view text, std::string_view font, CEntity* owner)
{
    if (!Enter())
        return nullptr;
    if (header.count < 0 || (header.count > 0 && !values))
        return nullptr;
    for (int i = 0; i < header.count; ++i)
        if (!std::isfinite(values[i]))
            return nullptr;
    CEntityList& list = doc_.list;
    CEntity* before = list.last;
    const int refused = owner ? list.AddChildEntity(header, codes, colour, values, text, font, owner)
                              : list.AddEntity(header, codes, colour, values, text, font);
    if (refused != 0)
        return nullptr;
    CEntity* first = before ? before->next : list.first;
    if (!first)
        return nullptr;
    Modified();
    // A dimension brings its members behind it: each record registers.
    for (CEntity* e = first; e; e = e->next)
        doc_.snaps.AddEntityPoints(e);
    if (!firstAdded_)
        firstAdded_ = first;
    ++added_;
    return first;
}

CEntity* EditDoor::Add(const EntityRecord& record, CEntity* owner)
{
    EntityHeader header = record.header;
    header.count = static_cast<int16_t>(record.values.size());
    const int16_t* codes = record.codes.empty() ? nullptr : record.codes.data();
    CEntity* added = Add(header, codes, record.colour, record.values.data(), record.text, record.font, owner);
    if (added && record.group != 0 && header.type != EntityType::Dimension)
        added->group = record.group;
    return added;
}

CEntity* EditDoor::Replace(CEntity* old, const EntityRecord& record)
{
    if (!old || !doc_.list.Holds(old))
        return nullptr;
    CEntity* added = Add(record);
    if (!added)
        return nullptr;
    added->owner = old->owner;
    added->group = old->group;
    old->state = EntityState::Deleted;
    putOut_.push_back(old);
    return added;
}

bool EditDoor::Change(CEntity* entity, const std::function<void(CEntity&)>& edit)
{
    if (!entity || !doc_.list.Holds(entity) || !Enter())
        return false;
    doc_.snaps.RemoveEntityPoints(entity);
    doc_.list.ChangeEntity(entity, edit);
    doc_.snaps.AddEntityPoints(entity);
    Modified();
    return true;
}

bool EditDoor::Delete(CEntity* entity)
{
    if (!entity || !doc_.list.Holds(entity) || !Enter())
        return false;
    entity->state = EntityState::Deleted;
    putOut_.push_back(entity);
    Modified();
    return true;
}

bool EditDoor::FinishAdded()
{
    if (!firstAdded_)
        return false;
    DropKeptUndo();
    const bool taken = doc_.list.mark != nullptr;
    FinishAddedRun(doc_.list, firstAdded_);
    return !taken;
}

void EditDoor::FinishReplacing()
{
    if (putOut_.empty() && !firstAdded_)
        return;
    DropKeptUndo();
    FinishReplacingEdit(doc_.list, &doc_.snaps, firstAdded_, putOut_);
}

void EditDoor::FinishDeleted()
{
    if (putOut_.empty())
        return;
    DropKeptUndo();
    DeleteEntities(doc_.list, &doc_.snaps, putOut_);
}

void ShiftDrawing(COrvikCadDoc& doc, double dx, double dy, CEntity* from)
{
    TranslateEntities(dx, dy, from ? from : doc.list.first);
    doc.list.NoteAllChanged();
    doc.RebuildSnapPoints();
}
