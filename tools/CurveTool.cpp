// CCurveTool: construction, the dispatch of the view's calls, the
// control-point curve and the chain of three-point arcs.

#include "tools/CurveTool.h"

#include "view/OrvikCadView.h"
#include "model/GeometryCircles.h"
#include "model/Notify.h"
#include "tools/SubModeSteps.h"
#include "tools/ToolEdit.h"
#include "model/EntityKinds.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double RadToDeg = 180.0 / std::numbers::pi;

// The direction of (x, y) from (cx, cy) in degrees, 0 <= a < 360.
double DirectionDegrees(double cx, double cy, double x, double y)
{
    double a = std::atan2(y - cy, x - cx) * RadToDeg;
    if (a < 0.0)
        a += 360.0;
    if (a >= 360.0)
        a -= 360.0;
    return a;
}

// Pixels beyond which a rubber arc is taken as straight and not drawn.
constexpr double LargestArcRadius = 100000.0;

} // namespace

CCurveTool::CCurveTool() : CDrawTool(ToolId::Curve)
{
}

// What each sub-mode does with the view's calls.
struct CCurveTool::SubModeRow {
    SubModeStep<CCurveTool> step;  // right button: ends or abandons the running curve
    SubModeStep<CCurveTool>::PointHandler press = nullptr;  // the left button going down
    bool marker = true;            // the magnet marker follows the mouse
};

const CCurveTool::SubModeRow* CCurveTool::RowOf(int subMode)
{
    using T = CCurveTool;
    static constexpr SubModeRow rows[] = {
        // Spline
        {{"ベジェ曲線を作図します。開始点を指示して下さい。", &T::AddSplinePoint, &T::MoveSplineStep,
          &T::CancelSplineStep},
         nullptr, true},
        // Arcs
        {{"連続円弧を作図します。始端を指示して下さい。", &T::AddArcPoint, &T::MoveArcStep, &T::CancelArcsStep},
         nullptr, true},
        // Freehand: no marker while tracing
        {{"マウスドラッグで、自由曲線を作図します。", &T::FinishFreeCurveStep, &T::MoveFreeStep,
          &T::CancelFreeStep},
         &T::StartFreeCurve, false},
    };
    return FindSubModeRow(rows, subMode);
}

const char* CCurveTool::FirstPrompt(int subMode)
{
    const SubModeRow* row = RowOf(subMode);
    return row ? row->step.prompt : "";
}

// ---- the steps of the sub-modes ----

void CCurveTool::MoveSplineStep(COrvikCadView* view, platform::Point p)
{
    if (InputPointCount >= 1)
        DrawSplineRubberBand(view, p);
}

void CCurveTool::MoveArcStep(COrvikCadView* view, platform::Point p)
{
    if (InputPointCount == 2)
        DrawArcRubberBand(view, p);
}

void CCurveTool::MoveFreeStep(COrvikCadView* view, platform::Point p)
{
    if (toolAux == 1)
        TraceFreeCurve(view, p);
}

void CCurveTool::FinishFreeCurveStep(COrvikCadView* view, platform::Point)
{
    FinishFreeCurve(view);
}

void CCurveTool::CancelSplineStep(COrvikCadView* view)
{
    if (InputPointCount > 0)
        FinishSpline(view);
}

void CCurveTool::CancelArcsStep(COrvikCadView*)
{
    if (InputPointCount > 0)
        Prompt(FirstPrompt(CurveToolMode::Arcs));
    EraseFigures();
}

void CCurveTool::CancelFreeStep(COrvikCadView* view)
{
    // The drag is abandoned, and its traced segments with it.
    freePoints.clear();
    freePointCount = 0;
    if (toolAux == 1 && view)
        view->RedrawNow();
    toolAux = 0;
}

// ---- the view's calls ----

void CCurveTool::OnLButtonDown(COrvikCadView* view, unsigned, platform::Point* point)
{
    RecordRop2(view);
    const SubModeRow* row = RowOf(ToolSubMode);
    if (row && view && point)
        RunStep(*this, row->press, view, *point);
}

void CCurveTool::OnLButtonUp(COrvikCadView* view, unsigned, platform::Point* point)
{
    if (!view || !point)
        return;
    if (const SubModeRow* row = RowOf(ToolSubMode))
        RunStep(*this, row->step.click, view, *point);
    // The tool takes no typed values.
    NumericInputPending = 0;
}

void CCurveTool::OnMouseMove(COrvikCadView* view, unsigned, platform::Point* point)
{
    if (!view || !point)
        return;
    const platform::Point p = *point;
    const SubModeRow* row = RowOf(ToolSubMode);
    if (row)
        RunStep(*this, row->step.move, view, p);
    if (!row || row->marker)
        UpdateMagnetMarker(view, p);
}

