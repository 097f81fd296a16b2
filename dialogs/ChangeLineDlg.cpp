#include "dialogs/ChangeLineDlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

CChangeLineDlg::CChangeLineDlg(QWidget* parent)
    : CPropertyDialog(IDD_CHANGE_LINE, QStringLiteral("直線作図属性変更"), parent)
{
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(MakeChoiceBox(QStringLiteral(" 作図種別 "),
                                 {{QStringLiteral("自由線"), IDC_FREE, [this] { OnFreeLine(); }},
                                  {QStringLiteral("水平線"), IDC_HORIZONTAL, [this] { OnHorizontalLine(); }},
                                  {QStringLiteral("垂直線"), IDC_VERTICAL, [this] { OnVerticalLine(); }}},
                                 m_kinds));
    QGroupBox* previewBox = MakePreviewBox(QStringLiteral(" 作図イメージ "), IDC_PREVIEW);
    top->addWidget(previewBox);
    layout->addLayout(top);

    auto* ends = new QHBoxLayout;
    ends->addWidget(MakeNumberBox(QStringLiteral(" 始端側 "),
                                  {{QStringLiteral("Ｘ座標"), IDC_START_X, &startX,
                                    QStringLiteral("始端側Ｘ座標値が入力されていません！"),
                                    QStringLiteral("始端側Ｘ座標の入力に誤りがあります！"), false,
                                    PropertyFieldLength, 1232},
                                   {QStringLiteral("Ｙ座標"), IDC_START_Y, &startY,
                                    QStringLiteral("始端側Ｙ座標値が入力されていません！"),
                                    QStringLiteral("始端側Ｙ座標の入力に誤りがあります！"), false,
                                    PropertyFieldLength, 1233}},
                                  m_edits, m_labels));
    ends->addWidget(MakeNumberBox(QStringLiteral(" 終端側 "),
                                  {{QStringLiteral("Ｘ座標"), IDC_END_X, &endX,
                                    QStringLiteral("終端側Ｘ座標値が入力されていません！"),
                                    QStringLiteral("終端側Ｘ座標の入力に誤りがあります！"), false,
                                    PropertyFieldLength, 1234},
                                   {QStringLiteral("Ｙ座標"), IDC_END_Y, &endY,
                                    QStringLiteral("終端側Ｙ座標値が入力されていません！"),
                                    QStringLiteral("終端側Ｙ座標の入力に誤りがあります！"), false,
                                    PropertyFieldLength, 1235}},
                                  m_edits + 2, m_labels + 2));
    layout->addLayout(ends);
    Exchange().Radios({m_kinds[0], m_kinds[1], m_kinds[2]}, kind);

    QGroupBox* styleBox =
        MakeStyleBox(QStringLiteral(" 線種・ペン番号"), QStringLiteral("線   種"), IDC_LINE_TYPE, IDC_PEN, IDC_COLOR);
    layout->addWidget(styleBox);
    layout->addLayout(MakeOkCancelRow(QStringLiteral("ｷｬﾝｾﾙ")));
}

bool CChangeLineDlg::OnInitDialog()
{
    if (kind < 0 || kind > 2)
        kind = 0;
    CPropertyDialog::OnInitDialog();
    EnableCoordinates(kind);
    return true;
}

void CChangeLineDlg::EnableCoordinates(int k)
{
    const bool all = k == 0;
    // A horizontal line keeps only its y, a vertical one only its x.
    const bool shown[4] = {all || k == 2, all || k == 1, all, all};
    for (int i = 0; i < 4; ++i) {
        m_edits[i]->setEnabled(shown[i]);
        m_labels[i]->setEnabled(shown[i]);
    }
}

void CChangeLineDlg::OnFreeLine()
{
    kind = 0;
    EnableCoordinates(kind);
    RepaintPreview();
}

void CChangeLineDlg::OnHorizontalLine()
{
    kind = 1;
    EnableCoordinates(kind);
    RepaintPreview();
}

void CChangeLineDlg::OnVerticalLine()
{
    kind = 2;
    EnableCoordinates(kind);
    RepaintPreview();
}

void CChangeLineDlg::DrawPreview(platform::Dc& dc, const platform::Rect& r)
{
    switch (kind) {
    case 1:
        dc.MoveTo(r.left, r.bottom / 2);
        dc.LineTo(r.right, r.bottom / 2);
        break;
    case 2:
        dc.MoveTo(r.right / 2, r.top);
        dc.LineTo(r.right / 2, r.bottom);
        break;
    default:
        dc.MoveTo(r.left + 10, r.bottom - 10);
        dc.LineTo(r.right - 10, r.top + 5);
        break;
    }
}
