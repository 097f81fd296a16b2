#include "model/EntityPicker.h"

#include "model/PickGeometry.h"
#include "model/Entity.h"
#include "model/GeometryCircles.h"
#include "model/GeometryLines.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double Pi = 3.14159265358979323846;

double ValueAt(const CEntity& e, std::size_t i)
{
    return i < e.values.size() ? e.values[i] : 0.0;
}

// Foot of the perpendicular from the click onto the line through two points.
bool FootOnLine(double x1, double y1, double x2, double y2, double mx, double my, double& fx, double& fy)
{
    const LineResult line = LineFromPoints(x1, y1, x2, y2);
    if (line.status != 0)
        return false;
    const PointResult foot = PerpendicularFoot(mx, my, line.a, line.b, line.c);
    if (foot.status != 0)
        return false;
    fx = foot.x;
    fy = foot.y;
    return true;
}

// Direction of the click seen from a circle's centre, in [0, 2π).
double DirectionFromCentre(double cx, double cy, double mx, double my)
{
    const double dx = mx - cx, dy = my - cy;
    if (dx == 0.0) {
        if (dy > 0.0)
            return Pi / 2.0;
        if (dy < 0.0)
            return 3.0 * Pi / 2.0;
        return 0.0;
    }
    double t = std::atan(dy / dx);
    if (dx < 0.0)
        t += Pi;
    else if (dy < 0.0)
        t += 2.0 * Pi;
    return t;
}

// What the test of one entity gives.
enum class Outcome { Reject, Candidate, Immediate, Image };

struct Candidate {
    double px = 0.0, py = 0.0;   // point on the entity
    double dx = 0.0, dy = 0.0;
    // The extra check of lines and arcs, made once the candidate is within ap.
    enum class Check { None, Segment, Arc } check = Check::None;
    double sx = 0.0, sy = 0.0, ex = 0.0, ey = 0.0;  // segment, or the arc's end points
    double cx = 0.0, cy = 0.0, r = 0.0;
    int direction = 0;
};

class Walk {
public:
    explicit Walk(const PickQuery& q) : q(q), ap(q.ap), best(q.best) {}

    // Tests one entity; true when the search ends with it.
    bool Visit(CEntity* e)
    {
        if (e->state == -1)
            return false;
        const auto layer = static_cast<uint16_t>(e->layer);
        if (q.currentLayerOnly && layer != q.currentLayer)
            return false;
        if (e->type != EntityType::Grid) {
            if (layer > 127)
                return false;
            if (layer != q.currentLayer && q.layerState && q.layerState[layer] != 1 && q.layerState[layer] != 2)
                return false;
        }
        if (!PickFilterAdmits(q.filter, e->type) || !IsPickableType(e->type))
            return false;

        Candidate c;
        switch (Test(*e, c)) {
        case Outcome::Reject:
            return false;
        case Outcome::Immediate:
            result = e;
            x = c.px;
            y = c.py;
            return true;
        case Outcome::Image:
            result = e;
            x = q.mx;
            y = q.my;
            ap -= static_cast<double>(0.1f);
            best = ap;
            return false;
        case Outcome::Candidate:
            break;
        }
        if (!(c.dx <= ap && c.dy <= ap))
            return false;
        if (c.check == Candidate::Check::Segment && IsPointOnSegment(c.px, c.py, c.sx, c.sy, c.ex, c.ey) != 0)
            return false;
        if (c.check == Candidate::Check::Arc &&
            IsPointOnArc(c.sx, c.sy, c.cx, c.cy, c.r, c.direction, c.px, c.py, c.ex, c.ey) != 0)
            return false;
        const double d = std::max(c.dx, c.dy);
        if (!(d < best))
            return false;
        best = ap = d;
        result = e;
        x = e->type == EntityType::Point ? ValueAt(*e, 0) : c.px;
        y = e->type == EntityType::Point ? ValueAt(*e, 1) : c.py;
        return false;
    }

