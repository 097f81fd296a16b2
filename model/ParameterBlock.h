#pragma once
// The settings record kept in ORVPRM.DAT: 728 bytes, little-endian, no header.
// Each document holds a copy; the first document of a run copies it into the
// process-wide settings (model/Settings.h).

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>

class CParameterBlock {
public:
    static constexpr std::size_t Size = 728;
    using Image = std::array<uint8_t, Size>;
    static constexpr const char* FileName = "ORVPRM.DAT";

    // Plotter and plot dialog.
    int32_t PlotOffsetX = 0;            //   0
    int32_t PlotOffsetY = 0;            //   4
    int32_t PlotterBaudIndex = 2;       //   8
    int32_t PlotterDataBitsIndex = 4;   //  12
    int32_t PlotterFlowControl = 0;     //  16
    int32_t PlotterCommandSet = 0;      //  20
    int32_t PlotterParity = 0;          //  24
    int32_t PlotterPort = 0;            //  28
    int32_t PlotterStopBitsIndex = 2;   //  32
    // Window positions of the palettes and the layer list.
    int16_t PaletteLeft = 94;           //  36
    int16_t PaletteTop = 115;           //  38
    int16_t LayerListLeft = 94;         //  40
    int16_t LayerListTop = 384;         //  42
    int16_t LayerListWidth = 122;       //  44
    int16_t LayerListHeight = 225;      //  46
    // New drawings, grid, sizes.
    int32_t DrawingScale = 1;           //  48
    int32_t PaperSize = 4;              //  52
    int16_t UnitsMode = 0;              //  56
    int16_t GridSensitivity = 2;        //  58
    float DefaultGridPitch = 20.0f;     //  60
    int16_t GridKind = 0;               //  64
    int16_t GridLineType = 0;           //  66
    float TextHeight = 20.0f;           //  68
    float TextWidth = 20.0f;            //  72
    float HatchSpacingY = 20.0f;        //  76
    float HatchSpacingX = 20.0f;        //  80
    float DimTextSize = 20.0f;          //  84
    int32_t DimDecimals = 0;            //  88
    float DimUpperExtension = 30.0f;    //  92
    float DimLowerExtension = 10.0f;    //  96
    std::array<uint32_t, 8> ScreenColors{0xFFFFFF, 0xD2D2D2, 0x0000FF, 0xFF0000,
                                         0xFF00FF, 0x000000, 0xA0A0A0, 0x9A9A9A}; // 100
    std::array<uint32_t, 8> PenColors{0x000000, 0xFF0000, 0x00FF00, 0xFFFF00,
                                      0x0000FF, 0xFF00FF, 0x00FFFF, 0x4080C0};    // 132
    std::array<float, 8> PenWidths{0.13f, 0.25f, 0.35f, 0.5f, 0.7f, 0.9f, 1.2f, 1.5f}; // 164
    std::array<float, 3> ThickLineWidths{0.1f, 0.2f, 0.5f};                             // 196
    int16_t PaperSource = 1;            // 208
    int16_t ShowDrawingRange = 1;       // 210
    int16_t ShowOriginMark = 1;         // 212
    int16_t MagnetEnabled = 1;          // 214
    int16_t LengthReadoutEnabled = 0;   // 216
    int16_t GridShown = 1;              // 218
    int16_t DimDotSize = 0;             // 220
    int16_t DimArrowSize = 0;           // 222
    int16_t DimArrowScaleMode = 0;      // 224
    int16_t Reserved226 = 0;            // 226
    int32_t Reserved228 = 0;            // 228
    // Last values of the tool option panels.
    float PointCoordX = 50.0f;          // 232
    float PointCoordY = 50.0f;          // 236
    float PointOptionDistance = 50.0f;  // 240
    int16_t LineMode = 0;               // 244
    int16_t LineLengthGiven = 0;        // 246
    int16_t LineAngleGiven = 0;         // 248
    int16_t AngleBoxLengthGiven = 0;    // 250
    int16_t DoubleLineMode = 0;         // 252
    int16_t DoubleLineCentre = 0;       // 254
    int16_t ParallelDistanceGiven = 0;  // 256
    int16_t ParallelCount = 1;          // 258
    int16_t InfiniteLineMode = 0;       // 260
    int16_t ContinuousLineMode = 0;     // 262
    float AngleBoxAngle = 90.0f;        // 264
    float LineAngle = 0.0f;             // 268
    float LineLength = 50.0f;           // 272
    float DoubleLineLeftGap = 20.0f;    // 276
    float DoubleLineRightGap = 20.0f;   // 280
    float InfiniteLineAngle = 0.0f;     // 284
    float ParallelDistance = 0.0f;      // 288
    int16_t CircleRadiusGiven = 0;      // 292
    int16_t ArcDirection = 0;           // 294
    float CircleRadius = 20.0f;         // 296
    float ArcStartAngle = 0.0f;         // 300
    float ArcEndAngle = 0.0f;           // 304
    int16_t PolygonVertexCount = 3;     // 308
    int16_t ShapeSizeGiven = 0;         // 310
    int16_t RectBasePoint = 0;          // 312
    int16_t CornerTrimLine1 = 1;        // 314
    int16_t CornerTrimLine2 = 1;        // 316
    int16_t CornerMode = 0;             // 318
    float CornerDistance = 10.0f;       // 320
    float RectWidth = 10.0f;            // 324
    float RectHeight = 10.0f;           // 328
    float ShapeAngle = 0.0f;            // 332
    float PolygonDistance = 50.0f;      // 336
    int16_t HatchPattern = 1;           // 340
    int16_t ScaleBase = 0;              // 342
    int16_t StretchMode = 2;            // 344
    int16_t DimToleranceType = 0;       // 346 (as stored: 3 and 7 exchanged against the setting)
    int16_t ArrowheadKind = 0;          // 348
    int16_t LeaderShape = 0;            // 350
    int16_t TextSubtype = 0;            // 352
    int16_t PointShape = 0;             // 354
    float TextAngle = 0.0f;             // 356
    float MoveScale = 1.0f;             // 360
    float MoveAngle = 0.0f;             // 364
    float HatchAngle = 0.0f;            // 368
    float OffsetDistance = 10.0f;       // 372
    std::array<double, 8> ToleranceValue1{0.0015, 0.0015, 0.0015, 0.0015, 0.0015, 0.0015, 0.0015, 0.0015}; // 376
    std::array<double, 8> ToleranceValue2{0.0025, 0.0025, 0.0025, 0.0025, 0.0025, 0.0025, 0.0025, 0.0025}; // 440
    // Texts: code page 932, NUL-terminated inside their fields.
    std::array<char, 48> TextFontName{};               // 504
    std::array<char, 48> DimFontName{};                // 552
    std::array<std::array<char, 5>, 8> DimPrefixes{};  // 600
    std::array<char, 88> PartsFolder{};                // 640

