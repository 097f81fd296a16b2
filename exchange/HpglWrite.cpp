// HP-GL commands, entity by entity.

#include "exchange/HpglWrite.h"

#include "model/DimensionMarks.h"
#include "model/EntityKinds.h"
#include "model/HatchLines.h"
#include "model/SplineSamples.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {

constexpr char Esc = '\x1b';
constexpr char Etx = '\x03';
constexpr double ArcPi = 3.141592654;
constexpr double DegToRadian = std::numbers::pi / 180.0;

double Value(const CEntity& e, std::size_t i)
{
    return i < e.values.size() ? e.values[i] : 0.0;
}

// A value found by its code, else the one at the usual position.
double ValueByCode(const CEntity& e, int16_t code, std::size_t fallback)
{
    const int i = FindValueIndex(e, code);
    return i >= 0 && static_cast<std::size_t>(i) < e.values.size() ? e.values[static_cast<std::size_t>(i)]
                                                                     : Value(e, fallback);
}

// printf into a small buffer; the commands are short.
template <class... Args>
std::string_view Format(char (&buf)[160], const char* format, Args... args)
{
    int n = std::snprintf(buf, sizeof buf, format, args...);
    if (n < 0) n = 0;
    return {buf, static_cast<std::size_t>(std::min<int>(n, sizeof buf - 1))};
}

// A move or draw command: head, x and y with two decimals, tail. The
// commands most of a plot consists of, so they skip printf.
std::string_view PointCommand(char (&buf)[160], std::string_view head, double x, double y, std::string_view tail)
{
    char* p = std::copy(head.begin(), head.end(), buf);
    p = std::to_chars(p, buf + 70, x, std::chars_format::fixed, 2).ptr;
    *p++ = ',';
    p = std::to_chars(p, buf + 140, y, std::chars_format::fixed, 2).ptr;
    p = std::copy(tail.begin(), tail.end(), p);
    return {buf, static_cast<std::size_t>(p - buf)};
}

// Numbers too large for a plotter, or not numbers at all, go out as 0 so a
// broken record never makes a command the plotter cannot read.
double Sane(double v)
{
    return std::isfinite(v) && std::fabs(v) < 1e12 ? v : 0.0;
}

} // namespace

float HpglPaperFactor(int paperBased, int paperIndex)
{
    if (!paperBased) return 1.0f;
    const float s = std::sqrt(2.0f);
    const float factors[9] = {1.0f / s, 1.0f, s, 2.0f, 2.0f * s, 4.0f, 1.64f, 2.0f * s * 0.82f, 3.28f};
    return paperIndex >= 0 && paperIndex < 9 ? factors[paperIndex] : 1.0f;
}

float HpglPlotScale(float extMinX, float extMinY, float extMaxX, float extMaxY, int scaleIndex, float documentScale)
{
    const float w = extMaxX - extMinX, h = extMaxY - extMinY;
    const float diagonal = std::sqrt(w * w + h * h);
    // The factor is the single-precision 2.185 (2.184999942779541).
    const double ratio = static_cast<double>(diagonal) / 1494.02141885583 * static_cast<double>(2.185f);
    const long long k = std::isfinite(ratio) && ratio < 1e15 ? static_cast<long long>(ratio) : 0;
    float scale = k <= 10 ? 1.0f : static_cast<float>((k / 10) * 10);
    static constexpr float chosen[7] = {0.0f, 100.0f, 50.0f, 30.0f, 20.0f, 10.0f, 1.0f};
    const float s = scaleIndex >= 1 && scaleIndex <= 6 ? chosen[scaleIndex] : documentScale;
    if (s >= 1.0f && std::isfinite(s)) scale = s;
    return scale;
}

bool HpglHasDoubleByteChar(std::string_view text)
{
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        if (!((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xEA))) continue;
        const unsigned char trail = static_cast<unsigned char>(text[i + 1]);
        bool pair;
        if (lead == 0x82)
            pair = trail >= 0x4F && trail <= 0xF1;
        else if (lead == 0x83)
            pair = (trail >= 0x40 && trail <= 0x96) || (trail >= 0x9F && trail <= 0xD6);
        else if (lead == 0x84)
            pair = trail >= 0x40 && trail <= 0xBE;
        else
            pair = trail >= 0x40 && trail <= 0xFC;
        if (pair) return true;
    }
    return false;
}

