#include "model/WindowCut.h"

#include "model/GeometryLines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

const CutWindow Window{30, 30, 70, 70};

std::vector<GeoPoint> Crossings(GeoPoint p1, GeoPoint p2, const CutWindow& w = Window)
{
    GeoPoint out[4];
    const int n = WindowCrossings(w, p1, p2, out);
    return {out, out + n};
}

bool Same(GeoPoint a, GeoPoint b)
{
    return std::abs(a.x - b.x) < 1e-9 && std::abs(a.y - b.y) < 1e-9;
}

TEST(WindowCut, CrossingsFollowTheEdgesAndTakeACornerOnce)
{
    struct Case {
        const char* what;
        GeoPoint p1, p2;
        std::vector<GeoPoint> expected;
    } cases[] = {
        {"across, left and right", {0, 50}, {100, 50}, {{30, 50}, {70, 50}}},
        {"upright, top and bottom", {40, 0}, {40, 10}, {{40, 70}, {40, 30}}},
        {"through one corner", {30, 70}, {50, 30}, {{30, 70}, {50, 30}}},
        {"the diagonal through two corners", {0, 0}, {10, 10}, {{30, 30}, {70, 70}}},
        {"along the top edge", {0, 70}, {10, 70}, {{30, 70}, {70, 70}}},
        {"missing the window", {0, 100}, {10, 110}, {}},
        {"without direction", {50, 50}, {50, 50}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto got = Crossings(c.p1, c.p2);
        ASSERT_EQ(got.size(), c.expected.size());
        for (std::size_t i = 0; i < got.size(); ++i)
            EXPECT_TRUE(Same(got[i], c.expected[i])) << i << ": " << got[i].x << ", " << got[i].y;
    }
    // A window without height has no top or bottom edge.
    EXPECT_EQ(Crossings({0, 0}, {10, 10}, {30, 50, 70, 50}).size(), 1u);
}

TEST(WindowCut, WindowTakesLinesInsideOrWhoseLineCrossesAnEdge)
{
    EXPECT_TRUE(WindowTakesLine(Window, {40, 40}, {60, 60}));
    EXPECT_TRUE(WindowTakesLine(Window, {30, 30}, {70, 30}));
    // Far off, but its extension crosses the window.
    EXPECT_TRUE(WindowTakesLine(Window, {200, 50}, {300, 50}));
    EXPECT_FALSE(WindowTakesLine(Window, {0, 100}, {10, 110}));
    EXPECT_FALSE(WindowTakesLine(Window, {50, 50}, {50, 50}));
}

WindowLine Line(GeoPoint p1, GeoPoint p2, bool infinite = false)
{
    WindowLine l;
    l.p1 = p1;
    l.p2 = p2;
    l.infinite = infinite;
    return l;
}

void ExpectPieces(const WindowLine& l, std::vector<LineSegment> expected)
{
    ASSERT_EQ(l.pieces.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_TRUE(Same(l.pieces[i].a, expected[i].a)) << i;
        EXPECT_TRUE(Same(l.pieces[i].b, expected[i].b)) << i;
    }
}

TEST(WindowCut, TwoCrossingBandsOpenUpToTheirOutline)
{
    std::vector<WindowLine> lines = {
        Line({0, 40}, {100, 40}), Line({0, 60}, {100, 60}),  // across
        Line({40, 0}, {40, 100}), Line({60, 0}, {60, 100}),  // upright
    };
    CutWindowLines(Window, lines);
    for (const WindowLine& l : lines)
        EXPECT_EQ(l.state, 2);
    ExpectPieces(lines[0], {{{0, 40}, {40, 40}}, {{100, 40}, {60, 40}}});
    ExpectPieces(lines[1], {{{0, 60}, {40, 60}}, {{100, 60}, {60, 60}}});
    ExpectPieces(lines[2], {{{40, 0}, {40, 40}}, {{40, 100}, {40, 60}}});
    ExpectPieces(lines[3], {{{60, 0}, {60, 40}}, {{60, 100}, {60, 60}}});
}

TEST(WindowCut, OneCrossingKeepsThePartReachingOutThroughTheBorder)
{
    std::vector<WindowLine> lines = {
        Line({0, 50}, {60, 50}),   // enters from the left, ends inside
        Line({50, 0}, {50, 100}),  // through the whole window
        Line({35, 35}, {45, 45}),  // inside, crossing nothing
    };
    CutWindowLines(Window, lines);
    EXPECT_EQ(lines[0].state, 2);
    ExpectPieces(lines[0], {{{0, 50}, {50, 50}}});
    // Both of its parts reach out: it stays, and cuts on.
    EXPECT_EQ(lines[1].state, 1);
    EXPECT_TRUE(lines[1].pieces.empty());
    EXPECT_EQ(lines[2].state, 0);

    // An X wholly inside: neither part reaches out, nothing changes.
    std::vector<WindowLine> x = {Line({35, 35}, {65, 65}), Line({35, 65}, {65, 35})};
    CutWindowLines(Window, x);
    EXPECT_EQ(x[0].state, 1);
    EXPECT_EQ(x[1].state, 1);
}

// A line that ends on another is not cut there, but the other is: the
// order of the two in the list decides what the other sees.
TEST(WindowCut, LineEndingOnAnotherDependsOnTheOrder)
{
    const WindowLine ending = Line({50, 50}, {50, 100});  // ends on the crossing line
    const WindowLine crossing = Line({0, 50}, {100, 50});
    std::vector<WindowLine> endingFirst = {ending, crossing};
    CutWindowLines(Window, endingFirst);
    // The ending line has no meeting point, goes back to 0 and no longer
    // cuts: the other has none either.
    EXPECT_EQ(endingFirst[0].state, 0);
    EXPECT_EQ(endingFirst[1].state, 0);

    std::vector<WindowLine> crossingFirst = {crossing, ending};
    CutWindowLines(Window, crossingFirst);
    // The crossing line meets the ending one once, and both of its parts
    // reach out: it stays as it is.
    EXPECT_EQ(crossingFirst[0].state, 1);
    EXPECT_EQ(crossingFirst[1].state, 0);
}

// An infinite line through a window corner: its working part runs from
// the corner to its other crossing, so it is cut like any other line.
TEST(WindowCut, InfiniteLineThroughACorner)
{
    std::vector<WindowLine> lines = {
        Line({20, 90}, {45, 40}, true),  // through the corner (30, 70)
        Line({0, 50}, {100, 50}),
    };
    CutWindowLines(Window, lines);
    EXPECT_EQ(lines[0].state, 2);
    ExpectPieces(lines[0], {{{20, 90}, {40, 50}}});
    EXPECT_EQ(lines[1].state, 1);
    for (const LineSegment& s : lines[0].pieces)
        EXPECT_GT(std::hypot(s.b.x - s.a.x, s.b.y - s.a.y), 1.0);
}

// The walk over every pair, as the pass is defined.
void PairwiseReference(const CutWindow& w, std::vector<WindowLine>& lines)
{
    for (WindowLine& l : lines) {
        l.pieces.clear();
        if (l.state != 2)
            continue;
        GeoPoint a = l.p1, b = l.p2;
        GeoPoint cr[4];
        if (l.infinite) {
            if (WindowCrossings(w, l.p1, l.p2, cr) < 2) {
                l.state = 0;
                continue;
            }
            a = cr[0];
            b = cr[1];
        }
        const LineResult ab = LineFromPoints(a.x, a.y, b.x, b.y);
        if (ab.status != 0 || LineFromPoints(l.p1.x, l.p1.y, l.p2.x, l.p2.y).status != 0) {
            l.state = 0;
            continue;
        }
        int count = 0;
        GeoPoint h1, h2;
        const auto d = [](GeoPoint p, GeoPoint q) { return std::hypot(p.x - q.x, p.y - q.y); };
        for (const WindowLine& j : lines) {
            if (&j == &l || (j.state != 1 && j.state != 2))
                continue;
            const LineResult lj = LineFromPoints(j.p1.x, j.p1.y, j.p2.x, j.p2.y);
            if (lj.status != 0)
                continue;
            const PointResult n = IntersectLines(ab.a, ab.b, ab.c, lj.a, lj.b, lj.c);
            if (n.status != 0 || IsPointOnSegment(n.x, n.y, a.x, a.y, b.x, b.y) != 0 ||
                IsPointOnSegment(n.x, n.y, j.p1.x, j.p1.y, j.p2.x, j.p2.y) != 0)
                continue;
            if ((std::abs(n.x - l.p1.x) < 0.05 && std::abs(n.y - l.p1.y) < 0.05) ||
                (std::abs(n.x - l.p2.x) < 0.05 && std::abs(n.y - l.p2.y) < 0.05))
                continue;
            const GeoPoint p{n.x, n.y};
            ++count;
            if (count == 1) {
                h1 = p;
            } else if (count == 2) {
                if (d(p, a) > d(h1, a)) {
                    h2 = p;
                } else {
                    h2 = h1;
                    h1 = p;
                }
            } else if (d(p, a) < d(h1, a)) {
                h1 = p;
            } else if (d(p, b) < d(h2, b)) {
                h2 = p;
            }
        }
        if (count == 0) {
            l.state = 0;
        } else if (count == 1) {
            if (WindowCrossings(w, l.p1, l.p2, cr) != 2) {
                l.state = 0;
                continue;
            }
            const auto on = [](GeoPoint p, GeoPoint s, GeoPoint e) {
                return IsPointOnSegment(p.x, p.y, s.x, s.y, e.x, e.y) == 0;
            };
            const bool out1 = on(cr[0], l.p1, h1) || on(cr[1], l.p1, h1);
            const bool out2 = on(cr[0], l.p2, h1) || on(cr[1], l.p2, h1);
            if (out1 == out2)
                l.state = 1;
            else
                l.pieces.push_back({out1 ? l.p1 : l.p2, h1});
        } else if (d(l.p1, h2) > d(l.p1, h1)) {
            l.pieces = {{l.p1, h1}, {l.p2, h2}};
        } else {
            l.pieces = {{l.p2, h1}, {l.p1, h2}};
        }
    }
}

// Lines of every direction and length, some infinite, some ending on
// others, some far outside: the pass gives what the walk over every pair
// gives, piece for piece.
TEST(WindowCut, SameAsTheWalkOverEveryPair)
{
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 rng(seed);
        std::uniform_real_distribution<double> pos(-50, 150), len(-80, 80);
        std::uniform_int_distribution<int> kind(0, 9);
        std::vector<WindowLine> lines;
        for (int i = 0; i < 300; ++i) {
            WindowLine l;
            const int k = kind(rng);
            l.p1 = {pos(rng), pos(rng)};
            if (k == 0 && !lines.empty()) {
                // Ends on an earlier line.
                const WindowLine& o = lines[rng() % lines.size()];
                const double t = std::uniform_real_distribution<double>(0, 1)(rng);
                l.p2 = {o.p1.x + t * (o.p2.x - o.p1.x), o.p1.y + t * (o.p2.y - o.p1.y)};
            } else if (k == 1) {
                l.p2 = {l.p1.x + len(rng), l.p1.y};  // horizontal
            } else if (k == 2) {
                l.p2 = {l.p1.x, l.p1.y + len(rng)};  // upright
            } else {
                l.p2 = {l.p1.x + len(rng), l.p1.y + len(rng)};
            }
            l.infinite = k == 3;
            if (k == 4)
                l.p1 = l.p2;  // no direction
            lines.push_back(l);
        }
        const CutWindow w{20, 10, 90, 95};
        std::vector<WindowLine> marked;
        for (const WindowLine& l : lines)
            if (WindowTakesLine(w, l.p1, l.p2))
                marked.push_back(l);
        std::vector<WindowLine> fast = marked, slow = marked;
        CutWindowLines(w, fast);
        PairwiseReference(w, slow);
        ASSERT_EQ(fast.size(), slow.size());
        int cut = 0;
        for (std::size_t i = 0; i < fast.size(); ++i) {
            EXPECT_EQ(fast[i].state, slow[i].state) << i;
            ASSERT_EQ(fast[i].pieces.size(), slow[i].pieces.size()) << i;
            for (std::size_t p = 0; p < fast[i].pieces.size(); ++p) {
                EXPECT_EQ(fast[i].pieces[p].a.x, slow[i].pieces[p].a.x);
                EXPECT_EQ(fast[i].pieces[p].a.y, slow[i].pieces[p].a.y);
                EXPECT_EQ(fast[i].pieces[p].b.x, slow[i].pieces[p].b.x);
                EXPECT_EQ(fast[i].pieces[p].b.y, slow[i].pieces[p].b.y);
            }
            cut += !fast[i].pieces.empty();
        }
        EXPECT_GT(cut, 10);
    }
}

} // namespace
