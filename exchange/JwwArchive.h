#pragma once
// The object archive that JWW files are written in: little-endian BYTE,
// WORD, DWORD and DOUBLE fields, length-prefixed strings, element counts,
// and objects introduced by class declarations or class references. Every
// class declaration and every object takes the next number of the archive's
// running index (from 1); a reference names a class by that number.
//
// The reader never throws: reading past the end gives zeros and sets
// `ended`, which the caller checks where a whole item has been read.

#include "exchange/TextEncoding.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// UTF-16 text of an archive string becomes code page 932 through the
// converter of TextEncoding.h.

class ArchiveReader {
public:
    explicit ArchiveReader(std::span<const uint8_t> data) : data_(data) {}

    uint8_t Byte();
    uint16_t Word();
    uint32_t Dword();
    double Double();
    void Skip(std::size_t bytes);
    // An archive string: BYTE length, or 0xFF + WORD, or 0xFF + 0xFFFF +
    // DWORD; the WORD 0xFFFE marks UTF-16 units (the length starts again).
    std::string String();
    // An element count: WORD, or 0xFFFF + DWORD.
    uint32_t Count();

    // Where an object begins: what its tag says.
    enum class TagKind {
        NewClass,   // a class declaration: name holds the class name
        Class,      // a reference to a class declared earlier: mapIndex
        Object,     // a reference to an object stored earlier: mapIndex
        Null,       // the tag 0
        Bad,        // a reference to no class
    };
    struct Tag {
        TagKind kind = TagKind::Bad;
        uint32_t mapIndex = 0;  // the class's number (or the object's)
        uint16_t schema = 0;
        std::string name;
    };
    // Reads a tag. A declaration enters its class into the running index; a
    // class tag (new or referenced) also enters the object that follows.
    Tag ReadTag();
    // The number a class reference names, when it names a declared class.
    bool IsClass(uint32_t mapIndex) const { return mapIndex < kinds_.size() && kinds_[mapIndex] == 1; }

    bool ended = false;
    std::size_t position() const { return pos_; }
    std::size_t size() const { return data_.size(); }
    std::size_t remaining() const { return data_.size() - pos_; }

private:
    const uint8_t* Take(std::size_t n);
    std::span<const uint8_t> data_;
    std::size_t pos_ = 0;
    // Running index: 0 unused, then 1 for a class, 2 for an object.
    std::vector<uint8_t> kinds_{0};
};

class ArchiveWriter {
public:
    void Byte(uint8_t v) { out.push_back(v); }
    void Word(uint16_t v);
    void Dword(uint32_t v);
    void Double(double v);
    // A code page 932 string with its length prefix.
    void String(std::string_view text);
    void Count(uint32_t n);
    // The tag of a new object of class `name`: its declaration the first
    // time, a reference to it afterwards. The object takes the next number.
    void ObjectOf(std::string_view name, uint16_t schema);

    std::vector<uint8_t> out;

private:
    uint32_t next_ = 1;
    std::vector<std::pair<std::string, uint32_t>> classes_;
};
