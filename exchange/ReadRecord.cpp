#include "exchange/ReadRecord.h"

#include "model/EntityTransform.h"

#include <cmath>

bool AddReadRecord(CEntityList& list, int& notFinite, const EntityHeader& header, COLORREF colour,
                   std::span<const double> values, std::string_view text, std::string_view font)
{
    for (double v : values) {
        if (!std::isfinite(v)) {
            ++notFinite;
            return false;
        }
    }
    std::optional<EntityRecord> record = MakeRecord(header.type, values, header.subtype);
    if (!record) return false;
    record->header.style = header.style;
    record->header.layer = header.layer;
    record->colour = colour;
    record->text.assign(text);
    record->font.assign(font);
    return AddEntityCopy(list, *record) != nullptr;
}
