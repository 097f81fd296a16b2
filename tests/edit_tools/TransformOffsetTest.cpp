// The transform tool's offset through the view: marking by window and by
// clicks, the end of the selection with its prompts, the side click, the
// result group and its undo.

#include "common/ToolHarness.h"

#include "edit_tools/TransformTool.h"
#include "platform/Controls.h"
#include "tools/InputNumDlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include "model/Document.h"
#include "model/Settings.h"
#include "model/SnapPointList.h"
#include "resources/Resource.h"
#include "view/ToolState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

class TransformOffsetTest : public ::testing::Test {
protected:
    CEntity* AddLine(double x1, double y1, double x2, double y2)
    {
        EntityHeader hd{EntityType::Line, 0, 203, 0, 4};
        const double v[4] = {x1, y1, x2, y2};
        const int16_t codes[4] = {10, 20, 11, 22};
        return h.AddRecord(hd, codes, 0x00445566, v);
    }
    void Window(double x1, double y1, double x2, double y2)
    {
        h.LeftDown(x1, y1);
        h.Move(x2, y2, ToolFlags::LButton);
        h.LeftUp(x2, y2);
    }
    std::vector<std::vector<double>> Pieces(const CEntity* group)
    {
        std::vector<std::vector<double>> out;
        for (const CEntity* e : h.Entities(EntityType::Line)) {
            if (e->owner != group)
                continue;
            std::vector<double> v(e->values.begin(), e->values.begin() + 4);
            for (double& d : v)
                d = std::round(d * 100) / 100 + 0.0;
            if (std::tie(v[2], v[3]) < std::tie(v[0], v[1]))
                v = {v[2], v[3], v[0], v[1]};
            out.push_back(v);
        }
        std::sort(out.begin(), out.end());
        return out;
    }

    ToolHarness h;
};

TEST_F(TransformOffsetTest, RectangleOffsetInsideIsOneGroupAndOneUndo)
{
    OffsetDistance = 10;
    std::vector<CEntity*> sides = {AddLine(3, 3, 103, 3), AddLine(103, 3, 103, 53), AddLine(103, 53, 3, 53),
                                   AddLine(3, 53, 3, 3)};
    h.Select(11, 2);
    ASSERT_EQ(CurrentToolId, ToolId::Transform);
    Window(-20, -20, 130, 80);
    for (const CEntity* e : sides)
        EXPECT_EQ(e->state, EntityState::Marked);
    EXPECT_EQ(h.Prompt(), QStringLiteral("マウス右ボタンで、オフセットメニューを表示します。"));
    EXPECT_EQ(SelectionArmed, 1);

    h.Key(ID_END_SELECTION);
    EXPECT_EQ(h.Prompt(), QStringLiteral("オフセットする閉領域の中か外をクリックしてください。"));
    EXPECT_EQ(InputPointCount, 1);
    h.Click(50, 30);
    EXPECT_EQ(h.Prompt(), QStringLiteral("図形のオフセットを行います。対象図形を選んでください。"));
    EXPECT_EQ(InputPointCount, 0);

    const auto groups = h.Entities(EntityType::GroupHeader);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(Pieces(groups[0]), (std::vector<std::vector<double>>{
                                     {13, 13, 13, 43}, {13, 13, 93, 13}, {13, 43, 93, 43}, {93, 13, 93, 43}}));
    for (const CEntity* e : h.Entities(EntityType::Line)) {
        EXPECT_EQ(e->style, 203);
        EXPECT_EQ(e->colour, 0x00445566u);
        EXPECT_EQ(e->state, EntityState::Normal);
    }
    EXPECT_EQ(h.Entities(EntityType::Line).size(), 8u);
    EXPECT_TRUE(h.Doc().modified);

    h.Key(ID_EDIT_UNDO);
    EXPECT_TRUE(h.Entities(EntityType::GroupHeader).empty());
    EXPECT_EQ(h.Entities(EntityType::Line).size(), 4u);
}

