// CPointTool: dispatch of the view's calls and the clicks of the five
// sub-modes.

#include "tools/PointTool.h"

#include "view/OrvikCadView.h"
#include "view/ViewDispatch.h"
#include "model/Document.h"
#include "model/GeometryCircles.h"
#include "model/GeometryEllipses.h"
#include "model/GeometryLines.h"
#include "model/Notify.h"
#include "model/Settings.h"
#include "tools/InputNumDlg.h"
#include "tools/PointToolShapes.h"
#include "tools/SubModeSteps.h"
#include "tools/ToolEdit.h"
#include "model/EntityKinds.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double DegToRad = std::numbers::pi / 180.0;

bool IsCarrierType(int t)
{
    return pointtool::IsLineType(t) || pointtool::IsCircleType(t) || pointtool::IsEllipseType(t);
}

bool HasValues(const CEntity& e, std::size_t n)
{
    return e.count >= 0 && static_cast<std::size_t>(e.count) >= n && e.values.size() >= n;
}

} // namespace

CPointTool::CPointTool() : CDrawTool(ToolId::Point)
{
}

// ---- the sub-modes ----

// What each sub-mode does with the view's calls: every click adds points,
// only the intersection's second pick can be cancelled.
struct CPointTool::SubModeRow {
    SubModeStep<CPointTool> step;
    bool focusesOptionBox = false;
};

const CPointTool::SubModeRow* CPointTool::RowOf(int subMode)
{
    using T = CPointTool;
    static constexpr SubModeRow rows[] = {
        {{"", &T::AddFreePoint, nullptr, nullptr}, false},
        {{"", &T::AddOffsetPoint, nullptr, nullptr}, true},
        {{"", &T::AddIntersectionPoints, nullptr, &T::CancelIntersection}, false},
        {{"", &T::AddPointAtDistanceAlong, nullptr, nullptr}, true},
        {{"", &T::AddConstructionPoints, nullptr, nullptr}, false},
    };
    return FindSubModeRow(rows, subMode);
}

// ---- the view's calls ----

void CPointTool::FocusOptionBox(COrvikCadView*)
{
    const SubModeRow* row = RowOf(ToolSubMode);
    if (row && row->focusesOptionBox)
        FocusMainOptionBox();
}

void CPointTool::OnLButtonUp(COrvikCadView* view, unsigned flags, platform::Point* point)
{
    const SubModeRow* row = RowOf(ToolSubMode);
    if (view && point && row)
        RunStep(*this, row->step.click, view, *point);
    CDrawTool::OnLButtonUp(view, flags, point);
}

void CPointTool::OnMouseMove(COrvikCadView* view, unsigned, platform::Point* point)
{
    if (view && point)
        UpdateMagnetMarker(view, *point);
}

void CPointTool::OnRButtonDown(COrvikCadView* view, unsigned, platform::Point*)
{
    if (InputPointCount == 0)
        return;
    if (const SubModeRow* row = RowOf(ToolSubMode))
        RunStep(*this, row->step.cancel, view);
}

void CPointTool::CancelIntersection(COrvikCadView* view)
{
    if (view) {
        if (CEntity* first = firstEntity.Get(view->GetDrawing())) {
            first->state = EntityState::Normal;
            DrawInState(view, first, EntityState::Normal);
        }
    }
    firstEntity.Clear();
    InputPointCount = 0;
    OperationRestarted = 1;
}

void CPointTool::Reset(COrvikCadView*)
{
}

// ---- helpers ----

void CPointTool::AddPoint(COrvikCadView* view, double x, double y)
{
    ToolEdit edit(view);
    const int16_t* codes = FixedCodes(EntityType::Point).data();
    const double values[2] = {x, y};
    edit.Add(edit.Header(EntityType::Point, PointShape, 2), codes, values);
}

void CPointTool::DrawInState(COrvikCadView* view, CEntity* e, int state)
{
    if (!view || !e)
        return;
    auto dc = view->GetClientDc();
    view->DrawEntity(*dc, e, state);
}

// ---- sub-mode 0 ----

void CPointTool::AddFreePoint(COrvikCadView* view, platform::Point point)
{
    double x = 0.0, y = 0.0;
    ClickPoint(view, point, 0, x, y);
    AddPoint(view, x, y);
}

// ---- sub-mode 1 ----

void CPointTool::AddOffsetPoint(COrvikCadView* view, platform::Point point)
{
    double px = 0.0, py = 0.0;
    CEntity* picked = view->PickEntity(EntityType::Point, point.x, point.y, px, py);
    if (!picked || !HasValues(*picked, 2)) {
        MessageBeep(0);
        return;
    }
    DrawInState(view, picked, EntityState::Highlighted);
    DrawInState(view, picked, EntityState::Normal);
    AddPoint(view, picked->values[0] + PointCoordX, picked->values[1] + PointCoordY);
}

