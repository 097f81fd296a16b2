#include "dialogs/ChangePointDlg.h"

#include "platform/Controls.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CChangePointDlg::CChangePointDlg(QWidget* parent)
    : CPropertyDialog(IDD_CHANGE_POINT, QStringLiteral("点作図属性変更"), parent)
{
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* coordBox = new QGroupBox(QStringLiteral(" 作図座標 "), this);
    auto* coordGrid = new QGridLayout(coordBox);
    m_x = MakeNumericEdit(coordBox, IDC_X);
    m_y = MakeNumericEdit(coordBox, IDC_Y);
    coordGrid->addWidget(new QLabel(QStringLiteral("Ｘ座標"), coordBox), 0, 0);
    coordGrid->addWidget(m_x, 0, 1);
    coordGrid->addWidget(new QLabel(QStringLiteral("Ｙ座標"), coordBox), 1, 0);
    coordGrid->addWidget(m_y, 1, 1);
    top->addWidget(coordBox);
    QGroupBox* previewBox = MakePreviewBox(QStringLiteral("作図イメージ"), IDC_PREVIEW, 60, 60);
    top->addWidget(previewBox);
    layout->addLayout(top);

    auto* shapeBox = new QGroupBox(QStringLiteral(" 点形状・サイズ "), this);
    auto* shapeLayout = new QHBoxLayout(shapeBox);
    m_shape = new QComboBox(shapeBox);
    platform::setControlId(m_shape, IDC_SHAPE);
    m_shape->addItems({QStringLiteral("　点形状"), QStringLiteral("　円形状"), QStringLiteral("　矩形形状")});
    shapeLayout->addWidget(m_shape);
    m_weightList = new CLineComboBox(shapeBox);
    platform::setControlId(m_weightList, IDC_WEIGHT);
    m_weightList->FillPointWeights();
    connect(m_weightList, &QComboBox::currentIndexChanged, this, &CChangePointDlg::OnSelchangeWeight);
    shapeLayout->addWidget(m_weightList);
    layout->addWidget(shapeBox);

    auto* penBox = new QGroupBox(QStringLiteral(" ペン番号 "), this);
    auto* penLayout = new QHBoxLayout(penBox);
    penLayout->addWidget(MakePenList(IDC_PEN));
    penLayout->addWidget(MakeColorButton(IDC_COLOR));
    layout->addWidget(penBox);
    layout->addLayout(MakeOkCancelRow(QStringLiteral("ｷｬﾝｾﾙ")));
}

bool CChangePointDlg::UpdateData(bool save)
{
    if (save) {
        xText = m_x->text();
        yText = m_y->text();
        shape = m_shape->currentIndex();
    } else {
        m_x->setText(xText);
        m_y->setText(yText);
        m_shape->setCurrentIndex(shape >= 0 && shape < m_shape->count() ? shape : -1);
    }
    return true;
}

bool CChangePointDlg::OnInitDialog()
{
    weight = weight >= 5 ? static_cast<int16_t>(weight - 4) : 0;
    {
        const QSignalBlocker block(m_weightList);
        m_weightList->setCurrentIndex(weight < m_weightList->count() ? weight : 0);
    }
    xText = FormatFieldValue(x);
    yText = FormatFieldValue(y);
    ShowPenAndColour();
    UpdateData(false);
    return true;
}

void CChangePointDlg::OnSelchangeWeight(int index)
{
    if (index >= 0)
        weight = static_cast<int16_t>(index);
}

void CChangePointDlg::DrawPreview(platform::Dc& dc, const platform::Rect& r)
{
    dc.SelectBrush(platform::Brush::Solid(platform::Rgb(0, 0, 0)));
    dc.Rectangle(r.right / 2 - 2, r.bottom / 2 - 2, r.right / 2 + 2, r.bottom / 2 + 2);
}

void CChangePointDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    const NumericField fields[] = {
        {m_x, &x, QStringLiteral("Ｘ座標値が入力されていません！"), QStringLiteral("Ｘ座標値に誤りがあります！")},
        {m_y, &y, QStringLiteral("Ｙ座標値が入力されていません！"), QStringLiteral("Ｙ座標値に誤りがあります！")},
    };
    if (!CheckNumericFields(this, fields))
        return;
    if (weight > 0)
        weight = static_cast<int16_t>(weight + 4);
    EndDialog(IDOK);
}
