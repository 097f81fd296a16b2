// The expansion tool's extend modes: an element brought to a position or a
// boundary (mode 0), and lines brought to a base line (mode 1).

#include "edit_tools/ExpansionTool.h"

#include "edit_tools/ExpansionElements.h"
#include "model/CurveCut.h"
#include "model/Document.h"
#include "model/GeometryCircles.h"
#include "model/GeometryEllipses.h"
#include "model/GeometryLines.h"
#include "model/Notify.h"
#include "model/Settings.h"
#include "view/OrvikCadView.h"
#include "model/EntityKinds.h"

#include <cmath>
#include <numbers>
#include <vector>

using namespace expansion;

namespace {

// Two meeting points closer than this make no second end.
constexpr double DistinctMeetingPoints = 1.0;

double Dir(GeoPoint centre, GeoPoint p)
{
    return AngleFromCentre(centre.x, centre.y, p.x, p.y);
}

// Whether p lies on the arc about o from s to e, `direction` +1 counter-
// clockwise and -1 clockwise.
bool OnArc(GeoPoint s, GeoPoint o, double r, int direction, GeoPoint p, GeoPoint e)
{
    return IsPointOnArc(s.x, s.y, o.x, o.y, r, -direction, p.x, p.y, e.x, e.y) == 0;
}

// An arc record's geometry: centre, radius, direction and end points.
struct ArcGeometry {
    GeoPoint o, s, e;
    double r = 0.0;
    int direction = 1;
};

ArcGeometry ArcGeometryOf(const CEntity& arc)
{
    ArcGeometry g;
    g.o = {arc.values[0], arc.values[1]};
    g.r = arc.values[2];
    g.direction = arc.subtype < 0 ? -1 : 1;
    const PointSet<2> ends = ArcEndPoints(g.o.x, g.o.y, g.r, arc.values[3], arc.values[4]);
    g.s = {ends.x[0], ends.y[0]};
    g.e = {ends.x[1], ends.y[1]};
    return g;
}

// Whether p lies on the boundary's own curve where it is an arc or an
// elliptic arc (always for full circles and ellipses).
bool OnBoundaryCurve(const CEntity& boundary, GeoPoint p)
{
    if (boundary.type == EntityType::Arc) {
        const ArcGeometry g = ArcGeometryOf(boundary);
        return OnArc(g.s, g.o, g.r, g.direction, p, g.e);
    }
    if (boundary.type == EntityType::EllipticArc)
        return IsPointOnEllipticArc(boundary.values[2], boundary.values[3], boundary.values[4], boundary.values[5],
                                    boundary.values[6], p.x, p.y, boundary.values[0], boundary.values[1]) == 1;
    return true;
}

// The arc length from s to p about o in `direction`; 0 for p at s or off
// the circle through s.
double ArcLengthFrom(GeoPoint s, GeoPoint o, int direction, GeoPoint p)
{
    if (Near(p, s, 0.5))
        return 0.0;
    const double rs = Distance(s, o);
    if (std::abs(Distance(p, o) - rs) > 0.5)
        return 0.0;
    double t = (std::atan2(p.y - o.y, p.x - o.x) - std::atan2(s.y - o.y, s.x - o.x)) * direction;
    t = std::fmod(t, 2.0 * std::numbers::pi);
    if (t < 0.0)
        t += 2.0 * std::numbers::pi;
    return t * rs;
}

std::vector<GeoPoint> PointsOf(const PointSet<2>& set)
{
    std::vector<GeoPoint> out;
    for (int i = 0; i < set.count; ++i)
        out.push_back({set.x[i], set.y[i]});
    return out;
}

// The first of the ellipse crossings and the first later one more than
// 1.0 away from it; false when there are not two such.
bool TwoEllipseCrossings(const PointSet<8>& set, GeoPoint& m0, GeoPoint& m1)
{
    if (set.count < 2)
        return false;
    m0 = {set.x[0], set.y[0]};
    for (int i = 1; i < set.count; ++i) {
        const GeoPoint p{set.x[i], set.y[i]};
        if (Distance(m0, p) > DistinctMeetingPoints) {
            m1 = p;
            return true;
        }
    }
    return false;
}

// Exactly two meeting points that are more than 1.0 apart.
bool TwoDistinct(const std::vector<GeoPoint>& points)
{
    return points.size() == 2 && Distance(points[0], points[1]) > DistinctMeetingPoints;
}

// The quarter of the circle holding the direction d is left out: the
// start and end of the arc that remains counter-clockwise.
void QuadrantGap(double d, double& start, double& end)
{
    if (d < 90.0) {
        start = 90.0;
        end = 360.0;
    } else if (d < 180.0) {
        start = 180.0;
        end = 90.0;
    } else if (d < 270.0) {
        start = 270.0;
        end = 180.0;
    } else {
        start = 0.0;
        end = 270.0;
    }
}

bool IsExtendable(const CEntity& e)
{
    if (IsLineKind(e.type))
        return HasDirection(e);
    return IsUsableCircle(e) || IsUsableEllipse(e);
}

// The meeting points of the circle (o, r) with a boundary of any kind as a
// full line, circle or ellipse; false for a boundary of another kind or
// without direction.
bool CircleMeetsBoundary(const CEntity& boundary, GeoPoint o, double r, std::vector<GeoPoint>& out)
{
    out.clear();
    if (IsLineKind(boundary.type)) {
        const LineResult l = LineOf(boundary);
        if (l.status != 0)
            return false;
        const PointSet<2> m = IntersectLineCircle(l.a, l.b, l.c, o.x, o.y, r);
        if (m.status != 0)
            return false;
        out = PointsOf(m);
        return true;
    }
    if (IsUsableCircle(boundary)) {
        const PointSet<2> m = IntersectCircles(o.x, o.y, r, boundary.values[0], boundary.values[1], boundary.values[2]);
        if (m.status != 0)
            return false;
        out = PointsOf(m);
        return true;
    }
    if (IsUsableEllipse(boundary)) {
        out = PointsOf(IntersectCircleEllipse(EllipseOf(boundary), o.x, o.y, r));
        return true;
    }
    return false;
}

} // namespace

