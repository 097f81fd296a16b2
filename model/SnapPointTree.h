#pragma once
// A bucket quadtree over the snap points, so that the nearest-point search of
// the view looks at a few nodes instead of the whole list. It holds pointers
// to the list's nodes; the list keeps it in step as nodes come and go.

#include <cstdint>
#include <vector>

struct SnapPoint;

class SnapPointTree {
public:
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
    struct Node {
        double x0, y0, x1, y1;  // bounds; a point goes left of midX when x < midX
        double midX, midY;
        int32_t child[4] = {-1, -1, -1, -1};  // quadrants: bit 0 right, bit 1 top
        bool leaf = true;
        std::size_t total = 0;  // points in the node and below it
        std::vector<SnapPoint*> points;
    };
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
    int32_t root = -1;
    std::vector<int32_t> path;          // scratch of Remove
    std::vector<SnapPoint*> outliers;  // points too far out or not finite: searched one by one
    std::size_t count = 0;
};
