#pragma once
// The 3×3 affine transform that placing, copying and turning build up.
//
// Nine doubles, row-major, applied to row vectors:
//   x' = x·m[0] + y·m[3] + m[6],  y' = x·m[1] + y·m[4] + m[7].
// Each Matrix* call builds an elementary matrix T and replaces M by T·M, so
// the transform given last acts first on a point.

#include "model/GeometryTypes.h"

#include <array>

struct TransformMatrix {
    std::array<double, 9> m{1.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 1.0};

    static TransformMatrix Identity() { return {}; }
    GeoPoint Apply(double x, double y) const;
};

// Product a·b of two matrices.
TransformMatrix MatrixMultiply(const TransformMatrix& a, const TransformMatrix& b);

void MatrixTranslate(TransformMatrix& matrix, double dx, double dy);
void MatrixScale(TransformMatrix& matrix, double sx, double sy);
// Counter-clockwise by angle degrees; angles below 0.005 in magnitude change
// nothing.
void MatrixRotate(TransformMatrix& matrix, double angle);
