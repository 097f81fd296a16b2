#pragma once
// Room for a window's title: the desktop draws the title bar, and cuts a
// title that does not fit the window's width.

#include <QString>

class QWidget;

namespace platform {

// The width a window needs for the desktop to show `title` whole in its title
// bar at the default title font: the text, room for `buttons` title-bar
// buttons (the window's icon counted as one) and the frame's margins.
int titleBarWidth(const QString& title, int buttons = 2);

// Widens window (its minimum width too) to titleBarWidth of its title;
// a window of fixed width is made that much wider.
void fitWidthToTitle(QWidget& window, int buttons = 2);

} // namespace platform
