#pragma once
// CCircleTool: circles, arcs, ellipses and elliptic arcs.
// It stands in ToolList with the base operations until its operations are
// written.

#include "tools/DrawTool.h"
#include "tools/ToolState.h"

class CCircleTool : public CDrawTool {
public:
    CCircleTool() : CDrawTool(ToolId::Circle)
    {
        readoutKind = 0;
    }
};
