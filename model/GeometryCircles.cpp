#include "model/GeometryCircles.h"

#include "model/GeometryLines.h"

#include <cmath>

namespace {

constexpr double CoincidentTolerance = 0.5;
constexpr double Pi = 3.14159265358979323846;
constexpr double TwoPi = 2.0 * Pi;
constexpr double DegToRad = Pi / 180.0;
constexpr double RadToDeg = 180.0 / Pi;

double Sign(double v)
{
    return v > 0.0 ? 1.0 : (v < 0.0 ? -1.0 : 0.0);
}

// An angle in radians moved into [0, 2π).
double WrapRadians(double a)
{
    double w = std::fmod(a, TwoPi);
    if (w < 0.0)
        w += TwoPi;
    if (w >= TwoPi)
        w -= TwoPi;
    return w;
}

// An angle in degrees moved into [0, 360).
double WrapDegrees(double a)
{
    double w = std::fmod(a, 360.0);
    if (w < 0.0)
        w += 360.0;
    if (w >= 360.0)
        w -= 360.0;
    return w;
}

bool Coincide(double x1, double y1, double x2, double y2)
{
    return std::abs(x1 - x2) <= CoincidentTolerance && std::abs(y1 - y2) <= CoincidentTolerance;
}

} // namespace

PointSet<2> IntersectLineCircle(double a, double b, double c, double cx, double cy, double r)
{
    PointSet<2> s;
    const double n = std::sqrt(a * a + b * b);
    if (n == 0.0) {
        s.status = -2;
        return s;
    }
    const double d = -(a * cx + b * cy + c) / n;
    if (std::abs(std::abs(d) - r) < CoincidentTolerance) {
        s.x[0] = d * a / n + cx;
        s.y[0] = d * b / n + cy;
        s.count = 1;
        return s;
    }
    if (!(std::abs(d) <= r)) {
        s.status = -1;
        return s;
    }
    const double h = std::sqrt(r * r - d * d);
    s.x[0] = (d * a - h * b) / n + cx;
    s.y[0] = (h * a + d * b) / n + cy;
    s.x[1] = (d * a + h * b) / n + cx;
    s.y[1] = (d * b - h * a) / n + cy;
    s.count = 2;
    return s;
}

PointSet<2> IntersectCircles(double x1, double y1, double r1, double x2, double y2, double r2)
{
    PointSet<2> s;
    const double dist = std::hypot(x2 - x1, y2 - y1);
    if (!(dist != 0.0) || !(dist <= r1 + r2 + CoincidentTolerance) ||
        dist < std::abs(r1 - r2) - CoincidentTolerance) {
        s.status = 1;
        return s;
    }
    const double ux = (x2 - x1) / dist;
    const double uy = (y2 - y1) / dist;
    const double m = (r1 * r1 - r2 * r2) / (2.0 * dist) + dist / 2.0;
    double h = std::sqrt(std::abs(r1 * r1 - m * m));
    s.count = 2;
    if (h < CoincidentTolerance) {
        s.count = 1;
        h = 0.0;
    }
    // Both points are written; with one crossing they are the same point.
    s.x[0] = x1 + m * ux + h * uy;
    s.y[0] = y1 + m * uy - h * ux;
    s.x[1] = x1 + m * ux - h * uy;
    s.y[1] = y1 + m * uy + h * ux;
    return s;
}

PointSet<2> TangentPoints(double px, double py, double cx, double cy, double r)
{
    PointSet<2> s;
    const double d = std::hypot(px - cx, py - cy);
    if (std::abs(d - r) < CoincidentTolerance) {
        s.count = 1;
        s.x[0] = px;
        s.y[0] = py;
        return s;
    }
    if (!(r <= d)) {
        s.status = 1;
        return s;
    }
    s = IntersectCircles(cx, cy, r, px, py, std::sqrt(d * d - r * r));
    s.status = 0;
    return s;
}

CircleResult CircleFrom3Points(double x1, double y1, double x2, double y2, double x3, double y3)
{
    CircleResult c;
    const double ux = x2 - x1;
    const double uy = y2 - y1;
    const double vx = x3 - x1;
    const double vy = y3 - y1;
    const double det = vx * uy - vy * ux;
    if (!(std::abs(det) > 1e-6))
        return c;
    const double u2 = ux * ux + uy * uy;
    const double v2 = vx * vx + vy * vy;
    c.cx = x1 + (v2 * uy - u2 * vy) / (2.0 * det);
    c.cy = y1 + (u2 * vx - v2 * ux) / (2.0 * det);
    c.radius = std::hypot(c.cx - x1, c.cy - y1);
    if (y3 == y1)
        c.direction = (y2 > c.cy ? -1 : 1) * (x1 > x3 ? -1 : 1);
    else
        c.direction = (vx * uy / vy > ux ? -1 : 1) * (y1 > y3 ? -1 : 1);
    return c;
}

