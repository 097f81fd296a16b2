#include "model/SnapPointList.h"

#include "model/Entity.h"

#include <algorithm>

void CSnapPointList::AddEntityPoints(CEntity* entity)
{
    if (!entity)
        return;
    SnapPoint p;
    p.entity = entity;
    p.state = entity->state;
    if (entity->values.size() >= 2) {
        p.x = entity->values[0];
        p.y = entity->values[1];
    }
    points.push_back(p);
}

void CSnapPointList::RemoveEntityPoints(CEntity* entity)
{
    std::erase_if(points, [entity](const SnapPoint& p) { return p.entity == entity; });
}

void CSnapPointList::SetEntityPointState(CEntity* entity, int state)
{
    for (SnapPoint& p : points)
        if (p.entity == entity)
            p.state = static_cast<int16_t>(state);
}

void CSnapPointList::RemoveAll()
{
    points.clear();
}

bool CSnapPointList::HasEntityPoints(const CEntity* entity) const
{
    return std::any_of(points.begin(), points.end(), [entity](const SnapPoint& p) { return p.entity == entity; });
}
