// Reference point of the selected entities of a list.

#include "model/EntityList.h"

#include "model/GeometryEllipses.h"
#include "model/Settings.h"
#include "model/Utilities.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double Pi = 3.14159265358979323846;

struct Box {
    double minX = std::numeric_limits<double>::infinity();
    double minY = std::numeric_limits<double>::infinity();
    double maxX = -std::numeric_limits<double>::infinity();
    double maxY = -std::numeric_limits<double>::infinity();
    bool used = false;

    void Add(double x, double y)
    {
        if (!std::isfinite(x) || !std::isfinite(y))
            return;
        minX = std::min(minX, x);
        minY = std::min(minY, y);
        maxX = std::max(maxX, x);
        maxY = std::max(maxY, y);
        used = true;
    }
};

// Value by code, or false when the entity has no such code.
bool ValueOf(const CEntity& e, int16_t code, double& v)
{
    const int i = FindValueIndex(e, code);
    if (i < 0)
        return false;
    v = e.values[static_cast<size_t>(i)];
    return true;
}

void AddEllipsePoint(Box& box, double cx, double cy, double r1, double r2, double phi, double t)
{
    const double c = std::cos(phi), s = std::sin(phi);
    const double u = r1 * std::cos(t), v = r2 * std::sin(t);
    box.Add(cx + u * c - v * s, cy + u * s + v * c);
}

void AddEllipticArc(Box& box, const CEntity& e)
{
    GeoEllipticArc arc;
    if (!ValueOf(e, 10, arc.ellipse.cx) || !ValueOf(e, 20, arc.ellipse.cy) || !ValueOf(e, 60, arc.ellipse.r1) ||
        !ValueOf(e, 61, arc.ellipse.r2) || !ValueOf(e, 62, arc.ellipse.rotation) || !ValueOf(e, 50, arc.start) ||
        !ValueOf(e, 51, arc.end))
        return;
    const GeoBox b = EllipticArcBounds(arc);
    if (b.status != 0)
        return;
    box.Add(b.minX, b.minY);
    box.Add(b.maxX, b.maxY);
}

void WidenBox(Box& box, const CEntity& e)
{
    const auto& v = e.values;
    const int n = static_cast<int>(v.size());
    switch (e.type) {
    case EntityType::Point:
        if (n >= 2)
            box.Add(v[0], v[1]);
        break;
    case EntityType::Line:
        if (n >= 4) {
            box.Add(v[0], v[1]);
            box.Add(v[2], v[3]);
        }
        break;
    case EntityType::Curve:
    case EntityType::FreehandCurve:
    case EntityType::Polygon:
        for (int i = 0; i + 1 < n; i += 2)
            box.Add(v[static_cast<size_t>(i)], v[static_cast<size_t>(i) + 1]);
        break;
    case EntityType::Circle:
    case EntityType::Arc: {
        double cx, cy, r;
        if (ValueOf(e, 10, cx) && ValueOf(e, 20, cy) && ValueOf(e, 40, r)) {
            box.Add(cx - r, cy - r);
            box.Add(cx + r, cy + r);
        }
        break;
    }
    case EntityType::Ellipse: {
        double cx, cy, r1, r2, phi;
        if (ValueOf(e, 10, cx) && ValueOf(e, 20, cy) && ValueOf(e, 60, r1) && ValueOf(e, 61, r2) &&
            ValueOf(e, 62, phi)) {
            const double phiRad = phi * Pi / 180.0;
            for (int i = 0;; ++i) {
                const double t = 0.05 * i;
                if (t > 2 * Pi)
                    break;
                AddEllipsePoint(box, cx, cy, r1, r2, phiRad, t);
            }
        }
        break;
    }
    case EntityType::EllipticArc:
        AddEllipticArc(box, e);
        break;
    case EntityType::Text:
    case EntityType::LeaderText:
        if (n >= 3) {
            const double h = v[2];
            const int c = CountMbcsChars(e.text);
            box.Add(v[0], v[1]);
            box.Add(v[0] + c * h / 2, v[1] + h);
        }
        break;
    case EntityType::Fill: {
        const int items = std::min(static_cast<int>(e.codes.size()), n);
        int i = 2;
        for (int k = 0; k < e.subtype && i < items; ++k) {
            const int16_t kind = e.codes[static_cast<size_t>(i)];
            const int size = BoundaryItemValueCount(kind, false);
            if (size == 0 || i + size > items)
                break;
            const size_t j = static_cast<size_t>(i);
            switch (kind) {
            case BoundaryItem::ArcCcw:
            case BoundaryItem::ArcCw:
                box.Add(v[j], v[j + 1]);
                box.Add(v[j + 3], v[j + 4]);
                break;
            case BoundaryItem::Vertex:
            case BoundaryItem::Circle:
                box.Add(v[j], v[j + 1]);
                break;
            default:  // ellipses and elliptic arcs add nothing
                break;
            }
            i += size;
        }
        break;
    }
    default:
        break;
    }
}

} // namespace

void CEntityList::GetSelectionCentre(double& x, double& y) const
{
    x = 0;
    y = 0;
    Box box;
    for (const CEntity* e = first; e; e = e->next)
        if (e->state == EntityState::Selected)
            WidenBox(box, *e);
    if (!box.used)
        return;
    switch (PartsBase) {
    case 0:
        x = box.minX + (box.maxX - box.minX) * 0.5;
        y = box.minY + (box.maxY - box.minY) * 0.5;
        break;
    case 1:
        x = box.minX;
        y = box.minY;
        break;
    case 2:
        x = box.minX;
        y = box.maxY;
        break;
    default:
        break;
    }
}
