#pragma once
// CLineTool: lines of nine kinds.
// It stands in ToolList with the base operations until its operations are
// written.

#include "tools/DrawTool.h"
#include "tools/ToolState.h"

class CLineTool : public CDrawTool {
public:
    CLineTool() : CDrawTool(ToolId::Line)
    {
        readoutKind = 0;
    }
};
