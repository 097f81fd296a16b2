#pragma once
// The document's list of characteristic points that snapping searches: the
// key points of every entity and the crossings of lines, curves, circles and
// arcs with the entities before them. Centres are not in it.
//
// The key points are a chain of nodes in the order they were added, starting
// with a sentinel, with a quadtree of them beside it for the nearest-point
// search. Crossings are not stored: a drawing of n mutually crossing lines
// has n*n/4 of them. Each registered entity keeps the place its crossings
// take in the chain (just after its key points), and a search works out the
// crossings of the entities that pass near the query point, from the box
// index of the list it follows. Every search answers what a walk over the
// chain with every crossing in it would: a crossing sits where the later of
// its two entities was registered, the crossings of one registration in the
// order of the other entity, latest in the list first.
//
// What the list keeps of an entity of the list it follows sits in a table by
// the entity's slot there, moved aside (to a table by address) while the
// entity is out of that list, in the undo step or elsewhere. The quadtree
// takes the nodes added since the last search only when the next search
// comes, all at once: opening a drawing builds no tree that nothing asked for.

#include "model/EntityBoxIndex.h"
#include "model/SnapPointTree.h"

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <utility>
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

// One crossing of two entities: the point and the entity it belongs to.
struct SnapCrossing {
    CEntity* owner;
    double x, y;
};

class CSnapPointList : private EntityListObserver {
public:
    SnapPoint* first = nullptr;  // the sentinel, once anything was added
    SnapPoint* last = nullptr;

    CSnapPointList() = default;
    ~CSnapPointList() override;
    CSnapPointList(const CSnapPointList&) = delete;
    CSnapPointList& operator=(const CSnapPointList&) = delete;

    // The list whose entities are registered here: its crossing index then
    // follows it entity by entity. Entities of another list still register,
    // compared with that list by a walk.
    void Follow(CEntityList& list);
    // Room for the entities of the followed list up to `slots` slots.
    void Reserve(std::size_t slots);

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

    // Whether anything is registered for the entity. Never reads through the
    // pointer, which may be stale; costs time with the number of registered
    // entities: for checks and tests.
    bool HasEntityPoints(const CEntity* entity) const;
    // The nodes registered for the entity, the latest first (follow
    // nextOfEntity; `order` gives their place in the chain); null when none.
    const SnapPoint* EntityPoints(const CEntity* entity) const;
    // Stored nodes in the chain (key points), the sentinel included.
    std::size_t Size() const { return nodeCount; }

    // Every point of the chain after the sentinel, crossings included, in
    // chain order (copies; previous, next and nextOfEntity are null). Costs
    // time and memory with the number of crossings: for checks and tests.
    std::vector<SnapPoint> ChainPoints() const;
    // The crossings that belong to the entity, in chain order (as above).
    std::vector<SnapPoint> EntityCrossings(const CEntity* entity) const;

    // The crossings of `later` with `earlier`, as registering `later` after
    // `earlier` finds them, in that order.
    static void PairCrossings(CEntity* later, CEntity* earlier, std::vector<SnapCrossing>& out);

    // The node a walk over the chain would pick: the smallest distance
    // sqrt(dy*dy + dx*dx) from (x, y) strictly below maxDist among the nodes
    // `accept` takes, the earliest one on a tie; null when there is none.
    // dist (when given) receives its distance.
    template <class Accept>
    const SnapPoint* FindNearest(double x, double y, double maxDist, const Accept& accept,
                                 double* dist = nullptr) const
    {
        const SnapPointTree::Filter filter = [](const SnapPoint& p, const void* c) {
            return (*static_cast<const Accept*>(c))(p);
        };
        double d = 0.0;
        SyncTree();
        const SnapPoint* best = tree.Nearest(x, y, maxDist, filter, &accept, &d);
        best = NearestCrossing(x, y, maxDist, best, d, filter, &accept);
        if (dist)
            *dist = d;
        return best;
    }
    // The same among the live nodes (state 0).
    const SnapPoint* FindNearest(double x, double y, double maxDist, double* dist = nullptr) const;

private:
    // What the list keeps of each registered entity.
    struct Registration {
        const CEntity* entity = nullptr;  // null: an empty place in the table by slot
        SnapPoint* head = nullptr;  // its nodes, the latest first
        uint64_t crossOrder = 0;    // place of its crossings in the chain; 0: it has none
        int16_t state = 0;          // the state its crossings take from it
        bool foreign = false;       // not in the followed list when registered
    };
    // A crossing's place in the chain: the order of the later entity's
    // registration, then the other entity latest in its list first, then
    // the crossing's number within the pair.
    struct CrossingKey {
        uint64_t order, other, index;
        bool operator<(const CrossingKey& k) const
        {
            return order != k.order ? order < k.order : other != k.other ? other < k.other : index < k.index;
        }
    };
    // An entity that passes near the point of a crossing search.
    struct Near {
        CEntity* entity;
        const Registration* registration;
        double reach;  // no crossing of it is nearer the point than this, less the slack
        bool looked;   // registration looked up (null: it does not cross)
    };

