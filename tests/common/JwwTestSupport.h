#pragma once
// An encoder of JWW files written for the tests from the format's tables,
// independent of the program's writer: each field is appended as it is
// named, and the archive's class numbers are counted by the test itself.

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace jwwtest {

struct Encoder {
    std::vector<uint8_t> bytes;

    Encoder& Byte(uint8_t v)
    {
        bytes.push_back(v);
        return *this;
    }
    Encoder& Word(uint16_t v)
    {
        Byte(static_cast<uint8_t>(v & 0xFF));
        return Byte(static_cast<uint8_t>(v >> 8));
    }
    Encoder& Dword(uint32_t v)
    {
        Word(static_cast<uint16_t>(v & 0xFFFF));
        return Word(static_cast<uint16_t>(v >> 16));
    }
    Encoder& Double(double v)
    {
        uint64_t b = std::bit_cast<uint64_t>(v);
        Dword(static_cast<uint32_t>(b & 0xFFFFFFFFu));
        return Dword(static_cast<uint32_t>(b >> 32));
    }
    Encoder& Raw(std::string_view s)
    {
        bytes.insert(bytes.end(), s.begin(), s.end());
        return *this;
    }
    // Short strings only (a BYTE length).
    Encoder& Str(std::string_view s)
    {
        Byte(static_cast<uint8_t>(s.size()));
        return Raw(s);
    }
    Encoder& Zeros(std::size_t n)
    {
        bytes.insert(bytes.end(), n, 0);
        return *this;
    }

    // The header of version v: paper code, scale of layer group 0 (the
    // others 7), ten pen colours. Everything not used by a reader is zero.
    Encoder& Header(uint32_t v, uint32_t paper, double scale, const uint32_t colours[10])
    {
        Raw("JwwData.").Dword(v).Str("memo").Dword(paper).Dword(0);
        for (int g = 0; g < 16; ++g) {
            Dword(0).Dword(0).Double(g == 0 ? scale : 7.0).Dword(0);
            Zeros(16 * 8);
        }
        Zeros(21 * 4);
        Zeros(3 * 8 + 2 * 4 + 5 * 8);
        for (int i = 0; i < 272; ++i) Str(i % 50 == 0 ? "layer" : "");
        Zeros(8 + 8 + 4 + 8);
        if (v >= 300) Zeros(16);
        Zeros(4 + 48);
        if (v >= 300) Zeros(8 * 28 + 56);
        else Zeros(4 * 24);
        Zeros(11 * 8);
        for (int i = 0; i < 10; ++i) Dword(colours[i]).Dword(1);
        Zeros(10 * 16 + 8 * 16 + 5 * 20 + 4 * 16);
        Zeros(16 * 4 + 9 * 8 + 2 * 4);
        if (v >= 420) {
            Zeros(257 * 8);
            for (int i = 0; i < 257; ++i) Str(i == 3 ? "x" : "").Zeros(16);
            Zeros(33 * 16);
            for (int i = 0; i < 33; ++i) Str("").Zeros(4 + 80);
        }
        Zeros(10 * 28);
        return Zeros(3 * 8 + 8 + 16 + 4 + 48);
    }

    Encoder& Declare(std::string_view name) { return Word(0xFFFF).Word(230).Word(static_cast<uint16_t>(name.size())).Raw(name); }
    Encoder& ClassRef(uint32_t n)
    {
        if (n < 0x7FFF) return Word(static_cast<uint16_t>(0x8000 | n));
        return Word(0x7FFF).Dword(0x80000000u | n);
    }
    Encoder& Count(uint32_t n)
    {
        if (n < 0xFFFF) return Word(static_cast<uint16_t>(n));
        return Word(0xFFFF).Dword(n);
    }
    Encoder& Prefix(uint32_t version, uint8_t penStyle, uint16_t colour, uint16_t layer = 0, uint16_t group = 0)
    {
        Dword(0).Byte(penStyle).Word(colour);
        if (version >= 351) Word(1);
        return Word(layer).Word(group).Word(0);
    }
    Encoder& Line(uint32_t v, double x1, double y1, double x2, double y2, uint16_t colour = 1, uint16_t layer = 0,
                  uint16_t group = 0, uint8_t penStyle = 1)
    {
        return Prefix(v, penStyle, colour, layer, group).Double(x1).Double(y1).Double(x2).Double(y2);
    }
    Encoder& Enko(uint32_t v, double cx, double cy, double r, double start, double sweep, double tilt, double flat,
                  uint32_t full, uint16_t colour = 1)
    {
        return Prefix(v, 1, colour).Double(cx).Double(cy).Double(r).Double(start).Double(sweep).Double(tilt).Double(flat).Dword(full);
    }
    Encoder& Ten(uint32_t v, double x, double y, uint8_t penStyle = 1)
    {
        Prefix(v, penStyle, 1).Double(x).Double(y).Dword(0);
        if (penStyle == 100) Dword(5).Double(0.5).Double(2.0);
        return *this;
    }
    Encoder& Moji(uint32_t v, double x, double y, double first, double second, double angle, std::string_view font,
                  std::string_view text)
    {
        Prefix(v, 1, 1).Double(x).Double(y).Double(x + 10).Double(y).Dword(0);
        Double(first).Double(second).Double(0).Double(angle);
        return Str(font).Str(text);
    }
};

inline const uint32_t kColours[10] = {0xFFFFFF, 0x000001, 0x000002, 0x000003, 0x000004,
                                      0x000005, 0x000006, 0x000007, 0x000008, 0x000009};

} // namespace jwwtest

namespace jwwtest {

// A drawing whose ellipse and elliptic arc have radius 1e200 and flatness
// 1e200 (their minor axes overflow), between a line and a circle.
inline std::vector<uint8_t> OverflowingEllipsesFile()
{
    Encoder e;
    e.Header(230, 3, 1.0, kColours).Count(4);
    e.Declare("CDataSen").Line(230, 0, 0, 100, 100);
    e.Declare("CDataEnko").Enko(230, 0, 0, 1e200, 0, 6.283185307179586, 0, 1e200, 1);
    e.ClassRef(3).Enko(230, 0, 0, 1e200, 0, 1.0, 0, 1e200, 0);
    e.ClassRef(3).Enko(230, 10, 10, 5, 0, 6.283185307179586, 0, 1.0, 1);
    return e.bytes;
}

} // namespace jwwtest