HpglEmitterFn HpglEmitterOf(int type)
{
    switch (type) {
    case EntityType::Point: return &CHpglEmitter::OutputPoint;
    case EntityType::Line: return &CHpglEmitter::OutputLine;
    case EntityType::Curve: return &CHpglEmitter::OutputCurve;
    case EntityType::FreehandCurve:
    case EntityType::Polygon: return &CHpglEmitter::OutputPointChain;
    case EntityType::Circle: return &CHpglEmitter::OutputCircle;
    case EntityType::Arc: return &CHpglEmitter::OutputArc;
    case EntityType::Ellipse:
    case EntityType::EllipticArc: return &CHpglEmitter::OutputEllipse;
    case EntityType::Text: return &CHpglEmitter::OutputText;
    case EntityType::LeaderText: return &CHpglEmitter::OutputLeaderText;
    case EntityType::Dimension: return &CHpglEmitter::OutputDimension;
    case EntityType::Hatch: return &CHpglEmitter::OutputHatch;
    default: return nullptr;
    }
}

bool HpglPlotsKind(int type)
{
    return KindOf(static_cast<int16_t>(type)).Allows(KindAllows::Hpgl) && HpglEmitterOf(type) != nullptr;
}

void CHpglEmitter::Prepare(int commandSet, int offsetXmm, int offsetYmm)
{
    CommandSet = commandSet;
    if (commandSet == 0 || commandSet == 1) {
        Unit = 0.025f;
        OffsetX = static_cast<float>(offsetXmm) / 0.025f;
        OffsetY = static_cast<float>(offsetYmm) / 0.025f;
        CurrentLineType = 0;
    } else {
        Unit = 1.0f;
        OffsetX = 0.0f;
        OffsetY = 0.0f;
        CurrentLineType = -1;
    }
    CurrentPen = -1;
}

std::string CHpglEmitter::StartString() const
{
    switch (CommandSet) {
    case 1: return std::string(1, Esc) + "%-1BBPIN;";
    case 3: return "H";
    default: return "IN;";
    }
}

std::string CHpglEmitter::OriginCommand(int offsetXmm, int offsetYmm) const
{
    char buf[160];
    if (CommandSet == 2) return std::string(Format(buf, "OS%d,%d;", offsetXmm, offsetYmm));
    if (CommandSet == 3) return std::string(Format(buf, "^%d,%d", offsetXmm, offsetYmm));
    return {};
}

std::string CHpglEmitter::EndString() const
{
    switch (CommandSet) {
    case 0: return "PUSPPG;";
    case 1: return "PUSP0PG;";
    default: return "PC;HP;";
    }
}

float CHpglEmitter::PlotX(double x) const
{
    return (static_cast<float>(x) - ExtMinX) / PaperFactor / PlotScale / Unit + OffsetX;
}

float CHpglEmitter::PlotY(double y) const
{
    return (static_cast<float>(y) - ExtMinY) / PaperFactor / PlotScale / Unit + OffsetY;
}

float CHpglEmitter::PlotLength(double r) const
{
    return static_cast<float>(r) / PaperFactor / PlotScale / Unit;
}

void CHpglEmitter::MoveTo(float x, float y, HpglCommandSink& out) const
{
    char buf[160];
    const double px = Sane(x), py = Sane(y);
    switch (CommandSet) {
    case 2: out.Command(PointCommand(buf, "MA", px, py, ";")); break;
    case 3: out.Command(PointCommand(buf, "M", px, py, "\x03")); break;
    default: out.Command(PointCommand(buf, "PU", px, py, ";")); break;
    }
}

void CHpglEmitter::DrawTo(float x, float y, HpglCommandSink& out) const
{
    char buf[160];
    const double px = Sane(x), py = Sane(y);
    switch (CommandSet) {
    case 2: out.Command(PointCommand(buf, "DA", px, py, ";")); break;
    case 3: out.Command(PointCommand(buf, "D", px, py, "\x03")); break;
    default: out.Command(PointCommand(buf, "PD", px, py, ";")); break;
    }
}

void CHpglEmitter::Stroke(float x1, float y1, float x2, float y2, HpglCommandSink& out) const
{
    MoveTo(x1, y1, out);
    DrawTo(x2, y2, out);
}

