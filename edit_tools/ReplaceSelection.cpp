#include "edit_tools/ReplaceSelection.h"

#include "model/Document.h"
#include "model/EditProtocol.h"
#include "model/SnapPointList.h"
#include "view/OrvikCadView.h"

#include <unordered_map>
#include <vector>

bool IsDimensionMember(const CEntity* e)
{
    return e->owner && e->owner->type == EntityType::Dimension;
}

CEntity* AddShownCopy(COrvikCadView* view, platform::Dc& dc, const EntityCopy& copy)
{
    COrvikCadDoc* doc = view->GetDrawing();
    CEntity* added = AddEntityCopy(doc->list, copy);
    if (!added)
        return nullptr;
    // The copy and, for a dimension, the members built behind it.
    for (CEntity* e = added; e; e = e->next)
        doc->snaps.AddEntityPoints(e);
    if (added->type == EntityType::Dimension)
        view->DrawEntityChain(dc, added);
    else
        view->DrawEntity(dc, added, EntityState::Normal);
    return added;
}

void RelinkGroupsAndSnapStates(CEntityList& list, CSnapPointList* snaps, bool relinkGroups)
{
    std::unordered_map<int16_t, CEntity*> headers;
    for (CEntity* e = list.first; relinkGroups && e; e = e->next)
        if (e->type == EntityType::GroupHeader && e->state != EntityState::Deleted && e->group != 0)
            headers.emplace(e->group, e);
    for (CEntity* e = list.first; e; e = e->next) {
        // A dimension's members belong to their dimension whatever their number.
        if (!headers.empty() && e->group != 0 && e->state != EntityState::Deleted &&
            e->type != EntityType::GroupHeader && !IsDimensionMember(e)) {
            const auto it = headers.find(e->group);
            if (it != headers.end())
                e->owner = it->second;
        }
        if (snaps)
            snaps->SetEntityPointState(e, e->state);
    }
}

ReplaceResult ReplaceSelection(COrvikCadView* view, int16_t sourceState, const ReplaceRule& rule, bool relinkGroups)
{
    ReplaceResult result;
    COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    if (!doc)
        return result;
    CEntityList& list = doc->list;
    std::vector<CEntity*> sources;
    bool anyDimension = false;
    for (CEntity* e = list.first; e; e = e->next)
        if (e->state == sourceState && e->type != EntityType::Grid) {
            sources.push_back(e);
            anyDimension = anyDimension || e->type == EntityType::Dimension;
        }
    if (sources.empty())
        return result;
    if (doc->RefuseWhenProtected()) {
        result.refused = true;
        return result;
    }

    BeginEdit(list, &doc->snaps);
    auto dc = view->GetClientDc();
    for (CEntity* source : sources) {
        if (IsDimensionMember(source))
            continue;
        source->state = EntityState::Deleted;
        CEntity* added = nullptr;
        if (std::optional<EntityCopy> copy = rule(*source))
            added = AddShownCopy(view, *dc, *copy);
        if (!added) {
            source->state = EntityState::Normal;
            continue;
        }
        ++result.replaced;
        if (!result.firstNew)
            result.firstNew = added;
    }
    // Members follow their dimension: out with it, or back with it.
    if (anyDimension)
        for (CEntity* e = list.first; e; e = e->next)
            if (IsDimensionMember(e) && e->owner->state == EntityState::Deleted)
                e->state = EntityState::Deleted;
    for (CEntity* source : sources)
        if (IsDimensionMember(source) && source->state == sourceState)
            source->state = EntityState::Normal;

    RelinkGroupsAndSnapStates(list, &doc->snaps, relinkGroups);
    FinishReplacingEdit(list, &doc->snaps, result.firstNew);
    if (result.firstNew)
        doc->SetModifiedFlag(true);
    view->Buffer().InvalidateAll(true);
    return result;
}
