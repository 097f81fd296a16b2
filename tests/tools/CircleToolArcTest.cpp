// The circle tool's arcs by radius or diameter and its circles and arcs
// through three points: the direction taken from the cursor's path, typed
// radius and angles, collinear points, previews and cancels.

#include "CircleToolFixture.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double Deg = std::numbers::pi / 180.0;

class CircleToolArcTest : public CircleToolTestBase {
protected:
    void SetUp() override { h.Select(4, 3); }

    // The cursor round the centre (cx, cy) at radius r from angle a0 to a1
    // (degrees) in steps of 10 degrees.
    void Sweep(double cx, double cy, double r, double a0, double a1)
    {
        const int n = static_cast<int>(std::ceil(std::abs(a1 - a0) / 10.0));
        for (int i = 0; i <= n; ++i) {
            const double a = (a0 + (a1 - a0) * i / n) * Deg;
            h.Move(cx + r * std::cos(a), cy + r * std::sin(a));
        }
    }
};

TEST_F(CircleToolArcTest, CursorPathGivesTheDirection)
{
    // Points off the arc: a full redraw paints point marks over the arc.
    AddPoint(100, 100);
    AddPoint(100, 180);
    AddPoint(20, 100);
    struct Case {
        double to;  // the sweep ends at 180 degrees coming from here
        int subtype;
    };
    for (const Case c : {Case{180, 1}, Case{-180, -1}}) {
        SCOPED_TRACE(c.subtype);
        ClickExact(100, 100);
        EXPECT_EQ(h.Prompt(), QString("半径終端を指示して下さい。[マウス右：数値入力／中止]"));
        Type(50);
        EXPECT_EQ(h.Prompt(), QString("円弧始端位置を指定して下さい。[マウス右：角度入力／中止]"));
        ClickExact(100, 180);
        EXPECT_EQ(h.Prompt(), QString("円弧終端位置を指定して下さい。[右クリック／角度入力 (始角度ﾖﾘ)]"));
        Sweep(100, 100, 80, 90, c.to);
        h.Click(20, 100);
        const CEntity* arc = Of(EntityType::Arc).back();
        EXPECT_EQ(arc->subtype, c.subtype);
        EXPECT_EQ(arc->codes, (std::vector<int16_t>{10, 20, 40, 50, 51}));
        EXPECT_TRUE(ValuesNear(arc, {100, 100, 50, 90, 180}, 1e-9));
        EXPECT_EQ(h.Prompt(), QString("円弧を作図します。中心位置を指示して下さい。"));
        EXPECT_FALSE(Tool().AnyShown());
        h.Move(300, 300);
        // The long clockwise arc is drawn by the view one pixel apart from
        // its full redraw, so only the first is compared.
        if (c.subtype == 1) {
            EXPECT_TRUE(h.ScreenIsFreshRedraw());
        }
    }
}

