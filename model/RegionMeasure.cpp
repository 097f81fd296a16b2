#include "model/RegionMeasure.h"

#include "model/GeometryArcArea.h"
#include "model/GeometryCircles.h"
#include "model/GeometryEllipses.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double Pi = std::numbers::pi;
constexpr double TwoPi = 2.0 * std::numbers::pi;
constexpr double DegToRad = Pi / 180.0;

double Wrap(double a)
{
    a = std::fmod(a, TwoPi);
    return a < 0.0 ? a + TwoPi : a;
}

// The ellipse parameter of the point in direction theta (radians) from the
// centre.
double ParameterOf(const GeoEllipse& e, double theta)
{
    const double phi = e.rotation * DegToRad;
    return std::atan2(std::sin(theta - phi) / e.r2, std::cos(theta - phi) / e.r1);
}

double ParameterOfPoint(const GeoEllipse& e, double x, double y)
{
    return ParameterOf(e, std::atan2(y - e.cy, x - e.cx));
}

GeoPoint EllipsePoint(const GeoEllipse& e, double t)
{
    const double phi = e.rotation * DegToRad;
    const double u = e.r1 * std::cos(t), v = e.r2 * std::sin(t);
    return {e.cx + u * std::cos(phi) - v * std::sin(phi), e.cy + u * std::sin(phi) + v * std::cos(phi)};
}

bool Near(double ax, double ay, double bx, double by)
{
    return std::fabs(ax - bx) < 0.5 && std::fabs(ay - by) < 0.5;
}

// Way along the arc from (fromX, fromY) to P in direction dir (radians of
// turn times the radius); 0 when P is at that end or off the circle.
double WayTo(const BoundaryArc& arc, double fromX, double fromY, int dir, double px, double py)
{
    if (Near(fromX, fromY, px, py))
        return 0.0;
    const double rf = std::hypot(fromX - arc.cx, fromY - arc.cy);
    const double rp = std::hypot(px - arc.cx, py - arc.cy);
    if (std::fabs(rf - rp) > 0.5)
        return 0.0;
    double t = (std::atan2(py - arc.cy, px - arc.cx) - std::atan2(fromY - arc.cy, fromX - arc.cx)) * dir;
    if (t < 0.0)
        t += TwoPi;
    return rf * t;
}

} // namespace

double EllipsePerimeter(double a, double b)
{
    a = std::fabs(a);
    b = std::fabs(b);
    const double major = std::max(a, b), minor = std::min(a, b);
    if (major <= 0.0)
        return 0.0;
    const double e2 = 1.0 - (minor * minor) / (major * major);
    constexpr int Intervals = 1000;
    const double h = (Pi / 2.0) / Intervals;
    auto f = [&](double t) { return std::sqrt(1.0 - e2 * std::sin(t) * std::sin(t)); };
    double sum = f(0.0) + f(Pi / 2.0);
    for (int i = 1; i < Intervals; ++i)
        sum += (i % 2 == 1 ? 4.0 : 2.0) * f(i * h);
    return 4.0 * major * (sum * h / 3.0);
}

double EllipticArcLength(const GeoEllipticArc& arc)
{
    const GeoEllipse& e = arc.ellipse;
    if (e.r1 == 0.0 || e.r2 == 0.0)
        return 0.0;
    const double t1 = ParameterOf(e, arc.start * DegToRad);
    double t2 = ParameterOf(e, arc.end * DegToRad);
    if (t1 > t2)
        t2 += TwoPi;
    return EllipseArcLength(t1, t2, e.r1, e.r2);
}

int ArcWalkDirection(const BoundaryArc& arc, double px, double py)
{
    const PointSet<2> ends = ArcEndPoints(arc.cx, arc.cy, arc.r, arc.start, arc.end);
    const int d = arc.direction >= 0 ? 1 : -1;
    const double forward = WayTo(arc, ends.x[0], ends.y[0], d, px, py);
    const double backward = WayTo(arc, ends.x[1], ends.y[1], -d, px, py);
    return backward < forward ? -d : d;
}

