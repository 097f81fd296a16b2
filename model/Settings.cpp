#include "model/Settings.h"

#include "model/Cp932Text.h"
#include "model/ParameterBlock.h"

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <string_view>

int16_t PartsBase = 0;

int16_t CurrentPen = 0;
int16_t CurrentLineType = 0;
uint32_t CurrentColor = 0;

int16_t PaletteShown = -1;
int16_t CommandArgument = 0;
float GridPitch = 0.0f;
int16_t GridChangeKind = 0;
int ScaleDenominator = 1;

std::string DataFolder;
std::string PartsFolder;

std::string DefaultLayerName(int i)
{
    char name[24];
    std::snprintf(name, sizeof name, "Layer%02d", i + 1);
    return name;
}

namespace {
std::array<std::string, MaxLayers> MakeDefaultLayerNames()
{
    std::array<std::string, MaxLayers> names;
    for (int i = 0; i < MaxLayers; ++i) names[i] = DefaultLayerName(i);
    return names;
}
std::array<uint8_t, MaxLayers> MakeDefaultLayerStates()
{
    std::array<uint8_t, MaxLayers> states;
    states.fill(1);
    return states;
}
} // namespace

int16_t LayerCount = 10;
int16_t CurrentLayer = 0;
std::array<std::string, MaxLayers> LayerNames = MakeDefaultLayerNames();
std::array<uint8_t, MaxLayers> LayerStates = MakeDefaultLayerStates();

int16_t PaletteLeft = 0, PaletteTop = 0;
int16_t LayerListLeft = 100, LayerListTop = 100, LayerListWidth = 122, LayerListHeight = 225;

int16_t UnitsMode = 0;
int16_t GridKind = 0;
int16_t GridLineType = 0;
float TextHeight = 10.0f, TextWidth = 10.0f;
float HatchSpacingY = 10.0f, HatchSpacingX = 10.0f;
float DimTextSize = 20.0f;
int16_t DimDecimals = 0;
float DimUpperExtension = 30.0f, DimLowerExtension = 10.0f;

std::array<uint32_t, 8> PenColors{0x000000, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0x4080C0};
std::array<float, 8> PenWidths{0.13f, 0.25f, 0.35f, 0.5f, 0.7f, 0.9f, 1.2f, 1.5f};
std::array<float, 3> ThickLineWidths{0.1f, 0.2f, 0.5f};

int16_t ShowDrawingRange = 1, ShowOriginMark = 1, MagnetEnabled = 1, LengthReadoutEnabled = 0;
int16_t DimDotSize = 0, DimArrowSize = 0, DimArrowScaleMode = 0;

float PointCoordX = 50.0f, PointCoordY = 50.0f, PointOptionDistance = 50.0f;
int16_t LineMode = 0, LineLengthGiven = 0, LineAngleGiven = 0, AngleBoxLengthGiven = 0;
int16_t DoubleLineMode = 0, DoubleLineCentre = 0, ParallelDistanceGiven = 0, ParallelCount = 1;
int16_t InfiniteLineMode = 0, ContinuousLineMode = 0;
float AngleBoxAngle = 90.0f, LineAngle = 0.0f, LineLength = 50.0f, DoubleLineLeftGap = 20.0f, DoubleLineRightGap = 20.0f;
float InfiniteLineAngle = 0.0f, ParallelDistance = 0.0f;
int16_t CircleRadiusGiven = 0, ArcDirection = 0;
float CircleRadius = 20.0f, ArcStartAngle = 0.0f, ArcEndAngle = 0.0f;
int16_t PolygonVertexCount = 3, ShapeSizeGiven = 0, RectBasePoint = 0;
int16_t CornerTrimLine1 = 1, CornerTrimLine2 = 1, CornerMode = 0;
float CornerDistance = 10.0f, RectWidth = 100.0f, RectHeight = 100.0f, ShapeAngle = 0.0f, PolygonDistance = 50.0f;
int16_t HatchPattern = 1, ScaleBase = 0, StretchMode = 2;
int16_t DimToleranceType = 0;
int16_t ArrowheadKind = 0, LeaderShape = 0, TextSubtype = 0, PointShape = 0;
int16_t PaintPattern = 0, MoveByCoordinates = 0;
float TextAngle = 0.0f, MoveScale = 1.0f, MoveAngle = 0.0f, HatchAngle = 0.0f, OffsetDistance = 10.0f;
std::array<double, 8> ToleranceValue1{0.0015, 0.0015, 0.0015, 0.0015, 0.0015, 0.0015, 0.0015, 0.0015};
std::array<double, 8> ToleranceValue2{0.0025, 0.0025, 0.0025, 0.0025, 0.0025, 0.0025, 0.0025, 0.0025};

