// The entity renderer on its own: a drawing rendered with a mapping and
// settings made by hand, with no view, comes out call for call as the view
// paints it; a printed page is drawn with the page's own mapping while the
// screen's mapping stays as it is, during the page and after it.

#include "DrawingViewFixture.h"

#include "view/EntityRenderer.h"

namespace {

class EntityRendererTest : public DrawingViewTest {
protected:
    void SetUp() override
    {
        DrawingViewTest::SetUp();
        savedRange = ShowDrawingRange;
        savedOrigin = ShowOriginMark;
        ShowDrawingRange = 0;
        ShowOriginMark = 0;
    }
    void TearDown() override
    {
        ShowDrawingRange = savedRange;
        ShowOriginMark = savedOrigin;
        DrawingViewTest::TearDown();
    }

    static std::vector<std::string> Lines(const platform::RecordingDc& dc) { return dc.Lines(); }

    int16_t savedRange = 0, savedOrigin = 0;
};

// A recording printer that notes, at every line it is given, whether the
// screen's mapping is still the one it had before the page.
class WatchingPrinter : public platform::RecordingDc {
public:
    WatchingPrinter(const COrvikCadView& view, int w, int h, int dpi)
        : RecordingDc(w, h, dpi, true), view(view), screen(view.Mapping())
    {
    }
    void LineTo(int x, int y) override
    {
        screenKept = screenKept && view.Mapping() == screen;
        RecordingDc::LineTo(x, y);
    }
    const COrvikCadView& view;
    const ViewMapping screen;
    bool screenKept = true;
};

} // namespace

TEST_F(EntityRendererTest, RendererAloneDrawsWhatTheViewPaints)
{
    AddLine(10, 20, 200, 40, 0x123456);
    Add(EntityType::Circle, 0, 101, {10, 20, 40}, {150, 150, 30});
    Add(EntityType::Arc, 1, 0, {10, 20, 40, 50, 51}, {250, 100, 40, 30, 200});
    Add(EntityType::Point, 0, 0, {10, 20}, {300, 250});
    Add(EntityType::Polygon, 0, 3, {10, 20, 10, 20, 10, 20}, {20, 200, 80, 260, 120, 210});
    Add(EntityType::Text, 0, 0, {10, 20, 40, 41, 50}, {40, 120, 10, 5, 0}, 0x00AA00, "ABC", "Sans");
    CEntity* selected = AddLine(60, 60, 160, 90);
    selected->state = EntityState::Selected;
    AddLine(300, 20, 380, 60, 0x0000FF)->layer = 1;  // another layer, shown in its layer colour
    view->layerState[1] = 1;

    // The view's paint, after a first one has taken the drawing's colours.
    platform::RecordingDc settle(Width, Height);
    view->OnDraw(settle);
    platform::RecordingDc painted(Width, Height);
    view->OnDraw(painted);

    // The same drawing through a renderer of its own.
    const ViewMapping mapping{1.0, 1.0, 0, 0, Width, Height, Width, Height, 0, 0};
    RenderSettings settings;
    for (int i = 0; i < 6; ++i)
        settings.colors[i] = doc->DrawingSettingsBlock.DisplayColor(i);
    settings.colors[6] = doc->DrawingSettingsBlock.DisplayColor(7);
    settings.layerState.fill(2);
    settings.layerState[1] = 1;
    std::vector<CEntity*> entities;
    for (CEntity* e = doc->list.first; e; e = e->next)
        entities.push_back(e);
    platform::RecordingDc rendered(Width, Height);
    EntityRenderer renderer(rendered, mapping, settings, doc.get());
    renderer.DrawPass(entities, 0);
    renderer.DrawPass(entities, 1);

    EXPECT_GT(rendered.Count("LineTo"), 4);
    EXPECT_EQ(rendered.Count("Rectangle"), 2);  // the grips at the selected line's ends
    EXPECT_EQ(rendered.Count("TextOut"), 1);
    EXPECT_EQ(Lines(rendered), Lines(painted));
}

TEST_F(EntityRendererTest, PrintedPageLeavesTheScreensMappingAloneWhileItDraws)
{
    doc->header.scale = 1;
    doc->ExtentsMin = {0, 0, 0};
    view->printFit = 0;
    view->paperSource = 0;
    view->paperW = 420;
    view->paperH = 297;
    AddLine(10, 20, 110, 20);
    AddLine(10, 20, 10, 120);
    const ViewMapping screen = view->Mapping();
    const double visible[4] = {view->visibleX0, view->visibleY0, view->visibleX1, view->visibleY1};

    WatchingPrinter printer(*view, 9921, 7016, 600);
    const ViewMapping page = view->PrinterMapping(printer).mapping;
    ASSERT_FALSE(page == screen);
    view->OnDraw(printer);

    EXPECT_GE(printer.Count("LineTo"), 2);
    EXPECT_TRUE(printer.screenKept);
    EXPECT_TRUE(view->Mapping() == screen);
    EXPECT_EQ(view->visibleX0, visible[0]);
    EXPECT_EQ(view->visibleY0, visible[1]);
    EXPECT_EQ(view->visibleX1, visible[2]);
    EXPECT_EQ(view->visibleY1, visible[3]);
    // The lines went onto the page at the page's pixels.
    bool found = false;
    for (const platform::DcRecord& r : printer.Records())
        if (r.op == "LineTo" && r.args.size() == 2 && r.args[0] == page.XToDevice(110) &&
            r.args[1] == page.YToDevice(20))
            found = true;
    EXPECT_TRUE(found);
}
