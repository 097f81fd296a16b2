#include "SnapPointTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace snaptest;

namespace {

TEST(SnapPointList, APointEntityStoresOneNode)
{
    CEntityList list;
    CSnapPointList snaps;
    CEntity* p = AddRegistered(list, snaps, 10, {3, 4});
    ASSERT_EQ(snaps.Size(), 1u);
    const SnapPointRange nodes = snaps.EntityPoints(p);
    ASSERT_EQ(nodes.size(), 1u);
    EXPECT_EQ(nodes.first->entity, p);
    EXPECT_EQ(nodes.first->kind, SnapKind::Point);
    EXPECT_EQ(nodes.first->state, 0);
    EXPECT_EQ(nodes.first->x, 3);
    EXPECT_EQ(nodes.first->y, 4);
    EXPECT_EQ(snaps.AddPoint(1, 1, 1, nullptr), 1);
    EXPECT_EQ(snaps.Size(), 1u);
}

TEST(SnapPointList, KeyPointsByType)
{
    struct Case {
        int16_t type;
        std::initializer_list<double> values;
        std::vector<Node> expected;  // entity left null
    };
    const Case cases[] = {
        {20, {0, 0, 10, 20}, {{nullptr, 2, 0, 0, 0}, {nullptr, 3, 0, 10, 20}, {nullptr, 4, 0, 5, 10}}},
        {20, {1, 1, 1, 1}, {{nullptr, 2, 0, 1, 1}, {nullptr, 3, 0, 1, 1}}},  // no midpoint
        {21, {0, 0, 10, 0}, {}},
        {23, {0, 0, 10, 10}, {}},
        {26, {0, 0, 5, 5, 7, 1}, {{nullptr, 5, 0, 0, 0}, {nullptr, 6, 0, 7, 1}}},
        {30, {1, 2, 3}, {{nullptr, 7, 0, -2, 2}, {nullptr, 8, 0, 4, 2}, {nullptr, 9, 0, 1, -1}, {nullptr, 10, 0, 1, 5}}},
        {80, {0, 0, 4, 3}, {{nullptr, 17, 0, 0, 0}, {nullptr, 18, 0, 0, 3}, {nullptr, 19, 0, 4, 3}, {nullptr, 20, 0, 4, 0}}},
        {40, {0, 0, 5, 5, 0}, {}},
    };
    for (const Case& c : cases) {
        CEntityList list;
        CSnapPointList snaps;
        AddRegistered(list, snaps, c.type, c.values);
        const std::vector<Node> got = Nodes(snaps);
        ASSERT_EQ(got.size(), c.expected.size()) << "type " << c.type;
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].kind, c.expected[i].kind) << "type " << c.type << " node " << i;
            EXPECT_NEAR(got[i].x, c.expected[i].x, 1e-9);
            EXPECT_NEAR(got[i].y, c.expected[i].y, 1e-9);
        }
    }
}

TEST(SnapPointList, ControlPointCurveAndPolygonRegisterEveryVertex)
{
    CEntityList list;
    CSnapPointList snaps;
    CEntity* c = AddCurve(list, snaps, 24, {0, 0, 10, 5, 20, 0});
    CEntity* g = AddCurve(list, snaps, 90, {50, 50, 60, 50, 55, 60});
    EXPECT_EQ(NodesOf(snaps, c, SnapKind::LineStart).size(), 3u);
    EXPECT_EQ(NodesOf(snaps, g, SnapKind::LineStart).size(), 3u);
}

TEST(SnapPointList, NearlyLevelLineHasItsMidpointAtTheFirstPointsHeight)
{
    CEntityList list;
    CSnapPointList snaps;
    CEntity* l = AddRegistered(list, snaps, 20, {0, 0, 10, 0.4});
    const auto mid = NodesOf(snaps, l, SnapKind::LineMidpoint);
    ASSERT_EQ(mid.size(), 1u);
    EXPECT_NEAR(mid[0].x, std::sqrt(100.0 + 0.16) / 2.0, 1e-9);
    EXPECT_EQ(mid[0].y, 0.0);
}

