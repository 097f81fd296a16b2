#pragma once
// A figure a tool shows with the not-XOR mix: lines, ellipses and arcs at
// view points, in one pen. It remembers what it drew and in which view, so
// it is erased only while it is shown (by drawing it once more), and a
// repaint of the view can put it back (Redraw).

#include "platform/Dc.h"

#include <QPointer>
#include <QWidget>

#include <vector>

class COrvikCadView;

class XorFigure {
public:
    // One piece of a figure. Line: a to b. Ellipse: the box a (left, top)
    // to b (right, bottom). Arc: the box a-b, from the ray through c to the
    // ray through d, counter-clockwise on screen.
    struct Piece {
        enum class Kind { Line, Ellipse, Arc } kind = Kind::Line;
        platform::Point a{}, b{}, c{}, d{};
    };

    // The pieces of the next Show.
    void Clear() { pieces_.clear(); }
    void AddLine(platform::Point a, platform::Point b);
    // A cross about the point, nine pixels each way.
    void AddCross(platform::Point at);
    void AddEllipse(platform::Point topLeft, platform::Point bottomRight);
    void AddArc(platform::Point topLeft, platform::Point bottomRight, platform::Point start, platform::Point end);
    bool HasPieces() const { return !pieces_.empty(); }

    // Erases the figure shown, then draws the pieces added in view.
    void Show(COrvikCadView* view, platform::COLORREF colour, platform::PenStyle style = platform::PenStyle::Solid);
    // Erases the figure when it is shown; the pieces stay for the next Show.
    void Erase();
    bool Shown() const { return shown_; }
    // Draws the figure once more on dc when it is shown in view.
    void Redraw(COrvikCadView* view, platform::Dc& dc, bool deviceDc) const;

private:
    void DrawOn(COrvikCadView* view, platform::Dc& dc, bool deviceDc) const;

    std::vector<Piece> pieces_;  // pieces being built
    std::vector<Piece> drawn_;   // pieces on screen
    bool shown_ = false;
    platform::COLORREF colour_ = 0;
    platform::PenStyle style_ = platform::PenStyle::Solid;
    QPointer<QWidget> view_;
};
