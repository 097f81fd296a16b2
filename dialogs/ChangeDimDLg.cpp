#include "dialogs/ChangeDimDLg.h"

#include "platform/Controls.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

// Longest text the size and extension fields take.
constexpr int DimFieldLength = 10;

QComboBox* MakeList(QWidget* parent, int id, const QStringList& items)
{
    auto* list = new QComboBox(parent);
    platform::setControlId(list, id);
    list->addItems(items);
    return list;
}

} // namespace

CChangeDimDLg::CChangeDimDLg(QWidget* parent)
    : CPropertyDialog(IDD_CHANGE_DIM, QStringLiteral("寸法線作図属性変更"), parent)
{
    auto* layout = new QVBoxLayout(this);

    // The lists, decimals, tolerances and prefix are read first; the three
    // sizes are tested after them.
    auto* top = new QHBoxLayout;
    auto* textBox = new QGroupBox(QStringLiteral(" 寸法文字 "), this);
    auto* textGrid = new QGridLayout(textBox);
    textGrid->addWidget(new QLabel(QStringLiteral("寸法文字フォント"), textBox), 0, 0);
    textGrid->addWidget(MakeFontList(IDC_FONT, fontName), 0, 1, 1, 2);
    textGrid->addWidget(new QLabel(QStringLiteral("寸法値少数部桁数"), textBox), 1, 0);
    QLineEdit* decimalsEdit = MakeNumericEdit(textBox, IDC_DECIMALS, 1);
    // The record keeps the decimals in one digit; values print with four at most.
    Exchange().Integer(decimalsEdit, decimals, std::pair{0, 4});
    textGrid->addWidget(decimalsEdit, 1, 1);
    textGrid->addWidget(new QLabel(QStringLiteral("寸法頭文字"), textBox), 2, 0);
    auto* prefixEdit = new QLineEdit(textBox);
    platform::setControlId(prefixEdit, IDC_PREFIX);
    prefixEdit->setMaxLength(4);
    // The head of the record holds four bytes.
    Exchange().Cp932Text(prefixEdit, prefix, 4);
    textGrid->addWidget(prefixEdit, 2, 1);
    textGrid->addWidget(new QLabel(QStringLiteral("(４文字以内)"), textBox), 2, 2);
    top->addWidget(textBox);
    top->addWidget(MakePreviewBox(QStringLiteral(" 作図イメージ "), IDC_PREVIEW, 160, 110));
    layout->addLayout(top);

    auto* toleranceBox = new QGroupBox(QStringLiteral(" 寸法公差 "), this);
    auto* toleranceGrid = new QGridLayout(toleranceBox);
    toleranceGrid->addWidget(new QLabel(QStringLiteral("寸法公差タイプ"), toleranceBox), 0, 0);
    QComboBox* types = MakeList(toleranceBox, IDC_TOLERANCE_TYPE,
                                {QStringLiteral(" 寸法公差指定なし"), QStringLiteral(" タイプ１　±横付け"),
                                 QStringLiteral(" タイプ２　±上付け"), QStringLiteral(" タイプ３　上下（+）（+）"),
                                 QStringLiteral(" タイプ４　上下（+）（0）"), QStringLiteral(" タイプ５　上下（0）（-）"),
                                 QStringLiteral(" タイプ６　上下（-）（-）"), QStringLiteral(" タイプ７　上下（+）（-）")});
    Exchange().List(types, toleranceType, 0);
    connect(types, &QComboBox::currentIndexChanged, this, &CChangeDimDLg::OnSelchangeTolerance);
    toleranceGrid->addWidget(types, 0, 1, 1, 3);
    toleranceGrid->addWidget(new QLabel(QStringLiteral("公差値１"), toleranceBox), 1, 0);
    QLineEdit* first = MakeNumericEdit(toleranceBox, IDC_TOLERANCE1);
    Exchange().Number(first, tolerance1);
    toleranceGrid->addWidget(first, 1, 1);
    toleranceGrid->addWidget(new QLabel(QStringLiteral("公差値２"), toleranceBox), 1, 2);
    QLineEdit* second = MakeNumericEdit(toleranceBox, IDC_TOLERANCE2);
    Exchange().Number(second, tolerance2);
    toleranceGrid->addWidget(second, 1, 3);
    layout->addWidget(toleranceBox);

    auto* middle = new QHBoxLayout;
    auto* arrowBox = new QGroupBox(QStringLiteral(" 矢頭形状 "), this);
    auto* arrowRow = new QHBoxLayout(arrowBox);
    QComboBox* arrowheads = MakeList(arrowBox, IDC_ARROWHEAD,
                                     {QStringLiteral(" な　 し"), QStringLiteral(" 黒　 丸"), QStringLiteral(" 片矢印"),
                                      QStringLiteral(" 矢　 印")});
    Exchange().List(arrowheads, arrowhead);
    connect(arrowheads, &QComboBox::currentIndexChanged, this, &CChangeDimDLg::OnSelchangeArrowhead);
    arrowRow->addWidget(arrowheads);
    arrowRow->addWidget(new QLabel(QStringLiteral("サイズ"), arrowBox));
    m_sizes = MakeList(arrowBox, IDC_ARROW_SIZE,
                       {QStringLiteral(" １"), QStringLiteral(" ２"), QStringLiteral(" ３"), QStringLiteral(" ４"),
                        QStringLiteral(" ５")});
    Exchange().List(m_sizes, arrowSizeShown);
    connect(m_sizes, &QComboBox::currentIndexChanged, this, &CChangeDimDLg::OnSelchangeArrowSize);
    arrowRow->addWidget(m_sizes);
    middle->addWidget(arrowBox);
    auto* penBox = new QGroupBox(QStringLiteral(" ペン番号 "), this);
    auto* penRow = new QHBoxLayout(penBox);
    penRow->addWidget(MakePenList(IDC_PEN));
    penRow->addWidget(MakeColorButton(IDC_COLOR));
    middle->addWidget(penBox);
    layout->addLayout(middle);

    Exchange().Section();
    QLineEdit* sizeEdits[3];
    layout->addWidget(MakeNumberBox(
        QStringLiteral(" 寸法文字サイズ・引出し線 "),
        {{QStringLiteral("寸法文字サイズ（㎜）"), IDC_TEXT_SIZE, &textSize,
          QStringLiteral("文字サイズ値が入力されていません！"), QStringLiteral("文字サイズの入力に誤りがあります！"),
          false, DimFieldLength},
         {QStringLiteral("上部引出し線長さ（㎜）"), IDC_UPPER, &upperExtension,
          QStringLiteral("上部引出し線長さが入力されていません！"),
          QStringLiteral("上部引出し線長さの入力に誤りがあります！"), false, DimFieldLength},
         {QStringLiteral("下部引出し線長さ（㎜）"), IDC_LOWER, &lowerExtension,
          QStringLiteral("下部引出し線長さが入力されていません！"),
          QStringLiteral("下部引出し線長さの入力に誤りがあります！")}},
        sizeEdits));
    layout->addLayout(MakeOkCancelRow(QStringLiteral("ｷｬﾝｾﾙ")));
}

