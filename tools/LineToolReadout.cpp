// CLineTool: the length read-out. At most one is on screen; it is taken
// away by drawing it again with the routine and the arguments it was drawn
// with, in the view it was drawn in.

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
    DrawReadout(view, kind, x, y, arg);
    readoutShown_ = kind;
    readoutArg_ = arg;
    readoutView_ = view;
    readoutKind = 1;
}

void CLineTool::EraseReadout(COrvikCadView*)
{
    if (readoutShown_ != Readout::None && readoutKind != 0) {
        if (auto* shown = static_cast<COrvikCadView*>(readoutView_.data()))
            DrawReadout(shown, readoutShown_, readoutPos[0], readoutPos[1], readoutArg_);
    }
    readoutShown_ = Readout::None;
    readoutKind = 0;
}
