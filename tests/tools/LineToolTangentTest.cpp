// The line tool's tangents: from a point to a circle, and between two
// circles, outer or crossing as the clicks suggest.

#include "LineToolModeFixture.h"

#include <cmath>

namespace {

class LineToolTangentTest : public LineToolModeTestBase {
protected:
    void SetUp() override { h.Select(2, 7); }
};

TEST_F(LineToolTangentTest, FromAPointToTheTouchNearerTheClick)
{
    AddCircle(0, 0, 10);
    AddPoint(20, 0);
    h.Click(0, 10);
    EXPECT_EQ(InputPointCount, 1);
    EXPECT_EQ(h.Prompt(), QString("接線の終端、円、他の図形、任意場所をクリックしてください。"));
    ClickExact(20, 0);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(h.Prompt(), QString("接線を作図します。円をクリックして下さい。"));
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_TRUE(Near(Lines()[0], {20, 0, 5, std::sqrt(75.0)}, 1e-9)) << Lines()[0];
    EXPECT_TRUE(FreshWithMouseAway());
    h.Key(ID_EDIT_UNDO);
    EXPECT_TRUE(Lines().empty());
    EXPECT_EQ(h.Entities(EntityType::Circle).size(), 1u);
}

TEST_F(LineToolTangentTest, PointInsideTheCircleAddsNothing)
{
    AddCircle(0, 0, 10);
    AddPoint(5, 0);
    h.Click(0, 10);
    ClickExact(5, 0);
    EXPECT_TRUE(Lines().empty());
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(h.Prompt(), QString("接線を作図します。円をクリックして下さい。"));
    EXPECT_TRUE(FreshWithMouseAway());
}

TEST_F(LineToolTangentTest, OuterOrCrossingTangentOfEqualCircles)
{
    AddCircle(0, 0, 10);
    AddCircle(50, 0, 10);
    const double k = std::sqrt(100.0 - 16.0);  // 9.165
    struct Case {
        double x2, y2;
        Seg expected;
    };
    const Case cases[] = {{50, 10, {0, 10, 50, 10}}, {50, -10, {4, k, 46, -k}}};
    for (const Case& c : cases) {
        h.Click(0, 10);
        h.Click(c.x2, c.y2);
        ASSERT_FALSE(Lines().empty());
        EXPECT_TRUE(Near(Lines().back(), c.expected, 1e-6)) << Lines().back();
    }
    EXPECT_EQ(Lines().size(), 2u);
}

TEST_F(LineToolTangentTest, FirstEndOnTheLargerCircle)
{
    AddCircle(0, 0, 20);
    AddCircle(50, 0, 5);
    for (int order = 0; order < 2; ++order) {
        if (order == 0) {
            h.Click(0, 20);
            h.Click(50, 5);
        } else {
            h.Click(50, 5);
            h.Click(0, 20);
        }
        ASSERT_EQ(Lines().size(), static_cast<std::size_t>(order + 1));
        const Seg s = Lines().back();
        EXPECT_NEAR(std::hypot(s.x1, s.y1), 20.0, 1e-6) << s;
        EXPECT_NEAR(std::hypot(s.x2 - 50, s.y2), 5.0, 1e-6) << s;
        EXPECT_GT(s.y1, 0.0) << s;
    }
}

TEST_F(LineToolTangentTest, CirclesWithoutCommonTangent)
{
    struct Case {
        double ox, oy;        // centre of the first circle, radius 10
        double dx, r;         // the second circle's centre offset and radius; r 0: none
        double clickX;        // the second click, right of the centre offset
    };
    // Overlapping, one inside the other, the same circle twice, touching
    // from outside (one crossing tangent only).
    const Case cases[] = {{0, 0, 15, 10, 25}, {100, 0, 2, 3, 5}, {0, 100, 0, 0, 10}, {-100, 0, 20, 10, 30}};
    for (const Case& c : cases) {
        AddCircle(c.ox, c.oy, 10);
        if (c.r > 0)
            AddCircle(c.ox + c.dx, c.oy, c.r);
        h.Click(c.ox, c.oy + 10);
        ASSERT_EQ(InputPointCount, 1) << c.ox;
        h.Click(c.ox + c.clickX, c.oy);
        EXPECT_TRUE(Lines().empty()) << c.ox << " " << c.oy;
        EXPECT_EQ(InputPointCount, 0);
    }
    EXPECT_TRUE(FreshWithMouseAway());
}

TEST_F(LineToolTangentTest, FirstClickMustBeACircle)
{
    AddLineEntity(0, 0, 100, 0);
    h.Click(50, 0);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(h.Prompt(), QString("１番目は、円を選択してください。"));
    EXPECT_TRUE(h.Warning());
}

TEST_F(LineToolTangentTest, CancelsLeaveTheCircleAsDrawn)
{
    AddCircle(0, 0, 10);
    const QImage clean = h.Screen();
    for (int how = 0; how < 2; ++how) {
        OperationRestarted = 0;
        h.Click(0, 10);
        ASSERT_EQ(InputPointCount, 1);
        if (how == 0)
            RightClick(30, 30);
        else
            h.Key(ID_ESCAPE_KEY);
        EXPECT_EQ(InputPointCount, 0);
        EXPECT_EQ(OperationRestarted, 1);
        EXPECT_EQ(h.Prompt(), QString("接線を作図します。円をクリックして下さい。"));
        EXPECT_TRUE(FreshWithMouseAway()) << how;
        EXPECT_EQ(ToolHarness::DifferingPixels(h.Screen(), clean), 0) << how;
    }
}

} // namespace
