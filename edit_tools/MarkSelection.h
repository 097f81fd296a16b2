#pragma once
// The marking step shared by the tools that first mark entities (state 4)
// on the current layer and then act on them: a release within 10 pixels of
// its press toggles the unit under it, a longer drag marks what its window
// holds.

#include "view/DrawTool.h"

class COrvikCadView;

// The left release at step 0: erases the rubber band, then marks by window
// (from tool.anchor) or toggles the unit under the point. True after a
// marking action: any window, or a click that toggled a unit.
bool MarkOnRelease(CDrawTool& tool, COrvikCadView* view, platform::Point point);

// The right button at step 0: arms the view's context menu (SelectionArmed)
// when some entity of the drawing is marked.
void ArmWhenMarked(COrvikCadView* view);