void CExpansionTool::Extend(COrvikCadView* view, platform::Point point)
{
    COrvikCadDoc* doc = view->GetDrawing();
    if (!doc)
        return;
    double x = 0, y = 0;
    if (InputPointCount == 0) {
        CEntity* e = view->PickEntity(-22, point.x, point.y, x, y);
        if (!e || !IsExtendable(*e)) {
            MessageBeep(1);
            return;
        }
        X[0] = x;
        Y[0] = y;
        picked.Hold(doc, e);
        // Shown highlighted; the record itself stays as it is.
        auto dc = view->GetClientDc();
        view->DrawEntity(*dc, e, EntityState::Highlighted);
        InputPointCount = 1;
        Prompt("伸縮する位置・要素を選んで下さい。");
        return;
    }

    CEntity* target = PickedOrRestart(view);
    if (!target)
        return;
    CEntity* boundary = view->PickEntity(1, point.x, point.y, x, y);
    if (!boundary) {
        x = view->XToModel(point.x);
        y = view->YToModel(point.y);
    }
    X[1] = x;
    Y[1] = y;
    Prompt(FirstPrompt(0));
    InputPointCount = 0;
    DrawInState(view, target, EntityState::Normal);
    const bool toPosition = !boundary || boundary->type == EntityType::Point || boundary == target;
    const GeoPoint p1{x, y};
    switch (target->type) {
    case EntityType::Circle:
        toPosition ? ArcWithoutQuadrant(view, p1) : ExtendCircleToBoundary(view, boundary);
        break;
    case EntityType::Arc:
        toPosition ? ArcWithoutQuadrant(view, p1) : ExtendArcToBoundary(view, boundary);
        break;
    case EntityType::Ellipse:
        toPosition ? EllipticArcWithoutQuadrant(view, p1) : ExtendEllipseToBoundary(view, boundary);
        break;
    case EntityType::EllipticArc:
        toPosition ? EllipticArcWithoutQuadrant(view, p1) : ExtendEllipticArcToBoundary(view, boundary);
        break;
    default:
        ExtendLine(view, toPosition ? nullptr : boundary, p1);
        break;
    }
    picked.Clear();
}

