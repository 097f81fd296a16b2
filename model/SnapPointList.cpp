#include "model/SnapPointList.h"

#include "model/EntityKinds.h"

#include "model/Entity.h"
#include "model/Geometry.h"

#include <algorithm>
#include <cmath>
#include <new>

// Each node and each registration takes one 8-byte word for its number, kind
// and state (64-bit targets).
static_assert(sizeof(void*) != 8 || sizeof(SnapPoint) == 32);

namespace {

constexpr double DegToRad = 3.14159265358979323846 / 180.0;

bool HasValues(const CEntity& e, std::size_t n)
{
    return e.values.size() >= n;
}

// Whether the entity has the values any crossing test needs.
bool CanCross(const CEntity& e)
{
    // A record of fixed layout needs all its values, a run of points two
    // points.
    const EntityKind& kind = KindOf(e.type);
    return HasValues(e, kind.form == LayoutForm::Fixed && !kind.layout.empty() ? kind.layout.size() : 4);
}

} // namespace

CSnapPointList::~CSnapPointList()
{
    RemoveAll();
    if (followed)
        followed->Unsubscribe(this);
}

void CSnapPointList::Follow(CEntityList& list)
{
    boxes.Follow(&list);
    if (followed == &list)
        return;
    if (followed) {
        followed->Unsubscribe(this);
        for (std::size_t slot = 0; slot < bySlot.size(); ++slot)
            SetAside(slot);
        bySlot.clear();
    }
    followed = &list;
    followed->Subscribe(this);
}

void CSnapPointList::Reserve(std::size_t slots)
{
    static_assert(sizeof(void*) != 8 || sizeof(Registration) == 24);
    bySlot.reserve(slots);
}

const CSnapPointList::Registration* CSnapPointList::Find(const CEntity* e) const
{
    if (followed && followed->Holds(e) && e->slot < bySlot.size() && bySlot[e->slot].entity == e)
        return &bySlot[e->slot];
    if (aside.empty())
        return nullptr;
    auto it = aside.find(e);
    return it == aside.end() ? nullptr : &it->second;
}

CSnapPointList::Registration& CSnapPointList::Obtain(CEntity* e)
{
    if (Registration* r = Find(e))
        return *r;
    if (followed && followed->Holds(e)) {
        if (bySlot.size() <= e->slot)
            bySlot.resize(std::max<std::size_t>(e->slot + 1, followed->SlotCount()));
        if (bySlot[e->slot].entity)
            SetAside(e->slot);
        Registration& r = bySlot[e->slot];
        r.entity = e;
        return r;
    }
    Registration& r = aside[e];
    r.entity = e;
    return r;
}

void CSnapPointList::Forget(Registration* r)
{
    if (!bySlot.empty() && r >= bySlot.data() && r < bySlot.data() + bySlot.size())
        *r = Registration{};
    else
        aside.erase(r->entity);
}

void CSnapPointList::SetAside(std::size_t slot)
{
    Registration& r = bySlot[slot];
    if (!r.entity)
        return;
    aside[r.entity] = r;
    r = Registration{};
}

void CSnapPointList::EntityLinked(CEntity* entity)
{
    // Back from the undo step (or registered before it was linked): its
    // registration moves into the table by slot.
    if (aside.empty())
        return;
    auto it = aside.find(entity);
    if (it == aside.end())
        return;
    if (bySlot.size() <= entity->slot)
        bySlot.resize(std::max<std::size_t>(entity->slot + 1, followed->SlotCount()));
    SetAside(entity->slot);
    bySlot[entity->slot] = it->second;
    aside.erase(it);
}

void CSnapPointList::EntityUnlinked(CEntity* entity)
{
    // Told while the entity still holds its slot; the slot goes to another.
    if (entity->slot < bySlot.size() && bySlot[entity->slot].entity == entity)
        SetAside(entity->slot);
}

void CSnapPointList::ListReset()
{
    // The list may have let every slot go (the records were freed or are
    // being freed); what no longer sits in its slot is kept aside.
    for (std::size_t slot = 0; slot < bySlot.size(); ++slot)
        if (bySlot[slot].entity && followed->InSlot(static_cast<uint32_t>(slot)) != bySlot[slot].entity)
            SetAside(slot);
}

