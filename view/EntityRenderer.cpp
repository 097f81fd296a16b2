// EntityRenderer: the passes over a drawing, the dispatch to the drawers,
// how an entity looks (state, colour, pen), printed widths and outlines, and
// the grips of selected entities.

#include "view/EntityRenderer.h"

#include "model/DefaultPalette.h"
#include "model/Document.h"
#include "model/Settings.h"
#include "model/SnapPointList.h"

#include <algorithm>
#include <cmath>

using platform::PenStyle;

const PenStyle PenStyleByLineType[5] = {PenStyle::Solid, PenStyle::Dot, PenStyle::Dash, PenStyle::DashDot,
                                        PenStyle::DashDotDot};

namespace {

constexpr COLORREF SelectionColour = 0x01000011;  // entry 17 of the default palette
constexpr COLORREF GripColour = 0x00FF00;
constexpr COLORREF MidpointGripColour = 0xFF80FF;

int PrintedPixels(float pxPerMm, float mm)
{
    const float product = pxPerMm * mm;
    const double v = static_cast<double>(product) + 0.5;
    return std::isfinite(v) && std::fabs(v) < 1e9 ? static_cast<int>(v) : 0;
}

} // namespace

EntityRenderer::EntityRenderer(platform::Dc& dc, const ViewMapping& mapping, const RenderSettings& settings,
                               const COrvikCadDoc* doc)
    : dc(dc), map(mapping), settings(settings), doc(doc), mapScale(mapping.MappingScale()),
      mapZoom(mapping.MappingZoom()), scrollX(mapping.scrollX), scrollY(mapping.scrollY), clientW(mapping.clientW),
      clientH(mapping.clientH), areaW(mapping.areaW), areaH(mapping.areaH), colors(this->settings.colors),
      layerState(this->settings.layerState), currentLayer(settings.currentLayer),
      printerPxPerMm(settings.printerPxPerMm), printing(settings.printing), exporting(settings.exporting)
{
    const ViewMapping::Rect visible = mapping.VisibleRect();
    visibleX0 = visible.x0;
    visibleY0 = visible.y0;
    visibleX1 = visible.x1;
    visibleY1 = visible.y1;
    for (int i = 0; i < 8; ++i)
        pens.penWidth[i] = PrintedPixels(printerPxPerMm, PenWidths[i]);
    for (int i = 0; i < 3; ++i)
        pens.thickWidth[i] = PrintedPixels(printerPxPerMm, ThickLineWidths[i]);
    const double m = std::isfinite(printerPxPerMm) ? std::trunc(double(printerPxPerMm)) : 1.0;
    pens.dashUnit = m >= 1 && m < 1e6 ? static_cast<int>(m) : 1;
}

// ---- passes ----

void EntityRenderer::DrawPass(const std::vector<CEntity*>& entities, int pass)
{
    for (CEntity* e : entities) {
        if (e->type == EntityType::Grid) {
            if (pass == 0 && e->subtype != 0 && !printing && !exporting)
                DrawGrid(e);
            continue;
        }
        const auto layer = static_cast<uint16_t>(e->layer);
        if (pass == 0) {
            if (layer == currentLayer || layer > 127 || (layerState[layer] != 1 && layerState[layer] != 2))
                continue;
        } else if (layer != currentLayer || layer > 127) {
            continue;
        }
        Dispatch(e, e->state);
    }
}

void EntityRenderer::DrawEntity(CEntity* entity, int state)
{
    if (!entity)
        return;
    if (entity->type == EntityType::Grid) {
        if (entity->subtype != 0 && !printing && !exporting)
            DrawGrid(entity);
        return;
    }
    Dispatch(entity, state);
}

CEntity* EntityRenderer::DrawChain(CEntity* head)
{
    if (!head)
        return nullptr;
    const auto headLayer = static_cast<uint16_t>(head->layer);
    for (CEntity* e = head; e && (e == head || e->owner == head); e = e->next) {
        if (e->type == EntityType::Grid) {
            if (e->subtype != 0 && !printing && !exporting)
                DrawGrid(e);
            continue;
        }
        if (headLayer > 127)
            continue;
        if (headLayer != currentLayer && layerState[headLayer] != 1 && layerState[headLayer] != 2)
            continue;
        Dispatch(e, 0);
    }
    return head;
}

void EntityRenderer::Dispatch(const CEntity* e, int state)
{
    switch (e->type) {
    case EntityType::Point:
        DrawPoint(e, state);
        break;
    case EntityType::Line:
    case EntityType::InfiniteLine:
        DrawLine(e, state);
        break;
    case EntityType::HorizontalInfiniteLine:
    case EntityType::VerticalInfiniteLine:
        DrawAxisLine(e, state);
        break;
    case EntityType::Curve:
        DrawSpline(e, state);
        break;
    case EntityType::FreehandCurve:
        DrawFreeCurve(e, state);
        break;
    case EntityType::Circle:
    case EntityType::Arc:
        DrawCircleOrArc(e, state);
        break;
    case EntityType::Ellipse:
        DrawEllipse(e, state);
        break;
    case EntityType::EllipticArc:
        DrawEllipticArc(e, state);
        break;
    case EntityType::Polygon:
        DrawPolyline(e, state);
        break;
    case EntityType::Text:
        DrawText(e, state);
        break;
    case EntityType::LeaderText:
        DrawLeaderText(e, state);
        break;
    case EntityType::Dimension:
        DrawDimension(e, state);
        break;
    case EntityType::Fill:
        DrawFill(e, state);
        break;
    case EntityType::Hatch:
        DrawHatch(e, state);
        break;
    case EntityType::Image:
        DrawImage(e, state);
        break;
    default:
        // Group headers draw nothing.
        break;
    }
}

