#include "ListTestUtil.h"

#include "model/EntityTransform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace {

// Every case turns a quarter turn counter-clockwise about (0, 0), doubles
// lengths and brings (0, 0) onto (100, 0): a point (x, y) lands on
// (100 - 2y, 2x); a direction grows by 90 degrees.
TransformMatrix QuarterTurn()
{
    return MoveMatrix({0, 0}, {100, 0}, 2.0, 90.0);
}

struct CopyCase {
    const char* name;
    int16_t type;
    int16_t subtype;
    std::vector<int16_t> codes;
    std::vector<double> values;
    int16_t wantType;
    int16_t wantSubtype;
    std::vector<int16_t> wantCodes;
    std::vector<double> wantValues;
    int16_t wantLayer = 2;  // the policy's layer; sources stand on layer 7
};

std::vector<int16_t> Repeat(std::initializer_list<int16_t> pattern, int times)
{
    std::vector<int16_t> out;
    for (int i = 0; i < times; ++i)
        out.insert(out.end(), pattern);
    return out;
}

std::vector<int16_t> Concat(std::initializer_list<std::vector<int16_t>> parts)
{
    std::vector<int16_t> out;
    for (const auto& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

CEntity Source(const CopyCase& c)
{
    CEntity e;
    e.type = c.type;
    e.subtype = c.subtype;
    e.style = 305;
    e.layer = 7;
    e.group = 4;
    e.colour = MakeColour(1, 2, 3);
    e.codes = c.codes;
    e.values = c.values;
    e.count = static_cast<int16_t>(c.values.size());
    e.text = "abc";
    e.font = "face";
    return e;
}

} // namespace

TEST(EntityTransform, EveryTypeTable)
{
    const std::vector<CopyCase> cases = {
        {"point shown as a circle", 10, 1, {10, 20}, {3, 4}, 10, 0, {10, 20}, {92, 6}},
        {"line", 20, 0, {10, 20, 11, 22}, {1, 2, 3, 4}, 20, 0, {10, 20, 11, 22}, {96, 2, 92, 6}},
        {"horizontal infinite line turns vertical", 21, 0, {10, 20, 11, 22}, {0, 5, 10, 5}, 22, 0,
         {10, 20, 11, 22}, {90, 0, 90, 20}},
        {"slanted infinite line", 23, 0, {10, 20, 11, 22}, {0, 0, 1, 1}, 23, 0, {10, 20, 11, 22},
         {100, 0, 98, 2}},
        {"control-point curve", 24, 3, Repeat({10, 20}, 3), {0, 0, 1, 0, 1, 1}, 24, 0, Repeat({10, 20}, 3),
         {100, 0, 100, 2, 98, 2}},
        {"freehand curve", 26, 0, {}, {0, 0, 1, 0, 1, 1}, 26, 0, {}, {100, 0, 100, 2, 98, 2}},
        {"circle", 30, 0, {10, 20, 40}, {10, 0, 5}, 30, 0, {10, 20, 40}, {100, 20, 10}},
        {"clockwise arc keeps its direction", 31, -1, {10, 20, 40, 50, 51}, {0, 0, 10, 0, 90}, 31, -1,
         {10, 20, 40, 50, 51}, {100, 0, 20, 90, 180}},
        {"arc past the full turn", 31, 1, {10, 20, 40, 50, 51}, {0, 0, 10, 300, 350}, 31, 1,
         {10, 20, 40, 50, 51}, {100, 0, 20, 30, 80}},
        {"ellipse keeps its layer", 32, 0, {10, 20, 60, 61, 62}, {0, 0, 10, 5, 30}, 32, 0,
         {10, 20, 60, 61, 62}, {100, 0, 20, 10, 300}, 7},
        {"elliptic arc", 33, 0, {10, 20, 60, 61, 62, 50, 51}, {0, 0, 10, 5, 30, 40, 100}, 33, 0,
         {10, 20, 60, 61, 62, 50, 51}, {100, 0, 20, 10, 120, 130, 190}, 7},
        {"text", 40, 0, {10, 20, 30, 40, 50}, {1, 2, 3, 2, 300}, 40, 0, {10, 20, 30, 40, 50},
         {96, 2, 6, 4, 30}},
        {"leader text", 41, 2, {10, 20, 30, 40, 50, 40, 41, 50, 51}, {1, 2, 3, 2, 0, 0, 0, 1, 0}, 41, 2,
         {10, 20, 30, 40, 50, 40, 41, 50, 51}, {96, 2, 6, 4, 90, 100, 0, 100, 2}},
        {"leader text with a bend", 41, 12, {10, 20, 30, 40, 50, 40, 41, 50, 51, 60, 61},
         {1, 2, 3, 2, 0, 0, 0, 1, 0, 0, 1}, 41, 12, {10, 20, 30, 40, 50, 40, 41, 50, 51, 60, 61},
         {96, 2, 6, 4, 90, 100, 0, 100, 2, 98, 0}},
        {"dimension kind 0", 50, 0, {30, 31, 32, 10, 11, 12, 13, 14, 15, 16, 18, 19, 21, 22, 40, 41, 50, 51},
         {1, 1, 1, 1, 3, 10, 1, 1, 1, 1, 1, 1, 0, 5, 0, 0, 10, 0}, 50, 0,
         {30, 31, 32, 10, 11, 12, 13, 14, 15, 16, 18, 19, 21, 22, 40, 41, 50, 51},
         {1, 1, 1, 1, 6, 100, 1, 1, 1, 1, 1, 1, 90, 0, 100, 0, 100, 20}},
        {"dimension kind 4", 50, 4, {30, 31, 32, 10, 11, 12, 13, 14, 15, 16, 18, 19, 42, 43, 40, 41, 50, 51},
         {1, 1, 1, 1, 3, 10, 1, 1, 1, 1, 1, 1, 0, 5, 0, 0, 10, 0}, 50, 4,
         {30, 31, 32, 10, 11, 12, 13, 14, 15, 16, 18, 19, 42, 43, 40, 41, 50, 51},
         {1, 1, 1, 1, 6, 100, 1, 1, 1, 1, 1, 1, 90, 0, 100, 0, 100, 20}},
        {"horizontal chain of two points", 50, 1,
         Concat({{30, 31, 32, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22}, {40, 41, 50, 51}}),
         {1, 1, 1, 1, 3, 350, 1, 1, 1, 1, 1, 1, 1, 1, 0, 5, 0, 0, 10, 0}, 50, 1,
         Concat({{30, 31, 32, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22}, {40, 41, 50, 51}}),
         {1, 1, 1, 1, 6, 80, 1, 1, 1, 1, 1, 1, 1, 1, 90, 0, 100, 0, 100, 20}},
        {"dimension kind 3", 50, 3, {30, 31, 32, 10, 11, 12, 13, 14, 40, 41, 50, 51, 60, 61, 42, 43},
         {1, 1, 1, 1, 3, 0, 1, 1, 0, 0, 1, 0, 0, 1, 1, 1}, 50, 3,
         {30, 31, 32, 10, 11, 12, 13, 14, 40, 41, 50, 51, 60, 61, 42, 43},
         {1, 1, 1, 1, 6, 90, 1, 1, 100, 0, 100, 2, 98, 0, 98, 2}},
        {"dimension kind 6", 50, 6,
         {30, 31, 32, 10, 11, 12, 13, 14, 15, 16, 18, 19, 23, 24, 25, 26, 27, 42, 43},
         {1, 1, 1, 1, 3, 0, 1, 1, 1, 1, 1, 1, 1, 0, 7, 10, 20, 0, 1}, 50, 6,
         {30, 31, 32, 10, 11, 12, 13, 14, 15, 16, 18, 19, 23, 24, 25, 26, 27, 42, 43},
         {1, 1, 1, 1, 6, 90, 1, 1, 1, 1, 1, 1, 100, 2, 7, 100, 110, 98, 0}},
        {"dimension kind 8", 50, 8, {30, 31, 32, 10, 11, 12, 13, 40, 41}, {1, 1, 1, 1, 3, 0, 1, 1, 1}, 50, 8,
         {30, 31, 32, 10, 11, 12, 13, 40, 41}, {1, 1, 1, 1, 6, 90, 1, 98, 2}},
        // Items: vertex, arc, circle, ellipse, then the closing vertex.
        {"fill with every kind of item", 70, 5,
         Concat({{0, 0}, {10, 10}, {0, 0, 0, 0, 0}, {50, 50, 50}, {70, 70, 70, 70, 70}, {10, 10}}),
         {9, 8, 1, 0, 0, 0, 1, 1, 0, 0, 0, 1, 0, 0, 2, 1, 30, 1, 0}, 70, 5,
         Concat({{0, 0}, {10, 10}, {0, 0, 0, 0, 0}, {50, 50, 50}, {70, 70, 70, 70, 70}, {10, 10}}),
         {9, 8, 100, 2, 100, 0, 2, 100, 2, 100, 0, 2, 100, 0, 4, 2, 120, 100, 2}},
        {"hatch with an elliptic arc item", 71, 2, Concat({{1, 0, 0, 0, 0, 0, 0}, Repeat({80}, 9)}),
         {5, 6, 45, 0, 0, 1, 1, 0, 1, 2, 1, 0, 10, 90, 1, 2}, 71, 2,
         Concat({{1, 0, 0, 0, 0, 0, 0}, Repeat({80}, 9)}),
         {5, 6, 45, 100, 0, 98, 2, 98, 0, 4, 2, 90, 100, 180, 96, 2}},
        {"image keeps its size", 80, 1, {10, 20, 11, 22}, {1, 2, 11, 7}, 80, 1, {10, 20, 11, 22},
         {96, 2, 106, 7}},
        {"polygon", 90, 4, {}, {0, 0, 1, 0, 1, 1}, 90, 4, {}, {100, 0, 100, 2, 98, 2}},
    };
    TransformPolicy policy;
    policy.layer = 2;
    for (const CopyCase& c : cases) {
        SCOPED_TRACE(c.name);
        const CEntity source = Source(c);
        const std::optional<EntityCopy> copy = TransformedCopy(source, QuarterTurn(), 2.0, 90.0, policy);
        ASSERT_TRUE(copy.has_value());
        EXPECT_EQ(copy->header.type, c.wantType);
        EXPECT_EQ(copy->header.subtype, c.wantSubtype);
        EXPECT_EQ(copy->header.style, 305);
        EXPECT_EQ(copy->header.layer, c.wantLayer);
        EXPECT_EQ(copy->colour, MakeColour(1, 2, 3));
        EXPECT_EQ(copy->codes, c.wantCodes);
        EXPECT_EQ(copy->header.count, static_cast<int16_t>(c.wantValues.size()));
        ASSERT_EQ(copy->values.size(), c.wantValues.size());
        for (std::size_t i = 0; i < c.wantValues.size(); ++i)
            EXPECT_NEAR(copy->values[i], c.wantValues[i], 1e-4) << "value " << i;
        EXPECT_EQ(copy->group, c.type == EntityType::Dimension ? 0 : 4);
        const bool carriesText = c.type == 40 || c.type == 41 || c.type == 80;
        EXPECT_EQ(copy->text, carriesText ? "abc" : "");
        EXPECT_EQ(copy->font, "") << "copies take the list's default face";
    }
}

TEST(EntityTransform, DeclinesWhatItCannotCarry)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<CopyCase> cases = {
        {"grid record", 11, 0, {10, 20, 30}, {0, 0, 10}, 0, 0, {}, {}},
        {"group header", 60, 0, {10, 20, 10, 20}, {0, 0, 1, 0}, 0, 0, {}, {}},
        {"unknown type", 55, 0, {10, 20}, {0, 0}, 0, 0, {}, {}},
        {"line of three values", 20, 0, {10, 20, 11}, {0, 0, 1}, 0, 0, {}, {}},
        {"circle of no radius value", 30, 0, {10, 20}, {0, 0}, 0, 0, {}, {}},
        {"ellipse missing its rotation", 32, 0, {10, 20, 60, 61}, {0, 0, 10, 5}, 0, 0, {}, {}},
        {"circle with a radius not a number", 30, 0, {10, 20, 40}, {0, 0, nan}, 0, 0, {}, {}},
        {"dimension kind out of range", 50, 9, {30, 31, 32, 10, 11, 12, 13, 40, 41}, {1, 1, 1, 1, 3, 0, 1, 1, 1},
         0, 0, {}, {}},
        {"dimension kind 8 of too few values", 50, 8, {30, 31, 32, 10}, {1, 1, 1, 1}, 0, 0, {}, {}},
        {"chain dimension of an odd value count", 50, 1, Repeat({10}, 17), std::vector<double>(17, 1.0), 0, 0,
         {}, {}},
        {"leader text with a bend but nine values", 41, 10, {10, 20, 30, 40, 50, 40, 41, 50, 51},
         {1, 2, 3, 2, 0, 0, 0, 1, 0}, 0, 0, {}, {}},
    };
    for (const CopyCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(TransformedCopy(Source(c), QuarterTurn(), 2.0, 90.0, {}).has_value());
    }
}

