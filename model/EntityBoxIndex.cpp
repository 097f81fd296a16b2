#include "model/EntityBoxIndex.h"

#include "model/EntityKinds.h"

#include "model/Entity.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// Every crossing test accepts points up to 0.5 beyond an entity; boxes are
// widened by more than that so that touching ones are never missed.
constexpr double Margin = 1.0;

} // namespace

EntityBoxIndex::~EntityBoxIndex()
{
    if (list)
        list->Unsubscribe(this);
}

bool EntityBoxIndex::TakesPart(const CEntity& e)
{
    return KindOf(e.type).Allows(KindAllows::Cross);
}

bool EntityBoxIndex::BoundingBox(const CEntity& e, Box& box)
{
    const auto& v = e.values;
    double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
    auto widen = [&](double x, double y) {
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
    };
    switch (e.type) {
    case 20:
        if (v.size() < 4)
            return false;
        widen(v[0], v[1]);
        widen(v[2], v[3]);
        break;
    case 24:
    case 26:
        if (v.size() < 2)
            return false;
        for (std::size_t i = 0; i + 1 < v.size(); i += 2) {
            if (!std::isfinite(v[i]) || !std::isfinite(v[i + 1]))
                return false;
            widen(v[i], v[i + 1]);
        }
        break;
    case 30:
    case 31: {
        if (v.size() < 3)
            return false;
        const double r = std::fabs(v[2]);
        widen(v[0] - r, v[1] - r);
        widen(v[0] + r, v[1] + r);
        break;
    }
    default:
        return false;  // infinite lines
    }
    box = {x0 - Margin, y0 - Margin, x1 + Margin, y1 + Margin};
    return BoxTree::Fits(box);
}

void EntityBoxIndex::Follow(CEntityList* l)
{
    if (l == list)
        return;
    if (list)
        list->Unsubscribe(this);
    list = l;
    if (list)
        list->Subscribe(this);
    Clear();
}

void EntityBoxIndex::Clear()
{
    tree.Clear();
    unbounded.clear();
    unboundedAt.clear();
    built = false;
}

void EntityBoxIndex::Build()
{
    Clear();
    built = true;
    std::vector<BoxTree::Item> batch;
    batch.reserve(list->Size());
    for (CEntity* e = list->first; e; e = e->next)
        File(e, &batch);
    tree.InsertMany(batch);
}

void EntityBoxIndex::File(CEntity* e, std::vector<BoxTree::Item>* batch)
{
    if (!TakesPart(*e))
        return;
    if (rankOf.size() <= e->slot)
        rankOf.resize(e->slot + 1, 0);
    rankOf[e->slot] = e->rank;
    Box b;
    if (BoundingBox(*e, b)) {
        if (batch)
            batch->emplace_back(e->slot, b);
        else
            tree.Insert(e->slot, b);
        return;
    }
    if (unboundedAt.size() <= e->slot)
        unboundedAt.resize(e->slot + 1, UINT32_MAX);
    unboundedAt[e->slot] = static_cast<uint32_t>(unbounded.size());
    unbounded.push_back(e->slot);
}

void EntityBoxIndex::Unfile(CEntity* e)
{
    if (tree.Contains(e->slot)) {
        tree.Remove(e->slot);
        return;
    }
    // The order of `unbounded` does not count.
    RemoveSlot(unbounded, unboundedAt, e->slot);
}

void EntityBoxIndex::EntityLinked(CEntity* entity)
{
    if (built)
        File(entity);
}

void EntityBoxIndex::EntityUnlinked(CEntity* entity)
{
    if (built)
        Unfile(entity);
}

void EntityBoxIndex::EntityChanged(CEntity* entity)
{
    if (!built)
        return;
    Unfile(entity);
    File(entity);
}

void EntityBoxIndex::Refile(CEntity* entity)
{
    if (list && entity && list->Holds(entity))
        EntityChanged(entity);
}

void EntityBoxIndex::ListReset()
{
    Clear();
}

void EntityBoxIndex::ListGone()
{
    list = nullptr;
    Clear();
}

void EntityBoxIndex::WalkBack(const CEntity* entity, std::vector<CEntity*>& out) const
{
    Box b;
    const bool bounded = BoundingBox(*entity, b);
    for (CEntity* p = entity->previous; p; p = p->previous) {
        if (!TakesPart(*p))
            continue;
        Box pb;
        if (!bounded || !BoundingBox(*p, pb) || BoxesMeet(b, pb))
            out.push_back(p);
    }
}

void EntityBoxIndex::Candidates(const CEntity* entity, std::vector<CEntity*>& out)
{
    out.clear();
    if (!entity)
        return;
    if (!list || !list->Holds(entity)) {
        WalkBack(entity, out);
        return;
    }
    if (!built)
        Build();
    // Only entities ranked before this one count; the ranks are kept here so
    // that the records are read only for the answer.
    scratch.clear();
    const uint64_t rank = entity->rank;
    auto take = [this, rank](uint32_t slot) {
        if (rankOf[slot] < rank)
            scratch.push_back({rankOf[slot], slot});
    };
    Box b;
    if (!BoundingBox(*entity, b))
        b = {-INFINITY, -INFINITY, INFINITY, INFINITY};  // nothing bounds it: every earlier one is a candidate
    tree.Query(b, take);
    for (uint32_t slot : unbounded)
        take(slot);
    std::sort(scratch.begin(), scratch.end(), std::greater<>());
    for (const auto& [r, slot] : scratch)
        out.push_back(list->InSlot(slot));
}

void EntityBoxIndex::Meeting(const Box& b, std::vector<CEntity*>& out)
{
    out.clear();
    if (!list)
        return;
    if (!built)
        Build();
    tree.Query(b, [this, &out](uint32_t slot) { out.push_back(list->InSlot(slot)); });
    for (uint32_t slot : unbounded)
        out.push_back(list->InSlot(slot));
}
