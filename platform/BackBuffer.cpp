#include "platform/BackBuffer.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace platform {

ClientDc::ClientDc(BackBuffer& buffer) : PainterDc(buffer.Image()), buffer_(buffer) {}

ClientDc::~ClientDc()
{
    Flush();
    Show();
}

void ClientDc::Show()
{
    Flush();
    const Rect r = Touched();
    ResetTouched();
    if (!r.IsEmpty()) buffer_.ScheduleShow(r);
}

BackBuffer::BackBuffer(QWidget* widget, QColor fill) : widget_(widget), fill_(fill)
{
    image_ = QImage(1, 1, QImage::Format_RGB32);
    image_.fill(fill_);
}

void BackBuffer::Resize(int width, int height)
{
    width = std::max(1, width);
    height = std::max(1, height);
    if (width == image_.width() && height == image_.height()) return;
    QImage next(width, height, QImage::Format_RGB32);
    next.fill(fill_);
    {
        QPainter p(&next);
        p.drawImage(0, 0, image_);
    }
    image_ = std::move(next);
    InvalidateAll();
}

void BackBuffer::Invalidate(const Rect& rect, bool erase)
{
    const Rect r = rect.Normalized().Intersected({0, 0, image_.width(), image_.height()});
    if (r.IsEmpty()) return;
    invalid_ += QRect(r.left, r.top, r.Width(), r.Height());
    eraseInvalid_ = eraseInvalid_ || erase;
    if (widget_) widget_->update(QRect(r.left, r.top, r.Width(), r.Height()));
}

void BackBuffer::InvalidateAll(bool erase) { Invalidate({0, 0, image_.width(), image_.height()}, erase); }

void BackBuffer::MarkAllDrawn()
{
    invalid_ = QRegion();
    eraseInvalid_ = false;
}

void BackBuffer::Validate()
{
    if (invalid_.isEmpty()) return;
    const QRect area = invalid_.boundingRect();
    const bool erase = eraseInvalid_;
    invalid_ = QRegion();
    eraseInvalid_ = false;
    if (!paint_) return;
    PainterDc dc(image_);
    dc.IntersectClipRect(area.left(), area.top(), area.right() + 1, area.bottom() + 1);
    paint_(dc, erase);
}

void BackBuffer::RepaintNow(const Rect& rect)
{
    const Rect r = rect.Normalized().Intersected({0, 0, image_.width(), image_.height()});
    Validate();
    if (widget_ && !r.IsEmpty()) widget_->repaint(QRect(r.left, r.top, r.Width(), r.Height()));
}

void BackBuffer::Paint(QPaintEvent* event)
{
    Validate();
    if (!widget_) return;
    QPainter p(widget_);
    const QRect area = event ? event->rect() : widget_->rect();
    p.drawImage(area.topLeft(), image_, area);
}

void BackBuffer::ScheduleShow(const Rect& rect)
{
    if (widget_) widget_->update(QRect(rect.left, rect.top, rect.Width(), rect.Height()));
}

} // namespace platform