void CHpglEmitter::SelectPen(int pen, HpglCommandSink& out)
{
    if (pen == CurrentPen) return;
    CurrentPen = pen;
    const int n = pen >= 1 && pen <= 7 ? pen : 2;
    char buf[160];
    switch (CommandSet) {
    case 2: out.Command(Format(buf, "PC%d;", n)); break;
    case 3: out.Command(Format(buf, "J%d%c", n, Etx)); break;
    default: out.Command(Format(buf, "SP%d;", n)); break;
    }
}

void CHpglEmitter::SelectLineType(int lineType, int entityType, HpglCommandSink& out)
{
    const int t = lineType >= 1 && lineType <= 4 ? lineType : 0;
    if (t == CurrentLineType) return;
    OutputLineType(t, entityType, out);
    CurrentLineType = t;
}

void CHpglEmitter::OutputLineType(int t, int entityType, HpglCommandSink& out) const
{
    char buf[160];
    if (t < 0 || t > 4) t = 0;
    switch (CommandSet) {
    case 0:
    case 1: {
        if (t == 0) {
            out.Command("LT;");
            return;
        }
        static constexpr int patterns[5] = {0, 2, 3, 5, 6};
        const int k = patterns[t];
        if (entityType == EntityType::Line)
            out.Command(Format(buf, "LT%d,%0.1f;", k, t == 1 ? 0.1 : 0.5));
        else
            out.Command(Format(buf, "LT%d;", -k));
        return;
    }
    case 2: {
        static constexpr int patterns[5] = {1, 2, 3, 3, 4};
        out.Command(Format(buf, "LT%d;", patterns[t]));
        return;
    }
    case 3: {
        static constexpr int patterns[5] = {0, 3, 4, 6, 7};
        out.Command(t == 1 ? "B30," : "B80,");
        out.Command(Format(buf, "L%d,%c", patterns[t], Etx));
        return;
    }
    default:
        return;
    }
}

void CHpglEmitter::OutputEntity(const CEntity& e, HpglCommandSink& out)
{
    if (!HpglPlotsKind(e.type)) return;
    SelectPen(e.style % 100, out);
    // Dimensions and hatches keep the pen alone and always plot solid.
    const bool penOnly = e.type == EntityType::Dimension || e.type == EntityType::Hatch;
    SelectLineType(penOnly ? 0 : e.style / 100, e.type, out);
    (this->*HpglEmitterOf(e.type))(e, out);
}

void CHpglEmitter::OutputPoint(const CEntity& e, HpglCommandSink& out) const
{
    if (e.values.size() < 2) return;
    const float x = PlotX(e.values[0]), y = PlotY(e.values[1]);
    static constexpr float strokes[6][4] = {
        {-20, -20, 20, -20}, {20, -20, 20, 20}, {20, 20, -20, 20},
        {-20, 20, -20, -20}, {-20, 20, 20, -20}, {20, 20, -20, -20},
    };
    for (const auto& s : strokes) Stroke(x + s[0], y + s[1], x + s[2], y + s[3], out);
}

void CHpglEmitter::OutputLine(const CEntity& e, HpglCommandSink& out) const
{
    if (e.values.size() < 4) return;
    Stroke(PlotX(e.values[0]), PlotY(e.values[1]), PlotX(e.values[2]), PlotY(e.values[3]), out);
}

void CHpglEmitter::OutputCurve(const CEntity& e, HpglCommandSink& out) const
{
    const std::size_t n = e.values.size() / 2;
    if (n < 2) return;
    const std::vector<GeoPoint> samples = SplineSamplePoints(e.values.data(), n);
    for (std::size_t i = 0; i + 1 < samples.size(); ++i)
        Stroke(PlotX(samples[i].x), PlotY(samples[i].y), PlotX(samples[i + 1].x), PlotY(samples[i + 1].y), out);
}

void CHpglEmitter::OutputPointChain(const CEntity& e, HpglCommandSink& out) const
{
    const std::size_t n = e.values.size() / 2;
    if (n < 2) return;
    MoveTo(PlotX(e.values[0]), PlotY(e.values[1]), out);
    for (std::size_t i = 1; i < n; ++i) DrawTo(PlotX(e.values[2 * i]), PlotY(e.values[2 * i + 1]), out);
}