int IsPointOnArc(double sx, double sy, double cx, double cy, double r, int direction, double px, double py,
                 double ex, double ey)
{
    if (Coincide(sx, sy, ex, ey))
        return -1;
    if (Coincide(px, py, ex, ey) || Coincide(px, py, sx, sy))
        return 0;
    if (!(std::abs(std::hypot(px - cx, py - cy) - r) <= CoincidentTolerance))
        return -1;

    const double dir = direction;
    const double k = std::trunc(((ex - sx) * (cy - sy) - (ey - sy) * (cx - sx)) * dir);
    if (k < 0.0) {
        // The arc is the larger part: P need only lie near the chord's ends.
        const double reach = std::hypot(ex - sx, ey - sy) + CoincidentTolerance;
        if (!(std::hypot(px - ex, py - ey) <= reach) || !(std::hypot(px - sx, py - sy) <= reach))
            return -1;
    } else {
        // The arc is the smaller part: P must lie strictly on its side of the chord.
        const double t = (py - ey) * (sx - ex);
        if (std::abs(t - (sy - ey) * (px - ex)) < 1e-4)
            return -1;
        double side = 0.0;
        if (sy != ey)
            side = Sign(sy - ey) * Sign((px - ex) - t / (sy - ey));
        else
            side = Sign(sx - ex) * Sign(cy - py);
        if (side != dir)
            return -1;
    }

    const double re = std::hypot(ex - cx, ey - cy);
    const double rs = std::hypot(sx - cx, sy - cy);
    const double rp = std::hypot(px - cx, py - cy);
    const double angE = std::atan2(ey - cy, ex - cx);
    double arcLength = 0.0;
    if (std::abs(re - rs) <= CoincidentTolerance)
        arcLength = WrapRadians((std::atan2(sy - cy, sx - cx) - angE) * dir) * re;
    if (Coincide(px, py, ex, ey) || std::abs(re - rp) > CoincidentTolerance)
        return arcLength < 0.0 ? -1 : 0;
    const double pointLength = WrapRadians((std::atan2(py - cy, px - cx) - angE) * dir) * re;
    return arcLength < pointLength ? -1 : 0;
}

PointResult ArcMidPoint(int side, double sx, double sy, double cx, double cy, double r, double length)
{
    PointResult p{0, sx, sy};
    if (length < CoincidentTolerance)
        return p;
    const double rs = std::hypot(sx - cx, sy - cy);
    if (!std::isfinite(length) || !(r > 1e-4) || std::abs(rs - r) > 0.002) {
        p.status = 1;
        return p;
    }
    const double chord = 2.0 * r * std::sin(length / (2.0 * r));
    if (std::abs(r - chord) > rs) {
        p.status = 1;
        return p;
    }
    const PointSet<2> cross = IntersectCircles(cx, cy, r, sx, sy, chord);
    if (cross.count == 0) {
        p.status = 1;
        return p;
    }
    const LineResult line = LineFromPoints(cx, cy, sx, sy);
    if (line.status != 0)
        return p;
    const int pick = (line.a * cross.x[0] + line.b * cross.y[0] + line.c) * side < 0.0 ? 0 : 1;
    p.x = cross.x[pick];
    p.y = cross.y[pick];
    return p;
}

PointSet<2> ArcEndPoints(double cx, double cy, double r, double startAngle, double endAngle)
{
    PointSet<2> s;
    s.count = 2;
    s.x[0] = cx + r * std::cos(startAngle * DegToRad);
    s.y[0] = cy + r * std::sin(startAngle * DegToRad);
    s.x[1] = cx + r * std::cos(endAngle * DegToRad);
    s.y[1] = cy + r * std::sin(endAngle * DegToRad);
    return s;
}

PointSet<ArcPolylineMaxPoints> ArcToPolyline(int direction, double x1, double y1, double x2, double y2, double cx,
                                             double cy, double r, double step)
{
    PointSet<ArcPolylineMaxPoints> s;
    const double a1 = WrapDegrees(std::atan2(y1 - cy, x1 - cx) * RadToDeg);
    const double a2 = WrapDegrees(std::atan2(y2 - cy, x2 - cx) * RadToDeg);
    double sweep = 0.0;
    if (direction == 1)
        sweep = a1 > a2 ? 360.0 - a1 + a2 : a2 - a1;
    else
        sweep = a2 > a1 ? 360.0 - a2 + a1 : a1 - a2;
    const double steps = sweep / step;
    // Also refuses a step that is not positive and values that are not finite.
    if (!(step > 0.0) || !(steps < 60.0)) {
        s.status = -1;
        return s;
    }
    const int k = static_cast<int>(steps);
    const double turn = direction == 1 ? step : -step;
    s.x[0] = x1;
    s.y[0] = y1;
    for (int i = 1; i <= k; ++i) {
        const double a = (a1 + i * turn) * DegToRad;
        s.x[i] = cx + r * std::cos(a);
        s.y[i] = cy + r * std::sin(a);
    }
    s.x[k + 1] = x2;
    s.y[k + 1] = y2;
    s.count = k + 2;
    return s;
}
