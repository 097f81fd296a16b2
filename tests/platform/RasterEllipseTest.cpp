// Ellipse and arc rasterisation against a plain reference: every outline
// pixel of the whole ellipse, its angle from the centre by atan2, kept when
// its angular distance from the start ray is below the sweep, sorted by that
// distance. The raster under test works only on what can reach the clip, so
// random boxes, arcs, directions, mixes, pens and clips (circles far larger
// than the image included) must come out pixel for pixel the same.
#include "platform/PainterDc.h"
#include "platform/Raster.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <vector>

using namespace platform;

namespace {

using RowSpan = ImageRaster::RowSpan;

std::vector<RowSpan> RefRows(const Rect& box)
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

void RefOutline(const Rect& box, const std::vector<RowSpan>& rows, std::vector<Point>& outline,
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
            if (in.x0 <= in.x1 && x >= in.x0 && x <= in.x1) {
                x = in.x1;  // over the interior
                continue;
            }
            outline.push_back({x, b.top + i});
        }
    }
}

std::vector<Point> RefArc(const Rect& box, Point start, Point end, bool clockwise)
{
    const Rect b = box.Normalized();
    const auto rows = RefRows(b);
    std::vector<Point> outline;
    std::vector<RowSpan> interior;
    RefOutline(b, rows, outline, interior);
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
        double d = clockwise ? a0 - a : a - a0;
        d = std::fmod(d, kTwoPi);
        if (d < 0) d += kTwoPi;
        return d;
    };
    double sweep = along(a1);
    if (sweep <= 1e-12) sweep = kTwoPi;
    std::vector<std::pair<double, Point>> keyed;
    for (const Point& p : outline) {
        const double d = along(angle(p.x, p.y));
        if (d < sweep) keyed.push_back({d, p});
    }
    std::sort(keyed.begin(), keyed.end(), [](const auto& l, const auto& r) { return l.first < r.first; });
    std::vector<Point> pts;
    for (const auto& k : keyed) pts.push_back(k.second);
    return pts;
}

// What the image context draws, spelled out with the reference pixels.
struct Look {
    PenStyle pen = PenStyle::Solid;
    COLORREF penColor = Rgb(200, 30, 60);
    Rop2 rop = Rop2::CopyPen;
    BkMode bk = BkMode::Transparent;
    COLORREF bkColor = Rgb(10, 220, 120);
    Brush brush = Brush::NullBrush();
    Rect clip;
};

std::int64_t RefGap(const Look& l) { return l.bk == BkMode::Opaque ? std::int64_t(ToPixel(l.bkColor)) : -1; }

void RefArcInto(QImage& img, const Look& l, const Rect& box, Point s, Point e, bool clockwise)
{
    ImageRaster r(img, l.clip);
    const DashPattern d = CosmeticDashes(l.pen);
    DashPhase phase;
    phase.Reset(d);
    r.PlotRun(RefArc(box, s, e, clockwise), ToPixel(l.penColor), l.rop, d, phase, RefGap(l));
}

void RefEllipseInto(QImage& img, const Look& l, const Rect& box)
{
    const Rect b = box.Normalized();
    if (b.Width() < 1 || b.Height() < 1) return;
    ImageRaster r(img, l.clip);
    FillSpec fill;
    fill.color = ToPixel(l.brush.color);
    fill.hatched = l.brush.style == BrushStyle::Hatched;
    fill.hatch = l.brush.hatch;
    fill.opaqueBackground = l.bk == BkMode::Opaque;
    fill.background = ToPixel(l.bkColor);
    const bool brush = l.brush.style != BrushStyle::Null;
    const auto rows = RefRows(b);
    if (l.pen == PenStyle::Null) {
        if (brush)
            for (size_t i = 0; i < rows.size(); ++i) r.Span(b.top + int(i), rows[i].x0, rows[i].x1 + 1, fill, l.rop);
        return;
    }
    std::vector<Point> outline;
    std::vector<RowSpan> interior;
    RefOutline(b, rows, outline, interior);
    if (brush)
        for (size_t i = 0; i < interior.size(); ++i)
            if (interior[i].x0 <= interior[i].x1)
                r.Span(b.top + int(i), interior[i].x0, interior[i].x1 + 1, fill, l.rop);
    const DashPattern d = CosmeticDashes(l.pen);
    DashPhase phase;
    phase.Reset(d);
    const Point east{b.right + 1, (b.top + b.bottom - 1) / 2};
    if (d.count) outline = RefArc(b, east, east, false);
    r.PlotRun(outline, ToPixel(l.penColor), l.rop, d, phase, RefGap(l));
}

