#include "model/GeometryArcArea.h"

AreaCentroid ArcEdgeAreaAndCentroid(int, double, double, double, double, double, double, double) { return {}; }
