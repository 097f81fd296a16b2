// The transform tool: its selection step, the end of the selection and the
// offset. Scaling and stretching run from the same selection step.

#include "edit_tools/TransformTool.h"

#include "edit_tools/MarkSelection.h"
#include "edit_tools/ReplaceSelection.h"
#include "edit_tools/SelectTool.h"
#include "model/EntityTransform.h"
#include "model/Document.h"
#include "model/EditDoor.h"
#include "model/EditProtocol.h"
#include "model/EntityBox.h"
#include "model/GeometryCircles.h"
#include "model/GeometryLines.h"
#include "model/Notify.h"
#include "model/OffsetChain.h"
#include "model/Settings.h"
#include "model/SnapPointList.h"
#include "view/NumericInputDialogs.h"
#include "view/OrvikCadView.h"
#include "model/EntityKinds.h"

#include <QString>

#include <cmath>
#include <cstdlib>
#include <vector>

const CTransformTool::SubModeRow* CTransformTool::RowOf(int subMode)
{
    static const SubModeRow rows[] = {
        {{"図形の拡大・縮小を行います。対象図形を選んでください。", nullptr, nullptr, nullptr},
         "マウス右ボタンで、拡大・縮小メニューを表示します。", &CTransformTool::BeginScale},
        {{"ストレッチを行います。対象図形を選んでください。", &CTransformTool::StretchClick, nullptr, nullptr},
         "マウス右ボタンで、ストレッチメニューを表示します。", &CTransformTool::BeginStretch},
        {{"図形のオフセットを行います。対象図形を選んでください。", &CTransformTool::Offset, nullptr, nullptr},
         "マウス右ボタンで、オフセットメニューを表示します。", &CTransformTool::BeginOffset},
    };
    return FindSubModeRow(rows, subMode);
}

const char* CTransformTool::FirstPrompt(int subMode)
{
    const SubModeRow* row = RowOf(subMode);
    return row ? row->step.prompt : "";
}

const char* CTransformTool::MenuPrompt(int subMode)
{
    const SubModeRow* row = RowOf(subMode);
    return row ? row->menuPrompt : "";
}

void CTransformTool::OnLButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point)
{
    if (!view || !point || (flags & ToolFlags::RButton))
        return;
    RecordRop2(view);
    ButtonDownPending = 1;
    anchor = corner = *point;
}

void CTransformTool::OnMouseMove(COrvikCadView* view, unsigned, platform::Point* point)
{
    if (!view || !point || InputPointCount != 0)
        return;
    if (ButtonDownPending)
        DrawDragRect(view, *point, 0);
}

void CTransformTool::OnLButtonUp(COrvikCadView* view, unsigned, platform::Point* point)
{
    if (!view || !point)
        return;
    if (InputPointCount != 0) {
        if (const SubModeRow* row = RowOf(ToolSubMode))
            RunStep(*this, row->step.click, view, *point);
        SelectionArmed = 0;
        ButtonDownPending = 0;
        XorPreviewShown = 0;
        return;
    }
    if (MarkOnRelease(*this, view, *point))
        m_pickState = 1;
    if (m_pickState == 1) {
        SelectionArmed = 1;
        Prompt(MenuPrompt(ToolSubMode));
    }
    ButtonDownPending = 0;
    XorPreviewShown = 0;
}

void CTransformTool::OnRButtonDown(COrvikCadView* view, unsigned, platform::Point*)
{
    ArmWhenMarked(view);
}

void CTransformTool::Reset(COrvikCadView* view)
{
    if (COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr) {
        for (CEntity* e = doc->list.first; e; e = e->next)
            if (e->state == EntityState::Selected || e->state == EntityState::Marked ||
                e->state == EntityState::Highlighted) {
                e->state = EntityState::Normal;
                view->InvalidateEntity(e);
            }
    }
    m_pickState = 0;
    SelectionArmed = 0;
    InputPointCount = 0;
    ButtonDownPending = 0;
    XorPreviewShown = 0;
    Prompt(FirstPrompt(ToolSubMode));
}

void CTransformTool::EndSelection(COrvikCadView* view)
{
    COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    if (!doc)
        return;
    if (const SubModeRow* row = RowOf(ToolSubMode))
        (this->*row->endSelection)(view);
}

