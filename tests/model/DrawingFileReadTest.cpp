#include "model/DrawingFile.h"
#include "model/EntityList.h"
#include "model/SnapPointList.h"

#include "DrawingFileFixtures.h"
#include "common/ScratchFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace {

using fixture::Record;

const std::string kGothic = "\x82\x6c\x82\x72\x83\x53\x83\x56\x83\x62\x83\x4e";

std::vector<const CEntity*> Entities(const CEntityList& list)
{
    std::vector<const CEntity*> out;
    for (const CEntity* e = list.first; e; e = e->next)
        if (!e->owner || e->owner->type != 50) out.push_back(e);
    return out;
}

Record MakeRecord(int16_t type, std::initializer_list<double> slots = {}, int16_t subtype = 0, int16_t style = 0)
{
    Record r;
    r.type = type;
    r.subtype = subtype;
    r.style = style;
    int k = 0;
    for (double v : slots) r.slot[k++] = v;
    return r;
}

// A small valid version 5 drawing whose data area ends the file: a line,
// a text, a curve, a leader text, an image and a freehand curve.
struct BaseFile {
    fixture::FileV5 file;
    enum { Line, Text, Curve, Leader, Image, Freehand, Count };

    BaseFile()
    {
        file.layers = {{"Layer01", 2}, {"Layer02", 1}};
        file.records.resize(Count);
        file.records[Line] = MakeRecord(20, {1, 2, 0, 3, 4}, 0, 101);
        file.records[Text] = MakeRecord(40, {10, 20, 5, 4, 0}, 4);
        file.records[Curve] = MakeRecord(24);
        file.records[Leader] = MakeRecord(41, {}, 1 * 100 + 4);
        file.records[Image] = MakeRecord(80, {0, 0, 0, 10, 10});
        file.records[Freehand] = MakeRecord(26);
        fixture::Bytes& d = file.data;
        const std::size_t start = file.DataStart();
        auto here = [&] { return static_cast<uint32_t>(start + d.size()); };

        file.records[Text].offset = here();
        file.records[Text].count = static_cast<int32_t>(d.AppendStringField("Hello"));
        d.AppendStringField("F");

        file.records[Curve].offset = here();
        file.records[Curve].count = 6;
        d.AppendCodes({10, 20, 10, 20, 10, 20});
        d.AppendValues({0, 0, 1, 1, 2, 0});

        Record& leader = file.records[Leader];
        leader.offset = here();
        leader.slot[0] = 9;
        leader.slot[1] = leader.offset;
        d.AppendCodes({10, 20, 30, 40, 50, 60, 61, 70, 71});
        d.AppendValues({1, 2, 3, 3, 0, 4, 5, 6, 7});
        leader.slot[4] = here();
        leader.slot[3] = static_cast<double>(d.AppendStringField("Hi"));
        d.AppendStringField("F");
        leader.count = 9 + 4;

        file.records[Image].offset = here();
        file.records[Image].count = static_cast<int32_t>(d.AppendStringField("/a.png"));

        file.records[Freehand].offset = here();
        file.records[Freehand].count = 4;
        d.AppendValues({0, 0, 1e11, 5}); // a freehand curve is not range-checked
    }

    std::size_t RecordAt(int index) const { return file.FirstRecordAt() + 80 * static_cast<std::size_t>(index); }
};

struct ReadResult {
    int rc = -1;
    CEntityList list;
    CSnapPointList snaps;
    CDrawingFile file;
};

void Read(const std::vector<uint8_t>& bytes, ReadResult& r)
{
    r.rc = r.file.ReadDrawing(bytes, r.list, r.snaps);
}

template <class T> void Poke(std::vector<uint8_t>& bytes, std::size_t at, T v)
{
    ASSERT_LE(at + sizeof v, bytes.size());
    std::memcpy(&bytes[at], &v, sizeof v);
}

} // namespace

