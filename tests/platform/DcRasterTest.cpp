// Pixel rules of the image device context.
#include "platform/PainterDc.h"

#include <QImage>

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

using namespace platform;

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;

QImage Blank(int w = 64, int h = 64)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(kWhite);
    return img;
}

QImage Noise(int w, int h, unsigned seed = 7)
{
    QImage img(w, h, QImage::Format_RGB32);
    std::mt19937 rng(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, 0xFF000000u | (rng() & 0xFFFFFF));
    return img;
}

bool Ink(const QImage& img, int x, int y) { return img.pixel(x, y) != kWhite; }

int CountInk(const QImage& img)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += Ink(img, x, y);
    return n;
}

// The run lengths of ink / no ink along row y from x0 to x1 (exclusive),
// starting with ink.
std::vector<int> Runs(const QImage& img, int y, int x0, int x1)
{
    std::vector<int> runs;
    bool on = true;
    int n = 0;
    for (int x = x0; x < x1; ++x) {
        if (Ink(img, x, y) == on) {
            ++n;
        } else {
            runs.push_back(n);
            on = !on;
            n = 1;
        }
    }
    runs.push_back(n);
    return runs;
}

} // namespace

TEST(DcRaster, LineCoversFirstPixelAndLeavesOutLast)
{
    struct Case {
        Point a, b;
    };
    const Case cases[] = {
        {{5, 5}, {25, 5}},  {{25, 5}, {5, 5}},   {{5, 5}, {5, 30}},   {{5, 30}, {5, 5}},
        {{5, 5}, {30, 15}}, {{30, 15}, {5, 5}},  {{5, 5}, {12, 40}},  {{40, 40}, {10, 20}},
        {{5, 5}, {25, 25}}, {{25, 5}, {5, 25}},
    };
    for (const Case& c : cases) {
        QImage img = Blank();
        {
            PainterDc dc(img);
            dc.MoveTo(c.a.x, c.a.y);
            dc.LineTo(c.b.x, c.b.y);
        }
        SCOPED_TRACE(std::to_string(c.a.x) + "," + std::to_string(c.a.y) + " -> " + std::to_string(c.b.x) + "," +
                     std::to_string(c.b.y));
        EXPECT_EQ(img.pixel(c.a.x, c.a.y), kBlack);
        EXPECT_EQ(img.pixel(c.b.x, c.b.y), kWhite);
        EXPECT_EQ(CountInk(img), std::max(std::abs(c.b.x - c.a.x), std::abs(c.b.y - c.a.y)));
    }
}

TEST(DcRaster, LineToMovesTheCurrentPositionAndPolylineSharesVertices)
{
    QImage img = Blank();
    PainterDc dc(img);
    dc.MoveTo(10, 10);
    dc.LineTo(20, 10);
    dc.LineTo(20, 20);
    EXPECT_EQ(dc.GetCurrentPosition(), (Point{20, 20}));
    EXPECT_EQ(img.pixel(20, 10), kBlack); // start of the second line
    EXPECT_EQ(img.pixel(20, 20), kWhite);
    EXPECT_EQ(CountInk(img), 20);
}

TEST(DcRaster, RectangleLeavesOutRightColumnAndBottomRow)
{
    QImage img = Blank();
    PainterDc dc(img);
    dc.SelectBrush(Brush::Solid(Rgb(255, 0, 0)));
    dc.Rectangle(10, 10, 20, 16);
    EXPECT_EQ(img.pixel(10, 10), kBlack);
    EXPECT_EQ(img.pixel(19, 10), kBlack);
    EXPECT_EQ(img.pixel(19, 15), kBlack);
    EXPECT_EQ(img.pixel(10, 15), kBlack);
    EXPECT_EQ(img.pixel(11, 11), 0xFFFF0000);
    EXPECT_EQ(img.pixel(18, 14), 0xFFFF0000);
    for (int y = 8; y < 18; ++y) EXPECT_EQ(img.pixel(20, y), kWhite);
    for (int x = 8; x < 22; ++x) EXPECT_EQ(img.pixel(x, 16), kWhite);
    EXPECT_EQ(CountInk(img), 10 * 6);
}

