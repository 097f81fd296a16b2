#include "model/EntityBox.h"

#include "model/EntityKinds.h"

#include "model/DimensionMarks.h"
#include "model/FillOutline.h"
#include "model/PickGeometry.h"
#include "model/Utilities.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {


double Value(const CEntity& e, std::size_t i)
{
    return i < e.values.size() ? e.values[i] : 0.0;
}

void AddPointPairs(ModelBox& box, const CEntity& e)
{
    for (std::size_t i = 0; i + 1 < e.values.size(); i += 2)
        box.Add(e.values[i], e.values[i + 1]);
}

void AddCircle(ModelBox& box, double cx, double cy, double r)
{
    r = std::fabs(r);
    box.Add(cx - r, cy - r);
    box.Add(cx + r, cy + r);
}

void AddEllipse(ModelBox& box, const CEntity& e)
{
    box.Add(EllipseOutlineBox(ByCode(e, 10), ByCode(e, 20), ByCode(e, 60), ByCode(e, 61), ByCode(e, 62)));
}

void AddTextBox(ModelBox& box, const CEntity& e)
{
    const double x = Value(e, 0), y = Value(e, 1), h = Value(e, 2), w = Value(e, 3);
    const double t = Value(e, 4);
    const double len = MbcsByteLength(e.text) * w / 2.0;
    if (std::fabs(t) > 0.1) {
        const double a = t * std::numbers::pi / 180.0, c = std::cos(a), s = std::sin(a);
        box.Add(x, y);
        box.Add(x + len * c, y + len * s);
        box.Add(x - h * s, y + h * c);
        box.Add(x + len * c - h * s, y + len * s + h * c);
    } else {
        box.Add(x, y);
        box.Add(x + len, y + h);
    }
    if (e.type == EntityType::LeaderText)
        for (std::size_t i = 5; i + 1 < e.values.size() && i <= 9; i += 2)
            box.Add(e.values[i], e.values[i + 1]);
}

void AddFillItems(ModelBox& box, const CEntity& e)
{
    // Items start after the two leading zeros.
    std::size_t i = 2;
    while (i < e.codes.size() && i < e.values.size()) {
        const int16_t code = e.codes[i];
        const int n = BoundaryItemValueCount(code, false);
        if (n <= 0 || i + n > e.values.size())
            break;
        const double* v = &e.values[i];
        switch (code) {
        case BoundaryItem::Vertex:
            box.Add(v[0], v[1]);
            break;
        case BoundaryItem::ArcCcw:
        case BoundaryItem::ArcCw:
        case BoundaryItem::Circle:
            AddCircle(box, v[0], v[1], v[2]);
            break;
        case BoundaryItem::Ellipse:
        case BoundaryItem::EllipticArc:
            box.Add(EllipseOutlineBox(v[0], v[1], v[2], v[3], v[4]));
            break;
        default:
            break;
        }
        i += n;
    }
}

} // namespace

ModelBox::ModelBox()
    : minX(std::numeric_limits<double>::infinity()), minY(std::numeric_limits<double>::infinity()),
      maxX(-std::numeric_limits<double>::infinity()), maxY(-std::numeric_limits<double>::infinity())
{
}

void ModelBox::Add(double x, double y)
{
    if (!std::isfinite(x) || !std::isfinite(y))
        return;
    minX = std::min(minX, x);
    minY = std::min(minY, y);
    maxX = std::max(maxX, x);
    maxY = std::max(maxY, y);
    valid = true;
}

void ModelBox::Add(const ModelBox& other)
{
    if (!other.valid)
        return;
    Add(other.minX, other.minY);
    Add(other.maxX, other.maxY);
}

ModelBox EllipseOutlineBox(double cx, double cy, double r1, double r2, double rotationDeg)
{
    ModelBox box;
    ForEachEllipseSample(cx, cy, r1, r2, rotationDeg, 2.0 * std::numbers::pi + 0.05,
                         [&](double x, double y) { box.Add(x, y); });
    return box;
}

void EllipseBounds(double cx, double cy, double majorRadius, double minorRadius, double rotation, double& minX,
                   double& minY, double& maxX, double& maxY)
{
    minX = minY = 9999999.0;
    maxX = maxY = -999999.0;
    ForEachEllipseSample(cx, cy, majorRadius, minorRadius, rotation, 2.0 * std::numbers::pi, [&](double x, double y) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    });
}