TEST_F(TransformOffsetTest, OneClickedLineIsOffsetAloneOnTheClickedSide)
{
    OffsetDistance = 5;
    AddLine(3, 3, 103, 3);
    CEntity* line = AddLine(103, 3, 103, 53);
    h.Select(11, 2);
    h.Click(103, 30);
    EXPECT_EQ(line->state, EntityState::Marked);
    h.Key(ID_END_SELECTION);
    EXPECT_EQ(h.Prompt(), QStringLiteral("赤表示された図形を基準にオフセット位置をクリックしてください。"));
    h.Click(120, 30);
    const auto groups = h.Entities(EntityType::GroupHeader);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(Pieces(groups[0]), (std::vector<std::vector<double>>{{108, 3, 108, 53}}));
}

TEST_F(TransformOffsetTest, ResetClearsTheMarksAndProtectionAddsNothing)
{
    CEntity* line = AddLine(3, 3, 103, 3);
    h.Select(11, 2);
    h.Click(50, 3);
    ASSERT_EQ(line->state, EntityState::Marked);
    h.Key(ID_TOOL_CANCEL);
    EXPECT_EQ(line->state, EntityState::Normal);
    EXPECT_EQ(SelectionArmed, 0);

    h.Click(50, 3);
    h.Key(ID_END_SELECTION);
    h.Doc().ProtectionState = 1;
    h.Click(50, 20);
    EXPECT_TRUE(h.Entities(EntityType::GroupHeader).empty());
    EXPECT_EQ(h.Messages(), QStringList{QStringLiteral("この図面は、書きこみ禁止状態になっています。")});
    EXPECT_EQ(InputPointCount, 0);
    h.Doc().ProtectionState = 0;
}

TEST_F(TransformOffsetTest, ACircleOffsetPastItsCentreBeepsAndAddsNothing)
{
    OffsetDistance = 30;
    const EntityHeader hd{EntityType::Circle, 0, 0, 0, 3};
    const int16_t codes[3] = {10, 20, 40};
    const double v[3] = {60, 40, 20};
    CEntity* circle = h.AddRecord(hd, codes, 0, v);
    h.Select(11, 2);
    h.Click(80, 40);
    ASSERT_EQ(circle->state, EntityState::Marked);
    h.Key(ID_END_SELECTION);
    const int beeps = h.Beeps();
    h.Click(62, 41);  // inside
    EXPECT_EQ(h.Beeps(), beeps + 1);
    EXPECT_TRUE(h.Entities(EntityType::GroupHeader).empty());
    ASSERT_EQ(h.Entities(EntityType::Circle).size(), 1u);
    EXPECT_EQ(circle->values[2], 20);
    EXPECT_EQ(InputPointCount, 0);
}

} // namespace

namespace {

class TransformScaleTest : public TransformOffsetTest {
protected:
    // Scales the marked entities by `factor` through the factor dialog.
    void ScaleMarked(const char* factor)
    {
        h.Ui().dialog([factor](QDialog& d) {
            auto* edit = platform::control<QLineEdit>(&d, CInputNumDlg::IDC_EXPRESSION);
            ASSERT_TRUE(edit);
            edit->setText(QString::fromLatin1(factor));
            platform::control<QPushButton>(&d, IDOK)->click();
        });
        h.Key(ID_NUMERIC_SCALE);
    }
};

// Scale 2 about the centre of the marked box, through the factor dialog:
// every marked entity replaced, one undo brings the originals back.
TEST_F(TransformScaleTest, ScaleAboutTheCentreOfTheMarks)
{
    ScaleBase = 0;
    AddLine(13, 13, 53, 13);
    AddLine(53, 13, 53, 33);
    CEntity* untouched = AddLine(200, 200, 210, 200);
    h.Select(11, 0);
    Window(0, 0, 60, 40);
    EXPECT_EQ(h.Prompt(), QStringLiteral("マウス右ボタンで、拡大・縮小メニューを表示します。"));
    ScaleMarked("2");
    EXPECT_EQ(h.Prompt(), QStringLiteral("図形の拡大・縮小を行います。対象図形を選んでください。"));
    // The box (13, 13)-(53, 33) about its centre (33, 23), doubled.
    std::vector<std::vector<double>> lines;
    for (const CEntity* e : h.Entities(EntityType::Line))
        if (e != untouched)
            lines.push_back(std::vector<double>(e->values.begin(), e->values.begin() + 4));
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, (std::vector<std::vector<double>>{{-7, 3, 73, 3}, {73, 3, 73, 43}}));
    EXPECT_EQ(untouched->values[0], 200);
    h.Key(ID_EDIT_UNDO);
    lines.clear();
    for (const CEntity* e : h.Entities(EntityType::Line))
        lines.push_back(std::vector<double>(e->values.begin(), e->values.begin() + 4));
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, (std::vector<std::vector<double>>{{13, 13, 53, 13}, {53, 13, 53, 33}, {200, 200, 210, 200}}));
}

