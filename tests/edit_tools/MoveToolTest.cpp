// The move tool: marking, base point and destination, move and copy with
// scale and angle, typed offsets, copy between two drawings, and the
// selection panel's order and quarter-turn operations.

#include "common/ToolHarness.h"
#include "edit_tools/MoveToolFixture.h"

#include "edit_tools/MoveTool.h"
#include "model/Document.h"
#include "model/EntityList.h"
#include "model/Settings.h"
#include "model/SnapPointList.h"
#include "platform/Controls.h"
#include "resources/Resource.h"
#include "tools/IdouZahyoDlg.h"
#include "view/ToolList.h"
#include "view/ToolState.h"

#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr const char* TextAB = "AB";

CEntity* AddTo(COrvikCadDoc& doc, int16_t type, int16_t subtype, std::initializer_list<double> values,
               std::initializer_list<int16_t> codes, const char* text = nullptr, int16_t layer = 0)
{
    EntityHeader hd{type, subtype, 102, layer, static_cast<int16_t>(values.size())};
    std::vector<double> v(values);
    std::vector<int16_t> c(codes);
    EXPECT_EQ(doc.list.AddEntity(hd, c.data(), 0x00112233, v.data(), text ? text : "", text ? "Courier" : ""), 0);
    doc.snaps.AddEntityPoints(doc.list.last);
    return doc.list.last;
}

class MoveToolTest : public ::testing::Test {
protected:
    MoveToolTest()
    {
        MoveScale = 1.0f;
        MoveAngle = 0.0f;
        MoveByCoordinates = 0;
    }
    ~MoveToolTest() override
    {
        MoveScale = 1.0f;
        MoveAngle = 0.0f;
        MoveByCoordinates = 0;
        EntityBuffer.RemoveAll();
    }

    CEntity* Add(int16_t type, int16_t subtype, std::initializer_list<double> values,
                 std::initializer_list<int16_t> codes, const char* text = nullptr)
    {
        return AddTo(h.Doc(), type, subtype, values, codes, text);
    }
    CEntity* AddLine(double x1, double y1, double x2, double y2)
    {
        return Add(EntityType::Line, 0, {x1, y1, x2, y2}, {10, 20, 11, 22});
    }
    void Window(double x1, double y1, double x2, double y2)
    {
        const platform::Point p = h.Client(x1, y1), q = h.Client(x2, y2);
        h.MoveAt(p);
        h.LeftDownAt(p);
        h.MoveAt(q, ToolFlags::LButton);
        h.LeftUpAt(q);
    }
    // Marks everything, ends the selection and runs the engine from base
    // to destination with the panel's factor and angle.
    void RunFrom(GeoPoint base, GeoPoint destination, int move)
    {
        CMoveTool& tool = MoveTool();
        tool.X[2] = base.x;
        tool.Y[2] = base.y;
        tool.X[3] = destination.x;
        tool.Y[3] = destination.y;
        tool.TransformSelection(&h.View(), 0, move, MoveScale, MoveAngle);
    }
    std::vector<const CEntity*> Live(int type) const { return LiveEntities(h, type); }

    ToolHarness h;
};

