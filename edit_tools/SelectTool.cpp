// The selection tool: button handling, click and window selection, select
// all, reset, the double click and the deletion of the last clicked unit.

#include "edit_tools/SelectTool.h"

#include "model/Document.h"
#include "model/EditProtocol.h"
#include "model/EntityBox.h"
#include "model/SnapPointList.h"
#include "model/Settings.h"
#include "view/OrvikCadView.h"

#include <cstdlib>
#include <unordered_set>

std::function<int(COrvikCadView*, CEntity*)> EntityPropertiesEditor;

namespace {

// A release closer than this to the press (pixels, each axis) is a click.
constexpr int ClickTolerance = 10;
// A drag moved less than this (pixels, each axis) is dropped.
constexpr int DragTolerance = 2;

CEntity* UnitOf(CEntity* e)
{
    return e->owner ? e->owner : e;
}

int PickFilter()
{
    // With the magnet off the pick looks at the grid record only.
    return MagnetEnabled ? 1 : -999;
}

int EditEntityProperties(COrvikCadView* view, CEntity* entity)
{
    return EntityPropertiesEditor ? EntityPropertiesEditor(view, entity) : 1;
}

} // namespace

void SetGroupMembersState(COrvikCadView* view, CEntity* owner, int16_t state)
{
    COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    // Only group headers and dimensions own entities.
    if (!doc || !owner || (owner->type != EntityType::GroupHeader && owner->type != EntityType::Dimension))
        return;
    auto dc = view->GetClientDc();
    for (CEntity* e = doc->list.first; e; e = e->next) {
        if (e->owner != owner)
            continue;
        e->state = state;
        view->DrawEntity(*dc, e, state);
    }
}

void CSelectTool::ClearStates(COrvikCadView* view, int16_t a, int16_t b)
{
    COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    if (!doc)
        return;
    for (CEntity* e = doc->list.first; e; e = e->next) {
        if (e->state != a && e->state != b)
            continue;
        e->state = EntityState::Normal;
        view->InvalidateEntity(e);
    }
}

void CSelectTool::ForgetSelection()
{
    m_selectState = 0;
    m_primary = nullptr;
    m_hitEntity = nullptr;
    SelectionArmed = 0;
}

void CSelectTool::OnLButtonDown(COrvikCadView* view, unsigned, platform::Point* point)
{
    if (!view || !point || view->rButtonDown == 1)
        return;
    // No release takes a marker left from an earlier drag.
    EraseMagnetMarker(view);
    {
        auto dc = view->GetClientDc();
        savedRop2 = static_cast<int>(dc->GetRop2());
    }
    m_dragKind = 0;
    ButtonDownPending = 1;
    anchor = corner = *point;
    if (m_selectState != 1)
        return;

    CEntity* unit = nullptr;
    bool armed = false;
    double x = 0, y = 0;
    int kind = 0;
    if (CEntity* handle = view->FindNearestSelectedSnapPoint(point->x, point->y, x, y, kind)) {
        m_grabbedKind = kind;
        unit = UnitOf(handle);
        if (kind == SnapKind::LineMidpoint) {
            m_dragKind = 2;
            BeginMidpointDrag(view, unit, x, y, kind);
        } else {
            m_dragKind = 1;
            BeginHandleDrag(view, unit, x, y, kind);
        }
        m_primary = unit;
    } else {
        CEntity* picked = view->PickEntity(PickFilter(), point->x, point->y, x, y);
        if (!picked) {
            ClearStates(view, EntityState::Selected, EntityState::Selected);
            ForgetSelection();
            return;
        }
        unit = UnitOf(picked);
        armed = picked->state == EntityState::Selected;
    }
    if (armed || unit->state == EntityState::Selected) {
        m_dragStart = anchor = corner = *point;
        m_selectState = 2;
        return;
    }
    const SubModeRow* row = RowOf(ToolSubMode);
    ClearStates(view, EntityState::Selected, row ? row->pressClears : EntityState::Selected);
    ForgetSelection();
}

const CSelectTool::SubModeRow* CSelectTool::RowOf(int subMode)
{
    using Step = SubModeStep<CSelectTool>;
    static const SubModeRow rows[] = {
        {Step{"", &CSelectTool::ReleaseSelecting, &CSelectTool::MoveSelecting, &CSelectTool::Reset},
         EntityState::Selected, true},
        {Step{"", &CSelectTool::ReleaseMarking, &CSelectTool::MoveMarking, &CSelectTool::ArmWhenAnyMarked},
         EntityState::Selected, false},
        {Step{"", &CSelectTool::ReleaseMarkingUnit, nullptr, nullptr}, EntityState::Marked, false},
        {Step{"", &CSelectTool::ReleaseMarking, &CSelectTool::MoveMarking, &CSelectTool::ArmWhenAnyMarked},
         EntityState::Selected, false},
        {Step{"", &CSelectTool::ReleaseMarking, &CSelectTool::MoveMarking, &CSelectTool::ArmWhenAnyMarked},
         EntityState::Selected, false},
    };
    return FindSubModeRow(rows, subMode);
}

