#include "dialogs/PropertyDialog.h"

#include "model/Settings.h"
#include "platform/Controls.h"
#include "platform/PainterDc.h"
#include "platform/Ui.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QComboBox>
#include <QLineEdit>

std::array<COLORREF, 16> CustomColors = [] {
    std::array<COLORREF, 16> colours;
    colours.fill(platform::Rgb(255, 255, 255));
    return colours;
}();

namespace {

// The preview static: white one pixel inside its client rectangle, then the dialog's sketch in a black one-pixel pen.
class PreviewBox : public QWidget {
public:
    PreviewBox(QWidget* parent, std::function<void(platform::Dc&, const platform::Rect&)> sketch)
        : QWidget(parent), sketch_(std::move(sketch))
    {
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QImage image(size(), QImage::Format_RGB32);
        image.fill(palette().color(QPalette::Window));
        {
            platform::PainterDc dc(image);
            const platform::Rect r{1, 1, width() - 1, height() - 1};
            dc.FillRect(r, platform::Brush::Solid(platform::Rgb(255, 255, 255)));
            dc.SelectPen(platform::Pen::Make(platform::PenStyle::Solid, 1, platform::Rgb(0, 0, 0)));
            dc.SelectBrush(platform::Brush::NullBrush());
            sketch_(dc, r);
        }
        QPainter painter(this);
        painter.drawImage(0, 0, image);
    }

private:
    std::function<void(platform::Dc&, const platform::Rect&)> sketch_;
};

} // namespace

CPropertyDialog::CPropertyDialog(unsigned resourceId, const QString& caption, QWidget* parent)
    : CDialog(resourceId, parent)
{
    setWindowTitle(caption);
}

CPenComboBox* CPropertyDialog::MakePenList(int id)
{
    m_penList = new CPenComboBox(this);
    platform::setControlId(m_penList, id);
    m_penList->FillFromPenColors();
    m_penList->setCurrentIndex(-1);
    connect(m_penList, &QComboBox::currentIndexChanged, this, &CPropertyDialog::OnSelchangePen);
    platform::DataExchange::Field shown;
    shown.control = m_penList;
    shown.load = [this] { ShowPenAndColour(); };
    Exchange().Add(std::move(shown));
    return m_penList;
}

CLineComboBox* CPropertyDialog::MakeLineTypeList(int id)
{
    m_lineList = new CLineComboBox(this);
    platform::setControlId(m_lineList, id);
    m_lineList->FillEntityLineTypes();
    connect(m_lineList, &QComboBox::currentIndexChanged, this, &CPropertyDialog::OnSelchangeLineType);
    return m_lineList;
}

QGroupBox* CPropertyDialog::MakePreviewBox(const QString& caption, int id, int width, int height)
{
    auto* previewBox = new QGroupBox(caption, this);
    auto* previewLayout = new QVBoxLayout(previewBox);
    previewLayout->addWidget(MakePreview(id, width, height));
    return previewBox;
}

QGroupBox* CPropertyDialog::MakeNumberBox(const QString& caption, std::initializer_list<NumberRow> rows,
                                          QLineEdit** edits, QLabel** labels)
{
    auto* box = new QGroupBox(caption, this);
    auto* grid = new QGridLayout(box);
    int i = 0;
    for (const NumberRow& row : rows) {
        auto* label = new QLabel(row.label, box);
        if (row.labelId != 0)
            platform::setControlId(label, row.labelId);
        QLineEdit* edit = MakeNumericEdit(box, row.id, row.maxLength);
        grid->addWidget(label, i, 0);
        grid->addWidget(edit, i, 1);
        Exchange().Number(edit, *row.member, PropertyFieldRule(row.emptyMessage, row.badMessage, row.positive));
        if (edits)
            edits[i] = edit;
        if (labels)
            labels[i] = label;
        ++i;
    }
    return box;
}

QGroupBox* CPropertyDialog::MakeAngleBox(const QString& caption, std::function<bool()> inUse, int startId,
                                         double& start, int endId, double& end, int endMaxLength, QLineEdit** edits)
{
    Exchange().Section(std::move(inUse));
    return MakeNumberBox(caption,
                         {{QStringLiteral("開始角度"), startId, &start, QStringLiteral("開始角度値が入力されていません！"),
                           QStringLiteral("開始角度の入力に誤りがあります！")},
                          {QStringLiteral("終了角度"), endId, &end, QStringLiteral("終了角度値が入力されていません！"),
                           QStringLiteral("終了角度の入力に誤りがあります！"), false, endMaxLength}},
                         edits);
}

QGroupBox* CPropertyDialog::MakeChoiceBox(const QString& caption, std::initializer_list<Choice> choices,
                                          QRadioButton** buttons)
{
    auto* box = new QGroupBox(caption, this);
    auto* column = new QVBoxLayout(box);
    int i = 0;
    for (const Choice& choice : choices) {
        auto* button = new QRadioButton(choice.text, box);
        platform::setControlId(button, choice.id);
        column->addWidget(button);
        connect(button, &QRadioButton::clicked, this, choice.clicked);
        buttons[i++] = button;
    }
    return box;
}

