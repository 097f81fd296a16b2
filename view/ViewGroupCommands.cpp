// COrvikCadView: the context menus a right click opens for the tools that
// mark entities or take typed values, and the group commands on the marked
// entities (state 4).

#include "view/OrvikCadView.h"

#include "model/Document.h"
#include "model/EditDoor.h"
#include "model/Settings.h"
#include "model/SnapPointList.h"
#include "resources/Menus.h"
#include "resources/Resource.h"
#include "platform/Ui.h"
#include "view/DrawTool.h"
#include "view/ToolList.h"
#include "view/ToolState.h"
#include "model/EntityKinds.h"

#include <unordered_set>
#include <vector>

namespace {

bool AnyMarked(const COrvikCadDoc* doc)
{
    if (doc)
        for (const CEntity* e = doc->list.first; e; e = e->next)
            if (e->state == EntityState::Marked)
                return true;
    return false;
}

// Headers given state -1 let go of every entity they still own.
void FreeMembersOf(CEntityList& list, const std::unordered_set<const CEntity*>& dropped)
{
    if (dropped.empty())
        return;
    for (CEntity* e = list.first; e; e = e->next) {
        if (e->owner && dropped.contains(e->owner)) {
            e->owner = nullptr;
            e->group = 0;
        }
    }
}

} // namespace

unsigned COrvikCadView::ContextMenuFor() const
{
    const int tool = CurrentToolId;
    if (tool != ToolId::Select && tool != ToolId::Move && tool != ToolId::Transform && InputPointCount == 0)
        return 0;
    const int sub = ToolSubMode;
    switch (tool) {
    case ToolId::Select: {
        static constexpr unsigned bySubMode[] = {0, IDR_GROUP_REGISTER_MENU, IDR_GROUP_RELEASE_MENU, IDR_PARTS_MENU,
                                                 IDR_LIST_EDIT_MENU};
        return SelectionArmed && sub >= 0 && sub <= 4 ? bySubMode[sub] : 0;
    }
    case ToolId::Line:
        if (BaseMarkerHidden != 1 &&
            (sub == 0 || sub == 1 || sub == 3 || (sub == 4 && ParallelDistanceGiven) || (sub == 6 && InputPointCount >= 3)))
            return IDR_NUMERIC_MENU;
        return 0;
    case ToolId::Circle:
        if (sub == 0 || sub == 3 || (sub >= 6 && sub <= 9) || (sub == 4 && InputPointCount >= 2))
            return IDR_NUMERIC_MENU;
        return 0;
    case ToolId::Poly:
        return sub == 2 ? IDR_NUMERIC_MENU : 0;
    case ToolId::Move:
        return SelectionArmed && AnyMarked(GetDrawing()) ? IDR_STRETCH_MENU : 0;
    case ToolId::Transform:
        if (!SelectionArmed)
            return 0;
        return sub == 0 ? IDR_SCALE_MENU : (sub == 1 || sub == 2) ? IDR_STRETCH_MENU : 0;
    default:
        return 0;
    }
}

void COrvikCadView::OnContextMenu(int screenX, int screenY)
{
    const unsigned id = ContextMenuFor();
    if (id == 0) {
        // The move tool's armed selection with nothing marked is disarmed.
        if (CurrentToolId == ToolId::Move && SelectionArmed && !AnyMarked(GetDrawing()))
            SelectionArmed = 0;
        return;
    }
    const MenuItem* menu = LoadMenuResource(id);
    if (!menu || menu->items.empty())
        return;
    std::vector<platform::PopupItem> items;
    for (const MenuItem& item : menu->items.front().items)
        items.push_back({item.id, item.text ? QString::fromUtf8(item.text) : QString()});
    const unsigned command = platform::trackPopupMenu(items, screenX, screenY, this);
    if (command != 0)
        OnCmdMsg(command, nullptr);
}

void COrvikCadView::OnGroupRegister()
{
    COrvikCadDoc* doc = GetDrawing();
    if (doc) {
        EntityHeader hd;
        hd.type = EntityType::GroupHeader;
        hd.layer = static_cast<int16_t>(currentLayer);
        hd.count = 4;
        const int16_t* codes = FixedCodes(EntityType::GroupHeader).data();
        const double values[] = {0.0, 0.0, 1.0, 0.0};
        EditDoor door(*doc, /*keepUndo=*/true);
        if (CEntity* header = door.Add(hd, codes, 0, values)) {
            std::unordered_set<const CEntity*> dropped;
            for (CEntity* e = doc->list.first; e && e != header; e = e->next) {
                if (e->state != EntityState::Marked)
                    continue;
                // A dimension keeps its own lines and texts; the dimension
                // record joins the group for them.
                if (e->owner && e->owner->type == EntityType::Dimension)
                    continue;
                if (e->owner && e->owner->type == EntityType::GroupHeader) {
                    doc->list.MarkDeleted(e->owner);
                    dropped.insert(e->owner);
                }
                e->owner = header;
                e->group = header->group;
            }
            FreeMembersOf(doc->list, dropped);
        }
    }
    if (CDrawTool* tool = FindCurrentTool())
        tool->Reset(this);
}

void COrvikCadView::OnGroupRelease()
{
    COrvikCadDoc* doc = GetDrawing();
    if (doc && !doc->RefuseWhenProtected()) {
        std::unordered_set<const CEntity*> dropped;
        for (CEntity* e = doc->list.first; e; e = e->next) {
            if (e->state != EntityState::Marked || !e->owner || e->owner->type != EntityType::GroupHeader)
                continue;
            doc->list.MarkDeleted(e->owner);
            dropped.insert(e->owner);
            e->owner = nullptr;
            e->group = 0;
        }
        FreeMembersOf(doc->list, dropped);
        doc->list.DiscardUndo(&doc->snaps);
        doc->modified = true;
    }
    if (CDrawTool* tool = FindCurrentTool())
        tool->Reset(this);
}
