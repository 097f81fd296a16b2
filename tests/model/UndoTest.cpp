#include "ListTestUtil.h"

#include "model/EditProtocol.h"
#include "model/EntityList.h"
#include "model/Notify.h"
#include "model/SnapPointList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

using namespace listtest;

namespace {

class Recorder : public Notifier {
public:
    std::vector<std::string> shown;
    std::vector<unsigned> beeps;
    int MessageBox(std::string_view text, std::string_view, unsigned) override
    {
        shown.emplace_back(text);
        return IDOK;
    }
    void MessageBeep(unsigned type) override { beeps.push_back(type); }
};

// A document-like list: the grid first, with snap points for every entity.
class UndoFixture : public ::testing::Test {
protected:
    CEntityList list;
    CSnapPointList snaps;
    Recorder recorder;
    CEntity* grid = nullptr;

    void SetUp() override
    {
        SetNotifier(&recorder);
        grid = AddGrid(list);
        snaps.AddEntityPoints(grid);
    }
    void TearDown() override { SetNotifier(nullptr); }

    CEntity* Line(double x, CEntity* owner = nullptr)
    {
        CEntity* e = AddLine(list, x, 0, x, 10, owner);
        snaps.AddEntityPoints(e);
        return e;
    }
    CEntity* Header()
    {
        CEntity* e = AddGroupHeader(list);
        snaps.AddEntityPoints(e);
        return e;
    }
    // A distance dimension from (0, 0) to (10, 0); its members follow it.
    CEntity* Dimension()
    {
        const int16_t codes[] = {30, 31, 32, 10, 11, 12, 13, 14, 15, 16, 18, 19, 21, 22, 40, 41, 50, 51};
        const double values[18] = {0, 0, 0, 10, 2.5, 0, 1100, 11103, 5, 5, 1, 1, 0, 0, 0, 5, 10, 5};
        CEntity* before = list.last;
        EXPECT_EQ(list.AddEntity({EntityType::Dimension, 0, 1, 0, 18}, codes, 0, values), 0);
        CEntity* dim = before ? before->next : list.first;
        EXPECT_EQ(dim->type, EntityType::Dimension);
        if (!dim->next) {
            // Members as the dimension builds them, should the builder make none.
            const int16_t lc[] = {10, 20, 11, 22};
            const double lv[] = {0, 5, 10, 5};
            list.AddMemberEntity({EntityType::Line, 0, 1, 0, 4}, lc, 0, lv, {}, {}, dim);
            list.AddMemberEntity({EntityType::Line, 0, 1, 0, 4}, lc, 0, lv, {}, {}, dim);
        }
        for (CEntity* e = dim; e; e = e->next)
            snaps.AddEntityPoints(e);
        return dim;
    }
    // The dimension and its members.
    static size_t WithMembers(CEntity* dim)
    {
        size_t n = 1;
        for (CEntity* e = dim->next; e && e->owner == dim; e = e->next)
            ++n;
        return n;
    }
};

} // namespace

TEST_F(UndoFixture, UndoWithOnlyTheGridDoesNothing)
{
    EXPECT_FALSE(CanUndo(list));
    BeginEdit(list, &snaps);
    EXPECT_FALSE(CanUndo(list));
    CEntityList empty;
    EXPECT_FALSE(CanUndo(empty));
    empty.UndoRedo();
    EXPECT_EQ(empty.first, nullptr);
}

TEST_F(UndoFixture, AddUndoRedoUndo)
{
    BeginEdit(list, &snaps);
    CEntity* line = Line(1);
    ASSERT_TRUE(CanUndo(list));

    list.UndoRedo();
    EXPECT_EQ(list.undoState, UndoState::Removed);
    EXPECT_EQ(Entities(list), std::vector<CEntity*>{grid});
    EXPECT_EQ(list.undoChain, line);

    list.UndoRedo();
    EXPECT_EQ(list.undoState, UndoState::Redone);
    EXPECT_EQ(Entities(list), (std::vector<CEntity*>{grid, line}));

    list.UndoRedo();
    EXPECT_EQ(list.undoState, UndoState::Removed);
    EXPECT_EQ(Entities(list), std::vector<CEntity*>{grid});
    EXPECT_TRUE(recorder.shown.empty());
}

