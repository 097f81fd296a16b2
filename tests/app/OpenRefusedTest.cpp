// Files that are not drawings, and foreign files that cannot (yet) be read,
// are refused with a message; no window, no path and no change is left
// behind.

#include "AppFixture.h"

#include "app/ChildFrame.h"
#include "view/DrawingDocument.h"
#include "view/RecentFileList.h"
#include "resources/Resource.h"
#include "model/ForeignDrawing.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

int Entities(const COrvikCadDoc& doc, int16_t type)
{
    int n = 0;
    for (const CEntity* e = doc.list.first; e; e = e->next)
        n += e->type == type;
    return n;
}

class OpenRefused : public AppTest {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override
    {
        for (ImportKind k : {ImportKind::Dxf, ImportKind::Jwc, ImportKind::Jww})
            COrvikCadApp::SetImportReader(k, {});
        RecentFiles().Clear();
        AppTest::TearDown();
    }

    // One drawing open, holding a line, modified.
    CChildFrame* OpenDrawingWithLine()
    {
        ui.dialog([](QDialog& d) { d.accept(); });
        CChildFrame* f = AfxGetApp().OnFileNew();
        EXPECT_NE(f, nullptr);
        if (!f)
            return nullptr;
        const int16_t codes[] = {10, 20, 11, 22};
        const double values[] = {0, 0, 100, 50};
        EXPECT_EQ(DrawingOf(f).AddEntity({20, 0, 0, 0, 4}, codes, 0, values), 0);
        return f;
    }
    static COrvikCadDoc& DrawingOf(CChildFrame* f)
    {
        return dynamic_cast<CDrawingDocument*>(f->GetActiveDocument())->Drawing();
    }

    QTemporaryDir dir;
    platform::UiScript ui;
};

TEST_F(OpenRefused, OpenCommandsOfFormatsWithoutReaderSaySo)
{
    Start();
    struct Case {
        unsigned command;
        const char* message;  // null: the format has a reader and asks for a file
    } cases[] = {
        {ID_FILE_OPEN_DXF, nullptr},
        {ID_FILE_OPEN_JWW, nullptr},
        {ID_FILE_OPEN_JWC, "JWC 形式のファイルはまだ読み込めません。"},
    };
    // A format whose reader is not installed says so instead of asking for a file.
    COrvikCadApp::SetImportReader(ImportKind::Jwc, {});
    for (const Case& c : cases) {
        ui.clear();
        if (c.message)
            ui.button(IDOK);
        else
            ui.cancel();
        frame->SendCommand(c.command);
        QApplication::processEvents();
        EXPECT_EQ(ui.messages(), c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList{});
        EXPECT_EQ(ui.calls(platform::UiKind::OpenFile).size(), c.message ? 0u : 1u) << c.command;
        EXPECT_TRUE(frame->ChildFrames().isEmpty()) << c.command;
        EXPECT_TRUE(ui.problems().isEmpty()) << ui.problems().join("\n").toStdString();
    }
}

