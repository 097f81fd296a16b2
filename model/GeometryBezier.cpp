#include "model/GeometryBezier.h"

#include <cmath>

namespace {

GeoPoint Mid(const GeoPoint& a, const GeoPoint& b)
{
    return {(a.x + b.x) / 2.0, (a.y + b.y) / 2.0};
}

double Dist(const GeoPoint& a, const GeoPoint& b)
{
    return std::hypot(b.x - a.x, b.y - a.y);
}

void Walk(const BezierPoints& p, double tolerance, int depth, BezierWalk& state)
{
    if (state.target == 0.0)
        return;
    const double polygon = Dist(p[0], p[1]) + Dist(p[1], p[2]) + Dist(p[2], p[3]);
    const double chord = Dist(p[0], p[3]);
    const double span = std::ldexp(1.0, -depth);
    if (polygon - chord <= tolerance && state.walked + polygon <= state.target + tolerance) {
        state.walked += polygon;
        state.parameter += span;
        if (std::abs(state.walked - state.target) <= tolerance)
            state.target = 0.0;
        return;
    }
    if (depth >= BezierMaxDepth) {
        // Deep enough to count as straight (this also ends walks whose
        // tolerance can never be met): take it whole, or the part of it that
        // reaches the target.
        if (state.walked + polygon <= state.target) {
            state.walked += polygon;
            state.parameter += span;
        } else {
            const double part = polygon > 0.0 ? (state.target - state.walked) / polygon : 0.0;
            state.parameter += span * std::fmax(0.0, std::fmin(1.0, part));
            state.walked = state.target;
            state.target = 0.0;
        }
        return;
    }
    const BezierHalves halves = SplitBezier(p);
    Walk(halves.left, tolerance, depth + 1, state);
    if (state.target != 0.0)
        Walk(halves.right, tolerance, depth + 1, state);
}

} // namespace

BezierHalves SplitBezier(const BezierPoints& p)
{
    const GeoPoint p01 = Mid(p[0], p[1]);
    const GeoPoint p12 = Mid(p[1], p[2]);
    const GeoPoint p23 = Mid(p[2], p[3]);
    const GeoPoint p012 = Mid(p01, p12);
    const GeoPoint p123 = Mid(p12, p23);
    const GeoPoint m = Mid(p012, p123);
    return {{p[0], p01, p012, m}, {m, p123, p23, p[3]}};
}

BezierWalk BezierLengthWalk(const BezierPoints& p, double tolerance, double target, double walked)
{
    BezierWalk state{0.0, walked, target};
    Walk(p, tolerance, 0, state);
    return state;
}