// ---- sub-mode 2 ----

void CPointTool::AddIntersectionPoints(COrvikCadView* view, platform::Point point)
{
    COrvikCadDoc* doc = view->GetDrawing();
    double px = 0.0, py = 0.0;
    CEntity* picked = view->PickEntity(-24, point.x, point.y, px, py);
    if (!picked || !doc) {
        MessageBeep(0);
        return;
    }
    DrawInState(view, picked, EntityState::Highlighted);
    ++InputPointCount;
    if (InputPointCount == 1) {
        firstEntity.Hold(doc, picked);
        Prompt("交差する対象図形２を指示して下さい。");
        return;
    }

    Prompt("対象図形１を指示(クリック)して下さい。");
    InputPointCount = 0;
    CEntity* first = firstEntity.Get(doc);
    firstEntity.Clear();
    DrawInState(view, picked, EntityState::Normal);
    if (!first) {
        // The first entity went (undo, another window) since it was picked.
        MessageBeep(0);
        OperationRestarted = 1;
        return;
    }
    DrawInState(view, first, EntityState::Normal);

    std::vector<GeoPoint> points;
    const bool hasMethod = IntersectEntities(*first, *picked, points);
    if (hasMethod && points.empty()) {
        MessageBeep(0);
        return;
    }
    ToolEdit edit(view);  // discards the pending undo step
    if (!hasMethod)
        return;
    const int16_t* codes = FixedCodes(EntityType::Point).data();
    for (const GeoPoint& p : points) {
        const double values[2] = {p.x, p.y};
        edit.Add(edit.Header(EntityType::Point, PointShape, 2), codes, values);
    }
}

// ---- sub-mode 3 ----

void CPointTool::MovingFails(COrvikCadView*, const char* message)
{
    MessageBeep(0);
    ShowMessage(message);
}

void CPointTool::AddPointAtDistanceAlong(COrvikCadView* view, platform::Point point)
{
    COrvikCadDoc* doc = view->GetDrawing();
    if (InputPointCount == 0)
        toolAux = -51;
    double px = 0.0, py = 0.0;
    CEntity* picked = view->PickEntity(toolAux, point.x, point.y, px, py);
    if (!picked || !doc) {
        MessageBeep(0);
        return;
    }
    if (picked->type == EntityType::Point) {
        toolAux = -22;
        Prompt("移動する直線・円・円弧を指示して下さい。");
    } else {
        toolAux = EntityType::Point;
        anchor = point;
        Prompt("直線・円・円弧上の点を指示して下さい。");
    }
    DrawInState(view, picked, EntityState::Highlighted);
    ++InputPointCount;
    if (InputPointCount == 1) {
        firstEntity.Hold(doc, picked);
        return;
    }

    InputPointCount = 0;
    toolAux = -51;
    CEntity* first = firstEntity.Get(doc);
    firstEntity.Clear();
    DrawInState(view, picked, EntityState::Normal);
    if (first)
        DrawInState(view, first, EntityState::Normal);
    if (!first) {
        MessageBeep(0);
        OperationRestarted = 1;
        return;
    }

    CEntity* pt = first->type == EntityType::Point ? first : picked;
    CEntity* carrier = pt == first ? picked : first;
    if (pt->type != EntityType::Point || !IsCarrierType(carrier->type) || !HasValues(*pt, 2)) {
        MessageBeep(0);
        OperationRestarted = 1;
        return;
    }
    const double x = pt->values[0], y = pt->values[1];
    const int type = carrier->type;
    pointtool::LineShape line;
    pointtool::CircleShape circle;
    pointtool::EllipseShape ellipse;
    const bool shaped = pointtool::IsLineType(type)     ? line.Read(*carrier)
                        : pointtool::IsCircleType(type) ? circle.Read(*carrier)
                                                        : ellipse.Read(*carrier);
    if (!shaped || !std::isfinite(x) || !std::isfinite(y)) {
        MessageBeep(0);
        return;
    }

    // The point must lie on the carrier.
    bool on = false;
    const char* message = "";
    switch (type) {
    case EntityType::Circle:
        on = std::abs(std::hypot(x - circle.cx, y - circle.cy) - circle.r) <= 0.05;
        message = "選択円に、選択点がありません。";
        break;
    case EntityType::Arc:
        on = circle.Holds(x, y);
        message = "選択円弧に、選択点がありません。";
        break;
    case EntityType::Ellipse:
        on = ellipse.OnCurve(x, y);
        message = "選択楕円に、選択点がありません。";
        break;
    case EntityType::EllipticArc:
        on = ellipse.OnCurve(x, y);
        message = "選択楕円弧に、選択点がありません。";
        break;
    default:
        on = line.OnSegment(x, y);
        message = "選択線上に、選択点がありません。";
        break;
    }
    if (!on) {
        MovingFails(view, message);
        return;
    }

    Prompt("移動距離を入力して下さい。");
    ReleaseViewCapture();
    CInputNumDlg dlg(view);
    dlg.mode = 10;
    dlg.value = PointOptionDistance;
    const bool ok = dlg.DoModal() == IDOK;
    SetViewCapture(view);
    if (!ok)
        return;
    // The dialog let other calls run: the entities are looked up again.
    if (!EntityIsLinked(doc->list, pt) || !EntityIsLinked(doc->list, carrier) || view->GetDrawing() != doc) {
        MessageBeep(0);
        return;
    }
    const double value = dlg.value;
    PointOptionDistance = static_cast<float>(value);
    if (!std::isfinite(value)) {
        MovingFails(view, "移動処理エラー");
        return;
    }
    const double d = std::abs(value);
    const int side = value < 0.0 ? -1 : 1;

    PointResult r;
    if (pointtool::IsLineType(type)) {
        const LineResult l = LineFromPoints(line.x1, line.y1, line.x2, line.y2);
        const double ax = view->XToModel(anchor.x), ay = view->YToModel(anchor.y);
        r = l.status != 0 ? PointResult{-1, x, y}
                          : PointOnLineAtDistance(DirectionCode(x, y, ax, ay), x, y, l.a, l.b, l.c, value);
    } else if (pointtool::IsCircleType(type)) {
        r = ArcMidPoint(side, x, y, circle.cx, circle.cy, circle.r, d);
    } else {
        r = PointAlongEllipse(side, ellipse.e, x, y, d);
    }
    if (r.status != 0 || !std::isfinite(r.x) || !std::isfinite(r.y)) {
        MovingFails(view, "移動処理エラー");
        return;
    }
    AddPoint(view, r.x, r.y);
}

