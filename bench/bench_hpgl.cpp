// HP-GL of a drawing of 100,000 lines, as the plot run sends it into a file.

#include "exchange/PlotRun.h"
#include "model/EntityList.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int kLines = 100000;

const CEntityList& Lines()
{
    static CEntityList* list = [] {
        auto* l = new CEntityList;
        for (int i = 0; i < kLines; ++i) {
            const double x = (i % 1000) * 15.123456, y = (i / 1000) * 25.654321;
            const double values[4] = {x, y, x + 10.5, y + 5.25};
            const int16_t codes[4] = {10, 20, 11, 21};
            EntityHeader h{EntityType::Line, 0, static_cast<int16_t>(1 + (i / 100) % 7), 0, 4};
            l->AddEntity(h, codes, 0, values);
        }
        return l;
    }();
    return *list;
}

void BM_HpglPlotRun(benchmark::State& state)
{
    const CEntityList& lines = Lines();
    std::size_t bytes = 0;
    for (auto _ : state) {
        PlotJob job;
        job.ToFile = 1;
        job.ScaleIndex = 1;
        job.ExtMaxX = 15200;
        job.ExtMaxY = 2600;
        job.First = lines.first;
        PlotTextChannel channel(true);
        channel.text.reserve(4u << 20);
        CPlotRun run(job, channel);
        run.Start();
        while (run.Tick() == CPlotRun::Step::Running) {
        }
        bytes = channel.text.size();
        benchmark::DoNotOptimize(channel.text.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_HpglPlotRun)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
