#include "DxfTestSupport.h"

#include "exchange/DxfFile.h"
#include "model/EntityList.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace dxftest;
namespace fs = std::filesystem;

namespace {

// The groups of a written file, and the records of its ENTITIES section.
std::vector<Group> ParseGroups(const std::string& text)
{
    std::vector<Group> groups;
    DxfLineReader lines(text);
    std::string_view code, value;
    while (lines.Next(code) && lines.Next(value)) groups.push_back({DxfCodeValue(code), std::string(value)});
    return groups;
}

struct Record {
    std::string name;
    std::vector<Group> groups;
    std::string Get(int code) const
    {
        for (const Group& g : groups)
            if (g.first == code) return g.second;
        return "<none>";
    }
    double Num(int code) const { return DxfRealValue(Get(code)); }
    bool Has(int code) const { return Get(code) != "<none>"; }
};

std::vector<Record> EntityRecords(const std::string& text)
{
    std::vector<Record> records;
    bool inEntities = false;
    for (const Group& g : ParseGroups(text)) {
        if (g.first == 2 && g.second == "ENTITIES") {
            inEntities = true;
            continue;
        }
        if (!inEntities) continue;
        if (g.first == 0) {
            if (g.second == "ENDSEC") break;
            records.push_back({g.second, {}});
        } else if (!records.empty()) {
            records.back().groups.push_back(g);
        }
    }
    return records;
}

void Add(CEntityList& list, int16_t type, int16_t subtype, int16_t style, std::vector<int16_t> codes,
         std::vector<double> values, std::string_view text = {})
{
    EntityHeader h{type, subtype, style, 0, static_cast<int16_t>(values.size())};
    ASSERT_EQ(list.AddEntity(h, codes.empty() ? nullptr : codes.data(), 0, values.data(), text, DefaultTextFont), 0);
}

std::string WriteList(CDxfFile& dxf, const CEntityList& list)
{
    std::string out;
    dxf.WriteText(out, list.first);
    return out;
}

} // namespace

TEST(DxfWriteTest, EmptyChainAndFileForm)
{
    CDxfFile dxf;
    dxf.LtScale = 100;
    dxf.ExtMax[0] = 42000;
    dxf.ExtMax[1] = 29700.25;
    std::string out;
    dxf.WriteText(out, nullptr);

    // CR LF everywhere, codes right-aligned in three characters.
    EXPECT_EQ(out.substr(0, 22), "  0\r\nSECTION\r\n  2\r\nHEA");
    for (std::size_t i = out.find('\n'); i != std::string::npos; i = out.find('\n', i + 1))
        ASSERT_EQ(out[i - 1], '\r') << "at " << i;
    EXPECT_NE(out.find("\r\n999\r\n"), std::string::npos);
    EXPECT_NE(out.find("  9\r\n$LTSCALE\r\n 40\r\n100\r\n"), std::string::npos);
    EXPECT_NE(out.find("  9\r\n$EXTMAX\r\n 10\r\n42000\r\n 20\r\n29700.25\r\n"), std::string::npos);
    EXPECT_NE(out.find("  9\r\n$ACADVER\r\n  1\r\nAC1009\r\n"), std::string::npos);
    EXPECT_NE(out.find("  9\r\n$DWGCODEPAGE\r\n  3\r\nANSI_932\r\n"), std::string::npos);
    EXPECT_NE(out.find("  2\r\nLTYPE\r\n 70\r\n5\r\n"), std::string::npos);
    EXPECT_NE(out.find("  2\r\nLAYER\r\n 70\r\n8\r\n"), std::string::npos);
    EXPECT_NE(out.find("  2\r\nSTYLE\r\n 70\r\n1\r\n"), std::string::npos);
    const std::string tail = "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
    ASSERT_GE(out.size(), tail.size());
    EXPECT_EQ(out.substr(out.size() - tail.size()), tail);
}

TEST(DxfWriteTest, PensAndLineTypesBecomeLayersAndLineTypes)
{
    struct Case {
        int16_t style;
        const char* layer;
        const char* lineType;
    };
    const Case cases[] = {{203, "PEN4", "DASHED"}, {7, "PEN8", "CONTINUOUS"}, {500, "PEN1", "CONTINUOUS"},
                          {100, "PEN1", "HIDDEN"}, {304, "PEN5", "CENTER"},   {409, "PEN1", "PHANTOM"}};
    for (const Case& c : cases) {
        CEntityList list;
        Add(list, EntityType::Line, 0, c.style, {10, 20, 11, 22}, {0, 0, 1, 1});
        CDxfFile dxf;
        auto records = EntityRecords(WriteList(dxf, list));
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].Get(8), c.layer) << c.style;
        EXPECT_EQ(records[0].Get(6), c.lineType) << c.style;
    }
}

