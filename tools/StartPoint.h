#pragma once
// The start of an operation, as the creating tools take it: the point taken
// is input point 0 and both ends of the rubber band, a cross marks it on
// screen, and the operation is at step 1.

#include "tools/RubberBand.h"
#include "view/DrawTool.h"
#include "view/ToolState.h"

inline void StartAt(CDrawTool& tool, COrvikCadView* view, const CDrawTool::TakenPoint& p, RubberBand& cross)
{
    tool.X[0] = p.x;
    tool.Y[0] = p.y;
    tool.anchor = tool.corner = p.view;
    cross.ShowCross(view, tool.xorColor, p.view);
    InputPointCount = 1;
}
