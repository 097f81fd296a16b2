#include "ListTestUtil.h"

#include "model/EntityList.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace listtest;

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

struct RangeCase {
    const char* name;
    int16_t type;
    int16_t count;
    double v0;
    double v1;
    bool child;
    int expected;
};

} // namespace

TEST(EntityListAdd, CoordinateRangeTable)
{
    const RangeCase cases[] = {
        {"upper bound x", EntityType::Point, 2, 99999999999.9, 0, false, 0},
        {"lower bound x", EntityType::Point, 2, -9999999999.9, 0, false, 0},
        {"upper bound y", EntityType::Point, 2, 0, 99999999999.9, false, 0},
        {"x below lower bound", EntityType::Point, 2, -10000000000.0, 0, false, 1},
        {"x above upper bound", EntityType::Point, 2, 100000000000.0, 0, false, 1},
        {"y below lower bound", EntityType::Line, 2, 0, -10000000000.0, false, 1},
        {"y above upper bound", EntityType::Circle, 2, 0, 1e12, false, 1},
        {"NaN x", EntityType::Point, 2, NaN, 0, false, 1},
        {"NaN y", EntityType::Point, 2, 0, NaN, false, 1},
        {"infinite x", EntityType::Line, 2, Inf, 0, false, 1},
        {"minus infinite y", EntityType::Line, 2, 0, -Inf, false, 1},
        {"dimension word out of range", EntityType::Dimension, 2, 1e300, 0, false, 0},
        {"dimension word NaN", EntityType::Dimension, 2, NaN, 0, false, 0},
        {"dimension value 1 out of range", EntityType::Dimension, 2, 0, 1e300, false, 1},
        {"member dimension word out of range", EntityType::Dimension, 2, 1e300, 0, true, 1},
        {"member point in range", EntityType::Point, 2, 5, 5, true, 0},
        {"member point out of range", EntityType::Point, 2, 5, -1e11, true, 1},
    };
    for (const RangeCase& c : cases) {
        SCOPED_TRACE(c.name);
        CEntityList list;
        CEntity* owner = nullptr;
        if (c.child)
            owner = AddGroupHeader(list);
        const int16_t codes[] = {10, 20};
        const double values[] = {c.v0, c.v1};
        EntityHeader h{c.type, 9, 0, 0, c.count};
        const size_t before = Entities(list).size();
        const int rc = c.child ? list.AddChildEntity(h, codes, 0, values, {}, {}, owner)
                               : list.AddEntity(h, codes, 0, values);
        EXPECT_EQ(rc, c.expected);
        EXPECT_EQ(Entities(list).size(), before + (rc == 0 ? 1 : 0));
    }
}

TEST(EntityListAdd, ChecksOnlyValuesThatExist)
{
    CEntityList list;
    // One value: only value 0 is checked, nothing past the array is read.
    const int16_t codes1[] = {10};
    const double values1[] = {5};
    EXPECT_EQ(list.AddEntity({EntityType::Point, 0, 0, 0, 1}, codes1, 0, values1), 0);
    EXPECT_EQ(list.last->count, 1);
    // A header without values (as a file stores it) needs no arrays at all.
    EXPECT_EQ(list.AddEntity({EntityType::GroupHeader, 0, 0, 0, 0}, nullptr, 0, nullptr), 0);
    EXPECT_EQ(list.last->count, 0);
    EXPECT_TRUE(list.last->values.empty());
    // A missing array for a count that needs it, or a negative count, is refused.
    EXPECT_EQ(list.AddEntity({EntityType::Line, 0, 0, 0, 4}, nullptr, 0, nullptr), 1);
    EXPECT_EQ(list.AddEntity({EntityType::Line, 0, 0, 0, -4}, nullptr, 0, nullptr), 1);
    EXPECT_EQ(Entities(list).size(), 2u);
}

