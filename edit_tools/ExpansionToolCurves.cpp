// The expansion tool's cut of circles, arcs, ellipses and elliptic arcs:
// the start and end positions, their rubber bands and the arcs that stay.

#include "edit_tools/ExpansionTool.h"

#include "model/Document.h"
#include "model/EditProtocol.h"
#include "model/Notify.h"
#include "tools/ToolEdit.h"
#include "view/OrvikCadView.h"
#include "model/EntityKinds.h"

#include <cmath>
#include <cstdlib>
#include <numbers>

namespace {

constexpr double Degree = std::numbers::pi / 180.0;

// The model point a click stands for: a picked point, else the click.
GeoPoint ClickedModelPoint(COrvikCadView* view, platform::Point point)
{
    double x = 0, y = 0;
    if (!view->PickEntity(0, point.x, point.y, x, y))
        return {view->XToModel(point.x), view->YToModel(point.y)};
    return {x, y};
}

// Where the ray from the ellipse's centre at `degrees` meets the ellipse.
GeoPoint EllipsePointInDirection(const CEntity& e, double degrees)
{
    const double a = e.values[2], b = e.values[3], rot = e.values[4] * Degree;
    const double t = degrees * Degree - rot;
    const double c = std::cos(t) / a, s = std::sin(t) / b;
    const double d = 1.0 / std::sqrt(c * c + s * s);
    return {e.values[0] + d * std::cos(degrees * Degree), e.values[1] + d * std::sin(degrees * Degree)};
}

bool Finite(const CEntity& e, size_t count)
{
    if (e.values.size() < count)
        return false;
    for (size_t i = 0; i < count; ++i)
        if (!std::isfinite(e.values[i]))
            return false;
    return true;
}

} // namespace

bool CExpansionTool::IsCuttableCurve(const CEntity& e)
{
    switch (e.type) {
    case EntityType::Circle:
        return Finite(e, 3) && e.values[2] > 0;
    case EntityType::Arc:
        return Finite(e, 5) && e.values[2] > 0;
    case EntityType::Ellipse:
        return Finite(e, 5) && e.values[2] > 0 && e.values[3] > 0;
    case EntityType::EllipticArc:
        return Finite(e, 7) && e.values[2] > 0 && e.values[3] > 0;
    default:
        return false;
    }
}

CircleArc CExpansionTool::ArcOf(const CEntity& e)
{
    CircleArc arc{e.values[0], e.values[1], e.values[2], 0.0, 360.0, 1};
    if (e.type == EntityType::Arc) {
        arc.start = e.values[3];
        arc.end = e.values[4];
        arc.subtype = e.subtype < 0 ? -1 : 1;
    }
    return arc;
}

bool CExpansionTool::TrackArcEnd(const CEntity& e, GeoPoint p, GeoPoint& q, double& phi)
{
    const PointResult r = RadialPosition(ref_[0], ref_[1], ref_[2], p.x, p.y);
    if (r.status != 0)
        return false;
    q = {r.x, r.y};
    phi = AngleFromStart(startAngle_, AngleFromCentre(ref_[0], ref_[1], q.x, q.y));
    cut_.Track(phi);
    if (e.type == EntityType::Arc)
        q = ApplyArcRule(ArcOf(e), {X[1], Y[1]}, q, cut_, arcState_);
    return true;
}

void CExpansionTool::ShowArcBand(COrvikCadView* view, const CEntity& e, GeoPoint cornerModel)
{
    band_.Clear();
    GeoPoint q{};
    double phi = 0;
    if (InputPointCount == 2 && TrackArcEnd(e, cornerModel, q, phi) && !PreviewArcHidden(phi)) {
        const platform::Point centre = PreviewPoint(view, ref_[0], ref_[1]);
        const int r = std::abs(PreviewPoint(view, ref_[0] + ref_[2], ref_[1]).x - centre.x);
        if (r >= 1) {
            const platform::Point topLeft{centre.x - r, centre.y - r};
            const platform::Point bottomRight{centre.x + r + 1, centre.y + r + 1};
            const platform::Point start = PreviewPoint(view, X[1], Y[1]);
            const platform::Point end = PreviewPoint(view, q.x, q.y);
            // Arcs run counter-clockwise as seen: a clockwise piece is drawn
            // from its end.
            if (cut_.direction == 1)
                band_.AddArc(topLeft, bottomRight, start, end);
            else
                band_.AddArc(topLeft, bottomRight, end, start);
        }
    }
    band_.AddLine(anchor, corner);
    band_.Show(view, xorColor);
    XorPreviewShown = 1;
}

void CExpansionTool::DrawArcCutRubberBand(COrvikCadView* view, platform::Point point)
{
    const CEntity* e = picked.Get(view->GetDrawing());
    if (!e)
        return;
    const GeoPoint w{view->XToModel(point.x), view->YToModel(point.y)};
    const double d = std::hypot(w.x - ref_[0], w.y - ref_[1]);
    if (d == 0.0) {
        MessageBeep(1);
        return;
    }
    GeoPoint cornerModel = w;
    corner = point;
    if (d < ref_[2]) {
        const PointResult onCircle = RadialPosition(ref_[0], ref_[1], ref_[2], w.x, w.y);
        cornerModel = {onCircle.x, onCircle.y};
        corner = PreviewPoint(view, cornerModel.x, cornerModel.y);
    }
    lastPoint = point;
    ShowArcBand(view, *e, cornerModel);
}

