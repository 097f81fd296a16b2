#pragma once
// Pieces the selection tool's drag files share.

#include "model/EntityTransform.h"

// The copy of a group header for a drag: its place shifted by (dx, dy),
// scale and angle kept (missing ones read as 1 and 0), its own number.
EntityCopy MovedGroupHeader(const CEntity& header, double dx, double dy);

// What a drag's copy keeps of its source: layer, face, group number and the
// stored form of its directions.
TransformPolicy DragPolicy();
