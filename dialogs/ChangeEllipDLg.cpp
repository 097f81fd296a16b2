#include "dialogs/ChangeEllipDLg.h"

#include "dialogs/ChangeArcDlg.h"
#include "platform/Controls.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

CChangeEllipDLg::CChangeEllipDLg(QWidget* parent)
    : CPropertyDialog(IDD_CHANGE_ELLIPSE, QStringLiteral("楕円作図属性変更"), parent)
{
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* kindBox = new QGroupBox(QStringLiteral(" 作図種別 "), this);
    auto* kindLayout = new QVBoxLayout(kindBox);
    m_ellipse = new QRadioButton(QStringLiteral("楕　円"), kindBox);
    platform::setControlId(m_ellipse, IDC_ELLIPSE);
    m_ellipticArc = new QRadioButton(QStringLiteral("楕円弧"), kindBox);
    platform::setControlId(m_ellipticArc, IDC_ELLIPTIC_ARC);
    kindLayout->addWidget(m_ellipse);
    kindLayout->addWidget(m_ellipticArc);
    connect(m_ellipse, &QRadioButton::clicked, this, &CChangeEllipDLg::OnEllipse);
    connect(m_ellipticArc, &QRadioButton::clicked, this, &CChangeEllipDLg::OnEllipticArc);
    top->addWidget(kindBox);
    QGroupBox* previewBox = MakePreviewBox(QStringLiteral(" 作図イメージ "), IDC_PREVIEW);
    top->addWidget(previewBox);
    layout->addLayout(top);

    auto* fields = new QHBoxLayout;
    auto* coordBox = new QGroupBox(QStringLiteral(" 座標・軸 "), this);
    auto* coordGrid = new QGridLayout(coordBox);
    m_centerX = MakeNumericEdit(coordBox, IDC_CENTER_X);
    m_centerY = MakeNumericEdit(coordBox, IDC_CENTER_Y, 0);
    m_major = MakeNumericEdit(coordBox, IDC_MAJOR);
    m_minor = MakeNumericEdit(coordBox, IDC_MINOR);
    m_tilt = MakeNumericEdit(coordBox, IDC_TILT);
    const QString labels[] = {QStringLiteral("中心Ｘ座標"), QStringLiteral("中止Ｙ座標"), QStringLiteral("主軸"),
                              QStringLiteral("副軸"), QStringLiteral("傾き角度")};
    QLineEdit* const edits[] = {m_centerX, m_centerY, m_major, m_minor, m_tilt};
    for (int i = 0; i < 5; ++i) {
        coordGrid->addWidget(new QLabel(labels[i], coordBox), i, 0);
        coordGrid->addWidget(edits[i], i, 1);
    }
    fields->addWidget(coordBox);
    auto* angleBox = new QGroupBox(QStringLiteral(" 楕円弧角度 "), this);
    auto* angleGrid = new QGridLayout(angleBox);
    m_startAngle = MakeNumericEdit(angleBox, IDC_START_ANGLE);
    m_endAngle = MakeNumericEdit(angleBox, IDC_END_ANGLE, 12);
    angleGrid->addWidget(new QLabel(QStringLiteral("開始角度"), angleBox), 0, 0);
    angleGrid->addWidget(m_startAngle, 0, 1);
    angleGrid->addWidget(new QLabel(QStringLiteral("終了角度"), angleBox), 1, 0);
    angleGrid->addWidget(m_endAngle, 1, 1);
    fields->addWidget(angleBox);
    layout->addLayout(fields);

    QGroupBox* styleBox =
        MakeStyleBox(QStringLiteral("線種・ペン番号"), QStringLiteral("線   種"), IDC_LINE_TYPE, IDC_PEN, IDC_COLOR);
    layout->addWidget(styleBox);
    layout->addLayout(MakeOkCancelRow(QStringLiteral("キャンセル")));
}

bool CChangeEllipDLg::UpdateData(bool save)
{
    ExchangeTexts(save, {{m_centerX, &centerXText},
                         {m_centerY, &centerYText},
                         {m_major, &majorText},
                         {m_minor, &minorText},
                         {m_startAngle, &startAngleText},
                         {m_endAngle, &endAngleText},
                         {m_tilt, &tiltText}});
    return true;
}

bool CChangeEllipDLg::OnInitDialog()
{
    centerXText = FormatFieldValue(centerX);
    centerYText = FormatFieldValue(centerY);
    majorText = FormatFieldValue(majorAxis);
    minorText = FormatFieldValue(minorAxis);
    tiltText = FormatFieldValue(tiltAngle);
    startAngleText = FormatFieldValue(startAngle);
    endAngleText = FormatFieldValue(endAngle);
    ShowPenAndColour();
    UpdateData(false);
    if (kind < 0 || kind > 1)
        kind = 0;
    (kind == 0 ? m_ellipse : m_ellipticArc)->setChecked(true);
    m_startAngle->setEnabled(kind == 1);
    m_endAngle->setEnabled(kind == 1);
    return true;
}

void CChangeEllipDLg::OnEllipse()
{
    kind = 0;
    m_startAngle->setEnabled(false);
    m_endAngle->setEnabled(false);
    RepaintPreview();
}

void CChangeEllipDLg::OnEllipticArc()
{
    kind = 1;
    m_startAngle->setEnabled(true);
    m_endAngle->setEnabled(true);
    RepaintPreview();
}

void CChangeEllipDLg::DrawPreview(platform::Dc& dc, const platform::Rect& r)
{
    DrawEllipsePreview(dc, r, kind);
}

void CChangeEllipDLg::OnOK()
{
    if (!UpdateData(true))
        return;
    const NumericField ellipseFields[] = {
        {m_centerX, &centerX, QStringLiteral("中心Ｘ座標値が入力されていません！"),
         QStringLiteral("中心Ｘ座標の入力に誤りがあります！")},
        {m_centerY, &centerY, QStringLiteral("中心Ｙ座標値が入力されていません！"),
         QStringLiteral("中心Ｙ座標の入力に誤りがあります！")},
        {m_major, &majorAxis, QStringLiteral("主軸の値が入力されていません！"),
         QStringLiteral("主軸の入力に誤りがあります！"), true},
        {m_minor, &minorAxis, QStringLiteral("副軸の値が入力されていません！"),
         QStringLiteral("副軸の入力に誤りがあります！"), true},
        {m_tilt, &tiltAngle, QStringLiteral("傾き角度の値が入力されていません！"),
         QStringLiteral("傾き角度の入力に誤りがあります！")},
    };
    if (!CheckNumericFields(this, ellipseFields))
        return;
    if (kind == 1) {
        const NumericField angleFields[] = {
            {m_startAngle, &startAngle, QStringLiteral("開始角度値が入力されていません！"),
             QStringLiteral("開始角度の入力に誤りがあります！")},
            {m_endAngle, &endAngle, QStringLiteral("終了角度値が入力されていません！"),
             QStringLiteral("終了角度の入力に誤りがあります！")},
        };
        if (!CheckNumericFields(this, angleFields))
            return;
    }
    EndDialog(IDOK);
}
