#include "model/SegmentCrossing.h"
#include "model/EntityKinds.h"

#include "model/Entity.h"
#include "model/GeometryCircles.h"
#include "model/GeometryEllipses.h"
#include "model/GeometryLines.h"
#include "model/SplineSamples.h"
#include "model/Utilities.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace {



// Consecutive points of a point list (x, y pairs) as edges; identical
// neighbours are passed over.
bool PointListCrossed(const CEntity& e, const CrossingSegment& s)
{
    const std::size_t n = ValueCount(e) / 2;
    const auto& v = e.values;
    for (std::size_t i = 1; i < n; ++i) {
        const double ax = v[2 * i - 2], ay = v[2 * i - 1], bx = v[2 * i], by = v[2 * i + 1];
        if (ax == bx && ay == by)
            continue;
        if (s.CrossesEdge(ax, ay, bx, by))
            return true;
    }
    return false;
}

// Points of the circle on the line of S that lie on S; for an arc only
// those on the arc (direction as IsPointOnArc takes it) count.
bool CircleHit(const CrossingSegment& s, double cx, double cy, double r, bool arc, double sx, double sy, double ex,
               double ey, int direction)
{
    const PointSet<2> hits = IntersectLineCircle(s.a, s.b, s.c, cx, cy, r);
    if (hits.status != 0)
        return false;
    for (int i = 0; i < hits.count; ++i) {
        const double px = hits.x[static_cast<std::size_t>(i)], py = hits.y[static_cast<std::size_t>(i)];
        if (arc && IsPointOnArc(sx, sy, cx, cy, r, direction, px, py, ex, ey) != 0)
            continue;
        if (s.HasPoint(px, py))
            return true;
    }
    return false;
}

// One item of a boundary as the crossing test reads it.
struct BoundaryPiece {
    int16_t kind = 10;  // 10 edge, 0 / 1 arc, 50 circle
    double x = 0, y = 0;  // where it starts (a circle: its centre)
    double cx = 0, cy = 0, r = 0;
};

bool BoundaryCrossed(const CEntity& e, std::size_t first, std::size_t items, const CrossingSegment& s)
{
    const std::size_t nv = std::min(ValueCount(e), e.codes.size());
    const auto& v = e.values;
    std::vector<BoundaryPiece> pieces;
    std::size_t i = first;
    for (std::size_t k = 0; k < items && i < nv; ++k) {
        BoundaryPiece p;
        p.kind = e.codes[i];
        std::size_t len = 0;
        switch (p.kind) {
        case 10:
            len = 2;
            break;
        case 0:
        case 1:
            len = 5;
            break;
        case 50:
            len = 3;
            break;
        default:
            break;
        }
        if (len == 0 || i + len > nv)
            break;
        if (len == 2) {
            p.x = v[i];
            p.y = v[i + 1];
        } else {
            p.cx = v[i];
            p.cy = v[i + 1];
            p.r = v[i + 2];
            p.x = len == 5 ? v[i + 3] : p.cx;
            p.y = len == 5 ? v[i + 4] : p.cy;
        }
        pieces.push_back(p);
        i += len;
    }
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        const BoundaryPiece& p = pieces[k];
        const BoundaryPiece& next = pieces[k + 1 < pieces.size() ? k + 1 : 0];
        switch (p.kind) {
        case 10:
            if (!(p.x == next.x && p.y == next.y) && s.CrossesEdge(p.x, p.y, next.x, next.y))
                return true;
            break;
        case 0:
        case 1:
            // Item 0 runs counter-clockwise; IsPointOnArc takes +1 for clockwise.
            if (CircleHit(s, p.cx, p.cy, p.r, true, p.x, p.y, next.x, next.y, p.kind == 0 ? -1 : 1))
                return true;
            break;
        case 50:
            if (CircleHit(s, p.cx, p.cy, p.r, false, 0, 0, 0, 0, 0))
                return true;
            break;
        default:
            break;
        }
    }
    return false;
}

} // namespace

CrossingSegment::CrossingSegment(double x1_, double y1_, double x2_, double y2_)
    : x1(x1_), y1(y1_), x2(x2_), y2(y2_)
{
    const LineResult l = LineFromPoints(x1, y1, x2, y2);
    a = l.a;
    b = l.b;
    c = l.c;
}

bool CrossingSegment::HasPoint(double px, double py) const
{
    return IsPointOnSegment(px, py, x1, y1, x2, y2) == 0;
}

bool CrossingSegment::CrossesEdge(double ax, double ay, double bx, double by) const
{
    if (ax == bx && ay == by)
        return false;
    const LineResult edge = LineFromPoints(ax, ay, bx, by);
    const PointResult p = IntersectLines(a, b, c, edge.a, edge.b, edge.c);
    if (p.status != 0)
        return false;
    return IsPointOnSegment(p.x, p.y, ax, ay, bx, by) == 0 && HasPoint(p.x, p.y);
}

int SplineCrossesSegment(const CEntity& e, const CrossingSegment& s)
{
    const std::size_t n = ValueCount(e) / 2;
    if (n < 2)
        return 0;
    const std::vector<GeoPoint> chain = SplineSamplePoints(e.values.data(), n);
    for (std::size_t i = 1; i < chain.size(); ++i) {
        const GeoPoint a = chain[i - 1], b = chain[i];
        if (!(a.x == b.x && a.y == b.y) && s.CrossesEdge(a.x, a.y, b.x, b.y))
            return 1;
    }
    return 0;
}

