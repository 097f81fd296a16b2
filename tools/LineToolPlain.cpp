// CLineTool: plain lines between two clicks (free or horizontal/vertical,
// with a fixed length or direction) and the four line rubber bands that the
// chains use as well.

#include "tools/LineTool.h"

#include "view/OrvikCadView.h"
#include "model/GeometryLines.h"
#include "model/Notify.h"
#include "model/Settings.h"
#include "tools/StartPoint.h"
#include "tools/ToolEdit.h"

#include <cmath>
#include <cstdlib>
#include <numbers>

namespace {

constexpr double DegToRad = std::numbers::pi / 180.0;

// Direction of (dx, dy) in degrees as single precision, within [0, 360).
float DirectionDegrees(double dx, double dy)
{
    float t = static_cast<float>(AngleBetween(1.0, 0.0, dx, dy) / DegToRad);
    if (t < 0.0f)
        t += 360.0f;
    return t;
}

// The point at `length` from the start toward (x, y); (x, y) itself when it
// lies within 0.5 of the start.
GeoPoint Toward(double sx, double sy, double x, double y, double length)
{
    const PointResult r = OffsetPointFromSegment(0, sx, sy, x, y, length);
    if (r.status != 0)
        return {x, y};
    return {r.x, r.y};
}

bool SamePoint(platform::Point a, platform::Point b)
{
    return a.x == b.x && a.y == b.y;
}

} // namespace

// ---- shared pieces of the bands ----

double CLineTool::QuadrantAngle(double dx, double dy)
{
    const float t = DirectionDegrees(dx, dy);
    const double a = LineAngle;
    if (t < 90.0f)
        return a;
    if (t < 180.0f)
        return 180.0 - a;
    if (t < 270.0f)
        return 180.0 + a;
    return -a;
}

GeoPoint CLineTool::FixedAngleEnd(double sx, double sy, double mx, double my, double rayLength)
{
    double a = LineAngle;
    if (a < 0.0)
        a += 360.0;
    const double fx = sx + rayLength * std::cos(a * DegToRad);
    const double fy = sy + rayLength * std::sin(a * DegToRad);
    const LineResult ray = LineFromPoints(sx, sy, fx, fy);
    // Steep directions meet the vertical through the mouse, flat ones the
    // horizontal.
    const bool vertical = (a >= 0.0 && a < 45.0) || (a >= 135.0 && a < 225.0);
    const PointResult e = vertical ? IntersectLines(ray.a, ray.b, ray.c, 1.0, 0.0, -mx)
                                   : IntersectLines(ray.a, ray.b, ray.c, 0.0, 1.0, -my);
    if (ray.status != 0 || e.status != 0)
        return {fx, fy};
    return {e.x, e.y};
}

platform::Point CLineTool::AxisEnd(platform::Point c)
{
    if (std::abs(anchor.x - c.x) >= std::abs(anchor.y - c.y)) {
        toolAux = 1;
        return {c.x, anchor.y};
    }
    toolAux = 0;
    return {anchor.x, c.y};
}

// ---- rubber bands ----

void CLineTool::DrawFreeRubberBand(COrvikCadView* view, platform::Point mouse)
{
    if (XorPreviewShown == 1) {
        EraseBand();
        corner = mouse;
    }
    ShowBand(view, anchor, corner);
    XorPreviewShown = 1;
}

void CLineTool::DrawFixedLengthPreview(COrvikCadView* view, platform::Point mouse, bool withAngle)
{
    if (XorPreviewShown == 1) {
        EraseBand();
        const double mx = view->XToModel(mouse.x), my = view->YToModel(mouse.y);
        const double sx = X[0], sy = Y[0];
        GeoPoint e;
        if (withAngle && LineAngleGiven != 0) {
            const double d = QuadrantAngle(mx - sx, my - sy) * DegToRad;
            e = {sx + LineLength * std::cos(d), sy + LineLength * std::sin(d)};
        } else {
            const PointResult r = OffsetPointFromSegment(0, sx, sy, mx, my, LineLength);
            if (r.status != 0) {
                // Too near the start for a direction: no band until the
                // mouse moves again.
                XorPreviewShown = 0;
                return;
            }
            e = {r.x, r.y};
        }
        corner = PreviewPoint(view, e.x, e.y);
    }
    ShowBand(view, anchor, corner);
    XorPreviewShown = 1;
}

void CLineTool::DrawFixedAnglePreview(COrvikCadView* view, platform::Point mouse)
{
    if (XorPreviewShown == 1) {
        EraseBand();
        const double mx = view->XToModel(mouse.x), my = view->YToModel(mouse.y);
        const double ray = 1000.0 / view->MappingZoom() * view->MappingScale();
        const GeoPoint e = FixedAngleEnd(X[0], Y[0], mx, my, ray);
        corner = PreviewPoint(view, e.x, e.y);
        if (LengthReadoutEnabled) {
            readoutIndex = 0;
            ShowReadout(view, Readout::From, e.x, e.y, 0);
        }
    }
    ShowBand(view, anchor, corner);
    XorPreviewShown = 1;
}

