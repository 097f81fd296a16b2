// The text tool through the view: the edit box, plain texts and leader
// texts made on Enter, their values and bytes, the cancels and what stays
// on screen.

#include "ToolFixture.h"

#include "model/Settings.h"
#include "platform/Encoding.h"
#include "resources/Resource.h"
#include "tools/TextTool.h"

#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

class TextToolTest : public ToolTestBase<CTextTool, ToolId::Text> {
protected:
    TextToolTest()
    {
        TextHeight = 20.0f;
        TextWidth = 18.0f;
        TextAngle = 15.0f;
        UnitsMode = 0;
        TextSubtype = 0;
        LeaderShape = 0;
        ArrowheadKind = 3;
        MagnetEnabled = 0;
        TextFontName = DefaultTextFont;
    }

    QLineEdit* Box() { return h.View().textEdit; }
    bool BoxShown() { return Box() && Box()->isEnabled() && Box()->width() > 0; }
    void Type(const QString& text) { Box()->setText(text); }
    void Enter() { h.Key(ID_ENTER_KEY); }
    std::vector<const CEntity*> Texts() { return h.Entities(EntityType::Text); }
    std::vector<const CEntity*> Leaders() { return h.Entities(EntityType::LeaderText); }
};

TEST_F(TextToolTest, PlainTextRecord)
{
    TextSubtype = 4;
    CurrentColor = 0x00445566;
    h.View().currentLayer = 2;
    h.Select(6, 0);
    h.Click(100, 120);
    EXPECT_EQ(TextBoxOpen, 1);
    EXPECT_EQ(InputPointCount, 1);
    EXPECT_TRUE(BoxShown());
    EXPECT_EQ(Box()->width(), 300);
    // The box's bottom edge lies just below the click.
    const platform::Point at = h.Client(100, 120);
    EXPECT_EQ(Box()->x(), at.x);
    EXPECT_GE(Box()->geometry().bottom(), at.y);
    EXPECT_LE(Box()->geometry().bottom(), at.y + 1);
    EXPECT_EQ(h.Prompt(), QString("文字を入力後、[Enter]キーで作図します。"));

    Type(QString::fromUtf8("文字 A"));
    Enter();
    ASSERT_EQ(Texts().size(), 1u);
    const CEntity* e = Texts()[0];
    EXPECT_EQ(e->subtype, 4);
    EXPECT_EQ(e->layer, 2);
    EXPECT_EQ(e->colour, 0x00445566u);
    EXPECT_EQ(e->codes, (std::vector<int16_t>{10, 20, 30, 40, 50}));
    EXPECT_NEAR(e->values[0], 100, 0.5);
    EXPECT_NEAR(e->values[1], 120, 0.5);
    EXPECT_EQ(e->values[2], 20.0);
    EXPECT_EQ(e->values[3], 18.0);
    EXPECT_EQ(e->values[4], 15.0);
    EXPECT_EQ(e->text, "\x95\xb6\x8e\x9a A");
    EXPECT_EQ(e->font, std::string(DefaultTextFont));
    EXPECT_FALSE(BoxShown());
    EXPECT_EQ(TextBoxOpen, 0);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(h.Prompt(), QString("文字列を作図します。作図位置を指示して下さい。"));
    // A second Enter adds nothing more.
    Enter();
    EXPECT_EQ(Texts().size(), 1u);
}

TEST_F(TextToolTest, ASecondClickMovesAndEmptiesTheBox)
{
    h.Select(6, 0);
    h.Click(100, 100);
    Type("abc");
    h.Click(200, 150);
    EXPECT_EQ(Box()->x(), h.Client(200, 150).x);
    EXPECT_TRUE(Box()->text().isEmpty());
    Type("d");
    Enter();
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_NEAR(Texts()[0]->values[0], 200, 0.5);
    EXPECT_EQ(Texts()[0]->text, "d");
}

