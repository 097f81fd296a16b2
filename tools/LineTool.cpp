// CLineTool: construction, the dispatch of the view's calls to the
// sub-modes, the point of a click and the making of a line.

#include "tools/LineTool.h"

#include "view/OrvikCadView.h"
#include "model/Settings.h"
#include "tools/SubModeSteps.h"
#include "tools/ToolEdit.h"
#include "model/EntityKinds.h"

#include <cmath>

CLineTool::CLineTool() : CDrawTool(ToolId::Line)
{
    readoutKind = 0;
    XorPreviewShown = 0;
}

// ---- the sub-modes ----

// What each sub-mode does with the view's calls. The clicks and moves that
// depend on the sub-mode's option are the small steps below the table.
struct CLineTool::SubModeRow {
    SubModeStep<CLineTool> step;         // first prompt, click, move (while points are taken), right button
    ViewHandler giveBack = nullptr;      // a double click mid-operation: picked entities go back
    ViewHandler reset = nullptr;         // Reset mid-operation
    ViewHandler erase = nullptr;         // ErasePreview
    const char* (*restartPrompt)() = nullptr; // after a double click, when not the first prompt
    bool rightAtFirstStep = false;       // the right button cancels before any point is taken too
    bool focusesOptionBox = false;
    bool freeReadout = false;            // the length read-out follows the mouse
};

const CLineTool::SubModeRow* CLineTool::RowOf(int subMode)
{
    using T = CLineTool;
    static constexpr SubModeRow rows[] = {
        // Line
        {{"直線を作図します。始端を指示して下さい。", &T::ClickLineStep, &T::MoveLineStep, nullptr},
         nullptr, &T::ResetLineStep, &T::ErasePlainPreview, nullptr, false, true, true},
        // Continuous
        {{"連続線を作図します。始端を指示して下さい。", &T::ClickContinuousStep, &T::MoveChainStep, nullptr},
         nullptr, &T::CancelRubberBand, &T::ErasePlainPreview, &T::ChainStartPrompt, false, true, true},
        // Infinite
        {{"無限線を作図します。", &T::ClickInfiniteStep, nullptr, nullptr},
         nullptr, nullptr, nullptr, nullptr, false, true, false},
        // Perpendicular
        {{"垂線を作図します。対象となる線を指示して下さい。", &T::ClickPerpendicularStep, &T::MovePerpendicularStep,
          nullptr},
         &T::CancelPerpendicular, &T::CancelPerpendicular, &T::ErasePlainPreview, nullptr, false, true, false},
        // Parallel
        {{"平行基準線を指示して下さい。", &T::ClickParallelStep, &T::MoveParallelStep, &T::CancelParallel},
         &T::CancelParallel, &T::CancelParallel, &T::EraseParallelPreview, nullptr, false, false, false},
        // CentreLine
        {{"中心線を作図します。対象とする線分を選んでください。", &T::ClickCentreLineStep, &T::MoveCentreLineStep,
          &T::CancelCentreLine},
         &T::CancelCentreLine, &T::CancelCentreLine, &T::EraseCentreLinePreview, nullptr, true, false, false},
        // WithWidth
        {{"幅付き線を作図します。始端を指示して下さい。", &T::ClickWidthStep, &T::MoveChainStep, &T::CancelWidthLine},
         nullptr, &T::CancelWidthLine, &T::ErasePlainPreview, nullptr, false, true, true},
        // Tangent
        {{"接線を作図します。円をクリックして下さい。", &T::ClickTangent, nullptr, &T::CancelTangent},
         &T::CancelTangent, &T::CancelTangent, nullptr, nullptr, false, false, false},
        // AngleMoved
        {{"基準となる点または線を指示して下さい。", &T::ClickAngleMovedLine, nullptr, nullptr},
         nullptr, nullptr, nullptr, nullptr, false, true, false},
    };
    return FindSubModeRow(rows, subMode);
}

