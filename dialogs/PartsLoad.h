#pragma once
// Reading one part file of the parts library into a list (the parts
// palette passes EntityBuffer): DXF, native or JWW by the file's kind.

#include "model/EntityList.h"

#include <filesystem>
#include <string>

// Shown in a message box for a JWW file of a format below version 2.30.
inline constexpr const char* PartsOldJwwMessage = "未対応の JwwCad Data Version2.3 以下のファイルです。";
// A native part file that could not be read.
inline constexpr const char* PartsReadFailedMessage = "部品データを読み込めませんでした。";

struct PartLoadResult {
    bool loaded = false;      // the list holds the part
    std::string message;      // UTF-8; what to tell the user, empty when nothing
    bool messageBox = false;  // the message goes in a message box, not in the pane
};

// Appends the part at path to list; kind is the file kind by extension
// (1 DXF, 2 native, 3 JWW). A part that fails to read leaves list empty.
PartLoadResult LoadPartFile(const std::filesystem::path& path, int kind, CEntityList& list);
