#pragma once
// Helpers shared by the entity-list tests: building common entities and
// checking that a list's links agree in both directions.

#include "model/EntityList.h"

#include <gtest/gtest.h>

#include <vector>

namespace listtest {

inline CEntity* AddPoint(CEntityList& list, double x, double y, CEntity* owner = nullptr)
{
    const int16_t codes[] = {10, 20};
    const double values[] = {x, y};
    EntityHeader h{EntityType::Point, 0, 1, 0, 2};
    const int rc = owner ? list.AddChildEntity(h, codes, 0, values, {}, {}, owner) : list.AddEntity(h, codes, 0, values);
    return rc == 0 ? list.last : nullptr;
}

inline CEntity* AddLine(CEntityList& list, double x1, double y1, double x2, double y2, CEntity* owner = nullptr)
{
    const int16_t codes[] = {10, 20, 11, 22};
    const double values[] = {x1, y1, x2, y2};
    EntityHeader h{EntityType::Line, 0, 1, 0, 4};
    const int rc = owner ? list.AddChildEntity(h, codes, 0, values, {}, {}, owner) : list.AddEntity(h, codes, 0, values);
    return rc == 0 ? list.last : nullptr;
}

inline CEntity* AddGrid(CEntityList& list)
{
    const int16_t codes[] = {10, 20, 30};
    const double values[] = {0, 0, 10};
    EntityHeader h{EntityType::Grid, 0, 0, 0, 3};
    return list.AddEntity(h, codes, 0, values) == 0 ? list.last : nullptr;
}

inline CEntity* AddGroupHeader(CEntityList& list, CEntity* owner = nullptr)
{
    const int16_t codes[] = {10, 20, 10, 20};
    const double values[] = {0, 0, 1, 0};
    EntityHeader h{EntityType::GroupHeader, 0, 0, 0, 4};
    const int rc = owner ? list.AddChildEntity(h, codes, 0, values, {}, {}, owner) : list.AddEntity(h, codes, 0, values);
    return rc == 0 ? list.last : nullptr;
}

// The entities of the list in order; fails the test when the previous links,
// first or last disagree with the next links.
inline std::vector<CEntity*> Entities(const CEntityList& list)
{
    std::vector<CEntity*> out;
    CEntity* prev = nullptr;
    for (CEntity* e = list.first; e; e = e->next) {
        EXPECT_EQ(e->previous, prev) << "broken previous link at entity " << out.size();
        out.push_back(e);
        prev = e;
        if (out.size() > 10000000) {
            ADD_FAILURE() << "list does not end";
            break;
        }
    }
    EXPECT_EQ(list.last, prev);
    if (!list.first) {
        EXPECT_EQ(list.last, nullptr);
    }
    return out;
}

// The entities of a detached chain, along its next links.
inline std::vector<CEntity*> Chain(CEntity* head)
{
    std::vector<CEntity*> out;
    for (CEntity* e = head; e && out.size() < 10000000; e = e->next)
        out.push_back(e);
    return out;
}

} // namespace listtest
