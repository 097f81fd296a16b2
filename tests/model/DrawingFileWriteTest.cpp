#include "model/DrawingFile.h"
#include "model/EntityList.h"
#include "model/SnapPointList.h"

#include "DrawingFileFixtures.h"
#include "common/ScratchFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using fixture::Record;

const std::string kGothic = "\x82\x6c\x82\x72\x83\x53\x83\x56\x83\x62\x83\x4e";

CEntity* Add(CEntityList& list, int16_t type, int16_t subtype, int16_t style, int16_t layer, uint32_t colour,
             std::vector<int16_t> codes, std::vector<double> values, std::string text = {}, std::string font = {},
             CEntity* owner = nullptr)
{
    EntityHeader h{type, subtype, style, layer, static_cast<int16_t>(values.size())};
    if (codes.size() < values.size()) codes.resize(values.size(), 0);
    CEntity* before = list.last;
    int rc = owner ? list.AddChildEntity(h, codes.data(), colour, values.data(), text, font, owner)
                   : list.AddEntity(h, codes.data(), colour, values.data(), text, font);
    EXPECT_EQ(rc, 0) << "type " << type;
    return before ? before->next : list.first;
}

// A drawing with one entity of every stored kind, groups whose in-memory
// numbers are not 1, 2, ..., and a dimension with a member.
struct Sample {
    CEntityList list;
    CEntity* header1 = nullptr;
    CEntity* header2 = nullptr;
    std::vector<CEntity*> members;
    CEntity* freePoint = nullptr;

    Sample()
    {
        Add(list, 11, 1, 0, 0, 0, {10, 20, 30}, {0, 0, 20});
        Add(list, 20, 0, 305, 2, 0xFF, {10, 20, 11, 22}, {1, 2, 3, 4});
        Add(list, 40, 1, 1, 0, 0x10, {10, 20, 30, 40, 50}, {10, 20, 5, 4, 30}, "ABCD", kGothic);
        Add(list, 40, 3, 1, 0, 0x10, {10, 20, 30, 40, 50}, {1, 1, 5, 5, 0}, "", "");
        Add(list, 24, 0, 2, 1, 0x20, {10, 20, 10, 20, 10, 20}, {0, 0, 5, 5, 10, 0});
        Add(list, 24, 0, 2, 1, 0x20, {10, 20, 10, 20, 10}, {0, 0, 5, 5, 10});
        header1 = Add(list, 60, 0, 0, 0, 0, {}, {});
        header1->group = 7;
        members.push_back(Add(list, 10, 0, 4, 0, 0x30, {10, 20}, {5, 6}, {}, {}, header1));
        members.push_back(Add(list, 31, -1, 4, 0, 0x30, {10, 20, 40, 50, 51}, {0, 0, 10, 0, 90}, {}, {}, header1));
        header2 = Add(list, 60, 0, 0, 0, 0, {}, {});
        header2->group = 3;
        members.push_back(Add(list, 20, 0, 0, 0, 0, {10, 20, 11, 22}, {0, 0, 1, 1}, {}, {}, header2));
        Add(list, 41, 12, 3, 0, 0x40, {10, 20, 30, 40, 50, 60, 61, 70, 71}, {1, 2, 3, 3, 0, 4, 5, 6, 7}, "Hi", "F");
        Add(list, 41, 21, 3, 0, 0x40, {10, 20, 30, 40, 50, 60, 61, 70, 71}, {1, 2, 3, 3, 0, 4, 5, 6, 7}, "", "");
        Add(list, 80, 0, 0, 0, 0, {10, 20, 11, 22}, {0, 0, 100, 50}, "/img/a.png");
        Add(list, 26, 0, 0, 0, 0, {}, {1, 2, 3, 4});
        Add(list, 33, 1, 0, 0, 0, {10, 20, 60, 61, 62, 50, 51}, {0, 0, 10, 5, 0, 0, 90});
        Add(list, 90, 0, 0, 0, 0, {}, {0, 0, 10, 0, 10, 10});
        CEntity* dimension = Add(list, 50, 99, 1, 0, 0, {30, 31}, {0, 0});
        Add(list, 20, 0, 0, 0, 0, {10, 20, 11, 22}, {0, 0, 1, 1}, {}, {}, dimension); // a member: not stored
        freePoint = Add(list, 10, 0, 0, 0, 0, {10, 20}, {9, 9});
        freePoint->group = 5;
    }
};