TEST(DrawingFileRead, BaseFileReads)
{
    BaseFile base;
    ReadResult r;
    Read(base.file.Build(), r);
    ASSERT_EQ(r.rc, DrawingFileOk);
    auto e = Entities(r.list);
    ASSERT_EQ(e.size(), 6u);
    EXPECT_EQ(e[0]->values, (std::vector<double>{1, 2, 3, 4}));
    EXPECT_EQ(e[0]->style, 101);
    EXPECT_EQ(e[1]->text, "Hello");
    EXPECT_EQ(e[1]->font, "F");
    EXPECT_EQ(e[1]->subtype, 0);
    EXPECT_EQ(e[2]->values.size(), 6u);
    EXPECT_EQ(e[3]->text, "Hi");
    EXPECT_EQ(e[3]->subtype, 1);
    EXPECT_EQ(e[3]->codes.size(), 9u);
    EXPECT_EQ(e[4]->text, "/a.png");
    EXPECT_EQ(e[5]->values[2], 1e11);
    EXPECT_EQ(r.file.layers.count, 2);
    EXPECT_EQ(r.file.layers.names[1], "Layer02");
    EXPECT_EQ(r.file.formatVersion, 5);
}

TEST(DrawingFileRead, EveryTruncationFailsCleanly)
{
    const std::vector<uint8_t> whole = BaseFile().file.Build();
    for (std::size_t size = 0; size < whole.size(); ++size) {
        ReadResult r;
        Read(std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size)), r);
        ASSERT_NE(r.rc, DrawingFileOk) << "cut at " << size;
        ASSERT_EQ(r.list.first, nullptr) << "cut at " << size;
        ASSERT_EQ(r.file.formatVersion, 0) << "cut at " << size;
        ASSERT_EQ(r.rc, size < 192 ? DrawingFileRefused : DrawingFileDamaged) << "cut at " << size;
    }
}

