#include "tools/ToolList.h"

#include "tools/DrawTool.h"
#include "tools/ToolState.h"

#include <algorithm>

CToolList ToolList;

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
