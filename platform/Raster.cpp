#include "platform/Raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace platform {

namespace {

// The classic cosmetic dash lengths, in pixels, starting with a drawn run.
constexpr int kDash[] = {18, 6};
constexpr int kDot[] = {3, 3};
constexpr int kDashDot[] = {9, 6, 3, 6};
constexpr int kDashDotDot[] = {9, 3, 3, 3, 3, 3};

// Moves a dash phase on by n pixels, exactly as plotting n pixels one by one
// would (a run with nothing left still takes one pixel).
void AdvancePhase(DashPhase& phase, const DashPattern& dashes, long long n)
{
    if (dashes.count == 0 || n <= 0) return;
    const long long rest = std::max(phase.remaining, 1);
    if (n < rest) {
        phase.remaining = int(rest - n);
        return;
    }
    n -= rest;
    phase.index = (phase.index + 1) % dashes.count;
    phase.remaining = dashes.runs[phase.index];
    // Now at the start of a run: whole periods change nothing.
    long long period = 0;
    for (int i = 0; i < dashes.count; ++i) period += std::max(dashes.runs[i], 1);
    n %= period;
    while (n > 0) {
        const long long r = std::max(phase.remaining, 1);
        if (n < r) {
            phase.remaining = int(r - n);
            return;
        }
        n -= r;
        phase.index = (phase.index + 1) % dashes.count;
        phase.remaining = dashes.runs[phase.index];
    }
}

// Ceiling of p / q for q > 0 (wide enough for products of two coordinate
// spans).
long long CeilDiv(__int128 p, __int128 q) { return static_cast<long long>(p >= 0 ? (p + q - 1) / q : -(-p / q)); }

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
    const long long dx = std::llabs(static_cast<long long>(b.x) - a.x);
    const long long dy = std::llabs(static_cast<long long>(b.y) - a.y);
    const int sx = b.x >= a.x ? 1 : -1;
    const int sy = b.y >= a.y ? 1 : -1;
    const bool xMajor = dx >= dy;
    const long long n = xMajor ? dx : dy;
    const long long k = xMajor ? dy : dx;
    const bool solid = dashes.count == 0;
    if (n == 0) return;
    // Step i (0 <= i < n) plots major = start + s * i and minor = start + s *
    // m(i), m(i) = floor((2 k i + n) / (2 n)): i * k / n rounded, halves away
    // from the start. Both are monotonic in i, so the steps that land in the
    // clip form one range [i0, i1); only that range is walked, and a dash
    // pattern is moved on over the steps before and after it.
    const long long majStart = xMajor ? a.x : a.y;
    const long long minStart = xMajor ? a.y : a.x;
    const int majStep = xMajor ? sx : sy;
    const int minStep = xMajor ? sy : sx;
    const long long majLo = xMajor ? clip_.left : clip_.top;
    const long long majHi = (xMajor ? clip_.right : clip_.bottom) - 1LL;
    const long long minLo = xMajor ? clip_.top : clip_.left;
    const long long minHi = (xMajor ? clip_.bottom : clip_.right) - 1LL;
    long long i0 = 0;
    long long i1 = n;
    if (majLo > majHi || minLo > minHi) {
        i1 = 0;
    } else {
        // Major coordinate within [majLo, majHi].
        if (majStep > 0) {
            i0 = std::max(i0, majLo - majStart);
            i1 = std::min(i1, majHi - majStart + 1);
        } else {
            i0 = std::max(i0, majStart - majHi);
            i1 = std::min(i1, majStart - majLo + 1);
        }
        // Minor offset m(i) within [lo, hi].
        const long long lo = minStep > 0 ? minLo - minStart : minStart - minHi;
        const long long hi = minStep > 0 ? minHi - minStart : minStart - minLo;
        if (lo > k || hi < 0) {
            i1 = 0;
        } else if (k > 0) {
            // m(i) >= lo  <=>  2 k i >= 2 n lo - n;  m(i) <= hi  <=>  2 k i < 2 n (hi + 1) - n.
            const __int128 wn = n;
            if (lo > 0) i0 = std::max(i0, CeilDiv(2 * wn * lo - wn, 2 * k));
            if (hi < k) i1 = std::min(i1, CeilDiv(2 * wn * (hi + 1) - wn, 2 * k));
        }
    }
    if (i0 >= i1) {
        AdvancePhase(phase, dashes, n);
        return;
    }
    AdvancePhase(phase, dashes, i0);
    const long long twoN = 2 * n;
    const long long twoK = 2 * k;
    const __int128 start = __int128(twoK) * i0 + n;
    long long acc = static_cast<long long>(start % twoN);
    const long long m0 = static_cast<long long>(start / twoN);
    int maj = int(majStart + majStep * i0);
    int min = int(minStart + minStep * m0);
    for (long long i = i0; i < i1; ++i) {
        const int x = xMajor ? maj : min;
        const int y = xMajor ? min : maj;
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
            min += minStep;
        }
        maj += majStep;
    }
    AdvancePhase(phase, dashes, n - i1);
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

