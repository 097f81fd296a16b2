// COrvikCadView: the drawing on paper. One page per job; a drawing larger
// than the page is cut at its edges. The page is drawn by an entity
// renderer of its own with a mapping made for the printer; the screen's
// mapping is never touched.

#include "view/OrvikCadView.h"

#include "model/Document.h"
#include "model/Settings.h"
#include "platform/PainterDc.h"
#include "platform/Printing.h"
#include "platform/Ui.h"
#include "resources/Resource.h"
#include "view/Document.h"
#include "view/PageSetupDlg.h"

#include <QPrinter>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// The printer's paper by its paper code: long and short side in mm.
struct PaperSides {
    int code;
    double longSide, shortSide;
};
constexpr PaperSides PrinterPapers[] = {
    {8, 420, 297}, {9, 297, 210}, {10, 297, 210}, {11, 210, 148}, {12, 354, 250}, {13, 257, 182},
};

int32_t TruncPixels(double v)
{
    if (!std::isfinite(v))
        return 0;
    return static_cast<int32_t>(std::trunc(std::clamp(v, -2.0e9, 2.0e9)));
}

} // namespace

COrvikCadView::PrinterSetup COrvikCadView::PrinterMapping(const platform::Dc& dc) const
{
    PrinterSetup out;
    ViewMapping& m = out.mapping;
    m = Mapping();
    const int horz = dc.GetDeviceCaps(platform::DeviceCap::HorzRes);
    const int vert = dc.GetDeviceCaps(platform::DeviceCap::VertRes);
    const int dpiX = dc.GetDeviceCaps(platform::DeviceCap::LogPixelsX);
    const int dpiY = dc.GetDeviceCaps(platform::DeviceCap::LogPixelsY);
    out.pxPerMm = static_cast<float>(dpiX / 25.4);
    const COrvikCadDoc* doc = GetDrawing();

    if (printFit != 0) {
        // What the screen shows, scaled by the ratio of the widths.
        const int32_t w0 = clientW;
        m.clientW = m.areaW = horz;
        m.clientH = m.areaH = vert;
        const double ratio = w0 != 0 ? double(m.clientW) / w0 : 1.0;
        const double w = windowX1 - windowX0, h = windowY1 - windowY0;
        if (w > 0 && h > 0 && std::isfinite(w) && std::isfinite(h) && m.clientW > 0 && m.clientH > 0) {
            const double fit = std::min(m.clientW / w, m.clientH / h) * MappingScale();
            if (std::isfinite(fit) && fit > 0)
                m.zoom = fit;
        }
        m.scrollX = TruncPixels((scrollX + FrameScrollX()) * ratio);
        m.scrollY = TruncPixels((scrollY - FrameScrollY()) * ratio);
        return out;
    }

    // True scale: a paper millimetre prints as a millimetre.
    double W = std::trunc(paperW), H = std::trunc(paperH);
    const double H0 = H;
    if (paperSource != 0) {
        if (const std::optional<platform::PrinterPaper> printer = platform::printerPaper()) {
            for (const PaperSides& p : PrinterPapers) {
                if (p.code != printer->paperCode)
                    continue;
                const bool portrait = doc && doc->header.orientation == 1;
                W = portrait ? p.shortSide : p.longSide;
                H = portrait ? p.longSide : p.shortSide;
            }
        }
    }
    m.zoom = dpiX / 25.4;
    const double n = MappingScale();
    const double minX = doc ? doc->ExtentsMin[0] : 0.0, minY = doc ? doc->ExtentsMin[1] : 0.0;
    m.scrollX = TruncPixels(m.zoom * minX / n);
    m.scrollY = TruncPixels(m.zoom * minY / n);
    m.paperW = W;
    m.paperH = H;
    m.clientW = m.areaW = TruncPixels(W * m.zoom);
    m.clientH = m.areaH = TruncPixels(H0 * dpiY / 25.4);
    return out;
}

bool COrvikCadView::OnPreparePrinting()
{
    // The screen's mapping is never changed by a page: nothing to keep.
    return GetDrawing() != nullptr;
}

