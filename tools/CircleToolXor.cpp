// CCircleTool: the marks and previews, drawn on a client DC of the view with
// the not-XOR mix and a solid 1-pixel pen in xorColor, so that drawing a
// figure again takes it away. Each figure sits in a slot with what it was
// drawn from and in which view; it is erased only while it is shown, and a
// repaint of the view draws the figures on screen once more.

#include "tools/CircleTool.h"

#include "view/OrvikCadView.h"
#include "view/ViewCircles.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

COrvikCadView* ShownIn(const QPointer<QWidget>& view)
{
    return static_cast<COrvikCadView*>(view.data());
}

constexpr double Pi = std::numbers::pi;
// Circles whose radius in pixels stays below this are sampled whole.
constexpr double PlainRadius = 16384.0;
// View coordinates are held within this, as the view's mapping clamps.
constexpr double CoordLimit = 134217728.0;
// Largest radius in pixels that is drawn at all.
constexpr double LargestRadius = 1e12;

int Clamp(double v)
{
    return static_cast<int>(std::lround(std::clamp(v, -CoordLimit, CoordLimit)));
}

// Cuts the segment a-b to the box; false when nothing of it is inside.
bool ClipSegment(double& ax, double& ay, double& bx, double& by, double x0, double y0, double x1, double y1)
{
    double t0 = 0.0, t1 = 1.0;
    const double dx = bx - ax, dy = by - ay;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {ax - x0, x1 - ax, ay - y0, y1 - ay};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const double sx = ax, sy = ay;
    ax = sx + t0 * dx;
    ay = sy + t0 * dy;
    bx = sx + t1 * dx;
    by = sy + t1 * dy;
    return true;
}

// The pieces of a polyline (view points) near the visible part of the view:
// a figure reaching far beyond it is drawn only where it can be seen, so
// that a line to a far clamped point costs no more than one across the view.
// The box depends on the view alone, so a figure drawn again for the same
// view and scroll position gives the same pixels.
std::vector<std::vector<platform::Point>> VisibleRuns(const COrvikCadView* view,
                                                      const std::vector<platform::Point>& points)
{
    constexpr double Margin = 1024.0;
    const double x0 = view->FrameScrollX() - Margin, y0 = view->FrameScrollY() - Margin;
    const double x1 = view->FrameScrollX() + view->width() + Margin;
    const double y1 = view->FrameScrollY() + view->height() + Margin;
    auto inside = [&](platform::Point p) { return p.x >= x0 && p.x <= x1 && p.y >= y0 && p.y <= y1; };
    std::vector<std::vector<platform::Point>> runs;
    if (points.size() < 2)
        return runs;
    std::vector<platform::Point> run;
    auto flush = [&] {
        if (run.size() >= 2)
            runs.push_back(std::move(run));
        run.clear();
    };
    for (std::size_t i = 1; i < points.size(); ++i) {
        const platform::Point a = points[i - 1], b = points[i];
        if (inside(a) && inside(b)) {
            if (run.empty())
                run.push_back(a);
            run.push_back(b);
            continue;
        }
        double ax = a.x, ay = a.y, bx = b.x, by = b.y;
        if (!ClipSegment(ax, ay, bx, by, x0, y0, x1, y1)) {
            flush();
            continue;
        }
        const platform::Point ca{static_cast<int>(std::lround(ax)), static_cast<int>(std::lround(ay))};
        const platform::Point cb{static_cast<int>(std::lround(bx)), static_cast<int>(std::lround(by))};
        if (!inside(a) || run.empty()) {
            flush();
            run.push_back(ca);
        }
        run.push_back(cb);
        if (!inside(b))
            flush();
    }
    flush();
    return runs;
}

} // namespace

bool CCircleTool::AnyShown() const
{
    for (const Figure& f : figures_)
        if (f.shown)
            return true;
    return false;
}

