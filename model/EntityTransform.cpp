#include "model/EntityTransform.h"

#include "model/GeometryCircles.h"
#include "model/GeometryEllipses.h"
#include "model/GeometryLines.h"
#include "model/Utilities.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <numbers>

namespace {

constexpr double DegreesPerRadian = 180.0 / std::numbers::pi;

struct Transform {
    const TransformMatrix& matrix;
    double scale;
    double angle;
    bool reflect = false;
    double axis = 0.0;  // direction of the mirror axis, degrees

    // Carries the point stored at values[i], values[i + 1].
    void Point(std::vector<double>& v, std::size_t i) const
    {
        if (i + 1 >= v.size())
            return;
        const GeoPoint p = matrix.Apply(v[i], v[i + 1]);
        v[i] = p.x;
        v[i + 1] = p.y;
    }
    void Length(std::vector<double>& v, std::size_t i) const
    {
        if (i < v.size())
            v[i] *= scale;
    }
    void Direction(std::vector<double>& v, std::size_t i) const
    {
        if (i < v.size())
            v[i] = NormaliseDegrees(reflect ? 2.0 * axis - v[i] : v[i] + angle);
    }
};

int IndexOfCode(std::span<const int16_t> codes, int16_t code)
{
    for (std::size_t i = 0; i < codes.size(); ++i)
        if (codes[i] == code)
            return static_cast<int>(i);
    return -1;
}

// Direction of (dx, dy) from the x axis in degrees, in [0, 360).
double DirectionDegrees(double dx, double dy)
{
    double d = AngleBetween(1.0, 0.0, dx, dy) * DegreesPerRadian;
    if (d < 0.0)
        d += 360.0;
    return d;
}

EntityCopy StartCopy(const CEntity& source, const TransformPolicy& policy)
{
    EntityCopy copy;
    copy.header.type = source.type;
    copy.header.subtype = source.subtype;
    copy.header.style = source.style;
    copy.header.layer = policy.keepLayer ? source.layer : policy.layer;
    copy.colour = source.colour;
    copy.values = source.values.ToVector();
    copy.codes = source.codes.ToVector();
    copy.group = policy.keepGroup ? source.group : 0;
    return copy;
}

void SetCodes(EntityCopy& copy, int16_t type)
{
    copy.codes = CodesOf(type);
}

// Carries the boundary items of a fill or hatch from `start` on. An item of
// a kind not known ends the walk: it and what follows stay as they were,
// except a fill's lone closing point behind the last item, which moves.
void TransformBoundary(EntityCopy& copy, std::size_t start, bool inHatch, const Transform& t)
{
    auto& v = copy.values;
    const std::size_t n = std::min(copy.codes.size(), v.size());
    std::size_t i = start;
    while (i < n) {
        const int16_t kind = copy.codes[i];
        const int size = BoundaryItemValueCount(kind, inHatch);
        if (size == 0 || i + static_cast<std::size_t>(size) > n)
            break;
        t.Point(v, i);
        switch (kind) {
        case BoundaryItem::ArcCcw:
        case BoundaryItem::ArcCw:
            t.Length(v, i + 2);
            t.Point(v, i + 3);
            // A reflected arc runs the other way.
            if (t.reflect)
                copy.codes[i] = kind == BoundaryItem::ArcCcw ? BoundaryItem::ArcCw : BoundaryItem::ArcCcw;
            break;
        case BoundaryItem::Circle:
            t.Length(v, i + 2);
            break;
        case BoundaryItem::Ellipse:
            t.Length(v, i + 2);
            t.Length(v, i + 3);
            t.Direction(v, i + 4);
            break;
        case BoundaryItem::EllipticArc:
            t.Length(v, i + 2);
            t.Length(v, i + 3);
            t.Direction(v, i + 4);
            t.Direction(v, i + 5);
            t.Direction(v, i + 6);
            if (inHatch)
                t.Point(v, i + 7);
            else if (t.reflect)
                v[i + 7] = -v[i + 7];
            break;
        default:
            break;
        }
        i += static_cast<std::size_t>(size);
    }
    if (!inHatch && i + 2 == v.size())
        t.Point(v, i);
}

// The box corners at values[i .. i + 3] ordered: smaller x and y first.
void OrderCorners(std::vector<double>& v, std::size_t i)
{
    if (i + 3 >= v.size())
        return;
    if (v[i] > v[i + 2])
        std::swap(v[i], v[i + 2]);
    if (v[i + 1] > v[i + 3])
        std::swap(v[i + 1], v[i + 3]);
}

// A reflected leader text stands beside its leader again: by the shape,
// beside the second (shape 0, 2) or third (1) leader point, on the side away
// from the first; n characters of height h.
void PlaceLeaderTextAnchor(std::vector<double>& v, int shape, int n)
{
    if (v.size() < 9 || (shape == 1 && v.size() < 11))
        return;
    const double h = v[2], w = n * h, u = h / 2;
    const bool left = v[5] > v[7];
    std::size_t p = 7;
    double dy = -u;
    switch (shape) {
    case 0:
        break;
    case 1:
        p = 9;
        break;
    case 2:
        dy = u;
        break;
    default:
        return;
    }
    v[0] = left ? v[p] - w - u : v[p] + u;
    v[1] = v[p + 1] + dy;
}

bool TransformEllipse(const CEntity& source, EntityCopy& copy, const Transform& t, bool keepStoredForm)
{
    const int ix = IndexOfCode(source.codes, 10), iy = IndexOfCode(source.codes, 20);
    const int ia = IndexOfCode(source.codes, 60), ib = IndexOfCode(source.codes, 61);
    const int ir = IndexOfCode(source.codes, 62);
    const int n = static_cast<int>(source.values.size());
    if (ix < 0 || iy < 0 || ia < 0 || ib < 0 || ir < 0 || ix >= n || iy >= n || ia >= n || ib >= n || ir >= n)
        return false;
    auto& v = copy.values;
    if (keepStoredForm) {
        const GeoPoint c = t.matrix.Apply(v[ix], v[iy]);
        v[ix] = c.x;
        v[iy] = c.y;
        t.Length(v, static_cast<std::size_t>(ia));
        t.Length(v, static_cast<std::size_t>(ib));
        copy.header.layer = source.layer;
        return true;
    }
    GeoEllipse old{v[ix], v[iy], v[ia], v[ib], v[ir]};
    const EllipseAxisPoints axes = EllipseAxisEnds(old.cx, old.cy, old.r1, old.r2, old.rotation);
    const GeoPoint c = t.matrix.Apply(old.cx, old.cy);
    const GeoPoint p1 = t.matrix.Apply(axes.firstX[0], axes.firstY[0]);
    const GeoPoint p2 = t.matrix.Apply(axes.firstX[1], axes.firstY[1]);
    double rotation = static_cast<float>(AngleBetween(1.0, 0.0, p2.x - p1.x, p2.y - p1.y) * DegreesPerRadian);
    if (rotation < 0.0)
        rotation += 360.0;
    rotation = static_cast<float>(rotation);
    v[ix] = c.x;
    v[iy] = c.y;
    v[ia] = old.r1 * t.scale;
    v[ib] = old.r2 * t.scale;
    if (source.type == EntityType::EllipticArc) {
        const int is = IndexOfCode(source.codes, 50), ie = IndexOfCode(source.codes, 51);
        if (is < 0 || ie < 0 || is >= n || ie >= n)
            return false;
        if (rotation > 180.0)
            rotation -= 180.0;
        const PointSet<2> ends = EllipticArcEndPoints(old, static_cast<float>(v[is]), static_cast<float>(v[ie]));
        const GeoPoint s = t.matrix.Apply(ends.x[0], ends.y[0]);
        const GeoPoint e = t.matrix.Apply(ends.x[1], ends.y[1]);
        v[is] = static_cast<float>(DirectionDegrees(s.x - c.x, s.y - c.y));
        v[ie] = static_cast<float>(DirectionDegrees(e.x - c.x, e.y - c.y));
        // The reflection reverses the arc, which runs from start to end
        // counter-clockwise: the ends change places.
        if (t.reflect)
            std::swap(v[is], v[ie]);
    }
    v[ir] = rotation;
    copy.header.layer = source.layer;
    return true;
}

// The value codes and carried values of a dimension record by its kind.
bool TransformDimension(const CEntity& source, EntityCopy& copy, const Transform& t)
{
    const std::size_t n = source.values.size();
    auto& v = copy.values;
    std::vector<int16_t> codes;
    std::vector<int16_t> points;  // first codes of the carried points
    std::vector<int16_t> directions{12};
    switch (source.subtype) {
    case 0:
    case 4:
    case 5:
        if (n != 18)
            return false;
        codes = {30, 31, 32, 10, 11, 12, 13, 14, 15, 16, 18, 19};
        if (source.subtype == 4)
            codes.insert(codes.end(), {42, 43});
        else
            codes.insert(codes.end(), {21, 22});
        codes.insert(codes.end(), {40, 41, 50, 51});
        points = {static_cast<int16_t>(source.subtype == 4 ? 42 : 21), 40, 50};
        break;
    case 1:
    case 2: {
        if (n < 16 || (n - 16) % 2 != 0)
            return false;
        codes = {30, 31, 32};
        for (int16_t c = 10; c <= 22; ++c)
            codes.push_back(c);
        points = {21};
        for (std::size_t i = 0; i < (n - 16) / 2; ++i) {
            const auto first = static_cast<int16_t>(40 + 10 * i);
            codes.insert(codes.end(), {first, static_cast<int16_t>(first + 1)});
            points.push_back(first);
        }
        break;
    }
    case 3:
        if (n != 16)
            return false;
        codes = {30, 31, 32, 10, 11, 12, 13, 14, 40, 41, 50, 51, 60, 61, 42, 43};
        points = {40, 50, 60, 42};
        break;
    case 6:
    case 7:
        if (n != 19)
            return false;
        codes = {30, 31, 32, 10, 11, 12, 13, 14, 15, 16, 18, 19, 23, 24, 25, 26, 27, 42, 43};
        points = {23, 42};
        directions = {12, 26, 27};
        break;
    case 8:
        if (n != 9)
            return false;
        codes = {30, 31, 32, 10, 11, 12, 13, 40, 41};
        points = {40};
        break;
    default:
        return false;
    }
    copy.codes = codes;
    for (int16_t p : points)
        t.Point(v, static_cast<std::size_t>(IndexOfCode(codes, p)));
    t.Length(v, static_cast<std::size_t>(IndexOfCode(codes, 11)));
    for (int16_t d : directions)
        t.Direction(v, static_cast<std::size_t>(IndexOfCode(codes, d)));
    copy.group = 0;
    return true;
}

bool Build(const CEntity& source, EntityCopy& copy, const Transform& t, const TransformPolicy& policy)
{
    auto& v = copy.values;
    const std::size_t n = v.size();
    switch (source.type) {
    case EntityType::Point:
        if (n < 2)
            return false;
        v.resize(2);
        if (!policy.keepStoredForm)
            copy.header.subtype = 0;
        SetCodes(copy, EntityType::Point);
        t.Point(v, 0);
        return true;
    case EntityType::Line:
        if (n < 4)
            return false;
        v.resize(4);
        copy.header.subtype = 0;
        SetCodes(copy, source.type);
        t.Point(v, 0);
        t.Point(v, 2);
        return true;
    case EntityType::HorizontalInfiniteLine:
    case EntityType::VerticalInfiniteLine:
    case EntityType::InfiniteLine:
        if (n < 4)
            return false;
        t.Point(v, 0);
        t.Point(v, 2);
        // A turned horizontal or vertical line stays one only while it runs that way.
        if (source.type != EntityType::InfiniteLine) {
            const double dx = std::abs(v[2] - v[0]), dy = std::abs(v[3] - v[1]);
            const double tolerance = 1e-9 * std::max(dx, dy);
            copy.header.type = dy <= tolerance   ? EntityType::HorizontalInfiniteLine
                               : dx <= tolerance ? EntityType::VerticalInfiniteLine
                                                 : EntityType::InfiniteLine;
        }
        return true;
    case EntityType::Curve:
    case EntityType::CurveVariant25:
    case EntityType::CurveVariant27:
        if (!policy.keepStoredForm)
            copy.header.subtype = 0;
        v.resize(n - n % 2);
        copy.codes = *LayoutCodes(source.type, source.subtype, v.size());
        for (std::size_t i = 0; i < v.size(); i += 2)
            t.Point(v, i);
        return true;
    case EntityType::FreehandCurve:
    case EntityType::Polygon:
        if (source.type == EntityType::FreehandCurve && !policy.keepStoredForm)
            copy.header.subtype = 0;
        copy.codes.clear();
        for (std::size_t i = 0; i + 1 < n; i += 2)
            t.Point(v, i);
        return true;
    case EntityType::Circle:
        if (n < 3)
            return false;
        v.resize(3);
        copy.header.subtype = 0;
        SetCodes(copy, EntityType::Circle);
        t.Point(v, 0);
        t.Length(v, 2);
        return true;
    case EntityType::Arc: {
        if (n < 5)
            return false;
        v.resize(5);
        SetCodes(copy, EntityType::Arc);
        const double r = v[2] * t.scale;
        const PointSet<2> ends = ArcEndPoints(v[0], v[1], r, v[3], v[4]);
        const GeoPoint c = t.matrix.Apply(v[0], v[1]);
        const GeoPoint s = t.matrix.Apply(ends.x[0], ends.y[0]);
        const GeoPoint e = t.matrix.Apply(ends.x[1], ends.y[1]);
        if (policy.keepStoredForm)
            v = {c.x, c.y, r, v[3], v[4]};
        else
            v = {c.x, c.y, r, DirectionDegrees(s.x - c.x, s.y - c.y), DirectionDegrees(e.x - c.x, e.y - c.y)};
        if (t.reflect)
            copy.header.subtype = static_cast<int16_t>(-source.subtype);
        return true;
    }
    case EntityType::Ellipse:
    case EntityType::EllipticArc:
        if (!TransformEllipse(source, copy, t, policy.keepStoredForm))
            return false;
        if (!policy.ellipsesKeepLayer && !policy.keepLayer)
            copy.header.layer = policy.layer;
        return true;
    case EntityType::Text:
        if (n < 5)
            return false;
        v.resize(5);
        copy.header.subtype = 0;
        SetCodes(copy, EntityType::Text);
        t.Point(v, 0);
        t.Length(v, 2);
        t.Length(v, 3);
        // A reflected text only moves: it reads as before.
        if (!t.reflect)
            t.Direction(v, 4);
        copy.text = source.text;
        return true;
    case EntityType::LeaderText: {
        const std::size_t count = source.subtype / 10 != 0 ? 11 : 9;
        if (n < count)
            return false;
        v.resize(count);
        if (copy.codes.size() != count)
            copy.codes = *LayoutCodes(EntityType::LeaderText, source.subtype, count);
        t.Point(v, 0);
        t.Length(v, 2);
        t.Length(v, 3);
        if (!t.reflect)
            t.Direction(v, 4);
        t.Point(v, 5);
        t.Point(v, 7);
        if (count == 11)
            t.Point(v, 9);
        if (t.reflect)
            PlaceLeaderTextAnchor(v, source.subtype / 10, CountMbcsChars(source.text));
        copy.text = source.text;
        return true;
    }
    case EntityType::Dimension:
        return TransformDimension(source, copy, t);
    case EntityType::Fill:
        if (n < 2 || copy.codes.size() != n)
            return false;
        TransformBoundary(copy, 2, false, t);
        return true;
    case EntityType::Hatch:
        if (n < 7 || copy.codes.size() != n)
            return false;
        t.Point(v, 3);
        t.Point(v, 5);
        if (t.reflect)
            OrderCorners(v, 3);
        TransformBoundary(copy, 7, true, t);
        return true;
    case EntityType::Image: {
        if (n < 4)
            return false;
        v.resize(4);
        SetCodes(copy, source.type);
        const double w = v[2] - v[0], h = v[3] - v[1];
        if (t.reflect) {
            // The rectangle is reflected and ordered again; the picture is
            // not turned over.
            t.Point(v, 0);
            t.Point(v, 2);
            OrderCorners(v, 0);
        } else {
            t.Point(v, 0);
            v[2] = v[0] + w;
            v[3] = v[1] + h;
        }
        copy.text = source.text;
        return true;
    }
    default:
        return false;
    }
}

} // namespace

