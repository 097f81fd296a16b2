// CLineTool: perpendiculars. The user picks a reference line (or a side of
// a polygon), clicks the foot of the perpendicular on it, then its start
// and its end; both ends lie on the perpendicular through the foot. Each of
// the three clicks may be a typed distance instead: the foot's from the
// reference's first point, the start's from the reference line, the end's
// from the start.
//
// X[2], Y[2] and X[3], Y[3] hold the reference segment; X[0], Y[0] the
// picked point, then the foot; X[1], Y[1] the start. The line a·x + b·y + c
// = 0 in workX, workY, workValue1 is the reference line at step 1 and the
// perpendicular afterwards. The guide and segment previews share this file
// with the centre line, which uses them the same way.

#include "tools/LineTool.h"

#include "view/OrvikCadView.h"
#include "model/GeometryLines.h"
#include "model/Notify.h"
#include "model/Settings.h"
#include "tools/ToolEdit.h"

#include <cmath>

namespace {

constexpr const char* FootPrompt = "垂線の作図位置をクリックしてください。[マウス右：数値入力／中止]";
constexpr const char* StartPrompt = "垂線始点位置をクリックしてください。[マウス右：数値入力／中止]";
constexpr const char* EndPrompt = "垂線終点位置をクリックしてください。[マウス右：数値入力／中止]";

// Half the length of the guide across the reference line, in millimetres.
constexpr double GuideHalfLength = 1000.0;

bool IsInfiniteLine(int16_t type)
{
    return type == EntityType::HorizontalInfiniteLine || type == EntityType::VerticalInfiniteLine ||
           type == EntityType::InfiniteLine;
}

} // namespace

// ---- previews ----

void CLineTool::DrawPerpendicularGuidePreview(COrvikCadView* view, platform::Point mouse)
{
    const bool replacing = XorPreviewShown == 1;
    corner = mouse;
    XorPreviewShown = 1;
    const double mx = view->XToModel(mouse.x), my = view->YToModel(mouse.y);
    const PointResult f = PerpendicularFoot(mx, my, workX, workY, workValue1);
    if (f.status != 0) {
        EraseBand();
        MessageBeep(1);
        return;
    }
    // Across the reference line: along its normal, whatever the distance of
    // the foot from the picked point.
    const double n = std::hypot(workX, workY);
    const double ux = workX / n * GuideHalfLength, uy = workY / n * GuideHalfLength;
    ShowBand(view, PreviewPoint(view, f.x - ux, f.y - uy), PreviewPoint(view, f.x + ux, f.y + uy));
    if (replacing && ToolSubMode == LineToolMode::Perpendicular && LengthReadoutEnabled && LineMode == 0) {
        readoutIndex = 2;
        ShowReadout(view, Readout::From, f.x, f.y, 2);
    }
}

void CLineTool::DrawPerpendicularSegmentPreview(COrvikCadView* view, platform::Point mouse, int index)
{
    const bool replacing = XorPreviewShown == 1;
    corner = mouse;
    XorPreviewShown = 1;
    const double mx = view->XToModel(mouse.x), my = view->YToModel(mouse.y);
    const PointResult f = PerpendicularFoot(mx, my, workX, workY, workValue1);
    if (f.status != 0) {
        EraseBand();
        return;
    }
    ShowBand(view, PreviewPoint(view, X[index], Y[index]), PreviewPoint(view, f.x, f.y));
    if (replacing && LengthReadoutEnabled && LineMode == 0) {
        readoutIndex = index;
        ShowReadout(view, Readout::From, f.x, f.y, index);
    }
}

void CLineTool::DrawBaseMarker(COrvikCadView* view)
{
    if (BaseMarkerHidden == 1)
        return;
    if (cross_.Shown())
        EraseStartCross();
    else
        ShowStartCross(view, PreviewPoint(view, X[2], Y[2]));
}

// ---- clicks ----

void CLineTool::PickPerpendicularBase(COrvikCadView* view, platform::Point point)
{
    BaseMarkerHidden = 0;
    double x = 0.0, y = 0.0;
    CEntity* e = view->PickEntity(-26, point.x, point.y, x, y);
    if (!e) {
        MessageBeep(1);
        return;
    }
    double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
    if (e->type == EntityType::Polygon) {
        if (FindNearestSegment(e, x, y, x1, y1, x2, y2) != 1) {
            MessageBeep(1);
            return;
        }
    } else {
        if (e->values.size() < 4) {
            MessageBeep(1);
            return;
        }
        x1 = e->values[0];
        y1 = e->values[1];
        x2 = e->values[2];
        y2 = e->values[3];
    }
    const LineResult line = LineFromPoints(x1, y1, x2, y2);
    if (line.status != 0) {
        // A reference without length has no perpendicular.
        MessageBeep(1);
        return;
    }
    refEntity = e;
    refHeld_.Hold(view->GetDrawing(), e);
    InputPointCount = 1;
    if (IsInfiniteLine(e->type))
        BaseMarkerHidden = 1;
    X[2] = x1;
    Y[2] = y1;
    X[3] = x2;
    Y[3] = y2;
    X[0] = x;
    Y[0] = y;
    anchor = corner = PreviewPoint(view, x, y);
    workX = line.a;
    workY = line.b;
    workValue1 = line.c;
    e->state = EntityState::Marked;
    DrawEntityIn(view, e, EntityState::Marked);
    // The marked state is held as part of what the entity is.
    refHeld_.Hold(view->GetDrawing(), e);
    XorPreviewShown = 0;
    NumericInputPending = 0;
    previewShown = 1;
    EraseStartCross();
    DrawBaseMarker(view);
    Prompt(FootPrompt);
}

