#include "view/OrvikCadView.h"
#include "common/ToolHarness.h"
#include "dialogs/PlanInfoDlg.h"
#include "model/Document.h"
#include "platform/Controls.h"

#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Answers the drawing-information dialog after change has filled it.
std::function<void(QDialog&)> Confirm(std::function<void(QDialog&)> change)
{
    return [change](QDialog& d) {
        change(d);
        d.accept();
    };
}

CEntity* FirstLine(COrvikCadDoc& doc)
{
    for (CEntity* e = doc.list.first; e; e = e->next)
        if (e->type == 20)
            return e;
    return nullptr;
}

} // namespace

TEST(ViewDrawingInfo, NewScaleOrPaperLaysTheDrawingOutAgain)
{
    ToolHarness h;
    COrvikCadDoc& doc = h.Doc();
    COrvikCadView& view = h.View();

    // A3 landscape at 1/1: the origin goes to the paper's centre.
    h.Ui().dialog(Confirm([](QDialog& d) { platform::control<QListWidget>(&d, CPlanInfoDlg::IDC_PAPER)->setCurrentRow(3); }));
    view.OnDrawingInfo();
    EXPECT_EQ(doc.header.paperIndex, 3);
    EXPECT_DOUBLE_EQ(doc.DrawingOrigin[0], 210.0);
    EXPECT_DOUBLE_EQ(doc.DrawingOrigin[1], 148.5);

    const int16_t codes[] = {10, 20, 11, 22};
    const double values[] = {210, 148.5, 260, 148.5};
    ASSERT_EQ(doc.AddEntity({20, 0, 0, 0, 4}, codes, 0, values), 0);

    // Scale 1 → 2: origin (420, 297), every entity moved by (210, 148.5).
    h.Ui().dialog(Confirm([](QDialog& d) { platform::control<QLineEdit>(&d, CPlanInfoDlg::IDC_SCALE)->setText("2"); }));
    view.OnDrawingInfo();
    EXPECT_DOUBLE_EQ(doc.DrawingOrigin[0], 420.0);
    EXPECT_DOUBLE_EQ(doc.DrawingOrigin[1], 297.0);
    EXPECT_EQ(ScaleDenominator, 2);
    CEntity* line = FirstLine(doc);
    ASSERT_NE(line, nullptr);
    EXPECT_DOUBLE_EQ(line->values[0], 420.0);
    EXPECT_DOUBLE_EQ(line->values[1], 297.0);
    EXPECT_TRUE(doc.modified);

    // The orientation alone turns the paper but moves nothing.
    h.Ui().dialog(Confirm([](QDialog& d) { platform::control<QRadioButton>(&d, CPlanInfoDlg::IDC_PORTRAIT)->click(); }));
    view.OnDrawingInfo();
    EXPECT_EQ(doc.header.orientation, 1);
    EXPECT_DOUBLE_EQ(view.paperW, 297.0);
    EXPECT_DOUBLE_EQ(view.paperH, 420.0);
    EXPECT_DOUBLE_EQ(line->values[0], 420.0);
    EXPECT_DOUBLE_EQ(doc.DrawingOrigin[0], 420.0);

    // Cancel changes nothing.
    h.Ui().dialog(IDCANCEL);
    view.OnDrawingInfo();
    EXPECT_EQ(doc.header.orientation, 1);
    EXPECT_TRUE(h.Ui().problems().isEmpty()) << h.Ui().problems().join("\n").toStdString();
}

TEST(ViewDrawingInfo, ExistingDrawingGreysItsCreationFields)
{
    ToolHarness h;
    bool fileNameEnabled = true, authorEnabled = true, updaterEnabled = false;
    h.Ui().dialog([&](QDialog& d) {
        fileNameEnabled = platform::control<QLineEdit>(&d, CPlanInfoDlg::IDC_FILE_NAME)->isEnabled();
        authorEnabled = platform::control<QLineEdit>(&d, CPlanInfoDlg::IDC_AUTHOR)->isEnabled();
        updaterEnabled = platform::control<QLineEdit>(&d, CPlanInfoDlg::IDC_UPDATER)->isEnabled();
        d.reject();
    });
    h.View().OnDrawingInfo();
    EXPECT_FALSE(fileNameEnabled);
    EXPECT_FALSE(authorEnabled);
    EXPECT_TRUE(updaterEnabled);
}
