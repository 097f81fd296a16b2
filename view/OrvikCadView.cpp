// COrvikCadView: construction, the model-to-pixel mapping, fitting the zoom,
// the first update and the base view.

#include "view/OrvikCadView.h"
#include "model/PaperSizes.h"

#include "view/DrawingDocument.h"
#include "view/FrameHost.h"
#include "model/Document.h"
#include "model/EditDoor.h"
#include "model/Settings.h"
#include "platform/Controls.h"
#include "platform/Printing.h"
#include "model/EntityKinds.h"

#include <QLineEdit>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Device coordinates are kept within this range before they become integers.
constexpr double DeviceLimit = 134217728.0;  // 2^27

int TruncDevice(double v)
{
    if (std::isnan(v))
        return 0;
    return static_cast<int>(std::clamp(v, -DeviceLimit, DeviceLimit));
}

} // namespace

COrvikCadView::COrvikCadView(QWidget* parent) : CView(parent), backBuffer(this)
{
    areaW = areaH = 0;
    downX = downY = 0;
    bandRect = {};
    colors.fill(0);
    colors[0] = 0xFFFFFF;
    layerState.fill(1);
    backBuffer.SetPaintRoutine([this](platform::Dc& dc, bool erase) { PaintRoutine(dc, erase); });
    SetupWidget();
    RegisterViewCommands();
}

COrvikCadView* ActiveView = nullptr;

COrvikCadView::~COrvikCadView()
{
    if (ActiveView == this)
        ActiveView = nullptr;
}

double COrvikCadView::MappingScale() const
{
    return std::isfinite(scale) && scale > 0 ? scale : 1.0;
}

double COrvikCadView::MappingZoom() const
{
    return std::isfinite(zoom) && zoom > 0 ? zoom : 1.0;
}

int COrvikCadView::XToDevice(double x) const
{
    return TruncDevice(MappingZoom() * x / MappingScale() + 0.5) - scrollX;
}

int COrvikCadView::YToDevice(double y) const
{
    return clientH + scrollY - TruncDevice(MappingZoom() * y / MappingScale() + 0.5);
}

double COrvikCadView::XToModel(int xd) const
{
    return (scrollX + xd) / MappingZoom() * MappingScale();
}

double COrvikCadView::YToModel(int yd) const
{
    return (clientH - yd + scrollY) / MappingZoom() * MappingScale();
}

void COrvikCadView::ComputeVisibleRect()
{
    const double z = MappingZoom(), n = MappingScale();
    visibleX0 = scrollX / z * n;
    visibleY0 = (clientH - areaH + scrollY) / z * n;
    visibleX1 = (areaW + scrollX) / z * n;
    visibleY1 = (clientH + scrollY) / z * n;
}

void COrvikCadView::FitScale()
{
    const double w = windowX1 - windowX0, h = windowY1 - windowY0;
    if (!(w > 0) || !(h > 0) || !std::isfinite(w) || !std::isfinite(h) || clientW <= 0 || clientH <= 0)
        return;
    const double fit = std::min(clientW / w, clientH / h) * MappingScale();
    if (std::isfinite(fit) && fit > 0)
        zoom = fit;
}

void COrvikCadView::LogicalToDevice(int& x, int& y) const
{
    x -= FrameScrollX();
    y -= FrameScrollY();
}

platform::Point COrvikCadView::ToPixel(double x, double y) const
{
    return {XToDevice(x), YToDevice(y)};
}

COrvikCadDoc* COrvikCadView::GetDrawing() const
{
    if (drawing)
        return drawing;
    auto* framework = dynamic_cast<CDrawingDocument*>(GetDocument());
    return framework ? &framework->Drawing() : nullptr;
}

void COrvikCadView::AttachDrawing(COrvikCadDoc* doc)
{
    drawing = doc;
    InvalidateDrawIndex();
}

