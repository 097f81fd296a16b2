// Which entities lie inside a selection rectangle: the inside test of every
// entity type, on records built in code.

#include "view/DrawTool.h"

#include "model/Entity.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

CEntity Make(int16_t type, std::initializer_list<double> values, std::initializer_list<int16_t> codes = {},
             int16_t subtype = 0, std::string text = {})
{
    CEntity e;
    e.type = type;
    e.subtype = subtype;
    e.values = values;
    e.codes = codes;
    e.count = static_cast<int16_t>(e.values.size());
    e.text = std::move(text);
    return e;
}

constexpr std::initializer_list<int16_t> ArcCodes = {10, 20, 40, 50, 51};
constexpr std::initializer_list<int16_t> EllipseCodes = {10, 20, 60, 61, 62};
constexpr std::initializer_list<int16_t> EllipticArcCodes = {10, 20, 60, 61, 62, 50, 51};

const WorldRect Square{0, 0, 100, 100};

struct Case {
    const char* what;
    CEntity entity;
    WorldRect rect;
    int inside;
};

// A fill from its items: subtype = item count, codes 0, 0 then the items.
CEntity Fill(int items, std::vector<int16_t> codes, std::vector<double> values)
{
    CEntity e;
    e.type = EntityType::Fill;
    e.subtype = static_cast<int16_t>(items);
    e.codes = {0, 0};
    e.values = {0, 0};
    e.codes.insert(e.codes.end(), codes.begin(), codes.end());
    e.values.insert(e.values.end(), values.begin(), values.end());
    e.count = static_cast<int16_t>(e.values.size());
    return e;
}

// A hatch: item count, spacing, angle and box, then the items.
CEntity Hatch(int items, std::vector<int16_t> codes, std::vector<double> values)
{
    CEntity e;
    e.type = EntityType::Hatch;
    e.codes = {static_cast<int16_t>(items), 0, 0, 60, 61, 62, 63};
    e.values = {5, 5, 45, 0, 0, 0, 0};
    e.codes.insert(e.codes.end(), codes.begin(), codes.end());
    e.values.insert(e.values.end(), values.begin(), values.end());
    e.count = static_cast<int16_t>(e.values.size());
    return e;
}

} // namespace

TEST(InsideRect, EveryTypeByItsOwnTest)
{
    // An arc of 300 degrees about (50, 50) with radius 50 from 300 to 240
    // degrees: its ends lie at y = 6.7, x = 25 and 75; counter-clockwise its
    // halfway point is (50, 100), clockwise (50, 0). The bulge reaches x = 0
    // and x = 100 either way, outside the narrow rectangle.
    const CEntity ccwArc = Make(EntityType::Arc, {50, 50, 50, 300, 240}, ArcCodes, 1);
    const CEntity cwArc = Make(EntityType::Arc, {50, 50, 50, 300, 240}, ArcCodes, -1);
    const WorldRect narrow{10, 5, 90, 101};

    const std::vector<Case> cases = {
        {"point inside", Make(EntityType::Point, {50, 50}), Square, 1},
        {"point on the border", Make(EntityType::Point, {100, 0}), Square, 1},
        {"point outside", Make(EntityType::Point, {100.001, 50}), Square, 0},
        {"line inside", Make(EntityType::Line, {10, 10, 90, 90}), Square, 1},
        {"line with one end out", Make(EntityType::Line, {10, 10, 90, 120}), Square, 0},
        {"image by its corners", Make(EntityType::Image, {0, 0, 100, 100}), Square, 1},
        {"image with a corner out", Make(EntityType::Image, {-1, 0, 100, 100}), Square, 0},
        {"polygon", Make(EntityType::Polygon, {10, 10, 90, 10, 50, 90}), Square, 1},
        {"polygon with a vertex out", Make(EntityType::Polygon, {10, 10, 90, 10, 50, 101}), Square, 0},
        {"freehand curve", Make(EntityType::FreehandCurve, {1, 1, 2, 3, 99, 99}), Square, 1},
        {"freehand curve, last point out", Make(EntityType::FreehandCurve, {1, 1, 2, 3, 99, -1}), Square, 0},
        {"control-point curve", Make(EntityType::Curve, {10, 10, 20, 90, 80, 90}, {10, 20, 10, 20, 10, 20}), Square,
         1},
        {"control-point curve far off", Make(EntityType::Curve, {210, 10, 220, 90}, {10, 20, 10, 20}), Square, 0},
        {"circle", Make(EntityType::Circle, {50, 50, 40}, {10, 20, 40}), Square, 1},
        {"circle touching the border", Make(EntityType::Circle, {50, 50, 50}, {10, 20, 40}), Square, 1},
        {"circle too big", Make(EntityType::Circle, {50, 50, 51}, {10, 20, 40}), Square, 0},
        {"arc whose bulge leaves the rectangle", ccwArc, narrow, 1},
        {"the same arc clockwise: its halfway point is out", cwArc, narrow, 0},
        {"arc with an end out", Make(EntityType::Arc, {50, 50, 50, 300, 240}, ArcCodes, 1), {30, 5, 90, 100}, 0},
        {"ellipse standing upright", Make(EntityType::Ellipse, {50, 50, 40, 20, 90}, EllipseCodes), {20, 0, 80, 100},
         1},
        {"ellipse lying flat", Make(EntityType::Ellipse, {50, 50, 40, 20, 0}, EllipseCodes), {20, 0, 80, 100}, 0},
        {"upper half of an ellipse", Make(EntityType::EllipticArc, {50, 50, 40, 20, 0, 0, 180}, EllipticArcCodes),
         {0, 45, 100, 100}, 1},
        {"lower half of an ellipse", Make(EntityType::EllipticArc, {50, 50, 40, 20, 0, 180, 360}, EllipticArcCodes),
         {0, 45, 100, 100}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CDrawTool::IsInsideRect(c.rect, &c.entity), c.inside);
    }
}