void CTransformTool::BeginScale(COrvikCadView* view)
{
    ScaleSelection(view);
    Prompt(FirstPrompt(0));
    SelectionArmed = 0;
    m_pickState = 0;
}

void CTransformTool::BeginStretch(COrvikCadView*)
{
    InputPointCount = 1;
    Prompt("ストレッチの基準となる直線をマウスクリックしてください。");
}

void CTransformTool::StretchClick(COrvikCadView* view, platform::Point point)
{
    if (InputPointCount == 1)
        StretchStep(view, point);
}

void CTransformTool::BeginOffset(COrvikCadView* view)
{
    COrvikCadDoc* doc = view->GetDrawing();
    InputPointCount = 1;
    CEntity* first = nullptr;
    for (CEntity* e = doc->list.first; e; e = e->next)
        if (e->state == EntityState::Marked && e->type != EntityType::GroupHeader) {
            first = e;
            break;
        }
    if (!first) {
        Prompt("オフセットする閉領域の中か外をクリックしてください。");
        return;
    }
    const OffsetChains chains(doc->list);
    const int kind = chains.ClassifyChain(first);
    if (kind == 0) {
        Prompt("オフセットする閉領域の中か外をクリックしてください。");
        return;
    }
    if (kind == 3)
        first = const_cast<CEntity*>(chains.FindChainStart(first));
    if (!first)
        return;
    // The reference is shown highlighted; it stays marked.
    {
        auto dc = view->GetClientDc();
        view->DrawEntity(*dc, first, EntityState::Highlighted);
    }
    Prompt("赤表示された図形を基準にオフセット位置をクリックしてください。");
}

GeoPoint CTransformTool::GetSelectionBasePoint(COrvikCadView* view) const
{
    const COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    if (!doc)
        return {};
    ModelBox box;
    for (const CEntity* e = doc->list.first; e; e = e->next)
        if (e->state == EntityState::Marked && e->type != EntityType::GroupHeader)
            box.Add(EntityMarkedBox(*e));
    if (!box.valid || box.maxX - box.minX < 0.05 || box.maxY - box.minY < 0.05)
        return {};
    switch (ScaleBase) {
    case 1: return {box.minX, box.minY};
    case 2: return {box.minX, box.maxY};
    default: return {(box.minX + box.maxX) / 2, (box.minY + box.maxY) / 2};
    }
}

namespace {

std::optional<EntityCopy> ScaledGroupRecord(const CEntity& source, const TransformMatrix& matrix)
{
    if (source.values.size() < 2)
        return std::nullopt;
    EntityCopy copy;
    copy.header = {source.type, source.subtype, source.style, source.layer, static_cast<int16_t>(source.values.size())};
    copy.codes = source.codes.ToVector();
    copy.values = source.values.ToVector();
    copy.colour = source.colour;
    copy.group = source.group;
    const GeoPoint base = matrix.Apply(copy.values[0], copy.values[1]);
    copy.values[0] = base.x;
    copy.values[1] = base.y;
    return copy;
}

} // namespace

void CTransformTool::ScaleSelection(COrvikCadView* view)
{
    COrvikCadDoc* doc = view->GetDrawing();
    if (!doc || !doc->list.first)
        return;
    const GeoPoint base = GetSelectionBasePoint(view);
    X[2] = base.x;
    Y[2] = base.y;
    const double f = NumericInputValue;
    const TransformMatrix matrix = MoveMatrix(base, base, f, 0.0);
    TransformPolicy policy;
    policy.layer = static_cast<int16_t>(view->currentLayer);
    policy.keepGroup = true;  // grouped entities stay in their group
    policy.keepFont = false;
    ReplaceSelection(view, EntityState::Marked, [&](const CEntity& source) -> std::optional<EntityCopy> {
        // A marked group stays one: its record is replaced by one whose
        // reference point is scaled with the members, whose copies join it
        // again by their group number.
        if (source.type == EntityType::GroupHeader)
            return ScaledGroupRecord(source, matrix);
        std::optional<EntityCopy> copy = TransformedCopy(source, matrix, f, 0.0, policy);
        if (!copy)
            return copy;
        if (source.type == EntityType::Point)
            copy->header.subtype = 0;
        if (source.type == EntityType::Image && source.values.size() >= 4 && copy->values.size() >= 4) {
            // A picture keeps its size: only its first corner moves.
            copy->values[2] = copy->values[0] + (source.values[2] - source.values[0]);
            copy->values[3] = copy->values[1] + (source.values[3] - source.values[1]);
        }
        return copy;
    });
    NumericInputPending = 0;
}

