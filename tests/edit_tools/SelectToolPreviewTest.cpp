// The selection tool's drag outlines on the real view: they follow the
// mouse without leaving traces, keep the selection visible, and leave the
// screen as a fresh redraw once the drag ends.

#include "SelectToolFixture.h"

#include <QImage>

class SelectToolPreviewTest : public SelectToolTest {
protected:
    SelectToolPreviewTest()
    {
        circle = AddCircle(200, 100, 30);
        Add(EntityType::Text, {50, 150, 10, 5, 30}, {10, 20, 30, 40, 50});
        Add(EntityType::Fill, {0, 0, 100, 200, 140, 200, 140, 240, 100, 240}, {0, 0, 10, 20, 10, 20, 10, 20, 10, 20});
        h.Doc().list.last->subtype = 4;
        spline = Add(EntityType::Curve, {250, 200, 270, 230, 290, 200}, {10, 20, 10, 20, 10, 20});
        h.View().RedrawNow();
    }
    // Presses on line A (all selected), moves through the view points given
    // (pixel offsets from the press) and answers the screen.
    QImage DragThrough(std::vector<platform::Point> offsets)
    {
        Tool().SelectAll(&h.View());
        const platform::Point p = h.Client(25, 0);
        h.MoveAt(p);
        h.LeftDownAt(p);
        h.MoveAt(p);
        for (const platform::Point& o : offsets)
            h.MoveAt({p.x + o.x, p.y + o.y});
        return h.Screen();
    }
    void ReleaseAtPress()
    {
        h.LeftUpAt(h.Client(25, 0));
    }

    CEntity* circle = nullptr;
    CEntity* spline = nullptr;
};

TEST_F(SelectToolPreviewTest, EveryOutlineButTheLastCancels)
{
    const QImage fresh = h.FreshRedraw();
    const QImage direct = DragThrough({{60, -40}});
    EXPECT_GT(ToolHarness::DifferingPixels(direct, fresh), 0);
    ReleaseAtPress();
    h.View().RedrawNow();

    const QImage walked = DragThrough({{5, 3}, {20, -10}, {40, -25}, {61, -41}, {60, -40}});
    EXPECT_EQ(ToolHarness::DifferingPixels(walked, direct), 0);
    ReleaseAtPress();
}

TEST_F(SelectToolPreviewTest, SelectionStaysVisibleUnderTheMovingOutline)
{
    const QColor magenta(255, 0, 255);  // the selection colour
    const QImage shown = DragThrough({{0, -80}, {0, -120}});
    // Points of line A (y = 0) far from where its outline now is.
    for (const double x : {10.0, 40.0, 90.0}) {
        const platform::Point at = h.Client(x, 0);
        EXPECT_EQ(shown.pixelColor(at.x, at.y), magenta) << x;
    }
    ReleaseAtPress();
}

TEST_F(SelectToolPreviewTest, DragBroughtBackAndReleasedLeavesAFreshScreen)
{
    DragThrough({{30, 30}, {60, -20}, {1, 1}});
    ReleaseAtPress();
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
    EXPECT_EQ(Tool().m_previewShown, 0);
}

TEST_F(SelectToolPreviewTest, RepaintKeepsTheOutlineErasable)
{
    DragThrough({{40, 20}});
    // A repaint in the middle of the drag, then more moves and the end.
    h.View().RedrawNow();
    const platform::Point p = h.Client(25, 0);
    h.MoveAt({p.x + 50, p.y + 10});
    h.MoveAt({p.x + 1, p.y});
    ReleaseAtPress();
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}
