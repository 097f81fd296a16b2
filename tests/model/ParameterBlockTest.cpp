#include "model/ParameterBlock.h"

#include "common/ScratchFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const char kGothic[] = "\x82\x6c\x82\x72\x83\x53\x83\x56\x83\x62\x83\x4e";

// The factory image written out by hand, field by field.
std::vector<uint8_t> ExpectedFactoryImage()
{
    std::vector<uint8_t> img(728, 0);
    auto i32 = [&](std::size_t off, int32_t v) { std::memcpy(&img[off], &v, 4); };
    auto i16 = [&](std::size_t off, int16_t v) { std::memcpy(&img[off], &v, 2); };
    auto f32 = [&](std::size_t off, float v) { std::memcpy(&img[off], &v, 4); };
    auto f64 = [&](std::size_t off, double v) { std::memcpy(&img[off], &v, 8); };
    auto u32 = [&](std::size_t off, uint32_t v) { std::memcpy(&img[off], &v, 4); };
    auto str = [&](std::size_t off, const char* s) { std::memcpy(&img[off], s, std::strlen(s)); };
    static_assert(std::endian::native == std::endian::little, "fixture assumes a little-endian host");

    const int32_t plot[] = {0, 0, 2, 4, 0, 0, 0, 0, 2};
    for (int i = 0; i < 9; ++i) i32(4 * i, plot[i]);
    const int16_t windows[] = {94, 115, 94, 384, 122, 225};
    for (int i = 0; i < 6; ++i) i16(36 + 2 * i, windows[i]);
    i32(48, 1);
    i32(52, 4);
    i16(56, 0);
    i16(58, 2);
    f32(60, 20);
    f32(68, 20);
    f32(72, 20);
    f32(76, 20);
    f32(80, 20);
    f32(84, 20);
    i32(88, 0);
    f32(92, 30);
    f32(96, 10);
    const uint32_t screen[] = {0xFFFFFF, 0xD2D2D2, 0x0000FF, 0xFF0000, 0xFF00FF, 0x000000, 0xA0A0A0, 0x9A9A9A};
    const uint32_t pens[] = {0x000000, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0x4080C0};
    const float widths[] = {0.13f, 0.25f, 0.35f, 0.5f, 0.7f, 0.9f, 1.2f, 1.5f};
    for (int i = 0; i < 8; ++i) {
        u32(100 + 4 * i, screen[i]);
        u32(132 + 4 * i, pens[i]);
        f32(164 + 4 * i, widths[i]);
    }
    f32(196, 0.1f);
    f32(200, 0.2f);
    f32(204, 0.5f);
    const int16_t switches[] = {1, 1, 1, 1, 0, 1, 0, 0, 0, 0};
    for (int i = 0; i < 10; ++i) i16(208 + 2 * i, switches[i]);
    f32(232, 50);
    f32(236, 50);
    f32(240, 50);
    const int16_t lineFlags[] = {0, 0, 0, 0, 0, 0, 0, 1, 0, 0};
    for (int i = 0; i < 10; ++i) i16(244 + 2 * i, lineFlags[i]);
    const float lineValues[] = {90, 0, 50, 20, 20, 0, 0};
    for (int i = 0; i < 7; ++i) f32(264 + 4 * i, lineValues[i]);
    f32(296, 20);
    const int16_t shape[] = {3, 0, 0, 1, 1, 0};
    for (int i = 0; i < 6; ++i) i16(308 + 2 * i, shape[i]);
    const float shapeValues[] = {10, 10, 10, 0, 50};
    for (int i = 0; i < 5; ++i) f32(320 + 4 * i, shapeValues[i]);
    const int16_t misc[] = {1, 0, 2, 0, 0, 0, 0, 0};
    for (int i = 0; i < 8; ++i) i16(340 + 2 * i, misc[i]);
    const float miscValues[] = {0, 1, 0, 0, 10};
    for (int i = 0; i < 5; ++i) f32(356 + 4 * i, miscValues[i]);
    for (int i = 0; i < 8; ++i) {
        f64(376 + 8 * i, 0.0015);
        f64(440 + 8 * i, 0.0025);
    }
    str(504, kGothic);
    str(552, kGothic);
    str(600 + 5 * 4, "R");
    str(600 + 5 * 5, "\x83\xd3");
    return img;
}

