#pragma once
// Cutting a straight piece out of a line: between two positions on it, or
// between two bounding lines that cross it. Plain geometry; the expansion
// tool applies the pieces.

#include "model/GeometryTypes.h"

#include <vector>

struct LineSegment {
    GeoPoint a, b;
};

// The point of the segment p1-p2 nearest the foot of the perpendicular from
// p: the foot when it lies on the segment, else the nearer end (the second
// at equal distances). Fails (status not 0) for a degenerate line.
PointResult FootOnSegment(GeoPoint p, GeoPoint p1, GeoPoint p2);

// The pieces that stay when the part between positions s and e (both on
// the segment) is cut out of p1-p2. A position within 0.005 on both axes of
// an end takes that end's side away; otherwise two pieces, whichever
// position came first. Pieces shorter than 0.5 are not made, so s and e on
// the two ends leave nothing.
std::vector<LineSegment> CutLinePieces(GeoPoint p1, GeoPoint p2, GeoPoint s, GeoPoint e);

// The pieces that stay of p1-p2 when the part between the bounding lines is
// cut out; i1 and i2 are where the line meets the first and the second
// bounding line. Nothing is cut (the whole segment comes back, `cut` false)
// when neither crossing lies on the segment, or when the one that does lies
// within 0.05 of an end. Pieces shorter than 0.05 are dropped.
struct BetweenLinesCut {
    bool cut = false;
    std::vector<LineSegment> pieces;
};
BetweenLinesCut CutBetweenLinesPieces(GeoPoint p1, GeoPoint p2, GeoPoint i1, GeoPoint i2);
