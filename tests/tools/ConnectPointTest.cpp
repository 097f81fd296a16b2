// Where two consecutive boundary pieces meet, and the polyline segment
// nearest a point.

#include "view/DrawTool.h"

#include "model/Entity.h"
#include "model/GeometryCircles.h"
#include "model/GeometryLines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

CEntity Line(double x1, double y1, double x2, double y2, int16_t type = EntityType::Line)
{
    CEntity e;
    e.type = type;
    e.codes = {10, 20, 11, 22};
    e.values = {x1, y1, x2, y2};
    e.count = 4;
    return e;
}

CEntity Arc(double cx, double cy, double r, double start, double end, int16_t direction = 1)
{
    CEntity e;
    e.type = EntityType::Arc;
    e.subtype = direction;
    e.codes = {10, 20, 40, 50, 51};
    e.values = {cx, cy, r, start, end};
    e.count = 5;
    return e;
}

CEntity EllipticArc(double cx, double cy, double r1, double r2, double rotation, double start, double end)
{
    CEntity e;
    e.type = EntityType::EllipticArc;
    e.subtype = 1;
    e.codes = {10, 20, 60, 61, 62, 50, 51};
    e.values = {cx, cy, r1, r2, rotation, start, end};
    e.count = 7;
    return e;
}

struct Joint {
    int found = 0;
    double x = 0, y = 0;
};

Joint Connect(const CEntity& a, const CEntity& b, double rx, double ry)
{
    Joint j;
    j.x = rx;
    j.y = ry;
    j.found = CDrawTool::FindConnectPoint(&a, &b, j.x, j.y);
    return j;
}

} // namespace

TEST(ConnectPoint, TwoLines)
{
    const CEntity base = Line(0, 0, 10, 0);
    // Parallel, overlapping and nearly parallel lines do not meet.
    EXPECT_EQ(Connect(base, Line(0, 5, 10, 5), 3, 3).found, 0);
    EXPECT_EQ(Connect(base, Line(10, 0, 5, 0), 3, 3).found, 0);
    EXPECT_EQ(Connect(base, Line(0, 0.00001, 100000, 0.0), 3, 3).found, 0);
    EXPECT_EQ(Connect(base, Line(10.01, 0, 20, 0), 3, 3).found, 0);

    // Touching only at a shared end point.
    Joint j = Connect(base, Line(10, 0, 10, 10), 3, 3);
    EXPECT_EQ(j.found, 1);
    EXPECT_NEAR(j.x, 10, 1e-9);
    EXPECT_NEAR(j.y, 0, 1e-9);

    // One straight side in two pieces, meeting end to end whichever way
    // each runs: they meet at the shared end.
    struct Split {
        CEntity a, b;
        double x, y;
    } splits[] = {
        {base, Line(10, 0, 20, 0), 10, 0},
        {base, Line(20, 0, 10, 0), 10, 0},
        {base, Line(-10, 0, 0, 0), 0, 0},
        {Line(10, 0, 0, 0), Line(0, 0, -10, 0), 0, 0},
        {Line(0, 0, 30, 40), Line(30.001, 40.001, 60, 80), 30.001, 40.001},
    };
    for (const Split& s : splits) {
        j = Connect(s.a, s.b, 3, 3);
        EXPECT_EQ(j.found, 1) << s.b.values[0] << "," << s.b.values[1];
        EXPECT_EQ(j.x, s.x);
        EXPECT_EQ(j.y, s.y);
    }

    // Crossing inside both segments.
    j = Connect(base, Line(4, -5, 4, 5), 0, 0);
    EXPECT_EQ(j.found, 1);
    EXPECT_NEAR(j.x, 4, 1e-9);
    EXPECT_NEAR(j.y, 0, 1e-9);

    // The lines cross beyond the end of one of them; the point is left alone.
    j = Connect(base, Line(20, -5, 20, 5), 3, 3);
    EXPECT_EQ(j.found, 0);
    EXPECT_EQ(j.x, 3);
    EXPECT_EQ(j.y, 3);

    // Infinite lines are taken as the segments between their two points.
    EXPECT_EQ(Connect(Line(0, 0, 10, 0, EntityType::InfiniteLine), Line(4, -5, 4, 5), 0, 0).found, 1);
    EXPECT_EQ(Connect(Line(0, 0, 10, 0, EntityType::HorizontalInfiniteLine), Line(40, -5, 40, 5), 0, 0).found, 0);
}

