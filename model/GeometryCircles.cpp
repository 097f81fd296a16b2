#include "model/GeometryCircles.h"

PointSet<2> IntersectLineCircle(double, double, double, double, double, double) { return {}; }
PointSet<2> IntersectCircles(double, double, double, double, double, double) { return {}; }
PointSet<2> TangentPoints(double, double, double, double, double) { return {}; }
CircleResult CircleFrom3Points(double, double, double, double, double, double) { return {}; }
int IsPointOnArc(double, double, double, double, double, int, double, double, double, double) { return -1; }
PointResult ArcMidPoint(int, double, double, double, double, double, double) { return {}; }
PointSet<2> ArcEndPoints(double, double, double, double, double) { return {}; }
PointSet<ArcPolylineMaxPoints> ArcToPolyline(int, double, double, double, double, double, double, double, double)
{
    return {};
}
