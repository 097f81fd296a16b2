#pragma once
// What the program knows of each kind of entity, one row per type the
// drawing file can hold: the code layout of its record, what each value
// means, how the boundary items of a fill or hatch are walked, the values a
// property dialog or the entity list shows, and what the kind allows.
//
// Code that needs to know "which values of this record are points" or "may
// this kind be exported" asks the row instead of keeping a type switch of
// its own. Records are made from the rows (MakeRecord), so no caller writes
// a code layout out by hand. Adding a kind is one row here plus the code
// that is truly its own (its drawer, its pick geometry).

#include "model/EntityList.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// What a stored value means; it decides how the value follows a move, a
// turn, a scale or a mirror.
enum class ValueRole : uint8_t {
    X,          // x of a point; the value behind it is its y
    Y,          // y of a point
    Length,     // a length: radius, axis, pitch, spacing (scaled)
    TextSize,   // a character height or width (scaled)
    Angle,      // the direction of an arc end seen from the centre (degrees)
    Direction,  // a stored direction: text angle, ellipse tilt (degrees)
    Count,      // a number of items
    Plain,      // anything else, carried as it is
};

// How the codes of a record of the kind are laid out.
enum class LayoutForm : uint8_t {
    Fixed,      // exactly the row's codes
    PointRun,   // the row's two codes (10, 20) once per point
    BareRun,    // x, y of each point and no codes at all (26, 90)
    Leader,     // the row's codes, the last two only when the leader shape is not 0
    Dimension,  // by the dimension kind (DimensionValueCodes)
    Boundary,   // the row's head, then boundary items (fill and hatch)
    GroupHead,  // the row's codes, or no values at all (a header read from a file)
};

// One value of a layout: its code and role.
struct ValueSlot {
    int16_t code;
    ValueRole role;
};

// Unit of a property as a dialog or the entity list shows it.
enum class PropertyUnit : uint8_t { Millimetre, Degree, Plain };

// A value a property dialog or the entity list shows: its label, the code it
// is stored under, the range a typed value must lie in and its unit.
// Positions (unit millimetre, role X or Y) are shown from the drawing origin.
struct KindProperty {
    const char* label;  // UTF-8
    int16_t code;
    ValueRole role;
    PropertyUnit unit;
    double min, max;
};

// The property dialog a kind opens from the selection tool.
enum class PropertyDialog : uint8_t { None, Point, Line, Curve, Circle, Ellipse, Polygon, Text, LeaderText,
                                      Dimension, Fill, Hatch, Image };

// What a kind allows (bits of EntityKind::allows).
namespace KindAllows {
inline constexpr uint32_t Transform = 1u << 0;  // moved, copied, turned, scaled, mirrored (TransformedCopy)
inline constexpr uint32_t Pick = 1u << 1;       // found by a pick on screen (a dimension through its members)
inline constexpr uint32_t Draw = 1u << 2;       // drawn by the view
inline constexpr uint32_t Dxf = 1u << 3;        // written to a DXF file
inline constexpr uint32_t Jww = 1u << 4;        // written to a JWW file
inline constexpr uint32_t Hpgl = 1u << 5;       // plotted
inline constexpr uint32_t Quantize = 1u << 6;   // listed (and rounded) by the entity list
inline constexpr uint32_t Select = 1u << 7;     // counts for the selection centre
inline constexpr uint32_t Orv = 1u << 8;        // its codes and values travel in the native drawing file
inline constexpr uint32_t Cross = 1u << 9;      // its crossings with earlier entities are snap points
} // namespace KindAllows

// One boundary item kind of fills and hatches, by its first code.
struct BoundaryItemKind {
    int16_t firstCode;
    std::span<const ValueRole> roles;  // one per value; the size is its value count
};

struct EntityKind {
    int16_t type;
    const char* name;                     // English word for messages of the developer and tests
    LayoutForm form;
    std::span<const ValueSlot> layout;    // Fixed, Leader, GroupHead: all codes; PointRun, BareRun: one
                                          // point; Boundary: the head before the items (a hatch's first
                                          // code is really its item count)
    uint32_t allows;
    PropertyDialog dialog;
    std::span<const KindProperty> properties;
    bool keepsCodes;                      // false for 26 and 90
    bool hasText;                         // text (40, 41) or image path (80)
    bool hasFont;                         // 40, 41
    int maxPoints = 0;                    // PointRun, BareRun: most points a tool makes (0: no limit)
    bool inHatch = false;                 // Boundary: the hatch form of the elliptic arc item
    int8_t maxLineType = 7;               // what the style word can hold: line type (or pattern) x 100
    int8_t maxPen = 7;                    // + pen (or grid kind)

    bool Allows(uint32_t what) const { return (allows & what) == what; }
};

