#include "platform/TitleBar.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QWidget>

#include <algorithm>

namespace platform {

int titleBarWidth(const QString& title, int buttons)
{
    // Window managers commonly set titles in bold; measured so, the text
    // has room to spare in a plain face.
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    font.setBold(true);
    const QFontMetrics fm(font);
    const int button = fm.height() + 10;
    return fm.horizontalAdvance(title) + std::max(buttons, 0) * button + 2 * fm.averageCharWidth() + 16;
}

void fitWidthToTitle(QWidget& window, int buttons)
{
    const int need = titleBarWidth(window.windowTitle(), buttons);
    if (window.minimumWidth() == window.maximumWidth()) {
        if (window.width() < need)
            window.setFixedWidth(need);
        return;
    }
    if (window.minimumWidth() < need)
        window.setMinimumWidth(std::min(need, window.maximumWidth()));
    if (window.width() < window.minimumWidth())
        window.resize(window.minimumWidth(), window.height());
}

} // namespace platform