void CSelectTool::OnMouseMove(COrvikCadView* view, unsigned, platform::Point* point)
{
    if (!view || !point)
        return;
    if (const SubModeRow* row = RowOf(ToolSubMode))
        RunStep(*this, row->step.move, view, *point);
}

void CSelectTool::MoveSelecting(COrvikCadView* view, platform::Point point)
{
    if (m_selectState != 2) {
        MoveMarking(view, point);
        return;
    }
    DrawDragPreview(view, point);
    corner = point;
}

void CSelectTool::MoveMarking(COrvikCadView* view, platform::Point point)
{
    if (m_selectState != 2 && ButtonDownPending)
        DrawDragRect(view, point, 0);
}

void CSelectTool::OnLButtonUp(COrvikCadView* view, unsigned, platform::Point* point)
{
    m_previewShown = 0;
    EndDragPreview();
    if (view && point)
        if (const SubModeRow* row = RowOf(ToolSubMode))
            RunStep(*this, row->step.click, view, *point);
    ButtonDownPending = 0;
    XorPreviewShown = 0;
}

void CSelectTool::EndWindowBand(COrvikCadView* view)
{
    if (ButtonDownPending != 1)
        return;
    const bool bandShown = XorPreviewShown == 1;
    XorPreviewShown = 0;
    ButtonDownPending = 0;
    if (m_selectState == 0 && bandShown)
        DrawDragRect(view, corner, 0);
}

void CSelectTool::SelectByClickOrWindow(COrvikCadView* view, platform::Point point, int16_t state)
{
    if (std::abs(corner.x - anchor.x) < ClickTolerance && std::abs(corner.y - anchor.y) < ClickTolerance)
        SelectAtPoint(view, point, state);
    else
        SelectInWindow(view, point, state);
    if (m_selectState == 1)
        SelectionArmed = 1;
}

void CSelectTool::ReleaseSelecting(COrvikCadView* view, platform::Point point)
{
    EndWindowBand(view);
    if (m_selectState == 0) {
        SelectByClickOrWindow(view, point, EntityState::Selected);
        return;
    }
    if (m_selectState != 2)
        return;
    if (std::abs(corner.x - anchor.x) < DragTolerance && std::abs(corner.y - anchor.y) < DragTolerance) {
        Reset(view);
    } else if (m_dragKind == 0) {
        ApplyMove(view, point);
    } else if (m_dragKind == 1) {
        ApplyStretch(view, point);
    } else if (m_dragKind == 2) {
        ApplyMidpointDrag(view, point);
    }
    EraseMagnetMarker(view);
    m_dragKind = 0;
    InputPointCount = 0;
    ForgetSelection();
}

void CSelectTool::ReleaseMarking(COrvikCadView* view, platform::Point point)
{
    EndWindowBand(view);
    if (m_selectState == 0)
        SelectByClickOrWindow(view, point, EntityState::Marked);
}

void CSelectTool::ReleaseMarkingUnit(COrvikCadView* view, platform::Point point)
{
    SelectionArmed = 0;
    SelectAtPoint(view, point, EntityState::Marked);
    if (m_selectState == 1 && m_primary && m_primary->type == EntityType::GroupHeader)
        SelectionArmed = 1;
}

void CSelectTool::SelectAtPoint(COrvikCadView* view, platform::Point point, int16_t state)
{
    COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    if (!doc)
        return;
    double x = 0, y = 0;
    view->pickCurrentLayerOnly = 1;
    CEntity* picked = view->PickEntity(PickFilter(), point.x, point.y, x, y);
    view->pickCurrentLayerOnly = 0;
    if (!picked || picked->type == EntityType::Grid || picked->layer != static_cast<int>(view->currentLayer))
        return;
    m_hitEntity = picked;
    CEntity* unit = UnitOf(picked);
    const int16_t now = unit->state == state ? EntityState::Normal : state;
    unit->state = now;
    SetGroupMembersState(view, unit, now);
    {
        auto dc = view->GetClientDc();
        view->DrawEntity(*dc, unit, now);
    }
    m_selectState = 1;
    m_primary = unit;
}

