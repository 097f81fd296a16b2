// The move tool's engine at scale: a drawing of 1,000,000 lines of which
// 100,000 are marked (or selected); one move, copy, paste or quarter turn of
// those 100,000 with the full redraw after it, and its undo with the redraw;
// the same for the mirror move, mirror copy and flip.
#include "GuiBenchMain.h"

#include "edit_tools/MoveTool.h"
#include "model/Document.h"
#include "model/EntityList.h"
#include "model/SnapPointList.h"
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

// `across` short vertical lines over y = 0 between x = 0 and 80,000, the
// rest scattered above y = 100.
struct Scene {
    std::unique_ptr<COrvikCadDoc> doc;
    std::unique_ptr<COrvikCadView> view;

    Scene(int total, int across)
    {
        doc = std::make_unique<COrvikCadDoc>();
        doc->header.scale = 100.0f;
        std::mt19937 rng(11);
        std::uniform_real_distribution<double> px(0, ModelW), py(100, ModelH), len(-60, 60);
        const int16_t codes[4] = {10, 20, 11, 22};
        const EntityHeader line{EntityType::Line, 0, 0, 0, 4};
        for (int i = 0; i < total; ++i) {
            double v[4];
            if (i < across) {
                const double x = 80000.0 * i / across;
                v[0] = v[2] = x;
                v[1] = -20;
                v[3] = 20;
            } else {
                v[0] = px(rng);
                v[1] = py(rng);
                v[2] = v[0] + len(rng);
                v[3] = v[1] + len(rng);
            }
            doc->list.AddEntity(line, codes, 0, v);
        }
        view = std::make_unique<COrvikCadView>();
        view->AttachDrawing(doc.get());
        view->resize(Width, Height);
        view->show();
        QApplication::processEvents();
        view->OnInitialUpdate();
        view->windowX0 = 0;
        view->windowY0 = -100;
        view->windowX1 = ModelW;
        view->windowY1 = ModelH;
        view->FitScale();
        view->RedrawNow();
    }
};

Scene& SceneOf(int total, int across)
{
    static std::map<std::pair<int, int>, std::unique_ptr<Scene>> scenes;
    auto& s = scenes[{total, across}];
    if (!s)
        s = std::make_unique<Scene>(total, across);
    return *s;
}

CMoveTool& MoveTool()
{
    CreateTools();
    for (CDrawTool* t : ToolList)
        if (auto* m = dynamic_cast<CMoveTool*>(t))
            return *m;
    std::abort();
}

// The 100,000 short lines across y = 0 get `state`.
void MarkAcross(Scene& s, int16_t state)
{
    for (CEntity* e = s.doc->list.first; e; e = e->next)
        if (e->type == EntityType::Line && e->values[1] < 0.0)
            e->state = state;
}

void Shift(CMoveTool& tool)
{
    tool.X[2] = 0;
    tool.Y[2] = 0;
    tool.X[3] = 10;
    tool.Y[3] = 5;
}

void MoveOnce(Scene& s)
{
    CMoveTool& tool = MoveTool();
    Shift(tool);
    tool.TransformSelection(s.view.get(), 0, 1, 1.0, 0.0);
}

void CopyOnce(Scene& s)
{
    CMoveTool& tool = MoveTool();
    Shift(tool);
    tool.TransformSelection(s.view.get(), 0, 0, 1.0, 0.0);
}

void PasteOnce(Scene& s)
{
    CMoveTool& tool = MoveTool();
    Shift(tool);
    tool.TransformSelection(s.view.get(), 1, 0, 1.0, 0.0);
}

void TurnOnce(Scene& s)
{
    CMoveTool::RotateSelection90(s.view.get(), 0);
}

void MirrorMoveOnce(Scene& s)
{
    CMoveTool& tool = MoveTool();
    tool.X[2] = 40000;
    tool.Y[2] = 0;
    tool.MirrorSelection(s.view.get(), 0, 1);
}

void MirrorCopyOnce(Scene& s)
{
    CMoveTool& tool = MoveTool();
    tool.X[2] = 40000;
    tool.Y[2] = 0;
    tool.MirrorSelection(s.view.get(), 0, 0);
}

void FlipOnce(Scene& s)
{
    CMoveTool::MirrorSelectionInPlace(s.view.get(), 0);
}