void CLineTool::ClickPerpendicular(COrvikCadView* view, platform::Point point)
{
    const int16_t hidden = BaseMarkerHidden;
    BaseMarkerHidden = 0;
    const TakenPoint p = TakePoint(view, point);

    if (InputPointCount == 1) {
        if (previewShown)
            EraseBandAndCross();
        GeoPoint q;
        if (NumericInputPending == 1) {
            NumericInputPending = 0;
            const PointResult r = OffsetPointFromSegment(0, X[2], Y[2], X[3], Y[3], NumericInputValue);
            if (r.status != 0) {
                // Too short a reference to measure along: the step waits.
                MessageBeep(1);
                BaseMarkerHidden = hidden;
                DrawBaseMarker(view);
                previewShown = 1;
                return;
            }
            q = {r.x, r.y};
        } else {
            const PointResult f = PerpendicularFoot(p.x, p.y, workX, workY, workValue1);
            if (f.status != 0)
                return;
            q = {f.x, f.y};
        }
        X[0] = q.x;
        Y[0] = q.y;
        const double a = workX, b = workY;
        workX = b;
        workY = -a;
        workValue1 = a * q.y - b * q.x;
        if (CEntity* ref = HeldReference(view)) {
            ref->state = EntityState::Normal;
            DrawEntityIn(view, ref, EntityState::Normal);
        }
        refHeld_.Clear();
        InputPointCount = 2;
        NumericInputPending = 0;
        previewShown = 1;
        Prompt(StartPrompt);
        return;
    }

    if (previewShown)
        EraseBand();
    const PointResult onPerpendicular = PerpendicularFoot(p.x, p.y, workX, workY, workValue1);

    if (InputPointCount == 2) {
        GeoPoint s{onPerpendicular.x, onPerpendicular.y};
        if (NumericInputPending == 1) {
            NumericInputPending = 0;
            // To the left of the way from the foot to the reference's second
            // point; the reference's own way when the foot is on that point.
            PointResult r = OffsetPointFromSegment(1, X[0], Y[0], X[3], Y[3], NumericInputValue);
            if (r.status != 0) {
                const PointResult d = OffsetPointFromSegment(1, X[2], Y[2], X[3], Y[3], NumericInputValue);
                r = {d.status, X[0] + d.x - X[2], Y[0] + d.y - Y[2]};
            }
            if (r.status != 0) {
                MessageBeep(1);
                previewShown = 1;
                return;
            }
            s = {r.x, r.y};
        } else if (onPerpendicular.status != 0) {
            return;
        }
        X[1] = s.x;
        Y[1] = s.y;
        InputPointCount = 3;
        previewShown = 1;
        Prompt(EndPrompt);
        return;
    }

    GeoPoint e{onPerpendicular.x, onPerpendicular.y};
    if (NumericInputPending == 1) {
        NumericInputPending = 0;
        const PointResult r = OffsetPointFromSegment(0, X[1], Y[1], X[0], Y[0], NumericInputValue);
        if (r.status != 0) {
            // The start lies on the foot: no way toward the reference.
            MessageBeep(1);
            previewShown = 1;
            return;
        }
        e = {r.x, r.y};
    } else if (onPerpendicular.status != 0) {
        return;
    }
    {
        EraseMagnetMarker(view);
        ToolEdit edit(view);
        AddLine(edit, X[1], Y[1], e.x, e.y);
    }
    InputPointCount = 0;
    previewShown = 0;
    NumericInputPending = 0;
    Prompt(FirstPrompt(LineToolMode::Perpendicular));
}

void CLineTool::CancelPerpendicular(COrvikCadView* view)
{
    XorPreviewShown = 0;
    Prompt(FirstPrompt(LineToolMode::Perpendicular));
    if (InputPointCount == 1) {
        EraseBandAndCross();
        if (CEntity* ref = HeldReference(view)) {
            ref->state = EntityState::Normal;
            DrawEntityIn(view, ref, EntityState::Normal);
        }
        refHeld_.Clear();
    } else {
        EraseBand();
    }
    BaseMarkerHidden = 0;
    previewShown = 0;
}
