// CCircleTool: ellipses (three clicks: the first axis by its centre or its
// two ends, then a point giving the second semi-axis) and elliptic arcs (two
// clicks more: the start and the end, the direction following the cursor's
// path round the centre as for circular arcs).

#include "tools/CircleTool.h"

#include "view/OrvikCadView.h"
#include "model/GeometryLines.h"
#include "model/Notify.h"
#include "model/Settings.h"
#include "tools/ToolEdit.h"
#include "model/EntityKinds.h"

#include <cmath>
#include <numbers>

using namespace CircleToolMode;

namespace {

constexpr double Pi = std::numbers::pi;
constexpr double DegToRad = Pi / 180.0;

double Single(double v)
{
    return static_cast<double>(static_cast<float>(v));
}

// Direction in degrees, single precision, within [0, 360).
double SingleDirection(double dx, double dy)
{
    float t = static_cast<float>(CCircleTool::DirectionDegrees(dx, dy));
    if (t < 0.0f)
        t += 360.0f;
    if (t >= 360.0f)
        t -= 360.0f;
    return t;
}

bool ThreePointKind(int sub)
{
    return sub == ThreePointEllipse || sub == ThreePointEllipticArc;
}

bool ArcKind(int sub)
{
    return sub == CentreEllipticArc || sub == ThreePointEllipticArc;
}

// Outline points of the ellipse (centre, semi-axes, direction in degrees)
// as view points; step in radians.
std::vector<platform::Point> EllipsePoints(const COrvikCadView* view, double kx, double ky, double a, double b,
                                           double theta, double step)
{
    std::vector<platform::Point> out;
    const double c = std::cos(theta * DegToRad), s = std::sin(theta * DegToRad);
    for (double u = 0.0; u <= 2 * Pi; u += step) {
        const double ex = a * std::cos(u), ey = b * std::sin(u);
        const double x = Single(kx + c * ex - s * ey), y = Single(ky + s * ex + c * ey);
        out.push_back({view->XToDevice(x), view->YToDevice(y)});
    }
    return out;
}

} // namespace

void CCircleTool::EllipseCentre(double& kx, double& ky) const
{
    if (ThreePointKind(ToolSubMode)) {
        kx = X[10];
        ky = Y[10];
    } else {
        kx = X[0];
        ky = Y[0];
    }
}

void CCircleTool::ShowMinorAxisFigure(COrvikCadView* view)
{
    double kx = 0, ky = 0;
    EllipseCentre(kx, ky);
    const double mx = view->XToModel(corner.x), my = view->YToModel(corner.y);
    const PointResult f = PerpendicularFoot(mx, my, workX, workY, workValue1);
    if (f.status != 0)
        return;
    const double b = std::hypot(f.x - kx, f.y - ky);
    ShowLine(view, RubberLine, PreviewPoint(view, kx, ky), PreviewPoint(view, f.x, f.y));
    ShowPolyline(view, Preview, EllipsePoints(view, kx, ky, workValue0, b, givenAngle, 0.15));
}

void CCircleTool::ShowEllipticArcPreview(COrvikCadView* view, double phi)
{
    double kx = 0, ky = 0;
    EllipseCentre(kx, ky);
    const double a = workValue0, b = minorRadius;
    if (!(a > 0.0) || !(b > 0.0))
        return;
    double theta = givenAngle >= 180.0 ? givenAngle - 180.0 : givenAngle;
    theta *= DegToRad;
    double start = workValue2 * DegToRad, end = phi * DegToRad;
    if (workFlag == -1)
        std::swap(start, end);
    auto param = [&](double psi) {
        double t = std::atan2(std::sin(psi - theta) / b, std::cos(psi - theta) / a);
        t = std::remainder(t, 2 * Pi);
        if (t < 0.0)
            t += 2 * Pi;
        return t;
    };
    const double t0 = param(start);
    double t1 = param(end);
    if (t1 < t0)
        t1 += 2 * Pi;
    const double c = std::cos(theta), s = std::sin(theta);
    std::vector<platform::Point> pts;
    for (double u = t0; u <= t1; u += 0.02) {
        const double ex = a * std::cos(u), ey = b * std::sin(u);
        pts.push_back(PreviewPoint(view, Single(kx + c * ex - s * ey), Single(ky + s * ex + c * ey)));
    }
    ShowPolyline(view, Preview, std::move(pts));
}

