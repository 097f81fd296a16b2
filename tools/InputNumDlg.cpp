#include "tools/InputNumDlg.h"

#include "model/Notify.h"
#include "platform/Controls.h"
#include "tools/NumericField.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

CInputNumDlg::CInputNumDlg(QWidget* parent) : CDialog(IDD_INPUTNUM, parent)
{
    setWindowTitle(QStringLiteral("数値入力　（四則演算式入力可能）"));
    auto* layout = new QVBoxLayout(this);
    m_label = new QLabel(LabelForMode(0), this);
    platform::setControlId(m_label, IDC_LABEL);
    layout->addWidget(m_label);
    m_edit = MakeExpressionEdit(this, IDC_EXPRESSION);
    layout->addWidget(m_edit);

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("実 行"), this);
    platform::setControlId(ok, IDOK);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    platform::setControlId(cancel, IDCANCEL);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &CInputNumDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CInputNumDlg::reject);
}

QString CInputNumDlg::LabelForMode(int mode)
{
    switch (mode) {
    case 1:
        return QStringLiteral("半径入力 （mm）");
    case 2:
        return QStringLiteral("開始角度  (°) ");
    case 3:
        return QStringLiteral("角度 (開始角度±)");
    case 4:
        return QStringLiteral("傾斜角度  (°) ");
    case 5:
        return QStringLiteral("縦長さ （mm）");
    case 6:
        return QStringLiteral("対象線の始点からの距離（mm）");
    case 7:
        return QStringLiteral("対象線からの距離（mm）　[進行左：＋ 進行右：－]");
    case 8:
        return QStringLiteral("垂線始点からの距離（mm）　[基準線方向：＋ 逆：－]");
    case 9:
        return QStringLiteral("拡大・縮小倍率　[１：等倍]");
    case 10:
    case 13:
        return QStringLiteral("移動距離（mm）");
    case 11:
        return QStringLiteral("短軸入力 （mm）");
    case 12:
        return QStringLiteral("終了角度  (°) ");
    default:
        return QStringLiteral("長さ入力 （mm）");
    }
}

bool CInputNumDlg::UpdateData(bool save)
{
    if (save) {
        expression = m_edit->text();
    } else {
        m_label->setText(label);
        m_edit->setText(expression);
    }
    return true;
}

bool CInputNumDlg::OnInitDialog()
{
    label = LabelForMode(mode);
    if (mode == 10 || mode == 13) {
        expression = FieldText(value);
    }
    UpdateData(false);
    m_edit->setFocus();
    return true;
}

void CInputNumDlg::OnOK()
{
    UpdateData(true);
    if (expression.isEmpty()) {
        RefuseField(this, m_edit, NoInputMessage());
        return;
    }
    const std::optional<double> result = EvaluateField(expression);
    if (!result) {
        RefuseField(this, m_edit, BadCharacterMessage());
        return;
    }
    value = *result;
    EndDialog(IDOK);
}
