#pragma once
// CDeleteTool: the delete tool (id 8). Sub-mode 0 deletes the unit under a
// click (an entity, or a dimension or group with all its members); 1 deletes
// every entity of the current layer that a line drawn with two clicks
// crosses; 2 deletes the entities of chosen kinds inside or outside a
// rectangle drawn with two clicks, after asking in CDeleteGroupDlg.
//
// Every delete is one undo step. Whatever goes, no member stays behind its
// deleted owner; a protected drawing refuses the delete before anything
// changes, with one message.

#include "edit_tools/DeleteGroupDlg.h"
#include "tools/RubberBand.h"
#include "tools/SubModeSteps.h"
#include "view/DrawTool.h"
#include "view/ToolState.h"

#include <vector>

class COrvikCadDoc;

class CDeleteTool : public CDrawTool {
public:
    CDeleteTool() : CDrawTool(ToolId::Delete)
    {
        XorPreviewShown = 0;
        InputPointCount = 0;
    }

    void OnLButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnLButtonUp(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnMouseMove(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnRButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    // Erases a pending band and goes back to the first click; the prompt
    // stays.
    void Reset(COrvikCadView* view) override;
    void RedrawToolFigures(COrvikCadView* view, platform::Dc& dc) override;

    // One sub-mode: its click and preview, the prompt that starts it again
    // after an operation, and whether a press records the view's mix (the
    // dotted area band needs it).
    struct SubModeRow {
        SubModeStep<CDeleteTool> step;
        bool recordsMix;
    };
    // The row of a sub-mode; null for one the tool does not have.
    static const SubModeRow* RowOf(int subMode);

    // ---- sub-mode 0 ----
    void DeleteSingle(COrvikCadView* view, platform::Point point);

    // ---- sub-mode 1 ----
    // One click of the crossing line: its start, then its end and the delete.
    void CrossDelete(COrvikCadView* view, platform::Point point);
    // The crossing line's free end follows the mouse.
    void DrawRubberBand(COrvikCadView* view, platform::Point point);
    // Deletes every entity of the current layer the segment from point 0 to
    // point 1 (X, Y) crosses; a crossed part of a dimension takes the whole
    // dimension along, a member of a group goes alone.
    void DeleteCrossedRecords(COrvikCadView* view);

    // ---- sub-mode 2 (DeleteToolArea.cpp) ----
    // One click of the area delete: the first corner, then the second, the
    // dialog and the delete.
    void GroupDelete(COrvikCadView* view, platform::Point point);
    // The dotted area from the first corner to the pointer.
    void DrawAreaBand(COrvikCadView* view, platform::Point point);
    // Applies the dialog's choice (mode 0 all kinds, 1 by kind; range 0
    // inside, 1 outside) to the marks (state 1) of the rectangle test:
    // entities to delete get state -1 (a member deleted inside takes its
    // dimension or group along), the others that were decided 0. Answers
    // the entities to delete, in list order; DeleteWithMembers adds the
    // members of deleted owners.
    std::vector<CEntity*> MarkRecordsInArea(COrvikCadView* view, int mode, int range, const DeleteKindFlags& flags);

    // Deletes the entities (with every member of a deleted owner, whatever
    // its state) as one undo step and repaints their places; the drawing is
    // marked modified. The caller has tested the protection.
    static void DeleteWithMembers(COrvikCadView* view, std::vector<CEntity*> doomed);

private:
    RubberBand band_;
};
