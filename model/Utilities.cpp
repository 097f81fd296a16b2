#include "model/Utilities.h"

#include <charconv>
#include <cmath>
#include <vector>

void RemoveDuplicatePoints(int& count, double* x, double* y)
{
    if (count <= 0) {
        count = 0;
        return;
    }
    const std::vector<double> xs(x, x + count), ys(y, y + count);
    std::vector<char> dropped(static_cast<size_t>(count), 0);
    int out = 0;
    for (int i = 0; i < count; ++i) {
        if (dropped[static_cast<size_t>(i)])
            continue;
        const double px = xs[static_cast<size_t>(i)], py = ys[static_cast<size_t>(i)];
        x[out] = px;
        y[out] = py;
        ++out;
        for (int j = i + 1; j < count; ++j)
            if (std::fabs(xs[static_cast<size_t>(j)] - px) < 0.05 && std::fabs(ys[static_cast<size_t>(j)] - py) < 0.05)
                dropped[static_cast<size_t>(j)] = 1;
    }
    count = out;
}

namespace {

bool IsLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xEA);
}

bool IsValidTrail(unsigned char lead, unsigned char trail)
{
    switch (lead) {
    case 0x82:
        return trail >= 0x4F && trail <= 0xF1;
    case 0x83:
        return (trail >= 0x40 && trail <= 0x96) || (trail >= 0x9F && trail <= 0xD6);
    case 0x84:
        return trail >= 0x40 && trail <= 0xBE;
    default:
        return trail >= 0x40 && trail <= 0xFC;
    }
}

// Walks the string up to its first NUL; returns the characters counted and
// the byte index where the walk stopped.
void MbcsWalk(std::string_view text, int& chars, int& bytes)
{
    const size_t n = text.size();
    size_t i = 0;
    chars = 0;
    while (i < n && text[i] != '\0') {
        const auto c = static_cast<unsigned char>(text[i]);
        if (IsLeadByte(c) && i + 1 < n && IsValidTrail(c, static_cast<unsigned char>(text[i + 1])))
            i += 2;
        else
            i += 1;
        ++chars;
    }
    bytes = static_cast<int>(i);
}

} // namespace

int CountMbcsChars(std::string_view text)
{
    int chars, bytes;
    MbcsWalk(text, chars, bytes);
    return chars;
}

int MbcsByteLength(std::string_view text)
{
    int chars, bytes;
    MbcsWalk(text, chars, bytes);
    return bytes;
}

std::string StripSpaces(std::string_view source)
{
    std::string out;
    out.reserve(source.size());
    for (size_t i = 0; i < source.size() && source[i] != '\0'; ++i) {
        const auto c = static_cast<unsigned char>(source[i]);
        if (c == 0x20)
            continue;
        if (c == 0x81 && i + 1 < source.size() && static_cast<unsigned char>(source[i + 1]) == 0x40) {
            ++i;
            continue;
        }
        out.push_back(source[i]);
    }
    return out;
}

int GetFileTypeFromExtension(std::string_view fileName)
{
    const size_t nul = fileName.find('\0');
    if (nul != std::string_view::npos)
        fileName = fileName.substr(0, nul);
    const size_t dot = fileName.find('.');
    if (fileName.empty() || dot == std::string_view::npos)
        return -1;
    const std::string_view ext = fileName.substr(dot + 1);
    if (ext.size() > 3)
        return -1;
    std::string upper(ext);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    static const char* const kinds[] = {"RAS", "DXF", "ORV", "JWW", "JWC"};
    for (int i = 0; i < 5; ++i)
        if (upper == kinds[i])
            return i;
    return -1;
}

std::string FormatDecimal(int decimals, double value)
{
    if (decimals < 1 || decimals > 8)
        decimals = 0;
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (r.ec != std::errc())
        return {};
    return std::string(buf, r.ptr);
}
