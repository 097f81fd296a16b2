// The delete tool: its slots, the single delete and the crossing-line
// delete.

#include "edit_tools/DeleteTool.h"

#include "model/Document.h"
#include "model/EditProtocol.h"
#include "model/Notify.h"
#include "model/SegmentCrossing.h"
#include "model/SnapPointList.h"
#include "view/OrvikCadView.h"

#include <algorithm>

namespace {

// Owners nest (a group may own a group); deeper chains are taken as broken.
constexpr int MaxOwnerDepth = 64;

bool OwnerDeleted(const CEntity* e)
{
    int depth = 0;
    for (const CEntity* o = e->owner; o && depth < MaxOwnerDepth; o = o->owner, ++depth)
        if (o->state == EntityState::Deleted)
            return true;
    return false;
}

CEntity* OutermostOwner(CEntity* e)
{
    int depth = 0;
    while (e->owner && depth++ < MaxOwnerDepth)
        e = e->owner;
    return e;
}

} // namespace

void CDeleteTool::DeleteWithMembers(COrvikCadView* view, std::vector<CEntity*> doomed)
{
    COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    if (!doc)
        return;
    const bool owners = std::any_of(doomed.begin(), doomed.end(), [](const CEntity* e) {
        return e->type == EntityType::Dimension || e->type == EntityType::GroupHeader;
    });
    if (!doomed.empty() && !owners) {
        // Nothing to look for in the list: no member goes along.
        for (CEntity* e : doomed)
            view->InvalidateEntity(e);
        DeleteEntities(doc->list, &doc->snaps, doomed);
        doc->SetModifiedFlag(true);
        return;
    }
    for (CEntity* e : doomed)
        e->state = EntityState::Deleted;
    doomed.clear();
    for (CEntity* e = doc->list.first; e; e = e->next) {
        if (e->state != EntityState::Deleted && !OwnerDeleted(e))
            continue;
        e->state = EntityState::Deleted;
        doomed.push_back(e);
        view->InvalidateEntity(e);
    }
    if (doomed.empty())
        return;
    DeleteEntities(doc->list, &doc->snaps, doomed);
    doc->SetModifiedFlag(true);
}

const CDeleteTool::SubModeRow* CDeleteTool::RowOf(int subMode)
{
    static const SubModeRow rows[] = {
        {{"", &CDeleteTool::DeleteSingle, nullptr, nullptr}, false},
        {{"削除クロス線の開始位置を指示して下さい。", &CDeleteTool::CrossDelete, &CDeleteTool::DrawRubberBand, nullptr},
         false},
        {{"グループ領域の開始位置を指示して下さい。", &CDeleteTool::GroupDelete, &CDeleteTool::DrawAreaBand, nullptr},
         true},
    };
    return FindSubModeRow(rows, subMode);
}

void CDeleteTool::OnLButtonDown(COrvikCadView* view, unsigned, platform::Point*)
{
    const SubModeRow* row = RowOf(ToolSubMode);
    if (row && row->recordsMix)
        RecordRop2(view);
}

void CDeleteTool::OnLButtonUp(COrvikCadView* view, unsigned, platform::Point* point)
{
    if (view && point)
        if (const SubModeRow* row = RowOf(ToolSubMode))
            RunStep(*this, row->step.click, view, *point);
    XorPreviewShown = 0;
}

void CDeleteTool::OnMouseMove(COrvikCadView* view, unsigned, platform::Point* point)
{
    if (!view || !point || InputPointCount == 0)
        return;
    if (const SubModeRow* row = RowOf(ToolSubMode))
        RunStep(*this, row->step.move, view, *point);
}

void CDeleteTool::OnRButtonDown(COrvikCadView* view, unsigned, platform::Point*)
{
    const SubModeRow* row = RowOf(ToolSubMode);
    if (!row || !RunStep(*this, row->step.cancel, view))
        Reset(view);
}

void CDeleteTool::Reset(COrvikCadView*)
{
    if (InputPointCount == 0)
        return;
    band_.Erase();
    XorPreviewShown = 0;
    InputPointCount = 0;
    OperationRestarted = 1;
}

void CDeleteTool::RedrawToolFigures(COrvikCadView* view, platform::Dc& dc)
{
    if (view)
        band_.Redraw(view, dc);
}

void CDeleteTool::DeleteSingle(COrvikCadView* view, platform::Point point)
{
    COrvikCadDoc* doc = view->GetDrawing();
    if (!doc)
        return;
    double x = 0, y = 0;
    CEntity* picked = view->PickEntity(1, point.x, point.y, x, y);
    if (!picked || picked->type == EntityType::Grid) {
        MessageBeep(1);
        return;
    }
    // A member goes with its owner; an owner that is itself a member goes
    // with the group that holds it.
    CEntity* unit = OutermostOwner(picked);
    if (unit->layer != static_cast<int>(view->currentLayer)) {
        MessageBeep(1);
        return;
    }
    if (doc->RefuseWhenProtected())
        return;
    DeleteWithMembers(view, {unit});
}

void CDeleteTool::CrossDelete(COrvikCadView* view, platform::Point point)
{
    const int i = InputPointCount == 0 ? 0 : 1;
    X[i] = view->XToModel(point.x);
    Y[i] = view->YToModel(point.y);
    if (InputPointCount == 0) {
        anchor = corner = point;
        band_.ShowCross(view, altColor, point);
        InputPointCount = 1;
        Prompt("クロス線の終端を指示して下さい。");
        return;
    }
    InputPointCount = 0;
    Prompt(RowOf(1)->step.prompt);
    band_.Erase();
    XorPreviewShown = 0;
    if (point.x == anchor.x && point.y == anchor.y)
        return;
    DeleteCrossedRecords(view);
}

void CDeleteTool::DrawRubberBand(COrvikCadView* view, platform::Point point)
{
    band_.Clear();
    band_.AddCross(anchor);
    band_.AddLine(anchor, point);
    band_.Show(view, altColor);
    corner = point;
    XorPreviewShown = 1;
}

void CDeleteTool::DrawAreaBand(COrvikCadView* view, platform::Point point)
{
    band_.Clear();
    band_.AddRectangle(anchor, point);
    band_.Show(view, altColor, platform::PenStyle::Dot);
    corner = point;
    XorPreviewShown = 1;
}

void CDeleteTool::DeleteCrossedRecords(COrvikCadView* view)
{
    COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    if (!doc)
        return;
    const CrossingSegment s(X[0], Y[0], X[1], Y[1]);
    std::vector<CEntity*> crossed;
    for (CEntity* e = doc->list.first; e; e = e->next) {
        if (e->layer != static_cast<int>(view->currentLayer) || !EntityCrossesSegment(*e, s))
            continue;
        // A part of a dimension takes the dimension along; a member of a
        // group goes alone.
        crossed.push_back(e->owner && e->owner->type == EntityType::Dimension ? e->owner : e);
    }
    if (crossed.empty()) {
        BeginEdit(doc->list, &doc->snaps);
        return;
    }
    if (doc->RefuseWhenProtected())
        return;
    DeleteWithMembers(view, std::move(crossed));
}
