// The corner tool: two lines brought to their corner, with a chamfer or a
// fillet between them when the mode asks for one, as one undo step.

#include "edit_tools/CornerTool.h"

#include "model/Document.h"
#include "model/EditProtocol.h"
#include "model/GeometryLines.h"
#include "model/Notify.h"
#include "model/Settings.h"
#include "tools/ToolEdit.h"
#include "view/OrvikCadView.h"
#include "model/EntityKinds.h"

#include <cmath>
#include <numbers>

namespace {

bool IsLineKind(int type)
{
    return type >= EntityType::Line && type <= EntityType::InfiniteLine;
}

// The implicit line through a line record's two stored points; status -1
// when they coincide.
LineResult StoredLine(const CEntity& e)
{
    if (e.values.size() < 4)
        return {-1, 0.0, 0.0, 0.0};
    return LineFromPoints(e.values[0], e.values[1], e.values[2], e.values[3]);
}

double DegreesIn360(double radians)
{
    double d = radians * 180.0 / std::numbers::pi;
    d = std::fmod(d, 360.0);
    if (d < 0.0)
        d += 360.0;
    if (d >= 360.0)
        d -= 360.0;
    return d;
}

void DrawInState(COrvikCadView* view, CEntity* e, int16_t state)
{
    e->state = state;
    if (state == EntityState::Normal || state == EntityState::Deleted) {
        view->InvalidateEntity(e);
        return;
    }
    auto dc = view->GetClientDc();
    view->DrawEntity(*dc, e, state);
}

} // namespace

void CCornerTool::FocusOptionBox(COrvikCadView*)
{
    FocusMainOptionBox();
}

void CCornerTool::OnLButtonUp(COrvikCadView* view, unsigned, platform::Point* point)
{
    if (!view || !point)
        return;
    PickLine(view, *point);
}

void CCornerTool::OnRButtonDown(COrvikCadView* view, unsigned, platform::Point*)
{
    if (!view || InputPointCount == 0)
        return;
    Restart(view);
    OperationRestarted = 1;
}

void CCornerTool::Reset(COrvikCadView* view)
{
    if (view && InputPointCount != 0)
        Restart(view);
    else
        InputPointCount = 0;
}

void CCornerTool::Restart(COrvikCadView* view)
{
    if (CEntity* first = m_pickedLines[0].Get(view->GetDrawing()); first && first->state == EntityState::Highlighted)
        DrawInState(view, first, EntityState::Normal);
    m_pickedLines[0].Clear();
    m_pickedLines[1].Clear();
    InputPointCount = 0;
    Prompt(kStartPrompt);
}

