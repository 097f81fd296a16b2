#include "dialogs/ChangeArcDlg.h"

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
    top->addWidget(MakeChoiceBox(QStringLiteral(" 作図種別 "),
                                 {{QStringLiteral("真　円"), IDC_CIRCLE, [this] { OnCircle(); }},
                                  {QStringLiteral("円　弧"), IDC_ARC, [this] { OnArc(); }}},
                                 m_kinds));
    Exchange().Radios({m_kinds[0], m_kinds[1]}, kind);
    top->addWidget(MakeChoiceBox(QStringLiteral(" 回転方向 "),
                                 {{QStringLiteral("時計回り"), IDC_CLOCKWISE, [this] { OnClockwise(); }},
                                  {QStringLiteral("反時計回り"), IDC_COUNTERCLOCKWISE, [this] { OnCounterClockwise(); }}},
                                 m_directions));
    QGroupBox* previewBox = MakePreviewBox(QStringLiteral(" 作図イメージ "), IDC_PREVIEW);
    top->addWidget(previewBox);
    layout->addLayout(top);

    // The angles are looked at only for an arc, after the centre and radius.
    auto* fields = new QHBoxLayout;
    fields->addWidget(MakeNumberBox(
        QStringLiteral(" 座標・半径 "),
        {{QStringLiteral("中心Ｘ座標"), IDC_CENTER_X, &centerX, QStringLiteral("中心Ｘ座標値が入力されていません！"),
          QStringLiteral("中心Ｘ座標の入力に誤りがあります！")},
         {QStringLiteral("中止Ｙ座標"), IDC_CENTER_Y, &centerY, QStringLiteral("中心Ｙ座標値が入力されていません！"),
          QStringLiteral("中心Ｙ座標の入力に誤りがあります！")},
         {QStringLiteral("半        径"), IDC_RADIUS, &radius, QStringLiteral("半径値が入力されていません！"),
          QStringLiteral("半径の入力に誤りがあります！"), true}}));
    fields->addWidget(MakeAngleBox(QStringLiteral(" 円弧角度 "), [this] { return kind == 1; }, IDC_START_ANGLE,
                                   startAngle, IDC_END_ANGLE, endAngle, PropertyFieldLength, m_angles));
    layout->addLayout(fields);

    QGroupBox* styleBox =
        MakeStyleBox(QStringLiteral(" 線種・ペン番号 "), QStringLiteral("線   種"), IDC_LINE_TYPE, IDC_PEN, IDC_COLOR);
    layout->addWidget(styleBox);
    layout->addLayout(MakeOkCancelRow(QStringLiteral("キャンセル")));
}

bool CChangeArcDlg::OnInitDialog()
{
    if (kind < 0 || kind > 1)
        kind = 0;
    CPropertyDialog::OnInitDialog();
    if (direction == 1)
        m_directions[1]->setChecked(true);
    else if (direction != 0)
        m_directions[0]->setChecked(true);
    EnableArcControls(kind);
    return true;
}

void CChangeArcDlg::EnableArcControls(int k)
{
    const bool arc = k == 1;
    for (QWidget* control : {static_cast<QWidget*>(m_angles[0]), static_cast<QWidget*>(m_angles[1]),
                             static_cast<QWidget*>(m_directions[0]), static_cast<QWidget*>(m_directions[1])})
        control->setEnabled(arc);
    if (arc && direction == 0) {
        direction = -1;
        m_directions[0]->setChecked(true);
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
