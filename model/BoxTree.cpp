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

int32_t BoxTree::NewNode(double x0, double y0, double x1, double y1)
{
    Node n;
    n.x0 = x0;
    n.y0 = y0;
    n.x1 = x1;
    n.y1 = y1;
    n.midX = x0 + (x1 - x0) * 0.5;
    n.midY = y0 + (y1 - y0) * 0.5;
    n.reach = {INFINITY, INFINITY, -INFINITY, -INFINITY};
    nodes.push_back(std::move(n));
    return static_cast<int32_t>(nodes.size() - 1);
}

void BoxTree::GrowToContain(double cx, double cy, double size)
{
    if (root < 0) {
        double s = FirstRootSize;
        while (s < size)
            s *= 2.0;
        const double x0 = std::floor(cx / s) * s;
        const double y0 = std::floor(cy / s) * s;
        root = NewNode(x0, y0, x0 + s, y0 + s);
        return;
    }
    for (;;) {
        const Node& r = nodes[static_cast<std::size_t>(root)];
        if (cx >= r.x0 && cx <= r.x1 && cy >= r.y0 && cy <= r.y1 && size <= r.x1 - r.x0 && size <= r.y1 - r.y0)
            return;
        const double w = r.x1 - r.x0;
        const double h = r.y1 - r.y0;
        const bool left = cx < r.x0;
        const bool below = cy < r.y0;
        // The old root becomes one quadrant of a root twice its size.
        Node grown;
        grown.x0 = left ? r.x0 - w : r.x0;
        grown.x1 = left ? r.x1 : r.x1 + w;
        grown.y0 = below ? r.y0 - h : r.y0;
        grown.y1 = below ? r.y1 : r.y1 + h;
        grown.midX = left ? r.x0 : r.x1;
        grown.midY = below ? r.y0 : r.y1;
        grown.reach = r.reach;
        grown.split = true;
        grown.child[(left ? 1 : 0) | (below ? 2 : 0)] = root;
        nodes.push_back(std::move(grown));
        root = static_cast<int32_t>(nodes.size() - 1);
    }
}

void BoxTree::Place(uint32_t id, int32_t from)
{
    const Box& b = boxes[id];
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
        const double half = std::min(node.x1 - node.x0, node.y1 - node.y0) * 0.5;
        if (!node.split || size > half || half < MinNodeSize)
            break;
        const int quadrant = (cx < node.midX ? 0 : 1) | (cy < node.midY ? 0 : 2);
        int32_t c = node.child[quadrant];
        if (c < 0) {
            const double x0 = (quadrant & 1) ? node.midX : node.x0;
            const double x1 = (quadrant & 1) ? node.x1 : node.midX;
            const double y0 = (quadrant & 2) ? node.midY : node.y0;
            const double y1 = (quadrant & 2) ? node.y1 : node.midY;
            c = NewNode(x0, y0, x1, y1);
            nodes[static_cast<std::size_t>(n)].child[quadrant] = c;
        }
        n = c;
    }
    Keep(n, id);
    const Node& home = nodes[static_cast<std::size_t>(n)];
    if (!home.split && home.items.size() > SplitAbove &&
        std::min(home.x1 - home.x0, home.y1 - home.y0) * 0.5 >= MinNodeSize)
        Split(n);
}

void BoxTree::Keep(int32_t node, uint32_t id)
{
    Node& home = nodes[static_cast<std::size_t>(node)];
    nodeOf[id] = node;
    const Box& b = boxes[id];
    const double w = b.x1 - b.x0;
    const double h = b.y1 - b.y0;
    const double thin = std::min(home.x1 - home.x0, home.y1 - home.y0) * ThinShare;
    // Only a split node keeps bands: a leaf is read whole anyway.
    Band* band = nullptr;
    double Box::*key = nullptr;
    double thick = 0;
    if (home.split && h <= w && h <= thin) {
        band = &home.wide;
        key = &Box::y0;
        thick = h;
        placeOf[id] = InWide;
    } else if (home.split && w < h && w <= thin) {
        band = &home.tall;
        key = &Box::x0;
        thick = w;
        placeOf[id] = InTall;
    }
    if (!band) {
        placeOf[id] = static_cast<uint32_t>(home.items.size());
        home.items.push_back(id);
        return;
    }
    const double at = b.*key;
    auto it = std::upper_bound(band->ids.begin(), band->ids.end(), at,
                               [this, key](double v, uint32_t other) { return v < boxes[other].*key; });
    band->ids.insert(it, id);
    band->thick = std::max(band->thick, thick);
}

void BoxTree::Drop(int32_t node, uint32_t id)
{
    Node& home = nodes[static_cast<std::size_t>(node)];
    const uint32_t place = placeOf[id];
    if (place != InWide && place != InTall) {
        const uint32_t moved = home.items.back();
        home.items[place] = moved;
        placeOf[moved] = place;
        home.items.pop_back();
        return;
    }
    Band& band = place == InWide ? home.wide : home.tall;
    double Box::*key = place == InWide ? &Box::y0 : &Box::x0;
    const double at = boxes[id].*key;
    auto it = std::lower_bound(band.ids.begin(), band.ids.end(), at,
                               [this, key](uint32_t other, double v) { return boxes[other].*key < v; });
    while (it != band.ids.end() && *it != id)
        ++it;
    if (it != band.ids.end())
        band.ids.erase(it);
    if (band.ids.empty())
        band.thick = 0;
}

