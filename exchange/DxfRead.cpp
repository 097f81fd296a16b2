// DXF reading: a header scan for five variables, then the entity scan over
// code and value lines.

#include "exchange/DxfFile.h"

#include "exchange/ReadRecord.h"
#include "model/Cp932Text.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>
#include <numbers>
#include <span>
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

// Where each group code of a kind goes: the value slots of the kinds read,
// by code. A code not listed is passed over.
struct SlotCodes {
    int entity;
    int codes[7];
};
constexpr SlotCodes KindSlots[] = {
    {10, {10, 20}},
    {20, {10, 20, 11, 21}},
    {30, {10, 20, 40}},
    {31, {10, 20, 40, 50, 51}},
    {32, {10, 20, 11, 21, 40, 41, 42}},
    {40, {10, 20, 40, 41, 50}},
};

int SlotOf(int entity, int code)
{
    for (const SlotCodes& k : KindSlots) {
        if (k.entity != entity) continue;
        for (int i = 0; i < 7; ++i)
            if (k.codes[i] == code && code != 0) return i;
        return -1;
    }
    return -1;
}

// The entity being gathered between two code-0 groups.
struct PendingEntity {
    int code = 0;
    int lineType = 0;
    double slots[MaxSlots] = {};
    bool paperSpace = false;   // group 67 = 1
    std::string name;          // the record's name, for the report
    bool counted = false;      // a kind not read, met inside ENTITIES
    std::string text;

