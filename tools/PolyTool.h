#pragma once
// CPolyTool: box, parallelogram, regular polygon.
// It stands in ToolList with the base operations until its operations are
// written.

#include "tools/DrawTool.h"
#include "tools/ToolState.h"

class CPolyTool : public CDrawTool {
public:
    CPolyTool() : CDrawTool(ToolId::Poly)
    {
        readoutKind = 0;
    }
};