TEST(DrawingFileRead, CorruptFilesFailCleanly)
{
    using Bytes = std::vector<uint8_t>;
    BaseFile base;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::size_t text = base.RecordAt(BaseFile::Text);
    const std::size_t curve = base.RecordAt(BaseFile::Curve);
    const std::size_t leader = base.RecordAt(BaseFile::Leader);
    const std::size_t image = base.RecordAt(BaseFile::Image);
    const std::size_t freehand = base.RecordAt(BaseFile::Freehand);
    const std::size_t directory = base.file.DirectoryAt();
    struct Case {
        const char* what;
        std::function<void(Bytes&)> damage;
        int result;
    };
    const std::vector<Case> cases = {
        {"other magic", [](Bytes& b) { b[0] = 'X'; }, DrawingFileRefused},
        {"other magic 2", [](Bytes& b) { b[1] = 'X'; }, DrawingFileRefused},
        {"version 0", [](Bytes& b) { Poke<uint16_t>(b, 158, 0); }, DrawingFileRefused},
        {"version 4", [](Bytes& b) { Poke<uint16_t>(b, 158, 4); }, DrawingFileRefused},
        {"version 6", [](Bytes& b) { Poke<uint16_t>(b, 158, 6); }, DrawingFileRefused},
        {"version 0x0104", [](Bytes& b) { Poke<uint16_t>(b, 158, 0x0104); }, DrawingFileRefused},
        {"negative layer count", [](Bytes& b) { Poke<int32_t>(b, 192 + 132, -1); }, DrawingFileDamaged},
        {"layer count past the end", [](Bytes& b) { Poke<int32_t>(b, 192 + 132, 1000000); }, DrawingFileDamaged},
        {"largest layer count", [](Bytes& b) { Poke<int32_t>(b, 192 + 132, 0x7FFFFFFF); }, DrawingFileDamaged},
        {"first record past the end", [&](Bytes& b) { Poke<uint32_t>(b, directory + 4, static_cast<uint32_t>(b.size())); }, DrawingFileDamaged},
        {"first record at 4 GB", [&](Bytes& b) { Poke<uint32_t>(b, directory + 4, 0xFFFFFFFF); }, DrawingFileDamaged},
        {"one record too many", [&](Bytes& b) { Poke<uint32_t>(b, directory + 8, 1000); }, DrawingFileDamaged},
        {"largest record count", [&](Bytes& b) { Poke<uint32_t>(b, directory + 8, 0xFFFFFFFF); }, DrawingFileDamaged},
        {"text offset past the end", [&](Bytes& b) { Poke<uint32_t>(b, text + 76, static_cast<uint32_t>(b.size() - 2)); }, DrawingFileDamaged},
        {"text length past the end", [&](Bytes& b) { Poke<int32_t>(b, text + 72, 0x7FFFFFFF); }, DrawingFileDamaged},
        {"negative text length", [&](Bytes& b) { Poke<int32_t>(b, text + 72, -8); }, DrawingFileDamaged},
        {"text past the end, no font", [&](Bytes& b) { Poke<uint32_t>(b, text + 76, static_cast<uint32_t>(b.size() - 2)); Poke<int16_t>(b, text + 2, 0); }, DrawingFileDamaged},
        {"font past the end", [&](Bytes& b) { Poke<uint32_t>(b, text + 76, static_cast<uint32_t>(b.size() - 8)); Poke<int16_t>(b, text + 2, 99); }, DrawingFileDamaged},
        {"curve data past the end", [&](Bytes& b) { Poke<uint32_t>(b, curve + 76, static_cast<uint32_t>(b.size() - 20)); }, DrawingFileDamaged},
        {"negative curve count", [&](Bytes& b) { Poke<int32_t>(b, curve + 72, -1); }, DrawingFileDamaged},
        {"leader count NaN", [&](Bytes& b) { Poke<double>(b, leader + 24, nan); }, DrawingFileDamaged},
        {"leader data offset NaN", [&](Bytes& b) { Poke<double>(b, leader + 32, nan); }, DrawingFileDamaged},
        {"leader data offset huge", [&](Bytes& b) { Poke<double>(b, leader + 32, 1e300); }, DrawingFileDamaged},
        {"leader data offset negative", [&](Bytes& b) { Poke<double>(b, leader + 32, -16); }, DrawingFileDamaged},
        {"leader data offset fractional", [&](Bytes& b) { Poke<double>(b, leader + 32, 600.5); }, DrawingFileDamaged},
        {"leader text offset past the end", [&](Bytes& b) { Poke<double>(b, leader + 56, static_cast<double>(b.size())); }, DrawingFileDamaged},
        {"leader text length past the end", [&](Bytes& b) { Poke<double>(b, leader + 48, 1e9); }, DrawingFileDamaged},
        {"image path past the end", [&](Bytes& b) { Poke<int32_t>(b, image + 72, 100000); }, DrawingFileDamaged},
        {"freehand data past the end", [&](Bytes& b) { Poke<int32_t>(b, freehand + 72, 5); }, DrawingFileDamaged},
        {"freehand offset past the end", [&](Bytes& b) { Poke<uint32_t>(b, freehand + 76, 0xFFFFFFF0); }, DrawingFileDamaged},
    };
    const Bytes good = base.file.Build();
    for (const Case& c : cases) {
        Bytes bytes = good;
        c.damage(bytes);
        ReadResult r;
        r.file.layers.count = 42;
        Read(bytes, r);
        EXPECT_EQ(r.rc, c.result) << c.what;
        EXPECT_EQ(r.list.first, nullptr) << c.what;
        EXPECT_EQ(r.file.layers.count, 42) << c.what; // the object is left as it was
    }
    // The low byte is the version.
    Bytes high = good;
    Poke<uint16_t>(high, 158, 0x0105);
    ReadResult r;
    Read(high, r);
    EXPECT_EQ(r.rc, DrawingFileOk);
}

