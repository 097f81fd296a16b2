// Which entities a crossing segment takes, type by type.

#include "model/Entity.h"
#include "model/SegmentCrossing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CEntity Make(int16_t type, std::vector<double> values, std::vector<int16_t> codes = {}, int16_t subtype = 0,
             std::string text = {})
{
    CEntity e;
    e.type = type;
    e.subtype = subtype;
    e.count = static_cast<int16_t>(values.size());
    e.values = std::move(values);
    e.codes = std::move(codes);
    e.text = std::move(text);
    return e;
}

// A boundary of vertex items from the points, behind the leading values.
struct Boundary {
    std::vector<double> values;
    std::vector<int16_t> codes;
    int items = 0;
    Boundary& Vertex(double x, double y)
    {
        values.insert(values.end(), {x, y});
        codes.insert(codes.end(), {10, 20});
        ++items;
        return *this;
    }
    Boundary& Arc(int16_t kind, double cx, double cy, double r, double sx, double sy)
    {
        values.insert(values.end(), {cx, cy, r, sx, sy});
        codes.insert(codes.end(), {kind, 2, 3, 4, 5});
        ++items;
        return *this;
    }
    Boundary& Circle(double cx, double cy, double r)
    {
        values.insert(values.end(), {cx, cy, r});
        codes.insert(codes.end(), {50, 51, 52});
        ++items;
        return *this;
    }
    Boundary& Ellipse(double cx, double cy, double r1, double r2)
    {
        values.insert(values.end(), {cx, cy, r1, r2, 0});
        codes.insert(codes.end(), {70, 71, 72, 73, 74});
        ++items;
        return *this;
    }
    CEntity Fill() const
    {
        std::vector<double> v{0, 0};
        std::vector<int16_t> c{0, 0};
        v.insert(v.end(), values.begin(), values.end());
        c.insert(c.end(), codes.begin(), codes.end());
        return Make(EntityType::Fill, v, c, static_cast<int16_t>(items));
    }
    CEntity Hatch() const
    {
        std::vector<double> v{5, 5, 45, -100, -100, 100, 100};
        std::vector<int16_t> c{static_cast<int16_t>(items), 0, 0, 60, 61, 62, 63};
        v.insert(v.end(), values.begin(), values.end());
        c.insert(c.end(), codes.begin(), codes.end());
        return Make(EntityType::Hatch, v, c);
    }
};

Boundary Square()
{
    return Boundary().Vertex(0, 0).Vertex(10, 0).Vertex(10, 10).Vertex(0, 10);
}

// Three double-byte characters (cp932).
const std::string ThreeWide = "\x82\xa0\x82\xa2\x82\xa4";

struct Case {
    const char* what;
    CEntity entity;
    CrossingSegment s;
    int crossed;
};

CrossingSegment Vertical(double x, double y1, double y2)
{
    return {x, y1, x, y2};
}

