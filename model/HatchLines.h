#pragma once
// Hatch line generation. A hatch (type 71) keeps only its closed boundary and
// its pattern; the lines are made again every time it is drawn or written
// out. The generator cuts families of parallel lines, spaced and turned as
// the record says, against the boundary and hands every piece that lies
// inside to a sink, together with the staggered joints of the brick pattern.
// The view draws the pieces, the DXF export and the plotter write them.
//
// Record values used: 0 spacing of the horizontal family (the course height
// of the brick pattern), 1 spacing of the vertical family (the brick length),
// 2 angle in degrees (both families turned counter-clockwise by it), 3..6 the
// boundary's box (min x, min y, max x, max y), then the boundary items; the
// first code gives the number of items. The subtype picks the pattern:
// 0 vertical family, 1 horizontal family, 2 both (vertical first), 3 brick
// (horizontal family, then the joints); any other draws nothing.

#include "model/Entity.h"
#include "model/GeometryTypes.h"

#include <functional>
#include <vector>

// Item classes of the working form of a boundary.
namespace HatchItemClass {
inline constexpr int ArcCw = -1;      // arc, clockwise from its start to the next item's point
inline constexpr int Edge = 0;        // vertex: straight edge to the next item's point
inline constexpr int ArcCcw = 1;      // arc, counter-clockwise
inline constexpr int Circle = 2;      // full circle (the only item of its boundary)
inline constexpr int Ellipse = 3;     // full ellipse (the only item of its boundary)
inline constexpr int EllipticArc = 4; // counter-clockwise from `start` to `end` (directions, degrees)
} // namespace HatchItemClass

// One boundary item unpacked. (x, y) is where the item starts: a vertex's
// point, an arc's or elliptic arc's start point, an ellipse's or circle's
// centre. A circle's centre is not a point of the boundary and takes no part
// in the vertex checks.
struct HatchItem {
    int itemClass = HatchItemClass::Edge;
    double x = 0.0;
    double y = 0.0;
    double cx = 0.0;        // centre of arcs, circles, ellipses and elliptic arcs
    double cy = 0.0;
    double r1 = 0.0;        // radius of arcs and circles; first radius of ellipses
    double r2 = 0.0;        // second radius of ellipses
    double rotation = 0.0;  // of ellipses, degrees
    double start = 0.0;     // elliptic arcs: start and end directions, degrees
    double end = 0.0;
};

// The working form: the items in order, then one closing slot repeating the
// first item, so that item i always ends at items[i + 1]'s point.
struct HatchBoundary {
    std::vector<HatchItem> items;
    int count() const { return items.empty() ? 0 : static_cast<int>(items.size()) - 1; }
};

// Most boundary items a hatch may hold.
inline constexpr int MaxHatchBoundaryItems = 20;

enum class BoundaryUnpack {
    Complete,      // every counted item was read
    Truncated,     // the walk stopped early: the values ran out or an item code is unknown
    TooManyItems,  // a hatch counting more than MaxHatchBoundaryItems items; nothing unpacked
    NotABoundary,  // not a fill or hatch, or its fixed values are missing
};

// Unpacks the boundary of a fill (type 70) or hatch (type 71). The walk never
// reads past the record's values or codes and stops at an unknown item code,
// keeping the items read before it.
BoundaryUnpack UnpackHatchBoundary(const CEntity& entity, HatchBoundary& out);

// Crossings of the line a·x + b·y + c = 0 with one boundary item, appended to
// out; each returns how many it added. The arc keeps the points of its circle
// that lie on the arc; the circle keeps its two points only (a tangent point
// is dropped); the ellipse keeps all; the elliptic arc those on the arc.
int ViewHatchCutEdge(int item, const HatchBoundary& boundary, double a, double b, double c,
                     std::vector<GeoPoint>& out);
int ViewHatchCutArc(int item, const HatchBoundary& boundary, double a, double b, double c,
                    std::vector<GeoPoint>& out);
int ViewHatchCutCircle(int item, const HatchBoundary& boundary, double a, double b, double c,
                       std::vector<GeoPoint>& out);
int ViewHatchCutEllipse(int item, const HatchBoundary& boundary, double a, double b, double c,
                        std::vector<GeoPoint>& out);
int ViewHatchCutEllipticArc(int item, const HatchBoundary& boundary, double a, double b, double c,
                            std::vector<GeoPoint>& out);

// Crossings of a line with the whole boundary, item by item in order.
// edgesAndArcsOnly leaves out circles, ellipses and elliptic arcs.
void HatchLineCrossings(const HatchBoundary& boundary, double a, double b, double c, bool edgesAndArcsOnly,
                        std::vector<GeoPoint>& out);

// Whether the piece P1 → P2 between two consecutive crossings of a line of
// family 0 (vertical) or 1 (horizontal) is inside: 0 ordinary (the caller's
// alternation decides), 1 inside, -1 outside. Only pieces starting at a
// boundary point are probed, every 5 mm along them.
int ViewHatchSpanTest(int family, const HatchBoundary& boundary, GeoPoint p1, GeoPoint p2);

// One generated piece.
enum class HatchPiece {
    Vertical,    // family 0
    Horizontal,  // family 1 (the courses of the brick pattern)
    Joint,       // a joint of the brick pattern
};

struct HatchSegment {
    double x1 = 0.0;
    double y1 = 0.0;
    double x2 = 0.0;
    double y2 = 0.0;
    HatchPiece piece = HatchPiece::Horizontal;
};

using HatchSegmentSink = std::function<void(const HatchSegment&)>;

enum class HatchLinesStatus {
    Ok,
    TooManyItems,  // more than MaxHatchBoundaryItems boundary items: nothing generated
    BadRecord,     // not a hatch, or its spacing, angle or box values are missing or not finite
};

struct HatchLinesReport {
    HatchLinesStatus status = HatchLinesStatus::Ok;
    bool boundaryTruncated = false;  // the item walk stopped early; the items before were used
    bool tooDense = false;           // a family or the joints would need too many lines and were left out
    int segments = 0;                // pieces handed to the sink
};

// Generates the hatch lines of a type-71 record, in drawing order. Nothing
// here talks to the user: on TooManyItems the caller shows its message.
HatchLinesReport GenerateHatchLines(const CEntity& hatch, const HatchSegmentSink& sink);

// The same, collected.
std::vector<HatchSegment> HatchLineSegments(const CEntity& hatch, HatchLinesReport* report = nullptr);
