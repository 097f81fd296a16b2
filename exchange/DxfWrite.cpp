// DXF writing: HEADER, TABLES and ENTITIES with CR LF line ends. Every real
// value goes out in the shortest fixed form that reads back to the same
// double, in the "C" form whatever the locale.

#include "exchange/DxfFile.h"
#include "model/AtomicWrite.h"

#include "model/Cp932Text.h"
#include "model/DimensionMarks.h"
#include "model/HatchLines.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <system_error>

namespace {

constexpr double DegToRadian = std::numbers::pi / 180.0;
// Longest text written; a longer one is cut on a character boundary.
constexpr std::size_t MaxTextBytes = 255;

void Code(std::string& out, int code)
{
    char buf[16];
    int n = std::snprintf(buf, sizeof buf, "%3d\r\n", code);
    out.append(buf, static_cast<std::size_t>(n));
}

void Group(std::string& out, int code, std::string_view value)
{
    Code(out, code);
    out.append(value);
    out += "\r\n";
}

void Real(std::string& out, int code, double value)
{
    Code(out, code);
    if (value == 0.0) value = 0.0;  // no "-0"
    char buf[400];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    if (ec != std::errc()) {
        ptr = std::to_chars(buf, buf + sizeof buf, value).ptr;
    }
    out.append(buf, static_cast<std::size_t>(ptr - buf));
    out += "\r\n";
}

// A text's width as DXF holds it: a factor of its height (1 when either is
// not a positive number).
double WidthFactor(const CEntity& e)
{
    const double height = e.values.size() > 2 ? e.values[2] : 0.0;
    const double width = e.values.size() > 3 ? e.values[3] : 0.0;
    const double factor = width / height;
    return height > 0.0 && width > 0.0 && std::isfinite(factor) ? factor : 1.0;
}

const char* LayerName(int style)
{
    static const char* const names[] = {"PEN1", "PEN2", "PEN3", "PEN4", "PEN5", "PEN6", "PEN7", "PEN8"};
    const int pen = style % 100;
    return pen >= 0 && pen <= 7 ? names[pen] : names[0];
}

const char* LineTypeName(int style)
{
    static const char* const names[] = {"CONTINUOUS", "HIDDEN", "DASHED", "CENTER", "PHANTOM"};
    const int lineType = style / 100;
    return lineType >= 0 && lineType <= 4 ? names[lineType] : names[0];
}

double Value(const CEntity& e, std::size_t i)
{
    return i < e.values.size() ? e.values[i] : 0.0;
}

// A text as one value line: at most MaxTextBytes bytes, no line break inside
// (a line end is never part of a character, not even of a broken one).
std::string TextLine(std::string_view text)
{
    std::string s(Cp932Fit(text, MaxTextBytes));
    for (char& c : s)
        if (c == '\r' || c == '\n') c = ' ';
    return s;
}

double WrapRadians(double t)
{
    double r = std::fmod(t, 2.0 * std::numbers::pi);
    if (r < 0.0) r += 2.0 * std::numbers::pi;
    return r;
}

} // namespace

void CDxfFile::WriteHeader(std::string& out) const
{
    Group(out, 0, "SECTION");
    Group(out, 2, "HEADER");
    Group(out, 999, "OrvikCAD");
    Group(out, 9, "$ACADVER");
    Group(out, 1, "AC1009");
    Group(out, 9, "$DWGCODEPAGE");
    Group(out, 3, "ANSI_932");
    Group(out, 9, "$EXTMIN");
    Real(out, 10, ExtMin[0]);
    Real(out, 20, ExtMin[1]);
    Group(out, 9, "$EXTMAX");
    Real(out, 10, ExtMax[0]);
    Real(out, 20, ExtMax[1]);
    Group(out, 9, "$LIMMIN");
    Group(out, 10, "0");
    Group(out, 20, "0");
    Group(out, 9, "$LIMMAX");
    Group(out, 10, "64000");
    Group(out, 20, "64000");
    Group(out, 9, "$LTSCALE");
    Real(out, 40, LtScale);
    Group(out, 0, "ENDSEC");
}