TEST(InsideRect, TextBoxesCountHalfTheWidthPerCharacter)
{
    // Height 5, width 10: four characters reach x = 10 + 4 * 5 = 30.
    const CEntity text = Make(EntityType::Text, {10, 10, 5, 10, 0}, {10, 20, 30, 40, 50}, 0, "ABCD");
    EXPECT_EQ(CDrawTool::IsTextInRect({0, 0, 30, 15}, 4, &text), 1);
    EXPECT_EQ(CDrawTool::IsTextInRect({0, 0, 29.9, 15}, 4, &text), 0);
    EXPECT_EQ(CDrawTool::IsTextInRect({0, 0, 30, 14.9}, 4, &text), 0);
    // The insertion point inside is not enough: nineteen characters reach
    // past the rectangle.
    EXPECT_EQ(CDrawTool::IsTextInRect(Square, 19, &text), 0);
    EXPECT_EQ(CDrawTool::IsTextInRect(Square, 18, &text), 1);  // just to the border
    // The angle is not considered.
    const CEntity turned = Make(EntityType::Text, {10, 10, 5, 10, 90}, {10, 20, 30, 40, 50}, 0, "ABCD");
    EXPECT_EQ(CDrawTool::IsTextInRect({0, 0, 30, 15}, 4, &turned), 1);

    // Two-byte characters count once each: four characters, eight bytes.
    const CEntity kanji =
        Make(EntityType::Text, {10, 10, 5, 10, 0}, {10, 20, 30, 40, 50}, 0, "\x8a\xbf\x8e\x9a\x82\xa0\x82\xa2");
    EXPECT_EQ(CDrawTool::IsInsideRect({0, 0, 30, 15}, &kanji), 1);
    EXPECT_EQ(CDrawTool::IsInsideRect({0, 0, 29, 15}, &kanji), 0);

    // A text with leader adds its two leader points.
    const CEntity leader = Make(EntityType::LeaderText, {10, 10, 5, 10, 0, 60, 70, 40, 20},
                                {10, 20, 30, 40, 50, 60, 61, 70, 71}, 0, "AB");
    EXPECT_EQ(CDrawTool::IsInsideRect(Square, &leader), 1);
    EXPECT_EQ(CDrawTool::IsInsideRect({0, 0, 50, 100}, &leader), 0);  // the tip is out
    EXPECT_EQ(CDrawTool::IsInsideRect({0, 15, 100, 100}, &leader), 0); // the text is out

    // A third leader point counts when the subtype's tens digit announces it.
    const CEntity three = Make(EntityType::LeaderText, {10, 10, 5, 10, 0, 60, 70, 40, 20, 95, 95},
                               {10, 20, 30, 40, 50, 60, 61, 70, 71, 80, 81}, 10, "AB");
    EXPECT_EQ(CDrawTool::IsInsideRect(Square, &three), 1);
    EXPECT_EQ(CDrawTool::IsInsideRect({0, 0, 90, 90}, &three), 0);
    const CEntity two = Make(EntityType::LeaderText, {10, 10, 5, 10, 0, 60, 70, 40, 20, 95, 95},
                             {10, 20, 30, 40, 50, 60, 61, 70, 71, 80, 81}, 0, "AB");
    EXPECT_EQ(CDrawTool::IsInsideRect({0, 0, 90, 90}, &two), 1);
}

