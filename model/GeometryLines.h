#pragma once
// Lines held as a·x + b·y + c = 0, points and segments.

#include "model/GeometryTypes.h"

// Direction codes of a vector, as DirectionCode gives them.
enum DirectionCodeValue : int {
    DirectionNone = -1,
    DirectionUp = 1,
    DirectionDown = 2,
    DirectionRight = 3,
    DirectionLeft = 4,
};

// Line through two points. Points whose y (or x) values differ by less than
// 0.5 give an exactly horizontal (or vertical) line. Status -1 (all zero) when
// the points are exactly equal.
LineResult LineFromPoints(double x1, double y1, double x2, double y2);

// Crossing of two lines. Status -1 exactly parallel, -2 nearly parallel
// (determinant below 0.05 and normals within 1.75e-4 rad of 0 or +pi);
// the point is (0, 0) then.
PointResult IntersectLines(double a1, double b1, double c1, double a2, double b2, double c2);

// Foot of the perpendicular from P. Status -1 when a² + b² < 1e-4.
PointResult PerpendicularFoot(double px, double py, double a, double b, double c);

// P mirrored in the line. Status 1 when a = b = 0.
PointResult MirrorPoint(double px, double py, double a, double b, double c);

// The parallel at distance on P's side of the line (a and b are kept).
// Status -1 when P lies on the line (closer than 1e-4): the line is returned
// unchanged.
LineResult ParallelLineTowards(double a, double b, double c, double distance, double px, double py);

// The point at distance from P along the line, moving in the direction named
// by the code (DirectionCode of the segment being followed). Status -1 when P
// is more than 0.5 from the line or the line has no direction (a = b = 0);
// the point is P then.
PointResult PointOnLineAtDistance(int directionCode, double px, double py, double a, double b, double c,
                                  double distance);

// 1 up, 2 down, 3 right, 4 left for the vector P1→P2; -1 when shorter than
// 1e-4 on both axes. Exact diagonals: (1,1) and (1,-1) right, (-1,1) up,
// (-1,-1) down.
int DirectionCode(double x1, double y1, double x2, double y2);

// Euclidean distance; status -1 (distance 0) for exactly equal points.
DistanceResult PointDistance(double x1, double y1, double x2, double y2);

// The point at distance from P1 towards P2; P1 when the points coincide.
GeoPoint PointTowards(double x1, double y1, double x2, double y2, double distance);

// mode < 0: perpendicular to P1→P2 turned clockwise; 0: along P1→P2;
// > 0: perpendicular turned counter-clockwise; at distance from P1.
// Status 1 (point left at 0) when |P1P2| < 0.5.
PointResult OffsetPointFromSegment(int mode, double x1, double y1, double x2, double y2, double distance);

// atan2(y2, x2) - atan2(y1, x1) in radians, not normalised.
double AngleBetween(double x1, double y1, double x2, double y2);

// 0 when P lies within 0.5 of the segment's line and no farther from either
// end than the segment's length + 0.0005; -1 otherwise or for a degenerate
// segment.
int IsPointOnSegment(double px, double py, double x1, double y1, double x2, double y2);
