// The move outline of each entity type: the entity displaced by (dx, dy),
// radii, axes and angles unchanged, added to the drag outline in the pen
// the view draws its line type with.

#include "edit_tools/SelectTool.h"
#include "model/EntityKinds.h"

#include "edit_tools/SelectToolPreviewShapes.h"
#include "model/SplineSamples.h"
#include "view/OrvikCadView.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {



std::pair<platform::PenStyle, int> PenOfLineType(int style)
{
    static constexpr platform::PenStyle styles[] = {platform::PenStyle::Solid, platform::PenStyle::Dot,
                                                    platform::PenStyle::Dash, platform::PenStyle::DashDot,
                                                    platform::PenStyle::DashDotDot};
    const int type = style / 100;
    if (type >= 0 && type <= 4)
        return {styles[type], 1};
    if (type >= 5 && type <= 7)
        return {platform::PenStyle::Solid, 1 << (type - 4)};
    return {platform::PenStyle::Solid, 1};
}

// A cross of three pixels each way about a view point.
void AddCentreCross(RubberBand& band, platform::Point c)
{
    band.AddLine({c.x, c.y - 3}, {c.x, c.y + 3});
    band.AddLine({c.x + 3, c.y}, {c.x - 3, c.y});
}

} // namespace

void CSelectTool::DrawMovedPointPreview(COrvikCadView* view, const CEntity* e, double dx, double dy)
{
    if (ValueCount(*e) < 2)
        return;
    const int type = e->style / 100;
    m_outline.SetPiecePen(platform::PenStyle::Solid, type >= 5 && type <= 7 ? 1 << (type - 4) : 1);
    const platform::Point p = PreviewPoint(view, e->values[0] + dx, e->values[1] + dy);
    m_outline.AddFilledPolygon({{p.x - 1, p.y - 1}, {p.x + 2, p.y - 1}, {p.x + 2, p.y + 2}, {p.x - 1, p.y + 2}});
}

void CSelectTool::DrawMovedLinePreview(COrvikCadView* view, const CEntity* e, double dx, double dy)
{
    if (ValueCount(*e) < 4)
        return;
    const auto& v = e->values;
    const auto pen = PenOfLineType(e->style);
    m_outline.SetPiecePen(pen.first, pen.second);
    m_outline.AddLine(PreviewPoint(view, v[0] + dx, v[1] + dy), PreviewPoint(view, v[2] + dx, v[3] + dy));
}

void CSelectTool::DrawMovedInfiniteLinePreview(COrvikCadView* view, const CEntity* e, double dx, double dy)
{
    if (ValueCount(*e) < 2)
        return;
    m_outline.SetPiecePen(platform::PenStyle::Solid, 1);
    const platform::Point p = PreviewPoint(view, e->values[0] + dx, e->values[1] + dy);
    const int left = view->FrameScrollX(), top = view->FrameScrollY();
    if (e->type == EntityType::HorizontalInfiniteLine)
        m_outline.AddLine({left, p.y}, {left + view->width(), p.y});
    else
        m_outline.AddLine({p.x, top}, {p.x, top + view->height()});
}

void CSelectTool::DrawMovedSplinePreview(COrvikCadView* view, const CEntity* e, double dx, double dy)
{
    const std::size_t n = ValueCount(*e) / 2;
    if (n == 0)
        return;
    std::vector<double> xy(e->values.begin(), e->values.begin() + static_cast<long>(2 * n));
    for (std::size_t i = 0; i < n; ++i) {
        xy[2 * i] += dx;
        xy[2 * i + 1] += dy;
    }
    std::vector<platform::Point> points;
    for (const GeoPoint& p : SplineSamplePoints(xy.data(), n))
        points.push_back(PreviewPoint(view, p.x, p.y));
    const auto pen = PenOfLineType(e->style);
    m_outline.SetPiecePen(pen.first, pen.second);
    m_outline.AddPolyline(std::move(points));
}