void CExpansionTool::CutCircle(COrvikCadView* view, platform::Point point)
{
    CEntity* e = PickedOrRestart(view);
    if (!e)
        return;
    const GeoPoint p = ClickedModelPoint(view, point);
    const PointResult r = RadialPosition(ref_[0], ref_[1], ref_[2], p.x, p.y);
    if (r.status != 0) {
        MessageBeep(1);  // on the centre: no way along the curve
        return;
    }
    GeoPoint q{r.x, r.y};
    const bool isArc = e->type == EntityType::Arc;
    const CircleArc arc = ArcOf(*e);
    const bool offArc = isArc && !OnArc(arc, q);
    if (InputPointCount == 1) {
        band_.Erase();
        if (offArc) {
            q = {arc.cx + arc.r * std::cos(arc.start * Degree), arc.cy + arc.r * std::sin(arc.start * Degree)};
            arcState_.startMoved = true;
        }
        X[1] = q.x;
        Y[1] = q.y;
        startAngle_ = AngleFromCentre(ref_[0], ref_[1], q.x, q.y);
        cross_.ShowCross(view, xorColor, PreviewPoint(view, q.x, q.y));
        InputPointCount = 2;
        cut_.Start();
        Prompt("カット終了位置を指示して下さい。");
        return;
    }
    // The end: the position the preview shows for the click.
    double phi = 0;
    TrackArcEnd(*e, p, q, phi);
    X[2] = q.x;
    Y[2] = q.y;
    StartOver();
    if (isArc && arcState_.startMoved && offArc) {
        DrawInState(view, e, EntityState::Normal);  // both positions off the arc: nothing to cut
        return;
    }
    if (view->GetDrawing()->RefuseWhenProtected()) {
        DrawInState(view, e, EntityState::Normal);
        return;
    }
    const GeoPoint start{X[1], Y[1]}, end{X[2], Y[2]};
    const std::vector<CircleArc> arcs = isArc ? ArcCutPieces(arc, start, end, offArc, cut_.Decided(), arcState_)
                                              : CircleCutPieces(arc.cx, arc.cy, arc.r, start, end, cut_.Decided());
    ReplaceCurve(view, e, arcs, {});
}

void CExpansionTool::DrawEllipseCutRubberBand1(COrvikCadView* view, platform::Point point)
{
    corner = point;
    band_.ShowLine(view, xorColor, anchor, corner);
    XorPreviewShown = 1;
}

void CExpansionTool::DrawEllipseCutRubberBand2(COrvikCadView* view, platform::Point point)
{
    DrawEllipseCutRubberBand1(view, point);
    const double mx = view->XToModel(point.x), my = view->YToModel(point.y);
    if (mx == X[0] && my == Y[0])
        return;
    const double angle = static_cast<float>(AngleFromCentre(X[0], Y[0], mx, my));
    cut_.Track(AngleFromStart(startAngle_, angle));
}

void CExpansionTool::CutEllipse(COrvikCadView* view, platform::Point point)
{
    CEntity* e = PickedOrRestart(view);
    if (!e)
        return;
    const GeoPoint p = ClickedModelPoint(view, point);
    if (p.x == X[0] && p.y == Y[0]) {
        MessageBeep(1);  // on the centre: no direction
        return;
    }
    const double angle = static_cast<float>(AngleFromCentre(X[0], Y[0], p.x, p.y));
    if (InputPointCount == 1) {
        X[1] = p.x;
        Y[1] = p.y;
        startAngle_ = angle;
        const GeoPoint mark = EllipsePointInDirection(*e, angle);
        cross_.ShowCross(view, xorColor, PreviewPoint(view, mark.x, mark.y));
        InputPointCount = 2;
        cut_.Start();
        Prompt("カット終了位置を指示して下さい。");
        return;
    }
    cut_.Track(AngleFromStart(startAngle_, angle));
    StartOver();
    if (view->GetDrawing()->RefuseWhenProtected()) {
        DrawInState(view, e, EntityState::Normal);
        return;
    }
    const int direction = cut_.Decided();
    std::vector<EllipticPiece> pieces;
    if (e->type == EntityType::Ellipse)
        pieces.push_back(EllipseCutPiece(startAngle_, angle, direction));
    else
        pieces = EllipticArcCutPieces(e->values[5], e->values[6], e->values[2], startAngle_, angle, direction);
    if (pieces.empty()) {
        DrawInState(view, e, EntityState::Normal);  // neither position on the arc
        return;
    }
    ReplaceCurve(view, e, {}, pieces);
}

void CExpansionTool::ReplaceCurve(COrvikCadView* view, CEntity* old, const std::vector<CircleArc>& arcs,
                                  const std::vector<EllipticPiece>& elliptic)
{
    const int16_t layer = static_cast<int16_t>(view->currentLayer);
    ReplaceThroughEdit(view, old, [&](ToolEdit& edit) {
        CEntity* first = nullptr;
        for (const CircleArc& a : arcs) {
            const EntityHeader header{EntityType::Arc, static_cast<int16_t>(a.subtype), old->style, layer, 5};
            const int16_t* codes = FixedCodes(EntityType::Arc).data();
            const double v[5] = {a.cx, a.cy, a.r, a.start, a.end};
            CEntity* added = edit.Add(header, codes, v);
            if (!first)
                first = added;
        }
        for (const EllipticPiece& p : elliptic) {
            const EntityHeader header{EntityType::EllipticArc, static_cast<int16_t>(p.subtype), old->style, layer,
                                      7};
            const int16_t* codes = FixedCodes(EntityType::EllipticArc).data();
            const double v[7] = {old->values[0], old->values[1], old->values[2], old->values[3], old->values[4],
                                 p.start, p.end};
            CEntity* added = edit.Add(header, codes, v);
            if (!first)
                first = added;
        }
        return first;
    });
}
