// Mirroring with the move tool: mirror move and copy in a vertical or
// horizontal axis, arcs, elliptic arcs, texts, images and dimensions, the
// flip of a selection from the selection panel, protection and groups.

#include "common/ToolHarness.h"
#include "edit_tools/MoveToolFixture.h"

#include "edit_tools/MoveTool.h"
#include "model/Document.h"
#include "model/EntityList.h"
#include "model/SelectionBox.h"
#include "model/Settings.h"
#include "model/SnapPointList.h"
#include "resources/Resource.h"
#include "view/ToolList.h"
#include "view/ToolState.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <numbers>
#include <string>
#include <vector>

namespace {

class MirrorTest : public ::testing::Test {
protected:
    CEntity* Add(int16_t type, int16_t subtype, std::vector<double> values, std::vector<int16_t> codes,
                 const char* text = "")
    {
        EntityHeader hd{type, subtype, 102, 0, static_cast<int16_t>(values.size())};
        EXPECT_EQ(h.Doc().list.AddEntity(hd, codes.data(), 0x00112233, values.data(), text), 0);
        h.Doc().snaps.AddEntityPoints(h.Doc().list.last);
        CEntity* e = h.Doc().list.last;
        while (e && e->owner && e->owner->type == EntityType::Dimension)
            e = e->owner;
        return e;
    }
    CEntity* AddLine(double x1, double y1, double x2, double y2)
    {
        return Add(EntityType::Line, 0, {x1, y1, x2, y2}, {10, 20, 11, 22});
    }
    // Marks everything and mirrors it about the axis through base.
    void Mirror(int subMode, GeoPoint base)
    {
        h.Select(12, subMode);
        h.Key(ID_SELECT_ALL);
        CMoveTool& tool = MoveTool();
        tool.X[2] = base.x;
        tool.Y[2] = base.y;
        h.Doc().list.DiscardUndo(&h.Doc().snaps);
        tool.MirrorSelection(&h.View(), subMode >= 4 ? 1 : 0, subMode % 2 == 0 ? 1 : 0);
    }
    std::vector<const CEntity*> Live(int type) const { return LiveEntities(h, type); }
    void Flip(int argument)
    {
        for (const CEntity* e : h.Entities())
            const_cast<CEntity*>(e)->state = EntityState::Selected;
        CommandArgument = static_cast<int16_t>(argument);
        h.Key(ID_SELECTION_OPERATION);
    }

    ToolHarness h;
};

TEST_F(MirrorTest, LineMirrorMoveAndCopyWithTheirUndo)
{
    CEntity* line = AddLine(10, 0, 30, 20);
    Mirror(2, {50, 0});
    auto lines = Live(EntityType::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]->values, (std::vector<double>{90, 0, 70, 20}));
    EXPECT_EQ(h.Doc().list.undoState, UndoState::Replaced);
    h.Key(ID_EDIT_UNDO);
    lines = Live(EntityType::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], line);
    EXPECT_EQ(line->values, (std::vector<double>{10, 0, 30, 20}));

    Mirror(5, {0, 5});
    lines = Live(EntityType::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], line);
    EXPECT_EQ(line->state, EntityState::Normal);
    EXPECT_EQ(lines[1]->values, (std::vector<double>{10, 10, 30, -10}));
    EXPECT_EQ(h.Doc().list.mark, lines[1]);
    h.Key(ID_EDIT_UNDO);
    EXPECT_EQ(Live(EntityType::Line), (std::vector<const CEntity*>{line}));
}