bool CChangeDimDLg::OnInitDialog()
{
    if (arrowhead < 0 || arrowhead > 3)
        arrowhead = 0;
    arrowSizeShown = RememberedSize();
    return CPropertyDialog::OnInitDialog();
}

void CChangeDimDLg::OnSelchangeArrowhead(int index)
{
    if (index < 0)
        return;
    arrowhead = index;
    // Dots and arrows each keep their own size.
    arrowSizeShown = RememberedSize();
    const QSignalBlocker quiet(m_sizes);
    m_sizes->setCurrentIndex(arrowSizeShown >= 0 && arrowSizeShown < m_sizes->count() ? arrowSizeShown : -1);
    RepaintPreview();
}

void CChangeDimDLg::OnSelchangeArrowSize(int index)
{
    if (index < 0)
        return;
    arrowSizeShown = index;
    RememberedSize() = index;
}

void CChangeDimDLg::OnSelchangeTolerance(int index)
{
    if (index < 0)
        return;
    toleranceType = index;
    RepaintPreview();
}

void CChangeDimDLg::DrawPreview(platform::Dc& dc, const platform::Rect& r)
{
    const int cx = r.right / 2;
    const int cy = r.bottom / 2;
    const auto line = [&dc](int x1, int y1, int x2, int y2) {
        dc.MoveTo(x1, y1);
        dc.LineTo(x2, y2);
    };
    line(cx - 50, cy + 20, cx + 50, cy + 20);
    line(cx - 50, cy - 40, cx - 50, cy + 40);
    line(cx + 50, cy - 40, cx + 50, cy + 40);
    switch (arrowhead) {
    case 1:
        dc.SelectBrush(platform::Brush::Solid(platform::Rgb(0, 0, 0)));
        dc.Ellipse(cx - 53, cy + 17, cx - 47, cy + 23);
        dc.Ellipse(cx + 47, cy + 17, cx + 53, cy + 23);
        dc.SelectBrush(platform::Brush::NullBrush());
        break;
    case 2:
        line(cx - 50, cy + 20, cx - 44, cy + 14);
        line(cx + 50, cy + 20, cx + 44, cy + 26);
        break;
    case 3:
        line(cx - 50, cy + 20, cx - 44, cy + 14);
        line(cx - 50, cy + 20, cx - 44, cy + 26);
        line(cx + 50, cy + 20, cx + 44, cy + 14);
        line(cx + 50, cy + 20, cx + 44, cy + 26);
        break;
    default:
        break;
    }
    dc.SetBkMode(platform::BkMode::Transparent);
    dc.SelectFont(SketchFont(14, 7));
    if (toleranceType <= 0 || toleranceType > 7) {
        dc.TextOut(cx - 20, cy, QStringLiteral("123.45"));
        return;
    }
    if (toleranceType == 1) {
        dc.TextOut(cx - 30, cy, QStringLiteral("123"));
        dc.TextOut(cx - 8, cy, QStringLiteral("±0.2"));
        return;
    }
    dc.TextOut(cx - 26, cy, QStringLiteral("123"));
    static const char* const upper[] = {"±0.2", "＋0.2", "＋0.2", " 0", "－0.2", "＋0.2"};
    static const char* const lower[] = {nullptr, "＋0.2", " 0", "－0.2", "－0.2", "－0.2"};
    dc.SelectFont(SketchFont(10, 5));
    dc.TextOut(cx - 4, cy - 4, QString::fromUtf8(upper[toleranceType - 2]));
    if (lower[toleranceType - 2])
        dc.TextOut(cx - 4, cy + 5, QString::fromUtf8(lower[toleranceType - 2]));
}
