// The line tool's length read-outs: which rubber band shows which read-out,
// where it stands, and that none is left behind.

#include "LineToolFixture.h"

#include <QRect>

namespace {

class LineToolReadoutTest : public LineToolTestBase {
protected:
    void SetUp() override
    {
        MagnetEnabled = 0;  // no marker among the pixels compared
        LengthReadoutEnabled = 1;
    }
    // The box of the pixels in which two screens differ.
    static QRect Differences(const QImage& a, const QImage& b)
    {
        QRect box;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                if (a.pixel(x, y) != b.pixel(x, y))
                    box |= QRect(x, y, 1, 1);
        return box;
    }
    // The screen with the band of a free line from (20, 20) dragged to
    // (x, y), with or without the read-out.
    QImage BandTo(double x, double y, bool readout)
    {
        LengthReadoutEnabled = readout ? 1 : 0;
        h.Select(2, 0);
        h.Click(20, 20);
        h.Move(x - 5, y);
        h.Move(x, y);
        const QImage shown = h.Screen();
        h.Key(ID_ESCAPE_KEY);
        return shown;
    }
};

TEST_F(LineToolReadoutTest, FreeBandShowsItsLengthAboveTheMidpoint)
{
    const QImage plain = BandTo(120, 20, false);
    const QImage labelled = BandTo(120, 20, true);
    const QRect box = Differences(plain, labelled);
    ASSERT_FALSE(box.isEmpty());
    // The label (60 x 15) stands on the midpoint; a horizontal band moves it
    // left by 8 pixels per digit ("100": 24).
    const platform::Point start = h.Client(20, 20);
    const platform::Point mouse = h.Client(120, 20);
    const double midX = (h.ModelX(start) + h.ModelX(mouse)) / 2;
    const platform::Point mid = h.Client(midX, 20);
    const QRect label(mid.x - 8 * 3, mid.y - 15, 60, 15);
    EXPECT_TRUE(label.contains(box)) << box.x() << "," << box.y() << " " << box.width() << "x" << box.height();
    // Nothing is left once the operation is cancelled.
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(LineToolReadoutTest, NoReadoutIsLeftAfterTypedValues)
{
    h.Select(2, 0);
    h.Click(20, 20);
    h.Move(60, 40);
    h.Move(70, 45);
    EXPECT_EQ(Tool().readoutKind, 1);
    Type(50, 0, 0);
    EXPECT_EQ(Tool().readoutKind, 0);
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(LineToolReadoutTest, WhichBandShowsWhichReadout)
{
    struct Case {
        int item;
        int16_t lineMode, chainMode;
        bool shown;
    };
    // The free read-out follows the line panel's mode; a horizontal/vertical
    // chain shows the axis label only while the line panel is in that mode.
    const Case cases[] = {{1, 1, 0, false}, {1, 1, 1, true}, {6, 1, 0, false}, {6, 1, 1, true},
                          {1, 0, 0, true},  {0, 1, 0, true}, {0, 0, 0, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item * 100 + c.lineMode * 10 + c.chainMode);
        LineMode = c.lineMode;
        ContinuousLineMode = c.chainMode;
        DoubleLineMode = c.chainMode;
        h.Select(2, c.item);
        h.Click(20, 20);
        h.Move(60, 30);
        h.Move(70, 35);
        EXPECT_EQ(Tool().readoutKind, c.shown ? 1 : 0);
        h.Key(ID_ESCAPE_KEY);
        EXPECT_EQ(Tool().readoutKind, 0);
        EXPECT_TRUE(h.ScreenIsFreshRedraw());
    }
}

TEST_F(LineToolReadoutTest, FixedAngleBandMeasuresToItsEnd)
{
    LineAngleGiven = 1;
    LineAngle = 30;
    h.Select(2, 0);
    h.Click(20, 20);
    h.Move(80, 30);
    h.Move(90, 30);
    EXPECT_EQ(Tool().readoutKind, 1);
    // The read-out belongs to the band's end on the ray, not the mouse.
    EXPECT_NEAR(Tool().readoutPos[0], h.ModelX(h.Client(90, 30)), 1e-9);
    EXPECT_NE(Tool().readoutPos[1], h.ModelY(h.Client(90, 30)));
    h.Key(ID_ESCAPE_KEY);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

} // namespace
