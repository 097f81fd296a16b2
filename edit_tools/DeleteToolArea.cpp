// The delete tool's area delete: a rectangle of two clicks, the dialog, and
// the marking of what goes.

#include "edit_tools/DeleteTool.h"

#include "model/Document.h"
#include "model/EditProtocol.h"
#include "model/Notify.h"
#include "model/SnapPointList.h"
#include "view/OrvikCadView.h"
#include "view/ViewDispatch.h"

namespace {

// Whether the kind rule of the entity's type says delete. Lines, circles
// and texts that belong to an owner follow the owner's rule; inside the
// rectangle their own kind must be chosen as well.
bool KindRuleHolds(const CEntity& e, bool inside, const DeleteKindFlags& f)
{
    auto owned = [&](short own) {
        if (!e.owner)
            return own != 0;
        if (inside && own == 0)
            return false;
        if (e.owner->type == EntityType::Dimension)
            return f.dimension != 0;
        return e.owner->type == EntityType::GroupHeader;
    };
    switch (e.type) {
    case EntityType::Point:
        return f.point != 0;
    case EntityType::Line:
    case EntityType::HorizontalInfiniteLine:
    case EntityType::VerticalInfiniteLine:
    case EntityType::InfiniteLine:
    case EntityType::CurveVariant27:
        return owned(f.line);
    case EntityType::Circle:
    case EntityType::Arc:
    case EntityType::Ellipse:
    case EntityType::EllipticArc:
        return owned(f.circle);
    case EntityType::Text:
    case EntityType::LeaderText:
        return owned(f.text);
    case EntityType::Curve:
    case EntityType::FreehandCurve:
        return f.curve != 0;
    case EntityType::Dimension:
        return f.dimension != 0;
    case EntityType::Fill:
    case EntityType::Hatch:
        return f.hatch != 0;
    case EntityType::Image:
        return f.image != 0;
    case EntityType::Polygon:
        return f.polygon != 0;
    default:
        return false;
    }
}

} // namespace

void CDeleteTool::GroupDelete(COrvikCadView* view, platform::Point point)
{
    if (InputPointCount == 0) {
        anchor = corner = point;
        InputPointCount = 1;
        Prompt("領域の終了位置を指示して下さい。");
        return;
    }
    InputPointCount = 0;
    band_.Erase();
    XorPreviewShown = 0;
    COrvikCadDoc* doc = view->GetDrawing();
    if (!doc || (point.x == anchor.x && point.y == anchor.y))
        return;
    // The rectangle stays on screen while the question is open.
    band_.Clear();
    band_.AddRectangle(anchor, point);
    band_.Show(view, altColor);
    auto finish = [&] {
        band_.Erase();
        Prompt(RowOf(2)->step.prompt);
    };
    if (doc->RefuseWhenProtected()) {
        finish();
        return;
    }
    BeginEdit(doc->list, &doc->snaps);
    int x1 = anchor.x, y1 = anchor.y, x2 = point.x, y2 = point.y;
    NormalizeRect(x1, y1, x2, y2);
    WorldRect r{view->XToModel(x1), view->YToModel(y1), view->XToModel(x2), view->YToModel(y2)};
    NormalizeWorldRect(r.xmin, r.ymin, r.xmax, r.ymax);
    if (!SelectInRect(view, r.xmin, r.ymin, r.xmax, r.ymax, EntityState::Highlighted)) {
        finish();
        MessageBeep(1);
        return;
    }
    Prompt("削除対象グループの設定を行って下さい。");
    CDeleteGroupDlg dlg(view);
    ReleaseViewCapture();
    const int answer = dlg.DoModal();
    SetViewCapture(view);
    finish();
    // The dialog let other calls run: the drawing may have gone meanwhile.
    if (view->GetDrawing() != doc)
        return;
    if (answer != IDOK) {
        DeselectAll(view, EntityState::Highlighted);
        // Parts of a dimension on another layer were marked with it.
        for (CEntity* e = doc->list.first; e; e = e->next)
            if (e->state == EntityState::Highlighted) {
                e->state = EntityState::Normal;
                view->InvalidateEntity(e);
            }
        return;
    }
    DeleteWithMembers(view, MarkRecordsInArea(view, dlg.mode, dlg.range, dlg.Flags()));
}

std::vector<CEntity*> CDeleteTool::MarkRecordsInArea(COrvikCadView* view, int mode, int range,
                                                     const DeleteKindFlags& flags)
{
    std::vector<CEntity*> doomed;
    COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    if (!doc)
        return doomed;
    const bool inside = range == 0;
    const bool allKinds = mode == 0;
    for (CEntity* e = doc->list.first; e; e = e->next) {
        const bool marked = e->state == EntityState::Highlighted;
        if (e->layer != static_cast<int>(view->currentLayer)) {
            // Parts of a dimension on another layer were marked with it.
            if (marked) {
                e->state = EntityState::Normal;
                view->InvalidateEntity(e);
            }
            continue;
        }
        if (e->state == EntityState::Deleted)
            continue;  // taken along by a member before
        if (!marked && inside)
            continue;
        view->InvalidateEntity(e);
        bool goes = false;
        if (e->type != EntityType::Grid) {
            if (inside)
                goes = allKinds || KindRuleHolds(*e, true, flags);
            else
                goes = !marked && e->state == EntityState::Normal && (allKinds || KindRuleHolds(*e, false, flags));
        }
        if (!goes) {
            e->state = EntityState::Normal;
            continue;
        }
        e->state = EntityState::Deleted;
        // Inside, a member takes its dimension or group along (and the
        // owner all its members, when they go).
        CEntity* owner = e->owner;
        if (inside && owner && owner->state != EntityState::Deleted &&
            (owner->type == EntityType::Dimension || owner->type == EntityType::GroupHeader)) {
            owner->state = EntityState::Deleted;
            view->InvalidateEntity(owner);
        }
    }
    for (CEntity* e = doc->list.first; e; e = e->next)
        if (e->state == EntityState::Deleted)
            doomed.push_back(e);
    return doomed;
}