void CDxfFile::WriteTables(std::string& out) const
{
    struct LineType {
        const char* name;
        const char* description;  // cp932
        const char* patternLength;
        std::vector<const char*> elements;
    };
    static const LineType lineTypes[] = {
        {"CONTINUOUS", "\x8e\xc0\x90\xfc", "0", {}},
        {"HIDDEN", "\x93\x5f\x90\xfc", "250", {"125", "-125"}},
        {"CENTER", "\x88\xea\x93\x5f\x8d\xbd\x90\xfc", "1000", {"700", "-100", "100", "-100"}},
        {"PHANTOM", "\x93\xf1\x93\x5f\x8d\xbd\x90\xfc", "1000", {"500", "-100", "100", "-100", "100", "-100"}},
        {"DASHED", "\x94\x6a\x90\xfc", "400", {"300", "-100"}},
    };
    Group(out, 0, "SECTION");
    Group(out, 2, "TABLES");

    Group(out, 0, "TABLE");
    Group(out, 2, "LTYPE");
    Group(out, 70, "5");
    for (const LineType& t : lineTypes) {
        Group(out, 0, "LTYPE");
        Group(out, 2, t.name);
        Group(out, 70, "64");
        Group(out, 3, t.description);
        Group(out, 72, "65");
        Group(out, 73, std::to_string(t.elements.size()));
        Group(out, 40, t.patternLength);
        for (const char* element : t.elements) Group(out, 49, element);
    }
    Group(out, 0, "ENDTAB");

    static const char* const layerColours[] = {"3", "2", "4", "3", "3", "3", "3", "7"};
    Group(out, 0, "TABLE");
    Group(out, 2, "LAYER");
    Group(out, 70, "8");
    for (int i = 0; i < 8; ++i) {
        Group(out, 0, "LAYER");
        Group(out, 2, LayerName(i));
        Group(out, 70, "0");
        Group(out, 62, layerColours[i]);
        Group(out, 6, "CONTINUOUS");
    }
    Group(out, 0, "ENDTAB");

    Group(out, 0, "TABLE");
    Group(out, 2, "STYLE");
    Group(out, 70, "1");
    Group(out, 0, "STYLE");
    Group(out, 2, "BIGFONT");
    Group(out, 70, "64");
    Group(out, 40, "0.0");
    Group(out, 41, "1.0");
    Group(out, 50, "0.0");
    Group(out, 71, "0");
    Group(out, 42, "0.2");
    Group(out, 3, "");
    Group(out, 4, "bigfont");
    Group(out, 0, "ENDTAB");

    Group(out, 0, "ENDSEC");
}

namespace {

// LINE records of a chain of points, each with the entity's layer and line type.
void WritePointChain(std::string& out, const CEntity& e, double ox, double oy)
{
    const std::size_t n = e.values.size() / 2;
    for (std::size_t i = 0; i + 1 < n; ++i) {
        Group(out, 0, "LINE");
        Group(out, 8, LayerName(e.style));
        Real(out, 10, e.values[2 * i] - ox);
        Real(out, 20, e.values[2 * i + 1] - oy);
        Real(out, 11, e.values[2 * i + 2] - ox);
        Real(out, 21, e.values[2 * i + 3] - oy);
        Group(out, 6, LineTypeName(e.style));
    }
}

} // namespace

void CDxfFile::WriteEntities(std::string& out, const CEntity* first) const
{
    Group(out, 0, "SECTION");
    Group(out, 2, "ENTITIES");
    const double ox = OriginX, oy = OriginY;
    for (const CEntity* p = first; p; p = p->next) {
        const CEntity& e = *p;
        if (e.state == EntityState::Deleted) continue;
        if (SelectedOnly && e.state != EntityState::Marked) continue;
        const char* layer = LayerName(e.style);
        const char* lineType = LineTypeName(e.style);
        switch (e.type) {
        case EntityType::Point:
            Group(out, 0, "POINT");
            Group(out, 8, layer);
            Real(out, 10, Value(e, 0) - ox);
            Real(out, 20, Value(e, 1) - oy);
            Group(out, 6, lineType);
            break;
        case EntityType::Line:
            Group(out, 0, "LINE");
            Group(out, 8, layer);
            Real(out, 10, Value(e, 0) - ox);
            Real(out, 20, Value(e, 1) - oy);
            Real(out, 11, Value(e, 2) - ox);
            Real(out, 21, Value(e, 3) - oy);
            Group(out, 6, lineType);
            break;
        case EntityType::Circle:
            Group(out, 0, "CIRCLE");
            Group(out, 8, layer);
            Real(out, 10, Value(e, 0) - ox);
            Real(out, 20, Value(e, 1) - oy);
            Real(out, 40, Value(e, 2));
            Group(out, 6, lineType);
            break;
        case EntityType::Arc: {
            // A clockwise arc goes out as its counter-clockwise twin.
            const bool ccw = e.subtype == 1;
            Group(out, 0, "ARC");
            Group(out, 8, layer);
            Real(out, 10, Value(e, 0) - ox);
            Real(out, 20, Value(e, 1) - oy);
            Real(out, 40, Value(e, 2));
            Real(out, 50, ccw ? Value(e, 3) : Value(e, 4));
            Real(out, 51, ccw ? Value(e, 4) : Value(e, 3));
            Group(out, 6, lineType);
            break;
        }
        case EntityType::Ellipse:
        case EntityType::EllipticArc:
            WriteEllipse(out, e);
            break;
        case EntityType::Text:
            Group(out, 0, "TEXT");
            Group(out, 8, layer);
            Real(out, 10, Value(e, 0) - ox);
            Real(out, 20, Value(e, 1) - oy);
            Real(out, 40, Value(e, 2));
            Real(out, 41, WidthFactor(e));
            Group(out, 1, TextLine(e.text));
            Real(out, 50, Value(e, 4));
            Group(out, 7, "BIGFONT");
            Group(out, 6, lineType);
            break;
        case EntityType::Curve:
            WriteSpline(out, e);
            break;
        case EntityType::FreehandCurve:
        case EntityType::Polygon:
            WritePointChain(out, e, ox, oy);
            break;
        case EntityType::LeaderText:
            WriteLeaderText(out, e);
            break;
        case EntityType::Dimension:
            WriteDimension(out, e);
            break;
        case EntityType::Hatch:
            GenerateHatchLines(e, [&](const HatchSegment& s) {
                Group(out, 0, "LINE");
                Group(out, 8, layer);
                Real(out, 10, s.x1 - ox);
                Real(out, 20, s.y1 - oy);
                Real(out, 11, s.x2 - ox);
                Real(out, 21, s.y2 - oy);
                Group(out, 6, lineType);
            });
            break;
        default:
            break;
        }
    }
    Group(out, 0, "ENDSEC");
    Group(out, 0, "EOF");
}

