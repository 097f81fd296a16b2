#pragma once
// Ellipses and elliptic arcs: crossings, lengths, end points and boxes.
//
// A point at parameter t is centre + R(rotation)·(r1·cos t, r2·sin t). The
// angles of an elliptic arc are directions seen from the centre, not
// parameters; the parameter of a direction θ is
// atan2(sin(θ - rotation)/r2, cos(θ - rotation)/r1).
// An ellipse with a radius below 1e-4 is degenerate: it crosses nothing and
// holds no points.

#include "model/GeometryTypes.h"

// Crossings of the line a·x + b·y + c = 0 with the ellipse; count 0, 1 or 2.
PointSet<2> IntersectLineEllipse(const GeoEllipse& e, double a, double b, double c);

// As IntersectLineEllipse, keeping the points whose direction lies on the arc.
PointSet<2> IntersectLineEllipticArc(const GeoEllipticArc& arc, double a, double b, double c);

// Crossings of an ellipse and a circle, at most 2 (found by sampling).
PointSet<2> IntersectCircleEllipse(const GeoEllipse& e, double cx, double cy, double r);

// Crossings of two ellipses, at most 8 (samples of the first lying on the
// second; several samples near one crossing count separately).
PointSet<8> IntersectEllipses(const GeoEllipse& first, const GeoEllipse& second);

// The point reached walking length along the ellipse from the start point
// (projected to the ellipse by its parameter); direction +1 counter-clockwise,
// -1 clockwise. status 0.
PointResult PointAlongEllipse(int direction, const GeoEllipse& e, double startX, double startY, double length);

// Ends of the first axis (index 0 on the plus side) and of the second axis.
EllipseAxisPoints EllipseAxisEnds(double cx, double cy, double r1, double r2, double rotation);

// Length along the ellipse between the parameters t1 and t2 (radians).
double EllipseArcLength(double t1, double t2, double r1, double r2);

// Counter-clockwise length along the ellipse from the direction of P1 to the
// direction of P2.
double EllipseArcLengthBetween(const GeoEllipse& e, double x1, double y1, double x2, double y2);

// The ellipse points in the directions start (index 0) and end (index 1),
// in degrees. count 2.
PointSet<2> EllipticArcEndPoints(const GeoEllipse& e, double startAngle, double endAngle);

// Bounding box of an elliptic arc from its points sampled every 0.05 of the
// parameter and its end point. Status -1 (box 0) when the arc's values are not finite.
GeoBox EllipticArcBounds(const GeoEllipticArc& arc);

// 1 when P lies on the elliptic arc (within 0.001 of the ellipse equation),
// 0 otherwise.
int IsPointOnEllipticArc(double r1, double r2, double rotation, double startAngle, double endAngle, double px,
                         double py, double cx, double cy);
