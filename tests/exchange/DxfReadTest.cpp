#include "DxfTestSupport.h"

#include "exchange/DxfFile.h"
#include "model/EntityList.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

using namespace dxftest;
namespace fs = std::filesystem;

namespace {

const std::vector<Group> kLine = {{0, "LINE"}, {8, "0"},  {10, "1.5"}, {20, "2.5"}, {30, "0"},
                                  {11, "10"},  {21, "-4"}, {31, "0"}};

std::vector<Group> Concat(std::vector<Group> a, const std::vector<Group>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<Group> Polyline(int vertices, bool closed)
{
    std::vector<Group> g = {{0, "POLYLINE"}, {8, "0"}, {66, "1"}, {10, "0"}, {20, "0"}, {70, closed ? "1" : "0"}};
    for (int i = 0; i < vertices; ++i) {
        g.push_back({0, "VERTEX"});
        g.push_back({8, "0"});
        g.push_back({10, std::to_string(i * 10)});
        g.push_back({20, std::to_string(i % 2)});
    }
    g.push_back({0, "SEQEND"});
    return g;
}

std::vector<Group> Ellipse(const std::string& ratio, const std::string& start, const std::string& end)
{
    return {{0, "ELLIPSE"}, {8, "0"}, {10, "5"}, {20, "6"}, {30, "0"}, {11, "0"},
            {21, "20"},     {31, "0"}, {40, ratio}, {41, start}, {42, end}};
}

} // namespace

TEST(DxfReadTest, MinimalLineInEveryLineEnd)
{
    for (const char* eol : {"\n", "\r\n"}) {
        SCOPED_TRACE(eol[0] == '\r' ? "CR LF" : "LF");
        CEntityList list;
        CDxfFile dxf;
        ASSERT_EQ(dxf.ReadText(EntitiesFile(kLine, {}, eol), list), DxfReadOk);
        auto all = Entities(list);
        ASSERT_EQ(all.size(), 1u);
        const CEntity& e = *all[0];
        EXPECT_EQ(e.type, EntityType::Line);
        EXPECT_EQ(e.subtype, 0);
        EXPECT_EQ(e.layer, 0);
        EXPECT_EQ(e.style, 0);
        EXPECT_EQ(e.colour, 0u);
        EXPECT_EQ(e.codes, (std::vector<int16_t>{10, 20, 11, 22}));
        EXPECT_EQ(e.values, (std::vector<double>{1.5, 2.5, 10, -4}));
        EXPECT_EQ(dxf.EntityCount, 1);
    }
}

TEST(DxfReadTest, LineTypeGroupGivesTheStyleWordExceptForEllipses)
{
    struct Case {
        std::vector<Group> entity;
        int style;
    };
    const Case cases[] = {
        {Concat(kLine, {{6, "DASHED"}}), 200},
        {Concat(kLine, {{6, "CENTER"}}), 300},
        {Concat(kLine, {{6, "PHANTOM"}}), 400},
        {Concat(kLine, {{6, "HIDDEN"}}), 100},
        {Concat(kLine, {{6, "BORDER"}}), 0},
        {Concat(kLine, {{6, "dashed"}}), 0},
        {Concat(Ellipse("0.5", "0", "6.28318530718"), {{6, "HIDDEN"}}), 0},
    };
    for (const Case& c : cases) {
        CEntityList list;
        CDxfFile dxf;
        ASSERT_EQ(dxf.ReadText(EntitiesFile(c.entity), list), DxfReadOk);
        ASSERT_NE(list.first, nullptr);
        EXPECT_EQ(list.first->style, c.style);
    }
}

TEST(DxfReadTest, PolylinesBecomeLinesClosedOnlyWhenFlagged)
{
    struct Case {
        int vertices;
        bool closed;
        std::size_t lines;
    };
    const Case cases[] = {{3, false, 2}, {3, true, 3}, {60, false, 59}, {60, true, 60}, {1, true, 0}, {0, false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.vertices) + (c.closed ? " closed" : " open"));
        CEntityList list;
        CDxfFile dxf;
        ASSERT_EQ(dxf.ReadText(EntitiesFile(Concat(Polyline(c.vertices, c.closed), kLine)), list), DxfReadOk);
        auto all = Entities(list);
        ASSERT_EQ(all.size(), c.lines + 1);  // the LINE after SEQEND is read too
        for (std::size_t i = 0; i + 1 < all.size(); ++i) {
            const std::size_t from = i, to = (i + 1) % static_cast<std::size_t>(c.vertices);
            EXPECT_EQ(all[i]->type, EntityType::Line);
            EXPECT_EQ(all[i]->values, (std::vector<double>{from * 10.0, from % 2 * 1.0, to * 10.0, to % 2 * 1.0}));
        }
        EXPECT_EQ(all.back()->values[0], 1.5);
    }
}

