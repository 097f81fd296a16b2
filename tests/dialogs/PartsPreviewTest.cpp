// The parts palette's preview: extents and reference point, the fit, the
// drawing of each entity type and the size line, read off a recording
// surface.

#include "dialogs/PartsPreview.h"

#include "model/EntityKinds.h"
#include "model/GeometryCircles.h"
#include "model/EntityTransform.h"
#include "model/Settings.h"
#include "platform/RecordingDc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <cstring>
#include <string>
#include <vector>

namespace {

using platform::DcRecord;
using platform::RecordingDc;

// A pane whose drawing area (one pixel inside) is 100 x 100 pixels.
constexpr platform::Rect Pane{0, 0, 102, 102};
constexpr platform::Rect SizeLine{0, 0, 200, 20};

class PartsPreviewTest : public ::testing::Test {
protected:
    void SetUp() override { preview.parts = &part; }

public:
    // Builders, for the tables' lambdas too.

    CEntity* Add(int16_t type, std::initializer_list<double> values, int16_t subtype = 0, std::string text = {},
                 int16_t style = 0, COLORREF colour = 0)
    {
        auto record = MakeRecord(type, values, subtype);
        EXPECT_TRUE(record.has_value()) << "type " << type;
        if (!record)
            return nullptr;
        record->header.style = style;
        record->colour = colour;
        record->text = std::move(text);
        return AddEntityCopy(part, *record);
    }
    void AddLine(double x1, double y1, double x2, double y2) { Add(EntityType::Line, {x1, y1, x2, y2}); }
    // A leader text of 9 or 11 values, whatever its shape.
    CEntity* AddLeader(std::vector<double> values, int16_t subtype, std::string text)
    {
        const int16_t codes[] = {10, 20, 30, 40, 50, 60, 61, 70, 71, 80, 81};
        EntityHeader header{EntityType::LeaderText, subtype, 0, 0, int16_t(values.size())};
        return part.AddEntity(header, codes, 0, values.data(), text, {}) == 0 ? part.last : nullptr;
    }

    // A fill: outline colour bits and a spare value, then its items.
    CEntity* AddFill(int16_t items, std::vector<int16_t> itemCodes, std::vector<double> itemValues, int16_t style = 0,
                     COLORREF outline = 0x0000FF, COLORREF colour = 0x00FF00)
    {
        double bits = 0.0;
        const uint64_t raw = outline;
        std::memcpy(&bits, &raw, sizeof bits);
        std::vector<int16_t> codes{0, 0};
        std::vector<double> values{bits, 0.0};
        codes.insert(codes.end(), itemCodes.begin(), itemCodes.end());
        values.insert(values.end(), itemValues.begin(), itemValues.end());
        EntityHeader header{EntityType::Fill, items, style, 0, int16_t(values.size())};
        return part.AddEntity(header, codes.data(), colour, values.data()) == 0 ? part.last : nullptr;
    }

protected:
    std::vector<DcRecord> Paint()
    {
        RecordingDc dc(200, 200);
        preview.PaintPreviewPane(dc, Pane);
        return dc.Records();
    }

    static std::vector<DcRecord> Only(const std::vector<DcRecord>& records, const std::string& op)
    {
        std::vector<DcRecord> out;
        std::copy_if(records.begin(), records.end(), std::back_inserter(out),
                     [&](const DcRecord& r) { return r.op == op; });
        return out;
    }
    // The x and y ranges of every point the part's lines reached.
    static std::array<long long, 4> LineBox(const std::vector<DcRecord>& records)
    {
        std::array<long long, 4> box{1 << 30, 1 << 30, -(1 << 30), -(1 << 30)};
        for (const DcRecord& r : records)
            if (r.op == "MoveTo" || r.op == "LineTo") {
                box[0] = std::min(box[0], r.args[0]);
                box[1] = std::min(box[1], r.args[1]);
                box[2] = std::max(box[2], r.args[0]);
                box[3] = std::max(box[3], r.args[1]);
            }
        return box;
    }

