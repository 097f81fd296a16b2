// The box index and the quadtree must give exactly what walks over the entity
// list and over the snap-point chain give.

#include "SnapPointTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <random>
#include <string>

using namespace snaptest;

// Reaches into the list for what no drawing gets to in practice.
struct SnapPointListProbe {
    static void NumberFrom(CSnapPointList& snaps, uint64_t next) { snaps.nextOrder = next; }
    static uint64_t Limit() { return CSnapPointList::OrderLimit; }
};

namespace {

struct Spec {
    int16_t type;
    int16_t subtype;
    std::vector<double> values;
};

Spec RandomEntity(std::mt19937& rng)
{
    std::uniform_real_distribution<double> pos(0, 400), len(-60, 60), rad(1, 50), ang(0, 360);
    const int pick = static_cast<int>(rng() % 10);
    const double x = pos(rng), y = pos(rng);
    switch (pick) {
    case 0:
    case 1:
    case 2:
    case 3:
        return {20, 0, {x, y, x + len(rng), y + len(rng)}};
    case 4:
        return {static_cast<int16_t>(21 + rng() % 3), 0, {x, y, x + len(rng), y + len(rng)}};
    case 5:
        return {30, 0, {x, y, rad(rng)}};
    case 6:
        return {31, static_cast<int16_t>(rng() % 2 ? 1 : -1), {x, y, rad(rng), ang(rng), ang(rng)}};
    case 7: {
        std::vector<double> v;
        for (int i = 0; i < 6; ++i) {
            v.push_back(x + len(rng));
            v.push_back(y + len(rng));
        }
        return {26, 0, v};
    }
    case 8: {
        std::vector<double> v;
        for (int i = 0; i < 4; ++i) {
            v.push_back(x + len(rng));
            v.push_back(y + len(rng));
        }
        return {24, 0, v};
    }
    default:
        return {10, 0, {x, y}};
    }
}

CEntity* AddSpec(CEntityList& list, const Spec& s)
{
    std::vector<int16_t> codes(s.values.size(), 10);
    EntityHeader h;
    h.type = s.type;
    h.subtype = s.subtype;
    h.count = static_cast<int16_t>(s.values.size());
    EXPECT_EQ(list.AddEntity(h, codes.data(), 0, s.values.data()), 0);
    return list.last;
}

bool Same(const Node& a, const Node& b)
{
    return a.kind == b.kind && a.x == b.x && a.y == b.y;
}

// The nodes one entity gets when it is added after `earlier` (already in
// order, latest last): its key points, then its crossings with each earlier
// one, latest first, as a walk back over the list makes them. Each pair is
// worked out in a list of its own.
TEST(SnapPointIndex, CrossingsEqualTheBackwardWalk)
{
    std::mt19937 rng(12345);
    std::vector<Spec> specs;
    for (int i = 0; i < 160; ++i)
        specs.push_back(RandomEntity(rng));

    CEntityList list;
    CSnapPointList snaps;
    std::vector<CEntity*> added;
    for (const Spec& s : specs) {
        added.push_back(AddSpec(list, s));
        snaps.AddEntityPoints(added.back());
    }
    // Expected, with the owners named by index.
    struct Owned {
        std::size_t owner;
        Node node;
    };
    std::vector<Owned> expected;
    for (std::size_t j = 0; j < specs.size(); ++j) {
        {
            CEntityList one;
            CSnapPointList alone;
            alone.AddEntityPoints(AddSpec(one, specs[j]));
            for (const Node& n : Nodes(alone))
                expected.push_back({j, n});
        }
        for (std::size_t i = j; i-- > 0;) {
            CEntityList pair;
            CSnapPointList ps;
            CEntity* a = AddSpec(pair, specs[i]);
            ps.AddEntityPoints(a);
            CEntity* b = AddSpec(pair, specs[j]);
            ps.AddEntityPoints(b);  // b's key points and its crossing with a
            for (const Node& n : Nodes(ps))
                if (n.kind == SnapKind::Intersection)
                    expected.push_back({n.entity == a ? i : j, n});
        }
    }
    const std::vector<Node> got = Nodes(snaps);
    ASSERT_EQ(got.size(), expected.size());
    std::size_t crossings = 0;
    for (std::size_t k = 0; k < got.size(); ++k) {
        ASSERT_TRUE(Same(got[k], expected[k].node)) << "node " << k;
        ASSERT_EQ(got[k].entity, added[expected[k].owner]) << "node " << k;
        crossings += got[k].kind == SnapKind::Intersection;
    }
    EXPECT_GT(crossings, 50u);
}

// Walk over the chain: strict <, the first one wins a tie.
const SnapPoint* Walk(const CSnapPointList& snaps, double x, double y, double bound, bool (*accept)(const SnapPoint&))
{
    const SnapPoint* best = nullptr;
    for (const SnapPoint* p : snaps.KeyPoints()) {
        if (!accept(*p))
            continue;
        const double d = std::sqrt((y - p->y) * (y - p->y) + (x - p->x) * (x - p->x));
        if (d < bound) {
            bound = d;
            best = p;
        }
    }
    return best;
}

TEST(SnapPointIndex, NearestEqualsTheWalkIncludingTies)
{
    std::mt19937 rng(7);
    CEntityList list;
    CSnapPointList snaps;
    std::vector<CEntity*> points;
    // Points on a coarse integer lattice, many of them on the same spot, so
    // that ties are common; some spread far out.
    for (int i = 0; i < 6000; ++i) {
        const double x = static_cast<double>(rng() % 100);
        const double y = static_cast<double>(rng() % 100);
        points.push_back(AddRegistered(list, snaps, 10, {x, y}));
    }
    for (int i = 0; i < 50; ++i)
        AddRegistered(list, snaps, 10, {1e9 * (rng() % 7), -3e8 * (rng() % 5)});
    for (int i = 0; i < 600; ++i)
        snaps.SetEntityPointState(points[rng() % points.size()], -1);
    // Remove some (their nodes leave the chain and the tree).
    for (int i = 0; i < 300; ++i)
        snaps.RemoveEntityPoints(points[rng() % points.size()]);

    auto live = [](const SnapPoint& p) { return p.state == 0; };
    auto odd = [](const SnapPoint& p) { return p.state == 0 && static_cast<long long>(p.x) % 2 == 1; };
    std::uniform_real_distribution<double> q(-20, 120);
    for (int i = 0; i < 1500; ++i) {
        // Half the queries on lattice points and half-way points (exact ties).
        double x = q(rng), y = q(rng);
        if (i % 2) {
            x = std::round(x * 2) / 2;
            y = std::round(y * 2) / 2;
        }
        const double bound = (i % 3 == 0) ? 100.0 : (i % 3 == 1 ? 1.0 : 0.75);
        double d = -1;
        EXPECT_EQ(snaps.FindNearest(x, y, bound, live, &d), Walk(snaps, x, y, bound, +live)) << x << "," << y;
        EXPECT_EQ(snaps.FindNearest(x, y, bound, odd), Walk(snaps, x, y, bound, +odd)) << x << "," << y;
        const SnapPoint* p = snaps.FindNearest(x, y, bound);
        if (p) {
            EXPECT_EQ(d, std::sqrt((y - p->y) * (y - p->y) + (x - p->x) * (x - p->x)));
        }
    }
    // Far out, and dead points, through a filter that takes all.
    auto all = [](const SnapPoint&) { return true; };
    EXPECT_EQ(snaps.FindNearest(0, 0, 1e12, all), Walk(snaps, 0, 0, 1e12, +all));
    EXPECT_EQ(snaps.FindNearest(3e9, -6e8, 1e12, all), Walk(snaps, 3e9, -6e8, 1e12, +all));
}

TEST(SnapPointIndex, NearestAfterARegionWasEmptiedAndRefilled)
{
    // A dense region emptied by removals (as after dropping an undo step of
    // many copies) and partly filled again: the search must neither find
    // what was removed nor miss what came back.
    std::mt19937 rng(11);
    CEntityList list;
    CSnapPointList snaps;
    std::uniform_real_distribution<double> pos(0, 100);
    std::vector<CEntity*> left;
    for (int i = 0; i < 4000; ++i) {
        const double x = pos(rng), y = pos(rng);
        CEntity* e = AddRegistered(list, snaps, 10, {x, y});
        if (x < 50)
            left.push_back(e);
    }
    for (CEntity* e : left)
        snaps.RemoveEntityPoints(e);
    auto live = [](const SnapPoint& p) { return p.state == 0; };
    for (int i = 0; i < 300; ++i) {
        const double x = pos(rng), y = pos(rng);
        EXPECT_EQ(snaps.FindNearest(x, y, 200.0, live), Walk(snaps, x, y, 200.0, +live)) << x << "," << y;
    }
    std::uniform_real_distribution<double> inLeft(0, 50);
    for (int i = 0; i < 40; ++i)
        AddRegistered(list, snaps, 10, {inLeft(rng), pos(rng)});
    for (int i = 0; i < 300; ++i) {
        const double x = inLeft(rng), y = pos(rng);
        EXPECT_EQ(snaps.FindNearest(x, y, 200.0, live), Walk(snaps, x, y, 200.0, +live)) << x << "," << y;
    }
}

TEST(SnapPointIndex, NearestAfterEveryPointWasRemovedAndOthersCameBack)
{
    // The tree keeps its emptied nodes: points filed again one by one (its
    // root growing past the empty old one) or all at once into the empty
    // nodes must all be found, and none of the removed ones.
    std::mt19937 rng(5);
    CEntityList list;
    CSnapPointList snaps;
    auto live = [](const SnapPoint& p) { return p.state == 0; };
    auto addIn = [&](int n, double x0, double y0, double size) {
        std::uniform_real_distribution<double> x(x0, x0 + size), y(y0, y0 + size);
        std::vector<CEntity*> added;
        for (int i = 0; i < n; ++i)
            added.push_back(AddRegistered(list, snaps, 10, {x(rng), y(rng)}));
        return added;
    };
    auto expectWalk = [&](double x0, double y0, double size) {
        std::uniform_real_distribution<double> x(x0, x0 + size), y(y0, y0 + size);
        for (int i = 0; i < 40; ++i) {
            const double qx = x(rng), qy = y(rng);
            EXPECT_EQ(snaps.FindNearest(qx, qy, 1e7, live), Walk(snaps, qx, qy, 1e7, +live)) << qx << "," << qy;
        }
    };
    auto removeAll = [&](const std::vector<CEntity*>& entities) {
        for (CEntity* e : entities)
            snaps.RemoveEntityPoints(e);
    };
    const std::vector<CEntity*> first = addIn(3000, 0, 0, 100);
    expectWalk(0, 0, 100);
    removeAll(first);
    EXPECT_EQ(snaps.FindNearest(50, 50, 1e7, live), nullptr);
    const std::vector<CEntity*> far = addIn(10, 5e5, -3e5, 50);  // one by one, past the old root
    expectWalk(0, 0, 100);
    expectWalk(5e5, -3e5, 50);
    removeAll(far);
    addIn(500, 20, 20, 60);  // all at once, into the emptied nodes
    expectWalk(0, 0, 100);
    expectWalk(5e5, -3e5, 50);
}

// A walk over every point of the chain, crossings included (copies).
const SnapPoint* WalkChain(const std::vector<SnapPoint>& chain, double x, double y, double bound,
                           const std::function<bool(const SnapPoint&)>& accept)
{
    const SnapPoint* best = nullptr;
    for (const SnapPoint& p : chain) {
        if (!accept(p))
            continue;
        const double d = std::sqrt((y - p.y) * (y - p.y) + (x - p.x) * (x - p.x));
        if (d < bound) {
            bound = d;
            best = &p;
        }
    }
    return best;
}

// Lines, circles, arcs and curves on a coarse lattice, so that crossings
// fall on each other and on key points, and ties are common.
Spec LatticeEntity(std::mt19937& rng)
{
    auto at = [&rng](int span) { return static_cast<double>(static_cast<int>(rng() % span) - 2); };
    const double x = at(40), y = at(40);
    switch (rng() % 8) {
    case 0:
    case 1:
    case 2:
        return {20, 0, {x, y, x + at(30), y + at(30)}};
    case 3:
        return {static_cast<int16_t>(21 + rng() % 3), 0, {x, y, x + at(5) + 3, y + at(5)}};
    case 4:
        return {30, 0, {x, y, 1 + at(8) + 2}};
    case 5:
        return {31, static_cast<int16_t>(rng() % 2 ? 1 : -1), {x, y, 3 + at(6), 90.0 * (rng() % 4), 45.0 * (rng() % 8)}};
    case 6:
        return {26, 0, {x, y, x + at(10), y + at(10), x + at(10), y, x, y + at(10)}};
    default:
        return {24, 0, {x, y, x + at(10), y + at(10), x + at(10), y + at(10)}};
    }
}

// Every search, with crossings worked out near the point, answers what a walk
// over the chain with every crossing stored in it answers: the same point,
// owner, kind and distance, the earliest in the chain on a tie; through
// states set per entity, entities taken out, moved and registered again, and
// entities of a list the snap points do not follow.
TEST(SnapPointIndex, CrossingsFoundNearThePointEqualTheWalkOverTheFullChain)
{
    for (int followed = 0; followed < 2; ++followed) {
        std::mt19937 rng(99 + followed);
        CEntityList list;
        CSnapPointList snaps;
        if (followed)
            snaps.Follow(list);
        std::vector<CEntity*> added;
        for (int i = 0; i < 140; ++i) {
            added.push_back(AddSpec(list, LatticeEntity(rng)));
            snaps.AddEntityPoints(added.back());
        }
        for (int round = 0; round < 4; ++round) {
            const std::vector<SnapPoint> chain = snaps.ChainPoints();
            std::size_t crossings = 0;
            for (const SnapPoint& p : chain)
                crossings += p.kind == SnapKind::Intersection;
            EXPECT_GT(crossings, 100u);
            const CEntity* except = added[rng() % added.size()];
            const std::function<bool(const SnapPoint&)> filters[] = {
                [](const SnapPoint& p) { return p.state == 0; },
                [except](const SnapPoint& p) { return p.state == 0 && p.entity != except; },
                [](const SnapPoint& p) { return p.state == 0 && p.kind == SnapKind::Intersection; },
                [](const SnapPoint& p) { return p.state != 0 && p.kind == SnapKind::Intersection; },
            };
            std::uniform_real_distribution<double> q(-5, 45);
            for (int i = 0; i < 400; ++i) {
                double x = q(rng), y = q(rng);
                if (i % 3 == 0) {  // on a crossing or key point: exact ties
                    const SnapPoint& on = chain[rng() % chain.size()];
                    x = on.x;
                    y = on.y;
                } else if (i % 3 == 1) {
                    x = std::round(x * 2) / 2;
                    y = std::round(y * 2) / 2;
                }
                const double bound = (i % 4 == 0) ? 100.0 : (i % 4 == 1 ? 2.0 : 0.6);
                for (const auto& accept : filters) {
                    double d = -1;
                    const SnapPoint* got = snaps.FindNearest(x, y, bound, accept, &d);
                    const SnapPoint* want = WalkChain(chain, x, y, bound, accept);
                    ASSERT_EQ(got != nullptr, want != nullptr) << x << "," << y << " round " << round;
                    if (!want)
                        continue;
                    ASSERT_EQ(got->x, want->x) << x << "," << y << " round " << round;
                    ASSERT_EQ(got->y, want->y);
                    ASSERT_EQ(got->kind, want->kind);
                    ASSERT_EQ(got->entity, want->entity);
                    ASSERT_EQ(got->state, want->state);
                    ASSERT_EQ(got->order, want->order);
                    EXPECT_EQ(d, std::sqrt((y - want->y) * (y - want->y) + (x - want->x) * (x - want->x)));
                }
            }
            // Edits between the rounds: states, removal, a move registered
            // again, and (when followed) deleted records taken out of the list.
            for (int k = 0; k < 15; ++k)
                snaps.SetEntityPointState(added[rng() % added.size()], static_cast<int>(rng() % 3) - 1);
            for (int k = 0; k < 5; ++k)
                snaps.RemoveEntityPoints(added[rng() % added.size()]);
            for (int k = 0; k < 5; ++k) {
                CEntity* e = added[rng() % added.size()];
                snaps.RemoveEntityPoints(e);
                for (double& v : e->values)
                    v += 1;
                list.NoteChanged(e);
                snaps.AddEntityPoints(e);
            }
            if (followed) {
                // As an edit does: the step before is dropped (its records
                // freed with their points), then the deleted ones go to undo.
                list.DiscardUndo(&snaps);
                for (int k = 0; k < 4; ++k)
                    added[rng() % added.size()]->state = EntityState::Deleted;
                std::erase_if(added, [](const CEntity* e) { return e->state == EntityState::Deleted; });
                list.MoveDeletedToUndo();
            }
        }
        list.DiscardUndo(&snaps);
    }
}

// Nearest searches on lattice points (exact ties) against the walk, and the
// nodes of each entity against the chain.
void ExpectSearchesEqualTheWalk(const CSnapPointList& snaps, std::mt19937& rng, const char* where)
{
    const std::vector<const SnapPoint*> chain = snaps.KeyPoints();
    ASSERT_EQ(chain.size(), snaps.Size()) << where;
    std::map<const CEntity*, std::vector<const SnapPoint*>> byEntity;
    for (const SnapPoint* p : chain)
        byEntity[p->entity].push_back(p);
    for (const auto& [e, nodes] : byEntity) {
        std::vector<const SnapPoint*> kept;
        for (const SnapPoint& p : snaps.EntityPoints(e))
            kept.push_back(&p);
        ASSERT_EQ(kept, nodes) << where;
    }
    // Key points only: the walk has no crossings.
    auto live = [](const SnapPoint& p) { return p.state == 0 && p.kind != SnapKind::Intersection; };
    std::uniform_int_distribution<int> q(-5, 45);
    for (int i = 0; i < 400; ++i) {
        const double x = q(rng), y = q(rng), bound = i % 2 ? 3.0 : 100.0;
        ASSERT_EQ(snaps.FindNearest(x, y, bound, live), Walk(snaps, x, y, bound, +live))
            << where << " at " << x << "," << y;
    }
}

// An entity's nodes stay side by side however they come: points added one by
// one to entities registered long before (past the length kept in blocks),
// between searches that filed the earlier ones, around removals that free
// places for the next. Many entities added between two searches are filed
// as well as a few.
TEST(SnapPointIndex, RunsThatGrowMoveOrComeAndGoAreSearchedAsTheWalk)
{
    std::mt19937 rng(23);
    auto at = [&rng] { return static_cast<double>(rng() % 40); };
    CEntityList list;
    CSnapPointList snaps;
    snaps.Follow(list);
    std::vector<CEntity*> owners, others;
    for (int i = 0; i < 6; ++i)
        owners.push_back(AddRegistered(list, snaps, 10, {at(), at()}));
    ExpectSearchesEqualTheWalk(snaps, rng, "start");
    for (int round = 0; round < 8; ++round) {
        const std::string where = "round " + std::to_string(round);
        for (int k = 0; k < 12; ++k) {
            CEntity* owner = k % 2 ? owners[0] : owners[rng() % owners.size()];
            ASSERT_EQ(snaps.AddPoint(at(), at(), SnapKind::Point, owner), 0);
            others.push_back(AddRegistered(list, snaps, 20, {at(), at(), at(), at()}));
        }
        snaps.SetEntityPointState(owners[rng() % owners.size()], round % 2 ? -1 : 0);
        for (int k = 0; k < 4; ++k) {
            const std::size_t i = rng() % others.size();
            snaps.RemoveEntityPoints(others[i]);
            others.erase(others.begin() + static_cast<std::ptrdiff_t>(i));
        }
        ExpectSearchesEqualTheWalk(snaps, rng, where.c_str());
    }
    EXPECT_GT(snaps.EntityPoints(owners[0]).size(), 32u);

    // Thousands added and some of them removed before the next search.
    std::vector<CEntity*> many;
    for (int i = 0; i < 3000; ++i)
        many.push_back(AddRegistered(list, snaps, 20, {at(), at(), at(), at()}));
    for (int i = 0; i < 500; ++i)
        snaps.RemoveEntityPoints(many[rng() % many.size()]);
    snaps.RemoveEntityPoints(owners[1]);
    ExpectSearchesEqualTheWalk(snaps, rng, "after many");
    // A few added and one of them removed again.
    CEntity* gone = nullptr;
    for (int i = 0; i < 5; ++i)
        gone = AddRegistered(list, snaps, 10, {at(), at()});
    snaps.RemoveEntityPoints(gone);
    snaps.AddPoint(at(), at(), SnapKind::Point, owners[2]);
    ExpectSearchesEqualTheWalk(snaps, rng, "after a few");
}

// Near the end of the numbers the chain is numbered again in the same order:
// the chain and every search stay what they are in a list numbered from 1.
TEST(SnapPointIndex, NumbersRunningOutAreGivenAgainInTheSameOrder)
{
    std::mt19937 rng(31);
    std::vector<Spec> specs;
    for (int i = 0; i < 120; ++i)
        specs.push_back(LatticeEntity(rng));
    struct Drawing {
        CEntityList list;
        CSnapPointList snaps;
        std::vector<CEntity*> added;
    };
    Drawing plain, renumbered;
    for (Drawing* d : {&plain, &renumbered}) {
        d->snaps.Follow(d->list);
        // The first half far from 1, so that what was filed is numbered anew too.
        if (d == &renumbered)
            SnapPointListProbe::NumberFrom(d->snaps, SnapPointListProbe::Limit() / 2);
        for (std::size_t i = 0; i < specs.size(); ++i) {
            if (i == 60) {
                d->snaps.FindNearest(0, 0, 1);  // files the first half
                if (d == &renumbered)
                    SnapPointListProbe::NumberFrom(d->snaps, SnapPointListProbe::Limit() - 40);
            }
            d->added.push_back(AddSpec(d->list, specs[i]));
            d->snaps.AddEntityPoints(d->added.back());
            if (i == 90)
                d->snaps.RemoveEntityPoints(d->added[70]);
        }
    }
    const std::vector<SnapPoint> want = plain.snaps.ChainPoints();
    const std::vector<SnapPoint> got = renumbered.snaps.ChainPoints();
    ASSERT_EQ(got.size(), want.size());
    auto index = [](const Drawing& d, const CEntity* e) { return std::find(d.added.begin(), d.added.end(), e) - d.added.begin(); };
    for (std::size_t k = 0; k < got.size(); ++k) {
        ASSERT_EQ(index(renumbered, got[k].entity), index(plain, want[k].entity)) << "point " << k;
        ASSERT_EQ(got[k].kind, want[k].kind) << "point " << k;
        ASSERT_EQ(got[k].x, want[k].x) << "point " << k;
        ASSERT_EQ(got[k].y, want[k].y) << "point " << k;
        if (k > 0) {
            ASSERT_LE(got[k - 1].order, got[k].order);
        }
    }
    EXPECT_LT(got.back().order, 4000u);
    auto live = [](const SnapPoint& p) { return p.state == 0; };
    std::uniform_real_distribution<double> q(-5, 45);
    for (int i = 0; i < 600; ++i) {
        double x = q(rng), y = q(rng);
        if (i % 2) {
            const SnapPoint& on = want[rng() % want.size()];
            x = on.x;
            y = on.y;
        }
        const double bound = i % 3 ? 2.0 : 100.0;
        const SnapPoint* a = renumbered.snaps.FindNearest(x, y, bound, live);
        const SnapPoint* b = WalkChain(got, x, y, bound, live);
        ASSERT_EQ(a != nullptr, b != nullptr) << x << "," << y;
        if (!a)
            continue;
        ASSERT_EQ(a->order, b->order) << x << "," << y;
        ASSERT_EQ(a->entity, b->entity) << x << "," << y;
        ASSERT_EQ(a->kind, b->kind) << x << "," << y;
    }
}

TEST(SnapPointIndex, NearestOnAnEmptyListIsNull)
{
    CSnapPointList snaps;
    EXPECT_EQ(snaps.FindNearest(0, 0, 100), nullptr);
}

} // namespace
