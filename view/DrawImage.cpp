// EntityRenderer: the placed-image drawer. The image file is stretched into
// the entity's rectangle; an image on an off-colour layer is faded, and a
// highlighted or selected one shows as a box in its state colour.

#include "view/EntityRenderer.h"

#include "platform/Encoding.h"
#include "platform/Images.h"

#include <QDateTime>
#include <QFileInfo>

#include <algorithm>
#include <list>

namespace {

// Decoded images by path, kept while the file's size and time stay the same.
class ImageCache {
public:
    QImage Get(const QString& path)
    {
        const QFileInfo info(path);
        if (!info.exists())
            return {};
        const qint64 size = info.size();
        const QDateTime modified = info.lastModified();
        for (auto it = entries.begin(); it != entries.end(); ++it) {
            if (it->path != path)
                continue;
            if (it->size == size && it->modified == modified) {
                entries.splice(entries.begin(), entries, it);
                return entries.front().image;
            }
            entries.erase(it);
            break;
        }
        QImage image = platform::readImage(path);
        if (image.isNull())
            return image;
        entries.push_front({path, size, modified, image});
        if (entries.size() > MaxEntries)
            entries.pop_back();
        return image;
    }

private:
    static constexpr std::size_t MaxEntries = 8;
    struct Entry {
        QString path;
        qint64 size;
        QDateTime modified;
        QImage image;
    };
    std::list<Entry> entries;
};

ImageCache& Images()
{
    static ImageCache cache;
    return cache;
}

} // namespace

void EntityRenderer::DrawImage(const CEntity* e, int state)
{
    if (e->values.size() < 4)
        return;
    const double x1 = e->values[0], y1 = e->values[1], x2 = e->values[2], y2 = e->values[3];
    if (!(std::min(x1, x2) <= visibleX1 && std::max(x1, x2) >= visibleX0 && std::min(y1, y2) <= visibleY1 &&
          std::max(y1, y2) >= visibleY0))
        return;
    const platform::Point a = ToPixel(x1, y1), b = ToPixel(x2, y2);
    const int drawState = EffectiveState(e, state);
    if (drawState != 0 && drawState != 2) {
        const COLORREF colour = GetStateColor(drawState, e->colour);
        const platform::Pen oldPen = dc.SelectPen(platform::Pen::Make(platform::PenStyle::Solid, 1, colour));
        const platform::Brush oldBrush = dc.SelectBrush(platform::Brush::Solid(colour));
        dc.Rectangle(a.x, a.y, b.x, b.y);
        dc.SelectBrush(oldBrush);
        dc.SelectPen(oldPen);
    } else {
        const QImage image = Images().Get(FromCp932(e->text));
        if (!image.isNull()) {
            const platform::Rect dest{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
            if (drawState == 2)
                dc.DrawImage(dest, image, 0.8f, 0.4f);
            else
                dc.DrawImage(dest, image);
        }
    }
    if (e->state == EntityState::Selected)
        DrawGrips(e);
}
