#pragma once
// A process-wide count of the changes made to entity lists other than
// appending at the tail: unlinking, relinking and freeing records. Structures
// that mirror the order of a list (the box index of the snap-point list)
// remember the count they last saw and rebuild themselves when it moved.
// Code that relinks entities outside CEntityList calls NoteEntityListRelink.

#include <cstdint>

namespace entity_list_changes_detail {
inline uint64_t relinkCount = 0;
}

inline void NoteEntityListRelink()
{
    ++entity_list_changes_detail::relinkCount;
}

inline uint64_t EntityListRelinkCount()
{
    return entity_list_changes_detail::relinkCount;
}
