// The line tool's rubber band at scale: after the start of a line is
// clicked, 1,000 mouse moves each erase and draw the band and look for a
// snap point under the cursor. The drawing holds 1,000 or 100,000 lines;
// the cost of a move must not grow with it.
#include "BenchScene.h"
#include "GuiBenchMain.h"
#include "view/OrvikCadView.h"
#include "model/Document.h"
#include "model/Settings.h"
#include "model/SnapPointList.h"
#include "view/DrawTool.h"
#include "view/ToolList.h"
#include "view/ToolState.h"

#include <QApplication>
#include <cmath>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <random>

namespace {

using bench::Height;
using bench::Scene;
using bench::Width;

Scene& SceneOf(int lines)
{
    return bench::Cached(lines, [lines](Scene& s) {
        std::mt19937 rng(7);
        std::uniform_real_distribution<double> px(0, bench::ModelW), py(0, bench::ModelH), len(-60, 60);
        for (int i = 0; i < lines; ++i) {
            const double x = px(rng), y = py(rng);
            const double dx = len(rng), dy = len(rng);
            s.AddLine(x, y, x + dx, y + dy);
        }
        s.Open();
    });
}

// One click, then 1,000 frames of the free rubber band along a circle.
void RubberBandFrames(benchmark::State& state)
{
    Scene& s = SceneOf(static_cast<int>(state.range(0)));
    CreateTools();
    CurrentToolId = ToolId::Line;
    ToolSubMode = 0;
    LineMode = 0;
    LineLengthGiven = 0;
    LineAngleGiven = 0;
    MagnetEnabled = 1;
    LengthReadoutEnabled = 1;
    CDrawTool* tool = FindCurrentTool();
    const platform::Point centre{Width / 2, Height / 2};
    for (auto _ : state) {
        InputPointCount = 0;
        XorPreviewShown = 0;
        platform::Point p = centre;
        tool->OnLButtonDown(s.view.get(), ToolFlags::LButton, &p);
        tool->OnLButtonUp(s.view.get(), 0, &p);
        for (int i = 0; i < 1000; ++i) {
            const double a = i * 0.0125;
            platform::Point m{centre.x + static_cast<int>(400 * std::cos(a)),
                              centre.y + static_cast<int>(300 * std::sin(a))};
            tool->OnMouseMove(s.view.get(), 0, &m);
        }
        tool->Reset(s.view.get());
    }
    // Seconds per mouse move.
    state.counters["per_move"] =
        benchmark::Counter(1000, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(RubberBandFrames)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunGuiBenchmarks(argc, argv);
}
