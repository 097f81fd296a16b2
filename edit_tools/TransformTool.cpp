// The transform tool: its selection step, the end of the selection and the
// offset. Scaling and stretching run from the same selection step.

#include "edit_tools/TransformTool.h"

#include "edit_tools/ReplaceSelection.h"
#include "edit_tools/SelectTool.h"
#include "model/EntityTransform.h"
#include "model/Document.h"
#include "model/EditProtocol.h"
#include "model/EntityBox.h"
#include "model/Notify.h"
#include "model/OffsetChain.h"
#include "model/Settings.h"
#include "model/SnapPointList.h"
#include "view/OrvikCadView.h"

#include <cstdlib>

namespace {

constexpr int WindowTolerance = 10;  // logical pixels between press and release

} // namespace

const char* CTransformTool::FirstPrompt(int subMode)
{
    switch (subMode) {
    case 0: return "図形の拡大・縮小を行います。対象図形を選んでください。";
    case 1: return "ストレッチを行います。対象図形を選んでください。";
    case 2: return "図形のオフセットを行います。対象図形を選んでください。";
    default: return "";
    }
}

const char* CTransformTool::MenuPrompt(int subMode)
{
    switch (subMode) {
    case 0: return "マウス右ボタンで、拡大・縮小メニューを表示します。";
    case 1: return "マウス右ボタンで、ストレッチメニューを表示します。";
    case 2: return "マウス右ボタンで、オフセットメニューを表示します。";
    default: return "";
    }
}

void CTransformTool::OnLButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point)
{
    if (!view || !point || (flags & ToolFlags::RButton))
        return;
    RecordRop2(view);
    ButtonDownPending = 1;
    anchor = corner = *point;
}

void CTransformTool::OnMouseMove(COrvikCadView* view, unsigned, platform::Point* point)
{
    if (!view || !point || InputPointCount != 0)
        return;
    if (ButtonDownPending)
        DrawDragRect(view, *point, 0);
}

void CTransformTool::OnLButtonUp(COrvikCadView* view, unsigned, platform::Point* point)
{
    if (!view || !point)
        return;
    if (InputPointCount != 0) {
        if (ToolSubMode == 2)
            Offset(view, *point);
        // The stretch's reference line comes with the stretch.
        SelectionArmed = 0;
        ButtonDownPending = 0;
        XorPreviewShown = 0;
        return;
    }
    COrvikCadDoc* doc = view->GetDrawing();
    if (!doc)
        return;
    if (ButtonDownPending) {
        ButtonDownPending = 0;
        // One more drawing of the band takes it away.
        if (XorPreviewShown) {
            XorPreviewShown = 0;
            DrawDragRect(view, corner, 0);
        }
    }
    // The release decides between a click and a window, however few moves
    // the band saw.
    corner = *point;
    if (std::abs(corner.x - anchor.x) >= WindowTolerance || std::abs(corner.y - anchor.y) >= WindowTolerance) {
        SelectInWindow(view, *point);
    } else {
        double x = 0, y = 0;
        CEntity* e = view->PickEntity(MagnetEnabled ? 1 : -999, point->x, point->y, x, y);
        if (e && e->layer == static_cast<int>(view->currentLayer)) {
            CEntity* unit = e->owner ? e->owner : e;
            const int16_t state = unit->state == EntityState::Marked ? EntityState::Normal : EntityState::Marked;
            unit->state = state;
            SetGroupMembersState(view, unit, state);
            auto dc = view->GetClientDc();
            view->DrawEntity(*dc, unit, state);
            m_pickState = 1;
        }
    }
    if (m_pickState == 1) {
        SelectionArmed = 1;
        Prompt(MenuPrompt(ToolSubMode));
    }
    ButtonDownPending = 0;
    XorPreviewShown = 0;
}

void CTransformTool::SelectInWindow(COrvikCadView* view, platform::Point point)
{
    int x1 = anchor.x, y1 = anchor.y, x2 = point.x, y2 = point.y;
    NormalizeRect(x1, y1, x2, y2);
    double wx1 = view->XToModel(x1), wy1 = view->YToModel(y1), wx2 = view->XToModel(x2), wy2 = view->YToModel(y2);
    NormalizeWorldRect(wx1, wy1, wx2, wy2);
    SelectInRect(view, wx1, wy1, wx2, wy2, EntityState::Marked);
    m_pickState = 1;
}

void CTransformTool::OnRButtonDown(COrvikCadView* view, unsigned, platform::Point*)
{
    const COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    if (!doc || SelectionArmed)
        return;
    for (const CEntity* e = doc->list.first; e; e = e->next)
        if (e->state == EntityState::Marked) {
            SelectionArmed = 1;
            return;
        }
}

void CTransformTool::Reset(COrvikCadView* view)
{
    if (COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr) {
        for (CEntity* e = doc->list.first; e; e = e->next)
            if (e->state == EntityState::Selected || e->state == EntityState::Marked ||
                e->state == EntityState::Highlighted) {
                e->state = EntityState::Normal;
                view->InvalidateEntity(e);
            }
    }
    m_pickState = 0;
    SelectionArmed = 0;
    InputPointCount = 0;
    ButtonDownPending = 0;
    XorPreviewShown = 0;
    Prompt(FirstPrompt(ToolSubMode));
}

