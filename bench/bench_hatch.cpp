// Hatch line generation, which runs for every hatch at every paint.
#include "model/HatchLines.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>

namespace {

CEntity MakeHatch(int pattern, double spacing, double angle, bool round)
{
    CEntity e;
    e.type = EntityType::Hatch;
    e.subtype = static_cast<int16_t>(pattern);
    e.codes = {0, 0, 0, 60, 61, 62, 63};
    e.values = {spacing, spacing * 2, angle, 0, 0, 1000, 1000};
    int items = 0;
    auto add = [&](std::initializer_list<int16_t> codes, std::initializer_list<double> values) {
        e.codes.insert(e.codes.end(), codes);
        e.values.insert(e.values.end(), values);
        ++items;
    };
    if (round) {
        add({50, 51, 52}, {500, 500, 500});
    } else {
        // A twenty-cornered star.
        for (int i = 0; i < 20; ++i) {
            const double r = i % 2 ? 250 : 500;
            const double t = i * 3.14159265358979323846 / 10;
            add({10, 20}, {500 + r * std::cos(t), 500 + r * std::sin(t)});
        }
    }
    e.codes[0] = static_cast<int16_t>(items);
    e.count = static_cast<int16_t>(e.values.size());
    return e;
}

void BM_HatchStar(benchmark::State& state)
{
    const CEntity e = MakeHatch(static_cast<int>(state.range(0)), 5, 30, false);
    int64_t n = 0;
    for (auto _ : state) {
        const HatchLinesReport r = GenerateHatchLines(e, [&](const HatchSegment&) { ++n; });
        benchmark::DoNotOptimize(r.segments);
    }
    state.counters["segments"] = benchmark::Counter(static_cast<double>(n) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_HatchStar)->Arg(1)->Arg(2)->Arg(3);

void BM_HatchCircle(benchmark::State& state)
{
    const CEntity e = MakeHatch(2, 1, 45, true);
    for (auto _ : state) {
        const HatchLinesReport r = GenerateHatchLines(e, nullptr);
        benchmark::DoNotOptimize(r.segments);
    }
}
BENCHMARK(BM_HatchCircle);

} // namespace

BENCHMARK_MAIN();
