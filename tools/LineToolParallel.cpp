// CLineTool: parallel lines. The user picks a reference line, then either
// clicks where the parallel is to pass (or types its distance), or, with a
// distance given on the panel, clicks the side on which ParallelCount
// parallels follow one another at that distance. A parallel keeps the
// extent of its reference: its ends are the feet of the reference's ends.
//
// X[2], Y[2] and X[3], Y[3] keep the reference's two points; the reference
// line a·x + b·y + c = 0 is held in workX, workY, workValue1.

#include "tools/LineTool.h"

#include "view/OrvikCadView.h"
#include "model/GeometryLines.h"
#include "model/Notify.h"
#include "model/Settings.h"
#include "tools/ToolEdit.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr const char* ReferencePrompt = "平行基準線を指示して下さい。";

// Horizontal and vertical infinite parallels are stored over this extent.
constexpr double AxisParallelStart = 0.0;
constexpr double AxisParallelEnd = 100000.0;

// The most parallels one click makes, whatever the settings hold.
constexpr int MaxParallelCount = 100;

} // namespace

bool CLineTool::PickParallelReference(COrvikCadView* view, platform::Point point)
{
    double x = 0.0, y = 0.0;
    CEntity* e = view->PickEntity(-20, point.x, point.y, x, y);
    if (!e || e->values.size() < 4) {
        MessageBeep(1);
        return false;
    }
    const double* v = e->values.data();
    const LineResult line = LineFromPoints(v[0], v[1], v[2], v[3]);
    if (line.status != 0) {
        // A line whose ends coincide has no direction to follow.
        MessageBeep(1);
        return false;
    }
    DrawEntityIn(view, e, EntityState::Highlighted);
    refEntity = e;
    refHeld_.Hold(view->GetDrawing(), e);
    X[2] = v[0];
    Y[2] = v[1];
    X[3] = v[2];
    Y[3] = v[3];
    workX = line.a;
    workY = line.b;
    workValue1 = line.c;
    InputPointCount = 1;
    return true;
}

CLineTool::Segment CLineTool::ParallelSegment(const double reference[3], const double ends[4], double distance,
                                              double px, double py)
{
    Segment s;
    const LineResult l = ParallelLineTowards(reference[0], reference[1], reference[2], distance, px, py);
    const PointResult e1 = PerpendicularFoot(ends[0], ends[1], l.a, l.b, l.c);
    const PointResult e2 = PerpendicularFoot(ends[2], ends[3], l.a, l.b, l.c);
    if (e1.status != 0 || e2.status != 0)
        return s;
    s = {true, e1.x, e1.y, e2.x, e2.y};
    return s;
}

CLineTool::Segment CLineTool::ParallelTo(double distance, double px, double py) const
{
    const double reference[3] = {workX, workY, workValue1};
    const double ends[4] = {X[2], Y[2], X[3], Y[3]};
    return ParallelSegment(reference, ends, distance, px, py);
}

void CLineTool::AddParallel(COrvikCadView* view, int16_t type, double distance, double px, double py)
{
    Segment s = ParallelTo(distance, px, py);
    if (!s.valid)
        return;
    if (type == EntityType::HorizontalInfiniteLine) {
        s.x1 = AxisParallelStart;
        s.x2 = AxisParallelEnd;
    } else if (type == EntityType::VerticalInfiniteLine) {
        s.y1 = AxisParallelStart;
        s.y2 = AxisParallelEnd;
    }
    EraseMagnetMarker(view);
    ToolEdit edit(view);
    AddLineOfType(edit, type, s.x1, s.y1, s.x2, s.y2);
}

void CLineTool::DrawParallelPreview(COrvikCadView* view, platform::Point mouse)
{
    const double mx = view->XToModel(mouse.x), my = view->YToModel(mouse.y);
    corner = mouse;
    XorPreviewShown = 1;
    const PointResult f = PerpendicularFoot(mx, my, workX, workY, workValue1);
    if (f.status != 0) {
        EraseBand();
        return;
    }
    const Segment s = ParallelTo(std::hypot(mx - f.x, my - f.y), mx, my);
    if (!s.valid) {
        EraseBand();
        return;
    }
    ShowBand(view, PreviewPoint(view, s.x1, s.y1), PreviewPoint(view, s.x2, s.y2));
}

