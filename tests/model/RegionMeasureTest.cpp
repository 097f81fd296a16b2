#include "model/RegionMeasure.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double Pi = std::numbers::pi;

// Length of the ellipse between two directions by summing short chords of
// the curve, found direction by direction.
double ChordLength(const GeoEllipse& e, double fromDeg, double toDeg)
{
    const double phi = e.rotation * Pi / 180.0;
    auto at = [&](double deg) {
        const double th = deg * Pi / 180.0 - phi;
        const double r = 1.0 / std::sqrt(std::pow(std::cos(th) / e.r1, 2) + std::pow(std::sin(th) / e.r2, 2));
        return GeoPoint{e.cx + r * std::cos(th + phi), e.cy + r * std::sin(th + phi)};
    };
    constexpr int Steps = 400000;
    double sum = 0.0;
    GeoPoint prev = at(fromDeg);
    for (int i = 1; i <= Steps; ++i) {
        const GeoPoint p = at(fromDeg + (toDeg - fromDeg) * i / Steps);
        sum += std::hypot(p.x - prev.x, p.y - prev.y);
        prev = p;
    }
    return sum;
}

TEST(RegionMeasure, EllipseAndEllipticArcLengths)
{
    EXPECT_NEAR(EllipsePerimeter(10, 10), 20 * Pi, 1e-9);
    EXPECT_NEAR(EllipsePerimeter(20, 10), ChordLength({0, 0, 20, 10, 0}, 0, 360), 1e-6);
    EXPECT_NEAR(EllipsePerimeter(10, 20), EllipsePerimeter(20, 10), 1e-12);
    EXPECT_EQ(EllipsePerimeter(0, 0), 0.0);

    const GeoEllipticArc arc{{5, -3, 20, 10, 30}, 30, 120};
    EXPECT_NEAR(EllipticArcLength(arc), ChordLength(arc.ellipse, 30, 120), 1e-6);
    // Across the zero direction.
    const GeoEllipticArc wrapped{{0, 0, 20, 10, 30}, 300, 60};
    EXPECT_NEAR(EllipticArcLength(wrapped), ChordLength(wrapped.ellipse, 300, 420), 1e-6);
}

TEST(RegionMeasure, ArcLengthBetweenJunctionsFollowsTheWayTheBoundaryRuns)
{
    struct Case {
        const char* name;
        BoundaryArc arc;
        double px, py, qx, qy;
        int walk;
        double length;
    };
    const BoundaryArc quarter{0, 0, 10, 0, 90, 1};
    const BoundaryArc clockwise{0, 0, 10, 90, 0, -1};
    const BoundaryArc half{0, 0, 10, 0, 180, 1};
    const Case cases[] = {
        {"entered at the start", quarter, 10, 0, 0, 10, 1, 5 * Pi},
        {"entered at the end", quarter, 0, 10, 10, 0, -1, 5 * Pi},
        {"clockwise arc entered at its start", clockwise, 0, 10, 10, 0, -1, 5 * Pi},
        {"clockwise arc entered at its end", clockwise, 10, 0, 0, 10, 1, 5 * Pi},
        {"only between the junctions", half, 10, 0, 0, 10, 1, 5 * Pi},
        {"from the far end to a middle junction", half, -10, 0, 0, 10, -1, 5 * Pi},
        {"the same junction", quarter, 10, 0, 10.2, 0.3, 1, 0},
        {"a junction off the circle", quarter, 10, 0, 0, 12, 1, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ArcWalkDirection(c.arc, c.px, c.py), c.walk) << c.name;
        EXPECT_NEAR(ArcLengthBetweenJunctions(c.arc, c.px, c.py, c.qx, c.qy), c.length, 1e-9) << c.name;
    }
}

TEST(RegionMeasure, AreaAndCentroidOfRegions)
{
    using V = std::vector<GeoPoint>;
    using E = std::vector<RegionEdge>;
    const E four(4), three(3);
    struct Case {
        const char* name;
        V vertices;
        E edges;
        int status;
        double area, cx, cy;
    };
    E halfDisk{RegionEdge{}, RegionEdge{1, 0, 0, 10, {}}};
    E halfDiskBack{RegionEdge{-1, 0, 0, 10, {}}, RegionEdge{}};
    E bent{RegionEdge{}, RegionEdge{0, 0, 0, 0, {{10, 10}}}, RegionEdge{}};
    const Case cases[] = {
        {"rectangle counter-clockwise", {{0, 0}, {100, 0}, {100, 50}, {0, 50}}, four, 0, 5000, 50, 25},
        {"rectangle clockwise", {{0, 0}, {0, 50}, {100, 50}, {100, 0}}, four, 0, 5000, 50, 25},
        {"rectangle below the axis", {{0, -60}, {100, -60}, {100, -10}, {0, -10}}, four, 0, 5000, 50, -35},
        {"triangle", {{0, 0}, {30, 0}, {0, 30}}, three, 0, 450, 10, 10},
        {"half disk", {{-10, 0}, {10, 0}}, halfDisk, 0, 50 * Pi, 0, 40 / (3 * Pi)},
        {"half disk walked clockwise", {{-10, 0}, {10, 0}}, halfDiskBack, 0, 50 * Pi, 0, 40 / (3 * Pi)},
        {"lower half disk", {{10, 0}, {-10, 0}}, halfDiskBack, 0, 50 * Pi, 0, -40 / (3 * Pi)},
        {"a polyline edge", {{0, 0}, {10, 0}, {0, 10}}, bent, 0, 100, 5, 5},
        {"degenerate", {{0, 0}, {10, 0}, {20, 0}}, three, -2, 0, 0, 0},
        {"no edges", {{0, 0}, {10, 0}}, {}, -1, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const AreaCentroid a = RegionArea(c.vertices, c.edges);
        EXPECT_EQ(a.status, c.status) << c.name;
        if (c.status != 0)
            continue;
        EXPECT_NEAR(a.area, c.area, 1e-6) << c.name;
        EXPECT_NEAR(a.cx, c.cx, 1e-6) << c.name;
        EXPECT_NEAR(a.cy, c.cy, 1e-6) << c.name;
    }
}

TEST(RegionMeasure, EllipticArcWalkGoesTheShortWayFromTheEndEntered)
{
    // A quarter of the ellipse from direction 0 to 90.
    const GeoEllipticArc arc{{0, 0, 20, 10, 0}, 0, 90};
    const auto forward = EllipticArcWalk(arc, 20, 0, 0, 10);
    ASSERT_EQ(forward.size(), 257u);
    const auto back = EllipticArcWalk(arc, 0, 10, 20, 0);
    for (std::size_t i = 1; i + 1 < forward.size(); ++i) {
        EXPECT_GT(forward[i].x, 0.0);
        EXPECT_GT(forward[i].y, 0.0);
        EXPECT_NEAR(forward[i].x, back[forward.size() - 1 - i].x, 1e-9);
        EXPECT_NEAR(std::pow(forward[i].x / 20, 2) + std::pow(forward[i].y / 10, 2), 1.0, 1e-9);
    }
}

} // namespace