TEST_F(MoveToolTest, MarkingByClickAndWindowWithThePromptsOfTheSubMode)
{
    CEntity* a = AddLine(10, 10, 60, 10);
    CEntity* b = AddLine(10, 40, 60, 40);
    h.View().RedrawNow();
    h.Select(12, 0);
    ASSERT_EQ(CurrentToolId, ToolId::Move);
    h.Click(30, 10);
    EXPECT_EQ(a->state, EntityState::Marked);
    EXPECT_EQ(b->state, EntityState::Normal);
    EXPECT_EQ(SelectionArmed, 1);
    EXPECT_EQ(h.Prompt(), QStringLiteral("マウス右ボタンで選択終了。移動処理を行います。"));
    // A second click unmarks; the prompt stays the marking one.
    h.Click(30, 10);
    EXPECT_EQ(a->state, EntityState::Normal);
    Window(0, 0, 80, 50);
    EXPECT_EQ(a->state, EntityState::Marked);
    EXPECT_EQ(b->state, EntityState::Marked);
    h.Key(ID_END_SELECTION);
    EXPECT_EQ(InputPointCount, 2);
    EXPECT_EQ(h.Prompt(), QStringLiteral("移動の基準となる場所をマウスクリックしてください。"));

    // Esc clears the marks and goes back to the marking.
    h.Key(ID_ESCAPE_KEY);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(a->state, EntityState::Normal);
    EXPECT_EQ(b->state, EntityState::Normal);
    EXPECT_EQ(h.Prompt(), QStringLiteral("移動する図形要素を選んでください。"));

    h.Select(12, 1);
    h.Key(ID_SELECT_ALL);
    EXPECT_EQ(InputPointCount, 2);
    EXPECT_EQ(a->state, EntityState::Marked);
    EXPECT_EQ(h.Prompt(), QStringLiteral("複写基準位置(点)を指示して下さい。"));
}

TEST_F(MoveToolTest, ClickedMoveShiftsByTheTakenPointsAndOneUndoRestores)
{
    CEntity* line = AddLine(10, 10, 60, 10);
    h.View().RedrawNow();
    h.Select(12, 0);
    h.Click(30, 10);
    h.Key(ID_END_SELECTION);
    h.Click(150, 150);
    EXPECT_EQ(InputPointCount, 3);
    EXPECT_EQ(h.Prompt(), QStringLiteral("移動先の位置(点)を指示して下さい。"));
    // The base point's cross stays on screen through a repaint.
    h.View().Buffer().InvalidateAll(true);
    EXPECT_NE(h.Screen(), h.FreshRedraw());
    h.Click(250, 200);
    EXPECT_EQ(h.Screen(), h.FreshRedraw());
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(h.Prompt(), QStringLiteral("移動する図形要素を選んでください。"));
    const CMoveTool& tool = MoveTool();
    const double dx = tool.X[3] - tool.X[2], dy = tool.Y[3] - tool.Y[2];
    EXPECT_NEAR(dx, 100, 5);
    EXPECT_NEAR(dy, 50, 5);

    const auto lines = Live(EntityType::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0], line);
    EXPECT_NEAR(lines[0]->values[0], 10 + dx, 1e-6);
    EXPECT_NEAR(lines[0]->values[1], 10 + dy, 1e-6);
    EXPECT_NEAR(lines[0]->values[2], 60 + dx, 1e-6);
    EXPECT_EQ(lines[0]->state, EntityState::Normal);
    EXPECT_EQ(h.Doc().list.undoState, UndoState::Replaced);

    h.Key(ID_EDIT_UNDO);
    const auto back = Live(EntityType::Line);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0]->values, (std::vector<double>{10, 10, 60, 10}));
}

