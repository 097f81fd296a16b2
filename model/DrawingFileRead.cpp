// Reading the native drawing file, format versions 1, 2, 3 and 5.
//
// The whole file is checked and decoded first; entities reach the list only
// when every block, directory, record and data field lies inside the file.
// The check keeps only the numbers of the records to add; they are decoded
// again one at a time as they go into the list, so that a large drawing is
// never held twice.

#include "model/DrawingFile.h"

#include "model/Cp932Text.h"
#include "model/DrawingFileLayout.h"
#include "model/EntityKinds.h"
#include "model/EntityList.h"
#include "model/LittleEndian.h"
#include "model/SnapPointList.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>
#include <string_view>
#include <unordered_map>

using namespace DrawingFileLayout;

namespace {

enum class Target { Drawing, Parts };

constexpr std::size_t MaxTextFieldBytes = 128;
constexpr std::size_t MaxPathFieldBytes = 256;
constexpr std::size_t OldTextBytes = 80; // versions 1 and 2, and part files

// One entity as decoded from the file, waiting to be added.
struct PendingEntity {
    EntityHeader header;
    uint32_t colour = 0;
    std::vector<int16_t> codes;
    std::vector<double> values;
    std::string text;
    std::string font;
    int32_t group = 0;  // ordinal of its group header in the file, 0 for none
};

struct DecodedFile {
    DrawingHeader header;
    DrawingSettingsBlock settings;
    DrawingExtents extents;
    LayerTable layers;
    int version = 0;
    uint64_t firstRecord = 0;
    std::size_t recordSize = 0;
    std::vector<uint32_t> kept;  // records that decode to an entity, in file order
};

// Bounds-checked reads from the file image.
class Bytes {
public:
    explicit Bytes(std::span<const uint8_t> data) : data_(data) {}
    std::size_t size() const { return data_.size(); }
    bool Has(uint64_t offset, uint64_t length) const
    {
        return offset <= data_.size() && length <= data_.size() - offset;
    }
    const uint8_t* At(uint64_t offset) const { return data_.data() + offset; }
    template <class T> T Get(uint64_t offset) const { return GetLE<T>(At(offset)); }

private:
    std::span<const uint8_t> data_;
};

// The text of a field: up to its first NUL, at most maxBytes bytes, never
// ending inside a double-byte character.
std::string FieldText(const uint8_t* field, std::size_t length, std::size_t maxBytes)
{
    std::string_view s(reinterpret_cast<const char*>(field), length);
    s = s.substr(0, s.find('\0'));
    return std::string(Cp932Fit(s, maxBytes));
}

bool InRange(double v)
{
    return v >= MinCoordinate && v <= MaxCoordinate;
}

// A slot that holds a count or an offset: a finite whole number >= 0.
bool SlotAsOffset(double v, uint64_t& out)
{
    if (!(v >= 0.0) || !(v <= 4294967295.0) || v != std::floor(v)) return false;
    out = static_cast<uint64_t>(v);
    return true;
}

// The style word clamped to what the kind can hold: line type x 100 + pen
// (a grid's line type x 100 + grid kind, a fill's pattern x 100 + pen, the
// bare pen of dimensions and hatches).
int16_t ClampStyle(int16_t type, int style)
{
    const EntityKind& kind = KindOf(type);
    const int high = std::clamp(style / 100, 0, static_cast<int>(kind.maxLineType));
    const int low = std::clamp(style % 100, 0, static_cast<int>(kind.maxPen));
    return static_cast<int16_t>(high * 100 + low);
}

enum class RecordOutcome { Keep, Skip, Damaged };

struct RecordFields {
    int16_t type = 0, subtype = 0, style = 0, layer = 0;
    uint32_t colour = 0;
    int32_t group = 0;
    double slot[6] = {0, 0, 0, 0, 0, 0};
    int32_t count = 0;
    uint32_t offset = 0;
};

class RecordDecoder {
public:
    RecordDecoder(const Bytes& file, int version, Target target) : file_(file), version_(version), target_(target) {}

