#pragma once
// A flat, transparent button: it paints no face of its own, only a thin
// raised frame while the mouse is over it (or it has the focus) and a sunken
// one while it is pressed, so whatever is laid out beneath it shows through.

#include <QAbstractButton>

class CMyFlatButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit CMyFlatButton(QWidget* parent = nullptr);

    bool IsHover() const { return m_bHover; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

    // Draws the frame and returns the rectangle left inside it.
    virtual QRect DrawFrame(QPainter& p, QRect r);
    // Draws the button's own caption, centred, greyed when disabled.
    virtual void DrawText(QPainter& p, const QRect& r);
    virtual void DrawContent(QPainter& p, const QRect& r);

private:
    bool m_bHover = false;
};
