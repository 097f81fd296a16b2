#include "dialogs/LayerPropatyDlg.h"
#include "dialogs/PassCancelDlg.h"
#include "dialogs/PlanInfoDlg.h"

#include "platform/Controls.h"
#include "platform/Encoding.h"
#include "platform/UiScript.h"

#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

template <class T>
T* Ctrl(QDialog& d, int id)
{
    T* c = platform::control<T>(&d, id);
    EXPECT_NE(c, nullptr) << "control " << id;
    return c;
}

const int kLockedForExisting[] = {CPlanInfoDlg::IDC_FILE_NAME, CPlanInfoDlg::IDC_AUTHOR, CPlanInfoDlg::IDC_MAKE_YEAR,
                                  CPlanInfoDlg::IDC_MAKE_MONTH, CPlanInfoDlg::IDC_MAKE_DAY};
const int kEdits[] = {CPlanInfoDlg::IDC_FILE_NAME,    CPlanInfoDlg::IDC_PLAN_NAME,   CPlanInfoDlg::IDC_AUTHOR,
                      CPlanInfoDlg::IDC_UPDATER,      CPlanInfoDlg::IDC_SCALE,       CPlanInfoDlg::IDC_MAKE_YEAR,
                      CPlanInfoDlg::IDC_MAKE_MONTH,   CPlanInfoDlg::IDC_MAKE_DAY,    CPlanInfoDlg::IDC_UPDATE_YEAR,
                      CPlanInfoDlg::IDC_UPDATE_MONTH, CPlanInfoDlg::IDC_UPDATE_DAY,  CPlanInfoDlg::IDC_PASSWORD};

} // namespace

TEST(PlanInfoDlg, NewDrawingHasEveryFieldEnabled)
{
    platform::UiScript ui;
    ui.dialog([](QDialog& d) {
        for (int id : kEdits) {
            EXPECT_TRUE(Ctrl<QLineEdit>(d, id)->isEnabled()) << id;
        }
        d.reject();
    });
    CPlanInfoDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST(PlanInfoDlg, ExistingDrawingGreysFileNameAuthorAndCreationDate)
{
    platform::UiScript ui;
    ui.dialog([](QDialog& d) {
        for (int id : kEdits) {
            bool locked = std::find(std::begin(kLockedForExisting), std::end(kLockedForExisting), id) !=
                          std::end(kLockedForExisting);
            EXPECT_EQ(Ctrl<QLineEdit>(d, id)->isEnabled(), !locked) << id;
        }
        d.accept();
    });
    CPlanInfoDlg dlg;
    dlg.m_bExisting = 1;
    dlg.m_strAuthor = "abc";
    dlg.m_nScale = 50;
    dlg.m_nPaper = 3;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strAuthor, "abc");
    EXPECT_EQ(dlg.m_nScale, 50);
    EXPECT_EQ(dlg.m_nPaper, 3);
}

TEST(PlanInfoDlg, ScaleOutsideRangeIsRefusedAndDialogStaysOpen)
{
    for (const char* typed : {"0", "100001", "abc"}) {
        platform::UiScript ui;
        ui.dialogReturning([typed](QDialog& d) {
            Ctrl<QLineEdit>(d, CPlanInfoDlg::IDC_SCALE)->setText(QString::fromLatin1(typed));
            d.accept();
            EXPECT_TRUE(d.isVisible());
            return int(IDCANCEL);
        });
        CPlanInfoDlg dlg;
        dlg.m_nScale = 10;
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_EQ(dlg.m_nScale, 10) << typed;
        ASSERT_EQ(ui.messages().size(), 1) << typed;
    }
    platform::UiScript ui;
    ui.dialogReturning([](QDialog& d) {
        Ctrl<QLineEdit>(d, CPlanInfoDlg::IDC_SCALE)->setText(QStringLiteral("0"));
        d.accept();
        return int(IDCANCEL);
    });
    CPlanInfoDlg dlg;
    dlg.DoModal();
    EXPECT_EQ(ui.messages(), QStringList{QStringLiteral("1 から 100000 までの整数を入力してください。")});
}

TEST(PlanInfoDlg, PrinterPaperGreysThePaperList)
{
    platform::UiScript ui;
    ui.dialog([](QDialog& d) {
        QListWidget* list = Ctrl<QListWidget>(d, CPlanInfoDlg::IDC_PAPER);
        EXPECT_TRUE(list->isEnabled());
        Ctrl<QRadioButton>(d, CPlanInfoDlg::IDC_SOURCE_PRINTER)->click();
        EXPECT_FALSE(list->isEnabled());
        Ctrl<QRadioButton>(d, CPlanInfoDlg::IDC_SOURCE_PAPER)->click();
        EXPECT_TRUE(list->isEnabled());
        Ctrl<QRadioButton>(d, CPlanInfoDlg::IDC_SOURCE_PRINTER)->click();
        d.accept();
    });
    CPlanInfoDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nPaperSource, 1);
}

