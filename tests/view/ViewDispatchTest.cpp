// Mouse and key dispatch from a real view to the current tool, the view's
// own mouse modes and the status-bar coordinates.

#include "common/CursorCheck.h"
#include "common/ProbeTool.h"
#include "common/ToolHarness.h"

#include "view/ViewDispatch.h"
#include "resources/Menus.h"
#include "resources/Resource.h"

#include <QStatusBar>

namespace {

// Counts what reaches it.
class CountingTool : public CDrawTool {
public:
    static constexpr int Id = 78;
    CountingTool() : CDrawTool(Id) {}
    int downs = 0, ups = 0, moves = 0, dbl = 0, rights = 0, resets = 0, enters = 0, undos = 0, ends = 0, alls = 0;
    platform::Point lastRight{}, lastDown{};
    void OnLButtonDown(COrvikCadView*, unsigned, platform::Point* p) override
    {
        ++downs;
        lastDown = *p;
    }
    void OnLButtonUp(COrvikCadView* v, unsigned f, platform::Point* p) override
    {
        CDrawTool::OnLButtonUp(v, f, p);
        ++ups;
    }
    void OnMouseMove(COrvikCadView*, unsigned, platform::Point*) override { ++moves; }
    void OnLButtonDblClk(COrvikCadView*, unsigned, platform::Point*) override { ++dbl; }
    void OnRButtonDown(COrvikCadView*, unsigned, platform::Point* p) override
    {
        ++rights;
        lastRight = *p;
    }
    void Reset(COrvikCadView*) override { ++resets; }
    void OnEnterKey(COrvikCadView*) override { ++enters; }
    void Undo(COrvikCadView*) override { ++undos; }
    void EndSelection(COrvikCadView*) override { ++ends; }
    void SelectAll(COrvikCadView*) override { ++alls; }
};

class ViewDispatchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        h = std::make_unique<ToolHarness>();
        tool = std::make_unique<CountingTool>();
        CurrentToolId = CountingTool::Id;
    }
    void TearDown() override
    {
        tool.reset();
        h.reset();
    }
    COrvikCadView& V() { return h->View(); }
    std::unique_ptr<ToolHarness> h;
    std::unique_ptr<CountingTool> tool;
};

} // namespace

TEST_F(ViewDispatchTest, ToolModeForwardsEveryMessageAndCopiesTheColours)
{
    V().colors[2] = 0x00FF00;
    V().colors[3] = 0x0000FF;
    h->ClickAt({120, 130});
    EXPECT_EQ(tool->moves, 1);
    EXPECT_EQ(tool->downs, 1);
    EXPECT_EQ(tool->ups, 1);
    EXPECT_EQ(tool->lastDown, (platform::Point{120, 130}));
    EXPECT_EQ(tool->xorColor, 0x0000FFu);
    EXPECT_EQ(tool->altColor, 0x00FF00u);
    EXPECT_EQ(tool->backColor, V().colors[0]);
    h->RightClickAt({50, 60});
    EXPECT_EQ(tool->rights, 1);
    EXPECT_EQ(tool->lastRight, (platform::Point{50, 60}));
    h->DoubleClick(10, 10);
    EXPECT_EQ(tool->dbl, 1);
    EXPECT_EQ(GetViewCapture(), nullptr);
}

TEST_F(ViewDispatchTest, CommandsReachTheToolInEveryState)
{
    struct Case {
        unsigned id;
        int CountingTool::*counter;
    };
    const Case cases[] = {
        {ID_EDIT_UNDO, &CountingTool::undos},      {ID_ENTER_KEY, &CountingTool::enters},
        {ID_TOOL_CANCEL, &CountingTool::resets},   {ID_ESCAPE_KEY, &CountingTool::resets},
        {ID_END_SELECTION, &CountingTool::ends},   {ID_SELECT_ALL, &CountingTool::alls},
        {ID_SELECT_ALL_KEY, &CountingTool::alls},
    };
    for (const Case& c : cases) {
        const int before = (*tool).*c.counter;
        EXPECT_TRUE(h->Key(c.id)) << c.id;
        EXPECT_EQ((*tool).*c.counter, before + 1) << c.id;
    }
    // No tool with the current id: nothing is called, nothing breaks.
    CurrentToolId = 55;
    EXPECT_TRUE(h->Key(ID_ESCAPE_KEY));
    h->ClickAt({10, 10});
    EXPECT_EQ(tool->downs, 0);
}

TEST_F(ViewDispatchTest, ReleaseWithoutThePressIsIgnored)
{
    h->LeftUpAt({100, 100});
    EXPECT_EQ(tool->ups, 0);
}

TEST_F(ViewDispatchTest, RightButtonHeldKeepsTheLeftReleaseFromTheTool)
{
    h->LeftDownAt({300, 300});
    h->RightDownAt({300, 300});
    EXPECT_EQ(V().mouseMode, 2);
    h->MoveAt({400, 380});
    h->LeftUpAt({400, 380});  // ends the band
    EXPECT_EQ(tool->ups, 0);
    h->RightUpAt({400, 380});
    EXPECT_EQ(V().mouseMode, 0);
    EXPECT_TRUE(h->ScreenIsFreshRedraw());
}

