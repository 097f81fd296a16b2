#pragma once
// The entities of a drawing filed by their boxes (EntityBox.h), so that a
// paint of a zoomed-in view visits only what can show and a click tests only
// the entities near it. Queries answer in list order, as a walk over the
// list would meet the entities; the view's paint and its picks share one.
//
// The index follows its list through the list's change journal, entity by
// entity: an add, delete, undo or change in place refiles only the entities
// it touched. It is built from the list when first synced, after Invalidate
// (geometry moved wholesale outside the journal) and when the reach of
// dimension terminators changes. The boxes are filed only when a query first
// needs them: a paint that shows the whole drawing, or most of it, walks the
// list (testing each box) and needs no more than the extent; the first view
// of a smaller part files them. Entities without a bounded box (grids,
// axis lines, values that are not finite) are always returned; entities that
// neither show nor answer a pick (group headers, empty records) never are.
//
// The index keeps its last answer and brings it in step entity by entity as
// the journal reports, so that the paint after an edit, asking for the same
// rectangle, costs what the edit touched and not what the view shows.

#include "model/BoxTree.h"
#include "model/EntityBox.h"
#include "model/EntityList.h"

#include <cstdint>
#include <vector>

struct CEntity;

class EntityIndex : public EntityListObserver {
public:
    using Box = IndexBox;

    EntityIndex() = default;
    ~EntityIndex() override;
    EntityIndex(const EntityIndex&) = delete;
    EntityIndex& operator=(const EntityIndex&) = delete;

    // Follows `list` (built from it when it is new to the index or the index
    // was invalidated).
    void Sync(CEntityList& list);
    void Invalidate() { valid = false; }
    // How far zoom-linked dimension terminators reach from their tips
    // (model millimetres); a change files the dimensions afresh.
    void SetMarkReach(double reach);

    // Whether every bounded box lies within the rectangle (a query would
    // then return all that can show, and a plain walk is cheaper).
    bool Covers(const Box& rect) const;
    // The entities whose boxes meet the rectangle (edges included) and the
    // unbounded ones, in list order. Until a query asks for less than half
    // the drawing, the boxes are not filed and queries walk the list.
    void Query(const Box& rect, std::vector<CEntity*>& out) const;
    // Whether the boxes are filed in the tree (for tests and benchmarks).
    bool Filed() const { return filed; }

    // Entities in the list followed.
    std::size_t Size() const { return list && valid ? list->Size() : 0; }

    // ---- EntityListObserver ----
    void EntityLinked(CEntity* entity) override;
    void EntityUnlinked(CEntity* entity) override;
    void EntityChanged(CEntity* entity) override;
    void ListReset() override;
    void ListGone() override;

private:
    // Files every entity of the list (filed: boxes and extent) or only
    // measures the extent (not filed).
    void Rebuild(bool file) const;
    // The entity's reach and box as the tree would file it.
    IndexReach Reach(const CEntity& e, Box& b) const;
    // Whether a query of the rectangle answers the entity (unbounded, or
    // its box meets the rectangle), worked out without the tree.
    bool Shows(const CEntity& e, const Box& rect) const;
    // Whether the rectangle shows half the drawing's extent or more.
    bool Wide(const Box& rect) const;
    // Files the entity now, or adds its box to `batch` to be filed with the rest.
    void File(CEntity* e, std::vector<BoxTree::Item>* batch = nullptr) const;
    void Unfile(CEntity* e);
    void Widen(const CEntity* e) const;
    // The kept answer: whether `e` (linked) belongs in it; adding and taking
    // out one entity by its rank.
    bool Answers(const CEntity* e) const;
    void KeepAnswering(CEntity* e);
    void StopAnswering(const CEntity* e);
    void Forget() const { kept = false; }
    // Keeps the answer to a query of the rectangle; reads it back.
    void Keep(const Box& rect, const std::vector<CEntity*>& answer) const;
    void Kept(std::vector<CEntity*>& out) const;
    // The query itself, without the kept answer.
    void Answer(const Box& rect, std::vector<CEntity*>& out) const;

    CEntityList* list = nullptr;
    // Built when first needed, by the const queries too.
    mutable BoxTree tree;                       // bounded entities by slot
    mutable std::vector<uint32_t> unbounded;    // slots
    mutable std::vector<uint32_t> unboundedAt;  // by slot: place in `unbounded`, or UINT32_MAX
    mutable Box extent{0, 0, 0, 0};             // grows only until the next rebuild
    mutable bool hasExtent = false;
    mutable bool measured = false;  // extent known
    mutable bool filed = false;     // boxes filed
    bool valid = false;
    double markReach = 0.0;
    mutable std::vector<uint32_t> hits;
    mutable std::vector<uint8_t> hitFlags;
    // The last query's rectangle and answer in list order, with the ranks;
    // an entity taken out leaves a hole (null) until the answer is read.
    mutable bool kept = false;
    mutable std::size_t keptHoles = 0;
    mutable Box keptRect{0, 0, 0, 0};
    mutable std::vector<CEntity*> keptAnswer;
    mutable std::vector<uint64_t> keptRanks;
};
