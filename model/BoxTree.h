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
#include <memory>
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
    bool Contains(uint32_t id) const { return id < filed.size() && filed[id].node >= 0; }
    const Box& BoxOf(uint32_t id) const { return filed[id].box; }
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
    // The first child of a node that has not split.
    static constexpr int32_t Unsplit = -2;

    // Boxes sorted by one coordinate (y0 for wide ones, x0 for tall ones);
    // `thick` bounds their other extent, so that a query can start its
    // search that far before its own band.
    struct Band {
        std::vector<uint32_t> ids;
        double thick = 0;
    };
    struct Bands {
        Band wide;  // by y0
        Band tall;  // by x0
    };

    // What a descent reads and widens: one cache line. A node's bounds are
    // not kept; a descent works them out from the root's as it goes, as the
    // node was made.
    struct alignas(64) Node {
        Box reach;
        double midX, midY;
        int32_t child[4] = {Unsplit, -1, -1, -1};
    };
    // What a node holds, beside it.
    struct Held {
        std::vector<uint32_t> items;
        int32_t bands = -1;  // its sorted lists in `bandStore`; -1 while it has none
    };
    // Where a box is filed (by id): its box, its node (-1 when none) and its
    // place in the node's items (or InWide/InTall), read together.
    struct Filed {
        Box box;
        int32_t node = -1;
        uint32_t place = 0;
    };

    // Elements in blocks of a fixed size that never move: a new one costs
    // the same at any size, and finding one reads a table small enough to
    // stay in the cache.
    template <class T>
    class Blocks {
    public:
        T& operator[](std::size_t i) { return blocks[i / BlockSize][i % BlockSize]; }
        const T& operator[](std::size_t i) const { return blocks[i / BlockSize][i % BlockSize]; }
        std::size_t size() const { return used; }
        std::size_t push_back(const T& value)
        {
            if (used % BlockSize == 0)
                blocks.emplace_back(new T[BlockSize]);
            (*this)[used] = value;
            return used++;
        }
        void clear()
        {
            blocks.clear();
            used = 0;
        }

    private:
        static constexpr std::size_t BlockSize = 256;
        std::vector<std::unique_ptr<T[]>> blocks;
        std::size_t used = 0;
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
        const Held& h = held[static_cast<std::size_t>(node)];
        for (uint32_t id : h.items)
            if (Meets(filed[id].box, b))
                visit(id);
        if (h.bands >= 0) {
            const Bands& bands = bandStore[static_cast<std::size_t>(h.bands)];
            if (!bands.wide.ids.empty())
                QueryBand(bands.wide, &Box::y0, b.y0, b.y1, b, visit);
            if (!bands.tall.ids.empty())
                QueryBand(bands.tall, &Box::x0, b.x0, b.x1, b, visit);
        }
        for (int32_t c : n.child)
            if (c >= 0)
                QueryNode(c, b, visit);
    }

    template <class Visit>
    void QueryBand(const Band& band, double Box::*key, double from, double to, const Box& b, Visit& visit) const
    {
        const double start = from - band.thick;
        auto it = std::lower_bound(band.ids.begin(), band.ids.end(), start,
                                   [this, key](uint32_t id, double v) { return filed[id].box.*key < v; });
        for (; it != band.ids.end() && filed[*it].box.*key <= to; ++it)
            if (Meets(filed[*it].box, b))
                visit(*it);
    }

    int32_t NewNode(const Box& bounds);
    // Files the box in the node, in its sorted list if it is a long thin
    // one; `inOrder` false appends it there, for a caller that sorts after.
    void Keep(int32_t node, const Box& bounds, uint32_t id, bool inOrder = true);
    void Drop(int32_t node, uint32_t id);
    void GrowToContain(double cx, double cy, double size);
    // Files the box from `from` (with those bounds) down.
    void Place(uint32_t id, int32_t from, Box bounds);
    void Split(int32_t node, const Box& bounds);
    // Files the boxes [begin, end) into the node (new, empty; with those
    // bounds) and below it, splitting as filing them one by one would.
    void Fill(int32_t node, const Box& bounds, Item* begin, Item* end);
    // The sorted lists of a node, made when it first needs them.
    Bands& BandsOf(int32_t node);

    Blocks<Node> nodes;
    Blocks<Held> held;       // by node
    Blocks<Bands> bandStore;
    int32_t root = -1;
    Box rootBounds{0, 0, 0, 0};
    std::vector<Filed> filed;  // by id
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