void CTransformTool::Offset(COrvikCadView* view, platform::Point point)
{
    COrvikCadDoc* doc = view->GetDrawing();
    if (!doc)
        return;
    BeginEdit(doc->list, &doc->snaps);
    const double x = view->XToModel(point.x), y = view->YToModel(point.y);
    const GeoPoint base = GetSelectionBasePoint(view);
    const auto finish = [&] {
        NumericInputPending = 0;
        InputPointCount = 0;
        Prompt(FirstPrompt(2));
    };
    if (doc->RefuseWhenProtected()) {
        finish();
        return;
    }
    const OffsetChains chains(doc->list);
    const OffsetChains::Result result = chains.Offset(x, y, OffsetDistance);

    // The result group, at the base point of the marked entities.
    const int16_t layer = static_cast<int16_t>(view->currentLayer);
    const EntityHeader groupHeader{EntityType::GroupHeader, 0, 0, layer, 4};
    const int16_t* groupCodes = FixedCodes(EntityType::GroupHeader).data();
    const double groupValues[4] = {base.x, base.y, 1.0, 0.0};
    EditDoor door(*doc, /*keepUndo=*/true);
    CEntity* group = result.pieces.empty() ? nullptr : door.Add(groupHeader, groupCodes, 0, groupValues);
    if (group) {
        auto dc = view->GetClientDc();
        for (const OffsetPiece& p : result.pieces) {
            const EntityHeader h{p.type, p.subtype, p.source->style, layer, static_cast<int16_t>(p.values.size())};
            CEntity* added = door.Add(h, p.codes.data(), p.source->colour, p.values.data(), {}, {}, group);
            if (added)  // a refused piece is drawn nowhere
                view->DrawEntity(*dc, added, EntityState::Normal);
        }
        FinishAddedRun(doc->list, group);
    }
    for (const CEntity* handled : result.handled) {
        auto* e = const_cast<CEntity*>(handled);
        e->state = EntityState::Normal;
        view->InvalidateEntity(e);
    }
    if (!result.collapsed.empty())
        MessageBeep(1);  // an offset past a centre has no copy
    doc->snaps.CopyStatesFromEntities();
    finish();
}

// ---- stretching ----

namespace {

// Adds one piece to the result group, its snap points registered, and draws
// it; null when the list refuses it.
CEntity* AddGroupPiece(COrvikCadView* view, CEntity* group, const EntityHeader& header, const int16_t* codes,
                       COLORREF colour, const double* values)
{
    EditDoor door(*view->GetDrawing(), /*keepUndo=*/true);
    CEntity* added = door.Add(header, codes, colour, values, {}, {}, group);
    if (!added)
        return nullptr;
    auto dc = view->GetClientDc();
    view->DrawEntity(*dc, added, EntityState::Normal);
    return added;
}

} // namespace

CEntity* CTransformTool::FindConnectedEntity(COrvikCadDoc& doc, const CEntity* excluded, int& end, double x, double y)
{
    end = -1;
    const auto near = [x, y](double px, double py) { return std::fabs(px - x) < 0.5 && std::fabs(py - y) < 0.5; };
    for (CEntity* e = doc.list.first; e; e = e->next) {
        if (e == excluded || e->state != EntityState::Marked)
            continue;
        if (e->type == EntityType::Line && e->values.size() >= 4) {
            if (near(e->values[0], e->values[1])) {
                end = 0;
                return e;
            }
            if (near(e->values[2], e->values[3])) {
                end = 1;
                return e;
            }
        } else if (e->type == EntityType::Arc && e->values.size() >= 5) {
            const PointSet<2> ends = ArcEndPoints(e->values[0], e->values[1], e->values[2], e->values[3], e->values[4]);
            for (int i = 0; i < 2; ++i)
                if (near(ends.x[i], ends.y[i])) {
                    end = i;
                    return e;
                }
        }
    }
    return nullptr;
}

