#pragma once
// CLineTool: straight lines of nine kinds, one per sub-mode (ToolSubMode
// while CurrentToolId is ToolId::Line):
//
//   0 line            1 continuous line    2 infinite line
//   3 perpendicular   4 parallel line      5 centre line
//   6 line with width 7 tangent            8 angle-moved line
//
// The dispatch of the view's calls to the sub-modes, the read-out, the
// click point and the making of a line are in LineTool.cpp; plain lines and
// the line rubber bands in LineToolPlain.cpp; chains and lines with width in
// LineToolChain.cpp; the constructed lines in LineToolInfinite.cpp,
// LineToolParallel.cpp, LineToolPerpendicular.cpp (with the guide and
// segment previews the centre line shares), LineToolCentre.cpp,
// LineToolTangent.cpp and LineToolAngleMoved.cpp; what is drawn with the
// not-XOR mix in LineToolXor.cpp.
//
// Entities picked by one click and used by a later one are held
// (HeldEntity) and checked before use: undo or another window may have
// taken them away meanwhile.
//
// Every rubber band, start cross and read-out the tool puts on screen is
// remembered as drawn (where, in which view) and taken away by drawing the
// same figure again, so a figure is only ever erased while it is shown.

#include "model/GeometryTypes.h"
#include "view/DrawTool.h"
#include "tools/RubberBand.h"
#include "view/ToolState.h"

#include <QPointer>
#include <QWidget>

class ToolEdit;

// The sub-modes of the line tool.
namespace LineToolMode {
inline constexpr int Line = 0;
inline constexpr int Continuous = 1;
inline constexpr int Infinite = 2;
inline constexpr int Perpendicular = 3;
inline constexpr int Parallel = 4;
inline constexpr int CentreLine = 5;
inline constexpr int WithWidth = 6;
inline constexpr int Tangent = 7;
inline constexpr int AngleMoved = 8;
} // namespace LineToolMode

class CLineTool : public CDrawTool {
public:
    CLineTool();