std::vector<uint8_t> ReadAll(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const fs::path& p, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class ParameterFileTest : public ::testing::Test {
protected:
    ScratchFolder scratch{"orvik-prm"};
    fs::path folder = scratch.path();
};

} // namespace

TEST(ParameterBlock, FactoryImageIsByteExact)
{
    CParameterBlock block;
    CParameterBlock::Image image = block.ToBytes();
    std::vector<uint8_t> expected = ExpectedFactoryImage();
    for (std::size_t i = 0; i < CParameterBlock::Size; ++i) {
        ASSERT_EQ(image[i], expected[i]) << "byte " << i;
    }
}

TEST(ParameterBlock, FieldsSitAtTheirOffsets)
{
    // One distinct value per field kind, checked at its offset in the image.
    CParameterBlock b;
    b.PlotterStopBitsIndex = 0x01020304;
    b.LayerListHeight = 0x0506;
    b.DimDecimals = 0x00070003;
    b.ScreenColors[7] = 0x00A1B2C3;
    b.ThickLineWidths[2] = 7.5f;
    b.GridShown = 0x0909;
    b.Reserved228 = 0x0A0B0C0D;
    b.OffsetDistance = -2.25f;
    b.ToleranceValue2[7] = 1.0 / 3.0;
    b.DimPrefixes[7] = {'a', 'b', 'c', 'd', 0};
    b.PartsFolder[87] = 'z';
    const CParameterBlock::Image img = b.ToBytes();
    auto at32 = [&](std::size_t off) { uint32_t v; std::memcpy(&v, &img[off], 4); return v; };
    auto at16 = [&](std::size_t off) { uint16_t v; std::memcpy(&v, &img[off], 2); return v; };
    EXPECT_EQ(at32(32), 0x01020304u);
    EXPECT_EQ(at16(46), 0x0506u);
    EXPECT_EQ(at32(88), 0x00070003u);
    EXPECT_EQ(at32(128), 0x00A1B2C3u);
    float f;
    std::memcpy(&f, &img[204], 4);
    EXPECT_EQ(f, 7.5f);
    EXPECT_EQ(at16(218), 0x0909u);
    EXPECT_EQ(at32(228), 0x0A0B0C0Du);
    std::memcpy(&f, &img[372], 4);
    EXPECT_EQ(f, -2.25f);
    double d;
    std::memcpy(&d, &img[496], 8);
    EXPECT_EQ(d, 1.0 / 3.0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&img[635]), 4), "abcd");
    EXPECT_EQ(img[727], 'z');
}

TEST(ParameterBlock, RoundTripKeepsEveryByte)
{
    CParameterBlock b;
    b.PlotOffsetX = -7;
    b.PaletteTop = -5;
    b.DefaultGridPitch = 12.5f;
    b.PenColors[3] = 0x123456;
    b.DimToleranceType = 3;
    b.ToleranceValue1[6] = 0.125;
    b.TextFontName.fill('\x7f');
    b.TextFontName[3] = 0; // bytes after the terminator survive
    b.PartsFolder = {};
    std::memcpy(b.PartsFolder.data(), "/home/u/parts", 13);
    const CParameterBlock::Image image = b.ToBytes();
    CParameterBlock back;
    back.FromBytes(image.data(), image.size());
    EXPECT_EQ(back, b);
    EXPECT_EQ(back.ToBytes(), image);
}

