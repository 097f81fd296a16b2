#pragma once
// The model-space figures of the selection tool's drag outlines: what an
// entity displaced by (dx, dy) looks like while it is dragged, and the arc
// reshaped by its handle. Pure geometry; SelectToolPreview.cpp maps the
// points to the view and draws them.

#include "model/GeometryTypes.h"

#include <array>
#include <vector>

struct CEntity;

// The closed box of a text (types 40, 41): P0 the displaced insertion
// point, length bytes × width / 2 along the text's angle (axis-parallel for
// an angle within 0.1 degree, or a box shorter than 0.5), height up its
// left normal; P0, P1, P2, P3, P0. False when the record is too short.
bool TextPreviewBox(const CEntity& e, double dx, double dy, std::array<GeoPoint, 5>& box);

// An ellipse as the polyline of parameters 0, 0.05, ... while t ≤ 2π
// (126 points, not closed).
std::vector<GeoPoint> EllipsePreviewPoints(double cx, double cy, double a, double b, double rotationDeg);
// An elliptic arc from the parameter of its start direction in steps of
// 0.05 up to that of its end direction (the end itself not added); empty
// for a zero half-axis.
std::vector<GeoPoint> EllipticArcPreviewPoints(double cx, double cy, double a, double b, double rotationDeg,
                                               double startDeg, double endDeg);

// Most points of a boundary outline; what goes beyond is dropped.
inline constexpr std::size_t BoundaryPreviewMaxPoints = 300;

// The boundary of a fill (70) or hatch (71), displaced: the points of its
// vertices and arc edges (every 6 degrees; an arc that would bring the list
// to 300 points is left out) up to the first item that is not a vertex, an
// arc or a circle; full circles as discs (centre x, y, radius). A fill stops
// at its first circle.
struct BoundaryPreview {
    std::vector<GeoPoint> points;
    std::vector<std::array<double, 3>> discs;
};
BoundaryPreview BoundaryPreviewOf(const CEntity& e, double dx, double dy);

// The arc whose handle is dragged to M while its other end E stays, keeping
// its bulge side and the ratio of height to chord it had (chord, height as
// stored at the grab). endGrabbed: the end (not the start) was grabbed;
// subtype the arc's direction. The arc runs counter-clockwise from
// startDeg to endDeg about (cx, cy); lineOnly when no arc can be made (a
// stored chord below 0.5, M on E, three points in a row): then M-E.
struct ArcHandleFigure {
    bool lineOnly = true;
    double cx = 0, cy = 0, r = 0;
    double startDeg = 0, endDeg = 0;
    GeoPoint apex;
};
ArcHandleFigure ArcHandlePreview(GeoPoint m, GeoPoint e, double chord, double height, bool endGrabbed, int subtype);
