// Handle and midpoint drags of the selection tool: the grabbed point goes
// where the button is released, the lines meeting it follow, circles and
// arcs are rebuilt, and each drag is one undo step.

#include "SelectToolFixture.h"

#include "model/Document.h"
#include "model/Settings.h"
#include "resources/Resource.h"

#include <cmath>

namespace {

void ExpectValues(const CEntity* e, std::vector<double> expected, double tolerance = 1e-6)
{
    ASSERT_NE(e, nullptr);
    ASSERT_EQ(e->values.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(e->values[i], expected[i], tolerance) << "value " << i;
}

} // namespace

class SelectToolStretchTest : public SelectToolTest {
protected:
    SelectToolStretchTest()
    {
        savedMagnet_ = MagnetEnabled;
        MagnetEnabled = 0;  // no marker: the release point itself
        HideGrid();
    }
    ~SelectToolStretchTest() override { MagnetEnabled = savedMagnet_; }

    // The selection a click and window would leave.
    void Select(std::initializer_list<CEntity*> entities)
    {
        for (CEntity* e : entities) {
            e->state = EntityState::Selected;
            h.View().InvalidateEntity(e);
        }
        Tool().m_selectState = 1;
        SelectionArmed = 1;
    }
    GeoPoint PixelVector(double x1, double y1, double x2, double y2)
    {
        return CSelectTool::DragVector(&h.View(), h.Client(x1, y1), h.Client(x2, y2));
    }
    const CEntity* Last(int16_t type, std::size_t back = 0)
    {
        const auto all = h.Entities(type);
        return all.size() > back ? all[all.size() - 1 - back] : nullptr;
    }
    int savedMagnet_ = 0;
};

TEST_F(SelectToolStretchTest, AHandleOnALineEndMovesEverySelectedEndThereAndUndoTogglesIt)
{
    CEntity* c = AddLine(100, 0, 150, 60);
    h.View().RedrawNow();
    Select({a, c});
    ASSERT_EQ(a->state, EntityState::Selected);
    ASSERT_EQ(c->state, EntityState::Selected);
    const GeoPoint p = Drag(100, 0, 120, -20);

    const auto lines = h.Entities(EntityType::Line);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], b) << "B was not selected and stays";
    ExpectValues(lines[1], {0, 0, p.x, p.y});
    ExpectValues(lines[2], {p.x, p.y, 150, 60});
    for (const CEntity* e : h.Entities())
        EXPECT_EQ(e->state, EntityState::Normal);

    h.Key(ID_EDIT_UNDO);
    const auto back = h.Entities(EntityType::Line);
    ASSERT_EQ(back.size(), 3u);
    ExpectValues(back[1], {0, 0, 100, 0});
    ExpectValues(back[2], {100, 0, 150, 60});
    h.Key(ID_EDIT_UNDO);
    ExpectValues(Last(EntityType::Line), {p.x, p.y, 150, 60});
}

TEST_F(SelectToolStretchTest, ACircleHandleChangesOnlyThatCircle)
{
    CEntity* c1 = AddCircle(200, 0, 10);
    CEntity* c2 = AddCircle(300, 0, 10);
    h.View().RedrawNow();
    Select({c1, c2});
    ASSERT_EQ(c1->state, EntityState::Selected);
    ASSERT_EQ(c2->state, EntityState::Selected);
    const GeoPoint p = Drag(210, 0, 230, 0);  // the handle right of c1

    const auto circles = h.Entities(EntityType::Circle);
    ASSERT_EQ(circles.size(), 2u);
    // Diameter from the opposite extreme point (190, 0) to the release.
    const double d = std::hypot(p.x - 190, p.y);
    EXPECT_NEAR(circles[1]->values[2], d / 2, 1e-6);
    EXPECT_NEAR(circles[1]->values[0], 190 + d / 2, 0.5);
    ExpectValues(circles[0], {300, 0, 10});
}

