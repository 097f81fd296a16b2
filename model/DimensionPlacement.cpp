#include "model/DimensionPlacement.h"

#include "model/GeometryEllipses.h"
#include "model/GeometryLines.h"

#include <cmath>
#include <numbers>
#include <utility>

namespace {

constexpr double RadToDeg = 180.0 / std::numbers::pi;

double DirectionDegrees(GeoPoint from, GeoPoint to)
{
    return std::atan2(to.y - from.y, to.x - from.x) * RadToDeg;
}

} // namespace

RadiusFoot FootTowardPoint(double cx, double cy, double r, const GeoEllipse* ellipse, double px, double py)
{
    RadiusFoot foot;
    const double d = std::hypot(px - cx, py - cy);
    if (!(d > 0.0)) {
        foot.status = 1;
        return foot;
    }
    foot.x = cx + (px - cx) * r / d;
    foot.y = cy + (py - cy) * r / d;
    if (!ellipse)
        return foot;
    const LineResult line = LineFromPoints(cx, cy, px, py);
    const PointSet<2> s = IntersectLineEllipse(*ellipse, line.a, line.b, line.c);
    if (line.status != 0 || s.count == 0) {
        foot.status = 2;
        return foot;
    }
    const std::size_t k =
        s.count > 1 && std::hypot(s.x[1] - px, s.y[1] - py) < std::hypot(s.x[0] - px, s.y[0] - py) ? 1 : 0;
    foot.x = s.x[k];
    foot.y = s.y[k];
    return foot;
}

UprightDimension OrientDimension(GeoPoint p1, GeoPoint p2, GeoPoint first, GeoPoint second, bool diameter)
{
    const int d1 = DirectionCode(p1.x, p1.y, p2.x, p2.y);
    const int d2 = DirectionCode(p1.x, p1.y, first.x, first.y);
    const DimensionTurn turn = diameter ? DiameterOrientation(d1, d2) : DistanceOrientation(d1, d2, DirectionDegrees(p1, p2));
    UprightDimension out{p1, p2, first, 0.0};
    if (turn == DimensionTurn::Exchange) {
        std::swap(out.p1, out.p2);
        out.measured = second;
    }
    out.angle = turn == DimensionTurn::TextOnly ? DirectionDegrees(out.p2, out.p1) : DirectionDegrees(out.p1, out.p2);
    return out;
}
