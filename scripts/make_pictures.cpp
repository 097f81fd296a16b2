// Draws the program's pictures (toolbar buttons, cursors, splash, the picture
// behind the drawing windows, the program icon) into resources/pictures/.
// Run scripts/make_pictures.sh after changing a drawing; the PNGs are kept in
// the repository.
#include <QApplication>
#include <QDir>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <functional>

namespace {

QString outDir;

const QColor ink(40, 48, 64);
const QColor blue(36, 104, 196);
const QColor red(204, 48, 40);
const QColor green(40, 150, 70);
const QColor paper(252, 252, 246);
const QColor amber(236, 170, 40);

void Save(const QImage& img, const QString& name)
{
    img.save(outDir + "/" + name + ".png");
}

// A 24x24 toolbar button drawn by fn on a transparent ground.
void Button(const QString& name, const std::function<void(QPainter&)>& fn)
{
    QImage img(24, 24, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    fn(p);
    p.end();
    Save(img, name);
}

QPen Pen(const QColor& c, double w = 1.6)
{
    QPen pen(c, w);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void Sheet(QPainter& p, QRectF r)
{
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 5, r.top());
    path.lineTo(r.right(), r.top() + 5);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(Pen(ink, 1.2));
    p.setBrush(paper);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - 5, r.top()), QPointF(r.right() - 5, r.top() + 5));
    p.drawLine(QPointF(r.right() - 5, r.top() + 5), QPointF(r.right(), r.top() + 5));
}

void Magnifier(QPainter& p, const QString& sign)
{
    p.setPen(Pen(ink, 2.2));
    p.drawLine(QPointF(14.5, 14.5), QPointF(21, 21));
    p.setPen(Pen(ink, 1.4));
    p.setBrush(QColor(220, 236, 252));
    p.drawEllipse(QPointF(10, 10), 7, 7);
    p.setPen(Pen(blue, 1.8));
    if (sign == "+" || sign == "-") {
        p.drawLine(QPointF(6.5, 10), QPointF(13.5, 10));
    }
    if (sign == "+") {
        p.drawLine(QPointF(10, 6.5), QPointF(10, 13.5));
    }
    if (sign == "box") {
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(6.5, 7.5, 7, 5));
    }
}

void Hand(QPainter& p, bool closed, double s = 1.0)
{
    p.save();
    p.scale(s, s);
    p.setPen(Pen(ink, 1.1));
    p.setBrush(QColor(250, 236, 214));
    QPainterPath palm;
    palm.addRoundedRect(QRectF(6, 11, 12, 10), 3, 3);
    p.drawPath(palm);
    if (!closed) {
        for (int i = 0; i < 4; ++i) {
            p.drawRoundedRect(QRectF(6.2 + i * 3, 3.5 + (i == 0 || i == 3 ? 2 : 0), 2.6, 10), 1.3, 1.3);
        }
        p.drawRoundedRect(QRectF(2, 11, 6, 2.6), 1.3, 1.3);
    } else {
        for (int i = 0; i < 4; ++i) {
            p.drawRoundedRect(QRectF(6.2 + i * 3, 8.5, 2.6, 5), 1.3, 1.3);
        }
    }
    p.restore();
}

