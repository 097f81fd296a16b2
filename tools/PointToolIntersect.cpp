// CPointTool: the crossings of two entities for the intersection sub-mode.
// Lines (20 to 23), control-point curves (24), freehand curves (26),
// circles and arcs (30, 31), ellipses and elliptic arcs (32, 33).

#include "tools/PointTool.h"

#include "tools/PointToolShapes.h"

#include <algorithm>
#include <cstddef>

using namespace pointtool;

namespace {

enum class Kind { None, Line, Curve, Freehand, Circle, Ellipse };

Kind KindOf(const CEntity& e)
{
    if (IsLineType(e.type))
        return Kind::Line;
    if (e.type == EntityType::Curve)
        return Kind::Curve;
    if (e.type == EntityType::FreehandCurve)
        return Kind::Freehand;
    if (IsCircleType(e.type))
        return Kind::Circle;
    if (IsEllipseType(e.type))
        return Kind::Ellipse;
    return Kind::None;
}

// The stored points of a curve as a polyline.
std::vector<GeoPoint> StoredPoints(const CEntity& e)
{
    std::size_t n = e.values.size();
    if (!e.codes.empty() && e.count >= 0)
        n = std::min(n, static_cast<std::size_t>(e.count));
    std::vector<GeoPoint> out;
    for (std::size_t i = 0; i + 1 < n; i += 2)
        out.push_back({e.values[i], e.values[i + 1]});
    return out;
}

// The points gathered for one pair, never more than the tool adds.
struct Found {
    std::vector<GeoPoint>& out;
    void Add(double x, double y)
    {
        if (out.size() < static_cast<std::size_t>(CPointTool::MaxIntersections))
            out.push_back({x, y});
    }
};

bool SegmentLine(const GeoPoint& a, const GeoPoint& b, LineResult& l)
{
    l = LineFromPoints(a.x, a.y, b.x, b.y);
    return l.status == 0;
}

bool OnSeg(double x, double y, const GeoPoint& a, const GeoPoint& b)
{
    return IsPointOnSegment(x, y, a.x, a.y, b.x, b.y) == 0;
}

void LineLine(const LineShape& p, const LineShape& q, Found& f)
{
    const LineResult a = LineFromPoints(p.x1, p.y1, p.x2, p.y2);
    const LineResult b = LineFromPoints(q.x1, q.y1, q.x2, q.y2);
    if (a.status != 0 || b.status != 0)
        return;
    const PointResult r = IntersectLines(a.a, a.b, a.c, b.a, b.b, b.c);
    if (r.status == 0)
        f.Add(r.x, r.y);
}

void LineCircle(const LineShape& l, const CircleShape& c, Found& f)
{
    const LineResult a = LineFromPoints(l.x1, l.y1, l.x2, l.y2);
    if (a.status != 0)
        return;
    const PointSet<2> s = IntersectLineCircle(a.a, a.b, a.c, c.cx, c.cy, c.r);
    std::vector<GeoPoint> cand;
    for (int i = 0; i < s.count; ++i)
        if (c.Holds(s.x[i], s.y[i]))
            cand.push_back({s.x[i], s.y[i]});
    if (!(c.arc && cand.size() == 1) && l.segment)
        std::erase_if(cand, [&](const GeoPoint& p) { return !l.OnSegment(p.x, p.y); });
    for (const GeoPoint& p : cand)
        f.Add(p.x, p.y);
}

void LineEllipse(const LineShape& l, const EllipseShape& e, Found& f)
{
    const LineResult a = LineFromPoints(l.x1, l.y1, l.x2, l.y2);
    if (a.status != 0)
        return;
    const PointSet<2> s = IntersectLineEllipse(e.e, a.a, a.b, a.c);
    for (int i = 0; i < s.count; ++i)
        if (e.Holds(s.x[i], s.y[i]) && (!l.segment || l.OnSegment(s.x[i], s.y[i])))
            f.Add(s.x[i], s.y[i]);
}

void LineCurve(const LineShape& l, const CEntity& curve, Found& f)
{
    const LineResult a = LineFromPoints(l.x1, l.y1, l.x2, l.y2);
    if (a.status != 0)
        return;
    const std::vector<GeoPoint> pts = CPointTool::CurveChordPoints(curve, true);
    for (std::size_t i = 1; i < pts.size(); ++i) {
        LineResult b;
        if (!SegmentLine(pts[i - 1], pts[i], b))
            continue;
        const PointResult r = IntersectLines(a.a, a.b, a.c, b.a, b.b, b.c);
        if (r.status == 0 && OnSeg(r.x, r.y, pts[i - 1], pts[i]))
            f.Add(r.x, r.y);
    }
}

void LineFreehand(const LineShape& l, const CEntity& curve, Found& f)
{
    const LineResult a = LineFromPoints(l.x1, l.y1, l.x2, l.y2);
    if (a.status != 0)
        return;
    const std::vector<GeoPoint> pts = StoredPoints(curve);
    for (std::size_t i = 1; i < pts.size(); ++i) {
        LineResult b;
        if (!SegmentLine(pts[i - 1], pts[i], b))
            continue;
        const PointResult r = IntersectLines(a.a, a.b, a.c, b.a, b.b, b.c);
        if (r.status == 0 && OnSeg(r.x, r.y, pts[i - 1], pts[i]) && l.OnSegment(r.x, r.y))
            f.Add(r.x, r.y);
    }
}

void CircleCircle(const CircleShape& first, const CircleShape& second, Found& f)
{
    const PointSet<2> s = IntersectCircles(first.cx, first.cy, first.r, second.cx, second.cy, second.r);
    std::vector<GeoPoint> cand;
    for (int i = 0; i < s.count; ++i)
        if (first.Holds(s.x[i], s.y[i]))
            cand.push_back({s.x[i], s.y[i]});
    if (!(first.arc && cand.size() == 1))
        std::erase_if(cand, [&](const GeoPoint& p) { return !second.Holds(p.x, p.y); });
    for (const GeoPoint& p : cand)
        f.Add(p.x, p.y);
}

void CircleEllipse(const CircleShape& c, const EllipseShape& e, Found& f)
{
    const PointSet<2> s = IntersectCircleEllipse(e.e, c.cx, c.cy, c.r);
    for (int i = 0; i < s.count; ++i)
        if (c.Holds(s.x[i], s.y[i]) && e.Holds(s.x[i], s.y[i]))
            f.Add(s.x[i], s.y[i]);
}

void EllipseEllipse(const EllipseShape& a, const EllipseShape& b, Found& f)
{
    const PointSet<8> s = IntersectEllipses(a.e, b.e);
    for (int i = 0; i < s.count; ++i)
        if (a.Holds(s.x[i], s.y[i]) && b.Holds(s.x[i], s.y[i]))
            f.Add(s.x[i], s.y[i]);
}

void CircleCurve(const CircleShape& c, const CEntity& curve, Found& f)
{
    const std::vector<GeoPoint> pts = CPointTool::CurveChordPoints(curve, false);
    for (std::size_t i = 1; i < pts.size(); ++i) {
        LineResult b;
        if (!SegmentLine(pts[i - 1], pts[i], b))
            continue;
        const PointSet<2> s = IntersectLineCircle(b.a, b.b, b.c, c.cx, c.cy, c.r);
        std::vector<GeoPoint> cand;
        for (int k = 0; k < s.count; ++k)
            if (OnSeg(s.x[k], s.y[k], pts[i - 1], pts[i]))
                cand.push_back({s.x[k], s.y[k]});
        if (cand.size() != 1)
            std::erase_if(cand, [&](const GeoPoint& p) { return !c.Holds(p.x, p.y); });
        for (const GeoPoint& p : cand)
            f.Add(p.x, p.y);
    }
}

void CircleFreehand(const CircleShape& c, const CEntity& curve, Found& f)
{
    const std::vector<GeoPoint> pts = StoredPoints(curve);
    for (std::size_t i = 1; i < pts.size(); ++i) {
        LineResult b;
        if (!SegmentLine(pts[i - 1], pts[i], b))
            continue;
        const PointSet<2> s = IntersectLineCircle(b.a, b.b, b.c, c.cx, c.cy, c.r);
        for (int k = 0; k < s.count; ++k)
            if (OnSeg(s.x[k], s.y[k], pts[i - 1], pts[i]) && c.Holds(s.x[k], s.y[k]))
                f.Add(s.x[k], s.y[k]);
    }
}

} // namespace

