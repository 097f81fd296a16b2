// The expansion tool's window processing through the view: the lines a
// window takes are cut at their mutual crossings as one undo step, with the
// rubber band, the cancel, protection and a refused piece.

#include "ExpansionFixture.h"

#include "edit_tools/ExpansionTool.h"
#include "model/Document.h"
#include "model/Settings.h"
#include "model/SnapPointList.h"
#include "resources/Resource.h"
#include "view/ToolState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

class ExpansionWindowTest : public ExpansionFixture {
protected:
    CEntity* AddLine(double x1, double y1, double x2, double y2, int16_t type = EntityType::Line)
    {
        return AddOwn(type, 0, 305, {x1, y1, x2, y2}, {10, 20, 11, 22});
    }
    // Two bands crossing about (150, 150): across at y 140 and 160, upright
    // at x 140 and 160, each from 100 to 200.
    void AddBands()
    {
        AddLine(100, 140, 200, 140);
        AddLine(100, 160, 200, 160);
        AddLine(140, 100, 140, 200);
        AddLine(160, 100, 160, 200);
    }
    void Mode() { ExpansionFixture::Mode(5); }
    void Window(double x0, double y0, double x1, double y1)
    {
        h.Click(x0, y0);
        h.Move((x0 + x1) / 2, (y0 + y1) / 2);
        h.Move(x1, y1);
        h.Click(x1, y1);
    }
    // Type and rounded values of each entity, sorted.
    std::vector<std::vector<double>> Values() { return Sorted(Rows(false)); }
    bool AllNormal()
    {
        for (const CEntity* e = h.Doc().list.first; e; e = e->next)
            if (e->state != EntityState::Normal)
                return false;
        return true;
    }

};

TEST_F(ExpansionWindowTest, CrossingBandsLoseThePartBetweenTheOtherBand)
{
    AddBands();
    const auto before = Values();
    Mode();
    h.Click(130, 130);
    EXPECT_EQ(InputPointCount, 1);
    EXPECT_EQ(h.Prompt(), QStringLiteral("終了位置をクリックしてください。"));
    h.Move(150, 150);
    EXPECT_FALSE(h.ScreenIsFreshRedraw()) << "the window's rubber band is shown";
    h.Move(170, 170);
    h.Click(170, 170);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(h.Prompt(), QStringLiteral("包括処理を行う開始位置をクリックしてください。"));
    const std::vector<std::vector<double>> expected = {
        {20, 100, 140, 140, 140}, {20, 100, 160, 140, 160}, {20, 140, 100, 140, 140}, {20, 140, 200, 140, 160},
        {20, 160, 100, 160, 140}, {20, 160, 200, 160, 160}, {20, 200, 140, 160, 140}, {20, 200, 160, 160, 160},
    };
    EXPECT_EQ(Values(), expected);
    for (const CEntity* e : h.Entities()) {
        EXPECT_EQ(e->colour, OwnColour);
        EXPECT_EQ(e->style, 305);
        EXPECT_EQ(e->layer, 2);
        EXPECT_TRUE(h.Doc().snaps.HasEntityPoints(e));
    }
    EXPECT_TRUE(AllNormal());
    EXPECT_TRUE(h.Doc().modified);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());

    h.Key(ID_EDIT_UNDO);
    EXPECT_EQ(Values(), before);
    EXPECT_TRUE(AllNormal());
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

// An infinite line through a corner of the window crosses its border
// twice (the corner once): it is cut at the line it meets like any other,
// and no piece of zero length comes of it.
TEST_F(ExpansionWindowTest, LineThroughAWindowCorner)
{
    AddLine(120, 190, 145, 140, EntityType::InfiniteLine);  // through (130, 170)
    AddLine(100, 150, 200, 150);
    Mode();
    Window(130, 170, 170, 130);
    EXPECT_EQ(Values(), (std::vector<std::vector<double>>{{20, 100, 150, 200, 150}, {20, 120, 190, 140, 150}}));
    for (const CEntity* e : h.Entities())
        EXPECT_GT(std::hypot(e->values[2] - e->values[0], e->values[3] - e->values[1]), 1.0);
    EXPECT_TRUE(h.Entities(EntityType::InfiniteLine).empty());
    EXPECT_TRUE(AllNormal());
}

TEST_F(ExpansionWindowTest, LinesWithoutAnUnambiguousCutStay)
{
    AddLine(135, 135, 165, 165);  // an X wholly inside
    AddLine(135, 165, 165, 135);
    AddLine(300, 250, 320, 260);  // away from the window, crossing nothing
    const auto before = Values();
    Mode();
    Window(130, 130, 170, 170);
    EXPECT_EQ(Values(), before);
    EXPECT_TRUE(AllNormal());
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(ExpansionWindowTest, RightButtonTakesTheRubberBandAway)
{
    AddBands();
    const auto before = Values();
    Mode();
    h.Click(130, 130);
    h.Move(170, 170);
    h.RightClick(170, 170);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(h.Prompt(), QStringLiteral("包括処理を行う開始位置をクリックしてください。"));
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
    EXPECT_EQ(Values(), before);
}

// A second click on the first one's pixel processes nothing and keeps the
// previous undo step.
TEST_F(ExpansionWindowTest, EmptyWindowKeepsThePreviousUndoStep)
{
    AddBands();
    Mode();
    Window(130, 130, 170, 170);
    const CEntity* mark = h.Doc().list.mark;
    ASSERT_EQ(h.Doc().list.undoState, UndoState::Replaced);
    h.Click(250, 250);
    h.Click(250, 250);
    EXPECT_EQ(h.Doc().list.undoState, UndoState::Replaced);
    EXPECT_EQ(h.Doc().list.mark, mark);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(ExpansionWindowTest, ProtectedDrawingSaysSoOnce)
{
    AddBands();
    const auto before = Values();
    Mode();
    h.Doc().ProtectionState = 1;
    Window(130, 130, 170, 170);
    EXPECT_EQ(h.Messages(), QStringList{QStringLiteral("この図面は、書きこみ禁止状態になっています。")});
    EXPECT_EQ(Values(), before);
    EXPECT_TRUE(AllNormal());
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

// A piece that would start beyond the accepted coordinates is refused:
// every piece goes again, every line stays, and no undo step is left.
TEST_F(ExpansionWindowTest, RefusedPieceLeavesTheDrawingWhole)
{
    AddLine(100, 150, 2e11, 150);  // its second piece starts at its far end
    AddLine(140, 100, 140, 200);
    AddLine(160, 100, 160, 200);
    const auto before = Values();
    Mode();
    Window(130, 130, 170, 170);
    EXPECT_EQ(Values(), before);
    EXPECT_TRUE(AllNormal());
    const CEntityList& l = h.Doc().list;
    EXPECT_EQ(l.undoState, UndoState::Normal);
    EXPECT_FALSE(l.undoChain);
    EXPECT_FALSE(l.mark);
    for (const CEntity* e : h.Entities())
        EXPECT_TRUE(h.Doc().snaps.HasEntityPoints(e));
}

} // namespace
