// The expansion tool: its modes, the cancel, the line cut and the cut
// between two lines.

#include "edit_tools/ExpansionTool.h"

#include "edit_tools/ExpansionElements.h"

#include "model/Document.h"
#include "model/EditProtocol.h"
#include "model/GeometryLines.h"
#include "model/LineCut.h"
#include "model/Notify.h"
#include "model/Settings.h"
#include "model/SnapPointList.h"
#include "tools/ToolEdit.h"
#include "view/OrvikCadView.h"
#include "model/EntityKinds.h"

#include <cmath>
#include <utility>
#include <vector>

using namespace expansion;

const CExpansionTool::SubModeRow* CExpansionTool::RowOf(int mode)
{
    using Step = SubModeStep<CExpansionTool>;
    static const SubModeRow rows[] = {
        {Step{"伸縮する、図形要素を指示して下さい。", &CExpansionTool::Extend, nullptr, nullptr}, true},
        {Step{"伸縮の基準線を指示して下さい。", &CExpansionTool::ExtendToBase, nullptr, nullptr}, true},
        {Step{"カットする図形要素を指示して下さい。", &CExpansionTool::Cut, &CExpansionTool::DrawCutRubberBand,
              nullptr},
         true},
        {Step{"２線間の直線をカットします。第１直線を指示して下さい。", &CExpansionTool::TwoLineCut, nullptr,
              nullptr},
         true},
        {Step{"接合する図形要素を指示して下さい。", &CExpansionTool::Join, nullptr, nullptr}, true},
        {Step{"包括処理を行う開始位置をクリックしてください。", &CExpansionTool::WindowProcess,
              &CExpansionTool::ShowWindowBand, nullptr},
         false},
    };
    return FindSubModeRow(rows, mode);
}

const char* CExpansionTool::FirstPrompt(int mode)
{
    const SubModeRow* row = RowOf(mode);
    return row ? row->step.prompt : "";
}

void CExpansionTool::OnLButtonDown(COrvikCadView* view, unsigned, platform::Point*)
{
    RecordRop2(view);
}

void CExpansionTool::OnLButtonUp(COrvikCadView* view, unsigned, platform::Point* point)
{
    if (!view || !point)
        return;
    if (const SubModeRow* row = RowOf(ToolSubMode))
        RunStep(*this, row->step.click, view, *point);
}

void CExpansionTool::OnMouseMove(COrvikCadView* view, unsigned, platform::Point* point)
{
    if (!view || !point || InputPointCount == 0)
        return;
    if (const SubModeRow* row = RowOf(ToolSubMode))
        RunStep(*this, row->step.move, view, *point);
}

void CExpansionTool::ExtendToBase(COrvikCadView* view, platform::Point point)
{
    if (InputPointCount == 0)
        PickBaseLine(view, point);
    else
        ExtendToBaseLine(view, point);
}

void CExpansionTool::Cut(COrvikCadView* view, platform::Point point)
{
    if (InputPointCount == 0) {
        PickCutElement(view, point);
    } else if (CEntity* e = PickedOrRestart(view)) {
        if (IsLineKind(e->type))
            CutLine(view, point);
        else if (e->type == EntityType::Ellipse || e->type == EntityType::EllipticArc)
            CutEllipse(view, point);
        else
            CutCircle(view, point);
    }
}

void CExpansionTool::DrawCutRubberBand(COrvikCadView* view, platform::Point point)
{
    const CEntity* e = picked.Get(view->GetDrawing());
    if (!e)
        return;
    if (IsLineKind(e->type))
        DrawLineCutRubberBand(view, point);
    else if (e->type == EntityType::Ellipse || e->type == EntityType::EllipticArc)
        InputPointCount == 1 ? DrawEllipseCutRubberBand1(view, point) : DrawEllipseCutRubberBand2(view, point);
    else
        DrawArcCutRubberBand(view, point);
}

