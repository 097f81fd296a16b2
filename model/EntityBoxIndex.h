#pragma once
// The entities of a list that take part in snap-point crossings (lines,
// infinite lines, control-point and freehand curves, circles and arcs), with
// the boxes they occupy, so that a new entity is compared only with the
// earlier entities it can touch, latest first, as a backward walk over the
// list would meet them.
//
// The index follows one list through its change journal, entity by entity;
// it is built from the list when first asked and after Clear. An entity of a
// list it does not follow is answered by walking back over that list.

#include "model/BoxTree.h"
#include "model/EntityList.h"

#include <cstdint>
#include <utility>
#include <vector>

struct CEntity;

class EntityBoxIndex : public EntityListObserver {
public:
    EntityBoxIndex() = default;
    ~EntityBoxIndex() override;
    EntityBoxIndex(const EntityBoxIndex&) = delete;
    EntityBoxIndex& operator=(const EntityBoxIndex&) = delete;

    // Follows `list` from now on (null: none).
    void Follow(CEntityList* list);
    // The entities before `entity` in its list whose boxes may touch the box
    // of `entity` (or that have no bounded box), latest in the list first.
    void Candidates(const CEntity* entity, std::vector<CEntity*>& out);
    // The entities of the followed list whose boxes meet `b`, and those that
    // have no bounded box, in no particular order.
    void Meeting(const BoxTree::Box& b, std::vector<CEntity*>& out);
    // Whether the entity is in the followed list.
    bool Follows(const CEntity* entity) const { return list && entity && list->Holds(entity); }
    // Builds the boxes now if they are not built.
    void Prepare()
    {
        if (list && !built)
            Build();
    }
    // Files a linked entity of the list under its box as it is now.
    void Refile(CEntity* entity);
    // Forgets the boxes; the next question builds them from the list again
    // (after the entities were moved wholesale).
    void Clear();

    // Whether the entity's type takes part in crossings.
    static bool TakesPart(const CEntity& e);

    // ---- EntityListObserver ----
    void EntityLinked(CEntity* entity) override;
    void EntityUnlinked(CEntity* entity) override;
    void EntityChanged(CEntity* entity) override;
    void ListReset() override;
    void ListGone() override;

private:
    using Box = BoxTree::Box;

    // Box of the entity's geometry; false when it has none that bounds it
    // (infinite lines, values that are not finite or too large).
    static bool BoundingBox(const CEntity& e, Box& box);
    void Build();
    // Files the entity now, or adds its box to `batch` to be filed with the rest.
    void File(CEntity* e, std::vector<BoxTree::Item>* batch = nullptr);
    void Unfile(CEntity* e);
    void WalkBack(const CEntity* entity, std::vector<CEntity*>& out) const;

    CEntityList* list = nullptr;
    bool built = false;
    BoxTree tree;                     // bounded entities by slot
    std::vector<uint32_t> unbounded;  // slots of the others
    std::vector<uint32_t> unboundedAt;  // by slot: place in `unbounded`, or UINT32_MAX
    std::vector<uint64_t> rankOf;     // by slot: the rank the entity had when filed
    std::vector<std::pair<uint64_t, uint32_t>> scratch;  // rank and slot of each candidate
};