    // ---- operations of the view ----
    void FocusOptionBox(COrvikCadView* view) override;
    void OnLButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnLButtonDblClk(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnLButtonUp(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnMouseMove(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnRButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void Reset(COrvikCadView* view) override;
    void ErasePreview(COrvikCadView* view) override;
    void RedrawToolFigures(COrvikCadView* view, platform::Dc& dc) override;

    // ---- click handlers, one per sub-mode and option ----
    void ClickLine(COrvikCadView* view, platform::Point point);
    void ClickAxisLine(COrvikCadView* view, platform::Point point);
    // width 0: continuous line; 1: line with width.
    void ClickContinuousLine(int width, COrvikCadView* view, platform::Point point);
    void ClickAxisContinuousLine(int width, COrvikCadView* view, platform::Point point);
    void ClickHorizontalInfiniteLine(COrvikCadView* view, platform::Point point);
    void ClickVerticalInfiniteLine(COrvikCadView* view, platform::Point point);
    void ClickObliqueInfiniteLine(COrvikCadView* view, platform::Point point);
    void ClickParallel(COrvikCadView* view, platform::Point point);
    void ClickParallelByDistance(COrvikCadView* view, platform::Point point);
    void PickPerpendicularBase(COrvikCadView* view, platform::Point point);
    void ClickPerpendicular(COrvikCadView* view, platform::Point point);
    void PickCentreLineSources(COrvikCadView* view, platform::Point point);
    void ClickCentreLineEnd(COrvikCadView* view, platform::Point point);
    void ClickTangent(COrvikCadView* view, platform::Point point);
    void ClickAngleMovedLine(COrvikCadView* view, platform::Point point);

    // ---- line rubber bands (mouse point as a view point) ----
    void DrawFreeRubberBand(COrvikCadView* view, platform::Point mouse);
    // withAngle: the fixed direction applies too (plain lines only).
    void DrawFixedLengthPreview(COrvikCadView* view, platform::Point mouse, bool withAngle);
    void DrawFixedAnglePreview(COrvikCadView* view, platform::Point mouse);
    void DrawAxisPreview(COrvikCadView* view, platform::Point mouse);
    // Erases the line rubber band and the start cross and ends the operation.
    void CancelRubberBand(COrvikCadView* view);

    // ---- previews of the constructed lines (mouse point as a view point) ----
    void DrawParallelPreview(COrvikCadView* view, platform::Point mouse);
    // The 2000 mm line across the reference line through the mouse's foot.
    void DrawPerpendicularGuidePreview(COrvikCadView* view, platform::Point mouse);
    // From input point `index` to the mouse's foot on the reference line.
    void DrawPerpendicularSegmentPreview(COrvikCadView* view, platform::Point mouse, int index);
    // Draws, or by a second call erases, the cross at the reference's first
    // point (none while BaseMarkerHidden).
    void DrawBaseMarker(COrvikCadView* view);
    // 0 with the tangent's ends in X[0..1], 1 when the circles have none.
    int TangentOfCircles(const CEntity* first, const CEntity* second);

    // ---- fields ----
    CEntity* refEntity = nullptr;            // reference entity of the running operation
    HeldEntity pickedEntities[2];            // picks of the step; the last left/right side lines
    int readoutIndex = 0;                    // input point the read-out on screen measures from
    int16_t previewShown = 0;                // the running operation has drawn its start cross / band
    int16_t tangentIsCircle[2] = {0, 0};
    platform::Point lastMouse{};             // view point of the last mouse move

    // The direction of a fixed-angle line in the quadrant of (dx, dy):
    // LineAngle mirrored into it. Degrees.
    static double QuadrantAngle(double dx, double dy);
    // The end of a fixed-angle line from (sx, sy) for the model point (mx,
    // my): where the ray meets the vertical or horizontal line through it;
    // rayLength is the ray's length in model units.
    static GeoPoint FixedAngleEnd(double sx, double sy, double mx, double my, double rayLength);
    // The axis-constrained end for a view point c seen from `anchor`; sets
    // toolAux (1 horizontal, 0 vertical). A tie is horizontal.
    platform::Point AxisEnd(platform::Point c);

private:

    // Adds a line of type 20 through edit; none when its ends coincide.
    CEntity* AddLine(ToolEdit& edit, double x1, double y1, double x2, double y2);
    CEntity* AddLineOfType(ToolEdit& edit, int16_t type, double x1, double y1, double x2, double y2);
    // Adds an infinite line of the type by its two far ends.
    void AddInfiniteLine(COrvikCadView* view, int16_t type, double x1, double y1, double x2, double y2);
    // The point of PickEntity (filter, or grid only while the magnet is
    // off), else the raw click; the magnet marker is not used.
    GeoPoint PickedOrRaw(COrvikCadView* view, platform::Point point, int filter);
    // Draws an entity in a state on a client DC of the view. The magnet
    // marker goes first: drawn over, it could not be taken away cleanly.
    void DrawEntityIn(COrvikCadView* view, CEntity* entity, int state);
    // The reference entity while it is still in the view's drawing.
    CEntity* HeldReference(COrvikCadView* view) const;
    // Takes the reference entity of a parallel; false (with a beep) when
    // nothing fit was picked.
    bool PickParallelReference(COrvikCadView* view, platform::Point point);
    // A segment of a construction; valid false when there is none.
    struct Segment {
        bool valid = false;
        double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
    };
    // The parallel at distance from the reference line a·x + b·y + c = 0
    // (reference a, b, c) on the side of (px, py), from the foot of the
    // reference's first end (ends x1, y1) to that of its second (x2, y2).
    // The preview and the added line both come from here.
    static Segment ParallelSegment(const double reference[3], const double ends[4], double distance, double px,
                                   double py);
    // The same for the reference the running step holds.
    Segment ParallelTo(double distance, double px, double py) const;
    void AddParallel(COrvikCadView* view, int16_t type, double distance, double px, double py);
    // Cancels of the constructed lines.
    void CancelParallel(COrvikCadView* view);
    void CancelPerpendicular(COrvikCadView* view);
    void CancelCentreLine(COrvikCadView* view);
    void CancelTangent(COrvikCadView* view);
    // The dotted guide of a centre line from X[0] to X[1].
    void ShowDottedGuide(COrvikCadView* view);
    void EraseDottedGuide();
    // The two side lines of the segment (sx, sy)-(ex, ey) of a line with width.
    void AddSideLines(COrvikCadView* view, ToolEdit& edit, double sx, double sy, double ex, double ey);
    void AddSideLine(COrvikCadView* view, ToolEdit& edit, int side, const LineResult& line, double sx, double sy,
                     double ex, double ey);
    // The start prompt of a sub-mode's first step.
    static const char* FirstPrompt(int subMode);
    // A chain's prompt for a new start, by its option.
    static const char* ChainStartPrompt();

    // ---- the sub-modes as a table (LineTool.cpp) ----
    using ViewHandler = void (CLineTool::*)(COrvikCadView* view);
    struct SubModeRow;
    // The row of a sub-mode, or null for one the tool does not have.
    static const SubModeRow* RowOf(int subMode);
    // Clicks and moves that choose by the sub-mode's option or step.
    void ClickLineStep(COrvikCadView* view, platform::Point p);
    void ClickContinuousStep(COrvikCadView* view, platform::Point p);
    void ClickWidthStep(COrvikCadView* view, platform::Point p);
    void ClickInfiniteStep(COrvikCadView* view, platform::Point p);
    void ClickPerpendicularStep(COrvikCadView* view, platform::Point p);
    void ClickParallelStep(COrvikCadView* view, platform::Point p);
    void ClickCentreLineStep(COrvikCadView* view, platform::Point p);
    void MoveLineStep(COrvikCadView* view, platform::Point p);
    void MoveChainStep(COrvikCadView* view, platform::Point p);
    void MovePerpendicularStep(COrvikCadView* view, platform::Point p);
    void MoveParallelStep(COrvikCadView* view, platform::Point p);
    void MoveCentreLineStep(COrvikCadView* view, platform::Point p);
    // Reset and ErasePreview of the sub-modes that differ.
    void ResetLineStep(COrvikCadView* view);
    void ErasePlainPreview(COrvikCadView* view);
    void EraseParallelPreview(COrvikCadView* view);
    void EraseCentreLinePreview(COrvikCadView* view);
    // The chain cancel of a line with width.
    void CancelWidthLine(COrvikCadView* view);
    // True while the rubber band of the sub-mode is the axis-constrained one.
    static bool AxisBand(int subMode);

    // ---- figures drawn with the not-XOR mix (LineToolXor.cpp) ----
    // The band from a to b replaces the one shown.
    void ShowBand(COrvikCadView* view, platform::Point a, platform::Point b);
    void EraseBand();
    void ShowStartCross(COrvikCadView* view, platform::Point at);
    void EraseStartCross();
    void EraseBandAndCross()
    {
        EraseBand();
        EraseStartCross();
    }

    // ---- read-outs (LineToolReadout.cpp) ----
    enum class Readout { None, Free, From, AxisLabel };
    void ShowReadout(COrvikCadView* view, Readout kind, double x, double y, int arg);
    void EraseReadout(COrvikCadView* view);
    void DrawReadout(COrvikCadView* view, Readout kind, double x, double y, int arg);

    RubberBand band_;
    RubberBand cross_;
    RubberBand dotted_;      // the centre line's dotted guide
    HeldEntity refHeld_;     // refEntity, checked before use
};
