#include "model/HatchLines.h"

#include "model/GeometryCircles.h"
#include "model/GeometryEllipses.h"
#include "model/GeometryLines.h"
#include "model/Utilities.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <cstddef>
#include <cstdint>

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double DuplicateTolerance = 0.05;
constexpr double BaseLength = 2000.0;  // length of the vectors that define the reference lines
constexpr double ProbeStep = 5.0;      // probes of the span test, and its shortest piece

// Guards against records that would keep the view busy for minutes: a family
// needing more lines than this is left out, and so are joints beyond the
// step budget. Real drawings stay far below both.
constexpr double MaxLinesPerFamily = 1'000'000.0;
constexpr double MaxJointSteps = 20'000'000.0;
constexpr int MaxProbes = 10'000;

bool Finite(double v)
{
    return std::isfinite(v);
}

bool Near(double x1, double y1, double x2, double y2)
{
    return std::fabs(x1 - x2) < DuplicateTolerance && std::fabs(y1 - y2) < DuplicateTolerance;
}

int AddPoint(std::vector<GeoPoint>& out, double x, double y)
{
    if (!Finite(x) || !Finite(y))
        return 0;
    out.push_back({x, y});
    return 1;
}

// Whether P lies on a point where the boundary turns from one item to the next.
bool AtItemPoint(const HatchBoundary& boundary, double x, double y)
{
    const int n = boundary.count();
    for (int i = 0; i < n; ++i) {
        const HatchItem& it = boundary.items[static_cast<size_t>(i)];
        if (it.itemClass != HatchItemClass::Circle && Near(it.x, it.y, x, y))
            return true;
    }
    return false;
}

// A direction along a line, oriented so that its component on the preferred
// axis is positive (the other axis when that component is 0). Keys along it
// order the crossings of a line exactly as the preferred coordinate does
// wherever that coordinate changes along the line.
struct SortAxis {
    double dx = 1.0;
    double dy = 0.0;
    double key(const GeoPoint& p) const { return p.x * dx + p.y * dy; }
};

SortAxis AxisAlong(double dx, double dy, bool preferX)
{
    const double first = preferX ? dx : dy;
    const double second = preferX ? dy : dx;
    const double sign = first != 0.0 ? (first > 0.0 ? 1.0 : -1.0) : (second < 0.0 ? -1.0 : 1.0);
    return {dx * sign, dy * sign};
}

// De-duplicates the points (the first of a cluster stays) and sorts them along the axis.
void DedupeAndSort(std::vector<GeoPoint>& pts, const SortAxis& axis)
{
    int n = static_cast<int>(pts.size());
    if (n == 0)
        return;
    std::vector<double> xs(pts.size()), ys(pts.size());
    for (size_t i = 0; i < pts.size(); ++i) {
        xs[i] = pts[i].x;
        ys[i] = pts[i].y;
    }
    RemoveDuplicatePoints(n, xs.data(), ys.data());
    pts.resize(static_cast<size_t>(n));
    std::vector<double> keys(static_cast<size_t>(n));
    for (size_t i = 0; i < pts.size(); ++i) {
        pts[i] = {xs[i], ys[i]};
        keys[i] = axis.key(pts[i]);
    }
    SortByKey(n, keys.data(), pts.data());
}

bool IsEven(std::int64_t v)
{
    return (v & 1) == 0;
}

} // namespace

