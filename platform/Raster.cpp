#include "platform/Raster.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace platform {

namespace {

// The classic cosmetic dash lengths, in pixels, starting with a drawn run.
constexpr int kDash[] = {18, 6};
constexpr int kDot[] = {3, 3};
constexpr int kDashDot[] = {9, 6, 3, 6};
constexpr int kDashDotDot[] = {9, 3, 3, 3, 3, 3};

} // namespace

DashPattern CosmeticDashes(PenStyle style)
{
    switch (style) {
    case PenStyle::Dash: return {kDash, 2};
    case PenStyle::Dot: return {kDot, 2};
    case PenStyle::DashDot: return {kDashDot, 4};
    case PenStyle::DashDotDot: return {kDashDotDot, 6};
    default: return {};
    }
}

std::uint32_t ToPixel(COLORREF c)
{
    c = ResolveColor(c);
    return (std::uint32_t(RedOf(c)) << 16) | (std::uint32_t(GreenOf(c)) << 8) | std::uint32_t(BlueOf(c));
}

COLORREF FromPixel(std::uint32_t pixel)
{
    return Rgb(int((pixel >> 16) & 0xFF), int((pixel >> 8) & 0xFF), int(pixel & 0xFF));
}

ImageRaster::ImageRaster(QImage& image, const Rect& clip)
    : bits_(image.bits()), stride_(image.bytesPerLine()),
      clip_(clip.Intersected(Rect{0, 0, image.width(), image.height()}))
{
}

void ImageRaster::Span(int y, int x0, int x1, const FillSpec& fill, Rop2 rop)
{
    if (y < clip_.top || y >= clip_.bottom) return;
    x0 = std::max(x0, clip_.left);
    x1 = std::min(x1, clip_.right);
    if (x0 >= x1) return;
    std::uint32_t* row = reinterpret_cast<std::uint32_t*>(bits_ + qsizetype(y) * stride_);
    if (!fill.hatched) {
        if (rop == Rop2::CopyPen) {
            std::fill(row + x0, row + x1, 0xFF000000u | fill.color);
            return;
        }
        for (int x = x0; x < x1; ++x) row[x] = 0xFF000000u | (MixRop2(rop, fill.color, row[x]) & 0x00FFFFFFu);
        return;
    }
    for (int x = x0; x < x1; ++x) {
        if (HatchBit(fill.hatch, x, y))
            row[x] = 0xFF000000u | (MixRop2(rop, fill.color, row[x]) & 0x00FFFFFFu);
        else if (fill.opaqueBackground)
            row[x] = 0xFF000000u | (MixRop2(rop, fill.background, row[x]) & 0x00FFFFFFu);
    }
}

void ImageRaster::PlotRun(const std::vector<Point>& pts, std::uint32_t rgb, Rop2 rop, const DashPattern& dashes,
                          DashPhase& phase, std::int64_t gap)
{
    for (const Point& p : pts) {
        if (dashes.count == 0) {
            Plot(p.x, p.y, rgb, rop);
            continue;
        }
        if ((phase.index & 1) == 0)
            Plot(p.x, p.y, rgb, rop);
        else if (gap >= 0)
            Plot(p.x, p.y, std::uint32_t(gap), rop);
        if (--phase.remaining <= 0) {
            phase.index = (phase.index + 1) % dashes.count;
            phase.remaining = dashes.runs[phase.index];
        }
    }
}