TEST_F(ViewDispatchTest, OtherModesKeepMouseMessagesFromTheTool)
{
    for (unsigned id : {ID_VIEW_ZOOM_BOX, ID_VIEW_CENTER_MOVE, ID_VIEW_HAND_MOVE}) {
        h->Key(id);
        ASSERT_NE(V().mouseMode, 0);
        h->MoveAt({200, 200});
        h->DoubleClick(20, 20);
        h->RightClickAt({200, 200});
        h->Key(id);  // toggles back
        EXPECT_EQ(V().mouseMode, 0) << id;
    }
    EXPECT_EQ(tool->moves, 0);
    EXPECT_EQ(tool->downs, 0);
    EXPECT_EQ(tool->dbl, 3);
    EXPECT_EQ(tool->rights, 3);
}

TEST_F(ViewDispatchTest, CentreMoveCentresTheClickedPointOnce)
{
    h->Key(ID_VIEW_CENTER_MOVE);
    ASSERT_EQ(V().mouseMode, 3);
    const double mx = h->ModelX({600, 150}), my = h->ModelY({600, 150});
    h->LeftDownAt({600, 150});
    h->LeftUpAt({600, 150});
    EXPECT_EQ(V().mouseMode, 0);
    const platform::Point c = h->Client(mx, my);
    EXPECT_NEAR(c.x, V().clientW / 2, 1);
    EXPECT_NEAR(c.y, V().clientH / 2, 1);
    EXPECT_EQ(tool->downs, 0);
    EXPECT_TRUE(h->ScreenIsFreshRedraw());
}

TEST_F(ViewDispatchTest, HandPanScrollsWithTheHandButNotForShortDrags)
{
    h->Key(ID_VIEW_HAND_MOVE);
    EXPECT_TRUE(CursorIsPicture(V().cursor(), 200));
    const int sx = V().scrollX, sy = V().scrollY;
    h->LeftDownAt({100, 100});
    EXPECT_TRUE(CursorIsPicture(V().cursor(), 199));
    h->LeftUpAt({106, 107});  // 9.2 pixels
    EXPECT_EQ(V().scrollX, sx);
    EXPECT_EQ(V().scrollY, sy);
    h->LeftDownAt({100, 100});
    h->LeftUpAt({140, 70});
    EXPECT_EQ(V().scrollX, sx - 40);
    EXPECT_EQ(V().scrollY, sy - 30);
    EXPECT_EQ(V().mouseMode, 4);
    EXPECT_TRUE(h->ScreenIsFreshRedraw());
    // The cancel command ends the hand pan.
    h->Key(ID_CANCEL_INPUT);
    EXPECT_EQ(V().mouseMode, 0);
}

TEST_F(ViewDispatchTest, StatusBarShowsWholeMillimetresFromTheOrigin)
{
    ASSERT_NE(h->Frame(), nullptr);
    const double ox = h->Doc().DrawingOrigin[0], oy = h->Doc().DrawingOrigin[1];
    // A pixel whose model x is within 1 mm right of the origin shows 0; one
    // about 1 mm left shows -1.
    const platform::Point o = h->Client(ox, oy);
    h->MoveAt({o.x + 1, o.y});
    ASSERT_LT(h->ModelX({o.x + 1, o.y}) - ox, 1.0);
    EXPECT_EQ(h->StatusPane(1), QStringLiteral("X :      0"));
    EXPECT_EQ(h->StatusPane(2), QStringLiteral("Y :      0"));
    int px = o.x;
    while (h->ModelX({px, o.y}) - ox > -1.0)
        --px;
    h->MoveAt({px, o.y});
    EXPECT_EQ(h->StatusPane(1), QStringLiteral("X :     -1"));
    EXPECT_EQ(CoordinatePaneText('X', 0.7), "X :      0");
    EXPECT_EQ(CoordinatePaneText('Y', -1.0), "Y :     -1");
    EXPECT_EQ(CoordinatePaneText('Y', 12345.6), "Y :  12346");
}

TEST_F(ViewDispatchTest, AcceleratorKeysOfTheViewHaveHandlers)
{
    const unsigned viewKeys[] = {ID_EDIT_UNDO,    ID_SCROLL_DOWN, ID_SCROLL_LEFT, ID_SCROLL_RIGHT,
                                 ID_SCROLL_UP,    ID_SELECT_ALL_KEY, ID_ENTER_KEY, ID_ESCAPE_KEY,
                                 ID_ZOOM_OUT_KEY, ID_ZOOM_IN_KEY};
    for (unsigned id : viewKeys) {
        bool inTable = false;
        for (const Accelerator& a : AcceleratorTable())
            inTable |= a.id == id;
        EXPECT_TRUE(inTable) << id;
        EXPECT_TRUE(V().HandlesCommand(id)) << id;
    }
}