    // The factory values of every field (the parts folder empty).
    CParameterBlock();
    void SetFactoryDefaults();

    // The 728-byte little-endian image.
    Image ToBytes() const;
    // Decodes size bytes of an image over the current values: a short image
    // changes only the leading bytes, the rest keep what they held.
    void FromBytes(const uint8_t* data, std::size_t size);

    // Repairs values a damaged file could carry: a scale of 0 or less becomes
    // 1, the grid sensitivity is clamped to 1..5, a grid pitch of 0 or less
    // gets its factory value, any non-finite number its factory value, and a
    // text field without a terminator is cut on a character boundary.
    // Returns true when something was changed.
    bool Repair();

    bool operator==(const CParameterBlock&) const = default;

    // Visits every field in record order as f(offset, field).
    template <class Self, class F> static void VisitFields(Self& b, F&& f);
};

// Outcome of reading the settings file.
enum class ParameterFileStatus {
    Read,        // 728 bytes read, nothing to repair
    Repaired,    // short or damaged: read over the factory values and repaired
    Created,     // missing: the factory record was written
    Missing,     // missing, and it could not be created
};

// Path of the settings file in folder.
std::filesystem::path ParameterFilePath(const std::filesystem::path& folder);

// Reads ORVPRM.DAT from folder into block. When the file is missing the block
// gets the factory values and, when createWhenMissing is set, the file is
// written with them.
ParameterFileStatus ReadParameterFile(const std::filesystem::path& folder, CParameterBlock& block,
                                      bool createWhenMissing = true);

