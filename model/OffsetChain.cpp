#include "model/OffsetChain.h"

#include "model/EntityList.h"
#include "model/GeometryCircles.h"
#include "model/GeometryEllipses.h"
#include "model/GeometryLines.h"
#include "model/EntityKinds.h"

#include <cmath>
#include <numbers>

namespace {

constexpr int MaxWalk = 100;
constexpr double Joined = 0.5;
constexpr double DegToRad = std::numbers::pi / 180.0;

bool Near(GeoPoint a, double x, double y)
{
    return std::fabs(a.x - x) < Joined && std::fabs(a.y - y) < Joined;
}

double Dist(GeoPoint a, GeoPoint b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

// atan2 of (p - c) in degrees within [0, 360).
double AngleOf(GeoPoint p, GeoPoint c)
{
    double a = std::atan2(p.y - c.y, p.x - c.x) / DegToRad;
    if (a < 0)
        a += 360.0;
    if (a >= 360.0)
        a -= 360.0;
    return a;
}

double ValueOf(const CEntity& e, int16_t code, double fallback = 0.0)
{
    for (std::size_t i = 0; i < e.codes.size() && i < e.values.size(); ++i)
        if (e.codes[i] == code)
            return e.values[i];
    return fallback;
}

} // namespace

struct OffsetChains::Element {
    const CEntity* entity = nullptr;
    int16_t type = 0;
    GeoPoint s, f;        // start and finishing point
    GeoPoint centre;      // arcs and ellipses
    double r = 0.0;       // arcs
    int direction = 1;    // arcs: +1 counter-clockwise from s to f
    GeoEllipticArc ellipse;
    bool chains = false;  // a line, arc or elliptic arc
    mutable bool done = false;
};

OffsetChains::OffsetChains(const CEntityList& list)
{
    for (const CEntity* e = list.first; e; e = e->next) {
        if (e->state != EntityState::Marked)
            continue;
        Element el;
        el.entity = e;
        el.type = e->type;
        switch (e->type) {
        case EntityType::Line:
            if (e->values.size() < 4)
                continue;
            el.s = {e->values[0], e->values[1]};
            el.f = {e->values[2], e->values[3]};
            el.chains = true;
            break;
        case EntityType::Arc: {
            if (e->values.size() < 5)
                continue;
            el.centre = {e->values[0], e->values[1]};
            el.r = e->values[2];
            el.direction = e->subtype < 0 ? -1 : 1;
            const PointSet<2> ends = ArcEndPoints(el.centre.x, el.centre.y, el.r, e->values[3], e->values[4]);
            el.s = {ends.x[0], ends.y[0]};
            el.f = {ends.x[1], ends.y[1]};
            el.chains = true;
            break;
        }
        case EntityType::EllipticArc: {
            el.ellipse.ellipse = {ValueOf(*e, 10), ValueOf(*e, 20), ValueOf(*e, 60), ValueOf(*e, 61), ValueOf(*e, 62)};
            el.ellipse.start = ValueOf(*e, 50);
            el.ellipse.end = ValueOf(*e, 51);
            el.centre = {el.ellipse.ellipse.cx, el.ellipse.ellipse.cy};
            const PointSet<2> ends = EllipticArcEndPoints(el.ellipse.ellipse, el.ellipse.start, el.ellipse.end);
            el.s = {ends.x[0], ends.y[0]};
            el.f = {ends.x[1], ends.y[1]};
            el.chains = true;
            break;
        }
        case EntityType::Circle:
            if (e->values.size() < 3)
                continue;
            el.centre = {e->values[0], e->values[1]};
            el.r = e->values[2];
            break;
        case EntityType::Ellipse:
            el.ellipse.ellipse = {ValueOf(*e, 10), ValueOf(*e, 20), ValueOf(*e, 60), ValueOf(*e, 61), ValueOf(*e, 62)};
            el.centre = {el.ellipse.ellipse.cx, el.ellipse.ellipse.cy};
            break;
        default:
            break;
        }
        elements_.push_back(el);
    }
}

OffsetChains::~OffsetChains() = default;

const OffsetChains::Element* OffsetChains::Find(const CEntity* e) const
{
    for (const Element& el : elements_)
        if (el.entity == e)
            return &el;
    return nullptr;
}

const OffsetChains::Element* OffsetChains::Connected(const Element* except, double x, double y, bool& atFinish) const
{
    for (const Element& el : elements_) {
        if (&el == except || !el.chains || el.done)
            continue;
        if (Near(el.s, x, y)) {
            atFinish = false;
            return &el;
        }
        if (Near(el.f, x, y)) {
            atFinish = true;
            return &el;
        }
    }
    return nullptr;
}

std::vector<OffsetChains::Oriented> OffsetChains::Walk(const Element* from, bool reversed, bool stopAtStart,
                                                       bool& closed) const
{
    closed = false;
    std::vector<Oriented> out{{from, reversed}};
    const Element* current = from;
    GeoPoint at = reversed ? from->s : from->f;
    for (int step = 0; step < MaxWalk; ++step) {
        bool atFinish = false;
        const Element* next = Connected(current, at.x, at.y, atFinish);
        if (!next)
            break;
        if (next == from) {
            closed = true;
            break;
        }
        (void)stopAtStart;
        out.push_back({next, atFinish});
        at = atFinish ? next->s : next->f;
        current = next;
    }
    return out;
}

int OffsetChains::ClassifyChain(const CEntity* e) const
{
    const Element* el = Find(e);
    if (!el || !el->chains)
        return -1;
    bool closed = false;
    const std::vector<Oriented> walk = Walk(el, false, true, closed);
    if (closed)
        return 0;
    int result = walk.size() > 1 ? 1 : -1;
    bool atFinish = false;
    if (Connected(el, el->s.x, el->s.y, atFinish))
        result += 2;
    return result;
}

const CEntity* OffsetChains::FindChainStart(const CEntity* e) const
{
    const Element* el = Find(e);
    if (!el || !el->chains)
        return e;
    for (bool fromStart : {true, false}) {
        bool closed = false;
        const std::vector<Oriented> walk = Walk(el, fromStart, true, closed);
        if (closed)
            return e;
        if (static_cast<int>(walk.size()) - 1 < MaxWalk)
            return walk.back().element->entity;
    }
    return e;
}

bool OffsetChains::IsPointInsideChain(const CEntity* e, double x, double y) const
{
    const Element* el = Find(e);
    if (!el || !el->chains)
        return false;
    bool closed = false;
    const std::vector<Oriented> chain = Walk(el, false, true, closed);
    int crossings = 0;
    // The ray y = y from x to the right.
    for (const Oriented& o : chain) {
        const Element& c = *o.element;
        if (c.type == EntityType::Line) {
            const LineResult l = LineFromPoints(c.s.x, c.s.y, c.f.x, c.f.y);
            const PointResult p = IntersectLines(0.0, 1.0, -y, l.a, l.b, l.c);
            if (l.status == 0 && p.status == 0 && IsPointOnSegment(p.x, p.y, c.s.x, c.s.y, c.f.x, c.f.y) == 0 &&
                p.x >= x)
                ++crossings;
        } else if (c.type == EntityType::Arc) {
            const PointSet<2> ps = IntersectLineCircle(0.0, 1.0, -y, c.centre.x, c.centre.y, c.r);
            for (int i = 0; i < ps.count; ++i)
                if (ps.x[i] >= x && IsPointOnArc(c.s.x, c.s.y, c.centre.x, c.centre.y, c.r, -c.direction, ps.x[i],
                                                 ps.y[i], c.f.x, c.f.y) == 0)
                    ++crossings;
        } else if (c.type == EntityType::EllipticArc) {
            const PointSet<2> ps = IntersectLineEllipticArc(c.ellipse, 0.0, 1.0, -y);
            for (int i = 0; i < ps.count; ++i)
                if (ps.x[i] >= x)
                    ++crossings;
        }
    }
    return crossings % 2 == 1;
}

namespace {

// One element's offset shape, oriented along the chain.
struct Shape {
    int16_t type = 0;
    GeoPoint a, b;        // a line piece's ends before joining (start, end)
    LineResult line;      // its line
    GeoPoint centre;
    double r = 0.0;       // arc: offset radius
    int direction = 1;    // arc: as walked
    GeoEllipticArc ellipse;  // elliptic arc: offset ellipse
    GeoPoint ownStart, ownEnd;  // where the offset of the element's own ends lies
    bool collapsed = false;     // an arc or elliptic arc offset past its centre: no piece
};

// The intersection of two offset shapes nearest to the vertex; fallback
// when they do not meet.
GeoPoint Joint(const Shape& p, const Shape& q, GeoPoint vertex, GeoPoint fallback)
{
    if (p.type == EntityType::EllipticArc)
        return p.ownEnd;
    if (q.type == EntityType::EllipticArc)
        return q.ownStart;
    double best = 99999999.9;
    GeoPoint chosen = fallback;
    auto consider = [&](double x, double y) {
        const double dist = Dist({x, y}, vertex);
        if (dist < best) {
            best = dist;
            chosen = {x, y};
        }
    };
    if (p.type == EntityType::Line && q.type == EntityType::Line) {
        const PointResult i = IntersectLines(p.line.a, p.line.b, p.line.c, q.line.a, q.line.b, q.line.c);
        if (i.status == 0)
            consider(i.x, i.y);
    } else if (p.type == EntityType::Line || q.type == EntityType::Line) {
        const Shape& l = p.type == EntityType::Line ? p : q;
        const Shape& c = p.type == EntityType::Line ? q : p;
        const PointSet<2> s = IntersectLineCircle(l.line.a, l.line.b, l.line.c, c.centre.x, c.centre.y, c.r);
        for (int i = 0; i < s.count; ++i)
            consider(s.x[i], s.y[i]);
    } else {
        const PointSet<2> s = IntersectCircles(p.centre.x, p.centre.y, p.r, q.centre.x, q.centre.y, q.r);
        for (int i = 0; i < s.count; ++i)
            consider(s.x[i], s.y[i]);
    }
    return chosen;
}

} // namespace

void OffsetChains::OffsetChain(const std::vector<Oriented>& chain, bool closed, double x, double y, double d,
                               Result& out) const
{
    if (chain.empty())
        return;
    // The side of travel the pieces lie on, fixed by the first element.
    const Oriented& first = chain.front();
    const Element& e0 = *first.element;
    const GeoPoint s0 = first.reversed ? e0.f : e0.s, f0 = first.reversed ? e0.s : e0.f;
    bool left = true;
    bool clickInside = false;
    if (closed) {
        clickInside = IsPointInsideChain(e0.entity, x, y);
        if (e0.type == EntityType::Line) {
            // The chain is walked so that its inside lies to the right.
            left = !clickInside;
        } else if (e0.type == EntityType::Arc) {
            const int dir = first.reversed ? -e0.direction : e0.direction;
            const GeoPoint mid{(s0.x + f0.x) / 2, (s0.y + f0.y) / 2};
            const double len = Dist(mid, e0.centre);
            const GeoPoint towards = len > 0 ? GeoPoint{mid.x + (e0.centre.x - mid.x) / len, mid.y + (e0.centre.y - mid.y) / len}
                                             : mid;
            const bool shrink = IsPointInsideChain(e0.entity, towards.x, towards.y) == clickInside;
            left = shrink == (dir > 0);
        }
    } else if (e0.type == EntityType::Line) {
        const double t = AngleOf({x, y}, s0) - AngleOf(f0, s0);
        const double a = t < 0 ? t + 360.0 : t;
        left = a <= 180.0;
    } else if (e0.type == EntityType::Arc) {
        const int dir = first.reversed ? -e0.direction : e0.direction;
        bool shrink;
        if (Dist({x, y}, e0.centre) < e0.r) {
            shrink = true;
        } else {
            const double t = AngleOf({x, y}, s0) - AngleOf(f0, s0);
            const bool clickLeft = (t < 0 ? t + 360.0 : t) <= 180.0;
            shrink = dir > 0 ? clickLeft : !clickLeft;
        }
        left = shrink == (dir > 0);
    }

    // The offset shape of every element.
    std::vector<Shape> shapes;
    for (const Oriented& o : chain) {
        const Element& el = *o.element;
        const GeoPoint s = o.reversed ? el.f : el.s, f = o.reversed ? el.s : el.f;
        Shape sh;
        sh.type = el.type;
        if (el.type == EntityType::Line) {
            const double len = Dist(s, f);
            const double nx = len > 0 ? -(f.y - s.y) / len : 0.0, ny = len > 0 ? (f.x - s.x) / len : 0.0;
            const double k = left ? d : -d;
            sh.a = {s.x + nx * k, s.y + ny * k};
            sh.b = {f.x + nx * k, f.y + ny * k};
            sh.line = LineFromPoints(sh.a.x, sh.a.y, sh.b.x, sh.b.y);
            sh.ownStart = sh.a;
            sh.ownEnd = sh.b;
        } else if (el.type == EntityType::Arc) {
            sh.direction = o.reversed ? -el.direction : el.direction;
            const bool centreLeft = sh.direction > 0;
            sh.centre = el.centre;
            sh.r = left == centreLeft ? el.r - d : el.r + d;
            sh.collapsed = sh.r <= 0.0;
            const double q = el.r != 0 ? sh.r / el.r : 1.0;
            sh.ownStart = {el.centre.x + (s.x - el.centre.x) * q, el.centre.y + (s.y - el.centre.y) * q};
            sh.ownEnd = {el.centre.x + (f.x - el.centre.x) * q, el.centre.y + (f.y - el.centre.y) * q};
        } else if (el.type == EntityType::EllipticArc) {
            bool inside;
            if (closed) {
                inside = clickInside;
            } else {
                const LineResult ray = LineFromPoints(el.centre.x, el.centre.y, x, y);
                const PointSet<2> hit = ray.status == 0
                                            ? IntersectLineEllipse(el.ellipse.ellipse, ray.a, ray.b, ray.c)
                                            : PointSet<2>{};
                if (hit.count == 0)
                    return;  // the chain's offset ends here; its elements stay marked
                inside = Dist({hit.x[0], hit.y[0]}, el.centre) >= Dist({x, y}, el.centre);
            }
            sh.ellipse = el.ellipse;
            sh.ellipse.ellipse.r1 += inside ? -d : d;
            sh.ellipse.ellipse.r2 += inside ? -d : d;
            sh.collapsed = sh.ellipse.ellipse.r1 <= 0.0 || sh.ellipse.ellipse.r2 <= 0.0;
            const PointSet<2> ends = EllipticArcEndPoints(sh.ellipse.ellipse, el.ellipse.start, el.ellipse.end);
            const GeoPoint es{ends.x[0], ends.y[0]}, ef{ends.x[1], ends.y[1]};
            sh.ownStart = o.reversed ? ef : es;
            sh.ownEnd = o.reversed ? es : ef;
        }
        shapes.push_back(sh);
    }

    // Joints: before element i and after it.
    const std::size_t n = shapes.size();
    std::vector<GeoPoint> startJoint(n), endJoint(n);
    for (std::size_t i = 0; i < n; ++i) {
        const bool hasNext = i + 1 < n || closed;
        if (!hasNext)
            break;
        const std::size_t j = (i + 1) % n;
        const Oriented& o = chain[i];
        if (shapes[i].collapsed || shapes[j].collapsed) {
            // Nothing to meet: the neighbour of a missing piece ends where
            // its own end lies.
            endJoint[i] = shapes[i].ownEnd;
            startJoint[j] = shapes[j].ownStart;
            continue;
        }
        const GeoPoint vertex = o.reversed ? o.element->s : o.element->f;
        const GeoPoint joint = Joint(shapes[i], shapes[j], vertex, shapes[i].ownEnd);
        endJoint[i] = joint;
        startJoint[j] = joint;
    }
    if (!closed) {
        startJoint[0] = shapes[0].ownStart;
        endJoint[n - 1] = shapes[n - 1].ownEnd;
    }

    for (std::size_t i = 0; i < n; ++i) {
        const Shape& sh = shapes[i];
        const CEntity& src = *chain[i].element->entity;
        if (sh.collapsed) {
            out.collapsed.push_back(&src);
            continue;
        }
        OffsetPiece piece;
        piece.source = &src;
        const GeoPoint a = startJoint[i], b = endJoint[i];
        if (sh.type == EntityType::Line) {
            piece.type = EntityType::Line;
            piece.codes = CodesOf(EntityType::Line);
            piece.values = {a.x, a.y, b.x, b.y};
        } else if (sh.type == EntityType::Arc) {
            piece.type = EntityType::Arc;
            piece.subtype = static_cast<int16_t>(sh.direction);
            piece.codes = src.codes.ToVector();
            piece.values = {sh.centre.x, sh.centre.y, Dist(sh.centre, b), AngleOf(a, sh.centre), AngleOf(b, sh.centre)};
        } else {
            piece.type = EntityType::EllipticArc;
            piece.subtype = src.subtype;
            piece.codes = src.codes.ToVector();
            // From whichever end lies nearer the source's start.
            const GeoPoint srcStart = chain[i].element->s;
            const bool swap = Dist(b, srcStart) < Dist(a, srcStart);
            const GeoPoint from = swap ? b : a, to = swap ? a : b;
            const GeoEllipse& el = sh.ellipse.ellipse;
            piece.values = {el.cx, el.cy, el.r1, el.r2, el.rotation, AngleOf(from, {el.cx, el.cy}),
                            AngleOf(to, {el.cx, el.cy})};
        }
        out.pieces.push_back(std::move(piece));
    }
    for (const Oriented& o : chain) {
        o.element->done = true;
        out.handled.push_back(o.element->entity);
    }
}

void OffsetChains::OffsetCircle(const Element& e, double x, double y, double d, Result& out) const
{
    const double r = e.r >= Dist(e.centre, {x, y}) ? e.r - d : e.r + d;
    e.done = true;
    out.handled.push_back(e.entity);
    if (r <= 0.0) {
        out.collapsed.push_back(e.entity);
        return;
    }
    OffsetPiece piece;
    piece.source = e.entity;
    piece.type = EntityType::Circle;
    piece.codes = CodesOf(EntityType::Circle);
    piece.values = {e.centre.x, e.centre.y, r};
    out.pieces.push_back(std::move(piece));
}

void OffsetChains::OffsetEllipse(const Element& e, double x, double y, double d, Result& out) const
{
    const LineResult ray = LineFromPoints(e.centre.x, e.centre.y, x, y);
    if (ray.status != 0)
        return;
    const PointSet<2> hit = IntersectLineEllipse(e.ellipse.ellipse, ray.a, ray.b, ray.c);
    if (hit.count == 0)
        return;
    const bool inside = Dist({hit.x[0], hit.y[0]}, e.centre) >= Dist({x, y}, e.centre);
    const double k = inside ? -d : d;
    e.done = true;
    out.handled.push_back(e.entity);
    const GeoEllipse& el = e.ellipse.ellipse;
    if (el.r1 + k <= 0.0 || el.r2 + k <= 0.0) {
        out.collapsed.push_back(e.entity);
        return;
    }
    OffsetPiece piece;
    piece.source = e.entity;
    piece.type = e.type;
    piece.codes = CodesOf(EntityType::Ellipse);
    piece.values = {el.cx, el.cy, el.r1 + k, el.r2 + k, el.rotation};
    if (e.type == EntityType::EllipticArc) {
        piece.codes.insert(piece.codes.end(), {50, 51});
        piece.values.insert(piece.values.end(), {e.ellipse.start, e.ellipse.end});
    }
    out.pieces.push_back(std::move(piece));
}

OffsetChains::Result OffsetChains::Offset(double x, double y, double d) const
{
    Result out;
    for (const Element& el : elements_)
        el.done = false;
    for (const Element& el : elements_) {
        if (el.done)
            continue;
        const int kind = ClassifyChain(el.entity);
        if (kind == 0) {
            // A closed chain starts at a line when it has one.
            const Element* start = &el;
            bool closed = false;
            for (const Oriented& o : Walk(&el, false, true, closed))
                if (o.element->type == EntityType::Line) {
                    start = o.element;
                    break;
                }
            bool reversed = false;
            if (start->type == EntityType::Line) {
                // Walked so that the inside lies to the right of the start line.
                const GeoPoint mid{(start->s.x + start->f.x) / 2, (start->s.y + start->f.y) / 2};
                const double len = Dist(start->s, start->f);
                const GeoPoint right = len > 0 ? GeoPoint{mid.x + (start->f.y - start->s.y) / len,
                                                          mid.y - (start->f.x - start->s.x) / len}
                                               : mid;
                reversed = !IsPointInsideChain(start->entity, right.x, right.y);
            }
            const std::vector<Oriented> chain = Walk(start, reversed, true, closed);
            OffsetChain(chain, true, x, y, d, out);
        } else if (kind == 1 || kind == 3 || (kind == -1 && (el.type == EntityType::Line || el.type == EntityType::Arc))) {
            const Element* start = kind == 3 ? Find(FindChainStart(el.entity)) : &el;
            if (!start)
                continue;
            // The chain goes on from the start element's finishing point.
            bool atFinish = false;
            const bool reversed = !Connected(start, start->f.x, start->f.y, atFinish) &&
                                  Connected(start, start->s.x, start->s.y, atFinish);
            bool closed = false;
            const std::vector<Oriented> chain = Walk(start, reversed, true, closed);
            OffsetChain(chain, false, x, y, d, out);
        } else if (el.type == EntityType::Circle) {
            OffsetCircle(el, x, y, d, out);
        } else if (el.type == EntityType::Ellipse || el.type == EntityType::EllipticArc) {
            OffsetEllipse(el, x, y, d, out);
        }
    }
    return out;
}
