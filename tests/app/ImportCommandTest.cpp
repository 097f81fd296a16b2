// Opening DXF and JWW files as new drawings and saving drawings in those
// formats, through the application's commands.

#include "AppFixture.h"

#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "view/DrawingDocument.h"
#include "view/RecentFileList.h"
#include "resources/Resource.h"

#include <QDir>
#include <QFile>
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
        {&COrvikCadApp::OnFileOpenDxf, dir.path(), "ＤＸＦファイルを読み込めませんでした。"},
        {&COrvikCadApp::OnFileOpenJww, notJww, "JWWファイルではありません。"},
        {&COrvikCadApp::OnFileOpenJwc, notJww, "*ERROR:Read!"},
    };
    for (const Case& c : cases) {
        platform::UiScript ui;
        ui.path(c.path);
        (AfxGetApp().*c.command)();
        EXPECT_EQ(ui.messages(), QStringList{QString::fromUtf8(c.message)});
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
    // With PLAN.ORV on disk the second import keeps the name only as its title.
    WriteText(dir.filePath(QStringLiteral("PLAN.ORV")), "kept");
    {
        platform::UiScript ui;
        ui.path(dxf);
        AfxGetApp().OnFileOpenDxf();
        ASSERT_EQ(OpenFrames(frame), 2);
        CDocument* doc = frame->ChildFrames().back()->GetActiveDocument();
        EXPECT_TRUE(doc->GetPathName().isEmpty());
        EXPECT_EQ(doc->GetTitle(), QStringLiteral("PLAN.ORV"));
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
