#include "dialogs/MyFlatButton.h"

#include <QLayout>
#include <QPainter>
#include <QStyle>

CMyFlatButton::CMyFlatButton(QWidget* parent) : QAbstractButton(parent)
{
    setAttribute(Qt::WA_Hover);
}

QSize CMyFlatButton::sizeHint() const
{
    if (layout()) {
        return layout()->sizeHint();
    }
    QSize text = fontMetrics().size(Qt::TextShowMnemonic, QAbstractButton::text());
    return text + QSize(8, 8);
}

void CMyFlatButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    DrawContent(p, rect());
}

void CMyFlatButton::DrawContent(QPainter& p, const QRect& r)
{
    QRect inside = DrawFrame(p, r);
    if (!text().isEmpty()) {
        DrawText(p, inside);
    }
}

namespace {

// A one-pixel 3-D rectangle: top and left in one colour, bottom and right in
// the other.
void Draw3dRect(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight)
{
    p.setPen(topLeft);
    p.drawLine(r.left(), r.top(), r.right() - 1, r.top());
    p.drawLine(r.left(), r.top(), r.left(), r.bottom() - 1);
    p.setPen(bottomRight);
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());
    p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
}

} // namespace

QRect CMyFlatButton::DrawFrame(QPainter& p, QRect r)
{
    const QColor shadow = palette().color(QPalette::Dark);
    const QColor highlight = palette().color(QPalette::Light);
    if (isDown()) {
        Draw3dRect(p, r, shadow, highlight);
        return r.adjusted(2, 2, -2, -2).translated(1, 1);
    }
    if (m_bHover || hasFocus()) {
        Draw3dRect(p, r, highlight, shadow);
    }
    return r.adjusted(2, 2, -2, -2);
}

void CMyFlatButton::DrawText(QPainter& p, const QRect& r)
{
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    p.drawText(r, Qt::AlignCenter | Qt::TextShowMnemonic, text());
}

void CMyFlatButton::enterEvent(QEnterEvent* event)
{
    if (!m_bHover) {
        m_bHover = true;
        update();
    }
    QAbstractButton::enterEvent(event);
}

void CMyFlatButton::leaveEvent(QEvent* event)
{
    m_bHover = false;
    update();
    QAbstractButton::leaveEvent(event);
}
