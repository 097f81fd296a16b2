// CLineTool: construction, the dispatch of the view's calls to the
// sub-modes, the point of a click and the making of a line.

#include "tools/LineTool.h"

#include "view/OrvikCadView.h"
#include "model/Settings.h"
#include "tools/ToolEdit.h"

#include <cmath>

CLineTool::CLineTool() : CDrawTool(ToolId::Line)
{
    readoutKind = 0;
    XorPreviewShown = 0;
}

const char* CLineTool::FirstPrompt(int subMode)
{
    switch (subMode) {
    case LineToolMode::Line:
        return "直線を作図します。始端を指示して下さい。";
    case LineToolMode::Continuous:
        return "連続線を作図します。始端を指示して下さい。";
    case LineToolMode::Infinite:
        return "無限線を作図します。";
    case LineToolMode::Perpendicular:
        return "垂線を作図します。対象となる線を指示して下さい。";
    case LineToolMode::Parallel:
        return "平行基準線を指示して下さい。";
    case LineToolMode::CentreLine:
        return "中心線を作図します。対象とする線分を選んでください。";
    case LineToolMode::WithWidth:
        return "幅付き線を作図します。始端を指示して下さい。";
    case LineToolMode::Tangent:
        return "接線を作図します。円をクリックして下さい。";
    case LineToolMode::AngleMoved:
        return "基準となる点または線を指示して下さい。";
    default:
        return "";
    }
}

bool CLineTool::AxisBand(int subMode)
{
    switch (subMode) {
    case LineToolMode::Line:
        return LineMode == 1;
    case LineToolMode::Continuous:
        return ContinuousLineMode != 0;
    case LineToolMode::WithWidth:
        return DoubleLineMode != 0;
    default:
        return false;
    }
}

// ---- the view's calls ----

void CLineTool::FocusOptionBox(COrvikCadView*)
{
    switch (ToolSubMode) {
    case LineToolMode::Line:
    case LineToolMode::Continuous:
    case LineToolMode::Infinite:
    case LineToolMode::Perpendicular:
    case LineToolMode::WithWidth:
    case LineToolMode::AngleMoved:
        FocusMainOptionBox();
        break;
    default:
        break;
    }
}

void CLineTool::OnLButtonDown(COrvikCadView* view, unsigned, platform::Point*)
{
    RecordRop2(view);
}

void CLineTool::OnLButtonDblClk(COrvikCadView* view, unsigned, platform::Point*)
{
    // The click before the double click added the chain's last segment;
    // what marks the chain's start goes with it.
    EraseReadout(view);
    // The constructed lines give their picked entities back first.
    if (InputPointCount != 0) {
        const int16_t restarted = OperationRestarted;
        switch (ToolSubMode) {
        case LineToolMode::Perpendicular:
            CancelPerpendicular(view);
            break;
        case LineToolMode::Parallel:
            CancelParallel(view);
            break;
        case LineToolMode::CentreLine:
            CancelCentreLine(view);
            break;
        case LineToolMode::Tangent:
            CancelTangent(view);
            break;
        default:
            break;
        }
        OperationRestarted = restarted;
    }
    EraseBandAndCross();
    EraseDottedGuide();
    previewShown = 0;
    InputPointCount = 0;
    // The chain has ended: the prompt asks for a new start, not an end.
    if (ToolSubMode == LineToolMode::Continuous)
        Prompt(ContinuousLineMode == 0 ? "折れ線を作図します。始端を指示して下さい。"
                                       : "水平垂直連続線を作図します。開始位置を指示して下さい。");
    else
        Prompt(FirstPrompt(ToolSubMode));
}