// Every row, in type order.
std::span<const EntityKind> EntityKinds();
// The row of a type, or null for a type the drawing cannot hold.
const EntityKind* FindEntityKind(int16_t type);
// The row of a type; types the drawing cannot hold share an empty row that
// allows nothing.
const EntityKind& KindOf(int16_t type);

// The boundary item kinds; the roles of the item with that first code in a
// fill or a hatch (empty for an unknown code).
std::span<const ValueRole> BoundaryItemRoles(int16_t firstCode, bool inHatch);

// One item of a fill or hatch boundary as the walk meets it.
struct BoundaryItemAt {
    int16_t kind;            // first code
    std::size_t index;       // index of its first value
    std::span<const ValueRole> roles;
};

// Index of the first boundary item of a fill (2) or hatch (7); 0 for other kinds.
std::size_t BoundaryStart(int16_t type);

// Walks the boundary items of a fill or hatch record from BoundaryStart: f
// is called with each BoundaryItemAt. The walk ends at the end of the codes
// or values, at an item of an unknown kind, or at an item that would run
// past the end. Returns the index where the walk ended (for a fill, a lone
// closing vertex may stand there).
template <class F>
std::size_t WalkBoundary(int16_t type, std::span<const int16_t> codes, std::size_t valueCount, F&& f)
{
    const std::size_t n = codes.size() < valueCount ? codes.size() : valueCount;
    const bool inHatch = KindOf(type).inHatch;
    std::size_t i = BoundaryStart(type);
    while (i < n) {
        const std::span<const ValueRole> roles = BoundaryItemRoles(codes[i], inHatch);
        if (roles.empty() || i + roles.size() > n)
            break;
        f(BoundaryItemAt{codes[i], i, roles});
        i += roles.size();
    }
    return i;
}
template <class F>
std::size_t WalkBoundary(const CEntity& e, F&& f)
{
    return WalkBoundary(e.type, std::span<const int16_t>(e.codes.data(), e.codes.size()), e.values.size(),
                        static_cast<F&&>(f));
}

// The role of every value of a record (its codes as stored for the
// dimension, fill and hatch kinds). Values the row gives no meaning are
// Plain, and so is an x whose y is missing.
std::vector<ValueRole> ValueRoles(int16_t type, int16_t subtype, std::span<const int16_t> codes,
                                  std::size_t valueCount);
std::vector<ValueRole> ValueRoles(const CEntity& e);

// The one shift rule: every point of a record moves by (dx, dy) by the
// roles of its values; radii, sizes and directions stay. Kinds that are not
// drawn (the grid, group headers, 25 and 27) stay where they are.
void ShiftValues(int16_t type, int16_t subtype, std::span<const int16_t> codes, std::span<double> values, double dx,
                 double dy);
void ShiftEntity(CEntity& e, double dx, double dy);

// A record ready to be added to a list (AddEntityCopy in EntityTransform.h):
// the header, codes and values and what travels with them.
struct EntityRecord {
    EntityHeader header;
    std::vector<int16_t> codes;   // empty for types 26 and 90
    std::vector<double> values;
    COLORREF colour = 0;
    std::string text;
    std::string font;
    int16_t group = 0;
};

// The codes a record of the kind with n values takes: Fixed and GroupHead
// the row's (n must match), PointRun 10, 20 per point (n even), BareRun
// none, Leader 9 or 11 of the row's, Dimension the kind's (subtype) with
// n values. Nothing for a boundary kind (its codes come with its items),
// an unknown type or a count the layout does not allow.
std::optional<std::vector<int16_t>> LayoutCodes(int16_t type, int16_t subtype, std::size_t n);

// A record of type made from its values in layout order, the codes from
// the row: header type, subtype, count set, style, layer and colour 0.
// Nothing when LayoutCodes refuses.
std::optional<EntityRecord> MakeRecord(int16_t type, std::span<const double> values, int16_t subtype = 0);
std::optional<EntityRecord> MakeRecord(int16_t type, std::initializer_list<double> values, int16_t subtype = 0);

// The codes of a fixed layout (point, line, circle, ...), as a static array
// for callers that hand codes to CEntityList::AddEntity directly. Empty for
// kinds without a fixed layout.
std::span<const int16_t> FixedCodes(int16_t type);
// The same as a vector, for records being built.
std::vector<int16_t> CodesOf(int16_t type);

// Number of values a record holds: its count, held to the values there are.
std::size_t ValueCount(const CEntity& e);
// The value stored under code (the first such); 0 when there is none.
double ByCode(const CEntity& e, int16_t code);
// The same into out; false, out untouched, when there is none.
bool ByCode(const CEntity& e, int16_t code, double& out);
