// Writing JWW drawings at format version 230.

#include "exchange/JwwFile.h"
#include "model/AtomicWrite.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <numbers>
#include <system_error>

namespace {

constexpr uint16_t Schema = 230;
constexpr double DegreeToRad = std::numbers::pi / 180.0;
constexpr double FullTurn = 6.2831853071796;

double Wrap2Pi(double t)
{
    double r = std::fmod(t, 2.0 * std::numbers::pi);
    if (r < 0.0) r += 2.0 * std::numbers::pi;
    return r;
}

bool Written(int type)
{
    switch (type) {
    case EntityType::Point: case EntityType::Line: case EntityType::Curve: case EntityType::Circle:
    case EntityType::Arc: case EntityType::Ellipse: case EntityType::EllipticArc: case EntityType::Text:
    case EntityType::LeaderText: case EntityType::Polygon:
        return true;
    default:
        return false;
    }
}

std::size_t PointCount(const CEntity& e)
{
    return e.values.size() / 2;
}

// Samples of the uniform cubic B-spline with doubled ends through the
// control points, as the chain of pieces the exports write.
template <class Piece>
void SplinePieces(const CEntity& e, Piece&& piece)
{
    const std::size_t n = PointCount(e);
    if (n < 2) return;
    auto q = [&](std::size_t i, int axis) {
        const std::size_t k = i == 0 ? 0 : std::min(i - 1, n - 1);
        return e.values[2 * k + static_cast<std::size_t>(axis)];
    };
    double px = q(0, 0), py = q(0, 1);
    auto to = [&](double x, double y) {
        piece(px, py, x, y);
        px = x;
        py = y;
    };
    const double steps = static_cast<double>(n + 1);
    for (std::size_t i = 1; i < n; ++i) {
        double c[2][4];
        for (int axis = 0; axis < 2; ++axis) {
            const double q0 = q(i - 1, axis), q1 = q(i, axis), q2 = q(i + 1, axis), q3 = q(i + 2, axis);
            c[axis][0] = (3.0 * (q1 - q2) - q0 + q3) / 6.0;
            c[axis][1] = (q0 - 2.0 * q1 + q2) / 2.0;
            c[axis][2] = (q2 - q0) / 2.0;
            c[axis][3] = (q0 + 4.0 * q1 + q2) / 6.0;
        }
        for (std::size_t j = (i == 1 ? 1 : 0); j <= n + 1; ++j) {
            const double t = static_cast<double>(j) / steps;
            to(((c[0][0] * t + c[0][1]) * t + c[0][2]) * t + c[0][3], ((c[1][0] * t + c[1][1]) * t + c[1][2]) * t + c[1][3]);
        }
    }
    to(q(n + 1, 0), q(n + 1, 1));
}

} // namespace

const char* CJwwWriter::JwwClassName(int type)
{
    switch (type) {
    case EntityType::Point: return "CDataTen";
    case EntityType::Line: case EntityType::Polygon: case EntityType::Curve: return "CDataSen";
    case EntityType::Circle: case EntityType::Arc: case EntityType::Ellipse: case EntityType::EllipticArc:
        return "CDataEnko";
    case EntityType::Text: case EntityType::LeaderText: return "CDataMoji";
    default: return "";
    }
}

bool CJwwWriter::Skipped(const CEntity& e) const
{
    return e.state == EntityState::Deleted || (SelectedOnly && e.state != EntityState::Marked);
}

void CJwwWriter::RankColours(const CEntity* first)
{
    for (int i = 0; i < 10; ++i) ColorTable[i] = 0xC0C000;
    struct Use {
        COLORREF colour;
        int count;
    };
    std::vector<Use> uses;
    for (const CEntity* e = first; e && uses.size() < 32; e = e->next) {
        if (!Written(e->type)) continue;
        auto it = std::find_if(uses.begin(), uses.end(), [&](const Use& u) { return u.colour == e->colour; });
        if (it != uses.end()) ++it->count;
        else uses.push_back({e->colour, 1});
    }
    std::stable_sort(uses.begin(), uses.end(), [](const Use& a, const Use& b) { return a.count > b.count; });
    // Pens 1 to 9 take the most used colours; pen 0 is the background there.
    for (std::size_t i = 0; i < uses.size() && i + 1 < 32; ++i) ColorTable[i + 1] = uses[i].colour;
}

