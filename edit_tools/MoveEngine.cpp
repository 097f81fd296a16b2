// The move tool's engine: one affine transform (turn and scale about the
// base point, then the shift onto the destination) carries every marked
// entity into a new one. A move replaces the sources in one undo step, a
// copy adds beside them, a paste adds the entities of EntityBuffer.

#include "edit_tools/MoveTool.h"

#include "edit_tools/ReplaceSelection.h"
#include "model/Document.h"
#include "model/EditDoor.h"
#include "model/EditProtocol.h"
#include "model/EntityList.h"
#include "model/Notify.h"
#include "model/SelectionBox.h"
#include "model/SnapPointList.h"
#include "view/OrvikCadView.h"

#include <cmath>
#include <vector>

namespace {

// Adds the copies of `sources` to the view's drawing; group headers and
// dimension members get none. Returns the first copy added.
CEntity* AddCopies(EditDoor& door, COrvikCadView* view, const std::vector<CEntity*>& sources, const ReplaceRule& rule)
{
    CEntity* firstNew = nullptr;
    auto dc = view->GetClientDc();
    for (CEntity* source : sources) {
        if (source->type == EntityType::GroupHeader || IsDimensionMember(source))
            continue;
        std::optional<EntityCopy> copy = rule(*source);
        if (!copy)
            continue;
        CEntity* added = AddShownCopy(door, view, *dc, *copy);
        if (added && !firstNew)
            firstNew = added;
    }
    return firstNew;
}

} // namespace

std::optional<EntityCopy> CMoveTool::TransformEntity(const CEntity& source, const TransformMatrix& matrix, double s,
                                                     double a, int16_t layer)
{
    TransformPolicy policy;
    policy.layer = layer;
    policy.ellipsesKeepLayer = true;
    policy.keepGroup = true;
    policy.keepFont = false;
    // A negative factor turns the figure over its base point; lengths keep
    // their size.
    return TransformedCopy(source, matrix, std::fabs(s), a, policy);
}

void CMoveTool::TransformSelection(COrvikCadView* view, int fromBuffer, int move, double s, double a)
{
    COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    if (!doc)
        return;
    CEntityList& list = doc->list;
    CEntityList& source = fromBuffer ? EntityBuffer : list;
    if (!source.first)
        return;
    m_firstNew = nullptr;
    m_firstNewSet = 0;
    if (!std::isfinite(s) || s == 0.0 || !std::isfinite(a) || !std::isfinite(X[2]) || !std::isfinite(Y[2]) ||
        !std::isfinite(X[3]) || !std::isfinite(Y[3])) {
        MessageBeep(0);
        return;
    }
    const TransformMatrix matrix = MoveMatrix({X[2], Y[2]}, {X[3], Y[3]}, s, a);
    const auto layer = static_cast<int16_t>(view->currentLayer);
    const ReplaceRule rule = [&](const CEntity& e) { return TransformEntity(e, matrix, s, a, layer); };

    if (move && !fromBuffer) {
        const ReplaceResult result = ReplaceSelection(view, EntityState::Marked, rule);
        m_firstNew = result.firstNew;
        m_firstNewSet = m_firstNew ? 1 : 0;
        return;
    }

    if (!fromBuffer) {
        m_firstNew = CopySelection(view, EntityState::Marked, rule, true);
        m_firstNewSet = m_firstNew ? 1 : 0;
        return;
    }

    // The paste: every entity of the buffer, as one undo step of the target.
    std::vector<CEntity*> sources;
    for (CEntity* e = source.first; e; e = e->next)
        if (e->type != EntityType::Grid)
            sources.push_back(e);
    if (sources.empty())
        return;
    EditDoor door(*doc, /*keepUndo=*/true);
    if (!door.Enter())
        return;
    BeginEdit(list, &doc->snaps);
    m_firstNew = AddCopies(door, view, sources, rule);
    m_firstNewSet = m_firstNew ? 1 : 0;
    RelinkGroupsAndSnapStates(list, &doc->snaps);
    if (m_firstNew) {
        // One undo takes the whole paste back.
        list.mark = m_firstNew;
        list.undoState = UndoState::Normal;
    }
    view->Buffer().InvalidateAll(true);
}

CEntity* CMoveTool::CopySelection(COrvikCadView* view, int16_t state, const ReplaceRule& rule, bool relinkGroups)
{
    COrvikCadDoc* doc = view->GetDrawing();
    CEntityList& list = doc->list;
    std::vector<CEntity*> sources;
    for (CEntity* e = list.first; e; e = e->next)
        if (e->type != EntityType::Grid && e->state == state)
            sources.push_back(e);
    // A protected drawing refuses once, before anything changes.
    if (sources.empty())
        return nullptr;
    EditDoor door(*doc, /*keepUndo=*/true);
    if (!door.Enter())
        return nullptr;
    for (CEntity* e : sources)
        e->state = EntityState::Normal;
    CEntity* firstNew = AddCopies(door, view, sources, rule);
    RelinkGroupsAndSnapStates(list, &doc->snaps, relinkGroups);
    if (firstNew)
        FinishAddedRun(list, firstNew);
    view->Buffer().InvalidateAll(true);
    return firstNew;
}

void CMoveTool::ReplaceAboutSelectionCentre(COrvikCadView* view,
                                            const std::function<ReplaceRule(GeoPoint centre, int16_t layer)>& makeRule)
{
    COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    if (!doc || !doc->list.first)
        return;
    const SelectionBoxResult box = SelectionBox(doc->list, EntityState::Selected);
    if (!box.used)
        return;
    ReplaceSelection(view, EntityState::Selected, makeRule(box.Centre(), static_cast<int16_t>(view->currentLayer)));
}

void CMoveTool::RotateSelection90(COrvikCadView* view, int16_t direction)
{
    const double angle = direction == 0 ? -90.0 : 90.0;
    ReplaceAboutSelectionCentre(view, [angle](GeoPoint centre, int16_t layer) -> ReplaceRule {
        const TransformMatrix matrix = MoveMatrix(centre, centre, 1.0, angle);
        return [matrix, angle, layer](const CEntity& e) { return TransformEntity(e, matrix, 1.0, angle, layer); };
    });
}

void CMoveTool::RunSelectionOperation(COrvikCadView& view, int argument)
{
    switch (argument) {
    case 5:
        RotateSelection90(&view, 0);
        break;
    case 6:
        RotateSelection90(&view, 1);
        break;
    case 3:
    case 4:
        MirrorSelectionInPlace(&view, static_cast<int16_t>(argument == 4 ? 1 : 0));
        break;
    default:
        break;
    }
}