TEST_F(TextToolTest, AViewWithoutAnEditBoxTakesNoText)
{
    QLineEdit* kept = h.View().textEdit;
    h.View().textEdit = nullptr;
    for (int sub : {0, 1}) {
        h.Select(6, sub);
        h.Click(100, 100);
        h.Click(150, 120);
        Enter();
        EXPECT_EQ(TextBoxOpen, 0);
    }
    h.View().textEdit = kept;
    EXPECT_TRUE(h.Entities().empty());
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(TextToolTest, TextsAreCutToTheirFirst126BytesOnACharacterBoundary)
{
    struct Case {
        QString typed;
        std::size_t bytes;
    };
    const std::vector<Case> cases{
        {QString(130, QChar('x')), 126},
        {QString(126, QChar('y')), 126},
        // 'A' then double-byte characters: byte 126 would split one.
        {QString("A") + QString(65, QChar(0x3042)), 125},
        {QString(), 0},
    };
    h.Select(6, 0);
    for (const Case& c : cases) {
        h.Click(100, 100);
        Type(c.typed);
        Enter();
        ASSERT_FALSE(Texts().empty());
        const std::string& text = Texts().back()->text;
        EXPECT_EQ(text.size(), c.bytes);
        EXPECT_EQ(text, platform::ToCp932(c.typed).substr(0, c.bytes));
    }
    EXPECT_EQ(Texts().size(), cases.size());
}

TEST_F(TextToolTest, RightButtonHidesTheBoxAndEnterAddsNothing)
{
    h.Select(6, 0);
    h.Click(100, 100);
    Type("abc");
    h.RightClick(100, 100);
    EXPECT_FALSE(BoxShown());
    EXPECT_EQ(TextBoxOpen, 0);
    EXPECT_EQ(InputPointCount, 0);
    Enter();
    EXPECT_TRUE(Texts().empty());
}

TEST_F(TextToolTest, SizesTakeTheScaleWhenUnitsModeIsOne)
{
    TextHeight = 3.0f;
    TextWidth = 2.0f;
    UnitsMode = 1;
    h.Select(6, 0);
    h.Click(100, 100);
    h.View().scale = 50;
    Type("S");
    Enter();
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_EQ(Texts()[0]->values[2], 150.0);
    EXPECT_EQ(Texts()[0]->values[3], 100.0);
}

TEST_F(TextToolTest, ProtectedDrawingAddsNothingAndHidesTheBox)
{
    h.Doc().ProtectionState = 1;
    h.Select(6, 0);
    h.Click(100, 100);
    Type("abc");
    Enter();
    EXPECT_TRUE(Texts().empty());
    EXPECT_EQ(h.Messages().size(), 1);
    EXPECT_FALSE(BoxShown());
    h.Doc().ProtectionState = 0;
}

TEST_F(TextToolTest, LeaderLayoutByShapeAndSide)
{
    // "AB" then two double-byte characters: 6 bytes, 4 characters.
    const std::string text = "AB\x82\xa0\x82\xa2";
    const double H = 10;
    struct Case {
        int shape;
        double x0, x1;  // leader from (x0, 50) to (x1, 100)
        std::vector<double> tail;  // text x, y, then guide/underline end
    };
    const std::vector<Case> cases{
        {0, 0, 200, {200 + H / 2, 100 - H / 2}},
        {0, 300, 200, {200 - 4 * H - H / 2, 100 - H / 2}},
        {1, 0, 200, {200 + H + H / 2, 100 - H / 2, 200 + H, 100}},
        {1, 300, 200, {200 - H - 6 * H / 2 - H / 2, 100 - H / 2, 200 - H, 100}},
        {2, 0, 200, {200 + H / 2, 100 + H / 2, 200 + 7 * H / 2, 100}},
        {2, 300, 200, {200 - 6 * H / 2 - H / 2, 100 + H / 2, 200 - 7 * H / 2, 100}},
    };
    for (const Case& c : cases) {
        const std::vector<double> v = CTextTool::LeaderValues(c.shape, c.x0, 50, c.x1, 100, text, H, 30, 40, 5);
        std::vector<double> expected{c.tail[0], c.tail[1], 30, 40, 5, c.x0, 50, c.x1, 100};
        if (c.tail.size() == 4) {
            expected.push_back(c.tail[2]);
            expected.push_back(c.tail[3]);
        }
        EXPECT_EQ(v, expected) << "shape " << c.shape << " from " << c.x0;
    }
}

TEST_F(TextToolTest, LeaderTextFromRightToLeft)
{
    LeaderShape = 1;
    ArrowheadKind = 2;
    UnitsMode = 1;
    h.Select(6, 1);
    EXPECT_EQ(InputPointCount, 0);
    h.Click(300, 150);
    EXPECT_EQ(InputPointCount, 1);
    EXPECT_EQ(h.Prompt(), QString("指示線の終端を指示して下さい。"));
    EXPECT_FALSE(h.ScreenIsFreshRedraw());  // the start cross
    h.Move(250, 120);
    h.Move(200, 100);
    h.Click(200, 100);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_TRUE(BoxShown());
    EXPECT_EQ(TextBoxOpen, 1);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
    Type("ABC");
    h.View().scale = 2;
    Enter();
    ASSERT_EQ(Leaders().size(), 1u);
    const CEntity* e = Leaders()[0];
    EXPECT_EQ(e->subtype, 12);
    EXPECT_EQ(e->codes, (std::vector<int16_t>{10, 20, 30, 40, 50, 60, 61, 70, 71, 80, 81}));
    ASSERT_EQ(e->values.size(), 11u);
    // The layout follows the height that is stored (20 at scale 2).
    const double x1 = e->values[7], y1 = e->values[8], H = 40;
    EXPECT_NEAR(e->values[5], 300, 0.5);
    EXPECT_NEAR(x1, 200, 0.5);
    // Guide line to the left, the text ending H/2 before its end.
    EXPECT_EQ(e->values[9], x1 - H);
    EXPECT_EQ(e->values[10], y1);
    EXPECT_EQ(e->values[0], x1 - H - 3 * H / 2 - H / 2);
    EXPECT_EQ(e->values[1], y1 - H / 2);
    // Sizes take the scale, and the layout is made with them.
    EXPECT_EQ(e->values[2], 40.0);
    EXPECT_EQ(e->values[3], 36.0);
    EXPECT_EQ(e->text, "ABC");
    EXPECT_EQ(h.Prompt(), QString("指示線付き文字列を作図します。作図位置を指示して下さい。"));
}

TEST_F(TextToolTest, LeaderEndingOnItsFirstPixelOpensNoBox)
{
    h.Select(6, 1);
    h.Click(150, 150);
    h.Move(160, 150);
    h.Move(150, 150);
    h.Click(150, 150);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(TextBoxOpen, 0);
    EXPECT_FALSE(BoxShown());
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
    Enter();
    EXPECT_TRUE(Leaders().empty());
}

TEST_F(TextToolTest, LeaderCancelsLeaveNothingOnScreen)
{
    h.Select(6, 1);
    // The right button before the second click.
    h.Click(100, 100);
    h.Move(150, 120);
    h.Move(180, 130);
    h.View().RedrawNow();  // a repaint while the band is shown
    h.RightClick(180, 130);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(OperationRestarted, 1);
    EXPECT_EQ(h.Prompt(), QString("指示線付き文字列を作図します。作図位置を指示して下さい。"));
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
    // The next click starts a leader again.
    h.Click(100, 100);
    EXPECT_EQ(InputPointCount, 1);
    h.Move(150, 120);
    h.Move(180, 130);
    // Another tool chosen halfway.
    h.Select(2, 0);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
    // Once the box is shown the right button leaves it.
    h.Select(6, 1);
    h.Click(100, 100);
    h.Move(150, 120);
    h.Click(150, 120);
    h.RightClick(150, 120);
    EXPECT_TRUE(BoxShown());
    Type("x");
    Enter();
    EXPECT_EQ(Leaders().size(), 1u);
    EXPECT_EQ(Leaders()[0]->values.size(), 9u);  // the free line stores no end
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

} // namespace