TEST_F(UndoFixture, AnEditAfterAnUndoneAddFreesTheRunWithItsSnapPoints)
{
    BeginEdit(list, &snaps);
    CEntity* a = Line(1);
    CEntity* b = Line(2);
    FinishAddedRun(list, a);
    list.UndoRedo();
    EXPECT_EQ(Chain(list.undoChain), (std::vector<CEntity*>{a, b}));
    const auto aAddr = reinterpret_cast<std::uintptr_t>(a), bAddr = reinterpret_cast<std::uintptr_t>(b);

    BeginEdit(list, &snaps);
    EXPECT_EQ(list.undoChain, nullptr);
    EXPECT_EQ(list.undoState, UndoState::Normal);
    EXPECT_FALSE(snaps.HasEntityPoints(reinterpret_cast<CEntity*>(aAddr)));
    EXPECT_FALSE(snaps.HasEntityPoints(reinterpret_cast<CEntity*>(bAddr)));
    EXPECT_EQ(Entities(list), std::vector<CEntity*>{grid});
}

TEST_F(UndoFixture, AnEditAfterARedoneAddFreesNothing)
{
    BeginEdit(list, &snaps);
    CEntity* a = Line(1);
    list.UndoRedo();
    list.UndoRedo();
    BeginEdit(list, &snaps);
    EXPECT_EQ(Entities(list), (std::vector<CEntity*>{grid, a}));
    EXPECT_TRUE(snaps.HasEntityPoints(a));
    EXPECT_EQ(list.undoChain, nullptr);
}

TEST_F(UndoFixture, RunMarkAlreadySetBeepsAndKeepsIt)
{
    BeginEdit(list, &snaps);
    CEntity* a = Line(1);
    FinishAddedRun(list, a);
    CEntity* b = Line(2);
    FinishAddedRun(list, b);
    EXPECT_EQ(list.mark, a);
    EXPECT_EQ(recorder.shown, std::vector<std::string>{"011:入換えエラー！"});
    EXPECT_EQ(recorder.beeps, std::vector<unsigned>{1});
}

TEST_F(UndoFixture, OneUndoTakesADimensionWithAllItsMembers)
{
    BeginEdit(list, &snaps);
    CEntity* before = Line(0);
    BeginEdit(list, &snaps);
    CEntity* dim = Dimension();
    const size_t n = WithMembers(dim);
    ASSERT_GT(n, 1u);
    ASSERT_EQ(list.last->owner, dim);
    list.UndoRedo();
    EXPECT_EQ(Entities(list), (std::vector<CEntity*>{grid, before}));
    EXPECT_EQ(Chain(list.undoChain).size(), n);
    list.UndoRedo();
    EXPECT_EQ(Entities(list).size(), 2 + n);
}

TEST_F(UndoFixture, UndoTakesExactlyTheLastAddedRun)
{
    // A group header, an unrelated line, then a member added to the group
    // as the last run: one undo takes the member only, and the next edit
    // frees nothing that is still in the list.
    BeginEdit(list, &snaps);
    CEntity* header = Header();
    CEntity* unrelated = Line(1);
    BeginEdit(list, &snaps);
    CEntity* member = Line(2, header);
    FinishAddedRun(list, member);
    list.UndoRedo();
    EXPECT_EQ(Entities(list), (std::vector<CEntity*>{grid, header, unrelated}));
    EXPECT_EQ(Chain(list.undoChain), std::vector<CEntity*>{member});
    BeginEdit(list, &snaps);
    EXPECT_EQ(Entities(list), (std::vector<CEntity*>{grid, header, unrelated}));
    EXPECT_TRUE(snaps.HasEntityPoints(unrelated));

    // Without a mark: a member whose owner lies before an unrelated entity
    // goes alone; an owner followed only by its own members goes with them.
    CEntity* late = Line(3, header);
    list.UndoRedo();
    EXPECT_EQ(Chain(list.undoChain), std::vector<CEntity*>{late});
    BeginEdit(list, &snaps);
    CEntity* dim = Dimension();
    list.UndoRedo();
    EXPECT_EQ(Chain(list.undoChain).front(), dim);
    EXPECT_EQ(Entities(list), (std::vector<CEntity*>{grid, header, unrelated}));
}