void CSelectTool::DrawMovedPointListPreview(COrvikCadView* view, const CEntity* e, double dx, double dy)
{
    const std::size_t n = ValueCount(*e) / 2;
    if (n == 0)
        return;
    std::vector<platform::Point> points;
    points.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        points.push_back(PreviewPoint(view, e->values[2 * i] + dx, e->values[2 * i + 1] + dy));
    const auto pen = PenOfLineType(e->style);
    m_outline.SetPiecePen(pen.first, pen.second);
    m_outline.AddPolyline(std::move(points));
}

void CSelectTool::DrawMovedCirclePreview(COrvikCadView* view, const CEntity* e, double dx, double dy)
{
    double cx = 0, cy = 0, r = 0;
    if (!ByCode(*e, 10, cx) || !ByCode(*e, 20, cy) || !ByCode(*e, 40, r))
        return;
    cx += dx;
    cy += dy;
    double start = 0, end = 0;
    bool full = e->type == EntityType::Circle || !ByCode(*e, 50, start) || !ByCode(*e, 51, end);
    if (!full) {
        const double s = std::trunc(start), t = std::trunc(end);
        full = s == t || (s == 0 && t == 360) || (s == 360 && t == 0);
    }
    const auto pen = PenOfLineType(e->style);
    m_outline.SetPiecePen(pen.first, pen.second);
    if (!e->owner)
        AddCentreCross(m_outline, PreviewPoint(view, cx, cy));
    const platform::Point lowLeft = PreviewPoint(view, cx - r, cy - r), upRight = PreviewPoint(view, cx + r, cy + r);
    const platform::Point topLeft{std::min(lowLeft.x, upRight.x), std::min(lowLeft.y, upRight.y)};
    const platform::Point bottomRight{std::max(lowLeft.x, upRight.x), std::max(lowLeft.y, upRight.y)};
    if (full) {
        m_outline.AddEllipse(topLeft, bottomRight);
        return;
    }
    const double a1 = (e->subtype == 1 ? start : end) * std::numbers::pi / 180.0;
    const double a2 = (e->subtype == 1 ? end : start) * std::numbers::pi / 180.0;
    m_outline.AddArc(topLeft, bottomRight, PreviewPoint(view, cx + r * std::cos(a1), cy + r * std::sin(a1)),
                     PreviewPoint(view, cx + r * std::cos(a2), cy + r * std::sin(a2)));
}

void CSelectTool::DrawMovedEllipsePreview(COrvikCadView* view, const CEntity* e, double dx, double dy)
{
    double cx = 0, cy = 0, a = 0, b = 0, rot = 0;
    if (!ByCode(*e, 10, cx) || !ByCode(*e, 20, cy) || !ByCode(*e, 60, a) || !ByCode(*e, 61, b) ||
        !ByCode(*e, 62, rot))
        return;
    const auto pen = PenOfLineType(e->style);
    m_outline.SetPiecePen(pen.first, pen.second);
    if (!e->owner)
        AddCentreCross(m_outline, PreviewPoint(view, cx + dx, cy + dy));
    std::vector<platform::Point> points;
    for (const GeoPoint& p : EllipsePreviewPoints(cx + dx, cy + dy, a, b, rot))
        points.push_back(PreviewPoint(view, p.x, p.y));
    m_outline.AddPolyline(std::move(points));
}

void CSelectTool::DrawMovedEllipticArcPreview(COrvikCadView* view, const CEntity* e, double dx, double dy)
{
    double cx = 0, cy = 0, a = 0, b = 0, rot = 0, start = 0, end = 0;
    if (!ByCode(*e, 10, cx) || !ByCode(*e, 20, cy) || !ByCode(*e, 60, a) || !ByCode(*e, 61, b) ||
        !ByCode(*e, 62, rot) || !ByCode(*e, 50, start) || !ByCode(*e, 51, end))
        return;
    const std::vector<GeoPoint> arc = EllipticArcPreviewPoints(cx + dx, cy + dy, a, b, rot, start, end);
    if (arc.empty())
        return;
    const auto pen = PenOfLineType(e->style);
    m_outline.SetPiecePen(pen.first, pen.second);
    if (!e->owner)
        AddCentreCross(m_outline, PreviewPoint(view, cx + dx, cy + dy));
    std::vector<platform::Point> points;
    for (const GeoPoint& p : arc)
        points.push_back(PreviewPoint(view, p.x, p.y));
    m_outline.AddPolyline(std::move(points));
}

