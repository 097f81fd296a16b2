// The tool base's connection services: where two consecutive boundary
// pieces (lines, arcs, elliptic arcs) meet, and which segment of a polyline
// lies nearest a point.

#include "view/DrawTool.h"
#include "model/EntityKinds.h"

#include "model/GeometryCircles.h"
#include "model/GeometryEllipses.h"
#include "model/GeometryLines.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <tuple>
#include <utility>

namespace {

enum class PieceKind { Line, Arc, EllipticArc, Other };

// A boundary piece as the connection search sees it.
struct Piece {
    PieceKind kind = PieceKind::Other;
    bool valid = false;  // the record holds every value the kind needs
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // end points (a line's stored points)
    double cx = 0, cy = 0, r = 0;           // an arc's circle
    int direction = 1;                      // an arc's subtype
};



Piece ReadPiece(const CEntity& e)
{
    Piece p;
    switch (e.type) {
    case EntityType::Line:
    case EntityType::HorizontalInfiniteLine:
    case EntityType::VerticalInfiniteLine:
    case EntityType::InfiniteLine:
        p.kind = PieceKind::Line;
        if (ValueCount(e) >= 4) {
            p.x1 = e.values[0];
            p.y1 = e.values[1];
            p.x2 = e.values[2];
            p.y2 = e.values[3];
            p.valid = true;
        }
        break;
    case EntityType::Arc: {
        p.kind = PieceKind::Arc;
        double start = 0, end = 0;
        if (ByCode(e, 10, p.cx) && ByCode(e, 20, p.cy) && ByCode(e, 40, p.r) && ByCode(e, 50, start) &&
            ByCode(e, 51, end)) {
            const PointSet<2> ends = ArcEndPoints(p.cx, p.cy, p.r, start, end);
            p.x1 = ends.x[0];
            p.y1 = ends.y[0];
            p.x2 = ends.x[1];
            p.y2 = ends.y[1];
            p.direction = e.subtype < 0 ? -1 : 1;
            p.valid = true;
        }
        break;
    }
    case EntityType::EllipticArc: {
        p.kind = PieceKind::EllipticArc;
        GeoEllipse el;
        double start = 0, end = 0;
        if (ByCode(e, 10, el.cx) && ByCode(e, 20, el.cy) && ByCode(e, 60, el.r1) && ByCode(e, 61, el.r2) &&
            ByCode(e, 62, el.rotation) && ByCode(e, 50, start) && ByCode(e, 51, end)) {
            const PointSet<2> ends = EllipticArcEndPoints(el, start, end);
            p.x1 = ends.x[0];
            p.y1 = ends.y[0];
            p.x2 = ends.x[1];
            p.y2 = ends.y[1];
            p.valid = true;
        }
        break;
    }
    default:
        break;
    }
    return p;
}

bool OnSegment(const Piece& line, double x, double y)
{
    return IsPointOnSegment(x, y, line.x1, line.y1, line.x2, line.y2) == 0;
}

bool OnArc(const Piece& arc, double x, double y)
{
    // The arc runs from its start in its direction; seen from its end it
    // runs back the other way, which is how the test takes it.
    return IsPointOnArc(arc.x2, arc.y2, arc.cx, arc.cy, arc.r, arc.direction, x, y, arc.x1, arc.y1) == 0;
}

// The length along a circle about (cx, cy) from P to Q turning with sign m;
// 0 when P and Q coincide or lie at different distances from the centre.
double ArcMeasure(double px, double py, double qx, double qy, double cx, double cy, int m)
{
    if (std::abs(px - qx) <= 0.5 && std::abs(py - qy) <= 0.5)
        return 0.0;
    const double dp = std::hypot(px - cx, py - cy);
    const double dq = std::hypot(qx - cx, qy - cy);
    if (std::abs(dp - dq) > 0.5)
        return 0.0;
    double angle = (std::atan2(qy - cy, qx - cx) - std::atan2(py - cy, px - cx)) * m;
    if (angle < 0.0)
        angle += 2.0 * std::numbers::pi;
    return angle * dp;
}

// Of two candidates lying on both pieces, the one the reference point
// (rx, ry) belongs to.
int ChooseByMeasures(const Piece& a, const Piece& b, const PointSet<2>& c, double rx, double ry)
{
    double m1 = 0.0, m2 = 0.0;
    if (a.kind == PieceKind::Arc) {
        const int d = a.direction;
        m1 = ArcMeasure(c.x[0], c.y[0], rx, ry, a.cx, a.cy, d);
        m2 = ArcMeasure(c.x[1], c.y[1], rx, ry, a.cx, a.cy, -d);
    } else {
        // A line followed by an arc: which end of the arc the first
        // candidate lies nearer decides the turning senses.
        const int d = b.direction;
        const double s = ArcMeasure(b.x1, b.y1, c.x[0], c.y[0], b.cx, b.cy, d);
        const double e = ArcMeasure(b.x2, b.y2, c.x[0], c.y[0], b.cx, b.cy, -d);
        const int sense = s > e ? -d : d;
        m1 = ArcMeasure(c.x[0], c.y[0], rx, ry, b.cx, b.cy, sense);
        m2 = ArcMeasure(c.x[1], c.y[1], rx, ry, b.cx, b.cy, -sense);
    }
    return m2 > m1 ? 0 : 1;
}

void Take(const PointSet<2>& c, int i, double& x, double& y)
{
    x = c.x[static_cast<std::size_t>(i)];
    y = c.y[static_cast<std::size_t>(i)];
}

// Two pieces of one straight side, b going on where a ends: they share an
// end point and leave it in opposite directions (a side split in two).
int ConnectEndToEnd(const Piece& a, const Piece& b, double& x, double& y)
{
    const double ax[2] = {a.x1, a.x2}, ay[2] = {a.y1, a.y2};
    const double bx[2] = {b.x1, b.x2}, by[2] = {b.y1, b.y2};
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) {
            if (std::abs(ax[i] - bx[j]) >= 0.005 || std::abs(ay[i] - by[j]) >= 0.005)
                continue;
            const double ux = ax[1 - i] - ax[i], uy = ay[1 - i] - ay[i];
            const double vx = bx[1 - j] - bx[j], vy = by[1 - j] - by[j];
            if (ux * vx + uy * vy >= 0.0)
                return 0;  // b runs back over a
            x = bx[j];
            y = by[j];
            return 1;
        }
    return 0;
}

