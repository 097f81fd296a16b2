// Fuzz target of the native drawing file reader: reads the input as a
// drawing and as a part file. A drawing that reads must write and read back
// with the same entities stored; a refused one must add nothing.

#include "model/DrawingFile.h"
#include "model/EntityList.h"
#include "model/SnapPointList.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

namespace {

std::size_t StoredCount(const CEntityList& list)
{
    std::size_t n = 0;
    for (const CEntity* e = list.first; e; e = e->next)
        if (!e->owner || e->owner->type != EntityType::Dimension) ++n;
    return n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::span<const uint8_t> bytes(data ? data : reinterpret_cast<const uint8_t*>(""), size);
    {
        CEntityList list;
        CSnapPointList snaps;
        CDrawingFile file;
        int rc = file.ReadDrawing(bytes, list, snaps);
        if (rc != DrawingFileOk) {
            if (list.first) std::abort();
        } else if (list.first) {
            LinkGroupMembers(list);
            std::vector<uint8_t> out;
            // A path field read whole may be longer than the writer stores:
            // such a drawing is refused, never written cut short.
            const int written = file.WriteDrawing(out, list.first);
            if (written != DrawingFileOverlongPath) {
                if (written != DrawingFileOk) std::abort();
                CEntityList again;
                CSnapPointList snapsAgain;
                CDrawingFile reread;
                if (reread.ReadDrawing(out, again, snapsAgain) != DrawingFileOk) std::abort();
                if (StoredCount(again) != StoredCount(list)) std::abort();
            }
        }
    }
    {
        CEntityList parts;
        CDrawingFile file;
        if (file.ReadParts(bytes, parts) != DrawingFileOk && parts.first) std::abort();
    }
    return 0;
}