void CSnapPointList::ListGone()
{
    for (std::size_t slot = 0; slot < bySlot.size(); ++slot)
        SetAside(slot);
    bySlot.clear();
    followed = nullptr;
}

void CSnapPointList::SyncTree() const
{
    if (pending.empty() && !pendingOverflow) {
        treeUpTo = nextOrder - 1;
        return;
    }
    std::vector<SnapPoint*> added;
    auto take = [this, &added](SnapPoint* run) {
        for (SnapPoint* p = run;; ++p) {
            if (p->order > treeUpTo)
                added.push_back(p);
            if (p->endOfRun)
                break;
        }
    };
    if (pendingOverflow) {
        ForEachRegistration([&take](const Registration& r) {
            if (r.nodes)
                take(r.nodes);
        });
    } else {
        for (SnapPoint* run : pending)
            take(run);
    }
    tree.InsertMany(added);
    treeUpTo = nextOrder - 1;
    pending.clear();
    pendingOverflow = false;
}

void CSnapPointList::MarkPending(SnapPoint* run)
{
    if (pendingOverflow)
        return;
    if (pending.size() < PendingLimit) {
        try {
            pending.push_back(run);
            return;
        } catch (const std::bad_alloc&) {
        }
    }
    pendingOverflow = true;
    pending.clear();
    pending.shrink_to_fit();
}

void CSnapPointList::RunMoved(const SnapPoint* from, SnapPoint* to)
{
    if (pendingOverflow)
        return;
    for (std::size_t i = pending.size(); i-- > 0;)
        if (pending[i] == from) {
            if (to) {
                pending[i] = to;
            } else {
                pending[i] = pending.back();
                pending.pop_back();
            }
            return;
        }
}

uint64_t CSnapPointList::TakeOrders(std::size_t count)
{
    if (nextOrder + count >= OrderLimit)
        Renumber();
    const uint64_t first = nextOrder;
    nextOrder += count;
    return first;
}

void CSnapPointList::Renumber()
{
    struct Place {
        uint64_t order;
        SnapPoint* node;             // a node's number, or
        Registration* registration;  // the place of an entity's crossings
    };
    std::vector<Place> places;
    places.reserve(nodeCount + crossing);
    ForEachRegistration([&places](Registration& r) {
        for (SnapPoint* p = r.nodes; p; p = p->endOfRun ? nullptr : p + 1)
            places.push_back({p->order, p, nullptr});
        if (r.crossOrder != 0)
            places.push_back({r.crossOrder, nullptr, &r});
    });
    std::sort(places.begin(), places.end(), [](const Place& a, const Place& b) { return a.order < b.order; });
    // The nodes in the tree keep the lowest numbers, as before.
    uint64_t number = 1, upTo = 0;
    for (const Place& place : places) {
        if (place.order <= treeUpTo)
            upTo = number;
        if (place.node)
            place.node->order = number;
        else
            place.registration->crossOrder = number;
        ++number;
    }
    treeUpTo = upTo;
    nextOrder = number;
}

int CSnapPointList::AddPoint(double x, double y, int kind, CEntity* entity)
{
    if (!entity)
        return 1;
    const KeyPoint point{x, y, kind};
    return Append(entity, &point, 1);
}

