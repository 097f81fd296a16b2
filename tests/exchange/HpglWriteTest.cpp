#include "HpglTestSupport.h"

#include "model/EntityKinds.h"
#include "model/HatchLines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace hpgltest;

namespace {

int CountOf(const std::string& text, const std::string& what)
{
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

} // namespace

TEST(HpglEmitter, CommandSetsDifferInStartPenMoveDrawAndEnd)
{
    struct Case {
        int set;
        std::string start, origin, line, end;
    };
    const Case cases[] = {
        {0, "IN;", "", "SP3;|PU0.00,0.00;|PD40.00,80.00;|", "PUSPPG;"},
        {1, "\x1b%-1BBPIN;", "", "SP3;|PU0.00,0.00;|PD40.00,80.00;|", "PUSP0PG;"},
        {2, "IN;", "OS-7,12;", "PC3;|LT1;|MA0.00,0.00;|DA1.00,2.00;|", "PC;HP;"},
        {3, "H", "^-7,12", "J3\x03|B80,|L0,\x03|M0.00,0.00\x03|D1.00,2.00\x03|", "PC;HP;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.set);
        CHpglEmitter emitter = Emitter(c.set);
        EXPECT_EQ(emitter.StartString(), c.start);
        EXPECT_EQ(emitter.OriginCommand(-7, 12), c.origin);
        EXPECT_EQ(emitter.EndString(), c.end);
        // Sets 2 and 3 start with an unknown line type, so the first entity sets it.
        EXPECT_EQ(Commands(emitter, Make(EntityType::Line, 3, {0, 0, 1, 2})), c.line);
    }
}

TEST(HpglEmitter, UnitAndCorrectionFollowTheCommandSet)
{
    CHpglEmitter hpgl;
    hpgl.Prepare(0, 10, -5);
    EXPECT_FLOAT_EQ(hpgl.Unit, 0.025f);
    EXPECT_FLOAT_EQ(hpgl.OffsetX, 400.0f);
    EXPECT_FLOAT_EQ(hpgl.OffsetY, -200.0f);
    EXPECT_EQ(Commands(hpgl, Make(EntityType::Line, 1, {1, 1, 2, 2})), "SP1;|PU440.00,-160.00;|PD480.00,-120.00;|");
    CHpglEmitter older;
    older.Prepare(2, 10, -5);
    EXPECT_FLOAT_EQ(older.Unit, 1.0f);
    EXPECT_FLOAT_EQ(older.OffsetX, 0.0f);
    EXPECT_FLOAT_EQ(older.OffsetY, 0.0f);
}

TEST(HpglEmitter, MappingDividesByPaperFactorAndScaleFromTheExtentsCorner)
{
    CHpglEmitter hpgl = Emitter(0);
    hpgl.ExtMinX = 100.0f;
    hpgl.ExtMinY = 50.0f;
    hpgl.PaperFactor = 2.0f;
    hpgl.PlotScale = 10.0f;
    EXPECT_FLOAT_EQ(hpgl.PlotX(300.0), 400.0f);  // 200 / 2 / 10 / 0.025
    EXPECT_FLOAT_EQ(hpgl.PlotY(50.0), 0.0f);
    EXPECT_FLOAT_EQ(hpgl.PlotLength(20.0), 40.0f);
}

TEST(HpglEmitter, PenZeroAndStrayPensPlotWithPenTwoAndRepeatedPensAreNotSent)
{
    struct Case {
        int style;
        std::string pen;
    };
    const Case cases[] = {{0, "SP2;"}, {1, "SP1;"}, {2, "SP2;"}, {7, "SP7;"}, {9, "SP2;"}, {-3, "SP2;"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        CHpglEmitter hpgl = Emitter(0);
        const std::string first = Commands(hpgl, Make(EntityType::Line, static_cast<int16_t>(c.style), {0, 0, 1, 0}));
        EXPECT_EQ(first.substr(0, first.find('|')), c.pen);
        const std::string second = Commands(hpgl, Make(EntityType::Line, static_cast<int16_t>(c.style), {0, 0, 1, 0}));
        EXPECT_EQ(second.find("SP"), std::string::npos) << second;
    }
}

TEST(HpglEmitter, LineTypeCommandsBySetTypeAndEntity)
{
    struct Case {
        int set;
        int lineType;
        int16_t entityType;
        std::string command;  // "" when nothing is sent
    };
    const Case cases[] = {
        {0, 1, EntityType::Line, "LT2,0.1;"},   {0, 2, EntityType::Line, "LT3,0.5;"},
        {0, 3, EntityType::Line, "LT5,0.5;"},   {0, 4, EntityType::Line, "LT6,0.5;"},
        {1, 3, EntityType::Line, "LT5,0.5;"},   {0, 1, EntityType::Circle, "LT-2;"},
        {0, 4, EntityType::Arc, "LT-6;"},       {0, 5, EntityType::Line, ""},
        {0, 7, EntityType::Line, ""},           {0, 0, EntityType::Line, ""},
        {2, 0, EntityType::Line, "LT1;"},       {2, 1, EntityType::Line, "LT2;"},
        {2, 2, EntityType::Line, "LT3;"},       {2, 3, EntityType::Line, "LT3;"},
        {2, 4, EntityType::Line, "LT4;"},       {3, 0, EntityType::Line, "B80,|L0,\x03"},
        {3, 1, EntityType::Line, "B30,|L3,\x03"}, {3, 2, EntityType::Line, "B80,|L4,\x03"},
        {3, 3, EntityType::Line, "B80,|L6,\x03"}, {3, 4, EntityType::Circle, "B80,|L7,\x03"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "set " << c.set << " type " << c.lineType << " kind " << c.entityType);
        CHpglEmitter hpgl = Emitter(c.set);
        hpgl.CurrentPen = 1;
        HpglText out("|");
        hpgl.SelectLineType(c.lineType, c.entityType, out);
        EXPECT_EQ(out.text, c.command.empty() ? "" : c.command + "|");
    }
}

TEST(HpglEmitter, BackToSolidSendsTheResetOnce)
{
    CHpglEmitter hpgl = Emitter(0);
    EXPECT_EQ(Commands(hpgl, Make(EntityType::Line, 301, {0, 0, 1, 0})), "SP1;|LT5,0.5;|PU0.00,0.00;|PD40.00,0.00;|");
    EXPECT_EQ(Commands(hpgl, Make(EntityType::Circle, 301, {0, 0, 1})), "PU0.00,0.00;|CI40.00,5;|");
    EXPECT_EQ(Commands(hpgl, Make(EntityType::Line, 501, {0, 0, 1, 0})), "LT;|PU0.00,0.00;|PD40.00,0.00;|");
    EXPECT_EQ(Commands(hpgl, Make(EntityType::Line, 1, {0, 0, 1, 0})), "PU0.00,0.00;|PD40.00,0.00;|");
}

TEST(HpglEmitter, DimensionsAndHatchesKeepThePenAloneAndPlotSolid)
{
    CHpglEmitter hpgl = Emitter(0);
    Commands(hpgl, Make(EntityType::Line, 201, {0, 0, 1, 0}));
    CEntity dimension = Make(EntityType::Dimension, 4, {}, 3);
    EXPECT_EQ(Commands(hpgl, dimension), "SP4;|LT;|");
}

TEST(HpglEmitter, KindsThatLeaveNoTraceSendNothing)
{
    const int16_t kinds[] = {EntityType::Grid, EntityType::HorizontalInfiniteLine, EntityType::VerticalInfiniteLine,
                             EntityType::InfiniteLine, EntityType::GroupHeader, EntityType::Fill, EntityType::Image};
    for (int16_t kind : kinds) {
        SCOPED_TRACE(kind);
        CHpglEmitter hpgl = Emitter(0);
        EXPECT_EQ(Commands(hpgl, Make(kind, 305, {0, 0, 10, 10, 5, 5, 1})), "");
        EXPECT_EQ(hpgl.CurrentPen, -1);
    }
}

TEST(HpglEmitter, ShortRecordsArePassedOver)
{
    const CEntity records[] = {Make(EntityType::Line, 1, {0, 0, 1}), Make(EntityType::Circle, 1, {0, 0}),
                               Make(EntityType::Arc, 1, {0, 0, 1, 0}), Make(EntityType::Text, 1, {0, 0, 1}),
                               Make(EntityType::Point, 1, {0}), Make(EntityType::LeaderText, 1, {0, 0, 1, 1, 0})};
    for (const CEntity& e : records) {
        SCOPED_TRACE(e.type);
        CHpglEmitter hpgl = Emitter(0);
        EXPECT_EQ(Commands(hpgl, e), "SP1;|");
    }
}

TEST(HpglEmitter, PointIsASquareWithItsDiagonals)
{
    CHpglEmitter hpgl = Emitter(0);
    hpgl.CurrentPen = 1;
    EXPECT_EQ(Commands(hpgl, Make(EntityType::Point, 1, {10, 5})),
              "PU380.00,180.00;|PD420.00,180.00;|PU420.00,180.00;|PD420.00,220.00;|"
              "PU420.00,220.00;|PD380.00,220.00;|PU380.00,220.00;|PD380.00,180.00;|"
              "PU380.00,220.00;|PD420.00,180.00;|PU420.00,220.00;|PD380.00,180.00;|");
}

TEST(HpglEmitter, CirclesBySet)
{
    struct Case {
        int set;
        std::string commands;
    };
    const Case cases[] = {
        {0, "PU400.00,200.00;|CI80.00,5;|"},
        {1, "PU400.00,200.00;|CI80.00,5;|"},
        {2, "MA10.00,5.00;|CI2.00,0;|"},
        {3, "M10.00,5.00\x03|W10.00,5.00,2.00,2.00,0,3600\x03|"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.set);
        CHpglEmitter hpgl = Emitter(c.set);
        hpgl.CurrentPen = 1;
        hpgl.CurrentLineType = 0;
        EXPECT_EQ(Commands(hpgl, Make(EntityType::Circle, 1, {10, 5, 2})), c.commands);
    }
}

TEST(HpglEmitter, ArcsStartAtTheirCounterClockwiseEndAndSweepTheSpan)
{
    struct Case {
        int subtype;
        double a0, a1;
        double startDegrees;
        std::string sweep;
    };
    const Case cases[] = {
        {1, 350, 10, 350, "20.000"},  {1, 30, 0, 30, "330.000"}, {-1, 30, 0, 0, "30.000"},
        {1, 90, 180, 90, "90.000"},   {1, 45, 45, 45, "360.000"}, {1, 270, 90, 270, "180.000"},
        {-1, 10, 350, 350, "20.000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.subtype << " " << c.a0 << " " << c.a1);
        CHpglEmitter hpgl = Emitter(2);  // unit 1: plotter units are millimetres
        hpgl.CurrentPen = 1;
        hpgl.CurrentLineType = 0;
        HpglText out("|");
        hpgl.OutputArc(Make(EntityType::Arc, 1, {100, 100, 10, c.a0, c.a1}, static_cast<int16_t>(c.subtype)), out);
        const double sx = 100 + 10 * std::cos(c.startDegrees * 3.141592654 / 180);
        const double sy = 100 + 10 * std::sin(c.startDegrees * 3.141592654 / 180);
        char move[64];
        std::snprintf(move, sizeof move, "MA%0.2f,%0.2f;", static_cast<float>(sx), static_cast<float>(sy));
        EXPECT_EQ(out.text, std::string(move) + "|AA100.000,100.000," + c.sweep + ",5;|");
    }
}

TEST(HpglEmitter, ArcsUnderSetZeroPutThePenDownBeforeTheArc)
{
    CHpglEmitter hpgl = Emitter(0);
    hpgl.CurrentPen = 1;
    EXPECT_EQ(Commands(hpgl, Make(EntityType::Arc, 1, {0, 0, 1, 0, 90}, 1)),
              "PU40.00,0.00;|PD;|AA0.000,0.000,90.000,5;|");
}

TEST(HpglEmitter, ArcsUnderSetThreeGiveTenthsOfADegreeWithTheEndPastTheStart)
{
    CHpglEmitter hpgl = Emitter(3);
    hpgl.CurrentPen = 1;
    hpgl.CurrentLineType = 0;
    EXPECT_EQ(Commands(hpgl, Make(EntityType::Arc, 1, {10, 20, 5, 350, 10}, 1)),
              "M10.00,20.00\x03|W10.00,20.00,5.00,5.00,3500,3700\x03|");
    EXPECT_EQ(Commands(hpgl, Make(EntityType::Arc, 1, {10, 20, 5, 30, 0}, -1)),
              "M10.00,20.00\x03|W10.00,20.00,5.00,5.00,0,300\x03|");
}

TEST(HpglEmitter, TextWidthHalvesForSingleByteStrings)
{
    struct Case {
        std::string text;
        std::string size;
    };
    const Case cases[] = {
        {"ABC", "SI0.250,0.300;"},
        {"\x8a\xbf", "SI0.500,0.300;"},                 // a kanji
        {"A\x82\xa0", "SI0.500,0.300;"},                // hiragana after a letter
        {"\x82\x40", "SI0.250,0.300;"},                 // a trail byte outside the lead's range
        {"\xb1\xb2", "SI0.250,0.300;"},                 // half-width katakana
        {"\x81", "SI0.250,0.300;"},                     // a lead byte at the end
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        CHpglEmitter hpgl = Emitter(0);
        hpgl.CurrentPen = 1;
        EXPECT_EQ(Commands(hpgl, Make(EntityType::Text, 1, {10, 5, 3, 5, 90}, 0, c.text)),
                  "DI0.000,1.000;|PU400.00,200.00;|" + c.size + "|LB" + c.text + "\x03|");
    }
}

TEST(HpglEmitter, TextsOfTheOlderSets)
{
    CHpglEmitter set2 = Emitter(2);
    set2.CurrentPen = 1;
    set2.CurrentLineType = 0;
    EXPECT_EQ(Commands(set2, Make(EntityType::Text, 1, {10, 5, 3.7, 5.2, 30}, 0, "AB")), "MA10.00,5.00;|");
    CHpglEmitter set3 = Emitter(3);
    set3.CurrentPen = 1;
    set3.CurrentLineType = 0;
    EXPECT_EQ(Commands(set3, Make(EntityType::Text, 1, {10, 5, 3.7, 5.2, 30}, 0, "AB")),
              "M10.00,5.00\x03|S3,5;|BAB\x03|");
}

TEST(HpglEmitter, ALineEndInsideATextNeverSplitsTheLabel)
{
    CHpglEmitter hpgl = Emitter(0);
    hpgl.CurrentPen = 1;
    const std::string out = Commands(hpgl, Make(EntityType::Text, 1, {0, 0, 3, 5, 0}, 0, "A\r\nB"));
    EXPECT_NE(out.find("LBA  B\x03|"), std::string::npos) << out;
}

TEST(HpglEmitter, ArrowheadsAreFixedPlotterStrokesOnTheRightSide)
{
    struct Case {
        int kind;
        std::vector<double> strokeDegrees;  // directions from the tip
    };
    // Tip at (0, 0) pointing away from (10, 0): theta = 180 degrees.
    const Case cases[] = {{2, {330}}, {3, {30, 330}}, {4, {150, 210}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        CHpglEmitter hpgl = Emitter(2);
        hpgl.PlotScale = 100.0f;  // sizes do not follow the scale
        HpglText out("|");
        hpgl.OutputArrowhead(c.kind, 0, 2, 0, 0, 10, 0, out);
        std::string expected;
        for (double d : c.strokeDegrees) {
            char buf[96];
            std::snprintf(buf, sizeof buf, "MA0.00,0.00;|DA%0.2f,%0.2f;|", 100 * std::cos(d * M_PI / 180),
                          100 * std::sin(d * M_PI / 180));
            expected += buf;
        }
        EXPECT_EQ(out.text, expected);
    }
}

TEST(HpglEmitter, DotTerminatorsBySizeAndSet)
{
    struct Case {
        int set, dotSize;
        std::string commands;
    };
    const Case cases[] = {
        {0, 0, "PU0.00,0.00;|CI20.00,5;|"},
        {0, 4, "PU0.00,0.00;|CI60.00,5;|"},
        {0, 9, "PU0.00,0.00;|CI60.00,5;|"},
        {3, 1, "W0.00,0.00,30.00,30.00,0,3600\x03|"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.set << " " << c.dotSize);
        CHpglEmitter hpgl = Emitter(c.set);
        HpglText out("|");
        hpgl.OutputArrowhead(1, c.dotSize, 0, 0, 0, 5, 5, out);
        EXPECT_EQ(out.text, c.commands);
    }
    CHpglEmitter hpgl = Emitter(0);
    HpglText none("|");
    hpgl.OutputArrowhead(0, 0, 0, 0, 0, 5, 5, none);
    hpgl.OutputArrowhead(5, 0, 0, 0, 0, 5, 5, none);
    EXPECT_EQ(none.text, "");
}

TEST(HpglEmitter, DimensionPlotsItsTerminators)
{
    // A radius dimension: an arrowhead at the first point, away from the second.
    CEntity dimension = Make(EntityType::Dimension, 1, {30000, 0, 0, 10, 0}, 3);
    dimension.codes = {14, 40, 41, 50, 51};
    CHpglEmitter hpgl = Emitter(2);
    hpgl.CurrentPen = 1;
    hpgl.CurrentLineType = 0;
    HpglText out("|");
    hpgl.OutputEntity(dimension, out);
    EXPECT_EQ(CountOf(out.text, "MA0.00,0.00;"), 2) << out.text;
    EXPECT_NE(out.text.find("DA51.96,30.00;"), std::string::npos) << out.text;
    EXPECT_NE(out.text.find("DA51.96,-30.00;"), std::string::npos) << out.text;
}

TEST(HpglEmitter, LeaderTextPlotsTextLeaderAndTerminator)
{
    CEntity leader = Make(EntityType::LeaderText, 1, {0, 0, 3, 5, 0, 10, 10, 20, 10, 20, 20}, 12, "A");
    CHpglEmitter hpgl = Emitter(2);
    hpgl.CurrentPen = 1;
    hpgl.CurrentLineType = 0;
    EXPECT_EQ(Commands(hpgl, leader),
              "MA0.00,0.00;|MA10.00,10.00;|DA20.00,10.00;|MA20.00,10.00;|DA20.00,20.00;|"
              "MA10.00,10.00;|DA79.28,-30.00;|");
}

TEST(HpglEmitter, HatchPlotsEverySpanOfTheGenerator)
{
    CEntity hatch;
    hatch.type = EntityType::Hatch;
    hatch.subtype = 2;
    hatch.style = 3;
    hatch.codes = {4, 0, 0, 60, 61, 62, 63, 10, 20, 10, 20, 10, 20, 10, 20};
    for (double v : {5.0, 5.0, 0.0, 0.0, 0.0, 40.0, 20.0, 0.0, 0.0, 40.0, 0.0, 40.0, 20.0, 0.0, 20.0})
        hatch.values.push_back(v);
    hatch.count = static_cast<int16_t>(hatch.values.size());
    const std::vector<HatchSegment> spans = HatchLineSegments(hatch);
    ASSERT_GT(spans.size(), 4u);
    CHpglEmitter hpgl = Emitter(0);
    const std::string out = Commands(hpgl, hatch);
    EXPECT_EQ(CountOf(out, "PU"), static_cast<int>(spans.size()));
    EXPECT_EQ(CountOf(out, "PD"), static_cast<int>(spans.size()));
    char first[64];
    std::snprintf(first, sizeof first, "PU%0.2f,%0.2f;|PD%0.2f,%0.2f;", spans[0].x1 / 0.025, spans[0].y1 / 0.025,
                  spans[0].x2 / 0.025, spans[0].y2 / 0.025);
    EXPECT_NE(out.find(first), std::string::npos) << out.substr(0, 200);
}

TEST(HpglEmitter, CurvesPolygonsAndEllipsesAreStroked)
{
    struct Case {
        CEntity e;
        double minX, minY, maxX, maxY;  // model extents of the stroke
    };
    CEntity ellipse = Make(EntityType::Ellipse, 1, {50, 50, 20, 10, 0});
    ellipse.codes = {10, 20, 60, 61, 62};
    CEntity tilted = Make(EntityType::Ellipse, 1, {50, 50, 20, 10, 90});
    tilted.codes = {10, 20, 60, 61, 62};
    CEntity upperHalf = Make(EntityType::EllipticArc, 1, {50, 50, 20, 10, 0, 0, 180}, 1);
    upperHalf.codes = {10, 20, 60, 61, 62, 50, 51};
    const Case cases[] = {
        {Make(EntityType::Polygon, 1, {0, 0, 10, 0, 10, 10, 0, 10}), 0, 0, 10, 10},
        {Make(EntityType::FreehandCurve, 1, {0, 0, 5, 8, 10, 2}), 0, 0, 10, 8},
        {Make(EntityType::Curve, 1, {0, 0, 10, 10, 20, 0}), 0, 0, 20, 6.667},  // a B-spline keeps off its middle point
        {ellipse, 30, 40, 70, 60},
        {tilted, 40, 30, 60, 70},
        {upperHalf, 30, 50, 70, 60},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.e.type);
        CHpglEmitter hpgl = Emitter(2);
        hpgl.CurrentPen = 1;
        hpgl.CurrentLineType = 0;
        HpglText out("\n");
        hpgl.OutputEntity(c.e, out);
        double minX = 1e9, minY = 1e9, maxX = -1e9, maxY = -1e9;
        int draws = 0;
        std::size_t pos = 0;
        while (pos < out.text.size()) {
            const std::size_t end = out.text.find('\n', pos);
            const std::string line = out.text.substr(pos, end - pos);
            pos = end + 1;
            double x, y;
            ASSERT_EQ(std::sscanf(line.c_str() + 2, "%lf,%lf", &x, &y), 2) << line;
            if (line.rfind("DA", 0) == 0) ++draws;
            minX = std::min(minX, x);
            minY = std::min(minY, y);
            maxX = std::max(maxX, x);
            maxY = std::max(maxY, y);
        }
        EXPECT_GE(draws, 2);
        EXPECT_NEAR(minX, c.minX, 0.2);
        EXPECT_NEAR(minY, c.minY, 0.2);
        EXPECT_NEAR(maxX, c.maxX, 0.2);
        EXPECT_NEAR(maxY, c.maxY, 0.2);
    }
}

TEST(HpglEmitter, BrokenNumbersNeverReachThePlotter)
{
    CHpglEmitter hpgl = Emitter(0);
    const std::string out = Commands(hpgl, Make(EntityType::Line, 1, {NAN, 0, INFINITY, 1e300}));
    EXPECT_EQ(out, "SP1;|PU0.00,0.00;|PD0.00,0.00;|");
}

TEST(HpglScale, PaperFactorByPaperOnlyWhenPaperBased)
{
    const float s = std::sqrt(2.0f);
    const float expected[] = {1 / s, 1, s, 2, 2 * s, 4, 1.64f, 2.3193102f, 3.28f};
    for (int i = 0; i < 9; ++i) {
        EXPECT_FLOAT_EQ(HpglPaperFactor(1, i), expected[i]) << i;
        EXPECT_FLOAT_EQ(HpglPaperFactor(0, i), 1.0f) << i;
    }
    EXPECT_FLOAT_EQ(HpglPaperFactor(1, 9), 1.0f);
    EXPECT_FLOAT_EQ(HpglPaperFactor(1, -1), 1.0f);
    EXPECT_FLOAT_EQ(HpglPaperFactor(1, 70000), 1.0f);
}

TEST(HpglScale, PlotScaleFromTheExtentsUnlessAScaleIsChosen)
{
    struct Case {
        float w, h;
        int index;
        float documentScale;
        float scale;
    };
    const Case cases[] = {
        {20000, 0, 0, 0, 20},    {12000, 16000, 0, 0.5f, 20}, {6000, 0, 0, 0, 1},  {7500, 0, 0, 0, 1},  {8000, 0, 0, 0, 10},
        {20000, 0, 1, 0, 100},   {20000, 0, 2, 0, 50},        {1, 1, 3, 0, 30},     {1, 1, 4, 0, 20},
        {1, 1, 5, 0, 10},        {1, 1, 6, 0, 1},             {1, 1, 0, 75, 75},    {100000, 0, 0, 0, 140},
        {1, 1, 7, 250, 250},     {1, 1, -2, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " index " << c.index);
        EXPECT_FLOAT_EQ(HpglPlotScale(0, 0, c.w, c.h, c.index, c.documentScale), c.scale);
    }
}

TEST(HpglEmitter, EveryKindTheTableLetsBePlottedHasAnEmitterAndNoOtherDoes)
{
    for (const EntityKind& kind : EntityKinds()) {
        SCOPED_TRACE(kind.name);
        EXPECT_EQ(kind.Allows(KindAllows::Hpgl), HpglEmitterOf(kind.type) != nullptr);
        EXPECT_EQ(HpglPlotsKind(kind.type), kind.Allows(KindAllows::Hpgl));
        // The fullest record of the kind made from its row plots something,
        // or nothing at all.
        const std::vector<double> values = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110};
        std::string fullest;
        bool made = false;
        for (std::size_t n = 1; n <= values.size(); ++n) {
            const std::optional<EntityRecord> record =
                MakeRecord(kind.type, std::span<const double>(values.data(), n), kind.type == 41 ? 12 : 1);
            if (!record) continue;
            CEntity e;
            e.type = record->header.type;
            e.subtype = record->header.subtype;
            e.style = 1;
            for (int16_t c : record->codes) e.codes.push_back(c);
            for (double v : record->values) e.values.push_back(v);
            e.count = static_cast<int16_t>(record->values.size());
            e.text = std::string("A");
            CHpglEmitter hpgl = Emitter(0);
            fullest = Commands(hpgl, e);
            made = true;
            if (!kind.Allows(KindAllows::Hpgl)) {
                EXPECT_EQ(fullest, "") << n << " values";
            }
        }
        if (made && kind.Allows(KindAllows::Hpgl)) {
            EXPECT_NE(fullest.find("PU"), std::string::npos) << fullest;
        }
    }
    EXPECT_FALSE(HpglPlotsKind(12));
    EXPECT_FALSE(HpglPlotsKind(-1));
}
