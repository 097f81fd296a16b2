// The view's display commands on a real view: zoom steps and bands, fit
// all, the origin mark, scrolling and the re-layout after a paper change.

#include "common/ToolHarness.h"

#include "resources/Resource.h"

#include <cmath>

namespace {

class DisplayCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { h = std::make_unique<ToolHarness>(); }
    void TearDown() override { h.reset(); }

    COrvikCadView& V() { return h->View(); }
    CEntity* Add(int16_t type, std::vector<double> v, std::string text = {})
    {
        std::vector<int16_t> codes;
        const int16_t pairs[] = {10, 20, 11, 22};
        for (std::size_t i = 0; i < v.size(); ++i)
            codes.push_back(i < 4 ? pairs[i] : int16_t(i));
        EntityHeader eh{type, 0, 0, 0, static_cast<int16_t>(v.size())};
        EXPECT_EQ(h->Doc().list.AddEntity(eh, codes.data(), 0, v.data(), text), 0);
        h->Doc().snaps.AddEntityPoints(h->Doc().list.last);
        return h->Doc().list.last;
    }
    struct Window {
        double x0, y0, x1, y1;
    };
    Window W() { return {V().windowX0, V().windowY0, V().windowX1, V().windowY1}; }

    std::unique_ptr<ToolHarness> h;
};

} // namespace

TEST_F(DisplayCommandsTest, PageUpThenPageDownDoesNotRestoreTheWindow)
{
    const Window w0 = W();
    const double f = static_cast<double>(0.05f);
    ASSERT_TRUE(h->Key(ID_ZOOM_IN_KEY));
    const double ex = (w0.x1 - w0.x0) * f, ey = (w0.y1 - w0.y0) * f;
    const Window w1 = W();
    EXPECT_DOUBLE_EQ(w1.x0, w0.x0 + ex);
    EXPECT_DOUBLE_EQ(w1.x1, w0.x1 - ex);
    EXPECT_DOUBLE_EQ(w1.y0, w0.y0 + ey);
    EXPECT_DOUBLE_EQ(w1.y1, w0.y1 - ey);
    EXPECT_GT(V().zoom, 0);

    ASSERT_TRUE(h->Key(ID_ZOOM_OUT_KEY));
    const Window w2 = W();
    EXPECT_DOUBLE_EQ(w2.x0, w1.x0 - (w1.x1 - w1.x0) * 0.05);
    EXPECT_DOUBLE_EQ(w2.x1, w1.x1 + (w1.x1 - w1.x0) * 0.05);
    EXPECT_NE(w2.x0, w0.x0);
    EXPECT_NE(w2.y1, w0.y1);
    // The window's centre lands in the middle of the client.
    const double cx = (w2.x1 - w2.x0) * 0.5 + w2.x0;
    EXPECT_NEAR(V().XToDevice(cx), V().clientW / 2, 1);
    EXPECT_TRUE(h->ScreenIsFreshRedraw());
}

TEST_F(DisplayCommandsTest, ZoomInStopsBeforeDeviceCoordinatesRunOut)
{
    // A window of a hundredth of a millimetre far from the origin, then
    // zoom steps until the view refuses them.
    V().windowX0 = 200;
    V().windowX1 = 200.01;
    V().windowY0 = 100;
    V().windowY1 = 100.0075;
    h->Key(ID_VIEW_ZOOM_IN);
    double last = 0;
    int steps = 0;
    for (; steps < 60 && V().zoom != last; ++steps) {
        last = V().zoom;
        h->Key(ID_VIEW_ZOOM_IN);
    }
    EXPECT_LT(steps, 60);
    EXPECT_TRUE(std::isfinite(V().zoom));
    const double far = std::max(std::fabs(V().windowX1), std::fabs(V().windowY1)) * V().zoom / V().scale;
    EXPECT_LT(far, 134217728.0);
    // The point under the centre still maps to the middle of the client.
    const double cx = (V().windowX0 + V().windowX1) * 0.5;
    EXPECT_NEAR(V().XToDevice(cx), V().clientW / 2, 2);
}