CEntity* CTransformTool::AddGroupRecord(COrvikCadView* view, double x, double y)
{
    COrvikCadDoc* doc = view->GetDrawing();
    m_firstNew = nullptr;
    if (!doc)
        return nullptr;
    const EntityHeader header{EntityType::GroupHeader, 0, 0, static_cast<int16_t>(view->currentLayer), 4};
    const int16_t* codes = FixedCodes(EntityType::GroupHeader).data();
    const double values[4] = {x, y, 1.0, 0.0};
    EditDoor door(*doc, /*keepUndo=*/true);
    m_firstNew = door.Add(header, codes, 0, values);
    return m_firstNew;
}

CEntity* CTransformTool::AddGroupLine(COrvikCadView* view, const CEntity& source, GeoPoint a, GeoPoint b)
{
    COrvikCadDoc* doc = view->GetDrawing();
    if (!doc || !m_firstNew)
        return nullptr;
    const EntityHeader header{EntityType::Line, 0, source.style, static_cast<int16_t>(view->currentLayer), 4};
    const int16_t* codes = FixedCodes(EntityType::Line).data();
    const double values[4] = {a.x, a.y, b.x, b.y};
    return AddGroupPiece(view, m_firstNew, header, codes, source.colour, values);
}

CEntity* CTransformTool::AddStretchedArc(COrvikCadView* view, const CEntity& arc, int end, GeoPoint n)
{
    COrvikCadDoc* doc = view->GetDrawing();
    if (!doc || !m_firstNew || arc.values.size() < 5)
        return nullptr;
    const double cx = arc.values[0], cy = arc.values[1], r = arc.values[2];
    const PointSet<2> ends = ArcEndPoints(cx, cy, r, arc.values[3], arc.values[4]);
    const GeoPoint s{ends.x[0], ends.y[0]}, e{ends.x[1], ends.y[1]};
    const GeoPoint f = end == 0 ? e : s;
    X[1] = f.x;
    Y[1] = f.y;
    const bool ccw = arc.subtype == 1;
    const int h = (end == 0 && ccw) || (end == 1 && !ccw) ? 1 : -1;
    const double c = std::hypot(e.x - s.x, e.y - s.y);
    const GeoPoint mo{(s.x + e.x) / 2, (s.y + e.y) / 2};
    // The arc's height over its chord.
    double height = r;
    const LineResult chord = LineFromPoints(s.x, s.y, e.x, e.y);
    if (chord.status == 0) {
        const LineResult bisector = LineFromPoints(mo.x, mo.y, mo.x + chord.a, mo.y + chord.b);
        const PointSet<2> top = IntersectLineCircle(bisector.a, bisector.b, bisector.c, cx, cy, r);
        const GeoPoint a = ccw ? s : e, b = ccw ? e : s;
        for (int i = 0; i < top.count; ++i)
            if (IsPointOnArc(a.x, a.y, cx, cy, r, 1, top.x[i], top.y[i], b.x, b.y) == 0) {
                height = std::hypot(top.x[i] - mo.x, top.y[i] - mo.y);
                break;
            }
    }
    const double c2 = std::hypot(f.x - n.x, f.y - n.y);
    if (c <= 0 || c2 <= 0)
        return nullptr;
    const double h2 = c2 / c * height;
    const GeoPoint mn{(n.x + f.x) / 2, (n.y + f.y) / 2};
    const PointResult t = OffsetPointFromSegment(h, mn.x, mn.y, n.x, n.y, h2);
    if (t.status != 0)
        return nullptr;
    const CircleResult circle = CircleFrom3Points(n.x, n.y, f.x, f.y, t.x, t.y);
    if (circle.direction == 0)
        return nullptr;
    const auto angle = [&](GeoPoint p) {
        double a = std::atan2(p.y - circle.cy, p.x - circle.cx) * 180.0 / 3.14159265358979323846;
        return a < 0 ? a + 360.0 : a;
    };
    const EntityHeader header{EntityType::Arc, static_cast<int16_t>(-circle.direction), arc.style, arc.layer,
                              static_cast<int16_t>(arc.values.size())};
    std::vector<double> values = arc.values.ToVector();
    values[0] = circle.cx;
    values[1] = circle.cy;
    values[2] = circle.radius;
    values[3] = angle(n);
    values[4] = angle(f);
    return AddGroupPiece(view, m_firstNew, header, arc.codes.data(), arc.colour, values.data());
}

