// The expansion tool's window processing: the lines a window takes are cut
// where they cross one another.

#include "edit_tools/ExpansionTool.h"

#include "edit_tools/ExpansionElements.h"
#include "model/Document.h"
#include "model/EditProtocol.h"
#include "model/Settings.h"
#include "model/SnapPointList.h"
#include "model/WindowCut.h"
#include "tools/DrawingEdit.h"
#include "view/OrvikCadView.h"
#include "model/EntityKinds.h"

#include <vector>

using namespace expansion;

namespace {

CutWindow WindowOf(const double* x, const double* y)
{
    double x0 = x[0], y0 = y[0], x1 = x[1], y1 = y[1];
    CDrawTool::NormalizeWorldRect(x0, y0, x1, y1);
    return {x0, y0, x1, y1};
}

} // namespace

int CExpansionTool::IntersectWithWindow(const CEntity& line, GeoPoint out[4]) const
{
    if (!HasDirection(line))
        return 0;
    return WindowCrossings(WindowOf(X, Y), StoredStart(line), StoredEnd(line), out);
}

void CExpansionTool::ShowWindowBand(COrvikCadView* view, platform::Point point)
{
    corner = point;
    int x0 = anchor.x, y0 = anchor.y, x1 = point.x, y1 = point.y;
    NormalizeRect(x0, y0, x1, y1);
    window_.Clear();
    window_.AddRectangle({x0, y0}, {x1, y1});
    window_.Show(view, altColor, platform::PenStyle::Dot);
    XorPreviewShown = 1;
}

std::vector<CEntity*> CExpansionTool::MarkWindowLines(COrvikCadView* view)
{
    std::vector<CEntity*> marked;
    COrvikCadDoc* doc = view->GetDrawing();
    if (!doc)
        return marked;
    const CutWindow w = WindowOf(X, Y);
    for (CEntity* e = doc->list.first; e; e = e->next) {
        if (e->state != EntityState::Normal || !IsLineKind(e->type) || !HasDirection(*e))
            continue;
        if (!WindowTakesLine(w, StoredStart(*e), StoredEnd(*e)))
            continue;
        e->state = EntityState::TempMark;
        view->InvalidateEntity(e);
        marked.push_back(e);
    }
    return marked;
}

void CExpansionTool::WindowProcess(COrvikCadView* view, platform::Point point)
{
    COrvikCadDoc* doc = view->GetDrawing();
    if (!doc)
        return;
    // The corner: the point the pick reports (a grid point, a point on an
    // element), else the click itself.
    double x = 0, y = 0;
    platform::Point device = point;
    if (view->PickEntity(MagnetEnabled ? 0 : -999, point.x, point.y, x, y)) {
        device = PreviewPoint(view, x, y);
    } else {
        x = view->XToModel(point.x);
        y = view->YToModel(point.y);
    }
    const int index = InputPointCount == 0 ? 0 : 1;
    X[index] = x;
    Y[index] = y;
    if (index == 0) {
        window_.Erase();
        anchor = corner = device;
        InputPointCount = 1;
        Prompt("終了位置をクリックしてください。");
        return;
    }

    InputPointCount = 0;
    Prompt(FirstPrompt(5));
    window_.Erase();
    XorPreviewShown = 0;
    if (device.x == anchor.x && device.y == anchor.y)
        return;

    const std::vector<CEntity*> marked = MarkWindowLines(view);
    std::vector<WindowLine> lines;
    lines.reserve(marked.size());
    for (const CEntity* e : marked)
        lines.push_back({StoredStart(*e), StoredEnd(*e), e->type != EntityType::Line, 2, {}});
    CutWindowLines(WindowOf(X, Y), lines);

    bool anyPiece = false;
    for (const WindowLine& l : lines)
        anyPiece = anyPiece || !l.pieces.empty();
    if (anyPiece && doc->RefuseWhenProtected()) {
        for (CEntity* e : marked)
            e->state = EntityState::Normal;
        return;
    }

    // The cut lines go, the others are back as they were; the pieces follow
    // at the end of the list and show with the next repaint.
    DrawingEdit edit(*doc, {});
    std::vector<CEntity*> replaced;
    for (std::size_t i = 0; i < marked.size(); ++i) {
        const bool cut = lines[i].state == 2 && !lines[i].pieces.empty();
        marked[i]->state = cut ? EntityState::Deleted : EntityState::Normal;
        if (cut)
            replaced.push_back(marked[i]);
    }
    std::vector<CEntity*> added;
    const int16_t layer = static_cast<int16_t>(view->currentLayer);
    const int16_t* codes = FixedCodes(EntityType::Line).data();
    for (std::size_t i = 0; i < marked.size(); ++i) {
        const CEntity* e = marked[i];
        const EntityHeader header{EntityType::Line, 0, e->style, layer, 4};
        for (const LineSegment& s : lines[i].pieces) {
            const double v[4] = {s.a.x, s.a.y, s.b.x, s.b.y};
            CEntity* piece = edit.Add(header, codes, e->colour, v, {}, {});
            if (!piece) {
                TakeBackReplacement(view, added, replaced);
                return;
            }
            added.push_back(piece);
        }
    }
    FinishReplacingEdit(doc->list, &doc->snaps, added.empty() ? nullptr : added.front());
}
