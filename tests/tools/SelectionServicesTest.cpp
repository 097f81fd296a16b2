// The tool base's selection services on a real view: selecting by
// rectangle, taking a selection back, dimension members, and the not-XOR
// figures (drag rectangle, clicked points, cross marker).

#include "common/ToolHarness.h"

#include "model/SnapPointList.h"
#include "platform/PainterDc.h"

#include <QImage>

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace {

class ServiceTool : public CDrawTool {
public:
    ServiceTool() : CDrawTool(96) {}
};

class SelectionServices : public ::testing::Test {
protected:
    CEntity* Add(int16_t type, std::initializer_list<double> values, std::initializer_list<int16_t> codes,
                 int16_t layer = 0, CEntity* owner = nullptr, int16_t subtype = 0)
    {
        return h.AddValues(type, values, codes, layer, owner, {}, subtype);
    }
    CEntity* AddLine(double x1, double y1, double x2, double y2, int16_t layer = 0, CEntity* owner = nullptr)
    {
        return Add(EntityType::Line, {x1, y1, x2, y2}, {10, 20, 11, 22}, layer, owner);
    }
    // A dimension record of a kind that builds no members itself, with two
    // member lines of our own.
    CEntity* AddDimension(std::vector<CEntity*>& members)
    {
        CEntity* dim = Add(EntityType::Dimension, {0, 0}, {10, 20}, 0, nullptr, 99);
        members = {AddLine(10, 10, 20, 10, 0, dim), AddLine(10, 40, 20, 40, 0, dim)};
        return dim;
    }

    ToolHarness h;
    ServiceTool tool;
};

} // namespace

TEST_F(SelectionServices, SelectsWhatLiesInsideOnTheCurrentLayer)
{
    CEntity* inside = AddLine(10, 10, 20, 20);
    CEntity* across = AddLine(50, 10, 200, 20);
    CEntity* otherLayer = AddLine(30, 30, 40, 40, 1);
    CEntity* infinite = Add(EntityType::InfiniteLine, {10, 60, 20, 60}, {10, 20, 11, 22});
    h.View().RedrawNow();
    const QImage before = h.Screen();

    EXPECT_EQ(tool.SelectInRect(&h.View(), 0, 0, 100, 100, EntityState::Selected), 1);
    EXPECT_EQ(inside->state, EntityState::Selected);
    EXPECT_EQ(across->state, 0);
    EXPECT_EQ(otherLayer->state, 0);
    EXPECT_EQ(infinite->state, 0);
    // The selected line is drawn in its new state at once.
    const QImage selected = h.Screen();
    EXPECT_NE(selected, before);
    EXPECT_EQ(h.FreshRedraw(), selected);

    // Taking it back: state 0 again and the screen as before.
    tool.DeselectAll(&h.View(), EntityState::Selected);
    EXPECT_EQ(inside->state, 0);
    EXPECT_EQ(h.Screen(), before);
}

TEST_F(SelectionServices, AnInfiniteLineAloneSelectsNothing)
{
    CEntity* infinite = Add(EntityType::InfiniteLine, {10, 10, 20, 20}, {10, 20, 11, 22});
    CEntity* horizontal = Add(EntityType::HorizontalInfiniteLine, {10, 50, 20, 50}, {10, 20, 11, 22});
    EXPECT_EQ(tool.SelectInRect(&h.View(), 0, 0, 100, 100, EntityState::Selected), 0);
    EXPECT_EQ(infinite->state, 0);
    EXPECT_EQ(horizontal->state, 0);
}

TEST_F(SelectionServices, ADimensionMemberSelectsItsDimensionOnce)
{
    std::vector<CEntity*> members;
    CEntity* dim = AddDimension(members);
    CEntity* after = AddLine(60, 60, 70, 70);

    // Both members inside: the first takes the dimension along (every member
    // highlighted), the second finds it taken already.
    EXPECT_EQ(tool.SelectInRect(&h.View(), 0, 0, 100, 100, EntityState::Selected), 1);
    EXPECT_EQ(dim->state, EntityState::Selected);
    EXPECT_EQ(members[0]->state, EntityState::Highlighted);
    EXPECT_EQ(members[1]->state, EntityState::Selected);
    EXPECT_EQ(after->state, EntityState::Selected);
    EXPECT_EQ(dim->type, EntityType::Dimension);
}

TEST_F(SelectionServices, HighlightStopsAtTheFirstEntityOfAnotherOwner)
{
    std::vector<CEntity*> members;
    CEntity* dim = AddDimension(members);
    CEntity* free = AddLine(0, 0, 5, 5);
    tool.HighlightMembers(&h.View(), dim);
    EXPECT_EQ(members[0]->state, EntityState::Highlighted);
    EXPECT_EQ(members[1]->state, EntityState::Highlighted);
    EXPECT_EQ(free->state, 0);
    EXPECT_EQ(dim->state, 0);
}

