// The same context on paint devices other than an image: a pixmap and a
// printer (written to a PDF file).
#include "platform/PainterDc.h"

#include <QImage>
#include <QPixmap>
#include <QPrinter>
#include <QTemporaryDir>

#include <vector>

#include <gtest/gtest.h>

using namespace platform;

namespace {

void DrawSample(Dc& dc)
{
    dc.SelectPen(Pen::Make(PenStyle::Dash, 0, Rgb(0, 0, 0)));
    dc.MoveTo(5, 5);
    dc.LineTo(90, 5);
    dc.SelectPen(Pen::Geometric(PenStyle::Solid, 3, Rgb(255, 0, 0), PenCap::Flat, PenJoin::Miter));
    dc.SelectBrush(Brush::Hatched(HatchStyle::Cross, Rgb(0, 0, 255)));
    dc.Rectangle(10, 10, 60, 40);
    dc.Ellipse(20, 45, 80, 75);
    Font f;
    f.height = 12;
    dc.SelectFont(f);
    dc.TextOut(10, 80, QStringLiteral("A1"));
}

} // namespace

TEST(DcDevice, PixmapGoesThroughThePainter)
{
    QPixmap pixmap(100, 100);
    pixmap.fill(Qt::white);
    {
        PainterDc dc(pixmap);
        EXPECT_FALSE(dc.IsPrinting());
        EXPECT_EQ(dc.Image(), nullptr);
        EXPECT_EQ(dc.DeviceRect(), (Rect{0, 0, 100, 100}));
        DrawSample(dc);
    }
    const QImage img = pixmap.toImage();
    EXPECT_EQ(img.pixel(30, 10) & 0xFFFFFF, 0xFF0000u); // the wide red outline
    EXPECT_EQ(img.pixel(5, 5) & 0xFFFFFF, 0u);          // the dashed line starts drawn
}

TEST(DcDevice, PrinterReportsItsResolution)
{
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("out.pdf"));
    printer.setResolution(600);
    {
        PainterDc dc(printer);
        EXPECT_TRUE(dc.IsPrinting());
        EXPECT_EQ(dc.GetDeviceCaps(DeviceCap::LogPixelsX), 600);
        EXPECT_GT(dc.GetDeviceCaps(DeviceCap::HorzRes), 3000);
        DrawSample(dc);
    }
    QFile pdf(dir.filePath("out.pdf"));
    EXPECT_GT(pdf.size(), 500);
}

namespace {

// Pixels of a non-white colour.
std::vector<QPoint> Inked(const QImage& img)
{
    std::vector<QPoint> out;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFFu)
                out.push_back({x, y});
    return out;
}

// Every pixel of `a` lies within `reach` of one of `b`.
bool Covered(const std::vector<QPoint>& a, const QImage& b, int reach)
{
    for (const QPoint& p : a) {
        bool found = false;
        for (int dy = -reach; dy <= reach && !found; ++dy)
            for (int dx = -reach; dx <= reach && !found; ++dx) {
                const QPoint q = p + QPoint(dx, dy);
                found = b.rect().contains(q) && (b.pixel(q) & 0xFFFFFF) != 0xFFFFFFu;
            }
        if (!found)
            return false;
    }
    return true;
}

} // namespace

TEST(DcDevice, ArcsOnAVectorDeviceFollowThePolylineOfAnImage)
{
    struct Case {
        Rect box;
        Point start, end;
        ArcDirection direction;
    };
    const Case cases[] = {
        {{10, 10, 110, 110}, {110, 60}, {60, 10}, ArcDirection::CounterClockwise},   // a quarter, up
        {{10, 10, 110, 110}, {60, 10}, {110, 60}, ArcDirection::CounterClockwise},   // three quarters
        {{10, 10, 110, 110}, {110, 60}, {60, 110}, ArcDirection::Clockwise},         // a quarter, down
        {{10, 30, 110, 90}, {10, 60}, {110, 60}, ArcDirection::CounterClockwise},    // the lower half of an ellipse
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start.x << "," << c.start.y << " to " << c.end.x << "," << c.end.y);
        auto draw = [&](Dc& dc) {
            dc.SelectPen(Pen::Geometric(PenStyle::Solid, 3, Rgb(0, 0, 0), PenCap::Round, PenJoin::Round));
            dc.SetArcDirection(c.direction);
            dc.Arc(c.box.left, c.box.top, c.box.right, c.box.bottom, c.start.x, c.start.y, c.end.x, c.end.y);
        };
        QImage image(120, 120, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            PainterDc dc(image);
            draw(dc);
        }
        QPixmap pixmap(120, 120);
        pixmap.fill(Qt::white);
        {
            PainterDc dc(pixmap);
            draw(dc);
        }
        const QImage vector = pixmap.toImage();
        const auto ink = Inked(vector);
        ASSERT_GT(ink.size(), 50u);
        EXPECT_TRUE(Covered(ink, image, 2));
        EXPECT_TRUE(Covered(Inked(image), vector, 2));
    }
}
