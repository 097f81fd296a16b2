// COrvikCadView: which entity lies under a click, and the grid points.

#include "view/OrvikCadView.h"

#include "model/EntityPicker.h"
#include "model/PickGeometry.h"
#include "model/Document.h"
#include "model/GeometryLines.h"

#include <cmath>

CEntity* COrvikCadView::PickEntity(int filter, int xd, int yd, double& x, double& y)
{
    x = y = 0.0;
    COrvikCadDoc* doc = GetDrawing();
    if (!doc)
        return nullptr;
    int sensitivity = doc->parameters.GridSensitivity;
    if (sensitivity == 0)
        sensitivity = 1;
    const float pixels = doc->parameters.DefaultGridPitch / static_cast<float>(sensitivity);
    const int aperture = std::isfinite(pixels) && std::fabs(pixels) < 1e9f ? static_cast<int>(pixels) : 0;

    PickQuery q;
    q.mx = XToModel(xd);
    q.my = YToModel(yd);
    q.ap = aperture / MappingZoom() * MappingScale();
    q.best = 1000.0 / MappingZoom() * MappingScale();
    q.filter = filter;
    q.currentLayerOnly = pickCurrentLayerOnly != 0;
    q.currentLayer = currentLayer;
    q.layerState = layerState.data();
    q.originX = doc->DrawingOrigin[0];
    q.originY = doc->DrawingOrigin[1];
    return picker.Pick(doc->list, q, x, y);
}

int COrvikCadView::PickGridPoint(const CEntity* grid, double& x, double& y, double mx, double my, double ap)
{
    x = y = 0.0;
    COrvikCadDoc* doc = GetDrawing();
    if (!grid || !doc)
        return 0;
    return GridPointNear(*grid, doc->DrawingOrigin[0], doc->DrawingOrigin[1], mx, my, ap, x, y);
}

const CEntity* COrvikCadView::GridRecord()
{
    COrvikCadDoc* doc = GetDrawing();
    if (!doc)
        return nullptr;
    for (const CEntity* e = doc->list.first; e; e = e->next)
        if (e->type == EntityType::Grid)
            return e;
    return nullptr;
}

int COrvikCadView::SnapToGrid(double& x, double& y, double& distance, double mx, double my)
{
    return SnapToGrid(GridRecord(), x, y, distance, mx, my);
}

int COrvikCadView::SnapToGrid(const CEntity* grid, double& x, double& y, double& distance, double mx, double my)
{
    x = mx;
    y = my;
    distance = 0.0;
    COrvikCadDoc* doc = GetDrawing();
    if (!doc)
        return 0;
    if (!grid || grid->subtype == 0 || grid->values.size() < 3)
        return 0;
    const double g = grid->values[2];
    if (!(g > 0.0) || !std::isfinite(g))
        return 0;
    const double ox = doc->DrawingOrigin[0], oy = doc->DrawingOrigin[1];
    const double gx = ox + NearestGridStep(mx - ox, g) * g;
    const double gy = oy + NearestGridStep(my - oy, g) * g;
    distance = PointDistance(mx, my, gx, gy).distance;
    x = gx;
    y = gy;
    return 1;
}
