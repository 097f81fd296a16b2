#pragma once
// The box around the entities of a list in one state, as the editing tools
// that turn or flip a selection about its centre need it.

#include "model/EntityList.h"
#include "model/GeometryTypes.h"

struct SelectionBoxResult {
    bool used = false;  // some entity in the state added a point
    double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;
    GeoPoint Centre() const { return {(minX + maxX) / 2, (minY + maxY) / 2}; }
};

// The box over every entity of `list` in `state` (the grid record never),
// each type by its screen extent: infinite lines by their two stored
// points, dimensions through their members, fills, hatchings and images
// included.
SelectionBoxResult SelectionBox(const CEntityList& list, int16_t state);
