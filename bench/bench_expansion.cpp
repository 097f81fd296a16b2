// The expansion tool's window processing at scale.
//
// WindowProcess: a drawing of `total` lines of which `marked` lie in 2,500
// small "#" figures under one window (four lines each, every line crossed
// twice, so every one is cut in two); one window processing with the full
// redraw after it, its undo with the redraw outside the timing.
// WindowProcessUndo: the undo with its redraw.
#include "GuiBenchMain.h"

#include "edit_tools/ExpansionTool.h"
#include "model/Document.h"
#include "view/OrvikCadView.h"
#include "view/ToolList.h"
#include "view/ToolState.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <random>

namespace {

constexpr int Width = 1920, Height = 1080;
constexpr double ModelW = 84000, ModelH = 59400;  // A1 at 1:100
constexpr double Cell = 12.0;                       // pitch of the "#" figures
constexpr double FiguresX0 = 1000, FiguresY0 = 1000;

struct Scene {
    std::unique_ptr<COrvikCadDoc> doc;
    std::unique_ptr<COrvikCadView> view;
    double windowX1 = 0, windowY1 = 0;

    Scene(int total, int marked)
    {
        doc = std::make_unique<COrvikCadDoc>();
        doc->header.scale = 100.0f;
        // The grid record heads every drawing (not shown here).
        const int16_t gridCodes[3] = {10, 20, 30};
        const double grid[3] = {0, 0, 10};
        doc->list.AddEntity({EntityType::Grid, 0, 0, 0, 3}, gridCodes, 0, grid);
        const int16_t codes[4] = {10, 20, 11, 22};
        const EntityHeader line{EntityType::Line, 0, 0, 0, 4};
        const int figures = marked / 4;
        int perRow = 1;
        while (perRow * perRow < figures)
            ++perRow;
        for (int f = 0; f < figures; ++f) {
            const double x = FiguresX0 + (f % perRow) * Cell, y = FiguresY0 + (f / perRow) * Cell;
            const double v[4][4] = {{x, y + 3, x + 10, y + 3},
                                    {x, y + 7, x + 10, y + 7},
                                    {x + 3, y, x + 3, y + 10},
                                    {x + 7, y, x + 7, y + 10}};
            for (const auto& l : v)
                doc->list.AddEntity(line, codes, 0, l);
        }
        windowX1 = FiguresX0 + perRow * Cell;
        windowY1 = FiguresY0 + perRow * Cell;
        // The rest scattered away from the window, none of their lines
        // crossing it: short horizontal lines above it.
        std::mt19937 rng(7);
        std::uniform_real_distribution<double> px(0, ModelW), py(windowY1 + 2000, ModelH), len(1, 60);
        for (int i = 4 * figures; i < total; ++i) {
            const double x = px(rng), y = py(rng);
            const double v[4] = {x, y, x + len(rng), y};
            doc->list.AddEntity(line, codes, 0, v);
        }
        for (CEntity* e = doc->list.first; e; e = e->next)
            doc->snaps.AddEntityPoints(e);
        view = std::make_unique<COrvikCadView>();
        view->AttachDrawing(doc.get());
        view->resize(Width, Height);
        view->show();
        QApplication::processEvents();
        view->OnInitialUpdate();
        view->windowX0 = 0;
        view->windowY0 = 0;
        view->windowX1 = ModelW;
        view->windowY1 = ModelH;
        view->FitScale();
        view->RedrawNow();
    }
};

Scene& SceneOf(int total, int marked)
{
    static std::map<std::pair<int, int>, std::unique_ptr<Scene>> scenes;
    auto& s = scenes[{total, marked}];
    if (!s)
        s = std::make_unique<Scene>(total, marked);
    return *s;
}

CExpansionTool& Tool()
{
    CreateTools();
    for (CDrawTool* t : ToolList)
        if (auto* e = dynamic_cast<CExpansionTool*>(t))
            return *e;
    std::abort();
}

void ProcessOnce(Scene& s)
{
    CExpansionTool& tool = Tool();
    CurrentToolId = ToolId::Expansion;
    ToolSubMode = 5;
    InputPointCount = 0;
    platform::Point a{s.view->XToDevice(FiguresX0 - 5), s.view->YToDevice(FiguresY0 - 5)};
    platform::Point b{s.view->XToDevice(s.windowX1 + 5), s.view->YToDevice(s.windowY1 + 5)};
    tool.WindowProcess(s.view.get(), a);
    tool.WindowProcess(s.view.get(), b);
}

void UndoOnce(Scene& s)
{
    Tool().Undo(s.view.get());
}

void WindowProcess(benchmark::State& state)
{
    Scene& s = SceneOf(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        const std::size_t before = s.doc->list.Size();
        ProcessOnce(s);
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
    Scene& s = SceneOf(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        state.PauseTiming();
        ProcessOnce(s);
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
