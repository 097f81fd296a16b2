// The settings commands of the menus: the drawing's "初期値設定" and
// "寸法公差設定", and the application's "初期値設定" while no drawing is open.

#include "AppFixture.h"

#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "dialogs/InitPages.h"
#include "dialogs/InitialSetDlg.h"
#include "model/Settings.h"
#include "platform/Controls.h"
#include "resources/Resource.h"
#include "view/DrawingDocument.h"

#include <QFile>
#include <QLineEdit>
#include <QTabBar>
#include <QTemporaryDir>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

std::vector<char> FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

class SettingsCommandsTest : public AppTest {
protected:
    void SetUp() override { keptFolder = DataFolder; }
    void TearDown() override
    {
        AppTest::TearDown();
        DataFolder = keptFolder;
    }
    void StartIn(const QString& folder)
    {
        Start();
        DataFolder = QFile::encodeName(folder).toStdString();
    }
    // A new drawing in a shown, active frame.
    void OpenDrawing()
    {
        platform::UiScript ui;
        ui.dialog(IDOK);
        frame->SendCommand(ID_FILE_NEW);
        frame->show();
        frame->activateWindow();
        QApplication::processEvents();
        ASSERT_EQ(frame->ChildFrames().size(), 1);
        doc = dynamic_cast<CDrawingDocument*>(frame->ChildFrames().first()->GetActiveDocument());
        ASSERT_NE(doc, nullptr);
    }
    std::string SettingsFile() const { return (std::filesystem::path(DataFolder) / "ORVPRM.DAT").string(); }
    float GridPitchOfDrawing() const
    {
        for (CEntity* e = doc->Drawing().list.first; e; e = e->next)
            if (e->type == EntityType::Grid && e->values.size() > 2)
                return float(e->values[2]);
        return -1;
    }

    QTemporaryDir dir;
    std::string keptFolder;
    CDrawingDocument* doc = nullptr;
};

// Types into the settings dialog: grid pitch 7, pen 1 width 0.4, the grid
// colour from the colour chooser; then OK.
void EditSettings(QDialog& d)
{
    auto& dlg = static_cast<CInitialSetDlg&>(d);
    dlg.Tabs()->setCurrentIndex(1);
    platform::control<QLineEdit>(&dlg, CInitGridDlg::IDC_PITCH)->setText(QStringLiteral("7"));
    dlg.Tabs()->setCurrentIndex(7);
    platform::control<QLineEdit>(&dlg, CInitPenDlg::IDC_WIDTH[0])->setText(QStringLiteral("0.4"));
    dlg.Tabs()->setCurrentIndex(6);
    platform::control<QAbstractButton>(&dlg, CInitColorDlg::IDC_COLOUR[1])->click();
    d.accept();
}

// OK writes the file and applies it to the drawing, its views and the
// running program; a drawing with unsaved edits stays modified, one without
// stays unmodified.
TEST_F(SettingsCommandsTest, DrawingCommandAppliesTheSettingsAndKeepsTheModifiedState)
{
    StartIn(dir.path());
    OpenDrawing();
    COrvikCadDoc& drawing = doc->Drawing();
    drawing.parameters.PaletteLeft = 321;  // the drawing's own window positions are kept
    for (bool modified : {true, false}) {
        SCOPED_TRACE(modified);
        doc->SetModifiedFlag(modified);
        const COLORREF grid = modified ? 0x00123456 : 0x00ABCDEF;
        platform::UiScript ui;
        ui.dialog(EditSettings).color(grid);
        ASSERT_TRUE(frame->SendCommand(ID_DOC_INITIAL_SETTINGS));
        ASSERT_EQ(ui.calls(platform::UiKind::Dialog).size(), 1u);
        EXPECT_EQ(ui.calls(platform::UiKind::Dialog)[0].text, QStringLiteral("CInitialSetDlg"));
        EXPECT_TRUE(ui.problems().isEmpty()) << ui.problems().join(u'\n').toStdString();

        EXPECT_EQ(drawing.parameters.DefaultGridPitch, 7.0f);
        EXPECT_EQ(drawing.parameters.PaletteLeft, 321);
        EXPECT_EQ(drawing.parameters.ScreenColors[1], grid);
        EXPECT_EQ(drawing.DrawingSettingsBlock.DisplayColor(1), grid);
        EXPECT_EQ(GridPitchOfDrawing(), 7.0f);
        EXPECT_EQ(PenWidths[0], 0.4f);
        EXPECT_EQ(doc->IsModified(), modified);
        const CParameterBlock::Image image = drawing.parameters.ToBytes();
        EXPECT_EQ(FileBytes(SettingsFile()), std::vector<char>(image.begin(), image.end()));
    }
}

