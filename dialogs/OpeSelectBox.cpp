#include "dialogs/OpeSelectBox.h"

#include "view/FrameHost.h"
#include "dialogs/MyFlatButton.h"
#include "model/Settings.h"
#include "platform/Controls.h"
#include "resources/Resource.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QVBoxLayout>

namespace {

const char* const kCaptions[COpeSelectBox::kOperations] = {"前面移動", "背面移動", "左右反転",
                                                          "上下反転", "右へ90°", "左へ90°"};

// A black triangle and its hollow mirror image across the dashed middle
// line: a vertical axis, or a horizontal one (the same picture transposed).
void DrawMirror(QPainter& p, bool verticalAxis)
{
    const auto at = [verticalAxis](int x, int y) { return verticalAxis ? QPoint(x, y) : QPoint(y, x); };
    p.setBrush(Qt::black);
    p.drawPolygon(QPolygon({at(14, 6), at(14, 26), at(3, 26)}));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(QPolygon({at(18, 6), at(18, 26), at(29, 26)}));
    p.setPen(QPen(Qt::black, 1, Qt::DashLine));
    p.drawLine(at(16, 2), at(16, 30));
}

// A quarter-turn arrow about the picture's centre.
void DrawTurn(QPainter& p, bool clockwise)
{
    const QRectF box(6, 6, 20, 20);
    // Qt angles run counter-clockwise from 3 o'clock.
    const int start = clockwise ? 180 * 16 : 0;
    const int span = clockwise ? -90 * 16 : 90 * 16;
    p.drawArc(box, start, span);
    // Arrow head at the end of the arc (12 o'clock).
    QPointF tip(16, 6);
    QPolygonF head;
    if (clockwise) {
        head << tip + QPointF(4, 0) << tip + QPointF(-2, -4) << tip + QPointF(-2, 4);
    } else {
        head << tip + QPointF(-4, 0) << tip + QPointF(2, -4) << tip + QPointF(2, 4);
    }
    p.setBrush(Qt::black);
    p.drawPolygon(head);
}

} // namespace

QImage COpeSelectBox::OperationPicture(int operation)
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(QPen(Qt::black, 1));
    switch (operation) {
    case 1:  // the front square filled, over an outlined one
    case 2: {  // the back square filled, under an outlined one
        const QRect back(4, 4, 16, 16), front(12, 12, 16, 16);
        if (operation == 1) {
            p.setBrush(Qt::NoBrush);
            p.drawRect(back);
            p.setBrush(Qt::black);
            p.drawRect(front);
        } else {
            p.setBrush(Qt::black);
            p.drawRect(back);
            p.setBrush(Qt::white);
            p.drawRect(front);
        }
        break;
    }
    case 3:
        DrawMirror(p, true);
        break;
    case 4:
        DrawMirror(p, false);
        break;
    case 5:
        DrawTurn(p, true);
        break;
    case 6:
        DrawTurn(p, false);
        break;
    default:
        break;
    }
    return image;
}

COpeSelectBox::COpeSelectBox(QWidget* parent) : COperationBox(IDD, QStringLiteral("　図形選択  "), parent)
{
    for (int i = 0; i < kOperations; ++i) {
        const int operation = i + 1;
        auto* button = new CMyFlatButton(this);
        platform::setControlId(button, IDC_FIRST_BUTTON + i);
        auto* column = new QVBoxLayout(button);
        column->setContentsMargins(3, 3, 3, 3);
        column->setSpacing(1);
        // The picture and caption lie beneath the button and take no clicks.
        auto* icon = new QLabel(button);
        icon->setPixmap(QPixmap::fromImage(OperationPicture(operation)));
        icon->setAlignment(Qt::AlignCenter);
        icon->setProperty("iconId", PictureId(operation));
        icon->setAttribute(Qt::WA_TransparentForMouseEvents);
        auto* caption = new QLabel(QString::fromUtf8(kCaptions[i]), button);
        caption->setAlignment(Qt::AlignCenter);
        caption->setAttribute(Qt::WA_TransparentForMouseEvents);
        column->addWidget(icon);
        column->addWidget(caption);
        AddControl(button);
        connect(button, &QAbstractButton::clicked, this, [this, operation] { OnOperation(operation); });
    }
    AddStretch();
}

void COpeSelectBox::OnOperation(int operation)
{
    CommandArgument = int16_t(operation);
    if (CFrameHost* frame = AfxGetFrameHost()) {
        frame->SendCommand(ID_SELECTION_OPERATION);
    }
}
