#include "view/ViewCircles.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

// Circles up to this radius go to the device as they are; larger ones (the
// nearly straight three-point arcs) are drawn only where they cross the
// clip box, as a fine polyline.
constexpr int LargestPlainRadius = 16384;
constexpr double RadiusLimit = 134217728.0;  // 2^27, as the mapping clamps

void DrawLargeCircle(platform::Dc& dc, double cx, double cy, double r)
{
    const platform::Rect clip = dc.GetClipBox();
    const double x0 = clip.left - 2.0, y0 = clip.top - 2.0, x1 = clip.right + 2.0, y1 = clip.bottom + 2.0;
    // Distances from the centre to the nearest and farthest points of the box.
    const double nx = std::clamp(cx, x0, x1) - cx, ny = std::clamp(cy, y0, y1) - cy;
    const double fx = std::max(std::fabs(x0 - cx), std::fabs(x1 - cx));
    const double fy = std::max(std::fabs(y0 - cy), std::fabs(y1 - cy));
    if (r < std::hypot(nx, ny) - 1.0 || r > std::hypot(fx, fy) + 1.0)
        return;
    // The centre lies outside the box (the circle is far larger than it):
    // the box is seen from the centre under less than half a turn.
    const double base = std::atan2((y0 + y1) * 0.5 - cy, (x0 + x1) * 0.5 - cx);
    double lo = 0.0, hi = 0.0;
    for (double x : {x0, x1})
        for (double y : {y0, y1}) {
            double a = std::atan2(y - cy, x - cx) - base;
            while (a > std::numbers::pi)
                a -= 2 * std::numbers::pi;
            while (a < -std::numbers::pi)
                a += 2 * std::numbers::pi;
            lo = std::min(lo, a);
            hi = std::max(hi, a);
        }
    // Chords stay within a quarter pixel of the circle.
    const double step = 2.0 * std::acos(1.0 - 0.25 / r);
    const int n = std::clamp(static_cast<int>(std::ceil((hi - lo) / step)), 1, 20000);
    std::vector<platform::Point> run;
    auto flush = [&] {
        if (run.size() >= 2)
            dc.Polyline(run);
        run.clear();
    };
    for (int k = 0; k <= n; ++k) {
        const double a = base + lo + (hi - lo) * k / n;
        const double px = cx + r * std::cos(a), py = cy + r * std::sin(a);
        if (px < x0 - 1 || px > x1 + 1 || py < y0 - 1 || py > y1 + 1) {
            flush();
            continue;
        }
        const platform::Point p{static_cast<int>(std::lround(px)), static_cast<int>(std::lround(py))};
        if (run.empty() || !(run.back() == p))
            run.push_back(p);
    }
    flush();
}

void DrawCircleOfRadius(platform::Dc& dc, int cx, int cy, double radius)
{
    const double r = std::min(std::trunc(radius), RadiusLimit);
    if (r > LargestPlainRadius) {
        DrawLargeCircle(dc, cx, cy, r);
        return;
    }
    const int ri = static_cast<int>(r);
    dc.Arc(cx - ri, cy - ri, cx + ri, cy + ri, cx - ri, cy - ri, cx - ri, cy - ri);
}

} // namespace

void DrawCircleCenterPoint(platform::Dc& dc, int cx, int cy, int px, int py)
{
    const double d = std::hypot(double(px) - cx, double(py) - cy);
    DrawCircleOfRadius(dc, cx, cy, d > 0 ? d : 0.0);
}

void DrawCircleTwoPoints(platform::Dc& dc, int x1, int y1, int x2, int y2)
{
    const double dx = double(x2) - x1, dy = double(y2) - y1;
    const double d = std::hypot(dx, dy);
    // The point half way along from the first point toward the second.
    const int cx = d > 0 ? static_cast<int>(x1 + dx * 0.5) : x1;
    const int cy = d > 0 ? static_cast<int>(y1 + dy * 0.5) : y1;
    DrawCircleOfRadius(dc, cx, cy, d > 0 ? d / 2 : 0.0);
}
