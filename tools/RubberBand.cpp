#include "tools/RubberBand.h"

#include "view/OrvikCadView.h"
#include "view/ViewCircles.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

COrvikCadView* ViewOf(const QPointer<QWidget>& view)
{
    return static_cast<COrvikCadView*>(view.data());
}

// Cuts the segment a-b to the box; false when nothing of it is inside.
bool ClipSegment(double& ax, double& ay, double& bx, double& by, double x0, double y0, double x1, double y1)
{
    double t0 = 0.0, t1 = 1.0;
    const double dx = bx - ax, dy = by - ay;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {ax - x0, x1 - ax, ay - y0, y1 - ay};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const double sx = ax, sy = ay;
    ax = sx + t0 * dx;
    ay = sy + t0 * dy;
    bx = sx + t1 * dx;
    by = sy + t1 * dy;
    return true;
}

// The pieces of a polyline (view points) near the visible part of the view:
// a figure reaching far beyond it is drawn only where it can be seen, so
// that a line to a far clamped point costs no more than one across the view.
// The box depends on the view alone, so a figure drawn again for the same
// view and scroll position gives the same pixels.
std::vector<std::vector<platform::Point>> VisibleRuns(const COrvikCadView* view,
                                                      const std::vector<platform::Point>& points)
{
    constexpr double Margin = 1024.0;
    const double x0 = view->FrameScrollX() - Margin, y0 = view->FrameScrollY() - Margin;
    const double x1 = view->FrameScrollX() + view->width() + Margin;
    const double y1 = view->FrameScrollY() + view->height() + Margin;
    auto inside = [&](platform::Point p) { return p.x >= x0 && p.x <= x1 && p.y >= y0 && p.y <= y1; };
    std::vector<std::vector<platform::Point>> runs;
    if (points.size() < 2)
        return runs;
    std::vector<platform::Point> run;
    auto flush = [&] {
        if (run.size() >= 2)
            runs.push_back(std::move(run));
        run.clear();
    };
    for (std::size_t i = 1; i < points.size(); ++i) {
        const platform::Point a = points[i - 1], b = points[i];
        if (inside(a) && inside(b)) {
            if (run.empty())
                run.push_back(a);
            run.push_back(b);
            continue;
        }
        double ax = a.x, ay = a.y, bx = b.x, by = b.y;
        if (!ClipSegment(ax, ay, bx, by, x0, y0, x1, y1)) {
            flush();
            continue;
        }
        const platform::Point ca{static_cast<int>(std::lround(ax)), static_cast<int>(std::lround(ay))};
        const platform::Point cb{static_cast<int>(std::lround(bx)), static_cast<int>(std::lround(by))};
        if (!inside(a) || run.empty()) {
            flush();
            run.push_back(ca);
        }
        run.push_back(cb);
        if (!inside(b))
            flush();
    }
    flush();
    return runs;
}

} // namespace

void RubberBand::Push(Piece piece)
{
    piece.penStyle = piecePen_.first;
    piece.penWidth = piecePen_.second;
    pieces_.push_back(std::move(piece));
}

void RubberBand::AddFilledPolygon(std::vector<platform::Point> points)
{
    Piece p;
    p.kind = Piece::Kind::FilledPolygon;
    p.points = std::move(points);
    Push(std::move(p));
}

void RubberBand::AddDisc(platform::Point topLeft, platform::Point bottomRight)
{
    Piece p;
    p.kind = Piece::Kind::Disc;
    p.a = topLeft;
    p.b = bottomRight;
    Push(std::move(p));
}

void RubberBand::AddLine(platform::Point a, platform::Point b)
{
    Piece p;
    p.kind = Piece::Kind::Line;
    p.a = a;
    p.b = b;
    Push(std::move(p));
}

void RubberBand::AddCross(platform::Point at)
{
    Piece p;
    p.kind = Piece::Kind::Cross;
    p.a = at;
    Push(std::move(p));
}

void RubberBand::AddRectangle(platform::Point topLeft, platform::Point bottomRight)
{
    AddPolyline({topLeft, {bottomRight.x, topLeft.y}, bottomRight, {topLeft.x, bottomRight.y}, topLeft});
}

void RubberBand::AddEllipse(platform::Point topLeft, platform::Point bottomRight)
{
    Piece p;
    p.kind = Piece::Kind::Ellipse;
    p.a = topLeft;
    p.b = bottomRight;
    Push(std::move(p));
}

void RubberBand::AddArc(platform::Point topLeft, platform::Point bottomRight, platform::Point start,
                        platform::Point end)
{
    Piece p;
    p.kind = Piece::Kind::Arc;
    p.a = topLeft;
    p.b = bottomRight;
    p.c = start;
    p.d = end;
    Push(std::move(p));
}

void RubberBand::AddCircle(platform::Point centre, platform::Point through)
{
    Piece p;
    p.kind = Piece::Kind::CircleCentre;
    p.a = centre;
    p.b = through;
    Push(std::move(p));
}

void RubberBand::AddDiameterCircle(platform::Point a, platform::Point b)
{
    Piece p;
    p.kind = Piece::Kind::CircleDiameter;
    p.a = a;
    p.b = b;
    Push(std::move(p));
}

