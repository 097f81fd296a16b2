#include "AppFixture.h"

#include "app/ChildFrame.h"
#include "view/Document.h"
#include "app/OperateMsgBox.h"
#include "view/DrawingDocument.h"
#include "view/OrvikCadView.h"
#include "app/SplashWnd.h"
#include "dialogs/PlanInfoDlg.h"
#include "platform/Controls.h"
#include "resources/Resource.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>
#include <QToolBar>

namespace {

QStringList TopMenuTitles(CMainFrame* frame)
{
    QStringList titles;
    for (QAction* a : frame->menuBar()->actions()) {
        titles << a->text();
    }
    return titles;
}

// Accepts the new-drawing dialog after typing a drawing name.
auto AcceptPlanInfo(const QString& planName)
{
    return [planName](QDialog& d) {
        platform::control<QLineEdit>(&d, CPlanInfoDlg::IDC_PLAN_NAME)->setText(planName);
        d.accept();
    };
}

} // namespace

TEST_F(AppTest, StartsMaximisedWithBarsAndNoDrawing)
{
    Start();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(frame->windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(frame->ChildFrames().isEmpty());
    EXPECT_EQ(frame->CurrentMenuId(), IDR_MAINFRAME);
    EXPECT_EQ(TopMenuTitles(frame), (QStringList{"ファイル(&F)", "表示(&V)", "ヘルプ(&H)"}));

    QStringList titles;
    for (QToolBar* bar : frame->findChildren<QToolBar*>()) {
        titles << bar->windowTitle();
    }
    for (const char* t : {"ファイル処理", "表示処理", "グリッド", "メッセージ", "情報"}) {
        EXPECT_TRUE(titles.contains(QString::fromUtf8(t))) << t;
    }
    EXPECT_EQ(frame->toolBarArea(frame->MessageBar()), Qt::BottomToolBarArea);
    EXPECT_EQ(frame->toolBarArea(frame->MainToolBar()), Qt::TopToolBarArea);
    ASSERT_NE(frame->PromptBox(), nullptr);
    EXPECT_EQ(frame->PromptBox()->m_szPrompt[0], '\0');
    EXPECT_EQ(frame->PromptBox()->m_bWarning, 0);
    EXPECT_EQ(frame->StatusBarWidget()->findChildren<QLabel*>().size(), 7);
    EXPECT_EQ(SplashWindow, nullptr);
}

TEST_F(AppTest, CommandsWithoutHandlerAreDisabled)
{
    Start();
    frame->UpdateCommandUI();
    EXPECT_TRUE(frame->CommandAction(ID_FILE_NEW)->isEnabled());
    EXPECT_TRUE(frame->CommandAction(ID_FILE_OPEN)->isEnabled());
    EXPECT_TRUE(frame->CommandAction(ID_APP_ABOUT)->isEnabled());
    EXPECT_FALSE(frame->CommandAction(ID_MSGBAR_BUTTON1)->isEnabled());
    EXPECT_FALSE(frame->CommandAction(ID_VIEW_ZOOM_IN)->isEnabled()); // the view's, no drawing open
    EXPECT_FALSE(frame->SendCommand(ID_VIEW_ZOOM_IN));
}

TEST_F(AppTest, SplashGoesAtFirstClickWhichIsConsumed)
{
    Start({});
    ASSERT_NE(SplashWindow, nullptr);
    EXPECT_TRUE(SplashWindow->isVisible());

    struct ClickCounter : QWidget {
        int presses = 0;
        void mousePressEvent(QMouseEvent*) override { ++presses; }
    } target;
    target.show();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&target, &press);
    EXPECT_EQ(SplashWindow, nullptr);
    EXPECT_EQ(target.presses, 0);

    QMouseEvent again(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&target, &again);
    EXPECT_EQ(target.presses, 1);
}

TEST_F(AppTest, SplashGoesAtFirstKey)
{
    Start({});
    ASSERT_NE(SplashWindow, nullptr);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(frame, &key);
    EXPECT_EQ(SplashWindow, nullptr);
}