void BoxTree::Split(int32_t node)
{
    std::vector<uint32_t> moving = std::move(nodes[static_cast<std::size_t>(node)].items);
    nodes[static_cast<std::size_t>(node)].items.clear();
    nodes[static_cast<std::size_t>(node)].split = true;
    for (uint32_t id : moving)
        Place(id, node);
}

void BoxTree::Insert(uint32_t id, const Box& box)
{
    if (Contains(id))
        Remove(id);
    if (id >= boxes.size()) {
        boxes.resize(id + 1);
        nodeOf.resize(id + 1, -1);
        placeOf.resize(id + 1, 0);
    }
    boxes[id] = box;
    const double size = std::max(box.x1 - box.x0, box.y1 - box.y0);
    GrowToContain(box.x0 + (box.x1 - box.x0) * 0.5, box.y0 + (box.y1 - box.y0) * 0.5, size);
    Place(id, root);
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
    boxes.resize(std::size_t(top) + 1);
    nodeOf.resize(std::size_t(top) + 1, -1);
    placeOf.resize(std::size_t(top) + 1, 0);
    // The last box given for an id counts, as with Insert: mark where each
    // id was seen last and keep only that one.
    for (std::size_t i = 0; i < items.size(); ++i)
        placeOf[items[i].first] = static_cast<uint32_t>(i);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (placeOf[items[i].first] == i)
            items[kept++] = items[i];
    items.resize(kept);
    double cx0 = INFINITY, cy0 = INFINITY, cx1 = -INFINITY, cy1 = -INFINITY, size = 0;
    for (const auto& [id, b] : items) {
        boxes[id] = b;
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
    root = NewNode(x0, y0, x0 + s, y0 + s);
    count = items.size();
    Fill(root, items.data(), items.data() + items.size());
}

void BoxTree::Fill(int32_t node, Item* begin, Item* end)
{
    Box reach = nodes[static_cast<std::size_t>(node)].reach;
    for (const Item* it = begin; it != end; ++it) {
        const Box& b = it->second;
        reach = {std::min(reach.x0, b.x0), std::min(reach.y0, b.y0), std::max(reach.x1, b.x1),
                 std::max(reach.y1, b.y1)};
    }
    Node& n = nodes[static_cast<std::size_t>(node)];
    n.reach = reach;
    const double half = std::min(n.x1 - n.x0, n.y1 - n.y0) * 0.5;
    if (std::size_t(end - begin) <= SplitAbove || half < MinNodeSize) {
        n.items.reserve(std::size_t(end - begin));
        for (const Item* it = begin; it != end; ++it)
            Keep(node, it->first);
        return;
    }
    n.split = true;
    // Boxes larger than a quadrant stay here; the others go to the quadrant
    // of their centre.
    Item* down = std::partition(begin, end, [half](const Item& item) {
        const Box& b = item.second;
        return std::max(b.x1 - b.x0, b.y1 - b.y0) > half;
    });
    const double thin = std::min(n.x1 - n.x0, n.y1 - n.y0) * ThinShare;
    for (const Item* it = begin; it != down; ++it) {
        // Straight into their list; the bands are sorted once below.
        const uint32_t id = it->first;
        const Box& b = it->second;
        const double w = b.x1 - b.x0, h = b.y1 - b.y0;
        nodeOf[id] = node;
        if (h <= w && h <= thin) {
            placeOf[id] = InWide;
            n.wide.ids.push_back(id);
            n.wide.thick = std::max(n.wide.thick, h);
        } else if (w < h && w <= thin) {
            placeOf[id] = InTall;
            n.tall.ids.push_back(id);
            n.tall.thick = std::max(n.tall.thick, w);
        } else {
            placeOf[id] = static_cast<uint32_t>(n.items.size());
            n.items.push_back(id);
        }
    }
    std::stable_sort(n.wide.ids.begin(), n.wide.ids.end(),
                     [this](uint32_t a, uint32_t b) { return boxes[a].y0 < boxes[b].y0; });
    std::stable_sort(n.tall.ids.begin(), n.tall.ids.end(),
                     [this](uint32_t a, uint32_t b) { return boxes[a].x0 < boxes[b].x0; });
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
        // Nodes never move (a deque), so `n` stays good while children are added.
        const double x0 = (q & 1) ? n.midX : n.x0;
        const double x1 = (q & 1) ? n.x1 : n.midX;
        const double y0 = (q & 2) ? n.midY : n.y0;
        const double y1 = (q & 2) ? n.y1 : n.midY;
        const int32_t c = NewNode(x0, y0, x1, y1);
        n.child[q] = c;
        Fill(c, parts[i], parts[i + 1]);
    }
}

void BoxTree::Remove(uint32_t id)
{
    if (!Contains(id))
        return;
    Drop(nodeOf[id], id);
    nodeOf[id] = -1;
    --count;
}

void BoxTree::Clear()
{
    nodes.clear();
    root = -1;
    boxes.clear();
    nodeOf.clear();
    placeOf.clear();
    count = 0;
}

