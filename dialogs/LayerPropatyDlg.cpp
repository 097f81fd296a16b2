#include "dialogs/LayerPropatyDlg.h"

#include "platform/ByteLimit.h"
#include "platform/Controls.h"
#include "resources/Resource.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CLayerPropatyDlg::CLayerPropatyDlg(QWidget* parent) : CDialog(IDD_LAYERPROPERTY, parent)
{
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("レイヤー名"), this));
    m_edit = new QLineEdit(this);
    platform::setControlId(m_edit, IDC_LAYER_NAME);
    LimitTextBytes(m_edit, kMaxNameBytes);
    m_edit->setMinimumWidth(220);
    row->addWidget(m_edit);
    layout->addLayout(row);
    layout->addLayout(MakeOkCancelRow(QStringLiteral("設　定"), QStringLiteral("ｷｬﾝｾﾙ")));
    // The edit takes no more than the name's bytes; a longer name given in
    // code is cut to them.
    Exchange()
        .Cp932Text(m_edit, m_strLayerName, kMaxNameBytes, platform::DataExchange::Overflow::Cut)
        .emptyMessage = QStringLiteral("レイヤー名が入力されていません！");
}

bool CLayerPropatyDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    setWindowTitle(m_nMode == 0 ? QStringLiteral("レイヤーの追加") : QStringLiteral("レイヤープロパティの変更"));
    return true;
}
