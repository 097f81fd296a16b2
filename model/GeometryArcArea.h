#pragma once
// Signed area and centroid of one circular edge of a closed boundary.

#include "model/GeometryTypes.h"

// The edge runs from P1 to P2 about (cx, cy) with radius r; direction +1
// counter-clockwise, -1 clockwise. The area is measured between the edge and
// the x axis, positive when the edge runs towards smaller x, so that the
// edges of a counter-clockwise boundary add up to its area (straight edges
// contribute their trapezoids elsewhere). An area below 1e-6 is returned as 0
// with centroid (0, 0). status 0.
AreaCentroid ArcEdgeAreaAndCentroid(int direction, double x1, double y1, double x2, double y2, double cx,
                                    double cy, double r);
