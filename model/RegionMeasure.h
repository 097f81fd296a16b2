#pragma once
// Lengths and areas of a closed region made of picked boundary elements, as
// the perimeter and area dimensions measure them. Angles of stored arcs are
// degrees; everything else is model millimetres.

#include "model/GeometryTypes.h"

#include <vector>

// Circumference of an ellipse with semi-axes a and b: 4·A·I with A the
// larger semi-axis and I the quarter integral of sqrt(1 - e²·sin²t) by
// Simpson's rule over 1000 intervals.
double EllipsePerimeter(double a, double b);

// Length of an elliptic arc from its start direction to its end direction
// (degrees, counter-clockwise).
double EllipticArcLength(const GeoEllipticArc& arc);

// A circular arc of a drawing: centre, radius, start and end angle, and its
// direction (+1 counter-clockwise from start to end, -1 clockwise).
struct BoundaryArc {
    double cx = 0.0, cy = 0.0, r = 0.0;
    double start = 0.0, end = 0.0;
    int direction = 1;
};

// The way a boundary runs along an arc it enters at P: the arc's own
// direction when the way from the arc's start forward to P is no longer
// than the way from its end back to P, else against it. +1 counter-
// clockwise, -1 clockwise.
int ArcWalkDirection(const BoundaryArc& arc, double px, double py);

// Length along the arc from junction P to junction Q in the walk direction
// the boundary takes when it enters at P; 0 when P and Q coincide (within
// 0.5 on both axes) or do not lie on one circle about the centre.
double ArcLengthBetweenJunctions(const BoundaryArc& arc, double px, double py, double qx, double qy);

// One edge of a region, from its vertex to the next: straight, or a
// circular arc about (cx, cy) walked counter-clockwise (+1) or clockwise
// (-1), or a polyline through the given points (between its ends).
struct RegionEdge {
    int direction = 0;  // 0 straight, else arc
    double cx = 0.0, cy = 0.0, r = 0.0;
    std::vector<GeoPoint> via;  // inner points of a polyline edge
};

// Area and centroid of the region whose vertices are given in order (the
// last edge closes back to vertex 0). status 0; -1 when an edge fails;
// -2 when the area is below 1e-5 in magnitude. The area is its magnitude.
AreaCentroid RegionArea(const std::vector<GeoPoint>& vertices, const std::vector<RegionEdge>& edges);

// The points of an elliptic arc between two of its points P and Q, walked
// from P the way the boundary runs (by the rule of ArcWalkDirection with
// the arc's parameters): P, 255 inner points, Q.
std::vector<GeoPoint> EllipticArcWalk(const GeoEllipticArc& arc, double px, double py, double qx, double qy);