BoundaryUnpack UnpackHatchBoundary(const CEntity& entity, HatchBoundary& out)
{
    out.items.clear();
    const bool hatch = entity.type == EntityType::Hatch;
    if (!hatch && entity.type != EntityType::Fill)
        return BoundaryUnpack::NotABoundary;
    const size_t n = std::min({entity.count < 0 ? size_t{0} : static_cast<size_t>(entity.count),
                               entity.values.size(), entity.codes.size()});
    const size_t first = hatch ? 7 : 2;
    if (n < first)
        return BoundaryUnpack::NotABoundary;
    const int itemCount = hatch ? entity.codes[0] : entity.subtype;
    if (hatch && itemCount > MaxHatchBoundaryItems)
        return BoundaryUnpack::TooManyItems;

    const auto& v = entity.values;
    BoundaryUnpack result = BoundaryUnpack::Complete;
    size_t at = first;
    for (int k = 0; k < itemCount; ++k) {
        if (at >= n) {
            result = BoundaryUnpack::Truncated;
            break;
        }
        const int16_t code = entity.codes[at];
        const int size = BoundaryItemValueCount(code, hatch);
        if (size == 0 || at + static_cast<size_t>(size) > n) {
            result = BoundaryUnpack::Truncated;
            break;
        }
        HatchItem it;
        switch (code) {
        case BoundaryItem::ArcCcw:
        case BoundaryItem::ArcCw:
            it.itemClass = code == BoundaryItem::ArcCcw ? HatchItemClass::ArcCcw : HatchItemClass::ArcCw;
            it.cx = v[at];
            it.cy = v[at + 1];
            it.r1 = v[at + 2];
            it.x = v[at + 3];
            it.y = v[at + 4];
            break;
        case BoundaryItem::Vertex:
            it.itemClass = HatchItemClass::Edge;
            it.x = v[at];
            it.y = v[at + 1];
            break;
        case BoundaryItem::Circle:
            it.itemClass = HatchItemClass::Circle;
            it.cx = it.x = v[at];
            it.cy = it.y = v[at + 1];
            it.r1 = v[at + 2];
            break;
        case BoundaryItem::Ellipse:
            it.itemClass = HatchItemClass::Ellipse;
            it.cx = it.x = v[at];
            it.cy = it.y = v[at + 1];
            it.r1 = v[at + 2];
            it.r2 = v[at + 3];
            it.rotation = v[at + 4];
            break;
        default: // BoundaryItem::EllipticArc
            it.itemClass = HatchItemClass::EllipticArc;
            it.cx = v[at];
            it.cy = v[at + 1];
            it.r1 = v[at + 2];
            it.r2 = v[at + 3];
            it.rotation = v[at + 4];
            it.start = v[at + 5];
            it.end = v[at + 6];
            if (hatch) {
                it.x = v[at + 7];
                it.y = v[at + 8];
            } else {
                // A fill keeps the direction instead: the boundary meets the
                // arc at its end point when it is negative.
                const PointSet<2> ends =
                    EllipticArcEndPoints({it.cx, it.cy, it.r1, it.r2, it.rotation}, it.start, it.end);
                const int which = v[at + 7] < 0.0 ? 1 : 0;
                it.x = ends.x[static_cast<size_t>(which)];
                it.y = ends.y[static_cast<size_t>(which)];
            }
            break;
        }
        out.items.push_back(it);
        at += static_cast<size_t>(size);
    }
    if (!out.items.empty())
        out.items.push_back(out.items.front());
    return result;
}

int ViewHatchCutEdge(int item, const HatchBoundary& boundary, double a, double b, double c,
                     std::vector<GeoPoint>& out)
{
    const HatchItem& it = boundary.items[static_cast<size_t>(item)];
    const HatchItem& next = boundary.items[static_cast<size_t>(item) + 1];
    const LineResult edge = LineFromPoints(it.x, it.y, next.x, next.y);
    if (edge.status != 0)
        return 0;
    const PointResult p = IntersectLines(a, b, c, edge.a, edge.b, edge.c);
    if (p.status != 0 || IsPointOnSegment(p.x, p.y, it.x, it.y, next.x, next.y) != 0)
        return 0;
    return AddPoint(out, p.x, p.y);
}

int ViewHatchCutArc(int item, const HatchBoundary& boundary, double a, double b, double c,
                    std::vector<GeoPoint>& out)
{
    const HatchItem& it = boundary.items[static_cast<size_t>(item)];
    const HatchItem& next = boundary.items[static_cast<size_t>(item) + 1];
    const PointSet<2> s = IntersectLineCircle(a, b, c, it.cx, it.cy, it.r1);
    int added = 0;
    for (int i = 0; i < s.count; ++i) {
        const size_t k = static_cast<size_t>(i);
        // Passed from its end back to its start: an arc running
        // counter-clockwise from start to end runs clockwise the other way,
        // which is what the direction +1 names.
        if (IsPointOnArc(next.x, next.y, it.cx, it.cy, it.r1, it.itemClass, s.x[k], s.y[k], it.x, it.y) == 0)
            added += AddPoint(out, s.x[k], s.y[k]);
    }
    return added;
}