void CCircleTool::AddEllipse(COrvikCadView* view, bool arc, double end)
{
    double kx = 0, ky = 0;
    EllipseCentre(kx, ky);
    const DistanceResult d = PointDistance(X[0], Y[0], X[1], Y[1]);
    const double first = Single(ThreePointKind(ToolSubMode) ? d.distance / 2.0 : d.distance);
    double second = 0.0;
    const LineResult axis = LineFromPoints(X[0], Y[0], X[1], Y[1]);
    const PointResult f = PerpendicularFoot(X[2], Y[2], axis.a, axis.b, axis.c);
    if (axis.status == 0 && f.status == 0)
        second = Single(std::hypot(X[2] - f.x, Y[2] - f.y));
    const double direction = SingleDirection(X[1] - X[0], Y[1] - Y[0]);
    if (d.status != 0 || !(first > 0.0) || !std::isfinite(first) || !std::isfinite(second))
        return;
    EraseMagnetMarker(view);
    ToolEdit edit(view);
    if (!arc) {
        const int16_t* codes = FixedCodes(EntityType::Ellipse).data();
        const double values[5] = {kx, ky, first, second, direction};
        edit.Add(edit.Header(EntityType::Ellipse, 0, 5), codes, values);
        return;
    }
    const int16_t* codes = FixedCodes(EntityType::EllipticArc).data();
    double start = workValue2;
    if (workFlag == -1)
        std::swap(start, end);
    const double values[7] = {kx, ky, first, second, direction, start, end};
    edit.Add(edit.Header(EntityType::EllipticArc, static_cast<int16_t>(workFlag != 0 ? workFlag : 1), 7), codes,
             values);
}

void CCircleTool::ClickEllipse(COrvikCadView* view, platform::Point point)
{
    ClickEllipseArc(view, point);
}

void CCircleTool::ClickEllipseArc(COrvikCadView* view, platform::Point point)
{
    const int sub = ToolSubMode;
    const bool arc = ArcKind(sub);
    const int n = InputPointCount;

    if (n == 0) {
        NumericInputPending = 0;
        const TakenPoint p = TakePoint(view, point, PickFilter());
        for (int i = 0; i < MaxInputPoints; ++i)
            X[i] = Y[i] = 0.0;
        anchor = corner = p.view;
        EraseAll();
        ShowCross(view, CrossA, anchor);
        Prompt("終端を指示して下さい。[マウス右：数値入力／中止]");
        stepMarksShown = 1;
        if (arc) {
            workFlag = 0;
            workStep = 0;
        }
        X[0] = p.x;
        Y[0] = p.y;
        InputPointCount = 1;
        return;
    }

    if (n == 1) {
        TakenPoint p;
        if (NumericInputPending == 1) {
            NumericInputPending = 0;
            if (NumericInputKind == 1) {
                p = TypedPoint(view, X[0] + NumericInputValue, Y[0] + NumericInputValue2);
            } else {
                const double w = NumericInputValue2 * DegToRad;
                p = TypedPoint(view, X[0] + NumericInputValue * std::cos(w), Y[0] + NumericInputValue * std::sin(w));
            }
        } else {
            p = TakePoint(view, point, PickFilter());
        }
        // The centre and the minor axis need a first axis of some length.
        double kx = X[0], ky = Y[0];
        const DistanceResult d = PointDistance(X[0], Y[0], p.x, p.y);
        if (ThreePointKind(sub)) {
            const PointResult m = OffsetPointFromSegment(0, X[0], Y[0], p.x, p.y, d.distance / 2.0);
            kx = m.x;
            ky = m.y;
            if (m.status != 0)
                kx = ky = NAN;
        }
        const PointResult q = OffsetPointFromSegment(1, kx, ky, p.x, p.y, 1000.0);
        const LineResult minor = LineFromPoints(kx, ky, q.x, q.y);
        if (d.status != 0 || !std::isfinite(kx) || !std::isfinite(p.x) || !std::isfinite(p.y) || q.status != 0 ||
            minor.status != 0) {
            MessageBeep(1);
            return;
        }
        EraseAll();
        Prompt("副軸の終端を指示して下さい。[マウス右：数値入力／中止]");
        X[1] = p.x;
        Y[1] = p.y;
        X[10] = kx;
        Y[10] = ky;
        InputPointCount = 2;
        workX = minor.a;
        workY = minor.b;
        workValue1 = minor.c;
        workValue0 = std::hypot(p.x - kx, p.y - ky);
        givenAngle = SingleDirection(p.x - X[0], p.y - Y[0]);
        stepMarksShown = 1;
        return;
    }

    double kx = 0, ky = 0;
    EllipseCentre(kx, ky);

    if (n == 2) {
        TakenPoint p;
        double typed = -1.0;
        if (NumericInputPending == 1) {
            NumericInputPending = 0;
            const double v = NumericInputValue;
            const PointResult q = OffsetPointFromSegment(1, kx, ky, X[1], Y[1], v);
            if (!std::isfinite(v) || q.status != 0) {
                MessageBeep(1);
                return;
            }
            p = TypedPoint(view, q.x, q.y);
            typed = std::fabs(v);
        } else {
            p = TakePoint(view, point, PickFilter());
        }
        // A point on the first axis gives no second semi-axis, a flat
        // ellipse that is no figure: the point is asked again.
        const LineResult axis = LineFromPoints(X[0], Y[0], X[1], Y[1]);
        const PointResult foot = PerpendicularFoot(p.x, p.y, axis.a, axis.b, axis.c);
        const double second = typed >= 0.0 ? typed
                              : axis.status == 0 && foot.status == 0 ? std::hypot(p.x - foot.x, p.y - foot.y)
                                                                      : 0.0;
        if (!(Single(second) > 0.0)) {
            MessageBeep(1);
            return;
        }
        EraseAll();
        X[2] = p.x;
        Y[2] = p.y;
        if (!arc) {
            InputPointCount = 0;
            stepMarksShown = 0;
            Prompt(FirstPrompt(sub));
            AddEllipse(view, false, 0.0);
            return;
        }
        // The guide shows the ellipse the arc will lie on.
        const PointResult f = PerpendicularFoot(p.x, p.y, workX, workY, workValue1);
        minorRadius = typed >= 0.0 ? typed : (f.status == 0 ? std::hypot(f.x - kx, f.y - ky) : 0.0);
        ShowPolyline(view, Guide, EllipsePoints(view, kx, ky, workValue0, minorRadius, givenAngle, 0.05));
        Prompt("楕円弧始端位置を指示して下さい。[マウス右：角度入力／中止]");
        InputPointCount = 3;
        stepMarksShown = 1;
        return;
    }

    if (n == 3) {
        TakenPoint p;
        if (NumericInputPending == 1) {
            NumericInputPending = 0;
            const double a = NumericInputValue * DegToRad;
            if (!std::isfinite(a)) {
                MessageBeep(1);
                return;
            }
            const double vx = X[1] - kx, vy = Y[1] - ky;
            p = TypedPoint(view, kx + std::cos(a) * vx - std::sin(a) * vy, ky + std::sin(a) * vx + std::cos(a) * vy);
        } else {
            p = TakePoint(view, point, PickFilter());
        }
        if (p.x == kx && p.y == ky) {
            // The centre gives no direction: asked again.
            MessageBeep(1);
            return;
        }
        EraseFigure(RubberLine);
        EraseFigure(Guide);
        Prompt("楕円弧終端位置を指示して下さい。[マウス右：角度入力／中止]");
        X[3] = p.x;
        Y[3] = p.y;
        InputPointCount = 4;
        workValue2 = SingleDirection(p.x - kx, p.y - ky);
        return;
    }

    // n == 4: the end.
    double e = 0.0;
    if (NumericInputPending == 1) {
        NumericInputPending = 0;
        e = NumericInputValue;
        if (!std::isfinite(e)) {
            MessageBeep(1);
            return;
        }
        e = std::fmod(e, 360.0);
        if (e < 0.0)
            e += 360.0;
        e = Single(e);
        if (e >= 360.0)
            e = 0.0;
    } else {
        const TakenPoint p = TakePoint(view, point, PickFilter());
        if (p.x == kx && p.y == ky) {
            MessageBeep(1);
            return;
        }
        X[4] = p.x;
        Y[4] = p.y;
        e = SingleDirection(p.x - kx, p.y - ky);
    }
    EraseAll();
    InputPointCount = 0;
    stepMarksShown = 0;
    Prompt(FirstPrompt(sub));
    AddEllipse(view, true, e);
}

