// Several drawings open at once: each in its own window, switched through the
// window menu, every command acting on the drawing shown, and the program
// idle while the user is.

#include "AppFixture.h"
#include "ModelMouse.h"

#include "app/ChildFrame.h"
#include "app/WindowListDlg.h"
#include "platform/Controls.h"
#include "view/DrawingDocument.h"
#include "view/OrvikCadView.h"
#include "model/Settings.h"
#include "resources/Resource.h"
#include "view/ToolState.h"

#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QMenu>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <map>

namespace {

// Counts the events the whole application handles.
class EventCounter : public QObject {
public:
    bool eventFilter(QObject* target, QEvent* event) override
    {
        ++count;
        ++byType[event->type()];
        (void)target;
        return false;
    }
    int count = 0;
    std::map<int, int> byType;
};

struct Found {
    int lines = 0;
    int circles = 0;
};

Found Count(const COrvikCadDoc& doc)
{
    Found f;
    for (const CEntity* e = doc.list.first; e; e = e->next) {
        f.lines += e->type == EntityType::Line;
        f.circles += e->type == EntityType::Circle;
    }
    return f;
}

Found CountInFile(const QString& path)
{
    COrvikCadDoc doc;
    EXPECT_EQ(doc.OnOpenDocument(QFile::encodeName(path).toStdString()), OpenResult::Ok) << path.toStdString();
    return Count(doc);
}

class SeveralDrawings : public AppTest {
protected:
    void SetUp() override
    {
        kept = {LineMode, LineLengthGiven, LineAngleGiven, MagnetEnabled, CircleRadiusGiven};
        ASSERT_TRUE(folder.isValid());
        pathA = folder.filePath(QStringLiteral("orvik_several_a.orv"));
        pathB = folder.filePath(QStringLiteral("orvik_several_b.orv"));
        LineMode = LineLengthGiven = LineAngleGiven = MagnetEnabled = CircleRadiusGiven = 0;
    }
    void TearDown() override
    {
        LineMode = kept[0];
        LineLengthGiven = kept[1];
        LineAngleGiven = kept[2];
        MagnetEnabled = kept[3];
        CircleRadiusGiven = kept[4];
        AppTest::TearDown();
    }

    CChildFrame* NewDrawing()
    {
        ui.dialog([](QDialog& d) { d.accept(); });
        const int before = frame->ChildFrames().size();
        frame->SendCommand(ID_FILE_NEW);
        QApplication::processEvents();
        EXPECT_EQ(frame->ChildFrames().size(), before + 1);
        return frame->ChildFrames().isEmpty() ? nullptr : frame->ChildFrames().last();
    }

    QMenu* WindowMenu() const
    {
        for (QMenu* m : frame->CurrentMenus())
            if (m->title().startsWith(QStringLiteral("ウィンドウ")))
                return m;
        return nullptr;
    }

    // The drawing entries of the window menu, as the user sees it opened.
    QList<QAction*> WindowEntries() const
    {
        QMenu* menu = WindowMenu();
        if (!menu)
            return {};
        QMetaObject::invokeMethod(menu, "aboutToShow", Qt::DirectConnection);
        QList<QAction*> entries;
        for (QAction* a : menu->actions())
            if (a->isVisible() && !a->isSeparator() && a->text().startsWith(QLatin1Char('&')) &&
                a->text().at(1).isDigit())
                entries.append(a);
        return entries;
    }

    void ChooseFromWindowMenu(int index)
    {
        QList<QAction*> entries = WindowEntries();
        ASSERT_GT(entries.size(), index);
        entries[index]->trigger();
        QApplication::processEvents();
    }

    static COrvikCadView* ViewOf(CChildFrame* f) { return dynamic_cast<COrvikCadView*>(f->GetActiveView()); }
    static COrvikCadDoc& DrawingOf(CChildFrame* f)
    {
        return dynamic_cast<CDrawingDocument*>(f->GetActiveDocument())->Drawing();
    }