int ViewHatchCutCircle(int item, const HatchBoundary& boundary, double a, double b, double c,
                       std::vector<GeoPoint>& out)
{
    const HatchItem& it = boundary.items[static_cast<size_t>(item)];
    const PointSet<2> s = IntersectLineCircle(a, b, c, it.cx, it.cy, it.r1);
    if (s.count != 2)
        return 0;
    return AddPoint(out, s.x[0], s.y[0]) + AddPoint(out, s.x[1], s.y[1]);
}

int ViewHatchCutEllipse(int item, const HatchBoundary& boundary, double a, double b, double c,
                        std::vector<GeoPoint>& out)
{
    const HatchItem& it = boundary.items[static_cast<size_t>(item)];
    const PointSet<2> s = IntersectLineEllipse({it.cx, it.cy, it.r1, it.r2, it.rotation}, a, b, c);
    int added = 0;
    for (int i = 0; i < s.count; ++i)
        added += AddPoint(out, s.x[static_cast<size_t>(i)], s.y[static_cast<size_t>(i)]);
    return added;
}

int ViewHatchCutEllipticArc(int item, const HatchBoundary& boundary, double a, double b, double c,
                            std::vector<GeoPoint>& out)
{
    const HatchItem& it = boundary.items[static_cast<size_t>(item)];
    const GeoEllipticArc arc{{it.cx, it.cy, it.r1, it.r2, it.rotation}, it.start, it.end};
    const PointSet<2> s = IntersectLineEllipticArc(arc, a, b, c);
    int added = 0;
    for (int i = 0; i < s.count; ++i)
        added += AddPoint(out, s.x[static_cast<size_t>(i)], s.y[static_cast<size_t>(i)]);
    return added;
}

void HatchLineCrossings(const HatchBoundary& boundary, double a, double b, double c, bool edgesAndArcsOnly,
                        std::vector<GeoPoint>& out)
{
    const int n = boundary.count();
    for (int i = 0; i < n; ++i) {
        switch (boundary.items[static_cast<size_t>(i)].itemClass) {
        case HatchItemClass::Edge:
            ViewHatchCutEdge(i, boundary, a, b, c, out);
            break;
        case HatchItemClass::ArcCcw:
        case HatchItemClass::ArcCw:
            ViewHatchCutArc(i, boundary, a, b, c, out);
            break;
        case HatchItemClass::Circle:
            if (!edgesAndArcsOnly)
                ViewHatchCutCircle(i, boundary, a, b, c, out);
            break;
        case HatchItemClass::Ellipse:
            if (!edgesAndArcsOnly)
                ViewHatchCutEllipse(i, boundary, a, b, c, out);
            break;
        case HatchItemClass::EllipticArc:
            if (!edgesAndArcsOnly)
                ViewHatchCutEllipticArc(i, boundary, a, b, c, out);
            break;
        default:
            break;
        }
    }
}

int ViewHatchSpanTest(int family, const HatchBoundary& boundary, GeoPoint p1, GeoPoint p2)
{
    if (Near(p1.x, p1.y, p2.x, p2.y))
        return -1;
    if (boundary.count() == 0)
        return 0;
    if (!AtItemPoint(boundary, p1.x, p1.y))
        return 0;

    // The piece starts where the boundary turns, so the plain alternation may
    // be off by one here: look across the piece every 5 mm instead.
    const double length = std::hypot(p2.x - p1.x, p2.y - p1.y);
    const double steps = std::floor(length / ProbeStep);
    if (!(steps >= 1.0))
        return -1;
    const int probes = steps > MaxProbes ? MaxProbes : static_cast<int>(steps);
    const double ux = (p2.x - p1.x) / length;
    const double uy = (p2.y - p1.y) / length;
    // Probe lines run across the piece; family 1 orders their crossings by y,
    // family 0 by x.
    const SortAxis axis = AxisAlong(-uy, ux, family == 0);

    std::vector<GeoPoint> cuts;
    for (int j = 1; j <= probes; ++j) {
        const GeoPoint q = PointTowards(p1.x, p1.y, p2.x, p2.y, ProbeStep * j);
        const LineResult probe = LineFromPoints(q.x, q.y, q.x - uy * BaseLength, q.y + ux * BaseLength);
        if (probe.status != 0)
            continue;
        cuts.clear();
        HatchLineCrossings(boundary, probe.a, probe.b, probe.c, true, cuts);
        DedupeAndSort(cuts, axis);
        if (cuts.empty())
            continue;
        bool atPoint = false;
        for (const GeoPoint& p : cuts)
            atPoint = atPoint || AtItemPoint(boundary, p.x, p.y);
        if (atPoint)
            continue;
        cuts.push_back(q);
        DedupeAndSort(cuts, axis);
        size_t position = 0;
        while (position < cuts.size() && !Near(cuts[position].x, cuts[position].y, q.x, q.y))
            ++position;
        return position % 2 == 1 ? 1 : -1;
    }
    return -1;
}

