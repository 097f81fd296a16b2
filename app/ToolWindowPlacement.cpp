#include "app/ToolWindowPlacement.h"

#include <QApplication>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace {

constexpr int Gap = 4;

// A rectangle of the same size moved inside the area as far as it fits.
QRect MovedInside(QRect r, const QRect& area)
{
    r.moveLeft(std::max(area.left(), std::min(r.left(), area.right() - r.width() + 1)));
    r.moveTop(std::max(area.top(), std::min(r.top(), area.bottom() - r.height() + 1)));
    return r;
}

// The height of a window's title bar: what the window manager put above it,
// or at least the style's guess (before the window manager has framed it, or
// where there is none).
int TitleHeight(const QWidget* w)
{
    const int framed = w->geometry().top() - w->frameGeometry().top();
    return std::max(framed, QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight));
}

// The window's client with its title bar above.
QRect FrameRect(const QWidget* w)
{
    return w->geometry().adjusted(0, -TitleHeight(w), 0, 0);
}

// Moves a window so that its frame takes the rectangle (the client keeps its
// place under the title bar); the height changes only when asked.
void MoveFrameTo(QWidget* w, const QRect& frame)
{
    const QRect before = FrameRect(w);
    const QRect g = w->geometry();
    const int dx = frame.left() - before.left(), dy = frame.top() - before.top();
    const int dh = frame.height() - before.height();
    if (dx == 0 && dy == 0 && dh == 0)
        return;
    w->setGeometry(g.left() + dx, g.top() + dy, g.width(), g.height() + dh);
}

} // namespace

ToolWindowRects PlaceToolWindows(const QRect& area, QRect palette, QRect layerList, int minLayerHeight)
{
    const QRect inner = area.adjusted(Gap, Gap, -Gap, -Gap);
    if (!area.contains(palette))
        palette = MovedInside(palette, inner);
    if (layerList.isNull())
        return {palette, layerList};
    if (area.contains(layerList) && !layerList.intersects(palette))
        return {palette, layerList};

    // Below the palette when there is room (shortened if need be), else to
    // its right, else at the area's left, over the drawing only.
    const int below = palette.bottom() + 1 + Gap;
    const int roomBelow = inner.bottom() - below + 1;
    if (roomBelow >= minLayerHeight) {
        layerList.moveTo(palette.left(), below);
        layerList.setHeight(std::min(layerList.height(), roomBelow));
    } else if (palette.right() + Gap + layerList.width() <= inner.right()) {
        layerList.moveTo(palette.right() + 1 + Gap, palette.top());
        layerList.setHeight(std::min(layerList.height(), inner.height()));
    } else {
        layerList = MovedInside(layerList, inner);
    }
    return {palette, layerList};
}

void ArrangeToolWindows(QWidget* area, QWidget* palette, QWidget* layerList)
{
    if (!area || !area->isVisible() || area->width() <= 0 || area->height() <= 0)
        return;
    const QRect areaRect(area->mapToGlobal(QPoint(0, 0)), area->size());
    const QRect p = palette ? FrameRect(palette) : QRect();
    const QRect l = layerList ? FrameRect(layerList) : QRect();
    const int minLayer = layerList ? layerList->minimumHeight() + TitleHeight(layerList) : 0;
    if (palette) {
        const ToolWindowRects placed = PlaceToolWindows(areaRect, p, l, minLayer);
        MoveFrameTo(palette, placed.palette);
        if (layerList)
            MoveFrameTo(layerList, placed.layerList);
    } else if (layerList) {
        MoveFrameTo(layerList, PlaceToolWindows(areaRect, l, QRect(), 0).palette);
    }
}
