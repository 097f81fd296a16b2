// The entity list on a drawing: the selection tool's "リスト編集..." replaces
// the marked entities by the rows handed back, and the document's
// "作図要素リスト" adds them; both as one undo step.

#include "SelectToolFixture.h"

#include "app/Components.h"
#include "dialogs/ListEntyDlg.h"
#include "model/DrawingHeader.h"
#include "model/Settings.h"
#include "platform/Controls.h"
#include "resources/Resource.h"
#include "view/DrawingDocument.h"
#include "view/EntityListCommand.h"

#include <QDialog>
#include <QPushButton>

#include <algorithm>
#include <functional>

namespace {

class EntityListCommandTest : public SelectToolTest {
protected:
    EntityListCommandTest() : saved(EntityListDialog) { InstallEntityList(); }
    ~EntityListCommandTest() override { EntityListDialog = saved; }

    static void Press(QDialog& d, int id)
    {
        auto* button = platform::control<QPushButton>(&d, id);
        ASSERT_NE(button, nullptr) << id;
        button->click();
    }
    // The next entity list is answered by edit, then "データ反映".
    void ApplyList(std::function<void(CListEntyDlg&)> edit = {})
    {
        h.Ui().dialog([edit](QDialog& d) {
            if (edit)
                edit(static_cast<CListEntyDlg&>(d));
            Press(d, CListEntyDlg::IDC_APPLY);
        });
    }
    // The live entities other than the grid record, in list order.
    std::vector<CEntity*> Live()
    {
        std::vector<CEntity*> out;
        for (CEntity* e = h.Doc().list.first; e; e = e->next)
            if (e->type != EntityType::Grid && e->state != EntityState::Deleted)
                out.push_back(e);
        return out;
    }
    static std::vector<std::vector<double>> ValuesOf(const std::vector<CEntity*>& entities)
    {
        std::vector<std::vector<double>> out;
        for (const CEntity* e : entities)
            out.emplace_back(e->values.begin(), e->values.end());
        return out;
    }

    EntityListRunner saved;
};

// Coordinates that single precision or six decimals would move, in a
// drawing whose origin is not at 0: listed and applied unchanged, they come
// back bit for bit, and one undo brings back the entities themselves.
TEST_F(EntityListCommandTest, UnchangedListLeavesTheGeometryAndOneUndoRestoresTheOriginals)
{
    h.Doc().DrawingOrigin[0] = 123.456;
    h.Doc().DrawingOrigin[1] = -78.9;
    a->values = {12345.678, 0.1, 1.0 / 3.0, 100};
    b->values = {0, 50.000000001, 99.99, 50};
    const auto before = ValuesOf({a, b});
    a->state = b->state = EntityState::Marked;
    h.Doc().modified = false;
    ApplyList([](CListEntyDlg& d) { EXPECT_EQ(d.rows.Count(), 2); });
    h.Command(ID_LIST_EDIT);

    const std::vector<CEntity*> now = Live();
    ASSERT_EQ(now.size(), 2u);
    EXPECT_TRUE(std::find(now.begin(), now.end(), a) == now.end());
    EXPECT_EQ(ValuesOf(now), before);
    for (const CEntity* e : now) {
        EXPECT_EQ(e->type, EntityType::Line);
        EXPECT_EQ(e->state, EntityState::Normal);
    }
    EXPECT_TRUE(h.Doc().modified);
    EXPECT_EQ(h.Doc().list.undoState, UndoState::Replaced);

    h.Command(ID_EDIT_UNDO);
    EXPECT_EQ(Live(), (std::vector<CEntity*>{a, b}));
    EXPECT_EQ(ValuesOf(Live()), before);
}

TEST_F(EntityListCommandTest, MarkingFromTheMenuOpensTheListOnTheMarkedEntities)
{
    h.Doc().DrawingOrigin[0] = h.Doc().DrawingOrigin[1] = 0.0;
    ToolSubMode = 4;
    h.Click(50, 50);
    h.Ui().menu(ID_LIST_EDIT);
    ApplyList([](CListEntyDlg& d) {
        ASSERT_EQ(d.rows.Count(), 1);
        EXPECT_EQ(d.rows.Row(0)->value, (RowValues{0, 50, 100, 50}));
        d.rows.SetRow(0, RowKind::Line, {0, 60, 100, 60});
    });
    h.RightClick(200, 200);

    const auto menus = h.Ui().calls(platform::UiKind::Menu);
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0].text, QString::fromUtf8("リスト編集...|-|キャンセル"));
    EXPECT_EQ(ValuesOf(Live()), (std::vector<std::vector<double>>{{0, 0, 100, 0}, {0, 60, 100, 60}}));
    EXPECT_EQ(States(), (std::vector<int>{0, 0}));
    EXPECT_TRUE(h.Ui().problems().isEmpty()) << h.Ui().problems().join(u'\n').toStdString();
}

