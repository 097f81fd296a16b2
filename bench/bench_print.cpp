// Printing a large drawing: one page of 100,000 lines and 10,000 arcs on a
// 600-dpi A3 PDF page, at true scale and fitted to the page, beside the full
// screen redraw of the same drawing (bench_view's FullRedrawAtFitAll draws
// the same scene). Most of a page's time is the PDF engine compressing the
// page's content stream, which a printer job goes through as well.
#include "GuiBenchMain.h"
#include "view/OrvikCadView.h"
#include "model/Document.h"
#include "platform/PainterDc.h"
#include "model/EntityKinds.h"

#include <QImage>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

constexpr int Width = 1920, Height = 1080;
constexpr double Scale = 100;
constexpr double ModelW = 84000, ModelH = 59400;  // A1 at 1:100

struct Scene {
    std::unique_ptr<COrvikCadDoc> doc = std::make_unique<COrvikCadDoc>();
    std::unique_ptr<COrvikCadView> view = std::make_unique<COrvikCadView>();
    QImage image{Width, Height, QImage::Format_RGB32};
    QTemporaryDir dir;

    Scene()
    {
        view->AttachDrawing(doc.get());
        view->resize(Width, Height);
        view->SetScrollSizes(0, 0);
        doc->header.scale = float(Scale);
        view->scale = Scale;
        view->clientW = view->areaW = Width;
        view->clientH = view->areaH = Height;
        view->paperW = 840;
        view->paperH = 594;
        view->windowX0 = 0;
        view->windowY0 = 0;
        view->windowX1 = ModelW;
        view->windowY1 = ModelH;
        view->FitScale();
        std::mt19937 rng(7);
        std::uniform_real_distribution<double> px(0, ModelW), py(0, ModelH), len(-400, 400), rad(20, 600);
        std::uniform_real_distribution<double> ang(0, 360);
        const int16_t* lineCodes = FixedCodes(EntityType::Line).data();
        const int16_t* arcCodes = FixedCodes(EntityType::Arc).data();
        EntityHeader line{EntityType::Line, 0, 0, 0, 4};
        for (int i = 0; i < 100000; ++i) {
            const double x = px(rng), y = py(rng);
            const double v[4] = {x, y, x + len(rng), y + len(rng)};
            doc->list.AddEntity(line, lineCodes, 0, v);
        }
        EntityHeader arc{EntityType::Arc, 1, 0, 0, 5};
        for (int i = 0; i < 10000; ++i) {
            const double v[5] = {px(rng), py(rng), rad(rng), ang(rng), ang(rng)};
            doc->list.AddEntity(arc, arcCodes, 0x0000FF, v);
        }
    }
    void PrintPage()
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("page.pdf")));
        printer.setPageSize(QPageSize(QPageSize::A3));
        view->PrintPage(printer);
    }
};

Scene& Drawing()
{
    static Scene* scene = new Scene;
    return *scene;
}

void ScreenRedraw(benchmark::State& state)
{
    Scene& s = Drawing();
    for (auto _ : state) {
        platform::PainterDc dc(s.image);
        s.view->OnDraw(dc);
        dc.Flush();
    }
}
BENCHMARK(ScreenRedraw)->Unit(benchmark::kMillisecond);

void PrintTrueScale(benchmark::State& state)
{
    Scene& s = Drawing();
    s.view->printFit = 0;
    for (auto _ : state)
        s.PrintPage();
}
BENCHMARK(PrintTrueScale)->Unit(benchmark::kMillisecond);

void PrintFitToPage(benchmark::State& state)
{
    Scene& s = Drawing();
    s.view->printFit = 1;
    for (auto _ : state)
        s.PrintPage();
    s.view->printFit = 0;
}
BENCHMARK(PrintFitToPage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunGuiBenchmarks(argc, argv);
}
