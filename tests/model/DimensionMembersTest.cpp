#include "model/DimensionMembers.h"
#include "model/DimensionText.h"
#include "model/EntityList.h"
#include "model/Settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

const std::string PlusMinus = "\x81\x7d";
const std::string Degree = "\x81\x8b";

// A dimension record as the dimension tool lays it out: the head, the two
// tolerances, then (code, value) pairs in order.
struct Record {
    int16_t kind = 0;
    double head = 0;
    double tol1 = 0, tol2 = 0;
    std::vector<std::pair<int16_t, double>> rest;

    CEntity* AddTo(CEntityList& list) const
    {
        std::vector<int16_t> codes{30, 31, 32};
        std::vector<double> values{head, tol1, tol2};
        for (auto [c, v] : rest) {
            codes.push_back(c);
            values.push_back(v);
        }
        EntityHeader h;
        h.type = 50;
        h.subtype = kind;
        h.style = 3;
        h.layer = 7;
        h.count = static_cast<int16_t>(values.size());
        EXPECT_EQ(list.AddEntity(h, codes.data(), 0x123456, values.data()), 0);
        for (CEntity* e = list.last; e; e = e->previous)
            if (e->type == 50)
                return e;
        return nullptr;
    }
};

std::vector<CEntity*> Members(const CEntity* dim)
{
    std::vector<CEntity*> out;
    for (CEntity* e = dim->next; e && e->owner == dim; e = e->next)
        out.push_back(e);
    return out;
}

std::vector<CEntity*> OfType(const std::vector<CEntity*>& v, int16_t type)
{
    std::vector<CEntity*> out;
    for (CEntity* e : v)
        if (e->type == type)
            out.push_back(e);
    return out;
}

// Distance from (0, 0) to (100, 0) measuring the object point (0, -10).
Record Distance(double style13, double h = 5)
{
    Record r;
    r.kind = 0;
    r.rest = {{10, 100}, {11, h}, {12, 0}, {13, style13}, {14, 0}, {15, 8}, {16, 8}, {18, 2}, {19, 2},
              {21, 0},  {22, -10}, {40, 0}, {41, 0}, {50, 100}, {51, 0}};
    return r;
}

class DimensionMembers : public ::testing::Test {
protected:
    void SetUp() override { savedFont = DimFontName; }
    void TearDown() override { DimFontName = savedFont; }
    std::string savedFont;
    CEntityList list;
};

TEST_F(DimensionMembers, DistanceGivesItsLineAndARaisedValueText)
{
    CEntity* dim = Distance(10).AddTo(list);
    const auto m = Members(dim);
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0]->type, 20);
    EXPECT_EQ(m[0]->values, (std::vector<double>{0, 0, 100, 0}));
    EXPECT_EQ(m[0]->codes, (std::vector<int16_t>{10, 20, 11, 22}));
    EXPECT_EQ(m[1]->type, 40);
    EXPECT_EQ(m[1]->text, "100.0");
    EXPECT_EQ(m[1]->codes, (std::vector<int16_t>{10, 20, 30, 40, 50}));
    EXPECT_NEAR(m[1]->values[0], 43.75, 1e-9);
    EXPECT_NEAR(m[1]->values[1], 5.0 / 3.0, 1e-9);
    EXPECT_EQ(m[1]->values[2], 5);
    EXPECT_EQ(m[1]->values[3], 5);
    EXPECT_EQ(m[1]->values[4], 0);
    for (CEntity* e : m) {
        EXPECT_EQ(e->owner, dim);
        EXPECT_EQ(e->style, 3);
        EXPECT_EQ(e->layer, 7);
        EXPECT_EQ(e->colour, 0x123456u);
        EXPECT_EQ(e->state, 0);
        EXPECT_EQ(e->group, 0);
    }
    EXPECT_EQ(m[0]->subtype, 0);  // member lines carry the kind
    EXPECT_EQ(list.last, m.back());
}

TEST_F(DimensionMembers, ExtensionLinesFollowTheStyleDigits)
{
    CEntity* dim = Distance(1110).AddTo(list);
    const auto lines = OfType(Members(dim), 20);
    ASSERT_EQ(lines.size(), 3u);
    // First: from 8 towards the object point to 2 beyond the dimension line.
    EXPECT_NEAR(lines[1]->values[0], 0, 1e-9);
    EXPECT_NEAR(lines[1]->values[1], -8, 1e-9);
    EXPECT_NEAR(lines[1]->values[2], 0, 1e-9);
    EXPECT_NEAR(lines[1]->values[3], 2, 1e-9);
    // Second, on the object's side of the dimension line.
    EXPECT_NEAR(lines[2]->values[0], 100, 1e-9);
    EXPECT_NEAR(lines[2]->values[1], -8, 1e-9);
    EXPECT_NEAR(lines[2]->values[2], 100, 1e-9);
    EXPECT_NEAR(lines[2]->values[3], 2, 1e-9);

    CEntityList other;
    EXPECT_EQ(OfType(Members(Distance(1010).AddTo(other)), 20).size(), 2u);
}