TEST(EntityTransform, AnUnknownBoundaryItemEndsTheWalkAndWhatFollowsStays)
{
    CopyCase c{"", 70, 2, {0, 0, 10, 10, 99, 10, 10}, {0, 0, 1, 0, 5, 1, 0}, 0, 0, {}, {}};
    const auto copy = TransformedCopy(Source(c), QuarterTurn(), 2.0, 90.0, {});
    ASSERT_TRUE(copy.has_value());
    const std::vector<double> want{0, 0, 100, 2, 5, 1, 0};
    ASSERT_EQ(copy->values.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i)
        EXPECT_NEAR(copy->values[i], want[i], 1e-6) << "value " << i;
}

TEST(EntityTransform, PolicyKeepsLayerAndFontWhenAsked)
{
    CopyCase c{"", 40, 0, {10, 20, 30, 40, 50}, {0, 0, 3, 2, 0}, 0, 0, {}, {}};
    TransformPolicy policy;
    policy.keepLayer = true;
    policy.keepFont = true;
    policy.keepGroup = false;
    const auto copy = TransformedCopy(Source(c), QuarterTurn(), 1.0, 0.0, policy);
    ASSERT_TRUE(copy.has_value());
    EXPECT_EQ(copy->header.layer, 7);
    EXPECT_EQ(copy->font, "face");
    EXPECT_EQ(copy->group, 0);
}