CDrawingFile SampleFile()
{
    CDrawingFile f;
    f.header.scale = 50.0f;
    f.header.createdDate = 240517;
    f.header.modifiedDate = 240518;
    f.header.paperIndex = 4;
    DrawingHeader::SetFieldText(f.header.drawingName, "\x96\xb3\x81\x40\x91\xe8"); // 無　題
    f.extents.ExtentsMax = {594, 420, 0};
    const uint32_t colours[8] = {0xFFFFFF, 0xD2D2D2, 0x0000FF, 0xFF0000, 0xFF00FF, 0x000000, 0xA0A0A0, 0x9A9A9A};
    for (int i = 0; i < 8; ++i) f.settings.SetDisplayColor(i, colours[i]);
    f.settings.bytes[0] = 0x55; // reserved bytes are not written
    f.layers.count = 3;
    f.layers.names[0] = "Layer01";
    f.layers.names[1] = std::string(20 * 2, '\0');
    for (int i = 0; i < 20; ++i) {
        f.layers.names[1][2 * i] = '\x82';
        f.layers.names[1][2 * i + 1] = '\xa0';
    }
    f.layers.names[2] = "C";
    f.layers.states = {};
    f.layers.states[0] = 2;
    f.layers.states[1] = 1;
    f.layers.states[2] = 0;
    return f;
}

// The file Sample() and SampleFile() must give, laid out by hand.
std::vector<uint8_t> ExpectedSampleFile()
{
    fixture::FileV5 file;
    file.header.name = "\x96\xb3\x81\x40\x91\xe8";
    file.header.paper = 4;
    std::string name1;
    for (int i = 0; i < 18; ++i) name1 += "\x82\xa0"; // 37 bytes allowed: 18 whole characters
    file.layers = {{"Layer01", 2}, {name1, 1}, {"C", 0}};
    const std::size_t recordCount = 19;
    // Records in list order; the data area is filled alongside.
    file.records.resize(recordCount);
    const std::size_t dataStart = 340 + 40 * 3 + 80 * recordCount;
    fixture::Bytes& d = file.data;
    auto here = [&] { return static_cast<uint32_t>(dataStart + d.size()); };
    auto rec = [&](std::size_t i, int16_t type, int16_t subtype, int16_t style, int16_t layer, uint32_t colour) -> Record& {
        Record& r = file.records[i];
        r.type = type;
        r.subtype = subtype;
        r.style = style;
        r.layer = layer;
        r.colour = colour;
        return r;
    };
    {
        Record& r = rec(0, 11, 1, 0, 0, 0);
        r.slot[2] = 20;
    }
    {
        Record& r = rec(1, 20, 0, 305, 2, 0xFF);
        r.slot[0] = 1, r.slot[1] = 2, r.slot[3] = 3, r.slot[4] = 4;
    }
    {
        Record& r = rec(2, 40, 116, 1, 0, 0x10);
        r.slot[0] = 10, r.slot[1] = 20, r.slot[2] = 5, r.slot[3] = 4, r.slot[4] = 30;
        r.offset = here();
        r.count = static_cast<int32_t>(d.AppendStringField("ABCD"));
        d.AppendStringField(kGothic);
    }
    {
        Record& r = rec(3, 40, 3, 1, 0, 0x10);
        r.slot[0] = 1, r.slot[1] = 1, r.slot[2] = 5, r.slot[3] = 5;
    }
    {
        Record& r = rec(4, 24, 0, 2, 1, 0x20);
        r.offset = here();
        r.count = 6;
        d.AppendCodes({10, 20, 10, 20, 10, 20});
        d.AppendValues({0, 0, 5, 5, 10, 0});
    }
    {
        Record& r = rec(5, 24, 0, 2, 1, 0x20);
        r.offset = here();
        r.count = 5;
        d.AppendCodes({10, 20, 10, 20, 10});
        d.AppendValues({0, 0, 5, 5, 10});
    }
    rec(6, 60, 0, 0, 0, 0);
    {
        Record& r = rec(7, 10, 0, 4, 0, 0x30);
        r.group = 1;
        r.slot[0] = 5, r.slot[1] = 6;
    }
    {
        Record& r = rec(8, 31, -1, 4, 0, 0x30);
        r.group = 1;
        r.slot[2] = 10, r.slot[4] = 90;
    }
    rec(9, 60, 0, 0, 0, 0);
    {
        Record& r = rec(10, 20, 0, 0, 0, 0);
        r.group = 2;
        r.slot[3] = 1, r.slot[4] = 1;
    }
    const std::vector<int16_t> leaderCodes{10, 20, 30, 40, 50, 60, 61, 70, 71};
    const std::vector<double> leaderValues{1, 2, 3, 3, 0, 4, 5, 6, 7};
    {
        Record& r = rec(11, 41, 1204, 3, 0, 0x40);
        r.offset = here();
        r.slot[0] = 9;
        r.slot[1] = r.offset;
        d.AppendCodes(leaderCodes);
        d.AppendValues(leaderValues);
        r.slot[4] = here();
        r.slot[3] = static_cast<double>(d.AppendStringField("Hi"));
        d.AppendStringField("F");
        r.count = 9 + 4;
    }
    {
        Record& r = rec(12, 41, 21, 3, 0, 0x40);
        r.offset = here();
        r.slot[0] = 9;
        r.slot[1] = r.offset;
        d.AppendCodes(leaderCodes);
        d.AppendValues(leaderValues);
        r.count = 9;
    }
    {
        Record& r = rec(13, 80, 0, 0, 0, 0);
        r.slot[3] = 100, r.slot[4] = 50;
        r.offset = here();
        r.count = static_cast<int32_t>(d.AppendStringField("/img/a.png"));
    }
    {
        Record& r = rec(14, 26, 0, 0, 0, 0);
        r.offset = here();
        r.count = 4;
        d.AppendValues({1, 2, 3, 4});
    }
    {
        Record& r = rec(15, 33, 1, 0, 0, 0);
        r.offset = here();
        r.count = 7;
        d.AppendValues({0, 0, 10, 5, 0, 0, 90});
    }
    {
        Record& r = rec(16, 90, 0, 0, 0, 0);
        r.offset = here();
        r.count = 6;
        d.AppendValues({0, 0, 10, 0, 10, 10});
    }
    {
        Record& r = rec(17, 50, 99, 1, 0, 0);
        r.offset = here();
        r.count = 2;
        d.AppendCodes({30, 31});
        d.AppendValues({0, 0});
    }
    {
        Record& r = rec(18, 10, 0, 0, 0, 0);
        r.slot[0] = 9, r.slot[1] = 9;
    }
    return file.Build();
}

