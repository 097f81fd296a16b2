// The selection tool's drags: the whole selection moved, a handle of one
// unit dragged, a line dragged by its midpoint.

#include "edit_tools/SelectTool.h"

#include "view/OrvikCadView.h"

void CSelectTool::BeginHandleDrag(COrvikCadView*, CEntity* unit, double x, double y, int kind)
{
    m_grabbedType = unit ? unit->type : 0;
    m_grabbedKind = kind;
    X[0] = x;
    Y[0] = y;
}

void CSelectTool::BeginMidpointDrag(COrvikCadView*, CEntity* unit, double x, double y, int kind)
{
    m_grabbedType = unit ? unit->type : 0;
    m_grabbedKind = kind;
    X[0] = x;
    Y[0] = y;
}

void CSelectTool::ApplyMove(COrvikCadView*, platform::Point) {}

void CSelectTool::ApplyStretch(COrvikCadView*, platform::Point) {}

void CSelectTool::ApplyMidpointDrag(COrvikCadView*, platform::Point) {}