    void Clear()
    {
        code = 0;
        lineType = 0;
        for (double& s : slots) s = 0.0;
        paperSpace = false;
        name.clear();
        counted = false;
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

void CDxfFile::ReadHeaderText(DxfLineReader& lines, int code, std::string& value)
{
    int c = 0;
    std::string_view line;
    if (!lines.NextCode(c) || c != code || !lines.Next(line)) return;
    std::size_t b = SkipBlanks(line);
    std::size_t e = line.size();
    while (e > b && IsBlank(line[e - 1])) --e;
    value.assign(line.substr(b, e - b));
}

TextEncoding CDxfFile::TextEncodingOfFile() const
{
    TextEncoding enc;
    // From AC1021 on every text of the file is UTF-8.
    if (AcadVer.size() == 6 && AcadVer.compare(0, 2, "AC") == 0 && AcadVer >= "AC1021") {
        enc.kind = TextEncoding::Utf8;
        return enc;
    }
    std::string page;
    for (char c : CodePage) page += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    const std::size_t digits = page.find_first_of("0123456789");
    if (digits == std::string::npos) return enc;  // absent or unknown: code page 932
    const int number = DxfCodeValue(std::string_view(page).substr(digits));
    if (page.compare(0, 4, "ANSI") != 0 && page.compare(0, 3, "DOS") != 0) return enc;
    if (number == 932 || number <= 0) return enc;
    enc.kind = TextEncoding::CodePage;
    enc.codePage = number;
    return enc;
}

int CDxfFile::ReadPolylineVertices(DxfLineReader& lines)
{
    Vertices.clear();
    PolylineClosed = false;
    PolylineMesh = false;
    PolylinePaper = false;
    polylineReady_ = false;
    bool inVertex = false;
    bool faceRecord = false;  // a mesh's face record: no position of its own
    bool broken = false;
    Vertex next;
    int code = 0;
    std::string_view value;
    while (lines.NextCode(code)) {
        if (!lines.Next(value)) break;
        if (code == 0) {
            // The polyline's own group 6 stays for its first vertex.
            if (inVertex && !faceRecord) Vertices.push_back(next);
            if (inVertex) next = Vertex{};
            faceRecord = false;
            int entity = DxfEntityCode(value);
            if (entity != 120) {
                polylineReady_ = entity == 130 && !broken;
                return entity;
            }
            inVertex = true;
        } else if (code == 6) {
            next.lineType = static_cast<int16_t>(DxfLineTypeIndex(value));
        } else if (code == 70 && !inVertex) {
            const int flags = DxfCodeValue(value);
            PolylineClosed = (flags & 1) != 0;
            PolylineMesh = (flags & (16 | 64)) != 0;
        } else if (code == 70) {
            const int flags = DxfCodeValue(value);
            faceRecord = (flags & 128) != 0 && (flags & 64) == 0;
        } else if (code == 67 && !inVertex) {
            PolylinePaper = DxfCodeValue(value) == 1;
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
    Report = ImportReport{};

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
        } else if (line == "$ACADVER") {
            ReadHeaderText(lines, 1, AcadVer);
        } else if (line == "$DWGCODEPAGE") {
            ReadHeaderText(lines, 3, CodePage);
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
    const TextEncoding encoding = TextEncodingOfFile();
    int unconvertible = 0;

    PendingEntity pending;
    auto store = [&] {
        const EntityHeader base{0, 0, static_cast<int16_t>(pending.lineType * 100), 0, 0};
        const double* s = pending.slots;
        switch (pending.code) {
        case 10: {
            EntityHeader h = base;
            h.type = EntityType::Point;
            h.count = 2;
            AddReadRecord(list, NotFiniteRecords, h, 0, std::span<const double>(s, 2));
            break;
        }
        case 20: {
            EntityHeader h = base;
            h.type = EntityType::Line;
            h.count = 4;
            AddReadRecord(list, NotFiniteRecords, h, 0, std::span<const double>(s, 4));
            break;
        }
        case 30: {
            EntityHeader h = base;
            h.type = EntityType::Circle;
            h.count = 3;
            AddReadRecord(list, NotFiniteRecords, h, 0, std::span<const double>(s, 3));
            break;
        }
        case 31: {
            EntityHeader h = base;
            h.type = EntityType::Arc;
            h.subtype = 1;
            h.count = 5;
            AddReadRecord(list, NotFiniteRecords, h, 0, std::span<const double>(s, 5));
            break;
        }
        case 40: {
            EntityHeader h = base;
            h.type = EntityType::Text;
            h.count = 5;
            // Group 41 is the width as a factor of the height; without it
            // the text is as wide as it is high.
            const double width = s[3] > 0.0 ? s[2] * s[3] : s[2];
            const double v[] = {s[0], s[1], s[2], width, s[4]};
            if (std::isfinite(width)) {
                const std::string text = ForeignTextToCp932(pending.text, encoding, unconvertible);
                AddReadRecord(list, NotFiniteRecords, h, 0, v, Cp932Fit(text, MaxTextBytes), DefaultTextFont);
            }
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
                const double v[] = {s[0], s[1], major, minor, rotation};
                if (std::isfinite(minor)) AddReadRecord(list, NotFiniteRecords, h, 0, v);
            } else {
                auto direction = [&](double t) {
                    return WrapDegrees360(rotation + std::atan2(s[4] * std::sin(t), std::cos(t)) * DegPerRad);
                };
                const double v[] = {s[0], s[1], major, minor, rotation, direction(s[5]), direction(s[6])};
                h.type = EntityType::EllipticArc;
                h.count = 7;
                if (std::isfinite(minor)) AddReadRecord(list, NotFiniteRecords, h, 0, v);
            }
            break;
        }
        case 130: {
            // A polyline becomes separate lines; the closing one only when
            // the polyline says it is closed. Meshes and paper-space
            // polylines are passed over.
            if (!polylineReady_ || Vertices.size() < 2) break;
            if (PolylinePaper) {
                Report.Count(PaperSpaceLabel);
                break;
            }
            if (PolylineMesh) {
                Report.Count(MeshLabel);
                break;
            }
            EntityHeader h{EntityType::Line, 0, 0, 0, 4};
            const std::size_t n = Vertices.size();
            for (std::size_t i = 0; i + 1 < n; ++i) {
                h.style = static_cast<int16_t>(Vertices[i].lineType * 100);
                const double v[] = {Vertices[i].x, Vertices[i].y, Vertices[i + 1].x, Vertices[i + 1].y};
                AddReadRecord(list, NotFiniteRecords, h, 0, v);
            }
            if (PolylineClosed && n > 2) {
                const double v[] = {Vertices[n - 1].x, Vertices[n - 1].y, Vertices[0].x, Vertices[0].y};
                AddReadRecord(list, NotFiniteRecords, h, 0, v);
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

    // Names of a section's frame, not entities.
    auto isFrame = [](std::string_view name) {
        return name == "ENDSEC" || name == "SECTION" || name == "EOF" || name.empty();
    };
    bool inEntities = true;       // kinds not read are counted only here
    bool sectionStarts = false;   // the last name was SECTION: its group 2 follows
    int code = 0;
    while (lines.NextCode(code)) {
        if (code == 0) {
            if (pending.paperSpace && (pending.code > 0 || pending.counted)) {
                Report.Count(PaperSpaceLabel);
                if (pending.code > 0) ++EntityCount;
            } else if (pending.code > 0) {
                store();
                ++EntityCount;
            } else if (pending.counted) {
                Report.Count(pending.name);
            }
            pending.Clear();
            Vertices.clear();
            polylineReady_ = false;
        }
        if (!lines.Next(line)) break;
        if (code == 0) {
            pending.code = DxfEntityCode(line);
            pending.name.assign(line.substr(0, 40));
            sectionStarts = line == "SECTION";
            if (line == "ENDSEC") inEntities = false;
            const bool read = pending.code > 0 && pending.code != 50 && pending.code != 120 && pending.code != 130;
            const bool stray = pending.code == 120 || pending.code == 130;  // outside a polyline
            pending.counted = inEntities && !read && !stray && !isFrame(line);
            if (!read) pending.code = 0;
            if (pending.code == 110) {
                pending.code = ReadPolylineVertices(lines);
                if (pending.code == 130) pending.paperSpace = PolylinePaper;
            }
        } else if (code == 2 && sectionStarts) {
            inEntities = line == "ENTITIES";
            sectionStarts = false;
        } else if (code == 1) {
            // The text is cut to its limit after conversion.
            pending.text.assign(line.substr(0, 4 * MaxTextBytes));
        } else if (code == 6) {
            pending.lineType = DxfLineTypeIndex(line);
        } else if (code == 67) {
            pending.paperSpace = DxfCodeValue(line) == 1;
        } else if (code >= 10 && code <= 59) {
            switch (pending.code) {
            case 10: case 20: case 30: case 31: case 32: case 40: {
                const int slot = SlotOf(pending.code, code);
                if (slot >= 0) pending.SetSlot(slot, DxfRealValue(line));
                break;
            }
            case -1:
                break;
            default:
                break;
            }
        }
    }
    // A pending entity at the end of the file is not stored.
    Vertices.clear();
    polylineReady_ = false;
    if (unconvertible > 0) Report.Count(UnconvertibleLabel, unconvertible);
    if (!(LtScale >= 0.001)) LtScale = 100.0;
    return DxfReadOk;
}