TEST_F(UndoFixture, DeleteTwoLinesAndUndo)
{
    CEntity* a = Line(1);
    CEntity* b = Line(2);
    CEntity* c = Line(3);
    CEntity* doomed[] = {a, c};
    DeleteEntities(list, &snaps, doomed);
    EXPECT_EQ(list.undoState, UndoState::Removed);
    EXPECT_EQ(Entities(list), (std::vector<CEntity*>{grid, b}));
    EXPECT_EQ(a->state, 0);

    list.UndoRedo();  // back at the end, in their old order
    EXPECT_EQ(Entities(list), (std::vector<CEntity*>{grid, b, a, c}));
    list.UndoRedo();  // removed again
    EXPECT_EQ(Entities(list), (std::vector<CEntity*>{grid, b}));
    list.UndoRedo();
    BeginEdit(list, &snaps);  // nothing is freed: all are in the list
    EXPECT_EQ(Entities(list), (std::vector<CEntity*>{grid, b, a, c}));
}

TEST_F(UndoFixture, ReplacingEditThatNamesWhatItReplaced)
{
    CEntity* keep = Line(0);
    CEntity* a = Line(1);
    CEntity* b = Line(2);
    BeginEdit(list, &snaps);
    b->state = EntityState::Deleted;
    a->state = EntityState::Deleted;
    CEntity* copy = Line(11);
    CEntity* const replaced[] = {b, a};
    FinishReplacingEdit(list, &snaps, copy, replaced);
    EXPECT_EQ(list.undoState, UndoState::Replaced);
    EXPECT_EQ(list.mark, copy);
    EXPECT_EQ(Entities(list), (std::vector<CEntity*>{grid, keep, copy}));
    EXPECT_EQ(Chain(list.undoChain), (std::vector<CEntity*>{a, b}));  // in list order
    for (CEntity* e : {a, b}) {
        ASSERT_FALSE(snaps.EntityPoints(e).empty());
        EXPECT_EQ(snaps.EntityPoints(e).begin()->state, EntityState::Deleted);
    }
    list.UndoRedo();
    EXPECT_EQ(Entities(list), (std::vector<CEntity*>{grid, keep, a, b}));
}

TEST_F(UndoFixture, MoveNothingDeletedLeavesStateZero)
{
    Line(1);
    BeginEdit(list, &snaps);
    list.MoveDeletedToUndo();
    EXPECT_EQ(list.undoState, UndoState::Normal);
    EXPECT_EQ(list.undoChain, nullptr);
}

TEST_F(UndoFixture, ReplaceThreeAndUndoRedo)
{
    CEntity* keep = Line(0);
    std::vector<CEntity*> old{Line(1), Line(2), Line(3)};
    BeginEdit(list, &snaps);
    for (CEntity* e : old)
        e->state = EntityState::Deleted;
    std::vector<CEntity*> moved{Line(11), Line(12), Line(13)};
    FinishReplacingEdit(list, &snaps, moved[0]);
    EXPECT_EQ(list.undoState, UndoState::Replaced);
    EXPECT_EQ(list.mark, moved[0]);
    EXPECT_EQ(Entities(list), (std::vector<CEntity*>{grid, keep, moved[0], moved[1], moved[2]}));
    EXPECT_EQ(Chain(list.undoChain), old);

    list.UndoRedo();  // the replaced ones come back, the copies are detached
    EXPECT_EQ(list.undoState, UndoState::ReplaceUndone);
    EXPECT_EQ(Entities(list), (std::vector<CEntity*>{grid, keep, old[0], old[1], old[2]}));
    EXPECT_EQ(Chain(list.mark), moved);

    list.UndoRedo();  // and swapped back
    EXPECT_EQ(list.undoState, UndoState::Replaced);
    EXPECT_EQ(Entities(list), (std::vector<CEntity*>{grid, keep, moved[0], moved[1], moved[2]}));

    list.UndoRedo();
    const auto movedAddr = reinterpret_cast<std::uintptr_t>(moved[1]);
    BeginEdit(list, &snaps);  // frees the detached copies with their points
    EXPECT_EQ(Entities(list), (std::vector<CEntity*>{grid, keep, old[0], old[1], old[2]}));
    EXPECT_FALSE(snaps.HasEntityPoints(reinterpret_cast<CEntity*>(movedAddr)));
    for (CEntity* e : old)
        EXPECT_TRUE(snaps.HasEntityPoints(e));
    EXPECT_EQ(list.mark, nullptr);
}