TEST(DrawingFileRead, RecordsBeyondTheLimitsAreSkipped)
{
    struct Case {
        const char* what;
        Record record;
        std::function<void(fixture::Bytes&, Record&, std::size_t)> data;
        bool kept;
    };
    auto leader = [](int n) {
        return [n](fixture::Bytes& d, Record& r, std::size_t start) {
            r.slot[0] = n;
            r.slot[1] = static_cast<double>(start + d.size());
            d.AppendCodes(std::vector<int16_t>(static_cast<std::size_t>(n), 10));
            d.AppendValues(std::vector<double>(static_cast<std::size_t>(n), 1.0));
            r.count = n;
        };
    };
    auto values = [](int n, double v = 1.0) {
        return [n, v](fixture::Bytes& d, Record& r, std::size_t start) {
            r.offset = static_cast<uint32_t>(start + d.size());
            r.count = n;
            d.AppendValues(std::vector<double>(static_cast<std::size_t>(n), v));
        };
    };
    auto coded = [](int n) {
        return [n](fixture::Bytes& d, Record& r, std::size_t start) {
            r.offset = static_cast<uint32_t>(start + d.size());
            r.count = n;
            d.AppendCodes(std::vector<int16_t>(static_cast<std::size_t>(n), 10));
            d.AppendValues(std::vector<double>(static_cast<std::size_t>(n), 1.0));
        };
    };
    auto none = [](fixture::Bytes&, Record&, std::size_t) {};
    const std::vector<Case> cases = {
        {"leader of 8 values", MakeRecord(41), leader(8), false},
        {"leader of 9 values", MakeRecord(41), leader(9), true},
        {"leader of 255 values", MakeRecord(41), leader(255), true},
        {"leader of 256 values", MakeRecord(41), leader(256), true},
        {"leader of 32767 values", MakeRecord(41), leader(32767), true},
        {"leader of 32768 values", MakeRecord(41), leader(32768), false},
        {"elliptic arc of 6 values", MakeRecord(33), values(6), false},
        {"elliptic arc of 7 values", MakeRecord(33), values(7), true},
        {"elliptic arc of 8 values", MakeRecord(33), values(8), false},
        {"curve of 160 values", MakeRecord(24), coded(160), true},
        {"curve of 161 values", MakeRecord(24), coded(161), true},
        {"curve of 32767 values", MakeRecord(24), coded(32767), true},
        {"curve of 32768 values", MakeRecord(24), coded(32768), false},
        {"hatch of 161 values", MakeRecord(71), coded(161), true},
        {"hatch of 32768 values", MakeRecord(71), coded(32768), false},
        {"freehand of 6000 values", MakeRecord(26), values(6000), true},
        {"freehand of 6001 values", MakeRecord(26), values(6001), true},
        {"freehand of 32768 values", MakeRecord(26), values(32768), false},
        {"polygon of 3000 values", MakeRecord(90), values(3000), true},
        {"polygon of 3001 values", MakeRecord(90), values(3001), true},
        {"polygon of 32767 values", MakeRecord(90), values(32767), true},
        {"polygon of 32768 values", MakeRecord(90), values(32768), false},
        {"line ending at x 1e11", MakeRecord(20, {0, 0, 0, 1e11, 0}), none, false},
        {"line ending at NaN", MakeRecord(20, {0, 0, 0, std::nan(""), 0}), none, false},
        {"point at -1e10", MakeRecord(10, {-1e10, 0}), none, false},
        {"point at 99999999999.9", MakeRecord(10, {99999999999.9, 0}), none, true},
        {"text at 1e11", MakeRecord(40, {0, 1e11, 5, 5, 0}), none, false},
        {"ellipse radius not checked", MakeRecord(32, {0, 0, 1e12, 1, 0}), none, true},
    };
    for (const Case& c : cases) {
        fixture::FileV5 file;
        file.layers = {{"L", 1}};
        file.records = {MakeRecord(10, {1, 1}), c.record, MakeRecord(10, {2, 2})};
        c.data(file.data, file.records[1], file.DataStart());
        ReadResult r;
        Read(file.Build(), r);
        ASSERT_EQ(r.rc, DrawingFileOk) << c.what;
        auto e = Entities(r.list);
        EXPECT_EQ(e.size(), c.kept ? 3u : 2u) << c.what;
        if (!e.empty()) {
            EXPECT_EQ(e.front()->values[0], 1.0) << c.what;
            EXPECT_EQ(e.back()->values[0], 2.0) << c.what;
        }
    }
}

