// CDimensionTool: radius (sub-mode 4), diameter (5) and angle (6)
// dimensions of picked circles, arcs, ellipses and lines.

#include "annotation_tools/DimensionTool.h"

#include "model/DimensionPlacement.h"
#include "model/DimensionText.h"
#include "model/Document.h"
#include "model/GeometryCircles.h"
#include "model/GeometryEllipses.h"
#include "model/GeometryLines.h"
#include "model/Notify.h"
#include "view/OrvikCadView.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double Pi = std::numbers::pi;
constexpr double RadToDeg = 180.0 / Pi;
constexpr double DegToRad = Pi / 180.0;

bool Has(const CEntity* e, std::size_t n)
{
    return e && e->count >= 0 && static_cast<std::size_t>(e->count) >= n && e->values.size() >= n;
}

bool IsEllipseType(int type)
{
    return type == EntityType::Ellipse || type == EntityType::EllipticArc;
}

double Degrees(double dx, double dy)
{
    double a = std::atan2(dy, dx) * RadToDeg;
    if (a < 0.0)
        a += 360.0;
    return a;
}

GeoEllipse EllipseOf(const CEntity* e)
{
    return {e->values[0], e->values[1], e->values[2], e->values[3], e->values[4]};
}

// The head of an ellipse's radius or diameter: no tolerance shown, no prefix.
void PlainHead(DimensionRecord& r)
{
    r.Set(30, PackDimensionLabelHead(0, {}));
}

} // namespace

// ---- radius ----

void CDimensionTool::RadiusDimension(COrvikCadView* view, platform::Point point)
{
    COrvikCadDoc* doc = view->GetDrawing();
    if (InputPointCount == 0) {
        toolAux = 0;
        double px = 0.0, py = 0.0;
        CEntity* e = view->PickEntity(-32, point.x, point.y, px, py);
        if (!e || !Has(e, e->type == EntityType::Arc || e->type == EntityType::Ellipse ? 5
                          : e->type == EntityType::EllipticArc                        ? 7
                                                                                      : 3)) {
            MessageBeep(0);
            return;
        }
        picked.Hold(doc, e);
        pickedType = e->type;
        anchor = corner = PreviewPoint(view, e->values[0], e->values[1]);
        DrawInState(view, e, EntityState::Highlighted);
        InputPointCount = 1;
        Prompt("基準線位置を指示して下さい。");
        return;
    }

    // The placing click, at its own point.
    curveBand_.Erase();
    toolAux = 0;
    InputPointCount = 0;
    CEntity* e = picked.Get(doc);
    picked.Clear();
    if (e)
        DrawInState(view, e, EntityState::Normal);
    Prompt(StartPrompt(DimensionMode::Radius));
    if (!e) {
        MessageBeep(0);
        return;
    }
    const double cx = e->values[0], cy = e->values[1], r = e->values[2];
    const double px = view->XToModel(point.x), py = view->YToModel(point.y);
    const bool ellipse = IsEllipseType(e->type);
    const GeoEllipse el = ellipse ? EllipseOf(e) : GeoEllipse{};
    const RadiusFoot foot = FootTowardPoint(cx, cy, r, ellipse ? &el : nullptr, px, py);
    if (foot.status != 0) {
        MessageBeep(0);  // on the centre (no direction), or the line misses the ellipse
        return;
    }
    const double d = std::hypot(px - cx, py - cy);
    const double sx = foot.x, sy = foot.y;
    double value = r;
    if (ellipse) {
        value = EllipseSectorAcross(Degrees(px - cx, py - cy) - el.rotation) ? el.r2 : el.r1;
    } else if (e->type == EntityType::Arc) {
        if (!DirectionOnArc(Degrees(sx - cx, sy - cy), e->values[3], e->values[4], e->subtype >= 0 ? 1 : -1)) {
            MessageBeep(0);  // the ray misses the arc
            return;
        }
    }
    const bool inside = r > d;
    double ax = inside ? cx : sx, ay = inside ? cy : sy;
    double bx = inside ? sx : px, by = inside ? sy : py;
    double angle = Degrees(bx - ax, by - ay);
    if (angle > 90.0 && angle < 270.0) {
        // Turned so the text reads upright.
        angle = Degrees(ax - bx, ay - by);
        std::swap(ax, bx);
        std::swap(ay, by);
    }

    const DimensionStyle style = Style(view);
    const DimensionCommonValues common = FillDimensionCommonValues(DimensionMode::Radius, style);
    const double h = common.textHeight;
    // The label is "R" and the value.
    const double w = static_cast<double>(1 + FormatDimValue(r).size()) * h / 2.0;
    const double length = std::hypot(bx - ax, by - ay);
    double ux = 1.0, uy = 0.0;
    if (length > 0.0) {
        ux = (bx - ax) / length;
        uy = (by - ay) / length;
    }
    const double along = length / 2.0 - w;
    const double tx = ax + ux * along - uy * h / 3.0, ty = ay + uy * along + ux * h / 3.0;

    DimensionRecord rec(DimensionKind::Radius);
    rec.SetCommon(common);
    if (ellipse)
        PlainHead(rec);
    rec.Set(10, value);
    rec.Set(12, angle);
    rec.SetPoint(42, tx, ty);
    rec.SetPoint(40, sx, sy);
    rec.SetPoint(50, inside ? cx : px, inside ? cy : py);
    AddDimension(view, rec);
}

