// Reading JWC drawings.

#include "exchange/JwcFile.h"

#include "exchange/DxfFile.h"
#include "exchange/ReadRecord.h"
#include "model/Cp932Text.h"
#include "model/DefaultPalette.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <numbers>
#include <system_error>
#include <vector>

namespace {

constexpr std::size_t MaxTextBytes = 255;

float FloatAt(std::span<const uint8_t> d, std::size_t at)
{
    const uint32_t bits = d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) | (static_cast<uint32_t>(d[at + 3]) << 24);
    return std::bit_cast<float>(bits);
}

uint32_t DwordAt(std::span<const uint8_t> d, std::size_t at)
{
    return d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) | (static_cast<uint32_t>(d[at + 3]) << 24);
}

// Scaled in single precision, as the format was made.
double Scaled(float v, double factor)
{
    return static_cast<double>(v * static_cast<float>(factor));
}

int16_t StyleOfCode(int code)
{
    static constexpr int16_t lineTypes[10] = {0, 0, 1, 2, 2, 3, 3, 4, 4, 1};
    return static_cast<int16_t>((code >= 0 && code <= 9 ? lineTypes[code] : 0) * 100);
}

COLORREF ColourOfCode(int code)
{
    static constexpr int paletteIndex[13] = {0, 11, 0, 14, 11, 17, 16, 13, 15, 14, 18, 0, 0};
    const int index = code >= 0 && code <= 12 ? paletteIndex[code] : 0;
    return ResolvePaletteColour(0x01000000u | static_cast<COLORREF>(index));
}

int16_t LayerOf(uint8_t b)
{
    return static_cast<int16_t>(std::min<int>(b, 9));
}

bool InRange(double v)
{
    return v >= MinCoordinate && v <= MaxCoordinate;
}

bool Finite(std::initializer_list<double> values)
{
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

} // namespace

int CJwcReader::ParseCommaNumbers(std::span<const uint8_t> block, double* numbers, int maximum)
{
    std::size_t end = 0;
    while (end < block.size() && block[end] != 0) ++end;
    const std::string_view text(reinterpret_cast<const char*>(block.data()), end);
    int count = 0;
    std::size_t start = 0;
    for (std::size_t comma; count < maximum && (comma = text.find(',', start)) != std::string_view::npos;
         start = comma + 1) {
        const std::string_view piece = text.substr(start, comma - start);
        // A piece without a digit holds no number.
        const bool hasDigit = std::any_of(piece.begin(), piece.end(), [](char c) { return c >= '0' && c <= '9'; });
        numbers[count++] = hasDigit ? DxfRealValue(piece) : std::numeric_limits<double>::quiet_NaN();
    }
    return count;
}

int CJwcReader::ReadJwcLines(std::span<const uint8_t> d, std::size_t offset, long long count, CEntityList& list)
{
    for (long long i = 0; i < count; ++i, offset += 22) {
        if (offset + 22 > d.size()) return 1;
        const double v[] = {Scaled(FloatAt(d, offset), CoordFactor), Scaled(FloatAt(d, offset + 4), CoordFactor),
                            Scaled(FloatAt(d, offset + 8), CoordFactor), Scaled(FloatAt(d, offset + 12), CoordFactor)};
        if (!InRange(v[0]) || !InRange(v[1]) || !InRange(v[2]) || !InRange(v[3])) continue;
        AddReadRecord(list, NotFiniteRecords, EntityHeader{EntityType::Line, 0, StyleOfCode(d[offset + 16]), LayerOf(d[offset + 18]), 4},
                      ColourOfCode(d[offset + 17]), v);
    }
    return 0;
}