std::vector<Case> Cases()
{
    const std::vector<int16_t> lineCodes{10, 20, 11, 22};
    const std::vector<int16_t> circleCodes{10, 20, 40, 50, 51};
    const std::vector<int16_t> ellipseCodes{10, 20, 60, 61, 62, 50, 51};
    const std::vector<double> openSquare{0, 0, 10, 0, 10, 10, 0, 10};
    std::vector<double> longList;
    for (int i = 0; i < 100; ++i)
        longList.insert(longList.end(), {static_cast<double>(i), static_cast<double>(i % 2)});
    Boundary longBoundary;
    for (int i = 0; i < 30; ++i)
        longBoundary.Vertex(i, 0);
    longBoundary.Vertex(29, 10).Vertex(0, 10);
    return {
        {"point on S", Make(EntityType::Point, {5, 0.3}, {10, 20}), {0, 0, 10, 0}, 1},
        {"point beyond S", Make(EntityType::Point, {12, 0}, {10, 20}), {0, 0, 10, 0}, 0},
        {"line crossed", Make(EntityType::Line, {0, 0, 10, 10}, lineCodes), Vertical(5, 0, 10), 1},
        {"line S stops short", Make(EntityType::Line, {0, 0, 10, 10}, lineCodes), Vertical(5, 6, 10), 0},
        {"line along S", Make(EntityType::Line, {0, 0, 10, 0}, lineCodes), {-5, 0, 20, 0}, 0},
        {"line of no length", Make(EntityType::Line, {5, 5, 5, 5}, lineCodes), {0, 5, 10, 5}, 0},
        {"infinite line between its points",
         Make(EntityType::InfiniteLine, {0, 0, 10, 0}, lineCodes), Vertical(5, -1, 1), 1},
        {"infinite line beyond its points",
         Make(EntityType::HorizontalInfiniteLine, {0, 0, 10, 0}, lineCodes), Vertical(50, -1, 1), 0},
        {"record too short", Make(EntityType::Line, {0, 0}, {10, 20}), Vertical(0, -1, 1), 0},
        {"polygon edge", Make(EntityType::Polygon, openSquare), Vertical(5, -1, 1), 1},
        {"polygon gap", Make(EntityType::Polygon, openSquare), {-2, 5, 2, 5}, 0},
        {"free curve gap", Make(EntityType::FreehandCurve, openSquare), {-2, 5, 2, 5}, 0},
        {"list 27 edge", Make(EntityType::CurveVariant27, openSquare), Vertical(5, 9, 11), 1},
        {"long free curve, last edge", Make(EntityType::FreehandCurve, longList), {98.5, -1, 98.5, 2}, 1},
        {"circle crossed", Make(EntityType::Circle, {0, 0, 10}, {10, 20, 40}), Vertical(0, 5, 15), 1},
        {"S inside circle", Make(EntityType::Circle, {0, 0, 10}, {10, 20, 40}), Vertical(0, -5, 5), 0},
        {"ccw arc, S at its point",
         Make(EntityType::Arc, {0, 0, 10, 0, 90}, circleCodes, 1), Vertical(5, 0, 20), 1},
        {"ccw arc, S at the circle's other point",
         Make(EntityType::Arc, {0, 0, 10, 0, 90}, circleCodes, 1), Vertical(5, -20, 0), 0},
        {"cw arc, S at its point",
         Make(EntityType::Arc, {0, 0, 10, 0, 90}, circleCodes, -1), Vertical(5, -20, 0), 1},
        {"cw arc, S off it", Make(EntityType::Arc, {0, 0, 10, 0, 90}, circleCodes, -1), Vertical(5, 0, 20), 0},
        {"ellipse crossed", Make(EntityType::Ellipse, {0, 0, 20, 10, 0}, {10, 20, 60, 61, 62}),
         Vertical(0, 5, 15), 1},
        {"S inside ellipse", Make(EntityType::Ellipse, {0, 0, 20, 10, 0}, {10, 20, 60, 61, 62}),
         Vertical(0, -5, 5), 0},
        {"elliptic arc, S at its point",
         Make(EntityType::EllipticArc, {0, 0, 20, 10, 0, 0, 90}, ellipseCodes), Vertical(0, 0, 15), 1},
        {"elliptic arc, S off it",
         Make(EntityType::EllipticArc, {0, 0, 20, 10, 0, 0, 90}, ellipseCodes), Vertical(0, -15, 0), 0},
        {"text box right part", Make(EntityType::Text, {0, 0, 5, 4, 0}, {10, 20, 30, 40, 50}, 0, ThreeWide),
         Vertical(5, -1, 6), 1},
        {"beyond the text box", Make(EntityType::Text, {0, 0, 5, 4, 0}, {10, 20, 30, 40, 50}, 0, ThreeWide),
         Vertical(7, -1, 6), 0},
        {"turned text keeps its box",
         Make(EntityType::Text, {0, 0, 5, 4, 90}, {10, 20, 30, 40, 50}, 0, ThreeWide), Vertical(5, -1, 6), 1},
        {"single-byte characters", Make(EntityType::Text, {0, 0, 5, 4, 0}, {10, 20, 30, 40, 50}, 0, "abc"),
         Vertical(5, -1, 6), 1},
        {"text without characters", Make(EntityType::Text, {0, 0, 5, 4, 0}, {10, 20, 30, 40, 50}),
         Vertical(0, -1, 6), 0},
        {"leader edge", Make(EntityType::LeaderText, {0, 0, 5, 4, 0, 50, 0, 60, 10},
                             {10, 20, 30, 40, 50, 40, 41, 50, 51}, 0, ThreeWide),
         Vertical(55, -1, 20), 1},
        {"third leader point", Make(EntityType::LeaderText, {0, 0, 5, 4, 0, 50, 0, 60, 10, 80, 10},
                                    {10, 20, 30, 40, 50, 60, 61, 70, 71, 80, 81}, 10, ThreeWide),
         Vertical(70, 0, 20), 1},
        {"image edge", Make(EntityType::Image, {0, 0, 10, 10}, lineCodes), {5, 5, 15, 5}, 1},
        {"S inside image", Make(EntityType::Image, {0, 0, 10, 10}, lineCodes), {2, 5, 8, 5}, 0},
        {"fill edge", Square().Fill(), Vertical(5, -1, 1), 1},
        {"fill closing edge", Square().Fill(), {-1, 5, 1, 5}, 1},
        {"S inside fill", Square().Fill(), {2, 5, 8, 5}, 0},
        {"hatch edge", Square().Hatch(), Vertical(5, 9, 11), 1},
        {"hatch of circle", Boundary().Circle(0, 0, 10).Hatch(), Vertical(0, 5, 15), 1},
        {"fill ccw arc item", Boundary().Vertex(-10, 0).Arc(0, 0, 0, 10, 10, 0).Fill(), Vertical(5, 1, 20), 1},
        {"fill ccw arc item, S at the other half",
         Boundary().Vertex(-10, 0).Arc(0, 0, 0, 10, 10, 0).Fill(), Vertical(5, -20, -1), 0},
        {"fill cw arc item", Boundary().Vertex(-10, 0).Arc(1, 0, 0, 10, 10, 0).Fill(), Vertical(5, -20, -1), 1},
        {"hatch starting with an ellipse", Boundary().Ellipse(0, 0, 20, 10).Vertex(0, 0).Vertex(10, 0).Hatch(),
         Vertical(0, 5, 15), 0},
        {"hatch third item an ellipse, first two tested",
         Boundary().Vertex(0, 0).Vertex(10, 0).Ellipse(0, 0, 20, 10).Hatch(), Vertical(5, -1, 1), 1},
        {"hatch third item an ellipse, ellipse not tested",
         Boundary().Vertex(0, 0).Vertex(10, 0).Ellipse(0, 0, 20, 10).Hatch(), Vertical(0, 5, 15), 0},
        {"hatch of 32 items, last edge", longBoundary.Hatch(), {-1, 5, 1, 5}, 1},
        {"hatch counting more items than it holds", [] {
             CEntity e = Square().Hatch();
             e.codes[0] = 500;
             return e;
         }(), {-1, 5, 1, 5}, 1},
        {"spline crossed", Make(EntityType::Curve, {0, 0, 10, 10, 20, 0}, {10, 20, 10, 20, 10, 20}),
         Vertical(10, 1, 20), 1},
        {"spline below S", Make(EntityType::Curve, {0, 0, 10, 10, 20, 0}, {10, 20, 10, 20, 10, 20}),
         Vertical(10, 8, 20), 0},
        {"spline along S", Make(EntityType::Curve, {0, 0, 10, 0, 20, 0}, {10, 20, 10, 20, 10, 20}),
         {-5, 0, 25, 0}, 0},
        {"spline of 100 points, near its end", Make(EntityType::Curve, longList), {98.5, -1, 98.5, 2}, 1},
        {"dimension", Make(EntityType::Dimension, {0, 0, 10, 0}), Vertical(5, -1, 1), 0},
        {"group header", Make(EntityType::GroupHeader, {0, 0, 1, 0}), Vertical(0, -1, 1), 0},
    };
}

TEST(SegmentCrossingTest, EachTypeByItsRule)
{
    for (const Case& c : Cases())
        EXPECT_EQ(EntityCrossesSegment(c.entity, c.s), c.crossed) << c.what;
}

TEST(SegmentCrossingTest, TextBoxIsHalfTheWidthPerCharacter)
{
    const CEntity e = Make(EntityType::Text, {1, 2, 5, 4, 30}, {10, 20, 30, 40, 50}, 0, ThreeWide);
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    ASSERT_TRUE(TextCrossingBox(e, x1, y1, x2, y2));
    EXPECT_DOUBLE_EQ(x1, 1);
    EXPECT_DOUBLE_EQ(y1, 2);
    EXPECT_DOUBLE_EQ(x2, 7);
    EXPECT_DOUBLE_EQ(y2, 7);
}

} // namespace