void CDimensionTool::ShowRadiusPreview(COrvikCadView* view, platform::Point cursor)
{
    CEntity* e = picked.Get(view->GetDrawing());
    if (!e)
        return;
    corner = lastCursor_ = cursor;
    const double cx = e->values[0], cy = e->values[1], r = e->values[2];
    const double px = view->XToModel(cursor.x), py = view->YToModel(cursor.y);
    const bool ellipse = IsEllipseType(e->type);
    const GeoEllipse el = ellipse ? EllipseOf(e) : GeoEllipse{};
    // Where the ray misses the ellipse, the preview stays on the circle.
    const RadiusFoot foot = FootTowardPoint(cx, cy, r, ellipse ? &el : nullptr, px, py);
    if (foot.status == 1) {
        MessageBeep(0);
        return;
    }
    const platform::Point s = PreviewPoint(view, foot.x, foot.y);
    if (r > std::hypot(px - cx, py - cy))
        curveBand_.ShowLine(view, xorColor, anchor, s);
    else
        curveBand_.ShowLine(view, xorColor, s, cursor);
    toolAux = 1;
}

// ---- diameter ----

namespace {

// The diameter through the direction of (px, py) from the centre: for a
// circle or arc the two points of the line through the centre, the first on
// that side; for an ellipse the axis the sector rule chooses.
void DiameterEnds(const CEntity* e, double px, double py, double& x0, double& y0, double& x1, double& y1,
                  bool byCursor)
{
    const double cx = e->values[0], cy = e->values[1], r = e->values[2];
    if (IsEllipseType(e->type)) {
        const GeoEllipse el = EllipseOf(e);
        const EllipseAxisPoints ends = EllipseAxisEnds(el.cx, el.cy, el.r1, el.r2, el.rotation);
        const bool major = !byCursor || EllipseSectorAcross(Degrees(px - cx, py - cy) - el.rotation);
        x0 = major ? ends.firstX[0] : ends.secondX[0];
        y0 = major ? ends.firstY[0] : ends.secondY[0];
        x1 = major ? ends.firstX[1] : ends.secondX[1];
        y1 = major ? ends.firstY[1] : ends.secondY[1];
        return;
    }
    double d = std::hypot(px - cx, py - cy);
    double ux = 1.0, uy = 0.0;
    if (d > 0.0) {
        ux = (px - cx) / d;
        uy = (py - cy) / d;
    }
    x0 = cx + ux * r;
    y0 = cy + uy * r;
    x1 = cx - ux * r;
    y1 = cy - uy * r;
}

} // namespace

