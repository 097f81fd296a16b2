#include "AnnotationFixture.h"

#include "annotation_tools/DimensionTool.h"
#include "model/RegionMeasure.h"
#include "model/Settings.h"

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr double Pi = std::numbers::pi;

class DimensionRegionTest : public AnnotationTest {
protected:
    // Picks at the points in turn in a sub-mode; the perimeter is then
    // placed at (30, 80).
    const CEntity* Measure(int mode, const std::vector<std::pair<double, double>>& picks)
    {
        const std::size_t before = Records(EntityType::Dimension).size();
        h.Select(7, mode);
        for (auto [x, y] : picks)
            h.Click(x, y);
        if (mode == DimensionMode::Perimeter) {
            h.Move(30, 80);
            h.Click(30, 80);
        }
        const auto dims = Records(EntityType::Dimension);
        return dims.size() > before ? dims.back() : nullptr;
    }
    static std::vector<std::string> MemberTexts(const CEntity* owner)
    {
        std::vector<std::string> texts;
        for (const CEntity* e = owner->next; e && e->owner == owner; e = e->next)
            if (!e->text.empty())
                texts.push_back(e->text);
        return texts;
    }
};

TEST_F(DimensionRegionTest, ACircleAloneClosesTheRegion)
{
    AddCircle(0, 0, 10);
    DimDecimals = 2;
    const CEntity* perimeter = Measure(DimensionMode::Perimeter, {{10, 0}});
    ASSERT_TRUE(perimeter);
    EXPECT_EQ(perimeter->subtype, DimensionKind::Perimeter);
    EXPECT_EQ(perimeter->count, 16);
    EXPECT_NEAR(Value(perimeter, 10), 20 * Pi, 1e-9);
    EXPECT_EQ(MemberTexts(perimeter), std::vector<std::string>{"62.83"});
    // The leader starts where the circle was picked and the underline runs
    // right of the knee, the leader start lying left of it.
    EXPECT_NEAR(Value(perimeter, 40), 10, 2);
    const double height = Value(perimeter, 11);
    EXPECT_DOUBLE_EQ(Value(perimeter, 60) - Value(perimeter, 50), 6 * height);
    EXPECT_NEAR(Value(perimeter, 43) - Value(perimeter, 51), height / 3, 1e-9);

    const CEntity* area = Measure(DimensionMode::Area, {{10, 0}});
    ASSERT_TRUE(area);
    EXPECT_EQ(area->subtype, DimensionKind::Area);
    EXPECT_EQ(area->count, 9);
    EXPECT_NEAR(Value(area, 10), 100 * Pi, 1e-9);
    EXPECT_EQ(Value(area, 40), 0.0);
    EXPECT_EQ(Value(area, 41), 0.0);
    EXPECT_EQ(h.Entities(EntityType::Circle)[0]->state, EntityState::Normal);
}

TEST_F(DimensionRegionTest, ARectangleGivesTheSameAreaWhicheverWayItIsPicked)
{
    AddRectangle(0, 0, 100, 50);
    const CEntity* ccw = Measure(DimensionMode::Area, {{50, 0}, {100, 25}, {50, 50}, {0, 25}, {50, 0}});
    ASSERT_TRUE(ccw);
    const CEntity* cw = Measure(DimensionMode::Area, {{50, 0}, {0, 25}, {50, 50}, {100, 25}, {50, 0}});
    ASSERT_TRUE(cw);
    for (const CEntity* d : {ccw, cw}) {
        EXPECT_NEAR(Value(d, 10), 5000, 1e-9);
        EXPECT_NEAR(Value(d, 40), 50, 1e-9);
        EXPECT_NEAR(Value(d, 41), 25, 1e-9);
    }
    for (const CEntity* line : h.Entities(EntityType::Line))
        EXPECT_EQ(line->state, EntityState::Normal);
}

TEST_F(DimensionRegionTest, ASideSplitIntoTwoLinesIsPickedPieceByPiece)
{
    // The bottom side in two pieces meeting end to end at (40, 0).
    AddLine(0, 0, 40, 0);
    AddLine(40, 0, 100, 0);
    AddLine(100, 0, 100, 50);
    AddLine(100, 50, 0, 50);
    AddLine(0, 50, 0, 0);
    const std::vector<std::pair<double, double>> picks{{20, 0}, {70, 0}, {100, 25}, {50, 50}, {0, 25}, {20, 0}};
    const CEntity* area = Measure(DimensionMode::Area, picks);
    ASSERT_TRUE(area);
    EXPECT_NEAR(Value(area, 10), 5000, 1e-9);
    const CEntity* perimeter = Measure(DimensionMode::Perimeter, picks);
    ASSERT_TRUE(perimeter);
    EXPECT_NEAR(Value(perimeter, 10), 300, 1e-9);
    EXPECT_EQ(h.Beeps(), 0);
}

