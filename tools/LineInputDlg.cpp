#include "tools/LineInputDlg.h"

#include "model/Notify.h"
#include "platform/Controls.h"
#include "tools/NumericField.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>
#include <optional>

namespace {

QString LengthLabel()
{
    return QStringLiteral("長さ入力 （mm）");
}
QString AngleLabel()
{
    return QStringLiteral("角度入力(°)");
}

} // namespace

CLineInputDlg::CLineInputDlg(QWidget* parent) : CDialog(IDD_LINEINPUT, parent)
{
    setWindowTitle(QStringLiteral("数値入力"));
    auto* layout = new QVBoxLayout(this);
    // The labels of the template: a length and an angle.
    m_label1 = new QLabel(LengthLabel(), this);
    platform::setControlId(m_label1, IDC_LABEL1);
    m_edit1 = MakeExpressionEdit(this, IDC_VALUE1);
    m_label2 = new QLabel(AngleLabel(), this);
    platform::setControlId(m_label2, IDC_LABEL2);
    m_edit2 = MakeExpressionEdit(this, IDC_VALUE2);
    layout->addWidget(m_label1);
    layout->addWidget(m_edit1);
    layout->addWidget(m_label2);
    layout->addWidget(m_edit2);

    auto* group = new QGroupBox(QStringLiteral("入力切り替え"), this);
    auto* groupLayout = new QVBoxLayout(group);
    m_lengthAngle = new QRadioButton(QStringLiteral("長さ・角度入力"), group);
    platform::setControlId(m_lengthAngle, IDC_LENGTH_ANGLE);
    m_xy = new QRadioButton(QStringLiteral("ＸＹ座標入力"), group);
    platform::setControlId(m_xy, IDC_XY);
    groupLayout->addWidget(m_lengthAngle);
    groupLayout->addWidget(m_xy);
    layout->addWidget(group);
    connect(m_lengthAngle, &QRadioButton::clicked, this, &CLineInputDlg::OnLengthAngle);
    connect(m_xy, &QRadioButton::clicked, this, &CLineInputDlg::OnXy);

    layout->addLayout(MakeOkCancelRow(QStringLiteral("実　行"), QStringLiteral("ｷｬﾝｾﾙ")));

    // The edits show the expressions as typed; OK takes their values, in the
    // order: both emptinesses, the first value (a length or major axis may
    // not be 0), the second value.
    Exchange().Text(m_edit1, expression1);
    Exchange().Text(m_edit2, expression2);
    platform::DataExchange::NumberRule first;
    first.parse = EvaluateField;
    first.emptyMessage = NoInputMessage();
    first.badMessage = BadCharacterMessage();
    platform::DataExchange::NumberRule second = first;
    first.test = [this](double v) -> platform::DataExchange::Refusal {
        if (m_xy->isChecked() || std::fabs(v) > 1e-7)
            return std::nullopt;
        return ellipseVariant == 1 ? QStringLiteral("長軸は「0」以外で入力してください。")
                                   : QStringLiteral("長さは「0」以外で入力してください。");
    };
    Exchange().Number(m_edit1, value1, first).load = nullptr;
    Exchange().Number(m_edit2, value2, second).load = nullptr;
    platform::DataExchange::Field kind;
    kind.control = m_lengthAngle;
    kind.load = [this] { (inputKind == 1 ? m_xy : m_lengthAngle)->setChecked(true); };
    kind.store = [this] { inputKind = m_xy->isChecked() ? 1 : 0; };
    Exchange().Add(kind);
}

void CLineInputDlg::SetKindLabels()
{
    if (inputKind == 1) {
        label1 = QStringLiteral("Ｘ座標移動値（mm）");
        label2 = QStringLiteral("Ｙ座標移動値（mm）");
    } else if (ellipseVariant == 1) {
        label1 = QStringLiteral("長軸入力 （mm）");
        label2 = QStringLiteral("傾斜角度入力(°)");
    } else {
        label1 = LengthLabel();
        label2 = AngleLabel();
    }
    m_label1->setText(label1);
    m_label2->setText(label2);
}

bool CLineInputDlg::OnInitDialog()
{
    if (inputKind == 0 || inputKind == 1) {
        SetKindLabels();
    } else {
        // An unknown kind keeps the template's labels and becomes 0.
        label1 = m_label1->text();
        label2 = m_label2->text();
        inputKind = 0;
    }
    expression1 = FieldText(value1);
    expression2 = FieldText(value2);
    UpdateData(false);
    m_edit1->setFocus();
    return true;
}

void CLineInputDlg::OnLengthAngle()
{
    // The typed texts stay as they are; only their meaning changes.
    inputKind = 0;
    SetKindLabels();
}

void CLineInputDlg::OnXy()
{
    inputKind = 1;
    SetKindLabels();
}