std::vector<GeoPoint> CPointTool::CurveChordPoints(const CEntity& curve, bool closing)
{
    const std::vector<GeoPoint> p = StoredPoints(curve);
    std::vector<GeoPoint> out;
    const std::size_t n = p.size();
    if (n == 0)
        return out;
    // p0, p0, p1, ..., pn-1, pn-1
    std::vector<GeoPoint> q;
    q.reserve(n + 2);
    q.push_back(p[0]);
    q.insert(q.end(), p.begin(), p.end());
    q.push_back(p[n - 1]);
    out.push_back(p[0]);
    for (std::size_t k = 1; k < n; ++k) {
        const GeoPoint& a = q[k - 1];
        const GeoPoint& b = q[k];
        const GeoPoint& c = q[k + 1];
        const GeoPoint& d = q[k + 2];
        const double a3x = (3.0 * (b.x - c.x) - a.x + d.x) / 6.0, a3y = (3.0 * (b.y - c.y) - a.y + d.y) / 6.0;
        const double a2x = (a.x - 2.0 * b.x + c.x) / 2.0, a2y = (a.y - 2.0 * b.y + c.y) / 2.0;
        const double a1x = (c.x - a.x) / 2.0, a1y = (c.y - a.y) / 2.0;
        const double a0x = (a.x + 4.0 * b.x + c.x) / 6.0, a0y = (a.y + 4.0 * b.y + c.y) / 6.0;
        for (std::size_t j = 0; j <= n + 1; ++j) {
            const double t = static_cast<double>(j) / static_cast<double>(n + 1);
            out.push_back({((a3x * t + a2x) * t + a1x) * t + a0x, ((a3y * t + a2y) * t + a1y) * t + a0y});
        }
    }
    if (closing)
        out.push_back(p[n - 1]);
    return out;
}

