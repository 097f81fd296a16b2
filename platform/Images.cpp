#include "platform/Images.h"

#include "platform/Files.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

namespace platform {

ImageFormat imageFormatForPath(const QString& path)
{
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == QLatin1String("bmp")) {
        return ImageFormat::Bmp;
    }
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg") || ext == QLatin1String("jpe")) {
        return ImageFormat::Jpeg;
    }
    if (ext == QLatin1String("png")) {
        return ImageFormat::Png;
    }
    if (ext == QLatin1String("gif")) {
        return ImageFormat::Gif;
    }
    if (ext == QLatin1String("tif") || ext == QLatin1String("tiff")) {
        return ImageFormat::Tiff;
    }
    return ImageFormat::Unknown;
}

QImage readImage(const QString& path, QString* error)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull() && error) {
        *error = reader.errorString();
    }
    return image;
}

QSize imageFileSize(const QString& path)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.size();
}

int imageFileDepth(const QString& path)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead())
        return 0;
    switch (reader.imageFormat()) {
    case QImage::Format_RGB16:
    case QImage::Format_RGB555:
        return 16;
    case QImage::Format_RGB888:
    case QImage::Format_BGR888:
        return 24;
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return 32;
    case QImage::Format_Indexed8:
        return 8;
    default:
        return 0;
    }
}

QByteArray encodeImage(const QImage& image, ImageFormat format, int jpegQuality)
{
    if (image.isNull()) {
        return {};
    }
    const char* name = nullptr;
    switch (format) {
    case ImageFormat::Bmp: name = "bmp"; break;
    case ImageFormat::Jpeg: name = "jpeg"; break;
    case ImageFormat::Png: name = "png"; break;
    case ImageFormat::Tiff: name = "tiff"; break;
    case ImageFormat::Gif: return encodeGif(image);
    case ImageFormat::Unknown: return {};
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, name);
    if (format == ImageFormat::Jpeg) {
        writer.setQuality(jpegQuality);
    }
    // JPEG and BMP hold no transparency: flatten onto white.
    QImage out = image;
    if ((format == ImageFormat::Jpeg || format == ImageFormat::Bmp) && image.hasAlphaChannel()) {
        out = QImage(image.size(), QImage::Format_RGB32);
        out.fill(Qt::white);
        QPainter painter(&out);
        painter.drawImage(0, 0, image);
    }
    if (!writer.write(out)) {
        return {};
    }
    return bytes;
}

bool writeImage(const QImage& image, const QString& path)
{
    QByteArray bytes = encodeImage(image, imageFormatForPath(path));
    if (bytes.isEmpty()) {
        return false;
    }
    return saveFileAtomically(path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

} // namespace platform