// Releasing a password-protected drawing, to no protection or to write
// protection, asks for the password.
TEST(PlanInfoDlg, ReleasingPasswordProtectionAsksForThePassword)
{
    for (int target : {CPlanInfoDlg::IDC_PROTECT_NONE, CPlanInfoDlg::IDC_PROTECT_WRITE}) {
        // Cancel keeps password protection.
        {
            platform::UiScript ui;
            ui.dialog([target](QDialog& d) {
                EXPECT_FALSE(Ctrl<QLineEdit>(d, CPlanInfoDlg::IDC_PASSWORD)->isEnabled());
                Ctrl<QRadioButton>(d, target)->click();
                EXPECT_TRUE(Ctrl<QRadioButton>(d, CPlanInfoDlg::IDC_PROTECT_PASSWORD)->isChecked());
                EXPECT_FALSE(Ctrl<QRadioButton>(d, target)->isChecked());
                d.accept();
            });
            ui.dialog(IDCANCEL); // the password dialog
            CPlanInfoDlg dlg;
            dlg.m_bExisting = 1;
            dlg.m_nProtection = 2;
            dlg.m_strPassword = "secret";
            EXPECT_EQ(dlg.DoModal(), IDOK);
            EXPECT_EQ(dlg.m_nProtection, 2);
            EXPECT_TRUE(ui.finished());
            ASSERT_EQ(ui.calls().size(), 2u);
            EXPECT_EQ(ui.calls()[1].caption, QStringLiteral("パスワードの解除"));
        }
        // The right password releases it and enables the password field.
        {
            platform::UiScript ui;
            ui.dialog([target](QDialog& d) {
                Ctrl<QRadioButton>(d, target)->click();
                EXPECT_TRUE(Ctrl<QRadioButton>(d, target)->isChecked());
                EXPECT_TRUE(Ctrl<QLineEdit>(d, CPlanInfoDlg::IDC_PASSWORD)->isEnabled());
                d.accept();
            });
            ui.dialog([](QDialog& d) {
                Ctrl<QLineEdit>(d, CPassCancelDlg::IDC_PASSWORD)->setText(QStringLiteral("secret"));
                d.accept();
            });
            CPlanInfoDlg dlg;
            dlg.m_bExisting = 1;
            dlg.m_nProtection = 2;
            dlg.m_strPassword = "secret";
            EXPECT_EQ(dlg.DoModal(), IDOK);
            EXPECT_EQ(dlg.m_nProtection, target == CPlanInfoDlg::IDC_PROTECT_NONE ? 0 : 1);
            EXPECT_TRUE(ui.problems().isEmpty()) << ui.problems().join("\n").toStdString();
        }
    }
}

TEST(PlanInfoDlg, NewDrawingReleasesWithoutPassword)
{
    platform::UiScript ui;
    ui.dialog([](QDialog& d) {
        Ctrl<QRadioButton>(d, CPlanInfoDlg::IDC_PROTECT_NONE)->click();
        d.accept();
    });
    CPlanInfoDlg dlg;
    dlg.m_nProtection = 2;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nProtection, 0);
    EXPECT_EQ(ui.calls().size(), 1u);
}

TEST(PassCancelDlg, WrongPasswordKeepsDialogOpen)
{
    platform::UiScript ui;
    ui.dialogReturning([](QDialog& d) {
        QLineEdit* edit = Ctrl<QLineEdit>(d, CPassCancelDlg::IDC_PASSWORD);
        edit->setText(QStringLiteral("wrong"));
        d.accept();
        EXPECT_TRUE(d.isVisible());
        edit->setText(QStringLiteral("Secret"));
        d.accept();
        EXPECT_TRUE(d.isVisible()); // case counts
        edit->setText(QStringLiteral("secret"));
        d.accept();
        EXPECT_FALSE(d.isVisible());
        return d.result();
    });
    CPassCancelDlg dlg;
    dlg.m_strPassword = "secret";
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(ui.messages(),
              (QStringList{QStringLiteral("パスワードが違っています。"), QStringLiteral("パスワードが違っています。")}));
}

TEST(PassCancelDlg, ComparesFirstEightBytes)
{
    EXPECT_TRUE(CPassCancelDlg::PasswordMatches("abcdefgh-extra", "abcdefgh"));
    EXPECT_TRUE(CPassCancelDlg::PasswordMatches("abcdefgh", "abcdefghij"));
    EXPECT_FALSE(CPassCancelDlg::PasswordMatches("abcdefg", "abcdefgh"));
    EXPECT_TRUE(CPassCancelDlg::PasswordMatches("", ""));
}

TEST(LayerPropatyDlg, EmptyNameIsRefusedAndCaptionFollowsMode)
{
    platform::UiScript ui;
    ui.dialogReturning([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("レイヤーの追加"));
        QLineEdit* edit = Ctrl<QLineEdit>(d, CLayerPropatyDlg::IDC_LAYER_NAME);
        EXPECT_EQ(edit->text(), QStringLiteral("Layer11"));
        edit->clear();
        d.accept();
        EXPECT_TRUE(d.isVisible());
        // Typing past 40 bytes is stopped by the edit.
        edit->clear();
        edit->insert(QString(41, QLatin1Char('x')));
        EXPECT_LE(edit->text().size(), 40);
        edit->setText(QStringLiteral("外形"));
        d.accept();
        return d.result();
    });
    CLayerPropatyDlg dlg;
    dlg.m_strLayerName = "Layer11";
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(FromCp932(dlg.m_strLayerName), QStringLiteral("外形"));
    EXPECT_EQ(ui.messages(), QStringList{QStringLiteral("レイヤー名が入力されていません！")});

    platform::UiScript ui2;
    ui2.dialog([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("レイヤープロパティの変更"));
        d.reject();
    });
    CLayerPropatyDlg rename;
    rename.m_nMode = 1;
    EXPECT_EQ(rename.DoModal(), IDCANCEL);
}