void CDimensionTool::DiameterDimension(COrvikCadView* view, platform::Point point)
{
    COrvikCadDoc* doc = view->GetDrawing();
    if (InputPointCount == 0) {
        toolAux = 0;
        double px = 0.0, py = 0.0;
        CEntity* e = view->PickEntity(-32, point.x, point.y, px, py);
        if (!e || !Has(e, IsEllipseType(e->type) ? 5 : 3)) {
            MessageBeep(0);
            return;
        }
        picked.Hold(doc, e);
        pickedType = e->type;
        DiameterEnds(e, px, py, X[0], Y[0], X[1], Y[1], false);
        anchor = PreviewPoint(view, X[0], Y[0]);
        corner = PreviewPoint(view, X[1], Y[1]);
        DrawInState(view, e, EntityState::Highlighted);
        InputPointCount = 1;
        Prompt("寸法線の方向を指示して下さい。");
        return;
    }
    if (InputPointCount == 1) {
        curveBand_.Erase();
        toolAux = 0;
        lastCursor_ = corner;
        AskForDimensionLine();
        return;
    }

    // Step 2: the placing click.
    InputPointCount = 0;
    Prompt(StartPrompt(DimensionMode::Diameter));
    platform::Point d1{};
    DimensionLine line = LineAtLastCursor(view, d1);
    const bool placedAway = line.status == 0;
    dimBand_.Erase();
    CEntity* e = picked.Get(doc);
    picked.Clear();
    if (!e) {
        MessageBeep(0);
        return;
    }
    DrawInState(view, e, EntityState::Normal);
    // A line placed (nearly) on the diameter itself lies on it.
    const bool onDiameter = !placedAway || std::hypot(d1.x - anchor.x, d1.y - anchor.y) < 10.0;
    if (onDiameter)
        line = {0, X[0], Y[0], X[1], Y[1]};
    const UprightDimension placed =
        OrientDimension({line.x1, line.y1}, {line.x2, line.y2}, {X[0], Y[0]}, {X[1], Y[1]}, true);
    double angle = placed.angle;
    if (onDiameter) {
        const double a = angle < 0.0 ? angle + 360.0 : angle;
        if (a > 90.0 && a < 270.0)
            angle = a - 180.0;
    }

    const DimensionStyle style = Style(view);
    DimensionRecord rec(DimensionKind::Diameter);
    rec.SetCommon(FillDimensionCommonValues(DimensionMode::Diameter, style));
    if (IsEllipseType(e->type))
        PlainHead(rec);
    rec.Set(10, std::hypot(X[1] - X[0], Y[1] - Y[0]));
    rec.Set(12, angle);
    // The diameter's extension lengths are kept as set.
    rec.Set(15, style.upperExtension);
    rec.Set(16, style.upperExtension);
    rec.Set(18, style.lowerExtension);
    rec.Set(19, style.lowerExtension);
    rec.SetPoint(21, placed.measured.x, placed.measured.y);
    rec.SetPoint(40, placed.p1.x, placed.p1.y);
    rec.SetPoint(50, placed.p2.x, placed.p2.y);
    AddDimension(view, rec);
}

void CDimensionTool::ShowDiameterPreview(COrvikCadView* view, platform::Point cursor)
{
    CEntity* e = picked.Get(view->GetDrawing());
    if (!e)
        return;
    lastCursor_ = cursor;
    DiameterEnds(e, view->XToModel(cursor.x), view->YToModel(cursor.y), X[0], Y[0], X[1], Y[1], true);
    anchor = PreviewPoint(view, X[0], Y[0]);
    corner = PreviewPoint(view, X[1], Y[1]);
    curveBand_.ShowLine(view, xorColor, anchor, corner);
    toolAux = 1;
}

// ---- angle ----

void CDimensionTool::AngleDimension(COrvikCadView* view, platform::Point point)
{
    COrvikCadDoc* doc = view->GetDrawing();
    toolAux = 0;
    if (InputPointCount >= 2) {
        InputPointCount = 0;
        Prompt("角度を求める図形要素を指示して下さい。。");
        AddAngleDimension(view, point);
        return;
    }
    double px = 0.0, py = 0.0;
    CEntity* e = view->PickEntity(-27, point.x, point.y, px, py);
    const bool second = InputPointCount == 1;
    CEntity* first = second ? elements[0].Get(doc) : nullptr;
    if (!e || !Has(e, e->type == EntityType::Arc ? 5 : 4) ||
        (second && (!first || first == e || e->type == EntityType::Arc))) {
        MessageBeep(0);
        return;
    }
    if (!second && e->type == EntityType::Arc) {
        vertex_[0] = e->values[0];
        vertex_[1] = e->values[1];
        angleStart_ = e->values[3];
        angleEnd_ = e->values[4];
        angleFromArc_ = 1;
        crossBand_.ShowCross(view, xorColor, PreviewPoint(view, vertex_[0], vertex_[1]));
    } else if (!second) {
        angleFirstPick_[0] = px;
        angleFirstPick_[1] = py;
        X[0] = px;
        Y[0] = py;
        angleFromArc_ = 0;
        Prompt("次の図形要素を選ん下さい。");
    } else {
        const LineResult a = LineFromPoints(first->values[0], first->values[1], first->values[2], first->values[3]);
        const LineResult b = LineFromPoints(e->values[0], e->values[1], e->values[2], e->values[3]);
        const PointResult v = IntersectLines(a.a, a.b, a.c, b.a, b.b, b.c);
        if (a.status != 0 || b.status != 0 || v.status != 0 || !(v.x >= -9999999999.9 && v.x <= 99999999999.9) ||
            !(v.y >= -9999999999.9 && v.y <= 99999999999.9)) {
            MessageBeep(0);
            return;
        }
        vertex_[0] = v.x;
        vertex_[1] = v.y;
        angleStart_ = Degrees(angleFirstPick_[0] - v.x, angleFirstPick_[1] - v.y);
        angleEnd_ = Degrees(px - v.x, py - v.y);
        crossBand_.ShowCross(view, xorColor, PreviewPoint(view, v.x, v.y));
    }
    elements[second ? 1 : 0].Hold(doc, e);
    DrawInState(view, e, EntityState::Highlighted);
    // An arc alone completes the angle: its pick counts twice.
    InputPointCount = angleFromArc_ && !second ? 2 : InputPointCount + 1;
    corner = lastCursor_ = point;
    if (InputPointCount >= 2)
        Prompt("寸法線位置を指示して下さい。");
}