    RecordOutcome Decode(const RecordFields& r, PendingEntity& out)
    {
        // Emptied, not replaced: the arrays keep their room for the next record.
        out.header = EntityHeader{};
        out.colour = 0;
        out.codes.clear();
        out.values.clear();
        out.text.clear();
        out.font.clear();
        out.group = 0;
        out.header.type = r.type;
        out.header.subtype = r.subtype;
        out.header.layer = (r.layer >= 0 && r.layer < LayerTable::MaxLayers) ? r.layer : int16_t(0);
        int style = r.style;
        if (Old()) style = (style / 10) * 100 + style % 10;
        out.header.style = ClampStyle(r.type, style);
        out.colour = r.colour;
        if (target_ == Target::Drawing && !Old() && r.type != EntityType::GroupHeader) out.group = r.group;

        const double* s = r.slot;
        switch (r.type) {
        case EntityType::Point:
            Fixed(out, {s[0], s[1]});
            break;
        case EntityType::Grid:
            if (target_ == Target::Parts) return RecordOutcome::Skip;
            Fixed(out, {s[0], s[1], s[2]});
            break;
        case EntityType::Circle:
            Fixed(out, {s[0], s[1], s[2]});
            break;
        case EntityType::Line:
        case EntityType::HorizontalInfiniteLine:
        case EntityType::VerticalInfiniteLine:
        case EntityType::InfiniteLine:
            Fixed(out, {s[0], s[1], s[3], s[4]});
            break;
        case EntityType::Arc:
            Fixed(out, {s[0], s[1], s[2], s[3], s[4]});
            break;
        case EntityType::Ellipse:
            if (Old()) return RecordOutcome::Skip; // older files carry no ellipse values
            Fixed(out, {s[0], s[1], s[2], s[3], s[4]});
            break;
        case EntityType::Text: {
            double width = s[3];
            if (Old()) width = s[2];
            else if (target_ == Target::Drawing && width < 1.5) width = s[2];
            Fixed(out, {s[0], s[1], s[2], width, s[4]});
            if (r.count < 0) return RecordOutcome::Damaged;
            if (r.count > 0 && r.offset != 0) {
                RecordOutcome o = ReadText(out, r.offset, static_cast<uint64_t>(r.count), r.subtype);
                if (o != RecordOutcome::Keep) return o;
            }
            break;
        }
        case EntityType::LeaderText: {
            uint64_t n = 0, at = 0;
            if (!SlotAsOffset(s[0], n)) return RecordOutcome::Damaged;
            if (!CDrawingFile::StorableValueCount(r.type, n)) return RecordOutcome::Skip;
            if (!SlotAsOffset(s[1], at)) return RecordOutcome::Damaged;
            if (!ReadCodesAndValues(out, at, static_cast<std::size_t>(n))) return RecordOutcome::Damaged;
            uint64_t textLength = 0, textAt = 0;
            if (!SlotAsOffset(s[3], textLength) || !SlotAsOffset(s[4], textAt)) return RecordOutcome::Damaged;
            if (textLength > 0) {
                RecordOutcome o = ReadText(out, textAt, textLength, r.subtype);
                if (o != RecordOutcome::Keep) return o;
            }
            break;
        }
        case EntityType::Curve:
        case EntityType::Dimension:
        case EntityType::Fill:
        case EntityType::Hatch: {
            if (r.count < 0) return RecordOutcome::Damaged;
            const bool oldDimension = Old() && r.type == EntityType::Dimension;
            const uint64_t n = static_cast<uint64_t>(r.count) + (oldDimension ? 3u : 0u);
            if (!CDrawingFile::StorableValueCount(r.type, n)) return RecordOutcome::Skip;
            if (oldDimension) {
                out.codes = {30, 31, 32};
                out.values = {0.0, 0.0, 0.0};
            }
            if (!ReadCodesAndValues(out, r.offset, static_cast<std::size_t>(r.count))) return RecordOutcome::Damaged;
            break;
        }
        case EntityType::FreehandCurve:
        case EntityType::Polygon: {
            if (r.count < 0) return RecordOutcome::Damaged;
            if (!CDrawingFile::StorableValueCount(r.type, static_cast<uint64_t>(r.count))) return RecordOutcome::Skip;
            if (!ReadValues(out, r.offset, static_cast<std::size_t>(r.count))) return RecordOutcome::Damaged;
            break;
        }
        case EntityType::EllipticArc:
            if (Old()) return RecordOutcome::Skip;
            if (r.count < 0 || !CDrawingFile::StorableValueCount(r.type, static_cast<uint64_t>(r.count)))
                return RecordOutcome::Skip;
            if (!ReadValues(out, r.offset, 7)) return RecordOutcome::Damaged;
            out.codes = CodesOf(EntityType::EllipticArc);
            break;
        case EntityType::Image:
            Fixed(out, {s[0], s[1], s[3], s[4]});
            if (r.count < 0) return RecordOutcome::Damaged;
            if (r.count > 0 && r.offset != 0) {
                if (!file_.Has(r.offset, static_cast<uint64_t>(r.count))) return RecordOutcome::Damaged;
                std::size_t limit = (Old() || target_ == Target::Parts) ? OldTextBytes : MaxPathFieldBytes - 1;
                out.text = FieldText(file_.At(r.offset), static_cast<std::size_t>(r.count), limit);
            }
            break;
        default:
            break; // group headers and anything else carry no values
        }

        // A value that is not a finite number would spoil every drawing,
        // snap and save of the entity: such a record is left out.
        for (double v : out.values)
            if (!std::isfinite(v)) return RecordOutcome::Skip;

        // Coordinate check of the first point (lines: both points).
        switch (r.type) {
        case EntityType::Point: case EntityType::Grid: case EntityType::Circle: case EntityType::Arc:
        case EntityType::Ellipse: case EntityType::Text: case EntityType::LeaderText:
            if (!InRange(out.values[0]) || !InRange(out.values[1])) return RecordOutcome::Skip;
            break;
        case EntityType::Line: case EntityType::HorizontalInfiniteLine:
        case EntityType::VerticalInfiniteLine: case EntityType::InfiniteLine:
            for (double v : out.values)
                if (!InRange(v)) return RecordOutcome::Skip;
            break;
        default:
            break;
        }
        out.header.count = static_cast<int16_t>(out.values.size());
        if (out.codes.size() < out.values.size()) out.codes.resize(out.values.size(), 0);
        return RecordOutcome::Keep;
    }

private:
    bool Old() const { return version_ < 3; }
    std::size_t ValueSize() const { return Old() ? 4 : 8; }

