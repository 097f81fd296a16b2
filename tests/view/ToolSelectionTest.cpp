// The drawing menu's commands and the switch between the two palettes.

#include "common/ToolHarness.h"

#include "view/ToolSelection.h"
#include "resources/Resource.h"

#include <set>

namespace {

class ToolSelectionTest : public ::testing::Test {
protected:
    void SetUp() override { h = std::make_unique<ToolHarness>(); }
    void TearDown() override { h.reset(); }
    std::unique_ptr<ToolHarness> h;
};

} // namespace

TEST_F(ToolSelectionTest, MenuCommandsSelectTheirPairs)
{
    struct Case {
        unsigned id;
        int tool, item;
    };
    const Case cases[] = {
        {32819, ToolId::Circle, 1},    {32818, ToolId::Line, 7},   {32820, ToolId::Line, 8},
        {32833, ToolId::Text, 1},      {32832, ToolId::Text, 0},   {32852, ToolId::Transform, 0},
        {32855, ToolId::Move, 0},      {32861, ToolId::Move, 6},   {32863, ToolId::Hatch, 1},
        {32864, ToolId::Image, 0},     {32867, ToolId::Develop, 2}, {32801, ToolId::Select, 0},
        {32841, ToolId::Dimension, 7}, {32851, ToolId::Corner, 0},
    };
    for (const Case& c : cases) {
        InputPointCount = 2;
        ASSERT_TRUE(h->Key(c.id)) << c.id;
        EXPECT_EQ(CurrentToolId, c.tool) << c.id;
        EXPECT_EQ(ToolSubMode, c.item) << c.id;
        EXPECT_EQ(PaletteSubCommand, c.item);
        EXPECT_EQ(InputPointCount, 0);
    }
}

TEST(DrawCommandTable, EveryIdOnceAndPairsWithinTheirGroups)
{
    int n = 0;
    const DrawCommand* table = DrawCommands(n);
    EXPECT_EQ(n, 67);
    std::set<unsigned> ids;
    for (int i = 0; i < n; ++i)
        ids.insert(table[i].id);
    EXPECT_EQ(ids.size(), 67u);
    EXPECT_EQ(*ids.begin(), 32801u);
    EXPECT_EQ(*ids.rbegin(), 32867u);
    int g = 0, item = 0;
    EXPECT_FALSE(DrawCommandPair(32868, g, item));
}

TEST_F(ToolSelectionTest, SelectingCancelsTheRunningStepAndTheSameCommandStartsAfresh)
{
    h->Key(32811);
    CDrawTool* line = ToolList.Find(ToolId::Line);
    InputPointCount = 3;
    XorPreviewShown = 1;
    OperationRestarted = 1;
    h->Key(32811);
    EXPECT_EQ(CurrentToolId, ToolId::Line);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(XorPreviewShown, 0);
    EXPECT_EQ(OperationRestarted, 0);
    EXPECT_NE(line, nullptr);
}

TEST_F(ToolSelectionTest, DrawingCommandReplacesThePartsPalette)
{
    ASSERT_NE(h->Frame(), nullptr);
    PaletteShown = 0;
    h->Key(ID_VIEW_PARTS_TREE);
    EXPECT_EQ(PaletteShown, 1);
    EXPECT_EQ(CurrentToolId, ToolId::Inport);
    h->Key(ID_VIEW_PARTS_TREE);  // shown already: nothing
    EXPECT_EQ(PaletteShown, 1);

    h->Key(32824);  // 円（半径指定）
    EXPECT_EQ(PaletteShown, 0);
    EXPECT_EQ(CurrentToolId, ToolId::Circle);
    // The parts palette can come back afterwards.
    h->Key(ID_VIEW_PARTS_TREE);
    EXPECT_EQ(PaletteShown, 1);
    // The drawing palette brings back the pair chosen before.
    h->Key(ID_VIEW_DRAW_PALETTE);
    EXPECT_EQ(PaletteShown, 0);
    EXPECT_EQ(CurrentToolId, ToolId::Circle);
    EXPECT_EQ(ToolSubMode, 0);
    h->Key(ID_VIEW_DRAW_PALETTE);
    EXPECT_EQ(PaletteShown, 0);
}
