// COrvikCadView: painting a drawing. OnDraw runs two passes over the list
// (other layers first, the current layer over them), dispatching each entity
// to its drawer; pens, printed widths and dash patterns are resolved once per
// pass.

#include "view/OrvikCadView.h"

#include "view/DashPainter.h"
#include "model/DimensionMarks.h"
#include "model/Document.h"
#include "model/Settings.h"

#include <cmath>

using platform::PenStyle;

const PenStyle PenStyleByLineType[5] = {PenStyle::Solid, PenStyle::Dot, PenStyle::Dash, PenStyle::DashDot,
                                        PenStyle::DashDotDot};

namespace {

// Pixels the drawers may reach beyond an entity's box (thick pens, markers).
constexpr int CullMarginPixels = 8;

int PrintedPixels(float pxPerMm, float mm)
{
    const float product = pxPerMm * mm;
    const double v = static_cast<double>(product) + 0.5;
    return std::isfinite(v) && std::fabs(v) < 1e9 ? static_cast<int>(v) : 0;
}

} // namespace

void COrvikCadView::ResolvePens()
{
    for (int i = 0; i < 8; ++i)
        pens.penWidth[i] = PrintedPixels(printerPxPerMm, PenWidths[i]);
    for (int i = 0; i < 3; ++i)
        pens.thickWidth[i] = PrintedPixels(printerPxPerMm, ThickLineWidths[i]);
    const double m = std::isfinite(printerPxPerMm) ? std::trunc(double(printerPxPerMm)) : 1.0;
    pens.dashUnit = m >= 1 && m < 1e6 ? static_cast<int>(m) : 1;
}

int COrvikCadView::PrintedPenWidth(int style) const
{
    const int pen = style % 100;
    return pens.penWidth[pen >= 0 && pen < 8 ? pen : 0];
}

int COrvikCadView::PrintedWidth(int style) const
{
    const int lineType = style / 100;
    if (lineType >= 5 && lineType <= 7)
        return pens.thickWidth[lineType - 5];
    return PrintedPenWidth(style);
}

int COrvikCadView::DashPattern(int lineType, int* runs) const
{
    const int m = pens.dashUnit;
    switch (lineType) {
    case 1:
        runs[0] = m; runs[1] = m;
        return 2;
    case 2:
        runs[0] = 3 * m; runs[1] = m;
        return 2;
    case 3:
        runs[0] = 3 * m; runs[1] = m; runs[2] = m; runs[3] = m;
        return 4;
    case 4:
        runs[0] = 3 * m;
        for (int i = 1; i < 6; ++i)
            runs[i] = m;
        return 6;
    default:
        return 0;
    }
}

int COrvikCadView::EffectiveState(const CEntity* e, int state) const
{
    const auto layer = static_cast<uint16_t>(e->layer);
    if (state == 0 && layer <= 127 && layer != currentLayer && layerState[layer] == 1)
        return 2;
    return state;
}

COrvikCadView::Look COrvikCadView::LookOf(const platform::Dc& dc, const CEntity* e, int state) const
{
    Look look;
    look.state = EffectiveState(e, state);
    look.colour = GetStateColor(look.state, e->colour);
    look.lineType = e->style / 100;
    look.printing = dc.IsPrinting();
    look.style = look.lineType >= 0 && look.lineType <= 4 ? PenStyleByLineType[look.lineType] : PenStyle::Solid;
    look.lineStyle = look.style;
    if (state == -1)
        look.style = PenStyle::Solid;
    if (look.printing)
        look.width = PrintedWidth(e->style);
    else
        look.width = look.lineType == 5 ? 2 : look.lineType == 6 ? 4 : look.lineType == 7 ? 8 : 0;
    return look;
}

void COrvikCadView::StrokePathWithPen(platform::Dc& dc, COLORREF colour, int width)
{
    const platform::Pen old = dc.SelectPen(
        platform::Pen::Geometric(PenStyle::Solid, width, colour, platform::PenCap::Flat, platform::PenJoin::Miter));
    dc.StrokePath();
    dc.SelectPen(old);
}

// ---- printed outlines ----

COrvikCadView::PrintedOutline::PrintedOutline(COrvikCadView& view, platform::Dc& dc, const Look& look)
    : view(view), dc(dc), painter(dc), colour(look.colour), width(look.width), keptPen(dc.CurrentPen())
{
    int runs[6];
    const int n = view.DashPattern(look.lineType, runs);
    painter.SetPattern(runs, n);
    dc.BeginPath();
}

void COrvikCadView::PrintedOutline::Start(platform::Point p)
{
    painter.Start(p.x, p.y);
}

void COrvikCadView::PrintedOutline::LineTo(platform::Point p)
{
    painter.LineTo(p.x, p.y);
}

void COrvikCadView::PrintedOutline::BezierTo(platform::Point p1, platform::Point p2, platform::Point p3)
{
    painter.PolyBezierTo(p1, p2, p3);
}

void COrvikCadView::PrintedOutline::Finish()
{
    dc.EndPath();
    view.StrokePathWithPen(dc, colour, width);
    painter.FreePattern();
    dc.SelectPen(keptPen);
}

// ---- passes ----