TEST(EntityTransform, MoveMatrixTurnsOnlyFromFiveThousandthsOfADegree)
{
    const struct {
        double angle;
        bool turns;
    } cases[] = {{0.0, false}, {0.004, false}, {-0.004, false}, {0.01, true}, {-0.01, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.angle);
        const GeoPoint p = MoveMatrix({10, 10}, {30, 0}, 1.0, c.angle).Apply(110, 10);
        EXPECT_NEAR(p.x, 130, 1e-5);
        if (c.turns)
            EXPECT_GT(std::abs(p.y), 1e-3) << "100 from the base point turns by about 0.017";
        else
            EXPECT_EQ(p.y, 0.0);
    }
}

TEST(EntityTransform, AddedCopiesKeepTheGroupAndADimensionBuildsItsMembers)
{
    CEntityList list;
    listtest::AddGrid(list);
    CEntity* line = listtest::AddLine(list, 0, 0, 10, 0);
    ASSERT_NE(line, nullptr);
    line->group = 3;
    const auto lineCopy = TransformedCopy(*line, MoveMatrix({0, 0}, {5, 5}, 1.0, 0.0), 1.0, 0.0, {});
    ASSERT_TRUE(lineCopy.has_value());
    CEntity* added = AddEntityCopy(list, *lineCopy);
    ASSERT_EQ(added, list.last);
    EXPECT_EQ(added->group, 3);
    EXPECT_EQ(added->values, (std::vector<double>{5, 5, 15, 5}));

    CEntity dimension;
    dimension.type = EntityType::Dimension;
    dimension.subtype = 8;
    dimension.codes = {30, 31, 32, 10, 11, 12, 13, 40, 41};
    dimension.values = {1, 1, 1, 1, 3, 0, 1, 1, 1};
    const auto dimCopy = TransformedCopy(dimension, MoveMatrix({0, 0}, {5, 5}, 1.0, 0.0), 1.0, 0.0, {});
    ASSERT_TRUE(dimCopy.has_value());
    CEntity* record = AddEntityCopy(list, *dimCopy);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->type, EntityType::Dimension);
    for (CEntity* e = record->next; e; e = e->next)
        EXPECT_EQ(e->owner, record) << "members follow their dimension";

    EntityCopy far = *lineCopy;
    far.values[0] = 1e12;
    const CEntity* before = list.last;
    EXPECT_EQ(AddEntityCopy(list, far), nullptr);
    EXPECT_EQ(list.last, before);
}

