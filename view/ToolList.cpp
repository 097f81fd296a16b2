#include "view/ToolList.h"

#include "view/DrawTool.h"
#include "view/ToolState.h"

#include <algorithm>

CToolList ToolList;

namespace {
void (*toolMaker)() = nullptr;
} // namespace

void SetToolMaker(void (*maker)())
{
    toolMaker = maker;
}

void CreateTools()
{
    static bool built = false;
    if (built || !toolMaker)
        return;
    built = true;
    toolMaker();
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
