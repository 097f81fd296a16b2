#pragma once
// Model boxes of entities as the display commands need them: the screen
// area an entity covers (for erasing it) and its share of the drawing's
// extents (for fitting the whole drawing). Millimetres; nothing draws here.

#include "model/Entity.h"

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

// Box of an ellipse's outline, sampled along its parameter.
ModelBox EllipseOutlineBox(double cx, double cy, double r1, double r2, double rotationDeg);
