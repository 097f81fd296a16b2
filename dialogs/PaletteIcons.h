#pragma once
// The pictures of the drawing palette's sixteen category buttons, drawn by
// the program itself in the sixteen basic colours, at 16 x 16 and 32 x 32.

#include <QIcon>

// The picture of category 0..15 (a null icon for any other).
QIcon PaletteIcon(int category);
