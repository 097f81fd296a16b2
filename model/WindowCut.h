#pragma once
// Trimming the lines a window takes at their mutual crossings: which lines
// the window takes, where a line crosses the window's border, and the
// pieces that stay of each line. Plain geometry on the lines' stored
// points; the expansion tool marks the records, replaces them and records
// the undo step.

#include "model/GeometryTypes.h"
#include "model/LineCut.h"

#include <cstdint>
#include <vector>

// A window with xmin <= xmax and ymin <= ymax.
struct CutWindow {
    double xmin = 0.0, ymin = 0.0, xmax = 0.0, ymax = 0.0;
};

// The crossings of two points closer than this on both axes are one.
inline constexpr double WindowCrossingTolerance = 0.05;

// Where the infinite line through p1 and p2 crosses the window's edges,
// taken in the order left, top, right, bottom. A crossing within 0.05 on
// both axes of one found before counts once, so a line through a corner has
// it once. Returns how many were written (0 to 4); 0 for a line without
// direction.
int WindowCrossings(const CutWindow& w, GeoPoint p1, GeoPoint p2, GeoPoint out[4]);

// Whether the window takes the line through p1 and p2: both points lie in
// the closed window, or its infinite line crosses one of the edges. Never
// a line without direction.
bool WindowTakesLine(const CutWindow& w, GeoPoint p1, GeoPoint p2);

// One line the window took, in list order.
struct WindowLine {
    GeoPoint p1, p2;        // the stored points
    bool infinite = false;  // kinds 21-23: the working part lies between its first two crossings
    // 2 marked. After the pass: 0 left alone (no crossing or none that
    // counts), 1 left as it is but cutting the lines after it, 2 replaced by
    // `pieces`.
    int16_t state = 2;
    std::vector<LineSegment> pieces;  // each from a stored point to a crossing
};

// The cut pass over the lines in their list order. Each line still in
// state 2 when it is reached is cut where the lines in state 1 or 2 cross
// its working part (a crossing within 0.05 of one of its stored points does
// not count):
// - no crossing: state 0;
// - one: when the line crosses the window's border exactly twice and only
//   the part from one stored point to the crossing reaches through it, that
//   part stays (state 2); else state 1;
// - more: the part between the two outermost crossings goes (state 2).
// A replaced line keeps cutting the lines after it with its whole former
// geometry. The cutters of a line are found through a box tree and taken
// in list order, so the result is that of trying every pair.
void CutWindowLines(const CutWindow& w, std::vector<WindowLine>& lines);