int CJwcReader::ReadJwcArcs(std::span<const uint8_t> d, std::size_t offset, long long count, CEntityList& list)
{
    for (long long i = 0; i < count; ++i, offset += 32) {
        if (offset + 32 > d.size()) return 1;
        const double cx = Scaled(FloatAt(d, offset), CoordFactor), cy = Scaled(FloatAt(d, offset + 4), CoordFactor);
        const double r = Scaled(FloatAt(d, offset + 8), CoordFactor);
        const uint32_t start = DwordAt(d, offset + 14), end = DwordAt(d, offset + 18), shift = DwordAt(d, offset + 22);
        const int16_t style = StyleOfCode(d[offset + 26]);
        const COLORREF colour = ColourOfCode(d[offset + 27]);
        const int16_t layer = LayerOf(d[offset + 30]);
        if (!Finite({cx, cy, r})) {
            ++NotFiniteRecords;
            continue;
        }
        if (start == 0 && end == 0) {
            const double v[] = {cx, cy, r};
            AddReadRecord(list, NotFiniteRecords, EntityHeader{EntityType::Circle, 0, style, layer, 3}, colour, v);
            continue;
        }
        auto angle = [&](uint32_t a) {
            return (a <= 360 ? static_cast<double>(a) : a / 65536.0) + shift / 65536.0;
        };
        const double v[] = {cx, cy, r, angle(start), angle(end)};
        AddReadRecord(list, NotFiniteRecords, EntityHeader{EntityType::Arc, 1, style, layer, 5}, colour, v);
    }
    return 0;
}

int CJwcReader::ReadJwcTexts(std::span<const uint8_t> d, std::size_t offset, long long count, CEntityList& list)
{
    StringOffset = offset + static_cast<std::size_t>(count) * 24;
    for (long long i = 0; i < count; ++i, offset += 24) {
        if (offset + 24 > d.size()) return 1;
        std::string text;
        if (StringOffset < d.size()) {
            std::size_t end = StringOffset;
            while (end < d.size() && d[end] != 0) ++end;
            text.assign(reinterpret_cast<const char*>(d.data()) + StringOffset, end - StringOffset);
            StringOffset = end < d.size() ? end + 1 : end;
        }
        const double x = Scaled(FloatAt(d, offset), CoordFactor), y = Scaled(FloatAt(d, offset + 4), CoordFactor);
        const double x2 = Scaled(FloatAt(d, offset + 8), CoordFactor), y2 = Scaled(FloatAt(d, offset + 12), CoordFactor);
        const int kind = d[offset + 20] <= 10 ? d[offset + 20] : 0;
        const double height = TextHeights[kind] * CoordFactor;
        const double angle = std::atan2(y2 - y, x2 - x) * 180.0 / std::numbers::pi;
        if (!Finite({x, y, height, angle})) continue;
        const double v[] = {x, y, height, 1.0, angle};
        AddReadRecord(list, NotFiniteRecords, EntityHeader{EntityType::Text, 0, 0, LayerOf(d[offset + 21]), 5}, 0, v,
                       Cp932Fit(text, MaxTextBytes), DefaultTextFont);
    }
    return 0;
}

int CJwcReader::ReadJwcPoints(std::span<const uint8_t> d, long long count, CEntityList& list)
{
    std::size_t offset = StringOffset;
    for (long long i = 0; i < count; ++i, offset += 12) {
        if (offset + 12 > d.size()) return 1;
        const double v[] = {Scaled(FloatAt(d, offset), CoordFactor), Scaled(FloatAt(d, offset + 4), CoordFactor)};
        if (!Finite({v[0], v[1]})) continue;
        AddReadRecord(list, NotFiniteRecords, EntityHeader{EntityType::Point, 0, 0, LayerOf(d[offset + 8]), 2},
                      ColourOfCode(d[offset + 9]), v);
    }
    return 0;
}

