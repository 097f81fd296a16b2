// The box, parallelogram and polygon tool: the shapes it adds as groups,
// their corners, the given-size forms, typed values, protection and undo.

#include "PolyToolFixture.h"

#include <numbers>

namespace {

class PolyToolTest : public PolyToolTestBase {};

void ExpectSides(const PolyShape& shape, const std::vector<Seg>& want, double tol = 1e-9)
{
    const std::vector<Seg> got = shape.Sides();
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i)
        EXPECT_TRUE(Near(got[i], want[i], tol)) << "side " << i << ": " << got[i] << " want " << want[i];
}

TEST_F(PolyToolTest, BoxFromTwoCornersIsAGroupOfFourSides)
{
    CurrentColor = 0x0000ff;
    AddPoint(0, 0);
    AddPoint(30, 20);
    h.Select(5, 0);
    ClickExact(0, 0);
    EXPECT_EQ(InputPointCount, 1);
    EXPECT_EQ(h.Prompt(), QString("終了位置を指示して下さい。"));
    ClickExact(30, 20);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(h.Prompt(), QString("矩形を作図します。開始位置を指示して下さい。"));

    const std::vector<PolyShape> shapes = Shapes();
    ASSERT_EQ(shapes.size(), 1u);
    const CEntity* header = shapes[0].header;
    EXPECT_EQ(header->subtype, 0);
    EXPECT_EQ(header->style, 0);
    EXPECT_EQ(header->colour, 0u);
    EXPECT_EQ(header->codes, (std::vector<int16_t>{10, 20, 10, 20}));
    EXPECT_EQ(header->values, (std::vector<double>{0, 0, 1.0, 0.0}));
    EXPECT_NE(header->group, 0);
    ExpectSides(shapes[0], {{0, 0, 0, 20}, {0, 20, 30, 20}, {30, 20, 30, 0}, {30, 0, 0, 0}}, 0);
    for (const CEntity* side : shapes[0].members) {
        EXPECT_EQ(side->type, EntityType::Line);
        EXPECT_EQ(side->codes, (std::vector<int16_t>{10, 20, 11, 22}));
        EXPECT_EQ(side->group, header->group);
        EXPECT_EQ(side->colour, 0x0000ffu);
        EXPECT_EQ(side->style, CurrentLineType * 100 + CurrentPen);
        EXPECT_TRUE(h.Doc().snaps.HasEntityPoints(side));
    }
    EXPECT_TRUE(h.Doc().modified);
    ExpectClean();

    // The opposite order: the same sides, the header at the first click.
    ClickExact(30, 20);
    ClickExact(0, 0);
    ASSERT_EQ(Shapes().size(), 2u);
    EXPECT_EQ(Shapes()[1].header->values[0], 30.0);
    EXPECT_EQ(Shapes()[1].header->values[1], 20.0);
    ExpectSides(Shapes()[1], {{0, 0, 0, 20}, {0, 20, 30, 20}, {30, 20, 30, 0}, {30, 0, 0, 0}}, 0);
}

TEST_F(PolyToolTest, BoxWithoutAreaAddsNothing)
{
    MagnetEnabled = 0;
    h.Select(5, 0);
    // Both corners on one pixel.
    h.Click(10, 10);
    h.Move(10, 10);
    h.Click(10, 10);
    // Corners on one vertical: two sides would lie on each other.
    AddPoint(50, 0);
    AddPoint(50, 40);
    MagnetEnabled = 1;
    ClickExact(50, 0);
    ClickExact(50, 40);
    EXPECT_TRUE(Shapes().empty());
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(h.Prompt(), QString("矩形を作図します。開始位置を指示して下さい。"));
    ExpectClean();
}

