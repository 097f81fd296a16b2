// Texts and leader texts on screen: size thresholds, culling by the body,
// placement of rotated texts, fonts, leaders and their terminators.

#include "DrawingViewFixture.h"

#include "platform/Encoding.h"

namespace {

// "ＭＳゴシック" in code page 932.
const std::string GothicFace = "\x82\x6c\x82\x72\x83\x53\x83\x56\x83\x62\x83\x4e";

class DrawTextTest : public DrawingViewTest {
protected:
    CEntity* AddText(double x, double y, double h, double w, double angle, const std::string& text = "ABC",
                     const std::string& font = GothicFace, COLORREF colour = 0)
    {
        return Add(EntityType::Text, 0, 0, {10, 20, 30, 40, 50}, {x, y, h, w, angle}, colour, text, font);
    }
    CEntity* AddLeader(double x, double y, int16_t subtype, double p1x, double p1y, double p2x, double p2y,
                       double p3x, double p3y)
    {
        return Add(EntityType::LeaderText, subtype, 0, {10, 20, 30, 40, 50, 11, 21, 12, 22, 13, 23},
                   {x, y, 10, 10, 0, p1x, p1y, p2x, p2y, p3x, p3y}, 0, "AB", GothicFace);
    }
};

TEST_F(DrawTextTest, HeightBelowHalfAPixelIsNotDrawn)
{
    struct Case {
        double height;
        int texts;
        int fontHeight;
    } cases[] = {{0.4, 0, 0}, {0.5, 1, 1}, {10.0, 1, 10}, {10.49, 1, 10}};
    for (const Case& c : cases) {
        doc->list.RemoveAll();
        AddText(50, 50, c.height, c.height, 0);
        const auto records = Record();
        const auto texts = Only(records, "TextOut");
        ASSERT_EQ(int(texts.size()), c.texts) << c.height;
        if (c.texts) {
            const auto fonts = Only(records, "SelectFont");
            ASSERT_FALSE(fonts.empty());
            EXPECT_EQ(fonts.front().args[0], c.fontHeight) << c.height;
            EXPECT_EQ(fonts.front().args[1], c.fontHeight / 2) << c.height;
        }
    }
}

TEST_F(DrawTextTest, TextIsCulledByItsWholeBody)
{
    // The view shows x 0..400, y 0..300. A text is drawn when any of its
    // body, at its angle, can show; its anchor may lie anywhere.
    struct Case {
        double x, y, angle;
        const char* text;
        bool drawn;
    } cases[] = {
        {-100, 100, 0, "LONG TEXT THAT WOULD SHOW", true}, // 250 wide: crosses the left edge
        {-300, 100, 0, "AB", false},                       // ends far left of the view
        {100, 301, 0, "AB", false},                        // stands above the top edge
        {100, -15, 0, "AB", true},                         // its upper half shows at the bottom
        {200, -50, 90, "LONG TEXT", true},                 // reads upwards into the view
        {200, -50, 0, "LONG TEXT", false},                 // the same text lying flat stays below
        {450, 100, 180, "LONG TEXT", true},                // upside down, reaching back to the left
        {0, 300, 0, "AB", true},                           // anchor on the corner
    };
    for (const Case& c : cases) {
        doc->list.RemoveAll();
        AddText(c.x, c.y, 20, 20, c.angle, c.text);
        EXPECT_EQ(Only(Record(), "TextOut").size(), c.drawn ? 1u : 0u) << c.x << ", " << c.y << " at " << c.angle;
    }
}

TEST_F(DrawTextTest, TextWhoseAnchorIsLeftOfTheViewShowsItsVisiblePart)
{
    AddText(-60, 100, 20, 20, 0, "HHHHHHHHHH", GothicFace, 0x0000FF); // 100 wide, 40 of it in the view
    const QImage image = Render();
    EXPECT_GT(CountColour(image, Rgb(0x0000FF), 0, 180, 45, 200), 20);
}

TEST_F(DrawTextTest, TopLeftCornerFollowsTheAngle)
{
    struct Case {
        double angle;
        int x, y, escapement;
    } cases[] = {
        {0.0, 100, 300 - 110, 0},     // (x, y + h)
        {90.0, 90, 300 - 100, 900},   // (x - h, y): reads upwards from the anchor
        {0.05, 100, 300 - 110, 0},    // too small to turn: unrotated
        {-30.0, 105, 300 - 109, -300},
    };
    for (const Case& c : cases) {
        doc->list.RemoveAll();
        AddText(100, 100, 10, 10, c.angle);
        const auto records = Record();
        const auto texts = Only(records, "TextOut");
        ASSERT_EQ(texts.size(), 1u) << c.angle;
        EXPECT_EQ(texts[0].args[0], c.x) << c.angle;
        EXPECT_EQ(texts[0].args[1], c.y) << c.angle;
        EXPECT_EQ(Only(records, "SelectFont").front().args[2], c.escapement) << c.angle;
    }
}

TEST_F(DrawTextTest, FontDescriptionAndTextColour)
{
    AddText(100, 100, 12, 12, 0, "\x82\xa0", GothicFace, 0x0000FF);
    const auto records = Record();
    const auto font = Only(records, "SelectFont").front();
    // height, width, escapement, orientation, weight, italic, charset, pitch
    EXPECT_EQ(font.args, (std::vector<long long>{12, 6, 0, 0, 0, 0, 128, 1}));
    EXPECT_EQ(font.text, QString::fromUtf8("ＭＳゴシック"));
    EXPECT_EQ(Only(records, "TextOut").front().text, QString::fromUtf8("あ"));
    EXPECT_EQ(Only(records, "SetTextColor").front().args[0], 0x0000FF);
    // Screen text is drawn transparently and the mode restored.
    const auto modes = Only(records, "SetBkMode");
    ASSERT_EQ(modes.size(), 2u);
    EXPECT_EQ(modes[0].args[0], int(platform::BkMode::Transparent));
}

TEST_F(DrawTextTest, ExportKeepsTheOpaqueBackground)
{
    AddText(100, 100, 12, 12, 0);
    view->exporting = 1;
    const auto records = Record();
    EXPECT_TRUE(Only(records, "SetBkMode").empty());
    EXPECT_EQ(Only(records, "TextOut").size(), 1u);
}

TEST_F(DrawTextTest, OverlongFaceIsCutOnACharacterBoundary)
{
    std::string face;
    for (int i = 0; i < 20; ++i)
        face += "\x82\xa0";  // 40 bytes of "あ"
    AddText(100, 100, 12, 12, 0, "A", face);
    const QString drawn = Only(Record(), "SelectFont").front().text;
    EXPECT_EQ(drawn, QString(15, QChar(0x3042)));  // 30 bytes: the 16th character would end at 32
}

TEST_F(DrawTextTest, TextPixelsLieInItsBox)
{
    AddText(100, 100, 20, 20, 0, "HHHH", GothicFace, 0x0000FF);
    const QImage image = Render();
    const QRgb red = Rgb(0x0000FF);
    // The text stands on its anchor: top at y + h, left at x.
    EXPECT_GT(CountColour(image, red, 100, 180, 150, 200), 20);
    EXPECT_EQ(CountColour(image, red), CountColour(image, red, 100, 178, 145, 202));
}

TEST_F(DrawTextTest, LeaderShapesAndClipping)
{
    // Shape 0, no terminator: one segment.
    AddLeader(100, 100, 0, 50, 50, 90, 90, 150, 90);
    auto records = Record();
    EXPECT_EQ(Only(records, "TextOut").size(), 1u);
    auto lines = Only(records, "LineTo");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].args, (std::vector<long long>{90, 210}));

    // Shape 1: P1 - P2 - P3.
    doc->list.RemoveAll();
    AddLeader(100, 100, 10, 50, 50, 90, 90, 150, 90);
    lines = Only(Record(), "LineTo");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].args, (std::vector<long long>{150, 210}));

    // A leader wholly outside the view: its text, but no leader or terminator.
    doc->list.RemoveAll();
    AddLeader(100, 100, 13, -50, -50, -10, -20, 150, 90);
    records = Record();
    EXPECT_EQ(Only(records, "TextOut").size(), 1u);
    EXPECT_TRUE(Only(records, "LineTo").empty());

    // Text out of the view: its leader inside the view is still drawn.
    doc->list.RemoveAll();
    AddLeader(-100, 100, 13, 50, 50, 90, 90, 150, 90);
    records = Record();
    EXPECT_TRUE(Only(records, "TextOut").empty());
    EXPECT_EQ(Only(records, "LineTo").size(), 4u); // P1 - P2 - P3 and the arrowhead's two barbs

}

TEST_F(DrawTextTest, LeaderArrowheadAtItsFirstPoint)
{
    // Kind 3 (arrowhead) at P1 = (50, 50), pointing away from P2 = (150, 50).
    AddLeader(100, 100, 3, 50, 50, 150, 50, 150, 50);
    const auto records = Record();
    const auto lines = Only(records, "LineTo");
    ASSERT_EQ(lines.size(), 3u);  // the leader and two barbs of 8 pixels (size index 1)
    const auto moves = Only(records, "MoveTo");
    for (int i = 1; i < 3; ++i) {
        EXPECT_EQ(moves[std::size_t(i)].args, (std::vector<long long>{50, 250}));
        const double dx = double(lines[std::size_t(i)].args[0] - 50), dy = double(lines[std::size_t(i)].args[1] - 250);
        EXPECT_NEAR(std::hypot(dx, dy), 8.0, 1.0);
        EXPECT_GT(dx, 0);  // opening back along the leader
    }
}

} // namespace