namespace {

using RowSpan = ImageRaster::RowSpan;

// A direction from the centre of an ellipse in half pixels, y up.
struct Ray {
    long long x;
    long long y;
};

// Ordering of directions by angle from the east ray counter-clockwise,
// in [0, 2 pi). The zero vector counts as east. Components stay within
// 2^17 (see ArcSweep).
int HalfOf(const Ray& r) { return r.y > 0 || (r.y == 0 && r.x >= 0) ? 0 : 1; }

bool AngleLess(const Ray& u, const Ray& v)
{
    const int hu = HalfOf(u), hv = HalfOf(v);
    if (hu != hv) return hu < hv;
    return u.x * v.y - u.y * v.x > 0;  // components within 2^17: no overflow
}

bool SameAngle(const Ray& u, const Ray& v) { return !AngleLess(u, v) && !AngleLess(v, u); }

// The ellipse inscribed in a box (right column and bottom row left out),
// worked out row by row.
struct EllipseGeometry {
    Rect b;
    double cx, cy, rx, ry;
    long long twiceCx, twiceCy;

    explicit EllipseGeometry(const Rect& box)
        : b(box.Normalized()),
          cx((b.left + b.right - 1) / 2.0),
          cy((b.top + b.bottom - 1) / 2.0),
          rx((b.right - b.left - 1) / 2.0 + 0.5),
          ry((b.bottom - b.top - 1) / 2.0 + 0.5),
          twiceCx((long long)b.left + b.right - 1),
          twiceCy((long long)b.top + b.bottom - 1)
    {
    }
    bool Empty() const { return b.Width() <= 0 || b.Height() <= 0; }

    RowSpan Row(int y) const
    {
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
        return s;
    }

    Ray RayTo(long long x, long long y) const
    {
        Ray r{2 * x - twiceCx, twiceCy - 2 * y};
        if (r.x == 0 && r.y == 0) r.x = 1;
        return r;
    }
};

// Row y's outline pixels (those with a 4-neighbour outside the ellipse) as
// one or two ranges, given the spans of the rows above and below (null at
// the first and last row); 'interior' gets the rest of the row.
int OutlineOfRow(const RowSpan* up, const RowSpan& s, const RowSpan* down, RowSpan segs[2], RowSpan& interior)
{
    interior = {1, 0};
    if (up && down) interior = {std::max({s.x0 + 1, up->x0, down->x0}), std::min({s.x1 - 1, up->x1, down->x1})};
    if (interior.x0 > interior.x1) {
        segs[0] = s;
        return 1;
    }
    segs[0] = {s.x0, interior.x0 - 1};
    segs[1] = {interior.x1 + 1, s.x1};
    return 2;
}

// Calls fn(y, span, segs, count, interior) for the rows of the ellipse
// between y0 and y1 (exclusive).
template <class Fn>
void ForRows(const EllipseGeometry& g, int y0, int y1, Fn&& fn)
{
    y0 = std::max(y0, g.b.top);
    y1 = std::min(y1, g.b.bottom);
    if (y0 >= y1) return;
    RowSpan up{}, s = g.Row(y0), down{};
    bool hasUp = y0 > g.b.top;
    if (hasUp) up = g.Row(y0 - 1);
    RowSpan segs[2];
    RowSpan interior;
    for (int y = y0; y < y1; ++y) {
        const bool hasDown = y + 1 < g.b.bottom;
        if (hasDown) down = g.Row(y + 1);
        const int n = OutlineOfRow(hasUp ? &up : nullptr, s, hasDown ? &down : nullptr, segs, interior);
        fn(y, s, segs, n, interior);
        up = s;
        s = down;
        hasUp = true;
    }
}

// n pixels from (x, y) on, x advancing by 'step'.
struct PixelRun {
    int y;
    int x;
    int n;
    int step;
    PixelRun Flipped() const { return {y, x + (n - 1) * step, n, -step}; }
};

constexpr double kTwoPi = 2 * std::numbers::pi;

// Where an arc starts and which pixels it takes. The angles of the end
// points decide, as atan2 gives them: the start ray counts, the end ray does
// not, and ends within 1e-12 of one ray make the whole ellipse. Within
// 2^16 pixels of the centre (the box too) integer cross products decide
// the same for every pixel; further out ('exact' false) only the angles do.
struct ArcSweep {
    Ray a, b;
    bool clockwise;
    bool exact;
    bool full;
    bool startFirst;  // the start ray comes before the end ray from angle 0

