// GIF encoding with giflib: the image is reduced to a palette of at most 256
// colours (exact when it has no more, otherwise by Qt's quantiser with
// error diffusion) and written as one frame.
#include "platform/Images.h"

#include <gif_lib.h>

#include <vector>

namespace platform {

namespace {

int appendToBuffer(GifFileType* gif, const GifByteType* data, int length)
{
    auto* out = static_cast<QByteArray*>(gif->UserData);
    out->append(reinterpret_cast<const char*>(data), length);
    return length;
}

} // namespace

QByteArray encodeGif(const QImage& image)
{
    if (image.isNull()) {
        return {};
    }
    QImage opaque = image.convertToFormat(QImage::Format_RGB32);
    QImage indexed = opaque.convertToFormat(QImage::Format_Indexed8, Qt::AutoColor | Qt::DiffuseDither);
    if (indexed.isNull()) {
        return {};
    }
    QList<QRgb> table = indexed.colorTable();
    if (table.isEmpty() || table.size() > 256) {
        return {};
    }
    int bits = 1;
    while ((1 << bits) < table.size()) {
        ++bits;
    }
    std::vector<GifColorType> colors(static_cast<size_t>(1) << bits, GifColorType{0, 0, 0});
    for (qsizetype i = 0; i < table.size(); ++i) {
        colors[static_cast<size_t>(i)] = GifColorType{static_cast<GifByteType>(qRed(table[i])),
                                                      static_cast<GifByteType>(qGreen(table[i])),
                                                      static_cast<GifByteType>(qBlue(table[i]))};
    }

    QByteArray out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, appendToBuffer, &error);
    if (!gif) {
        return {};
    }
    ColorMapObject* map = GifMakeMapObject(static_cast<int>(colors.size()), colors.data());
    bool ok = map != nullptr;
    ok = ok && EGifPutScreenDesc(gif, indexed.width(), indexed.height(), bits, 0, map) == GIF_OK;
    ok = ok && EGifPutImageDesc(gif, 0, 0, indexed.width(), indexed.height(), false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < indexed.height(); ++y) {
        ok = EGifPutLine(gif, const_cast<GifPixelType*>(indexed.constScanLine(y)), indexed.width()) == GIF_OK;
    }
    if (EGifCloseFile(gif, &error) != GIF_OK) {
        ok = false;
    }
    if (map) {
        GifFreeMapObject(map);
    }
    return ok ? out : QByteArray();
}

} // namespace platform