void CHpglEmitter::OutputCircle(const CEntity& e, HpglCommandSink& out) const
{
    if (e.values.size() < 3) return;
    const float cx = PlotX(e.values[0]), cy = PlotY(e.values[1]);
    const double r = Sane(PlotLength(e.values[2]));
    MoveTo(cx, cy, out);
    char buf[160];
    switch (CommandSet) {
    case 2: out.Command(Format(buf, "CI%0.2f,0;", r)); break;
    case 3: out.Command(Format(buf, "W%0.2f,%0.2f,%0.2f,%0.2f,0,3600%c", Sane(cx), Sane(cy), r, r, Etx)); break;
    default: out.Command(Format(buf, "CI%0.2f,5;", r)); break;
    }
}

void CHpglEmitter::OutputArc(const CEntity& e, HpglCommandSink& out) const
{
    if (e.values.size() < 5) return;
    const double mx = e.values[0], my = e.values[1], radius = e.values[2];
    double a0 = e.values[3], a1 = e.values[4];
    if (e.subtype != 1) std::swap(a0, a1);
    const float cx = PlotX(mx), cy = PlotY(my);
    char buf[160];
    if (CommandSet == 3) {
        const double r = Sane(PlotLength(radius));
        if (a1 < a0) a1 += 360.0;
        out.Command(Format(buf, "M%0.2f,%0.2f%c", Sane(cx), Sane(cy), Etx));
        out.Command(Format(buf, "W%0.2f,%0.2f,%0.2f,%0.2f,%.0f,%.0f%c", Sane(cx), Sane(cy), r, r, Sane(a0 * 10.0),
                           Sane(a1 * 10.0), Etx));
        return;
    }
    const double sx = mx + radius * std::cos(a0 * ArcPi / 180.0);
    const double sy = my + radius * std::sin(a0 * ArcPi / 180.0);
    double sweep;
    if (a1 == 0.0)
        sweep = 360.0 - a0;
    else if (a1 > a0)
        sweep = a1 - a0;
    else if (a1 < a0)
        sweep = a1 + 360.0 - a0;
    else
        sweep = 360.0;
    MoveTo(PlotX(sx), PlotY(sy), out);
    if (CommandSet == 0 || CommandSet == 1) out.Command("PD;");
    out.Command(Format(buf, "AA%0.3f,%0.3f,%0.3f,5;", Sane(cx), Sane(cy), Sane(sweep)));
}

void CHpglEmitter::OutputEllipse(const CEntity& e, HpglCommandSink& out) const
{
    const double cx = ValueByCode(e, 10, 0), cy = ValueByCode(e, 20, 1);
    const double a = ValueByCode(e, 60, 2), b = ValueByCode(e, 61, 3);
    const double phi = ValueByCode(e, 62, 4) * DegToRadian;
    if (!std::isfinite(cx + cy + a + b + phi) || a == 0.0 || b == 0.0) return;
    // The ellipse's own parameter of a direction from its centre.
    auto parameter = [&](double degrees) {
        const double th = degrees * DegToRadian - phi;
        double t = std::atan2(std::sin(th) / b, std::cos(th) / a);
        if (t < 0.0) t += 2.0 * std::numbers::pi;
        return t;
    };
    double from = 0.0, to = 2.0 * std::numbers::pi;
    if (e.type == EntityType::EllipticArc) {
        from = parameter(ValueByCode(e, 50, 5));
        to = parameter(ValueByCode(e, 51, 6));
        if (to <= from) to += 2.0 * std::numbers::pi;
    }
    const double cp = std::cos(phi), sp = std::sin(phi);
    auto at = [&](double t, float& x, float& y) {
        const double c = std::cos(t), s = std::sin(t);
        x = PlotX(cx + a * c * cp - b * s * sp);
        y = PlotY(cy + a * c * sp + b * s * cp);
    };
    // Chords of at most 2 degrees of the parameter: smooth on any sheet.
    const int steps = std::max(1, static_cast<int>(std::ceil((to - from) / (2.0 * DegToRadian))));
    float x, y;
    at(from, x, y);
    MoveTo(x, y, out);
    for (int i = 1; i <= steps; ++i) {
        at(from + (to - from) * i / steps, x, y);
        DrawTo(x, y, out);
    }
}