TEST(DcRaster, RectangleWithoutPenFillsOneColumnAndRowLess)
{
    QImage img = Blank();
    PainterDc dc(img);
    dc.SelectPen(Pen::Make(PenStyle::Null, 0, 0));
    dc.SelectBrush(Brush::Solid(0));
    dc.Rectangle(10, 10, 20, 16);
    EXPECT_EQ(CountInk(img), 9 * 5);
    EXPECT_TRUE(Ink(img, 10, 10));
    EXPECT_TRUE(Ink(img, 18, 14));
    EXPECT_FALSE(Ink(img, 19, 14));
    EXPECT_FALSE(Ink(img, 18, 15));
}

TEST(DcRaster, EllipseTouchesItsBoxLessRightAndBottom)
{
    const Rect boxes[] = {{10, 10, 31, 21}, {10, 10, 30, 30}, {5, 7, 50, 12}, {20, 20, 23, 24}};
    for (const Rect& b : boxes) {
        QImage img = Blank();
        {
            PainterDc dc(img);
            dc.SelectBrush(Brush::NullBrush());
            dc.Ellipse(b.left, b.top, b.right, b.bottom);
        }
        SCOPED_TRACE(std::to_string(b.left) + "," + std::to_string(b.top) + "," + std::to_string(b.right) + "," +
                     std::to_string(b.bottom));
        int minX = 999, minY = 999, maxX = -1, maxY = -1;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (Ink(img, x, y)) {
                    minX = std::min(minX, x);
                    maxX = std::max(maxX, x);
                    minY = std::min(minY, y);
                    maxY = std::max(maxY, y);
                }
        EXPECT_EQ(minX, b.left);
        EXPECT_EQ(minY, b.top);
        EXPECT_EQ(maxX, b.right - 1);
        EXPECT_EQ(maxY, b.bottom - 1);
        // Mirror symmetric about the box centre.
        for (int y = b.top; y < b.bottom; ++y)
            for (int x = b.left; x < b.right; ++x)
                ASSERT_EQ(Ink(img, x, y), Ink(img, b.left + b.right - 1 - x, y));
    }
}

TEST(DcRaster, EllipseFillStaysInsideItsOutline)
{
    QImage img = Blank();
    PainterDc dc(img);
    dc.SelectBrush(Brush::Solid(Rgb(0, 0, 255)));
    dc.Ellipse(10, 10, 41, 31);
    EXPECT_EQ(img.pixel(25, 20), 0xFF0000FF); // centre: brush
    EXPECT_EQ(img.pixel(10, 20), kBlack);     // left end: pen
    EXPECT_EQ(img.pixel(40, 20), kBlack);
    EXPECT_EQ(img.pixel(25, 10), kBlack);
    EXPECT_EQ(img.pixel(25, 30), kBlack);
    EXPECT_EQ(img.pixel(11, 11), kWhite); // the corner is outside
}

TEST(DcRaster, CosmeticDashPatterns)
{
    struct Case {
        PenStyle style;
        std::vector<int> pattern; // drawn, skipped, drawn, ...
    };
    const Case cases[] = {
        {PenStyle::Dash, {18, 6}},
        {PenStyle::Dot, {3, 3}},
        {PenStyle::DashDot, {9, 6, 3, 6}},
        {PenStyle::DashDotDot, {9, 3, 3, 3, 3, 3}},
    };
    for (const Case& c : cases) {
        QImage img = Blank(120, 8);
        {
            PainterDc dc(img);
            dc.SetBkMode(BkMode::Transparent);
            dc.SelectPen(Pen::Make(c.style, 0, 0));
            dc.MoveTo(0, 2);
            dc.LineTo(100, 2);
        }
        // The pattern repeated over the 100 pixels of the line.
        std::vector<int> expected;
        for (int left = 100, i = 0; left > 0; ++i) {
            const int run = std::min(left, c.pattern[size_t(i) % c.pattern.size()]);
            expected.push_back(run);
            left -= run;
        }
        SCOPED_TRACE(int(c.style));
        EXPECT_EQ(Runs(img, 2, 0, 100), expected);
        EXPECT_EQ(img.pixel(100, 2), kWhite);
    }
}

