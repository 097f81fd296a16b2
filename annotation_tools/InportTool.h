#pragma once
// CInportTool: placing the part held in the parts buffer.
// It stands in ToolList with the base operations until its operations are
// written.

#include "view/DrawTool.h"
#include "view/ToolState.h"

class CInportTool : public CDrawTool {
public:
    CInportTool() : CDrawTool(ToolId::Inport)
    {
        InputPointCount = 0;
    }
};
