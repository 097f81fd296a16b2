#pragma once
// Code page 932 (Shift-JIS as the Japanese Windows code page) <-> Unicode.
//
// Text in the model and in files is std::string holding cp932 bytes; it is
// converted where it meets a widget, a font or a file name on disk.
//
// Decoding never fails: each byte that does not start a valid cp932
// character (a stray trail byte, an unassigned lead/trail pair, a lead byte
// at the very end) becomes U+FFFD and decoding carries on with the next byte.
// Encoding never fails either: the characters other Japanese code tables use
// where cp932 has a look-alike (wave dash U+301C, minus U+2212, yen sign ...)
// take the look-alike's code; any other character cp932 cannot hold becomes
// '?'.
// Every valid cp932 string decodes to text that encodes back to cp932 that
// decodes to the same text; where cp932 has two codes for one character
// (the NEC and IBM extension duplicates) encoding picks the usual one.

#include <QString>

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

QString FromCp932(std::string_view cp932);
std::string ToCp932(const QString& text);

std::string Cp932ToUtf8(std::string_view cp932);
std::string Utf8ToCp932(std::string_view utf8);
// Bytes of Windows code page `codePage` to UTF-16; false when the system
// does not know the code page. A refused byte becomes U+FFFD.
bool CodePageToUtf16(std::string_view bytes, int codePage, std::u16string& out);

// True for the bytes that start a double-byte character (0x81-0x9F, 0xE0-0xFC).
constexpr bool IsCp932LeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Length of the longest prefix of s that has at most maxBytes bytes and does
// not end inside a double-byte character.
std::size_t Cp932PrefixLength(std::string_view s, std::size_t maxBytes);
// s cut to at most maxBytes bytes on a character boundary.
std::string Cp932Truncate(std::string_view s, std::size_t maxBytes);
// Number of characters, a lead byte and its trail byte counting as one.
std::size_t Cp932CharCount(std::string_view s);

} // namespace platform

// The conversions are used everywhere text meets Qt; they are also reachable
// without the namespace.
using platform::FromCp932;
using platform::ToCp932;
