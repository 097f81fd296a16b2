// The curve tool: control-point curves, chains of three-point arcs and
// freehand curves; their records, limits, cancels and what stays on screen.

#include "ToolFixture.h"

#include "tools/CurveTool.h"

#include <cmath>

namespace {

class CurveToolTest : public ToolTestBase<CCurveTool, ToolId::Curve> {
protected:
    CurveToolTest()
    {
        MagnetEnabled = 1;
        ShowDrawingRange = 0;
        ShowOriginMark = 0;
        h.View().RedrawNow();
    }

    // A freehand drag through the pixels from `from`, one pixel right per
    // move (back and forth within 200 pixels), n points in all.
    void Drag(platform::Point from, int n, bool rightClickBeforeRelease = false)
    {
        h.LeftDownAt(from);
        platform::Point p = from;
        for (int i = 1; i < n; ++i) {
            p.x = from.x + (i / 200 % 2 == 0 ? i % 200 : 200 - i % 200);
            p.y = from.y + i / 200;
            h.MoveAt(p, ToolFlags::LButton);
        }
        if (rightClickBeforeRelease)
            h.RightClickAt(p);
        h.LeftUpAt(p);
    }
};

TEST_F(CurveToolTest, TwoControlPointsAndTheRightButtonMakeACurve)
{
    AddPoint(0, 0);
    AddPoint(40, 20);
    h.Select(3, 0);
    ClickExact(0, 0);
    EXPECT_EQ(h.Prompt(), QString("次のポイントを指示して下さい。[マウス右クリック/中止]"));
    ClickExact(40, 20);
    EXPECT_EQ(h.Prompt(), QString("次のポイントを指示して下さい。[マウス右クリック/終了]"));
    h.Move(60, 10);
    h.RightClick(60, 10);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(OperationRestarted, 1);
    EXPECT_EQ(h.Prompt(), QString("ベジェ曲線を作図します。開始点を指示して下さい。"));
    const auto curves = h.Entities(EntityType::Curve);
    ASSERT_EQ(curves.size(), 1u);
    EXPECT_EQ(curves[0]->subtype, 0);
    EXPECT_EQ(curves[0]->codes, (std::vector<int16_t>{10, 20, 10, 20}));
    EXPECT_EQ(curves[0]->values, (std::vector<double>{0, 0, 40, 20}));
    EXPECT_TRUE(h.Doc().modified);
    ExpectClean();
    h.Key(ID_EDIT_UNDO);
    EXPECT_TRUE(h.Entities(EntityType::Curve).empty());
}

TEST_F(CurveToolTest, TooFewOrCoincidentControlPointsBeepAndAddNothing)
{
    AddPoint(0, 0);
    h.Select(3, 0);
    ClickExact(0, 0);
    h.RightClick(0, 0);
    EXPECT_EQ(h.Beeps(), 1);
    // Three clicks on one spot make no curve either.
    ClickExact(0, 0);
    ClickExact(0, 0);
    ClickExact(0, 0);
    h.RightClick(0, 0);
    EXPECT_EQ(h.Beeps(), 2);
    EXPECT_TRUE(h.Entities(EntityType::Curve).empty());
    EXPECT_EQ(InputPointCount, 0);
    ExpectClean();
}

TEST_F(CurveToolTest, EscapeOrAnotherToolFinishesTheCurve)
{
    AddPoint(0, 0);
    AddPoint(20, 10);
    AddPoint(40, 0);
    h.Select(3, 0);
    for (int how = 0; how < 2; ++how) {
        ClickExact(0, 0);
        ClickExact(20, 10);
        ClickExact(40, 0);
        h.Move(50, 30);
        h.Move(55, 30);
        if (how == 0)
            h.Key(ID_ESCAPE_KEY);
        else
            h.Select(2, 0);
        EXPECT_EQ(InputPointCount, 0);
        ExpectClean();
    }
    const auto curves = h.Entities(EntityType::Curve);
    ASSERT_EQ(curves.size(), 2u);
    for (const CEntity* c : curves)
        EXPECT_EQ(c->values, (std::vector<double>{0, 0, 20, 10, 40, 0}));
}

TEST_F(CurveToolTest, TheFortiethClickEndsTheCurveWithThirtyNinePoints)
{
    MagnetEnabled = 0;
    h.Select(3, 0);
    const platform::Point base = h.Client(0, 0);
    for (int i = 0; i < 39; ++i)
        h.ClickAt({base.x + 10 * i, base.y - (i % 2) * 20});
    EXPECT_EQ(InputPointCount, 39);
    EXPECT_EQ(h.Prompt(), QString("次のポイントを指示して下さい。[マウス右クリック/終了]"));
    EXPECT_TRUE(h.Messages().isEmpty());
    h.ClickAt({base.x + 500, base.y - 100});
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(h.Messages(), QStringList{"曲線の構成点は、40点以内で作図してください！"});
    const auto curves = h.Entities(EntityType::Curve);
    ASSERT_EQ(curves.size(), 1u);
    EXPECT_EQ(curves[0]->values.size(), 78u);
    EXPECT_EQ(curves[0]->values[76], h.ModelX({base.x + 380, 0}));
    ExpectClean();
    h.ClickAt({base.x, base.y});
    EXPECT_EQ(InputPointCount, 1);
}

TEST_F(CurveToolTest, ControlPointBandRunsFromTheFirstPointToTheMouse)
{
    const double xs[3] = {0, 10, 20}, ys[3] = {0, 10, 0};
    for (int c = 1; c <= 3; ++c) {
        const std::vector<GeoPoint> band = CCurveTool::SplineBandPoints(xs, ys, c, 30, -5);
        ASSERT_EQ(band.size(), static_cast<std::size_t>(c * (c + 3) + 1));
        EXPECT_EQ(band.front().x, 0.0);
        EXPECT_EQ(band.front().y, 0.0);
        EXPECT_EQ(band.back().x, 30.0);
        EXPECT_EQ(band.back().y, -5.0);
    }
    // All points on one spot: the band stays there.
    const double px[2] = {5, 5}, py[2] = {7, 7};
    for (const GeoPoint& p : CCurveTool::SplineBandPoints(px, py, 2, 5, 7)) {
        EXPECT_NEAR(p.x, 5, 1e-12);
        EXPECT_NEAR(p.y, 7, 1e-12);
    }
    EXPECT_TRUE(CCurveTool::SplineBandPoints(xs, ys, 0, 1, 1).empty());
    EXPECT_TRUE(CCurveTool::SplineBandPoints(xs, ys, 40, 1, 1).empty());
}

TEST_F(CurveToolTest, ArcChainContinuesFromEachArcsEnd)
{
    for (auto [x, y] : {std::pair{0, 0}, {10, 10}, {20, 0}, {30, -10}, {40, 0}})
        AddPoint(x, y);
    h.Select(3, 1);
    ClickExact(0, 0);
    EXPECT_EQ(h.Prompt(), QString("第２端を指示して下さい。[マウス右クリック/中止]"));
    ClickExact(10, 10);
    EXPECT_EQ(h.Prompt(), QString("終端を指示して下さい。[マウス右クリック/中止]"));
    ClickExact(20, 0);
    EXPECT_EQ(InputPointCount, 1);
    EXPECT_EQ(h.Prompt(), QString("第２端を指示して下さい。[マウス右クリック/中止]"));
    ClickExact(30, -10);
    ClickExact(40, 0);
    const auto arcs = h.Entities(EntityType::Arc);
    ASSERT_EQ(arcs.size(), 2u);
    struct Want {
        double cx, cy, r, a0, a1;
        int16_t direction;
    };
    // Over the top from (0, 0) to (20, 0) is clockwise; under (30, -10)
    // to (40, 0) counter-clockwise.
    const Want want[2] = {{10, 0, 10, 180, 0, -1}, {30, 0, 10, 180, 0, 1}};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(arcs[i]->codes, (std::vector<int16_t>{10, 20, 40, 50, 51}));
        EXPECT_EQ(arcs[i]->subtype, want[i].direction);
        EXPECT_NEAR(arcs[i]->values[0], want[i].cx, 1e-9);
        EXPECT_NEAR(arcs[i]->values[1], want[i].cy, 1e-9);
        EXPECT_NEAR(arcs[i]->values[2], want[i].r, 1e-9);
        EXPECT_NEAR(arcs[i]->values[3], want[i].a0, 1e-9);
        EXPECT_NEAR(arcs[i]->values[4], want[i].a1, 1e-9);
        EXPECT_GE(arcs[i]->values[4], 0.0);
        EXPECT_LT(arcs[i]->values[4], 360.0);
    }
    h.RightClick(40, 0);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(h.Prompt(), QString("連続円弧を作図します。始端を指示して下さい。"));
    EXPECT_EQ(h.Entities(EntityType::Arc).size(), 2u);
    ExpectClean();
}

