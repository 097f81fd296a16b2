#include "dialogs/PartsPreview.h"

#include "model/GeometryCircles.h"
#include "model/HatchLines.h"
#include "model/Settings.h"
#include "model/Utilities.h"
#include "platform/Encoding.h"
#include "view/FillBrush.h"

#include <QFontDatabase>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <vector>

namespace {

constexpr double Pi = std::numbers::pi;
constexpr double DegToRad = Pi / 180.0;
// The larger side of the part fills this share of the pane (a float, as the
// fit has always used it).
constexpr double FillShare = double(0.8f);
// Below this the part is flat in that direction and keeps no extents.
constexpr double FlatExtent = 0.05;
constexpr int MaxFillPoints = 300;
constexpr int MaxPolygonVertices = 36;
constexpr COLORREF PaneWhite = platform::PaletteIndex(19);

struct Box {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool any = false;
    void Add(double x, double y)
    {
        if (!std::isfinite(x) || !std::isfinite(y))
            return;
        if (!any) {
            x0 = x1 = x;
            y0 = y1 = y;
            any = true;
            return;
        }
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
    }
    bool Flat() const { return !any || std::fabs(x1 - x0) < FlatExtent || std::fabs(y1 - y0) < FlatExtent; }
};

std::size_t Values(const CEntity& e)
{
    return std::min<std::size_t>(e.values.size(), e.count < 0 ? 0 : std::size_t(e.count));
}

double ByCode(const CEntity& e, int16_t code)
{
    const int i = FindValueIndex(e, code);
    return i >= 0 && std::size_t(i) < e.values.size() ? e.values[std::size_t(i)] : 0.0;
}

void EllipsePoint(double cx, double cy, double a, double b, double phi, double t, double& x, double& y)
{
    const double c = std::cos(t), s = std::sin(t), cp = std::cos(phi), sp = std::sin(phi);
    x = cx + a * c * cp - b * s * sp;
    y = cy + a * c * sp + b * s * cp;
}

void AddTextCorners(const CEntity& e, Box& box)
{
    if (Values(e) < 3)
        return;
    const double x = e.values[0], y = e.values[1], h = e.values[2];
    const int n = CountMbcsChars(std::string_view(e.text));
    box.Add(x, y);
    box.Add(x, y + h);
    box.Add(x + n * h / 2, y);
}

// The points of one entity that count for the part's extents.
void AddExtents(const CEntity& e, Box& box)
{
    const std::size_t n = Values(e);
    const auto& v = e.values;
    switch (e.type) {
    case EntityType::Point:
        if (n >= 2)
            box.Add(v[0], v[1]);
        break;
    case EntityType::Line:
        if (n >= 4) {
            box.Add(v[0], v[1]);
            box.Add(v[2], v[3]);
        }
        break;
    case EntityType::Curve:
    case EntityType::FreehandCurve:
    case EntityType::Polygon:
        for (std::size_t i = 0; i + 1 < n; i += 2)
            box.Add(v[i], v[i + 1]);
        break;
    case EntityType::Circle:
    case EntityType::Arc: {
        const double cx = ByCode(e, 10), cy = ByCode(e, 20), r = ByCode(e, 40);
        box.Add(cx - r, cy - r);
        box.Add(cx + r, cy + r);
        break;
    }
    case EntityType::Ellipse:
    case EntityType::EllipticArc: {
        if (n < 5)
            break;
        const double phi = v[4] * DegToRad;
        for (double t = 0.0; t <= 2 * Pi; t += 0.05) {
            double x, y;
            EllipsePoint(v[0], v[1], v[2], v[3], phi, t, x, y);
            box.Add(x, y);
        }
        break;
    }
    case EntityType::Text:
        AddTextCorners(e, box);
        break;
    case EntityType::LeaderText:
        AddTextCorners(e, box);
        if (n >= 9) {
            box.Add(v[5], v[6]);
            box.Add(v[7], v[8]);
        }
        break;
    default:
        break;
    }
}

Box PartBox(const CEntityList& list)
{
    Box box;
    for (const CEntity* e = list.first; e; e = e->next)
        AddExtents(*e, box);
    return box;
}

platform::PenStyle StyleOfLineType(int lineType)
{
    switch (lineType) {
    case 1: return platform::PenStyle::Dot;
    case 2: return platform::PenStyle::Dash;
    case 3: return platform::PenStyle::DashDot;
    case 4: return platform::PenStyle::DashDotDot;
    default: return platform::PenStyle::Solid;
    }
}

// The pen an entity is drawn with unless its type says otherwise.
platform::Pen EntityPen(const CEntity& e)
{
    return platform::Pen::Make(StyleOfLineType(e.style / 100), 1, e.colour);
}


// Selects a pen for the life of the scope.
class PenScope {
public:
    PenScope(platform::Dc& dc, const platform::Pen& pen) : dc_(dc), old_(dc.SelectPen(pen)) {}
    ~PenScope() { dc_.SelectPen(old_); }
    PenScope(const PenScope&) = delete;
    PenScope& operator=(const PenScope&) = delete;

private:
    platform::Dc& dc_;
    platform::Pen old_;
};

// Pixel coordinate from a model offset, truncated towards zero and held to
// the range a pixel can take.
int PaneCoordinate(double v)
{
    if (!(v == v))
        return 0;
    v = std::clamp(v, -1.0e8, 1.0e8);
    return static_cast<int>(v);
}

} // namespace

