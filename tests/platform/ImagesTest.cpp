#include "platform/Images.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace platform;

namespace {

// A small picture with a handful of flat colours, as a screen region of a
// drawing would be.
QImage flatPicture()
{
    QImage image(37, 23, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int x = 0; x < 37; ++x) {
        image.setPixel(x, 5, qRgb(255, 0, 0));
        image.setPixel(x, 17, qRgb(0, 0, 255));
    }
    for (int y = 0; y < 23; ++y) {
        image.setPixel(30, y, qRgb(0, 128, 0));
    }
    return image;
}

bool samePixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if ((a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF)) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

TEST(Images, FormatByExtensionInAnyCase)
{
    struct Case {
        const char* name;
        ImageFormat format;
    };
    for (Case c : {Case{"a.bmp", ImageFormat::Bmp}, Case{"a.BMP", ImageFormat::Bmp}, Case{"a.jpg", ImageFormat::Jpeg},
                   Case{"a.JPEG", ImageFormat::Jpeg}, Case{"x.PNG", ImageFormat::Png}, Case{"b.Gif", ImageFormat::Gif},
                   Case{"c.tif", ImageFormat::Tiff}, Case{"c.TIFF", ImageFormat::Tiff},
                   Case{"/d.png/e", ImageFormat::Unknown}, Case{"f.emf", ImageFormat::Unknown}}) {
        EXPECT_EQ(imageFormatForPath(QString::fromUtf8(c.name)), c.format) << c.name;
    }
}

TEST(Images, WrittenFilesReadBack)
{
    QTemporaryDir dir;
    const QImage picture = flatPicture();
    struct Case {
        const char* name;
        bool lossless;
    };
    for (Case c : {Case{"a.bmp", true}, Case{"a.jpg", false}, Case{"a.png", true}, Case{"x.PNG", true},
                   Case{"a.gif", true}, Case{"a.GIF", true}, Case{"a.tif", true}, Case{"a.TIFF", true},
                   Case{"a.jpeg", false}}) {
        const QString p = dir.path() + u'/' + QString::fromUtf8(c.name);
        ASSERT_TRUE(writeImage(picture, p)) << c.name;
        EXPECT_EQ(imageFileSize(p), picture.size()) << c.name;
        QString error;
        QImage back = readImage(p, &error);
        ASSERT_FALSE(back.isNull()) << c.name << " " << error.toStdString();
        EXPECT_EQ(back.size(), picture.size()) << c.name;
        if (c.lossless) {
            EXPECT_TRUE(samePixels(back, picture)) << c.name;
        }
    }
    // The content decides, not the name: a PNG named .bmp still reads.
    QFile::copy(dir.path() + QStringLiteral("/a.png"), dir.path() + QStringLiteral("/really-png.bmp"));
    EXPECT_FALSE(readImage(dir.path() + QStringLiteral("/really-png.bmp")).isNull());
}

TEST(Images, GifOfManyColoursIsQuantised)
{
    QImage gradient(300, 40, QImage::Format_RGB32);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 300; ++x) {
            gradient.setPixel(x, y, qRgb(x * 255 / 299, y * 6, 255 - x * 255 / 299));
        }
    }
    QByteArray gif = encodeGif(gradient);
    ASSERT_TRUE(gif.startsWith("GIF8"));
    QImage back = QImage::fromData(gif, "GIF");
    ASSERT_EQ(back.size(), gradient.size());
    // Each pixel stays near its colour.
    int worst = 0;
    for (int y = 0; y < 40; y += 7) {
        for (int x = 0; x < 300; x += 13) {
            QRgb a = gradient.pixel(x, y), b = back.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b))});
        }
    }
    EXPECT_LT(worst, 100);
}

TEST(Images, FailuresAreReported)
{
    QTemporaryDir dir;
    EXPECT_FALSE(writeImage(flatPicture(), dir.path() + QStringLiteral("/a.emf")));
    EXPECT_FALSE(writeImage(QImage(), dir.path() + QStringLiteral("/a.png")));
    EXPECT_FALSE(writeImage(flatPicture(), dir.path() + QStringLiteral("/missing/a.png")));
    QFile junk(dir.path() + QStringLiteral("/junk.png"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not an image at all");
    junk.close();
    QString error;
    EXPECT_TRUE(readImage(junk.fileName(), &error).isNull());
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(readImage(dir.path() + QStringLiteral("/none.png")).isNull());
}
