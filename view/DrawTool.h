#pragma once
// The drawing tool base. Every drawing and editing operation is a tool: one
// object per tool class for the whole run, entered in ToolList when it is
// built. The view turns mouse messages and several commands into calls of
// the virtual operations below on the current tool (the first tool in
// ToolList whose toolId equals CurrentToolId). A tool keeps the step in
// progress in its fields and in the shared state of ToolState.h, draws its
// rubber bands and markers straight into the view with the not-XOR mix, and
// adds entities through the edit helpers (ToolEdit.h).
//
// A tool holds nothing of a document between operations except what its
// step keeps; every call gets the view, and the document is reached through
// it, so an operation begun in one window can end in another. An entity kept
// between clicks is held as a HeldEntity and checked before use.

#include "model/Entity.h"
#include "platform/Dc.h"
#include "view/ToolReadout.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <vector>

class COrvikCadView;
class COrvikCadDoc;
class CEntityList;

// Button flags as the view passes them (the framework's MK_ values).
namespace ToolFlags {
inline constexpr unsigned LButton = 0x0001;
inline constexpr unsigned RButton = 0x0002;
inline constexpr unsigned Shift = 0x0004;
inline constexpr unsigned Control = 0x0008;
} // namespace ToolFlags

// An entity a tool remembers from one click to the next, with the drawing
// and list it was found in. Undo or an edit in another window may take the
// entity out of its list (and free it) between two clicks; Get answers null
// then, without touching the remembered pointer.
class HeldEntity {
public:
    HeldEntity() = default;
    void Hold(COrvikCadDoc* doc, CEntity* entity);
    void Clear();
    bool Empty() const { return entity_ == nullptr; }
    // The entity when it is still linked in the list of doc (the active
    // drawing of the caller) as the record that was held, else null; a
    // record that left the list and came back (undo, redo) counts as gone.
    // A tool that changes a held entity holds it again.
    CEntity* Get(const COrvikCadDoc* doc) const;
    // The pointer as remembered, for comparisons only.
    const CEntity* Raw() const { return entity_; }

private:
    COrvikCadDoc* doc_ = nullptr;
    const CEntityList* list_ = nullptr;
    CEntity* entity_ = nullptr;
    // Where the list kept the record, and the record's own number, so that
    // a new record at a freed one's address is not taken for it.
    uint32_t slot_ = 0;
    uint64_t serial_ = 0;
};

// True when entity is one of the records linked in list (the pointer is
// compared, never followed).
bool EntityIsLinked(const CEntityList& list, const CEntity* entity);

// A model rectangle in millimetres: minimum and maximum on each axis.
struct WorldRect {
    double xmin = 0.0;
    double ymin = 0.0;
    double xmax = 0.0;
    double ymax = 0.0;
};

class CDrawTool {
public:
    static constexpr int MaxInputPoints = 40;

    explicit CDrawTool(int id);
    virtual ~CDrawTool();
    CDrawTool(const CDrawTool&) = delete;
    CDrawTool& operator=(const CDrawTool&) = delete;

