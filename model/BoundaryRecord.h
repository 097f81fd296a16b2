#pragma once
// The hatch (type 71) and fill (type 70) records a picked closed region
// becomes: the boundary elements in pick order, each with the chain vertex
// where it begins, laid out as entries of 16-bit codes and double values.

#include "model/Entity.h"

#include <cstdint>
#include <vector>

// Most entries one hatch or fill record holds.
inline constexpr int MaxBoundaryEntries = 100;

// One picked boundary element: a copy of its record and the chain vertex
// where the boundary enters it.
struct BoundaryElement {
    const CEntity* entity = nullptr;
    double vx = 0.0, vy = 0.0;
};

struct BoundaryEntries {
    std::vector<int16_t> codes;
    std::vector<double> values;
    int16_t elementCount = 0;  // hatch entry 0's code; fill subtype
    // False when the record would hold more than MaxBoundaryEntries entries,
    // a hatch more than 20 boundary items, or an element lacks its values.
    bool ok = true;
};

struct HatchSettings {
    int pattern = 1;
    double spacingX = 10.0, spacingY = 10.0, angle = 0.0;
};

// The entries of a hatch over the elements (vertex 0 is where the last
// element meets the first). The region's box is in entries 3 to 6.
BoundaryEntries HatchRecordEntries(const std::vector<BoundaryElement>& elements, const HatchSettings& settings);
// The entries of a fill: outline colour (all bits 0), 0, the elements and
// the closing vertex.
BoundaryEntries FillRecordEntries(const std::vector<BoundaryElement>& elements);

// First code of an arc's entry: 0 when the boundary runs counter-clockwise
// along it from its vertex, 1 when clockwise.
int ArcDirectionCode(const CEntity& arc, double vx, double vy);
// A fill's elliptic-arc flag: 1 vertex on the arc's start point, -1 on its
// end point (closer than 0.005 on both axes; -1 when both), else 0.
int EllipticArcEntryFlag(const CEntity& arc, double vx, double vy);
