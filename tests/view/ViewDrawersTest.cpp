// Pixels of the drawers on the back-buffer image (antialiasing off), and the
// calls they make on a recording DC.

#include "ViewTestSupport.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr COLORREF Red = 0x0000FF;
constexpr COLORREF Blue = 0xFF0000;
constexpr COLORREF Black = 0x000000;

} // namespace

TEST_F(ViewTest, LineLeavesOutItsLastPixel)
{
    Map();
    Add(EntityType::Line, {10, 10, 100, 10}, 0, 0, Red, 0, {10, 20, 11, 22});
    const QImage img = Paint();
    EXPECT_TRUE(Is(img, 10, 190, Red));
    EXPECT_TRUE(Is(img, 99, 190, Red));
    EXPECT_FALSE(Is(img, 100, 190, Red));
    EXPECT_EQ(Count(img, Red), 90);
}

TEST_F(ViewTest, ThickLineTypesWidenTheScreenPen)
{
    Map();
    Add(EntityType::Line, {20, 100, 180, 100}, 0, 700, Red, 0, {10, 20, 11, 22});  // line type 7: 8 pixels
    const QImage img = Paint();
    int rows = 0;
    for (int y = 80; y < 120; ++y)
        rows += Is(img, 100, y, Red) ? 1 : 0;
    EXPECT_EQ(rows, 8);
}

TEST_F(ViewTest, LineAcrossTheViewIsClippedToTheDrawingArea)
{
    double x1 = -1000, y1 = 50, x2 = 1000, y2 = 50;
    EXPECT_EQ(SegmentOutsideRect(x1, y1, x2, y2, 0, 0, 100, 100), 0);
    EXPECT_EQ(x1, 0);
    EXPECT_EQ(y1, 50);
    EXPECT_EQ(x2, 100);
    EXPECT_EQ(y2, 50);

    // A line with an end inside is left as it is.
    x1 = 10, y1 = 10, x2 = 500, y2 = 300;
    EXPECT_EQ(SegmentOutsideRect(x1, y1, x2, y2, 0, 0, 100, 100), 0);
    EXPECT_EQ(x2, 500);

    // Both ends outside on the same side: nothing of it shows.
    x1 = -200, y1 = 50, x2 = -100, y2 = 50;
    EXPECT_EQ(SegmentOutsideRect(x1, y1, x2, y2, 0, 0, 100, 100), 1);
    x1 = -50, y1 = 200, x2 = 200, y2 = 150;  // passes above the corner
    EXPECT_EQ(SegmentOutsideRect(x1, y1, x2, y2, 0, 0, 100, 100), 1);

    // A diagonal through the rectangle keeps the chord, each end on its side.
    x1 = -50, y1 = -50, x2 = 150, y2 = 150;
    EXPECT_EQ(SegmentOutsideRect(x1, y1, x2, y2, 0, 0, 100, 100), 0);
    EXPECT_EQ(x1, 0);
    EXPECT_EQ(y1, 0);
    EXPECT_EQ(x2, 100);
    EXPECT_EQ(y2, 100);
    x1 = 150, y1 = 150, x2 = -50, y2 = -50;
    EXPECT_EQ(SegmentOutsideRect(x1, y1, x2, y2, 0, 0, 100, 100), 0);
    EXPECT_EQ(x1, 100);
    EXPECT_EQ(x2, 0);

    // A vertical line and a nearly vertical one cross the top and bottom edges.
    x1 = 40, y1 = -10, x2 = 40, y2 = 300;
    EXPECT_EQ(SegmentOutsideRect(x1, y1, x2, y2, 0, 0, 100, 100), 0);
    EXPECT_EQ(y1, 0);
    EXPECT_EQ(y2, 100);
    x1 = 40, y1 = -10, x2 = 40.003, y2 = 300;
    EXPECT_EQ(SegmentOutsideRect(x1, y1, x2, y2, 0, 0, 100, 100), 0);
    EXPECT_EQ(x1, 40);
    EXPECT_EQ(y1, 0);
    EXPECT_EQ(y2, 100);
}

