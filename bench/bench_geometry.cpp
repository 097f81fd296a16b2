// Costs of the sampled and walked ellipse functions, which snapping and
// dimensioning call per entity.
#include "model/Geometry.h"

#include <benchmark/benchmark.h>

namespace {

void BM_IntersectCircleEllipse(benchmark::State& state)
{
    const GeoEllipse e{0, 0, 20, 10, 30};
    for (auto _ : state)
        benchmark::DoNotOptimize(IntersectCircleEllipse(e, 5, 3, 12));
}
BENCHMARK(BM_IntersectCircleEllipse);

void BM_IntersectEllipses(benchmark::State& state)
{
    const GeoEllipse a{0, 0, 20, 10, 0};
    const GeoEllipse b{3, 1, 15, 12, 40};
    for (auto _ : state)
        benchmark::DoNotOptimize(IntersectEllipses(a, b));
}
BENCHMARK(BM_IntersectEllipses);

void BM_PointAlongEllipse(benchmark::State& state)
{
    const GeoEllipse e{0, 0, 20, 10, 30};
    const double length = static_cast<double>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(PointAlongEllipse(1, e, 20, 0, length));
}
BENCHMARK(BM_PointAlongEllipse)->Arg(10)->Arg(90)->Arg(1000000);

void BM_BezierLengthWalk(benchmark::State& state)
{
    const BezierPoints p{GeoPoint{0, 0}, GeoPoint{0, 500}, GeoPoint{500, 500}, GeoPoint{500, 0}};
    const double tolerance = state.range(0) == 0 ? 0.0 : 0.5;
    for (auto _ : state)
        benchmark::DoNotOptimize(BezierLengthWalk(p, tolerance, 1e9));
}
BENCHMARK(BM_BezierLengthWalk)->Arg(1)->Arg(0);

} // namespace

BENCHMARK_MAIN();