TEST(ParameterBlock, ShortImageChangesOnlyLeadingFields)
{
    CParameterBlock src;
    src.PlotterBaudIndex = 8;
    src.DrawingScale = 50;
    src.PaperSize = 2;
    const CParameterBlock::Image image = src.ToBytes();
    CParameterBlock b;
    b.FromBytes(image.data(), 54); // up to the end of PaperSize
    EXPECT_EQ(b.PlotterBaudIndex, 8);
    EXPECT_EQ(b.DrawingScale, 50);
    EXPECT_EQ(b.PaperSize, 2);
    EXPECT_EQ(b.GridSensitivity, 2);
    EXPECT_EQ(b.TextHeight, 20.0f);
}

TEST(ParameterBlock, RepairTable)
{
    struct Case {
        const char* what;
        void (*damage)(CParameterBlock&);
        bool (*ok)(const CParameterBlock&);
    };
    const Case cases[] = {
        {"zero scale", [](CParameterBlock& b) { b.DrawingScale = 0; }, [](const CParameterBlock& b) { return b.DrawingScale == 1; }},
        {"negative scale", [](CParameterBlock& b) { b.DrawingScale = -30; }, [](const CParameterBlock& b) { return b.DrawingScale == 1; }},
        {"sensitivity 0", [](CParameterBlock& b) { b.GridSensitivity = 0; }, [](const CParameterBlock& b) { return b.GridSensitivity == 1; }},
        {"sensitivity 9", [](CParameterBlock& b) { b.GridSensitivity = 9; }, [](const CParameterBlock& b) { return b.GridSensitivity == 5; }},
        {"pitch 0", [](CParameterBlock& b) { b.DefaultGridPitch = 0; }, [](const CParameterBlock& b) { return b.DefaultGridPitch == 20.0f; }},
        {"pitch negative", [](CParameterBlock& b) { b.DefaultGridPitch = -4; }, [](const CParameterBlock& b) { return b.DefaultGridPitch == 20.0f; }},
        {"pitch NaN", [](CParameterBlock& b) { b.DefaultGridPitch = std::nanf(""); }, [](const CParameterBlock& b) { return b.DefaultGridPitch == 20.0f; }},
        {"text height inf", [](CParameterBlock& b) { b.TextHeight = INFINITY; }, [](const CParameterBlock& b) { return b.TextHeight == 20.0f; }},
        {"tolerance NaN", [](CParameterBlock& b) { b.ToleranceValue2[5] = std::nan(""); }, [](const CParameterBlock& b) { return b.ToleranceValue2[5] == 0.0025; }},
        {"pen width NaN", [](CParameterBlock& b) { b.PenWidths[7] = std::nanf(""); }, [](const CParameterBlock& b) { return b.PenWidths[7] == 1.5f; }},
        {"font without NUL", [](CParameterBlock& b) { b.TextFontName.fill('A'); },
         [](const CParameterBlock& b) { return std::string(b.TextFontName.data()) == std::string(47, 'A'); }},
        {"font without NUL, double-byte at the cut", [](CParameterBlock& b) { b.DimFontName.fill('\x82'); },
         [](const CParameterBlock& b) { return std::string(b.DimFontName.data()).size() == 46; }},
        {"prefix of five bytes", [](CParameterBlock& b) { b.DimPrefixes[2] = {'1', '2', '3', '4', '5'}; },
         [](const CParameterBlock& b) { return std::string(b.DimPrefixes[2].data()) == "1234" && b.DimPrefixes[3][0] == 0; }},
        {"parts folder of 88 bytes", [](CParameterBlock& b) { b.PartsFolder.fill('p'); },
         [](const CParameterBlock& b) { return std::string(b.PartsFolder.data()) == std::string(80, 'p'); }},
    };
    for (const Case& c : cases) {
        CParameterBlock b;
        c.damage(b);
        EXPECT_TRUE(b.Repair()) << c.what;
        EXPECT_TRUE(c.ok(b)) << c.what;
    }
    CParameterBlock sound;
    EXPECT_FALSE(sound.Repair());
    EXPECT_EQ(sound, CParameterBlock());
}

