#include "model/EditProtocol.h"

#include "model/Notify.h"
#include "model/SnapPointList.h"

namespace {

void SwitchOffChain(CEntity* chain, CSnapPointList* snaps)
{
    if (!snaps)
        return;
    for (CEntity* e = chain; e; e = e->next)
        snaps->SetEntityPointState(e, EntityState::Deleted);
}

} // namespace

bool CanUndo(const CEntityList& list)
{
    if (!list.last)
        return list.undoState == UndoState::Removed && list.undoChain;
    return list.undoState != UndoState::Normal || list.last->type != EntityType::Grid;
}

void BeginEdit(CEntityList& list, CSnapPointList* snaps)
{
    list.DiscardUndo(snaps);
}

void FinishAddedRun(CEntityList& list, CEntity* firstNew)
{
    if (!firstNew)
        return;
    if (list.mark) {
        MessageBeep(1);
        ShowMessage("011:入換えエラー！");
        return;
    }
    list.mark = firstNew;
    list.undoState = UndoState::Normal;
}

void FinishReplacingEdit(CEntityList& list, CSnapPointList* snaps, CEntity* firstNew)
{
    if (snaps)
        for (CEntity* e = list.first; e; e = e->next)
            if (e->state == EntityState::Deleted)
                snaps->SetEntityPointState(e, EntityState::Deleted);
    list.MoveDeletedToUndo();
    if (firstNew && list.undoChain) {
        list.mark = firstNew;
        list.undoState = UndoState::Replaced;
    }
}

void FinishReplacingEdit(CEntityList& list, CSnapPointList* snaps, CEntity* firstNew,
                         std::span<CEntity* const> replaced)
{
    list.MoveDeletedToUndo(replaced);
    SwitchOffChain(list.undoChain, snaps);
    if (firstNew && list.undoChain) {
        list.mark = firstNew;
        list.undoState = UndoState::Replaced;
    }
}

void FinishReplaceOne(CEntityList& list, CSnapPointList* snaps, CEntity* old, CEntity* replacement)
{
    if (!old || !replacement || old == replacement)
        return;
    if (list.undoChain || list.undoState != UndoState::Normal)
        list.DiscardUndo(snaps);
    UnlinkEntity(list, old);
    old->previous = old->next = nullptr;
    if (snaps)
        snaps->SetEntityPointState(old, EntityState::Deleted);
    list.undoChain = list.undoTail = old;
    replacement->owner = old->owner;
    replacement->group = old->group;
    list.mark = replacement;
    list.undoState = UndoState::Replaced;
}

void DeleteEntities(CEntityList& list, CSnapPointList* snaps, std::span<CEntity* const> doomed)
{
    list.DiscardUndo(snaps);
    for (CEntity* e : doomed)
        if (e) {
            e->state = EntityState::Deleted;
            if (snaps)
                snaps->SetEntityPointState(e, EntityState::Deleted);
        }
    list.MoveDeletedToUndo(doomed);
}

void MoveEntityToUndo(CEntityList& list, CSnapPointList* snaps, CEntity* entity)
{
    if (!entity)
        return;
    const bool extend = list.undoState == UndoState::Removed && list.undoChain && list.undoTail;
    if (!extend && (list.undoChain || list.undoState != UndoState::Normal || list.mark))
        list.DiscardUndo(snaps);
    UnlinkEntity(list, entity);
    entity->next = nullptr;
    if (snaps)
        snaps->SetEntityPointState(entity, EntityState::Deleted);
    if (extend) {
        entity->previous = list.undoTail;
        list.undoTail->next = entity;
        list.undoTail = entity;
    } else {
        entity->previous = nullptr;
        list.undoChain = list.undoTail = entity;
    }
    list.undoState = UndoState::Removed;
}

void DeleteOwnerWithMembers(CEntityList& list, CSnapPointList* snaps, CEntity* owner)
{
    list.DiscardUndo(snaps);
    list.RemoveOwnerWithMembers(owner);
    SwitchOffChain(list.undoChain, snaps);
}
