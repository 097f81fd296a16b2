// A drawing holding every entity kind, written as DXF and read back by an
// independent reader (ezdxf, run by Debian's interpreter): the audit finds no
// errors, and ezdxf lists the geometry we wrote with the Japanese texts
// decoded.

#include "DxfTestSupport.h"

#include "exchange/DxfFile.h"
#include "model/Entity.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using namespace dxftest;
namespace fs = std::filesystem;

namespace {

constexpr const char* kPython = "/usr/bin/python3";

bool HaveEzdxf()
{
    return std::system((std::string(kPython) + " -c 'import ezdxf' >/dev/null 2>&1").c_str()) == 0;
}

std::string RunCommand(const std::string& command)
{
    std::string out;
    FILE* p = popen(command.c_str(), "r");
    if (!p) return out;
    char buf[4096];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    pclose(p);
    return out;
}

// Entities linked by hand into one chain, as a writer sees them.
class Chain {
public:
    CEntity& Add(int16_t type, int16_t subtype, int16_t style, std::vector<int16_t> codes, std::vector<double> values,
                 std::string text = {})
    {
        CEntity& e = items_.emplace_back();
        e.type = type;
        e.subtype = subtype;
        e.style = style;
        e.codes = std::move(codes);
        e.values = std::move(values);
        e.count = static_cast<int16_t>(e.values.size());
        e.text = std::move(text);
        e.font = DefaultTextFont;
        if (items_.size() > 1) {
            CEntity& before = items_[items_.size() - 2];
            before.next = &e;
            e.previous = &before;
        }
        return e;
    }
    const CEntity* first() const { return items_.empty() ? nullptr : &items_.front(); }

private:
    std::deque<CEntity> items_;
};

// One entity as ezdxf lists it: its kind, layer, line type, numbers and text.
struct Listed {
    std::string kind, layer, lineType, text;
    std::vector<double> numbers;
};

std::vector<Listed> ParseListing(const std::string& listing)
{
    std::vector<Listed> out;
    std::istringstream in(listing);
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            fields.push_back(line.substr(start, tab - start));
        fields.push_back(line.substr(start));
        if (fields.size() < 4) continue;
        Listed l{fields[0], fields[1], fields[2], fields[3], {}};
        for (std::size_t i = 4; i < fields.size(); ++i) l.numbers.push_back(std::stod(fields[i]));
        out.push_back(l);
    }
    return out;
}

// The same listing made from our own records of the written file.
std::vector<Listed> ListRecords(const std::string& written)
{
    std::vector<Listed> out;
    std::vector<Group> groups;
    DxfLineReader lines(written);
    std::string_view c, v;
    while (lines.Next(c) && lines.Next(v)) groups.push_back({DxfCodeValue(c), std::string(v)});
    bool inEntities = false;
    std::map<int, std::string> rec;
    std::string kind;
    auto flush = [&] {
        if (kind.empty()) return;
        auto num = [&](int code) { return rec.count(code) ? DxfRealValue(rec[code]) : 0.0; };
        Listed l{kind, rec.count(8) ? rec[8] : "0", rec.count(6) ? rec[6] : "BYLAYER", "", {}};
        if (kind == "LINE") l.numbers = {num(10), num(20), num(11), num(21)};
        else if (kind == "POINT") l.numbers = {num(10), num(20)};
        else if (kind == "CIRCLE") l.numbers = {num(10), num(20), num(40)};
        else if (kind == "ARC") l.numbers = {num(10), num(20), num(40), num(50), num(51)};
        else if (kind == "ELLIPSE") l.numbers = {num(10), num(20), num(11), num(21), num(40), num(41), num(42)};
        else if (kind == "TEXT") l.numbers = {num(10), num(20), num(40), num(50), num(41)};
        out.push_back(l);
        kind.clear();
        rec.clear();
    };
    for (const Group& g : groups) {
        if (g.first == 2 && g.second == "ENTITIES") inEntities = true;
        if (!inEntities) continue;
        if (g.first == 0) {
            flush();
            if (g.second != "SECTION" && g.second != "ENDSEC" && g.second != "EOF") kind = g.second;
        } else {
            rec[g.first] = g.second;
        }
    }
    flush();
    return out;
}

} // namespace

