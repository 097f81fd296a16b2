#include "view/ToolState.h"

#define ORVIK_DEFINE_TOOL_STATE(type, name, value) type name = value;
ORVIK_TOOL_STATE(ORVIK_DEFINE_TOOL_STATE)
#undef ORVIK_DEFINE_TOOL_STATE

ToolStateSnapshot ToolStateSnapshot::Capture()
{
    ToolStateSnapshot s;
#define ORVIK_CAPTURE_TOOL_STATE(type, name, value) s.name = ::name;
    ORVIK_TOOL_STATE(ORVIK_CAPTURE_TOOL_STATE)
#undef ORVIK_CAPTURE_TOOL_STATE
    return s;
}

void ToolStateSnapshot::Restore() const
{
#define ORVIK_RESTORE_TOOL_STATE(type, name, value) ::name = name;
    ORVIK_TOOL_STATE(ORVIK_RESTORE_TOOL_STATE)
#undef ORVIK_RESTORE_TOOL_STATE
}

void RestoreInitialToolState()
{
#define ORVIK_INITIAL_TOOL_STATE(type, name, value) name = value;
    ORVIK_TOOL_STATE(ORVIK_INITIAL_TOOL_STATE)
#undef ORVIK_INITIAL_TOOL_STATE
}

int ToolIdOfGroup(int group)
{
    if (group < 0 || group > 16)
        return -1;
    switch (group) {
    case 11:
        return ToolId::Transform;
    case 12:
        return ToolId::Move;
    case 13:
        return ToolId::Hatch;
    case 14:
        return ToolId::Image;
    default:
        return group;  // 0..10, 15 and 16 are their own ids
    }
}

void SetCurrentTool(int group, int item)
{
    const int id = ToolIdOfGroup(group);
    if (id >= 0)
        CurrentToolId = id;
    ToolSubMode = item;
    OperationRestarted = 0;
    InputPointCount = 0;
    XorPreviewShown = 0;
}