TEST_F(MoveToolTest, MoveWithScaleAndAngleAboutTheBasePoint)
{
    Add(EntityType::Circle, 0, {10, 0, 5}, {10, 20, 40});
    Add(EntityType::Arc, -1, {0, 20, 5, 10, 80}, {10, 20, 40, 50, 51});
    Add(EntityType::Text, 0, {0, -10, 3, 2, 10}, {10, 20, 30, 40, 50}, TextAB);
    h.Select(12, 0);
    h.Key(ID_SELECT_ALL);
    MoveScale = 2.0f;
    MoveAngle = 90.0f;
    RunFrom({0, 0}, {10, 10}, 1);

    const auto circles = Live(EntityType::Circle);
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_NEAR(circles[0]->values[2], 10, 1e-6);
    EXPECT_NEAR(std::hypot(circles[0]->values[0] - 10, circles[0]->values[1] - 10), 20, 1e-6);
    EXPECT_NEAR(circles[0]->values[0], 10, 1e-6);
    EXPECT_NEAR(circles[0]->values[1], 30, 1e-6);

    const auto arcs = Live(EntityType::Arc);
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_EQ(arcs[0]->subtype, -1);
    EXPECT_NEAR(arcs[0]->values[2], 10, 1e-6);
    EXPECT_NEAR(arcs[0]->values[3], 100, 1e-6);
    EXPECT_NEAR(arcs[0]->values[4], 170, 1e-6);

    const auto texts = Live(EntityType::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NEAR(texts[0]->values[2], 6, 1e-6);
    EXPECT_NEAR(texts[0]->values[3], 4, 1e-6);
    EXPECT_NEAR(texts[0]->values[4], 100, 1e-6);
    EXPECT_EQ(texts[0]->text, TextAB);
    EXPECT_EQ(texts[0]->font, DefaultTextFont);
    for (const CEntity* e : h.Entities())
        EXPECT_NE(e->state, EntityState::Marked);

    // One undo brings the sources back and takes the copies away.
    h.Key(ID_EDIT_UNDO);
    ASSERT_EQ(Live(EntityType::Circle).size(), 1u);
    EXPECT_EQ(Live(EntityType::Circle)[0]->values, (std::vector<double>{10, 0, 5}));
    EXPECT_EQ(Live(EntityType::Arc)[0]->values, (std::vector<double>{0, 20, 5, 10, 80}));
    EXPECT_EQ(Live(EntityType::Text)[0]->values, (std::vector<double>{0, -10, 3, 2, 10}));
}

TEST_F(MoveToolTest, CopyLeavesTheSourceUnmarkedAndUndoRemovesOnlyTheCopies)
{
    CEntity* line = AddLine(0, 0, 10, 0);
    CEntity* infinite = Add(EntityType::HorizontalInfiniteLine, 0, {0, 5, 10, 5}, {10, 20, 11, 22});
    h.Select(12, 1);
    h.Key(ID_SELECT_ALL);
    RunFrom({0, 0}, {5, 5}, 0);
    EXPECT_EQ(line->state, EntityState::Normal);
    EXPECT_EQ(infinite->state, EntityState::Normal);
    const auto lines = Live(EntityType::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1]->values, (std::vector<double>{5, 5, 15, 5}));
    const auto infinites = Live(EntityType::HorizontalInfiniteLine);
    ASSERT_EQ(infinites.size(), 2u);
    EXPECT_EQ(infinites[1]->values, (std::vector<double>{5, 10, 15, 10}));
    EXPECT_EQ(h.Doc().list.mark, lines[1]);
    EXPECT_EQ(h.Doc().list.undoState, UndoState::Normal);

    h.Key(ID_EDIT_UNDO);
    EXPECT_EQ(Live(EntityType::Line), (std::vector<const CEntity*>{line}));
    EXPECT_EQ(Live(EntityType::HorizontalInfiniteLine), (std::vector<const CEntity*>{infinite}));

    // A copy while the mark is still taken reports it; the copies stay.
    h.Doc().list.DiscardUndo(&h.Doc().snaps);
    h.Doc().list.mark = line;
    h.Key(ID_SELECT_ALL);
    RunFrom({0, 0}, {1, 1}, 0);
    EXPECT_EQ(h.Messages(), QStringList{QStringLiteral("011:入換えエラー！")});
    EXPECT_EQ(Live(EntityType::Line).size(), 2u);
    EXPECT_EQ(h.Doc().list.mark, line);
}

TEST_F(MoveToolTest, MarkedInfiniteLineMovesAndTurnsOffItsAxis)
{
    AddLine(0, 0, 10, 0);
    Add(EntityType::HorizontalInfiniteLine, 0, {0, 5, 10, 5}, {10, 20, 11, 22});
    h.Select(12, 0);
    h.Key(ID_SELECT_ALL);
    MoveAngle = 45.0f;
    RunFrom({0, 0}, {0, 0}, 1);
    EXPECT_TRUE(h.Entities(EntityType::HorizontalInfiniteLine).empty());
    const auto turned = Live(EntityType::InfiniteLine);
    ASSERT_EQ(turned.size(), 1u);
    EXPECT_NEAR(turned[0]->values[0], -5 / std::sqrt(2.0), 1e-6);
    EXPECT_NEAR(turned[0]->values[1], 5 / std::sqrt(2.0), 1e-6);
}

