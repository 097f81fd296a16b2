// The selection tool's drag outlines on the real view: they follow the
// mouse without leaving traces, keep the selection visible, and leave the
// screen as a fresh redraw once the drag ends.

#include "SelectToolFixture.h"

#include "platform/RecordingDc.h"

#include <QImage>

#include <cmath>

class SelectToolPreviewTest : public SelectToolTest {
protected:
    SelectToolPreviewTest()
    {
        circle = AddCircle(200, 100, 30);
        Add(EntityType::Text, {50, 150, 10, 5, 30}, {10, 20, 30, 40, 50});
        Add(EntityType::Fill, {0, 0, 100, 200, 140, 200, 140, 240, 100, 240}, {0, 0, 10, 20, 10, 20, 10, 20, 10, 20});
        h.Doc().list.last->subtype = 4;
        spline = Add(EntityType::Curve, {250, 200, 270, 230, 290, 200}, {10, 20, 10, 20, 10, 20});
        h.View().RedrawNow();
    }
    // Presses on line A (all selected), moves through the view points given
    // (pixel offsets from the press) and answers the screen.
    QImage DragThrough(std::vector<platform::Point> offsets)
    {
        Tool().SelectAll(&h.View());
        const platform::Point p = h.Client(25, 0);
        h.MoveAt(p);
        h.LeftDownAt(p);
        h.MoveAt(p);
        for (const platform::Point& o : offsets)
            h.MoveAt({p.x + o.x, p.y + o.y});
        return h.Screen();
    }
    void ReleaseAtPress()
    {
        h.LeftUpAt(h.Client(25, 0));
    }

    CEntity* circle = nullptr;
    CEntity* spline = nullptr;
};

TEST_F(SelectToolPreviewTest, EveryOutlineButTheLastCancels)
{
    const QImage fresh = h.FreshRedraw();
    const QImage direct = DragThrough({{60, -40}});
    EXPECT_GT(ToolHarness::DifferingPixels(direct, fresh), 0);
    ReleaseAtPress();
    h.View().RedrawNow();

    const QImage walked = DragThrough({{5, 3}, {20, -10}, {40, -25}, {61, -41}, {60, -40}});
    EXPECT_EQ(ToolHarness::DifferingPixels(walked, direct), 0);
    ReleaseAtPress();
}

TEST_F(SelectToolPreviewTest, SelectionStaysVisibleUnderTheMovingOutline)
{
    const QColor magenta(255, 0, 255);  // the selection colour
    const QImage shown = DragThrough({{0, -80}, {0, -120}});
    // Points of line A (y = 0) far from where its outline now is.
    for (const double x : {10.0, 40.0, 90.0}) {
        const platform::Point at = h.Client(x, 0);
        EXPECT_EQ(shown.pixelColor(at.x, at.y), magenta) << x;
    }
    ReleaseAtPress();
}

TEST_F(SelectToolPreviewTest, DragBroughtBackAndReleasedLeavesAFreshScreen)
{
    DragThrough({{30, 30}, {60, -20}, {1, 1}});
    ReleaseAtPress();
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
    EXPECT_EQ(Tool().m_previewShown, 0);
}

