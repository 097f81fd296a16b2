// The delete tool's single and crossing-line deletes: what goes, what
// stays, the undo step, protection and the bands on screen.

#include "DeleteToolFixture.h"

#include <functional>

namespace {

// Three double-byte characters (cp932).
const char* const ThreeWide = "\x82\xa0\x82\xa2\x82\xa4";

} // namespace

TEST_F(DeleteToolTest, ClickOnADimensionPartDeletesTheWholeDimensionInOneUndoStep)
{
    CEntity* keep = AddLine(0, 100, 100, 100);
    CEntity* dim = AddDimension(0, 0, 100);
    h.View().RedrawNow();
    const std::vector<const CEntity*> before = Live();

    ToolSubMode = 0;
    h.Click(50, 10);  // the second member line
    EXPECT_EQ(Live(), (std::vector<const CEntity*>{keep}));
    EXPECT_TRUE(h.Doc().modified);
    EXPECT_EQ(h.Beeps(), 0);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());

    Undo();
    EXPECT_EQ(Live().size(), before.size());
    for (const CEntity* e : before)
        EXPECT_TRUE(Holds(e));
    for (const CEntity* e : Live())
        EXPECT_TRUE(e == dim || e == keep ? !e->owner : e->owner == dim);
}

TEST_F(DeleteToolTest, ClickDeletesTheOutermostUnit)
{
    struct Case {
        const char* what;
        double x, y;           // where the click goes
        int survivors;         // entities left, grid aside
    };
    // Lines a, b in an inner group; the inner group and line c in an outer
    // group; line d alone; line e on layer 1.
    const Case cases[] = {
        {"member of the inner group", 50, 0, 2},
        {"member of the outer group", 50, 20, 2},
        {"plain line", 50, 30, 6},
    };
    for (const Case& c : cases) {
        ToolHarness::ResetSharedToolState();
        CurrentToolId = ToolId::Delete;
        h.Doc().list.RemoveAll();
        h.Doc().RebuildSnapPoints();
        CEntity* a = AddLine(0, 0, 100, 0);
        CEntity* b = AddLine(0, 10, 100, 10);
        CEntity* inner = AddGroup({a, b});
        CEntity* cLine = AddLine(0, 20, 100, 20);
        CEntity* outer = AddGroup({inner, cLine});
        AddLine(0, 30, 100, 30);
        AddLine(0, 40, 100, 40, 1);
        (void)outer;
        h.View().RedrawNow();
        h.Click(c.x, c.y);
        EXPECT_EQ(static_cast<int>(Live().size()), c.survivors) << c.what;
        for (const CEntity* e : Live())
            EXPECT_TRUE(!e->owner || Holds(e->owner)) << c.what;
        EXPECT_EQ(h.Beeps(), 0) << c.what;
        Undo();
        EXPECT_EQ(Live().size(), 7u) << c.what;
    }
}

TEST_F(DeleteToolTest, NothingUnderTheClickOrAnotherLayerBeepsAndKeepsTheUndoStep)
{
    AddLine(0, 0, 100, 0);
    AddLine(0, 50, 100, 50, 1);
    ToolSubMode = 0;
    h.Click(50, 0);
    ASSERT_EQ(Live().size(), 1u);
    const CEntity* held = h.Doc().list.undoChain;
    ASSERT_NE(held, nullptr);
    h.Doc().modified = false;

    h.Click(50, 50);   // the line on layer 1
    h.Click(50, 200);  // nothing
    EXPECT_EQ(h.Beeps(), 2);
    EXPECT_EQ(Live().size(), 1u);
    EXPECT_EQ(h.Doc().list.undoChain, held);
    EXPECT_FALSE(h.Doc().modified);
}

