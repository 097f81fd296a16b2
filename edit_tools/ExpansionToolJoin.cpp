// The expansion tool's join mode: two lines become one, or meet at their
// corner; an arc or elliptic arc is closed.

#include "edit_tools/ExpansionTool.h"

#include "edit_tools/ExpansionElements.h"
#include "model/Document.h"
#include "model/Notify.h"
#include "model/Settings.h"
#include "view/OrvikCadView.h"
#include "model/EntityKinds.h"

#include <cmath>
#include <vector>

using namespace expansion;

namespace {

// Distance of p from the line a·x + b·y + c = 0.
double DistanceFromLine(const LineResult& l, GeoPoint p)
{
    return std::abs(l.a * p.x + l.b * p.y + l.c) / std::hypot(l.a, l.b);
}

// The end of the segment a-b that stays when it is brought to n: with n on
// the segment the end on the picked side, else the end farther from n.
GeoPoint KeptEnd(GeoPoint a, GeoPoint b, GeoPoint n, GeoPoint pick)
{
    if (OnSegment(n, a, b))
        return OnSegment(pick, a, n) ? a : b;
    return Distance(a, n) > Distance(b, n) ? a : b;
}

} // namespace

void CExpansionTool::Join(COrvikCadView* view, platform::Point point)
{
    COrvikCadDoc* doc = view->GetDrawing();
    if (!doc)
        return;
    double x = 0, y = 0;
    CEntity* e = view->PickEntity(-21, point.x, point.y, x, y);
    const bool isLine = e && e->type == EntityType::Line;
    // A line without direction joins nothing; an arc closes only as the
    // first element.
    if (!e || (isLine && !HasDirection(*e)) || (!isLine && InputPointCount != 0) ||
        (e->type == EntityType::Arc && !IsUsableCircle(*e)) ||
        (e->type == EntityType::EllipticArc && !IsUsableEllipse(*e))) {
        MessageBeep(1);
        return;
    }
    CEntity* first = nullptr;
    if (InputPointCount != 0) {
        first = PickedOrRestart(view);
        if (!first)
            return;
    }
    X[InputPointCount] = x;
    Y[InputPointCount] = y;
    if (InputPointCount == 0 && isLine) {
        picked.Hold(doc, e);
        DrawInState(view, e, EntityState::Highlighted);
        InputPointCount = 1;
        Prompt("接合対象図形を指示して下さい。");
        return;
    }

    InputPointCount = 0;
    Prompt(FirstPrompt(4));
    // Whatever comes of it, the previous undo step is gone.
    doc->list.DiscardUndo(&doc->snaps);
    if (first) {
        DrawInState(view, first, EntityState::Normal);
        JoinLines(view, e);
        picked.Clear();
    } else {
        // An arc becomes its circle, an elliptic arc its ellipse.
        NewRecord rec;
        const int16_t layer = static_cast<int16_t>(view->currentLayer);
        if (e->type == EntityType::Arc) {
            rec.header = {EntityType::Circle, 0, e->style, layer, 3};
            rec.codes = CodesOf(EntityType::Circle);
            rec.values = {e->values[0], e->values[1], e->values[2]};
        } else {
            rec.header = {EntityType::Ellipse, 0, e->style, layer, 5};
            rec.codes = CodesOf(EntityType::Ellipse);
            rec.values = {e->values[0], e->values[1], e->values[2], e->values[3], e->values[4]};
        }
        rec.colour = CurrentColor;
        ReplaceRecords(view, {e}, {rec});
    }
}

void CExpansionTool::JoinLines(COrvikCadView* view, CEntity* second)
{
    CEntity* f = Target(view);
    CEntity* g = second;
    if (!f || !g || f == g || !HasDirection(*f) || !HasDirection(*g))
        return;
    const GeoPoint a = StoredStart(*f), b = StoredEnd(*f);
    const GeoPoint u = StoredStart(*g), v = StoredEnd(*g);
    const LineResult lf = LineOf(*f), lg = LineOf(*g);

    if (DistanceFromLine(lf, u) <= 0.5 && DistanceFromLine(lf, v) <= 0.5) {
        // One straight line: from one extreme end of the two to the other,
        // running the way G's far end looks to F's far end.
        const GeoPoint farG = Distance(a, u) > Distance(a, v) ? u : v;
        const GeoPoint farF = Distance(u, a) > Distance(u, b) ? a : b;
        const double len = Distance(a, b);
        const double dx = (b.x - a.x) / len, dy = (b.y - a.y) / len;
        const auto along = [&](GeoPoint p) { return (p.x - a.x) * dx + (p.y - a.y) * dy; };
        GeoPoint lo = a, hi = a;
        for (const GeoPoint& p : {b, u, v}) {
            if (along(p) < along(lo))
                lo = p;
            if (along(p) > along(hi))
                hi = p;
        }
        const double sense = along(farF) - along(farG);
        const bool forward = sense > 0.0 || (sense == 0.0 && along(b) >= 0.0);
        ReplaceRecords(view, {f, g}, {LineRecord(view, f->style, CurrentColor, forward ? lo : hi, forward ? hi : lo)});
        return;
    }

    const PointResult m = IntersectLines(lf.a, lf.b, lf.c, lg.a, lg.b, lg.c);
    if (m.status != 0)
        return;  // parallel: nothing to join
    const GeoPoint n{m.x, m.y};
    const GeoPoint keptF = KeptEnd(a, b, n, {X[0], Y[0]});
    const GeoPoint keptG = KeptEnd(u, v, n, {X[1], Y[1]});
    ReplaceRecords(view, {f, g},
                   {LineRecord(view, f->style, CurrentColor, keptF, n), LineRecord(view, g->style, CurrentColor, keptG, n)});
}
