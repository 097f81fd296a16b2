#include "model/WindowCut.h"

#include "model/BoxTree.h"
#include "model/GeometryLines.h"

#include <algorithm>
#include <cmath>

namespace {

// How far a counted crossing may lie outside the box of the segment it is
// on (the on-segment test allows 0.5 off the line), with room to spare.
constexpr double CandidateMargin = 1.0;

bool Near(GeoPoint a, GeoPoint b, double tolerance)
{
    return std::abs(a.x - b.x) < tolerance && std::abs(a.y - b.y) < tolerance;
}

bool OnSegment(GeoPoint p, GeoPoint a, GeoPoint b)
{
    return IsPointOnSegment(p.x, p.y, a.x, a.y, b.x, b.y) == 0;
}

double Distance(GeoPoint a, GeoPoint b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

bool Finite(GeoPoint p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

BoxTree::Box BoxAround(GeoPoint a, GeoPoint b)
{
    return {std::min(a.x, b.x) - CandidateMargin, std::min(a.y, b.y) - CandidateMargin,
            std::max(a.x, b.x) + CandidateMargin, std::max(a.y, b.y) + CandidateMargin};
}

// The two crossings nearest the ends of the working part A-B, as the walk
// over the cutters collects them.
struct Crossings {
    int count = 0;
    GeoPoint h1, h2;

    void Take(GeoPoint n, GeoPoint a, GeoPoint b)
    {
        ++count;
        if (count == 1) {
            h1 = n;
        } else if (count == 2) {
            if (Distance(n, a) > Distance(h1, a)) {
                h2 = n;
            } else {
                h2 = h1;
                h1 = n;
            }
        } else if (Distance(n, a) < Distance(h1, a)) {
            h1 = n;
        } else if (Distance(n, b) < Distance(h2, b)) {
            h2 = n;
        }
    }
};

} // namespace

int WindowCrossings(const CutWindow& w, GeoPoint p1, GeoPoint p2, GeoPoint out[4])
{
    const LineResult line = LineFromPoints(p1.x, p1.y, p2.x, p2.y);
    if (line.status != 0)
        return 0;
    const GeoPoint edges[4][2] = {
        {{w.xmin, w.ymin}, {w.xmin, w.ymax}},  // left
        {{w.xmin, w.ymax}, {w.xmax, w.ymax}},  // top
        {{w.xmax, w.ymax}, {w.xmax, w.ymin}},  // right
        {{w.xmax, w.ymin}, {w.xmin, w.ymin}},  // bottom
    };
    int count = 0;
    for (const auto& edge : edges) {
        const LineResult e = LineFromPoints(edge[0].x, edge[0].y, edge[1].x, edge[1].y);
        if (e.status != 0)
            continue;  // a window without width or height has no such edge
        const PointResult n = IntersectLines(line.a, line.b, line.c, e.a, e.b, e.c);
        if (n.status != 0)
            continue;
        const GeoPoint p{n.x, n.y};
        if (!OnSegment(p, edge[0], edge[1]))
            continue;
        bool seen = false;
        for (int i = 0; i < count && !seen; ++i)
            seen = Near(out[i], p, WindowCrossingTolerance);
        if (!seen)
            out[count++] = p;
    }
    return count;
}

bool WindowTakesLine(const CutWindow& w, GeoPoint p1, GeoPoint p2)
{
    if (LineFromPoints(p1.x, p1.y, p2.x, p2.y).status != 0)
        return false;
    const auto inside = [&w](GeoPoint p) {
        return w.xmin <= p.x && p.x <= w.xmax && w.ymin <= p.y && p.y <= w.ymax;
    };
    if (inside(p1) && inside(p2))
        return true;
    GeoPoint crossings[4];
    return WindowCrossings(w, p1, p2, crossings) > 0;
}

void CutWindowLines(const CutWindow& w, std::vector<WindowLine>& lines)
{
    const std::size_t n = lines.size();
    // Each line as a cutter: its infinite line and the box of its stored
    // points (a cutter counts only between them, infinite or not).
    std::vector<LineResult> equation(n);
    BoxTree tree;
    std::vector<uint32_t> outsized;  // cutters too far out for the tree: always tried
    for (std::size_t i = 0; i < n; ++i) {
        WindowLine& l = lines[i];
        l.pieces.clear();
        if (!Finite(l.p1) || !Finite(l.p2)) {
            equation[i].status = -1;
            continue;
        }
        equation[i] = LineFromPoints(l.p1.x, l.p1.y, l.p2.x, l.p2.y);
        if (equation[i].status != 0)
            continue;
        const BoxTree::Box box = BoxAround(l.p1, l.p2);
        if (BoxTree::Fits(box))
            tree.Insert(static_cast<uint32_t>(i), box);
        else
            outsized.push_back(static_cast<uint32_t>(i));
    }

    std::vector<uint32_t> candidates;
    for (std::size_t i = 0; i < n; ++i) {
        WindowLine& l = lines[i];
        if (l.state != 2)
            continue;
        if (equation[i].status != 0) {
            l.state = 0;
            continue;
        }
        // The working part A-B.
        GeoPoint a = l.p1, b = l.p2;
        if (l.infinite) {
            GeoPoint crossings[4];
            if (WindowCrossings(w, l.p1, l.p2, crossings) < 2) {
                l.state = 0;
                continue;
            }
            a = crossings[0];
            b = crossings[1];
        }
        const LineResult ab = LineFromPoints(a.x, a.y, b.x, b.y);
        if (ab.status != 0) {
            l.state = 0;
            continue;
        }

        candidates.clear();
        const BoxTree::Box reach = BoxAround(a, b);
        if (BoxTree::Fits(reach))
            tree.Query(reach, [&candidates](uint32_t id) { candidates.push_back(id); });
        else
            for (std::size_t j = 0; j < n; ++j)
                if (equation[j].status == 0)
                    candidates.push_back(static_cast<uint32_t>(j));
        candidates.insert(candidates.end(), outsized.begin(), outsized.end());
        // In list order, as a walk over every other line meets them.
        std::sort(candidates.begin(), candidates.end());
        candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());

        Crossings found;
        for (uint32_t j : candidates) {
            if (j == i || (lines[j].state != 1 && lines[j].state != 2))
                continue;
            const LineResult& cj = equation[j];
            const PointResult m = IntersectLines(ab.a, ab.b, ab.c, cj.a, cj.b, cj.c);
            if (m.status != 0)
                continue;
            const GeoPoint p{m.x, m.y};
            if (!OnSegment(p, a, b) || !OnSegment(p, lines[j].p1, lines[j].p2))
                continue;
            // A line ending on another is not cut there.
            if (Near(p, l.p1, WindowCrossingTolerance) || Near(p, l.p2, WindowCrossingTolerance))
                continue;
            found.Take(p, a, b);
        }

        const GeoPoint e1 = l.p1, e2 = l.p2;
        if (found.count == 0) {
            l.state = 0;
        } else if (found.count == 1) {
            // The part that reaches out through the border stays; the one
            // beyond the crossing, on the window's side, goes.
            GeoPoint border[4];
            if (WindowCrossings(w, l.p1, l.p2, border) != 2) {
                l.state = 0;
                continue;
            }
            const GeoPoint h = found.h1;
            const bool out1 = OnSegment(border[0], e1, h) || OnSegment(border[1], e1, h);
            const bool out2 = OnSegment(border[0], e2, h) || OnSegment(border[1], e2, h);
            if (out1 == out2) {
                l.state = 1;
            } else {
                l.pieces.push_back({out1 ? e1 : e2, h});
            }
        } else if (Distance(e1, found.h2) > Distance(e1, found.h1)) {
            l.pieces.push_back({e1, found.h1});
            l.pieces.push_back({e2, found.h2});
        } else {
            l.pieces.push_back({e2, found.h1});
            l.pieces.push_back({e1, found.h2});
        }
    }
}
