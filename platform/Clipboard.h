#pragma once
// The clipboard: a drawing goes there as enhanced-metafile bytes together
// with a raster rendering, so that programs that take either can paste it.

#include <QByteArray>
#include <QImage>

namespace platform {

// MIME type under which the metafile bytes are offered.
inline constexpr const char* kEmfMimeType = "image/x-emf";

// Replaces the clipboard's content with the metafile bytes and, when image
// is not null, the image (offered as PNG and Qt's image type). False when
// there is nothing to put there.
bool putDrawingOnClipboard(const QByteArray& emf, const QImage& rendering);
// The metafile bytes on the clipboard, empty when there are none.
QByteArray emfFromClipboard();

} // namespace platform
