// CCircleTool: arcs by radius or diameter (four clicks: the circle, then the
// start and the end, the direction following the cursor's path round the
// centre), and circles and arcs through three points.

#include "tools/CircleTool.h"

#include "view/OrvikCadView.h"
#include "model/GeometryCircles.h"
#include "model/GeometryLines.h"
#include "model/Notify.h"
#include "model/Settings.h"
#include "tools/StartPoint.h"

#include <cmath>
#include <numbers>

using namespace CircleToolMode;

namespace {

constexpr double DegToRad = std::numbers::pi / 180.0;

// The counter-clockwise turn from a to b in degrees, within [0, 360).
double CcwSweep(double a, double b)
{
    double s = std::fmod(b - a, 360.0);
    if (s < 0.0)
        s += 360.0;
    return s;
}

} // namespace

void CCircleTool::UpdateArcDirection(double e)
{
    if (e >= 0.0 && e <= 90.0) {
        if (workFlag == 0)
            workFlag = 1;
        if (workStep == 3)
            workFlag = 1;
        workStep = 0;
    } else if (e >= 90.0 && e <= 180.0) {
        workStep = 1;
    } else if (e >= 180.0 && e <= 270.0) {
        workStep = 2;
    } else if (e >= 270.0 && e <= 360.0) {
        if (workFlag == 0)
            workFlag = 1;
        if (workStep == 0)
            workFlag = -1;
        workStep = 3;
    }
}

bool CCircleTool::MarkOnCircle(double px, double py, double& mx, double& my, double& rx, double& ry) const
{
    const double ox = workX, oy = workY, r = workValue1;
    const double d = std::hypot(px - ox, py - oy);
    if (!(d > 0.0) || !std::isfinite(d))
        return false;
    // The reference point lies on or outside the circle, on the ray from
    // the centre through the point.
    if (d < r) {
        const GeoPoint t = PointTowards(ox, oy, px, py, r + 100.0);
        rx = t.x;
        ry = t.y;
    } else {
        rx = px;
        ry = py;
    }
    mx = ox + r * (px - ox) / d;
    my = oy + r * (py - oy) / d;
    return true;
}

// ---- arcs by radius or diameter ----

void CCircleTool::ClickArcStart(COrvikCadView* view, platform::Point point)
{
    const int sub = ToolSubMode;
    if (InputPointCount == 0)
        NumericInputPending = 0;
    auxPreviewShown = 0;
    workFlag = 0;
    workStep = 0;

    if (InputPointCount == 0) {
        const TakenPoint p = TakePoint(view, point, PickFilter());
        StartAt(*this, view, p, figures_[CrossA]);
        Prompt(sub == RadiusArc ? "半径終端を指示して下さい。[マウス右：数値入力／中止]" : "直径終端を指示して下さい。");
        stepMarksShown = 1;
        return;
    }

    TakenPoint p;
    if (sub == RadiusArc && NumericInputPending == 1) {
        NumericInputPending = 0;
        const double r = NumericInputValue;
        if (!std::isfinite(r) || r <= 0.0) {
            // No arc of that radius: the centre stays, the radius is asked
            // again.
            MessageBeep(1);
            ShowCross(view, CrossA, anchor);
            corner = anchor;
            stepMarksShown = 1;
            return;
        }
        p = TypedPoint(view, X[0] + r, Y[0]);
    } else {
        NumericInputPending = 0;
        p = TakePoint(view, point, PickFilter());
        if (p.view == anchor)
            return;
    }
    const DistanceResult d = PointDistance(X[0], Y[0], p.x, p.y);
    if (d.status != 0 || !(d.distance > 0.0))
        return;
    X[1] = p.x;
    Y[1] = p.y;

    // The rubber figure gives way to the guide circle through the point
    // taken.
    EraseAll();
    lastPoint2 = anchor;
    lastPoint = p.view;
    corner = p.view;
    ShowRubberCircle(view, Guide, lastPoint2, lastPoint);

    if (sub == RadiusArc) {
        workX = X[0];
        workY = Y[0];
        workValue1 = d.distance;
    } else {
        const double half = d.distance / 2.0;
        const GeoPoint c = DiameterCentre(X[0], Y[0], X[1], Y[1], half);
        workX = c.x;
        workY = c.y;
        workValue1 = half;
        anchor = corner = PreviewPoint(view, c.x, c.y);
    }
    InputPointCount = 2;
    Prompt("円弧始端位置を指定して下さい。[マウス右：角度入力／中止]");
    stepMarksShown = 1;
}