TEST_F(MirrorTest, ClickedAxisWithPreviewAndPrompts)
{
    AddLine(10, 10, 30, 30);
    h.View().RedrawNow();
    const QImage before = h.Screen();
    h.Select(12, 2);
    h.Key(ID_SELECT_ALL);
    EXPECT_EQ(h.Prompt(), QStringLiteral("反転移動する基準位置を選んで下さい。"));
    MagnetEnabled = 0;
    h.Move(100, 150);
    EXPECT_EQ(MoveTool().m_axisShown, 1);
    h.Move(120, 150);
    h.Click(120, 150);
    EXPECT_EQ(MoveTool().m_axisShown, 0);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(h.Prompt(), QStringLiteral("水平反転 移動する図形要素を選んでください。"));
    const double x = MoveTool().X[2];
    const auto lines = Live(EntityType::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NEAR(lines[0]->values[0], 2 * x - 10, 1e-9);
    EXPECT_NEAR(lines[0]->values[1], 10, 1e-9);
    // No axis line is left on screen.
    EXPECT_EQ(h.Screen(), h.FreshRedraw());

    // The right button at step 2 erases the axis and cancels.
    h.Select(12, 4);
    h.Key(ID_SELECT_ALL);
    h.Move(100, 100);
    h.RightClick(100, 100);
    EXPECT_EQ(MoveTool().m_axisShown, 0);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(h.Screen(), h.FreshRedraw());
    (void)before;
}

TEST_F(MirrorTest, ArcsEllipticArcsTextsAndImages)
{
    Add(EntityType::Arc, 1, {0, 0, 10, 0, 90}, {10, 20, 40, 50, 51});
    Add(EntityType::EllipticArc, 0, {0, 0, 20, 10, 30, 40, 100}, {10, 20, 60, 61, 62, 50, 51});
    Add(EntityType::Text, 0, {5, 5, 3, 2, 30}, {10, 20, 30, 40, 50}, "AB");
    Add(EntityType::Image, 0, {10, 10, 40, 30}, {10, 20, 11, 22}, "a.bmp");
    Mirror(2, {0, 0});

    const auto arcs = Live(EntityType::Arc);
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_EQ(arcs[0]->subtype, -1);
    EXPECT_NEAR(arcs[0]->values[3], 180, 1e-9);
    EXPECT_NEAR(arcs[0]->values[4], 90, 1e-9);

    const auto ellipses = Live(EntityType::EllipticArc);
    ASSERT_EQ(ellipses.size(), 1u);
    const auto& ev = ellipses[0]->values;
    EXPECT_GE(ev[4], 0.0);
    EXPECT_LE(ev[4], 180.0);
    // Start and end exchanged: the arc still runs counter-clockwise over
    // the reflected span.
    double span = ev[6] - ev[5];
    if (span < 0)
        span += 360;
    EXPECT_NEAR(span, 60, 1e-3);

    const auto texts = Live(EntityType::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->values, (std::vector<double>{-5, 5, 3, 2, 30}));
    EXPECT_EQ(texts[0]->font, DefaultTextFont);
    EXPECT_EQ(texts[0]->text, "AB");

    const auto images = Live(EntityType::Image);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0]->values, (std::vector<double>{-40, 10, -10, 30}));
    EXPECT_EQ(images[0]->text, "a.bmp");
}

TEST_F(MirrorTest, DimensionsKeepTheirValueAndTakeTheirMirroredPlace)
{
    // Angle dimension about the origin from 0 to 90 degrees.
    CEntity* angle = Add(EntityType::Dimension, 6,
                         {0, 0, 0, 90, 3, 0, 10, 0, 0, 0, 0, 0, 0, 0, 20, 0, 90, 10, 10},
                         {30, 31, 32, 10, 11, 12, 13, 14, 15, 16, 18, 19, 23, 24, 25, 26, 27, 42, 43});
    ASSERT_NE(angle, nullptr);
    ASSERT_EQ(angle->type, EntityType::Dimension);
    // A horizontal chain of 22 points, values 10 apart.
    std::vector<double> chain = {0, 0, 0, 210, 3, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 40};
    std::vector<int16_t> codes = {30, 31, 32};
    for (int16_t c = 10; c <= 22; ++c)
        codes.push_back(c);
    for (int i = 0; i < 22; ++i) {
        chain.insert(chain.end(), {10.0 + 10 * i, 20});
        codes.insert(codes.end(), {static_cast<int16_t>(40 + 10 * i), static_cast<int16_t>(41 + 10 * i)});
    }
    CEntity* chained = Add(EntityType::Dimension, 1, chain, codes);
    ASSERT_EQ(chained->type, EntityType::Dimension);
    std::vector<std::string> texts;
    for (const CEntity* e : h.Entities(EntityType::Text))
        texts.push_back(e->text);

    Mirror(2, {0, 0});
    const auto dims = Live(EntityType::Dimension);
    ASSERT_EQ(dims.size(), 2u);
    EXPECT_NE(dims[0], angle);
    EXPECT_NEAR(dims[0]->values[15], 90, 1e-9);
    EXPECT_NEAR(dims[0]->values[16], 180, 1e-9);
    EXPECT_EQ(dims[0]->values[3], 90);

    const auto& v = dims[1]->values;
    ASSERT_EQ(v.size(), chain.size());
    for (int i = 0; i < 22; ++i) {
        EXPECT_NEAR(v[16 + 2 * i], -220.0 + 10 * i, 1e-9) << i;
        EXPECT_EQ(dims[1]->codes[16 + 2 * i], 40 + 10 * i);
    }
    // The members are built anew with the same texts.
    std::vector<std::string> after;
    for (const CEntity* e : Live(EntityType::Text))
        after.push_back(e->text);
    EXPECT_EQ(after, texts);
    for (const CEntity* e : Live(EntityType::Text))
        EXPECT_TRUE(e->owner == dims[0] || e->owner == dims[1]);
}

