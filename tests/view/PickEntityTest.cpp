// Picking: the grid before everything when the magnet is off, ties going to
// the earlier entity, the image rule, region tests, the per-type tests, the
// grid rounding, and the box index answering exactly as the list walk.

#include "DrawingViewFixture.h"

#include <random>

namespace {

class PickEntityTest : public DrawingViewTest {
protected:
    void SetUp() override
    {
        DrawingViewTest::SetUp();
        doc->DrawingOrigin[0] = doc->DrawingOrigin[1] = 0.0;
        doc->parameters.GridSensitivity = 2;    // aperture 10 pixels = 10 mm here
        doc->parameters.DefaultGridPitch = 20.0f;
    }
    // Picks at the model point (x, y), which lies on whole pixels here.
    CEntity* PickAt(int filter, double x, double y, double* px = nullptr, double* py = nullptr)
    {
        double ox = -1, oy = -1;
        CEntity* e = view->PickEntity(filter, int(x), Height - int(y), ox, oy);
        if (px)
            *px = ox;
        if (py)
            *py = oy;
        return e;
    }
    CEntity* AddFillTriangle()
    {
        return Add(EntityType::Fill, 4, 0, {0, 0, 10, 20, 10, 20, 10, 20, 10, 20},
                   {0, 0, 100, 100, 200, 100, 100, 200, 100, 100});
    }
    CEntity* AddImage(double x1, double y1, double x2, double y2)
    {
        return Add(EntityType::Image, 0, 0, {10, 20, 11, 22}, {x1, y1, x2, y2}, 0, "none.png");
    }
};

TEST_F(PickEntityTest, GridComesFirstWithTheMagnetOff)
{
    CEntity* grid = AddGrid(20);
    CEntity* line = AddLine(0, 41, 200, 41);
    double x, y;
    for (int filter : {-999, -1, 0, -10, -11}) {
        EXPECT_EQ(PickAt(filter, 42, 41, &x, &y), grid) << filter;
        EXPECT_EQ(x, 40.0);
        EXPECT_EQ(y, 40.0);
    }
    EXPECT_EQ(PickAt(1, 42, 41, &x, &y), line);
    EXPECT_EQ(x, 42.0);
    EXPECT_EQ(y, 41.0);
    EXPECT_EQ(PickAt(-20, 42, 41), line);
    // A hidden grid answers nothing: the magnet-off pick finds nothing at all.
    grid->subtype = 0;
    EXPECT_EQ(PickAt(-999, 42, 41, &x, &y), nullptr);
    EXPECT_EQ(x, 0.0);
    EXPECT_EQ(y, 0.0);
}

TEST_F(PickEntityTest, EqualDistancesGoToTheEarlierEntity)
{
    CEntity* above = AddLine(50, 105, 150, 105);
    CEntity* below = AddLine(50, 95, 150, 95);
    EXPECT_EQ(PickAt(0, 100, 100), above);
    EXPECT_EQ(PickAt(0, 100, 104), above);
    EXPECT_EQ(PickAt(0, 100, 96), below);
    doc->list.RemoveAll();
    below = AddLine(50, 95, 150, 95);
    above = AddLine(50, 105, 150, 105);
    EXPECT_EQ(PickAt(0, 100, 100), below);
}

TEST_F(PickEntityTest, ImageGivesLaterEntitiesApertureLessATenth)
{
    // The image takes the aperture (10) less a tenth: a later line must be
    // nearer than 9.9.
    struct Case {
        double lineY;
        bool lineWins;
    } cases[] = {{109.95, false}, {109.85, true}, {109.9, false}, {103.0, true}};
    for (const Case& c : cases) {
        doc->list.RemoveAll();
        CEntity* image = AddImage(50, 50, 150, 150);
        CEntity* line = AddLine(50, c.lineY, 150, c.lineY);
        double x, y;
        CEntity* picked = PickAt(0, 100, 100, &x, &y);
        EXPECT_EQ(picked, c.lineWins ? line : image) << c.lineY;
        if (picked == image) {
            EXPECT_EQ(x, 100.0);
            EXPECT_EQ(y, 100.0);
        }
    }
    // An image replaces whatever was found before it, and leaves the
    // aperture that candidate set less a tenth (here 2 - 0.1).
    doc->list.RemoveAll();
    AddLine(50, 102, 150, 102);
    CEntity* image = AddImage(50, 50, 150, 150);
    CEntity* later = AddLine(50, 98.05, 150, 98.05);
    EXPECT_EQ(PickAt(0, 100, 100), image);
    later->values[1] = later->values[3] = 98.15;
    EXPECT_EQ(PickAt(0, 100, 100), later);

    // Corners given the other way round cover the same box.
    doc->list.RemoveAll();
    image = AddImage(150, 150, 50, 50);
    EXPECT_EQ(PickAt(0, 100, 100), image);
    EXPECT_EQ(PickAt(0, 160, 100), nullptr);
}

TEST_F(PickEntityTest, RegionsPickInsideTheirBoundaryOnly)
{
    CEntity* fill = AddFillTriangle();
    double x, y;
    EXPECT_EQ(PickAt(0, 180, 180), nullptr);  // in the box, outside the triangle
    EXPECT_EQ(PickAt(0, 120, 120, &x, &y), fill);
    EXPECT_EQ(x, 120.0);
    EXPECT_EQ(y, 120.0);

    // A hatch: same test against its boundary, box from its values.
    doc->list.RemoveAll();
    CEntity* hatch = Add(EntityType::Hatch, 1, 0, {4, 0, 0, 60, 61, 62, 63, 10, 20, 10, 20, 10, 20, 10, 20},
                         {10, 10, 0, 100, 100, 200, 200, 100, 100, 200, 100, 100, 200, 100, 100});
    EXPECT_EQ(PickAt(0, 180, 180), nullptr);
    EXPECT_EQ(PickAt(0, 120, 120), hatch);

    // A fill ends the search at once: an exactly hit point after it is not looked at.
    doc->list.RemoveAll();
    fill = AddFillTriangle();
    Add(EntityType::Point, 0, 0, {10, 20}, {120, 120});
    EXPECT_EQ(PickAt(0, 120, 120), fill);
}

TEST_F(PickEntityTest, TypeTests)
{
    double x, y;
    // Text: tested unrotated below 0.1 degree; the box is n x w / 2 wide.
    CEntity* text = Add(EntityType::Text, 0, 0, {10, 20, 30, 40, 50}, {100, 100, 10, 10, 0.05}, 0, "ABCD");
    EXPECT_EQ(PickAt(0, 119, 109, &x, &y), text);
    EXPECT_EQ(x, 119.0);
    EXPECT_EQ(PickAt(0, 121, 109), nullptr);
    text->values[4] = 90.0;  // now it reads upwards from its anchor
    EXPECT_EQ(PickAt(0, 95, 115), text);
    EXPECT_EQ(PickAt(0, 105, 115), nullptr);

    // Polygon: the foot on the side near the click; the last vertex is not
    // joined to the first.
    doc->list.RemoveAll();
    CEntity* polygon = Add(EntityType::Polygon, 0, 0, {}, {100, 100, 200, 100, 200, 200, 100, 200});
    EXPECT_EQ(PickAt(0, 150, 195, &x, &y), polygon);
    EXPECT_EQ(x, 150.0);
    EXPECT_EQ(y, 200.0);
    EXPECT_EQ(PickAt(0, 103, 150), nullptr);

    // An infinite line through two points is picked between them only; an
    // axis line anywhere.
    doc->list.RemoveAll();
    CEntity* through = Add(EntityType::InfiniteLine, 0, 0, {10, 20, 11, 22}, {100, 100, 200, 100});
    EXPECT_EQ(PickAt(0, 150, 103), through);
    EXPECT_EQ(PickAt(0, 250, 103), nullptr);
    CEntity* axis = Add(EntityType::HorizontalInfiniteLine, 0, 0, {10, 20, 11, 22}, {0, 50, 0, 50});
    EXPECT_EQ(PickAt(0, 390, 55, &x, &y), axis);
    EXPECT_EQ(x, 390.0);
    EXPECT_EQ(y, 50.0);

    // Arc of 0..90 degrees about (200, 150): picked on the arc, not on the
    // rest of its circle.
    doc->list.RemoveAll();
    CEntity* arc = Add(EntityType::Arc, 1, 0, {10, 20, 40, 50, 51}, {200, 150, 50, 0, 90});
    EXPECT_EQ(PickAt(0, 236, 186), arc);
    EXPECT_EQ(PickAt(0, 200, 95), nullptr);
    arc->values[4] = 360.0;  // 0 to 360: the whole circle
    EXPECT_EQ(PickAt(0, 200, 95, &x, &y), arc);
    EXPECT_EQ(y, 100.0);

    // Point: its own coordinates.
    doc->list.RemoveAll();
    CEntity* point = Add(EntityType::Point, 0, 0, {10, 20}, {100.25, 100.5});
    EXPECT_EQ(PickAt(0, 103, 103, &x, &y), point);
    EXPECT_EQ(x, 100.25);
    EXPECT_EQ(y, 100.5);

    // Ellipse: a point of its outline near the click.
    doc->list.RemoveAll();
    CEntity* ellipse = Add(EntityType::Ellipse, 0, 0, {10, 20, 60, 61, 62}, {200, 150, 80, 40, 0});
    EXPECT_EQ(PickAt(0, 281, 150, &x, &y), ellipse);
    EXPECT_NEAR(x, 280.0, 0.2);
    EXPECT_EQ(PickAt(0, 200, 150), nullptr);
}

TEST_F(PickEntityTest, FiltersAndLayers)
{
    CEntity* line = AddLine(50, 100, 150, 100);
    CEntity* circle = Add(EntityType::Circle, 0, 0, {10, 20, 40}, {100, 150, 48});
    EXPECT_EQ(PickAt(30, 100, 101), circle);   // exactly type 30
    EXPECT_EQ(PickAt(20, 100, 101), line);
    EXPECT_EQ(PickAt(-30, 100, 101), circle);
    EXPECT_EQ(PickAt(-5, 100, 101), nullptr);  // unknown negative code
    EXPECT_EQ(PickAt(-31, 100, 101), circle);

    line->layer = 3;
    view->layerState[3] = 0;
    EXPECT_EQ(PickAt(-20, 100, 101), nullptr);  // hidden layer
    view->layerState[3] = 1;
    EXPECT_EQ(PickAt(-20, 100, 101), line);     // off-colour layers pick
    view->pickCurrentLayerOnly = 1;
    EXPECT_EQ(PickAt(-20, 100, 101), nullptr);
    EXPECT_EQ(PickAt(0, 100, 101), circle);
    line->state = -1;
    view->pickCurrentLayerOnly = 0;
    EXPECT_EQ(PickAt(-20, 100, 101), nullptr);  // deleted
}

TEST_F(PickEntityTest, ApertureFromTheSettings)
{
    AddLine(50, 115, 150, 115);
    EXPECT_EQ(PickAt(0, 100, 100), nullptr);  // 15 mm away, aperture 10
    doc->parameters.GridSensitivity = 0;      // taken as 1: aperture 20
    EXPECT_NE(PickAt(0, 100, 100), nullptr);
}

TEST_F(PickEntityTest, GridRounding)
{
    CEntity* grid = AddGrid(20);
    struct Case {
        double mx, my, gx, gy;
    } cases[] = {
        {10, 10, 0, 0},      // exactly half a pitch: toward the origin
        {-10, -10, 0, 0},
        {10.01, -10.01, 20, -20},
        {-15, 25, -20, 20},  // between -g and -g/2: -g
        {-25, 35, -20, 40},
    };
    for (const Case& c : cases) {
        double x, y, d;
        EXPECT_EQ(view->PickGridPoint(grid, x, y, c.mx, c.my, 100.0), 1);
        EXPECT_EQ(x, c.gx) << c.mx;
        EXPECT_EQ(y, c.gy) << c.my;
        EXPECT_EQ(view->SnapToGrid(x, y, d, c.mx, c.my), 1);
        EXPECT_EQ(x, c.gx) << c.mx;
        EXPECT_EQ(y, c.gy) << c.my;
        EXPECT_DOUBLE_EQ(d, std::hypot(c.mx - c.gx, c.my - c.gy));
    }
    double x, y, d;
    // The aperture is strict.
    EXPECT_EQ(view->PickGridPoint(grid, x, y, 10, 0, 10.0), 0);
    EXPECT_EQ(view->PickGridPoint(grid, x, y, 9.9, 0, 10.0), 1);
    // A drawing origin shifts the grid.
    doc->DrawingOrigin[0] = 5;
    EXPECT_EQ(view->PickGridPoint(grid, x, y, 15, 0, 100.0), 1);
    EXPECT_EQ(x, 5.0);
    doc->DrawingOrigin[0] = 0;
    // No grid point from a hidden grid or a pitch that is not positive.
    grid->values[2] = 0.0;
    EXPECT_EQ(view->PickGridPoint(grid, x, y, 15, 0, 100.0), 0);
    EXPECT_EQ(view->SnapToGrid(x, y, d, 15, 3), 0);
    EXPECT_EQ(x, 15.0);
    EXPECT_EQ(y, 3.0);
    grid->values[2] = 20.0;
    grid->subtype = 0;
    EXPECT_EQ(view->PickGridPoint(grid, x, y, 15, 0, 100.0), 0);
    EXPECT_EQ(view->SnapToGrid(x, y, d, 15, 3), 0);
}

TEST_F(PickEntityTest, IndexAnswersAsTheListWalk)
{
    std::mt19937 rng(12345);
    std::uniform_real_distribution<double> pos(0, 400), size(1, 40), angle(0, 360);
    std::uniform_int_distribution<int> kind(0, 8);
    AddGrid(20, 0);
    for (int i = 0; i < 2000; ++i) {
        const double x = pos(rng), y = pos(rng) * 0.75, s = size(rng);
        switch (kind(rng)) {
        case 0: AddLine(x, y, x + s, y + size(rng) - 20); break;
        case 1: Add(EntityType::Point, 0, 0, {10, 20}, {x, y}); break;
        case 2: Add(EntityType::Circle, 0, 0, {10, 20, 40}, {x, y, s}); break;
        case 3: Add(EntityType::Arc, 1, 0, {10, 20, 40, 50, 51}, {x, y, s, angle(rng), angle(rng)}); break;
        case 4: Add(EntityType::Text, 0, 0, {10, 20, 30, 40, 50}, {x, y, s / 4, s / 4, angle(rng)}, 0, "AB"); break;
        case 5: Add(EntityType::Polygon, 0, 0, {}, {x, y, x + s, y, x + s, y + s}); break;
        case 6: AddImage(x, y, x + s / 2, y + s / 2); break;
        case 7: Add(EntityType::Ellipse, 0, 0, {10, 20, 60, 61, 62}, {x, y, s, s / 2, angle(rng)}); break;
        default: Add(EntityType::Fill, 4, 0, {0, 0, 10, 20, 10, 20, 10, 20, 10, 20},
                     {0, 0, x, y, x + s / 3, y, x, y + s / 3, x, y}); break;
        }
    }
    std::uniform_int_distribution<int> px(0, Width - 1), py(0, Height - 1);
    std::vector<std::pair<int, int>> clicks;
    for (int i = 0; i < 600; ++i)
        clicks.push_back({px(rng), py(rng)});
    const int filters[] = {0, 1, -22, -11, 31, -999};

    auto pickAll = [&](std::size_t threshold) {
        view->Picker().SetIndexThreshold(threshold);
        std::vector<std::tuple<CEntity*, double, double>> out;
        for (std::size_t i = 0; i < clicks.size(); ++i) {
            double x, y;
            CEntity* e = view->PickEntity(filters[i % 6], clicks[i].first, clicks[i].second, x, y);
            out.emplace_back(e, x, y);
        }
        return out;
    };
    const auto walked = pickAll(SIZE_MAX);
    const auto indexed = pickAll(0);
    int found = 0;
    for (std::size_t i = 0; i < clicks.size(); ++i) {
        EXPECT_EQ(std::get<0>(indexed[i]), std::get<0>(walked[i])) << i;
        EXPECT_EQ(std::get<1>(indexed[i]), std::get<1>(walked[i])) << i;
        EXPECT_EQ(std::get<2>(indexed[i]), std::get<2>(walked[i])) << i;
        found += std::get<0>(walked[i]) != nullptr;
    }
    EXPECT_GT(found, 150);

    // Entities appended later, and geometry moved in place, are seen.
    CEntity* late = AddLine(0, 299, 399, 299);
    view->Picker().SetIndexThreshold(0);
    EXPECT_EQ(PickAt(-20, 200, 299), late);
    late->values[1] = late->values[3] = 10;
    view->InvalidateDrawIndex();
    EXPECT_EQ(PickAt(20, 200, 10), late);
}

} // namespace