int CircleCrossesSegment(const CEntity& e, const CrossingSegment& s)
{
    double cx = 0, cy = 0, r = 0;
    if (!ByCode(e, 10, cx) || !ByCode(e, 20, cy) || !ByCode(e, 40, r))
        return 0;
    if (e.type != 31)
        return CircleHit(s, cx, cy, r, false, 0, 0, 0, 0, 0) ? 1 : 0;
    double start = 0, end = 0;
    if (!ByCode(e, 50, start) || !ByCode(e, 51, end))
        return 0;
    const PointSet<2> ends = ArcEndPoints(cx, cy, r, start, end);
    // The subtype +1 runs counter-clockwise; IsPointOnArc takes +1 for clockwise.
    const int direction = e.subtype == -1 ? 1 : -1;
    return CircleHit(s, cx, cy, r, true, ends.x[0], ends.y[0], ends.x[1], ends.y[1], direction) ? 1 : 0;
}

int EllipseCrossesSegment(const CEntity& e, const CrossingSegment& s)
{
    GeoEllipse g;
    if (!ByCode(e, 10, g.cx) || !ByCode(e, 20, g.cy) || !ByCode(e, 60, g.r1) || !ByCode(e, 61, g.r2) ||
        !ByCode(e, 62, g.rotation))
        return 0;
    PointSet<2> hits;
    if (e.type == 33) {
        GeoEllipticArc arc{g, 0.0, 0.0};
        if (!ByCode(e, 50, arc.start) || !ByCode(e, 51, arc.end))
            return 0;
        hits = IntersectLineEllipticArc(arc, s.a, s.b, s.c);
    } else {
        hits = IntersectLineEllipse(g, s.a, s.b, s.c);
    }
    for (int i = 0; i < hits.count; ++i)
        if (s.HasPoint(hits.x[static_cast<std::size_t>(i)], hits.y[static_cast<std::size_t>(i)]))
            return 1;
    return 0;
}

int FillCrossesSegment(const CEntity& e, const CrossingSegment& s)
{
    if (e.subtype <= 0)
        return 0;
    return BoundaryCrossed(e, 2, static_cast<std::size_t>(e.subtype), s) ? 1 : 0;
}

int HatchCrossesSegment(const CEntity& e, const CrossingSegment& s)
{
    if (e.codes.empty() || e.codes[0] <= 0)
        return 0;
    return BoundaryCrossed(e, 7, static_cast<std::size_t>(e.codes[0]), s) ? 1 : 0;
}

bool TextCrossingBox(const CEntity& e, double& x1, double& y1, double& x2, double& y2)
{
    if (ValueCount(e) < 4)
        return false;
    const int n = CountMbcsChars(e.text);
    if (n == 0)
        return false;
    x1 = e.values[0];
    y1 = e.values[1];
    x2 = x1 + n * e.values[3] / 2;
    y2 = y1 + e.values[2];
    return true;
}

int EntityCrossesSegment(const CEntity& e, const CrossingSegment& s)
{
    const auto& v = e.values;
    const std::size_t n = ValueCount(e);
    switch (e.type) {
    case EntityType::Point:
        return n >= 2 && s.HasPoint(v[0], v[1]) ? 1 : 0;
    case EntityType::Line:
    case EntityType::HorizontalInfiniteLine:
    case EntityType::VerticalInfiniteLine:
    case EntityType::InfiniteLine:
        return n >= 4 && s.CrossesEdge(v[0], v[1], v[2], v[3]) ? 1 : 0;
    case EntityType::Curve:
        return SplineCrossesSegment(e, s);
    case EntityType::FreehandCurve:
    case EntityType::CurveVariant27:
    case EntityType::Polygon:
        return PointListCrossed(e, s) ? 1 : 0;
    case EntityType::Circle:
    case EntityType::Arc:
        return CircleCrossesSegment(e, s);
    case EntityType::Ellipse:
    case EntityType::EllipticArc:
        return EllipseCrossesSegment(e, s);
    case EntityType::Text:
    case EntityType::LeaderText: {
        if (e.type == EntityType::LeaderText) {
            // The leader's points stand at 5-6 and 7-8, and at 9-10 when
            // the record holds a third.
            if (n >= 9 && s.CrossesEdge(v[5], v[6], v[7], v[8]))
                return 1;
            if (n >= 11 && (e.subtype / 10) % 10 != 0 && s.CrossesEdge(v[7], v[8], v[9], v[10]))
                return 1;
        }
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        if (!TextCrossingBox(e, x1, y1, x2, y2))
            return 0;
        return s.CrossesEdge(x1, y1, x2, y1) || s.CrossesEdge(x2, y1, x2, y2) || s.CrossesEdge(x2, y2, x1, y2) ||
                       s.CrossesEdge(x1, y2, x1, y1)
                   ? 1
                   : 0;
    }
    case EntityType::Fill:
        return FillCrossesSegment(e, s);
    case EntityType::Hatch:
        return HatchCrossesSegment(e, s);
    case EntityType::Image:
        if (n < 4)
            return 0;
        return s.CrossesEdge(v[0], v[1], v[2], v[1]) || s.CrossesEdge(v[2], v[1], v[2], v[3]) ||
                       s.CrossesEdge(v[2], v[3], v[0], v[3]) || s.CrossesEdge(v[0], v[3], v[0], v[1])
                   ? 1
                   : 0;
    default:
        return 0;
    }
}
