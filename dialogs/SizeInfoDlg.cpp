#include "dialogs/SizeInfoDlg.h"

#include "dialogs/LineComboBox.h"
#include "dialogs/PenComboBox.h"

#include "model/ParameterBlock.h"
#include "model/Settings.h"
#include "platform/Controls.h"
#include "platform/Ui.h"
#include "resources/Resource.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <fstream>

namespace {

constexpr int kScaleReadout = 1031;
constexpr int kLineTypeList = 1118;
constexpr int kPenList = 1402;
constexpr int kColorButton = 1222;

QColor FromColorRef(uint32_t c)
{
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

} // namespace

CSizeInfoDlg::CSizeInfoDlg(QWidget* parent) : CDialog(IDD_SIZEINFO, parent)
{
    setWindowFlags(Qt::Widget);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->setSpacing(4);

    m_scale = new QLabel(this);
    platform::setControlId(m_scale, kScaleReadout);
    m_scale->setAutoFillBackground(true);
    QPalette pal = m_scale->palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::black);
    m_scale->setPalette(pal);
    m_scale->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QFont font(QStringLiteral("ＭＳゴシック"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(16);
    m_scale->setFont(font);
    m_scale->setIndent(6);
    m_scale->setMinimumWidth(80);
    layout->addWidget(m_scale);

    auto* lineList = new CLineComboBox(this);
    m_lineCombo = lineList;
    platform::setControlId(m_lineCombo, kLineTypeList);
    m_lineCombo->setMinimumWidth(64);
    layout->addWidget(m_lineCombo);

    m_penCombo = new CPenComboBox(this);
    platform::setControlId(m_penCombo, kPenList);
    m_penCombo->setMinimumWidth(104);  // room for "Pen №8" beside the arrow
    layout->addWidget(m_penCombo);

    m_colorButton = new QPushButton(this);
    platform::setControlId(m_colorButton, kColorButton);
    m_colorButton->setFixedSize(36, 22);
    m_colorButton->setIconSize(QSize(28, 14));
    layout->addWidget(m_colorButton);

    // The lists are filled at once so the document can reach them before the
    // panel is first shown.
    lineList->FillEntityLineTypes();
    m_lineCombo->setCurrentIndex(0);
    LoadPenColors();
    RefillPens();
    m_penCombo->setCurrentIndex(0);
    m_swatch = QPixmap(m_colorButton->iconSize());
    PaintColorSwatch(CurrentColor);
    OnPaint();

    connect(m_lineCombo, &QComboBox::activated, this, &CSizeInfoDlg::OnSelchangeLineType);
    connect(m_penCombo, &QComboBox::activated, this, &CSizeInfoDlg::OnSelchangePen);
    connect(m_colorButton, &QPushButton::clicked, this, &CSizeInfoDlg::OnColorButton);
}

bool CSizeInfoDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    PaintColorSwatch(CurrentColor);
    OnPaint();
    return true;
}

bool CSizeInfoDlg::LoadPenColors()
{
    std::ifstream in(ParameterFilePath(DataFolder), std::ios::binary);
    if (!in) {
        return false;
    }
    char bytes[CParameterBlock::Size] = {};
    in.read(bytes, sizeof bytes);
    // A file too short to hold the pen colours leaves them as they are.
    if (in.gcount() < 164) {
        return false;
    }
    for (int i = 0; i < 8; ++i) {
        const auto* b = reinterpret_cast<const unsigned char*>(bytes + 132 + 4 * i);
        PenColors[i] = static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                       static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24;
    }
    CurrentColor = PenColors[0];
    return true;
}

void CSizeInfoDlg::RefillPens()
{
    m_penCombo->FillFromPenColors();
}

void CSizeInfoDlg::FillPenCombo()
{
    RefillPens();
    const int pen = CurrentPen >= 0 && CurrentPen < 8 ? CurrentPen : 0;
    m_penCombo->setCurrentIndex(pen);
    CurrentColor = PenColors[pen];
    PaintColorSwatch(CurrentColor);
}

void CSizeInfoDlg::ReloadPenColors()
{
    LoadPenColors();
    RefillPens();
    m_penCombo->setCurrentIndex(0);
    CurrentPen = 0;
    CurrentColor = PenColors[0];
    PaintColorSwatch(CurrentColor);
}

void CSizeInfoDlg::OnSelchangeLineType(int position)
{
    if (position >= 0) {
        CurrentLineType = static_cast<int16_t>(position);
    }
}

void CSizeInfoDlg::OnSelchangePen(int position)
{
    if (position < 0 || position > 7) {
        return;
    }
    CurrentPen = static_cast<int16_t>(position);
    CurrentColor = PenColors[position];
    PaintColorSwatch(CurrentColor);
}

void CSizeInfoDlg::OnColorButton()
{
    const std::optional<uint32_t> chosen = platform::chooseColor(0, this);
    if (!chosen) {
        return;
    }
    CurrentColor = *chosen;
    PaintColorSwatch(CurrentColor);
    const int pen = CurrentPen >= 0 && CurrentPen < 8 ? CurrentPen : 0;
    PenColors[pen] = *chosen;
    RefillPens();
    m_penCombo->setCurrentIndex(pen);
}

void CSizeInfoDlg::PaintColorSwatch(uint32_t colour)
{
    m_swatchColor = colour;
    m_swatch.fill(FromColorRef(colour));
    m_colorButton->setIcon(QIcon(m_swatch));
    m_colorButton->repaint();
}

QString CSizeInfoDlg::ScaleText() const
{
    return m_scale->text();
}

void CSizeInfoDlg::OnPaint()
{
    m_scale->setText(QString::asprintf("1/%d", ScaleDenominator));
    m_scale->repaint();
}