TEST_F(ViewTest, ArcRunsCounterClockwiseOrClockwiseBySubtype)
{
    Map();
    // Centre (100, 100), radius 50; device centre (100, 100) too.
    CEntity* ccw = Add(EntityType::Arc, {100, 100, 50, 0, 90}, 1, 0, Red, 0, {10, 20, 40, 50, 51});
    QImage img = Paint();
    EXPECT_GT(CountIn(img, Red, 102, 40, 160, 98), 40);  // upper right
    EXPECT_EQ(CountIn(img, Red, 40, 40, 98, 98), 0);     // upper left
    EXPECT_EQ(CountIn(img, Red, 40, 102, 160, 160), 0);  // lower half

    ccw->subtype = -1;  // from 90 back to 0 clockwise: the other three quarters
    img = Paint();
    EXPECT_EQ(CountIn(img, Red, 102, 40, 160, 98), 0);
    EXPECT_GT(CountIn(img, Red, 40, 40, 98, 98), 40);
    EXPECT_GT(CountIn(img, Red, 40, 102, 160, 160), 80);
}

TEST_F(ViewTest, ClockwiseArcFromTenToThreeFiftyTakesTheShortWayThroughZero)
{
    Map();
    Add(EntityType::Arc, {100, 100, 50, 10, 350}, -1, 0, Red, 0, {10, 20, 40, 50, 51});
    const QImage img = Paint();
    EXPECT_TRUE(Is(img, 150, 100, Red) || Is(img, 149, 100, Red));
    EXPECT_EQ(CountIn(img, Red, 40, 40, 140, 160), 0);
    EXPECT_GT(CountIn(img, Red, 140, 80, 160, 120), 10);
}

TEST_F(ViewTest, ArcWithinOneWholeDegreeIsAFullCircle)
{
    Map();
    Add(EntityType::Arc, {100, 100, 50, 10.2, 10.7}, 1, 0, Red, 0, {10, 20, 40, 50, 51});
    QImage img = Paint();
    for (auto [x0, y0] : {std::pair{40, 40}, {102, 40}, {40, 102}, {102, 102}})
        EXPECT_GT(CountIn(img, Red, x0, y0, x0 + 58, y0 + 58), 40) << x0 << "," << y0;

    doc->list.last->values[3] = 0;
    doc->list.last->values[4] = 360;
    img = Paint();
    EXPECT_GT(CountIn(img, Red, 40, 102, 98, 160), 40);
}

TEST_F(ViewTest, EllipseFollowsItsRadiiAndRotation)
{
    Map();
    CEntity* e = Add(EntityType::Ellipse, {100, 100, 60, 30, 0}, 0, 0, Red, 0, {10, 20, 60, 61, 62});
    QImage img = Paint();
    EXPECT_GT(CountIn(img, Red, 157, 95, 163, 105), 0);  // end of the first axis
    EXPECT_GT(CountIn(img, Red, 95, 67, 105, 73), 0);    // end of the second
    EXPECT_EQ(CountIn(img, Red, 90, 35, 110, 45), 0);

    e->values[4] = 90;  // turned a quarter: the first axis is now vertical
    img = Paint();
    EXPECT_GT(CountIn(img, Red, 95, 37, 105, 43), 0);
    EXPECT_EQ(CountIn(img, Red, 155, 95, 165, 105), 0);
}

TEST_F(ViewTest, EllipticArcCoversThreeQuartersFromZeroToTwoSeventy)
{
    Map();
    Add(EntityType::EllipticArc, {100, 100, 50, 50, 0, 0, 270}, 1, 0, Red, 0, {10, 20, 60, 61, 62, 50, 51});
    const QImage img = Paint();
    EXPECT_GT(CountIn(img, Red, 40, 40, 98, 98), 20);
    EXPECT_GT(CountIn(img, Red, 40, 102, 98, 160), 20);
    EXPECT_EQ(CountIn(img, Red, 103, 103, 160, 160), 0);  // the fourth quarter stays empty
}

