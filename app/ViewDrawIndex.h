#pragma once
// The entities of a drawing with the boxes they cover, so that a paint of a
// zoomed-in view visits only what can show. Queries answer in list order, as
// a walk over the list would meet the entities.
//
// The index mirrors the list. Entities appended at the tail are taken in
// incrementally; a relink of the list (EntityListChanges.h), a new first
// entity or an explicit Invalidate (after geometry was edited in place)
// rebuilds it. Entities without a bounded box (grids, infinite lines, the
// types whose extent depends on their text or file) are always returned.

#include <cstdint>
#include <vector>

struct CEntity;

class ViewDrawIndex {
public:
    struct Box {
        double x0, y0, x1, y1;
    };

    // Brings the index in step with the list whose first entity is `first`.
    void Sync(CEntity* first);
    void Invalidate() { valid = false; }

    // Whether every bounded box lies within the rectangle (a query would
    // then return the whole list, and a plain walk is cheaper).
    bool Covers(const Box& rect) const;
    // The entities whose boxes meet the rectangle (edges included) and the
    // unbounded ones, in list order.
    void Query(const Box& rect, std::vector<CEntity*>& out) const;

    std::size_t Size() const { return entities.size(); }

    // Box of the entity's figure; false when it has none that bounds it.
    static bool BoundingBox(const CEntity& e, Box& box);

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
    std::vector<uint8_t> bounded;     // per entity
    std::vector<uint32_t> order;      // entities in tree leaf order
    std::vector<Node> nodes;
    uint32_t root = 0;
    bool hasTree = false;
    std::size_t treeCount = 0;        // entities [0, treeCount) are in the tree
    std::vector<uint32_t> loose;      // bounded entities appended since the tree was built
    std::vector<uint32_t> unbounded;
    Box extent{0, 0, 0, 0};
    bool hasExtent = false;
    bool valid = false;
    CEntity* firstSeen = nullptr;
    uint64_t relinkCount = 0;
};
