#include "model/TransformMatrix.h"

#include <cmath>

GeoPoint TransformMatrix::Apply(double x, double y) const
{
    return {x * m[0] + y * m[3] + m[6], x * m[1] + y * m[4] + m[7]};
}

TransformMatrix MatrixMultiply(const TransformMatrix& a, const TransformMatrix& b)
{
    TransformMatrix p;
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            double sum = 0.0;
            for (int k = 0; k < 3; ++k)
                sum += a.m[row * 3 + k] * b.m[k * 3 + col];
            p.m[row * 3 + col] = sum;
        }
    }
    return p;
}

void MatrixTranslate(TransformMatrix& matrix, double dx, double dy)
{
    const TransformMatrix t{{1.0, 0.0, 0.0, 0.0, 1.0, 0.0, dx, dy, 1.0}};
    matrix = MatrixMultiply(t, matrix);
}

void MatrixScale(TransformMatrix& matrix, double sx, double sy)
{
    const TransformMatrix t{{sx, 0.0, 0.0, 0.0, sy, 0.0, 0.0, 0.0, 1.0}};
    matrix = MatrixMultiply(t, matrix);
}

void MatrixRotate(TransformMatrix& matrix, double angle)
{
    if (std::abs(angle) < 0.005)
        return;
    // This value of a full turn, not 2π to full precision, is what placed
    // parts have always been turned with.
    const double alpha = 6.283185308 / (360.0 / angle);
    const double c = std::cos(alpha);
    const double s = std::sin(alpha);
    const TransformMatrix t{{c, s, 0.0, -s, c, 0.0, 0.0, 0.0, 1.0}};
    matrix = MatrixMultiply(t, matrix);
}
