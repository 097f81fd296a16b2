#pragma once
// Byte-level helpers for code page 932 text: where a string may be cut
// without splitting a double-byte character.

#include <cstddef>
#include <string_view>

// True for a byte that starts a double-byte character.
constexpr bool IsCp932LeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// The longest prefix of text, at most maxBytes long, that ends on a character
// boundary. A lead byte at the very end of text (a broken character) counts
// as one byte.
std::size_t Cp932FitLength(std::string_view text, std::size_t maxBytes);

// text cut to at most maxBytes bytes on a character boundary.
inline std::string_view Cp932Fit(std::string_view text, std::size_t maxBytes)
{
    return text.substr(0, Cp932FitLength(text, maxBytes));
}
