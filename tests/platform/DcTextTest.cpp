// Text on the image device context: position, escapement, background.
#include "platform/PainterDc.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace platform;

namespace {

struct InkBox {
    int minX = 1 << 30, minY = 1 << 30, maxX = -1, maxY = -1;
    int count = 0;
};

InkBox FindInk(const QImage& img, QRgb background)
{
    InkBox b;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != background) {
                b.minX = std::min(b.minX, x);
                b.maxX = std::max(b.maxX, x);
                b.minY = std::min(b.minY, y);
                b.maxY = std::max(b.maxY, y);
                ++b.count;
            }
    return b;
}

Font TestFont(int escapement)
{
    Font f;
    f.height = 24;
    f.width = 12;
    f.escapement = escapement;
    f.pitchAndFamily = 1;
    f.face = Font::FaceFromCp932("\x82\x6c\x82\x72\x83\x53\x83\x56\x83\x62\x83\x4e");
    return f;
}

QImage DrawText(int escapement, int align = 0, BkMode mode = BkMode::Transparent)
{
    QImage img(200, 200, QImage::Format_RGB32);
    img.fill(0xFFFFFFFF);
    PainterDc dc(img);
    dc.SelectFont(TestFont(escapement));
    dc.SetBkMode(mode);
    dc.SetBkColor(Rgb(0, 255, 0));
    dc.SetTextAlign(align);
    dc.TextOut(100, 100, QStringLiteral("WMW"));
    dc.Flush();
    return img;
}

} // namespace

TEST(DcText, FaceNamesComeFromCodePage932)
{
    EXPECT_EQ(TestFont(0).face, QStringLiteral("ＭＳゴシック"));
}

TEST(DcText, UnturnedTextHangsBelowAndRightOfTheReferencePoint)
{
    const InkBox b = FindInk(DrawText(0), 0xFFFFFFFF);
    ASSERT_GT(b.count, 20);
    EXPECT_GE(b.minX, 99);
    EXPECT_GE(b.minY, 99);
    EXPECT_LE(b.maxY, 100 + 24);
    EXPECT_GT(b.maxX, 100 + 20);
    EXPECT_LE(b.maxX, 100 + 3 * 12 + 3);
}

TEST(DcText, EscapementTurnsTheTextAboutTheReferencePoint)
{
    // A quarter turn counter-clockwise: the text reads upwards from the
    // reference point and its cell lies to the right of it.
    const InkBox up = FindInk(DrawText(900), 0xFFFFFFFF);
    ASSERT_GT(up.count, 20);
    EXPECT_GE(up.minX, 99);
    EXPECT_LE(up.maxX, 100 + 24 + 1);
    EXPECT_LE(up.maxY, 101);
    EXPECT_LT(up.minY, 100 - 20);

    // Half a turn: upside down, left of and above the reference point.
    const InkBox down = FindInk(DrawText(1800), 0xFFFFFFFF);
    ASSERT_GT(down.count, 20);
    EXPECT_LE(down.maxX, 101);
    EXPECT_LE(down.maxY, 101);
    EXPECT_LT(down.minX, 100 - 20);
    EXPECT_GE(down.minY, 100 - 24 - 1);
}

TEST(DcText, CentreBottomAlignmentAndOpaqueBackground)
{
    const InkBox b = FindInk(DrawText(0, textalign::Center | textalign::Bottom), 0xFFFFFFFF);
    ASSERT_GT(b.count, 20);
    EXPECT_LE(b.maxY, 100);
    EXPECT_LT(b.minX, 100);
    EXPECT_GT(b.maxX, 100);
    EXPECT_NEAR((b.minX + b.maxX) / 2.0, 100, 3);

    const QImage opaque = DrawText(0, 0, BkMode::Opaque);
    EXPECT_EQ(opaque.pixel(101, 101), 0xFF00FF00); // the cell's corner is background
}
