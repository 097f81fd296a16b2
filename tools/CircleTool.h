#pragma once
// CCircleTool: circles, arcs, ellipses and elliptic arcs, one construction
// per sub-mode (ToolSubMode while CurrentToolId is ToolId::Circle):
//
//   0 circle by radius        1 circle by diameter     2 three-point circle
//   3 arc by radius           4 arc by diameter        5 three-point arc
//   6 ellipse by centre       7 ellipse by three points
//   8 elliptic arc by centre  9 elliptic arc by three points
//
// The dispatch of the view's calls, the point of a click, the cancels and
// the circles of sub-modes 0 and 1 are in CircleTool.cpp; arcs and the
// three-point figures in CircleToolArcs.cpp; ellipses in
// CircleToolEllipses.cpp; what is drawn with the not-XOR mix in
// CircleToolXor.cpp.
//
// Every mark and preview on screen is remembered in a slot (what was drawn,
// where, in which view) and taken away by drawing it again, so a figure is
// only ever erased while it is shown and a repaint can put it back.

#include "model/GeometryTypes.h"
#include "view/DrawTool.h"
#include "tools/RubberBand.h"
#include "view/ToolState.h"

#include <QPointer>
#include <QWidget>

#include <vector>

namespace CircleToolMode {
inline constexpr int RadiusCircle = 0;
inline constexpr int DiameterCircle = 1;
inline constexpr int ThreePointCircle = 2;
inline constexpr int RadiusArc = 3;
inline constexpr int DiameterArc = 4;
inline constexpr int ThreePointArc = 5;
inline constexpr int CentreEllipse = 6;
inline constexpr int ThreePointEllipse = 7;
inline constexpr int CentreEllipticArc = 8;
inline constexpr int ThreePointEllipticArc = 9;
} // namespace CircleToolMode

class ToolEdit;

class CCircleTool : public CDrawTool {
public:
    CCircleTool();

