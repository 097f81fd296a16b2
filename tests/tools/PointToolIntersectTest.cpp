// The crossings the point tool's intersection sub-mode adds, pair by pair.

#include "PointToolFixture.h"

#include <algorithm>

namespace {

std::vector<Pt> Cross(const CEntity& a, const CEntity& b, bool* hasMethod = nullptr)
{
    std::vector<GeoPoint> g;
    const bool m = CPointTool::IntersectEntities(a, b, g);
    if (hasMethod)
        *hasMethod = m;
    std::vector<Pt> out;
    for (const GeoPoint& p : g)
        out.push_back({p.x, p.y});
    return out;
}

std::vector<Pt> Sorted(std::vector<Pt> v)
{
    std::sort(v.begin(), v.end(), [](const Pt& a, const Pt& b) { return a.x != b.x ? a.x < b.x : a.y < b.y; });
    return v;
}

void ExpectSame(const std::vector<Pt>& a, const std::vector<Pt>& b, double tol)
{
    ASSERT_EQ(a.size(), b.size());
    const std::vector<Pt> sa = Sorted(a), sb = Sorted(b);
    for (std::size_t i = 0; i < sa.size(); ++i)
        EXPECT_TRUE(Near(sa[i], sb[i].x, sb[i].y, tol)) << sa[i] << " vs " << sb[i];
}

TEST(PointToolIntersect, SegmentsCountAsTheirWholeLines)
{
    // Apart, but their extensions cross at (100, 100).
    const std::vector<Pt> p = Cross(MakeLine(0, 0, 50, 50), MakeLine(100, 150, 100, 200));
    ASSERT_EQ(p.size(), 1u);
    EXPECT_TRUE(Near(p[0], 100, 100)) << p[0];
}

TEST(PointToolIntersect, ParallelAndCoincidentLinesGiveNoPoint)
{
    bool method = false;
    EXPECT_TRUE(Cross(MakeLine(0, 0, 100, 0), MakeLine(0, 10, 100, 10), &method).empty());
    EXPECT_TRUE(method);
    EXPECT_TRUE(Cross(MakeLine(0, 0, 100, 100), MakeLine(0, 0, 100, 100)).empty());
    // A line whose two points coincide has no direction.
    EXPECT_TRUE(Cross(MakeLine(5, 5, 5, 5), MakeLine(0, 0, 100, 0)).empty());
}

TEST(PointToolIntersect, LineAndCircleKeepThePointsOnASegment)
{
    const CEntity circle = MakeCircle(100, 0, 30);
    // The segment ends before the circle: nothing.
    EXPECT_TRUE(Cross(MakeLine(0, 0, 50, 0), circle).empty());
    // An infinite line through the same points meets it twice.
    ExpectSame(Cross(MakeLine(0, 0, 50, 0, EntityType::InfiniteLine), circle), {{70, 0}, {130, 0}}, 1e-9);
    // A segment reaching into the circle: its one point, in either order.
    ExpectSame(Cross(circle, MakeLine(0, 0, 100, 0)), {{70, 0}}, 1e-9);
}

TEST(PointToolIntersect, ALineMeetingAnArcOnceKeepsThatPointBeyondTheSegment)
{
    // The upper half of the circle about (100, 0); the line y = x - 100
    // runs through the centre and meets the half once, far from its points.
    const CEntity upper = MakeArc(100, 0, 30, 0, 180);
    const CEntity slanted = MakeLine(0, -100, 10, -90);
    const std::vector<Pt> p = Cross(slanted, upper);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_NEAR(std::hypot(p[0].x - 100, p[0].y), 30, 1e-6);
    EXPECT_GT(p[0].y, 0);
    EXPECT_GT(p[0].x, 10);  // beyond the end of the segment
    // Both crossings on the arc: the segment decides.
    EXPECT_TRUE(Cross(MakeLine(0, 20, 10, 20), upper).empty());
    ExpectSame(Cross(MakeLine(0, 20, 500, 20), upper), {{100 - std::sqrt(500.0), 20}, {100 + std::sqrt(500.0), 20}},
               1e-9);
}

TEST(PointToolIntersect, ArcAndFreehandCurveInEitherOrder)
{
    const CEntity arc = MakeArc(0, 0, 50, 0, 180);
    const CEntity curve = MakePolyCurve(EntityType::FreehandCurve, {-100, 30, 0, 30, 100, 30});
    const std::vector<Pt> expected{{-40, 30}, {40, 30}};
    ExpectSame(Cross(arc, curve), expected, 1e-9);
    ExpectSame(Cross(curve, arc), expected, 1e-9);
    // Below the centre the curve misses the arc.
    EXPECT_TRUE(Cross(arc, MakePolyCurve(EntityType::FreehandCurve, {-100, -30, 100, -30})).empty());
}

TEST(PointToolIntersect, EllipseAndCircleInEitherOrder)
{
    const CEntity ellipse = MakeEllipse(0, 0, 80, 30, 0);
    const CEntity circle = MakeCircle(80, 0, 20);
    const std::vector<Pt> a = Cross(ellipse, circle), b = Cross(circle, ellipse);
    ASSERT_FALSE(a.empty());
    ExpectSame(a, b, 1e-9);
    for (const Pt& p : a)
        EXPECT_NEAR(std::hypot(p.x - 80, p.y), 20, 0.05) << p;
}

TEST(PointToolIntersect, CirclesKeepThePointsOnTheirArcs)
{
    const CEntity full = MakeCircle(0, 0, 50);
    const CEntity other = MakeCircle(60, 0, 50);
    ExpectSame(Cross(full, other), {{30, -40}, {30, 40}}, 1e-9);
    // The upper arc picked first holds one of them, and that one counts.
    ExpectSame(Cross(MakeArc(0, 0, 50, 0, 180), other), {{30, 40}}, 1e-9);
    // Picked second, the arc filters the circle's points the same way.
    ExpectSame(Cross(other, MakeArc(0, 0, 50, 0, 180)), {{30, 40}}, 1e-9);
    // Concentric circles have no crossing.
    EXPECT_TRUE(Cross(full, MakeCircle(0, 0, 20)).empty());
}

TEST(PointToolIntersect, LineCrossesAControlPointCurveOnItsChords)
{
    // Collinear control points: every chord lies on y = 0.
    const CEntity curve = MakePolyCurve(EntityType::Curve, {0, 0, 100, 0, 200, 0});
    const std::vector<Pt> p = Cross(MakeLine(150, 50, 150, 60), curve);
    ASSERT_FALSE(p.empty());
    for (const Pt& q : p)
        EXPECT_TRUE(Near(q, 150, 0, 1e-9)) << q;
    // The chords of a bent curve start at its first point.
    const CEntity bent = MakePolyCurve(EntityType::Curve, {0, 0, 100, 100, 200, 0});
    const std::vector<GeoPoint> chords = CPointTool::CurveChordPoints(bent, true);
    ASSERT_GE(chords.size(), 3u);
    EXPECT_EQ(chords.front().x, 0.0);
    EXPECT_EQ(chords.back().x, 200.0);
}

TEST(PointToolIntersect, PairsWithoutAMethod)
{
    const CEntity curve = MakePolyCurve(EntityType::Curve, {0, 0, 100, 100, 200, 0});
    const CEntity freehand = MakePolyCurve(EntityType::FreehandCurve, {0, 50, 200, 50});
    const CEntity ellipse = MakeEllipse(100, 50, 80, 30, 0);
    for (const auto& [a, b] : std::vector<std::pair<CEntity, CEntity>>{
             {curve, freehand}, {freehand, curve}, {curve, ellipse}, {ellipse, freehand}, {freehand, freehand}}) {
        bool method = true;
        EXPECT_TRUE(Cross(a, b, &method).empty());
        EXPECT_FALSE(method) << a.type << " x " << b.type;
    }
}

TEST(PointToolIntersect, AFlatEllipseOrAShortRecordGivesNothing)
{
    bool method = false;
    EXPECT_TRUE(Cross(MakeLine(-100, 0, 100, 0), MakeEllipse(0, 0, 0, 0, 0), &method).empty());
    EXPECT_TRUE(method);
    CEntity shortCircle = MakeCircle(0, 0, 10);
    shortCircle.values.resize(2);
    shortCircle.count = 2;
    EXPECT_TRUE(Cross(MakeLine(-100, 0, 100, 0), shortCircle).empty());
}

TEST(PointToolIntersect, AtMostTenPoints)
{
    // A zigzag freehand curve crossing the line twenty times.
    std::vector<double> xy;
    for (int i = 0; i <= 20; ++i) {
        xy.push_back(i * 10.0);
        xy.push_back(i % 2 ? 10.0 : -10.0);
    }
    EXPECT_EQ(Cross(MakeLine(-10, 0, 300, 0), MakePolyCurve(EntityType::FreehandCurve, xy)).size(), 10u);
}

} // namespace
