#pragma once
// CExpansionTool: extend, cut, join, window processing.
// It stands in ToolList with the base operations until its operations are
// written.

#include "view/DrawTool.h"
#include "view/ToolState.h"

class CExpansionTool : public CDrawTool {
public:
    CExpansionTool() : CDrawTool(ToolId::Expansion)
    {
        InputPointCount = 0;
    }
};
