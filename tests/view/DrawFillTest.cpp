// Fills on screen: the polygon of the boundary items, the pattern brushes,
// the outline colour, culling by the region's box.

#include "DrawingViewFixture.h"

#include <cstring>

namespace {

constexpr COLORREF Red = 0x0000FF;

class FillBuilder {
public:
    explicit FillBuilder(COLORREF outline = 0)
    {
        double first = 0.0;
        const uint64_t bits = outline;
        std::memcpy(&first, &bits, sizeof first);
        codes = {0, 0};
        values = {first, 0.0};
    }
    FillBuilder& vertex(double x, double y) { return item({10, 20}, {x, y}); }
    FillBuilder& arc(bool ccw, double cx, double cy, double r, double sx, double sy)
    {
        return item({int16_t(ccw ? 0 : 1), 2, 3, 4, 5}, {cx, cy, r, sx, sy});
    }
    FillBuilder& circle(double cx, double cy, double r) { return item({50, 51, 52}, {cx, cy, r}); }
    FillBuilder& ellipticArc(double cx, double cy, double a, double b, double rot, double s, double e, double dir)
    {
        return item({80, 81, 82, 83, 84, 85, 86, 87}, {cx, cy, a, b, rot, s, e, dir});
    }
    std::vector<int16_t> codes;
    std::vector<double> values;
    int items = 0;

private:
    FillBuilder& item(std::initializer_list<int16_t> c, std::initializer_list<double> v)
    {
        codes.insert(codes.end(), c);
        values.insert(values.end(), v);
        ++items;
        return *this;
    }
};

class DrawFillTest : public DrawingViewTest {
protected:
    CEntity* AddFill(const FillBuilder& f, int pattern = 0, COLORREF colour = Red)
    {
        return Add(EntityType::Fill, int16_t(f.items), int16_t(pattern * 100), f.codes, f.values, colour);
    }
    static FillBuilder Square(double x0, double y0, double x1, double y1, COLORREF outline = 0)
    {
        FillBuilder f(outline);
        f.vertex(x0, y0).vertex(x1, y0).vertex(x1, y1).vertex(x0, y1).vertex(x0, y0);
        return f;
    }
};

TEST_F(DrawFillTest, FourVerticesMakeAQuadrilateral)
{
    AddFill(Square(100, 100, 200, 200));
    const auto polygons = Only(Record(), "Polygon");
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0].args, (std::vector<long long>{100, 200, 200, 200, 200, 100, 100, 100, 100, 200}));

    const QImage image = Render();
    EXPECT_EQ(PixelAt(image, 150, 150), Rgb(Red));
    EXPECT_EQ(PixelAt(image, 100, 150), 0u);  // black outline
    EXPECT_EQ(PixelAt(image, 150, 200), 0u);
    EXPECT_EQ(PixelAt(image, 250, 150), Rgb(0xFFFFFF));
}

TEST_F(DrawFillTest, PatternBrushes)
{
    using platform::HatchStyle;
    struct Case {
        int pattern;
        platform::Brush brush;
    } cases[] = {
        {0, platform::Brush::Solid(Red)},
        {1, platform::Brush::Hatched(HatchStyle::Horizontal, Red)},
        {2, platform::Brush::Hatched(HatchStyle::Vertical, Red)},
        {3, platform::Brush::Hatched(HatchStyle::Cross, Red)},
        {4, platform::Brush::Hatched(HatchStyle::BackwardDiagonal, Red)},
        {5, platform::Brush::Hatched(HatchStyle::ForwardDiagonal, Red)},
        {6, platform::Brush::Hatched(HatchStyle::DiagonalCross, Red)},
        {7, platform::Brush::Solid(Red)},
    };
    for (const Case& c : cases) {
        doc->list.RemoveAll();
        AddFill(Square(100, 100, 200, 200), c.pattern);
        const auto brushes = Only(Record(), "SelectBrush");
        ASSERT_FALSE(brushes.empty());
        EXPECT_EQ(brushes[0].args, (std::vector<long long>{int(c.brush.style), c.brush.color, int(c.brush.hatch)}))
            << c.pattern;
    }
    // A cross hatch in the state colour inside a black outline.
    doc->list.RemoveAll();
    AddFill(Square(100, 100, 200, 200), 3);
    const QImage image = Render();
    EXPECT_GT(CountColour(image, Rgb(Red), 101, 101, 199, 199), 1000);
    EXPECT_GT(CountColour(image, Rgb(0xFFFFFF), 101, 101, 199, 199), 1000);
    EXPECT_EQ(PixelAt(image, 100, 150), 0u);
}

