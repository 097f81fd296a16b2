// DXF reading: a header scan for five variables, then the entity scan over
// code and value lines.

#include "exchange/DxfFile.h"

#include "model/Cp932Text.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>
#include <numbers>
#include <system_error>

namespace {

constexpr int MaxSlots = 10;
// Longest text kept; a longer one is cut on a character boundary.
constexpr std::size_t MaxTextBytes = 255;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::size_t SkipBlanks(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    return i;
}

// The entity being gathered between two code-0 groups.
struct PendingEntity {
    int code = 0;
    int lineType = 0;
    int slotCount = 0;
    double slots[MaxSlots] = {};
    std::string text;

    void Clear()
    {
        code = 0;
        lineType = 0;
        slotCount = 0;
        for (double& s : slots) s = 0.0;
        text.clear();
    }
    void SetSlot(int i, double v)
    {
        if (!std::isfinite(v)) {
            code = -1;  // a value that is no number drops the whole entity
            return;
        }
        slots[i] = v;
    }
    void AppendSlot(double v)
    {
        if (slotCount >= MaxSlots) return;  // values beyond the slots are dropped
        SetSlot(slotCount++, v);
    }
};

double WrapDegrees360(double deg)
{
    double r = std::fmod(deg, 360.0);
    if (r < 0.0) r += 360.0;
    if (r >= 360.0) r = 0.0;
    return r;
}

constexpr double DegPerRad = 180.0 / std::numbers::pi;

} // namespace

int DxfEntityCode(std::string_view name)
{
    struct Entry {
        std::string_view name;
        int code;
    };
    static constexpr Entry table[] = {
        {"POINT", 10},     {"LINE", 20},      {"CIRCLE", 30}, {"ARC", 31},     {"TEXT", 40},
        {"DIMENSION", 50}, {"POLYLINE", 110}, {"VERTEX", 120}, {"SEQEND", 130}, {"ELLIPSE", 32},
    };
    for (const Entry& e : table)
        if (e.name == name) return e.code;
    return 0;
}

int DxfLineTypeIndex(std::string_view name)
{
    static constexpr std::string_view names[] = {"CONTINUOUS", "HIDDEN", "DASHED", "CENTER", "PHANTOM"};
    for (int i = 0; i < 5; ++i)
        if (names[i] == name) return i;
    return 0;
}

int DxfCodeValue(std::string_view line)
{
    std::size_t i = SkipBlanks(line);
    bool negative = false;
    if (i < line.size() && (line[i] == '+' || line[i] == '-')) negative = line[i++] == '-';
    long long v = 0;
    for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) {
        v = v * 10 + (line[i] - '0');
        if (v > static_cast<long long>(INT_MAX) + 1) v = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) v = -v;
    if (v > INT_MAX) v = INT_MAX;
    return static_cast<int>(v);
}

double DxfRealValue(std::string_view line)
{
    std::size_t i = SkipBlanks(line);
    if (i < line.size() && line[i] == '+') {
        ++i;
        if (i < line.size() && line[i] == '-') return 0.0;
    }
    const char* begin = line.data() + i;
    const char* end = line.data() + line.size();
    double v = 0.0;
    auto [ptr, ec] = std::from_chars(begin, end, v, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Too small underflows to zero, too large overflows to infinity.
        bool negative = begin < end && *begin == '-';
        for (const char* p = begin; p + 1 < ptr; ++p) {
            if ((*p == 'e' || *p == 'E') && p[1] == '-') return negative ? -0.0 : 0.0;
        }
        return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    }
    if (ec != std::errc()) return 0.0;
    return v;
}

bool DxfLineReader::Next(std::string_view& line)
{
    if (pos_ >= text_.size()) return false;
    std::size_t nl = text_.find('\n', pos_);
    std::size_t end = nl == std::string_view::npos ? text_.size() : nl;
    line = text_.substr(pos_, end - pos_);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    pos_ = nl == std::string_view::npos ? text_.size() : nl + 1;
    return true;
}

bool DxfLineReader::NextCode(int& code)
{
    std::string_view line;
    if (!Next(line)) return false;
    code = DxfCodeValue(line);
    return true;
}

void CDxfFile::ReadHeaderPoint(DxfLineReader& lines, double point[3])
{
    int code = 0;
    std::string_view value;
    while (lines.NextCode(code) && code >= 10 && code <= 30) {
        if (!lines.Next(value)) return;
        double v = DxfRealValue(value);
        point[code / 10 - 1] = std::isfinite(v) ? v : 0.0;
    }
}