double NormaliseDegrees(double angle)
{
    if (angle < 0.0)
        angle += 360.0;
    if (angle > 360.0)
        angle -= 360.0;
    return angle;
}

bool HasTransformedCopy(const CEntity& source)
{
    if (source.type == EntityType::Dimension)
        return source.subtype >= 0 && source.subtype <= 8;  // the kinds whose layout is known
    return KindOf(source.type).Allows(KindAllows::Transform);
}

std::optional<EntityCopy> TransformedCopy(const CEntity& source, const TransformMatrix& matrix, double scale,
                                          double angle, const TransformPolicy& policy)
{
    if (!HasTransformedCopy(source))
        return std::nullopt;
    EntityCopy copy = StartCopy(source, policy);
    const Transform t{matrix, scale, angle, policy.reflect, policy.axisDegrees};
    if (!Build(source, copy, t, policy))
        return std::nullopt;
    for (double value : copy.values)
        if (!std::isfinite(value))
            return std::nullopt;
    if (policy.keepFont && (source.type == EntityType::Text || source.type == EntityType::LeaderText))
        copy.font = source.font;
    copy.header.count = static_cast<int16_t>(copy.values.size());
    if (copy.header.type == EntityType::FreehandCurve || copy.header.type == EntityType::Polygon)
        copy.codes.clear();
    return copy;
}