    CEntityList part;
    CPartsPreview preview;
};

TEST_F(PartsPreviewTest, RectangleFillsEightyPercentAndIsCentred)
{
    AddLine(0, 0, 100, 0);
    AddLine(100, 0, 100, 50);
    AddLine(100, 50, 0, 50);
    AddLine(0, 50, 0, 0);
    const auto records = Paint();
    EXPECT_EQ(preview.paneHeight, 100);
    const auto box = LineBox(records);
    EXPECT_EQ(box[2] - box[0], 80);
    // Left and right margins alike; the 40 pixels of height in the middle.
    EXPECT_EQ(box[0], 10);
    EXPECT_EQ(100 - box[2], 10);
    EXPECT_NEAR(double(box[3] - box[1]), 40.0, 1.0);
    EXPECT_NEAR((box[1] + box[3]) / 2.0, 50.0, 1.0);
    // The pane is white and clipped one pixel inside the control.
    const auto fills = Only(records, "FillRect");
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(std::vector<long long>(fills[0].args.begin(), fills[0].args.begin() + 4),
              (std::vector<long long>{1, 1, 101, 101}));
    EXPECT_EQ(Only(records, "IntersectClipRect").at(0).args, (std::vector<long long>{1, 1, 101, 101}));
}

TEST_F(PartsPreviewTest, SizeLineFollowsTheScaleField)
{
    AddLine(0, 0, 100, 50);
    Paint();
    struct Case {
        double scale;
        const char* text;
    };
    for (const Case& c : {Case{1.0, "作図サイズ： 横幅 100 　縦幅 50"}, Case{2.0, "作図サイズ： 横幅 200 　縦幅 100"}}) {
        RecordingDc dc;
        preview.DrawInfoPane(dc, SizeLine, c.scale);
        const auto texts = Only(dc.Records(), "TextOut");
        ASSERT_EQ(texts.size(), 1u) << c.scale;
        EXPECT_EQ(texts[0].text, QString::fromUtf8(c.text));
        EXPECT_EQ(texts[0].args, (std::vector<long long>{5, 5}));
    }
}

TEST_F(PartsPreviewTest, FlatPartKeepsThePreviousExtentsAndShowsNoSize)
{
    preview.minX = -5;
    preview.minY = -6;
    preview.maxX = 7;
    preview.maxY = 8;
    PartsBaseX = 11;
    PartsBaseY = 12;
    AddLine(0, 0, 100, 0.04);
    EXPECT_FALSE(preview.CalcPartsExtents());
    EXPECT_EQ(preview.minX, -5);
    EXPECT_EQ(preview.maxY, 8);
    EXPECT_EQ(PartsBaseX, 11);
    EXPECT_EQ(PartsBaseY, 12);

    // After a load the extents are 0, so the size line stays blank.
    preview.minX = preview.minY = preview.maxX = preview.maxY = 0;
    const auto records = Paint();
    RecordingDc dc;
    preview.DrawInfoPane(dc, SizeLine, 1.0);
    EXPECT_EQ(dc.Count("TextOut"), 0);
    // The line itself is still fitted from its own extents.
    const auto box = LineBox(records);
    EXPECT_EQ(box[2] - box[0], 80);
}

TEST_F(PartsPreviewTest, PartWithoutSizeDrawsNothing)
{
    struct Case {
        const char* name;
        std::function<void(PartsPreviewTest&)> build;
    };
    const Case cases[] = {
        {"point", [](PartsPreviewTest& t) { t.Add(EntityType::Point, {5, 5}); }},
        {"zero line", [](PartsPreviewTest& t) { t.AddLine(3, 3, 3, 3); }},
        {"infinite line only", [](PartsPreviewTest& t) { t.Add(EntityType::HorizontalInfiniteLine, {0, 0, 10, 0}); }},
    };
    for (const Case& c : cases) {
        part.RemoveAll();
        c.build(*this);
        const auto records = Paint();
        for (const char* op : {"MoveTo", "LineTo", "Rectangle", "Polyline", "Polygon", "Ellipse", "Arc", "TextOut"})
            EXPECT_EQ(Only(records, op).size(), 0u) << c.name << " " << op;
    }
}

TEST_F(PartsPreviewTest, EmptyBufferClearsTheExtents)
{
    preview.minX = 1;
    preview.maxX = 9;
    preview.maxY = 9;
    const auto records = Paint();
    EXPECT_EQ(preview.minX, 0);
    EXPECT_EQ(preview.maxX, 0);
    EXPECT_EQ(preview.maxY, 0);
    EXPECT_EQ(Only(records, "FillRect").size(), 1u);
}

TEST_F(PartsPreviewTest, ReferencePointByBase)
{
    struct Case {
        int16_t base;
        double x, y;
    };
    for (const Case& c : {Case{0, 50, 25}, Case{1, 0, 0}, Case{2, 0, 50}, Case{7, -1, -2}}) {
        part.RemoveAll();
        AddLine(0, 0, 100, 50);
        PartsBase = c.base;
        PartsBaseX = -1;
        PartsBaseY = -2;
        ASSERT_TRUE(preview.CalcPartsExtents());
        EXPECT_EQ(PartsBaseX, c.x) << c.base;
        EXPECT_EQ(PartsBaseY, c.y) << c.base;
    }
}

TEST_F(PartsPreviewTest, ExtentsByType)
{
    struct Case {
        const char* name;
        std::function<void(PartsPreviewTest&)> build;
        double minX, minY, maxX, maxY;
    };
    const Case cases[] = {
        // Four characters of height 10 reach 20 beyond x; a double-byte
        // character counts as one.
        {"text", [](PartsPreviewTest& t) { t.Add(EntityType::Text, {5, 0, 10, 10, 0}, 0, "abcd"); }, 5, 0, 25, 10},
        {"double-byte text",
         [](PartsPreviewTest& t) { t.Add(EntityType::Text, {5, 0, 10, 10, 0}, 0, "ab\x82\xa0" "c"); }, 5, 0, 25, 10},
        {"arc takes its whole circle",
         [](PartsPreviewTest& t) { t.Add(EntityType::Arc, {10, 10, 5, 0, 90}, 1); }, 5, 5, 15, 15},
        {"freehand counts though not drawn",
         [](PartsPreviewTest& t) {
             t.Add(EntityType::FreehandCurve, {0, 0, 200, 100});
             t.AddLine(0, 0, 10, 10);
         },
         0, 0, 200, 100},
        {"leader points",
         [](PartsPreviewTest& t) {
             t.AddLeader({0, 0, 10, 10, 0, -30, -40, 10, 10}, 210, "ab");
         },
         -30, -40, 10, 10},
        {"polygon vertices", [](PartsPreviewTest& t) { t.Add(EntityType::Polygon, {0, 0, 30, 0, 30, 20}); }, 0, 0,
         30, 20},
    };
    for (const Case& c : cases) {
        part.RemoveAll();
        c.build(*this);
        ASSERT_TRUE(preview.CalcPartsExtents()) << c.name;
        EXPECT_NEAR(preview.minX, c.minX, 1e-9) << c.name;
        EXPECT_NEAR(preview.minY, c.minY, 1e-9) << c.name;
        EXPECT_NEAR(preview.maxX, c.maxX, 1e-9) << c.name;
        EXPECT_NEAR(preview.maxY, c.maxY, 1e-9) << c.name;
    }
}

TEST_F(PartsPreviewTest, ArcsByAnglesAndDirection)
{
    // Centre (0, 0), radius 50: the fit puts the centre at pane (50, 50)
    // and the radius at 40 pixels.
    struct Case {
        double start, end;
        int16_t subtype;
        bool full;
        platform::Point from, to;
    };
    const Case cases[] = {
        {0, 360, 1, true, {}, {}},
        {360, 0, -1, true, {}, {}},
        {45.2, 45.9, 1, true, {}, {}},
        // Counter-clockwise from the start angle to the end angle...
        {0, 90, 1, false, {90, 50}, {50, 10}},
        // ...or, for the other direction, from the end angle to the start.
        {0, 90, -1, false, {50, 10}, {90, 50}},
    };
    for (const Case& c : cases) {
        part.RemoveAll();
        Add(EntityType::Arc, {0, 0, 50, c.start, c.end}, c.subtype);
        const auto arcs = Only(Paint(), "Arc");
        ASSERT_EQ(arcs.size(), 1u);
        const auto& a = arcs[0].args;
        EXPECT_EQ(a[0], 10);
        EXPECT_EQ(a[2], 90);
        if (c.full) {
            EXPECT_EQ(a[4], a[6]) << c.start << ".." << c.end;
            EXPECT_EQ(a[5], a[7]) << c.start << ".." << c.end;
        } else {
            EXPECT_NEAR(double(a[4]), c.from.x, 1) << c.start << ".." << c.end;
            EXPECT_NEAR(double(a[5]), c.from.y, 1);
            EXPECT_NEAR(double(a[6]), c.to.x, 1);
            EXPECT_NEAR(double(a[7]), c.to.y, 1);
        }
    }
}

TEST_F(PartsPreviewTest, EllipticArcAcrossZeroTakesTheShortWay)
{
    Add(EntityType::EllipticArc, {0, 0, 100, 50, 0, 350, 10});
    const auto lines = Only(Paint(), "Polyline");
    ASSERT_EQ(lines.size(), 1u);
    const auto& pts = lines[0].args;
    const std::size_t n = pts.size() / 2;
    // The directions -10 and 10 degrees are the parameters -0.34 and 0.34
    // on this ellipse: about 0.68 radian in steps of 0.01, not 5.6.
    EXPECT_GE(n, 67u);
    EXPECT_LE(n, 69u);
    // Every point on the right of the centre (pane x 50), below the centre
    // first and above it at the end.
    for (std::size_t i = 0; i < n; ++i)
        EXPECT_GT(pts[2 * i], 80) << i;
    EXPECT_GT(pts[1], 50);
    EXPECT_LT(pts[pts.size() - 1], 50);
}

TEST_F(PartsPreviewTest, FullEllipseIsOnePolylineAroundTheCentre)
{
    Add(EntityType::Ellipse, {0, 0, 100, 50, 0});
    const auto lines = Only(Paint(), "Polyline");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].args.size() / 2, 629u);  // t = 0, 0.01, ... 6.28
}