// Writes the 728 bytes to ORVPRM.DAT in folder through a temporary file that
// replaces the old one only when every byte was written. False on failure.
bool WriteParameterFile(const std::filesystem::path& folder, const CParameterBlock& block);

template <class Self, class F> void CParameterBlock::VisitFields(Self& b, F&& f)
{
    f(0, b.PlotOffsetX);
    f(4, b.PlotOffsetY);
    f(8, b.PlotterBaudIndex);
    f(12, b.PlotterDataBitsIndex);
    f(16, b.PlotterFlowControl);
    f(20, b.PlotterCommandSet);
    f(24, b.PlotterParity);
    f(28, b.PlotterPort);
    f(32, b.PlotterStopBitsIndex);
    f(36, b.PaletteLeft);
    f(38, b.PaletteTop);
    f(40, b.LayerListLeft);
    f(42, b.LayerListTop);
    f(44, b.LayerListWidth);
    f(46, b.LayerListHeight);
    f(48, b.DrawingScale);
    f(52, b.PaperSize);
    f(56, b.UnitsMode);
    f(58, b.GridSensitivity);
    f(60, b.DefaultGridPitch);
    f(64, b.GridKind);
    f(66, b.GridLineType);
    f(68, b.TextHeight);
    f(72, b.TextWidth);
    f(76, b.HatchSpacingY);
    f(80, b.HatchSpacingX);
    f(84, b.DimTextSize);
    f(88, b.DimDecimals);
    f(92, b.DimUpperExtension);
    f(96, b.DimLowerExtension);
    f(100, b.ScreenColors);
    f(132, b.PenColors);
    f(164, b.PenWidths);
    f(196, b.ThickLineWidths);
    f(208, b.PaperSource);
    f(210, b.ShowDrawingRange);
    f(212, b.ShowOriginMark);
    f(214, b.MagnetEnabled);
    f(216, b.LengthReadoutEnabled);
    f(218, b.GridShown);
    f(220, b.DimDotSize);
    f(222, b.DimArrowSize);
    f(224, b.DimArrowScaleMode);
    f(226, b.Reserved226);
    f(228, b.Reserved228);
    f(232, b.PointCoordX);
    f(236, b.PointCoordY);
    f(240, b.PointOptionDistance);
    f(244, b.LineMode);
    f(246, b.LineLengthGiven);
    f(248, b.LineAngleGiven);
    f(250, b.AngleBoxLengthGiven);
    f(252, b.DoubleLineMode);
    f(254, b.DoubleLineCentre);
    f(256, b.ParallelDistanceGiven);
    f(258, b.ParallelCount);
    f(260, b.InfiniteLineMode);
    f(262, b.ContinuousLineMode);
    f(264, b.AngleBoxAngle);
    f(268, b.LineAngle);
    f(272, b.LineLength);
    f(276, b.DoubleLineLeftGap);
    f(280, b.DoubleLineRightGap);
    f(284, b.InfiniteLineAngle);
    f(288, b.ParallelDistance);
    f(292, b.CircleRadiusGiven);
    f(294, b.ArcDirection);
    f(296, b.CircleRadius);
    f(300, b.ArcStartAngle);
    f(304, b.ArcEndAngle);
    f(308, b.PolygonVertexCount);
    f(310, b.ShapeSizeGiven);
    f(312, b.RectBasePoint);
    f(314, b.CornerTrimLine1);
    f(316, b.CornerTrimLine2);
    f(318, b.CornerMode);
    f(320, b.CornerDistance);
    f(324, b.RectWidth);
    f(328, b.RectHeight);
    f(332, b.ShapeAngle);
    f(336, b.PolygonDistance);
    f(340, b.HatchPattern);
    f(342, b.ScaleBase);
    f(344, b.StretchMode);
    f(346, b.DimToleranceType);
    f(348, b.ArrowheadKind);
    f(350, b.LeaderShape);
    f(352, b.TextSubtype);
    f(354, b.PointShape);
    f(356, b.TextAngle);
    f(360, b.MoveScale);
    f(364, b.MoveAngle);
    f(368, b.HatchAngle);
    f(372, b.OffsetDistance);
    f(376, b.ToleranceValue1);
    f(440, b.ToleranceValue2);
    f(504, b.TextFontName);
    f(552, b.DimFontName);
    f(600, b.DimPrefixes);
    f(640, b.PartsFolder);
}
