// The expansion tool through the view: its modes' prompts and cancel, the
// cut between two positions on a line, the cut between two lines, each one
// undo step, and an element taken away between clicks.

#include "common/ToolHarness.h"

#include "edit_tools/ExpansionTool.h"
#include "model/Document.h"
#include "model/Settings.h"
#include "model/SnapPointList.h"
#include "resources/Resource.h"
#include "view/ToolState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

class ExpansionToolTest : public ::testing::Test {
protected:
    CEntity* AddLine(double x1, double y1, double x2, double y2, int16_t layer = 0, int16_t type = EntityType::Line)
    {
        EntityHeader hd{type, 0, 305, layer, 4};
        const double v[4] = {x1, y1, x2, y2};
        const int16_t codes[4] = {10, 20, 11, 22};
        return h.AddRecord(hd, codes, 0x00123456, v);
    }
    void Mode(int mode)
    {
        h.Select(9, mode);
        ASSERT_EQ(CurrentToolId, ToolId::Expansion);
        ASSERT_EQ(ToolSubMode, mode);
    }
    // The lines of the drawing, as (x1, y1, x2, y2) sorted.
    std::vector<std::vector<double>> Lines()
    {
        std::vector<std::vector<double>> out;
        for (const CEntity* e : h.Entities(EntityType::Line)) {
            std::vector<double> v(e->values.begin(), e->values.begin() + 4);
            for (double& d : v)
                d = std::round(d * 1000) / 1000;
            out.push_back(v);
        }
        std::sort(out.begin(), out.end());
        return out;
    }

    ToolHarness h;
};

TEST_F(ExpansionToolTest, CutOutOfALineIsOneUndoStep)
{
    // Off the grid's lines, so that a fresh redraw paints it the same.
    CEntity* line = AddLine(3, 3, 103, 3);
    h.View().RedrawNow();
    Mode(2);
    h.Click(53, 3);
    EXPECT_EQ(line->state, EntityState::TempMark);
    EXPECT_EQ(h.Prompt(), QStringLiteral("カット開始位置を指示して下さい。"));
    h.Move(33, 13);
    h.Click(33, 13);
    EXPECT_EQ(h.Prompt(), QStringLiteral("カット終了位置を指示して下さい。"));
    h.Move(63, -5);
    h.Click(63, -5);
    EXPECT_EQ(h.Prompt(), QStringLiteral("カットする図形要素を指示して下さい。"));
    const auto pieces = Lines();
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_NEAR(pieces[0][2], 33, 0.5);
    EXPECT_NEAR(pieces[1][0], 63, 0.5);
    for (const CEntity* e : h.Entities(EntityType::Line)) {
        EXPECT_EQ(e->style, 305);
        EXPECT_EQ(e->colour, 0x00123456u);
        EXPECT_TRUE(h.Doc().snaps.HasEntityPoints(e));
    }
    EXPECT_TRUE(h.Doc().modified);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());

    h.Key(ID_EDIT_UNDO);
    EXPECT_EQ(Lines(), (std::vector<std::vector<double>>{{3, 3, 103, 3}}));
    EXPECT_EQ(h.Entities(EntityType::Line)[0], line);
    EXPECT_EQ(line->state, EntityState::Normal);
}

TEST_F(ExpansionToolTest, InfiniteLineIsCutAsItsSegmentIntoPlainLines)
{
    AddLine(0, 0, 100, 0, 0, EntityType::InfiniteLine);
    Mode(2);
    h.Click(50, 0);
    h.Click(0, 0);
    h.Click(40, 0);
    ASSERT_EQ(h.Entities(EntityType::Line).size(), 1u);
    EXPECT_TRUE(h.Entities(EntityType::InfiniteLine).empty());
    const auto piece = Lines()[0];
    EXPECT_NEAR(piece[0], 40, 0.5);  // the click's pixel
    EXPECT_EQ(piece[2], 100);
}

TEST_F(ExpansionToolTest, CutFromEndToEndDeletesTheLineAsOneStep)
{
    AddLine(0, 0, 100, 0);
    Mode(2);
    h.Click(50, 0);
    h.Click(-20, 0);   // beyond the first end: moved onto it
    h.Click(130, 0);   // beyond the second
    EXPECT_TRUE(h.Entities(EntityType::Line).empty());
    h.Key(ID_EDIT_UNDO);
    EXPECT_EQ(Lines(), (std::vector<std::vector<double>>{{0, 0, 100, 0}}));
}

