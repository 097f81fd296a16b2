// The delete tool and the selection tool's move outline at scale.
//
// CrossingDelete / AreaDelete: a drawing of 1,000,000 lines of which 100,000
// lie across a crossing line (inside a rectangle); one delete of those
// 100,000 with the full redraw after it, and its undo with the redraw.
// MoveOutline: one mouse move of a move drag over 100,000 selected lines,
// beside one full redraw of the same drawing (FullRedraw).
// WindowSelect / ClickSelect / DragMove / DragMoveUndo: the selection tool
// on the same drawing: a window over the 100,000 lines across y = 0, a
// click on one of them, and the release of a move drag of those 100,000
// with the full redraw after it, and its undo.
#include "BenchScene.h"
#include "GuiBenchMain.h"

#include "edit_tools/DeleteTool.h"
#include "edit_tools/SelectTool.h"
#include "model/Document.h"
#include "view/OrvikCadView.h"
#include "view/ToolList.h"
#include "view/ToolState.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

using bench::Height;
using bench::Scene;
using bench::Width;

void CrossDeleteOnce(Scene& s)
{
    CDeleteTool& tool = bench::ToolOf<CDeleteTool>();
    tool.X[0] = -10;
    tool.Y[0] = 0;
    tool.X[1] = 80010;
    tool.Y[1] = 0;
    tool.DeleteCrossedRecords(s.view.get());
}

void AreaDeleteOnce(Scene& s)
{
    CDeleteTool& tool = bench::ToolOf<CDeleteTool>();
    tool.SelectInRect(s.view.get(), -10, -30, 80010, 30, EntityState::Highlighted);
    CDeleteTool::DeleteWithMembers(s.view.get(),
                                   tool.MarkRecordsInArea(s.view.get(), 0, 0, DeleteKindFlags{}));
}

void UndoOnce(Scene& s)
{
    bench::ToolOf<CDeleteTool>().Undo(s.view.get());
}

template <void (*Delete)(Scene&)>
void DeleteWithRedraw(benchmark::State& state)
{
    Scene& s = bench::AcrossScene(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        Delete(s);
        s.view->RedrawNow();
        state.PauseTiming();
        UndoOnce(s);
        s.view->RedrawNow();
        state.ResumeTiming();
    }
}

template <void (*Delete)(Scene&)>
void UndoWithRedraw(benchmark::State& state)
{
    Scene& s = bench::AcrossScene(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        state.PauseTiming();
        Delete(s);
        s.view->RedrawNow();
        state.ResumeTiming();
        UndoOnce(s);
        s.view->RedrawNow();
    }
}

void CrossingDelete(benchmark::State& state) { DeleteWithRedraw<CrossDeleteOnce>(state); }
void CrossingDeleteUndo(benchmark::State& state) { UndoWithRedraw<CrossDeleteOnce>(state); }
void AreaDelete(benchmark::State& state) { DeleteWithRedraw<AreaDeleteOnce>(state); }
void AreaDeleteUndo(benchmark::State& state) { UndoWithRedraw<AreaDeleteOnce>(state); }
BENCHMARK(CrossingDelete)->Args({1000000, 100000})->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(CrossingDeleteUndo)->Args({1000000, 100000})->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(AreaDelete)->Args({1000000, 100000})->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(AreaDeleteUndo)->Args({1000000, 100000})->Unit(benchmark::kMillisecond)->Iterations(3);

// A move drag armed on every line of the drawing; each iteration is one
// mouse move (the outline erased and drawn again elsewhere).
void MoveOutline(benchmark::State& state)
{
    Scene& s = bench::AcrossScene(static_cast<int>(state.range(0)), 0);
    CreateTools();
    auto* tool = static_cast<CSelectTool*>(ToolList.GetAt(0));
    for (CEntity* e = s.doc->list.first; e; e = e->next)
        if (e->type == EntityType::Line)
            e->state = EntityState::Selected;
    s.view->RedrawNow();
    CurrentToolId = ToolId::Select;
    ToolSubMode = 0;
    ButtonDownPending = 1;
    tool->m_selectState = 2;
    tool->m_dragKind = 0;
    tool->m_dragStart = {Width / 2, Height / 2};
    tool->anchor = tool->corner = tool->m_dragStart;
    int i = 0;
    for (auto _ : state) {
        platform::Point p{Width / 2 + 40 + (i % 2) * 30, Height / 2 + 20};
        tool->OnMouseMove(s.view.get(), ToolFlags::LButton, &p);
        ++i;
    }
    tool->EndDragPreview();
    tool->m_selectState = 0;
    ButtonDownPending = 0;
    for (CEntity* e = s.doc->list.first; e; e = e->next)
        e->state = EntityState::Normal;
}
BENCHMARK(MoveOutline)->Arg(100000)->Unit(benchmark::kMillisecond);

