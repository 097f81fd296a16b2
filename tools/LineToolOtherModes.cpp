// CLineTool: the sub-modes whose constructions are not built yet (infinite,
// perpendicular, parallel, centre, tangent and angle-moved lines). A click
// only shows the sub-mode's first prompt again; nothing is added.

#include "tools/LineTool.h"

void CLineTool::ClickHorizontalInfiniteLine(COrvikCadView*, platform::Point)
{
    Prompt(FirstPrompt(LineToolMode::Infinite));
}

void CLineTool::ClickVerticalInfiniteLine(COrvikCadView*, platform::Point)
{
    Prompt(FirstPrompt(LineToolMode::Infinite));
}

void CLineTool::ClickObliqueInfiniteLine(COrvikCadView*, platform::Point)
{
    Prompt(FirstPrompt(LineToolMode::Infinite));
}

void CLineTool::ClickParallel(COrvikCadView*, platform::Point)
{
    Prompt(FirstPrompt(LineToolMode::Parallel));
}

void CLineTool::ClickParallelByDistance(COrvikCadView*, platform::Point)
{
    Prompt(FirstPrompt(LineToolMode::Parallel));
}

void CLineTool::PickPerpendicularBase(COrvikCadView*, platform::Point)
{
    Prompt(FirstPrompt(LineToolMode::Perpendicular));
}

void CLineTool::ClickPerpendicular(COrvikCadView*, platform::Point)
{
    Prompt(FirstPrompt(LineToolMode::Perpendicular));
}

void CLineTool::PickCentreLineSources(COrvikCadView*, platform::Point)
{
    Prompt(FirstPrompt(LineToolMode::CentreLine));
}

void CLineTool::ClickCentreLineEnd(COrvikCadView*, platform::Point)
{
    Prompt(FirstPrompt(LineToolMode::CentreLine));
}

void CLineTool::ClickTangent(COrvikCadView*, platform::Point)
{
    Prompt(FirstPrompt(LineToolMode::Tangent));
}

void CLineTool::ClickAngleMovedLine(COrvikCadView*, platform::Point)
{
    Prompt(FirstPrompt(LineToolMode::AngleMoved));
}