TEST(SnapPointList, FullTurnArcGetsAxisPoints)
{
    for (auto [s, e] : {std::pair{0.0, 360.0}, {360.0, 0.0}, {45.2, 45.9}}) {
        CEntityList list;
        CSnapPointList snaps;
        AddRegistered(list, snaps, 31, {0, 0, 10, s, e}, 1);
        const auto got = Nodes(snaps);
        ASSERT_EQ(got.size(), 4u);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(got[i].kind, 7 + i);
    }
}

TEST(SnapPointList, QuarterArcGetsEndsAndTheQuadrantPointsOnIt)
{
    CEntityList list;
    CSnapPointList snaps;
    AddRegistered(list, snaps, 31, {0, 0, 10, 0, 90}, 1);
    const auto got = Nodes(snaps);
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[0].kind, SnapKind::ArcStart);
    EXPECT_NEAR(got[0].x, 10, 1e-9);
    EXPECT_NEAR(got[0].y, 0, 1e-9);
    EXPECT_EQ(got[1].kind, SnapKind::ArcEnd);
    EXPECT_NEAR(got[1].x, 0, 1e-9);
    EXPECT_NEAR(got[1].y, 10, 1e-9);
    EXPECT_EQ(got[2].kind, SnapKind::ArcQuadrant);
    EXPECT_EQ(got[2].x, 10);
    EXPECT_EQ(got[2].y, 0);
    EXPECT_EQ(got[3].kind, SnapKind::ArcQuadrant);
    EXPECT_EQ(got[3].x, 0);
    EXPECT_EQ(got[3].y, 10);
}

TEST(SnapPointList, ArcQuadrantsFollowTheArcsDirection)
{
    // Counter-clockwise from 45 to 225 passes the top (0, 10) and the left
    // (-10, 0); clockwise it passes the right and the bottom.
    CEntityList list;
    CSnapPointList snaps;
    CEntity* ccw = AddRegistered(list, snaps, 31, {0, 0, 10, 45, 225}, 1);
    CEntity* cw = AddRegistered(list, snaps, 31, {100, 0, 10, 45, 225}, -1);
    const auto a = NodesOf(snaps, ccw, SnapKind::ArcQuadrant);
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(a[0].x, -10);
    EXPECT_EQ(a[1].y, 10);
    const auto b = NodesOf(snaps, cw, SnapKind::ArcQuadrant);
    ASSERT_EQ(b.size(), 2u);
    EXPECT_EQ(b[0].x, 110);
    EXPECT_EQ(b[1].y, -10);
}

TEST(SnapPointList, EllipseAxisPoints)
{
    CEntityList list;
    CSnapPointList snaps;
    CEntity* e = AddRegistered(list, snaps, 32, {0, 0, 20, 10, 90});
    auto got = Nodes(snaps);
    ASSERT_EQ(got.size(), 4u);
    const double expected[4][3] = {{8, 0, 20}, {7, 0, -20}, {9, -10, 0}, {10, 10, 0}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(got[i].kind, expected[i][0]);
        EXPECT_NEAR(got[i].x, expected[i][1], 1e-9);
        EXPECT_NEAR(got[i].y, expected[i][2], 1e-9);
    }
    // A first radius below 0.5 puts the second axis points on the kind-7 point.
    snaps.RemoveEntityPoints(e);
    e = AddRegistered(list, snaps, 32, {0, 0, 0.25, 10, 0});
    got = NodesOf(snaps, e);
    ASSERT_EQ(got.size(), 4u);
    for (const Node& n : got)
        if (n.kind != SnapKind::Axis8) {
            EXPECT_EQ(n.x, -0.25);
            EXPECT_EQ(n.y, 0);
        }
}

TEST(SnapPointList, EllipticArcEnds)
{
    CEntityList list;
    CSnapPointList snaps;
    AddRegistered(list, snaps, 33, {0, 0, 20, 10, 90, 90, 180});
    const auto got = Nodes(snaps);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].kind, SnapKind::ArcStart);
    EXPECT_NEAR(got[0].x, 0, 1e-9);
    EXPECT_NEAR(got[0].y, 20, 1e-9);
    EXPECT_EQ(got[1].kind, SnapKind::ArcEnd);
    EXPECT_NEAR(got[1].x, -10, 1e-9);
    EXPECT_NEAR(got[1].y, 0, 1e-9);
}

