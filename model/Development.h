#pragma once
// Sheet-metal developments: a cylinder, a square prism with rounded corners
// and a cone, each cut off by an inclined plane. Each is worked out as the
// list of members (lines, arcs, circles) that the development tool adds as
// one group, with the plan and the side view beside the unfolded surface.

#include <vector>

namespace develop {

enum class Kind { Cylinder = 0, Prism = 1, Cone = 2 };

// One member of a development. Lines keep x1, y1, x2, y2; arcs centre x, y,
// radius, start and end angle in degrees (counter-clockwise); circles
// centre x, y, radius.
struct Member {
    enum class Shape { Line, Arc, Circle };
    Shape shape = Shape::Line;
    double v[5] = {};
};

// The most curve points a development samples per turn; more would only
// make members too short to see, and a typed 1e9 must not run for ages.
inline constexpr int MaxCurvePoints = 3600;

// Curve points as the tool takes them from the dialog: truncated towards
// zero and held within 0 .. MaxCurvePoints.
int CurvePointCount(double typed);

std::vector<Member> Cylinder(double x, double y, double radius, double height1, double height2, int points);
std::vector<Member> Prism(double x, double y, double side1, double side2, double height1, double height2,
                          double cornerRadius, int points);
std::vector<Member> Cone(double x, double y, double radius, double height1, double height2, double angle,
                         int points);

// Where line a (through a1, a2) meets line b (through b1, b2): 1 with the
// point, 0 when they are parallel (x and y then 0).
int IntersectLinesForDevelop(double a1x, double a1y, double a2x, double a2y, double b1x, double b1y, double b2x,
                             double b2y, double& x, double& y);

// Whether the tool can store a member: a line whose four coordinates, an
// arc or circle whose centre, lie within the coordinate range of a drawing.
bool Storable(const Member& member);

} // namespace develop
