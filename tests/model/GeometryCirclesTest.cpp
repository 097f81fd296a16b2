#include "model/GeometryCircles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double Deg = Pi / 180.0;
const double NaN = std::numeric_limits<double>::quiet_NaN();

TEST(GeometryCircles, IntersectLineCircleCountsAndTangentSnapping)
{
    struct Case {
        const char* name;
        double a, b, c;
        int status, count;
        double x0, y0, x1, y1;
    };
    // Circle of radius 10 about (0, 0).
    const Case cases[] = {
        {"through the centre", 0, 1, 0, 0, 2, -10, 0, 10, 0},
        {"9.6 from the centre: the foot", 0, 1, -9.6, 0, 1, 0, 9.6, 0, 0},
        {"10.4 from the centre: the foot", 1, 0, 10.4, 0, 1, -10.4, 0, 0, 0},
        {"9.4 from the centre: two points", 0, 1, -9.4, 0, 2, -std::sqrt(100 - 9.4 * 9.4), 9.4,
         std::sqrt(100 - 9.4 * 9.4), 9.4},
        {"missed", 0, 1, -11, -1, 0, 0, 0, 0, 0},
        {"no line", 0, 0, 5, -2, 0, 0, 0, 0, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const PointSet<2> s = IntersectLineCircle(k.a, k.b, k.c, 0, 0, 10);
        EXPECT_EQ(s.status, k.status);
        EXPECT_EQ(s.count, k.count);
        EXPECT_NEAR(s.x[0], k.x0, 1e-9);
        EXPECT_NEAR(s.y[0], k.y0, 1e-9);
        EXPECT_NEAR(s.x[1], k.x1, 1e-9);
        EXPECT_NEAR(s.y[1], k.y1, 1e-9);
    }
}

TEST(GeometryCircles, IntersectCirclesNearTouchingAndApart)
{
    struct Case {
        const char* name;
        double x2, r1, r2;
        int status, count;
        double x, y;
    };
    const Case cases[] = {
        {"20.02 apart: one point", 20.02, 10, 10, 0, 1, 10.01, 0},
        {"20.4 apart: two points though apart", 20.4, 10, 10, 0, 2, 10.2, std::sqrt(10.2 * 10.2 - 100)},
        {"20.6 apart", 20.6, 10, 10, 1, 0, 0, 0},
        {"same centre", 0, 10, 10, 1, 0, 0, 0},
        {"one inside the other", 1, 10, 2, 1, 0, 0, 0},
        {"crossing", 10, 10, 10, 0, 2, 5, std::sqrt(75)},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const PointSet<2> s = IntersectCircles(0, 0, k.r1, k.x2, 0, k.r2);
        EXPECT_EQ(s.status, k.status);
        EXPECT_EQ(s.count, k.count);
        EXPECT_NEAR(s.x[0], k.x, 1e-9);
        EXPECT_NEAR(std::abs(s.y[0]), k.y, 1e-9);
        if (k.count == 2) {
            EXPECT_NEAR(s.x[1], k.x, 1e-9);
            EXPECT_NEAR(s.y[1], -s.y[0], 1e-9);
        }
    }
}

TEST(GeometryCircles, TangentPoints)
{
    PointSet<2> s = TangentPoints(10.3, 0, 0, 0, 10);
    EXPECT_EQ(s.status, 0);
    ASSERT_EQ(s.count, 1);
    EXPECT_EQ(s.x[0], 10.3);
    EXPECT_EQ(s.y[0], 0);

    s = TangentPoints(3, 0, 0, 0, 10);
    EXPECT_EQ(s.status, 1);
    EXPECT_EQ(s.count, 0);

    s = TangentPoints(20, 0, 0, 0, 10);
    EXPECT_EQ(s.status, 0);
    ASSERT_EQ(s.count, 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_NEAR(std::hypot(s.x[i], s.y[i]), 10, 1e-9);
        // The radius to a tangent point is perpendicular to the tangent.
        EXPECT_NEAR((20 - s.x[i]) * s.x[i] + (0 - s.y[i]) * s.y[i], 0, 1e-9);
    }
    EXPECT_NEAR(s.y[0], -s.y[1], 1e-9);
}

TEST(GeometryCircles, CircleFrom3PointsAndItsDirection)
{
    struct Case {
        const char* name;
        double x1, y1, x2, y2, x3, y3;
        double cx, cy, r;
        int direction;
    };
    const Case cases[] = {
        {"0, 90, 180 degrees", 10, 0, 0, 10, -10, 0, 0, 0, 10, 1},
        {"180, 90, 0 degrees", -10, 0, 0, 10, 10, 0, 0, 0, 10, -1},
        {"0, 270, 180 degrees", 10, 0, 0, -10, -10, 0, 0, 0, 10, -1},
        {"0, 90, 270 degrees", 10, 0, 0, 10, 0, -10, 0, 0, 10, 1},
        {"0, 270, 90 degrees", 10, 0, 0, -10, 0, 10, 0, 0, 10, -1},
        {"off the origin", 6, 2, 1, 7, -4, 2, 1, 2, 5, 1},
        {"collinear", 0, 0, 1, 1, 2, 2, 0, 0, 0, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const CircleResult c = CircleFrom3Points(k.x1, k.y1, k.x2, k.y2, k.x3, k.y3);
        EXPECT_NEAR(c.cx, k.cx, 1e-9);
        EXPECT_NEAR(c.cy, k.cy, 1e-9);
        EXPECT_NEAR(c.radius, k.r, 1e-9);
        EXPECT_EQ(c.direction, k.direction);
    }
}

TEST(GeometryCircles, IsPointOnArcWithItsDirectionArgument)
{
    // The quarter from S = (10, 0) to E = (0, 10) about the origin: direction
    // -1 names the counter-clockwise (short) arc, +1 the clockwise (long) one.
    const double s45 = 10 * std::cos(45 * Deg);
    struct Case {
        const char* name;
        int direction;
        double px, py;
        int result;
    };
    const Case cases[] = {
        {"short arc, 45", -1, s45, s45, 0},
        {"short arc, 225", -1, -s45, -s45, -1},
        {"short arc, 135", -1, -s45, s45, -1},
        {"long arc, 45", 1, s45, s45, -1},
        {"long arc, 225", 1, -s45, -s45, 0},
        {"long arc, 135", 1, -s45, s45, 0},
        {"long arc, 315", 1, s45, -s45, 0},
        {"at S", -1, 10, 0, 0},
        {"near E", 1, 0.3, 10.2, 0},
        {"off the radius", -1, 8 * std::cos(30 * Deg), 8 * std::sin(30 * Deg), -1},
        {"radius within 0.5", -1, 10.4 * std::cos(30 * Deg), 10.4 * std::sin(30 * Deg), 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        EXPECT_EQ(IsPointOnArc(10, 0, 0, 0, 10, k.direction, k.px, k.py, 0, 10), k.result);
    }
    // S and E coinciding within 0.5 make no arc.
    EXPECT_EQ(IsPointOnArc(10, 0, 0, 0, 10, 1, -10, 0, 9.9, 0.4), -1);
}

TEST(GeometryCircles, ArcMidPointOnEitherSide)
{
    const double quarter = 10 * Pi / 2;
    PointResult p = ArcMidPoint(1, 10, 0, 0, 0, 10, quarter);
    EXPECT_EQ(p.status, 0);
    EXPECT_NEAR(p.x, 0, 1e-9);
    EXPECT_NEAR(p.y, 10, 1e-9);
    p = ArcMidPoint(-1, 10, 0, 0, 0, 10, quarter);
    EXPECT_NEAR(p.x, 0, 1e-9);
    EXPECT_NEAR(p.y, -10, 1e-9);

    // Short lengths stay at S; S off the circle and lengths far beyond the
    // circumference are refused.
    p = ArcMidPoint(1, 10, 0, 0, 0, 10, 0.4);
    EXPECT_EQ(p.status, 0);
    EXPECT_EQ(p.x, 10);
    EXPECT_EQ(ArcMidPoint(1, 10.01, 0, 0, 0, 10, quarter).status, 1);
    EXPECT_EQ(ArcMidPoint(1, 10, 0, 0, 0, 10, 70).status, 1);
}

TEST(GeometryCircles, ArcMidPointOfAZeroCircleIsRefusedNotDividedByZero)
{
    for (double r : {0.0, 0.00001}) {
        const PointResult p = ArcMidPoint(1, 0, 0, 0, 0, r, 5);
        EXPECT_EQ(p.status, 1) << r;
        EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << r;
    }
    EXPECT_EQ(ArcMidPoint(1, 10, 0, 0, 0, 10, NaN).status, 1);
}

TEST(GeometryCircles, ArcEndPoints)
{
    const PointSet<2> s = ArcEndPoints(1, 2, 10, 0, 90);
    EXPECT_EQ(s.status, 0);
    EXPECT_EQ(s.count, 2);
    EXPECT_NEAR(s.x[0], 11, 1e-12);
    EXPECT_NEAR(s.y[0], 2, 1e-12);
    EXPECT_NEAR(s.x[1], 1, 1e-12);
    EXPECT_NEAR(s.y[1], 12, 1e-12);
}

struct PolylineCase {
    const char* name;
    int direction;
    double a1, a2, step;
    int status, count;
};

TEST(GeometryCircles, ArcToPolylineCountsAndTheSixtyStepLimit)
{
    const PolylineCase cases[] = {
        {"59 steps counter-clockwise", 1, 0, 356, 6, 0, 61},
        {"59 steps clockwise", -1, 356, 0, 6, 0, 61},
        {"60 steps", 1, 0, 302, 5, -1, 0},
        {"59 steps of 5", 1, 0, 298, 5, 0, 61},
        {"same angle", 1, 40, 40, 6, 0, 2},
        {"across zero", 1, 350, 22, 6, 0, 7},
        {"clockwise across zero", -1, 22, 350, 6, 0, 7},
        {"zero step", 1, 0, 90, 0, -1, 0},
        {"negative step", 1, 0, 90, -5, -1, 0},
        {"step not a number", 1, 0, 90, NaN, -1, 0},
    };
    for (const PolylineCase& k : cases) {
        SCOPED_TRACE(k.name);
        const double x1 = 3 + 10 * std::cos(k.a1 * Deg), y1 = 4 + 10 * std::sin(k.a1 * Deg);
        const double x2 = 3 + 10 * std::cos(k.a2 * Deg), y2 = 4 + 10 * std::sin(k.a2 * Deg);
        const auto s = ArcToPolyline(k.direction, x1, y1, x2, y2, 3, 4, 10, k.step);
        EXPECT_EQ(s.status, k.status);
        ASSERT_EQ(s.count, k.count);
        if (s.count == 0)
            continue;
        EXPECT_EQ(s.x[0], x1);
        EXPECT_EQ(s.y[0], y1);
        EXPECT_EQ(s.x[s.count - 1], x2);
        EXPECT_EQ(s.y[s.count - 1], y2);
        for (int i = 1; i < s.count - 1; ++i) {
            const double a = (k.a1 + (k.direction == 1 ? 1 : -1) * i * k.step) * Deg;
            EXPECT_NEAR(s.x[i], 3 + 10 * std::cos(a), 1e-9) << i;
            EXPECT_NEAR(s.y[i], 4 + 10 * std::sin(a), 1e-9) << i;
        }
    }
}

TEST(GeometryCircles, ArcToPolylineWithNonFiniteCoordinatesIsRefused)
{
    EXPECT_EQ(ArcToPolyline(1, NaN, 0, 0, 10, 0, 0, 10, 6).status, -1);
}

} // namespace
