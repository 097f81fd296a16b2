#pragma once
// The drawing the tool benchmarks work on: an A1 sheet at 1:100 shown whole
// in a full-HD view, built once per set of arguments and kept for the run.

#include "model/Document.h"
#include "view/OrvikCadView.h"
#include "view/ToolList.h"
#include "model/EntityKinds.h"

#include <QApplication>

#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <random>

namespace bench {

inline constexpr int Width = 1920, Height = 1080;
inline constexpr double ModelW = 84000, ModelH = 59400;  // A1 at 1:100

struct Scene {
    std::unique_ptr<COrvikCadDoc> doc = std::make_unique<COrvikCadDoc>();
    std::unique_ptr<COrvikCadView> view;

    Scene() { doc->header.scale = 100.0f; }

    void AddLine(double x1, double y1, double x2, double y2)
    {
        const int16_t* codes = FixedCodes(EntityType::Line).data();
        const double v[4] = {x1, y1, x2, y2};
        doc->list.AddEntity({EntityType::Line, 0, 0, 0, 4}, codes, 0, v);
    }

    // Registers every snap point, as a drawing read from a file has them,
    // then shows the sheet from y0 up and paints it once.
    void Open(double y0 = 0.0)
    {
        doc->RebuildSnapPoints();
        view = std::make_unique<COrvikCadView>();
        view->AttachDrawing(doc.get());
        view->resize(Width, Height);
        view->show();
        QApplication::processEvents();
        view->OnInitialUpdate();
        view->windowX0 = 0;
        view->windowY0 = y0;
        view->windowX1 = ModelW;
        view->windowY1 = ModelH;
        view->FitScale();
        view->RedrawNow();
    }
};

// The scene for `key`, made by `make` the first time it is asked for.
template <class Key>
Scene& Cached(const Key& key, const std::function<void(Scene&)>& make)
{
    static std::map<Key, std::unique_ptr<Scene>> scenes;
    auto& s = scenes[key];
    if (!s) {
        s = std::make_unique<Scene>();
        make(*s);
    }
    return *s;
}

// `across` short vertical lines over y = 0 between x = 0 and 80,000, the
// rest scattered above y = 100, shown from y = -100.
inline Scene& AcrossScene(int total, int across)
{
    return Cached(std::pair{total, across}, [total, across](Scene& s) {
        std::mt19937 rng(11);
        std::uniform_real_distribution<double> px(0, ModelW), py(100, ModelH), len(-60, 60);
        for (int i = 0; i < total; ++i) {
            if (i < across) {
                const double x = 80000.0 * i / across;
                s.AddLine(x, -20, x, 20);
            } else {
                const double x = px(rng), y = py(rng);
                const double dx = len(rng), dy = len(rng);
                s.AddLine(x, y, x + dx, y + dy);
            }
        }
        s.Open(-100);
    });
}

// The tool object of class T.
template <class T>
T& ToolOf()
{
    CreateTools();
    for (CDrawTool* t : ToolList)
        if (auto* tool = dynamic_cast<T*>(t))
            return *tool;
    std::abort();
}

} // namespace bench
