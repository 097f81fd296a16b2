// The one-level undo step of CEntityList. The step holds the real records an
// edit took out of the list, linked through their own previous/next fields.

#include "model/EntityList.h"

#include "model/Notify.h"
#include "model/SnapPointList.h"

#include <algorithm>
#include <vector>

namespace {

bool IsOwnerType(const CEntity* e)
{
    return e->type == EntityType::Dimension || e->type == EntityType::GroupHeader;
}

// Whether `e` belongs to `owner`, directly or through an owner of its own (a
// dimension inside a group). The depth bound guards against owner cycles.
bool BelongsTo(const CEntity* e, const CEntity* owner)
{
    int depth = 0;
    for (const CEntity* o = e->owner; o && depth < 64; o = o->owner, ++depth)
        if (o == owner)
            return true;
    return false;
}

} // namespace

// Frees a detached chain along its own next links only; entities still in the
// list are never touched, except that an entity whose owner is freed here
// loses that owner.
void CEntityList::FreeDetached(CEntity* head, CSnapPointList* snaps)
{
    std::vector<const CEntity*> freedOwners;
    for (CEntity* e = head; e;) {
        CEntity* next = e->next;
        if (IsOwnerType(e))
            freedOwners.push_back(e);
        if (snaps)
            snaps->RemoveEntityPoints(e);
        Freeing(e);
        FreeEntity(e);
        e = next;
    }
    if (freedOwners.empty())
        return;
    for (CEntity* e = first; e; e = e->next) {
        if (!e->owner)
            continue;
        for (const CEntity* o : freedOwners) {
            if (e->owner == o) {
                e->owner = nullptr;
                break;
            }
        }
    }
}

void CEntityList::DiscardUndo(CSnapPointList* snaps)
{
    switch (undoState) {
    case UndoState::Normal:
        // A chain is held in state 0 only after a failed undo left it
        // detached; it can no longer come back.
        if (undoChain)
            FreeDetached(undoChain, snaps);
        break;
    case UndoState::Removed:
        FreeDetached(undoChain, snaps);
        break;
    case UndoState::Redone:
        break;  // the run is in the list again
    case UndoState::Replaced:
    case UndoState::ReplaceUndone:
        FreeUndoChain(snaps);
        break;
    default:
        break;
    }
    undoState = UndoState::Normal;
    undoChain = undoTail = mark = nullptr;
}

void CEntityList::FreeUndoChain(CSnapPointList* snaps)
{
    if (undoState == UndoState::Replaced) {
        mark = nullptr;
        CEntity* chain = undoChain;
        undoChain = nullptr;
        FreeDetached(chain, snaps);
    } else if (undoState == UndoState::ReplaceUndone) {
        undoChain = nullptr;  // the replaced entities are in the list
        CEntity* run = mark;
        mark = nullptr;
        FreeDetached(run, snaps);
    }
    undoState = UndoState::Normal;
    undoChain = undoTail = mark = nullptr;
}