void ExpectSameEntity(const CEntity& a, const CEntity& b, int index)
{
    SCOPED_TRACE(index);
    EXPECT_EQ(a.type, b.type);
    EXPECT_EQ(a.subtype, b.subtype);
    EXPECT_EQ(a.style, b.style);
    EXPECT_EQ(a.layer, b.layer);
    EXPECT_EQ(a.colour, b.colour);
    EXPECT_EQ(a.values, b.values);
    if (a.type != 26 && a.type != 90) {
        EXPECT_EQ(a.codes, b.codes);
    }
    EXPECT_EQ(a.text, b.text);
    EXPECT_EQ(a.font, b.font);
}

} // namespace

TEST(DrawingFileWrite, SampleIsByteExact)
{
    Sample s;
    std::vector<uint8_t> bytes;
    ASSERT_EQ(SampleFile().WriteDrawing(bytes, s.list.first), DrawingFileOk);
    const std::vector<uint8_t> expected = ExpectedSampleFile();
    ASSERT_EQ(bytes.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(bytes[i], expected[i]) << "byte " << i;
}

TEST(DrawingFileWrite, ThreeLayersPlaceDirectoryAndFirstRecord)
{
    Sample s;
    std::vector<uint8_t> bytes;
    ASSERT_EQ(SampleFile().WriteDrawing(bytes, s.list.first), DrawingFileOk);
    uint32_t mark, first, count;
    std::memcpy(&mark, &bytes[448], 4);
    std::memcpy(&first, &bytes[452], 4);
    std::memcpy(&count, &bytes[456], 4);
    EXPECT_EQ(mark, 0x00010001u);
    EXPECT_EQ(first, 460u);
    EXPECT_EQ(count, 19u); // the dimension's member is not stored
}

TEST(DrawingFileWrite, SavingLeavesTheEntitiesAlone)
{
    Sample s;
    std::vector<uint8_t> bytes;
    ASSERT_EQ(SampleFile().WriteDrawing(bytes, s.list.first), DrawingFileOk);
    EXPECT_EQ(s.header1->group, 7);
    EXPECT_EQ(s.header2->group, 3);
    EXPECT_EQ(s.members[0]->group, 7);
    EXPECT_EQ(s.members[1]->group, 7);
    EXPECT_EQ(s.members[2]->group, 3);
    EXPECT_EQ(s.freePoint->group, 5);
}

TEST(DrawingFileWrite, ReadBackGivesTheSameDrawingAndGroups)
{
    Sample s;
    std::vector<uint8_t> bytes;
    const CDrawingFile written = SampleFile();
    ASSERT_EQ(written.WriteDrawing(bytes, s.list.first), DrawingFileOk);

    CEntityList list;
    CSnapPointList snaps;
    CDrawingFile f;
    ASSERT_EQ(f.ReadDrawing(bytes, list, snaps), DrawingFileOk);
    EXPECT_EQ(f.formatVersion, 5);
    EXPECT_EQ(f.header.scale, 50.0f);
    EXPECT_EQ(f.header.createdDate, 240517);
    EXPECT_EQ(DrawingHeader::FieldText({f.header.drawingName.data(), 61}), "\x96\xb3\x81\x40\x91\xe8");
    EXPECT_EQ(f.extents, written.extents);
    EXPECT_EQ(f.settings.DisplayColor(7), 0x9A9A9Au);
    EXPECT_EQ(f.layers.count, 3);
    EXPECT_EQ(f.layers.names[0], "Layer01");
    EXPECT_EQ(f.layers.names[1].size(), 36u);
    EXPECT_EQ(f.layers.states[0], 2);
    EXPECT_EQ(f.layers.states[2], 0);

    // Every stored entity comes back; the dimension's member is rebuilt (or
    // not) from the dimension, so compare the free-standing ones.
    std::vector<const CEntity*> before, after;
    for (const CEntity* e = s.list.first; e; e = e->next)
        if (!e->owner || e->owner->type != 50) before.push_back(e);
    for (const CEntity* e = list.first; e; e = e->next)
        if (!e->owner || e->owner->type != 50) after.push_back(e);
    ASSERT_EQ(before.size(), after.size());
    for (std::size_t i = 0; i < before.size(); ++i) ExpectSameEntity(*before[i], *after[i], static_cast<int>(i));

    // Headers are numbered 1, 2 by the list; members find them again.
    EXPECT_EQ(after[6]->group, 1);
    EXPECT_EQ(after[7]->group, 1);
    EXPECT_EQ(after[8]->group, 1);
    EXPECT_EQ(after[9]->group, 2);
    EXPECT_EQ(after[10]->group, 2);
    EXPECT_EQ(after.back()->group, 0);
    LinkGroupMembers(list);
    EXPECT_EQ(after[7]->owner, after[6]);
    EXPECT_EQ(after[8]->owner, after[6]);
    EXPECT_EQ(after[10]->owner, after[9]);
    EXPECT_EQ(after[1]->owner, nullptr);
}

// The writer stores only what its reader takes back: the largest record of
// every kind with a variable count comes back value for value, and a
// drawing holding a record the reader would drop is refused before
// anything is written.
TEST(DrawingFileWrite, LargestRecordsComeBackAndUnreadableOnesAreRefused)
{
    const int most = CDrawingFile::MaxStoredValues;
    auto pairs = [](int n) {
        std::vector<int16_t> codes(static_cast<std::size_t>(n));
        std::vector<double> values(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) {
            codes[static_cast<std::size_t>(i)] = i % 2 ? 20 : 10;
            values[static_cast<std::size_t>(i)] = 0.25 * i - 1000.0;
        }
        return std::make_pair(codes, values);
    };
    struct Case {
        int16_t type;
        int count;
    } largest[] = {{24, most}, {26, most - 1}, {50, 160}, {70, most}, {71, most}, {90, most - 1}, {41, most},
                   {33, CDrawingFile::EllipticArcValues}};
    CEntityList list;
    Add(list, 11, 1, 0, 0, 0, {10, 20, 30}, {0, 0, 20});
    for (const Case& c : largest) {
        auto [codes, values] = pairs(c.count);
        if (c.type == 50) codes.assign(codes.size(), 0);  // a record whose members build nothing
        Add(list, c.type, 0, 0, 0, 0, codes, values, c.type == 41 ? "T" : "");
    }
    std::vector<uint8_t> bytes;
    ASSERT_EQ(CDrawingFile().WriteDrawing(bytes, list.first), DrawingFileOk);
    CEntityList back;
    CSnapPointList snaps;
    CDrawingFile reader;
    ASSERT_EQ(reader.ReadDrawing(bytes, back, snaps), DrawingFileOk);
    const CEntity* e = back.first ? back.first->next : nullptr;
    for (const Case& c : largest) {
        ASSERT_NE(e, nullptr) << "type " << c.type;
        EXPECT_EQ(e->type, c.type);
        ASSERT_EQ(e->values.size(), static_cast<std::size_t>(c.count)) << "type " << c.type;
        auto [codes, values] = pairs(c.count);
        EXPECT_EQ(e->values, values) << "type " << c.type;
        if (c.type == 24 || c.type == 70 || c.type == 71 || c.type == 41) {
            EXPECT_EQ(e->codes, codes) << "type " << c.type;
        }
        while (e && e->next && e->next->owner) e = e->next;  // past any members
        e = e ? e->next : nullptr;
    }
    EXPECT_EQ(e, nullptr);

    // Records the reader would drop: nothing is written at all.
    struct Refused {
        int16_t type;
        int count;
    } refused[] = {{33, 6}, {33, 8}, {41, CDrawingFile::MinLeaderValues - 1}};
    for (const Refused& r : refused) {
        CEntityList one;
        Add(one, 11, 1, 0, 0, 0, {10, 20, 30}, {0, 0, 20});
        auto [codes, values] = pairs(r.count);
        Add(one, r.type, 0, 0, 0, 0, codes, values);
        std::vector<uint8_t> out;
        EXPECT_EQ(CDrawingFile().WriteDrawing(out, one.first), DrawingFileRefused) << "type " << r.type;
        EXPECT_TRUE(out.empty());
    }
}

TEST(DrawingFileWrite, GroupsSurviveTwoSaves)
{
    Sample s;
    std::vector<uint8_t> first, second;
    ASSERT_EQ(SampleFile().WriteDrawing(first, s.list.first), DrawingFileOk);
    CEntityList list;
    CSnapPointList snaps;
    CDrawingFile f;
    ASSERT_EQ(f.ReadDrawing(first, list, snaps), DrawingFileOk);
    LinkGroupMembers(list);
    ASSERT_EQ(f.WriteDrawing(second, list.first), DrawingFileOk);
    EXPECT_EQ(first, second);
}

TEST(DrawingFileWrite, EmptyListWritesNothing)
{
    std::vector<uint8_t> bytes{1, 2, 3};
    EXPECT_EQ(CDrawingFile().WriteDrawing(bytes, nullptr), DrawingFileRefused);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{1, 2, 3}));
}