TEST_F(PolyToolTest, GivenSizeBoxCornersByBasePointAndAngle)
{
    ShapeSizeGiven = 1;
    RectWidth = 10;
    RectHeight = 10;
    AddPoint(5, 5);
    h.Select(5, 0);
    struct Case {
        int16_t base;
        float angle;
        std::vector<Seg> sides;
    };
    const Case cases[] = {
        {0, 0, {{0, 0, 0, 10}, {0, 10, 10, 10}, {10, 10, 10, 0}, {10, 0, 0, 0}}},
        {1, 0, {{5, 5, 5, 15}, {5, 15, 15, 15}, {15, 15, 15, 5}, {15, 5, 5, 5}}},
        {0, 90, {{10, 0, 0, 0}, {0, 0, 0, 10}, {0, 10, 10, 10}, {10, 10, 10, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.base * 1000 + c.angle);
        RectBasePoint = c.base;
        ShapeAngle = c.angle;
        ClickExact(5, 5);
        EXPECT_EQ(InputPointCount, 0);
        const PolyShape shape = Shapes().back();
        EXPECT_EQ(shape.header->values[0], 5.0);
        EXPECT_EQ(shape.header->values[1], 5.0);
        ExpectSides(shape, c.sides, 1e-6);
    }
    EXPECT_EQ(Shapes().size(), 3u);
}

TEST_F(PolyToolTest, GivenSizesBelowTheLeastAreIgnored)
{
    ShapeSizeGiven = 1;
    MagnetEnabled = 0;
    struct Case {
        int item;
        float width, height, distance;
    };
    const Case cases[] = {
        {0, 0.005f, 10, 50}, {0, 10, 0.0f, 50}, {0, -5, 10, 50}, {0, std::nanf(""), 10, 50},
        {2, 10, 10, 0.009f}, {2, 10, 10, -20}, {2, 10, 10, std::nanf("")},
    };
    for (const Case& c : cases) {
        h.Select(5, c.item);
        RectWidth = c.width;
        RectHeight = c.height;
        PolygonDistance = c.distance;
        h.Click(20, 20);
    }
    EXPECT_TRUE(h.Entities().empty());
    EXPECT_FALSE(h.Doc().modified);
}

TEST_F(PolyToolTest, GivenSizePolygonIsADiamondWithTheFirstVertexAbove)
{
    ShapeSizeGiven = 1;
    PolygonVertexCount = 4;
    PolygonDistance = 10;
    AddPoint(0, 0);
    h.Select(5, 2);
    ClickExact(0, 0);
    ASSERT_EQ(Shapes().size(), 1u);
    ExpectSides(Shapes()[0], {{0, 10, -10, 0}, {-10, 0, 0, -10}, {0, -10, 10, 0}, {10, 0, 0, 10}}, 1e-9);
    EXPECT_EQ(h.Prompt(), QString("多角形を作図します。中心点を指示して下さい。"));
}

TEST_F(PolyToolTest, PolygonByMouseTakesItsFirstVertexFromTheDirection)
{
    PolygonVertexCount = 6;
    AddPoint(0, 0);
    AddPoint(20, 0);
    AddPoint(60, 0);
    h.Select(5, 2);
    ClickExact(0, 0);
    EXPECT_EQ(h.Prompt(), QString("半径終端を指示して下さい。[マウス右：数値入力／中止]"));
    ClickExact(20, 0);
    EXPECT_EQ(h.Prompt(), QString("マウスにて作図方向を指示して下さい。[マウス右：角度入力／中止]"));
    EXPECT_EQ(InputPointCount, 2);
    ClickExact(60, 0);
    ASSERT_EQ(Shapes().size(), 1u);
    const std::vector<Seg> sides = Shapes()[0].Sides();
    ASSERT_EQ(sides.size(), 6u);
    EXPECT_NEAR(sides[0].x1, 20, 1e-9);
    EXPECT_NEAR(sides[0].y1, 0, 1e-9);
    EXPECT_NEAR(sides[1].x1, 10, 1e-9);
    EXPECT_NEAR(sides[1].y1, 20 * std::sin(std::numbers::pi / 3), 1e-9);
    EXPECT_TRUE(Near({sides[5].x2, sides[5].y2, 0, 0}, {20, 0, 0, 0}));
    EXPECT_EQ(Shapes()[0].header->values[0], 0.0);
    EXPECT_EQ(h.Prompt(), QString("多角形を作図します。中心点を指示して下さい。"));
}

TEST_F(PolyToolTest, PolygonTypedRadiusAndDirection)
{
    PolygonVertexCount = 4;
    AddPoint(0, 0);
    h.Select(5, 2);
    ClickExact(0, 0);
    h.Move(10, 10);
    Type(25);
    EXPECT_EQ(InputPointCount, 2);
    EXPECT_EQ(Tool().X[1], 25.0);
    EXPECT_EQ(Tool().Y[1], 0.0);
    EXPECT_EQ(NumericInputPending, 0);
    h.Move(-30, 10);
    Type(90);
    ASSERT_EQ(Shapes().size(), 1u);
    ExpectSides(Shapes()[0], {{0, 25, -25, 0}, {-25, 0, 0, -25}, {0, -25, 25, 0}, {25, 0, 0, 25}}, 1e-9);
    EXPECT_EQ(NumericInputPending, 0);
    ExpectClean();
}

TEST_F(PolyToolTest, VertexCountIsTakenAtTheRadiusPointAndKeptInRange)
{
    AddPoint(0, 0);
    AddPoint(20, 0);
    h.Select(5, 2);
    struct Case {
        int16_t atRadius, later;
        std::size_t sides;
    };
    // A count from an edited parameter file outside 3 .. 24 is brought in.
    const Case cases[] = {{5, 8, 5}, {100, 3, 24}, {0, 6, 3}, {-7, 6, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.atRadius);
        ClickExact(0, 0);
        PolygonVertexCount = c.atRadius;
        ClickExact(20, 0);
        PolygonVertexCount = c.later;
        h.Move(0, 40);
        h.Click(0, 40);
        ASSERT_FALSE(Shapes().empty());
        EXPECT_EQ(Shapes().back().members.size(), c.sides);
    }
    ShapeSizeGiven = 1;
    PolygonVertexCount = 1000;
    ClickExact(0, 0);
    EXPECT_EQ(Shapes().back().members.size(), 24u);
}

TEST_F(PolyToolTest, PolygonWithoutRadiusWaitsForAnotherPoint)
{
    AddPoint(0, 0);
    AddPoint(30, 0);
    h.Select(5, 2);
    ClickExact(0, 0);
    ClickExact(0, 0);
    EXPECT_EQ(h.Beeps(), 1);
    EXPECT_EQ(InputPointCount, 1);
    h.Move(5, 5);
    Type(0);
    EXPECT_EQ(h.Beeps(), 2);
    EXPECT_EQ(InputPointCount, 1);
    ClickExact(30, 0);
    EXPECT_EQ(InputPointCount, 2);
    h.Move(0, 40);
    h.Click(0, 40);
    ASSERT_EQ(Shapes().size(), 1u);
    EXPECT_NEAR(Shapes()[0].Sides()[0].y1, 30, 1e-9);
    ExpectClean();
}

TEST_F(PolyToolTest, ParallelogramFollowsTheBaseDirection)
{
    AddPoint(0, 0);
    AddPoint(40, 0);
    AddPoint(10, 20);
    AddPoint(30, 20);
    h.Select(5, 1);
    ClickExact(0, 0);
    EXPECT_EQ(h.Prompt(), QString("基準線 終端を指示して下さい。"));
    ClickExact(40, 0);
    EXPECT_EQ(h.Prompt(), QString("終了位置を指示して下さい。"));
    EXPECT_DOUBLE_EQ(Tool().baseLength, 40.0);
    ClickExact(10, 20);
    EXPECT_EQ(h.Prompt(), QString("平行四辺形を作図します。基準線 始端を指示して下さい。"));
    ASSERT_EQ(Shapes().size(), 1u);
    ExpectSides(Shapes()[0], {{0, 0, 10, 20}, {10, 20, 50, 20}, {50, 20, 40, 0}, {40, 0, 0, 0}});

    // The base drawn the other way round builds toward the other side.
    ClickExact(40, 0);
    ClickExact(0, 0);
    ClickExact(30, 20);
    ASSERT_EQ(Shapes().size(), 2u);
    EXPECT_EQ(Shapes()[1].header->values[0], 40.0);
    ExpectSides(Shapes()[1], {{40, 0, 30, 20}, {30, 20, -10, 20}, {-10, 20, 0, 0}, {0, 0, 40, 0}});
    ExpectClean();
}

TEST_F(PolyToolTest, FlatParallelogramsAreRefused)
{
    AddPoint(0, 0);
    AddPoint(40, 0);
    AddPoint(80, 0);
    h.Select(5, 1);
    // A base line without length: a beep, the step waits for its end.
    ClickExact(0, 0);
    ClickExact(0, 0);
    EXPECT_EQ(h.Beeps(), 1);
    EXPECT_EQ(InputPointCount, 1);
    ClickExact(40, 0);
    EXPECT_EQ(InputPointCount, 2);
    // A third corner on the base line folds the shape flat.
    ClickExact(80, 0);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_TRUE(h.Entities(EntityType::GroupHeader).empty());
    ExpectClean();
}

TEST_F(PolyToolTest, OneUndoTakesTheWholeShape)
{
    PolygonVertexCount = 7;
    ShapeSizeGiven = 1;
    AddPoint(0, 0);
    h.Select(5, 0);
    ClickExact(0, 0);
    h.Select(5, 2);
    ClickExact(0, 0);
    ASSERT_EQ(Shapes().size(), 2u);
    EXPECT_EQ(Shapes()[1].members.size(), 7u);
    h.Key(ID_EDIT_UNDO);
    ASSERT_EQ(Shapes().size(), 1u);
    EXPECT_EQ(Shapes()[0].members.size(), 4u);
    EXPECT_EQ(h.Entities(EntityType::Line).size(), 4u);
    h.Key(ID_EDIT_UNDO);  // redo
    EXPECT_EQ(h.Entities(EntityType::Line).size(), 11u);
    ExpectClean();
}

TEST_F(PolyToolTest, ProtectedDrawingTakesNoShape)
{
    h.Doc().ProtectionState = 1;
    AddPoint(0, 0);
    AddPoint(30, 20);
    AddPoint(40, 0);
    const std::size_t before = h.Entities().size();
    h.Select(5, 0);
    ClickExact(0, 0);
    ClickExact(30, 20);
    h.Select(5, 1);
    ClickExact(0, 0);
    ClickExact(40, 0);
    ClickExact(30, 20);
    h.Select(5, 2);
    ClickExact(0, 0);
    ClickExact(40, 0);
    h.Click(0, 40);
    ShapeSizeGiven = 1;
    ClickExact(0, 0);
    EXPECT_EQ(h.Entities().size(), before);
    const QString msg = "この図面は、書きこみ禁止状態になっています。";
    EXPECT_EQ(h.Messages(), (QStringList{msg, msg, msg, msg}));
    EXPECT_FALSE(h.Doc().modified);
}

} // namespace