ModelBox EntityScreenBox(const CEntity& e)
{
    ModelBox box;
    switch (e.type) {
    case EntityType::Point:
        box.Add(Value(e, 0), Value(e, 1));
        break;
    case EntityType::Line:
    case EntityType::HorizontalInfiniteLine:
    case EntityType::VerticalInfiniteLine:
    case EntityType::InfiniteLine:
    case EntityType::Image:
        box.Add(Value(e, 0), Value(e, 1));
        box.Add(Value(e, 2), Value(e, 3));
        break;
    case EntityType::Curve:
    case EntityType::FreehandCurve:
    case EntityType::Polygon:
        AddPointPairs(box, e);
        break;
    case EntityType::Circle:
    case EntityType::Arc:
        AddCircle(box, ByCode(e, 10), ByCode(e, 20), ByCode(e, 40));
        break;
    case EntityType::Ellipse:
    case EntityType::EllipticArc:
        AddEllipse(box, e);
        break;
    case EntityType::Text:
    case EntityType::LeaderText:
        AddTextBox(box, e);
        break;
    case EntityType::Fill:
        AddFillItems(box, e);
        break;
    case EntityType::Hatch:
        box.Add(Value(e, 3), Value(e, 4));
        box.Add(Value(e, 5), Value(e, 6));
        break;
    default:
        break;
    }
    return box;
}

ModelBox EntityExtentBox(const CEntity& e)
{
    switch (e.type) {
    case EntityType::Point:
    case EntityType::Line:
    case EntityType::Curve:
    case EntityType::FreehandCurve:
    case EntityType::Polygon:
    case EntityType::Circle:
    case EntityType::Arc:
    case EntityType::Ellipse:
    case EntityType::EllipticArc:
        return EntityScreenBox(e);
    case EntityType::Text:
    case EntityType::LeaderText: {
        // A cell as wide as the text is high per character.
        ModelBox box;
        const double x = Value(e, 0), y = Value(e, 1), h = Value(e, 2);
        box.Add(x, y);
        box.Add(x + CountMbcsChars(e.text) * h, y + h);
        return box;
    }
    default:
        return {};
    }
}

ModelBox EntityMarkedBox(const CEntity& e)
{
    if (e.type != EntityType::Text && e.type != EntityType::LeaderText)
        return EntityExtentBox(e);
    // A cell half as wide as the text is high per character.
    ModelBox box;
    const double x = Value(e, 0), y = Value(e, 1), h = Value(e, 2);
    box.Add(x, y);
    box.Add(x + CountMbcsChars(e.text) * h / 2, y + h);
    return box;
}

// ---- the entity index ----

