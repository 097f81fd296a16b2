#include "model/SnapPointTree.h"

#include "model/SnapPointList.h"

#include <algorithm>
#include <cmath>

namespace {

// What a nearest search has found so far.
struct Search {
    double x, y;
    double maxDist;
    SnapPointTree::Filter filter;
    const void* context;
    const SnapPoint* best = nullptr;
    double bestDist = 0.0;

    void Consider(const SnapPoint* p)
    {
        if (filter && !filter(*p, context))
            return;
        const double dy = y - p->y;
        const double dx = x - p->x;
        const double d = std::sqrt(dy * dy + dx * dx);
        if (!(d < maxDist))
            return;
        if (!best || d < bestDist || (d == bestDist && p->order < best->order)) {
            best = p;
            bestDist = d;
        }
    }
    // Bound a point must not exceed to matter; a little slack keeps rounding
    // of the node distance from hiding a tie.
    double Bound() const { return (best ? bestDist : maxDist) * (1.0 + 1e-12) + 1e-300; }
};

} // namespace

SnapPointTree::Box SnapPointTree::BoxOf(const SnapPoint* p) const
{
    return {p->x, p->y, p->x, p->y};
}

void SnapPointTree::Insert(SnapPoint* p)
{
    if (!Fits(BoxOf(p))) {
        outliers.push_back(p);
        return;
    }
    File(p);
}

void SnapPointTree::InsertMany(std::vector<SnapPoint*>& points)
{
    if (Size() != 0) {
        for (SnapPoint* p : points)
            Insert(p);
        return;
    }
    auto placeable =
        std::partition(points.begin(), points.end(), [this](const SnapPoint* p) { return Fits(BoxOf(p)); });
    outliers.insert(outliers.end(), placeable, points.end());
    points.erase(placeable, points.end());
    BasicBoxTree::Clear();
    FileMany(points.data(), points.data() + points.size());
}

void SnapPointTree::Remove(SnapPoint* p)
{
    const Box b = BoxOf(p);
    if (!Fits(b)) {
        auto it = std::find(outliers.begin(), outliers.end(), p);
        if (it != outliers.end()) {
            *it = outliers.back();
            outliers.pop_back();
        }
        return;
    }
    const int32_t node = Home(p->x, p->y);
    if (node >= 0)
        Drop(node, p, Unknown);
}

void SnapPointTree::Clear()
{
    BasicBoxTree::Clear();
    outliers.clear();
}

const SnapPoint* SnapPointTree::Nearest(double x, double y, double maxDist, Filter filter, const void* context,
                                        double* dist) const
{
    Search s{x, y, maxDist, filter, context};
    for (const SnapPoint* p : outliers)
        s.Consider(p);
    // A query point that is not finite gives no finite distance: nothing in
    // the tree can be nearer than the bound then.
    if (std::isfinite(x) && std::isfinite(y))
        Near(x, y, [&s](const SnapPoint* p) { s.Consider(p); }, [&s] { return s.Bound(); });
    if (dist)
        *dist = s.best ? s.bestDist : 0.0;
    return s.best;
}