void FullRedraw(benchmark::State& state)
{
    Scene& s = bench::AcrossScene(static_cast<int>(state.range(0)), 0);
    for (CEntity* e = s.doc->list.first; e; e = e->next)
        if (e->type == EntityType::Line)
            e->state = EntityState::Selected;
    for (auto _ : state)
        s.view->RedrawNow();
    for (CEntity* e = s.doc->list.first; e; e = e->next)
        e->state = EntityState::Normal;
}
BENCHMARK(FullRedraw)->Arg(100000)->Unit(benchmark::kMillisecond);

void ClearSelection(Scene& s)
{
    for (CEntity* e = s.doc->list.first; e; e = e->next)
        e->state = EntityState::Normal;
    s.doc->snaps.CopyStatesFromEntities();
}

// The lines across y = 0 selected by a window, as the tool does it.
void WindowOverTheCrossingLines(Scene& s)
{
    CSelectTool& tool = bench::ToolOf<CSelectTool>();
    tool.anchor = {s.view->XToDevice(-10), s.view->YToDevice(-90)};
    tool.SelectInWindow(s.view.get(), {s.view->XToDevice(80010), s.view->YToDevice(90)}, EntityState::Selected);
}

void WindowSelect(benchmark::State& state)
{
    Scene& s = bench::AcrossScene(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    CurrentToolId = ToolId::Select;
    ToolSubMode = 0;
    int selected = 0;
    for (auto _ : state) {
        WindowOverTheCrossingLines(s);
        state.PauseTiming();
        selected = 0;
        for (const CEntity* e = s.doc->list.first; e; e = e->next)
            selected += e->state == EntityState::Selected;
        ClearSelection(s);
        state.ResumeTiming();
    }
    state.counters["selected"] = selected;
}
BENCHMARK(WindowSelect)->Args({1000000, 100000})->Unit(benchmark::kMillisecond)->Iterations(3);

// Each iteration toggles one line on or off.
void ClickSelect(benchmark::State& state)
{
    Scene& s = bench::AcrossScene(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    CurrentToolId = ToolId::Select;
    ToolSubMode = 0;
    CSelectTool& tool = bench::ToolOf<CSelectTool>();
    const platform::Point on{s.view->XToDevice(40000), s.view->YToDevice(0)};
    for (auto _ : state)
        tool.SelectAtPoint(s.view.get(), on, EntityState::Selected);
    ClearSelection(s);
}
BENCHMARK(ClickSelect)->Args({1000000, 100000})->Unit(benchmark::kMillisecond);

void ReleaseMoveDrag(Scene& s)
{
    CSelectTool& tool = bench::ToolOf<CSelectTool>();
    tool.m_dragStart = {Width / 2, Height / 2};
    tool.ApplyMove(s.view.get(), {Width / 2 + 37, Height / 2 + 23});
}

// The magnet of a move drag alone: every vertex of the 100,000 selected
// lines looked up among the snap and grid points.
void MoveMagnet(benchmark::State& state)
{
    Scene& s = bench::AcrossScene(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    CurrentToolId = ToolId::Select;
    WindowOverTheCrossingLines(s);
    CSelectTool& tool = bench::ToolOf<CSelectTool>();
    tool.m_dragStart = {Width / 2, Height / 2};
    for (auto _ : state)
        benchmark::DoNotOptimize(tool.SnapMoveVector(s.view.get(), {Width / 2 + 37, Height / 2 + 23}));
    ClearSelection(s);
}
BENCHMARK(MoveMagnet)->Args({1000000, 100000})->Unit(benchmark::kMillisecond)->Iterations(3);

void DragMove(benchmark::State& state)
{
    Scene& s = bench::AcrossScene(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    CurrentToolId = ToolId::Select;
    for (auto _ : state) {
        state.PauseTiming();
        WindowOverTheCrossingLines(s);
        state.ResumeTiming();
        ReleaseMoveDrag(s);
        s.view->RedrawNow();
        state.PauseTiming();
        UndoOnce(s);
        // The undone copies' snap points stay in the search tree, dead, until
        // the step is dropped; the same drag again would land on them.
        s.doc->list.DiscardUndo(&s.doc->snaps);
        s.view->RedrawNow();
        state.ResumeTiming();
    }
}
BENCHMARK(DragMove)->Args({1000000, 100000})->Unit(benchmark::kMillisecond)->Iterations(3);

void DragMoveUndo(benchmark::State& state)
{
    Scene& s = bench::AcrossScene(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    CurrentToolId = ToolId::Select;
    for (auto _ : state) {
        state.PauseTiming();
        WindowOverTheCrossingLines(s);
        ReleaseMoveDrag(s);
        s.view->RedrawNow();
        state.ResumeTiming();
        UndoOnce(s);
        s.view->RedrawNow();
    }
}
BENCHMARK(DragMoveUndo)->Args({1000000, 100000})->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    return RunGuiBenchmarks(argc, argv);
}
