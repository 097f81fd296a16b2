// EntityRenderer: the drawers of lines, infinite lines and polygons, and the
// segment clipper.

#include "view/EntityRenderer.h"

#include <algorithm>
#include <cmath>
#include <vector>

using platform::PenStyle;

namespace {

bool Inside(double x, double y, double xmin, double ymin, double xmax, double ymax)
{
    return x >= xmin && x <= xmax && y >= ymin && y <= ymax;
}

// Whether the segment meets the rectangle (edges included), by clipping its
// parameter range against each side.
bool SegmentMeetsRect(double x1, double y1, double x2, double y2, double xmin, double ymin, double xmax, double ymax)
{
    double t0 = 0, t1 = 1;
    const double dx = x2 - x1, dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - xmin, xmax - x1, y1 - ymin, ymax - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    return true;
}

double Dist2(double ax, double ay, double bx, double by)
{
    return (ax - bx) * (ax - bx) + (ay - by) * (ay - by);
}

} // namespace

const double EntityRenderer::NearPixels = 16384;

int SegmentOutsideRect(double& x1, double& y1, double& x2, double& y2, double xmin, double ymin, double xmax,
                       double ymax)
{
    if (Inside(x1, y1, xmin, ymin, xmax, ymax) || Inside(x2, y2, xmin, ymin, xmax, ymax))
        return 0;
    if (!SegmentMeetsRect(x1, y1, x2, y2, xmin, ymin, xmax, ymax))
        return 1;

    // Both ends lie outside: the chord of the line through them.
    double cx[2] = {0, 0}, cy[2] = {0, 0};
    int found = 0;
    const bool vertical = std::fabs(x1 - x2) <= 0.005;
    const bool horizontal = y1 == y2;
    for (double x : {xmin, xmax}) {
        if (found == 2 || vertical)
            break;
        const double y = horizontal ? y1 : y1 + (y2 - y1) / (x2 - x1) * (x - x1);
        if (y >= ymin && y <= ymax) {
            cx[found] = x;
            cy[found] = y;
            ++found;
        }
    }
    for (double y : {ymin, ymax}) {
        if (found == 2 || horizontal)
            break;
        const double x = vertical ? x1 : x1 + (y - y1) / ((y2 - y1) / (x2 - x1));
        if (x >= xmin && x <= xmax) {
            cx[found] = x;
            cy[found] = y;
            ++found;
        }
    }
    if (found == 0)
        return 1;
    if (found == 1) {
        cx[1] = cx[0];
        cy[1] = cy[0];
    }
    const double ax = cx[0], ay = cy[0], bx = cx[1], by = cy[1];
    const double a1 = Dist2(x1, y1, ax, ay), b1 = Dist2(x1, y1, bx, by);
    const double a2 = Dist2(x2, y2, ax, ay), b2 = Dist2(x2, y2, bx, by);
    if (b1 > a1) {
        x1 = ax;
        y1 = ay;
    } else if (a1 > b1) {
        x1 = bx;
        y1 = by;
    }
    if (a2 < b2) {
        x2 = ax;
        y2 = ay;
    } else {
        x2 = bx;
        y2 = by;
    }
    return 0;
}

void EntityRenderer::ScreenPolyline(const std::vector<platform::Point>& pts)
{
    if (pts.empty())
        return;
    const bool near = std::all_of(pts.begin(), pts.end(), [](const platform::Point& p) {
        return std::abs(p.x) <= NearPixels && std::abs(p.y) <= NearPixels;
    });
    if (near) {
        dc.MoveTo(pts[0].x, pts[0].y);
        for (std::size_t i = 1; i < pts.size(); ++i)
            dc.LineTo(pts[i].x, pts[i].y);
        return;
    }
    // Far pixels (a deep zoom): each piece is cut to a square around the
    // client first, so that no piece walks millions of pixels off-screen.
    bool open = false;
    for (std::size_t i = 1; i < pts.size(); ++i) {
        double x1 = pts[i - 1].x, y1 = pts[i - 1].y, x2 = pts[i].x, y2 = pts[i].y;
        const bool firstInside = std::abs(x1) <= NearPixels && std::abs(y1) <= NearPixels;
        if (SegmentOutsideRect(x1, y1, x2, y2, -NearPixels, -NearPixels, NearPixels, NearPixels)) {
            open = false;
            continue;
        }
        const auto cut = [](double v) { return static_cast<int>(std::clamp(v, -NearPixels, NearPixels)); };
        if (!open || !firstInside)
            dc.MoveTo(cut(x1), cut(y1));
        dc.LineTo(cut(x2), cut(y2));
        open = std::abs(pts[i].x) <= NearPixels && std::abs(pts[i].y) <= NearPixels;
    }
}