TEST(DxfWriteTest, RecordsOfTheSimpleKinds)
{
    CEntityList list;
    Add(list, EntityType::Point, 0, 0, {10, 20}, {150, 60});
    Add(list, EntityType::Arc, -1, 0, {10, 20, 40, 50, 51}, {100, 50, 10, 90, 0});
    Add(list, EntityType::Ellipse, 1, 0, {10, 20, 60, 61, 62}, {100, 50, 20, 10, 90});
    Add(list, EntityType::Text, 0, 0, {10, 20, 30, 40, 50}, {110, 55, 3.5, 7, 30}, "a\r\nb");
    Add(list, EntityType::Polygon, 0, 101, {}, {0, 0, 10, 0, 10, 10, 0, 10});
    Add(list, EntityType::Polygon, 0, 101, {}, {5, 5});
    Add(list, EntityType::FreehandCurve, 0, 101, {}, {0, 0, 1, 1, 2, 0});
    CDxfFile dxf;
    dxf.OriginX = 100;
    dxf.OriginY = 50;
    auto r = EntityRecords(WriteList(dxf, list));
    ASSERT_EQ(r.size(), 4u + 3u + 2u);

    EXPECT_EQ(r[0].name, "POINT");
    EXPECT_EQ(r[0].Num(10), 50.0);
    EXPECT_EQ(r[0].Num(20), 10.0);

    EXPECT_EQ(r[1].name, "ARC");  // clockwise 90 → 0 as counter-clockwise 0 → 90
    EXPECT_EQ(r[1].Num(50), 0.0);
    EXPECT_EQ(r[1].Num(51), 90.0);

    EXPECT_EQ(r[2].name, "ELLIPSE");
    EXPECT_NEAR(r[2].Num(11), 0.0, 1e-12);
    EXPECT_NEAR(r[2].Num(21), 20.0, 1e-12);
    EXPECT_EQ(r[2].Num(40), 0.5);
    EXPECT_EQ(r[2].Num(41), 0.0);
    EXPECT_NEAR(r[2].Num(42), 6.28318530718, 1e-11);

    EXPECT_EQ(r[3].name, "TEXT");
    EXPECT_EQ(r[3].Get(1), "a  b");
    EXPECT_EQ(r[3].Num(40), 3.5);
    EXPECT_EQ(r[3].Num(50), 30.0);
    EXPECT_EQ(r[3].Get(7), "BIGFONT");

    for (int i = 4; i < 7; ++i) EXPECT_EQ(r[static_cast<std::size_t>(i)].name, "LINE");  // polygon: no closing side
    EXPECT_EQ(r[6].Num(10), -90.0);
    EXPECT_EQ(r[6].Num(21), -40.0);
    EXPECT_EQ(r[6].Get(6), "HIDDEN");
    EXPECT_EQ(r[7].Num(11), -99.0);  // freehand curve: one LINE per step
    EXPECT_EQ(r[8].Num(11), -98.0);
}

