#pragma once
// Raster images: reading BMP, JPEG, PNG, GIF and TIFF files, and writing them
// in the format the file name's extension asks for (any case).

#include <QByteArray>
#include <QImage>
#include <QString>

namespace platform {

enum class ImageFormat { Unknown, Bmp, Jpeg, Png, Gif, Tiff };

// The format of a file name's extension: .bmp, .jpg/.jpeg/.jpe, .png, .gif,
// .tif/.tiff, in any case.
ImageFormat imageFormatForPath(const QString& path);

// Reads an image file (format recognised from the content). Null image on
// failure, with a reason in error when given.
QImage readImage(const QString& path, QString* error = nullptr);
// Width and height of an image file without decoding it; invalid size on
// failure.
QSize imageFileSize(const QString& path);
// Bits per pixel of an image file as its reader reports the pixel format,
// without decoding: 16 (RGB 555 or 565), 24 (RGB), 32 (RGB or ARGB), 8
// (indexed); 0 for any other format or a file that cannot be read.
int imageFileDepth(const QString& path);

// Encodes image in format. GIF is quantised to at most 256 colours.
// Empty on failure.
QByteArray encodeImage(const QImage& image, ImageFormat format, int jpegQuality = 90);
// Writes image to path in the format of its extension, atomically. False
// for an unknown extension, a null image or a failed write.
bool writeImage(const QImage& image, const QString& path);

// GIF encoding through giflib (Qt writes no GIF). Empty on failure.
QByteArray encodeGif(const QImage& image);

} // namespace platform