// Every field a damaged file can spoil comes back into the range the
// program works with: list positions, switches, counts, sizes, window
// places and colours take their factory values.
TEST(ParameterBlock, EveryFieldIsRepairedIntoItsRange)
{
    struct Case {
        const char* what;
        void (*damage)(CParameterBlock&);
    };
    const Case cases[] = {
        {"baud list position", [](CParameterBlock& b) { b.PlotterBaudIndex = 9; }},
        {"data bits list position", [](CParameterBlock& b) { b.PlotterDataBitsIndex = -1; }},
        {"flow control", [](CParameterBlock& b) { b.PlotterFlowControl = 4; }},
        {"command set", [](CParameterBlock& b) { b.PlotterCommandSet = 2; }},
        {"parity", [](CParameterBlock& b) { b.PlotterParity = 3; }},
        {"port", [](CParameterBlock& b) { b.PlotterPort = 6; }},
        {"stop bits", [](CParameterBlock& b) { b.PlotterStopBitsIndex = 3; }},
        {"plot offset", [](CParameterBlock& b) { b.PlotOffsetX = 2000000000; }},
        {"palette far right", [](CParameterBlock& b) { b.PaletteLeft = 30000; }},
        {"palette far above", [](CParameterBlock& b) { b.PaletteTop = -30000; }},
        {"layer list far left", [](CParameterBlock& b) { b.LayerListLeft = -20000; }},
        {"layer list width", [](CParameterBlock& b) { b.LayerListWidth = -1; }},
        {"layer list height", [](CParameterBlock& b) { b.LayerListHeight = 0; }},
        {"scale too large", [](CParameterBlock& b) { b.DrawingScale = 2000000000; }},
        {"paper", [](CParameterBlock& b) { b.PaperSize = 10; }},
        {"units", [](CParameterBlock& b) { b.UnitsMode = 2; }},
        {"grid kind", [](CParameterBlock& b) { b.GridKind = 3; }},
        {"grid line type", [](CParameterBlock& b) { b.GridLineType = 5; }},
        {"text height 0", [](CParameterBlock& b) { b.TextHeight = 0; }},
        {"text width negative", [](CParameterBlock& b) { b.TextWidth = -1; }},
        {"hatch spacing 0", [](CParameterBlock& b) { b.HatchSpacingY = 0; }},
        {"hatch spacing huge", [](CParameterBlock& b) { b.HatchSpacingX = 1e30f; }},
        {"decimals", [](CParameterBlock& b) { b.DimDecimals = 5; }},
        {"screen colour top byte", [](CParameterBlock& b) { b.ScreenColors[2] = 0xFF0000FF; }},
        {"pen colour top byte", [](CParameterBlock& b) { b.PenColors[0] = 0x01000000; }},
        {"pen width 0", [](CParameterBlock& b) { b.PenWidths[3] = 0; }},
        {"thick line huge", [](CParameterBlock& b) { b.ThickLineWidths[1] = 1e9f; }},
        {"paper source", [](CParameterBlock& b) { b.PaperSource = -1; }},
        {"display switch", [](CParameterBlock& b) { b.ShowOriginMark = 7; }},
        {"magnet switch", [](CParameterBlock& b) { b.MagnetEnabled = -1; }},
        {"grid shown", [](CParameterBlock& b) { b.GridShown = 2; }},
        {"dot size list position", [](CParameterBlock& b) { b.DimDotSize = 5; }},
        {"arrow size list position", [](CParameterBlock& b) { b.DimArrowSize = -1; }},
        {"arrow scale mode", [](CParameterBlock& b) { b.DimArrowScaleMode = 2; }},
        {"reserved", [](CParameterBlock& b) { b.Reserved228 = 5; }},
        {"line mode", [](CParameterBlock& b) { b.LineMode = 2; }},
        {"parallel count 0", [](CParameterBlock& b) { b.ParallelCount = 0; }},
        {"parallel count huge", [](CParameterBlock& b) { b.ParallelCount = 30000; }},
        {"infinite line mode", [](CParameterBlock& b) { b.InfiniteLineMode = 3; }},
        {"polygon vertices 2", [](CParameterBlock& b) { b.PolygonVertexCount = 2; }},
        {"polygon vertices 25", [](CParameterBlock& b) { b.PolygonVertexCount = 25; }},
        {"corner mode", [](CParameterBlock& b) { b.CornerMode = 3; }},
        {"circle radius negative", [](CParameterBlock& b) { b.CircleRadius = -5; }},
        {"box width huge", [](CParameterBlock& b) { b.RectWidth = 1e20f; }},
        {"hatch pattern", [](CParameterBlock& b) { b.HatchPattern = 4; }},
        {"scale base", [](CParameterBlock& b) { b.ScaleBase = 3; }},
        {"stretch mode", [](CParameterBlock& b) { b.StretchMode = -1; }},
        {"tolerance type", [](CParameterBlock& b) { b.DimToleranceType = 8; }},
        {"arrowhead", [](CParameterBlock& b) { b.ArrowheadKind = 4; }},
        {"leader shape", [](CParameterBlock& b) { b.LeaderShape = 3; }},
        {"point shape", [](CParameterBlock& b) { b.PointShape = 3; }},
        {"angle", [](CParameterBlock& b) { b.TextAngle = 1e10f; }},
        {"move scale 0", [](CParameterBlock& b) { b.MoveScale = 0; }},
        {"tolerance huge", [](CParameterBlock& b) { b.ToleranceValue1[2] = 1e300; }},
        {"font of control bytes", [](CParameterBlock& b) { b.TextFontName = {'\x01', '\x02'}; }},
        {"empty dimension font", [](CParameterBlock& b) { b.DimFontName = {}; }},
        {"prefix of a broken character", [](CParameterBlock& b) { b.DimPrefixes[4] = {'\xFF', 'x'}; }},
    };
    const CParameterBlock factory;
    for (const Case& c : cases) {
        CParameterBlock b;
        c.damage(b);
        EXPECT_TRUE(b.Repair()) << c.what;
        EXPECT_EQ(b, factory) << c.what;
    }
    // Values inside the ranges stay as they are.
    CParameterBlock kept;
    kept.PlotterBaudIndex = 8;
    kept.PlotterPort = 5;
    kept.PaletteLeft = -300;
    kept.LayerListWidth = 400;
    kept.PolygonVertexCount = 24;
    kept.ParallelCount = 100;
    kept.DimDecimals = 4;
    kept.PenColors[7] = 0x808080;
    kept.ScreenColors[0] = 0x000000;  // a black sheet...
    kept.ScreenColors[5] = 0xFFFFFF;
    kept.PenColors[0] = 0xFFFFFF;     // ...with a white pen 1
    const CParameterBlock before = kept;
    EXPECT_FALSE(kept.Repair());
    EXPECT_EQ(kept, before);
}

