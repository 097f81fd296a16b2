// Offsetting marked entities: chains and their classes, the inside of a
// closed chain, the pieces of closed and open chains joined at their
// vertices, and single circles and ellipses.

#include "model/EntityList.h"
#include "model/OffsetChain.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

class OffsetChainTest : public ::testing::Test {
protected:
    CEntity* Add(int16_t type, int16_t subtype, std::vector<int16_t> codes, std::vector<double> v, bool marked = true)
    {
        EntityHeader h{type, subtype, 0, 0, static_cast<int16_t>(v.size())};
        EXPECT_EQ(list.AddEntity(h, codes.data(), 0, v.data()), 0);
        list.last->state = marked ? EntityState::Marked : EntityState::Normal;
        return list.last;
    }
    CEntity* Line(double x1, double y1, double x2, double y2, bool marked = true)
    {
        return Add(EntityType::Line, 0, {10, 20, 11, 22}, {x1, y1, x2, y2}, marked);
    }
    // Pieces of lines as (x1, y1, x2, y2) rounded, each with its ends in
    // order, sorted.
    static std::vector<std::vector<double>> Lines(const OffsetChains::Result& r)
    {
        std::vector<std::vector<double>> out;
        for (const OffsetPiece& p : r.pieces) {
            if (p.type != EntityType::Line)
                continue;
            std::vector<double> v = p.values;
            for (double& d : v)
                d = std::round(d * 1000) / 1000 + 0.0;
            if (std::tie(v[2], v[3]) < std::tie(v[0], v[1]))
                v = {v[2], v[3], v[0], v[1]};
            out.push_back(v);
        }
        std::sort(out.begin(), out.end());
        return out;
    }

    CEntityList list;
};

TEST_F(OffsetChainTest, ClassesOfChains)
{
    // A closed rectangle, an open chain of three, an isolated line, and a
    // chain broken by an unmarked line.
    CEntity* r1 = Line(0, 0, 100, 0);
    Line(100, 0, 100, 50);
    Line(100, 50, 0, 50);
    Line(0, 50, 0, 0);
    CEntity* a = Line(200, 0, 300, 0);
    CEntity* b = Line(300, 0, 300, 100);
    CEntity* c = Line(400, 100, 300, 100.3);  // joined within 0.5
    CEntity* alone = Line(500, 0, 600, 0);
    CEntity* left = Line(700, 0, 800, 0);
    Line(800, 0, 900, 0, false);
    CEntity* right = Line(900, 0, 1000, 0);
    const OffsetChains chains(list);
    EXPECT_EQ(chains.ClassifyChain(r1), 0);
    EXPECT_EQ(chains.ClassifyChain(a), 1);
    EXPECT_EQ(chains.ClassifyChain(b), 3);
    EXPECT_EQ(chains.ClassifyChain(c), 1);
    EXPECT_EQ(chains.ClassifyChain(alone), -1);
    EXPECT_EQ(chains.ClassifyChain(left), -1);
    EXPECT_EQ(chains.ClassifyChain(right), -1);
    EXPECT_EQ(chains.FindChainStart(b), a);
    EXPECT_EQ(chains.FindChainStart(r1), r1);
    EXPECT_TRUE(chains.IsPointInsideChain(r1, 50, 25));
    EXPECT_FALSE(chains.IsPointInsideChain(r1, 150, 25));
    EXPECT_FALSE(chains.IsPointInsideChain(r1, -10, 25));
}

TEST_F(OffsetChainTest, RectangleInsideAndOutside)
{
    Line(0, 0, 100, 0);
    Line(100, 0, 100, 50);
    Line(100, 50, 0, 50);
    Line(0, 50, 0, 0);
    const OffsetChains chains(list);
    const OffsetChains::Result inside = chains.Offset(50, 25, 10);
    EXPECT_EQ(Lines(inside), (std::vector<std::vector<double>>{
                                 {10, 10, 10, 40}, {10, 10, 90, 10}, {10, 40, 90, 40}, {90, 10, 90, 40}}));
    EXPECT_EQ(inside.handled.size(), 4u);
    const OffsetChains::Result outside = chains.Offset(-5, 25, 10);
    EXPECT_EQ(Lines(outside), (std::vector<std::vector<double>>{{-10, -10, -10, 60},
                                                                {-10, -10, 110, -10},
                                                                {-10, 60, 110, 60},
                                                                {110, -10, 110, 60}}));
}

TEST_F(OffsetChainTest, OpenCornerOnTheConcaveSide)
{
    Line(0, 0, 100, 0);
    Line(100, 0, 100, 80);
    const OffsetChains::Result r = OffsetChains(list).Offset(50, 20, 10);
    EXPECT_EQ(Lines(r), (std::vector<std::vector<double>>{{0, 10, 90, 10}, {90, 10, 90, 80}}));
}

