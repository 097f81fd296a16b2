#pragma once
// CTransformTool (tool 14): changes the size and shape of marked entities.
// In every sub-mode the user first marks entities (state 4) with clicks and
// windows on the current layer; the right button arms the view's context
// menu, whose first item ends the selection and starts the sub-mode's
// operation: 0 scale, 1 stretch, 2 offset.

#include "model/GeometryTypes.h"
#include "view/DrawTool.h"
#include "view/ToolState.h"

class COrvikCadDoc;

class CTransformTool : public CDrawTool {
public:
    CTransformTool() : CDrawTool(ToolId::Transform)
    {
        XorPreviewShown = 0;
        ButtonDownPending = 0;
        InputPointCount = 0;
    }

    // The first prompt of a sub-mode, and the one after a pick.
    static const char* FirstPrompt(int subMode);
    static const char* MenuPrompt(int subMode);

    void OnLButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnLButtonUp(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnMouseMove(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnRButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    // Every mark goes; back to the selection step.
    void Reset(COrvikCadView* view) override;
    // Command 32888 (and 32887 after the factor dialog): the sub-mode's
    // operation on what is marked.
    void EndSelection(COrvikCadView* view) override;

    // The base point of the marked entities' box by ScaleBase: 0 its
    // centre, 1 its lower left, 2 its upper left corner; (0, 0) for a box
    // thinner than 0.05.
    GeoPoint GetSelectionBasePoint(COrvikCadView* view) const;
    // Sub-mode 0: every marked entity replaced by its copy scaled by
    // NumericInputValue about the base point, as one undo step.
    void ScaleSelection(COrvikCadView* view);
    // Sub-mode 2, the side click: parallel copies of the marked lines,
    // arcs, circles and ellipses at OffsetDistance, all members of one new
    // group, as one undo step.
    void Offset(COrvikCadView* view, platform::Point point);

    int m_pickState = 0;  // 0 nothing picked, 1 picks made

private:
    void SelectInWindow(COrvikCadView* view, platform::Point point);
};