TEST_F(MirrorTest, FlipTwiceIsTheIdentityAndLeavesToolListAlone)
{
    AddLine(0, 0, 100, 40);
    Add(EntityType::Point, 0, {30, 70}, {10, 20});
    Add(EntityType::HorizontalInfiniteLine, 0, {0, 5, 10, 5}, {10, 20, 11, 22});
    const std::size_t tools = ToolList.GetCount();
    for (int argument : {3, 4}) {
        SCOPED_TRACE(argument);
        const std::string before = Dump(h.Doc().list);
        for (const CEntity* e : h.Entities())
            const_cast<CEntity*>(e)->state = EntityState::Selected;
        const SelectionBoxResult box = SelectionBox(h.Doc().list, EntityState::Selected);
        Flip(argument);
        EXPECT_EQ(CommandArgument, 0);
        EXPECT_EQ(h.Entities(EntityType::HorizontalInfiniteLine).size(), 1u);
        for (const CEntity* e : h.Entities())
            const_cast<CEntity*>(e)->state = EntityState::Selected;
        const SelectionBoxResult flipped = SelectionBox(h.Doc().list, EntityState::Selected);
        EXPECT_NEAR(flipped.Centre().x, box.Centre().x, 1e-9);
        EXPECT_NEAR(flipped.Centre().y, box.Centre().y, 1e-9);
        Flip(argument);
        for (const CEntity* e : h.Entities())
            EXPECT_EQ(e->state, EntityState::Normal);
        EXPECT_EQ(Dump(h.Doc().list), before);
    }
    EXPECT_EQ(ToolList.GetCount(), tools);
}

TEST_F(MirrorTest, ProtectionRefusesOnceAndKeepsTheList)
{
    AddLine(0, 0, 10, 0);
    AddLine(0, 10, 10, 10);
    h.Doc().ProtectionState = 1;
    // The tool's mirror move and copy.
    for (int subMode : {2, 3}) {
        h.Ui().clear();
        h.Select(12, subMode);
        h.Key(ID_SELECT_ALL);
        const std::string before = Dump(h.Doc().list);
        MoveTool().X[2] = 50;
        MoveTool().MirrorSelection(&h.View(), 0, subMode == 2 ? 1 : 0);
        EXPECT_EQ(h.Messages().size(), 1);
        EXPECT_EQ(Dump(h.Doc().list), before);
        h.Key(ID_ESCAPE_KEY);
    }
    // The flip.
    h.Ui().clear();
    for (const CEntity* e : h.Entities())
        const_cast<CEntity*>(e)->state = EntityState::Selected;
    const std::string before = Dump(h.Doc().list);
    CommandArgument = 3;
    h.Key(ID_SELECTION_OPERATION);
    EXPECT_EQ(h.Messages(), QStringList{QStringLiteral("この図面は、書きこみ禁止状態になっています。")});
    EXPECT_EQ(Dump(h.Doc().list), before);
}

TEST_F(MirrorTest, GroupImagesKeepTheNumberAndTheFlipReattachesThem)
{
    CEntity* a = AddLine(0, 0, 10, 0);
    CEntity* header = Add(EntityType::GroupHeader, 0, {0, 0, 1, 0}, {10, 20, 10, 20});
    a->owner = header;
    a->group = header->group;
    ASSERT_NE(header->group, 0);

    Mirror(3, {20, 0});
    auto lines = Live(EntityType::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1]->group, header->group);
    EXPECT_EQ(lines[1]->owner, nullptr);
    EXPECT_EQ(Live(EntityType::GroupHeader).size(), 1u);

    const_cast<CEntity*>(lines[1])->state = EntityState::Selected;
    CommandArgument = 4;
    h.Key(ID_SELECTION_OPERATION);
    lines = Live(EntityType::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1]->owner, header);
}

