#pragma once
// The document's list of characteristic points that snapping searches: the
// key points of every entity and the crossings of lines, curves, circles and
// arcs with the entities before them. Centres are not in it.
//
// The list is a chain of nodes in the order they were added, starting with a
// sentinel. Beside the chain it keeps a quadtree of the points (for the
// nearest-point search) and a box index of the entities of the list it
// follows (so that a new entity is only compared with the entities whose
// boxes it can touch); both give exactly what a walk over the chain or over
// the entity list would.

#include "model/EntityBoxIndex.h"
#include "model/SnapPointTree.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

struct CEntity;
class CEntityList;

// What a snap point is (the node's `kind`).
namespace SnapKind {
inline constexpr int16_t Sentinel = 0;
inline constexpr int16_t Point = 1;          // a point entity (10)
inline constexpr int16_t LineStart = 2;      // start of a line; every vertex of a curve (24) or polygon (90)
inline constexpr int16_t LineEnd = 3;
inline constexpr int16_t LineMidpoint = 4;
inline constexpr int16_t CurveFirst = 5;     // first point of a freehand curve (26)
inline constexpr int16_t CurveLast = 6;      // last point of a freehand curve
// Axis points of circles, full arcs and ellipses. For a circle: 7 (cx - r, cy),
// 8 (cx + r, cy), 9 (cx, cy - r), 10 (cx, cy + r). For an ellipse: 8 and 7 the
// ends of the first axis (+, -), 9 and 10 those of the second.
inline constexpr int16_t Axis7 = 7;
inline constexpr int16_t Axis8 = 8;
inline constexpr int16_t Axis9 = 9;
inline constexpr int16_t Axis10 = 10;
inline constexpr int16_t ArcQuadrant = 11;   // a quadrant point lying on an arc
inline constexpr int16_t ArcStart = 12;      // of an arc (31) or elliptic arc (33)
inline constexpr int16_t ArcEnd = 13;
inline constexpr int16_t Intersection = 14;  // crossing with an earlier entity
inline constexpr int16_t ImageCorner17 = 17; // image corners (x1, y1), (x1, y2), (x2, y2), (x2, y1)
inline constexpr int16_t ImageCorner18 = 18;
inline constexpr int16_t ImageCorner19 = 19;
inline constexpr int16_t ImageCorner20 = 20;
} // namespace SnapKind

struct SnapPoint {
    SnapPoint* previous = nullptr;
    SnapPoint* next = nullptr;
    CEntity* entity = nullptr;  // null only for the sentinel
    int16_t kind = 0;           // SnapKind
    int16_t state = 0;          // 0 when added; the entity's state copied in by edits; -1 dead
    double x = 0.0;
    double y = 0.0;
    // Bookkeeping of the list: position in the chain (grows along it) and the
    // next node registered for the same entity.
    uint64_t order = 0;
    SnapPoint* nextOfEntity = nullptr;
};

class CSnapPointList {
public:
    SnapPoint* first = nullptr;  // the sentinel, once anything was added
    SnapPoint* last = nullptr;

    CSnapPointList() = default;
    ~CSnapPointList();
    CSnapPointList(const CSnapPointList&) = delete;
    CSnapPointList& operator=(const CSnapPointList&) = delete;

    // The list whose entities are registered here: its crossing index then
    // follows it entity by entity. Entities of another list still register,
    // compared with that list by a walk.
    void Follow(CEntityList& list) { boxes.Follow(&list); }

    // Appends one node (state 0) for entity, making the sentinel first when the
    // list is empty. Returns 1 (nothing added) when entity is null or memory
    // runs out, else 0.
    int AddPoint(double x, double y, int kind, CEntity* entity);
    // Registers the key points of an entity just added to its list, then its
    // crossings with the entities before it in that list. Always returns 0.
    int AddEntityPoints(CEntity* entity);
    // Removes every node registered for the entity; the sentinel stays.
    void RemoveEntityPoints(CEntity* entity);
    // Sets the state of every node of the entity.
    void SetEntityPointState(CEntity* entity, int state);
    // Copies into every node the state of its entity.
    void CopyStatesFromEntities();
    // Frees every node, the sentinel included.
    void RemoveAll();

    bool HasEntityPoints(const CEntity* entity) const;
    // The nodes registered for the entity, the latest first (follow
    // nextOfEntity; `order` gives their place in the chain); null when none.
    const SnapPoint* EntityPoints(const CEntity* entity) const;
    // Nodes in the chain, the sentinel included.
    std::size_t Size() const { return nodeCount; }

    // The node a walk over the chain would pick: the smallest distance
    // sqrt(dy*dy + dx*dx) from (x, y) strictly below maxDist among the nodes
    // `accept` takes, the earliest one on a tie; null when there is none.
    // dist (when given) receives its distance.
    template <class Accept>
    const SnapPoint* FindNearest(double x, double y, double maxDist, const Accept& accept,
                                 double* dist = nullptr) const
    {
        return tree.Nearest(
            x, y, maxDist,
            [](const SnapPoint& p, const void* c) { return (*static_cast<const Accept*>(c))(p); }, &accept,
            dist);
    }
    // The same among the live nodes (state 0).
    const SnapPoint* FindNearest(double x, double y, double maxDist, double* dist = nullptr) const;

private:
    void AddArcPoints(CEntity* arc);
    void AddEllipsePoints(CEntity* ellipse);
    void AddEllipticArcPoints(CEntity* arc);
    void AddIntersections(CEntity* entity);

    // Crossings; each registers its points for the entity named first.
    void AddLineLineIntersections(CEntity* line, CEntity* other);
    void AddLineCircleIntersections(CEntity* line, CEntity* circle);
    void AddCircleCircleIntersections(CEntity* circle, CEntity* other);
    void AddLineCurveIntersections(CEntity* line, CEntity* curve);
    void AddCurveCircleIntersections(CEntity* curve, CEntity* circle);
    void AddLineSplineIntersections(CEntity* line, CEntity* spline);
    void AddSplineCircleIntersections(CEntity* spline, CEntity* circle);

    void AddPoints(CEntity* owner, const std::vector<double>& xs, const std::vector<double>& ys);
    void FreeNode(SnapPoint* p);

    uint64_t nextOrder = 0;
    std::size_t nodeCount = 0;
    std::unordered_map<const CEntity*, SnapPoint*> byEntity;  // head of each entity's nodes
    SnapPointTree tree;
    EntityBoxIndex boxes;
    std::vector<CEntity*> earlier;  // scratch of AddIntersections
};
