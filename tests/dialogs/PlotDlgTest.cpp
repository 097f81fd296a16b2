// The plot dialog and its preview, the plotter settings dialog, and the two
// plotter commands of a drawing.

#include "DialogGestures.h"

#include "common/PseudoTerminal.h"
#include "dialogs/PlotCommands.h"
#include "dialogs/PlotDlg.h"
#include "dialogs/PloterSetDlg.h"
#include "model/Document.h"
#include "model/ParameterBlock.h"
#include "model/Settings.h"
#include "platform/RecordingDc.h"
#include "platform/UiScript.h"

#include <QComboBox>
#include <QEventLoop>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <deque>

namespace {

bool Has(const platform::RecordingDc& dc, const std::string& line)
{
    const std::vector<std::string> lines = dc.Lines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

CEntity LineEntity(double x1, double y1, double x2, double y2, int16_t layer = 0)
{
    CEntity e;
    e.type = EntityType::Line;
    e.style = 1;
    e.layer = layer;
    for (double v : {x1, y1, x2, y2}) e.values.push_back(v);
    e.count = 4;
    return e;
}

class PlotDlgTest : public DialogGestures {
protected:
    // Shows the dialog as its modal run would, without running it.
    void Show(CPlotDlg& dlg)
    {
        dlg.show();
        QApplication::processEvents();
    }
};

} // namespace

TEST_F(PlotDlgTest, TheDrawingScaleChoosesTheScaleListEntry)
{
    struct Case {
        float scale;
        QString shown;
    };
    const Case cases[] = {{100, "１／１００"}, {75, "設定値使用"}, {1, "１／１"}, {50.7f, "１／５０"}, {0, "設定値使用"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scale);
        CPlotDlg dlg;
        dlg.DocumentScale = c.scale;
        dlg.ScaleIndex = 3;
        Show(dlg);
        EXPECT_EQ(Ctrl<QComboBox>(&dlg, IDC_PLOT_SCALE)->currentText(), c.shown);
    }
}

TEST_F(PlotDlgTest, CorrectionsOutsideThreeHundredMillimetresAreRefused)
{
    struct Case {
        QString x;
        bool accepted;
    };
    const Case cases[] = {{"301", false}, {"-300", true}, {"300", true}, {"-301", false}, {"abc", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x.toStdString());
        platform::UiScript ui;
        ui.button(IDOK);
        CPlotDlg dlg;
        dlg.DocumentScale = 100;
        Show(dlg);
        SetText(&dlg, IDC_PLOT_OFFSET_X, c.x);
        Ctrl<QAbstractButton>(&dlg, IDOK)->click();
        EXPECT_EQ(dlg.result() == QDialog::Accepted, c.accepted);
        EXPECT_EQ(ui.messages().isEmpty(), c.accepted);
        if (c.accepted) {
            EXPECT_EQ(dlg.OffsetXmm, c.x.toInt());
        }
    }
}

TEST_F(PlotDlgTest, AnA4SheetWithoutBandsSpansTheLowerPartOfThePreview)
{
    CPlotDlg dlg;
    dlg.PaperIndex = 4;
    platform::RecordingDc dc(CPlotDlg::PreviewWidth, CPlotDlg::PreviewHeight);
    dlg.DrawPreview(dc);
    EXPECT_TRUE(Has(dc, "Rectangle(-1,-1,319,322)"));
    EXPECT_TRUE(Has(dc, "Rectangle(0,112,297,322)"));
    EXPECT_EQ(dc.Count("Rectangle"), 2);  // no bands
    // Bands of 20 and 10 millimetres move the sheet up and right.
    dlg.PlotOffsetX = 20;
    dlg.PlotOffsetY = 10;
    dc.Clear();
    dlg.DrawPreview(dc);
    EXPECT_TRUE(Has(dc, "Rectangle(0,311,318,321)"));
    EXPECT_TRUE(Has(dc, "Rectangle(0,0,20,321)"));
    EXPECT_TRUE(Has(dc, "Rectangle(20,102,317,312)"));
}

TEST_F(PlotDlgTest, PreviewFactorByPaperUnlessPaperBased)
{
    struct Case {
        int paper;
        int paperBased;
        float factor;
    };
    const float s = std::sqrt(2.0f);
    const Case cases[] = {{0, 0, 4}, {1, 0, 2 * s}, {2, 0, 2}, {3, 0, s}, {4, 0, 1}, {5, 0, 1 / s}, {6, 0, 0.5f},
                          {1, 1, 2}, {6, 1, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.paper << " " << c.paperBased);
        CPlotDlg dlg;
        dlg.PaperIndex = c.paper;
        dlg.PaperBased = c.paperBased;
        platform::RecordingDc dc(CPlotDlg::PreviewWidth, CPlotDlg::PreviewHeight);
        dlg.DrawPreview(dc);
        EXPECT_FLOAT_EQ(dlg.PreviewFactor(), c.factor);
    }
}

TEST_F(PlotDlgTest, AnA1LineOfEightHundredFortyOneMillimetresFillsTheSheet)
{
    CEntity line = LineEntity(0, 0, 841, 0);
    CPlotDlg dlg;
    dlg.PaperIndex = 1;
    dlg.ScaleIndex = 6;
    dlg.ExtMaxX = 841;
    dlg.ExtMaxY = 594;
    dlg.First = &line;
    platform::RecordingDc dc(CPlotDlg::PreviewWidth, CPlotDlg::PreviewHeight);
    dlg.DrawPreview(dc);
    EXPECT_TRUE(Has(dc, "MoveTo(0,322)"));
    EXPECT_TRUE(Has(dc, "LineTo(297,322)"));
}

TEST_F(PlotDlgTest, ALineOnAHiddenLayerShowsOnlyWhenEveryLayerIsPlotted)
{
    CEntity line = LineEntity(0, 0, 100, 100, 15);
    CPlotDlg dlg;
    dlg.PaperIndex = 4;
    dlg.ScaleIndex = 6;
    dlg.ExtMaxX = 297;
    dlg.ExtMaxY = 210;
    dlg.First = &line;
    dlg.DocumentScale = 1;
    Show(dlg);
    platform::RecordingDc visible(CPlotDlg::PreviewWidth, CPlotDlg::PreviewHeight);
    dlg.DrawPreview(visible);
    EXPECT_EQ(visible.Count("LineTo"), 0);
    Ctrl<QRadioButton>(&dlg, IDC_PLOT_ALL_LAYERS)->click();
    EXPECT_EQ(dlg.AllLayers, 1);
    platform::RecordingDc all(CPlotDlg::PreviewWidth, CPlotDlg::PreviewHeight);
    dlg.DrawPreview(all);
    EXPECT_EQ(all.Count("LineTo"), 1);
    // The layer shown in its own colours plots without the choice.
    dlg.LayerStates[15] = 2;
    Ctrl<QRadioButton>(&dlg, IDC_PLOT_VISIBLE_ONLY)->click();
    platform::RecordingDc shown(CPlotDlg::PreviewWidth, CPlotDlg::PreviewHeight);
    dlg.DrawPreview(shown);
    EXPECT_EQ(shown.Count("LineTo"), 1);
}

TEST_F(PlotDlgTest, PreviewOfCirclesArcsAndTexts)
{
    std::deque<CEntity> chain;
    auto add = [&chain](int16_t type, std::vector<double> values, int16_t subtype = 0) {
        CEntity e;
        e.type = type;
        e.subtype = subtype;
        for (double v : values) e.values.push_back(v);
        e.count = static_cast<int16_t>(values.size());
        e.text = std::string("A");
        chain.push_back(e);
        if (chain.size() > 1) chain[chain.size() - 2].next = &chain.back();
    };
    add(EntityType::Circle, {100, 100, 10});
    add(EntityType::Arc, {100, 100, 10, 0, 90}, 1);
    add(EntityType::Arc, {100, 100, 10, 0, 360}, 1);
    add(EntityType::Text, {50, 50, 2, 2, 30}, 0);
    add(EntityType::Circle, {-500, -500, 10});  // centre outside the extents: not shown
    CPlotDlg dlg;
    dlg.PaperIndex = 4;
    dlg.ScaleIndex = 6;
    dlg.ExtMaxX = 297;
    dlg.ExtMaxY = 210;
    dlg.First = &chain.front();
    platform::RecordingDc dc(CPlotDlg::PreviewWidth, CPlotDlg::PreviewHeight);
    dlg.DrawPreview(dc);
    EXPECT_TRUE(Has(dc, "Arc(90,212,110,232,110,222,110,222)"));
    EXPECT_TRUE(Has(dc, "Arc(90,212,110,232,110,222,100,212)"));
    EXPECT_EQ(dc.Count("Arc"), 3);
    EXPECT_TRUE(Has(dc, "TextOut(50,272,\"A\")"));
}

TEST_F(PlotDlgTest, AnEmptyOrZeroSizedDrawingPreviewsNothingButTheSheet)
{
    CEntity line = LineEntity(0, 0, 0, 0);
    CPlotDlg dlg;
    dlg.First = &line;
    dlg.PaperBased = 0;
    dlg.PaperIndex = 99;  // outside the list: the factor stays
    platform::RecordingDc dc(CPlotDlg::PreviewWidth, CPlotDlg::PreviewHeight);
    dlg.DrawPreview(dc);
    EXPECT_EQ(dc.Count("Rectangle"), 2);
    EXPECT_LE(dc.Count("LineTo"), 1);
}

TEST_F(PlotDlgTest, PlotterSettingsShowTheStoredChoicesAndOutOfRangeOnesAsTheFirst)
{
    CPloterSetDlg dlg;
    dlg.CommandSet = 1;
    dlg.Port = 4;
    dlg.BaudIndex = 12;
    dlg.DataBitsIndex = 3;
    dlg.Parity = 2;
    dlg.StopBitsIndex = 1;
    dlg.FlowControl = 3;
    dlg.show();
    QApplication::processEvents();
    EXPECT_EQ(Ctrl<QComboBox>(&dlg, IDC_PLOTTER_COMMAND)->currentText(), "HP-GL/2");
    EXPECT_EQ(Ctrl<QComboBox>(&dlg, IDC_PLOTTER_PORT)->currentText(), "LPT1 ﾊﾟﾗﾚﾙ ");
    EXPECT_EQ(Ctrl<QComboBox>(&dlg, IDC_PLOTTER_BAUD)->currentText(), "2400 bps");
    EXPECT_EQ(Ctrl<QComboBox>(&dlg, IDC_PLOTTER_DATA_BITS)->currentText(), "7 bit");
    EXPECT_EQ(Ctrl<QComboBox>(&dlg, IDC_PLOTTER_PARITY)->currentText(), "奇 数");
    EXPECT_EQ(Ctrl<QComboBox>(&dlg, IDC_PLOTTER_STOP_BITS)->currentText(), "1.5 bit");
    EXPECT_EQ(Ctrl<QComboBox>(&dlg, IDC_PLOTTER_FLOW)->currentText(), "XON/XOFF");
    EXPECT_EQ(Ctrl<QComboBox>(&dlg, IDC_PLOTTER_BAUD)->count(), 9);
}

TEST_F(PlotDlgTest, PlotterSettingsAreSavedInTheSettingsFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string savedFolder = DataFolder;
    DataFolder = dir.path().toStdString();
    {
        COrvikCadDoc doc;
        doc.parameters.SetFactoryDefaults();
        platform::UiScript ui;
        ui.dialog([](QDialog& d) {
            const std::pair<int, int> picks[] = {{IDC_PLOTTER_COMMAND, 1}, {IDC_PLOTTER_PORT, 5},
                                                 {IDC_PLOTTER_BAUD, 8},    {IDC_PLOTTER_DATA_BITS, 2},
                                                 {IDC_PLOTTER_PARITY, 1},  {IDC_PLOTTER_STOP_BITS, 0},
                                                 {IDC_PLOTTER_FLOW, 2}};
            for (auto [id, index] : picks) platform::control<QComboBox>(&d, id)->setCurrentIndex(index);
            platform::control<QAbstractButton>(&d, IDOK)->click();
        });
        RunPlotterSetup(doc);
        EXPECT_EQ(ui.calls(platform::UiKind::Dialog).size(), 1u);
        CParameterBlock file;
        ASSERT_EQ(std::filesystem::file_size(ParameterFilePath(DataFolder)), 728u);
        ReadParameterFile(DataFolder, file, false);
        EXPECT_EQ(file.PlotterCommandSet, 1);
        EXPECT_EQ(file.PlotterPort, 5);
        EXPECT_EQ(file.PlotterBaudIndex, 8);
        EXPECT_EQ(file.PlotterDataBitsIndex, 2);
        EXPECT_EQ(file.PlotterParity, 1);
        EXPECT_EQ(file.PlotterStopBitsIndex, 0);
        EXPECT_EQ(file.PlotterFlowControl, 2);
        EXPECT_EQ(doc.parameters.PlotterPort, 5);
        // Cancelled: nothing changes.
        ui.dialog(IDCANCEL);
        doc.parameters.PlotterPort = 0;
        RunPlotterSetup(doc);
        ReadParameterFile(DataFolder, file, false);
        EXPECT_EQ(file.PlotterPort, 5);
    }
    DataFolder = savedFolder;
}

TEST_F(PlotDlgTest, PlotterOutputKeepsTheChoicesAndPlotsOnThePort)
{
    PseudoTerminal pty;
    ASSERT_FALSE(pty.slave.empty());
    ScopedEnv env("ORVIKCAD_COM1", pty.slave);
    COrvikCadDoc doc;
    doc.parameters.SetFactoryDefaults();
    doc.parameters.PlotterPort = 0;
    doc.parameters.PlotterCommandSet = 0;
    doc.header.scale = 100;
    const double values[4] = {0, 0, 1000, 0};
    const int16_t codes[4] = {10, 20, 11, 21};
    ASSERT_EQ(doc.AddEntity(EntityHeader{EntityType::Line, 0, 3, 0, 4}, codes, 0, values), 0);
    doc.ExtentsMin = {0, 0, 0};
    doc.ExtentsMax = {1000, 100, 0};
    platform::UiScript ui;
    ui.dialog([](QDialog& d) {
        platform::control<QLineEdit>(&d, IDC_PLOT_OFFSET_Y)->setText("0");
        platform::control<QAbstractButton>(&d, IDOK)->click();
    });
    ui.dialogReturning([](QDialog& d) {
        QEventLoop loop;
        QObject::connect(&d, &QDialog::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        return d.result();
    });
    RunPlotterOutput(doc);
    EXPECT_EQ(doc.header.plotScaleChoice, 1);  // scale 100 chose 1/100
    const std::string expected = "IN;SP3;PU0.00,0.00;PD400.00,0.00;PUSPPG;";
    std::string got = pty.read(expected.size());
    // The drawing's own first records (a grid) plot nothing.
    EXPECT_EQ(got, expected);
    EXPECT_TRUE(ui.messages().isEmpty()) << ui.messages().join("|").toStdString();
}