void RubberBand::AddPolyline(std::vector<platform::Point> points)
{
    Piece p;
    p.kind = Piece::Kind::Polyline;
    p.points = std::move(points);
    Push(std::move(p));
}

void RubberBand::AddEntity(const CEntity& entity)
{
    Piece p;
    p.kind = Piece::Kind::Entity;
    p.entity = entity;
    p.entity.previous = p.entity.next = p.entity.owner = nullptr;
    Push(std::move(p));
}

void RubberBand::DrawOn(COrvikCadView* view, platform::Dc& dc) const
{
    DrawPieces(view, dc, drawn_, colour_, style_, platform::Rop2::NotXorPen);
}

void RubberBand::Paint(COrvikCadView* view, platform::COLORREF colour, platform::Rop2 rop) const
{
    if (!view || pieces_.empty())
        return;
    auto dc = view->GetClientDc();
    DrawPieces(view, *dc, pieces_, colour, platform::PenStyle::Solid, rop);
}

void RubberBand::DrawPieces(COrvikCadView* view, platform::Dc& dc, const std::vector<Piece>& pieces,
                            platform::COLORREF colour, platform::PenStyle style, platform::Rop2 rop) const
{
    const platform::Rop2 keptRop = dc.SetRop2(rop);
    const platform::Pen figurePen = platform::Pen::Make(style, 1, colour);
    const platform::Pen oldPen = dc.SelectPen(figurePen);
    const platform::Brush oldBrush = dc.SelectBrush(platform::Brush::NullBrush());
    const platform::ArcDirection oldDirection = dc.SetArcDirection(platform::ArcDirection::CounterClockwise);
    auto polyline = [&](const std::vector<platform::Point>& points) {
        for (const std::vector<platform::Point>& run : VisibleRuns(view, points))
            dc.Polyline(run);
    };
    int penWidth = 0;
    platform::PenStyle penStyle = style;
    for (const Piece& piece : pieces) {
        if (piece.penWidth != penWidth || (piece.penWidth != 0 && piece.penStyle != penStyle)) {
            penWidth = piece.penWidth;
            penStyle = piece.penStyle;
            dc.SelectPen(penWidth == 0 ? figurePen : platform::Pen::Make(penStyle, penWidth, colour));
        }
        const platform::Point a = piece.a, b = piece.b;
        switch (piece.kind) {
        case Piece::Kind::Line:
            polyline({piece.a, piece.b});
            break;
        case Piece::Kind::Cross:
            // The last pixel of a line is not drawn.
            dc.MoveTo(a.x - 4, a.y);
            dc.LineTo(a.x + 5, a.y);
            dc.MoveTo(a.x, a.y - 4);
            dc.LineTo(a.x, a.y + 5);
            break;
        case Piece::Kind::Polyline:
            polyline(piece.points);
            break;
        case Piece::Kind::Ellipse:
            dc.Ellipse(a.x, a.y, b.x, b.y);
            break;
        case Piece::Kind::Arc: {
            const platform::Point c = piece.c, d = piece.d;
            dc.Arc(a.x, a.y, b.x, b.y, c.x, c.y, d.x, d.y);
            break;
        }
        case Piece::Kind::CircleCentre:
            DrawCircleCenterPoint(dc, a.x, a.y, b.x, b.y);
            break;
        case Piece::Kind::CircleDiameter:
            DrawCircleTwoPoints(dc, a.x, a.y, b.x, b.y);
            break;
        case Piece::Kind::Entity:
            view->DrawEntity(dc, const_cast<CEntity*>(&piece.entity), piece.entity.state);
            break;
        case Piece::Kind::FilledPolygon:
        case Piece::Kind::Disc: {
            const platform::Brush kept = dc.SelectBrush(platform::Brush::Solid(colour));
            if (piece.kind == Piece::Kind::Disc) {
                dc.Ellipse(a.x, a.y, b.x, b.y);
            } else if (piece.points.size() >= 2) {
                dc.Polygon(piece.points);
            }
            dc.SelectBrush(kept);
            break;
        }
        }
    }
    dc.SetArcDirection(oldDirection);
    dc.SelectBrush(oldBrush);
    dc.SelectPen(oldPen);
    dc.SetRop2(keptRop);
}

void RubberBand::Show(COrvikCadView* view, platform::COLORREF colour, platform::PenStyle style)
{
    Erase();
    if (!view)
        return;
    drawn_ = pieces_;
    colour_ = colour;
    style_ = style;
    view_ = view;
    auto dc = view->GetClientDc();
    DrawOn(view, *dc);
    shown_ = true;
}

void RubberBand::Erase()
{
    if (!shown_)
        return;
    shown_ = false;
    if (COrvikCadView* view = ViewOf(view_)) {
        auto dc = view->GetClientDc();
        DrawOn(view, *dc);
    }
    drawn_.clear();
}

bool RubberBand::ShownIn(const COrvikCadView* view) const
{
    return shown_ && view && ViewOf(view_) == view;
}

void RubberBand::Redraw(COrvikCadView* view, platform::Dc& dc) const
{
    if (ShownIn(view))
        DrawOn(view, dc);
}