void CTransformTool::StretchEnds(GeoPoint& f, GeoPoint& m, GeoPoint& n) const
{
    const CEntity& l = *m_stretchLine;
    const GeoPoint p1{l.values[0], l.values[1]}, p2{l.values[2], l.values[3]};
    if (std::fabs(p1.x - p2.x) < 0.005)
        f = p2.y > p1.y ? p1 : p2;  // vertical: the lower end stays
    else
        f = p2.x > p1.x ? p1 : p2;  // else the left end
    m = (f.x == p1.x && f.y == p1.y) ? p2 : p1;
    const PointResult r = OffsetPointFromSegment(0, f.x, f.y, m.x, m.y, m_stretchLength);
    n = r.status == 0 ? GeoPoint{r.x, r.y} : m;
}

void CTransformTool::StretchStep(COrvikCadView* view, platform::Point point)
{
    Prompt("ストレッチの長さを ㎜単位で入力してください。");
    double x = 0, y = 0;
    CEntity* line = view->PickEntity(-20, point.x, point.y, x, y);
    const auto done = [this] {
        InputPointCount = 0;
        SelectionArmed = 0;
        ButtonDownPending = 0;
        XorPreviewShown = 0;
        m_stretchLine = nullptr;
    };
    if (!line || line->type != EntityType::Line || line->values.size() < 4) {
        MessageBeep(1);
        done();
        return;
    }
    m_stretchLine = line;
    m_stretchLength = std::hypot(line->values[2] - line->values[0], line->values[3] - line->values[1]);
    double value = m_stretchLength;
    const auto& ask = TheNumericInputDialogs().askValue;
    const bool ok = ask && ask(view, 10, value, QStringLiteral("ストレッチ長さ（mm）"));
    if (ok && std::fabs(value - m_stretchLength) >= 0.05 && m_stretchLength >= 0.5) {
        m_stretchLength = value;
        InputPointCount = 2;
        switch (StretchMode) {
        case 0: StretchUniform(view); break;
        case 1: StretchLineAndNeighbour(view); break;
        case 2: StretchSelection(view); break;
        default: break;
        }
        Prompt(FirstPrompt(1));
        m_pickState = 0;
    } else {
        Reset(view);
    }
    done();
}

void CTransformTool::FinishStretch(COrvikCadView* view)
{
    COrvikCadDoc* doc = view->GetDrawing();
    FinishReplacingEdit(doc->list, &doc->snaps, m_firstNew);
    auto dc = view->GetClientDc();
    for (CEntity* e = doc->list.first; e; e = e->next)
        if (e->state == EntityState::Marked) {
            e->state = EntityState::Normal;
            view->DrawEntity(*dc, e, EntityState::Normal);
        }
    doc->snaps.CopyStatesFromEntities();
}

void CTransformTool::StretchUniform(COrvikCadView* view)
{
    COrvikCadDoc* doc = view->GetDrawing();
    if (!doc || !m_stretchLine || !doc->list.first)
        return;
    const double old = std::hypot(m_stretchLine->values[2] - m_stretchLine->values[0],
                                  m_stretchLine->values[3] - m_stretchLine->values[1]);
    BeginEdit(doc->list, &doc->snaps);
    NumericInputPending = 0;
    const GeoPoint base = GetSelectionBasePoint(view);
    CEntity* record = AddGroupRecord(view, base.x, base.y);
    if (!record)
        return;
    NumericInputValue = m_stretchLength / old;
    ScaleSelection(view);
    // One undo takes the record and the copies and brings the marks back.
    if (doc->list.undoState == UndoState::Replaced)
        doc->list.mark = record;
}

void CTransformTool::StretchLineAndNeighbour(COrvikCadView* view)
{
    COrvikCadDoc* doc = view->GetDrawing();
    if (!doc || !m_stretchLine)
        return;
    BeginEdit(doc->list, &doc->snaps);
    NumericInputPending = 0;
    GeoPoint f, m, n;
    StretchEnds(f, m, n);
    if (!AddGroupRecord(view, n.x, n.y))
        return;
    CEntity* ref = m_stretchLine;
    AddGroupLine(view, *ref, f, n);
    ref->state = EntityState::Deleted;
    view->InvalidateEntity(ref);
    int end = -1;
    if (CEntity* e = FindConnectedEntity(*doc, ref, end, m.x, m.y)) {
        if (e->type == EntityType::Line) {
            const GeoPoint far = end == 0 ? GeoPoint{e->values[2], e->values[3]} : GeoPoint{e->values[0], e->values[1]};
            AddGroupLine(view, *e, n, far);
            e->state = EntityState::Deleted;
            view->InvalidateEntity(e);
        } else if (e->type == EntityType::Arc) {
            AddStretchedArc(view, *e, end, n);
            e->state = EntityState::Deleted;
            view->InvalidateEntity(e);
        }
    }
    FinishStretch(view);
}

