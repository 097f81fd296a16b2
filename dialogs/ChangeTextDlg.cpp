#include "dialogs/ChangeTextDlg.h"

#include "model/Entity.h"
#include "platform/Controls.h"
#include "platform/Encoding.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// The string edit: no limit of its own; an empty one is refused with message.
QLineEdit* MakeStringEdit(CPropertyDialog* dialog, QWidget* parent, int id, QString& member, const QString& message)
{
    auto* edit = new QLineEdit(parent);
    platform::setControlId(edit, id);
    edit->setMinimumWidth(260);
    dialog->Exchange().Text(edit, member).emptyMessage = message;
    return edit;
}

// The pen list with the colour button beside it, under " ペン番号 ".
QGroupBox* PenBox(QWidget* parent, QWidget* penList, QWidget* colorButton)
{
    auto* box = new QGroupBox(QStringLiteral(" ペン番号 "), parent);
    auto* row = new QHBoxLayout(box);
    row->addWidget(penList);
    row->addWidget(colorButton);
    return box;
}

} // namespace

CChangeTextDlg::CChangeTextDlg(QWidget* parent)
    : CPropertyDialog(IDD_CHANGE_TEXT, QStringLiteral("文字列作図属性変更"), parent)
{
    auto* layout = new QVBoxLayout(this);
    auto* stringBox = new QGroupBox(QStringLiteral(" 文字列 "), this);
    auto* stringRow = new QHBoxLayout(stringBox);
    stringRow->addWidget(
        MakeStringEdit(this, stringBox, IDC_STRING, text, QStringLiteral("文字列の入力がありません！")));
    layout->addWidget(stringBox);

    // The string and the three sizes are looked at before the position.
    auto* fields = new QHBoxLayout;
    fields->addWidget(MakeNumberBox(
        QStringLiteral(" 文字サイズ・角度 "),
        {{QStringLiteral("文字高さ"), IDC_HEIGHT, &height, QStringLiteral("文字高さの入力がありません！"),
          QStringLiteral("文字高さの入力に誤りがあります！")},
         {QStringLiteral("文 字 幅"), IDC_WIDTH, &width, QStringLiteral("文字幅の入力がありません！"),
          QStringLiteral("文字幅の入力に誤りがあります！")},
         {QStringLiteral("回 転 角"), IDC_ANGLE, &angle, QStringLiteral("回転角の入力がありません！"),
          QStringLiteral("回転角の入力に誤りがあります！")}}));
    Exchange().Section();
    fields->addWidget(MakeNumberBox(
        QStringLiteral(" 作図座標 "),
        {{QStringLiteral("Ｘ座標"), IDC_X, &posX, QStringLiteral("Ｘ座標値の入力がありません！"),
          QStringLiteral("Ｘ座標値の入力に誤りがあります！")},
         {QStringLiteral("Ｙ座標"), IDC_Y, &posY, QStringLiteral("Ｙ座標値の入力がありません！"),
          QStringLiteral("Ｙ座標値の入力に誤りがあります！")}}));
    layout->addLayout(fields);

    auto* fontBox = new QGroupBox(QStringLiteral(" フォント "), this);
    auto* fontRow = new QHBoxLayout(fontBox);
    fontRow->addWidget(MakeFontList(IDC_FONT, fontName));
    layout->addWidget(fontBox);
    layout->addWidget(PenBox(this, MakePenList(IDC_PEN), MakeColorButton(IDC_COLOR)));
    layout->addLayout(MakeOkCancelRow(QStringLiteral("ｷｬﾝｾﾙ")));
}

