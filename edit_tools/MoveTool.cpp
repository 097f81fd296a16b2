// The move tool's steps: marking, the end of the selection, the clicks of
// each sub-mode, the cancel and the reset. What is done with the marked
// entities lies in MoveEngine.cpp (move, copy, turn), MoveBetweenDrawings.cpp
// and MoveMirror.cpp.

#include "edit_tools/MoveTool.h"

#include "edit_tools/MarkSelection.h"
#include "model/Document.h"
#include "model/EntityList.h"
#include "model/Notify.h"
#include "model/Settings.h"
#include "model/SnapPointList.h"
#include "platform/Dialog.h"
#include "tools/IdouZahyoDlg.h"
#include "view/OrvikCadView.h"
#include "view/FrameHost.h"
#include "view/ViewDispatch.h"

#include <cmath>

namespace {

using MoveStep = SubModeStep<CMoveTool>;

const CMoveTool::SubModeSteps Steps[7] = {
    {MoveStep{"移動する図形要素を選んでください。", &CMoveTool::ClickMove, nullptr, nullptr},
     "マウス右ボタンで選択終了。移動処理を行います。", "移動の基準となる場所をマウスクリックしてください。",
     "移動の方向値を入力してください。", "移動基準位置(点)を指示して下さい。", "移動先の位置(点)を指示して下さい。",
     1, false},
    {MoveStep{"複写する図形要素を選んでください。", &CMoveTool::ClickCopy, nullptr, nullptr},
     "マウス右ボタンで選択終了。複写処理を行います。", "複写の基準となる場所をマウスクリックしてください。",
     "複写の方向値を入力してください。", "複写基準位置(点)を指示して下さい。", "複写先の位置(点)を指示して下さい。",
     0, false},
    {MoveStep{"水平反転 移動する図形要素を選んでください。", &CMoveTool::ClickMirrorHorizontally,
              &CMoveTool::PreviewMirrorAxis, nullptr},
     "マウス右ボタンで選択終了。水平反転移動処理を行います。",
     "水平反転移動の基準となる場所をマウスクリックしてください。", "", "反転移動する基準位置を選んで下さい。", "",
     -1, false},
    {MoveStep{"水平反転 複写する図形要素を選んでください。", &CMoveTool::ClickMirrorCopyHorizontally,
              &CMoveTool::PreviewMirrorAxis, nullptr},
     "マウス右ボタンで選択終了。水平反転複写処理を行います。",
     "水平反転複写の基準となる場所をマウスクリックしてください。", "", "反転複写する基準位置を選んで下さい。", "",
     -1, false},
    {MoveStep{"垂直反転 移動する図形要素を選んでください。", &CMoveTool::ClickMirrorVertically,
              &CMoveTool::PreviewMirrorAxis, nullptr},
     "マウス右ボタンで選択終了。垂直反転移動処理を行います。",
     "垂直反転移動の基準となる場所をマウスクリックしてください。", "", "反転移動する基準位置を選んで下さい。", "",
     -1, false},
    {MoveStep{"垂直反転 複写する図形要素を選んでください。", &CMoveTool::ClickMirrorCopyVertically,
              &CMoveTool::PreviewMirrorAxis, nullptr},
     "マウス右ボタンで選択終了。垂直反転複写処理を行います。",
     "垂直反転複写の基準となる場所をマウスクリックしてください。", "", "反転複写する基準位置を選んで下さい。", "",
     -1, false},
    {MoveStep{"図面間移動を行う図形要素を選んでください。", &CMoveTool::ClickCopyBetweenDrawings, nullptr, nullptr},
     "マウス右ボタンで選択終了。図面間移動処理を行います。",
     "図面間複写の基準となる場所をマウスクリックしてください。", "", "", "", -1, true},
};

void PromptIfAny(const char* text)
{
    if (text && *text)
        ShowPrompt(text);
}

} // namespace

CMoveTool::CMoveTool() : CDrawTool(ToolId::Move)
{
    XorPreviewShown = 0;
    ButtonDownPending = 0;
    InputPointCount = 0;
    toolAux = 0;
    // The selection panel's turns and flips reach the move engine here.
    TransformSelectionInPlace = &CMoveTool::RunSelectionOperation;
}

