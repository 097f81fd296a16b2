#pragma once
// What a drawing carries besides its entities: the 192-byte drawing header,
// the protection state, the display-colour settings block, the extents and
// the layer table. The document holds these; the native drawing file
// (DrawingFile.h) reads and writes them.

#include "model/Cp932Text.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Protection of a drawing against edits.
enum ProtectionState : int32_t {
    ProtectionNone = 0,
    ProtectionWrite = 1,     // write-protected
    ProtectionPassword = 2,  // password-protected
};

// The drawing header: the first 192 bytes of a drawing file, kept in memory
// as they are. Texts are code page 932, NUL-terminated inside their fields.
struct DrawingHeader {
    static constexpr std::size_t Size = 192;
    static constexpr uint16_t CurrentVersion = 5;

    std::array<char, 4> magic{'O', 'R', 'V', '\0'};  //   0
    std::array<char, 61> drawingName{};               //   4
    std::array<char, 41> author{};                    //  65
    std::array<char, 41> updater{};                   // 106
    std::array<char, 9> password{};                   // 147 (at most 8 bytes; empty means none)
    uint8_t protection = 0;        // 156 ProtectionState
    uint8_t paperSource = 0;       // 157 0 the paper of the settings, 1 the printer's paper
    uint16_t version = CurrentVersion; // 158 (the low byte is the format version)
    uint16_t paperIndex = 0;       // 160 0 A0 ... 6 A6, 7 B4, 8 B5, 9 B6
    uint16_t orientation = 0;      // 162 0 landscape, 1 portrait
    uint16_t printFit = 0;         // 164 print scaled to the printable area
    uint16_t plotScaleChoice = 0;  // 166
    int16_t plotCorrectionX = 0;   // 168 mm
    int16_t plotCorrectionY = 0;   // 170 mm
    uint16_t plotLayerChoice = 0;  // 172
    int16_t currentLayer = 0;      // 174
    int32_t createdDate = 0;       // 176 yy * 10000 + month * 100 + day
    int32_t modifiedDate = 0;      // 180 same form
    float scale = 1.0f;            // 184 scale denominator N of 1/N
    int32_t reserved = 0;          // 188

    void ToBytes(uint8_t* out) const;      // writes Size bytes
    void FromBytes(const uint8_t* in);     // reads Size bytes

    // Field texts up to their terminator (the whole field when it has none).
    static std::string FieldText(std::string_view field);
    // Stores text into a field, cut on a character boundary to leave room
    // for the terminator; the rest of the field is cleared.
    template <std::size_t N> static void SetFieldText(std::array<char, N>& field, std::string_view text);

    bool operator==(const DrawingHeader&) const = default;
};

// Dates of the header: the year's last two digits, month and day.
constexpr int32_t MakeDrawingDate(int year, int month, int day)
{
    return (year % 100) * 10000 + month * 100 + day;
}
// The full year of a stored two-digit year: 1950..1999 or 2000..2049.
constexpr int DrawingDateYear(int32_t date)
{
    int yy = (date / 10000) % 100;
    return yy >= 50 ? 1900 + yy : 2000 + yy;
}
constexpr int DrawingDateMonth(int32_t date) { return (date / 100) % 100; }
constexpr int DrawingDateDay(int32_t date) { return date % 100; }

// 112 bytes of drawing settings; bytes 72..103 hold the eight display colours
// (background, grid, highlight, instruction, emphasis, zoom range, output
// range, layer off); the other bytes are reserved and kept as they are.
struct DrawingSettingsBlock {
    static constexpr std::size_t Size = 112;
    static constexpr std::size_t ColorOffset = 72;
    std::array<uint8_t, Size> bytes{};

    uint32_t DisplayColor(int i) const;
    void SetDisplayColor(int i, uint32_t colour);

    bool operator==(const DrawingSettingsBlock&) const = default;
};

// The drawing's extents and limits (x, y, z each).
struct DrawingExtents {
    std::array<double, 3> ExtentsMin{0, 0, 0};
    std::array<double, 3> ExtentsMax{99999999.0, 99999999.0, 99999999.0};
    std::array<double, 3> LimitsMin{0, 0, 0};
    std::array<double, 3> LimitsMax{99999999.0, 99999999.0, 99999999.0};

    bool operator==(const DrawingExtents&) const = default;
};

// A drawing's layers: count in use, current layer, names and display states
// (0 hidden, 1 off-colour, 2 own colours).
struct LayerTable {
    static constexpr int MaxLayers = 128;
    static constexpr std::size_t MaxNameBytes = 40;
    int32_t count = 0;
    int16_t current = 0;
    std::array<std::string, MaxLayers> names;
    std::array<uint8_t, MaxLayers> states{};

    bool operator==(const LayerTable&) const = default;
};

template <std::size_t N> void DrawingHeader::SetFieldText(std::array<char, N>& field, std::string_view text)
{
    std::string_view kept = Cp932Fit(text.substr(0, text.find('\0')), N - 1);
    field.fill('\0');
    for (std::size_t i = 0; i < kept.size(); ++i) field[i] = kept[i];
}