    // The values a record holds in its slots, under the codes of its kind.
    void Fixed(PendingEntity& out, std::initializer_list<double> values)
    {
        out.values.assign(values);
        const std::span<const int16_t> codes = FixedCodes(out.header.type);
        out.codes.assign(codes.begin(), codes.end());
    }

    double ValueAt(uint64_t at) const
    {
        return Old() ? static_cast<double>(file_.Get<float>(at)) : file_.Get<double>(at);
    }

    bool ReadValues(PendingEntity& out, uint64_t at, std::size_t n)
    {
        if (!file_.Has(at, static_cast<uint64_t>(n) * ValueSize())) return false;
        for (std::size_t i = 0; i < n; ++i) out.values.push_back(ValueAt(at + i * ValueSize()));
        return true;
    }

    bool ReadCodesAndValues(PendingEntity& out, uint64_t at, std::size_t n)
    {
        const uint64_t codesLength = CodesFieldLength(n);
        if (!file_.Has(at, codesLength)) return false;
        for (std::size_t i = 0; i < n; ++i) out.codes.push_back(file_.Get<int16_t>(at + 2 * i));
        return ReadValues(out, at + codesLength, n);
    }

    // The text field and, in versions 3 and 5, the font field behind it; the
    // stored subtype then carries the font field's length in its last two
    // digits. A record without text keeps its subtype as stored.
    RecordOutcome ReadText(PendingEntity& out, uint64_t at, uint64_t length, int16_t storedSubtype)
    {
        if (!file_.Has(at, length)) return RecordOutcome::Damaged;
        const bool old = Old();
        std::size_t limit = (old || target_ == Target::Parts) ? OldTextBytes : MaxTextFieldBytes - 1;
        out.text = FieldText(file_.At(at), static_cast<std::size_t>(std::min<uint64_t>(length, 1u << 20)), limit);
        if (old) return RecordOutcome::Keep;
        out.header.subtype = static_cast<int16_t>(storedSubtype / 100);
        int fontLength = storedSubtype % 100;
        if (fontLength <= 0 || target_ == Target::Parts) return RecordOutcome::Keep;
        if (!file_.Has(at + length, static_cast<uint64_t>(fontLength))) return RecordOutcome::Damaged;
        out.font = FieldText(file_.At(at + length), static_cast<std::size_t>(fontLength), MaxTextFieldBytes - 1);
        return RecordOutcome::Keep;
    }

