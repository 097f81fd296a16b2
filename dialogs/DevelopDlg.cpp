#include "dialogs/DevelopDlg.h"

#include "model/DefaultPalette.h"
#include "platform/Controls.h"
#include "platform/Dc.h"
#include "platform/PainterDc.h"
#include "platform/Places.h"
#include "platform/Ui.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QVBoxLayout>

#include <charconv>
#include <string>

namespace {

const QString Section = QStringLiteral("Develop");

QString Key(int i)
{
    return QStringLiteral("Edit%1").arg(i + 1, 2, 10, QLatin1Char('0'));
}

// The labels of each kind's fields; an empty label hides the field.
const char* const Labels[3][7] = {
    {"半　径 [mm]", "高さ１ [mm]", "高さ２ [mm]", "曲線点列数", "", "", ""},
    {"長さ１ [mm]", "長さ２ [mm]", "高さ１ [mm]", "高さ２ [mm]", "半　径 [mm]", "曲線点列数", ""},
    {"半　径 [mm]", "高さ１ [mm]", "高さ２ [mm]", "角　度", "曲線点列数", "", ""},
};

// The fields of each kind that must be above zero: a zero there leaves
// nothing to develop or divides by zero (the radius, the sides, the apex).
const bool MustBePositive[3][7] = {
    {true, false, false, false, false, false, false},
    {true, true, false, false, false, false, false},
    {true, true, false, false, false, false, false},
};

COLORREF PaletteColour(int index)
{
    return DefaultPalette[index];
}

// Reads a field as the dialog takes it: at most its first 10 characters,
// only digits, "." and "-", then the number at the front of the text. A
// text with no number in front ("." or "-" alone) is no value.
std::optional<float> ReadField(const QString& text)
{
    const QString head = text.left(10);
    if (head.isEmpty())
        return std::nullopt;
    for (QChar c : head)
        if (!(c.isDigit() && c.unicode() < 128) && c != u'.' && c != u'-')
            return std::nullopt;
    const std::string s = head.toStdString();
    float value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end == s.data())
        return std::nullopt;
    return value;
}

class SketchFrame : public QWidget {
public:
    SketchFrame(QWidget* parent, const int& kind) : QWidget(parent), kind_(kind) { setFixedSize(200, 200); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QImage image(size(), QImage::Format_RGB32);
        image.fill(palette().color(QPalette::Window));
        {
            platform::PainterDc dc(image);
            DrawDevelopSketch(dc, kind_, width(), height());
        }
        QPainter painter(this);
        painter.drawImage(0, 0, image);
    }

private:
    const int& kind_;
};

} // namespace

void DrawDevelopSketch(platform::Dc& dc, int kind, int width, int height)
{
    using platform::Brush;
    using platform::Pen;
    using platform::PenStyle;
    const COLORREF back = PaletteColour(19), dim = PaletteColour(11);
    dc.SelectPen(Pen::Make(PenStyle::Solid, 1, back));
    dc.SelectBrush(Brush::Solid(back));
    dc.Rectangle(1, 1, width - 1, height - 1);
    dc.SelectBrush(Brush::NullBrush());

    const Pen outline = Pen::Make(PenStyle::Solid, 1, platform::Rgb(0, 0, 0));
    const Pen dimension = Pen::Make(PenStyle::Solid, 1, dim);
    const auto line = [&](int x1, int y1, int x2, int y2) {
        dc.MoveTo(x1, y1);
        dc.LineTo(x2, y2);
    };
    const auto poly = [&](std::initializer_list<platform::Point> points) {
        dc.SelectPen(outline);
        dc.Polyline(std::vector<platform::Point>(points));
    };
    // A vertical dimension line at x from y1 to y2 with a tick across each
    // end (or only at the lower end).
    const auto vertical = [&](int x, int y1, int y2, bool upperTick = true) {
        dc.SelectPen(dimension);
        line(x, y1, x, y2);
        if (upperTick)
            line(x - 3, y1, x + 3, y1);
        line(x - 3, y2, x + 3, y2);
    };
    const auto horizontal = [&](int y, int x1, int x2) {
        dc.SelectPen(dimension);
        line(x1, y, x2, y);
        line(x1, y - 3, x1, y + 3);
        line(x2, y - 3, x2, y + 3);
    };
    platform::Font font;
    font.height = 13;
    font.width = 7;
    font.charSet = 128;
    font.pitchAndFamily = 1;
    font.face = QStringLiteral("ＭＳゴシック");
    dc.SelectFont(font);
    dc.SetTextColor(dim);
    dc.SetBkMode(platform::BkMode::Transparent);
    const auto label = [&](int x, int y, const char* text) { dc.TextOut(x, y, QString::fromUtf8(text)); };
    // A label written downwards one character under the other.
    const auto column = [&](int x, int y, const char* a, const char* b, const char* c) {
        label(x, y, a);
        label(x, y + 14, b);
        label(x, y + 28, c);
    };

    switch (kind) {
    case 0:
        dc.SelectPen(outline);
        dc.Ellipse(60, 110, 140, 190);
        poly({{60, 95}, {140, 95}, {140, 15}, {60, 55}, {60, 95}});
        dc.SelectPen(dimension);
        line(100, 150, 140, 150);
        label(105, 135, "半径");
        vertical(160, 15, 95);
        column(165, 35, "高", "さ", "２");
        vertical(40, 55, 95);
        column(20, 55, "高", "さ", "１");
        break;
    case 1:
        dc.SelectPen(outline);
        dc.RoundRect(50, 120, 150, 190, 30, 30);
        poly({{50, 82}, {150, 82}, {150, 12}, {50, 47}, {50, 82}});
        vertical(170, 12, 82);
        column(175, 32, "高", "さ", "２");
        vertical(30, 47, 82);
        column(10, 47, "高", "さ", "１");
        dc.SelectPen(dimension);
        line(130, 170, 145, 185);
        label(115, 155, "半径");
        vertical(30, 120, 190);
        column(10, 130, "長", "さ", "２");
        horizontal(110, 50, 150);
        label(80, 95, "長さ１");
        break;
    case 2:
        dc.SelectPen(outline);
        dc.Ellipse(60, 110, 140, 190);
        poly({{60, 95}, {140, 95}, {100, 15}, {60, 95}});
        dc.SelectPen(dimension);
        line(100, 150, 140, 150);
        label(105, 135, "半径");
        vertical(160, 55, 95, false);
        line(100, 55, 163, 55);
        column(165, 55, "高", "さ", "２");
        vertical(40, 15, 95);
        column(20, 35, "高", "さ", "１");
        dc.SelectPen(Pen::Make(PenStyle::Dot, 1, PaletteColour(16)));
        line(60, 70, 160, 30);
        break;
    default:
        break;
    }
}

