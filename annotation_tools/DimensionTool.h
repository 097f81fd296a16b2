#pragma once
// CDimensionTool: dimensions.
// It stands in ToolList with the base operations until its operations are
// written.

#include "view/DrawTool.h"
#include "view/ToolState.h"

class CDimensionTool : public CDrawTool {
public:
    CDimensionTool() : CDrawTool(ToolId::Dimension)
    {
        XorPreviewShown = 0;
        InputPointCount = 0;
    }
};
