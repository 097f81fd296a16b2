#include "tools/ToolEdit.h"
#include "view/DrawTool.h"
#include "view/ToolList.h"

#include "view/OrvikCadView.h"

ToolEdit::ToolEdit(COrvikCadView* view) : view_(view)
{
    COrvikCadDoc* doc = view_ ? view_->GetDrawing() : nullptr;
    if (!doc)
        return;
    dc_ = view_->GetClientDc();
    // An inverted magnet marker under a new entity would leave pixels behind
    // when it is erased later: it goes first (the next mouse move shows it).
    if (CDrawTool* tool = FindCurrentTool())
        tool->EraseMagnetMarker(view_);
    edit_.emplace(*doc, [this](CEntity* e) { view_->DrawEntity(*dc_, e, EntityState::Normal); });
}

ToolEdit::~ToolEdit() = default;

EntityHeader ToolEdit::Header(int16_t type, int16_t subtype, int16_t count) const
{
    return NewEntityHeader(type, subtype, count, view_ ? static_cast<int16_t>(view_->currentLayer) : int16_t(0));
}

CEntity* ToolEdit::Add(const EntityHeader& header, const int16_t* codes, const double* values,
                       std::string_view text, std::string_view font)
{
    return edit_ ? edit_->Add(header, codes, values, text, font) : nullptr;
}

CEntity* ToolEdit::AddInColour(const EntityHeader& header, const int16_t* codes, COLORREF colour,
                               const double* values)
{
    return edit_ ? edit_->Add(header, codes, colour, values, {}, {}) : nullptr;
}

CEntity* ToolEdit::AddChild(const EntityHeader& header, const int16_t* codes, const double* values,
                            std::string_view text, std::string_view font, CEntity* owner)
{
    return edit_ ? edit_->AddChild(header, codes, values, text, font, owner) : nullptr;
}

bool ToolEdit::Change(CEntity* entity, const std::function<void(CEntity&)>& edit)
{
    return edit_ ? edit_->Change(entity, edit) : false;
}

bool ToolEdit::CloseRun()
{
    return edit_ ? edit_->CloseRun() : false;
}
