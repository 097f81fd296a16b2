#include "model/GeometryCircles.h"
#include "model/GeometryEllipses.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double Deg = Pi / 180.0;
const double NaN = std::numeric_limits<double>::quiet_NaN();
const double Inf = std::numeric_limits<double>::infinity();

// How far P is from lying on the ellipse, as |u²/r1² + v²/r2² − 1|.
double OffEllipse(const GeoEllipse& e, double x, double y)
{
    const double phi = e.rotation * Deg;
    const double dx = x - e.cx, dy = y - e.cy;
    const double u = dx * std::cos(phi) + dy * std::sin(phi);
    const double v = -dx * std::sin(phi) + dy * std::cos(phi);
    return std::abs(u * u / (e.r1 * e.r1) + v * v / (e.r2 * e.r2) - 1.0);
}

TEST(GeometryEllipses, IntersectLineEllipse)
{
    struct Case {
        const char* name;
        GeoEllipse e;
        double a, b, c;
        int count;
        double x0, y0, x1, y1;
    };
    const Case cases[] = {
        {"y = 0 on a circle", {0, 0, 10, 10, 0}, 0, 1, 0, 2, 10, 0, -10, 0},
        {"x = 10 touches: two equal points", {0, 0, 10, 10, 0}, 1, 0, -10, 2, 10, 0, 10, 0},
        {"y = 10 touches: one point", {0, 0, 10, 10, 0}, 0, 1, -10, 1, 0, 10, 0, 0},
        {"y = 11 misses", {0, 0, 10, 10, 0}, 0, 1, -11, 0, 0, 0, 0, 0},
        {"x = 11 misses", {0, 0, 10, 10, 0}, 1, 0, -11, 0, 0, 0, 0, 0},
        {"turned by 90, x = 0", {0, 0, 20, 10, 90}, 1, 0, 0, 2, 0, 20, 0, -20},
        {"turned by 90, y = 0", {0, 0, 20, 10, 90}, 0, 1, 0, 2, -10, 0, 10, 0},
        {"off the origin", {5, 5, 20, 10, 0}, 0, 1, -5, 2, 25, 5, -15, 5},
        {"no line", {0, 0, 20, 10, 0}, 0, 0, 1, 0, 0, 0, 0, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const PointSet<2> s = IntersectLineEllipse(k.e, k.a, k.b, k.c);
        ASSERT_EQ(s.count, k.count);
        EXPECT_NEAR(s.x[0], k.x0, 1e-9);
        EXPECT_NEAR(s.y[0], k.y0, 1e-9);
        EXPECT_NEAR(s.x[1], k.x1, 1e-9);
        EXPECT_NEAR(s.y[1], k.y1, 1e-9);
    }
}

TEST(GeometryEllipses, IntersectLineEllipticArcKeepsCrossingsInTheArcsDirections)
{
    const double c10 = 10 * std::cos(10 * Deg);
    struct Case {
        const char* name;
        GeoEllipticArc arc;
        double a, b, c;
        int count;
        double x0, y0;
    };
    const Case cases[] = {
        // Through the centre at 45 and 225 degrees.
        {"0 to 90 keeps 45", {{0, 0, 20, 10, 0}, 0, 90}, 1, -1, 0, 1, 8.94427190999916, 8.94427190999916},
        {"90 to 0 (the long way) keeps 225", {{0, 0, 20, 10, 0}, 90, 0}, 1, -1, 0, 1, -8.94427190999916,
         -8.94427190999916},
        // x = 10·cos 10°: directions 10 and 350.
        {"300 to 30 keeps 350 and 10", {{0, 0, 10, 10, 0}, 300, 30}, 1, 0, -c10, 2, c10, 10 * std::sin(10 * Deg)},
        {"-60 to 30 as 300 to 30", {{0, 0, 10, 10, 0}, -60, 30}, 1, 0, -c10, 2, c10, 10 * std::sin(10 * Deg)},
        {"20 to 40 keeps neither", {{0, 0, 10, 10, 0}, 20, 40}, 1, 0, -c10, 0, 0, 0},
        // Through the centre at 135 and 315.
        {"turned by 90, 90 to 180 keeps 135", {{0, 0, 20, 10, 90}, 90, 180}, 1, 1, 0, 1, -8.94427190999916,
         8.94427190999916},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const PointSet<2> s = IntersectLineEllipticArc(k.arc, k.a, k.b, k.c);
        ASSERT_EQ(s.count, k.count);
        if (k.count > 0) {
            EXPECT_NEAR(s.x[0], k.x0, 1e-9);
            EXPECT_NEAR(std::abs(s.y[0]), std::abs(k.y0), 1e-9);
        }
        if (k.count == 1) {
            EXPECT_NEAR(s.y[0], k.y0, 1e-9);
            EXPECT_EQ(s.x[1], 0.0);
            EXPECT_EQ(s.y[1], 0.0);
        }
    }
}

TEST(GeometryEllipses, IntersectCircleEllipseStopsAtTwo)
{
    const GeoEllipse e{0, 0, 20, 10, 30};
    const PointSet<2> s = IntersectCircleEllipse(e, 0, 0, 15); // crosses four times
    ASSERT_EQ(s.count, 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_NEAR(std::hypot(s.x[i], s.y[i]), 15, 1e-6);
        EXPECT_LT(OffEllipse(e, s.x[i], s.y[i]), 1e-9);
    }
    EXPECT_EQ(IntersectCircleEllipse(e, 0, 0, 5).count, 0);
}

TEST(GeometryEllipses, IntersectCircleEllipseExaminesTheLastSampleInterval)
{
    // A circle through the ellipse point at parameter 359.75 degrees, inside
    // the last of the 720 sample intervals, and through the point at 95.1
    // degrees; it crosses the ellipse nowhere else.
    const GeoEllipse e{0, 0, 20, 10, 0};
    const double ax = 20 * std::cos(-0.25 * Deg), ay = 10 * std::sin(-0.25 * Deg);
    const double bx = 20 * std::cos(95.1 * Deg), by = 10 * std::sin(95.1 * Deg);
    const CircleResult c = CircleFrom3Points(ax, ay, bx, by, 25, 30);
    const PointSet<2> s = IntersectCircleEllipse(e, c.cx, c.cy, c.radius);
    ASSERT_EQ(s.count, 2);
    EXPECT_NEAR(s.x[0], bx, 1e-6);
    EXPECT_NEAR(s.y[0], by, 1e-6);
    EXPECT_NEAR(s.x[1], ax, 1e-6);
    EXPECT_NEAR(s.y[1], ay, 1e-6);
}

TEST(GeometryEllipses, IntersectCircleEllipseDoesNotCountARootAtZeroTwice)
{
    // The circle about (30, 0) with radius 10 touches the ellipse at (20, 0),
    // parameter 0, and nowhere else.
    const PointSet<2> s = IntersectCircleEllipse({0, 0, 20, 10, 0}, 30, 0, 10);
    ASSERT_EQ(s.count, 1);
    EXPECT_NEAR(s.x[0], 20, 1e-6);
    EXPECT_NEAR(s.y[0], 0, 1e-6);
}

TEST(GeometryEllipses, IntersectEllipses)
{
    const GeoEllipse a{0, 0, 20, 10, 0};
    EXPECT_EQ(IntersectEllipses(a, a).count, 8);

    const GeoEllipse b{0, 0, 10, 20, 0};
    const PointSet<8> s = IntersectEllipses(a, b);
    ASSERT_GE(s.count, 4);
    for (int i = 0; i < s.count; ++i) {
        EXPECT_LT(OffEllipse(b, s.x[i], s.y[i]), 0.001);
        EXPECT_NEAR(std::abs(s.x[i]), 8.944, 0.05) << i;
    }
    EXPECT_EQ(IntersectEllipses(a, {100, 0, 20, 10, 0}).count, 0);
}

TEST(GeometryEllipses, DegenerateEllipsesCrossNothingAndGiveNoNaN)
{
    const GeoEllipse flat[] = {{0, 0, 0, 10, 0}, {0, 0, 10, 0, 0}, {0, 0, 0, 0, 0}, {0, 0, 1e-5, 10, 0}};
    const GeoEllipse round{0, 0, 10, 10, 0};
    for (const GeoEllipse& e : flat) {
        SCOPED_TRACE(std::to_string(e.r1) + " " + std::to_string(e.r2));
        EXPECT_EQ(IntersectLineEllipse(e, 0, 1, 0).count, 0);
        EXPECT_EQ(IntersectLineEllipticArc({e, 0, 360}, 1, 0, 0).count, 0);
        EXPECT_EQ(IntersectCircleEllipse(e, 0, 0, 5).count, 0);
        EXPECT_EQ(IntersectEllipses(e, round).count, 0);
        EXPECT_EQ(IntersectEllipses(round, e).count, 0);
        EXPECT_EQ(IsPointOnEllipticArc(e.r1, e.r2, 0, 0, 360, 0, 0, 0, 0), 0);

        const PointSet<2> ends = EllipticArcEndPoints(e, 30, 120);
        EXPECT_TRUE(std::isfinite(ends.x[0]) && std::isfinite(ends.y[0]));
        EXPECT_TRUE(std::isfinite(ends.x[1]) && std::isfinite(ends.y[1]));
        EXPECT_TRUE(std::isfinite(EllipseArcLengthBetween(e, 1, 1, -1, 1)));
        const GeoBox box = EllipticArcBounds({e, 30, 120});
        EXPECT_EQ(box.status, 0);
        EXPECT_TRUE(std::isfinite(box.minX) && std::isfinite(box.maxY));
        const PointResult p = PointAlongEllipse(1, e, 3, 4, 25);
        EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
    }
}

TEST(GeometryEllipses, PointAlongEllipseWalksEitherWay)
{
    const GeoEllipse circle{0, 0, 10, 10, 0};
    const double quarter = 10 * Pi / 2;
    struct Case {
        const char* name;
        int direction;
        double length;
        double x, y;
    };
    const Case cases[] = {
        {"quarter counter-clockwise", 1, quarter, 0, 10},
        {"quarter clockwise", -1, quarter, 0, -10},
        {"half", 1, 2 * quarter, -10, 0},
        {"zero length", 1, 0, 10, 0},
        {"negative length", 1, -5, 10, 0},
        {"two laps and a quarter", 1, 9 * quarter, 0, 10},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const PointResult p = PointAlongEllipse(k.direction, circle, 10, 0, k.length);
        EXPECT_EQ(p.status, 0);
        EXPECT_NEAR(p.x, k.x, 0.01);
        EXPECT_NEAR(p.y, k.y, 0.01);
    }
    // A start point off the ellipse is taken at its parameter.
    const PointResult p = PointAlongEllipse(1, {0, 0, 20, 10, 0}, 40, 0, 0);
    EXPECT_NEAR(p.x, 20, 1e-12);
    EXPECT_NEAR(p.y, 0, 1e-12);
}

TEST(GeometryEllipses, PointAlongEllipseEndsForHugeOrMeaninglessLengths)
{
    const GeoEllipse e{5, 5, 20, 10, 30};
    const auto started = std::chrono::steady_clock::now();
    for (double length : {1e12, 1e300, Inf, NaN}) {
        const PointResult p = PointAlongEllipse(1, e, 25, 5, length);
        ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << length;
        EXPECT_LT(OffEllipse(e, p.x, p.y), 1e-9) << length;
    }
    // Both radii zero: the walk cannot advance and must not try forever.
    const PointResult p = PointAlongEllipse(1, {5, 5, 0, 0, 0}, 25, 5, 10);
    EXPECT_EQ(p.x, 5);
    EXPECT_EQ(p.y, 5);
    // Direction 0 does not move.
    const PointResult still = PointAlongEllipse(0, {0, 0, 10, 10, 0}, 10, 0, 10);
    EXPECT_NEAR(still.x, 10, 1e-12);
    // Not a timing test: a runaway walk of 1e15 steps would never get here.
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(30));
}

