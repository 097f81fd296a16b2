// COrvikCadView: painting a drawing. OnDraw runs two passes over the visible
// entities (other layers first, the current layer over them) through an
// entity renderer made with the screen's mapping; a printing DC gets one
// with the page's own mapping, so the screen's mapping is never touched. The
// view's drawers forward to a renderer made for the screen.

#include "view/OrvikCadView.h"

#include "model/DimensionMarks.h"
#include "model/Document.h"
#include "model/Settings.h"

namespace {

// Pixels the drawers may reach beyond an entity's box (thick pens, markers).
constexpr int CullMarginPixels = 8;

} // namespace

RenderSettings COrvikCadView::RenderState() const
{
    RenderSettings s;
    s.colors = colors;
    s.layerState = layerState;
    s.currentLayer = currentLayer;
    s.printerPxPerMm = printerPxPerMm;
    s.printing = printing != 0;
    s.exporting = exporting != 0;
    s.frameScrollX = FrameScrollX();
    s.frameScrollY = FrameScrollY();
    return s;
}

EntityRenderer COrvikCadView::Renderer(platform::Dc& dc) const
{
    return EntityRenderer(dc, Mapping(), RenderState(), GetDrawing());
}

// ---- passes ----

void COrvikCadView::OnDraw(platform::Dc& dc)
{
    COrvikCadDoc* doc = GetDrawing();
    if (!doc)
        return;
    // The scale read-out is set where the drawing's scale changes (update,
    // activation, drawing information); the paint only maps by it.
    scale = doc->header.scale;

    const COLORREF oldBackground = colors[0];
    for (int i = 0; i < 6; ++i)
        colors[i] = doc->DrawingSettingsBlock.DisplayColor(i);
    colors[6] = doc->DrawingSettingsBlock.DisplayColor(7);
    if ((colors[0] != oldBackground || forceErase) && !dc.IsPrinting())
        dc.FillRect(dc.GetClipBox(), platform::Brush::Solid(colors[0]));

    if (dc.IsPrinting()) {
        // The page has its own mapping and printed widths.
        const PrinterSetup page = PrinterMapping(dc);
        printing = 1;
        RenderSettings settings = RenderState();
        settings.printerPxPerMm = page.pxPerMm;
        EntityRenderer renderer(dc, page.mapping, settings, doc);
        VisibleEntities(page.mapping, visibleScratch);
        renderer.DrawPass(visibleScratch, 0);
        renderer.DrawPass(visibleScratch, 1);
        return;
    }
    printing = 0;
    if (doc->list.first) {
        ComputeVisibleRect();
        EntityRenderer renderer = Renderer(dc);
        VisibleEntities(renderer.Mapping(), visibleScratch);
        renderer.DrawPass(visibleScratch, 0);
        renderer.DrawPass(visibleScratch, 1);
    }
    if (ShowDrawingRange || ShowOriginMark)
        DrawRangeAndOrigin(dc);
}

void COrvikCadView::VisibleEntities(const ViewMapping& mapping, std::vector<CEntity*>& out)
{
    COrvikCadDoc* doc = GetDrawing();
    out.clear();
    entityIndex.SetMarkReach(DimArrowScaleMode == 1 ? DimScaledMarkReach * mapping.MappingScale() : 0.0);
    entityIndex.Sync(doc->list);
    const ViewMapping::Rect v = mapping.VisibleRect();
    const double m = CullMarginPixels / mapping.MappingZoom() * mapping.MappingScale();
    const EntityIndex::Box rect{v.x0 - m, v.y0 - m, v.x1 + m, v.y1 + m};
    if (entityIndex.Size() < cullThreshold || entityIndex.Covers(rect)) {
        for (CEntity* e = doc->list.first; e; e = e->next)
            out.push_back(e);
        return;
    }
    entityIndex.Query(rect, out);
}

void COrvikCadView::DrawAll(platform::Dc& dc, int pass)
{
    COrvikCadDoc* doc = GetDrawing();
    if (!doc || !doc->list.first)
        return;
    ComputeVisibleRect();
    EntityRenderer renderer = Renderer(dc);
    VisibleEntities(renderer.Mapping(), visibleScratch);
    renderer.DrawPass(visibleScratch, pass);
}

void COrvikCadView::DrawEntity(platform::Dc& dc, CEntity* entity, int state)
{
    if (!entity)
        return;
    ComputeVisibleRect();
    Renderer(dc).DrawEntity(entity, state);
}

