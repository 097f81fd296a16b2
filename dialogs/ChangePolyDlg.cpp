#include "dialogs/ChangePolyDlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

CChangePolyDlg::CChangePolyDlg(QWidget* parent)
    : CPropertyDialog(IDD_CHANGE_POLY, QStringLiteral("多角形作図属性変更"), parent)
{
    auto* layout = new QVBoxLayout(this);
    auto* styleBox = new QGroupBox(QStringLiteral(" 線種・ペン番号"), this);
    auto* styleGrid = new QGridLayout(styleBox);
    styleGrid->addWidget(new QLabel(QStringLiteral("線　種"), styleBox), 0, 0);
    styleGrid->addWidget(MakeLineTypeList(IDC_LINE_TYPE), 0, 1);
    styleGrid->addWidget(new QLabel(QStringLiteral("ペン番号"), styleBox), 1, 0);
    styleGrid->addWidget(MakePenList(IDC_PEN), 1, 1);
    styleGrid->addWidget(MakeColorButton(IDC_COLOR), 1, 2);
    layout->addWidget(styleBox);
    layout->addLayout(MakeOkCancelRow(QStringLiteral("ｷｬﾝｾﾙ")));
}

bool CChangePolyDlg::OnInitDialog()
{
    ShowPenAndColour();
    UpdateData(false);
    return true;
}