uint32_t CJwwWriter::CountObjects(const CEntity* first) const
{
    uint32_t count = 0;
    for (const CEntity* p = first; p; p = p->next) {
        const CEntity& e = *p;
        if (Skipped(e)) continue;
        const std::size_t n = PointCount(e);
        switch (e.type) {
        case EntityType::Polygon: count += n >= 2 ? static_cast<uint32_t>(n - 1) : 0; break;
        case EntityType::Curve: count += n >= 2 ? static_cast<uint32_t>((n - 1) * (n + 2)) : 0; break;
        case EntityType::LeaderText:
            if (e.values.size() >= 9) count += 1 + ((e.subtype / 10 > 0 && e.values.size() >= 11) ? 2 : 1);
            break;
        default:
            if (Written(e.type)) ++count;
            break;
        }
    }
    return count;
}

void CJwwWriter::WriteJwwHeader(ArchiveWriter& a)
{
    if (!(Scale >= 1.0) || !std::isfinite(Scale)) Scale = 100.0;
    for (char c : std::string_view("JwwData.")) a.Byte(static_cast<uint8_t>(c));
    a.Dword(230);
    a.String("");
    a.Dword(static_cast<uint32_t>(PaperCode));
    a.Dword(0);
    for (int g = 0; g < 16; ++g) {
        a.Dword(g == 0 ? 3 : 2);
        a.Dword(0);
        a.Double(Scale);
        a.Dword(0);
        for (int l = 0; l < 16; ++l) {
            a.Dword(l == 0 ? 3 : 2);
            a.Dword(0);
        }
    }
    a.Dword(24800);
    for (int i = 0; i < 18; ++i) a.Dword(0);
    a.Dword(9494);
    a.Dword(0);
    for (double d : {0.0, 0.0, 1.0}) a.Double(d);
    a.Dword(0);
    a.Dword(1);
    for (double d : {15.0, 9.0, 9.0, -148.5, -105.0}) a.Double(d);
    for (int i = 0; i < 272; ++i) a.String("");
    a.Double(0.0);
    a.Double(36.0);
    a.Dword(0);
    a.Double(0.0);
    a.Dword(0);
    for (double d : {1.0, 0.0, 0.0, 1.0, 0.0, 0.0}) a.Double(d);
    for (int i = 0; i < 4; ++i)
        for (double d : {1.0, 0.0, 0.0}) a.Double(d);
    for (double d : {4900.0, 600.0, 2000.0, 200.0, 10308.0, 31085.0, 300.0, 1100.0, 75.0, 2850.0}) a.Double(d);
    a.Double(0.0);
    for (int i = 0; i < 10; ++i) {
        a.Dword(ColorTable[i]);
        a.Dword(1);
    }
    struct Pen18 {
        uint32_t colour, width;
        double value;
    };
    static constexpr Pen18 pens18[] = {{0xFFFFFF, 1, 1.0}, {0xFFFF00, 1, 0.2}, {0x000000, 2, 0.3}, {0x00FF00, 3, 0.4},
                                       {0x00FFFF, 4, 0.5}, {0xFF00FF, 5, 0.5}, {0xFF0000, 6, 0.5}, {0x808000, 7, 0.5},
                                       {0x0000E1, 8, 0.5}, {0xC0C0C0, 1, 1.0}};
    for (const Pen18& p : pens18) {
        a.Dword(p.colour);
        a.Dword(p.width);
        a.Double(p.value);
    }
    static constexpr uint32_t items19[8][4] = {{0x99999999, 4, 1, 10}, {0xC3C3C3C3, 8, 1, 10}, {0xE7E7E7E7, 8, 1, 10},
                                               {0xF99FF99F, 16, 1, 10}, {0xFFF99FFF, 32, 1, 10}, {0xF24FF24F, 16, 1, 10},
                                               {0xFFF24FFF, 32, 1, 10}, {0x22222222, 4, 1, 10}};
    for (const auto& r : items19)
        for (uint32_t d : r) a.Dword(d);
    static constexpr uint32_t items20[5][5] = {{0xCCB2B32A, 1, 3, 1, 5}, {0xCCB2B32A, 1, 4, 1, 10},
                                               {0xCCB2B32A, 2, 5, 2, 15}, {0xCCB2B32A, 2, 6, 2, 20},
                                               {0xCCB2B32A, 2, 7, 2, 25}};
    for (const auto& r : items20)
        for (uint32_t d : r) a.Dword(d);
    static constexpr uint32_t items21[4][4] = {
        {0xFFF99FFF, 32, 2, 20}, {0xFFF24FFF, 32, 2, 20}, {0xFFFE7FFF, 32, 2, 20}, {0xFFFE7FFF, 32, 4, 40}};
    for (const auto& r : items21)
        for (uint32_t d : r) a.Dword(d);
    const int32_t dwords22[] = {0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 22, 0, -4500, -4500, -4500};
    for (int32_t d : dwords22) a.Dword(static_cast<uint32_t>(d));
    for (double d : {2000.0, 1000000.0, 1000000.0, 1000000.0, 35.264389682755, 0.0, 0.0, 0.0, 0.0}) a.Double(d);
    a.Dword(10);
    a.Dword(0xFF8000);
    struct Item24 {
        double a, b, c;
        uint32_t d;
    };
    static constexpr Item24 items24[] = {{2.0, 2.0, 0.0, 1}, {2.5, 2.5, 0.0, 1}, {3.0, 3.0, 0.5, 2}, {4.0, 4.0, 0.5, 2},
                                         {5.0, 5.0, 0.5, 3}, {6.0, 6.0, 1.0, 3}, {7.0, 7.0, 1.0, 4}, {8.0, 8.0, 1.0, 4},
                                         {9.0, 9.0, 1.0, 5}, {10.0, 10.0, 1.0, 5}};
    for (const Item24& r : items24) {
        a.Double(r.a);
        a.Double(r.b);
        a.Double(r.c);
        a.Dword(r.d);
    }
    for (double d : {2.5, 2.5, 0.0}) a.Double(d);
    a.Dword(1);
    a.Dword(2);
    a.Double(5.0);
    a.Double(0.0);
    a.Dword(0);
    for (double d : {-1.0, 0.0, 1.0, -1.0, 0.0, 1.0}) a.Double(d);
}