TEST(SnapPointList, EllipticArcWithAZeroRadiusGivesFinitePoints)
{
    CEntityList list;
    CSnapPointList snaps;
    AddRegistered(list, snaps, 33, {5, 5, 0, 10, 30, 10, 200});
    for (const Node& n : Nodes(snaps)) {
        EXPECT_TRUE(std::isfinite(n.x));
        EXPECT_TRUE(std::isfinite(n.y));
    }
    EXPECT_EQ(Nodes(snaps).size(), 2u);
}

TEST(SnapPointList, RecordsWithTooFewValuesRegisterNothing)
{
    CEntityList list;
    CSnapPointList snaps;
    for (int16_t type : {20, 30, 31, 32, 33, 80}) {
        CEntity* e = AddRegistered(list, snaps, type, {1, 2});
        ASSERT_NE(e, nullptr);
        EXPECT_FALSE(snaps.HasEntityPoints(e)) << type;
    }
}

TEST(SnapPointList, CrossingsOfLines)
{
    CEntityList list;
    CSnapPointList snaps;
    // Infinite lines crossing far beyond their stored points still cross.
    AddRegistered(list, snaps, 23, {0, 0, 1, 1});
    CEntity* b = AddRegistered(list, snaps, 23, {1000, 0, 1001, -1});
    auto x = NodesOf(snaps, b, SnapKind::Intersection);
    ASSERT_EQ(x.size(), 1u);
    EXPECT_NEAR(x[0].x, 500, 1e-9);
    EXPECT_NEAR(x[0].y, 500, 1e-9);
    // Segments whose lines cross outside them do not.
    CEntityList list2;
    CSnapPointList snaps2;
    AddRegistered(list2, snaps2, 20, {0, 0, 10, 0});
    CEntity* d = AddRegistered(list2, snaps2, 20, {20, -5, 20, 5});
    EXPECT_TRUE(NodesOf(snaps2, d, SnapKind::Intersection).empty());
    CEntity* e = AddRegistered(list2, snaps2, 20, {5, -5, 5, 5});
    x = NodesOf(snaps2, e, SnapKind::Intersection);
    ASSERT_EQ(x.size(), 1u);
    EXPECT_NEAR(x[0].x, 5, 1e-9);
    EXPECT_NEAR(x[0].y, 0, 1e-9);
}

// A freehand zigzag across y = 0 that crosses it `crossings` times.
std::vector<double> Zigzag(int crossings)
{
    std::vector<double> v;
    for (int i = 0; i <= crossings; ++i) {
        v.push_back(i * 2.0);
        v.push_back(i % 2 ? 3.0 : -3.0);
    }
    return v;
}

TEST(SnapPointList, LineCrossingAFreehandCurveTooOftenGetsNoPoint)
{
    CEntityList list;
    CSnapPointList snaps;
    AddCurve(list, snaps, 26, Zigzag(25));
    CEntity* l = AddRegistered(list, snaps, 20, {-1, 0, 60, 0});
    EXPECT_TRUE(NodesOf(snaps, l, SnapKind::Intersection).empty());

    CEntityList list2;
    CSnapPointList snaps2;
    AddCurve(list2, snaps2, 26, Zigzag(5));
    l = AddRegistered(list2, snaps2, 20, {-1, 0, 60, 0});
    EXPECT_EQ(NodesOf(snaps2, l, SnapKind::Intersection).size(), 5u);
}

