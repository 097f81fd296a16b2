// The tool base's inside tests: whether an entity lies wholly inside a model
// rectangle, one test per entity type. The rectangle is in order (minimum
// not above maximum) and its border counts as inside.
//
// Every test reads only the values the record really holds: a record too
// short for its type, or one with no points at all, is not inside.

#include "view/DrawTool.h"
#include "model/EntityKinds.h"

#include "model/GeometryCircles.h"
#include "model/GeometryEllipses.h"
#include "model/HatchLines.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {


bool Has(const CEntity& e, std::size_t n)
{
    return ValueCount(e) >= n;
}


bool Inside(const WorldRect& r, double x, double y)
{
    return r.xmin <= x && x <= r.xmax && r.ymin <= y && y <= r.ymax;
}

// A growing box, starting from the first point taken in.
struct PointBox {
    bool empty = true;
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    void Add(double x, double y)
    {
        if (empty) {
            minX = maxX = x;
            minY = maxY = y;
            empty = false;
            return;
        }
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
    bool InsideOf(const WorldRect& r) const
    {
        return !empty && Inside(r, minX, minY) && Inside(r, maxX, maxY);
    }
};

bool CircleBoxInside(const WorldRect& r, double cx, double cy, double radius)
{
    return Inside(r, cx - radius, cy - radius) && Inside(r, cx + radius, cy + radius);
}

// Every pair (x, y) of the record.
bool PairsInside(const WorldRect& r, const CEntity& e)
{
    PointBox box;
    const std::size_t n = ValueCount(e) / 2;
    for (std::size_t i = 0; i < n; ++i)
        box.Add(e.values[2 * i], e.values[2 * i + 1]);
    return box.InsideOf(r);
}

// The box of a whole ellipse, sampled every 0.05 of the parameter.
PointBox SampledEllipseBox(double cx, double cy, double r1, double r2, double rotationDeg)
{
    PointBox box;
    const double phi = rotationDeg * std::numbers::pi / 180.0;
    const double c = std::cos(phi), s = std::sin(phi);
    const double twoPi = 2.0 * std::numbers::pi;
    for (int i = 0;; ++i) {
        const double t = i * 0.05;
        if (t > twoPi)
            break;
        const double u = r1 * std::cos(t), v = r2 * std::sin(t);
        box.Add(cx + u * c - v * s, cy + u * s + v * c);
    }
    return box;
}

bool ArcBoundsInside(const WorldRect& r, const GeoEllipticArc& arc)
{
    const GeoBox b = EllipticArcBounds(arc);
    return b.status == 0 && Inside(r, b.minX, b.minY) && Inside(r, b.maxX, b.maxY);
}

} // namespace

int CDrawTool::IsPointInRect(const WorldRect& r, const CEntity* e)
{
    if (!e || !Has(*e, 2))
        return 0;
    return Inside(r, e->values[0], e->values[1]) ? 1 : 0;
}

int CDrawTool::IsLineInRect(const WorldRect& r, const CEntity* e)
{
    if (!e || !Has(*e, 4))
        return 0;
    const auto& v = e->values;
    return Inside(r, v[0], v[1]) && Inside(r, v[2], v[3]) ? 1 : 0;
}

int CDrawTool::IsSplineInRect(const WorldRect& r, const CEntity* e)
{
    return e && PairsInside(r, *e) ? 1 : 0;
}

int CDrawTool::IsPointListInRect(const WorldRect& r, const CEntity* e)
{
    return e && PairsInside(r, *e) ? 1 : 0;
}

int CDrawTool::IsArcInRect(const WorldRect& r, const CEntity* e)
{
    double cx = 0, cy = 0, radius = 0, start = 0, end = 0;
    if (!e || !ByCode(*e, 10, cx) || !ByCode(*e, 20, cy) || !ByCode(*e, 40, radius) || !ByCode(*e, 50, start) ||
        !ByCode(*e, 51, end))
        return 0;
    const PointSet<2> ends = ArcEndPoints(cx, cy, radius, start, end);
    const double sx = ends.x[0], sy = ends.y[0], ex = ends.x[1], ey = ends.y[1];
    const int direction = e->subtype < 0 ? -1 : 1;

    // Half the length along the arc from its start to its end.
    double half = 0.0;
    const bool same = std::abs(sx - ex) <= 0.5 && std::abs(sy - ey) <= 0.5;
    const double ds = std::hypot(sx - cx, sy - cy);
    const double de = std::hypot(ex - cx, ey - cy);
    if (!same && std::abs(ds - de) <= 0.5) {
        double sweep = (std::atan2(ey - cy, ex - cx) - std::atan2(sy - cy, sx - cx)) * direction;
        if (sweep < 0.0)
            sweep += 2.0 * std::numbers::pi;
        half = ds * sweep / 2.0;
    }
    const PointResult mid = ArcMidPoint(direction, sx, sy, cx, cy, radius, half);
    return Inside(r, sx, sy) && Inside(r, ex, ey) && Inside(r, mid.x, mid.y) ? 1 : 0;
}

