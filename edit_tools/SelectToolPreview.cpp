// The selection tool's drag outlines: what a move, handle or midpoint drag
// will produce, drawn in the selection colour as a not-XOR figure of the
// tool kit's rubber band while the button is held, and the magnet marker of
// handle and midpoint drags.

#include "edit_tools/SelectTool.h"
#include "model/EntityKinds.h"

#include "edit_tools/SelectToolPreviewShapes.h"
#include "model/Document.h"
#include "model/Settings.h"
#include "model/SplineSamples.h"
#include "view/OrvikCadView.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {


} // namespace

GeoPoint CSelectTool::DragVector(const COrvikCadView* view, platform::Point from, platform::Point to)
{
    return {view->XToModel(to.x) - view->XToModel(from.x), view->YToModel(to.y) - view->YToModel(from.y)};
}

void CSelectTool::DrawDragPreview(COrvikCadView* view, platform::Point point)
{
    if (!view)
        return;
    const COLORREF colour = view->GetStateColor(EntityState::Selected, 0);
    if (m_previewShown == 0) {
        BuildDragOutline(view, point, true);
        const bool curve = m_dragKind == 1 && m_grabbedType == EntityType::Curve;
        m_outline.Paint(view, colour, curve ? platform::Rop2::NotXorPen : platform::Rop2::CopyPen);
    }
    // A move to where the outline stands leaves it as it is.
    if (!(m_previewShown != 0 && m_outline.ShownIn(view) && point.x == m_outlineAt.x && point.y == m_outlineAt.y)) {
        BuildDragOutline(view, point, false);
        m_outline.Show(view, colour);
        m_outlineAt = point;
    }
    m_previewShown = 1;
    if (MagnetEnabled && m_dragKind != 0)
        UpdateMagnetMarker(view, point, m_primary);
}

void CSelectTool::DrawMovePreview(COrvikCadView* view, platform::Point point)
{
    m_dragKind = 0;
    DrawDragPreview(view, point);
}

void CSelectTool::DrawStretchPreview(COrvikCadView* view, platform::Point point)
{
    m_dragKind = 1;
    DrawDragPreview(view, point);
}

void CSelectTool::DrawMidpointDragPreview(COrvikCadView* view, platform::Point point)
{
    m_dragKind = 2;
    DrawDragPreview(view, point);
}

void CSelectTool::EndDragPreview()
{
    m_outline.Erase();
    m_outline.Clear();
}

void CSelectTool::RedrawToolFigures(COrvikCadView* view, platform::Dc& dc)
{
    if (view)
        m_outline.Redraw(view, dc);
}

void CSelectTool::BuildDragOutline(COrvikCadView* view, platform::Point point, bool first)
{
    m_outline.Clear();
    switch (m_dragKind) {
    case 0: {
        const GeoPoint d = first ? GeoPoint{} : DragVector(view, m_dragStart, point);
        BuildMoveOutline(view, d.x, d.y);
        break;
    }
    case 1:
        if (first) {
            // Checked once per drag; the moves then find it in constant time.
            m_reshaped.Clear();
            if (COrvikCadDoc* doc = view->GetDrawing(); doc && EntityIsLinked(doc->list, m_primary))
                m_reshaped.Hold(doc, m_primary);
            BuildStretchOutline(view, X[0], Y[0]);
        }
        else
            BuildStretchOutline(view, view->XToModel(point.x), view->YToModel(point.y));
        break;
    case 2: {
        const GeoPoint d = first ? GeoPoint{} : DragVector(view, m_dragStart, point);
        BuildMidpointOutline(view, d.x, d.y);
        break;
    }
    default:
        break;
    }
}

void CSelectTool::BuildMoveOutline(COrvikCadView* view, double dx, double dy)
{
    COrvikCadDoc* doc = view->GetDrawing();
    if (!doc)
        return;
    for (const CEntity* e = doc->list.first; e; e = e->next) {
        if (e->state != EntityState::Selected)
            continue;
        switch (e->type) {
        case EntityType::Point:
            DrawMovedPointPreview(view, e, dx, dy);
            break;
        case EntityType::Line:
        case EntityType::InfiniteLine:
            DrawMovedLinePreview(view, e, dx, dy);
            break;
        case EntityType::HorizontalInfiniteLine:
        case EntityType::VerticalInfiniteLine:
            DrawMovedInfiniteLinePreview(view, e, dx, dy);
            break;
        case EntityType::Curve:
            DrawMovedSplinePreview(view, e, dx, dy);
            break;
        case EntityType::FreehandCurve:
        case EntityType::Polygon:
            DrawMovedPointListPreview(view, e, dx, dy);
            break;
        case EntityType::Circle:
        case EntityType::Arc:
            DrawMovedCirclePreview(view, e, dx, dy);
            break;
        case EntityType::Ellipse:
            DrawMovedEllipsePreview(view, e, dx, dy);
            break;
        case EntityType::EllipticArc:
            DrawMovedEllipticArcPreview(view, e, dx, dy);
            break;
        case EntityType::Text:
            DrawMovedTextPreview(view, e, dx, dy);
            break;
        case EntityType::LeaderText:
            DrawMovedLeaderTextPreview(view, e, dx, dy);
            break;
        case EntityType::GroupHeader:
            DrawMovedGroupPreview(view, e, dx, dy);
            break;
        case EntityType::Fill:
            DrawMovedFillPreview(view, e, dx, dy);
            break;
        case EntityType::Hatch:
            DrawMovedHatchPreview(view, e, dx, dy);
            break;
        case EntityType::Image:
            DrawMovedImagePreview(view, e, dx, dy);
            break;
        default:
            break;
        }
    }
}

