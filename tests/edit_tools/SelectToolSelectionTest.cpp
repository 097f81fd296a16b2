// Selecting with the selection tool: clicks toggle one unit, windows take
// what lies inside, Ctrl+A takes the current layer; the marks of the group
// sub-modes, the right button, the double click and Reset.

#include "SelectToolFixture.h"

#include "resources/Resource.h"

TEST_F(SelectToolTest, ClickSelectsOneLineAndWindowTakesBoth)
{
    h.Click(50, 0);
    EXPECT_EQ(a->state, EntityState::Selected);
    EXPECT_EQ(b->state, 0);
    EXPECT_EQ(Tool().m_selectState, 1);
    EXPECT_EQ(Tool().m_primary, a);
    EXPECT_EQ(SelectionArmed, 1);

    // A click elsewhere in sub-mode 0 replaces the selection.
    h.Click(50, 50);
    EXPECT_EQ(a->state, 0);
    EXPECT_EQ(b->state, EntityState::Selected);

    h.Click(200, 200);  // nothing there: the press clears it
    EXPECT_EQ(States(), (std::vector<int>{0, 0}));

    Window(-10, -10, 110, 60);
    EXPECT_EQ(States(), (std::vector<int>{3, 3}));
    EXPECT_EQ(Tool().m_primary, nullptr);
    EXPECT_EQ(Tool().m_selectState, 1);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(SelectToolTest, NinePixelsIsAClickTenAWindow)
{
    // Pressed on empty paper between the lines: a click there finds nothing
    // and leaves the tool idle; a window, even an empty one, is a selection.
    struct Case {
        int dx, dy;
        int selectState;
    } cases[] = {{9, 9, 0}, {-9, 9, 0}, {10, 0, 1}, {0, -10, 1}, {10, 10, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dx << "," << c.dy);
        Tool().Reset(&h.View());
        DragBy(150, 25, c.dx, c.dy);
        EXPECT_EQ(Tool().m_selectState, c.selectState);
        EXPECT_EQ(SelectionArmed, c.selectState);
        EXPECT_EQ(ButtonDownPending, 0);
        EXPECT_EQ(XorPreviewShown, 0);
        // The rubber band is gone from the screen.
        EXPECT_TRUE(h.ScreenIsFreshRedraw());
    }
}

TEST_F(SelectToolTest, ShortDragOnTheSelectionClearsItAndMovesNothing)
{
    Window(-10, -10, 110, 60);
    DragBy(50, 0, 1, 1);
    EXPECT_EQ(States(), (std::vector<int>{0, 0}));
    EXPECT_EQ(a->values, (std::vector<double>{0, 0, 100, 0}));
    EXPECT_EQ(Tool().m_selectState, 0);
    EXPECT_EQ(SelectionArmed, 0);
}

TEST_F(SelectToolTest, AGroupIsSelectedAsOneUnit)
{
    CEntity* c = AddLine(0, 100, 100, 100);
    CEntity* group = AddGroup({a, b});
    h.View().RedrawNow();

    h.Click(50, 0);
    EXPECT_EQ(group->state, EntityState::Selected);
    EXPECT_EQ(b->state, EntityState::Selected);
    EXPECT_EQ(c->state, 0);
    EXPECT_EQ(Tool().m_primary, group);
    EXPECT_EQ(Tool().m_hitEntity, a);

    // A window holding one member takes the whole group.
    Tool().Reset(&h.View());
    Window(-10, 40, 110, 60);
    EXPECT_EQ(States(), (std::vector<int>{3, 3, 0, 3}));
}

TEST_F(SelectToolTest, OnlyTheCurrentLayerIsSelected)
{
    CEntity* other = AddLine(0, 25, 100, 25, 1);
    CEntity* infinite = Add(EntityType::InfiniteLine, {0, 10, 100, 10}, {10, 20, 11, 22});
    h.View().RedrawNow();

    h.Click(50, 25);
    EXPECT_EQ(other->state, 0);
    EXPECT_EQ(Tool().m_selectState, 0);

    Window(-10, -10, 110, 60);
    EXPECT_EQ(other->state, 0);
    EXPECT_EQ(infinite->state, 0);  // never taken by a window
    h.Click(200, 200);
    h.Click(50, 10);  // but taken by a click
    EXPECT_EQ(infinite->state, EntityState::Selected);
}

TEST_F(SelectToolTest, WithTheMagnetOffOnlyWindowsSelect)
{
    MagnetEnabled = 0;
    h.Click(50, 0);
    EXPECT_EQ(a->state, 0);
    Window(-10, -10, 110, 10);
    EXPECT_EQ(a->state, EntityState::Selected);
}

TEST_F(SelectToolTest, SelectAllTakesTheCurrentLayerButNotTheDeleted)
{
    CEntity* other = AddLine(0, 25, 100, 25, 1);
    CEntity* deleted = AddLine(0, 75, 100, 75);
    deleted->state = EntityState::Deleted;
    h.Click(50, 0);

    for (unsigned id : {ID_SELECT_ALL, ID_SELECT_ALL_KEY}) {
        Tool().Reset(&h.View());
        h.Command(id);
        EXPECT_EQ(a->state, EntityState::Selected);
        EXPECT_EQ(b->state, EntityState::Selected);
        EXPECT_EQ(other->state, 0);
        EXPECT_EQ(deleted->state, EntityState::Deleted);
        EXPECT_EQ(h.Doc().list.first->state, 0);  // the grid record
        EXPECT_EQ(Tool().m_primary, nullptr);
        EXPECT_EQ(Tool().m_selectState, 1);
    }
}

TEST_F(SelectToolTest, MarkingSubModesToggleAndArmTheMenu)
{
    for (int16_t subMode : {1, 3, 4}) {
        SCOPED_TRACE(subMode);
        h.Key(ID_ESCAPE_KEY);
        ToolSubMode = subMode;
        h.Click(50, 0);
        h.Click(50, 50);  // marks add up
        EXPECT_EQ(States(), (std::vector<int>{4, 4}));
        EXPECT_EQ(SelectionArmed, 1);
        h.Click(50, 50);  // a second click unmarks
        EXPECT_EQ(States(), (std::vector<int>{4, 0}));
        EXPECT_EQ(Tool().m_primary, b);
        EXPECT_EQ(Tool().m_selectState, 1);

        SelectionArmed = 0;
        Tool().OnRButtonDown(&h.View(), ToolFlags::RButton, nullptr);
        EXPECT_EQ(SelectionArmed, 1);
        Tool().OnRButtonDown(&h.View(), ToolFlags::RButton, nullptr);
        EXPECT_EQ(SelectionArmed, 1);  // not toggled
    }
}

TEST_F(SelectToolTest, ReleaseSubModeMarksOneUnitAndArmsOnlyForGroups)
{
    CEntity* group = AddGroup({a});
    h.View().RedrawNow();
    ToolSubMode = 2;

    h.Click(50, 0);
    EXPECT_EQ(group->state, EntityState::Marked);
    EXPECT_EQ(a->state, EntityState::Marked);
    EXPECT_EQ(SelectionArmed, 1);

    h.Click(50, 50);  // a plain line: marked, the group's mark dropped, no menu
    EXPECT_EQ(group->state, 0);
    EXPECT_EQ(a->state, 0);
    EXPECT_EQ(b->state, EntityState::Marked);
    EXPECT_EQ(SelectionArmed, 0);
}

TEST_F(SelectToolTest, RightButtonAndCancelReset)
{
    Window(-10, -10, 110, 60);
    h.RightClick(200, 200);
    EXPECT_EQ(States(), (std::vector<int>{0, 0}));
    EXPECT_EQ(Tool().m_selectState, 0);

    ToolSubMode = 1;
    Window(-10, -10, 110, 60);
    EXPECT_EQ(States(), (std::vector<int>{4, 4}));
    for (unsigned id : {ID_TOOL_CANCEL, ID_ESCAPE_KEY}) {
        Window(-10, -10, 110, 60);
        h.Key(id);
        EXPECT_EQ(States(), (std::vector<int>{0, 0}));
        EXPECT_EQ(SelectionArmed, 0);
        EXPECT_TRUE(h.ScreenIsFreshRedraw());
    }
}

TEST_F(SelectToolTest, DoubleClickEditsTheEntityThroughTheShellsHook)
{
    std::vector<CEntity*> edited;
    EntityPropertiesEditor = [&](COrvikCadView*, CEntity* e) {
        edited.push_back(e);
        return 1;
    };
    CEntity* group = AddGroup({b});
    (void)group;
    h.View().RedrawNow();

    h.Click(50, 50);
    h.DoubleClick(50, 50);
    EntityPropertiesEditor = nullptr;
    // A member of a group is edited as itself.
    EXPECT_EQ(edited, (std::vector<CEntity*>{b}));
    EXPECT_EQ(States(), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(Tool().m_selectState, 0);

    // Without the hook nothing opens and nothing breaks.
    h.Click(50, 0);
    h.DoubleClick(50, 0);
    EXPECT_EQ(a->state, 0);
    EXPECT_TRUE(h.Ui().calls().empty());
}

TEST_F(SelectToolTest, DeleteSelectedTakesTheLastClickedUnitIntoUndo)
{
    CEntity* c = AddLine(0, 100, 100, 100);
    AddGroup({a, b});
    Tool().DeleteSelected(&h.View());  // nothing clicked: nothing happens
    EXPECT_EQ(h.Entities().size(), 4u);

    h.Click(50, 100);
    Tool().DeleteSelected(&h.View());
    EXPECT_EQ(h.Entities().size(), 3u);
    EXPECT_EQ(Tool().m_primary, nullptr);

    h.Click(50, 0);  // a member: its group goes with every member
    Tool().DeleteSelected(&h.View());
    EXPECT_TRUE(h.Entities().empty());
    h.Key(ID_EDIT_UNDO);
    EXPECT_EQ(h.Entities().size(), 3u);
    EXPECT_EQ(States(), (std::vector<int>{0, 0, 0}));
    (void)c;
}
