#include "model/EntityList.h"

#include "model/EntityKinds.h"

#include "model/DimensionMembers.h"

#include <algorithm>
#include <cstring>
#include <new>

CEntityList EntityBuffer;

namespace {

uint64_t nextSerial = 0;

bool InCoordinateRange(double v)
{
    // Written so that NaN fails too.
    return v >= MinCoordinate && v <= MaxCoordinate;
}

bool KeepsCodesAndValues(int16_t type)
{
    const EntityKind* k = FindEntityKind(type);
    return k && k->keepsCodes;
}

bool KeepsValuesOnly(int16_t type)
{
    const EntityKind* k = FindEntityKind(type);
    return k && !k->keepsCodes;
}

bool HasText(int16_t type)
{
    return KindOf(type).hasText;
}

bool HasFont(int16_t type)
{
    return KindOf(type).hasFont;
}

// Text handed in as a byte string ends at its first NUL, as a C string would.
std::string_view UpToNul(std::string_view s)
{
    const size_t nul = s.find('\0');
    return nul == std::string_view::npos ? s : s.substr(0, nul);
}

} // namespace

CEntityList::~CEntityList()
{
    DiscardUndo(nullptr);
    RemoveAll();
    const std::vector<EntityListObserver*> gone = std::move(observers);
    observers.clear();
    for (EntityListObserver* o : gone)
        o->ListGone();
}

int CEntityList::AddEntity(const EntityHeader& header, const int16_t* codes, COLORREF colour, const double* values,
                           std::string_view text, std::string_view font)
{
    return AddRecord(header, codes, colour, values, text, font, nullptr) ? 0 : 1;
}

int CEntityList::AddChildEntity(const EntityHeader& header, const int16_t* codes, COLORREF colour,
                                const double* values, std::string_view text, std::string_view font, CEntity* owner)
{
    if (!owner)
        return 1;
    return AddRecord(header, codes, colour, values, text, font, owner) ? 0 : 1;
}

CEntity* CEntityList::MakeRecord(const EntityHeader& header, const int16_t* codes, COLORREF colour,
                                const double* values, std::string_view text, std::string_view font)
{
    const int16_t type = header.type;
    const bool keepsCodes = KeepsCodesAndValues(type);
    const bool keepsValues = keepsCodes || KeepsValuesOnly(type);
    const int n = header.count;
    if (n < 0 || (n > 0 && !values) || (n > 0 && keepsCodes && !codes))
        return nullptr;

    CEntity* e = new (std::nothrow) CEntity;
    if (!e)
        return nullptr;
    e->serial = ++nextSerial;
    try {
        e->type = type;
        e->subtype = header.subtype;
        e->style = header.style;
        e->layer = header.layer;
        e->colour = colour;
        if (HasText(type))
            e->text = std::string(UpToNul(text));
        if (HasFont(type)) {
            const std::string_view f = UpToNul(font);
            e->font = f.empty() ? std::string(DefaultTextFont) : std::string(f);
        }
        // A type that keeps no arrays keeps a count of 0, so that nothing
        // reading the record walks values that are not there.
        if (keepsValues) {
            e->values.assign(values, values + n);
            if (keepsCodes)
                e->codes.assign(codes, codes + n);
            e->count = static_cast<int16_t>(n);
        }
    } catch (const std::bad_alloc&) {
        delete e;
        return nullptr;
    }
    return e;
}

CEntity* CEntityList::AddRecord(const EntityHeader& header, const int16_t* codes, COLORREF colour,
                                const double* values, std::string_view text, std::string_view font, CEntity* owner)
{
    const int n = header.count;
    if (n > 0 && values) {
        // Value 0 of a dimension is a packed word; only members check it.
        if ((header.type != EntityType::Dimension || owner) && !InCoordinateRange(values[0]))
            return nullptr;
        if (n > 1 && !InCoordinateRange(values[1]))
            return nullptr;
    }
    CEntity* e = MakeRecord(header, codes, colour, values, text, font);
    if (!e)
        return nullptr;
    e->owner = owner;
    if (owner) {
        if (owner->group != 0)
            e->group = owner->group;
    } else if (e->type == EntityType::GroupHeader) {
        e->group = static_cast<int16_t>(groupCounter);
        ++groupCounter;
    }
    Link(e);
    if (e->type == EntityType::Dimension && e->subtype >= 0 && e->subtype <= 8)
        BuildDimensionMembers(*this, e);
    return e;
}

CEntity* CEntityList::AddMemberEntity(const EntityHeader& header, const int16_t* codes, COLORREF colour,
                                      const double* values, std::string_view text, std::string_view font,
                                      CEntity* owner)
{
    CEntity* e = MakeRecord(header, codes, colour, values, text, font);
    if (!e)
        return nullptr;
    e->owner = owner;
    Link(e);
    return e;
}