    // ---- operations of the view ----
    void FocusOptionBox(COrvikCadView* view) override;
    void OnLButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnLButtonUp(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnMouseMove(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnRButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void Reset(COrvikCadView* view) override;
    void ErasePreview(COrvikCadView* view) override;
    void RedrawToolFigures(COrvikCadView* view, platform::Dc& dc) override;

    // ---- click handlers ----
    void ClickCentreGivenRadius(COrvikCadView* view, platform::Point point, int isArc);
    void ClickCentreRadius(COrvikCadView* view, platform::Point point);
    void ClickThreePointCircle(COrvikCadView* view, platform::Point point);
    void ClickArcStart(COrvikCadView* view, platform::Point point);
    void ClickArcEnd(COrvikCadView* view, platform::Point point);
    void ClickThreePointArc(COrvikCadView* view, platform::Point point);
    void ClickEllipse(COrvikCadView* view, platform::Point point);
    void ClickEllipseArc(COrvikCadView* view, platform::Point point);

    // ---- previews (cursor as a view point) ----
    void DrawCircleRubberBand(COrvikCadView* view, platform::Point cursor);
    void DrawRubberBandLine(COrvikCadView* view, platform::Point cursor);
    void DrawThreePointCircleRubberBand(COrvikCadView* view, platform::Point cursor);
    void DrawThreePointArcRubberBand(COrvikCadView* view, platform::Point cursor);
    void DrawArcRubberBand(COrvikCadView* view, platform::Point cursor);
    void DrawMajorAxisRubberBand(COrvikCadView* view, platform::Point cursor);
    void DrawMinorAxisRubberBand(COrvikCadView* view, platform::Point cursor);
    void DrawCentreRubberBandLine(COrvikCadView* view, platform::Point cursor);
    void DrawEllipticArcRubberBand(COrvikCadView* view, platform::Point cursor);

    // The first prompt of a sub-mode.
    static const char* FirstPrompt(int subMode);

    // The centre of the circle on the diameter from (x0, y0) to (x1, y1)
    // whose radius is half: half along the diameter from its first end, or
    // the midpoint where the ends give no direction. Circles and arcs by
    // diameter both take their centre from here.
    static GeoPoint DiameterCentre(double x0, double y0, double x1, double y1, double half);

    // Angle of (dx, dy) in degrees within [0, 360).
    static double DirectionDegrees(double dx, double dy);
    // The direction update of a running arc for the angle e (degrees from
    // the start direction, 0..360): workFlag and workStep.
    void UpdateArcDirection(double e);

    // ---- fields ----
    short stepMarksShown = 0;
    double minorRadius = 0.0;

private:
    // Pick filter of the sub-mode (-999 while the magnet is off).
    static int PickFilter();

    // ---- the sub-modes as a table (CircleTool.cpp) ----
    using ViewHandler = void (CCircleTool::*)(COrvikCadView* view);
    struct SubModeRow;
    // The row of a sub-mode, or null for one the tool does not have.
    static const SubModeRow* RowOf(int subMode);
    void ClickRadiusCircleStep(COrvikCadView* view, platform::Point p);
    void ClickRadiusArcStep(COrvikCadView* view, platform::Point p);
    void ClickArcStep(COrvikCadView* view, platform::Point p);
    void MoveCircleStep(COrvikCadView* view, platform::Point p);
    void MoveThreePointCircleStep(COrvikCadView* view, platform::Point p);
    void MoveArcStep(COrvikCadView* view, platform::Point p);
    void MoveThreePointArcStep(COrvikCadView* view, platform::Point p);
    void MoveEllipseStep(COrvikCadView* view, platform::Point p);
    // The right button's cancel (the diameter arc's only before its radius).
    void CancelByRightButton(COrvikCadView* view);
    void CancelArcByRightButton(COrvikCadView* view);
    void EraseCirclePreview(COrvikCadView* view);
    void EraseArcPreview(COrvikCadView* view);

    void AddCircle(COrvikCadView* view, double cx, double cy, double r);
    void AddArc(COrvikCadView* view, int direction, double cx, double cy, double r, double start, double end);
    // Ends the running operation: every figure off the screen, first prompt.
    void CancelOperation(COrvikCadView* view);

    // ---- arcs (CircleToolArcs.cpp) ----
    // Where the ray from the arc's centre through (px, py) leaves its
    // circle, and the reference point R of that ray.
    bool MarkOnCircle(double px, double py, double& mx, double& my, double& rx, double& ry) const;
    void ShowArcPreview(COrvikCadView* view);
    void ShowThreePointArc(COrvikCadView* view, double x3, double y3);

    // ---- ellipses (CircleToolEllipses.cpp) ----
    void EllipseCentre(double& kx, double& ky) const;
    void ShowMinorAxisFigure(COrvikCadView* view);
    void ShowEllipticArcPreview(COrvikCadView* view, double phi);
    void AddEllipse(COrvikCadView* view, bool arc, double end);

    // ---- the read-out ----
    void ShowReadout(COrvikCadView* view, double x, double y);
    void EraseReadout();
    void RedrawReadout(COrvikCadView* view);

    // ---- figures drawn with the not-XOR mix (CircleToolXor.cpp) ----
public:
    enum Slot {
        CrossA,       // cross at the first point
        CrossB,       // cross at the second point (three-point figures)
        RubberCircle, // circle of the second click
        RubberLine,   // line from the anchor to the cursor
        Guide,        // guide circle / ellipse
        StartMark,    // start mark of an arc
        Preview,      // arc / circle / outline preview
        SlotCount
    };
    // True while the slot's figure is on screen.
    bool Shown(Slot s) const { return figures_[s].Shown(); }
    // Any figure on screen.
    bool AnyShown() const;

private:
    void ShowLine(COrvikCadView* view, Slot s, platform::Point a, platform::Point b)
    {
        figures_[s].ShowLine(view, xorColor, a, b);
    }
    void ShowCross(COrvikCadView* view, Slot s, platform::Point at) { figures_[s].ShowCross(view, xorColor, at); }
    void ShowPolyline(COrvikCadView* view, Slot s, std::vector<platform::Point> points);
    // The rubber circle of the running sub-mode (about a through b, or on
    // the diameter a-b).
    void ShowRubberCircle(COrvikCadView* view, Slot s, platform::Point a, platform::Point b);
    void EraseFigure(Slot s);
    void EraseAll();

public:
    // View points of the arc about the model point (cx, cy) with radius r
    // from the direction `start` (degrees) turning by `sweep` degrees
    // (counter-clockwise when positive); only the part near the visible
    // area is sampled when the circle is far larger than the view, so huge
    // radii stay finite and cheap.
    static std::vector<platform::Point> ArcViewPoints(const COrvikCadView* view, double cx, double cy, double r,
                                                      double start, double sweep);

private:
    RubberBand figures_[SlotCount];
};