CDevelopDlg::CDevelopDlg(QWidget* parent) : CDialog(IDD_DEVELOP, parent)
{
    setWindowTitle(QStringLiteral("展開図"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    m_sketch = new SketchFrame(this, DevelopKind);
    platform::setControlId(m_sketch, IDC_SKETCH);
    top->addWidget(m_sketch, 0, Qt::AlignTop);
    auto* grid = new QGridLayout;
    for (int i = 0; i < 7; ++i) {
        auto* label = new QLabel(this);
        platform::setControlId(label, LabelIds[static_cast<std::size_t>(i)]);
        auto* edit = new QLineEdit(this);
        platform::setControlId(edit, IDC_FIELD1 + i);
        edit->setFixedWidth(80);
        grid->addWidget(label, i, 0);
        grid->addWidget(edit, i, 1);
        m_labels[static_cast<std::size_t>(i)] = label;
        m_fields[static_cast<std::size_t>(i)] = edit;
        Exchange().Text(edit, FieldText[static_cast<std::size_t>(i)]);
    }
    grid->setRowStretch(7, 1);
    top->addLayout(grid);
    layout->addLayout(top);
    layout->addLayout(MakeOkCancelRow(QStringLiteral("実　行"), QStringLiteral("ｷｬﾝｾﾙ")));
}

int CDevelopDlg::FieldCount(int kind)
{
    switch (kind) {
    case 0:
        return 4;
    case 1:
        return 6;
    case 2:
        return 5;
    default:
        return 0;
    }
}

bool CDevelopDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (int i = 0; i < 7; ++i)
        FieldText[static_cast<std::size_t>(i)] = platform::profileString(Section, Key(i));
    SetupForType(DevelopKind);
    return true;
}

void CDevelopDlg::SetupForType(int kind)
{
    const int k = kind >= 0 && kind <= 2 ? kind : 0;
    for (std::size_t i = 0; i < 7; ++i) {
        LabelText[i] = QString::fromUtf8(Labels[k][i]);
        const bool used = !LabelText[i].isEmpty();
        m_labels[i]->setText(LabelText[i]);
        m_labels[i]->setVisible(used);
        m_fields[i]->setVisible(used);
    }
    UpdateData(false);
    m_sketch->update();
}

int CDevelopDlg::Validate()
{
    if (!UpdateData(true))
        return -2;
    const int kind = DevelopKind >= 0 && DevelopKind <= 2 ? DevelopKind : 0;
    const int count = FieldCount(kind);
    for (int i = 0; i < count; ++i) {
        const auto n = static_cast<std::size_t>(i);
        const std::optional<float> value = ReadField(FieldText[n]);
        if (!value || *value < 0)
            return i;
        if (MustBePositive[kind][i] && *value == 0) {
            platform::messageBox(QStringLiteral("%1には 0 より大きい値を入力して下さい。")
                                     .arg(LabelText[n].section(u' ', 0, 0).remove(u'　')),
                                 QString(), MB_OK | MB_ICONEXCLAMATION, this);
            return i;
        }
        FieldValue[n] = *value;
        platform::writeProfileString(Section, Key(i), FieldText[n].left(10));
    }
    if (kind == 1 && (FieldValue[4] > FieldValue[0] / 2 || FieldValue[4] > FieldValue[1] / 2)) {
        platform::messageBox(QStringLiteral("半径の値に誤りがあります。、（長さ/２より大きいです）"), QString(),
                             MB_OK, this);
        return 4;
    }
    if (kind == 2 && FieldValue[2] > FieldValue[1]) {
        platform::messageBox(QStringLiteral("高さ２が高さ１より高いです。"), QString(), MB_OK, this);
        return 1;
    }
    return -1;
}

void CDevelopDlg::OnOK()
{
    const int failed = Validate();
    if (failed == -1) {
        EndDialog(IDOK);
        return;
    }
    if (failed >= 0)
        m_fields[static_cast<std::size_t>(failed)]->setFocus();
}
