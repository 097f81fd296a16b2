// Registering and releasing groups from the selection tool's context menus,
// and which menu a right click opens.

#include "SelectToolFixture.h"

#include "resources/Resource.h"

namespace {

// The groups (type 60) of the drawing that are not deleted.
std::vector<const CEntity*> LiveGroups(const ToolHarness& h)
{
    std::vector<const CEntity*> out;
    for (const CEntity* e : h.Entities(EntityType::GroupHeader))
        if (e->state != EntityState::Deleted)
            out.push_back(e);
    return out;
}

} // namespace

TEST_F(SelectToolTest, RegisterFromTheMenuMakesOneGroupOwningTheMarked)
{
    ToolSubMode = 1;
    h.Click(50, 0);
    h.Click(50, 50);
    h.Ui().menu(ID_GROUP_REGISTER);
    h.RightClick(200, 200);

    const auto menus = h.Ui().calls(platform::UiKind::Menu);
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0].text, QString::fromUtf8("グループ登録|-|キャンセル"));
    const auto groups = LiveGroups(h);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(b->next, groups[0]);  // after the members
    EXPECT_EQ(groups[0]->values, (std::vector<double>{0, 0, 1, 0}));
    EXPECT_EQ(groups[0]->codes, (std::vector<int16_t>{10, 20, 10, 20}));
    EXPECT_EQ(a->owner, groups[0]);
    EXPECT_EQ(b->owner, groups[0]);
    EXPECT_EQ(a->group, groups[0]->group);
    EXPECT_TRUE(h.Doc().modified);
    EXPECT_EQ(States(), (std::vector<int>{0, 0, 0}));  // the tool's Reset followed

    // In sub-mode 0 a click on one member selects the group.
    ToolSubMode = 0;
    h.Click(50, 0);
    EXPECT_EQ(States(), (std::vector<int>{3, 3, 3}));

    // Registering members of that group again drops the old header and
    // frees whatever it still owned.
    h.Key(ID_ESCAPE_KEY);
    CEntity* old = const_cast<CEntity*>(groups[0]);
    ToolSubMode = 1;
    a->state = EntityState::Marked;
    h.Command(ID_GROUP_REGISTER);
    EXPECT_EQ(old->state, EntityState::Deleted);
    EXPECT_EQ(b->owner, nullptr);
    EXPECT_EQ(b->group, 0);
    for (const CEntity* e : h.Entities())
        EXPECT_TRUE(!e->owner || e->owner->state != EntityState::Deleted);
}

TEST_F(SelectToolTest, ReleaseFromTheMenuFreesTheMembers)
{
    CEntity* group = AddGroup({a, b});
    h.View().RedrawNow();
    ToolSubMode = 2;
    h.Click(50, 0);
    h.Ui().menu(ID_GROUP_RELEASE);
    h.RightClick(200, 200);

    EXPECT_EQ(group->state, EntityState::Deleted);
    for (const CEntity* e : {a, b}) {
        EXPECT_EQ(e->owner, nullptr);
        EXPECT_EQ(e->group, 0);
        EXPECT_EQ(e->state, 0);
    }
    EXPECT_TRUE(h.Doc().modified);
}

TEST_F(SelectToolTest, ProtectedDrawingRefusesGroupCommandsWithOneMessage)
{
    const QString message = QString::fromUtf8("この図面は、書きこみ禁止状態になっています。");
    CEntity* group = AddGroup({b});
    h.Doc().ProtectionState = 1;
    for (unsigned id : {ID_GROUP_REGISTER, ID_GROUP_RELEASE}) {
        h.Ui().clear();
        h.Ui().button(IDOK);
        a->state = EntityState::Marked;
        b->state = EntityState::Marked;
        h.Command(id);
        EXPECT_EQ(h.Messages(), QStringList{message});
        EXPECT_EQ(LiveGroups(h).size(), 1u);
        EXPECT_EQ(a->owner, nullptr);
        EXPECT_EQ(b->owner, group);
        EXPECT_EQ(States(), (std::vector<int>{0, 0, 0}));
    }
}

TEST_F(SelectToolTest, RightClickOpensTheMenuOfTheSubModeOnlyWhenArmed)
{
    struct Case {
        int subMode;
        const char* first;  // first item; null: no menu
    } cases[] = {{0, nullptr}, {1, "グループ登録"}, {3, "部品データ登録..."}, {4, "リスト編集..."}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.subMode);
        h.Key(ID_ESCAPE_KEY);
        h.Ui().clear();
        ToolSubMode = static_cast<int16_t>(c.subMode);
        h.RightClick(200, 200);  // nothing marked: no menu
        EXPECT_TRUE(h.Ui().calls(platform::UiKind::Menu).empty());
        h.Click(50, 0);
        h.Ui().menu(0);  // dismissed
        h.RightClick(200, 200);
        const auto menus = h.Ui().calls(platform::UiKind::Menu);
        if (!c.first) {
            EXPECT_TRUE(menus.empty());
            continue;
        }
        ASSERT_EQ(menus.size(), 1u);
        EXPECT_TRUE(menus[0].text.startsWith(QString::fromUtf8(c.first)));
        // Cancelled: the marks stay for another try.
        EXPECT_EQ(a->state, EntityState::Marked);
    }
}

TEST_F(SelectToolTest, SelectAllIsForTheSelectionAndMoveToolsOnly)
{
    CCmdUI ui(ID_SELECT_ALL);
    CurrentToolId = ToolId::Line;
    EXPECT_TRUE(h.View().OnCmdMsg(ID_SELECT_ALL, &ui));
    EXPECT_FALSE(ui.m_bEnabled);
    CurrentToolId = ToolId::Select;
    EXPECT_TRUE(h.View().OnCmdMsg(ID_SELECT_ALL, &ui));
    EXPECT_TRUE(ui.m_bEnabled);
}
