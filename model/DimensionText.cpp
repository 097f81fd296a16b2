#include "model/DimensionText.h"

#include "model/Cp932Text.h"
#include "model/Utilities.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

const char* const PlusMinus = "\x81\x7d";  // "±"
const char* const Degree = "\x81\x8b";     // "°"

} // namespace

std::string DimensionLabelHead::Prefix() const
{
    const std::size_t n = std::min<std::size_t>(prefixLength, DimensionPrefixMaxBytes);
    std::size_t len = 0;
    while (len < n && prefix[len] != '\0')
        ++len;
    return std::string(prefix, len);
}

DimensionLabelHead UnpackDimensionLabelHead(double packed)
{
    unsigned char b[8];
    std::memcpy(b, &packed, 8);
    DimensionLabelHead h;
    h.toleranceType = static_cast<int16_t>(b[0] | (b[1] << 8));
    h.prefixLength = static_cast<uint16_t>(b[2] | (b[3] << 8));
    std::memcpy(h.prefix, b + 4, 4);
    return h;
}

double PackDimensionLabelHead(int toleranceType, std::string_view prefix)
{
    const std::string_view p = Cp932Fit(prefix, DimensionPrefixMaxBytes);
    unsigned char b[8] = {};
    const auto t = static_cast<uint16_t>(toleranceType);
    b[0] = static_cast<unsigned char>(t & 0xFF);
    b[1] = static_cast<unsigned char>(t >> 8);
    b[2] = static_cast<unsigned char>(p.size());
    b[3] = 0;
    std::memcpy(b + 4, p.data(), p.size());
    double packed;
    std::memcpy(&packed, b, 8);
    return packed;
}

std::string TrimmedToleranceNumber(std::string_view sign, double value)
{
    const int n = std::snprintf(nullptr, 0, "%f", value);
    std::string number(n > 0 ? static_cast<std::size_t>(n) : 0, '\0');
    if (n > 0)
        std::snprintf(number.data(), number.size() + 1, "%f", value);
    std::string text = std::string(sign) + number;
    while (text.size() > 1 && text.back() == '0')
        text.pop_back();
    if (text.size() > 1 && text.back() == '.')
        text.pop_back();
    return text;
}

std::string DimensionValueText(double value, int decimals, bool angle, const DimensionLabelHead& head,
                               double tolerance1)
{
    std::string text = FormatDecimal(decimals, value);
    if (angle)
        text += Degree;
    if (head.prefixLength >= 1)
        text = head.Prefix() + text;
    if (head.toleranceType == 1 && tolerance1 > 1e-8)
        text += TrimmedToleranceNumber(PlusMinus, tolerance1);
    return text;
}

ToleranceTexts DimensionToleranceTexts(int toleranceType, double tolerance1, double tolerance2)
{
    ToleranceTexts t;
    auto upper = [&t](std::string s) {
        t.hasUpper = true;
        t.upper = std::move(s);
    };
    auto lower = [&t](std::string s) {
        t.hasLower = true;
        t.lower = std::move(s);
    };
    switch (toleranceType) {
    case 2:
        upper(TrimmedToleranceNumber(PlusMinus, tolerance1));
        break;
    case 3:
        upper(TrimmedToleranceNumber("+", tolerance1));
        lower(TrimmedToleranceNumber("-", tolerance2));
        break;
    case 4:
        upper(TrimmedToleranceNumber("+", tolerance1));
        lower(" 0");
        break;
    case 5:
        upper(" 0");
        lower(TrimmedToleranceNumber("-", tolerance2));
        break;
    case 6:
        upper(TrimmedToleranceNumber("-", tolerance1));
        lower(TrimmedToleranceNumber("-", tolerance2));
        break;
    case 7:
        upper(TrimmedToleranceNumber("+", tolerance1));
        lower(TrimmedToleranceNumber("+", tolerance2));
        break;
    default:
        break;
    }
    return t;
}

double ToleranceWidth(int toleranceType, double tolerance1, double tolerance2, double height)
{
    std::size_t bytes = 0;
    switch (toleranceType) {
    case 2:
        bytes = TrimmedToleranceNumber(PlusMinus, tolerance1).size();
        break;
    case 4:
        bytes = TrimmedToleranceNumber("+", tolerance1).size();
        break;
    case 5:
        bytes = TrimmedToleranceNumber("-", tolerance2).size();
        break;
    case 3:
    case 6:
    case 7:
        bytes = std::max(TrimmedToleranceNumber("-", tolerance1).size(),
                         TrimmedToleranceNumber("-", tolerance2).size());
        break;
    default:
        break;
    }
    return height * 0.125 * static_cast<double>(bytes);
}
