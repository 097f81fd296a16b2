// The circle tool's ellipses and elliptic arcs: the axes by centre or by
// their ends, typed axes and angles, the arc's direction from the cursor's
// path, single-precision values and cancels.

#include "CircleToolFixture.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double Deg = std::numbers::pi / 180.0;

double Single(double v)
{
    return static_cast<float>(v);
}

class CircleToolEllipseTest : public CircleToolTestBase {
protected:
    // The cursor round (cx, cy) at radius r from angle a0 to a1 (degrees).
    void Sweep(double cx, double cy, double r, double a0, double a1)
    {
        const int n = static_cast<int>(std::ceil(std::abs(a1 - a0) / 10.0));
        for (int i = 0; i <= n; ++i) {
            const double a = (a0 + (a1 - a0) * i / n) * Deg;
            h.Move(cx + r * std::cos(a), cy + r * std::sin(a));
        }
    }
};

TEST_F(CircleToolEllipseTest, EllipseByCentreAndByTheAxisEnds)
{
    AddPoint(100, 100);
    AddPoint(130, 100);
    AddPoint(110, 115);
    AddPoint(70, 100);
    AddPoint(105, 120);
    h.Select(4, 6);
    ClickExact(100, 100);
    EXPECT_EQ(h.Prompt(), QString("終端を指示して下さい。[マウス右：数値入力／中止]"));
    ClickExact(130, 100);
    EXPECT_EQ(h.Prompt(), QString("副軸の終端を指示して下さい。[マウス右：数値入力／中止]"));
    ClickExact(110, 115);
    EXPECT_EQ(h.Prompt(), QString("楕円を作図します。主軸の開始位置を指示して下さい。"));
    ASSERT_EQ(Of(EntityType::Ellipse).size(), 1u);
    const CEntity* e = Of(EntityType::Ellipse)[0];
    EXPECT_EQ(e->subtype, 0);
    EXPECT_EQ(e->codes, (std::vector<int16_t>{10, 20, 60, 61, 62}));
    EXPECT_TRUE(ValuesNear(e, {100, 100, 30, 15, 0}));

    h.Select(4, 7);
    ClickExact(70, 100);
    ClickExact(130, 100);
    ClickExact(105, 120);
    ASSERT_EQ(Of(EntityType::Ellipse).size(), 2u);
    EXPECT_TRUE(ValuesNear(Of(EntityType::Ellipse)[1], {100, 100, 30, 20, 0}));
    EXPECT_EQ(InputPointCount, 0);
}

