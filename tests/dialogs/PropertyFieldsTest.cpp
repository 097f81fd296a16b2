#include "EntityPropertiesFixture.h"

#include "dialogs/ChangeLineDlg.h"
#include "dialogs/PropertyFields.h"

namespace {

TEST(FormatFieldValue, ShowsTwoDecimalsWithoutTrailingZerosOrPoint)
{
    const struct {
        double value;
        const char* shown;
    } cases[] = {{12.50, "12.5"}, {100.0, "100"}, {0.0, "0"}, {-0.001, "-0"}, {0.004, "0"},
                 {2.5, "2.5"},    {-7.25, "-7.25"}, {10.0, "10"}, {123.456, "123.46"}};
    for (const auto& c : cases)
        EXPECT_EQ(FormatFieldValue(c.value), QString::fromLatin1(c.shown)) << c.value;
}

TEST(ParseFieldNumber, TakesOnlyOneWholeNumberInCNotation)
{
    const struct {
        const char* text;
        bool ok;
        double value;
    } cases[] = {{"12", true, 12.0},       {"-12.5", true, -12.5},        {".5", true, 0.5},
                 {"12345678901", true, 12345678901.0}, {"-12345.6789", true, -12345.6789},
                 {"", false, 0},           {"-", false, 0},               {".", false, 0},
                 {"1.2.3", false, 0},      {"+5", false, 0},              {"1e3", false, 0},
                 {" 5", false, 0},         {"5,0", false, 0},             {"--1", false, 0}};
    for (const auto& c : cases) {
        double value = -99.0;
        EXPECT_EQ(ParseFieldNumber(QString::fromLatin1(c.text), value), c.ok) << c.text;
        if (c.ok)
            EXPECT_DOUBLE_EQ(value, c.value) << c.text;
        else
            EXPECT_EQ(value, -99.0) << c.text;
    }
}

// Every refused text of one field: its second message, the focus on the
// field, the dialog still open and the drawing untouched.
TEST_F(EntityPropertiesTest, AWrongNumberIsRefusedWithTheFieldsMessageAndFocus)
{
    for (const char* text : {"+5", "1e3", "-", ".", "1.2.3", "12a"}) {
        CEntity* line = AddLine(EntityType::Line, 10, 20, 30, 40);
        h.Ui().clear();
        bool stillOpen = false;
        int focused = -1;
        h.Ui().dialog([&](QDialog& d) {
            SetField(d, CChangeLineDlg::IDC_START_Y, QString::fromLatin1(text));
            Press(d, IDOK);
            stillOpen = d.isVisible();
            focused = FocusId(d);
            Press(d, IDCANCEL);
        });
        h.Ui().button(IDOK);
        EXPECT_EQ(EditEntityProperties(&h.View(), line), 1) << text;
        EXPECT_EQ(h.Ui().messages(), QStringList{QStringLiteral("始端側Ｙ座標の入力に誤りがあります！")}) << text;
        EXPECT_TRUE(stillOpen) << text;
        EXPECT_EQ(focused, CChangeLineDlg::IDC_START_Y) << text;
        EXPECT_EQ(h.Doc().list.last, line) << text;
        EXPECT_EQ(line->values, (std::vector<double>{10, 20, 30, 40})) << text;
    }
}

TEST_F(EntityPropertiesTest, EmptyFieldsAreFoundBeforeWrongCharactersAcrossAllFields)
{
    CEntity* line = AddLine(EntityType::Line, 10, 20, 30, 40);
    QStringList seen;
    h.Ui().dialog([&](QDialog& d) {
        SetField(d, CChangeLineDlg::IDC_START_X, QStringLiteral("1e3"));
        SetField(d, CChangeLineDlg::IDC_END_Y, QString());
        Press(d, IDOK);
        EXPECT_EQ(FocusId(d), CChangeLineDlg::IDC_END_Y);
        SetField(d, CChangeLineDlg::IDC_END_Y, QStringLiteral("4"));
        Press(d, IDOK);
        EXPECT_EQ(FocusId(d), CChangeLineDlg::IDC_START_X);
        Press(d, IDCANCEL);
    });
    h.Ui().button(IDOK).button(IDOK);
    EXPECT_EQ(EditEntityProperties(&h.View(), line), 1);
    EXPECT_EQ(h.Ui().messages(), (QStringList{QStringLiteral("終端側Ｙ座標値が入力されていません！"),
                                              QStringLiteral("始端側Ｘ座標の入力に誤りがあります！")}));
}

TEST_F(EntityPropertiesTest, LongNumbersAreReadWhole)
{
    CEntity* line = AddLine(EntityType::Line, 10, 20, 30, 40);
    EXPECT_EQ(Edit(line,
                   [](QDialog& d) {
                       SetField(d, CChangeLineDlg::IDC_START_X, QStringLiteral("12345678901"));
                       SetField(d, CChangeLineDlg::IDC_START_Y, QStringLiteral("-12345.6789"));
                       Press(d, IDOK);
                   }),
              0);
    const CEntity* now = h.Doc().list.last;
    ASSERT_NE(now, line);
    EXPECT_DOUBLE_EQ(now->values[0], 12345678901.0);
    EXPECT_DOUBLE_EQ(now->values[1], -12345.6789);
    EXPECT_TRUE(h.Ui().messages().isEmpty());
}

} // namespace
