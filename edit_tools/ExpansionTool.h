#pragma once
// CExpansionTool (tool 9): lengthens and shortens, cuts a piece out of an
// element between two positions, cuts the lines lying between two lines,
// joins, and trims the lines of a window. Its six modes are the items of
// the "伸縮" menu (ToolSubMode 0-5); the step is InputPointCount.
//
// The element an operation works on is held between clicks and checked
// before use: when undo or another window took it away, the click beeps and
// the operation starts over.

#include "model/CurveCut.h"
#include "model/GeometryTypes.h"
#include "tools/RubberBand.h"
#include "view/DrawTool.h"
#include "view/ToolState.h"

class COrvikCadDoc;
class ToolEdit;

class CExpansionTool : public CDrawTool {
public:
    CExpansionTool() : CDrawTool(ToolId::Expansion)
    {
        InputPointCount = 0;
    }

    // The first prompt of a mode; empty for a mode the tool does not have.
    static const char* FirstPrompt(int mode);

    void OnLButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnLButtonUp(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnMouseMove(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    // Cancels the operation in progress: the figures go, the element is
    // back in state 0, the mode's first prompt; nothing at step 0.
    void OnRButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void Reset(COrvikCadView* view) override;
    void RedrawToolFigures(COrvikCadView* view, platform::Dc& dc, bool deviceDc) override;

    // Mode 2, step 0: the element to cut.
    void PickCutElement(COrvikCadView* view, platform::Point point);
    // Mode 2 on a line: the tick across the line at the pointer's foot, and
    // from the start position the piece that will go.
    void DrawLineCutRubberBand(COrvikCadView* view, platform::Point point);
    // Mode 2 on a line, steps 1 and 2: the start, then the end and the cut.
    void CutLine(COrvikCadView* view, platform::Point point);
    // Mode 3: the first line, then the second and the sweep.
    void TwoLineCut(COrvikCadView* view, platform::Point point);
    // Cuts one line (kind 20-23) between the bounding lines it meets at i1
    // and i2, as part of the sweep's edit: the line goes to state -1 and its
    // pieces (subtype 0, its style word, CurrentColor) are added. The first
    // piece added, or null.
    CEntity* CutBetweenLines(COrvikCadView* view, ToolEdit& edit, CEntity* line, GeoPoint i1, GeoPoint i2);

    // Mode 2 on a circle or arc: the radial line from the centre to the
    // pointer and, from the start position, the piece that will go.
    void DrawArcCutRubberBand(COrvikCadView* view, platform::Point point);
    // Mode 2 on an ellipse or elliptic arc, steps 1 and 2: the line from the
    // centre to the pointer (and at step 2 the start marker stays).
    void DrawEllipseCutRubberBand1(COrvikCadView* view, platform::Point point);
    void DrawEllipseCutRubberBand2(COrvikCadView* view, platform::Point point);
    // Mode 2 on a circle or arc, steps 1 and 2: the start, then the end and
    // the cut.
    void CutCircle(COrvikCadView* view, platform::Point point);
    // Mode 2 on an ellipse or elliptic arc, steps 1 and 2.
    void CutEllipse(COrvikCadView* view, platform::Point point);

    HeldEntity picked;  // the element of the operation in progress

private:
    // Mode 1, step 0: the base line.
    void PickBaseLine(COrvikCadView* view, platform::Point point);
    // The held element, or null after a beep and a fresh start when it is
    // gone.
    CEntity* PickedOrRestart(COrvikCadView* view);
    void DrawInState(COrvikCadView* view, CEntity* e, int16_t state);
    // The figure of the line cut at the foot nearest `at` (model).
    void ShowLineBand(COrvikCadView* view, GeoPoint at);
    // Replaces `old` by the pieces (a..b pairs) as one undo step; no piece
    // deletes it. The caller has tested the protection.
    void ReplaceByPieces(COrvikCadView* view, CEntity* old, const std::vector<std::pair<GeoPoint, GeoPoint>>& pieces);

    // Circle and arc cut (ExpansionToolCurves.cpp).
    static bool IsCuttableCurve(const CEntity& e);
    static CircleArc ArcOf(const CEntity& e);
    // The position on the picked circle or arc that the model point p
    // stands for at step 2, after the direction tracking and the arc rule;
    // phi is its angle from the start position. False at the centre.
    bool TrackArcEnd(const CEntity& e, GeoPoint p, GeoPoint& q, double& phi);
    void ShowArcBand(COrvikCadView* view, const CEntity& e, GeoPoint cornerModel);
    // Replaces a circle, arc, ellipse or elliptic arc by its pieces as one
    // undo step, in CurrentColor on the current layer; nothing added keeps
    // the element. The caller has tested the protection.
    void ReplaceCurve(COrvikCadView* view, CEntity* old, const std::vector<CircleArc>& arcs,
                      const std::vector<EllipticPiece>& elliptic);

    RubberBand band_;   // the tick and the piece to go
    RubberBand cross_;  // the start position
    double ref_[3] = {};  // the picked line: a, b, c; a circle's centre and radius
    CutDirection cut_;
    ArcCutState arcState_;
    double startAngle_ = 0.0;  // of the start position seen from the centre
};
