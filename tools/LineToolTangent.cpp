// CLineTool: tangents. The user clicks a circle, then a point (anywhere, or
// on another entity) or a second circle. From a point the line runs to the
// circle's tangent point nearer the first click; between two circles it is
// a common tangent, outer or crossing as the line through the two clicks
// suggests, between the tangent points nearest the clicks.
//
// toolFlag counts the circles picked; pickedEntities[0] is the first
// circle; X[0], Y[0] and X[1], Y[1] the clicks, at the end the tangent's
// ends; X[2], Y[2] the click on the circle when the second pick is a point.

#include "tools/LineTool.h"

#include "view/OrvikCadView.h"
#include "model/GeometryCircles.h"
#include "model/GeometryLines.h"
#include "model/Notify.h"
#include "model/Settings.h"
#include "tools/ToolEdit.h"

#include <cmath>

namespace {

struct Circle {
    double x, y, r;
};

Circle CircleOf(const CEntity* e)
{
    return {e->values[0], e->values[1], e->values[2]};
}

// Of the two points, the one nearer (x, y); the second only when strictly
// nearer.
GeoPoint Nearer(const GeoPoint (&p)[2], double x, double y)
{
    const double d0 = std::hypot(p[0].x - x, p[0].y - y), d1 = std::hypot(p[1].x - x, p[1].y - y);
    return d1 < d0 ? p[1] : p[0];
}

GeoPoint Offset(int mode, double x1, double y1, double x2, double y2, double distance)
{
    const PointResult r = OffsetPointFromSegment(mode, x1, y1, x2, y2, distance);
    return {r.x, r.y};
}

bool IsCircle(const CEntity* e)
{
    return e && e->type == EntityType::Circle && e->values.size() >= 3;
}

} // namespace

int CLineTool::TangentOfCircles(const CEntity* first, const CEntity* second)
{
    if (!IsCircle(first) || !IsCircle(second))
        return 1;
    const Circle c1 = CircleOf(first), c2 = CircleOf(second);
    // One circle twice, or two about one centre: no tangent has a side.
    if (std::hypot(c2.x - c1.x, c2.y - c1.y) < 0.5)
        return 1;

    bool firstIsBig = true;
    Circle big = c1, small = c2;
    GeoPoint onBig[2], onSmall[2];
    if (std::abs(c2.r - c1.r) < 0.05) {
        onBig[0] = Offset(1, c1.x, c1.y, c2.x, c2.y, c1.r);
        onBig[1] = Offset(-1, c1.x, c1.y, c2.x, c2.y, c1.r);
        onSmall[0] = Offset(-1, c2.x, c2.y, c1.x, c1.y, c1.r);
        onSmall[1] = Offset(1, c2.x, c2.y, c1.x, c1.y, c1.r);
    } else {
        if (c2.r > c1.r) {
            firstIsBig = false;
            big = c2;
            small = c1;
        }
        if (TangentPoints(small.x, small.y, big.x, big.y, big.r).count == 0)
            return 1;
        const PointSet<2> k = TangentPoints(small.x, small.y, big.x, big.y, big.r - small.r);
        if (k.count != 2)
            return 1;
        for (int i = 0; i < 2; ++i) {
            const LineResult l = LineFromPoints(small.x, small.y, k.x[i], k.y[i]);
            const GeoPoint v = Offset(0, big.x, big.y, k.x[i], k.y[i], big.r);
            const LineResult shifted = ParallelLineTowards(l.a, l.b, l.c, small.r, v.x, v.y);
            const PointResult t = PerpendicularFoot(k.x[i], k.y[i], shifted.a, shifted.b, shifted.c);
            const PointResult u = PerpendicularFoot(small.x, small.y, shifted.a, shifted.b, shifted.c);
            if (l.status != 0 || t.status != 0 || u.status != 0)
                return 1;
            onBig[i] = {t.x, t.y};
            onSmall[i] = {u.x, u.y};
        }
    }

    // The crossing tangents. Circles that touch from outside have only one;
    // they are refused like overlapping ones.
    const PointSet<2> k = TangentPoints(small.x, small.y, big.x, big.y, big.r + small.r);
    if (k.count != 2)
        return 1;
    GeoPoint innerBig[2], innerSmall[2];
    for (int i = 0; i < 2; ++i) {
        const LineResult toK = LineFromPoints(big.x, big.y, k.x[i], k.y[i]);
        const PointSet<2> m = IntersectLineCircle(toK.a, toK.b, toK.c, big.x, big.y, big.r);
        bool found = false;
        for (int j = 0; j < m.count && !found; ++j) {
            if (IsPointOnSegment(m.x[j], m.y[j], big.x, big.y, k.x[i], k.y[i]) == 0) {
                innerBig[i] = {m.x[j], m.y[j]};
                found = true;
            }
        }
        const LineResult l = LineFromPoints(small.x, small.y, k.x[i], k.y[i]);
        const LineResult shifted = ParallelLineTowards(l.a, l.b, l.c, small.r, big.x, big.y);
        const PointResult n = PerpendicularFoot(small.x, small.y, shifted.a, shifted.b, shifted.c);
        if (!found || l.status != 0 || n.status != 0)
            return 1;
        innerSmall[i] = {n.x, n.y};
    }

    // Crossing tangents when the clicks lie on either side of the line
    // between the centres.
    const LineResult clicks = LineFromPoints(X[0], Y[0], X[1], Y[1]);
    const LineResult centres = LineFromPoints(c1.x, c1.y, c2.x, c2.y);
    const PointResult meet = IntersectLines(clicks.a, clicks.b, clicks.c, centres.a, centres.b, centres.c);
    const bool inner = clicks.status == 0 && meet.status == 0 &&
                       IsPointOnSegment(meet.x, meet.y, c1.x, c1.y, c2.x, c2.y) == 0;
    const GeoPoint(&candBig)[2] = inner ? innerBig : onBig;
    const GeoPoint(&candSmall)[2] = inner ? innerSmall : onSmall;

    const GeoPoint clickBig = firstIsBig ? GeoPoint{X[0], Y[0]} : GeoPoint{X[1], Y[1]};
    const GeoPoint clickSmall = firstIsBig ? GeoPoint{X[1], Y[1]} : GeoPoint{X[0], Y[0]};
    const GeoPoint pb = Nearer(candBig, clickBig.x, clickBig.y);
    const GeoPoint ps = Nearer(candSmall, clickSmall.x, clickSmall.y);
    X[0] = pb.x;
    Y[0] = pb.y;
    X[1] = ps.x;
    Y[1] = ps.y;
    return 0;
}

