// Fuzz target of the DXF reader: reads the input as a DXF file. A refused
// file must add nothing; an accepted one keeps its values finite, and what
// it gave is written out and read back with as many entities.

#include "exchange/DxfFile.h"
#include "model/EntityList.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view text(data ? reinterpret_cast<const char*>(data) : "", size);
    CEntityList list;
    CDxfFile dxf;
    int rc = dxf.ReadText(text, list);
    if (rc != DxfReadOk) {
        if (list.first) std::abort();
        return 0;
    }
    if (!(dxf.LtScale >= 0.001)) std::abort();
    for (int i = 0; i < 3; ++i) {
        if (!std::isfinite(dxf.ExtMin[i]) || !std::isfinite(dxf.ExtMax[i]) || !std::isfinite(dxf.LimMin[i]) ||
            !std::isfinite(dxf.LimMax[i]))
            std::abort();
    }
    std::size_t count = 0;
    for (const CEntity* e = list.first; e; e = e->next, ++count) {
        for (double v : e->values)
            if (!std::isfinite(v)) std::abort();
    }
    std::string out;
    CDxfFile writer;
    writer.LtScale = dxf.LtScale;
    writer.WriteText(out, list.first);
    CEntityList again;
    CDxfFile reader;
    if (reader.ReadText(out, again) != DxfReadOk) std::abort();
    std::size_t countAgain = 0;
    for (const CEntity* e = again.first; e; e = e->next) ++countAgain;
    if (countAgain != count) std::abort();
    return 0;
}
