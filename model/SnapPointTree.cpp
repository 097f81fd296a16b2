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

// The split point of a node's bounds.
double Middle(double lo, double hi)
{
    return lo + (hi - lo) * 0.5;
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
    Cell c;
    c.x0 = x0;
    c.y0 = y0;
    c.x1 = x1;
    c.y1 = y1;
    nodes.push_back(Node{});
    cells.push_back(c);
    return static_cast<int32_t>(nodes.size() - 1);
}

void SnapPointTree::Push(int32_t node, SnapPoint* p)
{
    Leaf& l = nodes[node].leaf;
    if (l.size == l.room) {
        const uint32_t room = l.room == 0 ? 4 : 2 * l.room;
        SnapPoint** points = new SnapPoint*[room];
        std::copy(l.points, l.points + l.size, points);
        delete[] l.points;
        l.points = points;
        l.room = room;
    }
    l.points[l.size++] = p;
}

void SnapPointTree::Assign(int32_t node, SnapPoint* const* begin, SnapPoint* const* end)
{
    Leaf& l = nodes[node].leaf;
    const auto n = static_cast<uint32_t>(end - begin);
    if (l.room < n) {
        SnapPoint** points = new SnapPoint*[n];
        delete[] l.points;
        l.points = points;
        l.room = n;
    }
    std::copy(begin, end, l.points);
    l.size = n;
}

SnapPointTree::Leaf SnapPointTree::MakeSplit(int32_t node)
{
    const Leaf taken = nodes[node].leaf;
    const Cell& b = cells[node];
    // The split point a split node made by NewNode would have had.
    nodes[node].split = Inner{Middle(b.x0, b.x1), Middle(b.y0, b.y1)};
    nodes[node].child[0] = -1;
    cells[node].live = 0;
    return taken;
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
        split.split = Inner{left ? r.x0 : r.x1, below ? r.y0 : r.y1};
        split.child[0] = -1;
        const int quadrant = (left ? 1 : 0) | (below ? 2 : 0);
        split.child[quadrant] = root;
        nodes.push_back(split);
        cells.push_back(grown);
        root = static_cast<int32_t>(nodes.size() - 1);
    }
}

int32_t SnapPointTree::ChildFor(int32_t node, double x, double y)
{
    const Inner m = nodes[node].split;
    const int quadrant = (x < m.midX ? 0 : 1) | (y < m.midY ? 0 : 2);
    int32_t c = nodes[node].child[quadrant];
    if (c >= 0)
        return c;
    const Cell& b = cells[node];
    const double cx0 = (quadrant & 1) ? m.midX : b.x0;
    const double cx1 = (quadrant & 1) ? b.x1 : m.midX;
    const double cy0 = (quadrant & 2) ? m.midY : b.y0;
    const double cy1 = (quadrant & 2) ? b.y1 : m.midY;
    c = NewNode(cx0, cy0, cx1, cy1);
    nodes[node].child[quadrant] = c;
    return c;
}

bool SnapPointTree::Splits(int32_t node, SnapPoint* const* begin, SnapPoint* const* end) const
{
    const Cell& b = cells[node];
    if (static_cast<std::size_t>(end - begin) <= LeafCapacity)
        return false;
    if (b.x1 - b.x0 <= MinNodeSize && b.y1 - b.y0 <= MinNodeSize)
        return false;
    const double midX = Middle(b.x0, b.x1), midY = Middle(b.y0, b.y1);
    if (!(midX > b.x0 && midX < b.x1) && !(midY > b.y0 && midY < b.y1))
        return false;
    const SnapPoint* f = *begin;
    return !std::all_of(begin, end, [f](const SnapPoint* p) { return p->x == f->x && p->y == f->y; });
}

void SnapPointTree::Split(int32_t node)
{
    const Leaf& held = nodes[node].leaf;
    if (!Splits(node, held.points, held.points + held.size))
        return;
    const Leaf moving = MakeSplit(node);
    uint32_t live = 0;
    for (uint32_t i = 0; i < moving.size; ++i) {
        SnapPoint* p = moving.points[i];
        const int32_t c = ChildFor(node, p->x, p->y);
        if (nodes[c].leaf.size == 0)
            ++live;
        Push(c, p);
    }
    delete[] moving.points;
    cells[node].live = live;
    for (int q = 0; q < 4; ++q)
        if (nodes[node].child[q] >= 0)
            Split(nodes[node].child[q]);
}

void SnapPointTree::Fill(int32_t node, SnapPoint** begin, SnapPoint** end)
{
    if (IsLeaf(node)) {
        if (!Splits(node, begin, end)) {
            Assign(node, begin, end);
            return;
        }
        delete[] MakeSplit(node).points;
    }
    // Quadrants as ChildFor takes them: bit 0 right of midX, bit 1 above midY.
    const double midX = nodes[node].split.midX, midY = nodes[node].split.midY;
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
    Push(n, p);
    Split(n);
}

void SnapPointTree::Remove(SnapPoint* p)
{
    if (!Placeable(p)) {
        auto it = std::find(outliers.begin(), outliers.end(), p);
        if (it != outliers.end()) {
            *it = outliers.back();
            outliers.pop_back();
            --count;
        }
        return;
    }
    path.clear();
    int32_t n = root;
    while (n >= 0 && !IsLeaf(n)) {
        path.push_back(n);
        const Node& node = nodes[n];
        const int quadrant = (p->x < node.split.midX ? 0 : 1) | (p->y < node.split.midY ? 0 : 2);
        n = node.child[quadrant];
    }
    if (n < 0)
        return;
    Leaf& l = nodes[n].leaf;
    SnapPoint** const end = l.points + l.size;
    SnapPoint** const it = std::find(l.points, end, p);
    if (it == end)
        return;
    *it = end[-1];
    --l.size;
    --count;
    // Only a leaf left empty changes what its ancestors know.
    if (l.size != 0)
        return;
    for (std::size_t i = path.size(); i-- > 0;)
        if (--cells[path[i]].live != 0)
            break;
}

void SnapPointTree::Clear()
{
    for (std::size_t i = 0; i < nodes.size(); ++i)
        if (nodes[i].child[0] == LeafTag)
            delete[] nodes[i].leaf.points;
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
        const Leaf& l = n.leaf;
        for (uint32_t i = 0; i < l.size; ++i)
            s.Consider(l.points[i]);
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