namespace {

class HatchGenerator {
public:
    HatchGenerator(const HatchBoundary& boundary, std::span<const double> v, const HatchSegmentSink& sink,
                   HatchLinesReport& report)
        : boundary_(boundary), sink_(sink), report_(report)
    {
        spacingY_ = v[0];
        spacingX_ = v[1];
        // The corner tables of the reference lines expect an angle in [0, 360).
        angle_ = std::fmod(v[2], 360.0);
        if (angle_ < 0.0)
            angle_ += 360.0;
        if (angle_ >= 360.0)
            angle_ = 0.0;
        x0_ = v[3];
        y0_ = v[4];
        x1_ = v[5];
        y1_ = v[6];
        const double rad = angle_ * Pi / 180.0;
        cos_ = std::cos(rad);
        sin_ = std::sin(rad);
    }

    void Parallel(int family)
    {
        const double spacing = family == 1 ? spacingY_ : spacingX_;
        if (!(spacing > 0.0))
            return;
        const GeoPoint anchor = FamilyAnchor();
        const double bx = family == 1 ? BaseLength * cos_ : -BaseLength * sin_;
        const double by = family == 1 ? BaseLength * sin_ : BaseLength * cos_;
        const LineResult ref = LineFromPoints(anchor.x, anchor.y, anchor.x + bx, anchor.y + by);
        if (ref.status != 0)
            return;
        // Family 1 lines order their crossings by x, family 0 lines by y.
        const SortAxis axis = AxisAlong(-ref.b, ref.a, family == 1);
        const HatchPiece piece = family == 1 ? HatchPiece::Horizontal : HatchPiece::Vertical;
        EachLine(ref, spacing, [&](double a, double b, double c, int) {
            Walk(family, a, b, c, axis, [&](const GeoPoint& s, const GeoPoint& e) { Emit(s, e, piece); });
        });
    }

    void Brick()
    {
        const double height = spacingY_;
        const double spacing = spacingX_ / 2.0;
        if (!(height > 0.0) || !(spacing > 0.0))
            return;
        // Cross lines run perpendicular to the courses, from the lower-left corner.
        const LineResult cross =
            LineFromPoints(x0_, y0_, x0_ - BaseLength * sin_, y0_ + BaseLength * cos_);
        const GeoPoint anchor = FamilyAnchor();
        const LineResult course =
            LineFromPoints(anchor.x, anchor.y, anchor.x + BaseLength * cos_, anchor.y + BaseLength * sin_);
        if (cross.status != 0 || course.status != 0)
            return;
        // Joints are laid out walking across the courses, so each piece runs
        // in that direction.
        const SortAxis axis{-sin_, cos_};
        const double courses = std::floor(AcrossExtent() / height) + 1.0;
        if (!(courses * LineCount(cross, spacing) <= MaxJointSteps)) {
            report_.tooDense = true;
            return;
        }
        EachLine(cross, spacing, [&](double a, double b, double c, int k) {
            const PointResult r = IntersectLines(a, b, c, course.a, course.b, course.c);
            if (r.status != 0)
                return;
            const GeoPoint ref{r.x, r.y};
            Walk(0, a, b, c, axis,
                 [&](const GeoPoint& s, const GeoPoint& e) { BrickJoints(k % 2, ref, height, s, e); });
        });
    }

private:
    // The corner the reference line of either family passes through.
    GeoPoint FamilyAnchor() const
    {
        const bool right = (angle_ > 0.0 && angle_ <= 90.0) || (angle_ > 180.0 && angle_ <= 270.0);
        return right ? GeoPoint{x1_, y0_} : GeoPoint{x0_, y0_};
    }