TEST_F(CurveToolTest, ArcThroughPointsOnOneLineIsRefused)
{
    for (auto [x, y] : {std::pair{0, 0}, {10, 10}, {20, 20}})
        AddPoint(x, y);
    h.Select(3, 1);
    ClickExact(0, 0);
    ClickExact(10, 10);
    ClickExact(20, 20);
    EXPECT_EQ(h.Messages(), QStringList{"三点指定に誤りがあります。"});
    EXPECT_TRUE(h.Entities(EntityType::Arc).empty());
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(h.Prompt(), QString("連続円弧を作図します。始端を指示して下さい。"));
    // A point clicked twice makes no arc either.
    ClickExact(0, 0);
    ClickExact(10, 10);
    ClickExact(10, 10);
    EXPECT_EQ(h.Messages().size(), 2);
    EXPECT_TRUE(h.Entities(EntityType::Arc).empty());
    ExpectClean();
}

TEST_F(CurveToolTest, RubberArcPassesThroughTheSecondPoint)
{
    MagnetEnabled = 0;
    h.Select(3, 1);
    h.Click(0, 60);
    h.Click(20, 80);
    h.Move(40, 61);
    h.Move(40, 60);
    const QImage screen = h.Screen(), fresh = h.FreshRedraw();
    auto changedNear = [&](platform::Point p) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (screen.pixel(p.x + dx, p.y + dy) != fresh.pixel(p.x + dx, p.y + dy))
                    return true;
        return false;
    };
    EXPECT_TRUE(changedNear(h.Client(20 - 20 * std::cos(1.0), 60 + 20 * std::sin(1.0))));
    // The other half of the circle is not drawn.
    EXPECT_FALSE(changedNear(h.Client(20, 40)));
    // A repaint puts the arc and markers back; the cancel then takes them.
    h.View().RedrawNow();
    h.Move(35, 5);
    h.Key(ID_ESCAPE_KEY);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(CurveToolTest, FreehandDragAddsItsPointsInOrder)
{
    h.Select(3, 2);
    const platform::Point from = h.Client(10, 10);
    h.LeftDownAt(from);
    const platform::Point path[] = {{from.x + 3, from.y}, {from.x + 6, from.y - 2}, {from.x + 9, from.y - 5}};
    for (const platform::Point& p : path)
        h.MoveAt(p, ToolFlags::LButton);
    EXPECT_EQ(InputPointCount, 4);
    h.LeftUpAt(path[2]);
    EXPECT_EQ(InputPointCount, 0);
    const auto curves = h.Entities(EntityType::FreehandCurve);
    ASSERT_EQ(curves.size(), 1u);
    ASSERT_EQ(curves[0]->values.size(), 8u);
    EXPECT_EQ(curves[0]->values[0], h.ModelX(from));
    EXPECT_EQ(curves[0]->values[1], h.ModelY(from));
    EXPECT_EQ(curves[0]->values[6], h.ModelX(path[2]));
    EXPECT_EQ(curves[0]->values[7], h.ModelY(path[2]));
    EXPECT_EQ(h.Prompt(), QString("次のポイントを指示して下さい。[マウス右クリック/終了]"));
    EXPECT_TRUE(h.Doc().modified);
    h.Key(ID_EDIT_UNDO);
    EXPECT_TRUE(h.Entities(EntityType::FreehandCurve).empty());
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(CurveToolTest, FreehandCurveHoldsAtMostThreeThousandPoints)
{
    h.Select(3, 2);
    Drag(h.Client(10, 10), 3000);
    const auto curves = h.Entities(EntityType::FreehandCurve);
    ASSERT_EQ(curves.size(), 1u);
    EXPECT_EQ(curves[0]->values.size(), 6000u);
    EXPECT_EQ(h.Beeps(), 0);

    Drag(h.Client(10, 60), 3001);
    EXPECT_EQ(h.Entities(EntityType::FreehandCurve).size(), 1u);
    EXPECT_EQ(h.Beeps(), 1);
    EXPECT_EQ(h.Messages(),
              QStringList{"自由曲線の作図要素が3000個を超えました。この曲線データは保存できません。"});
    EXPECT_EQ(Tool().FreePointCount(), 0);
    // The traced segments of the refused curve are gone from the screen.
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(CurveToolTest, FreehandWithoutMovementOrCancelledAddsNothing)
{
    h.Select(3, 2);
    const platform::Point p = h.Client(10, 10);
    h.LeftDownAt(p);
    h.LeftUpAt(p);
    EXPECT_TRUE(h.Entities().empty());

    // A right click during the drag drops it; the release adds nothing and
    // leaves the drawing's state alone.
    const uint64_t before = h.Doc().list.undoState;
    Drag(h.Client(20, 20), 50, true);
    EXPECT_TRUE(h.Entities().empty());
    EXPECT_FALSE(h.Doc().modified);
    EXPECT_EQ(h.Doc().list.undoState, static_cast<int32_t>(before));
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(CurveToolTest, ProtectedDrawingTakesNoCurve)
{
    h.Doc().ProtectionState = 1;
    AddPoint(0, 0);
    AddPoint(40, 20);
    AddPoint(20, 40);
    const std::size_t before = h.Entities().size();
    h.Select(3, 0);
    ClickExact(0, 0);
    ClickExact(40, 20);
    h.RightClick(40, 20);
    h.Select(3, 1);
    ClickExact(0, 0);
    ClickExact(20, 40);
    ClickExact(40, 20);
    h.RightClick(40, 20);
    h.Select(3, 2);
    Drag(h.Client(60, 60), 30);
    EXPECT_EQ(h.Entities().size(), before);
    const QString msg = "この図面は、書きこみ禁止状態になっています。";
    EXPECT_EQ(h.Messages(), (QStringList{msg, msg, msg}));
    EXPECT_FALSE(h.Doc().modified);
    ExpectClean();
}

} // namespace
