// CCircleTool: construction, the dispatch of the view's calls to the
// sub-modes, the point of a click, the cancels, the read-out and the circles
// by radius or diameter (with the one-click circle and arc of a given
// radius).

#include "tools/CircleTool.h"

#include "view/FrameHost.h"
#include "view/OrvikCadView.h"
#include "model/GeometryLines.h"
#include "model/Notify.h"
#include "model/Settings.h"
#include "tools/LengthReadout.h"
#include "tools/StartPoint.h"
#include "tools/SubModeSteps.h"
#include "tools/ToolEdit.h"
#include "model/EntityKinds.h"

#include <cmath>
#include <numbers>

using namespace CircleToolMode;

CCircleTool::CCircleTool() : CDrawTool(ToolId::Circle)
{
    readoutKind = 0;
}

// What each sub-mode does with the view's calls; the clicks and moves that
// choose by the step or by an option are the small steps below.
struct CCircleTool::SubModeRow {
    SubModeStep<CCircleTool> step;   // right button: null leaves it to the numeric-input menu
    int readoutBelow = 0;            // the read-out follows the mouse while 0 < points taken < this
    int pickFilter = -10;            // what a click picks while the magnet is on
    bool focusesOptionBox = false;
    ViewHandler erase = nullptr;     // ErasePreview while the step's marks are shown
    bool keepsStepMarks = false;     // the step's marks outlive ErasePreview
};

const CCircleTool::SubModeRow* CCircleTool::RowOf(int subMode)
{
    using T = CCircleTool;
    constexpr int Always = 1000;
    static constexpr const char* EllipsePrompt = "楕円を作図します。主軸の開始位置を指示して下さい。";
    static constexpr SubModeRow rows[] = {
        // RadiusCircle
        {{"円を作図します。中心位置指示して下さい。", &T::ClickRadiusCircleStep, &T::MoveCircleStep, nullptr},
         Always, 0, true, &T::EraseCirclePreview, false},
        // DiameterCircle
        {{"円を作図します。直径の始端を指示して下さい。", &T::ClickCentreRadius, &T::MoveCircleStep,
          &T::CancelByRightButton},
         Always, 0, false, &T::EraseCirclePreview, false},
        // ThreePointCircle
        {{"３点指定円を作図します。開始位置を指示して下さい。", &T::ClickThreePointCircle,
          &T::MoveThreePointCircleStep, &T::CancelByRightButton},
         0, -10, false, nullptr, false},
        // RadiusArc
        {{"円弧を作図します。中心位置を指示して下さい。", &T::ClickRadiusArcStep, &T::MoveArcStep, nullptr},
         2, 0, true, &T::EraseArcPreview, false},
        // DiameterArc
        {{"円弧を作図します。直径開始位置を指示して下さい。", &T::ClickArcStep, &T::MoveArcStep,
          &T::CancelArcByRightButton},
         2, 0, false, &T::EraseArcPreview, false},
        // ThreePointArc
        {{"３点指定円弧を作図します。円弧始端を指示して下さい。", &T::ClickThreePointArc,
          &T::MoveThreePointArcStep, &T::CancelByRightButton},
         0, -10, false, nullptr, false},
        // CentreEllipse, ThreePointEllipse, CentreEllipticArc, ThreePointEllipticArc
        {{EllipsePrompt, &T::ClickEllipse, &T::MoveEllipseStep, nullptr}, 3, -10, false, nullptr, false},
        {{EllipsePrompt, &T::ClickEllipse, &T::MoveEllipseStep, nullptr}, 3, -10, false, nullptr, false},
        {{EllipsePrompt, &T::ClickEllipseArc, &T::MoveEllipseStep, nullptr}, 3, -10, false, nullptr, true},
        {{EllipsePrompt, &T::ClickEllipseArc, &T::MoveEllipseStep, nullptr}, 3, -10, false, nullptr, true},
    };
    return FindSubModeRow(rows, subMode);
}

const char* CCircleTool::FirstPrompt(int subMode)
{
    const SubModeRow* row = RowOf(subMode);
    return row ? row->step.prompt : "";
}

