// The model figures of the selection tool's drag outlines.

#include "edit_tools/SelectToolPreviewShapes.h"
#include "model/Entity.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace {

CEntity Text(std::string text, double width, double angle)
{
    CEntity e;
    e.type = EntityType::Text;
    e.values = {1, 2, 5, width, angle};
    e.codes = {10, 20, 30, 40, 50};
    e.count = 5;
    e.text = std::move(text);
    return e;
}

CEntity Boundary(int16_t type, std::vector<int16_t> itemCodes, std::vector<double> itemValues, int items)
{
    CEntity e;
    e.type = type;
    if (type == EntityType::Fill) {
        e.subtype = static_cast<int16_t>(items);
        e.codes = {0, 0};
        e.values = {0, 0};
    } else {
        e.codes = {static_cast<int16_t>(items), 0, 0, 60, 61, 62, 63};
        e.values = {5, 5, 0, 0, 0, 0, 0};
    }
    e.codes.insert(e.codes.end(), itemCodes.begin(), itemCodes.end());
    e.values.insert(e.values.end(), itemValues.begin(), itemValues.end());
    e.count = static_cast<int16_t>(e.values.size());
    return e;
}

} // namespace

TEST(SelectToolPreviewShapesTest, TextBoxLengthAndTurn)
{
    const double c30 = std::cos(std::numbers::pi / 6), s30 = std::sin(std::numbers::pi / 6);
    const struct {
        const char* what;
        CEntity text;
        GeoPoint p1, p3;  // relative to the displaced insertion point
    } cases[] = {
        {"three single-byte characters", Text("abc", 10, 0), {15, 0}, {0, 5}},
        {"one double-byte character", Text("\x82\xa0", 10, 0), {10, 0}, {0, 5}},
        {"turned 30 degrees", Text("abc", 10, 30), {15 * c30, 15 * s30}, {-5 * s30, 5 * c30}},
        {"0.05 degrees is axis-parallel", Text("abc", 10, 0.05), {15, 0}, {0, 5}},
        {"turned, but too short to turn", Text("", 10, 30), {0, 0}, {0, 5}},
    };
    for (const auto& c : cases) {
        std::array<GeoPoint, 5> box{};
        ASSERT_TRUE(TextPreviewBox(c.text, 10, 20, box)) << c.what;
        const GeoPoint p0{11, 22};
        EXPECT_DOUBLE_EQ(box[0].x, p0.x) << c.what;
        EXPECT_DOUBLE_EQ(box[0].y, p0.y) << c.what;
        EXPECT_NEAR(box[1].x - p0.x, c.p1.x, 1e-9) << c.what;
        EXPECT_NEAR(box[1].y - p0.y, c.p1.y, 1e-9) << c.what;
        EXPECT_NEAR(box[3].x - p0.x, c.p3.x, 1e-9) << c.what;
        EXPECT_NEAR(box[3].y - p0.y, c.p3.y, 1e-9) << c.what;
        EXPECT_NEAR(box[2].x, box[1].x + box[3].x - p0.x, 1e-9) << c.what;
        EXPECT_NEAR(box[2].y, box[1].y + box[3].y - p0.y, 1e-9) << c.what;
        EXPECT_DOUBLE_EQ(box[4].x, p0.x) << c.what;
    }
    CEntity shortRecord = Text("abc", 10, 0);
    shortRecord.count = 3;
    std::array<GeoPoint, 5> box{};
    EXPECT_FALSE(TextPreviewBox(shortRecord, 0, 0, box));
}

TEST(SelectToolPreviewShapesTest, EllipsesSampledEveryFiveHundredthsOfTheParameter)
{
    const std::vector<GeoPoint> whole = EllipsePreviewPoints(0, 0, 20, 10, 90);
    ASSERT_EQ(whole.size(), 126u);
    EXPECT_NEAR(whole[0].x, 0, 1e-9);
    EXPECT_NEAR(whole[0].y, 20, 1e-9);  // the first axis turned up

    const std::vector<GeoPoint> quarter = EllipticArcPreviewPoints(0, 0, 10, 10, 0, 0, 90);
    ASSERT_EQ(quarter.size(), 32u);  // 0 .. 1.55
    EXPECT_NEAR(quarter.front().x, 10, 1e-9);
    EXPECT_GT(quarter.back().x, 0);
    // Across the zero direction: from 270 to 90 degrees.
    EXPECT_EQ(EllipticArcPreviewPoints(0, 0, 10, 10, 0, 270, 90).size(), 63u);
    EXPECT_TRUE(EllipticArcPreviewPoints(0, 0, 10, 0, 0, 0, 90).empty());
}

