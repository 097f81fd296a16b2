#include "model/ParameterBlock.h"

#include "model/AtomicWrite.h"
#include "model/Cp932Text.h"
#include "model/LittleEndian.h"
#include "model/PaperSizes.h"
#include "model/Settings.h"

#include <cmath>
#include <algorithm>
#include <cstring>
#include <fstream>
#include <string_view>
#include <system_error>
#include <type_traits>

namespace {

constexpr const char kDefaultFont[] = "\x82\x6c\x82\x72\x83\x53\x83\x56\x83\x62\x83\x4e"; // ＭＳゴシック

template <std::size_t N> void SetText(std::array<char, N>& field, std::string_view text)
{
    field.fill(0);
    std::string_view fitted = Cp932Fit(text, N - 1);
    std::memcpy(field.data(), fitted.data(), fitted.size());
}

template <class T> struct IsStdArray : std::false_type {};
template <class T, std::size_t N> struct IsStdArray<std::array<T, N>> : std::true_type {};

// Writes one field (a number or an array of them) at offset.
struct Encoder {
    uint8_t* out;
    template <class T> void operator()(std::size_t offset, const T& field) const
    {
        if constexpr (IsStdArray<T>::value) {
            std::size_t step = sizeof(typename T::value_type);
            for (std::size_t i = 0; i < field.size(); ++i) (*this)(offset + i * step, field[i]);
        } else if constexpr (std::is_same_v<T, char>) {
            out[offset] = static_cast<uint8_t>(field);
        } else {
            PutLE(out + offset, field);
        }
    }
};

struct Decoder {
    const uint8_t* in;
    template <class T> void operator()(std::size_t offset, T& field) const
    {
        if constexpr (IsStdArray<T>::value) {
            std::size_t step = sizeof(typename T::value_type);
            for (std::size_t i = 0; i < field.size(); ++i) (*this)(offset + i * step, field[i]);
        } else if constexpr (std::is_same_v<T, char>) {
            field = static_cast<char>(in[offset]);
        } else {
            field = GetLE<T>(in + offset);
        }
    }
};

// Gives every non-finite number of b the value of the same field in factory.
struct FiniteRepair {
    const CParameterBlock& factory;
    bool changed = false;

    template <class T> void Fix(T& field, const T& good)
    {
        if constexpr (IsStdArray<T>::value) {
            for (std::size_t i = 0; i < field.size(); ++i) Fix(field[i], good[i]);
        } else if constexpr (std::is_floating_point_v<T>) {
            if (!std::isfinite(field)) {
                field = good;
                changed = true;
            }
        }
    }
};

// Cuts a text field that has no terminator so that it ends with one,
// keeping at most maxBytes bytes of text on a character boundary.
template <std::size_t N> bool TerminateField(std::array<char, N>& field, std::size_t maxBytes)
{
    std::string_view bytes(field.data(), N);
    std::size_t nul = bytes.find('\0');
    if (nul != std::string_view::npos && nul <= maxBytes) return false;
    std::size_t keep = Cp932FitLength(bytes.substr(0, std::min(nul, N)), maxBytes);
    std::memset(field.data() + keep, 0, N - keep);
    return true;
}

} // namespace

CParameterBlock::CParameterBlock()
{
    // The member initialisers hold the factory numbers; the texts follow.
    SetText(TextFontName, kDefaultFont);
    SetText(DimFontName, kDefaultFont);
    SetText(DimPrefixes[4], "R");
    SetText(DimPrefixes[5], "\x83\xd3"); // φ
}

void CParameterBlock::SetFactoryDefaults()
{
    *this = CParameterBlock();
}

CParameterBlock::Image CParameterBlock::ToBytes() const
{
    Image image{};
    VisitFields(*this, Encoder{image.data()});
    return image;
}

void CParameterBlock::FromBytes(const uint8_t* data, std::size_t size)
{
    Image image = ToBytes();
    if (data && size) std::memcpy(image.data(), data, std::min(size, Size));
    VisitFields(*this, Decoder{image.data()});
}

namespace {

// Puts back the factory value of a field that lies outside [low, high] (or
// is not a finite number). Counts what it changed.
struct RangeRepair {
    bool changed = false;

    template <class T, class L> void Keep(T& field, L low, L high, T good)
    {
        bool sound = true;
        if constexpr (std::is_floating_point_v<T>) sound = std::isfinite(field);
        if (sound) sound = !(field < static_cast<T>(low)) && !(field > static_cast<T>(high));
        if (!sound) {
            field = good;
            changed = true;
        }
    }
    template <class T, std::size_t N, class L>
    void Keep(std::array<T, N>& fields, L low, L high, const std::array<T, N>& good)
    {
        for (std::size_t i = 0; i < N; ++i) Keep(fields[i], low, high, good[i]);
    }
    void Flag(int16_t& field, int16_t good) { Keep(field, 0, 1, good); }
};

// The largest difference of the three colour channels.
int ColourDistance(uint32_t a, uint32_t b)
{
    int most = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        most = std::max(most, d < 0 ? -d : d);
    }
    return most;
}

