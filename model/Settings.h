#pragma once
// Process-wide settings shared by the model and the program: the values the
// option panels, bars and palettes set and the tools read, the mirrors of the
// settings record (ParameterBlock.h) and the process-wide layer table.
// Texts are code page 932 bytes.

#include <array>
#include <cstdint>
#include <string>

class CParameterBlock;

// Reference point of a selection for the turn and mirror-in-place commands:
// 0 the centre of its box, 1 the lower-left corner, 2 the upper-left corner.
extern int16_t PartsBase;

// ---- values of every new entity, set by the size-information bar ----
extern int16_t CurrentPen;       // pen 0..7
extern int16_t CurrentLineType;  // line type
extern uint32_t CurrentColor;    // COLORREF 0x00BBGGRR

// ---- palettes, commands, grid bar ----
extern int16_t PaletteShown;     // -1 until the first view showed a palette, 0 drawing palette, 1 parts palette
extern int16_t CommandArgument;  // argument posted with commands 108 and 32900
extern float GridPitch;          // pitch last applied to the active drawing
extern int16_t GridChangeKind;   // what the next grid command applies: 1 the look, 0 the pitch
extern int ScaleDenominator;     // the active drawing's scale, truncated

// ---- folders ----
extern std::string DataFolder;   // per-user data folder holding ORVPRM.DAT (a native path)
extern std::string PartsFolder;  // root of the parts library, as stored in the settings (at most 80 bytes)

// ---- process-wide layer table (mirrors the active drawing) ----
inline constexpr int MaxLayers = 128;
inline constexpr std::size_t MaxLayerNameBytes = 40;
extern int16_t LayerCount;                           // layers in use, 1..128; 10 at start
extern int16_t CurrentLayer;                         // 0..LayerCount-1
extern std::array<std::string, MaxLayers> LayerNames; // "Layer01" ... at start
extern std::array<uint8_t, MaxLayers> LayerStates;    // 0 hidden, 1 off-colour, 2 own colours; 1 at start
// The name a fresh layer table gives layer i (0-based): "Layer01", ...
std::string DefaultLayerName(int i);

// ---- window positions ----
extern int16_t PaletteLeft, PaletteTop;
extern int16_t LayerListLeft, LayerListTop, LayerListWidth, LayerListHeight;

// ---- units, grid look, sizes of texts, hatching and dimensions ----
extern int16_t UnitsMode;        // 0 millimetres, 1 sizes multiplied by the drawing scale
extern int16_t GridKind;         // 0 lines, 1 dots, 2 crosses
extern int16_t GridLineType;     // line type 0..4 of a line grid
extern float TextHeight, TextWidth;
extern float HatchSpacingY, HatchSpacingX;
extern float DimTextSize;
extern int16_t DimDecimals;
extern float DimUpperExtension, DimLowerExtension;

// ---- pens ----
extern std::array<uint32_t, 8> PenColors;
extern std::array<float, 8> PenWidths;       // printed widths in mm of pens 0..7
extern std::array<float, 3> ThickLineWidths; // printed widths in mm of line types 5, 6, 7

// ---- display switches ----
extern int16_t ShowDrawingRange, ShowOriginMark, MagnetEnabled, LengthReadoutEnabled;

// ---- dimension terminators ----
extern int16_t DimDotSize, DimArrowSize, DimArrowScaleMode;

// ---- tool options ----
extern float PointCoordX, PointCoordY, PointOptionDistance;
extern int16_t LineMode, LineLengthGiven, LineAngleGiven, AngleBoxLengthGiven;
extern int16_t DoubleLineMode, DoubleLineCentre, ParallelDistanceGiven, ParallelCount;
extern int16_t InfiniteLineMode, ContinuousLineMode;
extern float AngleBoxAngle, LineAngle, LineLength, DoubleLineLeftGap, DoubleLineRightGap;
extern float InfiniteLineAngle, ParallelDistance;
extern int16_t CircleRadiusGiven, ArcDirection;
extern float CircleRadius, ArcStartAngle, ArcEndAngle;
extern int16_t PolygonVertexCount, ShapeSizeGiven, RectBasePoint;
extern int16_t CornerTrimLine1, CornerTrimLine2, CornerMode;
extern float CornerDistance, RectWidth, RectHeight, ShapeAngle, PolygonDistance;
extern int16_t HatchPattern, ScaleBase, StretchMode;
extern int16_t DimToleranceType;  // 0 none, 1..7 (3 and 7 are exchanged against the stored value)
extern int16_t ArrowheadKind, LeaderShape, TextSubtype, PointShape;
extern float TextAngle, MoveScale, MoveAngle, HatchAngle, OffsetDistance;
extern std::array<double, 8> ToleranceValue1, ToleranceValue2;
// Not kept in the settings record: every run starts with 0.
extern int16_t PaintPattern;       // fill pattern 0..6 of new fills
extern int16_t MoveByCoordinates;  // move and copy: 0 the destination is clicked, 1 the offsets are typed

// ---- fonts and dimension prefixes ----
inline constexpr std::size_t MaxFontNameBytes = 47;
inline constexpr std::size_t MaxDimPrefixBytes = 4;
inline constexpr std::size_t MaxPartsFolderBytes = 80;
extern std::string TextFontName;                 // face of new texts
extern std::string DimFontName;                  // face of dimension texts
extern std::array<std::string, 8> DimPrefixes;   // head texts of the eight dimension kinds
extern std::array<int16_t, 8> DimPrefixLengths;  // their byte lengths

// The stored tolerance kind and the setting differ in that 3 and 7 are
// exchanged; the same exchange converts either way.
constexpr int16_t ExchangeToleranceType(int16_t kind)
{
    return kind == 3 ? int16_t(7) : kind == 7 ? int16_t(3) : kind;
}

// Copies a settings record into the process-wide settings, as the first
// document of a run does: palette positions of 0 or less become 40 (left)
// and 80 (top), the tolerance kind is exchanged, texts are cut to the sizes
// the settings hold, prefix lengths follow the prefixes. Scale, paper, paper
// source, grid pitch, sensitivity, grid-shown switch and screen colours have
// no process-wide copy and are not touched.
void ApplyParametersToSettings(const CParameterBlock& block);

// Copies the process-wide settings back into a record before it is saved:
// window positions, display switches, dimension terminators, every tool
// option and both tolerance tables, the text font and the parts folder (as
// strings: the bytes after the terminator keep what they held); the reserved
// bytes 226..231 become 0. The tolerance kind is exchanged on the way out too.
void StoreSettingsInParameters(CParameterBlock& block);