TEST(ConnectPoint, LineAndArcMeetingOnce)
{
    // The line reaches into the left half of a circle about (20, 0): of the
    // crossings (15, 0) and (25, 0) only the first is on the segment.
    const CEntity line = Line(0, 0, 20, 0);
    const CEntity leftHalf = Arc(20, 0, 5, 90, 270);
    for (bool lineFirst : {true, false}) {
        SCOPED_TRACE(lineFirst);
        const Joint j = lineFirst ? Connect(line, leftHalf, 0, 0) : Connect(leftHalf, line, 0, 0);
        EXPECT_EQ(j.found, 1);
        EXPECT_NEAR(j.x, 15, 1e-9);
        EXPECT_NEAR(j.y, 0, 1e-9);
    }

    // The line misses the circle, or meets it only beyond its own end.
    EXPECT_EQ(Connect(Line(0, 10, 40, 10), leftHalf, 0, 0).found, 0);
    EXPECT_EQ(Connect(Line(0, 0, 10, 0), leftHalf, 0, 0).found, 0);

    // Both crossings on the segment but neither on the arc: the pieces do
    // not meet.
    const Joint j = Connect(Line(0, 3, 40, 3), Arc(20, 0, 5, 100, 120), 1, 1);
    EXPECT_EQ(j.found, 0);
    EXPECT_EQ(j.x, 1);
}

TEST(ConnectPoint, HalfDiscTakesTheSecondCandidateWhenTheReferenceIsOffTheCircle)
{
    // An arc over a diameter line: they meet at both ends of the arc. With
    // the reference far from the arc's circle both measures are 0, and the
    // second crossing of the line with the circle is the joint.
    const CEntity arc = Arc(0, 0, 10, 0, 180);
    const CEntity diameter = Line(-10, 0, 10, 0);
    const LineResult l = LineFromPoints(-10, 0, 10, 0);
    const PointSet<2> c = IntersectLineCircle(l.a, l.b, l.c, 0, 0, 10);
    ASSERT_EQ(c.count, 2);
    const Joint j = Connect(arc, diameter, 3, 0);
    EXPECT_EQ(j.found, 1);
    EXPECT_NEAR(j.x, c.x[1], 1e-9);
    EXPECT_NEAR(j.y, c.y[1], 1e-9);
}

TEST(ConnectPoint, ArcEndsMeetingOnBothPiecesFollowTheReference)
{
    // A diameter and its arc meet at (10, 0) and (-10, 0). The reference
    // (where the later piece was picked) chooses the joint near it, in
    // either order of the pieces and whichever way the line runs.
    const CEntity arc = Arc(0, 0, 10, 0, 180);
    const double nearLeftX = -std::sqrt(99.0), nearRightX = std::sqrt(99.0);
    for (const CEntity& line : {Line(-10, 0, 10, 0), Line(10, 0, -10, 0)}) {
        SCOPED_TRACE(line.values[0]);
        Joint j = Connect(line, arc, nearLeftX, 1);
        EXPECT_EQ(j.found, 1);
        EXPECT_NEAR(j.x, -10, 1e-6);
        j = Connect(line, arc, nearRightX, 1);
        EXPECT_EQ(j.found, 1);
        EXPECT_NEAR(j.x, 10, 1e-6);
        // The arc first: the reference lies on the line now.
        j = Connect(arc, line, -9.7, 0);
        EXPECT_EQ(j.found, 1);
        EXPECT_NEAR(j.x, -10, 1e-6);
        j = Connect(arc, line, 9.7, 0);
        EXPECT_EQ(j.found, 1);
        EXPECT_NEAR(j.x, 10, 1e-6);
    }
}

TEST(ConnectPoint, TwoArcs)
{
    // Quarter arcs about (0, 0) and (10, 10) meet at (10, 0) and (0, 10),
    // the ends of both.
    const CEntity a = Arc(0, 0, 10, 0, 90);
    const CEntity b = Arc(10, 10, 10, 180, 270);
    Joint j = Connect(a, b, 10.2, 0.1);
    EXPECT_EQ(j.found, 1);
    EXPECT_NEAR(j.x, 10, 1e-6);
    EXPECT_NEAR(j.y, 0, 1e-6);
    j = Connect(a, b, 0.1, 10.2);
    EXPECT_EQ(j.found, 1);
    EXPECT_NEAR(j.x, 0, 1e-6);
    EXPECT_NEAR(j.y, 10, 1e-6);

    // Only one crossing lies on the first arc.
    const CEntity low = Arc(0, 0, 10, 350, 30);
    j = Connect(low, b, 0, 0);
    EXPECT_EQ(j.found, 1);
    EXPECT_NEAR(j.x, 10, 1e-6);
    EXPECT_NEAR(j.y, 0, 1e-6);

    // Circles apart, or crossings on neither arc.
    EXPECT_EQ(Connect(a, Arc(50, 50, 5, 0, 90), 0, 0).found, 0);
    EXPECT_EQ(Connect(Arc(0, 0, 10, 100, 170), b, 0, 0).found, 0);
}