TEST(SnapPointList, CircleCrossingAFreehandCurveGivesTheFirstTwenty)
{
    CEntityList list;
    CSnapPointList snaps;
    // A zigzag along x around the circle's top: each piece crosses the circle.
    std::vector<double> v;
    for (int i = 0; i <= 25; ++i) {
        v.push_back(-25 + i * 2.0);
        v.push_back(i % 2 ? 1000.0 + 3 : 1000.0 - 3);
    }
    CEntity* curve = AddCurve(list, snaps, 26, v);
    AddRegistered(list, snaps, 30, {0, 0, 1000});
    const auto x = NodesOf(snaps, curve, SnapKind::Intersection);
    ASSERT_EQ(x.size(), 20u);
    EXPECT_LT(x[0].x, x[19].x);  // gathered along the curve
}

TEST(SnapPointList, ControlPointCurveCrossings)
{
    CEntityList list;
    CSnapPointList snaps;
    CEntity* c = AddCurve(list, snaps, 24, {0, -10, 10, 10, 20, -10});
    CEntity* l = AddRegistered(list, snaps, 20, {-5, 0, 25, 0});
    EXPECT_EQ(NodesOf(snaps, l, SnapKind::Intersection).size(), 2u);
    AddRegistered(list, snaps, 30, {10, 0, 3});
    EXPECT_FALSE(NodesOf(snaps, c, SnapKind::Intersection).empty());
    // A single control point takes no part.
    CEntity* one = AddCurve(list, snaps, 24, {10, 0});
    AddRegistered(list, snaps, 20, {0, 0, 20, 0});
    EXPECT_TRUE(NodesOf(snaps, one, SnapKind::Intersection).empty());
}

TEST(SnapPointList, CrossingsBelongToTheLine)
{
    CEntityList list;
    CSnapPointList snaps;
    CEntity* line = AddRegistered(list, snaps, 20, {-20, 0, 20, 0});
    CEntity* circle = AddRegistered(list, snaps, 30, {0, 0, 10});
    EXPECT_EQ(NodesOf(snaps, line, SnapKind::Intersection).size(), 2u);
    EXPECT_TRUE(NodesOf(snaps, circle, SnapKind::Intersection).empty());
    // A crossing takes the state of its line, or of the circle when that
    // is not live: a hidden circle is crossed nowhere.
    snaps.SetEntityPointState(circle, -1);
    for (const Node& n : NodesOf(snaps, line, SnapKind::Intersection))
        EXPECT_EQ(n.state, -1);
    auto crossing = [](const SnapPoint& p) { return p.state == 0 && p.kind == SnapKind::Intersection; };
    EXPECT_EQ(snaps.FindNearest(10, 0, 1, crossing), nullptr);
    snaps.SetEntityPointState(circle, 0);
    const SnapPoint* p = snaps.FindNearest(10, 0, 1, crossing);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->entity, line);
    EXPECT_EQ(p->x, 10);
    // Once the circle's points are gone, so are the crossings with it.
    snaps.RemoveEntityPoints(circle);
    EXPECT_TRUE(NodesOf(snaps, line, SnapKind::Intersection).empty());
    EXPECT_EQ(snaps.FindNearest(10, 0, 1, crossing), nullptr);
}

TEST(SnapPointList, CirclesAndArcsCross)
{
    CEntityList list;
    CSnapPointList snaps;
    AddRegistered(list, snaps, 30, {0, 0, 10});
    CEntity* b = AddRegistered(list, snaps, 30, {10, 0, 10});
    EXPECT_EQ(NodesOf(snaps, b, SnapKind::Intersection).size(), 2u);
    // An upper half arc keeps only the upper crossing.
    CEntity* arc = AddRegistered(list, snaps, 31, {10, 0, 10, 0, 180}, 1);  // same centre as b: only a crosses
    const auto x = NodesOf(snaps, arc, SnapKind::Intersection);
    ASSERT_EQ(x.size(), 1u);
    EXPECT_GT(x[0].y, 0);
}

TEST(SnapPointList, EllipsesTakeNoPartInCrossings)
{
    CEntityList list;
    CSnapPointList snaps;
    CEntity* a = AddRegistered(list, snaps, 32, {0, 0, 10, 5, 0});
    CEntity* b = AddRegistered(list, snaps, 32, {5, 0, 10, 5, 0});
    CEntity* l = AddRegistered(list, snaps, 20, {-20, 0, 20, 0});
    for (const CEntity* e : {a, b, l})
        EXPECT_TRUE(NodesOf(snaps, e, SnapKind::Intersection).empty());
}

