#include "dialogs/PaletteIcons.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

#include <cmath>
#include <numbers>

namespace {

// The sixteen basic colours the pictures keep to.
const QColor Black(0, 0, 0);
const QColor Maroon(128, 0, 0);
const QColor Green(0, 128, 0);
const QColor Olive(128, 128, 0);
const QColor Navy(0, 0, 128);
const QColor Teal(0, 128, 128);
const QColor Grey(128, 128, 128);
const QColor Silver(192, 192, 192);
const QColor Red(255, 0, 0);
const QColor Yellow(255, 255, 0);
const QColor Blue(0, 0, 255);
const QColor Aqua(0, 255, 255);
const QColor White(255, 255, 255);

QPen Ink(const QColor& c, double width = 2.0)
{
    QPen pen(c, width);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

// Every picture is drawn on a 32 x 32 grid; the small one is the same
// drawing at half the size.

void Arrow(QPainter& p)
{
    const QPolygonF arrow({{8, 3}, {8, 25}, {13, 20}, {17, 29}, {21, 27}, {17, 19}, {24, 19}});
    p.setPen(Ink(Black, 1.5));
    p.setBrush(White);
    p.drawPolygon(arrow);
}

void Pencil(QPainter& p)
{
    p.save();
    p.translate(16, 16);
    p.rotate(-45);
    p.setPen(Ink(Black, 1.5));
    p.setBrush(Yellow);
    p.drawRect(QRectF(-8, -4, 18, 8));
    p.setBrush(Red);
    p.drawRect(QRectF(10, -4, 4, 8));
    p.setBrush(Silver);
    p.drawPolygon(QPolygonF({{-8, -4}, {-15, 0}, {-8, 4}}));
    p.setBrush(Black);
    p.drawPolygon(QPolygonF({{-12.5, -1.5}, {-15, 0}, {-12.5, 1.5}}));
    p.restore();
}

void SlantedLine(QPainter& p)
{
    p.setPen(Ink(Navy, 2.5));
    p.drawLine(QPointF(5, 27), QPointF(27, 5));
    p.setPen(Ink(Red, 1.5));
    p.setBrush(Red);
    p.drawRect(QRectF(3, 25, 4, 4));
    p.drawRect(QRectF(25, 3, 4, 4));
}

void Wave(QPainter& p)
{
    QPainterPath path;
    path.moveTo(3, 16);
    for (int x = 3; x <= 29; ++x)
        path.lineTo(x, 16 - 9 * std::sin((x - 3) * 2 * std::numbers::pi / 26));
    p.setPen(Ink(Navy, 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void Circle(QPainter& p)
{
    p.setPen(Ink(Navy, 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(16, 16), 11, 11);
    p.setPen(Ink(Red, 1.5));
    p.drawLine(QPointF(13, 16), QPointF(19, 16));
    p.drawLine(QPointF(16, 13), QPointF(16, 19));
}

void Square(QPainter& p)
{
    p.setPen(Ink(Navy, 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(6, 6, 20, 20));
}

void LetterA(QPainter& p)
{
    p.setPen(Ink(Navy, 3.5));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({{6, 28}, {16, 4}, {26, 28}}));
    p.drawLine(QPointF(10, 19), QPointF(22, 19));
}

void Ruler(QPainter& p)
{
    p.save();
    p.translate(16, 16);
    p.rotate(-30);
    p.setPen(Ink(Black, 1.5));
    p.setBrush(Yellow);
    p.drawRect(QRectF(-14, -5, 28, 10));
    for (int i = 0; i < 7; ++i) {
        const double x = -11 + i * 4;
        p.drawLine(QPointF(x, -5), QPointF(x, i % 2 ? -1 : 1));
    }
    p.restore();
}

void Eraser(QPainter& p)
{
    p.save();
    p.translate(16, 17);
    p.rotate(-35);
    p.setPen(Ink(Black, 1.5));
    p.setBrush(White);
    p.drawRect(QRectF(-4, -6, 16, 12));
    p.setBrush(Red);
    p.drawRect(QRectF(-13, -6, 9, 12));
    p.restore();
}

void Scissors(QPainter& p)
{
    p.setPen(Ink(Grey, 2.5));
    p.drawLine(QPointF(10, 20), QPointF(26, 4));
    p.drawLine(QPointF(22, 20), QPointF(6, 4));
    p.setPen(Ink(Red, 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(8, 24), 4, 4);
    p.drawEllipse(QPointF(24, 24), 4, 4);
    p.setPen(Ink(Black, 1));
    p.setBrush(Black);
    p.drawEllipse(QPointF(16, 14), 1.5, 1.5);
}

void Corner(QPainter& p)
{
    p.setPen(Ink(Silver, 1.5));
    p.drawLine(QPointF(7, 3), QPointF(7, 9));
    p.drawLine(QPointF(23, 25), QPointF(29, 25));
    p.setPen(Ink(Navy, 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({{7, 9}, {7, 25}, {23, 25}}));
}

void Enlarge(QPainter& p)
{
    QPen dashed = Ink(Grey, 1.5);
    dashed.setDashPattern({2, 2});
    p.setPen(dashed);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(4, 4, 24, 24));
    p.setPen(Ink(Navy, 2));
    p.setBrush(Aqua);
    p.drawRect(QRectF(4, 16, 12, 12));
    p.setPen(Ink(Red, 2));
    p.drawLine(QPointF(14, 18), QPointF(26, 6));
    p.setBrush(Red);
    p.drawPolygon(QPolygonF({{27, 5}, {19, 7}, {25, 13}}));
}

void MoveSquares(QPainter& p)
{
    p.setPen(Ink(Navy, 2));
    p.setBrush(Aqua);
    p.drawRect(QRectF(3, 17, 11, 11));
    p.setBrush(White);
    p.drawRect(QRectF(18, 4, 11, 11));
    p.setPen(Ink(Red, 2));
    p.drawLine(QPointF(10, 14), QPointF(16, 8));
    p.setBrush(Red);
    p.drawPolygon(QPolygonF({{18, 6}, {11, 8}, {16, 13}}));
}

void HatchedRectangle(QPainter& p)
{
    p.setPen(Ink(Navy, 2));
    p.setBrush(Qt::NoBrush);
    const QRectF box(4, 7, 24, 18);
    p.save();
    p.setClipRect(box);
    p.setPen(Ink(Teal, 1.5));
    for (int x = -16; x < 32; x += 5)
        p.drawLine(QPointF(x, 28), QPointF(x + 21, 7));
    p.restore();
    p.drawRect(box);
}

void Landscape(QPainter& p)
{
    const QRectF frame(3, 5, 26, 22);
    p.setPen(Qt::NoPen);
    p.setBrush(Aqua);
    p.drawRect(frame);
    p.setBrush(Yellow);
    p.drawEllipse(QPointF(22, 11), 3, 3);
    p.setBrush(Green);
    p.drawPolygon(QPolygonF({{3, 27}, {3, 21}, {11, 12}, {17, 20}, {21, 17}, {29, 24}, {29, 27}}));
    p.setPen(Ink(Black, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(frame);
}

void SolidBody(QPainter& p)
{
    const QPointF top(16, 3), left(4, 9), right(28, 9), centre(16, 15);
    const QPointF bottomLeft(4, 23), bottomRight(28, 23), bottom(16, 29);
    p.setPen(Ink(Black, 1.5));
    p.setBrush(White);
    p.drawPolygon(QPolygonF({top, right, centre, left}));
    p.setBrush(Silver);
    p.drawPolygon(QPolygonF({left, centre, bottom, bottomLeft}));
    p.setBrush(Grey);
    p.drawPolygon(QPolygonF({centre, right, bottomRight, bottom}));
}

using Drawing = void (*)(QPainter&);
constexpr Drawing Drawings[16] = {
    Arrow, Pencil,   SlantedLine, Wave,        Circle,           Square,    LetterA, Ruler,
    Eraser, Scissors, Corner,     Enlarge,     MoveSquares,      HatchedRectangle, Landscape, SolidBody,
};

QPixmap Picture(Drawing draw, int size)
{
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, size >= 32);
    p.scale(size / 32.0, size / 32.0);
    draw(p);
    p.end();
    return QPixmap::fromImage(img);
}

} // namespace

QIcon PaletteIcon(int category)
{
    if (category < 0 || category >= 16)
        return {};
    QIcon icon;
    icon.addPixmap(Picture(Drawings[category], 16));
    icon.addPixmap(Picture(Drawings[category], 32));
    return icon;
}