TEST(DrawingFileWrite, SelectedOnlyWithNothingMarkedWritesAnEmptyDirectory)
{
    Sample s;
    CDrawingFile f = SampleFile();
    f.selectedOnly = 1;
    std::vector<uint8_t> bytes;
    ASSERT_EQ(f.WriteDrawing(bytes, s.list.first), DrawingFileOk);
    ASSERT_EQ(bytes.size(), 460u);
    uint32_t count;
    std::memcpy(&count, &bytes[456], 4);
    EXPECT_EQ(count, 0u);
}

TEST(DrawingFileWrite, SelectedOnlyStoresMarkedEntitiesAndDropsUnstoredGroups)
{
    Sample s;
    s.members[2]->state = 4; // its header is not marked: stored as a free entity
    s.members[0]->state = 4;
    s.header1->state = 4;
    CDrawingFile f = SampleFile();
    f.selectedOnly = 1;
    std::vector<uint8_t> bytes;
    ASSERT_EQ(f.WriteDrawing(bytes, s.list.first), DrawingFileOk);
    CEntityList list;
    CSnapPointList snaps;
    ASSERT_EQ(CDrawingFile().ReadDrawing(bytes, list, snaps), DrawingFileOk);
    std::vector<const CEntity*> read;
    for (const CEntity* e = list.first; e; e = e->next) read.push_back(e);
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(read[0]->type, 60);
    EXPECT_EQ(read[1]->group, read[0]->group);
    EXPECT_EQ(read[2]->group, 0);
}