// Cancel, and factory settings followed by Cancel, change neither the file
// nor the drawing.
TEST_F(SettingsCommandsTest, CancelChangesNothing)
{
    StartIn(dir.path());
    OpenDrawing();
    const std::vector<char> before = FileBytes(SettingsFile());
    ASSERT_EQ(before.size(), CParameterBlock::Size);
    const CParameterBlock record = doc->Drawing().parameters;
    const SettingsPenWidths widths = PenWidths;
    platform::UiScript ui;
    ui.dialog([](QDialog& d) {
        platform::control<QAbstractButton>(&d, CInitialSetDlg::IDC_FACTORY)->click();
        d.reject();
    });
    frame->SendCommand(ID_DOC_INITIAL_SETTINGS);
    EXPECT_EQ(FileBytes(SettingsFile()), before);
    EXPECT_EQ(doc->Drawing().parameters, record);
    EXPECT_EQ(PenWidths, widths);
}

// A settings file that cannot be written is reported; the drawing and the
// program keep their settings.
TEST_F(SettingsCommandsTest, AFileThatCannotBeWrittenIsReportedAndChangesNothing)
{
    StartIn(dir.path());
    OpenDrawing();
    const CParameterBlock record = doc->Drawing().parameters;
    // The data folder becomes a path below a plain file.
    QFile blocker(dir.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    DataFolder = QFile::encodeName(dir.filePath(QStringLiteral("plain/data"))).toStdString();
    platform::UiScript ui;
    ui.dialog(EditSettings).color(0x00654321).button(IDOK);
    frame->SendCommand(ID_DOC_INITIAL_SETTINGS);
    EXPECT_EQ(ui.messages(), QStringList{QStringLiteral(
                                 "初期値設定ファイル ORVPRM.DAT に書き込めませんでした。\n設定は変更されていません。")});
    EXPECT_EQ(doc->Drawing().parameters, record);
    EXPECT_NE(PenWidths[0], 0.4f);
    DataFolder = QFile::encodeName(dir.path()).toStdString();
}

TEST_F(SettingsCommandsTest, ToleranceCommandOpensTheToleranceDialog)
{
    StartIn(dir.path());
    OpenDrawing();
    platform::UiScript ui;
    ui.dialog(IDCANCEL);
    ASSERT_TRUE(frame->SendCommand(ID_DIM_TOLERANCE));
    ASSERT_EQ(ui.calls(platform::UiKind::Dialog).size(), 1u);
    EXPECT_EQ(ui.calls(platform::UiKind::Dialog)[0].text, QStringLiteral("CSunpouKousaDlg"));
    EXPECT_EQ(ui.calls(platform::UiKind::Dialog)[0].caption, QStringLiteral("寸法公差設定"));
}

// With no drawing open and no settings file, the application's command
// edits its own defaults and writes them; the window positions written are
// those it began with.
TEST_F(SettingsCommandsTest, ApplicationCommandWorksWithoutDrawingOrFile)
{
    StartIn(dir.path());
    ASSERT_TRUE(frame->ChildFrames().isEmpty());
    ASSERT_FALSE(QFile::exists(QString::fromStdString(SettingsFile())));
    CParameterBlock shown;
    platform::UiScript ui;
    ui.dialog([&](QDialog& d) {
        auto& dlg = static_cast<CInitialSetDlg&>(d);
        shown = dlg.Parameters;
        dlg.Parameters.PaletteLeft = 999;  // not the dialog's to change
        dlg.Tabs()->setCurrentIndex(8);
        platform::control<QLineEdit>(&dlg, CInitHutosenDlg::IDC_WIDTH[1])->setText(QStringLiteral("0.75"));
        d.accept();
    });
    ASSERT_TRUE(frame->SendCommand(ID_APP_INITIAL_SETTINGS));
    EXPECT_EQ(ui.calls(platform::UiKind::Dialog).size(), 1u);
    EXPECT_EQ(shown, COrvikCadApp::InitialSettingsDefaults());
    EXPECT_EQ(shown.PaletteLeft, 0);
    EXPECT_EQ(shown.LayerListHeight, 100);
    EXPECT_EQ(shown.PenColors[7], 0xFFFFFFu);
    EXPECT_EQ(std::string(shown.PartsFolder.data()), PartsFolder.substr(0, MaxPartsFolderBytes));

    CParameterBlock written;
    ASSERT_TRUE(ReadSettingsFile(written));
    CParameterBlock expected = shown;
    expected.ThickLineWidths[1] = 0.75f;
    EXPECT_EQ(written, expected);
    EXPECT_EQ(PenColors[7], 0xFFFFFFu);  // the size bar reloaded its pens from the file
}

} // namespace