int CExpansionTool::ExtendLine(COrvikCadView* view, CEntity* boundary, GeoPoint p1)
{
    CEntity* t = Target(view);
    if (!t || !IsLineKind(t->type))
        return 1;
    const LineResult l = LineOf(*t);
    if (l.status != 0)
        return 1;
    const GeoPoint a = StoredStart(*t), b = StoredEnd(*t);

    // The new end N.
    GeoPoint n;
    if (!boundary) {
        const PointResult f = PerpendicularFoot(p1.x, p1.y, l.a, l.b, l.c);
        if (f.status != 0)
            return 1;
        n = {f.x, f.y};
    } else if (IsLineKind(boundary->type)) {
        const LineResult lb = LineOf(*boundary);
        if (lb.status != 0)
            return 1;
        const PointResult m = IntersectLines(l.a, l.b, l.c, lb.a, lb.b, lb.c);
        if (m.status != 0)
            return 1;
        n = {m.x, m.y};
    } else if (IsUsableCircle(*boundary)) {
        const PointSet<2> m =
            IntersectLineCircle(l.a, l.b, l.c, boundary->values[0], boundary->values[1], boundary->values[2]);
        if (m.status != 0)
            return 1;
        std::vector<GeoPoint> kept;
        for (const GeoPoint& p : PointsOf(m))
            if (OnBoundaryCurve(*boundary, p))
                kept.push_back(p);
        if (kept.empty())
            return 1;
        if (boundary->type == EntityType::Arc && kept.size() == 1) {
            n = kept[0];
        } else {
            // The meeting point nearest the second pick; the first of equals.
            double best = 1e10;
            bool found = false;
            for (const GeoPoint& p : kept) {
                const double d = (p.x - p1.x) * (p.x - p1.x) + (p.y - p1.y) * (p.y - p1.y);
                if (d < best) {
                    best = d;
                    n = p;
                    found = true;
                }
            }
            if (!found)
                return 1;
        }
    } else {
        return 1;
    }

    // The part on the side of the first pick stays.
    const GeoPoint p0{X[0], Y[0]};
    GeoPoint s, e;
    if (OnSegment(p0, a, n)) {
        s = a;
        e = n;
    } else if (OnSegment(p0, n, b)) {
        s = n;
        e = b;
    } else {
        return 1;
    }
    return ReplaceRecords(view, {t}, {LineRecord(view, t->style, CurrentColor, s, e)}) ? 0 : 1;
}

void CExpansionTool::ExtendToBaseLine(COrvikCadView* view, platform::Point point)
{
    CEntity* base = PickedOrRestart(view);
    if (!base)
        return;
    double x = 0, y = 0;
    CEntity* t = view->PickEntity(-20, point.x, point.y, x, y);
    if (!t || !HasDirection(*t)) {
        MessageBeep(1);
        return;
    }
    if (t == base)
        return;
    const LineResult lb = LineOf(*base), lt = LineOf(*t);
    if (lb.status != 0)
        return;
    const PointResult m = IntersectLines(lb.a, lb.b, lb.c, lt.a, lt.b, lt.c);
    if (m.status != 0)
        return;
    const GeoPoint n{m.x, m.y}, q{x, y};
    const GeoPoint a = StoredStart(*t), b = StoredEnd(*t);
    GeoPoint s, e;
    if (OnSegment(q, a, n)) {
        s = a;
        e = n;
    } else if (OnSegment(q, n, b)) {
        s = n;
        e = b;
    } else {
        return;
    }
    ReplaceRecords(view, {t}, {LineRecord(view, t->style, CurrentColor, s, e)});
}

