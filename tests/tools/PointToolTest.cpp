// The point tool through the view: free and offset points, intersections,
// the moving point with its typed distance, construction points, cancels
// and what stays on screen.

#include "PointToolFixture.h"

#include "model/GeometryEllipses.h"

#include <numbers>

namespace {

class PointToolTest : public PointToolTestBase {
protected:
    void Mode(int sub) { h.Select(1, sub); }
};

TEST_F(PointToolTest, FreePointRecord)
{
    PointShape = 2;
    CurrentColor = 0x00112233;
    h.View().currentLayer = 3;
    Mode(PointToolMode::Free);
    h.Click(120, 80);
    const std::vector<const CEntity*> pts = h.Entities(EntityType::Point);
    ASSERT_EQ(pts.size(), 1u);
    const CEntity* e = pts[0];
    EXPECT_EQ(e->subtype, 2);
    EXPECT_EQ(e->layer, 3);
    EXPECT_EQ(e->colour, 0x00112233u);
    EXPECT_EQ(e->style, CurrentLineType * 100 + CurrentPen);
    EXPECT_EQ(e->codes, (std::vector<int16_t>{10, 20}));
    EXPECT_NEAR(e->values[0], 120, 0.5);
    EXPECT_NEAR(e->values[1], 80, 0.5);
    EXPECT_TRUE(h.Doc().modified);
    EXPECT_TRUE(h.Doc().snaps.HasEntityPoints(e));
}

TEST_F(PointToolTest, FreePointTakesTheNearestPointWhileTheMagnetIsOn)
{
    AddPoint(100, 100);
    MagnetEnabled = 1;
    Mode(PointToolMode::Free);
    h.Move(300, 300);
    h.Move(101, 101);
    h.Click(101, 101);
    ASSERT_EQ(Points(1).size(), 1u);
    EXPECT_TRUE(Near(Points(1)[0], 100, 100)) << Points(1)[0];
}

TEST_F(PointToolTest, OffsetPointFromAPickedPoint)
{
    AddPoint(100, 100);
    PointCoordX = 30;
    PointCoordY = -20;
    Mode(PointToolMode::Offset);
    h.Click(101, 100);
    ASSERT_EQ(Points(1).size(), 1u);
    EXPECT_TRUE(Near(Points(1)[0], 130, 80)) << Points(1)[0];
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
    // Nothing to pick: a beep and nothing else.
    h.Click(300, 300);
    EXPECT_EQ(h.Beeps(), 1);
    EXPECT_EQ(Points(1).size(), 1u);
}

TEST_F(PointToolTest, IntersectionOfSegmentsThatDoNotTouch)
{
    Add(MakeLine(20, 20, 70, 70));
    Add(MakeLine(100, 150, 100, 200));
    Mode(PointToolMode::Intersection);
    h.Click(45, 45);
    EXPECT_EQ(InputPointCount, 1);
    EXPECT_EQ(h.Prompt(), QString("交差する対象図形２を指示して下さい。"));
    h.Click(100, 170);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(h.Prompt(), QString("対象図形１を指示(クリック)して下さい。"));
    ASSERT_EQ(Points().size(), 1u);
    EXPECT_TRUE(Near(Points()[0], 100, 100)) << Points()[0];
    EXPECT_EQ(h.Beeps(), 0);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(PointToolTest, IntersectionWithoutAPointBeepsAndWithoutAMethodIsSilent)
{
    Add(MakeLine(20, 40, 120, 40));
    Add(MakeLine(20, 90, 120, 90));
    Add(MakeCircle(250, 40, 30));
    Add(MakePolyCurve(EntityType::Curve, {20, 150, 120, 250, 220, 150}));
    Add(MakePolyCurve(EntityType::FreehandCurve, {20, 220, 220, 280}));
    Mode(PointToolMode::Intersection);

    // Parallel lines.
    h.Click(70, 40);
    h.Click(70, 90);
    EXPECT_EQ(h.Beeps(), 1);
    // A segment whose crossings with the circle lie on its extension.
    h.Click(70, 40);
    h.Click(250, 70);
    EXPECT_EQ(h.Beeps(), 2);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
    // A control-point curve and a freehand curve: no method, no beep.
    h.Click(120, (150 + 4 * 250 + 150) / 6.0);
    h.Click(120, 250);
    EXPECT_EQ(h.Beeps(), 2);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_TRUE(Points().empty());
}

TEST_F(PointToolTest, RightButtonAfterTheFirstPickCancelsIt)
{
    Add(MakeLine(20, 30, 120, 30));
    Add(MakeLine(50, 10, 50, 80));
    Mode(PointToolMode::Intersection);
    h.Click(40, 30);
    EXPECT_FALSE(h.ScreenIsFreshRedraw());  // highlighted
    h.RightClick(40, 30);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(OperationRestarted, 1);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
    // The next click is a first pick again.
    h.Click(50, 60);
    EXPECT_EQ(InputPointCount, 1);
    EXPECT_TRUE(Points().empty());
    h.Click(40, 30);
    ASSERT_EQ(Points().size(), 1u);
    EXPECT_TRUE(Near(Points()[0], 50, 30));
}

TEST_F(PointToolTest, FirstPickUndoneBeforeTheSecondPick)
{
    Add(MakeLine(20, 30, 120, 30));
    Add(MakeLine(50, 10, 50, 80));
    Mode(PointToolMode::Intersection);
    h.Click(50, 60);
    ASSERT_EQ(InputPointCount, 1);
    // The first line leaves the list behind the tool's back.
    h.Doc().list.last->state = EntityState::Deleted;
    h.Doc().list.MoveDeletedToUndo();
    h.View().InvalidateDrawIndex();
    h.View().RedrawNow();
    h.Click(40, 30);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_TRUE(Points().empty());
    EXPECT_EQ(h.Beeps(), 1);
}

TEST_F(PointToolTest, MovingPointAlongACircleBothWays)
{
    Add(MakeCircle(200, 150, 50));
    AddPoint(250, 150);
    Mode(PointToolMode::Moving);
    std::vector<Pt> got;
    for (const double d : {20.0, -20.0}) {
        h.Click(200, 100);  // the circle where no point lies
        EXPECT_EQ(h.Prompt(), QString("直線・円・円弧上の点を指示して下さい。"));
        QString shown;
        AnswerDistance(d, &shown);
        h.Click(250, 150);
        EXPECT_EQ(shown.toDouble(), d > 0 ? 50.0 : 20.0);
        EXPECT_TRUE(h.Ui().problems().isEmpty()) << h.Ui().problems().join("\n").toStdString();
        EXPECT_EQ(h.Prompt(), QString("移動距離を入力して下さい。"));
        EXPECT_EQ(PointOptionDistance, static_cast<float>(d));
        ASSERT_FALSE(Points(1).empty());
        got.push_back(Points(1).back());
        // Nothing of the picks stays highlighted (the second run's new
        // point lies where the first one's circle is drawn again).
        if (got.size() == 1) {
            EXPECT_TRUE(h.ScreenIsFreshRedraw());
        }
    }
    ASSERT_EQ(got.size(), 2u);
    for (const Pt& p : got) {
        EXPECT_NEAR(std::hypot(p.x - 200, p.y - 150), 50, 1e-6) << p;
        // 20 along the circle of radius 50 is 0.4 rad.
        EXPECT_NEAR(p.x, 200 + 50 * std::cos(0.4), 1e-6) << p;
    }
    EXPECT_NEAR(got[0].y - 150, -(got[1].y - 150), 1e-6);
    EXPECT_NE(got[0].y > 150, got[1].y > 150);
}

TEST_F(PointToolTest, MovingPointTypedOnALineAfterTheCarrier)
{
    Add(MakeLine(100, 100, 300, 100));
    AddPoint(150, 100);
    Mode(PointToolMode::Moving);
    h.Click(280, 100);
    AnswerDistance(30);
    h.Click(150, 100);
    ASSERT_EQ(Points(1).size(), 1u);
    EXPECT_TRUE(Near(Points(1)[0], 180, 100)) << Points(1)[0];
    // A negative distance goes away from the carrier's click.
    AnswerDistance(-30);
    h.Click(280, 100);
    h.Click(150, 100);
    ASSERT_EQ(Points(1).size(), 2u);
    EXPECT_TRUE(Near(Points(1)[1], 120, 100)) << Points(1)[1];
}

struct RefusalCase {
    CEntity carrier;
    Pt pick;   // where the carrier alone is clicked
    Pt point;  // a point off it
    const char* message;
};

class PointToolRefusalTest : public PointToolTestBase, public ::testing::WithParamInterface<int> {};

TEST_P(PointToolRefusalTest, MovingPointOffItsCarrier)
{
    const std::vector<RefusalCase> cases{
        {MakeLine(100, 100, 300, 100), {200, 100}, {400, 100}, "選択線上に、選択点がありません。"},
        {MakeCircle(200, 120, 50), {200, 70}, {200, 120}, "選択円に、選択点がありません。"},
        {MakeArc(200, 120, 50, 0, 90), {235.355, 155.355}, {150, 120}, "選択円弧に、選択点がありません。"},
        {MakeEllipse(200, 120, 80, 40, 0), {280, 120}, {200, 150}, "選択楕円に、選択点がありません。"},
        {MakeEllipticArc(200, 120, 80, 40, 0, 0, 90), {280, 120}, {200, 150}, "選択楕円弧に、選択点がありません。"},
    };
    const RefusalCase& c = cases[static_cast<std::size_t>(GetParam())];
    Add(c.carrier);
    AddPoint(c.point.x, c.point.y);
    h.Select(1, PointToolMode::Moving);
    h.Click(c.pick.x, c.pick.y);
    h.Click(c.point.x, c.point.y);
    EXPECT_EQ(h.Messages(), QStringList{QString::fromUtf8(c.message)});
    EXPECT_EQ(h.Beeps(), 1);
    EXPECT_EQ(Points(1).size(), 0u);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

INSTANTIATE_TEST_SUITE_P(Carriers, PointToolRefusalTest, ::testing::Range(0, 5));

TEST_F(PointToolTest, MovingPointCancelledAndTwoPointsPicked)
{
    Add(MakeCircle(200, 150, 50));
    AddPoint(250, 150);
    AddPoint(330, 250);
    AddPoint(60, 250);
    Mode(PointToolMode::Moving);
    h.Ui().dialog(IDCANCEL);
    h.Click(200, 100);
    h.Click(250, 150);
    EXPECT_EQ(Points(3).size(), 0u);
    EXPECT_EQ(PointOptionDistance, 50.0f);
    // After a point only carriers are picked: another point is not found
    // and the step stays.
    h.Click(330, 250);
    EXPECT_EQ(InputPointCount, 1);
    h.Click(60, 250);
    EXPECT_EQ(h.Beeps(), 1);
    EXPECT_EQ(InputPointCount, 1);
    EXPECT_TRUE(h.Ui().problems().isEmpty()) << h.Ui().problems().join("\n").toStdString();
}

TEST_F(PointToolTest, MovingPointAlongAnEllipse)
{
    Add(MakeEllipse(200, 120, 80, 40, 0));
    AddPoint(280, 120);
    Mode(PointToolMode::Moving);
    h.Click(200, 80);  // the ellipse's lower end
    AnswerDistance(30);
    h.Click(280, 120);
    ASSERT_EQ(Points(1).size(), 1u);
    const Pt p = Points(1)[0];
    const double u = (p.x - 200) / 80, v = (p.y - 120) / 40;
    EXPECT_NEAR(u * u + v * v, 1.0, 1e-3) << p;
    EXPECT_GT(p.y, 120);  // counter-clockwise from the right end
}

TEST_F(PointToolTest, MovingPointWhoseFirstPickWentAway)
{
    Add(MakeCircle(200, 150, 50));
    AddPoint(250, 150);
    Mode(PointToolMode::Moving);
    h.Click(200, 100);
    ASSERT_EQ(InputPointCount, 1);
    // The circle leaves the list behind the tool's back.
    h.Doc().list.first->next->state = EntityState::Deleted;
    h.Doc().list.MoveDeletedToUndo();
    h.View().InvalidateDrawIndex();
    h.View().RedrawNow();
    h.Click(250, 150);
    EXPECT_EQ(h.Beeps(), 1);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_TRUE(Points(1).empty());
    EXPECT_TRUE(h.Ui().problems().isEmpty());
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(PointToolTest, ConstructionPointsOfAClockwiseArcAreOneUndoStep)
{
    Add(MakeArc(100, 100, 50, 0, 90, -1));
    Mode(PointToolMode::Construction);
    const double c = 50 * std::cos(std::numbers::pi / 4);
    h.Click(100 + c, 100 - c);  // on the clockwise run from 0 to 90
    const std::vector<Pt> p = Points();
    ASSERT_EQ(p.size(), 3u);
    EXPECT_TRUE(Near(p[0], 100, 100)) << p[0];
    EXPECT_TRUE(Near(p[1], 100, 150)) << p[1];
    EXPECT_TRUE(Near(p[2], 150, 100)) << p[2];
    h.View().OnEditUndo();
    EXPECT_TRUE(Points().empty());
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(PointToolTest, ConstructionPointsByType)
{
    const CEntity ea = MakeEllipticArc(0, 0, 80, 40, 30, 10, 100);
    const PointSet<2> ends = EllipticArcEndPoints({0, 0, 80, 40, 30}, 10, 100);
    struct Case {
        CEntity e;
        std::vector<Pt> points;
    };
    CEntity text = MakeEntity(EntityType::Text, 0, {10, 20, 30, 40, 50}, {7, 8, 5, 5, 0});
    const std::vector<Case> cases{
        {MakeLine(1, 2, 3, 4), {{1, 2}, {3, 4}}},
        {MakeLine(1, 2, 3, 4, EntityType::InfiniteLine), {}},
        {MakePolyCurve(EntityType::Curve, {0, 0, 10, 10, 20, 0}), {{0, 0}, {10, 10}, {20, 0}}},
        {MakeCircle(5, 6, 7), {{5, 6}}},
        {MakeArc(0, 0, 10, 0, 90, 1), {{0, 0}, {10, 0}, {0, 10}}},
        {MakeEllipse(5, 6, 7, 3, 0), {{5, 6}}},
        {ea, {{0, 0}, {ends.x[0], ends.y[0]}, {ends.x[1], ends.y[1]}}},
        {text, {{7, 8}}},
        {MakePolyCurve(EntityType::FreehandCurve, {0, 0, 10, 10}), {}},
    };
    for (const Case& c : cases) {
        const std::vector<GeoPoint> got = CPointTool::ConstructionPoints(c.e);
        ASSERT_EQ(got.size(), c.points.size()) << c.e.type;
        for (std::size_t i = 0; i < got.size(); ++i)
            EXPECT_TRUE(Near({got[i].x, got[i].y}, c.points[i].x, c.points[i].y, 1e-6))
                << c.e.type << " #" << i << " " << Pt{got[i].x, got[i].y};
    }
}

TEST_F(PointToolTest, ConstructionPointsOnAProtectedDrawingAddNothing)
{
    Add(MakeLine(20, 30, 120, 30));
    h.Doc().ProtectionState = 1;
    Mode(PointToolMode::Construction);
    h.Click(50, 30);
    EXPECT_TRUE(Points().empty());
    EXPECT_EQ(h.Messages().size(), 2);  // once per point
    h.Doc().ProtectionState = 0;
}

} // namespace
