// The expansion tool's cut of circles, arcs, ellipses and elliptic arcs
// through the view: which way the removed piece runs, the arcs that stay,
// one undo step and the cancel.

#include "common/ToolHarness.h"

#include "edit_tools/ExpansionTool.h"
#include "model/Settings.h"
#include "model/SnapPointList.h"
#include "resources/Resource.h"
#include "view/ToolState.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <numbers>
#include <vector>

namespace {

// Clicks mean the grid point under them: the positions below lie on grid
// points (a radius of 50 and the 3-4-5 angles A and B).
constexpr double Cx = 100, Cy = 100, R = 50;
constexpr double A = 36.869897645844, B = 180 - A;

class ExpansionCurveCutTest : public ::testing::Test {
protected:
    ExpansionCurveCutTest()
    {
        h.Select(9, 2);
        CurrentColor = 0x00ff00;
    }
    CEntity* Add(int16_t type, int16_t subtype, std::initializer_list<double> values,
                 std::initializer_list<int16_t> codes)
    {
        EntityHeader hd{type, subtype, 305, 3, static_cast<int16_t>(values.size())};
        std::vector<double> v(values);
        std::vector<int16_t> c(codes);
        CEntity* e = h.AddRecord(hd, c.data(), 0x00123456, v.data());
        h.View().RedrawNow();
        return e;
    }
    CEntity* AddCircle() { return Add(EntityType::Circle, 0, {Cx, Cy, R}, {10, 20, 40}); }
    // The upper half, counter-clockwise from 0 to 180 degrees.
    CEntity* AddUpperArc() { return Add(EntityType::Arc, 1, {Cx, Cy, R, 0, 180}, {10, 20, 40, 50, 51}); }
    CEntity* AddEllipse(std::initializer_list<double> angles = {})
    {
        std::vector<double> v{Cx, Cy, 60, 30, 0};
        v.insert(v.end(), angles);
        EntityHeader hd{angles.size() ? EntityType::EllipticArc : EntityType::Ellipse, 1, 305, 3,
                        static_cast<int16_t>(v.size())};
        const int16_t codes[7] = {10, 20, 60, 61, 62, 50, 51};
        EXPECT_EQ(h.Doc().list.AddEntity(hd, codes, 0x00123456, v.data()), 0);
        h.View().RedrawNow();
        return h.Doc().list.last;
    }
    // Mouse at the angle (degrees) from the centre, at distance r.
    void MoveAt(double degrees, double r = R) { h.Move(X(degrees, r), Y(degrees, r)); }
    void ClickAt(double degrees, double r = R) { h.Click(X(degrees, r), Y(degrees, r)); }
    static double X(double degrees, double r) { return Cx + r * std::cos(degrees * std::numbers::pi / 180); }
    static double Y(double degrees, double r) { return Cy + r * std::sin(degrees * std::numbers::pi / 180); }
    // Picks the element at `pick`, then the start, the moves and the end.
    void Cut(double pick, double start, std::initializer_list<double> moves, double end, double r = R)
    {
        ClickAt(pick);
        ClickAt(start, r);
        for (double m : moves)
            MoveAt(m, r);
        ClickAt(end, r);
    }
    struct Piece {
        int16_t type, subtype;
        double start, end;
    };
    void ExpectPieces(std::initializer_list<Piece> want, const char* what)
    {
        std::vector<const CEntity*> got;
        for (const CEntity* e : h.Entities())
            got.push_back(e);
        ASSERT_EQ(got.size(), want.size()) << what;
        size_t i = 0;
        for (const Piece& w : want) {
            const CEntity* e = got[i++];
            EXPECT_EQ(e->type, w.type) << what;
            EXPECT_EQ(e->subtype, w.subtype) << what;
            const size_t a = e->type == EntityType::Arc ? 3 : 5;
            EXPECT_NEAR(e->values[a], w.start, 1.5) << what;
            EXPECT_NEAR(e->values[a + 1], w.end, 1.5) << what;
            EXPECT_EQ(e->style, 305) << what;
            EXPECT_EQ(e->colour, 0x00ff00u) << what;
            EXPECT_EQ(e->layer, 0) << what;
        }
    }
    void UndoRestores(const CEntity* element, const char* what)
    {
        h.Command(ID_EDIT_UNDO);
        EXPECT_EQ(h.Entities(), std::vector<const CEntity*>{element}) << what;
        EXPECT_EQ(element->state, EntityState::Normal) << what;
    }