QGroupBox* CPropertyDialog::MakeStyleBox(const QString& caption, const QString& lineTypeLabel, int lineTypeId,
                                         int penId, int colorId)
{
    auto* styleBox = new QGroupBox(caption, this);
    auto* styleGrid = new QGridLayout(styleBox);
    styleGrid->addWidget(new QLabel(lineTypeLabel, styleBox), 0, 0);
    styleGrid->addWidget(MakeLineTypeList(lineTypeId), 0, 1);
    styleGrid->addWidget(new QLabel(QStringLiteral("ペン番号"), styleBox), 1, 0);
    styleGrid->addWidget(MakePenList(penId), 1, 1);
    styleGrid->addWidget(MakeColorButton(colorId), 1, 2);
    return styleBox;
}

QPushButton* CPropertyDialog::MakeColorButton(int id)
{
    m_colorButton = MakeSwatchButton(id);
    connect(m_colorButton, &QPushButton::clicked, this, &CPropertyDialog::OnColorButton);
    return m_colorButton;
}

QPushButton* CPropertyDialog::MakeSwatchButton(int id)
{
    auto* button = new QPushButton(this);
    platform::setControlId(button, id);
    button->setMinimumSize(40, 22);
    button->setAutoDefault(false);
    return button;
}

QComboBox* CPropertyDialog::MakeFontList(int id, std::string& face)
{
    auto* list = new QComboBox(this);
    platform::setControlId(list, id);
    list->setMaxVisibleItems(20);
    connect(list, &QComboBox::currentIndexChanged, this, [this, &face](int position) {
        if (position >= 0)
            face = m_fontNames.Name(position);
    });
    platform::DataExchange::Field shown;
    shown.control = list;
    shown.load = [this, list, &face] {
        const QSignalBlocker quiet(list);
        const int position = list->count() == 0 ? m_fontNames.Fill(list, face)
                                                : CFontNameList::Match(m_fontNames.Names(), face);
        list->setCurrentIndex(position < list->count() ? position : -1);
    };
    Exchange().Add(std::move(shown));
    return list;
}

QWidget* CPropertyDialog::MakePreview(int id, int width, int height)
{
    m_preview = new PreviewBox(this, [this](platform::Dc& dc, const platform::Rect& r) { DrawPreview(dc, r); });
    platform::setControlId(m_preview, id);
    m_preview->setFixedSize(width, height);
    return m_preview;
}

QBoxLayout* CPropertyDialog::MakeOkCancelRow(const QString& cancelText)
{
    QHBoxLayout* row = CDialog::MakeOkCancelRow(QStringLiteral("実　行"), cancelText);
    CancelButton()->setAutoDefault(false);
    return row;
}

platform::Font CPropertyDialog::SketchFont(int height, int width)
{
    platform::Font font;
    font.height = height;
    font.width = width;
    font.charSet = 128;
    font.pitchAndFamily = 1;
    font.face = platform::Font::FaceFromCp932(DefaultTextFont);
    return font;
}

void CPropertyDialog::ShowPenAndColour()
{
    if (m_penList) {
        const QSignalBlocker block(m_penList);
        m_penList->setCurrentIndex(pen >= 0 && pen < m_penList->count() ? pen : -1);
    }
    PaintColorButton(platform::RedOf(colour), platform::GreenOf(colour), platform::BlueOf(colour));
}

void CPropertyDialog::OnSelchangePen(int index)
{
    if (index < 0 || index >= static_cast<int>(PenColors.size()))
        return;
    pen = index;
    colour = PenColors[index];
    PaintColorButton(platform::RedOf(colour), platform::GreenOf(colour), platform::BlueOf(colour));
}

void CPropertyDialog::OnSelchangeLineType(int index)
{
    if (index >= 0)
        lineType = index;
}

void CPropertyDialog::OnColorButton()
{
    const std::optional<std::uint32_t> chosen = platform::chooseColor(0, CustomColors, this);
    if (!chosen)
        return;
    colour = *chosen;
    PaintColorButton(platform::RedOf(colour), platform::GreenOf(colour), platform::BlueOf(colour));
}

void CPropertyDialog::PaintColorButton(int red, int green, int blue)
{
    m_buttonColour = platform::Rgb(red, green, blue);
    if (m_colorButton)
        PaintButton(m_colorButton, m_buttonColour);
}

void CPropertyDialog::PaintButton(QPushButton* button, COLORREF colour)
{
    QSize size = button->size() - QSize(8, 8);
    size = size.expandedTo(QSize(16, 10));
    QPixmap pixmap(size);
    pixmap.fill(QColor(platform::RedOf(colour), platform::GreenOf(colour), platform::BlueOf(colour)));
    button->setIconSize(size);
    button->setIcon(QIcon(pixmap));
    button->repaint();
}

void CPropertyDialog::RepaintPreview()
{
    if (m_preview)
        m_preview->repaint();
}

void CPropertyDialog::DrawPreview(platform::Dc&, const platform::Rect&) {}