TEST(EntityListAdd, CopiesFieldsAndArrays)
{
    CEntityList list;
    const int16_t codes[] = {10, 20, 40, 50, 51};
    const double values[] = {1, 2, 3, 45, 90};
    ASSERT_EQ(list.AddEntity({EntityType::Arc, -1, 205, 7, 5}, codes, MakeColour(1, 2, 3), values), 0);
    const CEntity* e = list.last;
    EXPECT_EQ(e->type, EntityType::Arc);
    EXPECT_EQ(e->subtype, -1);
    EXPECT_EQ(e->style, 205);
    EXPECT_EQ(e->layer, 7);
    EXPECT_EQ(e->count, 5);
    EXPECT_EQ(e->colour, 0x00030201u);
    EXPECT_EQ(e->state, 0);
    EXPECT_EQ(e->group, 0);
    EXPECT_EQ(e->owner, nullptr);
    EXPECT_EQ(e->codes, (std::vector<int16_t>{10, 20, 40, 50, 51}));
    EXPECT_EQ(e->values, (std::vector<double>{1, 2, 3, 45, 90}));
    EXPECT_TRUE(e->text.empty());
    EXPECT_TRUE(e->font.empty());
    EXPECT_EQ(FindValueIndex(*e, 40), 2);
    EXPECT_EQ(FindValueIndex(*e, 62), -1);
}

TEST(EntityListAdd, ArraysKeptByType)
{
    struct Case {
        int16_t type;
        bool codes;
        bool values;
    } cases[] = {
        {EntityType::Curve, true, true},         {EntityType::CurveVariant25, true, true},
        {EntityType::CurveVariant27, true, true}, {EntityType::FreehandCurve, false, true},
        {EntityType::Polygon, false, true},       {EntityType::Fill, true, true},
        {EntityType::Hatch, true, true},          {12, false, false},
        {99, false, false},                       {0, false, false},
    };
    const int16_t codes[] = {10, 20, 10, 20};
    const double values[] = {0, 0, 1, 1};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        CEntityList list;
        ASSERT_EQ(list.AddEntity({c.type, 0, 0, 0, 4}, codes, 0, values), 0);
        EXPECT_EQ(list.last->codes.size(), c.codes ? 4u : 0u);
        EXPECT_EQ(list.last->values.size(), c.values ? 4u : 0u);
        // The count always matches what the record really holds.
        EXPECT_EQ(list.last->count, static_cast<int16_t>(list.last->values.size()));
    }
    // Types without codes need none.
    CEntityList list;
    EXPECT_EQ(list.AddEntity({EntityType::Polygon, 0, 0, 0, 4}, nullptr, 0, values), 0);
}

TEST(EntityListAdd, TextsAndFonts)
{
    CEntityList list;
    const int16_t codes[] = {10, 20, 30, 40, 50};
    const double values[] = {0, 0, 5, 5, 0};
    const std::string text = "\x82\x60\x82\x61";  // "ＡＢ"

    ASSERT_EQ(list.AddEntity({EntityType::Text, 0, 0, 0, 5}, codes, 0, values, text), 0);
    EXPECT_EQ(list.last->text, text);
    EXPECT_EQ(list.last->font, DefaultTextFont);
    EXPECT_EQ(list.last->font, "\x82\x6c\x82\x72\x83\x53\x83\x56\x83\x62\x83\x4e");

    ASSERT_EQ(list.AddEntity({EntityType::Text, 0, 0, 0, 5}, codes, 0, values, text, "IPAGothic"), 0);
    EXPECT_EQ(list.last->font, "IPAGothic");

    // No text at all is an empty text.
    ASSERT_EQ(list.AddEntity({EntityType::LeaderText, 0, 0, 0, 5}, codes, 0, values), 0);
    EXPECT_EQ(list.last->text, "");
    EXPECT_EQ(list.last->font, DefaultTextFont);

    // A byte string ends at its NUL.
    ASSERT_EQ(list.AddEntity({EntityType::Text, 0, 0, 0, 5}, codes, 0, values, std::string_view("ab\0cd", 5),
                             std::string_view("F\0G", 3)),
              0);
    EXPECT_EQ(list.last->text, "ab");
    EXPECT_EQ(list.last->font, "F");

    const int16_t imageCodes[] = {10, 20, 11, 22};
    ASSERT_EQ(list.AddEntity({EntityType::Image, 0, 0, 0, 4}, imageCodes, 0, values, "/tmp/a.png", "ignored"), 0);
    EXPECT_EQ(list.last->text, "/tmp/a.png");
    EXPECT_TRUE(list.last->font.empty());

    // Types without text keep none.
    ASSERT_EQ(list.AddEntity({EntityType::Line, 0, 0, 0, 4}, imageCodes, 0, values, "x", "y"), 0);
    EXPECT_TRUE(list.last->text.empty());
    EXPECT_TRUE(list.last->font.empty());
}