TEST(DcRaster, DashPatternRunsOnAcrossLineToAndOpaqueGapsTakeTheBackground)
{
    QImage img = Blank(80, 8);
    PainterDc dc(img);
    dc.SetBkColor(Rgb(0, 255, 0));
    dc.SelectPen(Pen::Make(PenStyle::Dash, 1, 0));
    dc.MoveTo(0, 2);
    dc.LineTo(10, 2);
    dc.LineTo(30, 2);
    EXPECT_EQ(img.pixel(17, 2), kBlack);
    EXPECT_EQ(img.pixel(18, 2), 0xFF00FF00); // the gap starts after 18 pixels
    EXPECT_EQ(img.pixel(23, 2), 0xFF00FF00);
    EXPECT_EQ(img.pixel(24, 2), kBlack);
    EXPECT_EQ(img.pixel(30, 2), kWhite);
}

TEST(DcRaster, HatchBrushes)
{
    struct Case {
        HatchStyle hatch;
        std::set<std::pair<int, int>> cell; // ink within the 8 x 8 cell
    };
    auto diag = [](bool forward) {
        std::set<std::pair<int, int>> s;
        for (int i = 0; i < 8; ++i) s.insert({forward ? i : 7 - i, i});
        return s;
    };
    std::set<std::pair<int, int>> row, col;
    for (int i = 0; i < 8; ++i) {
        row.insert({i, 0});
        col.insert({0, i});
    }
    auto both = [](std::set<std::pair<int, int>> a, const std::set<std::pair<int, int>>& b) {
        a.insert(b.begin(), b.end());
        return a;
    };
    const Case cases[] = {
        {HatchStyle::Horizontal, row},
        {HatchStyle::Vertical, col},
        {HatchStyle::ForwardDiagonal, diag(true)},  // falls to the right
        {HatchStyle::BackwardDiagonal, diag(false)}, // rises to the right
        {HatchStyle::Cross, both(row, col)},
        {HatchStyle::DiagonalCross, both(diag(true), diag(false))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.hatch));
        QImage img = Blank(40, 40);
        {
            PainterDc dc(img);
            dc.SetBkMode(BkMode::Transparent);
            // A viewport origin that is not a multiple of 8: the hatch stays
            // aligned to the device, not to the figure.
            dc.SetViewportOrg(3, 5);
            dc.FillRect({0, 0, 30, 30}, Brush::Hatched(c.hatch, Rgb(255, 0, 0)));
        }
        for (int y = 5; y < 35; ++y)
            for (int x = 3; x < 33; ++x) {
                const bool expected = c.cell.count({x % 8, y % 8}) > 0;
                ASSERT_EQ(img.pixel(x, y), expected ? 0xFFFF0000 : kWhite) << x << "," << y;
            }
        EXPECT_EQ(img.pixel(33, 8), kWhite);
    }
}

TEST(DcRaster, OpaqueHatchPaintsTheGapsInTheBackgroundColour)
{
    QImage img = Blank(16, 16);
    PainterDc dc(img);
    dc.SetBkColor(Rgb(0, 0, 255));
    dc.FillRect({0, 0, 16, 16}, Brush::Hatched(HatchStyle::Horizontal, Rgb(255, 0, 0)));
    EXPECT_EQ(img.pixel(3, 0), 0xFFFF0000);
    EXPECT_EQ(img.pixel(3, 1), 0xFF0000FF);
}

