#pragma once
// A drawing read from another program's file, before it becomes a
// document: the records the reader made and the header values it found.
// The readers live in exchange/; COrvikCadDoc::BuildFromForeign lays the
// drawing out from it in one step.

#include "model/EntityList.h"

#include <array>
#include <string>

struct ForeignDrawing {
    CEntityList list;  // coordinates counted from the drawing origin
    float scale = 1.0f;
    std::array<double, 3> extentsMin{0, 0, 0};
    std::array<double, 3> extentsMax{0, 0, 0};
    std::array<double, 3> limitsMin{0, 0, 0};
    std::array<double, 3> limitsMax{0, 0, 0};
    // The extents are only what the file's header claims (DXF): where they
    // mean nothing or the drawing would miss the sheet, the entities' own
    // extents choose the scale and the paper instead.
    bool extentsClaimed = false;
    // What the reader passed over, to be told once the drawing is open
    // (UTF-8); empty when nothing was.
    std::string report;
};