CEntity* COrvikCadView::DrawEntityChain(platform::Dc& dc, CEntity* head)
{
    if (!head)
        return nullptr;
    ComputeVisibleRect();
    return Renderer(dc).DrawChain(head);
}

// ---- the drawers, forwarded ----

void COrvikCadView::Dispatch(platform::Dc& dc, CEntity* e, int state)
{
    Renderer(dc).Dispatch(e, state);
}

void COrvikCadView::DrawPoint(platform::Dc& dc, const CEntity* e, int state)
{
    Renderer(dc).DrawPoint(e, state);
}

void COrvikCadView::DrawGrid(platform::Dc& dc, const CEntity* grid, int /*show*/)
{
    Renderer(dc).DrawGrid(grid);
}

void COrvikCadView::DrawLine(platform::Dc& dc, const CEntity* e, int state)
{
    Renderer(dc).DrawLine(e, state);
}

void COrvikCadView::DrawAxisLine(platform::Dc& dc, const CEntity* e, int state)
{
    Renderer(dc).DrawAxisLine(e, state);
}

void COrvikCadView::DrawSpline(platform::Dc& dc, const CEntity* e, int state)
{
    Renderer(dc).DrawSpline(e, state);
}

void COrvikCadView::DrawFreeCurve(platform::Dc& dc, const CEntity* e, int state)
{
    Renderer(dc).DrawFreeCurve(e, state);
}

void COrvikCadView::DrawCircleOrArc(platform::Dc& dc, const CEntity* e, int state)
{
    Renderer(dc).DrawCircleOrArc(e, state);
}

void COrvikCadView::DrawEllipse(platform::Dc& dc, const CEntity* e, int state)
{
    Renderer(dc).DrawEllipse(e, state);
}

void COrvikCadView::DrawEllipticArc(platform::Dc& dc, const CEntity* e, int state)
{
    Renderer(dc).DrawEllipticArc(e, state);
}

void COrvikCadView::DrawPolyline(platform::Dc& dc, const CEntity* e, int state)
{
    Renderer(dc).DrawPolyline(e, state);
}

void COrvikCadView::DrawText(platform::Dc& dc, const CEntity* e, int state)
{
    Renderer(dc).DrawText(e, state);
}

void COrvikCadView::DrawLeaderText(platform::Dc& dc, const CEntity* e, int state)
{
    Renderer(dc).DrawLeaderText(e, state);
}

void COrvikCadView::DrawDimension(platform::Dc& dc, const CEntity* e, int state)
{
    Renderer(dc).DrawDimension(e, state);
}

void COrvikCadView::DrawTerminator(platform::Dc& dc, int kind, int dotIndex, int arrowIndex, int state,
                                   COLORREF colour, int penWidth, double tipX, double tipY, double fromX,
                                   double fromY)
{
    Renderer(dc).DrawTerminator(kind, dotIndex, arrowIndex, state, colour, penWidth, tipX, tipY, fromX, fromY);
}

void COrvikCadView::DrawTerminatorScaled(platform::Dc& dc, int kind, int dotIndex, int arrowIndex, int state,
                                         COLORREF colour, int penWidth, double tipX, double tipY, double fromX,
                                         double fromY)
{
    Renderer(dc).DrawTerminatorScaled(kind, dotIndex, arrowIndex, state, colour, penWidth, tipX, tipY, fromX,
                                      fromY);
}

void COrvikCadView::DrawFill(platform::Dc& dc, const CEntity* e, int state)
{
    Renderer(dc).DrawFill(e, state);
}

void COrvikCadView::DrawImage(platform::Dc& dc, const CEntity* e, int state)
{
    Renderer(dc).DrawImage(e, state);
}

void COrvikCadView::DrawHatch(platform::Dc& dc, const CEntity* e, int state)
{
    Renderer(dc).DrawHatch(e, state);
}

void COrvikCadView::DrawGrip(platform::Dc& dc, double x, double y)
{
    Renderer(dc).DrawGrip(x, y);
}

void COrvikCadView::DrawMidpointGrip(const CEntity* entity, platform::Dc& dc)
{
    Renderer(dc).DrawMidpointGrip(entity);
}

void COrvikCadView::DrawGrips(platform::Dc& dc, const CEntity* entity)
{
    Renderer(dc).DrawGrips(entity);
}

void COrvikCadView::StrokePathWithPen(platform::Dc& dc, COLORREF colour, int width)
{
    Renderer(dc).StrokePathWithPen(colour, width);
}