TEST_F(ViewTest, ControlPointCurveStartsAndEndsOnItsEndPoints)
{
    Map();
    CEntity* e = Add(EntityType::Curve, {20, 20, 120, 80}, 0, 0, Red);
    platform::RecordingDc rec(200, 200);
    view->ComputeVisibleRect();
    view->DrawSpline(rec, e, 0);
    std::vector<std::string> moves;
    for (const auto& r : rec.Records())
        if (r.op == "MoveTo" || r.op == "LineTo")
            moves.push_back(r.ToString());
    // s = 0 (replaced by the first point), 1/3, 2/3, 1, then the last point.
    const double ax = 20, ay = 20, bx = 120, by = 80;
    auto at = [&](double s, double p0, double p1) {
        const double a3 = (2 * p0 - 2 * p1) / 6, a2 = (p1 - p0) / 2, a1 = (p1 - p0) / 2, a0 = (5 * p0 + p1) / 6;
        return ((a3 * s + a2) * s + a1) * s + a0;
    };
    auto px = [&](double x, double y) {
        return std::string("(")
            .append(std::to_string(view->XToDevice(x)))
            .append(",")
            .append(std::to_string(view->YToDevice(y)))
            .append(")");
    };
    ASSERT_EQ(moves.size(), 5u);
    EXPECT_EQ(moves[0], "MoveTo" + px(ax, ay));
    EXPECT_EQ(moves[1], "LineTo" + px(at(1.0 / 3, ax, bx), at(1.0 / 3, ay, by)));
    EXPECT_EQ(moves[2], "LineTo" + px(at(2.0 / 3, ax, bx), at(2.0 / 3, ay, by)));
    EXPECT_EQ(moves[3], "LineTo" + px(at(1, ax, bx), at(1, ay, by)));
    EXPECT_EQ(moves[4], "LineTo" + px(bx, by));

    // A curve of one point draws nothing.
    CEntity* single = Add(EntityType::Curve, {20, 20}, 0, 0, Red);
    rec.Clear();
    view->DrawSpline(rec, single, 0);
    EXPECT_EQ(rec.Count("LineTo") + rec.Count("MoveTo"), 0);
}

TEST_F(ViewTest, ControlPointCurveAroundTheViewIsStillDrawn)
{
    Map(200, 200);
    view->scrollX = 1000;  // the view looks at x 1000..1200
    Add(EntityType::Curve, {900, 50, 1100, 150, 1300, 50}, 0, 0, Red);
    EXPECT_GT(Count(Paint(), Red), 50);
}

TEST_F(ViewTest, FreehandCurveStartsAtItsFirstVisiblePoint)
{
    Map();
    CEntity* e = Add(EntityType::FreehandCurve, {-50, 10, -20, 10, 30, 10, 60, 40}, 0, 0, Red);
    platform::RecordingDc rec(200, 200);
    view->ComputeVisibleRect();
    view->DrawFreeCurve(rec, e, 0);
    std::vector<std::string> lines = rec.Lines();
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [](const std::string& s) { return s.rfind("MoveTo", 0) && s.rfind("LineTo", 0); }),
                lines.end());
    EXPECT_EQ(lines, (std::vector<std::string>{"MoveTo(30,190)", "LineTo(60,160)"}));
}

TEST_F(ViewTest, PointShapes)
{
    Map();
    Add(EntityType::Point, {20, 100}, 0, 0, Red);   // dot: 3 x 3 box
    Add(EntityType::Point, {60, 100}, 1, 0, Blue);  // circle of radius 2
    Add(EntityType::Point, {100, 100}, 2, 0, Black); // square of half-side 2
    Add(EntityType::Point, {140, 100}, 3, 0, Red);  // unknown shape: nothing
    const QImage img = Paint();
    EXPECT_TRUE(Is(img, 20, 100, Red));
    EXPECT_EQ(CountIn(img, Red, 10, 90, 30, 110), CountIn(img, Red, 19, 99, 22, 102));
    EXPECT_GT(CountIn(img, Red, 19, 99, 22, 102), 0);
    EXPECT_TRUE(Is(img, 60, 100, Blue));
    EXPECT_EQ(CountIn(img, Blue, 50, 90, 70, 110), CountIn(img, Blue, 58, 98, 62, 102));
    EXPECT_EQ(CountIn(img, Black, 90, 90, 110, 110), 16);  // (98..101) x (98..101)
    EXPECT_TRUE(Is(img, 98, 98, Black));
    EXPECT_FALSE(Is(img, 102, 100, Black));
    EXPECT_EQ(CountIn(img, Red, 130, 90, 150, 110), 0);
}

