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
#include "tools/ToolEdit.h"

#include <cmath>
#include <numbers>

using namespace CircleToolMode;

CCircleTool::CCircleTool() : CDrawTool(ToolId::Circle)
{
    readoutKind = 0;
}

const char* CCircleTool::FirstPrompt(int subMode)
{
    switch (subMode) {
    case RadiusCircle:
        return "円を作図します。中心位置指示して下さい。";
    case DiameterCircle:
        return "円を作図します。直径の始端を指示して下さい。";
    case ThreePointCircle:
        return "３点指定円を作図します。開始位置を指示して下さい。";
    case RadiusArc:
        return "円弧を作図します。中心位置を指示して下さい。";
    case DiameterArc:
        return "円弧を作図します。直径開始位置を指示して下さい。";
    case ThreePointArc:
        return "３点指定円弧を作図します。円弧始端を指示して下さい。";
    case CentreEllipse:
    case ThreePointEllipse:
    case CentreEllipticArc:
    case ThreePointEllipticArc:
        return "楕円を作図します。主軸の開始位置を指示して下さい。";
    default:
        return "";
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
    switch (ToolSubMode) {
    case RadiusCircle:
    case DiameterCircle:
    case RadiusArc:
    case DiameterArc:
        return 0;
    default:
        return -10;
    }
}

void CCircleTool::AddCircle(COrvikCadView* view, double cx, double cy, double r)
{
    if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(r) || !(r > 0.0))
        return;
    // The new figure is drawn plainly over the screen: an inverted marker
    // under it could not be taken away cleanly afterwards.
    EraseMagnetMarker(view);
    ToolEdit edit(view);
    static const int16_t codes[3] = {10, 20, 40};
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
    static const int16_t codes[5] = {10, 20, 40, 50, 51};
    const double values[5] = {cx, cy, r, start, end};
    edit.Add(edit.Header(EntityType::Arc, static_cast<int16_t>(direction), 5), codes, values);
}

// ---- the view's calls ----

void CCircleTool::FocusOptionBox(COrvikCadView*)
{
    if ((ToolSubMode == RadiusCircle || ToolSubMode == RadiusArc) && AfxGetFrameHost())
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
    const platform::Point p = *point;
    EraseReadout();
    switch (ToolSubMode) {
    case RadiusCircle:
        if (CircleRadiusGiven != 0)
            ClickCentreGivenRadius(view, p, 0);
        else
            ClickCentreRadius(view, p);
        break;
    case DiameterCircle:
        ClickCentreRadius(view, p);
        break;
    case ThreePointCircle:
        ClickThreePointCircle(view, p);
        break;
    case RadiusArc:
        if (CircleRadiusGiven != 0) {
            ClickCentreGivenRadius(view, p, 1);
            break;
        }
        [[fallthrough]];
    case DiameterArc:
        if (InputPointCount >= 2)
            ClickArcEnd(view, p);
        else
            ClickArcStart(view, p);
        break;
    case ThreePointArc:
        ClickThreePointArc(view, p);
        break;
    case CentreEllipse:
    case ThreePointEllipse:
        ClickEllipse(view, p);
        break;
    case CentreEllipticArc:
    case ThreePointEllipticArc:
        ClickEllipseArc(view, p);
        break;
    default:
        break;
    }
    XorPreviewShown = 0;
}