TEST_F(AppTest, NewDrawingCancelledLeavesNoDrawing)
{
    Start();
    platform::UiScript ui;
    ui.dialog(IDCANCEL);
    frame->SendCommand(ID_FILE_NEW);
    EXPECT_TRUE(frame->ChildFrames().isEmpty());
    ASSERT_EQ(ui.calls().size(), 1u);
    EXPECT_EQ(ui.calls()[0].caption, QStringLiteral("図面情報"));
    EXPECT_EQ(frame->CurrentMenuId(), IDR_MAINFRAME);
}

TEST_F(AppTest, NewDrawingConfirmedOpensOneMaximisedWindow)
{
    Start();
    platform::UiScript ui;
    ui.dialog(AcceptPlanInfo(QStringLiteral("試作図")));
    frame->SendCommand(ID_FILE_NEW);
    QApplication::processEvents();
    ASSERT_EQ(frame->ChildFrames().size(), 1);
    CChildFrame* child = frame->ChildFrames().first();
    EXPECT_TRUE(child->isMaximized());
    auto* doc = dynamic_cast<CDrawingDocument*>(child->GetActiveDocument());
    ASSERT_NE(doc, nullptr);
    const DrawingHeader& header = doc->Drawing().header;
    EXPECT_EQ(FromCp932(DrawingHeader::FieldText({header.drawingName.data(), header.drawingName.size()})),
              QStringLiteral("試作図"));
    EXPECT_EQ(child->windowTitle(), QStringLiteral("名称未設定1"));
    EXPECT_EQ(frame->CurrentMenuId(), IDR_ORVIKCTYPE);
    EXPECT_TRUE(TopMenuTitles(frame).contains(QStringLiteral("作図(&D)")));
    EXPECT_TRUE(ui.problems().isEmpty()) << ui.problems().join("\n").toStdString();

    // Asked to show in normal size (show command 1), the drawing window
    // shows maximised.
    child->showNormal();
    child->ActivateFrame(1);
    QApplication::processEvents();
    EXPECT_TRUE(child->isMaximized());
}

TEST_F(AppTest, FileOnCommandLineIsOpened)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("orvik_cmdline.orv"));
    {
        COrvikCadDoc drawing;
        const int16_t codes[] = {10, 20, 11, 22};
        const double values[] = {0, 0, 100, 50};
        ASSERT_EQ(drawing.AddEntity({20, 0, 0, 0, 4}, codes, 0, values), 0);
        ASSERT_TRUE(drawing.OnSaveDocument(QFile::encodeName(path).toStdString()));
    }
    Start({QStringLiteral("-nologo"), path});
    ASSERT_EQ(frame->ChildFrames().size(), 1);
    EXPECT_EQ(frame->ChildFrames().first()->windowTitle(), QStringLiteral("orvik_cmdline.orv"));
}

// An open draws the drawing once, at the base view: the paint the window's
// layout asked for meanwhile shows that picture instead of drawing it all
// again, and it is the picture a full repaint gives. A drawing whose extents
// leave nothing to fit is drawn by that paint as before.
TEST_F(AppTest, AnOpenedDrawingIsDrawnOnceAtItsBaseView)
{
    struct Case {
        const char* name;
        double extentW, extentH;
        bool drawnAtOpen;
    };
    const Case cases[] = {{"fitted", 420, 297, true}, {"no extents", 0, 0, false}};
    Start();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = folder.filePath(QStringLiteral("orvik_first_paint.orv"));
        {
            COrvikCadDoc drawing;
            drawing.ExtentsMin = {0, 0, 0};
            drawing.ExtentsMax = {c.extentW, c.extentH, 0};
            drawing.DrawingSettingsBlock.SetDisplayColor(0, 0xFFFFFF);
            const int16_t codes[] = {10, 20, 11, 22};
            // Along the sheet's edges and across it.
            const double lines[][4] = {{0, 0, 420, 0}, {0, 297, 420, 297}, {0, 0, 0, 297}, {420, 0, 420, 297},
                                       {0, 0, 420, 297}, {0, 297, 420, 0}};
            for (const auto& v : lines)
                ASSERT_EQ(drawing.AddEntity({20, 0, 0, 0, 4}, codes, 0, v), 0);
            ASSERT_TRUE(drawing.OnSaveDocument(QFile::encodeName(path).toStdString()));
        }
        CChildFrame* child = AfxGetApp().OpenDocumentFile(path);
        QFile::remove(path);
        ASSERT_NE(child, nullptr);
        auto* view = dynamic_cast<COrvikCadView*>(child->GetActiveView());
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->Buffer().HasInvalid(), !c.drawnAtOpen);
        QApplication::processEvents();
        const QImage shown = view->Buffer().Image().copy();
        EXPECT_GT(shown.width(), 1);
        if (c.drawnAtOpen) {
            EXPECT_NE(shown.pixel(shown.width() / 2, shown.height() / 2), shown.pixel(0, 0))
                << "the crossing lines meet in the middle";
        }
        view->Buffer().InvalidateAll();
        view->Buffer().Validate();
        EXPECT_TRUE(shown == view->Buffer().Image()) << "a full repaint draws the same picture";
        delete child;
        QApplication::processEvents();
    }
}

