// Printed outlines: dash patterns in printer pixels whose phase runs on from
// piece to piece, printed pen widths, and the Bezier circle.

#include "ViewTestSupport.h"

#include "view/DashPainter.h"

class ViewPrintTest : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        Map(2000, 1000);
        view->printerPxPerMm = 600 / 25.4f;  // 23.62: dash unit 23
    }
    // The path calls of a drawer on a printing DC, from BeginPath on.
    std::vector<std::string> PathCalls(platform::RecordingDc& rec)
    {
        std::vector<std::string> out;
        bool inPath = false;
        for (const auto& r : rec.Records()) {
            if (r.op == "BeginPath")
                inPath = true;
            if (inPath && r.op != "BeginPath" && r.op != "EndPath")
                out.push_back(r.ToString());
            if (r.op == "EndPath")
                break;
        }
        return out;
    }
    // The geometric pen selected for StrokePath: (style, width, colour,
    // geometric, cap, join).
    std::vector<long long> StrokePen(platform::RecordingDc& rec)
    {
        std::vector<long long> pen;
        for (const auto& r : rec.Records()) {
            if (r.op == "SelectPen")
                pen = r.args;
            if (r.op == "StrokePath")
                return pen;
        }
        return {};
    }
    void Draw(platform::RecordingDc& rec, CEntity* e) { view->DrawEntity(rec, e, 0); }
};

TEST_F(ViewPrintTest, DashedLineStopsAtItsEndWithoutStartingANewDash)
{
    // 80 pixels of line type 2: one dash of 69, a gap of 23 that the end cuts.
    CEntity* e = Add(EntityType::Line, {100, 500, 180, 500}, 0, 200, 0, 0, {10, 20, 11, 22});
    platform::RecordingDc rec(2000, 1000, 600, true);
    Draw(rec, e);
    EXPECT_EQ(PathCalls(rec), (std::vector<std::string>{"MoveTo(100,500)", "LineTo(169,500)"}));
    EXPECT_EQ(rec.Count("StrokePath"), 1);
}

TEST_F(ViewPrintTest, DashPhaseRunsOnAcrossTheSegmentsOfAFigure)
{
    CEntity* e = Add(EntityType::FreehandCurve, {0, 500, 50, 500, 100, 500}, 0, 200, 0);
    platform::RecordingDc rec(2000, 1000, 600, true);
    Draw(rec, e);
    EXPECT_EQ(PathCalls(rec), (std::vector<std::string>{"MoveTo(0,500)", "LineTo(50,500)", "LineTo(69,500)",
                                                        "MoveTo(92,500)", "LineTo(100,500)"}));

    // The next figure starts the pattern afresh.
    CEntity* second = Add(EntityType::Line, {0, 400, 80, 400}, 0, 200, 0, 0, {10, 20, 11, 22});
    rec.Clear();
    Draw(rec, second);
    EXPECT_EQ(PathCalls(rec), (std::vector<std::string>{"MoveTo(0,600)", "LineTo(69,600)"}));
}

TEST_F(ViewPrintTest, DashDotPatternAlternatesRunsOfThreeAndOneUnits)
{
    CEntity* e = Add(EntityType::Line, {0, 500, 200, 500}, 0, 300, 0, 0, {10, 20, 11, 22});
    platform::RecordingDc rec(2000, 1000, 600, true);
    Draw(rec, e);
    // 69 drawn, 23 gap, 23 drawn, 23 gap, 69 drawn (cut at 200).
    EXPECT_EQ(PathCalls(rec), (std::vector<std::string>{"MoveTo(0,500)", "LineTo(69,500)", "MoveTo(92,500)",
                                                        "LineTo(115,500)", "MoveTo(138,500)", "LineTo(200,500)"}));
}

