// The selection tool's handle and midpoint drags: what the button down
// records of the grabbed unit, and the per-type rules that build the
// replacing copies on release.

#include "edit_tools/SelectTool.h"

#include "edit_tools/ReplaceSelection.h"
#include "edit_tools/SelectToolDragRules.h"
#include "model/Document.h"
#include "model/GeometryCircles.h"
#include "model/GeometryLines.h"
#include "model/SnapPointList.h"
#include "view/OrvikCadView.h"
#include "model/EntityKinds.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double Near = 0.05;

bool IsNear(double x1, double y1, double x2, double y2)
{
    return std::fabs(x1 - x2) < Near && std::fabs(y1 - y2) < Near;
}

bool IsNear(GeoPoint a, GeoPoint b)
{
    return IsNear(a.x, a.y, b.x, b.y);
}

double Degrees360(double radians)
{
    double d = radians * 180.0 / std::numbers::pi;
    if (d < 0.0)
        d += 360.0;
    return d;
}

// The snap point of one kind registered for an entity (the earliest when
// there are several).
bool SnapPointOf(COrvikCadView* view, const CEntity& e, int kind, GeoPoint& out)
{
    double x = 0.0, y = 0.0;
    if (!view || view->GetSnapPoint(&e, kind, x, y) != 0)
        return false;
    out = {x, y};
    return true;
}

bool IsHandleKind(int kind)
{
    return kind != SnapKind::Point && kind != SnapKind::LineMidpoint && kind != SnapKind::ArcQuadrant &&
           kind != SnapKind::Intersection;
}

// Whether one of the entity's handles lies within 0.05 of g.
bool HasHandleNear(COrvikCadView* view, const CEntity& e, GeoPoint g)
{
    COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    if (!doc)
        return false;
    for (const SnapPoint& p : doc->snaps.EntityPoints(&e))
        if (IsHandleKind(p.kind) && IsNear(p.x, p.y, g.x, g.y))
            return true;
    return false;
}

// The copy of an entity as it stands, to be changed by a rule.
std::optional<EntityCopy> SameCopy(const CEntity& old)
{
    TransformMatrix identity;
    return TransformedCopy(old, identity, 1.0, 0.0, DragPolicy());
}

