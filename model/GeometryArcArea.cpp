#include "model/GeometryArcArea.h"

#include "model/GeometryLines.h"

#include <cmath>

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double RadToDeg = 180.0 / Pi;
constexpr double DegToRad = Pi / 180.0;
constexpr double AreaEpsilon = 1e-6;
constexpr double LevelTolerance = 5e-4;

double Sign(double v)
{
    return v > 0.0 ? 1.0 : (v < 0.0 ? -1.0 : 0.0);
}

// Sweep in radians from P1 to P2 about the centre in the given direction.
double Sweep(int direction, double x1, double y1, double x2, double y2, double cx, double cy)
{
    if (x1 == x2 && y1 == y2)
        return 0.0;
    double deg = (std::atan2(y2 - cy, x2 - cx) - std::atan2(y1 - cy, x1 - cx)) * RadToDeg * direction;
    if (deg < 0.0)
        deg += 360.0;
    return deg * DegToRad;
}

// The line through two points, without any snapping to the axes.
LineResult ExactLine(double x1, double y1, double x2, double y2)
{
    return {0, y2 - y1, x1 - x2, y1 * x2 - x1 * y2};
}

struct Piece {
    double area = 0.0;
    double cx = 0.0;
    double cy = 0.0;
    bool kept = false;
};

// One piece lying in one half of the circle; sign +1 on the upper half, -1 on
// the lower half.
Piece PieceOf(int direction, double xs, double ys, double xe, double ye, double cx, double cy, double r, double sign)
{
    Piece p;
    const double w = Sweep(direction, xs, ys, xe, ye, cx, cy);
    const double trapezoid = std::abs(xs - xe) * (ys + ye) / 2.0;
    const double segment = r * r * (w - std::sin(w)) / 2.0 * sign;
    p.area = (trapezoid + segment) * Sign(xs - xe);
    if (!(std::abs(p.area) >= AreaEpsilon))
        return p;
    p.kept = true;

    double gx = xs;
    double gy = ys;
    if (std::abs(w) >= 0.001) {
        const double s = std::sin(w / 2.0);
        const double dist = 4.0 * r * s * s * s / (3.0 * (w - std::sin(w)));
        const double dirAngle = std::atan2(ys - cy, xs - cx) + direction * w / 2.0;
        gx = cx + dist * std::cos(dirAngle);
        gy = cy + dist * std::sin(dirAngle);
    }

    double tx = 0.0;
    double ty = 0.0;
    if (std::abs((xs - xe) * (ys + ye) / 2.0) >= AreaEpsilon) {
        // The midline of the two vertical sides against the line joining each
        // side extended by the other's length.
        const LineResult mid = ExactLine(xs, ys / 2.0, xe, ye / 2.0);
        const LineResult cross = ExactLine(xs, ys + ye, xe, -ys);
        const PointResult c = IntersectLines(mid.a, mid.b, mid.c, cross.a, cross.b, cross.c);
        if (c.status == 0) {
            tx = c.x;
            ty = c.y;
        }
    }
    const double total = trapezoid + segment;
    p.cx = (trapezoid * tx + segment * gx) / total;
    p.cy = (trapezoid * ty + segment * gy) / total;
    return p;
}

} // namespace

AreaCentroid ArcEdgeAreaAndCentroid(int direction, double x1, double y1, double x2, double y2, double cx,
                                    double cy, double r)
{
    AreaCentroid result;
    const double w = Sweep(direction, x1, y1, x2, y2, cx, cy);
    const double h = cy;

    double sign = 0.0;
    int pieces = 1;
    if (std::abs(y1 - h) < LevelTolerance) {
        sign = (cx - x1) * direction < 0.0 ? 1.0 : -1.0;
        if (w > Pi && !(std::abs(w - Pi) <= 1e-4))
            pieces = 2;
    } else {
        sign = y1 > h ? 1.0 : -1.0;
        if (std::abs(y2 - h) < LevelTolerance) {
            if (w > Pi)
                pieces = 2;
        } else if ((y1 > h) != (y2 > h)) {
            pieces = 2;
        } else if (w > Pi) {
            pieces = 3;
        }
    }

    double xs[4] = {x1, 0.0, 0.0, 0.0};
    double ys[4] = {y1, 0.0, 0.0, 0.0};
    if (pieces >= 2) {
        xs[1] = cx - sign * direction * r;
        ys[1] = h;
    }
    if (pieces == 3) {
        xs[2] = cx + sign * direction * r;
        ys[2] = h;
    }
    xs[pieces] = x2;
    ys[pieces] = y2;

    double area = 0.0;
    double mx = 0.0;
    double my = 0.0;
    double pieceSign = sign;
    for (int i = 0; i < pieces; ++i, pieceSign = -pieceSign) {
        const Piece p = PieceOf(direction, xs[i], ys[i], xs[i + 1], ys[i + 1], cx, cy, r, pieceSign);
        if (!p.kept)
            continue;
        if (pieces == 1) {
            result.area = p.area;
            result.cx = p.cx;
            result.cy = p.cy;
            return result;
        }
        area += p.area;
        mx += p.area * p.cx;
        my += p.area * p.cy;
    }
    if (pieces == 1 || !(std::abs(area) >= AreaEpsilon))
        return result;
    result.area = area;
    result.cx = mx / area;
    result.cy = my / area;
    return result;
}