void CHpglEmitter::TextBody(const CEntity& e, HpglCommandSink& out) const
{
    char buf[160];
    const double height = Sane(Value(e, 2)), width = Sane(Value(e, 3));
    std::string text(std::string_view(e.text));
    // A line end inside would split the label command in a file.
    for (char& c : text)
        if (c == '\r' || c == '\n' || c == Etx) c = ' ';
    if (CommandSet == 0 || CommandSet == 1) {
        const double degrees = std::trunc(Sane(Value(e, 4)));
        out.Command(Format(buf, "DI%.3f,%.3f;", std::cos(degrees * DegToRadian), std::sin(degrees * DegToRadian)));
    }
    MoveTo(PlotX(Value(e, 0)), PlotY(Value(e, 1)), out);
    if (CommandSet == 0 || CommandSet == 1) {
        const double w = HpglHasDoubleByteChar(text) ? width / 10.0 : width / 20.0;
        out.Command(Format(buf, "SI%.3f,%.3f;", w, height / 10.0));
        out.Command("LB" + text + Etx);
    } else if (CommandSet == 3) {
        out.Command(Format(buf, "S%d,%d;", static_cast<int>(std::clamp(height, -2e9, 2e9)),
                           static_cast<int>(std::clamp(width, -2e9, 2e9))));
        out.Command("B" + text + Etx);
    }
}

void CHpglEmitter::OutputText(const CEntity& e, HpglCommandSink& out) const
{
    if (e.values.size() < 5) return;
    TextBody(e, out);
}

void CHpglEmitter::OutputLeaderText(const CEntity& e, HpglCommandSink& out) const
{
    if (e.values.size() < 9) return;
    TextBody(e, out);
    const auto& v = e.values;
    Stroke(PlotX(v[5]), PlotY(v[6]), PlotX(v[7]), PlotY(v[8]), out);
    if (v.size() >= 11) Stroke(PlotX(v[7]), PlotY(v[8]), PlotX(v[9]), PlotY(v[10]), out);
    OutputArrowhead(e.subtype % 10, 1, 1, v[5], v[6], v[7], v[8], out);
}

void CHpglEmitter::OutputDimension(const CEntity& e, HpglCommandSink& out) const
{
    ForEachDimensionMark(e, [&](const TerminatorSpec& spec, int kind, double x, double y, double fx, double fy) {
        OutputArrowhead(kind, spec.dotSize, spec.arrowSize, x, y, fx, fy, out);
    });
}

void CHpglEmitter::OutputHatch(const CEntity& e, HpglCommandSink& out) const
{
    GenerateHatchLines(e, [&](const HatchSegment& s) {
        Stroke(PlotX(s.x1), PlotY(s.y1), PlotX(s.x2), PlotY(s.y2), out);
    });
}

void CHpglEmitter::OutputArrowhead(int kind, int dotSize, int arrowSize, double px, double py, double dx, double dy,
                                   HpglCommandSink& out) const
{
    static constexpr float dotRadius[5] = {20, 30, 40, 50, 60};
    static constexpr float arrowLength[5] = {60, 80, 100, 120, 150};
    dotSize = std::clamp(dotSize, 0, 4);
    arrowSize = std::clamp(arrowSize, 0, 4);
    const float x = PlotX(px), y = PlotY(py);
    char buf[160];
    if (kind == 1) {
        const double r = dotRadius[dotSize];
        if (CommandSet == 3) {
            out.Command(Format(buf, "W%0.2f,%0.2f,%0.2f,%0.2f,0,3600%c", Sane(x), Sane(y), r, r, Etx));
            return;
        }
        MoveTo(x, y, out);
        out.Command(Format(buf, "CI%0.2f,5;", r));
        return;
    }
    if (kind < 2 || kind > 4) return;
    const double length = arrowLength[arrowSize];
    const double theta = std::atan2(static_cast<double>(y) - PlotY(dy), static_cast<double>(x) - PlotX(dx));
    double angles[2];
    int strokes = 2;
    if (kind == 2) {
        angles[0] = theta + 150.0 * DegToRadian;
        strokes = 1;
    } else {
        const double spread = (kind == 4 ? 30.0 : 150.0) * DegToRadian;
        angles[0] = theta - spread;
        angles[1] = theta + spread;
    }
    for (int i = 0; i < strokes; ++i)
        Stroke(x, y, static_cast<float>(x + length * std::cos(angles[i])),
               static_cast<float>(y + length * std::sin(angles[i])), out);
}
