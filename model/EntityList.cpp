#include "model/EntityList.h"

#include "model/DimensionMembers.h"
#include "model/EntityListChanges.h"

#include <cstring>
#include <new>

CEntityList EntityBuffer;

namespace {

bool InCoordinateRange(double v)
{
    // Written so that NaN fails too.
    return v >= MinCoordinate && v <= MaxCoordinate;
}

bool KeepsCodesAndValues(int16_t type)
{
    switch (type) {
    case 10: case 11:
    case 20: case 21: case 22: case 23: case 24: case 25: case 27:
    case 30: case 31: case 32: case 33:
    case 40: case 41:
    case 50: case 60:
    case 70: case 71:
    case 80:
        return true;
    default:
        return false;
    }
}

bool KeepsValuesOnly(int16_t type)
{
    return type == EntityType::FreehandCurve || type == EntityType::Polygon;
}

bool HasText(int16_t type)
{
    return type == EntityType::Text || type == EntityType::LeaderText || type == EntityType::Image;
}

bool HasFont(int16_t type)
{
    return type == EntityType::Text || type == EntityType::LeaderText;
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
}

void CEntityList::FreeEntity(CEntity* entity)
{
    NoteEntityListRelink();
    delete entity;
}

void CEntityList::RemoveAll()
{
    // An undo step still held would point at freed records; drop it first.
    if (undoChain || mark || undoState != UndoState::Normal)
        DiscardUndo(nullptr);
    CEntity* e = first;
    while (e) {
        CEntity* next = e->next;
        FreeEntity(e);
        e = next;
    }
    first = last = nullptr;
    groupCounter = 1;
}

void CEntityList::FreeChain(CEntity* entity)
{
    while (entity) {
        CEntity* next = entity->next;
        FreeEntity(entity);
        entity = next;
    }
    first = last = nullptr;
    groupCounter = 1;
}