// ---- sub-mode 4 ----

void CPointTool::AddConstructionPoints(COrvikCadView* view, platform::Point point)
{
    double px = 0.0, py = 0.0;
    CEntity* picked = view->PickEntity(1, point.x, point.y, px, py);
    if (!picked) {
        MessageBeep(0);
        return;
    }
    const std::vector<GeoPoint> points = ConstructionPoints(*picked);
    if (points.empty())
        return;
    ToolEdit edit(view);
    const int16_t* codes = FixedCodes(EntityType::Point).data();
    for (const GeoPoint& p : points) {
        const double values[2] = {p.x, p.y};
        edit.Add(edit.Header(EntityType::Point, PointShape, 2), codes, values);
    }
    edit.CloseRun();
}

std::vector<GeoPoint> CPointTool::ConstructionPoints(const CEntity& e)
{
    std::vector<GeoPoint> out;
    const auto& v = e.values;
    switch (e.type) {
    case EntityType::Line:
        if (HasValues(e, 4)) {
            out.push_back({v[0], v[1]});
            out.push_back({v[2], v[3]});
        }
        break;
    case EntityType::Curve: {
        const std::size_t n = std::min(v.size(), e.count < 0 ? std::size_t{0} : static_cast<std::size_t>(e.count));
        for (std::size_t i = 0; i + 1 < n; i += 2)
            out.push_back({v[i], v[i + 1]});
        break;
    }
    case EntityType::Text:
        if (HasValues(e, 2))
            out.push_back({v[0], v[1]});
        break;
    case EntityType::Circle:
    case EntityType::Arc: {
        pointtool::CircleShape c;
        if (!c.Read(e))
            break;
        out.push_back({c.cx, c.cy});
        if (c.arc) {
            if (e.subtype == -1) {
                out.push_back({c.ex, c.ey});
                out.push_back({c.sx, c.sy});
            } else {
                out.push_back({c.sx, c.sy});
                out.push_back({c.ex, c.ey});
            }
        }
        break;
    }
    case EntityType::Ellipse:
    case EntityType::EllipticArc: {
        pointtool::EllipseShape el;
        if (!el.Read(e))
            break;
        out.push_back({el.e.cx, el.e.cy});
        if (!el.arc)
            break;
        const double r1 = el.e.r1, r2 = el.e.r2, rot = el.e.rotation * DegToRad;
        for (const double phi : {el.start, el.end}) {
            const double a = phi * DegToRad - rot;
            // A flat first axis leaves the parameter at the direction.
            const double t = std::abs(r1) > 1e-12 ? std::atan2(std::sin(a), std::cos(a) * r2 / r1) : a;
            const double u = r1 * std::cos(t), w = r2 * std::sin(t);
            out.push_back({el.e.cx + u * std::cos(rot) - w * std::sin(rot),
                           el.e.cy + u * std::sin(rot) + w * std::cos(rot)});
        }
        break;
    }
    default:
        break;
    }
    return out;
}