void CExpansionTool::OnRButtonDown(COrvikCadView* view, unsigned, platform::Point*)
{
    if (InputPointCount == 0)
        return;
    band_.Erase();
    cross_.Erase();
    window_.Erase();
    XorPreviewShown = 0;
    Prompt(FirstPrompt(ToolSubMode));
    const SubModeRow* row = RowOf(ToolSubMode);
    if (view && row && row->releasesPicked)
        if (CEntity* e = picked.Get(view->GetDrawing()))
            DrawInState(view, e, EntityState::Normal);
    picked.Clear();
    InputPointCount = 0;
    OperationRestarted = 1;
}

void CExpansionTool::Reset(COrvikCadView* view)
{
    OnRButtonDown(view, ToolFlags::LButton, &corner);
    picked.Clear();
}

void CExpansionTool::RedrawToolFigures(COrvikCadView* view, platform::Dc& dc)
{
    if (!view)
        return;
    band_.Redraw(view, dc);
    cross_.Redraw(view, dc);
    window_.Redraw(view, dc);
}

CEntity* CExpansionTool::PickedOrRestart(COrvikCadView* view)
{
    CEntity* e = picked.Get(view->GetDrawing());
    if (e)
        return e;
    // Taken away (undo, another window) since it was picked.
    MessageBeep(1);
    StartOver();
    return nullptr;
}

void CExpansionTool::StartOver()
{
    band_.Erase();
    cross_.Erase();
    window_.Erase();
    XorPreviewShown = 0;
    picked.Clear();
    InputPointCount = 0;
    Prompt(FirstPrompt(ToolSubMode));
}

void CExpansionTool::DrawInState(COrvikCadView* view, CEntity* e, int16_t state)
{
    e->state = state;
    // A mark drawn over a curve may reach beyond its plain look: that is
    // painted afresh.
    if (state == EntityState::Normal) {
        view->InvalidateEntity(e);
        return;
    }
    auto dc = view->GetClientDc();
    view->DrawEntity(*dc, e, state);
}

void CExpansionTool::PickBaseLine(COrvikCadView* view, platform::Point point)
{
    XorPreviewShown = 0;
    double x = 0, y = 0;
    CEntity* e = view->PickEntity(-20, point.x, point.y, x, y);
    if (!e || !HasDirection(*e)) {
        MessageBeep(1);
        return;
    }
    picked.Hold(view->GetDrawing(), e);
    InputPointCount = 1;
    DrawInState(view, e, EntityState::Marked);
    Prompt("伸縮する直線を指示して下さい。[マウス右：終了]");
}

void CExpansionTool::PickCutElement(COrvikCadView* view, platform::Point point)
{
    XorPreviewShown = 0;
    double x = 0, y = 0;
    CEntity* e = view->PickEntity(-22, point.x, point.y, x, y);
    if (!e || (IsLineKind(e->type) ? !HasDirection(*e) : !IsCuttableCurve(*e))) {
        MessageBeep(1);
        return;
    }
    picked.Hold(view->GetDrawing(), e);
    arcState_ = {};
    if (IsLineKind(e->type)) {
        X[0] = x;
        Y[0] = y;
        const LineResult line = LineFromPoints(e->values[0], e->values[1], e->values[2], e->values[3]);
        ref_[0] = line.a;
        ref_[1] = line.b;
        ref_[2] = line.c;
    } else {
        X[0] = e->values[0];
        Y[0] = e->values[1];
        ref_[0] = e->values[0];
        ref_[1] = e->values[1];
        ref_[2] = e->values[2];
    }
    anchor = corner = PreviewPoint(view, X[0], Y[0]);
    InputPointCount = 1;
    DrawInState(view, e, EntityState::TempMark);
    Prompt("カット開始位置を指示して下さい。");
}