TEST(DrawingFileRead, OutOfRangeFieldsAreClamped)
{
    fixture::FileV5 file;
    file.header.paper = 15;
    file.header.currentLayer = 50;
    file.header.protection = 9;
    file.header.scale = std::nanf("");
    file.layers = {{"A", 2}, {std::string(39, 'N'), 7}, {"C", 0}};
    file.records = {
        [] { Record r = MakeRecord(20, {0, 0, 0, 1, 1}, 0, 999); r.layer = 200; return r; }(),
        [] { Record r = MakeRecord(10, {0, 0}, 0, -5); r.layer = -1; return r; }(),
        MakeRecord(11, {0, 0, 20}, 1, 599),
        MakeRecord(71, {}, 0, 208),
        MakeRecord(70, {}, 0, 999),
        MakeRecord(20, {0, 0, 0, 1, 1}, 0, 512),
    };
    file.records[3].offset = static_cast<uint32_t>(file.DataStart());
    file.records[3].count = 0;
    file.data.AppendCodes({});
    ReadResult r;
    Read(file.Build(), r);
    ASSERT_EQ(r.rc, DrawingFileOk);
    EXPECT_EQ(r.file.header.paperIndex, 9);
    EXPECT_EQ(r.file.layers.current, 2);
    EXPECT_EQ(r.file.header.currentLayer, 2);
    EXPECT_EQ(r.file.header.protection, ProtectionWrite);
    EXPECT_EQ(r.file.header.scale, 1.0f);
    EXPECT_EQ(r.file.layers.names[1], std::string(39, 'N')); // no NUL: cut at its field
    EXPECT_EQ(r.file.layers.states[1], 1);
    auto e = Entities(r.list);
    ASSERT_EQ(e.size(), 6u);
    EXPECT_EQ(e[0]->layer, 0);
    EXPECT_EQ(e[0]->style, 707);
    EXPECT_EQ(e[1]->layer, 0);
    EXPECT_EQ(e[1]->style, 0);
    EXPECT_EQ(e[2]->style, 402);
    EXPECT_EQ(e[3]->style, 7);
    EXPECT_EQ(e[4]->style, 607);
    EXPECT_EQ(e[5]->style, 512 / 100 * 100 + 7);
}

TEST(DrawingFileRead, LayerCountIsBroughtIntoRange)
{
    struct Case {
        int records;
        int count;
    };
    for (Case c : {Case{0, 1}, Case{1, 1}, Case{128, 128}, Case{300, 128}}) {
        fixture::FileV5 file;
        file.header.currentLayer = -4;
        for (int i = 0; i < c.records; ++i) file.layers.push_back({std::string("L").append(std::to_string(i)), 2});
        file.records = {MakeRecord(10, {3, 3})};
        ReadResult r;
        Read(file.Build(), r);
        ASSERT_EQ(r.rc, DrawingFileOk) << c.records;
        EXPECT_EQ(r.file.layers.count, c.count) << c.records;
        EXPECT_EQ(r.file.layers.current, 0);
        ASSERT_NE(r.list.first, nullptr) << c.records; // the directory sits after every record
        EXPECT_EQ(r.list.first->values[0], 3.0);
        if (c.records >= 128) {
            EXPECT_EQ(r.file.layers.names[127], "L127");
        }
    }
}

TEST(DrawingFileRead, TextFieldsTheWriterCanWrite)
{
    fixture::FileV5 file;
    file.layers = {{"L", 1}};
    const std::string longest(127, 'x');
    const std::string font(95, 'f');
    file.records = {MakeRecord(40, {0, 0, 5, 5, 0}), MakeRecord(40, {0, 0, 5, 1.0, 0}, 7),
                    MakeRecord(40, {0, 0, 5, 5, 0}), MakeRecord(40, {0, 0, 5, 5, 0}, 250)};
    const std::size_t start = file.DataStart();
    Record& a = file.records[0];
    a.offset = static_cast<uint32_t>(start);
    a.count = static_cast<int32_t>(file.data.AppendStringField(longest)); // 128
    a.subtype = static_cast<int16_t>(2 * 100 + file.data.AppendStringField(font)); // 96
    Record& b = file.records[1]; // no data offset: no text, subtype as stored
    b.count = 8;
    Record& c = file.records[2]; // a field longer than any the writer makes: cut
    c.offset = static_cast<uint32_t>(start + file.data.size());
    c.count = 200;
    file.data.AppendZeros(0);
    for (int i = 0; i < 200; ++i) file.data.Append<uint8_t>('y');
    Record& d = file.records[3]; // empty text written like an empty text: raw subtype
    d.count = 0;
    ReadResult r;
    Read(file.Build(), r);
    ASSERT_EQ(r.rc, DrawingFileOk);
    auto e = Entities(r.list);
    ASSERT_EQ(e.size(), 4u);
    EXPECT_EQ(e[0]->text, longest);
    EXPECT_EQ(e[0]->font, font);
    EXPECT_EQ(e[0]->subtype, 2);
    EXPECT_EQ(e[1]->text, "");
    EXPECT_EQ(e[1]->subtype, 7);
    EXPECT_EQ(e[1]->font, kGothic);
    EXPECT_EQ(e[1]->values[3], 5.0); // width below 1.5 becomes the height
    EXPECT_EQ(e[2]->text, std::string(127, 'y'));
    EXPECT_EQ(e[3]->subtype, 250);
}

