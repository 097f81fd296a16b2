// Writing and reading JWW drawings of 100,000 lines.

#include "exchange/JwwFile.h"
#include "model/EntityList.h"
#include "model/EntityKinds.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int kLines = 100000;

void FillLines(CEntityList& list)
{
    const int16_t* codes = FixedCodes(EntityType::Line).data();
    for (int i = 0; i < kLines; ++i) {
        const double x = (i % 1000) * 15.5, y = (i / 1000) * 25.25;
        const double v[] = {x, y, x + 10.5, y + 5.25};
        list.AddEntity(EntityHeader{EntityType::Line, 0, static_cast<int16_t>(100 * (i % 5)), static_cast<int16_t>(i % 40), 4},
                       codes, static_cast<COLORREF>(i % 7), v);
    }
}

void BM_JwwWrite(benchmark::State& state)
{
    CEntityList list;
    FillLines(list);
    std::size_t bytes = 0;
    for (auto _ : state) {
        ArchiveWriter archive;
        CJwwWriter writer;
        writer.Scale = 50;
        writer.WriteJwwFile(archive, list.first);
        bytes = archive.out.size();
        benchmark::DoNotOptimize(archive.out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_JwwWrite)->Unit(benchmark::kMillisecond);

void BM_JwwRead(benchmark::State& state)
{
    CEntityList source;
    FillLines(source);
    ArchiveWriter archive;
    CJwwWriter writer;
    writer.Scale = 50;
    writer.WriteJwwFile(archive, source.first);
    for (auto _ : state) {
        CEntityList list;
        ArchiveReader a(archive.out);
        CJwwReader reader;
        reader.ReadJwwHeader(a);
        reader.ReadJwwEntities(a, list);
        state.PauseTiming();
        list.RemoveAll();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * archive.out.size()));
}
BENCHMARK(BM_JwwRead)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
