#include "model/DimensionMembers.h"

// Placeholder until the dimension members are built here.
void BuildDimensionMembers(CEntityList&, CEntity*) {}
