// Entity list costs: appending lines, and a whole undo/redo cycle.

#include "model/EditProtocol.h"
#include "model/EntityList.h"
#include "model/SnapPointList.h"
#include "model/EntityKinds.h"

#include <benchmark/benchmark.h>

namespace {

void AddLines(CEntityList& list, int64_t n)
{
    const int16_t* codes = FixedCodes(EntityType::Line).data();
    for (int64_t i = 0; i < n; ++i) {
        const double values[] = {double(i), 0, double(i), 10};
        list.AddEntity({EntityType::Line, 0, 1, 0, 4}, codes, 0, values);
    }
}

void BM_AddLines(benchmark::State& state)
{
    for (auto _ : state) {
        CEntityList list;
        AddLines(list, state.range(0));
        benchmark::DoNotOptimize(list.last);
        state.PauseTiming();
        list.RemoveAll();
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_AddLines)->Arg(10000)->Arg(100000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

// Delete every line, undo (they come back), redo (removed again), undo, and
// the next edit's discard; then an add run undone, redone and discarded.
void BM_UndoRedoCycle(benchmark::State& state)
{
    const int64_t n = state.range(0);
    for (auto _ : state) {
        state.PauseTiming();
        CEntityList list;
        AddLines(list, n);
        state.ResumeTiming();

        BeginEdit(list, nullptr);
        for (CEntity* e = list.first; e; e = e->next)
            e->state = EntityState::Deleted;
        list.MoveDeletedToUndo();
        list.UndoRedo();
        list.UndoRedo();
        list.UndoRedo();
        BeginEdit(list, nullptr);

        CEntity* before = list.last;
        AddLines(list, 1);
        FinishAddedRun(list, before ? before->next : list.first);
        list.UndoRedo();
        list.UndoRedo();
        BeginEdit(list, nullptr);
        benchmark::DoNotOptimize(list.last);

        state.PauseTiming();
        list.RemoveAll();
        state.ResumeTiming();
    }
    state.SetComplexityN(n);
}
BENCHMARK(BM_UndoRedoCycle)->Arg(10000)->Arg(100000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
