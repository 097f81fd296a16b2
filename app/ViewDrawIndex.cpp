#include "app/ViewDrawIndex.h"

#include "model/Entity.h"
#include "model/EntityListChanges.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::size_t Fanout = 16;
constexpr double Limit = 1e15;  // boxes beyond this are treated as unbounded

bool Meets(const ViewDrawIndex::Box& a, const ViewDrawIndex::Box& b)
{
    return a.x0 <= b.x1 && b.x0 <= a.x1 && a.y0 <= b.y1 && b.y0 <= a.y1;
}

ViewDrawIndex::Box Unite(const ViewDrawIndex::Box& a, const ViewDrawIndex::Box& b)
{
    return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

} // namespace

bool ViewDrawIndex::BoundingBox(const CEntity& e, Box& box)
{
    const std::vector<double>& v = e.values;
    double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
    auto widen = [&](double x, double y) {
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
    };
    auto byCode = [&](int16_t code) {
        const int i = FindValueIndex(e, code);
        return i >= 0 && std::size_t(i) < v.size() ? v[i] : 0.0;
    };
    switch (e.type) {
    case EntityType::Point:
        if (v.size() < 2)
            return false;
        widen(v[0], v[1]);
        break;
    case EntityType::Line:
    case EntityType::InfiniteLine:
        if (v.size() < 4)
            return false;
        widen(v[0], v[1]);
        widen(v[2], v[3]);
        break;
    case EntityType::Curve:
    case EntityType::FreehandCurve:
    case EntityType::Polygon:
        if (v.size() < 2)
            return false;
        for (std::size_t i = 0; i + 1 < v.size(); i += 2)
            widen(v[i], v[i + 1]);
        break;
    case EntityType::Circle:
    case EntityType::Arc: {
        if (v.size() < 3)
            return false;
        const double r = std::fabs(v[2]);
        widen(v[0] - r, v[1] - r);
        widen(v[0] + r, v[1] + r);
        break;
    }
    case EntityType::Ellipse:
    case EntityType::EllipticArc: {
        const double cx = byCode(10), cy = byCode(20);
        const double r = std::max(std::fabs(byCode(60)), std::fabs(byCode(61)));
        widen(cx - r, cy - r);
        widen(cx + r, cy + r);
        break;
    }
    default:
        return false;
    }
    for (double c : {x0, y0, x1, y1})
        if (!std::isfinite(c) || std::fabs(c) >= Limit)
            return false;
    box = {x0, y0, x1, y1};
    return true;
}

void ViewDrawIndex::Sync(CEntity* first)
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

void ViewDrawIndex::Rebuild(CEntity* first)
{
    entities.clear();
    boxes.clear();
    bounded.clear();
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

void ViewDrawIndex::Append(CEntity* e)
{
    Box b{0, 0, 0, 0};
    const bool ok = BoundingBox(*e, b);
    const auto i = static_cast<uint32_t>(entities.size());
    entities.push_back(e);
    boxes.push_back(b);
    bounded.push_back(ok ? 1 : 0);
    if (!ok) {
        unbounded.push_back(i);
        return;
    }
    extent = hasExtent ? Unite(extent, b) : b;
    hasExtent = true;
    loose.push_back(i);
}

void ViewDrawIndex::BuildTree()
{
    nodes.clear();
    order.clear();
    for (uint32_t i = 0; i < entities.size(); ++i)
        if (bounded[i])
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

void ViewDrawIndex::Visit(uint32_t node, const Box& rect, std::vector<uint32_t>& hits) const
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

bool ViewDrawIndex::Covers(const Box& rect) const
{
    return !hasExtent || (rect.x0 <= extent.x0 && rect.y0 <= extent.y0 && rect.x1 >= extent.x1 &&
                          rect.y1 >= extent.y1);
}

void ViewDrawIndex::Query(const Box& rect, std::vector<CEntity*>& out) const
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
