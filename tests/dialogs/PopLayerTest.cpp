// The layer list: its lines, what selecting, double-clicking and the buttons
// do to the process-wide layer table, and how the active drawing follows.

#include "app/AppFixture.h"

#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "view/OrvikCadView.h"
#include "dialogs/PopLayer.h"
#include "model/Document.h"
#include "model/Settings.h"
#include "platform/Controls.h"
#include "resources/Resource.h"

#include <QListWidget>
#include <QPushButton>

#include <memory>

namespace {

// Keeps the process-wide layer table of one test from the next.
class LayerTableGuard {
public:
    LayerTableGuard()
        : count(LayerCount), current(CurrentLayer), names(LayerNames), states(LayerStates), argument(CommandArgument),
          left(LayerListLeft), top(LayerListTop), w(LayerListWidth), h(LayerListHeight)
    {
    }
    ~LayerTableGuard()
    {
        LayerCount = count;
        CurrentLayer = current;
        LayerNames = names;
        LayerStates = states;
        CommandArgument = argument;
        LayerListLeft = left;
        LayerListTop = top;
        LayerListWidth = w;
        LayerListHeight = h;
    }

private:
    int16_t count, current;
    std::array<std::string, MaxLayers> names;
    std::array<uint8_t, MaxLayers> states;
    int16_t argument, left, top, w, h;
};

void SetTable(std::initializer_list<uint8_t> states, int current)
{
    LayerCount = static_cast<int16_t>(states.size());
    int i = 0;
    for (uint8_t s : states) {
        LayerStates[i] = s;
        LayerNames[i] = DefaultLayerName(i);
        ++i;
    }
    CurrentLayer = static_cast<int16_t>(current);
}

QStringList Lines(const CPopLayer& list)
{
    QStringList lines;
    for (int i = 0; i < list.LineCount(); ++i)
        lines << list.LineText(i);
    return lines;
}

} // namespace

// A layer list on its own: no main window, so command 108 has no receiver
// and only the table changes.
class PopLayerAlone : public ::testing::Test {
protected:
    LayerTableGuard guard;
};

TEST_F(PopLayerAlone, OneLinePerLayerWithItsMarkAndTheCurrentSelected)
{
    SetTable({0, 1, 2, 1}, 2);
    LayerNames[3] = "\x95\xc7"; // 壁
    CPopLayer list;
    list.FillLayerList();
    EXPECT_EQ(Lines(list), (QStringList{QStringLiteral(" ＿ Layer01"), QStringLiteral(" □ Layer02"),
                                        QStringLiteral(" ■ Layer03"), QStringLiteral(" □ 壁")}));
    EXPECT_EQ(list.LayerList()->currentRow(), 2);
    EXPECT_EQ(platform::control<QListWidget>(&list, CPopLayer::IDC_LAYER_LIST), list.LayerList());
    EXPECT_EQ(list.LineMark(0), QStringLiteral(" ＿ "));

    // A refill from a smaller table drops the surplus lines and sends nothing.
    CommandArgument = 0;
    SetTable({2}, 0);
    list.FillLayerList();
    EXPECT_EQ(Lines(list), QStringList{QStringLiteral(" ■ Layer01")});
    EXPECT_EQ(CommandArgument, 0);
}

TEST_F(PopLayerAlone, ContextMenuStateSetsTheCurrentLayerOnly)
{
    struct Case {
        int index;
        uint8_t state;
        const char16_t* mark;
    };
    for (const Case& c : {Case{0, 2, u" ■ "}, Case{1, 1, u" □ "}, Case{2, 0, u" ＿ "}}) {
        SetTable({1, 1, 1}, 1);
        CPopLayer list;
        list.FillLayerList();
        CommandArgument = 0;
        list.SetCurrentLayerState(c.index);
        EXPECT_EQ(LayerStates[1], c.state) << c.index;
        EXPECT_EQ(LayerStates[0], 1);
        EXPECT_EQ(LayerStates[2], 1);
        EXPECT_EQ(list.LineText(1), QString::fromUtf16(c.mark) + QStringLiteral("Layer02"));
        EXPECT_EQ(list.LineCount(), 3);
        EXPECT_EQ(list.LayerList()->currentRow(), 1);
        EXPECT_EQ(CommandArgument, 0) << "the state items send nothing";
    }
    CPopLayer list;
    list.FillLayerList();
    const QStringList before = Lines(list);
    list.SetCurrentLayerState(3);
    list.SetCurrentLayerState(-1);
    EXPECT_EQ(Lines(list), before);
}

TEST_F(PopLayerAlone, DoubleClickCyclesTheStateAndKeepsAFullLengthName)
{
    SetTable({0, 1}, 0);
    // 20 two-byte characters: the full 40 bytes a name may have.
    std::string name;
    for (int i = 0; i < 20; ++i)
        name += "\x82\xa0"; // あ
    LayerNames[1] = name;
    CPopLayer list;
    list.FillLayerList();
    list.LayerList()->setCurrentRow(1);
    CommandArgument = 0;
    const QString shown = QString(20, QChar(u'あ'));
    for (const char16_t* mark : {u" ＿ ", u" ■ ", u" □ ", u" ＿ "}) {
        emit list.LayerList()->itemDoubleClicked(list.LayerList()->item(1));
        EXPECT_EQ(list.LineText(1), QString::fromUtf16(mark) + shown);
        EXPECT_EQ(LayerNames[1], name);
    }
    EXPECT_EQ(LayerStates[1], 0);
    EXPECT_EQ(LayerStates[0], 0);
    EXPECT_EQ(list.LayerList()->currentRow(), 1);
    list.SetCurrentLayerState(0); // current layer is 1 after the selection
    EXPECT_EQ(list.LineText(1), QStringLiteral(" ■ ") + shown);
}

