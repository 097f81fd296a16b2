#include "model/ParameterBlock.h"

#include "model/AtomicWrite.h"
#include "model/Cp932Text.h"
#include "model/LittleEndian.h"

#include <cmath>
#include <algorithm>
#include <cstring>
#include <fstream>
#include <string_view>
#include <system_error>
#include <type_traits>

namespace {

constexpr const char kDefaultFont[] = "\x82\x6c\x82\x72\x83\x53\x83\x56\x83\x62\x83\x4e"; // ＭＳゴシック

template <std::size_t N> void SetText(std::array<char, N>& field, std::string_view text)
{
    field.fill(0);
    std::string_view fitted = Cp932Fit(text, N - 1);
    std::memcpy(field.data(), fitted.data(), fitted.size());
}

template <class T> struct IsStdArray : std::false_type {};
template <class T, std::size_t N> struct IsStdArray<std::array<T, N>> : std::true_type {};

// Writes one field (a number or an array of them) at offset.
struct Encoder {
    uint8_t* out;
    template <class T> void operator()(std::size_t offset, const T& field) const
    {
        if constexpr (IsStdArray<T>::value) {
            std::size_t step = sizeof(typename T::value_type);
            for (std::size_t i = 0; i < field.size(); ++i) (*this)(offset + i * step, field[i]);
        } else if constexpr (std::is_same_v<T, char>) {
            out[offset] = static_cast<uint8_t>(field);
        } else {
            PutLE(out + offset, field);
        }
    }
};

struct Decoder {
    const uint8_t* in;
    template <class T> void operator()(std::size_t offset, T& field) const
    {
        if constexpr (IsStdArray<T>::value) {
            std::size_t step = sizeof(typename T::value_type);
            for (std::size_t i = 0; i < field.size(); ++i) (*this)(offset + i * step, field[i]);
        } else if constexpr (std::is_same_v<T, char>) {
            field = static_cast<char>(in[offset]);
        } else {
            field = GetLE<T>(in + offset);
        }
    }
};

// Gives every non-finite number of b the value of the same field in factory.
struct FiniteRepair {
    const CParameterBlock& factory;
    bool changed = false;

    template <class T> void Fix(T& field, const T& good)
    {
        if constexpr (IsStdArray<T>::value) {
            for (std::size_t i = 0; i < field.size(); ++i) Fix(field[i], good[i]);
        } else if constexpr (std::is_floating_point_v<T>) {
            if (!std::isfinite(field)) {
                field = good;
                changed = true;
            }
        }
    }
};

// Cuts a text field that has no terminator so that it ends with one,
// keeping at most maxBytes bytes of text on a character boundary.
template <std::size_t N> bool TerminateField(std::array<char, N>& field, std::size_t maxBytes)
{
    std::string_view bytes(field.data(), N);
    std::size_t nul = bytes.find('\0');
    if (nul != std::string_view::npos && nul <= maxBytes) return false;
    std::size_t keep = Cp932FitLength(bytes.substr(0, std::min(nul, N)), maxBytes);
    std::memset(field.data() + keep, 0, N - keep);
    return true;
}

} // namespace

CParameterBlock::CParameterBlock()
{
    // The member initialisers hold the factory numbers; the texts follow.
    SetText(TextFontName, kDefaultFont);
    SetText(DimFontName, kDefaultFont);
    SetText(DimPrefixes[4], "R");
    SetText(DimPrefixes[5], "\x83\xd3"); // φ
}

void CParameterBlock::SetFactoryDefaults()
{
    *this = CParameterBlock();
}

CParameterBlock::Image CParameterBlock::ToBytes() const
{
    Image image{};
    VisitFields(*this, Encoder{image.data()});
    return image;
}

void CParameterBlock::FromBytes(const uint8_t* data, std::size_t size)
{
    Image image = ToBytes();
    if (data && size) std::memcpy(image.data(), data, std::min(size, Size));
    VisitFields(*this, Decoder{image.data()});
}

bool CParameterBlock::Repair()
{
    const CParameterBlock factory;
    bool changed = false;
    if (DrawingScale <= 0) {
        DrawingScale = 1;
        changed = true;
    }
    if (GridSensitivity < 1 || GridSensitivity > 5) {
        GridSensitivity = GridSensitivity < 1 ? 1 : 5;
        changed = true;
    }
    if (!(DefaultGridPitch > 0.0f) || !std::isfinite(DefaultGridPitch)) {
        DefaultGridPitch = factory.DefaultGridPitch;
        changed = true;
    }
    FiniteRepair finite{factory};
    VisitFields(*this, [&](std::size_t offset, auto& field) {
        (void)offset;
        // The factory record has the same layout; find the same member there.
        auto good = field;
        VisitFields(factory, [&](std::size_t o, const auto& g) {
            if constexpr (std::is_same_v<std::decay_t<decltype(g)>, std::decay_t<decltype(field)>>) {
                if (o == offset) good = g;
            }
        });
        finite.Fix(field, good);
    });
    changed |= finite.changed;
    changed |= TerminateField(TextFontName, 47);
    changed |= TerminateField(DimFontName, 47);
    for (auto& p : DimPrefixes) changed |= TerminateField(p, 4);
    changed |= TerminateField(PartsFolder, 80);
    return changed;
}

std::filesystem::path ParameterFilePath(const std::filesystem::path& folder)
{
    return folder / CParameterBlock::FileName;
}

ParameterFileStatus ReadParameterFile(const std::filesystem::path& folder, CParameterBlock& block,
                                      bool createWhenMissing)
{
    std::ifstream in(ParameterFilePath(folder), std::ios::binary);
    if (!in) {
        block.SetFactoryDefaults();
        if (createWhenMissing && WriteParameterFile(folder, block)) return ParameterFileStatus::Created;
        return ParameterFileStatus::Missing;
    }
    CParameterBlock::Image image{};
    in.read(reinterpret_cast<char*>(image.data()), static_cast<std::streamsize>(image.size()));
    std::size_t got = static_cast<std::size_t>(in.gcount());
    CParameterBlock read; // factory values under whatever the file lacks
    read.FromBytes(image.data(), got);
    bool repaired = read.Repair();
    block = read;
    return (got < CParameterBlock::Size || repaired) ? ParameterFileStatus::Repaired : ParameterFileStatus::Read;
}

bool WriteParameterFile(const std::filesystem::path& folder, const CParameterBlock& block)
{
    const CParameterBlock::Image image = block.ToBytes();
    return WriteFileAtomically(ParameterFilePath(folder), std::span<const uint8_t>(image)) == AtomicWriteResult::Ok;
}
