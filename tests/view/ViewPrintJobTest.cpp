// The drawing on paper: the printer's mapping at true scale and fitted to
// the page, the printer's paper, a job through the print dialog, and the
// screen left exactly as it was.

#include "common/ToolHarness.h"

#include "model/Document.h"
#include "platform/Printing.h"
#include "view/PageSetupDlg.h"
#include "platform/Controls.h"
#include "platform/RecordingDc.h"
#include "resources/Resource.h"

#include <QComboBox>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>

namespace {

class ViewPrintJobTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        pdf = dir.filePath(QStringLiteral("page.pdf"));
        qputenv("ORVIKCAD_PRINT_PDF", pdf.toLocal8Bit());
        h = std::make_unique<ToolHarness>(1000, 700);
    }
    void TearDown() override
    {
        h.reset();
        qunsetenv("ORVIKCAD_PRINT_PDF");
    }
    COrvikCadView& V() { return h->View(); }
    void AddLine(double x0, double y0, double x1, double y1)
    {
        double v[] = {x0, y0, x1, y1};
        const int16_t codes[] = {10, 20, 11, 22};
        EntityHeader eh{EntityType::Line, 0, 0, 0, 4};
        ASSERT_EQ(h->Doc().list.AddEntity(eh, codes, 0, v, {}), 0);
    }
    // Everything of the screen's mapping a page could disturb.
    struct Screen {
        ViewMapping mapping;
        double visible[4];
        int scaleDenominator;
        bool operator==(const Screen& o) const
        {
            return mapping == o.mapping && std::equal(visible, visible + 4, o.visible) &&
                   scaleDenominator == o.scaleDenominator;
        }
    };
    Screen Shot()
    {
        return {V().Mapping(), {V().visibleX0, V().visibleY0, V().visibleX1, V().visibleY1}, ScaleDenominator};
    }

    std::unique_ptr<ToolHarness> h;
    QTemporaryDir dir;
    QString pdf;
};

// An A3 drawing at 1:1 on a 600-dpi printer: a paper millimetre prints as a
// millimetre, the drawing's lower-left extent at the page's left edge.
TEST_F(ViewPrintJobTest, TrueScalePrintsAMillimetreAsAMillimetre)
{
    h->Doc().header.scale = 1;
    h->Doc().header.printFit = 0;
    V().printFit = 0;
    V().paperSource = 0;
    V().paperW = 420;
    V().paperH = 297;
    h->Doc().ExtentsMin = {0, 0, 0};
    AddLine(10, 20, 110, 20);
    const Screen before = Shot();

    platform::RecordingDc dc(9921, 7016, 600, true);
    const COrvikCadView::PrinterSetup page = V().PrinterMapping(dc);
    EXPECT_NEAR(page.mapping.zoom, 600 / 25.4, 1e-9);
    EXPECT_EQ(page.mapping.clientW, 9921);
    EXPECT_EQ(page.mapping.clientH, 7015);  // trunc(297 x 600 / 25.4)
    EXPECT_EQ(page.mapping.scrollX, 0);
    EXPECT_FLOAT_EQ(page.pxPerMm, float(600 / 25.4));
    EXPECT_EQ(page.mapping.ToPixel(110, 20).x - page.mapping.ToPixel(10, 20).x, 2362);

    V().OnDraw(dc);
    // The line went onto the page at the page's pixels, nothing else of
    // the screen's (grid, range frame, origin mark) with it.
    bool found = false;
    for (const auto& r : dc.Records())
        if (r.op == "LineTo" && r.args.size() == 2 && r.args[0] == page.mapping.XToDevice(110))
            found = true;
    EXPECT_TRUE(found);
    EXPECT_TRUE(Shot() == before);
}

// Fitted to the page: the page shows the model window the screen shows,
// the scroll offsets scaled by the ratio of the widths.
TEST_F(ViewPrintJobTest, FitShowsTheScreensWindowScaledByTheWidths)
{
    V().printFit = 1;
    V().clientW = 1000;
    V().scrollX = 30;
    V().scrollY = -20;
    V().ComputeVisibleRect();
    const Screen before = Shot();
    platform::RecordingDc dc(4800, 3360, 600, true);
    const COrvikCadView::PrinterSetup page = V().PrinterMapping(dc);
    EXPECT_EQ(page.mapping.clientW, 4800);
    EXPECT_EQ(page.mapping.clientH, 3360);
    EXPECT_EQ(page.mapping.scrollX, int(std::trunc((30 + V().FrameScrollX()) * 4.8)));
    EXPECT_EQ(page.mapping.scrollY, int(std::trunc((-20 - V().FrameScrollY()) * 4.8)));
    // The page's zoom fits the screen's model window as the screen's does.
    const double w = V().windowX1 - V().windowX0, hgt = V().windowY1 - V().windowY0;
    EXPECT_NEAR(page.mapping.zoom, std::min(4800 / w, 3360 / hgt) * V().MappingScale(), 1e-9);
    V().OnDraw(dc);
    EXPECT_TRUE(Shot() == before);
}