// Every kind the list shows leaves the drawing, so a listed ellipse is
// replaced rather than doubled; other marked kinds stay.
TEST_F(EntityListCommandTest, EveryListedKindIsReplacedOnce)
{
    CEntity* ellipse = Add(EntityType::Ellipse, {200, 200, 40, 20, 15}, {10, 20, 60, 61, 62}, 0, nullptr, "", 1);
    CEntity* arc = Add(EntityType::EllipticArc, {300, 200, 40, 20, 0, 10, 80}, {10, 20, 60, 61, 62, 50, 51}, 0,
                       nullptr, "", 1);
    CEntity* circle = AddCircle(10, 10, 5);
    CEntity* text = Add(EntityType::Text, {5, 5, 5, 4, 0}, {10, 20, 30, 40, 50}, 0, nullptr, "A");
    for (CEntity* e : {ellipse, arc, circle, text})
        e->state = EntityState::Marked;
    ApplyList();
    h.Command(ID_LIST_EDIT);
    std::vector<int> types;
    for (const CEntity* e : Live())
        types.push_back(e->type);
    EXPECT_EQ(types, (std::vector<int>{20, 20, 40, 32, 33, 30}));
    EXPECT_EQ(ValuesOf(Live()).back(), (std::vector<double>{10, 10, 5}));
}

TEST_F(EntityListCommandTest, AllRowsDeletedRemovesTheListedEntitiesAsOneStep)
{
    a->state = EntityState::Marked;
    ApplyList([](CListEntyDlg& d) {
        while (d.rows.Count() > 0)
            Press(d, CListEntyDlg::IDC_DELETE);
    });
    h.Command(ID_LIST_EDIT);
    EXPECT_EQ(Live(), std::vector<CEntity*>{b});
    EXPECT_TRUE(h.Doc().modified);
    h.Command(ID_EDIT_UNDO);
    EXPECT_EQ(Live(), (std::vector<CEntity*>{b, a}));  // back at the end of the list
}

TEST_F(EntityListCommandTest, RowsAddedWithNothingMarkedAreOneStep)
{
    ApplyList([](CListEntyDlg& d) {
        d.rows.AddRow(RowKind::Point, {1, 2});
        d.rows.AddRow(RowKind::Point, {3, 4});
    });
    h.Command(ID_LIST_EDIT);
    EXPECT_EQ(Live().size(), 4u);
    h.Command(ID_EDIT_UNDO);
    EXPECT_EQ(Live(), (std::vector<CEntity*>{a, b}));
}

