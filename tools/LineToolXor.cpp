// CLineTool: the rubber band and the start cross, drawn on a client DC of
// the view with the not-XOR mix and a solid 1-pixel pen in xorColor, so
// that drawing a figure again takes it away. Each figure is remembered as
// drawn, with its view, and erased only while it is shown.

#include "tools/LineTool.h"

#include "app/OrvikCadView.h"

namespace {

COrvikCadView* ShownIn(const QPointer<QWidget>& view)
{
    return static_cast<COrvikCadView*>(view.data());
}

} // namespace

void CLineTool::XorLine(COrvikCadView* view, platform::Point a, platform::Point b)
{
    auto dc = view->GetClientDc();
    const platform::Rop2 kept = dc->SetRop2(platform::Rop2::NotXorPen);
    const platform::Pen oldPen = dc->SelectPen(platform::Pen::Make(platform::PenStyle::Solid, 1, xorColor));
    int x0 = a.x, y0 = a.y, x1 = b.x, y1 = b.y;
    view->LogicalToDevice(x0, y0);
    view->LogicalToDevice(x1, y1);
    dc->MoveTo(x0, y0);
    dc->LineTo(x1, y1);
    dc->SelectPen(oldPen);
    dc->SetRop2(kept);
}

void CLineTool::XorCross(COrvikCadView* view, platform::Point at)
{
    auto dc = view->GetClientDc();
    const platform::Rop2 kept = dc->SetRop2(platform::Rop2::NotXorPen);
    const platform::Pen oldPen = dc->SelectPen(platform::Pen::Make(platform::PenStyle::Solid, 1, xorColor));
    int x = at.x, y = at.y;
    view->LogicalToDevice(x, y);
    // Nine pixels each way round the point: the last pixel of a line is
    // not drawn.
    dc->MoveTo(x - 4, y);
    dc->LineTo(x + 5, y);
    dc->MoveTo(x, y - 4);
    dc->LineTo(x, y + 5);
    dc->SelectPen(oldPen);
    dc->SetRop2(kept);
}

void CLineTool::ShowBand(COrvikCadView* view, platform::Point a, platform::Point b)
{
    EraseBand();
    XorLine(view, a, b);
    band_.shown = true;
    band_.a = a;
    band_.b = b;
    band_.view = view;
}

void CLineTool::EraseBand()
{
    if (!band_.shown)
        return;
    band_.shown = false;
    if (COrvikCadView* view = ShownIn(band_.view))
        XorLine(view, band_.a, band_.b);
}

void CLineTool::ShowStartCross(COrvikCadView* view, platform::Point at)
{
    EraseStartCross();
    XorCross(view, at);
    cross_.shown = true;
    cross_.a = at;
    cross_.view = view;
}

void CLineTool::EraseStartCross()
{
    if (!cross_.shown)
        return;
    cross_.shown = false;
    if (COrvikCadView* view = ShownIn(cross_.view))
        XorCross(view, cross_.a);
}
