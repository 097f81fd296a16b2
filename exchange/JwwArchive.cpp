// The JWW object archive, reading and writing.

#include "exchange/JwwArchive.h"

#include <bit>
#include <cstring>

namespace {

constexpr uint16_t NewClassTag = 0xFFFF;
constexpr uint16_t BigObjectTag = 0x7FFF;
constexpr uint16_t ClassTag = 0x8000;
constexpr uint32_t BigClassTag = 0x80000000u;

} // namespace

const uint8_t* ArchiveReader::Take(std::size_t n)
{
    if (ended || n > data_.size() - pos_) {
        ended = true;
        pos_ = data_.size();
        return nullptr;
    }
    const uint8_t* p = data_.data() + pos_;
    pos_ += n;
    return p;
}

uint8_t ArchiveReader::Byte()
{
    const uint8_t* p = Take(1);
    return p ? p[0] : 0;
}

uint16_t ArchiveReader::Word()
{
    const uint8_t* p = Take(2);
    return p ? static_cast<uint16_t>(p[0] | (p[1] << 8)) : 0;
}

uint32_t ArchiveReader::Dword()
{
    const uint8_t* p = Take(4);
    return p ? static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
                   (static_cast<uint32_t>(p[3]) << 24)
             : 0;
}

double ArchiveReader::Double()
{
    const uint8_t* p = Take(8);
    if (!p) return 0.0;
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = (bits << 8) | p[i];
    return std::bit_cast<double>(bits);
}

void ArchiveReader::Skip(std::size_t bytes)
{
    Take(bytes);
}

std::string ArchiveReader::String()
{
    bool utf16 = false;
    uint32_t length = 0;
    for (int round = 0; round < 2; ++round) {
        length = Byte();
        if (length == 0xFF) {
            length = Word();
            if (length == 0xFFFE && !utf16) {
                utf16 = true;
                continue;  // the length starts again, in 16-bit units
            }
            if (length == 0xFFFF) length = Dword();
        }
        break;
    }
    if (ended) return {};
    const std::size_t bytes = utf16 ? static_cast<std::size_t>(length) * 2 : length;
    const uint8_t* p = Take(bytes);  // never beyond the bytes left
    if (!p) return {};
    if (!utf16) return std::string(reinterpret_cast<const char*>(p), bytes);
    std::u16string units(length, u'\0');
    for (uint32_t i = 0; i < length; ++i) units[i] = static_cast<char16_t>(p[2 * i] | (p[2 * i + 1] << 8));
    return Utf16ToCp932(units);
}

uint32_t ArchiveReader::Count()
{
    uint32_t n = Word();
    if (n == 0xFFFF) n = Dword();
    return n;
}

ArchiveReader::Tag ArchiveReader::ReadTag()
{
    Tag tag;
    const uint16_t word = Word();
    if (ended) return tag;
    uint32_t reference = 0;
    bool isClass = false;
    if (word == NewClassTag) {
        tag.schema = Word();
        const uint16_t length = Word();
        const uint8_t* p = Take(length);
        if (!p) return tag;
        tag.name.assign(reinterpret_cast<const char*>(p), length);
        tag.kind = TagKind::NewClass;
        tag.mapIndex = static_cast<uint32_t>(kinds_.size());
        kinds_.push_back(1);
        kinds_.push_back(2);  // the object that follows
        return tag;
    }
    if (word == BigObjectTag) {
        const uint32_t big = Dword();
        if (ended) return tag;
        isClass = (big & BigClassTag) != 0;
        reference = big & ~BigClassTag;
    } else {
        isClass = (word & ClassTag) != 0;
        reference = word & ~static_cast<uint32_t>(ClassTag);
    }
    tag.mapIndex = reference;
    if (!isClass) {
        tag.kind = reference == 0 ? TagKind::Null : TagKind::Object;
        return tag;
    }
    if (!IsClass(reference)) return tag;  // Bad
    tag.kind = TagKind::Class;
    kinds_.push_back(2);
    return tag;
}

namespace {

template <int N>
void AppendLittleEndian(std::vector<uint8_t>& out, uint64_t v)
{
    uint8_t bytes[N];
    for (int i = 0; i < N; ++i) bytes[i] = static_cast<uint8_t>(v >> (8 * i));
    out.insert(out.end(), bytes, bytes + N);
}

} // namespace

void ArchiveWriter::Word(uint16_t v)
{
    AppendLittleEndian<2>(out, v);
}

void ArchiveWriter::Dword(uint32_t v)
{
    AppendLittleEndian<4>(out, v);
}

void ArchiveWriter::Double(double v)
{
    AppendLittleEndian<8>(out, std::bit_cast<uint64_t>(v));
}

void ArchiveWriter::String(std::string_view text)
{
    const std::size_t n = text.size();
    if (n < 0xFF) {
        Byte(static_cast<uint8_t>(n));
    } else if (n < 0xFFFE) {
        Byte(0xFF);
        Word(static_cast<uint16_t>(n));
    } else {
        Byte(0xFF);
        Word(0xFFFF);
        Dword(static_cast<uint32_t>(n));
    }
    out.insert(out.end(), text.begin(), text.end());
}

void ArchiveWriter::Count(uint32_t n)
{
    if (n < 0xFFFF) {
        Word(static_cast<uint16_t>(n));
    } else {
        Word(0xFFFF);
        Dword(n);
    }
}

void ArchiveWriter::ObjectOf(std::string_view name, uint16_t schema)
{
    for (const auto& [known, index] : classes_) {
        if (known != name) continue;
        if (index < BigObjectTag) {
            Word(static_cast<uint16_t>(ClassTag | index));
        } else {
            Word(BigObjectTag);
            Dword(BigClassTag | index);
        }
        ++next_;  // the object
        return;
    }
    Word(NewClassTag);
    Word(schema);
    Word(static_cast<uint16_t>(name.size()));
    out.insert(out.end(), name.begin(), name.end());
    classes_.emplace_back(std::string(name), next_);
    next_ += 2;  // the class, then the object
}
