#include "ListTestUtil.h"

#include "model/EntityList.h"
#include "model/Settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace listtest;

namespace {

class SelectionCentre : public ::testing::Test {
protected:
    CEntityList list;
    void TearDown() override { PartsBase = 0; }

    CEntity* Add(int16_t type, std::vector<int16_t> codes, std::vector<double> values, std::string_view text = {},
                 int16_t subtype = 0)
    {
        EXPECT_EQ(list.AddEntity({type, subtype, 0, 0, static_cast<int16_t>(values.size())}, codes.data(), 0,
                                 values.data(), text),
                  0);
        list.last->state = EntityState::Selected;
        return list.last;
    }
    std::pair<double, double> Centre()
    {
        double x = -1, y = -1;
        list.GetSelectionCentre(x, y);
        return {x, y};
    }
};

} // namespace

TEST_F(SelectionCentre, TwoPointsByPartsBase)
{
    AddPoint(list, 0, 0)->state = EntityState::Selected;
    AddPoint(list, 10, 10)->state = EntityState::Selected;
    AddPoint(list, 100, 100);  // not selected
    const struct {
        int16_t base;
        double x, y;
    } cases[] = {{0, 5, 5}, {1, 0, 0}, {2, 0, 10}, {3, 0, 0}, {-1, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.base);
        PartsBase = c.base;
        EXPECT_EQ(Centre(), std::make_pair(c.x, c.y));
    }
}

TEST_F(SelectionCentre, NothingSelectedGivesOrigin)
{
    AddPoint(list, 5, 5);
    EXPECT_EQ(Centre(), std::make_pair(0.0, 0.0));
    // Infinite lines and other types that do not count.
    Add(EntityType::InfiniteLine, {10, 20, 11, 22}, {1, 1, 2, 2});
    Add(EntityType::GroupHeader, {10, 20, 10, 20}, {3, 3, 1, 0});
    EXPECT_EQ(Centre(), std::make_pair(0.0, 0.0));
}

TEST_F(SelectionCentre, SingleHorizontalLineIsItsMidpoint)
{
    Add(EntityType::Line, {10, 20, 11, 22}, {10, 5, 30, 5});
    EXPECT_EQ(Centre(), std::make_pair(20.0, 5.0));
    PartsBase = 2;
    EXPECT_EQ(Centre(), std::make_pair(10.0, 5.0));
}

TEST_F(SelectionCentre, SinglePointIsItself)
{
    Add(EntityType::Point, {10, 20}, {-7, 3});
    EXPECT_EQ(Centre(), std::make_pair(-7.0, 3.0));
}

TEST_F(SelectionCentre, FarFromTheOriginInNegativeCoordinates)
{
    // Entirely below -9 999 999: a box starting at fixed limits would miss it.
    Add(EntityType::Point, {10, 20}, {-50000000, -50000000});
    Add(EntityType::Point, {10, 20}, {-50000010, -50000020});
    EXPECT_EQ(Centre(), std::make_pair(-50000005.0, -50000010.0));
}

TEST_F(SelectionCentre, ExtentsByType)
{
    struct Case {
        const char* name;
        int16_t type;
        std::vector<int16_t> codes;
        std::vector<double> values;
        const char* text;
        double minX, minY, maxX, maxY;
        double tolerance;
    };
    const Case cases[] = {
        {"circle", 30, {10, 20, 40}, {10, 20, 5}, "", 5, 15, 15, 25, 0},
        {"arc counts as its full circle", 31, {10, 20, 40, 50, 51}, {10, 20, 5, 0, 90}, "", 5, 15, 15, 25, 0},
        {"curve", 24, {10, 20, 10, 20, 10, 20}, {0, 0, 4, 8, -2, 2}, "", -2, 0, 4, 8, 0},
        {"polygon", 90, {0, 0, 0, 0}, {1, 1, 3, 5}, "", 1, 1, 3, 5, 0},
        {"text", 40, {10, 20, 30, 40, 50}, {0, 0, 4, 4, 45}, "\x82\x60\x82\x61" "c", 0, 0, 6, 4, 0},
        {"ellipse", 32, {10, 20, 60, 61, 62}, {0, 0, 20, 10, 0}, "", -20, -10, 20, 10, 0.05},
        {"rotated ellipse", 32, {10, 20, 60, 61, 62}, {0, 0, 20, 10, 90}, "", -10, -20, 10, 20, 0.05},
        {"elliptic arc, first quadrant", 33, {10, 20, 60, 61, 62, 50, 51}, {0, 0, 20, 10, 0, 0, 90}, "", 0, 0, 20,
         10, 0.05},
        {"fill of vertices and an arc", 70, {0, 0, 10, 20, 10, 20, 0, 2, 3, 4, 5},
         {0, 0, 0, 0, 10, 0, 5, 0, 5, 10, 0}, "", 0, 0, 10, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        list.DiscardUndo(nullptr);
        list.RemoveAll();
        Add(c.type, c.codes, c.values, c.text, c.type == EntityType::Fill ? 3 : 0);
        PartsBase = 1;
        auto lowerLeft = Centre();
        PartsBase = 0;
        auto centre = Centre();
        const double maxX = 2 * centre.first - lowerLeft.first, maxY = 2 * centre.second - lowerLeft.second;
        EXPECT_NEAR(lowerLeft.first, c.minX, c.tolerance + 1e-9);
        EXPECT_NEAR(lowerLeft.second, c.minY, c.tolerance + 1e-9);
        EXPECT_NEAR(maxX, c.maxX, c.tolerance + 1e-9);
        EXPECT_NEAR(maxY, c.maxY, c.tolerance + 1e-9);
    }
}

TEST_F(SelectionCentre, FillItemCountBeyondItsValuesIsBounded)
{
    // The subtype claims far more items than the record holds, and an
    // unknown item code ends the walk.
    Add(EntityType::Fill, {0, 0, 10, 20, 10, 20}, {0, 0, 4, 6, 8, 2}, {}, 100);
    EXPECT_EQ(Centre(), std::make_pair(6.0, 4.0));
    list.DiscardUndo(nullptr);
    list.RemoveAll();
    Add(EntityType::Fill, {0, 0, 10, 20, 7, 10, 20}, {0, 0, 4, 6, 99, 100, 100}, {}, 3);
    EXPECT_EQ(Centre(), std::make_pair(4.0, 6.0));
}
