#pragma once
// The rows of the entity list: points, lines, circles and arcs, ellipses and
// elliptic arcs as eight numbers each, the CSV file they are written to and
// read from, the rounding of every value to a number of decimals, and the
// turning of drawing entities into rows and back.
//
// Values are held in double precision from the drawing to the drawing, and
// every number is printed as the shortest text that reads back to the same
// value, so a row nobody touched gives back exactly what was listed.

#include "model/EntityTransform.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct CEntity;

// Kinds of rows; the entity type each one stands for.
namespace RowKind {
inline constexpr int32_t Point = 10;
inline constexpr int32_t Line = 20;
inline constexpr int32_t Circle = 30;   // circle or arc
inline constexpr int32_t Ellipse = 32;  // ellipse or elliptic arc
} // namespace RowKind

inline constexpr int RowValueCount = 8;
using RowValues = std::array<double, RowValueCount>;

// One row. Values by kind (unused ones are 0):
//   point    X, Y
//   line     start X, start Y, end X, end Y
//   circle   centre X, centre Y, radius, start angle, end angle
//   ellipse  centre X, centre Y, major axis, minor axis, tilt, start angle, end angle
// X and Y are measured from the drawing origin; angles are in degrees, and a
// full figure has both angles 0 (see IsFullFigure).
struct EntityRow {
    std::string name;  // keyword: "POINT", "LINE", "CIRCLE", "ELLIPSE"; "----" for any other kind
    int32_t kind = 0;  // RowKind
    RowValues value{};
    // A row listed from a drawing remembers the values as listed and the
    // drawing's own positions behind them: a position still as listed goes
    // back exactly as it was, since taking the origin off and adding it
    // again may move it by a bit.
    bool fromDrawing = false;
    RowValues listed{};
    RowValues drawn{};
};

// The keyword of a kind, "----" for a kind that has none.
const char* RowKindName(int32_t kind);
// The kind a CSV keyword stands for (exact, case counts); 0 for none.
int32_t RowKindFromKeyword(std::string_view keyword);
// How many values a row of the kind shows: 2, 4, 5, 7; 0 for another kind.
int RowShownValueCount(int32_t kind);

// The rows of one run of the list dialog, in order. Deleting takes a row out
// for good: row numbers count the rows that are left, from 0.
class CEntityRowList {
public:
    // Appends a row of the kind with its keyword; false (nothing added) for
    // a kind of 0 or less.
    bool AddRow(int32_t kind, const RowValues& values);
    // Appends a row as it stands (one listed from a drawing); false for a
    // kind of 0 or less.
    bool AddRow(const EntityRow& row);
    // Rewrites row n with the kind, its keyword and the values; false when
    // there is no row n. A row given another kind forgets what it was listed
    // from.
    bool SetRow(int n, int32_t kind, const RowValues& values);
    // Takes row n out; false when there is none.
    bool DeleteRow(int n);
    void RemoveAll() { rows.clear(); }

    int Count() const { return static_cast<int>(rows.size()); }
    bool Empty() const { return rows.empty(); }
    // Row n, or null when there is none.
    const EntityRow* Row(int n) const;
    const std::vector<EntityRow>& Rows() const { return rows; }
    std::vector<EntityRow>& Rows() { return rows; }

private:
    std::vector<EntityRow> rows;
};

// ---- numbers as text ----

// The shortest plain decimal text (no exponent) that reads back as v, with
// neither trailing zeros nor a trailing point: 20, 12.5, 0, -0.25, 0.1.
std::string FormatRowValue(double v);

// How a text reads as a number, the way a typed or CSV value is read:
// leading blanks are skipped, the longest prefix that forms a decimal number
// (an optional sign, digits with at most one point, an optional exponent) is
// taken and the rest ignored; a text without such a prefix is 0.
enum class NumberScan {
    Number,     // a finite number was read
    NoNumber,   // no number at the start: the value is 0
    NotFinite,  // infinity, not-a-number, or beyond the range of a double
};
NumberScan ScanRowValue(std::string_view text, double& value);

// ---- the CSV file ----

// The file of the rows: one line per row, "NAME," then each of the eight
// values followed by a comma, ending in CR LF. No rows give no bytes.
std::string WriteEntityCsv(const CEntityRowList& rows);

// Appends a row for every line of text that starts with a keyword (see
// RowKindFromKeyword); returns how many were appended. A line is split at
// every comma, with no quoting and no trimming; fields 1 to 8 are the values
// (an empty, missing or non-numeric field is 0, further fields are
// ignored). A line with an unknown keyword, an empty line, or a value that is
// not a finite number gives no row. The line ends (LF or CR LF) are removed.
int ReadEntityCsv(std::string_view text, CEntityRowList& rows);

// ---- rounding ----

enum class QuantizeMode { Round = 0, Truncate = 1 };

// v to `digits` decimals (0 to 5), decided on its shortest decimal text:
// rounding takes half away from zero (12.345 → 12.35, -2.75 → -3),
// truncating cuts toward zero (12.349 → 12.34, -2.75 → -2). A result of 0
// is +0. Values that are not finite come back unchanged.
double QuantizeRowValue(double v, int digits, QuantizeMode mode);
// Every value of every row.
void QuantizeRows(CEntityRowList& rows, int digits, QuantizeMode mode);

// ---- rows and entities ----

// Whether a circle or ellipse row with these angles is a full figure:
// |start| < 0.001, and |end| < 0.001 or |end - 360| < 0.001.
bool IsFullFigure(double startAngle, double endAngle);

// Whether the entity's type has a row (points, lines, circles, arcs,
// ellipses, elliptic arcs).
bool HasEntityRow(const CEntity& e);

// Whether the entity is listed when the marked entities are: a point, line,
// circle, arc, ellipse or elliptic arc in state 4 that is not a piece of a
// dimension (those belong to their dimension).
bool IsListedEntity(const CEntity& e);

// The row of an entity, positions measured from (originX, originY). A
// clockwise arc is listed by the counter-clockwise arc over the same curve
// (its start and end exchanged). Nothing for a type without a row or a
// record with too few values.
std::optional<EntityRow> RowFromEntity(const CEntity& e, double originX, double originY);

// The new entity a row stands for, positions moved by (originX, originY):
// point 10, line 20, circle 30 or arc 31, ellipse 32 or elliptic arc 33 (a
// full circle or ellipse by IsFullFigure). Points, lines and circles take
// subtype 0, the rest subtype 1 (counter-clockwise). Nothing for a row of
// another kind.
std::optional<EntityCopy> RecordFromRow(const EntityRow& row, double originX, double originY, int16_t style,
                                        int16_t layer, COLORREF colour);