TEST(SnapPointList, RemovingOneEntityKeepsTheRest)
{
    CEntityList list;
    CSnapPointList snaps;
    CEntity* a = AddRegistered(list, snaps, 20, {0, 0, 10, 0});
    CEntity* b = AddRegistered(list, snaps, 20, {5, -5, 5, 5});
    CEntity* c = AddRegistered(list, snaps, 10, {7, 7});
    const std::size_t before = snaps.Size();
    const std::size_t ofB = snaps.EntityPoints(b).size();  // stored nodes of b: its key points
    EXPECT_EQ(ofB, 3u);
    snaps.RemoveEntityPoints(b);
    EXPECT_EQ(snaps.Size(), before - ofB);
    EXPECT_TRUE(snaps.EntityPoints(b).empty());
    EXPECT_EQ(NodesOf(snaps, a).size(), 3u);
    EXPECT_EQ(NodesOf(snaps, c).size(), 1u);
    EXPECT_FALSE(snaps.HasEntityPoints(b));
    snaps.RemoveEntityPoints(c);  // the last node: a's come last now
    ASSERT_EQ(snaps.KeyPoints().size(), 3u);
    EXPECT_EQ(snaps.KeyPoints().back()->entity, a);
    snaps.RemoveAll();
    EXPECT_TRUE(snaps.KeyPoints().empty());
    EXPECT_TRUE(snaps.EntityPoints(a).empty());
    EXPECT_EQ(snaps.Size(), 0u);
}

TEST(SnapPointList, PointStatesFollowTheirEntities)
{
    CEntityList list;
    CSnapPointList snaps;
    CEntity* a = AddRegistered(list, snaps, 20, {0, 0, 10, 0});
    CEntity* b = AddRegistered(list, snaps, 10, {3, 3});
    snaps.SetEntityPointState(a, -1);
    for (const Node& n : NodesOf(snaps, a))
        EXPECT_EQ(n.state, -1);
    EXPECT_EQ(NodesOf(snaps, b)[0].state, 0);
    // A dead point is not found by the default search.
    const SnapPoint* p = snaps.FindNearest(0.1, 0, 100);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->entity, b);
    a->state = 0;
    b->state = 3;
    snaps.CopyStatesFromEntities();
    EXPECT_EQ(NodesOf(snaps, a)[0].state, 0);
    EXPECT_EQ(NodesOf(snaps, b)[0].state, 3);
}

TEST(SnapPointList, DeletedEntitiesAreNotCrossedOnceOutOfTheList)
{
    CEntityList list;
    CSnapPointList snaps;
    AddRegistered(list, snaps, 20, {0, -5, 0, 5});
    CEntity* doomed = AddRegistered(list, snaps, 20, {10, -5, 10, 5});
    AddRegistered(list, snaps, 20, {20, -5, 20, 5});
    // A replacing edit: the old entity is still crossed while it is marked.
    doomed->state = EntityState::Deleted;
    CEntity* across = AddRegistered(list, snaps, 20, {-5, 0, 25, 0});
    EXPECT_EQ(NodesOf(snaps, across, SnapKind::Intersection).size(), 3u);
    list.MoveDeletedToUndo();
    CEntity* again = AddRegistered(list, snaps, 20, {-5, 1, 25, 1});
    // Out of the list: only the two remaining verticals are crossed.
    EXPECT_EQ(NodesOf(snaps, again, SnapKind::Intersection).size(), 2u);
    // Undo brings it back at the end of the list, where the backward walk
    // now meets it first.
    list.UndoRedo();
    CEntity* third = AddRegistered(list, snaps, 20, {-5, 2, 25, 2});
    const auto x = NodesOf(snaps, third, SnapKind::Intersection);
    ASSERT_EQ(x.size(), 3u);
    EXPECT_NEAR(x[0].x, 10, 1e-9);  // the entity just before it comes first
}

} // namespace
