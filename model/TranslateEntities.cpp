// Whole-drawing shift: moves every stored point of a chain of entities.

#include "model/EntityList.h"

#include <algorithm>

namespace {

void Shift(CEntity& e, int ix, double dx, double dy)
{
    const int n = static_cast<int>(e.values.size());
    if (ix >= 0 && ix + 1 < n) {
        e.values[static_cast<size_t>(ix)] += dx;
        e.values[static_cast<size_t>(ix) + 1] += dy;
    }
}

// Shifts the boundary items of a fill or hatch from index `start` up to the
// end of the values; stops at an item code it does not know or an item that
// would run past the values.
void ShiftBoundary(CEntity& e, int start, bool inHatch, double dx, double dy)
{
    const int n = static_cast<int>(std::min(e.codes.size(), e.values.size()));
    int i = start;
    while (i < n) {
        const int16_t kind = e.codes[static_cast<size_t>(i)];
        const int size = BoundaryItemValueCount(kind, inHatch);
        if (size == 0 || i + size > n)
            break;
        Shift(e, i, dx, dy);  // centre, vertex
        if (kind == BoundaryItem::ArcCcw || kind == BoundaryItem::ArcCw)
            Shift(e, i + 3, dx, dy);  // start point
        else if (kind == BoundaryItem::EllipticArc && inHatch)
            Shift(e, i + 7, dx, dy);  // start point
        i += size;
    }
}

void ShiftDimension(CEntity& e, double dx, double dy)
{
    const size_t n = std::min(e.codes.size(), e.values.size());
    for (size_t i = 0; i < n; ++i) {
        const int16_t c = e.codes[i];
        if (c >= 450)
            break;
        switch (c) {
        case 21: case 23: case 42:
            e.values[i] += dx;
            continue;
        case 22: case 24: case 43:
            e.values[i] += dy;
            continue;
        default:
            break;
        }
        if (c >= 40) {
            if (c % 10 == 0)
                e.values[i] += dx;
            else if (c % 10 == 1)
                e.values[i] += dy;
        }
    }
}

} // namespace

void TranslateEntities(double dx, double dy, CEntity* entity)
{
    for (CEntity* e = entity; e; e = e->next) {
        const int n = static_cast<int>(e->values.size());
        switch (e->type) {
        case EntityType::Point:
        case EntityType::Circle:
        case EntityType::Arc:
        case EntityType::Text:
        case EntityType::Ellipse:
        case EntityType::EllipticArc:
            Shift(*e, 0, dx, dy);
            break;
        case EntityType::Line:
        case EntityType::HorizontalInfiniteLine:
        case EntityType::VerticalInfiniteLine:
        case EntityType::InfiniteLine:
        case EntityType::Image:
            Shift(*e, 0, dx, dy);
            Shift(*e, 2, dx, dy);
            break;
        case EntityType::Curve:
        case EntityType::FreehandCurve:
        case EntityType::Polygon:
            for (int i = 0; i + 1 < n; i += 2)
                Shift(*e, i, dx, dy);
            break;
        case EntityType::LeaderText:
            Shift(*e, 0, dx, dy);
            Shift(*e, 5, dx, dy);
            Shift(*e, 7, dx, dy);
            if (n >= 11)
                Shift(*e, 9, dx, dy);
            break;
        case EntityType::Dimension:
            ShiftDimension(*e, dx, dy);
            break;
        case EntityType::Fill:
            ShiftBoundary(*e, 2, false, dx, dy);
            break;
        case EntityType::Hatch:
            Shift(*e, 3, dx, dy);
            Shift(*e, 5, dx, dy);
            ShiftBoundary(*e, 7, true, dx, dy);
            break;
        default:  // grid record, group header and unknown types stay
            break;
        }
    }
}