TEST(DrawingFileRead, Version3)
{
    fixture::FileV5 file;
    file.header.version = 3;
    file.header.currentLayer = 1;
    file.layers = {{"Base", 2}, {"Dims", 1}};
    file.records = {MakeRecord(40, {10, 20, 5, 1.0, 30}), MakeRecord(60), MakeRecord(20, {0, 0, 0, 1, 1}, 0, 102),
                    MakeRecord(33), MakeRecord(60), MakeRecord(10, {4, 4})};
    const std::size_t start = file.DataStart();
    Record& text = file.records[0];
    text.offset = static_cast<uint32_t>(start);
    text.count = static_cast<int32_t>(file.data.AppendStringField("Hello"));
    text.subtype = static_cast<int16_t>(3 * 100 + file.data.AppendStringField("Mincho"));
    file.records[2].group = 1;
    file.records[2].layer = 1;
    Record& arc = file.records[3];
    arc.offset = static_cast<uint32_t>(start + file.data.size());
    arc.count = 7;
    file.data.AppendValues({0, 0, 10, 5, 0, 0, 90});
    file.records[5].group = 2;
    ReadResult r;
    Read(file.Build(), r);
    ASSERT_EQ(r.rc, DrawingFileOk);
    EXPECT_EQ(r.file.formatVersion, 3);
    EXPECT_EQ(r.file.layers.count, 2);
    EXPECT_EQ(r.file.layers.names[1], "Dims");
    EXPECT_EQ(r.file.layers.current, 1);
    EXPECT_EQ(r.file.header.paperIndex, 4); // only versions 1 and 2 shift the paper
    auto e = Entities(r.list);
    ASSERT_EQ(e.size(), 6u);
    EXPECT_EQ(e[0]->text, "Hello");
    EXPECT_EQ(e[0]->font, "Mincho");
    EXPECT_EQ(e[0]->subtype, 3);
    EXPECT_EQ(e[0]->values, (std::vector<double>{10, 20, 5, 5, 30}));
    EXPECT_EQ(e[2]->group, e[1]->group);
    EXPECT_EQ(e[2]->style, 102);
    EXPECT_EQ(e[2]->layer, 1);
    EXPECT_EQ(e[3]->codes, (std::vector<int16_t>{10, 20, 60, 61, 62, 50, 51}));
    EXPECT_EQ(e[5]->group, e[4]->group);
    EXPECT_NE(e[4]->group, e[1]->group);
}

