#include "tools/IdouZahyoDlg.h"
#include "tools/InputNumDlg.h"
#include "tools/LineInputDlg.h"

#include "platform/Controls.h"
#include "platform/UiScript.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using platform::control;
using platform::UiScript;

namespace {

QLineEdit* Edit(QDialog& d, int id)
{
    QLineEdit* e = control<QLineEdit>(&d, id);
    EXPECT_NE(e, nullptr) << "edit " << id;
    return e;
}

QString LabelText(QDialog& d, int id)
{
    QLabel* l = control<QLabel>(&d, id);
    return l ? l->text() : QStringLiteral("<no label %1>").arg(id);
}

void Press(QDialog& d, int id)
{
    QPushButton* b = control<QPushButton>(&d, id);
    ASSERT_NE(b, nullptr) << "button " << id;
    b->click();
}

const QString NoInput = QStringLiteral("数値の入力がありません！");
const QString BadChar = QStringLiteral("入力文字に誤りがあります。[0-9 . +-*/]");

TEST(InputNumDlg, LabelFollowsTheMode)
{
    struct Case {
        short mode;
        QString label;
    };
    const std::vector<Case> cases = {
        {0, QStringLiteral("長さ入力 （mm）")},
        {1, QStringLiteral("半径入力 （mm）")},
        {2, QStringLiteral("開始角度  (°) ")},
        {3, QStringLiteral("角度 (開始角度±)")},
        {4, QStringLiteral("傾斜角度  (°) ")},
        {5, QStringLiteral("縦長さ （mm）")},
        {6, QStringLiteral("対象線の始点からの距離（mm）")},
        {7, QStringLiteral("対象線からの距離（mm）　[進行左：＋ 進行右：－]")},
        {8, QStringLiteral("垂線始点からの距離（mm）　[基準線方向：＋ 逆：－]")},
        {9, QStringLiteral("拡大・縮小倍率　[１：等倍]")},
        {10, QStringLiteral("移動距離（mm）")},
        {11, QStringLiteral("短軸入力 （mm）")},
        {12, QStringLiteral("終了角度  (°) ")},
        {13, QStringLiteral("移動距離（mm）")},
        {14, QStringLiteral("長さ入力 （mm）")},
        {-1, QStringLiteral("長さ入力 （mm）")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        UiScript ui;
        CInputNumDlg dlg;
        dlg.mode = c.mode;
        dlg.value = 7;
        QString shown, field;
        ui.dialog([&](QDialog& d) {
            shown = LabelText(d, CInputNumDlg::IDC_LABEL);
            field = Edit(d, CInputNumDlg::IDC_EXPRESSION)->text();
            Press(d, IDCANCEL);
        });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_EQ(shown, c.label);
        EXPECT_EQ(dlg.label, c.label);
        // Only the moving distances show the value they are given.
        EXPECT_EQ(field, c.mode == 10 || c.mode == 13 ? QStringLiteral("7") : QString());
        EXPECT_EQ(dlg.value, 7);
        EXPECT_TRUE(ui.problems().isEmpty()) << ui.problems().join("; ").toStdString();
    }
}

TEST(InputNumDlg, OpensWithTheValueForMovingDistances)
{
    for (auto [value, text] : {std::pair{12.5, "12.5"}, std::pair{25.5, "25.5"}, std::pair{10.0, "10"}}) {
        UiScript ui;
        CInputNumDlg dlg;
        dlg.mode = 10;
        dlg.value = value;
        QString field;
        ui.dialog([&](QDialog& d) {
            field = Edit(d, CInputNumDlg::IDC_EXPRESSION)->text();
            EXPECT_EQ(LabelText(d, CInputNumDlg::IDC_LABEL), QStringLiteral("移動距離（mm）"));
            Press(d, IDOK);
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(field, QString::fromLatin1(text));
        EXPECT_DOUBLE_EQ(dlg.value, value);
    }
}

TEST(InputNumDlg, RefusalsKeepTheDialogOpenWithTheFocusOnTheField)
{
    struct Case {
        QString typed;
        QString message;
    };
    const std::vector<Case> cases = {
        {QString(), NoInput},
        {QStringLiteral("   "), BadChar},
        {QStringLiteral("　"), BadChar},  // a full-width blank
        {QStringLiteral("12a"), BadChar},
        {QStringLiteral("1,5"), BadChar},
        {QStringLiteral("1/0"), BadChar},
        {QStringLiteral("5+"), BadChar},
        {QStringLiteral("１２"), BadChar},  // full-width digits
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        UiScript ui;
        CInputNumDlg dlg;
        dlg.value = 3;
        ui.dialog([&](QDialog& d) {
            QLineEdit* e = Edit(d, CInputNumDlg::IDC_EXPRESSION);
            e->setText(c.typed);
            Press(d, IDOK);
            EXPECT_TRUE(d.isVisible()) << "the dialog stays open";
            EXPECT_EQ(d.focusWidget(), e);
            EXPECT_EQ(dlg.value, 3) << "nothing passed on";
            e->setText(QStringLiteral("2+3*4"));
            Press(d, IDOK);
        });
        ui.button(IDOK);
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(ui.messages(), QStringList{c.message});
        EXPECT_DOUBLE_EQ(dlg.value, 20);
        EXPECT_EQ(dlg.expression, QStringLiteral("2+3*4"));
        EXPECT_TRUE(ui.finished());
    }
}

TEST(InputNumDlg, CancelAndEscapeGiveNothing)
{
    UiScript ui;
    CInputNumDlg dlg;
    dlg.mode = 13;
    dlg.value = 4.25;
    ui.dialog([&](QDialog& d) {
        Edit(d, CInputNumDlg::IDC_EXPRESSION)->setText(QStringLiteral("99"));
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&d, &esc);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.value, 4.25);
    EXPECT_TRUE(ui.messages().isEmpty());
}

TEST(InputNumDlg, FieldTakesFortyCharacters)
{
    CInputNumDlg dlg;
    QLineEdit* e = Edit(dlg, CInputNumDlg::IDC_EXPRESSION);
    e->setText(QString(45, QLatin1Char('1')));
    EXPECT_EQ(e->text().size(), 40);
    // Eleven operands and more fit in one field.
    UiScript ui;
    ui.dialog([&](QDialog& d) {
        Edit(d, CInputNumDlg::IDC_EXPRESSION)->setText(QStringLiteral("1+2+3+4+5+6+7+8+9+10+11+12+13"));
        Press(d, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_DOUBLE_EQ(dlg.value, 91);
}

// CLineInputDlg

struct LineRun {
    int result = 0;
    QString label1, label2, field1, field2;
    bool lengthAngleChecked = false, xyChecked = false;
};

LineRun RunLine(CLineInputDlg& dlg, UiScript& ui, const std::function<void(QDialog&)>& then)
{
    LineRun run;
    ui.dialog([&](QDialog& d) {
        run.label1 = LabelText(d, CLineInputDlg::IDC_LABEL1);
        run.label2 = LabelText(d, CLineInputDlg::IDC_LABEL2);
        run.field1 = Edit(d, CLineInputDlg::IDC_VALUE1)->text();
        run.field2 = Edit(d, CLineInputDlg::IDC_VALUE2)->text();
        run.lengthAngleChecked = control<QRadioButton>(&d, CLineInputDlg::IDC_LENGTH_ANGLE)->isChecked();
        run.xyChecked = control<QRadioButton>(&d, CLineInputDlg::IDC_XY)->isChecked();
        then(d);
    });
    run.result = dlg.DoModal();
    return run;
}

TEST(LineInputDlg, LabelsAndRadioFollowTheKind)
{
    struct Case {
        short kind, ellipse;
        QString label1, label2;
        short kindAfter;
    };
    const std::vector<Case> cases = {
        {0, 0, QStringLiteral("長さ入力 （mm）"), QStringLiteral("角度入力(°)"), 0},
        {0, 1, QStringLiteral("長軸入力 （mm）"), QStringLiteral("傾斜角度入力(°)"), 0},
        {1, 0, QStringLiteral("Ｘ座標移動値（mm）"), QStringLiteral("Ｙ座標移動値（mm）"), 1},
        {1, 1, QStringLiteral("Ｘ座標移動値（mm）"), QStringLiteral("Ｙ座標移動値（mm）"), 1},
        {7, 0, QStringLiteral("長さ入力 （mm）"), QStringLiteral("角度入力(°)"), 0},  // the template's labels
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.kind) + "/" + std::to_string(c.ellipse));
        UiScript ui;
        CLineInputDlg dlg;
        dlg.inputKind = c.kind;
        dlg.ellipseVariant = c.ellipse;
        dlg.value1 = 25.5;
        dlg.value2 = 10;
        const LineRun run = RunLine(dlg, ui, [](QDialog& d) { Press(d, IDCANCEL); });
        EXPECT_EQ(run.result, IDCANCEL);
        EXPECT_EQ(run.label1, c.label1);
        EXPECT_EQ(run.label2, c.label2);
        EXPECT_EQ(run.field1, QStringLiteral("25.5"));
        EXPECT_EQ(run.field2, QStringLiteral("10"));
        EXPECT_EQ(run.lengthAngleChecked, c.kindAfter == 0);
        EXPECT_EQ(run.xyChecked, c.kindAfter == 1);
        EXPECT_EQ(dlg.inputKind, c.kindAfter);
    }
}

TEST(LineInputDlg, ZeroLengthIsRefusedButZeroOffsetIsNot)
{
    struct Case {
        const char* name;
        short kind, ellipse;
        QString first;
        QStringList messages;
    };
    const std::vector<Case> cases = {
        {"length 0", 0, 0, QStringLiteral("0"), {QStringLiteral("長さは「0」以外で入力してください。")}},
        {"length 5-5", 0, 0, QStringLiteral("5-5"), {QStringLiteral("長さは「0」以外で入力してください。")}},
        {"major axis 0", 0, 1, QStringLiteral("0.00000001"), {QStringLiteral("長軸は「0」以外で入力してください。")}},
        {"X offset 0", 1, 0, QStringLiteral("0"), {}},
        {"X offset 5-5", 1, 1, QStringLiteral("5-5"), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UiScript ui;
        CLineInputDlg dlg;
        dlg.inputKind = c.kind;
        dlg.ellipseVariant = c.ellipse;
        bool refused = false;
        RunLine(dlg, ui, [&](QDialog& d) {
            Edit(d, CLineInputDlg::IDC_VALUE1)->setText(c.first);
            Edit(d, CLineInputDlg::IDC_VALUE2)->setText(QStringLiteral("30+15"));
            Press(d, IDOK);
            if (d.isVisible()) {
                refused = true;
                EXPECT_EQ(d.focusWidget(), Edit(d, CLineInputDlg::IDC_VALUE1));
                Press(d, IDCANCEL);
            }
        });
        ui.button(IDOK);
        EXPECT_EQ(refused, !c.messages.isEmpty());
        EXPECT_EQ(ui.messages(), c.messages);
        if (!refused) {
            EXPECT_EQ(dlg.value1, 0);
            EXPECT_EQ(dlg.value2, 45);
        }
    }
}

TEST(LineInputDlg, ChecksRunInOrderAndFocusTheFieldConcerned)
{
    struct Case {
        QString first, second;
        QString message;
        int focus;
    };
    const std::vector<Case> cases = {
        {QString(), QString(), NoInput, CLineInputDlg::IDC_VALUE1},
        {QStringLiteral("1"), QString(), NoInput, CLineInputDlg::IDC_VALUE2},
        {QStringLiteral("1x"), QStringLiteral("2y"), BadChar, CLineInputDlg::IDC_VALUE1},
        {QStringLiteral("0"), QStringLiteral("2y"), QStringLiteral("長さは「0」以外で入力してください。"),
         CLineInputDlg::IDC_VALUE1},
        {QStringLiteral("1"), QStringLiteral("2y"), BadChar, CLineInputDlg::IDC_VALUE2},
        {QStringLiteral("1"), QStringLiteral("  "), BadChar, CLineInputDlg::IDC_VALUE2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.first + "|" + c.second).toStdString());
        UiScript ui;
        CLineInputDlg dlg;
        RunLine(dlg, ui, [&](QDialog& d) {
            Edit(d, CLineInputDlg::IDC_VALUE1)->setText(c.first);
            Edit(d, CLineInputDlg::IDC_VALUE2)->setText(c.second);
            Press(d, IDOK);
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(d.focusWidget(), Edit(d, c.focus));
            Press(d, IDCANCEL);
        });
        ui.button(IDOK);
        EXPECT_EQ(ui.messages(), QStringList{c.message});
    }
}

TEST(LineInputDlg, SwitchingTheKindKeepsTheTypedTexts)
{
    UiScript ui;
    CLineInputDlg dlg;
    dlg.ellipseVariant = 1;
    dlg.value1 = 100;
    dlg.value2 = 30;
    const LineRun run = RunLine(dlg, ui, [&](QDialog& d) {
        Edit(d, CLineInputDlg::IDC_VALUE1)->setText(QStringLiteral("0"));
        control<QRadioButton>(&d, CLineInputDlg::IDC_XY)->click();
        EXPECT_EQ(LabelText(d, CLineInputDlg::IDC_LABEL1), QStringLiteral("Ｘ座標移動値（mm）"));
        EXPECT_EQ(Edit(d, CLineInputDlg::IDC_VALUE1)->text(), QStringLiteral("0"));
        EXPECT_EQ(Edit(d, CLineInputDlg::IDC_VALUE2)->text(), QStringLiteral("30"));
        control<QRadioButton>(&d, CLineInputDlg::IDC_LENGTH_ANGLE)->click();
        EXPECT_EQ(LabelText(d, CLineInputDlg::IDC_LABEL1), QStringLiteral("長軸入力 （mm）"));
        EXPECT_EQ(LabelText(d, CLineInputDlg::IDC_LABEL2), QStringLiteral("傾斜角度入力(°)"));
        control<QRadioButton>(&d, CLineInputDlg::IDC_XY)->click();
        Press(d, IDOK);  // an X of 0 is fine for offsets
    });
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(dlg.inputKind, 1);
    EXPECT_EQ(dlg.value1, 0);
    EXPECT_EQ(dlg.value2, 30);
    EXPECT_TRUE(ui.messages().isEmpty());
}

// IdouZahyoDlg

TEST(IdouZahyoDlg, StartsEmptyAndChecksXThenY)
{
    struct Case {
        QString x, y;
        QString message;
        int focus;
    };
    const std::vector<Case> cases = {
        {QString(), QString(), QStringLiteral("Ｘ方向値の入力がありません！"), IdouZahyoDlg::IDC_X},
        {QStringLiteral("1"), QString(), QStringLiteral("Ｙ方向値の入力がありません！"), IdouZahyoDlg::IDC_Y},
        {QStringLiteral("1/0"), QStringLiteral("1"), BadChar, IdouZahyoDlg::IDC_X},
        {QStringLiteral("1"), QStringLiteral("2*-3"), BadChar, IdouZahyoDlg::IDC_Y},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.x + "|" + c.y).toStdString());
        UiScript ui;
        IdouZahyoDlg dlg;
        ui.dialog([&](QDialog& d) {
            EXPECT_TRUE(Edit(d, IdouZahyoDlg::IDC_X)->text().isEmpty());
            EXPECT_TRUE(Edit(d, IdouZahyoDlg::IDC_Y)->text().isEmpty());
            Edit(d, IdouZahyoDlg::IDC_X)->setText(c.x);
            Edit(d, IdouZahyoDlg::IDC_Y)->setText(c.y);
            Press(d, IDOK);
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(d.focusWidget(), Edit(d, c.focus));
            Edit(d, IdouZahyoDlg::IDC_X)->setText(QStringLiteral("-12.5"));
            Edit(d, IdouZahyoDlg::IDC_Y)->setText(QStringLiteral("100/4 - 5"));
            Press(d, IDOK);
        });
        ui.button(IDOK);
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(ui.messages(), QStringList{c.message});
        EXPECT_DOUBLE_EQ(dlg.valueX, -12.5);
        EXPECT_DOUBLE_EQ(dlg.valueY, 20);
    }
}

TEST(IdouZahyoDlg, ShowsItsCaptionLabelsAndPicture)
{
    IdouZahyoDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("移動・複写値入力"));
    QLabel* picture = control<QLabel>(&dlg, IdouZahyoDlg::IDC_PICTURE);
    ASSERT_NE(picture, nullptr);
    EXPECT_FALSE(picture->pixmap().isNull());
    QStringList texts;
    for (QLabel* l : dlg.findChildren<QLabel*>())
        texts << l->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("Ｘ方向 移動・複写値　（㎜）")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Ｙ方向 移動・複写値　（㎜）")));
    EXPECT_EQ(control<QPushButton>(&dlg, IDOK)->text(), QStringLiteral("実　行"));
    EXPECT_EQ(control<QPushButton>(&dlg, IDCANCEL)->text(), QStringLiteral("ｷｬﾝｾﾙ"));
}

TEST(NumericInputDialogs, CaptionsAndButtons)
{
    CInputNumDlg num;
    EXPECT_EQ(num.windowTitle(), QStringLiteral("数値入力　（四則演算式入力可能）"));
    EXPECT_EQ(control<QPushButton>(&num, IDOK)->text(), QStringLiteral("実 行"));
    EXPECT_EQ(control<QPushButton>(&num, IDCANCEL)->text(), QStringLiteral("ｷｬﾝｾﾙ"));
    EXPECT_EQ(num.ResourceId(), 227u);
    CLineInputDlg line;
    EXPECT_EQ(line.windowTitle(), QStringLiteral("数値入力"));
    EXPECT_EQ(control<QPushButton>(&line, IDOK)->text(), QStringLiteral("実　行"));
    EXPECT_EQ(control<QRadioButton>(&line, CLineInputDlg::IDC_LENGTH_ANGLE)->text(), QStringLiteral("長さ・角度入力"));
    EXPECT_EQ(control<QRadioButton>(&line, CLineInputDlg::IDC_XY)->text(), QStringLiteral("ＸＹ座標入力"));
    EXPECT_EQ(line.ResourceId(), 238u);
    EXPECT_EQ(IdouZahyoDlg().ResourceId(), 280u);
}

} // namespace