    // Signed distances of the box corners from the line, positive on the
    // side the first pass moves to.
    void CornerReach(const LineResult& line, double& forward, double& backward) const
    {
        const double norm = std::hypot(line.a, line.b);
        const double xs[4] = {x0_, x1_, x0_, x1_};
        const double ys[4] = {y0_, y0_, y1_, y1_};
        forward = 0.0;
        backward = 0.0;
        for (int i = 0; i < 4; ++i) {
            const double t = (line.a * xs[i] + line.b * ys[i] + line.c) / norm;
            forward = std::max(forward, t);
            backward = std::max(backward, -t);
        }
    }

    // Number of lines the two passes make (an upper bound).
    double LineCount(const LineResult& ref, double spacing) const
    {
        double forward = 0.0, backward = 0.0;
        CornerReach(ref, forward, backward);
        return std::floor(forward / spacing) + 1.0 + std::floor(backward / spacing) + 1.0;
    }

    // Extent of the box measured across the courses.
    double AcrossExtent() const
    {
        const double xs[4] = {x0_, x1_, x0_, x1_};
        const double ys[4] = {y0_, y0_, y1_, y1_};
        double lo = 0.0, hi = 0.0;
        for (int i = 0; i < 4; ++i) {
            const double t = Across(xs[i] - x0_, ys[i] - y0_);
            lo = std::min(lo, t);
            hi = std::max(hi, t);
        }
        return hi - lo;
    }

    // Calls fn(a, b, c, k) for every line of the family through the box: the
    // first pass moves the reference line (k = 0) to the positive side of its
    // normal, the second to the other side.
    template <class Fn>
    void EachLine(const LineResult& ref, double spacing, Fn&& fn)
    {
        double forward = 0.0, backward = 0.0;
        CornerReach(ref, forward, backward);
        const double countForward = std::floor(forward / spacing) + 1.0;
        const double countBackward = std::floor(backward / spacing) + 1.0;
        if (!(countForward + countBackward <= MaxLinesPerFamily)) {
            report_.tooDense = true;
            return;
        }
        const double step = std::hypot(ref.a, ref.b) * spacing;
        const int nForward = static_cast<int>(countForward);
        const int nBackward = static_cast<int>(countBackward);
        for (int k = 0; k < nForward; ++k)
            fn(ref.a, ref.b, ref.c - step * k, k);
        // The reference line belongs to the first pass only; making it again
        // would draw (and export) it twice.
        for (int k = 1; k < nBackward; ++k)
            fn(ref.a, ref.b, ref.c + step * k, k);
    }

    // Cuts one line against the boundary and hands each inside piece to
    // take(start, end).
    template <class Take>
    void Walk(int family, double a, double b, double c, const SortAxis& axis, Take&& take)
    {
        cuts_.clear();
        HatchLineCrossings(boundary_, a, b, c, false, cuts_);
        DedupeAndSort(cuts_, axis);
        bool drawn = false;
        for (size_t i = 0; i + 1 < cuts_.size(); ++i) {
            const int test = ViewHatchSpanTest(family, boundary_, cuts_[i], cuts_[i + 1]);
            if (test == -1 || (test == 0 && drawn)) {
                drawn = false;
                continue;
            }
            take(cuts_[i], cuts_[i + 1]);
            drawn = true;
        }
    }

    double Across(double dx, double dy) const { return dy * cos_ - dx * sin_; }