TEST(DrawingFileRead, Versions1And2)
{
    for (uint16_t version : {1, 2}) {
        SCOPED_TRACE(version);
        fixture::FileV1 file;
        file.header.version = version;
        file.header.paper = 3;
        file.states[0] = 2;
        file.states[1] = 0;
        file.states[19] = 1;
        const uint32_t background = 0x123456;
        std::memcpy(&file.settings[72], &background, 4);
        file.settings[0] = 0x77; // reserved bytes come along
        file.records = {
            MakeRecord(20, {1, 2, 0, 3, 4}, 0, 23),
            MakeRecord(40, {10, 20, 5, 2, 45}, 5),
            MakeRecord(50, {}, 99, 3),
            MakeRecord(32, {0, 0, 5, 3, 0}),
            MakeRecord(33, {}),
            MakeRecord(41, {}, 12),
            MakeRecord(40, {0, 0, 5, 5, 0}),
            [] { Record r = MakeRecord(10, {7, 7}); r.group = 3; return r; }(),
        };
        const std::size_t start = file.DataStart();
        fixture::Bytes& d = file.data;
        Record& text = file.records[1];
        text.offset = static_cast<uint32_t>(start);
        text.count = static_cast<int32_t>(d.AppendStringField("Old"));
        Record& dim = file.records[2];
        dim.offset = static_cast<uint32_t>(start + d.size());
        dim.count = 2;
        d.AppendCodes({10, 11});
        d.AppendFloatValues({7, 8});
        Record& leader = file.records[5];
        leader.slot[0] = 9;
        leader.slot[1] = static_cast<double>(start + d.size());
        d.AppendCodes({10, 20, 30, 40, 50, 60, 61, 70, 71});
        d.AppendFloatValues({1, 2, 3, 3, 0, 4, 5, 6, 7});
        leader.count = 9;
        Record& longText = file.records[6];
        longText.offset = static_cast<uint32_t>(start + d.size());
        longText.count = static_cast<int32_t>(d.AppendStringField(std::string(100, 'z')));

        ReadResult r;
        Read(file.Build(), r);
        ASSERT_EQ(r.rc, DrawingFileOk);
        EXPECT_EQ(r.file.formatVersion, version);
        EXPECT_EQ(r.file.header.paperIndex, 4);
        EXPECT_EQ(r.file.layers.count, 20);
        EXPECT_EQ(r.file.layers.states[0], 2);
        EXPECT_EQ(r.file.layers.states[1], 0);
        EXPECT_EQ(r.file.layers.states[19], 1);
        EXPECT_EQ(r.file.settings.DisplayColor(0), background);
        EXPECT_EQ(r.file.settings.DisplayColor(7), 0x9A9A9Au); // a zero layer-off colour
        EXPECT_EQ(r.file.settings.bytes[0], 0x77);
        EXPECT_EQ(r.file.extents.LimitsMax[0], 1000.0);
        auto e = Entities(r.list);
        ASSERT_EQ(e.size(), 6u); // both ellipse records are dropped
        EXPECT_EQ(e[0]->style, 203);
        EXPECT_EQ(e[0]->values, (std::vector<double>{1, 2, 3, 4}));
        EXPECT_EQ(e[1]->values, (std::vector<double>{10, 20, 5, 5, 45}));
        EXPECT_EQ(e[1]->subtype, 5);
        EXPECT_EQ(e[1]->text, "Old");
        EXPECT_EQ(e[1]->font, kGothic);
        EXPECT_EQ(e[2]->codes, (std::vector<int16_t>{30, 31, 32, 10, 11}));
        EXPECT_EQ(e[2]->values, (std::vector<double>{0, 0, 0, 7, 8}));
        EXPECT_EQ(e[2]->style, 3);
        EXPECT_EQ(e[3]->type, 41);
        EXPECT_EQ(e[3]->subtype, 12);
        EXPECT_EQ(e[3]->values[8], 7.0);
        EXPECT_EQ(e[3]->text, "");
        EXPECT_EQ(e[4]->text, std::string(80, 'z'));
        EXPECT_EQ(e[5]->group, 0); // no group numbers in these versions
    }
}

TEST(DrawingFileRead, PartsFile)
{
    fixture::FileV5 file;
    file.layers = {{"L", 1}};
    std::string longText(100, 't');
    file.records = {MakeRecord(11, {0, 0, 20}), MakeRecord(40, {1, 1, 5, 1.0, 0}), MakeRecord(60),
                    [] { Record r = MakeRecord(10, {2, 2}); r.group = 1; return r; }(), MakeRecord(80, {0, 0, 0, 1, 1})};
    const std::size_t start = file.DataStart();
    Record& text = file.records[1];
    text.offset = static_cast<uint32_t>(start);
    text.count = static_cast<int32_t>(file.data.AppendStringField(longText));
    text.subtype = static_cast<int16_t>(4 * 100 + file.data.AppendStringField("Mincho"));
    Record& image = file.records[4];
    image.offset = static_cast<uint32_t>(start + file.data.size());
    image.count = static_cast<int32_t>(file.data.AppendStringField(std::string(90, 'p')));

    CEntityList target;
    CDrawingFile f;
    ASSERT_EQ(f.ReadParts(file.Build(), target), DrawingFileOk);
    auto e = Entities(target);
    ASSERT_EQ(e.size(), 4u); // no grid record
    EXPECT_EQ(e[0]->type, 40);
    EXPECT_EQ(e[0]->subtype, 4);
    EXPECT_EQ(e[0]->font, kGothic);
    EXPECT_EQ(e[0]->values[3], 1.0);
    EXPECT_EQ(e[0]->text, std::string(80, 't'));
    EXPECT_EQ(e[2]->group, 0);
    EXPECT_EQ(e[3]->text, std::string(80, 'p'));

    CEntityList untouched;
    std::vector<uint8_t> bad = file.Build();
    bad.resize(bad.size() - 1);
    EXPECT_EQ(f.ReadParts(bad, untouched), DrawingFileDamaged);
    EXPECT_EQ(untouched.first, nullptr);
}