TEST(InsideRect, InfiniteLinesDimensionsHeadersAndTheGridAreNeverInside)
{
    for (int16_t type : {EntityType::HorizontalInfiniteLine, EntityType::VerticalInfiniteLine,
                         EntityType::InfiniteLine, EntityType::Grid, EntityType::Dimension,
                         EntityType::GroupHeader}) {
        SCOPED_TRACE(type);
        const CEntity e = Make(type, {10, 10, 20, 20}, {10, 20, 11, 22});
        EXPECT_EQ(CDrawTool::IsInsideRect(Square, &e), 0);
    }
}

TEST(InsideRect, ShortRecordsAreNotInside)
{
    CEntity line = Make(EntityType::Line, {10, 10, 20, 20});
    line.count = 3;  // fewer values counted than a line needs
    EXPECT_EQ(CDrawTool::IsInsideRect(Square, &line), 0);
    line.count = 4;
    line.values.resize(2);  // fewer values held than counted
    EXPECT_EQ(CDrawTool::IsInsideRect(Square, &line), 0);

    const CEntity noPoints = Make(EntityType::Polygon, {});
    EXPECT_EQ(CDrawTool::IsInsideRect(Square, &noPoints), 0);
    const CEntity arcWithoutEnd = Make(EntityType::Arc, {50, 50, 10, 0}, {10, 20, 40, 50});
    EXPECT_EQ(CDrawTool::IsInsideRect(Square, &arcWithoutEnd), 0);
    const CEntity text = Make(EntityType::Text, {10, 10, 5}, {10, 20, 30}, 0, "A");
    EXPECT_EQ(CDrawTool::IsInsideRect(Square, &text), 0);
    const CEntity nan = Make(EntityType::Point, {std::nan(""), 5});
    EXPECT_EQ(CDrawTool::IsInsideRect(Square, &nan), 0);
}

TEST(InsideRect, FillAndHatchBoundariesItemByItem)
{
    // Vertices, an arc element (its point and its whole circle box), a
    // circle.
    const CEntity triangle = Fill(3, {10, 20, 10, 20, 10, 20}, {10, 10, 90, 10, 50, 90});
    EXPECT_EQ(CDrawTool::IsHatchInRect(1, Square, &triangle), 1);
    EXPECT_EQ(CDrawTool::IsHatchInRect(1, {0, 0, 100, 80}, &triangle), 0);
    // The flag must name the record's own kind.
    EXPECT_EQ(CDrawTool::IsHatchInRect(0, Square, &triangle), 0);

    const CEntity withArc = Fill(2, {10, 20, 0, 2, 3, 4, 5}, {20, 50, 50, 50, 30, 80, 50});
    EXPECT_EQ(CDrawTool::IsHatchInRect(1, Square, &withArc), 1);
    EXPECT_EQ(CDrawTool::IsHatchInRect(1, {0, 0, 100, 75}, &withArc), 0);  // the arc's circle box reaches y = 80

    const CEntity disc = Fill(1, {50, 51, 52}, {50, 50, 30});
    EXPECT_EQ(CDrawTool::IsHatchInRect(1, {20, 20, 80, 80}, &disc), 1);
    EXPECT_EQ(CDrawTool::IsHatchInRect(1, {21, 20, 80, 80}, &disc), 0);

    const CEntity hatchedDisc = Hatch(1, {50, 51, 52}, {50, 50, 30});
    EXPECT_EQ(CDrawTool::IsInsideRect({20, 20, 80, 80}, &hatchedDisc), 1);
    EXPECT_EQ(CDrawTool::IsInsideRect({20, 20, 79, 80}, &hatchedDisc), 0);
}

