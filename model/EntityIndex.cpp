#include "model/EntityIndex.h"

#include "model/Entity.h"

#include <algorithm>
#include <cmath>

namespace {

EntityIndex::Box Unite(const EntityIndex::Box& a, const EntityIndex::Box& b)
{
    return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

} // namespace

EntityIndex::~EntityIndex()
{
    if (list)
        list->Unsubscribe(this);
}

void EntityIndex::SetMarkReach(double r)
{
    if (r != markReach) {
        markReach = r;
        valid = false;
    }
}

void EntityIndex::Sync(CEntityList& l)
{
    if (&l != list) {
        if (list)
            list->Unsubscribe(this);
        list = &l;
        list->Subscribe(this);
        valid = false;
    }
    if (!valid) {
        Forget();
        tree.Clear();
        unbounded.clear();
        unboundedAt.clear();
        hasExtent = measured = filed = false;
        valid = true;
    }
}

void EntityIndex::Rebuild(bool file) const
{
    Forget();
    tree.Clear();
    unbounded.clear();
    unboundedAt.clear();
    hasExtent = false;
    measured = true;
    filed = file;
    std::vector<BoxTree::Item> batch;
    if (file)
        batch.reserve(list->Size());
    for (CEntity* p = list->first; p; p = p->next) {
        if (file)
            File(p, &batch);
        else
            Widen(p);
    }
    tree.InsertMany(batch);
}

void EntityIndex::Widen(const CEntity* e) const
{
    Box b{0, 0, 0, 0};
    if (EntityIndexBox(*e, markReach, b) != IndexReach::Bounded || !BoxTree::Fits({b.x0, b.y0, b.x1, b.y1}))
        return;
    extent = hasExtent ? Unite(extent, b) : b;
    hasExtent = true;
}

IndexReach EntityIndex::Reach(const CEntity& e, Box& b) const
{
    const IndexReach r = EntityIndexBox(e, markReach, b);
    // A box too far out for the tree is visited every time instead.
    if (r == IndexReach::Bounded && !BoxTree::Fits({b.x0, b.y0, b.x1, b.y1}))
        return IndexReach::Unbounded;
    return r;
}

void EntityIndex::File(CEntity* e, std::vector<BoxTree::Item>* batch) const
{
    Box b{0, 0, 0, 0};
    const IndexReach r = Reach(*e, b);
    if (r == IndexReach::Unbounded) {
        if (unboundedAt.size() <= e->slot)
            unboundedAt.resize(e->slot + 1, UINT32_MAX);
        unboundedAt[e->slot] = static_cast<uint32_t>(unbounded.size());
        unbounded.push_back(e->slot);
    }
    if (r != IndexReach::Bounded)
        return;
    if (batch)
        batch->push_back({e->slot, {b.x0, b.y0, b.x1, b.y1}});
    else
        tree.Insert(e->slot, {b.x0, b.y0, b.x1, b.y1});
    extent = hasExtent ? Unite(extent, b) : b;
    hasExtent = true;
}

void EntityIndex::Unfile(CEntity* e)
{
    const uint32_t slot = e->slot;
    if (tree.Contains(slot)) {
        tree.Remove(slot);
        return;
    }
    RemoveSlot(unbounded, unboundedAt, slot);
}

bool EntityIndex::Answers(const CEntity* e) const
{
    const uint32_t slot = e->slot;
    if (!filed)
        return Shows(*e, keptRect);
    if (tree.Contains(slot))
        return BoxesMeet(tree.BoxOf(slot), keptRect);
    return slot < unboundedAt.size() && unboundedAt[slot] != UINT32_MAX;
}

void EntityIndex::KeepAnswering(CEntity* e)
{
    if (!kept || !Answers(e))
        return;
    // An entity is linked at the tail with a new rank: the answer grows at
    // its end.
    if (keptRanks.empty() || keptRanks.back() < e->rank) {
        keptAnswer.push_back(e);
        keptRanks.push_back(e->rank);
        return;
    }
    // Changed in place, it takes back the hole it left.
    const auto at = std::lower_bound(keptRanks.begin(), keptRanks.end(), e->rank);
    const auto i = static_cast<std::size_t>(at - keptRanks.begin());
    if (at != keptRanks.end() && *at == e->rank) {
        if (!keptAnswer[i]) {
            keptAnswer[i] = e;
            --keptHoles;
        }
        return;
    }
    keptAnswer.insert(keptAnswer.begin() + static_cast<std::ptrdiff_t>(i), e);
    keptRanks.insert(at, e->rank);
}

void EntityIndex::StopAnswering(const CEntity* e)
{
    if (!kept)
        return;
    // Left as a hole, so that taking one out of a long answer costs no move
    // of the rest; the next query that reads the answer skips the holes.
    const auto at = std::lower_bound(keptRanks.begin(), keptRanks.end(), e->rank);
    const auto i = static_cast<std::size_t>(at - keptRanks.begin());
    if (at != keptRanks.end() && *at == e->rank && keptAnswer[i] == e) {
        keptAnswer[i] = nullptr;
        ++keptHoles;
    }
}

void EntityIndex::Keep(const Box& rect, const std::vector<CEntity*>& answer) const
{
    kept = true;
    keptRect = rect;
    keptHoles = 0;
    // Room for what the next edits add at the tail, so that one added entity
    // does not copy a long answer.
    const std::size_t room = answer.size() + answer.size() / 16 + 64;
    keptAnswer.clear();
    keptAnswer.reserve(room);
    keptAnswer.assign(answer.begin(), answer.end());
    keptRanks.clear();
    keptRanks.reserve(room);
    for (const CEntity* e : answer)
        keptRanks.push_back(e->rank);
}

void EntityIndex::Kept(std::vector<CEntity*>& out) const
{
    if (keptHoles > keptAnswer.size() / 4) {
        std::size_t n = 0;
        for (std::size_t i = 0; i < keptAnswer.size(); ++i)
            if (keptAnswer[i]) {
                keptAnswer[n] = keptAnswer[i];
                keptRanks[n++] = keptRanks[i];
            }
        keptAnswer.resize(n);
        keptRanks.resize(n);
        keptHoles = 0;
    }
    if (keptHoles == 0) {
        out.assign(keptAnswer.begin(), keptAnswer.end());
        return;
    }
    out.reserve(keptAnswer.size() - keptHoles);
    for (CEntity* e : keptAnswer)
        if (e)
            out.push_back(e);
}

void EntityIndex::EntityLinked(CEntity* entity)
{
    if (!valid)
        return;
    if (filed)
        File(entity);
    else if (measured)
        Widen(entity);
    KeepAnswering(entity);
}

void EntityIndex::EntityUnlinked(CEntity* entity)
{
    if (!valid)
        return;
    StopAnswering(entity);
    if (filed)
        Unfile(entity);
}

void EntityIndex::EntityChanged(CEntity* entity)
{
    if (!valid)
        return;
    StopAnswering(entity);
    if (filed) {
        Unfile(entity);
        File(entity);
    } else if (measured) {
        Widen(entity);
    }
    KeepAnswering(entity);
}

void EntityIndex::ListReset()
{
    valid = false;
}

void EntityIndex::ListGone()
{
    list = nullptr;
    valid = false;
}

bool EntityIndex::Covers(const Box& rect) const
{
    if (list && valid && !measured)
        Rebuild(false);
    return !hasExtent || (rect.x0 <= extent.x0 && rect.y0 <= extent.y0 && rect.x1 >= extent.x1 &&
                          rect.y1 >= extent.y1);
}

bool EntityIndex::Shows(const CEntity& e, const Box& rect) const
{
    Box b{0, 0, 0, 0};
    const IndexReach r = Reach(e, b);
    return r == IndexReach::Unbounded || (r == IndexReach::Bounded && BoxesMeet(b, rect));
}

bool EntityIndex::Wide(const Box& rect) const
{
    if (!hasExtent)
        return true;
    const double w = std::min(rect.x1, extent.x1) - std::max(rect.x0, extent.x0);
    const double h = std::min(rect.y1, extent.y1) - std::max(rect.y0, extent.y0);
    if (w < 0 || h < 0)
        return false;
    // Half the drawing's area or more; a drawing as thin as a line is
    // measured along it.
    const double ew = extent.x1 - extent.x0, eh = extent.y1 - extent.y0;
    if (ew == 0 || eh == 0)
        return 2 * w >= ew && 2 * h >= eh;
    return 2 * (w / ew) * (h / eh) >= 1.0;
}

void EntityIndex::Query(const Box& rect, std::vector<CEntity*>& out) const
{
    out.clear();
    if (!list || !valid)
        return;
    if (!measured)
        Rebuild(false);
    if (kept && rect.x0 == keptRect.x0 && rect.y0 == keptRect.y0 && rect.x1 == keptRect.x1 &&
        rect.y1 == keptRect.y1) {
        Kept(out);
        return;
    }
    if (!filed && Wide(rect)) {
        // Most of the drawing shows: the walk costs no more than the paint,
        // and the boxes are filed once a view shows a part of it.
        for (CEntity* e = list->first; e; e = e->next)
            if (Shows(*e, rect))
                out.push_back(e);
        Keep(rect, out);
        return;
    }
    if (!filed)
        Rebuild(true);
    Answer(rect, out);
    Keep(rect, out);
}

void EntityIndex::Answer(const Box& rect, std::vector<CEntity*>& out) const
{
    hits.assign(unbounded.begin(), unbounded.end());
    tree.Query({rect.x0, rect.y0, rect.x1, rect.y1}, [this](uint32_t slot) { hits.push_back(slot); });
    out.reserve(hits.size());
    if (hits.size() > list->Size() / 16) {
        // Most of the list: a walk over it with flags is cheaper than sorting.
        hitFlags.assign(list->SlotCount(), 0);
        for (uint32_t slot : hits)
            hitFlags[slot] = 1;
        for (CEntity* e = list->first; e; e = e->next)
            if (e->slot < hitFlags.size() && hitFlags[e->slot])
                out.push_back(e);
        return;
    }
    for (uint32_t slot : hits)
        out.push_back(list->InSlot(slot));
    std::sort(out.begin(), out.end(), [](const CEntity* a, const CEntity* b) { return a->rank < b->rank; });
}
