#include "platform/Printing.h"

#include "platform/Ui.h"

#include <QPageSetupDialog>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <memory>

namespace platform {

namespace {

std::unique_ptr<QPrinter>& printerHolder()
{
    static std::unique_ptr<QPrinter> printer;
    return printer;
}

// ORVIKCAD_PRINT_PDF names a PDF file that stands in for a printer (for
// runs without one, such as the tests): the application's printer then
// writes there and counts as a printer.
QString pdfStandIn()
{
    return qEnvironmentVariable("ORVIKCAD_PRINT_PDF");
}

} // namespace

bool hasDefaultPrinter()
{
    if (!pdfStandIn().isEmpty())
        return true;
    return !QPrinterInfo::defaultPrinter().isNull() || !QPrinterInfo::availablePrinters().isEmpty();
}

QString defaultPrinterName()
{
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        const QList<QPrinterInfo> all = QPrinterInfo::availablePrinters();
        return all.isEmpty() ? QString() : all.first().printerName();
    }
    return info.printerName();
}

QPrinter& applicationPrinter()
{
    std::unique_ptr<QPrinter>& p = printerHolder();
    const QString standIn = pdfStandIn();
    if (!standIn.isEmpty()) {
        if (!p)
            p = std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (p->outputFormat() != QPrinter::PdfFormat || p->outputFileName() != standIn) {
            p->setOutputFormat(QPrinter::PdfFormat);
            p->setOutputFileName(standIn);
            p->setPageSize(QPageSize(QPageSize::A4));
        }
        return *p;
    }
    if (!p) {
        p = std::make_unique<QPrinter>(QPrinter::HighResolution);
        QString name = defaultPrinterName();
        if (!name.isEmpty()) {
            p->setPrinterName(name);
        } else {
            p->setOutputFormat(QPrinter::PdfFormat);
            p->setPageSize(QPageSize(QPageSize::A4));
        }
    }
    return *p;
}

QList<QPageSize> printerPageSizes()
{
    QPrinter& printer = applicationPrinter();
    QList<QPageSize> sizes;
    if (printer.outputFormat() == QPrinter::NativeFormat)
        sizes = QPrinterInfo(printer).supportedPageSizes();
    if (sizes.isEmpty())
        for (QPageSize::PageSizeId id : {QPageSize::A3, QPageSize::A4, QPageSize::A5, QPageSize::JisB4, QPageSize::JisB5})
            sizes.push_back(QPageSize(id));
    return sizes;
}

void setPrinterOrientation(QPageLayout::Orientation orientation)
{
    applicationPrinter().setPageOrientation(orientation);
}

int paperCodeForPageSize(int pageSizeId)
{
    switch (static_cast<QPageSize::PageSizeId>(pageSizeId)) {
    case QPageSize::Letter: return 1;
    case QPageSize::Legal: return 5;
    case QPageSize::A3: return 8;
    case QPageSize::A4: return 9;
    case QPageSize::A5: return 11;
    case QPageSize::JisB4: return 12;
    case QPageSize::JisB5: return 13;
    default: return 0;
    }
}

std::optional<PrinterPaper> printerPaper()
{
    if (!hasDefaultPrinter()) {
        return std::nullopt;
    }
    QPrinter& printer = applicationPrinter();
    PrinterPaper paper;
    paper.printerName = printer.printerName();
    QPageLayout layout = printer.pageLayout();
    paper.paperCode = paperCodeForPageSize(layout.pageSize().id());
    QSizeF size = layout.pageSize().size(QPageSize::Millimeter);
    if (size.width() > size.height()) {
        size.transpose();
    }
    paper.paperMm = size;
    paper.printableMm = printer.pageRect(QPrinter::Millimeter).size();
    paper.dpiX = printer.logicalDpiX();
    paper.dpiY = printer.logicalDpiY();
    paper.orientation = layout.orientation();
    return paper;
}

namespace {

bool runRender(QPrinter& printer, const RenderPages& render, const QString& documentName)
{
    printer.setDocName(documentName);
    if (!printer.isValid()) {
        return false;
    }
    render(printer);
    return printer.printerState() != QPrinter::Error;
}

} // namespace

bool printWithDialog(const RenderPages& render, const QString& documentName, QWidget* parent)
{
    QPrinter& printer = applicationPrinter();
    QPrintDialog dialog(&printer, parent);
    if (runDialog(dialog) != IDOK) {
        return false;
    }
    return runRender(printer, render, documentName);
}

bool printDirect(const RenderPages& render, const QString& documentName)
{
    if (!hasDefaultPrinter()) {
        return false;
    }
    return runRender(applicationPrinter(), render, documentName);
}

void printPreview(const RenderPages& render, QWidget* parent)
{
    QPrintPreviewDialog dialog(&applicationPrinter(), parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, [&render](QPrinter* printer) {
        render(*printer);
    });
    runDialog(dialog);
}

bool pageSetup(QWidget* parent)
{
    QPageSetupDialog dialog(&applicationPrinter(), parent);
    return runDialog(dialog) == IDOK;
}

} // namespace platform
