#pragma once
// The drawing palette's commands: per category (0..15) the rows of its
// list, each with its list text, the kind of option panel it shows (0 for
// none) and the first prompt of the operation. The row is also the tool's
// sub-mode.

struct PaletteCommand {
    const char* text;    // list text (UTF-8)
    int panelKind;       // 1..25, or 0 for no panel
    const char* prompt;  // first prompt (UTF-8)
};

inline constexpr int kPaletteCategories = 16;

// Rows of category; 0 for a category outside 0..15.
int PaletteRowCount(int category);
// The command of (category, row); null outside the table.
const PaletteCommand* PaletteCommandAt(int category, int row);
// Its panel kind; 0 outside the table.
int PalettePanelKind(int category, int row);