void Buttons()
{
    Button("tb_57600", [](QPainter& p) { // new
        Sheet(p, QRectF(5, 2.5, 14, 19));
        p.setPen(Pen(amber, 1.6));
        p.drawLine(QPointF(16, 14), QPointF(22, 20));
        p.drawLine(QPointF(22, 14), QPointF(16, 20));
        p.drawLine(QPointF(19, 13), QPointF(19, 21));
    });
    Button("tb_57601", [](QPainter& p) { // open
        p.setPen(Pen(ink, 1.2));
        p.setBrush(QColor(242, 200, 96));
        p.drawRoundedRect(QRectF(2.5, 6, 17, 14), 1.5, 1.5);
        QPainterPath lid;
        lid.moveTo(5, 11);
        lid.lineTo(22, 11);
        lid.lineTo(19, 20);
        lid.lineTo(2.5, 20);
        lid.closeSubpath();
        p.setBrush(QColor(250, 220, 130));
        p.drawPath(lid);
    });
    Button("tb_57603", [](QPainter& p) { // save
        p.setPen(Pen(ink, 1.2));
        p.setBrush(blue);
        p.drawRoundedRect(QRectF(3.5, 3.5, 17, 17), 2, 2);
        p.setBrush(paper);
        p.drawRect(QRectF(7, 3.5, 10, 7));
        p.setBrush(QColor(200, 210, 224));
        p.drawRect(QRectF(7, 13.5, 10, 7));
    });
    Button("tb_57607", [](QPainter& p) { // print
        p.setPen(Pen(ink, 1.2));
        p.setBrush(paper);
        p.drawRect(QRectF(7, 2.5, 10, 8));
        p.setBrush(QColor(170, 180, 196));
        p.drawRoundedRect(QRectF(2.5, 9, 19, 9), 2, 2);
        p.setBrush(paper);
        p.drawRect(QRectF(7, 15, 10, 7));
        p.setPen(Pen(green, 1.4));
        p.drawPoint(QPointF(18.5, 12));
    });
    Button("tb_32870", [](QPainter& p) { // drawing palette
        p.setPen(Pen(ink, 1.2));
        p.setBrush(QColor(236, 240, 246));
        p.drawRoundedRect(QRectF(3, 2.5, 18, 19), 2, 2);
        p.setPen(Pen(blue, 1.5));
        p.drawLine(QPointF(6, 9), QPointF(11, 5.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(16, 8), 3, 3);
        p.setPen(Pen(red, 1.5));
        p.drawRect(QRectF(5.5, 13, 5, 5));
        p.setPen(Pen(green, 1.5));
        p.drawLine(QPointF(13, 18.5), QPointF(19, 13));
    });
    Button("tb_32871", [](QPainter& p) { // parts data
        p.setPen(Pen(ink, 1.2));
        p.setBrush(QColor(190, 214, 240));
        p.drawRect(QRectF(3, 9, 9, 9));
        p.setBrush(QColor(244, 210, 150));
        p.drawEllipse(QPointF(16.5, 8.5), 5, 5);
        p.setBrush(QColor(200, 232, 200));
        QPainterPath tri;
        tri.moveTo(14, 21.5);
        tri.lineTo(21.5, 21.5);
        tri.lineTo(17.75, 14.5);
        tri.closeSubpath();
        p.drawPath(tri);
    });
    Button("tb_32890", [](QPainter& p) { // element list
        Sheet(p, QRectF(3.5, 2.5, 17, 19));
        p.setPen(Pen(blue, 1.3));
        for (int i = 0; i < 4; ++i) {
            p.drawLine(QPointF(6.5, 7.5 + i * 3.5), QPointF(9, 7.5 + i * 3.5));
            p.drawLine(QPointF(10.5, 7.5 + i * 3.5), QPointF(17.5, 7.5 + i * 3.5));
        }
    });
    Button("tb_32876", [](QPainter& p) { // grid
        p.setPen(Pen(QColor(120, 130, 150), 1.0));
        for (int i = 0; i < 5; ++i) {
            p.drawLine(QPointF(3.5 + i * 4.25, 3), QPointF(3.5 + i * 4.25, 21));
            p.drawLine(QPointF(3, 3.5 + i * 4.25), QPointF(21, 3.5 + i * 4.25));
        }
        p.setPen(Pen(blue, 2.6));
        p.drawPoint(QPointF(12, 12));
    });
    Button("tb_32889", [](QPainter& p) { // apply grid
        p.setPen(Pen(QColor(120, 130, 150), 1.0));
        for (int i = 0; i < 4; ++i) {
            p.drawLine(QPointF(3.5 + i * 4.5, 3), QPointF(3.5 + i * 4.5, 17));
            p.drawLine(QPointF(3, 3.5 + i * 4.5), QPointF(17, 3.5 + i * 4.5));
        }
        p.setPen(Pen(green, 2.4));
        p.drawLine(QPointF(12, 17), QPointF(15.5, 20.5));
        p.drawLine(QPointF(15.5, 20.5), QPointF(22, 11));
    });
    Button("tb_32891", [](QPainter& p) { // message bar: note
        p.setPen(Pen(ink, 1.2));
        p.setBrush(QColor(255, 246, 200));
        p.drawRoundedRect(QRectF(3, 4, 18, 13), 3, 3);
        QPainterPath tail;
        tail.moveTo(7, 16.5);
        tail.lineTo(7, 21);
        tail.lineTo(11.5, 16.5);
        p.drawPath(tail);
        p.setPen(Pen(blue, 1.3));
        p.drawLine(QPointF(6.5, 8.5), QPointF(17.5, 8.5));
        p.drawLine(QPointF(6.5, 12), QPointF(14, 12));
    });
    Button("tb_32892", [](QPainter& p) { // message bar: clear
        p.setPen(Pen(ink, 1.2));
        p.setBrush(QColor(255, 246, 200));
        p.drawRoundedRect(QRectF(3, 4, 18, 13), 3, 3);
        p.setPen(Pen(red, 2.0));
        p.drawLine(QPointF(8.5, 7), QPointF(15.5, 14));
        p.drawLine(QPointF(15.5, 7), QPointF(8.5, 14));
    });
    Button("tb_57643", [](QPainter& p) { // undo
        p.setPen(Pen(blue, 2.2));
        p.setBrush(Qt::NoBrush);
        QPainterPath arc;
        arc.moveTo(6, 10);
        arc.cubicTo(10, 4, 21, 5, 20, 13);
        arc.cubicTo(19.5, 17.5, 15, 19.5, 11, 19);
        p.drawPath(arc);
        p.setBrush(blue);
        p.setPen(Pen(blue, 1.0));
        QPainterPath head;
        head.moveTo(2.5, 5.5);
        head.lineTo(9.5, 7);
        head.lineTo(4, 13);
        head.closeSubpath();
        p.drawPath(head);
    });
    Button("tb_32873", [](QPainter& p) { // redisplay
        p.setPen(Pen(green, 2.2));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(4, 4, 16, 16), 60 * 16, 280 * 16);
        p.setBrush(green);
        p.setPen(Pen(green, 1.0));
        QPainterPath head;
        head.moveTo(14, 2);
        head.lineTo(20, 5.5);
        head.lineTo(14, 9.5);
        head.closeSubpath();
        p.drawPath(head);
    });
    Button("tb_32874", [](QPainter& p) { // base view
        Sheet(p, QRectF(3, 4, 18, 16));
        p.setPen(Pen(red, 1.4));
        p.drawLine(QPointF(12, 8), QPointF(12, 16));
        p.drawLine(QPointF(8, 12), QPointF(16, 12));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(12, 12), 2.5, 2.5);
    });
    Button("tb_32875", [](QPainter& p) { // fit all
        p.setPen(Pen(ink, 1.2));
        p.setBrush(paper);
        p.drawRect(QRectF(6.5, 6.5, 11, 11));
        p.setPen(Pen(blue, 1.8));
        auto corner = [&](double x, double y, double dx, double dy) {
            p.drawLine(QPointF(x, y), QPointF(x + dx * 5, y));
            p.drawLine(QPointF(x, y), QPointF(x, y + dy * 5));
        };
        corner(2.5, 2.5, 1, 1);
        corner(21.5, 2.5, -1, 1);
        corner(2.5, 21.5, 1, -1);
        corner(21.5, 21.5, -1, -1);
    });
    Button("tb_32880", [](QPainter& p) { Magnifier(p, "+"); });
    Button("tb_32881", [](QPainter& p) { Magnifier(p, "-"); });
    Button("tb_32882", [](QPainter& p) { Magnifier(p, "box"); });
    Button("tb_32896", [](QPainter& p) { Hand(p, false); });
    Button("tb_32897", [](QPainter& p) { // centre move
        p.setPen(Pen(ink, 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(3.5, 3.5, 17, 17));
        p.setPen(Pen(blue, 1.6));
        p.drawLine(QPointF(12, 6), QPointF(12, 18));
        p.drawLine(QPointF(6, 12), QPointF(18, 12));
        p.setBrush(blue);
        p.drawEllipse(QPointF(12, 12), 1.8, 1.8);
    });
    Button("tb_32877", [](QPainter& p) { // drawing range
        p.setPen(Pen(QColor(150, 150, 150), 1.0));
        p.setBrush(paper);
        p.drawRect(QRectF(2.5, 4.5, 19, 15));
        QPen dash = Pen(red, 1.3);
        dash.setDashPattern({2.0, 1.5});
        p.setPen(dash);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(5.5, 7.5, 13, 9));
    });
    Button("tb_32878", [](QPainter& p) { // origin mark
        p.setPen(Pen(ink, 1.6));
        p.drawLine(QPointF(5, 19), QPointF(21, 19));
        p.drawLine(QPointF(5, 19), QPointF(5, 3));
        p.setPen(Pen(red, 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(5, 19), 3.2, 3.2);
    });
    Button("tb_32879", [](QPainter& p) { // magnet
        QPen body(red, 5.0);
        body.setCapStyle(Qt::FlatCap);
        p.setPen(body);
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(5.5, 4.5, 13, 13), 180 * 16, 180 * 16);
        p.drawLine(QPointF(5.5, 11), QPointF(5.5, 5));
        p.drawLine(QPointF(18.5, 11), QPointF(18.5, 5));
        QPen tip(QColor(210, 214, 222), 5.0);
        tip.setCapStyle(Qt::FlatCap);
        p.setPen(tip);
        p.drawLine(QPointF(5.5, 5), QPointF(5.5, 1.5));
        p.drawLine(QPointF(18.5, 5), QPointF(18.5, 1.5));
    });
    Button("tb_32898", [](QPainter& p) { // length read-out
        p.setPen(Pen(ink, 1.2));
        p.setBrush(QColor(250, 226, 150));
        p.drawRect(QRectF(1.5, 8.5, 21, 8));
        for (int i = 0; i < 6; ++i) {
            p.drawLine(QPointF(4 + i * 3.3, 8.5), QPointF(4 + i * 3.3, i % 2 ? 11 : 13));
        }
        p.setPen(Pen(blue, 1.3));
        p.drawLine(QPointF(3, 4.5), QPointF(21, 4.5));
        p.drawLine(QPointF(3, 2.5), QPointF(3, 6.5));
        p.drawLine(QPointF(21, 2.5), QPointF(21, 6.5));
    });
    Button("tb_32894", [](QPainter& p) { // drawing information
        Sheet(p, QRectF(3.5, 2.5, 17, 19));
        p.setPen(Pen(ink, 1.0));
        p.drawRect(QRectF(9.5, 15.5, 11, 6));
        p.drawLine(QPointF(9.5, 18.5), QPointF(20.5, 18.5));
        p.setPen(Pen(blue, 1.6));
        p.drawLine(QPointF(12, 6.5), QPointF(12, 12));
        p.drawPoint(QPointF(12, 4.2));
    });
    Button("tb_32895", [](QPainter& p) { // size bar: pen
        p.setPen(Pen(ink, 1.1));
        p.setBrush(QColor(96, 120, 170));
        QPainterPath pen;
        pen.moveTo(17, 3);
        pen.lineTo(21, 7);
        pen.lineTo(9, 19);
        pen.lineTo(4, 20);
        pen.lineTo(5, 15);
        pen.closeSubpath();
        p.drawPath(pen);
    });
}

