#pragma once
// Which of the program's own cursor pictures a widget shows.

#include "resources/Strings.h"

#include <QCursor>
#include <QImage>
#include <QPixmap>
#include <QString>

// True when `cursor` is the resource picture `id` with its hot spot at the
// cross or the middle of the hand.
inline bool CursorIsPicture(const QCursor& cursor, int id)
{
    InitResources();
    // Through a pixmap like the cursor's, so that half-transparent edge
    // pixels round the same way.
    const QImage want = QPixmap(QStringLiteral(":/orvik/pictures/cur_%1.png").arg(id))
                            .toImage()
                            .convertToFormat(QImage::Format_ARGB32);
    const QImage got = cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    return cursor.shape() == Qt::BitmapCursor && !want.isNull() && got == want &&
           cursor.hotSpot() == QPoint(15, 15);
}
