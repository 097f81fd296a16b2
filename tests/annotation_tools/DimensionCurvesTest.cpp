#include "AnnotationFixture.h"

#include "annotation_tools/DimensionTool.h"
#include "model/DimensionText.h"
#include "model/Settings.h"

#include <cmath>
#include <vector>

namespace {

class DimensionCurvesTest : public AnnotationTest {
protected:
    // Clicks at the points in turn in a sub-mode, moving to each first.
    const CEntity* Clicks(int mode, const std::vector<std::pair<double, double>>& points)
    {
        const std::size_t before = Records(EntityType::Dimension).size();
        h.Select(7, mode);
        for (auto [x, y] : points)
            h.Click(x, y);
        const auto dims = Records(EntityType::Dimension);
        return dims.size() > before ? dims.back() : nullptr;
    }
    // Model size of one pixel.
    double Pixel() const { return std::fabs(h.ModelX({1, 0}) - h.ModelX({0, 0})); }
};

TEST_F(DimensionCurvesTest, RadiusInsideRunsFromTheCentreOutsideToThePlacement)
{
    AddCircle(100, 100, 20);
    const double px = Pixel();
    struct Case {
        const char* name;
        double x, y;
        bool inside;
    };
    for (const Case& c : {Case{"inside", 110, 100, true}, Case{"outside right", 150, 100, false},
                          Case{"outside left", 50, 100, false}}) {
        const CEntity* d = Clicks(DimensionMode::Radius, {{120, 100}, {c.x, c.y}});
        ASSERT_TRUE(d) << c.name;
        EXPECT_EQ(d->subtype, DimensionKind::Radius);
        EXPECT_EQ(d->count, 18);
        EXPECT_EQ(Value(d, 10), 20.0) << c.name;
        EXPECT_NEAR(Value(d, 40), c.x > 100 ? 120 : 80, 2 * px) << c.name;
        EXPECT_NEAR(Value(d, 41), 100, 2 * px) << c.name;
        if (c.inside) {
            EXPECT_EQ(Value(d, 50), 100.0) << c.name;
            EXPECT_EQ(Value(d, 51), 100.0) << c.name;
        } else {
            EXPECT_NEAR(Value(d, 50), c.x, px) << c.name;
        }
        // Upright: a line pointing left reads from right to left.
        const double angle = Value(d, 12);
        EXPECT_LT(std::min(angle, 360 - angle), 5.0) << c.name;
        for (int code : {15, 16, 18, 19})
            EXPECT_EQ(Value(d, code), 0.0) << c.name;
    }
    EXPECT_EQ(h.Prompt(), "半径を求める円・円弧を指示して下さい。");
}

TEST_F(DimensionCurvesTest, RadiusOfAnArcMustMeetTheArc)
{
    AddArc(100, 100, 20, 0, 90);
    const int beeps = h.Beeps();
    EXPECT_FALSE(Clicks(DimensionMode::Radius, {{100 + 20 * std::cos(0.7), 100 + 20 * std::sin(0.7)}, {70, 80}}));
    EXPECT_EQ(h.Beeps(), beeps + 1);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_TRUE(Clicks(DimensionMode::Radius, {{100 + 20 * std::cos(0.7), 100 + 20 * std::sin(0.7)}, {130, 130}}));
}

TEST_F(DimensionCurvesTest, EllipseRadiusTakesTheSemiAxisOfItsSectorAndNoTolerance)
{
    AddEllipse(150, 100, 40, 20, 0);
    DimToleranceType = 2;
    ToleranceValue1 = {0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5};
    DimPrefixes[4] = "R";
    DimPrefixLengths[4] = 1;
    struct Case {
        double deg;
        double value;
    };
    for (const Case& c : {Case{30, 40}, Case{60, 20}, Case{170, 40}, Case{260, 20}}) {
        const double a = c.deg * 3.141592653589793 / 180;
        const CEntity* d =
            Clicks(DimensionMode::Radius, {{190, 100}, {150 + 60 * std::cos(a), 100 + 60 * std::sin(a)}});
        ASSERT_TRUE(d) << c.deg;
        EXPECT_EQ(Value(d, 10), c.value) << c.deg;
        const DimensionLabelHead head = UnpackDimensionLabelHead(Value(d, 30));
        EXPECT_EQ(head.toleranceType, 0) << c.deg;
        EXPECT_EQ(head.Prefix(), "") << c.deg;
        EXPECT_EQ(Value(d, 31), 0.5) << c.deg;
    }
}

TEST_F(DimensionCurvesTest, DiameterNearTheDiameterLiesOnItElseOnAParallel)
{
    AddCircle(100, 100, 20);
    DimUpperExtension = 7;
    UnitsMode = 1;
    h.Doc().header.scale = 10;
    // Direction to the right, then placed 2 mm off the diameter: on it.
    const CEntity* on = Clicks(DimensionMode::Diameter, {{120, 100}, {130, 100}, {100, 101}});
    ASSERT_TRUE(on);
    EXPECT_EQ(on->subtype, DimensionKind::Diameter);
    // The direction comes from a pixel: nearly horizontal.
    const double px = Pixel();
    EXPECT_NEAR(Value(on, 10), 40.0, 1e-9);
    EXPECT_NEAR(Value(on, 41), 100.0, px);
    EXPECT_NEAR(Value(on, 51), 100.0, px);
    EXPECT_NEAR(std::fabs(Value(on, 40) - Value(on, 50)), 40.0, px);
    EXPECT_NEAR(std::hypot(Value(on, 40) - 100, Value(on, 41) - 100), 20.0, 1e-9);
    const double angle = Value(on, 12);
    EXPECT_LT(std::min(std::fabs(angle), std::fabs(360 - angle)), 1.0);
    // The diameter's extensions are not scaled.
    EXPECT_EQ(Value(on, 15), 7.0);

    const CEntity* off = Clicks(DimensionMode::Diameter, {{120, 100}, {130, 100}, {100, 140}});
    ASSERT_TRUE(off);
    EXPECT_NEAR(Value(off, 41), 140, 2 * Pixel());
    EXPECT_NEAR(Value(off, 41), Value(off, 51), px);
    EXPECT_NEAR(std::hypot(Value(off, 40) - Value(off, 50), Value(off, 41) - Value(off, 51)), 40.0, 0.01);
}

TEST_F(DimensionCurvesTest, AngleBetweenTwoLinesFollowsThePlacementSide)
{
    AddLine(100, 100, 180, 100);
    AddLine(100, 100, 100, 180);
    struct Case {
        double x, y, value;
    };
    for (const Case& c : {Case{130, 130, 90}, Case{70, 70, 270}}) {
        const CEntity* d = Clicks(DimensionMode::Angle, {{150, 100}, {100, 150}, {c.x, c.y}});
        ASSERT_TRUE(d) << c.value;
        EXPECT_EQ(d->subtype, DimensionKind::LineAngle);
        EXPECT_EQ(d->count, 19);
        EXPECT_NEAR(Value(d, 10), c.value, 1e-9);
        EXPECT_EQ(Value(d, 23), 100.0);
        EXPECT_EQ(Value(d, 24), 100.0);
        EXPECT_NEAR(Value(d, 25), std::hypot(c.x - 100, c.y - 100), 2 * Pixel());
        EXPECT_EQ(Value(d, 18), DimLowerExtension);
    }
    EXPECT_EQ(h.Prompt(), "角度を求める図形要素を指示して下さい。。");
}

TEST_F(DimensionCurvesTest, AngleOfAnArc)
{
    AddArc(100, 100, 30, 0, 120);
    const CEntity* d = Clicks(DimensionMode::Angle, {{100 + 30 * std::cos(1.0), 100 + 30 * std::sin(1.0)}, {110, 115}});
    ASSERT_TRUE(d);
    EXPECT_EQ(d->subtype, DimensionKind::ArcAngle);
    EXPECT_NEAR(Value(d, 10), 120, 1e-9);
    EXPECT_EQ(Value(d, 26), 0.0);
    EXPECT_EQ(Value(d, 27), 120.0);
}

TEST_F(DimensionCurvesTest, RefusedSecondPicksKeepTheFirst)
{
    AddArc(100, 100, 30, 0, 120);
    // Off the grid's lines, which a full redraw draws over the entities.
    CEntity* line = AddLine(200, 102.5, 260, 102.5);
    AddLine(200, 122.5, 260, 122.5);  // parallel to the first line
    // The same line twice, an arc second, a parallel line: each beeps and
    // the first pick stays.
    h.Select(7, DimensionMode::Angle);
    h.Click(230, 102.5);
    const int beeps = h.Beeps();
    h.Click(230, 102.5);
    h.Click(100 + 30 * std::cos(1.0), 100 + 30 * std::sin(1.0));
    h.Click(230, 122.5);
    EXPECT_EQ(h.Beeps(), beeps + 3);
    EXPECT_EQ(InputPointCount, 1);
    // A right click leaves nothing of the operation on screen.
    h.RightClick(230, 150);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(line->state, EntityState::Normal);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

} // namespace

namespace {

// After each dimension the screen holds the drawing and nothing of the
// previews (the geometry stays off the grid's lines, which a full redraw
// draws over the entities).
TEST_F(DimensionCurvesTest, NoPreviewIsLeftOnScreen)
{
    AddCircle(202.5, 102.5, 20);
    AddLine(102.5, 42.5, 182.5, 42.5);
    AddLine(102.5, 42.5, 102.5, 122.5);
    struct Case {
        int mode;
        std::vector<std::pair<double, double>> clicks;
    };
    const Case cases[] = {
        {DimensionMode::Radius, {{222.5, 102.5}, {232.5, 112.5}}},
        {DimensionMode::Diameter, {{222.5, 102.5}, {232.5, 107.5}, {212.5, 142.5}}},
        {DimensionMode::Angle, {{142.5, 42.5}, {102.5, 82.5}, {132.5, 72.5}}},
        {DimensionMode::Perimeter, {{222.5, 102.5}, {202.5, 162.5}}},
    };
    for (const Case& c : cases) {
        h.Select(7, c.mode);
        for (auto [x, y] : c.clicks) {
            h.Move(x - 3, y + 4);  // a preview somewhere else first
            h.Click(x, y);
        }
        for (CDrawTool* tool : ToolList)
            tool->EraseMagnetMarker(&h.View());
        EXPECT_EQ(Records(EntityType::Dimension).back()->subtype, c.mode) << c.mode;
        EXPECT_TRUE(h.ScreenIsFreshRedraw()) << c.mode;
    }
}

} // namespace
