#include "EncodingTestSupport.h"
#include "common/JwwTestSupport.h"

#include "exchange/JwwFile.h"
#include "model/EntityList.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

using namespace jwwtest;

namespace {

std::vector<const CEntity*> Entities(const CEntityList& list)
{
    std::vector<const CEntity*> out;
    for (const CEntity* e = list.first; e; e = e->next) out.push_back(e);
    return out;
}

// Reads a whole encoded file; the header must be accepted.
struct Read {
    CJwwReader reader;
    CEntityList list;
    explicit Read(const Encoder& e)
    {
        ArchiveReader a(e.bytes);
        header = reader.ReadJwwHeader(a);
        if (header == JwwHeaderOk) reader.ReadJwwEntities(a, list);
    }
    int header = -1;
};

constexpr double kPi = std::numbers::pi;

} // namespace

TEST(JwwReadTest, HeadersOfEveryVersionEndAtTheObjectList)
{
    for (uint32_t v : {230u, 300u, 351u, 420u, 700u}) {
        SCOPED_TRACE(v);
        Encoder e;
        e.Header(v, 2, 50.0, kColours);
        const std::size_t headerSize = e.bytes.size();
        e.Count(0);
        ArchiveReader a(e.bytes);
        CJwwReader reader;
        ASSERT_EQ(reader.ReadJwwHeader(a), JwwHeaderOk);
        EXPECT_EQ(a.position(), headerSize);
        EXPECT_EQ(reader.FileVersion, v);
        EXPECT_EQ(reader.CoordFactor, 50.0);
        EXPECT_EQ(reader.AreaMax[0], 594 * 50.0);
        EXPECT_EQ(reader.AreaMax[1], 420 * 50.0);
        EXPECT_EQ(reader.AreaMax[2], 6400.0);
        EXPECT_EQ(reader.JwwPenColors[9], 9u);
        CEntityList list;
        reader.ReadJwwEntities(a, list);
        EXPECT_EQ(list.first, nullptr);
        EXPECT_TRUE(reader.message.empty());
    }
}

TEST(JwwReadTest, HeaderRefusalsAndPaperAreas)
{
    struct Case {
        std::string magic;
        uint32_t version;
        int result;
    };
    const Case cases[] = {{"JwwData.", 200, 200}, {"JwwData.", 229, 229}, {"JwwData.", 0, JwwHeaderNotJww},
                          {"JwwData.", 10, JwwHeaderNotJww}, {"JwwDATA.", 230, JwwHeaderNotJww}};
    for (const Case& c : cases) {
        Encoder e;
        e.Raw(c.magic).Dword(c.version);
        ArchiveReader a(e.bytes);
        CJwwReader reader;
        EXPECT_EQ(reader.ReadJwwHeader(a), c.result) << c.version;
    }
    struct Paper {
        uint32_t code;
        double scale;
        double w, h, factor;
    };
    const Paper papers[] = {{0, 1, 1189, 840, 1}, {7, 2, 840, 594, 2}, {14, 1, 100000, 100000, 1},
                            {20, 1, 420, 297, 1}, {3, 0, 420, 297, 1}, {3, -5, 420, 297, 1},
                            {3, std::numeric_limits<double>::quiet_NaN(), 420, 297, 1}};
    for (const Paper& p : papers) {
        Encoder e;
        e.Header(230, p.code, p.scale, kColours).Count(0);
        Read r(e);
        ASSERT_EQ(r.header, JwwHeaderOk);
        EXPECT_EQ(r.reader.CoordFactor, p.factor);
        EXPECT_EQ(r.reader.AreaMax[0], p.w) << p.code;
        EXPECT_EQ(r.reader.AreaMax[1], p.h) << p.code;
    }
}

