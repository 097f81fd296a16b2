// The drawing palette: its command lists, and what choosing a button or a
// row does to the tool state, the option bar and the prompt box.

#include "app/AppFixture.h"

#include "app/MainFrame.h"
#include "app/OperateMsgBox.h"
#include "dialogs/OpeAnnotationBoxes.h"
#include "dialogs/OpeCircleBoxes.h"
#include "dialogs/OpeLineBoxes.h"
#include "dialogs/OperationBox.h"
#include "dialogs/PaletteCommands.h"
#include "dialogs/PopEntity.h"
#include "model/Settings.h"
#include "platform/Controls.h"
#include "view/ToolState.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPointer>
#include <QScreen>

#include <algorithm>
#include <memory>

namespace {

void ResetPaletteState()
{
    PaletteCategory = 0;
    PaletteSubCommand = 0;
    std::fill(std::begin(PaletteLastSubCommand), std::end(PaletteLastSubCommand), int16_t(0));
    CurrentToolId = 0;
    ToolSubMode = 0;
    InputPointCount = 0;
    XorPreviewShown = 0;
    OperationRestarted = 0;
}

QStringList Rows(const CPopEntity& palette)
{
    QStringList rows;
    for (int i = 0; i < palette.CommandList()->count(); ++i)
        rows << palette.CommandList()->item(i)->text();
    return rows;
}

// A palette on its own, as a test can make one without a main window.
class PaletteAlone : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetPaletteState();
        savedLeft = PaletteLeft;
        savedTop = PaletteTop;
        savedShown = PaletteShown;
        palette = std::make_unique<CPopEntity>();
    }
    void TearDown() override
    {
        palette.reset();
        PaletteLeft = savedLeft;
        PaletteTop = savedTop;
        PaletteShown = savedShown;
        ResetPaletteState();
    }
    std::unique_ptr<CPopEntity> palette;
    int16_t savedLeft = 0, savedTop = 0, savedShown = 0;
};

// The palette of a running main frame, whose option bar and prompt box it
// drives.
class PaletteInFrame : public AppTest {
protected:
    void SetUp() override
    {
        ResetPaletteState();
        savedShown = PaletteShown;
        PaletteShown = 0;
        Start();
        frame->ShowDrawPalette();
        palette = qobject_cast<CPopEntity*>(frame->DrawPalette());
        ASSERT_NE(palette, nullptr);
    }
    void TearDown() override
    {
        AppTest::TearDown();
        PaletteShown = savedShown;
        ResetPaletteState();
    }
    QString Prompt() const { return frame->PromptBox()->PromptText(); }
    bool Warning() const { return frame->PromptBox()->m_bWarning != 0; }
    void ChooseRow(int row) { palette->CommandList()->setCurrentRow(row); }
    void ClickCategory(int category) { palette->CategoryButton(category)->click(); }
    QList<COperationBox*> ShownPanels() const
    {
        return frame->OptionBarHost()->findChildren<COperationBox*>();
    }

    CPopEntity* palette = nullptr;
    int16_t savedShown = 0;
};

} // namespace