TEST_F(UndoFixture, ReplaceOneKeepsOwnerAndGroup)
{
    CEntity* header = Header();
    CEntity* member = Line(1, header);
    BeginEdit(list, &snaps);
    CEntity* replacement = Line(5);
    FinishReplaceOne(list, &snaps, member, replacement);
    EXPECT_EQ(replacement->owner, header);
    EXPECT_EQ(replacement->group, header->group);
    EXPECT_EQ(list.undoState, UndoState::Replaced);
    EXPECT_EQ(Entities(list), (std::vector<CEntity*>{grid, header, replacement}));
    list.UndoRedo();
    EXPECT_EQ(Entities(list), (std::vector<CEntity*>{grid, header, member}));
}

TEST_F(UndoFixture, ReplacingUndoErrors)
{
    Line(1);
    list.undoState = UndoState::Replaced;  // no mark
    list.UndoRedo();
    EXPECT_EQ(recorder.shown, std::vector<std::string>{"002:やり直しエラー！"});
    EXPECT_EQ(list.undoState, UndoState::Normal);

    list.undoState = UndoState::Replaced;
    list.mark = grid;  // no predecessor
    list.UndoRedo();
    EXPECT_EQ(recorder.shown.back(), "003:やり直しエラー！");
    EXPECT_EQ(list.undoState, UndoState::Normal);
    EXPECT_EQ(list.mark, grid);
    BeginEdit(list, &snaps);
    EXPECT_EQ(list.mark, nullptr);
    EXPECT_EQ(Entities(list).size(), 2u);

    list.undoState = UndoState::Removed;  // nothing held
    list.UndoRedo();
    EXPECT_EQ(recorder.shown.back(), "001:やり直しエラー！");
    EXPECT_EQ(list.undoState, UndoState::Normal);
}

TEST_F(UndoFixture, GroupDeleteThenAnotherEditKeepsTheListWhole)
{
    CEntity* a = Line(1);
    CEntity* header = Header();
    CEntity* m1 = Line(2, header);
    CEntity* m2 = Line(3, header);
    CEntity* b = Line(4);
    CEntity* c = Line(5);
    DeleteOwnerWithMembers(list, &snaps, header);
    EXPECT_EQ(Chain(list.undoChain), (std::vector<CEntity*>{header, m1, m2}));
    EXPECT_EQ(Entities(list), (std::vector<CEntity*>{grid, a, b, c}));

    BeginEdit(list, &snaps);  // frees the group
    CEntity* d = Line(6);
    EXPECT_EQ(Entities(list), (std::vector<CEntity*>{grid, a, b, c, d}));
    for (CEntity* e : {a, b, c, d})
        EXPECT_TRUE(snaps.HasEntityPoints(e));
}

