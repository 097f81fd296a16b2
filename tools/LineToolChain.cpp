// CLineTool: chains of segments, one per click, each starting where the
// last one ended: continuous lines (one line per segment) and lines with
// width (a side line left and right of each segment, mitred against the
// side lines of the segment before, and the segment itself on request).

#include "tools/LineTool.h"

#include "view/OrvikCadView.h"
#include "model/Document.h"
#include "model/GeometryLines.h"
#include "model/Settings.h"
#include "tools/StartPoint.h"
#include "tools/ToolEdit.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double DegToRad = std::numbers::pi / 180.0;

// Gaps below this give no side line.
constexpr double MinimumGap = 0.05;

GeoPoint Toward(double sx, double sy, double x, double y, double length)
{
    const PointResult r = OffsetPointFromSegment(0, sx, sy, x, y, length);
    if (r.status != 0)
        return {x, y};
    return {r.x, r.y};
}

} // namespace

void CLineTool::ClickContinuousLine(int width, COrvikCadView* view, platform::Point point)
{
    const bool first = InputPointCount == 0;
    if (first)
        workFlag = 0;

    TakenPoint p;
    if (NumericInputPending == 1) {
        // Before the chain has a start, typed values count from the
        // drawing's origin.
        double bx = X[0], by = Y[0];
        if (first) {
            const COrvikCadDoc* doc = view->GetDrawing();
            bx = doc ? doc->DrawingOrigin[0] : 0.0;
            by = doc ? doc->DrawingOrigin[1] : 0.0;
        }
        if (NumericInputKind != 0) {
            p = TypedPoint(view, bx + NumericInputValue, by + NumericInputValue2);
        } else {
            const double t = NumericInputValue2 * DegToRad;
            p = TypedPoint(view, bx + NumericInputValue * std::cos(t), by + NumericInputValue * std::sin(t));
        }
    } else {
        p = TakePoint(view, point);
    }

    if (first) {
        NumericInputPending = 0;
        StartAt(*this, view, p, cross_);
        Prompt("終端を指示して下さい。[マウス右：数値入力／中止]");
        previewShown = 1;
        return;
    }

    X[1] = p.x;
    Y[1] = p.y;
    EraseBandAndCross();
    if (p.view.x == anchor.x && p.view.y == anchor.y) {
        // Nothing to add: the chain goes on from the same start.
        NumericInputPending = 0;
        ShowStartCross(view, anchor);
        previewShown = 1;
        return;
    }
    previewShown = 1;
    NumericInputPending = 0;

    platform::Point endView = p.view;
    if (LineLengthGiven != 0 && !p.typed) {
        const GeoPoint e = Toward(X[0], Y[0], p.x, p.y, LineLength);
        X[1] = e.x;
        Y[1] = e.y;
        endView = PreviewPoint(view, e.x, e.y);
    }
    const double sx = X[0], sy = Y[0], ex = X[1], ey = Y[1];
    if (sx != ex || sy != ey) {
        ToolEdit edit(view);
        if (width == 0 || DoubleLineCentre != 0)
            AddLine(edit, sx, sy, ex, ey);
        if (width == 1)
            AddSideLines(view, edit, sx, sy, ex, ey);
    }
    X[0] = ex;
    Y[0] = ey;
    anchor = corner = endView;
    ShowStartCross(view, anchor);
}

void CLineTool::ClickAxisContinuousLine(int width, COrvikCadView* view, platform::Point point)
{
    const bool first = InputPointCount == 0;
    if (first) {
        toolAux = 0;
        workFlag = 0;
        // A length means nothing before the chain has a start.
        NumericInputPending = 0;
        const TakenPoint p = TakePoint(view, point);
        StartAt(*this, view, p, cross_);
        Prompt("終端を指示して下さい。[マウス右：中止]");
        previewShown = 1;
        return;
    }

    TakenPoint p;
    if (NumericInputPending == 1) {
        const double v = NumericInputValue;
        const double mx = view->XToModel(corner.x), my = view->YToModel(corner.y);
        if (toolAux == 0)
            p = TypedPoint(view, X[0], my > Y[0] ? Y[0] + v : Y[0] - v);
        else
            p = TypedPoint(view, mx > X[0] ? X[0] + v : X[0] - v, Y[0]);
    } else {
        p = TakePoint(view, point);
        // The clicked point decides the direction, not the band's last
        // showing: the longer distance wins, a tie is horizontal.
        toolAux = std::fabs(p.x - X[0]) >= std::fabs(p.y - Y[0]) ? 1 : 0;
    }
    X[1] = p.x;
    Y[1] = p.y;
    EraseBandAndCross();
    if (p.view.x == anchor.x && p.view.y == anchor.y) {
        NumericInputPending = 0;
        ShowStartCross(view, anchor);
        previewShown = 1;
        return;
    }
    previewShown = 1;
    NumericInputPending = 0;

    const double sx = X[0], sy = Y[0];
    GeoPoint e = toolAux == 0 ? GeoPoint{sx, Y[1]} : GeoPoint{X[1], sy};
    if (LineLengthGiven != 0 && !p.typed)
        e = Toward(sx, sy, e.x, e.y, LineLength);
    X[1] = e.x;
    Y[1] = e.y;
    if (sx != e.x || sy != e.y) {
        ToolEdit edit(view);
        if (width == 0 || DoubleLineCentre != 0)
            AddLine(edit, sx, sy, e.x, e.y);
        if (width == 1)
            AddSideLines(view, edit, sx, sy, e.x, e.y);
    }
    X[0] = e.x;
    Y[0] = e.y;
    anchor = corner = PreviewPoint(view, e.x, e.y);
    ShowStartCross(view, anchor);
}