void CExpansionTool::ShowLineBand(COrvikCadView* view, GeoPoint at)
{
    const double n = std::hypot(ref_[0], ref_[1]);
    band_.Clear();
    if (n > 0) {
        // The tick: across the line, 1000 model units each way.
        const double ux = ref_[0] / n * 1000.0, uy = ref_[1] / n * 1000.0;
        band_.AddLine(PreviewPoint(view, at.x - ux, at.y - uy), PreviewPoint(view, at.x + ux, at.y + uy));
    }
    if (InputPointCount == 2)
        band_.AddLine(anchor, PreviewPoint(view, at.x, at.y));
    band_.Show(view, xorColor);
    XorPreviewShown = 1;
}

void CExpansionTool::DrawLineCutRubberBand(COrvikCadView* view, platform::Point point)
{
    CEntity* e = picked.Get(view->GetDrawing());
    if (!e)
        return;
    corner = point;
    const PointResult f =
        FootOnSegment({view->XToModel(point.x), view->YToModel(point.y)}, StoredStart(*e), StoredEnd(*e));
    if (f.status != 0) {
        MessageBeep(1);
        return;
    }
    ShowLineBand(view, {f.x, f.y});
}

void CExpansionTool::CutLine(COrvikCadView* view, platform::Point point)
{
    CEntity* e = PickedOrRestart(view);
    if (!e)
        return;
    COrvikCadDoc* doc = view->GetDrawing();
    double px = 0, py = 0;
    if (!view->PickEntity(0, point.x, point.y, px, py)) {
        px = view->XToModel(point.x);
        py = view->YToModel(point.y);
    }
    band_.Erase();
    XorPreviewShown = 0;
    const PointResult f = FootOnSegment({px, py}, StoredStart(*e), StoredEnd(*e));
    if (f.status != 0) {
        MessageBeep(1);
        return;
    }
    if (InputPointCount == 1) {
        anchor = PreviewPoint(view, f.x, f.y);
        cross_.ShowCross(view, xorColor, anchor);
        X[1] = f.x;
        Y[1] = f.y;
        InputPointCount = 2;
        Prompt("カット終了位置を指示して下さい。");
        return;
    }
    cross_.Erase();
    X[2] = f.x;
    Y[2] = f.y;
    InputPointCount = 0;
    Prompt(FirstPrompt(2));
    picked.Clear();
    if (doc->RefuseWhenProtected()) {
        DrawInState(view, e, EntityState::Normal);
        return;
    }
    const std::vector<LineSegment> pieces = CutLinePieces(StoredStart(*e), StoredEnd(*e), {X[1], Y[1]}, {X[2], Y[2]});
    std::vector<std::pair<GeoPoint, GeoPoint>> ends;
    for (const LineSegment& s : pieces)
        ends.push_back({s.a, s.b});
    ReplaceByPieces(view, e, ends);
}

void CExpansionTool::ReplaceByPieces(COrvikCadView* view, CEntity* old,
                                     const std::vector<std::pair<GeoPoint, GeoPoint>>& pieces)
{
    COrvikCadDoc* doc = view->GetDrawing();
    if (pieces.empty()) {
        // Nothing of the line stays: it goes, as one undo step.
        old->state = EntityState::Deleted;
        view->InvalidateEntity(old);
        CEntity* doomed[] = {old};
        DeleteEntities(doc->list, &doc->snaps, doomed);
        doc->SetModifiedFlag(true);
        return;
    }
    const int16_t subtype = IsLineKind(old->type) && old->type == EntityType::Line ? old->subtype : int16_t(0);
    const EntityHeader header{EntityType::Line, subtype, old->style, static_cast<int16_t>(view->currentLayer), 4};
    const int16_t* codes = FixedCodes(EntityType::Line).data();
    ReplaceThroughEdit(view, old, [&](ToolEdit& edit) {
        CEntity* first = nullptr;
        for (const auto& [a, b] : pieces) {
            const double v[4] = {a.x, a.y, b.x, b.y};
            CEntity* added = edit.AddInColour(header, codes, old->colour, v);
            if (!first)
                first = added;
        }
        return first;
    });
}

