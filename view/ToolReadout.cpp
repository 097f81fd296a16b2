#include "view/ToolReadout.h"

#include "view/OrvikCadView.h"

COrvikCadView* ToolReadout::ViewShown() const
{
    return static_cast<COrvikCadView*>(view_.data());
}

void ToolReadout::Show(COrvikCadView* view, int kind, Drawer draw)
{
    Erase();
    if (!view)
        return;
    draw(view);
    draw_ = std::move(draw);
    kind_ = kind;
    view_ = view;
    shown_ = true;
}

void ToolReadout::Erase()
{
    if (!shown_)
        return;
    shown_ = false;
    if (COrvikCadView* view = ViewShown())
        draw_(view);
}

bool ToolReadout::ShownIn(const COrvikCadView* view) const
{
    return shown_ && view && ViewShown() == view;
}

void ToolReadout::Redraw(COrvikCadView* view) const
{
    if (ShownIn(view))
        draw_(view);
}
