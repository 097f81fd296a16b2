// CLineTool: the length read-out. At most one is on screen; it is taken
// away by drawing it again with the routine and the arguments it was drawn
// with, in the view it was drawn in (the tool's read-out object).

#include "tools/LineTool.h"

#include "view/OrvikCadView.h"
#include "tools/LengthReadout.h"

void CLineTool::DrawReadout(COrvikCadView* view, Readout kind, double x, double y, int arg)
{
    switch (kind) {
    case Readout::Free:
        ShowLengthReadout(*this, view, x, y);
        break;
    case Readout::From:
        ShowLengthReadoutFrom(*this, view, x, y, arg);
        break;
    case Readout::AxisLabel:
        DrawLengthLabel(*this, view, x, y, arg);
        break;
    case Readout::None:
        break;
    }
}

void CLineTool::ShowReadout(COrvikCadView* view, Readout kind, double x, double y, int arg)
{
    EraseReadout(view);
    readoutPos[0] = x;
    readoutPos[1] = y;
    readout.Show(view, static_cast<int>(kind),
                 [this, kind, x, y, arg](COrvikCadView* v) { DrawReadout(v, kind, x, y, arg); });
    readoutKind = 1;
}

void CLineTool::EraseReadout(COrvikCadView*)
{
    // A read-out the last click drew over (readoutKind 0) is only forgotten.
    if (readoutKind != 0)
        readout.Erase();
    else
        readout.Forget();
    readoutKind = 0;
}