void CLineTool::ClickTangent(COrvikCadView* view, platform::Point point)
{
    COrvikCadDoc* doc = view->GetDrawing();
    if (InputPointCount == 0) {
        toolFlag = 0;
        tangentIsCircle[0] = tangentIsCircle[1] = 0;
        pickedEntities[0].Clear();
        pickedEntities[1].Clear();
        double x = 0.0, y = 0.0;
        CEntity* e = view->PickEntity(-31, point.x, point.y, x, y);
        if (!IsCircle(e)) {
            Prompt("１番目は、円を選択してください。", true);
            return;
        }
        toolFlag = 1;
        tangentIsCircle[0] = 1;
        pickedEntities[0].Hold(doc, e);
        DrawEntityIn(view, e, EntityState::Highlighted);
        X[0] = x;
        Y[0] = y;
        InputPointCount = 1;
        Prompt("接線の終端、円、他の図形、任意場所をクリックしてください。");
        return;
    }

    double px = 0.0, py = 0.0;
    CEntity* e = view->PickEntity(1, point.x, point.y, px, py);
    if (!e)
        e = view->PickEntity(MagnetEnabled ? 0 : -999, point.x, point.y, px, py);
    if (!e) {
        px = view->XToModel(point.x);
        py = view->YToModel(point.y);
    }
    if (IsCircle(e)) {
        ++toolFlag;
        tangentIsCircle[1] = 1;
    }
    if (e)
        pickedEntities[1].Hold(doc, e);
    X[1] = px;
    Y[1] = py;
    InputPointCount = 0;
    Prompt(FirstPrompt(LineToolMode::Tangent));

    CEntity* circle = pickedEntities[0].Get(doc);
    if (!circle) {
        // The circle went away meanwhile.
        MessageBeep(1);
        return;
    }
    DrawEntityIn(view, circle, EntityState::Normal);

    bool found = false;
    if (toolFlag == 1) {
        X[2] = X[0];
        Y[2] = Y[0];
        X[0] = px;
        Y[0] = py;
        const Circle c = CircleOf(circle);
        const PointSet<2> t = TangentPoints(px, py, c.x, c.y, c.r);
        if (t.count == 1) {
            X[1] = t.x[0];
            Y[1] = t.y[0];
            found = true;
        } else if (t.count == 2) {
            const GeoPoint both[2] = {{t.x[0], t.y[0]}, {t.x[1], t.y[1]}};
            const GeoPoint nearer = Nearer(both, X[2], Y[2]);
            X[1] = nearer.x;
            Y[1] = nearer.y;
            found = true;
        }
    } else {
        found = TangentOfCircles(circle, e) == 0;
    }
    if (found) {
        EraseMagnetMarker(view);
        ToolEdit edit(view);
        AddLine(edit, X[0], Y[0], X[1], Y[1]);
    }
}

void CLineTool::CancelTangent(COrvikCadView* view)
{
    if (CEntity* circle = view ? pickedEntities[0].Get(view->GetDrawing()) : nullptr) {
        circle->state = EntityState::Normal;
        DrawEntityIn(view, circle, EntityState::Normal);
    }
    InputPointCount = 0;
    OperationRestarted = 1;
    Prompt(FirstPrompt(LineToolMode::Tangent));
}