namespace {

constexpr double IndexLimit = 1e15;  // boxes beyond this count as unbounded
// The pick tests accept points a little off their figure (segment ends are
// tolerated by 0.0005); pick boxes are widened by this much.
constexpr double PickMargin = 1.0;

// A box being gathered from points; corners that are not finite leave it
// unbounded.
struct Gather {
    double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
    void Add(double x, double y)
    {
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
    }
    IndexReach Finish(IndexBox& box, double pad = 0.0) const
    {
        for (double c : {x0, y0, x1, y1})
            if (!std::isfinite(c) || std::fabs(c) >= IndexLimit)
                return IndexReach::Unbounded;
        box = {x0 - pad, y0 - pad, x1 + pad, y1 + pad};
        return IndexReach::Bounded;
    }
};

// The corners of a text's box: `length` along the text angle from the
// anchor and `height` across it (angles up to 0.1 degree count as level).
void AddTextCorners(Gather& g, const CEntity& e, double length, double height)
{
    const double x = Value(e, 0), y = Value(e, 1), angle = Value(e, 4);
    double c = 1.0, s = 0.0;
    if (std::fabs(angle) > 0.1) {
        const double a = angle * std::numbers::pi / 180.0;
        c = std::cos(a);
        s = std::sin(a);
    }
    for (double u : {0.0, length})
        for (double v : {0.0, height})
            g.Add(x + u * c - v * s, y + u * s + v * c);
}

// The corners hatchings (their stored box) and images keep; false when the
// record is too short to hold them.
bool AddStoredCorners(const CEntity& e, Gather& g)
{
    const std::size_t first = e.type == EntityType::Hatch ? 3 : 0;
    if (e.values.size() < first + 4)
        return false;
    g.Add(e.values[first], e.values[first + 1]);
    g.Add(e.values[first + 2], e.values[first + 3]);
    return true;
}

// Where the figures whose reach is their defining points lie.
IndexReach FigureReach(const CEntity& e, Gather& g)
{
    const auto& v = e.values;
    switch (e.type) {
    case EntityType::Point:
        if (v.size() < 2)
            return IndexReach::Unbounded;
        g.Add(v[0], v[1]);
        return IndexReach::Bounded;
    case EntityType::Line:
    case EntityType::InfiniteLine:
        if (v.size() < 4)
            return IndexReach::Unbounded;
        g.Add(v[0], v[1]);
        g.Add(v[2], v[3]);
        return IndexReach::Bounded;
    case EntityType::Curve:
    case EntityType::FreehandCurve:
    case EntityType::Polygon:
        if (v.size() < 2)
            return IndexReach::None;
        for (std::size_t i = 0; i + 1 < v.size(); i += 2)
            g.Add(v[i], v[i + 1]);
        return IndexReach::Bounded;
    case EntityType::Circle:
    case EntityType::Arc: {
        if (v.size() < 3)
            return IndexReach::Unbounded;
        const double r = std::fabs(v[2]);
        g.Add(v[0] - r, v[1] - r);
        g.Add(v[0] + r, v[1] + r);
        return IndexReach::Bounded;
    }
    case EntityType::Ellipse:
    case EntityType::EllipticArc: {
        // The square of the longer radius holds the outline at any angle.
        const double cx = ByCode(e, 10), cy = ByCode(e, 20);
        const double r = std::max(std::fabs(ByCode(e, 60)), std::fabs(ByCode(e, 61)));
        g.Add(cx - r, cy - r);
        g.Add(cx + r, cy + r);
        return IndexReach::Bounded;
    }
    default:
        return IndexReach::Unbounded;
    }
}

// Where a pick can find the entity.
IndexReach PickReach(const CEntity& e, IndexBox& box)
{
    if (!IsPickableType(e.type))
        return IndexReach::None;
    Gather g;
    switch (e.type) {
    case EntityType::Text:
    case EntityType::LeaderText:
        AddTextCorners(g, e, MbcsByteLength(e.text) * Value(e, 3) / 2.0, Value(e, 2));
        break;
    case EntityType::Fill:
        if (!FillRegionBox(e, g.x0, g.y0, g.x1, g.y1))
            return IndexReach::None;
        break;
    case EntityType::Hatch:
    case EntityType::Image:
        if (!AddStoredCorners(e, g))
            return IndexReach::None;
        break;
    default: {
        const IndexReach reach = FigureReach(e, g);
        if (reach != IndexReach::Bounded)
            return reach;
        break;
    }
    }
    return g.Finish(box, PickMargin);
}

// Where a paint can show the entity. The drawers test the same boxes
// against the visible rectangle (texts and leaders their body, fills their
// outline's box, hatchings and images their stored corners, fixed-size
// terminators their tip) or draw whatever meets it.
IndexReach DrawReach(const CEntity& e, double markReach, IndexBox& box)
{
    Gather g;
    double pad = 0.0;
    switch (e.type) {
    case EntityType::Text:
    case EntityType::LeaderText: {
        // The anchor, and the text as drawn: cells half as wide as high
        // (texts) or of the record's width (leaders), rotated by the angle.
        const double h = Value(e, 2);
        const double width = e.type == EntityType::Text ? h : Value(e, 3);
        g.Add(Value(e, 0), Value(e, 1));
        AddTextCorners(g, e, MbcsByteLength(e.text) * width / 2.0, h);
        if (e.type == EntityType::LeaderText)
            for (std::size_t i = 5; i <= 9; i += 2)
                g.Add(Value(e, i), Value(e, i + 1));
        break;
    }
    case EntityType::Dimension: {
        bool any = false;
        ForEachDimensionMark(e, [&](const TerminatorSpec&, int kind, double tx, double ty, double, double) {
            if (kind < 1 || kind > 4)
                return;
            g.Add(tx, ty);
            any = true;
        });
        if (!any)
            return IndexReach::None;
        pad = markReach;
        break;
    }
    case EntityType::Fill: {
        const FillOutline outline = CollectFillOutline(e);
        if (outline.minX > outline.maxX || outline.minY > outline.maxY)
            return IndexReach::None;  // no item: nothing to paint
        g.Add(outline.minX, outline.minY);
        g.Add(outline.maxX, outline.maxY);
        break;
    }
    case EntityType::Hatch:
    case EntityType::Image:
        // A hatching without boundary items draws nothing.
        if ((e.type == EntityType::Hatch && e.codes.empty()) || !AddStoredCorners(e, g))
            return IndexReach::None;
        break;
    case EntityType::GroupHeader:
        return IndexReach::None;
    default: {
        const IndexReach reach = FigureReach(e, g);
        if (reach != IndexReach::Bounded)
            return reach == IndexReach::None ? IndexReach::Unbounded : reach;
        break;
    }
    }
    return g.Finish(box, pad);
}

} // namespace

IndexReach EntityIndexBox(const CEntity& e, double markReach, IndexBox& box)
{
    IndexBox drawn{0, 0, 0, 0}, picked{0, 0, 0, 0};
    const IndexReach draw = DrawReach(e, markReach, drawn);
    const IndexReach pick = PickReach(e, picked);
    if (draw == IndexReach::Unbounded || pick == IndexReach::Unbounded)
        return IndexReach::Unbounded;
    if (draw == IndexReach::None && pick == IndexReach::None)
        return IndexReach::None;
    if (draw == IndexReach::None)
        box = picked;
    else if (pick == IndexReach::None)
        box = drawn;
    else
        box = {std::min(drawn.x0, picked.x0), std::min(drawn.y0, picked.y0), std::max(drawn.x1, picked.x1),
               std::max(drawn.y1, picked.y1)};
    return IndexReach::Bounded;
}
