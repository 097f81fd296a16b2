// The move tool's engine at scale: a drawing of 1,000,000 lines of which
// 100,000 are marked (or selected); one move, copy, paste or quarter turn of
// those 100,000 with the full redraw after it, and its undo with the redraw;
// the same for the mirror move, mirror copy and flip.
#include "BenchScene.h"
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


namespace {

using bench::Scene;

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
    CMoveTool& tool = bench::ToolOf<CMoveTool>();
    Shift(tool);
    tool.TransformSelection(s.view.get(), 0, 1, 1.0, 0.0);
}

void CopyOnce(Scene& s)
{
    CMoveTool& tool = bench::ToolOf<CMoveTool>();
    Shift(tool);
    tool.TransformSelection(s.view.get(), 0, 0, 1.0, 0.0);
}

void PasteOnce(Scene& s)
{
    CMoveTool& tool = bench::ToolOf<CMoveTool>();
    Shift(tool);
    tool.TransformSelection(s.view.get(), 1, 0, 1.0, 0.0);
}

void TurnOnce(Scene& s)
{
    CMoveTool::RotateSelection90(s.view.get(), 0);
}

void MirrorMoveOnce(Scene& s)
{
    CMoveTool& tool = bench::ToolOf<CMoveTool>();
    tool.X[2] = 40000;
    tool.Y[2] = 0;
    tool.MirrorSelection(s.view.get(), 0, 1);
}

void MirrorCopyOnce(Scene& s)
{
    CMoveTool& tool = bench::ToolOf<CMoveTool>();
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
            bench::ToolOf<CMoveTool>().CopySelectionToBuffer(s.view.get());
        }
    } else {
        MarkAcross(s, EntityState::Marked);
    }
    s.doc->list.DiscardUndo(&s.doc->snaps);
}

void UndoOnce(Scene& s)
{
    bench::ToolOf<CMoveTool>().Undo(s.view.get());
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
    Scene& s = bench::AcrossScene(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
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
    Scene& s = bench::AcrossScene(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
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
