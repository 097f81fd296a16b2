// The entity list's CSV file: writing and reading a list of 100,000 rows of
// drawing-like coordinates (bytes per second are reported).
#include "model/EntityRowList.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

CEntityRowList ManyRows(int count)
{
    CEntityRowList rows;
    for (int i = 0; i < count; ++i) {
        const double x = 1234.5678 + i * 0.37, y = -876.125 + i * 1.0 / 3.0;
        switch (i % 4) {
        case 0: rows.AddRow(RowKind::Point, {x, y}); break;
        case 1: rows.AddRow(RowKind::Line, {x, y, x + 100.25, y - 12.5}); break;
        case 2: rows.AddRow(RowKind::Circle, {x, y, 25.4, 30, 120.75}); break;
        default: rows.AddRow(RowKind::Ellipse, {x, y, 40, 20.5, 15, 0, 0}); break;
        }
    }
    return rows;
}

void WriteCsv(benchmark::State& state)
{
    const CEntityRowList rows = ManyRows(static_cast<int>(state.range(0)));
    size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = WriteEntityCsv(rows);
        bytes += text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
}
BENCHMARK(WriteCsv)->Arg(100000)->Unit(benchmark::kMillisecond);

void ReadCsv(benchmark::State& state)
{
    const std::string text = WriteEntityCsv(ManyRows(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        CEntityRowList rows;
        benchmark::DoNotOptimize(ReadEntityCsv(text, rows));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(ReadCsv)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
