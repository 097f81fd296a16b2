#pragma once
// CPointTool: points: free, offset, intersection, moving point, construction points.
// It stands in ToolList with the base operations until its operations are
// written.

#include "tools/DrawTool.h"
#include "tools/ToolState.h"

class CPointTool : public CDrawTool {
public:
    CPointTool() : CDrawTool(ToolId::Point)
    {
    }
};
