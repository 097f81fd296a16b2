// The line tool's plain lines: free, fixed length, fixed angle, horizontal/
// vertical, typed ends, the rubber bands on screen and the cancels.

#include "LineToolFixture.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double Deg = std::numbers::pi / 180.0;

class LineToolTest : public LineToolTestBase {
protected:
    void SetUp() override
    {
        AddPoint(0, 0);
        h.Select(2, 0);
    }
};

TEST_F(LineToolTest, StartAndEndPromptsAndOneLine)
{
    ClickExact(0, 0);
    EXPECT_EQ(InputPointCount, 1);
    EXPECT_EQ(h.Prompt(), QString("終端を指示して下さい。[マウス右：数値入力／中止]"));
    MoveAndClick(60, 30);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(h.Prompt(), QString("直線を作図します。始端を指示して下さい。"));
    ASSERT_EQ(Lines().size(), 1u);
    const CEntity* line = h.Entities(EntityType::Line)[0];
    EXPECT_EQ(line->subtype, 0);
    EXPECT_EQ(line->codes, (std::vector<int16_t>{10, 20, 11, 22}));
    EXPECT_EQ(line->values[0], 0.0);
    EXPECT_EQ(line->values[1], 0.0);
    EXPECT_NEAR(line->values[2], 60, 0.5);
    EXPECT_NEAR(line->values[3], 30, 0.5);
    EXPECT_TRUE(h.Doc().modified);
    EXPECT_TRUE(h.Doc().snaps.HasEntityPoints(line));
}

TEST_F(LineToolTest, TypedLengthAndAngleFromTheStart)
{
    ClickExact(0, 0);
    h.Move(40, 40);
    h.Move(45, 40);
    Type(100, -30, 0);
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_TRUE(Near(Lines()[0], {0, 0, 100 * std::cos(30 * Deg), -50}, 1e-9)) << Lines()[0];
    EXPECT_NEAR(Lines()[0].x2, 86.6, 0.003);
    EXPECT_EQ(NumericInputPending, 0);
}

TEST_F(LineToolTest, TypedOffsetsIgnoreTheFixedLengthAndAngle)
{
    LineLengthGiven = 1;
    LineAngleGiven = 1;
    LineAngle = 30;
    ClickExact(0, 0);
    h.Move(80, 10);
    h.Move(90, 10);
    Type(30, 40, 1);
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_TRUE(Near(Lines()[0], {0, 0, 30, 40})) << Lines()[0];
}

TEST_F(LineToolTest, FixedLengthGoesTowardTheClick)
{
    LineLengthGiven = 1;
    LineLength = 50;
    ClickExact(0, 0);
    MoveAndClick(10, 0.2);
    ASSERT_EQ(Lines().size(), 1u);
    const Seg s = Lines()[0];
    EXPECT_NEAR(std::hypot(s.x2, s.y2), 50.0, 1e-9);
    EXPECT_GT(s.x2, 49.0);
}

TEST_F(LineToolTest, FixedLengthNearTheStartKeepsTheClick)
{
    MagnetEnabled = 0;
    LineLengthGiven = 1;
    LineLength = 50;
    const platform::Point start = h.Client(40, 40);
    const platform::Point next{start.x + 1, start.y};  // less than 0.5 away
    h.ClickAt(start);
    h.MoveAt(next);
    h.ClickAt(next);
    ASSERT_EQ(Lines().size(), 1u);
    const Seg s = Lines()[0];
    EXPECT_EQ(s.x2, h.ModelX(next));
    EXPECT_LT(std::hypot(s.x2 - s.x1, s.y2 - s.y1), 0.5);
}

TEST_F(LineToolTest, FixedLengthAndAngleMirrorIntoTheQuadrantOfTheClick)
{
    LineLengthGiven = 1;
    LineAngleGiven = 1;
    LineLength = 30;
    LineAngle = 30;
    struct Case {
        double cx, cy, degrees;
    };
    const Case cases[] = {{20, 10, 30}, {-20, 10, 150}, {-20, -10, 210}, {20, -10, -30}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.degrees);
        const std::size_t before = Lines().size();
        ClickExact(0, 0);
        MoveAndClick(c.cx, c.cy);
        ASSERT_EQ(Lines().size(), before + 1);
        const Seg s = Lines().back();
        EXPECT_TRUE(Near(s, {0, 0, 30 * std::cos(c.degrees * Deg), 30 * std::sin(c.degrees * Deg)})) << s;
    }
}

