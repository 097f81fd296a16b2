// Writing the native drawing file, format version 5.

#include "model/DrawingFile.h"

#include "model/AtomicWrite.h"
#include "model/Cp932Text.h"
#include "model/DrawingFileLayout.h"
#include "model/Entity.h"
#include "model/LittleEndian.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <ostream>
#include <string_view>
#include <system_error>
#include <unordered_map>

using namespace DrawingFileLayout;

namespace {

bool IsStored(const CEntity& e, bool selectedOnly)
{
    if (selectedOnly && e.state != EntityState::Marked) return false;
    return !e.owner || e.owner->type != EntityType::Dimension;
}

bool AllFinite(const CEntity& e)
{
    return std::all_of(e.values.begin(), e.values.end(), [](double v) { return std::isfinite(v); });
}

bool AllFinite(const DrawingExtents& extents)
{
    for (const auto* corner : {&extents.ExtentsMin, &extents.ExtentsMax, &extents.LimitsMin, &extents.LimitsMax})
        for (double v : *corner)
            if (!std::isfinite(v)) return false;
    return true;
}

double ValueAt(const CEntity& e, std::size_t i)
{
    return i < e.values.size() ? e.values[i] : 0.0;
}

// Appends the fields of one entity to the data area.
class DataArea {
public:
    explicit DataArea(std::size_t start) : start_(start) {}

    std::size_t Offset() const { return start_ + bytes_.size(); }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }

    void Codes(const CEntity& e, std::size_t n)
    {
        std::size_t at = Grow(CodesFieldLength(n));
        for (std::size_t i = 0; i < n; ++i) {
            int16_t code = i < e.codes.size() ? e.codes[i] : int16_t(0);
            PutLE(bytes_.data() + at + 2 * i, code);
        }
    }
    void Values(const CEntity& e, std::size_t n)
    {
        std::size_t at = Grow(8 * n);
        for (std::size_t i = 0; i < n; ++i) PutLE(bytes_.data() + at + 8 * i, ValueAt(e, i));
    }
    // Returns the field length.
    std::size_t String(std::string_view s)
    {
        std::size_t length = StringFieldLength(s.size());
        std::size_t at = Grow(length);
        std::memcpy(bytes_.data() + at, s.data(), s.size());
        return length;
    }

private:
    std::size_t Grow(std::size_t n)
    {
        std::size_t at = bytes_.size();
        bytes_.resize(at + n, 0);
        return at;
    }
    std::size_t start_;
    std::vector<uint8_t> bytes_;
};

std::string_view UpToNul(std::string_view s)
{
    return s.substr(0, s.find('\0'));
}

// The subtype of a stored text carries the length of its font field in its
// last two digits; keep it where that still fits a 16-bit field.
int16_t TextSubtypeWithFont(int16_t subtype, std::size_t fontField)
{
    int clamped = std::clamp<int>(subtype, 0, 326);
    return static_cast<int16_t>(clamped * 100 + static_cast<int>(fontField));
}

} // namespace

CDrawingFile::CDrawingFile() = default;

bool CDrawingFile::StorableValueCount(int16_t type, uint64_t n)
{
    switch (type) {
    case EntityType::LeaderText:
        return n >= static_cast<uint64_t>(MinLeaderValues) && n <= static_cast<uint64_t>(MaxStoredValues);
    case EntityType::EllipticArc:
        return n == static_cast<uint64_t>(EllipticArcValues);
    default:
        return n <= static_cast<uint64_t>(MaxStoredValues);
    }
}

const CEntity* CDrawingFile::OverlongImagePath(const CEntity* first) const
{
    for (const CEntity* e = first; e; e = e->next)
        if (e->type == EntityType::Image && IsStored(*e, selectedOnly != 0) && UpToNul(e->text).size() > MaxPathBytes)
            return e;
    return nullptr;
}

