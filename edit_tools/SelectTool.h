#pragma once
// CSelectTool: the selection tool, the default tool (id 0). It selects by a
// click (toggling one unit) or by a window, selects the current layer with
// Ctrl+A, clears the selection, opens the property dialog of an entity on a
// double click, and marks entities (state 4) for the group, parts and
// entity-list commands of its sub-modes 1 to 4. In sub-mode 0 a press on the
// selection arms a drag that the release applies.
//
// A unit is what a click selects: an entity, or the owner (group header or
// dimension) of a member together with all the owner's members.

#include "model/EntityTransform.h"
#include "model/GeometryTypes.h"
#include "tools/RubberBand.h"
#include "tools/SubModeSteps.h"
#include "view/DrawTool.h"
#include "view/ToolState.h"

#include <cstdint>
#include <functional>
#include <optional>

class COrvikCadView;
struct BoundaryPreview;

// The property dialog of one entity's type, registered by the shell (the
// dialogs live above this layer). 0 when the dialog ended with OK and the
// entity was changed or replaced; anything else leaves the drawing as it was.
// Unset, no dialog opens.
extern std::function<int(COrvikCadView*, CEntity*)> EntityPropertiesEditor;

// Gives `state` to every entity of the view's drawing whose owner is
// `owner` (any layer, in list order) and draws each so. The owner itself is
// not changed; a plain entity has no members and nothing happens.
void SetGroupMembersState(COrvikCadView* view, CEntity* owner, int16_t state);

class CSelectTool : public CDrawTool {
public:
    CSelectTool() : CDrawTool(ToolId::Select)
    {
        XorPreviewShown = 0;
        ButtonDownPending = 0;
    }

