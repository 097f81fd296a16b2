// COrvikCadView: mouse messages to the current tool and the view's own mouse
// modes (band, centre move, hand pan), cursors, the cursor's coordinates in
// the status bar and the commands forwarded to the tool.
//
// Mouse modes: 0 the tool gets the messages; 1 a band is armed (the next
// left press fixes its first corner); 2 the band follows the mouse until the
// next left release; 3 the next click centres the view; 4 hand pan.

#include "view/ViewDispatch.h"

#include "view/FrameHost.h"
#include "view/OrvikCadView.h"
#include "model/Settings.h"
#include "model/Document.h"
#include "resources/Resource.h"
#include "resources/Strings.h"
#include "view/DrawTool.h"
#include "view/ToolList.h"
#include "view/ToolState.h"

#include <QCursor>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QVariant>

#include <algorithm>
#include <cmath>
#include <cstdio>

std::function<void(COrvikCadView&, const platform::Rect&)> SaveBandRegion;

namespace {

QPointer<COrvikCadView> CaptureView;

// Where the mouse last moved in a view (a QPoint, logical client point).
constexpr const char* CursorPointProperty = "orvikCursorPoint";

// The status bar's X and Y read-outs for the point where the mouse last was
// in the view; a view the mouse has not been over yet reads 0, 0.
void ShowCursorCoordinates(COrvikCadView& view)
{
    CFrameHost* frame = AfxGetFrameHost();
    if (!frame)
        return;
    double x = 0.0, y = 0.0;
    const QVariant seen = view.property(CursorPointProperty);
    if (seen.isValid()) {
        const QPoint p = seen.toPoint();
        const COrvikCadDoc* doc = view.GetDrawing();
        const double ox = doc ? doc->DrawingOrigin[0] : 0.0, oy = doc ? doc->DrawingOrigin[1] : 0.0;
        x = view.XToModel(p.x()) - ox;
        y = view.YToModel(p.y()) - oy;
    }
    frame->SetPaneText(1, QString::fromStdString(CoordinatePaneText('X', x)));
    frame->SetPaneText(2, QString::fromStdString(CoordinatePaneText('Y', y)));
}


void StartBand(COrvikCadView& view, platform::Point p)
{
    view.bandRect = {p.x, p.y, p.x, p.y};
    auto dc = view.GetClientDc();
    view.savedRop2 = static_cast<int16_t>(dc->GetRop2());
}

int SaturatedInt(double v)
{
    if (!(v == v))
        return 0;
    return static_cast<int>(std::clamp(v, -2147483000.0, 2147483000.0));
}

} // namespace

void DrawBand(COrvikCadView& view, platform::Dc& dc, const platform::Rect& band)
{
    const platform::Pen oldPen = dc.SelectPen(platform::Pen::Make(platform::PenStyle::Dot, 1, view.colors[5]));
    const platform::Brush oldBrush = dc.SelectBrush(platform::Brush::NullBrush());
    dc.SetRop2(platform::Rop2::NotXorPen);
    dc.Rectangle(band.left, band.top, band.right, band.bottom);
    dc.SelectBrush(oldBrush);
    dc.SelectPen(oldPen);
    dc.SetRop2(static_cast<platform::Rop2>(view.savedRop2));
}

void SetViewCapture(COrvikCadView* view)
{
    CaptureView = view;
}

void ReleaseViewCapture()
{
    CaptureView.clear();
}

COrvikCadView* GetViewCapture()
{
    return CaptureView.data();
}

platform::Point ClientToLogical(const COrvikCadView& view, platform::Point client)
{
    return {client.x + view.FrameScrollX(), client.y + view.FrameScrollY()};
}

std::string CoordinatePaneText(char axis, double value)
{
    if (value > -1.0 && value < 1.0)
        value = 0.0;
    char text[64];
    std::snprintf(text, sizeof text, axis == 'X' ? "X :%7.0f" : "Y :%7.0f", value);
    return text;
}

// ---- mouse messages ----

void COrvikCadView::OnLButtonDown(unsigned flags, platform::Point point)
{
    downX = point.x;
    downY = point.y;
    if (mouseMode == 4)
        handPanDrag = 1;
    SetViewCapture(this);
    lButtonDown = 1;
    platform::Point p = ClientToLogical(*this, point);
    if (rButtonDown == 1) {
        mouseMode = 2;
        StartBand(*this, p);
    } else if (mouseMode == 1) {
        StartBand(*this, p);
    } else if (mouseMode == 0) {
        if (CDrawTool* tool = FindCurrentTool())
            tool->OnLButtonDown(this, flags, &p);
    }
    OnSetCursor();
}

