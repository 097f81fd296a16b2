#include "tools/InputNumDlg.h"

#include "model/Notify.h"
#include "platform/Controls.h"
#include "tools/NumericField.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CInputNumDlg::CInputNumDlg(QWidget* parent) : CDialog(IDD_INPUTNUM, parent)
{
    setWindowTitle(QStringLiteral("数値入力　（四則演算式入力可能）"));
    auto* layout = new QVBoxLayout(this);
    m_label = new QLabel(LabelForMode(0), this);
    platform::setControlId(m_label, IDC_LABEL);
    layout->addWidget(m_label);
    m_edit = MakeExpressionEdit(this, IDC_EXPRESSION);
    layout->addWidget(m_edit);

    layout->addLayout(MakeOkCancelRow(QStringLiteral("実 行"), QStringLiteral("ｷｬﾝｾﾙ")));

    // The edit shows the expression as typed; OK takes its value.
    Exchange().Text(m_edit, expression);
    platform::DataExchange::NumberRule rule;
    rule.parse = EvaluateField;
    rule.emptyMessage = NoInputMessage();
    rule.badMessage = BadCharacterMessage();
    Exchange().Number(m_edit, value, rule).load = nullptr;
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

bool CInputNumDlg::OnInitDialog()
{
    if (label.isEmpty())
        label = LabelForMode(mode);
    if (mode == 10 || mode == 13) {
        expression = FieldText(value);
    }
    m_label->setText(label);
    UpdateData(false);
    m_edit->setFocus();
    return true;
}