// A colour drawn on the background: too close to it, it cannot be seen.
constexpr int VisibleDistance = 48;
constexpr int FaintDistance = 12;

// The factory colour, or where that is itself lost on this background, the
// plain colour that stands out most (black or white).
uint32_t VisibleColour(uint32_t good, uint32_t background, int distance)
{
    if (ColourDistance(good, background) >= distance) return good;
    const int light = static_cast<int>(background & 0xFF) + static_cast<int>((background >> 8) & 0xFF) +
                      static_cast<int>((background >> 16) & 0xFF);
    return light >= 3 * 128 ? 0x000000u : 0xFFFFFFu;
}

// True when bytes (up to the terminator) are sound code page 932 text
// without control characters.
template <std::size_t N> bool SoundText(const std::array<char, N>& field)
{
    for (std::size_t i = 0; i < N && field[i] != '\0'; ++i) {
        const auto c = static_cast<unsigned char>(field[i]);
        if (IsCp932LeadByte(c)) {
            if (i + 1 >= N) return false;
            const auto t = static_cast<unsigned char>(field[++i]);
            if (t < 0x40 || t == 0x7F || t > 0xFC) return false;
        } else if (c < 0x20 || c == 0x7F || c == 0x80 || c == 0xA0 || c > 0xDF) {
            return false;
        }
    }
    return true;
}

template <std::size_t N> bool RepairText(std::array<char, N>& field, const std::array<char, N>& good)
{
    if (SoundText(field)) return false;
    field = good;
    return true;
}

// Screen positions further out than this lie on no screen.
constexpr int FarthestPosition = 16000;

} // namespace