void CCurveTool::OnRButtonDown(COrvikCadView* view, unsigned, platform::Point*)
{
    const int step = InputPointCount;
    const SubModeRow* row = RowOf(ToolSubMode);
    if (!row || !RunStep(*this, row->step.cancel, view))
        EraseFigures();
    InputPointCount = 0;
    if (step > 0)
        OperationRestarted = 1;
}

void CCurveTool::Reset(COrvikCadView* view)
{
    platform::Point p = corner;
    OnRButtonDown(view, 0, &p);
}

void CCurveTool::RedrawToolFigures(COrvikCadView* view, platform::Dc& dc)
{
    pointCross_.Redraw(view, dc);
    secondCross_.Redraw(view, dc);
    band_.Redraw(view, dc);
}

void CCurveTool::EraseFigures()
{
    band_.Erase();
    pointCross_.Erase();
    secondCross_.Erase();
    auxPreviewShown = 0;
    if (ToolSubMode != CurveToolMode::Freehand)
        toolAux = 0;
}

void CCurveTool::ShowCross(RubberBand& figure, COrvikCadView* view, platform::Point at)
{
    figure.Clear();
    figure.AddCross(at);
    figure.Show(view, xorColor);
}

// ---- control-point curve ----

void CCurveTool::AddSplinePoint(COrvikCadView* view, platform::Point point)
{
    if (InputPointCount < 0 || InputPointCount > MaxSplinePoints)
        InputPointCount = 0;
    if (InputPointCount == MaxSplinePoints) {
        // The click past the last point ends the curve; it adds no point.
        FinishSpline(view);
        ShowMessage("曲線の構成点は、40点以内で作図してください！");
        return;
    }
    band_.Erase();
    auxPreviewShown = 0;
    const TakenPoint p = TakePoint(view, point, 0);
    X[InputPointCount] = p.x;
    Y[InputPointCount] = p.y;
    anchor = corner = p.view;
    ShowCross(pointCross_, view, anchor);
    ++InputPointCount;
    Prompt(InputPointCount == 1 ? "次のポイントを指示して下さい。[マウス右クリック/中止]"
                                : "次のポイントを指示して下さい。[マウス右クリック/終了]");
}

void CCurveTool::FinishSpline(COrvikCadView* view)
{
    EraseFigures();
    Prompt(FirstPrompt(CurveToolMode::Spline));
    const int n = std::min(InputPointCount, MaxSplinePoints);
    InputPointCount = 0;
    // Fewer than two points, or all on one spot, make no curve.
    bool spread = false;
    for (int i = 1; i < n; ++i)
        spread = spread || X[i] != X[0] || Y[i] != Y[0];
    if (n < 2 || !spread) {
        MessageBeep(1);
        return;
    }
    std::vector<int16_t> codes;
    std::vector<double> values;
    for (int i = 0; i < n; ++i) {
        codes.push_back(10);
        codes.push_back(20);
        values.push_back(X[i]);
        values.push_back(Y[i]);
    }
    EraseMagnetMarker(view);
    ToolEdit edit(view);
    edit.Add(edit.Header(EntityType::Curve, 0, static_cast<int16_t>(2 * n)), codes.data(), values.data());
}

std::vector<GeoPoint> CCurveTool::SplineBandPoints(const double* xs, const double* ys, int count, double mx,
                                                   double my)
{
    std::vector<GeoPoint> out;
    if (count < 1 || count > MaxSplinePoints)
        return out;
    // The first point doubled at the start, the mouse doubled at the end.
    std::vector<GeoPoint> s;
    s.reserve(static_cast<std::size_t>(count) + 3);
    s.push_back({xs[0], ys[0]});
    for (int i = 0; i < count; ++i)
        s.push_back({xs[i], ys[i]});
    s.push_back({mx, my});
    s.push_back({mx, my});
    const int segments = count + 2;
    out.push_back({xs[0], ys[0]});
    bool first = true;
    for (int i = 1; i <= count; ++i) {
        const GeoPoint a = s[i - 1], b = s[i], c = s[i + 1], d = s[i + 2];
        for (int j = 0; j <= segments; ++j) {
            if (first) {
                // The band starts at the first point itself.
                first = false;
                continue;
            }
            const double t = static_cast<double>(j) / segments;
            auto eval = [t](double pa, double pb, double pc, double pd) {
                return ((-pa + 3 * pb - 3 * pc + pd) / 6.0) * t * t * t + ((pa - 2 * pb + pc) / 2.0) * t * t +
                       ((pc - pa) / 2.0) * t + (pa + 4 * pb + pc) / 6.0;
            };
            out.push_back({eval(a.x, b.x, c.x, d.x), eval(a.y, b.y, c.y, d.y)});
        }
    }
    out.push_back({mx, my});
    return out;
}