void CTransformTool::StretchSelection(COrvikCadView* view)
{
    COrvikCadDoc* doc = view->GetDrawing();
    if (!doc || !m_stretchLine || !doc->list.first)
        return;
    BeginEdit(doc->list, &doc->snaps);
    NumericInputPending = 0;
    const GeoPoint base = GetSelectionBasePoint(view);
    GeoPoint f, m, n;
    StretchEnds(f, m, n);
    if (!AddGroupRecord(view, base.x, base.y))
        return;
    const double dx = n.x - m.x, dy = n.y - m.y;
    const int h = (std::fabs(dx) > 0.005 ? 1 : 0) + (std::fabs(dy) > 0.005 ? 2 : 0);
    const LineResult horizontal = LineFromPoints(m.x, m.y, m.x + 1000, m.y);
    const LineResult vertical = LineFromPoints(m.x, m.y, m.x, m.y + 1000);
    CEntity* ref = m_stretchLine;
    AddGroupLine(view, *ref, f, n);
    ref->state = EntityState::Deleted;
    view->InvalidateEntity(ref);

    CEntity* prev = ref;
    GeoPoint p = m, a = n;
    int c = 0;
    for (int count = 0; count < 100; ++count) {
        int end = -1;
        CEntity* w = FindConnectedEntity(*doc, prev, end, p.x, p.y);
        if (!w)
            break;
        if (w->type == EntityType::Arc) {
            AddStretchedArc(view, *w, end, a);
            w->state = EntityState::Deleted;
            view->InvalidateEntity(w);
            break;
        }
        if (w->type != EntityType::Line)
            break;  // an elliptic arc ends the walk, left as it is
        const GeoPoint nearEnd = end == 0 ? GeoPoint{w->values[0], w->values[1]} : GeoPoint{w->values[2], w->values[3]};
        const GeoPoint farEnd = end == 0 ? GeoPoint{w->values[2], w->values[3]} : GeoPoint{w->values[0], w->values[1]};
        const LineResult wl = LineFromPoints(w->values[0], w->values[1], w->values[2], w->values[3]);
        const auto meets = [&](const LineResult& axis, bool awayFromM) {
            const PointResult i = IntersectLines(wl.a, wl.b, wl.c, axis.a, axis.b, axis.c);
            if (wl.status != 0 || i.status != 0 ||
                IsPointOnSegment(i.x, i.y, w->values[0], w->values[1], w->values[2], w->values[3]) != 0)
                return false;
            return !awayFromM || std::fabs(i.x - m.x) > 0.005 || std::fabs(i.y - m.y) > 0.005;
        };
        int k = 0;
        if (h == 1)
            k = meets(vertical, true) ? 1 : 0;
        else if (h == 2)
            k = meets(horizontal, true) ? 1 : 0;
        else if (h == 3) {
            if (meets(vertical, false))
                k = 1;
            if (meets(horizontal, false))
                k = 2;
        }
        GeoPoint from, to;
        if (k == 0) {
            from = {nearEnd.x + dx, nearEnd.y + dy};
            to = {farEnd.x + dx, farEnd.y + dy};
        } else if (h != 3) {
            from = a;
            to = farEnd;
        } else {
            from = a;
            to = farEnd;
            if (c + k != 3) {
                if (k == 2)
                    to.x += dx;
                else
                    to.y += dy;
            }
        }
        AddGroupLine(view, *w, from, to);
        w->state = EntityState::Deleted;
        view->InvalidateEntity(w);
        a = to;
        p = farEnd;
        prev = w;
        if (h == 3) {
            if (k != c) {
                c += k;
                if (c >= 3)
                    break;
            }
        } else if (k == 1) {
            break;
        }
    }
    FinishStretch(view);
}