TEST_F(PartsPreviewTest, FillsByFirstElement)
{
    // Fills and hatches take no part in the extents: a line gives them.
    AddLine(-50, -50, 100, 50);
    // A hatched fill whose first element is a circle: one filled circle.
    ASSERT_NE(AddFill(1, {50, 20, 40}, {0, 0, 50}, 300), nullptr);
    auto records = Paint();
    EXPECT_EQ(Only(records, "Ellipse").size(), 1u);
    EXPECT_EQ(Only(records, "Polygon").size(), 0u);
    const auto brushes = Only(records, "SelectBrush");
    ASSERT_FALSE(brushes.empty());
    EXPECT_EQ(brushes[0].args, (std::vector<long long>{int(platform::BrushStyle::Hatched), 0x00FF00,
                                                        int(platform::HatchStyle::Cross)}));
    const auto pens = Only(records, "SelectPen");
    EXPECT_TRUE(std::any_of(pens.begin(), pens.end(), [](const DcRecord& r) { return r.args[2] == 0x0000FF; }))
        << "outline colour";

    // A fill over four vertices: one polygon of four points, solid.
    part.RemoveAll();
    AddLine(-50, -50, 100, 50);
    ASSERT_NE(AddFill(4, {10, 20, 10, 20, 10, 20, 10, 20}, {0, 0, 100, 0, 100, 50, 0, 50}), nullptr);
    records = Paint();
    const auto polygons = Only(records, "Polygon");
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0].args.size(), 8u);
    EXPECT_EQ(Only(records, "SelectBrush").at(0).args[0], int(platform::BrushStyle::Solid));

    // An arc element between two vertices becomes its points every 6
    // degrees; an ellipse element ends the outline.
    part.RemoveAll();
    AddLine(-50, -50, 100, 50);
    AddFill(5, {10, 20, 0, 20, 40, 10, 20, 10, 20, 70, 20, 30, 40, 50, 10, 20},
            {0, 0, 50, 0, 50, 100, 0, 0, 0, 0, 0, 10, 5, 0, 100, 0});
    records = Paint();
    const auto arcFill = Only(records, "Polygon");
    ASSERT_EQ(arcFill.size(), 1u);
    // (0,0), the half circle about (50,0) from (100,0) to (0,0) in steps of
    // 6 degrees, (0,0) again; the ellipse element and the vertex after it
    // add nothing.
    const auto arc = ArcToPolyline(1, 100, 0, 0, 0, 50, 0, 50, 6.0);
    ASSERT_GE(arc.count, 31);
    EXPECT_EQ(arcFill[0].args.size() / 2, 1u + std::size_t(arc.count) + 1u);
}

