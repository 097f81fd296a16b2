#include "model/EntityBoxIndex.h"

#include "model/Entity.h"
#include "model/EntityListChanges.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double PlaceLimit = 1e15;
constexpr double FirstRootSize = 1024.0;
constexpr double MinNodeSize = 1.0;
// Every crossing test accepts points up to 0.5 beyond an entity; boxes are
// widened by more than that so that touching ones are never missed.
constexpr double Margin = 1.0;

bool Overlap(double a0, double a1, double b0, double b1)
{
    return a0 <= b1 && b0 <= a1;
}

} // namespace

bool EntityBoxIndex::TakesPart(const CEntity& e)
{
    switch (e.type) {
    case 20: case 21: case 22: case 23: case 24: case 26: case 30: case 31:
        return true;
    default:
        return false;
    }
}

bool EntityBoxIndex::BoundingBox(const CEntity& e, Box& box)
{
    const std::vector<double>& v = e.values;
    double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
    auto widen = [&](double x, double y) {
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
    };
    switch (e.type) {
    case 20:
        if (v.size() < 4)
            return false;
        widen(v[0], v[1]);
        widen(v[2], v[3]);
        break;
    case 24:
    case 26:
        if (v.size() < 2)
            return false;
        for (std::size_t i = 0; i + 1 < v.size(); i += 2) {
            if (!std::isfinite(v[i]) || !std::isfinite(v[i + 1]))
                return false;
            widen(v[i], v[i + 1]);
        }
        break;
    case 30:
    case 31: {
        if (v.size() < 3)
            return false;
        const double r = std::fabs(v[2]);
        widen(v[0] - r, v[1] - r);
        widen(v[0] + r, v[1] + r);
        break;
    }
    default:
        return false;  // infinite lines
    }
    for (double c : {x0, y0, x1, y1})
        if (!std::isfinite(c) || std::fabs(c) >= PlaceLimit)
            return false;
    box = {x0 - Margin, y0 - Margin, x1 + Margin, y1 + Margin};
    return true;
}

void EntityBoxIndex::Clear()
{
    items.clear();
    unbounded.clear();
    nodes.clear();
    root = -1;
    tail = nullptr;
    synced = false;
}

int32_t EntityBoxIndex::NewNode(double x0, double y0, double x1, double y1)
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

void EntityBoxIndex::GrowToContain(double cx, double cy, double size)
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
        const Node& r = nodes[root];
        if (cx >= r.x0 && cx <= r.x1 && cy >= r.y0 && cy <= r.y1 && size <= r.x1 - r.x0 && size <= r.y1 - r.y0)
            return;
        const double w = r.x1 - r.x0;
        const double h = r.y1 - r.y0;
        const bool left = cx < r.x0;
        const bool below = cy < r.y0;
        Node grown;
        grown.x0 = left ? r.x0 - w : r.x0;
        grown.x1 = left ? r.x1 : r.x1 + w;
        grown.y0 = below ? r.y0 - h : r.y0;
        grown.y1 = below ? r.y1 : r.y1 + h;
        grown.midX = left ? r.x0 : r.x1;
        grown.midY = below ? r.y0 : r.y1;
        grown.child[(left ? 1 : 0) | (below ? 2 : 0)] = root;
        grown.reach = r.reach;
        nodes.push_back(std::move(grown));
        root = static_cast<int32_t>(nodes.size() - 1);
    }
}

