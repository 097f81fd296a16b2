// The layer-name dialog's name: cut to its bytes rather than refused.

#include "platform/Controls.h"

#include "dialogs/LayerPropatyDlg.h"
#include "platform/Encoding.h"
#include "platform/Ui.h"
#include "platform/UiScript.h"

#include <QDialog>
#include <QLineEdit>

#include <string>

#include <gtest/gtest.h>

namespace {

// A name placed in the edit past what typing allows (the edit's byte limit
// stops only typing) is taken cut to 40 bytes on a character boundary, and
// a name given longer is shown cut the same way.
TEST(LayerPropatyDlg, LongNamesAreCutOnACharacterBoundary)
{
    const QString tooLong = QString(39, QLatin1Char('x')) + QStringLiteral("外");  // 41 bytes
    platform::UiScript ui;
    QString shown;
    ui.dialogReturning([&](QDialog& d) -> int {
        QLineEdit* edit = platform::control<QLineEdit>(&d, CLayerPropatyDlg::IDC_LAYER_NAME);
        EXPECT_NE(edit, nullptr);
        if (!edit)
            return IDCANCEL;
        shown = edit->text();
        edit->setText(tooLong);
        d.accept();
        return d.result();
    });
    CLayerPropatyDlg dlg;
    dlg.m_strLayerName = std::string(38, 'y') + ToCp932(QStringLiteral("壁外"));  // 42 bytes
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(shown, QString(38, QLatin1Char('y')) + QStringLiteral("壁"));
    EXPECT_EQ(dlg.m_strLayerName, std::string(39, 'x'));
    EXPECT_TRUE(ui.messages().isEmpty());
}

} // namespace