TEST_F(DrawFillTest, OutlineColourAndErasing)
{
    AddFill(Square(100, 100, 200, 200, 0x00FF00));
    const QImage image = Render();
    EXPECT_EQ(PixelAt(image, 100, 150), Rgb(0x00FF00));
    EXPECT_EQ(PixelAt(image, 150, 150), Rgb(Red));

    // Drawn in the erase state, the outline goes with the region.
    QImage erased = image;
    platform::PainterDc dc(erased);
    view->DrawEntity(dc, doc->list.first, -1);
    EXPECT_EQ(CountColour(erased, Rgb(Red)), 0);
    EXPECT_EQ(CountColour(erased, Rgb(0x00FF00)), 0);
}

TEST_F(DrawFillTest, ArcItemsFollowTheirCircle)
{
    // A half disc: the edge (100,100)-(200,100), then an arc back over the top.
    FillBuilder f;
    f.vertex(100, 100).arc(true, 150, 100, 50, 200, 100).vertex(100, 100);
    AddFill(f);
    const auto polygons = Only(Record(), "Polygon");
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0].args.size(), 2u * 34u);  // vertex, 32 arc points, closing vertex
    const QImage image = Render();
    EXPECT_EQ(PixelAt(image, 150, 140), Rgb(Red));
    EXPECT_EQ(PixelAt(image, 110, 140), Rgb(0xFFFFFF));
}

TEST_F(DrawFillTest, EllipticArcDirection)
{
    auto firstPoint = [this](double direction) {
        doc->list.RemoveAll();
        FillBuilder f;
        f.ellipticArc(200, 150, 80, 40, 0, 0, 180, direction).vertex(120, 150);
        AddFill(f);
        const auto polygons = Only(Record(), "Polygon");
        EXPECT_EQ(polygons.size(), 1u);
        return polygons.empty() ? platform::Point{} : platform::Point{int(polygons[0].args[0]), int(polygons[0].args[1])};
    };
    EXPECT_EQ(firstPoint(1), (platform::Point{280, 150}));   // from the start
    EXPECT_NEAR(firstPoint(-1).y, 150, 3);  // the last sample, t = 3.1
    EXPECT_LT(firstPoint(-1).x, 125);                          // from the end
}

TEST_F(DrawFillTest, CircleRegion)
{
    FillBuilder f;
    f.circle(200, 150, 50);
    AddFill(f);
    const auto ellipses = Only(Record(), "Ellipse");
    ASSERT_EQ(ellipses.size(), 1u);
    EXPECT_EQ(ellipses[0].args, (std::vector<long long>{150, 100, 250, 200}));
}

TEST_F(DrawFillTest, CulledByTheRegionsBox)
{
    struct Case {
        const char* what;
        FillBuilder fill;
        bool drawn;
    } cases[] = {
        {"outside", Square(500, 500, 600, 600), false},
        {"around the view", Square(-1000, -1000, 1000, 1000), true},
        {"corner inside", Square(390, 290, 600, 600), true},
        {"circle centred outside", FillBuilder().circle(-20, 150, 50), true},
        {"circle wholly outside", FillBuilder().circle(-60, 150, 50), false},
    };
    for (const Case& c : cases) {
        doc->list.RemoveAll();
        AddFill(c.fill);
        const auto records = Record();
        EXPECT_EQ(Only(records, "Polygon").size() + Only(records, "Ellipse").size(), c.drawn ? 1u : 0u) << c.what;
    }
    // A region around the view paints all of it.
    doc->list.RemoveAll();
    AddFill(Square(-1000, -1000, 1000, 1000));
    EXPECT_EQ(CountColour(Render(), Rgb(Red)), Width * Height);
}

TEST_F(DrawFillTest, OffColourLayerAndSelection)
{
    CEntity* fill = Add(EntityType::Fill, 5, 0, Square(100, 100, 200, 200).codes, Square(100, 100, 200, 200).values,
                        Red, {}, {}, 1);
    view->layerState[1] = 1;
    EXPECT_EQ(PixelAt(Render(), 150, 150), Rgb(0x9A9A9A));
    fill->state = EntityState::Selected;
    const auto brushes = Only(Record(), "SelectBrush");
    ASSERT_FALSE(brushes.empty());
    EXPECT_EQ(brushes[0].args[1], platform::PaletteIndex(17));
}

} // namespace