TEST_F(SelectionServices, DeselectRevivesTheSnapPoints)
{
    CEntity* line = AddLine(10, 10, 20, 20);
    line->state = EntityState::Selected;
    h.Doc().snaps.SetEntityPointState(line, EntityState::Selected);
    CEntity* marked = AddLine(30, 30, 40, 40);
    marked->state = EntityState::Marked;
    tool.DeselectAll(&h.View(), EntityState::Selected);
    EXPECT_EQ(line->state, 0);
    EXPECT_EQ(marked->state, EntityState::Marked);  // another state stays
    for (const SnapPoint& p : h.Doc().snaps.EntityPoints(line))
        EXPECT_EQ(p.state, 0);
}

TEST_F(SelectionServices, DragRectangleFollowsTheMouseAndLeavesNoTrace)
{
    const QImage before = h.Screen();
    tool.xorColor = MakeColour(255, 0, 0);
    tool.altColor = MakeColour(0, 0, 255);
    tool.anchor = tool.corner = {100, 100};
    XorPreviewShown = 0;
    tool.DrawDragRect(&h.View(), {100, 100}, 1);  // the caller's first call: nothing erased, corner kept
    EXPECT_EQ(XorPreviewShown, 1);
    EXPECT_EQ(tool.corner, (platform::Point{100, 100}));
    tool.DrawDragRect(&h.View(), {160, 140}, 1);
    EXPECT_EQ(tool.corner, (platform::Point{160, 140}));
    const QImage shown = h.Screen();
    // The rectangle from the anchor to the corner, dotted: every pixel
    // changed lies on its outline.
    int changed = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (shown.pixel(x, y) != before.pixel(x, y)) {
                ++changed;
                const bool onOutline = ((x == 100 || x == 160) && y >= 100 && y <= 140) ||
                                       ((y == 100 || y == 140) && x >= 100 && x <= 160);
                EXPECT_TRUE(onOutline) << x << ", " << y;
            }
    EXPECT_GT(changed, 50);
    EXPECT_LT(changed, 200);  // dotted, not solid

    // Back up-left of the anchor: the rectangle is put in order.
    tool.DrawDragRect(&h.View(), {40, 60}, 1);
    EXPECT_EQ(tool.corner, (platform::Point{40, 60}));
    const QImage red = h.Screen();
    int leftSide = 0;
    for (int y = 60; y <= 100; ++y)
        leftSide += red.pixel(40, y) != before.pixel(40, y);
    EXPECT_GT(leftSide, 5);
    // Erasing it (drawn once more with the pen it was drawn with, nothing
    // shown any more) leaves the screen as it was.
    XorPreviewShown = 0;
    tool.DrawDragRect(&h.View(), {40, 60}, 1);
    EXPECT_EQ(h.Screen(), before);

    // The highlight colour when asked for.
    XorPreviewShown = 0;
    tool.DrawDragRect(&h.View(), {40, 60}, 0);
    EXPECT_NE(h.Screen(), red);
    XorPreviewShown = 0;
    tool.DrawDragRect(&h.View(), {40, 60}, 0);
    EXPECT_EQ(h.Screen(), before);
}

TEST_F(SelectionServices, ClickedPointsPreviewIsItsOwnEraser)
{
    const QImage before = h.Screen();
    tool.xorColor = MakeColour(255, 0, 0);
    tool.X[0] = 50;
    tool.Y[0] = 50;
    tool.X[1] = 100;
    tool.Y[1] = 80;
    tool.X[2] = 150;
    tool.Y[2] = 50;
    InputPointCount = 1;
    tool.DrawClickedPointsPreview(&h.View());
    EXPECT_EQ(h.Screen(), before) << "one point makes no line";
    InputPointCount = 3;
    tool.DrawClickedPointsPreview(&h.View());
    const QImage shown = h.Screen();
    EXPECT_NE(shown, before);
    const platform::Point mid = h.Client(100, 80);
    EXPECT_NE(shown.pixel(mid.x, mid.y), before.pixel(mid.x, mid.y));
    tool.DrawClickedPointsPreview(&h.View());
    EXPECT_EQ(h.Screen(), before);
    InputPointCount = 0;
}

TEST(CrossMarker, CoversFourPixelsEachWay)
{
    QImage img(20, 20, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        platform::PainterDc dc(img);
        dc.SelectPen(platform::Pen::Make(platform::PenStyle::Solid, 1, platform::Rgb(0, 0, 0)));
        CDrawTool::DrawCrossMarker(dc, 10, 10);
    }
    int black = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            if (img.pixel(x, y) == qRgb(0, 0, 0)) {
                ++black;
                EXPECT_TRUE((y == 10 && x >= 6 && x <= 14) || (x == 10 && y >= 6 && y <= 14)) << x << ", " << y;
            }
    EXPECT_EQ(black, 17);
}
