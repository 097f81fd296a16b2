// The metafile writer, read back by an independent reader (libemf2svg).
#include "platform/EmfDc.h"

#include "common/EmfToSvg.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cmath>
#include <cstring>
#include <regex>
#include <string>
#include <vector>

using namespace platform;

namespace {

std::string ToSvg(const std::vector<std::uint8_t>& emf)
{
    return emf2svg_reader::ToSvg(emf);
}

std::uint32_t U32At(const std::vector<std::uint8_t>& b, size_t at)
{
    std::uint32_t v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

} // namespace

TEST(DcEmf, RecordsAreWellFormed)
{
    EmfDc dc(800, 600, 96);
    dc.MoveTo(10, 20);
    dc.LineTo(110, 20);
    dc.SelectPen(Pen::Make(PenStyle::Dash, 0, Rgb(255, 0, 0)));
    dc.Rectangle(30, 40, 130, 90);
    const auto bytes = dc.Finish();
    ASSERT_GE(bytes.size(), 108u + 20u);
    EXPECT_EQ(U32At(bytes, 0), 1u);             // header
    EXPECT_EQ(U32At(bytes, 40), 0x464D4520u);   // signature
    EXPECT_EQ(U32At(bytes, 48), bytes.size());  // file size
    // Walk the records: each size is a multiple of 4 and they end with the
    // end record exactly at the end of the file.
    size_t at = 0;
    std::uint32_t count = 0;
    std::uint32_t last = 0;
    while (at < bytes.size()) {
        const std::uint32_t size = U32At(bytes, at + 4);
        ASSERT_GE(size, 8u);
        ASSERT_EQ(size % 4, 0u);
        last = U32At(bytes, at);
        at += size;
        ++count;
    }
    EXPECT_EQ(at, bytes.size());
    EXPECT_EQ(last, 14u);
    EXPECT_EQ(U32At(bytes, 52), count);
    // The bounds hold what was drawn: (10, 20) to (129, 89).
    EXPECT_EQ(int(U32At(bytes, 8)), 10);
    EXPECT_EQ(int(U32At(bytes, 12)), 20);
    EXPECT_EQ(int(U32At(bytes, 16)), 129);
    EXPECT_EQ(int(U32At(bytes, 20)), 89);
}

TEST(DcEmf, IndependentReaderSeesTheShapesWhereTheyWereDrawn)
{
    EmfDc dc(800, 600, 96);
    dc.SelectPen(Pen::Make(PenStyle::Solid, 0, Rgb(255, 0, 0)));
    dc.MoveTo(10, 20);
    dc.LineTo(110, 20);
    dc.SelectPen(Pen::Make(PenStyle::Solid, 0, Rgb(0, 0, 0)));
    dc.SelectBrush(Brush::NullBrush());
    dc.Rectangle(30, 40, 130, 90);
    dc.Arc(200, 200, 300, 300, 300, 250, 250, 200);
    dc.SelectBrush(Brush::Solid(Rgb(0, 0, 255)));
    dc.Polygon({{400, 100}, {500, 100}, {450, 180}});
    Font f;
    f.height = 20;
    f.width = 10;
    f.face = QStringLiteral("IPAGothic");
    dc.SelectFont(f);
    dc.SetTextColor(Rgb(0, 128, 0));
    dc.SetBkMode(BkMode::Transparent);
    dc.TextOut(50, 300, QStringLiteral("Orvik 図面"));
    const std::string svg = ToSvg(dc.Finish());
    if (svg.empty()) GTEST_SKIP() << "libemf2svg is not available";
    if (std::getenv("DUMP_SVG")) std::fprintf(stderr, "%s\n", svg.c_str());

    // Keep only what matters for the check: the path data and the text.
    auto has = [&](const std::string& pattern) { return std::regex_search(svg, std::regex(pattern)); };
    EXPECT_TRUE(has(R"(M\s*10(\.0+)?\s*,?\s*20(\.0+)?\s*L\s*110(\.0+)?\s*,?\s*20(\.0+)?)")) << svg;
    EXPECT_TRUE(has(R"(#FF0000|#ff0000)")) << svg;
    EXPECT_TRUE(has(R"(<svg:rect[^>]*x="30(\.0+)?"[^>]*y="40(\.0+)?")") ||
                has(R"(M\s*30(\.0+)?\s*,?\s*40(\.0+)?\s*L\s*130(\.0+)?\s*,?\s*40(\.0+)?)"))
        << svg;
    EXPECT_TRUE(has(R"(M\s*400(\.0+)?\s*,?\s*100(\.0+)?\s*L\s*500(\.0+)?\s*,?\s*100(\.0+)?\s*L\s*450(\.0+)?\s*,?\s*180)"))
        << svg;
    EXPECT_TRUE(has(R"(#0000FF|#0000ff)")) << svg;
    // The arc: from (300, 250) on the right of its box, an elliptical arc of
    // radius 50 ending at the top (250, 200).
    EXPECT_TRUE(has(R"(M\s*300(\.0+)?\s*,?\s*250(\.0+)?\s*A\s*50)")) << svg;
    EXPECT_TRUE(has(R"(Orvik 図面)")) << svg;
    EXPECT_TRUE(has(R"(IPAGothic)")) << svg;
}

// What an arc looks like to the independent reader: the path arcs it makes,
// followed as a reader draws them, each checked to lie on the circle it was
// drawn on, and their turns added up.
TEST(DcEmf, ArcsOfAnyLengthAndDirectionComeBackWhole)
{
    if (!emf2svg_reader::Available()) GTEST_SKIP() << "libemf2svg is not available";
    struct Case {
        const char* what;
        Point start, end;
        ArcDirection direction;
        double degrees;
    } cases[] = {
        {"whole circle, both ends on one ray", {100, 200}, {100, 200}, ArcDirection::CounterClockwise, 360},
        {"quarter", {300, 150}, {250, 0}, ArcDirection::CounterClockwise, 90},
        {"three quarters", {300, 150}, {250, 200}, ArcDirection::CounterClockwise, 270},
        {"three quarters clockwise", {300, 150}, {250, 100}, ArcDirection::Clockwise, 270},
        {"quarter clockwise", {300, 150}, {250, 200}, ArcDirection::Clockwise, 90},
        {"whole circle clockwise", {300, 150}, {300, 150}, ArcDirection::Clockwise, 360},
    };
    for (const Case& c : cases) {
        EmfDc dc(800, 600, 96);
        dc.SelectPen(Pen::Make(PenStyle::Solid, 0, Rgb(0, 0, 0)));
        dc.SetArcDirection(c.direction);
        dc.Arc(200, 100, 300, 200, c.start.x, c.start.y, c.end.x, c.end.y);
        EXPECT_EQ(dc.GetArcDirection(), c.direction) << c.what;
        const std::string svg = ToSvg(dc.Finish());
        ASSERT_FALSE(svg.empty()) << c.what;
        const emf2svg_reader::ArcTurn turn = emf2svg_reader::TurnOfArcs(svg, 250, 150, 50);
        EXPECT_GE(turn.arcs, 1) << c.what << "\n" << svg;
        EXPECT_EQ(turn.offCircle, 0) << c.what << "\n" << svg;
        EXPECT_NEAR(turn.degrees, c.degrees, 1.0) << c.what << "\n" << svg;
    }
}
