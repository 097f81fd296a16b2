#pragma once
// The drawing menu "作図(&D)": each command names a pair (group, item) of
// the drawing palette; the view makes it the current operation.

#include <functional>

struct DrawCommand {
    unsigned id;
    int group;
    int item;
    const char* text;  // the menu text (UTF-8)
};

// Every drawing-menu command, in menu order.
const DrawCommand* DrawCommands(int& count);
// The command's pair; false for an id that is not a drawing command.
bool DrawCommandPair(unsigned id, int& group, int& item);

// Brings the drawing palette into line with a selection made elsewhere:
// its category buttons, its command list and the option panel and first
// prompt of the operation. Installed by the palette; empty without one.
extern std::function<void(int group, int item)> SyncDrawPalette;
