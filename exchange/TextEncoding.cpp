// Converting the texts of foreign drawings to code page 932.

#include "exchange/TextEncoding.h"

#include <algorithm>
#include <cstdint>

namespace {

Utf16ToCp932Converter utf16Converter = nullptr;
CodePageToUtf16Converter codePageConverter = nullptr;

std::string PlainUtf16ToCp932(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

// Windows-1252 differs from Latin-1 only in 0x80..0x9F.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
};

void AppendCodePoint(std::u16string& out, uint32_t cp)
{
    if (cp >= 0x10000 && cp <= 0x10FFFF) {
        cp -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (cp >> 10));
        out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else if (cp < 0x10000 && (cp < 0xD800 || cp > 0xDFFF)) {
        out += static_cast<char16_t>(cp);
    } else {
        out += u'\uFFFD';
    }
}

std::u16string CodePageToUtf16(std::string_view bytes, int codePage)
{
    std::u16string out;
    if (codePageConverter && codePageConverter(bytes, codePage, out)) return out;
    out.clear();
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) out += static_cast<char16_t>(c);
        else if (codePage == 1252 && c < 0xA0) out += Cp1252High[c - 0x80];
        else if (codePage == 1252) out += static_cast<char16_t>(c);
        else out += u'\uFFFD';
    }
    return out;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The character of a "\U+XXXX" escape at bytes[i], or -1.
long EscapeAt(std::string_view bytes, std::size_t i)
{
    if (i + 7 > bytes.size() || bytes[i] != '\\' || (bytes[i + 1] != 'U' && bytes[i + 1] != 'u') ||
        bytes[i + 2] != '+')
        return -1;
    long v = 0;
    for (std::size_t k = i + 3; k < i + 7; ++k) {
        const int d = HexDigit(bytes[k]);
        if (d < 0) return -1;
        v = v * 16 + d;
    }
    return v;
}

// Converts UTF-16 and counts the characters that came out as '?' although
// they were something else.
std::string Convert(std::u16string_view text, int& unconvertible)
{
    const std::string out = Utf16ToCp932(text);
    const auto before = std::count(text.begin(), text.end(), u'?');
    const auto after = std::count(out.begin(), out.end(), '?');
    if (after > before) unconvertible += static_cast<int>(after - before);
    return out;
}

} // namespace

void SetUtf16ToCp932Converter(Utf16ToCp932Converter converter)
{
    utf16Converter = converter;
}

std::string Utf16ToCp932(std::u16string_view text)
{
    return utf16Converter ? utf16Converter(text) : PlainUtf16ToCp932(text);
}

void SetCodePageToUtf16Converter(CodePageToUtf16Converter converter)
{
    codePageConverter = converter;
}

std::u16string Utf8ToUtf16(std::string_view utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        int n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        uint32_t cp = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
        bool ok = n > 0 && i + static_cast<std::size_t>(n) <= utf8.size();
        for (int k = 1; ok && k < n; ++k) {
            const auto t = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
            if ((t & 0xC0) != 0x80) ok = false;
            cp = (cp << 6) | (t & 0x3F);
        }
        // Overlong forms are refused like any other broken sequence.
        if (ok && ((n == 2 && cp < 0x80) || (n == 3 && cp < 0x800) || (n == 4 && cp < 0x10000))) ok = false;
        if (!ok) {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        AppendCodePoint(out, cp);
        i += static_cast<std::size_t>(n);
    }
    return out;
}

std::string ForeignTextToCp932(std::string_view bytes, const TextEncoding& encoding, int& unconvertible)
{
    std::string out;
    std::size_t runStart = 0;
    // A run of plain text up to `end`, converted by the file's encoding.
    auto flush = [&](std::size_t end) {
        const std::string_view run = bytes.substr(runStart, end - runStart);
        if (run.empty()) return;
        switch (encoding.kind) {
        case TextEncoding::Cp932:
            out += run;
            break;
        case TextEncoding::Utf8:
            out += Convert(Utf8ToUtf16(run), unconvertible);
            break;
        case TextEncoding::CodePage:
            out += Convert(CodePageToUtf16(run, encoding.codePage), unconvertible);
            break;
        }
    };
    std::size_t i = 0;
    while (i < bytes.size()) {
        const long escaped = bytes[i] == '\\' ? EscapeAt(bytes, i) : -1;
        if (escaped < 0) {
            // A double-byte character of code page 932 may hold a backslash
            // as its second byte: step over both.
            const bool lead = encoding.kind == TextEncoding::Cp932 &&
                              ((static_cast<unsigned char>(bytes[i]) >= 0x81 && static_cast<unsigned char>(bytes[i]) <= 0x9F) ||
                               (static_cast<unsigned char>(bytes[i]) >= 0xE0 && static_cast<unsigned char>(bytes[i]) <= 0xFC));
            i += lead && i + 1 < bytes.size() ? 2 : 1;
            continue;
        }
        flush(i);
        std::u16string one;
        AppendCodePoint(one, static_cast<uint32_t>(escaped));
        out += Convert(one, unconvertible);
        i += 7;
        runStart = i;
    }
    flush(bytes.size());
    return out;
}