void CCircleTool::OnMouseMove(COrvikCadView* view, unsigned, platform::Point* point)
{
    if (!view || !point)
        return;
    const platform::Point p = *point;
    const int sub = ToolSubMode;
    const int n = InputPointCount;
    switch (sub) {
    case RadiusCircle:
    case DiameterCircle:
        if (n >= 1)
            DrawCircleRubberBand(view, p);
        break;
    case ThreePointCircle:
        if (n == 2)
            DrawThreePointCircleRubberBand(view, p);
        break;
    case RadiusArc:
    case DiameterArc:
        if (n == 1)
            DrawCircleRubberBand(view, p);
        else if (n >= 2)
            DrawArcRubberBand(view, p);
        break;
    case ThreePointArc:
        if (n == 2)
            DrawThreePointArcRubberBand(view, p);
        break;
    case CentreEllipse:
    case ThreePointEllipse:
    case CentreEllipticArc:
    case ThreePointEllipticArc:
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
        break;
    default:
        break;
    }

    if (LengthReadoutEnabled && n != 0) {
        bool has = false;
        switch (sub) {
        case RadiusCircle:
        case DiameterCircle:
            has = true;
            break;
        case RadiusArc:
        case DiameterArc:
            has = n < 2;
            break;
        case CentreEllipse:
        case ThreePointEllipse:
        case CentreEllipticArc:
        case ThreePointEllipticArc:
            has = n < 3;
            break;
        default:
            break;
        }
        if (has)
            ShowReadout(view, view->XToModel(p.x), view->YToModel(p.y));
    }

    UpdateMagnetMarker(view, p);
}

void CCircleTool::OnRButtonDown(COrvikCadView* view, unsigned, platform::Point*)
{
    EraseReadout();
    const int sub = ToolSubMode;
    const bool cancels = sub == DiameterCircle || sub == ThreePointCircle || sub == ThreePointArc ||
                         (sub == DiameterArc && InputPointCount < 2);
    // In the other steps the right button is the view's numeric-input menu.
    if (!cancels)
        return;
    Prompt(FirstPrompt(sub));
    if (InputPointCount != 0) {
        EraseAll();
        stepMarksShown = 0;
        auxPreviewShown = 0;
        toolAux = 0;
        XorPreviewShown = 0;
        OperationRestarted = 1;
        InputPointCount = 0;
    }
    (void)view;
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

void CCircleTool::ErasePreview(COrvikCadView*)
{
    EraseReadout();
    const int sub = ToolSubMode;
    if (stepMarksShown && sub >= RadiusCircle && sub <= DiameterArc && sub != ThreePointCircle) {
        switch (sub) {
        case RadiusCircle:
        case DiameterCircle:
            EraseAll();
            break;
        case RadiusArc:
        case DiameterArc:
            EraseAll();
            auxPreviewShown = 0;
            if (InputPointCount < 3) {
                // The radius and the start are asked again from the first
                // step; the dialog's value (radius or start angle) then
                // comes as the click of the step that is put back.
                InputPointCount = 0;
                OperationRestarted = 1;
            }
            break;
        default:
            break;
        }
        XorPreviewShown = 0;
    }
    if (sub != CentreEllipticArc && sub != ThreePointEllipticArc)
        stepMarksShown = 0;
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
    ShowLengthReadoutFrom(*this, view, x, y, index);
    readoutView_ = view;
    readoutShown_ = true;
    readoutKind = 1;
}

void CCircleTool::RedrawReadout(COrvikCadView* view)
{
    // The repaint took the inverted label away: it is put back, so that
    // erasing it later leaves nothing.
    if (readoutShown_ && readoutKind != 0 && readoutView_.data() == static_cast<QWidget*>(view))
        ShowLengthReadoutFrom(*this, view, readoutPos[0], readoutPos[1], workInt0);
}

void CCircleTool::EraseReadout()
{
    if (readoutShown_) {
        if (auto* shown = static_cast<COrvikCadView*>(readoutView_.data()))
            ShowLengthReadoutFrom(*this, shown, readoutPos[0], readoutPos[1], workInt0);
    }
    readoutShown_ = false;
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
        X[0] = p.x;
        Y[0] = p.y;
        anchor = corner = p.view;
        ShowCross(view, CrossA, anchor);
        InputPointCount = 1;
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
    const LineResult line = LineFromPoints(X[0], Y[0], X[1], Y[1]);
    const int code = DirectionCode(X[0], Y[0], X[1], Y[1]);
    PointResult c = PointOnLineAtDistance(code, X[0], Y[0], line.a, line.b, line.c, half);
    if (line.status != 0 || c.status != 0)
        c = {0, (X[0] + X[1]) / 2.0, (Y[0] + Y[1]) / 2.0};
    AddCircle(view, c.x, c.y, half);
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
