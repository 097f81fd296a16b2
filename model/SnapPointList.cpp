#include "model/SnapPointList.h"

#include "model/Entity.h"
#include "model/Geometry.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace {

constexpr double DegToRad = 3.14159265358979323846 / 180.0;

bool HasValues(const CEntity& e, std::size_t n)
{
    return e.values.size() >= n;
}

// Whether the entity has the values any crossing test needs.
bool CanCross(const CEntity& e)
{
    switch (e.type) {
    case 24:
    case 26:
        return HasValues(e, 4);
    case 30:
        return HasValues(e, 3);
    case 31:
        return HasValues(e, 5);
    default:
        return HasValues(e, 4);
    }
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
    if (!last || last->order <= treeUpTo)
        return;
    std::vector<SnapPoint*> added;
    for (SnapPoint* p = last; p && p->order > treeUpTo; p = p->previous)
        added.push_back(p);
    std::reverse(added.begin(), added.end());
    tree.InsertMany(added);
    treeUpTo = last->order;
}

int CSnapPointList::AddPoint(double x, double y, int kind, CEntity* entity)
{
    if (!entity)
        return 1;
    if (!first) {
        SnapPoint* s = NewNode();
        if (!s)
            return 1;
        s->kind = SnapKind::Sentinel;
        s->state = 1;
        s->order = nextOrder++;
        first = last = s;
        ++nodeCount;
    }
    SnapPoint* p = NewNode();
    if (!p)
        return 1;
    p->entity = entity;
    p->kind = static_cast<int16_t>(kind);
    p->state = 0;
    p->x = x;
    p->y = y;
    p->order = nextOrder++;
    p->previous = last;
    last->next = p;
    last = p;
    SnapPoint*& head = Obtain(entity).head;
    p->nextOfEntity = head;
    head = p;
    ++nodeCount;
    return 0;
}

int CSnapPointList::AddEntityPoints(CEntity* entity)
{
    if (!entity)
        return 0;
    CEntity& e = *entity;
    const auto& v = e.values;
    switch (e.type) {
    case 10:
        if (HasValues(e, 2))
            AddPoint(v[0], v[1], SnapKind::Point, entity);
        break;
    case 20:
        if (HasValues(e, 4)) {
            AddPoint(v[0], v[1], SnapKind::LineStart, entity);
            AddPoint(v[2], v[3], SnapKind::LineEnd, entity);
            if (!(v[0] == v[2] && v[1] == v[3])) {
                // Half the true length, measured along the line as LineFromPoints
                // takes it (nearly level lines count as level).
                const LineResult l = LineFromPoints(v[0], v[1], v[2], v[3]);
                const int dir = DirectionCode(v[0], v[1], v[2], v[3]);
                const DistanceResult len = PointDistance(v[0], v[1], v[2], v[3]);
                const PointResult m = PointOnLineAtDistance(dir, v[0], v[1], l.a, l.b, l.c, len.distance / 2.0);
                AddPoint(m.x, m.y, SnapKind::LineMidpoint, entity);
            }
        }
        break;
    case 24:
    case 90:
        for (std::size_t i = 0; i + 1 < v.size(); i += 2)
            AddPoint(v[i], v[i + 1], SnapKind::LineStart, entity);
        break;
    case 26:
        if (HasValues(e, 2)) {
            const std::size_t lastX = (v.size() / 2 - 1) * 2;
            AddPoint(v[0], v[1], SnapKind::CurveFirst, entity);
            AddPoint(v[lastX], v[lastX + 1], SnapKind::CurveLast, entity);
        }
        break;
    case 30:
        if (HasValues(e, 3)) {
            const double cx = v[0], cy = v[1], r = v[2];
            AddPoint(cx - r, cy, SnapKind::Axis7, entity);
            AddPoint(cx + r, cy, SnapKind::Axis8, entity);
            AddPoint(cx, cy - r, SnapKind::Axis9, entity);
            AddPoint(cx, cy + r, SnapKind::Axis10, entity);
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
            AddPoint(v[0], v[1], SnapKind::ImageCorner17, entity);
            AddPoint(v[0], v[3], SnapKind::ImageCorner18, entity);
            AddPoint(v[2], v[3], SnapKind::ImageCorner19, entity);
            AddPoint(v[2], v[1], SnapKind::ImageCorner20, entity);
        }
        break;
    default:
        break;
    }
    if (EntityBoxIndex::TakesPart(e) && CanCross(e)) {
        // Its crossings take the next place in the chain; they are worked
        // out when a search comes near them.
        Registration& r = Obtain(entity);
        if (r.crossOrder == 0)
            ++crossing;
        else if (r.foreign)
            foreign.erase(std::find(foreign.begin(), foreign.end(), entity));
        r.crossOrder = nextOrder++;
        r.state = 0;
        r.foreign = !boxes.Follows(entity);
        if (r.foreign)
            foreign.push_back(entity);
    }
    return 0;
}

