// Drawing on the view's client DC while the frame is scrolled (the client
// smaller than the scroll size): entities, grips, a tool's rubber band and
// the magnet marker land where they land unscrolled, moved by the scroll
// offset, and the not-XOR figures still vanish when drawn twice, also after
// a repaint put them back.

#include "common/ProbeTool.h"
#include "common/ToolHarness.h"

#include "tools/RubberBand.h"

#include <QScrollBar>

#include <functional>
#include <map>
#include <utility>

namespace {

// The probe tool with a rubber band that a repaint of the view puts back,
// as the real tools do with theirs.
class BandProbe : public CProbeTool {
public:
    RubberBand band;
    void RedrawToolFigures(COrvikCadView* view, platform::Dc& dc) override { band.Redraw(view, dc); }
};

constexpr int ScrollX = 40, ScrollY = 30;

using Pixels = std::map<std::pair<int, int>, QRgb>;

class ScrolledClientDcTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        h = std::make_unique<ToolHarness>();
        probe = std::make_unique<BandProbe>();
        CurrentToolId = CProbeTool::Id;
        // A client smaller than the scroll size: both bars show.
        h->View().resize(300, 200);
        QApplication::processEvents();
        h->View().SetScrollSizes(594, 420);
        QApplication::processEvents();
        for (QScrollBar* bar : h->View().findChildren<QScrollBar*>())
            ASSERT_TRUE(bar->isVisible());
        // A line with its snap points, in the middle of the client.
        const int16_t codes[4] = {10, 20, 11, 22};
        const double v[4] = {ModelX(120), ModelY(110), ModelX(200), ModelY(110)};
        ASSERT_EQ(h->Doc().AddEntity({EntityType::Line, 0, 0, 0, 4}, codes, 0, v), 0);
        h->View().InvalidateDrawIndex();
    }
    void TearDown() override
    {
        probe.reset();
        h.reset();
    }

    double ModelX(int logical) const { return h->View().XToModel(logical); }
    double ModelY(int logical) const { return h->View().YToModel(logical); }

    void Scroll(int x, int y)
    {
        for (QScrollBar* bar : h->View().findChildren<QScrollBar*>())
            bar->setValue(bar->orientation() == Qt::Horizontal ? x : y);
        QApplication::processEvents();
        ASSERT_EQ(h->View().FrameScrollX(), x);
        ASSERT_EQ(h->View().FrameScrollY(), y);
        h->View().RedrawNow();
    }

    // What draw adds to the screen, by logical pixel (the device pixel
    // moved back by the frame's scroll offset).
    Pixels Added(const std::function<void()>& draw)
    {
        const QImage before = h->Screen();
        draw();
        const QImage after = h->Screen();
        Pixels out;
        const int fx = h->View().FrameScrollX(), fy = h->View().FrameScrollY();
        for (int y = 0; y < after.height(); ++y)
            for (int x = 0; x < after.width(); ++x)
                if (after.pixel(x, y) != before.pixel(x, y))
                    out[{x + fx, y + fy}] = after.pixel(x, y);
        return out;
    }

    // The added pixels inside the logical area both scroll positions show.
    static Pixels Shared(const Pixels& p, int width, int height)
    {
        Pixels out;
        for (const auto& [at, colour] : p)
            if (at.first >= ScrollX && at.first < width && at.second >= ScrollY && at.second < height)
                out.emplace(at, colour);
        return out;
    }

    std::unique_ptr<ToolHarness> h;
    std::unique_ptr<BandProbe> probe;
};

// A selected line (end and midpoint grips) and a selected circle (grips),
// drawn on the client DC without being in the drawing.
CEntity Selected(int16_t type, std::vector<double> values)
{
    CEntity e;
    e.type = type;
    e.state = EntityState::Selected;
    e.colour = 0x0000FF;
    e.count = static_cast<int16_t>(values.size());
    e.values = std::move(values);
    return e;
}

} // namespace

TEST_F(ScrolledClientDcTest, FiguresLandOnTheSameLogicalPixels)
{
    struct Case {
        const char* name;
        std::function<void()> draw;
        std::function<void()> undo;  // takes the figure away again
    };
    COrvikCadView& view = h->View();
    CEntity line = Selected(EntityType::Line, {ModelX(60), ModelY(60), ModelX(180), ModelY(150)});
    CEntity circle = Selected(EntityType::Circle, {ModelX(150), ModelY(120), ModelX(150) - ModelX(120)});
    auto drawOnClient = [&](CEntity& e) {
        auto dc = view.GetClientDc();
        view.DrawEntity(*dc, &e, EntityState::Selected);
    };
    auto repaint = [&] { view.RedrawNow(); };
    const Case cases[] = {
        {"line with grips", [&] { drawOnClient(line); }, repaint},
        {"circle with grips", [&] { drawOnClient(circle); }, repaint},
        {"rubber band",
         [&] {
             probe->band.Clear();
             probe->band.AddLine({70, 160}, {230, 90});
             probe->band.AddCross({100, 80});
             probe->band.AddEntity(line);
             probe->band.Show(&view, 0xFF0000);
         },
         [&] { probe->band.Erase(); }},
        // Near the start of the drawing's line: the marker's square.
        {"magnet marker",
         [&] { h->MoveAt({120 + 2 - view.FrameScrollX(), 110 + 1 - view.FrameScrollY()}); },
         [&] { h->MoveAt({250 - view.FrameScrollX(), 60 - view.FrameScrollY()}); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Scroll(0, 0);
        const Pixels plain = Added(c.draw);
        c.undo();
        ASSERT_TRUE(h->ScreenIsFreshRedraw());
        Scroll(ScrollX, ScrollY);
        const Pixels scrolled = Added(c.draw);
        c.undo();
        EXPECT_TRUE(h->ScreenIsFreshRedraw());

        const int w = h->Screen().width(), hgt = h->Screen().height();
        const Pixels a = Shared(plain, w, hgt), b = Shared(scrolled, w, hgt);
        EXPECT_GT(a.size(), 20u);
        EXPECT_EQ(a, b);
    }
}

TEST_F(ScrolledClientDcTest, NotXorFiguresPutBackByARepaintStillVanish)
{
    COrvikCadView& view = h->View();
    Scroll(ScrollX, ScrollY);
    CEntity line = Selected(EntityType::Line, {ModelX(60), ModelY(60), ModelX(180), ModelY(150)});
    line.state = EntityState::Normal;

    // The band with an entity piece: the client DC draws it, a repaint puts
    // it back through the paint DC, the client DC erases it.
    probe->band.Clear();
    probe->band.AddLine({70, 160}, {230, 90});
    probe->band.AddEntity(line);
    probe->band.Show(&view, 0xFF0000);
    const QImage shown = h->Screen();
    EXPECT_FALSE(h->ScreenIsFreshRedraw());
    view.RedrawNow();
    EXPECT_EQ(h->Screen(), shown);
    probe->band.Erase();
    EXPECT_TRUE(h->ScreenIsFreshRedraw());

    // The magnet marker the same way.
    h->MoveAt({120 + 2 - ScrollX, 110 + 1 - ScrollY});
    ASSERT_NE(probe->magnetKind, 0);
    const QImage marked = h->Screen();
    view.RedrawNow();
    EXPECT_EQ(h->Screen(), marked);
    h->MoveAt({250 - ScrollX, 60 - ScrollY});
    EXPECT_EQ(probe->magnetKind, 0);
    EXPECT_TRUE(h->ScreenIsFreshRedraw());
}
