#include "model/ParameterBlock.h"
#include "model/Settings.h"

#include <gtest/gtest.h>

#include <cmath>

#include <cstring>
#include <string>

namespace {

template <std::size_t N> void SetField(std::array<char, N>& field, const char* text)
{
    field.fill(0);
    std::memcpy(field.data(), text, std::strlen(text));
}

// Puts back every process-wide setting these tests change (the test
// listener does too; the fixture keeps them apart when run by hand).
class Settings : public ::testing::Test {
protected:
    void TearDown() override { saved.Restore(); }

    SettingsSnapshot saved = SettingsSnapshot::Capture();
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

TEST_F(Settings, SnapshotAndFactoryValuesCoverEverySetting)
{
    RestoreFactorySettings();
    const SettingsSnapshot factory = SettingsSnapshot::Capture();
    // A few values of every kind, as the run starts with them.
    EXPECT_EQ(factory.PaletteShown, -1);
    EXPECT_EQ(factory.LayerCount, 10);
    EXPECT_EQ(factory.LayerNames[9], "Layer10");
    EXPECT_EQ(factory.LayerStates[127], 1);
    EXPECT_EQ(factory.ParallelCount, 1);
    EXPECT_EQ(factory.PenColors[7], 0x4080C0u);
    EXPECT_EQ(factory.ToleranceValue2[0], 0.0025);
    EXPECT_EQ(factory.TextFontName, "\x82\x6c\x82\x72\x83\x53\x83\x56\x83\x62\x83\x4e");
    EXPECT_EQ(factory.PartsFolder, "");

    PolygonVertexCount = 9;
    LayerNames[3] = "walls";
    DimPrefixes[2] = "R";
    MoveByCoordinates = 1;
    const SettingsSnapshot changed = SettingsSnapshot::Capture();
    factory.Restore();
    EXPECT_EQ(PolygonVertexCount, 3);
    EXPECT_EQ(LayerNames[3], "Layer04");
    EXPECT_EQ(DimPrefixes[2], "");
    EXPECT_EQ(MoveByCoordinates, 0);
    changed.Restore();
    EXPECT_EQ(PolygonVertexCount, 9);
    EXPECT_EQ(LayerNames[3], "walls");
    RestoreFactorySettings();
    EXPECT_EQ(DimPrefixes[2], "");
    EXPECT_EQ(MoveByCoordinates, 0);
}

TEST_F(Settings, StoredOptionsSurviveARoundTripThroughTheRecord)
{
    // Every option written out comes back unchanged; the run-only values
    // are neither written nor read.
    LineMode = 4;
    ParallelCount = 7;
    CircleRadius = 12.5f;
    RectBasePoint = 2;
    OffsetDistance = 3.25f;
    ToleranceValue1[3] = 0.125;
    DimToleranceType = 7;
    PaletteLeft = 200;
    LengthReadoutEnabled = 1;
    TextFontName = "Face";
    PartsFolder = "/parts";
    MoveByCoordinates = 1;
    CParameterBlock b;
    StoreSettingsInParameters(b);
    RestoreFactorySettings();
    ApplyParametersToSettings(b);
    EXPECT_EQ(LineMode, 4);
    EXPECT_EQ(ParallelCount, 7);
    EXPECT_EQ(CircleRadius, 12.5f);
    EXPECT_EQ(RectBasePoint, 2);
    EXPECT_EQ(OffsetDistance, 3.25f);
    EXPECT_EQ(ToleranceValue1[3], 0.125);
    EXPECT_EQ(DimToleranceType, 7);
    EXPECT_EQ(b.DimToleranceType, 3);
    EXPECT_EQ(PaletteLeft, 200);
    EXPECT_EQ(LengthReadoutEnabled, 1);
    EXPECT_EQ(TextFontName, "Face");
    EXPECT_EQ(PartsFolder, "/parts");
    EXPECT_EQ(MoveByCoordinates, 0);
}

TEST(ScaleDenominator, WholePartAndNeverBelowOne)
{
    struct Case {
        double scale;
        int denominator;
    };
    for (Case c : {Case{1, 1}, Case{50.9, 50}, Case{0.5, 1}, Case{0.999, 1}, Case{0, 1}, Case{-20, 1},
                   Case{std::nan(""), 1}, Case{1e12, 1}, Case{2147483.0, 2147483}}) {
        EXPECT_EQ(ScaleDenominatorFor(c.scale), c.denominator) << c.scale;
    }
}

