#pragma once
// The read-out a tool shows beside its rubber band (a length, a box size).
// A read-out is drawn by inverting, so drawing it again with the same
// arguments takes it away. The object keeps how it was drawn and in which
// view; it is erased only while it is shown there.

#include <QPointer>
#include <QWidget>

#include <functional>

class COrvikCadView;

class ToolReadout {
public:
    // Draws (or, drawn a second time, erases) the read-out in a view.
    using Drawer = std::function<void(COrvikCadView*)>;

    // Erases the read-out shown, then draws this one in view; kind is the
    // tool's own name for it (not 0), given back by Kind while it is shown.
    void Show(COrvikCadView* view, int kind, Drawer draw);
    // Erases the read-out when it is shown, in the view it was drawn in.
    void Erase();
    // The read-out is no longer on screen (the view was drawn over it):
    // nothing is drawn to erase it.
    void Forget() { shown_ = false; }
    bool Shown() const { return shown_; }
    int Kind() const { return shown_ ? kind_ : 0; }
    bool ShownIn(const COrvikCadView* view) const;
    // Draws it once more in view, where a repaint took it away.
    void Redraw(COrvikCadView* view) const;

private:
    COrvikCadView* ViewShown() const;

    Drawer draw_;
    QPointer<QWidget> view_;
    int kind_ = 0;
    bool shown_ = false;
};
