// COrvikCadView: zooming, fitting, scrolling, the display switches, the grid
// bar's settings, the cancel command and the re-layout after the paper or
// the scale changed.

#include "model/EntityBox.h"
#include "model/FitAllBox.h"
#include "view/OrvikCadView.h"
#include "model/PaperSizes.h"
#include "model/Document.h"
#include "model/EditDoor.h"
#include "model/Settings.h"
#include "view/DrawTool.h"
#include "view/ToolList.h"
#include "view/ToolState.h"

#include <QLineEdit>

#include <algorithm>
#include <cmath>

namespace {

// Device coordinates stay well inside the range the mapping clamps to, so
// that what is visible maps exactly.
constexpr double ZoomDeviceLimit = 67108864.0;  // 2^26

int TruncSaturated(double v)
{
    if (std::isnan(v))
        return 0;
    return static_cast<int>(std::clamp(v, -2147483000.0, 2147483000.0));
}

CEntity* FindGridRecord(COrvikCadDoc* doc)
{
    if (!doc)
        return nullptr;
    for (CEntity* e = doc->list.first; e; e = e->next)
        if (e->type == EntityType::Grid)
            return e;
    return nullptr;
}

} // namespace

// ---- redrawing ----

void COrvikCadView::RedrawOnClientDc()
{
    {
        auto dc = GetClientDc();
        dc->FillRect(dc->GetClipBox(), platform::Brush::Solid(colors[0]));
        OnDraw(*dc);
        RestoreToolFigures(*dc);
    }
}

namespace {

struct WindowState {
    double x0, y0, x1, y1, zoom;
    int scrollX, scrollY;
};

} // namespace

// The window's new zoom, then the window's centre in the middle of the
// client; false (and the old window back) when the zoom would leave the
// range the device coordinates can hold.
static bool FitAndCentre(COrvikCadView& v, const WindowState& old)
{
    v.FitScale();
    const double z = v.MappingZoom(), n = v.MappingScale();
    const double reach = std::max({std::fabs(v.windowX0), std::fabs(v.windowX1), std::fabs(v.windowY0),
                                   std::fabs(v.windowY1)}) * z / n + std::max(v.clientW, v.clientH);
    if (!std::isfinite(reach) || reach > ZoomDeviceLimit) {
        v.windowX0 = old.x0;
        v.windowY0 = old.y0;
        v.windowX1 = old.x1;
        v.windowY1 = old.y1;
        v.zoom = old.zoom;
        v.scrollX = old.scrollX;
        v.scrollY = old.scrollY;
        return false;
    }
    v.scrollX = TruncSaturated(((v.windowX1 - v.windowX0) * 0.5 + v.windowX0) * z / n) - v.clientW / 2;
    v.scrollY = TruncSaturated(((v.windowY1 - v.windowY0) * 0.5 + v.windowY0) * z / n) - v.clientH / 2;
    return true;
}

void COrvikCadView::ZoomIn()
{
    const WindowState old{windowX0, windowY0, windowX1, windowY1, zoom, scrollX, scrollY};
    const double f = static_cast<double>(0.05f);
    const double ex = (windowX1 - windowX0) * f;
    windowX1 -= ex;
    windowX0 += ex;
    const double ey = (windowY1 - windowY0) * f;
    windowY1 -= ey;
    windowY0 += ey;
    if (!FitAndCentre(*this, old))
        return;
    RedrawOnClientDc();
}

void COrvikCadView::ZoomOut(double f)
{
    const WindowState old{windowX0, windowY0, windowX1, windowY1, zoom, scrollX, scrollY};
    const double ex = (windowX1 - windowX0) * f;
    windowX0 -= ex;
    windowX1 += ex;
    const double ey = (windowY1 - windowY0) * f;
    windowY0 -= ey;
    windowY1 += ey;
    if (!FitAndCentre(*this, old))
        return;
    RedrawOnClientDc();
}

void COrvikCadView::ZoomToBand(platform::Dc&)
{
    const int left = std::min(bandRect.left, bandRect.right), right = std::max(bandRect.left, bandRect.right);
    const int top = std::min(bandRect.top, bandRect.bottom), bottom = std::max(bandRect.top, bandRect.bottom);
    if (right - left <= 9 || bottom - top <= 9)
        return;
    const WindowState old{windowX0, windowY0, windowX1, windowY1, zoom, scrollX, scrollY};
    resized = 0;
    const double z = MappingZoom(), n = MappingScale();
    windowX0 = (left + scrollX) / z * n;
    windowX1 = (right + scrollX) / z * n;
    windowY1 = (scrollY + clientH - top) / z * n;
    windowY0 = (scrollY + clientH - bottom) / z * n;
    if (!FitAndCentre(*this, old))
        return;
    if (resized == 1) {
        resized = 0;
        return;  // the resize repaints
    }
    RedrawOnClientDc();
}

