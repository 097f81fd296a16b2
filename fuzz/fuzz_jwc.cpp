// Fuzz target of the JWC reader: reads the input as a JWC file. A failure
// always carries its message; what is read is finite and within the layers.

#include "exchange/JwcFile.h"
#include "model/EntityList.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::span<const uint8_t> bytes(data ? data : reinterpret_cast<const uint8_t*>(""), size);
    CJwcReader reader;
    CEntityList list;
    const int rc = reader.ReadJwcData(bytes, list);
    if (rc != 0 && reader.message.empty()) std::abort();
    if (rc == 0 && !(reader.JwcScale > 0.0)) std::abort();
    for (const CEntity* e = list.first; e; e = e->next) {
        for (double v : e->values)
            if (!std::isfinite(v)) std::abort();
        if (e->layer < 0 || e->layer > 9 || e->text.size() > 255) std::abort();
    }
    return 0;
}