TEST_F(DimensionMembers, ToleranceTextsFollowTheValue)
{
    Record r = Distance(10);
    r.head = PackDimensionLabelHead(3, "");
    r.tol1 = 0.1;
    r.tol2 = 0.05;
    const auto texts = OfType(Members(r.AddTo(list)), 40);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0]->text, "100.0");
    // The value text moves back by the width of the tolerance part: 5 bytes.
    const double x = 50 - 6.25 - 5 * 0.125 * 5;
    EXPECT_NEAR(texts[0]->values[0], x, 1e-9);
    EXPECT_EQ(texts[1]->text, "+0.1");
    EXPECT_EQ(texts[1]->values[2], 2.5);
    EXPECT_NEAR(texts[1]->values[0], x + 12.5, 1e-9);
    EXPECT_NEAR(texts[1]->values[1], 5.0 / 3 + 2.5, 1e-9);
    EXPECT_EQ(texts[2]->text, "-0.05");
    EXPECT_EQ(texts[2]->values[2], 2.5);
    EXPECT_NEAR(texts[2]->values[0], x + 12.5, 1e-9);
    EXPECT_NEAR(texts[2]->values[1], 5.0 / 3, 1e-9);
}

TEST_F(DimensionMembers, SideBySideToleranceIsPartOfTheValueText)
{
    for (auto [tol, expected] : {std::pair{0.2, std::string("100.0") + PlusMinus + "0.2"},
                                 std::pair{0.0, std::string("100.0")}}) {
        CEntityList l;
        Record r = Distance(10);
        r.head = PackDimensionLabelHead(1, "");
        r.tol1 = tol;
        const auto texts = OfType(Members(r.AddTo(l)), 40);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0]->text, expected);
    }
}

TEST_F(DimensionMembers, RadiusWithPrefix)
{
    Record r;
    r.kind = 4;
    r.head = PackDimensionLabelHead(0, "R");
    r.rest = {{10, 12.5}, {11, 3}, {12, 30}, {13, 1110}, {14, 0}, {15, 0}, {16, 0}, {18, 0}, {19, 0},
              {42, 7},    {43, 8}, {40, 10}, {41, 0},    {50, 0},  {51, 0}};
    const auto m = Members(r.AddTo(list));
    const auto texts = OfType(m, 40);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->text, "R12.5");
    EXPECT_EQ(texts[0]->values, (std::vector<double>{7, 8, 3, 3, 30}));
    EXPECT_EQ(OfType(m, 20).front()->values, (std::vector<double>{10, 0, 0, 0}));
}

TEST_F(DimensionMembers, PrefixLengthZeroShowsNoPrefix)
{
    Record r = Distance(0);
    r.head = PackDimensionLabelHead(0, "AB");
    unsigned char b[8];
    std::memcpy(b, &r.head, 8);
    b[2] = 0;  // length 0, bytes still there
    std::memcpy(&r.head, b, 8);
    EXPECT_EQ(OfType(Members(r.AddTo(list)), 40)[0]->text, "100");
}

TEST_F(DimensionMembers, FourBytePrefixHasNoTerminator)
{
    const std::string prefix = "\x83\x66\x83\x66";  // two double-byte characters
    const DimensionLabelHead h = UnpackDimensionLabelHead(PackDimensionLabelHead(2, prefix));
    EXPECT_EQ(h.toleranceType, 2);
    EXPECT_EQ(h.prefixLength, 4);
    EXPECT_EQ(h.Prefix(), prefix);
    // A longer prefix is cut on a character boundary.
    EXPECT_EQ(UnpackDimensionLabelHead(PackDimensionLabelHead(0, "a\x83\x66\x83\x66")).Prefix(), "a\x83\x66");
    Record r = Distance(0);
    r.head = PackDimensionLabelHead(0, prefix);
    EXPECT_EQ(OfType(Members(r.AddTo(list)), 40)[0]->text, prefix + "100");
}

Record Angle(int16_t kind)
{
    Record r;
    r.kind = kind;
    r.rest = {{10, 90}, {11, 4}, {12, 0}, {13, 1100}, {14, 0}, {15, 0}, {16, 0}, {18, 3}, {19, 3},
              {23, 1},  {24, 2}, {25, 10}, {26, 0},   {27, 90}, {42, 20}, {43, 21}};
    return r;
}

