// The cosmetic line walks only the steps that can land in the clip. Checked
// against the plain walk over every step of the line: whole images and the
// dash phase left behind must be the same for random lines (every octant,
// axis-parallel, diagonal, zero-length, ends far outside or on the clip
// edges), every cosmetic pen, copy and not-XOR mixes, random clips, and
// chains of segments sharing one dash phase.
#include "platform/Raster.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

using namespace platform;

namespace {

// Every step of the line from a to b (b left out), each pixel through the
// clipping Plot.
void RefLine(ImageRaster& r, Point a, Point b, std::uint32_t rgb, Rop2 rop, const DashPattern& dashes,
             DashPhase& phase, std::int64_t gap)
{
    const long long dx = std::llabs(static_cast<long long>(b.x) - a.x);
    const long long dy = std::llabs(static_cast<long long>(b.y) - a.y);
    const int sx = b.x >= a.x ? 1 : -1;
    const int sy = b.y >= a.y ? 1 : -1;
    int x = a.x;
    int y = a.y;
    const bool xMajor = dx >= dy;
    const long long n = xMajor ? dx : dy;
    const long long k = xMajor ? dy : dx;
    long long acc = n;
    const long long twoN = 2 * n;
    const long long twoK = 2 * k;
    const bool solid = dashes.count == 0;
    for (long long i = 0; i < n; ++i) {
        if (solid) {
            r.Plot(x, y, rgb, rop);
        } else {
            if ((phase.index & 1) == 0)
                r.Plot(x, y, rgb, rop);
            else if (gap >= 0)
                r.Plot(x, y, std::uint32_t(gap), rop);
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

constexpr int kW = 61;
constexpr int kH = 47;

QImage Background()
{
    QImage img(kW, kH, QImage::Format_RGB32);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            img.setPixel(x, y, 0xFF000000u | std::uint32_t((x * 37 + y * 101) * 2654435761u >> 8));
    return img;
}

struct Drawing {
    Rect clip;
    PenStyle style;
    Rop2 rop;
    std::int64_t gap;
    DashPhase start;
    std::vector<Point> pts; // segments pts[i-1] -> pts[i] with one phase
};

std::string Describe(const Drawing& d)
{
    std::string s = "clip " + std::to_string(d.clip.left) + "," + std::to_string(d.clip.top) + " " +
                    std::to_string(d.clip.right) + "," + std::to_string(d.clip.bottom) + " style " +
                    std::to_string(int(d.style)) + " rop " + std::to_string(int(d.rop)) + " gap " +
                    std::to_string(d.gap) + " phase " + std::to_string(d.start.index) + "/" +
                    std::to_string(d.start.remaining) + " pts";
    for (const Point& p : d.pts) s += " (" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
    return s;
}

// Draws with both walks and compares images and the final phase.
void ExpectSame(const Drawing& d)
{
    QImage want = Background();
    QImage got = want;
    ImageRaster ref(want, d.clip);
    ImageRaster cut(got, d.clip);
    const DashPattern dashes = CosmeticDashes(d.style);
    DashPhase pRef = d.start;
    DashPhase pCut = d.start;
    for (size_t i = 1; i < d.pts.size(); ++i) {
        RefLine(ref, d.pts[i - 1], d.pts[i], 0x123456, d.rop, dashes, pRef, d.gap);
        cut.Line(d.pts[i - 1], d.pts[i], 0x123456, d.rop, dashes, pCut, d.gap);
        ASSERT_EQ(pRef.index, pCut.index) << "after segment " << i << ": " << Describe(d);
        ASSERT_EQ(pRef.remaining, pCut.remaining) << "after segment " << i << ": " << Describe(d);
    }
    ASSERT_TRUE(want == got) << Describe(d);
}

class Gen {
public:
    explicit Gen(unsigned seed) : rng_(seed) {}
    int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    Rect Clip()
    {
        switch (Uniform(0, 4)) {
        case 0: return Rect{0, 0, kW, kH};
        case 1: return Rect{Uniform(-5, 5), Uniform(-5, 5), kW + Uniform(-5, 5), kH + Uniform(-5, 5)};
        case 2: { // a thin or empty strip
            const int l = Uniform(0, kW - 1), t = Uniform(0, kH - 1);
            return Rect{l, t, l + Uniform(0, 2), t + Uniform(0, kH)};
        }
        default: {
            const int l = Uniform(-3, kW), t = Uniform(-3, kH);
            return Rect{l, t, l + Uniform(1, kW), t + Uniform(1, kH)};
        }
        }
    }

    // A point: near the image, on or next to a clip edge, or far out.
    Point Near(const Rect& c, int far)
    {
        switch (Uniform(0, 3)) {
        case 0: return Point{Uniform(-20, kW + 20), Uniform(-20, kH + 20)};
        case 1: {
            const int xs[] = {c.left - 1, c.left, c.right - 1, c.right};
            const int ys[] = {c.top - 1, c.top, c.bottom - 1, c.bottom};
            return Point{xs[Uniform(0, 3)] + Uniform(-1, 1), ys[Uniform(0, 3)] + Uniform(-1, 1)};
        }
        default: return Point{Uniform(-far, far), Uniform(-far, far)};
        }
    }

    // The end of a segment from a: free, or along an axis or a diagonal.
    Point From(Point a, const Rect& c, int far)
    {
        const Point p = Near(c, far);
        const int len = p.x - a.x;
        switch (Uniform(0, 5)) {
        case 0: return Point{p.x, a.y};                                   // horizontal
        case 1: return Point{a.x, p.y};                                   // vertical
        case 2: return Point{a.x + len, a.y + (Uniform(0, 1) ? len : -len)}; // diagonal
        case 3: return Uniform(0, 3) == 0 ? a : p;                        // zero-length now and then
        default: return p;
        }
    }

    Drawing Make(int segments, int far)
    {
        static constexpr PenStyle kStyles[] = {PenStyle::Solid, PenStyle::Dash, PenStyle::Dot, PenStyle::DashDot,
                                               PenStyle::DashDotDot};
        static constexpr Rop2 kRops[] = {Rop2::CopyPen, Rop2::NotXorPen, Rop2::XorPen};
        Drawing d;
        d.clip = Clip();
        d.style = kStyles[Uniform(0, 4)];
        d.rop = kRops[Uniform(0, 2)];
        d.gap = Uniform(0, 1) ? -1 : 0xABCDEF;
        const DashPattern dashes = CosmeticDashes(d.style);
        d.start.Reset(dashes);
        if (dashes.count && Uniform(0, 1)) {
            d.start.index = Uniform(0, dashes.count - 1);
            d.start.remaining = Uniform(1, dashes.runs[d.start.index]);
        }
        d.pts.push_back(Near(d.clip, far));
        for (int i = 0; i < segments; ++i) d.pts.push_back(From(d.pts.back(), d.clip, far));
        return d;
    }

private:
    std::mt19937 rng_;
};

TEST(RasterLineClip, RandomSingleLinesMatchFullWalk)
{
    Gen g(20261210);
    for (int i = 0; i < 4000; ++i) ASSERT_NO_FATAL_FAILURE(ExpectSame(g.Make(1, 300)));
    for (int i = 0; i < 400; ++i) ASSERT_NO_FATAL_FAILURE(ExpectSame(g.Make(1, 1 << 16)));
}

TEST(RasterLineClip, DashedChainsKeepThePatternAcrossSegments)
{
    Gen g(7);
    for (int i = 0; i < 600; ++i) {
        Drawing d = g.Make(g.Uniform(2, 8), g.Uniform(0, 1) ? 200 : 1 << 14);
        if (d.style == PenStyle::Solid) d.style = PenStyle::DashDotDot;
        d.start.Reset(CosmeticDashes(d.style));
        ASSERT_NO_FATAL_FAILURE(ExpectSame(d));
    }
}

// Lines whose ends lie far out (up to 2^27 pixels), through the view, past
// it and beside it, with a dashed chain among them. The plain walk over the
// longest ones is what keeps this table short.
TEST(RasterLineClip, EndsFarOutside)
{
    constexpr int F = 1 << 27;
    constexpr int G = 1 << 22;
    const Rect view{0, 0, kW, kH};
    const Rect inner{5, 7, 40, 30};
    const std::vector<Drawing> table = {
        {inner, PenStyle::Dash, Rop2::NotXorPen, -1, {}, {{-F, -F + 3}, {F, F - 7}}},
        {view, PenStyle::DashDot, Rop2::CopyPen, 0x00FF00, {}, {{30, -F}, {31, 40}}},
        {view, PenStyle::Solid, Rop2::NotXorPen, -1, {}, {{-G, 20}, {G, 21}}},
        {inner, PenStyle::Dot, Rop2::CopyPen, -1, {}, {{G, 10}, {-7, 30}, {G / 2, -G / 3}, {3, 9}}},
        {view, PenStyle::DashDotDot, Rop2::NotXorPen, -1, {}, {{-G, G}, {G, -G + 1}}},
        {view, PenStyle::Dash, Rop2::CopyPen, -1, {}, {{-G, 3 * G / 4}, {G, -3 * G / 4}}},
        {view, PenStyle::Solid, Rop2::CopyPen, -1, {}, {{-G, -G}, {G, G}}},
        {view, PenStyle::Dash, Rop2::CopyPen, -1, {}, {{-G, -G + 100}, {G, G + 100}}}, // misses
    };
    for (Drawing d : table) {
        d.start.Reset(CosmeticDashes(d.style));
        ASSERT_NO_FATAL_FAILURE(ExpectSame(d));
    }
}

// The dash phase is moved on over the steps outside the clip, including a
// phase that was never reset.
TEST(RasterLineClip, PhaseOutsideTheClip)
{
    QImage a = Background();
    QImage b = a;
    ImageRaster ref(a, Rect{10, 10, 20, 20});
    ImageRaster cut(b, Rect{10, 10, 20, 20});
    const DashPattern dashes = CosmeticDashes(PenStyle::DashDot);
    for (int len : {0, 1, 5, 9, 23, 24, 25, 1000, 123457}) {
        for (int rem : {0, -2, 1, 4}) {
            DashPhase p1{1, rem};
            DashPhase p2 = p1;
            RefLine(ref, Point{-len, 3}, Point{0, 3}, 0, Rop2::CopyPen, dashes, p1, -1);
            cut.Line(Point{-len, 3}, Point{0, 3}, 0, Rop2::CopyPen, dashes, p2, -1);
            EXPECT_EQ(p1.index, p2.index) << len << " " << rem;
            EXPECT_EQ(p1.remaining, p2.remaining) << len << " " << rem;
        }
    }
    EXPECT_TRUE(a == b);
}

} // namespace