TEST_F(ViewTest, PointsShrinkWhenTwoPaperMillimetresAreOnePixel)
{
    Map(200, 200, 1, 0.5);  // 2 mm -> trunc(1.5) = 1 pixel: radius 1
    Add(EntityType::Point, {200, 200}, 2, 0, Black);
    const QImage img = Paint();
    EXPECT_EQ(Count(img, Black), 4);  // (99..100) x (99..100)

    Map(200, 200, 1, 0.2);  // trunc(0.9) = 0: no marker at all
    EXPECT_EQ(Count(Paint(), Black), 0);
}

class ViewGridTest : public ViewTest {
protected:
    CEntity* Grid(int kind, int lineType, double pitch)
    {
        CEntity* g = Add(EntityType::Grid, {0, 0, pitch}, 1, int16_t(lineType * 100 + kind), 0, 0, {10, 20, 30});
        doc->DrawingOrigin[0] = 100;
        doc->DrawingOrigin[1] = 100;
        return g;
    }
    COLORREF GridColour() const { return doc->DrawingSettingsBlock.DisplayColor(1); }
};

TEST_F(ViewGridTest, LinesOfPitchTwentyAtOnePixelPerMillimetre)
{
    Map();
    Grid(0, 0, 20);
    const QImage img = Paint();
    for (int x = 0; x < 200; x += 20)
        EXPECT_TRUE(Is(img, x, 57, GridColour())) << x;
    EXPECT_FALSE(Is(img, 10, 57, GridColour()));
    for (int y = 0; y < 200; y += 20)
        EXPECT_TRUE(Is(img, 57, y, GridColour())) << y;
}

TEST_F(ViewGridTest, DotsAndCrossesSitOnTheCrossings)
{
    Map();
    CEntity* g = Grid(1, 0, 20);
    QImage img = Paint();
    EXPECT_EQ(CountIn(img, GridColour(), 39, 39, 42, 42), 4);  // (39..40) x (39..40)
    EXPECT_TRUE(Is(img, 39, 39, GridColour()));
    EXPECT_FALSE(Is(img, 41, 40, GridColour()));
    EXPECT_EQ(CountIn(img, GridColour(), 45, 45, 55, 55), 0);

    g->style = 2;  // crosses: nine pixels each way from -4 to +4
    img = Paint();
    EXPECT_EQ(CountIn(img, GridColour(), 30, 40, 51, 41), 9);
    EXPECT_EQ(CountIn(img, GridColour(), 40, 30, 41, 51), 9);
    EXPECT_TRUE(Is(img, 36, 40, GridColour()));
    EXPECT_FALSE(Is(img, 35, 40, GridColour()));
    EXPECT_TRUE(Is(img, 44, 40, GridColour()));
    EXPECT_FALSE(Is(img, 45, 40, GridColour()));
}

TEST_F(ViewGridTest, GridIsDrawnOnlyWhenItsPitchSpansTwoPixels)
{
    Map(200, 200, 1, 0.0751);  // 20 x 0.0751 + 0.5 = 2.002: two pixels
    Grid(0, 0, 20);
    EXPECT_GT(Count(Paint(), GridColour()), 1000);
    Map(200, 200, 1, 0.0749);  // 1.998: one pixel, no grid
    EXPECT_EQ(Count(Paint(), GridColour()), 0);
    Map(200, 200, 1, 0.05);
    EXPECT_EQ(Count(Paint(), GridColour()), 0);
}

