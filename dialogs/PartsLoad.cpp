#include "dialogs/PartsLoad.h"

#include "exchange/DocumentImport.h"
#include "exchange/DxfFile.h"
#include "exchange/JwwArchive.h"
#include "exchange/JwwFile.h"
#include "model/DrawingFile.h"

#include <fstream>
#include <iterator>
#include <vector>

namespace {

PartLoadResult Failed(CEntityList& list, const char* message, bool box = false)
{
    list.RemoveAll();
    PartLoadResult r;
    r.message = message;
    r.messageBox = box;
    return r;
}

// The whole of a regular file; false when it is anything else or cannot
// be read.
bool ReadRegularFile(const std::filesystem::path& path, std::vector<uint8_t>& out)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

} // namespace

PartLoadResult LoadPartFile(const std::filesystem::path& path, int kind, CEntityList& list)
{
    PartLoadResult ok;
    ok.loaded = true;
    switch (kind) {
    case 1: {
        CDxfFile dxf;
        if (dxf.Read(path, list) != DxfReadOk)
            return Failed(list, DxfReadFailedMessage);
        return ok;
    }
    case 2: {
        std::vector<uint8_t> bytes;
        if (ReadDrawingFileImage(path, bytes) != DrawingFileOk)
            return Failed(list, PartsReadFailedMessage);
        CDrawingFile file;
        if (file.ReadParts(bytes, list) != DrawingFileOk)
            return Failed(list, PartsReadFailedMessage);
        return ok;
    }
    case 3: {
        std::vector<uint8_t> bytes;
        if (!ReadRegularFile(path, bytes))
            return Failed(list, JwwOpenErrorMessage);
        ArchiveReader archive(bytes);
        CJwwReader reader;
        reader.CoordFactor = 1.0;
        const int header = reader.ReadJwwHeader(archive);
        if (header >= 11 && header <= 229)
            return Failed(list, PartsOldJwwMessage, true);
        if (header != JwwHeaderOk)
            return Failed(list, JwwNotJwwMessage);
        reader.ReadJwwEntities(archive, list);
        if (!reader.message.empty())
            return Failed(list, reader.message.c_str());
        return ok;
    }
    default:
        return Failed(list, "");
    }
}
