// The view's model-to-pixel mapping, zoom fitting, base view and first update.

#include "ViewTestSupport.h"

#include <cmath>

namespace {

struct MapCase {
    double n, zoom;
    int scrollX, scrollY, clientH;
    double x, y;
    int xd, yd;
};

} // namespace

TEST_F(ViewTest, ModelToPixelRoundsHalfUpBeforeTruncatingTowardsZero)
{
    const MapCase cases[] = {
        {1, 1, 0, 0, 400, 0, 0, 0, 400},
        {1, 1, 0, 0, 400, 10, 10, 10, 390},
        {1, 1, 5, 7, 400, 0, 0, -5, 407},
        {1, 1, 5, 7, 400, 10, 10, 5, 397},
        {1, 1, 0, 0, 400, -0.6, 0.6, 0, 399},  // -0.6 + 0.5 = -0.1 truncates to 0
        {1, 1, 0, 0, 400, 0.6, -0.6, 1, 400},
        {1, 1, 0, 0, 400, -2.7, -2.7, -2, 402}, // -2.2 truncates to -2, not -3
        {10, 2, 0, 0, 100, 100, 100, 20, 80},
        {2, 0.5, 3, -4, 100, 99, 0, 22, 96},
    };
    for (const MapCase& c : cases) {
        view->scale = c.n;
        view->zoom = c.zoom;
        view->scrollX = c.scrollX;
        view->scrollY = c.scrollY;
        view->clientH = c.clientH;
        EXPECT_EQ(view->XToDevice(c.x), c.xd) << "x " << c.x << " at N " << c.n << " zoom " << c.zoom;
        EXPECT_EQ(view->YToDevice(c.y), c.yd) << "y " << c.y << " at N " << c.n << " zoom " << c.zoom;
        // The mapping as a value converts the same way, without the view.
        const ViewMapping m = view->Mapping();
        EXPECT_EQ(m.ToPixel(c.x, c.y), (platform::Point{c.xd, c.yd})) << c.x << ", " << c.y;
    }
}

TEST_F(ViewTest, PixelToModelIsTheExactInverseWithoutRounding)
{
    view->scale = 10;
    view->zoom = 2;
    view->scrollX = 1;
    view->scrollY = -3;
    view->clientH = 300;
    EXPECT_DOUBLE_EQ(view->XToModel(3), (1 + 3) / 2.0 * 10);
    EXPECT_DOUBLE_EQ(view->YToModel(7), (300 - 7 - 3) / 2.0 * 10);
    // A pixel maps back onto the model point it came from when that lies on
    // the pixel grid.
    for (double x : {0.0, 35.0, 50.0, 120.0})
        EXPECT_DOUBLE_EQ(view->XToModel(view->XToDevice(x)), x);
    const ViewMapping m = view->Mapping();
    EXPECT_DOUBLE_EQ(m.XToModel(3), view->XToModel(3));
    EXPECT_DOUBLE_EQ(m.YToModel(7), view->YToModel(7));
}

TEST_F(ViewTest, UnusableScaleOrZoomCountsAsOneAndFarPointsAreClamped)
{
    view->clientH = 100;
    for (double bad : {0.0, -4.0, double(NAN), double(INFINITY)}) {
        view->scale = bad;
        view->zoom = 1;
        EXPECT_EQ(view->XToDevice(30), 30) << bad;
        view->scale = 1;
        view->zoom = bad;
        EXPECT_EQ(view->XToDevice(30), 30) << bad;
        EXPECT_DOUBLE_EQ(view->XToModel(30), 30) << bad;
        EXPECT_EQ(view->Mapping().XToDevice(30), 30) << bad;
        EXPECT_DOUBLE_EQ(view->Mapping().XToModel(30), 30) << bad;
    }
    view->zoom = 1;
    EXPECT_EQ(view->XToDevice(1e300), 1 << 27);
    EXPECT_EQ(view->XToDevice(-1e300), -(1 << 27));
    EXPECT_EQ(view->YToDevice(1e300), 100 - (1 << 27));
    EXPECT_EQ(view->Mapping().XToDevice(-1e300), -(1 << 27));
    EXPECT_EQ(view->Mapping().YToDevice(1e300), 100 - (1 << 27));
}

TEST_F(ViewTest, MappingValueShowsTheSameVisibleRectangleAsTheView)
{
    view->scale = 50;
    view->zoom = 3;
    view->scrollX = 40;
    view->scrollY = -25;
    view->clientH = 500;
    view->areaW = 600;
    view->areaH = 450;
    view->ComputeVisibleRect();
    const ViewMapping::Rect r = view->Mapping().VisibleRect();
    EXPECT_DOUBLE_EQ(r.x0, view->visibleX0);
    EXPECT_DOUBLE_EQ(r.y0, view->visibleY0);
    EXPECT_DOUBLE_EQ(r.x1, view->visibleX1);
    EXPECT_DOUBLE_EQ(r.y1, view->visibleY1);
}

TEST_F(ViewTest, FitScaleFitsTheWindowBothWays)
{
    struct Case {
        double w, h;
        int cw, ch;
        double n, zoom;
    } cases[] = {
        {100, 100, 50, 200, 1, 0.5},   // the width limits
        {200, 100, 300, 200, 1, 1.5},  // 200 x 2 would exceed 300
        {100, 100, 300, 200, 2, 4},    // the height limits, times N
        {594, 420, 594, 420, 1, 1},
    };
    for (const Case& c : cases) {
        view->scale = c.n;
        view->windowX0 = 10;
        view->windowY0 = -20;
        view->windowX1 = 10 + c.w;
        view->windowY1 = -20 + c.h;
        view->clientW = c.cw;
        view->clientH = c.ch;
        view->FitScale();
        EXPECT_DOUBLE_EQ(view->zoom, c.zoom) << c.w << " x " << c.h << " in " << c.cw << " x " << c.ch;
    }
}

