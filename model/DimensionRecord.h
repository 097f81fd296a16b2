#pragma once
// Making dimension records (type 50): the values every kind shares (head,
// tolerances, text height, style and terminator digits), the order of the
// values of each kind, and the small rules the dimension tool applies before
// it adds a record. The members are built from the record by the entity list
// (DimensionMembers.h); nothing here draws.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The kinds, stored as the record's subtype.
namespace DimensionKind {
inline constexpr int Distance = 0;
inline constexpr int HorizontalChain = 1;
inline constexpr int VerticalChain = 2;
inline constexpr int Perimeter = 3;
inline constexpr int Radius = 4;
inline constexpr int Diameter = 5;
inline constexpr int LineAngle = 6;
inline constexpr int ArcAngle = 7;
inline constexpr int Area = 8;
} // namespace DimensionKind

// Most measuring points a chain holds.
inline constexpr int MaxChainPoints = 20;

// The value text of a measurement as the tool lays it out: "%.1f" .. "%.4f"
// for 1 to 4 decimals, "%.0f" for any other setting; at most 30 characters.
std::string FormatDimValue(double value, int decimals);
// The same with the decimals of the settings (DimDecimals).
std::string FormatDimValue(double value);

// The settings a new record freezes, taken from the process-wide settings
// at the moment the record is made.
struct DimensionStyle {
    int toleranceType = 0;
    std::array<double, 8> tolerance1{};
    std::array<double, 8> tolerance2{};
    std::array<std::string, 8> prefixes{};
    std::array<int16_t, 8> prefixLengths{};
    double textSize = 20.0;
    int decimals = 0;
    int arrowheadKind = 0;
    int dotSize = 0;
    int arrowSize = 0;
    double upperExtension = 30.0;
    double lowerExtension = 10.0;
    int unitsMode = 0;
    int scaleDenominator = 1;

    // The settings of the moment, with the drawing's scale denominator.
    static DimensionStyle Current(int scaleDenominator);
    // Sizes given on paper are multiplied by the scale denominator (at
    // least 1) when UnitsMode is 1.
    double Scaled(double size) const;
};

// The values of codes 30, 31, 32, 11, 13 and 14 for a record made in
// sub-mode k (the prefix entry; k outside 0-7 counts as 0). The tolerance
// type falls back to 0 outside 0-7; the digits are held to what code 13 and
// 14 can carry (decimals 0-4, dot and arrow size 0-4, arrowhead 0-3).
struct DimensionCommonValues {
    double head = 0.0;
    double tolerance1 = 0.0;
    double tolerance2 = 0.0;
    double textHeight = 0.0;
    double styleDigits = 0.0;
    double terminatorDigits = 0.0;
};
DimensionCommonValues FillDimensionCommonValues(int k, const DimensionStyle& style);

// The codes of a record of the kind in stored order; n is the number of
// measuring points of a chain (ignored for the other kinds). Empty for a
// kind outside 0-8.
std::vector<int16_t> DimensionValueCodes(int kind, int n = 0);

// A record being filled: the codes of its kind, values found by code.
struct DimensionRecord {
    int kind = 0;
    std::vector<int16_t> codes;
    std::vector<double> values;

    DimensionRecord(int kind, int n = 0);
    // Sets the value of code; false when the kind has no such code.
    bool Set(int code, double value);
    // Sets code and code + 1 (an x, y pair).
    bool SetPoint(int code, double x, double y)
    {
        const bool a = Set(code, x);
        return Set(code + 1, y) && a;
    }
    // The value of code, 0 when the kind has none.
    double Get(int code) const;
    // Codes 30, 31, 32, 11, 13 and 14 (no 14 in an area record).
    void SetCommon(const DimensionCommonValues& common);
};

// What the distance and diameter kinds do so their text reads upright, from
// the direction codes d1 (p1 -> p2) and d2 (p1 -> the measured point).
enum class DimensionTurn { None, Exchange, TextOnly };
// Distance: angleDegrees is the direction of p1 -> p2 (atan2), which decides
// the (up, right) case steeper than 134 degrees.
DimensionTurn DistanceOrientation(int d1, int d2, double angleDegrees);
// Diameter: only (down, right) exchanges.
DimensionTurn DiameterOrientation(int d1, int d2);

// Index of the measuring point with the smallest (which 0) or largest
// (which 1) x (axis 0) or y (axis 1); the earliest wins a tie. -1 when
// there are none.
int PickedExtreme(const double* x, const double* y, int n, int axis, int which);

// The measuring points sorted by x (axis 0) or y (axis 1), equal keys in
// their given order.
void SortChainPoints(double* x, double* y, int n, int axis);

// Where a dimension line parallel to the measured segment a-b goes when it
// passes through the cursor c: p1 and p2 are the feet of a and b on it.
// 0 placed; 1 no line through a and b (equal points); 2 a line without
// direction; 3 the cursor lies on the segment's line.
struct DimensionLine {
    int status = 0;
    double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
};
DimensionLine ProjectDimensionLine(double ax, double ay, double bx, double by, double cx, double cy);

// Whether the direction theta (degrees, from the centre) lies on the arc
// from start to end, counter-clockwise when direction is +1, clockwise when
// -1; the ends count as on it.
bool DirectionOnArc(double theta, double start, double end, int direction);

// The ellipse sector rules: a is the cursor's direction from the centre in
// degrees (0 up to 360) minus the ellipse's rotation, compared as it is.
// A radius takes the minor semi-axis, a diameter the major axis, when
// 45 < a < 135 or 225 < a < 315 (strictly).
bool EllipseSectorAcross(double a);