platform::Point CPartsPreview::ToPane(double x, double y) const
{
    return {PaneCoordinate((x - minX) / unitsPerPixel + marginX),
            PaneCoordinate(paneHeight - ((y - minY) / unitsPerPixel + marginY))};
}

bool CPartsPreview::CalcPartsExtents()
{
    const Box box = PartBox(*parts);
    if (box.Flat())
        return false;
    minX = box.x0;
    minY = box.y0;
    maxX = box.x1;
    maxY = box.y1;
    SetPartsBasePoint();
    return true;
}

void CPartsPreview::SetPartsBasePoint() const
{
    switch (PartsBase) {
    case 0:
        PartsBaseX = (minX + maxX) / 2;
        PartsBaseY = (minY + maxY) / 2;
        break;
    case 1:
        PartsBaseX = minX;
        PartsBaseY = minY;
        break;
    case 2:
        PartsBaseX = minX;
        PartsBaseY = maxY;
        break;
    default:
        break;
    }
}

void CPartsPreview::PaintPreviewPane(platform::Dc& dc, const platform::Rect& client)
{
    const platform::Rect area{client.left + 1, client.top + 1, client.right - 1, client.bottom - 1};
    paneHeight = area.Height();
    dc.SaveDc();
    dc.FillRect(area, platform::Brush::Solid(PaneWhite));
    dc.IntersectClipRect(area.left, area.top, area.right, area.bottom);
    if (!parts->first) {
        minX = minY = maxX = maxY = 0.0;
        dc.RestoreDc();
        return;
    }
    CalcPartsExtents();
    // The fit comes from this part's own box, also when the part is flat in
    // one direction and so keeps no extents; a part with no size at all (or
    // a pane with no room) draws nothing.
    const Box box = PartBox(*parts);
    const double w = box.x1 - box.x0, h = box.y1 - box.y0;
    const int W = area.Width(), H = area.Height();
    if (!box.any || std::max(std::fabs(w), std::fabs(h)) < FlatExtent || W <= 0 || H <= 0) {
        dc.RestoreDc();
        return;
    }
    CPartsPreview fit = *this;
    fit.minX = box.x0;
    fit.minY = box.y0;
    fit.unitsPerPixel = w > h ? w / W / FillShare : h / H / FillShare;
    fit.marginX = (W - int(w / fit.unitsPerPixel)) * 0.5;
    fit.marginY = (H - int(h / fit.unitsPerPixel)) * 0.5;
    unitsPerPixel = fit.unitsPerPixel;
    marginX = fit.marginX;
    marginY = fit.marginY;
    fit.DrawPreviewEntities(dc);
    dc.RestoreDc();
}