void Prepare(PainterDc& dc, const Look& l, bool clockwise)
{
    dc.IntersectClipRect(l.clip.left, l.clip.top, l.clip.right, l.clip.bottom);
    dc.SelectPen(Pen::Make(l.pen, 0, l.penColor));
    dc.SelectBrush(l.brush);
    dc.SetRop2(l.rop);
    dc.SetBkMode(l.bk);
    dc.SetBkColor(l.bkColor);
    dc.SetArcDirection(clockwise ? ArcDirection::Clockwise : ArcDirection::CounterClockwise);
}

QImage Noise(int w, int h, unsigned seed)
{
    QImage img(w, h, QImage::Format_RGB32);
    std::mt19937 rng(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, 0xFF000000u | (rng() & 0xFFFFFF));
    return img;
}

// The first differing pixel, or "" when the images agree.
std::string FirstDifference(const QImage& a, const QImage& b)
{
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) return "pixel " + std::to_string(x) + "," + std::to_string(y);
    return {};
}

std::string Describe(const Rect& b, Point s, Point e, bool cw, const Look& l)
{
    return "box " + std::to_string(b.left) + "," + std::to_string(b.top) + "," + std::to_string(b.right) + "," +
           std::to_string(b.bottom) + " start " + std::to_string(s.x) + "," + std::to_string(s.y) + " end " +
           std::to_string(e.x) + "," + std::to_string(e.y) + (cw ? " cw" : " ccw") + " pen " +
           std::to_string(int(l.pen)) + " rop " + std::to_string(int(l.rop)) + " clip " +
           std::to_string(l.clip.left) + "," + std::to_string(l.clip.top) + "," + std::to_string(l.clip.right) + "," +
           std::to_string(l.clip.bottom);
}

// A point on the ray from the centre of 'b' through pixel p, 2k times as far
// out again (whole pixels, exactly on the ray).
Point OnRay(const Rect& b, Point p, int k)
{
    const int twiceCx = b.left + b.right - 1, twiceCy = b.top + b.bottom - 1;
    return {p.x + k * (2 * p.x - twiceCx), p.y + k * (2 * p.y - twiceCy)};
}

constexpr PenStyle kPens[] = {PenStyle::Solid, PenStyle::Dash, PenStyle::Dot, PenStyle::DashDot,
                              PenStyle::DashDotDot};
constexpr Rop2 kRops[] = {Rop2::CopyPen, Rop2::NotXorPen, Rop2::XorPen};

// Random figures over an image; 'huge' makes circles and ellipses up to the
// view's cap that pass through the image.
struct Cases {
    std::mt19937 rng;
    int w, h;
    bool huge;

    int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

    Rect Box()
    {
        if (!huge) {
            const int bw = Uniform(1, 60), bh = Uniform(1, 60);
            const int l = Uniform(-bw / 2, w - bw / 2), t = Uniform(-bh / 2, h - bh / 2);
            return Uniform(0, 5) == 0 ? Rect{l + bw, t + bh, l, t} : Rect{l, t, l + bw, t + bh};
        }
        const int rx = Uniform(100, 16384);
        const int ry = Uniform(0, 2) == 0 ? rx : Uniform(100, 16384);
        // Through a point of the image at a random angle from the centre.
        const double a = std::uniform_real_distribution<double>(0, 2 * std::numbers::pi)(rng);
        const int cx = Uniform(0, w) - int(std::lround(rx * std::cos(a)));
        const int cy = Uniform(0, h) - int(std::lround(ry * std::sin(a)));
        return {cx - rx, cy - ry, cx + rx + Uniform(0, 1), cy + ry + Uniform(0, 1)};
    }
    Point End(const Rect& b)
    {
        const Rect n = b.Normalized();
        switch (Uniform(0, 6)) {
        case 0: { // exactly on the ray through an outline pixel
            const auto pts = RefArc(n, {n.right + 1, n.top}, {n.right + 1, n.top}, false);
            return OnRay(n, pts[size_t(Uniform(0, int(pts.size()) - 1))], Uniform(0, 3));
        }
        case 1: // on an axis
            return OnRay(n, Uniform(0, 1) ? Point{n.left, (n.top + n.bottom) / 2} : Point{(n.left + n.right) / 2, n.top},
                         Uniform(0, 2));
        case 2: // the centre, or next to it
            return {(n.left + n.right - 1) / 2 + Uniform(0, 1), (n.top + n.bottom - 1) / 2 + Uniform(0, 1)};
        case 3: // far away, where only the angles can tell
            return {Uniform(-3000000, 3000000), Uniform(-3000000, 3000000)};
        default: {
            const int mx = std::max(n.Width(), 4), my = std::max(n.Height(), 4);
            return {Uniform(n.left - mx, n.right + mx), Uniform(n.top - my, n.bottom + my)};
        }
        }
    }
    Look Pick()
    {
        Look l;
        l.pen = kPens[Uniform(0, 4)];
        l.rop = kRops[Uniform(0, 2)];
        l.bk = Uniform(0, 1) ? BkMode::Opaque : BkMode::Transparent;
        switch (Uniform(0, 3)) {
        case 0: l.clip = {0, 0, w, h}; break;
        case 1:
            l.clip = Rect{Uniform(-5, w), Uniform(-5, h), Uniform(0, w + 5), Uniform(0, h + 5)}.Normalized();
            break;
        default: {
            const int x = Uniform(0, w - 1), y = Uniform(0, h - 1);
            l.clip = {x, y, x + Uniform(1, 20), y + Uniform(1, 20)};
        }
        }
        return l;
    }
};