void CDxfFile::WriteEllipse(std::string& out, const CEntity& e) const
{
    const double cx = Value(e, 0), cy = Value(e, 1);
    const double a = std::fabs(Value(e, 2)), b = std::fabs(Value(e, 3));
    double phi = Value(e, 4) * DegToRadian;
    // DXF wants the longer axis as the major one: a taller ellipse turns by
    // a quarter with its radii exchanged.
    double major = a, minor = b;
    if (b > a) {
        major = b;
        minor = a;
        phi += std::numbers::pi / 2;
    }
    Group(out, 0, "ELLIPSE");
    Group(out, 8, LayerName(e.style));
    Real(out, 10, cx - OriginX);
    Real(out, 20, cy - OriginY);
    Real(out, 11, major * std::cos(phi));
    Real(out, 21, major * std::sin(phi));
    Real(out, 40, major > 0.0 ? minor / major : 0.0);
    if (e.type == EntityType::Ellipse) {
        Real(out, 41, 0.0);
        Real(out, 42, 2.0 * std::numbers::pi);
    } else {
        // Directions of the model back to parameters of the unflattened circle.
        auto parameter = [&](double direction) {
            const double local = direction * DegToRadian - phi;
            return WrapRadians(std::atan2(major * std::sin(local), minor * std::cos(local)));
        };
        const bool ccw = e.subtype != -1;
        const double start = parameter(ccw ? Value(e, 5) : Value(e, 6));
        const double end = parameter(ccw ? Value(e, 6) : Value(e, 5));
        Real(out, 41, start);
        Real(out, 42, end);
    }
    Group(out, 6, LineTypeName(e.style));
}

void CDxfFile::WriteSpline(std::string& out, const CEntity& e) const
{
    const std::size_t n = e.values.size() / 2;
    if (n < 2) return;
    // The control points with both ends doubled.
    auto q = [&](std::size_t i, int axis) {
        const std::size_t k = i == 0 ? 0 : std::min(i - 1, n - 1);
        return e.values[2 * k + static_cast<std::size_t>(axis)];
    };
    const char* layer = LayerName(e.style);
    const char* lineType = LineTypeName(e.style);
    double px = q(0, 0), py = q(0, 1);
    auto lineTo = [&](double x, double y) {
        Group(out, 0, "LINE");
        Group(out, 8, layer);
        Real(out, 10, px - OriginX);
        Real(out, 20, py - OriginY);
        Real(out, 11, x - OriginX);
        Real(out, 21, y - OriginY);
        Group(out, 6, lineType);
        px = x;
        py = y;
    };
    const double steps = static_cast<double>(n + 1);
    for (std::size_t i = 1; i + 1 <= n; ++i) {
        double coeff[2][4];
        for (int axis = 0; axis < 2; ++axis) {
            const double q0 = q(i - 1, axis), q1 = q(i, axis), q2 = q(i + 1, axis), q3 = q(i + 2, axis);
            coeff[axis][0] = (3.0 * (q1 - q2) - q0 + q3) / 6.0;
            coeff[axis][1] = (q0 - 2.0 * q1 + q2) / 2.0;
            coeff[axis][2] = (q2 - q0) / 2.0;
            coeff[axis][3] = (q0 + 4.0 * q1 + q2) / 6.0;
        }
        for (std::size_t j = 0; j <= n + 1; ++j) {
            if (i == 1 && j == 0) continue;  // the path starts at the first control point itself
            const double t = static_cast<double>(j) / steps;
            const double x = ((coeff[0][0] * t + coeff[0][1]) * t + coeff[0][2]) * t + coeff[0][3];
            const double y = ((coeff[1][0] * t + coeff[1][1]) * t + coeff[1][2]) * t + coeff[1][3];
            lineTo(x, y);
        }
    }
    lineTo(q(n + 1, 0), q(n + 1, 1));
}

