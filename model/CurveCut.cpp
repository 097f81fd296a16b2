#include "model/CurveCut.h"

#include "model/GeometryCircles.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double Degree = std::numbers::pi / 180.0;

GeoPoint PointAt(double cx, double cy, double r, double degrees)
{
    return {cx + r * std::cos(degrees * Degree), cy + r * std::sin(degrees * Degree)};
}

double Wrap360(double a)
{
    a = std::fmod(a, 360.0);
    return a < 0.0 ? a + 360.0 : a;
}

// Arc length from S along the arc's own direction to P; 0 at S or off the
// circle.
double LengthFromArcStart(const CircleArc& arc, GeoPoint p)
{
    const GeoPoint s = PointAt(arc.cx, arc.cy, arc.r, arc.start);
    const double rho = std::hypot(s.x - arc.cx, s.y - arc.cy);
    if (std::fabs(p.x - s.x) < 0.5 && std::fabs(p.y - s.y) < 0.5)
        return 0.0;
    if (std::fabs(std::hypot(p.x - arc.cx, p.y - arc.cy) - rho) > 0.5)
        return 0.0;
    const double theta = std::atan2(p.y - arc.cy, p.x - arc.cx);
    const double thetaS = std::atan2(s.y - arc.cy, s.x - arc.cx);
    double t = (theta - thetaS) * arc.subtype;
    while (t < 0.0)
        t += 2.0 * std::numbers::pi;
    return rho * t;
}

// Q on the arc from `from` to `to` in the arc's own direction.
bool OnPartOfArc(const CircleArc& arc, GeoPoint from, GeoPoint to, GeoPoint q)
{
    return IsPointOnArc(from.x, from.y, arc.cx, arc.cy, arc.r, -arc.subtype, q.x, q.y, to.x, to.y) == 0;
}

} // namespace

double AngleFromCentre(double cx, double cy, double px, double py)
{
    double a = std::atan2(py - cy, px - cx) / Degree;
    if (a < 0.0)
        a += 360.0;
    return a >= 360.0 ? 0.0 : a;
}

PointResult RadialPosition(double cx, double cy, double r, double px, double py)
{
    const double d = std::hypot(px - cx, py - cy);
    if (d == 0.0 || !std::isfinite(d))
        return {-1, 0.0, 0.0};
    return {0, cx + (px - cx) / d * r, cy + (py - cy) / d * r};
}

void CutDirection::Track(double phi)
{
    if (phi < 90.0) {
        if (direction == 0 || quadrant == 3)
            direction = 1;
        quadrant = 0;
    } else if (phi < 180.0) {
        quadrant = 1;
    } else if (phi < 270.0) {
        quadrant = 2;
    } else {
        if (direction == 0)
            direction = 1;
        if (quadrant == 0)
            direction = -1;
        quadrant = 3;
    }
}

double AngleFromStart(double startAngle, double angle)
{
    return Wrap360(angle - startAngle);
}

bool PreviewArcHidden(double phi)
{
    const int whole = static_cast<int>(phi);
    return whole == 0 || whole == 1 || whole == 359 || whole == 360;
}

bool OnArc(const CircleArc& arc, GeoPoint q)
{
    return OnPartOfArc(arc, PointAt(arc.cx, arc.cy, arc.r, arc.start), PointAt(arc.cx, arc.cy, arc.r, arc.end), q);
}

GeoPoint ApplyArcRule(const CircleArc& arc, GeoPoint start, GeoPoint q, CutDirection& cut, ArcCutState& state)
{
    const GeoPoint s = PointAt(arc.cx, arc.cy, arc.r, arc.start);
    const GeoPoint e = PointAt(arc.cx, arc.cy, arc.r, arc.end);
    if (!OnArc(arc, q)) {
        if (state.startMoved) {
            cut.direction = arc.subtype;
            return e;
        }
        state.leftArc = true;
        return arc.subtype == cut.direction ? e : s;
    }
    if (state.leftArc) {
        state.leftArc = false;
        const bool within = arc.subtype == cut.direction ? OnPartOfArc(arc, start, e, q) : OnPartOfArc(arc, s, start, q);
        if (!within)
            cut.direction = -cut.direction;
    }
    return q;
}

std::vector<CircleArc> CircleCutPieces(double cx, double cy, double r, GeoPoint start, GeoPoint end, int direction)
{
    return {{cx, cy, r, AngleFromCentre(cx, cy, start.x, start.y), AngleFromCentre(cx, cy, end.x, end.y),
             -direction}};
}

std::vector<CircleArc> ArcCutPieces(const CircleArc& arc, GeoPoint start, GeoPoint end, bool endOff, int direction,
                                    const ArcCutState& state)
{
    const double startAngle = AngleFromCentre(arc.cx, arc.cy, start.x, start.y);
    const double endAngle = AngleFromCentre(arc.cx, arc.cy, end.x, end.y);
    auto piece = [&arc](double a, double b, int subtype) {
        return CircleArc{arc.cx, arc.cy, arc.r, a, b, subtype};
    };
    if (state.startMoved)
        return endOff ? std::vector<CircleArc>{} : std::vector<CircleArc>{piece(endAngle, arc.end, arc.subtype)};
    if (endOff) {
        if (direction == arc.subtype)
            return {piece(arc.start, startAngle, arc.subtype)};
        return {piece(arc.end, startAngle, direction)};
    }
    const bool startNearer = LengthFromArcStart(arc, end) > LengthFromArcStart(arc, start);
    const double nearer = startNearer ? startAngle : endAngle;
    const double farther = startNearer ? endAngle : startAngle;
    return {piece(arc.start, nearer, arc.subtype), piece(farther, arc.end, arc.subtype)};
}

EllipticPiece EllipseCutPiece(double s, double e, int direction)
{
    return direction == 1 ? EllipticPiece{e, s, direction} : EllipticPiece{s, e, direction};
}

std::vector<EllipticPiece> EllipticArcCutPieces(double a1, double a2, double majorAxis, double s, double e,
                                                int direction)
{
    const double p = direction == -1 ? e : s;
    const double q = direction == -1 ? s : e;
    const CircleArc onCircle{0.0, 0.0, majorAxis, a1, a2, 1};
    const bool pOn = OnArc(onCircle, PointAt(0.0, 0.0, majorAxis, p));
    const bool qOn = OnArc(onCircle, PointAt(0.0, 0.0, majorAxis, q));
    std::vector<EllipticPiece> pieces;
    if (pOn)
        pieces.push_back({Wrap360(a1), Wrap360(p), direction});
    if (qOn)
        pieces.push_back({Wrap360(q), Wrap360(a2), direction});
    return pieces;
}
