#include "model/EntityList.h"
#include "model/FitAllBox.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Item {
    int type;
    std::vector<double> values;
};

ModelBox BoxOf(const std::vector<Item>& items)
{
    CEntityList list;
    for (const Item& i : items) {
        const int16_t lineCodes[] = {10, 20, 11, 22};
        const int16_t textCodes[] = {10, 20, 30, 40, 50};
        const bool text = i.type == EntityType::Text;
        EntityHeader h{static_cast<int16_t>(i.type), 0, 0, 0, static_cast<int16_t>(i.values.size())};
        list.AddEntity(h, text ? textCodes : lineCodes, 0, i.values.data(), text ? "NOTE" : "");
    }
    const double extMin[] = {0, 0}, extMax[] = {420, 297};
    return FitAllBox(list.first, extMin, extMax);
}

} // namespace

TEST(FitAllBoxTest, FarTextsDoNotShrinkTheDrawing)
{
    const Item line{EntityType::Line, {100, 100, 300, 200}};
    const Item farText{EntityType::Text, {0, -50000, 5, 5, 0}};
    const Item nearText{EntityType::Text, {-300, 250, 5, 5, 0}};
    struct Case {
        const char* what;
        std::vector<Item> items;
        double minX, minY, maxX, maxY;
    };
    const Case cases[] = {
        {"a line alone", {line}, 100, 100, 300, 200},
        {"a text far below the sheet is left out", {line, farText}, 100, 100, 300, 200},
        {"a text within a sheet of the sheet counts", {line, nearText}, -300, 100, 300, 255},
        {"far texts alone are all there is", {farText}, 0, -50000, 0, -50000},
        {"a far line counts like any line", {line, {EntityType::Line, {0, -50000, 1, -50000}}}, 0, -50000, 300, 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ModelBox b = BoxOf(c.items);
        ASSERT_TRUE(b.valid);
        EXPECT_DOUBLE_EQ(b.minX, c.minX);
        EXPECT_DOUBLE_EQ(b.minY, c.minY);
        EXPECT_LE(b.maxX, c.maxX + 30);  // a text reaches by its own width
        EXPECT_GE(b.maxX, c.maxX);
        EXPECT_GE(b.maxY, c.maxY);
        EXPECT_LE(b.maxY, c.maxY + 10);
    }
}