TEST(DcRaster, NotXorFiguresDrawnTwiceLeaveTheImageAsItWas)
{
    using Draw = std::function<void(Dc&)>;
    const std::pair<const char*, Draw> figures[] = {
        {"line", [](Dc& dc) { dc.MoveTo(3, 4); dc.LineTo(90, 57); }},
        {"lines", [](Dc& dc) { dc.MoveTo(3, 4); dc.LineTo(90, 57); dc.LineTo(10, 60); dc.LineTo(3, 4); }},
        {"polyline", [](Dc& dc) { dc.Polyline({{5, 5}, {80, 60}, {80, 5}, {5, 60}, {5, 5}}); }},
        {"rectangle", [](Dc& dc) { dc.Rectangle(10, 12, 70, 50); }},
        {"thin rectangle", [](Dc& dc) { dc.Rectangle(10, 12, 11, 50); }},
        {"ellipse", [](Dc& dc) { dc.Ellipse(7, 9, 88, 61); }},
        {"arc", [](Dc& dc) { dc.Arc(7, 9, 88, 61, 90, 10, 0, 70); }},
        {"full arc", [](Dc& dc) { dc.Arc(7, 9, 88, 61, 7, 9, 7, 9); }},
        {"dotted rectangle", [](Dc& dc) { dc.SelectPen(Pen::Make(PenStyle::Dot, 1, Rgb(0, 90, 200))); dc.Rectangle(10, 12, 70, 50); }},
        {"dashed polyline", [](Dc& dc) { dc.SelectPen(Pen::Make(PenStyle::DashDot, 0, Rgb(250, 0, 0))); dc.Polyline({{5, 5}, {80, 60}, {80, 5}}); }},
        {"polygon", [](Dc& dc) { dc.SelectBrush(Brush::Solid(Rgb(20, 40, 60))); dc.Polygon({{5, 5}, {80, 60}, {80, 5}, {5, 60}}); }},
        {"wide line", [](Dc& dc) { dc.SelectPen(Pen::Make(PenStyle::Solid, 5, Rgb(0, 128, 0))); dc.Polyline({{5, 5}, {80, 60}, {80, 5}}); }},
        {"bezier", [](Dc& dc) { dc.PolyBezier({{5, 5}, {80, 0}, {0, 60}, {80, 60}}); }},
    };
    for (const auto& [name, draw] : figures) {
        SCOPED_TRACE(name);
        const QImage before = Noise(96, 64);
        QImage img = before;
        {
            PainterDc dc(img);
            dc.SetRop2(Rop2::NotXorPen);
            dc.SelectPen(Pen::Make(PenStyle::Solid, 0, Rgb(200, 30, 90)));
            draw(dc);
        }
        EXPECT_NE(img, before);
        {
            PainterDc dc(img);
            dc.SetRop2(Rop2::NotXorPen);
            dc.SelectPen(Pen::Make(PenStyle::Solid, 0, Rgb(200, 30, 90)));
            draw(dc);
        }
        EXPECT_EQ(img, before);
    }
}

TEST(DcRaster, NotXorWithBlackPenInvertsEachPixelOnce)
{
    QImage img = Blank(64, 64);
    PainterDc dc(img);
    dc.SetRop2(Rop2::NotXorPen);
    dc.Polyline({{5, 5}, {50, 5}, {50, 50}, {5, 50}, {5, 5}});
    // White under not-XOR with black becomes black: every pixel of the
    // closed outline is touched exactly once.
    EXPECT_EQ(CountInk(img), 4 * 45);
}

TEST(DcRaster, SourceInvertBlitTwiceRestores)
{
    const QImage before = Noise(80, 40);
    QImage img = before;
    QImage label(60, 15, QImage::Format_RGB32);
    label.fill(kBlack);
    {
        QPainter p(&label);
        p.fillRect(10, 3, 20, 6, Qt::yellow);
    }
    PainterDc dc(img);
    dc.BitBlt(7, 9, 60, 15, label, 0, 0, rop3::SrcInvert);
    EXPECT_EQ(img.pixel(6 + 12, 9 + 4), before.pixel(6 + 12, 9 + 4) ^ 0x00FFFF00);
    EXPECT_EQ(img.pixel(7, 9), before.pixel(7, 9)); // black source leaves it
    dc.BitBlt(7, 9, 60, 15, label, 0, 0, rop3::SrcInvert);
    EXPECT_EQ(img, before);
}

TEST(DcRaster, SourceCopyBlitBetweenImageContexts)
{
    QImage src = Blank(20, 20);
    QImage dst = Blank(40, 40);
    PainterDc s(src);
    s.SelectBrush(Brush::Solid(Rgb(255, 0, 0)));
    s.SelectPen(Pen::Make(PenStyle::Null, 0, 0));
    s.Rectangle(0, 0, 11, 11);
    PainterDc d(dst);
    d.BitBlt(5, 6, 10, 10, s, 0, 0, rop3::SrcCopy);
    EXPECT_EQ(dst.pixel(5, 6), 0xFFFF0000);
    EXPECT_EQ(dst.pixel(14, 15), 0xFFFF0000);
    EXPECT_EQ(dst.pixel(15, 15), kWhite);
}