void CPartsPreview::DrawPreviewEntities(platform::Dc& dc) const
{
    for (const CEntity* p = parts->first; p; p = p->next) {
        const CEntity& e = *p;
        const std::size_t n = Values(e);
        switch (e.type) {
        case EntityType::Point:
            if (n >= 2) {
                PenScope pen(dc, EntityPen(e));
                const platform::Point c = ToPane(e.values[0], e.values[1]);
                dc.Rectangle(c.x - 1, c.y - 1, c.x + 1, c.y + 1);
            }
            break;
        case EntityType::Line:
            if (n >= 4) {
                PenScope pen(dc, EntityPen(e));
                const platform::Point a = ToPane(e.values[0], e.values[1]);
                const platform::Point b = ToPane(e.values[2], e.values[3]);
                dc.MoveTo(a.x, a.y);
                dc.LineTo(b.x, b.y);
            }
            break;
        case EntityType::Curve: DrawPreviewCurve(dc, e); break;
        case EntityType::Circle:
        case EntityType::Arc: DrawPreviewCircle(dc, e); break;
        case EntityType::Ellipse: DrawPreviewEllipse(dc, e); break;
        case EntityType::EllipticArc: DrawPreviewEllipticArc(dc, e); break;
        case EntityType::Text: DrawPreviewText(dc, e); break;
        case EntityType::LeaderText:
            DrawPreviewText(dc, e);
            DrawPreviewLeader(dc, e);
            break;
        case EntityType::Fill: DrawPreviewPaint(dc, e); break;
        case EntityType::Hatch: DrawPreviewHatch(dc, e); break;
        case EntityType::Polygon: {
            const std::size_t vertices = std::min<std::size_t>(n / 2, MaxPolygonVertices);
            if (vertices < 2)
                break;
            PenScope pen(dc, EntityPen(e));
            dc.BeginPath();
            const platform::Point a = ToPane(e.values[0], e.values[1]);
            dc.MoveTo(a.x, a.y);
            for (std::size_t i = 1; i < vertices; ++i) {
                const platform::Point b = ToPane(e.values[2 * i], e.values[2 * i + 1]);
                dc.LineTo(b.x, b.y);
            }
            dc.EndPath();
            dc.StrokePath();
            break;
        }
        default:
            // Grids, infinite lines, freehand curves, dimensions, group
            // headers and images are not previewed; dimensions and groups
            // show through their members.
            break;
        }
    }
}

void CPartsPreview::DrawPreviewCurve(platform::Dc& dc, const CEntity& e) const
{
    const int n = int(Values(e) / 2);
    if (n < 1)
        return;
    // The control polygon with both end points doubled.
    std::vector<double> qx(std::size_t(n) + 2), qy(std::size_t(n) + 2);
    for (int k = 0; k < n; ++k) {
        qx[std::size_t(k) + 1] = e.values[std::size_t(2 * k)];
        qy[std::size_t(k) + 1] = e.values[std::size_t(2 * k + 1)];
    }
    qx[0] = qx[1];
    qy[0] = qy[1];
    qx[std::size_t(n) + 1] = qx[std::size_t(n)];
    qy[std::size_t(n) + 1] = qy[std::size_t(n)];

    auto pane = [this](double x, double y) { return ToPane(float(x), float(y)); };
    std::vector<platform::Point> pts;
    for (int i = 1; i <= n - 1; ++i) {
        const std::size_t s = std::size_t(i);
        const double x0 = qx[s - 1], x1 = qx[s], x2 = qx[s + 1], x3 = qx[s + 2];
        const double y0 = qy[s - 1], y1 = qy[s], y2 = qy[s + 1], y3 = qy[s + 2];
        const double ax = (3 * (x1 - x2) - x0 + x3) / 6, bx = (x0 - 2 * x1 + x2) / 2, cx = (x2 - x0) / 2,
                     dx = (x0 + 4 * x1 + x2) / 6;
        const double ay = (3 * (y1 - y2) - y0 + y3) / 6, by = (y0 - 2 * y1 + y2) / 2, cy = (y2 - y0) / 2,
                     dy = (y0 + 4 * y1 + y2) / 6;
        for (int j = 0; j <= n + 1; ++j) {
            const double u = double(j) / (n + 1);
            if (pts.empty())
                pts.push_back(pane(qx[1], qy[1]));
            else
                pts.push_back(pane(((ax * u + bx) * u + cx) * u + dx, ((ay * u + by) * u + cy) * u + dy));
        }
    }
    if (pts.empty())
        pts.push_back(pane(qx[1], qy[1]));
    pts.push_back(pane(qx[std::size_t(n)], qy[std::size_t(n)]));
    PenScope pen(dc, EntityPen(e));
    dc.Polyline(pts);
}

void CPartsPreview::DrawPreviewCircle(platform::Dc& dc, const CEntity& e) const
{
    const double cx = ByCode(e, 10), cy = ByCode(e, 20), r = ByCode(e, 40);
    const double start = ByCode(e, 50), end = ByCode(e, 51);
    auto whole = [](double a) {
        return std::isfinite(a) ? static_cast<long long>(std::clamp(a, -1.0e15, 1.0e15)) : 0LL;
    };
    const long long s = whole(start), t = whole(end);
    const bool full = e.type == EntityType::Circle || s == t || (s == 0 && t == 360) || (s == 360 && t == 0);
    const platform::Point topLeft = ToPane(cx - r, cy + r), bottomRight = ToPane(cx + r, cy - r);
    platform::Point from = topLeft, to = topLeft;
    if (!full) {
        const double a1 = e.subtype == 1 ? start : end, a2 = e.subtype == 1 ? end : start;
        from = ToPane(cx + r * std::cos(a1 * DegToRad), cy + r * std::sin(a1 * DegToRad));
        to = ToPane(cx + r * std::cos(a2 * DegToRad), cy + r * std::sin(a2 * DegToRad));
    }
    PenScope pen(dc, EntityPen(e));
    dc.Arc(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y, from.x, from.y, to.x, to.y);
}

