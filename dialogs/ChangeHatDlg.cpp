#include "dialogs/ChangeHatDlg.h"

#include "dialogs/OpeEditBoxes.h"
#include "platform/Controls.h"
#include "platform/Ui.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPixmap>
#include <QRadioButton>
#include <QVBoxLayout>

CChangeHatDlg::CChangeHatDlg(QWidget* parent)
    : CPropertyDialog(IDD_CHANGE_HAT, QStringLiteral("ハッチング作図属性変更"), parent)
{
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(MakeChoiceBox(QStringLiteral(" ハッチングパターン "),
                                 {{QStringLiteral("縦  線"), IDC_VERTICAL, [this] { OnPattern(0); }},
                                  {QStringLiteral("横  線"), IDC_VERTICAL + 1, [this] { OnPattern(1); }},
                                  {QStringLiteral("格  子"), IDC_VERTICAL + 2, [this] { OnPattern(2); }},
                                  {QStringLiteral("レンガ"), IDC_VERTICAL + 3, [this] { OnPattern(3); }}},
                                 m_patterns));
    Exchange().Radios({m_patterns[0], m_patterns[1], m_patterns[2], m_patterns[3]}, pattern);
    top->addWidget(MakePreviewBox(QStringLiteral(" 作図イメージ "), IDC_PREVIEW));
    layout->addLayout(top);

    // A spacing of 0 or less would give no lines at all (or endless ones).
    layout->addWidget(MakeNumberBox(
        QStringLiteral(" 間隔・角度 "),
        {{QStringLiteral("縦間隔（㎜）"), IDC_SPACING_Y, &spacingY, QStringLiteral("縦間隔が入力されていません！"),
          QStringLiteral("縦間隔の入力に誤りがあります！"), true},
         {QStringLiteral("横間隔（㎜）"), IDC_SPACING_X, &spacingX, QStringLiteral("横間隔が入力されていません！"),
          QStringLiteral("横間隔の入力に誤りがあります！"), true},
         {QStringLiteral("角   度"), IDC_ANGLE, &angle, QStringLiteral("角度が入力されていません！"),
          QStringLiteral("角度の入力に誤りがあります！")}}));

    auto* penBox = new QGroupBox(QStringLiteral(" ペン番号 "), this);
    auto* penRow = new QHBoxLayout(penBox);
    penRow->addWidget(MakePenList(IDC_PEN));
    penRow->addWidget(MakeColorButton(IDC_COLOR));
    layout->addWidget(penBox);
    layout->addLayout(MakeOkCancelRow(QStringLiteral("ｷｬﾝｾﾙ")));
}

bool CChangeHatDlg::OnInitDialog()
{
    if (pattern < 0 || pattern > 3)
        pattern = 0;
    return CPropertyDialog::OnInitDialog();
}

void CChangeHatDlg::OnPattern(int chosen)
{
    pattern = chosen;
    RepaintPreview();
}

void CChangeHatDlg::DrawPreview(platform::Dc& dc, const platform::Rect&)
{
    dc.SelectBrush(platform::Brush::Solid(platform::Rgb(255, 255, 255)));
    dc.Rectangle(15, 12, 87, 84);
    const auto line = [&dc](int x1, int y1, int x2, int y2) {
        dc.MoveTo(x1, y1);
        dc.LineTo(x2, y2);
    };
    if (pattern == 0 || pattern == 2)
        for (int x : {33, 51, 69})
            line(x, 12, x, 84);
    if (pattern == 1 || pattern == 2 || pattern == 3)
        for (int y : {30, 48, 66})
            line(15, y, 87, y);
    if (pattern == 3) {
        for (int x : {33, 69}) {
            line(x, 30, x, 48);
            line(x, 66, x, 84);
        }
        line(51, 12, 51, 30);
        line(51, 48, 51, 66);
    }
}

CChangePaintDlg::CChangePaintDlg(QWidget* parent)
    : CPropertyDialog(IDD_CHANGE_PAINT, QStringLiteral("塗りつぶし作図属性変更"), parent)
{
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* patternBox = new QGroupBox(QStringLiteral(" 塗りつぶしパターン "), this);
    auto* patternGrid = new QGridLayout(patternBox);
    for (int i = 0; i < 7; ++i) {
        auto* button = new QRadioButton(patternBox);
        platform::setControlId(button, IDC_SOLID + i);
        const QImage picture = COpePaintBox::PatternPicture(i);
        button->setIcon(QPixmap::fromImage(picture));
        button->setIconSize(picture.size());
        connect(button, &QRadioButton::clicked, this, [this, i] { pattern = i; });
        patternGrid->addWidget(button, i / 4, i % 4);
        m_patterns[i] = button;
    }
    Exchange().Radios({m_patterns, m_patterns + 7}, pattern);
    top->addWidget(patternBox);
    top->addWidget(MakePreviewBox(QStringLiteral(" 作図イメージ "), IDC_PREVIEW));
    layout->addLayout(top);

    auto* colours = new QHBoxLayout;
    auto* penBox = new QGroupBox(QStringLiteral(" ペン番号・塗りつぶし色 "), this);
    auto* penRow = new QHBoxLayout(penBox);
    penRow->addWidget(MakePenList(IDC_PEN));
    penRow->addWidget(MakeColorButton(IDC_FILL_COLOR));
    // The preview shows the fill colour, which a pen choice changes too.
    connect(PenList(), &QComboBox::currentIndexChanged, this, [this] { RepaintPreview(); });
    connect(platform::control<QPushButton>(this, IDC_FILL_COLOR), &QPushButton::clicked, this,
            [this] { RepaintPreview(); });
    colours->addWidget(penBox);
    auto* outlineBox = new QGroupBox(QStringLiteral("外枠色"), this);
    auto* outlineRow = new QHBoxLayout(outlineBox);
    m_outlineButton = MakeSwatchButton(IDC_OUTLINE_COLOR);
    connect(m_outlineButton, &QPushButton::clicked, this, &CChangePaintDlg::OnOutlineColorButton);
    outlineRow->addWidget(m_outlineButton);
    colours->addWidget(outlineBox);
    layout->addLayout(colours);
    layout->addLayout(MakeOkCancelRow(QStringLiteral("ｷｬﾝｾﾙ")));
}

bool CChangePaintDlg::OnInitDialog()
{
    CPropertyDialog::OnInitDialog();
    PaintOutlineButton();
    return true;
}

void CChangePaintDlg::OnOutlineColorButton()
{
    const std::optional<std::uint32_t> chosen = platform::chooseColor(0, CustomColors, this);
    if (!chosen)
        return;
    outlineColour = *chosen;
    PaintOutlineButton();
}

void CChangePaintDlg::PaintOutlineButton()
{
    m_outlineShown = outlineColour;
    PaintButton(m_outlineButton, outlineColour);
}

void CChangePaintDlg::DrawPreview(platform::Dc& dc, const platform::Rect& r)
{
    dc.SelectBrush(platform::Brush::Solid(colour));
    dc.Rectangle(r.left + 10, r.top + 10, r.right - 10, r.bottom - 10);
}
