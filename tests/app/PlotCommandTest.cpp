// Saving a drawing as an HP-GL file through the document's command.

#include "AppFixture.h"

#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "dialogs/PlotOutGoDlg.h"
#include "exchange/PlotRun.h"
#include "view/DrawingDocument.h"
#include "resources/Resource.h"

#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

TEST_F(AppTest, SaveAsHpglPlotsTheDrawingIntoTheChosenFile)
{
    Start();
    QTemporaryDir dir;
    const QString dxf = dir.filePath(QStringLiteral("in.dxf"));
    {
        QFile f(dxf);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n 10\n1\n 20\n2\n 11\n300\n 21\n40\n"
                "  0\nCIRCLE\n 10\n50\n 20\n60\n 40\n10\n  0\nENDSEC\n  0\nEOF\n");
    }
    platform::UiScript ui;
    ui.path(dxf);
    AfxGetApp().OnFileOpenDxf();
    QApplication::processEvents();
    ASSERT_EQ(frame->ChildFrames().size(), 1u);
    auto* doc = dynamic_cast<CDrawingDocument*>(frame->ChildFrames().front()->GetActiveDocument());
    ASSERT_NE(doc, nullptr);

    // What the drawing plots to, as a port would get it with line ends.
    PlotJob job = PlotJobOfDrawing(doc->Drawing());
    PlotTextChannel expected(true);
    {
        CPlotRun run(job, expected);
        ASSERT_EQ(run.Start(), PlotError::None);
        while (run.Tick() == CPlotRun::Step::Running) {
        }
    }
    ASSERT_NE(expected.text.find("CI"), std::string::npos);

    ui.clear();
    const QString out = dir.filePath(QStringLiteral("plan.pgl"));
    ui.path(out);
    ui.dialogReturning([](QDialog& d) {
        QEventLoop loop;
        QObject::connect(&d, &QDialog::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        return d.result();
    });
    ASSERT_TRUE(doc->OnCmdMsg(ID_FILE_SAVE_HPGL, nullptr));
    const auto choosers = ui.calls(platform::UiKind::SaveFile);
    ASSERT_EQ(choosers.size(), 1u);
    EXPECT_EQ(choosers[0].caption, QStringLiteral("HPGL形式で図面データの保存"));
    EXPECT_EQ(choosers[0].text, QStringLiteral("図面データ (*.PGL)|*.pgl||"));
    const auto dialogs = ui.calls(platform::UiKind::Dialog);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].caption, QStringLiteral("プロッタ-出力"));
    QFile written(out);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll().toStdString(), expected.text);
    EXPECT_TRUE(ui.messages().isEmpty());

    // Cancelling the file dialog plots nothing.
    ui.clear();
    ui.cancel();
    ASSERT_TRUE(doc->OnCmdMsg(ID_FILE_SAVE_HPGL, nullptr));
    EXPECT_TRUE(ui.calls(platform::UiKind::Dialog).empty());
}