void CCircleTool::ClickArcEnd(COrvikCadView* view, platform::Point point)
{
    const double ox = workX, oy = workY, r = workValue1;
    if (InputPointCount == 2) {
        TakenPoint p;
        const bool typed = NumericInputPending == 1;
        if (typed) {
            const double a = NumericInputValue * DegToRad;
            p = TypedPoint(view, ox + r * std::cos(a), oy + r * std::sin(a));
        } else {
            p = TakePoint(view, point, PickFilter());
        }
        NumericInputPending = 0;
        double mx = 0, my = 0, rx = 0, ry = 0;
        if (!MarkOnCircle(p.x, p.y, mx, my, rx, ry)) {
            // A start on the centre has no direction: asked again.
            MessageBeep(1);
            return;
        }
        EraseFigure(Guide);
        lastPoint2 = PreviewPoint(view, mx, my);
        ShowCross(view, StartMark, lastPoint2);
        if (typed) {
            EraseFigure(RubberLine);
            auxPreviewShown = 0;
        }
        X[0] = rx;
        Y[0] = ry;
        InputPointCount = 3;
        Prompt("円弧終端位置を指定して下さい。[右クリック／角度入力 (始角度ﾖﾘ)]");
        stepMarksShown = 1;
        return;
    }

    const double s = DirectionDegrees(X[0] - ox, Y[0] - oy);
    double qx = 0, qy = 0;
    const bool typed = NumericInputPending == 1;
    double b = 0.0;
    if (typed) {
        b = NumericInputValue;
        if (!std::isfinite(b)) {
            NumericInputPending = 0;
            MessageBeep(1);
            return;
        }
        if (std::fmod(b, 360.0) == 0.0) {
            // No turn at all (0, 360, -720 ...) would end the arc at its
            // start, a full circle that is no arc: the value is asked again.
            NumericInputPending = 0;
            Prompt("【注意】＊＊＊ 開始角度と終了角度が同じです。ご確認ください！", true);
            return;
        }
        qx = ox + r * std::cos((s + b) * DegToRad);
        qy = oy + r * std::sin((s + b) * DegToRad);
    } else {
        const TakenPoint p = TakePoint(view, point, PickFilter());
        qx = p.x;
        qy = p.y;
        if (qx == ox && qy == oy) {
            // An end on the centre has no direction: asked again.
            MessageBeep(1);
            return;
        }
    }
    X[1] = qx;
    Y[1] = qy;
    InputPointCount = 0;
    Prompt(FirstPrompt(ToolSubMode));
    EraseAll();
    auxPreviewShown = 0;
    stepMarksShown = 0;
    if (typed) {
        workFlag = b > 0.0 ? 1 : -1;
        NumericInputPending = 0;
    }
    const int direction = workFlag != 0 ? workFlag : -1;
    AddArc(view, direction, ox, oy, r, s, DirectionDegrees(qx - ox, qy - oy));
}

void CCircleTool::ShowArcPreview(COrvikCadView* view)
{
    const double ox = workX, oy = workY, r = workValue1;
    const double mx = view->XToModel(corner.x), my = view->YToModel(corner.y);
    double ex = 0, ey = 0, rx = 0, ry = 0;
    if (!MarkOnCircle(mx, my, ex, ey, rx, ry))
        return;
    const double s = DirectionDegrees(X[0] - ox, Y[0] - oy);
    const double e = CcwSweep(s, DirectionDegrees(ex - ox, ey - oy));
    UpdateArcDirection(e);
    const int whole = static_cast<int>(e);
    if (whole == 0 || whole == 1 || whole == 359 || whole == 360)
        return;
    const double sweep = workFlag == 1 ? e : e - 360.0;
    ShowPolyline(view, Preview, ArcViewPoints(view, ox, oy, r, s, sweep));
}

void CCircleTool::DrawArcRubberBand(COrvikCadView* view, platform::Point cursor)
{
    EraseFigure(Preview);
    EraseFigure(RubberLine);
    const double ox = workX, oy = workY, r = workValue1;
    const double mx = view->XToModel(cursor.x), my = view->YToModel(cursor.y);
    const DistanceResult d = PointDistance(ox, oy, mx, my);
    if (d.status != 0)
        MessageBeep(1);
    if (r > d.distance) {
        const LineResult line = LineFromPoints(ox, oy, mx, my);
        const int code = DirectionCode(ox, oy, mx, my);
        PointResult e = PointOnLineAtDistance(code, ox, oy, line.a, line.b, line.c, r);
        if (line.status != 0 || e.status != 0 || code == DirectionNone)
            e = {0, ox + r, oy};
        corner = PreviewPoint(view, e.x, e.y);
    } else {
        corner = cursor;
    }
    if (InputPointCount > 2)
        ShowArcPreview(view);
    ShowLine(view, RubberLine, anchor, corner);
    auxPreviewShown = 1;
}

