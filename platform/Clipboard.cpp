#include "platform/Clipboard.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace platform {

bool putDrawingOnClipboard(const QByteArray& emf, const QImage& rendering)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard || (emf.isEmpty() && rendering.isNull())) {
        return false;
    }
    auto* data = new QMimeData;
    if (!emf.isEmpty()) {
        data->setData(QString::fromLatin1(kEmfMimeType), emf);
    }
    if (!rendering.isNull()) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (rendering.save(&buffer, "PNG")) {
            data->setData(QStringLiteral("image/png"), png);
        }
        data->setImageData(rendering);
    }
    clipboard->setMimeData(data);
    return true;
}

QByteArray emfFromClipboard()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    if (!data) {
        return {};
    }
    return data->data(QString::fromLatin1(kEmfMimeType));
}

} // namespace platform