std::string TextFontName = "\x82\x6c\x82\x72\x83\x53\x83\x56\x83\x62\x83\x4e"; // ＭＳゴシック
std::string DimFontName;
std::array<std::string, 8> DimPrefixes;
std::array<int16_t, 8> DimPrefixLengths{};

namespace {

// The text of a fixed field: up to its terminator, at most maxBytes bytes,
// never ending inside a double-byte character.
template <std::size_t N> std::string FieldText(const std::array<char, N>& field, std::size_t maxBytes)
{
    std::string_view bytes(field.data(), N);
    bytes = bytes.substr(0, bytes.find('\0'));
    return std::string(Cp932Fit(bytes, maxBytes));
}

// Writes text and its terminator into a fixed field; the bytes after the
// terminator are left as they were.
template <std::size_t N> void StoreFieldText(std::array<char, N>& field, std::string_view text, std::size_t maxBytes)
{
    std::string_view fitted = Cp932Fit(text.substr(0, text.find('\0')), std::min(maxBytes, N - 1));
    std::memcpy(field.data(), fitted.data(), fitted.size());
    field[fitted.size()] = '\0';
}

} // namespace

void ApplyParametersToSettings(const CParameterBlock& b)
{
    ShowDrawingRange = b.ShowDrawingRange;
    ShowOriginMark = b.ShowOriginMark;
    MagnetEnabled = b.MagnetEnabled;
    LengthReadoutEnabled = b.LengthReadoutEnabled;
    PartsFolder = FieldText(b.PartsFolder, MaxPartsFolderBytes);
    UnitsMode = b.UnitsMode;
    for (std::size_t i = 0; i < DimPrefixes.size(); ++i) {
        DimPrefixes[i] = FieldText(b.DimPrefixes[i], MaxDimPrefixBytes);
        DimPrefixLengths[i] = static_cast<int16_t>(DimPrefixes[i].size());
    }
    DimFontName = FieldText(b.DimFontName, MaxFontNameBytes);
    PaletteLeft = b.PaletteLeft <= 0 ? int16_t(40) : b.PaletteLeft;
    PaletteTop = b.PaletteTop <= 0 ? int16_t(80) : b.PaletteTop;
    LayerListLeft = b.LayerListLeft;
    LayerListTop = b.LayerListTop;
    LayerListWidth = b.LayerListWidth;
    LayerListHeight = b.LayerListHeight;
    PenColors = b.PenColors;
    PenWidths = b.PenWidths;
    ThickLineWidths = b.ThickLineWidths;

    PointCoordX = b.PointCoordX;
    PointCoordY = b.PointCoordY;
    PointOptionDistance = b.PointOptionDistance;
    LineMode = b.LineMode;
    LineLengthGiven = b.LineLengthGiven;
    LineAngleGiven = b.LineAngleGiven;
    AngleBoxLengthGiven = b.AngleBoxLengthGiven;
    DoubleLineMode = b.DoubleLineMode;
    DoubleLineCentre = b.DoubleLineCentre;
    ParallelDistanceGiven = b.ParallelDistanceGiven;
    ParallelCount = b.ParallelCount;
    InfiniteLineMode = b.InfiniteLineMode;
    ContinuousLineMode = b.ContinuousLineMode;
    AngleBoxAngle = b.AngleBoxAngle;
    LineAngle = b.LineAngle;
    LineLength = b.LineLength;
    DoubleLineLeftGap = b.DoubleLineLeftGap;
    DoubleLineRightGap = b.DoubleLineRightGap;
    InfiniteLineAngle = b.InfiniteLineAngle;
    ParallelDistance = b.ParallelDistance;
    CircleRadiusGiven = b.CircleRadiusGiven;
    ArcDirection = b.ArcDirection;
    CircleRadius = b.CircleRadius;
    ArcStartAngle = b.ArcStartAngle;
    ArcEndAngle = b.ArcEndAngle;
    PolygonVertexCount = b.PolygonVertexCount;
    ShapeSizeGiven = b.ShapeSizeGiven;
    RectBasePoint = b.RectBasePoint;
    CornerTrimLine1 = b.CornerTrimLine1;
    CornerTrimLine2 = b.CornerTrimLine2;
    CornerMode = b.CornerMode;
    CornerDistance = b.CornerDistance;
    RectWidth = b.RectWidth;
    RectHeight = b.RectHeight;
    ShapeAngle = b.ShapeAngle;
    PolygonDistance = b.PolygonDistance;
    HatchPattern = b.HatchPattern;
    ScaleBase = b.ScaleBase;
    StretchMode = b.StretchMode;
    DimToleranceType = ExchangeToleranceType(b.DimToleranceType);
    ArrowheadKind = b.ArrowheadKind;
    LeaderShape = b.LeaderShape;
    TextSubtype = b.TextSubtype;
    PointShape = b.PointShape;
    TextAngle = b.TextAngle;
    MoveScale = b.MoveScale;
    MoveAngle = b.MoveAngle;
    HatchAngle = b.HatchAngle;
    OffsetDistance = b.OffsetDistance;
    ToleranceValue1 = b.ToleranceValue1;
    ToleranceValue2 = b.ToleranceValue2;

    TextFontName = FieldText(b.TextFontName, MaxFontNameBytes);
    TextHeight = b.TextHeight;
    TextWidth = b.TextWidth;
    HatchSpacingY = b.HatchSpacingY;
    HatchSpacingX = b.HatchSpacingX;
    DimTextSize = b.DimTextSize;
    DimDecimals = static_cast<int16_t>(b.DimDecimals); // the low 16 bits
    DimUpperExtension = b.DimUpperExtension;
    DimLowerExtension = b.DimLowerExtension;
    DimDotSize = b.DimDotSize;
    DimArrowSize = b.DimArrowSize;
    DimArrowScaleMode = b.DimArrowScaleMode;
    GridKind = b.GridKind;
    GridLineType = b.GridLineType;
}