TEST(DrawingFileWrite, LongStringsAreCutOnCharacterBoundaries)
{
    CEntityList list;
    std::string longText;
    for (int i = 0; i < 65; ++i) longText += "\x82\xa0"; // 130 bytes
    std::string longFont(100, 'f');
    std::string longPath(CDrawingFile::MaxPathBytes, 'p');  // the longest a path field takes
    Add(list, 40, 2, 0, 0, 0, {10, 20, 30, 40, 50}, {0, 0, 5, 5, 0}, longText, longFont);
    Add(list, 41, 0, 0, 0, 0, {10, 20, 30, 40, 50, 60, 61, 70, 71}, {0, 0, 5, 5, 0, 1, 1, 2, 2}, longText, longFont);
    Add(list, 80, 0, 0, 0, 0, {10, 20, 11, 22}, {0, 0, 1, 1}, longPath);
    CDrawingFile f;
    f.layers.count = 1;
    std::vector<uint8_t> bytes;
    ASSERT_EQ(f.WriteDrawing(bytes, list.first), DrawingFileOk);

    CEntityList back;
    CSnapPointList snaps;
    ASSERT_EQ(CDrawingFile().ReadDrawing(bytes, back, snaps), DrawingFileOk);
    const CEntity* text = back.first;
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text, longText.substr(0, 126));
    EXPECT_EQ(text->font, longFont.substr(0, 95));
    EXPECT_EQ(text->subtype, 2);
    const CEntity* leader = text->next;
    ASSERT_NE(leader, nullptr);
    EXPECT_EQ(leader->text, longText.substr(0, 126));
    EXPECT_EQ(leader->font, longFont.substr(0, 95));
    const CEntity* image = leader->next;
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->text, longPath);
}

