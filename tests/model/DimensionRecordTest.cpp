#include "model/DimensionRecord.h"

#include "model/DimensionText.h"
#include "model/ParameterBlock.h"
#include "model/Settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

TEST(FormatDimValue, DecimalsOneToFourElseNone)
{
    struct Case {
        int decimals;
        double value;
        const char* text;
    };
    const Case cases[] = {
        {0, 100.0, "100"},      {1, 62.8318, "62.8"},  {2, 62.8318, "62.83"},   {3, 62.8318, "62.832"},
        {4, 62.8318, "62.8318"}, {5, 62.8318, "63"},    {8, 62.8318, "63"},      {-1, 2.5, "2"},
        {2, -0.004, "-0.00"},   {0, 1e40, "10000000000000000303786028427003666890"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatDimValue(c.value, c.decimals), std::string(c.text).substr(0, 30))
            << c.decimals << " " << c.value;
    // The settings' own decimals.
    DimDecimals = 3;
    EXPECT_EQ(FormatDimValue(1.0), "1.000");
}

DimensionStyle SampleStyle()
{
    DimensionStyle s;
    for (int i = 0; i < 8; ++i) {
        s.tolerance1[static_cast<std::size_t>(i)] = 0.1 * (i + 1);
        s.tolerance2[static_cast<std::size_t>(i)] = 0.01 * (i + 1);
        s.prefixes[static_cast<std::size_t>(i)] = std::string("P").append(std::to_string(i));
        s.prefixLengths[static_cast<std::size_t>(i)] = 2;
    }
    s.textSize = 5.0;
    return s;
}

TEST(FillDimensionCommonValues, HeadTolerancesHeightAndDigits)
{
    struct Case {
        const char* name;
        int k;
        int toleranceType, decimals, arrowhead, dot, arrow, unitsMode, scale;
        int headType;
        const char* prefix;
        double tol1, tol2, height, style, terminators;
    };
    const Case cases[] = {
        {"plain", 0, 0, 0, 0, 0, 0, 0, 1, 0, "P0", 0, 0, 5, 1100, 0},
        {"type 3 takes entry 2", 4, 3, 2, 3, 1, 2, 0, 1, 3, "P4", 0.3, 0.03, 5, 1120, 33312},
        {"type 7 takes entry 6", 6, 7, 1, 1, 0, 0, 0, 1, 7, "P6", 0.7, 0.07, 5, 1110, 11100},
        {"kind outside 0-7 uses prefix 0", 9, 1, 0, 0, 0, 0, 0, 1, 1, "P0", 0.1, 0.01, 5, 1100, 0},
        {"negative kind uses prefix 0", -1, 0, 0, 0, 0, 0, 0, 1, 0, "P0", 0, 0, 5, 1100, 0},
        {"tolerance type out of range is none", 1, 9, 0, 0, 0, 0, 0, 1, 0, "P1", 0, 0, 5, 1100, 0},
        {"digits held to what fits", 2, 0, 6, 7, 9, 9, 0, 1, 0, "P2", 0, 0, 5, 1140, 33344},
        {"negative digits are 0", 2, -2, -3, -1, -1, -1, 0, 1, 0, "P2", 0, 0, 5, 1100, 0},
        {"paper sizes follow the scale", 3, 0, 0, 0, 0, 0, 1, 50, 0, "P3", 0, 0, 250, 1100, 0},
        {"a scale below 1 counts as 1", 3, 0, 0, 0, 0, 0, 1, 0, 0, "P3", 0, 0, 5, 1100, 0},
        {"millimetres ignore the scale", 3, 0, 0, 0, 0, 0, 0, 50, 0, "P3", 0, 0, 5, 1100, 0},
    };
    for (const Case& c : cases) {
        DimensionStyle s = SampleStyle();
        s.toleranceType = c.toleranceType;
        s.decimals = c.decimals;
        s.arrowheadKind = c.arrowhead;
        s.dotSize = c.dot;
        s.arrowSize = c.arrow;
        s.unitsMode = c.unitsMode;
        s.scaleDenominator = c.scale;
        const DimensionCommonValues v = FillDimensionCommonValues(c.k, s);
        const DimensionLabelHead head = UnpackDimensionLabelHead(v.head);
        EXPECT_EQ(head.toleranceType, c.headType) << c.name;
        EXPECT_EQ(head.Prefix(), c.prefix) << c.name;
        EXPECT_DOUBLE_EQ(v.tolerance1, c.tol1) << c.name;
        EXPECT_DOUBLE_EQ(v.tolerance2, c.tol2) << c.name;
        EXPECT_DOUBLE_EQ(v.textHeight, c.height) << c.name;
        EXPECT_EQ(v.styleDigits, c.style) << c.name;
        EXPECT_EQ(v.terminatorDigits, c.terminators) << c.name;
    }
}

TEST(FillDimensionCommonValues, PrefixLengthGovernsTheHead)
{
    DimensionStyle s = SampleStyle();
    s.prefixes[0] = "ABCDEF";
    struct Case {
        int16_t length;
        const char* prefix;
    };
    // The length field says how much of the stored prefix counts; the head
    // keeps at most four bytes.
    const Case cases[] = {{0, ""}, {1, "A"}, {3, "ABC"}, {4, "ABCD"}, {6, "ABCD"}, {-2, ""}, {40, "ABCD"}};
    for (const Case& c : cases) {
        s.prefixLengths[0] = c.length;
        const DimensionLabelHead head = UnpackDimensionLabelHead(FillDimensionCommonValues(0, s).head);
        EXPECT_EQ(head.Prefix(), c.prefix) << c.length;
        EXPECT_TRUE(head.Valid());
    }
}

TEST(DimensionRecord, ValueOrderOfEveryKind)
{
    struct Case {
        int kind, n;
        std::vector<int16_t> codes;
    };
    const std::vector<int16_t> linear{30, 31, 32, 10, 11, 12, 13, 14, 15, 16, 18, 19, 21, 22, 40, 41, 50, 51};
    const Case cases[] = {
        {0, 0, linear},
        {5, 0, linear},
        {1, 2, {30, 31, 32, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 40, 41, 50, 51}},
        {2, 3, {30, 31, 32, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 40, 41, 50, 51, 60, 61}},
        {3, 0, {30, 31, 32, 10, 11, 12, 13, 14, 40, 41, 50, 51, 60, 61, 42, 43}},
        {4, 0, {30, 31, 32, 10, 11, 12, 13, 14, 15, 16, 18, 19, 42, 43, 40, 41, 50, 51}},
        {6, 0, {30, 31, 32, 10, 11, 12, 13, 14, 15, 16, 18, 19, 23, 24, 25, 26, 27, 42, 43}},
        {7, 0, {30, 31, 32, 10, 11, 12, 13, 14, 15, 16, 18, 19, 23, 24, 25, 26, 27, 42, 43}},
        {8, 0, {30, 31, 32, 10, 11, 12, 13, 40, 41}},
        {9, 0, {}},
        {-1, 0, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DimensionValueCodes(c.kind, c.n), c.codes) << c.kind;
    // A chain of 20 points: 56 values, the last pair 230/231.
    const std::vector<int16_t> longest = DimensionValueCodes(1, MaxChainPoints);
    ASSERT_EQ(longest.size(), 56u);
    EXPECT_EQ(longest[54], 230);
    EXPECT_EQ(longest[55], 231);
}

TEST(DimensionRecord, SetFindsByCodeAndAreaHasNoTerminators)
{
    DimensionRecord area(DimensionKind::Area);
    EXPECT_FALSE(area.Set(14, 5.0));
    DimensionCommonValues common;
    common.terminatorDigits = 33344;
    common.textHeight = 7.0;
    area.SetCommon(common);
    EXPECT_EQ(area.values[4], 7.0);
    EXPECT_TRUE(area.SetPoint(40, 1.5, 2.5));
    EXPECT_EQ(area.values[7], 1.5);
    EXPECT_EQ(area.values[8], 2.5);
    EXPECT_EQ(area.Get(14), 0.0);
}

// A settings file with 6 decimals (the panel allows 0-4) and an arrowhead
// kind of 5: the packed digits stay within their places.
TEST(DimensionRecord, OutOfRangeSettingsFromTheSettingsFileArePackedWithinTheirDigits)
{
    CParameterBlock block;
    block.SetFactoryDefaults();
    block.DimDecimals = 6;
    block.ArrowheadKind = 5;
    ApplyParametersToSettings(block);
    ASSERT_EQ(DimDecimals, 6);
    const DimensionCommonValues v = FillDimensionCommonValues(0, DimensionStyle::Current(1));
    EXPECT_EQ(v.styleDigits, 1140);
    EXPECT_EQ(v.terminatorDigits, 33300 + DimDotSize * 10 + DimArrowSize);
}

TEST(DimensionOrientation, DistanceCases)
{
    using T = DimensionTurn;
    struct Case {
        int d1, d2;
        double angle;
        T turn;
    };
    const Case cases[] = {
        {1, 2, 90, T::Exchange},  {2, 1, -90, T::Exchange}, {2, 3, -90, T::Exchange},
        {1, 3, 134.5, T::Exchange}, {1, 3, 134.0, T::None},   {1, 3, 90, T::None},
        {-1, 3, 0, T::TextOnly},  {3, -1, 0, T::TextOnly},  {0, 0, 0, T::TextOnly},
        {2, 4, -90, T::TextOnly}, {4, 1, 180, T::TextOnly}, {4, 2, 180, T::TextOnly},
        {1, 4, 90, T::None},      {3, 1, 0, T::None},       {3, 2, 0, T::None},
        {4, 3, 180, T::None},     {2, 2, -90, T::None},     {1, 1, 90, T::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DistanceOrientation(c.d1, c.d2, c.angle), c.turn) << c.d1 << "," << c.d2 << " " << c.angle;
}

TEST(DimensionOrientation, DiameterExchangesOnlyDownRight)
{
    using T = DimensionTurn;
    EXPECT_EQ(DiameterOrientation(2, 3), T::Exchange);
    EXPECT_EQ(DiameterOrientation(1, 2), T::None);
    EXPECT_EQ(DiameterOrientation(2, 1), T::None);
    EXPECT_EQ(DiameterOrientation(1, 3), T::None);
    EXPECT_EQ(DiameterOrientation(2, 4), T::TextOnly);
    EXPECT_EQ(DiameterOrientation(-1, 3), T::TextOnly);
}

TEST(ChainPoints, ExtremesAndStableSort)
{
    double x[] = {5, -2e9, 7, -2e9, 3e10};
    double y[] = {1, 2, 3, 4, -5e8};
    EXPECT_EQ(PickedExtreme(x, y, 5, 0, 0), 1);  // earliest of the tie
    EXPECT_EQ(PickedExtreme(x, y, 5, 0, 1), 4);  // beyond the old seeds
    EXPECT_EQ(PickedExtreme(x, y, 5, 1, 0), 4);
    EXPECT_EQ(PickedExtreme(x, y, 5, 1, 1), 3);
    EXPECT_EQ(PickedExtreme(x, y, 0, 0, 0), -1);

    double sx[] = {30, 10, 10, 20, 10};
    double sy[] = {1, 2, 3, 4, 5};
    SortChainPoints(sx, sy, 5, 0);
    EXPECT_EQ(std::vector<double>(sx, sx + 5), (std::vector<double>{10, 10, 10, 20, 30}));
    EXPECT_EQ(std::vector<double>(sy, sy + 5), (std::vector<double>{2, 3, 5, 4, 1}));
    SortChainPoints(sx, sy, 5, 1);
    EXPECT_EQ(std::vector<double>(sy, sy + 5), (std::vector<double>{1, 2, 3, 4, 5}));
    EXPECT_EQ(std::vector<double>(sx, sx + 5), (std::vector<double>{30, 10, 10, 20, 10}));
}

} // namespace

namespace {

TEST(DimensionArcs, DirectionOnArcAndEllipseSectors)
{
    struct Case {
        double theta, start, end;
        int direction;
        bool on;
    };
    const Case cases[] = {
        {45, 0, 90, 1, true},     {135, 0, 90, 1, false},  {0, 0, 90, 1, true},    {90, 0, 90, 1, true},
        {-10, 350, 30, 1, true},  {340, 350, 30, 1, false}, {45, 90, 0, -1, true},  {200, 90, 0, -1, false},
        {225, 90, 0, 1, true},    {45, 90, 0, 1, false},   {-0.0, 0, 360, 1, true}, {720.5, 0, 1, 1, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DirectionOnArc(c.theta, c.start, c.end, c.direction), c.on)
            << c.theta << " " << c.start << "-" << c.end << " " << c.direction;

    const std::pair<double, bool> sectors[] = {{45, false},  {45.0001, true}, {90, true},  {135, false},
                                               {180, false}, {225, false},    {270, true}, {315, false},
                                               {0, false},   {-30, false},    {400, false}};
    for (auto [a, across] : sectors)
        EXPECT_EQ(EllipseSectorAcross(a), across) << a;
}

} // namespace
