#include "model/Entity.h"

#include <algorithm>

int BoundaryItemValueCount(int16_t firstCode, bool inHatch)
{
    switch (firstCode) {
    case BoundaryItem::ArcCcw:
    case BoundaryItem::ArcCw:
        return 5;
    case BoundaryItem::Vertex:
        return 2;
    case BoundaryItem::Circle:
        return 3;
    case BoundaryItem::Ellipse:
        return 5;
    case BoundaryItem::EllipticArc:
        return inHatch ? 9 : 8;
    default:
        return 0;
    }
}

int FindValueIndex(const CEntity& e, int16_t code, int start)
{
    const int n = static_cast<int>(std::min(e.codes.size(), e.values.size()));
    for (int i = start < 0 ? 0 : start; i < n; ++i)
        if (e.codes[static_cast<size_t>(i)] == code)
            return i;
    return -1;
}