void CLineTool::ClickParallel(COrvikCadView* view, platform::Point point)
{
    if (InputPointCount == 0) {
        NumericInputPending = 0;
        if (!PickParallelReference(view, point))
            return;
        anchor = corner = point;
        Prompt("作図位置をクリックしてください。");
        previewShown = 1;
        return;
    }

    CEntity* ref = HeldReference(view);
    if (!ref) {
        // The reference went (undo, another window): pick again.
        NumericInputPending = 0;
        EraseBand();
        previewShown = 0;
        InputPointCount = 0;
        MessageBeep(1);
        Prompt(ReferencePrompt);
        return;
    }

    GeoPoint p;
    if (NumericInputPending == 1) {
        // The typed distance goes to the mouse's side of the reference.
        const double mx = view->XToModel(lastMouse.x), my = view->YToModel(lastMouse.y);
        const PointResult f = PerpendicularFoot(mx, my, workX, workY, workValue1);
        const PointResult t = f.status == 0 ? OffsetPointFromSegment(0, f.x, f.y, mx, my, NumericInputValue)
                                            : PointResult{1, 0.0, 0.0};
        NumericInputPending = 0;
        if (t.status != 0) {
            // The mouse is on the reference: no side to go to.
            MessageBeep(1);
            if (!previewShown) {
                DrawEntityIn(view, ref, EntityState::Highlighted);
                previewShown = 1;
            }
            return;
        }
        p = {t.x, t.y};
    } else {
        p = PickedOrRaw(view, point, 0);
    }

    const PointResult g = PerpendicularFoot(p.x, p.y, workX, workY, workValue1);
    if (g.status != 0)
        return;
    const double d = std::hypot(p.x - g.x, p.y - g.y);
    InputPointCount = 0;
    Prompt(ReferencePrompt);
    EraseBand();
    previewShown = 0;
    DrawEntityIn(view, ref, EntityState::Normal);
    AddParallel(view, ref->type, d, p.x, p.y);
    NumericInputPending = 0;
}

void CLineTool::ClickParallelByDistance(COrvikCadView* view, platform::Point point)
{
    // No step here takes a typed value; none may wait for a later one.
    NumericInputPending = 0;
    if (InputPointCount == 0) {
        if (!PickParallelReference(view, point))
            return;
        Prompt("作図方向を指示して下さい。");
        return;
    }

    CEntity* ref = HeldReference(view);
    if (!ref) {
        InputPointCount = 0;
        MessageBeep(1);
        Prompt(ReferencePrompt);
        return;
    }
    const GeoPoint p = PickedOrRaw(view, point, 0);
    const PointResult g = PerpendicularFoot(p.x, p.y, workX, workY, workValue1);
    if (g.status != 0 || std::hypot(p.x - g.x, p.y - g.y) < 1e-4) {
        // A click on the reference tells no side.
        MessageBeep(1);
        return;
    }
    InputPointCount = 0;
    Prompt(ReferencePrompt);
    DrawEntityIn(view, ref, EntityState::Normal);
    const int16_t type = ref->type;
    const int count = std::clamp<int>(ParallelCount, 0, MaxParallelCount);
    double d = 0.0;
    // Each parallel is its own edit, so undo takes back the last one only.
    for (int i = 0; i < count; ++i) {
        d += ParallelDistance;
        AddParallel(view, type, d, p.x, p.y);
    }
}

void CLineTool::CancelParallel(COrvikCadView* view)
{
    // The preview only shows without a given distance; the option may have
    // changed meanwhile, so whatever is on screen goes.
    EraseBand();
    previewShown = 0;
    DrawEntityIn(view, HeldReference(view), EntityState::Normal);
    InputPointCount = 0;
    OperationRestarted = 1;
    Prompt(ReferencePrompt);
}