// ---- the steps that choose by the step or by an option ----

void CCircleTool::ClickRadiusCircleStep(COrvikCadView* view, platform::Point p)
{
    if (CircleRadiusGiven != 0)
        ClickCentreGivenRadius(view, p, 0);
    else
        ClickCentreRadius(view, p);
}

void CCircleTool::ClickRadiusArcStep(COrvikCadView* view, platform::Point p)
{
    if (CircleRadiusGiven != 0)
        ClickCentreGivenRadius(view, p, 1);
    else
        ClickArcStep(view, p);
}

void CCircleTool::ClickArcStep(COrvikCadView* view, platform::Point p)
{
    if (InputPointCount >= 2)
        ClickArcEnd(view, p);
    else
        ClickArcStart(view, p);
}

void CCircleTool::MoveCircleStep(COrvikCadView* view, platform::Point p)
{
    if (InputPointCount >= 1)
        DrawCircleRubberBand(view, p);
}

void CCircleTool::MoveThreePointCircleStep(COrvikCadView* view, platform::Point p)
{
    if (InputPointCount == 2)
        DrawThreePointCircleRubberBand(view, p);
}

void CCircleTool::MoveArcStep(COrvikCadView* view, platform::Point p)
{
    if (InputPointCount == 1)
        DrawCircleRubberBand(view, p);
    else if (InputPointCount >= 2)
        DrawArcRubberBand(view, p);
}

void CCircleTool::MoveThreePointArcStep(COrvikCadView* view, platform::Point p)
{
    if (InputPointCount == 2)
        DrawThreePointArcRubberBand(view, p);
}

void CCircleTool::MoveEllipseStep(COrvikCadView* view, platform::Point p)
{
    const int sub = ToolSubMode;
    const int n = InputPointCount;
    if (n == 1) {
        if (sub == CentreEllipse || sub == CentreEllipticArc)
            DrawMajorAxisRubberBand(view, p);
        else
            DrawRubberBandLine(view, p);
    } else if (n == 2) {
        DrawMinorAxisRubberBand(view, p);
    } else if (n == 3 && sub >= CentreEllipticArc) {
        DrawCentreRubberBandLine(view, p);
    } else if (n == 4 && sub >= CentreEllipticArc) {
        DrawEllipticArcRubberBand(view, p);
    }
}

double CCircleTool::DirectionDegrees(double dx, double dy)
{
    if (dx == 0.0 && dy == 0.0)
        return 0.0;
    double t = std::atan2(dy, dx) * 180.0 / std::numbers::pi;
    if (t < 0.0)
        t += 360.0;
    if (t >= 360.0)
        t -= 360.0;
    return t;
}

int CCircleTool::PickFilter()
{
    if (MagnetEnabled == 0)
        return -999;
    const SubModeRow* row = RowOf(ToolSubMode);
    return row ? row->pickFilter : -10;
}

void CCircleTool::AddCircle(COrvikCadView* view, double cx, double cy, double r)
{
    if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(r) || !(r > 0.0))
        return;
    // The new figure is drawn plainly over the screen: an inverted marker
    // under it could not be taken away cleanly afterwards.
    EraseMagnetMarker(view);
    ToolEdit edit(view);
    const int16_t* codes = FixedCodes(EntityType::Circle).data();
    const double values[3] = {cx, cy, r};
    edit.Add(edit.Header(EntityType::Circle, 0, 3), codes, values);
}

void CCircleTool::AddArc(COrvikCadView* view, int direction, double cx, double cy, double r, double start,
                         double end)
{
    if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(r) || !(r > 0.0) || !std::isfinite(start) ||
        !std::isfinite(end))
        return;
    EraseMagnetMarker(view);
    ToolEdit edit(view);
    const int16_t* codes = FixedCodes(EntityType::Arc).data();
    const double values[5] = {cx, cy, r, start, end};
    edit.Add(edit.Header(EntityType::Arc, static_cast<int16_t>(direction), 5), codes, values);
}

// ---- the view's calls ----

