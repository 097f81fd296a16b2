#include "dialogs/SunpouKousaDlg.h"

#include "model/Notify.h"
#include "model/Settings.h"
#include "platform/Controls.h"
#include "platform/PainterDc.h"

#include <QComboBox>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QVBoxLayout>

#include <charconv>

namespace {

constexpr const char* TypeLabels[7] = {
    " タイプ１　±横付け",       " タイプ２　±上付け",       " タイプ３　上下（+）（+）", " タイプ４　上下（+）（0）",
    " タイプ５　上下（0）（-）", " タイプ６　上下（-）（-）", " タイプ７　上下（+）（-）",
};

// A tolerance value as the dialog shows it: the shortest text that reads
// back as the same number.
QString FormatTolerance(double value)
{
    char text[64];
    std::to_chars_result r = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    if (r.ec != std::errc() || r.ptr - text > 16)
        r = std::to_chars(text, text + sizeof text, value);
    return QString::fromLatin1(text, r.ec == std::errc() ? int(r.ptr - text) : 0);
}

class TolerancePreview : public QWidget {
public:
    TolerancePreview(QWidget* parent, const int& position) : QWidget(parent), position_(position) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QImage image(size(), QImage::Format_RGB32);
        image.fill(palette().color(QPalette::Window));
        {
            platform::PainterDc dc(image);
            CSunpouKousaDlg::DrawPreview(dc, platform::Rect{0, 0, width(), height()}, position_);
        }
        QPainter painter(this);
        painter.drawImage(0, 0, image);
    }

private:
    const int& position_;
};

platform::Font PreviewFont(int height, int width)
{
    platform::Font font;
    font.height = height;
    font.width = width;
    font.charSet = 128;
    font.pitchAndFamily = 1;
    font.face = QStringLiteral("ＭＳゴシック");
    return font;
}

} // namespace

CSunpouKousaDlg::CSunpouKousaDlg(QWidget* parent) : CDialog(IDD, parent)
{
    setWindowTitle(QStringLiteral("寸法公差設定"));
    auto* layout = new QVBoxLayout(this);
    m_listType = new QComboBox(this);
    platform::setControlId(m_listType, IDC_TYPE);
    for (const char* label : TypeLabels)
        m_listType->addItem(QString::fromUtf8(label));
    layout->addWidget(m_listType);

    auto* values = new QGridLayout;
    auto* edit1 = new QLineEdit(this);
    auto* edit2 = new QLineEdit(this);
    platform::setControlId(edit1, IDC_VALUE1);
    platform::setControlId(edit2, IDC_VALUE2);
    values->addWidget(new QLabel(QStringLiteral("公差値１"), this), 0, 0);
    values->addWidget(edit1, 0, 1);
    values->addWidget(new QLabel(QStringLiteral("公差値２"), this), 1, 0);
    values->addWidget(edit2, 1, 1);
    layout->addLayout(values);

    m_preview = new TolerancePreview(this, TypeIndex);
    platform::setControlId(m_preview, IDC_PREVIEW);
    m_preview->setFixedSize(200, 100);
    layout->addWidget(m_preview, 0, Qt::AlignHCenter);
    layout->addLayout(MakeOkCancelRow(QStringLiteral("設　定"), QStringLiteral("ｷｬﾝｾﾙ")));

    Exchange().List(m_listType, TypeIndex, 0);
    platform::DataExchange::NumberRule rule;
    rule.format = FormatTolerance;
    Exchange().Number(edit1, Value1, rule).Exclaiming();
    Exchange().Number(edit2, Value2, rule).Exclaiming();

    connect(m_listType, &QComboBox::activated, this, &CSunpouKousaDlg::OnSelchangeType);
}

void CSunpouKousaDlg::SeedFromSettings()
{
    Values1 = ToleranceValue1;
    Values2 = ToleranceValue2;
    const int type = DimToleranceType;
    // A type outside 1-7 shows the first one.
    const int slot = type >= 1 && type <= 7 ? type - 1 : 0;
    TypeIndex = PositionOfType(slot + 1);
    Value1 = Values1[std::size_t(slot)];
    Value2 = Values2[std::size_t(slot)];
}