// ---- circles and arcs through three points ----

void CCircleTool::ClickThreePointCircle(COrvikCadView* view, platform::Point point)
{
    ClickThreePointArc(view, point);
}

void CCircleTool::ClickThreePointArc(COrvikCadView* view, platform::Point point)
{
    const int sub = ToolSubMode;
    const bool arc = sub == ThreePointArc;
    NumericInputPending = 0;
    const TakenPoint p = TakePoint(view, point, PickFilter());
    if (InputPointCount > 2) {
        MessageBeep(1);
        InputPointCount = 0;
        return;
    }
    const int i = InputPointCount;
    if (i == 0) {
        anchor = p.view;
        if (arc)
            toolAux = 0;
        Prompt(arc ? "円弧終端を指示して下さい。" : "中間位置を指示して下さい。[マウス右：中止]");
        ShowCross(view, CrossA, p.view);
        stepMarksShown = 1;
    } else if (i == 1) {
        corner = p.view;
        lastPoint = arc ? p.view : point;
        Prompt(arc ? "円弧第３点位置を指示して下さい。" : "終了位置を指示して下さい。[マウス右：中止]");
        ShowCross(view, CrossB, p.view);
    }
    X[i] = p.x;
    Y[i] = p.y;
    InputPointCount = i + 1;
    if (i < 2)
        return;

    InputPointCount = 0;
    Prompt(FirstPrompt(sub));
    EraseAll();
    toolAux = 0;
    stepMarksShown = 0;
    const CircleResult c = CircleFrom3Points(X[0], Y[0], X[1], Y[1], X[2], Y[2]);
    if (c.direction == 0 || !std::isfinite(c.radius) || !(c.radius > 0.0) || !std::isfinite(c.cx) ||
        !std::isfinite(c.cy)) {
        ShowMessage("三点指定に誤りがあります。", MB_OK);
        return;
    }
    if (!arc) {
        AddCircle(view, c.cx, c.cy, c.radius);
        return;
    }
    AddArc(view, -c.direction, c.cx, c.cy, c.radius, DirectionDegrees(X[0] - c.cx, Y[0] - c.cy),
           DirectionDegrees(X[1] - c.cx, Y[1] - c.cy));
}

void CCircleTool::DrawThreePointCircleRubberBand(COrvikCadView* view, platform::Point cursor)
{
    if (XorPreviewShown == 1) {
        EraseFigure(Preview);
        lastPoint = cursor;
    }
    const double mx = view->XToModel(lastPoint.x), my = view->YToModel(lastPoint.y);
    const CircleResult c = CircleFrom3Points(X[0], Y[0], X[1], Y[1], mx, my);
    if (c.direction != 0)
        ShowPolyline(view, Preview, ArcViewPoints(view, c.cx, c.cy, c.radius, 0.0, 360.0));
    XorPreviewShown = 1;
}

void CCircleTool::ShowThreePointArc(COrvikCadView* view, double x3, double y3)
{
    const CircleResult c = CircleFrom3Points(X[0], Y[0], X[1], Y[1], x3, y3);
    if (c.direction == 0) {
        MessageBeep(1);
        toolAux = 0;
        return;
    }
    const double a1 = DirectionDegrees(X[0] - c.cx, Y[0] - c.cy);
    const double a2 = DirectionDegrees(X[1] - c.cx, Y[1] - c.cy);
    // From the first point through the cursor to the second: against the
    // turn of first, second, cursor.
    const double sweep = c.direction < 0 ? CcwSweep(a1, a2) : -CcwSweep(a2, a1);
    ShowPolyline(view, Preview, ArcViewPoints(view, c.cx, c.cy, c.radius, a1, sweep));
    toolAux = 1;
    XorPreviewShown = 1;
}

void CCircleTool::DrawThreePointArcRubberBand(COrvikCadView* view, platform::Point cursor)
{
    if (cursor == lastPoint)
        return;
    EraseFigure(Preview);
    lastPoint = cursor;
    ShowThreePointArc(view, view->XToModel(cursor.x), view->YToModel(cursor.y));
}
