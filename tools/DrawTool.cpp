// The tool base: construction, the base operations that need no view, and
// entities held between clicks.

#include "view/DrawTool.h"

#include "model/Document.h"
#include "model/EntityListChanges.h"
#include "view/ToolList.h"
#include "view/ToolState.h"

// ---- HeldEntity ----

bool EntityIsLinked(const CEntityList& list, const CEntity* entity)
{
    if (!entity)
        return false;
    for (const CEntity* e = list.first; e; e = e->next)
        if (e == entity)
            return true;
    return false;
}

void HeldEntity::Hold(COrvikCadDoc* doc, CEntity* entity)
{
    doc_ = doc;
    list_ = doc ? &doc->list : nullptr;
    entity_ = doc ? entity : nullptr;
    relinks_ = EntityListRelinkCount();
    type_ = entity_ ? entity_->type : 0;
    values_ = entity_ ? entity_->values : std::vector<double>{};
}

void HeldEntity::Clear()
{
    doc_ = nullptr;
    list_ = nullptr;
    entity_ = nullptr;
    values_.clear();
}

CEntity* HeldEntity::Get(const COrvikCadDoc* doc) const
{
    if (!entity_ || !doc || doc != doc_ || list_ != &doc->list)
        return nullptr;
    // Records leave a list only through an unlink, which the change count
    // notes; while it stands still the entity is where it was.
    if (EntityListRelinkCount() == relinks_)
        return entity_;
    if (!EntityIsLinked(*list_, entity_))
        return nullptr;
    // Linked, so the record is alive: make sure it is the one held.
    return entity_->type == type_ && entity_->values == values_ ? entity_ : nullptr;
}

// ---- CDrawTool ----

CDrawTool::CDrawTool(int id) : toolId(id)
{
    ToolList.AddTail(this);
    SelectionArmed = 0;
    TextBoxOpen = 0;
}

CDrawTool::~CDrawTool()
{
    ToolList.Remove(this);
}

void CDrawTool::OnEnterKey(COrvikCadView*) {}
void CDrawTool::FocusOptionBox(COrvikCadView*) {}
void CDrawTool::OnLButtonDown(COrvikCadView*, unsigned, platform::Point*) {}
void CDrawTool::OnLButtonDblClk(COrvikCadView*, unsigned, platform::Point*) {}
void CDrawTool::OnMouseMove(COrvikCadView*, unsigned, platform::Point*) {}
void CDrawTool::OnRButtonDown(COrvikCadView*, unsigned, platform::Point*) {}
void CDrawTool::Reserved() {}
void CDrawTool::Reset(COrvikCadView*) {}
void CDrawTool::EndSelection(COrvikCadView*) {}
void CDrawTool::ErasePreview(COrvikCadView*) {}
void CDrawTool::SelectAll(COrvikCadView*) {}
void CDrawTool::RedrawToolFigures(COrvikCadView*, platform::Dc&, bool) {}

void CDrawTool::SelectDefaultTool()
{
    CurrentToolId = ToolId::Select;
}

void CDrawTool::ResetByRightClick(COrvikCadView* view)
{
    platform::Point p = corner;
    OnRButtonDown(view, ToolFlags::LButton, &p);
}
