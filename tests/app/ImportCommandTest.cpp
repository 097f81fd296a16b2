// Opening DXF and JWW files as new drawings and saving drawings in those
// formats, through the application's commands.

#include "AppFixture.h"

#include "app/ChildFrame.h"
#include "exchange/JwwArchive.h"
#include "app/MainFrame.h"
#include "view/DrawingDocument.h"
#include "view/RecentFileList.h"
#include "resources/Resource.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

void WriteText(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

const QByteArray kLineFile = "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n 10\n1\n 20\n2\n 11\n3\n 21\n4\n  0\nENDSEC\n  0\nEOF\n";

int OpenFrames(CMainFrame* frame)
{
    QApplication::processEvents();
    return static_cast<int>(frame->ChildFrames().size());
}

} // namespace

TEST_F(AppTest, RefusedImportsLeaveNoWindowBehind)
{
    Start();
    QTemporaryDir dir;
    const QString noEntities = dir.filePath(QStringLiteral("plan.dxf"));
    WriteText(noEntities, "  0\nSECTION\n  2\nHEADER\n  0\nENDSEC\n");
    const QString notJww = dir.filePath(QStringLiteral("plan.jww"));
    WriteText(notJww, "JwwData");
    const int recent = RecentFiles().GetCount();

    struct Case {
        void (COrvikCadApp::*command)();
        QString path;
        const char* message;
    };
    const Case cases[] = {
        {&COrvikCadApp::OnFileOpenDxf, noEntities, "ＤＸＦファイルを読み込めませんでした。"},
        {&COrvikCadApp::OnFileOpenDxf, dir.path(), nullptr},
        {&COrvikCadApp::OnFileOpenJww, notJww, "JWWファイルではありません。"},
        {&COrvikCadApp::OnFileOpenJwc, notJww, "*ERROR:Read!"},
    };
    for (const Case& c : cases) {
        platform::UiScript ui;
        ui.path(c.path);
        (AfxGetApp().*c.command)();
        // A folder is named in the message before any reader sees it.
        const QString expected = c.message ? QString::fromUtf8(c.message)
                                           : QStringLiteral("%1\nはファイルではないため開けません。")
                                                 .arg(QFileInfo(c.path).absoluteFilePath());
        EXPECT_EQ(ui.messages(), QStringList{expected});
        EXPECT_EQ(OpenFrames(frame), 0);
    }
    EXPECT_EQ(RecentFiles().GetCount(), recent);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("PLAN.ORV"))));
}

TEST_F(AppTest, ImportedDrawingIsNamedBesideTheFileUnlessThatNameIsTaken)
{
    Start();
    QTemporaryDir dir;
    const QString dxf = dir.filePath(QStringLiteral("plan.dxf"));
    WriteText(dxf, kLineFile);
    {
        platform::UiScript ui;
        ui.path(dxf);
        AfxGetApp().OnFileOpenDxf();
        EXPECT_TRUE(ui.messages().isEmpty());
        ASSERT_EQ(OpenFrames(frame), 1);
        auto* doc = static_cast<CDrawingDocument*>(frame->ChildFrames().front()->GetActiveDocument());
        EXPECT_EQ(doc->GetPathName(), dir.filePath(QStringLiteral("PLAN.ORV")));
        EXPECT_FALSE(doc->IsModified());
        int lines = 0;
        for (const CEntity* e = doc->Drawing().list.first; e; e = e->next)
            if (e->type == EntityType::Line) ++lines;
        EXPECT_EQ(lines, 1);
    }
    // With PLAN.ORV on disk the import is named the same.
    WriteText(dir.filePath(QStringLiteral("PLAN.ORV")), "kept");
    {
        platform::UiScript ui;
        ui.path(dxf);
        AfxGetApp().OnFileOpenDxf();
        ASSERT_EQ(OpenFrames(frame), 2);
        CDocument* doc = frame->ChildFrames().back()->GetActiveDocument();
        EXPECT_EQ(doc->GetPathName(), dir.filePath(QStringLiteral("PLAN.ORV")));
        EXPECT_EQ(doc->GetTitle(), QStringLiteral("PLAN.ORV"));
    }
}

