#pragma once
// CDimensionTool: dimensions.
// It stands in ToolList with the base operations until its operations are
// written.

#include "tools/DrawTool.h"
#include "tools/ToolState.h"

class CDimensionTool : public CDrawTool {
public:
    CDimensionTool() : CDrawTool(ToolId::Dimension)
    {
        XorPreviewShown = 0;
        InputPointCount = 0;
    }
};
