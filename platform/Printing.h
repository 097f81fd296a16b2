#pragma once
// Printing glue: the default printer and its paper, and the print, preview
// and page-setup entry points. Having no printer is an ordinary state: the
// queries say so and the callers fall back on their paper table.
//
// Each entry point takes a render callback that paints the page(s) on the
// printer it is given (open a painter or a PainterDc on it; call newPage()
// between pages).

#include <QList>
#include <QPageLayout>
#include <QPageSize>
#include <QSizeF>
#include <QString>

#include <functional>
#include <optional>

class QPrinter;
class QWidget;

namespace platform {

struct PrinterPaper {
    QString printerName;
    int paperCode = 0;        // the framework's paper code: 8 A3, 9 A4, 11 A5, 12 B4, 13 B5, ...; 0 other
    QSizeF paperMm;           // paper, portrait (width <= height), millimetres
    QSizeF printableMm;       // printable area in the current orientation, millimetres
    int dpiX = 0;             // device resolution
    int dpiY = 0;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
};

bool hasDefaultPrinter();
// Name of the system's default printer; empty when there is none.
QString defaultPrinterName();
// The paper of the application's printer; nullopt when there is no printer.
std::optional<PrinterPaper> printerPaper();

// The application's printer settings, shared by every print, preview and
// page setup (made on first use for the default printer, or for PDF output
// when there is none).
QPrinter& applicationPrinter();
// The paper sizes the application's printer offers; for a PDF printer (or
// one that names none) the papers of the drawings: A3, A4, A5, B4, B5.
QList<QPageSize> printerPageSizes();
// Orientation of the application's printer: landscape or portrait.
void setPrinterOrientation(QPageLayout::Orientation orientation);

// The framework's paper code of a Qt page size id (QPageSize::PageSizeId);
// 0 when it has none.
int paperCodeForPageSize(int pageSizeId);

using RenderPages = std::function<void(QPrinter& printer)>;

// Shows the print dialog (through the UI services, so tests can answer it)
// and prints on OK. False when cancelled or nothing could be printed.
bool printWithDialog(const RenderPages& render, const QString& documentName, QWidget* parent = nullptr);
// Prints on the application's printer without asking. False when there is
// no printer or printing failed.
bool printDirect(const RenderPages& render, const QString& documentName);
// Shows the print preview; render is called whenever the preview repaints.
void printPreview(const RenderPages& render, QWidget* parent = nullptr);
// Shows the page-setup dialog on the application's printer; true on OK.
bool pageSetup(QWidget* parent = nullptr);

} // namespace platform
