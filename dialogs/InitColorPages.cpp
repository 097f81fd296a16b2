// The two settings pages with colour buttons: the screen colours and the pens.

#include "dialogs/InitPages.h"

#include "dialogs/PropertyDialog.h"
#include "platform/Controls.h"
#include "platform/Dc.h"
#include "platform/Ui.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr QSize ColourButtonSize{64, 24};
constexpr QSize ColourPictureSize{ColourButtonSize.width() - 10, ColourButtonSize.height() - 10};

} // namespace

CColorButtonPage::CColorButtonPage(unsigned resourceId, std::array<COLORREF, 8> CParameterBlock::*colours,
                                   QWidget* parent)
    : CInitPage(resourceId, parent), m_colours(Carry(colours))
{
}

QPushButton* CColorButtonPage::MakeColourButton(int k, int id)
{
    QPushButton* button = AddButton(QString(), id);
    button->setFixedSize(ColourButtonSize);
    button->setIconSize(ColourPictureSize);
    m_buttons[std::size_t(k)] = button;
    connect(button, &QPushButton::clicked, this, [this, k] { OnColourButton(k); });
    return button;
}

void CColorButtonPage::OnInitDialog()
{
    for (int k = 0; k < 8; ++k)
        PaintColorButton(k, m_colours[std::size_t(k)]);
}

void CColorButtonPage::Refresh()
{
    CInitPage::Refresh();
    OnInitDialog();
}

void CColorButtonPage::PaintColorButton(int k, COLORREF colour)
{
    QPushButton* button = m_buttons[std::size_t(k)];
    if (!button)
        return;
    QPixmap picture(ColourPictureSize);
    picture.fill(QColor(platform::RedOf(colour), platform::GreenOf(colour), platform::BlueOf(colour)));
    button->setIcon(QIcon(picture));
    button->repaint();
}

COLORREF CColorButtonPage::ButtonColour(int k) const
{
    const QPushButton* button = m_buttons[std::size_t(k)];
    if (!button || button->icon().isNull())
        return 0;
    const QColor c = button->icon().pixmap(ColourPictureSize).toImage().pixelColor(ColourPictureSize.width() / 2,
                                                                                   ColourPictureSize.height() / 2);
    return platform::Rgb(c.red(), c.green(), c.blue());
}

void CColorButtonPage::OnColourButton(int k)
{
    const std::optional<std::uint32_t> chosen = platform::chooseColor(0, CustomColors, this);
    if (!chosen)
        return;
    m_colours[std::size_t(k)] = *chosen;
    PaintColorButton(k, *chosen);
}

// ---- screen colours ------------------------------------------------------------------

CInitColorDlg::CInitColorDlg(QWidget* parent)
    : CColorButtonPage(IDD, &CParameterBlock::ScreenColors, parent)
{
    auto* layout = new QGridLayout(this);
    const char* names[8] = {"背景色", "グリッド", "ハイライト", "指示線", "強調色", "拡大範囲線", "出力範囲線", "レイヤーオフ"};
    for (int k = 0; k < 8; ++k) {
        auto* box = new QGroupBox(QString::fromUtf8(names[k]), this);
        auto* boxLayout = new QVBoxLayout(box);
        boxLayout->addWidget(MakeColourButton(k, IDC_COLOUR[std::size_t(k)]), 0, Qt::AlignCenter);
        layout->addWidget(box, k / 4, k % 4);
    }
}

// ---- pens -----------------------------------------------------------------------------------

CInitPenDlg::CInitPenDlg(QWidget* parent) : CColorButtonPage(IDD, &CParameterBlock::PenColors, parent)
{
    auto& widths = Carry(&CParameterBlock::PenWidths);
    auto* layout = new QGridLayout(this);
    layout->addWidget(AddLabel(QStringLiteral("ペン")), 0, 0);
    layout->addWidget(AddLabel(QStringLiteral("色")), 0, 1);
    layout->addWidget(AddLabel(QStringLiteral("太さ (㎜)")), 0, 2);
    for (int k = 0; k < 8; ++k) {
        QLineEdit* edit = AddEdit(IDC_WIDTH[std::size_t(k)]);
        edit->setMaximumWidth(70);
        layout->addWidget(AddLabel(QString::number(k + 1)), k + 1, 0);
        layout->addWidget(MakeColourButton(k, IDC_COLOUR[std::size_t(k)]), k + 1, 1);
        layout->addWidget(edit, k + 1, 2);
        Real(edit, widths[std::size_t(k)], std::pair{0.0, 99.0});
    }
}