bool CCornerTool::PickLine(COrvikCadView* view, platform::Point point)
{
    // A chamfer or fillet needs a length; below 0.01 the clicks are ignored.
    if (CornerMode != 0 && static_cast<double>(CornerDistance) < 0.01)
        return false;
    COrvikCadDoc* doc = view->GetDrawing();
    if (!doc)
        return false;
    if (InputPointCount == 0) {
        m_pickedLines[0].Clear();
        m_pickedLines[1].Clear();
        m_addedCount = 0;
    }
    CEntity* first = nullptr;
    if (InputPointCount == 1) {
        first = m_pickedLines[0].Get(doc);
        if (!first) {
            // Taken away (undo, another window) since it was picked.
            MessageBeep(1);
            Restart(view);
            return false;
        }
    }
    double x = 0.0, y = 0.0;
    CEntity* e = view->PickEntity(-20, point.x, point.y, x, y);
    if (!e || !IsLineKind(e->type) || e->layer != view->currentLayer || e == first ||
        StoredLine(*e).status != 0) {
        MessageBeep(1);
        return false;
    }
    const int n = InputPointCount;
    X[n] = x;
    Y[n] = y;
    m_pickedLines[n].Hold(doc, e);
    InputPointCount = n + 1;
    if (InputPointCount == 1) {
        DrawInState(view, e, EntityState::Highlighted);
        Prompt("交差する次の直線を指示して下さい。");
        return false;
    }

    DrawInState(view, first, EntityState::Normal);
    const LineResult l1 = StoredLine(*first);
    const LineResult l2 = StoredLine(*e);
    const PointResult corner = IntersectLines(l1.a, l1.b, l1.c, l2.a, l2.b, l2.c);
    const double norm1 = std::hypot(l1.a, l1.b);
    const bool onFirstLine = std::fabs(l1.a * e->values[0] + l1.b * e->values[1] + l1.c) / norm1 <= 0.5 &&
                             std::fabs(l1.a * e->values[2] + l1.b * e->values[3] + l1.c) / norm1 <= 0.5;
    if (corner.status != 0 || onFirstLine) {
        Restart(view);
        return false;
    }
    corner_ = {corner.x, corner.y};
    for (int k = 2; k <= 3; ++k) {
        X[k] = corner.x;
        Y[k] = corner.y;
    }

    // Nothing to add (no chamfer, no fillet, no box ticked): the lines stay.
    const bool adds = CornerMode == 1 || CornerMode == 2 || CornerTrimLine1 != 0 || CornerTrimLine2 != 0;
    if (adds && doc->RefuseWhenProtected()) {
        Restart(view);
        return false;
    }
    ToolEdit edit(view);
    if (!edit.Ready()) {
        Restart(view);
        return false;
    }
    m_firstAdded = nullptr;
    m_addedCount = 0;
    bool made = true;
    if (CornerMode == 1)
        made = MakeChamfer(view, edit);
    else if (CornerMode == 2)
        made = MakeFillet(view, edit);
    if (!made) {
        // A pick on the corner itself leaves no direction to build from.
        MessageBeep(1);
        Restart(view);
        return false;
    }
    TrimLines(view, edit);
    return true;
}

bool CCornerTool::DirectionsAtCorner(LineResult& line1, LineResult& line2) const
{
    line1 = LineFromPoints(corner_.x, corner_.y, X[0], Y[0]);
    line2 = LineFromPoints(corner_.x, corner_.y, X[1], Y[1]);
    return line1.status == 0 && line2.status == 0;
}

namespace {

// The point at distance from the corner along the line at the corner, on the
// side of the pick point.
PointResult AlongTowardsPick(GeoPoint corner, const LineResult& line, double px, double py, double distance)
{
    const int code = DirectionCode(corner.x, corner.y, px, py);
    if (code == DirectionNone)
        return {-1, corner.x, corner.y};
    return PointOnLineAtDistance(code, corner.x, corner.y, line.a, line.b, line.c, distance);
}

} // namespace

bool CCornerTool::MakeChamfer(COrvikCadView*, ToolEdit& edit)
{
    LineResult line1, line2;
    if (!DirectionsAtCorner(line1, line2))
        return false;
    const double d = static_cast<double>(CornerDistance);
    const PointResult q1 = AlongTowardsPick(corner_, line1, X[0], Y[0], d);
    const PointResult q2 = AlongTowardsPick(corner_, line2, X[1], Y[1], d);
    if (q1.status != 0 || q2.status != 0)
        return false;
    const double v[4] = {q1.x, q1.y, q2.x, q2.y};
    const int16_t* codes = FixedCodes(EntityType::Line).data();
    if (CEntity* added = edit.Add(edit.Header(EntityType::Line, 0, 4), codes, v)) {
        m_firstAdded = added;
        ++m_addedCount;
    }
    X[2] = q1.x;
    Y[2] = q1.y;
    X[3] = q2.x;
    Y[3] = q2.y;
    return true;
}