void CCircleTool::DrawFigureOn(COrvikCadView* view, platform::Dc& dc, const Figure& f, bool deviceDc)
{
    const platform::Rop2 kept = dc.SetRop2(platform::Rop2::NotXorPen);
    const platform::Pen oldPen = dc.SelectPen(platform::Pen::Make(platform::PenStyle::Solid, 1, xorColor));
    const platform::Brush oldBrush = dc.SelectBrush(platform::Brush::NullBrush());
    platform::Point a = f.a, b = f.b;
    if (deviceDc) {
        view->LogicalToDevice(a.x, a.y);
        view->LogicalToDevice(b.x, b.y);
    }
    auto polyline = [&](const std::vector<platform::Point>& logical) {
        for (std::vector<platform::Point>& run : VisibleRuns(view, logical)) {
            if (deviceDc)
                for (platform::Point& p : run)
                    view->LogicalToDevice(p.x, p.y);
            dc.Polyline(run);
        }
    };
    switch (f.kind) {
    case FigureKind::Line:
        polyline({f.a, f.b});
        break;
    case FigureKind::Cross:
        // Nine pixels each way round the point: the last pixel of a line
        // is not drawn.
        dc.MoveTo(a.x - 4, a.y);
        dc.LineTo(a.x + 5, a.y);
        dc.MoveTo(a.x, a.y - 4);
        dc.LineTo(a.x, a.y + 5);
        break;
    case FigureKind::CircleCentre:
        DrawCircleCenterPoint(dc, a.x, a.y, b.x, b.y);
        break;
    case FigureKind::CircleDiameter:
        DrawCircleTwoPoints(dc, a.x, a.y, b.x, b.y);
        break;
    case FigureKind::Polyline:
        polyline(f.points);
        break;
    }
    dc.SelectBrush(oldBrush);
    dc.SelectPen(oldPen);
    dc.SetRop2(kept);
}

void CCircleTool::ShowFigure(COrvikCadView* view, Slot s, FigureKind kind, platform::Point a, platform::Point b,
                             std::vector<platform::Point> points)
{
    EraseFigure(s);
    Figure& f = figures_[s];
    f.kind = kind;
    f.a = a;
    f.b = b;
    f.points = std::move(points);
    f.view = view;
    f.shown = true;
    auto dc = view->GetClientDc();
    DrawFigureOn(view, *dc, f, true);
}

void CCircleTool::ShowRubberCircle(COrvikCadView* view, Slot s, platform::Point a, platform::Point b)
{
    const bool diameter =
        ToolSubMode == CircleToolMode::DiameterCircle || ToolSubMode == CircleToolMode::DiameterArc;
    ShowFigure(view, s, diameter ? FigureKind::CircleDiameter : FigureKind::CircleCentre, a, b);
}

void CCircleTool::EraseFigure(Slot s)
{
    Figure& f = figures_[s];
    if (!f.shown)
        return;
    f.shown = false;
    if (COrvikCadView* view = ShownIn(f.view)) {
        auto dc = view->GetClientDc();
        DrawFigureOn(view, *dc, f, true);
    }
    f.points.clear();
}

void CCircleTool::EraseAll()
{
    for (int s = 0; s < SlotCount; ++s)
        EraseFigure(static_cast<Slot>(s));
}

void CCircleTool::RedrawToolFigures(COrvikCadView* view, platform::Dc& dc, bool deviceDc)
{
    if (!view)
        return;
    for (const Figure& f : figures_)
        if (f.shown && ShownIn(f.view) == view)
            DrawFigureOn(view, dc, f, deviceDc);
    // The read-out is drawn on the view's own DC: it is put back only after
    // a repaint of the whole view, which surely took it away.
    platform::Rect all{0, 0, view->width(), view->height()};
    if (!deviceDc) {
        all.left += view->FrameScrollX();
        all.right += view->FrameScrollX();
        all.top += view->FrameScrollY();
        all.bottom += view->FrameScrollY();
    }
    const platform::Rect clip = dc.GetClipBox();
    if (clip.left <= all.left && clip.top <= all.top && clip.right >= all.right && clip.bottom >= all.bottom)
        RedrawReadout(view);
}