TEST_F(DisplayCommandsTest, BandDrawnUpLeftZoomsOutByHalf)
{
    const Window w0 = W();
    ASSERT_TRUE(h->Key(ID_VIEW_ZOOM_BOX));
    EXPECT_EQ(V().mouseMode, 1);
    h->LeftDownAt({500, 400});
    h->LeftUpAt({500, 400});
    EXPECT_EQ(V().mouseMode, 2);
    h->MoveAt({300, 200});
    EXPECT_FALSE(h->ScreenIsFreshRedraw());  // the band is on screen
    h->LeftDownAt({300, 200});
    h->LeftUpAt({300, 200});
    EXPECT_EQ(V().mouseMode, 0);
    const Window w = W();
    EXPECT_DOUBLE_EQ(w.x0, w0.x0 - (w0.x1 - w0.x0) * 0.5);
    EXPECT_DOUBLE_EQ(w.x1, w0.x1 + (w0.x1 - w0.x0) * 0.5);
    EXPECT_DOUBLE_EQ(w.y0, w0.y0 - (w0.y1 - w0.y0) * 0.5);
    EXPECT_TRUE(h->ScreenIsFreshRedraw());
}

TEST_F(DisplayCommandsTest, BandDownRightZoomsToTheBoxAndTinyBandsAreIgnored)
{
    const double mx0 = h->ModelX({100, 100}), my1 = h->ModelY({100, 100});
    const double mx1 = h->ModelX({300, 250}), my0 = h->ModelY({300, 250});
    h->Key(ID_VIEW_ZOOM_BOX);
    h->LeftDownAt({100, 100});
    h->LeftUpAt({100, 100});
    h->MoveAt({300, 250});
    h->LeftDownAt({300, 250});
    h->LeftUpAt({300, 250});
    EXPECT_NEAR(V().windowX0, mx0, 1e-9);
    EXPECT_NEAR(V().windowX1, mx1, 1e-9);
    EXPECT_NEAR(V().windowY0, my0, 1e-9);
    EXPECT_NEAR(V().windowY1, my1, 1e-9);
    EXPECT_TRUE(h->ScreenIsFreshRedraw());

    // A band of 9 pixels or less in one direction only erases itself.
    const Window w0 = W();
    h->Key(ID_VIEW_ZOOM_BOX);
    h->LeftDownAt({100, 100});
    h->LeftUpAt({100, 100});
    h->MoveAt({109, 300});
    h->LeftDownAt({109, 300});
    h->LeftUpAt({109, 300});
    EXPECT_EQ(W().x0, w0.x0);
    EXPECT_EQ(W().y1, w0.y1);
    EXPECT_TRUE(h->ScreenIsFreshRedraw());
}

TEST_F(DisplayCommandsTest, RightButtonWhileLeftHeldStartsABand)
{
    h->LeftDownAt({400, 300});
    h->RightDownAt({400, 300});
    EXPECT_EQ(V().mouseMode, 2);
    h->MoveAt({200, 150});
    h->LeftUpAt({200, 150});  // up-left: zoom out, the band gone
    h->RightUpAt({200, 150});
    EXPECT_EQ(V().mouseMode, 0);
    EXPECT_TRUE(h->ScreenIsFreshRedraw());
}

TEST_F(DisplayCommandsTest, FitAllCountsLinesButNotInfiniteLinesOrImages)
{
    Add(EntityType::Line, {10, 20, 110, 70});
    Add(EntityType::InfiniteLine, {-5000, -5000, 9000, 9000});
    Add(EntityType::HorizontalInfiniteLine, {-8000, 30, 8000, 30});
    Add(EntityType::Image, {3000, 3000, 4000, 3500}, "/nowhere/picture.png");
    const double zoomBefore = V().zoom;
    ASSERT_TRUE(h->Key(ID_VIEW_FIT_ALL));
    const double m = 5 / zoomBefore * V().scale;
    EXPECT_DOUBLE_EQ(V().windowX0, 10 - m);
    EXPECT_DOUBLE_EQ(V().windowX1, 110 + m);
    EXPECT_DOUBLE_EQ(V().windowY0, 20 - m);
    EXPECT_DOUBLE_EQ(V().windowY1, 70 + m);
    EXPECT_EQ(V().mouseMode, 0);
    EXPECT_TRUE(h->ScreenIsFreshRedraw());
}

