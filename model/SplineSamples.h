#pragma once
// The polyline a control-point curve (type 24) is tested and previewed as:
// the uniform cubic B-spline of the points with the first and the last
// point doubled, each span sampled at t = j / (n + 1), j = 0 .. n + 1, for n
// control points (at most 40 taken for the density, so a long list stays
// linear), starting at the first control point and ending at the last.

#include "model/GeometryTypes.h"

#include <cstddef>
#include <vector>

// xy holds n points as x, y pairs. Fewer than two points give the points
// themselves.
std::vector<GeoPoint> SplineSamplePoints(const double* xy, std::size_t n);
