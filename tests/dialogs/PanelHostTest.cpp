#include "app/AppFixture.h"

#include "app/MainFrame.h"
#include "dialogs/OpeLineBoxes.h"
#include "model/Settings.h"
#include "platform/Controls.h"

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
