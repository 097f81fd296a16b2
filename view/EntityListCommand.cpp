#include "view/EntityListCommand.h"

#include "model/Document.h"
#include "model/EditProtocol.h"
#include "model/EntityTransform.h"
#include "model/Settings.h"
#include "view/DrawTool.h"
#include "view/OrvikCadView.h"
#include "view/ToolList.h"

#include <vector>

EntityListRunner EntityListDialog;

std::optional<EntityCopy> NewEntityOfRow(const COrvikCadDoc& doc, const EntityRow& row)
{
    return RecordFromRow(row, doc.DrawingOrigin[0], doc.DrawingOrigin[1],
                         static_cast<int16_t>(CurrentLineType * 100 + CurrentPen), CurrentLayer, CurrentColor);
}

CEntity* AddEntityRows(COrvikCadDoc& doc, const std::vector<EntityRow>& rows)
{
    if (rows.empty() || doc.RefuseWhenProtected())
        return nullptr;
    BeginEdit(doc.list, &doc.snaps);
    CEntity* first = nullptr;
    for (const EntityRow& row : rows) {
        const std::optional<EntityCopy> copy = NewEntityOfRow(doc, row);
        CEntity* added = copy ? AddEntityCopy(doc.list, *copy) : nullptr;
        if (!added)
            continue;
        doc.snaps.AddEntityPoints(added);
        if (!first)
            first = added;
    }
    if (first) {
        FinishAddedRun(doc.list, first);
        doc.SetModifiedFlag(true);
    }
    return first;
}

void OnListEdit(COrvikCadView* view)
{
    COrvikCadDoc* doc = view->GetDrawing();
    std::optional<std::vector<EntityRow>> rows;
    if (doc && EntityListDialog) {
        EntityListRequest request;
        request.parent = view;
        request.drawing = doc;
        request.listMarked = true;
        rows = EntityListDialog(request);
    }
    if (rows && !doc->RefuseWhenProtected()) {
        CEntityList& list = doc->list;
        BeginEdit(list, &doc->snaps);
        // Every entity the dialog listed leaves the drawing, whether or not
        // its row is still there; the rows come back as new entities.
        std::vector<CEntity*> replaced;
        for (CEntity* e = list.first; e; e = e->next) {
            if (!IsListedEntity(*e))
                continue;
            e->state = EntityState::Deleted;
            replaced.push_back(e);
            view->InvalidateEntity(e);
        }
        CEntity* first = nullptr;
        {
            auto dc = view->GetClientDc();
            for (const EntityRow& row : *rows) {
                const std::optional<EntityCopy> copy = NewEntityOfRow(*doc, row);
                CEntity* added = copy ? AddEntityCopy(list, *copy) : nullptr;
                if (!added)
                    continue;
                doc->snaps.AddEntityPoints(added);
                view->DrawEntity(*dc, added, EntityState::Normal);
                if (!first)
                    first = added;
            }
        }
        if (replaced.empty()) {
            if (first)
                FinishAddedRun(list, first);
        } else {
            FinishReplacingEdit(list, &doc->snaps, first, replaced);
        }
        if (first || !replaced.empty())
            doc->SetModifiedFlag(true);
    }
    if (CDrawTool* tool = FindCurrentTool())
        tool->Reset(view);
}