TEST_F(ViewGridTest, HiddenGridRecordDrawsNothing)
{
    Map();
    Grid(0, 0, 20)->subtype = 0;
    EXPECT_EQ(Count(Paint(), GridColour()), 0);
}

TEST_F(ViewTest, LayersAreFilteredAndTheCurrentLayerAlwaysShows)
{
    Map();
    Add(EntityType::Line, {10, 10, 190, 10}, 0, 0, Red, 3, {10, 20, 11, 22});
    Add(EntityType::Line, {10, 30, 190, 30}, 0, 0, Red, 4, {10, 20, 11, 22});
    Add(EntityType::Line, {10, 50, 190, 50}, 0, 0, Red, 5, {10, 20, 11, 22});
    Add(EntityType::Line, {10, 70, 190, 70}, 0, 0, Red, 200, {10, 20, 11, 22});
    view->currentLayer = 5;
    view->layerState[3] = 0;  // hidden
    view->layerState[4] = 1;  // off-colour
    view->layerState[5] = 0;  // hidden, but current
    const COLORREF offColour = doc->DrawingSettingsBlock.DisplayColor(7);
    QImage img = Paint();
    EXPECT_FALSE(Is(img, 50, 190, Red));
    EXPECT_TRUE(Is(img, 50, 170, offColour));
    EXPECT_TRUE(Is(img, 50, 150, Red));
    EXPECT_FALSE(Is(img, 50, 130, Red));  // layer 200 is never painted by a pass

    view->layerState[4] = 2;  // own colours
    img = Paint();
    EXPECT_TRUE(Is(img, 50, 170, Red));

    // A single entity is drawn whatever its layer.
    platform::PainterDc dc(img);
    view->DrawEntity(dc, doc->list.last, 0);
    dc.Flush();
    EXPECT_TRUE(Is(img, 50, 130, Red));
}

TEST_F(ViewTest, CurrentLayerIsPaintedOverTheOthers)
{
    Map();
    Add(EntityType::Line, {10, 10, 190, 10}, 0, 0, Red, 1, {10, 20, 11, 22});
    Add(EntityType::Line, {10, 10, 190, 10}, 0, 0, Blue, 0, {10, 20, 11, 22});
    view->currentLayer = 1;
    view->layerState[0] = 2;
    EXPECT_TRUE(Is(Paint(), 50, 190, Red));
}

TEST_F(ViewTest, SelectedLineShowsTheSelectionColourAndItsGrips)
{
    Map();
    CEntity* e = Add(EntityType::Line, {20, 100, 180, 100}, 0, 0, Red, 0, {10, 20, 11, 22});
    e->state = EntityState::Selected;
    const QImage img = Paint();
    const COLORREF selection = 0x01000011;
    EXPECT_TRUE(Is(img, 60, 100, selection));
    EXPECT_FALSE(Is(img, 60, 100, Red));
    // Grips: 6 x 6 squares, black outline, green at the ends, pink midway.
    EXPECT_TRUE(Is(img, 17, 97, Black));
    EXPECT_TRUE(Is(img, 19, 99, 0x00FF00));
    EXPECT_TRUE(Is(img, 179, 99, 0x00FF00));
    EXPECT_TRUE(Is(img, 99, 99, 0xFF80FF));
    EXPECT_TRUE(Is(img, 102, 102, Black));
    EXPECT_FALSE(Is(img, 103, 103, Black));
}

TEST_F(ViewTest, GripsOfPolygonsCurvesAndDimensionMembers)
{
    Map();
    CEntity* polygon = Add(EntityType::Polygon, {20, 20, 80, 20, 80, 80, 20, 20}, 0, 0, Red);
    polygon->state = EntityState::Selected;
    platform::RecordingDc rec(200, 200);
    view->ComputeVisibleRect();
    view->DrawPolyline(rec, polygon, 3);
    EXPECT_EQ(rec.Count("Rectangle"), 3);  // every vertex but the last

    CEntity dimension;
    dimension.type = EntityType::Dimension;
    CEntity* member = Add(EntityType::Line, {20, 100, 180, 100}, 0, 0, Red, 0, {10, 20, 11, 22});
    member->owner = &dimension;
    member->state = EntityState::Selected;
    rec.Clear();
    view->DrawLine(rec, member, 3);
    EXPECT_EQ(rec.Count("Rectangle"), 0);
    member->owner = nullptr;
}