    const Bytes& file_;
    int version_;
    Target target_;
};

RecordFields RecordAt(const Bytes& file, uint64_t at, int version)
{
    RecordFields r;
    const uint8_t* p = file.At(at);
    r.type = GetLE<int16_t>(p + 0);
    r.subtype = GetLE<int16_t>(p + 2);
    if (version == 5) {
        r.style = GetLE<int16_t>(p + 6);
        r.layer = GetLE<int16_t>(p + 8);
        r.colour = GetLE<uint32_t>(p + 12);
        r.group = GetLE<int32_t>(p + 20);
        for (int k = 0; k < 6; ++k) r.slot[k] = GetLE<double>(p + 24 + 8 * k);
        r.count = GetLE<int32_t>(p + 72);
        r.offset = GetLE<uint32_t>(p + 76);
    } else if (version == 3) {
        r.style = GetLE<int16_t>(p + 4);
        r.layer = GetLE<int16_t>(p + 6);
        r.colour = GetLE<uint32_t>(p + 8);
        r.group = GetLE<int16_t>(p + 12);
        for (int k = 0; k < 6; ++k) r.slot[k] = GetLE<double>(p + 16 + 8 * k);
        r.count = GetLE<int32_t>(p + 64);
        r.offset = GetLE<uint32_t>(p + 68);
    } else {
        r.style = GetLE<int16_t>(p + 4);
        r.layer = GetLE<int16_t>(p + 6);
        r.colour = GetLE<uint32_t>(p + 8);
        for (int k = 0; k < 6; ++k) r.slot[k] = static_cast<double>(GetLE<float>(p + 16 + 4 * k));
        r.count = GetLE<int32_t>(p + 40);
        r.offset = GetLE<uint32_t>(p + 44);
    }
    return r;
}

void RepairHeader(DrawingHeader& h, int version)
{
    auto terminate = [](auto& field) { DrawingHeader::SetFieldText(field, DrawingHeader::FieldText({field.data(), field.size()})); };
    terminate(h.drawingName);
    terminate(h.author);
    terminate(h.updater);
    terminate(h.password);
    if (h.protection > ProtectionPassword) h.protection = ProtectionWrite;
    if (h.paperSource > 1) h.paperSource = 1;
    int paper = h.paperIndex;
    if (version < 3) paper += 1;
    h.paperIndex = static_cast<uint16_t>(std::clamp(paper, 0, 9));
    if (h.orientation > 1) h.orientation = 1;
    if (!(h.scale > 0.0f && h.scale < 1.0e9f)) h.scale = 1.0f;
}

void RepairExtents(DrawingExtents& x)
{
    const DrawingExtents defaults;
    auto fix = [](std::array<double, 3>& v, const std::array<double, 3>& d) {
        for (int k = 0; k < 3; ++k)
            if (!std::isfinite(v[k])) v[k] = d[k];
    };
    fix(x.ExtentsMin, defaults.ExtentsMin);
    fix(x.ExtentsMax, defaults.ExtentsMax);
    fix(x.LimitsMin, defaults.LimitsMin);
    fix(x.LimitsMax, defaults.LimitsMax);
}

void SetExtent(DrawingExtents& x, int i, double v)
{
    std::array<double, 3>* corners[4] = {&x.ExtentsMin, &x.ExtentsMax, &x.LimitsMin, &x.LimitsMax};
    (*corners[i / 3])[i % 3] = v;
}

int Decode(std::span<const uint8_t> data, Target target, DecodedFile& out)
{
    const Bytes file(data);
    if (!file.Has(0, HeaderSize)) return DrawingFileRefused;
    if (file.At(0)[0] != 'O' || file.At(0)[1] != 'R') return DrawingFileRefused;
    out.header.FromBytes(file.At(0));
    const int version = out.header.version & 0xFF;
    if (version != 1 && version != 2 && version != 3 && version != 5) return DrawingFileRefused;
    out.version = version;
    RepairHeader(out.header, version);

    uint64_t directoryAt = 0;
    std::size_t recordSize = 0;
    if (version >= 3) {
        if (!file.Has(HeaderSize, BlockSize)) return DrawingFileDamaged;
        const uint64_t block = HeaderSize;
        for (int i = 0; i < 12; ++i) SetExtent(out.extents, i, file.Get<double>(block + 8 * i));
        std::copy_n(file.At(block + 96), 32, out.settings.bytes.begin() + DrawingSettingsBlock::ColorOffset);
        const int32_t n = file.Get<int32_t>(block + 132);
        if (n < 0) return DrawingFileDamaged;
        const uint64_t layersAt = HeaderSize + BlockSize;
        if (!file.Has(layersAt, static_cast<uint64_t>(n) * LayerRecordSize)) return DrawingFileDamaged;
        const int kept = std::min<int32_t>(n, LayerTable::MaxLayers);
        for (int i = 0; i < kept; ++i) {
            const uint8_t* rec = file.At(layersAt + LayerRecordSize * static_cast<uint64_t>(i));
            out.layers.names[i] = FieldText(rec, LayerNameField, LayerTable::MaxNameBytes);
            out.layers.states[i] = rec[39] <= 2 ? rec[39] : uint8_t(1);
        }
        out.layers.count = std::clamp<int32_t>(n, 1, LayerTable::MaxLayers);
        directoryAt = layersAt + static_cast<uint64_t>(n) * LayerRecordSize;
        recordSize = version == 5 ? RecordSizeV5 : RecordSizeV3;
    } else {
        if (!file.Has(HeaderSize, BlockSizeV1)) return DrawingFileDamaged;
        const uint64_t block = HeaderSize;
        for (int i = 0; i < 12; ++i) SetExtent(out.extents, i, static_cast<double>(file.Get<float>(block + 4 * i)));
        std::copy_n(file.At(block + 48), DrawingSettingsBlock::Size, out.settings.bytes.begin());
        if (GetLE<uint32_t>(out.settings.bytes.data() + 100) == 0) out.settings.SetDisplayColor(7, 0x9A9A9A);
        for (int i = 0; i < 20; ++i) {
            uint8_t state = file.At(block + 164)[i];
            out.layers.states[i] = state <= 2 ? state : uint8_t(1);
        }
        out.layers.count = 20;
        directoryAt = HeaderSize + BlockSizeV1;
        recordSize = RecordSizeV1;
    }
    RepairExtents(out.extents);
    out.layers.current = static_cast<int16_t>(std::clamp<int>(out.header.currentLayer, 0, out.layers.count - 1));
    out.header.currentLayer = out.layers.current;

    if (!file.Has(directoryAt, DirectorySize)) return DrawingFileDamaged;
    const uint64_t firstRecord = file.Get<uint32_t>(directoryAt + 4);
    const uint64_t m = file.Get<uint32_t>(directoryAt + 8);
    if (!file.Has(firstRecord, m * recordSize)) return DrawingFileDamaged;

    RecordDecoder decoder(file, version, target);
    out.firstRecord = firstRecord;
    out.recordSize = recordSize;
    out.kept.reserve(static_cast<std::size_t>(m));
    PendingEntity pending;
    for (uint64_t i = 0; i < m; ++i) {
        const RecordFields r = RecordAt(file, firstRecord + i * recordSize, version);
        switch (decoder.Decode(r, pending)) {
        case RecordOutcome::Keep: out.kept.push_back(static_cast<uint32_t>(i)); break;
        case RecordOutcome::Skip: break;
        case RecordOutcome::Damaged: return DrawingFileDamaged;
        }
    }
    return DrawingFileOk;
}

// What the reader remembers of an added entity for the group numbers.
struct AddedEntity {
    CEntity* entity;    // null when the list refused it
    int32_t group;      // ordinal of its group header in the file, 0 for none
    bool header;        // a group header
};

// Decodes the kept records of a checked file again and adds them, in file order.
std::vector<AddedEntity> AddEntities(std::span<const uint8_t> data, Target target, const DecodedFile& decoded,
                                     CEntityList& list, const std::function<void(std::size_t)>& onAdded = {})
{
    const Bytes file(data);
    RecordDecoder decoder(file, decoded.version, target);
    std::vector<AddedEntity> added;
    added.reserve(decoded.kept.size());
    PendingEntity p;
    for (uint32_t i : decoded.kept) {
        const RecordFields r = RecordAt(file, decoded.firstRecord + uint64_t(i) * decoded.recordSize, decoded.version);
        decoder.Decode(r, p);  // it decoded before: Keep
        CEntity* before = list.last;
        int rc = list.AddEntity(p.header, p.codes.data(), p.colour, p.values.data(), p.text, p.font);
        added.push_back({rc == 0 ? (before ? before->next : list.first) : nullptr, p.group,
                         p.header.type == EntityType::GroupHeader});
        if (onAdded) onAdded(added.size());
    }
    return added;
}

} // namespace

