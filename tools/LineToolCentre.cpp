// CLineTool: centre lines. The user picks two lines; the line midway
// between them (the bisector of the angle between the picked parts when
// they cross, the line halfway between them when they are parallel) is
// shown as a dotted guide across the drawing, and the user clicks its start
// and its end on it. The end may be typed as a length from the start.
//
// pickedEntities[0] and [1] are the picked lines; X[0], Y[0] and X[1],
// Y[1] the pick points, after the second pick the far points of the centre
// line (X[1] on the positive side); X[2], Y[2] the start. The centre line is
// held in workX, workY, workValue1.

#include "tools/LineTool.h"

#include "view/OrvikCadView.h"
#include "model/GeometryCircles.h"
#include "model/GeometryLines.h"
#include "model/Notify.h"
#include "tools/ToolEdit.h"

#include <cmath>
#include <numbers>

namespace {

constexpr const char* SecondPrompt = "対象とする次の線分を選んでください。";

// The far points of a centre line lie on these verticals or horizontals.
constexpr double Far = 999999.9;

// Of two crossings, the one nearer (x, y); the first only when strictly
// nearer.
GeoPoint Nearer(const PointSet<2>& s, double x, double y)
{
    if (s.count == 1)
        return {s.x[0], s.y[0]};
    const double d0 = std::hypot(s.x[0] - x, s.y[0] - y), d1 = std::hypot(s.x[1] - x, s.y[1] - y);
    return d0 < d1 ? GeoPoint{s.x[0], s.y[0]} : GeoPoint{s.x[1], s.y[1]};
}

} // namespace

void CLineTool::PickCentreLineSources(COrvikCadView* view, platform::Point point)
{
    double x = 0.0, y = 0.0;
    CEntity* e = view->PickEntity(-20, point.x, point.y, x, y);
    if (!e || e->values.size() < 4) {
        MessageBeep(1);
        return;
    }
    COrvikCadDoc* doc = view->GetDrawing();
    const int n = InputPointCount;
    if (n == 0) {
        DrawEntityIn(view, e, EntityState::Highlighted);
        pickedEntities[0].Hold(doc, e);
        pickedEntities[1].Clear();
        X[0] = x;
        Y[0] = y;
        refEntity = e;
        InputPointCount = 1;
        Prompt(SecondPrompt);
        return;
    }

    CEntity* first = pickedEntities[0].Get(doc);
    if (!first) {
        // The first line went away meanwhile: this pick starts afresh.
        MessageBeep(1);
        InputPointCount = 0;
        Prompt(FirstPrompt(LineToolMode::CentreLine));
        return;
    }
    if (e == first) {
        MessageBeep(1);
        return;
    }

    const double* v1 = first->values.data();
    const double* v2 = e->values.data();
    const LineResult l1 = LineFromPoints(v1[0], v1[1], v1[2], v1[3]);
    const LineResult l2 = LineFromPoints(v2[0], v2[1], v2[2], v2[3]);
    if (l1.status != 0 || l2.status != 0) {
        MessageBeep(1);
        return;
    }

    GeoPoint c0{X[0], Y[0]}, c1{x, y};
    const PointResult cross = IntersectLines(l1.a, l1.b, l1.c, l2.a, l2.b, l2.c);
    if (cross.status == 0) {
        const double r = std::hypot(x - cross.x, y - cross.y);
        const PointSet<2> onFirst = IntersectLineCircle(l1.a, l1.b, l1.c, cross.x, cross.y, r);
        const PointSet<2> onSecond = IntersectLineCircle(l2.a, l2.b, l2.c, cross.x, cross.y, r);
        if (r < 0.5 || onFirst.count == 0 || onSecond.count == 0) {
            // Picked on the crossing: no angle to halve.
            MessageBeep(1);
            return;
        }
        const GeoPoint a = Nearer(onFirst, X[0], Y[0]);
        const GeoPoint b = Nearer(onSecond, x, y);
        const PointSet<2> corners = IntersectCircles(a.x, a.y, r, b.x, b.y, r);
        if (corners.count < 2) {
            MessageBeep(1);
            return;
        }
        c0 = {corners.x[0], corners.y[0]};
        c1 = {corners.x[1], corners.y[1]};
    } else {
        // Parallel lines: halfway at the pick, and again twice the gap
        // further along the second line.
        const PointResult f = PerpendicularFoot(x, y, l1.a, l1.b, l1.c);
        const double d = f.status == 0 ? std::hypot(x - f.x, y - f.y) : 0.0;
        const double half = d / 2.0;
        const PointResult m0 = OffsetPointFromSegment(0, x, y, f.x, f.y, half);
        if (f.status == 0 && m0.status == 0)
            c0 = {m0.x, m0.y};
        const double len = std::hypot(v2[2] - v2[0], v2[3] - v2[1]);
        const double qx = x + 2.0 * d * (v2[2] - v2[0]) / len, qy = y + 2.0 * d * (v2[3] - v2[1]) / len;
        const PointResult g = PerpendicularFoot(qx, qy, l1.a, l1.b, l1.c);
        const PointResult m1 = OffsetPointFromSegment(0, qx, qy, g.x, g.y, half);
        c1 = (g.status == 0 && m1.status == 0) ? GeoPoint{m1.x, m1.y} : GeoPoint{x, y};
    }

    const LineResult centre = LineFromPoints(c0.x, c0.y, c1.x, c1.y);
    if (centre.status != 0) {
        MessageBeep(1);
        return;
    }
    DrawEntityIn(view, e, EntityState::Highlighted);
    pickedEntities[1].Hold(doc, e);
    workX = centre.a;
    workY = centre.b;
    workValue1 = centre.c;

    float t = static_cast<float>(std::atan2(c1.y - c0.y, c1.x - c0.x) * 180.0 / std::numbers::pi);
    if (t < 0.0f)
        t += 360.0f;
    const bool flat = (t >= 0.0f && t < 45.0f) || (t >= 135.0f && t < 225.0f) || (t >= 315.0f && t < 360.0f);
    const PointResult e0 = flat ? IntersectLines(centre.a, centre.b, centre.c, 1.0, 0.0, Far)
                                : IntersectLines(centre.a, centre.b, centre.c, 0.0, 1.0, Far);
    const PointResult e1 = flat ? IntersectLines(centre.a, centre.b, centre.c, 1.0, 0.0, -Far)
                                : IntersectLines(centre.a, centre.b, centre.c, 0.0, 1.0, -Far);
    X[0] = e0.x;
    Y[0] = e0.y;
    X[1] = e1.x;
    Y[1] = e1.y;
    ShowDottedGuide(view);
    InputPointCount = 2;
    Prompt("中心線の始点位置を指定してください。");
}

