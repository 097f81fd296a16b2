#pragma once
// The entity list: the only place where entity records are made and freed,
// with its one-level undo step.

#include "model/Entity.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

class CEntityList;
class CSnapPointList;

// Told of every change of a list's entities as it happens, so that whatever
// mirrors the list (snap crossings, the view's paint and pick index) follows
// it entity by entity instead of rebuilding. Records are only ever linked at
// the tail; they leave from anywhere.
class EntityListObserver {
public:
    virtual ~EntityListObserver() = default;
    // Linked at the tail: newly added, or back from the undo step.
    virtual void EntityLinked(CEntity* entity) = 0;
    // Out of the list, still alive (held by the undo step or about to be freed).
    virtual void EntityUnlinked(CEntity* entity) = 0;
    // Changed in place while linked (ChangeEntity).
    virtual void EntityChanged(CEntity* entity) = 0;
    // About to be freed; it is no longer linked.
    virtual void EntityFreed(CEntity*) {}
    // Every linked record left at once (RemoveAll, FreeChain), or the
    // entities changed wholesale (NoteAllChanged): start again from the list.
    virtual void ListReset() = 0;
    // The list is being destroyed; the observer is forgotten.
    virtual void ListGone() = 0;
};

// The fixed part of a new entity, passed to the add operations.
struct EntityHeader {
    int16_t type = 0;
    int16_t subtype = 0;
    int16_t style = 0;
    int16_t layer = 0;
    int16_t count = 0;
};

// Undo states (CEntityList::undoState).
namespace UndoState {
inline constexpr int32_t Normal = 0;        // last edit added entities (mark = first of the run), or nothing held
inline constexpr int32_t Removed = 1;       // an add was undone or a delete done: chain detached
inline constexpr int32_t Redone = 2;        // an undone add was brought back: chain in the list
inline constexpr int32_t Replaced = 3;      // a replacing edit: chain = replaced entities, mark = first new one
inline constexpr int32_t ReplaceUndone = 4; // replacing edit undone: new run detached from the mark
} // namespace UndoState

// Limits of the coordinates the list accepts (values 0 and 1 of a record).
inline constexpr double MinCoordinate = -9999999999.9;
inline constexpr double MaxCoordinate = 99999999999.9;

class CEntityList {
public:
    CEntity* first = nullptr;
    CEntity* last = nullptr;
    CEntity* undoChain = nullptr;  // head of the entities held by the undo step
    CEntity* undoTail = nullptr;   // tail of that chain while it is built
    CEntity* mark = nullptr;       // first entity of the last run of added entities
    int32_t undoState = 0;         // UndoState
    int32_t groupCounter = 1;      // number the next group header takes

    // Moves on with every change the observers are told of.
    uint64_t generation = 0;

    CEntityList() = default;
    ~CEntityList();
    CEntityList(const CEntityList&) = delete;
    CEntityList& operator=(const CEntityList&) = delete;

    // Appends one entity at the tail. codes and values hold header.count
    // entries each (codes are ignored for types 26 and 90 and may be null
    // there). Returns 0, or 1 when a coordinate is out of range (nothing is
    // added). A dimension (type 50) builds its members behind it at once, so
    // after success the new entity is `last`, or `last->owner` for a dimension.
    int AddEntity(const EntityHeader& header, const int16_t* codes, COLORREF colour, const double* values,
                  std::string_view text = {}, std::string_view font = {});
    // As AddEntity, for a member of `owner` (not null): the owner is set, the
    // owner's group number copied when not 0, value 0 is range-checked for
    // every type, and a group header takes no number from the counter.
    int AddChildEntity(const EntityHeader& header, const int16_t* codes, COLORREF colour, const double* values,
                       std::string_view text, std::string_view font, CEntity* owner);

    // Appends a member piece that the list builds itself (the lines, arcs and
    // texts of a dimension): no coordinate check, no group number, no member
    // building; the owner is set as given. Returns the new entity or null.
    CEntity* AddMemberEntity(const EntityHeader& header, const int16_t* codes, COLORREF colour,
                             const double* values, std::string_view text, std::string_view font, CEntity* owner);

    // Frees every entity of the list and empties it; group counter back to 1.
    // Callers discard the undo step first (with their snap points); a step
    // still held here is dropped without touching snap points.
    void RemoveAll();
    // Frees the entities from `entity` to the end of its chain (following the
    // next links only), then empties the list's first and last and sets the
    // group counter to 1. Used on detached chains.
    void FreeChain(CEntity* entity);

    // Moves `run` (linked entities of this list, in the order given) so that
    // it stands as one block just after `after` (at the head when null;
    // `after` must not be in the run). Nothing is freed or re-slotted; the
    // ranks are taken anew in list order and the observers start again.
    void MoveRun(const std::vector<CEntity*>& run, CEntity* after);

