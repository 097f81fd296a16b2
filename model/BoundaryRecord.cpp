#include "model/BoundaryRecord.h"

#include "model/EntityBox.h"
#include "model/GeometryEllipses.h"
#include "model/RegionMeasure.h"

#include <cfloat>
#include <cmath>

namespace {

// Boundary items a hatch reader takes at most.
constexpr int MaxHatchItems = 20;

bool IsLine(int type)
{
    return type >= EntityType::Line && type <= 23;
}

std::size_t Needed(int type)
{
    switch (type) {
    case EntityType::Circle: return 3;
    case EntityType::Arc: return 5;
    case EntityType::Ellipse: return 5;
    case EntityType::EllipticArc: return 7;
    case EntityType::Polygon: return 4;
    default: return IsLine(type) ? 4 : 0;
    }
}

bool Readable(const CEntity* e)
{
    const std::size_t n = e ? Needed(e->type) : 0;
    return n > 0 && e->count >= 0 && static_cast<std::size_t>(e->count) >= n && e->values.size() >= n &&
           (e->type != EntityType::Polygon || e->count % 2 == 0);
}

int PolygonVertexCount(const CEntity* e)
{
    return e->count / 2;
}

struct Writer {
    BoundaryEntries& out;
    void Put(int code, double value)
    {
        out.codes.push_back(static_cast<int16_t>(code));
        out.values.push_back(value);
    }
};

// The element entries both records share; the elliptic arc differs.
void PutElement(Writer& w, const BoundaryElement& el, bool hatch)
{
    const CEntity* e = el.entity;
    const auto& v = e->values;
    switch (e->type) {
    case EntityType::Circle:
        w.Put(BoundaryItem::Circle, v[0]);
        w.Put(51, v[1]);
        w.Put(52, v[2]);
        break;
    case EntityType::Arc:
        w.Put(ArcDirectionCode(*e, el.vx, el.vy), v[0]);
        w.Put(2, v[1]);
        w.Put(3, v[2]);
        w.Put(4, el.vx);
        w.Put(5, el.vy);
        break;
    case EntityType::Ellipse:
        for (int i = 0; i < 5; ++i)
            w.Put(BoundaryItem::Ellipse + i, v[static_cast<std::size_t>(i)]);
        break;
    case EntityType::EllipticArc:
        for (int i = 0; i < 7; ++i)
            w.Put(BoundaryItem::EllipticArc + i, v[static_cast<std::size_t>(i)]);
        if (hatch) {
            w.Put(4, el.vx);
            w.Put(5, el.vy);
        } else {
            w.Put(87, EllipticArcEntryFlag(*e, el.vx, el.vy));
        }
        break;
    case EntityType::Polygon:
        for (int i = 0; i + 1 < e->count; i += 2) {
            w.Put(BoundaryItem::Vertex, v[static_cast<std::size_t>(i)]);
            w.Put(20, v[static_cast<std::size_t>(i + 1)]);
        }
        break;
    default:
        w.Put(BoundaryItem::Vertex, el.vx);
        w.Put(20, el.vy);
        break;
    }
}

int EntryCount(const BoundaryElement& el, bool hatch)
{
    switch (el.entity->type) {
    case EntityType::Circle: return 3;
    case EntityType::Arc: return 5;
    case EntityType::Ellipse: return 5;
    case EntityType::EllipticArc: return hatch ? 9 : 8;
    case EntityType::Polygon: return el.entity->count;
    default: return 2;
    }
}

bool SinglePolygon(const std::vector<BoundaryElement>& elements)
{
    return elements.size() == 1 && elements[0].entity->type == EntityType::Polygon;
}

bool Check(const std::vector<BoundaryElement>& elements)
{
    if (elements.empty())
        return false;
    for (const BoundaryElement& el : elements)
        if (!Readable(el.entity))
            return false;
    return true;
}

} // namespace

int ArcDirectionCode(const CEntity& arc, double vx, double vy)
{
    const auto& v = arc.values;
    const BoundaryArc a{v[0], v[1], v[2], v[3], v[4], arc.subtype >= 0 ? 1 : -1};
    return ArcWalkDirection(a, vx, vy) == 1 ? 0 : 1;
}

