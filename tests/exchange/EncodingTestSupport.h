#pragma once
// Text conversions through the C library's iconv, standing in for the ones
// the platform installs at start-up.

#include "exchange/TextEncoding.h"

#include <iconv.h>

#include <string>
#include <string_view>

namespace enctest {

inline std::string IconvUtf16ToCp932(std::u16string_view text)
{
    iconv_t cd = iconv_open("CP932", "UTF-16LE");
    std::string out;
    // One character at a time, so that one the code page lacks becomes '?'.
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::size_t n = (text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size()) ? 2 : 1;
        std::string in(reinterpret_cast<const char*>(text.data() + i), n * 2);
        char buffer[16];
        char* ip = in.data();
        char* op = buffer;
        std::size_t il = in.size(), ol = sizeof buffer;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &ip, &il, &op, &ol) == static_cast<std::size_t>(-1)) out += '?';
        else out.append(buffer, sizeof buffer - ol);
        i += n - 1;
    }
    iconv_close(cd);
    return out;
}

inline bool IconvCodePageToUtf16(std::string_view bytes, int codePage, std::u16string& out)
{
    iconv_t cd = iconv_open("UTF-16LE", ("CP" + std::to_string(codePage)).c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::string in(bytes);
    std::string buffer(bytes.size() * 4 + 8, '\0');
    char* ip = in.data();
    char* op = buffer.data();
    std::size_t il = in.size(), ol = buffer.size();
    iconv(cd, &ip, &il, &op, &ol);
    iconv_close(cd);
    buffer.resize(buffer.size() - ol);
    out.assign(reinterpret_cast<const char16_t*>(buffer.data()), buffer.size() / 2);
    return true;
}

// Installs both conversions for one test and takes them away after it.
struct Converters {
    Converters()
    {
        SetUtf16ToCp932Converter(IconvUtf16ToCp932);
        SetCodePageToUtf16Converter(IconvCodePageToUtf16);
    }
    ~Converters()
    {
        SetUtf16ToCp932Converter(nullptr);
        SetCodePageToUtf16Converter(nullptr);
    }
    Converters(const Converters&) = delete;
    Converters& operator=(const Converters&) = delete;
};

} // namespace enctest