    ArcSweep(const EllipseGeometry& g, Point start, Point end, bool cw)
        : a(g.RayTo(start.x, start.y)), b(g.RayTo(end.x, end.y)), clockwise(cw)
    {
        constexpr long long kNear = 1LL << 17;  // half pixels
        auto near = [&](const Ray& r) { return std::llabs(r.x) <= kNear && std::llabs(r.y) <= kNear; };
        exact = near(a) && near(b) && g.b.Width() <= kNear / 2 && g.b.Height() <= kNear / 2;
        full = exact ? SameAngle(a, b) : AngularSweep(g, start, end, cw).second >= kTwoPi;
        startFirst = exact && AngleLess(a, b);
    }
    // The start ray's angle in [0, 2 pi) and the sweep (2 pi: all).
    static std::pair<double, double> AngularSweep(const EllipseGeometry& g, Point start, Point end, bool clockwise)
    {
        const double a0 = AngleOf(g, start.x, start.y);
        double d = Along(a0, AngleOf(g, end.x, end.y), clockwise);
        if (d <= 1e-12) d = kTwoPi;
        return {a0, d};
    }
    static double AngleOf(const EllipseGeometry& g, double x, double y)
    {
        const double t = std::atan2(g.cy - y, x - g.cx);
        return t < 0 ? t + kTwoPi : t;
    }
    // Angular distance from a0 to t in the drawing direction.
    static double Along(double a0, double t, bool clockwise)
    {
        double d = std::fmod(clockwise ? a0 - t : t - a0, kTwoPi);
        if (d < 0) d += kTwoPi;
        return d;
    }
    // The pixel's direction comes at or after the start ray, walking in the
    // drawing direction from angle 0 (counter-clockwise) or from just below
    // 2 pi (clockwise).
    bool AtOrPastStart(const Ray& p) const { return clockwise ? !AngleLess(a, p) : !AngleLess(p, a); }
    bool Takes(const Ray& p) const
    {
        if (full) return true;
        if (!clockwise) {
            if (startFirst) return !AngleLess(p, a) && AngleLess(p, b);
            return !AngleLess(p, a) || AngleLess(p, b);
        }
        if (!startFirst) return AngleLess(b, p) && !AngleLess(a, p);
        return !AngleLess(a, p) || AngleLess(b, p);
    }
};

// The arc's outline pixels sorted by their angle from the start ray: each
// pixel's angle from atan2, the row-by-row outline put through std::sort.
std::vector<Point> SortedArc(const EllipseGeometry& g, Point start, Point end, bool clockwise);

// The outline of the ellipse as runs in order of angle, counter-clockwise
// from the east ray or clockwise from just below it. Off the axes no two
// outline pixels share a ray from the centre; 'axisTies' tells whether an
// axis holds more than one (their order here is row by row).
std::vector<PixelRun> OutlineRuns(const EllipseGeometry& g, bool clockwise, bool& axisTies)
{
    // Classes by angle: 0 the east axis (and the centre), 1 the first
    // quadrant, 2 the north axis, 3 the second quadrant, 4 west, 5 third,
    // 6 south, 7 fourth.
    std::vector<PixelRun> cls[8];
    // Columns left of, on and right of the centre.
    auto floorHalf = [](long long v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); };
    const long long lastWest = floorHalf(g.twiceCx - 1);
    const long long firstEast = floorHalf(g.twiceCx) + 1;
    const bool axisColumn = (g.twiceCx & 1) == 0;
    const long long axisX = floorHalf(g.twiceCx);
    std::size_t rowStart[8] = {};
    ForRows(g, g.b.top, g.b.bottom, [&](int y, const RowSpan&, const RowSpan* segs, int n, const RowSpan&) {
        const long long dy = g.twiceCy - 2LL * y;
        for (int k = 0; k < 8; ++k) rowStart[k] = cls[k].size();
        auto add = [&](int k, long long x0, long long x1, bool reversedInRow) {
            if (x0 > x1) return;
            PixelRun r{y, int(x0), int(x1 - x0 + 1), 1};
            if (reversedInRow)
                cls[k].insert(cls[k].begin() + std::ptrdiff_t(rowStart[k]), r.Flipped());
            else
                cls[k].push_back(r);
        };
        for (int i = 0; i < n; ++i) {
            const long long x0 = segs[i].x0, x1 = segs[i].x1;
            const long long w0 = x0, w1 = std::min(x1, lastWest);
            const long long e0 = std::max(x0, firstEast), e1 = x1;
            const bool onAxis = axisColumn && x0 <= axisX && axisX <= x1;
            if (dy > 0) {
                add(3, w0, w1, true);
                if (onAxis) add(2, axisX, axisX, false);
                add(1, e0, e1, false);
            } else if (dy == 0) {
                add(4, w0, w1, false);
                if (onAxis) add(0, axisX, axisX, false);
                add(0, e0, e1, false);
            } else {
                add(5, w0, w1, false);
                if (onAxis) add(6, axisX, axisX, false);
                add(7, e0, e1, true);
            }
        }
    });
    auto reverse = [](std::vector<PixelRun>& v) {
        std::reverse(v.begin(), v.end());
        for (PixelRun& r : v) r = r.Flipped();
    };
    // First quadrant: bottom to top, right to left; fourth: bottom to top,
    // left to right.
    reverse(cls[1]);
    reverse(cls[7]);
    axisTies = false;
    for (int k = 0; k < 8; k += 2) {
        int n = 0;
        for (const PixelRun& r : cls[k]) n += r.n;
        axisTies = axisTies || n > 1;
    }
    std::vector<PixelRun> out;
    if (!clockwise) {
        for (auto& c : cls) out.insert(out.end(), c.begin(), c.end());
        return out;
    }
    for (int k = 7; k >= 0; --k) {
        if (k & 1) reverse(cls[k]);
        out.insert(out.end(), cls[k].begin(), cls[k].end());
    }
    return out;
}