    // ---- virtual operations, in the order the view knows them ----
    virtual void OnEnterKey(COrvikCadView* view);
    virtual void FocusOptionBox(COrvikCadView* view);
    virtual void OnLButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point);
    virtual void OnLButtonDblClk(COrvikCadView* view, unsigned flags, platform::Point* point);
    // Releases the mouse capture.
    virtual void OnLButtonUp(COrvikCadView* view, unsigned flags, platform::Point* point);
    virtual void OnMouseMove(COrvikCadView* view, unsigned flags, platform::Point* point);
    virtual void OnRButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point);
    virtual void Reserved();
    // CurrentToolId := the selection tool.
    virtual void SelectDefaultTool();
    virtual void Reset(COrvikCadView* view);
    virtual void EndSelection(COrvikCadView* view);
    // One undo or redo step of the view's drawing, with its repainting.
    virtual void Undo(COrvikCadView* view);
    virtual void ErasePreview(COrvikCadView* view);
    virtual void SelectAll(COrvikCadView* view);
    // After the view repainted (part of) itself: draws the tool's not-XOR
    // figures on screen once more onto dc, so that erasing them later leaves
    // nothing.
    virtual void RedrawToolFigures(COrvikCadView* view, platform::Dc& dc);

    // Puts every selected entity (state 3) of the view's drawing back to 0
    // and draws it so, when SelectionArmed is set.
    void ClearSelection(COrvikCadView* view);

    // ---- selection and connection services, shared by every tool
    //      (DrawToolSelection.cpp, DrawToolInside.cpp, DrawToolConnect.cpp) ----
    // A cross about the device point (x - 4 .. x + 4 both ways) in the DC's
    // pen and mix.
    static void DrawCrossMarker(platform::Dc& dc, int x, int y);
    // The dotted not-XOR rectangle from `anchor`: while XorPreviewShown the
    // one at `corner` is erased and `corner` moves to point; then it is
    // drawn at `corner`. Pen xorColor when which is not 0, else altColor.
    void DrawDragRect(COrvikCadView* view, platform::Point point, int which);
    // Minimum first, maximum second, on each axis.
    static void NormalizeRect(int& x1, int& y1, int& x2, int& y2);
    static void NormalizeWorldRect(double& x1, double& y1, double& x2, double& y2);
    // Gives `state` to every entity of the view's current layer that lies
    // inside the rectangle (in order) and draws it so; a member of a
    // dimension not yet taken takes its dimension and every member along.
    // 1 when any entity was inside.
    int SelectInRect(COrvikCadView* view, double xmin, double ymin, double xmax, double ymax, int state);
    // Every entity of the current layer in `state` goes back to 0 and is
    // repainted; its snap points become live again.
    void DeselectAll(COrvikCadView* view, int state);
    // The inside test of the entity's type; 0 for the types a rectangle
    // never takes (the grid, infinite lines, dimensions, group headers).
    // The rectangle is in order and its border counts as inside.
    static int IsInsideRect(const WorldRect& r, const CEntity* e);
    static int IsPointInRect(const WorldRect& r, const CEntity* e);
    static int IsLineInRect(const WorldRect& r, const CEntity* e);      // lines and images
    static int IsSplineInRect(const WorldRect& r, const CEntity* e);
    static int IsPointListInRect(const WorldRect& r, const CEntity* e); // freehand curves, polygons
    // An arc is inside when its ends and its halfway point are.
    static int IsArcInRect(const WorldRect& r, const CEntity* e);
    static int IsCircleInRect(const WorldRect& r, const CEntity* e);
    // Texts: the box from the insertion point, half the width per
    // character and the height; the angle is not considered.
    static int IsLeaderTextInRect(const WorldRect& r, int characters, const CEntity* e);
    static int IsTextInRect(const WorldRect& r, int characters, const CEntity* e);
    // Fills (isFill 1) and hatches (0), item by item of the boundary.
    static int IsHatchInRect(int isFill, const WorldRect& r, const CEntity* e);
    static int IsEllipseInRect(const WorldRect& r, const CEntity* e);  // ellipses and elliptic arcs
    // Where the boundary piece b joins the piece a before it (lines, arcs,
    // elliptic arcs). (x, y) comes in as the point where b was picked and
    // goes out as the joint; 1 when they meet. A piece of another kind
    // leaves the point as it is and answers 1.
    static int FindConnectPoint(const CEntity* a, const CEntity* b, double& x, double& y);
    // Highlights (state 1) and draws the members that follow the owner.
    void HighlightMembers(COrvikCadView* view, CEntity* owner);
    // The segment between consecutive stored points of the entity on which
    // the perpendicular from (x, y) lands nearest; 1 when there is one.
    static int FindNearestSegment(const CEntity* entity, double x, double y, double& x1, double& y1, double& x2,
                                  double& y2);
    // The clicked points 0 .. InputPointCount - 1 joined by not-XOR lines;
    // drawing it twice erases it.
    void DrawClickedPointsPreview(COrvikCadView* view);

    // ---- the magnet marker and the point of a click ----
    // The marker that follows the cursor to the nearest snap point; every
    // tool that takes points runs it at the end of its OnMouseMove. The snap
    // points of `except` are passed over.
    void UpdateMagnetMarker(COrvikCadView* view, platform::Point point, const CEntity* except = nullptr);
    // Erases the marker if one is on screen.
    void EraseMagnetMarker(COrvikCadView* view);
    // The model point of a click: the marker's point while one is shown,
    // else what the pick finds with filter (only grid points while the
    // magnet is off), else the raw point. Typed values, where a tool's step
    // takes them, are the tool's to check first (NumericInputPending).
    // Answers where the point came from.
    enum class PointSource { Raw, Marker, Pick };
    PointSource ClickPoint(COrvikCadView* view, platform::Point point, int filter, double& x, double& y);

    // A point a step takes: the model point, the view point a figure starts
    // from (the marker's pixel, the picked point's, or the click itself),
    // where it came from, and whether it was typed rather than clicked.
    struct TakenPoint {
        double x = 0.0, y = 0.0;
        platform::Point view{};
        PointSource source = PointSource::Raw;
        bool typed = false;
    };
    // The point of a click: marker, pick with filter, or raw (ClickPoint).
    TakenPoint TakePoint(COrvikCadView* view, platform::Point point, int filter = 0);
    // A point given by typed values: the model point as it is.
    static TakenPoint TypedPoint(const COrvikCadView* view, double x, double y);
    // Draws the marker once more on dc when it is shown in view: after dc
    // repainted (part of) the view, this puts it back there.
    void RedrawMagnetMarker(COrvikCadView* view, platform::Dc& dc);
    // Forgets a marker of view without drawing: the view was drawn afresh
    // and the marker is no longer on screen.
    void ForgetMagnetMarker(const COrvikCadView* view);

    // ---- fields ----
    int toolId = 0;
    COLORREF xorColor = 0;   // pen of rubber bands: the view's instruction colour
    COLORREF altColor = 0;   // the view's highlight colour: magnet marker, drag rectangle
    COLORREF backColor = 0;  // the view's background colour
    int savedRop2 = 0;       // mix of the view's client DC at the last left press
    int auxPreviewShown = 0; // a second XOR figure is on screen
    int toolFlag = 0;
    int toolAux = 0;
    platform::Point anchor{};      // fixed end of the rubber band (view point)
    platform::Point corner{};      // moving end as last drawn
    platform::Point lastPoint{};
    platform::Point lastPoint2{};
    double X[MaxInputPoints] = {};  // model points of the running operation
    double Y[MaxInputPoints] = {};
    double workValue0 = 0.0;
    int workFlag = 0;
    int workStep = 0;
    double workX = 0.0, workY = 0.0;
    double workValue1 = 0.0;
    int vertexCount = 3;
    int angleGiven = 0;
    double givenAngle = 0.0;
    int workInt0 = 0, workInt1 = 0;
    double workValue2 = 0.0, workValue3 = 0.0, workValue4 = 0.0;
    int magnetKind = 0;             // SnapKind of the marker on screen; 0 none
    platform::Point markerDevice{}; // where the marker was drawn (view point)
    double markerPoint[2] = {};     // model point of the marker
    int readoutKind = 1;            // a length read-out is on screen (tool's meaning)
    double readoutPos[2] = {};      // model point the read-out was drawn for
    ToolReadout readout;            // the read-out on screen and how to erase it

protected:
    // Shared bodies several tools use as their own operations.
    // OnLButtonDown that only records the client DC's mix in savedRop2.
    void RecordRop2(COrvikCadView* view);
    // FocusOptionBox that puts the focus on the main frame's option panel.
    void FocusMainOptionBox();
    // Reset that cancels like a right click at `corner`.
    void ResetByRightClick(COrvikCadView* view);

    // Writes a prompt (UTF-8) into the prompt box; warning paints it red.
    static void Prompt(const char* utf8, bool warning = false);

    // The view point of a model point on the view's DC, held within the
    // range the mapping clamps to (previews with huge radii stay finite).
    static platform::Point PreviewPoint(const COrvikCadView* view, double x, double y);

private:
    void HighlightMembersOn(COrvikCadView* view, platform::Dc& dc, CEntity* owner);
    void DrawMarker(COrvikCadView* view, int kind, platform::Point at);
    void DrawMarkerOn(platform::Dc& dc, int kind, platform::Point at);

    QPointer<QWidget> markerView_;  // the view the marker was drawn in
};
