#pragma once
// CCurveTool: three kinds of curve, one per sub-mode (ToolSubMode while
// CurrentToolId is ToolId::Curve):
//
//   0 control-point curve: up to 39 clicked points, a uniform cubic
//     B-spline (type 24)
//   1 continuous arcs: arcs through three points, each starting where the
//     last ended (type 31)
//   2 freehand curve: traced while the left button is held (type 26)
//
// The dispatch, the control-point curve and the arcs are in CurveTool.cpp;
// the freehand curve in CurveToolFree.cpp. Markers and rubber bands are
// drawn with the not-XOR mix and remembered as drawn.

#include "model/GeometryTypes.h"
#include "view/DrawTool.h"
#include "view/ToolState.h"
#include "tools/RubberBand.h"

#include <vector>

namespace CurveToolMode {
inline constexpr int Spline = 0;
inline constexpr int Arcs = 1;
inline constexpr int Freehand = 2;
} // namespace CurveToolMode

class CCurveTool : public CDrawTool {
public:
    // A control-point curve holds at most this many points; the click
    // after the last ends it.
    static constexpr int MaxSplinePoints = 39;
    // A freehand curve holds at most this many points.
    static constexpr int MaxFreePoints = 3000;

    CCurveTool();

    // ---- operations of the view ----
    void OnLButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnLButtonUp(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnMouseMove(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnRButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void Reset(COrvikCadView* view) override;
    void RedrawToolFigures(COrvikCadView* view, platform::Dc& dc) override;

    // ---- control-point curve ----
    void AddSplinePoint(COrvikCadView* view, platform::Point point);
    void FinishSpline(COrvikCadView* view);
    void DrawSplineRubberBand(COrvikCadView* view, platform::Point mouse);
    // The model points of the rubber band for the held points and the
    // mouse's model point (mx, my).
    static std::vector<GeoPoint> SplineBandPoints(const double* xs, const double* ys, int count, double mx,
                                                  double my);

    // ---- continuous arcs ----
    void AddArcPoint(COrvikCadView* view, platform::Point point);
    void DrawArcRubberBand(COrvikCadView* view, platform::Point mouse);

    // ---- freehand curve ----
    void StartFreeCurve(COrvikCadView* view, platform::Point point);
    void TraceFreeCurve(COrvikCadView* view, platform::Point point);
    void FinishFreeCurve(COrvikCadView* view);
    // Points traced so far (also those beyond the most that are kept).
    int FreePointCount() const { return freePointCount; }

    static const char* FirstPrompt(int subMode);

private:
    // ---- the sub-modes as a table (CurveTool.cpp) ----
    struct SubModeRow;
    // The row of a sub-mode, or null for one the tool does not have.
    static const SubModeRow* RowOf(int subMode);
    void MoveSplineStep(COrvikCadView* view, platform::Point p);
    void MoveArcStep(COrvikCadView* view, platform::Point p);
    void MoveFreeStep(COrvikCadView* view, platform::Point p);
    void FinishFreeCurveStep(COrvikCadView* view, platform::Point p);
    void CancelSplineStep(COrvikCadView* view);
    void CancelArcsStep(COrvikCadView* view);
    void CancelFreeStep(COrvikCadView* view);

    void ShowCross(RubberBand& figure, COrvikCadView* view, platform::Point at);
    void EraseFigures();

    std::vector<GeoPoint> freePoints;  // the traced points, at most MaxFreePoints + 1 kept
    int freePointCount = 0;

    RubberBand pointCross_;   // marker at the last control point / the arc's first point
    RubberBand secondCross_;  // marker at the arc's second point
    RubberBand band_;         // the control-point band or the rubber arc
};