TEST_F(ViewTest, SelectedCircleShowsGripsOnItsAxisPointsOnly)
{
    Map();
    Add(EntityType::Line, {0, 100, 200, 100}, 0, 0, Red, 0, {10, 20, 11, 22});
    CEntity* circle = Add(EntityType::Circle, {100, 100, 40}, 0, 0, Red, 0, {10, 20, 40});
    circle->state = EntityState::Selected;
    platform::RecordingDc rec(200, 200);
    view->ComputeVisibleRect();
    view->DrawCircleOrArc(rec, circle, 3);
    EXPECT_EQ(rec.Count("Arc"), 1);
    EXPECT_EQ(rec.Count("Rectangle"), 4);
}

TEST_F(ViewTest, ZoomedInPaintVisitsTheSameEntitiesAsAWalk)
{
    // Many small lines; a zoomed-in view must show exactly what a full walk
    // would: compare against drawing every entity one by one.
    Map(200, 200, 1, 4);
    for (int i = 0; i < 400; ++i) {
        const double x = (i * 37) % 400, y = (i * 53) % 300;
        Add(EntityType::Line, {x, y, x + 9, y + 5}, 0, 0, Red, 0, {10, 20, 11, 22});
    }
    view->scrollX = 300;
    view->scrollY = 200;
    const QImage indexed = Paint();
    QImage walked(200, 200, QImage::Format_RGB32);
    walked.fill(Qt::white);
    {
        platform::PainterDc dc(walked);
        view->ComputeVisibleRect();
        for (CEntity* e = doc->list.first; e; e = e->next)
            view->DrawLine(dc, e, 0);
        dc.Flush();
    }
    EXPECT_GT(Count(indexed, Red), 100);
    EXPECT_EQ(indexed, walked);
}

TEST_F(ViewTest, DeepZoomOnAHugeCircleDrawsTheVisibleStretchOfItsOutline)
{
    // A million pixels per model metre: the circle's box spans two million
    // pixels; the view shows the stretch around its rightmost point.
    Map(200, 200, 1, 1000);
    view->scrollX = 1000 * 1000 - 100;
    view->scrollY = -100;
    Add(EntityType::Circle, {0, 0, 1000}, 0, 0, Red, 0, {10, 20, 40});
    Add(EntityType::Polygon, {-1000, 0.05, 1000.05, 0.05, 1000.05, -1000}, 0, 0, Blue);
    const QImage img = Paint();
    EXPECT_GE(CountIn(img, Red, 99, 0, 101, 200), 190);
    EXPECT_EQ(CountIn(img, Red, 0, 0, 98, 200) + CountIn(img, Red, 102, 0, 200, 200), 0);
    // The polygon's long first edge crosses the view as a row at y = 50.
    EXPECT_GE(CountIn(img, Blue, 0, 50, 150, 51), 140);
    EXPECT_GE(CountIn(img, Blue, 150, 50, 151, 200), 140);
}

TEST_F(ViewTest, EntityMovedInPlaceShowsAfterTheDocumentUpdate)
{
    Map(200, 200);
    for (int i = 0; i < 50; ++i)
        Add(EntityType::Line, {1000.0 + i, 1000, 1010.0 + i, 1010}, 0, 0, Blue, 0, {10, 20, 11, 22});
    CEntity* moved = Add(EntityType::Line, {5000, 5000, 5100, 5000}, 0, 0, Red, 0, {10, 20, 11, 22});
    EXPECT_EQ(Count(Paint(), Red), 0);
    moved->values = {20, 100, 120, 100};
    view->OnUpdate(nullptr, 0);
    EXPECT_EQ(Count(Paint(), Red), 100);
}
