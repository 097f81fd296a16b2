#include "model/TransformMatrix.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void ExpectMaps(const TransformMatrix& m, double x, double y, double ex, double ey)
{
    const GeoPoint p = m.Apply(x, y);
    // Turns use a full turn of 6.283185308, a little off 2π.
    EXPECT_NEAR(p.x, ex, 1e-8) << "(" << x << ", " << y << ")";
    EXPECT_NEAR(p.y, ey, 1e-8) << "(" << x << ", " << y << ")";
}

TEST(GeometryTransform, IdentityAndApplyUseRowVectors)
{
    TransformMatrix m;
    ExpectMaps(m, 3, 4, 3, 4);
    m.m = {1, 2, 0, 3, 4, 0, 5, 6, 1};
    // x' = x·m0 + y·m3 + m6, y' = x·m1 + y·m4 + m7.
    ExpectMaps(m, 1, 1, 1 + 3 + 5, 2 + 4 + 6);
}

TEST(GeometryTransform, RotateIgnoresTinyAnglesAndTurnsCounterClockwise)
{
    TransformMatrix m;
    MatrixRotate(m, 0.004);
    EXPECT_EQ(m.m, TransformMatrix::Identity().m);
    MatrixRotate(m, -0.004);
    EXPECT_EQ(m.m, TransformMatrix::Identity().m);

    MatrixRotate(m, 90);
    ExpectMaps(m, 1, 0, 0, 1);
    ExpectMaps(m, 0, 1, -1, 0);

    TransformMatrix back;
    MatrixRotate(back, -90);
    ExpectMaps(back, 0, 1, 1, 0);
}

TEST(GeometryTransform, RotateUsesItsOwnValueOfAFullTurn)
{
    TransformMatrix m;
    MatrixRotate(m, 360);
    EXPECT_DOUBLE_EQ(m.m[1], std::sin(6.283185308));
    EXPECT_NE(m.m[1], 0.0);
}

TEST(GeometryTransform, TheTransformGivenLastActsFirst)
{
    struct Step {
        char kind; // 't' translate, 's' scale, 'r' rotate
        double a, b;
    };
    struct Case {
        const char* name;
        Step steps[2];
        double x, y, ex, ey;
    };
    const Case cases[] = {
        {"translate then rotate", {{'t', 5, 0}, {'r', 90, 0}}, 1, 0, 5, 1},
        {"rotate then translate", {{'r', 90, 0}, {'t', 5, 0}}, 1, 0, 0, 6},
        {"scale then translate", {{'s', 2, 3}, {'t', 1, 1}}, 1, 1, 4, 6},
        {"translate then scale", {{'t', 1, 1}, {'s', 2, 3}}, 1, 1, 3, 4},
        {"scale then rotate", {{'s', 2, 1}, {'r', 90, 0}}, 1, 0, 0, 1},
        {"rotate then scale", {{'r', 90, 0}, {'s', 2, 1}}, 1, 0, 0, 2},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TransformMatrix m = TransformMatrix::Identity();
        for (const Step& s : k.steps) {
            if (s.kind == 't')
                MatrixTranslate(m, s.a, s.b);
            else if (s.kind == 's')
                MatrixScale(m, s.a, s.b);
            else
                MatrixRotate(m, s.a);
        }
        ExpectMaps(m, k.x, k.y, k.ex, k.ey);
    }
}

TEST(GeometryTransform, MultiplyIsRowMajor)
{
    TransformMatrix a;
    a.m = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    TransformMatrix b;
    b.m = {9, 8, 7, 6, 5, 4, 3, 2, 1};
    const TransformMatrix p = MatrixMultiply(a, b);
    const std::array<double, 9> expected{30, 24, 18, 84, 69, 54, 138, 114, 90};
    EXPECT_EQ(p.m, expected);
}

} // namespace