void CCircleTool::FocusOptionBox(COrvikCadView*)
{
    const SubModeRow* row = RowOf(ToolSubMode);
    if (row && row->focusesOptionBox && AfxGetFrameHost())
        FocusMainOptionBox();
}

void CCircleTool::OnLButtonDown(COrvikCadView* view, unsigned, platform::Point*)
{
    RecordRop2(view);
}

void CCircleTool::OnLButtonUp(COrvikCadView* view, unsigned, platform::Point* point)
{
    if (!view || !point)
        return;
    EraseReadout();
    if (const SubModeRow* row = RowOf(ToolSubMode))
        RunStep(*this, row->step.click, view, *point);
    XorPreviewShown = 0;
}

void CCircleTool::OnMouseMove(COrvikCadView* view, unsigned, platform::Point* point)
{
    if (!view || !point)
        return;
    const platform::Point p = *point;
    const SubModeRow* row = RowOf(ToolSubMode);
    if (row)
        RunStep(*this, row->step.move, view, p);
    if (LengthReadoutEnabled && InputPointCount != 0 && row && InputPointCount < row->readoutBelow)
        ShowReadout(view, view->XToModel(p.x), view->YToModel(p.y));
    UpdateMagnetMarker(view, p);
}

void CCircleTool::OnRButtonDown(COrvikCadView* view, unsigned, platform::Point*)
{
    EraseReadout();
    // Where a row has no cancel the right button is the view's
    // numeric-input menu.
    if (const SubModeRow* row = RowOf(ToolSubMode))
        RunStep(*this, row->step.cancel, view);
}

void CCircleTool::CancelArcByRightButton(COrvikCadView* view)
{
    // Once the radius is given the right button asks for the angles.
    if (InputPointCount < 2)
        CancelByRightButton(view);
}

void CCircleTool::CancelByRightButton(COrvikCadView*)
{
    Prompt(FirstPrompt(ToolSubMode));
    if (InputPointCount != 0) {
        EraseAll();
        stepMarksShown = 0;
        auxPreviewShown = 0;
        toolAux = 0;
        XorPreviewShown = 0;
        OperationRestarted = 1;
        InputPointCount = 0;
    }
}

void CCircleTool::Reset(COrvikCadView* view)
{
    if (InputPointCount == 0)
        return;
    CancelOperation(view);
}

void CCircleTool::CancelOperation(COrvikCadView*)
{
    EraseReadout();
    EraseAll();
    stepMarksShown = 0;
    auxPreviewShown = 0;
    toolAux = 0;
    XorPreviewShown = 0;
    Prompt(FirstPrompt(ToolSubMode));
    InputPointCount = 0;
    OperationRestarted = 1;
}

void CCircleTool::ErasePreview(COrvikCadView* view)
{
    EraseReadout();
    const SubModeRow* row = RowOf(ToolSubMode);
    if (stepMarksShown && row && row->erase) {
        (this->*row->erase)(view);
        XorPreviewShown = 0;
    }
    if (!row || !row->keepsStepMarks)
        stepMarksShown = 0;
}

void CCircleTool::EraseCirclePreview(COrvikCadView*)
{
    EraseAll();
}

void CCircleTool::EraseArcPreview(COrvikCadView*)
{
    EraseAll();
    auxPreviewShown = 0;
    if (InputPointCount < 3) {
        // The radius and the start are asked again from the first step;
        // the dialog's value (radius or start angle) then comes as the
        // click of the step that is put back.
        InputPointCount = 0;
        OperationRestarted = 1;
    }
}

// ---- the read-out ----

void CCircleTool::ShowReadout(COrvikCadView* view, double x, double y)
{
    EraseReadout();
    const int index = InputPointCount - 1;
    if (index < 0 || index >= MaxInputPoints)
        return;
    readoutPos[0] = x;
    readoutPos[1] = y;
    workInt0 = index;
    readout.Show(view, 1, [this, x, y, index](COrvikCadView* v) { ShowLengthReadoutFrom(*this, v, x, y, index); });
    readoutKind = 1;
}

