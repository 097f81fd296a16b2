// The change journal of the entity list: what observers are told, the
// constant-time check of a held record, and the indexes that follow a list
// entity by entity answering exactly what a fresh build answers after every
// step of random edits on two drawings at once.

#include "ListTestUtil.h"

#include "model/EditProtocol.h"
#include "model/EntityBoxIndex.h"
#include "model/EntityIndex.h"
#include "model/EntityList.h"
#include "model/SnapPointList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace listtest;

namespace {

// Writes down every event as "+serial", "-serial", "~serial", "x serial",
// "reset", "gone".
std::string S(char c, const CEntity* e)
{
    std::string s(1, c);
    s += std::to_string(e->serial);
    return s;
}

class Recorder : public EntityListObserver {
public:
    std::vector<std::string> events;
    void EntityLinked(CEntity* e) override { events.push_back(S('+', e)); }
    void EntityUnlinked(CEntity* e) override { events.push_back(S('-', e)); }
    void EntityChanged(CEntity* e) override { events.push_back(S('~', e)); }
    void EntityFreed(CEntity* e) override { events.push_back(S('x', e)); }
    void ListReset() override { events.push_back("reset"); }
    void ListGone() override { events.push_back("gone"); }
    std::vector<std::string> Take() { return std::exchange(events, {}); }
};


TEST(EntityListJournal, ObserversHearEveryLinkUnlinkAndFree)
{
    CEntityList list;
    Recorder rec;
    list.Subscribe(&rec);
    CEntity* a = AddLine(list, 0, 0, 1, 1);
    BeginEdit(list, nullptr);
    CEntity* b = AddPoint(list, 5, 5);
    CEntity* c = AddPoint(list, 6, 6);
    FinishAddedRun(list, b);
    EXPECT_EQ(rec.Take(), (std::vector<std::string>{S('+', a), S('+', b), S('+', c)}));

    list.UndoRedo();  // the run b, c leaves
    EXPECT_EQ(rec.Take(), (std::vector<std::string>{S('-', b), S('-', c)}));
    list.UndoRedo();  // and comes back, in order, ranked after a
    EXPECT_EQ(rec.Take(), (std::vector<std::string>{S('+', b), S('+', c)}));
    EXPECT_LT(a->rank, b->rank);
    EXPECT_LT(b->rank, c->rank);

    MoveEntityToUndo(list, nullptr, a);  // the redo step is dropped, a leaves
    EXPECT_EQ(rec.Take(), (std::vector<std::string>{S('-', a)}));
    const std::string aFreed = S('x', a);
    BeginEdit(list, nullptr);  // a is freed with the step
    EXPECT_EQ(rec.Take(), (std::vector<std::string>{aFreed}));

    list.NoteChanged(b);
    EXPECT_EQ(rec.Take(), (std::vector<std::string>{S('~', b)}));
    const uint64_t before = list.generation;
    list.RemoveAll();
    EXPECT_EQ(rec.Take(), (std::vector<std::string>{"reset"}));
    EXPECT_GT(list.generation, before);
    list.Unsubscribe(&rec);
    AddPoint(list, 1, 1);
    EXPECT_TRUE(rec.events.empty());
}

TEST(EntityListJournal, ReplacingStepsTellBothRuns)
{
    CEntityList list;
    AddPoint(list, 0, 0);
    CEntity* old = AddLine(list, 0, 0, 1, 0);
    Recorder rec;
    list.Subscribe(&rec);
    BeginEdit(list, nullptr);
    CEntity* fresh = AddLine(list, 0, 0, 2, 0);
    FinishReplaceOne(list, nullptr, old, fresh);
    EXPECT_EQ(rec.Take(), (std::vector<std::string>{S('+', fresh), S('-', old)}));
    list.UndoRedo();
    EXPECT_EQ(rec.Take(), (std::vector<std::string>{S('-', fresh), S('+', old)}));
    list.UndoRedo();
    EXPECT_EQ(rec.Take(), (std::vector<std::string>{S('-', old), S('+', fresh)}));
    const std::string oldFreed = S('x', old);
    BeginEdit(list, nullptr);
    EXPECT_EQ(rec.Take(), (std::vector<std::string>{oldFreed}));
    list.Unsubscribe(&rec);
}

TEST(EntityListJournal, ADestroyedListLetsItsObserversGo)
{
    Recorder rec;
    {
        CEntityList list;
        list.Subscribe(&rec);
        AddPoint(list, 0, 0);
    }
    ASSERT_FALSE(rec.events.empty());
    EXPECT_EQ(rec.events.back(), "gone");

    // An index outliving its list forgets it and can follow another.
    EntityIndex index;
    CEntityList other;
    AddPoint(other, 1, 1);
    {
        CEntityList list;
        AddPoint(list, 0, 0);
        index.Sync(list);
        EXPECT_EQ(index.Size(), 1u);
    }
    EXPECT_EQ(index.Size(), 0u);
    index.Sync(other);
    std::vector<CEntity*> out;
    index.Query({0, 0, 2, 2}, out);
    EXPECT_EQ(out, std::vector<CEntity*>{other.first});
}

TEST(EntityListJournal, HoldsKnowsARecordBySlotAndSerial)
{
    CEntityList list, other;
    CEntity* a = AddPoint(list, 0, 0);
    CEntity* b = AddPoint(list, 1, 0);
    const uint32_t slot = a->slot;
    const uint64_t serial = a->serial;
    EXPECT_NE(a->serial, b->serial);
    EXPECT_TRUE(list.Holds(a, slot, serial));
    EXPECT_FALSE(other.Holds(a, slot, serial));
    EXPECT_FALSE(list.Holds(a, slot, serial + 1));

    MoveEntityToUndo(list, nullptr, a);  // in the undo step: not linked
    EXPECT_FALSE(list.Holds(a, slot, serial));
    BeginEdit(list, nullptr);  // freed; its slot goes to the next record
    CEntity* c = AddPoint(list, 2, 0);
    EXPECT_EQ(c->slot, slot);
    EXPECT_FALSE(list.Holds(a, slot, serial));  // even where c took its address
    EXPECT_TRUE(list.Holds(c, c->slot, c->serial));
    EXPECT_EQ(list.Size(), 2u);
}

TEST(EntityListJournal, SnapRegistrationsFollowTheirEntityThroughFreedAndReusedSlots)
{
    CEntityList list;
    CSnapPointList snaps;
    snaps.Follow(list);
    auto add = [&](double x) {
        CEntity* e = AddPoint(list, x, 0);
        snaps.AddEntityPoints(e);
        return e;
    };
    auto pointOf = [&](const CEntity* e) {
        const SnapPointRange nodes = snaps.EntityPoints(e);
        return nodes.empty() ? -1.0 : nodes.first->x;
    };
    CEntity* a = add(10);
    CEntity* b = add(20);
    const uint32_t slotOfA = a->slot;

    // a freed with its snap points; c takes its slot.
    BeginEdit(list, &snaps);
    MoveEntityToUndo(list, &snaps, a);
    BeginEdit(list, &snaps);
    CEntity* c = add(30);
    ASSERT_EQ(c->slot, slotOfA);
    EXPECT_EQ(pointOf(c), 30);
    EXPECT_EQ(snaps.EntityPoints(c).size(), 1u);
    const SnapPoint* near = snaps.FindNearest(10, 0, 5);
    EXPECT_EQ(near, nullptr);

    // b out into the undo step and back: its points stay its own.
    BeginEdit(list, &snaps);
    MoveEntityToUndo(list, &snaps, b);
    EXPECT_TRUE(snaps.HasEntityPoints(b));
    EXPECT_EQ(pointOf(b), 20);
    list.UndoRedo();
    ASSERT_TRUE(list.Holds(b));
    EXPECT_EQ(pointOf(b), 20);
    snaps.SetEntityPointState(b, 0);
    near = snaps.FindNearest(21, 0, 5);
    ASSERT_NE(near, nullptr);
    EXPECT_EQ(near->entity, b);
    EXPECT_EQ(pointOf(c), 30);

    // Removed for good: nothing left of it, even where a new one sits in its slot.
    snaps.RemoveEntityPoints(b);
    EXPECT_FALSE(snaps.HasEntityPoints(b));
    EXPECT_TRUE(snaps.EntityPoints(b).empty());
    EXPECT_TRUE(snaps.HasEntityPoints(c));
}

// ---- random edits against fresh builds ----

constexpr int16_t Codes[8] = {10, 20, 11, 22, 0, 0, 0, 0};

struct Drawing {
    CEntityList list;
    CSnapPointList snaps;
    EntityIndex index;  // synced as a paint would, between steps
    EntityIndex view;   // asked for one rectangle only, as the paints of a still view ask
    EntityIndex whole;  // the same for a view of most of the drawing, which files no boxes
    EntityBoxIndex crossings;

