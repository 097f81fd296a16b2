#include "model/DrawingHeader.h"

#include "DrawingFileFixtures.h"

#include <gtest/gtest.h>

#include <vector>

TEST(DrawingHeader, EveryFieldAtItsOffset)
{
    DrawingHeader h;
    DrawingHeader::SetFieldText(h.drawingName, "Plan");
    DrawingHeader::SetFieldText(h.author, "Author");
    DrawingHeader::SetFieldText(h.updater, "Updater");
    DrawingHeader::SetFieldText(h.password, "secret12");
    h.protection = 2;
    h.paperSource = 1;
    h.paperIndex = 7;
    h.orientation = 1;
    h.printFit = 1;
    h.plotScaleChoice = 3;
    h.plotCorrectionX = -12;
    h.plotCorrectionY = 34;
    h.plotLayerChoice = 2;
    h.currentLayer = 9;
    h.createdDate = MakeDrawingDate(2024, 5, 17);
    h.modifiedDate = MakeDrawingDate(1999, 12, 31);
    h.scale = 250.0f;

    fixture::Header f;
    f.name = "Plan";
    f.author = "Author";
    f.updater = "Updater";
    f.password = "secret12";
    f.protection = 2;
    f.paperSource = 1;
    f.paper = 7;
    f.orientation = 1;
    f.printFit = 1;
    f.plotScale = 3;
    f.plotX = -12;
    f.plotY = 34;
    f.plotLayer = 2;
    f.currentLayer = 9;
    f.created = 240517;
    f.modified = 991231;
    f.scale = 250.0f;
    fixture::Bytes expected;
    f.WriteTo(expected);

    std::vector<uint8_t> bytes(DrawingHeader::Size);
    h.ToBytes(bytes.data());
    EXPECT_EQ(bytes, expected.data);

    DrawingHeader back;
    back.FromBytes(bytes.data());
    EXPECT_EQ(back, h);
}

TEST(DrawingHeader, TwoDigitYears)
{
    EXPECT_EQ(MakeDrawingDate(2024, 5, 17), 240517);
    EXPECT_EQ(MakeDrawingDate(2000, 1, 2), 102);
    EXPECT_EQ(DrawingDateYear(240517), 2024);
    EXPECT_EQ(DrawingDateYear(991231), 1999);
    EXPECT_EQ(DrawingDateYear(500101), 1950);
    EXPECT_EQ(DrawingDateYear(490101), 2049);
    EXPECT_EQ(DrawingDateMonth(240517), 5);
    EXPECT_EQ(DrawingDateDay(240517), 17);
}

TEST(DrawingHeader, FieldTextsAreCutOnCharacterBoundaries)
{
    DrawingHeader h;
    std::string name;
    for (int i = 0; i < 40; ++i) name += "\x82\xa0"; // 80 bytes into a 61-byte field
    DrawingHeader::SetFieldText(h.drawingName, name);
    EXPECT_EQ(DrawingHeader::FieldText({h.drawingName.data(), h.drawingName.size()}), name.substr(0, 60));
    DrawingHeader::SetFieldText(h.password, "123456789");
    EXPECT_EQ(DrawingHeader::FieldText({h.password.data(), h.password.size()}), "12345678");
}
