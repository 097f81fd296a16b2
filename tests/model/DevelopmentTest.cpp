#include "model/Development.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using develop::Member;
using Shape = develop::Member::Shape;

namespace {

constexpr double Pi = std::numbers::pi;
constexpr double Tol = 1e-4;

void ExpectLine(const Member& m, double x1, double y1, double x2, double y2)
{
    ASSERT_EQ(m.shape, Shape::Line);
    EXPECT_NEAR(m.v[0], x1, Tol);
    EXPECT_NEAR(m.v[1], y1, Tol);
    EXPECT_NEAR(m.v[2], x2, Tol);
    EXPECT_NEAR(m.v[3], y2, Tol);
}

// Consecutive lines of a sampled curve meet end to end.
void ExpectChained(const std::vector<Member>& m, std::size_t from, std::size_t to)
{
    for (std::size_t i = from + 1; i < to; ++i) {
        EXPECT_NEAR(m[i].v[0], m[i - 1].v[2], 1e-9) << i;
        EXPECT_NEAR(m[i].v[1], m[i - 1].v[3], 1e-9) << i;
    }
}

} // namespace

TEST(Development, CylinderOfEightPoints)
{
    const auto m = develop::Cylinder(0, 0, 50, 100, 150, 8);
    // circle, 4 side lines, the left edge, 8 top segments, 2 edges, the base.
    ASSERT_EQ(m.size(), 1u + 4 + 1 + 7 + 1 + 2);
    ASSERT_EQ(m[0].shape, Shape::Circle);
    EXPECT_NEAR(m[0].v[0], 50, Tol);
    EXPECT_NEAR(m[0].v[1], 50, Tol);
    EXPECT_NEAR(m[0].v[2], 50, Tol);
    ExpectLine(m[1], 0, 150, 100, 150);
    ExpectLine(m[2], 100, 150, 100, 300);
    ExpectLine(m[3], 100, 300, 0, 250);
    ExpectLine(m[4], 0, 250, 0, 150);
    ExpectLine(m[5], 150, 150, 150, 250);
    // Samples at t = pi/4 .. 7pi/4; the highest at pi.
    for (int i = 1; i <= 7; ++i) {
        const double t = i * Pi / 4;
        const Member& seg = m[5 + i];
        EXPECT_NEAR(seg.v[2], 150 + 50 * t, Tol) << i;
        EXPECT_NEAR(seg.v[3], 250 + 25 * (1 - std::cos(t)), Tol) << i;
    }
    EXPECT_NEAR(m[9].v[2], 307.0796, Tol);
    EXPECT_NEAR(m[9].v[3], 300, Tol);
    ExpectChained(m, 6, 14);
    ExpectLine(m[13], m[12].v[2], m[12].v[3], 464.1593, 250);
    ExpectLine(m[14], 464.1593, 250, 464.1593, 150);
    ExpectLine(m[15], 464.1593, 150, 150, 150);
}

TEST(Development, CylinderWithoutCurvePointsHasAStraightTop)
{
    for (int n : {0, 1}) {
        const auto m = develop::Cylinder(0, 0, 50, 100, 150, n);
        ASSERT_EQ(m.size(), 9u) << n;
        ExpectLine(m[6], 150, 250, 464.1593, 250);
    }
}

