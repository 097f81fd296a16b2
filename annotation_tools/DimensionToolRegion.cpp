// CDimensionTool: perimeter and area of a picked closed region (sub-modes 3
// and 7).

#include "annotation_tools/DimensionTool.h"

#include "model/Notify.h"
#include "view/OrvikCadView.h"

void CDimensionTool::PickPerimeterElement(COrvikCadView*, platform::Point)
{
    MessageBeep(0);
}

void CDimensionTool::PerimeterDimension(COrvikCadView*) {}

void CDimensionTool::AreaDimension(COrvikCadView*, platform::Point)
{
    MessageBeep(0);
}