TEST(GeometryEllipses, AxisEnds)
{
    const EllipseAxisPoints a = EllipseAxisEnds(1, 2, 20, 10, 90);
    EXPECT_NEAR(a.firstX[0], 1, 1e-12);
    EXPECT_NEAR(a.firstY[0], 22, 1e-12);
    EXPECT_NEAR(a.firstX[1], 1, 1e-12);
    EXPECT_NEAR(a.firstY[1], -18, 1e-12);
    EXPECT_NEAR(a.secondX[0], -9, 1e-12);
    EXPECT_NEAR(a.secondY[0], 2, 1e-12);
    EXPECT_NEAR(a.secondX[1], 11, 1e-12);
    EXPECT_NEAR(a.secondY[1], 2, 1e-12);
}

TEST(GeometryEllipses, ArcLengths)
{
    EXPECT_NEAR(EllipseArcLength(0, 2 * Pi, 10, 10), 20 * Pi, 1e-9);
    // Perimeter of the 20 × 10 ellipse.
    EXPECT_NEAR(EllipseArcLength(0, 2 * Pi, 20, 10), 96.88448220547, 1e-6);
    EXPECT_NEAR(EllipseArcLength(0, Pi / 2, 20, 10), 96.88448220547 / 4, 1e-6);
    EXPECT_NEAR(EllipseArcLength(Pi / 2, 0, 20, 10), -96.88448220547 / 4, 1e-6);

    const GeoEllipse circle{1, 1, 10, 10, 0};
    EXPECT_NEAR(EllipseArcLengthBetween(circle, 11, 1, 1, 11), 5 * Pi, 1e-9);
    EXPECT_NEAR(EllipseArcLengthBetween(circle, 1, 11, 11, 1), 15 * Pi, 1e-9);
    // Points off the ellipse count by their directions.
    EXPECT_NEAR(EllipseArcLengthBetween({0, 0, 20, 10, 0}, 50, 0, 0, 3), 96.88448220547 / 4, 1e-6);
}

