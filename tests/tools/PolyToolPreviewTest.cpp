// The box, parallelogram and polygon tool on screen: rubber bands, markers
// and read-outs follow the mouse and leave nothing behind after a click,
// a cancel, a repaint or the numeric input.

#include "PolyToolFixture.h"

namespace {

class PolyToolPreviewTest : public PolyToolTestBase {
protected:
    PolyToolPreviewTest() { MagnetEnabled = 0; }

    int Differing() { return ToolHarness::DifferingPixels(h.Screen(), h.FreshRedraw()); }
};

// Each sub-mode cancelled at each step, by the right button where it
// cancels, by Esc and by a change of tool, also after a repaint.
TEST_F(PolyToolPreviewTest, CancelsLeaveAFreshScreenAndTheFirstPrompt)
{
    LengthReadoutEnabled = 1;
    struct Case {
        int item, clicks;
        const char* prompt;
    };
    const Case cases[] = {
        {0, 1, "矩形を作図します。開始位置を指示して下さい。"},
        {1, 1, "平行四辺形を作図します。基準線 始端を指示して下さい。"},
        {1, 2, "平行四辺形を作図します。基準線 始端を指示して下さい。"},
        {2, 1, "多角形を作図します。中心点を指示して下さい。"},
        {2, 2, "多角形を作図します。中心点を指示して下さい。"},
    };
    enum { RightButton, Escape, OtherTool, AfterRepaint };
    for (const Case& c : cases) {
        for (int how : {RightButton, Escape, OtherTool, AfterRepaint}) {
            SCOPED_TRACE(c.item * 100 + c.clicks * 10 + how);
            if (how == RightButton && c.item == 2)
                continue;  // the polygon's right button opens the view's menu
            h.Select(5, c.item);
            h.Click(0, 0);
            if (c.clicks == 2)
                h.Click(40, 0);
            h.Move(25, 30);
            h.Move(30, 35);
            EXPECT_GT(Differing(), 0);
            switch (how) {
            case RightButton:
                h.RightClick(30, 35);
                break;
            case Escape:
                h.Key(ID_ESCAPE_KEY);
                break;
            case OtherTool:
                h.Select(2, 0);
                break;
            case AfterRepaint:
                h.View().RedrawNow();
                h.Move(32, 36);
                h.Key(ID_ESCAPE_KEY);
                break;
            }
            EXPECT_EQ(InputPointCount, 0);
            EXPECT_TRUE(h.ScreenIsFreshRedraw());
            if (how != OtherTool) {
                EXPECT_EQ(h.Prompt(), QString(c.prompt));
            }
        }
    }
    EXPECT_TRUE(h.Entities().empty());
}

TEST_F(PolyToolPreviewTest, EveryShapeEndsOnAFreshScreen)
{
    LengthReadoutEnabled = 1;
    h.Select(5, 0);
    h.Click(0, 0);
    h.Move(20, 20);
    h.Click(30, 20);
    h.Select(5, 1);
    h.Click(0, 0);
    h.Move(20, 10);
    h.Click(40, 0);
    h.Move(20, 30);
    h.Click(10, 20);
    h.Select(5, 2);
    h.Click(0, 0);
    h.Move(20, 10);
    h.Click(30, 0);
    h.Move(0, 20);
    h.Move(10, 20);
    h.Click(0, 40);
    EXPECT_EQ(h.Entities(EntityType::GroupHeader).size(), 3u);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(PolyToolPreviewTest, PolygonPreviewNeedsTheMouseOffTheCentre)
{
    h.Select(5, 2);
    h.Click(0, 0);
    h.Click(20, 0);
    h.Move(0, 0);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
    h.Move(0, 30);
    EXPECT_GT(Differing(), 0);
    EXPECT_EQ(Tool().directionMoved, 1);
    // Back on the centre: the outline goes.
    h.Move(0, 0);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
    h.Move(-30, 0);
    h.Key(ID_ESCAPE_KEY);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(PolyToolPreviewTest, NumericInputTakesThePolygonFiguresAway)
{
    LengthReadoutEnabled = 1;
    h.Select(5, 2);
    h.Click(0, 0);
    h.Move(15, 15);
    h.Move(20, 15);
    // The dialog opens on a clean screen.
    bool cleanWhenOpened = false;
    h.Ui().dialog([&](QDialog& d) {
        cleanWhenOpened = h.ScreenIsFreshRedraw();
        platform::control<QPushButton>(&d, IDCANCEL)->click();
    });
    h.View().OnNumericInput();
    EXPECT_TRUE(cleanWhenOpened);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(Tool().polygonPreviewShown, 0);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());

    // At step 2 the typed direction ends the polygon with nothing left.
    h.Click(0, 0);
    h.Click(20, 0);
    h.Move(0, 30);
    h.Move(0, 35);
    Type(45);
    EXPECT_EQ(h.Entities(EntityType::GroupHeader).size(), 1u);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(PolyToolPreviewTest, GivenSizeShapesShowNothingWhileMoving)
{
    ShapeSizeGiven = 1;
    LengthReadoutEnabled = 1;
    for (int item : {0, 2}) {
        h.Select(5, item);
        h.Move(10, 10);
        h.Move(20, 15);
        EXPECT_TRUE(h.ScreenIsFreshRedraw());
    }
}

TEST_F(PolyToolPreviewTest, BoxSizeReadoutLabelsWidthAboveAndHeightLeft)
{
    h.Select(5, 0);
    h.Click(0, 0);
    CPolyTool& tool = Tool();
    const QImage before = h.Screen();
    const platform::Point left = h.Client(0, 0);
    const platform::Point top = h.Client(0, 20);

    // Width and height both labelled; a second call takes them away.
    tool.ShowBoxSizeReadout(&h.View(), 40, 20);
    const QImage both = h.Screen();
    int aboveTop = 0, leftOfBox = 0;
    for (int y = 0; y < both.height(); ++y)
        for (int x = 0; x < both.width(); ++x)
            if (both.pixel(x, y) != before.pixel(x, y)) {
                aboveTop += y < top.y && x >= left.x;
                leftOfBox += x < left.x;
            }
    EXPECT_GT(aboveTop, 0);
    EXPECT_GT(leftOfBox, 0);
    tool.ShowBoxSizeReadout(&h.View(), 40, 20);
    EXPECT_EQ(ToolHarness::DifferingPixels(h.Screen(), before), 0);

    // A width of 0.05 or less has no label: only the height's remains.
    tool.ShowBoxSizeReadout(&h.View(), 0.05, 20);
    const QImage narrow = h.Screen();
    int changed = 0, right = 0;
    for (int y = 0; y < narrow.height(); ++y)
        for (int x = 0; x < narrow.width(); ++x)
            if (narrow.pixel(x, y) != before.pixel(x, y)) {
                ++changed;
                right += x >= left.x;
            }
    EXPECT_GT(changed, 0);
    EXPECT_EQ(right, 0);
    tool.ShowBoxSizeReadout(&h.View(), 0.05, 20);
    EXPECT_EQ(ToolHarness::DifferingPixels(h.Screen(), before), 0);
    h.Key(ID_ESCAPE_KEY);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

} // namespace
