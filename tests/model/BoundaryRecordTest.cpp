#include "model/BoundaryRecord.h"

#include "model/GeometryEllipses.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

CEntity Make(int16_t type, std::vector<double> values, int16_t subtype = 0)
{
    CEntity e;
    e.type = type;
    e.subtype = subtype;
    e.values = std::move(values);
    e.codes.assign(e.values.size(), 0);
    e.count = static_cast<int16_t>(e.values.size());
    return e;
}

TEST(BoundaryRecord, APolylineAloneIsItsOwnBoundary)
{
    // A closed square: five stored vertices, the last repeating the first.
    const CEntity square = Make(EntityType::Polygon, {0, 0, 10, 0, 10, 10, 0, 10, 0, 0});
    const BoundaryEntries hatch = HatchRecordEntries({{&square, 0, 0}}, {});
    ASSERT_TRUE(hatch.ok);
    EXPECT_EQ(hatch.elementCount, 4);
    EXPECT_EQ(hatch.codes[0], 4);
    EXPECT_EQ(hatch.values.size(), 7u + 10u);
    EXPECT_EQ(hatch.values[5], 10);  // largest x of the box
    const BoundaryEntries fill = FillRecordEntries({{&square, 0, 0}});
    ASSERT_TRUE(fill.ok);
    EXPECT_EQ(fill.elementCount, 5);
    EXPECT_EQ(fill.values.size(), 2u + 10u);

    // A hatch reader takes 20 items: a polyline of 22 vertices is refused,
    // one of 21 is not.
    for (int vertices : {21, 22}) {
        std::vector<double> v;
        for (int i = 0; i < vertices; ++i) {
            v.push_back(i);
            v.push_back(i % 2);
        }
        const CEntity zigzag = Make(EntityType::Polygon, v);
        EXPECT_EQ(HatchRecordEntries({{&zigzag, 0, 0}}, {}).ok, vertices == 21) << vertices;
    }
    // More than 100 entries: a fill over a polyline of 50 vertices.
    std::vector<double> v(100, 1.0);
    const CEntity big = Make(EntityType::Polygon, v);
    EXPECT_FALSE(FillRecordEntries({{&big, 0, 0}}).ok);
    v.resize(98);
    const CEntity fits = Make(EntityType::Polygon, v);
    EXPECT_TRUE(FillRecordEntries({{&fits, 0, 0}}).ok);
}

TEST(BoundaryRecord, EllipticArcEntriesOfHatchAndFill)
{
    // Quarter of an ellipse about (0, 0) and the line closing it.
    const CEntity arc = Make(EntityType::EllipticArc, {0, 0, 20, 10, 0, 0, 90});
    const CEntity a = Make(EntityType::Line, {0, 10, 20, 0});
    const std::vector<BoundaryElement> entered{{&arc, 20, 0}, {&a, 0, 10}};
    const BoundaryEntries hatch = HatchRecordEntries(entered, {});
    ASSERT_TRUE(hatch.ok);
    ASSERT_EQ(hatch.codes.size(), 7u + 9u + 2u);
    EXPECT_EQ(std::vector<int16_t>(hatch.codes.begin() + 7, hatch.codes.begin() + 16),
              (std::vector<int16_t>{80, 81, 82, 83, 84, 85, 86, 4, 5}));
    EXPECT_EQ(hatch.values[14], 20);
    const BoundaryEntries fill = FillRecordEntries(entered);
    ASSERT_TRUE(fill.ok);
    ASSERT_EQ(fill.codes.size(), 2u + 8u + 2u + 2u);
    EXPECT_EQ(fill.codes[9], 87);
    EXPECT_EQ(fill.values[9], 1);  // vertex on the arc's start

    struct Case {
        double x, y;
        int flag;
    };
    for (const Case& c : {Case{20, 0, 1}, Case{0, 10, -1}, Case{20.004, 0.004, 1}, Case{20.01, 0, 0}, Case{5, 5, 0}})
        EXPECT_EQ(EllipticArcEntryFlag(arc, c.x, c.y), c.flag) << c.x << "," << c.y;
    // A full turn: the start point is also the end point, which wins.
    const CEntity whole = Make(EntityType::EllipticArc, {0, 0, 20, 10, 0, 0, 360});
    EXPECT_EQ(EllipticArcEntryFlag(whole, 20, 0), -1);
}

TEST(BoundaryRecord, ElementsWithoutTheirValuesAreRefused)
{
    const CEntity shortArc = Make(EntityType::Arc, {0, 0, 10});
    EXPECT_FALSE(HatchRecordEntries({{&shortArc, 0, 0}}, {}).ok);
    EXPECT_FALSE(FillRecordEntries({}).ok);
    const CEntity oddPolygon = Make(EntityType::Polygon, {0, 0, 1, 1, 2});
    EXPECT_FALSE(FillRecordEntries({{&oddPolygon, 0, 0}}).ok);
}

} // namespace