TEST_F(PopLayerAlone, SavedLeftBeyondTheScreenOpensAtOneHundred)
{
    SetTable({1}, 0);
    LayerListLeft = 30000;
    LayerListTop = 40;
    CPopLayer list;
    list.show();
    EXPECT_EQ(list.geometry().left(), 100);
    EXPECT_EQ(list.geometry().top(), 40);
    EXPECT_EQ(list.LineCount(), 1);
}

// The list of a running program with one drawing open: command 108 reaches
// the drawing's view.
class PopLayerInFrame : public AppTest {
protected:
    void SetUp() override
    {
        Start();
        ui.dialog(IDOK);
        frame->SendCommand(ID_FILE_NEW);
        QApplication::processEvents();
        ASSERT_EQ(frame->ChildFrames().size(), 1);
        view = dynamic_cast<COrvikCadView*>(frame->ChildFrames().first()->GetActiveView());
        ASSERT_NE(view, nullptr);
        doc = view->GetDrawing();
        ASSERT_NE(doc, nullptr);
        frame->ShowLayerList();
        list = frame->LayerList();
        ASSERT_NE(list, nullptr);
        SetTable({1, 1, 1, 1}, 0);
        list->FillLayerList();
    }

    LayerTableGuard guard;
    platform::UiScript ui;
    COrvikCadView* view = nullptr;
    COrvikCadDoc* doc = nullptr;
    CPopLayer* list = nullptr;
};

TEST_F(PopLayerInFrame, SelectingAnotherLineMakesItCurrentInTheDrawing)
{
    CommandArgument = 0;
    list->LayerList()->setCurrentRow(2);
    EXPECT_EQ(CurrentLayer, 2);
    EXPECT_EQ(CommandArgument, 1);
    EXPECT_EQ(doc->currentLayer, 2);
    EXPECT_EQ(view->currentLayer, 2);
    EXPECT_EQ(doc->layerCount, 4);

    // The current layer's line again: nothing is sent.
    CommandArgument = 0;
    doc->currentLayer = 0;
    list->OnSelchangeLayerList();
    EXPECT_EQ(CommandArgument, 0);
    EXPECT_EQ(doc->currentLayer, 0);
}

TEST_F(PopLayerInFrame, ButtonsSetEveryLayerAndTellTheDrawing)
{
    CurrentLayer = 1;
    list->FillLayerList();
    struct Case {
        int id;
        uint8_t state;
        const char16_t* mark;
    };
    for (const Case& c : {Case{CPopLayer::IDC_ALL_HIDDEN, 0, u" ＿ "}, Case{CPopLayer::IDC_ALL_NORMAL, 2, u" ■ "},
                          Case{CPopLayer::IDC_ALL_OFFCOLOR, 1, u" □ "}}) {
        CommandArgument = 0;
        platform::control<QPushButton>(list, c.id)->click();
        EXPECT_EQ(CommandArgument, 1);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(LayerStates[i], c.state) << c.id << " layer " << i;
            EXPECT_EQ(doc->layerStates[i], c.state);
            EXPECT_EQ(view->layerState[i], static_cast<char>(c.state));
            EXPECT_EQ(list->LineMark(i), QString::fromUtf16(c.mark));
        }
        EXPECT_EQ(list->LayerList()->currentRow(), 1);
        EXPECT_EQ(CurrentLayer, 1);
    }
}

TEST_F(PopLayerInFrame, DoubleClickWaitsForTheNextCommand)
{
    list->LayerList()->setCurrentRow(3);
    ASSERT_EQ(doc->currentLayer, 3);
    emit list->LayerList()->itemDoubleClicked(list->LayerList()->item(3));
    EXPECT_EQ(LayerStates[3], 0);
    EXPECT_EQ(doc->layerStates[3], 1) << "the drawing changes with the next command 108";
    list->LayerList()->setCurrentRow(0);
    EXPECT_EQ(doc->layerStates[3], 0);
    EXPECT_EQ(doc->currentLayer, 0);
}

TEST_F(PopLayerInFrame, FrameLayerCommandsReachTheList)
{
    CurrentLayer = 2;
    list->FillLayerList();
    for (auto [id, state] : {std::pair{ID_LAYER_HIDDEN, 0}, std::pair{ID_LAYER_NORMAL, 2},
                             std::pair{ID_LAYER_OFFCOLOR, 1}}) {
        frame->SendCommand(id);
        EXPECT_EQ(LayerStates[2], state) << id;
        EXPECT_EQ(list->LineMark(2), CPopLayer::StateMark(state));
    }
}

TEST_F(PopLayerInFrame, ClosingLetsTheFrameDropIt)
{
    list->close();
    QApplication::processEvents();
    EXPECT_EQ(frame->LayerList(), nullptr);
    frame->SendCommand(ID_VIEW_LAYER_LIST);
    ASSERT_NE(frame->LayerList(), nullptr);
    EXPECT_EQ(frame->LayerList()->LineCount(), 4);
}
