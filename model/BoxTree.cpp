#include "model/BoxTree.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double PlaceLimit = 1e15;
constexpr double FirstRootSize = 1024.0;
constexpr double MinNodeSize = 1.0 / 64.0;
constexpr std::size_t SplitAbove = 16;
// A box that stays in a split node for its length is kept in a sorted band
// when it is no thicker than this share of the node.
constexpr double ThinShare = 1.0 / 64.0;

} // namespace

bool BoxTree::Fits(const Box& b)
{
    for (double c : {b.x0, b.y0, b.x1, b.y1})
        if (!std::isfinite(c) || std::fabs(c) >= PlaceLimit)
            return false;
    return b.x0 <= b.x1 && b.y0 <= b.y1;
}

int32_t BoxTree::NewNode(const Box& bounds)
{
    Node n;
    n.midX = bounds.x0 + (bounds.x1 - bounds.x0) * 0.5;
    n.midY = bounds.y0 + (bounds.y1 - bounds.y0) * 0.5;
    n.reach = {INFINITY, INFINITY, -INFINITY, -INFINITY};
    held.push_back({});
    return static_cast<int32_t>(nodes.push_back(n));
}

void BoxTree::GrowToContain(double cx, double cy, double size)
{
    if (root < 0) {
        double s = FirstRootSize;
        while (s < size)
            s *= 2.0;
        const double x0 = std::floor(cx / s) * s;
        const double y0 = std::floor(cy / s) * s;
        rootBounds = {x0, y0, x0 + s, y0 + s};
        root = NewNode(rootBounds);
        return;
    }
    for (;;) {
        const Box& r = rootBounds;
        if (cx >= r.x0 && cx <= r.x1 && cy >= r.y0 && cy <= r.y1 && size <= r.x1 - r.x0 && size <= r.y1 - r.y0)
            return;
        const double w = r.x1 - r.x0;
        const double h = r.y1 - r.y0;
        const bool left = cx < r.x0;
        const bool below = cy < r.y0;
        // The old root becomes one quadrant of a root twice its size, which
        // splits along the old root's edges.
        const Box grown{left ? r.x0 - w : r.x0, below ? r.y0 - h : r.y0, left ? r.x1 : r.x1 + w,
                        below ? r.y1 : r.y1 + h};
        Node n;
        n.midX = left ? r.x0 : r.x1;
        n.midY = below ? r.y0 : r.y1;
        n.reach = nodes[static_cast<std::size_t>(root)].reach;
        n.child[0] = -1;
        n.child[(left ? 1 : 0) | (below ? 2 : 0)] = root;
        held.push_back({});
        root = static_cast<int32_t>(nodes.push_back(n));
        rootBounds = grown;
    }
}

void BoxTree::Place(uint32_t id, int32_t from, Box r)
{
    const Box& b = filed[id].box;
    const double cx = b.x0 + (b.x1 - b.x0) * 0.5;
    const double cy = b.y0 + (b.y1 - b.y0) * 0.5;
    const double size = std::max(b.x1 - b.x0, b.y1 - b.y0);
    int32_t n = from;
    for (;;) {
        Node& node = nodes[static_cast<std::size_t>(n)];
        node.reach.x0 = std::min(node.reach.x0, b.x0);
        node.reach.y0 = std::min(node.reach.y0, b.y0);
        node.reach.x1 = std::max(node.reach.x1, b.x1);
        node.reach.y1 = std::max(node.reach.y1, b.y1);
        const double half = std::min(r.x1 - r.x0, r.y1 - r.y0) * 0.5;
        if (node.child[0] == Unsplit || size > half || half < MinNodeSize)
            break;
        const int quadrant = (cx < node.midX ? 0 : 1) | (cy < node.midY ? 0 : 2);
        // The quadrant's bounds, as they were when it was made.
        const Box c{(quadrant & 1) ? node.midX : r.x0, (quadrant & 2) ? node.midY : r.y0,
                    (quadrant & 1) ? r.x1 : node.midX, (quadrant & 2) ? r.y1 : node.midY};
        int32_t next = node.child[quadrant];
        if (next < 0) {
            next = NewNode(c);
            nodes[static_cast<std::size_t>(n)].child[quadrant] = next;
        }
        n = next;
        r = c;
    }
    Keep(n, r, id);
    if (nodes[static_cast<std::size_t>(n)].child[0] == Unsplit &&
        held[static_cast<std::size_t>(n)].items.size() > SplitAbove &&
        std::min(r.x1 - r.x0, r.y1 - r.y0) * 0.5 >= MinNodeSize)
        Split(n, r);
}

