// CDimensionTool: dispatch of the view's calls, the right click, the
// previews every sub-mode shares and the way a finished record enters the
// drawing.

#include "annotation_tools/DimensionTool.h"

#include "model/Document.h"
#include "model/Notify.h"
#include "model/Settings.h"
#include "tools/ToolEdit.h"
#include "view/OrvikCadView.h"

#include <algorithm>

CDimensionTool::CDimensionTool() : CDrawTool(ToolId::Dimension)
{
    XorPreviewShown = 0;
    InputPointCount = 0;
}

const CDimensionTool::SubModeRow* CDimensionTool::RowOf(int subMode)
{
    using Tool = CDimensionTool;
    using Step = SubModeStep<CDimensionTool>;
    static const SubModeRow rows[] = {
        {Step{"距離寸法の開始位置を指示して下さい。", &Tool::DistanceDimension, &Tool::MoveDistance, nullptr}, true},
        {Step{"水平寸法の開始位置を指示して下さい。", &Tool::ClickChain, &Tool::MoveChain, &Tool::CancelChain}, true},
        {Step{"垂直寸法の開始位置を指示して下さい。", &Tool::ClickChain, &Tool::MoveChain, &Tool::CancelChain}, true},
        {Step{"周長寸法を作図します。閉領域を指示して下さい。", &Tool::ClickPerimeter, &Tool::MovePerimeter,
              &Tool::CancelRegion},
         true},
        {Step{"半径を求める円・円弧を指示して下さい。", &Tool::RadiusDimension, &Tool::MoveRadius,
              &Tool::CancelPicked},
         false},
        {Step{"直径を求める円・円弧を指示して下さい。", &Tool::DiameterDimension, &Tool::MoveDiameter,
              &Tool::CancelPicked},
         false},
        {Step{"角度を求める図形要素を指示して下さい。。", &Tool::AngleDimension, &Tool::MoveAngle,
              &Tool::CancelRegion},
         false},
        {Step{"面積を求める閉領域を指示して下さい。", &Tool::AreaDimension, nullptr, &Tool::CancelArea}, false},
    };
    return FindSubModeRow(rows, subMode);
}

const char* CDimensionTool::StartPrompt(int subMode)
{
    const SubModeRow* row = RowOf(subMode);
    return row ? row->step.prompt : "";
}

// ---- the view's calls ----

void CDimensionTool::FocusOptionBox(COrvikCadView*)
{
    FocusMainOptionBox();
}

void CDimensionTool::OnLButtonDown(COrvikCadView* view, unsigned, platform::Point*)
{
    RecordRop2(view);
}

void CDimensionTool::OnLButtonUp(COrvikCadView* view, unsigned flags, platform::Point* point)
{
    if (view && point && view->GetDrawing())
        if (const SubModeRow* row = RowOf(ToolSubMode))
            RunStep(*this, row->step.click, view, *point);
    XorPreviewShown = 0;
    CDrawTool::OnLButtonUp(view, flags, point);
}

void CDimensionTool::OnMouseMove(COrvikCadView* view, unsigned, platform::Point* point)
{
    if (!view || !point)
        return;
    const SubModeRow* row = RowOf(ToolSubMode);
    if (!row)
        return;
    RunStep(*this, row->step.move, view, *point);
    if (row->magnetMarker)
        UpdateMagnetMarker(view, *point);
}

void CDimensionTool::OnRButtonDown(COrvikCadView* view, unsigned, platform::Point*)
{
    if (InputPointCount == 0 && !placingDimLine)
        return;
    const SubModeRow* row = RowOf(ToolSubMode);
    if (!row || !RunStep(*this, row->step.cancel, view))
        CancelCommon(view);
}

// ---- the rows' steps ----

void CDimensionTool::ClickChain(COrvikCadView* view, platform::Point point)
{
    if (placingDimLine)
        ChainDimension(ToolSubMode == DimensionMode::Vertical, view);
    else
        AddMeasurePoint(view, point);
}

void CDimensionTool::ClickPerimeter(COrvikCadView* view, platform::Point point)
{
    if (placingDimLine)
        PerimeterDimension(view);
    else
        PickPerimeterElement(view, point);
}

void CDimensionTool::MoveDistance(COrvikCadView* view, platform::Point point)
{
    if (InputPointCount == 1)
        ShowLineBand(view, point);
    else if (InputPointCount == 2)
        ShowDimLinePreview(view, point);
}