// ---- previews ----

void CCircleTool::DrawMajorAxisRubberBand(COrvikCadView* view, platform::Point cursor)
{
    if (XorPreviewShown == 1)
        corner = cursor;
    // The whole axis: the cursor's point mirrored across the centre to it.
    const platform::Point opposite{2 * anchor.x - corner.x, 2 * anchor.y - corner.y};
    ShowLine(view, RubberLine, opposite, corner);
    XorPreviewShown = 1;
}

void CCircleTool::DrawMinorAxisRubberBand(COrvikCadView* view, platform::Point cursor)
{
    if (XorPreviewShown == 1) {
        EraseFigure(RubberLine);
        EraseFigure(Preview);
        corner = cursor;
    }
    ShowMinorAxisFigure(view);
    XorPreviewShown = 1;
}

void CCircleTool::DrawCentreRubberBandLine(COrvikCadView* view, platform::Point cursor)
{
    if (XorPreviewShown == 1)
        corner = cursor;
    double kx = 0, ky = 0;
    EllipseCentre(kx, ky);
    ShowLine(view, RubberLine, PreviewPoint(view, kx, ky), corner);
    XorPreviewShown = 1;
}

void CCircleTool::DrawEllipticArcRubberBand(COrvikCadView* view, platform::Point cursor)
{
    if (XorPreviewShown == 1) {
        EraseFigure(RubberLine);
        EraseFigure(Preview);
        corner = cursor;
    }
    double kx = 0, ky = 0;
    EllipseCentre(kx, ky);
    ShowLine(view, RubberLine, PreviewPoint(view, kx, ky), corner);
    const double mx = view->XToModel(corner.x), my = view->YToModel(corner.y);
    if (!(mx == kx && my == ky)) {
        const double phi = SingleDirection(mx - kx, my - ky);
        double e = phi - workValue2;
        while (e < 0.0)
            e += 360.0;
        UpdateArcDirection(e);
        ShowEllipticArcPreview(view, phi);
    }
    XorPreviewShown = 1;
}
