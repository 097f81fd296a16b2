#pragma once
// The parts library as the parts palette's tree shows it: the sub-folders of
// the parts folder and the part files in them (DXF, native and JWW only).

#include <QString>

#include <filesystem>
#include <vector>

struct PartsTreeEntry {
    QString name;                  // as shown: the file or folder name
    std::filesystem::path path;    // full path on disk
    bool folder = false;
    std::vector<PartsTreeEntry> children;  // a folder's entries
};

// Most folder levels the tree goes down.
inline constexpr int MaxPartsTreeDepth = 100;

// The entries of folder, sorted by name: every sub-folder whose name does
// not begin with a point (with its own entries), and every regular file of
// part kind 1, 2 or 3. "." and ".." never appear, a symbolic link to a
// folder is neither listed nor followed, and a folder that cannot be read
// gives what was read before the failure (nothing, when it cannot be
// opened at all).
std::vector<PartsTreeEntry> ListPartsFolder(const std::filesystem::path& folder);