// Cursors: 32x32 with the hot spot named in the program.
void Cursors()
{
    auto cursor = [](const QString& name, const std::function<void(QPainter&)>& fn) {
        QImage img(32, 32, QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        QPainter p(&img);
        fn(p);
        p.end();
        Save(img, name);
    };
    auto cross = [](QPainter& p, const QString& mark) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(Qt::white, 3));
        p.drawLine(15, 2, 15, 28);
        p.drawLine(2, 15, 28, 15);
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(15, 2, 15, 28);
        p.drawLine(2, 15, 28, 15);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        if (mark == "1") {
            p.drawRect(18, 18, 8, 8);
            p.drawLine(18, 18, 21, 21);
        } else if (mark == "2") {
            p.drawRect(4, 4, 8, 8);
            p.drawLine(12, 12, 9, 9);
        }
    };
    cursor("cur_201", [&](QPainter& p) { cross(p, "1"); });
    cursor("cur_198", [&](QPainter& p) { cross(p, "2"); });
    cursor("cur_199", [](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        Hand(p, true, 1.25);
    });
    cursor("cur_200", [](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        Hand(p, false, 1.25);
    });
}

// The program's mark: a sheet with a compass arc and a set square.
void Mark(QPainter& p, QRectF r)
{
    p.save();
    p.translate(r.topLeft());
    p.scale(r.width() / 100.0, r.height() / 100.0);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 100, 100);
    g.setColorAt(0, QColor(64, 132, 220));
    g.setColorAt(1, QColor(24, 70, 150));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(4, 4, 92, 92), 18, 18);
    p.setPen(QPen(QColor(255, 255, 255, 60), 1.2));
    for (int i = 1; i < 6; ++i) {
        p.drawLine(QPointF(4 + i * 15.3, 10), QPointF(4 + i * 15.3, 90));
        p.drawLine(QPointF(10, 4 + i * 15.3), QPointF(90, 4 + i * 15.3));
    }
    QPainterPath tri;
    tri.moveTo(20, 80);
    tri.lineTo(20, 28);
    tri.lineTo(72, 80);
    tri.closeSubpath();
    tri.moveTo(29, 71);
    tri.lineTo(29, 50);
    tri.lineTo(50, 71);
    tri.closeSubpath();
    p.setPen(QPen(Qt::white, 3));
    p.setBrush(QColor(255, 255, 255, 50));
    p.drawPath(tri);
    QPen arc(QColor(255, 196, 64), 5);
    arc.setCapStyle(Qt::RoundCap);
    p.setPen(arc);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(34, 14, 56, 56), 0, 130 * 16);
    p.setBrush(QColor(255, 196, 64));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(62, 42), 4.5, 4.5);
    p.restore();
}