TEST_F(DeleteToolTest, ProtectedDrawingRefusesEveryDeleteWithOneMessage)
{
    const struct {
        const char* what;
        std::function<void(DeleteToolTest&)> act;
    } cases[] = {
        {"single", [](DeleteToolTest& t) {
             ToolSubMode = 0;
             t.h.Click(50, 0);
         }},
        {"crossing line", [](DeleteToolTest& t) { t.CrossLine(50, -10, 50, 60); }},
        {"area", [](DeleteToolTest& t) { t.Area(-10, -10, 110, 60, {}); }},
    };
    AddLine(0, 0, 100, 0);
    AddLine(0, 50, 100, 50);
    h.Doc().ProtectionState = 1;
    h.View().RedrawNow();
    for (const auto& c : cases) {
        h.Ui().clear();
        c.act(*this);
        EXPECT_EQ(h.Messages().size(), 1) << c.what;
        EXPECT_EQ(Live().size(), 2u) << c.what;
        EXPECT_FALSE(h.Doc().modified) << c.what;
        for (const CEntity* e : Live())
            EXPECT_EQ(e->state, 0) << c.what;
        EXPECT_TRUE(h.ScreenIsFreshRedraw()) << c.what;
    }
}

TEST_F(DeleteToolTest, CrossingLineTakesTheTextBoxByHalfWidthCharacters)
{
    for (const double x : {5.0, 7.0}) {
        h.Doc().list.RemoveAll();
        h.Doc().RebuildSnapPoints();
        Add(EntityType::Text, {0, 0, 5, 4, 0}, {10, 20, 30, 40, 50}, 0, nullptr, ThreeWide);
        h.View().RedrawNow();
        CrossLine(x, -1, x, 6);
        EXPECT_EQ(Live().size(), x < 6 ? 0u : 1u) << x;
    }
}

TEST_F(DeleteToolTest, CrossingLineDeletesWhatItCrossesOnTheCurrentLayer)
{
    CEntity* a = AddLine(0, 0, 100, 0);
    CEntity* b = AddLine(0, 10, 100, 10);
    CEntity* group = AddGroup({a, b});
    CEntity* dim = AddDimension(0, 100, 100);
    CEntity* other = AddLine(0, 5, 100, 5, 1);
    CEntity* polygon = Add(EntityType::Polygon, {0, 200, 100, 200, 100, 250, 0, 250}, {});
    CEntity* beyond = AddLine(200, 0, 300, 0);
    h.View().RedrawNow();

    CrossLine(50, -5, 50, 5);          // line a of the group
    EXPECT_FALSE(Holds(a));
    EXPECT_TRUE(Holds(b) && Holds(group) && Holds(other));
    EXPECT_EQ(h.Doc().list.undoChain, a);

    CrossLine(50, 105, 50, 115);       // the dimension's second line
    EXPECT_FALSE(Holds(dim));
    for (const CEntity* e : Live())
        EXPECT_NE(e->owner, dim);

    CrossLine(-5, 225, 5, 225);        // the gap of the open polygon
    EXPECT_TRUE(Holds(polygon));
    EXPECT_TRUE(Holds(beyond));
    EXPECT_EQ(h.Doc().list.undoState, 0);  // the step before is dropped
    EXPECT_EQ(h.Doc().list.undoChain, nullptr);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(DeleteToolTest, CrossingLineUndoBringsBackEverythingItDeleted)
{
    std::vector<CEntity*> lines;
    for (int i = 0; i < 5; ++i)
        lines.push_back(AddLine(i * 10, 0, i * 10, 200));
    AddDimension(0, 100, 40);
    h.View().RedrawNow();
    CrossLine(-5, 90, 45, 115);
    ASSERT_EQ(Live().size(), 0u);
    Undo();
    EXPECT_EQ(Live().size(), 8u);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(DeleteToolTest, RightButtonOrASecondClickInPlaceEndsTheLineWithoutDeleting)
{
    CEntity* line = AddLine(0, 0, 100, 0);
    h.View().RedrawNow();
    ToolSubMode = 1;
    h.Click(50, -10);
    EXPECT_EQ(h.Prompt(), QString::fromUtf8("クロス線の終端を指示して下さい。"));
    h.Move(50, 10);
    EXPECT_FALSE(h.ScreenIsFreshRedraw());  // the band is shown
    h.RightClick(50, 10);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(OperationRestarted, 1);
    EXPECT_EQ(h.Prompt(), QString::fromUtf8("クロス線の終端を指示して下さい。"));
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
    EXPECT_TRUE(Holds(line));

    h.Click(50, -10);
    h.Click(50, -10);
    EXPECT_EQ(h.Prompt(), QString::fromUtf8("削除クロス線の開始位置を指示して下さい。"));
    EXPECT_TRUE(Holds(line));
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}
