#include "dialogs/OwnerDrawCombo.h"

#include "platform/PainterDc.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>
#include <QStylePainter>

namespace {

COLORREF FromQColor(const QColor& c)
{
    return platform::Rgb(c.red(), c.green(), c.blue());
}

class OwnerDrawDelegate : public QStyledItemDelegate {
public:
    explicit OwnerDrawDelegate(COwnerDrawCombo* combo) : QStyledItemDelegate(combo), combo_(combo) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override
    {
        return {option.rect.width(), OwnerDrawItemHeight};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        const QImage image = combo_->RenderItem(index.row(), option.rect.width(), selected);
        painter->drawImage(option.rect.topLeft(), image);
    }

private:
    COwnerDrawCombo* combo_;
};

} // namespace

COLORREF HighlightColour()
{
    return FromQColor(QApplication::palette().color(QPalette::Highlight));
}

COLORREF HighlightTextColour()
{
    return FromQColor(QApplication::palette().color(QPalette::HighlightedText));
}

COLORREF MenuTextColour()
{
    return FromQColor(QApplication::palette().color(QPalette::WindowText));
}

COwnerDrawCombo::COwnerDrawCombo(QWidget* parent) : QComboBox(parent)
{
    setItemDelegate(new OwnerDrawDelegate(this));
    setMinimumHeight(OwnerDrawItemHeight + 6);
}

int COwnerDrawCombo::AddItemData(long data)
{
    addItem(QString(), QVariant::fromValue<qlonglong>(data));
    return count() - 1;
}

long COwnerDrawCombo::ItemData(int index) const
{
    return static_cast<long>(itemData(index).toLongLong());
}

QImage COwnerDrawCombo::RenderItem(int index, int width, bool selected) const
{
    QImage image(std::max(width, 1), OwnerDrawItemHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    platform::PainterDc dc(image);
    OwnerDrawItem item;
    item.index = index;
    item.data = ItemData(index);
    item.rect = {0, 0, image.width(), image.height()};
    item.selected = selected;
    DrawItem(dc, item);
    return image;
}

void COwnerDrawCombo::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    if (currentIndex() < 0)
        return;
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    const QImage image = RenderItem(currentIndex(), field.width(), false);
    painter.drawImage(field.left(), field.top() + (field.height() - image.height()) / 2, image);
}
