#include "model/LineCut.h"

#include "model/GeometryLines.h"

#include <cmath>

namespace {

double Distance(GeoPoint a, GeoPoint b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

bool Within(GeoPoint a, GeoPoint b, double tolerance)
{
    return std::fabs(a.x - b.x) < tolerance && std::fabs(a.y - b.y) < tolerance;
}

bool OnSegment(GeoPoint p, GeoPoint a, GeoPoint b)
{
    return IsPointOnSegment(p.x, p.y, a.x, a.y, b.x, b.y) == 0;
}

void Keep(std::vector<LineSegment>& out, GeoPoint a, GeoPoint b, double shortest)
{
    if (Distance(a, b) >= shortest)
        out.push_back({a, b});
}

} // namespace

PointResult FootOnSegment(GeoPoint p, GeoPoint p1, GeoPoint p2)
{
    const LineResult line = LineFromPoints(p1.x, p1.y, p2.x, p2.y);
    if (line.status != 0)
        return {1, p.x, p.y};
    const PointResult foot = PerpendicularFoot(p.x, p.y, line.a, line.b, line.c);
    if (foot.status != 0)
        return foot;
    const GeoPoint f{foot.x, foot.y};
    if (OnSegment(f, p1, p2))
        return foot;
    const GeoPoint nearer = Distance(f, p1) < Distance(f, p2) ? p1 : p2;
    return {0, nearer.x, nearer.y};
}

std::vector<LineSegment> CutLinePieces(GeoPoint p1, GeoPoint p2, GeoPoint s, GeoPoint e)
{
    constexpr double AtEnd = 0.005;
    constexpr double Shortest = 0.5;
    std::vector<LineSegment> out;
    // Each test that holds replaces the result of the one before.
    bool one = false;
    LineSegment piece;
    if (Within(s, p1, AtEnd)) {
        piece = {e, p2};
        one = true;
    }
    if (Within(s, p2, AtEnd)) {
        piece = {e, p1};
        one = true;
    }
    if (Within(e, p1, AtEnd)) {
        piece = {s, p2};
        one = true;
    }
    if (Within(e, p2, AtEnd)) {
        piece = {s, p1};
        one = true;
    }
    if (one) {
        Keep(out, piece.a, piece.b, Shortest);
        return out;
    }
    if (Distance(p1, e) > Distance(p1, s)) {
        Keep(out, p1, s, Shortest);
        Keep(out, e, p2, Shortest);
    } else {
        Keep(out, p1, e, Shortest);
        Keep(out, s, p2, Shortest);
    }
    return out;
}

BetweenLinesCut CutBetweenLinesPieces(GeoPoint p1, GeoPoint p2, GeoPoint i1, GeoPoint i2)
{
    constexpr double AtEnd = 0.05;
    constexpr double Shortest = 0.05;
    BetweenLinesCut out;
    const bool on1 = OnSegment(i1, p1, p2), on2 = OnSegment(i2, p1, p2);
    const int k = (on1 ? 1 : 0) + (on2 ? 2 : 0);
    if (k == 0)
        return out;
    if (k == 3) {
        out.cut = true;
        if (Distance(p1, i2) > Distance(p1, i1)) {
            Keep(out.pieces, p1, i1, Shortest);
            Keep(out.pieces, i2, p2, Shortest);
        } else {
            Keep(out.pieces, p1, i2, Shortest);
            Keep(out.pieces, i1, p2, Shortest);
        }
        return out;
    }
    const GeoPoint i = k == 1 ? i1 : i2;
    if (Within(i, p1, AtEnd) || Within(i, p2, AtEnd))
        return out;
    out.cut = true;
    // The part on the bounding lines' side goes: p1 between them keeps p2's
    // side.
    if (OnSegment(p1, i1, i2))
        Keep(out.pieces, i, p2, Shortest);
    else
        Keep(out.pieces, i, p1, Shortest);
    return out;
}
