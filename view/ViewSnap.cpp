// COrvikCadView: the snap searches.

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
    return EntityRenderer::SnapPointOf(GetDrawing(), entity, kind, x, y);
}

COLORREF COrvikCadView::GetStateColor(int state, COLORREF own) const
{
    return EntityRenderer::StateColour(colors, state, own);
}
