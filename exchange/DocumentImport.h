#pragma once
// What the document's imports share besides COrvikCadDoc's own members
// (COrvikCadDoc::ImportDxf and its siblings are defined in this folder).

// Shown when a DXF file cannot be opened as a drawing.
inline constexpr const char* DxfReadFailedMessage = "ＤＸＦファイルを読み込めませんでした。";

// Shown when a JWC file cannot be read at all.
inline constexpr const char* JwcReadFailedMessage = "ＪＷＣファイルを読み込めませんでした。";

// The drawing scale an import takes from a file: a value that is not a
// number or not above 0 becomes 1.
float ImportScale(double scale);

// Tells the user how many objects an import left out because a value in
// them was not a finite number (nothing when none was).
void ReportNotFiniteRecords(int count);
