// The line tool's parallels: through a click, at a typed distance, or a
// row of them at the panel's distance; their previews and cancels.

#include "LineToolModeFixture.h"

namespace {

class LineToolParallelTest : public LineToolOnReference<LineToolMode::Parallel> {};

TEST_F(LineToolParallelTest, ThroughTheClickKeepsTheReferenceExtent)
{
    AddPoint(30, 40);
    h.Click(50, 0);
    EXPECT_EQ(InputPointCount, 1);
    EXPECT_EQ(h.Prompt(), QString("作図位置をクリックしてください。"));
    ClickExact(30, 40);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(h.Prompt(), QString("平行基準線を指示して下さい。"));
    const std::vector<Seg> lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(Near(lines[1], {0, 40, 100, 40})) << lines[1];
    EXPECT_TRUE(FreshWithMouseAway());
}

TEST_F(LineToolParallelTest, MissedReferenceBeepsAndWaits)
{
    const int before = h.Beeps();
    h.Click(50, 60);
    EXPECT_EQ(h.Beeps() - before, 1);
    EXPECT_EQ(InputPointCount, 0);
}

TEST_F(LineToolParallelTest, RowAtTheGivenDistanceUndoesOneByOne)
{
    ParallelDistanceGiven = 1;
    ParallelDistance = 10.0f;
    ParallelCount = 3;
    h.Click(50, 0);
    EXPECT_EQ(h.Prompt(), QString("作図方向を指示して下さい。"));
    h.Click(50, 70);
    std::vector<Seg> lines = Lines();
    ASSERT_EQ(lines.size(), 4u);
    for (int i = 1; i <= 3; ++i)
        EXPECT_TRUE(Near(lines[i], {0, 10.0 * i, 100, 10.0 * i}, 1e-9)) << lines[i];
    h.Key(ID_EDIT_UNDO);
    lines = Lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_NEAR(lines[2].y1, 20.0, 1e-9);
    EXPECT_TRUE(FreshWithMouseAway());
}

TEST_F(LineToolParallelTest, ClickOnTheReferenceTellsNoSide)
{
    ParallelDistanceGiven = 1;
    ParallelDistance = 10.0f;
    h.Click(50, 0);
    const int before = h.Beeps();
    h.Click(30, 0);
    EXPECT_EQ(h.Beeps() - before, 1);
    EXPECT_EQ(Lines().size(), 1u);
    EXPECT_EQ(InputPointCount, 1);
    h.Click(30, 30);
    ASSERT_EQ(Lines().size(), 2u);
    EXPECT_NEAR(Lines()[1].y1, 10.0, 1e-9);
}

TEST_F(LineToolParallelTest, RowCountIsBounded)
{
    ParallelDistanceGiven = 1;
    ParallelDistance = 1.0f;
    ParallelCount = 30000;
    h.Click(50, 0);
    h.Click(50, 30);
    EXPECT_EQ(Lines().size(), 101u);
}

TEST_F(LineToolParallelTest, ProtectedDrawingShowsOneMessagePerParallel)
{
    ParallelDistanceGiven = 1;
    ParallelDistance = 5.0f;
    ParallelCount = 5;
    h.Doc().ProtectionState = 1;
    h.Click(50, 0);
    h.Click(50, 30);
    EXPECT_EQ(Lines().size(), 1u);
    EXPECT_EQ(h.Messages().size(), 5);
    EXPECT_EQ(InputPointCount, 0);
}

TEST_F(LineToolParallelTest, HorizontalInfiniteReferenceGivesTheFixedExtent)
{
    AddLineEntity(-999999.9, 50, 9999999.9, 50, EntityType::HorizontalInfiniteLine);
    AddPoint(30, 80);
    h.Click(30, 50);
    ASSERT_EQ(InputPointCount, 1);
    ClickExact(30, 80);
    const std::vector<Seg> lines = LinesOf(EntityType::HorizontalInfiniteLine);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(Near(lines[1], {0.0, 80, 100000.0, 80}, 1e-6)) << lines[1];
}

TEST_F(LineToolParallelTest, TypedDistanceGoesToTheMouseSide)
{
    h.Click(50, 0);
    h.Move(40, -30);
    h.Move(40, -32);
    Type(15);
    ASSERT_EQ(Lines().size(), 2u);
    EXPECT_TRUE(Near(Lines()[1], {0, -15, 100, -15}, 1e-9)) << Lines()[1];
    EXPECT_EQ(NumericInputPending, 0);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_TRUE(FreshWithMouseAway());
}

TEST_F(LineToolParallelTest, TypedValueInTheDistanceModeDoesNotStayPending)
{
    ParallelDistanceGiven = 1;
    ParallelDistance = 10.0f;
    h.Click(50, 0);
    Type(25);
    EXPECT_EQ(NumericInputPending, 0);
}

TEST_F(LineToolParallelTest, CancelsLeaveNoPreview)
{
    const QImage clean = h.Screen();
    for (int how = 0; how < 2; ++how) {
        h.Click(50, 0);
        h.Move(40, 30);
        h.Move(45, 35);
        EXPECT_FALSE(FreshWithMouseAway());
        if (how == 0)
            RightClick(45, 35);
        else
            h.Key(ID_ESCAPE_KEY);
        EXPECT_EQ(InputPointCount, 0) << how;
        EXPECT_EQ(h.Prompt(), QString("平行基準線を指示して下さい。"));
        EXPECT_TRUE(FreshWithMouseAway()) << how;
        EXPECT_EQ(ToolHarness::DifferingPixels(h.Screen(), clean), 0) << how;
    }
    EXPECT_EQ(Lines().size(), 1u);
}

TEST_F(LineToolParallelTest, ReferenceTakenAwayBeforeTheSecondClick)
{
    // The reference is a parallel the tool drew itself; undo takes it.
    AddPoint(30, 40);
    h.Click(50, 0);
    ClickExact(30, 40);
    ASSERT_EQ(Lines().size(), 2u);
    h.Click(70, 40);
    ASSERT_EQ(InputPointCount, 1);
    h.Key(ID_EDIT_UNDO);
    ASSERT_EQ(Lines().size(), 1u);
    const int before = h.Beeps();
    h.Click(70, 70);
    EXPECT_EQ(h.Beeps() - before, 1);
    EXPECT_EQ(Lines().size(), 1u);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(h.Prompt(), QString("平行基準線を指示して下さい。"));
}

TEST_F(LineToolParallelTest, ReferenceWithoutLengthIsRefused)
{
    AddLineEntity(20, 60, 20, 60);
    const int before = h.Beeps();
    h.Click(20, 60);
    EXPECT_EQ(h.Beeps() - before, 1);
    EXPECT_EQ(InputPointCount, 0);
}

} // namespace
