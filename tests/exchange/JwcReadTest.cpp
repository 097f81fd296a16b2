#include "exchange/JwcFile.h"
#include "model/DefaultPalette.h"
#include "model/EntityList.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

// A JWC file built field by field from the format's layout.
struct JwcFile {
    bool later = false;
    std::vector<std::string> numbers = std::vector<std::string>(32, "0");
    std::vector<uint8_t> records;
    int16_t heights[11] = {25, 35, 50, 0, 0, 0, 0, 0, 0, 0, 0};

    JwcFile()
    {
        numbers[9] = "2";    // scale
        numbers[11] = "3";   // paper
        numbers[30] = "420"; // divisor: a factor of 420 / 420 × 2
    }
    void Float(float v)
    {
        const uint32_t b = std::bit_cast<uint32_t>(v);
        for (int i = 0; i < 4; ++i) records.push_back(static_cast<uint8_t>(b >> (8 * i)));
    }
    void Dword(uint32_t v)
    {
        for (int i = 0; i < 4; ++i) records.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
    void Bytes(std::initializer_list<uint8_t> b) { records.insert(records.end(), b); }
    void Line(float x1, float y1, float x2, float y2, uint8_t type, uint8_t colour, uint8_t layer)
    {
        Float(x1), Float(y1), Float(x2), Float(y2);
        Bytes({type, colour, layer, 0, 0, 0});
    }
    void Arc(float cx, float cy, float r, uint32_t start, uint32_t end, uint32_t shift)
    {
        Float(cx), Float(cy), Float(r);
        Bytes({0, 0});
        Dword(start), Dword(end), Dword(shift);
        Bytes({0, 0, 0, 0, 1, 0});
    }
    void Text(float x, float y, float x2, float y2, uint8_t kind, uint8_t layer)
    {
        Float(x), Float(y), Float(x2), Float(y2);
        Bytes({0, 0, 0, 0, kind, layer, 0, 0});
    }
    void String(const std::string& s)
    {
        records.insert(records.end(), s.begin(), s.end());
        records.push_back(0);
    }
    void Point(float x, float y, uint8_t layer, uint8_t colour)
    {
        Float(x), Float(y);
        Bytes({layer, colour, 0, 0});
    }
    std::vector<uint8_t> Bytes() const
    {
        std::vector<uint8_t> out(200, ' ');
        const std::string head = later ? "JWC a.f.m" : "JWC";
        std::memcpy(out.data(), head.data(), head.size());
        std::string block;
        for (const std::string& n : numbers) block += n + ",";
        block.resize(200, '\0');
        out.insert(out.end(), block.begin(), block.end());
        out.resize(600, 0);
        const std::string block2 = "1,2,3,";
        std::memcpy(out.data() + 400, block2.data(), block2.size());
        out.resize(later ? 2421 : 2389, 0);
        for (int k = 0; k < 11; ++k) {
            out[1753 + 2 * k] = static_cast<uint8_t>(heights[k]);
            out[1754 + 2 * k] = static_cast<uint8_t>(static_cast<uint16_t>(heights[k]) >> 8);
        }
        out.insert(out.end(), records.begin(), records.end());
        return out;
    }
};

std::vector<const CEntity*> Entities(const CEntityList& list)
{
    std::vector<const CEntity*> out;
    for (const CEntity* e = list.first; e; e = e->next) out.push_back(e);
    return out;
}

JwcFile Sample(bool later)
{
    JwcFile f;
    f.later = later;
    f.numbers[0] = "2";
    f.numbers[1] = "3";
    f.numbers[2] = "1";
    f.numbers[3] = "2";
    f.Line(1, 2, 3, 4, 3, 3, 12);            // dashed, colour code 3, layer 12 → 9
    f.Line(1e11f, 0, 0, 0, 0, 0, 0);        // beyond the model once scaled: skipped
    f.Arc(0, 0, 5, 0, 0, 0);                // a circle
    f.Arc(0, 0, 5, 90, 180, 0);
    f.Arc(0, 0, 5, 90u * 65536u, 180, 65536u * 10u);
    f.Text(0, 0, 1, 1, 1, 2);
    f.String("\x90\x7d");
    f.Point(5, 6, 4, 20);                   // colour code 20: code 0's colour
    f.Point(7, 8, 0, 5);
    return f;
}

} // namespace