TEST_F(DimensionMembers, AngleKinds)
{
    const auto m6 = Members(Angle(6).AddTo(list));
    ASSERT_EQ(m6.size(), 2u);
    EXPECT_EQ(m6[0]->type, 31);
    EXPECT_EQ(m6[0]->subtype, 1);
    EXPECT_EQ(m6[0]->values, (std::vector<double>{1, 2, 10, 0, 90}));
    EXPECT_EQ(m6[1]->text, "90" + Degree);

    CEntityList other;
    const auto m7 = Members(Angle(7).AddTo(other));
    ASSERT_EQ(m7.size(), 4u);
    EXPECT_EQ(m7[2]->type, 20);
    EXPECT_NEAR(m7[2]->values[2], 14, 1e-9);  // 3 beyond the arc at 0 degrees
    EXPECT_NEAR(m7[2]->values[3], 2, 1e-9);
    EXPECT_NEAR(m7[3]->values[2], 1, 1e-9);   // and at 90 degrees
    EXPECT_NEAR(m7[3]->values[3], 15, 1e-9);
    EXPECT_EQ(m7[2]->values[0], 1);
    EXPECT_EQ(m7[2]->values[1], 2);
}

TEST_F(DimensionMembers, AngleTolerancesStartOneByteEarlier)
{
    Record r = Angle(6);
    r.head = PackDimensionLabelHead(4, "");
    r.tol1 = 0.5;
    const auto texts = OfType(Members(r.AddTo(list)), 40);
    ASSERT_EQ(texts.size(), 3u);
    const double along = (texts[0]->text.size() - 1) * 4 / 2.0;
    EXPECT_NEAR(texts[1]->values[0], 20 + along, 1e-9);
    EXPECT_NEAR(texts[1]->values[1], 23, 1e-9);
    EXPECT_EQ(texts[1]->text, "+0.5");
    EXPECT_EQ(texts[2]->text, " 0");
}

TEST_F(DimensionMembers, AreaGivesTextsOnlyAndUnknownKindsNothing)
{
    Record r;
    r.kind = 8;
    r.head = PackDimensionLabelHead(5, "A");
    r.tol2 = 0.25;
    r.rest = {{10, 1234.5678}, {11, 5}, {12, 0}, {13, 1120}, {40, 3}, {41, 4}};
    const auto m = Members(r.AddTo(list));
    ASSERT_EQ(m.size(), 3u);
    for (CEntity* e : m)
        EXPECT_EQ(e->type, 40);
    EXPECT_EQ(m[0]->text, "A1234.57");
    EXPECT_EQ(m[1]->text, " 0");
    EXPECT_EQ(m[2]->text, "-0.25");

    CEntityList other;
    r.kind = 9;
    EXPECT_TRUE(Members(r.AddTo(other)).empty());
}

TEST_F(DimensionMembers, PerimeterGivesTextThenLeader)
{
    Record r;
    r.kind = 3;
    r.rest = {{10, 31.4159}, {11, 5}, {12, 0}, {13, 1110}, {14, 0}, {40, 0}, {41, 0}, {50, 10},
              {51, 10},      {60, 40}, {61, 10}, {42, 12}, {43, 11}};
    const auto m = Members(r.AddTo(list));
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(m[0]->text, "31.4");
    EXPECT_EQ(m[1]->values, (std::vector<double>{0, 0, 10, 10}));
    EXPECT_EQ(m[2]->values, (std::vector<double>{10, 10, 40, 10}));
}

TEST_F(DimensionMembers, ChainOfFourPoints)
{
    Record r;
    r.kind = 1;
    r.rest = {{10, 60}, {11, 2}, {12, 0}, {13, 1100}, {14, 0}, {15, 5}, {16, 5}, {17, 4}, {18, 1},
              {19, 1},  {20, 1}, {21, 0}, {22, -10},  {40, 0}, {41, 0}, {50, 10}, {51, 0}, {60, 30},
              {61, 0},  {70, 60}, {71, 0}};
    const auto m = Members(r.AddTo(list));
    const auto lines = OfType(m, 20);
    const auto texts = OfType(m, 40);
    ASSERT_EQ(lines.size(), 5u);  // dimension line, two end and two inner extension lines
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(lines[0]->values, (std::vector<double>{0, 0, 60, 0}));
    EXPECT_EQ(texts[0]->text, "10");
    EXPECT_EQ(texts[1]->text, "20");
    EXPECT_EQ(texts[2]->text, "30");
    // Inner extension line at (10, 0): 4 towards the object, 1 beyond.
    EXPECT_NEAR(lines[3]->values[0], 10, 1e-9);
    EXPECT_NEAR(lines[3]->values[1], -4, 1e-9);
    EXPECT_NEAR(lines[3]->values[3], 1, 1e-9);
    // Each segment text starts half its width (2 bytes of h / 2) before the
    // segment's middle.
    EXPECT_NEAR(texts[1]->values[0], 10 + 10 - 1, 1e-9);
    EXPECT_NEAR(texts[2]->values[0], 30 + 15 - 1, 1e-9);
}

