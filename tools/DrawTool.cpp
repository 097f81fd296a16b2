// The tool base: construction, the base operations that need no view, and
// entities held between clicks.

#include "view/DrawTool.h"

#include "model/Document.h"
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
    slot_ = entity_ ? entity_->slot : 0;
    serial_ = entity_ ? entity_->serial : 0;
}

void HeldEntity::Clear()
{
    doc_ = nullptr;
    list_ = nullptr;
    entity_ = nullptr;
    slot_ = 0;
    serial_ = 0;
}

CEntity* HeldEntity::Get(const COrvikCadDoc* doc) const
{
    if (!entity_ || !doc || doc != doc_ || list_ != &doc->list)
        return nullptr;
    return list_->Holds(entity_, slot_, serial_) ? entity_ : nullptr;
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
void CDrawTool::RedrawToolFigures(COrvikCadView*, platform::Dc&) {}

void CDrawTool::SelectDefaultTool()
{
    CurrentToolId = ToolId::Select;
}

void CDrawTool::ResetByRightClick(COrvikCadView* view)
{
    platform::Point p = corner;
    OnRButtonDown(view, ToolFlags::LButton, &p);
}