void CJwwWriter::Prefix(ArchiveWriter& a, const CEntity& e) const
{
    a.Dword(0);
    const int lineType = e.style / 100;
    static constexpr uint8_t penStyles[] = {1, 2, 4, 6, 8, 1, 1, 1};
    a.Byte(lineType >= 0 && lineType <= 7 ? penStyles[lineType] : 0);
    uint16_t pen = 1;
    for (uint16_t i = 1; i <= 9; ++i) {
        if (ColorTable[i] == e.colour) {
            pen = i;
            break;
        }
    }
    a.Word(pen);
    const int layer = std::clamp<int>(e.layer, 0, 255);
    a.Word(static_cast<uint16_t>(layer % 16));
    a.Word(static_cast<uint16_t>(layer / 16));
    a.Word(0);
}

void CJwwWriter::WriteJwwSen(ArchiveWriter& a, const CEntity& e, double x1, double y1, double x2, double y2) const
{
    a.ObjectOf("CDataSen", Schema);
    Prefix(a, e);
    a.Double((x1 - OriginX) / Scale);
    a.Double((y1 - OriginY) / Scale);
    a.Double((x2 - OriginX) / Scale);
    a.Double((y2 - OriginY) / Scale);
}

void CJwwWriter::WriteJwwEnko(ArchiveWriter& a, const CEntity& e) const
{
    auto v = [&](std::size_t i) { return i < e.values.size() ? e.values[i] : 0.0; };
    a.ObjectOf("CDataEnko", Schema);
    Prefix(a, e);
    a.Double((v(0) - OriginX) / Scale);
    a.Double((v(1) - OriginY) / Scale);
    a.Double(v(2) / Scale);
    if (e.type == EntityType::Circle) {
        a.Double(-0.70125992286628);
        a.Double(FullTurn);
        a.Double(0.0);
        a.Double(1.0);
        a.Dword(1);
        return;
    }
    // Arcs keep their direction: a clockwise one sweeps backwards.
    const double start = v(3), end = v(4);
    double sweep = end - start;
    if (e.subtype == -1) {
        if (sweep > 0.0) sweep -= 360.0;
    } else if (sweep < 0.0) {
        sweep += 360.0;
    }
    a.Double(start * DegreeToRad);
    a.Double(sweep * DegreeToRad);
    a.Double(0.0);
    a.Double(1.0);
    a.Dword(0);
}

void CJwwWriter::WriteJwwEllipse(ArchiveWriter& a, const CEntity& e) const
{
    auto v = [&](std::size_t i) { return i < e.values.size() ? e.values[i] : 0.0; };
    const double major = v(2), minor = v(3), tilt = v(4) * DegreeToRad;
    a.ObjectOf("CDataEnko", Schema);
    Prefix(a, e);
    a.Double((v(0) - OriginX) / Scale);
    a.Double((v(1) - OriginY) / Scale);
    a.Double(major / Scale);
    double start = 0.0, sweep = FullTurn;
    if (e.type == EntityType::EllipticArc) {
        // Directions of the model back to parameters of the unflattened circle.
        auto parameter = [&](double direction) {
            const double local = direction * DegreeToRad - tilt;
            return Wrap2Pi(std::atan2(major * std::sin(local), minor * std::cos(local)));
        };
        start = parameter(v(5));
        sweep = parameter(v(6)) - start;
        if (e.subtype == -1) {
            if (sweep >= 0.0) sweep -= 2.0 * std::numbers::pi;
        } else if (sweep <= 0.0) {
            sweep += 2.0 * std::numbers::pi;
        }
    }
    a.Double(start);
    a.Double(sweep);
    a.Double(tilt);
    a.Double(major != 0.0 ? minor / major : 1.0);
    a.Dword(e.type == EntityType::Ellipse ? 1 : 0);
}