bool AllFinite(const std::vector<double>& values)
{
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

// The point at d / 2 from F towards P along their line (exactly horizontal
// or vertical when they differ by less than 0.5 across it): the centre of a
// circle or ellipse whose diameter runs from F to P.
bool DiameterCentre(GeoPoint f, GeoPoint p, GeoPoint& centre, double& d)
{
    const DistanceResult dist = PointDistance(f.x, f.y, p.x, p.y);
    d = dist.distance;
    if (dist.status != 0 || !(d > 0.0))
        return false;
    const LineResult line = LineFromPoints(f.x, f.y, p.x, p.y);
    const PointResult c =
        PointOnLineAtDistance(DirectionCode(f.x, f.y, p.x, p.y), f.x, f.y, line.a, line.b, line.c, d / 2);
    if (line.status != 0 || c.status != 0)
        return false;
    centre = {c.x, c.y};
    return true;
}

// An arc one of whose ends moves to `moved` while the other end `fixed`
// stays, keeping its bulge side and the ratio of its height to its chord.
// startAtMoved: the new arc starts at the moved end (else at the fixed one).
// Values: centre x, y, radius, start, end; the subtype by the new middle.
bool RebuildArc(const CEntity& old, GeoPoint s, GeoPoint t, bool startMoves, GeoPoint moved, GeoPoint fixed,
                bool startAtMoved, EntityCopy& copy)
{
    if (old.values.size() < 5)
        return false;
    const double cx = old.values[0], cy = old.values[1], r = old.values[2];
    const int dir = (startMoves && old.subtype == 1) || (!startMoves && old.subtype != 1) ? 1 : -1;
    const double c = std::hypot(t.x - s.x, t.y - s.y);
    if (!(c > 0.0))
        return false;
    const GeoPoint m = PointTowards(s.x, s.y, t.x, t.y, c / 2);
    // The height over the chord: where the chord's perpendicular through M
    // meets the arc.
    const LineResult chord = LineFromPoints(s.x, s.y, t.x, t.y);
    double h = r;
    if (chord.status == 0) {
        const double pa = chord.b, pb = -chord.a, pc = -(pa * m.x + pb * m.y);
        const PointSet<2> hits = IntersectLineCircle(pa, pb, pc, cx, cy, r);
        for (int i = 0; i < hits.count; ++i)
            if (IsPointOnArc(s.x, s.y, cx, cy, r, -old.subtype, hits.x[i], hits.y[i], t.x, t.y) == 0) {
                h = std::hypot(hits.x[i] - m.x, hits.y[i] - m.y);
                break;
            }
    }
    const double c2 = std::hypot(fixed.x - moved.x, fixed.y - moved.y);
    if (!(c2 > 0.0))
        return false;
    const double h2 = h * c2 / c;
    const GeoPoint m2 = PointTowards(moved.x, moved.y, fixed.x, fixed.y, c2 / 2);
    const PointResult q2 = OffsetPointFromSegment(dir, m2.x, m2.y, moved.x, moved.y, h2);
    if (q2.status != 0)
        return false;
    const CircleResult circle = CircleFrom3Points(moved.x, moved.y, fixed.x, fixed.y, q2.x, q2.y);
    if (circle.direction == 0 || !(circle.radius > 0.0))
        return false;
    const GeoPoint first = startAtMoved ? moved : fixed;
    const GeoPoint last = startAtMoved ? fixed : moved;
    const double start = Degrees360(std::atan2(first.y - circle.cy, first.x - circle.cx));
    const double end = Degrees360(std::atan2(last.y - circle.cy, last.x - circle.cx));
    const double middle = Degrees360(std::atan2(q2.y - circle.cy, q2.x - circle.cx));
    auto ccw = [](double from, double to) {
        double d = std::fmod(to - from, 360.0);
        return d < 0.0 ? d + 360.0 : d;
    };
    copy.values[0] = circle.cx;
    copy.values[1] = circle.cy;
    copy.values[2] = circle.radius;
    copy.values[3] = start;
    copy.values[4] = end;
    copy.header.subtype = static_cast<int16_t>(ccw(start, middle) < ccw(start, end) ? 1 : -1);
    return AllFinite(copy.values);
}

} // namespace

// ---- set-up at the button down ----

