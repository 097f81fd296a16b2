#include "model/GeometryLines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr double Pi = 3.14159265358979323846;

TEST(GeometryLines, LineFromPointsSnapsNearlyAxisLinesAndKeepsOrientation)
{
    struct Case {
        double x1, y1, x2, y2;
        int status;
        double a, b, c;
    };
    const Case cases[] = {
        {0, 0, 10, 0.4, 0, 0, -1, 0},   // nearly horizontal, running right
        {10, 0, 0, 0.3, 0, 0, 1, 0},    // nearly horizontal, running left
        {0, 5, 10, 5.49, 0, 0, -1, 5},  // c carries y1
        {0, 0, 0.4, 10, 0, 1, 0, 0},    // nearly vertical, running up
        {3, 10, 3.3, 0, 0, -1, 0, 3},   // nearly vertical, running down
        {0, 0, 10, 5, 0, 5, -10, 0},    // general
        {1, 2, 3, 7, 0, 5, -2, -1},     // general, c = y1·x2 − x1·y2
        {0, 0, 10, 0.5, 0, 0.5, -10, 0}, // 0.5 is no longer horizontal
        {4, 4, 4, 4, -1, 0, 0, 0},      // identical points
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::to_string(k.x1) + "," + std::to_string(k.y1) + " -> " + std::to_string(k.x2) + "," +
                     std::to_string(k.y2));
        const LineResult r = LineFromPoints(k.x1, k.y1, k.x2, k.y2);
        EXPECT_EQ(r.status, k.status);
        EXPECT_DOUBLE_EQ(r.a, k.a);
        EXPECT_DOUBLE_EQ(r.b, k.b);
        EXPECT_DOUBLE_EQ(r.c, k.c);
    }
}

TEST(GeometryLines, SnappedLineKeepsTheSideOfTheGeneralFormula)
{
    // Just past the snapping limit the general formula decides the signs;
    // just inside it the snapped line must point the same way.
    for (double dx : {10.0, -10.0}) {
        const LineResult general = LineFromPoints(0, 0, dx, 0.6);
        const LineResult snapped = LineFromPoints(0, 0, dx, 0.4);
        EXPECT_GT(general.b * snapped.b, 0.0) << dx;
    }
    for (double dy : {10.0, -10.0}) {
        const LineResult general = LineFromPoints(0, 0, 0.6, dy);
        const LineResult snapped = LineFromPoints(0, 0, 0.4, dy);
        EXPECT_GT(general.a * snapped.a, 0.0) << dy;
    }
}

TEST(GeometryLines, IntersectLinesParallelAndNearlyParallel)
{
    struct Case {
        const char* name;
        double a1, b1, c1, a2, b2, c2;
        int status;
        double x, y;
    };
    const Case cases[] = {
        {"y=0 and y=1", 0, 1, 0, 0, 1, -1, -1, 0, 0},
        {"x-y=0 and x+y-2=0", 1, -1, 0, 1, 1, -2, 0, 1, 1},
        {"det 0.01, normals 1e-4 apart", 1, 0, 0, 100, 0.01, 5, -2, 0, 0},
        {"det -0.01, normals pi+1e-4 apart", 100, -0.01, 0, -1, 0, 5, -2, 0, 0},
        {"small det, perpendicular normals", 0.1, 0, 0, 0, 0.1, -0.1, 0, 0, 1},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const PointResult r = IntersectLines(k.a1, k.b1, k.c1, k.a2, k.b2, k.c2);
        EXPECT_EQ(r.status, k.status);
        EXPECT_NEAR(r.x, k.x, 1e-9);
        EXPECT_NEAR(r.y, k.y, 1e-9);
    }
}

TEST(GeometryLines, IntersectLinesComparesOnlyPlusPiForOppositeNormals)
{
    // Normals differing by -pi + 1e-4 are not taken as parallel: the lines are
    // crossed, far away.
    const PointResult r = IntersectLines(1, 0, 0, -100, -0.01, 5);
    EXPECT_EQ(r.status, 0);
    EXPECT_NEAR(r.x, 0.0, 1e-9);
    EXPECT_NEAR(r.y, 500.0, 1e-6);
}