int CSnapPointList::Append(CEntity* entity, const KeyPoint* points, std::size_t count)
{
    const uint64_t first = TakeOrders(count);
    Registration* existing = Find(entity);
    SnapPoint* run = existing ? existing->nodes : nullptr;
    // A long run knows its length (points added one by one must not walk it).
    const LongRun* longRun = nullptr;
    if (run && !longRuns.empty()) {
        auto it = longRuns.find(run);
        if (it != longRuns.end())
            longRun = &it->second;
    }
    const std::size_t had = longRun ? longRun->count : run ? RunLength(run) : 0;
    const std::size_t room = longRun ? longRun->room : had;
    const std::size_t total = had + count;
    // Its nodes past treeUpTo wait in the pending list already.
    const bool wasPending = had != 0 && run[had - 1].order > treeUpTo;
    if (!run || room < total) {
        SnapPoint* moved = NewRun(total, std::max(total, 2 * had));
        if (!moved)
            return 1;
        for (std::size_t i = 0; i < had; ++i) {
            const bool filed = run[i].order <= treeUpTo;
            if (filed)
                tree.Remove(&run[i]);
            moved[i] = run[i];
            if (filed)
                tree.Insert(&moved[i]);
        }
        if (run) {
            RunMoved(run, moved);
            FreeRun(run, had);
        }
        run = moved;
    }
    if (had != 0)
        run[had - 1].endOfRun = false;
    for (std::size_t k = 0; k < count; ++k) {
        SnapPoint& p = run[had + k];
        p = SnapPoint{};
        p.entity = entity;
        p.kind = static_cast<int16_t>(points[k].kind);
        p.x = points[k].x;
        p.y = points[k].y;
        p.order = first + k;
    }
    run[total - 1].endOfRun = true;
    if (total > PooledRun)
        longRuns.find(run)->second.count = total;
    Obtain(entity).nodes = run;
    nodeCount += count;
    if (!wasPending)
        MarkPending(run);
    return 0;
}

void CSnapPointList::CollectKeyPoints(CEntity* entity)
{
    const CEntity& e = *entity;
    const auto& v = e.values;
    switch (e.type) {
    case 10:
        if (HasValues(e, 2))
            Key(v[0], v[1], SnapKind::Point);
        break;
    case 20:
        if (HasValues(e, 4)) {
            Key(v[0], v[1], SnapKind::LineStart);
            Key(v[2], v[3], SnapKind::LineEnd);
            if (!(v[0] == v[2] && v[1] == v[3])) {
                // Half the true length, measured along the line as LineFromPoints
                // takes it (nearly level lines count as level).
                const LineResult l = LineFromPoints(v[0], v[1], v[2], v[3]);
                const int dir = DirectionCode(v[0], v[1], v[2], v[3]);
                const DistanceResult len = PointDistance(v[0], v[1], v[2], v[3]);
                const PointResult m = PointOnLineAtDistance(dir, v[0], v[1], l.a, l.b, l.c, len.distance / 2.0);
                Key(m.x, m.y, SnapKind::LineMidpoint);
            }
        }
        break;
    case 24:
    case 90:
        for (std::size_t i = 0; i + 1 < v.size(); i += 2)
            Key(v[i], v[i + 1], SnapKind::LineStart);
        break;
    case 26:
        if (HasValues(e, 2)) {
            const std::size_t lastX = (v.size() / 2 - 1) * 2;
            Key(v[0], v[1], SnapKind::CurveFirst);
            Key(v[lastX], v[lastX + 1], SnapKind::CurveLast);
        }
        break;
    case 30:
        if (HasValues(e, 3)) {
            const double cx = v[0], cy = v[1], r = v[2];
            Key(cx - r, cy, SnapKind::Axis7);
            Key(cx + r, cy, SnapKind::Axis8);
            Key(cx, cy - r, SnapKind::Axis9);
            Key(cx, cy + r, SnapKind::Axis10);
        }
        break;
    case 31:
        AddArcPoints(entity);
        break;
    case 32:
        AddEllipsePoints(entity);
        break;
    case 33:
        AddEllipticArcPoints(entity);
        break;
    case 80:
        if (HasValues(e, 4)) {
            Key(v[0], v[1], SnapKind::ImageCorner17);
            Key(v[0], v[3], SnapKind::ImageCorner18);
            Key(v[2], v[3], SnapKind::ImageCorner19);
            Key(v[2], v[1], SnapKind::ImageCorner20);
        }
        break;
    default:
        break;
    }
}

int CSnapPointList::AddEntityPoints(CEntity* entity)
{
    if (!entity)
        return 0;
    const CEntity& e = *entity;
    int result = 0;
    keys.clear();
    try {
        CollectKeyPoints(entity);
    } catch (const std::bad_alloc&) {
        keys.clear();
        result = 1;
    }
    if (!keys.empty())
        result = Append(entity, keys.data(), keys.size());
    if (EntityBoxIndex::TakesPart(e) && CanCross(e)) {
        // Its crossings take the next place in the chain; they are worked
        // out when a search comes near them.
        Registration& r = Obtain(entity);
        if (r.crossOrder == 0)
            ++crossing;
        else if (r.foreign)
            foreign.erase(std::find(foreign.begin(), foreign.end(), entity));
        r.crossOrder = TakeOrders(1);
        r.state = 0;
        r.foreign = !boxes.Follows(entity);
        if (r.foreign)
            foreign.push_back(entity);
    }
    return result;
}