void CSelectTool::BeginHandleDrag(COrvikCadView* view, CEntity* unit, double x, double y, int kind)
{
    X[0] = x;
    Y[0] = y;
    m_grabbedType = unit ? unit->type : 0;
    if (!unit || !view)
        return;
    const GeoPoint g{x, y};
    auto set = [&](int i, GeoPoint p) {
        X[i] = p.x;
        Y[i] = p.y;
    };
    const auto& v = unit->values;
    const int points = static_cast<int>(v.size() / 2);
    auto firstPointAtG = [&]() {
        for (int i = 0; i < points; ++i)
            if (IsNear({v[2 * i], v[2 * i + 1]}, g))
                return i;
        return -1;
    };
    switch (unit->type) {
    case EntityType::Line:
        if (v.size() >= 4)
            set(1, kind == SnapKind::LineStart ? GeoPoint{v[2], v[3]} : GeoPoint{v[0], v[1]});
        InputPointCount = 1;
        break;
    case EntityType::Curve:
        m_grabbedIndex = std::max(firstPointAtG(), 0);
        InputPointCount = 1;
        break;
    case EntityType::Polygon: {
        const int i = firstPointAtG();
        if (i < 0 || points < 2) {
            // Nothing of the polygon at the grabbed point: no neighbours.
            m_grabbedIndex = 0;
            set(1, g);
            set(2, g);
        } else {
            m_grabbedIndex = i;
            const int previous = i == 0 ? points - 2 : i - 1;
            const int next = i == points - 1 ? 0 : i + 1;
            set(1, {v[2 * previous], v[2 * previous + 1]});
            set(2, {v[2 * next], v[2 * next + 1]});
        }
        InputPointCount = 2;
        break;
    }
    case EntityType::Circle:
    case EntityType::Ellipse: {
        const int opposite = kind == SnapKind::Axis7    ? SnapKind::Axis8
                             : kind == SnapKind::Axis8  ? SnapKind::Axis7
                             : kind == SnapKind::Axis9  ? SnapKind::Axis10
                             : kind == SnapKind::Axis10 ? SnapKind::Axis9
                                                        : 0;
        GeoPoint f = g;
        if (opposite)
            SnapPointOf(view, *unit, opposite, f);
        set(1, f);
        InputPointCount = 1;
        break;
    }
    case EntityType::Arc:
    case EntityType::EllipticArc: {
        const bool endGrabbed = kind == SnapKind::ArcEnd;
        GeoPoint f = g;
        SnapPointOf(view, *unit, endGrabbed ? SnapKind::ArcStart : SnapKind::ArcEnd, f);
        set(1, f);
        X[3] = endGrabbed ? 1.0 : 0.0;
        if (unit->type == EntityType::Arc) {
            // The chord and the arc's height over it, for the outline; a
            // chord of 0 (an arc without ends) draws a plain line.
            X[2] = Y[2] = 0.0;
            if (v.size() >= 5) {
                const double c = std::hypot(f.x - g.x, f.y - g.y);
                const GeoPoint m = PointTowards(g.x, g.y, f.x, f.y, c / 2);
                const LineResult chord = LineFromPoints(g.x, g.y, f.x, f.y);
                if (c > 0.0 && chord.status == 0) {
                    const double pa = chord.b, pb = -chord.a, pc = -(pa * m.x + pb * m.y);
                    const PointSet<2> hits = IntersectLineCircle(pa, pb, pc, v[0], v[1], v[2]);
                    const GeoPoint s = endGrabbed ? f : g, t = endGrabbed ? g : f;
                    for (int i = 0; i < hits.count; ++i)
                        if (IsPointOnArc(s.x, s.y, v[0], v[1], v[2], -unit->subtype, hits.x[i], hits.y[i], t.x,
                                         t.y) == 0) {
                            X[2] = c;
                            Y[2] = std::hypot(hits.x[i] - m.x, hits.y[i] - m.y);
                            break;
                        }
                }
            }
            Y[3] = unit->subtype == 1 ? 1.0 : -1.0;
        }
        InputPointCount = 1;
        break;
    }
    case EntityType::Image: {
        X[2] = kind;
        const int opposite = kind == SnapKind::ImageCorner17   ? SnapKind::ImageCorner19
                             : kind == SnapKind::ImageCorner19 ? SnapKind::ImageCorner17
                             : kind == SnapKind::ImageCorner18 ? SnapKind::ImageCorner20
                                                               : SnapKind::ImageCorner18;
        GeoPoint f = g;
        SnapPointOf(view, *unit, opposite, f);
        set(1, f);
        InputPointCount = 1;
        break;
    }
    case EntityType::GroupHeader: {
        // The other ends of the selected lines that end at the grabbed point.
        InputPointCount = 1;
        COrvikCadDoc* doc = view->GetDrawing();
        for (const CEntity* e = doc ? doc->list.first : nullptr; e && InputPointCount < MaxInputPoints; e = e->next) {
            if (e->state != EntityState::Selected || e->type != EntityType::Line || e->values.size() < 4)
                continue;
            const auto& lv = e->values;
            if (IsNear({lv[0], lv[1]}, g))
                set(InputPointCount++, {lv[2], lv[3]});
            else if (IsNear({lv[2], lv[3]}, g))
                set(InputPointCount++, {lv[0], lv[1]});
        }
        break;
    }
    default:
        break;
    }
}