// With the printer's paper chosen, the printer's A4 stands for the paper
// while the page is drawn, long side by the drawing's orientation.
TEST_F(ViewPrintJobTest, PrintersPaperGivesThePaperOfThePage)
{
    platform::applicationPrinter().setPageSize(QPageSize(QPageSize::A4));
    V().printFit = 0;
    V().paperSource = 1;
    V().paperW = 400;
    V().paperH = 280;
    struct {
        int orientation;
        double w, h;
    } cases[] = {{1, 210, 297}, {0, 297, 210}};
    for (const auto& c : cases) {
        h->Doc().header.orientation = static_cast<uint16_t>(c.orientation);
        platform::RecordingDc dc(4960, 7016, 600, true);
        const COrvikCadView::PrinterSetup page = V().PrinterMapping(dc);
        EXPECT_EQ(page.mapping.paperW, c.w);
        EXPECT_EQ(page.mapping.paperH, c.h);
        // The page height stays the one the view held.
        EXPECT_EQ(page.mapping.clientH, int(std::trunc(280 * 600 / 25.4)));
    }
    EXPECT_EQ(V().paperW, 400);
}

// A job through the print dialog writes one page; the preview draws through
// the same path; the screen is as it was after both.
TEST_F(ViewPrintJobTest, PrintDialogJobWritesOnePageAndLeavesTheScreen)
{
    AddLine(10, 20, 110, 70);
    V().RedrawNow();
    const Screen before = Shot();
    h->Ui().dialog(IDOK);
    h->Key(ID_FILE_PRINT);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 1);
    EXPECT_TRUE(Shot() == before);
    EXPECT_TRUE(h->ScreenIsFreshRedraw());

    // The preview's pages come from the same drawing of a page.
    QPrinter preview(QPrinter::HighResolution);
    preview.setOutputFormat(QPrinter::PdfFormat);
    preview.setOutputFileName(dir.filePath(QStringLiteral("preview.pdf")));
    V().PrintPage(preview);
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("preview.pdf"))));
    EXPECT_TRUE(Shot() == before);

    // A cancelled dialog prints nothing.
    QFile::remove(pdf);
    h->Ui().dialog(IDCANCEL);
    h->Key(ID_FILE_PRINT);
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(ViewPrintJobTest, PrintWithoutADialogNeedsAPrinter)
{
    AddLine(10, 20, 110, 70);
    h->Key(ID_FILE_PRINT_DIRECT);
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_TRUE(h->Ui().messages().isEmpty());
}

// The sample page's margin rectangle: each side moved in proportion to the
// paper, rounded as the framework's MulDiv rounds.
TEST(PageSetupSample, MarginsShrinkTheSampleInProportion)
{
    struct {
        QRect sample;
        int l, t, r, b, paperW, paperH;
        QRect expected;
    } cases[] = {
        {QRect(0, 0, 200, 150), 1000, 1000, 1000, 1000, 11690, 8270, QRect(QPoint(17, 18), QPoint(182, 131))},
        {QRect(10, 20, 200, 150), 0, 0, 0, 0, 11690, 8270, QRect(10, 20, 200, 150)},
        {QRect(0, 0, 100, 100), 500, 250, 0, 1000, 1000, 2000, QRect(QPoint(50, 13), QPoint(99, 49))},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MarginRect(c.sample, c.l, c.t, c.r, c.b, c.paperW, c.paperH), c.expected) << c.l;
}

// Page setup on a drawing window: OK lays the drawing out on the printer's
// printable page; cancel changes nothing; the range frame and origin mark
// switches are back as they were.
TEST_F(ViewPrintJobTest, PageSetupTakesThePrintablePageOnOk)
{
    h->Doc().header.orientation = 0;
    h->Doc().header.scale = 1;
    V().scale = 1;
    AddLine(10, 20, 110, 20);
    // Laid out on A3 before.
    V().paperW = 420;
    V().paperH = 297;
    h->Doc().DrawingOrigin[0] = 210;
    h->Doc().DrawingOrigin[1] = 148.5;
    ShowDrawingRange = 1;
    ShowOriginMark = 1;
    const double paperW = V().paperW, paperH = V().paperH;

    bool switchesOffInside = false;
    h->Ui().dialog([&](QDialog& d) {
        switchesOffInside = ShowDrawingRange == 0 && ShowOriginMark == 0;
        d.reject();
    });
    EXPECT_FALSE(V().OnFilePrintSetup());
    EXPECT_TRUE(switchesOffInside);
    EXPECT_EQ(ShowDrawingRange, 1);
    EXPECT_EQ(ShowOriginMark, 1);
    EXPECT_EQ(V().paperW, paperW);
    EXPECT_EQ(V().paperH, paperH);

    h->Ui().dialog([&](QDialog& d) {
        auto* paper = platform::control<QComboBox>(&d, grafPageSetupDlg::IDC_PAPER);
        ASSERT_TRUE(paper);
        static_cast<grafPageSetupDlg&>(d).setPaper(QPageSize::A4);
        d.accept();
    });
    const double lineX = h->Entities(EntityType::Line)[0]->values[0];
    EXPECT_TRUE(V().OnFilePrintSetup());
    const std::optional<platform::PrinterPaper> printer = platform::printerPaper();
    ASSERT_TRUE(printer);
    const double a = std::trunc(printer->printableMm.width()), b = std::trunc(printer->printableMm.height());
    EXPECT_EQ(V().paperW, std::max(a, b));  // landscape: the longer side across
    EXPECT_EQ(V().paperH, std::min(a, b));
    EXPECT_EQ(h->Doc().DrawingOrigin[0], V().paperW / 2);
    EXPECT_EQ(h->Doc().DrawingOrigin[1], V().paperH / 2);
    // Every entity moved with the origin.
    EXPECT_DOUBLE_EQ(h->Entities(EntityType::Line)[0]->values[0], lineX + V().paperW / 2 - 210);
    EXPECT_EQ(ShowDrawingRange, 1);
}

} // namespace