int CDrawingFile::ReadDrawing(std::span<const uint8_t> data, CEntityList& list, CSnapPointList& snaps)
{
    DecodedFile decoded;
    int rc = Decode(data, Target::Drawing, decoded);
    if (rc != DrawingFileOk) return rc;

    header = decoded.header;
    settings = decoded.settings;
    extents = decoded.extents;
    layers = decoded.layers;
    formatVersion = decoded.version;

    // Each kept record is one step as it is added and one more as its snap
    // points are registered.
    constexpr std::size_t ProgressStep = 16384;
    const std::size_t steps = 2 * decoded.kept.size();
    if (progress) progress(0, steps);
    std::function<void(std::size_t)> onAdded;
    if (progress)
        onAdded = [&](std::size_t n) {
            if (n % ProgressStep == 0) progress(n, steps);
        };
    const std::vector<AddedEntity> added = AddEntities(data, Target::Drawing, decoded, list, onAdded);
    snaps.Follow(list);
    snaps.Reserve(list.SlotCount());

    // Members carry the ordinal of their header among the file's headers;
    // give them the number the list gave that header.
    std::vector<int16_t> headerNumbers;
    for (const AddedEntity& a : added)
        if (a.header)
            headerNumbers.push_back(a.entity ? a.entity->group : int16_t(0));
    for (std::size_t i = 0; i < added.size(); ++i) {
        CEntity* e = added[i].entity;
        if (!e) continue;
        if (e->type != EntityType::GroupHeader) {
            int32_t ordinal = added[i].group;
            e->group = (ordinal >= 1 && static_cast<std::size_t>(ordinal) <= headerNumbers.size())
                           ? headerNumbers[static_cast<std::size_t>(ordinal) - 1]
                           : int16_t(0);
        }
        snaps.AddEntityPoints(e);
        if (progress && (i + 1) % ProgressStep == 0) progress(added.size() + i + 1, steps);
    }
    if (progress) progress(steps, steps);
    return DrawingFileOk;
}