void CLineTool::OnLButtonUp(COrvikCadView* view, unsigned, platform::Point* point)
{
    if (!view || !point)
        return;
    const platform::Point p = *point;
    EraseReadout(view);
    switch (ToolSubMode) {
    case LineToolMode::Line:
        if (LineMode == 0)
            ClickLine(view, p);
        else if (LineMode == 1)
            ClickAxisLine(view, p);
        break;
    case LineToolMode::Continuous:
        if (ContinuousLineMode == 0)
            ClickContinuousLine(0, view, p);
        else
            ClickAxisContinuousLine(0, view, p);
        break;
    case LineToolMode::Infinite:
        if (InfiniteLineMode == 0)
            ClickHorizontalInfiniteLine(view, p);
        else if (InfiniteLineMode == 1)
            ClickVerticalInfiniteLine(view, p);
        else if (InfiniteLineMode == 2)
            ClickObliqueInfiniteLine(view, p);
        break;
    case LineToolMode::Perpendicular:
        if (InputPointCount == 0)
            PickPerpendicularBase(view, p);
        else
            ClickPerpendicular(view, p);
        break;
    case LineToolMode::Parallel:
        if (ParallelDistanceGiven == 1)
            ClickParallelByDistance(view, p);
        else
            ClickParallel(view, p);
        break;
    case LineToolMode::CentreLine:
        if (InputPointCount < 2)
            PickCentreLineSources(view, p);
        else
            ClickCentreLineEnd(view, p);
        break;
    case LineToolMode::WithWidth:
        if (DoubleLineMode == 0)
            ClickContinuousLine(1, view, p);
        else
            ClickAxisContinuousLine(1, view, p);
        break;
    case LineToolMode::Tangent:
        ClickTangent(view, p);
        break;
    case LineToolMode::AngleMoved:
        ClickAngleMovedLine(view, p);
        break;
    default:
        break;
    }
    readoutKind = 0;
    XorPreviewShown = 0;
}

void CLineTool::OnMouseMove(COrvikCadView* view, unsigned, platform::Point* point)
{
    if (!view || !point)
        return;
    const platform::Point p = *point;
    lastMouse = p;
    const int sub = ToolSubMode;
    if (InputPointCount >= 1) {
        switch (sub) {
        case LineToolMode::Line:
            if (LineMode != 0)
                DrawAxisPreview(view, p);
            else if (LineLengthGiven == 1)
                DrawFixedLengthPreview(view, p, true);
            else if (LineAngleGiven != 0)
                DrawFixedAnglePreview(view, p);
            else
                DrawFreeRubberBand(view, p);
            break;
        case LineToolMode::Continuous:
        case LineToolMode::WithWidth:
            // A chain follows its fixed length whatever the line panel's
            // angle says: its clicks never take that angle.
            if (AxisBand(sub))
                DrawAxisPreview(view, p);
            else if (LineLengthGiven != 0)
                DrawFixedLengthPreview(view, p, false);
            else
                DrawFreeRubberBand(view, p);
            break;
        case LineToolMode::Perpendicular:
            if (InputPointCount == 1)
                DrawPerpendicularGuidePreview(view, p);
            else if (InputPointCount == 2)
                DrawPerpendicularSegmentPreview(view, p, 0);
            else if (InputPointCount == 3)
                DrawPerpendicularSegmentPreview(view, p, 1);
            break;
        case LineToolMode::Parallel:
            if (ParallelDistanceGiven == 0)
                DrawParallelPreview(view, p);
            break;
        case LineToolMode::CentreLine:
            if (InputPointCount == 2)
                DrawPerpendicularGuidePreview(view, p);
            else if (InputPointCount == 3)
                DrawPerpendicularSegmentPreview(view, p, 2);
            break;
        default:
            break;
        }
    }

    if (LengthReadoutEnabled && LineLengthGiven == 0 && LineAngleGiven == 0 && LineMode == 0 &&
        (sub == LineToolMode::Line || sub == LineToolMode::Continuous || sub == LineToolMode::WithWidth) &&
        InputPointCount != 0)
        ShowReadout(view, Readout::Free, view->XToModel(p.x), view->YToModel(p.y), 0);

    UpdateMagnetMarker(view, p);
}

