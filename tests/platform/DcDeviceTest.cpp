// The same context on paint devices other than an image: a pixmap and a
// printer (written to a PDF file).
#include "platform/PainterDc.h"

#include <QImage>
#include <QPixmap>
#include <QPrinter>
#include <QTemporaryDir>

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