// A marked group stays one group, its reference point scaled with its members.
TEST_F(TransformScaleTest, AGroupKeepsItsMembersAndItsReferencePointFollows)
{
    ScaleBase = 0;
    CEntity* header = h.AddValues(EntityType::GroupHeader, {40, 20, 1, 0}, {10, 20, 10, 20});
    h.AddValues(EntityType::Line, {0, 0, 40, 0}, {10, 20, 11, 22}, 0, header);
    h.AddValues(EntityType::Line, {40, 0, 40, 20}, {10, 20, 11, 22}, 0, header);
    h.Select(11, 0);
    h.Click(20, 0);
    ASSERT_EQ(header->state, EntityState::Marked);
    ScaleMarked("2");
    // About the centre (20, 10) of the box (0, 0)-(40, 20).
    const auto headers = h.Entities(EntityType::GroupHeader);
    ASSERT_EQ(headers.size(), 1u);
    EXPECT_EQ(std::vector<double>(headers[0]->values.begin(), headers[0]->values.end()),
              (std::vector<double>{60, 30, 1, 0}));
    const auto lines = h.Entities(EntityType::Line);
    ASSERT_EQ(lines.size(), 2u);
    for (const CEntity* line : lines)
        EXPECT_EQ(line->owner, headers[0]);
    EXPECT_EQ(lines[0]->values[0], -20);

    h.Key(ID_EDIT_UNDO);
    const auto back = h.Entities(EntityType::GroupHeader);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0]->values[0], 40);
    EXPECT_EQ(back[0]->values[1], 20);
    for (const CEntity* line : h.Entities(EntityType::Line))
        EXPECT_EQ(line->owner, back[0]);
}

// A text's share of the marked box is half its height wide per character.
TEST_F(TransformScaleTest, ATextCountsHalfItsHeightPerCharacterInTheBox)
{
    ScaleBase = 0;
    // Box (0, 0)-(50, 20): the circle at (10, 10) radius 10 and "AB" of
    // height 10 at (40, 0), which reaches x = 50; its centre (25, 10).
    h.AddValues(EntityType::Circle, {10, 10, 10}, {10, 20, 40});
    h.AddValues(EntityType::Text, {40, 0, 10, 10, 0}, {10, 20, 30, 40, 50}, 0, nullptr, "AB");
    h.Select(11, 0);
    Window(-5, -5, 70, 30);
    ScaleMarked("2");
    const auto circles = h.Entities(EntityType::Circle);
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_DOUBLE_EQ(circles[0]->values[0], -5);
    EXPECT_DOUBLE_EQ(circles[0]->values[1], 10);
    EXPECT_DOUBLE_EQ(circles[0]->values[2], 20);
    const auto texts = h.Entities(EntityType::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_DOUBLE_EQ(texts[0]->values[0], 55);
}

} // namespace