int CDrawingFile::ReadParts(std::span<const uint8_t> data, CEntityList& target)
{
    DecodedFile decoded;
    int rc = Decode(data, Target::Parts, decoded);
    if (rc != DrawingFileOk) return rc;
    header = decoded.header;
    settings = decoded.settings;
    extents = decoded.extents;
    layers = decoded.layers;
    formatVersion = decoded.version;
    AddEntities(data, Target::Parts, decoded, target);
    return DrawingFileOk;
}

int CDrawingFile::LoadDrawing(const std::filesystem::path& path, CEntityList& list, CSnapPointList& snaps)
{
    std::vector<uint8_t> bytes;
    if (int rc = ReadDrawingFileImage(path, bytes); rc != DrawingFileOk) return rc;
    return ReadDrawing(bytes, list, snaps);
}

int CDrawingFile::LoadParts(const std::filesystem::path& path, CEntityList& target)
{
    std::vector<uint8_t> bytes;
    if (int rc = ReadDrawingFileImage(path, bytes); rc != DrawingFileOk) return rc;
    return ReadParts(bytes, target);
}

void LinkGroupMembers(CEntityList& list)
{
    std::unordered_map<int16_t, CEntity*> headers;
    for (CEntity* e = list.first; e; e = e->next)
        if (e->type == EntityType::GroupHeader && e->group != 0) headers[e->group] = e;
    if (headers.empty()) return;
    for (CEntity* e = list.first; e; e = e->next) {
        if (e->type == EntityType::GroupHeader || e->group == 0 || e->owner) continue;
        auto it = headers.find(e->group);
        if (it != headers.end()) e->owner = it->second;
    }
}
