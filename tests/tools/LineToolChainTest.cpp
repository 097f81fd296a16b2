// The line tool's chains: continuous lines (free and horizontal/vertical)
// and lines with width with their mitred side lines.

#include "LineToolFixture.h"

#include <cmath>

namespace {

class LineToolChainTest : public LineToolTestBase {
protected:
    // Point entities at the corners of the chains, so that clicks are exact.
    void SetUp() override
    {
        for (auto [x, y] : {std::pair{0.0, 0.0}, {100.0, 0.0}, {100.0, 100.0}, {0.0, 100.0}, {200.0, 0.0}})
            AddPoint(x, y);
    }
    const CEntity* Line(std::size_t i) { return h.Entities(EntityType::Line).at(i); }
    // Whether the entity has a snap point registered at (x, y).
    bool HasSnapAt(const CEntity* e, double x, double y)
    {
        for (const SnapPoint& p : h.Doc().snaps.EntityPoints(e))
            if (p.x == x && p.y == y)
                return true;
        return false;
    }
};

TEST_F(LineToolChainTest, WidthLineSidesMeetAtMitredCorners)
{
    h.Select(2, 6);
    ClickExact(0, 0);
    EXPECT_EQ(h.Prompt(), QString("終端を指示して下さい。[マウス右：数値入力／中止]"));
    ClickExact(100, 0);
    ClickExact(100, 100);
    h.DoubleClick(100, 100);
    EXPECT_EQ(InputPointCount, 0);
    const std::vector<Seg> expected = {
        {0, 20, 80, 20}, {0, -20, 120, -20}, {80, 20, 80, 100}, {120, -20, 120, 100}};
    const std::vector<Seg> lines = Lines();
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_TRUE(Near(lines[i], expected[i], 0)) << i << ": " << lines[i];
    // The moved ends took their snap points with them.
    EXPECT_TRUE(HasSnapAt(Line(0), 80, 20));
    EXPECT_FALSE(HasSnapAt(Line(0), 100, 20));
    EXPECT_TRUE(HasSnapAt(Line(1), 120, -20));
    EXPECT_FALSE(HasSnapAt(Line(1), 100, -20));
}

TEST_F(LineToolChainTest, UndoTakesOnlyTheLastSideLineAndKeepsTheCorners)
{
    h.Select(2, 6);
    ClickExact(0, 0);
    ClickExact(100, 0);
    ClickExact(100, 100);
    h.Key(ID_EDIT_UNDO);
    const std::vector<Seg> lines = Lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(Near(lines[0], {0, 20, 80, 20}, 0)) << lines[0];
    EXPECT_TRUE(Near(lines[1], {0, -20, 120, -20}, 0)) << lines[1];
    EXPECT_TRUE(Near(lines[2], {80, 20, 80, 100}, 0)) << lines[2];
}

TEST_F(LineToolChainTest, AnUndoneSideLineIsNotJoinedAgain)
{
    h.Select(2, 6);
    ClickExact(0, 0);
    ClickExact(100, 0);
    h.Key(ID_EDIT_UNDO);  // the right side line of the first segment goes
    ClickExact(100, 100);
    const std::vector<Seg> lines = Lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(Near(lines[0], {0, 20, 80, 20}, 0)) << lines[0];
    EXPECT_TRUE(Near(lines[1], {80, 20, 80, 100}, 0)) << lines[1];
    // The right side starts afresh at the foot of the segment's start.
    EXPECT_TRUE(Near(lines[2], {120, 0, 120, 100}, 0)) << lines[2];
}

TEST_F(LineToolChainTest, ALeftGapBelowOneTwentiethGivesNoLeftLines)
{
    DoubleLineLeftGap = 0.04f;
    h.Select(2, 6);
    ClickExact(0, 0);
    ClickExact(100, 0);
    ClickExact(100, 100);
    const std::vector<Seg> lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(Near(lines[0], {0, -20, 120, -20}, 0)) << lines[0];
    EXPECT_TRUE(Near(lines[1], {120, -20, 120, 100}, 0)) << lines[1];
}

TEST_F(LineToolChainTest, ALeftGapOfOneTwentiethGivesLeftLines)
{
    DoubleLineLeftGap = 0.05f;
    h.Select(2, 6);
    ClickExact(0, 0);
    ClickExact(100, 0);
    const std::vector<Seg> lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NEAR(lines[0].y1, 0.05, 1e-8);
}

TEST_F(LineToolChainTest, CentreLineAddsTheSegmentsToo)
{
    DoubleLineCentre = 1;
    h.Select(2, 6);
    ClickExact(0, 0);
    ClickExact(100, 0);
    const std::vector<Seg> lines = Lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(Near(lines[0], {0, 0, 100, 0}, 0));
    EXPECT_TRUE(Near(lines[1], {0, 20, 100, 20}, 0));
    EXPECT_TRUE(Near(lines[2], {0, -20, 100, -20}, 0));
}

TEST_F(LineToolChainTest, DoubleClickEndsTheChainAndTheNextJoinsNothing)
{
    h.Select(2, 6);
    ClickExact(0, 0);
    ClickExact(100, 0);
    h.DoubleClick(100, 0);
    ClickExact(100, 0);
    ClickExact(100, 100);
    const std::vector<Seg> lines = Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_TRUE(Near(lines[0], {0, 20, 100, 20}, 0)) << lines[0];
    EXPECT_TRUE(Near(lines[1], {0, -20, 100, -20}, 0)) << lines[1];
    EXPECT_TRUE(Near(lines[2], {80, 0, 80, 100}, 0)) << lines[2];
    EXPECT_TRUE(Near(lines[3], {120, 0, 120, 100}, 0)) << lines[3];
}

TEST_F(LineToolChainTest, DoubleClickLeavesThePromptForANewStart)
{
    struct Case {
        int item;
        int16_t continuousMode;
        const char* prompt;
    };
    for (Case c : {Case{1, 0, "折れ線を作図します。始端を指示して下さい。"},
                   Case{1, 1, "水平垂直連続線を作図します。開始位置を指示して下さい。"},
                   Case{6, 0, "幅付き線を作図します。始端を指示して下さい。"}}) {
        ContinuousLineMode = c.continuousMode;
        h.Select(2, c.item);
        ClickExact(0, 0);
        ClickExact(100, 0);
        EXPECT_NE(h.Prompt(), QString::fromUtf8(c.prompt));
        h.DoubleClick(100, 0);
        EXPECT_EQ(h.Prompt(), QString::fromUtf8(c.prompt)) << c.item;
        EXPECT_FALSE(h.Warning());
    }
}

TEST_F(LineToolChainTest, WidthSegmentOfNoLengthIsSkipped)
{
    LineLengthGiven = 1;
    LineLength = 0;
    h.Select(2, 6);
    ClickExact(0, 0);
    ClickExact(100, 0);
    EXPECT_TRUE(Lines().empty());
    EXPECT_EQ(InputPointCount, 1);
}

TEST_F(LineToolChainTest, RightButtonCancelsALineWithWidth)
{
    MagnetEnabled = 0;
    h.Select(2, 6);
    const QImage clean = h.FreshRedraw();
    h.Click(30, 30);
    h.Move(60, 50);
    h.Move(70, 55);
    h.RightClick(70, 55);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(OperationRestarted, 1);
    EXPECT_EQ(h.Prompt(), QString("幅付き線を作図します。始端を指示して下さい。"));
    EXPECT_EQ(ToolHarness::DifferingPixels(h.Screen(), clean), 0);
}

TEST_F(LineToolChainTest, ContinuousLineWithFixedLengthGoesOnFromEachEnd)
{
    LineLengthGiven = 1;
    LineLength = 50;
    h.Select(2, 1);
    ClickExact(0, 0);
    ClickExact(100, 0);
    ClickExact(100, 100);
    const std::vector<Seg> lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(Near(lines[0], {0, 0, 50, 0}, 0)) << lines[0];
    // From (50, 0) toward (100, 100), 50 long.
    const double d = 50 / std::hypot(50.0, 100.0);
    EXPECT_TRUE(Near(lines[1], {50, 0, 50 + 50 * d, 100 * d})) << lines[1];
    EXPECT_EQ(InputPointCount, 1);
}

TEST_F(LineToolChainTest, TypedFirstPointCountsFromTheDrawingOrigin)
{
    h.Select(2, 1);
    const double ox = h.Doc().DrawingOrigin[0], oy = h.Doc().DrawingOrigin[1];
    Type(40, 30, 1);
    EXPECT_EQ(InputPointCount, 1);
    EXPECT_EQ(NumericInputPending, 0);
    h.Move(ox + 80, oy + 10);
    h.Move(ox + 90, oy + 10);
    Type(10, -5, 1);
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_TRUE(Near(Lines()[0], {ox + 40, oy + 30, ox + 50, oy + 25})) << Lines()[0];
}

TEST_F(LineToolChainTest, AxisChainTurnsAtEachEnd)
{
    ContinuousLineMode = 1;
    h.Select(2, 1);
    ClickExact(0, 0);
    EXPECT_EQ(h.Prompt(), QString("終端を指示して下さい。[マウス右：中止]"));
    h.Move(60, 3);
    h.Move(100, 3);
    h.Click(100, 3);
    h.Move(97, 60);
    h.Move(97, 100);
    h.Click(97, 100);
    const std::vector<Seg> lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].y1, 0.0);
    EXPECT_EQ(lines[0].y2, 0.0);
    EXPECT_EQ(lines[1].x1, lines[0].x2);
    EXPECT_EQ(lines[1].x2, lines[0].x2);
    EXPECT_EQ(lines[1].y1, 0.0);
    EXPECT_NEAR(lines[1].y2, 100, 0.5);
    h.Key(ID_ESCAPE_KEY);
    EXPECT_EQ(h.Prompt(), QString("水平垂直連続線を作図します。開始位置を指示して下さい。"));
}

