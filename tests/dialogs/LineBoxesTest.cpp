#include "PanelSupport.h"

#include "dialogs/OpeLineBoxes.h"

namespace {

using Line = COpeLineBox;
using Renzoku = COpeRenzokuLineBox;
using Habatuki = OpeHabatukiBox;

} // namespace

TEST_F(PanelTest, LinePanelShowsTheCurrentValues)
{
    LineLength = 12.5f;
    LineLengthGiven = 1;
    LineAngle = 30;
    LineAngleGiven = 0;
    LineMode = 0;
    auto p = Open<Line>();
    EXPECT_EQ(p->windowTitle(), QStringLiteral("　直線指定 "));
    EXPECT_EQ(Edit(p.get(), Line::IDC_LENGTH)->text(), "12.5");
    EXPECT_EQ(Edit(p.get(), Line::IDC_ANGLE)->text(), "30");
    EXPECT_TRUE(Checked(p.get(), Line::IDC_FREE));
    EXPECT_FALSE(Checked(p.get(), Line::IDC_HV));
    EXPECT_TRUE(Checked(p.get(), Line::IDC_LENGTH_GIVEN));
    EXPECT_FALSE(Checked(p.get(), Line::IDC_ANGLE_GIVEN));
    EXPECT_TRUE(Enabled(p.get(), Line::IDC_LENGTH));
    EXPECT_TRUE(Enabled(p.get(), Line::IDC_LENGTH_UNIT));
    EXPECT_EQ(Ctrl<QLabel>(p.get(), Line::IDC_LENGTH_UNIT)->text(), QStringLiteral("㎜"));
    EXPECT_TRUE(Enabled(p.get(), Line::IDC_ANGLE_GIVEN));
    EXPECT_FALSE(Enabled(p.get(), Line::IDC_ANGLE));
}

TEST_F(PanelTest, LinePanelHorizontalVerticalModeDisablesTheAngle)
{
    LineMode = 1;
    LineAngleGiven = 1;
    auto p = Open<Line>();
    EXPECT_TRUE(Checked(p.get(), Line::IDC_HV));
    EXPECT_FALSE(Enabled(p.get(), Line::IDC_ANGLE_GIVEN));
    EXPECT_FALSE(Enabled(p.get(), Line::IDC_ANGLE));

    Click(p.get(), Line::IDC_FREE);
    EXPECT_EQ(LineMode, 0);
    EXPECT_TRUE(Enabled(p.get(), Line::IDC_ANGLE_GIVEN));
    EXPECT_TRUE(Enabled(p.get(), Line::IDC_ANGLE));

    Click(p.get(), Line::IDC_ANGLE_GIVEN);  // untick
    EXPECT_EQ(LineAngleGiven, 0);
    EXPECT_FALSE(Enabled(p.get(), Line::IDC_ANGLE));

    Click(p.get(), Line::IDC_HV);
    EXPECT_EQ(LineMode, 1);
    EXPECT_FALSE(Enabled(p.get(), Line::IDC_ANGLE_GIVEN));
    Click(p.get(), Line::IDC_FREE);
    Click(p.get(), Line::IDC_ANGLE_GIVEN);
    EXPECT_EQ(LineAngleGiven, 1);
    EXPECT_TRUE(Enabled(p.get(), Line::IDC_ANGLE));
}

TEST_F(PanelTest, LinePanelCheckBoxesWriteAndEnableAtOnce)
{
    auto p = Open<Line>();
    EXPECT_FALSE(Enabled(p.get(), Line::IDC_LENGTH));
    Click(p.get(), Line::IDC_LENGTH_GIVEN);
    EXPECT_EQ(LineLengthGiven, 1);
    EXPECT_TRUE(Enabled(p.get(), Line::IDC_LENGTH));
    EXPECT_TRUE(Enabled(p.get(), Line::IDC_LENGTH_UNIT));
    Click(p.get(), Line::IDC_LENGTH_GIVEN);
    EXPECT_EQ(LineLengthGiven, 0);
    EXPECT_FALSE(Enabled(p.get(), Line::IDC_LENGTH));
    EXPECT_FALSE(Enabled(p.get(), Line::IDC_LENGTH_UNIT));
    EXPECT_TRUE(ui.calls().empty());
}

TEST_F(PanelTest, AnEditWritesWhenItLosesTheFocus)
{
    auto p = Open<Line>();
    QLineEdit* length = Edit(p.get(), Line::IDC_LENGTH);
    length->setText("75");
    EXPECT_FLOAT_EQ(LineLength, 50);  // typing alone changes nothing
    Leave(length);
    EXPECT_FLOAT_EQ(LineLength, 75);
    Type(p.get(), Line::IDC_ANGLE, " -12.25 ");
    EXPECT_FLOAT_EQ(LineAngle, -12.25f);
    EXPECT_TRUE(ui.calls().empty());
}