TEST_F(DisplayCommandsTest, FitAllOnAThinDrawingOnlyResetsTheScrollSizes)
{
    Add(EntityType::Line, {10, 20, 110, 20.01});
    const Window w0 = W();
    h->Key(ID_VIEW_FIT_ALL);
    EXPECT_EQ(W().x0, w0.x0);
    EXPECT_EQ(W().y1, w0.y1);
}

TEST_F(DisplayCommandsTest, OriginMarkOffRepaintsOnlyItsSquare)
{
    ASSERT_EQ(ShowOriginMark, 1);
    const QImage before = h->Screen();
    h->Key(ID_VIEW_ORIGIN_MARK);
    EXPECT_EQ(ShowOriginMark, 0);
    const QImage after = h->Screen();
    const COrvikCadDoc& d = h->Doc();
    const platform::Point o = h->Client(d.DrawingOrigin[0] + d.ExtentsMin[0], d.DrawingOrigin[1] + d.ExtentsMin[1]);
    int changed = 0, outside = 0;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            if (after.pixel(x, y) != before.pixel(x, y)) {
                ++changed;
                outside += std::abs(x - o.x) > 15 || std::abs(y - o.y) > 15;
            }
    EXPECT_GT(changed, 0);  // the cross went away
    EXPECT_EQ(outside, 0);
    EXPECT_TRUE(h->ScreenIsFreshRedraw());

    h->Key(ID_VIEW_ORIGIN_MARK);
    EXPECT_EQ(ShowOriginMark, 1);
    EXPECT_EQ(ToolHarness::DifferingPixels(h->Screen(), before), 0);
}

TEST_F(DisplayCommandsTest, ArrowKeysScrollByTheOddFractionsUnlessTheTextBoxIsOpen)
{
    const int sx = V().scrollX, sy = V().scrollY;
    h->Key(ID_SCROLL_UP);
    EXPECT_EQ(V().scrollY, sy - V().clientW / 4);
    h->Key(ID_SCROLL_DOWN);
    EXPECT_EQ(V().scrollY, sy);
    h->Key(ID_SCROLL_LEFT);
    EXPECT_EQ(V().scrollX, sx + V().clientH / 2);
    h->Key(ID_SCROLL_RIGHT);
    EXPECT_EQ(V().scrollX, sx);
    TextBoxOpen = 1;
    h->Key(ID_SCROLL_UP);
    h->Key(ID_SCROLL_LEFT);
    EXPECT_EQ(V().scrollY, sy);
    EXPECT_EQ(V().scrollX, sx);
    TextBoxOpen = 0;
}

TEST_F(DisplayCommandsTest, PaperScaleChangeMovesOriginAndEntities)
{
    // A3 landscape at 1:1.
    COrvikCadDoc& d = h->Doc();
    d.header.paperIndex = 3;
    d.header.orientation = 0;
    d.header.scale = 1;
    d.ViewUpdateRequest = 2;
    V().OnUpdate(nullptr, 0);
    EXPECT_DOUBLE_EQ(d.DrawingOrigin[0], 210);
    EXPECT_DOUBLE_EQ(d.DrawingOrigin[1], 148.5);
    CEntity* line = Add(EntityType::Line, {200, 140, 230, 160});
    CEntity* point = Add(EntityType::Point, {0, 0});

    d.header.scale = 2;
    V().OnUpdate(nullptr, 0);
    EXPECT_DOUBLE_EQ(V().scale, 2);
    EXPECT_EQ(ScaleDenominator, 2);
    EXPECT_DOUBLE_EQ(d.DrawingOrigin[0], 420);
    EXPECT_DOUBLE_EQ(d.DrawingOrigin[1], 297);
    EXPECT_DOUBLE_EQ(d.ExtentsMax[0], d.ExtentsMin[0] + 840);
    EXPECT_DOUBLE_EQ(d.ExtentsMax[1], d.ExtentsMin[1] + 594);
    EXPECT_DOUBLE_EQ(line->values[0], 410);
    EXPECT_DOUBLE_EQ(line->values[1], 288.5);
    EXPECT_DOUBLE_EQ(line->values[2], 440);
    EXPECT_DOUBLE_EQ(line->values[3], 308.5);
    EXPECT_DOUBLE_EQ(point->values[0], 210);
    EXPECT_DOUBLE_EQ(point->values[1], 148.5);
    // The snap points moved with them.
    EXPECT_NE(d.snaps.FindNearest(410, 288.5, 0.001), nullptr);
    EXPECT_EQ(d.snaps.FindNearest(200, 140, 0.001), nullptr);
}

