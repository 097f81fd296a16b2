// The plot-run dialog: a plot into a file or onto a port, its progress, the
// cancel button and the messages of a run that cannot go on.

#include "dialogs/PlotOutGoDlg.h"

#include "common/PseudoTerminal.h"
#include "platform/Controls.h"
#include "platform/UiScript.h"

#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <functional>
#include <sstream>

namespace {

struct Drawing {
    std::deque<CEntity> entities;
    CEntity& Line(int16_t style, double x1, double y1, double x2, double y2)
    {
        CEntity e;
        e.type = EntityType::Line;
        e.style = style;
        for (double v : {x1, y1, x2, y2}) e.values.push_back(v);
        e.count = 4;
        entities.push_back(e);
        for (std::size_t i = 0; i + 1 < entities.size(); ++i) entities[i].next = &entities[i + 1];
        return entities.back();
    }
    const CEntity* First() const { return entities.empty() ? nullptr : &entities.front(); }
};

PlotJob Job(const Drawing& drawing)
{
    PlotJob job;
    job.ScaleIndex = 1;
    job.ExtMaxX = 1000;
    job.First = drawing.First();
    return job;
}

std::string FileText(const QString& path)
{
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class PlotOutGoDlgTest : public testing::Test {
protected:
    // The next modal dialog is left to its timer until it ends itself
    // (at most 10 s); `during` first acts on it.
    void Answer(const std::function<void(CPlotOutGoDlg&)>& during = {})
    {
        ui.dialogReturning([during](QDialog& d) {
            auto& dlg = static_cast<CPlotOutGoDlg&>(d);
            bool ended = false;
            QObject::connect(&d, &QDialog::finished, [&ended](int) { ended = true; });
            if (during) during(dlg);
            if (!ended) {
                QEventLoop loop;
                QObject::connect(&d, &QDialog::finished, &loop, &QEventLoop::quit);
                QTimer::singleShot(10000, &loop, &QEventLoop::quit);
                loop.exec();
            }
            return d.result();
        });
    }
    static QString Percent(CPlotOutGoDlg& dlg) { return platform::control<QLabel>(&dlg, IDC_PLOT_PERCENT)->text(); }

    platform::UiScript ui;
    QTemporaryDir dir;
};

} // namespace

TEST_F(PlotOutGoDlgTest, PlotsIntoAFileLineByLine)
{
    Drawing drawing;
    drawing.Line(3, 0, 0, 1000, 0);
    CPlotOutGoDlg dlg;
    dlg.m_job = Job(drawing);
    dlg.m_job.ToFile = 1;
    dlg.m_strFileName = dir.filePath("a.pgl");
    Answer();
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(FileText(dlg.m_strFileName), "IN;\r\nSP3;\r\nPU0.00,0.00;\r\nPD400.00,0.00;\r\nPUSPPG;\r\n");
    EXPECT_EQ(Percent(dlg), "100 %");
    EXPECT_TRUE(ui.messages().isEmpty());
    EXPECT_TRUE(ui.problems().isEmpty()) << ui.problems().join("\n").toStdString();
}

TEST_F(PlotOutGoDlgTest, ProgressRisesEveryThirdOfTwoHundredAndFiftyEntities)
{
    Drawing drawing;
    for (int i = 0; i < 250; ++i) drawing.Line(1, 0, 0, 1, 0);
    CPlotOutGoDlg dlg;
    dlg.m_job = Job(drawing);
    dlg.m_job.ToFile = 1;
    dlg.m_strFileName = dir.filePath("b.pgl");
    QStringList seen;
    Answer([&seen](CPlotOutGoDlg& d) {
        seen << Percent(d);
        for (int i = 0; i < 7; ++i) {
            d.OnTimer();
            seen << Percent(d);
        }
    });
    dlg.DoModal();
    EXPECT_EQ(seen, (QStringList{"100 %", "  1 %", "  1 %", "  1 %", "  2 %", "  2 %", "  2 %", "  3 %"}));
    EXPECT_EQ(Percent(dlg), "100 %");
    EXPECT_EQ(platform::control<QProgressBar>(&dlg, IDC_PLOT_PROGRESS)->value(), 100);
}

TEST_F(PlotOutGoDlgTest, CancelEndsThePlotOnceAndKeepsWhatWasSent)
{
    Drawing drawing;
    for (int i = 0; i < 50; ++i) drawing.Line(1, 0, 0, 1000, 0);
    CPlotOutGoDlg dlg;
    dlg.m_job = Job(drawing);
    dlg.m_job.ToFile = 1;
    dlg.m_strFileName = dir.filePath("c.pgl");
    Answer([](CPlotOutGoDlg& d) {
        d.OnTimer();
        d.OnTimer();
        platform::control<QPushButton>(&d, IDCANCEL)->click();
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(FileText(dlg.m_strFileName),
              "IN;\r\nSP1;\r\nPU0.00,0.00;\r\nPD400.00,0.00;\r\nPU0.00,0.00;\r\nPD400.00,0.00;\r\nPUSPPG;\r\n");
    EXPECT_TRUE(ui.messages().isEmpty());
}

TEST_F(PlotOutGoDlgTest, RunsThatCannotGoOnEndWithTheirMessage)
{
    Drawing drawing;
    drawing.Line(1, 0, 0, 1, 0);
    struct Case {
        int commandSet;
        bool toFile;
        bool empty;
        QString port;  // where COM1 points
        QStringList messages;
        int beeps;
    };
    const Case cases[] = {
        {4, true, false, {}, {"プロッター出力コマンドが指定されていません。"}, 0},
        {0, false, false, "/nonexistent/tty", {"ポートのオープンに失敗しました。", "出力ポートのオープンに失敗しました。"}, 1},
        {0, true, true, {}, {"出力対照オブジェクトが有りません。"}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.messages.join(" ").toStdString());
        ui.clear();
        ScopedEnv env("ORVIKCAD_COM1", c.port.isEmpty() ? "/nonexistent/tty" : c.port.toStdString());
        CPlotOutGoDlg dlg;
        dlg.m_job = Job(drawing);
        dlg.m_job.CommandSet = c.commandSet;
        dlg.m_job.ToFile = c.toFile;
        if (c.empty) dlg.m_job.First = nullptr;
        dlg.m_strFileName = dir.filePath("e.pgl");
        Answer();
        dlg.DoModal();
        EXPECT_EQ(ui.messages(), c.messages);
        EXPECT_EQ(ui.beeps(), c.beeps);
        if (c.commandSet == 4) {
            EXPECT_FALSE(QFile::exists(dlg.m_strFileName));
        }
        QFile::remove(dlg.m_strFileName);
    }
}

TEST_F(PlotOutGoDlgTest, AFileThatCannotBeCreatedIsReportedAndNothingWritten)
{
    Drawing drawing;
    drawing.Line(1, 0, 0, 1, 0);
    CPlotOutGoDlg dlg;
    dlg.m_job = Job(drawing);
    dlg.m_job.ToFile = 1;
    dlg.m_strFileName = dir.filePath("no/such/folder.pgl");
    Answer();
    dlg.DoModal();
    EXPECT_EQ(ui.messages(), QStringList{QString::fromUtf8(PlotErrorMessage(PlotError::FileFailed).data())});
    EXPECT_FALSE(QFile::exists(dlg.m_strFileName));
}

TEST_F(PlotOutGoDlgTest, PlotsOntoASerialPortWithoutLineEnds)
{
    PseudoTerminal pty;
    ASSERT_FALSE(pty.slave.empty());
    ScopedEnv env("ORVIKCAD_COM2", pty.slave);
    Drawing drawing;
    drawing.Line(3, 0, 0, 1000, 0);
    CPlotOutGoDlg dlg;
    dlg.m_job = Job(drawing);
    dlg.m_job.Port = 1;
    dlg.m_job.BaudIndex = 2;
    Answer();
    EXPECT_EQ(dlg.DoModal(), IDOK);
    const std::string expected = "IN;SP3;PU0.00,0.00;PD400.00,0.00;PUSPPG;";
    EXPECT_EQ(pty.read(expected.size()), expected);
    const termios t = pty.settings();
    EXPECT_EQ(cfgetospeed(&t), B9600);
    EXPECT_TRUE(ui.messages().isEmpty());
}

TEST_F(PlotOutGoDlgTest, APlotterThatTakesNothingEndsTheRunWithAMessage)
{
    PseudoTerminal pty;
    ASSERT_FALSE(pty.slave.empty());
    ScopedEnv env("ORVIKCAD_COM1", pty.slave);
    Drawing drawing;
    for (int i = 0; i < 40000; ++i) drawing.Line(1, i, 0, 1000, i);
    CPlotOutGoDlg dlg;
    dlg.m_job = Job(drawing);
    // The run is stepped as fast as it goes; the master is never read.
    Answer([](CPlotOutGoDlg& d) {
        bool ended = false;
        QObject::connect(&d, &QDialog::finished, [&ended](int) { ended = true; });
        for (int i = 0; i < 40010 && !ended; ++i) d.OnTimer();
    });
    dlg.DoModal();
    EXPECT_EQ(ui.messages(), QStringList{QString::fromUtf8(PlotErrorMessage(PlotError::Stalled).data())});
}
