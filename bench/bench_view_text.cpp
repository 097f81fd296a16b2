// The drawing view with texts, hatches and picks: a full redraw of 10,000
// texts and 1,000 hatches at fit-all on a 1920 x 1080 view and of a zoomed-in
// corner of them, and a pick among a million entities through the box index.
#include "GuiBenchMain.h"
#include "view/OrvikCadView.h"
#include "model/Document.h"
#include "model/Settings.h"
#include "platform/PainterDc.h"
#include "model/EntityKinds.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int Width = 1920, Height = 1080;
constexpr double Scale = 100;
constexpr double ModelW = 84000, ModelH = 59400;  // A1 at 1:100

struct Scene {
    std::unique_ptr<COrvikCadDoc> doc;
    std::unique_ptr<COrvikCadView> view;
    QImage image{Width, Height, QImage::Format_RGB32};

    Scene()
    {
        doc = std::make_unique<COrvikCadDoc>();
        view = std::make_unique<COrvikCadView>();
        view->AttachDrawing(doc.get());
        view->resize(Width, Height);
        view->SetScrollSizes(0, 0);
        doc->header.scale = float(Scale);
        view->scale = Scale;
        view->clientW = view->areaW = Width;
        view->clientH = view->areaH = Height;
        view->layerState.fill(2);
        FitAll();
    }
    void FitAll()
    {
        view->windowX0 = 0;
        view->windowY0 = 0;
        view->windowX1 = ModelW;
        view->windowY1 = ModelH;
        view->FitScale();
        view->scrollX = view->scrollY = 0;
    }
    void Paint()
    {
        platform::PainterDc dc(image);
        view->OnDraw(dc);
        dc.Flush();
    }
};

// "ＭＳゴシック" in code page 932.
const char* const Gothic = "\x82\x6c\x82\x72\x83\x53\x83\x56\x83\x62\x83\x4e";

void AddHatch(COrvikCadDoc& doc, int pattern, double x, double y, double w, double h, double spacing, double angle)
{
    std::vector<int16_t> codes = {4, 0, 0, 60, 61, 62, 63};
    std::vector<double> values = {spacing, spacing, angle, x, y, x + w, y + h};
    const double corners[4][2] = {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}};
    for (const auto& c : corners) {
        codes.insert(codes.end(), {10, 20});
        values.insert(values.end(), {c[0], c[1]});
    }
    EntityHeader header{EntityType::Hatch, int16_t(pattern), 0, 0, int16_t(values.size())};
    doc.list.AddEntity(header, codes.data(), 0xFF0000, values.data());
}

Scene& TextsAndHatches()
{
    static Scene* scene = [] {
        auto* s = new Scene;
        std::mt19937 rng(5);
        std::uniform_real_distribution<double> px(0, ModelW), py(0, ModelH), size(200, 800), ang(0, 360);
        std::uniform_int_distribution<int> pattern(0, 3);
        const int16_t* textCodes = FixedCodes(EntityType::Text).data();
        EntityHeader text{EntityType::Text, 0, 0, 0, 5};
        for (int i = 0; i < 10000; ++i) {
            const double h = size(rng) / 2;
            const double v[5] = {px(rng), py(rng), h, h, i % 4 == 0 ? ang(rng) : 0.0};
            s->doc->list.AddEntity(text, textCodes, 0, v, "\x90\x7d\x96\xca 1-A", Gothic);
        }
        for (int i = 0; i < 1000; ++i)
            AddHatch(*s->doc, pattern(rng), px(rng), py(rng), size(rng) * 2, size(rng) * 2, 100, i % 3 ? 0.0 : 45.0);
        return s;
    }();
    return *scene;
}

void FullRedrawOfTextsAndHatches(benchmark::State& state)
{
    Scene& s = TextsAndHatches();
    s.FitAll();
    for (auto _ : state)
        s.Paint();
}
BENCHMARK(FullRedrawOfTextsAndHatches)->Unit(benchmark::kMillisecond);

void ZoomedInCornerOfTextsAndHatches(benchmark::State& state)
{
    Scene& s = TextsAndHatches();
    s.FitAll();
    s.view->zoom *= 20;  // a corner of 1/20 of the width
    s.view->scrollX = 0;
    s.view->scrollY = 0;
    for (auto _ : state)
        s.Paint();
    s.FitAll();
}
BENCHMARK(ZoomedInCornerOfTextsAndHatches)->Unit(benchmark::kMillisecond);

void PickAmongAMillionEntities(benchmark::State& state)
{
    static Scene* s = [] {
        auto* scene = new Scene;
        std::mt19937 rng(9);
        std::uniform_real_distribution<double> px(0, ModelW), py(0, ModelH), len(-400, 400), rad(20, 300);
        const int16_t* lineCodes = FixedCodes(EntityType::Line).data();
        const int16_t* circleCodes = FixedCodes(EntityType::Circle).data();
        EntityHeader line{EntityType::Line, 0, 0, 0, 4}, circle{EntityType::Circle, 0, 0, 0, 3};
        for (int i = 0; i < 1000000; ++i) {
            const double x = px(rng), y = py(rng);
            if (i % 5 == 0) {
                const double v[3] = {x, y, rad(rng)};
                scene->doc->list.AddEntity(circle, circleCodes, 0, v);
            } else {
                const double v[4] = {x, y, x + len(rng), y + len(rng)};
                scene->doc->list.AddEntity(line, lineCodes, 0, v);
            }
        }
        double x, y;
        scene->view->PickEntity(0, 0, 0, x, y);  // builds the index
        return scene;
    }();
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> cx(0, Width - 1), cy(0, Height - 1);
    double x = 0, y = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(s->view->PickEntity(1, cx(rng), cy(rng), x, y));
}
BENCHMARK(PickAmongAMillionEntities)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return RunGuiBenchmarks(argc, argv);
}
