#include "model/ParameterBlock.h"
#include "model/Settings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

template <std::size_t N> void SetField(std::array<char, N>& field, const char* text)
{
    field.fill(0);
    std::memcpy(field.data(), text, std::strlen(text));
}

// Puts back every process-wide setting these tests change.
class Settings : public ::testing::Test {
protected:
    void SetUp() override
    {
        StoreSettingsInParameters(saved);
        savedUnits = UnitsMode;
        savedPrefixes = DimPrefixes;
        savedPrefixLengths = DimPrefixLengths;
        savedDimFont = DimFontName;
        savedPenColors = PenColors;
        savedPenWidths = PenWidths;
        savedThick = ThickLineWidths;
        savedSizes = {TextHeight, TextWidth, HatchSpacingY, HatchSpacingX, DimTextSize, DimUpperExtension, DimLowerExtension};
        savedShorts = {DimDecimals, GridKind, GridLineType};
        savedFont = TextFontName;
        savedParts = PartsFolder;
        savedPalette = {PaletteLeft, PaletteTop};
    }
    void TearDown() override
    {
        ApplyParametersToSettings(saved);
        UnitsMode = savedUnits;
        DimPrefixes = savedPrefixes;
        DimPrefixLengths = savedPrefixLengths;
        DimFontName = savedDimFont;
        PenColors = savedPenColors;
        PenWidths = savedPenWidths;
        ThickLineWidths = savedThick;
        TextHeight = savedSizes[0];
        TextWidth = savedSizes[1];
        HatchSpacingY = savedSizes[2];
        HatchSpacingX = savedSizes[3];
        DimTextSize = savedSizes[4];
        DimUpperExtension = savedSizes[5];
        DimLowerExtension = savedSizes[6];
        DimDecimals = savedShorts[0];
        GridKind = savedShorts[1];
        GridLineType = savedShorts[2];
        TextFontName = savedFont;
        PartsFolder = savedParts;
        PaletteLeft = savedPalette[0]; // the apply above maps 0 to 40
        PaletteTop = savedPalette[1];
    }

    CParameterBlock saved;
    int16_t savedUnits = 0;
    std::array<std::string, 8> savedPrefixes;
    std::array<int16_t, 8> savedPrefixLengths{};
    std::string savedDimFont, savedFont, savedParts;
    std::array<uint32_t, 8> savedPenColors{};
    std::array<float, 8> savedPenWidths{};
    std::array<float, 3> savedThick{};
    std::array<float, 7> savedSizes{};
    std::array<int16_t, 3> savedShorts{};
    std::array<int16_t, 2> savedPalette{};
};

} // namespace

TEST_F(Settings, ApplyCopiesTheMirroredFields)
{
    CParameterBlock b;
    b.PaletteLeft = 0;
    b.PaletteTop = -5;
    b.LayerListLeft = -3; // taken as it is
    b.PenColors[2] = 0xABCDEF;
    b.PenWidths[0] = 0.3f;
    b.ThickLineWidths[1] = 0.6f;
    b.LineLength = 12.0f;
    b.RectWidth = 33.0f;
    b.ToleranceValue1[6] = 0.5;
    b.TextHeight = 4.0f;
    b.DimDecimals = 0x00050002; // the setting keeps the low 16 bits
    b.ShowOriginMark = 0;
    b.GridKind = 2;
    b.DimArrowScaleMode = 1;
    SetField(b.DimPrefixes[0], "ABCD");
    SetField(b.TextFontName, "\x82\x6c\x82\x72 Mincho");
    SetField(b.PartsFolder, "/srv/parts");
    ApplyParametersToSettings(b);
    EXPECT_EQ(PaletteLeft, 40);
    EXPECT_EQ(PaletteTop, 80);
    EXPECT_EQ(LayerListLeft, -3);
    EXPECT_EQ(PenColors[2], 0xABCDEFu);
    EXPECT_EQ(PenWidths[0], 0.3f);
    EXPECT_EQ(ThickLineWidths[1], 0.6f);
    EXPECT_EQ(LineLength, 12.0f);
    EXPECT_EQ(RectWidth, 33.0f);
    EXPECT_EQ(ToleranceValue1[6], 0.5);
    EXPECT_EQ(TextHeight, 4.0f);
    EXPECT_EQ(DimDecimals, 2);
    EXPECT_EQ(ShowOriginMark, 0);
    EXPECT_EQ(GridKind, 2);
    EXPECT_EQ(DimArrowScaleMode, 1);
    EXPECT_EQ(DimPrefixes[0], "ABCD");
    EXPECT_EQ(DimPrefixLengths[0], 4);
    EXPECT_EQ(DimPrefixes[1], "");
    EXPECT_EQ(DimPrefixLengths[1], 0);
    EXPECT_EQ(DimPrefixes[5], "\x83\xd3");
    EXPECT_EQ(DimPrefixLengths[5], 2);
    EXPECT_EQ(TextFontName, "\x82\x6c\x82\x72 Mincho");
    EXPECT_EQ(DimFontName, "\x82\x6c\x82\x72\x83\x53\x83\x56\x83\x62\x83\x4e");
    EXPECT_EQ(PartsFolder, "/srv/parts");
}

