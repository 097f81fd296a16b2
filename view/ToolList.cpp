#include "view/ToolList.h"

#include "view/DrawTool.h"
#include "view/ToolState.h"

#include <algorithm>

CToolList ToolList;

namespace {
void (*toolMaker)() = nullptr;
void (*toolRebuilder)() = nullptr;
bool built = false;
} // namespace

void SetToolMaker(void (*maker)(), void (*rebuilder)())
{
    toolMaker = maker;
    toolRebuilder = rebuilder;
}

void CreateTools()
{
    if (built || !toolMaker)
        return;
    built = true;
    toolMaker();
}

void ResetToolsToDefaults()
{
    if (!built || !toolRebuilder)
        return;
    // Each tool is built again where it stood; the list keeps its order and
    // any other tool entered in it.
    const std::vector<CDrawTool*> order(ToolList.begin(), ToolList.end());
    toolRebuilder();
    ToolList.Assign(order);
}

void CToolList::Remove(CDrawTool* tool)
{
    tools_.erase(std::remove(tools_.begin(), tools_.end(), tool), tools_.end());
}

CDrawTool* CToolList::Find(int id) const
{
    for (CDrawTool* tool : tools_)
        if (tool->toolId == id)
            return tool;
    return nullptr;
}

CDrawTool* FindCurrentTool()
{
    CreateTools();
    return ToolList.Find(CurrentToolId);
}
