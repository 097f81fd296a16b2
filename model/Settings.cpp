#include "model/Settings.h"

#include "model/Cp932Text.h"
#include "model/ParameterBlock.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <type_traits>

std::string DefaultLayerName(int i)
{
    char name[24];
    std::snprintf(name, sizeof name, "Layer%02d", i + 1);
    return name;
}

SettingsLayerNames DefaultLayerNames()
{
    SettingsLayerNames names;
    for (int i = 0; i < MaxLayers; ++i) names[i] = DefaultLayerName(i);
    return names;
}

SettingsLayerStates DefaultLayerStates()
{
    SettingsLayerStates states;
    states.fill(1);
    return states;
}

#define ORVIK_DEFINE_SETTING(type, name, transfer, ...) type name{__VA_ARGS__};
ORVIK_ALL_SETTINGS(ORVIK_DEFINE_SETTING)
#undef ORVIK_DEFINE_SETTING

SettingsSnapshot SettingsSnapshot::Capture()
{
    SettingsSnapshot s;
#define ORVIK_CAPTURE_SETTING(type, name, transfer, ...) s.name = ::name;
    ORVIK_ALL_SETTINGS(ORVIK_CAPTURE_SETTING)
#undef ORVIK_CAPTURE_SETTING
    return s;
}

void SettingsSnapshot::Restore() const
{
#define ORVIK_RESTORE_SETTING(type, name, transfer, ...) ::name = name;
    ORVIK_ALL_SETTINGS(ORVIK_RESTORE_SETTING)
#undef ORVIK_RESTORE_SETTING
}

void RestoreFactorySettings()
{
#define ORVIK_FACTORY_SETTING(type, name, transfer, ...) name = type{__VA_ARGS__};
    ORVIK_ALL_SETTINGS(ORVIK_FACTORY_SETTING)
#undef ORVIK_FACTORY_SETTING
}

namespace {

// The text of a fixed field: up to its terminator, at most maxBytes bytes,
// never ending inside a double-byte character.
template <std::size_t N> std::string FieldText(const std::array<char, N>& field, std::size_t maxBytes)
{
    std::string_view bytes(field.data(), N);
    bytes = bytes.substr(0, bytes.find('\0'));
    return std::string(Cp932Fit(bytes, maxBytes));
}

// Writes text and its terminator into a fixed field; the bytes after the
// terminator are left as they were.
template <std::size_t N> void StoreFieldText(std::array<char, N>& field, std::string_view text, std::size_t maxBytes)
{
    std::string_view fitted = Cp932Fit(text.substr(0, text.find('\0')), std::min(maxBytes, N - 1));
    std::memcpy(field.data(), fitted.data(), fitted.size());
    field[fitted.size()] = '\0';
}

// How a setting travels between the record and the run; see SettingsList.h.
struct In {
    template <class T, class F> static void Read(T& setting, const F& field)
    {
        if constexpr (std::is_arithmetic_v<T>)
            setting = static_cast<T>(field);  // a wider stored integer gives its low bits
        else
            setting = field;
    }
    template <class T, class F> static void Write(const T&, F&) {}
};

struct Both : In {
    template <class T, class F> static void Write(const T& setting, F& field) { field = setting; }
};

template <std::size_t MaxBytes> struct InText {
    template <std::size_t N> static void Read(std::string& setting, const std::array<char, N>& field)
    {
        setting = FieldText(field, MaxBytes);
    }
    template <std::size_t K, std::size_t N>
    static void Read(std::array<std::string, K>& setting, const std::array<std::array<char, N>, K>& field)
    {
        for (std::size_t i = 0; i < K; ++i) Read(setting[i], field[i]);
    }
    template <class T, class F> static void Write(const T&, F&) {}
};

template <std::size_t MaxBytes> struct Text : InText<MaxBytes> {
    template <std::size_t N> static void Write(const std::string& setting, std::array<char, N>& field)
    {
        StoreFieldText(field, setting, MaxBytes);
    }
};

struct Tolerance {
    static void Read(int16_t& setting, int16_t field) { setting = ExchangeToleranceType(field); }
    static void Write(int16_t setting, int16_t& field) { field = ExchangeToleranceType(setting); }
};

template <int16_t Default> struct InPosition : Both {
    static void Read(int16_t& setting, int16_t field) { setting = field <= 0 ? Default : field; }
};

} // namespace

void ApplyParametersToSettings(const CParameterBlock& b)
{
#define ORVIK_READ_SETTING(type, name, transfer, ...) transfer::Read(name, b.name);
    ORVIK_STORED_SETTINGS(ORVIK_READ_SETTING)
#undef ORVIK_READ_SETTING
    for (std::size_t i = 0; i < DimPrefixes.size(); ++i)
        DimPrefixLengths[i] = static_cast<int16_t>(DimPrefixes[i].size());
}

void StoreSettingsInParameters(CParameterBlock& b)
{
#define ORVIK_WRITE_SETTING(type, name, transfer, ...) transfer::Write(name, b.name);
    ORVIK_STORED_SETTINGS(ORVIK_WRITE_SETTING)
#undef ORVIK_WRITE_SETTING
    b.Reserved226 = 0;
    b.Reserved228 = 0;
}

void ApplySettingsCommandResult(const CParameterBlock& b)
{
    In::Read(UnitsMode, b.UnitsMode);
    In::Read(DimArrowScaleMode, b.DimArrowScaleMode);
    In::Read(DimDotSize, b.DimDotSize);
    In::Read(DimArrowSize, b.DimArrowSize);
    InText<MaxDimPrefixBytes>::Read(DimPrefixes, b.DimPrefixes);
    for (std::size_t i = 0; i < DimPrefixes.size(); ++i)
        DimPrefixLengths[i] = static_cast<int16_t>(DimPrefixes[i].size());
    In::Read(PenColors, b.PenColors);
    In::Read(PenWidths, b.PenWidths);
    In::Read(ThickLineWidths, b.ThickLineWidths);
    InText<MaxFontNameBytes>::Read(DimFontName, b.DimFontName);
    InText<MaxPartsFolderBytes>::Read(PartsFolder, b.PartsFolder);
}

int ScaleDenominatorFor(double scale)
{
    return std::isfinite(scale) && scale >= 1.0 && scale < 2e9 ? static_cast<int>(scale) : 1;
}