CEntity* AddEntityCopy(CEntityList& list, const EntityCopy& copy)
{
    const int16_t* codes = copy.codes.empty() ? nullptr : copy.codes.data();
    if (list.AddEntity(copy.header, codes, copy.colour, copy.values.data(), copy.text, copy.font) != 0)
        return nullptr;
    CEntity* added = list.last;
    if (copy.header.type == EntityType::Dimension) {
        while (added && added->type != EntityType::Dimension)
            added = added->owner;
        return added;
    }
    if (added && copy.group != 0)
        added->group = copy.group;
    return added;
}

TransformMatrix MirrorMatrix(GeoPoint base, bool vertical)
{
    TransformMatrix m;
    if (vertical) {
        m.m[4] = -1.0;
        m.m[7] = 2.0 * base.y;
    } else {
        m.m[0] = -1.0;
        m.m[6] = 2.0 * base.x;
    }
    return m;
}

TransformPolicy MirrorPolicy(bool vertical, int16_t layer)
{
    TransformPolicy policy;
    policy.layer = layer;
    policy.ellipsesKeepLayer = true;
    policy.keepGroup = true;
    policy.keepFont = false;
    policy.reflect = true;
    policy.axisDegrees = vertical ? 0.0 : 90.0;
    return policy;
}

TransformMatrix MoveMatrix(GeoPoint base, GeoPoint destination, double scale, double angle)
{
    TransformMatrix m;
    MatrixTranslate(m, base.x, base.y);
    MatrixTranslate(m, destination.x - base.x, destination.y - base.y);
    MatrixScale(m, scale, scale);
    MatrixRotate(m, angle);
    MatrixTranslate(m, -base.x, -base.y);
    return m;
}