void COrvikCadView::OnZoomBox()
{
    if (mouseMode == 1) {
        mouseMode = 0;
    } else {
        mouseMode = 1;
        bandPurpose = 0;
    }
    OnSetCursor();
}

void COrvikCadView::OnViewFitAll()
{
    COrvikCadDoc* doc = GetDrawing();
    if (!doc)
        return;
    resized = 0;
    SetScrollSizes(doc->ClientSizeRecord[0], doc->ClientSizeRecord[1]);
    CEntity* first = doc->list.first;
    if (!first || (first == doc->list.last && first->type == EntityType::Grid))
        return;

    const ModelBox box = FitAllBox(doc->list.first, doc->ExtentsMin.data(), doc->ExtentsMax.data());
    if (!box.valid || box.maxX - box.minX < 0.05 || box.maxY - box.minY < 0.05)
        return;

    const WindowState old{windowX0, windowY0, windowX1, windowY1, zoom, scrollX, scrollY};
    const double m = 5 / MappingZoom() * MappingScale();
    windowX0 = box.minX - m;
    windowY0 = box.minY - m;
    windowX1 = box.maxX + m;
    windowY1 = box.maxY + m;
    if (FitAndCentre(*this, old) && resized != 1)
        RedrawOnClientDc();
    areaW = doc->ClientSizeRecord[0];
    areaH = doc->ClientSizeRecord[1];
    mouseMode = 0;
    resized = 0;
    OnSetCursor();
}

void COrvikCadView::OnRedisplay()
{
    forceErase = 1;
    RedrawOnClientDc();
    forceErase = 0;
}

void COrvikCadView::OnUpdateLayers()
{
    COrvikCadDoc* doc = GetDrawing();
    if (!doc)
        return;
    const int count = std::clamp<int>(LayerCount, 1, MaxLayers);
    const int current = std::clamp<int>(CurrentLayer, 0, count - 1);
    doc->layerCount = static_cast<int16_t>(count);
    doc->currentLayer = static_cast<int16_t>(current);
    currentLayer = static_cast<uint16_t>(current);
    for (int i = 0; i < MaxLayers; ++i) {
        doc->layerStates[i] = LayerStates[i];
        doc->layerNames[i] = LayerNames[i].substr(0, MaxLayerNameBytes);
        layerState[i] = static_cast<char>(LayerStates[i]);
    }
    if (CommandArgument == 1)
        RedrawNow();
}

void COrvikCadView::OnCenterMove()
{
    mouseMode = mouseMode == 3 ? 0 : 3;
    OnSetCursor();
}

void COrvikCadView::OnHandMove()
{
    mouseMode = mouseMode == 4 ? 0 : 4;
    OnSetCursor();
}

// ---- display switches ----

void COrvikCadView::OnViewGrid()
{
    COrvikCadDoc* doc = GetDrawing();
    CEntity* grid = FindGridRecord(doc);
    if (!grid)
        return;
    grid->subtype = grid->subtype ? 0 : 1;
    doc->parameters.GridShown = grid->subtype;
    Buffer().InvalidateAll(true);
    update();
}

void COrvikCadView::OnMagnet()
{
    MagnetEnabled = MagnetEnabled ? 0 : 1;
    if (!MagnetEnabled)
        if (CDrawTool* tool = FindCurrentTool())
            tool->EraseMagnetMarker(this);
}

static void ToggleRangeSwitch(COrvikCadView& view, int16_t& sw)
{
    sw = sw ? 2 : 1;
    view.RedrawOnClientDc();
    if (sw == 2)
        sw = 0;
}

void COrvikCadView::OnViewDrawingRange()
{
    ToggleRangeSwitch(*this, ShowDrawingRange);
}

void COrvikCadView::OnViewOriginMark()
{
    ToggleRangeSwitch(*this, ShowOriginMark);
}

void COrvikCadView::OnLengthReadout()
{
    LengthReadoutEnabled = LengthReadoutEnabled ? 0 : 1;
}

// ---- scrolling ----

void COrvikCadView::OnScrollUp()
{
    if (TextBoxOpen)
        return;
    scrollY -= clientW / 4;
    Buffer().InvalidateAll(true);
    update();
}

void COrvikCadView::OnScrollDown()
{
    if (TextBoxOpen)
        return;
    scrollY += clientW / 4;
    Buffer().InvalidateAll(true);
    update();
}

