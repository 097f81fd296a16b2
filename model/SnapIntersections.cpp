// Crossings of two entities, the snap points of kind 14: what registering an
// entity after another finds.

#include "model/Entity.h"
#include "model/Geometry.h"
#include "model/SnapPointList.h"

#include <vector>

namespace {

// Limits on the crossings one curve gathers against one other entity.
constexpr std::size_t FreehandCrossingLimit = 20;
constexpr std::size_t SplineCrossingLimit = 10;

bool IsLine(const CEntity& e)
{
    return e.type >= 20 && e.type <= 23;
}
bool IsCircle(const CEntity& e)
{
    return e.type == 30 || e.type == 31;
}

// The two stored points of a line (any of 20 to 23).
bool LinePoints(const CEntity& e, double& x1, double& y1, double& x2, double& y2)
{
    if (e.values.size() < 4)
        return false;
    x1 = e.values[0];
    y1 = e.values[1];
    x2 = e.values[2];
    y2 = e.values[3];
    return true;
}

struct CircleShape {
    double cx, cy, r;
    bool arc;
    int direction;
    double sx, sy, ex, ey;  // the arc's start and end points

    // Whether a point of the full circle lies on the arc too.
    bool Holds(double x, double y) const
    {
        // The arc passed from its end to its start, the subtype giving the
        // direction of that run.
        return !arc || IsPointOnArc(ex, ey, cx, cy, r, direction, x, y, sx, sy) == 0;
    }
};

bool CircleOf(const CEntity& e, CircleShape& c)
{
    const auto& v = e.values;
    if (v.size() < 3 || (e.type == 31 && v.size() < 5))
        return false;
    c.cx = v[0];
    c.cy = v[1];
    c.r = v[2];
    c.arc = e.type == 31;
    c.direction = e.subtype;
    c.sx = c.sy = c.ex = c.ey = 0.0;
    if (c.arc) {
        const PointSet<2> ends = ArcEndPoints(c.cx, c.cy, c.r, v[3], v[4]);
        c.sx = ends.x[0];
        c.sy = ends.y[0];
        c.ex = ends.x[1];
        c.ey = ends.y[1];
    }
    return true;
}

// The points of a freehand curve (26), as a polyline.
void FreehandPolyline(const CEntity& e, std::vector<double>& xs, std::vector<double>& ys)
{
    xs.clear();
    ys.clear();
    for (std::size_t i = 0; i + 1 < e.values.size(); i += 2) {
        xs.push_back(e.values[i]);
        ys.push_back(e.values[i + 1]);
    }
}

// A control-point curve (24) as the polyline the crossing tests follow: a
// uniform cubic B-spline over the control points with the first and last one
// doubled, each span sampled at n = c + 1 steps. Empty for fewer than two
// control points.
void SplinePolyline(const CEntity& e, std::vector<double>& xs, std::vector<double>& ys)
{
    xs.clear();
    ys.clear();
    const std::size_t c = e.values.size() / 2;
    if (c < 2)
        return;
    std::vector<double> px(c + 2), py(c + 2);
    px[0] = e.values[0];
    py[0] = e.values[1];
    for (std::size_t i = 0; i < c; ++i) {
        px[i + 1] = e.values[2 * i];
        py[i + 1] = e.values[2 * i + 1];
    }
    px[c + 1] = px[c];
    py[c + 1] = py[c];
    const std::size_t n = c + 1;
    xs.push_back(px[0]);
    ys.push_back(py[0]);
    for (std::size_t j = 0; j + 1 < c; ++j) {
        const double* X = &px[j];
        const double* Y = &py[j];
        const double ax = (-X[0] + 3 * X[1] - 3 * X[2] + X[3]) / 6, ay = (-Y[0] + 3 * Y[1] - 3 * Y[2] + Y[3]) / 6;
        const double bx = (X[0] - 2 * X[1] + X[2]) / 2, by = (Y[0] - 2 * Y[1] + Y[2]) / 2;
        const double cx = (X[2] - X[0]) / 2, cy = (Y[2] - Y[0]) / 2;
        const double dx = (X[0] + 4 * X[1] + X[2]) / 6, dy = (Y[0] + 4 * Y[1] + Y[2]) / 6;
        // Sample 0 of a later span repeats the end of the one before.
        for (std::size_t i = 1; i <= n; ++i) {
            const double t = static_cast<double>(i) / static_cast<double>(n);
            xs.push_back(((ax * t + bx) * t + cx) * t + dx);
            ys.push_back(((ay * t + by) * t + cy) * t + dy);
        }
    }
}

// Crossings of a line with the pieces of a polyline: on the piece and between
// the line's two stored points. Stops once `limit` are found.
void PolylineLineCrossings(const std::vector<double>& xs, const std::vector<double>& ys, double lx1, double ly1,
                           double lx2, double ly2, std::size_t limit, std::vector<double>& outX,
                           std::vector<double>& outY)
{
    const LineResult line = LineFromPoints(lx1, ly1, lx2, ly2);
    if (line.status != 0)
        return;
    for (std::size_t i = 0; i + 1 < xs.size() && outX.size() < limit; ++i) {
        const double x1 = xs[i], y1 = ys[i], x2 = xs[i + 1], y2 = ys[i + 1];
        if (x1 == x2 && y1 == y2)
            continue;
        const LineResult piece = LineFromPoints(x1, y1, x2, y2);
        if (piece.status != 0)
            continue;
        const PointResult p = IntersectLines(line.a, line.b, line.c, piece.a, piece.b, piece.c);
        if (p.status != 0)
            continue;
        if (IsPointOnSegment(p.x, p.y, x1, y1, x2, y2) != 0)
            continue;
        if (IsPointOnSegment(p.x, p.y, lx1, ly1, lx2, ly2) != 0)
            continue;
        outX.push_back(p.x);
        outY.push_back(p.y);
    }
}

// Crossings of the pieces of a polyline with a circle or arc, in order, until
// `limit` are found.
void PolylineCircleCrossings(const std::vector<double>& xs, const std::vector<double>& ys, const CircleShape& c,
                             std::size_t limit, std::vector<double>& outX, std::vector<double>& outY)
{
    for (std::size_t i = 0; i + 1 < xs.size() && outX.size() < limit; ++i) {
        const double x1 = xs[i], y1 = ys[i], x2 = xs[i + 1], y2 = ys[i + 1];
        if (x1 == x2 && y1 == y2)
            continue;
        const LineResult piece = LineFromPoints(x1, y1, x2, y2);
        if (piece.status != 0)
            continue;
        const PointSet<2> s = IntersectLineCircle(piece.a, piece.b, piece.c, c.cx, c.cy, c.r);
        if (s.status != 0)
            continue;
        for (int k = 0; k < s.count && outX.size() < limit; ++k) {
            if (IsPointOnSegment(s.x[k], s.y[k], x1, y1, x2, y2) != 0 || !c.Holds(s.x[k], s.y[k]))
                continue;
            outX.push_back(s.x[k]);
            outY.push_back(s.y[k]);
        }
    }
}


void AddPoints(CEntity* owner, const std::vector<double>& xs, const std::vector<double>& ys,
               std::vector<SnapCrossing>& out)
{
    for (std::size_t i = 0; i < xs.size(); ++i)
        out.push_back({owner, xs[i], ys[i]});
}

// Each adds its points for the entity named first.
void AddLineLineIntersections(CEntity* line, CEntity* other, std::vector<SnapCrossing>& out)
{
    double ax1, ay1, ax2, ay2, bx1, by1, bx2, by2;
    if (!LinePoints(*line, ax1, ay1, ax2, ay2) || !LinePoints(*other, bx1, by1, bx2, by2))
        return;
    const LineResult a = LineFromPoints(ax1, ay1, ax2, ay2);
    const LineResult b = LineFromPoints(bx1, by1, bx2, by2);
    if (a.status != 0 || b.status != 0)
        return;
    const PointResult p = IntersectLines(a.a, a.b, a.c, b.a, b.b, b.c);
    if (p.status != 0)
        return;
    // Segments need the point on them; infinite lines take any point.
    if (line->type == 20 && IsPointOnSegment(p.x, p.y, ax1, ay1, ax2, ay2) != 0)
        return;
    if (other->type == 20 && IsPointOnSegment(p.x, p.y, bx1, by1, bx2, by2) != 0)
        return;
    out.push_back({line, p.x, p.y});
}

void AddLineCircleIntersections(CEntity* line, CEntity* circle, std::vector<SnapCrossing>& out)
{
    double x1, y1, x2, y2;
    CircleShape c;
    if (!LinePoints(*line, x1, y1, x2, y2) || !CircleOf(*circle, c))
        return;
    const LineResult l = LineFromPoints(x1, y1, x2, y2);
    if (l.status != 0)
        return;
    const PointSet<2> s = IntersectLineCircle(l.a, l.b, l.c, c.cx, c.cy, c.r);
    if (s.status != 0)
        return;
    for (int k = 0; k < s.count; ++k) {
        if (!c.Holds(s.x[k], s.y[k]))
            continue;
        if (line->type == 20 && IsPointOnSegment(s.x[k], s.y[k], x1, y1, x2, y2) != 0)
            continue;
        out.push_back({line, s.x[k], s.y[k]});
    }
}

void AddCircleCircleIntersections(CEntity* circle, CEntity* other, std::vector<SnapCrossing>& out)
{
    CircleShape a, b;
    if (!CircleOf(*circle, a) || !CircleOf(*other, b))
        return;
    const PointSet<2> s = IntersectCircles(a.cx, a.cy, a.r, b.cx, b.cy, b.r);
    for (int k = 0; k < s.count; ++k)
        if (a.Holds(s.x[k], s.y[k]) && b.Holds(s.x[k], s.y[k]))
            out.push_back({circle, s.x[k], s.y[k]});
}

void AddLineCurveIntersections(CEntity* line, CEntity* curve, std::vector<SnapCrossing>& out)
{
    double x1, y1, x2, y2;
    if (!LinePoints(*line, x1, y1, x2, y2))
        return;
    std::vector<double> xs, ys, px, py;
    FreehandPolyline(*curve, xs, ys);
    PolylineLineCrossings(xs, ys, x1, y1, x2, y2, FreehandCrossingLimit, px, py);
    // A line crossing the curve that often is taken as running along it.
    if (px.size() < FreehandCrossingLimit)
        AddPoints(line, px, py, out);
}

void AddCurveCircleIntersections(CEntity* curve, CEntity* circle, std::vector<SnapCrossing>& out)
{
    CircleShape c;
    if (!CircleOf(*circle, c))
        return;
    std::vector<double> xs, ys, px, py;
    FreehandPolyline(*curve, xs, ys);
    PolylineCircleCrossings(xs, ys, c, FreehandCrossingLimit, px, py);
    AddPoints(curve, px, py, out);
}

void AddLineSplineIntersections(CEntity* line, CEntity* spline, std::vector<SnapCrossing>& out)
{
    double x1, y1, x2, y2;
    if (!LinePoints(*line, x1, y1, x2, y2))
        return;
    std::vector<double> xs, ys, px, py;
    SplinePolyline(*spline, xs, ys);
    PolylineLineCrossings(xs, ys, x1, y1, x2, y2, SplineCrossingLimit, px, py);
    if (px.size() < SplineCrossingLimit)
        AddPoints(line, px, py, out);
}

void AddSplineCircleIntersections(CEntity* spline, CEntity* circle, std::vector<SnapCrossing>& out)
{
    CircleShape c;
    if (!CircleOf(*circle, c))
        return;
    std::vector<double> xs, ys, px, py;
    SplinePolyline(*spline, xs, ys);
    PolylineCircleCrossings(xs, ys, c, SplineCrossingLimit, px, py);
    AddPoints(spline, px, py, out);
}

} // namespace