TEST(EntityListAdd, GroupNumbers)
{
    CEntityList list;
    CEntity* h1 = AddGroupHeader(list);
    EXPECT_EQ(h1->group, 1);
    EXPECT_EQ(list.groupCounter, 2);
    CEntity* h2 = AddGroupHeader(list);
    EXPECT_EQ(h2->group, 2);
    EXPECT_EQ(list.groupCounter, 3);

    // A header added as a member takes its owner's number, not the counter.
    CEntity* nested = AddGroupHeader(list, h1);
    EXPECT_EQ(nested->group, 1);
    EXPECT_EQ(nested->owner, h1);
    EXPECT_EQ(list.groupCounter, 3);

    CEntity* member = AddLine(list, 0, 0, 1, 1, h2);
    EXPECT_EQ(member->group, 2);
    EXPECT_EQ(member->owner, h2);

    // An owner without a group number (a dimension) passes none on.
    const int16_t codes[] = {30, 31};
    const double values[] = {0, 0};
    ASSERT_EQ(list.AddEntity({EntityType::Dimension, 0, 0, 0, 2}, codes, 0, values), 0);
    CEntity* dim = list.last;
    ASSERT_EQ(dim->type, EntityType::Dimension);
    CEntity* piece = AddLine(list, 0, 0, 1, 0, dim);
    EXPECT_EQ(piece->group, 0);

    // A member needs an owner.
    const int16_t lc[] = {10, 20, 11, 22};
    const double lv[] = {0, 0, 1, 1};
    EXPECT_EQ(list.AddChildEntity({EntityType::Line, 0, 0, 0, 4}, lc, 0, lv, {}, {}, nullptr), 1);
}

TEST(EntityListAdd, MemberPiecesSkipTheCoordinateTest)
{
    CEntityList list;
    const int16_t codes[] = {30, 31};
    const double values[] = {0, 0};
    ASSERT_EQ(list.AddEntity({EntityType::Dimension, 0, 0, 0, 2}, codes, 0, values), 0);
    CEntity* dim = list.last;
    const int16_t lc[] = {10, 20, 11, 22};
    const double far[] = {1e12, 0, 0, 0};
    CEntity* piece = list.AddMemberEntity({EntityType::Line, 0, 0, 0, 4}, lc, 0, far, {}, {}, dim);
    ASSERT_NE(piece, nullptr);
    EXPECT_EQ(list.last, piece);
    EXPECT_EQ(piece->owner, dim);
    EXPECT_EQ(piece->group, 0);
}

TEST(EntityListAdd, AppendsAtTheTail)
{
    CEntityList list;
    CEntity* a = AddPoint(list, 0, 0);
    CEntity* b = AddPoint(list, 1, 1);
    CEntity* c = AddPoint(list, 2, 2);
    EXPECT_EQ(Entities(list), (std::vector<CEntity*>{a, b, c}));
    // A refused entity leaves the list as it was.
    EXPECT_EQ(AddPoint(list, NaN, 0), nullptr);
    EXPECT_EQ(Entities(list), (std::vector<CEntity*>{a, b, c}));
}

