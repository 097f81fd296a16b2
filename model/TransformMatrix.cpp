#include "model/TransformMatrix.h"

GeoPoint TransformMatrix::Apply(double x, double y) const { return {x, y}; }
TransformMatrix MatrixMultiply(const TransformMatrix& a, const TransformMatrix&) { return a; }
void MatrixTranslate(TransformMatrix&, double, double) {}
void MatrixScale(TransformMatrix&, double, double) {}
void MatrixRotate(TransformMatrix&, double) {}
