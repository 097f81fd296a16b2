#pragma once
// CDimensionTool: dimensions of eight kinds, one per sub-mode (ToolSubMode
// while CurrentToolId is ToolId::Dimension):
//
//   0 distance          1 horizontal chain    2 vertical chain
//   3 perimeter         4 radius              5 diameter
//   6 angle             7 area
//
// The frame (dispatch, right click, previews, the add path) is in
// DimensionTool.cpp; distances and chains in DimensionToolLinear.cpp;
// radius, diameter and angle in DimensionToolCurves.cpp; perimeter and area
// in DimensionToolRegion.cpp. The records themselves are made by
// model/DimensionRecord.h.

#include "model/DimensionRecord.h"
#include "tools/RubberBand.h"
#include "tools/SubModeSteps.h"
#include "view/DrawTool.h"
#include "view/ToolState.h"

// Where the boundary piece e picked at (px, py) joins the piece before it
// (CDrawTool::FindConnectPoint, the pick taken onto an arc's circle first);
// 1 when they meet.
int RegionJunction(const CEntity* previous, const CEntity* e, double px, double py, double& x, double& y);

namespace DimensionMode {
inline constexpr int Distance = 0;
inline constexpr int Horizontal = 1;
inline constexpr int Vertical = 2;
inline constexpr int Perimeter = 3;
inline constexpr int Radius = 4;
inline constexpr int Diameter = 5;
inline constexpr int Angle = 6;
inline constexpr int Area = 7;
} // namespace DimensionMode

class CDimensionTool : public CDrawTool {
public:
    // Most elements a perimeter or area region holds.
    static constexpr int MaxRegionElements = 20;

    CDimensionTool();

