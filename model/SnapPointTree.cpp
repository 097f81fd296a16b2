#include "model/SnapPointTree.h"

#include "model/SnapPointList.h"

#include <algorithm>
#include <cmath>

namespace {

// Coordinates beyond this are kept out of the tree (they would make it grow
// without end); such points are searched one by one.
constexpr double PlaceLimit = 1e15;
// A leaf splits when it holds more points than this, unless it is already
// this small or all its points coincide.
constexpr std::size_t LeafCapacity = 24;
constexpr double MinNodeSize = 1.0 / 1024.0;
constexpr double FirstRootSize = 1024.0;

double Distance(double qx, double qy, const SnapPoint& p)
{
    const double dy = qy - p.y;
    const double dx = qx - p.x;
    return std::sqrt(dy * dy + dx * dx);
}

} // namespace

struct SnapPointTree::Search {
    double x, y;
    double maxDist;
    Filter filter;
    const void* context;
    const SnapPoint* best = nullptr;
    double bestDist = 0.0;

    void Consider(const SnapPoint* p)
    {
        if (filter && !filter(*p, context))
            return;
        const double d = Distance(x, y, *p);
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

bool SnapPointTree::Placeable(const SnapPoint* p)
{
    return std::isfinite(p->x) && std::isfinite(p->y) && std::fabs(p->x) < PlaceLimit &&
           std::fabs(p->y) < PlaceLimit;
}

int32_t SnapPointTree::NewNode(double x0, double y0, double x1, double y1)
{
    Node n;
    n.x0 = x0;
    n.y0 = y0;
    n.x1 = x1;
    n.y1 = y1;
    n.midX = x0 + (x1 - x0) * 0.5;
    n.midY = y0 + (y1 - y0) * 0.5;
    nodes.push_back(std::move(n));
    return static_cast<int32_t>(nodes.size() - 1);
}

void SnapPointTree::GrowToContain(double x, double y)
{
    if (root < 0) {
        const double x0 = std::floor(x / FirstRootSize) * FirstRootSize;
        const double y0 = std::floor(y / FirstRootSize) * FirstRootSize;
        root = NewNode(x0, y0, x0 + FirstRootSize, y0 + FirstRootSize);
        return;
    }
    for (;;) {
        const Node& r = nodes[root];
        if (x >= r.x0 && x <= r.x1 && y >= r.y0 && y <= r.y1)
            return;
        const double w = r.x1 - r.x0;
        const double h = r.y1 - r.y0;
        const bool left = x < r.x0;
        const bool below = y < r.y0;
        // The old root becomes one quadrant of a root twice its size; the new
        // root splits exactly along the old root's edges.
        Node grown;
        grown.x0 = left ? r.x0 - w : r.x0;
        grown.x1 = left ? r.x1 : r.x1 + w;
        grown.y0 = below ? r.y0 - h : r.y0;
        grown.y1 = below ? r.y1 : r.y1 + h;
        grown.midX = left ? r.x0 : r.x1;
        grown.midY = below ? r.y0 : r.y1;
        grown.leaf = false;
        grown.total = r.total;
        const int quadrant = (left ? 1 : 0) | (below ? 2 : 0);
        grown.child[quadrant] = root;
        nodes.push_back(std::move(grown));
        root = static_cast<int32_t>(nodes.size() - 1);
    }
}

int32_t SnapPointTree::ChildFor(int32_t node, double x, double y)
{
    const int quadrant = (x < nodes[node].midX ? 0 : 1) | (y < nodes[node].midY ? 0 : 2);
    int32_t c = nodes[node].child[quadrant];
    if (c >= 0)
        return c;
    const Node& n = nodes[node];
    const double cx0 = (quadrant & 1) ? n.midX : n.x0;
    const double cx1 = (quadrant & 1) ? n.x1 : n.midX;
    const double cy0 = (quadrant & 2) ? n.midY : n.y0;
    const double cy1 = (quadrant & 2) ? n.y1 : n.midY;
    c = NewNode(cx0, cy0, cx1, cy1);
    nodes[node].child[quadrant] = c;
    return c;
}

bool SnapPointTree::Splits(int32_t node, SnapPoint* const* begin, SnapPoint* const* end) const
{
    const Node& n = nodes[node];
    if (static_cast<std::size_t>(end - begin) <= LeafCapacity)
        return false;
    if (n.x1 - n.x0 <= MinNodeSize && n.y1 - n.y0 <= MinNodeSize)
        return false;
    if (!(n.midX > n.x0 && n.midX < n.x1) && !(n.midY > n.y0 && n.midY < n.y1))
        return false;
    const SnapPoint* f = *begin;
    return !std::all_of(begin, end, [f](const SnapPoint* p) { return p->x == f->x && p->y == f->y; });
}

void SnapPointTree::Split(int32_t node)
{
    Node& n = nodes[node];
    if (!Splits(node, n.points.data(), n.points.data() + n.points.size()))
        return;
    std::vector<SnapPoint*> moving = std::move(n.points);
    nodes[node].points.clear();
    nodes[node].leaf = false;
    for (SnapPoint* p : moving) {
        const int32_t c = ChildFor(node, p->x, p->y);
        nodes[c].points.push_back(p);
        ++nodes[c].total;
    }
    for (int q = 0; q < 4; ++q)
        if (nodes[node].child[q] >= 0)
            Split(nodes[node].child[q]);
}

void SnapPointTree::Fill(int32_t node, SnapPoint** begin, SnapPoint** end)
{
    nodes[node].total += static_cast<std::size_t>(end - begin);
    if (nodes[node].leaf && !Splits(node, begin, end)) {
        nodes[node].points.assign(begin, end);
        return;
    }
    nodes[node].leaf = false;
    // Quadrants as ChildFor takes them: bit 0 right of midX, bit 1 above midY.
    const double midX = nodes[node].midX, midY = nodes[node].midY;
    SnapPoint** right = std::partition(begin, end, [midX](const SnapPoint* p) { return p->x < midX; });
    SnapPoint** leftTop = std::partition(begin, right, [midY](const SnapPoint* p) { return p->y < midY; });
    SnapPoint** rightTop = std::partition(right, end, [midY](const SnapPoint* p) { return p->y < midY; });
    SnapPoint** const bounds[4][2] = {{begin, leftTop}, {right, rightTop}, {leftTop, right}, {rightTop, end}};
    for (int q = 0; q < 4; ++q) {
        if (bounds[q][0] == bounds[q][1])
            continue;
        const SnapPoint* p = *bounds[q][0];
        Fill(ChildFor(node, p->x, p->y), bounds[q][0], bounds[q][1]);
    }
}

void SnapPointTree::InsertMany(std::vector<SnapPoint*>& points)
{
    if (count != 0 || points.size() <= LeafCapacity) {
        for (SnapPoint* p : points)
            Insert(p);
        return;
    }
    auto placeable = std::partition(points.begin(), points.end(), Placeable);
    outliers.insert(outliers.end(), placeable, points.end());
    count += points.size();
    points.erase(placeable, points.end());
    if (points.empty())
        return;
    double x0 = points[0]->x, y0 = points[0]->y, x1 = x0, y1 = y0;
    for (const SnapPoint* p : points) {
        x0 = std::min(x0, p->x);
        y0 = std::min(y0, p->y);
        x1 = std::max(x1, p->x);
        y1 = std::max(y1, p->y);
    }
    // The root the first point would make, grown until it holds them all.
    GrowToContain(points[0]->x, points[0]->y);
    GrowToContain(x0, y0);
    GrowToContain(x1, y1);
    Fill(root, points.data(), points.data() + points.size());
}

void SnapPointTree::Insert(SnapPoint* p)
{
    ++count;
    if (!Placeable(p)) {
        outliers.push_back(p);
        return;
    }
    GrowToContain(p->x, p->y);
    int32_t n = root;
    ++nodes[n].total;
    while (!nodes[n].leaf) {
        n = ChildFor(n, p->x, p->y);
        ++nodes[n].total;
    }
    nodes[n].points.push_back(p);
    Split(n);
}

void SnapPointTree::Remove(SnapPoint* p)
{
    auto drop = [p](std::vector<SnapPoint*>& v) {
        auto it = std::find(v.begin(), v.end(), p);
        if (it == v.end())
            return false;
        *it = v.back();
        v.pop_back();
        return true;
    };
    if (!Placeable(p)) {
        if (drop(outliers))
            --count;
        return;
    }
    path.clear();
    int32_t n = root;
    while (n >= 0 && !nodes[n].leaf) {
        path.push_back(n);
        const int quadrant = (p->x < nodes[n].midX ? 0 : 1) | (p->y < nodes[n].midY ? 0 : 2);
        n = nodes[n].child[quadrant];
    }
    if (n >= 0 && drop(nodes[n].points)) {
        --count;
        --nodes[n].total;
        for (int32_t up : path)
            --nodes[up].total;
    }
}

void SnapPointTree::Clear()
{
    nodes.clear();
    root = -1;
    outliers.clear();
    count = 0;
}

void SnapPointTree::Visit(int32_t node, Search& s) const
{
    const Node& n = nodes[node];
    // Subtrees emptied by removals are passed over whatever their depth.
    if (n.total == 0)
        return;
    const double dx = std::max({n.x0 - s.x, s.x - n.x1, 0.0});
    const double dy = std::max({n.y0 - s.y, s.y - n.y1, 0.0});
    if (std::sqrt(dy * dy + dx * dx) > s.Bound())
        return;
    if (n.leaf) {
        for (const SnapPoint* p : n.points)
            s.Consider(p);
        return;
    }
    // Nearer quadrants first, so the bound tightens early.
    int order[4] = {0, 1, 2, 3};
    double key[4];
    for (int q = 0; q < 4; ++q) {
        const int32_t c = n.child[q];
        if (c < 0) {
            key[q] = INFINITY;
            continue;
        }
        const Node& m = nodes[c];
        const double cx = std::max({m.x0 - s.x, s.x - m.x1, 0.0});
        const double cy = std::max({m.y0 - s.y, s.y - m.y1, 0.0});
        key[q] = cx * cx + cy * cy;
    }
    std::sort(order, order + 4, [&key](int a, int b) { return key[a] < key[b]; });
    for (int q : order)
        if (n.child[q] >= 0)
            Visit(n.child[q], s);
}

const SnapPoint* SnapPointTree::Nearest(double x, double y, double maxDist, Filter filter, const void* context,
                                        double* dist) const
{
    Search s{x, y, maxDist, filter, context};
    for (const SnapPoint* p : outliers)
        s.Consider(p);
    if (root >= 0 && std::isfinite(x) && std::isfinite(y))
        Visit(root, s);
    else if (root >= 0) {
        // A query point that is not finite gives no finite distance; nothing
        // can be nearer than the bound then.
    }
    if (dist)
        *dist = s.best ? s.bestDist : 0.0;
    return s.best;
}
