#include "app/OperateMsgBox.h"

#include "platform/Encoding.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Colours {
    bool red = false, blue = false;
};

Colours ColoursOf(COperateMsgBox& box)
{
    QImage img = box.PromptControl()->grab().toImage();
    Colours c;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            QColor p = img.pixelColor(x, y);
            c.red = c.red || p == QColor(255, 0, 0);
            c.blue = c.blue || p == QColor(0, 0, 255);
        }
    }
    return c;
}

} // namespace

TEST(PromptBox, ShowsInstructionBlueAndWarningRed)
{
    COperateMsgBox box;
    box.resize(440, 26);
    box.show();

    Colours empty = ColoursOf(box);
    EXPECT_FALSE(empty.red || empty.blue);

    box.SetPromptUtf8("円弧終端を指示して下さい。", false);
    EXPECT_EQ(box.PromptText(), QStringLiteral("円弧終端を指示して下さい。"));
    EXPECT_EQ(box.m_bWarning, 0);
    Colours instruction = ColoursOf(box);
    EXPECT_TRUE(instruction.blue);
    EXPECT_FALSE(instruction.red);

    box.SetPromptUtf8("図面が保護されています。", true);
    EXPECT_EQ(box.m_bWarning, 1);
    Colours warning = ColoursOf(box);
    EXPECT_TRUE(warning.red);
    EXPECT_FALSE(warning.blue);

    // The next instruction leaves no trace of the red text.
    box.SetPromptUtf8("始端を指示して下さい。", false);
    Colours after = ColoursOf(box);
    EXPECT_TRUE(after.blue);
    EXPECT_FALSE(after.red);
}

TEST(PromptBox, CopiesAtMost127BytesOnACharacterBoundary)
{
    struct Case {
        std::string text;
        std::size_t stored;
    };
    const std::string kana = "\x82\xa0"; // one double-byte character
    std::string evenLong;
    for (int i = 0; i < 100; ++i) {
        evenLong += kana;
    }
    const Case cases[] = {
        {std::string(127, 'a'), 127},
        {std::string(300, 'a'), 127},
        {evenLong, 126},            // 127 would split the 64th character
        {"a" + evenLong, 127},      // 1 + 63 characters fit exactly
        {"", 0},
    };
    for (const Case& c : cases) {
        char buf[COperateMsgBox::kPromptSize];
        std::memset(buf, 'Z', sizeof buf);
        CopyPromptText(buf, sizeof buf, c.text);
        EXPECT_EQ(std::strlen(buf), c.stored);
        EXPECT_EQ(std::string(buf), c.text.substr(0, c.stored));
    }

    COperateMsgBox box;
    box.SetPrompt(evenLong, false);
    EXPECT_EQ(std::strlen(box.m_szPrompt), 126u);
    EXPECT_EQ(box.m_szPrompt[127], '\0');
}