void CSelectTool::BuildStretchOutline(COrvikCadView* view, double mx, double my)
{
    const platform::Point m = PreviewPoint(view, mx, my);
    auto element = [&](int i) { return PreviewPoint(view, X[i], Y[i]); };
    switch (m_grabbedType) {
    case EntityType::Curve: {
        const CEntity* curve = m_reshaped.Get(view->GetDrawing());
        if (!curve)
            return;
        const std::size_t n = ValueCount(*curve) / 2;
        if (n == 0)
            return;
        std::vector<double> xy(curve->values.begin(), curve->values.begin() + static_cast<long>(2 * n));
        const std::size_t k = static_cast<std::size_t>(std::clamp<int>(m_grabbedIndex, 0, static_cast<int>(n) - 1));
        xy[2 * k] = mx;
        xy[2 * k + 1] = my;
        std::vector<platform::Point> points;
        for (const GeoPoint& p : SplineSamplePoints(xy.data(), n))
            points.push_back(PreviewPoint(view, p.x, p.y));
        m_outline.AddPolyline(std::move(points));
        break;
    }
    case EntityType::Arc: {
        const ArcHandleFigure f = ArcHandlePreview({mx, my}, {X[1], Y[1]}, X[2], Y[2], X[3] == 1.0,
                                                   static_cast<int>(Y[3]));
        if (f.lineOnly) {
            m_outline.AddLine(m, element(1));
            break;
        }
        const double rad = 3.14159265358979323846 / 180.0;
        const platform::Point lowLeft = PreviewPoint(view, f.cx - f.r, f.cy - f.r);
        const platform::Point upRight = PreviewPoint(view, f.cx + f.r, f.cy + f.r);
        m_outline.AddArc({std::min(lowLeft.x, upRight.x), std::min(lowLeft.y, upRight.y)},
                         {std::max(lowLeft.x, upRight.x), std::max(lowLeft.y, upRight.y)},
                         PreviewPoint(view, f.cx + f.r * std::cos(f.startDeg * rad), f.cy + f.r * std::sin(f.startDeg * rad)),
                         PreviewPoint(view, f.cx + f.r * std::cos(f.endDeg * rad), f.cy + f.r * std::sin(f.endDeg * rad)));
        break;
    }
    case EntityType::Image: {
        int x1 = m.x, y1 = m.y;
        const platform::Point o = element(1);
        int x2 = o.x, y2 = o.y;
        NormalizeRect(x1, y1, x2, y2);
        m_outline.AddRectangle({x1, y1}, {x2, y2});
        break;
    }
    case EntityType::GroupHeader:
        for (int i = 1; i < std::min(InputPointCount, MaxInputPoints); ++i)
            m_outline.AddLine(m, element(i));
        break;
    case EntityType::Circle:
        m_outline.AddLine(m, element(1));
        m_outline.AddDiameterCircle(m, element(1));
        break;
    default:
        for (int i = 1; i <= std::min(InputPointCount, MaxInputPoints - 1); ++i)
            m_outline.AddLine(m, element(i));
        break;
    }
}

void CSelectTool::BuildMidpointOutline(COrvikCadView* view, double dx, double dy)
{
    if (InputPointCount < 3)
        return;
    m_outline.AddLine(PreviewPoint(view, X[1] + dx, Y[1] + dy), PreviewPoint(view, X[2] + dx, Y[2] + dy));
    for (int i = 3; i + 1 < std::min(InputPointCount, MaxInputPoints); i += 2)
        m_outline.AddLine(PreviewPoint(view, X[i] + dx, Y[i] + dy), PreviewPoint(view, X[i + 1], Y[i + 1]));
}