TEST_F(OffsetChainTest, LineTangentToAnArcJoinsAtTheTangentPoint)
{
    Line(0, 0, 50, 0);
    // From (50, 0) counter-clockwise a quarter round to (80, 30).
    Add(EntityType::Arc, 1, {10, 20, 40, 50, 51}, {50, 30, 30, 270, 360});
    const OffsetChains::Result r = OffsetChains(list).Offset(40, 10, 5);
    ASSERT_EQ(r.pieces.size(), 2u);
    const OffsetPiece& line = r.pieces[0];
    const OffsetPiece& arc = r.pieces[1];
    EXPECT_EQ(line.type, EntityType::Line);
    EXPECT_NEAR(line.values[0], 0, 1e-6);
    EXPECT_NEAR(line.values[1], 5, 1e-6);
    EXPECT_NEAR(line.values[2], 50, 0.05);
    EXPECT_NEAR(line.values[3], 5, 1e-6);
    EXPECT_EQ(arc.type, EntityType::Arc);
    EXPECT_EQ(arc.subtype, 1);
    EXPECT_NEAR(arc.values[2], 25, 1e-6);
    EXPECT_NEAR(arc.values[3], 270, 0.2);
    EXPECT_NEAR(arc.values[4], 0, 1e-6);
}

TEST_F(OffsetChainTest, CirclesEllipsesAndWhatIsLeftMarked)
{
    CEntity* circle = Add(EntityType::Circle, 0, {10, 20, 40}, {0, 0, 5});
    CEntity* ellipse = Add(EntityType::Ellipse, 0, {10, 20, 60, 61, 62}, {100, 0, 40, 20, 0});
    CEntity* point = Add(EntityType::Point, 0, {10, 20}, {300, 300});
    // Clicked inside both: the circle would pass its centre, so it has no
    // copy; the ellipse shrinks.
    const OffsetChains chains(list);
    OffsetChains::Result r = chains.Offset(1, 1, 8);
    for (const OffsetPiece& p : r.pieces)
        EXPECT_NE(p.source, circle);
    EXPECT_EQ(r.collapsed, std::vector<const CEntity*>{circle});
    const auto hasPoint = std::find(r.handled.begin(), r.handled.end(), point) != r.handled.end();
    EXPECT_FALSE(hasPoint);

    r = chains.Offset(105, 2, 4);
    const OffsetPiece* e = nullptr;
    for (const OffsetPiece& p : r.pieces)
        if (p.source == ellipse)
            e = &p;
    ASSERT_TRUE(e);
    EXPECT_EQ(e->type, EntityType::Ellipse);
    EXPECT_DOUBLE_EQ(e->values[2], 36);
    EXPECT_DOUBLE_EQ(e->values[3], 16);
    // The circle clicked from outside grows.
    EXPECT_DOUBLE_EQ(r.pieces[0].values[2], 9);
}

TEST_F(OffsetChainTest, AnOffsetPastTheCentreMakesNoPiece)
{
    struct Case {
        const char* what;
        int16_t type, subtype;
        std::vector<int16_t> codes;
        std::vector<double> values;
        double d;
        double outX, outY;  // a click on the side where the copy grows
    } cases[] = {
        {"circle past its centre", EntityType::Circle, 0, {10, 20, 40}, {0, 0, 10}, 15, 100, 100},
        {"circle onto its centre", EntityType::Circle, 0, {10, 20, 40}, {0, 0, 10}, 10, 100, 100},
        {"arc past its centre", EntityType::Arc, 1, {10, 20, 40, 50, 51}, {0, 0, 10, 0, 90}, 15, 100, 100},
        {"clockwise arc past its centre", EntityType::Arc, -1, {10, 20, 40, 50, 51}, {0, 0, 10, 0, 90}, 12, -100,
         -100},
        {"ellipse past its minor radius", EntityType::Ellipse, 0, {10, 20, 60, 61, 62}, {0, 0, 40, 20, 0}, 25, 100,
         100},
        {"elliptic arc past its minor radius", EntityType::EllipticArc, 0, {10, 20, 60, 61, 62, 50, 51},
         {0, 0, 40, 20, 0, 0, 180}, 20, 100, 100},
    };
    for (const Case& c : cases) {
        list.RemoveAll();
        CEntity* e = Add(c.type, c.subtype, c.codes, c.values);
        const OffsetChains::Result r = OffsetChains(list).Offset(1, 1, c.d);  // inside
        EXPECT_TRUE(r.pieces.empty()) << c.what << ": radius " << (r.pieces.empty() ? 0 : r.pieces[0].values[2]);
        EXPECT_EQ(r.collapsed, std::vector<const CEntity*>{e}) << c.what;
        // The other way the copy grows as usual.
        const OffsetChains::Result out = OffsetChains(list).Offset(c.outX, c.outY, c.d);
        ASSERT_EQ(out.pieces.size(), 1u) << c.what;
        EXPECT_DOUBLE_EQ(out.pieces[0].values[2], c.values[2] + c.d) << c.what;
        EXPECT_TRUE(out.collapsed.empty()) << c.what;
    }
}

TEST_F(OffsetChainTest, AChainKeepsTheCopiesOfItsOtherElementsWhenAnArcPassesItsCentre)
{
    Line(0, 0, 50, 0);
    // From (50, 0) counter-clockwise a quarter round of radius 30 to (80, 30).
    CEntity* arc = Add(EntityType::Arc, 1, {10, 20, 40, 50, 51}, {50, 30, 30, 270, 360});
    const OffsetChains::Result r = OffsetChains(list).Offset(40, 10, 40);
    EXPECT_EQ(Lines(r), (std::vector<std::vector<double>>{{0, 40, 50, 40}}));
    EXPECT_EQ(r.pieces.size(), 1u);
    EXPECT_EQ(r.collapsed, std::vector<const CEntity*>{arc});
    EXPECT_EQ(r.handled.size(), 2u);
}

} // namespace