TEST_F(CircleToolEllipseTest, TypedAxisByLengthAndInclinationOrByOffsets)
{
    AddPoint(105, 105);
    h.Select(4, 6);
    ClickExact(105, 105);
    h.Move(150, 150);
    h.Move(155, 150);
    Type(40, 30, 0);
    EXPECT_EQ(InputPointCount, 2);
    Type(10);  // the second semi-axis
    ASSERT_EQ(Of(EntityType::Ellipse).size(), 1u);
    EXPECT_TRUE(ValuesNear(Of(EntityType::Ellipse)[0], {105, 105, Single(40), Single(10), Single(30)}, 1e-5));
    EXPECT_EQ(Of(EntityType::Ellipse)[0]->values[4], Single(Of(EntityType::Ellipse)[0]->values[4]));

    ClickExact(105, 105);
    Type(20, 20, 1);
    h.Move(90, 130);
    h.Move(90, 135);
    Type(5);
    ASSERT_EQ(Of(EntityType::Ellipse).size(), 2u);
    EXPECT_TRUE(ValuesNear(Of(EntityType::Ellipse)[1], {105, 105, Single(std::hypot(20, 20)), 5, 45}, 1e-5));
    h.Move(300, 300);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(CircleToolEllipseTest, AxisOfNoLengthIsAskedAgain)
{
    AddPoint(105, 105);
    h.Select(4, 6);
    ClickExact(105, 105);
    const int beeps = h.Beeps();
    Type(0, 0, 1);  // no offset at all
    EXPECT_EQ(h.Beeps(), beeps + 1);
    EXPECT_EQ(InputPointCount, 1);
    EXPECT_TRUE(Of(EntityType::Ellipse).empty());
    h.Key(ID_ESCAPE_KEY);
    h.Move(300, 300);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(CircleToolEllipseTest, ThirdPointOnTheFirstAxisIsAskedAgain)
{
    // A point on the first axis (clicked, or a typed 0) would give a second
    // semi-axis of 0: refused for ellipses and elliptic arcs alike.
    AddPoint(100, 100);
    AddPoint(130, 100);
    AddPoint(115, 100); // on the axis
    AddPoint(80, 100);  // on its extension
    AddPoint(110, 115);
    for (int sub : {6, 8}) {
        SCOPED_TRACE(sub);
        h.Select(4, sub);
        ClickExact(100, 100);
        ClickExact(130, 100);
        const int beeps = h.Beeps();
        const std::size_t ellipses = Of(EntityType::Ellipse).size();
        ClickExact(115, 100);
        ClickExact(80, 100);
        Type(0);
        EXPECT_EQ(h.Beeps(), beeps + 3);
        EXPECT_EQ(InputPointCount, 2);
        EXPECT_EQ(Of(EntityType::Ellipse).size(), ellipses);
        ClickExact(110, 115);
        EXPECT_EQ(InputPointCount, sub == 6 ? 0 : 3);
        h.Key(ID_ESCAPE_KEY);
    }
    ASSERT_EQ(Of(EntityType::Ellipse).size(), 1u);
    EXPECT_TRUE(ValuesNear(Of(EntityType::Ellipse)[0], {100, 100, 30, 15, 0}));
}

TEST_F(CircleToolEllipseTest, SecondSemiAxisLongerThanTheFirstIsKept)
{
    AddPoint(100, 100);
    AddPoint(120, 100);
    AddPoint(100, 150);
    h.Select(4, 6);
    ClickExact(100, 100);
    ClickExact(120, 100);
    ClickExact(100, 150);
    ASSERT_EQ(Of(EntityType::Ellipse).size(), 1u);
    EXPECT_TRUE(ValuesNear(Of(EntityType::Ellipse)[0], {100, 100, 20, 50, 0}));
}

TEST_F(CircleToolEllipseTest, EllipticArcDirectionFollowsTheCursor)
{
    AddPoint(100, 100);
    AddPoint(140, 100);
    AddPoint(100, 120);
    AddPoint(100, 150);
    AddPoint(50, 100);
    h.Select(4, 8);
    struct Case {
        double to;
        int subtype;
        double start, end;
    };
    for (const Case c : {Case{180, 1, 90, 180}, Case{-180, -1, 180, 90}}) {
        SCOPED_TRACE(c.subtype);
        ClickExact(100, 100);
        ClickExact(140, 100);
        ClickExact(100, 120);
        EXPECT_EQ(h.Prompt(), QString("楕円弧始端位置を指示して下さい。[マウス右：角度入力／中止]"));
        ClickExact(100, 150);
        EXPECT_EQ(h.Prompt(), QString("楕円弧終端位置を指示して下さい。[マウス右：角度入力／中止]"));
        Sweep(100, 100, 60, 90, c.to);
        h.Click(50, 100);
        ASSERT_FALSE(Of(EntityType::EllipticArc).empty());
        const CEntity* arc = Of(EntityType::EllipticArc).back();
        EXPECT_EQ(arc->subtype, c.subtype);
        EXPECT_EQ(arc->codes, (std::vector<int16_t>{10, 20, 60, 61, 62, 50, 51}));
        EXPECT_TRUE(ValuesNear(arc, {100, 100, 40, 20, 0, c.start, c.end}));
        EXPECT_EQ(h.Prompt(), QString("楕円を作図します。主軸の開始位置を指示して下さい。"));
        EXPECT_FALSE(Tool().AnyShown());
    }
}

TEST_F(CircleToolEllipseTest, TypedStartIsCountedFromTheFirstAxis)
{
    AddPoint(70, 100);
    AddPoint(130, 100);
    h.Select(4, 9);
    struct Case {
        double x0, x1;  // first and second end of the first axis
        double start;   // expected start direction
    };
    for (const Case c : {Case{70, 130, 90}, Case{130, 70, 270}}) {
        SCOPED_TRACE(c.start);
        ClickExact(c.x0, 100);
        ClickExact(c.x1, 100);
        Type(10);   // second semi-axis
        Type(90);   // start: a quarter turn from the first axis
        Type(200);  // end direction
        const CEntity* arc = Of(EntityType::EllipticArc).back();
        // Nothing moved: the direction is still undecided, counter-clockwise.
        EXPECT_EQ(arc->subtype, 1);
        EXPECT_NEAR(arc->values[0], 100, 1e-9);
        EXPECT_NEAR(arc->values[5], c.start, 1e-4);
        EXPECT_EQ(arc->values[6], 200.0);
    }
}

TEST_F(CircleToolEllipseTest, EachArcStartsUndecided)
{
    AddPoint(100, 100);
    AddPoint(140, 100);
    AddPoint(100, 120);
    AddPoint(100, 150);
    AddPoint(50, 100);
    h.Select(4, 8);
    ClickExact(100, 100);
    ClickExact(140, 100);
    ClickExact(100, 120);
    ClickExact(100, 150);
    Sweep(100, 100, 60, 90, -180);
    h.Click(50, 100);
    EXPECT_EQ(Of(EntityType::EllipticArc).back()->subtype, -1);
    ClickExact(100, 100);
    ClickExact(140, 100);
    ClickExact(100, 120);
    Type(90);
    Type(180);
    EXPECT_EQ(Of(EntityType::EllipticArc).back()->subtype, 1);
    EXPECT_TRUE(ValuesNear(Of(EntityType::EllipticArc).back(), {100, 100, 40, 20, 0, 90, 180}, 1e-4));
}

TEST_F(CircleToolEllipseTest, AxisDirectionIsSinglePrecision)
{
    AddPoint(105, 105);
    h.Select(4, 6);
    ClickExact(105, 105);
    Type(40, 1.0 / 3.0, 0);
    Type(10);
    ASSERT_EQ(Of(EntityType::Ellipse).size(), 1u);
    const double a = Of(EntityType::Ellipse)[0]->values[4];
    EXPECT_EQ(a, Single(a));
    EXPECT_NEAR(a, 1.0 / 3.0, 1e-6);
}

TEST_F(CircleToolEllipseTest, EveryStepCancelsCleanly)
{
    MagnetEnabled = 0;
    const QImage clean = h.FreshRedraw();
    for (int sub : {6, 7, 8, 9}) {
        h.Select(4, sub);
        const int last = sub >= 8 ? 4 : 2;
        for (int steps = 1; steps <= last; ++steps) {
            SCOPED_TRACE(sub * 10 + steps);
            const double pts[4][2] = {{100, 100}, {140, 110}, {110, 130}, {80, 140}};
            for (int i = 0; i < steps; ++i) {
                h.Move(pts[i][0] + 5, pts[i][1] + 7);
                h.Click(pts[i][0], pts[i][1]);
            }
            h.Move(60, 130);
            h.Move(70, 150);
            h.View().RedrawNow();
            h.Move(75, 160);
            h.Key(ID_ESCAPE_KEY);
            EXPECT_EQ(InputPointCount, 0);
            EXPECT_EQ(h.Prompt(), QString("楕円を作図します。主軸の開始位置を指示して下さい。"));
            EXPECT_EQ(ToolHarness::DifferingPixels(h.Screen(), clean), 0);
        }
    }
    EXPECT_TRUE(h.Entities().empty());
}

TEST_F(CircleToolEllipseTest, HugeAxesPreviewAndCancelCleanly)
{
    MagnetEnabled = 0;
    const QImage clean = h.FreshRedraw();
    h.Select(4, 8);
    h.Click(100, 100);
    Type(1e12, 20, 0);
    h.Move(120, 150);
    h.Move(130, 160);
    Type(1e12);
    h.Move(150, 140);
    h.Move(160, 150);
    h.View().RedrawNow();
    Type(30);
    h.Move(80, 150);
    h.Move(60, 150);
    h.Key(ID_ESCAPE_KEY);
    EXPECT_EQ(ToolHarness::DifferingPixels(h.Screen(), clean), 0);
    EXPECT_TRUE(h.Entities().empty());
}

TEST_F(CircleToolEllipseTest, RightButtonDoesNotCancel)
{
    MagnetEnabled = 0;
    h.Select(4, 6);
    h.Click(100, 100);
    Tool().OnRButtonDown(&h.View(), ToolFlags::RButton, nullptr);
    EXPECT_EQ(InputPointCount, 1);
    h.Key(ID_ESCAPE_KEY);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

} // namespace
