// Editing at drawing sizes: what one edit costs the model and the indexes
// that follow it (snap points with their crossing index, and the view's
// paint/pick index brought in step as the next paint does), and what opening
// a large drawing costs in time and memory.
//
// BM_DeleteAndAdd: one entity deleted and one line added, as two edits.
// BM_UndoRedo: one toggle of the undo step (an add taken back or brought
// back). Both should stay flat from 10 000 to 1 000 000 lines.
// BM_DeleteOneAndUndo: one entity deleted as the tools delete it
// (DeleteEntities with the one entity), the paint after it, its undo and
// the paint after that; flat from 10 000 to 1 000 000 lines.
// BM_DeleteOneAndUndoUnderWholeView: the same delete and undo while a view
// of the whole sheet keeps its answer; flat as well.
// BM_QueryAmongLongLines: a zoomed-in paint's query and a new line's
// crossing candidates in 100 000 short lines under a grid of long ones
// (0 to 4 000 lines across the whole sheet); should not grow with the grid.
// BM_OpenShortLines: read a file of short random lines with snap points and
// show it whole as the view's first paint does (the view's index is asked
// whether the sheet covers the drawing); bytes_per_entity counts every
// structure then held.
// BM_OpenCrossingLines: as BM_OpenShortLines, with every horizontal line
// crossing every vertical one.
// BM_FirstUseAfterOpen: what the first snap search and the first zoomed-in
// paint after an open add (the structures they build), in time and bytes.

#include "model/DrawingFile.h"
#include "model/EditProtocol.h"
#include "model/EntityBoxIndex.h"
#include "model/EntityIndex.h"
#include "model/EntityList.h"
#include "model/SnapPointList.h"
#include "model/EntityKinds.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <chrono>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr double SheetWidth = 84100.0;
constexpr double SheetHeight = 59400.0;
const int16_t* LineCodes = FixedCodes(EntityType::Line).data();

void AddLine(CEntityList& list, double x1, double y1, double x2, double y2)
{
    const double values[4] = {x1, y1, x2, y2};
    list.AddEntity({EntityType::Line, 0, 1, 0, 4}, LineCodes, 0, values);
}

void AddShortLines(CEntityList& list, int n, uint32_t seed)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> x(0, SheetWidth), y(0, SheetHeight), d(-250, 250);
    for (int i = 0; i < n; ++i) {
        const double x1 = x(rng), y1 = y(rng);
        AddLine(list, x1, y1, x1 + d(rng), y1 + d(rng));
    }
}

const EntityIndex::Box WholeSheet{0, 0, SheetWidth, SheetHeight};

struct Drawing;
void Paint(Drawing& d, std::vector<CEntity*>& out);

struct Drawing {
    CEntityList list;
    CSnapPointList snaps;
    EntityIndex index;
    std::vector<CEntity*> originals;
    std::size_t nextVictim = 0;

    explicit Drawing(int n)
    {
        snaps.Follow(list);
        AddShortLines(list, n, 42);
        for (CEntity* e = list.first; e; e = e->next) {
            snaps.AddEntityPoints(e);
            originals.push_back(e);
        }
        // The structures a first zoomed-in paint and a first snap search
        // build, so that the edits find them in place.
        std::vector<CEntity*> shown;
        Paint(*this, shown);
        benchmark::DoNotOptimize(snaps.FindNearest(1000, 1000, 100));
    }
};

// Iterations of each edit benchmark: enough that a run is not decided by a
// few slow ones, few enough that five repetitions of the deleting
// benchmarks find victims in the smallest drawing, and that the lines
// BM_DeleteAndAdd adds (one unit apart from x = 100) stay out of the
// painted rectangle.
constexpr int EditIterations = 400;

Drawing& DrawingOf(int n)
{
    static std::map<int, std::unique_ptr<Drawing>> drawings;
    auto& d = drawings[n];
    if (!d)
        d = std::make_unique<Drawing>(n);
    return *d;
}

// A small view-sized rectangle, as a zoomed-in paint would ask for.
void Paint(Drawing& d, std::vector<CEntity*>& out)
{
    d.index.Sync(d.list);
    d.index.Query({1000, 1000, 2000, 2000}, out);
}