void ImageRaster::Line(Point a, Point b, std::uint32_t rgb, Rop2 rop, const DashPattern& dashes, DashPhase& phase,
                       std::int64_t gap)
{
    int dx = std::abs(b.x - a.x);
    int dy = std::abs(b.y - a.y);
    const int sx = b.x >= a.x ? 1 : -1;
    const int sy = b.y >= a.y ? 1 : -1;
    int x = a.x;
    int y = a.y;
    const bool xMajor = dx >= dy;
    const int n = xMajor ? dx : dy;
    const int k = xMajor ? dy : dx;
    // The minor coordinate at step i is rounded from i * k / n, halves
    // rounding away from the start.
    long long acc = n;
    const long long twoN = 2LL * n;
    const long long twoK = 2LL * k;
    const bool solid = dashes.count == 0;
    // Whole line outside the clip and no pattern to advance: nothing to do.
    if (solid) {
        const int minX = std::min(a.x, b.x), maxX = std::max(a.x, b.x);
        const int minY = std::min(a.y, b.y), maxY = std::max(a.y, b.y);
        if (maxX < clip_.left || minX >= clip_.right || maxY < clip_.top || minY >= clip_.bottom) return;
    }
    for (int i = 0; i < n; ++i) {
        if (solid) {
            Plot(x, y, rgb, rop);
        } else {
            if ((phase.index & 1) == 0)
                Plot(x, y, rgb, rop);
            else if (gap >= 0)
                Plot(x, y, std::uint32_t(gap), rop);
            if (--phase.remaining <= 0) {
                phase.index = (phase.index + 1) % dashes.count;
                phase.remaining = dashes.runs[phase.index];
            }
        }
        acc += twoK;
        if (acc >= twoN) {
            acc -= twoN;
            if (xMajor) y += sy; else x += sx;
        }
        if (xMajor) x += sx; else y += sy;
    }
}

void ImageRaster::Polyline(const std::vector<Point>& pts, std::uint32_t rgb, Rop2 rop, const DashPattern& dashes,
                           std::int64_t gap)
{
    DashPhase phase;
    phase.Reset(dashes);
    for (size_t i = 1; i < pts.size(); ++i) Line(pts[i - 1], pts[i], rgb, rop, dashes, phase, gap);
}

void ImageRaster::FillContours(const std::vector<std::vector<Point>>& contours, bool winding, const FillSpec& fill,
                               Rop2 rop)
{
    struct Edge {
        int y0, y1;      // y0 < y1; covers rows y0 <= y < y1
        double x0, dxdy;
        int dir;
    };
    std::vector<Edge> edges;
    int ymin = INT32_MAX, ymax = INT32_MIN;
    for (const auto& c : contours) {
        const size_t n = c.size();
        if (n < 2) continue;
        for (size_t i = 0; i < n; ++i) {
            Point a = c[i];
            Point b = c[(i + 1) % n];
            if (a.y == b.y) continue;
            int dir = 1;
            if (a.y > b.y) {
                std::swap(a, b);
                dir = -1;
            }
            edges.push_back({a.y, b.y, double(a.x), double(b.x - a.x) / double(b.y - a.y), dir});
            ymin = std::min(ymin, a.y);
            ymax = std::max(ymax, b.y);
        }
    }
    if (edges.empty()) return;
    ymin = std::max(ymin, clip_.top);
    ymax = std::min(ymax, clip_.bottom);
    struct Cross {
        double x;
        int dir;
    };
    std::vector<Cross> xs;
    for (int y = ymin; y < ymax; ++y) {
        xs.clear();
        for (const Edge& e : edges)
            if (y >= e.y0 && y < e.y1) xs.push_back({e.x0 + (y - e.y0) * e.dxdy, e.dir});
        std::sort(xs.begin(), xs.end(), [](const Cross& l, const Cross& r) { return l.x < r.x; });
        if (!winding) {
            for (size_t i = 0; i + 1 < xs.size(); i += 2)
                Span(y, int(std::ceil(xs[i].x)), int(std::ceil(xs[i + 1].x)), fill, rop);
        } else {
            int w = 0;
            double from = 0;
            for (const Cross& c : xs) {
                const int before = w;
                w += c.dir;
                if (before == 0 && w != 0)
                    from = c.x;
                else if (before != 0 && w == 0)
                    Span(y, int(std::ceil(from)), int(std::ceil(c.x)), fill, rop);
            }
        }
    }
}