TEST(DrawingFileWrite, AnImagePathLongerThanItsFieldIsRefusedNotCut)
{
    struct Case {
        const char* what;
        std::string path;
        bool marked;       // the image is among the entities stored (selected only)
        int expected;
    } cases[] = {
        {"one byte over", std::string(CDrawingFile::MaxPathBytes + 1, 'p'), true, DrawingFileOverlongPath},
        {"double-byte characters over",
         [] {
             std::string s;
             for (int i = 0; i < 130; ++i) s += "\x89\xe6";  // 260 bytes
             return s;
         }(),
         true, DrawingFileOverlongPath},
        {"over but not stored", std::string(300, 'p'), false, DrawingFileOk},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CEntityList list;
        Add(list, 20, 0, 0, 0, 0, {10, 20, 11, 22}, {0, 0, 5, 5});
        list.last->state = EntityState::Marked;
        Add(list, 80, 0, 0, 0, 0, {10, 20, 11, 22}, {0, 0, 1, 1}, c.path);
        if (c.marked)
            list.last->state = EntityState::Marked;
        CDrawingFile f;
        f.layers.count = 1;
        f.selectedOnly = 1;
        EXPECT_EQ(f.OverlongImagePath(list.first) != nullptr, c.expected != DrawingFileOk);
        std::vector<uint8_t> bytes;
        EXPECT_EQ(f.WriteDrawing(bytes, list.first), c.expected);
        EXPECT_EQ(bytes.empty(), c.expected != DrawingFileOk);
    }
}

