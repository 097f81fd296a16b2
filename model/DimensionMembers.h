#pragma once
// Builds the member lines, arcs and texts of a dimension record (type 50)
// just added at the tail of `list`, appending them behind it. The record's
// subtype is its kind: 0 distance, 1 horizontal and 2 vertical chains (linear
// dimensions), 3 perimeter, 4 radius, 5 diameter, 6 and 7 angles, 8 area.
//
// A record that is not sound builds nothing: a kind outside 0-8, fewer than
// three values, a prefix longer than 4 bytes, a code the kind needs missing,
// a linear dimension with fewer than two points or holding a code of 450 or
// more.

class CEntityList;
struct CEntity;

void BuildDimensionMembers(CEntityList& list, CEntity* dim);

// The builders of the kinds (called by BuildDimensionMembers).
void BuildLinearDimension(CEntityList& list, CEntity* dim, bool chained);
void BuildPerimeterDimension(CEntityList& list, CEntity* dim);
void BuildAngleDimension(CEntityList& list, CEntity* dim);
void BuildDimensionKind8(CEntityList& list, CEntity* dim);