// The first index in [lo, hi) for which pred turns true (pred false then
// true along the range), or hi.
template <class Pred>
int FirstTrue(int lo, int hi, Pred&& pred)
{
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (pred(mid))
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

std::vector<Point> SortedArc(const EllipseGeometry& g, Point start, Point end, bool clockwise)
{
    const auto [a0, sweep] = ArcSweep::AngularSweep(g, start, end, clockwise);
    std::vector<std::pair<double, Point>> keyed;
    ForRows(g, g.b.top, g.b.bottom, [&](int y, const RowSpan&, const RowSpan* segs, int n, const RowSpan&) {
        for (int k = 0; k < n; ++k)
            for (int x = segs[k].x0; x <= segs[k].x1; ++x) {
                const double d = ArcSweep::Along(a0, ArcSweep::AngleOf(g, x, y), clockwise);
                if (d < sweep) keyed.push_back({d, Point{x, y}});
            }
    });
    std::sort(keyed.begin(), keyed.end(), [](const auto& l, const auto& r) { return l.first < r.first; });
    std::vector<Point> pts;
    pts.reserve(keyed.size());
    for (const auto& p : keyed) pts.push_back(p.second);
    return pts;
}

// Calls sink(run) for the arc's pixels in drawing order.
template <class Sink>
void WalkArc(const EllipseGeometry& g, Point start, Point end, bool clockwise, Sink&& sink)
{
    const ArcSweep sweep(g, start, end, clockwise);
    bool axisTies = false;
    const std::vector<PixelRun> runs = sweep.exact ? OutlineRuns(g, clockwise, axisTies) : std::vector<PixelRun>{};
    if (axisTies || !sweep.exact) {
        // Several pixels on one axis ray (a flat or thin ellipse) tie in
        // angle, and a dashed outline shows the order std::sort leaves them
        // in; ends far out need the angles themselves.
        for (const Point& p : SortedArc(g, start, end, clockwise)) sink(PixelRun{p.y, p.x, 1, 1});
        return;
    }
    if (runs.empty()) return;
    auto rayAt = [&](const PixelRun& r, int i) { return g.RayTo((long long)r.x + (long long)i * r.step, r.y); };
    // The first pixel at or past the start ray; none: the very first.
    std::size_t first = 0;
    int offset = 0;
    for (; first < runs.size(); ++first) {
        const PixelRun& r = runs[first];
        if (!sweep.AtOrPastStart(rayAt(r, r.n - 1))) continue;
        offset = FirstTrue(0, r.n - 1, [&](int i) { return sweep.AtOrPastStart(rayAt(r, i)); });
        break;
    }
    if (first == runs.size()) first = 0;
    // From there once round; the arc's pixels are a prefix of that walk.
    auto takeRun = [&](const PixelRun& r, int from, int to) {
        // Pixels from..to-1 of r; false when the arc ended among them.
        if (from >= to) return true;
        int stop = to;
        if (!sweep.full) stop = FirstTrue(from, to, [&](int i) { return !sweep.Takes(rayAt(r, i)); });
        if (stop > from) sink(PixelRun{r.y, r.x + from * r.step, stop - from, r.step});
        return stop == to;
    };
    if (!takeRun(runs[first], offset, runs[first].n)) return;
    for (std::size_t k = 1; k < runs.size(); ++k)
        if (!takeRun(runs[(first + k) % runs.size()], 0, runs[(first + k) % runs.size()].n)) return;
    takeRun(runs[first], 0, offset);
}

} // namespace

