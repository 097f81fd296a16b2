// Dragging the selection with the selection tool: the selection is replaced
// by moved copies in one undo step; the magnet draws the drag onto snap and
// grid points; groups and dimensions move whole.

#include "SelectToolFixture.h"

#include "model/Document.h"
#include "resources/Resource.h"

#include <string>

namespace {

std::vector<std::vector<double>> ValuesOf(const std::vector<const CEntity*>& entities)
{
    std::vector<std::vector<double>> out;
    for (const CEntity* e : entities)
        out.push_back(e->values.ToVector());
    return out;
}

} // namespace

class SelectToolDragTest : public SelectToolTest {
protected:
    SelectToolDragTest() { HideGrid(); }
    bool NothingSelected() const
    {
        for (const CEntity* e : h.Entities())
            if (e->state != 0)
                return false;
        return Tool().m_selectState == 0 && SelectionArmed == 0;
    }
    CSelectTool& Tool() const { return *static_cast<CSelectTool*>(ToolList.GetAt(0)); }
    // The drag vector between two model points as the mouse gives it: the
    // pixels they fall on.
    GeoPoint PixelVector(double x1, double y1, double x2, double y2)
    {
        return CSelectTool::DragVector(&h.View(), h.Client(x1, y1), h.Client(x2, y2));
    }
    static std::vector<double> Shifted(std::vector<double> values, GeoPoint v)
    {
        for (std::size_t i = 0; i + 1 < values.size(); i += 2) {
            values[i] += v.x;
            values[i + 1] += v.y;
        }
        return values;
    }
};

TEST_F(SelectToolDragTest, MoveReplacesTheSelectionAndUndoTogglesIt)
{
    h.Click(50, 0);
    ASSERT_EQ(a->state, EntityState::Selected);
    const GeoPoint v = PixelVector(20, 0, 30, 20);
    ASSERT_NEAR(v.x, 10, 1.0);
    ASSERT_NEAR(v.y, 20, 1.0);
    Drag(20, 0, 30, 20);
    const std::vector<double> moved = Shifted({0, 0, 100, 0}, v);

    auto lines = h.Entities(EntityType::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], b) << "B stays where it was, the copy of A follows it";
    EXPECT_EQ(lines[1]->values, moved);
    EXPECT_TRUE(NothingSelected());
    EXPECT_EQ(h.Doc().list.undoState, UndoState::Replaced);
    EXPECT_TRUE(h.Doc().modified);

    h.Key(ID_EDIT_UNDO);
    EXPECT_EQ(ValuesOf(h.Entities()), (std::vector<std::vector<double>>{{0, 50, 100, 50}, {0, 0, 100, 0}}));
    EXPECT_TRUE(NothingSelected());
    h.Key(ID_EDIT_UNDO);
    EXPECT_EQ(ValuesOf(h.Entities()), (std::vector<std::vector<double>>{{0, 50, 100, 50}, moved}));
    EXPECT_TRUE(h.ScreenIsFreshRedraw());

    // The moved line's snap points stand at its new place, the old ones are gone.
    double x = 0, y = 0, bound = 1.0;
    EXPECT_GE(h.View().FindNearestSnapPointFrom(x, y, bound, nullptr, moved[2], moved[3]), 0);
    bound = 1.0;
    EXPECT_LT(h.View().FindNearestSnapPointFrom(x, y, bound, nullptr, 100, 0), 0);
}

TEST_F(SelectToolDragTest, MagnetDrawsASmallMoveBackOntoTheSharedEndAlsoWithTheMagnetOff)
{
    CEntity* c = AddLine(100, 0, 100, 30);
    for (int magnet : {1, 0}) {
        SCOPED_TRACE(magnet);
        MagnetEnabled = magnet;
        Window(-10, -10, 110, 40);
        ASSERT_EQ(a->state, EntityState::Selected);
        ASSERT_EQ(c->state, EntityState::Selected);
        // Three pixels: each line's shared end finds the other's at its old place.
        const platform::Point p = h.Client(40, 0);
        h.MoveAt(p);
        h.LeftDownAt(p);
        h.MoveAt({p.x + 3, p.y + 3});
        h.LeftUpAt({p.x + 3, p.y + 3});
        const auto lines = h.Entities(EntityType::Line);
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[1]->values, (std::vector<double>{0, 0, 100, 0}));
        EXPECT_EQ(lines[2]->values, (std::vector<double>{100, 0, 100, 30}));
        a = const_cast<CEntity*>(lines[1]);
        c = const_cast<CEntity*>(lines[2]);
    }
}

TEST_F(SelectToolDragTest, MoveLandsOnAShownGridPointWithinTenPixels)
{
    CEntity* grid = h.Doc().list.first;
    ASSERT_EQ(grid->type, EntityType::Grid);
    grid->subtype = 1;
    grid->values[2] = 10;
    h.Doc().DrawingOrigin[0] = h.Doc().DrawingOrigin[1] = 0;  // grid points at multiples of 10
    h.Click(50, 0);
    // Dragged by a little over (20, 10): A's start draws onto the grid point (20, 10).
    const platform::Point p = h.Client(20, 0), q = h.Client(40.4, 10.3);
    h.MoveAt(p);
    h.LeftDownAt(p);
    h.MoveAt(q);
    h.LeftUpAt(q);
    const auto lines = h.Entities(EntityType::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1]->values, (std::vector<double>{20, 10, 120, 10}));
}

