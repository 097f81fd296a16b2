// Several drawings open at once: each in its own window, switched through the
// window menu, every command acting on the drawing shown, and the program
// idle while the user is.

#include "AppFixture.h"
#include "ModelMouse.h"

#include "app/ChildFrame.h"
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
        for (QString* p : {&pathA, &pathB}) {
            *p = QDir::temp().filePath(p == &pathA ? QStringLiteral("orvik_several_a.orv")
                                                     : QStringLiteral("orvik_several_b.orv"));
            QFile::remove(*p);
        }
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
        QFile::remove(pathA);
        QFile::remove(pathB);
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

} // namespace
