// CLineTool: infinite lines, one per click: horizontal, vertical or at the
// angle of the panel through the clicked point, stored by two far ends.

#include "tools/LineTool.h"

#include "view/OrvikCadView.h"
#include "model/GeometryLines.h"
#include "model/Settings.h"
#include "tools/ToolEdit.h"

#include <cmath>
#include <numbers>

namespace {

// The far ends of an infinite line (the two bounds are not symmetric).
constexpr double FarNegative = -999999.9;
constexpr double FarPositive = 9999999.9;

constexpr double DegToRad = std::numbers::pi / 180.0;

} // namespace

void CLineTool::AddInfiniteLine(COrvikCadView* view, int16_t type, double x1, double y1, double x2, double y2)
{
    EraseMagnetMarker(view);
    ToolEdit edit(view);
    AddLineOfType(edit, type, x1, y1, x2, y2);
}

void CLineTool::ClickHorizontalInfiniteLine(COrvikCadView* view, platform::Point point)
{
    const TakenPoint p = TakePoint(view, point);
    AddInfiniteLine(view, EntityType::HorizontalInfiniteLine, FarNegative, p.y, FarPositive, p.y);
}

void CLineTool::ClickVerticalInfiniteLine(COrvikCadView* view, platform::Point point)
{
    const TakenPoint p = TakePoint(view, point);
    AddInfiniteLine(view, EntityType::VerticalInfiniteLine, p.x, FarNegative, p.x, FarPositive);
}

void CLineTool::ClickObliqueInfiniteLine(COrvikCadView* view, platform::Point point)
{
    const TakenPoint p = TakePoint(view, point);
    double a = InfiniteLineAngle;
    if (a < 0.0)
        a += 360.0;
    // A second point about a screen's width away sets the direction.
    const double reach = 1000.0 / view->MappingZoom() * view->MappingScale();
    const double qx = p.x + reach * std::cos(a * DegToRad);
    const double qy = p.y + reach * std::sin(a * DegToRad);
    const LineResult r = LineFromPoints(p.x, p.y, qx, qy);
    if (r.status != 0)
        return;
    // Flat lines end on two far verticals, steep ones on two far horizontals.
    const bool flat = (a >= 0.0 && a <= 45.0) || (a >= 135.0 && a <= 225.0) || (a >= 315.0 && a <= 360.0);
    const PointResult e1 = flat ? IntersectLines(r.a, r.b, r.c, 1.0, 0.0, -FarNegative)
                                : IntersectLines(r.a, r.b, r.c, 0.0, 1.0, -FarNegative);
    const PointResult e2 = flat ? IntersectLines(r.a, r.b, r.c, 1.0, 0.0, -FarPositive)
                                : IntersectLines(r.a, r.b, r.c, 0.0, 1.0, -FarPositive);
    const GeoPoint end1 = e1.status == 0 ? GeoPoint{e1.x, e1.y} : GeoPoint{p.x, p.y};
    const GeoPoint end2 = e2.status == 0 ? GeoPoint{e2.x, e2.y} : GeoPoint{qx, qy};
    AddInfiniteLine(view, EntityType::InfiniteLine, end1.x, end1.y, end2.x, end2.y);
}