void CLineTool::ClickCentreLineEnd(COrvikCadView* view, platform::Point point)
{
    const TakenPoint p = TakePoint(view, point);
    const PointResult onCentre = PerpendicularFoot(p.x, p.y, workX, workY, workValue1);

    if (InputPointCount == 2) {
        NumericInputPending = 0;
        if (onCentre.status != 0)
            return;
        X[2] = onCentre.x;
        Y[2] = onCentre.y;
        // The guides cross the picked lines: they go before the lines are
        // drawn again.
        EraseDottedGuide();
        EraseBand();
        COrvikCadDoc* doc = view->GetDrawing();
        for (HeldEntity& held : pickedEntities) {
            if (CEntity* e = held.Get(doc)) {
                e->state = EntityState::Normal;
                DrawEntityIn(view, e, EntityState::Normal);
            }
        }
        InputPointCount = 3;
        XorPreviewShown = 0;
        previewShown = 1;
        Prompt("中心線の終点位置を指定してください。");
        return;
    }

    GeoPoint e{onCentre.x, onCentre.y};
    if (NumericInputPending == 1) {
        NumericInputPending = 0;
        const PointResult r = OffsetPointFromSegment(0, X[2], Y[2], X[1], Y[1], NumericInputValue);
        if (r.status != 0) {
            MessageBeep(1);
            return;
        }
        e = {r.x, r.y};
    } else if (onCentre.status != 0) {
        return;
    }
    X[3] = e.x;
    Y[3] = e.y;
    if (previewShown)
        EraseBand();
    {
        EraseMagnetMarker(view);
        ToolEdit edit(view);
        AddLine(edit, X[2], Y[2], e.x, e.y);
    }
    InputPointCount = 0;
    previewShown = 0;
    Prompt(FirstPrompt(LineToolMode::CentreLine));
}

void CLineTool::CancelCentreLine(COrvikCadView* view)
{
    EraseDottedGuide();
    EraseBand();
    COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    if (InputPointCount == 1 || InputPointCount == 2) {
        for (HeldEntity& held : pickedEntities) {
            if (CEntity* e = held.Get(doc)) {
                e->state = EntityState::Normal;
                DrawEntityIn(view, e, EntityState::Normal);
            }
        }
    }
    InputPointCount = 0;
    OperationRestarted = 1;
    previewShown = 0;
    Prompt(FirstPrompt(LineToolMode::CentreLine));
}
