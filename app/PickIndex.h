#pragma once
// The boxes within which each entity of a drawing can answer a pick, so that
// a click on a large drawing tests only the entities near it. A query answers
// in list order, exactly the entities a walk over the list could accept
// there, and always the entities whose reach has no bound (the grid,
// infinite lines, values that are not finite).
//
// The index mirrors the list. Entities appended at the tail are taken in
// incrementally; a relink of the list (EntityListChanges.h), a new first
// entity or an explicit Invalidate (after geometry was edited in place)
// rebuilds it.

#include <cstdint>
#include <vector>

struct CEntity;

class PickIndex {
public:
    struct Box {
        double x0, y0, x1, y1;
    };

    void Sync(CEntity* first);
    void Invalidate() { valid = false; }

    // Entities whose pick box meets the rectangle, and the unbounded ones,
    // in list order.
    void Query(const Box& rect, std::vector<CEntity*>& out) const;
    std::size_t Size() const { return entities.size(); }

    // The box outside which the entity yields nothing for any click; false
    // when it has no bound.
    static bool PickBox(const CEntity& e, Box& box);

private:
    struct Node {
        Box box;
        uint32_t first;
        uint16_t count;
        bool leaf;
    };

    void Rebuild(CEntity* first);
    void Append(CEntity* e);
    void BuildTree();
    void Visit(uint32_t node, const Box& rect, std::vector<uint32_t>& hits) const;

    std::vector<CEntity*> entities;
    std::vector<Box> boxes;
    std::vector<uint8_t> bounded;
    std::vector<uint32_t> order;
    std::vector<Node> nodes;
    std::vector<uint32_t> loose;
    std::vector<uint32_t> unbounded;
    uint32_t root = 0;
    bool hasTree = false;
    std::size_t treeCount = 0;
    bool valid = false;
    CEntity* firstSeen = nullptr;
    uint64_t relinkCount = 0;
};
