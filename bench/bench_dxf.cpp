// Reading, opening and writing DXF drawings of 100,000 entities.

#include "exchange/DxfFile.h"
#include "exchange/DocumentImport.h"
#include "model/Document.h"
#include "model/ForeignDrawing.h"
#include "model/EntityList.h"
#include "model/Settings.h"
#include "model/EntityKinds.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kLines = 100000;

// 100,000 LINE records with all six coordinates, about 13 MB.
const std::string& LineFile()
{
    static const std::string text = [] {
        std::string s = "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$EXTMAX\r\n 10\r\n42000.0\r\n 20\r\n29700.0\r\n"
                        "  9\r\n$LTSCALE\r\n 40\r\n100.0\r\n  0\r\nENDSEC\r\n  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
        char buf[256];
        for (int i = 0; i < kLines; ++i) {
            const double x = (i % 1000) * 15.123456, y = (i / 1000) * 25.654321;
            int n = std::snprintf(buf, sizeof buf,
                                  "  0\r\nLINE\r\n  8\r\nPEN1\r\n 10\r\n%.6f\r\n 20\r\n%.6f\r\n 30\r\n0.0\r\n 11\r\n%.6f\r\n"
                                  " 21\r\n%.6f\r\n 31\r\n0.0\r\n  6\r\nCONTINUOUS\r\n",
                                  x - 21000, y - 14850, x + 10.5 - 21000, y + 5.25 - 14850);
            s.append(buf, static_cast<std::size_t>(n));
        }
        s += "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
        return s;
    }();
    return text;
}

void BM_DxfRead(benchmark::State& state)
{
    const std::string& text = LineFile();
    for (auto _ : state) {
        CEntityList list;
        CDxfFile dxf;
        benchmark::DoNotOptimize(dxf.ReadText(text, list));
        state.PauseTiming();
        list.RemoveAll();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_DxfRead)->Unit(benchmark::kMillisecond);

// Opening as a new drawing: read, move by the origin, register snap points.
void BM_DxfOpen(benchmark::State& state)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "orvik-bench-dxf";
    std::filesystem::create_directories(folder / "data");
    DataFolder = (folder / "data").string();
    const std::filesystem::path file = folder / "lines.dxf";
    std::ofstream(file, std::ios::binary) << LineFile();
    for (auto _ : state) {
        state.PauseTiming();
        auto* doc = new COrvikCadDoc;
        state.ResumeTiming();
        ForeignDrawing read;
        if (ReadDxfDrawing(file, read)) doc->BuildFromForeign(read);
        benchmark::DoNotOptimize(doc->list.first);
        state.PauseTiming();
        delete doc;
        state.ResumeTiming();
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_DxfOpen)->Unit(benchmark::kMillisecond);

void BM_DxfWrite(benchmark::State& state)
{
    CEntityList list;
    for (int i = 0; i < kLines; ++i) {
        const double x = (i % 1000) * 15.123456, y = (i / 1000) * 25.654321;
        switch (i % 4) {
        case 0:
        case 1: {
            const int16_t* codes = FixedCodes(EntityType::Line).data();
            const double v[] = {x, y, x + 10.5, y + 5.25};
            list.AddEntity(EntityHeader{20, 0, 203, 0, 4}, codes, 0, v);
            break;
        }
        case 2: {
            const int16_t* codes = FixedCodes(EntityType::Arc).data();
            const double v[] = {x, y, 4.75, 10, 200};
            list.AddEntity(EntityHeader{31, 1, 1, 0, 5}, codes, 0, v);
            break;
        }
        default: {
            const int16_t* codes = FixedCodes(EntityType::Text).data();
            const double v[] = {x, y, 3.5, 3.5, 0};
            list.AddEntity(EntityHeader{40, 0, 2, 0, 5}, codes, 0, v, "Text", DefaultTextFont);
            break;
        }
        }
    }
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string out;
        CDxfFile dxf;
        dxf.OriginX = 21000;
        dxf.OriginY = 14850;
        dxf.WriteText(out, list.first);
        bytes = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_DxfWrite)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