void CSunpouKousaDlg::OnSelchangeType(int)
{
    const int oldSlot = SlotOfPosition(TypeIndex);
    if (!UpdateData(true)) {
        // The change is not made: the list goes back to the values shown.
        m_listType->setCurrentIndex(TypeIndex);
        return;
    }
    Values1[std::size_t(oldSlot)] = Value1;
    Values2[std::size_t(oldSlot)] = Value2;
    if (TypeIndex < 0 || TypeIndex > 6)
        TypeIndex = 0;
    const int newSlot = SlotOfPosition(TypeIndex);
    Value1 = Values1[std::size_t(newSlot)];
    Value2 = Values2[std::size_t(newSlot)];
    UpdateData(false);
    m_preview->repaint();
}

void CSunpouKousaDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    if (TypeIndex < 0 || TypeIndex > 6)
        TypeIndex = 0;
    const int slot = SlotOfPosition(TypeIndex);
    Values1[std::size_t(slot)] = Value1;
    Values2[std::size_t(slot)] = Value2;
    ToleranceValue1 = Values1;
    ToleranceValue2 = Values2;
    EndDialog(IDOK);
}

void CSunpouKousaDlg::DrawPreview(platform::Dc& dc, const platform::Rect& client, int position)
{
    const platform::Pen white = platform::Pen::Make(platform::PenStyle::Solid, 1, platform::Rgb(255, 255, 255));
    const platform::Pen black = platform::Pen::Make(platform::PenStyle::Solid, 1, platform::Rgb(0, 0, 0));
    const platform::Pen oldPen = dc.SelectPen(white);
    const platform::Brush oldBrush = dc.SelectBrush(platform::Brush::Solid(platform::Rgb(255, 255, 255)));
    dc.Rectangle(client.left + 1, client.top + 1, client.right - 1, client.bottom - 1);

    dc.SelectPen(black);
    dc.SelectBrush(platform::Brush::Solid(platform::Rgb(0, 0, 0)));
    const int cx = client.right / 2;
    const int cy = client.bottom / 2;
    dc.MoveTo(cx - 50, cy + 20);
    dc.LineTo(cx + 50, cy + 20);
    dc.MoveTo(cx - 50, cy - 40);
    dc.LineTo(cx - 50, cy + 40);
    dc.MoveTo(cx + 50, cy - 40);
    dc.LineTo(cx + 50, cy + 40);

    const platform::BkMode oldMode = dc.SetBkMode(platform::BkMode::Transparent);
    const platform::Font oldFont = dc.SelectFont(PreviewFont(14, 7));
    if (position <= 0) {
        dc.TextOut(cx - 30, cy, QStringLiteral("123"));
        dc.TextOut(cx - 8, cy, QStringLiteral("±0.2"));
    } else {
        struct Tolerance {
            const char* upper;
            const char* lower;
        };
        static constexpr Tolerance Texts[7] = {
            {"", nullptr},          {"±0.2", nullptr},      {"＋0.2", "＋0.2"}, {"＋0.2", " 0"},
            {" 0", "－0.2"},        {"－0.2", "－0.2"},     {"＋0.2", "－0.2"},
        };
        const Tolerance& t = Texts[position > 6 ? 6 : position];
        dc.TextOut(cx - 26, cy, QStringLiteral("123"));
        dc.SelectFont(PreviewFont(10, 5));
        dc.TextOut(cx - 4, cy - 4, QString::fromUtf8(t.upper));
        if (t.lower)
            dc.TextOut(cx - 4, cy + 5, QString::fromUtf8(t.lower));
    }
    dc.SelectFont(oldFont);
    dc.SetBkMode(oldMode);
    dc.SelectPen(oldPen);
    dc.SelectBrush(oldBrush);
}
