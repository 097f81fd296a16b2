// Hatches on screen: the generated lines clipped to the boundary, the
// pattern kinds, culling, and a boundary with too many items.

#include "DrawingViewFixture.h"

#include "model/HatchTestSupport.h"
#include "model/Notify.h"

namespace {

constexpr COLORREF Blue = 0xFF0000;

class BeepCounter : public Notifier {
public:
    int MessageBox(std::string_view, std::string_view, unsigned) override
    {
        ++boxes;
        return IDOK;
    }
    void MessageBeep(unsigned) override { ++beeps; }
    int boxes = 0;
    int beeps = 0;
};

class DrawHatchTest : public DrawingViewTest {
protected:
    CEntity* AddHatch(hatchtest::Hatch& h, int16_t style = 0)
    {
        const CEntity& e = h.entity();
        return Add(EntityType::Hatch, e.subtype, style, e.codes.ToVector(), e.values.ToVector(), Blue);
    }
};

TEST_F(DrawHatchTest, HorizontalLinesClippedToTheSquare)
{
    hatchtest::Hatch h(1, 10, 10, 0);
    h.rect(100, 100, 200, 200).vertex(100, 100);
    AddHatch(h);
    const QImage image = Render();
    const QRgb blue = Rgb(Blue);
    for (int y = 110; y <= 190; y += 10) {
        EXPECT_EQ(PixelAt(image, 150, y), blue) << y;
        EXPECT_EQ(PixelAt(image, 100, y), blue) << y;
        EXPECT_EQ(PixelAt(image, 99, y), Rgb(0xFFFFFF)) << y;
        EXPECT_EQ(PixelAt(image, 201, y), Rgb(0xFFFFFF)) << y;
        EXPECT_EQ(PixelAt(image, 150, y + 5), Rgb(0xFFFFFF)) << y;
    }
    EXPECT_EQ(PixelAt(image, 150, 100), Rgb(0xFFFFFF));  // the bottom edge is not drawn
    EXPECT_EQ(PixelAt(image, 150, 200), blue);           // the top one is
    EXPECT_EQ(CountColour(image, blue, 0, 0, 99, Height), 0);
    EXPECT_EQ(CountColour(image, blue, 202, 0, Width, Height), 0);
}

TEST_F(DrawHatchTest, CircleBoundaryClipsBothFamilies)
{
    hatchtest::Hatch h(2, 10, 10, 0);
    h.box(150, 100, 250, 200).circle(200, 150, 50);
    AddHatch(h);
    const QImage image = Render();
    const QRgb blue = Rgb(Blue);
    EXPECT_EQ(PixelAt(image, 200, 160), blue);
    EXPECT_EQ(PixelAt(image, 210, 175), blue);
    // Nothing outside the circle (one pixel of rounding allowed).
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == blue) {
                EXPECT_LE(std::hypot(x - 200.0, (Height - y) - 150.0), 51.5) << x << "," << y;
            }
}

TEST_F(DrawHatchTest, PatternsAndPen)
{
    struct Case {
        int pattern;
        bool vertical, horizontal;
    } cases[] = {{0, true, false}, {1, false, true}, {2, true, true}, {3, true, true}, {4, false, false}};
    for (const Case& c : cases) {
        doc->list.RemoveAll();
        hatchtest::Hatch h(c.pattern, 20, 40, 0);
        h.rect(100, 100, 200, 200).vertex(100, 100);
        AddHatch(h);
        const auto records = Record();
        bool vertical = false, horizontal = false;
        for (std::size_t i = 0; i + 1 < records.size(); ++i)
            if (records[i].op == "MoveTo" && records[i + 1].op == "LineTo") {
                vertical |= records[i].args[0] == records[i + 1].args[0] && records[i].args[1] != records[i + 1].args[1];
                horizontal |= records[i].args[1] == records[i + 1].args[1] && records[i].args[0] != records[i + 1].args[0];
            }
        EXPECT_EQ(vertical, c.vertical) << c.pattern;
        EXPECT_EQ(horizontal, c.horizontal) << c.pattern;
    }
    // On paper the pen has the printed width of the style's pen; a style
    // outside 0..7 counts as pen 0.
    view->printerPxPerMm = 600 / 25.4f;
    struct Width {
        int16_t style;
        int pen;
    } widths[] = {{3, 3}, {105, 0}};
    for (const Width& w : widths) {
        doc->list.RemoveAll();
        hatchtest::Hatch h(1, 10, 10, 0);
        h.rect(100, 100, 200, 200).vertex(100, 100);
        AddHatch(h, w.style);
        const auto pens = Only(Record(true), "SelectPen");
        ASSERT_FALSE(pens.empty());
        EXPECT_EQ(pens[0].args[1], int(view->printerPxPerMm * PenWidths[std::size_t(w.pen)] + 0.5)) << w.style;
    }
}

TEST_F(DrawHatchTest, CulledByItsBox)
{
    struct Case {
        double x0, y0, x1, y1;
        bool drawn;
    } cases[] = {{500, 500, 600, 600, false}, {-1000, -1000, 1000, 1000, true}, {350, 250, 450, 350, true}};
    for (const Case& c : cases) {
        doc->list.RemoveAll();
        hatchtest::Hatch h(1, 10, 10, 0);
        h.rect(c.x0, c.y0, c.x1, c.y1).vertex(c.x0, c.y0);
        AddHatch(h);
        EXPECT_EQ(!Only(Record(), "LineTo").empty(), c.drawn) << c.x0;
    }
}

TEST_F(DrawHatchTest, TooManyItemsBeepsOnceAndDrawsNothing)
{
    BeepCounter counter;
    Notifier* previous = SetNotifier(&counter);
    hatchtest::Hatch h(1, 10, 10, 0);
    h.box(100, 100, 200, 200);
    for (int i = 0; i < 21; ++i)
        h.vertex(100 + i * 5, i % 2 ? 100 : 200);
    AddHatch(h);
    EXPECT_TRUE(Record().empty());
    EXPECT_TRUE(Record().empty());
    EXPECT_EQ(counter.beeps, 1);
    EXPECT_EQ(counter.boxes, 0);
    SetNotifier(previous);
}

} // namespace
