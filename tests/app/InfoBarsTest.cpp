#include "AppFixture.h"

#include "app/MainFrame.h"
#include "dialogs/GrigBarDlg.h"
#include "dialogs/SizeInfoDlg.h"
#include "model/Document.h"
#include "model/Settings.h"

#include <QComboBox>
#include <QProgressBar>
#include <QStatusBar>

TEST_F(AppTest, DrawingsReachTheSizeAndGridBarsThroughTheDocumentHost)
{
    Start();
    ASSERT_NE(frame->SizeInfo(), nullptr);
    ASSERT_NE(frame->GridBarPanel(), nullptr);
    EXPECT_EQ(frame->SizeBar()->HostedWidget(), frame->SizeInfo());
    EXPECT_EQ(frame->GridBar()->HostedWidget(), frame->GridBarPanel());
    ASSERT_NE(TheDocumentHost, nullptr);

    const int savedScale = ScaleDenominator;
    ScaleDenominator = 50;
    TheDocumentHost->RepaintScaleReadout();
    EXPECT_EQ(frame->SizeInfo()->ScaleText(), QStringLiteral("1/50"));
    ScaleDenominator = savedScale;

    const int16_t savedPen = CurrentPen;
    CurrentPen = 3;
    PenColors[3] = 0x0A0B0C;
    TheDocumentHost->FillPenCombo();
    EXPECT_EQ(CurrentColor, 0x0A0B0Cu);
    EXPECT_EQ(frame->SizeInfo()->SwatchColor(), 0x0A0B0Cu);
    TheDocumentHost->ReloadPenColors();
    EXPECT_EQ(CurrentPen, 0);
    EXPECT_EQ(CurrentColor, PenColors[0]);
    EXPECT_EQ(frame->SizeInfo()->SwatchColor(), PenColors[0]);
    CurrentPen = savedPen;

    TheDocumentHost->SetGridBarSelection(6);
    EXPECT_EQ(frame->GridBarPanel()->LookCombo()->currentIndex(), 6);
    TheDocumentHost->SetGridBarSelection(0);
}

TEST_F(AppTest, ASlowOpenShowsItsProgressInTheStatusBar)
{
    Start();
    ASSERT_NE(TheDocumentHost, nullptr);
    EXPECT_EQ(frame->OpenProgressBar(), nullptr);
    TheDocumentHost->ShowOpenProgress(0);
    TheDocumentHost->ShowOpenProgress(40);
    QProgressBar* bar = frame->OpenProgressBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->isHidden());
    EXPECT_EQ(bar->value(), 40);
    EXPECT_EQ(bar->parentWidget(), static_cast<QWidget*>(frame->StatusBarWidget()));
    TheDocumentHost->ShowOpenProgress(-1);
    EXPECT_TRUE(bar->isHidden());
    TheDocumentHost->ShowOpenProgress(5);  // the next slow open shows it again
    EXPECT_FALSE(bar->isHidden());
    EXPECT_EQ(bar->value(), 5);
    TheDocumentHost->ShowOpenProgress(-1);
}
