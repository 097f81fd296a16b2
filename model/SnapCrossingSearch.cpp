// Crossings of the snap-point list, worked out where a search needs them.

#include "model/Entity.h"
#include "model/Geometry.h"
#include "model/SnapPointList.h"

#include <algorithm>
#include <cmath>

namespace {

// How far a crossing may lie off the entities it belongs to: the crossing
// tests accept points up to 0.5 off a line and take a near miss of two
// circles for a touch, which puts the point up to about 1 off either.
constexpr double Slack = 2.0;

double Hypot(double dx, double dy)
{
    return std::sqrt(dy * dy + dx * dx);
}

// A lower bound of the distance from (x, y) to any crossing point of the
// entity, less the slack: 0 when nothing better is known.
double Reach(const CEntity& e, double x, double y)
{
    const auto& v = e.values;
    double d = 0.0;
    switch (e.type) {
    case 20: {
        if (v.size() < 4)
            return 0.0;
        const double dx = v[2] - v[0], dy = v[3] - v[1];
        const double len2 = dx * dx + dy * dy;
        double t = len2 > 0.0 ? ((x - v[0]) * dx + (y - v[1]) * dy) / len2 : 0.0;
        t = std::clamp(t, 0.0, 1.0);
        d = Hypot(x - (v[0] + t * dx), y - (v[1] + t * dy));
        break;
    }
    case 21:
    case 22:
    case 23: {
        // Crossings lie on the line as LineFromPoints takes it.
        if (v.size() < 4)
            return 0.0;
        const LineResult l = LineFromPoints(v[0], v[1], v[2], v[3]);
        const double n = Hypot(l.a, l.b);
        if (l.status != 0 || !(n > 0.0))
            return 0.0;
        d = std::fabs(l.a * x + l.b * y + l.c) / n;
        break;
    }
    case 30:
    case 31:
        if (v.size() < 3)
            return 0.0;
        d = std::fabs(Hypot(x - v[0], y - v[1]) - std::fabs(v[2]));
        break;
    default:
        return 0.0;  // curves: their boxes have already been asked
    }
    return std::isfinite(d) ? d : 0.0;
}

} // namespace

SnapPoint CSnapPointList::CrossingPoint(const SnapCrossing& c, const CEntity* later, const Registration& laterReg,
                                        const Registration& otherReg, uint64_t order)
{
    const Registration& own = c.owner == later ? laterReg : otherReg;
    const Registration& far = c.owner == later ? otherReg : laterReg;
    SnapPoint p;
    p.entity = c.owner;
    p.kind = SnapKind::Intersection;
    p.state = own.state != 0 ? own.state : far.state;
    p.x = c.x;
    p.y = c.y;
    p.order = order;
    return p;
}

bool CSnapPointList::Crosses(const CEntity* e, const Registration& r) const
{
    if (r.crossOrder == 0)
        return false;
    // One of another list counts while it is linked there, and crosses only
    // the others of its kind.
    if (r.foreign)
        return e->slot != UINT32_MAX && !boxes.Follows(e);
    return boxes.Follows(e);
}