void CSelectTool::SelectInWindow(COrvikCadView* view, platform::Point point, int16_t state)
{
    COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    if (!doc)
        return;
    int x1 = anchor.x, y1 = anchor.y, x2 = point.x, y2 = point.y;
    NormalizeRect(x1, y1, x2, y2);
    WorldRect r{view->XToModel(x1), view->YToModel(y1), view->XToModel(x2), view->YToModel(y2)};
    NormalizeWorldRect(r.xmin, r.ymin, r.xmax, r.ymax);

    // Owners taken along are collected and their members set in one pass
    // afterwards, so that a window over many grouped entities stays linear.
    std::unordered_set<CEntity*> owners;
    {
        auto dc = view->GetClientDc();
        for (CEntity* e = doc->list.first; e; e = e->next) {
            if (e->state == EntityState::Deleted || e->layer != static_cast<int>(view->currentLayer) ||
                !IsInsideRect(r, e))
                continue;
            e->state = state;
            if (CEntity* owner = e->owner; owner && owners.insert(owner).second) {
                owner->state = state;
                view->DrawEntity(*dc, owner, state);
            }
            view->DrawEntity(*dc, e, state);
        }
        if (!owners.empty()) {
            for (CEntity* e = doc->list.first; e; e = e->next) {
                if (!e->owner || e->state == state || !owners.contains(e->owner))
                    continue;
                e->state = state;
                view->DrawEntity(*dc, e, state);
            }
        }
    }
    m_primary = nullptr;
    m_selectState = 1;
}

void CSelectTool::SelectAll(COrvikCadView* view)
{
    COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    if (!doc)
        return;
    {
        auto dc = view->GetClientDc();
        for (CEntity* e = doc->list.first; e; e = e->next) {
            if (e->type == EntityType::Grid || e->state == EntityState::Deleted ||
                e->layer != static_cast<int>(view->currentLayer))
                continue;
            e->state = EntityState::Selected;
            view->DrawEntity(*dc, e, EntityState::Selected);
        }
    }
    m_primary = nullptr;
    m_selectState = 1;
}

void CSelectTool::Reset(COrvikCadView* view)
{
    EndDragPreview();
    EraseMagnetMarker(view);
    ClearStates(view, EntityState::Selected, EntityState::Marked);
    ForgetSelection();
}

void CSelectTool::OnLButtonDblClk(COrvikCadView* view, unsigned flags, platform::Point* point)
{
    if (!view || !point)
        return;
    if (!m_primary)
        OnLButtonUp(view, flags, point);
    const SubModeRow* row = RowOf(ToolSubMode);
    if (!row || !row->opensProperties || !m_primary)
        return;
    COrvikCadDoc* doc = view->GetDrawing();
    CEntity* entity = m_hitEntity;
    if (doc && entity && EntityIsLinked(doc->list, entity)) {
        if (entity->owner && entity->owner->type == EntityType::Dimension) {
            entity = entity->owner;
            m_hitEntity = entity;
        }
        // The dialog may replace (and free) the entity: its area is taken
        // before it opens and marked for repainting after an OK.
        const ModelBox box = EntityScreenBox(*entity);
        if (EditEntityProperties(view, entity) == 0)
            view->InvalidateModelBox(box);
    }
    ClearStates(view, EntityState::Selected, EntityState::Selected);
    ForgetSelection();
}

void CSelectTool::OnRButtonDown(COrvikCadView* view, unsigned, platform::Point*)
{
    if (const SubModeRow* row = RowOf(ToolSubMode))
        RunStep(*this, row->step.cancel, view);
}

void CSelectTool::ArmWhenAnyMarked(COrvikCadView* view)
{
    COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    if (SelectionArmed != 0 || !doc)
        return;
    for (const CEntity* e = doc->list.first; e; e = e->next) {
        if (e->state == EntityState::Marked) {
            SelectionArmed = 1;
            return;
        }
    }
}

void CSelectTool::DeleteSelected(COrvikCadView* view)
{
    COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    if (!m_primary || !doc)
        return;
    CEntity* target = m_primary;
    m_primary = nullptr;
    if (!EntityIsLinked(doc->list, target) || doc->RefuseWhenProtected())
        return;
    view->InvalidateEntity(target);
    BeginEdit(doc->list, &doc->snaps);
    if (target->type == EntityType::Dimension || target->type == EntityType::GroupHeader) {
        for (CEntity* e = doc->list.first; e; e = e->next)
            if (e->owner == target)
                view->InvalidateEntity(e);
        DeleteOwnerWithMembers(doc->list, &doc->snaps, target);
    } else if (target->owner) {
        for (CEntity* e = doc->list.first; e; e = e->next)
            if (e->owner == target->owner || e == target->owner)
                view->InvalidateEntity(e);
        DeleteOwnerWithMembers(doc->list, &doc->snaps, target->owner);
    } else {
        CEntity* const doomed[] = {target};
        DeleteEntities(doc->list, &doc->snaps, doomed);
    }
    for (CEntity* e = doc->list.undoChain; e; e = e->next)
        e->state = EntityState::Normal;
    doc->modified = true;
}
