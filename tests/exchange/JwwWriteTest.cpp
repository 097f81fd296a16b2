#include "common/JwwTestSupport.h"

#include "exchange/JwwFile.h"
#include "model/EntityList.h"

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

using namespace jwwtest;
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kHeaderSize = 4137;

class Chain {
public:
    CEntity& Add(int16_t type, int16_t subtype, int16_t style, std::vector<double> values, COLORREF colour = 0,
                 int16_t layer = 0, std::string text = {})
    {
        CEntity& e = items_.emplace_back();
        e.type = type;
        e.subtype = subtype;
        e.style = style;
        e.values = std::move(values);
        e.count = static_cast<int16_t>(e.values.size());
        e.colour = colour;
        e.layer = layer;
        e.text = std::move(text);
        if (type == EntityType::Text || type == EntityType::LeaderText) e.font = "font";
        if (items_.size() > 1) items_[items_.size() - 2].next = &e;
        return e;
    }
    const CEntity* first() const { return items_.empty() ? nullptr : &items_.front(); }

private:
    std::deque<CEntity> items_;
};

std::vector<uint8_t> Write(CJwwWriter& writer, const Chain& chain)
{
    ArchiveWriter archive;
    writer.WriteJwwFile(archive, chain.first());
    return archive.out;
}

uint32_t DwordAt(const std::vector<uint8_t>& b, std::size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

double DoubleAt(const std::vector<uint8_t>& b, std::size_t at)
{
    double d;
    std::memcpy(&d, b.data() + at, 8);
    return d;
}

} // namespace

TEST(JwwWriteTest, HeaderAndEmptyDrawing)
{
    Chain chain;
    chain.Add(EntityType::InfiniteLine, 0, 0, {0, 0, 1, 1});  // not written
    CJwwWriter writer;
    writer.PaperCode = 3;
    writer.Scale = 0.5;  // below 1: 100
    const std::vector<uint8_t> b = Write(writer, chain);
    ASSERT_EQ(b.size(), kHeaderSize + 4);
    EXPECT_EQ(std::string(b.begin(), b.begin() + 8), "JwwData.");
    EXPECT_EQ(DwordAt(b, 8), 230u);
    EXPECT_EQ(b[12], 0);            // empty memo
    EXPECT_EQ(DwordAt(b, 13), 3u);  // paper code
    for (int g = 0; g < 16; ++g) EXPECT_EQ(DoubleAt(b, 21 + 148 * g + 8), 100.0) << g;
    EXPECT_EQ(std::vector<uint8_t>(b.end() - 4, b.end()), (std::vector<uint8_t>{0, 0, 0, 0}));

    // Our reader takes the header back.
    ArchiveReader a(b);
    CJwwReader reader;
    ASSERT_EQ(reader.ReadJwwHeader(a), JwwHeaderOk);
    EXPECT_EQ(a.position(), kHeaderSize);
    EXPECT_EQ(reader.CoordFactor, 100.0);
}

TEST(JwwWriteTest, OneLineExactBytes)
{
    Chain chain;
    chain.Add(EntityType::Line, 0, 0, {0, 0, 100, 50}, 0x123456);
    CJwwWriter writer;
    writer.Scale = 2;
    const std::vector<uint8_t> b = Write(writer, chain);
    Encoder e;
    e.Word(1).Word(0xFFFF).Word(230).Word(8).Raw("CDataSen");
    e.Dword(0).Byte(1).Word(1).Word(0).Word(0).Word(0);  // group, pen style solid, pen 1, layer, group, flags
    e.Double(0).Double(0).Double(50).Double(25).Word(0);
    ASSERT_EQ(b.size(), kHeaderSize + e.bytes.size());
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + kHeaderSize, b.end()), e.bytes);
    // The line's colour is pen 1's in the header.
    EXPECT_EQ(DwordAt(b, 3081 + 8), 0x123456u);
}

TEST(JwwWriteTest, LaterObjectsReferToTheirClass)
{
    Chain chain;
    chain.Add(EntityType::Polygon, 0, 0, {0, 0, 10, 0, 10, 10, 0, 10});
    chain.Add(EntityType::Curve, 0, 0, {0, 0, 10, 10, 20, 0});
    CJwwWriter writer;
    const std::vector<uint8_t> b = Write(writer, chain);
    // 3 sides and 10 curve pieces; each object 4 + 1 + 2 + 2 + 2 + 2 + 32 bytes.
    const std::size_t objectSize = 45;
    std::size_t at = kHeaderSize;
    EXPECT_EQ(b[at] | (b[at + 1] << 8), 13);
    at += 2 + 2 + 2 + 2 + 8 + objectSize;  // the declaration and the first side
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(b[at] | (b[at + 1] << 8), 0x8001) << i;
        at += 2 + objectSize;
    }
    EXPECT_EQ(at + 2, b.size());
}