const CMoveTool::SubModeSteps& CMoveTool::StepsOf(int subMode)
{
    return Steps[subMode >= 0 && subMode <= 6 ? subMode : 0];
}

void CMoveTool::FocusOptionBox(COrvikCadView*)
{
    const SubModeSteps* row = FindSubModeRow(Steps, ToolSubMode);
    if (row && row->typedMove >= 0)
        FocusMainOptionBox();
}

void CMoveTool::OnLButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point)
{
    if (!view || !point || (flags & ToolFlags::RButton))
        return;
    RecordRop2(view);
    ButtonDownPending = 1;
    anchor = corner = *point;
    m_pickState = 0;
}

void CMoveTool::OnLButtonUp(COrvikCadView* view, unsigned, platform::Point* point)
{
    if (!view || !point)
        return;
    if (InputPointCount == 0) {
        if (MarkOnRelease(*this, view, *point)) {
            m_pickState = 1;
            m_firstNew = nullptr;
        }
        if (m_pickState == 1) {
            SelectionArmed = 1;
            ShowPrompt(StepsOf(ToolSubMode).marked);
        }
        ButtonDownPending = 0;
        XorPreviewShown = 0;
        return;
    }
    // The destination of a copy between drawings is taken only in a view
    // activated after the base point was given.
    const SubModeSteps* row = FindSubModeRow(Steps, ToolSubMode);
    if (row && row->throughBuffer && InputPointCount == 3 && OperationRestarted == 0)
        return;
    if (row)
        RunStep(*this, row->step.click, view, *point);
    SelectionArmed = 0;
    ButtonDownPending = 0;
    XorPreviewShown = 0;
}

void CMoveTool::OnMouseMove(COrvikCadView* view, unsigned, platform::Point* point)
{
    if (!view || !point)
        return;
    if (InputPointCount == 0) {
        if (ButtonDownPending)
            DrawDragRect(view, *point, 0);
        return;
    }
    ButtonDownPending = 0;
    if (InputPointCount == 2)
        if (const SubModeSteps* row = FindSubModeRow(Steps, ToolSubMode))
            RunStep(*this, row->step.move, view, *point);
    if (InputPointCount >= 2)
        UpdateMagnetMarker(view, *point);
}

void CMoveTool::OnRButtonDown(COrvikCadView* view, unsigned, platform::Point*)
{
    if (!view)
        return;
    if (InputPointCount == 0) {
        ArmWhenMarked(view);
        return;
    }
    EraseBaseCross();
    EraseMirrorAxis();
    DeselectAll(view, EntityState::Highlighted);
    InputPointCount = 0;
    OperationRestarted = 1;
    Reset(view);
    m_previewPoint = {};
}

void CMoveTool::Reset(COrvikCadView* view)
{
    EraseBaseCross();
    EraseMirrorAxis();
    // Copies waiting in the buffer for their paste are given up.
    if (StepsOf(ToolSubMode).throughBuffer && InputPointCount == 3)
        EntityBuffer.RemoveAll();
    if (COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr) {
        for (CEntity* e = doc->list.first; e; e = e->next)
            if (e->state == EntityState::Selected || e->state == EntityState::Marked) {
                e->state = EntityState::Normal;
                view->InvalidateEntity(e);
            }
    }
    EraseMagnetMarker(view);
    m_pickState = 0;
    m_firstNew = nullptr;
    m_firstNewSet = 0;
    SelectionArmed = 0;
    InputPointCount = 0;
    ButtonDownPending = 0;
    XorPreviewShown = 0;
    ShowPrompt(StepsOf(ToolSubMode).Start());
}

void CMoveTool::EndSelection(COrvikCadView* view)
{
    const SubModeSteps* row = FindSubModeRow(Steps, ToolSubMode);
    const SubModeSteps& steps = StepsOf(ToolSubMode);
    if (row && row->typedMove >= 0 && MoveByCoordinates == 1) {
        ShowPrompt(steps.typed);
        MoveByDialog(view, steps.typedMove);
        InputPointCount = 0;
    } else {
        ShowPrompt(steps.ended);
        InputPointCount = 2;
    }
    SelectionArmed = 0;
}