TEST_F(MoveToolTest, RefusedInputsAndProtectionChangeNothing)
{
    AddLine(0, 0, 10, 0);
    Add(EntityType::Circle, 0, {10, 0, 5}, {10, 20, 40});
    h.Select(12, 0);
    struct Case {
        float scale, angle;
        double dx;
    };
    const std::vector<Case> cases = {
        {0.0f, 0.0f, 1.0},
        {INFINITY, 0.0f, 1.0},
        {NAN, 0.0f, 1.0},
        {1.0f, INFINITY, 1.0},
        {1.0f, 0.0f, INFINITY},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scale);
        h.Key(ID_SELECT_ALL);
        const std::string before = Dump(h.Doc().list);
        const int beeps = h.Beeps();
        MoveScale = c.scale;
        MoveAngle = c.angle;
        RunFrom({0, 0}, {c.dx, 0}, 1);
        EXPECT_EQ(Dump(h.Doc().list), before);
        EXPECT_EQ(h.Beeps(), beeps + 1);
        h.Key(ID_ESCAPE_KEY);
    }
    MoveScale = 1.0f;
    MoveAngle = 0.0f;

    // A protected drawing: one message for the whole selection, and the
    // list stays as it was, marks included.
    for (int move : {1, 0}) {
        SCOPED_TRACE(move);
        h.Ui().clear();
        h.Doc().ProtectionState = 1;
        h.Key(ID_SELECT_ALL);
        const std::string before = Dump(h.Doc().list);
        RunFrom({0, 0}, {5, 5}, move);
        EXPECT_EQ(h.Messages().size(), 1);
        EXPECT_EQ(Dump(h.Doc().list), before);
        h.Key(ID_ESCAPE_KEY);
    }
}

TEST_F(MoveToolTest, TypedOffsetsMoveAndNonNumbersAreRefused)
{
    CEntity* line = AddLine(0, 0, 10, 0);
    MoveByCoordinates = 1;
    h.Select(12, 0);
    h.Key(ID_SELECT_ALL);
    // "1/0" is refused by the dialog; cancelling leaves the drawing alone.
    const std::string before = Dump(h.Doc().list);
    h.Ui().dialogReturning([](QDialog& d) {
        platform::control<QLineEdit>(&d, IdouZahyoDlg::IDC_X)->setText(QStringLiteral("1/0"));
        platform::control<QLineEdit>(&d, IdouZahyoDlg::IDC_Y)->setText(QStringLiteral("1"));
        platform::control<QPushButton>(&d, IDOK)->click();
        EXPECT_TRUE(d.isVisible());
        return IDCANCEL;
    });
    h.Key(ID_END_SELECTION);
    EXPECT_EQ(h.Messages().size(), 1);
    EXPECT_EQ(Dump(h.Doc().list), before);
    EXPECT_EQ(line->state, EntityState::Marked);
    EXPECT_EQ(InputPointCount, 0);

    h.Ui().clear();
    h.Ui().dialog([](QDialog& d) {
        platform::control<QLineEdit>(&d, IdouZahyoDlg::IDC_X)->setText(QStringLiteral("20"));
        platform::control<QLineEdit>(&d, IdouZahyoDlg::IDC_Y)->setText(QStringLiteral("-5"));
        platform::control<QPushButton>(&d, IDOK)->click();
    });
    h.Key(ID_END_SELECTION);
    const auto lines = Live(EntityType::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]->values, (std::vector<double>{20, -5, 30, -5}));
}