TEST(ConnectPoint, EllipticArcsMeetOnlyAtEnds)
{
    // The upper right quarter of an ellipse ends at (10, 0) and (0, 5).
    const CEntity quarter = EllipticArc(0, 0, 10, 5, 0, 0, 90);
    Joint j = Connect(quarter, Line(10.001, 0.002, 20, 0), 0, 0);
    EXPECT_EQ(j.found, 1);
    EXPECT_DOUBLE_EQ(j.x, 10.001);  // the second piece's end point
    EXPECT_DOUBLE_EQ(j.y, 0.002);
    j = Connect(Line(0, 5, -8, 5), quarter, 0, 0);
    EXPECT_EQ(j.found, 1);
    EXPECT_NEAR(j.x, 0, 1e-9);
    EXPECT_NEAR(j.y, 5, 1e-9);
    // A line crossing the ellipse away from its ends does not meet it.
    EXPECT_EQ(Connect(quarter, Line(5, -10, 5, 10), 0, 0).found, 0);
    EXPECT_EQ(Connect(quarter, Line(10.01, 0, 20, 0), 0, 0).found, 0);
}

TEST(ConnectPoint, OtherPiecesLeaveThePointAlone)
{
    CEntity point;
    point.type = EntityType::Point;
    point.codes = {10, 20};
    point.values = {1, 2};
    point.count = 2;
    for (const Joint& j : {Connect(point, Line(0, 0, 10, 0), 7, 8), Connect(Line(0, 0, 10, 0), point, 7, 8),
                           Connect(Arc(0, 0, 5, 0, 90), point, 7, 8)}) {
        EXPECT_EQ(j.found, 1);
        EXPECT_EQ(j.x, 7);
        EXPECT_EQ(j.y, 8);
    }
    // A piece too short for its type meets nothing.
    CEntity stub = Line(0, 0, 10, 0);
    stub.count = 2;
    EXPECT_EQ(Connect(stub, Line(10, 0, 10, 10), 7, 8).found, 0);
    EXPECT_EQ(CDrawTool::FindConnectPoint(nullptr, &stub, point.values[0], point.values[1]), 0);
}

TEST(NearestSegment, PerpendicularFootOnASegment)
{
    CEntity poly;
    poly.type = EntityType::Polygon;
    poly.values = {0, 0, 10, 0, 10, 10};
    poly.count = 6;
    struct Case {
        double x, y;
        int found;
        std::vector<double> segment;
    };
    const std::vector<Case> cases = {
        {5, 2, 1, {0, 0, 10, 0}},
        {12, 5, 1, {10, 0, 10, 10}},
        {5, 5, 1, {0, 0, 10, 0}},   // equally far from both: the first wins
        {-5, -5, 0, {0, 0, 0, 0}},  // the feet fall outside every segment
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        double x1 = -1, y1 = -1, x2 = -1, y2 = -1;
        EXPECT_EQ(CDrawTool::FindNearestSegment(&poly, c.x, c.y, x1, y1, x2, y2), c.found);
        EXPECT_EQ((std::vector<double>{x1, y1, x2, y2}), c.segment);
    }

    // Coincident points make no segment; an odd value count ignores the
    // last value.
    CEntity repeated;
    repeated.type = EntityType::FreehandCurve;
    repeated.values = {0, 0, 0, 0, 10, 0, 99};
    repeated.count = 7;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    EXPECT_EQ(CDrawTool::FindNearestSegment(&repeated, 3, 1, x1, y1, x2, y2), 1);
    EXPECT_EQ((std::vector<double>{x1, y1, x2, y2}), (std::vector<double>{0, 0, 10, 0}));
}

namespace {

// Two arcs of one circle meet at a shared end; two halves meet at both ends,
// and going from one to the other and back takes both, whichever way each
// half runs and wherever it was picked.
TEST(ConnectPoint, ArcsOfOneCircle)
{
    const struct {
        const char* name;
        CEntity a, b;
        bool meet;
    } cases[] = {
        {"quarter after quarter", Arc(0, 0, 10, 0, 90), Arc(0, 0, 10, 90, 180), true},
        {"apart", Arc(0, 0, 10, 0, 90), Arc(0, 0, 10, 180, 270), false},
        {"halves", Arc(0, 0, 10, 0, 180), Arc(0, 0, 10, 180, 360), true},
        {"halves against each other", Arc(0, 0, 10, 0, 180), Arc(0, 0, 10, 0, 180, -1), true},
        {"ends within half a unit", Arc(0, 0, 10, 0, 90), Arc(0.2, 0, 10, 90.5, 180), true},
    };
    for (const auto& c : cases) {
        const Joint there = Connect(c.a, c.b, 0, -10);
        EXPECT_EQ(there.found, c.meet ? 1 : 0) << c.name;
        if (!c.meet)
            continue;
        const Joint back = Connect(c.b, c.a, 0, 10);
        EXPECT_EQ(back.found, 1) << c.name;
        if (std::string(c.name) == "halves" || std::string(c.name) == "halves against each other") {
            EXPECT_GT(std::hypot(there.x - back.x, there.y - back.y), 19.0) << c.name;
        } else {
            EXPECT_NEAR(there.x, 0, 0.5) << c.name;
            EXPECT_NEAR(there.y, 10, 0.5) << c.name;
        }
    }
}

} // namespace