TEST(DxfReadTest, PolylineLineTypesAndLostSequenceEnd)
{
    // The polyline's own group 6 goes to its first vertex; a vertex's own to it.
    std::vector<Group> g = {{0, "POLYLINE"}, {6, "DASHED"}, {70, "1"},     {0, "VERTEX"}, {10, "0"}, {20, "0"},
                            {0, "VERTEX"},   {6, "CENTER"}, {10, "5"},     {20, "0"},     {0, "VERTEX"},
                            {10, "5"},       {20, "5"},     {0, "SEQEND"}};
    CEntityList list;
    CDxfFile dxf;
    ASSERT_EQ(dxf.ReadText(EntitiesFile(g), list), DxfReadOk);
    auto all = Entities(list);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0]->style, 200);
    EXPECT_EQ(all[1]->style, 300);
    EXPECT_EQ(all[2]->style, 300);  // closing line: the style of the line before it
    EXPECT_EQ(dxf.EntityCount, 1);

    // No SEQEND before the end of the file: nothing.
    std::string cut = Groups({{0, "SECTION"}, {2, "ENTITIES"}}) +
                      Groups({{0, "POLYLINE"}, {0, "VERTEX"}, {10, "1"}, {20, "1"}, {0, "VERTEX"}, {10, "2"}});
    CEntityList none;
    CDxfFile dxf2;
    EXPECT_EQ(dxf2.ReadText(cut, none), DxfReadOk);
    EXPECT_EQ(none.first, nullptr);
}

TEST(DxfReadTest, EllipsesBecomeEllipsesOrArcsWithDirections)
{
    struct Case {
        const char* ratio;
        const char* start;
        const char* end;
        int16_t type;
    };
    const Case cases[] = {
        {"0.5", "0", "6.28318530718", EntityType::Ellipse},
        {"0.5", "0", "6.283185", EntityType::EllipticArc},  // the end truncates to 359 degrees
        {"0.5", "0.5", "6.28318530718", EntityType::Ellipse},
        {"0.5", "0", "6.283185307179586", EntityType::Ellipse},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.start) + " " + c.end);
        CEntityList list;
        CDxfFile dxf;
        ASSERT_EQ(dxf.ReadText(EntitiesFile(Ellipse(c.ratio, c.start, c.end)), list), DxfReadOk);
        ASSERT_NE(list.first, nullptr);
        const CEntity& e = *list.first;
        EXPECT_EQ(e.type, c.type);
        EXPECT_EQ(e.subtype, 1);
        ASSERT_GE(e.values.size(), 5u);
        EXPECT_EQ(e.values[0], 5.0);
        EXPECT_EQ(e.values[1], 6.0);
        EXPECT_DOUBLE_EQ(e.values[2], 20.0);
        EXPECT_DOUBLE_EQ(e.values[3], 10.0);
        EXPECT_DOUBLE_EQ(e.values[4], 90.0);
    }

    // Parameters of the unflattened circle become directions of the model.
    CEntityList list;
    CDxfFile dxf;
    const double t0 = std::numbers::pi / 4;
    std::vector<Group> arc = {{0, "ELLIPSE"}, {10, "0"},  {20, "0"}, {11, "20"}, {21, "0"},
                              {40, "0.5"},    {41, "0.7853981633974483"}, {42, "3.141592653589793"}};
    ASSERT_EQ(dxf.ReadText(EntitiesFile(arc), list), DxfReadOk);
    ASSERT_NE(list.first, nullptr);
    const CEntity& e = *list.first;
    ASSERT_EQ(e.type, EntityType::EllipticArc);
    EXPECT_EQ(e.codes, (std::vector<int16_t>{10, 20, 60, 61, 62, 50, 51}));
    EXPECT_NEAR(e.values[5], std::atan2(0.5 * std::sin(t0), std::cos(t0)) * 180 / std::numbers::pi, 1e-9);
    EXPECT_NEAR(e.values[6], 180.0, 1e-9);
}