    // The nearer of `best` (at bestDist; null for none) and the crossings the
    // filter takes; bestDist then holds the distance of the one returned.
    // A crossing returned lives until the next search.
    const SnapPoint* NearestCrossing(double x, double y, double maxDist, const SnapPoint* best, double& bestDist,
                                     SnapPointTree::Filter filter, const void* context) const;
    // Whether the entity's crossings count now (registered with a place for
    // them, and in the followed list unless it came from another).
    bool Crosses(const CEntity* e, const Registration& r) const;
    // One crossing of the entities `later` and `other` as a snap point at
    // `order`: it takes the state of its own entity, or of the other one
    // when its own is live, so a crossing with a deleted or hidden entity is
    // not there.
    static SnapPoint CrossingPoint(const SnapCrossing& c, const CEntity* later, const Registration& laterReg,
                                   const Registration& otherReg, uint64_t order);
    // What is kept of the entity (null when nothing), and a place for it.
    const Registration* Find(const CEntity* e) const;
    Registration* Find(const CEntity* e) { return const_cast<Registration*>(std::as_const(*this).Find(e)); }
    Registration& Obtain(CEntity* e);
    void Forget(Registration* r);
    // Moves the registration in `slot` (if any) to the table by address.
    void SetAside(std::size_t slot);
    // Files the nodes added since the last search into the quadtree.
    void SyncTree() const;
    template <class Visit>
    void ForEachRegistration(Visit&& visit) const
    {
        for (const Registration& r : bySlot)
            if (r.entity)
                visit(r);
        for (const auto& [e, r] : aside)
            visit(r);
    }

    // ---- EntityListObserver ----
    void EntityLinked(CEntity* entity) override;
    void EntityUnlinked(CEntity* entity) override;
    void EntityChanged(CEntity*) override {}
    void ListReset() override;
    void ListGone() override;

    void AddArcPoints(CEntity* arc);
    void AddEllipsePoints(CEntity* ellipse);
    void AddEllipticArcPoints(CEntity* arc);
    void FreeNode(SnapPoint* p);
    SnapPoint* NewNode();
    void DeleteNode(SnapPoint* p);

    static constexpr std::size_t PoolBlock = 4096;
    std::vector<std::unique_ptr<SnapPoint[]>> pool;
    std::size_t poolUsed = 0;       // nodes handed out of the last block
    SnapPoint* freeNodes = nullptr; // freed nodes, linked through next

    uint64_t nextOrder = 1;  // 0 stands for no place
    std::size_t nodeCount = 0;
    CEntityList* followed = nullptr;
    std::vector<Registration> bySlot;  // entities linked in the followed list, by their slot there
    std::unordered_map<const CEntity*, Registration> aside;  // every other registered entity
    mutable SnapPointTree tree;
    mutable uint64_t treeUpTo = 0;  // nodes up to this order are in the tree
    mutable EntityBoxIndex boxes;     // entities of the followed list, for the crossings near a point
    std::vector<CEntity*> foreign;    // registered entities of other lists that cross
    std::size_t crossing = 0;         // registered entities with a place for crossings
    // Scratch of the crossing search, and the crossing it returned.
    mutable std::vector<CEntity*> nearby;
    mutable std::vector<Near> closeBy;
    mutable std::vector<Near> ring;
    mutable std::vector<SnapCrossing> pairPoints;
    mutable SnapPoint answer;
};
