#include "dialogs/GridLineComboBox.h"
#include "dialogs/LineComboBox.h"
#include "dialogs/PenComboBox.h"

#include <QAbstractItemView>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

constexpr int Width = 120;

// Lengths of the runs of pixels unlike the background along row y.
std::vector<int> InkRuns(const QImage& image, int y, QRgb background)
{
    std::vector<int> runs;
    int run = 0;
    for (int x = 0; x < image.width(); ++x) {
        if (image.pixel(x, y) != background) {
            ++run;
        } else if (run) {
            runs.push_back(run);
            run = 0;
        }
    }
    if (run)
        runs.push_back(run);
    return runs;
}

int InkCount(const QImage& image, QRgb background)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) != background;
    return n;
}

TEST(OwnerDrawLists, ItemsAreEighteenPixelsHigh)
{
    CPenComboBox pens;
    pens.AddString(0x0000FF);
    EXPECT_EQ(pens.RenderItem(0, Width, false).height(), 18);
    EXPECT_EQ(pens.view()->sizeHintForRow(0), 18);
}

TEST(OwnerDrawLists, WhitePenShowsABlackLabelOnWhiteAndASelectedPenAFrame)
{
    CPenComboBox pens;
    for (int i = 0; i < 8; ++i)
        pens.AddString(i == 3 ? 0xFFFFFF : 0x0000FF);
    const QImage plain = pens.RenderItem(3, Width, false);
    EXPECT_EQ(plain.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(plain.pixel(Width - 1, 17), qRgb(255, 255, 255));
    int black = 0;
    for (int y = 3; y < 18; ++y)
        for (int x = 5; x < Width; ++x)
            black += plain.pixel(x, y) == qRgb(0, 0, 0);
    EXPECT_GT(black, 10) << "the label \"Pen №4\" in black";
    EXPECT_EQ(InkCount(plain.copy(0, 0, 5, 18), qRgb(255, 255, 255)), 0) << "nothing left of the label";

    const QImage selected = pens.RenderItem(3, Width, true);
    EXPECT_EQ(selected.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(selected.pixel(Width - 1, 17), qRgb(0, 0, 0));

    const QImage red = pens.RenderItem(0, Width, false);
    EXPECT_EQ(red.pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_GT(InkCount(red, qRgb(255, 0, 0)), 10);
}

TEST(OwnerDrawLists, LineTypeItemsShowTheirPattern)
{
    CLineComboBox lines;
    lines.FillEntityLineTypes();
    ASSERT_EQ(lines.count(), 8);
    EXPECT_EQ(lines.currentIndex(), -1);
    const QRgb white = qRgb(255, 255, 255);
    const auto runs = [&](int index) { return InkRuns(lines.RenderItem(index, Width, false), 9, white); };
    const std::vector<int> solid = runs(0), dotted = runs(1), dashed = runs(2);
    EXPECT_EQ(solid, std::vector<int>{Width});
    ASSERT_GT(dotted.size(), 10u);
    EXPECT_LE(*std::max_element(dotted.begin(), dotted.end()), 3);
    ASSERT_GT(dashed.size(), 2u);
    EXPECT_GE(*std::max_element(dashed.begin(), dashed.end()), 8);
    EXPECT_LT(dashed.size(), dotted.size());
    // Both rows of the two-pixel band.
    EXPECT_EQ(InkRuns(lines.RenderItem(0, Width, false), 10, white), std::vector<int>{Width});
}

TEST(OwnerDrawLists, PointWeightSquaresGrowWithThePen)
{
    CLineComboBox weights;
    weights.FillPointWeights();
    ASSERT_EQ(weights.count(), 4);
    const QRgb white = qRgb(255, 255, 255);
    int previous = 0;
    for (int i = 0; i < 4; ++i) {
        const int ink = InkCount(weights.RenderItem(i, Width, false), white);
        EXPECT_GT(ink, previous) << i;
        previous = ink;
    }
}

TEST(OwnerDrawLists, GridLooksAreGreyLinesDotsAndCrosses)
{
    CGridLineComboBox looks;
    looks.FillGridLooks();
    ASSERT_EQ(looks.count(), 7);
    const QRgb white = qRgb(255, 255, 255);
    const QImage line = looks.RenderItem(0, Width, false);
    EXPECT_EQ(line.pixel(5, 9), qRgb(0x99, 0x99, 0x99));
    const std::vector<int> dots = InkRuns(looks.RenderItem(5, Width, false), 9, white);
    EXPECT_EQ(dots.size(), 3u);
    const std::vector<int> crosses = InkRuns(looks.RenderItem(6, Width, false), 9, white);
    EXPECT_EQ(crosses, (std::vector<int>{7, 7, 7}));
}

} // namespace