void CDxfFile::WriteLeaderText(std::string& out, const CEntity& e) const
{
    if (e.values.size() < 9) return;
    const char* layer = LayerName(e.style);
    Group(out, 0, "TEXT");
    Group(out, 8, layer);
    Real(out, 10, Value(e, 0) - OriginX);
    Real(out, 20, Value(e, 1) - OriginY);
    Real(out, 40, Value(e, 2));
    Real(out, 41, WidthFactor(e));
    Group(out, 1, TextLine(e.text));
    Real(out, 50, Value(e, 4));
    Group(out, 7, "BIGFONT");
    auto line = [&](std::size_t from, std::size_t to) {
        Group(out, 0, "LINE");
        Group(out, 8, layer);
        Real(out, 10, Value(e, from) - OriginX);
        Real(out, 20, Value(e, from + 1) - OriginY);
        Real(out, 11, Value(e, to) - OriginX);
        Real(out, 21, Value(e, to + 1) - OriginY);
    };
    line(5, 7);
    if (e.values.size() >= 11) line(7, 9);
    WriteArrowhead(out, e.subtype % 10, 1, 1, e.style % 100, Value(e, 5), Value(e, 6), Value(e, 7), Value(e, 8));
}

void CDxfFile::WriteDimension(std::string& out, const CEntity& e) const
{
    const int pen = e.style % 100;
    ForEachDimensionMark(e, [&](const TerminatorSpec& spec, int kind, double x, double y, double fx, double fy) {
        WriteArrowhead(out, kind, spec.dotSize, spec.arrowSize, pen, x, y, fx, fy);
    });
}

void CDxfFile::WriteArrowhead(std::string& out, int kind, int dotSize, int arrowSize, int pen, double px, double py,
                              double dx, double dy) const
{
    static constexpr double dotRadius[5] = {1, 2, 3, 4, 5};
    static constexpr double arrowLength[5] = {4, 6, 8, 10, 12};
    px -= OriginX;
    py -= OriginY;
    dx -= OriginX;
    dy -= OriginY;
    const double s = LtScale < 0.0001 ? 1.0 : LtScale;
    dotSize = std::clamp(dotSize, 0, 4);
    arrowSize = std::clamp(arrowSize, 0, 4);
    if (kind == 1) {
        const double r = dotRadius[dotSize] * s;
        if (!(r > 0.1)) return;
        for (double radius : {r, r * 0.5}) {
            Group(out, 0, "CIRCLE");
            Real(out, 10, px);
            Real(out, 20, py);
            Real(out, 40, radius);
        }
        return;
    }
    if (kind < 2 || kind > 4) return;
    const double length = arrowLength[arrowSize] * s;
    if (!(length > 0.1)) return;
    const double theta = std::atan2(py - dy, px - dx);
    const double spread = (kind == 4 ? 30.0 : 150.0) * DegToRadian;
    const double angles[2] = {theta - spread, theta + spread};
    for (int i = 0; i < (kind == 2 ? 1 : 2); ++i) {
        Group(out, 0, "LINE");
        Group(out, 8, LayerName(pen));
        Real(out, 10, px);
        Real(out, 20, py);
        Real(out, 11, px + length * std::cos(angles[i]));
        Real(out, 21, py + length * std::sin(angles[i]));
    }
}

void CDxfFile::WriteText(std::string& out, const CEntity* first)
{
    WriteHeader(out);
    WriteTables(out);
    WriteEntities(out, first);
}

int CDxfFile::Write(const std::filesystem::path& path, const CEntity* first)
{
    std::string bytes;
    WriteText(bytes, first);
    const bool ok = WriteFileAtomically(path, bytes) == AtomicWriteResult::Ok;
    return ok ? DxfWriteOk : DxfWriteFailed;
}
