#pragma once
// CPolyTool: boxes, parallelograms and regular polygons, one per sub-mode
// (ToolSubMode while CurrentToolId is ToolId::Poly):
//
//   0 box: two corners, or of given size at one click
//   1 parallelogram: base line, then the corner next to its start
//   2 regular polygon: centre, radius point and direction, or of given
//     size at one click
//
// Every shape is added as one group: a group header at the shape's first
// point followed by its sides as members, so one undo takes it away whole.
//
// The dispatch, the clicks and the adding are in PolyTool.cpp; the rubber
// bands, markers and read-outs in PolyToolPreview.cpp. Every figure on
// screen is remembered as drawn and taken away by drawing it again.

#include "model/GeometryTypes.h"
#include "view/DrawTool.h"
#include "view/ToolState.h"
#include "tools/RubberBand.h"

#include <QPointer>
#include <QWidget>

#include <vector>

namespace PolyToolMode {
inline constexpr int Box = 0;
inline constexpr int Parallelogram = 1;
inline constexpr int Polygon = 2;
} // namespace PolyToolMode

class CPolyTool : public CDrawTool {
public:
    // The vertex counts a polygon may have; counts outside are brought in.
    static constexpr int MinVertices = 3;
    static constexpr int MaxVertices = 24;

    CPolyTool();

    // ---- operations of the view ----
    void FocusOptionBox(COrvikCadView* view) override;
    void OnLButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnLButtonUp(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnMouseMove(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnRButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void Reset(COrvikCadView* view) override;
    void ErasePreview(COrvikCadView* view) override;
    void RedrawToolFigures(COrvikCadView* view, platform::Dc& dc) override;

    // ---- clicks, one per sub-mode and option ----
    void AddBox(COrvikCadView* view, platform::Point point);
    void AddFixedBox(COrvikCadView* view, platform::Point point);
    void AddParallelogram(COrvikCadView* view, platform::Point point);
    void AddPolygon(COrvikCadView* view, platform::Point point);
    void AddFixedPolygon(COrvikCadView* view, platform::Point point);

    // ---- previews (mouse as a view point) ----
    void DrawBoxRubberBand(COrvikCadView* view, platform::Point mouse);
    void DrawBaseLineRubberBand(COrvikCadView* view, platform::Point mouse);
    void DrawParallelogramPreview(COrvikCadView* view, platform::Point mouse);
    void DrawRadiusRubberBand(COrvikCadView* view, platform::Point mouse);
    void DrawPolygonPreview(COrvikCadView* view, platform::Point mouse);
    // Draws the width and height labels of the box from X/Y[0] to the model
    // point (x, y); a second call with the same point takes them away.
    void ShowBoxSizeReadout(COrvikCadView* view, double x, double y);

    // ---- geometry ----
    // The n vertices of the regular polygon about (cx, cy) with radius r,
    // the first in the direction firstDegrees.
    static std::vector<GeoPoint> PolygonVertices(double cx, double cy, double r, double firstDegrees, int n);
    // The vertex count to draw with for a panel value.
    static int ClampVertexCount(int count);
    // The fourth corner of the parallelogram on the base P0-P1 (kept in
    // workX, workY, workValue1 and baseLength) whose corner next to P0 is M.
    GeoPoint ParallelogramFourth(double mx, double my) const;

    static const char* FirstPrompt(int subMode);

    // ---- fields ----
    int16_t polygonPreviewShown = 0;  // the polygon step has figures to erase
    int directionMoved = 0;           // the polygon's step 2 left the centre's pixel
    double baseLength = 0.0;          // the parallelogram's base-line length

private:

    // Adds a closed shape as a group: header at (fx, fy), a side from each
    // corner to the next and from the last back to the first.
    void AddShape(COrvikCadView* view, double fx, double fy, const std::vector<GeoPoint>& corners);

    // ---- the sub-modes as a table (PolyTool.cpp) ----
    using ViewHandler = void (CPolyTool::*)(COrvikCadView* view);
    struct SubModeRow;
    // The row of a sub-mode, or null for one the tool does not have.
    static const SubModeRow* RowOf(int subMode);
    void ClickBoxStep(COrvikCadView* view, platform::Point p);
    void ClickPolygonStep(COrvikCadView* view, platform::Point p);
    void MoveBoxStep(COrvikCadView* view, platform::Point p);
    void MoveParallelogramStep(COrvikCadView* view, platform::Point p);
    void MovePolygonStep(COrvikCadView* view, platform::Point p);
    void ErasePolygonPreview(COrvikCadView* view);

    // Takes away every figure and read-out of the running step.
    void EraseAll();
    // The first-step prompt and step 0, after a cancel.
    void Restart();

    // ---- read-outs ----
    enum class Readout { None, Box, Length };
    // The read-out of a mouse move (while read-outs are on); step goes to
    // readoutKind.
    void ShowMoveReadout(COrvikCadView* view, platform::Point mouse, Readout kind, int step);
    void ShowReadout(COrvikCadView* view, Readout kind, double x, double y);
    void EraseReadout();
    void DrawReadout(COrvikCadView* view, Readout kind, double x, double y);

    RubberBand cross_;     // marker at the first point
    RubberBand band_;      // step-1 rubber band: rectangle, base line, radius
    RubberBand preview_;   // step-2 preview: parallelogram, polygon
};