void CExpansionTool::ReplaceThroughEdit(COrvikCadView* view, CEntity* old,
                                        const std::function<CEntity*(ToolEdit&)>& addPieces)
{
    COrvikCadDoc* doc = view->GetDrawing();
    ToolEdit edit(view);
    if (!edit.Ready())
        return;
    old->state = EntityState::Deleted;
    view->InvalidateEntity(old);
    CEntity* first = addPieces(edit);
    if (!first) {
        // Every piece was refused: the element stays as it was, no step.
        DrawInState(view, old, EntityState::Normal);
        return;
    }
    CEntity* const replaced[] = {old};
    FinishReplacingEdit(doc->list, &doc->snaps, first, replaced);
}

void CExpansionTool::TwoLineCut(COrvikCadView* view, platform::Point point)
{
    COrvikCadDoc* doc = view->GetDrawing();
    if (!doc)
        return;
    double x = 0, y = 0;
    CEntity* e = view->PickEntity(-20, point.x, point.y, x, y);
    if (!e || !HasDirection(*e)) {
        MessageBeep(1);
        return;
    }
    if (InputPointCount == 0) {
        picked.Hold(doc, e);
        DrawInState(view, e, EntityState::Highlighted);
        InputPointCount = 1;
        Prompt("次の直線を指示して下さい。");
        return;
    }
    CEntity* first = PickedOrRestart(view);
    if (!first || first == e)
        return;
    InputPointCount = 0;
    Prompt(FirstPrompt(3));
    DrawInState(view, first, EntityState::Normal);
    picked.Clear();
    if (doc->RefuseWhenProtected())
        return;

    const LineResult l1 = LineFromPoints(first->values[0], first->values[1], first->values[2], first->values[3]);
    const LineResult l2 = LineFromPoints(e->values[0], e->values[1], e->values[2], e->values[3]);
    ToolEdit edit(view);
    if (!edit.Ready())
        return;
    CEntity* firstNew = nullptr;
    bool anyCut = false;
    // Every line of the drawing, every layer; the pieces the sweep adds
    // come along and stay whole (they end on a bounding line).
    for (CEntity* line = doc->list.first; line; line = line->next) {
        if (line->state == EntityState::Deleted || !IsLineKind(line->type) || !HasDirection(*line))
            continue;
        const LineResult le = LineFromPoints(line->values[0], line->values[1], line->values[2], line->values[3]);
        const PointResult i1 = IntersectLines(l1.a, l1.b, l1.c, le.a, le.b, le.c);
        const PointResult i2 = IntersectLines(l2.a, l2.b, l2.c, le.a, le.b, le.c);
        if (i1.status != 0 || i2.status != 0)
            continue;
        const int16_t before = line->state;
        CEntity* added = CutBetweenLines(view, edit, line, {i1.x, i1.y}, {i2.x, i2.y});
        anyCut = anyCut || (line->state == EntityState::Deleted && before != EntityState::Deleted);
        if (!firstNew)
            firstNew = added;
    }
    if (!anyCut)
        return;
    // One step: undo takes every piece away and brings every cut line back.
    FinishReplacingEdit(doc->list, &doc->snaps, firstNew);
    doc->SetModifiedFlag(true);
}

CEntity* CExpansionTool::CutBetweenLines(COrvikCadView* view, ToolEdit& edit, CEntity* line, GeoPoint i1, GeoPoint i2)
{
    const BetweenLinesCut cut = CutBetweenLinesPieces(StoredStart(*line), StoredEnd(*line), i1, i2);
    if (!cut.cut)
        return nullptr;
    line->state = EntityState::Deleted;
    view->InvalidateEntity(line);
    const EntityHeader header{EntityType::Line, 0, line->style, static_cast<int16_t>(view->currentLayer), 4};
    const int16_t* codes = FixedCodes(EntityType::Line).data();
    CEntity* first = nullptr;
    for (const LineSegment& s : cut.pieces) {
        const double v[4] = {s.a.x, s.a.y, s.b.x, s.b.y};
        CEntity* added = edit.Add(header, codes, v);
        if (!first)
            first = added;
    }
    return first;
}
