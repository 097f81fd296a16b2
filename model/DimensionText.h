#pragma once
// The texts of a dimension: the packed head of the record (tolerance kind and
// prefix), the value text and the raised and lowered tolerance texts. Texts
// are code page 932 bytes.

#include <cstdint>
#include <string>
#include <string_view>

// Longest prefix the head holds; a prefix of that length has no NUL.
inline constexpr std::size_t DimensionPrefixMaxBytes = 4;

// The eight bytes of value 0 of a dimension record: bytes 0-1 the tolerance
// kind, bytes 2-3 the prefix length, bytes 4-7 the prefix (NUL-padded).
struct DimensionLabelHead {
    int16_t toleranceType = 0;
    uint16_t prefixLength = 0;
    char prefix[4] = {0, 0, 0, 0};

    // The prefix text: prefixLength bytes, ending early at a NUL; empty when
    // the length is 0. Only meaningful for a valid head.
    std::string Prefix() const;
    // A head the member builder accepts: a prefix length of at most 4.
    bool Valid() const { return prefixLength <= DimensionPrefixMaxBytes; }
};

DimensionLabelHead UnpackDimensionLabelHead(double packed);
// Packs a head; a prefix longer than 4 bytes is cut on a character boundary.
double PackDimensionLabelHead(int toleranceType, std::string_view prefix);

// Number text of a tolerance: `format` (one of "%f" with a sign or "±" before
// it) applied, then trailing '0's and then one trailing '.' removed; the first
// character always stays.
std::string TrimmedToleranceNumber(std::string_view sign, double value);

// The value text of a dimension: value with `decimals` decimals, "°" after it
// for angles, the prefix before it, and for tolerance kind 1 the "±" part
// (only when the first tolerance exceeds 1e-8).
std::string DimensionValueText(double value, int decimals, bool angle, const DimensionLabelHead& head,
                               double tolerance1);

// The raised (upper) and lowered texts of tolerance kinds 2 to 7; both empty
// (and absent) for the other kinds.
struct ToleranceTexts {
    bool hasUpper = false;
    bool hasLower = false;
    std::string upper;
    std::string lower;
};
ToleranceTexts DimensionToleranceTexts(int toleranceType, double tolerance1, double tolerance2);

// Width a linear dimension keeps free for the tolerance part: h / 8 per byte
// of the widest tolerance text (0 for kinds below 2).
double ToleranceWidth(int toleranceType, double tolerance1, double tolerance2, double height);