// A pen or mark the colour of the sheet cannot be seen: it takes its factory
// colour, or black or white where that would vanish too.
TEST(ParameterBlock, InvisibleColoursAreRepaired)
{
    struct Case {
        uint32_t background;
        uint32_t pen;
        std::size_t index;
        uint32_t expected;
    };
    const Case cases[] = {
        {0xFFFFFF, 0xFFFFFF, 0, 0x000000},  // white on white: pen 1's black
        {0xFFFFFF, 0xF0F0F0, 3, 0xFFFF00},  // nearly white: pen 4's factory colour
        {0x000000, 0x000000, 0, 0xFFFFFF},  // black on black, and pen 1's factory black is lost too
        {0x000000, 0x101010, 5, 0xFF00FF},
        {0xFFFF00, 0xFFFF00, 3, 0x000000},  // pen 4's factory colour is the sheet's itself
    };
    for (const Case& c : cases) {
        CParameterBlock b;
        b.ScreenColors[0] = c.background;
        for (std::size_t i = 1; i < 8; ++i)
            if (b.ScreenColors[i] == c.background) b.ScreenColors[i] = c.background ^ 0x808080;
        b.PenColors[c.index] = c.pen;
        EXPECT_TRUE(b.Repair());
        EXPECT_EQ(b.PenColors[c.index], c.expected) << std::hex << c.background << " " << c.pen;
    }
    CParameterBlock grid;
    grid.ScreenColors[1] = 0xFFFFFF;  // a grid the colour of the sheet
    EXPECT_TRUE(grid.Repair());
    EXPECT_EQ(grid.ScreenColors[1], CParameterBlock().ScreenColors[1]);
}

