#pragma once
// CCornerTool: corners, chamfers, fillets.
// It stands in ToolList with the base operations until its operations are
// written.

#include "view/DrawTool.h"
#include "view/ToolState.h"

class CCornerTool : public CDrawTool {
public:
    CCornerTool() : CDrawTool(ToolId::Corner)
    {
        InputPointCount = 0;
    }
};
