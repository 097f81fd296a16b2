#pragma once
// CHatchiTool: hatching and fills.
// It stands in ToolList with the base operations until its operations are
// written.

#include "view/DrawTool.h"
#include "view/ToolState.h"

class CHatchiTool : public CDrawTool {
public:
    CHatchiTool() : CDrawTool(ToolId::Hatch)
    {
        InputPointCount = 0;
    }
};