void COrvikCadView::OnBeginPrinting(QPrinter& printer)
{
    const COrvikCadDoc* doc = GetDrawing();
    if (!doc)
        return;
    printer.setPageOrientation(doc->header.orientation == 1 ? QPageLayout::Portrait : QPageLayout::Landscape);
}

void COrvikCadView::OnEndPrinting() {}

void COrvikCadView::PrintPage(QPrinter& printer)
{
    if (!GetDrawing())
        return;
    OnBeginPrinting(printer);
    {
        platform::PainterDc dc(printer);
        dc.SetPrinting(true);
        dc.Begin();
        OnDraw(dc);
    }
    OnEndPrinting();
}

namespace {

QString JobName(const COrvikCadView& view)
{
    const CDocument* doc = view.GetDocument();
    return doc ? doc->GetTitle() : QStringLiteral("OrvikCAD");
}

QString NoPrinterMessage()
{
    return QStringLiteral("印刷できるプリンターがありません。");
}

} // namespace

bool COrvikCadView::OnFilePrint()
{
    if (!OnPreparePrinting())
        return false;
    return platform::printWithDialog([this](QPrinter& printer) { PrintPage(printer); }, JobName(*this), this);
}

bool COrvikCadView::OnFilePrintDirect()
{
    if (!OnPreparePrinting())
        return false;
    if (!platform::hasDefaultPrinter()) {
        platform::messageBox(NoPrinterMessage(), QString(), MB_OK | MB_ICONEXCLAMATION, this);
        return false;
    }
    if (!platform::printDirect([this](QPrinter& printer) { PrintPage(printer); }, JobName(*this))) {
        platform::messageBox(QStringLiteral("印刷できませんでした。"), QString(), MB_OK | MB_ICONEXCLAMATION, this);
        return false;
    }
    return true;
}

void COrvikCadView::OnFilePrintPreview()
{
    if (!OnPreparePrinting())
        return;
    platform::printPreview([this](QPrinter& printer) { PrintPage(printer); }, this);
}

bool COrvikCadView::OnFilePrintSetup()
{
    COrvikCadDoc* doc = GetDrawing();
    if (!doc)
        return false;
    if (!platform::hasDefaultPrinter()) {
        platform::messageBox(QStringLiteral("プリンタードライバが対応していないサイズが指定されてます。"
                                            "図面情報画面にて「現在のプリンターサイズ」を選んでください。"),
                             QString(), MB_OK | MB_ICONEXCLAMATION, this);
        return false;
    }
    const QPageLayout::Orientation orientation =
        doc->header.orientation == 0 ? QPageLayout::Landscape : QPageLayout::Portrait;
    platform::setPrinterOrientation(orientation);
    // The sample shows the drawing without the range frame and origin mark.
    const int16_t range = ShowDrawingRange, origin = ShowOriginMark;
    ShowDrawingRange = 0;
    ShowOriginMark = 0;
    grafPageSetupDlg dialog(this, this);
    const int result = dialog.DoModal();
    ShowDrawingRange = range;
    ShowOriginMark = origin;
    if (result != IDOK)
        return false;
    platform::setPrinterOrientation(orientation);
    const std::optional<platform::PrinterPaper> printer = platform::printerPaper();
    if (!printer)
        return false;
    const double a = std::trunc(printer->printableMm.width()), b = std::trunc(printer->printableMm.height());
    const double longer = std::max(a, b), shorter = std::min(a, b);
    paperW = doc->header.orientation == 1 ? shorter : longer;
    paperH = doc->header.orientation == 1 ? longer : shorter;
    RelayoutPaper();
    return true;
}

void COrvikCadView::RegisterPrintCommands()
{
    OnCommand(ID_FILE_PRINT_SETUP, [this] { OnFilePrintSetup(); });
    OnCommand(ID_FILE_PRINT, [this] { OnFilePrint(); });
    OnCommand(ID_FILE_PRINT_DIRECT, [this] { OnFilePrintDirect(); });
    OnCommand(ID_FILE_PRINT_PREVIEW, [this] { OnFilePrintPreview(); });
}
