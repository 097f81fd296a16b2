#include "app/PlaceholderDocView.h"

#include <QPainter>

CPlaceholderView::CPlaceholderView(QWidget* parent) : CView(parent) {}

void CPlaceholderView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    // An A4 landscape sheet fitted into the window.
    QRectF sheet(0, 0, 297, 210);
    double zoom = std::min((width() - 40) / sheet.width(), (height() - 40) / sheet.height());
    QRectF r((width() - sheet.width() * zoom) / 2, (height() - sheet.height() * zoom) / 2, sheet.width() * zoom,
             sheet.height() * zoom);
    p.setPen(QColor(210, 210, 210));
    for (double x = 0; x <= sheet.width(); x += 20) {
        p.drawLine(QPointF(r.left() + x * zoom, r.top()), QPointF(r.left() + x * zoom, r.bottom()));
    }
    for (double y = 0; y <= sheet.height(); y += 20) {
        p.drawLine(QPointF(r.left(), r.bottom() - y * zoom), QPointF(r.right(), r.bottom() - y * zoom));
    }
    p.setPen(QColor(160, 160, 160));
    p.drawRect(r);
}