TEST(DcRaster, ArcRunsCounterClockwiseUnlessToldOtherwise)
{
    // From the ray to the right to the ray upwards: the upper right quarter,
    // or with the clockwise direction the other three quarters.
    for (bool clockwise : {false, true}) {
        SCOPED_TRACE(clockwise);
        QImage img = Blank();
        PainterDc dc(img);
        if (clockwise) dc.SetArcDirection(ArcDirection::Clockwise);
        dc.Arc(10, 10, 51, 51, 60, 30, 30, 0);
        int upperRight = 0, others = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                if (Ink(img, x, y)) (x >= 30 && y <= 30 ? upperRight : others)++;
        if (!clockwise) {
            EXPECT_GT(upperRight, 20);
            EXPECT_LE(others, 2);
        } else {
            EXPECT_LE(upperRight, 2);
            EXPECT_GT(others, 60);
        }
        EXPECT_TRUE(Ink(img, 50, 30) || Ink(img, 50, 29)); // starts on the right
    }
}

TEST(DcRaster, PolygonFillModes)
{
    // A five-pointed star: its centre is inside for the winding rule only.
    const std::vector<Point> star{{32, 2}, {50, 58}, {2, 22}, {62, 22}, {14, 58}};
    for (PolyFillMode mode : {PolyFillMode::Alternate, PolyFillMode::Winding}) {
        QImage img = Blank();
        PainterDc dc(img);
        dc.SetPolyFillMode(mode);
        dc.SelectBrush(Brush::Solid(Rgb(255, 0, 0)));
        dc.SelectPen(Pen::Make(PenStyle::Null, 0, 0));
        dc.Polygon(star);
        EXPECT_EQ(img.pixel(32, 32), mode == PolyFillMode::Winding ? 0xFFFF0000 : kWhite);
        EXPECT_EQ(img.pixel(32, 10), 0xFFFF0000); // a point
    }
}

TEST(DcRaster, PolygonOfABoxFillsWithoutRightAndBottomEdges)
{
    QImage img = Blank();
    PainterDc dc(img);
    dc.SelectPen(Pen::Make(PenStyle::Null, 0, 0));
    dc.SelectBrush(Brush::Solid(0));
    dc.Polygon({{10, 10}, {20, 10}, {20, 20}, {10, 20}});
    EXPECT_EQ(CountInk(img), 100);
    EXPECT_TRUE(Ink(img, 19, 19));
    EXPECT_FALSE(Ink(img, 20, 19));
}

TEST(DcRaster, AnisotropicMappingScalesIntoTheViewport)
{
    QImage img = Blank(100, 100);
    PainterDc dc(img);
    dc.SetMapMode(MapMode::Anisotropic);
    dc.SetWindowExt(200, 100);
    dc.SetViewportExt(50, 50);
    dc.SetViewportOrg(10, 20);
    EXPECT_EQ(dc.LPtoDP({200, 100}), (Point{60, 70}));
    EXPECT_EQ(dc.DPtoLP({60, 70}), (Point{200, 100}));
    dc.SelectBrush(Brush::Solid(0));
    dc.Rectangle(0, 0, 200, 100);
    EXPECT_TRUE(Ink(img, 10, 20));
    EXPECT_TRUE(Ink(img, 59, 69));
    EXPECT_FALSE(Ink(img, 60, 69));
    EXPECT_FALSE(Ink(img, 9, 20));
}

TEST(DcRaster, MetricModesAreYUpInTenthsOfMillimetres)
{
    QImage img = Blank(10, 10);
    img.setDotsPerMeterX(23622); // 600 dots per inch
    img.setDotsPerMeterY(23622);
    PainterDc dc(img);
    dc.SetMapMode(MapMode::LoMetric);
    EXPECT_EQ(dc.LPtoDP({254, -254}), (Point{600, 600}));
}

