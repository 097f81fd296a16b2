// The sampled polyline of a control-point curve.

#include "model/SplineSamples.h"

#include <gtest/gtest.h>

#include <vector>

TEST(SplineSamplesTest, SpansSampledByTheNumberOfPointsFromFirstToLast)
{
    const double xy[] = {0, 0, 10, 10, 20, 0};
    const std::vector<GeoPoint> p = SplineSamplePoints(xy, 3);
    // First point, span 1 at t = 1/4 .. 1, span 2 at t = 0 .. 1, last point.
    ASSERT_EQ(p.size(), 1u + 4u + 5u + 1u);
    EXPECT_DOUBLE_EQ(p.front().x, 0);
    EXPECT_DOUBLE_EQ(p.back().x, 20);
    // The spans meet at (P0 + 4 P1 + P2) / 6.
    EXPECT_DOUBLE_EQ(p[4].x, 10);
    EXPECT_DOUBLE_EQ(p[4].y, 40.0 / 6);
    EXPECT_DOUBLE_EQ(p[5].x, p[4].x);
    EXPECT_DOUBLE_EQ(p[5].y, p[4].y);
}

TEST(SplineSamplesTest, LongListsKeepTheDensityOfFortyPoints)
{
    std::vector<double> xy;
    for (int i = 0; i < 1000; ++i)
        xy.insert(xy.end(), {static_cast<double>(i), 0.0});
    EXPECT_EQ(SplineSamplePoints(xy.data(), 1000).size(), 1u + 41u + 998u * 42u + 1u);
    EXPECT_EQ(SplineSamplePoints(xy.data(), 1).size(), 1u);
    EXPECT_TRUE(SplineSamplePoints(xy.data(), 0).empty());
}
