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

#include "edit_tools/ReplaceSelection.h"
#include "model/EntityTransform.h"
#include "model/GeometryTypes.h"
#include "tools/SubModeSteps.h"
#include "view/DrawTool.h"
#include "view/ToolState.h"

#include <cstdint>
#include <functional>
#include <optional>

class COrvikCadDoc;

class CMoveTool : public CDrawTool {
public:
    CMoveTool();

    // One sub-mode's steps: its row (step.prompt at step 0, after a reset
    // and after every operation; step.click after the selection; step.move
    // the preview at the base-point step), what it says at its other steps
    // (UTF-8; empty where it says nothing), for the typed offsets of the
    // option box whether it moves (1), copies (0) or has none (-1), and
    // whether it pastes into another drawing through EntityBuffer.
    struct SubModeSteps {
        SubModeStep<CMoveTool> step;
        const char* marked;       // after a marking action
        const char* ended;        // after EndSelection
        const char* typed;        // for typed offsets
        const char* all;          // after SelectAll
        const char* destination;  // at step 3
        int typedMove;
        bool throughBuffer;
        // The first prompt (step.prompt).
        const char* Start() const { return step.prompt; }
    };
    static const SubModeSteps& StepsOf(int subMode);

    void FocusOptionBox(COrvikCadView* view) override;
    void OnLButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnLButtonUp(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnMouseMove(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnRButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void Reset(COrvikCadView* view) override;
    void EndSelection(COrvikCadView* view) override;
    void SelectAll(COrvikCadView* view) override;
    void RedrawToolFigures(COrvikCadView* view, platform::Dc& dc) override;

    // The click handlers of the sub-modes.
    void ClickMove(COrvikCadView* view, platform::Point point) { ClickMoveCopy(view, point, 1); }
    void ClickCopy(COrvikCadView* view, platform::Point point) { ClickMoveCopy(view, point, 0); }
    void ClickMirrorHorizontally(COrvikCadView* view, platform::Point point) { ClickMirror(view, point, 0, 1); }
    void ClickMirrorCopyHorizontally(COrvikCadView* view, platform::Point point) { ClickMirror(view, point, 0, 0); }
    void ClickMirrorVertically(COrvikCadView* view, platform::Point point) { ClickMirror(view, point, 1, 1); }
    void ClickMirrorCopyVertically(COrvikCadView* view, platform::Point point) { ClickMirror(view, point, 1, 0); }

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

    // ---- mirroring ----
    // The axis preview through the point: a vertical line across the
    // client area (horizontalLine 0) or a horizontal one (1), not-XOR.
    int DrawMirrorAxisPreview(COrvikCadView* view, platform::Point point, int horizontalLine);
    // Sub-modes 2 to 5 at the base-point step: the axis of the sub-mode
    // through the pointer.
    void PreviewMirrorAxis(COrvikCadView* view, platform::Point point);
    // Sub-modes 2 to 5: the base-point click mirrors the marked entities in
    // the vertical (vertical 0) or horizontal (1) axis through it.
    void ClickMirror(COrvikCadView* view, platform::Point point, int vertical, int move);
    // The marked entities mirrored in the axis through (X[2], Y[2]):
    // replaced (move 1) or kept beside their images (0).
    void MirrorSelection(COrvikCadView* view, int vertical, int move);
    // The flip of the selected entities (state 3) about the centre of their
    // box: vertical 0 left and right change places, 1 top and bottom.
    static void MirrorSelectionInPlace(COrvikCadView* view, int16_t vertical);
    // Replaces each selected entity (state 3) by what the rule made once
    // for the centre of their box and the current layer makes of it;
    // nothing when none is selected.
    static void ReplaceAboutSelectionCentre(COrvikCadView* view,
                                            const std::function<ReplaceRule(GeoPoint centre, int16_t layer)>& makeRule);
    // The mirror image of one entity in the axis through base; null when
    // it gets none.
    static std::optional<EntityCopy> MirrorEntity(const CEntity& source, GeoPoint base, bool vertical,
                                                  int16_t layer);
    // Dimensions by kind: the points reflected, what depends on them
    // placed anew, the measured value kept.
    static std::optional<EntityCopy> MirrorDimension(const CEntity& source, const TransformMatrix& matrix,
                                                     int16_t layer);
    static bool MirrorDimensionKind0or5(EntityCopy& copy, const TransformMatrix& matrix, int kind5);
    static bool MirrorDimensionKind1(EntityCopy& copy, const TransformMatrix& matrix, int vertical);
    static bool MirrorDimensionKind6or7(EntityCopy& copy, const TransformMatrix& matrix, int atArc);

    // Runs command 32900's turns and flips (arguments 3 to 6) on the view.
    static void RunSelectionOperation(COrvikCadView& view, int argument);

    // ---- fields ----
    CEntity* m_firstNew = nullptr;  // first entity the running edit added: the undo mark
    int32_t m_firstNewSet = 0;      // 1 once m_firstNew is taken
    int32_t m_pickState = 0;        // 1 after a marking action, 0 after Reset and every press
    platform::Point m_previewPoint{};  // the base-point cross marker (view point)
    int32_t m_crossShown = 0;          // the cross marker is on screen
    int32_t m_axisShown = 0;           // the mirror axis preview is on screen
    QPointer<QWidget> m_figureView;    // the view the cross or the axis is drawn in
    double m_mirrorAxis[3] = {};       // the axis a x + b y + c = 0 of the running mirror

private:
    // Copies of the entities in `state` beside them (their state back to
    // 0), added as one run: the undo mark on the first, or "011" when the
    // mark is taken. relinkGroups: copies join the headers of their group
    // number.
    static CEntity* CopySelection(COrvikCadView* view, int16_t state, const ReplaceRule& rule, bool relinkGroups);
    // The model point of a click at the step's input slot.
    void TakeStepPoint(COrvikCadView* view, platform::Point point);
    // The cross marker at m_previewPoint, drawn in the not-XOR mix (a second
    // drawing takes it away).
    void ShowBaseCross(COrvikCadView* view);
    void EraseBaseCross();
    // The view the cross or axis was drawn in, while it is open.
    COrvikCadView* FigureView() const;
    void EndOperation(COrvikCadView* view);
    // The mirror axis line through `at` across the client area, not-XOR.
    void DrawAxisOn(COrvikCadView* view, platform::Dc& dc, platform::Point at, int horizontalLine);
    void EraseMirrorAxis();
    // Copies the buffer table allows, added to EntityBuffer.
    static void AddToBuffer(COrvikCadView* view, const CEntity& source);
};