TEST(Development, PrismWithRoundedCorners)
{
    const auto m = develop::Prism(0, 0, 100, 60, 50, 80, 10, 16);
    ExpectLine(m[0], 10, 60, 90, 60);
    ExpectLine(m[1], 100, 50, 100, 10);
    ExpectLine(m[2], 90, 0, 10, 0);
    ExpectLine(m[3], 0, 10, 0, 50);
    const double arcs[4][5] = {{90, 50, 10, 0, 90}, {90, 10, 10, 270, 0}, {10, 10, 10, 180, 270}, {10, 50, 10, 90, 180}};
    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(m[4 + i].shape, Shape::Arc);
        for (int j = 0; j < 5; ++j)
            EXPECT_NEAR(m[4 + i].v[j], arcs[i][j], Tol) << i << ' ' << j;
    }
    ExpectLine(m[8], 0, 90, 0, 140);
    ExpectLine(m[9], 0, 140, 100, 170);
    ExpectLine(m[10], 100, 170, 100, 90);
    ExpectLine(m[11], 100, 90, 0, 90);
    ExpectLine(m[12], 130, 90, 130, 140);
    ExpectLine(m[13], 130, 140, 150, 140);
    // Corner 1: fold, samples at pi/8, pi/4, 3pi/8, the corner's end, fold.
    ExpectLine(m[14], 150, 140, 150, 90);
    const double k = 0.3;
    for (int i = 1; i <= 3; ++i) {
        const double t = i * Pi / 8;
        EXPECT_NEAR(m[14 + i].v[2], 150 + 10 * t, Tol);
        EXPECT_NEAR(m[14 + i].v[3], 140 + k * 10 * (1 - std::cos(t)), Tol);
    }
    ExpectLine(m[18], m[17].v[2], m[17].v[3], 150 + 5 * Pi, 143);
    ExpectLine(m[19], 150 + 5 * Pi, 143, 150 + 5 * Pi, 90);
    // The last three members close the development at x = 432.8319.
    const std::size_t n = m.size();
    ExpectLine(m[n - 2], 432.8319, 140, 432.8319, 90);
    ExpectLine(m[n - 1], 432.8319, 90, 130, 90);
    EXPECT_NEAR(m[n - 3].v[2], 432.8319, Tol);
    // Every top point rises with its place on the plan: the level run at H2.
    bool level = false;
    for (const Member& e : m)
        if (e.shape == Shape::Line && std::fabs(e.v[1] - 170) < Tol && std::fabs(e.v[3] - 170) < Tol &&
            std::fabs(e.v[2] - e.v[0] - 40) < Tol)
            level = true;
    EXPECT_TRUE(level);
}

TEST(Development, PrismWithSquareCornersHasNoArcs)
{
    const auto m = develop::Prism(0, 0, 100, 60, 50, 80, 0, 16);
    for (const Member& e : m)
        EXPECT_NE(e.shape, Shape::Arc);
    // Both fold lines of a corner fall on one place.
    ExpectLine(m[10], 160, 140, 160, 90);
    ExpectLine(m[11], 160, 140, 160, 140);  // a corner sample of no length
    const std::size_t n = m.size();
    ExpectLine(m[n - 1], 130 + 320, 90, 130, 90);
}

TEST(Development, ConeCutAtTwentyDegrees)
{
    const auto m = develop::Cone(0, 0, 50, 200, 100, 20, 12);
    ExpectLine(m[0], 0, 125, 100, 125);
    ExpectLine(m[1], 0, 125, 50, 325);
    ExpectLine(m[2], 100, 125, 50, 325);
    ExpectLine(m[3], 0, 206.8015, 100, 243.1985);
    ASSERT_EQ(m[4].shape, Shape::Circle);
    // The cut in the plan: 12 segments, chained.
    ExpectChained(m, 5, 17);
    const Member* arc = nullptr;
    std::size_t at = 0;
    for (std::size_t i = 0; i < m.size(); ++i)
        if (m[i].shape == Shape::Arc) {
            arc = &m[i];
            at = i;
        }
    ASSERT_NE(arc, nullptr);
    EXPECT_EQ(at, 5u + 12);
    EXPECT_NEAR(arc->v[0], 150, Tol);
    EXPECT_NEAR(arc->v[1], 212.5, Tol);
    EXPECT_NEAR(arc->v[2], 206.1553, Tol);
    EXPECT_NEAR(arc->v[3], -43.6564, Tol);
    EXPECT_NEAR(arc->v[4], 43.6564, Tol);
    // The development's cut starts on the axis of the fan.
    EXPECT_NEAR(m[at + 1].v[0], 244.4806, Tol);
    EXPECT_NEAR(m[at + 1].v[1], 212.5, Tol);
    EXPECT_NEAR(m[at + 2].v[0], 244.4806, Tol);
    EXPECT_NEAR(m[at + 2].v[1], 212.5, Tol);
    // Upper and lower halves mirror each other about the fan's axis.
    for (std::size_t i = at + 1; i + 1 < m.size(); i += 2) {
        EXPECT_NEAR(m[i].v[2], m[i + 1].v[2], 1e-9);
        EXPECT_NEAR(m[i].v[3] - 212.5, 212.5 - m[i + 1].v[3], 1e-9);
    }
    // The seam runs from the arc's ends.
    const double beta = 43.6564 * Pi / 180;
    const Member& seam = m[m.size() - 2];
    EXPECT_NEAR(seam.v[0], 150 + 206.1553 * std::cos(beta), 1e-3);
    EXPECT_NEAR(seam.v[1], 212.5 + 206.1553 * std::sin(beta), 1e-3);
}