// ---- side lines of a line with width ----

void CLineTool::AddSideLines(COrvikCadView* view, ToolEdit& edit, double sx, double sy, double ex, double ey)
{
    // The normal (a, b) of the segment's line points to the right of its
    // direction; the left side lies against it.
    const LineResult line = LineFromPoints(sx, sy, ex, ey);
    if (line.status != 0)
        return;
    const double norm = std::sqrt(line.a * line.a + line.b * line.b);
    if (DoubleLineLeftGap >= MinimumGap) {
        AddSideLine(view, edit, 0, {0, line.a, line.b, line.c + norm * DoubleLineLeftGap}, sx, sy, ex, ey);
    } else {
        pickedEntities[0].Clear();
    }
    if (DoubleLineRightGap >= MinimumGap) {
        AddSideLine(view, edit, 1, {0, line.a, line.b, line.c - norm * DoubleLineRightGap}, sx, sy, ex, ey);
    } else {
        pickedEntities[1].Clear();
    }
    workFlag = 1;
}

void CLineTool::AddSideLine(COrvikCadView* view, ToolEdit& edit, int side, const LineResult& line, double sx,
                            double sy, double ex, double ey)
{
    // Side 0 keeps its last line in X[2..3], side 1 in X[4..5].
    const int at = side == 0 ? 2 : 4;
    HeldEntity& held = pickedEntities[side];
    COrvikCadDoc* doc = view->GetDrawing();

    const PointResult footS = PerpendicularFoot(sx, sy, line.a, line.b, line.c);
    const PointResult footE = PerpendicularFoot(ex, ey, line.a, line.b, line.c);
    GeoPoint start{footS.x, footS.y};

    // The last side line is joined only while it is still in the drawing
    // (undo, or another window, may have taken it away).
    CEntity* previous = workFlag != 0 ? held.Get(doc) : nullptr;
    if (previous && previous->type == EntityType::Line && previous->values.size() >= 4) {
        const LineResult last = LineFromPoints(X[at], Y[at], X[at + 1], Y[at + 1]);
        GeoPoint k = start;
        if (last.status == 0) {
            const PointResult cross = IntersectLines(line.a, line.b, line.c, last.a, last.b, last.c);
            if (cross.status == 0)
                k = {cross.x, cross.y};
        }
        view->DrawEntity(edit.Dc(), previous, EntityState::Deleted);
        // The nearer end moves onto the corner; its snap points and the
        // view's indexes follow through the drawing's edit door.
        edit.Change(previous, [&](CEntity& line) {
            double* v = line.values.data();
            const double toStart = std::hypot(v[0] - k.x, v[1] - k.y);
            const double toEnd = std::hypot(v[2] - k.x, v[3] - k.y);
            if (toEnd > toStart) {
                v[0] = k.x;
                v[1] = k.y;
            } else {
                v[2] = k.x;
                v[3] = k.y;
            }
        });
        view->DrawEntity(edit.Dc(), previous, EntityState::Normal);
        start = k;
    }

    CEntity* added = AddLine(edit, start.x, start.y, footE.x, footE.y);
    X[at] = start.x;
    Y[at] = start.y;
    X[at + 1] = footE.x;
    Y[at + 1] = footE.y;
    if (added)
        held.Hold(doc, added);
    else
        held.Clear();
}

// ---- cancels ----

void CLineTool::CancelWidthLine(COrvikCadView* view)
{
    CancelRubberBand(view);
    Prompt(FirstPrompt(LineToolMode::WithWidth));
    InputPointCount = 0;
    OperationRestarted = 1;
    previewShown = 0;
}