int CJwcReader::ReadJwcData(std::span<const uint8_t> d, CEntityList& list)
{
    message.clear();
    auto fail = [&](const char* text) {
        message = text;
        return 1;
    };
    if (d.empty()) return fail(JwcHeaderMessage);
    const std::string_view header(reinterpret_cast<const char*>(d.data()), std::min<std::size_t>(200, d.size()));
    const bool later = header.find("a.f.m") != std::string_view::npos;

    if (d.size() <= 200) return fail(JwcBlockMessage);
    double numbers[32];
    const int found = ParseCommaNumbers(d.subspan(200, std::min<std::size_t>(200, d.size() - 200)), numbers, 32);
    if (found < 31) return fail(JwcBlockMessage);
    JwcScale = numbers[9];
    if (!(JwcScale > 0.0) || !std::isfinite(JwcScale) || !(numbers[30] > 0.0) || !std::isfinite(numbers[30]))
        return fail(JwcBlockMessage);
    int paper = std::isfinite(numbers[11]) ? static_cast<int>(std::trunc(std::clamp(numbers[11], -1.0, 100.0))) : 3;
    if (paper < 0 || paper > 9) paper = 3;
    static constexpr float widths[5] = {1189, 841, 594, 420, 297};
    static constexpr float heights[5] = {840, 594, 420, 297, 210};
    CoordFactor = static_cast<double>((paper <= 4 ? widths[paper] : 10000.0f) / static_cast<float>(numbers[30]) *
                                      static_cast<float>(JwcScale));
    if (!std::isfinite(CoordFactor)) return fail(JwcBlockMessage);

    if (d.size() <= 400) return fail(JwcBlockMessage);
    double block2[28];
    ParseCommaNumbers(d.subspan(400, std::min<std::size_t>(200, d.size() - 400)), block2, 28);
    if (d.size() <= 600) return fail(JwcBlockMessage);

    // Settings at fixed offsets, each region with its own message.
    const std::size_t L = later ? 1861 : 1829;
    struct Region {
        std::size_t end;
        const char* message;
    };
    const Region regions[] = {
        {1204, "ERROR:READ (01) 仮点のＸ座標"},
        {1608, "ERROR:READ (02) 仮点のＹ座標"},
        {1709, "ERROR:READ (03) 仮点のレイヤ"},
        {1731, "ERROR:READ (04) 文字のペン番号"},
        {1753, "ERROR:READ (05) 文字の幅"},
        {1775, "ERROR:READ (06) 文字の高さ"},
        {1797, "ERROR:READ (07) 文字の間隔"},
        {L, "ERROR:READ (08) レイヤグループのスケール"},
        {L + 16, "ERROR:READ (09) サーチレイヤーグループ"},
        {L + 272, "ERROR:READ (09) サーチレイヤ"},
        {L + 288, "ERROR:READ  (11) 表示レイヤグループ"},
        {L + 544, "ERROR:READ  (12) 表示レイヤ"},
        {L + 560, "ERROR:READ  // (13) 表示レイヤ"},
    };
    for (const Region& r : regions)
        if (d.size() < r.end) return fail(r.message);
    for (int k = 0; k < 11; ++k) {
        const int16_t h = static_cast<int16_t>(d[1753 + 2 * k] | (d[1754 + 2 * k] << 8));
        TextHeights[k] = h * 0.1;
    }

    AreaMin[0] = AreaMin[1] = AreaMin[2] = 0.0;
    const int q = paper <= 4 ? paper : 3;
    AreaMax[0] = JwcScale * widths[q];
    AreaMax[1] = JwcScale * heights[q];
    AreaMax[2] = 6400.0;

    long long counts[4];
    for (int i = 0; i < 4; ++i) {
        const double n = numbers[i];
        counts[i] = std::isfinite(n) ? static_cast<long long>(std::trunc(std::clamp(n, -1.0, 1e12))) : -1;
    }
    const std::size_t R = L + 560;
    // A count below 0, or more records than the file holds, is refused
    // with that region's message (the records before it are kept).
    auto tooMany = [&](long long count, std::size_t offset, std::size_t size) {
        return count < 0 || offset > d.size() || static_cast<unsigned long long>(count) > (d.size() - offset) / size;
    };
    std::size_t offset = R;
    if (tooMany(counts[0], offset, 22) || ReadJwcLines(d, offset, counts[0], list)) return fail(JwcLineMessage);
    offset += static_cast<std::size_t>(counts[0]) * 22;
    if (tooMany(counts[1], offset, 32) || ReadJwcArcs(d, offset, counts[1], list)) return fail(JwcArcMessage);
    offset += static_cast<std::size_t>(counts[1]) * 32;
    if (tooMany(counts[2], offset, 24) || ReadJwcTexts(d, offset, counts[2], list)) return fail(JwcTextMessage);
    if (counts[3] < 0 || ReadJwcPoints(d, std::min<long long>(counts[3], static_cast<long long>(d.size() / 12) + 1), list))
        return fail(JwcPointMessage);
    return 0;
}

int CJwcReader::ReadJwcFile(const std::filesystem::path& path, CEntityList& list)
{
    message.clear();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return 1;
    std::ifstream in(path, std::ios::binary);
    if (!in) return 1;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return 1;
    return ReadJwcData(bytes, list);
}
