// What the program leaves alone: a file name that starts with "-" after
// "--" is a file, an unknown option is reported and the rest still opens, a
// refused open or import writes no settings file and disturbs no other
// window, and a write-protected drawing is not overwritten.

#include "AppFixture.h"

#include "app/ChildFrame.h"
#include "model/Settings.h"
#include "resources/Resource.h"
#include "view/DrawingDocument.h"
#include "view/RecentFileList.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <utime.h>

#include <filesystem>

namespace {

COrvikCadDoc& DrawingOf(CChildFrame* f)
{
    return dynamic_cast<CDrawingDocument*>(f->GetActiveDocument())->Drawing();
}

bool SaveDrawingWithLine(const QString& path)
{
    COrvikCadDoc drawing;
    const int16_t codes[] = {10, 20, 11, 22};
    const double values[] = {0, 0, 100, 50};
    return drawing.AddEntity({20, 0, 0, 0, 4}, codes, 0, values) == 0 &&
           drawing.OnSaveDocument(QFile::encodeName(path).toStdString());
}

bool WriteNotes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write("these are notes, not a drawing\n") > 0;
}

time_t ModifiedTime(const std::filesystem::path& p)
{
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0 ? st.st_mtime : time_t(-1);
}

class FileSafety : public AppTest {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override
    {
        QDir::setCurrent(savedCurrent);
        for (ImportKind k : {ImportKind::Dxf, ImportKind::Jwc, ImportKind::Jww})
            COrvikCadApp::SetImportReader(k, {});
        RecentFiles().Clear();
        AppTest::TearDown();
    }
    QTemporaryDir dir;
    QString savedCurrent = QDir::currentPath();
    platform::UiScript ui;
};

} // namespace

TEST_F(FileSafety, NamesAfterDoubleDashAreFilesAndUnknownOptionsAreReported)
{
    ASSERT_TRUE(SaveDrawingWithLine(dir.filePath(QStringLiteral("-dash.orv"))));
    ASSERT_TRUE(SaveDrawingWithLine(dir.filePath(QStringLiteral("plain.orv"))));
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    ui.button(IDOK);
    Start({QStringLiteral("-nologo"), QStringLiteral("-bogus"), QStringLiteral("plain.orv"), QStringLiteral("--"),
           QStringLiteral("-dash.orv")});
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages()[0].contains(QStringLiteral("-bogus"))) << ui.messages()[0].toStdString();
    QStringList titles;
    for (CChildFrame* f : frame->ChildFrames()) titles << f->windowTitle();
    EXPECT_EQ(titles, (QStringList{QStringLiteral("plain.orv"), QStringLiteral("-dash.orv")}));
    EXPECT_TRUE(ui.problems().isEmpty()) << ui.problems().join("\n").toStdString();
}

TEST_F(FileSafety, RefusedOpenAndImportTouchNeitherSettingsNorTheOpenWindow)
{
    const QString good = dir.filePath(QStringLiteral("good.orv"));
    ASSERT_TRUE(SaveDrawingWithLine(good));
    Start();
    CChildFrame* kept = AfxGetApp().OpenDocumentFile(good);
    ASSERT_NE(kept, nullptr);
    QApplication::processEvents();
    ASSERT_TRUE(kept->isMaximized());
    const QString mainTitle = frame->windowTitle();

    const std::filesystem::path settings = std::filesystem::path(DataFolder) / "ORVPRM.DAT";
    ASSERT_TRUE(std::filesystem::exists(settings));
    struct utimbuf old {1000000000, 1000000000};
    ASSERT_EQ(::utime(settings.c_str(), &old), 0);

    const QString notADrawing = dir.filePath(QStringLiteral("notes.orv"));
    ASSERT_TRUE(WriteNotes(notADrawing));
    ui.button(IDOK);
    EXPECT_EQ(AfxGetApp().OpenDocumentFile(notADrawing), nullptr);

    const QString dxf = dir.filePath(QStringLiteral("notes.dxf"));
    ASSERT_TRUE(WriteNotes(dxf));
    ImportReader refusing = [](const std::filesystem::path&, ForeignDrawing&) {
        platform::messageBox(QStringLiteral("DXF ERROR"), QString(), MB_OK);
        return false;
    };
    ui.button(IDOK);
    EXPECT_EQ(AfxGetApp().ImportDocumentFile(dxf, ImportKind::Dxf, refusing), nullptr);
    QApplication::processEvents();

    EXPECT_EQ(ModifiedTime(settings), time_t(1000000000)) << "a refused file wrote the settings file";
    ASSERT_EQ(frame->ChildFrames().size(), 1);
    EXPECT_EQ(frame->MDIGetActive(), kept);
    EXPECT_TRUE(kept->isMaximized());
    EXPECT_EQ(frame->windowTitle(), mainTitle);
    EXPECT_EQ(ui.messages().size(), 2);
    EXPECT_TRUE(ui.problems().isEmpty()) << ui.problems().join("\n").toStdString();
}

TEST_F(FileSafety, WriteProtectedDrawingIsSavedUnderAnotherName)
{
    const QString path = dir.filePath(QStringLiteral("locked.orv"));
    ASSERT_TRUE(SaveDrawingWithLine(path));
    Start();
    CChildFrame* f = AfxGetApp().OpenDocumentFile(path);
    ASSERT_NE(f, nullptr);
    const int16_t codes[] = {10, 20, 11, 22};
    const double values[] = {5, 5, 50, 50};
    ASSERT_EQ(DrawingOf(f).AddEntity({20, 0, 0, 0, 4}, codes, 0, values), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
    const QByteArray before = [&] {
        QFile in(path);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }();

    // Declined: nothing is written and the drawing stays modified.
    ui.button(IDNO);
    frame->SendCommand(ID_FILE_SAVE);
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages()[0].contains(QStringLiteral("名前を付けて保存しますか")));
    EXPECT_TRUE(DrawingOf(f).modified);

    // Accepted: the save asks for a name and writes there.
    const QString other = dir.filePath(QStringLiteral("copy.orv"));
    ui.clear();
    ui.button(IDYES).path(other);
    frame->SendCommand(ID_FILE_SAVE);
    EXPECT_EQ(ui.calls(platform::UiKind::SaveFile).size(), 1u);
    EXPECT_TRUE(QFile::exists(other));
    EXPECT_FALSE(DrawingOf(f).modified);
    EXPECT_EQ(f->windowTitle(), QStringLiteral("copy.orv"));

    QFile in(path);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    EXPECT_EQ(in.readAll(), before);
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u);
    EXPECT_TRUE(ui.problems().isEmpty()) << ui.problems().join("\n").toStdString();
}