    void OnLButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnLButtonDblClk(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnLButtonUp(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnMouseMove(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnRButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void Reset(COrvikCadView* view) override;
    void SelectAll(COrvikCadView* view) override;
    // Deletes the unit last clicked into a new undo step; nothing when
    // there is none.
    virtual void DeleteSelected(COrvikCadView* view);

    // One sub-mode: the release (step.click), the mouse move while the
    // button is down (step.move), the right button (step.cancel; none does
    // nothing), the state a press beside the selection clears besides the
    // selection's own, and whether a double click opens the property
    // dialog.
    struct SubModeRow {
        SubModeStep<CSelectTool> step;
        int16_t pressClears;
        bool opensProperties;
    };
    // The row of a sub-mode; null for one the tool does not have.
    static const SubModeRow* RowOf(int subMode);

    // The releases of the sub-modes: sub-mode 0 selects or applies an armed
    // drag; 1, 3 and 4 mark by click or window; 2 marks one unit by a click.
    void ReleaseSelecting(COrvikCadView* view, platform::Point point);
    void ReleaseMarking(COrvikCadView* view, platform::Point point);
    void ReleaseMarkingUnit(COrvikCadView* view, platform::Point point);
    // The moves: sub-mode 0 draws the window or the armed drag's outline;
    // 1, 3 and 4 the window only.
    void MoveSelecting(COrvikCadView* view, platform::Point point);
    void MoveMarking(COrvikCadView* view, platform::Point point);
    // The right button of sub-modes 1, 3 and 4: arms the context menu when
    // anything is marked.
    void ArmWhenAnyMarked(COrvikCadView* view);

    // Click selection at a view point: the unit under it on the current
    // layer toggles between 0 and `state`.
    void SelectAtPoint(COrvikCadView* view, platform::Point point, int16_t state);
    // Window selection from `anchor` to the point: what lies inside on the
    // current layer gets `state` (set, not toggled), with its whole unit.
    void SelectInWindow(COrvikCadView* view, platform::Point point, int16_t state);

    // ---- drags of the selection (SelectToolDrag.cpp) ----
    // Set-up when a handle of a selected unit is grabbed at (x, y).
    void BeginHandleDrag(COrvikCadView* view, CEntity* unit, double x, double y, int kind);
    // Set-up when a line's midpoint (snap kind 4) is grabbed.
    void BeginMidpointDrag(COrvikCadView* view, CEntity* unit, double x, double y, int kind);
    // The drag vector from the drag's start to the release point (model),
    // drawn onto the nearest snap or grid point by any vertex of the
    // selection within 10 pixels; also with the magnet off.
    GeoPoint SnapMoveVector(COrvikCadView* view, platform::Point point);
    // The new handle position at the release point: the nearest grid point
    // when one is nearer than the grid pitch over the grid sensitivity.
    GeoPoint SnapStretchVector(COrvikCadView* view, platform::Point point);
    void ApplyMove(COrvikCadView* view, platform::Point point);
    void ApplyStretch(COrvikCadView* view, platform::Point point);
    void ApplyMidpointDrag(COrvikCadView* view, platform::Point point);

    // ---- the per-type rules of handle and midpoint drags ----
    // Each gives the copy that replaces `old`, or nothing when `old` stays.
    // p is the new handle position (handle drags) or the drag vector
    // (midpoint drags); the drag data are X/Y[0..2] and m_grabbedKind.
    std::optional<EntityCopy> StretchLineOrSpline(COrvikCadView* view, const CEntity& old, GeoPoint p) const;
    std::optional<EntityCopy> StretchPolygon(COrvikCadView* view, const CEntity& old, GeoPoint p) const;
    std::optional<EntityCopy> StretchCircle(COrvikCadView* view, const CEntity& old, GeoPoint p) const;
    std::optional<EntityCopy> StretchArc(COrvikCadView* view, const CEntity& old, GeoPoint p) const;
    std::optional<EntityCopy> StretchEllipse(COrvikCadView* view, const CEntity& old, GeoPoint p) const;
    std::optional<EntityCopy> StretchEllipticArc(COrvikCadView* view, const CEntity& old, GeoPoint p) const;
    std::optional<EntityCopy> StretchImage(COrvikCadView* view, const CEntity& old, GeoPoint p) const;
    std::optional<EntityCopy> MidpointDragLine(COrvikCadView* view, const CEntity& old, GeoPoint v) const;
    std::optional<EntityCopy> MidpointDragArc(COrvikCadView* view, const CEntity& old, GeoPoint v) const;

    // ---- outlines of an armed drag (SelectToolPreview*.cpp) ----
    // The outline of the armed drag at the view point, by drag kind, and for
    // handle and midpoint drags the magnet marker. The first outline of a
    // drag is also painted once where the drag started (in the copy mix, so
    // the selection stays visible under the moving outline; a curve being
    // reshaped in the not-XOR mix).
    virtual void DrawDragPreview(COrvikCadView* view, platform::Point point);
    // The displacement of a drag from one view point to another, in model
    // units.
    static GeoPoint DragVector(const COrvikCadView* view, platform::Point from, platform::Point to);
    void DrawMovePreview(COrvikCadView* view, platform::Point point);
    void DrawStretchPreview(COrvikCadView* view, platform::Point point);
    void DrawMidpointDragPreview(COrvikCadView* view, platform::Point point);
    // Erases the outline on screen (at the end of a drag).
    void EndDragPreview();
    void RedrawToolFigures(COrvikCadView* view, platform::Dc& dc) override;
    // The outline of one entity displaced by (dx, dy), added to the figure
    // being built.
    void DrawMovedPointPreview(COrvikCadView* view, const CEntity* e, double dx, double dy);
    void DrawMovedLinePreview(COrvikCadView* view, const CEntity* e, double dx, double dy);
    void DrawMovedInfiniteLinePreview(COrvikCadView* view, const CEntity* e, double dx, double dy);
    void DrawMovedSplinePreview(COrvikCadView* view, const CEntity* e, double dx, double dy);
    void DrawMovedPointListPreview(COrvikCadView* view, const CEntity* e, double dx, double dy);
    void DrawMovedCirclePreview(COrvikCadView* view, const CEntity* e, double dx, double dy);
    void DrawMovedEllipsePreview(COrvikCadView* view, const CEntity* e, double dx, double dy);
    void DrawMovedEllipticArcPreview(COrvikCadView* view, const CEntity* e, double dx, double dy);
    void DrawMovedTextPreview(COrvikCadView* view, const CEntity* e, double dx, double dy);
    void DrawMovedLeaderTextPreview(COrvikCadView* view, const CEntity* e, double dx, double dy);
    void DrawMovedGroupPreview(COrvikCadView* view, const CEntity* e, double dx, double dy);
    void DrawMovedFillPreview(COrvikCadView* view, const CEntity* e, double dx, double dy);
    void DrawMovedHatchPreview(COrvikCadView* view, const CEntity* e, double dx, double dy);
    void DrawMovedImagePreview(COrvikCadView* view, const CEntity* e, double dx, double dy);

    // ---- fields (all zero when built) ----
    int16_t m_grabbedType = 0;
    int32_t m_selectState = 0;  // 0 nothing selected by the tool, 1 a selection made, 2 a drag armed
    int32_t m_dragKind = 0;     // 0 move, 1 handle, 2 midpoint
    platform::Point m_dragStart{};
    CEntity* m_primary = nullptr;   // unit of the last click; null after a window or SelectAll
    CEntity* m_hitEntity = nullptr; // entity under the last selecting click
    int32_t m_firstCopyTaken = 0;
    int32_t m_previewShown = 0;
    int32_t m_grabbedIndex = 0;
    int32_t m_grabbedKind = 0;

private:
    // The outline of the drag kind at the view point into m_outline;
    // first: the drag's starting position.
    void BuildDragOutline(COrvikCadView* view, platform::Point point, bool first);
    void BuildMoveOutline(COrvikCadView* view, double dx, double dy);
    void BuildStretchOutline(COrvikCadView* view, double mx, double my);
    void BuildMidpointOutline(COrvikCadView* view, double dx, double dy);

    // The discs and the filled outline of a boundary, added to the figure
    // being built.
    void AddBoundaryOutline(COrvikCadView* view, const BoundaryPreview& b);

    RubberBand m_outline;          // the drag outline on screen
    HeldEntity m_reshaped;         // the curve a handle drag reshapes
    platform::Point m_outlineAt{}; // where it was drawn for

    // Takes the window band away at a release, when one is on screen.
    void EndWindowBand(COrvikCadView* view);
    // A release near the press selects at the point, else in the window;
    // a selection made arms the context menu.
    void SelectByClickOrWindow(COrvikCadView* view, platform::Point point, int16_t state);

    // Every entity in one of the given states goes to 0 and is repainted.
    void ClearStates(COrvikCadView* view, int16_t a, int16_t b);
    void ForgetSelection();
};