std::vector<ImageRaster::RowSpan> ImageRaster::EllipseRows(const Rect& box)
{
    const EllipseGeometry g(box);
    std::vector<RowSpan> rows;
    if (g.Empty()) return rows;
    rows.resize(size_t(g.b.Height()));
    for (int y = g.b.top; y < g.b.bottom; ++y) rows[size_t(y - g.b.top)] = g.Row(y);
    return rows;
}

void ImageRaster::EllipseOutline(const Rect& box, const std::vector<RowSpan>& rows, std::vector<Point>& outline,
                                 std::vector<RowSpan>& interior)
{
    const Rect b = box.Normalized();
    const int h = int(rows.size());
    interior.assign(rows.size(), RowSpan{1, 0});
    RowSpan segs[2];
    for (int i = 0; i < h; ++i) {
        const int n = OutlineOfRow(i > 0 ? &rows[size_t(i - 1)] : nullptr, rows[size_t(i)],
                                   i + 1 < h ? &rows[size_t(i + 1)] : nullptr, segs, interior[size_t(i)]);
        for (int k = 0; k < n; ++k)
            for (int x = segs[k].x0; x <= segs[k].x1; ++x) outline.push_back({x, b.top + i});
    }
}

std::vector<Point> ImageRaster::ArcPixels(const Rect& box, Point start, Point end, bool clockwise)
{
    const EllipseGeometry g(box);
    std::vector<Point> pts;
    if (g.Empty()) return pts;
    WalkArc(g, start, end, clockwise, [&](const PixelRun& r) {
        for (int i = 0; i < r.n; ++i) pts.push_back({r.x + i * r.step, r.y});
    });
    return pts;
}

