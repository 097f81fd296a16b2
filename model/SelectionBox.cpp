#include "model/SelectionBox.h"

#include "model/EntityBox.h"

SelectionBoxResult SelectionBox(const CEntityList& list, int16_t state)
{
    ModelBox box;
    for (const CEntity* e = list.first; e; e = e->next)
        if (e->state == state && e->type != EntityType::Grid)
            box.Add(EntityScreenBox(*e));
    SelectionBoxResult result;
    if (!box.valid)
        return result;
    result.used = true;
    result.minX = box.minX;
    result.minY = box.minY;
    result.maxX = box.maxX;
    result.maxY = box.maxY;
    return result;
}
