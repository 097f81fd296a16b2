// CDimensionTool: perimeter and area of a picked closed region (sub-modes 3
// and 7). The user picks the boundary elements one after another; each must
// meet the one before it, and the region closes when the first element is
// picked again or when the first pick is itself closed.

#include "annotation_tools/DimensionTool.h"

#include "model/Document.h"
#include "model/GeometryCircles.h"
#include "model/Notify.h"
#include "model/RegionMeasure.h"
#include "model/Settings.h"
#include "view/OrvikCadView.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr double Pi = std::numbers::pi;

bool IsLine(int type)
{
    return type >= EntityType::Line && type <= 23;
}

bool Has(const CEntity* e, std::size_t n)
{
    return e && e->count >= 0 && static_cast<std::size_t>(e->count) >= n && e->values.size() >= n;
}

double V(const CEntity* e, std::size_t i)
{
    return e->values[i];
}

BoundaryArc ArcOf(const CEntity* e)
{
    return {V(e, 0), V(e, 1), V(e, 2), V(e, 3), V(e, 4), e->subtype >= 0 ? 1 : -1};
}

GeoEllipticArc EllipticArcOf(const CEntity* e)
{
    return {{V(e, 0), V(e, 1), V(e, 2), V(e, 3), V(e, 4)}, V(e, 5), V(e, 6)};
}

// The values each boundary type needs.
bool Readable(const CEntity* e)
{
    switch (e->type) {
    case EntityType::Circle: return Has(e, 3);
    case EntityType::Arc: return Has(e, 5);
    case EntityType::Ellipse: return Has(e, 5);
    case EntityType::EllipticArc: return Has(e, 7);
    case EntityType::Polygon: return Has(e, 6);
    default: return IsLine(e->type) && Has(e, 4);
    }
}

} // namespace

int RegionJunction(const CEntity* previous, const CEntity* e, double px, double py, double& x, double& y)
{
    x = px;
    y = py;
    // Where an arc meets the next piece twice, the junction is the one the
    // pick lies nearer: the pick is taken onto the arc's circle, so a click
    // on the line a little way from the arc's end still finds that end.
    if (previous->type == EntityType::Arc && Has(previous, 3)) {
        const double cx = V(previous, 0), cy = V(previous, 1), r = V(previous, 2);
        const double d = std::hypot(px - cx, py - cy);
        if (d > 0.0 && std::isfinite(d)) {
            x = cx + (px - cx) * r / d;
            y = cy + (py - cy) * r / d;
        }
    }
    return CDrawTool::FindConnectPoint(previous, e, x, y);
}

// ---- perimeter ----

bool CDimensionTool::JoinRegionElement(COrvikCadView* view, CEntity* e, double px, double py, bool closedShape,
                                       bool& closes)
{
    COrvikCadDoc* doc = view->GetDrawing();
    const int n = InputPointCount;
    CEntity* previous = elements[n - 1].Get(doc);
    double x = px, y = py;
    if (!previous || closedShape || !RegionJunction(previous, e, px, py, x, y)) {
        MessageBeep(0);
        return false;
    }
    X[n] = x;
    Y[n] = y;
    closes = elements[0].Get(doc) == e;
    if (!closes)
        elements[n].Hold(doc, e);
    return true;
}

CEntity* CDimensionTool::PickRegionElement(COrvikCadView* view, platform::Point point, int filter, double& px,
                                           double& py)
{
    if (InputPointCount >= MaxRegionElements) {
        MessageBeep(0);
        return nullptr;
    }
    CEntity* e = view->PickEntity(filter, point.x, point.y, px, py);
    if (!e || !Readable(e)) {
        MessageBeep(0);
        return nullptr;
    }
    return e;
}

void CDimensionTool::PickPerimeterElement(COrvikCadView* view, platform::Point point)
{
    placingDimLine = 0;
    COrvikCadDoc* doc = view->GetDrawing();
    const int n = InputPointCount;
    double px = 0.0, py = 0.0;
    CEntity* e = PickRegionElement(view, point, -22, px, py);
    if (!e)
        return;
    bool closes = false;
    if (n > 0) {
        if (!JoinRegionElement(view, e, px, py, e->type == EntityType::Circle || e->type == EntityType::Ellipse,
                               closes))
            return;
        DrawInState(view, e, EntityState::Highlighted);
    } else {
        elements[0].Hold(doc, e);
        leaderStart[0] = px;
        leaderStart[1] = py;
        anchor = corner = PreviewPoint(view, px, py);
        DrawInState(view, e, EntityState::Selected);
        closes = e->type == EntityType::Circle || e->type == EntityType::Ellipse;
    }
    if (!closes) {
        InputPointCount = n + 1;
        return;
    }
    InputPointCount = n == 0 ? 1 : n;
    X[0] = X[n];
    Y[0] = Y[n];
    placingDimLine = 1;
    lastCursor_ = corner;
    Prompt("寸法線位置を指示して下さい。");
}

