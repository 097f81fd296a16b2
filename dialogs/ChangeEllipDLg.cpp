#include "dialogs/ChangeEllipDLg.h"

#include "dialogs/ChangeArcDlg.h"

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
    top->addWidget(MakeChoiceBox(QStringLiteral(" 作図種別 "),
                                 {{QStringLiteral("楕　円"), IDC_ELLIPSE, [this] { OnEllipse(); }},
                                  {QStringLiteral("楕円弧"), IDC_ELLIPTIC_ARC, [this] { OnEllipticArc(); }}},
                                 m_kinds));
    Exchange().Radios({m_kinds[0], m_kinds[1]}, kind);
    QGroupBox* previewBox = MakePreviewBox(QStringLiteral(" 作図イメージ "), IDC_PREVIEW);
    top->addWidget(previewBox);
    layout->addLayout(top);

    // The angles are looked at only for an elliptic arc, after the rest.
    auto* fields = new QHBoxLayout;
    fields->addWidget(MakeNumberBox(
        QStringLiteral(" 座標・軸 "),
        {{QStringLiteral("中心Ｘ座標"), IDC_CENTER_X, &centerX, QStringLiteral("中心Ｘ座標値が入力されていません！"),
          QStringLiteral("中心Ｘ座標の入力に誤りがあります！")},
         {QStringLiteral("中止Ｙ座標"), IDC_CENTER_Y, &centerY, QStringLiteral("中心Ｙ座標値が入力されていません！"),
          QStringLiteral("中心Ｙ座標の入力に誤りがあります！"), false, 0},
         {QStringLiteral("主軸"), IDC_MAJOR, &majorAxis, QStringLiteral("主軸の値が入力されていません！"),
          QStringLiteral("主軸の入力に誤りがあります！"), true},
         {QStringLiteral("副軸"), IDC_MINOR, &minorAxis, QStringLiteral("副軸の値が入力されていません！"),
          QStringLiteral("副軸の入力に誤りがあります！"), true},
         {QStringLiteral("傾き角度"), IDC_TILT, &tiltAngle, QStringLiteral("傾き角度の値が入力されていません！"),
          QStringLiteral("傾き角度の入力に誤りがあります！")}}));
    fields->addWidget(MakeAngleBox(QStringLiteral(" 楕円弧角度 "), [this] { return kind == 1; }, IDC_START_ANGLE,
                                   startAngle, IDC_END_ANGLE, endAngle, 12, m_angles));
    layout->addLayout(fields);

    QGroupBox* styleBox =
        MakeStyleBox(QStringLiteral("線種・ペン番号"), QStringLiteral("線   種"), IDC_LINE_TYPE, IDC_PEN, IDC_COLOR);
    layout->addWidget(styleBox);
    layout->addLayout(MakeOkCancelRow(QStringLiteral("キャンセル")));
}

bool CChangeEllipDLg::OnInitDialog()
{
    if (kind < 0 || kind > 1)
        kind = 0;
    CPropertyDialog::OnInitDialog();
    EnableAngles();
    return true;
}

void CChangeEllipDLg::EnableAngles()
{
    m_angles[0]->setEnabled(kind == 1);
    m_angles[1]->setEnabled(kind == 1);
}

void CChangeEllipDLg::OnEllipse()
{
    kind = 0;
    EnableAngles();
    RepaintPreview();
}

void CChangeEllipDLg::OnEllipticArc()
{
    kind = 1;
    EnableAngles();
    RepaintPreview();
}

void CChangeEllipDLg::DrawPreview(platform::Dc& dc, const platform::Rect& r)
{
    DrawEllipsePreview(dc, r, kind);
}