TEST(JwcReadTest, BothLayoutsReadEveryRecordKind)
{
    for (bool later : {false, true}) {
        SCOPED_TRACE(later ? "a.f.m" : "earlier");
        CJwcReader reader;
        CEntityList list;
        ASSERT_EQ(reader.ReadJwcData(Sample(later).Bytes(), list), 0) << reader.message;
        EXPECT_EQ(reader.JwcScale, 2.0);
        EXPECT_EQ(reader.CoordFactor, 2.0);
        EXPECT_EQ(reader.AreaMax[0], 840.0);
        EXPECT_EQ(reader.AreaMax[1], 594.0);
        auto all = Entities(list);
        ASSERT_EQ(all.size(), 7u);
        EXPECT_EQ(all[0]->type, EntityType::Line);
        EXPECT_EQ(all[0]->values, (std::vector<double>{2, 4, 6, 8}));
        EXPECT_EQ(all[0]->style, 200);
        EXPECT_EQ(all[0]->layer, 9);
        EXPECT_EQ(all[0]->colour, DefaultPalette[14]);
        EXPECT_EQ(all[1]->type, EntityType::Circle);
        EXPECT_EQ(all[2]->type, EntityType::Arc);
        EXPECT_EQ(all[2]->values[3], 90.0);
        EXPECT_EQ(all[2]->values[4], 180.0);
        EXPECT_EQ(all[3]->values[3], 100.0);  // 90 × 65536, shifted by 10
        EXPECT_EQ(all[3]->values[4], 190.0);
        EXPECT_EQ(all[4]->type, EntityType::Text);
        EXPECT_EQ(all[4]->text, "\x90\x7d");
        EXPECT_NEAR(all[4]->values[2], 7.0, 1e-6);  // kind 1: 3.5 × 2
        EXPECT_NEAR(all[4]->values[4], 45.0, 1e-9);
        EXPECT_EQ(all[4]->layer, 2);
        EXPECT_EQ(all[5]->type, EntityType::Point);
        EXPECT_EQ(all[5]->colour, DefaultPalette[0]);
        EXPECT_EQ(all[5]->layer, 4);
        EXPECT_EQ(all[6]->values, (std::vector<double>{14, 16}));
    }
}

TEST(JwcReadTest, PaperCodesAndBadNumberBlocks)
{
    {
        JwcFile f;
        f.numbers[11] = "7";  // code 3's area, the factor of 10000
        CJwcReader reader;
        CEntityList list;
        ASSERT_EQ(reader.ReadJwcData(f.Bytes(), list), 0);
        EXPECT_EQ(reader.AreaMax[0], 840.0);
        EXPECT_FLOAT_EQ(static_cast<float>(reader.CoordFactor), 10000.0f / 420.0f * 2.0f);
    }
    struct Bad {
        int number;
        const char* value;
    };
    const Bad bads[] = {{9, "0"}, {30, "-1"}, {30, "x"}, {9, "1e999"}};
    for (const Bad& b : bads) {
        JwcFile f;
        f.numbers[static_cast<std::size_t>(b.number)] = b.value;
        CJwcReader reader;
        CEntityList list;
        EXPECT_EQ(reader.ReadJwcData(f.Bytes(), list), 1) << b.value;
        EXPECT_EQ(reader.message, JwcBlockMessage);
    }
    JwcFile few;
    few.numbers.resize(30);
    CJwcReader reader;
    CEntityList list;
    EXPECT_EQ(reader.ReadJwcData(few.Bytes(), list), 1);
    EXPECT_EQ(reader.message, JwcBlockMessage);
    // A number piece of any length is read safely.
    JwcFile longPiece;
    longPiece.numbers[12] = std::string(100, '9');
    CJwcReader reader2;
    EXPECT_EQ(reader2.ReadJwcData(longPiece.Bytes(), list), 0);
}

TEST(JwcReadTest, AShortReadInEachRegionGivesItsMessage)
{
    const std::vector<uint8_t> whole = Sample(false).Bytes();
    struct Cut {
        std::size_t size;
        std::string message;
        std::size_t entities;
    };
    const Cut cuts[] = {
        {0, JwcHeaderMessage, 0},
        {150, JwcBlockMessage, 0},
        {500, JwcBlockMessage, 0},
        {1000, "ERROR:READ (01) 仮点のＸ座標", 0},
        {1760, "ERROR:READ (06) 文字の高さ", 0},
        {1800, "ERROR:READ (08) レイヤグループのスケール", 0},
        {1829 + 100, "ERROR:READ (09) サーチレイヤ", 0},
        {1829 + 550, "ERROR:READ  // (13) 表示レイヤ", 0},
        {2389 + 30, JwcLineMessage, 0},
        {2389 + 44 + 40, JwcArcMessage, 1},
        {2389 + 44 + 96 + 10, JwcTextMessage, 4},
        {whole.size() - 5, JwcPointMessage, 6},
    };
    for (const Cut& c : cuts) {
        CJwcReader reader;
        CEntityList list;
        EXPECT_EQ(reader.ReadJwcData(std::span<const uint8_t>(whole.data(), c.size), list), 1) << c.size;
        EXPECT_EQ(reader.message, c.message) << c.size;
        EXPECT_EQ(Entities(list).size(), c.entities) << c.size;
    }
    // Counts below zero or beyond the file are refused.
    for (const char* count : {"-1", "100000000"}) {
        JwcFile f = Sample(false);
        f.numbers[1] = count;
        CJwcReader reader;
        CEntityList list;
        EXPECT_EQ(reader.ReadJwcData(f.Bytes(), list), 1);
        EXPECT_EQ(reader.message, JwcArcMessage);
    }
    // Every cut of the file: a message, never a crash.
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
        CJwcReader reader;
        CEntityList list;
        ASSERT_EQ(reader.ReadJwcData(std::span<const uint8_t>(whole.data(), cut), list), 1) << cut;
        ASSERT_FALSE(reader.message.empty()) << cut;
    }
}
