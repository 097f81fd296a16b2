#pragma once
// How the expansion tool reads the elements it works on: the line kinds and
// their stored points, circles, arcs and ellipses as geometry values.

#include "model/Entity.h"
#include "model/GeometryLines.h"
#include "model/GeometryTypes.h"

#include <cmath>

namespace expansion {

inline bool IsLineKind(int type)
{
    return type == EntityType::Line || type == EntityType::HorizontalInfiniteLine ||
           type == EntityType::VerticalInfiniteLine || type == EntityType::InfiniteLine;
}

inline GeoPoint StoredStart(const CEntity& e)
{
    return {e.values.size() > 0 ? e.values[0] : 0.0, e.values.size() > 1 ? e.values[1] : 0.0};
}

inline GeoPoint StoredEnd(const CEntity& e)
{
    return {e.values.size() > 2 ? e.values[2] : 0.0, e.values.size() > 3 ? e.values[3] : 0.0};
}

inline bool FiniteValues(const CEntity& e, std::size_t count)
{
    if (e.values.size() < count)
        return false;
    for (std::size_t i = 0; i < count; ++i)
        if (!std::isfinite(e.values[i]))
            return false;
    return true;
}

// The infinite line through a line's stored points; status not 0 when they
// coincide (such a line has no direction to work along).
inline LineResult LineOf(const CEntity& e)
{
    if (!FiniteValues(e, 4))
        return {-1, 0.0, 0.0, 0.0};
    return LineFromPoints(e.values[0], e.values[1], e.values[2], e.values[3]);
}

inline bool HasDirection(const CEntity& e)
{
    return LineOf(e).status == 0;
}

// Circles and arcs with a finite centre and a positive radius.
inline bool IsUsableCircle(const CEntity& e)
{
    if (e.type == EntityType::Circle)
        return FiniteValues(e, 3) && e.values[2] > 0;
    if (e.type == EntityType::Arc)
        return FiniteValues(e, 5) && e.values[2] > 0;
    return false;
}

// Ellipses and elliptic arcs with finite values and positive radii.
inline bool IsUsableEllipse(const CEntity& e)
{
    if (e.type == EntityType::Ellipse)
        return FiniteValues(e, 5) && e.values[2] > 0 && e.values[3] > 0;
    if (e.type == EntityType::EllipticArc)
        return FiniteValues(e, 7) && e.values[2] > 0 && e.values[3] > 0;
    return false;
}

inline GeoEllipse EllipseOf(const CEntity& e)
{
    return {e.values[0], e.values[1], e.values[2], e.values[3], e.values[4]};
}

inline bool Near(GeoPoint a, GeoPoint b, double tolerance)
{
    return std::abs(a.x - b.x) < tolerance && std::abs(a.y - b.y) < tolerance;
}

inline double Distance(GeoPoint a, GeoPoint b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

inline bool OnSegment(GeoPoint p, GeoPoint a, GeoPoint b)
{
    return IsPointOnSegment(p.x, p.y, a.x, a.y, b.x, b.y) == 0;
}

} // namespace expansion
