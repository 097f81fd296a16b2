#pragma once
// Circles, arcs and ellipses of the drawing as the point tool reads them:
// values found by their codes, so a record short of a value is no shape.

#include "model/Entity.h"
#include "model/GeometryCircles.h"
#include "model/GeometryEllipses.h"
#include "model/GeometryLines.h"

#include <cmath>
#include <cstddef>
#include <numbers>

namespace pointtool {

inline bool ValueByCode(const CEntity& e, int16_t code, double& out)
{
    const int i = FindValueIndex(e, code);
    if (i < 0 || static_cast<std::size_t>(i) >= e.values.size() || (e.count >= 0 && i >= e.count))
        return false;
    out = e.values[static_cast<std::size_t>(i)];
    return std::isfinite(out);
}

inline bool IsLineType(int t)
{
    return t >= EntityType::Line && t <= EntityType::InfiniteLine;
}

inline bool IsCircleType(int t)
{
    return t == EntityType::Circle || t == EntityType::Arc;
}

inline bool IsEllipseType(int t)
{
    return t == EntityType::Ellipse || t == EntityType::EllipticArc;
}

// The two stored points of a line (types 20 to 23).
struct LineShape {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool segment = false;  // type 20: the points end it
    bool Read(const CEntity& e)
    {
        if (!IsLineType(e.type) || e.values.size() < 4 || e.count < 4)
            return false;
        x1 = e.values[0];
        y1 = e.values[1];
        x2 = e.values[2];
        y2 = e.values[3];
        segment = e.type == EntityType::Line;
        return true;
    }
    bool OnSegment(double x, double y) const { return IsPointOnSegment(x, y, x1, y1, x2, y2) == 0; }
};

struct CircleShape {
    double cx = 0, cy = 0, r = 0;
    bool arc = false;
    int direction = 1;                  // the arc's subtype
    double sx = 0, sy = 0, ex = 0, ey = 0;  // the arc's start and end points
    bool Read(const CEntity& e)
    {
        if (!IsCircleType(e.type) || !ValueByCode(e, 10, cx) || !ValueByCode(e, 20, cy) || !ValueByCode(e, 40, r))
            return false;
        arc = e.type == EntityType::Arc;
        direction = e.subtype;
        if (arc) {
            double start = 0, end = 0;
            if (!ValueByCode(e, 50, start) || !ValueByCode(e, 51, end))
                return false;
            const PointSet<2> ends = ArcEndPoints(cx, cy, r, start, end);
            sx = ends.x[0];
            sy = ends.y[0];
            ex = ends.x[1];
            ey = ends.y[1];
        }
        return true;
    }
    // Whether a point of the full circle lies on the arc too (always, for
    // a circle). The arc is passed from its end to its start, the subtype
    // giving the direction of that run.
    bool Holds(double x, double y) const
    {
        return !arc || IsPointOnArc(ex, ey, cx, cy, r, direction, x, y, sx, sy) == 0;
    }
};

struct EllipseShape {
    GeoEllipse e;
    bool arc = false;
    double start = 0, end = 0;
    bool Read(const CEntity& ent)
    {
        if (!IsEllipseType(ent.type) || !ValueByCode(ent, 10, e.cx) || !ValueByCode(ent, 20, e.cy) ||
            !ValueByCode(ent, 60, e.r1) || !ValueByCode(ent, 61, e.r2) || !ValueByCode(ent, 62, e.rotation))
            return false;
        arc = ent.type == EntityType::EllipticArc;
        if (arc && (!ValueByCode(ent, 50, start) || !ValueByCode(ent, 51, end)))
            return false;
        return true;
    }
    // Whether a point of the full ellipse lies on the arc too.
    bool Holds(double x, double y) const
    {
        return !arc || IsPointOnEllipticArc(e.r1, e.r2, e.rotation, start, end, x, y, e.cx, e.cy) == 1;
    }
    // |u²/r1² + v²/r2² - 1| < 0.001 for the point in the ellipse's own
    // axes; a flat ellipse holds no point.
    bool OnCurve(double x, double y) const
    {
        if (!(std::abs(e.r1) > 1e-9) || !(std::abs(e.r2) > 1e-9))
            return false;
        const double t = -e.rotation * std::numbers::pi / 180.0;
        const double dx = x - e.cx, dy = y - e.cy;
        const double u = dx * std::cos(t) - dy * std::sin(t);
        const double w = dx * std::sin(t) + dy * std::cos(t);
        return std::abs(u * u / (e.r1 * e.r1) + w * w / (e.r2 * e.r2) - 1.0) < 0.001;
    }
};

} // namespace pointtool
