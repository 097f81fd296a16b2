// Snap-point registration and search at drawing sizes.
//
// BM_RegisterShortLines: random short lines on an A1 sheet at 1/100 (model
// 84 100 x 59 400 mm), added and registered one by one; compare the time per
// entity at 10 000 and 100 000 lines: for short lines it should grow by no
// more than about 2x.
// BM_NearestSnapPoint: one search among 1 000 000 points, as a mouse move does
// (after a first search has filed the points into the quadtree).
// BM_NearestInCrossingLines: one search (bound 100, as the view's) in a grid
// of n mutually crossing lines one unit apart, whose n*n/4 crossings are
// worked out near the point.
// BM_FileOnOneSpot: n snap points on one spot (the ends of lines drawn from
// one point) filed into the tree one by one; the time per point should not
// grow with n.

#include "model/EntityList.h"
#include "model/SnapPointList.h"
#include "model/SnapPointTree.h"
#include "model/EntityKinds.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

namespace {

constexpr double SheetWidth = 84100.0;
constexpr double SheetHeight = 59400.0;

void BM_RegisterShortLines(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const double reach = static_cast<double>(state.range(1));
    std::size_t nodes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto list = std::make_unique<CEntityList>();
        auto snaps = std::make_unique<CSnapPointList>();
        snaps->Follow(*list);
        std::mt19937 rng(42);
        std::uniform_real_distribution<double> x(0, SheetWidth), y(0, SheetHeight), d(-reach, reach);
        const int16_t* codes = FixedCodes(EntityType::Line).data();
        EntityHeader h;
        h.type = 20;
        h.count = 4;
        state.ResumeTiming();
        for (int i = 0; i < n; ++i) {
            const double x1 = x(rng), y1 = y(rng);
            const double values[4] = {x1, y1, x1 + d(rng), y1 + d(rng)};
            list->AddEntity(h, codes, 0, values);
            snaps->AddEntityPoints(list->last);
        }
        state.PauseTiming();
        nodes = snaps->Size();
        snaps.reset();
        list.reset();
        state.ResumeTiming();
    }
    state.counters["snap_points"] = static_cast<double>(nodes);
    state.counters["per_entity"] =
        benchmark::Counter(static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate |
                                                       benchmark::Counter::kInvert);
}
// Arguments: number of lines, largest extent along each axis (model mm; 250
// is 2.5 mm on the sheet). With longer lines the crossings per line grow with
// the count, and so does the time, as it must.
BENCHMARK(BM_RegisterShortLines)
    ->Args({10000, 250})
    ->Args({100000, 250})
    ->Args({10000, 1000})
    ->Args({100000, 1000})
    ->Unit(benchmark::kMillisecond);

struct MillionPoints {
    CEntityList list;
    CSnapPointList snaps;
    MillionPoints()
    {
        snaps.Follow(list);
        std::mt19937 rng(7);
        std::uniform_real_distribution<double> x(0, SheetWidth), y(0, SheetHeight);
        const int16_t* codes = FixedCodes(EntityType::Point).data();
        EntityHeader h;
        h.type = 10;
        h.count = 2;
        for (int i = 0; i < 1000000; ++i) {
            const double values[2] = {x(rng), y(rng)};
            list.AddEntity(h, codes, 0, values);
            snaps.AddEntityPoints(list.last);
        }
        // The first search files the points; the ones measured come after.
        benchmark::DoNotOptimize(snaps.FindNearest(0, 0, 1));
    }
};

void BM_NearestSnapPoint(benchmark::State& state)
{
    static MillionPoints* drawing = new MillionPoints;
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> x(0, SheetWidth), y(0, SheetHeight);
    const double bound = static_cast<double>(state.range(0));
    std::size_t found = 0;
    for (auto _ : state) {
        const SnapPoint* p = drawing->snaps.FindNearest(x(rng), y(rng), bound);
        found += p != nullptr;
        benchmark::DoNotOptimize(p);
    }
    state.counters["found_share"] = static_cast<double>(found) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_NearestSnapPoint)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_FileOnOneSpot(benchmark::State& state)
{
    const auto n = static_cast<std::size_t>(state.range(0));
    std::vector<SnapPoint> points(n);
    for (std::size_t i = 0; i < n; ++i) {
        points[i].x = 5000.0;
        points[i].y = 3000.0;
        points[i].order = i + 1;
    }
    for (auto _ : state) {
        SnapPointTree tree;
        for (SnapPoint& p : points)
            tree.Insert(&p);
        benchmark::DoNotOptimize(tree.Size());
    }
    state.counters["per_point"] = benchmark::Counter(
        static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_FileOnOneSpot)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond);

struct CrossingGrid {
    CEntityList list;
    CSnapPointList snaps;
    explicit CrossingGrid(int n)
    {
        snaps.Follow(list);
        const int16_t* codes = FixedCodes(EntityType::Line).data();
        EntityHeader h;
        h.type = 20;
        h.count = 4;
        const double length = n;
        for (int i = 0; i < n / 2; ++i) {
            const double across[4] = {0.5, i + 0.25, length, i + 0.25};
            list.AddEntity(h, codes, 0, across);
            snaps.AddEntityPoints(list.last);
            const double down[4] = {i + 0.75, 0.5, i + 0.75, length};
            list.AddEntity(h, codes, 0, down);
            snaps.AddEntityPoints(list.last);
        }
        benchmark::DoNotOptimize(snaps.FindNearest(0, 0, 1));
    }
};

void BM_NearestInCrossingLines(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    CrossingGrid grid(n);
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> at(0, n / 2.0);
    std::size_t crossings = 0;
    for (auto _ : state) {
        const SnapPoint* p = grid.snaps.FindNearest(at(rng), at(rng), 100.0);
        crossings += p && p->kind == SnapKind::Intersection;
        benchmark::DoNotOptimize(p);
    }
    state.counters["crossing_share"] = static_cast<double>(crossings) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_NearestInCrossingLines)->Arg(2000)->Arg(8000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
