#pragma once
// CMoveTool: move, copy, mirror, copy between drawings.
// It stands in ToolList with the base operations until its operations are
// written.

#include "view/DrawTool.h"
#include "view/ToolState.h"

class CMoveTool : public CDrawTool {
public:
    CMoveTool() : CDrawTool(ToolId::Move)
    {
        XorPreviewShown = 0;
        ButtonDownPending = 0;
        InputPointCount = 0;
    }
};