TEST_F(MirrorTest, LeaderTextsStandBesideTheirReflectedLeader)
{
    struct Case {
        int16_t subtype;
        std::vector<double> values;
        std::vector<double> anchor;
    };
    // "ABC" at height 2: w = 6, u = 1. Mirrored in x = 0.
    const std::vector<Case> cases = {
        // Shape 0: beside P2' on the side away from P1'.
        {0, {0, 0, 2, 1.5, 0, 10, 0, 20, 10}, {-27, 9}},
        {0, {0, 0, 2, 1.5, 0, -10, 0, -20, 10}, {21, 9}},
        // Shape 1: beside P3'.
        {10, {0, 0, 2, 1.5, 0, 10, 0, 20, 10, 30, 15}, {-37, 14}},
        // Shape 2: above P2'.
        {20, {0, 0, 2, 1.5, 0, 10, 0, 20, 10, 30, 15}, {-27, 11}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.subtype);
        std::vector<int16_t> codes = {10, 20, 30, 40, 50, 40, 41, 50, 51};
        if (c.values.size() == 11)
            codes.insert(codes.end(), {60, 61});
        CEntity* source = Add(EntityType::LeaderText, c.subtype, c.values, codes, "ABC");
        Mirror(3, {0, 0});
        const CEntity* image = h.Doc().list.last;
        ASSERT_NE(image, source);
        ASSERT_EQ(image->type, EntityType::LeaderText);
        ASSERT_EQ(image->values.size(), c.values.size());
        EXPECT_NEAR(image->values[0], c.anchor[0], 1e-9);
        EXPECT_NEAR(image->values[1], c.anchor[1], 1e-9);
        EXPECT_NEAR(image->values[5], -c.values[5], 1e-9);
        EXPECT_NEAR(image->values[7], -c.values[7], 1e-9);
        EXPECT_EQ(image->values[4], c.values[4]);
        EXPECT_EQ(image->codes, source->codes);
        EXPECT_EQ(image->text, "ABC");
    }
}

TEST_F(MirrorTest, DistanceChainAndRadiusDimensions)
{
    // Distance: from (0, 0) to (43.3, 25), at 30 degrees.
    Add(EntityType::Dimension, 0, {0, 0, 0, 50, 3, 30, 10, 0, 0, 0, 0, 0, 0, 10, 0, 0, 43.3, 25},
        {30, 31, 32, 10, 11, 12, 13, 14, 15, 16, 18, 19, 21, 22, 40, 41, 50, 51});
    // Vertical chain of three points.
    Add(EntityType::Dimension, 2, {0, 0, 0, 20, 3, 90, 10, 0, 0, 0, 0, 0, 0, 0, 10, 0, 5, 0, 8, 10, 2, 20},
        {30, 31, 32, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 40, 41, 50, 51, 60, 61});
    // Radius 10 about (0, 0) towards (10, 0), one decimal: "R10.0".
    Add(EntityType::Dimension, 4, {0, 0, 0, 10, 2, 0, 10, 0, 0, 0, 0, 0, 5, 1, 0, 0, 10, 0},
        {30, 31, 32, 10, 11, 12, 13, 14, 15, 16, 18, 19, 42, 43, 40, 41, 50, 51});
    Mirror(2, {5, 0});
    const auto dims = Live(EntityType::Dimension);
    ASSERT_EQ(dims.size(), 3u);

    const auto& d = dims[0]->values;
    EXPECT_GE(d[5], -90.0);
    EXPECT_LE(d[5], 90.0);
    EXPECT_NEAR(d[5], -30, 0.01);
    EXPECT_EQ(d[3], 50);

    const auto& c = dims[1]->values;
    EXPECT_NEAR(c[5], std::atan2(-10.0, 3.0) * 180 / std::numbers::pi, 1e-9);
    EXPECT_EQ((std::vector<double>(c.begin() + 16, c.end())), (std::vector<double>{5, 0, 2, 10, 8, 20}));

    const auto& r = dims[2]->values;
    EXPECT_NEAR(r[5], 0, 1e-9);
    EXPECT_EQ((std::vector<double>(r.begin() + 14, r.end())), (std::vector<double>{10, 0, 0, 0}));
    EXPECT_NEAR(r[12], 0, 1e-9);
    EXPECT_NEAR(r[13], 2.0 / 3, 1e-9);
}

TEST_F(MirrorTest, FillArcsRunTheOtherWayAndHatchBoxesStayOrdered)
{
    // A half disc: arc from (10, 0) counter-clockwise, then the vertex (-10, 0).
    Add(EntityType::Fill, 2, {0, 0, 0, 0, 10, 10, 0, -10, 0}, {0, 0, 0, 2, 3, 4, 5, 10, 20});
    Add(EntityType::Hatch, 0, {1, 1, 45, 0, 0, 10, 10, 5, 5, 5}, {1, 0, 0, 0, 0, 0, 0, 50, 51, 52});
    Mirror(3, {0, 0});
    const auto fills = Live(EntityType::Fill);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[1]->codes[2], 1);
    EXPECT_EQ(fills[1]->values, (std::vector<double>{0, 0, 0, 0, 10, -10, 0, 10, 0}));
    const auto hatches = Live(EntityType::Hatch);
    ASSERT_EQ(hatches.size(), 2u);
    EXPECT_EQ(hatches[1]->values, (std::vector<double>{1, 1, 45, -10, 0, 0, 10, -5, 5, 5}));
    EXPECT_EQ(hatches[1]->codes, hatches[0]->codes);
}

} // namespace
