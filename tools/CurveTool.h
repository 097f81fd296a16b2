#pragma once
// CCurveTool: control-point curve, continuous arcs, freehand curve.
// It stands in ToolList with the base operations until its operations are
// written.

#include "tools/DrawTool.h"
#include "tools/ToolState.h"

class CCurveTool : public CDrawTool {
public:
    CCurveTool() : CDrawTool(ToolId::Curve)
    {
    }
};
