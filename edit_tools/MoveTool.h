#pragma once
// CMoveTool (tool 11): moves, copies and mirrors the entities the user
// marks (state 4) on the current layer, and copies them from one drawing
// into another through EntityBuffer. Sub-modes: 0 move, 1 copy, 2 and 3
// mirror in a vertical axis (move, copy), 4 and 5 mirror in a horizontal
// axis (move, copy), 6 copy between drawings.
//
// Steps (InputPointCount): 0 marking, 2 base point, 3 destination.
// The quarter turns and flips of the selection panel run on the selected
// entities (state 3) through the static operations below; they need no
// tool object.

#include "model/EntityTransform.h"
#include "model/GeometryTypes.h"
#include "view/DrawTool.h"
#include "view/ToolState.h"

#include <cstdint>
#include <optional>

class COrvikCadDoc;

class CMoveTool : public CDrawTool {
public:
    CMoveTool();

    // What each sub-mode says at its steps (UTF-8; empty where it says
    // nothing): at step 0, after a marking action, after EndSelection, for
    // typed offsets, after SelectAll, at step 3.
    struct SubModePrompts {
        const char* start;
        const char* marked;
        const char* ended;
        const char* typed;
        const char* all;
        const char* destination;
    };
    static const SubModePrompts& PromptsOf(int subMode);

    void FocusOptionBox(COrvikCadView* view) override;
    void OnLButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnLButtonUp(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnMouseMove(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnRButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void Reset(COrvikCadView* view) override;
    void EndSelection(COrvikCadView* view) override;
    void SelectAll(COrvikCadView* view) override;
    void RedrawToolFigures(COrvikCadView* view, platform::Dc& dc, bool deviceDc) override;

    // Sub-modes 0 and 1: the base-point click (step 2), then the
    // destination click (step 3) that runs the engine. move: 1 move, 0 copy.
    void ClickMoveCopy(COrvikCadView* view, platform::Point point, int move);
    // Sub-modes 0 and 1 with typed offsets: base (0, 0), destination the
    // offsets of the dialog.
    void MoveByDialog(COrvikCadView* view, int move);

    // ---- the engine ----
    // Moves (move 1) or copies (0) the marked entities, or pastes the
    // entities of EntityBuffer (fromBuffer 1), by the matrix from base point
    // (X[2], Y[2]) to destination (X[3], Y[3]) with factor s and angle a.
    void TransformSelection(COrvikCadView* view, int fromBuffer, int move, double s, double a);
    // The quarter turn of the selected entities (state 3) about the centre
    // of their box: direction 0 clockwise, 1 counter-clockwise.
    static void RotateSelection90(COrvikCadView* view, int16_t direction);
    // The copy of one entity under the move matrix; null when it gets none.
    static std::optional<EntityCopy> TransformEntity(const CEntity& source, const TransformMatrix& matrix, double s,
                                                     double a, int16_t layer);

    // ---- copy between drawings ----
    // Sub-mode 6: the base-point click fills the buffer; the destination
    // click, after another view was activated, pastes.
    void ClickCopyBetweenDrawings(COrvikCadView* view, platform::Point point);
    // The marked entities of the view's drawing into EntityBuffer (emptied
    // first), unmarked.
    void CopySelectionToBuffer(COrvikCadView* view);
    static void CopyFreeCurveToBuffer(COrvikCadView* view, const CEntity& curve);
    static void CopyDimensionToBuffer(COrvikCadView* view, const CEntity& dimension);
    static void CopyDimensionKind1or2ToBuffer(COrvikCadView* view, const CEntity& dimension, int vertical);
    static void CopyDimensionKind6or7ToBuffer(COrvikCadView* view, const CEntity& dimension, int atArc);

    // Runs command 32900's turns and flips (arguments 3 to 6) on the view.
    static void RunSelectionOperation(COrvikCadView& view, int argument);

    // ---- fields ----
    CEntity* m_firstNew = nullptr;  // first entity the running edit added: the undo mark
    int32_t m_firstNewSet = 0;      // 1 once m_firstNew is taken
    int32_t m_pickState = 0;        // 1 after a marking action, 0 after Reset and every press
    platform::Point m_previewPoint{};  // the base-point cross marker (view point)
    int32_t m_crossShown = 0;          // the cross marker is on screen

private:
    // The model point of a click at the step's input slot.
    void TakeStepPoint(COrvikCadView* view, platform::Point point);
    // The cross marker at m_previewPoint, drawn in the not-XOR mix (a second
    // drawing takes it away).
    void DrawBaseCross(COrvikCadView* view);
    void EndOperation(COrvikCadView* view);
    // Copies the buffer table allows, added to EntityBuffer.
    static void AddToBuffer(COrvikCadView* view, const CEntity& source);
};