TEST_F(ViewTest, FitScaleLeavesTheZoomAloneForAnEmptyWindowOrClient)
{
    view->scale = 1;
    view->zoom = 3;
    view->clientW = 300;
    view->clientH = 200;
    view->windowX0 = view->windowY0 = 0;
    view->windowX1 = 0;
    view->windowY1 = 100;
    view->FitScale();
    EXPECT_EQ(view->zoom, 3);
    view->windowX1 = 100;
    view->clientW = 0;
    view->FitScale();
    EXPECT_EQ(view->zoom, 3);
}

TEST_F(ViewTest, BaseViewCentresTheExtentsWithAFivePixelMargin)
{
    Map(800, 600);
    doc->ClientSizeRecord[0] = 800;
    doc->ClientSizeRecord[1] = 600;
    doc->ExtentsMin = {0, 0, 0};
    doc->ExtentsMax = {420, 297, 0};
    view->ResetToBaseView(1);
    EXPECT_DOUBLE_EQ(view->windowX0, -5);
    EXPECT_DOUBLE_EQ(view->windowY0, -5);
    EXPECT_DOUBLE_EQ(view->windowX1, 425);
    EXPECT_DOUBLE_EQ(view->windowY1, 302);
    EXPECT_DOUBLE_EQ(view->zoom, std::min(800 / 430.0, 600 / 307.0));
    EXPECT_EQ(view->scrollX, int(210 * view->zoom + 0.5) - 400);
    EXPECT_EQ(view->scrollY, int(148.5 * view->zoom + 0.5) - 300);
    EXPECT_NEAR(view->XToDevice(210), 400, 1);
    EXPECT_NEAR(view->YToDevice(148.5), 300, 1);
    EXPECT_EQ(view->areaW, doc->ClientSizeRecord[0]);
    EXPECT_EQ(view->areaH, doc->ClientSizeRecord[1]);
}

TEST_F(ViewTest, BaseViewOfThinExtentsStaysAtOnePixelPerPaperMillimetre)
{
    Map(800, 600, 50, 7);
    doc->ClientSizeRecord[0] = 800;
    doc->ClientSizeRecord[1] = 600;
    view->scrollX = 30;
    doc->ExtentsMin = {10, 10, 0};
    doc->ExtentsMax = {10.04, 500, 0};
    view->ResetToBaseView(1);
    EXPECT_DOUBLE_EQ(view->zoom, 1);
    EXPECT_DOUBLE_EQ(view->windowX1, 800 * 50.0);
    EXPECT_DOUBLE_EQ(view->windowY1, 600 * 50.0);
    EXPECT_EQ(view->scrollX, 30);  // untouched: no centring, no redraw
}

TEST_F(ViewTest, FirstUpdateGivesANewDrawingItsGridRecord)
{
    doc->parameters.GridShown = 1;
    doc->parameters.GridKind = 2;
    doc->parameters.GridLineType = 1;
    doc->parameters.DefaultGridPitch = 15;
    doc->header.scale = 2;
    doc->header.paperIndex = 4;  // A4 landscape
    doc->header.orientation = 0;
    doc->header.paperSource = 0;
    view->OnInitialUpdate();

    CEntity* grid = doc->list.first;
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->next, nullptr);
    EXPECT_EQ(grid->type, EntityType::Grid);
    EXPECT_EQ(grid->subtype, 1);
    EXPECT_EQ(grid->style, 102);
    EXPECT_EQ(grid->layer, 0);
    EXPECT_EQ(grid->colour, 0u);
    ASSERT_EQ(grid->count, 3);
    EXPECT_EQ(grid->codes, (std::vector<int16_t>{10, 20, 30}));
    EXPECT_EQ(grid->values, (std::vector<double>{0, 0, 15}));
    EXPECT_FALSE(doc->snaps.HasEntityPoints(grid));

    EXPECT_DOUBLE_EQ(view->scale, 2);
    EXPECT_EQ(ScaleDenominator, 2);
    EXPECT_DOUBLE_EQ(view->paperW, 297);
    EXPECT_DOUBLE_EQ(view->paperH, 210);
    EXPECT_DOUBLE_EQ(doc->ExtentsMax[0], 594);
    EXPECT_DOUBLE_EQ(doc->ExtentsMax[1], 420);
    EXPECT_DOUBLE_EQ(doc->DrawingOrigin[0], 297);
    EXPECT_DOUBLE_EQ(doc->DrawingOrigin[1], 210);
    ASSERT_NE(view->textEdit, nullptr);

    // A drawing that already has entities keeps them as they are.
    view->OnInitialUpdate();
    EXPECT_EQ(doc->list.first, grid);
    EXPECT_EQ(grid->next, nullptr);
}

TEST_F(ViewTest, FirstUpdateTakesLayersAndPortraitPaperFromTheDocument)
{
    doc->header.paperIndex = 3;  // A3
    doc->header.orientation = 1;
    doc->header.paperSource = 0;
    doc->currentLayer = 4;
    doc->layerCount = 12;
    doc->layerStates[4] = 0;
    doc->layerStates[7] = 2;
    view->OnInitialUpdate();
    EXPECT_DOUBLE_EQ(view->paperW, 297);
    EXPECT_DOUBLE_EQ(view->paperH, 420);
    EXPECT_EQ(view->currentLayer, 4);
    EXPECT_EQ(CurrentLayer, 4);
    EXPECT_EQ(LayerCount, 12);
    EXPECT_EQ(view->layerState[4], 0);
    EXPECT_EQ(view->layerState[7], 2);
    EXPECT_EQ(LayerStates[7], 2);
    EXPECT_EQ(view->layerState[5], 1);
}
