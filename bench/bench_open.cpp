// Opening a drawing of short random lines in the application as a person
// does, up to its first paint: the frame is up, the file is read, the
// drawing window comes up, its view is fitted, and the paint event that
// follows puts the drawing on the screen.
#include "GuiBenchMain.h"
#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "app/OrvikCadApp.h"
#include "model/Document.h"
#include "view/OrvikCadView.h"
#include "model/EntityKinds.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

QString ShortLinesFile(const QDir& folder, int n)
{
    COrvikCadDoc source;
    source.header.scale = 100.0f;
    source.header.paperIndex = 1;  // A1 across
    source.ExtentsMin = {0, 0, 0};
    source.ExtentsMax = {84100, 59400, 0};
    source.DrawingSettingsBlock.SetDisplayColor(0, 0xFFFFFF);
    std::mt19937 rng(9);
    std::uniform_real_distribution<double> px(0, 84100), py(0, 59400), d(-250, 250);
    const int16_t* codes = FixedCodes(EntityType::Line).data();
    for (int i = 0; i < n; ++i) {
        const double x = px(rng), y = py(rng);
        const double v[4] = {x, y, x + d(rng), y + d(rng)};
        source.list.AddEntity({EntityType::Line, 0, 1, 0, 4}, codes, 0, v);
    }
    const QString path = folder.filePath(QStringLiteral("lines%1.orv").arg(n));
    return source.OnSaveDocument(QFile::encodeName(path).toStdString()) ? path : QString();
}

void OpenToFirstPaint(benchmark::State& state)
{
    QTemporaryDir files;
    const QString path = ShortLinesFile(QDir(files.path()), static_cast<int>(state.range(0)));
    CMainFrame* frame = AfxGetApp().m_pMainWnd;
    if (path.isEmpty() || !frame) {
        state.SkipWithError("no file or no frame");
        return;
    }
    for (auto _ : state) {
        CChildFrame* child = AfxGetApp().OpenDocumentFile(path);
        auto* view = child ? dynamic_cast<COrvikCadView*>(child->GetActiveView()) : nullptr;
        if (!view) {
            state.SkipWithError("open failed");
            break;
        }
        view->repaint();  // the first paint event
        state.PauseTiming();
        delete child;
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(OpenToFirstPaint)->Arg(100000)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunGuiBenchmarks(argc, argv, true);
}
