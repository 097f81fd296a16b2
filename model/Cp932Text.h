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

// Model texts are code page 932, file names on disk are in the system's own
// encoding. The platform layer installs the conversion at start-up; until
// then the bytes are taken as they are.
#include <filesystem>
using NativePathDecoder = std::filesystem::path (*)(std::string_view cp932);
void SetNativePathDecoder(NativePathDecoder decoder);
std::filesystem::path NativePathFromCp932(std::string_view cp932);