TEST(JwwReadTest, ClassReferencesFollowTheRunningIndex)
{
    // Line class 1, its object 2; circle class 3, object 4; 0x8001 is a line.
    Encoder e;
    e.Header(230, 3, 2.0, kColours).Count(4);
    e.Declare("CDataSen").Line(230, 1, 2, 3, 4);
    e.Declare("CDataEnko").Enko(230, 5, 6, 7, 0, 2 * kPi, 0, 1.0, 1);
    e.ClassRef(1).Line(230, 10, 20, 30, 40);
    e.ClassRef(3).Enko(230, 1, 1, 1, 0, 2 * kPi, 0, 1.0, 1);
    Read r(e);
    ASSERT_EQ(r.header, JwwHeaderOk);
    EXPECT_TRUE(r.reader.message.empty()) << r.reader.message;
    auto all = Entities(r.list);
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[0]->type, EntityType::Line);
    EXPECT_EQ(all[0]->values, (std::vector<double>{2, 4, 6, 8}));
    EXPECT_EQ(all[1]->type, EntityType::Circle);
    EXPECT_EQ(all[1]->values, (std::vector<double>{10, 12, 14}));
    EXPECT_EQ(all[2]->type, EntityType::Line);
    EXPECT_EQ(all[2]->values, (std::vector<double>{20, 40, 60, 80}));
    EXPECT_EQ(all[3]->type, EntityType::Circle);
}

TEST(JwwReadTest, LongStreamsUseTheBigForms)
{
    // 40,000 points, then a line class declared past index 0x7FFF and
    // referenced in the long form; more than 65,535 objects in all.
    constexpr uint32_t points = 40000, lines = 30000;
    Encoder e;
    e.Header(230, 3, 1.0, kColours).Count(points + lines);
    e.Declare("CDataTen").Ten(230, 0, 0);
    for (uint32_t i = 1; i < points; ++i) e.ClassRef(1).Ten(230, i, 0);
    const uint32_t lineClass = 1 + points + 1;  // class, objects, then the new class
    ASSERT_GT(lineClass, 0x7FFFu);
    e.Declare("CDataSen").Line(230, 0, 0, 1, 1);
    for (uint32_t i = 1; i < lines; ++i) e.ClassRef(lineClass).Line(230, 0, i, 1, 1);
    Read r(e);
    EXPECT_TRUE(r.reader.message.empty()) << r.reader.message;
    std::size_t n = 0, lineCount = 0;
    for (const CEntity* p = r.list.first; p; p = p->next, ++n)
        if (p->type == EntityType::Line) ++lineCount;
    EXPECT_EQ(n, points + lines);
    EXPECT_EQ(lineCount, lines);
    EXPECT_EQ(r.list.last->values[1], lines - 1.0);
}

