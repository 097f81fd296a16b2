// The expansion tool's join mode through the view: two lines on one
// straight line become one, two others meet at their corner, an arc or an
// elliptic arc closes; each is one undo step.

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

class ExpansionJoinTest : public ExpansionFixture {
protected:
    CEntity* AddLine(const std::vector<double>& v, int16_t style)
    {
        return AddOwn(EntityType::Line, 0, style, v, {10, 20, 11, 22});
    }
    void Mode() { ExpansionFixture::Mode(4); }
    // Type, style and rounded values of each entity, in list order.
    std::vector<std::vector<double>> Values() { return Rows(true); }

};

// F (style 101) picked at p0, G (style 202) at p1; what stands afterwards.
TEST_F(ExpansionJoinTest, TwoLines)
{
    struct Case {
        const char* what;
        std::vector<double> f, g;
        double p0[2], p1[2];
        bool gFirst;  // G stands before F in the list (where it lies on F, a click there finds G)
        std::vector<std::vector<double>> result;  // the new lines in list order; empty: unchanged
    } cases[] = {
        {"end to end", {20, 20, 30, 20}, {30, 20, 40, 20}, {25, 20}, {35, 20}, false, {{20, 101, 40, 20, 20, 20}}},
        {"across a gap", {20, 20, 30, 20}, {45, 20, 60, 20}, {25, 20}, {50, 20}, false, {{20, 101, 60, 20, 20, 20}}},
        {"the second inside the first", {20, 20, 70, 20}, {40, 20, 55, 20}, {25, 20}, {50, 20}, true,
         {{20, 101, 20, 20, 70, 20}}},
        {"the first inside the second", {40, 20, 55, 20}, {20, 20, 70, 20}, {50, 20}, {25, 20}, false,
         {{20, 101, 70, 20, 20, 20}}},
        {"an X picked on the arms that stay", {60, 60, 140, 140}, {60, 140, 140, 60}, {120, 120}, {80, 120}, false,
         {{20, 101, 140, 140, 100, 100}, {20, 202, 60, 140, 100, 100}}},
        {"an X picked on the other arms", {60, 60, 140, 140}, {60, 140, 140, 60}, {80, 80}, {120, 80}, false,
         {{20, 101, 60, 60, 100, 100}, {20, 202, 140, 60, 100, 100}}},
        {"meeting beyond both ends", {20, 20, 60, 20}, {100, 40, 100, 80}, {40, 20}, {100, 60}, false,
         {{20, 101, 20, 20, 100, 20}, {20, 202, 100, 80, 100, 20}}},
        {"parallel", {20, 20, 60, 20}, {20, 50, 60, 50}, {40, 20}, {40, 50}, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Clear();
        if (c.gFirst)
            AddLine(c.g, 202);
        CEntity* f = AddLine(c.f, 101);
        if (!c.gFirst)
            AddLine(c.g, 202);
        const auto before = Values();
        Mode();
        h.Click(c.p0[0], c.p0[1]);
        EXPECT_EQ(f->state, EntityState::Highlighted);
        EXPECT_EQ(InputPointCount, 1);
        EXPECT_EQ(h.Prompt(), QStringLiteral("接合対象図形を指示して下さい。"));
        h.Click(c.p1[0], c.p1[1]);
        EXPECT_EQ(InputPointCount, 0);
        EXPECT_EQ(h.Prompt(), QStringLiteral("接合する図形要素を指示して下さい。"));
        if (c.result.empty()) {
            EXPECT_EQ(Values(), before);
            EXPECT_EQ(f->state, EntityState::Normal);
            EXPECT_TRUE(h.ScreenIsFreshRedraw());
            continue;
        }
        EXPECT_EQ(Values(), c.result);
        for (const CEntity* e : h.Entities()) {
            EXPECT_EQ(e->colour, NewColour);
            EXPECT_EQ(e->layer, 2);
            EXPECT_EQ(e->subtype, 0);
            EXPECT_TRUE(h.Doc().snaps.HasEntityPoints(e));
        }
        EXPECT_TRUE(h.ScreenIsFreshRedraw());
        h.Key(ID_EDIT_UNDO);
        EXPECT_EQ(Sorted(Values()), Sorted(before));
        EXPECT_TRUE(h.ScreenIsFreshRedraw());
    }
}

TEST_F(ExpansionJoinTest, ArcAndEllipticArcCloseInOneClick)
{
    AddOwn(EntityType::Arc, -1, 303, {100, 100, 40, 30, 120}, {10, 20, 40, 50, 51});
    AddOwn(EntityType::EllipticArc, 1, 404, {250, 100, 60, 30, 10, 0, 90}, {10, 20, 60, 61, 62, 50, 51});
    const auto before = Values();
    Mode();
    h.Click(100, 60);  // on the arc, at 270 degrees
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(h.Prompt(), QStringLiteral("接合する図形要素を指示して下さい。"));
    const CEntity* circle = h.Doc().list.last;
    EXPECT_EQ(circle->type, EntityType::Circle);
    EXPECT_EQ(circle->subtype, 0);
    EXPECT_EQ(circle->style, 303);
    EXPECT_EQ(circle->values, (std::vector<double>{100, 100, 40}));
    EXPECT_EQ(circle->codes, (std::vector<int16_t>{10, 20, 40}));
    EXPECT_EQ(circle->layer, 2);
    EXPECT_EQ(circle->colour, NewColour);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
    h.Key(ID_EDIT_UNDO);
    EXPECT_EQ(Sorted(Values()), Sorted(before));

    // The elliptic arc: a point on it at its parameter 45 degrees.
    const double t = 45 * 3.14159265358979 / 180, rot = 10 * 3.14159265358979 / 180;
    const double lx = 60 * std::cos(t), ly = 30 * std::sin(t);
    h.Click(250 + lx * std::cos(rot) - ly * std::sin(rot), 100 + lx * std::sin(rot) + ly * std::cos(rot));
    const CEntity* ellipse = h.Doc().list.last;
    ASSERT_EQ(ellipse->type, EntityType::Ellipse);
    EXPECT_EQ(ellipse->style, 404);
    EXPECT_EQ(ellipse->values, (std::vector<double>{250, 100, 60, 30, 10}));
    EXPECT_EQ(ellipse->codes, (std::vector<int16_t>{10, 20, 60, 61, 62}));
}

TEST_F(ExpansionJoinTest, SecondPickMustBeALine)
{
    CEntity* f = AddLine({20, 20, 60, 20}, 101);
    AddOwn(EntityType::Arc, 1, 303, {100, 100, 40, 0, 180}, {10, 20, 40, 50, 51});
    const auto before = Values();
    Mode();
    h.Click(40, 20);
    const int beeps = h.Beeps();
    h.Click(100, 140);  // the arc
    EXPECT_EQ(h.Beeps(), beeps + 1);
    h.Click(300, 250);  // nothing
    EXPECT_EQ(h.Beeps(), beeps + 2);
    EXPECT_EQ(InputPointCount, 1);
    EXPECT_EQ(f->state, EntityState::Highlighted);
    // The same line again joins nothing.
    h.Click(30, 20);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(Values(), before);
    EXPECT_EQ(f->state, EntityState::Normal);
    // The right button lets the first line go.
    h.Click(40, 20);
    h.RightClick(300, 250);
    EXPECT_EQ(f->state, EntityState::Normal);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(h.Prompt(), QStringLiteral("接合する図形要素を指示して下さい。"));
}

TEST_F(ExpansionJoinTest, ProtectedDrawingSaysSoOnce)
{
    CEntity* f = AddLine({20, 20, 30, 20}, 101);
    AddLine({30, 20, 40, 20}, 202);
    const auto before = Values();
    Mode();
    h.Click(25, 20);
    h.Doc().ProtectionState = 1;
    h.Click(35, 20);
    EXPECT_EQ(h.Messages(), QStringList{QStringLiteral("この図面は、書きこみ禁止状態になっています。")});
    EXPECT_EQ(Values(), before);
    EXPECT_EQ(f->state, EntityState::Normal);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

// The second new line would start beyond the accepted coordinates: the
// first is taken back and both lines stay, with no undo step.
TEST_F(ExpansionJoinTest, RefusedSecondLinePutsBothBack)
{
    CEntity* f = AddLine({20, 20, 60, 20}, 101);
    // Through (100, 40) and far away: its kept end is the far one.
    CEntity* g = AddLine({100, 40, 1e12, 1e12}, 202);
    const auto before = Values();
    Mode();
    h.Click(40, 20);
    h.Click(100.04, 40.04);
    EXPECT_EQ(Values(), before);
    EXPECT_EQ(f->state, EntityState::Normal);
    EXPECT_EQ(g->state, EntityState::Normal);
    const CEntityList& l = h.Doc().list;
    EXPECT_EQ(l.undoState, UndoState::Normal);
    EXPECT_FALSE(l.undoChain);
    EXPECT_FALSE(l.mark);
    EXPECT_TRUE(h.Doc().snaps.HasEntityPoints(f));
    EXPECT_TRUE(h.Doc().snaps.HasEntityPoints(g));
}

} // namespace
