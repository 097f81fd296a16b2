#pragma once
// A loose quadtree of boxes, each filed under a small number the owner
// chooses (the slot of an entity in its list), that takes boxes in and out
// one by one. The indexes of the model (crossing candidates of the snap
// points, the view's paint and pick index) keep their entities in one.
//
// A box lives in the deepest node that holds its centre and is at least
// twice its size, once that node has split; a node splits when it holds more
// than a handful. Every node knows the box of everything filed in and below
// it; that box only grows until Clear, which keeps removal cheap and every
// query exact. Boxes must be finite and within +-1e15 (Fits).
//
// Long thin boxes (a grid of lines across the drawing) stay in the nodes near
// the root, where every query would meet them all. A node keeps those that
// are thin across their length in two lists sorted by where they stand
// across it (wide ones by y0, tall ones by x0), so that a query reads only
// the ones in its band. Removal takes constant time from the plain list and
// a binary search from the sorted ones.

#include <algorithm>
#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

class BoxTree {
public:
    struct Box {
        double x0, y0, x1, y1;
    };

    static bool Fits(const Box& b);

    void Insert(uint32_t id, const Box& box);
    using Item = std::pair<uint32_t, Box>;
    // Files many boxes at once (id and box; the vector is reordered and
    // loses repeated ids, the last box of an id counting). Into an empty
    // tree it builds the nodes top down in one pass, which costs a fraction
    // of filing them one by one; else they are filed one by one.
    void InsertMany(std::vector<Item>& items);
    // Takes out the box filed under id (nothing when there is none).
    void Remove(uint32_t id);
    void Clear();
    bool Contains(uint32_t id) const { return id < nodeOf.size() && nodeOf[id] >= 0; }
    const Box& BoxOf(uint32_t id) const { return boxes[id]; }
    std::size_t Size() const { return count; }

    // Calls visit(id) for every box that meets `b` (edges included), in no
    // particular order.
    template <class Visit>
    void Query(const Box& b, Visit&& visit) const
    {
        if (root >= 0)
            QueryNode(root, b, visit);
    }

private:
    // Where a box sits in its node: at a place in `items`, or in a sorted list.
    static constexpr uint32_t InWide = UINT32_MAX - 1;
    static constexpr uint32_t InTall = UINT32_MAX;

    // Boxes sorted by one coordinate (y0 for wide ones, x0 for tall ones);
    // `thick` bounds their other extent, so that a query can start its
    // search that far before its own band.
    struct Band {
        std::vector<uint32_t> ids;
        double thick = 0;
    };

    struct Node {
        double x0, y0, x1, y1;
        double midX, midY;
        Box reach;
        int32_t child[4] = {-1, -1, -1, -1};
        bool split = false;
        std::vector<uint32_t> items;
        Band wide;  // by y0
        Band tall;  // by x0
    };

    static bool Meets(const Box& a, const Box& b)
    {
        return a.x0 <= b.x1 && b.x0 <= a.x1 && a.y0 <= b.y1 && b.y0 <= a.y1;
    }

    template <class Visit>
    void QueryNode(int32_t node, const Box& b, Visit& visit) const
    {
        const Node& n = nodes[static_cast<std::size_t>(node)];
        if (!Meets(n.reach, b))
            return;
        for (uint32_t id : n.items)
            if (Meets(boxes[id], b))
                visit(id);
        if (!n.wide.ids.empty())
            QueryBand(n.wide, &Box::y0, b.y0, b.y1, b, visit);
        if (!n.tall.ids.empty())
            QueryBand(n.tall, &Box::x0, b.x0, b.x1, b, visit);
        if (n.split)
            for (int32_t c : n.child)
                if (c >= 0)
                    QueryNode(c, b, visit);
    }

    template <class Visit>
    void QueryBand(const Band& band, double Box::*key, double from, double to, const Box& b, Visit& visit) const
    {
        const double start = from - band.thick;
        auto it = std::lower_bound(band.ids.begin(), band.ids.end(), start,
                                   [this, key](uint32_t id, double v) { return boxes[id].*key < v; });
        for (; it != band.ids.end() && boxes[*it].*key <= to; ++it)
            if (Meets(boxes[*it], b))
                visit(*it);
    }

    int32_t NewNode(double x0, double y0, double x1, double y1);
    void Keep(int32_t node, uint32_t id);
    void Drop(int32_t node, uint32_t id);
    void GrowToContain(double cx, double cy, double size);
    void Place(uint32_t id, int32_t from);
    void Split(int32_t node);
    // Files the boxes [begin, end) into the node (new, empty) and below it,
    // splitting as filing them one by one would.
    void Fill(int32_t node, Item* begin, Item* end);

    // Nodes never move: a new one costs the same at any size of the tree.
    std::deque<Node> nodes;
    int32_t root = -1;
    std::vector<Box> boxes;       // by id
    std::vector<int32_t> nodeOf;  // by id: the node holding it, -1 when none
    std::vector<uint32_t> placeOf;  // by id: its place in the node's items, or InWide/InTall
    std::size_t count = 0;
};

// Takes `slot` out of a list of slots kept beside the tree (entities too
// large for it), where `at` gives each slot's place in the list or
// UINT32_MAX; the last one takes its place. False when it is not there.
inline bool RemoveSlot(std::vector<uint32_t>& list, std::vector<uint32_t>& at, uint32_t slot)
{
    if (slot >= at.size() || at[slot] == UINT32_MAX)
        return false;
    const uint32_t place = at[slot];
    const uint32_t moved = list.back();
    list[place] = moved;
    at[moved] = place;
    list.pop_back();
    at[slot] = UINT32_MAX;
    return true;
}
