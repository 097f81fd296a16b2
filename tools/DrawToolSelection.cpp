// The tool base's selection services: the cross marker, the drag rectangle,
// rectangles put in order, selecting what lies inside a model rectangle,
// taking such a selection back, highlighting a dimension's members, and the
// preview of the clicked points.

#include "view/DrawTool.h"

#include "view/OrvikCadView.h"
#include "model/Document.h"
#include "model/SnapPointList.h"
#include "model/Utilities.h"
#include "view/ToolState.h"

#include <algorithm>
#include <utility>

void CDrawTool::DrawCrossMarker(platform::Dc& dc, int x, int y)
{
    dc.MoveTo(x - 4, y);
    dc.LineTo(x + 5, y);
    dc.MoveTo(x, y - 4);
    dc.LineTo(x, y + 5);
}

namespace {

// The rectangle between two view points, in order.
void ViewRect(platform::Point a, platform::Point b, int& x1, int& y1, int& x2, int& y2)
{
    x1 = a.x;
    y1 = a.y;
    x2 = b.x;
    y2 = b.y;
    CDrawTool::NormalizeRect(x1, y1, x2, y2);
}

void DrawRectLines(platform::Dc& dc, int x1, int y1, int x2, int y2)
{
    dc.MoveTo(x1, y1);
    dc.LineTo(x2, y1);
    dc.LineTo(x2, y2);
    dc.LineTo(x1, y2);
    dc.LineTo(x1, y1);
}

} // namespace

void CDrawTool::DrawDragRect(COrvikCadView* view, platform::Point point, int which)
{
    if (!view)
        return;
    auto dc = view->GetClientDc();
    dc->SetRop2(platform::Rop2::NotXorPen);
    const platform::Pen oldPen =
        dc->SelectPen(platform::Pen::Make(platform::PenStyle::Dot, 1, which != 0 ? xorColor : altColor));
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    if (XorPreviewShown == 1) {
        ViewRect(anchor, corner, x1, y1, x2, y2);
        DrawRectLines(*dc, x1, y1, x2, y2);
        corner = point;
    }
    ViewRect(anchor, corner, x1, y1, x2, y2);
    DrawRectLines(*dc, x1, y1, x2, y2);
    XorPreviewShown = 1;
    dc->SelectPen(oldPen);
    dc->SetRop2(static_cast<platform::Rop2>(savedRop2 ? savedRop2 : static_cast<int>(platform::Rop2::CopyPen)));
}

void CDrawTool::NormalizeRect(int& x1, int& y1, int& x2, int& y2)
{
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
}

void CDrawTool::NormalizeWorldRect(double& x1, double& y1, double& x2, double& y2)
{
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
}

int CDrawTool::IsInsideRect(const WorldRect& r, const CEntity* e)
{
    switch (e->type) {
    case EntityType::Point:
        return IsPointInRect(r, e);
    case EntityType::Line:
    case EntityType::Image:
        return IsLineInRect(r, e);
    case EntityType::Curve:
        return IsSplineInRect(r, e);
    case EntityType::FreehandCurve:
    case EntityType::Polygon:
        return IsPointListInRect(r, e);
    case EntityType::Circle:
        return IsCircleInRect(r, e);
    case EntityType::Arc:
        return IsArcInRect(r, e);
    case EntityType::Ellipse:
    case EntityType::EllipticArc:
        return IsEllipseInRect(r, e);
    case EntityType::Text:
        return IsTextInRect(r, CountMbcsChars(e->text), e);
    case EntityType::LeaderText:
        return IsLeaderTextInRect(r, CountMbcsChars(e->text), e);
    case EntityType::Fill:
        return IsHatchInRect(1, r, e);
    case EntityType::Hatch:
        return IsHatchInRect(0, r, e);
    default:
        // The grid, infinite lines, dimensions and group headers are never
        // taken by a rectangle.
        return 0;
    }
}

int CDrawTool::SelectInRect(COrvikCadView* view, double xmin, double ymin, double xmax, double ymax, int state)
{
    COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    if (!doc)
        return 0;
    const WorldRect r{xmin, ymin, xmax, ymax};
    auto dc = view->GetClientDc();
    int any = 0;
    for (CEntity* e = doc->list.first; e; e = e->next) {
        if (e->layer != static_cast<int>(view->currentLayer) || !IsInsideRect(r, e))
            continue;
        any = 1;
        e->state = static_cast<int16_t>(state);
        view->DrawEntity(*dc, e, state);
        CEntity* owner = e->owner;
        if (owner && owner->type == EntityType::Dimension && owner->state == EntityState::Normal) {
            HighlightMembersOn(view, *dc, owner);
            owner->state = static_cast<int16_t>(state);
            view->DrawEntity(*dc, owner, state);
        }
    }
    return any;
}

void CDrawTool::DeselectAll(COrvikCadView* view, int state)
{
    COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    if (!doc)
        return;
    for (CEntity* e = doc->list.first; e; e = e->next) {
        if (e->layer != static_cast<int>(view->currentLayer) || e->state != state)
            continue;
        e->state = EntityState::Normal;
        view->InvalidateEntity(e);
        doc->snaps.SetEntityPointState(e, 0);
    }
}

void CDrawTool::HighlightMembers(COrvikCadView* view, CEntity* owner)
{
    if (!view || !owner)
        return;
    auto dc = view->GetClientDc();
    HighlightMembersOn(view, *dc, owner);
}

void CDrawTool::HighlightMembersOn(COrvikCadView* view, platform::Dc& dc, CEntity* owner)
{
    for (CEntity* e = owner->next; e && e->owner == owner; e = e->next) {
        e->state = EntityState::Highlighted;
        view->DrawEntity(dc, e, EntityState::Highlighted);
    }
}

void CDrawTool::DrawClickedPointsPreview(COrvikCadView* view)
{
    if (!view)
        return;
    const int n = std::min(InputPointCount, MaxInputPoints);
    if (n < 2)
        return;
    auto dc = view->GetClientDc();
    dc->SetRop2(platform::Rop2::NotXorPen);
    const platform::Pen oldPen = dc->SelectPen(platform::Pen::Make(platform::PenStyle::Solid, 1, xorColor));
    for (int i = 0; i + 1 < n; ++i) {
        const platform::Point a = view->ToPixel(X[i], Y[i]);
        const platform::Point b = view->ToPixel(X[i + 1], Y[i + 1]);
        dc->MoveTo(a.x, a.y);
        dc->LineTo(b.x, b.y);
    }
    dc->SelectPen(oldPen);
    dc->SetRop2(static_cast<platform::Rop2>(savedRop2 ? savedRop2 : static_cast<int>(platform::Rop2::CopyPen)));
}