void StoreSettingsInParameters(CParameterBlock& b)
{
    b.PaletteLeft = PaletteLeft;
    b.PaletteTop = PaletteTop;
    b.LayerListLeft = LayerListLeft;
    b.LayerListTop = LayerListTop;
    b.LayerListWidth = LayerListWidth;
    b.LayerListHeight = LayerListHeight;
    b.ShowDrawingRange = ShowDrawingRange;
    b.ShowOriginMark = ShowOriginMark;
    b.MagnetEnabled = MagnetEnabled;
    b.LengthReadoutEnabled = LengthReadoutEnabled;
    b.DimDotSize = DimDotSize;
    b.DimArrowSize = DimArrowSize;
    b.DimArrowScaleMode = DimArrowScaleMode;
    b.Reserved226 = 0;
    b.Reserved228 = 0;

    b.PointCoordX = PointCoordX;
    b.PointCoordY = PointCoordY;
    b.PointOptionDistance = PointOptionDistance;
    b.LineMode = LineMode;
    b.LineLengthGiven = LineLengthGiven;
    b.LineAngleGiven = LineAngleGiven;
    b.AngleBoxLengthGiven = AngleBoxLengthGiven;
    b.DoubleLineMode = DoubleLineMode;
    b.DoubleLineCentre = DoubleLineCentre;
    b.ParallelDistanceGiven = ParallelDistanceGiven;
    b.ParallelCount = ParallelCount;
    b.InfiniteLineMode = InfiniteLineMode;
    b.ContinuousLineMode = ContinuousLineMode;
    b.AngleBoxAngle = AngleBoxAngle;
    b.LineAngle = LineAngle;
    b.LineLength = LineLength;
    b.DoubleLineLeftGap = DoubleLineLeftGap;
    b.DoubleLineRightGap = DoubleLineRightGap;
    b.InfiniteLineAngle = InfiniteLineAngle;
    b.ParallelDistance = ParallelDistance;
    b.CircleRadiusGiven = CircleRadiusGiven;
    b.ArcDirection = ArcDirection;
    b.CircleRadius = CircleRadius;
    b.ArcStartAngle = ArcStartAngle;
    b.ArcEndAngle = ArcEndAngle;
    b.PolygonVertexCount = PolygonVertexCount;
    b.ShapeSizeGiven = ShapeSizeGiven;
    b.RectBasePoint = RectBasePoint;
    b.CornerTrimLine1 = CornerTrimLine1;
    b.CornerTrimLine2 = CornerTrimLine2;
    b.CornerMode = CornerMode;
    b.CornerDistance = CornerDistance;
    b.RectWidth = RectWidth;
    b.RectHeight = RectHeight;
    b.ShapeAngle = ShapeAngle;
    b.PolygonDistance = PolygonDistance;
    b.HatchPattern = HatchPattern;
    b.ScaleBase = ScaleBase;
    b.StretchMode = StretchMode;
    b.DimToleranceType = ExchangeToleranceType(DimToleranceType);
    b.ArrowheadKind = ArrowheadKind;
    b.LeaderShape = LeaderShape;
    b.TextSubtype = TextSubtype;
    b.PointShape = PointShape;
    b.TextAngle = TextAngle;
    b.MoveScale = MoveScale;
    b.MoveAngle = MoveAngle;
    b.HatchAngle = HatchAngle;
    b.OffsetDistance = OffsetDistance;
    b.ToleranceValue1 = ToleranceValue1;
    b.ToleranceValue2 = ToleranceValue2;

    StoreFieldText(b.TextFontName, TextFontName, MaxFontNameBytes);
    StoreFieldText(b.PartsFolder, PartsFolder, MaxPartsFolderBytes);
}
