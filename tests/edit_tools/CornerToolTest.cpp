// The corner tool through the view: corners with nothing, a chamfer or a
// fillet, the trim boxes, one undo step, and the picks it refuses.

#include "common/ToolHarness.h"

#include "edit_tools/CornerTool.h"
#include "model/Document.h"
#include "model/Settings.h"
#include "resources/Resource.h"
#include "view/ToolList.h"
#include "view/ToolState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

using LineSet = std::vector<std::vector<double>>;

std::vector<double> Rounded(const CEntity* e)
{
    std::vector<double> v(e->values.begin(), e->values.end());
    for (double& d : v)
        d = std::round(d * 1000) / 1000 + 0.0;
    return v;
}

class CornerToolTest : public ::testing::Test {
protected:
    CornerToolTest()
    {
        saved_ = {CornerMode, CornerTrimLine1, CornerTrimLine2};
        savedDistance_ = CornerDistance;
        Options(0, 1, 1, 10.0f);
    }
    ~CornerToolTest() override
    {
        CornerMode = saved_[0];
        CornerTrimLine1 = saved_[1];
        CornerTrimLine2 = saved_[2];
        CornerDistance = savedDistance_;
    }
    static void Options(int mode, int trim1, int trim2, float distance)
    {
        CornerMode = static_cast<int16_t>(mode);
        CornerTrimLine1 = static_cast<int16_t>(trim1);
        CornerTrimLine2 = static_cast<int16_t>(trim2);
        CornerDistance = distance;
    }
    CEntity* AddLine(double x1, double y1, double x2, double y2, int16_t type = EntityType::Line, int16_t layer = 0)
    {
        EntityHeader hd{type, 0, 305, layer, 4};
        const double v[4] = {x1, y1, x2, y2};
        const int16_t codes[4] = {10, 20, 11, 22};
        return h.AddRecord(hd, codes, 0x00123456, v);
    }
    void Start()
    {
        h.Select(10, 0);
        ASSERT_EQ(CurrentToolId, ToolId::Corner);
    }
    // The lines of the drawing as rounded (x1, y1, x2, y2), sorted.
    std::vector<std::vector<double>> Lines()
    {
        std::vector<std::vector<double>> out;
        for (const CEntity* e : h.Entities(EntityType::Line))
            out.push_back(Rounded(e));
        std::sort(out.begin(), out.end());
        return out;
    }
    // Leaves nothing but the grid record.
    void ClearDrawing()
    {
        for (CEntity* e = h.Doc().list.first; e; e = e->next)
            if (e->type == EntityType::Line || e->type == EntityType::Arc)
                e->state = EntityState::Deleted;
        h.Doc().list.MoveDeletedToUndo();
        h.Doc().list.DiscardUndo(&h.Doc().snaps);
    }
    int Records()
    {
        int n = 0;
        for (const CEntity* e = h.Doc().list.first; e; e = e->next)
            ++n;
        return n;
    }

    ToolHarness h;
    std::vector<int16_t> saved_;
    float savedDistance_ = 0.0f;
};


TEST_F(CornerToolTest, ChamferAndFilletOnTwoPerpendicularLinesAreOneUndoStepEach)
{
    struct Case {
        int mode;
        bool reversed;  // second line picked first
        LineSet lines;  // afterwards (the chamfer line included)
        std::vector<double> arc;
        int16_t subtype;
    };
    const Case cases[] = {
        {1, false, {{0, 50, 0, 10}, {10, 0, 0, 10}, {50, 0, 10, 0}}, {}, 0},
        {2, false, {{0, 50, 0, 10}, {50, 0, 10, 0}}, {10, 10, 10, 270, 180}, -1},
        {2, true, {{0, 50, 0, 10}, {50, 0, 10, 0}}, {10, 10, 10, 180, 270}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << (c.reversed ? " reversed" : ""));
        ToolHarness::ResetSharedToolState();
        // A fresh pair of lines for each case.
        ClearDrawing();
        AddLine(0, 0, 50, 0);
        AddLine(0, 0, 0, 50);
        const LineSet before = Lines();
        const int records = Records();
        Options(c.mode, 1, 1, 10.0f);
        Start();
        if (c.reversed) {
            h.Click(0, 30);
            EXPECT_EQ(h.Prompt(), QStringLiteral("交差する次の直線を指示して下さい。"));
            h.Click(30, 0);
        } else {
            h.Click(30, 0);
            h.Click(0, 30);
        }
        EXPECT_EQ(h.Prompt(), QString::fromUtf8(CCornerTool::kStartPrompt));
        EXPECT_EQ(InputPointCount, 0);
        EXPECT_EQ(Lines(), c.lines);
        const auto arcs = h.Entities(EntityType::Arc);
        if (c.arc.empty()) {
            EXPECT_TRUE(arcs.empty());
        } else {
            ASSERT_EQ(arcs.size(), 1u);
            EXPECT_EQ(Rounded(arcs[0]), c.arc);
            EXPECT_EQ(arcs[0]->subtype, c.subtype);
        }
        // The replacing lines keep their own look.
        for (const CEntity* e : h.Entities(EntityType::Line)) {
            EXPECT_EQ(e->state, EntityState::Normal);
            if (std::fabs(e->values[0] - 50) < 1e-9 || std::fabs(e->values[1] - 50) < 1e-9) {
                EXPECT_EQ(e->style, 305);
                EXPECT_EQ(e->colour, 0x00123456u);
            }
        }
        h.Key(ID_EDIT_UNDO);
        EXPECT_EQ(Lines(), before);
        EXPECT_TRUE(h.Entities(EntityType::Arc).empty());
        EXPECT_EQ(Records(), records);
    }
}