TEST_F(MoveToolTest, CopyBetweenTwoDrawings)
{
    CEntity* a1 = AddLine(10, 10, 60, 10);
    CEntity* a2 = AddLine(10, 30, 60, 30);
    Add(EntityType::Text, 0, {70, 70, 3, 2, 0}, {10, 20, 30, 40, 50}, TextAB);
    AddLine(200, 200, 210, 200);  // not marked: stays in A only
    const std::string aBefore = Dump(h.Doc().list);

    auto docB = std::make_unique<COrvikCadDoc>();
    auto viewBHolder = std::make_unique<COrvikCadView>();
    COrvikCadView* viewB = viewBHolder.get();
    viewB->AttachDrawing(docB.get());
    viewB->resize(800, 600);
    viewB->show();
    QApplication::processEvents();
    viewB->OnInitialUpdate();
    viewB->RedrawNow();

    h.View().OnActivateView(true, &h.View(), nullptr);
    h.Select(12, 6);
    a1->state = EntityState::Marked;
    a2->state = EntityState::Marked;
    for (const CEntity* e : h.Entities(EntityType::Text))
        const_cast<CEntity*>(e)->state = EntityState::Marked;
    h.Key(ID_END_SELECTION);
    EXPECT_EQ(h.Prompt(), QStringLiteral("図面間複写の基準となる場所をマウスクリックしてください。"));
    MagnetEnabled = 0;
    h.Click(120, 120);
    CMoveTool& tool = MoveTool();
    const double bx = tool.X[2], by = tool.Y[2];
    EXPECT_EQ(InputPointCount, 3);
    EXPECT_EQ(h.Prompt(), QStringLiteral("複写先のウィンドウをアクティブにして下さい。"));
    EXPECT_EQ(a1->state, EntityState::Normal);
    EXPECT_EQ(a2->state, EntityState::Normal);
    int buffered = 0;
    for (const CEntity* e = EntityBuffer.first; e; e = e->next)
        ++buffered;
    EXPECT_EQ(buffered, 3);

    // A second click in A does nothing until another view was activated.
    h.Click(150, 150);
    EXPECT_EQ(InputPointCount, 3);

    viewB->OnActivateView(true, viewB, &h.View());
    EXPECT_EQ(OperationRestarted, 1);
    EXPECT_EQ(h.Prompt(), QStringLiteral("複写先の位置(点)を指示して下さい。"));
    const platform::Point p{viewB->XToDevice(200) - viewB->FrameScrollX(),
                            viewB->YToDevice(160) - viewB->FrameScrollY()};
    viewB->OnMouseMove(0, p);
    viewB->OnLButtonDown(ToolFlags::LButton, p);
    viewB->OnLButtonUp(0, p);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(EntityBuffer.first, nullptr);
    const double dx = tool.X[3] - bx, dy = tool.Y[3] - by;

    std::vector<const CEntity*> pasted;
    for (const CEntity* e = docB->list.first; e; e = e->next)
        if (e->type == EntityType::Line || e->type == EntityType::Text)
            pasted.push_back(e);
    ASSERT_EQ(pasted.size(), 3u);
    EXPECT_NEAR(pasted[0]->values[0], 10 + dx, 1e-6);
    EXPECT_NEAR(pasted[0]->values[1], 10 + dy, 1e-6);
    EXPECT_NEAR(pasted[1]->values[3], 30 + dy, 1e-6);
    EXPECT_EQ(pasted[2]->font, DefaultTextFont);
    EXPECT_EQ(Dump(h.Doc().list), aBefore);
    EXPECT_EQ(docB->list.mark, pasted[0]);

    // B's one undo takes exactly the paste back.
    docB->list.UndoRedo();
    for (const CEntity* e = docB->list.first; e; e = e->next)
        EXPECT_EQ(e->type, EntityType::Grid);
}

