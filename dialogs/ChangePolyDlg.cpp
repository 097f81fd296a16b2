#include "dialogs/ChangePolyDlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

CChangePolyDlg::CChangePolyDlg(QWidget* parent)
    : CPropertyDialog(IDD_CHANGE_POLY, QStringLiteral("多角形作図属性変更"), parent)
{
    auto* layout = new QVBoxLayout(this);
    QGroupBox* styleBox =
        MakeStyleBox(QStringLiteral(" 線種・ペン番号"), QStringLiteral("線　種"), IDC_LINE_TYPE, IDC_PEN, IDC_COLOR);
    layout->addWidget(styleBox);
    layout->addLayout(MakeOkCancelRow(QStringLiteral("ｷｬﾝｾﾙ")));
}