void COrvikCadView::OnLButtonUp(unsigned flags, platform::Point point)
{
    if (GetViewCapture() != this)
        return;
    platform::Point p = ClientToLogical(*this, point);
    switch (mouseMode) {
    case 0:
        if (rButtonDown == 0) {
            if (CDrawTool* tool = FindCurrentTool())
                tool->OnLButtonUp(this, flags, &p);
        }
        break;
    case 1:
        mouseMode = 2;
        if (bandPurpose == 2)
            ShowPrompt("画像保存する図形を囲んで終了位置をクリックしてください。", false);
        break;
    case 2: {
        mouseMode = 0;
        auto dc = GetClientDc();
        DrawBand(*this, *dc, bandRect);
        const platform::Rect band = bandRect;
        // The screen's drawing context goes before the save's file chooser
        // or the zoom draws on the view again.
        dc.reset();
        if (bandPurpose == 2) {
            if (SaveBandRegion)
                SaveBandRegion(*this, band);
        } else if (bandPurpose == 0) {
            if (band.right < band.left && band.bottom < band.top) {
                ZoomOut(0.5);
            } else {
                auto zoomDc = GetClientDc();
                ZoomToBand(*zoomDc);
            }
            bandRect = {p.x, p.y, p.x, p.y};
            ButtonDownPending = 0;
        }
        break;
    }
    case 3: {
        const double z = MappingZoom(), n = MappingScale();
        const double mx = (scrollX + p.x) / z * n;
        const double my = (clientH - p.y + scrollY) / z * n;
        scrollX = SaturatedInt(z * mx / n) - clientW / 2;
        scrollY = SaturatedInt(z * my / n) - clientH / 2;
        RedrawOnClientDc();
        mouseMode = 0;
        break;
    }
    case 4: {
        auto dc = GetClientDc();
        PanByDrag(*dc, p.x, p.y);
        handPanDrag = 0;
        break;
    }
    default:
        break;
    }
    ReleaseViewCapture();
    lButtonDown = 0;
    OnSetCursor();
}

void COrvikCadView::PanByDrag(platform::Dc&, int x, int y)
{
    if (x == downX && y == downY)
        return;
    const double d = std::hypot(double(downX - x), double(downY - y));
    if (d < 10.0)
        return;
    scrollX += downX - x;
    scrollY += y - downY;
    forceErase = 1;
    RedrawOnClientDc();
    forceErase = 0;
}

void COrvikCadView::OnLButtonDblClk(unsigned flags, platform::Point point)
{
    platform::Point p = ClientToLogical(*this, point);
    if (CDrawTool* tool = FindCurrentTool())
        tool->OnLButtonDblClk(this, flags, &p);
}

void COrvikCadView::OnRButtonDown(unsigned flags, platform::Point point)
{
    // The tool gets the point as the message gives it.
    platform::Point client = point;
    if (CDrawTool* tool = FindCurrentTool()) {
        tool->OnRButtonDown(this, flags, &client);
        // A cancelled step leaves no marker behind.
        tool->EraseMagnetMarker(this);
    }
    rButtonDown = 1;
    if (lButtonDown == 1) {
        mouseMode = 2;
        StartBand(*this, ClientToLogical(*this, point));
    }
    OnSetCursor();
}

void COrvikCadView::OnRButtonUp(unsigned, platform::Point point)
{
    rButtonDown = 0;
    // The context menu follows the release, as the framework sends it.
    if (lButtonDown == 0 && mouseMode == 0) {
        const QPoint screen = mapToGlobal(QPoint(point.x, point.y));
        OnContextMenu(screen.x(), screen.y());
    }
}

void COrvikCadView::OnMouseMove(unsigned flags, platform::Point point)
{
    platform::Point p = ClientToLogical(*this, point);
    if (mouseMode == 0) {
        if (CDrawTool* tool = FindCurrentTool()) {
            tool->xorColor = colors[3];
            tool->altColor = colors[2];
            tool->backColor = colors[0];
            tool->OnMouseMove(this, flags, &p);
        }
    } else if (mouseMode == 2) {
        if (p.x != bandRect.right || p.y != bandRect.bottom) {
            auto dc = GetClientDc();
            DrawBand(*this, *dc, bandRect);
            bandRect.right = p.x;
            bandRect.bottom = p.y;
            DrawBand(*this, *dc, bandRect);
        }
    }

    // Kept on the view, so the read-outs can show it again when the view
    // becomes active.
    setProperty(CursorPointProperty, QPoint(p.x, p.y));
    ShowCursorCoordinates(*this);
}