int ConnectLines(const Piece& a, const Piece& b, double& x, double& y)
{
    const LineResult la = LineFromPoints(a.x1, a.y1, a.x2, a.y2);
    const LineResult lb = LineFromPoints(b.x1, b.y1, b.x2, b.y2);
    if (la.status != 0 || lb.status != 0)
        return 0;
    const PointResult p = IntersectLines(la.a, la.b, la.c, lb.a, lb.b, lb.c);
    if (p.status != 0)
        return ConnectEndToEnd(a, b, x, y);  // parallel or nearly so
    if (!OnSegment(a, p.x, p.y) || !OnSegment(b, p.x, p.y))
        return 0;
    x = p.x;
    y = p.y;
    return 1;
}

int ConnectLineArc(const Piece& a, const Piece& b, double& x, double& y)
{
    const Piece& line = a.kind == PieceKind::Line ? a : b;
    const Piece& arc = a.kind == PieceKind::Line ? b : a;
    const LineResult l = LineFromPoints(line.x1, line.y1, line.x2, line.y2);
    if (l.status != 0)
        return 0;
    const PointSet<2> c = IntersectLineCircle(l.a, l.b, l.c, arc.cx, arc.cy, arc.r);
    if (c.status != 0 || c.count == 0)
        return 0;
    bool onSeg[2] = {false, false}, onArc[2] = {false, false};
    int nSeg = 0, nArc = 0;
    for (int i = 0; i < c.count && i < 2; ++i) {
        onSeg[i] = OnSegment(line, c.x[static_cast<std::size_t>(i)], c.y[static_cast<std::size_t>(i)]);
        onArc[i] = OnArc(arc, c.x[static_cast<std::size_t>(i)], c.y[static_cast<std::size_t>(i)]);
        nSeg += onSeg[i];
        nArc += onArc[i];
    }
    if (nSeg == 0)
        return 0;
    if (nArc == 1) {
        Take(c, onArc[0] ? 0 : 1, x, y);
        return 1;
    }
    if (nSeg == 1) {
        Take(c, onSeg[0] ? 0 : 1, x, y);
        return 1;
    }
    if (nArc == 0)
        return 0;  // both on the segment, neither on the arc: they do not meet
    Take(c, ChooseByMeasures(a, b, c, x, y), x, y);
    return 1;
}

// Two arcs of one circle have no crossing to meet at; they meet where an
// end of one lies on an end of the other (within 0.5, as crossings do).
int ConnectArcsOfOneCircle(const Piece& a, const Piece& b, double& x, double& y)
{
    const double ax[2] = {a.x1, a.x2}, ay[2] = {a.y1, a.y2};
    const double bx[2] = {b.x1, b.x2}, by[2] = {b.y1, b.y2};
    PointSet<2> c;
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            if (c.count < 2 && std::abs(ax[i] - bx[j]) <= 0.5 && std::abs(ay[i] - by[j]) <= 0.5) {
                c.x[static_cast<std::size_t>(c.count)] = ax[i];
                c.y[static_cast<std::size_t>(c.count)] = ay[i];
                ++c.count;
            }
    if (c.count == 0)
        return 0;
    if (c.count == 1) {
        Take(c, 0, x, y);
        return 1;
    }
    // Two halves of a circle meet at both ends, and a region of the two goes
    // out of the first at one end and back into it at the other, wherever
    // the halves were picked: the end where the first runs into the second;
    // for halves that run against each other, the end of the first or its
    // start, by which of the two comes first in a fixed order.
    const auto near = [](double px, double py, double qx, double qy) {
        return std::abs(px - qx) <= 0.5 && std::abs(py - qy) <= 0.5;
    };
    const auto at = [&c](int i) { return std::pair{c.x[static_cast<std::size_t>(i)], c.y[static_cast<std::size_t>(i)]}; };
    int chosen = -1;
    for (int i = 0; i < 2 && chosen < 0; ++i)
        if (near(at(i).first, at(i).second, a.x2, a.y2) && near(at(i).first, at(i).second, b.x1, b.y1))
            chosen = i;
    if (chosen < 0) {
        const bool aFirst =
            std::tie(a.x1, a.y1, a.x2, a.y2, a.direction) < std::tie(b.x1, b.y1, b.x2, b.y2, b.direction);
        const double ex = aFirst ? a.x2 : a.x1, ey = aFirst ? a.y2 : a.y1;
        chosen = near(at(0).first, at(0).second, ex, ey) ? 0 : 1;
    }
    Take(c, chosen, x, y);
    return 1;
}