TEST_F(SelectToolStretchTest, AnArcStretchedByAnEndKeepsItsBulgeAndRatio)
{
    // A half circle about (200, 100), counter-clockwise from 0 to 180.
    CEntity* arc = Add(EntityType::Arc, {200, 100, 20, 0, 180}, {10, 20, 40, 50, 51});
    arc->subtype = 1;
    h.Doc().snaps.RemoveEntityPoints(arc);
    h.Doc().snaps.AddEntityPoints(arc);
    h.View().RedrawNow();
    Select({arc});
    ASSERT_EQ(arc->state, EntityState::Selected);
    const GeoPoint p = Drag(220, 100, 240, 100);

    const CEntity* copy = Last(EntityType::Arc);
    ASSERT_NE(copy, arc);
    // Still a half circle over the new chord, bulging up.
    const double chord = std::hypot(p.x - 180, p.y - 100);
    EXPECT_NEAR(copy->values[2], chord / 2, 0.01);
    EXPECT_NEAR(copy->values[0], (p.x + 180) / 2, 0.01);
    EXPECT_NEAR(copy->values[3], 0, 1.0);
    EXPECT_NEAR(copy->values[4], 180, 1.0);
    EXPECT_EQ(copy->subtype, 1);

    h.Key(ID_EDIT_UNDO);
    ExpectValues(Last(EntityType::Arc), {200, 100, 20, 0, 180});
}

TEST_F(SelectToolStretchTest, AMidpointDragMovesTheLineAndStretchesTheLinesMeetingIt)
{
    CEntity* d = AddLine(100, 0, 150, -40);
    // An arc from (0, 0) to (100, 0) below A: both its ends lie on A's ends.
    CEntity* arc = Add(EntityType::Arc, {50, 0, 50, 180, 360}, {10, 20, 40, 50, 51});
    arc->subtype = 1;
    h.Doc().snaps.RemoveEntityPoints(arc);
    h.Doc().snaps.AddEntityPoints(arc);
    h.View().RedrawNow();
    Select({a, b, d, arc});  // B apart from the others
    ASSERT_EQ(d->state, EntityState::Selected);
    ASSERT_EQ(a->state, EntityState::Selected);
    ASSERT_EQ(b->state, EntityState::Selected);
    ASSERT_EQ(arc->state, EntityState::Selected);
    const GeoPoint v = PixelVector(50, 0, 60, 30);
    Drag(50, 0, 60, 30);

    const auto lines = h.Entities(EntityType::Line);
    ASSERT_EQ(lines.size(), 3u);
    // The copies follow in list order: A, B, D.
    ExpectValues(lines[0], {0 + v.x, 0 + v.y, 100 + v.x, 0 + v.y});
    ExpectValues(lines[1], {0, 50, 100, 50});
    ExpectValues(lines[2], {100 + v.x, 0 + v.y, 150, -40});
    ExpectValues(Last(EntityType::Arc), {50 + v.x, 0 + v.y, 50, 180, 360});

    h.Key(ID_EDIT_UNDO);
    for (const CEntity* e : h.Entities(EntityType::Line))
        EXPECT_TRUE(e->values == std::vector<double>({0, 0, 100, 0}) || e->values == std::vector<double>({0, 50, 100, 50}) ||
                    e->values == std::vector<double>({100, 0, 150, -40}));
}

TEST_F(SelectToolStretchTest, AGroupDraggedByAMemberHandleKeepsItsHeader)
{
    CEntity* c = AddLine(100, 0, 100, 50);
    CEntity* header = AddGroup({a, c});
    const int16_t group = header->group;
    h.View().RedrawNow();
    Select({a, c, header});
    ASSERT_EQ(header->state, EntityState::Selected);
    const GeoPoint p = Drag(100, 0, 120, -20);

    const CEntity* newHeader = Last(EntityType::GroupHeader);
    ASSERT_NE(newHeader, nullptr);
    EXPECT_EQ(newHeader->group, group);
    const auto lines = h.Entities(EntityType::Line);
    ASSERT_EQ(lines.size(), 3u);
    int members = 0;
    for (const CEntity* e : lines)
        if (e->owner == newHeader) {
            ++members;
            EXPECT_TRUE((std::fabs(e->values[0] - p.x) < 1e-9 && std::fabs(e->values[1] - p.y) < 1e-9) ||
                        (std::fabs(e->values[2] - p.x) < 1e-9 && std::fabs(e->values[3] - p.y) < 1e-9));
        }
    EXPECT_EQ(members, 2);
}

TEST_F(SelectToolStretchTest, AProtectedDrawingRefusesAHandleDragOnce)
{
    Select({a, b});
    h.Doc().ProtectionState = 1;
    const std::vector<std::vector<double>> before = {a->values.ToVector(), b->values.ToVector()};
    Drag(100, 0, 120, -20);
    EXPECT_EQ(h.Messages(), QStringList{QStringLiteral("この図面は、書きこみ禁止状態になっています。")});
    const auto lines = h.Entities(EntityType::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], a);
    EXPECT_EQ(lines[1], b);
    EXPECT_EQ(a->values, before[0]);
    h.Doc().ProtectionState = 0;
}