void BoxTree::Keep(int32_t node, const Box& r, uint32_t id, bool inOrder)
{
    Held& home = held[static_cast<std::size_t>(node)];
    Filed& f = filed[id];
    f.node = node;
    const Box& b = f.box;
    const double w = b.x1 - b.x0;
    const double h = b.y1 - b.y0;
    const double thin = std::min(r.x1 - r.x0, r.y1 - r.y0) * ThinShare;
    // Only a split node keeps bands: a leaf is read whole anyway.
    const bool split = nodes[static_cast<std::size_t>(node)].child[0] != Unsplit;
    const bool wide = split && h <= w && h <= thin;
    const bool tall = split && w < h && w <= thin;
    if (!wide && !tall) {
        f.place = static_cast<uint32_t>(home.items.size());
        home.items.push_back(id);
        return;
    }
    Bands& bands = BandsOf(node);
    Band& band = wide ? bands.wide : bands.tall;
    double Box::*key = wide ? &Box::y0 : &Box::x0;
    f.place = wide ? InWide : InTall;
    band.thick = std::max(band.thick, wide ? h : w);
    if (!inOrder) {
        band.ids.push_back(id);
        return;
    }
    const double at = b.*key;
    auto it = std::upper_bound(band.ids.begin(), band.ids.end(), at,
                               [this, key](double v, uint32_t other) { return v < filed[other].box.*key; });
    band.ids.insert(it, id);
}

BoxTree::Bands& BoxTree::BandsOf(int32_t node)
{
    Held& home = held[static_cast<std::size_t>(node)];
    if (home.bands < 0)
        home.bands = static_cast<int32_t>(bandStore.push_back({}));
    return bandStore[static_cast<std::size_t>(home.bands)];
}

void BoxTree::Drop(int32_t node, uint32_t id)
{
    Held& home = held[static_cast<std::size_t>(node)];
    const uint32_t place = filed[id].place;
    if (place != InWide && place != InTall) {
        const uint32_t moved = home.items.back();
        home.items[place] = moved;
        filed[moved].place = place;
        home.items.pop_back();
        return;
    }
    Bands& bands = bandStore[static_cast<std::size_t>(home.bands)];
    Band& band = place == InWide ? bands.wide : bands.tall;
    double Box::*key = place == InWide ? &Box::y0 : &Box::x0;
    const double at = filed[id].box.*key;
    auto it = std::lower_bound(band.ids.begin(), band.ids.end(), at,
                               [this, key](uint32_t other, double v) { return filed[other].box.*key < v; });
    while (it != band.ids.end() && *it != id)
        ++it;
    if (it != band.ids.end())
        band.ids.erase(it);
    if (band.ids.empty())
        band.thick = 0;
}

void BoxTree::Split(int32_t node, const Box& bounds)
{
    std::vector<uint32_t> moving = std::move(held[static_cast<std::size_t>(node)].items);
    held[static_cast<std::size_t>(node)].items.clear();
    nodes[static_cast<std::size_t>(node)].child[0] = -1;
    for (uint32_t id : moving)
        Place(id, node, bounds);
}

void BoxTree::Insert(uint32_t id, const Box& box)
{
    if (Contains(id))
        Remove(id);
    if (id >= filed.size())
        filed.resize(id + 1);
    filed[id].box = box;
    const double size = std::max(box.x1 - box.x0, box.y1 - box.y0);
    GrowToContain(box.x0 + (box.x1 - box.x0) * 0.5, box.y0 + (box.y1 - box.y0) * 0.5, size);
    Place(id, root, rootBounds);
    ++count;
}

