#pragma once
// What the edit tools' fixtures share: the real frame, drawing and view, and
// helpers that build records (any record, lines, circles, groups) with their
// snap points registered.

#include "common/ToolHarness.h"

#include "model/SnapPointList.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

class EditToolFixture : public ::testing::Test {
public:
    // A record in colour 0; a member of `owner` when one is given.
    CEntity* Add(int16_t type, std::initializer_list<double> values, std::initializer_list<int16_t> codes,
                 int16_t layer = 0, CEntity* owner = nullptr, const char* text = "", int16_t subtype = 0)
    {
        return h.AddValues(type, values, codes, layer, owner, text, subtype);
    }
    CEntity* AddLine(double x1, double y1, double x2, double y2, int16_t layer = 0, CEntity* owner = nullptr)
    {
        return Add(EntityType::Line, {x1, y1, x2, y2}, {10, 20, 11, 22}, layer, owner);
    }
    CEntity* AddCircle(double cx, double cy, double r)
    {
        return Add(EntityType::Circle, {cx, cy, r}, {10, 20, 40});
    }
    // A group header after the given entities, which become its members.
    CEntity* AddGroup(std::initializer_list<CEntity*> members)
    {
        CEntity* header = Add(EntityType::GroupHeader, {0, 0, 1, 0}, {10, 20, 10, 20});
        for (CEntity* m : members) {
            m->owner = header;
            m->group = header->group;
        }
        return header;
    }

    ToolHarness h;
};
