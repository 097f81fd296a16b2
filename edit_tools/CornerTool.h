#pragma once
// CCornerTool: corners, chamfers, fillets.
// It stands in ToolList with the base operations until its operations are
// written.

#include "tools/DrawTool.h"
#include "tools/ToolState.h"

class CCornerTool : public CDrawTool {
public:
    CCornerTool() : CDrawTool(ToolId::Corner)
    {
        InputPointCount = 0;
    }
};