TEST(DxfEzdxfWriteTest, EveryKindIsReadBackByAnotherReader)
{
    if (!HaveEzdxf()) GTEST_SKIP() << "ezdxf is not installed";
    Chain chain;
    chain.Add(EntityType::Point, 0, 0, {10, 20}, {150.5, 60.25});
    chain.Add(EntityType::Line, 0, 203, {10, 20, 11, 22}, {0.1, 0.2, 1e5 / 3, -7.7});
    chain.Add(EntityType::Circle, 0, 1, {10, 20, 40}, {1.0 / 3, 2.0 / 3, 12.345678901234});
    chain.Add(EntityType::Arc, 1, 102, {10, 20, 40, 50, 51}, {5, 6, 7, 12.5, 300.25});
    chain.Add(EntityType::Arc, -1, 304, {10, 20, 40, 50, 51}, {5, 6, 7, 90, 0});
    chain.Add(EntityType::Ellipse, 1, 0, {10, 20, 60, 61, 62}, {3, 4, 20, 10, 30});
    chain.Add(EntityType::Ellipse, 1, 0, {10, 20, 60, 61, 62}, {3, 4, 10, 20, 0});  // taller than wide
    chain.Add(EntityType::EllipticArc, 1, 0, {10, 20, 60, 61, 62, 50, 51}, {3, 4, 20, 10, 30, 45, 200});
    chain.Add(EntityType::EllipticArc, -1, 0, {10, 20, 60, 61, 62, 50, 51}, {3, 4, 20, 10, 30, 200, 45});
    // "図面データ" and "寸法" in code page 932.
    chain.Add(EntityType::Text, 0, 5, {10, 20, 30, 40, 50}, {9.5, 8.25, 3.5, 7, 45.5},
              "\x90\x7d\x96\xca\x83\x66\x81\x5b\x83\x5e");
    chain.Add(EntityType::Curve, 0, 2, {10, 20, 10, 20, 10, 20, 10, 20}, {0, 0, 10, 10, 20, 0, 30, 10});
    chain.Add(EntityType::FreehandCurve, 0, 2, {}, {0, 0, 1, 1, 2, 0});
    chain.Add(EntityType::Polygon, 0, 6, {}, {0, 0, 10, 0, 10, 10, 0, 10});
    chain.Add(EntityType::LeaderText, 3, 7, {10, 20, 30, 40, 50, 10, 20, 10, 20, 10, 20},
              {40, 40, 2.5, 2.5, 0, 20, 20, 30, 30, 40, 30}, "\x90\xa1\x96\x40");
    chain.Add(EntityType::Dimension, 0, 3, {14, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 40, 41, 50, 51},
              {13311, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 50, 0});
    chain.Add(EntityType::Hatch, 1, 4, {1, 0, 0, 60, 61, 62, 63, 50, 51, 52}, {2.5, 2.5, 0, 90, -10, 110, 10, 100, 0, 10});
    chain.Add(EntityType::GroupHeader, 0, 0, {}, {});
    chain.Add(EntityType::HorizontalInfiniteLine, 0, 0, {10, 20}, {0, 0});

    const fs::path folder = TempFolder("orvik-dxf-ezdxf-write");
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path file = folder / "every.dxf";
    CDxfFile dxf;
    dxf.LtScale = 2;
    dxf.ExtMax[0] = 1682;
    dxf.ExtMax[1] = 1188;
    dxf.OriginX = 10;
    dxf.OriginY = -5;
    ASSERT_EQ(dxf.Write(file, chain.first()), DxfWriteOk);
    std::string written;
    dxf.WriteText(written, chain.first());

    const std::string audit = RunCommand(std::string(kPython) + " -m ezdxf audit " + file.string() + " 2>&1");
    EXPECT_NE(audit.find("No errors found."), std::string::npos) << audit;

    const fs::path script = folder / "list.py";
    std::ofstream(script) << R"(import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
for e in doc.modelspace():
    t = e.dxftype()
    d = e.dxf
    if t == "LINE": n = [d.start.x, d.start.y, d.end.x, d.end.y]
    elif t == "POINT": n = [d.location.x, d.location.y]
    elif t == "CIRCLE": n = [d.center.x, d.center.y, d.radius]
    elif t == "ARC": n = [d.center.x, d.center.y, d.radius, d.start_angle, d.end_angle]
    elif t == "ELLIPSE": n = [d.center.x, d.center.y, d.major_axis.x, d.major_axis.y, d.ratio, d.start_param, d.end_param]
    elif t == "TEXT": n = [d.insert.x, d.insert.y, d.height, d.rotation, d.width]
    else: n = []
    text = d.text if t == "TEXT" else ""
    lt = d.linetype if d.hasattr("linetype") else "BYLAYER"
    print("\t".join([t, d.layer, lt, text] + [repr(float(v)) for v in n]))
)";
    const std::string listing = RunCommand(std::string(kPython) + " " + script.string() + " " + file.string());
    const std::vector<Listed> theirs = ParseListing(listing);
    const std::vector<Listed> ours = ListRecords(written);
    ASSERT_EQ(theirs.size(), ours.size()) << listing;
    ASSERT_GT(ours.size(), 30u);
    std::map<std::string, int> kinds;
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < ours.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(theirs[i].kind, ours[i].kind);
        EXPECT_EQ(theirs[i].layer, ours[i].layer);
        EXPECT_EQ(theirs[i].lineType, ours[i].lineType);
        ASSERT_EQ(theirs[i].numbers.size(), ours[i].numbers.size());
        for (std::size_t k = 0; k < ours[i].numbers.size(); ++k)
            EXPECT_NEAR(theirs[i].numbers[k], ours[i].numbers[k], 1e-9 * (1 + std::fabs(ours[i].numbers[k])));
        ++kinds[ours[i].kind];
        if (!theirs[i].text.empty()) texts.push_back(theirs[i].text);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"図面データ", "寸法"}));
    EXPECT_EQ(kinds["POINT"], 1);
    EXPECT_EQ(kinds["CIRCLE"], 3);  // the circle and the dimension's dot
    EXPECT_EQ(kinds["ARC"], 2);
    EXPECT_EQ(kinds["ELLIPSE"], 4);
    EXPECT_EQ(kinds["TEXT"], 2);
    EXPECT_GT(kinds["LINE"], 1 + 14 + 2 + 3 + 2 + 2 + 4 + 5);  // hatch spans come on top

    // The first ones, as values: the point moved by the origin, the clockwise
    // arc as its counter-clockwise twin.
    EXPECT_EQ(theirs[0].numbers, (std::vector<double>{140.5, 65.25}));
    EXPECT_EQ(theirs[1].layer, "PEN4");
    EXPECT_EQ(theirs[1].lineType, "DASHED");
    EXPECT_EQ(theirs[4].numbers[3], 0.0);
    EXPECT_EQ(theirs[4].numbers[4], 90.0);
    // The text's width as a factor of its height.
    for (const Listed& l : theirs) {
        if (l.kind == "TEXT" && l.text == "図面データ") {
            EXPECT_EQ(l.numbers[4], 2.0);
        }
    }
    fs::remove_all(folder);
}