TEST(GeometryEllipses, EllipticArcEndPointsReadTheAnglesAsDirections)
{
    PointSet<2> s = EllipticArcEndPoints({0, 0, 20, 10, 90}, 90, 180);
    EXPECT_NEAR(s.x[0], 0, 1e-9);
    EXPECT_NEAR(s.y[0], 20, 1e-9);
    EXPECT_NEAR(s.x[1], -10, 1e-9);
    EXPECT_NEAR(s.y[1], 0, 1e-9);

    // The end point lies in the direction given, not at that parameter.
    const GeoEllipse e{3, 4, 20, 10, 25};
    s = EllipticArcEndPoints(e, 60, 200);
    for (int i = 0; i < 2; ++i) {
        EXPECT_LT(OffEllipse(e, s.x[i], s.y[i]), 1e-12);
        const double dir = std::atan2(s.y[i] - 4, s.x[i] - 3) / Deg;
        EXPECT_NEAR(std::fmod(dir + 360, 360), i == 0 ? 60 : 200, 1e-9);
    }
}

TEST(GeometryEllipses, EllipticArcBoundsFarFromTheOrigin)
{
    // Boxes must not be clamped by the first guess of their extent.
    struct Case {
        double cx, cy;
    };
    for (const Case k : {Case{2e7, 2e7}, Case{-2e6, -2e6}, Case{0, 0}}) {
        SCOPED_TRACE(std::to_string(k.cx));
        const GeoBox box = EllipticArcBounds({{k.cx, k.cy, 10, 10, 0}, 0, 90});
        EXPECT_EQ(box.status, 0);
        EXPECT_NEAR(box.minX, k.cx, 1e-6);
        EXPECT_NEAR(box.minY, k.cy, 1e-6);
        EXPECT_NEAR(box.maxX, k.cx + 10, 1e-6);
        EXPECT_NEAR(box.maxY, k.cy + 10, 1e-6);
    }
}