void CJwwWriter::WriteJwwTen(ArchiveWriter& a, const CEntity& e) const
{
    a.ObjectOf("CDataTen", Schema);
    Prefix(a, e);
    a.Double(((e.values.size() > 0 ? e.values[0] : 0.0) - OriginX) / Scale);
    a.Double(((e.values.size() > 1 ? e.values[1] : 0.0) - OriginY) / Scale);
    a.Dword(0);
}

void CJwwWriter::WriteJwwMoji(ArchiveWriter& a, const CEntity& e) const
{
    auto v = [&](std::size_t i) { return i < e.values.size() ? e.values[i] : 0.0; };
    const double x = (v(0) - OriginX) / Scale, y = (v(1) - OriginY) / Scale;
    const double height = v(2) / Scale, width = v(3) / Scale;
    a.ObjectOf("CDataMoji", Schema);
    Prefix(a, e);
    a.Double(x);
    a.Double(y);
    a.Double(x + 0.5 * height * static_cast<double>(e.text.size()));
    a.Double(y + height);
    a.Dword(2);
    a.Double(width);
    a.Double(height);
    a.Double(0.0);
    a.Double(v(4));
    a.String(e.font);
    a.String(e.text);
}

void CJwwWriter::WriteJwwSpline(ArchiveWriter& a, const CEntity& e) const
{
    SplinePieces(e, [&](double x1, double y1, double x2, double y2) { WriteJwwSen(a, e, x1, y1, x2, y2); });
}

void CJwwWriter::WriteJwwEntities(ArchiveWriter& a, uint32_t count, const CEntity* first)
{
    a.Count(count);
    if (count == 0) {
        a.Word(0);
        return;
    }
    for (int pass = 0; pass < 6; ++pass) {
        for (const CEntity* p = first; p; p = p->next) {
            const CEntity& e = *p;
            if (Skipped(e)) continue;
            const int t = e.type;
            auto v = [&](std::size_t i) { return i < e.values.size() ? e.values[i] : 0.0; };
            switch (pass) {
            case 0:
                if (t == EntityType::Line) {
                    WriteJwwSen(a, e, v(0), v(1), v(2), v(3));
                } else if (t == EntityType::Polygon) {
                    for (std::size_t i = 0; i + 1 < PointCount(e); ++i)
                        WriteJwwSen(a, e, v(2 * i), v(2 * i + 1), v(2 * i + 2), v(2 * i + 3));
                } else if (t == EntityType::Curve) {
                    WriteJwwSpline(a, e);
                }
                break;
            case 1:
                if (t == EntityType::LeaderText && e.values.size() >= 9) {
                    WriteJwwSen(a, e, v(5), v(6), v(7), v(8));
                    if (e.subtype / 10 > 0 && e.values.size() >= 11) WriteJwwSen(a, e, v(7), v(8), v(9), v(10));
                }
                break;
            case 2:
                if (t == EntityType::Circle) WriteJwwEnko(a, e);
                else if (t == EntityType::Ellipse) WriteJwwEllipse(a, e);
                break;
            case 3:
                if (t == EntityType::Arc) WriteJwwEnko(a, e);
                else if (t == EntityType::EllipticArc) WriteJwwEllipse(a, e);
                break;
            case 4:
                if (t == EntityType::Point) WriteJwwTen(a, e);
                break;
            default:
                if (t == EntityType::Text || (t == EntityType::LeaderText && e.values.size() >= 9)) WriteJwwMoji(a, e);
                break;
            }
        }
    }
    a.Word(0);  // the block list, empty
}

void CJwwWriter::WriteJwwFile(ArchiveWriter& a, const CEntity* first)
{
    RankColours(first);
    const uint32_t count = CountObjects(first);
    a.out.reserve(a.out.size() + 4200 + static_cast<std::size_t>(count) * 64);
    WriteJwwHeader(a);
    WriteJwwEntities(a, count, first);
}

bool WriteJwwFile(const std::filesystem::path& path, CJwwWriter& writer, const CEntity* first)
{
    ArchiveWriter archive;
    writer.WriteJwwFile(archive, first);
    return WriteFileAtomically(path, std::span<const uint8_t>(archive.out)) == AtomicWriteResult::Ok;
}