// ---- looks, printed widths and patterns ----

int EntityRenderer::PrintedPenWidth(int style) const
{
    const int pen = style % 100;
    return pens.penWidth[pen >= 0 && pen < 8 ? pen : 0];
}

int EntityRenderer::PrintedWidth(int style) const
{
    const int lineType = style / 100;
    if (lineType >= 5 && lineType <= 7)
        return pens.thickWidth[lineType - 5];
    return PrintedPenWidth(style);
}

int EntityRenderer::DashPattern(int lineType, int* runs) const
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

int EntityRenderer::EffectiveState(const CEntity* e, int state) const
{
    const auto layer = static_cast<uint16_t>(e->layer);
    if (state == 0 && layer <= 127 && layer != currentLayer && layerState[layer] == 1)
        return 2;
    return state;
}

namespace {

// An entity's own colour, or a contrasting one where it equals the background.
COLORREF VisibleColour(COLORREF own, COLORREF background)
{
    const COLORREF c = ResolvePaletteColour(own);
    const COLORREF b = ResolvePaletteColour(background);
    if (c != b)
        return own;
    // The same colour as the sheet (a drawing made on a dark sheet): drawn
    // in black or white, whichever stands out; the entity keeps its colour.
    const unsigned light = (b & 0xFF) * 299 + ((b >> 8) & 0xFF) * 587 + ((b >> 16) & 0xFF) * 114;
    return light >= 128000 ? MakeColour(0, 0, 0) : MakeColour(255, 255, 255);
}

} // namespace

COLORREF EntityRenderer::StateColour(const std::array<COLORREF, 7>& colors, int state, COLORREF own)
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

EntityRenderer::Look EntityRenderer::LookOf(const CEntity* e, int state) const
{
    Look look;
    look.state = EffectiveState(e, state);
    look.colour = GetStateColor(look.state, e->colour);
    // Lines, curves, points and texts in the sheet's own colour would not be
    // seen (fills keep theirs: a fill in the sheet's colour masks).
    if (look.state == 0)
        look.colour = VisibleColour(look.colour, colors[0]);
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

void EntityRenderer::StrokePathWithPen(COLORREF colour, int width)
{
    const platform::Pen old = dc.SelectPen(
        platform::Pen::Geometric(PenStyle::Solid, width, colour, platform::PenCap::Flat, platform::PenJoin::Miter));
    dc.StrokePath();
    dc.SelectPen(old);
}

// ---- printed outlines ----

EntityRenderer::PrintedOutline::PrintedOutline(EntityRenderer& renderer, platform::Dc& dc, const Look& look)
    : renderer(renderer), dc(dc), painter(dc), colour(look.colour), width(look.width), keptPen(dc.CurrentPen())
{
    int runs[6];
    const int n = renderer.DashPattern(look.lineType, runs);
    painter.SetPattern(runs, n);
    dc.BeginPath();
}

void EntityRenderer::PrintedOutline::Start(platform::Point p)
{
    painter.Start(p.x, p.y);
}

void EntityRenderer::PrintedOutline::LineTo(platform::Point p)
{
    painter.LineTo(p.x, p.y);
}

void EntityRenderer::PrintedOutline::BezierTo(platform::Point p1, platform::Point p2, platform::Point p3)
{
    painter.PolyBezierTo(p1, p2, p3);
}

void EntityRenderer::PrintedOutline::Finish()
{
    dc.EndPath();
    renderer.StrokePathWithPen(colour, width);
    painter.FreePattern();
    dc.SelectPen(keptPen);
}

// ---- grips ----

int EntityRenderer::SnapPointOf(const COrvikCadDoc* doc, const CEntity* entity, int kind, double& x, double& y)
{
    if (!doc || !entity)
        return 1;
    // The earliest match (the entity's nodes come in chain order).
    for (const SnapPoint& p : doc->snaps.EntityPoints(entity))
        if (p.state == 0 && p.kind == kind) {
            x = p.x;
            y = p.y;
            return 0;
        }
    return 1;
}

void EntityRenderer::GripSquare(double x, double y, COLORREF fill)
{
    const platform::Point p = ToPixel(x, y);
    const platform::Pen oldPen = dc.SelectPen(platform::Pen::Make(platform::PenStyle::Solid, 1, 0x000000));
    const platform::Brush oldBrush = dc.SelectBrush(platform::Brush::Solid(fill));
    dc.Rectangle(p.x - 3, p.y - 3, p.x + 3, p.y + 3);
    dc.SelectBrush(oldBrush);
    dc.SelectPen(oldPen);
}

void EntityRenderer::DrawGrip(double x, double y)
{
    GripSquare(x, y, GripColour);
}

void EntityRenderer::DrawMidpointGrip(const CEntity* entity)
{
    double x = 0, y = 0;
    if (SnapPointOf(doc, entity, SnapKind::LineMidpoint, x, y) == 0)
        GripSquare(x, y, MidpointGripColour);
}

void EntityRenderer::DrawGrips(const CEntity* entity)
{
    if (!doc || !entity)
        return;
    // In chain order, so that overlapping grips are drawn as before.
    for (const SnapPoint& p : doc->snaps.EntityPoints(entity))
        if (p.state == 0 && p.kind != SnapKind::ArcQuadrant && p.kind != SnapKind::Intersection)
            GripSquare(p.x, p.y, GripColour);
}
