// The development tool through the view: a click places the development as
// one group, undone in one step; refusals add nothing.

#include "common/ToolHarness.h"

#include "annotation_tools/DevelopTool.h"
#include "model/EntityList.h"
#include "resources/Resource.h"
#include "view/ToolList.h"
#include "view/ToolState.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {

class DevelopToolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = CDevelopTool::RunParameterDialog;
        CDevelopTool::RunParameterDialog = [this](COrvikCadView*, int kind, std::array<float, 7>& v) {
            asked.push_back(kind);
            if (!answer)
                return false;
            v = *answer;
            return true;
        };
    }
    void TearDown() override { CDevelopTool::RunParameterDialog = saved; }

    int Count() const { return static_cast<int>(h.Entities().size()); }

    ToolHarness h;
    CDevelopTool::ParameterDialog saved;
    std::optional<std::array<float, 7>> answer;
    std::vector<int> asked;
};

TEST_F(DevelopToolTest, ClickPlacesOneGroupUndoneInOneStep)
{
    h.Select(15, 0);
    ASSERT_EQ(CurrentToolId, ToolId::Develop);
    ASSERT_EQ(ToolSubMode, 0);
    answer = std::array<float, 7>{50, 100, 150, 8, 0, 0, 0};
    h.Click(37, 41);
    ASSERT_EQ(asked, std::vector<int>{0});
    const auto groups = h.Entities(EntityType::GroupHeader);
    ASSERT_EQ(groups.size(), 1u);
    const CEntity* group = groups.front();
    EXPECT_EQ(group->colour, 0u);
    EXPECT_EQ(group->values[2], 1.0);
    // Circle, side view, development: all members of the group, around the
    // group's point.
    const double x = group->values[0], y = group->values[1];
    const auto circles = h.Entities(EntityType::Circle);
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_NEAR(circles.front()->values[0], x + 50, 1e-9);
    EXPECT_NEAR(circles.front()->values[1], y + 50, 1e-9);
    EXPECT_EQ(h.Entities(EntityType::Line).size(), 15u);
    for (const CEntity* e = group->next; e; e = e->next)
        EXPECT_EQ(e->group, group->group);
    EXPECT_NEAR(x, 37, 1.0);
    EXPECT_NEAR(y, 41, 1.0);
    EXPECT_TRUE(h.Doc().modified);

    h.Key(ID_EDIT_UNDO);
    EXPECT_EQ(Count(), 0);
}

TEST_F(DevelopToolTest, EachSubModeDrawsItsKind)
{
    struct Row {
        int item;
        std::array<float, 7> values;
        std::size_t arcs, circles;
    };
    const Row rows[] = {
        {1, {100, 60, 50, 80, 10, 16, 0}, 4, 0},
        {2, {50, 200, 100, 20, 12, 0, 0}, 1, 1},
    };
    for (const Row& r : rows) {
        h.Select(15, r.item);
        answer = r.values;
        h.Click(30, 30);
        EXPECT_EQ(asked.back(), r.item);
        EXPECT_EQ(h.Entities(EntityType::Arc).size(), r.arcs);
        EXPECT_EQ(h.Entities(EntityType::Circle).size(), r.circles);
        for (const CEntity* arc : h.Entities(EntityType::Arc))
            EXPECT_EQ(arc->subtype, 1);
        h.Key(ID_EDIT_UNDO);
        EXPECT_EQ(Count(), 0);
    }
}

TEST_F(DevelopToolTest, CancelProtectionAndRefusedValuesAddNothing)
{
    h.Select(15, 2);
    answer.reset();
    h.Click(30, 30);
    EXPECT_EQ(Count(), 0);

    answer = std::array<float, 7>{50, 0, 0, 20, 12, 0, 0};  // no apex height
    h.Click(30, 30);
    EXPECT_EQ(Count(), 0);

    h.Doc().ProtectionState = 1;
    answer = std::array<float, 7>{50, 200, 100, 20, 12, 0, 0};
    h.Click(30, 30);
    EXPECT_EQ(Count(), 0);
    ASSERT_EQ(h.Messages().size(), 1);
    EXPECT_EQ(h.Messages()[0], QStringLiteral("この図面は、書きこみ禁止状態になっています。"));
    h.Doc().ProtectionState = 0;
}

} // namespace