void CEntityList::UndoRedo()
{
    // An empty list can only take back a held chain (state 1).
    if (!last && !(undoState == UndoState::Removed && undoChain))
        return;
    // Runs cut from the tail or joined to it, told to the observers once the
    // links are made.
    auto unlinkedRun = [this](CEntity* from) {
        for (CEntity* e = from; e; e = e->next)
            Unlinked(e);
    };
    auto linkedRun = [this](CEntity* from) {
        for (CEntity* e = from; e; e = e->next)
            Linked(e);
    };

    switch (undoState) {
    case UndoState::Normal: {
        // Exactly the last added run: from its mark, or without one from the
        // owner of the last entity when everything from that owner on belongs
        // to it (never an unrelated entity lying between the two).
        CEntity* cut = mark ? mark : last;
        if (!mark && last->owner) {
            bool whole = false;
            int steps = 0;
            for (CEntity* e = last; e && steps <= 1 << 24; e = e->previous, ++steps) {
                if (e == last->owner) {
                    whole = true;
                    break;
                }
                if (!BelongsTo(e, last->owner))
                    break;
            }
            if (whole)
                cut = last->owner;
        }
        mark = nullptr;
        undoChain = cut;
        undoTail = last;
        CEntity* before = cut->previous;
        if (before) {
            before->next = nullptr;
            last = before;
        } else {
            first = last = nullptr;
        }
        unlinkedRun(cut);
        undoState = UndoState::Removed;
        break;
    }
    case UndoState::Removed: {
        if (!undoChain) {
            ShowMessage("001:やり直しエラー！");
            undoState = UndoState::Normal;
            return;
        }
        undoChain->previous = last;
        if (last)
            last->next = undoChain;
        else
            first = undoChain;
        CEntity* end = undoChain;
        while (end->next)
            end = end->next;
        last = undoTail = end;
        linkedRun(undoChain);
        undoState = UndoState::Redone;
        break;
    }
    case UndoState::Redone: {
        CEntity* before = undoChain ? undoChain->previous : nullptr;
        if (!undoChain)
            return;
        if (before) {
            before->next = nullptr;
            last = before;
        } else {
            first = last = nullptr;
        }
        unlinkedRun(undoChain);
        undoState = UndoState::Removed;
        break;
    }
    case UndoState::Replaced: {
        if (!mark) {
            ShowMessage("002:やり直しエラー！");
            undoState = UndoState::Normal;
            return;
        }
        if (!mark->previous) {
            ShowMessage("003:やり直しエラー！");
            undoState = UndoState::Normal;
            return;
        }
        CEntity* before = mark->previous;
        before->next = nullptr;
        last = before;
        unlinkedRun(mark);
        if (undoChain) {
            undoChain->previous = before;
            before->next = undoChain;
            CEntity* end = undoChain;
            while (end->next)
                end = end->next;
            last = end;
            linkedRun(undoChain);
        }
        undoState = UndoState::ReplaceUndone;
        break;
    }
    case UndoState::ReplaceUndone: {
        CEntity* before = undoChain ? undoChain->previous : mark->previous;
        CEntity* leaving = before->next;
        before->next = nullptr;
        unlinkedRun(leaving);
        before->next = mark;
        mark->previous = before;
        CEntity* end = mark;
        while (end->next)
            end = end->next;
        last = end;
        linkedRun(mark);
        undoState = UndoState::Replaced;
        break;
    }
    default:
        break;
    }
}

void CEntityList::MoveToUndoChain(CEntity* e)
{
    e->state = EntityState::Normal;
    Cut(e);
    e->next = nullptr;
    if (!undoChain) {
        e->previous = nullptr;
        undoChain = undoTail = e;
        undoState = UndoState::Removed;
    } else {
        undoTail->next = e;
        e->previous = undoTail;
        undoTail = e;
    }
}

void CEntityList::MoveDeletedToUndo()
{
    markedDeleted.clear();
    undoState = UndoState::Normal;
    undoChain = undoTail = nullptr;
    for (CEntity* e = first; e;) {
        CEntity* next = e->next;
        if (e->state == EntityState::Deleted)
            MoveToUndoChain(e);
        e = next;
    }
}

void CEntityList::MoveDeletedToUndo(std::span<CEntity* const> deleted)
{
    std::vector<CEntity*> moving;
    moving.reserve(deleted.size() + markedDeleted.size());
    for (CEntity* e : deleted)
        if (Holds(e) && e->state == EntityState::Deleted)
            moving.push_back(e);
    // A remembered record may be gone: it is read only once found linked.
    for (const DeletedMark& m : markedDeleted)
        if (Holds(m.entity, m.slot, m.serial) && m.entity->state == EntityState::Deleted)
            moving.push_back(m.entity);
    markedDeleted.clear();
    // List order is rank order.
    std::sort(moving.begin(), moving.end(), [](const CEntity* a, const CEntity* b) { return a->rank < b->rank; });
    moving.erase(std::unique(moving.begin(), moving.end()), moving.end());
    undoState = UndoState::Normal;
    undoChain = undoTail = nullptr;
    for (CEntity* e : moving)
        MoveToUndoChain(e);
}

void CEntityList::MarkDeleted(CEntity* entity)
{
    if (!entity)
        return;
    entity->state = EntityState::Deleted;
    if (Holds(entity))
        markedDeleted.push_back({entity, entity->slot, entity->serial});
}

void CEntityList::RemoveOwnerWithMembers(CEntity* owner)
{
    if (!owner)
        return;
    bool found = false;
    for (CEntity* e = first; e && !found; e = e->next)
        found = e == owner;
    if (!found)
        return;

    // The owner heads the chain; its members (wherever they stand, and the
    // members of owners among them) follow in list order.
    CEntity* tail = nullptr;
    auto unlink = [this](CEntity* e) { Cut(e); };
    unlink(owner);
    owner->previous = owner->next = nullptr;
    tail = owner;
    for (CEntity* e = first; e;) {
        CEntity* next = e->next;
        if (BelongsTo(e, owner)) {
            unlink(e);
            e->previous = tail;
            e->next = nullptr;
            tail->next = e;
            tail = e;
        }
        e = next;
    }
    undoChain = owner;
    undoTail = tail;
    undoState = UndoState::Removed;
}