TEST(SelectToolPreviewShapesTest, BoundaryWalk)
{
    const std::vector<int16_t> square{10, 20, 10, 20, 10, 20, 10, 20};
    const std::vector<double> squareValues{0, 0, 10, 0, 10, 10, 0, 10};

    BoundaryPreview fill = BoundaryPreviewOf(Boundary(EntityType::Fill, square, squareValues, 4), 1, 2);
    ASSERT_EQ(fill.points.size(), 4u);
    EXPECT_DOUBLE_EQ(fill.points[2].x, 11);
    EXPECT_DOUBLE_EQ(fill.points[2].y, 12);
    EXPECT_TRUE(fill.discs.empty());

    // A hatch's circle is a disc beside the polygon; a fill stops at it.
    std::vector<int16_t> withCircle{50, 51, 52};
    withCircle.insert(withCircle.end(), square.begin(), square.end());
    std::vector<double> withCircleValues{5, 5, 3};
    withCircleValues.insert(withCircleValues.end(), squareValues.begin(), squareValues.end());
    const BoundaryPreview hatch = BoundaryPreviewOf(Boundary(EntityType::Hatch, withCircle, withCircleValues, 5), 0, 0);
    EXPECT_EQ(hatch.points.size(), 4u);
    ASSERT_EQ(hatch.discs.size(), 1u);
    EXPECT_DOUBLE_EQ(hatch.discs[0][2], 3);
    const BoundaryPreview circleFill = BoundaryPreviewOf(Boundary(EntityType::Fill, withCircle, withCircleValues, 5), 0, 0);
    EXPECT_TRUE(circleFill.points.empty());
    EXPECT_EQ(circleFill.discs.size(), 1u);

    // An ellipse item ends the walk.
    std::vector<int16_t> ellipseThird{10, 20, 10, 20, 70, 71, 72, 73, 74, 10, 20};
    const BoundaryPreview cut = BoundaryPreviewOf(
        Boundary(EntityType::Hatch, ellipseThird, {0, 0, 10, 0, 0, 0, 5, 3, 0, 10, 10}, 4), 0, 0);
    EXPECT_EQ(cut.points.size(), 2u);

    // A half circle from (10, 0) counter-clockwise to the vertex (-10, 0).
    const BoundaryPreview arc = BoundaryPreviewOf(
        Boundary(EntityType::Fill, {0, 2, 3, 4, 5, 10, 20}, {0, 0, 10, 10, 0, -10, 0}, 2), 0, 0);
    ASSERT_EQ(arc.points.size(), 32u + 1u);  // the arc from its start every 6 degrees to its end, then the vertex
    EXPECT_NEAR(arc.points[15].y, 10, 1e-9);
    EXPECT_NEAR(arc.points[31].x, -10, 1e-9);

    // Long boundaries keep 300 points, and an arc that would pass them is
    // left out whole.
    std::vector<int16_t> codes;
    std::vector<double> values;
    for (int i = 0; i < 290; ++i) {
        codes.insert(codes.end(), {10, 20});
        values.insert(values.end(), {static_cast<double>(i), 0});
    }
    codes.insert(codes.end(), {0, 2, 3, 4, 5});
    values.insert(values.end(), {300, 0, 10, 310, 0});
    for (int i = 0; i < 20; ++i) {
        codes.insert(codes.end(), {10, 20});
        values.insert(values.end(), {i == 0 ? 300.0 : i, i == 0 ? 10.0 : 50.0});  // the arc ends at (300, 10)
    }
    const BoundaryPreview big = BoundaryPreviewOf(Boundary(EntityType::Hatch, codes, values, 311), 0, 0);
    ASSERT_EQ(big.points.size(), BoundaryPreviewMaxPoints);
    EXPECT_DOUBLE_EQ(big.points[290].y, 10);  // the arc is not there
    EXPECT_DOUBLE_EQ(big.points[291].y, 50);
}

TEST(SelectToolPreviewShapesTest, ArcHandleKeepsItsSideAndHeightRatio)
{
    // A half circle of radius 10 counter-clockwise from (10, 0) to (-10, 0):
    // chord 20, height 10, its end grabbed.
    ArcHandleFigure f = ArcHandlePreview({-10, 0}, {10, 0}, 20, 10, true, 1);
    ASSERT_FALSE(f.lineOnly);
    EXPECT_NEAR(f.cx, 0, 1e-9);
    EXPECT_NEAR(f.cy, 0, 1e-9);
    EXPECT_NEAR(f.r, 10, 1e-9);
    EXPECT_NEAR(f.apex.y, 10, 1e-9);
    EXPECT_NEAR(f.startDeg, 0, 1e-9);
    EXPECT_NEAR(f.endDeg, 180, 1e-9);

    f = ArcHandlePreview({-30, 0}, {10, 0}, 20, 10, true, 1);
    EXPECT_NEAR(f.cx, -10, 1e-9);
    EXPECT_NEAR(f.r, 20, 1e-9);
    EXPECT_NEAR(f.apex.y, 20, 1e-9);

    // The clockwise arc over the same chord bulges downwards.
    f = ArcHandlePreview({-10, 0}, {10, 0}, 20, 10, true, -1);
    EXPECT_NEAR(f.apex.y, -10, 1e-9);
    EXPECT_NEAR(f.startDeg, 180, 1e-9);
    EXPECT_NEAR(f.endDeg, 0, 1e-9);

    EXPECT_TRUE(ArcHandlePreview({-10, 0}, {10, 0}, 0.2, 10, true, 1).lineOnly);
    EXPECT_TRUE(ArcHandlePreview({10, 0}, {10, 0}, 20, 10, true, 1).lineOnly);
}
