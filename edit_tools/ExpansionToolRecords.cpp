// The replacing edit of the extend and join modes: old records out, new
// ones in, as one undo step or not at all.

#include "edit_tools/ExpansionTool.h"

#include "model/Document.h"
#include "model/EditProtocol.h"
#include "model/SnapPointList.h"
#include "tools/ToolEdit.h"
#include "view/OrvikCadView.h"
#include "model/EntityKinds.h"

CEntity* CExpansionTool::Target(COrvikCadView* view) const
{
    return view ? picked.Get(view->GetDrawing()) : nullptr;
}

CExpansionTool::NewRecord CExpansionTool::LineRecord(COrvikCadView* view, int16_t style, COLORREF colour, GeoPoint a,
                                                     GeoPoint b)
{
    NewRecord r;
    r.header = {EntityType::Line, 0, style, static_cast<int16_t>(view->currentLayer), 4};
    r.codes = CodesOf(EntityType::Line);
    r.values = {a.x, a.y, b.x, b.y};
    r.colour = colour;
    return r;
}

bool CExpansionTool::ReplaceRecords(COrvikCadView* view, const std::vector<CEntity*>& olds,
                                    const std::vector<NewRecord>& news)
{
    COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    if (!doc || news.empty())
        return false;
    if (doc->RefuseWhenProtected()) {
        for (CEntity* e : olds)
            DrawInState(view, e, EntityState::Normal);
        return false;
    }
    ToolEdit edit(view);
    if (!edit.Ready())
        return false;
    for (CEntity* e : olds) {
        e->state = EntityState::Deleted;
        view->InvalidateEntity(e);
    }
    std::vector<CEntity*> added;
    for (const NewRecord& r : news) {
        CEntity* e = edit.AddInColour(r.header, r.codes.data(), r.colour, r.values.data());
        if (!e) {
            TakeBackReplacement(view, added, olds);
            return false;
        }
        added.push_back(e);
    }
    FinishReplacingEdit(doc->list, &doc->snaps, added.front());
    return true;
}

void CExpansionTool::TakeBackReplacement(COrvikCadView* view, const std::vector<CEntity*>& added,
                                         const std::vector<CEntity*>& olds)
{
    COrvikCadDoc* doc = view->GetDrawing();
    for (CEntity* e : added) {
        view->InvalidateEntity(e);
        e->state = EntityState::Deleted;
    }
    for (CEntity* e : olds) {
        e->state = EntityState::Normal;
        view->InvalidateEntity(e);
    }
    // The additions leave through an undo step that is dropped at once:
    // freed with their snap points, and nothing left to undo.
    doc->list.MoveDeletedToUndo();
    doc->list.DiscardUndo(&doc->snaps);
}