int CExpansionTool::ArcWithoutQuadrant(COrvikCadView* view, GeoPoint p1)
{
    CEntity* t = Target(view);
    if (!t || !IsUsableCircle(*t))
        return 1;
    const GeoPoint o{t->values[0], t->values[1]};
    double start = 0, end = 0;
    QuadrantGap(Dir(o, p1), start, end);
    NewRecord r;
    r.header = {EntityType::Arc, 1, t->style, static_cast<int16_t>(view->currentLayer), 5};
    r.codes = CodesOf(EntityType::Arc);
    r.values = {o.x, o.y, t->values[2], start, end};
    r.colour = CurrentColor;
    ReplaceRecords(view, {t}, {r});
    return 0;
}

int CExpansionTool::EllipticArcWithoutQuadrant(COrvikCadView* view, GeoPoint p1)
{
    CEntity* t = Target(view);
    if (!t || !IsUsableEllipse(*t))
        return 1;
    double start = 0, end = 0;
    QuadrantGap(Dir({t->values[0], t->values[1]}, p1), start, end);
    NewRecord r;
    r.header = {EntityType::EllipticArc, t->subtype, t->style, t->layer, 7};
    r.codes = CodesOf(EntityType::EllipticArc);
    r.values = {t->values[0], t->values[1], t->values[2], t->values[3], t->values[4], start, end};
    r.colour = CurrentColor;
    ReplaceRecords(view, {t}, {r});
    return 0;
}

int CExpansionTool::ExtendCircleToBoundary(COrvikCadView* view, CEntity* boundary)
{
    CEntity* t = Target(view);
    if (!t || !boundary || boundary == t || t->type != EntityType::Circle || !IsUsableCircle(*t))
        return 1;
    const GeoPoint o{t->values[0], t->values[1]};
    const double r = t->values[2];
    std::vector<GeoPoint> m;
    if (!CircleMeetsBoundary(*boundary, o, r, m) || !TwoDistinct(m))
        return 1;
    // The piece between the two meeting points that holds the first pick:
    // clockwise from M0 first, then counter-clockwise.
    const GeoPoint p0{X[0], Y[0]};
    int direction = 0;
    for (int candidate : {-1, 1})
        if (OnArc(m[0], o, r, candidate, p0, m[1])) {
            direction = candidate;
            break;
        }
    if (direction == 0)
        return 1;
    NewRecord rec;
    rec.header = {EntityType::Arc, static_cast<int16_t>(direction), t->style, static_cast<int16_t>(view->currentLayer),
                  5};
    rec.codes = CodesOf(EntityType::Arc);
    rec.values = {o.x, o.y, r, Dir(o, m[0]), Dir(o, m[1])};
    rec.colour = CurrentColor;
    return ReplaceRecords(view, {t}, {rec}) ? 0 : 1;
}

