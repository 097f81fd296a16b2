#pragma once
// Process-wide settings shared by the model and the program: the values the
// option panels, bars and palettes set and the tools read, the mirrors of the
// settings record (ParameterBlock.h) and the process-wide layer table.
// Texts are code page 932 bytes.

#include <array>
#include <cstdint>
#include <string>

#include "model/SettingsList.h"

class CParameterBlock;

inline constexpr int MaxLayers = 128;
inline constexpr std::size_t MaxLayerNameBytes = 40;
inline constexpr std::size_t MaxFontNameBytes = 47;
inline constexpr std::size_t MaxDimPrefixBytes = 4;
inline constexpr std::size_t MaxPartsFolderBytes = 80;

using SettingsLayerNames = std::array<std::string, MaxLayers>;
using SettingsLayerStates = std::array<uint8_t, MaxLayers>;
using SettingsPenColors = std::array<uint32_t, 8>;
using SettingsPenWidths = std::array<float, 8>;
using SettingsThickWidths = std::array<float, 3>;
using SettingsTolerances = std::array<double, 8>;
using SettingsPrefixes = std::array<std::string, 8>;
using SettingsPrefixLengths = std::array<int16_t, 8>;

// The name a fresh layer table gives layer i (0-based): "Layer01", ...
std::string DefaultLayerName(int i);
SettingsLayerNames DefaultLayerNames();
SettingsLayerStates DefaultLayerStates();  // every layer 1

// Every setting is declared in SettingsList.h; what they mean:
//
// PartsBase: reference point of a selection for the turn and mirror-in-place
// commands: 0 the centre of its box, 1 the lower-left corner, 2 the
// upper-left corner.
// PartsBaseX, PartsBaseY: the loaded part's reference point in its own
// coordinates, taken from its extents by PartsBase; PartsScale, PartsAngle
// (degrees): how the parts tool places it.
//
// Values of every new entity, set by the size-information bar: CurrentPen
// (pen 0..7), CurrentLineType, CurrentColor (COLORREF 0x00BBGGRR).
//
// Palettes, commands, grid bar: PaletteShown (-1 until the first view showed
// a palette, 0 drawing palette, 1 parts palette), CommandArgument (argument
// posted with commands 108 and 32900), GridPitch (pitch last applied to the
// active drawing), GridChangeKind (what the next grid command applies: 1 the
// look, 0 the pitch), ScaleDenominator (the active drawing's scale, truncated).
//
// Folders: DataFolder (per-user data folder holding ORVPRM.DAT, a native
// path), PartsFolder (root of the parts library as stored, at most 80 bytes).
//
// The process-wide layer table mirrors the active drawing: LayerCount
// (1..128; 10 at start), CurrentLayer (0..LayerCount-1), LayerNames
// ("Layer01" ... at start), LayerStates (0 hidden, 1 off-colour, 2 own
// colours; 1 at start).
//
// Units, grid look, sizes: UnitsMode (0 millimetres, 1 sizes multiplied by the
// drawing scale), GridKind (0 lines, 1 dots, 2 crosses), GridLineType (line
// type 0..4 of a line grid), text, hatching and dimension sizes.
//
// Pens: PenColors, PenWidths (printed widths in mm of pens 0..7),
// ThickLineWidths (printed widths in mm of line types 5, 6, 7).
//
// Tool options: the last values of the option panels. DimToleranceType is
// 0 none or 1..7 (3 and 7 are exchanged against the stored value).
// PaintPattern (fill pattern 0..6 of new fills) and MoveByCoordinates (move
// and copy: 0 the destination is clicked, 1 the offsets are typed) are not
// kept in the settings record: every run starts with 0.
//
// Fonts and dimension prefixes: TextFontName (face of new texts),
// DimFontName (face of dimension texts), DimPrefixes (head texts of the eight
// dimension kinds) and DimPrefixLengths (their byte lengths).

#define ORVIK_DECLARE_SETTING(type, name, transfer, ...) extern type name;
ORVIK_ALL_SETTINGS(ORVIK_DECLARE_SETTING)
#undef ORVIK_DECLARE_SETTING

// A copy of every process-wide setting: Capture takes one, Restore puts it
// back. Tests keep one around each test; the program could keep one around
// a dialog that may be cancelled.
struct SettingsSnapshot {
#define ORVIK_SNAPSHOT_FIELD(type, name, transfer, ...) type name;
    ORVIK_ALL_SETTINGS(ORVIK_SNAPSHOT_FIELD)
#undef ORVIK_SNAPSHOT_FIELD

    static SettingsSnapshot Capture();
    void Restore() const;
};

// Every process-wide setting back to the value it had when the run began.
void RestoreFactorySettings();

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

// Copies what the settings command hands to the running program from a record
// it has just stored: the units mode, the dimension terminators' sizes and
// mode, the dimension prefixes with their lengths, the pen colours and
// widths, the thick-line widths, the dimension font and the parts folder
// (texts cut to the sizes the settings hold). Nothing else changes.
void ApplySettingsCommandResult(const CParameterBlock& block);

// The scale read-out's denominator for a drawing scale: its whole part, and 1
// for a scale below 1 or beyond an int (never 0, never negative).
int ScaleDenominatorFor(double scale);