int CDxfFile::ReadPolylineVertices(DxfLineReader& lines)
{
    Vertices.clear();
    PolylineClosed = false;
    polylineReady_ = false;
    bool inVertex = false;
    bool broken = false;
    Vertex next;
    int code = 0;
    std::string_view value;
    while (lines.NextCode(code)) {
        if (!lines.Next(value)) break;
        if (code == 0) {
            if (inVertex) {
                Vertices.push_back(next);
                next = Vertex{};
            }
            int entity = DxfEntityCode(value);
            if (entity != 120) {
                polylineReady_ = entity == 130 && !broken;
                return entity;
            }
            inVertex = true;
        } else if (code == 6) {
            next.lineType = static_cast<int16_t>(DxfLineTypeIndex(value));
        } else if (code == 70 && !inVertex) {
            PolylineClosed = (DxfCodeValue(value) & 1) != 0;
        } else if (inVertex && (code == 10 || code == 20)) {
            double v = DxfRealValue(value);
            if (!std::isfinite(v)) broken = true;
            (code == 10 ? next.x : next.y) = v;
        }
    }
    Vertices.clear();
    return 0;
}

int CDxfFile::Read(const std::filesystem::path& path, CEntityList& list)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return DxfReadFailed;
    std::ifstream in(path, std::ios::binary);
    if (!in) return DxfReadFailed;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return DxfReadFailed;
    return ReadText(bytes, list);
}