TEST(GeometryLines, PerpendicularFootAndMirror)
{
    PointResult f = PerpendicularFoot(5, 5, 0, 1, 0);
    EXPECT_EQ(f.status, 0);
    EXPECT_DOUBLE_EQ(f.x, 5);
    EXPECT_DOUBLE_EQ(f.y, 0);
    f = PerpendicularFoot(2, 0, 1, -1, 0);
    EXPECT_DOUBLE_EQ(f.x, 1);
    EXPECT_DOUBLE_EQ(f.y, 1);
    f = PerpendicularFoot(5, 5, 0.005, 0.005, 1);
    EXPECT_EQ(f.status, -1);
    EXPECT_EQ(f.x, 0);
    EXPECT_EQ(f.y, 0);

    PointResult m = MirrorPoint(1, 2, 1, -1, 0);
    EXPECT_EQ(m.status, 0);
    EXPECT_DOUBLE_EQ(m.x, 2);
    EXPECT_DOUBLE_EQ(m.y, 1);
    m = MirrorPoint(3, 4, 0, 1, -10); // y = 10
    EXPECT_DOUBLE_EQ(m.x, 3);
    EXPECT_DOUBLE_EQ(m.y, 16);
    m = MirrorPoint(3, 4, 0, 0, 1);
    EXPECT_EQ(m.status, 1);
}

TEST(GeometryLines, ParallelLineTowardsLiesOnThePointsSide)
{
    struct Case {
        double a, b, c, distance, px, py, expectC;
    };
    const Case cases[] = {
        {0, 1, 0, 3, 4, 10, -3},  // y = 0, P above: y = 3
        {0, 1, 0, 3, 4, -10, 3},  // P below: y = -3
        {1, 0, -5, 2, 0, 1, -3},  // x = 5, P left: x = 3
        {-2, 0, 10, 1, 9, 0, 12}, // x = 5 (normal -2), P right: x = 6
    };
    for (const Case& k : cases) {
        const LineResult r = ParallelLineTowards(k.a, k.b, k.c, k.distance, k.px, k.py);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.a, k.a);
        EXPECT_EQ(r.b, k.b);
        EXPECT_NEAR(r.c, k.expectC, 1e-12);
    }
}

TEST(GeometryLines, ParallelLineTowardsAPointOnTheLineIsRefusedNotDividedByZero)
{
    const LineResult r = ParallelLineTowards(1, -1, 0, 5, 3, 3);
    EXPECT_EQ(r.status, -1);
    EXPECT_EQ(r.a, 1);
    EXPECT_EQ(r.b, -1);
    EXPECT_EQ(r.c, 0);
}

TEST(GeometryLines, PointOnLineAtDistanceMovesTowardsTheSegmentsSecondPoint)
{
    struct Segment {
        double x1, y1, x2, y2;
    };
    const Segment segments[] = {
        {0, 0, 10, 0},   {10, 0, 0, 0},   {0, 0, 0, 10},  {0, 10, 0, 0},   {0, 0, 10, 10},
        {0, 0, -10, 10}, {0, 0, -10, -10}, {0, 0, 10, -10}, {2, 1, 30, 7}, {2, 1, -30, -7},
        {2, 1, 5, 40},   {2, 1, -5, -40},
    };
    for (const Segment& s : segments) {
        SCOPED_TRACE(std::to_string(s.x2) + "," + std::to_string(s.y2));
        const LineResult line = LineFromPoints(s.x1, s.y1, s.x2, s.y2);
        const int code = DirectionCode(s.x1, s.y1, s.x2, s.y2);
        const PointResult p = PointOnLineAtDistance(code, s.x1, s.y1, line.a, line.b, line.c, 5.0);
        ASSERT_EQ(p.status, 0);
        const double len = std::hypot(s.x2 - s.x1, s.y2 - s.y1);
        EXPECT_NEAR(p.x, s.x1 + 5.0 * (s.x2 - s.x1) / len, 1e-9);
        EXPECT_NEAR(p.y, s.y1 + 5.0 * (s.y2 - s.y1) / len, 1e-9);
    }
}