bool CParameterBlock::Repair()
{
    const CParameterBlock factory;
    bool changed = false;

    // Numbers first: anything not finite takes its factory value.
    FiniteRepair finite{factory};
    VisitFields(*this, [&](std::size_t offset, auto& field) {
        // The factory record has the same layout; find the same member there.
        auto good = field;
        VisitFields(factory, [&](std::size_t o, const auto& g) {
            if constexpr (std::is_same_v<std::decay_t<decltype(g)>, std::decay_t<decltype(field)>>) {
                if (o == offset) good = g;
            }
        });
        finite.Fix(field, good);
    });
    changed |= finite.changed;

    const CParameterBlock& f = factory;
    RangeRepair r;
    // Plotter and port: list positions of the plotter settings dialog.
    r.Keep(PlotOffsetX, -10000, 10000, f.PlotOffsetX);
    r.Keep(PlotOffsetY, -10000, 10000, f.PlotOffsetY);
    r.Keep(PlotterBaudIndex, 0, 8, f.PlotterBaudIndex);
    r.Keep(PlotterDataBitsIndex, 0, 4, f.PlotterDataBitsIndex);
    r.Keep(PlotterFlowControl, 0, 3, f.PlotterFlowControl);
    r.Keep(PlotterCommandSet, 0, 1, f.PlotterCommandSet);
    r.Keep(PlotterParity, 0, 2, f.PlotterParity);
    r.Keep(PlotterPort, 0, 5, f.PlotterPort);
    r.Keep(PlotterStopBitsIndex, 0, 2, f.PlotterStopBitsIndex);
    // Window places: far off every screen, or a window too small to use.
    r.Keep(PaletteLeft, -FarthestPosition, FarthestPosition, f.PaletteLeft);
    r.Keep(PaletteTop, -FarthestPosition, FarthestPosition, f.PaletteTop);
    r.Keep(LayerListLeft, -FarthestPosition, FarthestPosition, f.LayerListLeft);
    r.Keep(LayerListTop, -FarthestPosition, FarthestPosition, f.LayerListTop);
    r.Keep(LayerListWidth, 40, FarthestPosition, f.LayerListWidth);
    r.Keep(LayerListHeight, 40, FarthestPosition, f.LayerListHeight);
    // New drawings.
    if (DrawingScale <= 0) {
        DrawingScale = 1;
        changed = true;
    }
    r.Keep(DrawingScale, 1, 1000000, f.DrawingScale);
    r.Keep(PaperSize, 0, PaperSizeCount - 1, f.PaperSize);
    r.Flag(UnitsMode, f.UnitsMode);
    if (GridSensitivity < 1 || GridSensitivity > 5) {
        GridSensitivity = GridSensitivity < 1 ? 1 : 5;
        changed = true;
    }
    r.Keep(DefaultGridPitch, 0.001f, 1e6f, f.DefaultGridPitch);
    r.Keep(GridKind, 0, 2, f.GridKind);
    r.Keep(GridLineType, 0, 4, f.GridLineType);
    // Sizes of texts, hatching and dimensions.
    r.Keep(TextHeight, 0.001f, 1e6f, f.TextHeight);
    r.Keep(TextWidth, 0.001f, 1e6f, f.TextWidth);
    r.Keep(HatchSpacingY, 0.01f, 99999.0f, f.HatchSpacingY);
    r.Keep(HatchSpacingX, 0.01f, 99999.0f, f.HatchSpacingX);
    r.Keep(DimTextSize, 0.001f, 1e6f, f.DimTextSize);
    r.Keep(DimDecimals, 0, 4, f.DimDecimals);
    r.Keep(DimUpperExtension, -1e6f, 1e6f, f.DimUpperExtension);
    r.Keep(DimLowerExtension, -1e6f, 1e6f, f.DimLowerExtension);
    // Colours: a COLORREF has nothing in its top byte.
    r.Keep(ScreenColors, 0u, 0xFFFFFFu, f.ScreenColors);
    r.Keep(PenColors, 0u, 0xFFFFFFu, f.PenColors);
    r.Keep(PenWidths, 0.001f, 50.0f, f.PenWidths);
    r.Keep(ThickLineWidths, 0.001f, 50.0f, f.ThickLineWidths);
    // Switches.
    r.Flag(PaperSource, f.PaperSource);
    r.Flag(ShowDrawingRange, f.ShowDrawingRange);
    r.Flag(ShowOriginMark, f.ShowOriginMark);
    r.Flag(MagnetEnabled, f.MagnetEnabled);
    r.Flag(LengthReadoutEnabled, f.LengthReadoutEnabled);
    r.Flag(GridShown, f.GridShown);
    r.Keep(DimDotSize, 0, 4, f.DimDotSize);
    r.Keep(DimArrowSize, 0, 4, f.DimArrowSize);
    r.Flag(DimArrowScaleMode, f.DimArrowScaleMode);
    r.Keep(Reserved226, 0, 0, f.Reserved226);
    r.Keep(Reserved228, 0, 0, f.Reserved228);
    // Tool options: the ranges their panels allow.
    constexpr float Far = 1e9f;
    r.Keep(PointCoordX, -Far, Far, f.PointCoordX);
    r.Keep(PointCoordY, -Far, Far, f.PointCoordY);
    r.Keep(PointOptionDistance, -Far, Far, f.PointOptionDistance);
    r.Flag(LineMode, f.LineMode);
    r.Flag(LineLengthGiven, f.LineLengthGiven);
    r.Flag(LineAngleGiven, f.LineAngleGiven);
    r.Flag(AngleBoxLengthGiven, f.AngleBoxLengthGiven);
    r.Flag(DoubleLineMode, f.DoubleLineMode);
    r.Flag(DoubleLineCentre, f.DoubleLineCentre);
    r.Flag(ParallelDistanceGiven, f.ParallelDistanceGiven);
    r.Keep(ParallelCount, 1, 100, f.ParallelCount);
    r.Keep(InfiniteLineMode, 0, 2, f.InfiniteLineMode);
    r.Flag(ContinuousLineMode, f.ContinuousLineMode);
    r.Keep(AngleBoxAngle, -360.0f, 360.0f, f.AngleBoxAngle);
    r.Keep(LineAngle, -360.0f, 360.0f, f.LineAngle);
    r.Keep(LineLength, 0.0f, Far, f.LineLength);
    r.Keep(DoubleLineLeftGap, -Far, Far, f.DoubleLineLeftGap);
    r.Keep(DoubleLineRightGap, -Far, Far, f.DoubleLineRightGap);
    r.Keep(InfiniteLineAngle, -360.0f, 360.0f, f.InfiniteLineAngle);
    r.Keep(ParallelDistance, -Far, Far, f.ParallelDistance);
    r.Flag(CircleRadiusGiven, f.CircleRadiusGiven);
    r.Flag(ArcDirection, f.ArcDirection);
    r.Keep(CircleRadius, 0.0f, Far, f.CircleRadius);
    r.Keep(ArcStartAngle, -360.0f, 360.0f, f.ArcStartAngle);
    r.Keep(ArcEndAngle, -360.0f, 360.0f, f.ArcEndAngle);
    r.Keep(PolygonVertexCount, 3, 24, f.PolygonVertexCount);
    r.Flag(ShapeSizeGiven, f.ShapeSizeGiven);
    r.Flag(RectBasePoint, f.RectBasePoint);
    r.Flag(CornerTrimLine1, f.CornerTrimLine1);
    r.Flag(CornerTrimLine2, f.CornerTrimLine2);
    r.Keep(CornerMode, 0, 2, f.CornerMode);
    r.Keep(CornerDistance, 0.0f, Far, f.CornerDistance);
    r.Keep(RectWidth, 0.0f, Far, f.RectWidth);
    r.Keep(RectHeight, 0.0f, Far, f.RectHeight);
    r.Keep(ShapeAngle, -360.0f, 360.0f, f.ShapeAngle);
    r.Keep(PolygonDistance, 0.0f, Far, f.PolygonDistance);
    r.Keep(HatchPattern, 0, 3, f.HatchPattern);
    r.Keep(ScaleBase, 0, 2, f.ScaleBase);
    r.Keep(StretchMode, 0, 2, f.StretchMode);
    r.Keep(DimToleranceType, 0, 7, f.DimToleranceType);
    r.Keep(ArrowheadKind, 0, 3, f.ArrowheadKind);
    r.Keep(LeaderShape, 0, 2, f.LeaderShape);
    r.Keep(TextSubtype, 0, 326, f.TextSubtype);
    r.Keep(PointShape, 0, 2, f.PointShape);
    r.Keep(TextAngle, -360.0f, 360.0f, f.TextAngle);
    r.Keep(MoveScale, 1e-6f, 1e6f, f.MoveScale);
    r.Keep(MoveAngle, -360.0f, 360.0f, f.MoveAngle);
    r.Keep(HatchAngle, -360.0f, 360.0f, f.HatchAngle);
    r.Keep(OffsetDistance, -Far, Far, f.OffsetDistance);
    r.Keep(ToleranceValue1, -1e6, 1e6, f.ToleranceValue1);
    r.Keep(ToleranceValue2, -1e6, 1e6, f.ToleranceValue2);
    changed |= r.changed;

    // Pens and marks that vanish on the sheet take a colour that shows.
    const uint32_t background = ScreenColors[0];
    for (std::size_t i = 0; i < PenColors.size(); ++i) {
        if (ColourDistance(PenColors[i], background) >= VisibleDistance) continue;
        PenColors[i] = VisibleColour(f.PenColors[i], background, VisibleDistance);
        changed = true;
    }
    // The grid and the marks are meant to be faint, but not gone.
    for (std::size_t i = 1; i < ScreenColors.size(); ++i) {
        if (ColourDistance(ScreenColors[i], background) >= FaintDistance) continue;
        ScreenColors[i] = VisibleColour(f.ScreenColors[i], background, FaintDistance);
        changed = true;
    }

    // Texts: cut where the terminator is missing, and given up when they
    // are not text at all.
    changed |= TerminateField(TextFontName, 47);
    changed |= TerminateField(DimFontName, 47);
    for (auto& p : DimPrefixes) changed |= TerminateField(p, 4);
    changed |= TerminateField(PartsFolder, 80);
    changed |= RepairText(TextFontName, f.TextFontName);
    changed |= RepairText(DimFontName, f.DimFontName);
    for (auto* font : {&TextFontName, &DimFontName}) {
        if ((*font)[0] != '\0') continue;
        *font = f.TextFontName;
        changed = true;
    }
    for (std::size_t i = 0; i < DimPrefixes.size(); ++i) changed |= RepairText(DimPrefixes[i], f.DimPrefixes[i]);
    if (RepairText(PartsFolder, f.PartsFolder)) {
        // The folder set at start-up stands in for one that is not a name.
        SetText(PartsFolder, Cp932Fit(::PartsFolder, 80));
        changed = true;
    }
    return changed;
}

