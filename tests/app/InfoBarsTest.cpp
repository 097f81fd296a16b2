#include "AppFixture.h"

#include "app/MainFrame.h"
#include "dialogs/GrigBarDlg.h"
#include "dialogs/SizeInfoDlg.h"
#include "model/Document.h"
#include "model/Settings.h"

#include <QComboBox>

TEST_F(AppTest, DrawingsReachTheSizeAndGridBarsThroughTheDocumentHost)
{
    Start();
    ASSERT_NE(frame->m_pSizeInfoDlg, nullptr);
    ASSERT_NE(frame->m_pGridBarDlg, nullptr);
    EXPECT_EQ(frame->m_wndSizeBar->HostedWidget(), frame->m_pSizeInfoDlg);
    EXPECT_EQ(frame->m_wndGridBar->HostedWidget(), frame->m_pGridBarDlg);
    ASSERT_NE(TheDocumentHost, nullptr);

    const int savedScale = ScaleDenominator;
    ScaleDenominator = 50;
    TheDocumentHost->RepaintScaleReadout();
    EXPECT_EQ(frame->m_pSizeInfoDlg->ScaleText(), QStringLiteral("1/50"));
    ScaleDenominator = savedScale;

    const int16_t savedPen = CurrentPen;
    CurrentPen = 3;
    PenColors[3] = 0x0A0B0C;
    TheDocumentHost->FillPenCombo();
    EXPECT_EQ(CurrentColor, 0x0A0B0Cu);
    EXPECT_EQ(frame->m_pSizeInfoDlg->SwatchColor(), 0x0A0B0Cu);
    CurrentPen = savedPen;

    TheDocumentHost->SetGridBarSelection(6);
    EXPECT_EQ(frame->m_pGridBarDlg->LookCombo()->currentIndex(), 6);
    TheDocumentHost->SetGridBarSelection(0);
}
