#pragma once
// CDeleteTool: delete: single, crossing line, area.
// It stands in ToolList with the base operations until its operations are
// written.

#include "view/DrawTool.h"
#include "view/ToolState.h"

class CDeleteTool : public CDrawTool {
public:
    CDeleteTool() : CDrawTool(ToolId::Delete)
    {
        XorPreviewShown = 0;
        InputPointCount = 0;
    }
};