    ToolHarness h;
};

TEST_F(ExpansionCurveCutTest, CircleKeepsThePartTheMovementDidNotSweep)
{
    CEntity* circle = AddCircle();
    Cut(0, 0, {20, 45, 70}, 90);
    ExpectPieces({{EntityType::Arc, -1, 0, 90}}, "counter-clockwise");
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
    UndoRestores(circle, "counter-clockwise");

    Cut(0, 0, {340, 315}, 270);
    ExpectPieces({{EntityType::Arc, 1, 0, 270}}, "clockwise");
    UndoRestores(circle, "clockwise");

    // A click inside is carried out along its ray.
    Cut(0, 0, {20}, 90, R / 2);
    ExpectPieces({{EntityType::Arc, -1, 0, 90}}, "inside");
    EXPECT_EQ(h.Beeps(), 0);
}

TEST_F(ExpansionCurveCutTest, ArcPiecesStayWithinTheArc)
{
    struct Case {
        const char* what;
        double start;
        std::initializer_list<double> moves;
        double end;
        std::initializer_list<Piece> want;
    };
    const Case cases[] = {
        {"both on, moving clockwise", B, {120, 100}, A, {{EntityType::Arc, 1, 0, A}, {EntityType::Arc, 1, B, 180}}},
        {"both on, moving counter-clockwise", A, {60, 100}, B, {{EntityType::Arc, 1, 0, A}, {EntityType::Arc, 1, B, 180}}},
        {"end beyond the arc's end", 90, {120, 150, 200, 250}, 270, {{EntityType::Arc, 1, 0, 90}}},
        {"end beyond the arc's start", 90, {60, 30, 340, 300}, 270, {{EntityType::Arc, -1, 180, 90}}},
        {"start off the arc", 270, {300, 20, 60}, 90, {{EntityType::Arc, 1, 90, 180}}},
    };
    CEntity* arc = AddUpperArc();
    for (const Case& c : cases) {
        Cut(90, c.start, c.moves, c.end);
        ExpectPieces(c.want, c.what);
        EXPECT_TRUE(h.ScreenIsFreshRedraw()) << c.what;
        UndoRestores(arc, c.what);
    }
}

TEST_F(ExpansionCurveCutTest, ArcWithBothPositionsOffItStaysUnchanged)
{
    CEntity* arc = AddUpperArc();
    Cut(90, 270, {300}, 300);
    EXPECT_EQ(h.Entities(), std::vector<const CEntity*>{arc});
    EXPECT_EQ(arc->state, EntityState::Normal);
    EXPECT_EQ(InputPointCount, 0);
}

TEST_F(ExpansionCurveCutTest, EllipsesBecomeEllipticArcs)
{
    CEntity* ellipse = AddEllipse();
    h.Click(160, 100);
    h.Click(160, 100);
    h.Move(X(20, 50), Y(20, 50));
    h.Click(100, 150);  // outside, on the ray at 90 degrees
    ExpectPieces({{EntityType::EllipticArc, 1, 90, 0}}, "ellipse");
    UndoRestores(ellipse, "ellipse");
}

TEST_F(ExpansionCurveCutTest, EllipticArcEndBeyondItsEndKeepsTheStartSide)
{
    CEntity* arc = AddEllipse({0, 180});
    h.Click(100, 130);
    h.Click(130, 130);
    h.Move(X(60, 60), Y(60, 60));
    h.Click(100, 60);
    ExpectPieces({{EntityType::EllipticArc, 1, 0, 45}}, "end beyond");
    UndoRestores(arc, "end beyond");
}

TEST_F(ExpansionCurveCutTest, CancelErasesTheBandsAndKeepsTheElement)
{
    CEntity* circle = AddCircle();
    ClickAt(0);
    ClickAt(0);
    MoveAt(30);
    MoveAt(60, R / 2);
    h.RightClick(Cx, Cy);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(circle->state, EntityState::Normal);
    EXPECT_EQ(h.Prompt(), "カットする図形要素を指示して下さい。");
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
    EXPECT_EQ(h.Entities(), std::vector<const CEntity*>{circle});
}

} // namespace