TEST_F(ExpansionToolTest, ProtectedDrawingSaysSoOnceAndKeepsTheLine)
{
    CEntity* line = AddLine(0, 0, 100, 0);
    Mode(2);
    h.Click(50, 0);
    h.Click(20, 0);
    h.Doc().ProtectionState = 1;
    h.Click(70, 0);
    EXPECT_EQ(h.Messages(), QStringList{QStringLiteral("この図面は、書きこみ禁止状態になっています。")});
    EXPECT_EQ(Lines(), (std::vector<std::vector<double>>{{0, 0, 100, 0}}));
    EXPECT_EQ(line->state, EntityState::Normal);
    EXPECT_EQ(InputPointCount, 0);
    h.Doc().ProtectionState = 0;
}

// Undo between the pick and the cut takes the line away: the next click
// beeps and starts over, and nothing reads the freed line.
TEST_F(ExpansionToolTest, ElementTakenAwayBetweenClicksStartsOver)
{
    AddLine(0, 0, 100, 0);
    Mode(2);
    h.Click(50, 0);
    h.Key(ID_EDIT_UNDO);  // takes the added line back
    ASSERT_TRUE(h.Entities(EntityType::Line).empty());
    const int beeps = h.Beeps();
    h.Move(30, 0);
    h.Click(30, 0);
    EXPECT_GT(h.Beeps(), beeps);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(h.Prompt(), QStringLiteral("カットする図形要素を指示して下さい。"));
}

TEST_F(ExpansionToolTest, CancelEveryModeAndNothingAtStepZero)
{
    CEntity* line = AddLine(3, 3, 103, 3);
    h.View().RedrawNow();
    // At step 0 a right click writes nothing.
    Mode(2);
    OperationRestarted = 0;
    h.RightClick(200, 200);
    EXPECT_EQ(OperationRestarted, 0);

    struct {
        int mode;
        int16_t state;  // of the picked line before the cancel
        const char* afterPick;
    } cases[] = {
        {1, EntityState::Marked, "伸縮する直線を指示して下さい。[マウス右：終了]"},
        {2, EntityState::TempMark, "カット開始位置を指示して下さい。"},
        {3, EntityState::Highlighted, "次の直線を指示して下さい。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        Mode(c.mode);
        h.Click(53, 3);
        EXPECT_EQ(line->state, c.state);
        EXPECT_EQ(h.Prompt(), QString::fromUtf8(c.afterPick));
        if (c.mode == 2)
            h.Move(33, 8);
        h.RightClick(33, 8);
        EXPECT_EQ(line->state, EntityState::Normal);
        EXPECT_EQ(InputPointCount, 0);
        EXPECT_EQ(OperationRestarted, 1);
        EXPECT_EQ(h.Prompt(), QString::fromUtf8(CExpansionTool::FirstPrompt(c.mode)));
        EXPECT_TRUE(h.ScreenIsFreshRedraw());
    }
}

// The lines between two bounding lines lose the part between them, on every
// layer, as one undo step; the bounding lines stay.
TEST_F(ExpansionToolTest, TwoLineCutSweepsEveryLayer)
{
    CurrentColor = 0x00ABCDEF;
    AddLine(20, -50, 20, 50);    // first bounding line
    AddLine(80, -50, 80, 50);    // second
    AddLine(0, 0, 100, 0);       // crosses both: the middle goes
    AddLine(0, 20, 50, 20, 3);   // on another layer, crosses the first only
    AddLine(30, -20, 60, -20);   // wholly between: stays
    AddLine(0, 30, 100, 60);     // slanted, crosses both
    Mode(3);
    h.Click(20, 40);
    h.Click(80, 40);
    EXPECT_EQ(h.Prompt(), QStringLiteral("２線間の直線をカットします。第１直線を指示して下さい。"));
    const std::vector<std::vector<double>> expected = {
        {0, 0, 20, 0},    {0, 30, 20, 36}, {20, -50, 20, 50}, {20, 20, 0, 20}, {30, -20, 60, -20},
        {80, -50, 80, 50}, {80, 0, 100, 0}, {80, 54, 100, 60},
    };
    EXPECT_EQ(Lines(), expected);
    // The pieces are in the current colour on the current layer.
    int pieces = 0;
    for (const CEntity* e : h.Entities(EntityType::Line)) {
        if (e->colour == 0x00ABCDEFu) {
            ++pieces;
            EXPECT_EQ(e->layer, 0);
        }
    }
    EXPECT_EQ(pieces, 5);

    h.Key(ID_EDIT_UNDO);
    EXPECT_EQ(Lines(), (std::vector<std::vector<double>>{{0, 0, 100, 0},
                                                         {0, 20, 50, 20},
                                                         {0, 30, 100, 60},
                                                         {20, -50, 20, 50},
                                                         {30, -20, 60, -20},
                                                         {80, -50, 80, 50}}));
}

} // namespace
