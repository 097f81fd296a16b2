// Copying marked entities from one drawing into another: the base-point
// click copies them into EntityBuffer, the click in the drawing activated
// afterwards pastes them there through the move engine.

#include "edit_tools/MoveTool.h"

#include "edit_tools/ReplaceSelection.h"
#include "model/Document.h"
#include "model/EntityList.h"
#include "model/Settings.h"
#include "model/SnapPointList.h"
#include "view/FrameHost.h"
#include "view/OrvikCadView.h"

void CMoveTool::ClickCopyBetweenDrawings(COrvikCadView* view, platform::Point point)
{
    COrvikCadDoc* doc = view->GetDrawing();
    if (!doc)
        return;
    if (InputPointCount == 2) {
        TakeStepPoint(view, point);
        InputPointCount = 3;
        ShowPrompt("複写先のウィンドウをアクティブにして下さい。");
        doc->list.DiscardUndo(&doc->snaps);
        CopySelectionToBuffer(view);
        // Clicks in this drawing wait until another one is activated.
        OperationRestarted = 0;
        EraseMagnetMarker(view);
        return;
    }
    if (InputPointCount != 3)
        return;
    TakeStepPoint(view, point);
    ShowPrompt("倍率・回転角度の入力を行って下さい。");
    ShowPrompt("複写する図形要素を選んでください。");
    TransformSelection(view, 1, 0, MoveScale, MoveAngle);
    EntityBuffer.RemoveAll();
    InputPointCount = 0;
    EndOperation(view);
}

void CMoveTool::CopySelectionToBuffer(COrvikCadView* view)
{
    COrvikCadDoc* doc = view->GetDrawing();
    if (!doc)
        return;
    // Whatever an earlier copy left behind is not pasted with this one.
    EntityBuffer.RemoveAll();
    for (CEntity* e = doc->list.first; e; e = e->next) {
        if (e->state != EntityState::Marked || e->type == EntityType::Grid)
            continue;
        e->state = EntityState::Normal;
        if (e->type == EntityType::FreehandCurve)
            CopyFreeCurveToBuffer(view, *e);
        else if (e->type == EntityType::Dimension)
            CopyDimensionToBuffer(view, *e);
        else
            AddToBuffer(view, *e);
    }
    doc->snaps.CopyStatesFromEntities();
    // The marks go with one repaint.
    view->Buffer().InvalidateAll(true);
}

void CMoveTool::CopyFreeCurveToBuffer(COrvikCadView* view, const CEntity& curve)
{
    AddToBuffer(view, curve);
}

void CMoveTool::CopyDimensionToBuffer(COrvikCadView* view, const CEntity& dimension)
{
    switch (dimension.subtype) {
    case 1:
    case 2:
        CopyDimensionKind1or2ToBuffer(view, dimension, dimension.subtype == 2 ? 1 : 0);
        break;
    case 6:
    case 7:
        CopyDimensionKind6or7ToBuffer(view, dimension, dimension.subtype == 7 ? 1 : 0);
        break;
    case 0:
    case 3:
    case 4:
    case 5:
    case 8:
        AddToBuffer(view, dimension);
        break;
    default:  // no copy
        break;
    }
}

void CMoveTool::CopyDimensionKind1or2ToBuffer(COrvikCadView* view, const CEntity& dimension, int)
{
    AddToBuffer(view, dimension);
}

void CMoveTool::CopyDimensionKind6or7ToBuffer(COrvikCadView* view, const CEntity& dimension, int)
{
    AddToBuffer(view, dimension);
}

void CMoveTool::AddToBuffer(COrvikCadView* view, const CEntity& source)
{
    switch (source.type) {
    case EntityType::HorizontalInfiniteLine:
    case EntityType::VerticalInfiniteLine:
    case EntityType::InfiniteLine:
    case EntityType::GroupHeader:
        return;
    default:
        break;
    }
    // The members of a dimension come back with their dimension's copy.
    if (IsDimensionMember(&source))
        return;
    // The values as they stand, the codes by type; a plain entity of the
    // current layer, in no group, in the default face.
    TransformPolicy policy;
    policy.layer = static_cast<int16_t>(view->currentLayer);
    policy.ellipsesKeepLayer = false;
    policy.keepGroup = false;
    policy.keepFont = false;
    policy.keepStoredForm = true;
    std::optional<EntityCopy> copy = TransformedCopy(source, TransformMatrix{}, 1.0, 0.0, policy);
    if (!copy)
        return;
    if (source.type == EntityType::Point || source.type == EntityType::Curve ||
        source.type == EntityType::CurveVariant25 || source.type == EntityType::CurveVariant27 ||
        source.type == EntityType::FreehandCurve)
        copy->header.subtype = 0;
    copy->header.layer = policy.layer;
    AddEntityCopy(EntityBuffer, *copy);
}