TEST_F(PartsPreviewTest, LeaderShoulderByShapeAndValueCount)
{
    struct Case {
        int16_t subtype;
        bool withShoulderPoint;
        int lines;
    };
    for (const Case& c : {Case{210, true, 2}, Case{200, true, 1}, Case{210, false, 1}}) {
        part.RemoveAll();
        if (c.withShoulderPoint)
            ASSERT_NE(AddLeader({0, 0, 10, 10, 0, -30, -40, 10, 10, 40, 10}, c.subtype, "ab"), nullptr);
        else
            ASSERT_NE(AddLeader({0, 0, 10, 10, 0, -30, -40, 10, 10}, c.subtype, "ab"), nullptr);
        const auto records = Paint();
        EXPECT_EQ(Only(records, "LineTo").size(), std::size_t(c.lines)) << c.subtype;
        EXPECT_EQ(Only(records, "TextOut").size(), 1u);
    }
}

TEST_F(PartsPreviewTest, TextFontFollowsTheFit)
{
    // 100 x 50 of lines, so 1.25 units a pixel; a text of height 25 at an
    // angle of 30 degrees.
    AddLine(0, 0, 100, 50);
    Add(EntityType::Text, {0, 0, 25, 25, 30}, 0, "ab");
    const auto records = Paint();
    const auto fonts = Only(records, "SelectFont");
    ASSERT_FALSE(fonts.empty());
    EXPECT_EQ(fonts[0].args[0], 20);
    EXPECT_EQ(fonts[0].args[1], 10);
    EXPECT_EQ(fonts[0].args[2], 300);
    EXPECT_EQ(fonts[0].args[6], 128);
    EXPECT_EQ(Only(records, "TextOut").at(0).text, QString("ab"));
}

