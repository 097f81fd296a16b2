#include "ListTestUtil.h"

#include "model/EntityList.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace {

struct ShiftCase {
    const char* name;
    int16_t type;
    int16_t subtype;
    std::vector<int16_t> codes;  // empty for types without codes
    std::vector<int> xs;         // indices shifted by dx
    std::vector<int> ys;         // indices shifted by dy
    int valueCount = -1;         // -1: as many values as codes
};

constexpr double Dx = 100;
constexpr double Dy = -50;

} // namespace

TEST(TranslateEntities, EveryTypeTable)
{
    const std::vector<ShiftCase> cases = {
        {"point", 10, 0, {10, 20}, {0}, {1}},
        {"grid stays", 11, 1, {10, 20, 30}, {}, {}},
        {"line", 20, 0, {10, 20, 11, 22}, {0, 2}, {1, 3}},
        {"horizontal infinite line", 21, 0, {10, 20, 11, 22}, {0, 2}, {1, 3}},
        {"vertical infinite line", 22, 0, {10, 20, 11, 22}, {0, 2}, {1, 3}},
        {"infinite line", 23, 0, {10, 20, 11, 22}, {0, 2}, {1, 3}},
        {"image", 80, 0, {10, 20, 11, 22}, {0, 2}, {1, 3}},
        {"curve", 24, 0, {10, 20, 10, 20, 10, 20}, {0, 2, 4}, {1, 3, 5}},
        {"freehand curve", 26, 0, {}, {0, 2, 4}, {1, 3, 5}, 6},
        {"polygon with an odd value left over", 90, 0, {}, {0, 2}, {1, 3}, 5},
        {"circle", 30, 0, {10, 20, 40}, {0}, {1}},
        {"arc", 31, 1, {10, 20, 40, 50, 51}, {0}, {1}},
        {"ellipse", 32, 0, {10, 20, 60, 61, 62}, {0}, {1}},
        {"elliptic arc", 33, 1, {10, 20, 60, 61, 62, 50, 51}, {0}, {1}},
        {"text", 40, 0, {10, 20, 30, 40, 50}, {0}, {1}},
        {"leader text, free line", 41, 3, {10, 20, 30, 40, 50, 60, 61, 70, 71}, {0, 5, 7}, {1, 6, 8}},
        {"leader text with underline", 41, 23, {10, 20, 30, 40, 50, 60, 61, 70, 71, 80, 81}, {0, 5, 7, 9},
         {1, 6, 8, 10}},
        {"distance dimension", 50, 0, {30, 31, 32, 10, 11, 12, 13, 14, 15, 16, 18, 19, 21, 22, 40, 41, 50, 51},
         {12, 14, 16}, {13, 15, 17}},
        {"angle dimension", 50, 6, {30, 31, 32, 10, 11, 12, 13, 14, 15, 16, 18, 19, 23, 24, 25, 26, 27, 42, 43},
         {12, 17}, {13, 18}},
        {"dimension stops at code 450", 50, 1, {30, 31, 32, 21, 22, 440, 441, 448, 449, 450, 460, 461}, {3, 5},
         {4, 6}},
        {"group header stays", 60, 0, {10, 20, 10, 20}, {}, {}},
        {"fill with arcs, vertices and its closing vertex", 70, 3,
         {0, 0, 0, 2, 3, 4, 5, 10, 20, 1, 2, 3, 4, 5, 10, 20}, {2, 5, 7, 9, 12, 14}, {3, 6, 8, 10, 13, 15}},
        {"fill with an ellipse", 70, 1, {0, 0, 70, 71, 72, 73, 74}, {2}, {3}},
        {"fill with a circle", 70, 1, {0, 0, 50, 51, 52}, {2}, {3}},
        {"fill with an elliptic arc", 70, 2, {0, 0, 80, 81, 82, 83, 84, 85, 86, 87, 10, 20}, {2, 10}, {3, 11}},
        {"fill stops at an unknown item", 70, 3, {0, 0, 10, 20, 99, 20, 10, 20}, {2}, {3}},
        {"fill item cut short by the count", 70, 2, {0, 0, 10, 20, 0, 2, 3}, {2}, {3}},
        {"hatch with an ellipse", 71, 0, {1, 0, 0, 60, 61, 62, 63, 70, 71, 72, 73, 74}, {3, 5, 7}, {4, 6, 8}},
        {"hatch with elliptic arcs and vertices", 71, 2,
         {3, 0, 0, 60, 61, 62, 63, 80, 81, 82, 83, 84, 85, 86, 4, 5, 10, 20, 1, 2, 3, 4, 5},
         {3, 5, 7, 14, 16, 18, 21}, {4, 6, 8, 15, 17, 19, 22}},
        {"unknown type stays", 99, 0, {10, 20}, {}, {}, 0},
    };
    for (const ShiftCase& c : cases) {
        SCOPED_TRACE(c.name);
        CEntityList list;
        const int n = c.valueCount >= 0 ? c.valueCount : static_cast<int>(c.codes.size());
        std::vector<double> values(static_cast<size_t>(std::max(n, 1)));
        std::iota(values.begin(), values.end(), 1.0);
        std::vector<int16_t> codes = c.codes;
        codes.resize(static_cast<size_t>(std::max(n, 1)));
        ASSERT_EQ(list.AddEntity({c.type, c.subtype, 0, 0, static_cast<int16_t>(n)}, codes.data(), 0, values.data()), 0);
        CEntity* e = list.first;  // a dimension's members follow it
        std::vector<double> expected = e->values.ToVector();
        for (int i : c.xs)
            expected[static_cast<size_t>(i)] += Dx;
        for (int i : c.ys)
            expected[static_cast<size_t>(i)] += Dy;
        TranslateEntities(Dx, Dy, e);
        EXPECT_EQ(e->values, expected);
    }
}

TEST(TranslateEntities, MovesFromTheGivenEntityToTheEndOfTheChain)
{
    CEntityList list;
    CEntity* a = listtest::AddPoint(list, 0, 0);
    CEntity* b = listtest::AddPoint(list, 1, 1);
    CEntity* c = listtest::AddLine(list, 2, 2, 3, 3);
    TranslateEntities(10, 20, b);
    EXPECT_EQ(a->values, (std::vector<double>{0, 0}));
    EXPECT_EQ(b->values, (std::vector<double>{11, 21}));
    EXPECT_EQ(c->values, (std::vector<double>{12, 22, 13, 23}));
    TranslateEntities(1, 1, nullptr);  // nothing to move
}
