#pragma once
// Sizes and field rules of the native drawing file shared by its reader and
// writer.

#include <cstddef>
#include <cstdint>

namespace DrawingFileLayout {

inline constexpr std::size_t HeaderSize = 192;
inline constexpr std::size_t BlockSize = 136;         // versions 3 and 5
inline constexpr std::size_t LayerRecordSize = 40;
inline constexpr std::size_t LayerNameField = 39;     // bytes 0..38; byte 39 is the state
inline constexpr std::size_t DirectorySize = 12;
inline constexpr std::size_t RecordSizeV5 = 80;
inline constexpr std::size_t RecordSizeV3 = 72;
inline constexpr std::size_t RecordSizeV1 = 48;
inline constexpr std::size_t BlockSizeV1 = 320;       // versions 1 and 2
inline constexpr uint32_t DirectoryMark = 0x00010001;

// A codes field: n 16-bit codes padded with 2 or 4 zero bytes.
constexpr std::size_t CodesFieldLength(std::size_t n)
{
    return 2 * n + 4 - (2 * n) % 4;
}

// A text, font or path field: the bytes and 1 to 4 NULs.
constexpr std::size_t StringFieldLength(std::size_t length)
{
    return length - length % 4 + 4;
}

} // namespace DrawingFileLayout
