// EntityRenderer: the drawers of points and of the grid.

#include "view/EntityRenderer.h"

#include "model/Document.h"

#include <algorithm>
#include <cmath>

using platform::PenStyle;

namespace {

double Value(const CEntity* e, std::size_t i)
{
    return i < e->values.size() ? e->values[i] : 0.0;
}

int TruncInt(double v)
{
    if (!(std::fabs(v) < 2e9))
        return v > 0 ? 2000000000 : v < 0 ? -2000000000 : 0;
    return static_cast<int>(v);
}

} // namespace

void EntityRenderer::DrawPoint(const CEntity* e, int state)
{
    if (e->values.size() < 2)
        return;
    const double z = MappingZoom(), n = MappingScale();
    const int d = TruncInt(z * 2 * n / n + 0.5);
    if (d <= 0)
        return;
    int r = std::min(d, 2);
    const double x = Value(e, 0), y = Value(e, 1);
    if (!(x >= visibleX0 && x <= visibleX1 && y >= visibleY0 && y <= visibleY1))
        return;

    const Look look = LookOf(e, state);
    platform::Point c{XToDevice(x), YToDevice(y)};
    platform::Point a{c.x - 1, c.y - 1}, b{c.x + 2, c.y + 2};
    if (look.printing) {
        r = TruncInt(z) / 2;
        if (e->subtype == 0) {
            const int big = TruncInt(z) / 3;
            a = {c.x - big, c.y - big};
            b = {c.x + big, c.y + big};
        }
    }
    const platform::Pen oldPen = dc.SelectPen(platform::Pen::Make(PenStyle::Solid, look.width, look.colour));
    const platform::Brush oldBrush = dc.SelectBrush(platform::Brush::Solid(look.colour));
    switch (e->subtype) {
    case 0:
        dc.Ellipse(a.x, a.y, b.x, b.y);
        break;
    case 1:
        dc.Ellipse(c.x - r, c.y - r, c.x + r, c.y + r);
        break;
    case 2:
        dc.Rectangle(c.x - r, c.y - r, c.x + r, c.y + r);
        break;
    default:
        break;
    }
    dc.SelectBrush(oldBrush);
    dc.SelectPen(oldPen);
}

void EntityRenderer::DrawGrid(const CEntity* grid)
{
    const COrvikCadDoc* doc = GetDrawing();
    if (!doc || grid->values.size() < 3)
        return;
    const double p = Value(grid, 2);
    const double z = MappingZoom(), n = MappingScale();
    if (!(p > 0) || !std::isfinite(p) || !(z * p / n + 0.5 >= 2))
        return;
    const double ox = doc->DrawingOrigin[0], oy = doc->DrawingOrigin[1];
    const double nc = std::trunc((areaW / z * n + ox) / p) + 1;
    const double nr = std::trunc((areaH / z * n + oy) / p) + 1;
    const double x0 = std::trunc((scrollX / z * n) / p) * p + ox - nc * p;
    const double y0 = oy - nr * p + std::trunc(((clientH + scrollY) / z * n) / p) * p;
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(nc) || !std::isfinite(nr))
        return;

    // Only the columns and rows that can touch the drawing area: the same
    // positions a walk over all of them would draw.
    constexpr int Slack = 8;
    const int fx = FrameScrollX(), fy = FrameScrollY();
    const double left = XToModel(-Slack + fx), right = XToModel(std::max(areaW, clientW + fx) + Slack);
    const double top = YToModel(-Slack + fy), bottom = YToModel(std::max(areaH, clientH + fy) + Slack);
    const double jFirst = std::max(0.0, std::floor((left - x0) / p) - 1);
    const double jLast = std::min(2 * nc, std::ceil((right - x0) / p) + 1);
    const double iFirst = std::max(0.0, std::floor((bottom - y0) / p) - 1);
    const double iLast = std::min(nr, std::ceil((top - y0) / p) + 1);
    if (jFirst > jLast || iFirst > iLast)
        return;
    std::vector<int> cols, rows;
    for (double j = jFirst; j <= jLast; ++j) {
        cols.push_back(XToDevice(x0 + j * p));
    }
    for (double i = iFirst; i <= iLast; ++i) {
        rows.push_back(YToDevice(y0 + i * p));
    }

    const int kind = grid->style % 100, lineType = grid->style / 100;
    const COLORREF colour = colors[1];
    dc.SetBkMode(platform::BkMode::Transparent);
    switch (kind) {
    case 0: {
        const PenStyle style = lineType >= 0 && lineType <= 4 ? PenStyleByLineType[lineType] : PenStyle::Solid;
        const platform::Pen old = dc.SelectPen(platform::Pen::Make(style, 1, colour));
        for (int yd : rows) {
            dc.MoveTo(0, yd);
            dc.LineTo(areaW, yd);
        }
        for (int xd : cols) {
            dc.MoveTo(xd, 0);
            dc.LineTo(xd, areaH);
        }
        dc.SelectPen(old);
        break;
    }
    case 1: {
        const platform::Pen oldPen = dc.SelectPen(platform::Pen::Make(PenStyle::Solid, 1, colour));
        const platform::Brush oldBrush = dc.SelectBrush(platform::Brush::Solid(colour));
        for (int yd : rows)
            for (int xd : cols)
                dc.Rectangle(xd - 1, yd - 1, xd + 1, yd + 1);
        dc.SelectBrush(oldBrush);
        dc.SelectPen(oldPen);
        break;
    }
    case 2: {
        const platform::Pen old = dc.SelectPen(platform::Pen::Make(PenStyle::Solid, 1, colour));
        for (int yd : rows)
            for (int xd : cols) {
                dc.MoveTo(xd - 4, yd);
                dc.LineTo(xd + 5, yd);
                dc.MoveTo(xd, yd - 4);
                dc.LineTo(xd, yd + 5);
            }
        dc.SelectPen(old);
        break;
    }
    default:
        break;
    }
}
