#include "model/GeometryBezier.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();
const double Inf = std::numeric_limits<double>::infinity();
constexpr double QuarterLength = 157.1016698056;

// Nearly a quarter circle of radius 100 about the origin, from (100, 0) to
// (0, 100); its length, measured finely elsewhere, is QuarterLength.
BezierPoints QuarterCircle()
{
    const double k = 100 * 0.5522847498;
    return {GeoPoint{100, 0}, GeoPoint{100, k}, GeoPoint{k, 100}, GeoPoint{0, 100}};
}

TEST(GeometryBezier, SplitHalvesAtTheMiddle)
{
    const BezierPoints p{GeoPoint{0, 0}, GeoPoint{0, 8}, GeoPoint{8, 8}, GeoPoint{8, 0}};
    const BezierHalves h = SplitBezier(p);
    const double left[4][2] = {{0, 0}, {0, 4}, {2, 6}, {4, 6}};
    const double right[4][2] = {{4, 6}, {6, 6}, {8, 4}, {8, 0}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(h.left[i].x, left[i][0]) << i;
        EXPECT_EQ(h.left[i].y, left[i][1]) << i;
        EXPECT_EQ(h.right[i].x, right[i][0]) << i;
        EXPECT_EQ(h.right[i].y, right[i][1]) << i;
    }
}

TEST(GeometryBezier, MeasuringAWholePiece)
{
    const BezierPoints straight{GeoPoint{0, 0}, GeoPoint{10, 0}, GeoPoint{20, 0}, GeoPoint{30, 0}};
    BezierWalk w = BezierLengthWalk(straight, 0.5, 1000);
    EXPECT_DOUBLE_EQ(w.walked, 30);
    EXPECT_DOUBLE_EQ(w.parameter, 1);
    EXPECT_EQ(w.target, 1000);

    w = BezierLengthWalk(QuarterCircle(), 0.5, 1e9);
    // Each accepted sub-piece may count up to the tolerance too much.
    EXPECT_GE(w.walked, QuarterLength - 1e-9);
    EXPECT_LT(w.walked, QuarterLength + 1.0);
    EXPECT_DOUBLE_EQ(w.parameter, 1);
}

TEST(GeometryBezier, LocatingALength)
{
    const BezierPoints straight{GeoPoint{0, 0}, GeoPoint{10, 0}, GeoPoint{20, 0}, GeoPoint{30, 0}};
    BezierWalk w = BezierLengthWalk(straight, 0.5, 10);
    EXPECT_EQ(w.target, 0); // reached
    EXPECT_NEAR(w.walked, 10, 0.5);
    EXPECT_NEAR(w.parameter * 30, 10, 0.5);

    // A walk that starts with length already walked on earlier pieces.
    w = BezierLengthWalk(straight, 0.5, 110, 100);
    EXPECT_EQ(w.target, 0);
    EXPECT_NEAR(w.walked, 110, 0.5);
    EXPECT_NEAR(w.parameter * 30, 10, 0.5);

    // Nothing to walk.
    w = BezierLengthWalk(straight, 0.5, 0);
    EXPECT_EQ(w.parameter, 0);
    EXPECT_EQ(w.walked, 0);
}

// Tolerances that can never be met would halve the piece without end; the
// walk stops at its deepest halving and still measures the piece.
TEST(GeometryBezier, UnmeetableTolerancesEndTheWalk)
{
    for (double tolerance : {0.0, -1.0, NaN}) {
        SCOPED_TRACE(tolerance);
        BezierWalk w = BezierLengthWalk(QuarterCircle(), tolerance, 1e9);
        EXPECT_NEAR(w.walked, QuarterLength, 1e-6);
        EXPECT_NEAR(w.parameter, 1, 1e-12);

        w = BezierLengthWalk(QuarterCircle(), tolerance, QuarterLength / 2);
        EXPECT_EQ(w.target, 0);
        EXPECT_NEAR(w.walked, QuarterLength / 2, 1e-9);
        EXPECT_NEAR(w.parameter, 0.5, 1e-6); // the piece is symmetric
    }
    // An infinite tolerance takes the piece at once.
    const BezierWalk w = BezierLengthWalk(QuarterCircle(), Inf, 1e9);
    EXPECT_DOUBLE_EQ(w.parameter, 1);
}

TEST(GeometryBezier, MeaninglessTargetsAndPointsEndTheWalk)
{
    BezierWalk w = BezierLengthWalk(QuarterCircle(), 0.5, -5);
    EXPECT_EQ(w.target, 0);
    EXPECT_EQ(w.parameter, 0);
    w = BezierLengthWalk(QuarterCircle(), 0.5, NaN);
    EXPECT_EQ(w.target, 0);
    const BezierPoints broken{GeoPoint{0, 0}, GeoPoint{NaN, 0}, GeoPoint{1, 1}, GeoPoint{2, 2}};
    w = BezierLengthWalk(broken, 0.5, 10);
    EXPECT_EQ(w.target, 0);
}

} // namespace
