// The magnet marker and the point a click takes, driven through a real view.

#include "common/ProbeTool.h"
#include "common/ToolHarness.h"

#include "model/SnapPointList.h"
#include "resources/Resource.h"

namespace {

class MagnetMarkerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        h = std::make_unique<ToolHarness>();
        probe = std::make_unique<CProbeTool>();
        CurrentToolId = CProbeTool::Id;
    }
    void TearDown() override
    {
        probe.reset();
        h.reset();
    }

    // A line drawn straight into the drawing (no tool involved).
    CEntity* Line(double x1, double y1, double x2, double y2)
    {
        const int16_t codes[4] = {10, 20, 11, 22};
        const double v[4] = {x1, y1, x2, y2};
        EXPECT_EQ(h->Doc().AddEntity({EntityType::Line, 0, 0, 0, 4}, codes, 0, v), 0);
        h->View().InvalidateDrawIndex();
        h->View().RedrawNow();
        return h->Doc().list.last;
    }
    // Model length of n pixels.
    double Px(int n) const { return n / h->View().MappingZoom() * h->View().MappingScale(); }

    std::unique_ptr<ToolHarness> h;
    std::unique_ptr<CProbeTool> probe;
};

} // namespace

TEST_F(MagnetMarkerTest, MarkerChangesKindInTwoMoves)
{
    Line(100, 100, 200, 100);  // start (kind 2), midpoint (4), end (3)
    h->Move(100 + Px(3), 100 + Px(2));
    EXPECT_EQ(probe->magnetKind, SnapKind::LineStart);
    EXPECT_DOUBLE_EQ(probe->markerPoint[0], 100);
    EXPECT_FALSE(h->ScreenIsFreshRedraw());  // the square is on screen
    const QImage withStartMarker = h->Screen();

    // Near the midpoint: the first move only takes the old marker away.
    h->Move(150 + Px(2), 100);
    EXPECT_EQ(probe->magnetKind, 0);
    EXPECT_TRUE(h->ScreenIsFreshRedraw());
    h->Move(150 + Px(3), 100);
    EXPECT_EQ(probe->magnetKind, SnapKind::LineMidpoint);
    EXPECT_DOUBLE_EQ(probe->markerPoint[0], 150);
    EXPECT_NE(h->Screen(), withStartMarker);

    // Away from every snap point: erased.
    h->Move(300, 300);
    EXPECT_EQ(probe->magnetKind, 0);
    EXPECT_TRUE(h->ScreenIsFreshRedraw());
}

TEST_F(MagnetMarkerTest, MarkerOfTheSameKindStaysAndTheClickTakesItsPoint)
{
    Line(100, 100, 100, 200);
    Line(100 + Px(6), 100, 200, 250);  // another start 6 pixels to the right
    h->Move(100 + Px(1), 100);
    ASSERT_EQ(probe->magnetKind, SnapKind::LineStart);
    const QImage shown = h->Screen();
    h->Move(100 + Px(6), 100);  // nearest is now the second start, same kind
    EXPECT_EQ(h->Screen(), shown);
    h->Click(100 + Px(6), 100);
    h->Move(300, 300);
    h->Click(300, 300);
    const auto lines = h->Entities(EntityType::Line);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_DOUBLE_EQ(lines[2]->values[0], 100);  // the marker's point, not the second start
    EXPECT_DOUBLE_EQ(lines[2]->values[1], 100);
}

TEST_F(MagnetMarkerTest, MagnetOffDrawsNoMarkerAndSnapsOnlyToTheGrid)
{
    Line(100, 100, 200, 100);
    h->Command(ID_VIEW_MAGNET);
    ASSERT_EQ(MagnetEnabled, 0);
    const double ox = h->Doc().DrawingOrigin[0], oy = h->Doc().DrawingOrigin[1];

    // At the line's start (not on the grid): the raw point.
    h->Move(100 + Px(1), 100);
    EXPECT_EQ(probe->magnetKind, 0);
    EXPECT_TRUE(h->ScreenIsFreshRedraw());
    h->Click(100 + Px(1), 100);
    EXPECT_NEAR(probe->X[0], 100 + Px(1), Px(1));
    EXPECT_NE(probe->X[0], 100.0);

    // Near a grid point (pitch 20 about the origin): exactly the grid point.
    h->Click(ox + 40 + Px(2), oy + 20 - Px(2));
    const auto lines = h->Entities(EntityType::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_DOUBLE_EQ(lines[1]->values[2], ox + 40);
    EXPECT_DOUBLE_EQ(lines[1]->values[3], oy + 20);
    h->Command(ID_VIEW_MAGNET);
    EXPECT_EQ(MagnetEnabled, 1);
}

TEST_F(MagnetMarkerTest, RepaintsWhileTheMarkerShowsLeaveNothingBehind)
{
    Line(100, 100, 200, 100);
    for (unsigned id : {ID_SCROLL_UP, ID_VIEW_ZOOM_IN, ID_VIEW_GRID, ID_VIEW_REDISPLAY, ID_SCROLL_DOWN}) {
        h->Move(200, 100);
        ASSERT_NE(probe->magnetKind, 0) << id;
        h->Key(id);
        h->Screen();  // the pending repaint happens
        h->Move(0, 400);  // far from everything: the marker goes
        EXPECT_EQ(probe->magnetKind, 0) << id;
        EXPECT_TRUE(h->ScreenIsFreshRedraw()) << id;
    }
}

TEST_F(MagnetMarkerTest, PartialRepaintUnderTheMarkerKeepsItConsistent)
{
    CEntity* line = Line(100, 100, 200, 100);
    h->Move(100, 100);
    ASSERT_NE(probe->magnetKind, 0);
    h->View().InvalidateEntity(line);  // the repaint covers the marker
    h->Screen();
    EXPECT_FALSE(h->ScreenIsFreshRedraw());  // still shown
    h->Move(0, 400);
    EXPECT_TRUE(h->ScreenIsFreshRedraw());
}
