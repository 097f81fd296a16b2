#pragma once
// The snap points in a box tree, so that the nearest-point search of the
// view looks at a few nodes instead of the whole list. It holds pointers to
// the list's nodes; the list keeps it in step as nodes come and go. A point
// is a box of no size; the tree keeps no record per point beside the node's
// list, and finds a point's node again by its coordinates.

#include "model/BoxTree.h"

#include <cstdint>
#include <vector>

struct SnapPoint;

class SnapPointTree : public BasicBoxTree<SnapPoint*, SnapPointTree> {
public:
    // Filter of a search: true for a point that may be returned.
    using Filter = bool (*)(const SnapPoint& p, const void* context);

    void Insert(SnapPoint* p);
    // Inserts every point of `points` (which it reorders); into an empty tree
    // it builds the nodes top down at once, each leaf holding just its points.
    void InsertMany(std::vector<SnapPoint*>& points);
    void Remove(SnapPoint* p);
    void Clear();
    std::size_t Size() const { return BasicBoxTree::Size() + outliers.size(); }

    // The point a walk over the list in order would settle on: the smallest
    // distance sqrt(dy*dy + dx*dx) strictly below maxDist among the points
    // the filter accepts, the earliest in list order on a tie. Null if none.
    // dist (when given) receives the distance of the point returned.
    const SnapPoint* Nearest(double x, double y, double maxDist, Filter filter, const void* context,
                             double* dist) const;

private:
    friend class BasicBoxTree<SnapPoint*, SnapPointTree>;
    // Points lie close together: a leaf takes more of them than a node of
    // entity boxes, and splits further down.
    static constexpr std::size_t SplitAbove = 24;
    static constexpr double MinNodeSize = 1.0 / 1024.0;
    static constexpr bool PointsOnly = true;

    Box BoxOf(const SnapPoint* p) const;
    void Placed(SnapPoint*, int32_t, uint32_t) {}

    std::vector<SnapPoint*> outliers;  // points too far out or not finite: searched one by one
};