void CCircleTool::RedrawReadout(COrvikCadView* view)
{
    // The repaint took the inverted label away: it is put back, so that
    // erasing it later leaves nothing.
    if (readoutKind != 0)
        readout.Redraw(view);
}

void CCircleTool::EraseReadout()
{
    readout.Erase();
    readoutKind = 0;
}

// ---- circles by radius or diameter ----

void CCircleTool::DrawCircleRubberBand(COrvikCadView* view, platform::Point cursor)
{
    if (XorPreviewShown == 1)
        corner = cursor;
    ShowRubberCircle(view, RubberCircle, anchor, corner);
    ShowLine(view, RubberLine, anchor, corner);
    XorPreviewShown = 1;
}

void CCircleTool::DrawRubberBandLine(COrvikCadView* view, platform::Point cursor)
{
    if (XorPreviewShown == 1)
        corner = cursor;
    ShowLine(view, RubberLine, anchor, corner);
    XorPreviewShown = 1;
}

void CCircleTool::ClickCentreRadius(COrvikCadView* view, platform::Point point)
{
    const int sub = ToolSubMode;
    if (InputPointCount == 0) {
        NumericInputPending = 0;
        const TakenPoint p = TakePoint(view, point, PickFilter());
        StartAt(*this, view, p, figures_[CrossA]);
        Prompt(sub == RadiusCircle ? "半径終端を指示して下さい。[マウス右：数値入力／中止]" : "直径終端を指示して下さい。");
        stepMarksShown = 1;
        return;
    }

    TakenPoint p;
    if (sub == RadiusCircle && NumericInputPending == 1) {
        NumericInputPending = 0;
        const double r = NumericInputValue;
        if (!std::isfinite(r) || r <= 0.0) {
            // No circle of that radius: the centre stays and the radius is
            // asked again.
            MessageBeep(1);
            return;
        }
        p = TypedPoint(view, X[0] + r, Y[0]);
    } else {
        NumericInputPending = 0;
        p = TakePoint(view, point, PickFilter());
    }
    X[1] = p.x;
    Y[1] = p.y;
    InputPointCount = 0;
    EraseAll();
    stepMarksShown = 0;
    Prompt(FirstPrompt(sub));
    if (p.view == anchor && !p.typed)
        return;

    const DistanceResult d = PointDistance(X[0], Y[0], X[1], Y[1]);
    if (d.status != 0 || !(d.distance > 0.0))
        return;
    if (sub == RadiusCircle) {
        AddCircle(view, X[0], Y[0], d.distance);
        return;
    }
    const double half = d.distance / 2.0;
    const GeoPoint c = DiameterCentre(X[0], Y[0], X[1], Y[1], half);
    AddCircle(view, c.x, c.y, half);
}

GeoPoint CCircleTool::DiameterCentre(double x0, double y0, double x1, double y1, double half)
{
    const LineResult line = LineFromPoints(x0, y0, x1, y1);
    const int code = DirectionCode(x0, y0, x1, y1);
    const PointResult c = PointOnLineAtDistance(code, x0, y0, line.a, line.b, line.c, half);
    if (line.status != 0 || c.status != 0)
        return {(x0 + x1) / 2.0, (y0 + y1) / 2.0};
    return {c.x, c.y};
}

void CCircleTool::ClickCentreGivenRadius(COrvikCadView* view, platform::Point point, int isArc)
{
    if (CircleRadius < 0.01f)
        return;
    if (isArc && ArcStartAngle == ArcEndAngle) {
        Prompt("【注意】＊＊＊ 開始角度と終了角度が同じです。ご確認ください！", true);
        return;
    }
    NumericInputPending = 0;
    const TakenPoint p = TakePoint(view, point, PickFilter());
    X[0] = p.x;
    Y[0] = p.y;
    InputPointCount = 0;
    Prompt(FirstPrompt(ToolSubMode));
    if (!isArc)
        AddCircle(view, p.x, p.y, CircleRadius);
    else
        AddArc(view, ArcDirection != 0 ? 1 : -1, p.x, p.y, CircleRadius, ArcStartAngle, ArcEndAngle);
}