TEST_F(OpenRefused, RefusedImportLeavesNoWindowAndNoPath)
{
    Start();
    CChildFrame* kept = OpenDrawingWithLine();
    ASSERT_NE(kept, nullptr);
    const QString dxf = dir.filePath(QStringLiteral("plan.dxf"));
    {
        QFile f(dxf);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("0\nEOF\n");
    }
    int reads = 0;
    ImportReader refusing = [&](const std::filesystem::path&, ForeignDrawing& read) {
        ++reads;
        const int16_t codes[] = {10, 20, 40};
        const double values[] = {0, 0, 5};
        read.list.AddEntity({30, 0, 0, 0, 3}, codes, 0, values);  // part-way, then refused
        platform::messageBox(QStringLiteral("DXF ERROR"), QString(), MB_OK);
        return false;
    };
    ui.button(IDOK);
    EXPECT_EQ(AfxGetApp().ImportDocumentFile(dxf, ImportKind::Dxf, refusing), nullptr);
    EXPECT_EQ(reads, 1);
    ASSERT_EQ(frame->ChildFrames().size(), 1);
    EXPECT_EQ(frame->MDIGetActive(), kept);

    // The program's own DXF reader refusing a file that is not DXF.
    const QString notDxf = dir.filePath(QStringLiteral("notes.dxf"));
    {
        QFile f(notDxf);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("these are notes, not a drawing\n");
    }
    ui.button(IDOK);
    EXPECT_EQ(AfxGetApp().ImportDocumentFile(notDxf, ImportKind::Dxf, COrvikCadApp::GetImportReader(ImportKind::Dxf)),
              nullptr);
    EXPECT_EQ(ui.messages().size(), 2);
    ASSERT_EQ(frame->ChildFrames().size(), 1);
    EXPECT_EQ(frame->MDIGetActive(), kept);

    // A folder or a device never reaches the reader.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.dxf")));
    for (const QString& notAFile : {dir.filePath(QStringLiteral("folder.dxf")), QStringLiteral("/dev/zero")}) {
        ui.button(IDOK);
        EXPECT_EQ(AfxGetApp().ImportDocumentFile(notAFile, ImportKind::Dxf, refusing), nullptr);
        EXPECT_TRUE(ui.messages().last().contains(notAFile)) << ui.messages().last().toStdString();
    }
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(frame->ChildFrames().size(), 1);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("PLAN.ORV"))));

    // A reader that accepts: a window named after the file, not modified and
    // not a recent file.
    ImportReader accepting = [](const std::filesystem::path&, ForeignDrawing& read) {
        const int16_t codes[] = {10, 20, 40};
        const double values[] = {10, 10, 5};
        return read.list.AddEntity({30, 0, 0, 0, 3}, codes, 0, values) == 0;
    };
    CChildFrame* imported = AfxGetApp().ImportDocumentFile(dxf, ImportKind::Dxf, accepting);
    ASSERT_NE(imported, nullptr);
    EXPECT_EQ(frame->ChildFrames().size(), 2);
    EXPECT_EQ(frame->MDIGetActive(), imported);
    EXPECT_EQ(imported->windowTitle(), QStringLiteral("PLAN.ORV"));
    EXPECT_EQ(imported->GetActiveDocument()->GetPathName(), dir.filePath(QStringLiteral("PLAN.ORV")));
    EXPECT_FALSE(imported->GetActiveDocument()->IsModified());
    EXPECT_EQ(Entities(DrawingOf(imported), 30), 1);
    EXPECT_EQ(Entities(DrawingOf(imported), 11), 1);  // its grid first
    EXPECT_EQ(DrawingOf(imported).list.first->type, 11);
    EXPECT_FALSE(RecentFiles().Files().contains(dir.filePath(QStringLiteral("PLAN.ORV"))));
    EXPECT_TRUE(ui.problems().isEmpty()) << ui.problems().join("\n").toStdString();
}

TEST_F(OpenRefused, WhatIsNotADrawingOpensNothingAndChangesNothing)
{
    Start();
    CChildFrame* kept = OpenDrawingWithLine();
    ASSERT_NE(kept, nullptr);
    const QString folder = dir.filePath(QStringLiteral("drawing.orv"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("drawing.orv")));
    const QString fifo = dir.filePath(QStringLiteral("pipe.orv"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString empty = dir.filePath(QStringLiteral("empty.orv"));
    {
        QFile f(empty);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const QString zeros = dir.filePath(QStringLiteral("zeros.orv"));
    {
        QFile f(zeros);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(100 << 20));
    }
    struct Case {
        QString path;
        bool named;
    } cases[] = {{folder, true}, {fifo, true}, {QStringLiteral("/dev/zero"), true}, {empty, false}, {zeros, false}};
    for (const Case& c : cases) {
        ui.clear();
        ui.button(IDOK);
        EXPECT_EQ(AfxGetApp().OpenDocumentFile(c.path), nullptr) << c.path.toStdString();
        ASSERT_EQ(ui.messages().size(), 1) << c.path.toStdString();
        if (c.named)
            EXPECT_TRUE(ui.messages()[0].contains(c.path)) << ui.messages()[0].toStdString();
        else
            EXPECT_EQ(ui.messages()[0], QStringLiteral("ファイルの読み込みに失敗しました。"));
        EXPECT_EQ(frame->ChildFrames().size(), 1);
        EXPECT_EQ(frame->MDIGetActive(), kept);
        EXPECT_EQ(Entities(DrawingOf(kept), 20), 1);
        EXPECT_TRUE(kept->GetActiveDocument()->IsModified());
        EXPECT_TRUE(ui.problems().isEmpty()) << ui.problems().join("\n").toStdString();
    }

    // A recent file that became a folder is refused and leaves the list.
    RecentFiles().Clear();
    RecentFiles().Add(folder);
    ui.clear();
    ui.button(IDOK);
    frame->SendCommand(ID_FILE_MRU_FILE1);
    EXPECT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(RecentFiles().GetCount(), 0);
    EXPECT_EQ(frame->ChildFrames().size(), 1);
}

} // namespace