void CSnapPointList::AddArcPoints(CEntity* arc)
{
    const auto& v = arc->values;
    if (v.size() < 5)
        return;
    const double cx = v[0], cy = v[1], r = v[2], start = v[3], end = v[4];
    const double is = std::trunc(start), ie = std::trunc(end);
    if (is == ie || (is == 0 && ie == 360) || (is == 360 && ie == 0)) {
        AddPoint(cx - r, cy, SnapKind::Axis7, arc);
        AddPoint(cx + r, cy, SnapKind::Axis8, arc);
        AddPoint(cx, cy - r, SnapKind::Axis9, arc);
        AddPoint(cx, cy + r, SnapKind::Axis10, arc);
        return;
    }
    const PointSet<2> ends = ArcEndPoints(cx, cy, r, start, end);
    AddPoint(ends.x[0], ends.y[0], SnapKind::ArcStart, arc);
    AddPoint(ends.x[1], ends.y[1], SnapKind::ArcEnd, arc);
    const double qx[4] = {cx - r, cx + r, cx, cx};
    const double qy[4] = {cy, cy, cy - r, cy + r};
    for (int i = 0; i < 4; ++i) {
        // The arc is passed from its end to its start, its subtype giving the
        // direction of that run.
        if (IsPointOnArc(ends.x[1], ends.y[1], cx, cy, r, arc->subtype, qx[i], qy[i], ends.x[0], ends.y[0]) == 0)
            AddPoint(qx[i], qy[i], SnapKind::ArcQuadrant, arc);
    }
}

void CSnapPointList::AddEllipsePoints(CEntity* ellipse)
{
    const auto& v = ellipse->values;
    if (v.size() < 5)
        return;
    const double cx = v[0], cy = v[1], r1 = v[2], r2 = v[3], phi = v[4] * DegToRad;
    const double c = std::cos(phi), s = std::sin(phi);
    AddPoint(cx + r1 * c, cy + r1 * s, SnapKind::Axis8, ellipse);
    AddPoint(cx - r1 * c, cy - r1 * s, SnapKind::Axis7, ellipse);
    if (r1 < 0.5) {
        AddPoint(cx - r1 * c, cy - r1 * s, SnapKind::Axis9, ellipse);
        AddPoint(cx - r1 * c, cy - r1 * s, SnapKind::Axis10, ellipse);
    } else {
        AddPoint(cx - r2 * s, cy + r2 * c, SnapKind::Axis9, ellipse);
        AddPoint(cx + r2 * s, cy - r2 * c, SnapKind::Axis10, ellipse);
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
        AddPoint(cx + u * c - w * s, cy + u * s + w * c, kinds[i], arc);
    }
}

SnapPoint* CSnapPointList::NewNode()
{
    // Nodes come from blocks of their own: no allocation header per node,
    // and a drawing's nodes are freed in a few calls.
    if (freeNodes) {
        SnapPoint* p = freeNodes;
        freeNodes = p->next;
        *p = SnapPoint{};
        return p;
    }
    if (pool.empty() || poolUsed == PoolBlock) {
        auto* block = new (std::nothrow) SnapPoint[PoolBlock];
        if (!block)
            return nullptr;
        try {
            pool.emplace_back(block);
        } catch (const std::bad_alloc&) {
            delete[] block;
            return nullptr;
        }
        poolUsed = 0;
    }
    return &pool.back()[poolUsed++];
}

void CSnapPointList::DeleteNode(SnapPoint* p)
{
    p->next = freeNodes;
    freeNodes = p;
}

void CSnapPointList::FreeNode(SnapPoint* p)
{
    if (p->previous)
        p->previous->next = p->next;
    if (p->next)
        p->next->previous = p->previous;
    if (last == p)
        last = p->previous;
    if (first == p)
        first = p->next;
    if (p->order <= treeUpTo)
        tree.Remove(p);
    --nodeCount;
    DeleteNode(p);
}

void CSnapPointList::RemoveEntityPoints(CEntity* entity)
{
    // Callers that moved the entity's geometry in place re-register it
    // through here: the crossing index takes its new box.
    boxes.Refile(entity);
    Registration* r = Find(entity);
    if (!r)
        return;
    SnapPoint* p = r->head;
    if (r->crossOrder != 0) {
        --crossing;
        if (r->foreign)
            foreign.erase(std::find(foreign.begin(), foreign.end(), entity));
    }
    Forget(r);
    while (p) {
        SnapPoint* next = p->nextOfEntity;
        FreeNode(p);
        p = next;
    }
}

void CSnapPointList::SetEntityPointState(CEntity* entity, int state)
{
    Registration* r = Find(entity);
    if (!r)
        return;
    r->state = static_cast<int16_t>(state);
    for (SnapPoint* p = r->head; p; p = p->nextOfEntity)
        p->state = static_cast<int16_t>(state);
}

void CSnapPointList::CopyStatesFromEntities()
{
    for (SnapPoint* p = first; p; p = p->next)
        if (p->entity)
            p->state = p->entity->state;
    for (Registration& r : bySlot)
        if (r.entity)
            r.state = r.entity->state;
    for (auto& [e, r] : aside)
        r.state = e->state;
}

void CSnapPointList::RemoveAll()
{
    first = last = nullptr;
    pool.clear();
    freeNodes = nullptr;
    nodeCount = 0;
    bySlot.clear();
    aside.clear();
    foreign.clear();
    crossing = 0;
    tree.Clear();
    treeUpTo = 0;
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

const SnapPoint* CSnapPointList::EntityPoints(const CEntity* entity) const
{
    const Registration* r = Find(entity);
    return r ? r->head : nullptr;
}

const SnapPoint* CSnapPointList::FindNearest(double x, double y, double maxDist, double* dist) const
{
    return FindNearest(x, y, maxDist, [](const SnapPoint& p) { return p.state == 0; }, dist);
}
