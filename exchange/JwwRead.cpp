// Reading JWW drawings: the header, then the object list.

#include "exchange/JwwFile.h"

#include "exchange/ReadRecord.h"
#include "model/Cp932Text.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <numbers>
#include <system_error>
#include <unordered_map>

namespace {

constexpr double RadToDegree = 180.0 / std::numbers::pi;
constexpr std::size_t MaxTextBytes = 127;
constexpr std::size_t MaxFontBytes = 44;

double Wrap360(double deg)
{
    double r = std::fmod(deg, 360.0);
    if (r < 0.0) r += 360.0;
    if (r >= 360.0) r = 0.0;
    return r;
}

bool InRange(double v)
{
    return v >= MinCoordinate && v <= MaxCoordinate;
}

bool AllFinite(std::initializer_list<double> values)
{
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

int16_t StyleOfPenStyle(int penStyle)
{
    switch (penStyle) {
    case 2: case 9: return 100;
    case 3: case 4: return 200;
    case 5: case 6: return 300;
    case 7: case 8: return 400;
    default: return 0;
    }
}

struct PaperArea {
    double width, height;
};

PaperArea JwwPaper(uint32_t code)
{
    switch (code) {
    case 0: return {1189, 840};
    case 1: return {841, 594};
    case 2: return {594, 420};
    case 4: return {297, 210};
    case 8: return {2378, 1680};
    case 9: return {4756, 3360};
    case 10: return {9512, 6720};
    case 11: return {19024, 13440};
    case 12: return {10000, 10000};
    case 13: return {50000, 50000};
    case 14: return {100000, 100000};
    default: return {420, 297};  // code 3, and the codes without a size
    }
}

} // namespace

int CJwwReader::ReadJwwHeader(ArchiveReader& a)
{
    char magic[8] = {};
    for (char& c : magic) c = static_cast<char>(a.Byte());
    if (a.ended || std::memcmp(magic, "JwwData.", 8) != 0) return JwwHeaderNotJww;
    FileVersion = a.Dword();
    if (a.ended || FileVersion <= 10) return JwwHeaderNotJww;
    if (FileVersion < 230) return static_cast<int>(FileVersion);
    const uint32_t v = FileVersion;

    a.String();                        // 3
    PaperCode = a.Dword();             // 4
    a.Dword();                         // 5
    double scale = 1.0;
    for (int g = 0; g < 16; ++g) {     // 6
        a.Dword();
        a.Dword();
        const double s = a.Double();
        if (g == 0) scale = s;
        a.Dword();
        a.Skip(16 * 8);
    }
    a.Skip(21 * 4);                    // 7
    a.Skip(3 * 8 + 2 * 4 + 5 * 8);     // 8
    for (int i = 0; i < 256 + 16 && !a.ended; ++i) a.String();  // 9, 10
    a.Skip(8 + 8 + 4 + 8);             // 11
    if (v >= 300) a.Skip(2 * 8);       // 12
    a.Skip(4 + 6 * 8);                 // 13
    if (v >= 300) {
        a.Skip(8 * (3 * 8 + 4));       // 14
        a.Skip(3 * 8 + 4 + 3 * 8 + 4); // 15
    } else {
        a.Skip(4 * 3 * 8);             // 14'
    }
    a.Skip(11 * 8);                    // 16
    for (int i = 0; i < 10; ++i) {     // 17
        JwwPenColors[i] = a.Dword() & 0x00FFFFFFu;
        a.Dword();
    }
    a.Skip(10 * (4 + 4 + 8));          // 18
    a.Skip(8 * 4 * 4);                 // 19
    a.Skip(5 * 5 * 4);                 // 20
    a.Skip(4 * 4 * 4);                 // 21
    a.Skip(16 * 4 + 9 * 8 + 2 * 4);    // 22
    if (v >= 420) {                    // 23
        a.Skip(257 * 2 * 4);
        for (int i = 0; i < 257 && !a.ended; ++i) {
            a.String();
            a.Skip(4 + 4 + 8);
        }
        a.Skip(33 * 4 * 4);
        for (int i = 0; i < 33 && !a.ended; ++i) {
            a.String();
            a.Skip(4 + 10 * 8);
        }
    }
    a.Skip(10 * (3 * 8 + 4));          // 24
    a.Skip(3 * 8 + 2 * 4 + 2 * 8 + 4 + 6 * 8);  // 25
    if (a.ended) return JwwHeaderNotJww;

    CoordFactor = std::isfinite(scale) && scale > 0.0 ? scale : 1.0;
    const PaperArea paper = JwwPaper(PaperCode);
    AreaMin[0] = AreaMin[1] = AreaMin[2] = 0.0;
    AreaMax[0] = paper.width * CoordFactor;
    AreaMax[1] = paper.height * CoordFactor;
    AreaMax[2] = 6400.0;
    return JwwHeaderOk;
}

int CJwwReader::ReadJwwClassName(std::string_view name)
{
    static constexpr std::string_view prefixes[] = {"CDataSen", "CDataEnk", "CDataTen", "CDataMoj",
                                                    "CDataSun", "CDataSol", "CDataBlo", "CDataLis"};
    for (int i = 0; i < 8; ++i)
        if (name.substr(0, 8) == prefixes[i]) return i;
    return -1;
}

int16_t CJwwReader::LayerOf(uint16_t group, uint16_t layer)
{
    // Layer groups 0 to 7 fill the 128 layers; the later groups share the last.
    if (group >= 8) Report.Count(JwwMergedGroupsLabel);
    return static_cast<int16_t>(std::min<uint32_t>(static_cast<uint32_t>(group) * 16u + layer, 127u));
}

CJwwReader::Prefix CJwwReader::ReadPrefix(ArchiveReader& a)
{
    Prefix p;
    a.Dword();  // group
    const uint8_t penStyle = a.Byte();
    p.style = StyleOfPenStyle(penStyle);
    p.colourNumber = a.Word();
    if (FileVersion >= 351) a.Word();  // pen width
    const uint16_t layer = a.Word();
    const uint16_t group = a.Word();
    a.Word();  // flags
    p.layer = LayerOf(group, layer);
    // Pen 0 is the other program's background: it and unknown pens draw in pen 1's colour.
    p.colour = p.colourNumber >= 1 && p.colourNumber <= 9 ? JwwPenColors[p.colourNumber] : JwwPenColors[1];
    return p;
}

bool CJwwReader::ReadJwwSen(ArchiveReader& a, CEntityList& list)
{
    const Prefix p = ReadPrefix(a);
    const double x1 = a.Double() * CoordFactor, y1 = a.Double() * CoordFactor;
    const double x2 = a.Double() * CoordFactor, y2 = a.Double() * CoordFactor;
    if (a.ended) return false;
    if (InRange(x1) && InRange(y1) && InRange(x2) && InRange(y2)) {
        const double v[] = {x1, y1, x2, y2};
        AddReadRecord(list, NotFiniteRecords, EntityHeader{EntityType::Line, 0, p.style, p.layer, 4}, p.colour, v);
    }
    return true;
}

bool CJwwReader::ReadJwwEnko(ArchiveReader& a, CEntityList& list)
{
    const Prefix p = ReadPrefix(a);
    const double cx = a.Double() * CoordFactor, cy = a.Double() * CoordFactor;
    const double radius = a.Double() * CoordFactor;
    const double start = a.Double(), sweep = a.Double(), tilt = a.Double();
    const double flatness = a.Double();
    const uint32_t full = a.Dword();
    if (a.ended) return false;
    if (!AllFinite({cx, cy, radius, start, sweep, tilt, flatness})) {
        ++NotFiniteRecords;
        return true;
    }
    const int16_t direction = sweep < 0.0 ? -1 : 1;
    if (std::fabs(flatness - 1.0) <= 0.01) {
        if (full == 1) {
            const double v[] = {cx, cy, radius};
            AddReadRecord(list, NotFiniteRecords, EntityHeader{EntityType::Circle, 0, p.style, p.layer, 3}, p.colour, v);
        } else {
            const double v[] = {cx, cy, radius, Wrap360((start + tilt) * RadToDegree),
                                Wrap360((start + tilt + sweep) * RadToDegree)};
            AddReadRecord(list, NotFiniteRecords, EntityHeader{EntityType::Arc, direction, p.style, p.layer, 5}, p.colour, v);
        }
        return true;
    }
    const double minor = radius * flatness;
    const double rotation = Wrap360(tilt * RadToDegree);
    if (full == 1) {
        const double v[] = {cx, cy, radius, minor, rotation};
        AddReadRecord(list, NotFiniteRecords, EntityHeader{EntityType::Ellipse, 0, p.style, p.layer, 5}, p.colour, v);
        return true;
    }
    // Start and sweep are parameters of the unflattened circle, from the tilt.
    auto directionOf = [&](double t) {
        return Wrap360((tilt + std::atan2(flatness * std::sin(t), std::cos(t))) * RadToDegree);
    };
    const double v[] = {cx, cy, radius, minor, rotation, directionOf(start), directionOf(start + sweep)};
    AddReadRecord(list, NotFiniteRecords, EntityHeader{EntityType::EllipticArc, direction, p.style, p.layer, 7}, p.colour, v);
    return true;
}

bool CJwwReader::ReadJwwTen(ArchiveReader& a, CEntityList& list)
{
    a.Dword();  // group
    const uint8_t penStyle = a.Byte();
    // The prefix again by hand: the pen style decides what follows the flag.
    uint16_t colourNumber = a.Word();
    if (FileVersion >= 351) a.Word();
    const uint16_t layer = a.Word();
    const uint16_t group = a.Word();
    a.Word();
    Prefix p;
    p.style = StyleOfPenStyle(penStyle);
    p.layer = LayerOf(group, layer);
    p.colour = colourNumber >= 1 && colourNumber <= 9 ? JwwPenColors[colourNumber] : JwwPenColors[1];

    const double x = a.Double() * CoordFactor, y = a.Double() * CoordFactor;
    const uint32_t flag = a.Dword();
    if (penStyle == 100) {
        a.Dword();   // code
        a.Double();  // angle
        a.Double();  // scale
    } else if (flag != 0 && flag != 1) {
        // A line stored under the point's tag: the flag begins its second x.
        const uint32_t high = a.Dword();
        const uint64_t bits = (static_cast<uint64_t>(high) << 32) | flag;
        double x2 = 0.0;
        std::memcpy(&x2, &bits, sizeof x2);
        x2 *= CoordFactor;
        const double y2 = a.Double() * CoordFactor;
        if (a.ended) return false;
        if (AllFinite({x, y, x2, y2})) {
            const double v[] = {x, y, x2, y2};
            AddReadRecord(list, NotFiniteRecords, EntityHeader{EntityType::Line, 0, p.style, p.layer, 4}, p.colour, v);
        }
        return true;
    }
    if (a.ended) return false;
    if (AllFinite({x, y})) {
        const double v[] = {x, y};
        AddReadRecord(list, NotFiniteRecords, EntityHeader{EntityType::Point, 0, p.style, p.layer, 2}, p.colour, v);
    }
    return true;
}

bool CJwwReader::ReadJwwMoji(ArchiveReader& a, CEntityList& list)
{
    const Prefix p = ReadPrefix(a);
    const double x = a.Double() * CoordFactor, y = a.Double() * CoordFactor;
    a.Double();
    a.Double();  // end point
    a.Dword();
    const double first = a.Double() * CoordFactor, second = a.Double() * CoordFactor;
    a.Double();  // spacing
    const double angle = a.Double();
    const std::string font = a.String();
    const std::string text = a.String();
    if (a.ended) return false;
    if (AllFinite({x, y, first, second, angle})) {
        const double v[] = {x, y, second, first, angle};
        AddReadRecord(list, NotFiniteRecords, EntityHeader{EntityType::Text, 0, p.style, p.layer, 5}, p.colour, v,
                       Cp932Fit(text, MaxTextBytes), Cp932Fit(font, MaxFontBytes));
    }
    return true;
}

bool CJwwReader::ReadJwwSunpou(ArchiveReader& a, CEntityList& list)
{
    ReadPrefix(a);
    if (!ReadJwwSen(a, list) || !ReadJwwMoji(a, list)) return false;
    if (FileVersion >= 420) {
        a.Word();
        for (int i = 0; i < 2; ++i)
            if (!ReadJwwSen(a, list)) return false;
        for (int i = 0; i < 4; ++i)
            if (!ReadJwwTen(a, list)) return false;
    }
    return !a.ended;
}

bool CJwwReader::ReadJwwSolid(ArchiveReader& a)
{
    const Prefix p = ReadPrefix(a);
    Report.Count(JwwSolidLabel);
    a.Skip(8 * 8);
    if (p.colourNumber == 10) a.Dword();
    return !a.ended;
}

bool CJwwReader::ReadJwwBlock(ArchiveReader& a)
{
    ReadPrefix(a);
    Report.Count(JwwBlockLabel);
    a.Skip(5 * 8 + 4);
    return !a.ended;
}

bool CJwwReader::ReadJwwList(ArchiveReader& a)
{
    ReadPrefix(a);
    a.Dword();
    a.Dword();
    a.Skip(8);  // time stamp
    a.String();
    return !a.ended;
}

void CJwwReader::ReadJwwEntities(ArchiveReader& a, CEntityList& list)
{
    message.clear();
    const uint32_t count = a.Count();
    if (a.ended) {
        message = JwwReadError1Message;
        return;
    }
    std::unordered_map<uint32_t, int> classOf;  // class number in the archive → class index
    for (uint32_t i = 0; i < count; ++i) {
        const ArchiveReader::Tag tag = a.ReadTag();
        int index = -1;
        switch (tag.kind) {
        case ArchiveReader::TagKind::NewClass:
            index = ReadJwwClassName(tag.name);
            classOf[tag.mapIndex] = index;
            break;
        case ArchiveReader::TagKind::Class: {
            auto it = classOf.find(tag.mapIndex);
            index = it == classOf.end() ? -1 : it->second;
            break;
        }
        case ArchiveReader::TagKind::Null:
            message = JwwReadError2Message;
            return;
        default:
            break;
        }
        if (a.ended || index < 0) {
            message = JwwReadError1Message;
            return;
        }
        bool ok = true;
        switch (index) {
        case 0: ok = ReadJwwSen(a, list); break;
        case 1: ok = ReadJwwEnko(a, list); break;
        case 2: ok = ReadJwwTen(a, list); break;
        case 3: ok = ReadJwwMoji(a, list); break;
        case 4: ok = ReadJwwSunpou(a, list); break;
        case 5: ok = ReadJwwSolid(a); break;
        case 6: ok = ReadJwwBlock(a); break;
        default: ok = ReadJwwList(a); break;
        }
        if (!ok) {
            message = JwwReadError1Message;  // the data ended inside the stream
            return;
        }
    }
}

int ReadJwwFile(const std::filesystem::path& path, CJwwReader& reader, CEntityList& list)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return -1;
    std::ifstream in(path, std::ios::binary);
    if (!in) return -1;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return -1;
    ArchiveReader archive(bytes);
    const int header = reader.ReadJwwHeader(archive);
    if (header != JwwHeaderOk) return header;
    reader.ReadJwwEntities(archive, list);
    return JwwHeaderOk;
}