    // ---- operations of the view ----
    void FocusOptionBox(COrvikCadView* view) override;
    void OnLButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnLButtonUp(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnMouseMove(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnRButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void Reset(COrvikCadView* view) override;
    void RedrawToolFigures(COrvikCadView* view, platform::Dc& dc) override;

    // ---- the clicks of the sub-modes ----
    void DistanceDimension(COrvikCadView* view, platform::Point point);
    void AddMeasurePoint(COrvikCadView* view, platform::Point point);
    void ChainDimension(bool vertical, COrvikCadView* view);
    void PickPerimeterElement(COrvikCadView* view, platform::Point point);
    void PerimeterDimension(COrvikCadView* view);
    void RadiusDimension(COrvikCadView* view, platform::Point point);
    void DiameterDimension(COrvikCadView* view, platform::Point point);
    void AngleDimension(COrvikCadView* view, platform::Point point);
    void AddAngleDimension(COrvikCadView* view, platform::Point point);
    void AreaDimension(COrvikCadView* view, platform::Point point);

    // The dimension line through the cursor (view point) parallel to the
    // measured segment held in segment_: 0 and its two ends as view points,
    // else the code of ProjectDimensionLine. line gets the model ends.
    int ProjectPoint(COrvikCadView* view, platform::Point cursor, platform::Point& p1, platform::Point& p2,
                     DimensionLine* line = nullptr);

    // One sub-mode: its first prompt, its click, its preview, its own part
    // of the right button (the rest is common to all), and whether the
    // magnet marker follows the pointer.
    struct SubModeRow {
        SubModeStep<CDimensionTool> step;
        bool magnetMarker;
    };
    // The row of a sub-mode; null for one the tool does not have.
    static const SubModeRow* RowOf(int subMode);

    // The dimension line where the preview last was (lastCursor_): its
    // model ends, or those of the measured segment when none goes there
    // (status kept); first gets its first end as a view point.
    DimensionLine LineAtLastCursor(COrvikCadView* view, platform::Point& first);

    // The first prompt of a sub-mode.
    static const char* StartPrompt(int subMode);

    // ---- what an operation keeps ----
    int placingDimLine = 0;        // chains: placing the line; perimeter: placing the leader
    double leaderStart[2] = {};    // perimeter: model point of the first pick
    HeldEntity picked;             // the entity of the latest pick (radius, diameter)
    int pickedType = 0;
    HeldEntity elements[MaxRegionElements];  // perimeter, angle, area: picked so far

private:
    // The point of a measuring click: the marker's, else what the pick
    // finds on any entity (also with the magnet off), else the cursor.
    TakenPoint MeasurePoint(COrvikCadView* view, platform::Point point);
    // The record goes into the drawing: pending undo step dropped,
    // protection, add, modified, snap points, drawn with its members; step 0
    // and the sub-mode's first prompt afterwards in any case.
    CEntity* AddDimension(COrvikCadView* view, DimensionRecord& record);
    DimensionStyle Style(COrvikCadView* view) const;

    // The element of a region pick (pick filter `filter`, the pick at px,
    // py), or null after a beep when the region is full or nothing readable
    // lies there.
    CEntity* PickRegionElement(COrvikCadView* view, platform::Point point, int filter, double& px, double& py);
    // A later pick of a region (InputPointCount > 0): e, not a closed
    // shape, must meet the element before it; their junction becomes the
    // step's point and e is held unless it closes the region (the first
    // element again). False after a beep.
    bool JoinRegionElement(COrvikCadView* view, CEntity* e, double px, double py, bool closedShape, bool& closes);
    // The measured segment is points 0 and 1: the next click places the
    // dimension line.
    void AskForDimensionLine();

    void ShowLineBand(COrvikCadView* view, platform::Point cursor);
    void ShowDimLinePreview(COrvikCadView* view, platform::Point cursor);
    void EraseFigures();
    // Draws an entity in a state without changing its own state.
    static void DrawInState(COrvikCadView* view, CEntity* e, int state);
    // The held elements drawn normally again; their states back to 0.
    void ReleaseElements(COrvikCadView* view, bool resetStates);

    // The clicks, previews and right buttons of the table's rows.
    void ClickChain(COrvikCadView* view, platform::Point point);
    void ClickPerimeter(COrvikCadView* view, platform::Point point);
    void MoveDistance(COrvikCadView* view, platform::Point point);
    void MoveChain(COrvikCadView* view, platform::Point point);
    void MovePerimeter(COrvikCadView* view, platform::Point point);
    void MoveRadius(COrvikCadView* view, platform::Point point);
    void MoveDiameter(COrvikCadView* view, platform::Point point);
    void MoveAngle(COrvikCadView* view, platform::Point point);
    // A chain's right button after two points starts placing its line;
    // else it cancels.
    void CancelChain(COrvikCadView* view);
    // The elements held go back to normal (for the area also their states).
    void CancelRegion(COrvikCadView* view);
    void CancelArea(COrvikCadView* view);
    // The picked circle or arc goes back to normal.
    void CancelPicked(COrvikCadView* view);
    // What every cancel ends with: figures gone, step 0, the first prompt.
    void CancelCommon(COrvikCadView* view);

    // Radius, diameter and angle previews (DimensionToolCurves.cpp).
    void ShowRadiusPreview(COrvikCadView* view, platform::Point cursor);
    void ShowDiameterPreview(COrvikCadView* view, platform::Point cursor);
    void ShowAnglePreview(COrvikCadView* view, platform::Point cursor);

    // Model ends of the measured segment the dimension-line preview follows.
    double segment_[4] = {};
    platform::Point lastCursor_{};  // the last previewed cursor position
    int elementCount_ = 0;          // angle: elements picked
    int angleFromArc_ = 0;          // angle: the first element is an arc
    double vertex_[2] = {};         // angle: vertex
    double angleStart_ = 0.0, angleEnd_ = 0.0;
    double angleFirstPick_[2] = {};
    RubberBand lineBand_;    // line anchor -> cursor
    RubberBand dimBand_;     // the four-line dimension-line preview
    RubberBand chainBand_;   // the lines between a chain's measuring points
    RubberBand curveBand_;   // radius, diameter, leader and arc previews
    RubberBand crossBand_;   // the angle's vertex cross
};