void COrvikCadView::OnScrollLeft()
{
    if (TextBoxOpen)
        return;
    scrollX += clientH / 2;
    Buffer().InvalidateAll(true);
    update();
}

void COrvikCadView::OnScrollRight()
{
    if (TextBoxOpen)
        return;
    scrollX -= clientH / 2;
    Buffer().InvalidateAll(true);
    update();
}

// ---- grid bar, cancel ----

void COrvikCadView::OnApplyGridPitch()
{
    CEntity* grid = FindGridRecord(GetDrawing());
    if (!grid)
        return;
    if (GridChangeKind == 0) {
        if (grid->values.size() > 2)
            grid->values[2] = GridPitch;
    } else {
        grid->style = static_cast<int16_t>(GridLineType * 100 + GridKind);
    }
    // The grid record is saved with the drawing.
    GetDrawing()->SetModifiedFlag(true);
    Buffer().InvalidateAll(true);
    update();
}

void COrvikCadView::OnCancelInput()
{
    if (CDrawTool* tool = FindCurrentTool()) {
        if (InputPointCount != 0 && CurrentToolId != ToolId::Select)
            tool->Reset(this);
        // No marker of the cancelled step stays on screen.
        tool->EraseMagnetMarker(this);
    }
    if (mouseMode == 4) {
        mouseMode = 0;
        OnSetCursor();
    }
    if (TextBoxOpen && PaletteCategory != 6 && textEdit) {
        textEdit->setGeometry(0, 0, 0, 0);
        textEdit->setEnabled(false);
        TextBoxOpen = 0;
    }
    COrvikCadDoc* doc = GetDrawing();
    if (SelectionArmed && doc) {
        auto dc = GetClientDc();
        for (CEntity* e = doc->list.first; e; e = e->next) {
            if (e->state == EntityState::Selected) {
                e->state = EntityState::Normal;
                if (e->type == EntityType::FreehandCurve)
                    DrawEntity(*dc, e, EntityState::Normal);
                else
                    InvalidateEntity(e);
            } else if (e->state == EntityState::Marked) {
                e->state = EntityState::Normal;
                DrawEntity(*dc, e, EntityState::Normal);
            }
        }
        SelectionArmed = 0;
    }
}

// ---- document updates ----

void COrvikCadView::OnUpdate(CView*, long)
{
    // Entities may have changed in place: the culling indexes start afresh.
    InvalidateDrawIndex();
    COrvikCadDoc* doc = GetDrawing();
    if (!doc)
        return;
    if (doc->ViewUpdateRequest == 1) {
        scale = doc->header.scale;
        ResetToBaseView(1);
        if (TheDocumentHost)
            TheDocumentHost->RepaintScaleReadout();
    } else if (doc->ViewUpdateRequest == 2) {
        ApplyPaperSettings();
    }
}

void COrvikCadView::ApplyPaperSettings()
{
    COrvikCadDoc* doc = GetDrawing();
    if (!doc)
        return;
    PaperSheet(doc->header.paperIndex, doc->header.orientation, paperW, paperH);
    const float s = doc->header.scale;
    ScaleDenominator = ScaleDenominatorFor(s);
    scale = s;
    paperSource = doc->header.paperSource;
    // A printer's page (paper source 1) is applied by the page setup.
    if (TheDocumentHost)
        TheDocumentHost->RepaintScaleReadout();

    CEntity* grid = FindGridRecord(doc);
    if (!grid)
        return;
    const CParameterBlock& p = doc->parameters;
    grid->style = static_cast<int16_t>(p.GridLineType * 100 + p.GridKind);
    if (grid->values.size() > 2)
        grid->values[2] = p.DefaultGridPitch;
    RelayoutPaper();
}

void COrvikCadView::RelayoutPaper()
{
    COrvikCadDoc* doc = GetDrawing();
    if (!doc)
        return;
    {
        auto dc = GetClientDc();
        dc->FillRect(dc->GetClipBox(), platform::Brush::Solid(colors[0]));
    }
    const double n = MappingScale();
    doc->ExtentsMax[0] = doc->ExtentsMin[0] + n * paperW;
    doc->ExtentsMax[1] = doc->ExtentsMin[1] + n * paperH;
    const double nx = n * paperW * 0.5, ny = n * paperH * 0.5;
    ShiftDrawing(*doc, nx - doc->DrawingOrigin[0], ny - doc->DrawingOrigin[1]);
    doc->DrawingOrigin[0] = nx;
    doc->DrawingOrigin[1] = ny;
    ResetToBaseView(0);
}