void CSelectTool::DrawMovedTextPreview(COrvikCadView* view, const CEntity* e, double dx, double dy)
{
    std::array<GeoPoint, 5> box{};
    if (!TextPreviewBox(*e, dx, dy, box))
        return;
    m_outline.SetPiecePen(platform::PenStyle::Solid, 1);
    std::vector<platform::Point> points;
    for (const GeoPoint& p : box)
        points.push_back(PreviewPoint(view, p.x, p.y));
    m_outline.AddPolyline(std::move(points));
}

void CSelectTool::DrawMovedLeaderTextPreview(COrvikCadView* view, const CEntity* e, double dx, double dy)
{
    DrawMovedTextPreview(view, e, dx, dy);
    const std::size_t n = ValueCount(*e);
    if (n < 9)
        return;
    const auto& v = e->values;
    std::vector<platform::Point> leader{PreviewPoint(view, v[5] + dx, v[6] + dy), PreviewPoint(view, v[7] + dx, v[8] + dy)};
    if (n >= 11 && (e->subtype / 10) % 10 != 0)
        leader.push_back(PreviewPoint(view, v[9] + dx, v[10] + dy));
    m_outline.SetPiecePen(platform::PenStyle::Solid, 1);
    m_outline.AddPolyline(std::move(leader));
}

void CSelectTool::DrawMovedGroupPreview(COrvikCadView* view, const CEntity* e, double dx, double dy)
{
    if (e->subtype == 0 || ValueCount(*e) < 2)
        return;
    m_outline.SetPiecePen(platform::PenStyle::Solid, 1);
    AddCentreCross(m_outline, PreviewPoint(view, e->values[0] + dx, e->values[1] + dy));
}

void CSelectTool::DrawMovedFillPreview(COrvikCadView* view, const CEntity* e, double dx, double dy)
{
    // A fill shows its outline, or its first disc when it has none.
    BoundaryPreview b = BoundaryPreviewOf(*e, dx, dy);
    b.discs.resize(b.points.empty() ? std::min<std::size_t>(b.discs.size(), 1) : 0);
    AddBoundaryOutline(view, b);
}

void CSelectTool::DrawMovedHatchPreview(COrvikCadView* view, const CEntity* e, double dx, double dy)
{
    AddBoundaryOutline(view, BoundaryPreviewOf(*e, dx, dy));
}

void CSelectTool::AddBoundaryOutline(COrvikCadView* view, const BoundaryPreview& b)
{
    m_outline.SetPiecePen(platform::PenStyle::Solid, 1);
    for (const auto& d : b.discs) {
        const platform::Point lowLeft = PreviewPoint(view, d[0] - d[2], d[1] - d[2]);
        const platform::Point upRight = PreviewPoint(view, d[0] + d[2], d[1] + d[2]);
        m_outline.AddDisc({lowLeft.x, upRight.y}, {upRight.x, lowLeft.y});
    }
    if (b.points.empty())
        return;
    std::vector<platform::Point> points;
    for (const GeoPoint& p : b.points)
        points.push_back(PreviewPoint(view, p.x, p.y));
    m_outline.AddFilledPolygon(std::move(points));
}

void CSelectTool::DrawMovedImagePreview(COrvikCadView* view, const CEntity* e, double dx, double dy)
{
    if (ValueCount(*e) < 4)
        return;
    const auto& v = e->values;
    const platform::Point a = PreviewPoint(view, v[0] + dx, v[1] + dy), b = PreviewPoint(view, v[2] + dx, v[3] + dy);
    m_outline.SetPiecePen(platform::PenStyle::Solid, 1);
    m_outline.AddFilledPolygon({a, {b.x, a.y}, b, {a.x, b.y}});
}
