#pragma once
// The document's list of characteristic points that snapping searches.

#include <cstdint>
#include <vector>

struct CEntity;

struct SnapPoint {
    CEntity* entity = nullptr;
    int16_t kind = 0;
    int16_t state = 0;
    double x = 0;
    double y = 0;
};

class CSnapPointList {
public:
    // Registers the characteristic points of a newly added entity.
    void AddEntityPoints(CEntity* entity);
    // Removes every point of one entity.
    void RemoveEntityPoints(CEntity* entity);
    // Sets the state of every point of one entity (-1 switches them off).
    void SetEntityPointState(CEntity* entity, int state);
    // Empties the list.
    void RemoveAll();
    // Whether any point of the entity is registered.
    bool HasEntityPoints(const CEntity* entity) const;

private:
    std::vector<SnapPoint> points;
};
