#pragma once
// The drawing entity record. Every drawing is a doubly linked list of these
// records (see EntityList.h); the list makes and frees them, everything else
// reads and edits them in place.

#include "model/EntityString.h"
#include "model/InlineArray.h"

#include <cstdint>
#include <string>
#include <vector>

// RGB colour reference, 0x00BBGGRR.
using COLORREF = uint32_t;

constexpr COLORREF MakeColour(uint8_t r, uint8_t g, uint8_t b)
{
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}

// Entity type codes (the record's `type`).
namespace EntityType {
inline constexpr int16_t Point = 10;
inline constexpr int16_t Grid = 11;                  // grid record, always the first entity of a drawing
inline constexpr int16_t Line = 20;
inline constexpr int16_t HorizontalInfiniteLine = 21;
inline constexpr int16_t VerticalInfiniteLine = 22;
inline constexpr int16_t InfiniteLine = 23;          // through two points
inline constexpr int16_t Curve = 24;                 // control-point curve (uniform cubic B-spline)
inline constexpr int16_t CurveVariant25 = 25;        // stored like 24, never created or drawn
inline constexpr int16_t FreehandCurve = 26;         // no codes
inline constexpr int16_t CurveVariant27 = 27;        // stored like 24, never created or drawn
inline constexpr int16_t Circle = 30;
inline constexpr int16_t Arc = 31;                   // subtype +1 counter-clockwise, -1 clockwise
inline constexpr int16_t Ellipse = 32;
inline constexpr int16_t EllipticArc = 33;
inline constexpr int16_t Text = 40;
inline constexpr int16_t LeaderText = 41;            // text with leader
inline constexpr int16_t Dimension = 50;
inline constexpr int16_t GroupHeader = 60;
inline constexpr int16_t Fill = 70;
inline constexpr int16_t Hatch = 71;
inline constexpr int16_t Image = 80;
inline constexpr int16_t Polygon = 90;               // no codes
} // namespace EntityType

// Entity states (the record's `state`); selection is state 3.
namespace EntityState {
inline constexpr int16_t Deleted = -1;     // leaves the list at the next MoveDeletedToUndo
inline constexpr int16_t Normal = 0;
inline constexpr int16_t Highlighted = 1;  // a tool's target
inline constexpr int16_t TempMark = 2;     // a tool's temporary mark
inline constexpr int16_t Selected = 3;
inline constexpr int16_t Marked = 4;       // marked for a command
} // namespace EntityState

// First codes of the boundary items of fills (type 70) and hatches (type 71).
namespace BoundaryItem {
inline constexpr int16_t ArcCcw = 0;        // 5 values: centre x, y, radius, start x, y
inline constexpr int16_t ArcCw = 1;         // as ArcCcw
inline constexpr int16_t Vertex = 10;       // 2 values: x, y
inline constexpr int16_t Circle = 50;       // 3 values: centre x, y, radius
inline constexpr int16_t Ellipse = 70;      // 5 values: centre x, y, two radii, rotation
inline constexpr int16_t EllipticArc = 80;  // fill: 8 values (arc + direction); hatch: 9 (arc + start x, y)
} // namespace BoundaryItem

// Number of values a boundary item takes, by its first code; 0 for an
// unknown code. `inHatch` selects the hatch form of the elliptic arc.
int BoundaryItemValueCount(int16_t firstCode, bool inHatch);

struct CEntity {
    CEntity* previous = nullptr;  // previous entity in the list (or in the undo chain)
    CEntity* next = nullptr;
    CEntity* owner = nullptr;     // dimension (50) or group header (60) it belongs to
    // Bookkeeping of the list (EntityList.h): a number no other record of the
    // process ever has, the record's rank in the list (rises from first to
    // last, taken anew whenever the record is linked at the tail) and its
    // place in the list's table of linked records.
    uint64_t serial = 0;
    uint64_t rank = 0;
    uint32_t slot = UINT32_MAX;
    int16_t type = 0;
    int16_t subtype = 0;
    int16_t style = 0;            // line type * 100 + pen (bare pen for type 50)
    int16_t state = 0;
    int16_t layer = 0;
    int16_t count = 0;            // number of values (and of codes, where codes are kept)
    int16_t group = 0;            // group number: own for a header, the header's for a member
    COLORREF colour = 0;
    // Codes and values live inside the record up to a line's four.
    InlineArray<int16_t, 4> codes;  // empty for types 26 and 90
    InlineArray<double, 4> values;
    EntityString text;              // cp932; types 40, 41 (text) and 80 (image path)
    EntityString font;              // cp932 face name; types 40 and 41
};

// Index of the first value whose code is `code`, searching from `start`;
// -1 when there is none (or the entity keeps no codes).
int FindValueIndex(const CEntity& e, int16_t code, int start = 0);

// The default face of texts, "ＭＳゴシック" in code page 932.
inline constexpr const char* DefaultTextFont = "\x82\x6c\x82\x72\x83\x53\x83\x56\x83\x62\x83\x4e";