TEST(GeometryLines, PointOnLineAtDistanceRefusals)
{
    // Off the line by more than 0.5.
    PointResult p = PointOnLineAtDistance(DirectionRight, 0, 0.6, 0, -1, 0, 5);
    EXPECT_EQ(p.status, -1);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0.6);
    // Within 0.5 it moves.
    p = PointOnLineAtDistance(DirectionRight, 0, 0.4, 0, -1, 0, 5);
    EXPECT_EQ(p.status, 0);
    EXPECT_DOUBLE_EQ(p.x, 5);
    // A line without direction: refused, nothing divided by zero.
    p = PointOnLineAtDistance(DirectionUp, 1, 2, 0, 0, 0, 5);
    EXPECT_EQ(p.status, -1);
    EXPECT_EQ(p.x, 1);
    EXPECT_EQ(p.y, 2);
    // A code that names no direction leaves the point where it is.
    p = PointOnLineAtDistance(7, 0, 0, 0, -1, 0, 5);
    EXPECT_EQ(p.status, 0);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
    // Up and down along a horizontal line: sign(a) = 0 keeps the point.
    p = PointOnLineAtDistance(DirectionUp, 3, 0, 0, -1, 0, 5);
    EXPECT_EQ(p.x, 3);
    EXPECT_EQ(p.y, 0);
}

TEST(GeometryLines, DirectionCodes)
{
    struct Case {
        double dx, dy;
        int code;
    };
    const Case cases[] = {
        {1, 1, DirectionRight},   {-1, 1, DirectionUp},       {-1, -1, DirectionDown},  {1, -1, DirectionRight},
        {0.00005, 0.00005, -1},   {1, 0, DirectionRight},     {0, 1, DirectionUp},      {-1, 0, DirectionLeft},
        {0, -1, DirectionDown},   {0.00005, 0.0002, DirectionUp}, {-5, 0.1, DirectionLeft}, {-5, -0.1, DirectionLeft},
        {1, 1.0001, DirectionUp}, {1, -1.0001, DirectionDown},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(DirectionCode(10, 20, 10 + k.dx, 20 + k.dy), k.code) << k.dx << "," << k.dy;
    }
}

TEST(GeometryLines, DistancesAndPointsTowards)
{
    DistanceResult d = PointDistance(1, 1, 4, 5);
    EXPECT_EQ(d.status, 0);
    EXPECT_DOUBLE_EQ(d.distance, 5);
    d = PointDistance(1, 1, 1, 1);
    EXPECT_EQ(d.status, -1);
    EXPECT_EQ(d.distance, 0);

    GeoPoint p = PointTowards(0, 0, 3, 4, 10);
    EXPECT_DOUBLE_EQ(p.x, 6);
    EXPECT_DOUBLE_EQ(p.y, 8);
    p = PointTowards(2, 3, 2, 3, 10);
    EXPECT_EQ(p.x, 2);
    EXPECT_EQ(p.y, 3);
}

TEST(GeometryLines, OffsetPointFromSegmentModes)
{
    struct Case {
        int mode;
        double x, y;
    };
    const Case cases[] = {{-1, 0, -2}, {-7, 0, -2}, {0, 2, 0}, {1, 0, 2}, {3, 0, 2}};
    for (const Case& k : cases) {
        const PointResult r = OffsetPointFromSegment(k.mode, 0, 0, 10, 0, 2);
        EXPECT_EQ(r.status, 0);
        EXPECT_DOUBLE_EQ(r.x, k.x) << k.mode;
        EXPECT_DOUBLE_EQ(r.y, k.y) << k.mode;
    }
    EXPECT_EQ(OffsetPointFromSegment(0, 0, 0, 0.3, 0.3, 2).status, 1);
}

TEST(GeometryLines, AngleBetweenIsNotNormalised)
{
    EXPECT_DOUBLE_EQ(AngleBetween(1, 0, 0, 1), Pi / 2);
    EXPECT_DOUBLE_EQ(AngleBetween(0, 1, 1, 0), -Pi / 2);
    EXPECT_DOUBLE_EQ(AngleBetween(0, -1, -1, 0), 1.5 * Pi);
}

TEST(GeometryLines, IsPointOnSegmentTolerances)
{
    struct Case {
        double px, py;
        int result;
    };
    const Case cases[] = {
        {5, 0.4, 0}, {10.0004, 0, 0}, {5, 0.6, -1}, {10.001, 0, -1}, {-0.0004, 0, 0},
        {-0.001, 0, -1}, {0, 0, 0}, {5, 0.5, 0}, {10, 0.5, -1}, {15, 0, -1},
    };
    for (const Case& k : cases)
        EXPECT_EQ(IsPointOnSegment(k.px, k.py, 0, 0, 10, 0), k.result) << k.px << "," << k.py;
    EXPECT_EQ(IsPointOnSegment(1, 1, 1, 1, 1.00005, 1.00005), -1);
    EXPECT_EQ(IsPointOnSegment(std::numeric_limits<double>::quiet_NaN(), 0, 0, 0, 10, 0), -1);
}

} // namespace