TEST_F(UndoFixture, DimensionDeleteThenAnotherEditKeepsTheListWhole)
{
    CEntity* a = Line(1);
    CEntity* dim = Dimension();
    const size_t n = WithMembers(dim);
    CEntity* b = Line(4);
    DeleteOwnerWithMembers(list, &snaps, dim);
    EXPECT_EQ(Chain(list.undoChain).size(), n);
    EXPECT_EQ(Entities(list), (std::vector<CEntity*>{grid, a, b}));
    list.UndoRedo();
    EXPECT_EQ(Entities(list).size(), 3 + n);
    list.UndoRedo();
    EXPECT_EQ(Entities(list), (std::vector<CEntity*>{grid, a, b}));
    BeginEdit(list, &snaps);
    Line(9);
    EXPECT_EQ(Entities(list).size(), 4u);
}

TEST_F(UndoFixture, GroupDeleteGathersScatteredMembersAndWorksOnTheLastEntity)
{
    // A group registered from a selection: members stand before the header,
    // with other entities between them, and the header is last.
    CEntity* m1 = Line(1);
    CEntity* other = Line(2);
    CEntity* m2 = Line(3);
    CEntity* header = Header();
    for (CEntity* m : {m1, m2}) {
        m->owner = header;
        m->group = header->group;
    }
    DeleteOwnerWithMembers(list, &snaps, header);
    EXPECT_EQ(Entities(list), (std::vector<CEntity*>{grid, other}));
    EXPECT_EQ(Chain(list.undoChain), (std::vector<CEntity*>{header, m1, m2}));
    EXPECT_EQ(list.undoState, UndoState::Removed);

    list.UndoRedo();
    EXPECT_EQ(Entities(list), (std::vector<CEntity*>{grid, other, header, m1, m2}));
    list.UndoRedo();
    EXPECT_EQ(Entities(list), (std::vector<CEntity*>{grid, other}));
}

TEST_F(UndoFixture, GroupDeleteTakesTheMembersOfADimensionInTheGroup)
{
    CEntity* dim = Dimension();
    const size_t n = WithMembers(dim);
    CEntity* free = Line(7);
    CEntity* header = Header();
    dim->owner = header;
    DeleteOwnerWithMembers(list, &snaps, header);
    EXPECT_EQ(Entities(list), (std::vector<CEntity*>{grid, free}));
    EXPECT_EQ(Chain(list.undoChain).size(), 1 + n);  // header, dimension, its members
}

TEST_F(UndoFixture, FreeingAnOwnerClearsTheOwnerOfEntitiesLeftBehind)
{
    CEntity* member = Line(1);
    CEntity* header = Header();
    member->owner = header;
    // The header alone is deleted (as when a group is released).
    CEntity* doomed[] = {header};
    DeleteEntities(list, &snaps, doomed);
    EXPECT_EQ(member->owner, header);  // still held by the undo step
    BeginEdit(list, &snaps);
    EXPECT_EQ(member->owner, nullptr);
}

TEST_F(UndoFixture, RemovingTheFirstEntityLeavesAConsistentList)
{
    CEntityList plain;
    CEntity* a = AddPoint(plain, 0, 0);
    CEntity* b = AddPoint(plain, 1, 1);
    CEntity* doomed[] = {a};
    DeleteEntities(plain, nullptr, doomed);
    EXPECT_EQ(Entities(plain), std::vector<CEntity*>{b});
    plain.UndoRedo();
    EXPECT_EQ(Entities(plain), (std::vector<CEntity*>{b, a}));

    // Undo of a run that starts at the first entity empties the list; the
    // run can still be brought back.
    CEntityList run;
    CEntity* p = AddPoint(run, 0, 0);
    CEntity* q = AddPoint(run, 1, 0);
    FinishAddedRun(run, p);
    run.UndoRedo();
    EXPECT_EQ(run.first, nullptr);
    EXPECT_EQ(run.last, nullptr);
    EXPECT_TRUE(CanUndo(run));
    run.UndoRedo();
    EXPECT_EQ(Entities(run), (std::vector<CEntity*>{p, q}));
    run.UndoRedo();
    EXPECT_EQ(run.first, nullptr);
}

