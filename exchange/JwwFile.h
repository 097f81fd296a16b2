#pragma once
// JWW drawings of the outside CAD program Jw_cad: a fixed header of settings,
// then an object list in the archive form of JwwArchive.h. The reader takes
// the scale, the paper and the ten pen colours from the header and makes
// lines, circles, arcs, ellipses, points and texts (dimension members as
// plain lines, texts and points); solids, blocks and lists are read and
// dropped. The writer saves a drawing at format version 230. Nothing here
// talks to the user: messages go back to the caller.

#include "exchange/ImportReport.h"
#include "exchange/JwwArchive.h"
#include "model/EntityList.h"

#include <cstdint>
#include <filesystem>
#include <string>

inline constexpr const char* JwwOpenErrorMessage = "JWW FileOpen ERROR!";
inline constexpr const char* JwwOldVersionMessage = "未対応の JwwCad Data Version2.3 以下のファイルです。";
inline constexpr const char* JwwNotJwwMessage = "JWWファイルではありません。";
inline constexpr const char* JwwReadError1Message = "JWW Read ERROR! #0001";
inline constexpr const char* JwwReadError2Message = "JWW Read ERROR! #0002";
inline constexpr const char* JwwWriteOpenErrorMessage = "JWW File WriteOpen ERROR!";

// ReadJwwHeader results besides a version below 230.
inline constexpr int JwwHeaderOk = 0;
inline constexpr int JwwHeaderNotJww = 1;

class CJwwReader {
public:
    double CoordFactor = 1.0;              // the scale of layer group 0
    double AreaMin[3] = {0.0, 0.0, 0.0};
    double AreaMax[3] = {0.0, 0.0, 0.0};
    uint32_t FileVersion = 0;
    uint32_t PaperCode = 0;
    COLORREF JwwPenColors[10] = {};
    // What stopped the object list early: empty, or the message to show.
    std::string message;
    // Entities left out for a value that is no finite number.
    int NotFiniteRecords = 0;
    // What was read and dropped: solids, blocks, entities of layer groups
    // 8 to 15 (kept, but on layer 127).
    ImportReport Report;

    // 0 after the whole header, JwwHeaderNotJww without the magic (or for
    // versions 0 to 10), the version itself when it is below 230. The end
    // of the data inside the header gives JwwHeaderNotJww too.
    int ReadJwwHeader(ArchiveReader& archive);
    // Reads the object list into list (appending). A broken stream stops it
    // with `message` set; the entities read before stay.
    void ReadJwwEntities(ArchiveReader& archive, CEntityList& list);

    static std::string ReadJwwString(ArchiveReader& archive) { return archive.String(); }
    // Class index of a declared class name: 0 line, 1 circle, 2 point,
    // 3 text, 4 dimension, 5 solid, 6 block, 7 list, -1 unknown.
    static int ReadJwwClassName(std::string_view name);

    // One object each (common prefix included); false when the data ended.
    bool ReadJwwSen(ArchiveReader& a, CEntityList& list);
    bool ReadJwwEnko(ArchiveReader& a, CEntityList& list);
    bool ReadJwwTen(ArchiveReader& a, CEntityList& list);
    bool ReadJwwMoji(ArchiveReader& a, CEntityList& list);
    bool ReadJwwSunpou(ArchiveReader& a, CEntityList& list);
    bool ReadJwwSolid(ArchiveReader& a);
    bool ReadJwwBlock(ArchiveReader& a);
    bool ReadJwwList(ArchiveReader& a);

private:
    struct Prefix {
        int16_t style = 0;
        COLORREF colour = 0;
        int16_t layer = 0;
        uint16_t colourNumber = 0;
    };
    Prefix ReadPrefix(ArchiveReader& a);
    int16_t LayerOf(uint16_t group, uint16_t layer);
};

class CJwwWriter {
public:
    int32_t SelectedOnly = 0;
    int32_t PaperCode = 0;
    double OriginX = 0.0;
    double OriginY = 0.0;
    double Scale = 1.0;
    COLORREF ColorTable[32] = {};

    // The whole file from the chain that starts at first.
    void WriteJwwFile(ArchiveWriter& archive, const CEntity* first);
    void WriteJwwHeader(ArchiveWriter& archive);
    void WriteJwwEntities(ArchiveWriter& archive, uint32_t count, const CEntity* first);
    static const char* JwwClassName(int type);

    // Fills ColorTable: the colours in use, most used first.
    void RankColours(const CEntity* first);
    // Objects the chain gives.
    uint32_t CountObjects(const CEntity* first) const;

private:
    bool Skipped(const CEntity& e) const;
    void Prefix(ArchiveWriter& a, const CEntity& e) const;
    void WriteJwwSen(ArchiveWriter& a, const CEntity& e, double x1, double y1, double x2, double y2) const;
    void WriteJwwEnko(ArchiveWriter& a, const CEntity& e) const;
    void WriteJwwEllipse(ArchiveWriter& a, const CEntity& e) const;
    void WriteJwwTen(ArchiveWriter& a, const CEntity& e) const;
    void WriteJwwMoji(ArchiveWriter& a, const CEntity& e) const;
    void WriteJwwSpline(ArchiveWriter& a, const CEntity& e) const;
};

// Path-level entry points. ReadJwwFile reads a whole .jww file into list:
// the result is JwwHeaderOk (entities read; reader.message may still say
// the stream broke off), or the header's refusal. A file that cannot be
// read gives -1.
int ReadJwwFile(const std::filesystem::path& path, CJwwReader& reader, CEntityList& list);
// Writes the chain to path through a temporary file; false when the file
// could not be created or written (an existing file then stays as it was).
bool WriteJwwFile(const std::filesystem::path& path, CJwwWriter& writer, const CEntity* first);