int CExpansionTool::ExtendArcToBoundary(COrvikCadView* view, CEntity* boundary)
{
    CEntity* t = Target(view);
    if (!t || !boundary || boundary == t || t->type != EntityType::Arc || !IsUsableCircle(*t))
        return 1;
    const ArcGeometry g = ArcGeometryOf(*t);
    const GeoPoint p0{X[0], Y[0]};
    const auto onTarget = [&g](GeoPoint p) { return OnArc(g.s, g.o, g.r, g.direction, p, g.e); };

    GeoPoint newStart = g.s, newEnd = g.e;
    int direction = g.direction;
    std::vector<GeoPoint> cutAt;  // one or two points on the arc to cut at
    bool rebuild = false;         // a boundary of another kind: the arc as it is

    if (IsLineKind(boundary->type)) {
        std::vector<GeoPoint> m;
        if (!CircleMeetsBoundary(*boundary, g.o, g.r, m) || m.empty())
            return 1;
        if (boundary->type == EntityType::Line) {
            std::vector<GeoPoint> onBoundary;
            for (const GeoPoint& p : m)
                if (OnSegment(p, StoredStart(*boundary), StoredEnd(*boundary)))
                    onBoundary.push_back(p);
            if (onBoundary.empty())
                return 1;
            if (onBoundary.size() == 1) {
                if (!onTarget(onBoundary[0]))
                    return 1;
                m = onBoundary;
            }
        }
        for (const GeoPoint& p : m)
            if (onTarget(p))
                cutAt.push_back(p);
        if (cutAt.empty())
            return 1;  // a line never lengthens an arc
    } else if (IsUsableCircle(*boundary) || IsUsableEllipse(*boundary)) {
        std::vector<GeoPoint> m;
        if (!CircleMeetsBoundary(*boundary, g.o, g.r, m) || m.empty())
            return 1;
        bool anyOnTarget = false;
        for (const GeoPoint& p : m)
            anyOnTarget = anyOnTarget || onTarget(p);
        if (!anyOnTarget) {
            // Lengthened through the first pick to both meeting points.
            if (!TwoDistinct(m))
                return 1;
            const CircleResult turn = CircleFrom3Points(m[0].x, m[0].y, p0.x, p0.y, m[1].x, m[1].y);
            if (turn.direction == 0)
                return 1;
            newStart = m[0];
            newEnd = m[1];
            direction = turn.direction;
        } else {
            for (const GeoPoint& p : m)
                if (onTarget(p) && OnBoundaryCurve(*boundary, p))
                    cutAt.push_back(p);
            if (cutAt.empty())
                return 1;
        }
    } else {
        rebuild = true;
    }

    if (!rebuild && cutAt.size() == 1) {
        const GeoPoint c = cutAt[0];
        if (OnArc(g.s, g.o, g.r, g.direction, p0, c)) {
            newEnd = c;
        } else if (OnArc(c, g.o, g.r, g.direction, p0, g.e)) {
            newStart = c;
        } else {
            return 1;
        }
    } else if (!rebuild && cutAt.size() >= 2) {
        GeoPoint m0 = cutAt[0], m1 = cutAt[1];
        if (ArcLengthFrom(g.s, g.o, g.direction, m0) > ArcLengthFrom(g.s, g.o, g.direction, m1))
            std::swap(m0, m1);
        if (OnArc(g.s, g.o, g.r, g.direction, p0, m0)) {
            newEnd = m0;
        } else if (OnArc(m0, g.o, g.r, g.direction, p0, m1)) {
            newStart = m0;
            newEnd = m1;
        } else if (OnArc(m1, g.o, g.r, g.direction, p0, g.e)) {
            newStart = m1;
        } else {
            return 1;
        }
    }

    NewRecord rec;
    rec.header = {EntityType::Arc, static_cast<int16_t>(direction), t->style, static_cast<int16_t>(view->currentLayer),
                  5};
    rec.codes = CodesOf(EntityType::Arc);
    rec.values = {g.o.x, g.o.y, g.r, Dir(g.o, newStart), Dir(g.o, newEnd)};
    rec.colour = CurrentColor;
    return ReplaceRecords(view, {t}, {rec}) ? 0 : 1;
}

int CExpansionTool::GetEllipticPieceAngles(const GeoEllipse& ellipse, GeoPoint a, GeoPoint b, double& dirA,
                                           double& dirB) const
{
    const GeoPoint o{ellipse.cx, ellipse.cy};
    const double da = Dir(o, a), db = Dir(o, b);
    if (IsPointOnEllipticArc(ellipse.r1, ellipse.r2, ellipse.rotation, da, db, X[0], Y[0], o.x, o.y) == 1) {
        dirA = da;
        dirB = db;
        return 1;
    }
    dirA = dirB = 0.0;
    return 0;
}

