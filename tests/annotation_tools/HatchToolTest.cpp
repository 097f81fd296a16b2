#include "AnnotationFixture.h"

#include "annotation_tools/HatchiTool.h"
#include "model/BoundaryRecord.h"
#include "model/HatchLines.h"
#include "model/Settings.h"

#include <cmath>
#include <cstring>
#include <numbers>
#include <set>
#include <vector>

namespace {

class HatchToolTest : public AnnotationTest {
protected:
    // Picks at the points in turn in sub-mode 0 (hatch) or 1 (fill).
    const CEntity* Region(int mode, const std::vector<std::pair<double, double>>& picks)
    {
        const int type = mode == 0 ? EntityType::Hatch : EntityType::Fill;
        const std::size_t before = Records(type).size();
        h.Select(13, mode);
        for (auto [x, y] : picks)
            h.Click(x, y);
        const auto records = Records(type);
        return records.size() > before ? records.back() : nullptr;
    }
    struct Entry {
        int code;
        double value;
        bool operator==(const Entry&) const = default;
    };
    static std::vector<Entry> Entries(const CEntity* e)
    {
        std::vector<Entry> out;
        for (int i = 0; i < e->count; ++i)
            out.push_back({e->codes[static_cast<std::size_t>(i)], e->values[static_cast<std::size_t>(i)]});
        return out;
    }
    bool NothingHighlighted() const
    {
        for (const CEntity* e : h.Entities())
            if (e->state != EntityState::Normal)
                return false;
        return true;
    }
};

TEST_F(HatchToolTest, ARectangleOfFourLinesIsHatchedAsTheViewDrawsIt)
{
    AddRectangle(0, 0, 100, 50);
    HatchPattern = 1;
    HatchSpacingX = 10;
    HatchSpacingY = 10;
    HatchAngle = 0;
    const CEntity* hatch = Region(0, {{50, 0}, {100, 25}, {50, 50}, {0, 25}, {50, 0}});
    ASSERT_TRUE(hatch);
    EXPECT_EQ(hatch->subtype, 1);
    EXPECT_EQ(hatch->style, CurrentPen);
    const std::vector<Entry> expected{{4, 10}, {0, 10}, {0, 0},   {60, 0},  {61, 0},  {62, 100}, {63, 50},
                                      {10, 0}, {20, 0}, {10, 100}, {20, 0}, {10, 100}, {20, 50}, {10, 0},
                                      {20, 50}};
    EXPECT_EQ(Entries(hatch), expected);
    EXPECT_TRUE(NothingHighlighted());
    EXPECT_EQ(h.Prompt(), "ハッチングを行う閉領域を指示して下さい。");

    // The lines of the record are those the view draws: horizontal, from
    // one side to the other, 10 apart.
    HatchLinesReport report;
    const std::vector<HatchSegment> lines = HatchLineSegments(*hatch, &report);
    EXPECT_EQ(report.status, HatchLinesStatus::Ok);
    std::set<double> ys;
    for (const HatchSegment& s : lines) {
        EXPECT_EQ(s.y1, s.y2);
        EXPECT_NEAR(std::fabs(s.x2 - s.x1), 100, 1e-9);
        ys.insert(s.y1);
    }
    for (double y : {10.0, 20.0, 30.0, 40.0})
        EXPECT_EQ(ys.count(y), 1u) << y;

    h.View().OnEditUndo();
    EXPECT_TRUE(Records(EntityType::Hatch).empty());
}

TEST_F(HatchToolTest, TheNewHatchIsOnScreenAtOnce)
{
    // Off the grid's lines, which a full redraw draws over the entities.
    AddRectangle(2.5, 2.5, 62.5, 32.5);
    ASSERT_TRUE(Region(0, {{30, 2.5}, {62.5, 20}, {30, 32.5}, {2.5, 20}, {30, 2.5}}));
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(HatchToolTest, PaperSpacingsFollowTheScaleAndTheAngleDoesNot)
{
    AddCircle(0, 0, 10);
    h.Doc().header.scale = 50;
    UnitsMode = 1;
    HatchSpacingX = 3;
    HatchSpacingY = 5;
    HatchAngle = 30;
    const CEntity* hatch = Region(0, {{10, 0}});
    ASSERT_TRUE(hatch);
    const std::vector<Entry> expected{{1, 250},  {0, 150}, {0, 30},   {60, -10}, {61, -10},
                                      {62, 10}, {63, 10}, {50, 0}, {51, 0},   {52, 10}};
    EXPECT_EQ(Entries(hatch), expected);
}

TEST_F(HatchToolTest, AFillOfACircleClosesAtItsCentreWithABlackOutline)
{
    AddCircle(5, 7, 10);
    PaintPattern = 3;
    CurrentPen = 2;
    const CEntity* fill = Region(1, {{15, 7}});
    ASSERT_TRUE(fill);
    EXPECT_EQ(fill->subtype, 1);
    EXPECT_EQ(fill->style, 302);
    const std::vector<Entry> expected{{0, 0}, {0, 0}, {50, 5}, {51, 7}, {52, 10}, {10, 5}, {20, 7}};
    EXPECT_EQ(Entries(fill), expected);
    uint64_t bits = 1;
    std::memcpy(&bits, &fill->values[0], sizeof bits);
    EXPECT_EQ(bits, 0u);
    EXPECT_EQ(h.Prompt(), "塗つぶしを行う閉領域を指示して下さい。");
}

TEST_F(HatchToolTest, AnArcEntryTellsWhichWayTheBoundaryRuns)
{
    AddLine(-10, 0, 10, 0);
    AddArc(0, 0, 10, 0, 180);
    const double s = std::sqrt(50.0);
    struct Case {
        double side;
        int code;
        double vx;
    };
    // Entered at its start (10, 0) the boundary runs counter-clockwise
    // along the arc; entered at its end, clockwise.
    for (const Case& c : {Case{1, 0, 10}, Case{-1, 1, -10}}) {
        const CEntity* fill = Region(1, {{0, 0}, {c.side * s, s}, {-c.side * 8, 0}});
        ASSERT_TRUE(fill) << c.side;
        ASSERT_EQ(fill->count, 2 + 2 + 5 + 2);
        EXPECT_EQ(fill->codes[4], c.code) << c.side;
        EXPECT_EQ(fill->values[7], c.vx) << c.side;
        // Closing entry: vertex 0, where the arc meets the line again.
        EXPECT_EQ(fill->values[9], -c.vx) << c.side;
    }
}

TEST_F(HatchToolTest, TooManyElementsOrEntriesBeepAndAddNothing)
{
    // A zigzag of 21 lines that never closes.
    for (int i = 0; i < 21; ++i)
        AddLine(10.0 * i, (i % 2) * 10.0, 10.0 * (i + 1), ((i + 1) % 2) * 10.0);
    h.Select(13, 0);
    for (int i = 0; i < 20; ++i)
        h.Click(10.0 * i + 5, 5);
    EXPECT_EQ(InputPointCount, 20);
    const int beeps = h.Beeps();
    h.Click(205, 5);
    EXPECT_EQ(h.Beeps(), beeps + 1);
    EXPECT_EQ(InputPointCount, 20);
    h.RightClick(300, 300);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_TRUE(NothingHighlighted());
}

TEST_F(HatchToolTest, NineteenArcsNeedMoreEntriesThanARecordHolds)
{
    // A 19-gon about (150, 110) whose sides are half circles bulging
    // outwards.
    const int n = 19;
    const double pi = std::numbers::pi;
    std::vector<std::pair<double, double>> picks;
    for (int i = 0; i < n; ++i) {
        const double a0 = 2 * pi * i / n, a1 = 2 * pi * (i + 1) / n;
        const double x0 = 60 * std::cos(a0), y0 = 60 * std::sin(a0);
        const double x1 = 60 * std::cos(a1), y1 = 60 * std::sin(a1);
        // Relative to the centre until the arc is added.
        const double mx = (x0 + x1) / 2, my = (y0 + y1) / 2, r = std::hypot(x1 - x0, y1 - y0) / 2;
        const double start = std::atan2(y0 - my, x0 - mx) * 180 / pi;
        AddArc(150 + mx, 110 + my, r, start, start + 180);
        const double m = std::hypot(mx, my);
        picks.push_back({150 + mx + r * mx / m, 110 + my + r * my / m});
    }
    picks.push_back(picks.front());
    const int beeps = h.Beeps();
    EXPECT_FALSE(Region(0, picks));
    EXPECT_EQ(h.Beeps(), beeps + 1);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_TRUE(NothingHighlighted());
    // The fill of the same region fits: 2 + 95 + 2 entries.
    const CEntity* fill = Region(1, picks);
    ASSERT_TRUE(fill);
    EXPECT_EQ(fill->count, 99);
}

TEST_F(HatchToolTest, AProtectedDrawingShowsItsMessageAndKeepsNothingHighlighted)
{
    AddRectangle(0, 0, 100, 50);
    h.Doc().ProtectionState = 1;
    h.Ui().button(IDOK);
    EXPECT_FALSE(Region(0, {{50, 0}, {100, 25}, {50, 50}, {0, 25}, {50, 0}}));
    EXPECT_EQ(h.Messages(), QStringList{"この図面は、書きこみ禁止状態になっています。"});
    EXPECT_TRUE(NothingHighlighted());
}

TEST_F(HatchToolTest, AnElementUndoneBetweenPicksBeepsAndAddsNothing)
{
    const std::vector<CEntity*> rect = AddRectangle(0, 0, 100, 50);
    // The left side is the drawing's last undo step.
    h.Doc().list.mark = rect[3];
    h.Doc().list.undoState = UndoState::Normal;
    h.Select(13, 0);
    for (auto [x, y] : std::vector<std::pair<double, double>>{{50, 0}, {100, 25}, {50, 50}, {0, 25}})
        h.Click(x, y);
    ASSERT_EQ(InputPointCount, 4);
    h.View().OnEditUndo();
    ASSERT_EQ(h.Entities(EntityType::Line).size(), 3u);
    const int beeps = h.Beeps();
    h.Click(50, 0);
    EXPECT_EQ(h.Beeps(), beeps + 1);
    EXPECT_TRUE(Records(EntityType::Hatch).empty());
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_TRUE(NothingHighlighted());
}

} // namespace

namespace {

// The cancel key and another tool put the held elements back, as the
// right button does.
TEST_F(HatchToolTest, CancelAndAnotherToolDropTheElementsHeld)
{
    AddRectangle(0, 0, 100, 50);
    for (int how = 0; how < 2; ++how) {
        SCOPED_TRACE(how);
        h.Select(13, how);
        h.Click(50, 0);
        h.Click(100, 25);
        ASSERT_EQ(InputPointCount, 2);
        ASSERT_FALSE(NothingHighlighted());
        if (how == 0)
            h.Key(ID_ESCAPE_KEY);
        else
            h.Select(2, 0);
        EXPECT_EQ(InputPointCount, 0);
        EXPECT_TRUE(NothingHighlighted());
    }
}

} // namespace