TEST_F(UndoFixture, MoveEntityToUndoIsAPureDelete)
{
    CEntity* a = Line(1);
    CEntity* b = Line(2);
    BeginEdit(list, &snaps);
    MoveEntityToUndo(list, &snaps, a);
    EXPECT_EQ(list.undoState, UndoState::Removed);
    EXPECT_EQ(Entities(list), (std::vector<CEntity*>{grid, b}));
    list.UndoRedo();
    EXPECT_EQ(Entities(list), (std::vector<CEntity*>{grid, b, a}));
}

TEST(UndoNamedDelete, TakesExactlyWhatTheWalkTakes)
{
    // Each case is played on two lists of eight lines alike; one finishes
    // with the walk over the list, the other names what it deleted. Both
    // must leave the same list, chain, undo state and entity states.
    using Lines = std::vector<CEntity*>;
    struct Case {
        const char* what;
        // Prepares a list and answers the entities to name.
        Lines (*play)(CEntityList& list, const Lines& l);
    };
    const Case cases[] = {
        {"named out of order, one twice",
         [](CEntityList&, const Lines& l) {
             for (int i : {5, 1, 3})
                 l[i]->state = EntityState::Deleted;
             return Lines{l[5], l[1], l[3], l[1]};
         }},
        {"nothing named", [](CEntityList&, const Lines&) { return Lines{}; }},
        {"named but not in state -1",
         [](CEntityList&, const Lines& l) {
             l[4]->state = EntityState::Deleted;
             return Lines{l[0], l[4]};
         }},
        {"marked in an earlier edit",
         [](CEntityList& list, const Lines& l) {
             list.MarkDeleted(l[2]);
             BeginEdit(list, nullptr);
             l[6]->state = EntityState::Deleted;
             return Lines{l[6]};
         }},
        {"marked, then set back",
         [](CEntityList& list, const Lines& l) {
             list.MarkDeleted(l[4]);
             l[4]->state = EntityState::Normal;
             l[0]->state = EntityState::Deleted;
             return Lines{l[0]};
         }},
        {"marked, then freed with an undo step",
         [](CEntityList& list, const Lines& l) {
             list.MarkDeleted(l[7]);
             MoveEntityToUndo(list, nullptr, l[7]);
             BeginEdit(list, nullptr);
             l[2]->state = EntityState::Deleted;
             return Lines{l[2]};
         }},
        {"marked while held by the undo step, back by undo",
         [](CEntityList& list, const Lines& l) {
             BeginEdit(list, nullptr);
             MoveEntityToUndo(list, nullptr, l[3]);
             list.MarkDeleted(l[3]);
             list.UndoRedo();
             BeginEdit(list, nullptr);
             l[5]->state = EntityState::Deleted;
             return Lines{l[5]};
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CEntityList walked, named;
        Lines lw, ln;
        for (int i = 0; i < 8; ++i) {
            lw.push_back(AddLine(walked, i, 0, i, 1));
            ln.push_back(AddLine(named, i, 0, i, 1));
        }
        c.play(walked, lw);
        const Lines names = c.play(named, ln);
        walked.MoveDeletedToUndo();
        named.MoveDeletedToUndo(names);
        auto places = [](const Lines& of, const Lines& lines) {
            std::vector<std::ptrdiff_t> out;
            for (CEntity* e : of)
                out.push_back(std::find(lines.begin(), lines.end(), e) - lines.begin());
            return out;
        };
        EXPECT_EQ(places(Entities(named), ln), places(Entities(walked), lw));
        EXPECT_EQ(places(Chain(named.undoChain), ln), places(Chain(walked.undoChain), lw));
        EXPECT_EQ(named.undoTail ? places({named.undoTail}, ln) : std::vector<std::ptrdiff_t>{},
                  walked.undoTail ? places({walked.undoTail}, lw) : std::vector<std::ptrdiff_t>{});
        EXPECT_EQ(named.undoState, walked.undoState);
        // The states of every line still alive (in the list or the chain).
        Lines alive = Entities(walked);
        const Lines held = Chain(walked.undoChain);
        alive.insert(alive.end(), held.begin(), held.end());
        for (std::size_t i = 0; i < lw.size(); ++i)
            if (std::find(alive.begin(), alive.end(), lw[i]) != alive.end()) {
                EXPECT_EQ(ln[i]->state, lw[i]->state) << "line " << i;
            }
    }
}

TEST(UndoDestruction, EveryUndoStateIsFreedExactlyOnce)
{
    // Lists destroyed in each state of each kind of step; the sanitizer build
    // reports any double free or leak.
    for (int kind = 0; kind < 4; ++kind) {
        for (int undos = 0; undos < 4; ++undos) {
            SCOPED_TRACE(kind * 10 + undos);
            CEntityList list;
            CSnapPointList snaps;
            AddGrid(list);
            CEntity* a = AddLine(list, 0, 0, 1, 1);
            CEntity* header = AddGroupHeader(list);
            AddLine(list, 0, 0, 2, 2, header);
            BeginEdit(list, &snaps);
            switch (kind) {
            case 0:
                AddLine(list, 5, 5, 6, 6);
                break;
            case 1: {
                CEntity* doomed[] = {a};
                DeleteEntities(list, &snaps, doomed);
                break;
            }
            case 2:
                a->state = EntityState::Deleted;
                FinishReplacingEdit(list, &snaps, AddLine(list, 7, 7, 8, 8));
                break;
            case 3:
                DeleteOwnerWithMembers(list, &snaps, header);
                break;
            }
            for (int i = 0; i < undos; ++i)
                list.UndoRedo();
            Entities(list);
        }
    }
}

namespace {

// Random edits, each followed by up to three undos. After one undo the list
// holds the entities it held before the edit, after two those after it.
class RandomEditor {
public:
    CEntityList list;
    CSnapPointList snaps;
    std::mt19937 rng{12345};
    uint32_t nextId = 1;

    std::multiset<COLORREF> Ids()
    {
        std::multiset<COLORREF> ids;
        for (CEntity* e : Entities(list))
            ids.insert(e->colour);
        return ids;
    }

    CEntity* Add(CEntity* owner = nullptr)
    {
        const int16_t codes[] = {10, 20, 11, 22};
        const double values[] = {double(nextId), 0, double(nextId), 1};
        const int rc = owner ? list.AddChildEntity({EntityType::Line, 0, 1, 0, 4}, codes, nextId, values, {}, {}, owner)
                             : list.AddEntity({EntityType::Line, 0, 1, 0, 4}, codes, nextId, values);
        EXPECT_EQ(rc, 0);
        ++nextId;
        snaps.AddEntityPoints(list.last);
        return list.last;
    }
    CEntity* AddHeader()
    {
        const int16_t codes[] = {10, 20, 10, 20};
        const double values[] = {0, 0, 1, 0};
        EXPECT_EQ(list.AddEntity({EntityType::GroupHeader, 0, 0, 0, 4}, codes, nextId++, values), 0);
        snaps.AddEntityPoints(list.last);
        return list.last;
    }

    std::vector<CEntity*> FreeLines()
    {
        std::vector<CEntity*> out;
        for (CEntity* e = list.first; e; e = e->next)
            if (e->type == EntityType::Line && !e->owner)
                out.push_back(e);
        return out;
    }
    std::vector<CEntity*> Owners()
    {
        std::vector<CEntity*> out;
        for (CEntity* e = list.first; e; e = e->next)
            if (e->type == EntityType::GroupHeader && !e->owner)
                out.push_back(e);
        return out;
    }
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

    // Returns false when the edit was not possible (nothing changed).
    bool Edit(int kind)
    {
        switch (kind) {
        case 0:
            BeginEdit(list, &snaps);
            Add();
            return true;
        case 1: {
            BeginEdit(list, &snaps);
            CEntity* firstNew = Add();
            for (int i = Pick(3); i >= 0; --i)
                Add();
            FinishAddedRun(list, firstNew);
            return true;
        }
        case 2: {  // a polygon: header and its sides
            BeginEdit(list, &snaps);
            CEntity* h = AddHeader();
            for (int i = Pick(4); i >= 0; --i)
                Add(h);
            return true;
        }
        case 3: {  // delete some free lines, or a whole group through its header
            auto lines = FreeLines();
            auto owners = Owners();
            if (lines.empty() && owners.empty())
                return false;
            BeginEdit(list, &snaps);
            for (CEntity* e : lines)
                if (Pick(2))
                    e->state = EntityState::Deleted;
            if (!owners.empty() && Pick(2)) {
                CEntity* o = owners[static_cast<size_t>(Pick(static_cast<int>(owners.size())))];
                for (CEntity* e = list.first; e; e = e->next)
                    if (e == o || e->owner == o)
                        e->state = EntityState::Deleted;
            }
            bool any = false;
            for (CEntity* e = list.first; e; e = e->next)
                any = any || e->state == EntityState::Deleted;
            if (!any)
                (lines.empty() ? owners[0] : lines[0])->state = EntityState::Deleted;
            if (lines.empty() && !any)
                for (CEntity* e = list.first; e; e = e->next)
                    if (e->owner == owners[0])
                        e->state = EntityState::Deleted;
            list.MoveDeletedToUndo();
            return true;
        }
        case 4: {  // replace some free lines by copies
            auto lines = FreeLines();
            if (lines.empty())
                return false;
            BeginEdit(list, &snaps);
            int n = 0;
            for (CEntity* e : lines)
                if (Pick(2) || (n == 0 && e == lines.back())) {
                    e->state = EntityState::Deleted;
                    ++n;
                }
            CEntity* firstNew = nullptr;
            for (int i = 0; i < n; ++i) {
                CEntity* c = Add();
                if (!firstNew)
                    firstNew = c;
            }
            FinishReplacingEdit(list, &snaps, firstNew);
            return true;
        }
        case 5: {  // group delete
            auto owners = Owners();
            if (owners.empty())
                return false;
            DeleteOwnerWithMembers(list, &snaps, owners[static_cast<size_t>(Pick(static_cast<int>(owners.size())))]);
            return true;
        }
        case 6: {  // register a group from scattered free lines
            auto lines = FreeLines();
            if (lines.size() < 2)
                return false;
            BeginEdit(list, &snaps);
            CEntity* h = AddHeader();
            for (CEntity* e : lines)
                if (Pick(2)) {
                    e->owner = h;
                    e->group = h->group;
                }
            return true;
        }
        }
        return false;
    }
};

} // namespace

TEST(UndoRandom, OneUndoRestoresTheEntitiesBeforeTheEditTwoThoseAfter)
{
    RandomEditor ed;
    AddGrid(ed.list);
    ed.snaps.AddEntityPoints(ed.list.first);
    for (int step = 0; step < 600; ++step) {
        SCOPED_TRACE(step);
        const auto before = ed.Ids();
        const int kind = ed.Pick(7);
        if (!ed.Edit(kind))
            continue;
        SCOPED_TRACE(kind);
        const auto after = ed.Ids();
        const int undos = ed.Pick(4);
        for (int u = 1; u <= undos; ++u) {
            ASSERT_TRUE(CanUndo(ed.list));
            ed.list.UndoRedo();
            ASSERT_EQ(ed.Ids(), u % 2 ? before : after) << "after undo " << u;
        }
        // Every line in the list keeps its snap points.
        for (CEntity* e : Entities(ed.list)) {
            if (e->type == EntityType::Line) {
                ASSERT_TRUE(ed.snaps.HasEntityPoints(e));
            }
        }
        // No entity in the list belongs to an owner outside it.
        std::set<CEntity*> inList;
        for (CEntity* e : Entities(ed.list))
            inList.insert(e);
        if (ed.list.undoState == UndoState::Normal || ed.list.undoState == UndoState::Redone) {
            for (CEntity* e : inList) {
                if (e->owner) {
                    ASSERT_TRUE(inList.count(e->owner));
                }
            }
        }
        if (ed.list.first == nullptr)
            break;
    }
}