TEST_F(PaletteAlone, EachCategoryListsItsCommandsWithTheFirstSelected)
{
    struct Case {
        int category, rows;
        const char* first;
        const char* last;
    };
    const Case cases[] = {
        {0, 5, "図形選択", "作図要素リスト"}, {1, 5, "任意点", "構成点"},
        {2, 9, "直　線", "角度移動線"},      {3, 3, "ベジェ曲線", "自由曲線"},
        {4, 10, "円(半径)", "楕円弧(３点)"}, {5, 3, "ボックス", "多角形"},
        {6, 2, "任意文字", "指示線付き"},    {7, 8, "距離寸法", "面　積"},
        {8, 3, "単一削除", "グループ削除"},  {9, 6, "伸　縮", "包括処理"},
        {10, 1, "コーナー", "コーナー"},     {11, 3, "拡大・縮小", "オフセット"},
        {12, 7, "移　動", "図面間複写"},     {13, 2, "ハッチング", "塗りつぶし"},
        {14, 1, "画像貼付け", "画像貼付け"}, {15, 3, "円柱展開図", "円錐展開図"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.category);
        palette->CommandList()->setCurrentRow(-1);
        palette->FillCommandList(c.category);
        const QStringList rows = Rows(*palette);
        ASSERT_EQ(rows.size(), c.rows);
        EXPECT_EQ(rows.first(), QString::fromUtf8(c.first));
        EXPECT_EQ(rows.last(), QString::fromUtf8(c.last));
        EXPECT_EQ(palette->CommandList()->currentRow(), 0);
    }

    palette->FillCommandList(2);
    EXPECT_EQ(Rows(*palette), QStringList({"直　線", "連続線", "無限線", "垂　線", "平行線", "中心線", "幅付き線",
                                           "接　線", "角度移動線"}));
    // Filling the list is no choice of the user's: the tool stays.
    EXPECT_EQ(CurrentToolId, 0);
    EXPECT_EQ(PaletteSubCommand, 0);

    // Anything but a category leaves the list as it is.
    palette->CommandList()->setCurrentRow(4);
    for (int bad : {-1, 16, 100}) {
        palette->FillCommandList(bad);
        EXPECT_EQ(palette->CommandList()->count(), 9);
        EXPECT_EQ(palette->CommandList()->currentRow(), 4);
    }
}

TEST_F(PaletteAlone, ControlsCarryTheirIdsAndTheButtonOfTheCategoryIsPressed)
{
    PaletteCategory = 4;
    PaletteSubCommand = 3;
    palette->show();
    QApplication::processEvents();

    EXPECT_EQ(palette->windowTitle(), QStringLiteral("作図パレット"));
    EXPECT_EQ(platform::control<QListWidget>(palette.get(), CPopEntity::IDC_COMMAND_LIST), palette->CommandList());
    const int ids[] = {1001, 1002, 1004, 1006, 1008, 1010, 1012, 1014,
                       1016, 1018, 1020, 1022, 1024, 1026, 1028, 1029};
    for (int k = 0; k < CPopEntity::kCategories; ++k) {
        SCOPED_TRACE(k);
        auto* button = platform::control<QAbstractButton>(palette.get(), ids[k]);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button, palette->CategoryButton(k));
        EXPECT_TRUE(button->text().isEmpty());
        EXPECT_FALSE(button->icon().isNull());
        EXPECT_EQ(button->isChecked(), k == 4);
    }
    // The pictures differ from one another.
    for (int a = 0; a < CPopEntity::kCategories; ++a)
        for (int b = a + 1; b < CPopEntity::kCategories; ++b)
            EXPECT_NE(palette->CategoryButton(a)->icon().pixmap(16, 16).toImage(),
                      palette->CategoryButton(b)->icon().pixmap(16, 16).toImage())
                << a << " " << b;

    // It opens on the pair chosen last and makes it current.
    EXPECT_EQ(palette->Category(), 4);
    EXPECT_EQ(palette->CommandList()->count(), 10);
    EXPECT_EQ(palette->CommandList()->currentRow(), 3);
    EXPECT_EQ(CurrentToolId, ToolId::Circle);
    EXPECT_EQ(ToolSubMode, 3);

    // Clicking another button presses it alone.
    palette->CategoryButton(9)->click();
    for (int k = 0; k < CPopEntity::kCategories; ++k)
        EXPECT_EQ(palette->CategoryButton(k)->isChecked(), k == 9) << k;
}

TEST_F(PaletteAlone, OpensWhereItWasAndRemembersWhereItIsMoved)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    PaletteLeft = static_cast<int16_t>(screen->geometry().width() + 50);
    PaletteTop = 321;
    palette->show();
    QApplication::processEvents();
    EXPECT_EQ(palette->geometry().topLeft(), QPoint(100, 321));

    palette->move(140, 160);
    QApplication::processEvents();
    EXPECT_EQ(PaletteLeft, palette->geometry().left());
    EXPECT_EQ(PaletteTop, palette->geometry().top());

    CPopEntity again;
    PaletteLeft = 30;
    PaletteTop = 40;
    again.show();
    QApplication::processEvents();
    EXPECT_EQ(again.geometry().topLeft(), QPoint(30, 40));
}