void CompareArcs(Cases& c, int count)
{
    for (int i = 0; i < count; ++i) {
        const Rect box = c.Box();
        const Point s = c.End(box);
        const Point e = c.Uniform(0, 7) == 0 ? s : c.End(box);
        const bool cw = c.Uniform(0, 1);
        const Look l = c.Pick();
        QImage want = Noise(c.w, c.h, unsigned(i));
        QImage got = want.copy();
        RefArcInto(want, l, box, s, e, cw);
        {
            PainterDc dc(got);
            Prepare(dc, l, cw);
            dc.Arc(box.left, box.top, box.right, box.bottom, s.x, s.y, e.x, e.y);
        }
        ASSERT_EQ(FirstDifference(got, want), "") << Describe(box, s, e, cw, l);
    }
}

void CompareEllipses(Cases& c, int count)
{
    const Brush brushes[] = {Brush::NullBrush(), Brush::Solid(Rgb(30, 40, 250)),
                             Brush::Hatched(HatchStyle::DiagonalCross, Rgb(240, 200, 10))};
    for (int i = 0; i < count; ++i) {
        const Rect box = c.Box();
        Look l = c.Pick();
        if (c.Uniform(0, 5) == 0) l.pen = PenStyle::Null;
        l.brush = brushes[c.Uniform(0, 2)];
        QImage want = Noise(c.w, c.h, unsigned(i));
        QImage got = want.copy();
        RefEllipseInto(want, l, box);
        {
            PainterDc dc(got);
            Prepare(dc, l, false);
            dc.Ellipse(box.left, box.top, box.right, box.bottom);
        }
        ASSERT_EQ(FirstDifference(got, want), "") << Describe(box, {}, {}, false, l);
    }
}

TEST(RasterEllipse, ArcPixelsInOrderOfAngleLikeTheReference)
{
    // Every small box, arcs from and to the axes, the diagonals, the centre
    // and points on rays through outline pixels, both ways round.
    for (int w = 1; w <= 22; ++w)
        for (int h = 1; h <= 22; ++h) {
            const Rect b{3, 5, 3 + w, 5 + h};
            const auto ring = RefArc(b, {b.right + 1, b.top}, {b.right + 1, b.top}, false);
            std::vector<Point> ends = {{b.right + 1, (b.top + b.bottom - 1) / 2}, {(b.left + b.right) / 2, b.top - 3},
                                       {b.left - 2, b.top + 1},                    {b.right, b.bottom},
                                       {(b.left + b.right - 1) / 2, (b.top + b.bottom - 1) / 2}};
            for (size_t k = 0; k < ring.size(); k += 5) ends.push_back(OnRay(b, ring[k], int(k % 3)));
            for (size_t i = 0; i < ends.size(); ++i)
                for (size_t j = i % 3; j < ends.size(); j += 3)
                    for (bool cw : {false, true})
                        ASSERT_EQ(ImageRaster::ArcPixels(b, ends[i], ends[j], cw), RefArc(b, ends[i], ends[j], cw))
                            << Describe(b, ends[i], ends[j], cw, Look{});
        }
}

TEST(RasterEllipse, SmallArcsMatchTheReferenceInAnyClip)
{
    Cases c{std::mt19937(11), 72, 56, false};
    CompareArcs(c, 3000);
}

TEST(RasterEllipse, SmallEllipsesMatchTheReferenceInAnyClip)
{
    Cases c{std::mt19937(12), 72, 56, false};
    CompareEllipses(c, 2000);
}

TEST(RasterEllipse, HugeArcsMatchTheReferenceInAnyClip)
{
    Cases c{std::mt19937(13), 160, 120, true};
    CompareArcs(c, 40);
}

TEST(RasterEllipse, HugeEllipsesMatchTheReferenceInAnyClip)
{
    Cases c{std::mt19937(14), 160, 120, true};
    CompareEllipses(c, 30);
}

} // namespace
