#pragma once
// Builds native drawing files byte by byte for the reader and writer tests,
// straight from the file layout (independent of the code under test).

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace fixture {

static_assert(std::endian::native == std::endian::little, "fixtures assume a little-endian host");

class Bytes {
public:
    std::vector<uint8_t> data;

    std::size_t size() const { return data.size(); }
    template <class T> void Put(std::size_t at, T v)
    {
        if (data.size() < at + sizeof v) data.resize(at + sizeof v, 0);
        std::memcpy(&data[at], &v, sizeof v);
    }
    void PutText(std::size_t at, std::string_view s)
    {
        if (data.size() < at + s.size()) data.resize(at + s.size(), 0);
        std::memcpy(&data[at], s.data(), s.size());
    }
    template <class T> void Append(T v) { Put(data.size(), v); }
    void AppendZeros(std::size_t n) { data.resize(data.size() + n, 0); }
    // A text/font/path field: bytes then 1..4 NULs.
    std::size_t AppendStringField(std::string_view s)
    {
        const std::size_t length = s.size() - s.size() % 4 + 4;
        const std::size_t at = data.size();
        data.resize(at + length, 0);
        if (!s.empty()) std::memcpy(&data[at], s.data(), s.size());
        return length;
    }
    // A codes field: the codes then 2 or 4 bytes of padding.
    void AppendCodes(const std::vector<int16_t>& codes)
    {
        for (int16_t c : codes) Append(c);
        AppendZeros((codes.size() % 2) ? 2 : 4);
    }
    void AppendValues(const std::vector<double>& values)
    {
        for (double v : values) Append(v);
    }
    void AppendFloatValues(const std::vector<double>& values)
    {
        for (double v : values) Append(static_cast<float>(v));
    }
};

// The 192-byte header.
struct Header {
    std::string magic = std::string("ORV\0", 4);
    std::string name, author, updater, password;
    uint8_t protection = 0, paperSource = 0;
    uint16_t version = 5, paper = 4, orientation = 0, printFit = 0, plotScale = 0;
    int16_t plotX = 0, plotY = 0;
    uint16_t plotLayer = 0;
    int16_t currentLayer = 0;
    int32_t created = 240517, modified = 240518;
    float scale = 50.0f;

    void WriteTo(Bytes& b) const
    {
        b.PutText(0, magic.substr(0, 4));
        b.PutText(4, name);
        b.PutText(65, author);
        b.PutText(106, updater);
        b.PutText(147, password);
        b.Put<uint8_t>(156, protection);
        b.Put<uint8_t>(157, paperSource);
        b.Put(158, version);
        b.Put(160, paper);
        b.Put(162, orientation);
        b.Put(164, printFit);
        b.Put(166, plotScale);
        b.Put(168, plotX);
        b.Put(170, plotY);
        b.Put(172, plotLayer);
        b.Put(174, currentLayer);
        b.Put(176, created);
        b.Put(180, modified);
        b.Put(184, scale);
        b.Put<int32_t>(188, 0);
    }
};

// One entity record of versions 3 and 5 (slots as doubles) or 1 and 2
// (slots as floats).
struct Record {
    int16_t type = 0, subtype = 0, style = 0, layer = 0;
    uint32_t colour = 0;
    int32_t group = 0;
    double slot[6] = {0, 0, 0, 0, 0, 0};
    int32_t count = 0;
    uint32_t offset = 0;

    void WriteV5(Bytes& b, std::size_t at) const
    {
        b.Put(at + 0, type);
        b.Put(at + 2, subtype);
        b.Put<int16_t>(at + 4, 0);
        b.Put(at + 6, style);
        b.Put(at + 8, layer);
        b.Put<int16_t>(at + 10, 0);
        b.Put(at + 12, colour);
        b.Put<int32_t>(at + 16, 0);
        b.Put(at + 20, group);
        for (int k = 0; k < 6; ++k) b.Put(at + 24 + 8 * k, slot[k]);
        b.Put(at + 72, count);
        b.Put(at + 76, offset);
    }
    void WriteV3(Bytes& b, std::size_t at) const
    {
        b.Put(at + 0, type);
        b.Put(at + 2, subtype);
        b.Put(at + 4, style);
        b.Put(at + 6, layer);
        b.Put(at + 8, colour);
        b.Put(at + 12, static_cast<int16_t>(group));
        b.Put<int16_t>(at + 14, 0);
        for (int k = 0; k < 6; ++k) b.Put(at + 16 + 8 * k, slot[k]);
        b.Put(at + 64, count);
        b.Put(at + 68, offset);
    }
    void WriteV1(Bytes& b, std::size_t at) const
    {
        b.Put(at + 0, type);
        b.Put(at + 2, subtype);
        b.Put(at + 4, style);
        b.Put(at + 6, layer);
        b.Put(at + 8, colour);
        b.Put<int32_t>(at + 12, 0);
        for (int k = 0; k < 6; ++k) b.Put(at + 16 + 4 * k, static_cast<float>(slot[k]));
        b.Put(at + 40, count);
        b.Put(at + 44, offset);
    }
};

struct Layer {
    std::string name;
    uint8_t state = 1;
};

// A whole version 3 or 5 file. Records' data offsets are absolute; the test
// fills the data area through `data` after Layout() told where it starts.
struct FileV5 {
    Header header;
    double extents[12] = {0, 0, 0, 594, 420, 0, 0, 0, 0, 99999999.0, 99999999.0, 99999999.0};
    uint32_t colours[8] = {0xFFFFFF, 0xD2D2D2, 0x0000FF, 0xFF0000, 0xFF00FF, 0x000000, 0xA0A0A0, 0x9A9A9A};
    std::vector<Layer> layers;
    std::vector<Record> records;
    Bytes data;  // the data area, starting at DataStart()

    std::size_t RecordSize() const { return header.version == 3 ? 72 : 80; }
    std::size_t DirectoryAt() const { return 328 + 40 * layers.size(); }
    std::size_t FirstRecordAt() const { return DirectoryAt() + 12; }
    std::size_t DataStart() const { return FirstRecordAt() + RecordSize() * records.size(); }

    std::vector<uint8_t> Build() const
    {
        Bytes b;
        header.WriteTo(b);
        for (int i = 0; i < 12; ++i) b.Put(192 + 8 * i, extents[i]);
        for (int i = 0; i < 8; ++i) b.Put(192 + 96 + 4 * i, colours[i]);
        b.Put<int32_t>(192 + 128, 1);
        b.Put<int32_t>(192 + 132, static_cast<int32_t>(layers.size()));
        for (std::size_t i = 0; i < layers.size(); ++i) {
            b.PutText(328 + 40 * i, layers[i].name);
            b.Put<uint8_t>(328 + 40 * i + 39, layers[i].state);
        }
        b.Put<uint32_t>(DirectoryAt(), 0x00010001);
        b.Put<uint32_t>(DirectoryAt() + 4, static_cast<uint32_t>(FirstRecordAt()));
        b.Put<uint32_t>(DirectoryAt() + 8, static_cast<uint32_t>(records.size()));
        for (std::size_t i = 0; i < records.size(); ++i) {
            if (header.version == 3) records[i].WriteV3(b, FirstRecordAt() + 72 * i);
            else records[i].WriteV5(b, FirstRecordAt() + 80 * i);
        }
        b.data.resize(DataStart(), 0);
        b.data.insert(b.data.end(), data.data.begin(), data.data.end());
        return b.data;
    }
};

// A whole version 1 or 2 file: 320-byte block, no layer records.
struct FileV1 {
    Header header;
    float extents[12] = {0, 0, 0, 594, 420, 0, 0, 0, 0, 1000, 1000, 0};
    uint8_t settings[112] = {};
    uint8_t states[20] = {};
    std::vector<Record> records;
    Bytes data;

    static constexpr std::size_t DirectoryAt() { return 512; }
    static constexpr std::size_t FirstRecordAt() { return 524; }
    std::size_t DataStart() const { return FirstRecordAt() + 48 * records.size(); }

    std::vector<uint8_t> Build() const
    {
        Bytes b;
        header.WriteTo(b);
        for (int i = 0; i < 12; ++i) b.Put(192 + 4 * i, extents[i]);
        for (int i = 0; i < 112; ++i) b.Put<uint8_t>(192 + 48 + i, settings[i]);
        for (int i = 0; i < 20; ++i) b.Put<uint8_t>(192 + 164 + i, states[i]);
        b.data.resize(512, 0);
        b.Put<uint32_t>(512, 0x00010001);
        b.Put<uint32_t>(516, static_cast<uint32_t>(FirstRecordAt()));
        b.Put<uint32_t>(520, static_cast<uint32_t>(records.size()));
        for (std::size_t i = 0; i < records.size(); ++i) records[i].WriteV1(b, FirstRecordAt() + 48 * i);
        b.data.resize(DataStart(), 0);
        b.data.insert(b.data.end(), data.data.begin(), data.data.end());
        return b.data;
    }
};

} // namespace fixture
