// The box tree under the model's indexes: after any run of inserts, moves
// and removals a query finds exactly the boxes a plain scan finds.

#include "model/BoxTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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

} // namespace
