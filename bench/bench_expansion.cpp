// The expansion tool's window processing at scale.
//
// WindowProcess: a drawing of `total` lines of which `marked` lie in 2,500
// small "#" figures under one window (four lines each, every line crossed
// twice, so every one is cut in two); one window processing with the full
// redraw after it, its undo with the redraw outside the timing.
// WindowProcessUndo: the undo with its redraw.
#include "BenchScene.h"
#include "GuiBenchMain.h"

#include "edit_tools/ExpansionTool.h"
#include "model/Document.h"
#include "view/OrvikCadView.h"
#include "view/ToolList.h"
#include "view/ToolState.h"
#include "model/EntityKinds.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cmath>

#include <cstdlib>
#include <map>
#include <memory>
#include <random>

namespace {

constexpr double Cell = 12.0;  // pitch of the "#" figures
constexpr double FiguresX0 = 1000, FiguresY0 = 1000;

// The window's far corner: the figures fill a square from (FiguresX0, FiguresY0).
double WindowEnd(int marked)
{
    int perRow = 1;
    while (perRow * perRow < marked / 4)
        ++perRow;
    return FiguresX0 + perRow * Cell;
}

bench::Scene& SceneOf(int total, int marked)
{
    return bench::Cached(std::pair{total, marked}, [total, marked](bench::Scene& s) {
        // The grid record heads every drawing (not shown here).
        const int16_t* gridCodes = FixedCodes(EntityType::Grid).data();
        const double grid[3] = {0, 0, 10};
        s.doc->list.AddEntity({EntityType::Grid, 0, 0, 0, 3}, gridCodes, 0, grid);
        const int figures = marked / 4;
        const int perRow = static_cast<int>(std::lround((WindowEnd(marked) - FiguresX0) / Cell));
        for (int f = 0; f < figures; ++f) {
            const double x = FiguresX0 + (f % perRow) * Cell, y = FiguresY0 + (f / perRow) * Cell;
            s.AddLine(x, y + 3, x + 10, y + 3);
            s.AddLine(x, y + 7, x + 10, y + 7);
            s.AddLine(x + 3, y, x + 3, y + 10);
            s.AddLine(x + 7, y, x + 7, y + 10);
        }
        // The rest scattered away from the window, none of their lines
        // crossing it: short horizontal lines above it.
        std::mt19937 rng(7);
        std::uniform_real_distribution<double> px(0, bench::ModelW), py(WindowEnd(marked) + 2000, bench::ModelH),
            len(1, 60);
        for (int i = 4 * figures; i < total; ++i) {
            const double x = px(rng), y = py(rng);
            s.AddLine(x, y, x + len(rng), y);
        }
        s.Open();
    });
}

void ProcessOnce(bench::Scene& s, int marked)
{
    CExpansionTool& tool = bench::ToolOf<CExpansionTool>();
    CurrentToolId = ToolId::Expansion;
    ToolSubMode = 5;
    InputPointCount = 0;
    platform::Point a{s.view->XToDevice(FiguresX0 - 5), s.view->YToDevice(FiguresY0 - 5)};
    const double end = WindowEnd(marked) + 5;
    platform::Point b{s.view->XToDevice(end), s.view->YToDevice(end)};
    tool.WindowProcess(s.view.get(), a);
    tool.WindowProcess(s.view.get(), b);
}

void UndoOnce(bench::Scene& s)
{
    bench::ToolOf<CExpansionTool>().Undo(s.view.get());
}

void WindowProcess(benchmark::State& state)
{
    bench::Scene& s = SceneOf(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        const std::size_t before = s.doc->list.Size();
        ProcessOnce(s, static_cast<int>(state.range(1)));
        s.view->RedrawNow();
        state.PauseTiming();
        if (s.doc->list.Size() != before + static_cast<std::size_t>(state.range(1))) {
            state.SkipWithError("not every marked line was cut in two");
            break;
        }
        UndoOnce(s);
        s.view->RedrawNow();
        state.ResumeTiming();
    }
}

void WindowProcessUndo(benchmark::State& state)
{
    bench::Scene& s = SceneOf(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        state.PauseTiming();
        ProcessOnce(s, static_cast<int>(state.range(1)));
        s.view->RedrawNow();
        state.ResumeTiming();
        UndoOnce(s);
        s.view->RedrawNow();
    }
}

BENCHMARK(WindowProcess)->Args({10000, 10000})->Args({1000000, 10000})->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(WindowProcessUndo)->Args({10000, 10000})->Args({1000000, 10000})->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    return RunGuiBenchmarks(argc, argv);
}