int CDrawTool::IsCircleInRect(const WorldRect& r, const CEntity* e)
{
    double cx = 0, cy = 0, radius = 0;
    if (!e || !ByCode(*e, 10, cx) || !ByCode(*e, 20, cy) || !ByCode(*e, 40, radius))
        return 0;
    return Inside(r, cx, cy) && CircleBoxInside(r, cx, cy, radius) ? 1 : 0;
}

int CDrawTool::IsLeaderTextInRect(const WorldRect& r, int characters, const CEntity* e)
{
    if (!e || !Has(*e, 9))
        return 0;
    const auto& v = e->values;
    // A third leader point stands at 9-10 when the subtype's tens digit says so.
    const bool third = Has(*e, 11) && (e->subtype / 10) % 10 != 0;
    return Inside(r, v[0], v[1]) && Inside(r, v[0] + v[3] * 0.5 * characters, v[1] + v[2]) &&
                   Inside(r, v[5], v[6]) && Inside(r, v[7], v[8]) && (!third || Inside(r, v[9], v[10]))
               ? 1
               : 0;
}

int CDrawTool::IsTextInRect(const WorldRect& r, int characters, const CEntity* e)
{
    if (!e || !Has(*e, 4))
        return 0;
    const auto& v = e->values;
    return Inside(r, v[0], v[1]) && Inside(r, v[0] + v[3] * 0.5 * characters, v[1] + v[2]) ? 1 : 0;
}

int CDrawTool::IsHatchInRect(int isFill, const WorldRect& r, const CEntity* e)
{
    if (!e || e->type != (isFill ? EntityType::Fill : EntityType::Hatch))
        return 0;
    HatchBoundary boundary;
    const BoundaryUnpack unpacked = UnpackHatchBoundary(*e, boundary);
    if (unpacked == BoundaryUnpack::NotABoundary || unpacked == BoundaryUnpack::TooManyItems)
        return 0;
    // The walk stops at an item it cannot read; the items before it decide.
    // A boundary of which nothing could be read is not inside anything.
    if (boundary.count() == 0)
        return 0;
    for (int i = 0; i < boundary.count(); ++i) {
        const HatchItem& it = boundary.items[static_cast<std::size_t>(i)];
        bool inside = true;
        switch (it.itemClass) {
        case HatchItemClass::Edge:
            inside = Inside(r, it.x, it.y);
            break;
        case HatchItemClass::ArcCcw:
        case HatchItemClass::ArcCw:
            inside = Inside(r, it.x, it.y) && CircleBoxInside(r, it.cx, it.cy, it.r1);
            break;
        case HatchItemClass::Circle:
            inside = CircleBoxInside(r, it.cx, it.cy, it.r1);
            break;
        case HatchItemClass::Ellipse:
            inside = SampledEllipseBox(it.cx, it.cy, it.r1, it.r2, it.rotation).InsideOf(r);
            break;
        case HatchItemClass::EllipticArc:
            inside = ArcBoundsInside(r, {{it.cx, it.cy, it.r1, it.r2, it.rotation}, it.start, it.end});
            break;
        default:
            break;
        }
        if (!inside)
            return 0;
    }
    return 1;
}

int CDrawTool::IsEllipseInRect(const WorldRect& r, const CEntity* e)
{
    double cx = 0, cy = 0, r1 = 0, r2 = 0, rotation = 0;
    if (!e || !ByCode(*e, 10, cx) || !ByCode(*e, 20, cy) || !ByCode(*e, 60, r1) || !ByCode(*e, 61, r2) ||
        !ByCode(*e, 62, rotation))
        return 0;
    if (e->type == EntityType::EllipticArc) {
        double start = 0, end = 0;
        if (!ByCode(*e, 50, start) || !ByCode(*e, 51, end))
            return 0;
        return ArcBoundsInside(r, {{cx, cy, r1, r2, rotation}, start, end}) ? 1 : 0;
    }
    return SampledEllipseBox(cx, cy, r1, r2, rotation).InsideOf(r) ? 1 : 0;
}
