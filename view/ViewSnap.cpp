// COrvikCadView: the snap searches, the colour of an entity by its state and
// the grip squares of selected entities.

#include "view/OrvikCadView.h"

#include "model/Document.h"
#include "model/SnapPointList.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double SnapModelBound = 100.0;
constexpr double SelectedModelBound = 200.0;
constexpr double SnapPixelBound = 10.0;

constexpr COLORREF SelectionColour = 0x01000011;  // entry 17 of the default palette
constexpr COLORREF GripColour = 0x00FF00;
constexpr COLORREF MidpointGripColour = 0xFF80FF;

} // namespace

int COrvikCadView::NearestWithin(int xd, int yd, double& x, double& y, const CEntity* except)
{
    x = 0;
    y = 0;
    COrvikCadDoc* doc = GetDrawing();
    if (!doc)
        return -1;
    const double mx = XToModel(xd), my = YToModel(yd);
    const SnapPoint* best = doc->snaps.FindNearest(
        mx, my, SnapModelBound, [except](const SnapPoint& p) { return p.state == 0 && p.entity != except; });
    if (!best)
        return -1;
    if (!WithinSnapPixels(best->x, best->y, xd, yd))
        return 0;
    x = best->x;
    y = best->y;
    return best->kind;
}

bool COrvikCadView::WithinSnapPixels(double x, double y, int xd, int yd) const
{
    const int px = XToDevice(x), py = YToDevice(y);
    if (px == xd && py == yd)
        return true;
    const double dx = double(px) - xd, dy = double(py) - yd;
    return !(std::sqrt(dy * dy + dx * dx) > SnapPixelBound);
}

int COrvikCadView::FindNearestSnapPoint(int xd, int yd, double& x, double& y)
{
    return NearestWithin(xd, yd, x, y, nullptr);
}

int COrvikCadView::FindNearestSnapPointExcept(int xd, int yd, double& x, double& y, const CEntity* except)
{
    // A null entity owns only the sentinel, which never takes part anyway.
    return NearestWithin(xd, yd, x, y, except);
}

int COrvikCadView::FindNearestSnapPointFrom(double& x, double& y, double& bound, const CEntity* except, double px,
                                            double py)
{
    x = 0;
    y = 0;
    COrvikCadDoc* doc = GetDrawing();
    if (!doc)
        return -1;
    double d = 0;
    const SnapPoint* best = doc->snaps.FindNearest(
        px, py, bound, [except](const SnapPoint& p) { return p.state == 0 && p.entity != except; }, &d);
    if (!best)
        return -1;
    bound = d;
    x = best->x;
    y = best->y;
    return best->kind;
}

CEntity* COrvikCadView::FindNearestSelectedSnapPoint(int xd, int yd, double& x, double& y, int& kind)
{
    x = 0;
    y = 0;
    COrvikCadDoc* doc = GetDrawing();
    if (!doc)
        return nullptr;
    const double mx = XToModel(xd), my = YToModel(yd);
    const SnapPoint* best = doc->snaps.FindNearest(mx, my, SelectedModelBound, [](const SnapPoint& p) {
        if (p.state != 0 || !p.entity || p.entity->state != EntityState::Selected)
            return false;
        if (p.kind == SnapKind::Point || p.kind == SnapKind::ArcQuadrant || p.kind == SnapKind::Intersection)
            return false;
        return !(p.entity->owner && p.entity->owner->type == EntityType::Dimension);
    });
    if (!best || !WithinSnapPixels(best->x, best->y, xd, yd))
        return nullptr;
    x = best->x;
    y = best->y;
    kind = best->kind;
    return best->entity;
}

int COrvikCadView::GetSnapPoint(const CEntity* entity, int kind, double& x, double& y)
{
    COrvikCadDoc* doc = GetDrawing();
    if (!doc || !entity)
        return 1;
    // The entity's nodes come latest first: keep the earliest match.
    const SnapPoint* found = nullptr;
    for (const SnapPoint* p = doc->snaps.EntityPoints(entity); p; p = p->nextOfEntity)
        if (p->state == 0 && p->kind == kind)
            found = p;
    if (!found)
        return 1;
    x = found->x;
    y = found->y;
    return 0;
}

COLORREF COrvikCadView::GetStateColor(int state, COLORREF own) const
{
    switch (state) {
    case -1:
        return colors[0];
    case 0:
        return own;
    case 1:
        return colors[2];
    case 2:
        return colors[6];
    case 3:
    case 4:
        return SelectionColour;
    case 5:
        return colors[3];
    default:
        return own;
    }
}

void COrvikCadView::GripSquare(platform::Dc& dc, double x, double y, COLORREF fill)
{
    const platform::Point p = ToPixel(x, y);
    const platform::Pen oldPen = dc.SelectPen(platform::Pen::Make(platform::PenStyle::Solid, 1, 0x000000));
    const platform::Brush oldBrush = dc.SelectBrush(platform::Brush::Solid(fill));
    dc.Rectangle(p.x - 3, p.y - 3, p.x + 3, p.y + 3);
    dc.SelectBrush(oldBrush);
    dc.SelectPen(oldPen);
}

void COrvikCadView::DrawGrip(platform::Dc& dc, double x, double y)
{
    GripSquare(dc, x, y, GripColour);
}

void COrvikCadView::DrawMidpointGrip(const CEntity* entity, platform::Dc& dc)
{
    double x = 0, y = 0;
    if (GetSnapPoint(entity, SnapKind::LineMidpoint, x, y) == 0)
        GripSquare(dc, x, y, MidpointGripColour);
}

void COrvikCadView::DrawGrips(platform::Dc& dc, const CEntity* entity)
{
    COrvikCadDoc* doc = GetDrawing();
    if (!doc || !entity)
        return;
    std::vector<const SnapPoint*> points;
    for (const SnapPoint* p = doc->snaps.EntityPoints(entity); p; p = p->nextOfEntity)
        if (p->state == 0 && p->kind != SnapKind::ArcQuadrant && p->kind != SnapKind::Intersection)
            points.push_back(p);
    std::sort(points.begin(), points.end(), [](const SnapPoint* a, const SnapPoint* b) { return a->order < b->order; });
    for (const SnapPoint* p : points)
        GripSquare(dc, p->x, p->y, GripColour);
}
