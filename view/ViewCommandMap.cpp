// COrvikCadView: the command map of the view's own commands (display,
// dispatch to the tool, drawing menu) and their check states.

#include "view/OrvikCadView.h"
#include "view/EntityListCommand.h"
#include "view/ToolSelection.h"
#include "model/Document.h"
#include "model/Settings.h"
#include "resources/Resource.h"
#include "view/ToolState.h"

void COrvikCadView::RegisterViewCommands()
{
    // Commands forwarded to the current tool.
    OnCommand(ID_EDIT_UNDO, [this] { OnEditUndo(); });
    OnCommand(ID_ENTER_KEY, [this] { OnEnterKey(); });
    OnCommand(ID_FOCUS_OPTIONBOX, [this] { OnFocusOptionBox(); });
    OnCommand(ID_TOOL_CANCEL, [this] { OnToolReset(); });
    OnCommand(ID_ESCAPE_KEY, [this] { OnToolReset(); });
    OnCommand(ID_END_SELECTION, [this] { OnEndSelection(); });
    OnCommand(ID_SELECT_ALL, [this] { OnSelectAll(); });
    OnCommand(ID_SELECTION_OPERATION, [this] { OnSelectionOperation(); });
    OnCommand(ID_SELECT_ALL_KEY, [this] { OnSelectAll(); });
    for (unsigned id : {ID_SELECT_ALL, ID_SELECT_ALL_KEY})
        OnUpdateCommandUI(id, [](CCmdUI& ui) {
            ui.Enable(CurrentToolId == ToolId::Select || CurrentToolId == ToolId::Move);
        });
    OnCommand(ID_GROUP_REGISTER, [this] { OnGroupRegister(); });
    OnCommand(ID_GROUP_RELEASE, [this] { OnGroupRelease(); });
    // Parts registration comes later; until then its command only ends the
    // marking.
    OnCommand(ID_REGISTER_PARTS, [this] { OnToolReset(); });
    OnCommand(ID_LIST_EDIT, [this] { OnListEdit(this); });
    OnCommand(ID_SPACE_KEY, [this] { OnSpaceKey(); });
    OnCommand(ID_NUMERIC_INPUT, [this] { OnNumericInput(); });
    OnCommand(ID_NUMERIC_SCALE, [this] { OnScaleByNumber(); });

    OnCommand(ID_DRAWING_INFO, [this] { OnDrawingInfo(); });
    RegisterImageOutputCommands();
    RegisterPrintCommands();

    // Display commands.
    OnCommand(ID_VIEW_ZOOM_IN, [this] { ZoomIn(); });
    OnCommand(ID_ZOOM_IN_KEY, [this] { ZoomIn(); });
    OnCommand(ID_VIEW_ZOOM_OUT, [this] { ZoomOut(0.05); });
    OnCommand(ID_ZOOM_OUT_KEY, [this] { ZoomOut(0.05); });
    OnCommand(ID_VIEW_ZOOM_BOX, [this] { OnZoomBox(); });
    OnUpdateCommandUI(ID_VIEW_ZOOM_BOX, [this](CCmdUI& ui) { ui.SetCheck(mouseMode == 1 || mouseMode == 2); });
    OnCommand(ID_VIEW_FIT_ALL, [this] { OnViewFitAll(); });
    OnCommand(ID_VIEW_BASE, [this] { ResetToBaseView(0); });
    OnCommand(ID_VIEW_REDISPLAY, [this] { OnRedisplay(); });
    OnCommand(ID_UPDATE_LAYERS, [this] { OnUpdateLayers(); });
    OnCommand(ID_VIEW_CENTER_MOVE, [this] { OnCenterMove(); });
    OnUpdateCommandUI(ID_VIEW_CENTER_MOVE, [this](CCmdUI& ui) { ui.SetCheck(mouseMode == 3); });
    OnCommand(ID_VIEW_HAND_MOVE, [this] { OnHandMove(); });
    OnUpdateCommandUI(ID_VIEW_HAND_MOVE, [this](CCmdUI& ui) { ui.SetCheck(mouseMode == 4); });
    OnCommand(ID_VIEW_GRID, [this] { OnViewGrid(); });
    // Asked on every idle tick: a drawing without a grid record is walked
    // once per change of its list, not four times a second.
    OnUpdateCommandUI(ID_VIEW_GRID, [this, walked = static_cast<const CEntityList*>(nullptr),
                                     walkedAt = uint64_t(0)](CCmdUI& ui) mutable {
        const COrvikCadDoc* doc = GetDrawing();
        bool shown = false;
        if (doc && !(walked == &doc->list && walkedAt == doc->list.generation)) {
            const CEntity* e = doc->list.first;
            while (e && e->type != EntityType::Grid)
                e = e->next;
            if (e)
                shown = e->subtype != 0;
            walked = e ? nullptr : &doc->list;
            walkedAt = doc->list.generation;
        }
        ui.SetCheck(shown);
    });
    OnCommand(ID_VIEW_MAGNET, [this] { OnMagnet(); });
    OnUpdateCommandUI(ID_VIEW_MAGNET, [](CCmdUI& ui) { ui.SetCheck(MagnetEnabled != 0); });
    OnCommand(ID_VIEW_DRAWING_RANGE, [this] { OnViewDrawingRange(); });
    OnUpdateCommandUI(ID_VIEW_DRAWING_RANGE, [](CCmdUI& ui) { ui.SetCheck(ShowDrawingRange != 0); });
    OnCommand(ID_VIEW_ORIGIN_MARK, [this] { OnViewOriginMark(); });
    OnUpdateCommandUI(ID_VIEW_ORIGIN_MARK, [](CCmdUI& ui) { ui.SetCheck(ShowOriginMark != 0); });
    OnCommand(ID_VIEW_LENGTH_READOUT, [this] { OnLengthReadout(); });
    OnUpdateCommandUI(ID_VIEW_LENGTH_READOUT, [](CCmdUI& ui) { ui.SetCheck(LengthReadoutEnabled != 0); });
    OnCommand(ID_SCROLL_UP, [this] { OnScrollUp(); });
    OnCommand(ID_SCROLL_DOWN, [this] { OnScrollDown(); });
    OnCommand(ID_SCROLL_LEFT, [this] { OnScrollLeft(); });
    OnCommand(ID_SCROLL_RIGHT, [this] { OnScrollRight(); });
    OnCommand(ID_APPLY_GRID, [this] { OnApplyGridPitch(); });
    OnCommand(ID_CANCEL_INPUT, [this] { OnCancelInput(); });

    // The drawing menu and the palettes.
    OnCommandRange(ID_DRAW_FIRST, ID_DRAW_LAST, [this](unsigned id) {
        int group = 0, item = 0;
        if (DrawCommandPair(id, group, item))
            SelectDrawCommand(group, item);
    });
    OnCommand(ID_VIEW_DRAW_PALETTE, [this] { OnViewDrawPalette(); });
    OnUpdateCommandUI(ID_VIEW_DRAW_PALETTE, [](CCmdUI& ui) { ui.SetCheck(PaletteShown == 0); });
    OnCommand(ID_VIEW_PARTS_TREE, [this] { OnViewPartsTree(); });
    OnUpdateCommandUI(ID_VIEW_PARTS_TREE, [](CCmdUI& ui) { ui.SetCheck(PaletteShown == 1); });
}