TEST(InsideRect, EllipseBoundariesAreMeasuredNotWaivedThrough)
{
    // A fill bounded by an ellipse lies inside only where its ellipse does;
    // a rectangle far away does not take it.
    const CEntity oval = Fill(1, {70, 71, 72, 73, 74}, {50, 50, 40, 20, 0});
    EXPECT_EQ(CDrawTool::IsHatchInRect(1, {5, 25, 95, 75}, &oval), 1);
    EXPECT_EQ(CDrawTool::IsHatchInRect(1, {500, 500, 600, 600}, &oval), 0);
    EXPECT_EQ(CDrawTool::IsHatchInRect(1, {5, 25, 85, 75}, &oval), 0);

    // Half an ellipse closed by its diameter, in a hatch: elliptic arc item
    // from (90, 50) to (10, 50), then a vertex back.
    const CEntity half = Hatch(2, {80, 81, 82, 83, 84, 85, 86, 4, 5, 10, 20},
                               {50, 50, 40, 20, 0, 0, 180, 90, 50, 10, 50});
    EXPECT_EQ(CDrawTool::IsHatchInRect(0, {5, 45, 95, 75}, &half), 1);
    EXPECT_EQ(CDrawTool::IsHatchInRect(0, {5, 45, 95, 65}, &half), 0);
}

TEST(InsideRect, BoundaryWalkStaysWithinTheRecord)
{
    // An unknown item code ends the walk; the items before it decide.
    const CEntity unknown = Fill(3, {10, 20, 99, 0, 10, 20}, {10, 10, 900, 900, 900, 900});
    EXPECT_EQ(CDrawTool::IsHatchInRect(1, Square, &unknown), 1);
    const CEntity unknownFirst = Fill(2, {99, 10, 20}, {900, 10, 10});
    EXPECT_EQ(CDrawTool::IsHatchInRect(1, Square, &unknownFirst), 0);

    // An item count far beyond the values held reads only what is there.
    const CEntity overcounted = Fill(30000, {10, 20, 10, 20}, {10, 10, 90, 90});
    EXPECT_EQ(CDrawTool::IsHatchInRect(1, Square, &overcounted), 1);
    CEntity cut = Fill(2, {10, 20, 10, 20}, {10, 10, 90, 90});
    cut.count = 5;  // the second vertex lies past the counted values
    EXPECT_EQ(CDrawTool::IsHatchInRect(1, {0, 0, 50, 50}, &cut), 1);

    // A hatch counting more items than any hatch may hold takes part in no
    // selection.
    const CEntity tooMany = Hatch(21, {10, 20}, {10, 10});
    EXPECT_EQ(CDrawTool::IsHatchInRect(0, Square, &tooMany), 0);
    // Nothing at all to read.
    CEntity empty;
    empty.type = EntityType::Fill;
    EXPECT_EQ(CDrawTool::IsHatchInRect(1, Square, &empty), 0);
}

TEST(InsideRect, RectanglesArePutInOrder)
{
    int x1 = 30, y1 = 5, x2 = 10, y2 = 20;
    CDrawTool::NormalizeRect(x1, y1, x2, y2);
    EXPECT_EQ((std::vector<int>{x1, y1, x2, y2}), (std::vector<int>{10, 5, 30, 20}));
    double a = 1.5, b = 9, c = -2, d = -4;
    CDrawTool::NormalizeWorldRect(a, b, c, d);
    EXPECT_EQ((std::vector<double>{a, b, c, d}), (std::vector<double>{-2, -4, 1.5, 9}));
}
