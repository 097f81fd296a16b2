// DXF files as other programs write them: paper space, meshes, kinds we do
// not read, and texts in the encodings of their versions and code pages.

#include "DxfTestSupport.h"
#include "EncodingTestSupport.h"

#include "exchange/DxfFile.h"
#include "exchange/ImportReport.h"
#include "model/EntityList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace dxftest;

namespace {

const std::vector<Group> kLine = {{0, "LINE"}, {10, "1"}, {20, "2"}, {11, "3"}, {21, "4"}};

std::vector<Group> Concat(std::vector<Group> a, const std::vector<Group>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A polyface mesh: four corner vertices (flags 64 + 128) and one face record
// (flag 128 only, no position of its own).
std::vector<Group> PolyfaceMesh(int flags)
{
    std::vector<Group> g = {{0, "POLYLINE"}, {66, "1"}, {10, "0"}, {20, "0"}, {70, std::to_string(flags)}};
    const char* corners[4][2] = {{"10", "10"}, {"20", "10"}, {"20", "20"}, {"10", "20"}};
    for (auto& c : corners) {
        g.push_back({0, "VERTEX"});
        g.push_back({10, c[0]});
        g.push_back({20, c[1]});
        g.push_back({70, "192"});
    }
    g.insert(g.end(), {{0, "VERTEX"}, {10, "0"}, {20, "0"}, {70, "128"}, {71, "1"}, {72, "2"}, {73, "3"}});
    g.push_back({0, "SEQEND"});
    return g;
}

} // namespace

TEST(DxfForeignReadTest, WhatIsNotReadIsCounted)
{
    struct Case {
        const char* what;
        std::vector<Group> entities;
        int entitiesRead;
        std::vector<std::pair<std::string, int>> report;
    };
    const Case cases[] = {
        {"paper-space line", Concat({{0, "LINE"}, {67, "1"}, {10, "0"}, {20, "0"}, {11, "297"}, {21, "0"}}, kLine), 1,
         {{PaperSpaceLabel, 1}}},
        {"model-space line says so", Concat({{0, "LINE"}, {67, "0"}, {10, "0"}, {20, "0"}, {11, "5"}, {21, "0"}}, kLine),
         2, {}},
        {"paper-space kind not read", {{0, "MTEXT"}, {67, "1"}, {10, "0"}, {20, "0"}}, 0, {{PaperSpaceLabel, 1}}},
        {"paper-space polyline",
         {{0, "POLYLINE"}, {67, "1"}, {0, "VERTEX"}, {10, "0"}, {20, "0"}, {0, "VERTEX"}, {10, "5"}, {20, "0"},
          {0, "SEQEND"}},
         0, {{PaperSpaceLabel, 1}}},
        {"polyface mesh", PolyfaceMesh(64), 0, {{MeshLabel, 1}}},
        {"polygon mesh", PolyfaceMesh(16), 0, {{MeshLabel, 1}}},
        {"only kinds not read",
         {{0, "LWPOLYLINE"}, {90, "2"}, {10, "0"}, {20, "0"}, {10, "5"}, {20, "5"}, {0, "MTEXT"}, {1, "x"},
          {0, "LWPOLYLINE"}, {10, "1"}, {20, "1"}, {0, "DIMENSION"}, {10, "1"}},
         0, {{"LWPOLYLINE", 2}, {"MTEXT", 1}, {"DIMENSION", 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CEntityList list;
        CDxfFile dxf;
        ASSERT_EQ(dxf.ReadText(EntitiesFile(c.entities), list), DxfReadOk);
        EXPECT_EQ(static_cast<int>(Entities(list).size()), c.entitiesRead);
        EXPECT_EQ(dxf.Report.items, c.report);
    }
}

TEST(DxfForeignReadTest, FaceRecordsNeverBecomeVertices)
{
    // A polyline that does not say it is a mesh but carries a face record:
    // no line runs to the face record's (0, 0).
    std::vector<Group> g = PolyfaceMesh(1);
    CEntityList list;
    CDxfFile dxf;
    ASSERT_EQ(dxf.ReadText(EntitiesFile(g), list), DxfReadOk);
    auto all = Entities(list);
    ASSERT_EQ(all.size(), 4u);  // the closed square
    for (const CEntity* e : all)
        for (double v : e->values) EXPECT_GE(v, 10.0);
}

TEST(DxfForeignReadTest, SectionsAfterTheEntitiesAreNotCounted)
{
    const std::string file = EntitiesFile(kLine) + Groups({{0, "SECTION"}, {2, "OBJECTS"}, {0, "DICTIONARY"},
                                                           {0, "LAYOUT"}, {0, "ENDSEC"}, {0, "EOF"}});
    CEntityList list;
    CDxfFile dxf;
    ASSERT_EQ(dxf.ReadText(file, list), DxfReadOk);
    EXPECT_EQ(Entities(list).size(), 1u);
    EXPECT_TRUE(dxf.Report.Empty());
}

TEST(DxfForeignReadTest, TextsAreDecodedByVersionAndCodePage)
{
    enctest::Converters converters;
    // "日本語テキスト" in UTF-8 and in code page 932.
    const std::string utf8 = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x83\x86\xE3\x82\xAD\xE3\x82\xB9\xE3\x83\x88";
    const std::string cp932 = "\x93\xfa\x96\x7b\x8c\xea\x83\x65\x83\x4c\x83\x58\x83\x67";
    struct Case {
        const char* what;
        std::vector<Group> header;
        std::string text;
        std::string expected;
        int unconvertible;
    };
    const Case cases[] = {
        {"R2018 is UTF-8", {{9, "$ACADVER"}, {1, "AC1032"}}, utf8, cp932, 0},
        {"R2007 is UTF-8 whatever the code page", {{9, "$ACADVER"}, {1, "AC1021"}, {9, "$DWGCODEPAGE"}, {3, "ANSI_1252"}},
         "15\xC2\xB0", "15\x81\x8B", 0},
        {"escape in a UTF-8 file", {{9, "$ACADVER"}, {1, "AC1032"}}, "15\\U+00B0", "15\x81\x8B", 0},
        {"R2000 with code page 932", {{9, "$ACADVER"}, {1, "AC1015"}, {9, "$DWGCODEPAGE"}, {3, "ANSI_932"}}, cp932,
         cp932, 0},
        {"code page 932 with an escape", {{9, "$ACADVER"}, {1, "AC1015"}, {9, "$DWGCODEPAGE"}, {3, "ANSI_932"}},
         cp932 + "\\U+00B0", cp932 + "\x81\x8B", 0},
        {"a backslash as a second byte is no escape", {}, "\x83\x5CU+0041", "\x83\x5CU+0041", 0},
        {"no header at all is code page 932", {}, cp932, cp932, 0},
        {"code page 1252", {{9, "$ACADVER"}, {1, "AC1015"}, {9, "$DWGCODEPAGE"}, {3, "ANSI_1252"}}, "45\xB0",
         "45\x81\x8B", 0},
        {"a character code page 932 lacks", {{9, "$ACADVER"}, {1, "AC1032"}}, "a\xC4\x80" "b\\U+0101?", "a?b??", 2},
        {"broken UTF-8", {{9, "$ACADVER"}, {1, "AC1032"}}, "a\xE6\x97", "a??", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CEntityList list;
        CDxfFile dxf;
        ASSERT_EQ(dxf.ReadText(EntitiesFile({{0, "TEXT"}, {10, "1"}, {20, "2"}, {40, "3"}, {1, c.text}}, c.header),
                               list),
                  DxfReadOk);
        ASSERT_NE(list.first, nullptr);
        EXPECT_EQ(list.first->text, c.expected);
        EXPECT_EQ(dxf.Report.CountOf(UnconvertibleLabel), c.unconvertible);
    }
}

TEST(DxfForeignReadTest, TextWidthsSurviveTheRoundTrip)
{
    struct Case {
        double height, width;
    };
    const Case cases[] = {{100, 20}, {3, 1.5}, {2.5, 2.5}, {10, 35}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        CEntityList original;
        const int16_t codes[] = {10, 20, 30, 40, 50};
        const double values[] = {5, 6, c.height, c.width, 0};
        ASSERT_EQ(original.AddEntity(EntityHeader{EntityType::Text, 0, 0, 0, 5}, codes, 0, values, "abc"), 0);
        std::string written;
        CDxfFile writer;
        writer.WriteText(written, original.first);
        CEntityList back;
        CDxfFile reader;
        ASSERT_EQ(reader.ReadText(written, back), DxfReadOk);
        ASSERT_NE(back.first, nullptr);
        EXPECT_DOUBLE_EQ(back.first->values[2], c.height);
        EXPECT_NEAR(back.first->values[3], c.width, 1e-9 * c.width);
    }
}