TEST_F(EntityListCommandTest, CancelAndProtectionChangeNothing)
{
    const struct {
        const char* name;
        int protection;
        bool apply;
        QStringList messages;
    } cases[] = {
        {"cancel", 0, false, {}},
        {"write-protected", ProtectionWrite, true, {QString::fromUtf8("この図面は、書きこみ禁止状態になっています。")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        h.Ui().clear();
        h.Doc().ProtectionState = c.protection;
        h.Doc().modified = false;
        a->state = b->state = EntityState::Marked;
        if (c.apply) {
            ApplyList([](CListEntyDlg& d) { d.rows.AddRow(RowKind::Point, {1, 2}); });
            h.Ui().button(IDOK);
        } else {
            h.Ui().dialog(IDCANCEL);
        }
        h.Command(ID_LIST_EDIT);
        EXPECT_EQ(Live(), (std::vector<CEntity*>{a, b}));
        EXPECT_EQ(States(), (std::vector<int>{0, 0}));  // the tool's reset followed
        EXPECT_EQ(h.Ui().messages(), c.messages);
        EXPECT_FALSE(h.Doc().modified);
    }
    h.Doc().ProtectionState = 0;
}

// The document's command: rows measured from the origin come into the
// drawing with the current pen, line type, layer and colour, as one step.
TEST_F(EntityListCommandTest, DocumentCommandAddsTheRowsFromTheOrigin)
{
    CDrawingDocument document;
    COrvikCadDoc& drawing = document.Drawing();
    drawing.DrawingOrigin[0] = 200;
    drawing.DrawingOrigin[1] = 10;
    CurrentPen = 3;
    CurrentLineType = 2;
    CurrentLayer = 5;
    CurrentColor = 0x123456;
    ApplyList([](CListEntyDlg& d) {
        EXPECT_EQ(d.rows.Count(), 0);
        ASSERT_EQ(ReadEntityCsv("POINT,800,0,\r\nCIRCLE,0,0,10,0,360,\r\nCIRCLE,0,0,10,0,359.9,\r\n"
                                "ELLIPSE,1,1,4,2,0,0,0,\r\nLINE,0,0,1,1,\r\n",
                                d.rows),
                  5);
    });
    ASSERT_TRUE(document.OnCmdMsg(ID_ELEMENT_LIST, nullptr));
    std::vector<const CEntity*> added;
    for (const CEntity* e = drawing.list.first; e; e = e->next)
        added.push_back(e);
    ASSERT_EQ(added.size(), 5u);
    const struct {
        int16_t type, subtype;
        std::vector<double> values;
    } expected[] = {
        {10, 0, {1000, 10}},       {30, 0, {200, 10, 10}},       {31, 1, {200, 10, 10, 0, 359.9}},
        {32, 1, {201, 11, 4, 2, 0}}, {20, 0, {200, 10, 201, 11}},
    };
    for (size_t i = 0; i < added.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(added[i]->type, expected[i].type);
        EXPECT_EQ(added[i]->subtype, expected[i].subtype);
        EXPECT_EQ(added[i]->values, expected[i].values);
        EXPECT_EQ(added[i]->style, 203);
        EXPECT_EQ(added[i]->layer, 5);
        EXPECT_EQ(added[i]->colour, 0x123456u);
    }
    EXPECT_TRUE(drawing.modified);
    drawing.list.UndoRedo();
    EXPECT_EQ(drawing.list.first, nullptr);
}

TEST_F(EntityListCommandTest, DocumentCommandOnAProtectedDrawingAddsNothing)
{
    CDrawingDocument document;
    COrvikCadDoc& drawing = document.Drawing();
    drawing.ProtectionState = ProtectionPassword;
    ApplyList([](CListEntyDlg& d) {
        d.rows.AddRow(RowKind::Point, {1, 2});
        d.rows.AddRow(RowKind::Point, {3, 4});
    });
    h.Ui().button(IDOK);
    document.OnCmdMsg(ID_ELEMENT_LIST, nullptr);
    EXPECT_EQ(drawing.list.first, nullptr);
    EXPECT_EQ(h.Ui().messages(), QStringList{QString::fromUtf8("この図面は、パスワードによって保護されています。")});
    EXPECT_FALSE(drawing.modified);
}

} // namespace