TEST_F(DimensionMembers, MemberFontIsTheDimensionFontCutTo15Bytes)
{
    DimFontName = std::string("\x82\x6c\x82\x72") + " 0123456789\x83\x53\x83\x56";
    const auto texts = OfType(Members(Distance(10).AddTo(list)), 40);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->font, std::string("\x82\x6c\x82\x72") + " 0123456789");  // 15 bytes, no half character
}

TEST_F(DimensionMembers, UnsoundRecordsBuildNothing)
{
    std::vector<Record> bad;
    {
        Record r = Distance(1110);
        unsigned char b[8] = {0, 0, 5, 0, 'a', 'b', 'c', 'd'};  // prefix length 5
        std::memcpy(&r.head, b, 8);
        bad.push_back(r);
    }
    {
        Record r = Distance(1110);
        unsigned char b[8] = {0, 0, 0xFF, 0xFF, 'a', 'b', 'c', 'd'};
        std::memcpy(&r.head, b, 8);
        bad.push_back(r);
    }
    {
        Record r = Distance(1110);
        r.rest.erase(r.rest.begin() + 1);  // no text height
        bad.push_back(r);
    }
    {
        Record r = Distance(1110);
        r.rest.resize(r.rest.size() - 2);  // one point only
        bad.push_back(r);
    }
    {
        Record r = Distance(1110);
        r.rest.back().first = 52;  // second point without its y
        bad.push_back(r);
    }
    {
        Record r = Distance(1110);
        r.rest.push_back({450, 1});
        r.rest.push_back({451, 1});
        bad.push_back(r);
    }
    {
        Record r = Angle(7);
        r.rest.erase(r.rest.begin() + 9);  // no centre x
        bad.push_back(r);
    }
    {
        Record r;
        r.kind = 8;
        r.rest = {{10, 1}, {11, 5}, {12, 0}, {13, 0}, {40, 3}};
        bad.push_back(r);
    }
    for (std::size_t i = 0; i < bad.size(); ++i) {
        CEntityList l;
        CEntity* dim = bad[i].AddTo(l);
        ASSERT_NE(dim, nullptr);
        EXPECT_TRUE(Members(dim).empty()) << "record " << i;
    }
    // Fewer than three values.
    CEntityList l;
    const int16_t codes[2] = {30, 31};
    const double values[2] = {0, 0};
    EntityHeader h;
    h.type = 50;
    h.count = 2;
    ASSERT_EQ(l.AddEntity(h, codes, 0, values), 0);
    EXPECT_EQ(l.first, l.last);
}

TEST_F(DimensionMembers, OddStyleWordsAndHugeValuesStaySafe)
{
    Record r = Distance(1e300);
    r.rest[0].second = 1e300;
    CEntity* dim = r.AddTo(list);
    EXPECT_EQ(Members(dim).size(), 2u);
    CEntityList other;
    Record n = Distance(std::nan(""));
    EXPECT_EQ(Members(n.AddTo(other)).size(), 2u);
}

TEST(DimensionText, TrimmedNumbers)
{
    EXPECT_EQ(TrimmedToleranceNumber("+", 0.1), "+0.1");
    EXPECT_EQ(TrimmedToleranceNumber("-", 0.05), "-0.05");
    EXPECT_EQ(TrimmedToleranceNumber("+", 0.0), "+0");
    EXPECT_EQ(TrimmedToleranceNumber("+", 10.0), "+10");
    EXPECT_EQ(TrimmedToleranceNumber("", 0.0), "0");
    EXPECT_EQ(TrimmedToleranceNumber(PlusMinus, 0.0015), PlusMinus + "0.0015");
    EXPECT_GT(TrimmedToleranceNumber("+", 1e300).size(), 300u);
}

TEST(DimensionText, ValueTextDecimalsComeFromTheStyleDigit)
{
    DimensionLabelHead none;
    EXPECT_EQ(DimensionValueText(12.345678, 6, false, none, 0), "12.345678");
    EXPECT_EQ(DimensionValueText(12.4, 0, false, none, 0), "12");
    EXPECT_EQ(DimensionValueText(45, 0, true, none, 0), "45" + Degree);
}

} // namespace