void CDimensionTool::MoveChain(COrvikCadView* view, platform::Point point)
{
    if (placingDimLine)
        ShowDimLinePreview(view, point);
    else if (InputPointCount >= 1)
        ShowLineBand(view, point);
}

void CDimensionTool::MovePerimeter(COrvikCadView* view, platform::Point point)
{
    if (!placingDimLine)
        return;
    corner = point;
    lastCursor_ = point;
    curveBand_.ShowLine(view, xorColor, anchor, point);
}

void CDimensionTool::MoveRadius(COrvikCadView* view, platform::Point point)
{
    if (InputPointCount == 1)
        ShowRadiusPreview(view, point);
}

void CDimensionTool::MoveDiameter(COrvikCadView* view, platform::Point point)
{
    if (InputPointCount == 1)
        ShowDiameterPreview(view, point);
    else if (InputPointCount == 2)
        ShowDimLinePreview(view, point);
}

void CDimensionTool::MoveAngle(COrvikCadView* view, platform::Point point)
{
    if (InputPointCount >= 2)
        ShowAnglePreview(view, point);
}

void CDimensionTool::CancelChain(COrvikCadView* view)
{
    const bool vertical = ToolSubMode == DimensionMode::Vertical;
    if (placingDimLine || InputPointCount < 2) {
        CancelCommon(view);
        return;
    }
    // The collection ends: the dimension line is placed next.
    lineBand_.Erase();
    const int lo = PickedExtreme(X, Y, InputPointCount, vertical ? 1 : 0, 0);
    const int hi = PickedExtreme(X, Y, InputPointCount, vertical ? 1 : 0, 1);
    if (!vertical) {
        // The line runs through the higher of the two points.
        const double y = std::max(Y[lo], Y[hi]);
        segment_[0] = X[lo];
        segment_[1] = y;
        segment_[2] = X[hi];
        segment_[3] = y;
    } else {
        const double x = std::min(X[lo], X[hi]);
        segment_[0] = x;
        segment_[1] = Y[lo];
        segment_[2] = x;
        segment_[3] = Y[hi];
    }
    if (view) {
        anchor = PreviewPoint(view, segment_[0], segment_[1]);
        corner = PreviewPoint(view, segment_[2], segment_[3]);
    }
    lastCursor_ = corner;
    placingDimLine = 1;
    Prompt(vertical ? "寸法線位置を指示して下さい。" : "寸法線位置を指定指定してください。");
    OperationRestarted = 1;
}

void CDimensionTool::CancelRegion(COrvikCadView* view)
{
    EraseFigures();
    ReleaseElements(view, false);
    CancelCommon(view);
}

void CDimensionTool::CancelArea(COrvikCadView* view)
{
    EraseFigures();
    ReleaseElements(view, true);
    CancelCommon(view);
}

void CDimensionTool::CancelPicked(COrvikCadView* view)
{
    EraseFigures();
    if (view)
        if (CEntity* e = picked.Get(view->GetDrawing()))
            DrawInState(view, e, EntityState::Normal);
    picked.Clear();
    CancelCommon(view);
}

void CDimensionTool::CancelCommon(COrvikCadView*)
{
    EraseFigures();
    placingDimLine = 0;
    InputPointCount = 0;
    elementCount_ = 0;
    Prompt(StartPrompt(ToolSubMode));
    OperationRestarted = 1;
}

void CDimensionTool::Reset(COrvikCadView* view)
{
    ResetByRightClick(view);
}

void CDimensionTool::RedrawToolFigures(COrvikCadView* view, platform::Dc& dc)
{
    if (!view)
        return;
    lineBand_.Redraw(view, dc);
    dimBand_.Redraw(view, dc);
    chainBand_.Redraw(view, dc);
    curveBand_.Redraw(view, dc);
    crossBand_.Redraw(view, dc);
}

// ---- shared services ----

CDrawTool::TakenPoint CDimensionTool::MeasurePoint(COrvikCadView* view, platform::Point point)
{
    if (MagnetEnabled || magnetKind != 0)
        return TakePoint(view, point, 0);
    TakenPoint t;
    double px = 0.0, py = 0.0;
    if (view->PickEntity(0, point.x, point.y, px, py)) {
        t.x = px;
        t.y = py;
        t.view = PreviewPoint(view, px, py);
        t.source = PointSource::Pick;
    } else {
        t.x = view->XToModel(point.x);
        t.y = view->YToModel(point.y);
        t.view = point;
    }
    return t;
}

