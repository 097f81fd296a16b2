#include "edit_tools/MarkSelection.h"

#include "edit_tools/SelectTool.h"
#include "model/Document.h"
#include "model/Settings.h"
#include "view/OrvikCadView.h"
#include "view/ToolState.h"

#include <cstdlib>

namespace {

constexpr int WindowTolerance = 10;  // logical pixels between press and release

} // namespace

bool MarkOnRelease(CDrawTool& tool, COrvikCadView* view, platform::Point point)
{
    if (!view || !view->GetDrawing())
        return false;
    if (ButtonDownPending) {
        ButtonDownPending = 0;
        // One more drawing of the band takes it away.
        if (XorPreviewShown) {
            XorPreviewShown = 0;
            tool.DrawDragRect(view, tool.corner, 0);
        }
    }
    // The release decides between a click and a window, however few moves
    // the band saw.
    tool.corner = point;
    if (std::abs(tool.corner.x - tool.anchor.x) >= WindowTolerance ||
        std::abs(tool.corner.y - tool.anchor.y) >= WindowTolerance) {
        int x1 = tool.anchor.x, y1 = tool.anchor.y, x2 = point.x, y2 = point.y;
        CDrawTool::NormalizeRect(x1, y1, x2, y2);
        double wx1 = view->XToModel(x1), wy1 = view->YToModel(y1), wx2 = view->XToModel(x2),
               wy2 = view->YToModel(y2);
        CDrawTool::NormalizeWorldRect(wx1, wy1, wx2, wy2);
        tool.SelectInRect(view, wx1, wy1, wx2, wy2, EntityState::Marked);
        return true;
    }
    double x = 0, y = 0;
    CEntity* e = view->PickEntity(MagnetEnabled ? 1 : -999, point.x, point.y, x, y);
    if (!e || e->layer != static_cast<int>(view->currentLayer))
        return false;
    CEntity* unit = e->owner ? e->owner : e;
    const int16_t state = unit->state == EntityState::Marked ? EntityState::Normal : EntityState::Marked;
    unit->state = state;
    SetGroupMembersState(view, unit, state);
    auto dc = view->GetClientDc();
    view->DrawEntity(*dc, unit, state);
    return true;
}

void ArmWhenMarked(COrvikCadView* view)
{
    const COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    if (!doc || SelectionArmed)
        return;
    for (const CEntity* e = doc->list.first; e; e = e->next)
        if (e->state == EntityState::Marked) {
            SelectionArmed = 1;
            return;
        }
}
