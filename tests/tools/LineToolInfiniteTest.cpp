// The line tool's infinite lines: horizontal, vertical and at an angle, one
// per click, stored by two far ends.

#include "LineToolModeFixture.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double Deg = std::numbers::pi / 180.0;

class LineToolInfiniteTest : public LineToolModeTestBase {
protected:
    void SetUp() override
    {
        AddPoint(10, 25);
        h.Select(2, 2);
    }
};

TEST_F(LineToolInfiniteTest, HorizontalAndVerticalThroughTheClick)
{
    struct Case {
        int16_t mode;
        int16_t type;
        Seg expected;
    };
    const Case cases[] = {
        {0, EntityType::HorizontalInfiniteLine, {-999999.9, 25, 9999999.9, 25}},
        {1, EntityType::VerticalInfiniteLine, {10, -999999.9, 10, 9999999.9}},
    };
    for (const Case& c : cases) {
        InfiniteLineMode = c.mode;
        ClickExact(10, 25);
        const std::vector<Seg> lines = LinesOf(c.type);
        ASSERT_EQ(lines.size(), 1u) << c.mode;
        EXPECT_TRUE(Near(lines[0], c.expected)) << lines[0];
        EXPECT_EQ(InputPointCount, 0);
    }
    EXPECT_EQ(h.Entities(EntityType::InfiniteLine).size(), 0u);
    h.Key(ID_EDIT_UNDO);
    EXPECT_EQ(LinesOf(EntityType::VerticalInfiniteLine).size(), 0u);
    EXPECT_EQ(LinesOf(EntityType::HorizontalInfiniteLine).size(), 1u);
}

TEST_F(LineToolInfiniteTest, NegativeAngleIsTheSameLineAsItsTurn)
{
    InfiniteLineMode = 2;
    for (float angle : {-30.0f, 330.0f}) {
        InfiniteLineAngle = angle;
        ClickExact(10, 25);
    }
    const std::vector<Seg> lines = LinesOf(EntityType::InfiniteLine);
    ASSERT_EQ(lines.size(), 2u);
    for (const Seg& s : lines) {
        // Ends on the far verticals, falling 30 degrees through the click.
        EXPECT_NEAR(s.x1, -999999.9, 1e-6);
        EXPECT_NEAR(s.x2, 9999999.9, 1e-6);
        const double slope = std::tan(-30 * Deg);
        EXPECT_NEAR(s.y1, 25 + slope * (s.x1 - 10), 1e-3 * std::abs(s.y1));
        EXPECT_NEAR(s.y2, 25 + slope * (s.x2 - 10), 1e-3 * std::abs(s.y2));
    }
    EXPECT_TRUE(Near(lines[0], lines[1], 1e-6)) << lines[0] << " " << lines[1];
}

TEST_F(LineToolInfiniteTest, SteepAngleEndsOnTheFarHorizontals)
{
    InfiniteLineMode = 2;
    InfiniteLineAngle = 60.0f;
    ClickExact(10, 25);
    const std::vector<Seg> lines = LinesOf(EntityType::InfiniteLine);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NEAR(lines[0].y1, -999999.9, 1e-6);
    EXPECT_NEAR(lines[0].y2, 9999999.9, 1e-6);
    const double slope = std::tan(60 * Deg);
    EXPECT_NEAR(lines[0].x1, 10 + (lines[0].y1 - 25) / slope, 1e-3);
    EXPECT_NEAR(lines[0].x2, 10 + (lines[0].y2 - 25) / slope, 1e-2);
}

TEST_F(LineToolInfiniteTest, UnknownModeDoesNothing)
{
    InfiniteLineMode = 3;
    ClickExact(10, 25);
    EXPECT_TRUE(h.Entities(EntityType::HorizontalInfiniteLine).empty());
    EXPECT_TRUE(h.Entities(EntityType::VerticalInfiniteLine).empty());
    EXPECT_TRUE(h.Entities(EntityType::InfiniteLine).empty());
}

} // namespace
