// The tool base's work on the view: the magnet marker, the point of a click,
// undo with its repainting, the shared bodies and prompts.

#include "view/DrawTool.h"

#include "view/FrameHost.h"
#include "view/OrvikCadView.h"
#include "view/ViewDispatch.h"
#include "model/Document.h"
#include "model/Settings.h"
#include "model/SnapPointList.h"
#include "tools/DrawingEdit.h"
#include "view/ToolState.h"

void CDrawTool::OnLButtonUp(COrvikCadView*, unsigned, platform::Point*)
{
    ReleaseViewCapture();
}

void CDrawTool::Undo(COrvikCadView* view)
{
    COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    if (!doc)
        return;
    auto dc = view->GetClientDc();
    UndoDrawing(
        *doc, [view](CEntity* e) { view->InvalidateEntity(e); },
        [view, &dc](CEntity* e) { view->DrawEntity(*dc, e, EntityState::Normal); });
}

void CDrawTool::ClearSelection(COrvikCadView* view)
{
    COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    if (!SelectionArmed || !doc)
        return;
    auto dc = view->GetClientDc();
    for (CEntity* e = doc->list.first; e; e = e->next) {
        if (e->state == EntityState::Selected) {
            e->state = EntityState::Normal;
            view->DrawEntity(*dc, e, EntityState::Normal);
        }
    }
}

void CDrawTool::RecordRop2(COrvikCadView* view)
{
    if (!view)
        return;
    auto dc = view->GetClientDc();
    savedRop2 = static_cast<int>(dc->GetRop2());
}

void CDrawTool::FocusMainOptionBox()
{
    if (CFrameHost* frame = AfxGetFrameHost())
        frame->FocusOperationBox();
}

void CDrawTool::Prompt(const char* utf8, bool warning)
{
    ShowPrompt(utf8, warning);
}

platform::Point CDrawTool::PreviewPoint(const COrvikCadView* view, double x, double y)
{
    // The mapping clamps before it makes integers, so a centre far away
    // (a nearly straight three-point arc) still gives a usable pixel.
    return {view->XToDevice(x), view->YToDevice(y)};
}

// ---- the magnet marker ----

void CDrawTool::DrawMarkerOn(platform::Dc& dc, int kind, platform::Point at)
{
    const platform::Rop2 kept = dc.SetRop2(platform::Rop2::NotXorPen);
    const platform::Pen oldPen = dc.SelectPen(platform::Pen::Make(platform::PenStyle::Solid, 1, altColor));
    const platform::Brush oldBrush = dc.SelectBrush(platform::Brush::NullBrush());
    const int x = at.x, y = at.y;
    if (kind == SnapKind::Intersection)
        dc.Ellipse(x - 5, y - 5, x + 5, y + 5);
    else
        dc.Rectangle(x - 4, y - 4, x + 4, y + 4);
    dc.SelectBrush(oldBrush);
    dc.SelectPen(oldPen);
    dc.SetRop2(kept);
}

void CDrawTool::DrawMarker(COrvikCadView* view, int kind, platform::Point at)
{
    auto dc = view->GetClientDc();
    DrawMarkerOn(*dc, kind, at);
}

void CDrawTool::RedrawMagnetMarker(COrvikCadView* view, platform::Dc& dc)
{
    if (magnetKind != 0 && view && markerView_.data() == static_cast<QWidget*>(view))
        DrawMarkerOn(dc, magnetKind, markerDevice);
}

void CDrawTool::EraseMagnetMarker(COrvikCadView* view)
{
    (void)view;
    if (magnetKind == 0)
        return;
    if (auto* shown = static_cast<COrvikCadView*>(markerView_.data()))
        DrawMarker(shown, magnetKind, markerDevice);
    magnetKind = 0;
    markerView_.clear();
}

void CDrawTool::ForgetMagnetMarker(const COrvikCadView* view)
{
    if (magnetKind != 0 && (!markerView_ || markerView_.data() == static_cast<const QWidget*>(view))) {
        magnetKind = 0;
        markerView_.clear();
    }
}

void CDrawTool::UpdateMagnetMarker(COrvikCadView* view, platform::Point point, const CEntity* except)
{
    if (!MagnetEnabled || !view)
        return;
    // A marker left in another window goes first: its pixels are there.
    if (magnetKind != 0 && markerView_.data() != static_cast<QWidget*>(view))
        EraseMagnetMarker(view);

    double x = 0.0, y = 0.0;
    const int k = except ? view->FindNearestSnapPointExcept(point.x, point.y, x, y, except)
                         : view->FindNearestSnapPoint(point.x, point.y, x, y);
    if (k == magnetKind || (k == -1 && magnetKind == 0))
        return;
    if (magnetKind != 0) {
        // The kind changed: this move only takes the old marker away.
        EraseMagnetMarker(view);
        return;
    }
    markerDevice = PreviewPoint(view, x, y);
    DrawMarker(view, k, markerDevice);
    markerPoint[0] = x;
    markerPoint[1] = y;
    magnetKind = k;
    markerView_ = view;
}

CDrawTool::PointSource CDrawTool::ClickPoint(COrvikCadView* view, platform::Point point, int filter, double& x,
                                             double& y)
{
    if (magnetKind != 0 && markerView_.data() == static_cast<QWidget*>(view)) {
        x = markerPoint[0];
        y = markerPoint[1];
        return PointSource::Marker;
    }
    double px = 0.0, py = 0.0;
    if (view->PickEntity(MagnetEnabled ? filter : -999, point.x, point.y, px, py)) {
        x = px;
        y = py;
        return PointSource::Pick;
    }
    x = view->XToModel(point.x);
    y = view->YToModel(point.y);
    return PointSource::Raw;
}

CDrawTool::TakenPoint CDrawTool::TakePoint(COrvikCadView* view, platform::Point point, int filter)
{
    TakenPoint t;
    t.source = ClickPoint(view, point, filter, t.x, t.y);
    switch (t.source) {
    case PointSource::Marker:
        t.view = markerDevice;
        break;
    case PointSource::Pick:
        t.view = PreviewPoint(view, t.x, t.y);
        break;
    case PointSource::Raw:
        t.view = point;
        break;
    }
    return t;
}

CDrawTool::TakenPoint CDrawTool::TypedPoint(const COrvikCadView* view, double x, double y)
{
    TakenPoint t;
    t.x = x;
    t.y = y;
    t.view = PreviewPoint(view, x, y);
    t.typed = true;
    return t;
}
