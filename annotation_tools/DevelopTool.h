#pragma once
// CDevelopTool: development drawings.
// It stands in ToolList with the base operations until its operations are
// written.

#include "view/DrawTool.h"
#include "view/ToolState.h"

class CDevelopTool : public CDrawTool {
public:
    CDevelopTool() : CDrawTool(ToolId::Develop)
    {
        InputPointCount = 0;
    }
};
