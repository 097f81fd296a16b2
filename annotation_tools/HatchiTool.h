#pragma once
// CHatchiTool: hatching (sub-mode 0) and filling (sub-mode 1) a closed
// region the user picks element by element. Each element must meet the one
// before it; the region closes when the first element is picked again, or
// at once when the first pick is a circle, an ellipse or a polyline. The
// result is one hatch (71) or fill (70) record holding a copy of the
// boundary (model/BoundaryRecord.h).

#include "tools/SubModeSteps.h"
#include "view/DrawTool.h"
#include "view/ToolState.h"

class CHatchiTool : public CDrawTool {
public:
    static constexpr int MaxElements = 20;

    CHatchiTool();

    void FocusOptionBox(COrvikCadView* view) override;
    void OnLButtonUp(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnRButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    // The cancel command and a change of tool drop the elements held, as
    // the right button does.
    void Reset(COrvikCadView* view) override;

    void PickHatchBoundary(COrvikCadView* view, platform::Point point);
    void PickFillBoundary(COrvikCadView* view, platform::Point point);

    // One sub-mode: its first prompt and its pick, and whether the option
    // box takes the focus (the hatch has options, the fill has none).
    struct SubModeRow {
        SubModeStep<CHatchiTool> step;
        bool focusesOptions;
    };
    // The row of a sub-mode; null for one the tool does not have.
    static const SubModeRow* RowOf(int subMode);

    static const char* StartPrompt(int subMode);

    HeldEntity PickedElement;
    HeldEntity BoundaryElements[MaxElements];

private:
    void PickBoundary(COrvikCadView* view, platform::Point point, bool fill);
    void CloseRegion(COrvikCadView* view, int count, bool fill);
    // Every element held back to state 0 and drawn so; none held after.
    void ReleaseElements(COrvikCadView* view);
};