const char* CLineTool::FirstPrompt(int subMode)
{
    const SubModeRow* row = RowOf(subMode);
    return row ? row->step.prompt : "";
}

const char* CLineTool::ChainStartPrompt()
{
    return ContinuousLineMode == 0 ? "折れ線を作図します。始端を指示して下さい。"
                                   : "水平垂直連続線を作図します。開始位置を指示して下さい。";
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

// ---- the steps that pick by the sub-mode's option or step ----

void CLineTool::ClickLineStep(COrvikCadView* view, platform::Point p)
{
    if (LineMode == 0)
        ClickLine(view, p);
    else if (LineMode == 1)
        ClickAxisLine(view, p);
}

void CLineTool::ClickContinuousStep(COrvikCadView* view, platform::Point p)
{
    if (ContinuousLineMode == 0)
        ClickContinuousLine(0, view, p);
    else
        ClickAxisContinuousLine(0, view, p);
}

void CLineTool::ClickWidthStep(COrvikCadView* view, platform::Point p)
{
    if (DoubleLineMode == 0)
        ClickContinuousLine(1, view, p);
    else
        ClickAxisContinuousLine(1, view, p);
}

void CLineTool::ClickInfiniteStep(COrvikCadView* view, platform::Point p)
{
    if (InfiniteLineMode == 0)
        ClickHorizontalInfiniteLine(view, p);
    else if (InfiniteLineMode == 1)
        ClickVerticalInfiniteLine(view, p);
    else if (InfiniteLineMode == 2)
        ClickObliqueInfiniteLine(view, p);
}

void CLineTool::ClickPerpendicularStep(COrvikCadView* view, platform::Point p)
{
    if (InputPointCount == 0)
        PickPerpendicularBase(view, p);
    else
        ClickPerpendicular(view, p);
}

void CLineTool::ClickParallelStep(COrvikCadView* view, platform::Point p)
{
    if (ParallelDistanceGiven == 1)
        ClickParallelByDistance(view, p);
    else
        ClickParallel(view, p);
}

void CLineTool::ClickCentreLineStep(COrvikCadView* view, platform::Point p)
{
    if (InputPointCount < 2)
        PickCentreLineSources(view, p);
    else
        ClickCentreLineEnd(view, p);
}

void CLineTool::MoveLineStep(COrvikCadView* view, platform::Point p)
{
    if (LineMode != 0)
        DrawAxisPreview(view, p);
    else if (LineLengthGiven == 1)
        DrawFixedLengthPreview(view, p, true);
    else if (LineAngleGiven != 0)
        DrawFixedAnglePreview(view, p);
    else
        DrawFreeRubberBand(view, p);
}

void CLineTool::MoveChainStep(COrvikCadView* view, platform::Point p)
{
    // A chain follows its fixed length whatever the line panel's angle
    // says: its clicks never take that angle.
    if (AxisBand(ToolSubMode))
        DrawAxisPreview(view, p);
    else if (LineLengthGiven != 0)
        DrawFixedLengthPreview(view, p, false);
    else
        DrawFreeRubberBand(view, p);
}

void CLineTool::MovePerpendicularStep(COrvikCadView* view, platform::Point p)
{
    if (InputPointCount == 1)
        DrawPerpendicularGuidePreview(view, p);
    else if (InputPointCount == 2)
        DrawPerpendicularSegmentPreview(view, p, 0);
    else if (InputPointCount == 3)
        DrawPerpendicularSegmentPreview(view, p, 1);
}

void CLineTool::MoveParallelStep(COrvikCadView* view, platform::Point p)
{
    if (ParallelDistanceGiven == 0)
        DrawParallelPreview(view, p);
}

void CLineTool::MoveCentreLineStep(COrvikCadView* view, platform::Point p)
{
    if (InputPointCount == 2)
        DrawPerpendicularGuidePreview(view, p);
    else if (InputPointCount == 3)
        DrawPerpendicularSegmentPreview(view, p, 2);
}

void CLineTool::ResetLineStep(COrvikCadView* view)
{
    if (previewShown)
        CancelRubberBand(view);
    Prompt(FirstPrompt(LineToolMode::Line));
}

void CLineTool::ErasePlainPreview(COrvikCadView*)
{
    // A band and its start cross; for a perpendicular the guide or segment
    // of the step and the base marker.
    EraseBandAndCross();
}

void CLineTool::EraseParallelPreview(COrvikCadView* view)
{
    if (ParallelDistanceGiven == 0 && previewShown) {
        EraseBand();
        DrawEntityIn(view, HeldReference(view), EntityState::Normal);
    }
}

void CLineTool::EraseCentreLinePreview(COrvikCadView*)
{
    if (InputPointCount == 3)
        EraseBand();
}

// ---- the view's calls ----

void CLineTool::FocusOptionBox(COrvikCadView*)
{
    const SubModeRow* row = RowOf(ToolSubMode);
    if (row && row->focusesOptionBox)
        FocusMainOptionBox();
}

void CLineTool::OnLButtonDown(COrvikCadView* view, unsigned, platform::Point*)
{
    RecordRop2(view);
}

void CLineTool::OnLButtonDblClk(COrvikCadView* view, unsigned, platform::Point*)
{
    const SubModeRow* row = RowOf(ToolSubMode);
    // The click before the double click added the chain's last segment;
    // what marks the chain's start goes with it.
    EraseReadout(view);
    // The constructed lines give their picked entities back first.
    if (InputPointCount != 0 && row && row->giveBack) {
        const int16_t restarted = OperationRestarted;
        (this->*row->giveBack)(view);
        OperationRestarted = restarted;
    }
    EraseBandAndCross();
    EraseDottedGuide();
    previewShown = 0;
    InputPointCount = 0;
    // A chain has ended: the prompt asks for a new start, not an end.
    if (row && row->restartPrompt)
        Prompt(row->restartPrompt());
    else
        Prompt(FirstPrompt(ToolSubMode));
}

void CLineTool::OnLButtonUp(COrvikCadView* view, unsigned, platform::Point* point)
{
    if (!view || !point)
        return;
    EraseReadout(view);
    if (const SubModeRow* row = RowOf(ToolSubMode))
        RunStep(*this, row->step.click, view, *point);
    readoutKind = 0;
    XorPreviewShown = 0;
}

void CLineTool::OnMouseMove(COrvikCadView* view, unsigned, platform::Point* point)
{
    if (!view || !point)
        return;
    const platform::Point p = *point;
    lastMouse = p;
    const SubModeRow* row = RowOf(ToolSubMode);
    if (row && InputPointCount >= 1)
        RunStep(*this, row->step.move, view, p);

    if (LengthReadoutEnabled && LineLengthGiven == 0 && LineAngleGiven == 0 && LineMode == 0 && row &&
        row->freeReadout && InputPointCount != 0)
        ShowReadout(view, Readout::Free, view->XToModel(p.x), view->YToModel(p.y), 0);

    UpdateMagnetMarker(view, p);
}

void CLineTool::OnRButtonDown(COrvikCadView* view, unsigned, platform::Point*)
{
    EraseReadout(view);
    // The sub-modes without a cancel leave the right button to the view's
    // menu.
    const SubModeRow* row = RowOf(ToolSubMode);
    if (row && (InputPointCount != 0 || row->rightAtFirstStep))
        RunStep(*this, row->step.cancel, view);
}

void CLineTool::Reset(COrvikCadView* view)
{
    if (InputPointCount == 0)
        return;
    XorPreviewShown = 0;
    EraseReadout(view);
    if (const SubModeRow* row = RowOf(ToolSubMode))
        RunStep(*this, row->reset, view);
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
    if (const SubModeRow* row = RowOf(ToolSubMode))
        RunStep(*this, row->erase, view);
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
    const int16_t* codes = FixedCodes(EntityType::Line).data();
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