    // The joints along one inside piece of a cross line: every other course,
    // starting with the parity of the cross line, so that neighbouring cross
    // lines fill the courses between.
    void BrickJoints(int parity, const GeoPoint& ref, double height, GeoPoint s, const GeoPoint& e)
    {
        double offset = Across(s.x - ref.x, s.y - ref.y);
        const double courses = std::floor(offset / height);
        if (!Finite(courses) || std::fabs(courses) > MaxJointSteps) {
            report_.tooDense = true;
            return;
        }
        auto g = static_cast<std::int64_t>(courses);
        offset -= static_cast<double>(g) * height;
        GeoPoint k = s;
        if (offset > DuplicateTolerance) {
            GeoPoint q = PointTowards(s.x, s.y, e.x, e.y, height - offset);
            if (Across(e.x - q.x, e.y - q.y) < 0.0)
                q = e;
            if (IsEven(parity + g))
                Emit(s, q, HatchPiece::Joint);
            ++g;
            k = q;
        }
        const double whole = std::floor(std::max(0.0, Across(e.x - k.x, e.y - k.y)) / height);
        if (!(whole <= jointBudget_)) {
            report_.tooDense = true;
            return;
        }
        jointBudget_ -= whole;
        const auto w = static_cast<std::int64_t>(whole);
        const double len = std::hypot(e.x - k.x, e.y - k.y);
        const double ux = len > 0.0 ? (e.x - k.x) / len : 0.0;
        const double uy = len > 0.0 ? (e.y - k.y) / len : 0.0;
        for (std::int64_t i = 0; i < w; ++i) {
            const GeoPoint n{k.x + height * ux, k.y + height * uy};
            if (IsEven(i + g + parity))
                Emit(k, n, HatchPiece::Joint);
            k = n;
        }
        if (std::hypot(e.x - k.x, e.y - k.y) > DuplicateTolerance && IsEven(w + g + parity))
            Emit(k, e, HatchPiece::Joint);
    }

    void Emit(const GeoPoint& s, const GeoPoint& e, HatchPiece piece)
    {
        ++report_.segments;
        if (sink_)
            sink_(HatchSegment{s.x, s.y, e.x, e.y, piece});
    }

    const HatchBoundary& boundary_;
    const HatchSegmentSink& sink_;
    HatchLinesReport& report_;
    std::vector<GeoPoint> cuts_;
    double jointBudget_ = MaxJointSteps;
    double spacingY_ = 0.0;
    double spacingX_ = 0.0;
    double angle_ = 0.0;
    double cos_ = 1.0;
    double sin_ = 0.0;
    double x0_ = 0.0;
    double y0_ = 0.0;
    double x1_ = 0.0;
    double y1_ = 0.0;
};

} // namespace

HatchLinesReport GenerateHatchLines(const CEntity& hatch, const HatchSegmentSink& sink)
{
    HatchLinesReport report;
    if (hatch.type != EntityType::Hatch) {
        report.status = HatchLinesStatus::BadRecord;
        return report;
    }
    HatchBoundary boundary;
    switch (UnpackHatchBoundary(hatch, boundary)) {
    case BoundaryUnpack::TooManyItems:
        report.status = HatchLinesStatus::TooManyItems;
        return report;
    case BoundaryUnpack::NotABoundary:
        report.status = HatchLinesStatus::BadRecord;
        return report;
    case BoundaryUnpack::Truncated:
        report.boundaryTruncated = true;
        break;
    case BoundaryUnpack::Complete:
        break;
    }
    for (size_t i = 0; i < 7; ++i) {
        if (!Finite(hatch.values[i])) {
            report.status = HatchLinesStatus::BadRecord;
            return report;
        }
    }

    HatchGenerator gen(boundary, hatch.values, sink, report);
    switch (hatch.subtype) {
    case 0:
        gen.Parallel(0);
        break;
    case 1:
        gen.Parallel(1);
        break;
    case 2:
        gen.Parallel(0);
        gen.Parallel(1);
        break;
    case 3:
        gen.Parallel(1);
        gen.Brick();
        break;
    default:
        break;
    }
    return report;
}

std::vector<HatchSegment> HatchLineSegments(const CEntity& hatch, HatchLinesReport* report)
{
    std::vector<HatchSegment> out;
    const HatchLinesReport r = GenerateHatchLines(hatch, [&](const HatchSegment& s) { out.push_back(s); });
    if (report)
        *report = r;
    return out;
}