TEST(GeometryEllipses, EllipticArcBoundsOfTurnedArcs)
{
    // The upper half of a 20 × 10 ellipse, unturned and turned by 180 (the
    // same arc once the angles are turned too).
    GeoBox box = EllipticArcBounds({{0, 0, 20, 10, 0}, 0, 180});
    EXPECT_NEAR(box.minX, -20, 0.05);
    EXPECT_NEAR(box.maxX, 20, 1e-9);
    EXPECT_NEAR(box.minY, 0, 0.5);
    EXPECT_NEAR(box.maxY, 10, 1e-2);
    const GeoBox turned = EllipticArcBounds({{0, 0, 20, 10, 180}, 0, 180});
    EXPECT_NEAR(turned.minX, box.minX, 1e-9);
    EXPECT_NEAR(turned.maxY, box.maxY, 1e-9);

    // Across zero: from 300 to 30 on a circle.
    box = EllipticArcBounds({{0, 0, 10, 10, 0}, 300, 30});
    EXPECT_NEAR(box.maxX, 10, 1e-3); // between two samples
    EXPECT_NEAR(box.minY, -10 * std::sin(60 * Deg), 1e-9);
    EXPECT_NEAR(box.maxY, 10 * std::sin(30 * Deg), 1e-9);
    EXPECT_NEAR(box.minX, 5, 1e-9);
}

