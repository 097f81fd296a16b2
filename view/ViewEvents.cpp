// COrvikCadView: the widget side. The client area shows the back buffer;
// scroll bars appear only while the client is smaller than the scroll size;
// Qt's events become the handler calls.

#include "view/OrvikCadView.h"

#include "model/Document.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QResizeEvent>
#include <QTimer>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

void COrvikCadView::SetupWidget()
{
    setMouseTracking(true);
    hBar = new QScrollBar(Qt::Horizontal, this);
    vBar = new QScrollBar(Qt::Vertical, this);
    hBar->hide();
    vBar->hide();
    auto scrolled = [this](int) { backBuffer.InvalidateAll(true); update(); };
    connect(hBar, &QScrollBar::valueChanged, this, scrolled);
    connect(vBar, &QScrollBar::valueChanged, this, scrolled);
}

int COrvikCadView::FrameScrollX() const
{
    return hBar && hBar->isVisibleTo(this) ? hBar->value() : 0;
}

int COrvikCadView::FrameScrollY() const
{
    return vBar && vBar->isVisibleTo(this) ? vBar->value() : 0;
}

void COrvikCadView::SetScrollSizes(int width, int height)
{
    scrollW = width;
    scrollH = height;
    LayoutScrollBars();
}

void COrvikCadView::LayoutScrollBars()
{
    const int w = width(), h = height();
    const int barW = vBar->sizeHint().width(), barH = hBar->sizeHint().height();
    bool needH = w < scrollW, needV = h < scrollH;
    if (needH && !needV)
        needV = h - barH < scrollH;
    if (needV && !needH)
        needH = w - barW < scrollW;
    const int cw = std::max(0, w - (needV ? barW : 0)), ch = std::max(0, h - (needH ? barH : 0));
    hBar->setVisible(needH);
    vBar->setVisible(needV);
    if (needH) {
        hBar->setGeometry(0, ch, cw, barH);
        hBar->setRange(0, std::max(0, scrollW - cw));
        hBar->setPageStep(std::max(1, cw));
    } else {
        hBar->setValue(0);
    }
    if (needV) {
        vBar->setGeometry(cw, 0, barW, ch);
        vBar->setRange(0, std::max(0, scrollH - ch));
        vBar->setPageStep(std::max(1, ch));
    } else {
        vBar->setValue(0);
    }
    // The buffer keeps at least one pixel each way: compare with that, or a
    // window too small for its scroll bars would report a new size (and be
    // fitted again) at every layout, for ever.
    if (backBuffer.Width() != std::max(1, cw) || backBuffer.Height() != std::max(1, ch)) {
        backBuffer.Resize(cw, ch);
        OnSize(cw, ch);
    }
}

void COrvikCadView::PrepareDc(platform::Dc& dc) const
{
    dc.SetViewportOrg(-FrameScrollX(), -FrameScrollY());
}

void COrvikCadView::PaintRoutine(platform::Dc& dc, bool erase)
{
    PrepareDc(dc);
    if (awaitingBaseView) {
        const COrvikCadDoc* doc = GetDrawing();
        dc.FillRect(dc.GetClipBox(),
                    platform::Brush::Solid(doc ? doc->DrawingSettingsBlock.DisplayColor(0) : colors[0]));
        return;
    }
    if (erase)
        dc.FillRect(dc.GetClipBox(), platform::Brush::Solid(colors[0]));
    OnDraw(dc);
    RestoreToolFigures(dc);
}

std::unique_ptr<platform::ClientDc> COrvikCadView::GetClientDc()
{
    // The frame's scroll offset is the viewport origin, as on the paint DC:
    // whoever draws takes the view's logical pixels either way.
    auto dc = backBuffer.GetClientDc();
    PrepareDc(*dc);
    return dc;
}

void COrvikCadView::RedrawNow()
{
    backBuffer.InvalidateAll(true);
    backBuffer.Validate();
    update();
}

void COrvikCadView::OnSize(int cx, int cy)
{
    clientW = cx;
    clientH = cy;
    if (COrvikCadDoc* doc = GetDrawing()) {
        doc->ClientSizeRecord[0] = std::max(cx, 594);
        doc->ClientSizeRecord[1] = std::max(cy, 420);
    }
    areaW = std::max(areaW, clientW);
    areaH = std::max(areaH, clientH);
    resized = 1;
    if (fitOnResize && !fitScheduled) {
        fitScheduled = true;
        QTimer::singleShot(0, this, [this] {
            fitScheduled = false;
            if (fitOnResize)
                ResetToBaseView(1);
        });
    }
}

bool COrvikCadView::OnCmdMsg(unsigned id, CCmdUI* ui)
{
    if (!ui)
        fitOnResize = false;
    return CView::OnCmdMsg(id, ui);
}

void COrvikCadView::paintEvent(QPaintEvent* event)
{
    backBuffer.Paint(event);
}

void COrvikCadView::resizeEvent(QResizeEvent* event)
{
    CView::resizeEvent(event);
    LayoutScrollBars();
}

platform::Point COrvikCadView::EventPoint(const QPointF& p) const
{
    return {static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))};
}

unsigned COrvikCadView::EventFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods)
{
    unsigned f = 0;
    if (buttons & Qt::LeftButton)
        f |= MouseFlags::LButton;
    if (buttons & Qt::RightButton)
        f |= MouseFlags::RButton;
    if (buttons & Qt::MiddleButton)
        f |= MouseFlags::MButton;
    if (mods & Qt::ShiftModifier)
        f |= MouseFlags::Shift;
    if (mods & Qt::ControlModifier)
        f |= MouseFlags::Control;
    return f;
}

void COrvikCadView::mousePressEvent(QMouseEvent* event)
{
    fitOnResize = false;
    // A click on the drawing takes the keyboard, so a field of a bar being
    // typed into is left (and applies what was typed) before the click acts.
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    const unsigned flags = EventFlags(event->buttons(), event->modifiers());
    const platform::Point p = EventPoint(event->position());
    if (event->button() == Qt::LeftButton)
        OnLButtonDown(flags, p);
    else if (event->button() == Qt::RightButton)
        OnRButtonDown(flags, p);
}

void COrvikCadView::mouseReleaseEvent(QMouseEvent* event)
{
    const unsigned flags = EventFlags(event->buttons(), event->modifiers());
    const platform::Point p = EventPoint(event->position());
    if (event->button() == Qt::LeftButton)
        OnLButtonUp(flags, p);
    else if (event->button() == Qt::RightButton)
        OnRButtonUp(flags, p);
}

void COrvikCadView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const unsigned flags = EventFlags(event->buttons(), event->modifiers());
    const platform::Point p = EventPoint(event->position());
    if (event->button() == Qt::LeftButton)
        OnLButtonDblClk(flags, p);
    else if (event->button() == Qt::RightButton)
        OnRButtonDown(flags, p);
}

void COrvikCadView::mouseMoveEvent(QMouseEvent* event)
{
    OnMouseMove(EventFlags(event->buttons(), event->modifiers()), EventPoint(event->position()));
}

void COrvikCadView::keyPressEvent(QKeyEvent* event)
{
    fitOnResize = false;
    OnKeyDown(static_cast<unsigned>(event->key()), event->isAutoRepeat() ? 1u : 0u,
              static_cast<unsigned>(event->modifiers()));
}

void COrvikCadView::OnKeyDown(unsigned, unsigned, unsigned) {}
