// COrvikCadView: the drawing-information command of an open drawing. A new
// scale, paper or paper source lays the drawing out again on its paper.

#include "view/OrvikCadView.h"
#include "model/Document.h"
#include "model/PaperSizes.h"
#include "model/Settings.h"
#include "platform/Printing.h"

#include <QPageLayout>

#include <algorithm>
#include <cmath>

void COrvikCadView::OnDrawingInfo()
{
    COrvikCadDoc* doc = GetDrawing();
    if (!doc)
        return;
    const DrawingHeader before = doc->header;
    if (!doc->EditDrawingInfo(true))
        return;
    if (!(doc->header == before))
        doc->SetModifiedFlag(true);

    printFit = static_cast<int16_t>(doc->header.printFit);
    paperSource = doc->header.paperSource;
    PaperSheet(doc->header.paperIndex, doc->header.orientation, paperW, paperH);
    if (paperSource) {
        platform::setPrinterOrientation(doc->header.orientation == 0 ? QPageLayout::Landscape : QPageLayout::Portrait);
        if (const std::optional<platform::PrinterPaper> printer = platform::printerPaper()) {
            const double a = std::trunc(printer->printableMm.width());
            const double b = std::trunc(printer->printableMm.height());
            if (a >= 1 && b >= 1) {
                paperW = std::max(a, b);
                paperH = std::min(a, b);
                if (doc->header.orientation == 1)
                    std::swap(paperW, paperH);
            }
        }
    }

    const auto whole = [](float s) { return std::isfinite(s) ? std::trunc(static_cast<double>(s)) : 1.0; };
    if (whole(doc->header.scale) == whole(before.scale) && doc->header.paperIndex == before.paperIndex &&
        doc->header.paperSource == before.paperSource)
        return;

    ScaleDenominator = ScaleDenominatorFor(doc->header.scale);
    scale = doc->header.scale;
    if (TheDocumentHost)
        TheDocumentHost->RepaintScaleReadout();
    RelayoutPaper();
}
