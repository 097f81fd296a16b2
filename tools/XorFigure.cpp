#include "tools/XorFigure.h"

#include "view/OrvikCadView.h"

namespace {

COrvikCadView* ShownIn(const QPointer<QWidget>& view)
{
    return static_cast<COrvikCadView*>(view.data());
}

} // namespace

void XorFigure::AddLine(platform::Point a, platform::Point b)
{
    Piece p;
    p.kind = Piece::Kind::Line;
    p.a = a;
    p.b = b;
    pieces_.push_back(p);
}

void XorFigure::AddCross(platform::Point at)
{
    // The last pixel of a line is not drawn.
    AddLine({at.x - 4, at.y}, {at.x + 5, at.y});
    AddLine({at.x, at.y - 4}, {at.x, at.y + 5});
}

void XorFigure::AddEllipse(platform::Point topLeft, platform::Point bottomRight)
{
    Piece p;
    p.kind = Piece::Kind::Ellipse;
    p.a = topLeft;
    p.b = bottomRight;
    pieces_.push_back(p);
}

void XorFigure::AddArc(platform::Point topLeft, platform::Point bottomRight, platform::Point start,
                       platform::Point end)
{
    Piece p;
    p.kind = Piece::Kind::Arc;
    p.a = topLeft;
    p.b = bottomRight;
    p.c = start;
    p.d = end;
    pieces_.push_back(p);
}

void XorFigure::DrawOn(COrvikCadView* view, platform::Dc& dc, bool deviceDc) const
{
    const platform::Rop2 keptRop = dc.SetRop2(platform::Rop2::NotXorPen);
    const platform::Pen oldPen = dc.SelectPen(platform::Pen::Make(style_, 1, colour_));
    const platform::Brush oldBrush = dc.SelectBrush(platform::Brush::NullBrush());
    const platform::ArcDirection oldDirection = dc.SetArcDirection(platform::ArcDirection::CounterClockwise);
    auto map = [&](platform::Point p) {
        if (deviceDc)
            view->LogicalToDevice(p.x, p.y);
        return p;
    };
    for (const Piece& piece : drawn_) {
        const platform::Point a = map(piece.a), b = map(piece.b);
        switch (piece.kind) {
        case Piece::Kind::Line:
            dc.MoveTo(a.x, a.y);
            dc.LineTo(b.x, b.y);
            break;
        case Piece::Kind::Ellipse:
            dc.Ellipse(a.x, a.y, b.x, b.y);
            break;
        case Piece::Kind::Arc: {
            const platform::Point c = map(piece.c), d = map(piece.d);
            dc.Arc(a.x, a.y, b.x, b.y, c.x, c.y, d.x, d.y);
            break;
        }
        }
    }
    dc.SetArcDirection(oldDirection);
    dc.SelectBrush(oldBrush);
    dc.SelectPen(oldPen);
    dc.SetRop2(keptRop);
}

void XorFigure::Show(COrvikCadView* view, platform::COLORREF colour, platform::PenStyle style)
{
    Erase();
    if (!view)
        return;
    drawn_ = pieces_;
    colour_ = colour;
    style_ = style;
    view_ = view;
    auto dc = view->GetClientDc();
    DrawOn(view, *dc, true);
    shown_ = true;
}

void XorFigure::Erase()
{
    if (!shown_)
        return;
    shown_ = false;
    if (COrvikCadView* view = ShownIn(view_)) {
        auto dc = view->GetClientDc();
        DrawOn(view, *dc, true);
    }
    drawn_.clear();
}

void XorFigure::Redraw(COrvikCadView* view, platform::Dc& dc, bool deviceDc) const
{
    if (shown_ && view && ShownIn(view_) == view)
        DrawOn(view, dc, deviceDc);
}