TEST_F(DimensionRegionTest, ALineLongerThanItsSideCountsOnlyBetweenTheJunctions)
{
    AddLine(-20, 0, 130, 0);
    AddLine(100, -10, 100, 50);
    AddLine(100, 50, 0, 50);
    AddLine(0, 50, 0, 0);
    const CEntity* d = Measure(DimensionMode::Perimeter, {{50, 0}, {100, 25}, {50, 50}, {0, 25}, {50, 0}});
    ASSERT_TRUE(d);
    EXPECT_NEAR(Value(d, 10), 300, 1e-9);
}

TEST_F(DimensionRegionTest, AnArcEnteredAtEitherEnd)
{
    AddLine(-10, 0, 10, 0);
    AddArc(0, 0, 10, 0, 180);
    const double s = std::sqrt(50.0);
    // Line, then the arc near its start (10, 0) or near its end (-10, 0),
    // then the line again near its other end.
    for (double side : {1.0, -1.0}) {
        const std::vector<std::pair<double, double>> picks{{0, 0}, {side * s, s}, {-side * 8, 0}};
        const CEntity* perimeter = Measure(DimensionMode::Perimeter, picks);
        ASSERT_TRUE(perimeter) << side;
        EXPECT_NEAR(Value(perimeter, 10), 20 + 10 * Pi, 1e-9) << side;
        const CEntity* area = Measure(DimensionMode::Area, picks);
        ASSERT_TRUE(area) << side;
        EXPECT_NEAR(Value(area, 10), 50 * Pi, 1e-6) << side;
        EXPECT_NEAR(Value(area, 41), 40 / (3 * Pi), 1e-6) << side;
    }
}

TEST_F(DimensionRegionTest, PicksThatCannotJoinTheRegionBeep)
{
    AddLine(0, 0, 100, 0);
    AddLine(0, 50, 100, 50);  // does not meet the first
    AddCircle(200, 0, 10);
    h.Select(7, DimensionMode::Area);
    h.Click(50, 0);
    const int beeps = h.Beeps();
    h.Click(50, 50);
    h.Click(210, 0);
    h.Click(150, 150);  // nothing there
    EXPECT_EQ(h.Beeps(), beeps + 3);
    EXPECT_EQ(InputPointCount, 1);
    // The right click puts the first element back.
    h.RightClick(150, 150);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(h.Entities(EntityType::Line)[0]->state, EntityState::Normal);
    EXPECT_EQ(h.Prompt(), "面積を求める閉領域を指示して下さい。");
    EXPECT_TRUE(Records(EntityType::Dimension).empty());
}

} // namespace

namespace {

TEST_F(DimensionRegionTest, AHalfEllipseClosedByALine)
{
    AddEllipticArc(150, 100, 40, 20, 0, 0, 180);
    AddLine(110, 100, 190, 100);
    // The arc first, then the line, then the arc again; and the line first.
    for (const std::vector<std::pair<double, double>>& picks :
         {std::vector<std::pair<double, double>>{{150, 120}, {150, 100}, {150, 120}},
          std::vector<std::pair<double, double>>{{150, 100}, {150, 120}, {150, 100}}}) {
        const CEntity* area = Measure(DimensionMode::Area, picks);
        ASSERT_TRUE(area);
        EXPECT_NEAR(Value(area, 10), Pi * 40 * 20 / 2, 0.05);
        EXPECT_NEAR(Value(area, 40), 150, 1e-6);
        EXPECT_NEAR(Value(area, 41), 100 + 4 * 20 / (3 * Pi), 0.01);
    }
    const CEntity* perimeter = Measure(DimensionMode::Perimeter, {{150, 120}, {150, 100}, {150, 120}});
    ASSERT_TRUE(perimeter);
    EXPECT_NEAR(Value(perimeter, 10), 80 + EllipsePerimeter(40, 20) / 2, 1e-3);
}

} // namespace
