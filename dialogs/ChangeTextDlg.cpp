#include "dialogs/ChangeTextDlg.h"

#include "model/Entity.h"
#include "model/EntityKinds.h"
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

// The label the kind table gives the value a kind stores under code.
QString KindLabel(int16_t type, int16_t code)
{
    for (const KindProperty& p : KindOf(type).properties)
        if (p.code == code)
            return QString::fromUtf8(p.label);
    return {};
}

// A size, angle or position row of a text: "<label>の入力がありません！"
// when empty, "<label>の入力に誤りがあります！" when not a number; a
// position's messages name its value ("Ｘ座標値…").
CPropertyDialog::NumberRow TextRow(int16_t code, int id, double* member, bool position = false)
{
    const QString label = KindLabel(EntityType::Text, code);
    const QString named = position ? label + QStringLiteral("値") : label;
    return {label, id, member, named + QStringLiteral("の入力がありません！"),
            named + QStringLiteral("の入力に誤りがあります！")};
}

// A row of a text with a leader: "<label>が入力されていません！" when empty.
CPropertyDialog::NumberRow LeaderRow(int16_t code, int id, double* member)
{
    const QString label = KindLabel(EntityType::LeaderText, code);
    return {label, id, member, label + QStringLiteral("が入力されていません！"),
            label + QStringLiteral("の入力に誤りがあります！")};
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
    fields->addWidget(MakeNumberBox(QStringLiteral(" 文字サイズ・角度 "),
                                    {TextRow(30, IDC_HEIGHT, &height), TextRow(40, IDC_WIDTH, &width),
                                     TextRow(50, IDC_ANGLE, &angle)}));
    Exchange().Section();
    fields->addWidget(MakeNumberBox(QStringLiteral(" 作図座標 "),
                                    {TextRow(10, IDC_X, &posX, true), TextRow(20, IDC_Y, &posY, true)}));
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
    middle->addWidget(MakeNumberBox(QStringLiteral(" 文字サイズ・角度 "),
                                    {LeaderRow(30, IDC_HEIGHT, &height), LeaderRow(40, IDC_X_SCALE, &xScale),
                                     LeaderRow(50, IDC_ANGLE, &angle)}));
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
