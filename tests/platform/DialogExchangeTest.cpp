// A dialog's checked data exchange: what is shown, the order of the checks,
// what a refusal says and leaves behind.

#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/DialogExchange.h"
#include "platform/Encoding.h"
#include "platform/Ui.h"
#include "platform/UiScript.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using platform::DataExchange;

namespace {

// A dialog of every kind of field, as the program's dialogs list them.
struct Form {
    QDialog dialog;
    QLineEdit* length = new QLineEdit(&dialog);
    QLineEdit* count = new QLineEdit(&dialog);
    QLineEdit* scale = new QLineEdit(&dialog);
    QLineEdit* name = new QLineEdit(&dialog);
    QCheckBox* box = new QCheckBox(&dialog);
    QComboBox* list = new QComboBox(&dialog);
    QRadioButton* a = new QRadioButton(&dialog);
    QRadioButton* b = new QRadioButton(&dialog);

    double lengthValue = 12.5;
    int countValue = 3;
    float scaleValue = 0.5f;
    std::string nameValue = platform::ToCp932(QStringLiteral("図面"));
    int boxValue = 1;
    int listValue = 2;
    int radioValue = 1;
    DataExchange exchange{&dialog};

    Form()
    {
        list->addItems({"a", "b", "c"});
        DataExchange::NumberRule rule;
        rule.emptyMessage = QStringLiteral("長さが入力されていません！");
        rule.test = [](double v) { return v == 0 ? DataExchange::Refusal(QStringLiteral("０以外")) : std::nullopt; };
        exchange.Number(length, lengthValue, rule);
        exchange.Integer(count, countValue, std::pair{1, 9});
        auto& s = exchange.Real(scale, scaleValue, std::pair{0.1, 10.0});
        s.messageFlags = MB_ICONEXCLAMATION;
        s.selectOnRefusal = true;
        exchange.Cp932Text(name, nameValue, 6);
        exchange.Check(box, boxValue);
        exchange.List(list, listValue);
        exchange.Radios({a, b}, radioValue);
        dialog.show();
    }
};

TEST(DialogExchange, LoadShowsEveryMemberAndSaveTakesThemBack)
{
    platform::UiScript ui;
    Form f;
    f.exchange.Load();
    EXPECT_EQ(f.length->text(), QStringLiteral("12.5"));
    EXPECT_EQ(f.count->text(), QStringLiteral("3"));
    EXPECT_EQ(f.scale->text(), QStringLiteral("0.5"));
    EXPECT_EQ(f.name->text(), QStringLiteral("図面"));
    EXPECT_TRUE(f.box->isChecked());
    EXPECT_EQ(f.list->currentIndex(), 2);
    EXPECT_TRUE(f.b->isChecked());

    f.length->setText(QStringLiteral(" +7 "));
    f.count->setText(QStringLiteral("9"));
    f.scale->setText(QStringLiteral("10"));
    f.name->setText(QStringLiteral("平面図"));  // six bytes
    f.box->setChecked(false);
    f.list->setCurrentIndex(0);
    f.a->setChecked(true);
    ASSERT_TRUE(f.exchange.Save());
    EXPECT_EQ(f.lengthValue, 7.0);
    EXPECT_EQ(f.countValue, 9);
    EXPECT_EQ(f.scaleValue, 10.0f);
    EXPECT_EQ(platform::FromCp932(f.nameValue), QStringLiteral("平面図"));
    EXPECT_EQ(f.boxValue, 0);
    EXPECT_EQ(f.listValue, 0);
    EXPECT_EQ(f.radioValue, 0);
    EXPECT_TRUE(ui.messages().isEmpty());
}

// Emptiness first for every field, then each field's value in order; the
// first refusal speaks, takes the focus and stores nothing at all.
TEST(DialogExchange, FirstRefusalSpeaksAndStoresNothing)
{
    struct Case {
        const char* what;
        QString length, count, scale, name;
        QString message;
        int focus;  // 0 length, 1 count, 2 scale, 3 name
    } cases[] = {
        {"empty before bad", "", "x", "1", "", QStringLiteral("長さが入力されていません！"), 0},
        {"bad length", "1a", "x", "1", "", DataExchange::RealMessage(), 0},
        {"the length's own test", "0", "x", "1", "", QStringLiteral("０以外"), 0},
        {"count no integer", "1", "2.5", "1", "", DataExchange::IntegerMessage(), 1},
        {"count out of range", "1", "10", "1", "", DataExchange::IntegerRangeMessage(1, 9), 1},
        {"scale out of range", "1", "2", "0.05", "", DataExchange::RealRangeMessage(0.1f, 10.0f), 2},
        {"name too long", "1", "2", "1", QStringLiteral("平面図A"), DataExchange::TextLengthMessage(6), 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        platform::UiScript ui;
        Form f;
        f.exchange.Load();
        f.length->setText(c.length);
        f.count->setText(c.count);
        f.scale->setText(c.scale);
        f.name->setText(c.name);
        f.box->setChecked(false);
        EXPECT_FALSE(f.exchange.Save());
        EXPECT_EQ(ui.messages(), QStringList{c.message});
        QLineEdit* const edits[] = {f.length, f.count, f.scale, f.name};
        EXPECT_EQ(f.dialog.focusWidget(), edits[c.focus]);
        EXPECT_EQ(f.lengthValue, 12.5);
        EXPECT_EQ(f.countValue, 3);
        EXPECT_EQ(f.boxValue, 1);
        const auto boxes = ui.calls(platform::UiKind::MessageBox);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].flags & MB_ICONEXCLAMATION, c.focus == 2 ? unsigned(MB_ICONEXCLAMATION) : 0u);
        EXPECT_EQ(f.scale->hasSelectedText(), c.focus == 2);
    }
}

