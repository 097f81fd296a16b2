#pragma once
// CTextTool: text and text with leader.
// It stands in ToolList with the base operations until its operations are
// written.

#include "tools/DrawTool.h"
#include "tools/ToolState.h"

class CTextTool : public CDrawTool {
public:
    CTextTool() : CDrawTool(ToolId::Text)
    {
    }
};