const SnapPoint* CSnapPointList::NearestCrossing(double x, double y, double maxDist, const SnapPoint* best,
                                                 double& bestDist, SnapPointTree::Filter filter,
                                                 const void* context) const
{
    if (crossing == 0 || !std::isfinite(x) || !std::isfinite(y) || !(maxDist > 0.0))
        return best;
    // Only crossings strictly nearer than the bound or tying with the best
    // so far can count; both entities of such a crossing pass near the point.
    double bound = best ? bestDist : maxDist;
    const double slack = Slack + 1e-9 * (std::fabs(x) + std::fabs(y));
    const double r = bound + slack;
    nearby.clear();
    if (std::isfinite(r))
        boxes.Meeting({x - r, y - r, x + r, y + r}, nearby);
    else
        boxes.Meeting({-INFINITY, -INFINITY, INFINITY, INFINITY}, nearby);
    for (CEntity* e : foreign)
        nearby.push_back(e);
    closeBy.clear();
    for (CEntity* e : nearby) {
        const double reach = Reach(*e, x, y);
        if (reach <= r)
            closeBy.push_back({e, nullptr, reach, false});
    }
    // The entities nearest the point first, in rings that widen until the
    // best crossing found lies well inside the ring: both entities of any
    // crossing nearer than it are in the ring then.
    CrossingKey bestKey{best ? best->order : 0, 0, 0};
    double ringReach = std::min(r, 4.0 * slack);
    for (;;) {
        ring.clear();
        for (Near& n : closeBy) {
            if (!(n.reach <= ringReach))
                continue;
            if (!n.looked) {
                n.looked = true;
                const Registration* reg = Find(n.entity);
                if (reg && Crosses(n.entity, *reg))
                    n.registration = reg;
            }
            if (n.registration)
                ring.push_back(n);
        }
        std::sort(ring.begin(), ring.end(), [](const Near& a, const Near& b) { return a.reach < b.reach; });
        for (std::size_t i = 1; i < ring.size(); ++i) {
            if (!(ring[i].reach <= bound + slack))
                break;
            for (std::size_t j = 0; j < i; ++j) {
                const Near* later = &ring[i];
                const Near* other = &ring[j];
                if (later->registration->foreign != other->registration->foreign)
                    continue;
                if (later->registration->crossOrder < other->registration->crossOrder)
                    std::swap(later, other);
                PairCrossings(later->entity, other->entity, pairPoints);
                for (std::size_t k = 0; k < pairPoints.size(); ++k) {
                    const SnapCrossing& c = pairPoints[k];
                    const double d = Hypot(x - c.x, y - c.y);
                    if (!(d < maxDist))
                        continue;
                    const CrossingKey key{later->registration->crossOrder, ~other->entity->rank, k};
                    if (best && !(d < bestDist || (d == bestDist && key < bestKey)))
                        continue;
                    const SnapPoint p =
                        CrossingPoint(c, later->entity, *later->registration, *other->registration, key.order);
                    if (filter && !filter(p, context))
                        continue;
                    answer = p;
                    best = &answer;
                    bestDist = d;
                    bestKey = key;
                    bound = d;
                }
            }
        }
        if (!(ringReach < r) || bound + slack <= ringReach)
            break;
        ringReach = std::min(r, ringReach * 4.0);
    }
    return best;
}

std::vector<SnapPoint> CSnapPointList::ChainPoints() const
{
    struct Keyed {
        CrossingKey key;
        SnapPoint point;
    };
    std::vector<Keyed> all;
    ForEachPoint([&all](const SnapPoint& p) { all.push_back({{p.order, 0, 0}, p}); });
    std::vector<std::pair<CEntity*, const Registration*>> crossers;
    ForEachRegistration([this, &crossers](const Registration& r) {
        if (Crosses(r.entity, r))
            crossers.push_back({const_cast<CEntity*>(r.entity), &r});
    });
    std::vector<SnapCrossing> points;
    for (std::size_t i = 0; i < crossers.size(); ++i)
        for (std::size_t j = 0; j < i; ++j) {
            auto later = crossers[i], other = crossers[j];
            if (later.second->foreign != other.second->foreign)
                continue;
            if (later.second->crossOrder < other.second->crossOrder)
                std::swap(later, other);
            PairCrossings(later.first, other.first, points);
            for (std::size_t k = 0; k < points.size(); ++k) {
                const SnapCrossing& c = points[k];
                const SnapPoint p = CrossingPoint(c, later.first, *later.second, *other.second, later.second->crossOrder);
                all.push_back({{p.order, ~other.first->rank, k}, p});
            }
        }
    std::sort(all.begin(), all.end(), [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
    std::vector<SnapPoint> out;
    out.reserve(all.size());
    for (const Keyed& k : all)
        out.push_back(k.point);
    return out;
}

std::vector<SnapPoint> CSnapPointList::EntityCrossings(const CEntity* entity) const
{
    std::vector<SnapPoint> out;
    for (const SnapPoint& p : ChainPoints())
        if (p.entity == entity && p.kind == SnapKind::Intersection)
            out.push_back(p);
    return out;
}