TEST(EntityListRemoveAll, EmptiesTheListAndResetsTheGroupCounter)
{
    CEntityList list;
    list.RemoveAll();  // on an empty list: nothing changes
    EXPECT_EQ(list.first, nullptr);
    EXPECT_EQ(list.groupCounter, 1);

    AddGrid(list);
    AddGroupHeader(list);
    AddLine(list, 0, 0, 1, 1, list.last);
    EXPECT_EQ(list.groupCounter, 2);
    list.RemoveAll();
    EXPECT_EQ(list.first, nullptr);
    EXPECT_EQ(list.last, nullptr);
    EXPECT_EQ(list.groupCounter, 1);

    // The list is usable again afterwards.
    CEntity* p = AddPoint(list, 3, 4);
    EXPECT_EQ(Entities(list), std::vector<CEntity*>{p});
    EXPECT_EQ(AddGroupHeader(list)->group, 1);
}

TEST(EntityListRemoveAll, DropsAStepStillHeld)
{
    // Each undo state, then RemoveAll without discarding first: nothing may be
    // freed twice or leak (checked under the sanitizers).
    for (int steps = 0; steps < 4; ++steps) {
        SCOPED_TRACE(steps);
        CEntityList list;
        AddGrid(list);
        AddLine(list, 0, 0, 1, 1);
        for (int i = 0; i < steps; ++i)
            list.UndoRedo();
        list.RemoveAll();
        EXPECT_EQ(list.first, nullptr);
        EXPECT_EQ(list.undoChain, nullptr);
        EXPECT_EQ(list.undoState, UndoState::Normal);
        AddPoint(list, 0, 0);
        list.UndoRedo();
        list.UndoRedo();
        EXPECT_EQ(Entities(list).size(), 1u);
    }
}

TEST(EntityListFreeChain, FreesADetachedChain)
{
    CEntityList list;
    CEntityList other;
    AddPoint(other, 0, 0);
    AddPoint(other, 1, 0);
    CEntity* chain = other.first;
    other.first = other.last = nullptr;  // detach
    list.groupCounter = 5;
    list.FreeChain(chain);
    EXPECT_EQ(list.first, nullptr);
    EXPECT_EQ(list.groupCounter, 1);
}

TEST(EntityBufferTest, IsAnOrdinaryList)
{
    EntityBuffer.RemoveAll();
    AddLine(EntityBuffer, 0, 0, 10, 0);
    EXPECT_EQ(Entities(EntityBuffer).size(), 1u);
    EntityBuffer.RemoveAll();
    EXPECT_EQ(EntityBuffer.first, nullptr);
}

TEST(EntityListAdd, DimensionOfAnUnknownKindBuildsNoMembers)
{
    CEntityList list;
    const int16_t codes[] = {30, 31, 32, 10, 11, 12, 13, 40, 41};
    const double values[] = {0, 0, 0, 25, 2.5, 0, 1100, 5, 5};
    for (int16_t kind : {int16_t(9), int16_t(-1)}) {
        SCOPED_TRACE(kind);
        list.RemoveAll();
        ASSERT_EQ(list.AddEntity({EntityType::Dimension, kind, 1, 0, 9}, codes, 0, values), 0);
        EXPECT_EQ(Entities(list).size(), 1u);
        EXPECT_EQ(list.last->type, EntityType::Dimension);
    }
    // An area dimension (kind 8) builds its texts behind it, owned by it.
    list.RemoveAll();
    ASSERT_EQ(list.AddEntity({EntityType::Dimension, 8, 1, 0, 9}, codes, 0, values), 0);
    const auto all = Entities(list);
    ASSERT_GT(all.size(), 1u);
    for (size_t i = 1; i < all.size(); ++i)
        EXPECT_EQ(all[i]->owner, all[0]);
}