void CSelectTool::BeginMidpointDrag(COrvikCadView* view, CEntity* unit, double x, double y, int)
{
    X[0] = x;
    Y[0] = y;
    m_grabbedType = unit ? unit->type : 0;
    if (!unit || !view)
        return;
    auto setLine = [&](const CEntity& line) {
        X[1] = line.values[0];
        Y[1] = line.values[1];
        X[2] = line.values[2];
        Y[2] = line.values[3];
        InputPointCount = 3;
    };
    if (unit->type == EntityType::Line && unit->values.size() >= 4) {
        setLine(*unit);
        return;
    }
    if (unit->type != EntityType::GroupHeader)
        return;
    InputPointCount = 1;
    COrvikCadDoc* doc = view->GetDrawing();
    if (!doc)
        return;
    // The earliest such midpoint in the chain.
    const SnapPoint* midpoint = nullptr;
    doc->snaps.ForEachPoint([&midpoint, x, y](const SnapPoint& p) {
        if (p.kind == SnapKind::LineMidpoint && p.entity->state == EntityState::Selected &&
            std::fabs(p.x - x) < 0.01 && std::fabs(p.y - y) < 0.01 && p.entity->values.size() >= 4 &&
            (!midpoint || p.order < midpoint->order))
            midpoint = &p;
    });
    const CEntity* grabbed = midpoint ? midpoint->entity : nullptr;
    if (!grabbed) {
        // No line of the group has its midpoint here: the group just moves.
        m_dragKind = 0;
        return;
    }
    setLine(*grabbed);
    // The selected lines that meet an end of the grabbed one: (meeting end,
    // other end) pairs.
    for (const CEntity* e = doc->list.first; e && InputPointCount + 2 <= MaxInputPoints; e = e->next) {
        if (e == grabbed || e->state != EntityState::Selected || e->type != EntityType::Line || e->values.size() < 4)
            continue;
        const auto& lv = e->values;
        for (int end = 1; end <= 2 && InputPointCount + 2 <= MaxInputPoints; ++end) {
            const GeoPoint at{X[end], Y[end]};
            for (int k = 0; k < 2 && InputPointCount + 2 <= MaxInputPoints; ++k) {
                const GeoPoint point{lv[2 * k], lv[2 * k + 1]};
                if (!IsNear(point, at))
                    continue;
                X[InputPointCount] = point.x;
                Y[InputPointCount] = point.y;
                X[InputPointCount + 1] = lv[2 - 2 * k];
                Y[InputPointCount + 1] = lv[3 - 2 * k];
                InputPointCount += 2;
            }
        }
    }
}

// ---- apply on release ----

void CSelectTool::ApplyStretch(COrvikCadView* view, platform::Point point)
{
    GeoPoint p;
    if (magnetKind != 0) {
        p = {markerPoint[0], markerPoint[1]};
        magnetKind = 0;
    } else {
        p = SnapStretchVector(view, point);
    }
    m_firstCopyTaken = 0;
    const ReplaceResult result =
        ReplaceSelection(view, EntityState::Selected, [&](const CEntity& old) -> std::optional<EntityCopy> {
            switch (old.type) {
            case EntityType::Line:
            case EntityType::Curve: return StretchLineOrSpline(view, old, p);
            case EntityType::Polygon: return StretchPolygon(view, old, p);
            case EntityType::Circle: return StretchCircle(view, old, p);
            case EntityType::Arc: return StretchArc(view, old, p);
            case EntityType::Ellipse: return StretchEllipse(view, old, p);
            case EntityType::EllipticArc: return StretchEllipticArc(view, old, p);
            case EntityType::Image: return StretchImage(view, old, p);
            case EntityType::GroupHeader: return MovedGroupHeader(old, 0.0, 0.0);
            default: return std::nullopt;
            }
        });
    m_firstCopyTaken = result.firstNew ? 1 : 0;
    m_primary = nullptr;
}

