// The back buffer of a view: an image of the client size that *is* what the
// widget shows. Everything reaches the screen through it:
//  - a client DC draws into the image at once and schedules a repaint of the
//    pixels it touched, so an XOR figure drawn twice leaves no trace;
//  - Invalidate marks an area whose content must be drawn again: at the next
//    paint the owner's paint routine redraws it (clipped to the area) into
//    the image, which removes any XOR figure there;
//  - RepaintNow does that at once and shows the result synchronously.
// The widget forwards its paint and resize events (Paint, Resize).
#pragma once

#include "platform/Dc.h"
#include "platform/PainterDc.h"

#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QWidget>

#include <functional>
#include <memory>

class QPaintEvent;

namespace platform {

class BackBuffer;

// A device context on the back buffer, drawing at once. When it goes away
// (or on Flush) the touched pixels are scheduled for the screen.
class ClientDc : public PainterDc {
public:
    explicit ClientDc(BackBuffer& buffer);
    ~ClientDc() override;
    ClientDc(const ClientDc&) = delete;
    ClientDc& operator=(const ClientDc&) = delete;

    // Schedules what was drawn so far for the screen.
    void Show();

private:
    BackBuffer& buffer_;
};

class BackBuffer {
public:
    // Draws the whole content on the DC. The DC is clipped to the area being
    // repainted; 'erase' says the area must be cleared first.
    using PaintRoutine = std::function<void(Dc& dc, bool erase)>;

    // The widget that shows the buffer (may be null for headless use).
    explicit BackBuffer(QWidget* widget = nullptr, QColor fill = Qt::white);

    void SetPaintRoutine(PaintRoutine routine) { paint_ = std::move(routine); }
    void SetWidget(QWidget* widget) { widget_ = widget; }

    // New client size: the content is kept where it fits and the whole area
    // is invalidated.
    void Resize(int width, int height);
    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }

    QImage& Image() { return image_; }
    const QImage& Image() const { return image_; }

    // A DC drawing straight into the buffer.
    std::unique_ptr<ClientDc> GetClientDc() { return std::make_unique<ClientDc>(*this); }

    // Marks an area (device pixels, right and bottom left out) for redrawing
    // at the next paint.
    void Invalidate(const Rect& rect, bool erase = true);
    void InvalidateAll(bool erase = true);
    bool HasInvalid() const { return !invalid_.isEmpty(); }
    // The owner has just drawn the whole image itself: nothing waits to be
    // redrawn (the screen update of what it drew stays scheduled).
    void MarkAllDrawn();
    // Redraws the invalid areas into the buffer now (no screen update).
    void Validate();
    // Redraws what is invalid in the area and shows the area on the screen
    // synchronously.
    void RepaintNow(const Rect& rect);

    // The widget's paint event: redraw what is invalid, then copy the exposed
    // part of the buffer to the widget.
    void Paint(QPaintEvent* event);

    // Schedules a screen update of buffer pixels that changed.
    void ScheduleShow(const Rect& rect);

private:
    QPointer<QWidget> widget_;
    QColor fill_;
    QImage image_;
    QRegion invalid_;
    bool eraseInvalid_ = false;
    PaintRoutine paint_;
};

} // namespace platform
