// COrvikCadView: erasing an entity's screen area, the drawing-range frame
// and origin mark, and the two circle rubber bands of the tools.

#include "model/EntityBox.h"
#include "view/OrvikCadView.h"
#include "model/Document.h"
#include "model/Settings.h"

#include <algorithm>
#include <cmath>

void COrvikCadView::InvalidateEntity(const CEntity* entity)
{
    if (!entity)
        return;
    // An infinite line crosses the whole view, wherever its stored points lie.
    if (entity->type == EntityType::HorizontalInfiniteLine || entity->type == EntityType::VerticalInfiniteLine ||
        entity->type == EntityType::InfiniteLine) {
        Buffer().InvalidateAll(true);
        update();
        return;
    }
    InvalidateModelBox(EntityScreenBox(*entity));
}

void COrvikCadView::InvalidateModelBox(const ModelBox& box)
{
    if (!box.valid)
        return;
    int x0 = XToDevice(box.minX), y0 = YToDevice(box.minY);
    int x1 = XToDevice(box.maxX), y1 = YToDevice(box.maxY);
    LogicalToDevice(x0, y0);
    LogicalToDevice(x1, y1);
    const platform::Rect r{std::min(x0, x1) - 10, std::min(y0, y1) - 10, std::max(x0, x1) + 10,
                           std::max(y0, y1) + 10};
    Buffer().Invalidate(r, true);
    update();
}

namespace {

// One side of the axis-parallel range frame from (x0, y0) to (x1, y1),
// cut to what can show in a client of w x h pixels. The start moves by
// whole dash periods only, so the dots fall where the uncut line puts them.
void FrameSide(platform::Dc& dc, int x0, int y0, int x1, int y1, int w, int h)
{
    constexpr int Period = 24;   // a multiple of every cosmetic dash period
    constexpr int Margin = 2 * Period;
    auto cut = [&](int& a, int& b, int size) {
        const int dir = b >= a ? 1 : -1;
        const long long lo = -Margin, hi = static_cast<long long>(size) + Margin;
        long long from = a, to = b;
        if (dir > 0 ? (to < lo || from > hi) : (from < lo || to > hi))
            return false;
        if (dir > 0 && from < lo)
            from += ((lo - from) / Period) * Period;
        if (dir < 0 && from > hi)
            from -= ((from - hi) / Period) * Period;
        if (dir > 0 && to > hi)
            to = hi;
        if (dir < 0 && to < lo)
            to = lo;
        a = static_cast<int>(from);
        b = static_cast<int>(to);
        return true;
    };
    if (y0 == y1) {
        if (y0 < -Margin || y0 > h + Margin || !cut(x0, x1, w))
            return;
    } else if (x0 == x1) {
        if (x0 < -Margin || x0 > w + Margin || !cut(y0, y1, h))
            return;
    }
    dc.MoveTo(x0, y0);
    dc.LineTo(x1, y1);
}

} // namespace

void COrvikCadView::DrawRangeAndOrigin(platform::Dc& dc)
{
    COrvikCadDoc* doc = GetDrawing();
    if (!doc)
        return;
    const double ox = doc->DrawingOrigin[0], oy = doc->DrawingOrigin[1];
    const double cx = ox + doc->ExtentsMin[0], cy = oy + doc->ExtentsMin[1];
    const COLORREF rangeColour = doc->DrawingSettingsBlock.DisplayColor(6);

    // Switching the frame off (2) redraws the whole client from a cleared
    // background, so the frame is simply not drawn: painting it over in the
    // background colour would cut whatever lies under it.
    if (ShowDrawingRange == 1) {
        const platform::Pen pen = platform::Pen::Make(platform::PenStyle::Dot, 0, rangeColour);
        const platform::Pen old = dc.SelectPen(pen);
        const platform::BkMode oldMode = dc.SetBkMode(platform::BkMode::Transparent);
        const platform::Point a = ToPixel(cx - ox, cy - oy);
        const platform::Point b = ToPixel(cx + ox, cy + oy);
        // Sides in the order of one walk round the frame; a cut side starts
        // afresh, as GDI lets each LineTo start its own pattern.
        const int w = Buffer().Width() + FrameScrollX(), hgt = Buffer().Height() + FrameScrollY();
        FrameSide(dc, a.x, a.y, b.x, a.y, w, hgt);
        FrameSide(dc, b.x, a.y, b.x, b.y, w, hgt);
        FrameSide(dc, b.x, b.y, a.x, b.y, w, hgt);
        FrameSide(dc, a.x, b.y, a.x, a.y, w, hgt);
        dc.SetBkMode(oldMode);
        dc.SelectPen(old);
    }
    if (ShowOriginMark) {
        const platform::Point p = ToPixel(cx, cy);
        if (ShowOriginMark == 2) {
            // Switching off: only the mark's square is drawn again.
            platform::Point q = p;
            LogicalToDevice(q.x, q.y);
            Buffer().Invalidate({q.x - 15, q.y - 15, q.x + 15, q.y + 15}, true);
            update();
        } else {
            const platform::Pen old = dc.SelectPen(platform::Pen::Make(platform::PenStyle::Dot, 0, rangeColour));
            dc.MoveTo(p.x - 10, p.y);
            dc.LineTo(p.x + 10, p.y);
            dc.MoveTo(p.x, p.y - 10);
            dc.LineTo(p.x, p.y + 10);
            dc.SelectPen(old);
        }
    }
}