TEST(DxfWriteTest, CurveSamplesAndTerminators)
{
    {
        CEntityList list;
        Add(list, EntityType::Curve, 0, 0, {10, 20, 10, 20, 10, 20}, {0, 0, 10, 10, 20, 0});
        Add(list, EntityType::Curve, 0, 0, {10, 20}, {5, 5});
        CDxfFile dxf;
        auto r = EntityRecords(WriteList(dxf, list));
        ASSERT_EQ(r.size(), 10u);
        EXPECT_EQ(r[0].Num(10), 0.0);  // from the first control point itself
        EXPECT_EQ(r[0].Num(20), 0.0);
        EXPECT_NEAR(r[4].Num(10), r[4].Num(11), 1e-12);  // first of the second segment has length 0
        EXPECT_NEAR(r[4].Num(20), r[4].Num(21), 1e-12);
        EXPECT_EQ(r[9].Num(11), 20.0);  // the last one reaches the last control point
        EXPECT_EQ(r[9].Num(21), 0.0);
        for (std::size_t i = 1; i < r.size(); ++i) {
            EXPECT_EQ(r[i].Num(10), r[i - 1].Num(11));
            EXPECT_EQ(r[i].Num(20), r[i - 1].Num(21));
        }
    }
    {
        // A leader text of kind 1 (dot) at scale 100: circles of 200 and 100.
        CEntityList list;
        Add(list, EntityType::LeaderText, 1, 2, {10, 20, 30, 40, 50, 10, 20, 10, 20}, {0, 0, 5, 5, 0, 10, 10, 30, 10},
            "X");
        Add(list, EntityType::LeaderText, 0, 2, {10, 20, 30, 40, 50, 10, 20, 10, 20, 10, 20},
            {0, 0, 5, 5, 0, 10, 10, 30, 10, 30, 40}, "Y");
        CDxfFile dxf;
        dxf.LtScale = 100;
        auto r = EntityRecords(WriteList(dxf, list));
        ASSERT_EQ(r.size(), 4u + 3u);
        EXPECT_EQ(r[0].name, "TEXT");
        EXPECT_FALSE(r[0].Has(6));
        EXPECT_EQ(r[1].name, "LINE");
        EXPECT_EQ(r[2].name, "CIRCLE");
        EXPECT_EQ(r[2].Num(40), 200.0);
        EXPECT_EQ(r[3].Num(40), 100.0);
        EXPECT_EQ(r[2].Num(10), 10.0);
        EXPECT_FALSE(r[2].Has(8));
        EXPECT_EQ(r[4].name, "TEXT");  // kind 0: no terminator, a second leader line
        EXPECT_EQ(r[5].name, "LINE");
        EXPECT_EQ(r[6].name, "LINE");
        EXPECT_EQ(r[6].Num(21), 40.0);
    }
    {
        // Arrowheads from P away from D; size indexes beyond the table clamp.
        CDxfFile dxf;
        dxf.LtScale = 1;
        struct Case {
            int kind, arrowSize;
            std::vector<double> angles;
            double length;
        };
        const Case cases[] = {{2, 0, {-150}, 4}, {3, 1, {-150, 150}, 6}, {4, 4, {-30, 30}, 12},
                              {3, 9, {-150, 150}, 12}, {0, 1, {}, 0}, {5, 1, {}, 0}};
        for (const Case& c : cases) {
            std::string out;
            dxf.WriteArrowhead(out, c.kind, 1, c.arrowSize, 3, 0, 0, -10, 0);
            auto groups = ParseGroups(out);
            std::vector<Record> r;
            for (const Group& g : groups) {
                if (g.first == 0) r.push_back({g.second, {}});
                else r.back().groups.push_back(g);
            }
            ASSERT_EQ(r.size(), c.angles.size()) << c.kind;
            for (std::size_t i = 0; i < r.size(); ++i) {
                const double a = c.angles[i] * std::numbers::pi / 180;
                EXPECT_EQ(r[i].Get(8), "PEN4");
                EXPECT_NEAR(r[i].Num(11), c.length * std::cos(a), 1e-12);
                EXPECT_NEAR(r[i].Num(21), c.length * std::sin(a), 1e-12);
            }
        }
    }
}

TEST(DxfWriteTest, WhatIsLeftOutAndSelection)
{
    CEntityList list;
    Add(list, EntityType::Point, 0, 0, {10, 20}, {1, 1});
    Add(list, EntityType::Point, 0, 0, {10, 20}, {2, 2});
    Add(list, EntityType::Point, 0, 0, {10, 20}, {3, 3});
    Add(list, EntityType::InfiniteLine, 0, 0, {10, 20, 11, 21}, {0, 0, 1, 1});
    Add(list, EntityType::Point, 0, 0, {10, 20}, {4, 4});
    auto all = Entities(list);
    const_cast<CEntity*>(all[1])->state = EntityState::Deleted;
    const_cast<CEntity*>(all[2])->state = EntityState::Marked;
    const_cast<CEntity*>(all[4])->state = EntityState::Marked;
    {
        CDxfFile dxf;
        auto r = EntityRecords(WriteList(dxf, list));
        ASSERT_EQ(r.size(), 3u);
        EXPECT_EQ(r[0].Num(10), 1.0);
        EXPECT_EQ(r[1].Num(10), 3.0);
        EXPECT_EQ(r[2].Num(10), 4.0);
    }
    {
        CDxfFile dxf;
        dxf.SelectedOnly = 1;
        auto r = EntityRecords(WriteList(dxf, list));
        ASSERT_EQ(r.size(), 2u);
        EXPECT_EQ(r[0].Num(10), 3.0);
        EXPECT_EQ(r[1].Num(10), 4.0);
    }
}