bool CCornerTool::MakeFillet(COrvikCadView*, ToolEdit& edit)
{
    LineResult line1, line2;
    if (!DirectionsAtCorner(line1, line2))
        return false;
    const double r = static_cast<double>(CornerDistance);
    const PointResult t1 = AlongTowardsPick(corner_, line1, X[0], Y[0], r);
    const PointResult t2 = AlongTowardsPick(corner_, line2, X[1], Y[1], r);
    if (t1.status != 0 || t2.status != 0)
        return false;
    const double u1x = t1.x - corner_.x, u1y = t1.y - corner_.y;
    const double u2x = t2.x - corner_.x, u2y = t2.y - corner_.y;
    // The counter-clockwise turn from u1 to u2.
    const double phi = DegreesIn360(std::atan2(u1x * u2y - u1y * u2x, u1x * u2x + u1y * u2y));
    const bool clockwise = phi <= 180.0;
    const double s1 = clockwise ? -1.0 : 1.0;
    const double s2 = -s1;
    const PointResult centre =
        IntersectLines(line1.a, line1.b, line1.c - s1 * r * std::hypot(line1.a, line1.b), line2.a, line2.b,
                       line2.c - s2 * r * std::hypot(line2.a, line2.b));
    if (centre.status != 0)
        return false;
    const PointResult f1 = PerpendicularFoot(centre.x, centre.y, line1.a, line1.b, line1.c);
    const PointResult f2 = PerpendicularFoot(centre.x, centre.y, line2.a, line2.b, line2.c);
    if (f1.status != 0 || f2.status != 0)
        return false;
    const double start = DegreesIn360(std::atan2(f1.y - centre.y, f1.x - centre.x));
    const double end = DegreesIn360(std::atan2(f2.y - centre.y, f2.x - centre.x));
    const double v[5] = {centre.x, centre.y, r, start, end};
    const int16_t* codes = FixedCodes(EntityType::Arc).data();
    if (CEntity* added = edit.Add(edit.Header(EntityType::Arc, clockwise ? -1 : 1, 5), codes, v)) {
        m_firstAdded = added;
        ++m_addedCount;
    }
    X[2] = f1.x;
    Y[2] = f1.y;
    X[3] = f2.x;
    Y[3] = f2.y;
    return true;
}

void CCornerTool::ReplaceLine(COrvikCadView* view, ToolEdit& edit, CEntity* line, GeoPoint pick, GeoPoint newEnd,
                              bool trim)
{
    if (!trim) {
        DrawInState(view, line, EntityState::Normal);
        return;
    }
    const GeoPoint start{line->values[0], line->values[1]};
    const GeoPoint end{line->values[2], line->values[3]};
    // The part on the pick's side of the corner stays, whether the corner
    // lies inside the line or beyond one of its ends.
    const GeoPoint kept = IsPointOnSegment(pick.x, pick.y, start.x, start.y, corner_.x, corner_.y) == 0 ? start : end;
    DrawInState(view, line, EntityState::Deleted);
    const EntityHeader header{EntityType::Line, line->subtype, line->style, line->layer, 4};
    const double v[4] = {kept.x, kept.y, newEnd.x, newEnd.y};
    const int16_t* codes = FixedCodes(EntityType::Line).data();
    CEntity* added = edit.AddInColour(header, codes, line->colour, v);
    if (!added) {
        // The replacement was refused: the line stays as it was.
        DrawInState(view, line, EntityState::Normal);
        return;
    }
    if (m_addedCount == 0)
        m_firstAdded = added;
    ++m_addedCount;
}

void CCornerTool::TrimLines(COrvikCadView* view, ToolEdit& edit)
{
    COrvikCadDoc* doc = view->GetDrawing();
    CEntity* lines[2] = {m_pickedLines[0].Get(doc), m_pickedLines[1].Get(doc)};
    const int16_t trims[2] = {CornerTrimLine1, CornerTrimLine2};
    bool replaced = false;
    for (int k = 0; k < 2; ++k) {
        if (!lines[k])
            continue;
        const int before = m_addedCount;
        ReplaceLine(view, edit, lines[k], {X[k], Y[k]}, {X[k + 2], Y[k + 2]},
                    trims[k] != 0);
        replaced = replaced || m_addedCount != before;
    }
    if (m_addedCount != 0) {
        if (replaced)
            FinishReplacingEdit(doc->list, &doc->snaps, m_firstAdded);
        else
            edit.CloseRun();  // only the chamfer or the fillet: one undo takes it
    }
    m_addedCount = 0;
    m_pickedLines[0].Clear();
    m_pickedLines[1].Clear();
    InputPointCount = 0;
    Prompt(kStartPrompt);
}
