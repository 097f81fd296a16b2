#pragma once
// Builds the member lines, arcs and texts of a dimension record (type 50)
// just added at the tail of `list`, appending them behind it.

class CEntityList;
struct CEntity;

void BuildDimensionMembers(CEntityList& list, CEntity* dim);