void COrvikCadView::OnDraw(platform::Dc& dc)
{
    COrvikCadDoc* doc = GetDrawing();
    if (!doc)
        return;
    const float s = doc->header.scale;
    scale = s;
    // A drawing window behind the active one repaints too; the read-out
    // stays with the active drawing.
    if (!ActiveView || ActiveView == this)
        ScaleDenominator = ScaleDenominatorFor(s);

    const COLORREF oldBackground = colors[0];
    for (int i = 0; i < 6; ++i)
        colors[i] = doc->DrawingSettingsBlock.DisplayColor(i);
    colors[6] = doc->DrawingSettingsBlock.DisplayColor(7);
    if ((colors[0] != oldBackground || forceErase) && !dc.IsPrinting())
        dc.FillRect(dc.GetClipBox(), platform::Brush::Solid(colors[0]));

    if (dc.IsPrinting()) {
        // The page has its own mapping; the screen's comes back whole
        // afterwards, whatever the page did.
        const PrinterSetup page = PrinterMapping(dc);
        const ViewMapping screen = Mapping();
        const float screenPxPerMm = printerPxPerMm;
        ApplyMapping(page.mapping);
        printerPxPerMm = page.pxPerMm;
        printing = 1;
        DrawAll(dc, 0);
        DrawAll(dc, 1);
        ApplyMapping(screen);
        printerPxPerMm = screenPxPerMm;
        return;
    }
    printing = 0;
    DrawAll(dc, 0);
    DrawAll(dc, 1);
    if (ShowDrawingRange || ShowOriginMark)
        DrawRangeAndOrigin(dc);
}

void COrvikCadView::ApplyMapping(const ViewMapping& m)
{
    scale = m.scale;
    zoom = m.zoom;
    scrollX = m.scrollX;
    scrollY = m.scrollY;
    clientW = m.clientW;
    clientH = m.clientH;
    areaW = m.areaW;
    areaH = m.areaH;
    paperW = m.paperW;
    paperH = m.paperH;
    ComputeVisibleRect();
}

void COrvikCadView::VisibleEntities(std::vector<CEntity*>& out)
{
    COrvikCadDoc* doc = GetDrawing();
    out.clear();
    entityIndex.SetMarkReach(DimArrowScaleMode == 1 ? DimScaledMarkReach * MappingScale() : 0.0);
    entityIndex.Sync(doc->list);
    const double m = CullMarginPixels / MappingZoom() * MappingScale();
    const EntityIndex::Box rect{visibleX0 - m, visibleY0 - m, visibleX1 + m, visibleY1 + m};
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
    ResolvePens();
    VisibleEntities(visibleScratch);
    for (CEntity* e : visibleScratch) {
        if (e->type == EntityType::Grid) {
            if (pass == 0 && e->subtype != 0 && !printing && !exporting)
                DrawGrid(dc, e, e->subtype);
            continue;
        }
        const auto layer = static_cast<uint16_t>(e->layer);
        if (pass == 0) {
            if (layer == currentLayer || layer > 127 || (layerState[layer] != 1 && layerState[layer] != 2))
                continue;
        } else if (layer != currentLayer || layer > 127) {
            continue;
        }
        Dispatch(dc, e, e->state);
    }
}

void COrvikCadView::DrawEntity(platform::Dc& dc, CEntity* entity, int state)
{
    if (!entity)
        return;
    ComputeVisibleRect();
    ResolvePens();
    if (entity->type == EntityType::Grid) {
        if (entity->subtype != 0 && !printing && !exporting)
            DrawGrid(dc, entity, entity->subtype);
        return;
    }
    Dispatch(dc, entity, state);
}

CEntity* COrvikCadView::DrawEntityChain(platform::Dc& dc, CEntity* head)
{
    if (!head)
        return nullptr;
    ComputeVisibleRect();
    ResolvePens();
    const auto headLayer = static_cast<uint16_t>(head->layer);
    for (CEntity* e = head; e && (e == head || e->owner == head); e = e->next) {
        if (e->type == EntityType::Grid) {
            if (e->subtype != 0 && !printing && !exporting)
                DrawGrid(dc, e, e->subtype);
            continue;
        }
        if (headLayer > 127)
            continue;
        if (headLayer != currentLayer && layerState[headLayer] != 1 && layerState[headLayer] != 2)
            continue;
        Dispatch(dc, e, 0);
    }
    return head;
}

void COrvikCadView::Dispatch(platform::Dc& dc, CEntity* e, int state)
{
    switch (e->type) {
    case EntityType::Point:
        DrawPoint(dc, e, state);
        break;
    case EntityType::Line:
    case EntityType::InfiniteLine:
        DrawLine(dc, e, state);
        break;
    case EntityType::HorizontalInfiniteLine:
    case EntityType::VerticalInfiniteLine:
        DrawAxisLine(dc, e, state);
        break;
    case EntityType::Curve:
        DrawSpline(dc, e, state);
        break;
    case EntityType::FreehandCurve:
        DrawFreeCurve(dc, e, state);
        break;
    case EntityType::Circle:
    case EntityType::Arc:
        DrawCircleOrArc(dc, e, state);
        break;
    case EntityType::Ellipse:
        DrawEllipse(dc, e, state);
        break;
    case EntityType::EllipticArc:
        DrawEllipticArc(dc, e, state);
        break;
    case EntityType::Polygon:
        DrawPolyline(dc, e, state);
        break;
    case EntityType::Text:
        DrawText(dc, e, state);
        break;
    case EntityType::LeaderText:
        DrawLeaderText(dc, e, state);
        break;
    case EntityType::Dimension:
        DrawDimension(dc, e, state);
        break;
    case EntityType::Fill:
        DrawFill(dc, e, state);
        break;
    case EntityType::Hatch:
        DrawHatch(dc, e, state);
        break;
    case EntityType::Image:
        DrawImage(dc, e, state);
        break;
    default:
        // Group headers draw nothing.
        break;
    }
}
