// CCircleTool: the marks and previews, each a rubber band in a slot, drawn
// with a solid 1-pixel pen in xorColor; a repaint of the view draws the
// figures on screen once more.

#include "tools/CircleTool.h"

#include "view/OrvikCadView.h"
#include "view/ViewCircles.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

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

} // namespace

bool CCircleTool::AnyShown() const
{
    for (const RubberBand& f : figures_)
        if (f.Shown())
            return true;
    return false;
}

void CCircleTool::ShowPolyline(COrvikCadView* view, Slot s, std::vector<platform::Point> points)
{
    RubberBand& f = figures_[s];
    f.Clear();
    f.AddPolyline(std::move(points));
    f.Show(view, xorColor);
}

void CCircleTool::ShowRubberCircle(COrvikCadView* view, Slot s, platform::Point a, platform::Point b)
{
    const bool diameter =
        ToolSubMode == CircleToolMode::DiameterCircle || ToolSubMode == CircleToolMode::DiameterArc;
    RubberBand& f = figures_[s];
    f.Clear();
    if (diameter)
        f.AddDiameterCircle(a, b);
    else
        f.AddCircle(a, b);
    f.Show(view, xorColor);
}

void CCircleTool::EraseFigure(Slot s)
{
    figures_[s].Erase();
}

void CCircleTool::EraseAll()
{
    for (RubberBand& f : figures_)
        f.Erase();
}

void CCircleTool::RedrawToolFigures(COrvikCadView* view, platform::Dc& dc)
{
    if (!view)
        return;
    for (const RubberBand& f : figures_)
        f.Redraw(view, dc);
    // The read-out is drawn on the view's own DC: it is put back only after
    // a repaint of the whole view, which surely took it away.
    const int left = view->FrameScrollX(), top = view->FrameScrollY();
    const platform::Rect all{left, top, left + view->width(), top + view->height()};
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