namespace {

class TransformStretchTest : public TransformOffsetTest {
protected:
    // Marks everything by a window, ends the selection and stretches the
    // line under (x, y) to `length`.
    void Stretch(double x, double y, const char* length)
    {
        h.Select(11, 1);
        Window(-30, -30, 200, 120);
        h.Key(ID_END_SELECTION);
        EXPECT_EQ(h.Prompt(), QStringLiteral("ストレッチの基準となる直線をマウスクリックしてください。"));
        h.Ui().dialog([length](QDialog& d) {
            auto* label = platform::control<QLabel>(&d, CInputNumDlg::IDC_LABEL);
            ASSERT_TRUE(label);
            EXPECT_EQ(label->text(), QStringLiteral("ストレッチ長さ（mm）"));
            auto* edit = platform::control<QLineEdit>(&d, CInputNumDlg::IDC_EXPRESSION);
            ASSERT_TRUE(edit);
            edit->setText(QString::fromLatin1(length));
            platform::control<QPushButton>(&d, IDOK)->click();
        });
        h.Click(x, y);
    }
    std::vector<std::vector<double>> AllLines()
    {
        std::vector<std::vector<double>> out;
        for (const CEntity* e : h.Entities(EntityType::Line)) {
            std::vector<double> v(e->values.begin(), e->values.begin() + 4);
            for (double& d : v)
                d = std::round(d * 100) / 100 + 0.0;
            out.push_back(v);
        }
        std::sort(out.begin(), out.end());
        return out;
    }
};

TEST_F(TransformStretchTest, LineAndNeighbourFollowTheNewEnd)
{
    StretchMode = 1;
    AddLine(0, 0, 100, 0);
    AddLine(100, 0, 100, 50);
    Stretch(50, 0, "150");
    EXPECT_EQ(h.Prompt(), QStringLiteral("ストレッチを行います。対象図形を選んでください。"));
    EXPECT_EQ(AllLines(), (std::vector<std::vector<double>>{{0, 0, 150, 0}, {150, 0, 100, 50}}));
    const auto groups = h.Entities(EntityType::GroupHeader);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0]->values[0], 150);
    for (const CEntity* e : h.Entities(EntityType::Line))
        EXPECT_EQ(e->owner, groups[0]);
    h.Key(ID_EDIT_UNDO);
    EXPECT_EQ(AllLines(), (std::vector<std::vector<double>>{{0, 0, 100, 0}, {100, 0, 100, 50}}));
    EXPECT_TRUE(h.Entities(EntityType::GroupHeader).empty());
}

// The rectangle's bottom lengthened to the right: the right edge moves,
// the top edge reaches to it, the left edge stays.
TEST_F(TransformStretchTest, ChainMovesAndLengthensTheConnectedLines)
{
    StretchMode = 2;
    AddLine(0, 0, 100, 0);
    AddLine(100, 0, 100, 50);
    AddLine(100, 50, 0, 50);
    CEntity* left = AddLine(0, 50, 0, 0);
    Stretch(50, 0, "150");
    EXPECT_EQ(AllLines(), (std::vector<std::vector<double>>{
                              {0, 0, 150, 0}, {0, 50, 0, 0}, {150, 0, 150, 50}, {150, 50, 0, 50}}));
    EXPECT_EQ(left->state, EntityState::Normal);
    EXPECT_EQ(left->owner, nullptr);
}

TEST_F(TransformStretchTest, ChangeBelowTheTolerancesChangesNothing)
{
    StretchMode = 2;
    CEntity* line = AddLine(0, 0, 100, 0);
    Stretch(50, 0, "100.02");
    EXPECT_EQ(AllLines(), (std::vector<std::vector<double>>{{0, 0, 100, 0}}));
    EXPECT_EQ(line->state, EntityState::Normal);
    EXPECT_TRUE(h.Entities(EntityType::GroupHeader).empty());
}

} // namespace
