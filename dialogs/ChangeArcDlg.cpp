#include "dialogs/ChangeArcDlg.h"

#include "platform/Controls.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

void DrawEllipsePreview(platform::Dc& dc, const platform::Rect& r, int kind)
{
    if (kind == 1)
        dc.Arc(r.left + 10, r.top + 10, r.right - 10, r.bottom - 10, r.right / 2, r.top, r.right - 10, r.bottom / 2);
    else
        dc.Ellipse(r.left + 10, r.top + 10, r.right - 10, r.bottom - 10);
}

CChangeArcDlg::CChangeArcDlg(QWidget* parent)
    : CPropertyDialog(IDD_CHANGE_ARC, QStringLiteral("円作図属性変更"), parent)
{
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;

    auto* kindBox = new QGroupBox(QStringLiteral(" 作図種別 "), this);
    auto* kindLayout = new QVBoxLayout(kindBox);
    m_circle = new QRadioButton(QStringLiteral("真　円"), kindBox);
    platform::setControlId(m_circle, IDC_CIRCLE);
    m_arc = new QRadioButton(QStringLiteral("円　弧"), kindBox);
    platform::setControlId(m_arc, IDC_ARC);
    kindLayout->addWidget(m_circle);
    kindLayout->addWidget(m_arc);
    connect(m_circle, &QRadioButton::clicked, this, &CChangeArcDlg::OnCircle);
    connect(m_arc, &QRadioButton::clicked, this, &CChangeArcDlg::OnArc);
    top->addWidget(kindBox);

    auto* directionBox = new QGroupBox(QStringLiteral(" 回転方向 "), this);
    auto* directionLayout = new QVBoxLayout(directionBox);
    m_clockwise = new QRadioButton(QStringLiteral("時計回り"), directionBox);
    platform::setControlId(m_clockwise, IDC_CLOCKWISE);
    m_counterClockwise = new QRadioButton(QStringLiteral("反時計回り"), directionBox);
    platform::setControlId(m_counterClockwise, IDC_COUNTERCLOCKWISE);
    directionLayout->addWidget(m_clockwise);
    directionLayout->addWidget(m_counterClockwise);
    connect(m_clockwise, &QRadioButton::clicked, this, &CChangeArcDlg::OnClockwise);
    connect(m_counterClockwise, &QRadioButton::clicked, this, &CChangeArcDlg::OnCounterClockwise);
    top->addWidget(directionBox);

    QGroupBox* previewBox = MakePreviewBox(QStringLiteral(" 作図イメージ "), IDC_PREVIEW);
    top->addWidget(previewBox);
    layout->addLayout(top);

    auto* fields = new QHBoxLayout;
    auto* coordBox = new QGroupBox(QStringLiteral(" 座標・半径 "), this);
    auto* coordGrid = new QGridLayout(coordBox);
    m_centerX = MakeNumericEdit(coordBox, IDC_CENTER_X);
    m_centerY = MakeNumericEdit(coordBox, IDC_CENTER_Y);
    m_radius = MakeNumericEdit(coordBox, IDC_RADIUS);
    coordGrid->addWidget(new QLabel(QStringLiteral("中心Ｘ座標"), coordBox), 0, 0);
    coordGrid->addWidget(m_centerX, 0, 1);
    coordGrid->addWidget(new QLabel(QStringLiteral("中止Ｙ座標"), coordBox), 1, 0);
    coordGrid->addWidget(m_centerY, 1, 1);
    coordGrid->addWidget(new QLabel(QStringLiteral("半        径"), coordBox), 2, 0);
    coordGrid->addWidget(m_radius, 2, 1);
    fields->addWidget(coordBox);
    auto* angleBox = new QGroupBox(QStringLiteral(" 円弧角度 "), this);
    auto* angleGrid = new QGridLayout(angleBox);
    m_startAngle = MakeNumericEdit(angleBox, IDC_START_ANGLE);
    m_endAngle = MakeNumericEdit(angleBox, IDC_END_ANGLE);
    angleGrid->addWidget(new QLabel(QStringLiteral("開始角度"), angleBox), 0, 0);
    angleGrid->addWidget(m_startAngle, 0, 1);
    angleGrid->addWidget(new QLabel(QStringLiteral("終了角度"), angleBox), 1, 0);
    angleGrid->addWidget(m_endAngle, 1, 1);
    fields->addWidget(angleBox);
    layout->addLayout(fields);

    QGroupBox* styleBox =
        MakeStyleBox(QStringLiteral(" 線種・ペン番号 "), QStringLiteral("線   種"), IDC_LINE_TYPE, IDC_PEN, IDC_COLOR);
    layout->addWidget(styleBox);
    layout->addLayout(MakeOkCancelRow(QStringLiteral("キャンセル")));
}

bool CChangeArcDlg::UpdateData(bool save)
{
    ExchangeTexts(save, {{m_centerX, &centerXText},
                         {m_centerY, &centerYText},
                         {m_radius, &radiusText},
                         {m_startAngle, &startAngleText},
                         {m_endAngle, &endAngleText}});
    return true;
}

bool CChangeArcDlg::OnInitDialog()
{
    centerXText = FormatFieldValue(centerX);
    centerYText = FormatFieldValue(centerY);
    radiusText = FormatFieldValue(radius);
    startAngleText = FormatFieldValue(startAngle);
    endAngleText = FormatFieldValue(endAngle);
    ShowPenAndColour();
    UpdateData(false);
    if (kind < 0 || kind > 1)
        kind = 0;
    (kind == 0 ? m_circle : m_arc)->setChecked(true);
    if (direction == 1)
        m_counterClockwise->setChecked(true);
    else if (direction != 0)
        m_clockwise->setChecked(true);
    EnableArcControls(kind);
    return true;
}

void CChangeArcDlg::EnableArcControls(int k)
{
    const bool arc = k == 1;
    m_startAngle->setEnabled(arc);
    m_endAngle->setEnabled(arc);
    m_clockwise->setEnabled(arc);
    m_counterClockwise->setEnabled(arc);
    if (arc && direction == 0) {
        direction = -1;
        m_clockwise->setChecked(true);
    }
}

void CChangeArcDlg::OnCircle()
{
    kind = 0;
    EnableArcControls(kind);
    RepaintPreview();
}

void CChangeArcDlg::OnArc()
{
    kind = 1;
    EnableArcControls(kind);
    RepaintPreview();
}

void CChangeArcDlg::OnClockwise()
{
    direction = -1;
}

void CChangeArcDlg::OnCounterClockwise()
{
    direction = 1;
}

void CChangeArcDlg::DrawPreview(platform::Dc& dc, const platform::Rect& r)
{
    DrawEllipsePreview(dc, r, kind);
}

void CChangeArcDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    const NumericField circleFields[] = {
        {m_centerX, &centerX, QStringLiteral("中心Ｘ座標値が入力されていません！"),
         QStringLiteral("中心Ｘ座標の入力に誤りがあります！")},
        {m_centerY, &centerY, QStringLiteral("中心Ｙ座標値が入力されていません！"),
         QStringLiteral("中心Ｙ座標の入力に誤りがあります！")},
        {m_radius, &radius, QStringLiteral("半径値が入力されていません！"),
         QStringLiteral("半径の入力に誤りがあります！"), true},
    };
    if (!CheckNumericFields(this, circleFields))
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