void Prepare(Scene& s, void (*edit)(Scene&))
{
    if (edit == TurnOnce || edit == FlipOnce) {
        MarkAcross(s, EntityState::Selected);
    } else if (edit == PasteOnce) {
        if (!EntityBuffer.first) {
            MarkAcross(s, EntityState::Marked);
            MoveTool().CopySelectionToBuffer(s.view.get());
        }
    } else {
        MarkAcross(s, EntityState::Marked);
    }
    s.doc->list.DiscardUndo(&s.doc->snaps);
}

void UndoOnce(Scene& s)
{
    MoveTool().Undo(s.view.get());
}

// One untimed round on a new scene: the first edit of a drawing builds
// what the view and the snap points index lazily.
void WarmUp(Scene& s, void (*edit)(Scene&))
{
    static std::map<Scene*, bool> warm;
    if (warm[&s])
        return;
    warm[&s] = true;
    Prepare(s, edit);
    edit(s);
    s.view->RedrawNow();
    UndoOnce(s);
    s.view->RedrawNow();
}

template <void (*Edit)(Scene&)>
void EditWithRedraw(benchmark::State& state)
{
    Scene& s = SceneOf(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    WarmUp(s, Edit);
    for (auto _ : state) {
        state.PauseTiming();
        Prepare(s, Edit);
        s.view->RedrawNow();
        state.ResumeTiming();
        Edit(s);
        s.view->RedrawNow();
        state.PauseTiming();
        UndoOnce(s);
        s.view->RedrawNow();
        state.ResumeTiming();
    }
}

template <void (*Edit)(Scene&)>
void UndoWithRedraw(benchmark::State& state)
{
    Scene& s = SceneOf(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    WarmUp(s, Edit);
    for (auto _ : state) {
        state.PauseTiming();
        Prepare(s, Edit);
        Edit(s);
        s.view->RedrawNow();
        state.ResumeTiming();
        UndoOnce(s);
        s.view->RedrawNow();
    }
}

void Move(benchmark::State& state) { EditWithRedraw<MoveOnce>(state); }
void MoveUndo(benchmark::State& state) { UndoWithRedraw<MoveOnce>(state); }
void Copy(benchmark::State& state) { EditWithRedraw<CopyOnce>(state); }
void CopyUndo(benchmark::State& state) { UndoWithRedraw<CopyOnce>(state); }
void Paste(benchmark::State& state) { EditWithRedraw<PasteOnce>(state); }
void PasteUndo(benchmark::State& state) { UndoWithRedraw<PasteOnce>(state); }
void QuarterTurn(benchmark::State& state) { EditWithRedraw<TurnOnce>(state); }
void QuarterTurnUndo(benchmark::State& state) { UndoWithRedraw<TurnOnce>(state); }
void MirrorMove(benchmark::State& state) { EditWithRedraw<MirrorMoveOnce>(state); }
void MirrorMoveUndo(benchmark::State& state) { UndoWithRedraw<MirrorMoveOnce>(state); }
void MirrorCopy(benchmark::State& state) { EditWithRedraw<MirrorCopyOnce>(state); }
void MirrorCopyUndo(benchmark::State& state) { UndoWithRedraw<MirrorCopyOnce>(state); }
void Flip(benchmark::State& state) { EditWithRedraw<FlipOnce>(state); }
void FlipUndo(benchmark::State& state) { UndoWithRedraw<FlipOnce>(state); }
BENCHMARK(Move)->Args({1000000, 100000})->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(MoveUndo)->Args({1000000, 100000})->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Copy)->Args({1000000, 100000})->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(CopyUndo)->Args({1000000, 100000})->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Paste)->Args({1000000, 100000})->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(PasteUndo)->Args({1000000, 100000})->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(QuarterTurn)->Args({1000000, 100000})->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(QuarterTurnUndo)->Args({1000000, 100000})->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(MirrorMove)->Args({1000000, 100000})->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(MirrorMoveUndo)->Args({1000000, 100000})->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(MirrorCopy)->Args({1000000, 100000})->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(MirrorCopyUndo)->Args({1000000, 100000})->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Flip)->Args({1000000, 100000})->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(FlipUndo)->Args({1000000, 100000})->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    return RunGuiBenchmarks(argc, argv);
}