TEST(Development, IntersectLinesForDevelopCases)
{
    struct Case {
        double a[4], b[4];
        int result;
        double x, y;
    };
    const Case cases[] = {
        {{1, 0, 1, 5}, {0, 2, 4, 4}, 1, 1, 2.5},       // a vertical
        {{1, 0, 1, 5}, {3, 0, 3, 5}, 0, 1, 0},         // both vertical
        {{0, 0, 4, 4}, {2, 0, 2, 9}, 1, 2, 2},         // b vertical
        {{0, 3, 5, 3}, {0, 0, 2, 2}, 1, 3, 3},         // a level
        {{0, 3, 5, 3}, {0, 1, 5, 1}, 0, 0, 3},         // both level
        {{0, 0, 2, 2}, {0, 3, 5, 3}, 1, 3, 3},         // b level
        {{0, 0, 1, 1}, {0, 2, 1, 1}, 1, 1, 1},         // general
    };
    for (const Case& c : cases) {
        double x = -1, y = -1;
        EXPECT_EQ(develop::IntersectLinesForDevelop(c.a[0], c.a[1], c.a[2], c.a[3], c.b[0], c.b[1], c.b[2], c.b[3], x, y),
                  c.result);
        EXPECT_NEAR(x, c.x, 1e-9);
        EXPECT_NEAR(y, c.y, 1e-9);
    }
}

TEST(Development, ValuesThatWouldDivideByZeroGiveNothing)
{
    EXPECT_TRUE(develop::Cone(0, 0, 50, 0, 0, 10, 12).empty());      // no apex height
    EXPECT_TRUE(develop::Cone(0, 0, 50, 100, 150, 10, 12).empty());  // cut above the apex
    EXPECT_TRUE(develop::Prism(0, 0, 0, 60, 50, 80, 0, 16).empty()); // no side
    EXPECT_TRUE(develop::Prism(0, 0, 100, 60, 50, 80, 30.5, 16).empty());
    EXPECT_TRUE(develop::Cylinder(0, 0, 0, 100, 150, 8).empty());
    EXPECT_FALSE(develop::Cone(0, 0, 50, 100, 100, 10, 12).empty()); // cut at the apex is fine
}

TEST(Development, CurvePointsAreTruncatedAndCapped)
{
    EXPECT_EQ(develop::CurvePointCount(7.9), 7);
    EXPECT_EQ(develop::CurvePointCount(0), 0);
    EXPECT_EQ(develop::CurvePointCount(-3), 0);
    EXPECT_EQ(develop::CurvePointCount(1e30), develop::MaxCurvePoints);
    // Rounding in the running angle may add one sample close to the turn.
    const std::size_t n = develop::Cylinder(0, 0, 1, 1, 2, develop::CurvePointCount(1e30)).size();
    EXPECT_GE(n, 9u + develop::MaxCurvePoints - 1);
    EXPECT_LE(n, 9u + develop::MaxCurvePoints);
}

TEST(Development, StorableRange)
{
    Member line;
    line.v[0] = -9999999999.9;
    line.v[2] = 99999999999.9;
    EXPECT_TRUE(develop::Storable(line));
    line.v[3] = 1e12;
    EXPECT_FALSE(develop::Storable(line));
    Member circle;
    circle.shape = Shape::Circle;
    circle.v[2] = 1e30;  // only the centre counts
    EXPECT_TRUE(develop::Storable(circle));
    circle.v[1] = -1e11;
    EXPECT_FALSE(develop::Storable(circle));
}
