// Length read-outs on a real view: where the label goes, what it says, and
// that drawing it a second time takes it away again.

#include "tools/LengthReadout.h"

#include "common/ToolHarness.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <string>

namespace {

// A tool of an id no real tool has, used for its input points only.
class ReadoutTool : public CDrawTool {
public:
    ReadoutTool() : CDrawTool(97) {}
};

// The smallest rectangle holding every pixel that differs.
platform::Rect ChangedArea(const QImage& a, const QImage& b)
{
    platform::Rect r{a.width(), a.height(), -1, -1};
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) {
                r.left = std::min(r.left, x);
                r.top = std::min(r.top, y);
                r.right = std::max(r.right, x + 1);
                r.bottom = std::max(r.bottom, y + 1);
            }
    return r;
}

class LengthReadoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tool.X[0] = 100;
        tool.Y[0] = 100;
        InputPointCount = 1;
    }
    void TearDown() override { InputPointCount = 0; }

    COrvikCadView* View() { return &h.View(); }

    // The label's top-left device pixel for a midpoint, moved left by `shift`.
    platform::Point LabelAt(double mx, double my, int shift)
    {
        int x = View()->XToDevice(static_cast<float>(mx)) - shift;
        int y = View()->YToDevice(static_cast<float>(my)) - ReadoutLabelHeight;
        View()->LogicalToDevice(x, y);
        return {x, y};
    }

    // What the screen shows after `draw`, checked against the label painted
    // by hand with `text` at `at`; the screen is put back afterwards.
    void ExpectLabel(const std::function<void()>& draw, const std::string& text, platform::Point at)
    {
        const QImage before = h.Screen();
        draw();
        const QImage shown = h.Screen();
        ASSERT_NE(shown, before) << "a label is shown";
        const platform::Rect changed = ChangedArea(before, shown);
        EXPECT_GE(changed.left, at.x);
        EXPECT_GE(changed.top, at.y);
        EXPECT_LE(changed.right, at.x + ReadoutLabelWidth);
        EXPECT_LE(changed.bottom, at.y + ReadoutLabelHeight);

        draw();  // the same call again erases it
        EXPECT_EQ(h.Screen(), before);

        DrawReadoutLabel(View(), at.x, at.y, text);
        EXPECT_EQ(h.Screen(), shown) << "the label says " << text << " at " << at.x << ", " << at.y;
        DrawReadoutLabel(View(), at.x, at.y, text);
        EXPECT_EQ(h.Screen(), before);
    }

    ToolHarness h;
    ReadoutTool tool;
};

} // namespace

TEST(ReadoutText, OneDecimalWithoutTrailingZeros)
{
    struct Case {
        double d;
        const char* text;
    };
    for (const Case& c : {Case{5.0, "5"}, Case{12.5, "12.5"}, Case{10.0, "10"}, Case{0.3, "0.3"},
                          Case{12.04, "12"}, Case{99.96, "100"}, Case{1234.56, "1234.6"}, Case{0.05, "0.1"}})
        EXPECT_EQ(FormatReadoutLength(c.d), c.text) << c.d;
}

TEST_F(LengthReadoutTest, NearlyHorizontalLabelsMoveLeftByTheirDigits)
{
    // 12.5 to the right at 0 degrees: three digits, 24 pixels left of the
    // midpoint (106.25, 100).
    ExpectLabel([&] { ShowLengthReadout(tool, View(), 112.5, 100); }, "12.5", LabelAt(106.25, 100, 24));
    // To the left (180 degrees) as well.
    ExpectLabel([&] { ShowLengthReadout(tool, View(), 87.5, 100); }, "12.5", LabelAt(93.75, 100, 24));
    // At 5 degrees, 20 long: two digits.
    const double c5 = 20 * std::cos(5 * std::numbers::pi / 180), s5 = 20 * std::sin(5 * std::numbers::pi / 180);
    ExpectLabel([&] { ShowLengthReadout(tool, View(), 100 + c5, 100 + s5); }, "20",
                LabelAt(100 + c5 / 2, 100 + s5 / 2, 16));
}

TEST_F(LengthReadoutTest, OtherDirectionsKeepTheLabelOnTheMidpoint)
{
    // 355 degrees is not taken for horizontal.
    const double c = 20 * std::cos(-5 * std::numbers::pi / 180), s = 20 * std::sin(-5 * std::numbers::pi / 180);
    ExpectLabel([&] { ShowLengthReadout(tool, View(), 100 + c, 100 + s); }, "20", LabelAt(100 + c / 2, 100 + s / 2, 0));
    // A short vertical segment: its bottom edge on the midpoint.
    ExpectLabel([&] { ShowLengthReadout(tool, View(), 100, 100.3); }, "0.3", LabelAt(100, 100.15, 0));
    // 45 degrees.
    ExpectLabel([&] { ShowLengthReadout(tool, View(), 130, 130); }, "42.4", LabelAt(115, 115, 0));
}

TEST_F(LengthReadoutTest, FromAGivenInputPoint)
{
    tool.X[1] = 150;
    tool.Y[1] = 100;
    InputPointCount = 2;
    // From point 0 (100, 100), not from the last point (150, 100).
    ExpectLabel([&] { ShowLengthReadoutFrom(tool, View(), 100, 160, 0); }, "60", LabelAt(100, 130, 0));
    ExpectLabel([&] { ShowLengthReadout(tool, View(), 150, 160); }, "60", LabelAt(150, 130, 0));
}

TEST_F(LengthReadoutTest, AxisBoundLabelMeasuresAlongTheAxis)
{
    // Horizontal: (120, 130) is measured at (120, 100).
    ExpectLabel([&] { DrawLengthLabel(tool, View(), 120, 130, 1); }, "20", LabelAt(110, 100, 16));
    // Vertical: measured at (100, 130).
    ExpectLabel([&] { DrawLengthLabel(tool, View(), 120, 130, 0); }, "30", LabelAt(100, 115, 0));
}

TEST_F(LengthReadoutTest, NothingWithoutASegment)
{
    const QImage before = h.Screen();
    ShowLengthReadout(tool, View(), 100, 100);           // on the start point
    ShowLengthReadout(tool, View(), 100.03, 100.03);     // shorter than 0.05
    DrawLengthLabel(tool, View(), 100, 180, 1);          // nothing along the horizontal
    ShowLengthReadoutFrom(tool, View(), 150, 150, -1);   // no such point
    ShowLengthReadoutFrom(tool, View(), 150, 150, 4000); // nor this
    InputPointCount = 0;                                  // no point taken yet
    ShowLengthReadout(tool, View(), 150, 150);
    DrawLengthLabel(tool, View(), 150, 150, 1);
    EXPECT_EQ(h.Screen(), before);
}

TEST_F(LengthReadoutTest, LabelsCutByTheClientEdgeStillEraseThemselves)
{
    const QImage before = h.Screen();
    const int w = before.width(), hgt = before.height();
    for (platform::Point at : {platform::Point{-30, -5}, platform::Point{w - 20, hgt - 4}, platform::Point{-100, -100},
                               platform::Point{w + 10, 10}}) {
        DrawReadoutLabel(View(), at.x, at.y, "12.5");
        DrawReadoutLabel(View(), at.x, at.y, "12.5");
        EXPECT_EQ(h.Screen(), before) << at.x << ", " << at.y;
    }
    // Part of a label at the top-left corner shows.
    DrawReadoutLabel(View(), -20, -3, "888");
    EXPECT_NE(h.Screen(), before);
    DrawReadoutLabel(View(), -20, -3, "888");
}
