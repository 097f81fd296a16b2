#pragma once
// Where the drawing palette and the layer list go when they come up: where
// they were last, unless that would put them outside the drawing area (over
// the bars) or over each other.

#include <QRect>

class QWidget;

struct ToolWindowRects {
    QRect palette;
    QRect layerList;
};

// Frame rectangles (title bar included) in screen coordinates; area is the
// drawing area's. Each keeps its size (the layer list may get shorter to fit,
// not below minLayerHeight); a window that lies wholly inside the area and
// clear of the other stays where it is.
ToolWindowRects PlaceToolWindows(const QRect& area, QRect palette, QRect layerList, int minLayerHeight);

// Moves the two windows (either may be null) by PlaceToolWindows within the
// drawing area widget.
void ArrangeToolWindows(QWidget* area, QWidget* palette, QWidget* layerList);
