#pragma once
// The entities of a list that take part in snap-point crossings (lines,
// infinite lines, control-point and freehand curves, circles and arcs), with
// the boxes they occupy, so that a new entity is compared only with the
// earlier entities it can touch, latest first, as a backward walk over the
// list would meet them.
//
// The index mirrors the list from its first entity up to the entity it saw
// last. Appending at the tail is followed by walking back from the new entity
// to that one; any other change of the list (counted by EntityListChanges.h)
// or a walk that does not meet it makes the index rebuild itself from the list.

#include <cmath>
#include <cstdint>
#include <vector>

struct CEntity;

class EntityBoxIndex {
public:
    // Brings the index in step with the list up to and including `entity`.
    void Sync(CEntity* entity);
    // The entities before the last synced one whose boxes may touch the box
    // of `entity` (or that have no bounded box), latest in the list first.
    void Candidates(const CEntity* entity, std::vector<CEntity*>& out) const;
    // Forgets everything; the next Sync rebuilds from the list.
    void Clear();

    // Whether the entity's type takes part in crossings.
    static bool TakesPart(const CEntity& e);

private:
    struct Box {
        double x0, y0, x1, y1;
    };
    struct Item {
        CEntity* entity;
        Box box;
    };
    struct Node {
        double x0, y0, x1, y1;
        double midX, midY;
        // Box of every item in this node and below it (the index only grows
        // between rebuilds, so it never has to shrink).
        Box reach{INFINITY, INFINITY, -INFINITY, -INFINITY};
        int32_t child[4] = {-1, -1, -1, -1};
        std::vector<uint32_t> items;
    };

    // Box of the entity's geometry; false when it has none that bounds it
    // (infinite lines, values that are not finite or too large).
    static bool BoundingBox(const CEntity& e, Box& box);
    void Rebuild(CEntity* entity);
    void Append(CEntity* e);
    void Insert(uint32_t item);
    int32_t NewNode(double x0, double y0, double x1, double y1);
    void GrowToContain(double cx, double cy, double size);
    void Query(int32_t node, const Box& b, std::vector<uint32_t>& out) const;

    std::vector<Item> items;              // in list order
    std::vector<uint32_t> unbounded;      // items searched every time, in list order
    std::vector<Node> nodes;
    int32_t root = -1;
    mutable std::vector<uint32_t> found;  // scratch of Candidates
    const CEntity* tail = nullptr;        // the entity seen last
    bool synced = false;
    uint64_t relinkCount = 0;
};
