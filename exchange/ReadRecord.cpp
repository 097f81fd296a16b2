#include "exchange/ReadRecord.h"

#include "model/EntityTransform.h"

bool AddReadRecord(CEntityList& list, const EntityHeader& header, COLORREF colour, std::span<const double> values,
                   std::string_view text, std::string_view font)
{
    std::optional<EntityRecord> record = MakeRecord(header.type, values, header.subtype);
    if (!record) return false;
    record->header.style = header.style;
    record->header.layer = header.layer;
    record->colour = colour;
    record->text.assign(text);
    record->font.assign(font);
    return AddEntityCopy(list, *record) != nullptr;
}