TEST_F(CircleToolArcTest, TypedRadiusStartAndEndFromTheStart)
{
    AddPoint(100, 100);
    ClickExact(100, 100);
    h.Move(140, 120);
    h.Move(145, 120);
    Type(30);
    EXPECT_EQ(InputPointCount, 2);
    Type(45);
    EXPECT_EQ(InputPointCount, 3);
    h.Move(160, 160);
    h.Move(165, 160);
    Type(-90);
    ASSERT_EQ(Of(EntityType::Arc).size(), 1u);
    const CEntity* arc = Of(EntityType::Arc)[0];
    EXPECT_EQ(arc->subtype, -1);
    EXPECT_TRUE(ValuesNear(arc, {100, 100, 30, 45, 315}, 1e-9));
    EXPECT_EQ(NumericInputPending, 0);
    h.Move(300, 300);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(CircleToolArcTest, TypedEndWithoutATurnIsRefusedWithTheWarning)
{
    // An end angle of no turn from the start would store start = end, a
    // full circle: refused in red, the step stays for another value.
    AddPoint(100, 100);
    for (double none : {0.0, 360.0, -360.0, 720.0}) {
        SCOPED_TRACE(none);
        ClickExact(100, 100);
        Type(30);
        Type(45);
        ASSERT_EQ(InputPointCount, 3);
        Type(none);
        EXPECT_TRUE(Of(EntityType::Arc).empty());
        EXPECT_EQ(InputPointCount, 3);
        EXPECT_EQ(NumericInputPending, 0);
        EXPECT_EQ(h.Prompt(), QString("【注意】＊＊＊ 開始角度と終了角度が同じです。ご確認ください！"));
        EXPECT_TRUE(h.Warning());
        h.Key(ID_ESCAPE_KEY);
    }
    ClickExact(100, 100);
    Type(30);
    Type(45);
    Type(370); // a turn of 10 degrees
    ASSERT_EQ(Of(EntityType::Arc).size(), 1u);
    EXPECT_TRUE(ValuesNear(Of(EntityType::Arc)[0], {100, 100, 30, 45, 55}, 1e-9));
}

TEST_F(CircleToolArcTest, BadTypedRadiusKeepsTheCentre)
{
    AddPoint(100, 100);
    ClickExact(100, 100);
    const int beeps = h.Beeps();
    Type(0);
    EXPECT_EQ(h.Beeps(), beeps + 1);
    EXPECT_EQ(InputPointCount, 1);
    Type(30);
    EXPECT_EQ(InputPointCount, 2);
    h.Key(ID_ESCAPE_KEY);
    h.Move(300, 300);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(CircleToolArcTest, DiameterArcTakesTheMidpointAndHalfTheLength)
{
    h.Select(4, 4);
    AddPoint(110, 100);
    AddPoint(110, 140);
    ClickExact(110, 100);
    EXPECT_EQ(h.Prompt(), QString("直径終端を指示して下さい。"));
    ClickExact(110, 140);
    Type(0);    // start at 0 degrees
    Type(90);   // a quarter turn counter-clockwise
    ASSERT_EQ(Of(EntityType::Arc).size(), 1u);
    const CEntity* arc = Of(EntityType::Arc)[0];
    EXPECT_EQ(arc->subtype, 1);
    EXPECT_TRUE(ValuesNear(arc, {110, 120, 20, 0, 90}, 1e-9));
    EXPECT_EQ(h.Prompt(), QString("円弧を作図します。直径開始位置を指示して下さい。"));
}

TEST_F(CircleToolArcTest, StartInsideTheCircleTakesTheRayFromTheCentre)
{
    AddPoint(100, 100);
    AddPoint(150, 100);
    ClickExact(100, 100);
    ClickExact(150, 100);
    h.Move(300, 300);  // the marker goes
    MagnetEnabled = 0;
    const platform::Point inside = h.Client(110, 110);
    h.ClickAt(inside);
    const double start = std::atan2(h.ModelY(inside) - 100, h.ModelX(inside) - 100) / Deg;
    Type(30);
    ASSERT_EQ(Of(EntityType::Arc).size(), 1u);
    EXPECT_NEAR(Of(EntityType::Arc)[0]->values[3], start, 1e-9);
    EXPECT_NEAR(Of(EntityType::Arc)[0]->values[4], start + 30, 1e-9);
}

TEST_F(CircleToolArcTest, NoArcPreviewNearTheStartDirection)
{
    AddPoint(100, 100);
    AddPoint(150, 100);
    ClickExact(100, 100);
    ClickExact(150, 100);
    Type(0);
    h.Move(180, 100.5);  // well within two degrees
    h.Move(180, 100.3);
    EXPECT_FALSE(Tool().Shown(CCircleTool::Preview));
    EXPECT_TRUE(Tool().Shown(CCircleTool::RubberLine));
    h.Move(170, 140);
    EXPECT_TRUE(Tool().Shown(CCircleTool::Preview));
    h.Key(ID_ESCAPE_KEY);
    h.Move(300, 300);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(CircleToolArcTest, CursorOnTheCentreBeepsAndKeepsTheLineOnTheCircle)
{
    MagnetEnabled = 0;
    const platform::Point centre = h.Client(100, 100);
    h.ClickAt(centre);
    h.Click(150, 100);
    const int beeps = h.Beeps();
    h.MoveAt(centre);
    h.MoveAt(centre);
    EXPECT_GT(h.Beeps(), beeps);
    EXPECT_TRUE(Tool().Shown(CCircleTool::RubberLine));
    h.Key(ID_ESCAPE_KEY);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(CircleToolArcTest, HugeTypedRadiusPreviewsAndCancelsCleanly)
{
    MagnetEnabled = 0;
    const QImage clean = h.FreshRedraw();
    for (double r : {1e6, 1e12, 1e15}) {
        SCOPED_TRACE(r);
        h.Click(100, 100);
        Type(r);
        h.Move(150, 140);
        h.Move(160, 150);
        Type(45);
        Sweep(100, 100, 50, 45, 80);
        h.View().RedrawNow();
        h.Move(60, 120);
        h.Key(ID_ESCAPE_KEY);
        EXPECT_EQ(ToolHarness::DifferingPixels(h.Screen(), clean), 0);
    }
    EXPECT_TRUE(Of(EntityType::Arc).empty());
}

TEST_F(CircleToolArcTest, EveryStepCancelsCleanly)
{
    MagnetEnabled = 0;
    const QImage clean = h.FreshRedraw();
    for (int sub : {3, 4}) {
        h.Select(4, sub);
        for (int steps = 1; steps <= 3; ++steps) {
            for (bool byDialog : {false, true}) {
                SCOPED_TRACE(sub * 100 + steps * 10 + byDialog);
                const double pts[3][2] = {{100, 100}, {150, 110}, {120, 160}};
                for (int i = 0; i < steps; ++i) {
                    h.Move(pts[i][0] + 5, pts[i][1] + 7);
                    h.Click(pts[i][0], pts[i][1]);
                }
                h.Move(60, 130);
                h.Move(70, 150);
                h.View().RedrawNow();  // a repaint in between
                h.Move(75, 160);
                if (byDialog)
                    TypeCancelled();
                else
                    h.Key(ID_ESCAPE_KEY);
                EXPECT_EQ(InputPointCount, 0);
                EXPECT_EQ(h.Prompt(), QString(CCircleTool::FirstPrompt(sub)));
                EXPECT_EQ(ToolHarness::DifferingPixels(h.Screen(), clean), 0);
            }
        }
    }
    EXPECT_TRUE(Of(EntityType::Arc).empty());
}

TEST_F(CircleToolArcTest, RightButtonCancelsOnlyTheFirstStepOfTheDiameterArc)
{
    MagnetEnabled = 0;
    const QImage clean = h.FreshRedraw();
    h.Select(4, 4);
    h.Click(100, 100);
    h.Move(120, 100);
    h.Move(130, 100);
    Tool().OnRButtonDown(&h.View(), ToolFlags::RButton, nullptr);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(ToolHarness::DifferingPixels(h.Screen(), clean), 0);
    h.Click(100, 100);
    h.Click(140, 100);
    Tool().OnRButtonDown(&h.View(), ToolFlags::RButton, nullptr);
    EXPECT_EQ(InputPointCount, 2);
    h.Key(ID_ESCAPE_KEY);
    EXPECT_EQ(ToolHarness::DifferingPixels(h.Screen(), clean), 0);
}

// ---- three points ----

TEST_F(CircleToolArcTest, ThreePointArcRunsThroughTheThirdPoint)
{
    h.Select(4, 5);
    AddPoint(100, 100);
    AddPoint(120, 100);
    AddPoint(110, 110);
    ClickExact(100, 100);
    EXPECT_EQ(h.Prompt(), QString("円弧終端を指示して下さい。"));
    ClickExact(120, 100);
    EXPECT_EQ(h.Prompt(), QString("円弧第３点位置を指示して下さい。"));
    ClickExact(110, 110);
    ASSERT_EQ(Of(EntityType::Arc).size(), 1u);
    const CEntity* arc = Of(EntityType::Arc)[0];
    EXPECT_EQ(arc->subtype, -1);
    EXPECT_TRUE(ValuesNear(arc, {110, 100, 10, 180, 0}, 1e-9));
    EXPECT_EQ(h.Prompt(), QString("３点指定円弧を作図します。円弧始端を指示して下さい。"));

    // The same points the other way round: counter-clockwise under the line.
    ClickExact(120, 100);
    ClickExact(100, 100);
    ClickExact(110, 110);
    EXPECT_EQ(Of(EntityType::Arc).back()->subtype, 1);
    EXPECT_TRUE(ValuesNear(Of(EntityType::Arc).back(), {110, 100, 10, 0, 180}, 1e-9));
    h.Move(300, 300);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(CircleToolArcTest, ThreePointCircleAndCollinearPoints)
{
    h.Select(4, 2);
    AddPoint(100, 100);
    AddPoint(120, 100);
    AddPoint(110, 110);
    AddPoint(140, 100);
    ClickExact(100, 100);
    EXPECT_EQ(h.Prompt(), QString("中間位置を指示して下さい。[マウス右：中止]"));
    ClickExact(120, 100);
    EXPECT_EQ(h.Prompt(), QString("終了位置を指示して下さい。[マウス右：中止]"));
    ClickExact(110, 110);
    ASSERT_EQ(Of(EntityType::Circle).size(), 1u);
    EXPECT_TRUE(ValuesNear(Of(EntityType::Circle)[0], {110, 100, 10}, 1e-9));

    // On one line, or twice the same point: the message, nothing made.
    for (double third : {140.0, 120.0}) {
        ClickExact(100, 100);
        ClickExact(120, 100);
        ClickExact(third, 100);
        EXPECT_EQ(Of(EntityType::Circle).size(), 1u);
        EXPECT_EQ(h.Prompt(), QString("３点指定円を作図します。開始位置を指示して下さい。"));
        EXPECT_EQ(InputPointCount, 0);
    }
    EXPECT_EQ(h.Messages(), (QStringList{"三点指定に誤りがあります。", "三点指定に誤りがあります。"}));
    h.Move(300, 300);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(CircleToolArcTest, CollinearCursorBeepsAndShowsNoArc)
{
    h.Select(4, 5);
    MagnetEnabled = 0;
    h.Click(100, 100);
    h.Click(140, 100);
    h.Move(120, 120);
    EXPECT_TRUE(Tool().Shown(CCircleTool::Preview));
    const int beeps = h.Beeps();
    h.MoveAt(h.Client(160, 100));
    EXPECT_GT(h.Beeps(), beeps);
    EXPECT_FALSE(Tool().Shown(CCircleTool::Preview));
    h.Move(130, 80);
    EXPECT_TRUE(Tool().Shown(CCircleTool::Preview));
}

TEST_F(CircleToolArcTest, RightButtonAndEscapeLeaveNoPreviewBehind)
{
    MagnetEnabled = 0;
    const QImage clean = h.FreshRedraw();
    for (int sub : {2, 5}) {
        SCOPED_TRACE(sub);
        h.Select(4, sub);
        for (bool right : {true, false}) {
            h.Click(20, 100);
            h.Click(280, 100);
            h.Move(150, 140);
            h.Move(150, 150);
            // One pixel off the line: a circle far larger than the view.
            const platform::Point p = h.Client(150, 100);
            h.MoveAt({p.x, p.y - 1});
            EXPECT_TRUE(Tool().Shown(CCircleTool::Preview));
            h.View().RedrawNow();
            h.MoveAt({p.x + 3, p.y - 1});
            OperationRestarted = 0;
            if (right)
                Tool().OnRButtonDown(&h.View(), ToolFlags::RButton, nullptr);
            else
                h.Key(ID_ESCAPE_KEY);
            EXPECT_EQ(OperationRestarted, 1);
            EXPECT_EQ(InputPointCount, 0);
            EXPECT_EQ(h.Prompt(), QString(CCircleTool::FirstPrompt(sub)));
            EXPECT_EQ(ToolHarness::DifferingPixels(h.Screen(), clean), 0);
        }
    }
}

TEST(CircleToolArcPoints, HugeRadiiStayFiniteAndBounded)
{
    ToolHarness h;
    COrvikCadView& v = h.View();
    // Circles through the middle of the view with ever larger radii, the
    // centre far below it.
    const double mx = h.ModelX({400, 300}), my = h.ModelY({400, 300});
    for (double r : {1e3, 1e6, 1e9, 1e11}) {
        SCOPED_TRACE(r);
        const auto pts = CCircleTool::ArcViewPoints(&v, mx, my - r, r, 0.0, 360.0);
        ASSERT_GE(pts.size(), 2u);
        EXPECT_LE(pts.size(), 20001u);
        // Some piece of the polyline crosses the middle of the view.
        const int cx = 400 + v.FrameScrollX(), cy = 300 + v.FrameScrollY();
        bool through = false;
        for (std::size_t i = 0; i < pts.size(); ++i) {
            EXPECT_LE(std::abs(pts[i].x), 134217728);
            EXPECT_LE(std::abs(pts[i].y), 134217728);
            if (i == 0)
                continue;
            const platform::Point a = pts[i - 1], b = pts[i];
            if ((a.x - cx) * (b.x - cx) <= 0 && a.x != b.x) {
                const double y = a.y + double(b.y - a.y) * (cx - a.x) / (b.x - a.x);
                through = through || std::abs(y - cy) <= 2.0;
            }
        }
        EXPECT_TRUE(through);
    }
    // Far beyond any view: nothing, rather than a figure the doubles cannot
    // place.
    EXPECT_TRUE(CCircleTool::ArcViewPoints(&v, mx, my - 1e30, 1e30, 0.0, 360.0).empty());
    EXPECT_TRUE(CCircleTool::ArcViewPoints(&v, 0, 0, 0.0, 0, 360).empty());
    EXPECT_TRUE(CCircleTool::ArcViewPoints(&v, 0, 0, NAN, 0, 360).empty());
    EXPECT_TRUE(CCircleTool::ArcViewPoints(&v, 0, 0, INFINITY, 0, 360).empty());
}

} // namespace