    // Reference point of the selected entities (state 3), by PartsBase.
    void GetSelectionCentre(double& x, double& y) const;

    // ---- one-level undo ----
    // Drops the undo step before a new edit, freeing whatever can no longer
    // come back together with its snap points (snaps may be null for lists
    // without snap points). Leaves state 0 with chain, tail and mark cleared.
    void DiscardUndo(CSnapPointList* snaps);
    // One toggle of the undo state machine.
    void UndoRedo();
    // Moves every entity in state -1 out of the list into a new undo chain
    // (their state back to 0); state 1 when any moved, else 0. Walks the
    // whole list.
    void MoveDeletedToUndo();
    // The same without the walk, for callers that know what they deleted:
    // `deleted` names the entities the caller put in state -1 (any not
    // linked or not in that state are passed over, as are repeats). With
    // those put in that state through MarkDeleted they must be every linked
    // entity in state -1; they are moved in list order, as the walk would.
    void MoveDeletedToUndo(std::span<CEntity* const> deleted);
    // Puts an entity in state -1 and remembers it, so that a later
    // MoveDeletedToUndo of either form takes it while it is linked (an
    // entity linked in state -1 is remembered as well). An entity that is to
    // stay in the list in state -1 beyond the edit at hand is put there this
    // way.
    void MarkDeleted(CEntity* entity);
    // Cuts a group header or dimension together with all its members (and
    // their members) out of the list into the undo chain; state 1.
    void RemoveOwnerWithMembers(CEntity* owner);
    // Frees the detached part of a replacing edit's step (states 3 and 4).
    void FreeUndoChain(CSnapPointList* snaps);

    // Frees one record (it must already be out of every chain).
    static void FreeEntity(CEntity* entity);

    // ---- change journal ----
    void Subscribe(EntityListObserver* observer);
    void Unsubscribe(EntityListObserver* observer);
    // Whether `entity`, seen in `slot` with `serial`, is still linked in this
    // list in that slot (constant time; the pointer need not be alive).
    bool Holds(const CEntity* entity, uint32_t slot, uint64_t serial) const;
    // Whether `entity` is linked in this list.
    bool Holds(const CEntity* entity) const;
    // Changes a linked entity in place through edit(entity) and tells the
    // observers. Prefer COrvikCadDoc::ChangeEntity, which keeps snap points
    // and the modified state in step as well.
    template <class Edit>
    void ChangeEntity(CEntity* entity, Edit&& edit)
    {
        edit(*entity);
        NoteChanged(entity);
    }
    // An entity of the list was changed in place.
    void NoteChanged(CEntity* entity);
    // The entities were changed wholesale (the whole drawing moved).
    void NoteAllChanged();
    // Number of linked records, and the size of the slot table (every slot is below it).
    std::size_t Size() const { return linkedCount; }
    std::size_t SlotCount() const { return slotTable.size(); }
    // The record linked in `slot`, or null.
    CEntity* InSlot(uint32_t slot) const { return slot < slotTable.size() ? slotTable[slot] : nullptr; }

private:
    CEntity* MakeRecord(const EntityHeader& header, const int16_t* codes, COLORREF colour, const double* values,
                        std::string_view text, std::string_view font);
    CEntity* AddRecord(const EntityHeader& header, const int16_t* codes, COLORREF colour, const double* values,
                       std::string_view text, std::string_view font, CEntity* owner);
    void Link(CEntity* e);
    void FreeDetached(CEntity* head, CSnapPointList* snaps);
    // Cuts a linked entity in state -1 out onto the tail of the undo chain.
    void MoveToUndoChain(CEntity* e);

    // Journal hooks: every link, unlink and free goes through these.
    void Linked(CEntity* e);
    void Unlinked(CEntity* e);
    void Freeing(CEntity* e);
    void Reset();
    // Unlinks e from wherever it stands (previous/next of e left as they were).
    void Cut(CEntity* e);
    // The same without telling the observers.
    void Detach(CEntity* e);

    std::vector<CEntity*> slotTable;          // linked records by their slot
    std::vector<uint32_t> freeSlots;
    std::size_t linkedCount = 0;
    uint64_t nextRank = 0;
    std::vector<EntityListObserver*> observers;
    // Entities put in state -1 through MarkDeleted, as seen then.
    struct DeletedMark {
        CEntity* entity;
        uint32_t slot;
        uint64_t serial;
    };
    std::vector<DeletedMark> markedDeleted;

    friend void UnlinkEntity(CEntityList& list, CEntity* e);
};

// Takes a linked entity out of its list (its own links are left as they
// were); the observers are told.
void UnlinkEntity(CEntityList& list, CEntity* e);

// Shifts `entity` and every entity after it in its chain by (dx, dy).
void TranslateEntities(double dx, double dy, CEntity* entity);

// The list owned by no document: the part shown in the parts palette and the
// selection being copied between drawings.
extern CEntityList EntityBuffer;