TEST(DxfWriteTest, LongTextsAreCutOnACharacterBoundary)
{
    std::string text(254, 'a');
    text += "\x82\xa0";  // bytes 254 and 255: would split at 255
    text += std::string(50, 'b');
    CEntityList list;
    Add(list, EntityType::Text, 0, 0, {10, 20, 30, 40, 50}, {0, 0, 3, 3, 0}, text);
    Add(list, EntityType::Text, 0, 0, {10, 20, 30, 40, 50}, {0, 0, 3, 3, 0}, "\x8a\x0a");  // a broken character before a line end
    CDxfFile dxf;
    auto r = EntityRecords(WriteList(dxf, list));
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].Get(1), std::string(254, 'a'));
    EXPECT_EQ(r[1].Get(1), "\x8a ");
}

TEST(DxfWriteTest, WrittenEntitiesReadBackEqual)
{
    CEntityList list;
    Add(list, EntityType::Point, 0, 0, {10, 20}, {150.125, 60.1});
    Add(list, EntityType::Line, 0, 203, {10, 20, 11, 22}, {0.1, 0.2, 1e5 / 3, -7.7});
    Add(list, EntityType::Circle, 0, 0, {10, 20, 40}, {1.0 / 3, 2.0 / 3, 12.345678901234});
    Add(list, EntityType::Arc, 1, 0, {10, 20, 40, 50, 51}, {5, 6, 7, 12.5, 300.25});
    Add(list, EntityType::Arc, -1, 0, {10, 20, 40, 50, 51}, {5, 6, 7, 90, 0});
    Add(list, EntityType::Ellipse, 1, 0, {10, 20, 60, 61, 62}, {3, 4, 20, 10, 30});
    Add(list, EntityType::EllipticArc, 1, 0, {10, 20, 60, 61, 62, 50, 51}, {3, 4, 20, 10, 30, 45, 200});
    Add(list, EntityType::EllipticArc, -1, 0, {10, 20, 60, 61, 62, 50, 51}, {3, 4, 20, 10, 30, 200, 45});
    Add(list, EntityType::Text, 0, 0, {10, 20, 30, 40, 50}, {9.5, 8.25, 3.5, 3.5, 45.5}, "\x90\x7d\x96\xca-1");
    CDxfFile dxf;
    dxf.OriginX = 210.5;
    dxf.OriginY = 148.25;
    dxf.LtScale = 2;
    std::string out = WriteList(dxf, list);

    CEntityList back;
    CDxfFile reader;
    ASSERT_EQ(reader.ReadText(out, back), DxfReadOk);
    EXPECT_EQ(reader.LtScale, 2.0);
    auto a = Entities(list);
    auto b = Entities(back);
    ASSERT_EQ(b.size(), a.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(b[i]->type, a[i]->type);
        ASSERT_EQ(b[i]->values.size(), a[i]->values.size());
        std::vector<double> expected = a[i]->values.ToVector();
        if (a[i]->type == EntityType::Arc || a[i]->type == EntityType::EllipticArc) {
            if (a[i]->subtype == -1) std::swap(expected[expected.size() - 2], expected[expected.size() - 1]);
        }
        const double origin[2] = {210.5, 148.25};
        for (std::size_t k = 0; k < expected.size(); ++k) {
            double got = b[i]->values[k];
            bool coordinate = k < 2 || (a[i]->type == EntityType::Line && k < 4);
            if (coordinate) got += origin[k % 2];
            EXPECT_NEAR(got, expected[k], 1e-9) << "value " << k;
        }
        EXPECT_EQ(b[i]->text, a[i]->text);
    }
}

TEST(DxfWriteTest, AFileThatCannotBeWrittenLeavesTheTargetAsItWas)
{
    const fs::path folder = TempFolder("orvik-dxf-write");
    fs::remove_all(folder);
    fs::create_directories(folder / "taken");
    CEntityList list;
    Add(list, EntityType::Point, 0, 0, {10, 20}, {1, 1});
    CDxfFile dxf;
    EXPECT_EQ(dxf.Write(folder / "missing" / "a.dxf", list.first), DxfWriteFailed);
    EXPECT_EQ(dxf.Write(folder / "taken", list.first), DxfWriteFailed);
    EXPECT_TRUE(fs::is_directory(folder / "taken"));

    const fs::path file = folder / "a.dxf";
    std::ofstream(file) << "old";
    ASSERT_EQ(dxf.Write(file, list.first), DxfWriteOk);
    std::ifstream in(file, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes.substr(0, 5), "  0\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2);  // no temporary left
    fs::remove_all(folder);
}
