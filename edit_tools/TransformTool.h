#pragma once
// CTransformTool (tool 14): changes the size and shape of marked entities.
// In every sub-mode the user first marks entities (state 4) with clicks and
// windows on the current layer; the right button arms the view's context
// menu, whose first item ends the selection and starts the sub-mode's
// operation: 0 scale, 1 stretch, 2 offset.

#include "model/GeometryTypes.h"
#include "tools/SubModeSteps.h"
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

    // One sub-mode: its first prompt and the click of the step after the
    // selection (step.click), the prompt after a pick, and what ending the
    // selection starts.
    struct SubModeRow {
        SubModeStep<CTransformTool> step;
        const char* menuPrompt;
        void (CTransformTool::*endSelection)(COrvikCadView* view);
    };
    // The row of a sub-mode; null for one the tool does not have.
    static const SubModeRow* RowOf(int subMode);

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
    // What ending the selection starts in each sub-mode: the scaling at
    // once, the reference-line step, the side-click step.
    void BeginScale(COrvikCadView* view);
    void BeginStretch(COrvikCadView* view);
    void BeginOffset(COrvikCadView* view);

    // The base point of the marked entities' box by ScaleBase: 0 its
    // centre, 1 its lower left, 2 its upper left corner; (0, 0) for a box
    // thinner than 0.05.
    GeoPoint GetSelectionBasePoint(COrvikCadView* view) const;
    // Sub-mode 0: every marked entity replaced by its copy scaled by
    // NumericInputValue about the base point, as one undo step.
    void ScaleSelection(COrvikCadView* view);
    // Sub-mode 1, the step after the selection: the reference line, its new
    // length, and the operation of StretchMode (0 uniform, 1 the line and
    // its neighbour, 2 the chain).
    void StretchStep(COrvikCadView* view, platform::Point point);
    // The click after the selection in sub-mode 1: the reference line while
    // it is asked for.
    void StretchClick(COrvikCadView* view, platform::Point point);
    void StretchUniform(COrvikCadView* view);
    void StretchLineAndNeighbour(COrvikCadView* view);
    void StretchSelection(COrvikCadView* view);
    // The first marked line, arc or elliptic arc other than `excluded` with
    // an end within 0.5 of (x, y); end 0 its start matched, 1 its end.
    static CEntity* FindConnectedEntity(COrvikCadDoc& doc, const CEntity* excluded, int& end, double x, double y);
    // The result group record at (x, y) (null on a protected drawing, with
    // its message), and the pieces that join it.
    CEntity* AddGroupRecord(COrvikCadView* view, double x, double y);
    CEntity* AddGroupLine(COrvikCadView* view, const CEntity& source, GeoPoint a, GeoPoint b);
    // The arc with its end `end` (0 start, 1 end) moved to n, the other end
    // fixed, its bulge kept in proportion to the chord.
    CEntity* AddStretchedArc(COrvikCadView* view, const CEntity& arc, int end, GeoPoint n);

    // Sub-mode 2, the side click: parallel copies of the marked lines,
    // arcs, circles and ellipses at OffsetDistance, all members of one new
    // group, as one undo step.
    void Offset(COrvikCadView* view, platform::Point point);

    int m_pickState = 0;  // 0 nothing picked, 1 picks made
    CEntity* m_firstNew = nullptr;     // the result group of the operation running
    CEntity* m_stretchLine = nullptr;  // the reference line, within one stretch step
    double m_stretchLength = 0.0;

private:
    // The fixed, moving and new ends of the reference line.
    void StretchEnds(GeoPoint& f, GeoPoint& m, GeoPoint& n) const;
    // Drops the mark of a replaced entity and ends a stretch: one undo step
    // with the record as its mark; what is still marked goes back to 0.
    void FinishStretch(COrvikCadView* view);
};
