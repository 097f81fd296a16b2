#pragma once
// CImageTool: image placement.
// It stands in ToolList with the base operations until its operations are
// written.

#include "view/DrawTool.h"
#include "view/ToolState.h"

class CImageTool : public CDrawTool {
public:
    CImageTool() : CDrawTool(ToolId::Image)
    {
        XorPreviewShown = 0;
        InputPointCount = 0;
    }
};