void CDimensionTool::AddAngleDimension(COrvikCadView* view, platform::Point point)
{
    COrvikCadDoc* doc = view->GetDrawing();
    // The previews go first: they were drawn over the highlighted elements.
    curveBand_.Erase();
    crossBand_.Erase();
    for (HeldEntity& held : elements) {
        if (CEntity* e = held.Get(doc))
            DrawInState(view, e, EntityState::Normal);
        held.Clear();
    }
    const double cx = view->XToModel(lastCursor_.x), cy = view->YToModel(lastCursor_.y);
    const double radius = std::hypot(cx - vertex_[0], cy - vertex_[1]);
    double start = angleStart_, end = angleEnd_;
    if (!DirectionOnArc(Degrees(cx - vertex_[0], cy - vertex_[1]), start, end, 1))
        std::swap(start, end);
    double value = end - start;
    while (value < 0.0)
        value += 360.0;
    while (value >= 360.0)
        value -= 360.0;

    const DimensionStyle style = Style(view);
    DimensionRecord rec(angleFromArc_ ? DimensionKind::ArcAngle : DimensionKind::LineAngle);
    rec.SetCommon(FillDimensionCommonValues(DimensionMode::Angle, style));
    rec.Set(10, value);
    rec.Set(12, 0.0);
    rec.Set(18, style.Scaled(style.lowerExtension));
    rec.Set(19, style.Scaled(style.lowerExtension));
    rec.SetPoint(23, vertex_[0], vertex_[1]);
    rec.Set(25, radius);
    rec.Set(26, start);
    rec.Set(27, end);
    rec.SetPoint(42, view->XToModel(point.x), view->YToModel(point.y));
    angleFromArc_ = 0;
    AddDimension(view, rec);
}

void CDimensionTool::ShowAnglePreview(COrvikCadView* view, platform::Point cursor)
{
    corner = lastCursor_ = cursor;
    const double px = view->XToModel(cursor.x), py = view->YToModel(cursor.y);
    const double r = std::hypot(px - vertex_[0], py - vertex_[1]);
    double start = angleStart_, end = angleEnd_;
    if (!DirectionOnArc(Degrees(px - vertex_[0], py - vertex_[1]), start, end, 1))
        std::swap(start, end);
    auto at = [&](double deg, double rad) {
        return PreviewPoint(view, vertex_[0] + rad * std::cos(deg * DegToRad),
                            vertex_[1] + rad * std::sin(deg * DegToRad));
    };
    const platform::Point topLeft = PreviewPoint(view, vertex_[0] - r, vertex_[1] + r);
    const platform::Point bottomRight = PreviewPoint(view, vertex_[0] + r, vertex_[1] - r);
    curveBand_.Clear();
    if (r > 0.0)
        curveBand_.AddArc(topLeft, bottomRight, at(start, r), at(end, r));
    if (angleFromArc_) {
        // The arc's own radius lines from its ends to the centre.
        const platform::Point centre = PreviewPoint(view, vertex_[0], vertex_[1]);
        CEntity* arc = elements[0].Get(view->GetDrawing());
        if (arc) {
            const double ar = arc->values[2];
            curveBand_.AddLine(at(arc->values[3], ar), centre);
            curveBand_.AddLine(at(arc->values[4], ar), centre);
        }
    }
    curveBand_.Show(view, xorColor);
}