TEST(EntityTransform, AShiftKeepingTheStoredFormChangesOnlyThePoints)
{
    const std::vector<CopyCase> cases = {
        {"point shown as a circle", 10, 1, {10, 20}, {3, 4}, 10, 1, {10, 20}, {13, 9}, 7},
        {"arc", 31, -1, {10, 20, 40, 50, 51}, {0, 0, 10, 360, -30}, 31, -1, {10, 20, 40, 50, 51},
         {10, 5, 10, 360, -30}, 7},
        {"ellipse", 32, 0, {10, 20, 60, 61, 62}, {0, 0, 10, 5, 30}, 32, 0, {10, 20, 60, 61, 62},
         {10, 5, 10, 5, 30}, 7},
        {"elliptic arc", 33, 0, {10, 20, 60, 61, 62, 50, 51}, {0, 0, 10, 5, 200, 40.123456789, 100}, 33, 0,
         {10, 20, 60, 61, 62, 50, 51}, {10, 5, 10, 5, 200, 40.123456789, 100}, 7},
        {"control-point curve", 24, 3, Repeat({10, 20}, 2), {0, 0, 1, 0}, 24, 3, Repeat({10, 20}, 2),
         {10, 5, 11, 5}, 7},
    };
    TransformPolicy policy;
    policy.keepLayer = true;
    policy.keepStoredForm = true;
    TransformMatrix shift;
    MatrixTranslate(shift, 10, 5);
    for (const CopyCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto copy = TransformedCopy(Source(c), shift, 1.0, 0.0, policy);
        ASSERT_TRUE(copy.has_value());
        EXPECT_EQ(copy->header.subtype, c.wantSubtype);
        EXPECT_EQ(copy->header.layer, c.wantLayer);
        EXPECT_EQ(copy->values, c.wantValues) << "exactly as stored, shifted";
    }
}