void CCurveTool::DrawSplineRubberBand(COrvikCadView* view, platform::Point mouse)
{
    const double mx = view->XToModel(mouse.x), my = view->YToModel(mouse.y);
    const std::vector<GeoPoint> pts = SplineBandPoints(X, Y, InputPointCount, mx, my);
    band_.Clear();
    for (std::size_t i = 1; i < pts.size(); ++i) {
        const platform::Point a = PreviewPoint(view, pts[i - 1].x, pts[i - 1].y);
        const platform::Point b = PreviewPoint(view, pts[i].x, pts[i].y);
        band_.AddLine(a, b);
    }
    band_.Show(view, xorColor);
    lastPoint = mouse;
    auxPreviewShown = 1;
}

// ---- continuous arcs ----

void CCurveTool::AddArcPoint(COrvikCadView* view, platform::Point point)
{
    const TakenPoint p = TakePoint(view, point, -10);
    if (InputPointCount < 0 || InputPointCount > 2) {
        MessageBeep(1);
        EraseFigures();
        InputPointCount = 0;
        return;
    }
    if (InputPointCount == 0) {
        anchor = p.view;
        toolAux = 0;
        X[0] = p.x;
        Y[0] = p.y;
        ShowCross(pointCross_, view, anchor);
        InputPointCount = 1;
        Prompt("第２端を指示して下さい。[マウス右クリック/中止]");
        return;
    }
    if (InputPointCount == 1) {
        corner = lastPoint = p.view;
        X[1] = p.x;
        Y[1] = p.y;
        ShowCross(secondCross_, view, corner);
        InputPointCount = 2;
        Prompt("終端を指示して下さい。[マウス右クリック/中止]");
        return;
    }

    X[2] = p.x;
    Y[2] = p.y;
    InputPointCount = 0;
    EraseFigures();
    const CircleResult c = CircleFrom3Points(X[0], Y[0], X[1], Y[1], X[2], Y[2]);
    if (c.direction == 0 || !std::isfinite(c.radius) || !(c.radius > 0.0)) {
        // Points on one line (or on one spot) have no arc through them.
        Prompt(FirstPrompt(CurveToolMode::Arcs));
        ShowMessage("三点指定に誤りがあります。");
        return;
    }
    Prompt("第２端を指示して下さい。[マウス右クリック/中止]");
    const int16_t* codes = FixedCodes(EntityType::Arc).data();
    const double values[5] = {c.cx, c.cy, c.radius, DirectionDegrees(c.cx, c.cy, X[0], Y[0]),
                              DirectionDegrees(c.cx, c.cy, X[2], Y[2])};
    EraseMagnetMarker(view);
    {
        ToolEdit edit(view);
        edit.Add(edit.Header(EntityType::Arc, static_cast<int16_t>(c.direction > 0 ? 1 : -1), 5), codes, values);
    }
    // The chain goes on from the arc's end.
    X[0] = X[2];
    Y[0] = Y[2];
    anchor = p.view;
    toolAux = 0;
    InputPointCount = 1;
    ShowCross(pointCross_, view, anchor);
}

void CCurveTool::DrawArcRubberBand(COrvikCadView* view, platform::Point mouse)
{
    if (toolAux == 1 && mouse.x == lastPoint.x && mouse.y == lastPoint.y)
        return;
    band_.Erase();
    toolAux = 0;
    lastPoint = mouse;
    const double mx = view->XToModel(mouse.x), my = view->YToModel(mouse.y);
    const CircleResult c = CircleFrom3Points(X[0], Y[0], X[1], Y[1], mx, my);
    if (c.direction == 0 || !std::isfinite(c.radius))
        return;
    const platform::Point centre = PreviewPoint(view, c.cx, c.cy);
    const platform::Point onCircle = PreviewPoint(view, c.cx + c.radius, c.cy);
    const double rp = std::abs(static_cast<double>(onCircle.x - centre.x));
    if (!(rp >= 1.0) || rp > LargestArcRadius)
        return;
    const int r = static_cast<int>(std::lround(rp));
    const platform::Point start = PreviewPoint(view, X[0], Y[0]);
    const platform::Point topLeft{centre.x - r, centre.y - r};
    const platform::Point bottomRight{centre.x + r + 1, centre.y + r + 1};
    band_.Clear();
    // The arc pieces run counter-clockwise as seen: a clockwise arc is
    // drawn from its end.
    if (c.direction > 0)
        band_.AddArc(topLeft, bottomRight, start, mouse);
    else
        band_.AddArc(topLeft, bottomRight, mouse, start);
    band_.Show(view, xorColor);
    toolAux = 1;
}