TEST_F(CornerToolTest, ModeZeroTrimsCrossingLinesAndExtendsShortOnesByTheBoxes)
{
    struct Case {
        LineSet lines;
        int trim1, trim2;
        LineSet after;
    };
    const Case cases[] = {
        // Crossing: the far sides go.
        {{{-20, 0, 50, 0}, {0, -20, 0, 50}}, 1, 1, {{0, 50, 0, 0}, {50, 0, 0, 0}}},
        // Not reaching: both lengthened to the corner.
        {{{10, 0, 50, 0}, {0, 10, 0, 50}}, 1, 1, {{0, 50, 0, 0}, {50, 0, 0, 0}}},
        // One box: only that line.
        {{{10, 0, 50, 0}, {0, 10, 0, 50}}, 0, 1, {{0, 50, 0, 0}, {10, 0, 50, 0}}},
        // No box: nothing changes.
        {{{10, 0, 50, 0}, {0, 10, 0, 50}}, 0, 0, {{0, 10, 0, 50}, {10, 0, 50, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "trim " << c.trim1 << c.trim2 << " from x " << c.lines[0][0]);
        ClearDrawing();
        for (const auto& l : c.lines)
            AddLine(l[0], l[1], l[2], l[3]);
        Options(0, c.trim1, c.trim2, 10.0f);
        Start();
        h.Click(30, 0);
        h.Click(0, 30);
        EXPECT_EQ(Lines(), c.after);
        EXPECT_TRUE(h.Messages().isEmpty());
    }
}

TEST_F(CornerToolTest, AnInfiniteLineIsReplacedByAnOrdinaryOne)
{
    AddLine(-20, 0, 50, 0, EntityType::InfiniteLine);
    AddLine(0, -20, 0, 50);
    Start();
    h.Click(30, 0);
    h.Click(0, 30);
    EXPECT_TRUE(h.Entities(EntityType::InfiniteLine).empty());
    EXPECT_EQ(Lines(), (LineSet{{0, 50, 0, 0}, {50, 0, 0, 0}}));
}

TEST_F(CornerToolTest, ADistanceBelowOneHundredthStoredAsFloatIgnoresClicks)
{
    AddLine(0, 0, 50, 0);
    AddLine(0, 0, 0, 50);
    Options(1, 1, 1, 0.01f);
    Start();
    const int beeps = h.Beeps();
    const QString prompt = h.Prompt();
    h.Click(30, 0);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(h.Entities(EntityType::Line)[0]->state, EntityState::Normal);
    EXPECT_EQ(h.Beeps(), beeps);
    EXPECT_EQ(h.Prompt(), prompt);

    CornerDistance = 0.011f;
    h.Click(30, 0);
    EXPECT_EQ(InputPointCount, 1);
    EXPECT_EQ(h.Entities(EntityType::Line)[0]->state, EntityState::Highlighted);
}

TEST_F(CornerToolTest, RefusedPicksBeepAndCancelsPutTheFirstLineBack)
{
    CEntity* first = AddLine(0, 0, 50, 0);
    AddLine(0, 0, 0, 50, EntityType::Line, 1);  // another layer
    // Within 0.5 of the first line's line all along: counts as the same line.
    AddLine(60, 0.4, 160, -0.4);
    Start();
    int beeps = h.Beeps();
    h.Click(200, 200);  // nothing there
    EXPECT_EQ(h.Beeps(), ++beeps);
    h.Click(0, 30);     // other layer
    EXPECT_EQ(h.Beeps(), ++beeps);
    EXPECT_EQ(InputPointCount, 0);

    h.Click(30, 0);
    EXPECT_EQ(first->state, EntityState::Highlighted);
    h.Click(30, 0);     // the same line again
    EXPECT_EQ(h.Beeps(), ++beeps);
    EXPECT_EQ(InputPointCount, 1);
    h.Click(110, 0);    // nearly collinear
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(first->state, EntityState::Normal);
    EXPECT_EQ(h.Prompt(), QString::fromUtf8(CCornerTool::kStartPrompt));

    h.Click(30, 0);
    OperationRestarted = 0;
    h.RightClick(30, 0);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(OperationRestarted, 1);
    EXPECT_EQ(first->state, EntityState::Normal);

    h.Click(30, 0);
    ToolList.Find(ToolId::Corner)->Reset(&h.View());
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(first->state, EntityState::Normal);
    EXPECT_EQ(Lines(), (LineSet{{0, 0, 0, 50}, {0, 0, 50, 0}, {60, 0.4, 160, -0.4}}));
}

TEST_F(CornerToolTest, AProtectedDrawingShowsOneMessageAndKeepsItsLines)
{
    AddLine(0, 0, 50, 0);
    AddLine(0, 0, 0, 50);
    const LineSet before = Lines();
    const int records = Records();
    Options(2, 1, 1, 10.0f);
    h.Doc().ProtectionState = 1;
    Start();
    h.Click(30, 0);
    h.Click(0, 30);
    EXPECT_EQ(h.Messages(), QStringList{QStringLiteral("この図面は、書きこみ禁止状態になっています。")});
    EXPECT_EQ(Lines(), before);
    EXPECT_EQ(Records(), records);
    for (const CEntity* e : h.Entities(EntityType::Line))
        EXPECT_EQ(e->state, EntityState::Normal);
    EXPECT_EQ(InputPointCount, 0);
    h.Doc().ProtectionState = 0;
}

} // namespace
