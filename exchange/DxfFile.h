#pragma once
// ASCII DXF exchange. The reader takes the header variables of extents,
// limits, scale, version and code page, and the model-space entities POINT,
// LINE, CIRCLE, ARC, TEXT, ELLIPSE and POLYLINE (with its VERTEX and SEQEND
// records), each value by its group code; everything else is passed over and
// counted in the reader's report. Every entity it makes lies on layer 0 in
// black; texts are converted to code page 932 by the file's encoding. The writer saves an entity chain as HEADER, TABLES and
// ENTITIES, mapping pens to the layers PEN1..PEN8 and breaking every kind DXF
// lacks into LINE, CIRCLE and TEXT records. One object serves one read or one
// write; nothing here talks to the user, results go back to the caller.

#include "exchange/ImportReport.h"
#include "exchange/TextEncoding.h"
#include "model/EntityList.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Read results.
inline constexpr int DxfReadOk = 0;
inline constexpr int DxfReadFailed = 1;  // cannot be read, or no ENTITIES line

// Write results.
inline constexpr int DxfWriteOk = 0;
inline constexpr int DxfWriteFailed = 1;  // the file could not be created or written

// Shown by the caller when a write fails.
inline constexpr const char* DxfWriteOpenErrorMessage = "ＤＸＦファイルの書き込みオープンエラー！";

// Entity code of a record name ("LINE" → 20 ...), 0 for a name not taken.
// The whole line is compared, exactly.
int DxfEntityCode(std::string_view name);
// Line-type index of a DXF line-type name (0 for an unknown one).
int DxfLineTypeIndex(std::string_view name);

// A group code line as the C library's atoi reads it (leading blanks, a sign,
// digits; anything else ends the number; none gives 0).
int DxfCodeValue(std::string_view line);
// A value line as atof reads it in the "C" locale (leading blanks, a sign,
// the longest number that follows; none gives 0). Infinities and NaN pass
// through so that the caller can drop what carries them.
double DxfRealValue(std::string_view line);

class DxfLineReader;

class CDxfFile {
public:
    struct Vertex {
        double x = 0.0;
        double y = 0.0;
        int16_t lineType = 0;
    };

    int32_t EntityCount = 0;   // entities stored by the reader (a polyline counts once)
    int32_t SelectedOnly = 0;  // writer: only entities in state 4
    double LtScale = 0.0;      // $LTSCALE: the drawing's scale denominator
    int NotFiniteRecords = 0;  // reader: entities left out for a value that is no finite number
    double ExtMin[3] = {0.0, 0.0, 0.0};
    double ExtMax[3] = {0.0, 0.0, 0.0};
    double LimMin[3] = {0.0, 0.0, 0.0};
    double LimMax[3] = {0.0, 0.0, 0.0};
    double OriginX = 0.0;      // writer: subtracted from every entity coordinate
    double OriginY = 0.0;
    std::string AcadVer;       // $ACADVER ("AC1015" ...), empty when absent
    std::string CodePage;      // $DWGCODEPAGE ("ANSI_932" ...), empty when absent
    std::vector<Vertex> Vertices;  // the polyline being read
    bool PolylineClosed = false;   // its group 70 has bit 1
    bool PolylineMesh = false;     // its group 70 has bit 16 or 64: a mesh, not read
    bool PolylinePaper = false;    // its group 67 is 1: paper space, not read
    ImportReport Report;           // reader: what was passed over

    CDxfFile() = default;

    // Reads the file's bytes into list (appending; the list is never
    // cleared). DxfReadOk, or DxfReadFailed when the file is not a regular
    // readable file or holds no line "ENTITIES".
    int Read(const std::filesystem::path& path, CEntityList& list);
    int ReadText(std::string_view bytes, CEntityList& list);

    // Writes the chain from first to its end. DxfWriteFailed when the file
    // cannot be created or written; an existing file then stays as it was.
    int Write(const std::filesystem::path& path, const CEntity* first);
    // The same into memory.
    void WriteText(std::string& out, const CEntity* first);

    // The encoding of the file's texts, from $ACADVER and $DWGCODEPAGE.
    TextEncoding TextEncodingOfFile() const;

    // Reading steps.
    void ReadHeaderPoint(DxfLineReader& lines, double point[3]);
    void ReadHeaderText(DxfLineReader& lines, int code, std::string& value);
    int ReadPolylineVertices(DxfLineReader& lines);

    // Writing steps (each appends to out).
    void WriteHeader(std::string& out) const;
    void WriteTables(std::string& out) const;
    void WriteEntities(std::string& out, const CEntity* first) const;
    void WriteEllipse(std::string& out, const CEntity& e) const;
    void WriteSpline(std::string& out, const CEntity& e) const;
    void WriteLeaderText(std::string& out, const CEntity& e) const;
    void WriteDimension(std::string& out, const CEntity& e) const;
    void WriteArrowhead(std::string& out, int kind, int dotSize, int arrowSize, int pen, double px, double py,
                        double dx, double dy) const;

private:
    bool polylineReady_ = false;  // the vertex reader ended on SEQEND
};

// Lines of a text held in memory, without their line end (LF, with one CR
// before it stripped).
class DxfLineReader {
public:
    explicit DxfLineReader(std::string_view text) : text_(text) {}
    bool Next(std::string_view& line);
    // Reads a code line; false at the end of the text.
    bool NextCode(int& code);

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};