    CEntity* result = nullptr;
    double x = 0.0, y = 0.0;

private:
    Outcome Test(const CEntity& e, Candidate& c)
    {
        const double mx = q.mx, my = q.my;
        auto setPoint = [&](double px, double py) {
            c.px = px;
            c.py = py;
            c.dx = std::fabs(mx - px);
            c.dy = std::fabs(my - py);
        };
        const auto& v = e.values;
        switch (e.type) {
        case EntityType::Point:
            setPoint(ValueAt(e, 0), ValueAt(e, 1));
            return Outcome::Candidate;
        case EntityType::Grid: {
            double gx, gy;
            if (GridPointNear(e, q.originX, q.originY, mx, my, ap, gx, gy) == 0)
                return Outcome::Reject;
            c.px = gx;
            c.py = gy;
            return Outcome::Immediate;
        }
        case EntityType::Line:
        case EntityType::InfiniteLine:
        case EntityType::HorizontalInfiniteLine:
        case EntityType::VerticalInfiniteLine: {
            double x1 = ValueAt(e, 0), y1 = ValueAt(e, 1), x2 = ValueAt(e, 2), y2 = ValueAt(e, 3);
            if (e.type == EntityType::HorizontalInfiniteLine) {
                x1 = -10000000.0;
                x2 = 10000000.0;
            } else if (e.type == EntityType::VerticalInfiniteLine) {
                y1 = -10000000.0;
                y2 = 10000000.0;
            }
            double fx, fy;
            if (!FootOnLine(x1, y1, x2, y2, mx, my, fx, fy))
                return Outcome::Reject;
            setPoint(fx, fy);
            c.check = Candidate::Check::Segment;
            c.sx = x1;
            c.sy = y1;
            c.ex = x2;
            c.ey = y2;
            return Outcome::Candidate;
        }
        case EntityType::Curve: {
            double dx, dy, px, py;
            if (PickNearestOnSpline(e, dx, dy, px, py, mx, my, ap) == 0)
                return Outcome::Reject;
            c.px = px;
            c.py = py;
            c.dx = dx;
            c.dy = dy;
            return Outcome::Candidate;
        }
        case EntityType::FreehandCurve: {
            double dx, dy, px, py;
            if (PickNearestOnFreeCurve(e, dx, dy, px, py, mx, my) == 0)
                return Outcome::Reject;
            c.px = px;
            c.py = py;
            c.dx = dx;
            c.dy = dy;
            return Outcome::Candidate;
        }
        case EntityType::Circle:
        case EntityType::Arc: {
            if (v.size() < 3)
                return Outcome::Reject;
            const double cx = v[0], cy = v[1], r = v[2];
            const double t = DirectionFromCentre(cx, cy, mx, my);
            setPoint(cx + r * std::cos(t), cy + r * std::sin(t));
            if (e.type == EntityType::Arc && v.size() >= 5) {
                const double a1 = v[3], a2 = v[4];
                const bool full = (a1 == 0.0 && a2 == 360.0) || std::trunc(a1) == std::trunc(a2);
                if (!full) {
                    const PointSet<2> ends = ArcEndPoints(cx, cy, r, a1, a2);
                    c.check = Candidate::Check::Arc;
                    c.sx = ends.x[1];
                    c.sy = ends.y[1];
                    c.ex = ends.x[0];
                    c.ey = ends.y[0];
                    c.cx = cx;
                    c.cy = cy;
                    c.r = r;
                    c.direction = e.subtype;
                }
            }
            return Outcome::Candidate;
        }
        case EntityType::Ellipse:
        case EntityType::EllipticArc: {
            double dx, dy, px, py;
            if (PickNearestOnEllipse(e, dx, dy, px, py, mx, my, ap) == 0)
                return Outcome::Reject;
            c.px = px;
            c.py = py;
            c.dx = dx;
            c.dy = dy;
            return Outcome::Candidate;
        }
        case EntityType::Text:
        case EntityType::LeaderText:
            if (!PointInTextBox(e, mx, my))
                return Outcome::Reject;
            c.px = mx;
            c.py = my;
            return Outcome::Immediate;
        case EntityType::Fill:
        case EntityType::Hatch:
            if ((e.type == EntityType::Fill ? IsPointInFill(mx, my, e) : IsPointInHatch(mx, my, e)) == 0)
                return Outcome::Reject;
            c.px = mx;
            c.py = my;
            return Outcome::Immediate;
        case EntityType::Image: {
            if (v.size() < 4)
                return Outcome::Reject;
            // Corners given right-to-left or top-to-bottom cover the same box.
            const double x0 = std::min(v[0], v[2]), x1 = std::max(v[0], v[2]);
            const double y0 = std::min(v[1], v[3]), y1 = std::max(v[1], v[3]);
            return x0 <= mx && mx <= x1 && y0 <= my && my <= y1 ? Outcome::Image : Outcome::Reject;
        }
        case EntityType::Polygon: {
            const std::size_t n = v.size() / 2;
            double bestDistance = 99999.9;
            bool found = false;
            for (std::size_t i = 0; i + 1 < n; ++i) {
                const double x1 = v[2 * i], y1 = v[2 * i + 1], x2 = v[2 * i + 2], y2 = v[2 * i + 3];
                const LineResult line = LineFromPoints(x1, y1, x2, y2);
                if (line.status != 0 || line.a * line.a + line.b * line.b < 1e-4)
                    continue;
                const PointResult foot = PerpendicularFoot(mx, my, line.a, line.b, line.c);
                if (foot.status != 0 || IsPointOnSegment(foot.x, foot.y, x1, y1, x2, y2) != 0)
                    continue;
                const double d = std::hypot(mx - foot.x, my - foot.y);
                if (d < bestDistance) {
                    bestDistance = d;
                    setPoint(foot.x, foot.y);
                    found = true;
                }
            }
            return found ? Outcome::Candidate : Outcome::Reject;
        }
        default:
            return Outcome::Reject;
        }
    }

    const PickQuery& q;
    double ap;
    double best;
};

} // namespace

int GridPointNear(const CEntity& grid, double originX, double originY, double mx, double my, double ap, double& x,
                  double& y)
{
    x = y = 0.0;
    if (grid.subtype == 0 || grid.values.size() < 3)
        return 0;
    const double g = grid.values[2];
    if (!(g > 0.0) || !std::isfinite(g))
        return 0;
    const double gx = originX + NearestGridStep(mx - originX, g) * g;
    const double gy = originY + NearestGridStep(my - originY, g) * g;
    if (std::fabs(mx - gx) < ap && std::fabs(my - gy) < ap) {
        x = gx;
        y = gy;
        return 1;
    }
    return 0;
}

CEntity* EntityPicker::Pick(CEntityList& list, const PickQuery& query, double& x, double& y)
{
    CEntity* first = list.first;
    x = y = 0.0;
    if (!first)
        return nullptr;
    PickQuery q = query;
    if (q.filter == -999)
        q.filter = -1;
    Walk walk(q);
    index.Sync(list);
    if (index.Size() < indexThreshold) {
        for (CEntity* e = first; e; e = e->next)
            if (walk.Visit(e))
                break;
    } else {
        // Only entities whose box meets the aperture square can answer: the
        // aperture never grows during the walk.
        const double reach = q.ap > 0.0 ? q.ap : 0.0;
        index.Query({q.mx - reach, q.my - reach, q.mx + reach, q.my + reach}, scratch);
        for (CEntity* e : scratch)
            if (walk.Visit(e))
                break;
    }
    x = walk.x;
    y = walk.y;
    return walk.result;
}