void BoxTree::InsertMany(std::vector<Item>& items)
{
    if (root >= 0 || items.empty() ||
        !std::all_of(items.begin(), items.end(), [](const Item& item) { return Fits(item.second); })) {
        for (const auto& [id, box] : items)
            Insert(id, box);
        return;
    }
    uint32_t top = 0;
    for (const Item& item : items)
        top = std::max(top, item.first);
    filed.resize(std::size_t(top) + 1);
    // The last box given for an id counts, as with Insert: mark where each
    // id was seen last and keep only that one.
    for (std::size_t i = 0; i < items.size(); ++i)
        filed[items[i].first].place = static_cast<uint32_t>(i);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (filed[items[i].first].place == i)
            items[kept++] = items[i];
    items.resize(kept);
    double cx0 = INFINITY, cy0 = INFINITY, cx1 = -INFINITY, cy1 = -INFINITY, size = 0;
    for (const auto& [id, b] : items) {
        filed[id].box = b;
        const double cx = b.x0 + (b.x1 - b.x0) * 0.5;
        const double cy = b.y0 + (b.y1 - b.y0) * 0.5;
        cx0 = std::min(cx0, cx);
        cy0 = std::min(cy0, cy);
        cx1 = std::max(cx1, cx);
        cy1 = std::max(cy1, cy);
        size = std::max({size, b.x1 - b.x0, b.y1 - b.y0});
    }
    // A root from the lowest centre, doubled from the size one by one would
    // start with until it holds every centre and the largest box.
    const double x0 = std::floor(cx0 / FirstRootSize) * FirstRootSize;
    const double y0 = std::floor(cy0 / FirstRootSize) * FirstRootSize;
    double s = FirstRootSize;
    while (s < size || x0 + s < cx1 || y0 + s < cy1)
        s *= 2.0;
    rootBounds = {x0, y0, x0 + s, y0 + s};
    root = NewNode(rootBounds);
    count = items.size();
    Fill(root, rootBounds, items.data(), items.data() + items.size());
}

void BoxTree::Fill(int32_t node, const Box& r, Item* begin, Item* end)
{
    Box reach = nodes[static_cast<std::size_t>(node)].reach;
    for (const Item* it = begin; it != end; ++it) {
        const Box& b = it->second;
        reach = {std::min(reach.x0, b.x0), std::min(reach.y0, b.y0), std::max(reach.x1, b.x1),
                 std::max(reach.y1, b.y1)};
    }
    // Blocks never move: `n` stays good while nodes are added.
    Node& n = nodes[static_cast<std::size_t>(node)];
    n.reach = reach;
    const double half = std::min(r.x1 - r.x0, r.y1 - r.y0) * 0.5;
    if (std::size_t(end - begin) <= SplitAbove || half < MinNodeSize) {
        held[static_cast<std::size_t>(node)].items.reserve(std::size_t(end - begin));
        for (const Item* it = begin; it != end; ++it)
            Keep(node, r, it->first);
        return;
    }
    n.child[0] = -1;
    // Boxes larger than a quadrant stay here; the others go to the quadrant
    // of their centre.
    Item* down = std::partition(begin, end, [half](const Item& item) {
        const Box& b = item.second;
        return std::max(b.x1 - b.x0, b.y1 - b.y0) > half;
    });
    // Straight into their lists; the bands are sorted once below.
    for (const Item* it = begin; it != down; ++it)
        Keep(node, r, it->first, false);
    const Held& home = held[static_cast<std::size_t>(node)];
    if (home.bands >= 0) {
        Bands& bands = bandStore[static_cast<std::size_t>(home.bands)];
        std::stable_sort(bands.wide.ids.begin(), bands.wide.ids.end(),
                         [this](uint32_t a, uint32_t b) { return filed[a].box.y0 < filed[b].box.y0; });
        std::stable_sort(bands.tall.ids.begin(), bands.tall.ids.end(),
                         [this](uint32_t a, uint32_t b) { return filed[a].box.x0 < filed[b].box.x0; });
    }
    const double midX = n.midX, midY = n.midY;
    auto below = [midY](const Item& item) { return item.second.y0 + (item.second.y1 - item.second.y0) * 0.5 < midY; };
    Item* right = std::partition(down, end, [midX](const Item& item) {
        return item.second.x0 + (item.second.x1 - item.second.x0) * 0.5 < midX;
    });
    Item* leftTop = std::partition(down, right, below);
    Item* rightTop = std::partition(right, end, below);
    Item* const parts[5] = {down, leftTop, right, rightTop, end};
    const int quadrants[4] = {0, 2, 1, 3};
    for (int i = 0; i < 4; ++i) {
        if (parts[i] == parts[i + 1])
            continue;
        const int q = quadrants[i];
        const Box c{(q & 1) ? midX : r.x0, (q & 2) ? midY : r.y0, (q & 1) ? r.x1 : midX, (q & 2) ? r.y1 : midY};
        const int32_t child = NewNode(c);
        n.child[q] = child;
        Fill(child, c, parts[i], parts[i + 1]);
    }
}

void BoxTree::Remove(uint32_t id)
{
    if (!Contains(id))
        return;
    Drop(filed[id].node, id);
    filed[id].node = -1;
    --count;
}

void BoxTree::Clear()
{
    nodes.clear();
    held.clear();
    bandStore.clear();
    root = -1;
    rootBounds = {0, 0, 0, 0};
    filed.clear();
    count = 0;
}