TEST(DrawingFileWrite, StreamAndFile)
{
    Sample s;
    const CDrawingFile f = SampleFile();
    std::ostringstream stream;
    ASSERT_EQ(f.WriteDrawing(stream, s.list.first), DrawingFileOk);
    const std::string streamed = stream.str();
    EXPECT_EQ(std::vector<uint8_t>(streamed.begin(), streamed.end()), ExpectedSampleFile());

    const ScratchFolder folder("orvik-save");
    const fs::path path = folder / "a.orv";
    { std::ofstream old(path); old << "old contents"; }
    ASSERT_EQ(f.SaveDrawing(path, s.list.first), DrawingFileOk);
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> saved{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(saved, ExpectedSampleFile());
    EXPECT_FALSE(fs::exists(folder / "a.orv.tmp"));

    // Nothing to write, or no folder to write into: the old file stays.
    EXPECT_EQ(f.SaveDrawing(path, nullptr), DrawingFileRefused);
    EXPECT_EQ(f.SaveDrawing(folder / "missing" / "b.orv", s.list.first), DrawingFileWriteError);
    EXPECT_EQ(fs::file_size(path), saved.size());
}

// A value that is infinite or not a number could not be read back as the
// drawing it was: the writer refuses the whole drawing, whatever the kind
// and wherever the value sits.
TEST(DrawingFileWrite, NonFiniteValueIsRefusedForEveryKind)
{
    struct Case {
        int16_t type;
        std::vector<int16_t> codes;
        std::vector<double> values;
        const char* text;
    };
    const std::vector<Case> kinds = {
        {10, {10, 20}, {1, 2}, ""},
        {20, {10, 20, 11, 22}, {0, 0, 5, 5}, ""},
        {21, {10, 20, 11, 22}, {0, 0, 5, 0}, ""},
        {23, {10, 20, 11, 22}, {0, 0, 5, 5}, ""},
        {24, {10, 20, 10, 20, 10, 20}, {0, 0, 5, 5, 10, 0}, ""},
        {26, {10, 20, 10, 20}, {0, 0, 5, 5}, ""},
        {30, {10, 20, 40}, {0, 0, 5}, ""},
        {31, {10, 20, 40, 50, 51}, {0, 0, 5, 0, 90}, ""},
        {32, {10, 20, 60, 61, 62}, {0, 0, 5, 3, 0}, ""},
        {33, {10, 20, 60, 61, 62, 50, 51}, {0, 0, 5, 3, 0, 0, 90}, ""},
        {40, {10, 20, 30, 40, 50}, {1, 2, 3, 3, 0}, "T"},
        {41, {10, 20, 30, 40, 50, 60, 61, 70, 71}, {1, 2, 3, 3, 0, 4, 5, 6, 7}, "T"},
        {70, {10, 20, 10, 20, 10, 20}, {0, 0, 5, 0, 5, 5}, ""},
        {71, {10, 20, 10, 20, 10, 20}, {0, 0, 5, 0, 5, 5}, ""},
        {80, {10, 20, 11, 22}, {0, 0, 5, 5}, ""},
        {90, {10, 20, 10, 20, 10, 20}, {0, 0, 5, 0, 5, 5}, ""},
    };
    const double bad[] = {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                          std::numeric_limits<double>::quiet_NaN()};
    for (const Case& c : kinds) {
        {
            CEntityList list;
            Add(list, 11, 1, 0, 0, 0, {10, 20, 30}, {0, 0, 20});
            Add(list, c.type, 0, 0, 0, 0, c.codes, c.values, c.text);
            std::vector<uint8_t> out;
            ASSERT_EQ(CDrawingFile().WriteDrawing(out, list.first), DrawingFileOk) << "type " << c.type;
        }
        for (std::size_t at = 0; at < c.values.size(); ++at) {
            CEntityList list;
            Add(list, 11, 1, 0, 0, 0, {10, 20, 30}, {0, 0, 20});
            CEntity* e = Add(list, c.type, 0, 0, 0, 0, c.codes, c.values, c.text);
            e->values[at] = bad[at % std::size(bad)];
            std::vector<uint8_t> out;
            EXPECT_EQ(CDrawingFile().WriteDrawing(out, list.first), DrawingFileNotFinite)
                << "type " << c.type << " value " << at;
            EXPECT_TRUE(out.empty());
        }
    }
    // The drawing's extents and scale are stored values too.
    CEntityList list;
    Add(list, 11, 1, 0, 0, 0, {10, 20, 30}, {0, 0, 20});
    CDrawingFile extents;
    extents.extents.ExtentsMax[0] = std::numeric_limits<double>::infinity();
    std::vector<uint8_t> out;
    EXPECT_EQ(extents.WriteDrawing(out, list.first), DrawingFileNotFinite);
    CDrawingFile scale;
    scale.header.scale = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(scale.WriteDrawing(out, list.first), DrawingFileNotFinite);
}