void CSelectTool::ApplyMidpointDrag(COrvikCadView* view, platform::Point point)
{
    GeoPoint v;
    if (magnetKind != 0) {
        v = {markerPoint[0] - X[0], markerPoint[1] - Y[0]};
        magnetKind = 0;
    } else {
        v = SnapMoveVector(view, point);
    }
    m_firstCopyTaken = 0;
    const ReplaceResult result =
        ReplaceSelection(view, EntityState::Selected, [&](const CEntity& old) -> std::optional<EntityCopy> {
            switch (old.type) {
            case EntityType::Line: return MidpointDragLine(view, old, v);
            case EntityType::Arc: return MidpointDragArc(view, old, v);
            case EntityType::GroupHeader: return MovedGroupHeader(old, 0.0, 0.0);
            default: return std::nullopt;
            }
        });
    m_firstCopyTaken = result.firstNew ? 1 : 0;
    m_primary = nullptr;
}

// ---- handle-drag rules ----

std::optional<EntityCopy> CSelectTool::StretchLineOrSpline(COrvikCadView*, const CEntity& old, GeoPoint p) const
{
    std::optional<EntityCopy> copy = SameCopy(old);
    if (!copy)
        return std::nullopt;
    auto& v = copy->values;
    for (std::size_t i = 0; i + 1 < v.size(); i += 2)
        if (IsNear(v[i], v[i + 1], X[0], Y[0])) {
            v[i] = p.x;
            v[i + 1] = p.y;
        }
    return copy;
}

std::optional<EntityCopy> CSelectTool::StretchPolygon(COrvikCadView* view, const CEntity& old, GeoPoint p) const
{
    return StretchLineOrSpline(view, old, p);
}

std::optional<EntityCopy> CSelectTool::StretchCircle(COrvikCadView* view, const CEntity& old, GeoPoint p) const
{
    // Only the grabbed circle, or one with a handle on the grabbed point.
    if (m_grabbedType != old.type || !HasHandleNear(view, old, {X[0], Y[0]}))
        return std::nullopt;
    GeoPoint centre;
    double d = 0.0;
    std::optional<EntityCopy> copy = SameCopy(old);
    if (!copy || copy->values.size() < 3 || !DiameterCentre({X[1], Y[1]}, p, centre, d))
        return std::nullopt;
    copy->values[0] = centre.x;
    copy->values[1] = centre.y;
    copy->values[2] = d / 2;
    return copy;
}

std::optional<EntityCopy> CSelectTool::StretchArc(COrvikCadView* view, const CEntity& old, GeoPoint p) const
{
    GeoPoint s, t;
    if (!SnapPointOf(view, old, SnapKind::ArcStart, s) || !SnapPointOf(view, old, SnapKind::ArcEnd, t))
        return std::nullopt;
    const GeoPoint g{X[0], Y[0]};
    const bool startNear = IsNear(s, g), endNear = IsNear(t, g);
    if (!startNear && !endNear)
        return std::nullopt;
    const bool startMoves = !endNear;
    std::optional<EntityCopy> copy = SameCopy(old);
    if (!copy || !RebuildArc(old, s, t, startMoves, p, startMoves ? t : s, true, *copy))
        return std::nullopt;
    return copy;
}