TEST_F(DisplayCommandsTest, InvalidateEntityErasesPolygonsAndLeavesDimensionOwnersAlone)
{
    CEntity* polygon = Add(EntityType::Polygon, {100, 100, 150, 100, 120, 140});
    h->Screen();
    V().InvalidateEntity(polygon);
    EXPECT_TRUE(V().Buffer().HasInvalid());
    h->Screen();
    CEntity owner;
    owner.type = EntityType::Dimension;
    V().InvalidateEntity(&owner);
    EXPECT_FALSE(V().Buffer().HasInvalid());
}

TEST_F(DisplayCommandsTest, GridSwitchAndGridBarSettings)
{
    CEntity* grid = h->Doc().list.first;
    ASSERT_EQ(grid->type, EntityType::Grid);
    const int16_t shown = grid->subtype;
    h->Key(ID_VIEW_GRID);
    EXPECT_EQ(grid->subtype, shown ? 0 : 1);
    EXPECT_EQ(h->Doc().parameters.GridShown, grid->subtype);
    EXPECT_TRUE(h->ScreenIsFreshRedraw());
    h->Key(ID_VIEW_GRID);
    EXPECT_EQ(grid->subtype, shown);

    GridChangeKind = 0;
    GridPitch = 12.5f;
    h->Key(ID_APPLY_GRID);
    EXPECT_DOUBLE_EQ(grid->values[2], 12.5);
    GridChangeKind = 1;
    GridLineType = 2;
    GridKind = 1;
    h->Key(ID_APPLY_GRID);
    EXPECT_EQ(grid->style, 201);
    EXPECT_TRUE(h->ScreenIsFreshRedraw());
    GridChangeKind = 0;
    GridLineType = 0;
    GridKind = 0;
}

TEST_F(DisplayCommandsTest, DrawingRangeSwitchDrawsAndErasesTheFrame)
{
    ASSERT_EQ(ShowDrawingRange, 1);
    const QImage with = h->Screen();
    h->Key(ID_VIEW_DRAWING_RANGE);
    EXPECT_EQ(ShowDrawingRange, 0);
    EXPECT_NE(ToolHarness::DifferingPixels(h->Screen(), with), 0);
    EXPECT_TRUE(h->ScreenIsFreshRedraw());
    h->Key(ID_VIEW_DRAWING_RANGE);
    EXPECT_EQ(ShowDrawingRange, 1);
    EXPECT_EQ(ToolHarness::DifferingPixels(h->Screen(), with), 0);
}

TEST_F(DisplayCommandsTest, SwitchesToggleAndReportTheirChecks)
{
    struct Case {
        unsigned id;
        int16_t* value;
    };
    for (const Case c : {Case{ID_VIEW_MAGNET, &MagnetEnabled}, Case{ID_VIEW_LENGTH_READOUT, &LengthReadoutEnabled}}) {
        const int16_t before = *c.value;
        h->Key(c.id);
        EXPECT_EQ(*c.value, before ? 0 : 1);
        CCmdUI ui(c.id);
        EXPECT_TRUE(V().OnCmdMsg(c.id, &ui));
        EXPECT_EQ(ui.m_nCheck, *c.value ? 1 : 0);
        h->Key(c.id);
        EXPECT_EQ(*c.value, before);
    }
    CCmdUI box(ID_VIEW_ZOOM_BOX);
    h->Key(ID_VIEW_ZOOM_BOX);
    V().OnCmdMsg(ID_VIEW_ZOOM_BOX, &box);
    EXPECT_EQ(box.m_nCheck, 1);
    h->Key(ID_VIEW_HAND_MOVE);  // another mode replaces it directly
    EXPECT_EQ(V().mouseMode, 4);
    h->Key(ID_VIEW_HAND_MOVE);
    EXPECT_EQ(V().mouseMode, 0);
}
