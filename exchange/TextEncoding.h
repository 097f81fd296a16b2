#pragma once
// Texts of foreign drawings become code page 932, the encoding of every text
// in the model. The conversions that need the system's code tables are
// installed by the platform at start-up; until then every character above
// 0x7F that is not already code page 932 reads as '?'.

#include <string>
#include <string_view>

// UTF-16 to code page 932; a character the code page cannot hold becomes '?'.
using Utf16ToCp932Converter = std::string (*)(std::u16string_view text);
void SetUtf16ToCp932Converter(Utf16ToCp932Converter converter);
std::string Utf16ToCp932(std::u16string_view text);

// Bytes of a Windows code page (1252, 936, 949 ...) to UTF-16. Null when the
// code page is not known; then the caller keeps what it can.
using CodePageToUtf16Converter = bool (*)(std::string_view bytes, int codePage, std::u16string& out);
void SetCodePageToUtf16Converter(CodePageToUtf16Converter converter);

// UTF-8 to UTF-16; a broken sequence gives U+FFFD for its first byte.
std::u16string Utf8ToUtf16(std::string_view utf8);

// How the texts of a file are encoded.
struct TextEncoding {
    enum Kind { Cp932, Utf8, CodePage } kind = Cp932;
    int codePage = 932;  // for CodePage
};

// A text of a foreign file as code page 932. "\U+XXXX" escapes become their
// characters. `unconvertible` grows by the characters that became '?'.
std::string ForeignTextToCp932(std::string_view bytes, const TextEncoding& encoding, int& unconvertible);