std::filesystem::path ParameterFilePath(const std::filesystem::path& folder)
{
    return folder / CParameterBlock::FileName;
}

ParameterFileStatus ReadParameterFile(const std::filesystem::path& folder, CParameterBlock& block,
                                      bool createWhenMissing)
{
    std::ifstream in(ParameterFilePath(folder), std::ios::binary);
    if (!in) {
        block.SetFactoryDefaults();
        if (createWhenMissing && WriteParameterFile(folder, block)) return ParameterFileStatus::Created;
        return ParameterFileStatus::Missing;
    }
    CParameterBlock::Image image{};
    in.read(reinterpret_cast<char*>(image.data()), static_cast<std::streamsize>(image.size()));
    std::size_t got = static_cast<std::size_t>(in.gcount());
    CParameterBlock read; // factory values under whatever the file lacks
    read.FromBytes(image.data(), got);
    bool repaired = read.Repair();
    block = read;
    return (got < CParameterBlock::Size || repaired) ? ParameterFileStatus::Repaired : ParameterFileStatus::Read;
}

bool WriteParameterFile(const std::filesystem::path& folder, const CParameterBlock& block)
{
    const CParameterBlock::Image image = block.ToBytes();
    return WriteFileAtomically(ParameterFilePath(folder), std::span<const uint8_t>(image)) == AtomicWriteResult::Ok;
}
