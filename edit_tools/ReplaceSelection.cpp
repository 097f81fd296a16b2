#include "edit_tools/ReplaceSelection.h"

#include "model/Document.h"
#include "model/EditDoor.h"
#include "model/EditProtocol.h"
#include "model/SnapPointList.h"
#include "view/OrvikCadView.h"

#include <unordered_map>
#include <vector>

bool IsDimensionMember(const CEntity* e)
{
    return e->owner && e->owner->type == EntityType::Dimension;
}

CEntity* AddShownCopy(EditDoor& door, COrvikCadView* view, platform::Dc& dc, const EntityCopy& copy)
{
    // The door registers the copy's snap points (a dimension's members too).
    CEntity* added = door.Add(copy);
    if (!added)
        return nullptr;
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
    COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    if (!doc)
        return {};
    std::vector<CEntity*> sources;
    for (CEntity* e = doc->list.first; e; e = e->next)
        if (e->state == sourceState && e->type != EntityType::Grid)
            sources.push_back(e);
    return ReplaceEntities(view, sources, rule, relinkGroups);
}

ReplaceResult ReplaceEntities(COrvikCadView* view, std::span<CEntity* const> sources, const ReplaceRule& rule,
                              bool relinkGroups)
{
    ReplaceResult result;
    COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    if (!doc || sources.empty())
        return result;
    CEntityList& list = doc->list;
    const int16_t sourceState = sources.front()->state;
    EditDoor door(*doc, /*keepUndo=*/true);
    if (!door.Enter()) {
        result.refused = true;
        return result;
    }
    BeginEdit(list, &doc->snaps);

    bool anyDimension = false, anyGroup = false;
    auto dc = view->GetClientDc();
    for (CEntity* source : sources) {
        anyDimension = anyDimension || source->type == EntityType::Dimension;
        anyGroup = anyGroup || source->group != 0 || source->type == EntityType::GroupHeader;
        if (IsDimensionMember(source))
            continue;
        source->state = EntityState::Deleted;
        CEntity* added = nullptr;
        if (std::optional<EntityCopy> copy = rule(*source))
            added = AddShownCopy(door, view, *dc, *copy);
        if (!added) {
            source->state = EntityState::Normal;
            continue;
        }
        ++result.replaced;
        if (!result.firstNew)
            result.firstNew = added;
    }
    // What leaves: the replaced sources and the members of a replaced
    // dimension, which follow it out (or stay back with it).
    std::vector<CEntity*> out;
    out.reserve(sources.size());
    for (CEntity* source : sources) {
        if (IsDimensionMember(source)) {
            if (source->state == sourceState)
                source->state = EntityState::Normal;
            continue;
        }
        if (source->state == EntityState::Deleted)
            out.push_back(source);
    }
    if (anyDimension)
        for (CEntity* e = list.first; e; e = e->next)
            if (IsDimensionMember(e) && e->owner->state == EntityState::Deleted) {
                e->state = EntityState::Deleted;
                out.push_back(e);
            }

    if (anyGroup || !relinkGroups) {
        RelinkGroupsAndSnapStates(list, &doc->snaps, relinkGroups);
    } else {
        // Nothing of a group moved: only the entities at hand change state.
        for (CEntity* e : sources)
            doc->snaps.SetEntityPointState(e, e->state);
        for (CEntity* e = result.firstNew; e; e = e->next)
            doc->snaps.SetEntityPointState(e, e->state);
    }
    FinishReplacingEdit(list, &doc->snaps, result.firstNew, out);
    view->Buffer().InvalidateAll(true);
    return result;
}