    Drawing()
    {
        snaps.Follow(list);
        crossings.Follow(&list);
        AddGrid(list);
    }

    std::vector<CEntity*> Linked() const
    {
        std::vector<CEntity*> out;
        for (CEntity* e = list.first; e; e = e->next)
            out.push_back(e);
        return out;
    }
};

CEntity* AddRandom(Drawing& d, std::mt19937& rng, CEntity* owner = nullptr)
{
    std::uniform_real_distribution<double> pos(0, 200), len(-30, 30), radius(1, 25), angle(0, 360);
    const double x = pos(rng), y = pos(rng);
    EntityHeader h{};
    double v[5] = {};
    switch (rng() % 6) {
    case 0:
    case 1:
        h = {EntityType::Line, 0, 1, 0, 4};
        v[0] = x, v[1] = y, v[2] = x + len(rng), v[3] = y + len(rng);
        break;
    case 2:
        h = {EntityType::Circle, 0, 1, 0, 3};
        v[0] = x, v[1] = y, v[2] = radius(rng);
        break;
    case 3:
        h = {EntityType::Arc, static_cast<int16_t>(rng() % 2 ? 1 : -1), 1, 0, 5};
        v[0] = x, v[1] = y, v[2] = radius(rng), v[3] = angle(rng), v[4] = angle(rng);
        break;
    case 4:
        h = {EntityType::Point, 0, 1, 0, 2};
        v[0] = x, v[1] = y;
        break;
    default:
        h = {EntityType::InfiniteLine, 0, 1, 0, 4};
        v[0] = x, v[1] = y, v[2] = x + 1 + len(rng), v[3] = y + len(rng);
        break;
    }
    const int rc = owner ? d.list.AddChildEntity(h, Codes, 0, v, {}, {}, owner) : d.list.AddEntity(h, Codes, 0, v);
    if (rc != 0)
        return nullptr;
    d.snaps.AddEntityPoints(d.list.last);
    return d.list.last;
}

CEntity* Pick(const std::vector<CEntity*>& v, std::mt19937& rng)
{
    // Never the grid record in front.
    return v.size() < 2 ? nullptr : v[1 + rng() % (v.size() - 1)];
}

// One random edit as the tools make them; returns what was done.
std::string Step(Drawing& d, std::mt19937& rng)
{
    const std::vector<CEntity*> linked = d.Linked();
    switch (rng() % 9) {
    case 0:
    case 1: {
        BeginEdit(d.list, &d.snaps);
        CEntity* before = d.list.last;
        const int n = 1 + static_cast<int>(rng() % 3);
        for (int i = 0; i < n; ++i)
            AddRandom(d, rng);
        FinishAddedRun(d.list, before ? before->next : d.list.first);
        return "add";
    }
    case 2: {
        CEntity* victim = Pick(linked, rng);
        if (!victim || victim->owner || victim->type == EntityType::GroupHeader)
            return "none";
        BeginEdit(d.list, &d.snaps);
        MoveEntityToUndo(d.list, &d.snaps, victim);
        return "delete";
    }
    case 3: {
        std::vector<CEntity*> doomed;
        for (int i = 0; i < 3; ++i)
            if (CEntity* e = Pick(linked, rng); e && !e->owner && e->type != EntityType::GroupHeader)
                doomed.push_back(e);
        std::sort(doomed.begin(), doomed.end());
        doomed.erase(std::unique(doomed.begin(), doomed.end()), doomed.end());
        DeleteEntities(d.list, &d.snaps, doomed);
        return "delete several";
    }
    case 4:
        if (!CanUndo(d.list))
            return "none";
        d.list.UndoRedo();
        return "undo";
    case 5: {
        CEntity* e = Pick(linked, rng);
        if (!e || e->values.size() < 2)
            return "none";
        const double dx = std::uniform_real_distribution<double>(-40, 40)(rng);
        d.snaps.RemoveEntityPoints(e);
        d.list.ChangeEntity(e, [dx](CEntity& r) {
            r.values[0] += dx;
            if (r.type == EntityType::Circle || r.type == EntityType::Arc)
                r.values[2] *= 1.5;
        });
        d.snaps.AddEntityPoints(e);
        return "change";
    }
    case 6: {
        // A group of a header and its members, taken out whole.
        BeginEdit(d.list, &d.snaps);
        CEntity* before = d.list.last;
        const int16_t hc[4] = {10, 20, 10, 20};
        const double hv[4] = {0, 0, 1, 0};
        d.list.AddEntity({EntityType::GroupHeader, 0, 0, 0, 4}, hc, 0, hv);
        CEntity* header = d.list.last;
        for (int i = 0; i < 3; ++i)
            AddRandom(d, rng, header);
        FinishAddedRun(d.list, before ? before->next : d.list.first);
        return "group";
    }
    case 7: {
        for (CEntity* e : linked)
            if (e->type == EntityType::GroupHeader && rng() % 2) {
                DeleteOwnerWithMembers(d.list, &d.snaps, e);
                return "delete group";
            }
        return "none";
    }
    default: {
        // A group let go as the view does it: the header stays in state -1
        // until a later delete takes it along.
        for (CEntity* e : linked)
            if (e->type == EntityType::GroupHeader && e->state == EntityState::Normal && rng() % 2) {
                for (CEntity* m : linked)
                    if (m->owner == e) {
                        m->owner = nullptr;
                        m->group = 0;
                    }
                d.list.MarkDeleted(e);
                BeginEdit(d.list, &d.snaps);
                return "release group";
            }
        return "none";
    }
    }
}

void ExpectInStep(Drawing& d, std::mt19937& rng, const std::string& where)
{
    const std::vector<CEntity*> linked = d.Linked();
    ASSERT_EQ(d.list.Size(), linked.size()) << where;
    for (CEntity* e : linked) {
        ASSERT_TRUE(d.list.Holds(e, e->slot, e->serial)) << where;
        ASSERT_EQ(d.list.InSlot(e->slot), e) << where;
    }
    for (std::size_t i = 1; i < linked.size(); ++i)
        ASSERT_LT(linked[i - 1]->rank, linked[i]->rank) << where;

    // The paint/pick index against one built afresh.
    d.index.Sync(d.list);
    EntityIndex fresh;
    fresh.Sync(d.list);
    std::uniform_real_distribution<double> pos(-20, 220), size(0, 80);
    for (int q = 0; q < 6; ++q) {
        const double x = pos(rng), y = pos(rng);
        // Everything; most of the drawing (a fresh index walks the list for
        // it); parts of it.
        const EntityIndex::Box r = q == 0   ? EntityIndex::Box{-1e9, -1e9, 1e9, 1e9}
                                   : q == 1 ? EntityIndex::Box{x - 60, y - 60, x + 140, y + 140}
                                            : EntityIndex::Box{x, y, x + size(rng), y + size(rng)};
        std::vector<CEntity*> kept, built;
        d.index.Query(r, kept);
        fresh.Query(r, built);
        ASSERT_EQ(kept, built) << where << ", rectangle " << q;
    }

    // The answer kept for a still view, brought in step by the edits alone.
    const EntityIndex::Box still{40, 40, 140, 140};
    std::vector<CEntity*> stillKept, stillBuilt;
    d.view.Sync(d.list);
    d.view.Query(still, stillKept);
    fresh.Query(still, stillBuilt);
    ASSERT_EQ(stillKept, stillBuilt) << where << ", still view";
    const EntityIndex::Box most{-60, -60, 200, 200};
    d.whole.Sync(d.list);
    d.whole.Query(most, stillKept);
    fresh.Query(most, stillBuilt);
    ASSERT_EQ(stillKept, stillBuilt) << where << ", view of most";
    ASSERT_FALSE(d.whole.Filed()) << where;

    // Crossing candidates against a walk back over the list.
    EntityBoxIndex walk;
    for (CEntity* e : linked) {
        std::vector<CEntity*> kept, walked;
        d.crossings.Candidates(e, kept);
        walk.Candidates(e, walked);
        ASSERT_EQ(kept, walked) << where;
    }

    // What the snap list keeps of each linked entity is exactly its nodes in
    // the chain, whatever slot it holds now and whoever held that slot before.
    std::map<const CEntity*, std::vector<const SnapPoint*>> inChain;
    for (const SnapPoint* p : d.snaps.KeyPoints())
        inChain[p->entity].push_back(p);
    for (CEntity* e : linked) {
        std::vector<const SnapPoint*> kept;
        for (const SnapPoint& p : d.snaps.EntityPoints(e))
            kept.push_back(&p);
        ASSERT_EQ(kept, inChain[e]) << where;
    }

    // The snap points' nearest search against a walk over their chain, with
    // every crossing in it.
    const std::vector<SnapPoint> chain = d.snaps.ChainPoints();
    for (int q = 0; q < 6; ++q) {
        const double x = pos(rng), y = pos(rng), maxDist = 1 + size(rng);
        const SnapPoint* best = nullptr;
        double bestDist = 0;
        for (const SnapPoint& p : chain) {
            if (p.state != 0)
                continue;
            const double dist = std::sqrt((y - p.y) * (y - p.y) + (x - p.x) * (x - p.x));
            if (dist < maxDist && (!best || dist < bestDist)) {
                best = &p;
                bestDist = dist;
            }
        }
        const SnapPoint* found = d.snaps.FindNearest(x, y, maxDist);
        ASSERT_EQ(found != nullptr, best != nullptr) << where;
        if (best) {
            EXPECT_EQ(found->x, best->x) << where;
            EXPECT_EQ(found->y, best->y) << where;
            EXPECT_EQ(found->kind, best->kind) << where;
            EXPECT_EQ(found->entity, best->entity) << where;
        }
    }
}

TEST(EntityListJournal, IndexesFollowRandomEditsOnTwoDrawings)
{
    for (uint32_t seed : {1u, 2u, 3u}) {
        std::mt19937 rng(seed);
        auto a = std::make_unique<Drawing>();
        auto b = std::make_unique<Drawing>();
        for (int i = 0; i < 30; ++i) {
            AddRandom(*a, rng);
            AddRandom(*b, rng);
        }
        for (int step = 0; step < 300; ++step) {
            Drawing& d = rng() % 2 ? *a : *b;
            const std::string what = Step(d, rng);
            const std::string where = "seed " + std::to_string(seed) + " step " + std::to_string(step) + " " + what;
            ExpectInStep(*a, rng, where);
            ExpectInStep(*b, rng, where);
            if (HasFatalFailure())
                return;
        }
    }
}

} // namespace