TEST_F(MoveToolTest, SelectionPanelTurnsAndOrders)
{
    CEntity* line = AddLine(0, 0, 100, 0);
    CEntity* other = AddLine(0, 50, 10, 50);
    const std::size_t tools = ToolList.GetCount();
    line->state = EntityState::Selected;
    CommandArgument = 5;
    h.Key(ID_SELECTION_OPERATION);
    EXPECT_EQ(CommandArgument, 0);
    EXPECT_EQ(ToolList.GetCount(), tools);
    const auto lines = Live(EntityType::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], other);
    EXPECT_NEAR(lines[1]->values[0], 50, 1e-6);
    EXPECT_NEAR(lines[1]->values[1], 50, 1e-6);
    EXPECT_NEAR(lines[1]->values[2], 50, 1e-6);
    EXPECT_NEAR(lines[1]->values[3], -50, 1e-6);
    EXPECT_EQ(lines[1]->state, EntityState::Normal);
    h.Key(ID_EDIT_UNDO);
    EXPECT_EQ(Live(EntityType::Line)[1]->values, (std::vector<double>{0, 0, 100, 0}));

    // Nothing selected: nothing happens.
    CommandArgument = 6;
    const std::string before = Dump(h.Doc().list);
    h.Key(ID_SELECTION_OPERATION);
    EXPECT_EQ(Dump(h.Doc().list), before);
    EXPECT_EQ(CommandArgument, 0);
}

TEST_F(MoveToolTest, FrontAndBackMoveTheSelectionAsOneBlock)
{
    std::vector<CEntity*> lines;
    for (int i = 0; i < 5; ++i)
        lines.push_back(AddLine(0, i * 10, 10, i * 10));
    const auto order = [&] { return h.Entities(EntityType::Line); };

    lines[1]->state = EntityState::Selected;
    CommandArgument = 1;
    h.Key(ID_SELECTION_OPERATION);
    EXPECT_EQ(order(), (std::vector<const CEntity*>{lines[0], lines[2], lines[3], lines[4], lines[1]}));
    EXPECT_EQ(lines[1]->state, EntityState::Normal);

    for (int i : {2, 3, 4})
        lines[i]->state = EntityState::Selected;
    CommandArgument = 2;
    h.Key(ID_SELECTION_OPERATION);
    EXPECT_EQ(h.Doc().list.first->type, EntityType::Grid);
    EXPECT_EQ(order(), (std::vector<const CEntity*>{lines[2], lines[3], lines[4], lines[0], lines[1]}));
    for (CEntity* e : lines)
        EXPECT_EQ(e->state, EntityState::Normal);
    // The list is whole both ways.
    int forward = 0, backward = 0;
    for (const CEntity* e = h.Doc().list.first; e; e = e->next)
        ++forward;
    for (const CEntity* e = h.Doc().list.last; e; e = e->previous)
        ++backward;
    EXPECT_EQ(forward, backward);
    EXPECT_EQ(h.Doc().list.Size(), static_cast<std::size_t>(forward));
}

TEST_F(MoveToolTest, GroupsAndDimensionsFollowTheirMovesAndCopies)
{
    CEntity* a = AddLine(0, 0, 10, 0);
    CEntity* header = Add(EntityType::GroupHeader, 0, {0, 0, 1, 0}, {10, 20, 10, 20});
    a->owner = header;
    a->group = header->group;
    CEntity* area = Add(EntityType::Dimension, 8, {0, 0, 0, 100, 3, 0, 10, 5, 5}, {30, 31, 32, 10, 11, 12, 13, 40, 41});
    while (area->owner)
        area = area->owner;
    ASSERT_EQ(area->type, EntityType::Dimension);
    std::size_t members = 0;
    for (const CEntity* e : h.Entities())
        members += e->owner == area ? 1 : 0;

    // A copy of the group's member joins the group; the dimension's copy
    // builds its own members.
    h.Select(12, 1);
    h.Key(ID_SELECT_ALL);
    RunFrom({0, 0}, {0, 20}, 0);
    auto lines = Live(EntityType::Line);
    std::vector<const CEntity*> grouped;
    for (const CEntity* e : lines)
        if (e->owner == header)
            grouped.push_back(e);
    ASSERT_EQ(grouped.size(), 2u);
    EXPECT_EQ(grouped[1]->values, (std::vector<double>{0, 20, 10, 20}));
    auto dims = Live(EntityType::Dimension);
    ASSERT_EQ(dims.size(), 2u);
    EXPECT_EQ(dims[1]->values[8], 25);
    std::size_t copiedMembers = 0;
    for (const CEntity* e : h.Entities())
        copiedMembers += e->owner == dims[1] ? 1 : 0;
    EXPECT_EQ(copiedMembers, members);

    // A move: the header stays where it is, the moved member rejoins it.
    h.Doc().list.DiscardUndo(&h.Doc().snaps);
    h.Select(12, 0);
    a->state = EntityState::Marked;
    header->state = EntityState::Marked;
    RunFrom({0, 0}, {5, 0}, 1);
    EXPECT_EQ(Live(EntityType::GroupHeader), (std::vector<const CEntity*>{header}));
    EXPECT_EQ(header->state, EntityState::Normal);
    grouped.clear();
    for (const CEntity* e : Live(EntityType::Line))
        if (e->owner == header)
            grouped.push_back(e);
    ASSERT_EQ(grouped.size(), 2u);
    EXPECT_EQ(grouped[1]->values, (std::vector<double>{5, 0, 15, 0}));
}

