#pragma once
// A bucket quadtree over the snap points, so that the nearest-point search of
// the view looks at a few nodes instead of the whole list. It holds pointers
// to the list's nodes; the list keeps it in step as nodes come and go.

#include <cstdint>
#include <vector>

struct SnapPoint;

class SnapPointTree {
public:
    SnapPointTree() = default;
    ~SnapPointTree() { Clear(); }
    SnapPointTree(const SnapPointTree&) = delete;
    SnapPointTree& operator=(const SnapPointTree&) = delete;

    // Filter of a search: true for a point that may be returned.
    using Filter = bool (*)(const SnapPoint& p, const void* context);

    void Insert(SnapPoint* p);
    // Inserts every point of `points` (which it reorders); into an empty tree
    // it builds the nodes top down at once, each leaf holding just its points.
    void InsertMany(std::vector<SnapPoint*>& points);
    void Remove(SnapPoint* p);
    void Clear();
    std::size_t Size() const { return count; }

    // The point a walk over the list in order would settle on: the smallest
    // distance sqrt(dy*dy + dx*dx) strictly below maxDist among the points
    // the filter accepts, the earliest in list order on a tie. Null if none.
    // dist (when given) receives the distance of the point returned.
    const SnapPoint* Nearest(double x, double y, double maxDist, Filter filter, const void* context,
                             double* dist) const;

private:
    // A node is kept in two parts: what the descent to a leaf reads (a
    // split node's split point and children, or a leaf's points), 32 bytes
    // side by side with the other nodes', and its bounds beside it. Removing
    // a point reads one cache line per level and the leaf's points, and the
    // upper levels of a large tree stay in the cache.
    struct Inner {
        double midX, midY;  // a point goes left of midX when x < midX
    };
    struct Leaf {
        SnapPoint** points;  // `size` of them in an array of `room` owned by the tree
        uint32_t size, room;
    };
    struct alignas(32) Node {
        union {
            Inner split;
            Leaf leaf = {nullptr, 0, 0};
        };
        int32_t child[4] = {LeafTag, -1, -1, -1};  // quadrants: bit 0 right, bit 1 top; LeafTag first in a leaf
    };
    struct Cell {
        double x0, y0, x1, y1;  // bounds
        // Below a split node: how many of its children hold points, so that
        // subtrees emptied by removals are passed over whatever their depth.
        uint32_t live = 0;
    };
    static constexpr int32_t LeafTag = -2;

    bool IsLeaf(int32_t node) const { return nodes[node].child[0] == LeafTag; }
    bool Empty(int32_t node) const { return IsLeaf(node) ? nodes[node].leaf.size == 0 : cells[node].live == 0; }
    // Appends to a leaf's points.
    void Push(int32_t leaf, SnapPoint* p);
    // Gives an empty leaf exactly these points.
    void Assign(int32_t leaf, SnapPoint* const* begin, SnapPoint* const* end);
    // Turns a leaf into a split node at its middle; returns its points,
    // which the caller frees.
    Leaf MakeSplit(int32_t leaf);
    struct Search;

    static bool Placeable(const SnapPoint* p);
    int32_t NewNode(double x0, double y0, double x1, double y1);
    void GrowToContain(double x, double y);
    int32_t ChildFor(int32_t node, double x, double y);
    void Split(int32_t node);
    // Whether a leaf of these points would split (as Split decides).
    bool Splits(int32_t node, SnapPoint* const* begin, SnapPoint* const* end) const;
    // Files the points into the node and below it; the node is new or empty.
    void Fill(int32_t node, SnapPoint** begin, SnapPoint** end);
    void Visit(int32_t node, Search& s) const;

    std::vector<Node> nodes;
    std::vector<Cell> cells;  // by node
    int32_t root = -1;
    std::vector<int32_t> path;          // scratch of Remove
    std::vector<SnapPoint*> outliers;  // points too far out or not finite: searched one by one
    std::size_t count = 0;
};