void CLineTool::OnRButtonDown(COrvikCadView* view, unsigned, platform::Point*)
{
    EraseReadout(view);
    switch (ToolSubMode) {
    case LineToolMode::WithWidth:
        if (InputPointCount != 0)
            CancelWidthLine(view);
        break;
    case LineToolMode::Parallel:
        if (InputPointCount != 0)
            CancelParallel(view);
        break;
    case LineToolMode::CentreLine:
        // Also at the first step: the operation starts afresh.
        CancelCentreLine(view);
        break;
    case LineToolMode::Tangent:
        if (InputPointCount != 0)
            CancelTangent(view);
        break;
    default:
        // The other sub-modes leave the right button to the view's menu.
        break;
    }
}

void CLineTool::Reset(COrvikCadView* view)
{
    if (InputPointCount == 0)
        return;
    XorPreviewShown = 0;
    EraseReadout(view);
    switch (ToolSubMode) {
    case LineToolMode::Line:
        if (previewShown)
            CancelRubberBand(view);
        Prompt(FirstPrompt(LineToolMode::Line));
        break;
    case LineToolMode::Continuous:
        // Also after the numeric input took the band away: the prompt of
        // the cancelled chain goes.
        CancelRubberBand(view);
        break;
    case LineToolMode::WithWidth:
        CancelWidthLine(view);
        break;
    case LineToolMode::Perpendicular:
        CancelPerpendicular(view);
        break;
    case LineToolMode::Parallel:
        CancelParallel(view);
        break;
    case LineToolMode::CentreLine:
        CancelCentreLine(view);
        break;
    case LineToolMode::Tangent:
        CancelTangent(view);
        break;
    default:
        break;
    }
    EraseBandAndCross();
    EraseDottedGuide();
    previewShown = 0;
    InputPointCount = 0;
    XorPreviewShown = 0;
    OperationRestarted = 1;
}

void CLineTool::ErasePreview(COrvikCadView* view)
{
    EraseReadout(view);
    switch (ToolSubMode) {
    case LineToolMode::Line:
    case LineToolMode::Continuous:
    case LineToolMode::WithWidth:
        EraseBandAndCross();
        break;
    case LineToolMode::Perpendicular:
        // The guide or segment of the step, and the base marker.
        EraseBandAndCross();
        break;
    case LineToolMode::Parallel:
        if (ParallelDistanceGiven == 0 && previewShown) {
            EraseBand();
            DrawEntityIn(view, HeldReference(view), EntityState::Normal);
        }
        break;
    case LineToolMode::CentreLine:
        if (InputPointCount == 3)
            EraseBand();
        break;
    default:
        break;
    }
    previewShown = 0;
}

// ---- points and lines ----

CEntity* CLineTool::AddLine(ToolEdit& edit, double x1, double y1, double x2, double y2)
{
    return AddLineOfType(edit, EntityType::Line, x1, y1, x2, y2);
}

CEntity* CLineTool::AddLineOfType(ToolEdit& edit, int16_t type, double x1, double y1, double x2, double y2)
{
    // A line that ends where it starts is no line.
    if (x1 == x2 && y1 == y2)
        return nullptr;
    static const int16_t codes[4] = {10, 20, 11, 22};
    const double values[4] = {x1, y1, x2, y2};
    return edit.Add(edit.Header(type, 0, 4), codes, values);
}

GeoPoint CLineTool::PickedOrRaw(COrvikCadView* view, platform::Point point, int filter)
{
    double x = 0.0, y = 0.0;
    if (view->PickEntity(MagnetEnabled ? filter : -999, point.x, point.y, x, y))
        return {x, y};
    return {view->XToModel(point.x), view->YToModel(point.y)};
}

void CLineTool::DrawEntityIn(COrvikCadView* view, CEntity* entity, int state)
{
    if (!view || !entity)
        return;
    EraseMagnetMarker(view);
    auto dc = view->GetClientDc();
    view->DrawEntity(*dc, entity, state);
}

CEntity* CLineTool::HeldReference(COrvikCadView* view) const
{
    return view ? refHeld_.Get(view->GetDrawing()) : nullptr;
}
