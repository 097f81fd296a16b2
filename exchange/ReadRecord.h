#pragma once
// How the readers of foreign files add what they read: records made from
// the kind table's rows, never from code layouts of their own.

#include "model/EntityKinds.h"
#include "model/EntityList.h"

#include <span>
#include <string_view>

// Adds a record of header.type made from values in layout order, with the
// header's subtype, style word and layer and the given colour, text and
// font. False when the kind takes no such values, when a value is not a
// finite number after the reader's arithmetic (counted in notFinite) or
// when the list refuses a coordinate out of range.
bool AddReadRecord(CEntityList& list, int& notFinite, const EntityHeader& header, COLORREF colour,
                   std::span<const double> values, std::string_view text = {}, std::string_view font = {});
