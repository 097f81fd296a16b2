#include "model/EntityIndex.h"

#include "model/Entity.h"
#include "model/EntityListChanges.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::size_t Fanout = 16;

bool Meets(const EntityIndex::Box& a, const EntityIndex::Box& b)
{
    return a.x0 <= b.x1 && b.x0 <= a.x1 && a.y0 <= b.y1 && b.y0 <= a.y1;
}

EntityIndex::Box Unite(const EntityIndex::Box& a, const EntityIndex::Box& b)
{
    return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

} // namespace

void EntityIndex::SetMarkReach(double r)
{
    if (r != markReach) {
        markReach = r;
        valid = false;
    }
}

void EntityIndex::Sync(CEntity* first)
{
    if (!valid || first != firstSeen || relinkCount != EntityListRelinkCount()) {
        Rebuild(first);
        return;
    }
    if (!first)
        return;
    // Take in what was appended since the last sync.
    CEntity* known = entities.empty() ? nullptr : entities.back();
    std::vector<CEntity*> added;
    for (CEntity* p = known ? known->next : first; p; p = p->next)
        added.push_back(p);
    for (CEntity* e : added)
        Append(e);
    if (loose.size() > std::max<std::size_t>(1024, treeCount / 8))
        BuildTree();
}

void EntityIndex::Rebuild(CEntity* first)
{
    entities.clear();
    boxes.clear();
    reach.clear();
    loose.clear();
    unbounded.clear();
    hasExtent = false;
    for (CEntity* p = first; p; p = p->next)
        Append(p);
    BuildTree();
    firstSeen = first;
    relinkCount = EntityListRelinkCount();
    valid = true;
}

void EntityIndex::Append(CEntity* e)
{
    Box b{0, 0, 0, 0};
    const IndexReach r = EntityIndexBox(*e, markReach, b);
    const auto i = static_cast<uint32_t>(entities.size());
    entities.push_back(e);
    boxes.push_back(b);
    reach.push_back(r);
    if (r == IndexReach::Unbounded)
        unbounded.push_back(i);
    if (r != IndexReach::Bounded)
        return;
    extent = hasExtent ? Unite(extent, b) : b;
    hasExtent = true;
    loose.push_back(i);
}

void EntityIndex::BuildTree()
{
    nodes.clear();
    order.clear();
    for (uint32_t i = 0; i < entities.size(); ++i)
        if (reach[i] == IndexReach::Bounded)
            order.push_back(i);
    loose.clear();
    treeCount = entities.size();
    hasTree = !order.empty();
    if (!hasTree)
        return;

    // Sort-tile-recursive packing: slices by x, then runs by y within each.
    auto cx = [&](uint32_t i) { return boxes[i].x0 + boxes[i].x1; };
    auto cy = [&](uint32_t i) { return boxes[i].y0 + boxes[i].y1; };
    const std::size_t n = order.size();
    const std::size_t leaves = (n + Fanout - 1) / Fanout;
    const auto slices = static_cast<std::size_t>(std::ceil(std::sqrt(double(leaves))));
    const std::size_t perSlice = slices * Fanout;
    std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) { return cx(a) < cx(b); });
    for (std::size_t s = 0; s < n; s += perSlice) {
        auto end = order.begin() + std::ptrdiff_t(std::min(n, s + perSlice));
        std::sort(order.begin() + std::ptrdiff_t(s), end, [&](uint32_t a, uint32_t b) { return cy(a) < cy(b); });
    }
    std::vector<uint32_t> level;
    for (std::size_t s = 0; s < n; s += Fanout) {
        Node node{boxes[order[s]], uint32_t(s), uint16_t(std::min(Fanout, n - s)), true};
        for (std::size_t k = s + 1; k < s + node.count; ++k)
            node.box = Unite(node.box, boxes[order[k]]);
        level.push_back(uint32_t(nodes.size()));
        nodes.push_back(node);
    }
    // Upper levels: consecutive groups of nodes (children stored contiguously).
    while (level.size() > 1) {
        std::vector<uint32_t> up;
        for (std::size_t s = 0; s < level.size(); s += Fanout) {
            const std::size_t count = std::min(Fanout, level.size() - s);
            Node node{nodes[level[s]].box, level[s], uint16_t(count), false};
            for (std::size_t k = s + 1; k < s + count; ++k)
                node.box = Unite(node.box, nodes[level[k]].box);
            up.push_back(uint32_t(nodes.size()));
            nodes.push_back(node);
        }
        level.swap(up);
    }
    root = level.front();
}

void EntityIndex::Visit(uint32_t node, const Box& rect, std::vector<uint32_t>& hits) const
{
    const Node& n = nodes[node];
    if (!Meets(n.box, rect))
        return;
    if (n.leaf) {
        for (uint32_t k = n.first; k < n.first + n.count; ++k)
            if (Meets(boxes[order[k]], rect))
                hits.push_back(order[k]);
        return;
    }
    for (uint32_t k = n.first; k < n.first + n.count; ++k)
        Visit(k, rect, hits);
}

bool EntityIndex::Covers(const Box& rect) const
{
    return !hasExtent || (rect.x0 <= extent.x0 && rect.y0 <= extent.y0 && rect.x1 >= extent.x1 &&
                          rect.y1 >= extent.y1);
}

void EntityIndex::Query(const Box& rect, std::vector<CEntity*>& out) const
{
    out.clear();
    std::vector<uint32_t> hits(unbounded);
    if (hasTree)
        Visit(root, rect, hits);
    for (uint32_t i : loose)
        if (Meets(boxes[i], rect))
            hits.push_back(i);
    out.reserve(hits.size());
    if (hits.size() > entities.size() / 16) {
        // Most of the list: a pass over flags is cheaper than sorting.
        std::vector<uint8_t> hit(entities.size(), 0);
        for (uint32_t i : hits)
            hit[i] = 1;
        for (std::size_t i = 0; i < entities.size(); ++i)
            if (hit[i])
                out.push_back(entities[i]);
        return;
    }
    std::sort(hits.begin(), hits.end());
    for (uint32_t i : hits)
        out.push_back(entities[i]);
}
