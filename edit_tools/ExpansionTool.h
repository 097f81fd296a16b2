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
#include "model/EntityList.h"
#include "model/GeometryTypes.h"
#include "tools/RubberBand.h"
#include "tools/SubModeSteps.h"
#include "view/DrawTool.h"
#include "view/ToolState.h"

#include <functional>
#include <vector>

class COrvikCadDoc;
class ToolEdit;

class CExpansionTool : public CDrawTool {
public:
    CExpansionTool() : CDrawTool(ToolId::Expansion)
    {
        InputPointCount = 0;
    }

    // One mode: its first prompt, its click, its preview while a step is
    // open, and whether a cancel puts the held element back to state 0.
    struct SubModeRow {
        SubModeStep<CExpansionTool> step;
        bool releasesPicked;
    };
    // The row of a mode; null for a mode the tool does not have.
    static const SubModeRow* RowOf(int mode);

    // The first prompt of a mode; empty for a mode the tool does not have.
    static const char* FirstPrompt(int mode);

    void OnLButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnLButtonUp(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnMouseMove(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    // Cancels the operation in progress: the figures go, the element is
    // back in state 0, the mode's first prompt; nothing at step 0.
    void OnRButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void Reset(COrvikCadView* view) override;
    void RedrawToolFigures(COrvikCadView* view, platform::Dc& dc) override;

    // Mode 2, step 0: the element to cut.
    void PickCutElement(COrvikCadView* view, platform::Point point);
    // Mode 2, one click: the element, then the start and the end of the
    // piece on it, by the element's kind.
    void Cut(COrvikCadView* view, platform::Point point);
    // Mode 2 while the element is held: the preview of its kind.
    void DrawCutRubberBand(COrvikCadView* view, platform::Point point);
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

    // ---- extending (ExpansionToolExtend.cpp) ----
    // Mode 0, one click: the element, then a position or a boundary.
    void Extend(COrvikCadView* view, platform::Point point);
    // Mode 1 after the base line: one line brought to it.
    void ExtendToBaseLine(COrvikCadView* view, platform::Point point);
    // The picked line to the position p1 (boundary null) or to the boundary
    // element; the side of the first pick stays. 0 replaced, 1 unchanged.
    int ExtendLine(COrvikCadView* view, CEntity* boundary, GeoPoint p1);
    // The picked circle or arc (ellipse or elliptic arc) without the
    // quarter that holds the direction of p1. 0 replaced, 1 unchanged.
    int ArcWithoutQuadrant(COrvikCadView* view, GeoPoint p1);
    int EllipticArcWithoutQuadrant(COrvikCadView* view, GeoPoint p1);
    // The picked curve cut at, or lengthened to, the boundary element.
    // 0 replaced, 1 unchanged.
    int ExtendCircleToBoundary(COrvikCadView* view, CEntity* boundary);
    int ExtendArcToBoundary(COrvikCadView* view, CEntity* boundary);
    int ExtendEllipseToBoundary(COrvikCadView* view, CEntity* boundary);
    int ExtendEllipticArcToBoundary(COrvikCadView* view, CEntity* boundary);
    // 1 with the directions of a and b seen from the centre when the first
    // pick lies on the elliptic arc from a's direction to b's; else 0 and
    // both directions 0.
    int GetEllipticPieceAngles(const GeoEllipse& ellipse, GeoPoint a, GeoPoint b, double& dirA, double& dirB) const;

    // ---- joining (ExpansionToolJoin.cpp) ----
    // Mode 4, one click: the first line, or an arc or elliptic arc closed
    // at once; then the second line.
    void Join(COrvikCadView* view, platform::Point point);
    // The picked line with the second: one line when they lie on one
    // straight line, else both brought to their meeting point.
    void JoinLines(COrvikCadView* view, CEntity* second);

    // ---- window processing (ExpansionToolWindow.cpp) ----
    // Mode 5, one click: the first corner, then the second and the cut.
    void WindowProcess(COrvikCadView* view, platform::Point point);
    // Marks (state 2) the lines the window of input points 0 and 1 takes
    // and invalidates their screen areas; returns them in list order.
    std::vector<CEntity*> MarkWindowLines(COrvikCadView* view);
    // Where the infinite line of a line record crosses the window's edges
    // (left, top, right, bottom; a corner once); their number.
    int IntersectWithWindow(const CEntity& line, GeoPoint out[4]) const;

    HeldEntity picked;  // the element of the operation in progress

private:
    // Mode 1, one click: the base line, then a line brought to it.
    void ExtendToBase(COrvikCadView* view, platform::Point point);
    // Mode 1, step 0: the base line.
    void PickBaseLine(COrvikCadView* view, platform::Point point);
    // The held element, or null after a beep and a fresh start when it is
    // gone.
    CEntity* PickedOrRestart(COrvikCadView* view);
    // The figures go, nothing is held, the mode's first prompt at step 0.
    void StartOver();
    void DrawInState(COrvikCadView* view, CEntity* e, int16_t state);
    // The figure of the line cut at the foot nearest `at` (model).
    void ShowLineBand(COrvikCadView* view, GeoPoint at);
    // Replaces `old` by what addPieces adds through the edit (it answers the
    // first record added) as one undo step; when every piece is refused the
    // element stays as it was, with no step.
    void ReplaceThroughEdit(COrvikCadView* view, CEntity* old, const std::function<CEntity*(ToolEdit&)>& addPieces);
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

    // A record that replaces others (ExpansionToolRecords.cpp).
    struct NewRecord {
        EntityHeader header;
        std::vector<int16_t> codes;
        std::vector<double> values;
        COLORREF colour = 0;
    };
    // Replaces `olds` by `news` as one undo step. A protected drawing says
    // so once and nothing changes. When the list refuses a record, the
    // records added leave again and the replaced ones are back as they
    // were, with no undo step. True when replaced.
    bool ReplaceRecords(COrvikCadView* view, const std::vector<CEntity*>& olds, const std::vector<NewRecord>& news);
    // Takes the records added by a refused replacement out again and puts
    // the replaced ones back in state 0.
    static void TakeBackReplacement(COrvikCadView* view, const std::vector<CEntity*>& added,
                                    const std::vector<CEntity*>& olds);
    // A plain line (type 20, subtype 0) from a to b in `colour`, with the
    // style word given, on the view's current layer.
    static NewRecord LineRecord(COrvikCadView* view, int16_t style, COLORREF colour, GeoPoint a, GeoPoint b);
    // The held element, the first pick and the second (extend routines).
    CEntity* Target(COrvikCadView* view) const;
    // The mode 5 rectangle from the anchor to `point`.
    void ShowWindowBand(COrvikCadView* view, platform::Point point);

    RubberBand band_;   // the tick and the piece to go
    RubberBand window_; // mode 5: the dotted window
    RubberBand cross_;  // the start position
    double ref_[3] = {};  // the picked line: a, b, c; a circle's centre and radius
    CutDirection cut_;
    ArcCutState arcState_;
    double startAngle_ = 0.0;  // of the start position seen from the centre
};