TEST(DialogExchange, OneFieldIsSavedAlone)
{
    platform::UiScript ui;
    Form f;
    f.exchange.Load();
    f.length->setText(QStringLiteral("bad"));
    f.count->setText(QStringLiteral("5"));
    EXPECT_TRUE(f.exchange.SaveField(f.count));
    EXPECT_EQ(f.countValue, 5);
    EXPECT_EQ(f.lengthValue, 12.5);
    EXPECT_FALSE(f.exchange.SaveField(f.length));
    EXPECT_EQ(ui.messages(), QStringList{DataExchange::RealMessage()});
}

// The dialog base: its OK button closes only when the exchange passes.
class OneField : public CDialog {
public:
    OneField() : CDialog(1)
    {
        auto* layout = new QVBoxLayout(this);
        edit = new QLineEdit(this);
        layout->addWidget(edit);
        layout->addLayout(MakeOkCancelRow(QStringLiteral("実　行"), QStringLiteral("ｷｬﾝｾﾙ")));
        Exchange().Integer(edit, value, std::pair{1, 5});
    }
    QLineEdit* edit;
    int value = 4;
};

TEST(DialogExchange, DialogClosesOnlyWhenEveryFieldPasses)
{
    platform::UiScript ui;
    OneField dialog;
    ui.dialogReturning([&](QDialog& d) {
        EXPECT_EQ(dialog.edit->text(), QStringLiteral("4"));
        auto* ok = platform::control<QPushButton>(&d, IDOK);
        EXPECT_TRUE(ok && ok->isDefault());
        dialog.edit->setText(QStringLiteral("6"));
        ok->click();
        EXPECT_TRUE(d.isVisible());
        dialog.edit->setText(QStringLiteral("5"));
        ok->click();
        return d.result();
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.value, 5);
    EXPECT_EQ(ui.messages(), QStringList{DataExchange::IntegerRangeMessage(1, 5)});
}

// A number is shown rounded; an edit that still shows the text put there
// reads back as the number itself, anything else as what it holds.
TEST(DialogExchange, AnUntouchedNumberComesBackWhole)
{
    const struct {
        const char* typed;  // null: left as shown
        double stored;
    } cases[] = {{nullptr, 1137.9888268}, {"1137.99", 1137.9888268}, {"1137.990", 1137.99}, {"2", 2.0}};
    for (const auto& c : cases) {
        platform::UiScript ui;
        QDialog dialog;
        auto* edit = new QLineEdit(&dialog);
        double value = 1137.9888268;
        DataExchange::NumberRule rule;
        rule.format = [](double v) { return QString::asprintf("%0.2f", v); };
        DataExchange exchange(&dialog);
        exchange.Number(edit, value, rule);
        exchange.Load();
        EXPECT_EQ(edit->text(), QStringLiteral("1137.99"));
        if (c.typed) {
            edit->clear();
            edit->setText(QString::fromLatin1(c.typed));
        }
        const char* name = c.typed ? c.typed : "untouched";
        ASSERT_TRUE(exchange.Save()) << name;
        EXPECT_EQ(value, c.stored) << name;
    }
}

} // namespace