TEST_F(PaletteAlone, EnterAndEscapeLeaveItOpenAndPressNothing)
{
    palette->show();
    QApplication::processEvents();
    for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(palette->CommandList(), &press);
        QApplication::sendEvent(palette.get(), &press);
        EXPECT_TRUE(palette->isVisible()) << key;
        // Nor does either press the button that has the focus.
        QApplication::sendEvent(palette->CategoryButton(3), &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(palette->CategoryButton(3), &release);
        EXPECT_FALSE(palette->CategoryButton(3)->isChecked()) << key;
        EXPECT_EQ(CurrentToolId, ToolId::Select) << key;
    }
}

TEST_F(PaletteAlone, WithoutAMainWindowTheButtonsStillChooseTheTool)
{
    palette->show();
    QApplication::processEvents();
    palette->CategoryButton(11)->click();
    EXPECT_EQ(CurrentToolId, ToolId::Transform);
    EXPECT_EQ(ToolSubMode, 0);
    palette->CommandList()->setCurrentRow(2);
    EXPECT_EQ(ToolSubMode, 2);
    EXPECT_EQ(PaletteLastSubCommand[11], 2);
}

TEST_F(PaletteInFrame, LineRowsShowTheirPanelsAndFirstPrompts)
{
    ClickCategory(2);  // comes up with row 0 chosen
    struct Case {
        int row, kind;
        const char* prompt;
    };
    const Case cases[] = {
        {1, 18, "連続線を作図します。始端を指示して下さい。"},
        {0, 17, "直線を作図します。始端を指示して下さい。"},
        {6, 4, "幅付き線を作図します。始端を指示して下さい。"},
        {2, 15, "無限線を作図します。"},
        {8, 3, "基準となる点または線を指示して下さい。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        frame->PromptBox()->SetPromptUtf8("警告", true);
        InputPointCount = 2;
        ChooseRow(c.row);
        EXPECT_EQ(CurrentToolId, ToolId::Line);
        EXPECT_EQ(ToolSubMode, c.row);
        EXPECT_EQ(InputPointCount, 0);
        EXPECT_EQ(PaletteSubCommand, c.row);
        EXPECT_EQ(PaletteLastSubCommand[2], c.row);
        EXPECT_EQ(frame->ShownPanelKind(), c.kind);
        const QList<COperationBox*> shown = ShownPanels();
        ASSERT_EQ(shown.size(), 1);
        EXPECT_EQ(shown[0], frame->OperationBox(c.kind));
        if (c.kind == 4) {
            EXPECT_NE(qobject_cast<OpeHabatukiBox*>(shown[0]), nullptr);
        }
        EXPECT_EQ(Prompt(), QString::fromUtf8(c.prompt));
        EXPECT_FALSE(Warning());
    }
}

TEST_F(PaletteInFrame, RowsWithoutAPanelRemoveTheShownOne)
{
    ClickCategory(2);
    ChooseRow(0);
    ASSERT_NE(qobject_cast<COpeLineBox*>(frame->OperationBox(17)), nullptr);

    ChooseRow(3);  // "垂　線"
    EXPECT_EQ(frame->ShownPanelKind(), 0);
    EXPECT_TRUE(ShownPanels().isEmpty());
    EXPECT_EQ(Prompt(), QStringLiteral("垂線を作図します。対象となる線を指示して下さい。"));

    // Categories without any panel.
    for (int category : {3, 8, 9, 14, 15}) {
        SCOPED_TRACE(category);
        ChooseRow(0);
        ClickCategory(2);
        ClickCategory(category);
        EXPECT_EQ(frame->ShownPanelKind(), 0);
        EXPECT_TRUE(ShownPanels().isEmpty());
        EXPECT_EQ(Prompt(), QString::fromUtf8(PaletteCommandAt(category, 0)->prompt));
    }
}

TEST_F(PaletteInFrame, TwoRowsOfOnePanelKeepItsWindow)
{
    ClickCategory(7);
    QPointer<QWidget> panel = frame->OperationBox(12);
    ASSERT_NE(qobject_cast<COpeDimBox*>(panel.data()), nullptr);
    ChooseRow(1);
    EXPECT_EQ(frame->OperationBox(12), panel.data());
    EXPECT_FALSE(panel.isNull());
    EXPECT_EQ(Prompt(), QStringLiteral("水平寸法の開始位置を指示して下さい。"));
    EXPECT_EQ(ToolSubMode, 1);
    EXPECT_EQ(CurrentToolId, ToolId::Dimension);
}

TEST_F(PaletteInFrame, ACategoryComesBackWithTheRowLastChosenInIt)
{
    ClickCategory(4);
    EXPECT_EQ(palette->CommandList()->currentRow(), 0);  // nothing remembered yet
    ChooseRow(3);                                        // "円弧(半径)"
    ClickCategory(2);
    EXPECT_EQ(ToolSubMode, 0);
    EXPECT_EQ(CurrentToolId, ToolId::Line);
    EXPECT_EQ(frame->ShownPanelKind(), 17);

    InputPointCount = 1;
    XorPreviewShown = 1;
    OperationRestarted = 1;
    ClickCategory(4);
    EXPECT_EQ(PaletteCategory, 4);
    EXPECT_EQ(PaletteSubCommand, 3);
    EXPECT_EQ(palette->Category(), 4);
    EXPECT_EQ(palette->CommandList()->currentRow(), 3);
    EXPECT_EQ(CurrentToolId, ToolId::Circle);
    EXPECT_EQ(ToolSubMode, 3);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(XorPreviewShown, 0);
    EXPECT_EQ(OperationRestarted, 0);
    EXPECT_NE(qobject_cast<COpeArcBox*>(frame->OperationBox(6)), nullptr);
    EXPECT_EQ(frame->ShownPanelKind(), 6);
    EXPECT_EQ(Prompt(), QStringLiteral("円弧を作図します。中心位置を指示して下さい。"));
}

TEST_F(PaletteInFrame, TheCornerCategoryHasOneRowAndItsPanel)
{
    ClickCategory(10);
    EXPECT_EQ(Rows(*palette), QStringList({"コーナー"}));
    EXPECT_EQ(frame->ShownPanelKind(), 9);
    EXPECT_EQ(Prompt(), QStringLiteral("コーナー処理を行う直線を指示して下さい。"));
}

TEST_F(PaletteInFrame, EveryRowShowsItsPanelKind)
{
    for (int category = 0; category < kPaletteCategories; ++category) {
        ClickCategory(category);
        for (int row = 0; row < PaletteRowCount(category); ++row) {
            SCOPED_TRACE(testing::Message() << category << "/" << row);
            ChooseRow(row);
            const int kind = PaletteCommandAt(category, row)->panelKind;
            EXPECT_EQ(frame->ShownPanelKind(), kind);
            EXPECT_EQ(ShownPanels().size(), kind == 0 ? 0 : 1);
            EXPECT_EQ(CurrentToolId, ToolIdOfGroup(category));
            EXPECT_EQ(Prompt(), QString::fromUtf8(PaletteCommandAt(category, row)->prompt));
        }
    }
}

TEST_F(PaletteInFrame, TheCloseBoxBringsUpThePartsPaletteAndItsTool)
{
    ClickCategory(7);
    ChooseRow(2);
    const QString prompt = Prompt();
    QPointer<CPopEntity> closed = palette;
    palette->close();
    EXPECT_EQ(frame->DrawPalette(), nullptr);
    EXPECT_EQ(PaletteShown, 1);
    EXPECT_EQ(CurrentToolId, ToolId::Inport);
    EXPECT_EQ(ToolSubMode, 0);
    // Panel and prompt stay as they were.
    EXPECT_EQ(frame->ShownPanelKind(), 12);
    EXPECT_EQ(Prompt(), prompt);
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closed.isNull());

    // Shown again, it starts from the pair chosen last.
    frame->ShowDrawPalette();
    auto* again = qobject_cast<CPopEntity*>(frame->DrawPalette());
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->Category(), 7);
    EXPECT_EQ(again->CommandList()->currentRow(), 2);
    EXPECT_EQ(CurrentToolId, ToolId::Dimension);
    EXPECT_EQ(ToolSubMode, 2);
    EXPECT_EQ(Prompt(), QStringLiteral("垂直寸法の開始位置を指示して下さい。"));
}