TEST_F(SelectToolPreviewTest, RepaintKeepsTheOutlineErasable)
{
    DragThrough({{40, 20}});
    // A repaint in the middle of the drag, then more moves and the end.
    h.View().RedrawNow();
    const platform::Point p = h.Client(25, 0);
    h.MoveAt({p.x + 50, p.y + 10});
    h.MoveAt({p.x + 1, p.y});
    ReleaseAtPress();
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

namespace {

// The figure the tool has on screen, as drawing calls in device pixels.
std::vector<platform::DcRecord> Figure(CSelectTool& tool, ToolHarness& h, const std::string& op)
{
    platform::RecordingDc dc(800, 600);
    tool.RedrawToolFigures(&h.View(), dc);
    std::vector<platform::DcRecord> out;
    for (const platform::DcRecord& r : dc.Records())
        if (r.op == op)
            out.push_back(r);
    return out;
}

} // namespace

TEST_F(SelectToolTest, ArcHandleOutlineKeepsTheBulge)
{
    // A quarter circle about (200, 100), radius 30, counter-clockwise from
    // (230, 100) to (200, 130); its end is dragged.
    Add(EntityType::Arc, {200, 100, 30, 0, 90}, {10, 20, 40, 50, 51});
    h.Doc().list.last->subtype = 1;
    h.View().RedrawNow();
    h.Click(200 + 30 * std::cos(0.7), 100 + 30 * std::sin(0.7));
    const platform::Point grab = h.Client(200, 130);
    h.MoveAt(grab);
    h.LeftDownAt(grab);
    ASSERT_EQ(Tool().m_dragKind, 1);
    // What the set-up of the handle drag records for an arc.
    const double chord = 30 * std::sqrt(2.0), height = 30 - 15 * std::sqrt(2.0);
    Tool().X[1] = 230;
    Tool().Y[1] = 100;
    Tool().X[2] = chord;
    Tool().Y[2] = height;
    Tool().X[3] = 1;
    Tool().Y[3] = 1;
    InputPointCount = 1;

    h.MoveAt(grab);
    auto arcs = Figure(Tool(), h, "Arc");
    ASSERT_EQ(arcs.size(), 1u);
    const platform::Point lowLeft = h.Client(170, 70), upRight = h.Client(230, 130);
    EXPECT_NEAR(arcs[0].args[0], lowLeft.x, 1);
    EXPECT_NEAR(arcs[0].args[2], upRight.x, 1);
    EXPECT_NEAR(arcs[0].args[1], upRight.y, 1);
    EXPECT_NEAR(arcs[0].args[3], lowLeft.y, 1);

    // Twice the chord: twice the radius, the same side.
    h.Move(170, 160);
    arcs = Figure(Tool(), h, "Arc");
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_NEAR(arcs[0].args[2] - arcs[0].args[0], 2 * (upRight.x - lowLeft.x), 3);

    // An arc whose chord was never measured shows the chord alone.
    Tool().X[2] = 0.2;
    h.Move(180, 150);
    EXPECT_TRUE(Figure(Tool(), h, "Arc").empty());
    EXPECT_EQ(Figure(Tool(), h, "Polyline").size(), 1u);
    // Brought back to the handle and released: nothing changes.
    h.Move(200, 130.5);
    h.LeftUp(200, 130.5);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(SelectToolTest, MidpointOutlineOfAGroupLineDrawsItsConnectedLines)
{
    CEntity* c = AddLine(100, 0, 100, 50);
    AddGroup({a, b, c});
    h.View().RedrawNow();
    h.Click(25, 0);
    const platform::Point grab = h.Client(50, 0);
    h.MoveAt(grab);
    h.LeftDownAt(grab);
    ASSERT_EQ(Tool().m_dragKind, 2);
    // Line A's ends, then line C meeting A at (100, 0) with its far end.
    const double xs[] = {50, 0, 100, 100, 100}, ys[] = {0, 0, 0, 0, 50};
    for (int i = 0; i < 5; ++i) {
        Tool().X[i] = xs[i];
        Tool().Y[i] = ys[i];
    }
    InputPointCount = 5;
    h.MoveAt(grab);
    const platform::Point down{grab.x, grab.y + 40};
    h.MoveAt(down);
    const auto lines = Figure(Tool(), h, "Polyline");
    ASSERT_EQ(lines.size(), 2u);
    const platform::Point a0 = h.Client(0, 0), c1 = h.Client(100, 50);
    // A moved down by 40 pixels; C from its moved end to its fixed end.
    const std::vector<long long> expected[] = {{a0.x, a0.y + 40, h.Client(100, 0).x, a0.y + 40},
                                               {c1.x, a0.y + 40, c1.x, c1.y}};
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(lines[i].args.size(), 4u);
        for (int k = 0; k < 4; ++k)
            EXPECT_NEAR(lines[i].args[k], expected[i][k], 1) << i << " " << k;  // the drag goes through millimetres
    }
    h.MoveAt({grab.x, grab.y + 1});
    h.LeftUpAt({grab.x, grab.y + 1});
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(SelectToolTest, HandleDragMarkerSkipsTheGrabbedUnitAndKeepsItsKind)
{
    AddLine(150, 0, 250, 0);
    h.View().RedrawNow();
    h.Click(25, 0);
    h.Move(100, 0);
    h.LeftDown(100, 0);
    ASSERT_EQ(Tool().m_dragKind, 1);
    CSelectTool& t = Tool();

    h.Move(150, 0);  // the other line's start
    EXPECT_EQ(t.magnetKind, SnapKind::LineStart);
    EXPECT_DOUBLE_EQ(t.markerPoint[0], 150);
    h.Move(0, 50);   // line B's start: the same kind, the marker stays
    EXPECT_EQ(t.magnetKind, SnapKind::LineStart);
    EXPECT_DOUBLE_EQ(t.markerPoint[0], 150);
    h.Move(200, 0);  // a midpoint: this move takes the marker away, the next shows it
    EXPECT_EQ(t.magnetKind, 0);
    h.Move(200, 0);
    EXPECT_EQ(t.magnetKind, SnapKind::LineMidpoint);
    h.Move(0, 0);    // the grabbed line's own start is no snap point here
    h.Move(0, 0);
    EXPECT_EQ(t.magnetKind, 0);
    h.Move(200, 0);
    h.Move(200, 0);
    ASSERT_NE(t.magnetKind, 0);
    h.LeftUp(200, 0);
    EXPECT_EQ(t.magnetKind, 0);
    h.View().RedrawNow();
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(SelectToolTest, ReshapedCurveIsDrawnOverItselfInTheNotXorMix)
{
    // The first drawing of a handle drag on a curve goes over the curve in
    // the not-XOR mix: where the old shape is not covered by the new one,
    // it no longer shows in the selection colour.
    CEntity* curve = Add(EntityType::Curve, {150, 100, 200, 160, 250, 100}, {10, 20, 10, 20, 10, 20});
    h.View().RedrawNow();
    h.Click(150, 100);
    ASSERT_EQ(curve->state, EntityState::Selected);
    const platform::Point grab = h.Client(250, 100);
    h.MoveAt(grab);
    h.LeftDownAt(grab);
    ASSERT_EQ(Tool().m_dragKind, 1);
    ASSERT_EQ(Tool().m_grabbedType, EntityType::Curve);
    Tool().m_grabbedIndex = 2;
    h.MoveAt(grab);
    h.Move(250, 40);
    const QImage shown = h.Screen();
    const platform::Point oldTop = h.Client(200, 140);  // the old curve's top, clear of the new one
    int magenta = 0;
    for (int dy = -2; dy <= 2; ++dy)
        magenta += shown.pixelColor(oldTop.x, oldTop.y + dy) == QColor(255, 0, 255);
    EXPECT_EQ(magenta, 0);
    h.Move(250, 100.3);
    h.LeftUp(250, 100.3);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(SelectToolTest, MalformedRecordsDragWithoutHarm)
{
    // Records shorter than their type needs, codes missing, counts beyond
    // the values, a hatch counting more items than it holds.
    auto shortened = [&](CEntity* e, int16_t count) { e->count = count; };
    shortened(Add(EntityType::Text, {10, 10, 5, 4, 0}, {10, 20, 30, 40, 50}), 3);
    shortened(Add(EntityType::LeaderText, {10, 10, 5, 4, 0, 1, 1, 2, 2}, {10, 20, 30, 40, 50, 60, 61, 70, 71}), 7);
    Add(EntityType::Arc, {50, 50, 10}, {10, 20, 40});
    Add(EntityType::EllipticArc, {50, 50, 0, 5, 0, 0, 90}, {10, 20, 60, 61, 62, 50, 51});
    CEntity* hatch = Add(EntityType::Hatch, {5, 5, 0, 0, 0, 10, 10, 0, 0, 10, 0}, {3, 0, 0, 60, 61, 62, 63, 10, 20, 10, 20});
    hatch->codes[0] = 30000;
    Add(EntityType::Fill, {0, 0, 1, 1}, {0, 0, 99, 98});
    Add(EntityType::Curve, {60, 60}, {10, 20});
    h.View().RedrawNow();
    Tool().SelectAll(&h.View());
    const platform::Point p = h.Client(25, 0);
    h.MoveAt(p);
    h.LeftDownAt(p);
    for (int i = 1; i <= 5; ++i)
        h.MoveAt({p.x + 10 * i, p.y - 7 * i});
    h.MoveAt({p.x + 1, p.y});
    h.LeftUpAt({p.x + 1, p.y});
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}
