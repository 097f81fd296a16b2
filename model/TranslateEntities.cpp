// Whole-drawing shift: moves every stored point of a chain of entities by
// the shift rule of the kind table.

#include "model/EntityKinds.h"
#include "model/EntityList.h"

void TranslateEntities(double dx, double dy, CEntity* entity)
{
    for (CEntity* e = entity; e; e = e->next)
        ShiftEntity(*e, dx, dy);
}