void Pictures()
{
    QImage icon(64, 64, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    {
        QPainter p(&icon);
        Mark(p, QRectF(0, 0, 64, 64));
    }
    Save(icon, "app_icon");

    // Behind the drawing windows: the mark in muted greys on transparent, so
    // it sits on the grey ground.
    QImage client(220, 220, QImage::Format_ARGB32);
    client.fill(Qt::transparent);
    {
        QPainter p(&client);
        p.setRenderHint(QPainter::Antialiasing);
        p.setOpacity(0.35);
        Mark(p, QRectF(60, 20, 100, 100));
        p.setOpacity(0.55);
        QFont f("IPAGothic");
        f.setPixelSize(30);
        f.setBold(true);
        p.setFont(f);
        p.setPen(QColor(230, 230, 230));
        p.drawText(QRectF(0, 130, 220, 40), Qt::AlignCenter, "OrvikCAD");
        f.setPixelSize(13);
        f.setBold(false);
        p.setFont(f);
        p.drawText(QRectF(0, 170, 220, 24), Qt::AlignCenter, "2-D CAD");
    }
    Save(client, "client_picture");

    QImage splash(440, 260, QImage::Format_RGB32);
    {
        QPainter p(&splash);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient g(0, 0, 0, 260);
        g.setColorAt(0, QColor(250, 251, 253));
        g.setColorAt(1, QColor(214, 224, 238));
        p.fillRect(splash.rect(), g);
        p.setPen(QPen(QColor(180, 196, 220), 1));
        for (int x = 0; x < 440; x += 20) {
            p.drawLine(x, 0, x, 260);
        }
        for (int y = 0; y < 260; y += 20) {
            p.drawLine(0, y, 440, y);
        }
        // A little drawing: a part outline with a dimension.
        p.setPen(QPen(QColor(40, 60, 100), 2));
        p.setBrush(Qt::NoBrush);
        QPainterPath part;
        part.moveTo(250, 190);
        part.lineTo(250, 110);
        part.lineTo(320, 110);
        part.arcTo(QRectF(290, 80, 60, 60), 180, -180);
        part.lineTo(350, 190);
        part.closeSubpath();
        p.drawPath(part);
        p.drawEllipse(QPointF(320, 110), 12, 12);
        QPen dim(QColor(200, 60, 60), 1);
        p.setPen(dim);
        p.drawLine(250, 200, 250, 222);
        p.drawLine(350, 200, 350, 222);
        p.drawLine(250, 216, 350, 216);
        p.setBrush(QColor(200, 60, 60));
        p.drawPolygon(QPolygonF({QPointF(250, 216), QPointF(258, 213), QPointF(258, 219)}));
        p.drawPolygon(QPolygonF({QPointF(350, 216), QPointF(342, 213), QPointF(342, 219)}));
        QFont small("IPAGothic");
        small.setPixelSize(11);
        p.setFont(small);
        p.drawText(QRectF(250, 200, 100, 14), Qt::AlignCenter, "100");
        Mark(p, QRectF(34, 40, 84, 84));
        QFont title("IPAGothic");
        title.setPixelSize(40);
        title.setBold(true);
        p.setFont(title);
        p.setPen(QColor(24, 56, 120));
        p.drawText(QPointF(30, 170), "OrvikCAD");
        QFont sub("IPAGothic");
        sub.setPixelSize(15);
        p.setFont(sub);
        p.setPen(QColor(60, 72, 96));
        p.drawText(QPointF(32, 196), "２次元汎用ＣＡＤ");
        p.setPen(QColor(110, 120, 140));
        sub.setPixelSize(11);
        p.setFont(sub);
        p.drawText(QPointF(32, 240), "KESTAVA");
        p.setPen(QPen(QColor(24, 56, 120), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(1, 1, 438, 258));
    }
    Save(splash, "splash");
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("resources/pictures");
    QDir().mkpath(outDir);
    Buttons();
    Cursors();
    Pictures();
    return 0;
}
