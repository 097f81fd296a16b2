#pragma once
// CSelectTool: the selection tool: selection, drag-move, vertex stretch; the default tool.
// It stands in ToolList with the base operations until its operations are
// written.

#include "view/DrawTool.h"
#include "view/ToolState.h"

class CSelectTool : public CDrawTool {
public:
    CSelectTool() : CDrawTool(ToolId::Select)
    {
        XorPreviewShown = 0;
        ButtonDownPending = 0;
    }
};
