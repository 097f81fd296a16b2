// The expansion tool's extend modes through the view: lines to a position,
// a line, a circle or an arc; circles, arcs and ellipses cut at or
// lengthened to a boundary; lines brought to a base line; each change one
// undo step, and a refused record changes nothing.

#include "ExpansionFixture.h"

#include "edit_tools/ExpansionTool.h"
#include "model/Document.h"
#include "model/Settings.h"
#include "model/SnapPointList.h"
#include "resources/Resource.h"
#include "view/ToolState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <vector>

namespace {

class ExpansionExtendTest : public ExpansionFixture {
protected:
    CEntity* Add(int16_t type, int16_t subtype, std::initializer_list<double> values,
                 std::initializer_list<int16_t> codes, int16_t layer = 5)
    {
        return AddOwn(type, subtype, 305, values, codes, layer);
    }
    CEntity* AddLine(double x1, double y1, double x2, double y2, int16_t type = EntityType::Line)
    {
        return Add(type, 0, {x1, y1, x2, y2}, {10, 20, 11, 22});
    }
    CEntity* AddCircle(double cx, double cy, double r) { return Add(EntityType::Circle, 0, {cx, cy, r}, {10, 20, 40}); }
    CEntity* AddArc(double cx, double cy, double r, double start, double end, int16_t subtype = 1)
    {
        return Add(EntityType::Arc, subtype, {cx, cy, r, start, end}, {10, 20, 40, 50, 51});
    }
    CEntity* AddEllipse(double cx, double cy, double a, double b)
    {
        return Add(EntityType::Ellipse, 1, {cx, cy, a, b, 0}, {10, 20, 60, 61, 62});
    }
    CEntity* AddEllipticArc(double cx, double cy, double a, double b, double start, double end)
    {
        return Add(EntityType::EllipticArc, 1, {cx, cy, a, b, 0, start, end}, {10, 20, 60, 61, 62, 50, 51});
    }
    // The values of the drawing's entities (grid record left out), rounded.
    std::vector<std::vector<double>> Values() { return Rows(false); }
    const CEntity* Last() { return h.Doc().list.last; }
    // The record that replaced the target: the new one, with the new
    // record's properties checked.
    void ExpectNewRecord(const CEntity* e, int16_t layer = 2)
    {
        EXPECT_EQ(e->style, 305);
        EXPECT_EQ(e->colour, NewColour);
        EXPECT_EQ(e->layer, layer);
        EXPECT_TRUE(h.Doc().snaps.HasEntityPoints(e));
    }
    bool NoUndoStep()
    {
        const CEntityList& l = h.Doc().list;
        return l.undoState == UndoState::Normal && !l.undoChain && !l.mark;
    }
    static double Px(double cx, double r, double degrees) { return cx + r * std::cos(degrees * std::numbers::pi / 180); }
    static double Py(double cy, double r, double degrees) { return cy + r * std::sin(degrees * std::numbers::pi / 180); }
};

// Both ways of ending a line: at the foot of a position, or where a
// boundary line, circle or arc meets it; the side of the first pick stays.
TEST_F(ExpansionExtendTest, LineEndsAtPositionOrBoundary)
{
    struct Case {
        const char* what;
        std::vector<double> line;      // x1, y1, x2, y2 of the target
        int boundaryKind;              // 0 none, 20 a line, 30 a circle, 31 an arc
        std::vector<double> boundary;  // its values
        double pick[2], second[2];
        std::vector<double> expected;  // the new line; empty: unchanged
    } cases[] = {
        {"to a line across", {0, 0, 10, 0}, 20, {50, -20, 50, 20}, {5, 0}, {50, 10}, {0, 0, 50, 0}},
        {"to a short segment off to the side", {0, 0, 10, 0}, 20, {50, 30, 60, 40}, {5, 0}, {55, 35}, {0, 0, 20, 0}},
        {"crossed between its ends, picked right", {0, 0, 100, 0}, 20, {40, -20, 40, 20}, {80, 0}, {40, 15},
         {40, 0, 100, 0}},
        {"crossed between its ends, picked left", {0, 0, 100, 0}, 20, {40, -20, 40, 20}, {20, 0}, {40, 15},
         {0, 0, 40, 0}},
        {"to the place clicked on itself", {0, 0, 100, 0}, 0, {}, {20, 0}, {60, 0}, {0, 0, 60, 0}},
        {"to a position in empty space", {0, 0, 100, 0}, 0, {}, {80, 0}, {30, 40}, {30, 0, 100, 0}},
        {"to a parallel line", {0, 0, 10, 0}, 20, {0, 20, 30, 20}, {5, 0}, {20, 20}, {}},
        {"to the far crossing of a circle", {0, 0, 10, 0}, 30, {100, 0, 30}, {5, 0}, {130, 0}, {0, 0, 130, 0}},
        {"to the near crossing of a circle", {0, 0, 10, 0}, 30, {100, 0, 30}, {5, 0}, {70, 0}, {0, 0, 70, 0}},
        // Of the two crossings with its circle one lies on the arc.
        {"to an arc it meets once", {0, 50, 10, 50}, 31, {100, 0, 60, 0, 90}, {5, 50}, {Px(100, 60, 60), Py(0, 60, 60)},
         {0, 50, 133.17, 50}},
        {"to an arc it misses", {0, 50, 10, 50}, 31, {100, 0, 60, 180, 270}, {5, 50}, {Px(100, 60, 225), Py(0, 60, 225)},
         {}},
    };
    // Everything is moved off the drawing range's frame, which a fresh
    // redraw paints over the entities.
    constexpr double Dx = 20, Dy = 20;
    for (Case c : cases) {
        SCOPED_TRACE(c.what);
        for (std::size_t i = 0; i < c.line.size(); ++i)
            c.line[i] += i % 2 ? Dy : Dx;
        for (std::size_t i = 0; i < c.boundary.size() && i < (c.boundaryKind == 20 ? 4u : 2u); ++i)
            c.boundary[i] += i % 2 ? Dy : Dx;
        for (std::size_t i = 0; i < c.expected.size(); ++i)
            c.expected[i] += i % 2 ? Dy : Dx;
        c.pick[0] += Dx;
        c.pick[1] += Dy;
        c.second[0] += Dx;
        c.second[1] += Dy;
        Clear();
        CEntity* target = AddLine(c.line[0], c.line[1], c.line[2], c.line[3]);
        if (c.boundaryKind == 20)
            AddLine(c.boundary[0], c.boundary[1], c.boundary[2], c.boundary[3]);
        else if (c.boundaryKind == 30)
            AddCircle(c.boundary[0], c.boundary[1], c.boundary[2]);
        else if (c.boundaryKind == 31)
            AddArc(c.boundary[0], c.boundary[1], c.boundary[2], c.boundary[3], c.boundary[4]);
        const auto before = Values();
        Mode(0);
        h.Click(c.pick[0], c.pick[1]);
        EXPECT_EQ(InputPointCount, 1);
        EXPECT_EQ(h.Prompt(), QStringLiteral("伸縮する位置・要素を選んで下さい。"));
        h.Click(c.second[0], c.second[1]);
        EXPECT_EQ(InputPointCount, 0);
        EXPECT_EQ(h.Prompt(), QStringLiteral("伸縮する、図形要素を指示して下さい。"));
        if (c.expected.empty()) {
            EXPECT_EQ(Values(), before);
            EXPECT_EQ(target->state, EntityState::Normal);
            continue;
        }
        ASSERT_EQ(h.Entities().size(), before.size());
        const CEntity* made = Last();
        EXPECT_EQ(made->type, EntityType::Line);
        ASSERT_EQ(made->values.size(), 4u);
        // A position in empty space is the click's pixel.
        for (std::size_t i = 0; i < 4; ++i)
            EXPECT_NEAR(made->values[i], c.expected[i], 0.3) << i;
        ExpectNewRecord(made);
        EXPECT_TRUE(h.ScreenIsFreshRedraw());
        h.Key(ID_EDIT_UNDO);
        EXPECT_EQ(Sorted(Values()), Sorted(before));
    }
}

TEST_F(ExpansionExtendTest, ParallelBoundaryLeavesTheToolWaitingForANewElement)
{
    CEntity* line = AddLine(0, 0, 10, 0);
    AddLine(0, 20, 30, 20);
    Mode(0);
    h.Click(5, 0);
    h.Click(20, 20);
    EXPECT_EQ(line->state, EntityState::Normal);
    EXPECT_EQ(h.Entities().size(), 2u);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(h.Prompt(), QStringLiteral("伸縮する、図形要素を指示して下さい。"));
    EXPECT_TRUE(h.Messages().isEmpty());
    // The next click picks afresh.
    h.Click(20, 20);
    EXPECT_EQ(InputPointCount, 1);
}

TEST_F(ExpansionExtendTest, RightButtonReleasesTheElement)
{
    CEntity* line = AddLine(20, 20, 60, 20);
    Mode(0);
    h.Click(40, 20);
    h.RightClick(200, 200);
    EXPECT_EQ(line->state, EntityState::Normal);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(h.Prompt(), QStringLiteral("伸縮する、図形要素を指示して下さい。"));
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

// A line whose two points coincide has no direction: it is not picked to
// be extended, and as a boundary it changes nothing.
TEST_F(ExpansionExtendTest, LineWithoutDirectionIsNeitherExtendedNorABoundary)
{
    CEntity* point = AddLine(200, 200, 200, 200);
    CEntity* line = AddLine(20, 20, 60, 20);
    const auto before = Values();
    Mode(0);
    const int beeps = h.Beeps();
    h.Click(200, 200);
    EXPECT_EQ(h.Beeps(), beeps + 1);
    EXPECT_EQ(InputPointCount, 0);
    // As the boundary of a picked line.
    CExpansionTool* tool = nullptr;
    for (CDrawTool* t : ToolList)
        if ((tool = dynamic_cast<CExpansionTool*>(t)))
            break;
    ASSERT_TRUE(tool);
    tool->picked.Hold(&h.Doc(), line);
    tool->X[0] = 40;
    tool->Y[0] = 20;
    EXPECT_EQ(tool->ExtendLine(&h.View(), point, {200, 200}), 1);
    tool->picked.Clear();
    EXPECT_EQ(Values(), before);
    EXPECT_EQ(line->state, EntityState::Normal);
}

TEST_F(ExpansionExtendTest, InfiniteLineBecomesASegment)
{
    AddLine(0, 30, 100, 30, EntityType::HorizontalInfiniteLine);
    AddLine(150, -20, 150, 80);
    Mode(0);
    h.Click(60, 30);
    h.Click(150, 50);
    EXPECT_TRUE(h.Entities(EntityType::HorizontalInfiniteLine).empty());
    ASSERT_EQ(Last()->type, EntityType::Line);
    EXPECT_EQ(Last()->subtype, 0);
    EXPECT_EQ(Last()->values, (std::vector<double>{0, 30, 150, 30}));
}

// Clicked a second time away from the element, a circle or arc loses the
// quarter that holds the click's direction, and an ellipse the same.
TEST_F(ExpansionExtendTest, CurveLosesTheQuarterOfTheClick)
{
    struct Case {
        double degrees;
        double start, end;
    } cases[] = {{10, 90, 360}, {45, 90, 360}, {135, 180, 90}, {200, 270, 180}, {300, 0, 270}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.degrees);
        Clear();
        AddCircle(100, 100, 40);
        Mode(0);
        h.Click(140, 100);
        h.Click(Px(100, 90, c.degrees), Py(100, 90, c.degrees));
        const CEntity* arc = Last();
        ASSERT_EQ(arc->type, EntityType::Arc);
        EXPECT_EQ(arc->subtype, 1);
        EXPECT_EQ(arc->values, (std::vector<double>{100, 100, 40, c.start, c.end}));
        ExpectNewRecord(arc);
    }
    // An arc's own angles and direction do not matter.
    Clear();
    AddArc(100, 100, 40, 10, 80, -1);
    Mode(0);
    h.Click(100, 140);
    h.Click(200, 120);
    EXPECT_EQ(Last()->values, (std::vector<double>{100, 100, 40, 90, 360}));
    EXPECT_EQ(Last()->subtype, 1);
    // An ellipse keeps its values, subtype and layer.
    Clear();
    AddEllipse(100, 100, 60, 30);
    Mode(0);
    h.Click(160, 100);
    h.Click(110, 20);
    const CEntity* ea = Last();
    ASSERT_EQ(ea->type, EntityType::EllipticArc);
    EXPECT_EQ(ea->values, (std::vector<double>{100, 100, 60, 30, 0, 0, 270}));
    EXPECT_EQ(ea->subtype, 1);
    ExpectNewRecord(ea, 5);
}

TEST_F(ExpansionExtendTest, CircleCutAtABoundaryKeepsThePickedPart)
{
    AddCircle(100, 100, 50);
    AddLine(100, 0, 100, 200);  // through the centre
    Mode(0);
    h.Click(150, 100);  // the right half stays
    h.Click(100, 180);
    const CEntity* arc = Last();
    ASSERT_EQ(arc->type, EntityType::Arc);
    // Clockwise from one meeting point to the other through 0 degrees.
    ASSERT_EQ(arc->values.size(), 5u);
    const double a = arc->values[3], b = arc->values[4];
    const double from = arc->subtype == 1 ? a : b, to = arc->subtype == 1 ? b : a;
    EXPECT_NEAR(from, 270, 1e-6);
    EXPECT_NEAR(to, 90, 1e-6);
    ExpectNewRecord(arc);
    // A line that only touches the circle changes nothing.
    h.Key(ID_EDIT_UNDO);
    AddLine(150, 0, 150, 200);
    const auto touched = Values();
    Mode(0);
    h.Click(Px(100, 50, 135), Py(100, 50, 135));
    h.Click(150, 190);
    EXPECT_EQ(Values(), touched);
}

TEST_F(ExpansionExtendTest, ArcIsCutOrLengthenedByItsBoundary)
{
    // An arc from 0 to 90 counter-clockwise.
    struct Case {
        const char* what;
        int boundaryKind;
        std::vector<double> boundary;
        double pickDegrees;
        double second[2];
        bool changed;
        double from, to;  // counter-clockwise ends of the new arc
    } cases[] = {
        {"a line across its middle, picked low", 20, {100, 100, 200, 200}, 20, {180, 180}, true, 0, 45},
        {"a line across its middle, picked high", 20, {100, 100, 200, 200}, 70, {180, 180}, true, 45, 90},
        {"a line meeting its circle outside it", 20, {70, 0, 70, 200}, 45, {70, 190}, false, 0, 0},
        {"a circle meeting its circle outside it", 30, {50, 50, 50}, 45, {0, 50}, true, 180, 270},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Clear();
        AddArc(100, 100, 50, 0, 90);
        if (c.boundaryKind == 20)
            AddLine(c.boundary[0], c.boundary[1], c.boundary[2], c.boundary[3]);
        else
            AddCircle(c.boundary[0], c.boundary[1], c.boundary[2]);
        const auto before = Values();
        Mode(0);
        h.Click(Px(100, 50, c.pickDegrees), Py(100, 50, c.pickDegrees));
        h.Click(c.second[0], c.second[1]);
        if (!c.changed) {
            EXPECT_EQ(Values(), before);
            continue;
        }
        const CEntity* arc = Last();
        ASSERT_EQ(arc->type, EntityType::Arc);
        ExpectNewRecord(arc);
        if (c.boundaryKind == 30) {
            // Lengthened through the picked place: both ends move to the
            // meeting points, and 45 degrees still lies on it.
            const double a = arc->values[3], b = arc->values[4];
            const double from = arc->subtype == 1 ? a : b, to = arc->subtype == 1 ? b : a;
            EXPECT_NEAR(from, 270, 1e-6);
            EXPECT_NEAR(to, 180, 1e-6);
        } else {
            EXPECT_EQ(arc->subtype, 1);
            EXPECT_NEAR(arc->values[3], c.from, 1e-6);
            EXPECT_NEAR(arc->values[4], c.to, 1e-6);
        }
        h.Key(ID_EDIT_UNDO);
        EXPECT_EQ(Sorted(Values()), Sorted(before));
    }
}

// A boundary of a kind the arc routine does not cut at: the arc is built
// again as it was, in the current colour on the current layer.
TEST_F(ExpansionExtendTest, ArcBroughtToATextIsRebuilt)
{
    AddArc(100, 100, 50, 0, 90);
    EntityHeader hd{EntityType::Text, 0, 0, 5, 5};
    const double v[5] = {200, 200, 10, 8, 0};
    const int16_t codes[5] = {10, 20, 30, 40, 50};
    ASSERT_EQ(h.Doc().list.AddEntity(hd, codes, OwnColour, v, "ABC"), 0);
    Mode(0);
    h.Click(Px(100, 50, 45), Py(100, 50, 45));
    h.Click(205, 204);
    const CEntity* arc = Last();
    ASSERT_EQ(arc->type, EntityType::Arc);
    EXPECT_EQ(arc->subtype, 1);
    ASSERT_EQ(arc->values.size(), 5u);
    EXPECT_NEAR(arc->values[3], 0, 1e-9);
    EXPECT_NEAR(arc->values[4], 90, 1e-9);
    ExpectNewRecord(arc);
    EXPECT_EQ(h.Entities(EntityType::Arc).size(), 1u);
}

TEST_F(ExpansionExtendTest, EllipseAndEllipticArcAtALine)
{
    // The ellipse cut by a vertical line through its centre keeps the
    // half that was picked.
    AddEllipse(100, 100, 60, 30);
    AddLine(100, 0, 100, 200);
    Mode(0);
    h.Click(160, 100);
    h.Click(100, 180);
    const CEntity* ea = Last();
    ASSERT_EQ(ea->type, EntityType::EllipticArc);
    EXPECT_NEAR(ea->values[5], 270, 1e-6);
    EXPECT_NEAR(ea->values[6], 90, 1e-6);
    ExpectNewRecord(ea, 5);

    // A line that touches the ellipse only: nothing.
    Clear();
    AddEllipse(100, 100, 60, 30);
    AddLine(0, 130, 200, 130);
    auto before = Values();
    Mode(0);
    h.Click(40, 100);
    h.Click(20, 130);
    EXPECT_EQ(Values(), before);

    // An elliptic arc from 0 to 180 cut by the same vertical line: the
    // piece on the picked side stays.
    Clear();
    AddEllipticArc(100, 100, 60, 30, 0, 180);
    AddLine(100, 0, 100, 200);
    Mode(0);
    h.Click(Px(100, 60, 150), Py(100, 30, 150));
    h.Click(100, 180);
    ea = Last();
    ASSERT_EQ(ea->type, EntityType::EllipticArc);
    EXPECT_NEAR(ea->values[5], 90, 1e-6);
    EXPECT_NEAR(ea->values[6], 180, 1e-6);
}

// An ellipse cut by a small circle over its right end: the long piece
// stays when the left side was picked, the short one when the right was.
TEST_F(ExpansionExtendTest, EllipseAtACircleKeepsThePickedPiece)
{
    for (bool left : {true, false}) {
        SCOPED_TRACE(left);
        Clear();
        AddEllipse(100, 100, 60, 30);
        AddCircle(160, 100, 20);
        Mode(0);
        h.Click(left ? 40 : 160, 100);
        h.Click(180, 100);
        const CEntity* ea = Last();
        ASSERT_EQ(ea->type, EntityType::EllipticArc);
        const double start = ea->values[5], end = ea->values[6];
        // The crossings lie symmetric about the major axis.
        EXPECT_NEAR(start + end, 360, 1e-6);
        if (left) {
            EXPECT_GT(start, 0);
            EXPECT_LT(start, 30);
        } else {
            EXPECT_GT(start, 330);
            EXPECT_LT(start, 360);
        }
        ExpectNewRecord(ea, 5);
    }
}

// Mode 1: one base line, any number of lines; each is its own undo step
// and the base line stays marked until the right button.
TEST_F(ExpansionExtendTest, LinesToOneBaseLine)
{
    CEntity* base = AddLine(50, -100, 50, 100);
    AddLine(0, 10, 10, 10);
    AddLine(0, 20, 20, 20);
    AddLine(0, 30, 90, 30);
    Mode(1);
    h.Click(50, 0);
    EXPECT_EQ(base->state, EntityState::Marked);
    h.Click(5, 10);
    h.Click(5, 20);
    h.Click(80, 30);  // across the base line: the picked side stays
    EXPECT_EQ(InputPointCount, 1);
    EXPECT_EQ(h.Prompt(), QStringLiteral("伸縮する直線を指示して下さい。[マウス右：終了]"));
    EXPECT_EQ(base->state, EntityState::Marked);
    const std::vector<std::vector<double>> after = {
        {20, 50, -100, 50, 100}, {20, 0, 10, 50, 10}, {20, 0, 20, 50, 20}, {20, 50, 30, 90, 30}};
    EXPECT_EQ(Values(), after);
    for (const CEntity* e : h.Entities())
        if (e != base)
            ExpectNewRecord(e);
    // The base line itself changes nothing.
    h.Click(50, 60);
    EXPECT_EQ(Values(), after);
    // Only the last change comes back.
    h.Key(ID_EDIT_UNDO);
    EXPECT_EQ(Values(), (std::vector<std::vector<double>>{
                            {20, 50, -100, 50, 100}, {20, 0, 10, 50, 10}, {20, 0, 20, 50, 20}, {20, 0, 30, 90, 30}}));
    h.RightClick(200, 200);
    EXPECT_EQ(base->state, EntityState::Normal);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(h.Prompt(), QStringLiteral("伸縮の基準線を指示して下さい。"));
}

TEST_F(ExpansionExtendTest, ProtectedDrawingSaysSoOnceAndKeepsTheElement)
{
    CEntity* line = AddLine(0, 0, 10, 0);
    AddLine(50, -20, 50, 20);
    const auto before = Values();
    Mode(0);
    h.Click(5, 0);
    h.Doc().ProtectionState = 2;
    h.Click(50, 10);
    EXPECT_EQ(h.Messages(), QStringList{QStringLiteral("この図面は、パスワードによって保護されています。")});
    EXPECT_EQ(Values(), before);
    EXPECT_EQ(line->state, EntityState::Normal);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

// The new line would start beyond the coordinates the list accepts: the
// list refuses it, and the drawing stays as it was with no undo step.
TEST_F(ExpansionExtendTest, RefusedRecordLeavesTheDrawingWhole)
{
    CEntity* line = AddLine(30, 20, 20, 20);
    // Meets the line's own line near x = 1e11, beyond the accepted range.
    AddLine(20, 120, 2e11, -80);
    const auto before = Values();
    Mode(0);
    h.Click(25, 20);
    h.Click(70, 120);
    EXPECT_EQ(Values(), before);
    EXPECT_EQ(h.Entities()[0], line);
    EXPECT_EQ(line->state, EntityState::Normal);
    EXPECT_TRUE(NoUndoStep());
    EXPECT_TRUE(h.Doc().snaps.HasEntityPoints(line));
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

} // namespace
