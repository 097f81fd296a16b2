// Writing and reading a native drawing file of 100,000 mixed entities.

#include "model/DrawingFile.h"
#include "model/EntityList.h"
#include "model/SnapPointList.h"
#include "model/EntityKinds.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kEntities = 100000;

void Add(CEntityList& list, int16_t type, int16_t subtype, std::vector<int16_t> codes, const std::vector<double>& values,
         const std::string& text = {})
{
    EntityHeader h{type, subtype, 1, static_cast<int16_t>(type % 10), static_cast<int16_t>(values.size())};
    codes.resize(values.size(), 0);
    list.AddEntity(h, codes.data(), 0x000000FF, values.data(), text, {});
}

// Lines, circles, arcs, texts, curves, freehand curves and polygons.
void FillDrawing(CEntityList& list)
{
    for (int i = 0; i < kEntities; ++i) {
        const double x = (i % 1000) * 1.5, y = (i / 1000) * 2.5;
        switch (i % 8) {
        case 0:
        case 1: Add(list, 20, 0, CodesOf(EntityType::Line), {x, y, x + 10, y + 5}); break;
        case 2: Add(list, 30, 0, CodesOf(EntityType::Circle), {x, y, 3}); break;
        case 3: Add(list, 31, 1, CodesOf(EntityType::Arc), {x, y, 4, 10, 200}); break;
        case 4: Add(list, 40, 0, CodesOf(EntityType::Text), {x, y, 5, 5, 0}, "Text " + std::to_string(i)); break;
        case 5: Add(list, 24, 0, *LayoutCodes(EntityType::Curve, 0, 8), {x, y, x + 1, y + 2, x + 3, y, x + 4, y + 1}); break;
        case 6: {
            std::vector<double> v;
            for (int k = 0; k < 20; ++k) v.insert(v.end(), {x + k, y + (k % 3)});
            Add(list, 26, 0, {}, v);
            break;
        }
        default: Add(list, 90, 0, {}, {x, y, x + 5, y, x + 5, y + 5, x, y + 5}); break;
        }
    }
}

CDrawingFile MakeFile()
{
    CDrawingFile f;
    f.layers.count = 10;
    for (int i = 0; i < 10; ++i) {
        f.layers.names[i] = "Layer" + std::to_string(i + 1);
        f.layers.states[i] = 1;
    }
    return f;
}

void BM_WriteDrawing(benchmark::State& state)
{
    CEntityList list;
    FillDrawing(list);
    const CDrawingFile file = MakeFile();
    std::vector<uint8_t> bytes;
    for (auto _ : state) {
        file.WriteDrawing(bytes, list.first);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
    state.counters["entities"] = kEntities;
}
BENCHMARK(BM_WriteDrawing)->Unit(benchmark::kMillisecond);

void BM_ReadDrawing(benchmark::State& state)
{
    CEntityList source;
    FillDrawing(source);
    std::vector<uint8_t> bytes;
    MakeFile().WriteDrawing(bytes, source.first);
    for (auto _ : state) {
        CEntityList list;
        CSnapPointList snaps;
        CDrawingFile file;
        benchmark::DoNotOptimize(file.ReadDrawing(bytes, list, snaps));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
    state.counters["entities"] = kEntities;
}
BENCHMARK(BM_ReadDrawing)->Unit(benchmark::kMillisecond);

// The same file read without snap points (the part-file path): the cost of
// decoding and adding alone.
void BM_ReadParts(benchmark::State& state)
{
    CEntityList source;
    FillDrawing(source);
    std::vector<uint8_t> bytes;
    MakeFile().WriteDrawing(bytes, source.first);
    for (auto _ : state) {
        CEntityList list;
        CDrawingFile file;
        benchmark::DoNotOptimize(file.ReadParts(bytes, list));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
    state.counters["entities"] = kEntities;
}
BENCHMARK(BM_ReadParts)->Unit(benchmark::kMillisecond);

// Reading a file of a million lines (80 MB) from disk into memory, the step
// before it is decoded.
void BM_ReadFileImage(benchmark::State& state)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "orvik_bench_image.orv";
    {
        CEntityList source;
        const int16_t* codes = FixedCodes(EntityType::Line).data();
        for (int i = 0; i < 1000000; ++i) {
            const double v[4] = {double(i % 1000), double(i / 1000), double(i % 1000) + 5, double(i / 1000) + 5};
            source.AddEntity({EntityType::Line, 0, 1, 0, 4}, codes, 0, v);
        }
        if (MakeFile().SaveDrawing(path, source.first) != DrawingFileOk) {
            state.SkipWithError("write failed");
            return;
        }
    }
    std::size_t size = 0;
    for (auto _ : state) {
        std::vector<uint8_t> bytes;
        benchmark::DoNotOptimize(ReadDrawingFileImage(path, bytes));
        size = bytes.size();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
    std::filesystem::remove(path);
}
BENCHMARK(BM_ReadFileImage)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
