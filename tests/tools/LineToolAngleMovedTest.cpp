// The line tool's angle-moved lines: a copy of the clicked line turned
// about its end nearer the click.

#include "LineToolModeFixture.h"

namespace {

class LineToolAngleMovedTest : public LineToolModeTestBase {
protected:
    void SetUp() override
    {
        AddLineEntity(0, 0, 100, 0);
        h.Select(2, 8);
    }
};

TEST_F(LineToolAngleMovedTest, TurnsAboutTheNearerEnd)
{
    struct Case {
        float angle;
        int16_t lengthGiven;
        double clickX;
        Seg expected;
    };
    const Case cases[] = {
        {90, 0, 90, {100, 0, 100, -100}},
        {90, 0, 10, {0, 0, 0, 100}},
        {90, 1, 10, {0, 0, 0, 50}},
        {-90, 0, 10, {0, 0, 0, -100}},
    };
    for (const Case& c : cases) {
        AngleBoxAngle = c.angle;
        AngleBoxLengthGiven = c.lengthGiven;
        LineLength = 50.0f;
        h.Click(c.clickX, 0);
        ASSERT_EQ(Lines().size(), 2u) << c.clickX;
        EXPECT_TRUE(Near(Lines()[1], c.expected, 1e-9)) << Lines()[1];
        EXPECT_EQ(InputPointCount, 0);
        EXPECT_EQ(h.Prompt(), QString("角度移動する直線の始点側をクリックしてください。"));
        h.Key(ID_EDIT_UNDO);
        ASSERT_EQ(Lines().size(), 1u);
        EXPECT_TRUE(Near(Lines()[0], {0, 0, 100, 0}));
    }
    EXPECT_TRUE(FreshWithMouseAway());
}

TEST_F(LineToolAngleMovedTest, AnythingButALineWarns)
{
    AddCircle(50, 60, 10);
    for (double y : {50.0, 30.0}) {
        const int before = h.Beeps();
        h.Click(50, y);
        EXPECT_EQ(h.Beeps() - before, 1) << y;
        EXPECT_EQ(h.Prompt(), QString("【注意】＊＊＊直線を選んでください＊＊＊"));
        EXPECT_TRUE(h.Warning());
    }
    EXPECT_EQ(Lines().size(), 1u);
}

TEST_F(LineToolAngleMovedTest, LongLineTurnsAboutItsNearerEndWithoutAnError)
{
    AddLineEntity(-300000, 50, 200000, 50);
    AngleBoxAngle = 90;
    h.Click(10, 50);
    ASSERT_EQ(Lines().size(), 3u);
    EXPECT_TRUE(Near(Lines()[2], {200000, 50, 200000, -499950}, 1e-6)) << Lines()[2];
    EXPECT_TRUE(h.Messages().isEmpty());
}

TEST_F(LineToolAngleMovedTest, MarkerNamesTheLine)
{
    AddPoint(50, 60);
    ClickExact(100, 0);
    ASSERT_EQ(Lines().size(), 2u);
    EXPECT_TRUE(Near(Lines()[1], {100, 0, 100, -100}, 1e-9)) << Lines()[1];
    // A marker on a point entity names no line.
    const int before = h.Beeps();
    ClickExact(50, 60);
    EXPECT_EQ(h.Beeps() - before, 1);
    EXPECT_EQ(h.Prompt(), QString("【注意】＊＊＊直線を選んでください＊＊＊"));
    EXPECT_EQ(Lines().size(), 2u);
    EXPECT_TRUE(FreshWithMouseAway());
}

} // namespace