CChangeLineTextDlg::CChangeLineTextDlg(QWidget* parent)
    : CPropertyDialog(IDD_CHANGE_LINE_TEXT, QStringLiteral("指示線付き文字作図属性変更"), parent)
{
    auto* layout = new QVBoxLayout(this);
    auto* stringBox = new QGroupBox(QStringLiteral(" 文字列 "), this);
    auto* stringRow = new QHBoxLayout(stringBox);
    stringRow->addWidget(
        MakeStringEdit(this, stringBox, IDC_STRING, text, QStringLiteral("文字列が入力されていません！")));
    layout->addWidget(stringBox);

    auto* middle = new QHBoxLayout;
    middle->addWidget(MakeNumberBox(
        QStringLiteral(" 文字サイズ・角度 "),
        {{QStringLiteral("文字高さ"), IDC_HEIGHT, &height, QStringLiteral("文字高さが入力されていません！"),
          QStringLiteral("文字高さの入力に誤りがあります！")},
         {QStringLiteral("Ｘ方向相対尺度"), IDC_X_SCALE, &xScale,
          QStringLiteral("Ｘ方向相対尺度が入力されていません！"),
          QStringLiteral("Ｘ方向相対尺度の入力に誤りがあります！")},
         {QStringLiteral("文字の回転角度"), IDC_ANGLE, &angle, QStringLiteral("文字の回転角度が入力されていません！"),
          QStringLiteral("文字の回転角度の入力に誤りがあります！")}}));
    middle->addWidget(MakeChoiceBox(QStringLiteral(" 指示線形状 "),
                                    {{QStringLiteral("任意直線"), IDC_FREE_LINE, [this] { OnLeaderShape(0); }},
                                     {QStringLiteral("文字補助線付き"), IDC_GUIDE_LINE, [this] { OnLeaderShape(1); }},
                                     {QStringLiteral("文字下線付き"), IDC_UNDERLINE, [this] { OnLeaderShape(2); }}},
                                    m_shapes));
    Exchange().Radios({m_shapes[0], m_shapes[1], m_shapes[2]}, leaderShape);
    middle->addWidget(MakePreviewBox(QStringLiteral(" 作図イメージ "), IDC_PREVIEW, 130, 80));
    layout->addLayout(middle);

    auto* bottom = new QHBoxLayout;
    auto* arrowBox = new QGroupBox(QStringLiteral(" 矢頭形状 "), this);
    auto* arrowRow = new QHBoxLayout(arrowBox);
    auto* arrowheads = new QComboBox(arrowBox);
    platform::setControlId(arrowheads, IDC_ARROWHEAD);
    arrowheads->addItems({QStringLiteral("な   し"), QStringLiteral("黒   丸"), QStringLiteral("片矢印"),
                          QStringLiteral("矢   印")});
    connect(arrowheads, &QComboBox::currentIndexChanged, this, &CChangeLineTextDlg::OnSelchangeArrowhead);
    Exchange().List(arrowheads, arrowhead);
    arrowRow->addWidget(arrowheads);
    bottom->addWidget(arrowBox);
    auto* fontBox = new QGroupBox(QStringLiteral(" フォント "), this);
    auto* fontRow = new QHBoxLayout(fontBox);
    fontRow->addWidget(MakeFontList(IDC_FONT, fontName));
    bottom->addWidget(fontBox);
    layout->addLayout(bottom);
    layout->addWidget(PenBox(this, MakePenList(IDC_PEN), MakeColorButton(IDC_COLOR)));
    layout->addLayout(MakeOkCancelRow(QStringLiteral("ｷｬﾝｾﾙ")));
}

bool CChangeLineTextDlg::OnInitDialog()
{
    if (leaderShape < 0 || leaderShape > 2)
        leaderShape = 0;
    return CPropertyDialog::OnInitDialog();
}

void CChangeLineTextDlg::OnLeaderShape(int shape)
{
    leaderShape = shape;
    RepaintPreview();
}

void CChangeLineTextDlg::OnSelchangeArrowhead(int index)
{
    if (index < 0)
        return;
    arrowhead = index;
    RepaintPreview();
}

void CChangeLineTextDlg::DrawPreview(platform::Dc& dc, const platform::Rect& r)
{
    const int w = r.right;
    const int h = r.bottom;
    dc.MoveTo(10, h - 10);
    dc.LineTo(w / 2, h / 2);
    dc.SelectFont(SketchFont(13, 7));
    dc.SetBkMode(platform::BkMode::Transparent);
    switch (leaderShape) {
    case 1:
        dc.LineTo(w / 2 + 10, h / 2);
        dc.TextOut(w / 2 + 15, h / 2 - 5, QStringLiteral("ABCDE"));
        break;
    case 2:
        dc.LineTo(w / 2 + 50, h / 2);
        dc.TextOut(w / 2 + 10, h / 2 - 15, QStringLiteral("ABCDE"));
        break;
    default:
        dc.TextOut(w / 2 + 5, h / 2 - 5, QStringLiteral("ABCDEFG"));
        break;
    }
    switch (arrowhead) {
    case 1:
        dc.SelectBrush(platform::Brush::Solid(platform::Rgb(0, 0, 0)));
        dc.Ellipse(7, h - 13, 13, h - 7);
        dc.SelectBrush(platform::Brush::NullBrush());
        break;
    case 2:
        dc.MoveTo(10, h - 10);
        dc.LineTo(13, h - 16);
        break;
    case 3:
        dc.MoveTo(10, h - 10);
        dc.LineTo(16, h - 10);
        dc.MoveTo(10, h - 10);
        dc.LineTo(13, h - 16);
        break;
    default:
        break;
    }
}