void CDimensionTool::PerimeterDimension(COrvikCadView* view)
{
    COrvikCadDoc* doc = view->GetDrawing();
    Prompt(StartPrompt(DimensionMode::Perimeter));
    placingDimLine = 0;
    const int n = InputPointCount;
    // The leader band goes before the elements are drawn again under it.
    curveBand_.Erase();
    double total = 0.0;
    bool lost = false;
    for (int k = 0; k < n; ++k) {
        CEntity* e = elements[k].Get(doc);
        if (!e) {
            lost = true;  // undone since it was picked
            continue;
        }
        DrawInState(view, e, EntityState::Normal);
        const double qx = X[k + 1 < n ? k + 1 : 0], qy = Y[k + 1 < n ? k + 1 : 0];
        switch (e->type) {
        case EntityType::Circle:
            total += 2.0 * Pi * V(e, 2);
            break;
        case EntityType::Arc:
            total += ArcLengthBetweenJunctions(ArcOf(e), X[k], Y[k], qx, qy);
            break;
        case EntityType::Ellipse:
            total += EllipsePerimeter(V(e, 2), V(e, 3));
            break;
        case EntityType::EllipticArc:
            total += EllipticArcLength(EllipticArcOf(e));
            break;
        default:
            total += std::hypot(qx - X[k], qy - Y[k]);
            break;
        }
    }
    for (HeldEntity& held : elements)
        held.Clear();
    InputPointCount = 0;
    if (lost) {
        MessageBeep(0);
        return;
    }

    const DimensionStyle style = Style(view);
    const DimensionCommonValues common = FillDimensionCommonValues(DimensionMode::Perimeter, style);
    const double h = common.textHeight;
    const double bx = view->XToModel(lastCursor_.x), by = view->YToModel(lastCursor_.y);
    const double length = (static_cast<double>(FormatDimValue(total).size()) + 1.0) * h;
    double farX = bx + length, textX = bx + h / 2.0;
    if (leaderStart[0] > bx) {
        farX = bx - length;
        textX = bx - length + h / 2.0;
    }
    DimensionRecord r(DimensionKind::Perimeter);
    r.SetCommon(common);
    r.Set(10, total);
    r.Set(12, 0.0);
    r.SetPoint(40, leaderStart[0], leaderStart[1]);
    r.SetPoint(50, bx, by);
    r.SetPoint(60, farX, by);
    r.SetPoint(42, textX, by + h / 3.0);
    AddDimension(view, r);
}

// ---- area ----

void CDimensionTool::AreaDimension(COrvikCadView* view, platform::Point point)
{
    COrvikCadDoc* doc = view->GetDrawing();
    const int n = InputPointCount;
    double px = 0.0, py = 0.0;
    CEntity* e = PickRegionElement(view, point, -25, px, py);
    if (!e)
        return;
    const bool closedShape =
        e->type == EntityType::Circle || e->type == EntityType::Ellipse || e->type == EntityType::Polygon;
    bool closes = false;
    if (n > 0) {
        if (!JoinRegionElement(view, e, px, py, closedShape, closes))
            return;
        if (!closes) {
            e->state = EntityState::Highlighted;
            DrawInState(view, e, e->state);
        }
    } else {
        elements[0].Hold(doc, e);
        closes = closedShape;
        if (!closes) {
            e->state = EntityState::Marked;
            DrawInState(view, e, e->state);
        }
    }
    if (!closes) {
        InputPointCount = n + 1;
        Prompt("次の図形要素を選んでください。");
        return;
    }

    // The region is closed.
    Prompt(StartPrompt(DimensionMode::Area));
    const int count = n == 0 ? 1 : n;
    X[0] = X[n];
    Y[0] = Y[n];
    std::vector<GeoPoint> vertices;
    std::vector<RegionEdge> edges;
    bool lost = false;
    AreaCentroid result;
    for (int k = 0; k < count; ++k) {
        CEntity* el = elements[k].Get(doc);
        if (!el) {
            lost = true;
            continue;
        }
        el->state = EntityState::Normal;
        DrawInState(view, el, EntityState::Normal);
        if (count == 1 && n == 0) {
            // A closed first element alone.
            if (el->type == EntityType::Circle) {
                result.area = Pi * V(el, 2) * V(el, 2);
                result.cx = V(el, 0);
                result.cy = V(el, 1);
            } else if (el->type == EntityType::Ellipse) {
                result.area = Pi * std::fabs(V(el, 2) * V(el, 3));
                result.cx = V(el, 0);
                result.cy = V(el, 1);
            } else {
                const int pairs = el->count / 2;
                for (int i = 0; i + 1 < pairs; ++i)
                    vertices.push_back({V(el, 2 * i), V(el, 2 * i + 1)});
                edges.assign(vertices.size(), RegionEdge{});
                result = RegionArea(vertices, edges);
            }
            continue;
        }
        vertices.push_back({X[k], Y[k]});
        const double qx = X[k + 1 < count ? k + 1 : 0], qy = Y[k + 1 < count ? k + 1 : 0];
        RegionEdge edge;
        if (el->type == EntityType::Arc) {
            const BoundaryArc arc = ArcOf(el);
            edge.direction = ArcWalkDirection(arc, X[k], Y[k]);
            edge.cx = arc.cx;
            edge.cy = arc.cy;
            edge.r = arc.r;
        } else if (el->type == EntityType::EllipticArc) {
            std::vector<GeoPoint> walk = EllipticArcWalk(EllipticArcOf(el), X[k], Y[k], qx, qy);
            edge.via.assign(walk.begin() + 1, walk.end() - 1);
        }
        edges.push_back(edge);
    }
    for (HeldEntity& held : elements)
        held.Clear();
    InputPointCount = 0;
    if (!(count == 1 && n == 0) && !lost)
        result = RegionArea(vertices, edges);
    if (lost || result.status != 0 || !std::isfinite(result.area)) {
        // Nothing that can be measured: no record.
        MessageBeep(0);
        return;
    }

    const DimensionStyle style = Style(view);
    DimensionRecord r(DimensionKind::Area);
    r.SetCommon(FillDimensionCommonValues(DimensionMode::Area, style));
    r.Set(10, result.area);
    r.Set(12, 0.0);
    r.SetPoint(40, result.cx, result.cy);
    AddDimension(view, r);
}