void CSnapPointList::AddArcPoints(CEntity* arc)
{
    const auto& v = arc->values;
    if (v.size() < 5)
        return;
    const double cx = v[0], cy = v[1], r = v[2], start = v[3], end = v[4];
    const double is = std::trunc(start), ie = std::trunc(end);
    if (is == ie || (is == 0 && ie == 360) || (is == 360 && ie == 0)) {
        Key(cx - r, cy, SnapKind::Axis7);
        Key(cx + r, cy, SnapKind::Axis8);
        Key(cx, cy - r, SnapKind::Axis9);
        Key(cx, cy + r, SnapKind::Axis10);
        return;
    }
    const PointSet<2> ends = ArcEndPoints(cx, cy, r, start, end);
    Key(ends.x[0], ends.y[0], SnapKind::ArcStart);
    Key(ends.x[1], ends.y[1], SnapKind::ArcEnd);
    const double qx[4] = {cx - r, cx + r, cx, cx};
    const double qy[4] = {cy, cy, cy - r, cy + r};
    for (int i = 0; i < 4; ++i) {
        // The arc is passed from its end to its start, its subtype giving the
        // direction of that run.
        if (IsPointOnArc(ends.x[1], ends.y[1], cx, cy, r, arc->subtype, qx[i], qy[i], ends.x[0], ends.y[0]) == 0)
            Key(qx[i], qy[i], SnapKind::ArcQuadrant);
    }
}

void CSnapPointList::AddEllipsePoints(CEntity* ellipse)
{
    const auto& v = ellipse->values;
    if (v.size() < 5)
        return;
    const double cx = v[0], cy = v[1], r1 = v[2], r2 = v[3], phi = v[4] * DegToRad;
    const double c = std::cos(phi), s = std::sin(phi);
    Key(cx + r1 * c, cy + r1 * s, SnapKind::Axis8);
    Key(cx - r1 * c, cy - r1 * s, SnapKind::Axis7);
    if (r1 < 0.5) {
        Key(cx - r1 * c, cy - r1 * s, SnapKind::Axis9);
        Key(cx - r1 * c, cy - r1 * s, SnapKind::Axis10);
    } else {
        Key(cx - r2 * s, cy + r2 * c, SnapKind::Axis9);
        Key(cx + r2 * s, cy - r2 * c, SnapKind::Axis10);
    }
}

void CSnapPointList::AddEllipticArcPoints(CEntity* arc)
{
    const auto& v = arc->values;
    if (v.size() < 7)
        return;
    const double cx = v[0], cy = v[1], r1 = v[2], r2 = v[3], phi = v[4] * DegToRad;
    const double c = std::cos(phi), s = std::sin(phi);
    const double angles[2] = {v[5], v[6]};
    const int16_t kinds[2] = {SnapKind::ArcStart, SnapKind::ArcEnd};
    for (int i = 0; i < 2; ++i) {
        const double local = angles[i] * DegToRad - phi;
        // Parameter of the direction: scaling both arguments by r1 keeps the
        // angle and needs no division by a radius that may be 0.
        const double t = std::atan2(r1 * std::sin(local), r2 * std::cos(local));
        const double u = r1 * std::cos(t), w = r2 * std::sin(t);
        Key(cx + u * c - w * s, cy + u * s + w * c, kinds[i]);
    }
}

std::size_t CSnapPointList::RunLength(const SnapPoint* run)
{
    std::size_t n = 1;
    while (!run[n - 1].endOfRun)
        ++n;
    return n;
}