void CPartsPreview::DrawPreviewEllipse(platform::Dc& dc, const CEntity& e) const
{
    const double cx = ByCode(e, 10), cy = ByCode(e, 20), a = ByCode(e, 60), b = ByCode(e, 61);
    const double phi = ByCode(e, 62) * DegToRad;
    std::vector<platform::Point> pts;
    for (double t = 0.0; t <= 2 * Pi; t += 0.01) {
        double x, y;
        EllipsePoint(cx, cy, a, b, phi, t, x, y);
        pts.push_back(ToPane(x, y));
    }
    PenScope pen(dc, EntityPen(e));
    dc.Polyline(pts);
}

void CPartsPreview::DrawPreviewEllipticArc(platform::Dc& dc, const CEntity& e) const
{
    const double cx = ByCode(e, 10), cy = ByCode(e, 20), a = ByCode(e, 60), b = ByCode(e, 61);
    const double rotation = ByCode(e, 62);
    const double phi = rotation * DegToRad;
    auto parameter = [&](double angle) {
        const double d = (angle - rotation) * DegToRad;
        double t = std::atan2(std::sin(d) / b, std::cos(d) / a);
        if (!std::isfinite(t))
            t = 0.0;
        return t < 0 ? t + 2 * Pi : t;
    };
    const double t1 = parameter(ByCode(e, 50));
    double t2 = parameter(ByCode(e, 51));
    if (t2 < t1)
        t2 += 2 * Pi;
    std::vector<platform::Point> pts;
    for (double t = t1; t <= t2; t += 0.01) {
        double x, y;
        EllipsePoint(cx, cy, a, b, phi, t, x, y);
        pts.push_back(ToPane(x, y));
    }
    PenScope pen(dc, EntityPen(e));
    dc.Polyline(pts);
}

void CPartsPreview::DrawPreviewText(platform::Dc& dc, const CEntity& e) const
{
    if (Values(e) < 5)
        return;
    const double x = e.values[0], y = e.values[1], h = e.values[2], angle = e.values[4];
    double ax = x, ay = y + h;
    if (std::fabs(angle) > 0.1) {
        ax = x - h * std::sin(angle * DegToRad);
        ay = y + h * std::cos(angle * DegToRad);
    }
    platform::Font font;
    font.height = PaneCoordinate(h / unitsPerPixel);
    font.width = font.height / 2;
    font.escapement = PaneCoordinate(angle * 10);
    font.charSet = 128;
    font.pitchAndFamily = 1;
    font.face = platform::Font::FaceFromCp932(std::string_view(e.font));
    const platform::Font oldFont = dc.SelectFont(font);
    const COLORREF oldColour = dc.SetTextColor(e.colour);
    const platform::BkMode oldMode = dc.SetBkMode(platform::BkMode::Transparent);
    const platform::Point at = ToPane(ax, ay);
    dc.TextOut(at.x, at.y, platform::FromCp932(std::string_view(e.text)));
    dc.SetBkMode(oldMode);
    dc.SetTextColor(oldColour);
    dc.SelectFont(oldFont);
}

void CPartsPreview::DrawPreviewLeader(platform::Dc& dc, const CEntity& e) const
{
    const std::size_t n = Values(e);
    if (n < 9)
        return;
    const auto& v = e.values;
    PenScope pen(dc, platform::Pen::Make(platform::PenStyle::Solid, 1, e.colour));
    const platform::Point a = ToPane(v[5], v[6]), b = ToPane(v[7], v[8]);
    dc.MoveTo(a.x, a.y);
    dc.LineTo(b.x, b.y);
    // The shoulder, for the leader shapes that have one and hold its end.
    if (e.subtype > 209 && n >= 11) {
        const platform::Point c = ToPane(v[9], v[10]);
        dc.MoveTo(b.x, b.y);
        dc.LineTo(c.x, c.y);
    }
}