TEST_F(ParameterFileTest, MissingFileIsCreatedWithFactoryValues)
{
    CParameterBlock b;
    b.DrawingScale = 77;
    EXPECT_EQ(ReadParameterFile(folder, b), ParameterFileStatus::Created);
    EXPECT_EQ(b, CParameterBlock());
    std::vector<uint8_t> bytes = ReadAll(ParameterFilePath(folder));
    ASSERT_EQ(bytes.size(), 728u);
    EXPECT_EQ(bytes, ExpectedFactoryImage());
    EXPECT_FALSE(fs::exists(ParameterFilePath(folder).string() + ".tmp"));
}

TEST_F(ParameterFileTest, MissingFileInMissingFolderReportsMissing)
{
    CParameterBlock b;
    EXPECT_EQ(ReadParameterFile(folder / "no" / "such", b), ParameterFileStatus::Missing);
    EXPECT_EQ(b, CParameterBlock());
    EXPECT_EQ(ReadParameterFile(folder, b, false), ParameterFileStatus::Missing);
    EXPECT_FALSE(fs::exists(ParameterFilePath(folder)));
}

TEST_F(ParameterFileTest, WriteThenReadRoundTrips)
{
    CParameterBlock b;
    b.PlotterPort = 5;
    b.PenColors[7] = 0x808080;  // (white would vanish on the white sheet and be repaired)
    b.RectWidth = 100.0f;
    ASSERT_TRUE(WriteParameterFile(folder, b));
    CParameterBlock back;
    EXPECT_EQ(ReadParameterFile(folder, back), ParameterFileStatus::Read);
    EXPECT_EQ(back, b);
}

TEST_F(ParameterFileTest, ShortFileIsReadOverFactoryValues)
{
    CParameterBlock src;
    src.PlotterBaudIndex = 6;
    src.PaletteLeft = 300;
    src.TextHeight = 3.5f; // beyond the cut: not taken
    CParameterBlock::Image image = src.ToBytes();
    WriteAll(ParameterFilePath(folder), std::vector<uint8_t>(image.begin(), image.begin() + 41));
    CParameterBlock b;
    EXPECT_EQ(ReadParameterFile(folder, b), ParameterFileStatus::Repaired);
    EXPECT_EQ(b.PlotterBaudIndex, 6);
    EXPECT_EQ(b.PaletteLeft, 300);
    EXPECT_EQ(b.LayerListLeft, 94); // half in the file, half factory: both say 94
    EXPECT_EQ(b.TextHeight, 20.0f);
    EXPECT_EQ(std::string(b.TextFontName.data()), kGothic);
}

TEST_F(ParameterFileTest, EmptyAndLongFiles)
{
    WriteAll(ParameterFilePath(folder), {});
    CParameterBlock b;
    EXPECT_EQ(ReadParameterFile(folder, b), ParameterFileStatus::Repaired);
    EXPECT_EQ(b, CParameterBlock());

    CParameterBlock src;
    src.OffsetDistance = 2.0f;
    CParameterBlock::Image image = src.ToBytes();
    std::vector<uint8_t> longer(2000, 0xEE);
    std::copy(image.begin(), image.end(), longer.begin());
    WriteAll(ParameterFilePath(folder), longer);
    EXPECT_EQ(ReadParameterFile(folder, b), ParameterFileStatus::Read);
    EXPECT_EQ(b, src);
}