TEST_F(Settings, ToleranceKindIsExchangedBothWays)
{
    struct Case {
        int16_t stored, setting;
    };
    for (Case c : {Case{0, 0}, Case{3, 7}, Case{7, 3}, Case{5, 5}, Case{1, 1}}) {
        CParameterBlock b;
        b.DimToleranceType = c.stored;
        ApplyParametersToSettings(b);
        EXPECT_EQ(DimToleranceType, c.setting) << c.stored;
        CParameterBlock out;
        StoreSettingsInParameters(out);
        EXPECT_EQ(out.DimToleranceType, c.stored) << c.stored;
    }
}

TEST_F(Settings, StoreOverlaysOnlyTheMirroredFields)
{
    CParameterBlock b;
    b.DrawingScale = 25;       // not a mirrored field: kept
    b.PenColors[1] = 0x111111; // written as the record holds it
    b.DimFontName[0] = 'X';
    b.Reserved226 = 9;
    b.Reserved228 = 9;
    SetField(b.PartsFolder, "/a/very/long/folder/name");
    PaletteLeft = 11;
    LayerListHeight = 300;
    MagnetEnabled = 0;
    DimDotSize = 3;
    PenColors[1] = 0x222222;
    RectHeight = 55.0f;
    ToleranceValue2[7] = 0.75;
    TextFontName = "Face";
    PartsFolder = "/b";
    StoreSettingsInParameters(b);
    EXPECT_EQ(b.DrawingScale, 25);
    EXPECT_EQ(b.PenColors[1], 0x111111u);
    EXPECT_EQ(b.DimFontName[0], 'X');
    EXPECT_EQ(b.Reserved226, 0);
    EXPECT_EQ(b.Reserved228, 0);
    EXPECT_EQ(b.PaletteLeft, 11);
    EXPECT_EQ(b.LayerListHeight, 300);
    EXPECT_EQ(b.MagnetEnabled, 0);
    EXPECT_EQ(b.DimDotSize, 3);
    EXPECT_EQ(b.RectHeight, 55.0f);
    EXPECT_EQ(b.ToleranceValue2[7], 0.75);
    EXPECT_EQ(std::string(b.TextFontName.data()), "Face");
    // Stored as a string: the old bytes after the new terminator remain.
    EXPECT_EQ(std::string(b.PartsFolder.data()), "/b");
    EXPECT_EQ(std::string(b.PartsFolder.data() + 3), "very/long/folder/name");
}

TEST_F(Settings, StoreCutsLongTextsOnCharacterBoundaries)
{
    CParameterBlock b;
    TextFontName = std::string(46, 'a') + "\x82\xa0"; // 48 bytes; the last character does not fit
    PartsFolder = std::string(100, 'p');
    StoreSettingsInParameters(b);
    EXPECT_EQ(std::string(b.TextFontName.data()), std::string(46, 'a'));
    EXPECT_EQ(std::string(b.PartsFolder.data()), std::string(80, 'p'));
}

TEST_F(Settings, DefaultLayerTable)
{
    EXPECT_EQ(DefaultLayerName(0), "Layer01");
    EXPECT_EQ(DefaultLayerName(127), "Layer128");
}
