#pragma once
// CExpansionTool (tool 9): lengthens and shortens, cuts a piece out of an
// element between two positions, cuts the lines lying between two lines,
// joins, and trims the lines of a window. Its six modes are the items of
// the "伸縮" menu (ToolSubMode 0-5); the step is InputPointCount.
//
// The element an operation works on is held between clicks and checked
// before use: when undo or another window took it away, the click beeps and
// the operation starts over.

#include "model/GeometryTypes.h"
#include "tools/RubberBand.h"
#include "view/DrawTool.h"
#include "view/ToolState.h"

class COrvikCadDoc;
class ToolEdit;

class CExpansionTool : public CDrawTool {
public:
    CExpansionTool() : CDrawTool(ToolId::Expansion)
    {
        InputPointCount = 0;
    }

    // The first prompt of a mode; empty for a mode the tool does not have.
    static const char* FirstPrompt(int mode);

    void OnLButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnLButtonUp(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnMouseMove(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    // Cancels the operation in progress: the figures go, the element is
    // back in state 0, the mode's first prompt; nothing at step 0.
    void OnRButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void Reset(COrvikCadView* view) override;
    void RedrawToolFigures(COrvikCadView* view, platform::Dc& dc, bool deviceDc) override;

    // Mode 2, step 0: the element to cut.
    void PickCutElement(COrvikCadView* view, platform::Point point);
    // Mode 2 on a line: the tick across the line at the pointer's foot, and
    // from the start position the piece that will go.
    void DrawLineCutRubberBand(COrvikCadView* view, platform::Point point);
    // Mode 2 on a line, steps 1 and 2: the start, then the end and the cut.
    void CutLine(COrvikCadView* view, platform::Point point);
    // Mode 3: the first line, then the second and the sweep.
    void TwoLineCut(COrvikCadView* view, platform::Point point);
    // Cuts one line (kind 20-23) between the bounding lines it meets at i1
    // and i2, as part of the sweep's edit: the line goes to state -1 and its
    // pieces (subtype 0, its style word, CurrentColor) are added. The first
    // piece added, or null.
    CEntity* CutBetweenLines(COrvikCadView* view, ToolEdit& edit, CEntity* line, GeoPoint i1, GeoPoint i2);

    HeldEntity picked;  // the element of the operation in progress

private:
    // Mode 1, step 0: the base line.
    void PickBaseLine(COrvikCadView* view, platform::Point point);
    // The held element, or null after a beep and a fresh start when it is
    // gone.
    CEntity* PickedOrRestart(COrvikCadView* view);
    void DrawInState(COrvikCadView* view, CEntity* e, int16_t state);
    // The figure of the line cut at the foot nearest `at` (model).
    void ShowLineBand(COrvikCadView* view, GeoPoint at);
    // Replaces `old` by the pieces (a..b pairs) as one undo step; no piece
    // deletes it. The caller has tested the protection.
    void ReplaceByPieces(COrvikCadView* view, CEntity* old, const std::vector<std::pair<GeoPoint, GeoPoint>>& pieces);

    RubberBand band_;   // the tick and the piece to go
    RubberBand cross_;  // the start position
    double ref_[3] = {};  // the picked line: a, b, c
};
