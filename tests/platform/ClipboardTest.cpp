#include "platform/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

using namespace platform;

TEST(Clipboard, DrawingGoesAsMetafileAndPng)
{
    QByteArray emf("\x01\x00\x00\x00 fake metafile bytes", 24);
    QImage rendering(20, 10, QImage::Format_RGB32);
    rendering.fill(Qt::red);
    ASSERT_TRUE(putDrawingOnClipboard(emf, rendering));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->data(QStringLiteral("image/x-emf")), emf);
    EXPECT_EQ(emfFromClipboard(), emf);
    QImage png = QImage::fromData(data->data(QStringLiteral("image/png")), "PNG");
    EXPECT_EQ(png.size(), QSize(20, 10));
    EXPECT_EQ(png.pixel(3, 3) & 0xFFFFFF, 0xFF0000u);
    EXPECT_TRUE(data->hasImage());

    EXPECT_FALSE(putDrawingOnClipboard(QByteArray(), QImage()));
}
