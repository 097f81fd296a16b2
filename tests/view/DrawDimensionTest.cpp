// Dimensions on screen: every kind with its members, the digits of the
// terminator code word, fixed and zoom-linked terminator sizes, and the
// records the drawer refuses.

#include "DrawingViewFixture.h"

#include <cmath>

namespace {

constexpr COLORREF Red = 0x0000FF;

// A dimension record of the given kind, measuring from (100, 100) to
// (200, 100) (chained kinds: also (250, 100)); spec is the value of code 14.
struct DimensionRecord {
    std::vector<int16_t> codes;
    std::vector<double> values;
};

DimensionRecord MakeDimension(int kind, double spec)
{
    DimensionRecord r;
    auto put = [&r](int16_t code, double value) {
        r.codes.push_back(code);
        r.values.push_back(value);
    };
    put(30, 0.0);
    put(31, 0.0);
    put(32, 0.0);
    put(10, kind >= 6 && kind <= 7 ? 45.0 : 100.0);
    put(11, 10.0);
    put(12, 0.0);
    put(13, 1110.0);
    if (kind != 8)
        put(14, spec);
    switch (kind) {
    case 0:
    case 5:
        for (int16_t c : {15, 16, 18, 19})
            put(c, 10.0);
        put(21, 100.0);
        put(22, 80.0);
        put(40, 100.0);
        put(41, 100.0);
        put(50, 200.0);
        put(51, 100.0);
        break;
    case 1:
    case 2:
        for (int16_t c : {15, 16, 17, 18, 19, 20})
            put(c, 10.0);
        put(21, 100.0);
        put(22, 80.0);
        put(40, 100.0);
        put(41, 100.0);
        put(50, 200.0);
        put(51, 100.0);
        put(60, 250.0);
        put(61, 100.0);
        break;
    case 3:
        put(40, 100.0);
        put(41, 100.0);
        put(50, 200.0);
        put(51, 100.0);
        put(60, 200.0);
        put(61, 150.0);
        put(42, 150.0);
        put(43, 110.0);
        break;
    case 4:
        for (int16_t c : {15, 16, 18, 19})
            put(c, 10.0);
        put(42, 150.0);
        put(43, 110.0);
        put(40, 100.0);
        put(41, 100.0);
        put(50, 200.0);
        put(51, 100.0);
        break;
    case 6:
    case 7:
        for (int16_t c : {15, 16, 18, 19})
            put(c, 10.0);
        put(23, 150.0);
        put(24, 100.0);
        put(25, 50.0);
        put(26, 0.0);
        put(27, 90.0);
        put(42, 190.0);
        put(43, 160.0);
        break;
    case 8:
        put(40, 150.0);
        put(41, 150.0);
        break;
    }
    return r;
}

class DrawDimensionTest : public DrawingViewTest {
protected:
    CEntity* AddDimension(int kind, double spec)
    {
        const DimensionRecord r = MakeDimension(kind, spec);
        return Add(EntityType::Dimension, int16_t(kind), 0, r.codes, r.values, Red);
    }
    // A record outside any list, drawn straight through the drawer.
    static CEntity Loose(int kind, std::vector<int16_t> codes, std::vector<double> values)
    {
        CEntity e;
        e.type = EntityType::Dimension;
        e.subtype = int16_t(kind);
        e.count = int16_t(values.size());
        e.codes = std::move(codes);
        e.values = std::move(values);
        e.colour = Red;
        return e;
    }
    // Barbs drawn from the tip pixel (pieces shorter than 20 pixels): their
    // end points.
    static std::vector<platform::Point> BarbsFrom(const std::vector<platform::DcRecord>& records, int x, int y)
    {
        std::vector<platform::Point> ends;
        for (std::size_t i = 0; i + 1 < records.size(); ++i)
            if (records[i].op == "MoveTo" && records[i].args == std::vector<long long>{x, y} &&
                records[i + 1].op == "LineTo" &&
                std::hypot(double(records[i + 1].args[0] - x), double(records[i + 1].args[1] - y)) < 20.0)
                ends.push_back({int(records[i + 1].args[0]), int(records[i + 1].args[1])});
        return ends;
    }
};

TEST_F(DrawDimensionTest, EveryKindShowsItsMembersAndMarks)
{
    // Spec 11122: a dot at every end (dot index 2 = radius 4).
    struct Case {
        int kind;
        bool arc;
        int dots;
    } cases[] = {{0, false, 2}, {1, false, 4}, {2, false, 4}, {3, false, 1}, {4, false, 1},
                 {5, false, 2}, {6, true, 2},  {7, true, 2},  {8, false, 0}};
    for (const Case& c : cases) {
        doc->list.RemoveAll();
        AddDimension(c.kind, 11122);
        const auto records = Record();
        EXPECT_GE(Only(records, "TextOut").size(), 1u) << "kind " << c.kind;
        if (c.kind != 6 && c.kind != 8) {
            EXPECT_GE(Only(records, "LineTo").size(), 1u) << "kind " << c.kind;
        }
        EXPECT_EQ(Only(records, "Arc").size(), c.arc ? 1u : 0u) << "kind " << c.kind;
        const auto dots = Only(records, "Ellipse");
        EXPECT_EQ(int(dots.size()), c.dots) << "kind " << c.kind;
        for (const auto& d : dots)
            EXPECT_EQ(d.args[2] - d.args[0], 8) << "kind " << c.kind;
    }
}

TEST_F(DrawDimensionTest, DistanceDimensionPixels)
{
    AddDimension(0, 11122);
    const QImage image = Render();
    // The dimension line and its value text in the entity's colour, a dot
    // of radius 4 on each end.
    EXPECT_EQ(PixelAt(image, 150, 100), Rgb(Red));
    EXPECT_EQ(PixelAt(image, 100, 100), Rgb(Red));
    EXPECT_EQ(PixelAt(image, 97, 102), Rgb(Red));
    EXPECT_EQ(PixelAt(image, 202, 99), Rgb(Red));
    EXPECT_GT(CountColour(image, Rgb(Red), 120, 170, 200, 200), 10);  // "100.0" above the line
}

TEST_F(DrawDimensionTest, TerminatorCodeWordDigits)
{
    // 3, 3, 3, 2, 2: arrowheads everywhere, barbs of 10 pixels.
    AddDimension(1, 33322);
    const auto records = Record();
    struct End {
        int x, y;
        int barbs;
    } ends[] = {{100, 200, 2}, {250, 200, 2}, {200, 200, 4}};
    for (const End& end : ends) {
        const auto barbs = BarbsFrom(records, end.x, end.y);
        ASSERT_EQ(int(barbs.size()), end.barbs) << end.x;
        for (const auto& b : barbs)
            EXPECT_NEAR(std::hypot(b.x - end.x, b.y - end.y), 10.0, 1.0) << end.x;
    }
    // Barbs at the first end open towards the dimension, at the last end back.
    for (const auto& b : BarbsFrom(records, 100, 200))
        EXPECT_GT(b.x, 100);
    for (const auto& b : BarbsFrom(records, 250, 200))
        EXPECT_LT(b.x, 250);
    // The middle point gets two arrowheads back to back.
    int left = 0, right = 0;
    for (const auto& b : BarbsFrom(records, 200, 200))
        (b.x < 200 ? left : right)++;
    EXPECT_EQ(left, 2);
    EXPECT_EQ(right, 2);

    // A first digit 1: a dot of radius 4 at the first end only.
    doc->list.RemoveAll();
    AddDimension(0, 13322);
    const auto dots = Only(Record(), "Ellipse");
    ASSERT_EQ(dots.size(), 1u);
    EXPECT_EQ(dots[0].args, (std::vector<long long>{96, 196, 104, 204}));
}

TEST_F(DrawDimensionTest, KindsAboveFourAndZeroDrawNoTerminator)
{
    AddDimension(0, 55522);
    EXPECT_TRUE(BarbsFrom(Record(), 100, 200).empty());
    doc->list.RemoveAll();
    AddDimension(0, 22);
    EXPECT_TRUE(BarbsFrom(Record(), 100, 200).empty());
    EXPECT_TRUE(Only(Record(), "Ellipse").empty());
}

TEST_F(DrawDimensionTest, ZoomLinkedSizes)
{
    DimArrowScaleMode = 1;
    struct Case {
        double zoom;
        int barbs;
    } cases[] = {{1.0, 2}, {0.2, 2}, {0.1, 0}};
    for (const Case& c : cases) {
        view->zoom = c.zoom;
        view->ComputeVisibleRect();
        platform::RecordingDc dc;
        view->DrawTerminatorScaled(dc, 3, 0, 0, 0, Red, 0, 100, 100, 200, 100);
        EXPECT_EQ(dc.Count("LineTo"), c.barbs) << c.zoom;
    }
    // Index 0 at zoom 0.2: one pixel long (trunc(0.8 + 0.5)).
    view->zoom = 0.2;
    platform::RecordingDc dc;
    view->DrawTerminatorScaled(dc, 2, 0, 0, 0, Red, 0, 100, 100, 200, 100);
    const auto lines = Only(dc.Records(), "LineTo");
    const auto moves = Only(dc.Records(), "MoveTo");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_LE(std::abs(lines[0].args[0] - moves[0].args[0]), 1);
    // Zoom-linked dots: table radius times the zoom, on screen and paper.
    view->zoom = 2.0;
    platform::RecordingDc screen, paper(1000, 1000, 600, true);
    view->DrawTerminatorScaled(screen, 1, 0, 0, 0, Red, 0, 10, 10, 20, 10);
    view->DrawTerminatorScaled(paper, 1, 0, 0, 0, Red, 0, 10, 10, 20, 10);
    const auto a = Only(screen.Records(), "Ellipse"), b = Only(paper.Records(), "Ellipse");
    ASSERT_EQ(a.size(), 1u);
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(a[0].args[2] - a[0].args[0], 8);
    EXPECT_EQ(b[0].args, a[0].args);
}

TEST_F(DrawDimensionTest, FixedSizeTerminatorNeedsAVisibleTip)
{
    platform::RecordingDc dc;
    view->DrawTerminator(dc, 3, 0, 0, 0, Red, 0, -1, 100, 100, 100);
    EXPECT_TRUE(dc.Records().empty());
    view->DrawTerminatorScaled(dc, 3, 0, 0, 0, Red, 0, -1, 100, 100, 100);
    EXPECT_EQ(dc.Count("LineTo"), 2);
}

TEST_F(DrawDimensionTest, RefusedRecords)
{
    platform::RecordingDc dc;
    // A point code beyond the forty points a dimension holds: nothing.
    std::vector<int16_t> codes = {30, 31, 32, 10, 11, 12, 13, 14, 15, 16, 18, 19, 21, 22, 40, 41, 440, 441};
    std::vector<double> values = {0, 0, 0, 100, 10, 0, 1110, 11122, 10, 10, 10, 10, 0, 0, 100, 100, 200, 100};
    CEntity tooMany = Loose(0, codes, values);
    view->DrawDimension(dc, &tooMany, 0);
    EXPECT_TRUE(dc.Records().empty());

    // One measuring point: no terminators.
    codes.resize(16);
    values.resize(16);
    CEntity single = Loose(0, codes, values);
    view->DrawDimension(dc, &single, 0);
    EXPECT_TRUE(dc.Records().empty());

    // A perimeter record without its second point.
    CEntity perimeter = Loose(3, {30, 31, 32, 10, 11, 12, 13, 14, 40, 41}, {0, 0, 0, 100, 10, 0, 1110, 11122, 100, 100});
    view->DrawDimension(dc, &perimeter, 0);
    EXPECT_TRUE(dc.Records().empty());
}

TEST_F(DrawDimensionTest, AngleTerminatorsFollowTheArcTangents)
{
    // Arc about (150, 100), radius 50, from 0 to 90 degrees: ends at
    // (200, 100) and (150, 150).
    AddDimension(6, 33322);
    const auto records = Record();
    const auto atStart = BarbsFrom(records, 200, 200);
    const auto atEnd = BarbsFrom(records, 150, 150);
    ASSERT_EQ(atStart.size(), 2u);
    ASSERT_EQ(atEnd.size(), 2u);
    // The start arrow points down (away from the arc), its barbs above it.
    for (const auto& b : atStart)
        EXPECT_LT(b.y, 200);
    // The end arrow points left, its barbs to the right.
    for (const auto& b : atEnd)
        EXPECT_GT(b.x, 150);
}

} // namespace
