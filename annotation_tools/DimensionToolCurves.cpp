// CDimensionTool: radius, diameter and angle dimensions (sub-modes 4-6).

#include "annotation_tools/DimensionTool.h"

#include "model/Notify.h"
#include "view/OrvikCadView.h"

void CDimensionTool::RadiusDimension(COrvikCadView*, platform::Point)
{
    MessageBeep(0);
}

void CDimensionTool::DiameterDimension(COrvikCadView*, platform::Point)
{
    MessageBeep(0);
}

void CDimensionTool::AngleDimension(COrvikCadView*, platform::Point)
{
    MessageBeep(0);
}

void CDimensionTool::AddAngleDimension(COrvikCadView*, platform::Point) {}
void CDimensionTool::ShowRadiusPreview(COrvikCadView*, platform::Point) {}
void CDimensionTool::ShowDiameterPreview(COrvikCadView*, platform::Point) {}
void CDimensionTool::ShowAnglePreview(COrvikCadView*, platform::Point) {}