int ConnectArcs(const Piece& a, const Piece& b, double& x, double& y)
{
    const PointSet<2> c = IntersectCircles(a.cx, a.cy, a.r, b.cx, b.cy, b.r);
    if (c.count == 0) {
        const bool oneCircle =
            std::abs(a.cx - b.cx) <= 0.5 && std::abs(a.cy - b.cy) <= 0.5 && std::abs(a.r - b.r) <= 0.5;
        return oneCircle ? ConnectArcsOfOneCircle(a, b, x, y) : 0;
    }
    bool onA[2] = {false, false}, onB[2] = {false, false};
    int nA = 0, nB = 0;
    for (int i = 0; i < c.count && i < 2; ++i) {
        onA[i] = OnArc(a, c.x[static_cast<std::size_t>(i)], c.y[static_cast<std::size_t>(i)]);
        onB[i] = OnArc(b, c.x[static_cast<std::size_t>(i)], c.y[static_cast<std::size_t>(i)]);
        nA += onA[i];
        nB += onB[i];
    }
    if (nA == 0 || nB == 0)
        return 0;
    if (nA == 1) {
        Take(c, onA[0] ? 0 : 1, x, y);
        return 1;
    }
    if (nB == 1) {
        Take(c, onB[0] ? 0 : 1, x, y);
        return 1;
    }
    Take(c, ChooseByMeasures(a, b, c, x, y), x, y);
    return 1;
}

int ConnectAtEnds(const Piece& a, const Piece& b, double& x, double& y)
{
    const double ax[2] = {a.x1, a.x2}, ay[2] = {a.y1, a.y2};
    const double bx[2] = {b.x1, b.x2}, by[2] = {b.y1, b.y2};
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            if (std::abs(ax[i] - bx[j]) < 0.005 && std::abs(ay[i] - by[j]) < 0.005) {
                x = bx[j];
                y = by[j];
                return 1;
            }
    return 0;
}

} // namespace

int CDrawTool::FindConnectPoint(const CEntity* a, const CEntity* b, double& x, double& y)
{
    if (!a || !b)
        return 0;
    const Piece pa = ReadPiece(*a);
    const Piece pb = ReadPiece(*b);
    // A first piece of another kind, or a second piece that is no boundary
    // piece, says nothing against meeting: the point stays as it came.
    if (pa.kind == PieceKind::Other || pb.kind == PieceKind::Other)
        return 1;
    if (!pa.valid || !pb.valid)
        return 0;
    if (pa.kind == PieceKind::EllipticArc || pb.kind == PieceKind::EllipticArc)
        return ConnectAtEnds(pa, pb, x, y);
    if (pa.kind == PieceKind::Line && pb.kind == PieceKind::Line)
        return ConnectLines(pa, pb, x, y);
    if (pa.kind == PieceKind::Arc && pb.kind == PieceKind::Arc)
        return ConnectArcs(pa, pb, x, y);
    return ConnectLineArc(pa, pb, x, y);
}

int CDrawTool::FindNearestSegment(const CEntity* entity, double x, double y, double& x1, double& y1, double& x2,
                                  double& y2)
{
    x1 = y1 = x2 = y2 = 0.0;
    if (!entity)
        return 0;
    const std::size_t points = ValueCount(*entity) / 2;
    const auto& v = entity->values;
    double best = 99999.9;
    int found = 0;
    for (std::size_t i = 0; i + 1 < points; ++i) {
        const double px = v[2 * i], py = v[2 * i + 1], qx = v[2 * i + 2], qy = v[2 * i + 3];
        const LineResult l = LineFromPoints(px, py, qx, qy);
        const double n = l.a * l.a + l.b * l.b;
        if (l.status != 0 || n < 1e-4)
            continue;
        const double fx = (l.b * l.b * x - l.a * l.b * y - l.a * l.c) / n;
        const double fy = (l.a * l.a * y - l.a * l.b * x - l.b * l.c) / n;
        if (IsPointOnSegment(fx, fy, px, py, qx, qy) != 0)
            continue;
        const double d = (fx == x && fy == y) ? 0.0 : std::hypot(x - fx, y - fy);
        if (d < best) {
            best = d;
            x1 = px;
            y1 = py;
            x2 = qx;
            y2 = qy;
            found = 1;
        }
    }
    return found;
}
