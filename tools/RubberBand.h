#pragma once
// A figure a tool shows with the not-XOR mix: lines, crosses, rectangles,
// circles, ellipses, arcs, polylines and whole entities, at view points, in
// one pen. It remembers what it drew and in which view, so it is erased only
// while it is shown (by drawing it once more), and a repaint of the view can
// put it back (Redraw). Lines and polylines reaching far beyond the view are
// drawn only where they can be seen, so a band to a far point costs no more
// than one across the view and gives the same pixels each time.

#include "model/Entity.h"
#include "platform/Dc.h"

#include <QPointer>
#include <QWidget>

#include <utility>
#include <vector>

class COrvikCadView;

class RubberBand {
public:
    // One piece of a figure. Line: a to b. Cross: about a. Ellipse: the box
    // a (left, top) to b (right, bottom). Arc: the box a-b, from the ray
    // through c to the ray through d, counter-clockwise on screen.
    // CircleCentre: about a through b. CircleDiameter: on the diameter a-b.
    // Polyline: points. Entity: the entity as the view draws it.
    // FilledPolygon: points, filled in the figure's colour. Disc: the box
    // a-b, filled.
    struct Piece {
        enum class Kind { Line, Cross, Ellipse, Arc, CircleCentre, CircleDiameter, Polyline, Entity, FilledPolygon, Disc };
        Kind kind = Kind::Line;
        platform::Point a{}, b{}, c{}, d{};
        std::vector<platform::Point> points;
        CEntity entity;  // unlinked copy
        // The piece's own pen; width 0 takes the figure's.
        platform::PenStyle penStyle = platform::PenStyle::Solid;
        int penWidth = 0;
    };

    // The pieces of the next Show.
    void Clear()
    {
        pieces_.clear();
        piecePen_ = {platform::PenStyle::Solid, 0};
    }
    // The pen of the pieces added from now on (width in pixels; 0 goes back
    // to the figure's pen).
    void SetPiecePen(platform::PenStyle style, int width) { piecePen_ = {style, width}; }
    void AddFilledPolygon(std::vector<platform::Point> points);
    void AddDisc(platform::Point topLeft, platform::Point bottomRight);
    void AddLine(platform::Point a, platform::Point b);
    // A cross about the point, nine pixels each way.
    void AddCross(platform::Point at);
    // A rectangle: the closed polyline through its four corners.
    void AddRectangle(platform::Point topLeft, platform::Point bottomRight);
    void AddEllipse(platform::Point topLeft, platform::Point bottomRight);
    void AddArc(platform::Point topLeft, platform::Point bottomRight, platform::Point start, platform::Point end);
    void AddCircle(platform::Point centre, platform::Point through);
    void AddDiameterCircle(platform::Point a, platform::Point b);
    void AddPolyline(std::vector<platform::Point> points);
    void AddEntity(const CEntity& entity);
    bool HasPieces() const { return !pieces_.empty(); }

    // Erases the figure shown, then draws the pieces added in view.
    void Show(COrvikCadView* view, platform::COLORREF colour, platform::PenStyle style = platform::PenStyle::Solid);
    // The figure of one piece in place of the one shown.
    void ShowLine(COrvikCadView* view, platform::COLORREF colour, platform::Point a, platform::Point b)
    {
        Clear();
        AddLine(a, b);
        Show(view, colour);
    }
    void ShowCross(COrvikCadView* view, platform::COLORREF colour, platform::Point at)
    {
        Clear();
        AddCross(at);
        Show(view, colour);
    }
    // Draws the pieces added once in view with the given mix, without
    // keeping them: nothing erases or redraws this drawing but a repaint.
    void Paint(COrvikCadView* view, platform::COLORREF colour, platform::Rop2 rop) const;
    // Erases the figure when it is shown; the pieces stay for the next Show.
    void Erase();
    bool Shown() const { return shown_; }
    // True while the figure is shown in view.
    bool ShownIn(const COrvikCadView* view) const;
    // Draws the figure once more on dc when it is shown in view.
    void Redraw(COrvikCadView* view, platform::Dc& dc) const;

private:
    void Push(Piece piece);
    void DrawOn(COrvikCadView* view, platform::Dc& dc) const;
    void DrawPieces(COrvikCadView* view, platform::Dc& dc, const std::vector<Piece>& pieces,
                    platform::COLORREF colour, platform::PenStyle style, platform::Rop2 rop) const;

    std::vector<Piece> pieces_;  // pieces being built
    std::vector<Piece> drawn_;   // pieces on screen
    std::pair<platform::PenStyle, int> piecePen_{platform::PenStyle::Solid, 0};
    bool shown_ = false;
    platform::COLORREF colour_ = 0;
    platform::PenStyle style_ = platform::PenStyle::Solid;
    QPointer<QWidget> view_;
};