void CTransformTool::EndSelection(COrvikCadView* view)
{
    COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    if (!doc)
        return;
    switch (ToolSubMode) {
    case 0:
        ScaleSelection(view);
        Prompt(FirstPrompt(0));
        SelectionArmed = 0;
        m_pickState = 0;
        break;
    case 1:
        InputPointCount = 1;
        Prompt("ストレッチの基準となる直線をマウスクリックしてください。");
        break;
    case 2: {
        InputPointCount = 1;
        CEntity* first = nullptr;
        for (CEntity* e = doc->list.first; e; e = e->next)
            if (e->state == EntityState::Marked && e->type != EntityType::GroupHeader) {
                first = e;
                break;
            }
        if (!first) {
            Prompt("オフセットする閉領域の中か外をクリックしてください。");
            break;
        }
        const OffsetChains chains(doc->list);
        const int kind = chains.ClassifyChain(first);
        if (kind == 0) {
            Prompt("オフセットする閉領域の中か外をクリックしてください。");
            break;
        }
        if (kind == 3)
            first = const_cast<CEntity*>(chains.FindChainStart(first));
        if (!first)
            break;
        // The reference is shown highlighted; it stays marked.
        {
            auto dc = view->GetClientDc();
            view->DrawEntity(*dc, first, EntityState::Highlighted);
        }
        Prompt("赤表示された図形を基準にオフセット位置をクリックしてください。");
        break;
    }
    default:
        break;
    }
}

GeoPoint CTransformTool::GetSelectionBasePoint(COrvikCadView* view) const
{
    const COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    if (!doc)
        return {};
    ModelBox box;
    for (const CEntity* e = doc->list.first; e; e = e->next)
        if (e->state == EntityState::Marked && e->type != EntityType::GroupHeader)
            box.Add(EntityExtentBox(*e));
    if (!box.valid || box.maxX - box.minX < 0.05 || box.maxY - box.minY < 0.05)
        return {};
    switch (ScaleBase) {
    case 1: return {box.minX, box.minY};
    case 2: return {box.minX, box.maxY};
    default: return {(box.minX + box.maxX) / 2, (box.minY + box.maxY) / 2};
    }
}

void CTransformTool::ScaleSelection(COrvikCadView* view)
{
    COrvikCadDoc* doc = view->GetDrawing();
    if (!doc || !doc->list.first)
        return;
    const GeoPoint base = GetSelectionBasePoint(view);
    X[2] = base.x;
    Y[2] = base.y;
    const double f = NumericInputValue;
    const TransformMatrix matrix = MoveMatrix(base, base, f, 0.0);
    TransformPolicy policy;
    policy.layer = static_cast<int16_t>(view->currentLayer);
    policy.keepGroup = true;  // grouped entities stay in their group
    policy.keepFont = false;
    ReplaceSelection(view, EntityState::Marked, [&](const CEntity& source) -> std::optional<EntityCopy> {
        // A group header leaves with its members; their copies are plain.
        if (source.type == EntityType::GroupHeader)
            return std::nullopt;
        std::optional<EntityCopy> copy = TransformedCopy(source, matrix, f, 0.0, policy);
        if (!copy)
            return copy;
        if (source.type == EntityType::Point)
            copy->header.subtype = 0;
        if (source.type == EntityType::Image && source.values.size() >= 4 && copy->values.size() >= 4) {
            // A picture keeps its size: only its first corner moves.
            copy->values[2] = copy->values[0] + (source.values[2] - source.values[0]);
            copy->values[3] = copy->values[1] + (source.values[3] - source.values[1]);
        }
        return copy;
    });
    NumericInputPending = 0;
}

void CTransformTool::Offset(COrvikCadView* view, platform::Point point)
{
    COrvikCadDoc* doc = view->GetDrawing();
    if (!doc)
        return;
    BeginEdit(doc->list, &doc->snaps);
    const double x = view->XToModel(point.x), y = view->YToModel(point.y);
    const GeoPoint base = GetSelectionBasePoint(view);
    const auto finish = [&] {
        NumericInputPending = 0;
        InputPointCount = 0;
        Prompt(FirstPrompt(2));
    };
    if (doc->RefuseWhenProtected()) {
        finish();
        return;
    }
    const OffsetChains chains(doc->list);
    const OffsetChains::Result result = chains.Offset(x, y, OffsetDistance);

    // The result group, at the base point of the marked entities.
    const int16_t layer = static_cast<int16_t>(view->currentLayer);
    const EntityHeader groupHeader{EntityType::GroupHeader, 0, 0, layer, 4};
    const int16_t groupCodes[4] = {10, 20, 10, 20};
    const double groupValues[4] = {base.x, base.y, 1.0, 0.0};
    CEntity* group = nullptr;
    if (!result.pieces.empty() && doc->list.AddEntity(groupHeader, groupCodes, 0, groupValues) == 0)
        group = doc->list.last;
    if (group) {
        auto dc = view->GetClientDc();
        for (const OffsetPiece& p : result.pieces) {
            const EntityHeader h{p.type, p.subtype, p.source->style, layer, static_cast<int16_t>(p.values.size())};
            if (doc->list.AddChildEntity(h, p.codes.data(), p.source->colour, p.values.data(), {}, {}, group) != 0)
                continue;  // refused: drawn nowhere
            CEntity* added = doc->list.last;
            doc->snaps.AddEntityPoints(added);
            view->DrawEntity(*dc, added, EntityState::Normal);
        }
        doc->SetModifiedFlag(true);
        FinishAddedRun(doc->list, group);
    }
    for (const CEntity* handled : result.handled) {
        auto* e = const_cast<CEntity*>(handled);
        e->state = EntityState::Normal;
        view->InvalidateEntity(e);
    }
    doc->snaps.CopyStatesFromEntities();
    finish();
}
