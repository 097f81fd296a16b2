#pragma once
// The native drawing file (.orv, also the part files). Writes format
// version 5; reads versions 1, 2, 3 and 5.
//
// Reading checks every count, length and offset against the file before
// anything is added: a file that is not ours or is damaged adds nothing and
// reports a nonzero result, for which the caller shows
// "ファイルの読み込みに失敗しました。".

#include "model/DrawingHeader.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <span>
#include <vector>

struct CEntity;
class CEntityList;
class CSnapPointList;

// Results of the read and write operations.
enum DrawingFileResult : int {
    DrawingFileOk = 0,
    DrawingFileRefused = 1,     // reading: short header, wrong magic, unknown version; writing: no entity
    DrawingFileDamaged = 2,     // reading: a block, directory, record or data field lies outside the file
    DrawingFileWriteError = 3,  // writing: the stream or file could not be written
};

class CDrawingFile {
public:
    DrawingHeader header;
    DrawingSettingsBlock settings;
    DrawingExtents extents;
    int32_t selectedOnly = 0;  // when nonzero the writer stores only entities in state 4
    LayerTable layers;         // count, names and states (current layer travels in the header)
    int formatVersion = 0;     // format version of the file last read
    // Told now and then how many of a drawing's entities ReadDrawing has
    // registered, of how many (0 of n once they are all added, n of n at
    // the end); may be empty.
    std::function<void(std::size_t done, std::size_t total)> progress;

    // Lengths the writer keeps (longer strings are cut on a character
    // boundary); the reader accepts every field these give.
    static constexpr std::size_t MaxTextBytes = 127;      // field of at most 128 bytes
    static constexpr std::size_t MaxFontBytes = 95;       // field length must fit the subtype's last two digits
    static constexpr std::size_t MaxPathBytes = 251;
    static constexpr std::size_t MaxLayerNameBytes = 37;
    // What the reader takes per entity; a record beyond these is skipped.
    static constexpr int MaxCodedValues = 160;     // types 24, 50, 70, 71
    static constexpr int MaxFreehandValues = 6000; // type 26
    static constexpr int MaxPolygonValues = 3000;  // type 90
    static constexpr int MinLeaderValues = 9;      // type 41
    static constexpr int MaxLeaderValues = 255;

    CDrawingFile();

    // Writes the whole file (version 5) from `first` along the next links.
    // DrawingFileRefused (nothing written) when first is null. The entities
    // are not changed: group numbers are worked out for the file only.
    int WriteDrawing(std::vector<uint8_t>& out, const CEntity* first) const;
    int WriteDrawing(std::ostream& out, const CEntity* first) const;
    // Writes to a temporary file beside path and renames it over path only
    // when every byte was written.
    int SaveDrawing(const std::filesystem::path& path, const CEntity* first) const;

    // Reads a drawing into a document's list and snap points, and fills the
    // header, settings, extents and layers. Nothing is added and the fields
    // are unchanged unless the result is DrawingFileOk.
    int ReadDrawing(std::span<const uint8_t> data, CEntityList& list, CSnapPointList& snaps);
    int LoadDrawing(const std::filesystem::path& path, CEntityList& list, CSnapPointList& snaps);

    // Reads a part file into target (the parts palette passes EntityBuffer):
    // no snap points, no grid record, no group numbers, no fonts.
    int ReadParts(std::span<const uint8_t> data, CEntityList& target);
    int LoadParts(const std::filesystem::path& path, CEntityList& target);
};

// Gives each entity of the list that carries the number of a group header
// that header as its owner (headers themselves and dimension members are
// left alone). The document calls it after reading a drawing.
void LinkGroupMembers(CEntityList& list);
