#include "app/AppFixture.h"

#include "app/MainFrame.h"
#include "dialogs/OpeLineBoxes.h"
#include "model/Settings.h"
#include "platform/Controls.h"
#include "platform/UiScript.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>

TEST_F(AppTest, TheLineSubModesShowTheirPanelsInTheOptionBar)
{
    Start();
    LineLength = 42;
    EXPECT_EQ(frame->SetOperationBox(17), 1);
    auto* line = qobject_cast<COpeLineBox*>(frame->OperationBox(17));
    ASSERT_NE(line, nullptr);
    EXPECT_TRUE(frame->OptionBarHost()->isAncestorOf(line));
    EXPECT_TRUE(line->isVisible());
    EXPECT_FALSE(line->isWindow());
    EXPECT_EQ(platform::control<QLineEdit>(line, COpeLineBox::IDC_LENGTH)->text(), "42");

    EXPECT_EQ(frame->SetOperationBox(17), 0);
    EXPECT_EQ(frame->OperationBox(17), line);

    EXPECT_EQ(frame->SetOperationBox(18), 1);
    EXPECT_EQ(frame->OperationBox(17), nullptr);
    EXPECT_NE(qobject_cast<COpeRenzokuLineBox*>(frame->OperationBox(18)), nullptr);
    EXPECT_EQ(frame->SetOperationBox(4), 1);
    EXPECT_NE(qobject_cast<OpeHabatukiBox*>(frame->OperationBox(4)), nullptr);
    EXPECT_EQ(frame->OptionBarHost()->findChildren<COperationBox*>().size(), 1);

    // A sub-mode without a panel only removes the old one.
    EXPECT_EQ(frame->SetOperationBox(0), 1);
    EXPECT_TRUE(frame->OptionBarHost()->findChildren<COperationBox*>().isEmpty());
}

TEST_F(AppTest, EveryKindShowsItsPanelAloneInTheOptionBar)
{
    Start();
    const unsigned dialogs[] = {0,   185, 173, 159, 169, 163, 161, 179, 177, 165, 175, 171, 167,
                                181, 183, 231, 232, 233, 235, 255, 256, 257, 259, 260, 262, 284};
    for (int kind = 1; kind <= CMainFrame::kPanelKinds; ++kind) {
        SCOPED_TRACE(kind);
        EXPECT_EQ(frame->SetOperationBox(kind), 1);
        auto* panel = qobject_cast<COperationBox*>(frame->OperationBox(kind));
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(panel->ResourceId(), dialogs[kind]);
        EXPECT_TRUE(panel->isVisible());
        const QList<COperationBox*> shown = frame->OptionBarHost()->findChildren<COperationBox*>();
        ASSERT_EQ(shown.size(), 1);
        EXPECT_EQ(shown[0], panel);
    }
    frame->SetOperationBox(0);
}

TEST_F(AppTest, AValueChangedInOnePanelIsShownByTheNext)
{
    Start();
    platform::UiScript ui;
    frame->SetOperationBox(4);
    QWidget* width = frame->OperationBox(4);
    ASSERT_NE(width, nullptr);
    auto* length = platform::control<QLineEdit>(width, OpeHabatukiBox::IDC_LENGTH);
    length->setText("64");
    QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(length, &out);
    EXPECT_FLOAT_EQ(LineLength, 64);

    frame->SetOperationBox(17);
    QWidget* line = frame->OperationBox(17);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(platform::control<QLineEdit>(line, COpeLineBox::IDC_LENGTH)->text(), "64");
    EXPECT_TRUE(ui.calls().empty());
}

TEST_F(AppTest, TheEditBeingTypedInIsWrittenWhenTheToolChanges)
{
    Start();
    platform::UiScript ui;
    frame->SetOperationBox(17);
    QWidget* line = frame->OperationBox(17);
    ASSERT_NE(line, nullptr);
    frame->activateWindow();
    QApplication::processEvents();
    auto* angle = platform::control<QLineEdit>(line, COpeLineBox::IDC_ANGLE);
    angle->setEnabled(true);
    angle->setFocus();
    QApplication::processEvents();
    if (!angle->hasFocus()) {
        GTEST_SKIP() << "no keyboard focus on this platform";
    }
    angle->setText("33");
    // A key chooses another tool while the focus is still in the edit.
    frame->SetOperationBox(18);
    EXPECT_FLOAT_EQ(LineAngle, 33);
    EXPECT_TRUE(ui.calls().empty());
}
