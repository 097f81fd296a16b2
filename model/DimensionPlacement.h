#pragma once
// Where the dimensions of the dimension tool go: the pure geometry its
// previews and the records it adds both use, free of any view.

#include "model/DimensionRecord.h"
#include "model/GeometryTypes.h"

// Where the ray from a circle's centre (cx, cy) toward p meets the circle of
// radius r; for an ellipse (ellipse not null, its centre the same) the
// crossing of the line through the centre and p nearer p. status 0 found;
// 1 p on the centre (no direction); 2 the line misses the ellipse, (x, y)
// then the circle's point.
struct RadiusFoot {
    int status = 0;
    double x = 0.0, y = 0.0;
};
RadiusFoot FootTowardPoint(double cx, double cy, double r, const GeoEllipse* ellipse, double px, double py);

// A distance or diameter dimension line from p1 to p2 turned so its text
// reads upright: the ends exchanged when the turn says so, the measuring
// point the record keeps (`first`, or `second` after an exchange) and the
// text's direction in degrees (from p2 to p1 when only the text turns).
struct UprightDimension {
    GeoPoint p1, p2;
    GeoPoint measured;
    double angle = 0.0;
};
// The turn of a distance dimension (diameter false) or of a diameter, from
// the directions of p1 -> p2 and p1 -> first.
UprightDimension OrientDimension(GeoPoint p1, GeoPoint p2, GeoPoint first, GeoPoint second, bool diameter);
