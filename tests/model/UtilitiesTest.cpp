#include "model/Utilities.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

TEST(SortByKey, StableAscendingWithPayload)
{
    double keys[] = {3, 1, 2, 1};
    int64_t payload[] = {30, 10, 20, 11};
    SortByKey(4, keys, payload);
    EXPECT_EQ(std::vector<double>(keys, keys + 4), (std::vector<double>{1, 1, 2, 3}));
    EXPECT_EQ(std::vector<int64_t>(payload, payload + 4), (std::vector<int64_t>{10, 11, 20, 30}));
    SortByKey(0, keys, payload);  // nothing to sort
}

TEST(RemoveDuplicatePoints, KeepsTheFirstOfEachCluster)
{
    struct Case {
        const char* name;
        std::vector<double> x, y;
        std::vector<double> keptX, keptY;
    } cases[] = {
        {"near on both axes", {0, 0.04, 0.06}, {0, 0.04, 0}, {0, 0.06}, {0, 0}},
        {"near on one axis only", {0, 0.01}, {0, 1}, {0, 0.01}, {0, 1}},
        {"exactly 0.05 apart is kept", {0, 0.05}, {0, 0}, {0, 0.05}, {0, 0}},
        {"cluster later in the input", {5, 0, 5.01, 0.02}, {5, 0, 5.01, 0.02}, {5, 0}, {5, 0}},
        {"empty", {}, {}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<double> x = c.x, y = c.y;
        int n = static_cast<int>(x.size());
        RemoveDuplicatePoints(n, x.data(), y.data());
        ASSERT_EQ(n, static_cast<int>(c.keptX.size()));
        EXPECT_EQ(std::vector<double>(x.begin(), x.begin() + n), c.keptX);
        EXPECT_EQ(std::vector<double>(y.begin(), y.begin() + n), c.keptY);
    }
}

TEST(RemoveDuplicatePoints, TakesMoreThanTwentyPoints)
{
    std::vector<double> x, y;
    for (int i = 0; i < 100; ++i) {
        x.push_back(i % 50);  // every point twice
        y.push_back(0);
    }
    int n = 100;
    RemoveDuplicatePoints(n, x.data(), y.data());
    EXPECT_EQ(n, 50);
    EXPECT_EQ(x[49], 49);
}

TEST(CountMbcsChars, MixedCodePage932Text)
{
    struct Case {
        const char* name;
        std::string text;
        int chars;
        int bytes;
    } cases[] = {
        {"empty", "", 0, 0},
        {"ascii", "abc", 3, 3},
        {"full-width face name", "\x82\x6c\x82\x72\x83\x53\x83\x56\x83\x62\x83\x4e", 6, 12},
        {"kanji and ascii", "A\x88\x9f" "B\x8a\xbf", 4, 6},
        {"half-width katakana are single bytes", "\xb1\xb2", 2, 2},
        {"lead byte at the end counts alone", "\x82", 1, 1},
        {"lead byte before a NUL", std::string("\x82\0x", 3), 1, 1},
        {"0x82 with an invalid trail", "\x82\x40", 2, 2},
        {"0x83 in its gap", "\x83\x97", 2, 2},
        {"0x83 above the gap", "\x83\x9f", 1, 2},
        {"0x84 past its range", "\x84\xbf", 2, 2},
        {"other lead, highest trail", "\xe0\xfc", 1, 2},
        {"other lead, trail 0x3f", "\x88\x3f", 2, 2},
        {"lead 0xEA", "\xea\xa4", 1, 2},
        {"0xEB is no lead", "\xeb\xa4", 2, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CountMbcsChars(c.text), c.chars);
        EXPECT_EQ(MbcsByteLength(c.text), c.bytes);
    }
}

TEST(StripSpaces, DropsAsciiAndFullWidthSpaces)
{
    EXPECT_EQ(StripSpaces(""), "");
    EXPECT_EQ(StripSpaces(" a b "), "ab");
    EXPECT_EQ(StripSpaces("\x82\x60\x81\x40\x82\x61"), "\x82\x60\x82\x61");
    // Byte-wise: a trail byte 0x81 followed by 0x40 is taken as a space too.
    EXPECT_EQ(StripSpaces("\x88\x81\x40" "A"), "\x88" "A");
    EXPECT_EQ(StripSpaces("\x81"), "\x81");
}

TEST(GetFileTypeFromExtension, Kinds)
{
    const struct {
        const char* name;
        int kind;
    } cases[] = {
        {"part.ras", 0}, {"part.dxf", 1}, {"part.ORV", 2}, {"part.jww", 3}, {"part.Jwc", 4},
        {"part.tar.dxf", -1}, {"part", -1}, {"", -1}, {"part.dxfx", -1}, {"part.", -1},
        {"part.txt", -1}, {".dxf", 1}, {"a.dx", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(GetFileTypeFromExtension(c.name), c.kind);
    }
}

TEST(FormatDecimal, DecimalsOneToEightElseNone)
{
    const struct {
        int decimals;
        double value;
        const char* text;
    } cases[] = {
        {0, 12.4, "12"}, {9, 12.4, "12"}, {-1, 12.4, "12"}, {2, 12.4, "12.40"},
        {1, 0.25, "0.2"}, {8, 1.0 / 3, "0.33333333"}, {3, -2.5, "-2.500"}, {0, 2.5, "2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FormatDecimal(c.decimals, c.value), c.text);
    }
}