TEST(DcRaster, ClipRectangleAndSaveRestore)
{
    QImage img = Blank();
    PainterDc dc(img);
    const int level = dc.SaveDc();
    dc.IntersectClipRect(10, 10, 20, 20);
    EXPECT_EQ(dc.GetClipBox(), (Rect{10, 10, 20, 20}));
    dc.MoveTo(0, 15);
    dc.LineTo(60, 15);
    EXPECT_EQ(CountInk(img), 10);
    dc.RestoreDc(level);
    EXPECT_EQ(dc.GetClipBox(), (Rect{0, 0, 64, 64}));
    dc.MoveTo(0, 30);
    dc.LineTo(60, 30);
    EXPECT_EQ(CountInk(img), 70);
}

TEST(DcRaster, PathsFillAndStroke)
{
    QImage img = Blank();
    PainterDc dc(img);
    dc.SelectBrush(Brush::Solid(Rgb(0, 0, 255)));
    dc.BeginPath();
    dc.MoveTo(10, 10);
    dc.LineTo(40, 10);
    dc.LineTo(40, 40);
    dc.LineTo(10, 40);
    dc.CloseFigure();
    dc.EndPath();
    EXPECT_EQ(CountInk(img), 0); // nothing drawn while the path is built
    dc.FillPath();
    EXPECT_EQ(img.pixel(25, 25), 0xFF0000FF);
    EXPECT_EQ(img.pixel(40, 40), kWhite);

    QImage thick = Blank();
    PainterDc t(thick);
    t.SelectPen(Pen::Geometric(PenStyle::Solid, 6, 0, PenCap::Flat, PenJoin::Miter));
    t.BeginPath();
    t.MoveTo(10, 30);
    t.LineTo(50, 30);
    t.EndPath();
    t.StrokePath();
    t.Flush();
    EXPECT_EQ(thick.pixel(30, 28), kBlack);
    EXPECT_EQ(thick.pixel(30, 32), kBlack);
    EXPECT_EQ(thick.pixel(30, 36), kWhite);
    EXPECT_EQ(thick.pixel(6, 30), kWhite); // flat caps
}

TEST(DcRaster, BezierStartsAtItsFirstPointAndEndsAtItsLast)
{
    QImage img = Blank();
    PainterDc dc(img);
    dc.MoveTo(5, 50);
    dc.PolyBezierTo({{20, 0}, {40, 0}, {58, 50}});
    EXPECT_EQ(dc.GetCurrentPosition(), (Point{58, 50}));
    EXPECT_TRUE(Ink(img, 5, 50));
    EXPECT_FALSE(Ink(img, 58, 50));
    EXPECT_TRUE(Ink(img, 57, 48) || Ink(img, 57, 49) || Ink(img, 56, 47));
}

TEST(DcRaster, PaletteIndexColoursResolveThroughTheDefaultPalette)
{
    EXPECT_EQ(ResolveColor(PaletteIndex(0)), Rgb(0, 0, 0));
    EXPECT_EQ(ResolveColor(PaletteIndex(17)), Rgb(255, 0, 255));
    EXPECT_EQ(ResolveColor(PaletteIndex(19)), Rgb(255, 255, 255));
    QImage img = Blank();
    PainterDc dc(img);
    dc.SelectPen(Pen::Make(PenStyle::Solid, 0, PaletteIndex(17)));
    dc.MoveTo(0, 0);
    dc.LineTo(5, 0);
    EXPECT_EQ(img.pixel(0, 0), 0xFFFF00FF);
}

TEST(DcRaster, NotXorRectangleWithTheDefaultWhiteBrushLeavesTheInsideAlone)
{
    const QImage before = Noise(64, 64, 3);
    QImage img = before;
    PainterDc dc(img);
    dc.SetRop2(Rop2::NotXorPen);
    dc.Rectangle(10, 10, 50, 40);
    for (int y = 11; y < 39; ++y)
        for (int x = 11; x < 49; ++x) ASSERT_EQ(img.pixel(x, y), before.pixel(x, y)) << x << "," << y;
    EXPECT_NE(img.pixel(10, 10), before.pixel(10, 10));
}
