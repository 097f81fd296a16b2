#pragma once
// Helpers of the move tool's tests: the process-wide tool object and a
// readable dump of a drawing to compare before and after.

#include "common/ToolHarness.h"

#include "edit_tools/MoveTool.h"
#include "model/EntityList.h"
#include "view/ToolList.h"
#include "view/ToolState.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

inline CMoveTool& MoveTool()
{
    for (std::size_t i = 0; i < ToolList.GetCount(); ++i)
        if (ToolList.GetAt(i)->toolId == ToolId::Move)
            return *static_cast<CMoveTool*>(ToolList.GetAt(i));
    ADD_FAILURE() << "no move tool";
    return *static_cast<CMoveTool*>(ToolList.GetAt(0));
}

// Type, subtype, state, layer, values and text of every entity in order.
inline std::string Dump(const CEntityList& list)
{
    std::string out;
    for (const CEntity* e = list.first; e; e = e->next) {
        out += std::to_string(e->type) + "/" + std::to_string(e->subtype) + "/" + std::to_string(e->state) + "/" +
               std::to_string(e->layer) + ":";
        for (double v : e->values)
            out += std::to_string(v) + ",";
        out += e->text + ";";
    }
    return out;
}

// The entities of one type that are not marked deleted.
inline std::vector<const CEntity*> LiveEntities(const ToolHarness& h, int type)
{
    std::vector<const CEntity*> out;
    for (const CEntity* e : h.Entities(type))
        if (e->state != EntityState::Deleted)
            out.push_back(e);
    return out;
}
