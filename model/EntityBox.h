#pragma once
// Model boxes of entities, the one place that knows how far each type
// reaches: the screen area an entity covers (for erasing it), its share of
// the drawing's extents (for fitting the whole drawing) and the box the
// entity index files it under (for culling a paint and narrowing a pick).
// Millimetres; nothing draws here.

#include "model/Entity.h"

#include <cmath>
#include <cstdint>

struct ModelBox {
    double minX, minY, maxX, maxY;
    bool valid = false;
    ModelBox();
    void Add(double x, double y);
    void Add(const ModelBox& other);
};

// The area an entity covers on screen (texts by their text box, leaders
// included, fills by their boundary items, hatchings by their stored box).
// Invalid for the grid, dimension owners, group headers and unknown types.
ModelBox EntityScreenBox(const CEntity& e);

// What an entity adds to the extents of the whole drawing: points, lines,
// curves, polygons, circles and arcs (whole circles), ellipses, texts.
// Invalid for every other type (infinite lines, fills, hatchings, images...).
ModelBox EntityExtentBox(const CEntity& e);

// What a marked entity adds to the box the transform tool scales, stretches
// and offsets about: as EntityExtentBox, but a text's box is n × h / 2 long
// (n characters of height h), as the selection centre takes it.
ModelBox EntityMarkedBox(const CEntity& e);

// Calls visit(x, y) for the points of an ellipse's outline, one every 0.05
// of its parameter from 0 while the parameter stays within tEnd.
template <class Visit>
void ForEachEllipseSample(double cx, double cy, double r1, double r2, double rotationDeg, double tEnd, Visit&& visit)
{
    const double a = rotationDeg * 3.14159265358979323846 / 180.0, c = std::cos(a), s = std::sin(a);
    for (double t = 0.0; t <= tEnd; t += 0.05) {
        const double px = r1 * std::cos(t), py = r2 * std::sin(t);
        visit(cx + px * c - py * s, cy + px * s + py * c);
    }
}

// Box of an ellipse's outline, sampled along its parameter (one sample past
// the full turn; points that are not finite are left out).
ModelBox EllipseOutlineBox(double cx, double cy, double r1, double r2, double rotationDeg);

// Box of the ellipse's outline sampled every 0.05 of its parameter over one
// turn. The bounds start at 9999999 (minimum) and -999999 (maximum).
void EllipseBounds(double cx, double cy, double majorRadius, double minorRadius, double rotation, double& minX,
                   double& minY, double& maxX, double& maxY);

// ---- the entity index ----

struct IndexBox {
    double x0, y0, x1, y1;
};

// How an entity is filed: nowhere (it neither shows nor answers a pick
// anywhere), under a box, or among the entities that are always visited
// (the grid, axis lines, values that are not finite).
enum class IndexReach : uint8_t { None, Bounded, Unbounded };

// The box that holds everything a paint can show of the entity and every
// point a pick can find on it (pick boxes are widened by a millimetre).
// Texts count with their rotated text box, leaders with their lines,
// dimensions with their terminators (widened by `markReach`, the reach of
// zoom-linked terminators), fills with their outline's box, hatchings with
// their stored box, images with their corners.
IndexReach EntityIndexBox(const CEntity& e, double markReach, IndexBox& box);
