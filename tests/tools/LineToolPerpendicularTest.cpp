// The line tool's perpendiculars: foot, start and end by clicks or typed
// distances, the previews and their read-outs, and the cancels.

#include "LineToolModeFixture.h"

namespace {

class LineToolPerpendicularTest : public LineToolOnReference<LineToolMode::Perpendicular> {};

TEST_F(LineToolPerpendicularTest, BothEndsLieOnThePerpendicularThroughTheFoot)
{
    AddPoint(40, 7);
    AddPoint(45, 20);
    AddPoint(60, -10);
    h.Click(30, 0);
    EXPECT_EQ(InputPointCount, 1);
    EXPECT_EQ(reference->state, EntityState::Marked);
    EXPECT_EQ(h.Prompt(), QString("垂線の作図位置をクリックしてください。[マウス右：数値入力／中止]"));
    ClickExact(40, 7);
    EXPECT_EQ(reference->state, EntityState::Normal);
    EXPECT_EQ(h.Prompt(), QString("垂線始点位置をクリックしてください。[マウス右：数値入力／中止]"));
    ClickExact(45, 20);
    EXPECT_EQ(h.Prompt(), QString("垂線終点位置をクリックしてください。[マウス右：数値入力／中止]"));
    ClickExact(60, -10);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(h.Prompt(), QString("垂線を作図します。対象となる線を指示して下さい。"));
    const std::vector<Seg> lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(Near(lines[1], {40, 20, 40, -10}, 1e-9)) << lines[1];
    EXPECT_TRUE(FreshWithMouseAway());
    h.Key(ID_EDIT_UNDO);
    EXPECT_EQ(Lines().size(), 1u);
}

TEST_F(LineToolPerpendicularTest, TypedDistancesAtEachStep)
{
    struct Case {
        double start;
        Seg expected;
    };
    const Case cases[] = {{10, {25, 10, 25, -20}}, {-10, {25, -10, 25, 20}}};
    for (const Case& c : cases) {
        h.Click(30, 0);
        h.Move(35, 5);
        h.Move(36, 5);
        Type(25);
        EXPECT_EQ(InputPointCount, 2);
        h.Move(30, 30);
        h.Move(31, 30);
        Type(c.start);
        EXPECT_EQ(InputPointCount, 3);
        h.Move(30, 30);
        h.Move(31, 30);
        Type(30);
        EXPECT_EQ(InputPointCount, 0);
        EXPECT_EQ(NumericInputPending, 0);
        ASSERT_FALSE(Lines().empty());
        EXPECT_TRUE(Near(Lines().back(), c.expected, 1e-9)) << Lines().back();
        EXPECT_TRUE(FreshWithMouseAway()) << c.start;
    }
}

TEST_F(LineToolPerpendicularTest, InfiniteReferenceHidesTheBaseMarker)
{
    AddLineEntity(-999999.9, 50, 9999999.9, 50, EntityType::HorizontalInfiniteLine);
    const QImage clean = h.Screen();
    h.Click(30, 50);
    ASSERT_EQ(InputPointCount, 1);
    EXPECT_EQ(BaseMarkerHidden, 1);
    h.Key(ID_ESCAPE_KEY);
    EXPECT_EQ(BaseMarkerHidden, 0);
    EXPECT_TRUE(FreshWithMouseAway());
    EXPECT_EQ(ToolHarness::DifferingPixels(h.Screen(), clean), 0);
}

TEST_F(LineToolPerpendicularTest, BaseMarkerShowsForAFiniteReference)
{
    const QImage clean = h.Screen();
    h.Click(30, 0);
    EXPECT_EQ(BaseMarkerHidden, 0);
    EXPECT_GT(ToolHarness::DifferingPixels(h.Screen(), clean), 0);
}

TEST_F(LineToolPerpendicularTest, ReadoutsOnlyWithTheFreeLineMode)
{
    LengthReadoutEnabled = 1;
    for (int16_t mode : {int16_t(1), int16_t(0)}) {
        LineMode = mode;
        h.Click(30, 0);
        h.Move(40, 10);
        h.Move(50, 10);
        EXPECT_EQ(Tool().readoutKind, mode == 0 ? 1 : 0) << mode;
        h.Click(50, 10);
        h.Move(50, 30);
        h.Move(50, 40);
        EXPECT_EQ(Tool().readoutKind, mode == 0 ? 1 : 0) << mode;
        h.Key(ID_ESCAPE_KEY);
        EXPECT_EQ(Tool().readoutKind, 0);
        EXPECT_TRUE(FreshWithMouseAway()) << mode;
    }
}

TEST_F(LineToolPerpendicularTest, CancelAtEveryStepLeavesNothing)
{
    const QImage clean = h.Screen();
    for (int steps = 1; steps <= 3; ++steps) {
        h.Click(30, 0);
        for (int i = 1; i < steps; ++i)
            h.Click(40, 10.0 * i);
        h.Move(60, 25);
        h.Move(62, 27);
        ASSERT_EQ(InputPointCount, steps);
        // The right button leaves the cancel to the view's menu.
        RightClick(62, 27);
        EXPECT_EQ(InputPointCount, steps);
        h.Key(ID_ESCAPE_KEY);
        EXPECT_EQ(InputPointCount, 0);
        EXPECT_EQ(reference->state, EntityState::Normal);
        EXPECT_EQ(h.Prompt(), QString("垂線を作図します。対象となる線を指示して下さい。"));
        EXPECT_TRUE(FreshWithMouseAway()) << steps;
        EXPECT_EQ(ToolHarness::DifferingPixels(h.Screen(), clean), 0) << steps;
    }
    EXPECT_EQ(Lines().size(), 1u);
}

TEST_F(LineToolPerpendicularTest, MissBeepsAndReferenceWithoutLengthIsRefused)
{
    AddLineEntity(20, 60, 20, 60);
    for (double y : {30.0, 60.0}) {
        const int before = h.Beeps();
        h.Click(20, y);
        EXPECT_EQ(h.Beeps() - before, 1) << y;
        EXPECT_EQ(InputPointCount, 0);
    }
}

TEST_F(LineToolPerpendicularTest, TypedEndFromAStartOnTheFootIsRefused)
{
    h.Click(30, 0);
    Type(25);
    Type(0);
    ASSERT_EQ(InputPointCount, 3);
    const int before = h.Beeps();
    Type(30);
    EXPECT_EQ(h.Beeps() - before, 1);
    EXPECT_EQ(InputPointCount, 3);
    EXPECT_EQ(Lines().size(), 1u);
    h.Key(ID_ESCAPE_KEY);
    EXPECT_TRUE(FreshWithMouseAway());
}

TEST_F(LineToolPerpendicularTest, DoubleClickGivesTheReferenceBack)
{
    h.Click(30, 0);
    h.Move(40, 10);
    h.Move(45, 10);
    h.DoubleClick(45, 10);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(reference->state, EntityState::Normal);
    EXPECT_TRUE(FreshWithMouseAway());
}

TEST_F(LineToolPerpendicularTest, PolygonSideNearestThePickIsTheReference)
{
    CEntity* polygon = AddEntity(EntityType::Polygon, {}, {0, 30, 60, 30, 60, 80});
    AddPoint(40, 55);
    AddPoint(30, 70);
    AddPoint(90, 45);
    h.Click(60, 60);
    ASSERT_EQ(InputPointCount, 1);
    EXPECT_EQ(polygon->state, EntityState::Marked);
    ClickExact(40, 55);
    EXPECT_EQ(polygon->state, EntityState::Normal);
    ClickExact(30, 70);
    ClickExact(90, 45);
    ASSERT_EQ(Lines().size(), 2u);
    EXPECT_TRUE(Near(Lines()[1], {30, 55, 90, 55}, 1e-9)) << Lines()[1];
    EXPECT_TRUE(FreshWithMouseAway());
}

TEST_F(LineToolPerpendicularTest, NoReadoutLeftAfterTypedValues)
{
    LengthReadoutEnabled = 1;
    h.Click(30, 0);
    h.Move(35, 5);
    h.Move(38, 6);
    ASSERT_EQ(Tool().readoutKind, 1);
    Type(25);
    EXPECT_EQ(Tool().readoutKind, 0);
    h.Move(30, 30);
    h.Move(31, 32);
    ASSERT_EQ(Tool().readoutKind, 1);
    Type(10);
    EXPECT_EQ(Tool().readoutKind, 0);
    h.Key(ID_ESCAPE_KEY);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

} // namespace