TEST_F(LineToolChainTest, ClickOnTheCurrentStartAddsNothingAndKeepsTheChain)
{
    MagnetEnabled = 0;
    h.Select(2, 1);
    h.Click(30, 30);
    h.Move(60, 40);
    h.Move(60, 45);
    h.Click(30, 30);
    EXPECT_TRUE(Lines().empty());
    EXPECT_EQ(InputPointCount, 1);
    h.Key(ID_ESCAPE_KEY);
    EXPECT_EQ(h.Prompt(), QString("折れ線を作図します。始端を指示して下さい。"));
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(LineToolChainTest, RepaintsUnderTheBandKeepItErasable)
{
    MagnetEnabled = 0;
    h.Select(2, 1);
    h.Click(20, 20);
    h.Move(90, 20);
    h.Click(100, 20);
    h.Move(70, 25);
    h.Move(60, 25);  // the band runs back over the line just drawn
    h.Key(ID_EDIT_UNDO);
    h.Screen();  // the screen is repainted where the line was
    h.Key(ID_ESCAPE_KEY);
    EXPECT_TRUE(Lines().empty());
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(LineToolChainTest, ChainBandsFollowTheFixedLengthWithoutTheLinePanelsAngle)
{
    LineLengthGiven = 1;
    LineLength = 50;
    LineAngleGiven = 1;  // left over from the line panel
    LineAngle = 30;
    for (int item : {1, 6}) {
        SCOPED_TRACE(item);
        h.Select(2, item);
        ClickExact(0, 0);
        h.Move(0, 80);
        h.Move(0, 90);
        // The band ends 50 up from the start, where the click will end it.
        const platform::Point end = Tool().corner;
        EXPECT_EQ(end.x, h.View().XToDevice(0));
        EXPECT_EQ(end.y, h.View().YToDevice(50));
        h.Key(ID_ESCAPE_KEY);
    }
}

TEST_F(LineToolChainTest, CancelledNumericInputEndsTheChain)
{
    MagnetEnabled = 0;
    h.Select(2, 1);
    h.Click(20, 20);
    h.Move(60, 30);
    h.Move(70, 30);
    h.Ui().dialog(IDCANCEL);
    h.View().OnNumericInput();
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(h.Prompt(), QString("折れ線を作図します。始端を指示して下さい。"));
    EXPECT_TRUE(Lines().empty());
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(LineToolChainTest, ProtectedDrawingRefusesEachLineAndTheChainGoesOn)
{
    h.Doc().ProtectionState = 2;
    h.Select(2, 6);
    ClickExact(0, 0);
    ClickExact(100, 0);
    EXPECT_TRUE(Lines().empty());
    EXPECT_EQ(h.Messages(), (QStringList{"この図面は、パスワードによって保護されています。",
                                         "この図面は、パスワードによって保護されています。"}));
    EXPECT_EQ(InputPointCount, 1);
    EXPECT_EQ(Tool().X[0], 100.0);
    // Once writable again, the next segment joins nothing that was refused.
    h.Doc().ProtectionState = 0;
    ClickExact(100, 100);
    const std::vector<Seg> lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(Near(lines[0], {80, 0, 80, 100}, 0)) << lines[0];
    EXPECT_TRUE(Near(lines[1], {120, 0, 120, 100}, 0)) << lines[1];
}

TEST_F(LineToolChainTest, AxisChainTurnsWhereTheClickSays)
{
    // Each click right after the previous one, with no move of its own
    // before the click's: the clicked point still sets the direction.
    ContinuousLineMode = 1;
    h.Select(2, 1);
    ClickExact(0, 0);
    h.Click(10, 200);
    h.Click(100, 190);
    const std::vector<Seg> lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(Near(lines[0], {0, 0, 0, 200}, 0.5)) << lines[0];
    EXPECT_TRUE(Near(lines[1], {0, 200, 100, 200}, 0.5)) << lines[1];
}

TEST_F(LineToolChainTest, AxisChainTypedLengthGoesToTheSideOfTheBand)
{
    ContinuousLineMode = 1;
    h.Select(2, 1);
    ClickExact(0, 0);
    h.Move(-40, 5);
    h.Move(-50, 5);
    Type(30);
    h.Move(-30, -40);
    h.Move(-30, -50);
    Type(20);
    const std::vector<Seg> lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(Near(lines[0], {0, 0, -30, 0}, 0)) << lines[0];
    EXPECT_TRUE(Near(lines[1], {-30, 0, -30, -20}, 0)) << lines[1];
}

TEST_F(LineToolChainTest, DoubleClickLeavesNothingOfTheChainOnScreen)
{
    MagnetEnabled = 0;
    h.Select(2, 1);
    h.Click(20, 20);
    h.Move(90, 30);
    h.Click(100, 30);
    h.DoubleClick(100, 30);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(Lines().size(), 1u);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

} // namespace
