// Cutting a piece out of a line between two positions, and the part of a
// line between two bounding lines.

#include "model/LineCut.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Pieces = std::vector<std::vector<double>>;

Pieces Flat(const std::vector<LineSegment>& v)
{
    Pieces out;
    for (const LineSegment& s : v)
        out.push_back({s.a.x, s.a.y, s.b.x, s.b.y});
    return out;
}

TEST(LineCut, PositionsOnTheLine)
{
    const GeoPoint p1{0, 0}, p2{100, 0};
    struct {
        const char* what;
        GeoPoint s, e;
        Pieces expected;
    } cases[] = {
        {"two equal positions split", {40, 0}, {40, 0}, {{0, 0, 40, 0}, {40, 0, 100, 0}}},
        {"start at P1 keeps E-P2", {0, 0}, {30, 0}, {{30, 0, 100, 0}}},
        {"start at P2 keeps E-P1", {100, 0}, {70, 0}, {{70, 0, 0, 0}}},
        {"end at P1 keeps S-P2", {30, 0}, {0.004, 0}, {{30, 0, 100, 0}}},
        {"interior, in order", {20, 0}, {60, 0}, {{0, 0, 20, 0}, {60, 0, 100, 0}}},
        {"interior, reversed", {60, 0}, {20, 0}, {{0, 0, 20, 0}, {60, 0, 100, 0}}},
        {"from end to end: nothing stays", {0, 0}, {100, 0}, {}},
        {"a piece under 0.5 is not made", {0.3, 0}, {50, 0}, {{50, 0, 100, 0}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Flat(CutLinePieces(p1, p2, c.s, c.e)), c.expected) << c.what;
}

TEST(LineCut, FootIsClampedToTheSegment)
{
    const GeoPoint p1{0, 0}, p2{100, 0};
    struct {
        GeoPoint p;
        double x, y;
    } cases[] = {{{30, 12}, 30, 0}, {{-20, 5}, 0, 0}, {{130, -5}, 100, 0}, {{100, 40}, 100, 0}};
    for (const auto& c : cases) {
        const PointResult f = FootOnSegment(c.p, p1, p2);
        EXPECT_EQ(f.status, 0);
        EXPECT_NEAR(f.x, c.x, 1e-9) << c.p.x;
        EXPECT_NEAR(f.y, c.y, 1e-9) << c.p.x;
    }
    EXPECT_NE(FootOnSegment({5, 5}, {1, 1}, {1, 1}).status, 0);
}

// The line (0,0)-(100,0) against bounding lines crossing it at i1 and i2.
TEST(LineCut, BetweenTwoLines)
{
    const GeoPoint p1{0, 0}, p2{100, 0};
    struct {
        const char* what;
        GeoPoint i1, i2;
        bool cut;
        Pieces expected;
    } cases[] = {
        {"both crossings inside: the middle goes", {30, 0}, {70, 0}, true, {{0, 0, 30, 0}, {70, 0, 100, 0}}},
        {"both inside, reversed", {70, 0}, {30, 0}, true, {{0, 0, 30, 0}, {70, 0, 100, 0}}},
        {"only the first inside, P1 between: P2's side stays", {40, 0}, {-20, 0}, true, {{40, 0, 100, 0}}},
        {"only the second inside, P1 outside: P1's side stays", {150, 0}, {40, 0}, true, {{40, 0, 0, 0}}},
        {"both beyond the ends: whole", {-10, 0}, {120, 0}, false, {}},
        {"one crossing within 0.05 of an end: whole", {0.04, 0}, {-30, 0}, false, {}},
        {"both crossings at the ends: nothing stays", {0, 0}, {100, 0}, true, {}},
    };
    for (const auto& c : cases) {
        const BetweenLinesCut cut = CutBetweenLinesPieces(p1, p2, c.i1, c.i2);
        EXPECT_EQ(cut.cut, c.cut) << c.what;
        EXPECT_EQ(Flat(cut.pieces), c.expected) << c.what;
    }
}

} // namespace