int CDxfFile::ReadText(std::string_view bytes, CEntityList& list)
{
    DxfLineReader lines(bytes);
    std::string_view line;

    // Header scan: every line before "ENTITIES" is tested.
    bool entities = false;
    while (lines.Next(line)) {
        if (line == "ENTITIES") {
            entities = true;
            break;
        }
        if (line == "$EXTMIN") {
            ReadHeaderPoint(lines, ExtMin);
        } else if (line == "$EXTMAX") {
            ReadHeaderPoint(lines, ExtMax);
        } else if (line == "$LIMMIN") {
            ReadHeaderPoint(lines, LimMin);
        } else if (line == "$LIMMAX") {
            ReadHeaderPoint(lines, LimMax);
        } else if (line == "$LTSCALE") {
            int code = 0;
            LtScale = 0.0;
            while (lines.NextCode(code) && code == 40) {
                if (!lines.Next(line)) break;
                LtScale = DxfRealValue(line);
            }
        }
    }
    if (!entities) return DxfReadFailed;

    PendingEntity pending;
    // Adds one entity when every value, after the arithmetic that made it,
    // is a finite number; otherwise counts it as left out.
    auto add = [&](const EntityHeader& h, const int16_t* codes, COLORREF colour, const double* v,
                   std::string_view text = {}, std::string_view font = {}) {
        for (int k = 0; k < h.count; ++k) {
            if (!std::isfinite(v[k])) {
                ++NotFiniteRecords;
                return;
            }
        }
        list.AddEntity(h, codes, colour, v, text, font);
    };
    auto store = [&] {
        const EntityHeader base{0, 0, static_cast<int16_t>(pending.lineType * 100), 0, 0};
        const double* s = pending.slots;
        switch (pending.code) {
        case 10: {
            static const int16_t codes[] = {10, 20};
            EntityHeader h = base;
            h.type = EntityType::Point;
            h.count = 2;
            add(h, codes, 0, s);
            break;
        }
        case 20: {
            static const int16_t codes[] = {10, 20, 11, 22};
            EntityHeader h = base;
            h.type = EntityType::Line;
            h.count = 4;
            add(h, codes, 0, s);
            break;
        }
        case 30: {
            static const int16_t codes[] = {10, 20, 40};
            EntityHeader h = base;
            h.type = EntityType::Circle;
            h.count = 3;
            add(h, codes, 0, s);
            break;
        }
        case 31: {
            static const int16_t codes[] = {10, 20, 40, 50, 51};
            EntityHeader h = base;
            h.type = EntityType::Arc;
            h.subtype = 1;
            h.count = 5;
            add(h, codes, 0, s);
            break;
        }
        case 40: {
            static const int16_t codes[] = {10, 20, 30, 40, 50};
            EntityHeader h = base;
            h.type = EntityType::Text;
            h.count = 5;
            double width = s[2] * s[3];
            if (!(width >= 1.9)) width = s[2];
            const double v[] = {s[0], s[1], s[2], width, s[4]};
            add(h, codes, 0, v, pending.text, DefaultTextFont);
            break;
        }
        case 32: {
            // The axis vector gives the major radius and the rotation; the
            // parameters of the unflattened circle become directions.
            const double major = (s[2] == 0.0 && s[3] == 0.0) ? 0.0 : std::hypot(s[2], s[3]);
            double rotation = std::atan2(s[3], s[2]) * DegPerRad;
            if (rotation < 0.0) rotation += 360.0;
            const double minor = s[4] * major;
            const bool full = std::trunc(s[5]) == 0.0 && std::trunc(s[6] * 180.0 / std::numbers::pi) == 360.0;
            EntityHeader h{EntityType::Ellipse, 1, 0, 0, 5};
            if (full) {
                static const int16_t codes[] = {10, 20, 60, 61, 62};
                const double v[] = {s[0], s[1], major, minor, rotation};
                add(h, codes, 0, v);
            } else {
                static const int16_t codes[] = {10, 20, 60, 61, 62, 50, 51};
                auto direction = [&](double t) {
                    return WrapDegrees360(rotation + std::atan2(s[4] * std::sin(t), std::cos(t)) * DegPerRad);
                };
                const double v[] = {s[0], s[1], major, minor, rotation, direction(s[5]), direction(s[6])};
                h.type = EntityType::EllipticArc;
                h.count = 7;
                add(h, codes, 0, v);
            }
            break;
        }
        case 130: {
            // A polyline becomes separate lines; the closing one only when
            // the polyline says it is closed.
            if (!polylineReady_ || Vertices.size() < 2) break;
            static const int16_t codes[] = {10, 20, 11, 22};
            EntityHeader h{EntityType::Line, 0, 0, 0, 4};
            const std::size_t n = Vertices.size();
            for (std::size_t i = 0; i + 1 < n; ++i) {
                h.style = static_cast<int16_t>(Vertices[i].lineType * 100);
                const double v[] = {Vertices[i].x, Vertices[i].y, Vertices[i + 1].x, Vertices[i + 1].y};
                add(h, codes, 0, v);
            }
            if (PolylineClosed && n > 2) {
                const double v[] = {Vertices[n - 1].x, Vertices[n - 1].y, Vertices[0].x, Vertices[0].y};
                add(h, codes, 0, v);
            }
            break;
        }
        case -1:  // a value that was no number
            ++NotFiniteRecords;
            break;
        default:
            break;
        }
        Vertices.clear();
        polylineReady_ = false;
    };

    int code = 0;
    while (lines.NextCode(code)) {
        if (code == 0) {
            if (pending.code > 0) {
                store();
                ++EntityCount;
            }
            pending.Clear();
            Vertices.clear();
            polylineReady_ = false;
        }
        if (!lines.Next(line)) break;
        if (code == 0) {
            pending.code = DxfEntityCode(line);
            if (pending.code == 110) pending.code = ReadPolylineVertices(lines);
        } else if (code == 1) {
            pending.text.assign(Cp932Fit(line, MaxTextBytes));
        } else if (code == 6) {
            pending.lineType = DxfLineTypeIndex(line);
        } else if (code >= 10 && code <= 59) {
            switch (pending.code) {
            case 10: case 20: case 30: case 31:
                if (code != 30 && code != 31) pending.AppendSlot(DxfRealValue(line));
                break;
            case 32: {
                int slot = code == 10 ? 0 : code == 20 ? 1 : code == 11 ? 2 : code == 21 ? 3
                         : code == 40 ? 4 : code == 41 ? 5 : code == 42 ? 6 : -1;
                if (slot >= 0) pending.SetSlot(slot, DxfRealValue(line));
                break;
            }
            case 40: {
                int slot = code == 10 ? 0 : code == 20 ? 1 : code == 40 ? 2 : code == 41 ? 3 : code == 50 ? 4 : -1;
                if (slot >= 0) pending.SetSlot(slot, DxfRealValue(line));
                break;
            }
            default:
                pending.code = -1;
                break;
            }
        }
    }
    // A pending entity at the end of the file is not stored.
    Vertices.clear();
    polylineReady_ = false;
    if (!(LtScale >= 0.001)) LtScale = 100.0;
    return DxfReadOk;
}