    // The one drawing the user sees and every command reaches.
    void ExpectShown(CChildFrame* f)
    {
        EXPECT_EQ(frame->MDIGetActive(), f);
        EXPECT_TRUE(f->isMaximized());
        EXPECT_TRUE(f->isVisible());
        EXPECT_TRUE(frame->windowTitle().contains(f->windowTitle())) << frame->windowTitle().toStdString();
        // Nothing lies over it.
        EXPECT_EQ(frame->Client()->subWindowList(QMdiArea::StackingOrder).last(), f);
    }

    platform::UiScript ui;
    QTemporaryDir folder;
    std::array<int16_t, 5> kept{};
    QString pathA, pathB;
};

TEST_F(SeveralDrawings, EachDrawingKeepsItsOwnEntityAndFile)
{
    Start();
    CChildFrame* first = NewDrawing();
    CChildFrame* second = NewDrawing();
    ASSERT_TRUE(first && second && first != second);
    EXPECT_EQ(first->windowTitle(), QStringLiteral("名称未設定1"));
    EXPECT_EQ(second->windowTitle(), QStringLiteral("名称未設定2"));
    ExpectShown(second);

    // The window menu lists both, the shown one checked.
    QList<QAction*> entries = WindowEntries();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0]->text(), QStringLiteral("&1 名称未設定1"));
    EXPECT_EQ(entries[1]->text(), QStringLiteral("&2 名称未設定2"));
    EXPECT_FALSE(entries[0]->isChecked());
    EXPECT_TRUE(entries[1]->isChecked());

    // A line in the first drawing.
    ChooseFromWindowMenu(0);
    ExpectShown(first);
    frame->SendCommand(32811);
    {
        ModelMouse mouse(*ViewOf(first));
        const double ox = DrawingOf(first).DrawingOrigin[0], oy = DrawingOf(first).DrawingOrigin[1];
        mouse.Click(ox - 50, oy);
        mouse.Move(ox, oy + 10);
        mouse.Click(ox + 50, oy + 20);
    }
    // A circle in the second.
    ChooseFromWindowMenu(1);
    ExpectShown(second);
    frame->SendCommand(32824);
    {
        ModelMouse mouse(*ViewOf(second));
        const double ox = DrawingOf(second).DrawingOrigin[0], oy = DrawingOf(second).DrawingOrigin[1];
        mouse.Click(ox, oy);
        mouse.Move(ox + 20, oy);
        mouse.Click(ox + 40, oy);
    }
    EXPECT_EQ(Count(DrawingOf(first)).lines, 1);
    EXPECT_EQ(Count(DrawingOf(first)).circles, 0);
    EXPECT_EQ(Count(DrawingOf(second)).lines, 0);
    EXPECT_EQ(Count(DrawingOf(second)).circles, 1);

    // Each saved under its own name by the file menu's save.
    ChooseFromWindowMenu(0);
    ExpectShown(first);
    ui.path(pathA);
    EXPECT_TRUE(frame->SendCommand(ID_FILE_SAVE));
    ChooseFromWindowMenu(1);
    ExpectShown(second);
    ui.path(pathB);
    EXPECT_TRUE(frame->SendCommand(ID_FILE_SAVE));
    QApplication::processEvents();
    EXPECT_EQ(first->GetActiveDocument()->GetPathName(), pathA);
    EXPECT_EQ(second->GetActiveDocument()->GetPathName(), pathB);
    EXPECT_EQ(first->windowTitle(), QStringLiteral("orvik_several_a.orv"));

    const Found a = CountInFile(pathA), b = CountInFile(pathB);
    EXPECT_EQ(a.lines, 1);
    EXPECT_EQ(a.circles, 0);
    EXPECT_EQ(b.lines, 0);
    EXPECT_EQ(b.circles, 1);
    EXPECT_EQ(WindowEntries().value(0) ? WindowEntries()[0]->text() : QString(), QStringLiteral("&1 orvik_several_a.orv"));

    // Closing the shown drawing shows the other one.
    frame->SendCommand(ID_FILE_CLOSE);
    QApplication::processEvents();
    ASSERT_EQ(frame->ChildFrames().size(), 1);
    ExpectShown(first);
    EXPECT_TRUE(ui.problems().isEmpty()) << ui.problems().join("\n").toStdString();
}

