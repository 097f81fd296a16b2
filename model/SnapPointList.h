#pragma once
// The document's list of characteristic points that snapping searches: the
// key points of every entity and the crossings of lines, curves, circles and
// arcs with the entities before them. Centres are not in it.
//
// The key points are numbered in the order they were added (their `order`,
// the place in what is called the chain below); the nodes of one entity sit
// side by side in one run, in that order. A quadtree of them beside it serves
// the nearest-point search. Crossings are not stored: a drawing of n
// mutually crossing lines has n*n/4 of them. Each registered entity keeps
// the place its crossings take in the chain (just after its key points), and
// a search works out the crossings of the entities that pass near the query
// point, from the box index of the list it follows. Every search answers
// what a walk over the chain with every crossing in it would: a crossing
// sits where the later of its two entities was registered, the crossings of
// one registration in the order of the other entity, latest in the list
// first.
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
    CEntity* entity = nullptr;
    double x = 0.0;
    double y = 0.0;
    uint64_t order : 40 = 0;    // position in the chain: grows along it
    int16_t kind : 7 = 0;       // SnapKind
    bool endOfRun : 1 = false;  // the last node of its entity's run (bookkeeping of the list)
    int16_t state = 0;          // 0 when added; the entity's state copied in by edits; -1 dead
};

// The nodes of one entity, side by side in chain order.
struct SnapPointRange {
    const SnapPoint* first = nullptr;
    const SnapPoint* past = nullptr;
    const SnapPoint* begin() const { return first; }
    const SnapPoint* end() const { return past; }
    bool empty() const { return first == past; }
    std::size_t size() const { return static_cast<std::size_t>(past - first); }
};

// One crossing of two entities: the point and the entity it belongs to.
struct SnapCrossing {
    CEntity* owner;
    double x, y;
};

class CSnapPointList : private EntityListObserver {
public:
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

    // Appends one node (state 0, kind a SnapKind) to the entity's run; the
    // run may move. Returns 1 (nothing added) when entity is null or memory
    // runs out, else 0.
    int AddPoint(double x, double y, int kind, CEntity* entity);
    // Registers the key points of an entity just added to its list, then its
    // crossings with the entities before it in that list. Returns 0, or 1
    // when memory for its key points ran out.
    int AddEntityPoints(CEntity* entity);
    // Removes every node registered for the entity.
    void RemoveEntityPoints(CEntity* entity);
    // Sets the state of every node of the entity.
    void SetEntityPointState(CEntity* entity, int state);
    // Copies into every node the state of its entity.
    void CopyStatesFromEntities();
    // Frees every node.
    void RemoveAll();

    // Whether anything is registered for the entity. Never reads through the
    // pointer, which may be stale; costs time with the number of registered
    // entities: for checks and tests.
    bool HasEntityPoints(const CEntity* entity) const;
    // The nodes registered for the entity, in chain order; empty when none.
    SnapPointRange EntityPoints(const CEntity* entity) const;
    // Stored nodes (key points).
    std::size_t Size() const { return nodeCount; }
    // Calls visit(const SnapPoint&) for every stored node, in no particular
    // order (`order` gives the place in the chain).
    template <class Visit>
    void ForEachPoint(Visit&& visit) const
    {
        ForEachRegistration([&visit](const Registration& r) {
            for (const SnapPoint* p = r.nodes; p; p = p->endOfRun ? nullptr : p + 1)
                visit(*p);
        });
    }
    // The stored nodes in chain order. Costs memory with their number: for
    // checks and tests.
    std::vector<const SnapPoint*> KeyPoints() const;

    // Every point of the chain, crossings included, in chain order (copies).
    // Costs time and memory with the number of crossings: for checks and
    // tests.
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
    friend struct SnapPointListProbe;  // tests: the numbering near its end