TEST_F(AppTest, ScreenshotOfMainWindowWithOneDrawing)
{
    Start();
    platform::UiScript ui;
    ui.dialog(IDOK);
    frame->SendCommand(ID_FILE_NEW);
    frame->PromptBox()->SetPromptUtf8("直線を作図します。始端を指示して下さい。", false);
    frame->resize(1280, 800);
    QApplication::processEvents();
    QImage shot = frame->grab().toImage();
    EXPECT_FALSE(shot.isNull());
    QString out = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("app_main_window.png"));
    EXPECT_TRUE(shot.save(out));

    // Without a drawing the grey ground shows with our picture in the middle.
    for (CChildFrame* c : frame->ChildFrames()) {
        delete c;
    }
    QApplication::processEvents();
    QImage ground = frame->Client()->viewport()->grab().toImage();
    EXPECT_EQ(ground.pixelColor(2, 2), QColor(128, 128, 128));
    ground.save(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("app_client_ground.png")));
}

TEST_F(AppTest, ModifiedDrawingAsksToBeSavedOnClose)
{
    Start();
    platform::UiScript ui;
    ui.dialog(IDOK);
    frame->SendCommand(ID_FILE_NEW);
    QApplication::processEvents();
    ASSERT_EQ(frame->ChildFrames().size(), 1);
    CChildFrame* child = frame->ChildFrames().first();
    auto* doc = dynamic_cast<CDrawingDocument*>(child->GetActiveDocument());
    ASSERT_NE(doc, nullptr);
    const int16_t codes[] = {10, 20, 11, 22};
    const double values[] = {0, 0, 10, 10};
    ASSERT_EQ(doc->Drawing().AddEntity({20, 0, 0, 0, 4}, codes, 0, values), 0);
    EXPECT_TRUE(doc->IsModified());

    // Cancel keeps the drawing open.
    ui.button(IDCANCEL);
    EXPECT_FALSE(child->close());
    ASSERT_EQ(frame->ChildFrames().size(), 1);
    ASSERT_FALSE(ui.messages().isEmpty());
    EXPECT_TRUE(ui.messages().last().contains(QStringLiteral("変更を保存しますか")));

    // Yes asks for a file name and saves there; the window then closes.
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("orvik_close_save.orv"));
    ui.button(IDYES).path(path);
    EXPECT_TRUE(child->close());
    QApplication::processEvents();
    EXPECT_TRUE(frame->ChildFrames().isEmpty());
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_TRUE(ui.problems().isEmpty()) << ui.problems().join("\n").toStdString();

    // The saved drawing opens again with its line.
    ASSERT_NE(AfxGetApp().OpenDocumentFile(path), nullptr);
    ASSERT_EQ(frame->ChildFrames().size(), 1);
    auto* reopened = dynamic_cast<CDrawingDocument*>(frame->ChildFrames().first()->GetActiveDocument());
    ASSERT_NE(reopened, nullptr);
    int lines = 0;
    for (CEntity* e = reopened->Drawing().list.first; e; e = e->next) {
        lines += e->type == 20;
    }
    EXPECT_EQ(lines, 1);
    EXPECT_FALSE(reopened->IsModified());
}