TEST(DrawingFileRead, MembersFindTheirHeaderInAFileWrittenWithHeadersOutOfOrder)
{
    // A member before its header, and a member naming a header that is not there.
    fixture::FileV5 file;
    file.layers = {{"L", 1}};
    file.records = {[] { Record r = MakeRecord(10, {1, 1}); r.group = 2; return r; }(), MakeRecord(60), MakeRecord(60),
                    [] { Record r = MakeRecord(10, {2, 2}); r.group = 3; return r; }()};
    CEntityList list;
    list.groupCounter = 10; // not a fresh list: headers get 10 and 11
    CSnapPointList snaps;
    CDrawingFile f;
    ASSERT_EQ(f.ReadDrawing(file.Build(), list, snaps), DrawingFileOk);
    auto e = Entities(list);
    ASSERT_EQ(e.size(), 4u);
    EXPECT_EQ(e[1]->group, 10);
    EXPECT_EQ(e[2]->group, 11);
    EXPECT_EQ(e[0]->group, 11);
    EXPECT_EQ(e[3]->group, 0);
    LinkGroupMembers(list);
    EXPECT_EQ(e[0]->owner, e[2]);
}

namespace {

std::vector<uint8_t> LinesFile(int n, CEntityList& source)
{
    const int16_t codes[4] = {10, 20, 11, 22};
    for (int i = 0; i < n; ++i) {
        const double v[4] = {double(i % 500), double(i / 500), double(i % 500) + 3, double(i / 500) + 2};
        source.AddEntity({EntityType::Line, 0, 1, 0, 4}, codes, 0, v);
    }
    CDrawingFile w;
    w.layers.count = 1;
    std::vector<uint8_t> bytes;
    w.WriteDrawing(bytes, source.first);
    return bytes;
}

} // namespace

TEST(DrawingFileRead, ProgressCountsTheAddingAndTheRegistering)
{
    constexpr int N = 40000;
    CEntityList source;
    const std::vector<uint8_t> bytes = LinesFile(N, source);
    struct Report {
        std::size_t done, total, listed;
    };
    std::vector<Report> reports;
    CEntityList list;
    CSnapPointList snaps;
    CDrawingFile f;
    f.progress = [&](std::size_t done, std::size_t total) { reports.push_back({done, total, list.Size()}); };
    ASSERT_EQ(f.ReadDrawing(bytes, list, snaps), DrawingFileOk);
    ASSERT_GE(reports.size(), 4u);
    for (const Report& r : reports)
        EXPECT_EQ(r.total, 2u * N);
    EXPECT_EQ(reports.front().done, 0u);
    EXPECT_EQ(reports.front().listed, 0u);
    EXPECT_EQ(reports.back().done, 2u * N);
    for (std::size_t i = 1; i < reports.size(); ++i)
        EXPECT_LT(reports[i - 1].done, reports[i].done);
    // Some steps are told while the entities are still being added, and
    // none claims more added than the list holds.
    EXPECT_TRUE(std::any_of(reports.begin(), reports.end(),
                            [](const Report& r) { return r.done > 0 && r.listed < std::size_t(N); }));
    for (const Report& r : reports)
        EXPECT_GE(r.listed, std::min<std::size_t>(r.done, N));
}

TEST(DrawingFileRead, ALargeFileImageIsReadWhole)
{
    // Over 8 MB: the image is backed by huge pages where offered.
    CEntityList source;
    const std::vector<uint8_t> bytes = LinesFile(120000, source);
    ASSERT_GT(bytes.size(), std::size_t(8) << 20);
    const ScratchFolder folder("orvik-large-image");
    const std::filesystem::path path = folder / "large.orv";
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    std::vector<uint8_t> image;
    EXPECT_EQ(ReadDrawingFileImage(path, image), DrawingFileOk);
    EXPECT_TRUE(image == bytes);
}