int CDrawingFile::WriteDrawing(std::vector<uint8_t>& out, const CEntity* first) const
{
    if (!first) return DrawingFileRefused;
    if (OverlongImagePath(first)) return DrawingFileOverlongPath;
    if (!AllFinite(extents) || !std::isfinite(header.scale)) return DrawingFileNotFinite;

    // First pass: which entities are stored, and the ordinal of every stored
    // group header, which is the number the reader gives it.
    std::vector<const CEntity*> stored;
    std::unordered_map<const CEntity*, int32_t> headerOrdinal;
    for (const CEntity* e = first; e; e = e->next) {
        if (!IsStored(*e, selectedOnly != 0)) continue;
        // What the reader would drop is refused before anything is written.
        if (!StorableValueCount(e->type, e->values.size())) return DrawingFileRefused;
        if (!AllFinite(*e)) return DrawingFileNotFinite;
        stored.push_back(e);
        if (e->type == EntityType::GroupHeader) {
            int32_t ordinal = static_cast<int32_t>(headerOrdinal.size()) + 1;
            headerOrdinal.emplace(e, ordinal);
        }
    }

    const std::size_t n = static_cast<std::size_t>(std::clamp<int32_t>(layers.count, 0, LayerTable::MaxLayers));
    const std::size_t m = stored.size();
    const std::size_t directoryAt = HeaderSize + BlockSize + LayerRecordSize * n;
    const std::size_t firstRecordAt = directoryAt + DirectorySize;
    const std::size_t dataStart = firstRecordAt + RecordSizeV5 * m;

    std::vector<uint8_t> file(dataStart, 0);
    uint8_t* p = file.data();

    DrawingHeader h = header;
    h.magic = {'O', 'R', 'V', '\0'};
    h.version = DrawingHeader::CurrentVersion;
    h.ToBytes(p);

    uint8_t* block = p + HeaderSize;
    const std::array<const std::array<double, 3>*, 4> corners{&extents.ExtentsMin, &extents.ExtentsMax,
                                                              &extents.LimitsMin, &extents.LimitsMax};
    for (std::size_t c = 0; c < 4; ++c)
        for (std::size_t k = 0; k < 3; ++k) PutLE(block + 8 * (3 * c + k), (*corners[c])[k]);
    std::memcpy(block + 96, settings.bytes.data() + DrawingSettingsBlock::ColorOffset, 32);
    PutLE<int32_t>(block + 128, 1);
    PutLE<int32_t>(block + 132, static_cast<int32_t>(n));

    for (std::size_t i = 0; i < n; ++i) {
        uint8_t* rec = p + HeaderSize + BlockSize + LayerRecordSize * i;
        std::string_view name = Cp932Fit(UpToNul(layers.names[i]), MaxLayerNameBytes);
        std::memcpy(rec, name.data(), name.size());
        rec[39] = layers.states[i];
    }

    PutLE<uint32_t>(p + directoryAt, DirectoryMark);
    PutLE<uint32_t>(p + directoryAt + 4, static_cast<uint32_t>(firstRecordAt));
    PutLE<uint32_t>(p + directoryAt + 8, static_cast<uint32_t>(m));

    DataArea data(dataStart);
    for (std::size_t index = 0; index < m; ++index) {
        const CEntity& e = *stored[index];
        uint8_t* rec = p + firstRecordAt + RecordSizeV5 * index;
        int16_t subtype = e.subtype;
        double slot[6] = {0, 0, 0, 0, 0, 0};
        int32_t count = 0;
        uint32_t offset = 0;
        const std::size_t nv = e.values.size();

        switch (e.type) {
        case EntityType::Point:
            slot[0] = ValueAt(e, 0);
            slot[1] = ValueAt(e, 1);
            break;
        case EntityType::Grid:
        case EntityType::Circle:
            for (int k = 0; k < 3; ++k) slot[k] = ValueAt(e, k);
            break;
        case EntityType::Line:
        case EntityType::HorizontalInfiniteLine:
        case EntityType::VerticalInfiniteLine:
        case EntityType::InfiniteLine:
        case EntityType::Image:
            slot[0] = ValueAt(e, 0);
            slot[1] = ValueAt(e, 1);
            slot[3] = ValueAt(e, 2);
            slot[4] = ValueAt(e, 3);
            if (e.type == EntityType::Image) {
                std::string_view path = UpToNul(e.text);  // fits: checked before anything is written
                if (!path.empty()) {
                    offset = static_cast<uint32_t>(data.Offset());
                    count = static_cast<int32_t>(data.String(path));
                }
            }
            break;
        case EntityType::Arc:
        case EntityType::Ellipse:
            for (int k = 0; k < 5; ++k) slot[k] = ValueAt(e, k);
            break;
        case EntityType::Text: {
            for (int k = 0; k < 5; ++k) slot[k] = ValueAt(e, k);
            std::string_view text = Cp932Fit(UpToNul(e.text), MaxTextBytes);
            if (!text.empty()) {
                offset = static_cast<uint32_t>(data.Offset());
                count = static_cast<int32_t>(data.String(text));
                std::size_t fontField = data.String(Cp932Fit(UpToNul(e.font), MaxFontBytes));
                subtype = TextSubtypeWithFont(e.subtype, fontField);
            }
            break;
        }
        case EntityType::LeaderText: {
            offset = static_cast<uint32_t>(data.Offset());
            data.Codes(e, nv);
            data.Values(e, nv);
            slot[0] = static_cast<double>(nv);
            slot[1] = static_cast<double>(offset);
            count = static_cast<int32_t>(nv);
            std::string_view text = Cp932Fit(UpToNul(e.text), MaxTextBytes);
            if (!text.empty()) {
                std::size_t textAt = data.Offset();
                std::size_t textField = data.String(text);
                std::size_t fontField = data.String(Cp932Fit(UpToNul(e.font), MaxFontBytes));
                slot[3] = static_cast<double>(textField);
                slot[4] = static_cast<double>(textAt);
                count += static_cast<int32_t>(textField);
                subtype = TextSubtypeWithFont(e.subtype, fontField);
            }
            break;
        }
        case EntityType::Curve:
        case EntityType::Dimension:
        case EntityType::Fill:
        case EntityType::Hatch:
            offset = static_cast<uint32_t>(data.Offset());
            data.Codes(e, nv);
            data.Values(e, nv);
            count = static_cast<int32_t>(nv);
            break;
        case EntityType::FreehandCurve:
        case EntityType::EllipticArc:
        case EntityType::Polygon:
            offset = static_cast<uint32_t>(data.Offset());
            data.Values(e, nv);
            count = static_cast<int32_t>(nv);
            break;
        default:
            break;
        }

        int32_t group = 0;
        if (e.type != EntityType::GroupHeader && e.owner && e.owner->type == EntityType::GroupHeader) {
            auto it = headerOrdinal.find(e.owner);
            if (it != headerOrdinal.end()) group = it->second;
        }

        PutLE<int16_t>(rec + 0, e.type);
        PutLE<int16_t>(rec + 2, subtype);
        PutLE<int16_t>(rec + 6, e.style);
        PutLE<int16_t>(rec + 8, e.layer);
        PutLE<uint32_t>(rec + 12, e.colour);
        PutLE<int32_t>(rec + 20, group);
        for (int k = 0; k < 6; ++k) PutLE(rec + 24 + 8 * k, slot[k]);
        PutLE<int32_t>(rec + 72, count);
        PutLE<uint32_t>(rec + 76, offset);
    }

    const std::vector<uint8_t>& area = data.Bytes();
    // Offsets are 32-bit: a drawing that does not fit cannot be stored.
    if (file.size() + area.size() > 0xFFFFFFFFu) return DrawingFileWriteError;
    file.insert(file.end(), area.begin(), area.end());
    out = std::move(file);
    return DrawingFileOk;
}

int CDrawingFile::WriteDrawing(std::ostream& out, const CEntity* first) const
{
    std::vector<uint8_t> bytes;
    int rc = WriteDrawing(bytes, first);
    if (rc != DrawingFileOk) return rc;
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return out ? DrawingFileOk : DrawingFileWriteError;
}

int CDrawingFile::SaveDrawing(const std::filesystem::path& path, const CEntity* first) const
{
    std::vector<uint8_t> bytes;
    int rc = WriteDrawing(bytes, first);
    if (rc != DrawingFileOk) return rc;
    switch (WriteFileAtomically(path, std::span<const uint8_t>(bytes))) {
    case AtomicWriteResult::Ok:
        return DrawingFileOk;
    case AtomicWriteResult::WriteProtected:
        return DrawingFileWriteProtected;
    default:
        return DrawingFileWriteError;
    }
}
