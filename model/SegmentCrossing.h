#pragma once
// Whether a straight segment S crosses an entity, type by type, as the
// delete tool's crossing line decides it. A point is on S when it lies
// within 0.5 of the line of S and within the extent of S; an edge A-B is
// crossed when the line of S and the line of A-B are not parallel and their
// crossing lies on both. Degenerate geometry (a zero-length edge or chord,
// an edge parallel to S, a text without characters) never counts.
//
// Every walk reads only the values (and codes) the record holds; point
// lists and boundaries of any length are tested.

#include "model/GeometryTypes.h"

struct CEntity;

struct CrossingSegment {
    double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
    // The line of S (LineFromPoints).
    double a = 0.0, b = 0.0, c = 0.0;

    CrossingSegment() = default;
    CrossingSegment(double x1, double y1, double x2, double y2);
    bool HasPoint(double px, double py) const;
    // The edge A-B is crossed.
    bool CrossesEdge(double ax, double ay, double bx, double by) const;
};

// A control-point curve (type 24) drawn as chords of its uniform cubic
// B-spline, ends doubled; 1 when a chord is crossed.
int SplineCrossesSegment(const CEntity& e, const CrossingSegment& s);
// Circles (30) and arcs (31; the arc's subtype +1 runs counter-clockwise).
int CircleCrossesSegment(const CEntity& e, const CrossingSegment& s);
// Ellipses (32) and elliptic arcs (33).
int EllipseCrossesSegment(const CEntity& e, const CrossingSegment& s);
// Fills (70) and hatches (71): their boundary items in order, up to the
// first item that is not an edge, an arc or a circle.
int FillCrossesSegment(const CEntity& e, const CrossingSegment& s);
int HatchCrossesSegment(const CEntity& e, const CrossingSegment& s);
// The axis-parallel box of a text (40, 41): from the insertion point, half
// the width per character across and the height up; false without
// characters.
bool TextCrossingBox(const CEntity& e, double& x1, double& y1, double& x2, double& y2);
// The test of the entity's type; 0 for the types a crossing line never
// takes (grid, dimensions, group headers and unknown types).
int EntityCrossesSegment(const CEntity& e, const CrossingSegment& s);
