// Conversion of cp932 text to and from Qt strings, as done for every text a
// view draws or a field shows.
#include "platform/Encoding.h"

#include <benchmark/benchmark.h>

namespace {

const std::string japanese = platform::Utf8ToCp932("寸法線 ＭＳゴシック 12.5mm 部品データ");
const std::string ascii = "PD100,200;PU300,400;";

void FromCp932Japanese(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(platform::FromCp932(japanese));
    }
}
BENCHMARK(FromCp932Japanese);

void FromCp932Ascii(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(platform::FromCp932(ascii));
    }
}
BENCHMARK(FromCp932Ascii);

void ToCp932Japanese(benchmark::State& state)
{
    const QString text = platform::FromCp932(japanese);
    for (auto _ : state) {
        benchmark::DoNotOptimize(platform::ToCp932(text));
    }
}
BENCHMARK(ToCp932Japanese);

} // namespace

BENCHMARK_MAIN();
