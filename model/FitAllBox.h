#pragma once
// The part of a drawing that fitting the whole drawing into a window shows.

#include "model/EntityBox.h"

// Every live entity of the chain from first, except texts that lie farther
// than one sheet from the sheet (extMin..extMax): notes a drawing keeps out
// of the way would shrink the drawing to a dot. When nothing else is there,
// those texts count after all.
ModelBox FitAllBox(const CEntity* first, const double* extMin, const double* extMax);
