#include "edit_tools/SelectToolPreviewShapes.h"
#include "model/EntityKinds.h"

#include "model/Entity.h"
#include "model/GeometryCircles.h"
#include "model/GeometryLines.h"
#include "model/Utilities.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double Pi = std::numbers::pi;


double Degrees(double rad)
{
    double d = rad * 180.0 / Pi;
    if (d < 0)
        d += 360.0;
    return d >= 360.0 ? d - 360.0 : d;
}

// The parameter of a direction seen from the centre, in [0, 2π).
double ParameterOf(double directionDeg, double rotationDeg, double a, double b)
{
    const double turn = (directionDeg - rotationDeg) * Pi / 180.0;
    double t = std::atan2(std::sin(turn) / b, std::cos(turn) / a);
    if (t < 0)
        t += 2 * Pi;
    return t;
}

GeoPoint EllipsePoint(double cx, double cy, double a, double b, double rot, double t)
{
    const double c = std::cos(rot), s = std::sin(rot);
    return {cx + a * std::cos(t) * c - b * std::sin(t) * s, cy + a * std::cos(t) * s + b * std::sin(t) * c};
}

} // namespace

bool TextPreviewBox(const CEntity& e, double dx, double dy, std::array<GeoPoint, 5>& box)
{
    if (ValueCount(e) < 5)
        return false;
    const auto& v = e.values;
    const double length = MbcsByteLength(e.text) * v[3] * 0.5;
    const double height = v[2];
    const GeoPoint p0{v[0] + dx, v[1] + dy};
    GeoPoint p1{p0.x + length, p0.y}, p2{p0.x + length, p0.y + height}, p3{p0.x, p0.y + height};
    if (std::abs(v[4]) > 0.1 && length >= 0.5) {
        const double rad = v[4] * Pi / 180.0;
        p1 = {p0.x + length * std::cos(rad), p0.y + length * std::sin(rad)};
        const PointResult up = OffsetPointFromSegment(1, p0.x, p0.y, p1.x, p1.y, height);
        p3 = {up.x, up.y};
        p2 = {p1.x + p3.x - p0.x, p1.y + p3.y - p0.y};
    }
    box = {p0, p1, p2, p3, p0};
    return true;
}

std::vector<GeoPoint> EllipsePreviewPoints(double cx, double cy, double a, double b, double rotationDeg)
{
    std::vector<GeoPoint> out;
    const double rot = rotationDeg * Pi / 180.0;
    for (double t = 0.0; t <= 2 * Pi; t += 0.05)
        out.push_back(EllipsePoint(cx, cy, a, b, rot, t));
    return out;
}

std::vector<GeoPoint> EllipticArcPreviewPoints(double cx, double cy, double a, double b, double rotationDeg,
                                               double startDeg, double endDeg)
{
    std::vector<GeoPoint> out;
    if (a == 0.0 || b == 0.0 || !std::isfinite(a) || !std::isfinite(b) || !std::isfinite(startDeg) ||
        !std::isfinite(endDeg))
        return out;
    const double ts = ParameterOf(startDeg, rotationDeg, a, b);
    double te = ParameterOf(endDeg, rotationDeg, a, b);
    if (te < ts)
        te += 2 * Pi;
    const double rot = rotationDeg * Pi / 180.0;
    for (double t = ts; t <= te; t += 0.05)
        out.push_back(EllipsePoint(cx, cy, a, b, rot, t));
    return out;
}

BoundaryPreview BoundaryPreviewOf(const CEntity& e, double dx, double dy)
{
    BoundaryPreview out;
    const bool fill = e.type == EntityType::Fill;
    if (!fill && e.type != EntityType::Hatch)
        return out;
    const std::size_t first = fill ? 2 : 7;
    const long items = fill ? e.subtype : (e.codes.empty() ? 0 : e.codes[0]);
    const std::size_t nv = std::min(ValueCount(e), e.codes.size());
    const auto& v = e.values;
    // Where the item at i starts (its first point), when it has one.
    auto startOf = [&](std::size_t i, GeoPoint& p) {
        if (i >= nv)
            return false;
        const int16_t code = e.codes[i];
        if (code == BoundaryItem::Vertex && i + 2 <= nv) {
            p = {v[i] + dx, v[i + 1] + dy};
            return true;
        }
        if ((code == BoundaryItem::ArcCcw || code == BoundaryItem::ArcCw) && i + 5 <= nv) {
            p = {v[i + 3] + dx, v[i + 4] + dy};
            return true;
        }
        return false;
    };
    std::size_t i = first;
    for (long k = 0; k < items && i < nv; ++k) {
        const int16_t code = e.codes[i];
        if (code == BoundaryItem::Vertex) {
            if (i + 2 > nv)
                break;
            if (out.points.size() < BoundaryPreviewMaxPoints)
                out.points.push_back({v[i] + dx, v[i + 1] + dy});
            i += 2;
        } else if (code == BoundaryItem::ArcCcw || code == BoundaryItem::ArcCw) {
            if (i + 5 > nv)
                break;
            const double cx = v[i] + dx, cy = v[i + 1] + dy, r = v[i + 2];
            const GeoPoint s{v[i + 3] + dx, v[i + 4] + dy};
            GeoPoint end;
            if (!startOf(i + 5, end) && !startOf(first, end))
                end = s;
            const auto arc = ArcToPolyline(code == BoundaryItem::ArcCcw ? 1 : -1, s.x, s.y, end.x, end.y, cx, cy, r, 6.0);
            if (arc.status == 0 && out.points.size() + static_cast<std::size_t>(arc.count) < BoundaryPreviewMaxPoints)
                for (int j = 0; j < arc.count; ++j)
                    out.points.push_back({arc.x[static_cast<std::size_t>(j)], arc.y[static_cast<std::size_t>(j)]});
            i += 5;
        } else if (code == BoundaryItem::Circle) {
            if (i + 3 > nv)
                break;
            out.discs.push_back({v[i] + dx, v[i + 1] + dy, v[i + 2]});
            if (fill)
                break;
            i += 3;
        } else {
            break;
        }
    }
    return out;
}

ArcHandleFigure ArcHandlePreview(GeoPoint m, GeoPoint e, double chord, double height, bool endGrabbed, int subtype)
{
    ArcHandleFigure f;
    if (!(chord >= 0.5) || !std::isfinite(height))
        return f;
    const double d = std::hypot(e.x - m.x, e.y - m.y);
    const double h = d * (height / chord);
    const GeoPoint q = PointTowards(m.x, m.y, e.x, e.y, d / 2);
    const bool left = endGrabbed ? subtype != 1 : subtype == 1;
    const PointResult apex = OffsetPointFromSegment(left ? 1 : -1, q.x, q.y, m.x, m.y, h);
    if (apex.status != 0)
        return f;
    const CircleResult c = CircleFrom3Points(m.x, m.y, e.x, e.y, apex.x, apex.y);
    if (c.direction == 0 || !(c.radius > 0))
        return f;
    const double am = Degrees(std::atan2(m.y - c.cy, m.x - c.cx));
    const double ae = Degrees(std::atan2(e.y - c.cy, e.x - c.cx));
    f.lineOnly = false;
    f.cx = c.cx;
    f.cy = c.cy;
    f.r = c.radius;
    f.apex = {apex.x, apex.y};
    f.startDeg = c.direction == -1 ? am : ae;
    f.endDeg = c.direction == -1 ? ae : am;
    return f;
}
