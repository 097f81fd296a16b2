#pragma once
// CPointTool: point entities of five kinds, one per sub-mode (ToolSubMode
// while CurrentToolId is ToolId::Point):
//
//   0 free point          1 offset point from an existing point
//   2 intersections of two picked entities
//   3 moving point: a point moved along the entity it lies on
//   4 construction points of a picked entity
//
// The clicks are in PointTool.cpp; the crossings of two entities that the
// intersection sub-mode adds are in PointToolIntersect.cpp.

#include "model/GeometryTypes.h"
#include "view/DrawTool.h"
#include "view/ToolState.h"

#include <vector>

// The sub-modes of the point tool.
namespace PointToolMode {
inline constexpr int Free = 0;
inline constexpr int Offset = 1;
inline constexpr int Intersection = 2;
inline constexpr int Moving = 3;
inline constexpr int Construction = 4;
} // namespace PointToolMode

class CPointTool : public CDrawTool {
public:
    // Most points one intersection pick adds.
    static constexpr int MaxIntersections = 10;

    CPointTool();

    // ---- operations of the view ----
    void FocusOptionBox(COrvikCadView* view) override;
    void OnLButtonUp(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnMouseMove(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnRButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void Reset(COrvikCadView* view) override;

    // ---- one click of each sub-mode ----
    void AddFreePoint(COrvikCadView* view, platform::Point point);
    void AddOffsetPoint(COrvikCadView* view, platform::Point point);
    void AddIntersectionPoints(COrvikCadView* view, platform::Point point);
    void AddPointAtDistanceAlong(COrvikCadView* view, platform::Point point);
    void AddConstructionPoints(COrvikCadView* view, platform::Point point);

    // The crossings of two entities in the order found, at most
    // MaxIntersections. Answers false when the pair has no method (a curve
    // with a curve or an ellipse, any other type); points is empty then.
    static bool IntersectEntities(const CEntity& first, const CEntity& second, std::vector<GeoPoint>& points);
    // The defining points of an entity in the order they are added; empty
    // for the types that have none.
    static std::vector<GeoPoint> ConstructionPoints(const CEntity& e);
    // The chords a control-point curve is followed by: consecutive points
    // of the returned polyline. closing: a last chord to the curve's last
    // stored point.
    static std::vector<GeoPoint> CurveChordPoints(const CEntity& curve, bool closing);

    // ---- fields ----
    HeldEntity firstEntity;  // the first pick of sub-modes 2 and 3

private:
    // ---- the sub-modes as a table (PointTool.cpp) ----
    struct SubModeRow;
    // The row of a sub-mode, or null for one the tool does not have.
    static const SubModeRow* RowOf(int subMode);
    // The right button after the intersection's first pick.
    void CancelIntersection(COrvikCadView* view);

    // Adds one point of the current shape through a new edit.
    void AddPoint(COrvikCadView* view, double x, double y);
    // Draws the entity in the given state without changing its own.
    static void DrawInState(COrvikCadView* view, CEntity* e, int state);
    // Ends a moving-point run with the entity drawn normal.
    void MovingFails(COrvikCadView* view, const char* message);
};