TEST_F(PanelTest, LineAngleIsAcceptedOnlyWithinAFullTurn)
{
    struct Case {
        const char* text;
        bool accepted;
        float value;
        const char* message;
    };
    const Case cases[] = {
        {"360", true, 360, ""},
        {"-360", true, -360, ""},
        {"359.5", true, 359.5f, ""},
        {"400", false, 0, "-360 から 360 までの数値を入力してください。"},
        {"-360.5", false, 0, "-360 から 360 までの数値を入力してください。"},
        {"abc", false, 0, "数値を入力してください。"},
        {"", false, 0, "数値を入力してください。"},
        {"12x", false, 0, "数値を入力してください。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        LineAngle = 0;
        ui.clear();
        auto p = Open<Line>();
        if (!c.accepted) {
            ui.button(IDOK);
        }
        Type(p.get(), Line::IDC_ANGLE, QString::fromUtf8(c.text));
        EXPECT_FLOAT_EQ(LineAngle, c.value);
        if (c.accepted) {
            EXPECT_TRUE(ui.messages().isEmpty());
        } else {
            EXPECT_EQ(ui.messages(), QStringList{QString::fromUtf8(c.message)});
            // The text stays for correcting.
            EXPECT_EQ(Edit(p.get(), Line::IDC_ANGLE)->text(), QString::fromUtf8(c.text));
        }
        EXPECT_TRUE(ui.problems().isEmpty()) << ui.problems().join(" / ").toStdString();
    }
}

TEST_F(PanelTest, ABadTextHoldsBackTheOtherControlsButNotTheRadios)
{
    auto p = Open<Line>();
    ui.button(IDOK).button(IDOK);
    Type(p.get(), Line::IDC_ANGLE, "400");
    Click(p.get(), Line::IDC_LENGTH_GIVEN);
    EXPECT_EQ(LineLengthGiven, 0);
    EXPECT_EQ(ui.messages().size(), 2);
    Click(p.get(), Line::IDC_HV);
    EXPECT_EQ(LineMode, 1);

    Edit(p.get(), Line::IDC_ANGLE)->setText("45");
    Click(p.get(), Line::IDC_LENGTH_GIVEN);  // ticked again by this click
    EXPECT_EQ(LineLengthGiven, 0);            // the first click was refused: box unticked now
    EXPECT_EQ(ui.messages().size(), 2);
    EXPECT_TRUE(ui.problems().isEmpty());
}

TEST_F(PanelTest, EnterAndEscapeAreSwallowed)
{
    auto p = Open<Line>();
    QLineEdit* length = Edit(p.get(), Line::IDC_LENGTH);
    length->setText("99");
    Press(length, Qt::Key_Return);
    Press(length, Qt::Key_Enter);
    Press(length, Qt::Key_Escape);
    Press(p.get(), Qt::Key_Escape);
    Press(p.get(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(p->isVisible());
    EXPECT_FLOAT_EQ(LineLength, 50);
    EXPECT_EQ(length->text(), "99");
    Leave(length);
    EXPECT_FLOAT_EQ(LineLength, 99);
    EXPECT_TRUE(ui.calls().empty());
}

TEST_F(PanelTest, ContinuousLinePanel)
{
    ContinuousLineMode = 1;
    LineLength = 20;
    auto p = Open<Renzoku>();
    EXPECT_EQ(p->windowTitle(), QStringLiteral("　連続線指定 "));
    EXPECT_TRUE(Checked(p.get(), Renzoku::IDC_HV));
    EXPECT_EQ(Edit(p.get(), Renzoku::IDC_LENGTH)->text(), "20");
    EXPECT_FALSE(Enabled(p.get(), Renzoku::IDC_LENGTH));
    EXPECT_FALSE(Enabled(p.get(), Renzoku::IDC_LENGTH_UNIT));

    Click(p.get(), Renzoku::IDC_POLYLINE);
    EXPECT_EQ(ContinuousLineMode, 0);
    Click(p.get(), Renzoku::IDC_LENGTH_GIVEN);
    EXPECT_EQ(LineLengthGiven, 1);
    EXPECT_TRUE(Enabled(p.get(), Renzoku::IDC_LENGTH));
    EXPECT_TRUE(Enabled(p.get(), Renzoku::IDC_LENGTH_UNIT));
    Type(p.get(), Renzoku::IDC_LENGTH, "0.5");
    EXPECT_FLOAT_EQ(LineLength, 0.5f);
}

TEST_F(PanelTest, WidthLinePanel)
{
    DoubleLineLeftGap = 3;
    DoubleLineRightGap = 4.5f;
    DoubleLineCentre = 1;
    LineLengthGiven = 1;
    auto p = Open<Habatuki>();
    EXPECT_EQ(p->windowTitle(), QStringLiteral("　幅付き線 "));
    EXPECT_TRUE(Checked(p.get(), Habatuki::IDC_POLYLINE));
    EXPECT_EQ(Edit(p.get(), Habatuki::IDC_LEFT_GAP)->text(), "3");
    EXPECT_EQ(Edit(p.get(), Habatuki::IDC_RIGHT_GAP)->text(), "4.5");
    EXPECT_TRUE(Checked(p.get(), Habatuki::IDC_CENTRE));
    EXPECT_TRUE(Checked(p.get(), Habatuki::IDC_LENGTH_GIVEN));
    EXPECT_TRUE(Enabled(p.get(), Habatuki::IDC_LENGTH));

    Click(p.get(), Habatuki::IDC_HV);
    EXPECT_EQ(DoubleLineMode, 1);
    Type(p.get(), Habatuki::IDC_LEFT_GAP, "7");
    EXPECT_FLOAT_EQ(DoubleLineLeftGap, 7);
    Type(p.get(), Habatuki::IDC_RIGHT_GAP, "8");
    EXPECT_FLOAT_EQ(DoubleLineRightGap, 8);
    Click(p.get(), Habatuki::IDC_CENTRE);
    EXPECT_EQ(DoubleLineCentre, 0);
    Click(p.get(), Habatuki::IDC_LENGTH_GIVEN);
    EXPECT_EQ(LineLengthGiven, 0);
    EXPECT_FALSE(Enabled(p.get(), Habatuki::IDC_LENGTH));
    EXPECT_FALSE(Enabled(p.get(), Habatuki::IDC_LENGTH_UNIT));
}

TEST_F(PanelTest, TheFixedLengthIsSharedByTheLinePanels)
{
    {
        auto p = Open<Habatuki>();
        Click(p.get(), Habatuki::IDC_LENGTH_GIVEN);
        Type(p.get(), Habatuki::IDC_LENGTH, "123");
    }
    auto line = Open<Line>();
    EXPECT_EQ(Edit(line.get(), Line::IDC_LENGTH)->text(), "123");
    EXPECT_TRUE(Checked(line.get(), Line::IDC_LENGTH_GIVEN));
    auto renzoku = Open<Renzoku>();
    EXPECT_EQ(Edit(renzoku.get(), Renzoku::IDC_LENGTH)->text(), "123");
}

TEST(PanelNumbers, RealsShowUpToSixSignificantDigits)
{
    EXPECT_EQ(COperationBox::FormatReal(20), "20");
    EXPECT_EQ(COperationBox::FormatReal(0.5f), "0.5");
    EXPECT_EQ(COperationBox::FormatReal(0.1f), "0.1");
    EXPECT_EQ(COperationBox::FormatReal(-360), "-360");
    EXPECT_EQ(COperationBox::FormatReal(123.4567f), "123.457");
    EXPECT_EQ(COperationBox::FormatReal(1234567), "1.23457e+06");
}

TEST(PanelNumbers, OnlyAWholeFiniteNumberIsAccepted)
{
    EXPECT_EQ(COperationBox::ParseReal(" 2.5\t"), 2.5f);
    EXPECT_EQ(COperationBox::ParseReal("+3"), 3.0f);
    EXPECT_EQ(COperationBox::ParseReal("1e2"), 100.0f);
    EXPECT_EQ(COperationBox::ParseReal(".5"), 0.5f);
    for (const char* bad : {"", " ", "1,5", "2.5mm", "inf", "nan", "1e39", "--1", "+-1", "0x10"}) {
        EXPECT_FALSE(COperationBox::ParseReal(QString::fromUtf8(bad))) << bad;
    }
    EXPECT_EQ(COperationBox::ParseInteger(" 12 "), 12);
    EXPECT_EQ(COperationBox::ParseInteger("-3"), -3);
    for (const char* bad : {"", "1.5", "3a", "99999999999"}) {
        EXPECT_FALSE(COperationBox::ParseInteger(QString::fromUtf8(bad))) << bad;
    }
}

TEST_F(PanelTest, MovingTheFocusToAnotherControlWritesTheEdit)
{
    auto p = Open<Line>();
    p->activateWindow();
    QApplication::processEvents();
    QLineEdit* length = Edit(p.get(), Line::IDC_LENGTH);
    QLineEdit* angle = Edit(p.get(), Line::IDC_ANGLE);
    length->setEnabled(true);
    angle->setEnabled(true);
    length->setFocus();
    QApplication::processEvents();
    if (!length->hasFocus()) {
        GTEST_SKIP() << "no keyboard focus on this platform";
    }
    length->setText("31");
    angle->setFocus();
    QApplication::processEvents();
    EXPECT_FLOAT_EQ(LineLength, 31);

    // A refused text takes the focus back to its edit.
    ui.button(IDOK);
    angle->setText("999");
    length->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(angle->hasFocus());
    EXPECT_FLOAT_EQ(LineAngle, 0);
    EXPECT_TRUE(ui.problems().isEmpty());
}
