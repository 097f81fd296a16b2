#include "model/DimensionRecord.h"

#include "model/DimensionText.h"
#include "model/GeometryLines.h"
#include "model/Settings.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

std::string FormatDimValue(double value, int decimals)
{
    const char* format = "%.0f";
    switch (decimals) {
    case 1: format = "%.1f"; break;
    case 2: format = "%.2f"; break;
    case 3: format = "%.3f"; break;
    case 4: format = "%.4f"; break;
    default: break;
    }
    char text[31] = {};
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string FormatDimValue(double value)
{
    return FormatDimValue(value, DimDecimals);
}

DimensionStyle DimensionStyle::Current(int scaleDenominator)
{
    DimensionStyle s;
    s.toleranceType = DimToleranceType;
    s.tolerance1 = ToleranceValue1;
    s.tolerance2 = ToleranceValue2;
    s.prefixes = DimPrefixes;
    s.prefixLengths = DimPrefixLengths;
    s.textSize = DimTextSize;
    s.decimals = DimDecimals;
    s.arrowheadKind = ArrowheadKind;
    s.dotSize = DimDotSize;
    s.arrowSize = DimArrowSize;
    s.upperExtension = DimUpperExtension;
    s.lowerExtension = DimLowerExtension;
    s.unitsMode = UnitsMode;
    s.scaleDenominator = scaleDenominator;
    return s;
}

double DimensionStyle::Scaled(double size) const
{
    return unitsMode == 1 ? size * std::max(scaleDenominator, 1) : size;
}

DimensionCommonValues FillDimensionCommonValues(int k, const DimensionStyle& style)
{
    if (k < 0 || k > 7)
        k = 0;
    const int t = style.toleranceType >= 0 && style.toleranceType <= 7 ? style.toleranceType : 0;
    const std::string& stored = style.prefixes[static_cast<std::size_t>(k)];
    const auto length =
        static_cast<std::size_t>(std::clamp<int>(style.prefixLengths[static_cast<std::size_t>(k)], 0,
                                                 static_cast<int>(stored.size())));
    DimensionCommonValues v;
    v.head = PackDimensionLabelHead(t, std::string_view(stored).substr(0, length));
    if (t > 0) {
        v.tolerance1 = style.tolerance1[static_cast<std::size_t>(t - 1)];
        v.tolerance2 = style.tolerance2[static_cast<std::size_t>(t - 1)];
    }
    v.textHeight = style.Scaled(style.textSize);
    v.styleDigits = 1100 + 10 * std::clamp(style.decimals, 0, 4);
    v.terminatorDigits = std::clamp(style.arrowheadKind, 0, 3) * 11100 + std::clamp(style.dotSize, 0, 4) * 10 +
                         std::clamp(style.arrowSize, 0, 4);
    return v;
}

std::vector<int16_t> DimensionValueCodes(int kind, int n)
{
    switch (kind) {
    case DimensionKind::Distance:
    case DimensionKind::Diameter:
        return {30, 31, 32, 10, 11, 12, 13, 14, 15, 16, 18, 19, 21, 22, 40, 41, 50, 51};
    case DimensionKind::HorizontalChain:
    case DimensionKind::VerticalChain: {
        std::vector<int16_t> codes{30, 31, 32, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22};
        for (int i = 0; i < std::max(n, 0); ++i) {
            codes.push_back(static_cast<int16_t>(40 + 10 * i));
            codes.push_back(static_cast<int16_t>(41 + 10 * i));
        }
        return codes;
    }
    case DimensionKind::Perimeter:
        return {30, 31, 32, 10, 11, 12, 13, 14, 40, 41, 50, 51, 60, 61, 42, 43};
    case DimensionKind::Radius:
        return {30, 31, 32, 10, 11, 12, 13, 14, 15, 16, 18, 19, 42, 43, 40, 41, 50, 51};
    case DimensionKind::LineAngle:
    case DimensionKind::ArcAngle:
        return {30, 31, 32, 10, 11, 12, 13, 14, 15, 16, 18, 19, 23, 24, 25, 26, 27, 42, 43};
    case DimensionKind::Area:
        return {30, 31, 32, 10, 11, 12, 13, 40, 41};
    default:
        return {};
    }
}

DimensionRecord::DimensionRecord(int kind_, int n) : kind(kind_), codes(DimensionValueCodes(kind_, n))
{
    values.assign(codes.size(), 0.0);
}

bool DimensionRecord::Set(int code, double value)
{
    const auto it = std::find(codes.begin(), codes.end(), code);
    if (it == codes.end())
        return false;
    values[static_cast<std::size_t>(it - codes.begin())] = value;
    return true;
}

double DimensionRecord::Get(int code) const
{
    const auto it = std::find(codes.begin(), codes.end(), code);
    return it == codes.end() ? 0.0 : values[static_cast<std::size_t>(it - codes.begin())];
}

void DimensionRecord::SetCommon(const DimensionCommonValues& common)
{
    Set(30, common.head);
    Set(31, common.tolerance1);
    Set(32, common.tolerance2);
    Set(11, common.textHeight);
    Set(13, common.styleDigits);
    Set(14, common.terminatorDigits);
}

DimensionTurn DistanceOrientation(int d1, int d2, double angleDegrees)
{
    if ((d1 == 1 && d2 == 2) || (d1 == 2 && d2 == 1) || (d1 == 2 && d2 == 3) ||
        (d1 == 1 && d2 == 3 && angleDegrees > 134.0))
        return DimensionTurn::Exchange;
    if (d1 <= 0 || d2 <= 0 || (d1 == 2 && d2 == 4) || (d1 == 4 && d2 == 1) || (d1 == 4 && d2 == 2))
        return DimensionTurn::TextOnly;
    return DimensionTurn::None;
}

DimensionTurn DiameterOrientation(int d1, int d2)
{
    if (d1 == 2 && d2 == 3)
        return DimensionTurn::Exchange;
    if (d1 <= 0 || d2 <= 0 || (d1 == 2 && d2 == 4) || (d1 == 4 && d2 == 1) || (d1 == 4 && d2 == 2))
        return DimensionTurn::TextOnly;
    return DimensionTurn::None;
}

int PickedExtreme(const double* x, const double* y, int n, int axis, int which)
{
    if (n <= 0)
        return -1;
    const double* key = axis == 0 ? x : y;
    int best = 0;
    for (int i = 1; i < n; ++i)
        if (which == 0 ? key[i] < key[best] : key[i] > key[best])
            best = i;
    return best;
}

void SortChainPoints(double* x, double* y, int n, int axis)
{
    double* key = axis == 0 ? x : y;
    double* other = axis == 0 ? y : x;
    for (int i = 1; i < n; ++i) {
        const double k = key[i], o = other[i];
        int j = i - 1;
        for (; j >= 0 && key[j] > k; --j) {
            key[j + 1] = key[j];
            other[j + 1] = other[j];
        }
        key[j + 1] = k;
        other[j + 1] = o;
    }
}

DimensionLine ProjectDimensionLine(double ax, double ay, double bx, double by, double cx, double cy)
{
    DimensionLine out;
    const LineResult line = LineFromPoints(ax, ay, bx, by);
    if (line.status != 0) {
        out.status = 1;
        return out;
    }
    if (std::fabs(line.a * line.a + line.b * line.b) < 1e-4) {
        out.status = 2;
        return out;
    }
    const PointResult foot = PerpendicularFoot(cx, cy, line.a, line.b, line.c);
    if (foot.status != 0) {
        out.status = 2;
        return out;
    }
    if (foot.x == cx && foot.y == cy) {
        out.status = 3;
        return out;
    }
    const double c2 = -(line.a * cx + line.b * cy);
    const PointResult f1 = PerpendicularFoot(ax, ay, line.a, line.b, c2);
    const PointResult f2 = PerpendicularFoot(bx, by, line.a, line.b, c2);
    out.x1 = f1.x;
    out.y1 = f1.y;
    out.x2 = f2.x;
    out.y2 = f2.y;
    return out;
}

bool DirectionOnArc(double theta, double start, double end, int direction)
{
    auto wrap = [](double a) {
        a = std::fmod(a, 360.0);
        return a < 0.0 ? a + 360.0 : a;
    };
    constexpr double Slack = 1e-9;
    const double span = direction >= 0 ? wrap(end - start) : wrap(start - end);
    const double along = direction >= 0 ? wrap(theta - start) : wrap(start - theta);
    return along <= span + Slack || along >= 360.0 - Slack;
}

bool EllipseSectorAcross(double a)
{
    return (a > 45.0 && a < 135.0) || (a > 225.0 && a < 315.0);
}