void CMoveTool::SelectAll(COrvikCadView* view)
{
    COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    if (!doc)
        return;
    const int layer = static_cast<int>(view->currentLayer);
    for (CEntity* e = doc->list.first; e; e = e->next)
        if (e->layer == layer && e->type != EntityType::Grid && e->state != EntityState::Deleted)
            e->state = EntityState::Marked;
    // One repaint shows them all marked.
    view->Buffer().InvalidateAll(true);
    m_pickState = 1;
    m_firstNew = nullptr;
    InputPointCount = 2;
    PromptIfAny(StepsOf(ToolSubMode).all);
}

void CMoveTool::RedrawToolFigures(COrvikCadView* view, platform::Dc& dc)
{
    // Only the view they were drawn in shows them.
    if (!view || view != FigureView())
        return;
    if (m_axisShown)
        DrawAxisOn(view, dc, m_previewPoint, ToolSubMode >= 4 ? 1 : 0);
    if (!m_crossShown)
        return;
    const platform::Rop2 kept = dc.SetRop2(platform::Rop2::NotXorPen);
    const platform::Pen oldPen = dc.SelectPen(platform::Pen::Make(platform::PenStyle::Solid, 1, xorColor));
    DrawCrossMarker(dc, m_previewPoint.x, m_previewPoint.y);
    dc.SelectPen(oldPen);
    dc.SetRop2(kept);
}

COrvikCadView* CMoveTool::FigureView() const
{
    return static_cast<COrvikCadView*>(m_figureView.data());
}

void CMoveTool::ShowBaseCross(COrvikCadView* view)
{
    EraseMirrorAxis();
    EraseBaseCross();
    m_figureView = view;
    m_crossShown = 1;
    auto dc = view->GetClientDc();
    RedrawToolFigures(view, *dc);
}

void CMoveTool::EraseBaseCross()
{
    if (m_crossShown)
        if (COrvikCadView* shown = FigureView()) {
            auto dc = shown->GetClientDc();
            RedrawToolFigures(shown, *dc);
        }
    m_crossShown = 0;
}

void CMoveTool::TakeStepPoint(COrvikCadView* view, platform::Point point)
{
    TakenPoint p = TakePoint(view, point, 0);
    // Without the magnet the shared click point looks at grid points only;
    // this tool takes the point of whatever entity lies under the cursor.
    if (p.source != PointSource::Marker && !MagnetEnabled) {
        double px = 0.0, py = 0.0;
        if (view->PickEntity(0, point.x, point.y, px, py)) {
            p.x = px;
            p.y = py;
            p.view = PreviewPoint(view, px, py);
        }
    }
    const int step = InputPointCount >= 0 && InputPointCount < MaxInputPoints ? InputPointCount : 0;
    X[step] = p.x;
    Y[step] = p.y;
    m_previewPoint = p.view;
}

void CMoveTool::EndOperation(COrvikCadView* view)
{
    EraseMagnetMarker(view);
    m_pickState = 0;
}

void CMoveTool::ClickMoveCopy(COrvikCadView* view, platform::Point point, int move)
{
    COrvikCadDoc* doc = view->GetDrawing();
    if (!doc)
        return;
    if (InputPointCount == 2) {
        TakeStepPoint(view, point);
        ShowBaseCross(view);
        InputPointCount = 3;
        ShowPrompt(StepsOf(ToolSubMode).destination);
        doc->list.DiscardUndo(&doc->snaps);
        return;
    }
    EraseBaseCross();
    TakeStepPoint(view, point);
    InputPointCount = 0;
    ShowPrompt(StepsOf(ToolSubMode).Start());
    TransformSelection(view, 0, move, MoveScale, MoveAngle);
    EndOperation(view);
}

void CMoveTool::MoveByDialog(COrvikCadView* view, int move)
{
    COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    if (!doc)
        return;
    IdouZahyoDlg dlg(view);
    if (dlg.DoModal() != IDOK)
        return;
    if (!std::isfinite(dlg.valueX) || !std::isfinite(dlg.valueY)) {
        MessageBeep(0);
        return;
    }
    doc->list.DiscardUndo(&doc->snaps);
    X[2] = 0.0;
    Y[2] = 0.0;
    X[3] = dlg.valueX;
    Y[3] = dlg.valueY;
    TransformSelection(view, 0, move, MoveScale, MoveAngle);
    EndOperation(view);
}