TEST_F(ParameterFileTest, GarbageFileIsRepaired)
{
    // 0xFF everywhere: every float is NaN, every text lacks a terminator,
    // the scale is -1 and the sensitivity -1.
    WriteAll(ParameterFilePath(folder), std::vector<uint8_t>(728, 0xFF));
    CParameterBlock b;
    EXPECT_EQ(ReadParameterFile(folder, b), ParameterFileStatus::Repaired);
    EXPECT_EQ(b.DrawingScale, 1);
    EXPECT_EQ(b.GridSensitivity, 1);
    EXPECT_EQ(b.DefaultGridPitch, 20.0f);
    EXPECT_EQ(b.ToleranceValue1[0], 0.0015);
    EXPECT_EQ(b.LineLength, 50.0f);
    EXPECT_LE(std::strlen(b.TextFontName.data()), 47u);
    EXPECT_LE(std::strlen(b.PartsFolder.data()), 80u);
    for (const auto& p : b.DimPrefixes) EXPECT_LE(std::strlen(p.data()), 4u);
}

// A file of 0xFF bytes and files of random bytes: whatever they hold, the
// record read is one the program can work with, and reading it again gives
// the same record with nothing left to repair.
TEST_F(ParameterFileTest, DamagedFilesGiveAUsableRecord)
{
    std::vector<std::vector<uint8_t>> files{std::vector<uint8_t>(728, 0xFF)};
    uint32_t seed = 12345;
    for (int n = 0; n < 40; ++n) {
        std::vector<uint8_t> bytes(728);
        for (auto& byte : bytes) {
            seed = seed * 1664525u + 1013904223u;
            byte = static_cast<uint8_t>(seed >> 24);
        }
        files.push_back(bytes);
    }
    for (std::size_t n = 0; n < files.size(); ++n) {
        WriteAll(ParameterFilePath(folder), files[n]);
        CParameterBlock b;
        ASSERT_EQ(ReadParameterFile(folder, b), ParameterFileStatus::Repaired) << n;
        for (std::size_t i = 0; i < 8; ++i) {
            EXPECT_EQ(b.PenColors[i] >> 24, 0u) << n;
            const uint32_t pen = b.PenColors[i], sheet = b.ScreenColors[0];
            int most = 0;
            for (int shift = 0; shift < 24; shift += 8)
                most = std::max(most, std::abs(int((pen >> shift) & 0xFF) - int((sheet >> shift) & 0xFF)));
            EXPECT_GE(most, 48) << "file " << n << " pen " << i << " is lost on the sheet";
            EXPECT_GT(b.PenWidths[i], 0.0f) << n;
        }
        for (int16_t place : {b.PaletteLeft, b.PaletteTop, b.LayerListLeft, b.LayerListTop})
            EXPECT_LE(std::abs(int(place)), 16000) << n;
        EXPECT_GE(b.LayerListWidth, 40) << n;
        EXPECT_GE(b.LayerListHeight, 40) << n;
        EXPECT_GE(b.PolygonVertexCount, 3) << n;
        EXPECT_LE(b.PolygonVertexCount, 24) << n;
        EXPECT_GT(b.HatchSpacingX, 0.0f) << n;
        EXPECT_NE(b.TextFontName[0], '\0') << n;
        CParameterBlock again = b;
        EXPECT_FALSE(again.Repair()) << n;
        ASSERT_TRUE(WriteParameterFile(folder, b));
        CParameterBlock back;
        EXPECT_EQ(ReadParameterFile(folder, back), ParameterFileStatus::Read) << n;
        EXPECT_EQ(back, b) << n;
    }
}