int EllipticArcEntryFlag(const CEntity& arc, double vx, double vy)
{
    const auto& v = arc.values;
    const PointSet<2> ends = EllipticArcEndPoints({v[0], v[1], v[2], v[3], v[4]}, v[5], v[6]);
    auto on = [&](int i) {
        return std::fabs(ends.x[static_cast<std::size_t>(i)] - vx) < 0.005 &&
               std::fabs(ends.y[static_cast<std::size_t>(i)] - vy) < 0.005;
    };
    if (on(1))
        return -1;
    return on(0) ? 1 : 0;
}

BoundaryEntries HatchRecordEntries(const std::vector<BoundaryElement>& elements, const HatchSettings& settings)
{
    BoundaryEntries out;
    if (!Check(elements)) {
        out.ok = false;
        return out;
    }
    const bool polygon = SinglePolygon(elements);
    const int m = polygon ? PolygonVertexCount(elements[0].entity) - 1 : static_cast<int>(elements.size());
    int entries = 7;
    for (const BoundaryElement& el : elements)
        entries += EntryCount(el, true);
    if (entries > MaxBoundaryEntries || m > MaxHatchItems) {
        out.ok = false;
        return out;
    }

    // The region's box.
    double minX = DBL_MAX, minY = DBL_MAX, maxX = -DBL_MAX, maxY = -DBL_MAX;
    auto widen = [&](double x, double y) {
        minX = std::fmin(minX, x);
        minY = std::fmin(minY, y);
        maxX = std::fmax(maxX, x);
        maxY = std::fmax(maxY, y);
    };
    const std::size_t n = elements.size();
    for (std::size_t i = 0; i < n; ++i) {
        const CEntity* e = elements[i].entity;
        const auto& v = e->values;
        switch (e->type) {
        case EntityType::Circle:
        case EntityType::Arc:
            widen(v[0] - v[2], v[1] - v[2]);
            widen(v[0] + v[2], v[1] + v[2]);
            break;
        case EntityType::Ellipse:
        case EntityType::EllipticArc: {
            const ModelBox b = EllipseOutlineBox(v[0], v[1], v[2], v[3], v[4]);
            widen(b.minX, b.minY);
            widen(b.maxX, b.maxY);
            break;
        }
        case EntityType::Polygon:
            for (int k = 0; k + 1 < e->count; k += 2)
                widen(v[static_cast<std::size_t>(k)], v[static_cast<std::size_t>(k + 1)]);
            break;
        default:
            widen(elements[i].vx, elements[i].vy);
            widen(elements[(i + 1) % n].vx, elements[(i + 1) % n].vy);
            break;
        }
    }

    Writer w{out};
    out.elementCount = static_cast<int16_t>(m);
    w.Put(m, settings.spacingY);
    w.Put(0, settings.spacingX);
    w.Put(0, settings.angle);
    w.Put(60, minX);
    w.Put(61, minY);
    w.Put(62, maxX);
    w.Put(63, maxY);
    for (const BoundaryElement& el : elements)
        PutElement(w, el, true);
    return out;
}

BoundaryEntries FillRecordEntries(const std::vector<BoundaryElement>& elements)
{
    BoundaryEntries out;
    if (!Check(elements)) {
        out.ok = false;
        return out;
    }
    const bool polygon = SinglePolygon(elements);
    int entries = 2 + (polygon ? 0 : 2);
    for (const BoundaryElement& el : elements)
        entries += EntryCount(el, false);
    if (entries > MaxBoundaryEntries) {
        out.ok = false;
        return out;
    }
    Writer w{out};
    out.elementCount =
        static_cast<int16_t>(polygon ? PolygonVertexCount(elements[0].entity) : static_cast<int>(elements.size()));
    w.Put(0, 0.0);  // the outline colour's bits: black
    w.Put(0, 0.0);
    for (const BoundaryElement& el : elements)
        PutElement(w, el, false);
    if (!polygon) {
        // A circle or an ellipse alone closes at its centre.
        const BoundaryElement& first = elements[0];
        const bool closedCurve = elements.size() == 1 && (first.entity->type == EntityType::Circle ||
                                                          first.entity->type == EntityType::Ellipse);
        w.Put(BoundaryItem::Vertex, closedCurve ? first.entity->values[0] : first.vx);
        w.Put(20, closedCurve ? first.entity->values[1] : first.vy);
    }
    return out;
}
