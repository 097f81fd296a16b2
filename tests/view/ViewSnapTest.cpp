// The view's snap searches, the colour of each state and the snap point of
// an entity by kind.

#include "ViewTestSupport.h"

class ViewSnapTest : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        Map(400, 400);
    }
    CEntity* Point(double x, double y) { return Add(EntityType::Point, {x, y}); }
    CEntity* Line(double x1, double y1, double x2, double y2)
    {
        return Add(EntityType::Line, {x1, y1, x2, y2}, 0, 0, 0, 0, {10, 20, 11, 22});
    }
    // The pixel of a model point.
    int Xd(double x) const { return view->XToDevice(x); }
    int Yd(double y) const { return view->YToDevice(y); }
};

TEST_F(ViewSnapTest, NearestPointWithinTenPixels)
{
    Point(55, 50);
    double x = -1, y = -1;
    EXPECT_EQ(view->FindNearestSnapPoint(Xd(50), Yd(50), x, y), SnapKind::Point);
    EXPECT_EQ(x, 55);
    EXPECT_EQ(y, 50);

    // Exactly under the cursor: no pixel test at all.
    EXPECT_EQ(view->FindNearestSnapPoint(Xd(55), Yd(50), x, y), SnapKind::Point);
    // Exactly 10 pixels away is accepted, 11 is not (and the out point is 0).
    EXPECT_EQ(view->FindNearestSnapPoint(Xd(45), Yd(50), x, y), SnapKind::Point);
    EXPECT_EQ(view->FindNearestSnapPoint(Xd(44), Yd(50), x, y), 0);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    // More than 100 model units away: none at all.
    EXPECT_EQ(view->FindNearestSnapPoint(Xd(160), Yd(50), x, y), -1);
}

TEST_F(ViewSnapTest, ModelBoundAndPixelBoundAtSmallZoom)
{
    // 0.12 pixels per millimetre: 99 units are 12 pixels, 150 units 18.
    Map(400, 400, 1, 0.12);
    Point(1000 + 99, 1000);
    double x = 0, y = 0;
    EXPECT_EQ(view->FindNearestSnapPoint(Xd(1000), Yd(1000), x, y), 0);

    // At a large scale ten pixels span thousands of units, yet a point 150
    // units away is beyond the model bound.
    Map(400, 400, 1000, 1);
    Point(5000 + 150, 5000);
    EXPECT_EQ(view->FindNearestSnapPoint(Xd(5000), Yd(5000), x, y), -1);
    Point(5000 + 60, 5000);
    EXPECT_EQ(view->FindNearestSnapPoint(Xd(5000), Yd(5000), x, y), SnapKind::Point);
    EXPECT_EQ(x, 5060);
}

TEST_F(ViewSnapTest, TieGoesToTheEarlierPoint)
{
    Point(46, 50);
    Point(54, 50);
    double x = 0, y = 0;
    view->FindNearestSnapPoint(Xd(50), Yd(50), x, y);
    EXPECT_EQ(x, 46);

    doc->snaps.RemoveAll();
    doc->list.RemoveAll();
    Point(54, 50);
    Point(46, 50);
    view->FindNearestSnapPoint(Xd(50), Yd(50), x, y);
    EXPECT_EQ(x, 54);
}

TEST_F(ViewSnapTest, DeadPointsAndTheExceptedEntityAreIgnored)
{
    CEntity* a = Point(52, 50);
    Point(56, 50);
    doc->snaps.SetEntityPointState(a, 3);
    double x = 0, y = 0;
    EXPECT_EQ(view->FindNearestSnapPoint(Xd(50), Yd(50), x, y), SnapKind::Point);
    EXPECT_EQ(x, 56);

    doc->snaps.SetEntityPointState(a, 0);
    EXPECT_EQ(view->FindNearestSnapPointExcept(Xd(50), Yd(50), x, y, a), SnapKind::Point);
    EXPECT_EQ(x, 56);
    EXPECT_EQ(view->FindNearestSnapPointExcept(Xd(50), Yd(50), x, y, nullptr), SnapKind::Point);
    EXPECT_EQ(x, 52);
}

