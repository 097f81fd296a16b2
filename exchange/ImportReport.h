#pragma once
// What an import of a foreign drawing passed over, kind by kind, and the one
// message that tells the user about it.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Labels of what is not a kind of the file format itself.
inline constexpr const char* PaperSpaceLabel = "ペーパー空間の要素";
inline constexpr const char* MeshLabel = "メッシュ (POLYLINE)";
inline constexpr const char* UnconvertibleLabel = "変換できない文字 (「?」に置換)";
inline constexpr const char* JwwSolidLabel = "ソリッド";
inline constexpr const char* JwwBlockLabel = "ブロック";
inline constexpr const char* JwwMergedGroupsLabel = "レイヤグループ 8～15 の要素 (レイヤ 127 にまとめた)";

struct ImportReport {
    // Label and count, in the order first seen.
    std::vector<std::pair<std::string, int>> items;

    void Count(std::string_view label, int n = 1);
    int CountOf(std::string_view label) const;
    bool Empty() const { return items.empty(); }
};

// Shown after the drawing opened when anything was passed over (UTF-8);
// empty when nothing was.
std::string ImportReportMessage(const ImportReport& report);
// Shown when a file gave no entity at all: the drawing does not open.
std::string ImportNothingReadMessage(const ImportReport& report);