void CSnapPointList::PairCrossings(CEntity* later, CEntity* earlier, std::vector<SnapCrossing>& out)
{
    out.clear();
    const CEntity& e = *later;
    const CEntity& o = *earlier;
    if (IsLine(e)) {
        if (IsLine(o))
            AddLineLineIntersections(later, earlier, out);
        else if (o.type == 24)
            AddLineSplineIntersections(later, earlier, out);
        else if (o.type == 26)
            AddLineCurveIntersections(later, earlier, out);
        else if (IsCircle(o))
            AddLineCircleIntersections(later, earlier, out);
    } else if (e.type == 24) {
        if (IsLine(o))
            AddLineSplineIntersections(earlier, later, out);
        else if (IsCircle(o))
            AddSplineCircleIntersections(later, earlier, out);
    } else if (e.type == 26) {
        if (IsLine(o))
            AddLineCurveIntersections(earlier, later, out);
        else if (IsCircle(o))
            AddCurveCircleIntersections(later, earlier, out);
    } else if (IsCircle(e)) {
        if (IsLine(o))
            AddLineCircleIntersections(earlier, later, out);
        else if (o.type == 24)
            AddSplineCircleIntersections(earlier, later, out);
        else if (o.type == 26)
            AddCurveCircleIntersections(earlier, later, out);
        else if (IsCircle(o))
            AddCircleCircleIntersections(later, earlier, out);
    }
}
