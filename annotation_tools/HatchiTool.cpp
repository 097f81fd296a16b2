// CHatchiTool: the picks of a region and the hatch or fill record made of
// it.

#include "annotation_tools/HatchiTool.h"

#include "annotation_tools/DimensionTool.h"
#include "model/BoundaryRecord.h"
#include "model/Document.h"
#include "model/Notify.h"
#include "model/Settings.h"
#include "tools/ToolEdit.h"
#include "view/OrvikCadView.h"

#include <algorithm>
#include <vector>

namespace {

bool ClosedShape(int type)
{
    return type == EntityType::Circle || type == EntityType::Ellipse || type == EntityType::Polygon;
}

void DrawInState(COrvikCadView* view, CEntity* e, int state)
{
    auto dc = view->GetClientDc();
    view->DrawEntity(*dc, e, state);
}

} // namespace

CHatchiTool::CHatchiTool() : CDrawTool(ToolId::Hatch)
{
    InputPointCount = 0;
}

const CHatchiTool::SubModeRow* CHatchiTool::RowOf(int subMode)
{
    static const SubModeRow rows[] = {
        {{"ハッチングを行う閉領域を指示して下さい。", &CHatchiTool::PickHatchBoundary, nullptr, nullptr}, true},
        {{"塗つぶしを行う閉領域を指示して下さい。", &CHatchiTool::PickFillBoundary, nullptr, nullptr}, false},
    };
    return FindSubModeRow(rows, subMode);
}

const char* CHatchiTool::StartPrompt(int subMode)
{
    return RowOf(subMode == 1 ? 1 : 0)->step.prompt;
}

void CHatchiTool::FocusOptionBox(COrvikCadView*)
{
    const SubModeRow* row = RowOf(ToolSubMode);
    if (row && row->focusesOptions)
        FocusMainOptionBox();
}

void CHatchiTool::OnLButtonUp(COrvikCadView* view, unsigned flags, platform::Point* point)
{
    if (view && point && view->GetDrawing())
        if (const SubModeRow* row = RowOf(ToolSubMode))
            RunStep(*this, row->step.click, view, *point);
    CDrawTool::OnLButtonUp(view, flags, point);
}

void CHatchiTool::OnRButtonDown(COrvikCadView* view, unsigned, platform::Point*)
{
    if (InputPointCount == 0)
        return;
    ReleaseElements(view);
    Prompt(StartPrompt(ToolSubMode));
    InputPointCount = 0;
    OperationRestarted = 1;
}

void CHatchiTool::Reset(COrvikCadView* view)
{
    OnRButtonDown(view, 0, nullptr);
}

void CHatchiTool::PickHatchBoundary(COrvikCadView* view, platform::Point point)
{
    PickBoundary(view, point, false);
}

void CHatchiTool::PickFillBoundary(COrvikCadView* view, platform::Point point)
{
    PickBoundary(view, point, true);
}

void CHatchiTool::ReleaseElements(COrvikCadView* view)
{
    COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    for (HeldEntity& held : BoundaryElements) {
        if (CEntity* e = doc ? held.Get(doc) : nullptr) {
            e->state = EntityState::Normal;
            DrawInState(view, e, EntityState::Normal);
        }
        held.Clear();
    }
    PickedElement.Clear();
}

void CHatchiTool::PickBoundary(COrvikCadView* view, platform::Point point, bool fill)
{
    COrvikCadDoc* doc = view->GetDrawing();
    const int m = InputPointCount;
    if (m >= MaxElements) {
        MessageBeep(1);
        return;
    }
    double px = 0.0, py = 0.0;
    CEntity* e = view->PickEntity(-25, point.x, point.y, px, py);
    if (!e) {
        MessageBeep(1);
        return;
    }
    PickedElement.Hold(doc, e);
    bool closes = false;
    if (m == 0) {
        BoundaryElements[0].Hold(doc, e);
        Prompt("次の閉領域の要素を選んで下さい。");
        closes = ClosedShape(e->type);
    } else {
        CEntity* previous = BoundaryElements[m - 1].Get(doc);
        if (!previous) {
            // The element before was undone since it was picked: the chain
            // is broken and starts again.
            MessageBeep(1);
            ReleaseElements(view);
            InputPointCount = 0;
            Prompt(StartPrompt(fill ? 1 : 0));
            return;
        }
        if (ClosedShape(e->type)) {
            MessageBeep(1);
            return;
        }
        double x = px, y = py;
        if (!RegionJunction(previous, e, px, py, x, y)) {
            MessageBeep(1);
            return;
        }
        X[m] = x;
        Y[m] = y;
        closes = BoundaryElements[0].Get(doc) == e;
        if (!closes)
            BoundaryElements[m].Hold(doc, e);
    }
    if (!closes || m == 0) {
        e->state = m == 0 ? EntityState::Marked : EntityState::Highlighted;
        DrawInState(view, e, e->state);
    }
    if (!closes) {
        InputPointCount = m + 1;
        return;
    }
    if (m > 0) {
        X[0] = X[m];
        Y[0] = Y[m];
    }
    CloseRegion(view, m == 0 ? 1 : m, fill);
}

void CHatchiTool::CloseRegion(COrvikCadView* view, int count, bool fill)
{
    COrvikCadDoc* doc = view->GetDrawing();
    Prompt(StartPrompt(fill ? 1 : 0));

    // The record is laid out before anything changes.
    std::vector<BoundaryElement> elements;
    bool lost = false;
    for (int i = 0; i < count; ++i) {
        const CEntity* e = BoundaryElements[i].Get(doc);
        if (!e)
            lost = true;
        else
            elements.push_back({e, X[i], Y[i]});
    }
    BoundaryEntries entries;
    if (!lost) {
        if (fill) {
            entries = FillRecordEntries(elements);
        } else {
            HatchSettings hs;
            hs.pattern = HatchPattern;
            const double k = UnitsMode == 1 ? std::max(ScaleDenominatorFor(doc->header.scale), 1) : 1;
            hs.spacingX = static_cast<double>(HatchSpacingX) * k;
            hs.spacingY = static_cast<double>(HatchSpacingY) * k;
            hs.angle = static_cast<double>(HatchAngle);
            entries = HatchRecordEntries(elements, hs);
        }
    }
    ReleaseElements(view);
    InputPointCount = 0;
    if (lost || !entries.ok) {
        MessageBeep(1);
        return;
    }

    ToolEdit edit(view);  // drops the pending undo step
    if (!edit.Ready())
        return;
    const auto n = static_cast<int16_t>(entries.values.size());
    EntityHeader header;
    if (fill) {
        header = edit.Header(EntityType::Fill, entries.elementCount, n);
        header.style = static_cast<int16_t>(PaintPattern * 100 + std::clamp<int>(CurrentPen, 0, 7));
    } else {
        header = edit.Header(EntityType::Hatch, HatchPattern, n);
        header.style = static_cast<int16_t>(std::clamp<int>(CurrentPen, 0, 7));
    }
    edit.Add(header, entries.codes.data(), entries.values.data());
}
