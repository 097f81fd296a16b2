// EntityRenderer: the hatch drawer. The hatch lines are generated from the
// record's boundary and pattern at every paint and drawn as plain pieces.

#include "view/EntityRenderer.h"

#include "model/HatchLines.h"
#include "model/Notify.h"

#include <algorithm>
#include <unordered_set>

namespace {

// Hatches already reported as having too many boundary items: each beeps once.
std::unordered_set<const CEntity*>& ReportedHatches()
{
    static std::unordered_set<const CEntity*> reported;
    return reported;
}

} // namespace

void EntityRenderer::DrawHatch(const CEntity* e, int state)
{
    if (e->values.size() < 7 || e->codes.empty())
        return;
    const double x0 = e->values[3], y0 = e->values[4], x1 = e->values[5], y1 = e->values[6];
    if (!(std::min(x0, x1) <= visibleX1 && std::max(x0, x1) >= visibleX0 && std::min(y0, y1) <= visibleY1 &&
          std::max(y0, y1) >= visibleY0))
        return;
    if (e->codes[0] > MaxHatchBoundaryItems) {
        // Nothing that paints shows a message box; a beep says it once.
        if (ReportedHatches().insert(e).second)
            MessageBeep(1);
        return;
    }
    const int drawState = EffectiveState(e, state);
    const COLORREF colour = GetStateColor(drawState, e->colour);
    int width = 0;
    if (dc.IsPrinting())
        width = pens.penWidth[e->style >= 0 && e->style <= 7 ? e->style : 0];
    const platform::Pen oldPen = dc.SelectPen(platform::Pen::Make(platform::PenStyle::Solid, width, colour));
    GenerateHatchLines(*e, [&](const HatchSegment& s) {
        const platform::Point a = ToPixel(s.x1, s.y1), b = ToPixel(s.x2, s.y2);
        dc.MoveTo(a.x, a.y);
        dc.LineTo(b.x, b.y);
    });
    dc.SelectPen(oldPen);
}
