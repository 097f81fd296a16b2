#include "dialogs/ChangePointDlg.h"

#include "platform/Controls.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

CChangePointDlg::CChangePointDlg(QWidget* parent)
    : CPropertyDialog(IDD_CHANGE_POINT, QStringLiteral("点作図属性変更"), parent)
{
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(MakeNumberBox(
        QStringLiteral(" 作図座標 "),
        {{QStringLiteral("Ｘ座標"), IDC_X, &x, QStringLiteral("Ｘ座標値が入力されていません！"),
          QStringLiteral("Ｘ座標値に誤りがあります！")},
         {QStringLiteral("Ｙ座標"), IDC_Y, &y, QStringLiteral("Ｙ座標値が入力されていません！"),
          QStringLiteral("Ｙ座標値に誤りがあります！")}}));
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
    Exchange().List(m_shape, shape);
    // The list shows the style word's thick sizes 5..7 as 1..3, the weight
    // follows the list while the dialog is open and is a style word again
    // once it is confirmed.
    platform::DataExchange::Field sizes;
    sizes.control = m_weightList;
    sizes.load = [this] {
        weight = weight >= 5 ? static_cast<int16_t>(weight - 4) : 0;
        const QSignalBlocker block(m_weightList);
        m_weightList->setCurrentIndex(weight < m_weightList->count() ? weight : 0);
    };
    sizes.store = [this] {
        if (weight > 0)
            weight = static_cast<int16_t>(weight + 4);
    };
    Exchange().Add(std::move(sizes));

    auto* penBox = new QGroupBox(QStringLiteral(" ペン番号 "), this);
    auto* penLayout = new QHBoxLayout(penBox);
    penLayout->addWidget(MakePenList(IDC_PEN));
    penLayout->addWidget(MakeColorButton(IDC_COLOR));
    layout->addWidget(penBox);
    layout->addLayout(MakeOkCancelRow(QStringLiteral("ｷｬﾝｾﾙ")));
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
