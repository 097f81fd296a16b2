// The dimension tolerance dialog: list positions against table slots, the
// values of several types edited in one run, refusals and the preview.

#include "dialogs/SunpouKousaDlg.h"
#include "model/Settings.h"
#include "platform/Controls.h"
#include "platform/RecordingDc.h"
#include "platform/UiScript.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <functional>

#include <gtest/gtest.h>

namespace {

class SunpouKousaDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        kept1 = ToleranceValue1;
        kept2 = ToleranceValue2;
        keptType = DimToleranceType;
        FillTables();
    }
    static void FillTables()
    {
        for (int i = 0; i < 8; ++i) {
            ToleranceValue1[i] = 1.0 + i;   // entry i: 1+i and 10+i
            ToleranceValue2[i] = 10.0 + i;
        }
    }
    void TearDown() override
    {
        ToleranceValue1 = kept1;
        ToleranceValue2 = kept2;
        DimToleranceType = keptType;
    }
    // Runs the dialog as the command opens it; act works on the shown dialog.
    int Run(const std::function<int(CSunpouKousaDlg&)>& act)
    {
        ui.dialogReturning([&](QDialog& d) { return act(static_cast<CSunpouKousaDlg&>(d)); });
        CSunpouKousaDlg dlg;
        dlg.SeedFromSettings();
        return dlg.DoModal();
    }
    static QComboBox* List(CSunpouKousaDlg& d) { return platform::control<QComboBox>(&d, CSunpouKousaDlg::IDC_TYPE); }
    static QLineEdit* Edit(CSunpouKousaDlg& d, int id) { return platform::control<QLineEdit>(&d, id); }
    static void Choose(CSunpouKousaDlg& d, int position)
    {
        List(d)->setCurrentIndex(position);
        emit List(d)->activated(position);
    }
    static int PressOk(CSunpouKousaDlg& d)
    {
        platform::control<QPushButton>(&d, IDOK)->click();
        return d.isVisible() ? -1 : d.result();
    }

    platform::UiScript ui;
    SettingsTolerances kept1{}, kept2{};
    int16_t keptType = 0;
};

TEST(SunpouKousaDlgSlots, PositionsAndTypesMapToTheirSlots)
{
    const int slotOfPosition[7] = {0, 1, 6, 3, 4, 5, 2};
    for (int p = 0; p < 7; ++p)
        EXPECT_EQ(CSunpouKousaDlg::SlotOfPosition(p), slotOfPosition[p]) << p;
    // Type t lives in slot t-1; the list shows it at the position of that slot.
    const int positionOfType[8] = {0, 0, 1, 6, 3, 4, 5, 2};
    for (int t = 0; t < 8; ++t) {
        EXPECT_EQ(CSunpouKousaDlg::PositionOfType(t), positionOfType[t]) << t;
        if (t > 0) {
            EXPECT_EQ(CSunpouKousaDlg::SlotOfPosition(CSunpouKousaDlg::PositionOfType(t)), t - 1) << t;
        }
    }
}

