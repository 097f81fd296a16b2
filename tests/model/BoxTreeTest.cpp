// The box tree under the model's indexes: after any run of inserts, moves
// and removals a query finds exactly the boxes a plain scan finds, and the
// snap points filed in it give the point a walk over them gives.

#include "model/BoxTree.h"
#include "model/SnapPointList.h"
#include "model/SnapPointTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <map>
#include <random>
#include <vector>

namespace {

using Box = BoxTree::Box;

bool Meets(const Box& a, const Box& b)
{
    return a.x0 <= b.x1 && b.x0 <= a.x1 && a.y0 <= b.y1 && b.y0 <= a.y1;
}

std::vector<uint32_t> Found(const BoxTree& tree, const Box& q)
{
    std::vector<uint32_t> out;
    tree.Query(q, [&out](uint32_t id) { out.push_back(id); });
    std::sort(out.begin(), out.end());
    return out;
}

// Runs random inserts, moves and removals of boxes from `randomBox` over
// ids below `ids`, checking queries against a plain scan as it goes. With
// `bulk` the tree starts from boxes for most ids (some given twice) filed
// at once.
template <class Make, class Query>
void ExpectScanAnswers(std::mt19937& rng, uint32_t ids, Make&& randomBox, Query&& randomQuery, bool bulk)
{
    BoxTree tree;
    std::map<uint32_t, Box> held;
    if (bulk) {
        std::vector<std::pair<uint32_t, Box>> items;
        for (uint32_t i = 0; i < ids * 5 / 4; ++i)
            items.emplace_back(static_cast<uint32_t>(rng() % ids), randomBox());
        for (const auto& [id, b] : items)
            held[id] = b;
        tree.InsertMany(items);
    }
    for (int step = 0; step < 6000; ++step) {
        if (bulk && step == 0) {
            ASSERT_EQ(tree.Size(), held.size());
        }
        const auto id = static_cast<uint32_t>(rng() % ids);
        if (rng() % 3 == 0) {
            tree.Remove(id);
            held.erase(id);
        } else {
            const Box b = randomBox();
            tree.Insert(id, b);  // a second insert moves it
            held[id] = b;
        }
        ASSERT_EQ(tree.Size(), held.size());
        if (step % 50 != 0)
            continue;
        for (int q = 0; q < 10; ++q) {
            const Box query = randomQuery(q);
            std::vector<uint32_t> expected;
            for (const auto& [i, b] : held)
                if (Meets(b, query))
                    expected.push_back(i);
            ASSERT_EQ(Found(tree, query), expected) << "step " << step << " query " << q;
        }
    }
    tree.Clear();
    EXPECT_EQ(tree.Size(), 0u);
    EXPECT_TRUE(Found(tree, {-1e14, -1e14, 1e14, 1e14}).empty());
}

TEST(BoxTree, QueriesMatchAScanThroughRandomEdits)
{
    // Points, short and long boxes, far-off ones that make the root grow in
    // every direction, and many at one place (a node that cannot split).
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> pos(-5000, 5000), unit(0, 1);
    auto randomBox = [&]() -> Box {
        const double x = pos(rng), y = pos(rng);
        switch (rng() % 5) {
        case 0: return {x, y, x, y};
        case 1: return {x, y, x + 20 * unit(rng), y + 20 * unit(rng)};
        case 2: return {x, y, x + 3000 * unit(rng), y + 10};
        case 3: return {x * 1e6, y * 1e6, x * 1e6 + 1, y * 1e6 + 1};
        default: return {7, 7, 7, 7};
        }
    };
    for (bool bulk : {false, true})
        ExpectScanAnswers(rng, 1500, randomBox, [&](int q) { return q == 0 ? Box{7, 7, 7, 7} : randomBox(); },
                          bulk);
}

TEST(BoxTree, QueriesMatchAScanAmongLongThinBoxes)
{
    // A grid of lines across everything over short boxes: the long ones
    // stay near the root, kept by where they stand across their length.
    // Several share one row or column, some are thick or slanted (a wide
    // box), and queries are small, thin or long themselves.
    std::mt19937 rng(23);
    std::uniform_real_distribution<double> pos(0, 8000), unit(0, 1);
    auto row = [&] { return std::floor(pos(rng) / 400) * 400; };
    auto randomBox = [&]() -> Box {
        const double x = pos(rng), y = pos(rng);
        switch (rng() % 7) {
        case 0: { const double r = row(); return {0, r, 8000, r}; }
        case 1: { const double c = row(); return {c, 0, c, 8000}; }
        case 2: { const double r = row(); return {100 * unit(rng), r - 1, 8000 - 100 * unit(rng), r + 1}; }
        case 3: return {0, y, 8000, y + 300 * unit(rng)};
        case 4: return {x / 4, y / 4, x, y};
        default: return {x, y, x + 30 * unit(rng), y + 30 * unit(rng)};
        }
    };
    auto randomQuery = [&](int q) -> Box {
        const double x = pos(rng), y = pos(rng);
        switch (q % 4) {
        case 0: return {x, y, x + 200 * unit(rng), y + 200 * unit(rng)};
        case 1: { const double r = row(); return {x, r, x, r}; }
        case 2: return {0, y, 8000, y};
        default: return {x, 0, x + 1, 8000};
        }
    };
    for (bool bulk : {false, true})
        ExpectScanAnswers(rng, 800, randomBox, randomQuery, bulk);
}

TEST(BoxTree, FitsOnlyFiniteOrderedBoxesWithinReach)
{
    struct Case {
        Box box;
        bool fits;
    };
    const Case cases[] = {
        {{0, 0, 1, 1}, true},
        {{-9e14, -9e14, 9e14, 9e14}, true},
        {{0, 0, 1e15, 1}, false},
        {{0, 0, INFINITY, 1}, false},
        {{0, NAN, 1, 1}, false},
        {{1, 0, 0, 1}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BoxTree::Fits(c.box), c.fits) << c.box.x0 << " " << c.box.y0 << " " << c.box.x1 << " " << c.box.y1;
}

// The point a walk over `held` (in order) settles on, as Nearest promises.
const SnapPoint* Walk(const std::vector<SnapPoint*>& held, double x, double y, double maxDist, bool oddOnly,
                      double& dist)
{
    const SnapPoint* best = nullptr;
    for (const SnapPoint* p : held) {
        if (oddOnly && p->order % 2 == 0)
            continue;
        const double d = std::sqrt((y - p->y) * (y - p->y) + (x - p->x) * (x - p->x));
        if (d < maxDist && (!best || d < dist || (d == dist && p->order < best->order))) {
            best = p;
            dist = d;
        }
    }
    return best;
}

TEST(SnapPointTree, NearestMatchesAWalkThroughRandomEdits)
{
    // Points on the edges of nodes and of the root as it grows (multiples of
    // 1024), many on one spot, far-off ones in every direction, and points
    // the tree cannot file (not finite, too far out). A point that stays in
    // the tree after its removal, or one lost from it, shows as a different
    // answer.
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> pos(-3000, 3000), unit(0, 1);
    std::deque<SnapPoint> store;
    auto make = [&]() -> SnapPoint* {
        SnapPoint p;
        switch (rng() % 8) {
        case 0: p.x = 1024.0 * double(int(rng() % 7) - 3); p.y = 1024.0 * double(int(rng() % 7) - 3); break;
        case 1: p.x = 1024.0 * double(int(rng() % 5)); p.y = pos(rng); break;
        case 2: p.x = 40; p.y = 40; break;
        case 3: p.x = pos(rng) * 1e7; p.y = pos(rng) * 1e7; break;
        case 4: p.x = rng() % 2 ? NAN : 2e15; p.y = 0; break;
        default: p.x = pos(rng); p.y = pos(rng); break;
        }
        p.order = store.size() + 1;
        store.push_back(p);
        return &store.back();
    };
    auto filter = [](const SnapPoint& p, const void*) { return p.order % 2 == 1; };
    for (bool bulk : {false, true}) {
        SnapPointTree tree;
        std::vector<SnapPoint*> held;
        if (bulk) {
            for (int i = 0; i < 1500; ++i)
                held.push_back(make());
            std::vector<SnapPoint*> batch = held;
            tree.InsertMany(batch);
        }
        for (int step = 0; step < 5000; ++step) {
            if (!held.empty() && rng() % 3 == 0) {
                const std::size_t i = rng() % held.size();
                tree.Remove(held[i]);
                held.erase(held.begin() + static_cast<std::ptrdiff_t>(i));
            } else {
                held.push_back(make());
                tree.Insert(held.back());
            }
            ASSERT_EQ(tree.Size(), held.size());
            if (step % 25 != 0)
                continue;
            for (int q = 0; q < 8; ++q) {
                const double x = q == 0 ? 1024.0 : q == 1 ? 40.0 : pos(rng);
                const double y = q == 0 ? 0.0 : q == 1 ? 40.0 : pos(rng);
                const double maxDist = q == 2 ? INFINITY : 5000 * unit(rng);
                const bool oddOnly = q % 2 == 1;
                double want = 0, got = 0;
                const SnapPoint* expected = Walk(held, x, y, maxDist, oddOnly, want);
                const SnapPoint* found =
                    tree.Nearest(x, y, maxDist, oddOnly ? +filter : nullptr, nullptr, &got);
                ASSERT_EQ(found, expected) << "step " << step << " query " << q;
                if (expected) {
                    ASSERT_EQ(got, want);
                }
            }
        }
        // Emptied point by point, then nothing is found.
        for (SnapPoint* p : held)
            tree.Remove(p);
        EXPECT_EQ(tree.Size(), 0u);
        double d = 0;
        EXPECT_EQ(tree.Nearest(0, 0, INFINITY, nullptr, nullptr, &d), nullptr);
    }
}

TEST(SnapPointTree, APointOnTheRootsEdgeLeavesAfterTheRootGrew)
{
    // The first root spans [0, 1024]; a point on its high edge must still
    // be found and taken out once far points have grown the root past it.
    struct Case {
        double x, y, farX, farY;
    };
    const Case cases[] = {{1024, 0, 3000, 0}, {0, 1024, 0, 3000}, {1024, 1024, 3000, 3000}, {1024, 0, -3000, 0}};
    for (const Case& c : cases) {
        SnapPoint first, edge, far;
        first.order = 1;
        edge.x = c.x;
        edge.y = c.y;
        edge.order = 2;
        far.x = c.farX;
        far.y = c.farY;
        far.order = 3;
        SnapPointTree tree;
        tree.Insert(&first);
        tree.Insert(&edge);
        tree.Insert(&far);
        double d = 0;
        EXPECT_EQ(tree.Nearest(c.x, c.y, 10, nullptr, nullptr, &d), &edge);
        tree.Remove(&edge);
        EXPECT_EQ(tree.Size(), 2u);
        EXPECT_EQ(tree.Nearest(c.x, c.y, 10, nullptr, nullptr, &d), nullptr) << c.x << " " << c.y;
    }
}

} // namespace
