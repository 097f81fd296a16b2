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
    DrawingFileNotRegular = 4,  // reading from disk: a folder, device, FIFO or socket
    DrawingFileUnreadable = 5,  // reading from disk: missing, no permission, or a read error
    DrawingFileOverlongPath = 6,  // writing: an image's path is longer than its field (nothing written)
    DrawingFileNotFinite = 7,   // writing: an entity or extent holds an infinite or not-a-number value
    DrawingFileWriteProtected = 8, // writing to disk: the file exists and may not be written
};

// Reads a drawing or part file from disk into out, for ReadDrawing or
// ReadParts. Regular files only. The header (magic, version) and the blocks,
// layer records and entity records it announces are checked against the
// file's size before the rest is read, so a file that is not a drawing is
// refused after a few hundred bytes; nothing past the size the file had when
// it was opened is read.
int ReadDrawingFileImage(const std::filesystem::path& path, std::vector<uint8_t>& out);

class CDrawingFile {
public:
    DrawingHeader header;
    DrawingSettingsBlock settings;
    DrawingExtents extents;
    int32_t selectedOnly = 0;  // when nonzero the writer stores only entities in state 4
    LayerTable layers;         // count, names and states (current layer travels in the header)
    int formatVersion = 0;     // format version of the file last read
    // Told now and then how far ReadDrawing has come, in steps of which
    // each entity takes two, one to be added and one to have its snap
    // points registered (0 of 2n before the first is added, 2n of 2n at the
    // end); may be empty.
    std::function<void(std::size_t done, std::size_t total)> progress;

    // Lengths the writer keeps (longer strings are cut on a character
    // boundary); the reader accepts every field these give.
    static constexpr std::size_t MaxTextBytes = 127;      // field of at most 128 bytes
    static constexpr std::size_t MaxFontBytes = 95;       // field length must fit the subtype's last two digits
    static constexpr std::size_t MaxPathBytes = 251;
    static constexpr std::size_t MaxLayerNameBytes = 37;
    // Values per entity: the writer stores and the reader takes as many as
    // an entity holds (its count is 16-bit); a leader text has its five text
    // values and at least two points, an elliptic arc exactly seven values.
    static constexpr int MaxStoredValues = 32767;
    static constexpr int MinLeaderValues = 9;      // type 41
    static constexpr int EllipticArcValues = 7;    // type 33
    // Whether an entity of type with n values is written and read back; the
    // writer refuses a drawing holding one that is not, the reader skips
    // such a record.
    static bool StorableValueCount(int16_t type, uint64_t n);
    // The first image from `first` on that the writer would store and whose
    // path is longer than MaxPathBytes; null when there is none. Such a
    // drawing is refused rather than saved with a path cut short.
    const CEntity* OverlongImagePath(const CEntity* first) const;

    CDrawingFile();

    // Writes the whole file (version 5) from `first` along the next links.
    // DrawingFileRefused (nothing written) when first is null or an entity
    // to store could not be read back (StorableValueCount);
    // DrawingFileOverlongPath when an image's path does not fit its field;
    // DrawingFileNotFinite when a value to store is infinite or not a
    // number (such a file could not be read back sensibly). The entities
    // are not changed: group numbers are worked out for the file only.
    int WriteDrawing(std::vector<uint8_t>& out, const CEntity* first) const;
    int WriteDrawing(std::ostream& out, const CEntity* first) const;
    // Saves through AtomicWrite: the old file stays whole unless every byte
    // of the new one reached the disk; DrawingFileWriteProtected when the
    // file may not be written.
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