TEST_F(PartsPreviewTest, LineTypeChoosesThePen)
{
    struct Case {
        int16_t style;
        platform::PenStyle pen;
    };
    for (const Case& c : {Case{0, platform::PenStyle::Solid}, Case{100, platform::PenStyle::Dot},
                          Case{205, platform::PenStyle::Dash}, Case{300, platform::PenStyle::DashDot},
                          Case{400, platform::PenStyle::DashDotDot}, Case{600, platform::PenStyle::Solid}}) {
        part.RemoveAll();
        Add(EntityType::Line, {0, 0, 100, 50}, 0, {}, c.style, 0x123456);
        const auto pens = Only(Paint(), "SelectPen");
        ASSERT_FALSE(pens.empty());
        EXPECT_EQ(pens[0].args[0], int(c.pen)) << c.style;
        EXPECT_EQ(pens[0].args[1], 1);
        EXPECT_EQ(pens[0].args[2], 0x123456);
    }
}

TEST_F(PartsPreviewTest, CurveRunsFromFirstToLastControlPoint)
{
    Add(EntityType::Curve, {0, 0, 50, 50, 100, 0});
    const auto lines = Only(Paint(), "Polyline");
    ASSERT_EQ(lines.size(), 1u);
    const auto& p = lines[0].args;
    // Two segments of n + 2 = 5 samples and the closing point.
    EXPECT_EQ(p.size() / 2, 11u);
    EXPECT_EQ(p[0], 10);
    EXPECT_EQ(p[p.size() - 2], 90);
    EXPECT_EQ(p[1], p[p.size() - 1]);
}

TEST_F(PartsPreviewTest, PolygonIsStrokedAsOnePath)
{
    Add(EntityType::Polygon, {0, 0, 100, 0, 100, 50, 0, 50});
    const auto lines = Paint();
    EXPECT_EQ(Only(lines, "BeginPath").size(), 1u);
    EXPECT_EQ(Only(lines, "LineTo").size(), 3u);
    EXPECT_EQ(Only(lines, "StrokePath").size(), 1u);
}

} // namespace
