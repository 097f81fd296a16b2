#pragma once
// Halving and length walk of cubic Bezier pieces.

#include "model/GeometryTypes.h"

#include <array>

using BezierPoints = std::array<GeoPoint, 4>;

struct BezierHalves {
    BezierPoints left;
    BezierPoints right;
};

// de Casteljau at t = 0.5.
BezierHalves SplitBezier(const BezierPoints& p);

// Where a walk along a piece stopped.
struct BezierWalk {
    double parameter = 0.0; // sum of the accepted sub-pieces' parameter spans
    double walked = 0.0;    // length walked, including the length passed in
    double target = 0.0;    // 0 once the target length has been reached
};

// Deepest halving of a piece; a sub-piece that deep is taken as straight.
inline constexpr int BezierMaxDepth = 16;

// Walks the piece from its start, adding flat-enough sub-pieces (control
// polygon within tolerance of the chord) to walked until target is reached
// (within tolerance). Measure a whole piece by passing a target larger than
// its length (walked then holds the length, parameter 1); locate a length by
// passing it (parameter then tells where it is reached). A target of 0 does
// nothing.
BezierWalk BezierLengthWalk(const BezierPoints& p, double tolerance, double target, double walked = 0.0);
