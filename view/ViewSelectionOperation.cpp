// The selection panel's operations (command 32900) on the selected
// entities: drawing order, flips and quarter turns.

#include "view/OrvikCadView.h"
#include "view/ToolState.h"
#include "view/ViewDispatch.h"

#include "model/Document.h"
#include "model/Settings.h"
#include "model/SnapPointList.h"

#include <vector>

std::function<void(COrvikCadView& view, int argument)> TransformSelectionInPlace;

namespace {

// The selected entities (the grid record never) in list order.
std::vector<CEntity*> SelectedRun(CEntityList& list)
{
    std::vector<CEntity*> run;
    for (CEntity* e = list.first; e; e = e->next)
        if (e->state == EntityState::Selected && e->type != EntityType::Grid)
            run.push_back(e);
    return run;
}

// The selection as one block, in its order, at the end of the list (drawn
// last, so on top). One already last stays selected.
void BringToFront(CEntityList& list, const std::vector<CEntity*>& run)
{
    CEntity* after = list.last;
    while (after && after->state == EntityState::Selected && after->type != EntityType::Grid)
        after = after->previous;
    const CEntity* wasLast = list.last;
    if (after)
        list.MoveRun(run, after);
    for (CEntity* e : run)
        if (e != wasLast)
            e->state = EntityState::Normal;
}

// The selection as one block, in its order, just after the grid record
// (drawn first, so beneath). One already there stays selected.
void SendToBack(CEntityList& list, const std::vector<CEntity*>& run)
{
    CEntity* grid = list.first && list.first->type == EntityType::Grid ? list.first : nullptr;
    const CEntity* inPlace = grid ? grid->next : list.first;
    list.MoveRun(run, grid);
    for (CEntity* e : run)
        if (e != inPlace)
            e->state = EntityState::Normal;
}

} // namespace

void COrvikCadView::OnSelectionOperation()
{
    const int argument = CommandArgument;
    COrvikCadDoc* doc = GetDrawing();
    if (doc) {
        const std::vector<CEntity*> run = SelectedRun(doc->list);
        if (!run.empty()) {
            doc->list.DiscardUndo(&doc->snaps);
            switch (argument) {
            case 1:
            case 2:
                if (argument == 1)
                    BringToFront(doc->list, run);
                else
                    SendToBack(doc->list, run);
                doc->snaps.CopyStatesFromEntities();
                doc->SetModifiedFlag(true);
                Buffer().InvalidateAll(true);
                break;
            case 3:
            case 4:
            case 5:
            case 6:
                InputPointCount = 0;
                XorPreviewShown = 0;
                ButtonDownPending = 0;
                if (TransformSelectionInPlace)
                    TransformSelectionInPlace(*this, argument);
                break;
            default:
                break;
            }
        }
    }
    CommandArgument = 0;
}