TEST_F(LineToolTest, FixedAngleEndsOnTheRayAtTheClicksXOrY)
{
    LineAngleGiven = 1;
    struct Case {
        float angle;
        bool atX;  // the end keeps the click's x (else its y)
    };
    const Case cases[] = {{30, true}, {60, false}, {350, false}, {-30, false}, {150, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.angle);
        LineAngle = c.angle;
        const std::size_t before = Lines().size();
        ClickExact(0, 0);
        // The click's own model point: a raw pixel.
        const platform::Point px = h.Client(std::cos(c.angle * Deg) * 60 + 3, std::sin(c.angle * Deg) * 60 + 3);
        const double mx = h.ModelX(px), my = h.ModelY(px);
        h.MoveAt(px);
        h.MoveAt(px);
        h.ClickAt(px);
        ASSERT_EQ(Lines().size(), before + 1);
        const Seg s = Lines().back();
        const double a = c.angle * Deg;
        if (c.atX)
            EXPECT_NEAR(s.x2, mx, 1e-9);
        else
            EXPECT_NEAR(s.y2, my, 1e-9);
        // On the ray: the cross product with its direction is 0.
        EXPECT_NEAR(s.x2 * std::sin(a) - s.y2 * std::cos(a), 0.0, 1e-9) << s;
    }
}

TEST_F(LineToolTest, AxisLineWithFixedLengthIsExactlyHorizontal)
{
    LineMode = 1;
    LineLengthGiven = 1;
    LineLength = 50;
    ClickExact(0, 0);
    MoveAndClick(40 * std::cos(40 * Deg), 40 * std::sin(40 * Deg));
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_TRUE(Near(Lines()[0], {0, 0, 50, 0}, 0)) << Lines()[0];
}

TEST_F(LineToolTest, AxisLineFollowsTheLongerPixelDistanceAndTiesAreHorizontal)
{
    LineMode = 1;
    const platform::Point start = h.Client(0, 0);
    struct Case {
        int dx, dy;
        bool horizontal;
    };
    const Case cases[] = {{40, -40, true}, {30, -31, false}, {-50, 20, true}, {-10, 45, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dx * 1000 + c.dy);
        ClickExact(0, 0);
        const platform::Point p{start.x + c.dx, start.y + c.dy};
        h.MoveAt(p);
        h.MoveAt(p);
        EXPECT_EQ(Tool().toolAux, c.horizontal ? 1 : 0);
        const std::size_t before = Lines().size();
        h.ClickAt(p);
        ASSERT_EQ(Lines().size(), before + 1);
        const Seg s = Lines().back();
        EXPECT_EQ(s.x1, 0.0);
        EXPECT_EQ(s.y1, 0.0);
        if (c.horizontal) {
            EXPECT_EQ(s.y2, 0.0);
            EXPECT_NEAR(s.x2, h.ModelX(p), 1e-9);
        } else {
            EXPECT_EQ(s.x2, 0.0);
            EXPECT_NEAR(s.y2, h.ModelY(p), 1e-9);
        }
    }
}

TEST_F(LineToolTest, AxisLineDirectionComesFromTheClickedPoint)
{
    // However few moves the band has seen, the click decides: one pointer
    // move (the click's own) to (10, 200) from (0, 0) gives the vertical line.
    LineMode = 1;
    struct Case {
        double x, y;
        Seg line;
    };
    for (Case c : {Case{10, 200, {0, 0, 0, 200}}, Case{200, 10, {0, 0, 200, 0}}, Case{-10, -200, {0, 0, 0, -200}}}) {
        ClickExact(0, 0);
        const std::size_t before = Lines().size();
        h.Click(c.x, c.y);
        ASSERT_EQ(Lines().size(), before + 1) << c.x << ", " << c.y;
        EXPECT_TRUE(Near(Lines().back(), c.line, 0.5)) << Lines().back(); // within a pixel
    }
}

TEST_F(LineToolTest, AxisLineTypedLengthGoesToTheSideOfTheBand)
{
    LineMode = 1;
    LineLengthGiven = 1;
    LineLength = 50;
    ClickExact(0, 0);
    h.Move(-5, -40);
    h.Move(-5, -42);
    Type(25);
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_TRUE(Near(Lines()[0], {0, 0, 0, -25}, 0)) << Lines()[0];
}

