#pragma once
// The geometry library: lines, circles, arcs, ellipses, arc areas,
// transforms and Bezier pieces.

#include "model/GeometryArcArea.h"
#include "model/GeometryBezier.h"
#include "model/GeometryCircles.h"
#include "model/GeometryEllipses.h"
#include "model/GeometryLines.h"
#include "model/GeometryTypes.h"
#include "model/TransformMatrix.h"