TEST_F(ViewSnapTest, NearestFromAModelPointNarrowsTheBound)
{
    CEntity* line = Line(0, 0, 100, 0);  // ends and midpoint
    Point(30, 40);
    double x = 0, y = 0, bound = 1000;
    EXPECT_EQ(view->FindNearestSnapPointFrom(x, y, bound, nullptr, 45, 5), SnapKind::LineMidpoint);
    EXPECT_EQ(x, 50);
    EXPECT_DOUBLE_EQ(bound, std::hypot(5.0, 5.0));
    EXPECT_EQ(view->FindNearestSnapPointFrom(x, y, bound, nullptr, 45, 5), -1);  // nothing closer than that
    bound = 1000;
    EXPECT_EQ(view->FindNearestSnapPointFrom(x, y, bound, line, 45, 5), SnapKind::Point);
    EXPECT_EQ(x, 30);
    EXPECT_DOUBLE_EQ(bound, std::hypot(15.0, 35.0));
}

TEST_F(ViewSnapTest, SelectedVariantSkipsPointsQuadrantsCrossingsAndDimensionMembers)
{
    CEntity* line = Line(40, 50, 140, 50);
    CEntity* other = Line(50, 0, 50, 60);  // crosses the first at (50, 50)
    CEntity* point = Point(49, 50);
    line->state = other->state = point->state = EntityState::Selected;
    double x = 0, y = 0;
    int kind = -7;
    // The crossing (kind 14) and the point entity are nearer; the line's start wins.
    EXPECT_EQ(view->FindNearestSelectedSnapPoint(Xd(49), Yd(50), x, y, kind), line);
    EXPECT_EQ(kind, SnapKind::LineStart);
    EXPECT_EQ(x, 40);

    // Not selected: not found.
    line->state = 0;
    kind = -7;
    EXPECT_EQ(view->FindNearestSelectedSnapPoint(Xd(40), Yd(50), x, y, kind), nullptr);
    EXPECT_EQ(kind, -7);
    EXPECT_EQ(x, 0);

    // A member of a dimension: not found even when selected.
    CEntity dimension;
    dimension.type = EntityType::Dimension;
    line->state = EntityState::Selected;
    line->owner = &dimension;
    EXPECT_EQ(view->FindNearestSelectedSnapPoint(Xd(40), Yd(50), x, y, kind), nullptr);
    line->owner = nullptr;

    // The bound is 200 model units, then 10 pixels.
    EXPECT_EQ(view->FindNearestSelectedSnapPoint(Xd(140), Yd(61), x, y, kind), nullptr);
    EXPECT_EQ(view->FindNearestSelectedSnapPoint(Xd(140), Yd(59), x, y, kind), line);
    EXPECT_EQ(kind, SnapKind::LineEnd);
}

TEST_F(ViewSnapTest, SnapPointOfAnEntityByKind)
{
    CEntity* line = Line(0, 0, 100, 20);
    double x = -1, y = -1;
    EXPECT_EQ(view->GetSnapPoint(line, SnapKind::LineMidpoint, x, y), 0);
    EXPECT_EQ(x, 50);
    EXPECT_EQ(y, 10);
    EXPECT_EQ(view->GetSnapPoint(line, SnapKind::LineEnd, x, y), 0);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(view->GetSnapPoint(line, SnapKind::Point, x, y), 1);
    doc->snaps.SetEntityPointState(line, 3);
    EXPECT_EQ(view->GetSnapPoint(line, SnapKind::LineMidpoint, x, y), 1);
}

TEST_F(ViewSnapTest, EmptyListAnswersAtOnce)
{
    double x = 5, y = 5;
    EXPECT_EQ(view->FindNearestSnapPoint(10, 10, x, y), -1);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    int kind = 3;
    EXPECT_EQ(view->FindNearestSelectedSnapPoint(10, 10, x, y, kind), nullptr);
}

TEST_F(ViewSnapTest, ColourByState)
{
    for (int i = 0; i < 7; ++i)
        view->colors[i] = 0x100 + i;
    const COLORREF own = 0x123456;
    struct {
        int state;
        COLORREF colour;
    } cases[] = {{-1, 0x100}, {0, own},        {1, 0x102},       {2, 0x106},
                 {3, 0x01000011}, {4, 0x01000011}, {5, 0x103}, {6, own}, {7, own}, {-2, own}};
    for (auto c : cases)
        EXPECT_EQ(view->GetStateColor(c.state, own), c.colour) << c.state;
}
