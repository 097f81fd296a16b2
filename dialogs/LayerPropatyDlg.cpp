#include "dialogs/LayerPropatyDlg.h"

#include "platform/ByteLimit.h"
#include "platform/Controls.h"
#include "platform/Encoding.h"
#include "platform/Ui.h"
#include "resources/Resource.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("設　定"), QDialogButtonBox::AcceptRole);
    platform::setControlId(ok, IDOK);
    QPushButton* cancel = buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    platform::setControlId(cancel, IDCANCEL);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CLayerPropatyDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CLayerPropatyDlg::reject);
    layout->addWidget(buttons);
}

bool CLayerPropatyDlg::UpdateData(bool save)
{
    if (save) {
        m_strLayerName = platform::Cp932Truncate(ToCp932(m_edit->text()), kMaxNameBytes);
    } else {
        m_edit->setText(FromCp932(platform::Cp932Truncate(m_strLayerName, kMaxNameBytes)));
    }
    return true;
}

bool CLayerPropatyDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    setWindowTitle(m_nMode == 0 ? QStringLiteral("レイヤーの追加") : QStringLiteral("レイヤープロパティの変更"));
    return true;
}

void CLayerPropatyDlg::OnOK()
{
    UpdateData(true);
    if (m_strLayerName.empty()) {
        platform::messageBox(QStringLiteral("レイヤー名が入力されていません！"), QString(), MB_OK, this);
        m_edit->setFocus();
        return;
    }
    EndDialog(IDOK);
}
