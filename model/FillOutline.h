#pragma once
// The outline of a fill (type 70) as the fill drawer paints it: the region's
// points in model millimetres, walked from its boundary items, and the box
// the items cover. A region whose first item is a circle is that circle.

#include "model/GeometryTypes.h"

#include <vector>

struct CEntity;

// Most points EllipseArcPoints gives.
inline constexpr int EllipseArcMaxPoints = 129;

// Points of the elliptic arc from direction start to direction end (degrees,
// counter-clockwise), one every 0.1 of the ellipse parameter, at most 129;
// x and y need room for that many. Returns the number of points.
int EllipseArcPoints(double* x, double* y, double cx, double cy, double a, double b, double rotation, double start,
                     double end);

struct FillOutline {
    bool circle = false;            // the region is the circle (cx, cy, r)
    double cx = 0.0, cy = 0.0, r = 0.0;
    std::vector<GeoPoint> points;   // the polygon otherwise
    double minX = 9999999.0, minY = 9999999.0, maxX = -999999.0, maxY = -999999.0;
};

FillOutline CollectFillOutline(const CEntity& fill);