std::vector<platform::Point> CCircleTool::ArcViewPoints(const COrvikCadView* view, double cx, double cy, double r,
                                                        double start, double sweep)
{
    std::vector<platform::Point> out;
    if (!view || !(r > 0.0) || !std::isfinite(r) || !std::isfinite(sweep) || sweep == 0.0)
        return out;
    // The view's mapping in doubles: view x = ox + k·x, view y = oy − k·y.
    const double k = view->MappingZoom() / view->MappingScale();
    const double ox = view->XToDevice(0.0), oy = view->YToDevice(0.0);
    const double pcx = ox + k * cx, pcy = oy - k * cy, pr = k * r;
    // Beyond this the doubles no longer place the circle to the pixel; such a
    // preview is left out.
    if (!std::isfinite(pcx) || !std::isfinite(pcy) || !std::isfinite(pr) || pr <= 0.0 || pr > LargestRadius)
        return out;
    sweep = std::clamp(sweep, -360.0, 360.0);
    double a0 = start * Pi / 180.0;
    double a1 = a0 + sweep * Pi / 180.0;
    if (a1 < a0)
        std::swap(a0, a1);
    if (pr > PlainRadius) {
        // Only where the circle runs near the visible area: the area is seen
        // from the far centre under less than half a turn.
        const double sx = view->FrameScrollX(), sy = view->FrameScrollY();
        const double x0 = sx - 50.0, y0 = sy - 50.0;
        const double x1 = sx + view->width() + 50.0, y1 = sy + view->height() + 50.0;
        const double nx = std::clamp(pcx, x0, x1) - pcx, ny = std::clamp(pcy, y0, y1) - pcy;
        const double fx = std::max(std::fabs(x0 - pcx), std::fabs(x1 - pcx));
        const double fy = std::max(std::fabs(y0 - pcy), std::fabs(y1 - pcy));
        if (pr < std::hypot(nx, ny) - 1.0 || pr > std::hypot(fx, fy) + 1.0)
            return out;
        // Model angles (y turned upwards) of the box centre and corners.
        const double base = std::atan2(-((y0 + y1) * 0.5 - pcy), (x0 + x1) * 0.5 - pcx);
        double lo = 0.0, hi = 0.0;
        for (double x : {x0, x1})
            for (double y : {y0, y1}) {
                double a = std::atan2(-(y - pcy), x - pcx) - base;
                a = std::remainder(a, 2 * Pi);
                lo = std::min(lo, a);
                hi = std::max(hi, a);
            }
        // The window [base + lo, base + hi] moved by whole turns to meet the
        // arc's range.
        double wlo = base + lo, whi = base + hi;
        const double shift = std::floor((a0 - wlo) / (2 * Pi));
        wlo += shift * 2 * Pi;
        whi += shift * 2 * Pi;
        double best0 = 0.0, best1 = -1.0;
        for (int t = 0; t < 3; ++t) {
            const double s0 = std::max(a0, wlo + t * 2 * Pi), s1 = std::min(a1, whi + t * 2 * Pi);
            if (s1 > s0 && s1 - s0 > best1 - best0) {
                best0 = s0;
                best1 = s1;
            }
        }
        if (best1 <= best0)
            return out;
        a0 = best0;
        a1 = best1;
    }
    // Chords within a quarter pixel of the circle.
    const double step = pr > 1.0 ? 2.0 * std::acos(1.0 - 0.25 / pr) : 0.5;
    const int n = std::clamp(static_cast<int>(std::ceil((a1 - a0) / step)), 1, 20000);
    out.reserve(n + 1);
    for (int i = 0; i <= n; ++i) {
        const double a = a0 + (a1 - a0) * i / n;
        const platform::Point p{Clamp(pcx + pr * std::cos(a)), Clamp(pcy - pr * std::sin(a))};
        if (out.empty() || !(out.back() == p))
            out.push_back(p);
    }
    if (out.size() == 1)
        out.push_back(out.front());
    return out;
}
