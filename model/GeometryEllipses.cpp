#include "model/GeometryEllipses.h"

PointSet<2> IntersectLineEllipse(const GeoEllipse&, double, double, double) { return {}; }
PointSet<2> IntersectLineEllipticArc(const GeoEllipticArc&, double, double, double) { return {}; }
PointSet<2> IntersectCircleEllipse(const GeoEllipse&, double, double, double) { return {}; }
PointSet<8> IntersectEllipses(const GeoEllipse&, const GeoEllipse&) { return {}; }
PointResult PointAlongEllipse(int, const GeoEllipse&, double, double, double) { return {}; }
EllipseAxisPoints EllipseAxisEnds(double, double, double, double, double) { return {}; }
double EllipseArcLength(double, double, double, double) { return 0.0; }
double EllipseArcLengthBetween(const GeoEllipse&, double, double, double, double) { return 0.0; }
PointSet<2> EllipticArcEndPoints(const GeoEllipse&, double, double) { return {}; }
GeoBox EllipticArcBounds(const GeoEllipticArc&) { return {}; }
int IsPointOnEllipticArc(double, double, double, double, double, double, double, double, double) { return 0; }
