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
    n.midX = x0 + (x1 - x0) * 0.5;
    n.midY = y0 + (y1 - y0) * 0.5;
    Cell c;
    c.x0 = x0;
    c.y0 = y0;
    c.x1 = x1;
    c.y1 = y1;
    nodes.push_back(n);
    cells.push_back(std::move(c));
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
        const Cell& r = cells[root];
        if (x >= r.x0 && x <= r.x1 && y >= r.y0 && y <= r.y1)
            return;
        const double w = r.x1 - r.x0;
        const double h = r.y1 - r.y0;
        const bool left = x < r.x0;
        const bool below = y < r.y0;
        // The old root becomes one quadrant of a root twice its size; the new
        // root splits exactly along the old root's edges.
        Cell grown;
        grown.x0 = left ? r.x0 - w : r.x0;
        grown.x1 = left ? r.x1 : r.x1 + w;
        grown.y0 = below ? r.y0 - h : r.y0;
        grown.y1 = below ? r.y1 : r.y1 + h;
        grown.live = Empty(root) ? 0 : 1;
        Node split;
        split.midX = left ? r.x0 : r.x1;
        split.midY = below ? r.y0 : r.y1;
        split.child[0] = -1;
        const int quadrant = (left ? 1 : 0) | (below ? 2 : 0);
        split.child[quadrant] = root;
        nodes.push_back(split);
        cells.push_back(std::move(grown));
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
    const Cell& b = cells[node];
    const double cx0 = (quadrant & 1) ? n.midX : b.x0;
    const double cx1 = (quadrant & 1) ? b.x1 : n.midX;
    const double cy0 = (quadrant & 2) ? n.midY : b.y0;
    const double cy1 = (quadrant & 2) ? b.y1 : n.midY;
    c = NewNode(cx0, cy0, cx1, cy1);
    nodes[node].child[quadrant] = c;
    return c;
}

bool SnapPointTree::Splits(int32_t node, SnapPoint* const* begin, SnapPoint* const* end) const
{
    const Node& n = nodes[node];
    const Cell& b = cells[node];
    if (static_cast<std::size_t>(end - begin) <= LeafCapacity)
        return false;
    if (b.x1 - b.x0 <= MinNodeSize && b.y1 - b.y0 <= MinNodeSize)
        return false;
    if (!(n.midX > b.x0 && n.midX < b.x1) && !(n.midY > b.y0 && n.midY < b.y1))
        return false;
    const SnapPoint* f = *begin;
    return !std::all_of(begin, end, [f](const SnapPoint* p) { return p->x == f->x && p->y == f->y; });
}

void SnapPointTree::Split(int32_t node)
{
    const std::vector<SnapPoint*>& held = cells[node].points;
    if (!Splits(node, held.data(), held.data() + held.size()))
        return;
    std::vector<SnapPoint*> moving = std::move(cells[node].points);
    cells[node].points.clear();
    nodes[node].child[0] = -1;
    uint32_t live = 0;
    for (SnapPoint* p : moving) {
        const int32_t c = ChildFor(node, p->x, p->y);
        if (cells[c].points.empty())
            ++live;
        cells[c].points.push_back(p);
    }
    cells[node].live = live;
    for (int q = 0; q < 4; ++q)
        if (nodes[node].child[q] >= 0)
            Split(nodes[node].child[q]);
}

void SnapPointTree::Fill(int32_t node, SnapPoint** begin, SnapPoint** end)
{
    if (IsLeaf(node) && !Splits(node, begin, end)) {
        cells[node].points.assign(begin, end);
        return;
    }
    if (IsLeaf(node))
        nodes[node].child[0] = -1;
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
        ++cells[node].live;
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
    while (!IsLeaf(n)) {
        const int32_t c = ChildFor(n, p->x, p->y);
        // Every node below an empty one on the way is empty as well: each
        // gains its first point, and its parent a child that holds one.
        if (Empty(c))
            ++cells[n].live;
        n = c;
    }
    cells[n].points.push_back(p);
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
    while (n >= 0 && !IsLeaf(n)) {
        path.push_back(n);
        const Node& node = nodes[n];
        const int quadrant = (p->x < node.midX ? 0 : 1) | (p->y < node.midY ? 0 : 2);
        n = node.child[quadrant];
    }
    if (n < 0 || !drop(cells[n].points))
        return;
    --count;
    // Only a leaf left empty changes what its ancestors know.
    if (!cells[n].points.empty())
        return;
    for (std::size_t i = path.size(); i-- > 0;)
        if (--cells[path[i]].live != 0)
            break;
}

void SnapPointTree::Clear()
{
    nodes.clear();
    cells.clear();
    root = -1;
    outliers.clear();
    count = 0;
}

void SnapPointTree::Visit(int32_t node, Search& s) const
{
    // Subtrees emptied by removals are passed over whatever their depth.
    if (Empty(node))
        return;
    const Node& n = nodes[node];
    const Cell& b = cells[node];
    const double dx = std::max({b.x0 - s.x, s.x - b.x1, 0.0});
    const double dy = std::max({b.y0 - s.y, s.y - b.y1, 0.0});
    if (std::sqrt(dy * dy + dx * dx) > s.Bound())
        return;
    if (IsLeaf(node)) {
        for (const SnapPoint* p : b.points)
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
        const Cell& m = cells[c];
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