void ImageRaster::Ellipse(const Rect& box, const FillSpec* fill, bool pen, std::uint32_t rgb, Rop2 rop,
                          const DashPattern& dashes, std::int64_t gap)
{
    const EllipseGeometry g(box);
    if (g.Empty()) return;
    if (!pen && !fill) return;
    const bool dashed = pen && dashes.count;
    FillSpec ink;
    ink.color = rgb;
    ForRows(g, clip_.top, clip_.bottom, [&](int y, const RowSpan& s, const RowSpan* segs, int n, const RowSpan& in) {
        if (!pen) {
            Span(y, s.x0, s.x1 + 1, *fill, rop);
            return;
        }
        if (fill && in.x0 <= in.x1) Span(y, in.x0, in.x1 + 1, *fill, rop);
        if (!dashed)
            for (int k = 0; k < n; ++k) Span(y, segs[k].x0, segs[k].x1 + 1, ink, rop);
    });
    if (!dashed) return;
    DashPhase phase;
    phase.Reset(dashes);
    const Point east{g.b.right + 1, (g.b.top + g.b.bottom - 1) / 2};
    Arc(g.b, east, east, false, rgb, rop, dashes, phase, gap);
}

void ImageRaster::Arc(const Rect& box, Point start, Point end, bool clockwise, std::uint32_t rgb, Rop2 rop,
                      const DashPattern& dashes, DashPhase& phase, std::int64_t gap)
{
    const EllipseGeometry g(box);
    if (g.Empty()) return;
    if (dashes.count == 0) {
        // Order does not matter: each pixel in the clip is decided on its own.
        const ArcSweep sweep(g, start, end, clockwise);
        if (!sweep.exact) {
            for (const Point& p : SortedArc(g, start, end, clockwise)) Plot(p.x, p.y, rgb, rop);
            return;
        }
        FillSpec ink;
        ink.color = rgb;
        ForRows(g, clip_.top, clip_.bottom, [&](int y, const RowSpan&, const RowSpan* segs, int n, const RowSpan&) {
            for (int k = 0; k < n; ++k) {
                const int x0 = std::max(segs[k].x0, clip_.left);
                const int x1 = std::min(segs[k].x1, clip_.right - 1);
                if (sweep.full) {
                    Span(y, x0, x1 + 1, ink, rop);
                    continue;
                }
                for (int x = x0; x <= x1; ++x)
                    if (sweep.Takes(g.RayTo(x, y))) Plot(x, y, rgb, rop);
            }
        });
        return;
    }
    WalkArc(g, start, end, clockwise, [&](const PixelRun& r) {
        // Pixels outside the clip only move the pattern on.
        const int lo = r.step > 0 ? r.x : r.x - (r.n - 1);
        const int hi = r.step > 0 ? r.x + (r.n - 1) : r.x;
        if (r.y < clip_.top || r.y >= clip_.bottom || hi < clip_.left || lo >= clip_.right) {
            AdvancePhase(phase, dashes, r.n);
            return;
        }
        // Index range of the run inside the clip.
        int i0, i1;
        if (r.step > 0) {
            i0 = std::max(0, clip_.left - r.x);
            i1 = std::min(r.n, clip_.right - r.x);
        } else {
            i0 = std::max(0, r.x - (clip_.right - 1));
            i1 = std::min(r.n, r.x - clip_.left + 1);
        }
        AdvancePhase(phase, dashes, i0);
        for (int i = i0; i < i1; ++i) {
            const int x = r.x + i * r.step;
            if ((phase.index & 1) == 0)
                Plot(x, r.y, rgb, rop);
            else if (gap >= 0)
                Plot(x, r.y, std::uint32_t(gap), rop);
            if (--phase.remaining <= 0) {
                phase.index = (phase.index + 1) % dashes.count;
                phase.remaining = dashes.runs[phase.index];
            }
        }
        AdvancePhase(phase, dashes, r.n - i1);
    });
}

} // namespace platform
