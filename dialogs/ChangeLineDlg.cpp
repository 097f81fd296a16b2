#include "dialogs/ChangeLineDlg.h"

#include "platform/Controls.h"

#include <QButtonGroup>
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

    auto* kindBox = new QGroupBox(QStringLiteral(" 作図種別 "), this);
    auto* kindLayout = new QVBoxLayout(kindBox);
    const QString kindTexts[3] = {QStringLiteral("自由線"), QStringLiteral("水平線"), QStringLiteral("垂直線")};
    const int kindIds[3] = {IDC_FREE, IDC_HORIZONTAL, IDC_VERTICAL};
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        m_kinds[i] = new QRadioButton(kindTexts[i], kindBox);
        platform::setControlId(m_kinds[i], kindIds[i]);
        group->addButton(m_kinds[i], i);
        kindLayout->addWidget(m_kinds[i]);
    }
    connect(m_kinds[0], &QRadioButton::clicked, this, &CChangeLineDlg::OnFreeLine);
    connect(m_kinds[1], &QRadioButton::clicked, this, &CChangeLineDlg::OnHorizontalLine);
    connect(m_kinds[2], &QRadioButton::clicked, this, &CChangeLineDlg::OnVerticalLine);
    top->addWidget(kindBox);

    QGroupBox* previewBox = MakePreviewBox(QStringLiteral(" 作図イメージ "), IDC_PREVIEW);
    top->addWidget(previewBox);
    layout->addLayout(top);

    m_startX = MakeNumericEdit(this, IDC_START_X);
    m_startY = MakeNumericEdit(this, IDC_START_Y);
    m_endX = MakeNumericEdit(this, IDC_END_X);
    m_endY = MakeNumericEdit(this, IDC_END_Y);
    const int labelIds[4] = {1232, 1233, 1234, 1235};
    const QString labelTexts[4] = {QStringLiteral("Ｘ座標"), QStringLiteral("Ｙ座標"), QStringLiteral("Ｘ座標"),
                                   QStringLiteral("Ｙ座標")};
    for (int i = 0; i < 4; ++i) {
        m_labels[i] = new QLabel(labelTexts[i], this);
        platform::setControlId(m_labels[i], labelIds[i]);
    }
    auto* ends = new QHBoxLayout;
    auto* startBox = new QGroupBox(QStringLiteral(" 始端側 "), this);
    auto* startGrid = new QGridLayout(startBox);
    startGrid->addWidget(m_labels[0], 0, 0);
    startGrid->addWidget(m_startX, 0, 1);
    startGrid->addWidget(m_labels[1], 1, 0);
    startGrid->addWidget(m_startY, 1, 1);
    auto* endBox = new QGroupBox(QStringLiteral(" 終端側 "), this);
    auto* endGrid = new QGridLayout(endBox);
    endGrid->addWidget(m_labels[2], 0, 0);
    endGrid->addWidget(m_endX, 0, 1);
    endGrid->addWidget(m_labels[3], 1, 0);
    endGrid->addWidget(m_endY, 1, 1);
    ends->addWidget(startBox);
    ends->addWidget(endBox);
    layout->addLayout(ends);

    QGroupBox* styleBox =
        MakeStyleBox(QStringLiteral(" 線種・ペン番号"), QStringLiteral("線   種"), IDC_LINE_TYPE, IDC_PEN, IDC_COLOR);
    layout->addWidget(styleBox);
    layout->addLayout(MakeOkCancelRow(QStringLiteral("ｷｬﾝｾﾙ")));
}

bool CChangeLineDlg::UpdateData(bool save)
{
    ExchangeTexts(save, {{m_startX, &startXText}, {m_startY, &startYText}, {m_endX, &endXText}, {m_endY, &endYText}});
    return true;
}

bool CChangeLineDlg::OnInitDialog()
{
    startXText = FormatFieldValue(startX);
    startYText = FormatFieldValue(startY);
    endXText = FormatFieldValue(endX);
    endYText = FormatFieldValue(endY);
    ShowPenAndColour();
    UpdateData(false);
    if (kind < 0 || kind > 2)
        kind = 0;
    m_kinds[kind]->setChecked(true);
    EnableCoordinates(kind);
    return true;
}

void CChangeLineDlg::EnableCoordinates(int k)
{
    const bool all = k == 0;
    m_startX->setEnabled(all || k == 2);
    m_labels[0]->setEnabled(all || k == 2);
    m_startY->setEnabled(all || k == 1);
    m_labels[1]->setEnabled(all || k == 1);
    m_endX->setEnabled(all);
    m_labels[2]->setEnabled(all);
    m_endY->setEnabled(all);
    m_labels[3]->setEnabled(all);
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

void CChangeLineDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    const NumericField fields[] = {
        {m_startX, &startX, QStringLiteral("始端側Ｘ座標値が入力されていません！"),
         QStringLiteral("始端側Ｘ座標の入力に誤りがあります！")},
        {m_startY, &startY, QStringLiteral("始端側Ｙ座標値が入力されていません！"),
         QStringLiteral("始端側Ｙ座標の入力に誤りがあります！")},
        {m_endX, &endX, QStringLiteral("終端側Ｘ座標値が入力されていません！"),
         QStringLiteral("終端側Ｘ座標の入力に誤りがあります！")},
        {m_endY, &endY, QStringLiteral("終端側Ｙ座標値が入力されていません！"),
         QStringLiteral("終端側Ｙ座標の入力に誤りがあります！")},
    };
    if (!CheckNumericFields(this, fields))
        return;
    EndDialog(IDOK);
}
