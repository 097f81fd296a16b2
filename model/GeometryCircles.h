#pragma once
// Circles and circular arcs: crossings, tangents and points along arcs.

#include "model/GeometryTypes.h"

// Crossings of the line a·x + b·y + c = 0 with the circle (cx, cy, r).
// A line within 0.5 of touching gives one point, the foot from the centre.
// Status -1 when the line misses, -2 when a = b = 0; count 0 then.
PointSet<2> IntersectLineCircle(double a, double b, double c, double cx, double cy, double r);

// Crossings of two circles; near-touching ones (within 0.5) give one point.
// Status 1 with count 0 when the centres coincide or the circles are apart.
PointSet<2> IntersectCircles(double x1, double y1, double r1, double x2, double y2, double r2);

// Points where the tangents from P touch the circle (cx, cy, r). P within 0.5
// of the circle gives P alone. Status 1 with count 0 when P is inside.
PointSet<2> TangentPoints(double px, double py, double cx, double cy, double r);

// The circle through three points, and whether they run counter-clockwise
// (+1) or clockwise (-1) about it; all zero for (nearly) collinear points.
CircleResult CircleFrom3Points(double x1, double y1, double x2, double y2, double x3, double y3);

// Whether P lies on the arc from S to E about M with radius r. direction is
// +1 when the arc runs clockwise from S to E, -1 when counter-clockwise.
// 0 on, -1 off.
int IsPointOnArc(double sx, double sy, double cx, double cy, double r, int direction, double px, double py,
                 double ex, double ey);

// The point at arc length L along the circle (M, r) from S; side picks the
// side of the line M→S the point lies on. Status 1 when S is not on the
// circle or L is beyond the circumference; the point is S for L < 0.5.
PointResult ArcMidPoint(int side, double sx, double sy, double cx, double cy, double r, double length);

// The points of a circle at the start angle (index 0) and end angle (index 1),
// in degrees. count 2, status 0.
PointSet<2> ArcEndPoints(double cx, double cy, double r, double startAngle, double endAngle);

// Most points an arc polyline holds: P1, 59 steps, P2.
inline constexpr int ArcPolylineMaxPoints = 61;

// The arc from P1 to P2 about M as a polyline of P1, one point every step
// degrees, and P2. direction 1 counter-clockwise, anything else clockwise.
// Status -1 (count 0) for 60 steps or more, or a step that is not positive.
PointSet<ArcPolylineMaxPoints> ArcToPolyline(int direction, double x1, double y1, double x2, double y2, double cx,
                                             double cy, double r, double step);