std::optional<EntityCopy> CSelectTool::StretchEllipse(COrvikCadView* view, const CEntity& old, GeoPoint p) const
{
    if (m_grabbedType != old.type || !HasHandleNear(view, old, {X[0], Y[0]}))
        return std::nullopt;
    const int ix = FindValueIndex(old, 10), iy = FindValueIndex(old, 20), ia = FindValueIndex(old, 60),
              ib = FindValueIndex(old, 61), ir = FindValueIndex(old, 62);
    std::optional<EntityCopy> copy = SameCopy(old);
    GeoPoint centre;
    double d = 0.0;
    const GeoPoint f{X[1], Y[1]};
    if (!copy || std::min({ix, iy, ia, ib, ir}) < 0 || !DiameterCentre(f, p, centre, d))
        return std::nullopt;
    auto& v = copy->values;
    if (static_cast<std::size_t>(std::max({ix, iy, ia, ib, ir})) >= v.size())
        return std::nullopt;
    v[ix] = centre.x;
    v[iy] = centre.y;
    const double direction = AngleBetween(1.0, 0.0, p.x - f.x, p.y - f.y) * 180.0 / std::numbers::pi;
    double rotation = 0.0;
    if (m_grabbedKind == SnapKind::Axis7 || m_grabbedKind == SnapKind::Axis8) {
        v[ia] = d / 2;
        rotation = direction;
    } else if (m_grabbedKind == SnapKind::Axis9 || m_grabbedKind == SnapKind::Axis10) {
        v[ib] = d / 2;
        rotation = direction - 90.0;
    }
    if (rotation < 0.0)
        rotation += 360.0;
    v[ir] = static_cast<double>(static_cast<float>(rotation));
    if (!AllFinite(v))
        return std::nullopt;
    return copy;
}

std::optional<EntityCopy> CSelectTool::StretchEllipticArc(COrvikCadView* view, const CEntity& old, GeoPoint p) const
{
    // The ellipse's values change; the start and end angles stay.
    return StretchEllipse(view, old, p);
}

std::optional<EntityCopy> CSelectTool::StretchImage(COrvikCadView* view, const CEntity& old, GeoPoint p) const
{
    if (m_grabbedType != old.type || !HasHandleNear(view, old, {X[0], Y[0]}))
        return std::nullopt;
    std::optional<EntityCopy> copy = SameCopy(old);
    if (!copy)
        return std::nullopt;
    copy->header.count = 4;
    copy->codes = CodesOf(EntityType::Line);
    copy->values = {std::min(p.x, X[1]), std::min(p.y, Y[1]), std::max(p.x, X[1]), std::max(p.y, Y[1])};
    return copy;
}

// ---- midpoint-drag rules ----

std::optional<EntityCopy> CSelectTool::MidpointDragLine(COrvikCadView*, const CEntity& old, GeoPoint d) const
{
    std::optional<EntityCopy> copy = SameCopy(old);
    if (!copy)
        return std::nullopt;
    auto& v = copy->values;
    for (std::size_t i = 0; i + 1 < v.size() && i < 4; i += 2)
        if (IsNear(v[i], v[i + 1], X[1], Y[1]) || IsNear(v[i], v[i + 1], X[2], Y[2])) {
            v[i] += d.x;
            v[i + 1] += d.y;
        }
    return copy;
}

std::optional<EntityCopy> CSelectTool::MidpointDragArc(COrvikCadView* view, const CEntity& old, GeoPoint d) const
{
    GeoPoint s, t;
    if (!SnapPointOf(view, old, SnapKind::ArcStart, s) || !SnapPointOf(view, old, SnapKind::ArcEnd, t))
        return std::nullopt;
    auto onGrabbedLine = [&](GeoPoint q) { return IsNear(q, {X[1], Y[1]}) || IsNear(q, {X[2], Y[2]}); };
    const bool startOn = onGrabbedLine(s), endOn = onGrabbedLine(t);
    if (!startOn && !endOn)
        return std::nullopt;
    std::optional<EntityCopy> copy = SameCopy(old);
    if (!copy || copy->values.size() < 5)
        return std::nullopt;
    if (startOn && endOn) {
        copy->values[0] += d.x;
        copy->values[1] += d.y;
        return copy;
    }
    const GeoPoint moving = startOn ? s : t;
    if (!RebuildArc(old, s, t, startOn, {moving.x + d.x, moving.y + d.y}, startOn ? t : s, false, *copy))
        return std::nullopt;
    return copy;
}