TEST_F(LineToolTest, AxisLineBeepsForAPickedPointLeftOfOneHundred)
{
    LineMode = 1;
    // A line to pick, its snap points far from the clicks.
    const int16_t codes[4] = {10, 20, 11, 22};
    const double values[4] = {0, 60, 300, 60};
    ASSERT_EQ(h.Doc().list.AddEntity({EntityType::Line, 0, 0, 0, 4}, codes, 0, values), 0);
    h.Doc().snaps.AddEntityPoints(h.Doc().list.last);
    h.View().RedrawNow();
    struct Case {
        double x;
        int beeps;
    };
    for (const Case c : {Case{40, 1}, Case{250, 0}}) {
        SCOPED_TRACE(c.x);
        const int before = h.Beeps();
        h.Move(c.x, 60);
        h.Click(c.x, 60);  // the start
        EXPECT_EQ(Tool().Y[0], 60.0);  // taken from the line
        EXPECT_EQ(h.Beeps() - before, c.beeps);
        h.Key(ID_ESCAPE_KEY);
    }
}

TEST_F(LineToolTest, SecondClickOnTheStartPixelAddsNothing)
{
    ClickExact(0, 0);
    ClickExact(0, 0);
    EXPECT_TRUE(Lines().empty());
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(h.Prompt(), QString("直線を作図します。始端を指示して下さい。"));
}

TEST_F(LineToolTest, AFixedLengthOfZeroAddsNoLine)
{
    LineLengthGiven = 1;
    LineLength = 0;
    ClickExact(0, 0);
    MoveAndClick(40, 10);
    EXPECT_TRUE(Lines().empty());
    EXPECT_EQ(InputPointCount, 0);
}

TEST_F(LineToolTest, BandAndCrossLeaveNothingBehind)
{
    MagnetEnabled = 0;  // no marker on screen
    const QImage before = h.FreshRedraw();
    h.Click(20, 20);
    EXPECT_NE(h.Screen(), before);  // the start cross
    h.Move(70, 40);
    h.Move(80, 45);
    const QImage banded = h.Screen();
    h.Move(90, 20);
    EXPECT_NE(h.Screen(), banded);
    h.Key(ID_ESCAPE_KEY);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(OperationRestarted, 1);
    EXPECT_EQ(h.Prompt(), QString("直線を作図します。始端を指示して下さい。"));
    EXPECT_EQ(ToolHarness::DifferingPixels(h.Screen(), before), 0);
}

TEST_F(LineToolTest, AFinishedLineLeavesOnlyItselfOnScreen)
{
    AddPoint(60, 60);
    ClickExact(60, 60);
    h.Move(100, 90);
    h.Move(110, 95);
    Type(40, 10, 1);
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_TRUE(Near(Lines()[0], {60, 60, 100, 70})) << Lines()[0];
    h.Move(200, 200);  // the marker goes
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(LineToolTest, FixedLengthBandDisappearsNearTheStartAndComesBack)
{
    MagnetEnabled = 0;
    LineLengthGiven = 1;
    LineLength = 50;
    const QImage clean = h.FreshRedraw();
    h.Click(20, 20);
    h.Move(40, 20);
    h.Move(45, 20);
    const QImage withBand = h.Screen();
    h.MoveAt(h.Client(20, 20));  // within 0.5 of the start
    const QImage crossOnly = h.Screen();
    EXPECT_NE(crossOnly, withBand);
    h.Move(45, 20);  // the band comes back where it was
    EXPECT_EQ(h.Screen(), withBand);
    h.Key(ID_ESCAPE_KEY);
    EXPECT_EQ(ToolHarness::DifferingPixels(h.Screen(), clean), 0);
}

TEST_F(LineToolTest, ProtectedDrawingRefusesWithItsMessage)
{
    h.Doc().ProtectionState = 1;
    ClickExact(0, 0);
    MoveAndClick(50, 50);
    EXPECT_TRUE(Lines().empty());
    EXPECT_EQ(h.Messages(), QStringList{"この図面は、書きこみ禁止状態になっています。"});
    EXPECT_EQ(InputPointCount, 0);
}

TEST_F(LineToolTest, ResetWithoutAStartChangesNothing)
{
    OperationRestarted = 0;
    Tool().Reset(&h.View());
    EXPECT_EQ(OperationRestarted, 0);
}

TEST_F(LineToolTest, UndoTakesBackTheLastLine)
{
    ClickExact(0, 0);
    MoveAndClick(50, 0);
    ClickExact(0, 0);
    MoveAndClick(0, 50);
    ASSERT_EQ(Lines().size(), 2u);
    h.Key(ID_EDIT_UNDO);
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_NEAR(Lines()[0].x2, 50, 0.5);
}

} // namespace
