// COrvikCadView: numeric input. In many tool steps a value may be typed
// instead of clicked; the view picks the dialog and what it asks for from
// the current tool, its sub-mode and its step, stores the typed values in
// the shared numeric-input state and feeds the tool a click that carries
// them (NumericInputPending set; the tool clears it when it used them).

#include "view/OrvikCadView.h"
#include "view/NumericInputDialogs.h"

#include "model/Notify.h"
#include "model/Settings.h"
#include "view/DrawTool.h"
#include "view/ToolList.h"
#include "view/ToolState.h"

#include <QString>

namespace {

bool IsEllipseSubMode(int subMode)
{
    return subMode >= 6 && subMode <= 9;
}

// The point fed with typed values; the tools take the values instead.
constexpr platform::Point FedPoint{100, 100};

// Whether the Space key opens the numeric input in the present step.
bool NumericInputOffered()
{
    const int step = InputPointCount;
    if (step == 0)
        return false;
    switch (CurrentToolId) {
    case ToolId::Line:
        switch (ToolSubMode) {
        case 0:  // plain lines
        case 1:  // continuous lines
        case 3:  // perpendiculars
            return BaseMarkerHidden != 1;
        case 4:  // parallel lines
            return BaseMarkerHidden != 1 && ParallelDistanceGiven != 0;
        case 5:  // centre lines
            return BaseMarkerHidden != 1 && step >= 3;
        default:
            return false;
        }
    case ToolId::Circle:
        return ToolSubMode == 0 || ToolSubMode == 3 || ToolSubMode == 4;
    case ToolId::Poly:
        return ToolSubMode == 2;
    default:
        return false;
    }
}

// Whether the step takes two values (length and angle, or X and Y).
bool NumericInputWantsTwoValues(int step)
{
    if (CurrentToolId == ToolId::Line)
        return (ToolSubMode == 0 && LineMode == 0) || (ToolSubMode == 1 && ContinuousLineMode == 0);
    if (CurrentToolId == ToolId::Circle)
        return IsEllipseSubMode(ToolSubMode) && step == 1;
    return false;
}

// What the one-value dialog asks for in the step.
short NumericInputMode(int step)
{
    // Modes by step 1..4; every other step asks for a length (0).
    auto byStep = [step](short s1, short s2, short s3, short s4) -> short {
        switch (step) {
        case 1: return s1;
        case 2: return s2;
        case 3: return s3;
        case 4: return s4;
        default: return 0;
        }
    };
    switch (CurrentToolId) {
    case ToolId::Line:
        return ToolSubMode == 3 ? byStep(6, 7, 8, 0) : 0;
    case ToolId::Circle:
        if (ToolSubMode == 3 || ToolSubMode == 4)
            return byStep(1, 2, 3, 0);
        if (IsEllipseSubMode(ToolSubMode))
            return byStep(0, 11, 3, 12);
        return 1;
    case ToolId::Poly:
        return ToolSubMode == 2 ? byStep(1, 4, 0, 0) : 0;
    default:
        return 0;
    }
}

} // namespace

void COrvikCadView::OnSpaceKey()
{
    if (NumericInputOffered())
        OnNumericInput();
}

void COrvikCadView::OnNumericInput()
{
    const int step = InputPointCount;
    CDrawTool* tool = FindCurrentTool();
    if (tool)
        tool->ErasePreview(this);

    bool ok = false;
    if (NumericInputWantsTwoValues(step)) {
        short kind = NumericInputKind;
        double value1 = LineLengthGiven ? LineLength : 0.0;
        double value2 = LineAngleGiven ? LineAngle : 0.0;
        const short ellipseVariant = CurrentToolId == ToolId::Circle && IsEllipseSubMode(ToolSubMode) ? 1 : 0;
        const auto& ask = TheNumericInputDialogs().askPair;
        ok = ask && ask(this, kind, value1, value2, ellipseVariant);
        if (ok) {
            NumericInputValue = value1;
            NumericInputValue2 = value2;
            NumericInputKind = kind;
        }
    } else {
        double value = 0.0;
        const auto& ask = TheNumericInputDialogs().askValue;
        ok = ask && ask(this, NumericInputMode(step), value, QString());
        if (ok)
            NumericInputValue = value;
    }

    // The dialog may have let other calls run; the step is put back first.
    InputPointCount = step;
    tool = FindCurrentTool();
    if (!ok) {
        if (tool)
            tool->Reset(this);
        return;
    }
    NumericInputPending = 1;
    if (tool) {
        platform::Point point = FedPoint;
        tool->OnLButtonUp(this, 0, &point);
    }
}

void COrvikCadView::OnScaleByNumber()
{
    double value = 0.0;
    const auto& ask = TheNumericInputDialogs().askValue;
    const bool ok = ask && ask(this, 9, value, QString());
    if (ok)
        NumericInputValue = value;
    CDrawTool* tool = FindCurrentTool();
    if (!tool)
        return;
    if (ok)
        tool->EndSelection(this);
    else
        tool->Reset(this);
}

NumericInputDialogs& TheNumericInputDialogs()
{
    static NumericInputDialogs dialogs;
    return dialogs;
}
