#pragma once
// The per-type tests of entity picking: ellipse bounds and nearest points,
// nearest points on freehand and control-point curves, point-in-region tests
// of fills and hatchings, the grid rounding and the filter codes. Model
// millimetres throughout; nothing here draws.

#include "model/EntityBox.h"  // EllipseBounds

#include <string_view>

struct CEntity;


// Nearest point of an ellipse (32) or elliptic arc (33) to (mx, my) within
// ap: 1 with the differences dx, dy and the point, 0 when none.
int PickNearestOnEllipse(const CEntity& e, double& dx, double& dy, double& px, double& py, double mx, double my,
                         double ap);

// Nearest foot on a freehand curve (26): 1 with the differences and the foot.
int PickNearestOnFreeCurve(const CEntity& e, double& dx, double& dy, double& px, double& py, double mx, double my);

// Nearest foot on the B-spline of a control-point curve (24) within ap.
int PickNearestOnSpline(const CEntity& e, double& dx, double& dy, double& px, double& py, double mx, double my,
                        double ap);

// Whether (mx, my) lies inside a fill's (70) or a hatching's (71) boundary.
int IsPointInFill(double mx, double my, const CEntity& fill);
int IsPointInHatch(double mx, double my, const CEntity& hatch);

// Box of a fill's boundary items: vertices, arcs' and circles' circles,
// ellipses' outlines. False when the fill has no usable item.
bool FillRegionBox(const CEntity& fill, double& minX, double& minY, double& maxX, double& maxY);

// Whole number of pitches nearest to `offset`; a remainder of exactly half a
// pitch goes toward 0. pitch must be positive.
double NearestGridStep(double offset, double pitch);

// Whether the filter code admits the entity type, and whether the type can
// be picked at all.
bool PickFilterAdmits(int filter, int type);
bool IsPickableType(int type);

// The text-box test of texts (40) and leader texts (41): (mx, my) turned back
// by the text angle about the anchor lies in the box of the text.
bool PointInTextBox(const CEntity& e, double mx, double my);
