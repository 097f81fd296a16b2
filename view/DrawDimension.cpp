// EntityRenderer: the dimension drawer and the terminators (dots and barbs)
// on the ends of dimensions and leaders. A dimension's lines and texts are
// member entities drawn by their own drawers; the record adds only its marks.

#include "view/EntityRenderer.h"

#include "model/DimensionMarks.h"

#include "model/Settings.h"

#include <algorithm>
#include <cmath>

namespace {

// Degrees to radians as the barbs have always been turned: barbs open at
// 149.05 and 29.81 degrees, the same on screen, on paper and on a plotter.
constexpr double BarbRadiansPerDegree = 3.1215926 / 180.0;

int SizeIndex(int i)
{
    return std::clamp(i, 0, 4);
}

int TruncPixels(double v)
{
    if (!(std::fabs(v) < 2e9))
        return v > 0 ? 2000000000 : v < 0 ? -2000000000 : 0;
    return static_cast<int>(v);
}

// Barb angles by terminator kind, in degrees; count 0 for a dot or none.
int BarbAngles(int kind, double out[2])
{
    switch (kind) {
    case 2:
        out[0] = 150.0;
        return 1;
    case 3:
        out[0] = -150.0;
        out[1] = 150.0;
        return 2;
    case 4:
        out[0] = -30.0;
        out[1] = 30.0;
        return 2;
    default:
        return 0;
    }
}

} // namespace

void EntityRenderer::DrawTerminator(int kind, int dotIndex, int arrowIndex, int state,
                                   COLORREF colour, int penWidth, double tipX, double tipY, double fromX,
                                   double fromY)
{
    if (kind <= 0 || kind > 4)
        return;
    if (!(tipX >= visibleX0 && tipX <= visibleX1 && tipY >= visibleY0 && tipY <= visibleY1))
        return;
    const COLORREF c = GetStateColor(state, colour);
    const platform::Pen oldPen = dc.SelectPen(platform::Pen::Make(platform::PenStyle::Solid, penWidth, c));
    const double z = MappingZoom();
    const platform::Point tip{XToDevice(tipX), YToDevice(tipY)};
    if (kind == 1) {
        double rho = DimDotRadiusTable[SizeIndex(dotIndex)];
        if (dc.IsPrinting())
            rho = z * rho / 3.0;
        const int r = TruncPixels(rho);
        platform::Point a{tip.x - r, tip.y - r}, b{tip.x + r, tip.y + r};
        const platform::Brush oldBrush = dc.SelectBrush(platform::Brush::Solid(c));
        dc.Ellipse(a.x, a.y, b.x, b.y);
        dc.SelectBrush(oldBrush);
    } else {
        double length = DimArrowLengthTable[SizeIndex(arrowIndex)];
        if (dc.IsPrinting())
            length = z * length / 3.0 + static_cast<double>(printerPxPerMm * 0.5f);
        const platform::Point from{XToDevice(fromX), YToDevice(fromY)};
        const double delta = std::atan2(double(tip.y - from.y), double(tip.x - from.x));
        double beta[2];
        const int n = BarbAngles(kind, beta);
        for (int i = 0; i < n; ++i) {
            const double alpha = delta + beta[i] * BarbRadiansPerDegree;
            const float ox = static_cast<float>(length * std::cos(alpha));
            const float oy = static_cast<float>(length * std::sin(alpha));
            platform::Point a = tip;
            platform::Point b{TruncPixels(tip.x + static_cast<double>(ox)), TruncPixels(tip.y + static_cast<double>(oy))};
            dc.MoveTo(a.x, a.y);
            dc.LineTo(b.x, b.y);
        }
    }
    dc.SelectPen(oldPen);
}

void EntityRenderer::DrawTerminatorScaled(int kind, int dotIndex, int arrowIndex, int state, COLORREF colour, int penWidth, double tipX, double tipY,
                                         double fromX, double fromY)
{
    if (kind <= 0 || kind > 4)
        return;
    const COLORREF c = GetStateColor(state, colour);
    const double z = MappingZoom();
    const platform::Point tip{XToDevice(tipX), YToDevice(tipY)};
    const platform::Pen oldPen = dc.SelectPen(platform::Pen::Make(platform::PenStyle::Solid, penWidth, c));
    if (kind == 1) {
        // Millimetres on paper times the zoom, on screen and printer alike:
        // the printer's zoom already counts its pixels per millimetre.
        const int r = TruncPixels(DimDotRadiusTable[SizeIndex(dotIndex)] * z);
        platform::Point a{tip.x - r, tip.y - r}, b{tip.x + r, tip.y + r};
        const platform::Brush oldBrush = dc.SelectBrush(platform::Brush::Solid(c));
        dc.Ellipse(a.x, a.y, b.x, b.y);
        dc.SelectBrush(oldBrush);
    } else {
        const int length = TruncPixels(z * DimScaledArrowLengthTable[SizeIndex(arrowIndex)] + 0.5);
        if (length >= 1) {
            const platform::Point from{XToDevice(fromX), YToDevice(fromY)};
            const double delta = std::atan2(double(tip.y - from.y), double(tip.x - from.x));
            double beta[2];
            const int n = BarbAngles(kind, beta);
            for (int i = 0; i < n; ++i) {
                const double alpha = delta + beta[i] * BarbRadiansPerDegree;
                platform::Point a = tip;
                platform::Point b{TruncPixels(tip.x + length * std::cos(alpha)),
                                  TruncPixels(tip.y + length * std::sin(alpha))};
                dc.MoveTo(a.x, a.y);
                dc.LineTo(b.x, b.y);
            }
        }
    }
    dc.SelectPen(oldPen);
}

void EntityRenderer::DrawDimension(const CEntity* e, int state)
{
    const int drawState = EffectiveState(e, state);
    int penWidth = 0;
    if (dc.IsPrinting())
        penWidth = pens.penWidth[e->style >= 0 && e->style <= 7 ? e->style : 0];
    ForEachDimensionMark(*e, [&](const TerminatorSpec& spec, int termKind, double tx, double ty, double fx,
                                 double fy) {
        if (DimArrowScaleMode == 1)
            DrawTerminatorScaled(termKind, spec.dotSize, spec.arrowSize, drawState, e->colour, penWidth, tx,
                                 ty, fx, fy);
        else
            DrawTerminator(termKind, spec.dotSize, spec.arrowSize, drawState, e->colour, penWidth, tx, ty,
                           fx, fy);
    });
}
