#include "model/Entity.h"
#include "model/EntityString.h"
#include "model/InlineArray.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Values = InlineArray<double, 4>;

std::vector<double> Seq(int n, double from = 0)
{
    std::vector<double> v;
    for (int i = 0; i < n; ++i)
        v.push_back(from + i);
    return v;
}

// Every edit behaves as on std::vector, whether the elements sit inside the
// array, on the heap, or move from one to the other during the edit.
TEST(InlineArrayTest, EditsMatchAVectorAcrossTheInlineLimit)
{
    for (int start = 0; start <= 7; ++start) {
        SCOPED_TRACE(start);
        const std::vector<double> init = Seq(start, 1);
        struct Edit {
            const char* name;
            void (*onArray)(Values&);
            void (*onVector)(std::vector<double>&);
        };
        const Edit edits[] = {
            {"push_back", [](Values& a) { a.push_back(9); }, [](std::vector<double>& v) { v.push_back(9); }},
            {"push_back own element",
             [](Values& a) {
                 if (!a.empty())
                     a.push_back(a[0]);
             },
             [](std::vector<double>& v) {
                 if (!v.empty())
                     v.push_back(v[0]);
             }},
            {"insert front 3", [](Values& a) { a.insert(a.begin(), 3, 7.5); },
             [](std::vector<double>& v) { v.insert(v.begin(), 3, 7.5); }},
            {"insert own range at end", [](Values& a) { a.insert(a.end(), a.begin(), a.end()); },
             [](std::vector<double>& v) {
                 const std::vector<double> c = v;
                 v.insert(v.end(), c.begin(), c.end());
             }},
            {"erase middle",
             [](Values& a) {
                 if (a.size() >= 3)
                     a.erase(a.begin() + 1, a.begin() + 3);
             },
             [](std::vector<double>& v) {
                 if (v.size() >= 3)
                     v.erase(v.begin() + 1, v.begin() + 3);
             }},
            {"resize 6 then 2",
             [](Values& a) {
                 a.resize(6, -1);
                 a.resize(2);
             },
             [](std::vector<double>& v) {
                 v.resize(6, -1);
                 v.resize(2);
             }},
            {"assign 5", [](Values& a) { a.assign(5, 2.5); }, [](std::vector<double>& v) { v.assign(5, 2.5); }},
            {"clear then push", [](Values& a) {
                 a.clear();
                 a.push_back(4);
             },
             [](std::vector<double>& v) {
                 v.clear();
                 v.push_back(4);
             }},
        };
        for (const Edit& edit : edits) {
            SCOPED_TRACE(edit.name);
            Values a(init.begin(), init.end());
            std::vector<double> v = init;
            edit.onArray(a);
            edit.onVector(v);
            EXPECT_EQ(a.ToVector(), v);
            EXPECT_TRUE(a == v);
        }
    }
}

TEST(InlineArrayTest, CopiesAndMovesKeepTheirOwnElements)
{
    for (int n : {2, 4, 9}) {
        SCOPED_TRACE(n);
        Values a(Seq(n));
        Values copy = a;
        copy[0] = 100;
        EXPECT_EQ(a[0], 0);  // a copy never shares the heap block

        Values moved = std::move(copy);
        EXPECT_EQ(moved.size(), static_cast<size_t>(n));
        EXPECT_EQ(moved[0], 100);
        EXPECT_TRUE(copy.empty());  // NOLINT(bugprone-use-after-move): a moved-from array is empty and usable
        copy.push_back(1);
        EXPECT_EQ(copy.size(), 1u);

        moved = a;  // heap or inline into heap or inline
        EXPECT_TRUE(moved == a);
        a = std::move(moved);
        EXPECT_EQ(a.ToVector(), Seq(n));
        a = a;  // NOLINT: self-assignment keeps the elements
        EXPECT_EQ(a.ToVector(), Seq(n));
    }
}

TEST(InlineArrayTest, AssignFromItselfAndFromLists)
{
    Values a{1, 2, 3, 4, 5, 6};
    a.assign(a.begin() + 2, a.end());
    EXPECT_EQ(a.ToVector(), (std::vector<double>{3, 4, 5, 6}));
    a = {7, 8};
    EXPECT_EQ(a.ToVector(), (std::vector<double>{7, 8}));
    a = std::vector<double>{1, 2, 3, 4, 5};
    EXPECT_EQ(a.size(), 5u);
    EXPECT_THROW(a.at(5), std::out_of_range);
}

TEST(EntityStringTest, ReadsAndComparesLikeAString)
{
    EntityString s;
    EXPECT_TRUE(s.empty());
    EXPECT_EQ(s.str(), "");
    s = std::string("abc");
    const std::string& r = s;
    EXPECT_EQ(r, "abc");
    EXPECT_TRUE(s == "abc");
    EntityString copy = s;
    copy += "d";
    EXPECT_EQ(copy.str(), "abcd");
    EXPECT_EQ(s.str(), "abc");
    s = "";
    EXPECT_TRUE(s.empty());
    EXPECT_EQ(std::string_view(copy).substr(1), "bcd");
}

// A line's codes and values need no heap block, and the record is a third
// smaller than with vectors and strings: what a million-line drawing holds.
TEST(InlineArrayTest, TheEntityRecordStaysSmall)
{
    static_assert(sizeof(InlineArray<int16_t, 4>) == 16);
    static_assert(sizeof(InlineArray<double, 4>) == 40);
    static_assert(sizeof(EntityString) == sizeof(void*));
    EXPECT_LE(sizeof(CEntity), 136u);
}

} // namespace
