#include "model/Document.h"
#include "model/EditDoor.h"
#include "model/Notify.h"
#include "model/SnapPointList.h"

#include "common/RecordingNotifier.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

namespace {

// What a list holds, record by record, in list order.
using Snapshot = std::vector<std::tuple<int16_t, int16_t, int16_t, std::vector<double>, std::vector<int16_t>>>;
Snapshot Take(const CEntityList& list)
{
    Snapshot s;
    for (const CEntity* e = list.first; e; e = e->next)
        s.emplace_back(e->type, e->subtype, e->state, e->values.ToVector(), e->codes.ToVector());
    return s;
}
Snapshot Sorted(Snapshot s)
{
    std::sort(s.begin(), s.end());
    return s;
}

class EditDoorTest : public ::testing::Test {
protected:
    RecordingNotifier notifier;
    COrvikCadDoc doc;
    CEntity* a = nullptr;
    CEntity* b = nullptr;

    void SetUp() override
    {
        SetNotifier(&notifier);
        EditDoor door(doc);
        a = door.Add(*MakeRecord(EntityType::Line, {0, 0, 10, 0}));
        b = door.Add(*MakeRecord(EntityType::Circle, {5, 5, 2}));
        ASSERT_TRUE(a && b);
        door.FinishAdded();
        doc.modified = false;
    }
    void TearDown() override { SetNotifier(nullptr); }
};

// Every way through the door, each finished as its edit would be.
struct DoorPath {
    const char* name;
    std::function<bool(EditDoor&, CEntity* a, CEntity* b)> run;
};

std::vector<DoorPath> Paths()
{
    return {
        {"add", [](EditDoor& d, CEntity*, CEntity*) {
             const bool ok = d.Add(*MakeRecord(EntityType::Point, {1, 2})) != nullptr;
             d.FinishAdded();
             return ok;
         }},
        {"replace", [](EditDoor& d, CEntity* a, CEntity*) {
             const bool ok = d.Replace(a, *MakeRecord(EntityType::Line, {0, 0, 20, 20})) != nullptr;
             d.FinishReplacing();
             return ok;
         }},
        {"delete", [](EditDoor& d, CEntity*, CEntity* b) {
             const bool ok = d.Delete(b);
             d.FinishDeleted();
             return ok;
         }},
        {"change in place", [](EditDoor& d, CEntity* a, CEntity*) {
             return d.Change(a, [](CEntity& e) { e.values[0] = 3.0; });
         }},
    };
}

TEST_F(EditDoorTest, EveryPathRefusesAProtectedDrawingOnceAndChangesNothing)
{
    struct Protection {
        int32_t state;
        const char* message;
    };
    const Protection protections[] = {
        {ProtectionWrite, "この図面は、書きこみ禁止状態になっています。"},
        {ProtectionPassword, "この図面は、パスワードによって保護されています。"},
    };
    for (const Protection& p : protections) {
        for (const DoorPath& path : Paths()) {
            SCOPED_TRACE(path.name);
            doc.ProtectionState = p.state;
            notifier.messages.clear();
            const Snapshot before = Take(doc.list);
            CEntity* const mark = doc.list.mark;
            const int32_t undoState = doc.list.undoState;
            EditDoor door(doc, /*keepUndo=*/true);
            EXPECT_FALSE(path.run(door, a, b));
            // A second change asked of the same edit says nothing more.
            EXPECT_EQ(door.Add(*MakeRecord(EntityType::Point, {0, 0})), nullptr);
            ASSERT_EQ(notifier.messages.size(), 1u);
            EXPECT_EQ(notifier.messages[0], p.message);
            EXPECT_EQ(Take(doc.list), before);
            EXPECT_EQ(doc.list.mark, mark);
            EXPECT_EQ(doc.list.undoState, undoState);
            EXPECT_FALSE(doc.modified);
        }
    }
}

TEST_F(EditDoorTest, UndoAfterEveryPathRestoresTheList)
{
    for (const DoorPath& path : Paths()) {
        if (std::string(path.name) == "change in place")
            continue;  // an in-place change keeps the undo step it found
        SCOPED_TRACE(path.name);
        COrvikCadDoc d;
        CEntity *x = nullptr, *y = nullptr;
        {
            EditDoor door(d);
            x = door.Add(*MakeRecord(EntityType::Line, {0, 0, 10, 0}));
            y = door.Add(*MakeRecord(EntityType::Circle, {5, 5, 2}));
        }
        const Snapshot before = Take(d.list);
        d.modified = false;
        {
            EditDoor door(d);
            ASSERT_TRUE(path.run(door, x, y));
        }
        EXPECT_TRUE(d.modified);
        EXPECT_NE(Take(d.list), before);
        d.list.UndoRedo();
        // Entities come back at the tail: the same records, in the list's order.
        EXPECT_EQ(Sorted(Take(d.list)), Sorted(before));
        EXPECT_EQ(d.list.Size(), before.size());
    }
}

TEST_F(EditDoorTest, ValuesThatAreNotNumbersAreRefusedWithoutAMessage)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<std::vector<double>> circles = {{nan, 0, 1}, {0, inf, 1}, {0, 0, nan}, {0, 0, -inf}};
    const Snapshot before = Take(doc.list);
    for (const std::vector<double>& v : circles) {
        EditDoor door(doc);
        EXPECT_EQ(door.Add(*MakeRecord(EntityType::Circle, v)), nullptr);
        EXPECT_EQ(door.Replace(a, *MakeRecord(EntityType::Circle, v)), nullptr);
    }
    EXPECT_TRUE(notifier.messages.empty());
    EXPECT_EQ(Take(doc.list), before);
    EXPECT_FALSE(doc.modified);
}

TEST_F(EditDoorTest, SnapPointsFollowWhatComesInAndWhatChanges)
{
    EXPECT_TRUE(doc.snaps.HasEntityPoints(a));
    EditDoor door(doc);
    CEntity* p = door.Add(*MakeRecord(EntityType::Point, {7, 8}));
    ASSERT_NE(p, nullptr);
    const SnapPointRange points = doc.snaps.EntityPoints(p);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points.begin()->x, 7.0);
    ASSERT_TRUE(door.Change(p, [](CEntity& e) { e.values[0] = 9.0; }));
    ASSERT_EQ(doc.snaps.EntityPoints(p).size(), 1u);
    EXPECT_EQ(doc.snaps.EntityPoints(p).begin()->x, 9.0);
}

TEST_F(EditDoorTest, AChangeOfAnEntityNotInTheDrawingIsRefused)
{
    CEntityList other;
    const int16_t codes[] = {10, 20};
    const double values[] = {1, 2};
    ASSERT_EQ(other.AddEntity({EntityType::Point, 0, 0, 0, 2}, codes, 0, values), 0);
    EditDoor door(doc);
    EXPECT_FALSE(door.Change(other.first, [](CEntity& e) { e.values[0] = 5; }));
    EXPECT_FALSE(door.Delete(other.first));
    EXPECT_EQ(door.Replace(other.first, *MakeRecord(EntityType::Point, {0, 0})), nullptr);
    EXPECT_EQ(other.first->values[0], 1.0);
    EXPECT_FALSE(doc.modified);
}

} // namespace
