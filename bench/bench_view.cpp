// The drawing view at scale: a nearest-snap query among a million points, a
// full redraw of 100,000 lines and 10,000 arcs at fit-all on a 1920 x 1080
// view, and the redraw of a zoomed-in corner, which visits only what shows.
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

Scene& Drawing()
{
    static Scene* scene = [] {
        auto* s = new Scene;
        std::mt19937 rng(7);
        std::uniform_real_distribution<double> px(0, ModelW), py(0, ModelH), len(-400, 400), rad(20, 600);
        std::uniform_real_distribution<double> ang(0, 360);
        const int16_t* lineCodes = FixedCodes(EntityType::Line).data();
        const int16_t* arcCodes = FixedCodes(EntityType::Arc).data();
        EntityHeader line{EntityType::Line, 0, 0, 0, 4};
        for (int i = 0; i < 100000; ++i) {
            const double x = px(rng), y = py(rng);
            const double v[4] = {x, y, x + len(rng), y + len(rng)};
            s->doc->list.AddEntity(line, lineCodes, 0, v);
        }
        EntityHeader arc{EntityType::Arc, 1, 0, 0, 5};
        for (int i = 0; i < 10000; ++i) {
            const double v[5] = {px(rng), py(rng), rad(rng), ang(rng), ang(rng)};
            s->doc->list.AddEntity(arc, arcCodes, 0x0000FF, v);
        }
        return s;
    }();
    return *scene;
}

void FullRedrawAtFitAll(benchmark::State& state)
{
    Scene& s = Drawing();
    s.FitAll();
    for (auto _ : state)
        s.Paint();
}
BENCHMARK(FullRedrawAtFitAll)->Unit(benchmark::kMillisecond);

void ZoomedInCornerRedraw(benchmark::State& state)
{
    Scene& s = Drawing();
    s.FitAll();
    s.view->zoom *= 50;  // a corner of 1/50 of the width
    s.view->scrollX = 0;
    s.view->scrollY = 0;
    for (auto _ : state)
        s.Paint();
    s.FitAll();
}
BENCHMARK(ZoomedInCornerRedraw)->Unit(benchmark::kMillisecond);

void NearestSnapAmongAMillionPoints(benchmark::State& state)
{
    static Scene* s = [] {
        auto* scene = new Scene;
        scene->view->zoom = 1;
        EntityHeader h{EntityType::Point, 0, 0, 0, 2};
        const int16_t* codes = FixedCodes(EntityType::Point).data();
        const double v[2] = {0, 0};
        scene->doc->list.AddEntity(h, codes, 0, v);
        CEntity* owner = scene->doc->list.last;
        std::mt19937 rng(11);
        std::uniform_real_distribution<double> px(0, ModelW), py(0, ModelH);
        for (int i = 0; i < 1000000; ++i)
            scene->doc->snaps.AddPoint(px(rng), py(rng), SnapKind::Point, owner);
        scene->doc->snaps.FindNearest(0, 0, 1);  // the first search files the points
        return scene;
    }();
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> cx(0, Width - 1), cy(0, Height - 1);
    double x = 0, y = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(s->view->FindNearestSnapPoint(cx(rng), cy(rng), x, y));
}
BENCHMARK(NearestSnapAmongAMillionPoints)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return RunGuiBenchmarks(argc, argv);
}