SnapPoint* CSnapPointList::NewRun(std::size_t count, std::size_t room)
{
    try {
        if (count > PooledRun) {
            room = std::max(room, count);
            std::unique_ptr<SnapPoint[]> nodes(new SnapPoint[room]);
            SnapPoint* run = nodes.get();
            longRuns.emplace(run, LongRun{std::move(nodes), room, 0});
            return run;
        }
        std::vector<SnapPoint*>& spare = freeRuns[count];
        if (!spare.empty()) {
            SnapPoint* run = spare.back();
            spare.pop_back();
            return run;
        }
        if (pool.empty() || PoolBlock - poolUsed < count) {
            // What is left of the last block stays unused.
            std::unique_ptr<SnapPoint[]> block(new SnapPoint[PoolBlock]);
            pool.push_back(std::move(block));
            poolUsed = 0;
        }
        SnapPoint* run = &pool.back()[poolUsed];
        poolUsed += count;
        return run;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void CSnapPointList::FreeRun(SnapPoint* run, std::size_t count)
{
    if (count > PooledRun) {
        longRuns.erase(run);
        return;
    }
    try {
        freeRuns[count].push_back(run);
    } catch (const std::bad_alloc&) {
        // Not used again before RemoveAll frees its block.
    }
}

void CSnapPointList::RemoveEntityPoints(CEntity* entity)
{
    // Callers that moved the entity's geometry in place re-register it
    // through here: the crossing index takes its new box.
    boxes.Refile(entity);
    Registration* r = Find(entity);
    if (!r)
        return;
    SnapPoint* run = r->nodes;
    if (r->crossOrder != 0) {
        --crossing;
        if (r->foreign)
            foreign.erase(std::find(foreign.begin(), foreign.end(), entity));
    }
    Forget(r);
    if (!run)
        return;
    const std::size_t n = RunLength(run);
    for (std::size_t i = 0; i < n; ++i)
        if (run[i].order <= treeUpTo)
            tree.Remove(&run[i]);
    if (run[n - 1].order > treeUpTo)
        RunMoved(run, nullptr);
    nodeCount -= n;
    FreeRun(run, n);
}

void CSnapPointList::SetEntityPointState(CEntity* entity, int state)
{
    Registration* r = Find(entity);
    if (!r)
        return;
    r->state = static_cast<int16_t>(state);
    for (SnapPoint* p = r->nodes; p; p = p->endOfRun ? nullptr : p + 1)
        p->state = static_cast<int16_t>(state);
}

void CSnapPointList::CopyStatesFromEntities()
{
    ForEachRegistration([](Registration& r) {
        r.state = r.entity->state;
        for (SnapPoint* p = r.nodes; p; p = p->endOfRun ? nullptr : p + 1)
            p->state = r.entity->state;
    });
}

void CSnapPointList::RemoveAll()
{
    pool.clear();
    poolUsed = 0;
    for (std::vector<SnapPoint*>& spare : freeRuns) {
        spare.clear();
        spare.shrink_to_fit();
    }
    longRuns.clear();
    nodeCount = 0;
    nextOrder = 1;
    bySlot.clear();
    aside.clear();
    foreign.clear();
    crossing = 0;
    tree.Clear();
    treeUpTo = 0;
    pending.clear();
    pendingOverflow = false;
    boxes.Clear();
}

bool CSnapPointList::HasEntityPoints(const CEntity* entity) const
{
    if (!entity)
        return false;
    if (aside.count(entity))
        return true;
    return std::any_of(bySlot.begin(), bySlot.end(), [entity](const Registration& r) { return r.entity == entity; });
}

SnapPointRange CSnapPointList::EntityPoints(const CEntity* entity) const
{
    const Registration* r = Find(entity);
    if (!r || !r->nodes)
        return {};
    return {r->nodes, r->nodes + RunLength(r->nodes)};
}

std::vector<const SnapPoint*> CSnapPointList::KeyPoints() const
{
    std::vector<const SnapPoint*> out;
    out.reserve(nodeCount);
    ForEachPoint([&out](const SnapPoint& p) { out.push_back(&p); });
    std::sort(out.begin(), out.end(), [](const SnapPoint* a, const SnapPoint* b) { return a->order < b->order; });
    return out;
}

const SnapPoint* CSnapPointList::FindNearest(double x, double y, double maxDist, double* dist) const
{
    return FindNearest(x, y, maxDist, [](const SnapPoint& p) { return p.state == 0; }, dist);
}
