#pragma once
// The entities of a drawing filed by their boxes (EntityBox.h), so that a
// paint of a zoomed-in view visits only what can show and a click tests only
// the entities near it. Queries answer in list order, as a walk over the
// list would meet the entities; the view's paint and its picks share one.
//
// The index mirrors the list. Entities appended at the tail are taken in
// incrementally; a relink of the list (EntityListChanges.h), a new first
// entity or an explicit Invalidate (after geometry was edited in place)
// rebuilds it. Entities without a bounded box (grids, axis lines, values
// that are not finite) are always returned; entities that neither show nor
// answer a pick (group headers, empty records) never are.

#include "model/EntityBox.h"

#include <cstdint>
#include <vector>

struct CEntity;

class EntityIndex {
public:
    using Box = IndexBox;

    // Brings the index in step with the list whose first entity is `first`.
    void Sync(CEntity* first);
    void Invalidate() { valid = false; }
    // How far zoom-linked dimension terminators reach from their tips
    // (model millimetres); a change files the dimensions afresh.
    void SetMarkReach(double reach);

    // Whether every bounded box lies within the rectangle (a query would
    // then return all that can show, and a plain walk is cheaper).
    bool Covers(const Box& rect) const;
    // The entities whose boxes meet the rectangle (edges included) and the
    // unbounded ones, in list order.
    void Query(const Box& rect, std::vector<CEntity*>& out) const;

    std::size_t Size() const { return entities.size(); }

private:
    struct Node {
        Box box;
        uint32_t first;   // first child node, or first entry of `order` for a leaf
        uint16_t count;
        bool leaf;
    };

    void Rebuild(CEntity* first);
    void Append(CEntity* e);
    void BuildTree();
    void Visit(uint32_t node, const Box& rect, std::vector<uint32_t>& hits) const;

    std::vector<CEntity*> entities;   // list order
    std::vector<Box> boxes;           // per entity
    std::vector<IndexReach> reach;    // per entity
    std::vector<uint32_t> order;      // bounded entities in tree leaf order
    std::vector<Node> nodes;
    uint32_t root = 0;
    bool hasTree = false;
    std::size_t treeCount = 0;        // entities [0, treeCount) are in the tree
    std::vector<uint32_t> loose;      // bounded entities appended since the tree was built
    std::vector<uint32_t> unbounded;
    Box extent{0, 0, 0, 0};
    bool hasExtent = false;
    bool valid = false;
    double markReach = 0.0;
    CEntity* firstSeen = nullptr;
    uint64_t relinkCount = 0;
};
