#include "dialogs/QuantizeDlg.h"

#include "platform/Controls.h"
#include "platform/Dc.h"
#include "platform/PainterDc.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QPainter>
#include <QRadioButton>
#include <QVBoxLayout>

#include <functional>

namespace {

// The sample static: paints through the dialog's DrawSample.
class SampleBox : public QWidget {
public:
    SampleBox(QWidget* parent, std::function<void(platform::Dc&, const platform::Rect&)> paint)
        : QWidget(parent), paint_(std::move(paint))
    {
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QImage image(size(), QImage::Format_RGB32);
        image.fill(palette().color(QPalette::Window));
        {
            platform::PainterDc dc(image);
            paint_(dc, platform::Rect{0, 0, width(), height()});
        }
        QPainter painter(this);
        painter.drawImage(0, 0, image);
    }

private:
    std::function<void(platform::Dc&, const platform::Rect&)> paint_;
};

} // namespace

CQuantizeDlg::CQuantizeDlg(QWidget* parent) : CDialog(IDD_QUANTIZE, parent)
{
    setWindowTitle(QStringLiteral("クォンタイズ処理"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* choices = new QVBoxLayout;

    auto* digitsBox = new QGroupBox(QStringLiteral("少数点桁"), this);
    auto* digitsLayout = new QVBoxLayout(digitsBox);
    m_digits = new QComboBox(digitsBox);
    platform::setControlId(m_digits, IDC_DIGITS);
    for (const char* item : {" 少数部なし", " 第１位 ", " 第２位", " 第３位", " 第４位", " 第５位"})
        m_digits->addItem(QString::fromUtf8(item));
    digitsLayout->addWidget(m_digits);
    choices->addWidget(digitsBox);

    auto* modeBox = new QGroupBox(QStringLiteral(" 処理 "), this);
    auto* modeLayout = new QVBoxLayout(modeBox);
    m_round = new QRadioButton(QStringLiteral("四捨五入"), modeBox);
    platform::setControlId(m_round, IDC_ROUND);
    m_truncate = new QRadioButton(QStringLiteral("切捨て"), modeBox);
    platform::setControlId(m_truncate, IDC_TRUNCATE);
    modeLayout->addWidget(m_round);
    modeLayout->addWidget(m_truncate);
    choices->addWidget(modeBox);
    top->addLayout(choices);

    m_sample = new SampleBox(this, [this](platform::Dc& dc, const platform::Rect& r) { DrawSample(dc, r); });
    platform::setControlId(m_sample, IDC_SAMPLE);
    m_sample->setFixedSize(130, 90);
    top->addWidget(m_sample);
    layout->addLayout(top);
    layout->addLayout(MakeOkCancelRow(QStringLiteral("実　行"), QStringLiteral("ｷｬﾝｾﾙ")));

    Exchange().List(m_digits, digits, 0);
    Exchange().Radios({m_round, m_truncate}, mode);

    connect(m_round, &QRadioButton::clicked, this, [this] { OnRound(); });
    connect(m_truncate, &QRadioButton::clicked, this, [this] { OnTruncate(); });
    connect(m_digits, &QComboBox::currentIndexChanged, this, [this] { OnSelchangeDigits(); });
}

bool CQuantizeDlg::OnInitDialog()
{
    if (mode != 0 && mode != 1)
        mode = 0;
    // Showing the members is no choice of the user's.
    const QSignalBlocker quiet(m_digits);
    CDialog::OnInitDialog();
    return true;
}

QString CQuantizeDlg::SampleResult(int digits, int mode)
{
    static const char* const rounded[6] = {"     100",    "    100.1",   "    100.12",
                                           "   100.123",  "   100.1235", "  100.12346"};
    static const char* const truncated[6] = {"     100",   "    100.1",   "    100.12",
                                             "   100.123", "   100.1234", "  100.12345"};
    if (digits < 0 || digits > 5)
        return {};
    return QString::fromLatin1(mode == 1 ? truncated[digits] : rounded[digits]);
}

void CQuantizeDlg::DrawSample(platform::Dc& dc, const platform::Rect& client) const
{
    const auto white = platform::Rgb(255, 255, 255), black = platform::Rgb(0, 0, 0);
    const platform::Pen oldPen = dc.SelectPen(platform::Pen::Make(platform::PenStyle::Solid, 1, white));
    const platform::Brush oldBrush = dc.SelectBrush(platform::Brush::Solid(white));
    dc.Rectangle(client.left + 1, client.top + 1, client.right - 1, client.bottom - 1);
    const auto oldText = dc.SetTextColor(black);
    const auto oldBack = dc.SetBkColor(white);
    dc.TextOut(10, 15, QStringLiteral("100.12345678"));
    dc.TextOut(50, 40, QStringLiteral("↓"));
    const QString result = SampleResult(digits, mode);
    if (!result.isEmpty())
        dc.TextOut(10, 65, result);
    dc.SetBkColor(oldBack);
    dc.SetTextColor(oldText);
    dc.SelectBrush(oldBrush);
    dc.SelectPen(oldPen);
}

void CQuantizeDlg::RepaintSample()
{
    m_sample->repaint();
}

void CQuantizeDlg::OnRound()
{
    mode = 0;
    RepaintSample();
}

void CQuantizeDlg::OnTruncate()
{
    mode = 1;
    RepaintSample();
}

void CQuantizeDlg::OnSelchangeDigits()
{
    if (UpdateData(true))
        RepaintSample();
}
