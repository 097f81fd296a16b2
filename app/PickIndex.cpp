#include "app/PickIndex.h"

#include "app/PickGeometry.h"
#include "model/Entity.h"
#include "model/EntityListChanges.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::size_t Fanout = 16;
constexpr double Limit = 1e15;   // boxes beyond this count as unbounded
// The tests accept points a little off their figure (segment ends are
// tolerated by 0.0005); every box is widened by this much.
constexpr double Margin = 1.0;

bool Meets(const PickIndex::Box& a, const PickIndex::Box& b)
{
    return a.x0 <= b.x1 && b.x0 <= a.x1 && a.y0 <= b.y1 && b.y0 <= a.y1;
}

PickIndex::Box Unite(const PickIndex::Box& a, const PickIndex::Box& b)
{
    return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

enum Reach : uint8_t { Never = 0, Bounded = 1, Unbounded = 2 };

Reach ReachOf(const CEntity& e, PickIndex::Box& box)
{
    if (!IsPickableType(e.type))
        return Never;
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
        return i >= 0 && std::size_t(i) < v.size() ? v[std::size_t(i)] : 0.0;
    };
    switch (e.type) {
    case EntityType::Point:
        if (v.size() < 2)
            return Unbounded;
        widen(v[0], v[1]);
        break;
    case EntityType::Line:
    case EntityType::InfiniteLine:
        if (v.size() < 4)
            return Unbounded;
        widen(v[0], v[1]);
        widen(v[2], v[3]);
        break;
    case EntityType::Curve:
    case EntityType::FreehandCurve:
    case EntityType::Polygon:
        if (v.size() < 2)
            return Never;  // no segment, no point: these tests find nothing
        for (std::size_t i = 0; i + 1 < v.size(); i += 2)
            widen(v[i], v[i + 1]);
        break;
    case EntityType::Circle:
    case EntityType::Arc: {
        if (v.size() < 3)
            return Unbounded;
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
    case EntityType::Text:
    case EntityType::LeaderText:
        if (!TextBoxBounds(e, x0, y0, x1, y1))
            return Unbounded;
        break;
    case EntityType::Fill:
        if (!FillRegionBox(e, x0, y0, x1, y1))
            return Never;
        break;
    case EntityType::Hatch:
        if (v.size() < 7)
            return Never;
        widen(v[3], v[4]);
        widen(v[5], v[6]);
        break;
    case EntityType::Image:
        if (v.size() < 4)
            return Never;
        widen(v[0], v[1]);
        widen(v[2], v[3]);
        break;
    default:  // the grid and the axis lines reach everywhere
        return Unbounded;
    }
    for (double c : {x0, y0, x1, y1})
        if (!std::isfinite(c) || std::fabs(c) >= Limit)
            return Unbounded;
    box = {x0 - Margin, y0 - Margin, x1 + Margin, y1 + Margin};
    return Bounded;
}

} // namespace

bool PickIndex::PickBox(const CEntity& e, Box& box)
{
    return ReachOf(e, box) == Bounded;
}

void PickIndex::Sync(CEntity* first)
{
    if (!valid || first != firstSeen || relinkCount != EntityListRelinkCount()) {
        Rebuild(first);
        return;
    }
    if (!first)
        return;
    CEntity* known = entities.empty() ? nullptr : entities.back();
    for (CEntity* p = known ? known->next : first; p; p = p->next)
        Append(p);
    if (loose.size() > std::max<std::size_t>(1024, treeCount / 8))
        BuildTree();
}

void PickIndex::Rebuild(CEntity* first)
{
    entities.clear();
    boxes.clear();
    bounded.clear();
    loose.clear();
    unbounded.clear();
    for (CEntity* p = first; p; p = p->next)
        Append(p);
    BuildTree();
    firstSeen = first;
    relinkCount = EntityListRelinkCount();
    valid = true;
}

void PickIndex::Append(CEntity* e)
{
    Box b{0, 0, 0, 0};
    const Reach reach = ReachOf(*e, b);
    const auto i = static_cast<uint32_t>(entities.size());
    entities.push_back(e);
    boxes.push_back(b);
    bounded.push_back(reach);
    if (reach == Unbounded)
        unbounded.push_back(i);
    else if (reach == Bounded)
        loose.push_back(i);
}

void PickIndex::BuildTree()
{
    nodes.clear();
    order.clear();
    for (uint32_t i = 0; i < entities.size(); ++i)
        if (bounded[i] == Bounded)
            order.push_back(i);
    loose.clear();
    treeCount = entities.size();
    hasTree = !order.empty();
    if (!hasTree)
        return;
    // Sort-tile-recursive packing: slices by x, then runs by y.
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

void PickIndex::Visit(uint32_t node, const Box& rect, std::vector<uint32_t>& hits) const
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

void PickIndex::Query(const Box& rect, std::vector<CEntity*>& out) const
{
    out.clear();
    std::vector<uint32_t> hits(unbounded);
    if (hasTree)
        Visit(root, rect, hits);
    for (uint32_t i : loose)
        if (Meets(boxes[i], rect))
            hits.push_back(i);
    std::sort(hits.begin(), hits.end());
    out.reserve(hits.size());
    for (uint32_t i : hits)
        out.push_back(entities[i]);
}