void COrvikCadView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    COrvikCadDoc* doc = GetDrawing();
    if (!doc)
        return;
    // Until the base view below is set the mapping is not this drawing's: a
    // paint meanwhile (a palette coming up repaints the frame) shows only
    // the background instead of drawing the whole drawing to throw it away.
    awaitingBaseView = true;

    areaW = doc->ClientSizeRecord[0];
    areaH = doc->ClientSizeRecord[1];
    SetScrollSizes(areaW, areaH);

    const float s = doc->header.scale;
    scale = s;
    ScaleDenominator = ScaleDenominatorFor(s);
    clientH = areaH;
    clientW = areaW;
    const double n = MappingScale();
    windowX1 = areaW * n;
    windowY1 = areaH * n;
    FitScale();

    // A new drawing starts with its grid record.
    if (!doc->list.first)
        doc->AddGridRecord();

    currentLayer = static_cast<uint16_t>(doc->currentLayer);
    CurrentLayer = doc->currentLayer;
    LayerCount = doc->layerCount;
    GridPitch = doc->parameters.DefaultGridPitch;
    for (int i = 0; i < MaxLayers; ++i) {
        layerState[i] = static_cast<char>(doc->layerStates[i]);
        LayerStates[i] = doc->layerStates[i];
        LayerNames[i] = doc->layerNames[i].substr(0, MaxLayerNameBytes);
    }

    printFit = static_cast<int16_t>(doc->header.printFit);
    paperSource = doc->header.paperSource;

    PaperSheet(doc->header.paperIndex, doc->header.orientation, paperW, paperH);
    if (paperSource)
        ApplyPrinterPaper(*doc);

    if (!doc->loaded) {
        doc->ExtentsMin[0] = 0;
        doc->ExtentsMin[1] = 0;
        doc->ExtentsMax[0] = s * paperW;
        doc->ExtentsMax[1] = s * paperH;
    }
    doc->DrawingOrigin[0] = s * paperW * 0.5;
    doc->DrawingOrigin[1] = s * paperH * 0.5;

    // The first view of the run brings up the layer list and the drawing
    // palette; without a main frame there is nothing more to set up.
    if (PaletteShown == -1) {
        CFrameHost* frame = AfxGetFrameHost();
        if (!frame) {
            awaitingBaseView = false;
            return;
        }
        frame->ShowLayerList();
        frame->ShowDrawPalette();
        if (GridPitch > 0)
            frame->ShowGridPitch(GridPitch);
        PaletteShown = 0;
    }

    if (!textEdit) {
        textEdit = new QLineEdit(this);
        platform::setControlId(textEdit, 1000);
        textEdit->setGeometry(0, 0, 0, 0);
        textEdit->show();
    }

    InvalidateDrawIndex();
    awaitingBaseView = false;
    if (ResetToBaseView(1)) {
        // The base view has just drawn the whole client: the paint the
        // resizes before it asked for would only draw it all again.
        backBuffer.MarkAllDrawn();
        auto dc = GetClientDc();
        RestoreToolFigures(*dc);
    } else {
        backBuffer.InvalidateAll();
    }
    fitOnResize = true;
}

void COrvikCadView::ApplyPrinterPaper(COrvikCadDoc& doc)
{
    // The printer's printable page in whole millimetres replaces the paper;
    // without a printer the paper of the table stays.
    if (!platform::printerPaper())
        return;
    platform::setPrinterOrientation(doc.header.orientation == 0 ? QPageLayout::Landscape : QPageLayout::Portrait);
    const std::optional<platform::PrinterPaper> printer = platform::printerPaper();
    if (!printer || printer->printableMm.width() < 1 || printer->printableMm.height() < 1)
        return;
    paperW = std::trunc(printer->printableMm.width());
    paperH = std::trunc(printer->printableMm.height());
    if (!doc.loaded)
        return;
    // A drawing saved for another printer is moved to the middle of this
    // page when both of its sides differ from it.
    const double s = doc.header.scale;
    const double u = s * paperW * 0.5 - (doc.ExtentsMax[0] - doc.ExtentsMin[0]) * 0.5;
    const double v = s * paperH * 0.5 - (doc.ExtentsMax[1] - doc.ExtentsMin[1]) * 0.5;
    if (std::fabs(u) > 0.001 && std::fabs(v) > 0.001 && doc.list.first) {
        ShiftDrawing(doc, u, v);
    }
}

bool COrvikCadView::ResetToBaseView(int redraw)
{
    COrvikCadDoc* doc = GetDrawing();
    if (!doc)
        return false;
    resized = 0;
    bool drawn = false;
    const int w = doc->ClientSizeRecord[0], h = doc->ClientSizeRecord[1];
    SetScrollSizes(w, h);

    const double n = MappingScale();
    windowX0 = 0;
    windowY0 = 0;
    windowX1 = clientW * n;
    windowY1 = clientH * n;
    FitScale();

    if (std::fabs(doc->ExtentsMin[0] - doc->ExtentsMax[0]) < 0.05 ||
        std::fabs(doc->ExtentsMin[1] - doc->ExtentsMax[1]) < 0.05)
        return false;

    const double m = 5 / MappingZoom() * n;
    windowX0 = doc->ExtentsMin[0] - m;
    windowY0 = doc->ExtentsMin[1] - m;
    windowX1 = doc->ExtentsMax[0] + m;
    windowY1 = doc->ExtentsMax[1] + m;

    {
        auto dc = GetClientDc();
        dc->FillRect(dc->GetClipBox(), platform::Brush::Solid(colors[0]));
        FitScale();
        const double z = MappingZoom();
        scrollX = TruncDevice(((windowX1 - windowX0) * 0.5 + windowX0) * z / n + 0.5) - clientW / 2;
        scrollY = TruncDevice(((windowY1 - windowY0) * 0.5 + windowY0) * z / n + 0.5) - clientH / 2;
        if (redraw)
            resized = 0;
        drawn = !resized;
        if (drawn)
            OnDraw(*dc);
    }
    // The scroll sizes may have shown or hidden the scroll bars: the area is
    // the client as it is now, or the next paint would leave out its edges.
    areaW = doc->ClientSizeRecord[0];
    areaH = doc->ClientSizeRecord[1];
    mouseMode = 0;
    resized = 0;
    return drawn;
}
