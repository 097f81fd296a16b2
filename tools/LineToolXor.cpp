// CLineTool: the rubber band and the start cross, drawn on a client DC of
// the view with the not-XOR mix and a solid 1-pixel pen in xorColor, so
// that drawing a figure again takes it away. Each figure is remembered as
// drawn, with its view, and erased only while it is shown; a repaint of the
// view draws the figures on screen once more (RedrawToolFigures).

#include "tools/LineTool.h"

#include "view/OrvikCadView.h"

namespace {

COrvikCadView* ShownIn(const QPointer<QWidget>& view)
{
    return static_cast<COrvikCadView*>(view.data());
}

} // namespace

void CLineTool::XorLine(COrvikCadView* view, platform::Point a, platform::Point b)
{
    auto dc = view->GetClientDc();
    XorLineOn(view, *dc, a, b, true);
}

void CLineTool::XorCross(COrvikCadView* view, platform::Point at)
{
    auto dc = view->GetClientDc();
    XorCrossOn(view, *dc, at, true);
}

void CLineTool::RedrawToolFigures(COrvikCadView* view, platform::Dc& dc, bool deviceDc)
{
    if (!view)
        return;
    if (band_.shown && ShownIn(band_.view) == view)
        XorLineOn(view, dc, band_.a, band_.b, deviceDc);
    if (cross_.shown && ShownIn(cross_.view) == view)
        XorCrossOn(view, dc, cross_.a, deviceDc);
    if (dotted_.shown && ShownIn(dotted_.view) == view)
        XorDottedOn(view, dc, dotted_.a, dotted_.b, deviceDc);
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

void CLineTool::XorDottedOn(COrvikCadView* view, platform::Dc& dc, platform::Point a, platform::Point b,
                            bool deviceDc)
{
    const platform::Rop2 kept = dc.SetRop2(platform::Rop2::NotXorPen);
    const platform::Pen oldPen = dc.SelectPen(platform::Pen::Make(platform::PenStyle::Dot, 1, altColor));
    if (deviceDc) {
        view->LogicalToDevice(a.x, a.y);
        view->LogicalToDevice(b.x, b.y);
    }
    dc.MoveTo(a.x, a.y);
    dc.LineTo(b.x, b.y);
    dc.SelectPen(oldPen);
    dc.SetRop2(kept);
}

void CLineTool::ShowDottedGuide(COrvikCadView* view)
{
    EraseDottedGuide();
    dotted_.a = PreviewPoint(view, X[0], Y[0]);
    dotted_.b = PreviewPoint(view, X[1], Y[1]);
    auto dc = view->GetClientDc();
    XorDottedOn(view, *dc, dotted_.a, dotted_.b, true);
    dotted_.shown = true;
    dotted_.view = view;
}

void CLineTool::EraseDottedGuide()
{
    if (!dotted_.shown)
        return;
    dotted_.shown = false;
    if (COrvikCadView* view = ShownIn(dotted_.view)) {
        auto dc = view->GetClientDc();
        XorDottedOn(view, *dc, dotted_.a, dotted_.b, true);
    }
}
