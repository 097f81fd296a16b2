#pragma once
// Opening and saving drawings in other programs' formats. Each reader reads
// a file into a ForeignDrawing; a file it refuses gets its message and
// nothing is kept. The shell builds the new document from what was read
// (COrvikCadDoc::BuildFromForeign). Each export writes the whole drawing.

#include "model/ForeignDrawing.h"

#include <filesystem>

class COrvikCadDoc;

// Shown when a DXF file cannot be opened as a drawing.
inline constexpr const char* DxfReadFailedMessage = "ＤＸＦファイルを読み込めませんでした。";

// Shown when a JWC file cannot be read at all.
inline constexpr const char* JwcReadFailedMessage = "ＪＷＣファイルを読み込めませんでした。";

// The drawing scale an import takes from a file: a value that is not a
// number or not above 0 becomes 1.
float ImportScale(double scale);

bool ReadDxfDrawing(const std::filesystem::path& file, ForeignDrawing& out);
bool ReadJwwDrawing(const std::filesystem::path& file, ForeignDrawing& out);
bool ReadJwcDrawing(const std::filesystem::path& file, ForeignDrawing& out);

// Write the whole drawing (scale, extents, coordinates from the origin) and
// mark it modified; on failure show the format's message and leave an
// existing file as it was. True when written.
bool ExportDxf(COrvikCadDoc& drawing, const std::filesystem::path& file);
bool ExportJww(COrvikCadDoc& drawing, const std::filesystem::path& file);