void CEntityList::Link(CEntity* e)
{
    e->previous = last;
    e->next = nullptr;
    if (last)
        last->next = e;
    else
        first = e;
    last = e;
    Linked(e);
}

void CEntityList::FreeEntity(CEntity* entity)
{
    delete entity;
}

void CEntityList::RemoveAll()
{
    // An undo step still held would point at freed records; drop it first.
    if (undoChain || mark || undoState != UndoState::Normal)
        DiscardUndo(nullptr);
    CEntity* e = first;
    first = last = nullptr;
    Reset();
    while (e) {
        CEntity* next = e->next;
        FreeEntity(e);
        e = next;
    }
    groupCounter = 1;
}

void CEntityList::FreeChain(CEntity* entity)
{
    // Whatever was linked is gone from the list once first and last are
    // emptied, whether or not the chain held it.
    first = last = nullptr;
    Reset();
    while (entity) {
        CEntity* next = entity->next;
        Freeing(entity);
        FreeEntity(entity);
        entity = next;
    }
    groupCounter = 1;
}

// ---- change journal ----

void CEntityList::Subscribe(EntityListObserver* observer)
{
    if (observer && std::find(observers.begin(), observers.end(), observer) == observers.end())
        observers.push_back(observer);
}

void CEntityList::Unsubscribe(EntityListObserver* observer)
{
    observers.erase(std::remove(observers.begin(), observers.end(), observer), observers.end());
}

bool CEntityList::Holds(const CEntity* entity, uint32_t slot, uint64_t serial) const
{
    // Compare the pointer before reading through it: a record found in its
    // slot is linked here and alive.
    return entity && slot < slotTable.size() && slotTable[slot] == entity && entity->serial == serial;
}

bool CEntityList::Holds(const CEntity* entity) const
{
    return entity && entity->slot < slotTable.size() && slotTable[entity->slot] == entity;
}

void CEntityList::NoteChanged(CEntity* entity)
{
    if (!Holds(entity))
        return;
    ++generation;
    for (EntityListObserver* o : observers)
        o->EntityChanged(entity);
}

void CEntityList::NoteAllChanged()
{
    ++generation;
    for (EntityListObserver* o : observers)
        o->ListReset();
}

void CEntityList::Linked(CEntity* e)
{
    e->rank = ++nextRank;
    if (!freeSlots.empty()) {
        e->slot = freeSlots.back();
        freeSlots.pop_back();
        slotTable[e->slot] = e;
    } else {
        e->slot = static_cast<uint32_t>(slotTable.size());
        slotTable.push_back(e);
    }
    ++linkedCount;
    // Back in state -1 (marked while held by the undo step): remembered as
    // if marked now.
    if (e->state == EntityState::Deleted)
        markedDeleted.push_back({e, e->slot, e->serial});
    ++generation;
    for (EntityListObserver* o : observers)
        o->EntityLinked(e);
}

void CEntityList::Unlinked(CEntity* e)
{
    if (!Holds(e))
        return;
    ++generation;
    for (EntityListObserver* o : observers)
        o->EntityUnlinked(e);
    slotTable[e->slot] = nullptr;
    freeSlots.push_back(e->slot);
    e->slot = UINT32_MAX;
    --linkedCount;
}

void CEntityList::Freeing(CEntity* e)
{
    Unlinked(e);
    ++generation;
    for (EntityListObserver* o : observers)
        o->EntityFreed(e);
}

void CEntityList::Reset()
{
    // The records are not touched: some may be freed already. A stale slot
    // number in a record is harmless, as Holds compares the pointer too.
    slotTable.clear();
    freeSlots.clear();
    markedDeleted.clear();
    linkedCount = 0;
    ++generation;
    for (EntityListObserver* o : observers)
        o->ListReset();
}

void CEntityList::Detach(CEntity* e)
{
    if (e->previous)
        e->previous->next = e->next;
    else
        first = e->next;
    if (e->next)
        e->next->previous = e->previous;
    else
        last = e->previous;
}

void CEntityList::Cut(CEntity* e)
{
    Detach(e);
    Unlinked(e);
}

void CEntityList::MoveRun(const std::vector<CEntity*>& run, CEntity* after)
{
    if (run.empty())
        return;
    for (CEntity* e : run)
        Detach(e);
    CEntity* before = after;
    CEntity* behind = after ? after->next : first;
    for (CEntity* e : run) {
        e->previous = before;
        if (before)
            before->next = e;
        else
            first = e;
        before = e;
    }
    before->next = behind;
    if (behind)
        behind->previous = before;
    else
        last = before;
    for (CEntity* e = first; e; e = e->next)
        e->rank = ++nextRank;
    NoteAllChanged();
}

void UnlinkEntity(CEntityList& list, CEntity* e)
{
    list.Cut(e);
}