TEST(JwwReadTest, ObjectKindsAndConversions)
{
    SetUtf16ToCp932Converter(enctest::IconvUtf16ToCp932);
    for (uint32_t v : {351u, 420u}) {
        SCOPED_TRACE(v);
        Encoder e;
        e.Header(v, 3, 1.0, kColours).Count(11);
        e.Declare("CDataTen").Ten(v, 1, 2, 100);  // pen style 100: code, angle and scale follow
        e.ClassRef(1).Ten(v, 3, 4);
        e.Declare("CDataEnko").Enko(v, 0, 0, 10, kPi / 6, -kPi / 2, 0, 1.0, 0);
        e.ClassRef(4).Enko(v, 0, 0, 10, kPi / 6, kPi / 2, kPi / 4, 0.5, 0, 12);
        e.Declare("CDataSolid").Prefix(v, 1, 10).Zeros(64).Dword(7);  // colour 10 carries a DWORD
        e.Declare("CDataBlock").Prefix(v, 1, 1).Zeros(40).Dword(1);
        e.Declare("CDataSen").Line(v, 0, 0, 5, 5, 3, 3, 2, 4);
        // "図" as UTF-16 behind the 0xFFFE mark; the font as plain bytes.
        e.Declare("CDataMoji").Prefix(v, 1, 1).Double(1).Double(2).Double(9).Double(2).Dword(0);
        e.Double(4).Double(3).Double(0).Double(30).Str("font").Byte(0xFF).Word(0xFFFE).Byte(1).Word(0x56F3);
        e.Declare("CDataSunpou").Prefix(v, 1, 1).Line(v, 0, 0, 10, 0).Moji(v, 5, 1, 2, 2, 0, "f", "10");
        if (v >= 420) {
            e.Word(0).Line(v, 0, 0, 0, 5).Line(v, 10, 0, 10, 5);
            for (int i = 0; i < 4; ++i) e.Ten(v, i, 0);
        }
        e.ClassRef(11).Line(v, 1, 1, 2, 2);  // the line class again (class numbers: 1 point, 4 circle, 7 solid, 9 block, 11 line)
        e.Declare("CDataList").Prefix(v, 1, 1).Dword(0).Dword(0).Zeros(8).Str("list");
        Read r(e);
        ASSERT_EQ(r.header, JwwHeaderOk);
        EXPECT_TRUE(r.reader.message.empty()) << r.reader.message;
        auto all = Entities(r.list);
        ASSERT_EQ(all.size(), v >= 420 ? 15u : 9u);

        EXPECT_EQ(all[0]->type, EntityType::Point);
        EXPECT_EQ(all[0]->values, (std::vector<double>{1, 2}));
        EXPECT_EQ(all[1]->values, (std::vector<double>{3, 4}));

        EXPECT_EQ(all[2]->type, EntityType::Arc);  // π/6 swept by −π/2: 30 → 300, clockwise
        EXPECT_EQ(all[2]->subtype, -1);
        EXPECT_NEAR(all[2]->values[3], 30.0, 1e-9);
        EXPECT_NEAR(all[2]->values[4], 300.0, 1e-9);

        const CEntity& ea = *all[3];  // flatness 0.5, not full: an elliptic arc through the file's ends
        EXPECT_EQ(ea.type, EntityType::EllipticArc);
        EXPECT_EQ(ea.subtype, 1);
        EXPECT_EQ(ea.colour, kColours[1]);  // colour 12 takes pen 1's
        EXPECT_NEAR(ea.values[4], 45.0, 1e-9);
        for (int end = 0; end < 2; ++end) {
            const double t = kPi / 6 + end * kPi / 2, tilt = kPi / 4;
            const double ux = 10 * std::cos(t), uy = 5 * std::sin(t);
            const double ex = ux * std::cos(tilt) - uy * std::sin(tilt), ey = ux * std::sin(tilt) + uy * std::cos(tilt);
            const double dir = ea.values[5 + static_cast<std::size_t>(end)] * kPi / 180;
            EXPECT_NEAR(std::atan2(ey, ex), std::remainder(dir, 2 * kPi), 1e-9);
        }

        EXPECT_EQ(all[4]->type, EntityType::Line);  // after the solid and the block
        EXPECT_EQ(all[4]->layer, 35);               // group 2, layer 3
        EXPECT_EQ(all[4]->colour, kColours[3]);
        EXPECT_EQ(all[4]->style, 200);              // pen style 4: dashed

        EXPECT_EQ(all[5]->type, EntityType::Text);
        EXPECT_EQ(all[5]->text, "\x90\x7d");
        EXPECT_EQ(all[5]->font, "font");
        EXPECT_EQ(all[5]->values, (std::vector<double>{1, 2, 3, 4, 30}));  // height the second size

        EXPECT_EQ(all[6]->type, EntityType::Line);  // the dimension's members
        EXPECT_EQ(all[7]->type, EntityType::Text);
        EXPECT_EQ(all.back()->type, EntityType::Line);
        if (v >= 420) {
            EXPECT_EQ(all[8]->type, EntityType::Line);
            EXPECT_EQ(all[9]->type, EntityType::Line);
            for (int i = 10; i < 14; ++i) EXPECT_EQ(all[static_cast<std::size_t>(i)]->type, EntityType::Point);
        }
    }
    SetUtf16ToCp932Converter(nullptr);
}

TEST(JwwReadTest, BrokenStreamsStopWithTheirMessageKeepingWhatWasRead)
{
    struct Case {
        const char* what;
        void (*tail)(Encoder&);
        const char* message;
    };
    const Case cases[] = {
        {"unknown class", [](Encoder& e) { e.Declare("CDataXyz"); }, JwwReadError1Message},
        {"reference to no class", [](Encoder& e) { e.ClassRef(2); }, JwwReadError1Message},
        {"tag 0", [](Encoder& e) { e.Word(0); }, JwwReadError2Message},
        {"end of the data", [](Encoder& e) { e.ClassRef(1).Prefix(230, 1, 1).Double(1); }, JwwReadError1Message},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Encoder e;
        e.Header(230, 3, 1.0, kColours).Count(3).Declare("CDataSen").Line(230, 0, 0, 1, 1);
        c.tail(e);
        Read r(e);
        EXPECT_EQ(r.reader.message, c.message);
        EXPECT_EQ(Entities(r.list).size(), 1u);
    }
}