// Loose quadtree: an item lives in the deepest node that holds its centre and
// is at least as large as the item, so it lies within that node's bounds
// widened by half the node's size on every side.
void EntityBoxIndex::Insert(uint32_t item)
{
    const Box& b = items[item].box;
    const double cx = b.x0 + (b.x1 - b.x0) * 0.5;
    const double cy = b.y0 + (b.y1 - b.y0) * 0.5;
    const double size = std::max(b.x1 - b.x0, b.y1 - b.y0);
    GrowToContain(cx, cy, size);
    int32_t n = root;
    for (;;) {
        Box& reach = nodes[n].reach;
        reach.x0 = std::min(reach.x0, b.x0);
        reach.y0 = std::min(reach.y0, b.y0);
        reach.x1 = std::max(reach.x1, b.x1);
        reach.y1 = std::max(reach.y1, b.y1);
        const double w = std::min(nodes[n].x1 - nodes[n].x0, nodes[n].y1 - nodes[n].y0);
        if (size > w * 0.5 || w * 0.5 < MinNodeSize)
            break;
        const int quadrant = (cx < nodes[n].midX ? 0 : 1) | (cy < nodes[n].midY ? 0 : 2);
        int32_t c = nodes[n].child[quadrant];
        if (c < 0) {
            const Node& p = nodes[n];
            const double x0 = (quadrant & 1) ? p.midX : p.x0;
            const double x1 = (quadrant & 1) ? p.x1 : p.midX;
            const double y0 = (quadrant & 2) ? p.midY : p.y0;
            const double y1 = (quadrant & 2) ? p.y1 : p.midY;
            c = NewNode(x0, y0, x1, y1);
            nodes[n].child[quadrant] = c;
        }
        n = c;
    }
    nodes[n].items.push_back(item);
}

void EntityBoxIndex::Append(CEntity* e)
{
    tail = e;
    if (!TakesPart(*e))
        return;
    Item it{e, {}};
    const bool bounded = BoundingBox(*e, it.box);
    items.push_back(it);
    const auto index = static_cast<uint32_t>(items.size() - 1);
    if (bounded)
        Insert(index);
    else
        unbounded.push_back(index);
}

void EntityBoxIndex::Rebuild(CEntity* entity)
{
    Clear();
    std::vector<CEntity*> before;
    for (CEntity* p = entity->previous; p; p = p->previous)
        before.push_back(p);
    for (auto it = before.rbegin(); it != before.rend(); ++it)
        Append(*it);
    Append(entity);
    synced = true;
    relinkCount = EntityListRelinkCount();
}

void EntityBoxIndex::Sync(CEntity* entity)
{
    if (!entity)
        return;
    if (!synced || relinkCount != EntityListRelinkCount()) {
        Rebuild(entity);
        return;
    }
    // Walk back over what was appended since the last sync.
    std::vector<CEntity*> added;
    CEntity* p = entity->previous;
    while (p && p != tail) {
        added.push_back(p);
        p = p->previous;
    }
    if (p != tail || entity == tail) {
        Rebuild(entity);
        return;
    }
    for (auto it = added.rbegin(); it != added.rend(); ++it)
        Append(*it);
    Append(entity);
}

void EntityBoxIndex::Query(int32_t node, const Box& b, std::vector<uint32_t>& out) const
{
    const Node& n = nodes[node];
    if (!Overlap(n.reach.x0, n.reach.x1, b.x0, b.x1) || !Overlap(n.reach.y0, n.reach.y1, b.y0, b.y1))
        return;
    for (uint32_t i : n.items) {
        const Box& c = items[i].box;
        if (Overlap(c.x0, c.x1, b.x0, b.x1) && Overlap(c.y0, c.y1, b.y0, b.y1))
            out.push_back(i);
    }
    for (int32_t c : n.child)
        if (c >= 0)
            Query(c, b, out);
}

void EntityBoxIndex::Candidates(const CEntity* entity, std::vector<CEntity*>& out) const
{
    out.clear();
    if (!entity || items.empty())
        return;
    // The entity itself is the last item when it takes part.
    std::size_t end = items.size();
    if (items.back().entity == entity)
        --end;
    found.clear();
    Box b;
    if (BoundingBox(*entity, b)) {
        if (root >= 0)
            Query(root, b, found);
        found.insert(found.end(), unbounded.begin(), unbounded.end());
    } else {
        // Nothing bounds the new entity: every earlier one is a candidate.
        found.resize(items.size());
        for (std::size_t i = 0; i < items.size(); ++i)
            found[i] = static_cast<uint32_t>(i);
    }
    std::sort(found.begin(), found.end(), std::greater<uint32_t>());
    for (uint32_t i : found)
        if (i < end)
            out.push_back(items[i].entity);
}