TEST(DxfReadTest, TextWidthIsTheHeightTimesTheFactor)
{
    struct Case {
        const char* factor;  // null: no group 41
        double width;
    };
    const Case cases[] = {{"0.5", 1.5}, {"2", 6.0}, {nullptr, 3.0}, {"0", 3.0}, {"-1", 3.0}, {"0.75", 2.25}};
    const std::string text = "\x90\x7d\x96\xca A";  // cp932 bytes
    for (const Case& c : cases) {
        SCOPED_TRACE(c.factor ? c.factor : "none");
        std::vector<Group> g = {{0, "TEXT"}, {10, "7"}, {20, "8"}, {40, "3"}, {1, text}, {50, "30"}};
        if (c.factor) g.push_back({41, c.factor});
        CEntityList list;
        CDxfFile dxf;
        ASSERT_EQ(dxf.ReadText(EntitiesFile(g), list), DxfReadOk);
        ASSERT_NE(list.first, nullptr);
        const CEntity& e = *list.first;
        EXPECT_EQ(e.type, EntityType::Text);
        EXPECT_EQ(e.values, (std::vector<double>{7, 8, 3, c.width, 30}));
        EXPECT_EQ(e.text, text);
        EXPECT_EQ(e.font, DefaultTextFont);
    }
}