bool CPointTool::IntersectEntities(const CEntity& first, const CEntity& second, std::vector<GeoPoint>& points)
{
    points.clear();
    Found f{points};
    const Kind k1 = KindOf(first), k2 = KindOf(second);
    // The pairs that do not depend on the order take the line, then the
    // circle, first.
    const bool swap = (k2 == Kind::Line && k1 != Kind::Line) ||
                      (k2 == Kind::Circle && k1 != Kind::Line && k1 != Kind::Circle);
    const CEntity& a = swap ? second : first;
    const CEntity& b = swap ? first : second;
    const Kind ka = swap ? k2 : k1, kb = swap ? k1 : k2;

    LineShape la, lb;
    CircleShape ca, cb;
    EllipseShape eb;
    if (ka == Kind::Line) {
        if (!la.Read(a))
            return true;
        switch (kb) {
        case Kind::Line:
            if (lb.Read(b))
                LineLine(la, lb, f);
            return true;
        case Kind::Circle:
            if (cb.Read(b))
                LineCircle(la, cb, f);
            return true;
        case Kind::Ellipse:
            if (eb.Read(b))
                LineEllipse(la, eb, f);
            return true;
        case Kind::Curve:
            LineCurve(la, b, f);
            return true;
        case Kind::Freehand:
            LineFreehand(la, b, f);
            return true;
        default:
            return false;
        }
    }
    if (ka == Kind::Circle) {
        if (!ca.Read(a))
            return kb != Kind::None;
        switch (kb) {
        case Kind::Circle:
            if (cb.Read(b))
                CircleCircle(ca, cb, f);
            return true;
        case Kind::Ellipse:
            if (eb.Read(b))
                CircleEllipse(ca, eb, f);
            return true;
        case Kind::Curve:
            CircleCurve(ca, b, f);
            return true;
        case Kind::Freehand:
            CircleFreehand(ca, b, f);
            return true;
        default:
            return false;
        }
    }
    if (ka == Kind::Ellipse && kb == Kind::Ellipse) {
        EllipseShape ea;
        if (ea.Read(a) && eb.Read(b))
            EllipseEllipse(ea, eb, f);
        return true;
    }
    return false;
}