// Opened on each tolerance type, the list shows the type's position with the
// values of its slot; OK leaves the type as it was.
TEST_F(SunpouKousaDlgTest, OpensOnTheCurrentTypesPositionAndValues)
{
    struct Case {
        int16_t type;
        int position;
        int entry;
        QString label;
    };
    const Case cases[] = {
        {0, 0, 0, QStringLiteral(" タイプ１　±横付け")},
        {1, 0, 0, QStringLiteral(" タイプ１　±横付け")},
        {2, 1, 1, QStringLiteral(" タイプ２　±上付け")},
        {3, 6, 2, QStringLiteral(" タイプ７　上下（+）（-）")},
        {5, 4, 4, QStringLiteral(" タイプ５　上下（0）（-）")},
        {7, 2, 6, QStringLiteral(" タイプ３　上下（+）（+）")},
        {12, 0, 0, QStringLiteral(" タイプ１　±横付け")},  // a type no list holds
        {-1, 0, 0, QStringLiteral(" タイプ１　±横付け")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        DimToleranceType = c.type;
        const SettingsTolerances before1 = ToleranceValue1, before2 = ToleranceValue2;
        EXPECT_EQ(Run([&](CSunpouKousaDlg& d) {
                      EXPECT_EQ(List(d)->currentIndex(), c.position);
                      EXPECT_EQ(List(d)->currentText(), c.label);
                      EXPECT_EQ(Edit(d, CSunpouKousaDlg::IDC_VALUE1)->text(), QString::number(1 + c.entry));
                      EXPECT_EQ(Edit(d, CSunpouKousaDlg::IDC_VALUE2)->text(), QString::number(10 + c.entry));
                      return PressOk(d);
                  }),
                  IDOK);
        EXPECT_EQ(DimToleranceType, c.type);
        EXPECT_EQ(ToleranceValue1, before1);
        EXPECT_EQ(ToleranceValue2, before2);
    }
}

// Values of two types edited in turn both reach the tables on OK (each in
// its own slot); entry 7 goes through untouched; Cancel stores neither.
TEST_F(SunpouKousaDlgTest, EditsOfSeveralTypesAreStoredTogetherOnOkOnly)
{
    for (bool ok : {true, false}) {
        FillTables();
        DimToleranceType = 3;
        const SettingsTolerances before1 = ToleranceValue1, before2 = ToleranceValue2;
        EXPECT_EQ(Run([&](CSunpouKousaDlg& d) {
                      Edit(d, CSunpouKousaDlg::IDC_VALUE1)->setText(QStringLiteral("0.05"));
                      Edit(d, CSunpouKousaDlg::IDC_VALUE2)->setText(QStringLiteral("-0.5"));
                      Choose(d, 2);  // type 3
                      EXPECT_EQ(Edit(d, CSunpouKousaDlg::IDC_VALUE1)->text(), QStringLiteral("7"));
                      Edit(d, CSunpouKousaDlg::IDC_VALUE1)->setText(QStringLiteral("0.125"));
                      Choose(d, 6);  // back to type 7: the first edit is still there
                      EXPECT_EQ(Edit(d, CSunpouKousaDlg::IDC_VALUE1)->text(), QStringLiteral("0.05"));
                      if (ok)
                          return PressOk(d);
                      platform::control<QPushButton>(&d, IDCANCEL)->click();
                      return d.result();
                  }),
                  ok ? IDOK : IDCANCEL);
        SettingsTolerances expected1 = before1, expected2 = before2;
        if (ok) {
            expected1[2] = 0.05;   // type 3
            expected2[2] = -0.5;
            expected1[6] = 0.125;  // type 7
        }
        EXPECT_EQ(ToleranceValue1, expected1) << ok;
        EXPECT_EQ(ToleranceValue2, expected2) << ok;
        EXPECT_EQ(DimToleranceType, 3);
    }
}

// A value that does not read as a number: the type change is not made and
// OK keeps the dialog open, each with the message.
TEST_F(SunpouKousaDlgTest, AValueThatIsNoNumberStopsTheChangeAndOk)
{
    DimToleranceType = 2;
    EXPECT_EQ(Run([&](CSunpouKousaDlg& d) {
                  ui.button(IDOK).button(IDOK);
                  Edit(d, CSunpouKousaDlg::IDC_VALUE2)->setText(QStringLiteral("0.1x"));
                  Choose(d, 4);
                  EXPECT_EQ(List(d)->currentIndex(), 1);
                  EXPECT_EQ(d.TypeIndex, 1);
                  EXPECT_EQ(Edit(d, CSunpouKousaDlg::IDC_VALUE2)->text(), QStringLiteral("0.1x"));
                  EXPECT_EQ(PressOk(d), -1);
                  platform::control<QPushButton>(&d, IDCANCEL)->click();
                  return d.result();
              }),
              IDCANCEL);
    EXPECT_EQ(ui.messages(), (QStringList{QStringLiteral("数値を入力してください。"),
                                          QStringLiteral("数値を入力してください。")}));
    EXPECT_EQ(ToleranceValue2[1], 11.0);
}

// The preview depends on the list position only: "123" and the tolerance
// texts of that position, above and, where there is one, below.
TEST(SunpouKousaDlgPreview, SketchOfEachPosition)
{
    struct Case {
        int position;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {0, {"TextOut(70,50) 123", "TextOut(92,50) ±0.2"}},
        {1, {"TextOut(74,50) 123", "TextOut(96,46) ±0.2"}},
        {2, {"TextOut(74,50) 123", "TextOut(96,46) ＋0.2", "TextOut(96,55) ＋0.2"}},
        {3, {"TextOut(74,50) 123", "TextOut(96,46) ＋0.2", "TextOut(96,55)  0"}},
        {4, {"TextOut(74,50) 123", "TextOut(96,46)  0", "TextOut(96,55) －0.2"}},
        {5, {"TextOut(74,50) 123", "TextOut(96,46) －0.2", "TextOut(96,55) －0.2"}},
        {6, {"TextOut(74,50) 123", "TextOut(96,46) ＋0.2", "TextOut(96,55) －0.2"}},
    };
    for (const Case& c : cases) {
        platform::RecordingDc dc;
        CSunpouKousaDlg::DrawPreview(dc, platform::Rect{0, 0, 200, 100}, c.position);
        std::vector<std::string> texts;
        for (const platform::DcRecord& r : dc.Records())
            if (r.op == "TextOut")
                texts.push_back(r.op + "(" + std::to_string(r.args[0]) + "," + std::to_string(r.args[1]) + ") " +
                                r.text.toStdString());
        EXPECT_EQ(texts, c.texts) << c.position;
        EXPECT_EQ(dc.Count("LineTo"), 3);
    }
}

} // namespace
