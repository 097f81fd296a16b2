// CLineTool: the rubber band and the start cross in a solid 1-pixel pen in
// xorColor, the centre line's guide dotted in altColor; a repaint of the
// view draws the figures on screen once more (RedrawToolFigures).

#include "tools/LineTool.h"

#include "view/OrvikCadView.h"

void CLineTool::RedrawToolFigures(COrvikCadView* view, platform::Dc& dc)
{
    if (!view)
        return;
    band_.Redraw(view, dc);
    cross_.Redraw(view, dc);
    dotted_.Redraw(view, dc);
}

void CLineTool::ShowBand(COrvikCadView* view, platform::Point a, platform::Point b)
{
    band_.ShowLine(view, xorColor, a, b);
}

void CLineTool::EraseBand()
{
    band_.Erase();
}

void CLineTool::ShowStartCross(COrvikCadView* view, platform::Point at)
{
    cross_.ShowCross(view, xorColor, at);
}

void CLineTool::EraseStartCross()
{
    cross_.Erase();
}

void CLineTool::ShowDottedGuide(COrvikCadView* view)
{
    dotted_.Clear();
    dotted_.AddLine(PreviewPoint(view, X[0], Y[0]), PreviewPoint(view, X[1], Y[1]));
    dotted_.Show(view, altColor, platform::PenStyle::Dot);
}

void CLineTool::EraseDottedGuide()
{
    dotted_.Erase();
}
