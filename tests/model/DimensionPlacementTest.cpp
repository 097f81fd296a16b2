// The geometry the dimension tool's previews and records share, without a
// view: the foot of a radius on a circle or ellipse, and the upright turn of
// distance and diameter lines.

#include "model/DimensionPlacement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

struct FootCase {
    const char* name;
    double r;
    bool ellipse;
    GeoEllipse shape;
    double px, py;
    int status;
    double x, y;
};

TEST(DimensionPlacement, FootTowardPointLiesOnTheCurveOnThePointsSide)
{
    const FootCase cases[] = {
        {"circle, to the right", 10, false, {}, 20, 0, 0, 10, 0},
        {"circle, point inside below", 10, false, {}, 0, -5, 0, 0, -10},
        {"circle, on the centre", 10, false, {}, 0, 0, 1, 0, 0},
        {"ellipse, along its major axis", 20, true, {0, 0, 20, 10, 0}, 30, 0, 0, 20, 0},
        {"ellipse, the crossing nearer the point", 20, true, {0, 0, 20, 10, 0}, -30, 0, 0, -20, 0},
        {"ellipse, along its minor axis", 20, true, {0, 0, 20, 10, 0}, 0, 30, 0, 0, 10},
        {"ellipse turned a quarter", 20, true, {0, 0, 20, 10, 90}, 0, -30, 0, 0, -20},
        {"ellipse, on the centre", 20, true, {0, 0, 20, 10, 0}, 0, 0, 1, 0, 0},
    };
    for (const FootCase& c : cases) {
        SCOPED_TRACE(c.name);
        const RadiusFoot f = FootTowardPoint(0, 0, c.r, c.ellipse ? &c.shape : nullptr, c.px, c.py);
        EXPECT_EQ(f.status, c.status);
        if (c.status != 0)
            continue;
        EXPECT_NEAR(f.x, c.x, 1e-9);
        EXPECT_NEAR(f.y, c.y, 1e-9);
    }
}

struct TurnCase {
    const char* name;
    GeoPoint p1, p2, first;
    bool diameter;
    bool exchanged;
    double angle;
};

TEST(DimensionPlacement, OrientDimensionTurnsTheTextUpright)
{
    const double steep = 134.5 * std::numbers::pi / 180.0;
    const GeoPoint steepEnd{10 * std::cos(steep), 10 * std::sin(steep)};
    const TurnCase cases[] = {
        {"right, measured above: as drawn", {0, 0}, {10, 0}, {0, 5}, false, false, 0},
        {"up, measured below: exchanged", {0, 0}, {0, 10}, {0, -5}, false, true, -90},
        {"down, measured to the right: exchanged", {0, 10}, {0, 0}, {5, 10}, false, true, 90},
        {"left, measured above: only the text turns", {0, 0}, {-10, 0}, {0, 5}, false, false, 0},
        {"measured on the line's start: only the text turns", {0, 0}, {10, 0}, {0, 0}, false, false, 180},
        {"up steeper than 134 degrees, measured right: exchanged", {0, 0}, steepEnd, {5, 0}, false, true,
         -45.5},
        {"diameter up, measured below: as drawn", {0, 0}, {0, 10}, {0, -5}, true, false, 90},
        {"diameter down, measured to the right: exchanged", {0, 10}, {0, 0}, {5, 10}, true, true, 90},
        {"diameter steep, measured right: as drawn", {0, 0}, steepEnd, {5, 0}, true, false, 134.5},
    };
    const GeoPoint second{100, 100};
    for (const TurnCase& c : cases) {
        SCOPED_TRACE(c.name);
        const UprightDimension u = OrientDimension(c.p1, c.p2, c.first, second, c.diameter);
        const GeoPoint p1 = c.exchanged ? c.p2 : c.p1, p2 = c.exchanged ? c.p1 : c.p2;
        const GeoPoint measured = c.exchanged ? second : c.first;
        EXPECT_EQ(u.p1.x, p1.x);
        EXPECT_EQ(u.p1.y, p1.y);
        EXPECT_EQ(u.p2.x, p2.x);
        EXPECT_EQ(u.p2.y, p2.y);
        EXPECT_EQ(u.measured.x, measured.x);
        EXPECT_EQ(u.measured.y, measured.y);
        EXPECT_NEAR(u.angle, c.angle, 1e-9);
    }
}

} // namespace