void BM_DeleteAndAdd(benchmark::State& state)
{
    Drawing& d = DrawingOf(static_cast<int>(state.range(0)));
    std::vector<CEntity*> shown;
    double x = 100;
    for (auto _ : state) {
        if (d.nextVictim >= d.originals.size())
            state.SkipWithError("ran out of entities to delete");
        CEntity* victim = d.originals[d.nextVictim++];
        BeginEdit(d.list, &d.snaps);
        MoveEntityToUndo(d.list, &d.snaps, victim);
        BeginEdit(d.list, &d.snaps);
        AddLine(d.list, x, 100, x + 50, 150);
        d.snaps.AddEntityPoints(d.list.last);
        FinishAddedRun(d.list, d.list.last);
        x += 1;
        Paint(d, shown);
        benchmark::DoNotOptimize(shown.data());
    }
    // Leave no step pending for the next benchmark on this drawing.
    BeginEdit(d.list, &d.snaps);
}
BENCHMARK(BM_DeleteAndAdd)->Arg(10000)->Arg(100000)->Arg(1000000)->Iterations(EditIterations)->Unit(benchmark::kMicrosecond);

void BM_UndoRedo(benchmark::State& state)
{
    Drawing& d = DrawingOf(static_cast<int>(state.range(0)));
    BeginEdit(d.list, &d.snaps);
    AddLine(d.list, 10, 10, 60, 60);
    d.snaps.AddEntityPoints(d.list.last);
    FinishAddedRun(d.list, d.list.last);
    std::vector<CEntity*> shown;
    for (auto _ : state) {
        d.list.UndoRedo();
        Paint(d, shown);
        benchmark::DoNotOptimize(shown.data());
    }
    BeginEdit(d.list, &d.snaps);
}
BENCHMARK(BM_UndoRedo)->Arg(10000)->Arg(100000)->Arg(1000000)->Iterations(EditIterations)->Unit(benchmark::kMicrosecond);

void BM_DeleteOneAndUndo(benchmark::State& state)
{
    Drawing& d = DrawingOf(static_cast<int>(state.range(0)));
    std::vector<CEntity*> shown;
    for (auto _ : state) {
        if (d.nextVictim >= d.originals.size())
            state.SkipWithError("ran out of entities to delete");
        CEntity* const doomed[] = {d.originals[d.nextVictim++]};
        DeleteEntities(d.list, &d.snaps, doomed);
        Paint(d, shown);
        d.list.UndoRedo();
        Paint(d, shown);
        benchmark::DoNotOptimize(shown.data());
    }
    BeginEdit(d.list, &d.snaps);
}
BENCHMARK(BM_DeleteOneAndUndo)->Arg(10000)->Arg(100000)->Arg(1000000)->Iterations(EditIterations)->Unit(benchmark::kMicrosecond);

void BM_DeleteOneAndUndoUnderWholeView(benchmark::State& state)
{
    // As above, with a view of the whole sheet open beside: its kept answer
    // (every entity) follows each delete and undo.
    Drawing& d = DrawingOf(static_cast<int>(state.range(0)));
    EntityIndex whole;
    std::vector<CEntity*> shown;
    whole.Sync(d.list);
    whole.Query(WholeSheet, shown);
    for (auto _ : state) {
        if (d.nextVictim >= d.originals.size())
            state.SkipWithError("ran out of entities to delete");
        CEntity* const doomed[] = {d.originals[d.nextVictim++]};
        DeleteEntities(d.list, &d.snaps, doomed);
        d.list.UndoRedo();
    }
    BeginEdit(d.list, &d.snaps);
    whole.Query(WholeSheet, shown);
    benchmark::DoNotOptimize(shown.data());
}
BENCHMARK(BM_DeleteOneAndUndoUnderWholeView)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(EditIterations)
    ->Unit(benchmark::kMicrosecond);

void BM_QueryAmongLongLines(benchmark::State& state)
{
    const int grid = static_cast<int>(state.range(0));
    CEntityList list;
    for (int i = 0; i < grid / 2; ++i) {
        const double y = SheetHeight * (i + 0.5) / (grid / 2);
        const double x = SheetWidth * (i + 0.5) / (grid / 2);
        AddLine(list, 0, y, SheetWidth, y);
        AddLine(list, x, 0, x, SheetHeight);
    }
    AddShortLines(list, 100000, 7);
    EntityIndex index;
    EntityBoxIndex crossings;
    crossings.Follow(&list);
    index.Sync(list);
    std::vector<CEntity*> shown, candidates;
    index.Query({0, 0, 1, 1}, shown);
    crossings.Prepare();
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> x(0, SheetWidth - 500), y(0, SheetHeight - 500);
    for (auto _ : state) {
        // A different rectangle each time, so that no answer is kept.
        const double qx = x(rng), qy = y(rng);
        index.Query({qx, qy, qx + 500, qy + 500}, shown);
        AddLine(list, qx, qy, qx + 100, qy + 50);
        crossings.Candidates(list.last, candidates);
        MoveEntityToUndo(list, nullptr, list.last);
        BeginEdit(list, nullptr);
        benchmark::DoNotOptimize(shown.data());
        benchmark::DoNotOptimize(candidates.data());
    }
}
BENCHMARK(BM_QueryAmongLongLines)->Arg(0)->Arg(1000)->Arg(4000)->Unit(benchmark::kMicrosecond);

