#pragma once
// CTransformTool: scale, stretch, offset.
// It stands in ToolList with the base operations until its operations are
// written.

#include "view/DrawTool.h"
#include "view/ToolState.h"

class CTransformTool : public CDrawTool {
public:
    CTransformTool() : CDrawTool(ToolId::Transform)
    {
        XorPreviewShown = 0;
        ButtonDownPending = 0;
        InputPointCount = 0;
    }
};