TEST_F(MoveToolTest, NegativeScaleKeepsLengthsPositive)
{
    Add(EntityType::Circle, 0, {10, 0, 5}, {10, 20, 40});
    h.Select(12, 0);
    h.Key(ID_SELECT_ALL);
    MoveScale = -2.0f;
    RunFrom({0, 0}, {0, 0}, 1);
    const auto circles = Live(EntityType::Circle);
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_EQ(circles[0]->values, (std::vector<double>{-20, 0, 10}));
}

TEST_F(MoveToolTest, PasteIntoAProtectedDrawingRefusesOnceAndEmptiesTheBuffer)
{
    AddLine(10, 10, 60, 10);
    AddLine(10, 30, 60, 30);
    h.Select(12, 6);
    h.Key(ID_SELECT_ALL);
    EXPECT_EQ(InputPointCount, 2);
    MagnetEnabled = 0;
    h.Click(120, 120);
    ASSERT_NE(EntityBuffer.first, nullptr);
    // Activating a view at any other moment leaves the restart flag down.
    h.Doc().ProtectionState = 1;
    const std::string before = Dump(h.Doc().list);
    h.View().OnActivateView(true, &h.View(), nullptr);
    EXPECT_EQ(OperationRestarted, 1);
    h.Click(200, 200);
    EXPECT_EQ(h.Messages().size(), 1);
    EXPECT_EQ(Dump(h.Doc().list), before);
    EXPECT_EQ(EntityBuffer.first, nullptr);
    EXPECT_EQ(InputPointCount, 0);
    h.View().OnActivateView(true, &h.View(), nullptr);
    EXPECT_EQ(OperationRestarted, 0);
}

TEST_F(MoveToolTest, BasePointSnapsToTheEntityUnderTheCursorWithTheMagnetOff)
{
    AddLine(10, 10, 60, 10);
    h.View().RedrawNow();
    MagnetEnabled = 0;
    h.Select(12, 1);
    h.Key(ID_SELECT_ALL);
    const platform::Point p = h.Client(60, 10);
    const platform::Point at = p;
    // Whatever answers a pick of any entity, the grid included.
    double px = 0, py = 0;
    const platform::Point logical{at.x + h.View().FrameScrollX(), at.y + h.View().FrameScrollY()};
    ASSERT_NE(h.View().PickEntity(0, logical.x, logical.y, px, py), nullptr);
    h.ClickAt(at);
    EXPECT_EQ(InputPointCount, 3);
    EXPECT_DOUBLE_EQ(MoveTool().X[2], px);
    EXPECT_DOUBLE_EQ(MoveTool().Y[2], py);
    // Away from every entity the click point itself is taken.
    const platform::Point q = h.Client(300, 300);
    h.ClickAt({q.x + 1, q.y + 1});
    EXPECT_DOUBLE_EQ(MoveTool().X[3], h.ModelX({q.x + 1, q.y + 1}));
}

} // namespace