TEST_F(ViewPrintTest, PrintedWidthsComeFromThePenAndThickLineWidths)
{
    const float savedPen = PenWidths[2], savedThick = ThickLineWidths[1];
    PenWidths[2] = 0.35f;        // 23.62 x 0.35 = 8.27 -> 8
    ThickLineWidths[1] = 0.2f;   // 23.62 x 0.2 = 4.72 -> 5
    CEntity* thin = Add(EntityType::Line, {0, 500, 200, 500}, 0, 2, 0x0000FF, 0, {10, 20, 11, 22});
    CEntity* thick = Add(EntityType::Line, {0, 500, 200, 500}, 0, 602, 0x0000FF, 0, {10, 20, 11, 22});
    platform::RecordingDc rec(2000, 1000, 600, true);
    Draw(rec, thin);
    const std::vector<long long> pen = StrokePen(rec);
    ASSERT_EQ(pen.size(), 6u);
    EXPECT_EQ(pen[0], int(platform::PenStyle::Solid));
    EXPECT_EQ(pen[1], 8);
    EXPECT_EQ(pen[2], 0x0000FF);
    EXPECT_EQ(pen[3], 1);
    EXPECT_EQ(pen[4], int(platform::PenCap::Flat));
    EXPECT_EQ(pen[5], int(platform::PenJoin::Miter));
    rec.Clear();
    Draw(rec, thick);
    EXPECT_EQ(StrokePen(rec).at(1), 5);

    // Polygons print with the pen width only, square caps, no pattern.
    CEntity* polygon = Add(EntityType::Polygon, {0, 0, 100, 0, 100, 100}, 0, 602, 0x0000FF);
    rec.Clear();
    Draw(rec, polygon);
    const std::vector<long long> polyPen = StrokePen(rec);
    ASSERT_EQ(polyPen.size(), 6u);
    EXPECT_EQ(polyPen[1], 8);
    EXPECT_EQ(polyPen[4], int(platform::PenCap::Square));
    EXPECT_EQ(rec.Count("Polyline"), 1);
    PenWidths[2] = savedPen;
    ThickLineWidths[1] = savedThick;
}

TEST_F(ViewPrintTest, FullCirclePrintsAsFourBezierPieces)
{
    CEntity* e = Add(EntityType::Circle, {500, 500, 100}, 0, 0, 0, 0, {10, 20, 40});
    platform::RecordingDc rec(2000, 1000, 600, true);
    Draw(rec, e);
    // L 400, R 600, T 400, B 600 on the device; U 55, V -55.
    EXPECT_EQ(PathCalls(rec),
              (std::vector<std::string>{"MoveTo(400,500)", "PolyBezierTo(400,555,445,600,500,600)",
                                        "PolyBezierTo(555,600,600,555,600,500)",
                                        "PolyBezierTo(600,445,555,400,500,400)",
                                        "PolyBezierTo(445,400,400,445,400,500)"}));
    EXPECT_EQ(rec.Count("Arc"), 0);
}

TEST_F(ViewPrintTest, DashedBezierSplitsIntoRunsAndGaps)
{
    platform::RecordingDc rec(2000, 1000, 600, true);
    CDashPainter painter(rec);
    const int runs[2] = {30, 10};
    painter.SetPattern(runs, 2);
    painter.Start(0, 0);
    // A straight cubic 120 pixels long: 30 drawn, 10 skipped, 30, 10, 30, 10;
    // the last gap ends on the end point, where the next dash begins with a
    // piece of no length.
    painter.PolyBezierTo({40, 0}, {80, 0}, {120, 0});
    std::vector<std::string> ends;
    for (const auto& r : rec.Records())
        if (r.op == "PolyBezierTo")
            ends.push_back(std::to_string(r.args[4]));
        else if (r.op == "MoveTo")
            ends.push_back(std::string("m").append(std::to_string(r.args[0])));
    EXPECT_EQ(ends, (std::vector<std::string>{"m0", "30", "m40", "70", "m80", "110", "m120", "120"}));
    EXPECT_EQ(painter.index, 0);
    EXPECT_EQ(painter.remaining, 30);

    // A pattern without any positive run draws solid.
    const int none[2] = {0, 0};
    painter.SetPattern(none, 2);
    EXPECT_EQ(painter.count, 0);
}

TEST_F(ViewPrintTest, GridIsNeverPrinted)
{
    Add(EntityType::Grid, {0, 0, 20}, 1, 0, 0, 0, {10, 20, 30});
    platform::RecordingDc rec(2000, 1000, 600, true);
    view->OnDraw(rec);
    EXPECT_EQ(rec.Count("LineTo"), 0);
    EXPECT_EQ(view->printing, 1);
}
