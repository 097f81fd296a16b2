#include "tools/LineInputDlg.h"

#include "model/Notify.h"
#include "platform/Controls.h"
#include "tools/NumericField.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("実　行"), this);
    platform::setControlId(ok, IDOK);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    platform::setControlId(cancel, IDCANCEL);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &CLineInputDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CLineInputDlg::reject);
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

bool CLineInputDlg::UpdateData(bool save)
{
    if (save) {
        expression1 = m_edit1->text();
        expression2 = m_edit2->text();
        inputKind = m_xy->isChecked() ? 1 : 0;
    } else {
        m_edit1->setText(expression1);
        m_edit2->setText(expression2);
        (inputKind == 1 ? m_xy : m_lengthAngle)->setChecked(true);
    }
    return true;
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

void CLineInputDlg::OnOK()
{
    UpdateData(true);
    if (expression1.isEmpty()) {
        RefuseField(this, m_edit1, NoInputMessage());
        return;
    }
    if (expression2.isEmpty()) {
        RefuseField(this, m_edit2, NoInputMessage());
        return;
    }
    const std::optional<double> first = EvaluateField(expression1);
    if (!first) {
        RefuseField(this, m_edit1, BadCharacterMessage());
        return;
    }
    value1 = *first;
    if (inputKind == 0 && std::fabs(value1) <= 1e-7) {
        RefuseField(this, m_edit1,
                    ellipseVariant == 1 ? QStringLiteral("長軸は「0」以外で入力してください。")
                                        : QStringLiteral("長さは「0」以外で入力してください。"));
        return;
    }
    const std::optional<double> second = EvaluateField(expression2);
    if (!second) {
        RefuseField(this, m_edit2, BadCharacterMessage());
        return;
    }
    value2 = *second;
    EndDialog(IDOK);
}