TEST_F(SeveralDrawings, IdleWithTwoDrawingsOpen)
{
    Start();
    // A window size at which the drawing behind, in its normal size, once
    // kept refitting itself as its scroll bars came and went.
    frame->showNormal();
    frame->resize(1270, 890);
    QApplication::processEvents();
    CChildFrame* first = NewDrawing();
    CChildFrame* second = NewDrawing();
    ASSERT_TRUE(first && second);
    ChooseFromWindowMenu(0);
    // Let the windows settle, then watch one second of nothing happening.
    QEventLoop settle;
    QTimer::singleShot(300, &settle, &QEventLoop::quit);
    settle.exec();

    EventCounter counter;
    qApp->installEventFilter(&counter);
    QEventLoop idle;
    QTimer::singleShot(1000, &idle, &QEventLoop::quit);
    idle.exec();
    qApp->removeEventFilter(&counter);
    std::string seen;
    for (auto [type, n] : counter.byType)
        seen += std::to_string(type) + "x" + std::to_string(n) + " ";
    EXPECT_LE(counter.count, 12) << seen;
    ExpectShown(first);
}

TEST_F(SeveralDrawings, CascadeAndTileShowEveryDrawing)
{
    Start();
    CChildFrame* first = NewDrawing();
    CChildFrame* second = NewDrawing();
    CChildFrame* third = NewDrawing();
    ASSERT_TRUE(first && second && third);
    EXPECT_EQ(third->windowTitle(), QStringLiteral("名称未設定3"));

    frame->SendCommand(ID_WINDOW_TILE_HORZ);
    QApplication::processEvents();
    for (CChildFrame* f : {first, second, third}) {
        EXPECT_FALSE(f->isMaximized());
        EXPECT_TRUE(f->isVisible());
    }
    EXPECT_FALSE(first->geometry().intersects(second->geometry()));
    EXPECT_FALSE(second->geometry().intersects(third->geometry()));
    EXPECT_EQ(frame->MDIGetActive(), third);

    frame->SendCommand(ID_WINDOW_CASCADE);
    QApplication::processEvents();
    EXPECT_LT(first->geometry().topLeft().x(), second->geometry().topLeft().x());
    EXPECT_LT(second->geometry().topLeft().x(), third->geometry().topLeft().x());
    const QSize client = frame->Client()->viewport()->size();
    for (CChildFrame* f : {first, second, third}) {
        // Each big enough to work in.
        EXPECT_GE(f->width(), client.width() / 2) << f->width() << " of " << client.width();
        EXPECT_GE(f->height(), client.height() / 2) << f->height() << " of " << client.height();
    }
    EXPECT_EQ(frame->MDIGetActive(), third);

    // Choosing a drawing from the menu brings it forward as it is arranged.
    ChooseFromWindowMenu(0);
    EXPECT_EQ(frame->MDIGetActive(), first);
    EXPECT_EQ(frame->Client()->subWindowList(QMdiArea::StackingOrder).last(), first);
    EXPECT_TRUE(ui.problems().isEmpty()) << ui.problems().join("\n").toStdString();
}