TEST(GeometryEllipses, EllipticArcBoundsHoldTheArcsEndPoint)
{
    // Samples every 0.05 of the parameter stop short of the end; a large arc
    // must still have its end point inside its box.
    const GeoEllipticArc arc{{0, 0, 1000, 500, 0}, 0, 90};
    const GeoBox box = EllipticArcBounds(arc);
    const PointSet<2> ends = EllipticArcEndPoints(arc.ellipse, arc.start, arc.end);
    for (int i = 0; i < 2; ++i) {
        EXPECT_GE(ends.x[i], box.minX - 1e-9);
        EXPECT_LE(ends.x[i], box.maxX + 1e-9);
        EXPECT_GE(ends.y[i], box.minY - 1e-9);
        EXPECT_LE(ends.y[i], box.maxY + 1e-9);
    }
}

TEST(GeometryEllipses, EllipticArcBoundsOfMeaninglessValuesAreRefused)
{
    EXPECT_EQ(EllipticArcBounds({{0, 0, 10, 10, 0}, NaN, 90}).status, -1);
    EXPECT_EQ(EllipticArcBounds({{Inf, 0, 10, 10, 0}, 0, 90}).status, -1);
    EXPECT_EQ(EllipticArcBounds({{0, 0, 10, 10, Inf}, 0, 90}).status, -1);
}

TEST(GeometryEllipses, IsPointOnEllipticArc)
{
    auto at = [](double t) { return GeoPoint{20 * std::cos(t * Deg), 10 * std::sin(t * Deg)}; };
    struct Case {
        const char* name;
        double start, end;
        GeoPoint p;
        int result;
    };
    const Case cases[] = {
        {"inside 0 to 90", 0, 90, at(45), 1},
        {"outside 0 to 90", 0, 90, at(200), 0},
        {"at the start", 0, 90, at(0), 1},
        {"at the end", 0, 90, at(90), 1},
        {"off the ellipse", 0, 90, {15, 7}, 0},
        {"across zero, inside", 300, 30, at(350), 1},
        {"across zero, inside after zero", 300, 30, at(10), 1},
        {"across zero, outside", 300, 30, at(180), 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        EXPECT_EQ(IsPointOnEllipticArc(20, 10, 0, k.start, k.end, k.p.x, k.p.y, 0, 0), k.result);
    }
    // The arc's angles are directions: the point in direction 40 lies on an
    // arc ending at direction 40 (its parameter is larger than 40).
    const double t40 = std::atan2(std::sin(40 * Deg) / 10, std::cos(40 * Deg) / 20) / Deg;
    const GeoPoint p40 = at(t40);
    EXPECT_EQ(IsPointOnEllipticArc(20, 10, 0, 0, 40, p40.x, p40.y, 0, 0), 1);
    const GeoPoint beyond = at(t40 + 1);
    EXPECT_EQ(IsPointOnEllipticArc(20, 10, 0, 0, 40, beyond.x, beyond.y, 0, 0), 0);
}

} // namespace