TEST(JwwWriteTest, EveryWrittenTypeReadsBackEqual)
{
    Chain chain;
    chain.Add(EntityType::Line, 0, 203, {10, 20, 110.5, 70.25}, 0x0000FF, 35);
    chain.Add(EntityType::Circle, 0, 1, {5, 6, 7}, 0x00FF00, 2);
    chain.Add(EntityType::Arc, 1, 0, {5, 6, 7, 30, 300}, 0x0000FF);
    chain.Add(EntityType::Arc, -1, 0, {5, 6, 7, 300, 30}, 0x0000FF);
    chain.Add(EntityType::Ellipse, 0, 0, {3, 4, 20, 10, 30}, 0xFF0000);
    chain.Add(EntityType::EllipticArc, 1, 0, {3, 4, 20, 10, 30, 45, 200}, 0xFF0000);
    chain.Add(EntityType::EllipticArc, -1, 0, {3, 4, 20, 10, 30, 200, 45}, 0xFF0000);
    chain.Add(EntityType::Point, 0, 0, {8, 9}, 0x00FF00, 127);
    chain.Add(EntityType::Text, 0, 0, {1, 2, 3.5, 2.5, 30}, 0x0000FF, 0, "\x90\x7d\x96\xca");
    chain.Add(EntityType::LeaderText, 10, 0, {1, 2, 3, 3, 0, 10, 10, 20, 20, 30, 20}, 0x0000FF, 0, "L");
    CJwwWriter writer;
    writer.Scale = 4;
    writer.OriginX = 100;
    writer.OriginY = 50;
    const std::vector<uint8_t> b = Write(writer, chain);

    ArchiveReader a(b);
    CJwwReader reader;
    ASSERT_EQ(reader.ReadJwwHeader(a), JwwHeaderOk);
    CEntityList list;
    reader.ReadJwwEntities(a, list);
    EXPECT_TRUE(reader.message.empty()) << reader.message;
    EXPECT_EQ(reader.CoordFactor, 4.0);
    std::vector<const CEntity*> back;
    for (const CEntity* e = list.first; e; e = e->next) back.push_back(e);
    // Passes: lines, leader lines, circles and ellipses, arcs, points, texts.
    const CEntity* src = chain.first();
    std::vector<const CEntity*> s;
    for (; src; src = src->next) s.push_back(src);
    const std::vector<const CEntity*> expected = {s[0], nullptr, nullptr, s[1], s[4], s[2], s[3], s[5], s[6], s[7],
                                                  s[8], nullptr};
    ASSERT_EQ(back.size(), expected.size());
    for (std::size_t i = 0; i < back.size(); ++i) {
        if (!expected[i]) continue;
        SCOPED_TRACE(i);
        const CEntity& want = *expected[i];
        const CEntity& got = *back[i];
        EXPECT_EQ(got.type, want.type);
        EXPECT_EQ(got.subtype == -1, want.subtype == -1);
        EXPECT_EQ(got.layer, want.layer);
        EXPECT_EQ(got.colour, want.colour);
        EXPECT_EQ(got.style / 100, want.style / 100);
        EXPECT_EQ(got.text, want.text);
        ASSERT_EQ(got.values.size(), want.values.size());
        for (std::size_t k = 0; k < want.values.size(); ++k) {
            double w = want.values[k];
            const bool point = k < 2 || (want.type == EntityType::Line && k < 4);
            if (point) w -= k % 2 == 0 ? 100 : 50;  // moved by the origin, back at the scale
            EXPECT_NEAR(got.values[k], w, 1e-9) << "value " << k;
        }
    }
    EXPECT_EQ(back[1]->values, (std::vector<double>{10 - 100, 10 - 50, 20 - 100, 20 - 50}));  // leader lines
    EXPECT_EQ(back[2]->values, (std::vector<double>{20 - 100, 20 - 50, 30 - 100, 20 - 50}));
    EXPECT_EQ(back[11]->text, "L");
}

TEST(JwwWriteTest, ColoursAreRankedIntoPensOneToNine)
{
    Chain chain;
    for (int c = 0; c < 11; ++c)
        for (int k = 0; k <= c; ++k) chain.Add(EntityType::Point, 0, 0, {1, 1}, static_cast<COLORREF>(0x10 + c));
    CJwwWriter writer;
    const std::vector<uint8_t> b = Write(writer, chain);
    ArchiveReader a(b);
    CJwwReader reader;
    ASSERT_EQ(reader.ReadJwwHeader(a), JwwHeaderOk);
    CEntityList list;
    reader.ReadJwwEntities(a, list);
    EXPECT_EQ(reader.JwwPenColors[1], 0x1Au);  // most used
    EXPECT_EQ(reader.JwwPenColors[9], 0x12u);
    for (const CEntity* e = list.first; e; e = e->next) {
        if (e->colour == 0x10 || e->colour == 0x11) ADD_FAILURE() << "an unranked colour kept";
    }
    EXPECT_EQ(list.first->colour, 0x1Au);  // the two least used fall to pen 1
}

TEST(JwwWriteTest, FilesGoThroughATemporary)
{
    const fs::path folder = fs::temp_directory_path() / ("orvik-jww-write-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "taken.jww");
    Chain chain;
    chain.Add(EntityType::Point, 0, 0, {1, 1});
    CJwwWriter writer;
    EXPECT_FALSE(WriteJwwFile(folder / "taken.jww", writer, chain.first()));
    EXPECT_FALSE(WriteJwwFile(folder / "no" / "a.jww", writer, chain.first()));
    ASSERT_TRUE(WriteJwwFile(folder / "a.jww", writer, chain.first()));
    CJwwReader reader;
    CEntityList list;
    EXPECT_EQ(ReadJwwFile(folder / "a.jww", reader, list), JwwHeaderOk);
    EXPECT_NE(list.first, nullptr);
    EXPECT_EQ(ReadJwwFile(folder / "taken.jww", reader, list), -1);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2);
    fs::remove_all(folder);
}