// Beyond the nine drawings the menu lists, the rest are reached through
// the list of them all.
TEST_F(SeveralDrawings, TheWindowMenuReachesEveryDrawing)
{
    Start();
    auto moreEntry = [this]() -> QAction* {
        WindowEntries();  // the menu as it opens
        for (QAction* a : WindowMenu()->actions())
            if (a->text() == QStringLiteral("その他のウィンドウ(&M)..."))
                return a;
        return nullptr;
    };
    QList<CChildFrame*> frames;
    for (int i = 0; i < 9; ++i)
        frames.append(NewDrawing());
    EXPECT_EQ(WindowEntries().size(), 9);
    EXPECT_EQ(moreEntry(), nullptr);
    frames.append(NewDrawing());
    frames.append(NewDrawing());
    EXPECT_EQ(WindowEntries().size(), 9);
    QAction* more = moreEntry();
    ASSERT_NE(more, nullptr);

    QStringList listed;
    int current = -1;
    ui.dialog([&](QDialog& d) {
        auto* list = platform::control<QListWidget>(&d, CWindowListDlg::IDC_WINDOW_LIST);
        ASSERT_TRUE(list);
        for (int i = 0; i < list->count(); ++i)
            listed.append(list->item(i)->text());
        current = list->currentRow();
        list->setCurrentRow(9);
        d.accept();
    });
    more->trigger();
    QApplication::processEvents();
    ASSERT_EQ(listed.size(), 11);
    EXPECT_EQ(listed[9], QStringLiteral("名称未設定10"));
    EXPECT_EQ(current, 10);  // the active one
    ExpectShown(frames[9]);
    ASSERT_FALSE(ui.calls(platform::UiKind::Dialog).empty());
    EXPECT_EQ(ui.calls(platform::UiKind::Dialog).back().caption, QStringLiteral("ウィンドウの選択"));

    // Cancelled, the active drawing stays.
    ui.dialog(IDCANCEL);
    moreEntry()->trigger();
    QApplication::processEvents();
    ExpectShown(frames[9]);
    EXPECT_TRUE(ui.problems().isEmpty()) << ui.problems().join("\n").toStdString();
}

// Closing the active drawing brings back the one used before it, not the
// first one opened.
TEST_F(SeveralDrawings, ClosingTheActiveDrawingShowsTheOneUsedBefore)
{
    Start();
    CChildFrame* first = NewDrawing();
    CChildFrame* second = NewDrawing();
    CChildFrame* third = NewDrawing();
    CChildFrame* fourth = NewDrawing();
    ASSERT_TRUE(first && second && third && fourth);
    ChooseFromWindowMenu(2);
    ChooseFromWindowMenu(1);
    ExpectShown(second);
    frame->SendCommand(ID_FILE_CLOSE);
    QApplication::processEvents();
    ExpectShown(third);
    frame->SendCommand(ID_FILE_CLOSE);
    QApplication::processEvents();
    ExpectShown(fourth);
    EXPECT_TRUE(ui.problems().isEmpty()) << ui.problems().join("\n").toStdString();
}

// The coordinate read-outs follow the drawing shown.
TEST_F(SeveralDrawings, TheStatusBarReadsTheCoordinatesOfTheDrawingShown)
{
    Start();
    CChildFrame* first = NewDrawing();
    CChildFrame* second = NewDrawing();
    ASSERT_TRUE(first && second);
    ChooseFromWindowMenu(0);
    const double ox = DrawingOf(first).DrawingOrigin[0], oy = DrawingOf(first).DrawingOrigin[1];
    ModelMouse(*ViewOf(first)).Move(ox + 120, oy - 40);
    const QString x1 = frame->PaneText(1), y1 = frame->PaneText(2);
    // Within a pixel of the point.
    EXPECT_NEAR(x1.mid(3).trimmed().toInt(), 120, 3) << x1.toStdString();
    EXPECT_NEAR(y1.mid(3).trimmed().toInt(), -40, 3) << y1.toStdString();

    // The second has not seen the mouse yet.
    ChooseFromWindowMenu(1);
    EXPECT_EQ(frame->PaneText(1), QStringLiteral("X :      0"));
    EXPECT_EQ(frame->PaneText(2), QStringLiteral("Y :      0"));
    // Back to the first: where the mouse last was in it.
    ChooseFromWindowMenu(0);
    EXPECT_EQ(frame->PaneText(1), x1);
    EXPECT_EQ(frame->PaneText(2), y1);
}

} // namespace
