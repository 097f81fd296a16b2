// Reading a drawing or part file from disk: what kind of file it is, its
// header and the sizes it announces are checked before the rest is read.

#include "model/DrawingFile.h"

#include "model/DrawingFileLayout.h"
#include "model/LittleEndian.h"

#include <cstdint>
#include <fstream>
#include <limits>
#include <system_error>

#if defined(__linux__)
#include <sys/mman.h>
#endif

using namespace DrawingFileLayout;

namespace {

// Reads at absolute offsets of an open file, never past the size it had
// when opened.
class FileWindow {
public:
    explicit FileWindow(const std::filesystem::path& path) : in_(path, std::ios::binary) {}
    bool Open() const { return static_cast<bool>(in_); }
    bool Read(uint64_t offset, std::size_t length, uint8_t* to)
    {
        in_.clear();
        in_.seekg(static_cast<std::streamoff>(offset));
        in_.read(reinterpret_cast<char*>(to), static_cast<std::streamsize>(length));
        return static_cast<std::size_t>(in_.gcount()) == length;
    }

private:
    std::ifstream in_;
};

// The layout the header and the blocks announce fits a file of `size` bytes.
int CheckAnnouncedLayout(FileWindow& file, uint64_t size)
{
    uint8_t head[HeaderSize];
    if (size < HeaderSize || !file.Read(0, HeaderSize, head)) return DrawingFileRefused;
    if (head[0] != 'O' || head[1] != 'R') return DrawingFileRefused;
    const int version = GetLE<uint16_t>(head + 158) & 0xFF;
    if (version != 1 && version != 2 && version != 3 && version != 5) return DrawingFileRefused;

    uint64_t directoryAt = HeaderSize + BlockSizeV1;
    uint64_t recordSize = RecordSizeV1;
    if (version >= 3) {
        uint8_t count[4];
        if (size < HeaderSize + BlockSize || !file.Read(HeaderSize + 132, 4, count)) return DrawingFileDamaged;
        const int32_t n = GetLE<int32_t>(count);
        if (n < 0) return DrawingFileDamaged;
        directoryAt = HeaderSize + BlockSize + static_cast<uint64_t>(n) * LayerRecordSize;
        recordSize = version == 5 ? RecordSizeV5 : RecordSizeV3;
    }
    uint8_t directory[DirectorySize];
    if (directoryAt + DirectorySize > size || !file.Read(directoryAt, DirectorySize, directory))
        return DrawingFileDamaged;
    const uint64_t firstRecord = GetLE<uint32_t>(directory + 4);
    const uint64_t m = GetLE<uint32_t>(directory + 8);
    if (firstRecord > size || m * recordSize > size - firstRecord) return DrawingFileDamaged;
    return DrawingFileOk;
}

// A large image is backed by huge pages where the system offers them on
// request: the first touch of every small page costs more than reading it,
// and a drawing of a million entities is an image of 80 MB. Only a hint; the
// bytes are the same either way.
void PrepareImage(std::vector<uint8_t>& out, std::size_t size)
{
    out.reserve(size);
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::size_t HugePage = std::size_t(2) << 20;
    if (size < 4 * HugePage) return;
    const auto begin = reinterpret_cast<std::uintptr_t>(out.data());
    const std::uintptr_t first = (begin + HugePage - 1) & ~(HugePage - 1);
    const std::uintptr_t last = (begin + size) & ~(HugePage - 1);
    if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#endif
}

} // namespace

int ReadDrawingFileImage(const std::filesystem::path& path, std::vector<uint8_t>& out)
{
    out.clear();
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status)) return DrawingFileUnreadable;
    if (!std::filesystem::is_regular_file(status)) return DrawingFileNotRegular;
    const uint64_t size = std::filesystem::file_size(path, ec);
    if (ec) return DrawingFileUnreadable;
    try {
        FileWindow file(path);
        if (!file.Open()) return DrawingFileUnreadable;
        if (int rc = CheckAnnouncedLayout(file, size); rc != DrawingFileOk) return rc;
        if (size > std::numeric_limits<std::size_t>::max()) return DrawingFileUnreadable;
        PrepareImage(out, static_cast<std::size_t>(size));
        out.resize(static_cast<std::size_t>(size));
        if (!file.Read(0, out.size(), out.data())) {
            // Cut short meanwhile: the reader judges what is there.
            out.clear();
            return DrawingFileUnreadable;
        }
    } catch (const std::exception&) {
        out.clear();
        out.shrink_to_fit();
        return DrawingFileUnreadable;
    }
    return DrawingFileOk;
}