TEST(DxfReadTest, HeaderVariables)
{
    struct Case {
        std::vector<Group> header;
        double ltScale;
    };
    const Case cases[] = {
        {{}, 100.0},
        {{{9, "$LTSCALE"}, {40, "0"}}, 100.0},
        {{{9, "$LTSCALE"}, {40, "0.0005"}}, 100.0},
        {{{9, "$LTSCALE"}, {40, "-5"}}, 100.0},
        {{{9, "$LTSCALE"}, {40, "2.5"}}, 2.5},
        {{{9, "$LTSCALE"}, {40, "  +50x"}}, 50.0},
    };
    for (const Case& c : cases) {
        CEntityList list;
        CDxfFile dxf;
        ASSERT_EQ(dxf.ReadText(EntitiesFile(kLine, c.header), list), DxfReadOk);
        EXPECT_EQ(dxf.LtScale, c.ltScale);
    }

    // The code line that ends a point is consumed and the next name still seen.
    CEntityList list;
    CDxfFile dxf;
    ASSERT_EQ(dxf.ReadText(EntitiesFile(kLine, {{9, "$EXTMIN"}, {10, "1"}, {20, "2"}, {30, "3"},
                                            {9, "$EXTMAX"}, {10, "841"}, {20, "594"},
                                            {9, "$LIMMIN"}, {20, "-7"},
                                            {9, "$LIMMAX"}, {10, "inf"}, {20, "9"},
                                            {9, "$LTSCALE"}, {40, "3"}}),
                       list),
              DxfReadOk);
    EXPECT_EQ((std::vector<double>(dxf.ExtMin, dxf.ExtMin + 3)), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ((std::vector<double>(dxf.ExtMax, dxf.ExtMax + 3)), (std::vector<double>{841, 594, 0}));
    EXPECT_EQ((std::vector<double>(dxf.LimMin, dxf.LimMin + 3)), (std::vector<double>{0, -7, 0}));
    EXPECT_EQ((std::vector<double>(dxf.LimMax, dxf.LimMax + 3)), (std::vector<double>{0, 9, 0}));
    EXPECT_EQ(dxf.LtScale, 3.0);
}

TEST(DxfReadTest, ValuesGoByTheirGroupCodes)
{
    struct Case {
        const char* what;
        std::vector<Group> entity;
        int type;
        std::vector<double> values;
    };
    const Case cases[] = {
        {"line as 10, 11, 20, 21", {{0, "LINE"}, {10, "1.5"}, {11, "2.0"}, {20, "0"}, {21, "0"}},
         EntityType::Line, {1.5, 0, 2, 0}},
        {"line with thickness, elevation and line-type scale first",
         {{0, "LINE"}, {48, "2"}, {39, "4"}, {38, "7"}, {10, "0"}, {20, "0"}, {30, "0"}, {11, "100"}, {21, "0"}},
         EntityType::Line, {0, 0, 100, 0}},
        {"point with its z and an angle", {{0, "POINT"}, {30, "9"}, {50, "45"}, {20, "2"}, {10, "1"}},
         EntityType::Point, {1, 2}},
        {"circle with thickness", {{0, "CIRCLE"}, {39, "3"}, {40, "5"}, {10, "1"}, {20, "2"}},
         EntityType::Circle, {1, 2, 5}},
        {"arc in another order", {{0, "ARC"}, {51, "90"}, {50, "10"}, {40, "5"}, {39, "1"}, {20, "2"}, {10, "1"}},
         EntityType::Arc, {1, 2, 5, 10, 90}},
        {"a missing value is 0", {{0, "LINE"}, {11, "3"}, {21, "4"}}, EntityType::Line, {0, 0, 3, 4}},
        {"a repeated code keeps the last value", {{0, "POINT"}, {10, "1"}, {10, "5"}, {20, "2"}},
         EntityType::Point, {5, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CEntityList list;
        CDxfFile dxf;
        ASSERT_EQ(dxf.ReadText(EntitiesFile(c.entity), list), DxfReadOk);
        auto all = Entities(list);
        ASSERT_EQ(all.size(), 1u);
        EXPECT_EQ(all[0]->type, c.type);
        EXPECT_EQ(all[0]->values, c.values);
    }
}

TEST(DxfReadTest, WhatIsDroppedOrPassedOver)
{
    struct Case {
        const char* what;
        std::vector<Group> entity;
    };
    const Case cases[] = {
        {"name with a trailing blank", {{0, "LINE "}, {10, "1"}, {20, "1"}, {11, "2"}, {21, "2"}}},
        {"dimension", {{0, "DIMENSION"}, {10, "1"}, {20, "1"}}},
        {"vertex outside a polyline", {{0, "VERTEX"}, {10, "1"}, {20, "1"}}},
        {"unknown entity", {{0, "LWPOLYLINE"}, {10, "1"}, {20, "1"}}},
        {"infinite coordinate", {{0, "LINE"}, {10, "inf"}, {20, "1"}, {11, "2"}, {21, "2"}}},
        {"overflowing value", {{0, "CIRCLE"}, {10, "1"}, {20, "1"}, {40, "1e999"}}},
        {"not a number", {{0, "POINT"}, {10, "nan"}, {20, "1"}}},
        {"coordinate beyond the model", {{0, "POINT"}, {10, "1e300"}, {20, "1"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CEntityList list;
        CDxfFile dxf;
        ASSERT_EQ(dxf.ReadText(EntitiesFile(Concat(c.entity, kLine)), list), DxfReadOk);
        auto all = Entities(list);
        ASSERT_EQ(all.size(), 1u);
        EXPECT_EQ(all[0]->values[0], 1.5);
    }

    // Entities in BLOCKS, before ENTITIES, are never read.
    std::string blocks = Groups({{0, "SECTION"}, {2, "BLOCKS"}, {0, "BLOCK"}}) + Groups(kLine) +
                         Groups({{0, "ENDBLK"}, {0, "ENDSEC"}}) + EntitiesFile({{0, "POINT"}, {10, "1"}, {20, "2"}});
    CEntityList list;
    CDxfFile dxf;
    ASSERT_EQ(dxf.ReadText(blocks, list), DxfReadOk);
    auto all = Entities(list);
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0]->type, EntityType::Point);
}

TEST(DxfReadTest, LongLinesAndOddNumbers)
{
    // A 10,000-character value line: a text is kept up to 255 bytes, on a
    // character boundary; a number is read to its end.
    std::string longText(9999, 'a');
    longText.insert(254, "\x82\xa0");  // a double-byte character across byte 255
    std::string longNumber = "1" + std::string(9990, '0') + "e-9990";
    std::vector<Group> g = {{0, "TEXT"}, {10, "0"}, {20, "0"}, {40, "2"}, {1, longText},
                            {0, "POINT"}, {10, longNumber}, {20, "   -2.5e1 trailing"}};
    CEntityList list;
    CDxfFile dxf;
    ASSERT_EQ(dxf.ReadText(EntitiesFile(g), list), DxfReadOk);
    auto all = Entities(list);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0]->text, std::string(254, 'a'));
    EXPECT_EQ(all[1]->values, (std::vector<double>{1.0, -25.0}));

    struct Number {
        const char* text;
        double value;
    };
    const Number numbers[] = {{"", 0}, {"abc", 0}, {" \t12", 12}, {"+3.5", 3.5}, {"+-3", 0}, {"-0.25e2", -25},
                              {"1e-400", 0}, {".5", 0.5}, {"7.", 7}};
    for (const Number& n : numbers) EXPECT_EQ(DxfRealValue(n.text), n.value) << n.text;
    struct Code {
        const char* text;
        int value;
    };
    const Code codes[] = {{"  0", 0}, {" 10", 10}, {"999", 999}, {"-5", -5}, {"12abc", 12}, {"x", 0},
                          {"99999999999999", 2147483647}, {"-99999999999999", -2147483647 - 1}};
    for (const Code& c : codes) EXPECT_EQ(DxfCodeValue(c.text), c.value) << c.text;
}

TEST(DxfReadTest, RefusedFilesAddNothing)
{
    CEntityList list;
    {
        CDxfFile dxf;
        std::string noEntities = Groups({{0, "SECTION"}, {2, "HEADER"}, {9, "$EXTMAX"}, {10, "5"}, {0, "ENDSEC"}});
        EXPECT_EQ(dxf.ReadText(noEntities, list), DxfReadFailed);
        EXPECT_EQ(dxf.ExtMax[0], 5.0);
    }
    const fs::path folder = TempFolder("orvik-dxf-refused");
    fs::create_directories(folder);
    {
        CDxfFile dxf;
        EXPECT_EQ(dxf.Read(folder, list), DxfReadFailed);  // a directory
    }
    {
        CDxfFile dxf;
        EXPECT_EQ(dxf.Read(folder / "missing.dxf", list), DxfReadFailed);
    }
    {
        const fs::path file = folder / "one.dxf";
        std::ofstream(file, std::ios::binary) << EntitiesFile(kLine);
        CDxfFile dxf;
        EXPECT_EQ(dxf.Read(file, list), DxfReadOk);
    }
    fs::remove_all(folder);
    EXPECT_EQ(Entities(list).size(), 1u);
}