// Every imported drawing, whatever its format, saves beside its source under
// the native name; a file already there is replaced only when the user says so.
TEST_F(AppTest, AnImportSavesBesideItsSourceAndOverwritesOnlyWhenTold)
{
    Start();
    QTemporaryDir dir;
    const QString dxf = dir.filePath(QStringLiteral("plan.dxf"));
    WriteText(dxf, kLineFile);
    const QString jww = dir.filePath(QStringLiteral("plan.jww"));
    const QString native = dir.filePath(QStringLiteral("PLAN.ORV"));
    {
        platform::UiScript ui;
        ui.path(dxf).path(jww);
        AfxGetApp().OnFileOpenDxf();
        ASSERT_EQ(OpenFrames(frame), 1);
        ASSERT_TRUE(frame->ChildFrames().back()->GetActiveDocument()->OnCmdMsg(ID_FILE_SAVE_JWW, nullptr));
        ASSERT_TRUE(QFile::exists(jww));
    }
    auto contents = [](const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const QString asked = QStringLiteral("%1 は既に存在します。\n上書きしますか?").arg(native);
    struct Case {
        const char* what;
        void (COrvikCadApp::*command)();
        QString source;
        bool taken;       // PLAN.ORV is there before the save
        int answer;       // to the question, when asked
        bool overwritten;
        bool savedElsewhere;
    };
    const Case cases[] = {
        {"dxf, free name", &COrvikCadApp::OnFileOpenDxf, dxf, false, 0, true, false},
        {"jww, free name", &COrvikCadApp::OnFileOpenJww, jww, false, 0, true, false},
        {"dxf, taken, yes", &COrvikCadApp::OnFileOpenDxf, dxf, true, IDYES, true, false},
        {"jww, taken, yes", &COrvikCadApp::OnFileOpenJww, jww, true, IDYES, true, false},
        {"dxf, taken, no", &COrvikCadApp::OnFileOpenDxf, dxf, true, IDNO, false, true},
        {"jww, taken, no", &COrvikCadApp::OnFileOpenJww, jww, true, IDNO, false, true},
        {"jww, taken, cancel", &COrvikCadApp::OnFileOpenJww, jww, true, IDCANCEL, false, false},
    };
    const QString elsewhere = dir.filePath(QStringLiteral("other.orv"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(native);
        QFile::remove(elsewhere);
        if (c.taken)
            WriteText(native, "kept");
        platform::UiScript ui;
        ui.path(c.source);
        (AfxGetApp().*c.command)();
        CDocument* doc = frame->ChildFrames().back()->GetActiveDocument();
        ASSERT_EQ(doc->GetPathName(), native);
        ui.clear();
        if (c.taken)
            ui.button(c.answer);
        if (c.savedElsewhere)
            ui.path(elsewhere);
        doc->OnCmdMsg(ID_FILE_SAVE, nullptr);
        EXPECT_EQ(ui.messages(), c.taken ? QStringList{asked} : QStringList{});
        EXPECT_EQ(ui.calls(platform::UiKind::SaveFile).size(), c.savedElsewhere ? 1u : 0u);
        EXPECT_EQ(contents(native) == "kept", c.taken && !c.overwritten);
        EXPECT_EQ(QFile::exists(native), c.taken || c.overwritten);
        EXPECT_EQ(QFile::exists(elsewhere), c.savedElsewhere);
        EXPECT_EQ(doc->GetPathName(), c.savedElsewhere ? elsewhere : native);
        EXPECT_TRUE(ui.finished());
        // Once the drawing has written its file, later saves ask nothing.
        if (c.overwritten) {
            ui.clear();
            doc->OnCmdMsg(ID_FILE_SAVE, nullptr);
            EXPECT_TRUE(ui.messages().isEmpty());
        }
        doc->SetModifiedFlag(false);
    }
}

TEST_F(AppTest, SaveAsDxfAndJwwCommands)
{
    Start();
    QTemporaryDir dir;
    const QString dxf = dir.filePath(QStringLiteral("in.dxf"));
    WriteText(dxf, kLineFile);
    platform::UiScript ui;
    ui.path(dxf);
    AfxGetApp().OnFileOpenDxf();
    ASSERT_EQ(OpenFrames(frame), 1);
    CDocument* doc = frame->ChildFrames().front()->GetActiveDocument();

    struct Case {
        unsigned id;
        const char* name;
        const char* title;
        const char* filter;
    };
    const Case cases[] = {
        {ID_FILE_SAVE_DXF, "out.dxf", "DXF形式で図面データの保存", "図面データ (*.DXF)|*.dxf||"},
        {ID_FILE_SAVE_JWW, "out.jww", "JWW形式で図面データの保存", "図面データ (*.JWW)|*.jww||"},
    };
    for (const Case& c : cases) {
        ui.clear();
        ui.path(dir.filePath(QString::fromUtf8(c.name)));
        ASSERT_TRUE(doc->OnCmdMsg(c.id, nullptr));
        const auto choosers = ui.calls(platform::UiKind::SaveFile);
        ASSERT_EQ(choosers.size(), 1u);
        EXPECT_EQ(choosers[0].caption, QString::fromUtf8(c.title));
        EXPECT_EQ(choosers[0].text, QString::fromUtf8(c.filter));
        EXPECT_TRUE(QFile::exists(dir.filePath(QString::fromUtf8(c.name))));
        EXPECT_TRUE(doc->IsModified());
        EXPECT_TRUE(ui.messages().isEmpty());
        doc->SetModifiedFlag(false);
    }
}

TEST_F(AppTest, JwwUtf16TextsBecomeCodePage932)
{
    Start();
    EXPECT_EQ(Utf16ToCp932(u"図面A"), "\x90\x7d\x96\xca" "A");
}