void CPartsPreview::DrawPreviewPaint(platform::Dc& dc, const CEntity& e) const
{
    const std::size_t n = std::min(Values(e), e.codes.size());
    if (n < 1)
        return;
    const auto& v = e.values;
    uint64_t bits = 0;
    std::memcpy(&bits, &v[0], sizeof bits);
    PenScope pen(dc, platform::Pen::Make(platform::PenStyle::Solid, 1, COLORREF(bits & 0xFFFFFFFFu)));
    const platform::Brush oldBrush = dc.SelectBrush(FillBrush(e.style / 100, e.colour));
    if (n >= 5 && e.codes[2] == BoundaryItem::Circle) {
        const double cx = v[2], cy = v[3], r = v[4];
        const platform::Point a = ToPane(cx - r, cy + r), b = ToPane(cx + r, cy - r);
        dc.Ellipse(a.x, a.y, b.x, b.y);
        dc.SelectBrush(oldBrush);
        return;
    }
    std::vector<platform::Point> pts;
    std::size_t i = 2;
    for (int k = 0; k < e.subtype && i < n; ++k) {
        const int16_t code = e.codes[i];
        if (code == BoundaryItem::Vertex) {
            if (i + 1 >= n)
                break;
            pts.push_back(ToPane(v[i], v[i + 1]));
            i += 2;
        } else if (code == BoundaryItem::ArcCcw || code == BoundaryItem::ArcCw) {
            if (i + 4 >= n)
                break;
            // The arc ends where the next element starts.
            const std::size_t next = i + 5;
            double ex = 0, ey = 0;
            bool hasEnd = false;
            if (next + 1 < n && e.codes[next] == BoundaryItem::Vertex) {
                ex = v[next];
                ey = v[next + 1];
                hasEnd = true;
            } else if (next + 4 < n) {
                ex = v[next + 3];
                ey = v[next + 4];
                hasEnd = true;
            }
            if (hasEnd) {
                const auto arc = ArcToPolyline(code == BoundaryItem::ArcCcw ? 1 : -1, v[i + 3], v[i + 4], ex, ey, v[i],
                                               v[i + 1], v[i + 2], 6.0);
                if (arc.status == 0 && pts.size() + std::size_t(arc.count) < MaxFillPoints)
                    for (int p = 0; p < arc.count; ++p)
                        pts.push_back(ToPane(float(arc.x[std::size_t(p)]), float(arc.y[std::size_t(p)])));
            }
            i += 5;
        } else {
            // Ellipses and elliptic arcs end the outline here.
            break;
        }
    }
    if (!pts.empty())
        dc.Polygon(pts);
    dc.SelectBrush(oldBrush);
}

void CPartsPreview::DrawPreviewHatch(platform::Dc& dc, const CEntity& e) const
{
    PenScope pen(dc, platform::Pen::Make(platform::PenStyle::Solid, 0, e.colour));
    GenerateHatchLines(e, [&](const HatchSegment& s) {
        const platform::Point a = ToPane(s.x1, s.y1), b = ToPane(s.x2, s.y2);
        dc.MoveTo(a.x, a.y);
        dc.LineTo(b.x, b.y);
    });
}

QString CPartsPreview::SizeLineText(double scale) const
{
    const double w = maxX - minX, h = maxY - minY;
    if (std::fabs(w) < 0.1 || std::fabs(h) < 0.1)
        return {};
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, "作図サイズ： 横幅 %0.0f 　縦幅 %0.0f", w * scale, h * scale);
    return platform::FromCp932(platform::Cp932Truncate(platform::Utf8ToCp932(buffer), 50));
}

void CPartsPreview::DrawInfoPane(platform::Dc& dc, const platform::Rect& client, double scale) const
{
    const platform::Rect area{client.left + 1, client.top + 1, client.right - 1, client.bottom - 1};
    dc.SaveDc();
    dc.FillRect(area, platform::Brush::Solid(PaneWhite));
    dc.IntersectClipRect(area.left, area.top, area.right, area.bottom);
    const QString text = SizeLineText(scale);
    if (!text.isEmpty()) {
        platform::Font font;
        const QFont system = QFontDatabase::systemFont(QFontDatabase::TitleFont);
        font.face = system.family();
        font.height = -std::max(9, system.pixelSize() > 0 ? system.pixelSize() : 12);
        dc.SelectFont(font);
        dc.SetTextColor(platform::Rgb(0, 0, 0));
        dc.SetBkMode(platform::BkMode::Transparent);
        dc.TextOut(5, 5, text);
    }
    dc.RestoreDc();
}