double ArcLengthBetweenJunctions(const BoundaryArc& arc, double px, double py, double qx, double qy)
{
    if (Near(px, py, qx, qy))
        return 0.0;
    const double rp = std::hypot(px - arc.cx, py - arc.cy);
    const double rq = std::hypot(qx - arc.cx, qy - arc.cy);
    if (std::fabs(rp - rq) > 0.5)
        return 0.0;
    const int walk = ArcWalkDirection(arc, px, py);
    const double turn =
        Wrap(walk * (std::atan2(qy - arc.cy, qx - arc.cx) - std::atan2(py - arc.cy, px - arc.cx)));
    return turn * rp;
}

AreaCentroid RegionArea(const std::vector<GeoPoint>& vertices, const std::vector<RegionEdge>& edges)
{
    AreaCentroid out;
    const std::size_t n = vertices.size();
    if (n == 0 || edges.size() < n) {
        out.status = -1;
        return out;
    }
    double area = 0.0, mx = 0.0, my = 0.0;
    auto straight = [&](double x1, double y1, double x2, double y2) {
        const double a = (x1 - x2) * (y1 + y2) / 2.0;
        if (std::fabs(a) < 1e-6)
            return;
        // First moments of the signed region between the segment and the
        // x axis.
        area += a;
        mx += (x1 - x2) * (2 * x1 * y1 + x1 * y2 + x2 * y1 + 2 * x2 * y2) / 6.0;
        my += (x1 - x2) * (y1 * y1 + y1 * y2 + y2 * y2) / 6.0;
    };
    for (std::size_t k = 0; k < n; ++k) {
        const GeoPoint& p = vertices[k];
        const GeoPoint& q = vertices[(k + 1) % n];
        const RegionEdge& edge = edges[k];
        if (edge.direction == 0) {
            GeoPoint from = p;
            for (const GeoPoint& v : edge.via) {
                straight(from.x, from.y, v.x, v.y);
                from = v;
            }
            straight(from.x, from.y, q.x, q.y);
            continue;
        }
        const AreaCentroid a = ArcEdgeAreaAndCentroid(edge.direction, p.x, p.y, q.x, q.y, edge.cx, edge.cy, edge.r);
        if (a.status != 0 || !std::isfinite(a.area)) {
            out.status = -1;
            return out;
        }
        area += a.area;
        mx += a.area * a.cx;
        my += a.area * a.cy;
    }
    if (!std::isfinite(area) || std::fabs(area) < 1e-5) {
        out.status = -2;
        return out;
    }
    out.area = std::fabs(area);
    out.cx = mx / area;
    out.cy = my / area;
    return out;
}

std::vector<GeoPoint> EllipticArcWalk(const GeoEllipticArc& arc, double px, double py, double qx, double qy)
{
    const GeoEllipse& e = arc.ellipse;
    std::vector<GeoPoint> out{{px, py}};
    if (e.r1 == 0.0 || e.r2 == 0.0) {
        out.push_back({qx, qy});
        return out;
    }
    const double ts = ParameterOf(e, arc.start * DegToRad);
    const double te = ParameterOf(e, arc.end * DegToRad);
    const double tp = ParameterOfPoint(e, px, py);
    const double tq = ParameterOfPoint(e, qx, qy);
    // The arc runs counter-clockwise from start to end.
    // A point a hair before its end counts as on it.
    auto way = [](double a) { return a > TwoPi - 1e-9 ? 0.0 : a; };
    const double forward = way(Wrap(tp - ts));
    const double backward = way(Wrap(te - tp));
    const bool ccw = forward <= backward;
    const double span = ccw ? Wrap(tq - tp) : -Wrap(tp - tq);
    constexpr int Inner = 255;
    for (int i = 1; i <= Inner; ++i)
        out.push_back(EllipsePoint(e, tp + span * i / (Inner + 1)));
    out.push_back({qx, qy});
    return out;
}
