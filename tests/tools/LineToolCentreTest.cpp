// The line tool's centre lines: bisectors of crossing lines, the line
// halfway between parallels, the ends on it, and the cancels.

#include "LineToolModeFixture.h"

namespace {

class LineToolCentreTest : public LineToolModeTestBase {
protected:
    void SetUp() override { h.Select(2, 5); }
    // The centre line a·x + b·y + c = 0 as the tool holds it.
    double Side(double x, double y) { return Tool().workX * x + Tool().workY * y + Tool().workValue1; }
};

TEST_F(LineToolCentreTest, BisectorOfCrossingLines)
{
    AddLineEntity(0, 0, 100, 0);
    AddLineEntity(0, 0, 0, 100);
    AddPoint(10, 12);
    AddPoint(40, 38);
    h.Click(50, 0);
    EXPECT_EQ(h.Prompt(), QString("対象とする次の線分を選んでください。"));
    h.Click(0, 50);
    EXPECT_EQ(InputPointCount, 2);
    EXPECT_EQ(h.Prompt(), QString("中心線の始点位置を指定してください。"));
    EXPECT_NEAR(Side(70, 70), 0.0, 1e-6);
    ClickExact(10, 12);
    EXPECT_EQ(h.Prompt(), QString("中心線の終点位置を指定してください。"));
    ClickExact(40, 38);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(h.Prompt(), QString("中心線を作図します。対象とする線分を選んでください。"));
    ASSERT_EQ(Lines().size(), 3u);
    EXPECT_TRUE(Near(Lines()[2], {11, 11, 39, 39}, 1e-9)) << Lines()[2];
    EXPECT_TRUE(FreshWithMouseAway());
    h.Key(ID_EDIT_UNDO);
    EXPECT_EQ(Lines().size(), 2u);
}

TEST_F(LineToolCentreTest, PickedPartsChooseTheBisector)
{
    AddLineEntity(0, 0, 100, 0);
    AddLineEntity(0, -100, 0, 100);
    h.Click(50, 0);
    h.Click(0, -50);
    ASSERT_EQ(InputPointCount, 2);
    EXPECT_NEAR(Side(70, -70), 0.0, 1e-6);
    EXPECT_GT(std::abs(Side(70, 70)), 1.0);
}

TEST_F(LineToolCentreTest, HalfwayBetweenParallels)
{
    AddLineEntity(0, 0, 100, 0);
    AddLineEntity(0, 20, 100, 20);
    AddPoint(5, 3);
    AddPoint(80, -4);
    for (int typed = 0; typed < 2; ++typed) {
        h.Click(10, 0);
        h.Click(30, 20);
        ASSERT_EQ(InputPointCount, 2);
        EXPECT_NEAR(Tool().X[0], -999999.9, 1e-6);
        EXPECT_NEAR(Tool().Y[0], 10.0, 1e-9);
        EXPECT_NEAR(Tool().X[1], 999999.9, 1e-6);
        EXPECT_NEAR(Tool().Y[1], 10.0, 1e-9);
        ClickExact(5, 3);
        if (typed) {
            Type(50);
            EXPECT_EQ(NumericInputPending, 0);
        } else {
            ClickExact(80, -4);
        }
        const Seg expected = typed ? Seg{5, 10, 55, 10} : Seg{5, 10, 80, 10};
        EXPECT_TRUE(Near(Lines().back(), expected, 1e-9)) << Lines().back();
        EXPECT_TRUE(FreshWithMouseAway()) << typed;
    }
}

TEST_F(LineToolCentreTest, SameLineTwiceBeepsAndWaits)
{
    AddLineEntity(0, 0, 100, 0);
    h.Click(20, 0);
    const int before = h.Beeps();
    h.Click(60, 0);
    EXPECT_EQ(h.Beeps() - before, 1);
    EXPECT_EQ(InputPointCount, 1);
}

TEST_F(LineToolCentreTest, SecondPickOnTheCrossingIsRefused)
{
    AddLineEntity(0, 0, 100, 0);
    AddLineEntity(-50, -50, 50, 50);
    h.Click(60, 0);
    const int before = h.Beeps();
    h.Click(0, 0);
    EXPECT_GE(h.Beeps() - before, 1);
    EXPECT_EQ(InputPointCount, 1);
}

TEST_F(LineToolCentreTest, RightButtonCancelsAtEveryStep)
{
    AddLineEntity(0, 0, 100, 0);
    AddLineEntity(0, 0, 0, 100);
    const QImage clean = h.Screen();
    for (int steps = 0; steps <= 3; ++steps) {
        OperationRestarted = 0;
        const double picks[][2] = {{50, 0}, {0, 50}, {20, 20}};
        for (int i = 0; i < steps; ++i)
            h.Click(picks[i][0], picks[i][1]);
        h.Move(30, 35);
        h.Move(33, 35);
        ASSERT_EQ(InputPointCount, steps);
        RightClick(33, 35);
        EXPECT_EQ(InputPointCount, 0);
        EXPECT_EQ(OperationRestarted, 1);
        EXPECT_EQ(h.Prompt(), QString("中心線を作図します。対象とする線分を選んでください。"));
        EXPECT_TRUE(FreshWithMouseAway()) << steps;
        EXPECT_EQ(ToolHarness::DifferingPixels(h.Screen(), clean), 0) << steps;
    }
    EXPECT_EQ(Lines().size(), 2u);
}

TEST_F(LineToolCentreTest, RepaintKeepsTheDottedGuideErasable)
{
    AddLineEntity(0, 0, 100, 0);
    AddLineEntity(0, 0, 0, 100);
    h.Click(50, 0);
    h.Click(0, 50);
    h.View().RedrawNow();
    h.Key(ID_ESCAPE_KEY);
    EXPECT_TRUE(FreshWithMouseAway());
}

} // namespace