TEST(JwwReadTest, AFileCutAnywhereKeepsTheObjectsBeforeTheCut)
{
    Encoder e;
    e.Header(420, 3, 1.0, kColours).Count(4);
    e.Declare("CDataSen").Line(420, 0, 0, 1, 1);
    e.Declare("CDataEnko").Enko(420, 0, 0, 5, 0, 1, 0, 1.0, 0);
    e.Declare("CDataMoji").Moji(420, 0, 0, 2, 2, 0, "f", "text");
    e.ClassRef(1).Line(420, 5, 5, 6, 6);
    const std::vector<uint8_t> whole = e.bytes;
    std::size_t before = 0;
    for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
        ArchiveReader a(std::span<const uint8_t>(whole.data(), cut));
        CJwwReader reader;
        CEntityList list;
        const bool headerOk = reader.ReadJwwHeader(a) == JwwHeaderOk;
        if (headerOk) reader.ReadJwwEntities(a, list);
        const std::size_t n = Entities(list).size();
        ASSERT_GE(n, before) << cut;
        if (cut == whole.size()) {
            EXPECT_TRUE(reader.message.empty());
        } else if (headerOk) {
            EXPECT_EQ(reader.message, JwwReadError1Message) << cut;
        }
        before = n;
    }
    EXPECT_EQ(before, 4u);
}

// An object whose values overflow in the reader's own arithmetic (a radius
// times a flatness, a coordinate times the drawing's scale) is left out and
// counted; the objects around it are read as usual.
TEST(JwwReadTest, ObjectsThatOverflowAreLeftOutAndCounted)
{
    struct Case {
        const char* what;
        void (*object)(Encoder&);
    };
    const Case cases[] = {
        {"ellipse radius x flatness", [](Encoder& e) { e.Declare("CDataEnko").Enko(230, 0, 0, 1e200, 0, 2 * kPi, 0, 1e200, 1); }},
        {"elliptic arc radius x flatness", [](Encoder& e) { e.Declare("CDataEnko").Enko(230, 0, 0, 1e200, 0, 1, 0, 1e200, 0); }},
        {"radius x scale", [](Encoder& e) { e.Declare("CDataEnko").Enko(230, 0, 0, 1e308, 0, 2 * kPi, 0, 1.0, 1); }},
        {"centre x scale", [](Encoder& e) { e.Declare("CDataEnko").Enko(230, 1e308, 0, 1, 0, 1, 0, 0.5, 0); }},
        {"point x scale", [](Encoder& e) { e.Declare("CDataTen").Ten(230, 1e308, 0); }},
        {"text height x scale", [](Encoder& e) { e.Declare("CDataMoji").Moji(230, 0, 0, 1e308, 3, 0, "F", "T"); }},
        {"not a number", [](Encoder& e) { e.Declare("CDataEnko").Enko(230, 0, 0, 1, 0, 1, 0, std::nan(""), 0); }},
    };
    for (const Case& c : cases) {
        Encoder e;
        e.Header(230, 3, 2.0, kColours).Count(2);
        c.object(e);
        e.Declare("CDataSen").Line(230, 1, 2, 3, 4);
        Read r(e);
        ASSERT_EQ(r.header, JwwHeaderOk) << c.what;
        EXPECT_TRUE(r.reader.message.empty()) << c.what << ": " << r.reader.message;
        EXPECT_EQ(r.reader.NotFiniteRecords, 1) << c.what;
        auto all = Entities(r.list);
        ASSERT_EQ(all.size(), 1u) << c.what;
        EXPECT_EQ(all[0]->type, EntityType::Line) << c.what;
        for (const CEntity* x : all)
            for (double v : x->values) EXPECT_TRUE(std::isfinite(v)) << c.what;
    }
}
