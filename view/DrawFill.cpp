// EntityRenderer: the fill drawer. A fill is a closed region painted with a
// solid or hatched brush in the colour of its state, outlined one pixel wide
// in its own outline colour.

#include "view/EntityRenderer.h"

#include "model/FillOutline.h"
#include "view/FillBrush.h"

#include <cstring>

platform::Brush FillBrush(int pattern, COLORREF colour)
{
    using platform::HatchStyle;
    switch (pattern) {
    case 1: return platform::Brush::Hatched(HatchStyle::Horizontal, colour);
    case 2: return platform::Brush::Hatched(HatchStyle::Vertical, colour);
    case 3: return platform::Brush::Hatched(HatchStyle::Cross, colour);
    case 4: return platform::Brush::Hatched(HatchStyle::BackwardDiagonal, colour);
    case 5: return platform::Brush::Hatched(HatchStyle::ForwardDiagonal, colour);
    case 6: return platform::Brush::Hatched(HatchStyle::DiagonalCross, colour);
    default: return platform::Brush::Solid(colour);
    }
}

namespace {

// The outline colour: the low four bytes of the first value's bit pattern.
COLORREF OutlineColour(const CEntity* e)
{
    if (e->values.empty())
        return 0;
    uint64_t bits = 0;
    std::memcpy(&bits, &e->values[0], sizeof bits);
    return static_cast<COLORREF>(bits & 0xFFFFFFFFu);
}

} // namespace

void EntityRenderer::DrawFill(const CEntity* e, int state)
{
    const FillOutline outline = CollectFillOutline(*e);
    // Drawn when its box meets the visible rectangle, so that a region
    // around a zoomed-in view still shows.
    if (!(outline.minX <= visibleX1 && outline.maxX >= visibleX0 && outline.minY <= visibleY1 &&
          outline.maxY >= visibleY0))
        return;
    const int drawState = EffectiveState(e, state);
    const COLORREF colour = GetStateColor(drawState, e->colour);
    // Erasing takes the outline away too.
    const COLORREF outlineColour = drawState == -1 ? colour : OutlineColour(e);
    const platform::Pen oldPen = dc.SelectPen(platform::Pen::Make(platform::PenStyle::Solid, 1, outlineColour));
    const platform::Brush oldBrush = dc.SelectBrush(FillBrush(e->style / 100, colour));
    if (outline.circle) {
        const platform::Point a = ToPixel(outline.cx - outline.r, outline.cy + outline.r);
        const platform::Point b = ToPixel(outline.cx + outline.r, outline.cy - outline.r);
        dc.Ellipse(a.x, a.y, b.x, b.y);
    } else if (!outline.points.empty()) {
        std::vector<platform::Point> pixels;
        pixels.reserve(outline.points.size());
        for (const GeoPoint& p : outline.points)
            pixels.push_back(ToPixel(p.x, p.y));
        dc.Polygon(pixels);
    }
    dc.SelectBrush(oldBrush);
    dc.SelectPen(oldPen);
}
