// Short one-pixel lines through the image device context, as a drawing of
// many small entities paints them: solid and dashed, copied and not-XOR.
#include "platform/PainterDc.h"

#include <QGuiApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>
#include <vector>

using namespace platform;

namespace {

constexpr int kLines = 100000;

const std::vector<Point>& Ends()
{
    static const std::vector<Point> ends = [] {
        std::mt19937 rng(42);
        std::uniform_int_distribution<int> x(0, 1919), y(0, 1079), d(-20, 20);
        std::vector<Point> v;
        v.reserve(2 * kLines);
        for (int i = 0; i < kLines; ++i) {
            const Point a{x(rng), y(rng)};
            v.push_back(a);
            v.push_back({a.x + d(rng), a.y + d(rng)});
        }
        return v;
    }();
    return ends;
}

void Lines(benchmark::State& state, PenStyle style, Rop2 rop)
{
    QImage image(1920, 1080, QImage::Format_RGB32);
    image.fill(Qt::white);
    const auto& ends = Ends();
    for (auto _ : state) {
        PainterDc dc(image);
        dc.SetRop2(rop);
        dc.SetBkMode(BkMode::Transparent);
        dc.SelectPen(Pen::Make(style, 0, Rgb(0, 0, 0)));
        for (size_t i = 0; i < ends.size(); i += 2) {
            dc.MoveTo(ends[i].x, ends[i].y);
            dc.LineTo(ends[i + 1].x, ends[i + 1].y);
        }
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations() * kLines);
    state.counters["lines/s"] = benchmark::Counter(double(kLines), benchmark::Counter::kIsIterationInvariantRate);
}

} // namespace

BENCHMARK_CAPTURE(Lines, SolidCopy, PenStyle::Solid, Rop2::CopyPen)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Lines, DashedCopy, PenStyle::Dash, Rop2::CopyPen)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Lines, SolidNotXor, PenStyle::Solid, Rop2::NotXorPen)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Lines, DashedNotXor, PenStyle::Dash, Rop2::NotXorPen)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
