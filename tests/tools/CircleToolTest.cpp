// The circle tool's frame and its circles by radius or diameter, with the
// one-click circle and arc of a given radius: entities, prompts, typed
// radii, cancels and what stays on screen.

#include "CircleToolFixture.h"

namespace {

class CircleToolTest : public CircleToolTestBase {
protected:
    void SetUp() override
    {
        // Away from the drawing's border, which a full redraw paints over
        // the entities.
        AddPoint(50, 50);
        AddPoint(90, 50);
        h.Select(4, 0);
    }
};

TEST_F(CircleToolTest, TypedRadiusMakesTheCircleWhateverTheCursor)
{
    ClickExact(50, 50);
    EXPECT_EQ(InputPointCount, 1);
    EXPECT_EQ(h.Prompt(), QString("半径終端を指示して下さい。[マウス右：数値入力／中止]"));
    h.Move(120, 83);
    h.Move(125, 80);
    Type(25);
    ASSERT_EQ(Of(EntityType::Circle).size(), 1u);
    const CEntity* c = Of(EntityType::Circle)[0];
    EXPECT_EQ(c->subtype, 0);
    EXPECT_EQ(c->codes, (std::vector<int16_t>{10, 20, 40}));
    EXPECT_TRUE(ValuesNear(c, {50, 50, 25}));
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(NumericInputPending, 0);
    EXPECT_EQ(h.Prompt(), QString("円を作図します。中心位置指示して下さい。"));
    h.Move(200, 150);  // the marker goes
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(CircleToolTest, ClickedRadiusAndDiameter)
{
    ClickExact(50, 50);
    ClickExact(90, 50);
    ASSERT_EQ(Of(EntityType::Circle).size(), 1u);
    EXPECT_TRUE(ValuesNear(Of(EntityType::Circle)[0], {50, 50, 40}));

    h.Select(4, 1);
    ClickExact(50, 50);
    EXPECT_EQ(h.Prompt(), QString("直径終端を指示して下さい。"));
    ClickExact(90, 50);
    ASSERT_EQ(Of(EntityType::Circle).size(), 2u);
    EXPECT_TRUE(ValuesNear(Of(EntityType::Circle)[1], {70, 50, 20}));
    EXPECT_EQ(h.Prompt(), QString("円を作図します。直径の始端を指示して下さい。"));
}

TEST_F(CircleToolTest, DiameterTakesNoTypedValue)
{
    h.Select(4, 1);
    ClickExact(50, 50);
    h.Move(30, 0);
    h.Move(30, 0);
    Type(25);
    // The fed point is taken as a click: a circle, but not of radius 12.5
    // about the typed end.
    EXPECT_EQ(NumericInputPending, 0);
    EXPECT_EQ(InputPointCount, 0);
}

TEST_F(CircleToolTest, BadTypedRadiusKeepsTheCentreAndAsksAgain)
{
    for (double bad : {0.0, -5.0}) {
        SCOPED_TRACE(bad);
        ClickExact(50, 50);
        const int beeps = h.Beeps();
        Type(bad);
        EXPECT_TRUE(Of(EntityType::Circle).empty());
        EXPECT_EQ(h.Beeps(), beeps + 1);
        EXPECT_EQ(InputPointCount, 1);
        Type(10);
        ASSERT_EQ(Of(EntityType::Circle).size(), 1u);
        EXPECT_TRUE(ValuesNear(Of(EntityType::Circle)[0], {50, 50, 10}));
        h.Move(200, 150);
        EXPECT_TRUE(h.ScreenIsFreshRedraw());
        h.Key(ID_EDIT_UNDO);
    }
}

TEST_F(CircleToolTest, SecondClickOnTheCentrePixelMakesNothing)
{
    MagnetEnabled = 0;
    h.Click(30, 30);
    h.Click(30, 30);
    EXPECT_TRUE(Of(EntityType::Circle).empty());
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(CircleToolTest, GivenRadiusMakesEachCircleAtOnce)
{
    CircleRadiusGiven = 1;
    CircleRadius = 20.0f;
    MagnetEnabled = 0;
    h.Click(30, 30);
    h.Click(90, 40);
    ASSERT_EQ(Of(EntityType::Circle).size(), 2u);
    for (const CEntity* c : Of(EntityType::Circle))
        EXPECT_EQ(c->values[2], 20.0);
    EXPECT_NEAR(Of(EntityType::Circle)[1]->values[0], 90, 0.5);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(h.Prompt(), QString("円を作図します。中心位置指示して下さい。"));
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(CircleToolTest, GivenRadiusArcTakesTheDirectionAndAngles)
{
    h.Select(4, 3);
    CircleRadiusGiven = 1;
    ArcStartAngle = 0.0f;
    ArcEndAngle = 90.0f;
    struct Case {
        int16_t direction;
        int subtype;
    };
    for (const Case c : {Case{1, 1}, Case{0, -1}}) {
        ArcDirection = c.direction;
        ClickExact(90, 50);
        const CEntity* arc = Of(EntityType::Arc).back();
        EXPECT_EQ(arc->subtype, c.subtype);
        EXPECT_EQ(arc->codes, (std::vector<int16_t>{10, 20, 40, 50, 51}));
        EXPECT_TRUE(ValuesNear(arc, {90, 50, 20, 0, 90}));
    }
    EXPECT_EQ(Of(EntityType::Arc).size(), 2u);
    EXPECT_EQ(h.Prompt(), QString("円弧を作図します。中心位置を指示して下さい。"));
}

TEST_F(CircleToolTest, GivenRadiusArcWithEqualAnglesWarns)
{
    h.Select(4, 3);
    CircleRadiusGiven = 1;
    ArcStartAngle = ArcEndAngle = 45.0f;
    h.Click(30, 30);
    h.Click(30, 30);
    EXPECT_TRUE(Of(EntityType::Arc).empty());
    EXPECT_EQ(h.Prompt(), QString("【注意】＊＊＊ 開始角度と終了角度が同じです。ご確認ください！"));
    EXPECT_TRUE(h.Warning());
}

TEST_F(CircleToolTest, TinyGivenRadiusIgnoresTheClick)
{
    CircleRadiusGiven = 1;
    CircleRadius = 0.005f;
    ArcEndAngle = 90.0f;
    for (int sub : {0, 3}) {
        h.Select(4, sub);
        const QString before = h.Prompt();
        h.Click(30, 30);
        EXPECT_EQ(h.Prompt(), before);
    }
    EXPECT_TRUE(h.Entities().size() == 2u);  // the two points
}

TEST_F(CircleToolTest, RightButtonCancelsTheDiameterButNotTheRadius)
{
    MagnetEnabled = 0;
    const QImage clean = h.FreshRedraw();
    h.Select(4, 1);
    h.Click(30, 30);
    h.Move(50, 40);
    h.Move(60, 40);
    EXPECT_NE(h.Screen(), clean);
    OperationRestarted = 0;
    Tool().OnRButtonDown(&h.View(), ToolFlags::RButton, nullptr);
    EXPECT_EQ(h.Prompt(), QString("円を作図します。直径の始端を指示して下さい。"));
    EXPECT_EQ(OperationRestarted, 1);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(ToolHarness::DifferingPixels(h.Screen(), clean), 0);

    h.Select(4, 0);
    h.Click(30, 30);
    Tool().OnRButtonDown(&h.View(), ToolFlags::RButton, nullptr);
    EXPECT_EQ(InputPointCount, 1);
    h.Key(ID_ESCAPE_KEY);
    EXPECT_EQ(ToolHarness::DifferingPixels(h.Screen(), clean), 0);
}

TEST_F(CircleToolTest, CancelsLeaveNothingBehind)
{
    MagnetEnabled = 0;
    const QImage clean = h.FreshRedraw();
    for (int sub : {0, 1}) {
        SCOPED_TRACE(sub);
        h.Select(4, sub);
        // Escape after the band followed the mouse.
        h.Click(30, 30);
        h.Move(60, 40);
        h.Move(70, 50);
        h.Key(ID_ESCAPE_KEY);
        EXPECT_EQ(InputPointCount, 0);
        EXPECT_EQ(h.Prompt(), QString(CCircleTool::FirstPrompt(sub)));
        EXPECT_EQ(ToolHarness::DifferingPixels(h.Screen(), clean), 0);
        // The numeric input opened and cancelled.
        h.Click(30, 30);
        h.Move(60, 40);
        h.Move(70, 50);
        TypeCancelled();
        EXPECT_EQ(InputPointCount, 0);
        EXPECT_EQ(ToolHarness::DifferingPixels(h.Screen(), clean), 0);
        // A repaint while the band is up, then escape.
        h.Click(30, 30);
        h.Move(60, 40);
        h.Move(70, 50);
        h.View().RedrawNow();
        h.Move(80, 50);
        h.Key(ID_ESCAPE_KEY);
        EXPECT_EQ(ToolHarness::DifferingPixels(h.Screen(), clean), 0);
    }
    EXPECT_TRUE(Of(EntityType::Circle).empty());
}

TEST_F(CircleToolTest, EscapeWithoutAnOperationKeepsThePrompt)
{
    ClickExact(50, 50);
    ClickExact(90, 50);  // a circle; the first prompt is up
    h.Select(4, 1);     // the palette's own opening prompt, if any
    const QString before = h.Prompt();
    OperationRestarted = 0;
    h.Key(ID_ESCAPE_KEY);
    EXPECT_EQ(h.Prompt(), before);
    EXPECT_EQ(OperationRestarted, 0);
}

TEST_F(CircleToolTest, ReadoutFollowsTheCursorAndTheClickTakesItAway)
{
    MagnetEnabled = 0;
    LengthReadoutEnabled = 1;
    const QImage clean = h.FreshRedraw();
    h.Click(60, 60);
    h.Move(90, 60);
    EXPECT_EQ(Tool().readoutKind, 1);
    EXPECT_NEAR(Tool().readoutPos[0], 90, 0.5);
    EXPECT_NE(h.Screen(), clean);
    h.Move(100, 60);
    h.Click(100, 60);
    EXPECT_EQ(Tool().readoutKind, 0);
    ASSERT_EQ(Of(EntityType::Circle).size(), 1u);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(CircleToolTest, ReadoutAfterARepaintLeavesNothingBehind)
{
    MagnetEnabled = 0;
    LengthReadoutEnabled = 1;
    for (int sub : {0, 3}) {
        SCOPED_TRACE(sub);
        h.Select(4, sub);
        h.Click(60, 60);
        h.Move(90, 60);
        h.View().RedrawNow();
        h.Move(100, 60);
        h.View().RedrawNow();
        h.Key(ID_ESCAPE_KEY);
        EXPECT_TRUE(h.ScreenIsFreshRedraw());
    }
}

TEST_F(CircleToolTest, ProtectedDrawingEndsTheOperation)
{
    h.Doc().ProtectionState = 1;
    ClickExact(50, 50);
    ClickExact(90, 50);
    EXPECT_TRUE(Of(EntityType::Circle).empty());
    EXPECT_EQ(h.Messages(), QStringList{"この図面は、書きこみ禁止状態になっています。"});
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(h.Prompt(), QString("円を作図します。中心位置指示して下さい。"));
}

// Circles and arcs by diameter both take their centre from here: halfway
// along the diameter whichever way it runs.
TEST(CircleToolDiameter, CentreIsTheMidpointWhicheverWayTheDiameterRuns)
{
    struct Case {
        double x0, y0, x1, y1;
    };
    const Case cases[] = {
        {0, 0, 40, 0},    {40, 0, 0, 0},       {0, 0, 0, 40},  {0, 40, 0, 0},
        {10, 20, -30, -10}, {-30, -10, 10, 20}, {-5, 7, 25, 47}, {25, 47, -5, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "(" << c.x0 << ", " << c.y0 << ")-(" << c.x1 << ", " << c.y1 << ")");
        const double half = std::hypot(c.x1 - c.x0, c.y1 - c.y0) / 2.0;
        const GeoPoint m = CCircleTool::DiameterCentre(c.x0, c.y0, c.x1, c.y1, half);
        EXPECT_NEAR(m.x, (c.x0 + c.x1) / 2.0, 1e-9);
        EXPECT_NEAR(m.y, (c.y0 + c.y1) / 2.0, 1e-9);
    }
    // Ends that coincide give no direction: the centre is the point itself.
    const GeoPoint same = CCircleTool::DiameterCentre(3, 4, 3, 4, 0.0);
    EXPECT_EQ(same.x, 3.0);
    EXPECT_EQ(same.y, 4.0);
}

} // namespace