// The view's own cursors 198-201, drawn in the resources with the hot spot
// at the cross or the middle of the hand. The stock shape stands in only if
// a picture is missing.
static QCursor ResourceCursor(int id, Qt::CursorShape fallback)
{
    InitResources();
    const QPixmap picture(QStringLiteral(":/orvik/pictures/cur_%1.png").arg(id));
    if (picture.isNull()) return QCursor(fallback);
    return QCursor(picture, 15, 15);
}

bool COrvikCadView::OnSetCursor()
{
    if (mouseMode == 4) {
        setCursor(handPanDrag == 1 ? ResourceCursor(199, Qt::ClosedHandCursor)
                                   : ResourceCursor(200, Qt::OpenHandCursor));
        return true;
    }
    if (bandPurpose == 2 && (mouseMode == 1 || mouseMode == 2)) {
        // The band's first corner, then its second.
        setCursor(mouseMode == 1 ? ResourceCursor(201, Qt::CrossCursor)
                                 : ResourceCursor(198, Qt::CrossCursor));
        return true;
    }
    unsetCursor();
    return false;
}

// ---- commands forwarded to the tool ----

void COrvikCadView::OnEditUndo()
{
    if (CDrawTool* tool = FindCurrentTool())
        tool->Undo(this);
}

void COrvikCadView::OnEnterKey()
{
    if (CDrawTool* tool = FindCurrentTool())
        tool->OnEnterKey(this);
}

void COrvikCadView::OnFocusOptionBox()
{
    if (CDrawTool* tool = FindCurrentTool())
        tool->FocusOptionBox(this);
}

void COrvikCadView::OnToolReset()
{
    if (CDrawTool* tool = FindCurrentTool()) {
        tool->Reset(this);
        // Whatever the tool's own reset does, no marker stays behind.
        tool->EraseMagnetMarker(this);
    }
}

void COrvikCadView::OnEndSelection()
{
    if (CDrawTool* tool = FindCurrentTool())
        tool->EndSelection(this);
}

void COrvikCadView::OnSelectAll()
{
    if (CDrawTool* tool = FindCurrentTool())
        tool->SelectAll(this);
}

void COrvikCadView::RestoreToolFigures(platform::Dc& dc)
{
    if (CDrawTool* tool = FindCurrentTool()) {
        tool->RedrawMagnetMarker(this, dc);
        tool->RedrawToolFigures(this, dc);
    }
}

void COrvikCadView::OnActivateView(bool activate, CView* activated, CView* deactivated)
{
    CView::OnActivateView(activate, activated, deactivated);
    if (activate) {
        COrvikCadDoc* doc = GetDrawing();
        if (doc && ActiveView != this) {
            // The layer list follows the drawing that has become active.
            LayerCount = doc->layerCount;
            CurrentLayer = doc->currentLayer;
            for (int i = 0; i < MaxLayers; ++i) {
                LayerStates[i] = doc->layerStates[i];
                LayerNames[i] = doc->layerNames[i].substr(0, MaxLayerNameBytes);
            }
            if (CFrameHost* frame = AfxGetFrameHost())
                frame->RefillLayerList();
        }
        ActiveView = this;
        // A copy between drawings waits for its destination in the view
        // activated after the base point was given.
        if (CurrentToolId == ToolId::Move && ToolSubMode == 6 && InputPointCount == 3) {
            OperationRestarted = 1;
            ShowPrompt("複写先の位置(点)を指示して下さい。");
        } else {
            OperationRestarted = 0;
        }
        // The status bar reads this drawing's coordinates, not the last one's.
        ShowCursorCoordinates(*this);
        if (doc) {
            // So does the scale read-out.
            const float s = doc->header.scale;
            scale = s;
            ScaleDenominator = ScaleDenominatorFor(s);
            if (TheDocumentHost)
                TheDocumentHost->RepaintScaleReadout();
        }
        return;
    }
    if (CDrawTool* tool = FindCurrentTool()) {
        const bool copyingBetweenDrawings = CurrentToolId == ToolId::Move && ToolSubMode == 6;
        if (InputPointCount != 0 && !copyingBetweenDrawings)
            tool->Reset(this);
        tool->EraseMagnetMarker(this);
    }
}
