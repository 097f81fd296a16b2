// CLineTool: angle-moved lines. One click on a line adds a copy of it
// turned about its end nearer the click by the angle panel's angle
// (counter-clockwise), optionally cut or drawn out to LineLength. The
// clicked line itself stays.

#include "tools/LineTool.h"

#include "view/OrvikCadView.h"
#include "model/Document.h"
#include "model/GeometryLines.h"
#include "model/Notify.h"
#include "model/Settings.h"
#include "tools/ToolEdit.h"

#include <cmath>
#include <numbers>

namespace {

constexpr const char* NotALinePrompt = "【注意】＊＊＊直線を選んでください＊＊＊";

// A snap point counts for the marker when it lies closer than this.
constexpr double MarkerReach = 1.0;

} // namespace

void CLineTool::ClickAngleMovedLine(COrvikCadView* view, platform::Point point)
{
    COrvikCadDoc* doc = view->GetDrawing();
    if (!doc)
        return;
    CEntity* e = nullptr;
    if (magnetKind != 0) {
        // The line whose snap point the marker shows.
        const int kind = magnetKind;
        const SnapPoint* s = doc->snaps.FindNearest(
            markerPoint[0], markerPoint[1], MarkerReach,
            [kind](const SnapPoint& p) { return p.state == 0 && p.kind == kind; });
        if (!s || !s->entity) {
            MessageBeep(1);
            return;
        }
        e = s->entity;
    } else {
        double x = 0.0, y = 0.0;
        e = view->PickEntity(20, point.x, point.y, x, y);
    }
    if (!e || e->type != EntityType::Line || e->values.size() < 4) {
        Prompt(NotALinePrompt, true);
        MessageBeep(1);
        return;
    }

    DrawEntityIn(view, e, EntityState::Highlighted);
    Prompt("角度移動する直線の始点側をクリックしてください。");

    // The pivot is the end nearer the click itself, however far the line
    // reaches; the first end on a tie.
    const double mx = view->XToModel(point.x), my = view->YToModel(point.y);
    const double* v = e->values.data();
    const double d0 = (v[0] - mx) * (v[0] - mx) + (v[1] - my) * (v[1] - my);
    const double d1 = (v[2] - mx) * (v[2] - mx) + (v[3] - my) * (v[3] - my);
    const bool firstIsPivot = !(d1 < d0);
    const double ax = firstIsPivot ? v[0] : v[2], ay = firstIsPivot ? v[1] : v[3];
    const double bx = firstIsPivot ? v[2] : v[0], by = firstIsPivot ? v[3] : v[1];

    const double t = AngleBoxAngle * std::numbers::pi / 180.0;
    const double dx = bx - ax, dy = by - ay;
    double ex = ax + std::cos(t) * dx - std::sin(t) * dy;
    double ey = ay + std::sin(t) * dx + std::cos(t) * dy;
    if (AngleBoxLengthGiven != 0) {
        const PointResult r = OffsetPointFromSegment(0, ax, ay, ex, ey, LineLength);
        if (r.status == 0) {
            ex = r.x;
            ey = r.y;
        }
    }

    DrawEntityIn(view, e, EntityState::Normal);
    EraseMagnetMarker(view);
    ToolEdit edit(view);
    AddLine(edit, ax, ay, ex, ey);
}