DimensionStyle CDimensionTool::Style(COrvikCadView* view) const
{
    const COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    return DimensionStyle::Current(doc ? ScaleDenominatorFor(doc->header.scale) : 1);
}

CEntity* CDimensionTool::AddDimension(COrvikCadView* view, DimensionRecord& record)
{
    CEntity* added = nullptr;
    {
        ToolEdit edit(view);  // drops the pending undo step first
        if (edit.Ready()) {
            EntityHeader header = edit.Header(EntityType::Dimension, static_cast<int16_t>(record.kind),
                                              static_cast<int16_t>(record.values.size()));
            header.style = static_cast<int16_t>(std::clamp<int>(CurrentPen, 0, 7));
            added = edit.Add(header, record.codes.data(), record.values.data());
            if (added)
                view->DrawEntityChain(edit.Dc(), added->owner ? added->owner : added);
        }
    }
    InputPointCount = 0;
    Prompt(StartPrompt(ToolSubMode));
    return added;
}

int CDimensionTool::ProjectPoint(COrvikCadView* view, platform::Point cursor, platform::Point& p1,
                                 platform::Point& p2, DimensionLine* line)
{
    const DimensionLine l = ProjectDimensionLine(segment_[0], segment_[1], segment_[2], segment_[3],
                                                 view->XToModel(cursor.x), view->YToModel(cursor.y));
    if (line)
        *line = l;
    if (l.status != 0)
        return l.status;
    p1 = PreviewPoint(view, l.x1, l.y1);
    p2 = PreviewPoint(view, l.x2, l.y2);
    return 0;
}

void CDimensionTool::AskForDimensionLine()
{
    segment_[0] = X[0];
    segment_[1] = Y[0];
    segment_[2] = X[1];
    segment_[3] = Y[1];
    InputPointCount = 2;
    Prompt("寸法線位置を指示して下さい。");
}

DimensionLine CDimensionTool::LineAtLastCursor(COrvikCadView* view, platform::Point& first)
{
    platform::Point second{};
    DimensionLine line;
    if (ProjectPoint(view, lastCursor_, first, second, &line) != 0) {
        line.x1 = segment_[0];
        line.y1 = segment_[1];
        line.x2 = segment_[2];
        line.y2 = segment_[3];
    }
    return line;
}

void CDimensionTool::ShowLineBand(COrvikCadView* view, platform::Point cursor)
{
    corner = cursor;
    lastCursor_ = cursor;
    lineBand_.ShowLine(view, xorColor, anchor, cursor);
    XorPreviewShown = 1;
}

void CDimensionTool::ShowDimLinePreview(COrvikCadView* view, platform::Point cursor)
{
    lastCursor_ = cursor;
    platform::Point p1{}, p2{};
    if (ProjectPoint(view, cursor, p1, p2) != 0) {
        dimBand_.Erase();
        return;
    }
    dimBand_.Clear();
    dimBand_.AddLine(anchor, corner);
    dimBand_.AddLine(p1, p2);
    dimBand_.AddLine(corner, p2);
    dimBand_.AddLine(anchor, p1);
    dimBand_.Show(view, xorColor);
}

void CDimensionTool::EraseFigures()
{
    lineBand_.Erase();
    dimBand_.Erase();
    chainBand_.Erase();
    curveBand_.Erase();
    crossBand_.Erase();
    XorPreviewShown = 0;
}

void CDimensionTool::DrawInState(COrvikCadView* view, CEntity* e, int state)
{
    if (!view || !e)
        return;
    auto dc = view->GetClientDc();
    view->DrawEntity(*dc, e, state);
}

void CDimensionTool::ReleaseElements(COrvikCadView* view, bool resetStates)
{
    COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    for (HeldEntity& held : elements) {
        if (CEntity* e = doc ? held.Get(doc) : nullptr) {
            if (resetStates)
                e->state = EntityState::Normal;
            DrawInState(view, e, EntityState::Normal);
        }
        held.Clear();
    }
    picked.Clear();
}
