// Fuzz target of the entity-list CSV reader: reads the input as a CSV file.
// Every row read has a keyword and finite values, writing the rows and
// reading them back gives the same rows, and rounding keeps them finite.

#include "model/EntityRowList.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(data ? reinterpret_cast<const char*>(data) : "", size);
    CEntityRowList rows;
    const int added = ReadEntityCsv(text, rows);
    if (added != rows.Count()) std::abort();
    for (const EntityRow& row : rows.Rows()) {
        if (RowKindFromKeyword(row.name) != row.kind) std::abort();
        for (double v : row.value)
            if (!std::isfinite(v)) std::abort();
    }
    CEntityRowList back;
    if (ReadEntityCsv(WriteEntityCsv(rows), back) != rows.Count()) std::abort();
    for (int i = 0; i < rows.Count(); ++i)
        if (back.Rows()[i].kind != rows.Rows()[i].kind || back.Rows()[i].value != rows.Rows()[i].value) std::abort();
    QuantizeRows(back, 3, QuantizeMode::Round);
    for (const EntityRow& row : back.Rows())
        for (double v : row.value)
            if (!std::isfinite(v)) std::abort();
    return 0;
}