std::vector<uint8_t> FileOf(CEntityList& source)
{
    CDrawingFile file;
    file.layers.count = 1;
    file.layers.names[0] = "Layer1";
    file.layers.states[0] = 1;
    std::vector<uint8_t> bytes;
    file.WriteDrawing(bytes, source.first);
    return bytes;
}

std::size_t HeapInUse()
{
    // Blocks the allocator maps on their own (large tables, node blocks)
    // count as well as those it carves from its arenas.
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

struct Opened {
    std::unique_ptr<CEntityList> list = std::make_unique<CEntityList>();
    std::unique_ptr<CSnapPointList> snaps = std::make_unique<CSnapPointList>();
    std::unique_ptr<EntityIndex> index = std::make_unique<EntityIndex>();

    ~Opened()
    {
        index.reset();
        snaps.reset();
        list.reset();
    }
};

// Reads the file and paints the whole sheet as the view does.
bool Open(Opened& o, const std::vector<uint8_t>& bytes)
{
    CDrawingFile file;
    if (file.ReadDrawing(bytes, *o.list, *o.snaps) != DrawingFileOk)
        return false;
    o.index->Sync(*o.list);
    std::vector<CEntity*> shown;
    if (o.index->Covers(WholeSheet)) {
        for (CEntity* e = o.list->first; e; e = e->next)
            shown.push_back(e);
    } else {
        o.index->Query(WholeSheet, shown);
    }
    benchmark::DoNotOptimize(shown.data());
    return true;
}

void MeasureOpen(benchmark::State& state, const std::vector<uint8_t>& bytes, int n)
{
    double perEntity = 0;
    for (auto _ : state) {
        const std::size_t before = HeapInUse();
        auto opened = std::make_unique<Opened>();
        if (!Open(*opened, bytes))
            state.SkipWithError("read failed");
        state.PauseTiming();
        perEntity = static_cast<double>(HeapInUse() - before) / n;
        opened.reset();
        state.ResumeTiming();
    }
    state.counters["bytes_per_entity"] = perEntity;
    state.counters["per_entity"] = benchmark::Counter(
        static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

std::vector<uint8_t> ShortLinesFile(int n)
{
    CEntityList source;
    AddShortLines(source, n, 9);
    return FileOf(source);
}

void BM_OpenShortLines(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    MeasureOpen(state, ShortLinesFile(n), n);
}
BENCHMARK(BM_OpenShortLines)->Arg(100000)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_OpenCrossingLines(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    std::vector<uint8_t> bytes;
    {
        CEntityList source;
        const double length = n;  // lines one unit apart, each as long as the whole set is wide
        for (int i = 0; i < n / 2; ++i) {
            AddLine(source, 0.5, i + 0.25, length, i + 0.25);
            AddLine(source, i + 0.75, 0.5, i + 0.75, length);
        }
        bytes = FileOf(source);
    }
    MeasureOpen(state, bytes, n);
}
BENCHMARK(BM_OpenCrossingLines)->Arg(2000)->Arg(4000)->Arg(8000)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_FirstUseAfterOpen(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const std::vector<uint8_t> bytes = ShortLinesFile(n);
    double perEntity = 0, snapPerEntity = 0, snapSeconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto opened = std::make_unique<Opened>();
        if (!Open(*opened, bytes))
            state.SkipWithError("read failed");
        const std::size_t before = HeapInUse();
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(opened->snaps->FindNearest(SheetWidth / 2, SheetHeight / 2, 500.0));
        snapSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.PauseTiming();
        const std::size_t afterSnap = HeapInUse();
        state.ResumeTiming();
        std::vector<CEntity*> shown;
        opened->index->Query({1000, 1000, 2000, 2000}, shown);
        benchmark::DoNotOptimize(shown.data());
        state.PauseTiming();
        perEntity = static_cast<double>(HeapInUse() - before) / n;
        snapPerEntity = static_cast<double>(afterSnap - before) / n;
        opened.reset();
        state.ResumeTiming();
    }
    // All that the first use adds, and of that what the first snap search
    // adds (the snap points' tree and the crossing index).
    state.counters["bytes_per_entity"] = perEntity;
    state.counters["snap_bytes_per_entity"] = snapPerEntity;
    state.counters["snap_ms"] = snapSeconds * 1000;
}
BENCHMARK(BM_FirstUseAfterOpen)->Arg(100000)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