platform::Pen EntityRenderer::SelectScreenPen(const Look& look, PenStyle style)
{
    dc.SetBkMode(platform::BkMode::Transparent);
    return dc.SelectPen(platform::Pen::Make(style, look.width, look.colour));
}

void EntityRenderer::DrawLine(const CEntity* e, int state)
{
    if (e->values.size() < 4)
        return;
    double x1 = e->values[0], y1 = e->values[1], x2 = e->values[2], y2 = e->values[3];
    if (SegmentOutsideRect(x1, y1, x2, y2, visibleX0, visibleY0, visibleX1, visibleY1))
        return;
    const Look look = LookOf(e, state);
    const platform::Point a = ToPixel(x1, y1), b = ToPixel(x2, y2);
    if (look.printing) {
        PrintedOutline out(*this, dc, look);
        out.Start(a);
        out.LineTo(b);
        out.Finish();
    } else {
        const platform::Pen old = SelectScreenPen(look, look.style);
        dc.MoveTo(a.x, a.y);
        dc.LineTo(b.x, b.y);
        dc.SelectPen(old);
    }
    if (e->state == EntityState::Selected && (!e->owner || e->owner->type == EntityType::GroupHeader)) {
        DrawGrip(x1, y1);
        DrawGrip(x2, y2);
        DrawMidpointGrip(e);
    }
}

void EntityRenderer::DrawAxisLine(const CEntity* e, int state)
{
    if (e->values.size() < 2)
        return;
    platform::Point a, b;
    if (e->type == EntityType::HorizontalInfiniteLine) {
        const int yd = YToDevice(e->values[1]);
        a = {0, yd};
        b = {areaW, yd};
    } else {
        const int xd = XToDevice(e->values[0]);
        a = {xd, 0};
        b = {xd, areaH};
    }
    const Look look = LookOf(e, state);
    if (look.printing) {
        PrintedOutline out(*this, dc, look);
        out.Start(a);
        out.LineTo(b);
        out.Finish();
        return;
    }
    const platform::Pen old = SelectScreenPen(look, look.lineStyle);
    dc.MoveTo(a.x, a.y);
    dc.LineTo(b.x, b.y);
    dc.SelectPen(old);
}

void EntityRenderer::DrawPolyline(const CEntity* e, int state)
{
    const std::size_t n = e->values.size() / 2;
    if (n == 0)
        return;
    const Look look = LookOf(e, state);
    std::vector<platform::Point> points(n);
    for (std::size_t i = 0; i < n; ++i)
        points[i] = ToPixel(e->values[2 * i], e->values[2 * i + 1]);
    const int width = look.printing ? PrintedPenWidth(e->style) : 0;
    if (width > 1) {
        const platform::Pen oldPen = dc.SelectPen(platform::Pen::Geometric(
            PenStyle::Solid, width, look.colour, platform::PenCap::Square, platform::PenJoin::Miter));
        const platform::Brush oldBrush = dc.SelectBrush(platform::Brush::Solid(look.colour));
        dc.SetBkMode(platform::BkMode::Transparent);
        dc.BeginPath();
        dc.Polyline(points);
        dc.EndPath();
        dc.StrokePath();
        dc.SelectBrush(oldBrush);
        dc.SelectPen(oldPen);
    } else {
        const platform::Pen old = dc.SelectPen(platform::Pen::Make(look.style, width, look.colour));
        if (look.printing) {
            dc.MoveTo(points[0].x, points[0].y);
            for (std::size_t i = 1; i < n; ++i)
                dc.LineTo(points[i].x, points[i].y);
        } else {
            ScreenPolyline(points);
        }
        dc.SelectPen(old);
    }
    if (e->state == EntityState::Selected)
        for (std::size_t i = 0; i + 1 < n; ++i)
            DrawGrip(e->values[2 * i], e->values[2 * i + 1]);
}
