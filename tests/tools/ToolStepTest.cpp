// A creating tool's operation through a real view: the protected drawing,
// undo, and a screen without leftovers after every way of cancelling.

#include "common/ProbeTool.h"
#include "common/ToolHarness.h"

#include "resources/Resource.h"

namespace {

class ToolStepTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        h = std::make_unique<ToolHarness>();
        probe = std::make_unique<CProbeTool>();
        CurrentToolId = CProbeTool::Id;
        // Something to snap to, so that a marker shows during the step.
        const int16_t codes[4] = {10, 20, 11, 22};
        const double v[4] = {100, 100, 200, 150};
        h->Doc().AddEntity({EntityType::Line, 0, 0, 0, 4}, codes, 0, v);
        h->View().RedrawNow();
    }
    void TearDown() override
    {
        probe.reset();
        h.reset();
    }
    // First click, then a move onto the line's end so that the rubber band
    // and the marker are both on screen.
    void StartStep()
    {
        h->Click(50, 50);
        ASSERT_EQ(InputPointCount, 1);
        h->Move(200, 150);
        ASSERT_EQ(XorPreviewShown, 1);
        ASSERT_NE(probe->magnetKind, 0);
        ASSERT_FALSE(h->ScreenIsFreshRedraw());
    }

    std::unique_ptr<ToolHarness> h;
    std::unique_ptr<CProbeTool> probe;
};

} // namespace

TEST_F(ToolStepTest, TwoClicksAddOneLineDrawnAtOnce)
{
    h->Click(50, 50);
    h->Click(80, 60);
    const auto lines = h->Entities(EntityType::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NEAR(lines[1]->values[2], 80, 1);
    EXPECT_TRUE(h->Doc().modified);
    h->Move(300, 300);
    EXPECT_TRUE(h->ScreenIsFreshRedraw());
}

TEST_F(ToolStepTest, ProtectedDrawingShowsItsMessageAndAddsNothing)
{
    // Only the grid record and no step pending: nothing undo could take.
    h->Doc().list.UndoRedo();
    h->Doc().list.DiscardUndo(&h->Doc().snaps);
    h->Doc().modified = false;
    h->View().InvalidateDrawIndex();
    h->View().RedrawNow();
    ASSERT_TRUE(h->Entities().empty());

    h->Doc().ProtectionState = 1;
    h->Ui().button(IDOK);
    h->Click(50, 50);
    h->Click(80, 60);
    EXPECT_EQ(h->Messages(), QStringList{QStringLiteral("この図面は、書きこみ禁止状態になっています。")});
    EXPECT_TRUE(h->Entities().empty());
    EXPECT_FALSE(h->Doc().modified);

    h->Key(ID_EDIT_UNDO);
    EXPECT_TRUE(h->Entities().empty());
    EXPECT_EQ(h->Doc().list.first, h->Doc().list.last);
    EXPECT_TRUE(h->ScreenIsFreshRedraw());
}

TEST_F(ToolStepTest, UndoTakesTheLineOffTheScreenAndRedoBringsItBack)
{
    const QImage before = h->Screen();
    h->Click(20, 20);
    h->Click(90, 40);
    h->Move(300, 300);
    ASSERT_EQ(h->Entities(EntityType::Line).size(), 2u);
    const QImage withLine = h->Screen();
    EXPECT_NE(withLine, before);

    h->Key(ID_EDIT_UNDO);
    EXPECT_EQ(h->Entities(EntityType::Line).size(), 1u);
    EXPECT_TRUE(h->ScreenIsFreshRedraw());
    EXPECT_EQ(ToolHarness::DifferingPixels(h->Screen(), before), 0);

    h->Key(ID_EDIT_UNDO);
    EXPECT_EQ(h->Entities(EntityType::Line).size(), 2u);
    EXPECT_TRUE(h->ScreenIsFreshRedraw());
    EXPECT_EQ(ToolHarness::DifferingPixels(h->Screen(), withLine), 0);
}

TEST_F(ToolStepTest, RightButtonLeavesNoFigureBehind)
{
    StartStep();
    h->RightClick(200, 150);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_TRUE(h->ScreenIsFreshRedraw());
}

TEST_F(ToolStepTest, EscapeAndContextCancelLeaveNoFigureBehind)
{
    for (unsigned id : {ID_ESCAPE_KEY, ID_TOOL_CANCEL}) {
        StartStep();
        EXPECT_TRUE(h->Key(id));
        EXPECT_EQ(InputPointCount, 0) << id;
        EXPECT_TRUE(h->ScreenIsFreshRedraw()) << id;
    }
}

TEST_F(ToolStepTest, ChoosingAnotherToolLeavesNoFigureBehind)
{
    StartStep();
    h->Key(32811);  // 直線
    EXPECT_EQ(CurrentToolId, ToolId::Line);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_TRUE(h->ScreenIsFreshRedraw());
}

TEST_F(ToolStepTest, MarkerAloneGoesWithAToolChangeToo)
{
    h->Move(200, 150);
    ASSERT_NE(probe->magnetKind, 0);
    h->Select(1, 0);
    EXPECT_EQ(probe->magnetKind, 0);
    EXPECT_TRUE(h->ScreenIsFreshRedraw());
}

TEST_F(ToolStepTest, LeavingTheWindowLeavesNoFigureBehind)
{
    StartStep();
    h->View().OnActivateView(false, nullptr, &h->View());
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_TRUE(h->ScreenIsFreshRedraw());
}
