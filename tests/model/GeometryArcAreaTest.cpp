#include "model/GeometryArcArea.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double Deg = Pi / 180.0;

TEST(GeometryArcArea, HalvesOfACircleAboveTheAxis)
{
    const AreaCentroid upper = ArcEdgeAreaAndCentroid(1, 1, 10, -1, 10, 0, 10, 1);
    EXPECT_EQ(upper.status, 0);
    EXPECT_NEAR(upper.area, 20 + Pi / 2, 1e-12);
    // The rectangle under the chord with the half disc on top.
    EXPECT_NEAR(upper.cx, 0, 1e-12);
    EXPECT_NEAR(upper.cy, (20 * 5 + Pi / 2 * (10 + 4 / (3 * Pi))) / (20 + Pi / 2), 1e-9);

    const AreaCentroid lower = ArcEdgeAreaAndCentroid(1, -1, 10, 1, 10, 0, 10, 1);
    EXPECT_NEAR(lower.area, -20 + Pi / 2, 1e-12);
    EXPECT_NEAR(upper.area + lower.area, Pi, 1e-12);
}

TEST(GeometryArcArea, ZeroSweepGivesNothing)
{
    const AreaCentroid r = ArcEdgeAreaAndCentroid(1, 3, 12, 3, 12, 3, 10, 2);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.area, 0);
    EXPECT_EQ(r.cx, 0);
    EXPECT_EQ(r.cy, 0);
}

// A whole circle closed from two arcs split at the directions a and b must add
// up to the disc: area ±πr² and, weighted by area, the circle's centre. This
// runs every way of splitting an edge (one, two and three pieces, ends at the
// centre's height or not).
TEST(GeometryArcArea, TwoArcsOfACircleAddUpToTheDisc)
{
    struct Split {
        double a, b;
    };
    const Split splits[] = {
        {0, 180}, {180, 0}, {45, 135}, {135, 45}, {30, 300}, {300, 30}, {200, 340}, {340, 200},
        {10, 20}, {0, 90}, {90, 270}, {180, 359}, {250, 100}, {170, 10},
    };
    struct Circle {
        double cx, cy, r;
    };
    const Circle circles[] = {{3, 10, 2}, {-4, 25, 7}, {1, -30, 5}, {0, 1, 3}};
    for (const Circle& c : circles) {
        for (const Split& s : splits) {
            for (int direction : {1, -1}) {
                SCOPED_TRACE("circle " + std::to_string(c.cx) + "," + std::to_string(c.cy) + " split " +
                             std::to_string(s.a) + "/" + std::to_string(s.b) + " direction " +
                             std::to_string(direction));
                const double xa = c.cx + c.r * std::cos(s.a * Deg), ya = c.cy + c.r * std::sin(s.a * Deg);
                const double xb = c.cx + c.r * std::cos(s.b * Deg), yb = c.cy + c.r * std::sin(s.b * Deg);
                const AreaCentroid e1 = ArcEdgeAreaAndCentroid(direction, xa, ya, xb, yb, c.cx, c.cy, c.r);
                const AreaCentroid e2 = ArcEdgeAreaAndCentroid(direction, xb, yb, xa, ya, c.cx, c.cy, c.r);
                const double area = e1.area + e2.area;
                EXPECT_NEAR(area, direction * Pi * c.r * c.r, 1e-9);
                EXPECT_NEAR((e1.area * e1.cx + e2.area * e2.cx) / area, c.cx, 1e-6);
                EXPECT_NEAR((e1.area * e1.cy + e2.area * e2.cy) / area, c.cy, 1e-6);
            }
        }
    }
}

TEST(GeometryArcArea, QuarterDiscClosedByStraightEdges)
{
    // The quarter disc about (0, 10) from (1, 10) to (0, 11), closed by the
    // two radii. Straight edges contribute their trapezoids.
    const AreaCentroid arc = ArcEdgeAreaAndCentroid(1, 1, 10, 0, 11, 0, 10, 1);
    auto trapezoid = [](double xs, double ys, double xe, double ye) { return (xs - xe) * (ys + ye) / 2; };
    const double area = arc.area + trapezoid(0, 11, 0, 10) + trapezoid(0, 10, 1, 10);
    EXPECT_NEAR(area, Pi / 4, 1e-12);
    // Centroid of the quarter disc: 4r/(3π) from both radii.
    const double t3 = trapezoid(0, 10, 1, 10);
    const double cx = (arc.area * arc.cx + t3 * 0.5) / area;
    const double cy = (arc.area * arc.cy + t3 * 5) / area;
    EXPECT_NEAR(cx, 4 / (3 * Pi), 1e-9);
    EXPECT_NEAR(cy, 10 + 4 / (3 * Pi), 1e-9);
}

} // namespace