std::vector<ImageRaster::RowSpan> ImageRaster::EllipseRows(const Rect& box)
{
    const Rect b = box.Normalized();
    std::vector<RowSpan> rows;
    if (b.Width() <= 0 || b.Height() <= 0) return rows;
    const double cx = (b.left + b.right - 1) / 2.0;
    const double cy = (b.top + b.bottom - 1) / 2.0;
    const double rx = (b.right - b.left - 1) / 2.0 + 0.5;
    const double ry = (b.bottom - b.top - 1) / 2.0 + 0.5;
    rows.resize(size_t(b.Height()));
    for (int y = b.top; y < b.bottom; ++y) {
        const double dy = y - cy;
        RowSpan s;
        if (std::fabs(dy) <= 0.5) {
            s = {b.left, b.right - 1};
        } else {
            const double q = 1.0 - (dy / ry) * (dy / ry);
            const double hw = q > 0 ? rx * std::sqrt(q) : 0.0;
            s = {int(std::ceil(cx - hw - 1e-9)), int(std::floor(cx + hw + 1e-9))};
            if (s.x0 > s.x1) s = {int(std::floor(cx)), int(std::ceil(cx))};
            s.x0 = std::max(s.x0, b.left);
            s.x1 = std::min(s.x1, b.right - 1);
        }
        rows[size_t(y - b.top)] = s;
    }
    return rows;
}

void ImageRaster::EllipseOutline(const Rect& box, const std::vector<RowSpan>& rows, std::vector<Point>& outline,
                                 std::vector<RowSpan>& interior)
{
    const Rect b = box.Normalized();
    const int h = int(rows.size());
    interior.assign(rows.size(), RowSpan{1, 0});
    for (int i = 0; i < h; ++i) {
        const RowSpan s = rows[size_t(i)];
        RowSpan in{1, 0};
        if (i > 0 && i + 1 < h) {
            const RowSpan u = rows[size_t(i - 1)];
            const RowSpan d = rows[size_t(i + 1)];
            in = {std::max({s.x0 + 1, u.x0, d.x0}), std::min({s.x1 - 1, u.x1, d.x1})};
        }
        interior[size_t(i)] = in;
        for (int x = s.x0; x <= s.x1; ++x) {
            if (in.x0 <= in.x1 && x >= in.x0 && x <= in.x1) continue;
            outline.push_back({x, b.top + i});
        }
    }
}

std::vector<Point> ImageRaster::ArcPixels(const Rect& box, Point start, Point end, bool clockwise)
{
    const Rect b = box.Normalized();
    const auto rows = EllipseRows(b);
    std::vector<Point> outline;
    std::vector<RowSpan> interior;
    EllipseOutline(b, rows, outline, interior);
    const double cx = (b.left + b.right - 1) / 2.0;
    const double cy = (b.top + b.bottom - 1) / 2.0;
    constexpr double kTwoPi = 2 * std::numbers::pi;
    auto angle = [&](double x, double y) {
        double a = std::atan2(cy - y, x - cx);
        return a < 0 ? a + kTwoPi : a;
    };
    const double a0 = angle(start.x, start.y);
    const double a1 = angle(end.x, end.y);
    auto along = [&](double a) {
        // Angular distance from the start ray in the drawing direction.
        double d = clockwise ? a0 - a : a - a0;
        d = std::fmod(d, kTwoPi);
        if (d < 0) d += kTwoPi;
        return d;
    };
    double sweep = along(a1);
    if (sweep <= 1e-12) sweep = kTwoPi;
    std::vector<std::pair<double, Point>> keyed;
    keyed.reserve(outline.size());
    for (const Point& p : outline) {
        const double d = along(angle(p.x, p.y));
        if (d < sweep) keyed.push_back({d, p});
    }
    std::sort(keyed.begin(), keyed.end(), [](const auto& l, const auto& r) { return l.first < r.first; });
    std::vector<Point> pts;
    pts.reserve(keyed.size());
    for (const auto& k : keyed) pts.push_back(k.second);
    return pts;
}

} // namespace platform