int CExpansionTool::ExtendEllipseToBoundary(COrvikCadView* view, CEntity* boundary)
{
    CEntity* t = Target(view);
    if (!t || !boundary || boundary == t || t->type != EntityType::Ellipse || !IsUsableEllipse(*t))
        return 1;
    const GeoEllipse el = EllipseOf(*t);
    GeoPoint m0, m1;
    if (IsLineKind(boundary->type)) {
        const LineResult l = LineOf(*boundary);
        if (l.status != 0)
            return 1;
        const std::vector<GeoPoint> m = PointsOf(IntersectLineEllipse(el, l.a, l.b, l.c));
        if (!TwoDistinct(m))
            return 1;
        m0 = m[0];
        m1 = m[1];
    } else if (IsUsableCircle(*boundary)) {
        const std::vector<GeoPoint> m =
            PointsOf(IntersectCircleEllipse(el, boundary->values[0], boundary->values[1], boundary->values[2]));
        if (!TwoDistinct(m))
            return 1;
        m0 = m[0];
        m1 = m[1];
    } else if (IsUsableEllipse(*boundary)) {
        if (!TwoEllipseCrossings(IntersectEllipses(el, EllipseOf(*boundary)), m0, m1))
            return 1;
    } else {
        return 1;
    }
    const GeoPoint o{el.cx, el.cy};
    double a0 = Dir(o, m0), a1 = Dir(o, m1);
    // The piece that holds the first pick stays.
    if (IsPointOnEllipticArc(el.r1, el.r2, el.rotation, a0, a1, X[0], Y[0], o.x, o.y) != 1)
        std::swap(a0, a1);
    NewRecord rec;
    rec.header = {EntityType::EllipticArc, t->subtype, t->style, t->layer, 7};
    rec.codes = CodesOf(EntityType::EllipticArc);
    rec.values = {el.cx, el.cy, el.r1, el.r2, el.rotation, a0, a1};
    rec.colour = CurrentColor;
    return ReplaceRecords(view, {t}, {rec}) ? 0 : 1;
}

int CExpansionTool::ExtendEllipticArcToBoundary(COrvikCadView* view, CEntity* boundary)
{
    CEntity* t = Target(view);
    if (!t || !boundary || boundary == t || t->type != EntityType::EllipticArc || !IsUsableEllipse(*t))
        return 1;
    const GeoEllipse el = EllipseOf(*t);
    const GeoPoint o{el.cx, el.cy};
    double start = 0, end = 0;
    if (IsLineKind(boundary->type)) {
        const LineResult l = LineOf(*boundary);
        if (l.status != 0)
            return 1;
        const GeoEllipticArc arc{el, t->values[5], t->values[6]};
        const std::vector<GeoPoint> m = PointsOf(IntersectLineEllipticArc(arc, l.a, l.b, l.c));
        if (m.empty())
            return 1;
        const PointSet<2> ends = EllipticArcEndPoints(el, t->values[5], t->values[6]);
        const GeoPoint s{ends.x[0], ends.y[0]}, e{ends.x[1], ends.y[1]};
        // N the meeting point nearer S along the arc, F the farther.
        GeoPoint nearer = m[0], farther = m[0];
        if (m.size() == 2) {
            farther = m[1];
            if (EllipseArcLengthBetween(el, s.x, s.y, nearer.x, nearer.y) >
                EllipseArcLengthBetween(el, s.x, s.y, farther.x, farther.y))
                std::swap(nearer, farther);
        }
        if (!(m.size() == 2 && GetEllipticPieceAngles(el, nearer, farther, start, end)) &&
            !GetEllipticPieceAngles(el, s, nearer, start, end) && !GetEllipticPieceAngles(el, farther, e, start, end))
            return 1;
    } else if (IsUsableCircle(*boundary)) {
        const std::vector<GeoPoint> m =
            PointsOf(IntersectCircleEllipse(el, boundary->values[0], boundary->values[1], boundary->values[2]));
        if (!TwoDistinct(m))
            return 1;
        start = Dir(o, m[0]);
        end = Dir(o, m[1]);
    } else if (IsUsableEllipse(*boundary)) {
        GeoPoint m0, m1;
        if (!TwoEllipseCrossings(IntersectEllipses(el, EllipseOf(*boundary)), m0, m1))
            return 1;
        start = Dir(o, m0);
        end = Dir(o, m1);
    } else {
        return 1;
    }
    NewRecord rec;
    rec.header = {EntityType::EllipticArc, t->subtype, t->style, t->layer, 7};
    rec.codes = CodesOf(EntityType::EllipticArc);
    rec.values = {el.cx, el.cy, el.r1, el.r2, el.rotation, start, end};
    rec.colour = CurrentColor;
    return ReplaceRecords(view, {t}, {rec}) ? 0 : 1;
}
