#include "model/GeometryLines.h"

#include <cmath>

namespace {

constexpr double CoincidentTolerance = 0.5;
constexpr double ParallelDeterminant = 0.05;
constexpr double ParallelAngle = 1.75e-4;
constexpr double DegenerateTolerance = 1e-4;
constexpr double Pi = 3.14159265358979323846;

double Sign(double v)
{
    return v > 0.0 ? 1.0 : (v < 0.0 ? -1.0 : 0.0);
}

} // namespace

LineResult LineFromPoints(double x1, double y1, double x2, double y2)
{
    LineResult r;
    if (x1 == x2 && y1 == y2) {
        r.status = -1;
        return r;
    }
    if (std::abs(y2 - y1) < CoincidentTolerance) {
        r.a = 0.0;
        if (x1 > x2) {
            r.b = 1.0;
            r.c = -y1;
        } else {
            r.b = -1.0;
            r.c = y1;
        }
    } else if (std::abs(x1 - x2) < CoincidentTolerance) {
        r.b = 0.0;
        if (y2 > y1) {
            r.a = 1.0;
            r.c = -x1;
        } else {
            r.a = -1.0;
            r.c = x1;
        }
    } else {
        r.a = y2 - y1;
        r.b = x1 - x2;
        r.c = y1 * x2 - x1 * y2;
    }
    return r;
}

PointResult IntersectLines(double a1, double b1, double c1, double a2, double b2, double c2)
{
    PointResult r;
    const double det = a1 * b2 - b1 * a2;
    if (std::abs(det) < ParallelDeterminant) {
        if (det == 0.0) {
            r.status = -1;
            return r;
        }
        // Only the turn by +pi counts as parallel here, not the one by -pi.
        const double diff = std::atan2(b2, a2) - std::atan2(b1, a1);
        if (std::abs(diff) <= ParallelAngle || std::abs(diff - Pi) <= ParallelAngle) {
            r.status = -2;
            return r;
        }
    }
    r.x = (b1 * c2 - c1 * b2) / det;
    r.y = (c1 * a2 - a1 * c2) / det;
    return r;
}

PointResult PerpendicularFoot(double px, double py, double a, double b, double c)
{
    PointResult r;
    const double g = a * a + b * b;
    if (std::abs(g) < DegenerateTolerance) {
        r.status = -1;
        return r;
    }
    r.x = (b * b * px - a * b * py - a * c) / g;
    r.y = (a * a * py - a * b * px - b * c) / g;
    return r;
}

PointResult MirrorPoint(double px, double py, double a, double b, double c)
{
    PointResult r;
    const double n = a * a + b * b;
    if (n == 0.0) {
        r.status = 1;
        return r;
    }
    r.x = ((b * b - a * a) * px - 2.0 * a * b * py - 2.0 * a * c) / n;
    r.y = ((a * a - b * b) * py - 2.0 * a * b * px - 2.0 * b * c) / n;
    return r;
}

LineResult ParallelLineTowards(double a, double b, double c, double distance, double px, double py)
{
    LineResult r{0, a, b, c};
    double fx = 0.0;
    double fy = 0.0;
    const PointResult foot = PerpendicularFoot(px, py, a, b, c);
    if (foot.status == 0) {
        fx = foot.x;
        fy = foot.y;
    }
    const double dx = px - fx;
    const double dy = py - fy;
    const double len = std::hypot(dx, dy);
    // A point on the line names no side.
    if (!(len >= DegenerateTolerance)) {
        r.status = -1;
        return r;
    }
    const double qx = fx + distance * dx / len;
    const double qy = fy + distance * dy / len;
    r.c = -a * qx - b * qy;
    return r;
}

PointResult PointOnLineAtDistance(int directionCode, double px, double py, double a, double b, double c,
                                  double distance)
{
    PointResult r{0, px, py};
    const double n = std::sqrt(a * a + b * b);
    if (!(n > 0.0) || !(std::abs(a * px + b * py + c) / n <= CoincidentTolerance)) {
        r.status = -1;
        return r;
    }
    double s = 0.0;
    switch (directionCode) {
    case DirectionRight: s = Sign(b); break;
    case DirectionLeft: s = -Sign(b); break;
    case DirectionUp: s = -Sign(a); break;
    case DirectionDown: s = Sign(a); break;
    default: break;
    }
    r.x = px + s * distance * b / n;
    r.y = py - s * distance * a / n;
    return r;
}

int DirectionCode(double x1, double y1, double x2, double y2)
{
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    if (std::abs(dx) < DegenerateTolerance && std::abs(dy) < DegenerateTolerance)
        return DirectionNone;
    // These decimal bounds, not pi/4 and 3pi/4 to full precision, decide the
    // exact diagonals.
    constexpr double Quarter = 0.7853981633975;
    constexpr double ThreeQuarters = 2.3561944901925003;
    const double theta = std::atan2(dy, dx);
    if (theta >= Quarter && theta <= ThreeQuarters)
        return DirectionUp;
    if (theta >= -ThreeQuarters && theta <= -Quarter)
        return DirectionDown;
    if (theta > -Quarter && theta < Quarter)
        return DirectionRight;
    return DirectionLeft;
}

DistanceResult PointDistance(double x1, double y1, double x2, double y2)
{
    DistanceResult r;
    if (x1 == x2 && y1 == y2) {
        r.status = -1;
        return r;
    }
    r.distance = std::hypot(x2 - x1, y2 - y1);
    return r;
}

GeoPoint PointTowards(double x1, double y1, double x2, double y2, double distance)
{
    const double len = std::hypot(x2 - x1, y2 - y1);
    if (len == 0.0)
        return {x1, y1};
    return {x1 + distance * (x2 - x1) / len, y1 + distance * (y2 - y1) / len};
}

PointResult OffsetPointFromSegment(int mode, double x1, double y1, double x2, double y2, double distance)
{
    PointResult r;
    const double len = std::hypot(x2 - x1, y2 - y1);
    if (!(len >= CoincidentTolerance)) {
        r.status = 1;
        return r;
    }
    double ux = 0.0;
    double uy = 0.0;
    if (mode < 0) {
        ux = y2 - y1;
        uy = x1 - x2;
    } else if (mode == 0) {
        ux = x2 - x1;
        uy = y2 - y1;
    } else {
        ux = y1 - y2;
        uy = x2 - x1;
    }
    r.x = x1 + distance * ux / len;
    r.y = y1 + distance * uy / len;
    return r;
}

double AngleBetween(double x1, double y1, double x2, double y2)
{
    return std::atan2(y2, x2) - std::atan2(y1, x1);
}

int IsPointOnSegment(double px, double py, double x1, double y1, double x2, double y2)
{
    const double dy = y2 - y1;
    const double dx = x1 - x2;
    if (std::abs(dy) < DegenerateTolerance && std::abs(dx) < DegenerateTolerance)
        return -1;
    const double c = y1 * x2 - x1 * y2;
    const double off = std::abs(dy * px + dx * py + c) / std::hypot(dy, dx);
    if (!(off <= CoincidentTolerance))
        return -1;
    const double reach = std::hypot(dx, dy) + 0.0005;
    if (!(std::hypot(px - x1, py - y1) <= reach) || !(std::hypot(px - x2, py - y2) <= reach))
        return -1;
    return 0;
}