    // What the list keeps of each registered entity.
    struct Registration {
        const CEntity* entity = nullptr;  // null: an empty place in the table by slot
        SnapPoint* nodes = nullptr;       // its run, in chain order; null when none
        uint64_t crossOrder : 40 = 0;     // place of its crossings in the chain; 0: it has none
        bool foreign : 1 = false;         // not in the followed list when registered
        int16_t state = 0;                // the state its crossings take from it
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
    // A key point waiting to be stored.
    struct KeyPoint {
        double x, y;
        int kind;
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
    template <class Visit>
    void ForEachRegistration(Visit&& visit)
    {
        for (Registration& r : bySlot)
            if (r.entity)
                visit(r);
        for (auto& [e, r] : aside)
            visit(r);
    }

    // ---- EntityListObserver ----
    void EntityLinked(CEntity* entity) override;
    void EntityUnlinked(CEntity* entity) override;
    void EntityChanged(CEntity*) override {}
    void ListReset() override;
    void ListGone() override;

    // The key points of the entity into `keys`.
    void CollectKeyPoints(CEntity* entity);
    void AddArcPoints(CEntity* arc);
    void AddEllipsePoints(CEntity* ellipse);
    void AddEllipticArcPoints(CEntity* arc);
    void Key(double x, double y, int kind) { keys.push_back({x, y, kind}); }
    // Appends the points to the entity's run (moving it when it has no room),
    // numbered from nextOrder on. Returns 1 when memory runs out, else 0.
    int Append(CEntity* entity, const KeyPoint* points, std::size_t count);
    // Takes `count` places for the next numbers, renumbering the chain first
    // when the numbers would run out.
    uint64_t TakeOrders(std::size_t count);
    // Numbers the nodes and places of crossings 1, 2, ... again, keeping
    // their order.
    void Renumber();

    // ---- runs ----
    static std::size_t RunLength(const SnapPoint* run);
    // A run of `count` nodes with room for at least `room` (runs past
    // PooledRun only); null when memory runs out.
    SnapPoint* NewRun(std::size_t count, std::size_t room);
    void FreeRun(SnapPoint* run, std::size_t count);
    // The run moved from `from` to `to`: the pending list follows.
    void RunMoved(const SnapPoint* from, SnapPoint* to);
    void MarkPending(SnapPoint* run);

    // Runs of up to PooledRun nodes come from blocks of their own (no
    // allocation header per entity, and a drawing's nodes are freed in a
    // few calls); freed runs are kept by length for the next of that length.
    static constexpr std::size_t PoolBlock = 4096;
    static constexpr std::size_t PooledRun = 32;
    std::vector<std::unique_ptr<SnapPoint[]>> pool;
    std::size_t poolUsed = 0;  // nodes handed out of the last block
    std::vector<SnapPoint*> freeRuns[PooledRun + 1];
    // Longer runs (curves and polygons of many vertices, points added one by
    // one), each with its room and length.
    struct LongRun {
        std::unique_ptr<SnapPoint[]> nodes;
        std::size_t room;
        std::size_t count = 0;
    };
    std::unordered_map<const SnapPoint*, LongRun> longRuns;
    std::vector<KeyPoint> keys;  // scratch of AddEntityPoints

    // Numbers live in 40 bits; the chain is numbered again before they run out.
    static constexpr uint64_t OrderLimit = uint64_t(1) << 40;
    uint64_t nextOrder = 1;  // 0 stands for no place
    std::size_t nodeCount = 0;
    CEntityList* followed = nullptr;
    std::vector<Registration> bySlot;  // entities linked in the followed list, by their slot there
    std::unordered_map<const CEntity*, Registration> aside;  // every other registered entity
    mutable SnapPointTree tree;
    mutable uint64_t treeUpTo = 0;  // the nodes up to this order are in the tree, no other
    // Runs with nodes past treeUpTo, while there are few; once there are
    // many (opening a drawing) the next search looks at every run instead.
    static constexpr std::size_t PendingLimit = 1024;
    mutable std::vector<SnapPoint*> pending;
    mutable bool pendingOverflow = false;
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