TEST_F(SelectToolDragTest, GroupMovesWholeAndItsHeaderIsMadeAnew)
{
    CEntity* header = AddGroup({a, b});
    const int16_t group = header->group;
    h.Click(50, 0);
    ASSERT_EQ(b->state, EntityState::Selected) << "a click on a member selects its group";
    const GeoPoint v = PixelVector(20, 0, 30, 20);
    Drag(20, 0, 30, 20);

    const auto headers = h.Entities(EntityType::GroupHeader);
    ASSERT_EQ(headers.size(), 1u);
    EXPECT_NE(headers[0], header);
    EXPECT_EQ(headers[0]->group, group);
    const auto lines = h.Entities(EntityType::Line);
    ASSERT_EQ(lines.size(), 2u);
    for (const CEntity* line : lines) {
        EXPECT_EQ(line->owner, headers[0]);
        EXPECT_EQ(line->group, group);
    }
    EXPECT_EQ(ValuesOf(lines),
              (std::vector<std::vector<double>>{Shifted({0, 0, 100, 0}, v), Shifted({0, 50, 100, 50}, v)}));
    EXPECT_EQ(headers[0]->values, (std::vector<double>{v.x, v.y, 1, 0})) << "placed by the drag, scale and angle kept";
    EXPECT_TRUE(NothingSelected());

    h.Key(ID_EDIT_UNDO);
    ASSERT_EQ(h.Entities(EntityType::GroupHeader).size(), 1u);
    EXPECT_EQ(h.Entities(EntityType::GroupHeader)[0], header);
    EXPECT_EQ(a->owner, header);
    EXPECT_EQ(b->owner, header);
    EXPECT_EQ(a->values, (std::vector<double>{0, 0, 100, 0}));
}

TEST_F(SelectToolDragTest, ProtectedDrawingRefusesOnceAndChangesNothing)
{
    for (int protection : {1, 2}) {
        SCOPED_TRACE(protection);
        h.Doc().ProtectionState = protection;
        h.Ui().clear();
        Window(-10, -10, 110, 60);
        std::vector<const CEntity*> before = h.Entities();
        const auto valuesBefore = ValuesOf(before);
        const CEntity* undoBefore = h.Doc().list.undoChain;
        Drag(20, 0, 30, 20);
        EXPECT_EQ(h.Entities(), before);
        EXPECT_EQ(ValuesOf(h.Entities()), valuesBefore);
        EXPECT_EQ(h.Doc().list.undoChain, undoBefore);
        ASSERT_EQ(h.Messages().size(), 1);
        EXPECT_EQ(h.Messages()[0].toStdString(), protection == 1
                                                     ? "この図面は、書きこみ禁止状態になっています。"
                                                     : "この図面は、パスワードによって保護されています。");
        Tool().Reset(&h.View());
    }
}

TEST_F(SelectToolDragTest, DimensionMovesWithNewMembersAndUndoBringsTheOldOnesBack)
{
    // An area dimension: its text stands at (40, 41).
    EntityHeader hd{EntityType::Dimension, 8, 1, 0, 9};
    const int16_t codes[] = {30, 31, 32, 10, 11, 12, 13, 40, 41};
    const double values[] = {0, 0, 0, 0, 3.5, 0, 1, 200, 200};
    CEntityList& list = h.Doc().list;
    ASSERT_EQ(list.AddEntity(hd, codes, 0, values), 0);
    CEntity* dimension = list.last;
    while (dimension && dimension->type != EntityType::Dimension)
        dimension = dimension->owner;
    ASSERT_NE(dimension, nullptr);
    std::vector<CEntity*> members;
    for (CEntity* e = dimension; e; e = e->next) {
        h.Doc().snaps.AddEntityPoints(e);
        e->state = EntityState::Selected;
        if (e != dimension)
            members.push_back(e);
    }
    ASSERT_FALSE(members.empty());
    a->state = EntityState::Selected;
    const std::size_t countBefore = h.Entities().size();

    const GeoPoint v = PixelVector(0, 0, 10, 10);
    Tool().m_dragStart = h.Client(0, 0);
    Tool().ApplyMove(&h.View(), h.Client(10, 10));

    const auto dimensions = h.Entities(EntityType::Dimension);
    ASSERT_EQ(dimensions.size(), 1u);
    EXPECT_NE(dimensions[0], dimension);
    EXPECT_EQ(dimensions[0]->values[7], 200 + v.x);
    EXPECT_EQ(dimensions[0]->values[8], 200 + v.y);
    EXPECT_EQ(h.Entities().size(), countBefore) << "the old members left, the copy built its own";
    for (const CEntity* e : h.Entities()) {
        if (e->owner) {
            EXPECT_EQ(e->owner, dimensions[0]);
        }
    }
    EXPECT_EQ(list.mark, h.Entities(EntityType::Line)[1]) << "the first copy is the moved line";

    h.Key(ID_EDIT_UNDO);
    ASSERT_EQ(h.Entities(EntityType::Dimension).size(), 1u);
    EXPECT_EQ(h.Entities(EntityType::Dimension)[0], dimension);
    for (CEntity* m : members)
        EXPECT_EQ(m->owner, dimension);
    EXPECT_EQ(h.Entities().size(), countBefore);
}
