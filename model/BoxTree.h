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

#include <cstdint>
#include <vector>

class BoxTree {
public:
    struct Box {
        double x0, y0, x1, y1;
    };

    static bool Fits(const Box& b);

    void Insert(uint32_t id, const Box& box);
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
    struct Node {
        double x0, y0, x1, y1;
        double midX, midY;
        Box reach;
        int32_t child[4] = {-1, -1, -1, -1};
        bool split = false;
        std::vector<uint32_t> items;
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
        if (n.split)
            for (int32_t c : n.child)
                if (c >= 0)
                    QueryNode(c, b, visit);
    }

    int32_t NewNode(double x0, double y0, double x1, double y1);
    void GrowToContain(double cx, double cy, double size);
    void Place(uint32_t id, int32_t from);
    void Split(int32_t node);

    std::vector<Node> nodes;
    int32_t root = -1;
    std::vector<Box> boxes;       // by id
    std::vector<int32_t> nodeOf;  // by id: the node holding it, -1 when none
    std::size_t count = 0;
};
