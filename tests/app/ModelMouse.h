#pragma once
// Real mouse events at model points of a drawing view, as a user's clicks
// would arrive.

#include "view/OrvikCadView.h"

#include <QCoreApplication>
#include <QMouseEvent>

class ModelMouse {
public:
    explicit ModelMouse(COrvikCadView& view) : view(view) {}
    QPointF At(double x, double y) const
    {
        return QPointF(view.XToDevice(x) - view.FrameScrollX() + 0.5, view.YToDevice(y) - view.FrameScrollY() + 0.5);
    }
    void Move(double x, double y, Qt::MouseButtons held = Qt::NoButton)
    {
        QMouseEvent e(QEvent::MouseMove, At(x, y), view.mapToGlobal(At(x, y)), Qt::NoButton, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &e);
    }
    void Click(double x, double y)
    {
        Move(x, y);
        Move(x, y);
        const QPointF p = At(x, y);
        QMouseEvent down(QEvent::MouseButtonPress, p, view.mapToGlobal(p), Qt::LeftButton, Qt::LeftButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &down);
        QMouseEvent up(QEvent::MouseButtonRelease, p, view.mapToGlobal(p), Qt::LeftButton, Qt::NoButton,
                       Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &up);
    }

private:
    COrvikCadView& view;
};
