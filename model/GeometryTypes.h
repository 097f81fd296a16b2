#pragma once
// Plain value types returned by the geometry functions. Everything is in model
// millimetres on doubles; stored angles are degrees.
//
// Status convention: 0 success; the failure codes are listed with each
// function. Coordinates of a failed call are left at 0.

#include <array>
#include <cstddef>

struct GeoPoint {
    double x = 0.0;
    double y = 0.0;
};

// A point with the status of the call that made it.
struct PointResult {
    int status = 0;
    double x = 0.0;
    double y = 0.0;
};

// The line a·x + b·y + c = 0; the normal (a, b) is not normalised.
struct LineResult {
    int status = 0;
    double a = 0.0;
    double b = 0.0;
    double c = 0.0;
};

struct DistanceResult {
    int status = 0;
    double distance = 0.0;
};

// Up to N points as two parallel arrays; count of them are valid, the rest 0.
template <std::size_t N>
struct PointSet {
    int status = 0;
    int count = 0;
    std::array<double, N> x{};
    std::array<double, N> y{};
};

// Centre, radius and turning direction (+1 counter-clockwise, -1 clockwise,
// 0 when the points are collinear) of the circle through three points.
struct CircleResult {
    double cx = 0.0;
    double cy = 0.0;
    double radius = 0.0;
    int direction = 0;
};

// An ellipse: centre, first radius r1 along its own axis, second radius r2,
// and the rotation of the first axis in degrees. r1 need not be the longer.
struct GeoEllipse {
    double cx = 0.0;
    double cy = 0.0;
    double r1 = 0.0;
    double r2 = 0.0;
    double rotation = 0.0;
};

// An elliptic arc adds the directions (degrees, counter-clockwise from the
// model's +x axis, seen from the centre) of its two end points. The arc runs
// counter-clockwise from start to end.
struct GeoEllipticArc {
    GeoEllipse ellipse;
    double start = 0.0;
    double end = 0.0;
};

// The ends of an ellipse's first axis (plus side at index 0) and second axis.
struct EllipseAxisPoints {
    std::array<double, 2> firstX{};
    std::array<double, 2> firstY{};
    std::array<double, 2> secondX{};
    std::array<double, 2> secondY{};
};

struct GeoBox {
    int status = 0;
    double minX = 0.0;
    double minY = 0.0;
    double maxX = 0.0;
    double maxY = 0.0;
};

// Signed area of one circular edge against the x axis and its centroid.
struct AreaCentroid {
    int status = 0;
    double area = 0.0;
    double cx = 0.0;
    double cy = 0.0;
};