void CLineTool::DrawAxisPreview(COrvikCadView* view, platform::Point mouse)
{
    const double mx = view->XToModel(mouse.x), my = view->YToModel(mouse.y);
    if (XorPreviewShown == 1) {
        if (readout.Kind() == static_cast<int>(Readout::AxisLabel))
            EraseReadout(view);
        EraseBand();
        if (LineLengthGiven != 0) {
            const float t = DirectionDegrees(mx - X[0], my - Y[0]);
            double dx = 0.0, dy = 0.0;
            if (t < 45.0f || t >= 315.0f)
                dx = 1.0;
            else if (t < 135.0f)
                dy = 1.0;
            else if (t < 225.0f)
                dx = -1.0;
            else
                dy = -1.0;
            corner = PreviewPoint(view, X[0] + LineLength * dx, Y[0] + LineLength * dy);
        } else {
            corner = mouse;
        }
    }
    ShowBand(view, anchor, AxisEnd(corner));
    XorPreviewShown = 1;
    if (LengthReadoutEnabled && LineLengthGiven == 0 && LineMode != 0)
        ShowReadout(view, Readout::AxisLabel, mx, my, toolAux);
}

void CLineTool::CancelRubberBand(COrvikCadView* view)
{
    (void)view;
    EraseBandAndCross();
    if (ToolSubMode == LineToolMode::Continuous)
        Prompt(ChainStartPrompt());
    InputPointCount = 0;
    OperationRestarted = 1;
}

// ---- plain lines ----

void CLineTool::ClickLine(COrvikCadView* view, platform::Point point)
{
    if (InputPointCount >= 2)
        InputPointCount = 0;
    if (InputPointCount == 0) {
        // A value typed before the start is taken means nothing here.
        NumericInputPending = 0;
        const TakenPoint p = TakePoint(view, point);
        StartAt(*this, view, p, cross_);
        Prompt("終端を指示して下さい。[マウス右：数値入力／中止]");
        previewShown = 1;
        return;
    }

    TakenPoint p;
    if (NumericInputPending == 1) {
        if (NumericInputKind != 0) {
            p = TypedPoint(view, X[0] + NumericInputValue, Y[0] + NumericInputValue2);
        } else {
            const double t = NumericInputValue2 * DegToRad;
            p = TypedPoint(view, X[0] + NumericInputValue * std::cos(t), Y[0] + NumericInputValue * std::sin(t));
        }
    } else {
        p = TakePoint(view, point);
    }
    X[1] = p.x;
    Y[1] = p.y;
    InputPointCount = 0;
    Prompt(FirstPrompt(LineToolMode::Line));
    EraseBandAndCross();
    previewShown = 0;
    NumericInputPending = 0;
    if (SamePoint(p.view, anchor))
        return;

    const double sx = X[0], sy = Y[0];
    if (!p.typed) {
        if (LineLengthGiven != 0 && LineAngleGiven == 0) {
            const GeoPoint e = Toward(sx, sy, p.x, p.y, LineLength);
            X[1] = e.x;
            Y[1] = e.y;
        } else if (LineLengthGiven != 0) {
            const double d = QuadrantAngle(p.x - sx, p.y - sy) * DegToRad;
            X[1] = sx + LineLength * std::cos(d);
            Y[1] = sy + LineLength * std::sin(d);
        } else if (LineAngleGiven != 0) {
            const double ray = 1000.0 / view->MappingZoom() * view->MappingScale();
            const GeoPoint e = FixedAngleEnd(sx, sy, p.x, p.y, ray);
            X[1] = e.x;
            Y[1] = e.y;
        }
    }
    if (X[1] == sx && Y[1] == sy)
        return;
    ToolEdit edit(view);
    AddLine(edit, sx, sy, X[1], Y[1]);
}

void CLineTool::ClickAxisLine(COrvikCadView* view, platform::Point point)
{
    if (InputPointCount >= 2)
        InputPointCount = 0;
    if (InputPointCount == 0) {
        toolAux = 0;
        workFlag = 0;
        NumericInputPending = 0;
        const TakenPoint p = TakePoint(view, point);
        if (p.source == PointSource::Pick && p.x < 100.0)
            MessageBeep(1);
        StartAt(*this, view, p, cross_);
        Prompt("終端を指示して下さい。[マウス右：数値入力／中止]");
        previewShown = 1;
        return;
    }

    TakenPoint p;
    if (NumericInputPending == 1) {
        NumericInputPending = 0;
        const double v = NumericInputValue;
        const double mx = view->XToModel(corner.x), my = view->YToModel(corner.y);
        if (toolAux == 0)
            p = TypedPoint(view, X[0], my > Y[0] ? Y[0] + v : Y[0] - v);
        else
            p = TypedPoint(view, mx > X[0] ? X[0] + v : X[0] - v, Y[0]);
    } else {
        p = TakePoint(view, point);
        if (p.source == PointSource::Pick && p.x < 100.0)
            MessageBeep(1);
        // The clicked point decides the direction, whatever the band showed
        // last (it may not have followed the pointer yet): the longer
        // distance wins, a tie is horizontal.
        toolAux = std::fabs(p.x - X[0]) >= std::fabs(p.y - Y[0]) ? 1 : 0;
    }
    X[1] = p.x;
    Y[1] = p.y;
    InputPointCount = 0;
    Prompt(FirstPrompt(LineToolMode::Line));
    EraseBandAndCross();
    previewShown = 0;
    NumericInputPending = 0;
    if (SamePoint(p.view, anchor))
        return;

    const double sx = X[0], sy = Y[0];
    GeoPoint e = toolAux == 0 ? GeoPoint{sx, Y[1]} : GeoPoint{X[1], sy};
    if (LineLengthGiven != 0 && !p.typed)
        e = Toward(sx, sy, e.x, e.y, LineLength);
    if (e.x == sx && e.y == sy)
        return;
    ToolEdit edit(view);
    AddLine(edit, sx, sy, e.x, e.y);
}
