#include "AnnotationFixture.h"

#include "annotation_tools/DimensionTool.h"
#include "model/DrawingHeader.h"
#include "model/Settings.h"

#include <cmath>
#include <vector>

namespace {

class DimensionToolTest : public AnnotationTest {
protected:
    CDimensionTool& Tool() { return *static_cast<CDimensionTool*>(FindTool(ToolId::Dimension)); }
    static CDrawTool* FindTool(int id)
    {
        for (CDrawTool* t : ToolList)
            if (t->toolId == id)
                return t;
        return nullptr;
    }
    CEntity* AddPoint(double x, double y) { return Add(EntityType::Point, {x, y}, {10, 20}); }
    // A chain through the points in the order given, placed with the
    // preview at (px, py).
    const CEntity* Chain(int mode, const std::vector<std::pair<double, double>>& points, double px, double py)
    {
        h.Select(7, mode);
        for (auto [x, y] : points)
            SnapClick(x, y);
        h.RightClick(points.back().first, points.back().second);
        h.Click(px, py);
        const auto dims = Records(EntityType::Dimension);
        return dims.empty() ? nullptr : dims.back();
    }
    static std::vector<int16_t> Codes(const CEntity* e) { return {e->codes.begin(), e->codes.begin() + e->count}; }
    static std::vector<double> Values(const CEntity* e) { return {e->values.begin(), e->values.begin() + e->count}; }
};

TEST_F(DimensionToolTest, DistanceRecordIsDrawnWithItsMembersAtOnceAndUndoneInOneStep)
{
    // Off the grid's lines, which a full redraw draws over the entities.
    AddLine(2.5, 2.5, 102.5, 2.5);
    DimDecimals = 2;
    ArrowheadKind = 3;
    DimDotSize = 1;
    DimArrowSize = 2;
    ToleranceValue1 = {9, 9, 9, 9, 9, 9, 9, 9};
    ToleranceValue2 = {8, 8, 8, 8, 8, 8, 8, 8};
    h.View().RedrawNow();
    h.Select(7, DimensionMode::Distance);
    SnapClick(2.5, 2.5);
    EXPECT_EQ(h.Prompt(), "終了位置を指示して下さい。");
    SnapClick(102.5, 2.5);
    EXPECT_EQ(h.Prompt(), "寸法線位置を指示して下さい。");
    h.Move(50, 32.5);
    h.Click(50, 32.5);
    EXPECT_EQ(h.Prompt(), "距離寸法の開始位置を指示して下さい。");
    EXPECT_EQ(InputPointCount, 0);

    const auto dims = Records(EntityType::Dimension);
    ASSERT_EQ(dims.size(), 1u);
    const CEntity* d = dims[0];
    EXPECT_EQ(d->subtype, DimensionKind::Distance);
    EXPECT_EQ(d->style, CurrentPen);
    EXPECT_EQ(Codes(d), DimensionValueCodes(DimensionKind::Distance));
    EXPECT_DOUBLE_EQ(Value(d, 10), 100.0);
    EXPECT_DOUBLE_EQ(Value(d, 12), 0.0);
    EXPECT_EQ(Value(d, 13), 1120);
    EXPECT_EQ(Value(d, 14), 33312);
    EXPECT_EQ(Value(d, 31), 0.0);
    EXPECT_EQ(Value(d, 32), 0.0);
    EXPECT_EQ(Value(d, 15), DimUpperExtension);
    EXPECT_EQ(Value(d, 19), DimLowerExtension);
    EXPECT_EQ(Value(d, 21), 2.5);
    EXPECT_EQ(Value(d, 22), 2.5);
    EXPECT_EQ(Value(d, 40), 2.5);
    EXPECT_EQ(Value(d, 50), 102.5);
    EXPECT_NEAR(Value(d, 41), 32.5, 2.0);
    EXPECT_EQ(Value(d, 41), Value(d, 51));
    EXPECT_GT(MemberCount(d), 0);

    // What is on screen is the drawing with the new dimension: no preview
    // left, nothing missing.
    Tool().EraseMagnetMarker(&h.View());
    EXPECT_TRUE(h.ScreenIsFreshRedraw());

    h.View().OnEditUndo();
    EXPECT_TRUE(Records(EntityType::Dimension).empty());
    EXPECT_EQ(h.Entities().size(), 1u);
}

TEST_F(DimensionToolTest, TheLineGoesWhereThePreviewLastWasOrOnThePointsWhenItCannot)
{
    AddLine(0, 0, 100, 0);
    AddPoint(50, 60);
    h.Select(7, DimensionMode::Distance);
    SnapClick(0, 0);
    SnapClick(100, 0);
    h.Move(50, 30);
    // The placing click comes at a snap point without a move first.
    const platform::Point p = h.Client(50, 60);
    h.LeftDownAt(p);
    h.LeftUpAt(p);
    auto dims = Records(EntityType::Dimension);
    ASSERT_EQ(dims.size(), 1u);
    EXPECT_NEAR(Value(dims[0], 41), 30.0, 2.0);

    // Both ends on one point: no line to be parallel to.
    SnapClick(100, 0);
    SnapClick(100, 0);
    h.Move(70, 40);
    h.Click(70, 40);
    dims = Records(EntityType::Dimension);
    ASSERT_EQ(dims.size(), 2u);
    EXPECT_EQ(Value(dims[1], 10), 0.0);
    EXPECT_EQ(Value(dims[1], 40), 100.0);
    EXPECT_EQ(Value(dims[1], 41), 0.0);
    EXPECT_EQ(Value(dims[1], 50), 100.0);
    EXPECT_EQ(Value(dims[1], 51), 0.0);
}

TEST_F(DimensionToolTest, PaperSizesAreMultipliedByTheScale)
{
    AddLine(0, 0, 100, 0);
    h.Doc().header.scale = 50;
    UnitsMode = 1;
    DimTextSize = 3;
    DimUpperExtension = 2;
    DimLowerExtension = 1;
    h.Select(7, DimensionMode::Distance);
    SnapClick(0, 0);
    SnapClick(100, 0);
    h.Move(50, 30);
    h.Click(50, 30);
    const auto dims = Records(EntityType::Dimension);
    ASSERT_EQ(dims.size(), 1u);
    EXPECT_EQ(Value(dims[0], 11), 150);
    for (int code : {15, 16})
        EXPECT_EQ(Value(dims[0], code), 100) << code;
    for (int code : {18, 19})
        EXPECT_EQ(Value(dims[0], code), 50) << code;
}

TEST_F(DimensionToolTest, AProtectedDrawingRefusesTheRecordAndTheToolStartsAgain)
{
    AddLine(0, 0, 100, 0);
    h.Select(7, DimensionMode::Distance);
    SnapClick(0, 0);
    SnapClick(100, 0);
    h.Doc().ProtectionState = ProtectionPassword;
    h.Ui().button(IDOK);
    h.Move(50, 30);
    h.Click(50, 30);
    EXPECT_EQ(h.Messages(), QStringList{"この図面は、パスワードによって保護されています。"});
    EXPECT_TRUE(Records(EntityType::Dimension).empty());
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(h.Prompt(), "距離寸法の開始位置を指示して下さい。");
}

TEST_F(DimensionToolTest, ChainsGiveTheSameRecordWhateverTheClickOrder)
{
    const std::vector<std::pair<double, double>> points{{0, 0}, {30, 10}, {80, -5}, {120, 20}};
    for (auto [x, y] : points)
        AddPoint(x, y);
    for (int mode : {DimensionMode::Horizontal, DimensionMode::Vertical}) {
        const CEntity* forward = Chain(mode, points, 60, 60);
        ASSERT_TRUE(forward);
        const std::vector<std::pair<double, double>> backward(points.rbegin(), points.rend());
        const CEntity* reverse = Chain(mode, backward, 60, 60);
        ASSERT_TRUE(reverse);
        ASSERT_NE(forward, reverse);
        EXPECT_EQ(forward->subtype, mode);
        EXPECT_EQ(forward->count, 16 + 2 * 4);
        EXPECT_EQ(Codes(forward), Codes(reverse));
        EXPECT_EQ(Values(forward), Values(reverse));
        EXPECT_EQ(Value(forward, 12), mode == DimensionMode::Vertical ? 90.0 : 0.0);
        EXPECT_EQ(Value(forward, 10), mode == DimensionMode::Vertical ? 25.0 : 120.0);
        // The smallest point is the measured one; the points are in order
        // along the chain's axis.
        EXPECT_EQ(Value(forward, 21), mode == DimensionMode::Vertical ? 80.0 : 0.0);
        EXPECT_EQ(Value(forward, 22), mode == DimensionMode::Vertical ? -5.0 : 0.0);
        for (int i = 1; i < 4; ++i) {
            const int code = mode == DimensionMode::Vertical ? 41 : 40;
            EXPECT_LT(Value(forward, code + 10 * (i - 1)), Value(forward, code + 10 * i));
        }
    }
}

TEST_F(DimensionToolTest, ChainPointsOfEqualXKeepTheirClickOrder)
{
    AddPoint(10, 20);
    AddPoint(10, 0);
    AddPoint(50, 0);
    const CEntity* first = Chain(DimensionMode::Horizontal, {{10, 20}, {10, 0}, {50, 0}}, 30, 50);
    ASSERT_TRUE(first);
    EXPECT_EQ(Value(first, 22), 20.0);
    const CEntity* second = Chain(DimensionMode::Horizontal, {{10, 0}, {10, 20}, {50, 0}}, 30, 50);
    ASSERT_TRUE(second);
    EXPECT_EQ(Value(second, 22), 0.0);
    EXPECT_EQ(Value(second, 40), 10.0);
    EXPECT_EQ(Value(second, 50), 10.0);
}

TEST_F(DimensionToolTest, TheTwentyFirstPointIsRefusedAndTheChainGoesOn)
{
    for (int i = 0; i < 21; ++i)
        AddPoint(10.0 * i, 0);
    h.Select(7, DimensionMode::Horizontal);
    h.Ui().button(IDOK);
    for (int i = 0; i < 21; ++i)
        SnapClick(10.0 * i, 0);
    EXPECT_EQ(h.Messages(), QStringList{"選択ポイントは、２０までです！"});
    EXPECT_EQ(InputPointCount, 20);
    EXPECT_EQ(Tool().placingDimLine, 0);
    h.RightClick(0, 0);
    h.Click(100, 40);
    const auto dims = Records(EntityType::Dimension);
    ASSERT_EQ(dims.size(), 1u);
    EXPECT_EQ(dims[0]->count, 56);
    EXPECT_EQ(Value(dims[0], 230), 190.0);
}

TEST_F(DimensionToolTest, RightClicksCancelOrEndTheCollection)
{
    AddPoint(0, 0);
    AddPoint(40, 0);
    h.Select(7, DimensionMode::Horizontal);
    // Nothing to cancel yet.
    h.RightClick(0, 0);
    EXPECT_EQ(OperationRestarted, 0);

    SnapClick(0, 0);
    h.RightClick(0, 0);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(OperationRestarted, 1);
    EXPECT_EQ(h.Prompt(), "水平寸法の開始位置を指示して下さい。");

    SnapClick(0, 0);
    SnapClick(40, 0);
    h.RightClick(40, 0);
    EXPECT_EQ(Tool().placingDimLine, 1);
    EXPECT_EQ(InputPointCount, 2);
    EXPECT_EQ(h.Prompt(), "寸法線位置を指定指定してください。");
    h.Move(20, 30);
    Tool().EraseMagnetMarker(&h.View());
    h.RightClick(20, 30);
    EXPECT_EQ(Tool().placingDimLine, 0);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_TRUE(Records(EntityType::Dimension).empty());
    Tool().EraseMagnetMarker(&h.View());
    EXPECT_TRUE(h.ScreenIsFreshRedraw());

    // The distance's right click takes back its rubber band too.
    h.Select(7, DimensionMode::Distance);
    SnapClick(0, 0);
    h.Move(20, 20);
    h.Key(ID_ESCAPE_KEY);
    EXPECT_EQ(InputPointCount, 0);
    Tool().EraseMagnetMarker(&h.View());
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

} // namespace

namespace {

// Whichever way the points are clicked and whichever side the line goes,
// the text of a horizontal distance reads at 0 degrees and of a vertical
// one at 90, and the measured point belongs to the line's first end.
TEST_F(DimensionToolTest, DistanceTextsReadUpright)
{
    AddLine(2.5, 2.5, 102.5, 2.5);
    AddLine(152.5, 2.5, 152.5, 102.5);
    struct Case {
        double x1, y1, x2, y2, px, py, angle;
    };
    const Case cases[] = {
        {2.5, 2.5, 102.5, 2.5, 50, 30, 0},      {2.5, 2.5, 102.5, 2.5, 50, -20, 0},
        {102.5, 2.5, 2.5, 2.5, 50, 30, 0},      {102.5, 2.5, 2.5, 2.5, 50, -20, 0},
        {152.5, 2.5, 152.5, 102.5, 180, 50, 90}, {152.5, 2.5, 152.5, 102.5, 120, 50, 90},
        {152.5, 102.5, 152.5, 2.5, 180, 50, 90}, {152.5, 102.5, 152.5, 2.5, 120, 50, 90},
    };
    h.Select(7, DimensionMode::Distance);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x1 << "," << c.y1 << " -> " << c.px << "," << c.py);
        SnapClick(c.x1, c.y1);
        SnapClick(c.x2, c.y2);
        h.Move(c.px, c.py);
        h.Click(c.px, c.py);
        const CEntity* d = Records(EntityType::Dimension).back();
        EXPECT_NEAR(Value(d, 12), c.angle, 1e-9);
        EXPECT_EQ(Value(d, 10), 100.0);
        // The measured point lies on the perpendicular through the first end.
        if (c.angle == 0)
            EXPECT_EQ(Value(d, 21), Value(d, 40));
        else
            EXPECT_EQ(Value(d, 22), Value(d, 41));
    }
}

} // namespace
