#include "platform/Encoding.h"

#include <gtest/gtest.h>

#include <map>

using namespace platform;

namespace {

std::string bytes(std::initializer_list<int> b)
{
    std::string s;
    for (int c : b) {
        s.push_back(static_cast<char>(c));
    }
    return s;
}

} // namespace

TEST(Encoding, EveryDoubleByteCharacterRoundTrips)
{
    int valid = 0;
    std::map<std::string, std::string> canonical; // code -> code it encodes back to, where they differ
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsCp932LeadByte(static_cast<unsigned char>(lead))) {
            continue;
        }
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F) {
                continue;
            }
            std::string code = bytes({lead, trail});
            QString text = FromCp932(code);
            if (text == QString(QChar(0xFFFD)) + QChar(trail) || text.startsWith(QChar(0xFFFD))) {
                continue; // unassigned
            }
            ASSERT_EQ(text.size(), 1) << std::hex << lead << " " << trail;
            ++valid;
            std::string back = ToCp932(text);
            ASSERT_EQ(back.size(), 2u) << std::hex << lead << " " << trail;
            // Stable: what comes back decodes to the same character.
            EXPECT_EQ(FromCp932(back), text) << std::hex << lead << " " << trail;
            if (back != code) {
                canonical[code] = back;
            }
        }
    }
    // JIS X 0208 and the NEC/IBM extensions, plus the 1,880 user-defined codes.
    EXPECT_GE(valid, 7900);
    // Only the extension duplicates change code, and never into a single byte.
    for (const auto& [from, to] : canonical) {
        unsigned char lead = static_cast<unsigned char>(from[0]);
        EXPECT_TRUE(lead == 0x87 || lead == 0xED || lead == 0xEE || lead == 0xFA || lead == 0xFB || lead == 0xFC ||
                    lead == 0x81)
            << std::hex << int(lead) << int(static_cast<unsigned char>(from[1]));
    }
    EXPECT_LT(canonical.size(), 400u);
}

TEST(Encoding, KnownTexts)
{
    const std::string gothic = "\x82\x6c\x82\x72\x83\x53\x83\x56\x83\x62\x83\x4e";
    EXPECT_EQ(FromCp932(gothic), QStringLiteral("ＭＳゴシック"));
    EXPECT_EQ(ToCp932(QStringLiteral("ＭＳゴシック")), gothic);
    EXPECT_EQ(Cp932ToUtf8(gothic), "ＭＳゴシック");
    EXPECT_EQ(Utf8ToCp932("ＭＳゴシック"), gothic);
    // Half-width katakana is single-byte, the yen sign's byte stays a backslash.
    EXPECT_EQ(ToCp932(QStringLiteral("ｱｲ\\")), bytes({0xB1, 0xB2, 0x5C}));
    EXPECT_EQ(FromCp932("abc"), QStringLiteral("abc"));
    EXPECT_EQ(ToCp932(QString()), "");
}

TEST(Encoding, InvalidInputHasADefinedResult)
{
    const QString bad(QChar(0xFFFD));
    // A lead byte at the end, a lone trail-range byte, an unassigned pair.
    EXPECT_EQ(FromCp932(bytes({'A', 0x82})), QStringLiteral("A") + bad);
    EXPECT_EQ(FromCp932(bytes({0x82, 0xA0, 'B'})), QStringLiteral("あB"));
    EXPECT_EQ(FromCp932(bytes({0x85, 0x40})), bad + QStringLiteral("@"));
    // The next valid character after a bad byte is still recognised.
    EXPECT_EQ(FromCp932(bytes({0xFF, 0x82, 0xA0})), bad + QStringLiteral("あ"));
    // Characters cp932 cannot hold become '?'.
    EXPECT_EQ(ToCp932(QStringLiteral("a\u00E9b\U0001F600c")), "a?b?c");
    EXPECT_EQ(Utf8ToCp932(bytes({'x', 0xC3, 'y'})), "x?y");
}

TEST(Encoding, LookAlikesFromOtherJapaneseTablesTakeTheCp932Code)
{
    // Input methods on Linux type U+301C for the wave dash; cp932 has U+FF5E.
    EXPECT_EQ(ToCp932(QStringLiteral("10\u301C20")), "10" + bytes({0x81, 0x60}) + "20");
    EXPECT_EQ(ToCp932(QStringLiteral("\u2212\u00A5")), bytes({0x81, 0x7C, 0x5C}));
    EXPECT_EQ(Utf8ToCp932("\u2014\u00A2"), bytes({0x81, 0x5C, 0x81, 0x91}));
}

TEST(Encoding, CutsOnCharacterBoundaries)
{
    const std::string s = std::string("a").append(Utf8ToCp932("あい")).append("b"); // a, 2, 2, b = 6 bytes
    struct Case {
        size_t max;
        size_t expected;
    };
    for (Case c : {Case{0, 0}, Case{1, 1}, Case{2, 1}, Case{3, 3}, Case{4, 3}, Case{5, 5}, Case{6, 6}, Case{99, 6}}) {
        EXPECT_EQ(Cp932PrefixLength(s, c.max), c.expected) << c.max;
    }
    EXPECT_EQ(Cp932Truncate(s, 4), std::string("a").append(Utf8ToCp932("あ")));
    EXPECT_EQ(Cp932CharCount(s), 4u);
    // A lead byte at the end counts as a character of its own.
    EXPECT_EQ(Cp932CharCount(bytes({'a', 0x82})), 2u);
    EXPECT_EQ(Cp932PrefixLength(bytes({'a', 0x82}), 2), 2u);
}
